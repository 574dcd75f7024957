#pragma once
#include "text/text.h"
// What the window itself says, in one place. UTF-8; "%1", "%2" … are filled
// in where the text is used.

#include <QtGlobal>

namespace vek::app::texts {

// The connect button's tip, also its name for screen readers.
inline constexpr vek::Text kConnectHint = VEK_TR("app", "Conectar à porta selecionada");
inline constexpr vek::Text kDisconnectHint = VEK_TR("app", "Desconectar a porta");

// The update check's labels and offer.
inline constexpr vek::Text kUpToDate = VEK_TR("app", "O VekTool está atualizado");
inline constexpr vek::Text kOfferText =
    VEK_TR("app", "Há uma nova versão do aplicativo VekTool disponível\r\ngostaria de fazer o download agora?");
inline constexpr vek::Text kOfferCaption = VEK_TR("app", "Atualização VekTool");
inline constexpr vek::Text kDownloadLink = VEK_TR("app", "Clique aqui para atualizar o VekTool");

// The port list: name, the system's description, USB vendor:product.
inline constexpr vek::Text kPortWithDescription = VEK_TR("app", "%1 — %2");
inline constexpr vek::Text kPortUsbIds = VEK_TR("app", "%1 (%2)");

// The status line under the bar. What runs, then its progress: percent,
// blocks done and in all, speed, time left.
inline constexpr vek::Text kRunningFirmware = VEK_TR("app", "Atualizando o firmware");
inline constexpr vek::Text kRunningWrite = VEK_TR("app", "Gravando a configuração");
inline constexpr vek::Text kRunningRead = VEK_TR("app", "Lendo a configuração");
inline constexpr vek::Text kRunningVerify = VEK_TR("app", "Conferindo a configuração gravada");
inline constexpr vek::Text kProgress = VEK_TR("app", "%1: %2 % · bloco %3 de %4 · %5 blocos/s · %6");
inline constexpr vek::Text kTimeLeft = VEK_TR("app", "faltam %1");
inline constexpr vek::Text kTimeLeftUnknown = VEK_TR("app", "calculando o tempo restante");
inline constexpr vek::Text kSeconds = VEK_TR("app", "%1 s");
inline constexpr vek::Text kMinutes = VEK_TR("app", "%1 min %2 s");
// How the last operation ended, kept until the next one starts.
inline constexpr vek::Text kDoneFirmware = VEK_TR("app", "Firmware atualizado: o Vek voltou com a versão %1.");
inline constexpr vek::Text kDoneFirmwareRead = VEK_TR("app", "Firmware atualizado para a versão %1 e configuração lida.");
inline constexpr vek::Text kDoneRead = VEK_TR("app", "Configuração lida.");
inline constexpr vek::Text kDoneWrite = VEK_TR("app", "Configuração gravada.");
inline constexpr vek::Text kDoneWriteVerified = VEK_TR("app", "Configuração gravada e conferida.");
inline constexpr vek::Text kFailed = VEK_TR("app", "Falhou: %1");
// Why a road ended badly follows "Falhou: ".
inline constexpr vek::Text kNotDone = VEK_TR("app", "Não foi feito: %1.");
inline constexpr vek::Text kDoneRestoredInvalid =
    VEK_TR("app", "Cópia gravada e conferida: o Vek guarda uma configuração inválida, como a cópia.");
inline constexpr vek::Text kDoneWithoutCopy = VEK_TR("app", " Nenhuma cópia do que o Vek guardava foi tirada.");

// The Log: a line that comes again and again is kept once, with its count.
inline constexpr vek::Text kRepeated = VEK_TR("app", "%1 (×%2)");
inline constexpr vek::Text kSaveLog = VEK_TR("app", "Salvar o log em arquivo...");
inline constexpr vek::Text kSaveLogTitle = VEK_TR("app", "Salvar o log");
inline constexpr vek::Text kSaveLogFilter = VEK_TR("app", "Texto (*.txt);;Todos os arquivos (*)");
inline constexpr vek::Text kSaveFailedCaption = VEK_TR("app", "Erro");
inline constexpr vek::Text kSaveFailed = VEK_TR("app", "Não foi possível gravar o arquivo %1:\r\n%2");

// The menu bar.
inline constexpr vek::Text kMenuFile = VEK_TR("app", "&Arquivo");
inline constexpr vek::Text kMenuOpen = VEK_TR("app", "&Abrir configuração...");
inline constexpr vek::Text kMenuSave = VEK_TR("app", "&Salvar configuração...");
inline constexpr vek::Text kMenuCompare = VEK_TR("app", "&Comparar com arquivo...");
inline constexpr vek::Text kMenuDataFolder = VEK_TR("app", "Abrir pasta de &dados");
inline constexpr vek::Text kMenuQuit = VEK_TR("app", "Sai&r");
inline constexpr vek::Text kMenuUnit = VEK_TR("app", "&Unidade");
inline constexpr vek::Text kMenuRestore = VEK_TR("app", "&Restaurar cópia...");
inline constexpr vek::Text kMenuBackupFolder = VEK_TR("app", "Abrir pasta de &cópias");
inline constexpr vek::Text kMenuHelp = VEK_TR("app", "A&juda");
inline constexpr vek::Text kMenuAbout = VEK_TR("app", "&Sobre o VekTool");
// The language menu names each language in its own words, so anyone finds
// theirs whatever the window speaks now.
inline constexpr vek::Text kMenuLanguage = VEK_TR("app", "&Idioma");

// The serial trace, a setting of the Unidade menu.
inline constexpr vek::Text kMenuSerialTrace = VEK_TR("app", "Registrar &tráfego serial");
inline constexpr vek::Text kMenuSerialTraceHint =
    VEK_TR("app", "Grava cada quadro enviado e recebido, com hora, num arquivo da pasta de dados (trace)");
inline constexpr vek::Text kTraceStarted = VEK_TR("app", "Registro do tráfego serial em %1");
inline constexpr vek::Text kTraceEnded = VEK_TR("app", "Registro do tráfego serial encerrado: %1");
inline constexpr vek::Text kTraceFailed = VEK_TR("app", "Não foi possível abrir o registro do tráfego serial %1: %2");
inline constexpr vek::Text kLanguageChosen =
    VEK_TR("app", "O idioma escolhido vale a partir da próxima vez que o VekTool abrir.");
inline constexpr vek::Text kAboutText =
    VEK_TR("app", "%1\r\nManutenção e configuração do Vek pela porta USB.\r\n"
    "Linha de comando: vektool-cli --help. Manual: man vektool.");

// Configuration files and backups.
inline constexpr vek::Text kFilesCaption = VEK_TR("app", "Erro");
inline constexpr vek::Text kConfigFilter = VEK_TR("app", "Configuração do Vek (*.json);;Todos os arquivos (*)");
inline constexpr vek::Text kOpenTitle = VEK_TR("app", "Abrir configuração");
inline constexpr vek::Text kSaveTitle = VEK_TR("app", "Salvar configuração");
inline constexpr vek::Text kFileUnreadable = VEK_TR("app", "Não foi possível ler o arquivo %1:\r\n%2");
inline constexpr vek::Text kFileTooLarge =
    VEK_TR("app", "O arquivo %1 é grande demais para uma configuração (mais de 1 MB): nada foi carregado.");
inline constexpr vek::Text kFileRefused = VEK_TR("app", "O arquivo %1 não foi carregado, nada mudou no formulário:\r\n%2");
inline constexpr vek::Text kBackupNoForm =
    VEK_TR("app", "A cópia %1 guarda uma configuração inválida: ela não cabe no formulário, mas pode ser gravada no Vek "
    "(Unidade > Restaurar cópia).");
inline constexpr vek::Text kFileLoaded = VEK_TR("app", "Configuração carregada no formulário: %1 (grave com CONFIGURAR)");
inline constexpr vek::Text kCompareTitle = VEK_TR("app", "Comparar com arquivo");
inline constexpr vek::Text kCompareUnit = VEK_TR("app", "Vek");
inline constexpr vek::Text kCompareForm = VEK_TR("app", "Formulário");
inline constexpr vek::Text kCompareFile = VEK_TR("app", "Arquivo");
inline constexpr vek::Text kCompareField = VEK_TR("app", "Campo");
inline constexpr vek::Text kCompareSame = VEK_TR("app", "Nenhuma diferença: o arquivo tem a mesma configuração que o %1.");
inline constexpr vek::Text kCompareDiffer = VEK_TR("app", "%2 campo(s) diferem entre o %1 e o arquivo:");
inline constexpr vek::Text kCompareLoad = VEK_TR("app", "Carregar o arquivo no formulário");
inline constexpr vek::Text kClose = VEK_TR("app", "Fechar");
inline constexpr vek::Text kBackupKeptLine = VEK_TR("app", "Cópia da configuração do Vek guardada em %1");
inline constexpr vek::Text kBackupFailed = VEK_TR("app", "A cópia da configuração do Vek não foi guardada: %1");
inline constexpr vek::Text kBackupLoaded = VEK_TR("app", "Cópia carregada no formulário: %1 (grave com CONFIGURAR)");
inline constexpr vek::Text kRestoreTitle = VEK_TR("app", "Restaurar cópia");
inline constexpr vek::Text kRestoreNone = VEK_TR("app", "Nenhuma cópia guardada ainda.");
inline constexpr vek::Text kRestoreAll = VEK_TR("app", "Cópias de todos os Vek (conecte um Vek para ver só as dele):");
inline constexpr vek::Text kRestoreOfUnit = VEK_TR("app", "Cópias do Vek %1, da mais nova à mais antiga:");
// How many files of a unit's backup folder are no backup, and where they went.
inline constexpr vek::Text kRestoreSetAside =
    VEK_TR("app", "%1 arquivo(s) posto(s) de lado em %2: não são cópias que se possam restaurar.");
inline constexpr vek::Text kRestoreWhen = VEK_TR("app", "Quando");
inline constexpr vek::Text kRestoreUnit = VEK_TR("app", "Vek");
inline constexpr vek::Text kRestoreFirmware = VEK_TR("app", "Firmware");
inline constexpr vek::Text kRestoreDifferences = VEK_TR("app", "Diferenças");
inline constexpr vek::Text kRestoreInvalid = VEK_TR("app", "inválida");
inline constexpr vek::Text kRestoreToForm = VEK_TR("app", "Carregar no formulário");
inline constexpr vek::Text kRestoreToUnit = VEK_TR("app", "Gravar no Vek...");
inline constexpr vek::Text kRestoreConfirm =
    VEK_TR("app", "Gravar no Vek %2 a cópia de %1, byte a byte, e conferir lendo de volta?");
inline constexpr vek::Text kRestoreOtherUnit =
    VEK_TR("app", "\r\n\r\nAtenção: esta cópia é de outro Vek (%1), não do conectado (%2).");
inline constexpr vek::Text kRestoreInvalidConfirm =
    VEK_TR("app", "A cópia de %1 não é uma configuração válida. Gravá-la deixa o Vek %2 com uma configuração inválida, "
    "exatamente como estava quando a cópia foi tirada.\r\n\r\nGravar esses bytes assim mesmo?");
// The copy's time and unit.
inline constexpr vek::Text kRestoreStarted = VEK_TR("app", "Gravando no Vek a cópia de %1 (Vek %2)...");
inline constexpr vek::Text kCopyNotKeptAsk =
    VEK_TR("app", "Não foi possível guardar uma cópia do que o Vek guarda antes de alterá-lo:\r\n%1\r\n\r\n"
    "Nada foi alterado. Alterar o Vek mesmo assim, sem a cópia?");
inline constexpr vek::Text kWithoutCopyLine =
    VEK_TR("app", "Alterando o Vek sem cópia do que ele guarda, como confirmado.");
inline constexpr vek::Text kFolderNotCreated = VEK_TR("app", "a pasta não pôde ser criada");
inline constexpr vek::Text kDailyLogFailed =
    VEK_TR("app", "Não foi possível gravar o registro diário em %1: %2. O log desta janela continua normalmente.");

// The production list.
inline constexpr vek::Text kExportList = VEK_TR("app", "Exportar a lista em CSV...");
inline constexpr vek::Text kExportListTitle = VEK_TR("app", "Exportar a lista de IDs");
inline constexpr vek::Text kExportListFilter = VEK_TR("app", "CSV (*.csv);;Todos os arquivos (*)");
inline constexpr const char* kCsvHeader = "identificador,data_hora,qr";
inline constexpr const char* kVerdictOk = "OK";
inline constexpr const char* kVerdictMismatch = "X";

// Names for screen readers. A check box is named by its group, its row and
// its own caption.
inline constexpr vek::Text kCheckBoxName = VEK_TR("app", "%1: %2: %3");
inline constexpr vek::Text kComboWithNote = VEK_TR("app", "%1 (%2)");
inline constexpr vek::Text kPortListName = VEK_TR("app", "Porta serial");
inline constexpr vek::Text kLogName = VEK_TR("app", "Log de mensagens");
inline constexpr vek::Text kStatusName = VEK_TR("app", "Andamento da operação");
inline constexpr vek::Text kProgressName = VEK_TR("app", "Progresso da operação");
inline constexpr vek::Text kIdListName = VEK_TR("app", "Lista de IDs identificados");
inline constexpr vek::Text kIdCountName = VEK_TR("app", "Quantidade de IDs na lista");
inline constexpr vek::Text kUsbIdName = VEK_TR("app", "ID lido pela USB");
inline constexpr vek::Text kQrIdName = VEK_TR("app", "ID lido do QR code");
inline constexpr vek::Text kVerdictName = VEK_TR("app", "Comparação entre USB e QR code");

// The production panel's way to the station.
inline constexpr vek::Text kOpenStation = VEK_TR("app", "Estação de produção...");
inline constexpr vek::Text kOpenStationHint = VEK_TR("app", "Abrir a estação de produção: vários Vek ao mesmo tempo, cada um registrado");

// The station window.
inline constexpr vek::Text kStationTitle = VEK_TR("app", "VekTool — Estação de produção");
inline constexpr vek::Text kStationConfiguration = VEK_TR("app", "Configuração a gravar:");
inline constexpr vek::Text kStationDefault = VEK_TR("app", "Padrão");
inline constexpr vek::Text kStationNorvale = VEK_TR("app", "Norvale");
inline constexpr vek::Text kStationFromFile = VEK_TR("app", "Arquivo...");
inline constexpr vek::Text kStationChooseFile = VEK_TR("app", "Escolher arquivo de configuração");
inline constexpr vek::Text kStationFileFilter = VEK_TR("app", "Configuração VekTool (*.json)");
inline constexpr vek::Text kStationStart = VEK_TR("app", "Iniciar estação");
inline constexpr vek::Text kStationStop = VEK_TR("app", "Parar estação");
inline constexpr vek::Text kStationHeaders[] = {VEK_TR("app", "Porta"),     VEK_TR("app", "Identificador"), VEK_TR("app", "Firmware"), VEK_TR("app", "Etapa"),
                                                  VEK_TR("app", "Progresso"), VEK_TR("app", "Resultado"),     VEK_TR("app", "Tempo"),    VEK_TR("app", "Etiqueta QR")};
inline constexpr vek::Text kStationPassed = VEK_TR("app", "OK");
inline constexpr vek::Text kStationFailed = VEK_TR("app", "FALHOU");
inline constexpr vek::Text kStationInterrupted = VEK_TR("app", "INTERROMPIDO");
inline constexpr vek::Text kStationQrUnknown = VEK_TR("app", "Etiqueta %1 não corresponde a nenhum Vek da estação!");
inline constexpr vek::Text kStationQrRecorded = VEK_TR("app", "Etiqueta %1 registrada em %2.");
inline constexpr vek::Text kStationWaiting = VEK_TR("app", "Conecte os Vek: cada porta começa sozinha.");
// Units by their last run, as the records count them.
inline constexpr vek::Text kStationSummary =
    VEK_TR("app", "Aprovadas: %1   Reprovadas: %2   Interrompidas: %3   Sem registro: %4");
// The large counters under the table, each over its number.
inline constexpr vek::Text kStationCountPassed = VEK_TR("app", "Aprovadas");
inline constexpr vek::Text kStationCountFailed = VEK_TR("app", "Reprovadas");
inline constexpr vek::Text kStationCountInterrupted = VEK_TR("app", "Interrompidas");
inline constexpr vek::Text kStationCountUnrecorded = VEK_TR("app", "Sem registro");
// Sends the local queue to the server now, without waiting for the next try.
inline constexpr vek::Text kStationSendNow = VEK_TR("app", "Enviar agora");
inline constexpr vek::Text kStationSendNowHint =
    VEK_TR("app", "Envia já ao servidor os registros que esperam na fila local desta máquina");
inline constexpr vek::Text kStationNoRecords = VEK_TR("app", "Registros: nenhum — nada desta estação é registrado");
// How the records stand, as the station words it.
inline constexpr vek::Text kStationRecordsClosed = VEK_TR("app", "A estação não começa sem registros. %1");

// The station window: where its records go, what it writes, how it stops.
inline constexpr vek::Text kStationDatabase = VEK_TR("app", "Banco de registros:");
inline constexpr vek::Text kStationDatabaseLocal = VEK_TR("app", "Local (SQLite)");
inline constexpr vek::Text kStationDatabaseShared = VEK_TR("app", "PostgreSQL");
inline constexpr vek::Text kStationDatabaseUrlHint = VEK_TR("app", "postgresql://usuário@servidor:5432/banco");
inline constexpr vek::Text kStationDatabaseUrlName = VEK_TR("app", "Endereço do banco PostgreSQL dos registros");
inline constexpr vek::Text kStationDatabaseWhileRunning = VEK_TR("app", "O banco de registros só pode ser trocado com a estação parada.");
inline constexpr vek::Text kStationDatabaseNoUrl = VEK_TR("app", "Informe o endereço do banco: postgresql://usuário@servidor:porta/banco.");
// The server, the user, the file the password goes to.
inline constexpr vek::Text kStationPasswordTitle = VEK_TR("app", "Senha do banco de registros");
inline constexpr vek::Text kStationPasswordAsk =
    VEK_TR("app", "O servidor %1 pede a senha do usuário %2.\n"
    "Ela fica guardada só em %3, que apenas você pode ler; nunca nas preferências nem no endereço.");
// The file; the file and why.
inline constexpr vek::Text kStationPasswordKept = VEK_TR("app", "Senha guardada em %1: a estação tenta o servidor de novo.");
inline constexpr vek::Text kStationPasswordNotKept = VEK_TR("app", "A senha não pôde ser guardada em %1: %2");
inline constexpr vek::Text kStationOpenRecords = VEK_TR("app", "Registros...");
inline constexpr vek::Text kStationOpenRecordsHint =
    VEK_TR("app", "Abrir os registros de produção: rendimento, motivos de falha, execuções");
// Where the configuration came from (a preset's name; a file's name and the
// start of its SHA-256), and the firmware release units are brought to.
inline constexpr vek::Text kStationSourcePreset = VEK_TR("app", "Configuração: %1 · firmware alvo %2");
inline constexpr vek::Text kStationSourceFile = VEK_TR("app", "Configuração: %1 (SHA-256 %2…) · firmware alvo %3");
inline constexpr vek::Text kStationSourceSha = VEK_TR("app", "SHA-256 %1");
// The file and the start of the SHA-256 of the bytes in use.
inline constexpr vek::Text kStationFileChanged =
    VEK_TR("app", "O arquivo %1 mudou no disco: a estação segue com a configuração lida ao escolhê-lo (SHA-256 %2…). "
    "Pare e escolha o arquivo de novo para usar o novo conteúdo.");
// "Parar estação": the question's caption (its words are the leaving question's).
inline constexpr vek::Text kStationStopCaption = VEK_TR("app", "Parar estação");
inline constexpr vek::Text kStationDraining =
    VEK_TR("app", "Parando: as unidades em andamento terminam e nenhuma nova começa. \"Parar já\" interrompe as que restam.");
inline constexpr vek::Text kStationStopNow = VEK_TR("app", "Parar já");
// A running unit's time left before the controller has an estimate.
inline constexpr vek::Text kStationTimeLeftUnknown = VEK_TR("app", "faltam …");

// vektool on the command line, answered before any window exists. The
// help is its head ("%1": the usage line), the options (from the table the
// manual page is made from), then its tail ("%1": the data folder, "%2" the
// settings file).
inline constexpr vek::Text kAppUsageHead =
    VEK_TR("app", "Uso: vektool %1\n"
    "\n"
    "Janela de manutenção do Vek, a unidade de telemetria veicular: identifica o Vek\n"
    "pela porta serial virtual do cabo USB, atualiza o firmware quando preciso, lê a\n"
    "configuração para um formulário, valida e grava de volta.\n"
    "\n"
    "Opções:\n");
inline constexpr vek::Text kAppUsageTail =
    VEK_TR("app", "\n"
    "Arquivos:\n"
    "  %1/logs/vektool-AAAA-MM-DD.log\n"
    "                o log de cada dia, com a hora e a porta de cada linha\n"
    "  %2\n"
    "                as preferências da janela\n"
    "  %1/records.sqlite\n"
    "                os registros da produção\n"
    "  %1/backups/<identificador>/\n"
    "                um arquivo JSON para cada conteúdo diferente que o Vek guardava\n"
    "                antes de a ferramenta alterá-lo\n"
    "\n"
    "Sem janela, para scripts e linhas de produção: 'vektool-cli --help'.\n"
    "Manual: 'man vektool'.\n");
inline constexpr vek::Text kAppUnknownArgument = VEK_TR("app", "opção desconhecida: %1");
inline constexpr vek::Text kAppMissingValue = VEK_TR("app", "falta o valor de %1");
inline constexpr vek::Text kAppBadLanguage = VEK_TR("app", "--lang pede pt ou en: %1");
inline constexpr vek::Text kAppSeeHelp = VEK_TR("app", "Use 'vektool --help' para ver as opções.");
inline constexpr vek::Text kAppNoDisplay =
    VEK_TR("app", "nenhuma tela encontrada (DISPLAY não está definido): rode o vektool numa área de trabalho, ou sob o Xvfb: "
    "xvfb-run -a vektool");
// The Log's context menu: where the daily files are.
inline constexpr vek::Text kOpenLogFolder = VEK_TR("app", "Abrir pasta do log");

// A unit in operation mode: what the technician does next. The steps name
// how the system makes the port appear; "%1" is the port's name.
inline constexpr vek::Text kOperationModeSeen = VEK_TR("app", "O Vek foi detectado em modo de operação!");
#ifdef Q_OS_WIN
inline constexpr vek::Text kOperationModeSteps[] = {
    VEK_TR("app", "1-Desconectar todos os chicotes"),
    VEK_TR("app", "2-Conectar apenas o cabo USB"),
    VEK_TR("app", "3-Aguardar o Windows criar a porta (5 segundos)"),
    VEK_TR("app", "4-Rodar o VekTool e abrir a porta COM criada"),
};
#else
inline constexpr vek::Text kOperationModeSteps[] = {
    VEK_TR("app", "1-Desconectar todos os chicotes"),
    VEK_TR("app", "2-Conectar apenas o cabo USB"),
    VEK_TR("app", "3-Aguardar o sistema criar a porta (5 segundos)"),
    VEK_TR("app", "4-Abrir no VekTool a porta criada (%1)"),
};
#endif

// The last resort for an error no handler took: the box says what failed in
// the tool's words, and the tool goes on running.
inline constexpr vek::Text kSerialFailure = VEK_TR("app", "Erro na porta serial: %1.");
inline constexpr vek::Text kSerialOpenFailed = VEK_TR("app", "não foi possível abrir a porta");
inline constexpr vek::Text kSerialWriteFailed = VEK_TR("app", "não foi possível escrever na porta");
inline constexpr vek::Text kSerialReadFailed = VEK_TR("app", "não foi possível ler da porta");
inline constexpr vek::Text kSerialSetupFailed = VEK_TR("app", "não foi possível preparar a porta");
inline constexpr vek::Text kSerialOther = VEK_TR("app", "falha de código %1");
// Appended with the system's own words when there are some.
inline constexpr vek::Text kSystemSays = VEK_TR("app", "\r\nO sistema informou: %1");
inline constexpr vek::Text kUnexpectedError = VEK_TR("app", "Erro inesperado: %1");
inline constexpr vek::Text kUnknownError = VEK_TR("app", "Erro inesperado, sem descrição.");

}  // namespace vek::app::texts
