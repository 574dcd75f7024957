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

// The road after new firmware: nothing counts as updated before the unit
// announces a version that needs no update.
inline constexpr vek::Text kRestarting = VEK_TR("session", "Firmware enviado: o Vek está reiniciando com o novo firmware...");

// The copy of what a unit holds, read before it is changed.
inline constexpr vek::Text kBackupReading = VEK_TR("session", "Lendo uma cópia da configuração do Vek antes de alterá-lo...");
inline constexpr vek::Text kBackupUnanswered =
    VEK_TR("session", "O Vek não respondeu à leitura da cópia da configuração: a operação segue sem a cópia.");

}  // namespace vek::session::texts
