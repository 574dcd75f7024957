#pragma once
#include "text/text.h"
// What the session itself writes in the log, in one place.

namespace vek::session::texts {

inline constexpr vek::Text kReadDone = VEK_TR("session", "Leitura da configuração interna concluída!");
inline constexpr vek::Text kInvalidConfiguration = VEK_TR("session", "Configuração inválida!");
inline constexpr vek::Text kPreparingNorvale = VEK_TR("session", "Preparando configuração Norvale...");
inline constexpr vek::Text kPreparingDefaults = VEK_TR("session", "Preparando configuração padrão...");

// The read-back after every configuration write.
inline constexpr vek::Text kVerified = VEK_TR("session", "Configuração conferida: o Vek guardou exatamente o que foi gravado.");
// Offset, byte written, byte read back.
inline constexpr vek::Text kVerifyMismatch =
    VEK_TR("session", "A configuração lida de volta difere da gravada a partir do byte %1 (gravado 0x%2, lido 0x%3)! "
    "Grave novamente.");
inline constexpr vek::Text kVerifyFailed =
    VEK_TR("session", "Não foi possível ler de volta a configuração gravada: a gravação não está confirmada! Grave novamente.");

// An operation that ended without finishing, and what to do next.
inline constexpr vek::Text kFirmwareInterrupted =
    VEK_TR("session", "A atualização do firmware foi interrompida! Reconecte o Vek: a atualização recomeça do início.");
inline constexpr vek::Text kWriteInterrupted =
    VEK_TR("session", "A gravação da configuração foi interrompida! Reconecte o Vek e grave novamente.");
inline constexpr vek::Text kReadInterrupted =
    VEK_TR("session", "A leitura da configuração foi interrompida! Reconecte o Vek para ler novamente.");

// The road after new firmware: nothing counts as updated before the unit
// announces a version that needs no update.
inline constexpr vek::Text kRestarting = VEK_TR("session", "Firmware enviado: o Vek está reiniciando com o novo firmware...");
// The version it came back with.
inline constexpr vek::Text kFirmwareNotTaken = VEK_TR("session", "O Vek voltou com a versão %1: o novo firmware não foi aceito!");
// The identifier that came back, then the one that left.
inline constexpr vek::Text kOtherUnitReturned =
    VEK_TR("session", "Outro Vek voltou na porta (Id: %1) no lugar do que recebeu o firmware (Id: %2)!");
inline constexpr vek::Text kDidNotReturn = VEK_TR("session", "O Vek não voltou a se identificar depois do novo firmware!");

// Unit types the road does not serve, and units it will not write yet.
inline constexpr vek::Text kTypeLeftAlone = VEK_TR("session", "Este tipo de Vek (%1) não é atendido por esta ferramenta.");
inline constexpr vek::Text kNeedsFirmware =
    VEK_TR("session", "O Vek precisa de novo firmware antes de ser configurado: nada foi gravado.");
inline constexpr vek::Text kNoFirmwareForType = VEK_TR("session", "Este tipo de Vek (%1) não recebe o firmware desta ferramenta.");

// The copy of what a unit holds, read before it is changed.
inline constexpr vek::Text kBackupReading = VEK_TR("session", "Lendo uma cópia da configuração do Vek antes de alterá-lo...");
inline constexpr vek::Text kBackupUnanswered =
    VEK_TR("session", "O Vek não respondeu à leitura da cópia da configuração: a operação segue sem a cópia.");

}  // namespace vek::session::texts
