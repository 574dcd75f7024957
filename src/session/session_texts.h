#pragma once
// What the session itself writes in the log, in one place.

namespace vek::session::texts {

inline constexpr const char* kReadDone = "Leitura da configuração interna concluída!";
inline constexpr const char* kInvalidConfiguration = "Configuração inválida!";
inline constexpr const char* kPreparingNorvale = "Preparando configuração Norvale...";
inline constexpr const char* kPreparingDefaults = "Preparando configuração padrão...";

// The read-back after every configuration write.
inline constexpr const char* kVerified = "Configuração conferida: o Vek guardou exatamente o que foi gravado.";
// Offset, byte written, byte read back.
inline constexpr const char* kVerifyMismatch =
    "A configuração lida de volta difere da gravada a partir do byte %ld (gravado 0x%02X, lido 0x%02X)! "
    "Grave novamente.";
inline constexpr const char* kVerifyFailed =
    "Não foi possível ler de volta a configuração gravada: a gravação não está confirmada! Grave novamente.";

// An operation that ended without finishing, and what to do next.
inline constexpr const char* kFirmwareInterrupted =
    "A atualização do firmware foi interrompida! Reconecte o Vek: a atualização recomeça do início.";
inline constexpr const char* kWriteInterrupted =
    "A gravação da configuração foi interrompida! Reconecte o Vek e grave novamente.";
inline constexpr const char* kReadInterrupted =
    "A leitura da configuração foi interrompida! Reconecte o Vek para ler novamente.";

// The road after new firmware: nothing counts as updated before the unit
// announces a version that needs no update.
inline constexpr const char* kRestarting = "Firmware enviado: o Vek está reiniciando com o novo firmware...";
// The version it came back with.
inline constexpr const char* kFirmwareNotTaken = "O Vek voltou com a versão %s: o novo firmware não foi aceito!";
// The identifier that came back, then the one that left.
inline constexpr const char* kOtherUnitReturned =
    "Outro Vek voltou na porta (Id: %s) no lugar do que recebeu o firmware (Id: %s)!";
inline constexpr const char* kDidNotReturn = "O Vek não voltou a se identificar depois do novo firmware!";

// Unit types the road does not serve, and units it will not write yet.
inline constexpr const char* kTypeLeftAlone = "Este tipo de Vek (%d) não é atendido por esta ferramenta.";
inline constexpr const char* kNeedsFirmware =
    "O Vek precisa de novo firmware antes de ser configurado: nada foi gravado.";
inline constexpr const char* kNoFirmwareForType = "Este tipo de Vek (%d) não recebe o firmware desta ferramenta.";

// The copy of what a unit holds, read before it is changed.
inline constexpr const char* kBackupReading = "Lendo uma cópia da configuração do Vek antes de alterá-lo...";
inline constexpr const char* kBackupUnanswered =
    "O Vek não respondeu à leitura da cópia da configuração: a operação segue sem a cópia.";

inline constexpr const char* kErrorCaption = "Erro";

}  // namespace vek::session::texts
