#pragma once
#include "text/text.h"
// Every text the configuration module shows, in one place. UTF-8; the window
// converts at its edge.

namespace vek::config::text {

inline constexpr vek::Text kInvalidParameter = VEK_TR("config", "Parâmetro inválido!");
inline constexpr vek::Text kRemoteHeading = VEK_TR("config", "Comandos de configuração remota:");

// Names of the refused field, shown between brackets.
inline constexpr vek::Text kPing = VEK_TR("config", "PING");
inline constexpr vek::Text kRs232A = VEK_TR("config", "RS232-A");
inline constexpr vek::Text kRs232B = VEK_TR("config", "RS232-B");
inline constexpr vek::Text kAcp = VEK_TR("config", "Aceleração");
inline constexpr vek::Text kAcn = VEK_TR("config", "Desaceleração");
inline constexpr vek::Text kVmx = VEK_TR("config", "Velocidade");
inline constexpr vek::Text kTvmx = VEK_TR("config", "Tempo validação Velocidade");
inline constexpr vek::Text kVch = VEK_TR("config", "Velocidade na Chuva");
inline constexpr vek::Text kTvch = VEK_TR("config", "Tempo validação Velocidade na Chuva");
inline constexpr vek::Text kRpx = VEK_TR("config", "Rotação do Motor");
inline constexpr vek::Text kTrpx = VEK_TR("config", "Tempo validação Rotação");
inline constexpr vek::Text kToscWrite = VEK_TR("config", "Tempo osciosidade");   // as the write box spells it
inline constexpr vek::Text kToscRemote = VEK_TR("config", "Tempo ociosidade");   // as the remote list spells it
inline constexpr vek::Text kXosc = VEK_TR("config", "Tempo excessão manobra");
inline constexpr vek::Text kVbgl = VEK_TR("config", "Velocidade min. Banguela");
inline constexpr vek::Text kRbgl = VEK_TR("config", "Rotação max. Banguela");
inline constexpr vek::Text kTbgl = VEK_TR("config", "Tempo validação Banguela");

// Names written after a remote command's padding (the first three are the
// field names above).
inline constexpr vek::Text kRemoteVch = VEK_TR("config", "Velocidade na chuva");
inline constexpr vek::Text kRemoteRpx = VEK_TR("config", "Rotação do motor");
inline constexpr vek::Text kRemoteOsc = VEK_TR("config", "Ociosidade do motor");
inline constexpr vek::Text kRemoteBgl = VEK_TR("config", "Banguela");

// Loading a configuration file; each %s takes one value in turn. `describe`
// puts them together as "linha 7: campo "ping_s": 17 não é um de 5, 10, ...".
inline constexpr vek::Text kFileLine = VEK_TR("config", "linha %1: ");
inline constexpr vek::Text kFileField = VEK_TR("config", "campo \"%1\": ");
inline constexpr vek::Text kFileEmpty = VEK_TR("config", "o arquivo está vazio");
inline constexpr vek::Text kFileTruncated = VEK_TR("config", "o texto acaba antes do fim do documento");
inline constexpr vek::Text kFileUnexpected = VEK_TR("config", "caractere inesperado %1");
inline constexpr vek::Text kFileExpectedKey = VEK_TR("config", "esperava uma chave entre aspas");
inline constexpr vek::Text kFileExpectedColon = VEK_TR("config", "falta ':' depois da chave");
inline constexpr vek::Text kFileExpectedObjectEnd = VEK_TR("config", "falta ',' ou '}'");
inline constexpr vek::Text kFileExpectedArrayEnd = VEK_TR("config", "falta ',' ou ']'");
inline constexpr vek::Text kFileBadNumber = VEK_TR("config", "número malformado");
inline constexpr vek::Text kFileBadEscape = VEK_TR("config", "sequência de escape inválida no texto");
inline constexpr vek::Text kFileControl = VEK_TR("config", "caractere de controle dentro do texto");
inline constexpr vek::Text kFileBadUtf8 = VEK_TR("config", "o texto não é UTF-8 válido");
inline constexpr vek::Text kFileTrailing = VEK_TR("config", "há texto depois do fim do documento");
inline constexpr vek::Text kFileTooDeep = VEK_TR("config", "objetos aninhados fundo demais");
inline constexpr vek::Text kFileDuplicate = VEK_TR("config", "chave repetida (já aparece na linha %1)");
inline constexpr vek::Text kFileUnknownKey = VEK_TR("config", "chave desconhecida");
inline constexpr vek::Text kFileMissingKey = VEK_TR("config", "falta esta chave");
inline constexpr vek::Text kFileWantObject = VEK_TR("config", "deve ser um objeto { ... }");
inline constexpr vek::Text kFileWantBool = VEK_TR("config", "deve ser true ou false");
inline constexpr vek::Text kFileWantInteger = VEK_TR("config", "deve ser um número inteiro");
inline constexpr vek::Text kFileWantText = VEK_TR("config", "deve ser um texto entre aspas");
inline constexpr vek::Text kFileWrongFormat = VEK_TR("config", "\"%1\" não é uma configuração do VekTool; esperava \"%2\"");
inline constexpr vek::Text kFileNewerVersion = VEK_TR("config", "a versão %1 é mais nova que a %2, que esta ferramenta lê");
inline constexpr vek::Text kFileUnknownVersion = VEK_TR("config", "%1 não é uma versão conhecida");
inline constexpr vek::Text kFileNotOneOf = VEK_TR("config", "%1 não é um de %2");
inline constexpr vek::Text kFileCoupling =
    VEK_TR("config", "\"during\" (Durante) não pode estar marcado junto com \"entry\" (Entrada) ou \"exit\" (Saída)");

// What a refused field accepts, on a line of its own under the refusal:
// lowest, highest, unit.
inline constexpr vek::Text kAllowed = VEK_TR("config", "Permitido: %1 a %2 %3");

// Field by field comparison of two configurations.
inline constexpr vek::Text kLabelPing = VEK_TR("config", "PING (s)");
inline constexpr vek::Text kLabelA232 = VEK_TR("config", "RS232-A (baud)");
inline constexpr vek::Text kLabelB232 = VEK_TR("config", "RS232-B (baud)");
inline constexpr vek::Text kLabelRegister = VEK_TR("config", "%1: registrar evento");
inline constexpr vek::Text kLabelBuzzer = VEK_TR("config", "%1: alerta buzzer");
inline constexpr vek::Text kLabelRegisterIn = VEK_TR("config", "%1: registrar na entrada");
inline constexpr vek::Text kLabelRegisterOut = VEK_TR("config", "%1: registrar na saída");
inline constexpr vek::Text kLabelBuzzerIn = VEK_TR("config", "%1: buzzer na entrada");
inline constexpr vek::Text kLabelBuzzerOut = VEK_TR("config", "%1: buzzer na saída");
inline constexpr vek::Text kLabelBuzzerDuring = VEK_TR("config", "%1: buzzer durante");
inline constexpr vek::Text kYes = VEK_TR("config", "sim");
inline constexpr vek::Text kNo = VEK_TR("config", "não");
inline constexpr vek::Text kNone = VEK_TR("config", "(vazio)");

}  // namespace vek::config::text
