#pragma once
#include "text/text.h"
// How every view words a failure, in one place (UTF-8, Portuguese).

namespace vek::words::texts {

// What was running when a road stopped, as it reads after "durante".
inline constexpr vek::Text kDuringFirmware = VEK_TR("words", "a atualização do firmware");
inline constexpr vek::Text kDuringWrite = VEK_TR("words", "a gravação da configuração");
inline constexpr vek::Text kDuringRead = VEK_TR("words", "a leitura da configuração");
inline constexpr vek::Text kDuringVerify = VEK_TR("words", "a conferência da configuração");

// Causes. The operation, then the link's counters.
inline constexpr vek::Text kNoUnit = VEK_TR("words", "nenhum Vek respondeu na porta");
inline constexpr vek::Text kPortLost = VEK_TR("words", "o Vek foi desconectado");
inline constexpr vek::Text kPortLostDuring =
    VEK_TR("words", "o Vek foi desconectado durante %1 (Nacks %2, Code10 %3, Code15 %4, Code20 %5)");
// Where the counters were not seen (the station saw the port go).
inline constexpr vek::Text kPortLostDuringUncounted = VEK_TR("words", "o Vek foi desconectado durante %1");
inline constexpr vek::Text kTimeoutDuringUncounted = VEK_TR("words", "o Vek parou de responder durante %1");
inline constexpr vek::Text kTimeoutDuring =
    VEK_TR("words", "o Vek parou de responder durante %1 (Nacks %2, Code10 %3, Code15 %4, Code20 %5)");
inline constexpr vek::Text kOperationMode = VEK_TR("words", "o Vek está em modo de operação");
// The unit's type.
inline constexpr vek::Text kTypeLeftAlone = VEK_TR("words", "este tipo de Vek (%1) não é atendido por esta ferramenta");
inline constexpr vek::Text kDiscontinued =
    VEK_TR("words", "este tipo de Vek (%1) está descontinuado e não recebe o firmware desta ferramenta");
inline constexpr vek::Text kNeedsFirmware =
    VEK_TR("words", "o Vek precisa de novo firmware antes de ser configurado: nada foi gravado");
// The version the unit came back with.
inline constexpr vek::Text kFirmwareNotTaken = VEK_TR("words", "o novo firmware não foi aceito: o Vek voltou com a versão %1");
inline constexpr vek::Text kDidNotReturn = VEK_TR("words", "o Vek não voltou a se identificar depois do novo firmware");
// The identifier that came back, then the one that left.
inline constexpr vek::Text kOtherUnitReturned =
    VEK_TR("words", "outro Vek voltou na porta (Id: %1) no lugar do que recebeu o firmware (Id: %2)");
inline constexpr vek::Text kInvalidConfiguration = VEK_TR("words", "a configuração guardada no Vek é inválida");
// The field, the value refused; then what the field takes: lowest, highest, unit.
inline constexpr vek::Text kRefused = VEK_TR("words", "o campo %1 não aceita \"%2\"");
inline constexpr vek::Text kRefusedAllowed = VEK_TR("words", "o campo %1 não aceita \"%2\" (permitido: %3 a %4 %5)");
inline constexpr vek::Text kRefusedField = VEK_TR("words", "o campo %1 foi recusado");
inline constexpr vek::Text kRefusedChoice = VEK_TR("words", "nada foi escolhido no campo %1");
// Offset, byte written, byte read back (both in hex).
inline constexpr vek::Text kReadBackDiffers =
    VEK_TR("words", "a configuração lida de volta difere da gravada a partir do byte %1 (gravado 0x%2, lido 0x%3)");
inline constexpr vek::Text kInterrupted = VEK_TR("words", "interrompido");
inline constexpr vek::Text kInterruptedDuring = VEK_TR("words", "interrompido durante %1");
inline constexpr vek::Text kBusy = VEK_TR("words", "outro trabalho está em andamento neste Vek");
inline constexpr vek::Text kOtherUnit = VEK_TR("words", "o Vek na porta não é aquele para o qual a ação foi pedida");
inline constexpr vek::Text kNotIdentified = VEK_TR("words", "nenhum Vek se identificou nesta conexão");
// Where the copy was meant to go, and why it could not.
inline constexpr vek::Text kCopyNotKept =
    VEK_TR("words", "a cópia do que o Vek guarda não pôde ser guardada em %1 (%2): nada foi alterado no Vek");
inline constexpr vek::Text kInvalidCopy = VEK_TR("words", "a cópia não é uma configuração válida: nada foi gravado");
// The other port with the same identifier.
inline constexpr vek::Text kDuplicateId = VEK_TR("words", "identificador repetido: o mesmo Id está na porta %1");

// Next steps.
inline constexpr vek::Text kNextCheckCable = VEK_TR("words", "confira se é a porta certa e se o cabo USB está bem conectado");
inline constexpr vek::Text kNextReconnect = VEK_TR("words", "conecte o Vek de novo");
inline constexpr vek::Text kNextFirmwareCut = VEK_TR("words", "o Vek ficou no carregador: conecte de novo para gravar o firmware");
inline constexpr vek::Text kNextWriteCut =
    VEK_TR("words", "a configuração do Vek ficou incompleta: conecte de novo e grave outra vez");
inline constexpr vek::Text kNextVerifyCut = VEK_TR("words", "a gravação não foi confirmada: conecte de novo e grave outra vez");
inline constexpr vek::Text kNextReadCut = VEK_TR("words", "conecte de novo para ler a configuração");
inline constexpr vek::Text kNextOperationMode =
    VEK_TR("words", "desconecte os chicotes, deixe só o cabo USB e conecte de novo");
inline constexpr vek::Text kNextDiscontinued = VEK_TR("words", "fale com o fabricante para mais informações");
inline constexpr vek::Text kNextNeedsFirmware = VEK_TR("words", "atualize o firmware primeiro e grave depois");
inline constexpr vek::Text kNextNeedsFirmwareCli = VEK_TR("words", "rode 'vektool-cli flash' primeiro");
inline constexpr vek::Text kNextFirmwareAgain = VEK_TR("words", "conecte de novo para gravar o firmware outra vez");
inline constexpr vek::Text kNextDidNotReturn =
    VEK_TR("words", "conecte o Vek de novo: se ele ainda estiver no carregador, o firmware é gravado outra vez");
// The identifier of the unit that left.
inline constexpr vek::Text kNextOtherUnitReturned = VEK_TR("words", "conecte de novo o Vek %1 para confirmar o novo firmware");
inline constexpr vek::Text kNextInvalidConfiguration = VEK_TR("words", "grave uma configuração válida");
inline constexpr vek::Text kNextInvalidConfigurationCli = VEK_TR("words", "grave uma com 'vektool-cli write'");
inline constexpr vek::Text kNextRefused = VEK_TR("words", "corrija o campo e grave de novo: nada foi enviado ao Vek");
inline constexpr vek::Text kNextWriteAgain = VEK_TR("words", "grave novamente");
inline constexpr vek::Text kNextBusy = VEK_TR("words", "espere ele terminar");
inline constexpr vek::Text kNextOtherUnit = VEK_TR("words", "abra a porta de novo para identificar o Vek que está nela");
inline constexpr vek::Text kNextNotIdentified = VEK_TR("words", "conecte o Vek e espere ele se identificar");
inline constexpr vek::Text kNextCopyNotKept = VEK_TR("words", "libere a pasta de cópias e tente de novo");
inline constexpr vek::Text kNextCopyNotKeptCli =
    VEK_TR("words", "libere a pasta de cópias ou, para seguir sem cópia, use --no-backup");
inline constexpr vek::Text kNextInvalidCopy = VEK_TR("words", "escolha outra cópia");
inline constexpr vek::Text kNextInvalidCopyCli = VEK_TR("words", "para gravar esses bytes assim mesmo, use --allow-invalid");
inline constexpr vek::Text kNextDuplicateId = VEK_TR("words", "separe os dois Vek e confira as etiquetas");

// The cause, then the next step.
inline constexpr vek::Text kWithNextStep = VEK_TR("words", "%1 — %2");

// Each kind in a few words, for rankings.
inline constexpr vek::Text kTitleNoUnit = VEK_TR("words", "nenhum Vek respondeu");
inline constexpr vek::Text kTitlePortLost = VEK_TR("words", "Vek desconectado");
inline constexpr vek::Text kTitleTimeout = VEK_TR("words", "Vek parou de responder");
inline constexpr vek::Text kTitleOperationMode = VEK_TR("words", "Vek em modo de operação");
inline constexpr vek::Text kTitleTypeLeftAlone = VEK_TR("words", "tipo de Vek não atendido");
inline constexpr vek::Text kTitleDiscontinued = VEK_TR("words", "tipo de Vek descontinuado");
inline constexpr vek::Text kTitleNeedsFirmware = VEK_TR("words", "Vek precisa de novo firmware");
inline constexpr vek::Text kTitleFirmwareNotTaken = VEK_TR("words", "novo firmware não aceito");
inline constexpr vek::Text kTitleDidNotReturn = VEK_TR("words", "Vek não voltou depois do firmware");
inline constexpr vek::Text kTitleOtherUnitReturned = VEK_TR("words", "outro Vek voltou depois do firmware");
inline constexpr vek::Text kTitleInvalidConfiguration = VEK_TR("words", "configuração inválida no Vek");
inline constexpr vek::Text kTitleRefused = VEK_TR("words", "configuração recusada");
inline constexpr vek::Text kTitleReadBackDiffers = VEK_TR("words", "leitura de volta difere da gravação");
inline constexpr vek::Text kTitleInterrupted = VEK_TR("words", "interrompido");
inline constexpr vek::Text kTitleBusy = VEK_TR("words", "outro trabalho em andamento");
inline constexpr vek::Text kTitleOtherUnit = VEK_TR("words", "Vek diferente do pedido");
inline constexpr vek::Text kTitleNotIdentified = VEK_TR("words", "Vek não identificado");
inline constexpr vek::Text kTitleCopyNotKept = VEK_TR("words", "cópia não guardada");
inline constexpr vek::Text kTitleInvalidCopy = VEK_TR("words", "cópia inválida");
inline constexpr vek::Text kTitleDuplicateId = VEK_TR("words", "identificador repetido");
inline constexpr vek::Text kTitleNotRecorded = VEK_TR("words", "registro não gravado");
inline constexpr vek::Text kTitleNoReason = VEK_TR("words", "sem motivo registrado");

// The station's own failures. Why the first row could not be stored.
inline constexpr vek::Text kNotRecorded = VEK_TR("words", "o registro não pôde ser gravado, o Vek não foi alterado: %1");
inline constexpr vek::Text kNextNotRecorded = VEK_TR("words", "confira o banco de registros e passe o Vek de novo");
// Interrupted: by the station's operator, or found running after its station stopped.
inline constexpr vek::Text kStoppedByOperator = VEK_TR("words", "a estação foi parada pelo operador");
inline constexpr vek::Text kStoppedByOperatorDuring = VEK_TR("words", "a estação foi parada pelo operador durante %1");
inline constexpr vek::Text kStationGone = VEK_TR("words", "a estação parou antes do fim da execução");

// The boxes the window has always shown, word for word.
inline constexpr vek::Text kFaultCaption = VEK_TR("words", "Erro");
inline constexpr vek::Text kTransferFailed =
    VEK_TR("words", "A operação não foi concluida!\r\nNacks = %1\r\nCode10 = %2\r\nCode15 = %3\r\nCode20 = %4");
inline constexpr vek::Text kNoConnection = VEK_TR("words", "Não há conexão ativa!");
inline constexpr vek::Text kCaptionTransferClosed = VEK_TR("words", "ERRO #0x01");
inline constexpr vek::Text kCaptionTransferFailed = VEK_TR("words", "ERRO #0x02");
inline constexpr vek::Text kReadFailed = VEK_TR("words", "A operação não pode ser concluida!");
inline constexpr vek::Text kCaptionReadClosed = VEK_TR("words", "ERRO #0x03");
inline constexpr vek::Text kCaptionReadFailed = VEK_TR("words", "ERRO #0x04");

}  // namespace vek::words::texts
