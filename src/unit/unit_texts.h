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

// Backups of what a unit held.
inline constexpr const char* kBackupKept = "Cópia da configuração do Vek guardada: %1";
inline constexpr const char* kBackupNotJson = "não é um documento JSON";
inline constexpr const char* kBackupNotBackup = "não é uma cópia de configuração do VekTool";
inline constexpr const char* kBackupVersion = "versão de cópia desconhecida";
inline constexpr const char* kBackupImage = "a imagem não tem %1 bytes em hexadecimal";
inline constexpr const char* kBackupUnreadable = "não foi possível ler %1: %2";
inline constexpr const char* kBackupTooLarge = "%1 é grande demais para uma cópia de configuração (mais de 1 MB)";
inline constexpr const char* kBackupNoFolder = "não foi possível criar a pasta %1";
inline constexpr const char* kBackupNotWritten = "não foi possível gravar a cópia %1: %2";

}  // namespace vek::unit::texts
