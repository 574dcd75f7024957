#pragma once
// What the unit controller writes in the log, in one place. UTF-8; "%1" is
// the port's name, "%2" the system's own words.

namespace vek::unit::texts {

inline constexpr const char* kOpened = "Conexão aberta...";
inline constexpr const char* kClosed = "Conexão fechada...";

inline constexpr const char* kOpenNotFound =
    "Não foi possível abrir a porta %1: ela não existe. Confira o cabo USB e escolha a porta de novo na lista.";
inline constexpr const char* kOpenBusy =
    "Não foi possível abrir a porta %1: ela está em uso por outro programa. Feche o outro programa e tente de novo.";
inline constexpr const char* kOpenPermission = "Não foi possível abrir a porta %1: sem permissão de acesso.";
inline constexpr const char* kOpenPermissionHint =
    " Adicione seu usuário ao grupo dialout (sudo usermod -aG dialout $USER) e entre de novo na sessão.";
inline constexpr const char* kOpenOther = "Não foi possível abrir a porta %1: %2";

inline constexpr const char* kNoAnswer =
    "Nenhum Vek respondeu na porta %1. Confira se é a porta certa e se o cabo USB está bem conectado.";

}  // namespace vek::unit::texts
