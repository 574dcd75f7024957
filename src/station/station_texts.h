#pragma once
#include "text/text.h"
// What the production station says, in one place (UTF-8, Portuguese).

namespace vek::station::texts {

// Steps of a unit's run.
inline constexpr vek::Text kStepWaiting = VEK_TR("station", "aguardando Vek");
inline constexpr vek::Text kStepNoAnswer = VEK_TR("station", "nenhum Vek responde");
inline constexpr vek::Text kStepFirmware = VEK_TR("station", "atualizando firmware");
inline constexpr vek::Text kStepRestarting = VEK_TR("station", "reiniciando");
inline constexpr vek::Text kStepWriting = VEK_TR("station", "gravando configuração");
inline constexpr vek::Text kStepVerifying = VEK_TR("station", "conferindo");
inline constexpr vek::Text kStepPassed = VEK_TR("station", "concluído");
inline constexpr vek::Text kStepFailed = VEK_TR("station", "falhou");
inline constexpr vek::Text kStepInterrupted = VEK_TR("station", "interrompido");
inline constexpr vek::Text kStepHeld = VEK_TR("station", "aguardando: a estação não inicia novas unidades agora");
inline constexpr vek::Text kStepRecording = VEK_TR("station", "registrando");
inline constexpr vek::Text kStepCopying = VEK_TR("station", "guardando cópia do Vek");
inline constexpr vek::Text kStepNotRecorded = VEK_TR("station", "NÃO registrado");

// How the run ended ("concluído", "falhou", …) and why its record is not stored.
inline constexpr vek::Text kNotRecordedEnd = VEK_TR("station", "%1, mas NÃO registrado: %2");
// How many units are still running.
inline constexpr vek::Text kDraining =
    VEK_TR("station", "Parando: as %1 unidades em andamento terminam e nenhuma nova começa. Ctrl+C de novo interrompe já.");
inline constexpr vek::Text kHeld =
    VEK_TR("station", "Os registros não estão sendo gravados: nenhuma unidade nova começa até o banco voltar.");
inline constexpr vek::Text kResumed = VEK_TR("station", "Os registros voltaram a ser gravados: novas unidades começam.");

// A run that passed with something to say: the type is discontinued.
inline constexpr vek::Text kDiscontinuedWarning =
    VEK_TR("station", "versão de Vek descontinuada (tipo %1): configurado sem novo firmware");

// A running unit's bar: its percent (the bar's own "%p%"), speed and time left.
inline constexpr vek::Text kRowProgress = VEK_TR("station", "%p% · %1 · %2");
inline constexpr vek::Text kRowRate = VEK_TR("station", "%1 kB/s");
inline constexpr vek::Text kRowRateUnknown = VEK_TR("station", "–");

// The station's lines: port, identifier, version; port, version before, after;
// port, identifier, step and, when there is one, the reason.
inline constexpr vek::Text kLineUnit = VEK_TR("station", "%1: Vek %2 v%3");
inline constexpr vek::Text kLineFirmware = VEK_TR("station", "%1: %2 → %3");
inline constexpr vek::Text kLineEnded = VEK_TR("station", "%1: %2 %3");
inline constexpr vek::Text kLineEndedWhy = VEK_TR("station", "%1: %2 %3: %4");

// Where records go and how it stands (the place, the time, the count, the reason).
inline constexpr vek::Text kRecordsLocal = VEK_TR("station", "Registros: SQLite (local) %1");
inline constexpr vek::Text kRecordsLocalClosed = VEK_TR("station", "Registros: SQLite (local) %1 — não abriu: %2");
inline constexpr vek::Text kRecordsLocalFailing = VEK_TR("station", "Registros: SQLite (local) %1 — não grava: %2");
inline constexpr vek::Text kRecordsConnected = VEK_TR("station", "Registros: PostgreSQL %1 — conectado");
inline constexpr vek::Text kRecordsConnecting = VEK_TR("station", "Registros: PostgreSQL %1 — conectando");
inline constexpr vek::Text kRecordsAway = VEK_TR("station", "Registros: PostgreSQL %1 — sem resposta desde %2");
inline constexpr vek::Text kRecordsQueued = VEK_TR("station", ", %1 registros na fila local");
inline constexpr vek::Text kRecordsOutboxFailing = VEK_TR("station", " — a fila local não grava: %1");
// At the end: the count left in the outbox, the host; or the server.
inline constexpr vek::Text kRecordsLeftQueued =
    VEK_TR("station", "%1 registros na fila local de %2: seguem na próxima execução ou com `vektool-cli records sync`");
inline constexpr vek::Text kRecordsAllSent = VEK_TR("station", "Todos os registros chegaram ao servidor %1");
inline constexpr vek::Text kRecordsQueueUnread =
    VEK_TR("station", "A fila local de %1 não pôde ser lida: confira com `vektool-cli records sync`");
// Which ports the station watches: the list, or every USB serial port.
inline constexpr vek::Text kWatchingPorts = VEK_TR("station", "Portas vigiadas: %1");
inline constexpr vek::Text kWatchingAll = VEK_TR("station", "Portas vigiadas: toda porta serial USB que aparecer%1");
inline constexpr vek::Text kWatchingExtra = VEK_TR("station", ", e %1");
inline constexpr vek::Text kWatchingNoneYet =
    VEK_TR("station", "Nenhuma porta serial USB presente agora: a estação espera um Vek ser conectado (Ctrl+C encerra)");
// records sync: the server and how many rows went, how many are left.
inline constexpr vek::Text kSyncSent = VEK_TR("station", "%1: %2 registros enviados, %3 na fila local");
inline constexpr vek::Text kSyncAway = VEK_TR("station", "%1: sem resposta; %2 registros continuam na fila local (%3)");
inline constexpr vek::Text kSyncNothing = VEK_TR("station", "Nada na fila local %1: todos os registros já estão nos servidores");
inline constexpr vek::Text kSyncLegacy =
    VEK_TR("station", "%1 registros de uma versão anterior não dizem a que servidor vão: use --db para enviá-los");
// The listing's mark on a run still in this machine's outbox.
inline constexpr vek::Text kListedQueued = VEK_TR("station", "(na fila local)");
// A run left `running` by another host's station that is gone: the time it
// began and its station.
inline constexpr vek::Text kListedNoNews = VEK_TR("station", "sem notícia desde %1 (estação %2)");
inline constexpr vek::Text kRecordsNotOpen = VEK_TR("station", "o banco de registros não está aberto");

// The command line's station and records.
inline constexpr vek::Text kLineMarkedInterrupted = VEK_TR("station", "execução %1 marcada como interrompida (a estação dela parou)");
// The source, its SHA-256 when a file, the firmware release units are brought to.
inline constexpr vek::Text kLineSource = VEK_TR("station", "Configuração: %1%2 · firmware alvo %3");
// The file and the SHA-256 of the bytes read at the start.
inline constexpr vek::Text kFileChanged =
    VEK_TR("station", "O arquivo %1 mudou no disco: a estação segue com a configuração lida ao iniciar (SHA-256 %2). "
    "Reinicie a estação para usar o novo arquivo.");
inline constexpr vek::Text kSummary = VEK_TR("station", "unidades: %1 concluídas, %2 falharam, %3 interrompidas");
inline constexpr vek::Text kSummaryUnrecorded =
    VEK_TR("station", "ATENÇÃO: %1 unidades concluídas, mas NÃO registradas: separe-as e passe-as de novo");
inline constexpr vek::Text kBadSince =
    VEK_TR("station", "--since pede uma data AAAA-MM-DD ou data e hora AAAA-MM-DDTHH:MM[:SS], e nada mais: %1");
inline constexpr vek::Text kBadVerdict = VEK_TR("station", "--verdict pede passed, failed, interrupted ou running: %1");
inline constexpr vek::Text kCsvAlone = VEK_TR("station", "--csv não se combina com --json nem com --summary");
// Units, runs, then units by their last verdict.
inline constexpr vek::Text kRecordsSummary =
    VEK_TR("station", "%1 unidades (%2 execuções): %3 aprovadas, %4 reprovadas, %5 interrompidas, %6 em andamento");
// Beside the final yield: first pass, rework, without news; per station.
inline constexpr vek::Text kRecordsYield =
    VEK_TR("station", "Rendimento final %1 · primeira passagem %2 · retrabalho %3 unidades · sem notícia %4");
inline constexpr vek::Text kRecordsStation = VEK_TR("station", "Estação %1: %2");
inline constexpr vek::Text kRecordsReasons = VEK_TR("station", "Motivos de falha (unidades):");
// A run's verdict as the listing words it (the stored word stays in --json
// and --csv).
inline constexpr vek::Text kVerdictPassed = VEK_TR("station", "aprovado");
inline constexpr vek::Text kVerdictFailed = VEK_TR("station", "reprovado");
inline constexpr vek::Text kVerdictInterrupted = VEK_TR("station", "interrompido");
inline constexpr vek::Text kVerdictRunning = VEK_TR("station", "em andamento");

}  // namespace vek::station::texts
