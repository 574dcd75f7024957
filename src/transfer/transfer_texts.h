#pragma once
#include "text/text.h"
// What the transfer engine and the configuration read show, in one place.

namespace vek::transfer::texts {

// Block transfer.
inline constexpr vek::Text kStarting = VEK_TR("transfer", "Iniciando atualização...");
inline constexpr vek::Text kUpdatingFirmware = VEK_TR("transfer", "Atualizando firmware...");
inline constexpr vek::Text kUpdatingConfiguration = VEK_TR("transfer", "Atualizando configuração...");
inline constexpr vek::Text kSucceeded = VEK_TR("transfer", "Atualização concluída com sucesso!");
inline constexpr vek::Text kTransferFailed =
    VEK_TR("transfer", "A operação não foi concluida!\r\nNacks = %1\r\nCode10 = %2\r\nCode15 = %3\r\nCode20 = %4");
inline constexpr vek::Text kNoConnection = VEK_TR("transfer", "Não há conexão ativa!");
inline constexpr vek::Text kCaptionTransferClosed = VEK_TR("transfer", "ERRO #0x01");
inline constexpr vek::Text kCaptionTransferFailed = VEK_TR("transfer", "ERRO #0x02");

// Configuration read.
inline constexpr vek::Text kReading = VEK_TR("transfer", "Buscando configuração interna...");
inline constexpr vek::Text kReadFailed = VEK_TR("transfer", "A operação não pode ser concluida!");
inline constexpr vek::Text kCaptionReadClosed = VEK_TR("transfer", "ERRO #0x03");
inline constexpr vek::Text kCaptionReadFailed = VEK_TR("transfer", "ERRO #0x04");

}  // namespace vek::transfer::texts
