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
    "  write --port P (--file ARQ | --preset default|norvale) [--no-verify] [--json]\n"
    "                                         grava uma configuração e a confere\n"
    "  flash --port P [--force] [--json]      atualiza o firmware quando preciso\n"
    "  remote (--port P | --file ARQ)         lista os comandos de configuração remota\n"
    "  station (--preset NOME | --file ARQ) [--ports P1,P2,… | --all] [--db URL] [--count N]\n"
    "                                         estação de produção: vários Vek ao mesmo tempo\n"
    "  records [--db URL] [--since DATA] [--csv]\n"
    "                                         lista os registros da produção\n"
    "\n"
    "P é o nome que 'ports' mostra (ttyACM0, COM3) ou o caminho do dispositivo.\n"
    "'vektool-cli <comando> --help' explica cada comando; --version diz a versão.\n"
    "\n"
    "Códigos de saída: 0 sucesso; 1 o Vek recusou, falhou ou a conferência diferiu (cada caso\n"
    "com sua mensagem; com --json, \"outcome\" diz qual); 2 uso ou arquivo inválido;\n"
    "3 a porta não abriu; 4 nenhum Vek respondeu em 3 s.\n";

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

// How a road on a unit ended, one sentence a kind. "%1" is the port.
inline constexpr const char* kNoUnit =
    "nenhum Vek respondeu na porta %1 em 3 s: confira se é a porta certa e se o cabo USB está bem conectado";
inline constexpr const char* kOperationMode =
    "o Vek na porta %1 está em modo de operação: desconecte os chicotes, deixe só o cabo USB e tente de novo";
inline constexpr const char* kPortLost = "a porta %1 foi fechada: o Vek foi desconectado?";
// The port, what was running, then the link's counters.
inline constexpr const char* kPortLostDuring =
    "a porta %1 foi fechada durante %2: o Vek foi desconectado? (Nacks %3, Code10 %4, Code15 %5, Code20 %6)";
inline constexpr const char* kTimeoutDuring =
    "%1 não foi concluída: o Vek parou de responder ou recusou os blocos (Nacks %2, Code10 %3, Code15 %4, Code20 %5)";
inline constexpr const char* kTypeLeftAlone = "Este tipo de Vek (%1) não é atendido por esta ferramenta.";
inline constexpr const char* kDiscontinued = "o Vek do tipo %1 está descontinuado e não recebe este firmware";
inline constexpr const char* kDiscontinuedWarning =
    "aviso: o Vek do tipo %1 está descontinuado; fale com o fabricante para mais informações";
inline constexpr const char* kNeedsFirmware =
    "o Vek precisa de novo firmware antes de ser configurado: rode 'vektool-cli flash' primeiro; nada foi gravado";
inline constexpr const char* kFirmwareNotTaken = "o Vek voltou com a versão %1: o novo firmware não foi aceito";
// The identifier that came back, then the one that left.
inline constexpr const char* kOtherUnitReturned =
    "outro Vek voltou na porta (id %1) no lugar do que recebeu o firmware (id %2)";
inline constexpr const char* kNoReturn = "o Vek não voltou a se identificar depois do novo firmware";
inline constexpr const char* kInvalidImage =
    "a configuração guardada no Vek é inválida; nada foi alterado (grave uma com 'write')";
inline constexpr const char* kRefused = "configuração recusada no campo %1; nada foi enviado";
// Offset, byte written, byte read back.
inline constexpr const char* kReadBackDiffers =
    "a configuração lida de volta difere da gravada a partir do byte %1 (gravado 0x%2, lido 0x%3): grave novamente";
inline constexpr const char* kInterrupted = "a operação foi interrompida antes do fim";

// A road that ended well.
inline constexpr const char* kUpToDate = "o Vek já está com o firmware atual (%1); nada foi alterado";
inline constexpr const char* kFlashed = "firmware atualizado: %1 → %2";
inline constexpr const char* kWritten = "configuração gravada e conferida";
inline constexpr const char* kWrittenUnverified = "configuração gravada (sem conferência)";
inline constexpr const char* kSaved = "configuração salva em %1";

// What was running when a road stopped, as it reads after "durante".
inline constexpr const char* kDuringFirmware = "a atualização do firmware";
inline constexpr const char* kDuringWrite = "a gravação da configuração";
inline constexpr const char* kDuringRead = "a leitura da configuração";
inline constexpr const char* kDuringVerify = "a conferência da configuração";
inline constexpr const char* kDuringNothing = "a identificação";

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
inline constexpr const char* kRate = "kB/s";

}  // namespace vek::cli::texts
