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
inline constexpr const char* kStopped = "estação encerrada pelo operador";

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

}  // namespace vek::station::texts
