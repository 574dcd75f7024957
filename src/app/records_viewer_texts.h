#pragma once
// What the records viewer shows, in one place. UTF-8; the window converts at
// its edge. Placeholders are filled with QString::arg.

namespace vek::app::texts {

inline constexpr const char* kViewerTitle = "Registros de produção — VekTool";
inline constexpr const char* kViewerSource = "Registros: %1";
inline constexpr const char* kViewerLoading = "Consultando os registros…";
inline constexpr const char* kViewerStillLoading =
    "Consultando os registros… o banco ainda não respondeu; a janela continua disponível.";
inline constexpr const char* kViewerUpdated = "Atualizado às %1.";

inline constexpr const char* kViewerDbWithoutRecords =
    "--db só vale com --records (o endereço do banco que os registros mostram).";

// Filters
inline constexpr const char* kViewerPeriod = "Período:";
inline constexpr const char* kViewerToday = "Hoje";
inline constexpr const char* kViewerWeek = "Últimos 7 dias";
inline constexpr const char* kViewerMonth = "Últimos 30 dias";
inline constexpr const char* kViewerCustom = "Personalizado";
inline constexpr const char* kViewerFrom = "de";
inline constexpr const char* kViewerTo = "até";
inline constexpr const char* kViewerVerdict = "Resultado:";
inline constexpr const char* kViewerAnyVerdict = "Todos";
inline constexpr const char* kViewerUnit = "Unidade contém:";
inline constexpr const char* kViewerUnitHint = "parte do identificador";
inline constexpr const char* kViewerStation = "Estação:";
inline constexpr const char* kViewerAnyStation = "Todas";
inline constexpr const char* kViewerRefresh = "Atualizar";

// Verdicts as a person reads them (the stored words stay English).
inline constexpr const char* kVerdictPassed = "aprovada";
inline constexpr const char* kVerdictFailed = "reprovada";
inline constexpr const char* kVerdictInterrupted = "interrompida";
inline constexpr const char* kVerdictStale = "interrompido";
inline constexpr const char* kVerdictRunning = "em andamento";
inline constexpr const char* kVerdictsPassed = "Aprovadas";
inline constexpr const char* kVerdictsFailed = "Reprovadas";
inline constexpr const char* kVerdictsInterrupted = "Interrompidas";
inline constexpr const char* kVerdictsRunning = "Em andamento";

// The figures
inline constexpr const char* kYield = "Rendimento hoje: %1 % — %2 aprovadas, %3 reprovadas";
inline constexpr const char* kYieldNone = "Rendimento hoje: nenhuma unidade concluída ainda";
inline constexpr const char* kPeriodUnits =
    "No período: %1 unidades — %2 aprovadas, %3 reprovadas, %4 interrompidas, %5 em andamento "
    "(cada unidade contada uma vez, pelo último resultado).";
inline constexpr const char* kChartPerHour = "Unidades por hora";
inline constexpr const char* kChartPerDay = "Unidades por dia";
inline constexpr const char* kChartReasons = "Motivos de reprovação";
inline constexpr const char* kChartNoReasons = "Nenhuma reprovação no período";
inline constexpr const char* kChartUnits = "Unidades";
inline constexpr const char* kNoReason = "(sem motivo informado)";
inline constexpr const char* kHourLabel = "%1h";

// The table
// In RecordsViewer::Column order.
inline constexpr const char* kRunHeaders[] = {"Início",   "Unidade", "Resultado", "Motivo",
                                              "Firmware", "Estação", "Porta"};
inline constexpr const char* kFirmwareStep = "%1 → %2";
inline constexpr const char* kRunsShown = "%1 de %2 execuções.";
inline constexpr const char* kRunsMore = "Mostrar mais";

// The selected run
inline constexpr const char* kDetailsHeaders[] = {"Campo", "Valor"};
inline constexpr const char* kDetailsNone = "Selecione uma execução na tabela para ver os detalhes.";
inline constexpr const char* kDetailsRun = "Execução";
inline constexpr const char* kDetailsStarted = "Início";
inline constexpr const char* kDetailsEnded = "Fim";
inline constexpr const char* kDetailsStation = "Estação";
inline constexpr const char* kDetailsPort = "Porta";
inline constexpr const char* kDetailsUnit = "Unidade";
inline constexpr const char* kDetailsType = "Tipo";
inline constexpr const char* kDetailsFirmware = "Firmware (antes → depois)";
inline constexpr const char* kDetailsFirmwareTarget = "Firmware da estação";
inline constexpr const char* kDetailsVerify = "Leitura de volta";
inline constexpr const char* kVerifyMatch = "igual ao gravado";
inline constexpr const char* kVerifyMismatch = "diferente do gravado a partir do byte %1";
inline constexpr const char* kVerifyNotDone = "não feita";
inline constexpr const char* kDetailsQr = "Etiqueta QR";
inline constexpr const char* kQrMatch = "%1 (confere com o USB)";
inline constexpr const char* kQrMismatch = "%1 (NÃO confere com o USB)";
inline constexpr const char* kQrNone = "não lida";
inline constexpr const char* kDetailsVerdict = "Resultado";
inline constexpr const char* kDetailsStale = "interrompido (a estação parou sem terminar a execução)";
inline constexpr const char* kDetailsReason = "Motivo";
inline constexpr const char* kDetailsConfigSource = "Origem da configuração";
inline constexpr const char* kDetailsConfigSha = "SHA-256 da configuração";
inline constexpr const char* kDetailsBeforeImage = "Configuração anterior do Vek";
inline constexpr const char* kBeforeKept = "guardada";
inline constexpr const char* kBeforeNotKept = "não guardada";
inline constexpr const char* kDetailsConfig = "Configuração gravada";
inline constexpr const char* kConfigNone = "nenhuma (a execução não chegou a gravar)";
inline constexpr const char* kConfigUnreadable = "ilegível no registro";
inline constexpr const char* kEmptyValue = "—";

}  // namespace vek::app::texts
