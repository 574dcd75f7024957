#pragma once
// What the session itself writes in the log, in one place.

namespace vek::session::texts {

inline constexpr const char* kReadDone = "Leitura da configuração interna concluída!";
inline constexpr const char* kInvalidConfiguration = "Configuração inválida!";
inline constexpr const char* kPreparingNorvale = "Preparando configuração Norvale...";
inline constexpr const char* kPreparingDefaults = "Preparando configuração padrão...";

}  // namespace vek::session::texts
