#pragma once
#include "text/text.h"
// The question asked before a unit is left mid-change, and what the Log and
// the station keep of its answer. UTF-8; "%1", "%2" … are filled in where the
// text is used.

namespace vek::app::texts {

// The three answers, as the buttons say them.
inline constexpr vek::Text kLeaveLetFinish = VEK_TR("app", "Deixar terminar");
inline constexpr vek::Text kLeaveStopNow = VEK_TR("app", "Parar agora");
inline constexpr vek::Text kLeaveGoOn = VEK_TR("app", "Continuar");
// What runs now, then what each answer does to the unit or units.
inline constexpr vek::Text kLeaveQuestion =
    VEK_TR("app", "%1\n\nDeixar terminar: %2\n\nParar agora: %3\n\nContinuar: %4");
// The time, the answer, what it does (or did) to the unit.
inline constexpr vek::Text kLeaveAnswered = VEK_TR("app", "%1 — %2: %3");

// The window, closed (or Ctrl+Q) with a unit mid-change.
inline constexpr vek::Text kLeaveCaption = VEK_TR("app", "Fechar o VekTool");
inline constexpr vek::Text kLeaveFirmware = VEK_TR("app", "O Vek está recebendo o firmware novo.");
inline constexpr vek::Text kLeaveRestart = VEK_TR("app", "O Vek está reiniciando com o firmware novo.");
inline constexpr vek::Text kLeaveWrite = VEK_TR("app", "A configuração está sendo gravada no Vek.");
inline constexpr vek::Text kLeaveVerify = VEK_TR("app", "A configuração gravada no Vek está sendo conferida.");
inline constexpr vek::Text kLeaveFinishFirmware =
    VEK_TR("app", "o Vek termina de receber o firmware, reinicia e é conferido; a janela fecha em seguida.");
inline constexpr vek::Text kLeaveFinishRestart =
    VEK_TR("app", "a ferramenta espera o Vek voltar com o firmware novo e o confere; a janela fecha em seguida.");
inline constexpr vek::Text kLeaveFinishWrite =
    VEK_TR("app", "o Vek termina de receber a configuração e ela é conferida; a janela fecha em seguida.");
inline constexpr vek::Text kLeaveStopFirmware =
    VEK_TR("app", "a atualização para já e a janela fecha; o Vek fica sem firmware válido até ser conectado de novo, "
                  "quando a ferramenta atualiza o firmware.");
inline constexpr vek::Text kLeaveStopRestart =
    VEK_TR("app", "a janela fecha sem esperar o Vek; ele termina de reiniciar sozinho, mas o firmware novo não é "
                  "conferido: conecte-o de novo para conferir.");
inline constexpr vek::Text kLeaveStopWrite =
    VEK_TR("app", "a gravação para já e a janela fecha; o Vek fica com a configuração incompleta até que ela seja "
                  "gravada de novo.");
inline constexpr vek::Text kLeaveStopVerify =
    VEK_TR("app", "a conferência para já e a janela fecha; a configuração gravada no Vek não é conferida: conecte-o "
                  "de novo para lê-la.");
inline constexpr vek::Text kLeaveGoOnUnit = VEK_TR("app", "a janela fica aberta e o Vek continua de onde está.");
// Logged with the answer.
inline constexpr vek::Text kLeftToFinish = VEK_TR("app", "a janela fecha quando o Vek terminar.");
inline constexpr vek::Text kLeftFirmware =
    VEK_TR("app", "atualização parada; o Vek ficou sem firmware válido. Para recuperar: conecte-o de novo e a "
                  "ferramenta atualiza o firmware.");
inline constexpr vek::Text kLeftRestart =
    VEK_TR("app", "espera parada; o firmware novo do Vek não foi conferido. Para conferir: conecte-o de novo.");
inline constexpr vek::Text kLeftWrite =
    VEK_TR("app", "gravação parada; o Vek ficou com a configuração incompleta. Para recuperar: conecte-o de novo e "
                  "grave a configuração outra vez.");
inline constexpr vek::Text kLeftVerify =
    VEK_TR("app", "conferência parada; a configuração gravada no Vek não foi conferida. Para conferir: conecte-o de "
                  "novo e leia a configuração.");
// "Parar agora" answered after the unit had finished on its own.
inline constexpr vek::Text kLeftAlreadyDone = VEK_TR("app", "o Vek já tinha terminado; nada foi parado.");
inline constexpr vek::Text kLeftGoingOn = VEK_TR("app", "a janela continua aberta e o Vek continua de onde estava.");

// The station, stopped or closed with units under way: how many.
inline constexpr vek::Text kStationLeaveUnits = VEK_TR("app", "%1 unidade(s) em andamento.");
inline constexpr vek::Text kStationFinish =
    VEK_TR("app", "as unidades em andamento terminam o firmware e a configuração e nenhuma nova começa; depois a "
                  "estação para.");
inline constexpr vek::Text kStationFinishClose =
    VEK_TR("app", "as unidades em andamento terminam o firmware e a configuração e nenhuma nova começa; depois a "
                  "estação para e a janela fecha.");
inline constexpr vek::Text kStationStopUnits =
    VEK_TR("app", "as unidades em andamento param já e ficam registradas como interrompidas: a que recebia firmware "
                  "fica sem firmware válido, a que recebia a configuração fica com ela incompleta; passe-as de novo "
                  "pela estação para recuperá-las.");
inline constexpr vek::Text kStationStopUnitsClose =
    VEK_TR("app", "as unidades em andamento param já e ficam registradas como interrompidas: a que recebia firmware "
                  "fica sem firmware válido, a que recebia a configuração fica com ela incompleta; passe-as de novo "
                  "pela estação para recuperá-las. A janela fecha.");
inline constexpr vek::Text kStationGoOn = VEK_TR("app", "a estação continua e as unidades também.");
// Said with the answer.
inline constexpr vek::Text kStationLeftToFinish =
    VEK_TR("app", "as %1 unidade(s) em andamento terminam e nenhuma nova começa. \"Parar já\" interrompe as que restam.");
inline constexpr vek::Text kStationLeftStopped =
    VEK_TR("app", "%1 unidade(s) paradas e registradas como interrompidas; passe-as de novo pela estação para "
                  "recuperá-las.");
inline constexpr vek::Text kStationLeftGoingOn = VEK_TR("app", "a estação continua.");

}  // namespace vek::app::texts
