#pragma once
// What the transfer engine and the configuration read show, in one place.

namespace vek::transfer::texts {

// Block transfer.
inline constexpr const char* kStarting = "Iniciando atualização...";
inline constexpr const char* kUpdatingFirmware = "Atualizando firmware...";
inline constexpr const char* kUpdatingConfiguration = "Atualizando configuração...";
inline constexpr const char* kSucceeded = "Atualização concluída com sucesso!";
inline constexpr const char* kTransferFailed =
    "A operação não foi concluida!\r\nNacks = %d\r\nCode10 = %d\r\nCode15 = %d\r\nCode20 = %d";
inline constexpr const char* kNoConnection = "Não há conexão ativa!";
inline constexpr const char* kCaptionTransferClosed = "ERRO #0x01";
inline constexpr const char* kCaptionTransferFailed = "ERRO #0x02";

// Configuration read.
inline constexpr const char* kReading = "Buscando configuração interna...";
inline constexpr const char* kReadFailed = "A operação não pode ser concluida!";
inline constexpr const char* kCaptionReadClosed = "ERRO #0x03";
inline constexpr const char* kCaptionReadFailed = "ERRO #0x04";

}  // namespace vek::transfer::texts
