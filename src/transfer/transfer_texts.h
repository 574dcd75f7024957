#pragma once
#include "text/text.h"
// What the transfer engine and the configuration read show, in one place.

namespace vek::transfer::texts {

// Block transfer.
inline constexpr vek::Text kStarting = VEK_TR("transfer", "Iniciando atualização...");
inline constexpr vek::Text kUpdatingFirmware = VEK_TR("transfer", "Atualizando firmware...");
inline constexpr vek::Text kUpdatingConfiguration = VEK_TR("transfer", "Atualizando configuração...");
inline constexpr vek::Text kSucceeded = VEK_TR("transfer", "Atualização concluída com sucesso!");

// Configuration read.
inline constexpr vek::Text kReading = VEK_TR("transfer", "Buscando configuração interna...");

}  // namespace vek::transfer::texts
