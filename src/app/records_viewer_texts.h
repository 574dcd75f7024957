#pragma once
#include "text/text.h"
// What the records viewer shows, in one place. UTF-8; the window converts at
// its edge. Placeholders are filled with QString::arg.

namespace vek::app::texts {

inline constexpr vek::Text kViewerTitle = VEK_TR("records_viewer", "Registros de produção — VekTool");
inline constexpr vek::Text kViewerSource = VEK_TR("records_viewer", "Registros: %1");
inline constexpr vek::Text kViewerLoading = VEK_TR("records_viewer", "Consultando os registros…");
inline constexpr vek::Text kViewerStillLoading =
    VEK_TR("records_viewer", "Consultando os registros… o banco ainda não respondeu; a janela continua disponível.");
inline constexpr vek::Text kViewerUpdated = VEK_TR("records_viewer", "Atualizado às %1.");

inline constexpr vek::Text kViewerDbWithoutRecords =
    VEK_TR("records_viewer", "--db só vale com --records (o endereço do banco que os registros mostram).");

// Filters
inline constexpr vek::Text kViewerPeriod = VEK_TR("records_viewer", "Período:");
inline constexpr vek::Text kViewerToday = VEK_TR("records_viewer", "Hoje");
inline constexpr vek::Text kViewerWeek = VEK_TR("records_viewer", "Últimos 7 dias");
inline constexpr vek::Text kViewerMonth = VEK_TR("records_viewer", "Últimos 30 dias");
inline constexpr vek::Text kViewerCustom = VEK_TR("records_viewer", "Personalizado");
inline constexpr vek::Text kViewerFrom = VEK_TR("records_viewer", "de");
inline constexpr vek::Text kViewerTo = VEK_TR("records_viewer", "até");
inline constexpr vek::Text kViewerVerdict = VEK_TR("records_viewer", "Resultado:");
inline constexpr vek::Text kViewerAnyVerdict = VEK_TR("records_viewer", "Todos");
inline constexpr vek::Text kViewerUnit = VEK_TR("records_viewer", "Unidade contém:");
inline constexpr vek::Text kViewerUnitHint = VEK_TR("records_viewer", "parte do identificador");
inline constexpr vek::Text kViewerStation = VEK_TR("records_viewer", "Estação:");
inline constexpr vek::Text kViewerAnyStation = VEK_TR("records_viewer", "Todas");
inline constexpr vek::Text kViewerRefresh = VEK_TR("records_viewer", "Atualizar");

// Verdicts as a person reads them (the stored words stay English).
inline constexpr vek::Text kVerdictPassed = VEK_TR("records_viewer", "aprovada");
inline constexpr vek::Text kVerdictFailed = VEK_TR("records_viewer", "reprovada");
inline constexpr vek::Text kVerdictInterrupted = VEK_TR("records_viewer", "interrompida");
inline constexpr vek::Text kVerdictStale = VEK_TR("records_viewer", "interrompido");
inline constexpr vek::Text kVerdictRunning = VEK_TR("records_viewer", "em andamento");
inline constexpr vek::Text kVerdictsPassed = VEK_TR("records_viewer", "Aprovadas");
inline constexpr vek::Text kVerdictsFailed = VEK_TR("records_viewer", "Reprovadas");
inline constexpr vek::Text kVerdictsInterrupted = VEK_TR("records_viewer", "Interrompidas");
inline constexpr vek::Text kVerdictsRunning = VEK_TR("records_viewer", "Em andamento");
inline constexpr vek::Text kVerdictsFirstPass = VEK_TR("records_viewer", "Aprovadas na primeira passagem");
inline constexpr vek::Text kVerdictsReworked = VEK_TR("records_viewer", "Aprovadas com retrabalho");
inline constexpr vek::Text kVerdictsWithoutNews = VEK_TR("records_viewer", "Sem notícia");
// A run left `running` on the server by a station that is gone: when it
// began, its station.
inline constexpr vek::Text kVerdictWithoutNews = VEK_TR("records_viewer", "sem notícia desde %1 (estação %2)");

// The figures
// Final yield, first-pass yield, then units: passed, failed, reworked,
// interrupted, without news.
inline constexpr vek::Text kYield =
    VEK_TR("records_viewer", "Rendimento hoje: %1 % (primeira passagem %2 %) — %3 aprovadas, %4 reprovadas, "
    "%5 com retrabalho, %6 interrompidas, %7 sem notícia");
inline constexpr vek::Text kYieldNone =
    VEK_TR("records_viewer", "Rendimento hoje: nenhuma unidade concluída ainda — %1 interrompidas, %2 sem notícia");
// The same per station: its name, then as above.
inline constexpr vek::Text kYieldStation =
    VEK_TR("records_viewer", "%1: %2 % (primeira passagem %3 %) — %4 aprovadas, %5 reprovadas, "
    "%6 com retrabalho, %7 interrompidas, %8 sem notícia");
inline constexpr vek::Text kPeriodUnits =
    VEK_TR("records_viewer", "No período: %1 unidades — %2 aprovadas, %3 reprovadas, %4 interrompidas, %5 em andamento, "
    "%6 sem notícia; %7 aprovadas na primeira passagem, %8 com retrabalho "
    "(cada unidade contada uma vez, pelo último resultado).");
inline constexpr vek::Text kChartPerHour = VEK_TR("records_viewer", "Unidades por hora");
inline constexpr vek::Text kChartPerDay = VEK_TR("records_viewer", "Unidades por dia");
inline constexpr vek::Text kChartReasons = VEK_TR("records_viewer", "Motivos de reprovação");
inline constexpr vek::Text kChartNoReasons = VEK_TR("records_viewer", "Nenhuma reprovação no período");
inline constexpr vek::Text kChartUnits = VEK_TR("records_viewer", "Unidades");
inline constexpr vek::Text kNoReason = VEK_TR("records_viewer", "(sem motivo informado)");
inline constexpr vek::Text kHourLabel = VEK_TR("records_viewer", "%1h");

// The table
// In RecordsViewer::Column order.
inline constexpr vek::Text kRunHeaders[] = {VEK_TR("records_viewer", "Início"),   VEK_TR("records_viewer", "Unidade"), VEK_TR("records_viewer", "Resultado"), VEK_TR("records_viewer", "Motivo"),
                                              VEK_TR("records_viewer", "Firmware"), VEK_TR("records_viewer", "Estação"), VEK_TR("records_viewer", "Porta")};
inline constexpr vek::Text kFirmwareStep = VEK_TR("records_viewer", "%1 → %2");
inline constexpr vek::Text kRunsShown = VEK_TR("records_viewer", "%1 de %2 execuções.");
inline constexpr vek::Text kRunsMore = VEK_TR("records_viewer", "Mostrar mais");

// The selected run
inline constexpr vek::Text kDetailsHeaders[] = {VEK_TR("records_viewer", "Campo"), VEK_TR("records_viewer", "Valor")};
inline constexpr vek::Text kDetailsNone = VEK_TR("records_viewer", "Selecione uma execução na tabela para ver os detalhes.");
inline constexpr vek::Text kDetailsRun = VEK_TR("records_viewer", "Execução");
inline constexpr vek::Text kDetailsStarted = VEK_TR("records_viewer", "Início");
inline constexpr vek::Text kDetailsEnded = VEK_TR("records_viewer", "Fim");
inline constexpr vek::Text kDetailsStation = VEK_TR("records_viewer", "Estação");
inline constexpr vek::Text kDetailsPort = VEK_TR("records_viewer", "Porta");
inline constexpr vek::Text kDetailsUnit = VEK_TR("records_viewer", "Unidade");
inline constexpr vek::Text kDetailsType = VEK_TR("records_viewer", "Tipo");
inline constexpr vek::Text kDetailsFirmware = VEK_TR("records_viewer", "Firmware (antes → depois)");
inline constexpr vek::Text kDetailsFirmwareTarget = VEK_TR("records_viewer", "Firmware da estação");
inline constexpr vek::Text kDetailsVerify = VEK_TR("records_viewer", "Leitura de volta");
inline constexpr vek::Text kVerifyMatch = VEK_TR("records_viewer", "igual ao gravado");
inline constexpr vek::Text kVerifyMismatch = VEK_TR("records_viewer", "diferente do gravado a partir do byte %1");
inline constexpr vek::Text kVerifyNotDone = VEK_TR("records_viewer", "não feita");
inline constexpr vek::Text kDetailsQr = VEK_TR("records_viewer", "Etiqueta QR");
inline constexpr vek::Text kQrMatch = VEK_TR("records_viewer", "%1 (confere com o USB)");
inline constexpr vek::Text kQrMismatch = VEK_TR("records_viewer", "%1 (NÃO confere com o USB)");
inline constexpr vek::Text kQrNone = VEK_TR("records_viewer", "não lida");
inline constexpr vek::Text kDetailsVerdict = VEK_TR("records_viewer", "Resultado");
inline constexpr vek::Text kDetailsStale = VEK_TR("records_viewer", "interrompido (a estação parou sem terminar a execução)");
inline constexpr vek::Text kDetailsReason = VEK_TR("records_viewer", "Motivo");
inline constexpr vek::Text kDetailsConfigSource = VEK_TR("records_viewer", "Origem da configuração");
inline constexpr vek::Text kDetailsConfigSha = VEK_TR("records_viewer", "SHA-256 da configuração");
inline constexpr vek::Text kDetailsBeforeImage = VEK_TR("records_viewer", "Configuração anterior do Vek");
inline constexpr vek::Text kBeforeKept = VEK_TR("records_viewer", "guardada");
inline constexpr vek::Text kBeforeNotKept = VEK_TR("records_viewer", "não guardada");
inline constexpr vek::Text kDetailsConfig = VEK_TR("records_viewer", "Configuração gravada");
inline constexpr vek::Text kConfigNone = VEK_TR("records_viewer", "nenhuma (a execução não chegou a gravar)");
inline constexpr vek::Text kConfigUnreadable = VEK_TR("records_viewer", "ilegível no registro");
inline constexpr vek::Text kEmptyValue = VEK_TR("records_viewer", "—");

}  // namespace vek::app::texts
