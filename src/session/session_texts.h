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

}  // namespace vek::session::texts
