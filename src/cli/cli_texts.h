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
    "  diff --port P --file ARQ [--json]      compara, campo a campo, o Vek com um arquivo\n"
    "  validate --file ARQ [--json]           confere um arquivo de configuração\n"
    "  write --port P (--file ARQ | --preset default|norvale) [--dry-run] [--no-verify] [--json]\n"
    "                                         guarda uma cópia, grava uma configuração e a confere\n"
    "  flash --port P [--force] [--json]      atualiza o firmware quando preciso\n"
    "  backups [--unit ID] [--json]           lista as cópias do que cada Vek guardava\n"
    "  restore --port P --backup ARQ [--yes] [--json]\n"
    "                                         grava de volta uma cópia e a confere\n"
    "  remote (--port P | --file ARQ) [--json]\n"
    "                                         lista os comandos de configuração remota\n"
    "  station (--preset NOME | --file ARQ) [--ports P1,P2,… | --all] [--db URL] [--count N]\n"
    "                                         estação de produção: vários Vek ao mesmo tempo\n"
    "  records [--db URL] [--since DATA] [--csv]\n"
    "                                         lista os registros da produção\n"
    "\n"
    "P é o nome que 'ports' mostra (ttyACM0, COM3) ou o caminho do dispositivo.\n"
    "Fora station e records, todo comando aceita --quiet (só erros e avisos).\n"
    "Resultados vão para a saída padrão; andamento e mensagens, para a saída de erro.\n"
    "Durante write, flash e restore, o primeiro Ctrl+C deixa o trabalho terminar;\n"
    "o segundo interrompe (código 130).\n"
    "'vektool-cli <comando> --help' explica cada comando; --version diz a versão.\n"
    "\n"
    "Códigos de saída: 0 sucesso; 1 o Vek recusou, falhou ou a conferência diferiu (cada caso\n"
    "com sua mensagem; com --json, \"outcome\" diz qual), ou diff achou diferenças;\n"
    "2 uso ou arquivo inválido; 3 a porta não abriu; 4 nenhum Vek respondeu em 3 s;\n"
    "5 diff não conseguiu ler a configuração do Vek; 130 interrompido por um segundo Ctrl+C.\n";

// A command's own help and the arguments it refuses.
inline constexpr const char* kCommandUsage = "Uso: vektool-cli %1 [opções]";
inline constexpr const char* kOptionsHeading = "Opções:";
inline constexpr const char* kUnknownOption = "opção desconhecida: %1";
// The option, then the name of its value.
inline constexpr const char* kOptionNeedsValue = "falta o valor de %1 (%2)";
inline constexpr const char* kOptionTakesNoValue = "%1 não leva valor";
inline constexpr const char* kUnexpectedArgument = "argumento inesperado: %1";
inline constexpr const char* kSeeHelp = "'vektool-cli %1 --help' mostra as opções\n";

inline constexpr const char* kUnknownCommand = "comando desconhecido: %1";
inline constexpr const char* kNeedsPort = "falta --port";
inline constexpr const char* kFileOrPreset = "use --file ARQ ou --preset default|norvale (um dos dois)";
inline constexpr const char* kUnknownPreset = "configuração pronta desconhecida: %1 (use default ou norvale)";
inline constexpr const char* kPortOrFile = "use --port P ou --file ARQ (um dos dois)";
inline constexpr const char* kCannotReadFile = "não foi possível ler %1: %2";
// The file, then the bound in bytes.
inline constexpr const char* kFileTooLarge =
    "%1 passa de 1 MB: não é um arquivo de configuração (uma configuração tem poucos kB); nada foi carregado";
inline constexpr const char* kValid = "%1: configuração válida";
inline constexpr const char* kNeedsFile = "falta --file";
inline constexpr const char* kNeedsBackup = "falta --backup";
inline constexpr const char* kDryRunOnlyWrites = "--dry-run não combina com --no-verify: nada é gravado";
inline constexpr const char* kCannotWriteFile = "não foi possível gravar %1: %2";
inline constexpr const char* kBadFile = "%1: %2";
// The file's value ahead of the write's refusal, and the mark of a value cut
// short (its whole size in bytes).
inline constexpr const char* kRefusedValue = "%1 — ";
inline constexpr const char* kShortened = "… (%1 bytes)";
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

// Comparing a unit with a file, field by field: the label, the file's key,
// the unit's value, the file's value.
inline constexpr const char* kDiffLine = "%1 [%2]: Vek %3, arquivo %4";
inline constexpr const char* kSame = "o Vek tem exatamente a configuração de %1";
inline constexpr const char* kDiffCount = "%1 campo(s) diferem de %2";
inline constexpr const char* kReadFailed = "não foi possível ler a configuração do Vek: %1";
// write --dry-run.
inline constexpr const char* kWouldChange = "%1 [%2]: %3 → %4";
inline constexpr const char* kWouldChangeCount = "um write gravaria %1 campo(s); nada foi gravado (--dry-run)";
inline constexpr const char* kWouldChangeNothing =
    "o Vek já tem esta configuração: um write não mudaria nenhum campo; nada foi gravado (--dry-run)";
inline constexpr const char* kWouldReplaceInvalid =
    "a configuração guardada no Vek é inválida: um write a substituiria inteira; nada foi gravado (--dry-run)";

// Backups.
inline constexpr const char* kBackupKept = "cópia do que o Vek guardava: %1";
inline constexpr const char* kBackupSame = "cópia do que o Vek guardava (igual a uma já guardada): %1";
inline constexpr const char* kBackupFailed = "aviso: a cópia do que o Vek guardava não foi guardada: %1";
inline constexpr const char* kNoBackups = "nenhuma cópia em %1";
inline constexpr const char* kNoBackupsOf = "nenhuma cópia do Vek %1 em %2";
inline constexpr const char* kBadUnit = "--unit pede o identificador do Vek: 24 dígitos hexadecimais (ou três grupos de 8): %1";
// Time (UTC), unit's 24 digits, firmware, valid or not, size, path.
inline constexpr const char* kBackupLine = "%1  %2  %3  %4  %5 bytes  %6";
inline constexpr const char* kBackupValid = "válida";
inline constexpr const char* kBackupInvalid = "inválida";
inline constexpr const char* kRestoreConfirm =
    "Gravar no Vek da porta %1 a cópia de %2 (Vek %3, tirada em %4)? O que o Vek guarda agora será substituído "
    "(uma cópia dele é guardada antes). [s/N] ";
inline constexpr const char* kRestoreNeedsYes =
    "restore substitui a configuração do Vek: confirme com --yes (a entrada não é um terminal para perguntar)";
inline constexpr const char* kRestoreDeclined = "nada foi gravado";
// The backup's unit, the unit on the port.
inline constexpr const char* kRestoreOtherUnit =
    "aviso: a cópia é do Vek %1, mas o Vek na porta é o %2; gravando assim mesmo (uma unidade de reposição?)";
inline constexpr const char* kRestored = "cópia gravada no Vek e conferida";
inline constexpr const char* kRestoredUnverified = "cópia gravada no Vek (sem conferência)";

// Ctrl+C in two steps.
inline constexpr const char* kInterruptFirst =
    "Ctrl+C: o trabalho no Vek vai até o fim, para não deixá-lo pela metade (um firmware nunca é cortado no meio "
    "de propósito); Ctrl+C de novo interrompe agora";
// What the unit is left with after the second; "%1" is the port.
inline constexpr const char* kInterruptedFirmware =
    "interrompido no meio do firmware: o Vek fica no carregador, sem firmware que funcione; rode "
    "'vektool-cli flash --port %1' de novo para terminar a atualização";
inline constexpr const char* kInterruptedRestarting =
    "interrompido com o firmware já enviado, enquanto o Vek reiniciava: confira com 'vektool-cli identify --port %1'";
inline constexpr const char* kInterruptedWrite =
    "interrompido no meio da gravação: a configuração do Vek ficou pela metade; grave de novo com "
    "'vektool-cli write --port %1'";
inline constexpr const char* kInterruptedWriteBackup = " ou restaure a cópia: 'vektool-cli restore --port %1 --backup %2'";
inline constexpr const char* kInterruptedRestore =
    "interrompido no meio da gravação: a configuração do Vek ficou pela metade; grave a cópia de novo com "
    "'vektool-cli restore --port %1 --backup %2'";
inline constexpr const char* kInterruptedVerify =
    "interrompido na conferência: a configuração foi gravada mas não conferida; confira com 'vektool-cli diff --port %1'";
inline constexpr const char* kInterruptedNothing = "interrompido antes de qualquer alteração: o Vek ficou como estava";

// Progress.
inline constexpr const char* kOpFirmware = "atualizando firmware";
inline constexpr const char* kOpWrite = "gravando configuração";
inline constexpr const char* kOpRead = "lendo configuração";
inline constexpr const char* kOpVerify = "conferindo configuração";
inline constexpr const char* kBlocks = "blocos";
inline constexpr const char* kLeft = "restam";
inline constexpr const char* kRate = "kB/s";

}  // namespace vek::cli::texts
