#pragma once
// What the window itself says, in one place. UTF-8; "%1", "%2" … are filled
// in where the text is used.

#include <QtGlobal>

namespace vek::app::texts {

// The connect button's tip, also its name for screen readers.
inline constexpr const char* kConnectHint = "Conectar à porta selecionada";
inline constexpr const char* kDisconnectHint = "Desconectar a porta";

// The update check's labels and offer.
inline constexpr const char* kUpToDate = "O VekTool está atualizado";
inline constexpr const char* kOfferText =
    "Há uma nova versão do aplicativo VekTool disponível\r\ngostaria de fazer o download agora?";
inline constexpr const char* kOfferCaption = "Atualização VekTool";
inline constexpr const char* kDownloadLink = "Clique aqui para atualizar o VekTool";

// The port list: name, the system's description, USB vendor:product.
inline constexpr const char* kPortWithDescription = "%1 — %2";
inline constexpr const char* kPortUsbIds = "%1 (%2)";

// The status line under the bar. What runs, then its progress: percent,
// blocks done and in all, speed, time left.
inline constexpr const char* kRunningFirmware = "Atualizando o firmware";
inline constexpr const char* kRunningWrite = "Gravando a configuração";
inline constexpr const char* kRunningRead = "Lendo a configuração";
inline constexpr const char* kRunningVerify = "Conferindo a configuração gravada";
inline constexpr const char* kProgress = "%1: %2 % · bloco %3 de %4 · %5 blocos/s · %6";
inline constexpr const char* kTimeLeft = "faltam %1";
inline constexpr const char* kTimeLeftUnknown = "calculando o tempo restante";
inline constexpr const char* kSeconds = "%1 s";
inline constexpr const char* kMinutes = "%1 min %2 s";
// How the last operation ended, kept until the next one starts.
inline constexpr const char* kDoneFirmware = "Firmware atualizado: o Vek voltou com a versão %1.";
inline constexpr const char* kDoneFirmwareRead = "Firmware atualizado para a versão %1 e configuração lida.";
inline constexpr const char* kDoneRead = "Configuração lida.";
inline constexpr const char* kDoneWrite = "Configuração gravada.";
inline constexpr const char* kDoneWriteVerified = "Configuração gravada e conferida.";
inline constexpr const char* kFailed = "Falhou: %1";
// Why a road ended badly, after "Falhou: ".
inline constexpr const char* kWhyNoUnit = "nenhum Vek respondeu na porta";
// A transfer or read cut short (the port closed, or the unit fell silent).
inline constexpr const char* kWhyFirmwareCut =
    "A atualização do firmware foi interrompida! Reconecte o Vek: a atualização recomeça do início.";
inline constexpr const char* kWhyWriteCut = "A gravação da configuração foi interrompida! Reconecte o Vek e grave novamente.";
inline constexpr const char* kWhyReadCut = "A leitura da configuração foi interrompida! Reconecte o Vek para ler novamente.";
inline constexpr const char* kWhyVerifyCut =
    "Não foi possível ler de volta a configuração gravada: a gravação não está confirmada! Grave novamente.";
inline constexpr const char* kWhyOperationMode = "o Vek está em modo de operação";
inline constexpr const char* kWhyTypeLeftAlone = "este tipo de Vek (%1) não é atendido por esta ferramenta";
inline constexpr const char* kWhyDiscontinued = "este tipo de Vek (%1) não recebe o firmware desta ferramenta";
inline constexpr const char* kWhyNeedsFirmware = "o Vek precisa de novo firmware antes de ser configurado";
inline constexpr const char* kWhyFirmwareNotTaken = "o Vek voltou com a versão %1: o novo firmware não foi aceito";
inline constexpr const char* kWhyDidNotReturn = "o Vek não voltou a se identificar depois do novo firmware";
inline constexpr const char* kWhyOtherUnitReturned = "outro Vek voltou na porta (Id: %1)";
inline constexpr const char* kWhyInvalidConfiguration = "a configuração guardada no Vek é inválida";
inline constexpr const char* kWhyRefused = "Parâmetro inválido! [%1]";
inline constexpr const char* kWhyReadBackDiffers =
    "A configuração lida de volta difere da gravada a partir do byte %1 (gravado 0x%2, lido 0x%3)! Grave novamente.";
inline constexpr const char* kWhyInterrupted = "a operação foi interrompida";

// The Log: a line that comes again and again is kept once, with its count.
inline constexpr const char* kRepeated = "%1 (×%2)";
inline constexpr const char* kSaveLog = "Salvar o log em arquivo...";
inline constexpr const char* kSaveLogTitle = "Salvar o log";
inline constexpr const char* kSaveLogFilter = "Texto (*.txt);;Todos os arquivos (*)";
inline constexpr const char* kSaveFailedCaption = "Erro";
inline constexpr const char* kSaveFailed = "Não foi possível gravar o arquivo %1:\r\n%2";

// The menu bar.
inline constexpr const char* kMenuFile = "&Arquivo";
inline constexpr const char* kMenuOpen = "&Abrir configuração...";
inline constexpr const char* kMenuSave = "&Salvar configuração...";
inline constexpr const char* kMenuCompare = "&Comparar com arquivo...";
inline constexpr const char* kMenuDataFolder = "Abrir pasta de &dados";
inline constexpr const char* kMenuQuit = "Sai&r";
inline constexpr const char* kMenuUnit = "&Unidade";
inline constexpr const char* kMenuRestore = "&Restaurar cópia...";
inline constexpr const char* kMenuBackupFolder = "Abrir pasta de &cópias";
inline constexpr const char* kMenuHelp = "A&juda";
inline constexpr const char* kMenuAbout = "&Sobre o VekTool";
inline constexpr const char* kAboutText =
    "%1\r\nManutenção e configuração do Vek pela porta USB.\r\n"
    "Linha de comando: vektool-cli --help. Manual: man vektool.";

// Configuration files and backups.
inline constexpr const char* kFilesCaption = "Erro";
inline constexpr const char* kConfigFilter = "Configuração do Vek (*.json);;Todos os arquivos (*)";
inline constexpr const char* kOpenTitle = "Abrir configuração";
inline constexpr const char* kSaveTitle = "Salvar configuração";
inline constexpr const char* kFileUnreadable = "Não foi possível ler o arquivo %1:\r\n%2";
inline constexpr const char* kFileTooLarge =
    "O arquivo %1 é grande demais para uma configuração (mais de 1 MB): nada foi carregado.";
inline constexpr const char* kFileRefused = "O arquivo %1 não foi carregado, nada mudou no formulário:\r\n%2";
inline constexpr const char* kBackupNoForm =
    "A cópia %1 guarda uma configuração inválida: ela não cabe no formulário, mas pode ser gravada no Vek "
    "(Unidade > Restaurar cópia).";
inline constexpr const char* kFileLoaded = "Configuração carregada no formulário: %1 (grave com CONFIGURAR)";
inline constexpr const char* kCompareTitle = "Comparar com arquivo";
inline constexpr const char* kCompareUnit = "Vek";
inline constexpr const char* kCompareForm = "Formulário";
inline constexpr const char* kCompareFile = "Arquivo";
inline constexpr const char* kCompareField = "Campo";
inline constexpr const char* kCompareSame = "Nenhuma diferença: o arquivo tem a mesma configuração que o %1.";
inline constexpr const char* kCompareDiffer = "%2 campo(s) diferem entre o %1 e o arquivo:";
inline constexpr const char* kCompareLoad = "Carregar o arquivo no formulário";
inline constexpr const char* kClose = "Fechar";
inline constexpr const char* kBackupKeptLine = "Cópia da configuração do Vek guardada em %1";
inline constexpr const char* kBackupFailed = "A cópia da configuração do Vek não foi guardada: %1";
inline constexpr const char* kBackupLoaded = "Cópia carregada no formulário: %1 (grave com CONFIGURAR)";
inline constexpr const char* kRestoreTitle = "Restaurar cópia";
inline constexpr const char* kRestoreNone = "Nenhuma cópia guardada ainda.";
inline constexpr const char* kRestoreAll = "Cópias de todos os Vek (conecte um Vek para ver só as dele):";
inline constexpr const char* kRestoreOfUnit = "Cópias do Vek %1, da mais nova à mais antiga:";
inline constexpr const char* kRestoreWhen = "Quando";
inline constexpr const char* kRestoreUnit = "Vek";
inline constexpr const char* kRestoreFirmware = "Firmware";
inline constexpr const char* kRestoreDifferences = "Diferenças";
inline constexpr const char* kRestoreInvalid = "inválida";
inline constexpr const char* kRestoreToForm = "Carregar no formulário";
inline constexpr const char* kRestoreToUnit = "Gravar no Vek...";
inline constexpr const char* kRestoreConfirm =
    "Gravar no Vek %2 a cópia de %1, byte a byte, e conferir lendo de volta?";
inline constexpr const char* kRestoreOtherUnit =
    "\r\n\r\nAtenção: esta cópia é de outro Vek (%1), não do conectado (%2).";
inline constexpr const char* kFolderNotCreated = "a pasta não pôde ser criada";
inline constexpr const char* kDailyLogFailed =
    "Não foi possível gravar o registro diário em %1: %2. O log desta janela continua normalmente.";

// The production list.
inline constexpr const char* kExportList = "Exportar a lista em CSV...";
inline constexpr const char* kExportListTitle = "Exportar a lista de IDs";
inline constexpr const char* kExportListFilter = "CSV (*.csv);;Todos os arquivos (*)";
inline constexpr const char* kCsvHeader = "identificador,data_hora,qr";
inline constexpr const char* kVerdictOk = "OK";
inline constexpr const char* kVerdictMismatch = "X";

// Names for screen readers. A check box is named by its group, its row and
// its own caption.
inline constexpr const char* kCheckBoxName = "%1: %2: %3";
inline constexpr const char* kComboWithNote = "%1 (%2)";
inline constexpr const char* kPortListName = "Porta serial";
inline constexpr const char* kLogName = "Log de mensagens";
inline constexpr const char* kStatusName = "Andamento da operação";
inline constexpr const char* kProgressName = "Progresso da operação";
inline constexpr const char* kIdListName = "Lista de IDs identificados";
inline constexpr const char* kIdCountName = "Quantidade de IDs na lista";
inline constexpr const char* kUsbIdName = "ID lido pela USB";
inline constexpr const char* kQrIdName = "ID lido do QR code";
inline constexpr const char* kVerdictName = "Comparação entre USB e QR code";

// The production panel's way to the station.
inline constexpr const char* kOpenStation = "Estação de produção...";
inline constexpr const char* kOpenStationHint = "Abrir a estação de produção: vários Vek ao mesmo tempo, cada um registrado";

// The station window.
inline constexpr const char* kStationTitle = "VekTool — Estação de produção";
inline constexpr const char* kStationConfiguration = "Configuração a gravar:";
inline constexpr const char* kStationDefault = "Padrão";
inline constexpr const char* kStationNorvale = "Norvale";
inline constexpr const char* kStationFromFile = "Arquivo...";
inline constexpr const char* kStationChooseFile = "Escolher arquivo de configuração";
inline constexpr const char* kStationFileFilter = "Configuração VekTool (*.json)";
inline constexpr const char* kStationStart = "Iniciar estação";
inline constexpr const char* kStationStop = "Parar estação";
inline constexpr const char* kStationHeaders[] = {"Porta",     "Identificador", "Firmware", "Etapa",
                                                  "Progresso", "Resultado",     "Tempo",    "Etiqueta QR"};
inline constexpr const char* kStationPassed = "OK";
inline constexpr const char* kStationFailed = "FALHOU";
inline constexpr const char* kStationInterrupted = "INTERROMPIDO";
inline constexpr const char* kStationQrUnknown = "Etiqueta %1 não corresponde a nenhum Vek da estação!";
inline constexpr const char* kStationQrRecorded = "Etiqueta %1 registrada em %2.";
inline constexpr const char* kStationWaiting = "Conecte os Vek: cada porta começa sozinha.";
inline constexpr const char* kStationSummary = "Concluídos: %1   Falharam: %2";
inline constexpr const char* kStationNoRecords = "Registros: nenhum — nada desta estação é registrado";
// How the records stand, as the station words it.
inline constexpr const char* kStationRecordsClosed = "A estação não começa sem registros. %1";

// The station window: where its records go, what it writes, how it stops.
inline constexpr const char* kStationDatabase = "Banco de registros:";
inline constexpr const char* kStationDatabaseLocal = "Local (SQLite)";
inline constexpr const char* kStationDatabaseShared = "PostgreSQL";
inline constexpr const char* kStationDatabaseUrlHint = "postgresql://usuário@servidor:5432/banco";
inline constexpr const char* kStationDatabaseUrlName = "Endereço do banco PostgreSQL dos registros";
inline constexpr const char* kStationDatabaseWhileRunning = "O banco de registros só pode ser trocado com a estação parada.";
inline constexpr const char* kStationDatabaseNoUrl = "Informe o endereço do banco: postgresql://usuário@servidor:porta/banco.";
// The server, the user, the file the password goes to.
inline constexpr const char* kStationPasswordTitle = "Senha do banco de registros";
inline constexpr const char* kStationPasswordAsk =
    "O servidor %1 pede a senha do usuário %2.\n"
    "Ela fica guardada só em %3, que apenas você pode ler; nunca nas preferências nem no endereço.";
// The file; the file and why.
inline constexpr const char* kStationPasswordKept = "Senha guardada em %1: a estação tenta o servidor de novo.";
inline constexpr const char* kStationPasswordNotKept = "A senha não pôde ser guardada em %1: %2";
inline constexpr const char* kStationOpenRecords = "Registros...";
inline constexpr const char* kStationOpenRecordsHint =
    "Abrir os registros de produção: rendimento, motivos de falha, execuções";
// Where the configuration came from (a preset's name; a file's name and the
// start of its SHA-256), and the firmware release units are brought to.
inline constexpr const char* kStationSourcePreset = "Configuração: %1 · firmware alvo %2";
inline constexpr const char* kStationSourceFile = "Configuração: %1 (SHA-256 %2…) · firmware alvo %3";
inline constexpr const char* kStationSourceSha = "SHA-256 %1";
// The file and the start of the SHA-256 of the bytes in use.
inline constexpr const char* kStationFileChanged =
    "O arquivo %1 mudou no disco: a estação segue com a configuração lida ao escolhê-lo (SHA-256 %2…). "
    "Pare e escolha o arquivo de novo para usar o novo conteúdo.";
// The stop question: how many units are under way.
inline constexpr const char* kStationStopCaption = "Parar estação";
inline constexpr const char* kStationStopQuestion =
    "%1 unidade(s) em andamento. Deixar que terminem?\n\n"
    "Sim: as unidades em andamento terminam e nenhuma nova começa.\n"
    "Não: parar já; as unidades em andamento ficam registradas como interrompidas.\n"
    "Cancelar: a estação continua.";
inline constexpr const char* kStationDraining =
    "Parando: as unidades em andamento terminam e nenhuma nova começa. \"Parar já\" interrompe as que restam.";
inline constexpr const char* kStationStopNow = "Parar já";
// A running unit's time left before the controller has an estimate.
inline constexpr const char* kStationTimeLeftUnknown = "faltam …";


// vektool on the command line, answered before any window exists. The
// help's "%1" is the data folder, "%2" the settings file.
inline constexpr const char* kAppUsage =
    "Uso: vektool [--station | --records [--db URL]]\n"
    "\n"
    "Janela de manutenção do Vek, a unidade de telemetria veicular: identifica o Vek\n"
    "pela porta serial virtual do cabo USB, atualiza o firmware quando preciso, lê a\n"
    "configuração para um formulário, valida e grava de volta.\n"
    "\n"
    "Opções:\n"
    "  --station     abre só a estação de produção: vários Vek ao mesmo tempo, cada\n"
    "                um gravado com a configuração escolhida e registrado\n"
    "  --records [--db URL]  abre os registros de produção (rendimento, motivos, execuções)\n"
    "  -h, --help    mostra esta ajuda\n"
    "  --version     mostra a versão\n"
    "\n"
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
    "Manual: 'man vektool'.\n";
inline constexpr const char* kAppUnknownArgument = "opção desconhecida: %1";
inline constexpr const char* kAppMissingValue = "falta o valor de %1";
inline constexpr const char* kAppSeeHelp = "Use 'vektool --help' para ver as opções.";
inline constexpr const char* kAppNoDisplay =
    "nenhuma tela encontrada (DISPLAY não está definido): rode o vektool numa área de trabalho, ou sob o Xvfb: "
    "xvfb-run -a vektool";
// The Log's context menu: where the daily files are.
inline constexpr const char* kOpenLogFolder = "Abrir pasta do log";

// A unit in operation mode: what the technician does next. The steps name
// how the system makes the port appear; "%1" is the port's name.
inline constexpr const char* kOperationModeSeen = "O Vek foi detectado em modo de operação!";
#ifdef Q_OS_WIN
inline constexpr const char* kOperationModeSteps[] = {
    "1-Desconectar todos os chicotes",
    "2-Conectar apenas o cabo USB",
    "3-Aguardar o Windows criar a porta (5 segundos)",
    "4-Rodar o VekTool e abrir a porta COM criada",
};
#else
inline constexpr const char* kOperationModeSteps[] = {
    "1-Desconectar todos os chicotes",
    "2-Conectar apenas o cabo USB",
    "3-Aguardar o sistema criar a porta (5 segundos)",
    "4-Abrir no VekTool a porta criada (%1)",
};
#endif

// The last resort for an error no handler took: the box says what failed in
// the tool's words, and the tool goes on running.
inline constexpr const char* kSerialFailure = "Erro na porta serial: %1.";
inline constexpr const char* kSerialOpenFailed = "não foi possível abrir a porta";
inline constexpr const char* kSerialWriteFailed = "não foi possível escrever na porta";
inline constexpr const char* kSerialReadFailed = "não foi possível ler da porta";
inline constexpr const char* kSerialSetupFailed = "não foi possível preparar a porta";
inline constexpr const char* kSerialOther = "falha de código %1";
// Appended with the system's own words when there are some.
inline constexpr const char* kSystemSays = "\r\nO sistema informou: %1";
inline constexpr const char* kUnexpectedError = "Erro inesperado: %1";
inline constexpr const char* kUnknownError = "Erro inesperado, sem descrição.";

}  // namespace vek::app::texts
