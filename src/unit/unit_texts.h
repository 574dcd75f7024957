#pragma once
#include "text/text.h"
// What the unit controller writes in the log, in one place. UTF-8; "%1" is
// the port's name, "%2" the system's own words.

namespace vek::unit::texts {

inline constexpr vek::Text kOpened = VEK_TR("unit", "Conexão aberta...");
inline constexpr vek::Text kClosed = VEK_TR("unit", "Conexão fechada...");

inline constexpr vek::Text kOpenNotFound =
    VEK_TR("unit", "Não foi possível abrir a porta %1: ela não existe. Confira o cabo USB e escolha a porta de novo na lista.");
inline constexpr vek::Text kOpenBusy =
    VEK_TR("unit", "Não foi possível abrir a porta %1: ela está em uso por outro programa. Feche o outro programa e tente de novo.");
inline constexpr vek::Text kOpenPermission = VEK_TR("unit", "Não foi possível abrir a porta %1: sem permissão de acesso.");
inline constexpr vek::Text kOpenPermissionHint =
    VEK_TR("unit", " Adicione seu usuário ao grupo dialout (sudo usermod -aG dialout $USER) e entre de novo na sessão.");
inline constexpr vek::Text kOpenOther = VEK_TR("unit", "Não foi possível abrir a porta %1: %2");

inline constexpr vek::Text kNoAnswer =
    VEK_TR("unit", "Nenhum Vek respondeu na porta %1. Confira se é a porta certa e se o cabo USB está bem conectado.");

// Backups of what a unit held.
inline constexpr vek::Text kBackupKept = VEK_TR("unit", "Cópia da configuração do Vek guardada: %1");
inline constexpr vek::Text kBackupNotJson = VEK_TR("unit", "não é um documento JSON");
inline constexpr vek::Text kBackupNotBackup = VEK_TR("unit", "não é uma cópia de configuração do VekTool");
inline constexpr vek::Text kBackupVersion = VEK_TR("unit", "versão de cópia desconhecida");
inline constexpr vek::Text kBackupImage = VEK_TR("unit", "a imagem não tem %1 bytes em hexadecimal");
inline constexpr vek::Text kBackupUnreadable = VEK_TR("unit", "não foi possível ler %1: %2");
inline constexpr vek::Text kBackupTooLarge = VEK_TR("unit", "%1 é grande demais para uma cópia de configuração (mais de 1 MB)");
inline constexpr vek::Text kBackupNoFolder = VEK_TR("unit", "não foi possível criar a pasta %1");
// The folder to create; what stands in the way (and where its link points).
inline constexpr vek::Text kBackupNotAFolder = VEK_TR("unit", "não foi possível criar a pasta %1: %2 é um arquivo, não uma pasta");
inline constexpr vek::Text kBackupDanglingLink =
    VEK_TR("unit", "não foi possível criar a pasta %1: %2 é um link para %3, que não existe");
// The file, why it is no backup, where it was to go, why it could not.
inline constexpr vek::Text kBackupNotSetAside =
    VEK_TR("unit", "%1 não é uma cópia (%2) e não pôde ser posto de lado em %3: %4");
inline constexpr vek::Text kBackupNotWritten = VEK_TR("unit", "não foi possível gravar a cópia %1: %2");

}  // namespace vek::unit::texts
