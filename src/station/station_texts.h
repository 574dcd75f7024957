#pragma once
// What the production station says, in one place (UTF-8, Portuguese).

namespace vek::station::texts {

// Steps of a unit's run.
inline constexpr const char* kStepWaiting = "aguardando Vek";
inline constexpr const char* kStepNoAnswer = "nenhum Vek responde";
inline constexpr const char* kStepFirmware = "atualizando firmware";
inline constexpr const char* kStepRestarting = "reiniciando";
inline constexpr const char* kStepWriting = "gravando configuração";
inline constexpr const char* kStepVerifying = "conferindo";
inline constexpr const char* kStepPassed = "concluído";
inline constexpr const char* kStepFailed = "falhou";
inline constexpr const char* kStepInterrupted = "interrompido";
inline constexpr const char* kStepHeld = "aguardando: a estação não inicia novas unidades agora";
inline constexpr const char* kStepRecording = "registrando";
inline constexpr const char* kStepNotRecorded = "NÃO registrado";

// Reasons a run fails.
inline constexpr const char* kOperationMode = "o Vek está em modo de operação";
inline constexpr const char* kDiscontinued = "versão de Vek descontinuada (tipo %1)";
inline constexpr const char* kTypeLeftAlone = "tipo de Vek não atendido por esta ferramenta (%1)";
inline constexpr const char* kNeedsFirmware = "o Vek precisa de novo firmware antes de ser configurado";
// The version the unit came back with.
inline constexpr const char* kFirmwareNotTaken = "o novo firmware não foi aceito: o Vek voltou com a versão %1";
inline constexpr const char* kNoReturn = "o Vek não voltou a se identificar depois do novo firmware";
// The identifier that came back.
inline constexpr const char* kOtherUnitReturned = "outro Vek voltou na porta (Id: %1) depois do novo firmware";
inline constexpr const char* kInvalidConfiguration = "o Vek guarda uma configuração inválida";
// Why the station's configuration was refused.
inline constexpr const char* kRefused = "a configuração da estação foi recusada: %1";
// The step that stopped.
inline constexpr const char* kTimeout = "o Vek parou de responder durante: %1";
// Offset, byte written, byte read back (both in hex).
inline constexpr const char* kReadBackDiffers =
    "a configuração lida de volta difere da gravada a partir do byte %1 (gravado 0x%2, lido 0x%3)";
inline constexpr const char* kUnplugged = "o Vek foi desconectado durante: %1";
// The other port with the same identifier.
inline constexpr const char* kDuplicateId = "identificador repetido: o mesmo Id está na porta %1";
inline constexpr const char* kNotRecorded = "o registro não pôde ser gravado, o Vek não foi alterado: %1";
// How the run ended ("concluído", "falhou", …) and why its record is not stored.
inline constexpr const char* kNotRecordedEnd = "%1, mas NÃO registrado: %2";
inline constexpr const char* kStopped = "estação encerrada pelo operador";
// How many units are still running.
inline constexpr const char* kDraining =
    "Parando: as %1 unidades em andamento terminam e nenhuma nova começa. Ctrl+C de novo interrompe já.";
inline constexpr const char* kHeld =
    "Os registros não estão sendo gravados: nenhuma unidade nova começa até o banco voltar.";
inline constexpr const char* kResumed = "Os registros voltaram a ser gravados: novas unidades começam.";

// A run that passed with something to say: the type is discontinued.
inline constexpr const char* kDiscontinuedWarning =
    "versão de Vek descontinuada (tipo %1): configurado sem novo firmware";

// A running unit's bar: its percent (the bar's own "%p%"), speed and time left.
inline constexpr const char* kRowProgress = "%p% · %1 · %2";
inline constexpr const char* kRowRate = "%1 kB/s";
inline constexpr const char* kRowRateUnknown = "–";

// The station's lines: port, identifier, version; port, version before, after;
// port, identifier, step and, when there is one, the reason.
inline constexpr const char* kLineUnit = "%1: Vek %2 v%3";
inline constexpr const char* kLineFirmware = "%1: %2 → %3";
inline constexpr const char* kLineEnded = "%1: %2 %3";
inline constexpr const char* kLineEndedWhy = "%1: %2 %3: %4";

// Where records go and how it stands (the place, the time, the count, the reason).
inline constexpr const char* kRecordsLocal = "Registros: SQLite (local) %1";
inline constexpr const char* kRecordsLocalClosed = "Registros: SQLite (local) %1 — não abriu: %2";
inline constexpr const char* kRecordsLocalFailing = "Registros: SQLite (local) %1 — não grava: %2";
inline constexpr const char* kRecordsConnected = "Registros: PostgreSQL %1 — conectado";
inline constexpr const char* kRecordsConnecting = "Registros: PostgreSQL %1 — conectando";
inline constexpr const char* kRecordsAway = "Registros: PostgreSQL %1 — sem resposta desde %2";
inline constexpr const char* kRecordsQueued = ", %1 registros na fila local";
inline constexpr const char* kRecordsOutboxFailing = " — a fila local não grava: %1";
inline constexpr const char* kRecordsNotOpen = "o banco de registros não está aberto";

// The command line's station and records.
inline constexpr const char* kLineMarkedInterrupted = "execução %1 marcada como interrompida (a estação dela parou)";
// The source, its SHA-256 when a file, the firmware release units are brought to.
inline constexpr const char* kLineSource = "Configuração: %1%2 · firmware alvo %3";
// The file and the SHA-256 of the bytes read at the start.
inline constexpr const char* kFileChanged =
    "O arquivo %1 mudou no disco: a estação segue com a configuração lida ao iniciar (SHA-256 %2). "
    "Reinicie a estação para usar o novo arquivo.";
inline constexpr const char* kSummary = "unidades: %1 concluídas, %2 falharam, %3 interrompidas";
inline constexpr const char* kSummaryUnrecorded =
    "ATENÇÃO: %1 unidades concluídas, mas NÃO registradas: separe-as e passe-as de novo";
inline constexpr const char* kBadSince =
    "--since pede uma data AAAA-MM-DD ou data e hora AAAA-MM-DDTHH:MM[:SS], e nada mais: %1";
inline constexpr const char* kBadVerdict = "--verdict pede passed, failed, interrupted ou running: %1";
inline constexpr const char* kCsvAlone = "--csv não se combina com --json nem com --summary";
// Units, runs, then units by their last verdict.
inline constexpr const char* kRecordsSummary =
    "%1 unidades (%2 execuções): %3 aprovadas, %4 reprovadas, %5 interrompidas, %6 em andamento";
inline constexpr const char* kRecordsReasons = "Motivos de falha (unidades):";

}  // namespace vek::station::texts
