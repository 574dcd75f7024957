#pragma once
// What the command line says, in one place: Portuguese, like the window, so
// that the unit's own words (which come from the same core) read alike.

namespace vek::cli::texts {

inline constexpr const char* kUsage =
    "Uso: vektool-cli <comando> [opções]\n"
    "\n"
    "Comandos:\n"
    "  ports [--json]                         lista as portas seriais\n"
    "  identify --port P [--json]             identifica o Vek na porta P\n"
    "  read --port P [--output ARQ] [--json]  lê a configuração do Vek (JSON)\n"
    "  write --port P (--file ARQ | --preset default|norvale) [--no-verify]\n"
    "                                         grava uma configuração e a confere\n"
    "  flash --port P [--force]               atualiza o firmware quando preciso\n"
    "  remote (--port P | --file ARQ)         lista os comandos de configuração remota\n"
    "  station (--preset NOME | --file ARQ) [--ports P1,P2,… | --all] [--db URL] [--count N]\n"
    "                                         estação de produção: vários Vek ao mesmo tempo\n"
    "  records [--db URL] [--since DATA] [--csv]\n"
    "                                         lista os registros da produção\n"
    "\n"
    "P é o nome que 'ports' mostra (ttyACM0, COM3) ou o caminho do dispositivo.\n"
    "'vektool-cli <comando> --help' explica cada comando; --version diz a versão.\n"
    "\n"
    "Códigos de saída: 0 sucesso; 1 o Vek recusou, falhou ou a conferência diferiu;\n"
    "2 uso ou arquivo inválido; 3 a porta não abriu; 4 nenhum Vek respondeu em 3 s.\n";

inline constexpr const char* kUnknownCommand = "comando desconhecido: %1";
inline constexpr const char* kNeedsPort = "falta --port";
inline constexpr const char* kFileOrPreset = "use --file ARQ ou --preset default|norvale (um dos dois)";
inline constexpr const char* kUnknownPreset = "configuração pronta desconhecida: %1 (use default ou norvale)";
inline constexpr const char* kPortOrFile = "use --port P ou --file ARQ (um dos dois)";
inline constexpr const char* kCannotReadFile = "não foi possível ler %1: %2";
inline constexpr const char* kCannotWriteFile = "não foi possível gravar %1: %2";
inline constexpr const char* kBadFile = "%1: %2";
inline constexpr const char* kPortsOrAll = "use --ports P1,P2,… ou --all (um dos dois)";
inline constexpr const char* kBadCount = "--count pede um número inteiro: %1";
inline constexpr const char* kNoPorts = "nenhuma porta serial encontrada";

inline constexpr const char* kOperationMode =
    "o Vek na porta %1 está em modo de operação: desconecte os chicotes, deixe só o cabo USB e tente de novo";
inline constexpr const char* kPortLost = "a porta %1 foi fechada: o Vek foi desconectado?";
inline constexpr const char* kNoReturn = "o Vek não voltou a se identificar depois do novo firmware";
inline constexpr const char* kNotUpdatable = "o Vek do tipo %1 não recebe este firmware";
inline constexpr const char* kUpToDate = "o Vek já está com o firmware atual (%1); nada foi alterado";
inline constexpr const char* kFlashed = "firmware atualizado: %1 → %2";
inline constexpr const char* kWritten = "configuração gravada e conferida";
inline constexpr const char* kWrittenUnverified = "configuração gravada (sem conferência)";
inline constexpr const char* kInvalidImage =
    "a configuração guardada no Vek é inválida; nada foi alterado (grave uma com 'write')";
inline constexpr const char* kSaved = "configuração salva em %1";

// Identification.
inline constexpr const char* kIdentVersion = "versão: %1";
inline constexpr const char* kIdentId = "id: %1";
inline constexpr const char* kIdentType = "tipo: %1";
inline constexpr const char* kIdentNeedsUpdate = "atualização de firmware: %1";
inline constexpr const char* kYes = "necessária";
inline constexpr const char* kNo = "não necessária";

// Progress.
inline constexpr const char* kOpFirmware = "atualizando firmware";
inline constexpr const char* kOpWrite = "gravando configuração";
inline constexpr const char* kOpRead = "lendo configuração";
inline constexpr const char* kOpVerify = "conferindo configuração";
inline constexpr const char* kBlocks = "blocos";
inline constexpr const char* kLeft = "restam";

}  // namespace vek::cli::texts
