#pragma once
#include "text/text.h"
// What the command line says, in one place: Portuguese, like the window, so
// that the unit's own words (which come from the same core) read alike.

namespace vek::cli::texts {

// The usage, around one line a command made from the commands' own table.
inline constexpr vek::Text kUsageHead = VEK_TR("cli", "Uso: vektool-cli <comando> [opções]\n"
    "\n"
    "Comandos:\n");
inline constexpr vek::Text kUsageTail =
    VEK_TR("cli", "\n"
    "P é o nome que 'ports' mostra (ttyACM0, COM3) ou o caminho do dispositivo.\n"
    "Todo comando aceita --lang pt|en, o idioma das mensagens; sem ela, vale a preferência\n"
    "language, depois o idioma do sistema (en_* dá inglês; qualquer outro, português).\n"
    "Chaves de --json, cabeçalhos e valores de --csv não mudam com o idioma.\n"
    "Resultados vão para a saída padrão; andamento e mensagens, para a saída de erro.\n"
    "Os comandos que falam com um Vek, e station, aceitam --trace ARQ: cada quadro\n"
    "enviado e recebido, com hora, em ARQ ('-' é a saída de erro).\n"
    "Durante write, flash e restore, o primeiro Ctrl+C deixa o trabalho terminar;\n"
    "o segundo interrompe (código 130).\n"
    "'vektool-cli <comando> --help' explica cada comando; --version diz a versão.\n"
    "\n"
    "Códigos de saída: 0 sucesso; 1 o Vek recusou, falhou ou a conferência diferiu (cada caso\n"
    "com sua mensagem; com --json, \"outcome\" diz qual), ou diff achou diferenças;\n"
    "2 uso ou arquivo inválido; 3 a porta não abriu; 4 nenhum Vek respondeu em 3 s;\n"
    "5 diff não conseguiu ler a configuração do Vek; 130 interrompido por um segundo Ctrl+C.\n");

// The reference (--reference): the headings and column names of what is
// made from the tables, and what stops it.
inline constexpr vek::Text kRefSynopsis = VEK_TR("cli", "Sinopse");
inline constexpr vek::Text kRefCommands = VEK_TR("cli", "Comandos");
inline constexpr vek::Text kRefOptions = VEK_TR("cli", "Opções");
inline constexpr vek::Text kRefCommand = VEK_TR("cli", "comando");
inline constexpr vek::Text kRefWhatItDoes = VEK_TR("cli", "o que faz");
inline constexpr vek::Text kRefOption = VEK_TR("cli", "opção");
inline constexpr vek::Text kRefTakenBy = VEK_TR("cli", "comandos");
inline constexpr vek::Text kRefMeaning = VEK_TR("cli", "significado");
inline constexpr vek::Text kRefEveryCommand = VEK_TR("cli", "todo comando");
inline constexpr vek::Text kRefBadFormat = VEK_TR("cli", "--reference pede man, markdown ou check: %1");
// The command or option, then what it lacks.
inline constexpr vek::Text kRefNoDescription = VEK_TR("cli", "%1: sem descrição");
inline constexpr vek::Text kRefNoEnglish = VEK_TR("cli", "%1: sem tradução inglesa de \"%2\" (translations/vektool_en.ts)");
inline constexpr vek::Text kRefUnknownInForm = VEK_TR("cli", "%1: o uso nomeia --%2, que o comando não tem");

// A command's own help and the arguments it refuses.
inline constexpr vek::Text kCommandUsage = VEK_TR("cli", "Uso: vektool-cli %1 [opções]");
inline constexpr vek::Text kOptionsHeading = VEK_TR("cli", "Opções:");
inline constexpr vek::Text kUnknownOption = VEK_TR("cli", "opção desconhecida: %1");
// The option, then the name of its value.
inline constexpr vek::Text kOptionNeedsValue = VEK_TR("cli", "falta o valor de %1 (%2)");
inline constexpr vek::Text kOptionTakesNoValue = VEK_TR("cli", "%1 não leva valor");
inline constexpr vek::Text kUnexpectedArgument = VEK_TR("cli", "argumento inesperado: %1");
inline constexpr vek::Text kSeeHelp = VEK_TR("cli", "'vektool-cli %1 --help' mostra as opções\n");

inline constexpr vek::Text kUnknownCommand = VEK_TR("cli", "comando desconhecido: %1");
inline constexpr vek::Text kBadLanguage = VEK_TR("cli", "--lang pede pt ou en: %1");
inline constexpr vek::Text kNeedsPort = VEK_TR("cli", "falta --port");
inline constexpr vek::Text kFileOrPreset = VEK_TR("cli", "use --file ARQ ou --preset default|norvale (um dos dois)");
inline constexpr vek::Text kUnknownPreset = VEK_TR("cli", "configuração pronta desconhecida: %1 (use default ou norvale)");
inline constexpr vek::Text kPortOrFile = VEK_TR("cli", "use --port P ou --file ARQ (um dos dois)");
inline constexpr vek::Text kCannotReadFile = VEK_TR("cli", "não foi possível ler %1: %2");
// The file, then the bound in bytes.
inline constexpr vek::Text kFileTooLarge =
    VEK_TR("cli", "%1 passa de 1 MB: não é um arquivo de configuração (uma configuração tem poucos kB); nada foi carregado");
inline constexpr vek::Text kValid = VEK_TR("cli", "%1: configuração válida");
inline constexpr vek::Text kNeedsFile = VEK_TR("cli", "falta --file");
inline constexpr vek::Text kNeedsBackup = VEK_TR("cli", "falta --backup");
inline constexpr vek::Text kDryRunOnlyWrites = VEK_TR("cli", "--dry-run não combina com --no-verify: nada é gravado");
inline constexpr vek::Text kCannotWriteFile = VEK_TR("cli", "não foi possível gravar %1: %2");
inline constexpr vek::Text kCannotTrace = VEK_TR("cli", "não foi possível abrir o registro das portas %1: %2");
inline constexpr vek::Text kBadFile = VEK_TR("cli", "%1: %2");
// The file's value ahead of the write's refusal, and the mark of a value cut
// short (its whole size in bytes).
inline constexpr vek::Text kRefusedValue = VEK_TR("cli", "%1 — ");
inline constexpr vek::Text kShortened = VEK_TR("cli", "… (%1 bytes)");
inline constexpr vek::Text kPortsOrAll = VEK_TR("cli", "use --ports P1,P2,… ou --all (um dos dois)");
inline constexpr vek::Text kBadCount = VEK_TR("cli", "--count pede um número inteiro: %1");
inline constexpr vek::Text kNoPorts = VEK_TR("cli", "nenhuma porta serial encontrada");

inline constexpr vek::Text kDiscontinuedWarning =
    VEK_TR("cli", "aviso: o Vek do tipo %1 está descontinuado; fale com o fabricante para mais informações");
inline constexpr vek::Text kNeedsFirmware =
    VEK_TR("cli", "o Vek precisa de novo firmware antes de ser configurado: rode 'vektool-cli flash' primeiro; nada foi gravado");

// A road that ended well.
inline constexpr vek::Text kUpToDate = VEK_TR("cli", "o Vek já está com o firmware atual (%1); nada foi alterado");
inline constexpr vek::Text kFlashed = VEK_TR("cli", "firmware atualizado: %1 → %2");
inline constexpr vek::Text kWritten = VEK_TR("cli", "configuração gravada e conferida");
inline constexpr vek::Text kWrittenUnverified = VEK_TR("cli", "configuração gravada (sem conferência)");
inline constexpr vek::Text kSaved = VEK_TR("cli", "configuração salva em %1");

// Identification.
inline constexpr vek::Text kIdentVersion = VEK_TR("cli", "versão: %1");
inline constexpr vek::Text kIdentId = VEK_TR("cli", "id: %1");
inline constexpr vek::Text kIdentType = VEK_TR("cli", "tipo: %1");
inline constexpr vek::Text kIdentNeedsUpdate = VEK_TR("cli", "atualização de firmware: %1");
inline constexpr vek::Text kYes = VEK_TR("cli", "necessária");
inline constexpr vek::Text kNo = VEK_TR("cli", "não necessária");

// Comparing a unit with a file, field by field: the label, the file's key,
// the unit's value, the file's value.
inline constexpr vek::Text kDiffLine = VEK_TR("cli", "%1 [%2]: Vek %3, arquivo %4");
inline constexpr vek::Text kSame = VEK_TR("cli", "o Vek tem exatamente a configuração de %1");
inline constexpr vek::Text kDiffCount = VEK_TR("cli", "%1 campo(s) diferem de %2");
inline constexpr vek::Text kReadFailed = VEK_TR("cli", "não foi possível ler a configuração do Vek: %1");
// write --dry-run.
inline constexpr vek::Text kWouldChange = VEK_TR("cli", "%1 [%2]: %3 → %4");
inline constexpr vek::Text kWouldChangeCount = VEK_TR("cli", "um write gravaria %1 campo(s); nada foi gravado (--dry-run)");
inline constexpr vek::Text kWouldChangeNothing =
    VEK_TR("cli", "o Vek já tem esta configuração: um write não mudaria nenhum campo; nada foi gravado (--dry-run)");
inline constexpr vek::Text kWouldReplaceInvalid =
    VEK_TR("cli", "a configuração guardada no Vek é inválida: um write a substituiria inteira; nada foi gravado (--dry-run)");

// Backups.
inline constexpr vek::Text kBackupKept = VEK_TR("cli", "cópia do que o Vek guardava: %1");
inline constexpr vek::Text kBackupSame = VEK_TR("cli", "cópia do que o Vek guardava (igual a uma já guardada): %1");
inline constexpr vek::Text kBackupFailed = VEK_TR("cli", "aviso: a cópia do que o Vek guardava não foi guardada: %1");
inline constexpr vek::Text kNoBackups = VEK_TR("cli", "nenhuma cópia em %1");
inline constexpr vek::Text kNoBackupsOf = VEK_TR("cli", "nenhuma cópia do Vek %1 em %2");
inline constexpr vek::Text kBadUnit =
    VEK_TR("cli", "--unit pede o identificador do Vek, ou parte dele, em dígitos hexadecimais: %1");
// Time (UTC), unit's 24 digits, firmware, valid or not, size, path.
inline constexpr vek::Text kBackupLine = VEK_TR("cli", "%1  %2  %3  %4  %5 bytes  %6");
inline constexpr vek::Text kBackupValid = VEK_TR("cli", "válida");
inline constexpr vek::Text kBackupInvalid = VEK_TR("cli", "inválida");
// Files of a unit's backup folder that are no backup: how many, where they are now.
inline constexpr vek::Text kBackupsSetAside =
    VEK_TR("cli", "%1 arquivo(s) posto(s) de lado em %2: não são cópias que se possam restaurar");
// Why a file that is no backup stayed where it was.
inline constexpr vek::Text kBackupNotSetAside = VEK_TR("cli", "aviso: %1");
inline constexpr vek::Text kRestoreConfirm =
    VEK_TR("cli", "Gravar no Vek da porta %1 a cópia de %2 (Vek %3, tirada em %4)? O que o Vek guarda agora será substituído "
    "(uma cópia dele é guardada antes). [s/N] ");
inline constexpr vek::Text kRestoreNeedsYes =
    VEK_TR("cli", "restore substitui a configuração do Vek: confirme com --yes (a entrada não é um terminal para perguntar)");
inline constexpr vek::Text kRestoreDeclined = VEK_TR("cli", "nada foi gravado");
// The backup's unit, the unit on the port.
inline constexpr vek::Text kRestoreOtherUnit =
    VEK_TR("cli", "aviso: a cópia é do Vek %1, mas o Vek na porta é o %2; gravando assim mesmo (uma unidade de reposição?)");
inline constexpr vek::Text kRestored = VEK_TR("cli", "cópia gravada no Vek e conferida");
inline constexpr vek::Text kRestoredUnverified = VEK_TR("cli", "cópia gravada no Vek (sem conferência)");
inline constexpr vek::Text kRestoredInvalid =
    VEK_TR("cli", "cópia gravada no Vek e lida de volta igual: o Vek guarda uma configuração inválida, como a cópia");
inline constexpr vek::Text kWithoutCopy = VEK_TR("cli", "; nenhuma cópia do que o Vek guardava foi tirada (--no-backup)");

// Ctrl+C in two steps.
inline constexpr vek::Text kInterruptFirst =
    VEK_TR("cli", "Ctrl+C: o trabalho no Vek vai até o fim, para não deixá-lo pela metade (um firmware nunca é cortado no meio "
    "de propósito); Ctrl+C de novo interrompe agora");
// What the unit is left with after the second; "%1" is the port.
inline constexpr vek::Text kInterruptedFirmware =
    VEK_TR("cli", "interrompido no meio do firmware: o Vek fica no carregador, sem firmware que funcione; rode "
    "'vektool-cli flash --port %1' de novo para terminar a atualização");
inline constexpr vek::Text kInterruptedRestarting =
    VEK_TR("cli", "interrompido com o firmware já enviado, enquanto o Vek reiniciava: confira com 'vektool-cli identify --port %1'");
inline constexpr vek::Text kInterruptedWrite =
    VEK_TR("cli", "interrompido no meio da gravação: a configuração do Vek ficou pela metade; grave de novo com "
    "'vektool-cli write --port %1'");
inline constexpr vek::Text kInterruptedWriteBackup = VEK_TR("cli", " ou restaure a cópia: 'vektool-cli restore --port %1 --backup %2'");
inline constexpr vek::Text kInterruptedRestore =
    VEK_TR("cli", "interrompido no meio da gravação: a configuração do Vek ficou pela metade; grave a cópia de novo com "
    "'vektool-cli restore --port %1 --backup %2'");
inline constexpr vek::Text kInterruptedVerify =
    VEK_TR("cli", "interrompido na conferência: a configuração foi gravada mas não conferida; confira com 'vektool-cli diff --port %1'");
inline constexpr vek::Text kInterruptedNothing = VEK_TR("cli", "interrompido antes de qualquer alteração: o Vek ficou como estava");

// Progress.
inline constexpr vek::Text kOpFirmware = VEK_TR("cli", "atualizando firmware");
inline constexpr vek::Text kOpWrite = VEK_TR("cli", "gravando configuração");
inline constexpr vek::Text kOpRead = VEK_TR("cli", "lendo configuração");
inline constexpr vek::Text kOpVerify = VEK_TR("cli", "conferindo configuração");
inline constexpr vek::Text kBlocks = VEK_TR("cli", "blocos");
inline constexpr vek::Text kLeft = VEK_TR("cli", "restam");
inline constexpr vek::Text kRate = VEK_TR("cli", "kB/s");

}  // namespace vek::cli::texts
