#pragma once
// Every text the configuration module shows, in one place. UTF-8; the window
// converts at its edge.

namespace vek::config::text {

inline constexpr const char* kInvalidParameter = "Parâmetro inválido!";
inline constexpr const char* kFaultCaption = "Erro";
inline constexpr const char* kRemoteHeading = "Comandos de configuração remota:";

// Names of the refused field, shown between brackets.
inline constexpr const char* kPing = "PING";
inline constexpr const char* kRs232A = "RS232-A";
inline constexpr const char* kRs232B = "RS232-B";
inline constexpr const char* kAcp = "Aceleração";
inline constexpr const char* kAcn = "Desaceleração";
inline constexpr const char* kVmx = "Velocidade";
inline constexpr const char* kTvmx = "Tempo validação Velocidade";
inline constexpr const char* kVch = "Velocidade na Chuva";
inline constexpr const char* kTvch = "Tempo validação Velocidade na Chuva";
inline constexpr const char* kRpx = "Rotação do Motor";
inline constexpr const char* kTrpx = "Tempo validação Rotação";
inline constexpr const char* kToscWrite = "Tempo osciosidade";   // as the write box spells it
inline constexpr const char* kToscRemote = "Tempo ociosidade";   // as the remote list spells it
inline constexpr const char* kXosc = "Tempo excessão manobra";
inline constexpr const char* kVbgl = "Velocidade min. Banguela";
inline constexpr const char* kRbgl = "Rotação max. Banguela";
inline constexpr const char* kTbgl = "Tempo validação Banguela";

// Names written after a remote command's padding (the first three are the
// field names above).
inline constexpr const char* kRemoteVch = "Velocidade na chuva";
inline constexpr const char* kRemoteRpx = "Rotação do motor";
inline constexpr const char* kRemoteOsc = "Ociosidade do motor";
inline constexpr const char* kRemoteBgl = "Banguela";

// Loading a configuration file; each %s takes one value in turn. `describe`
// puts them together as "linha 7: campo "ping_s": 17 não é um de 5, 10, ...".
inline constexpr const char* kFileLine = "linha %s: ";
inline constexpr const char* kFileField = "campo \"%s\": ";
inline constexpr const char* kFileEmpty = "o arquivo está vazio";
inline constexpr const char* kFileTruncated = "o texto acaba antes do fim do documento";
inline constexpr const char* kFileUnexpected = "caractere inesperado %s";
inline constexpr const char* kFileExpectedKey = "esperava uma chave entre aspas";
inline constexpr const char* kFileExpectedColon = "falta ':' depois da chave";
inline constexpr const char* kFileExpectedObjectEnd = "falta ',' ou '}'";
inline constexpr const char* kFileExpectedArrayEnd = "falta ',' ou ']'";
inline constexpr const char* kFileBadNumber = "número malformado";
inline constexpr const char* kFileBadEscape = "sequência de escape inválida no texto";
inline constexpr const char* kFileControl = "caractere de controle dentro do texto";
inline constexpr const char* kFileBadUtf8 = "o texto não é UTF-8 válido";
inline constexpr const char* kFileTrailing = "há texto depois do fim do documento";
inline constexpr const char* kFileTooDeep = "objetos aninhados fundo demais";
inline constexpr const char* kFileDuplicate = "chave repetida (já aparece na linha %s)";
inline constexpr const char* kFileUnknownKey = "chave desconhecida";
inline constexpr const char* kFileMissingKey = "falta esta chave";
inline constexpr const char* kFileWantObject = "deve ser um objeto { ... }";
inline constexpr const char* kFileWantBool = "deve ser true ou false";
inline constexpr const char* kFileWantInteger = "deve ser um número inteiro";
inline constexpr const char* kFileWantText = "deve ser um texto entre aspas";
inline constexpr const char* kFileWrongFormat = "\"%s\" não é uma configuração do VekTool; esperava \"%s\"";
inline constexpr const char* kFileNewerVersion = "a versão %s é mais nova que a %s, que esta ferramenta lê";
inline constexpr const char* kFileUnknownVersion = "%s não é uma versão conhecida";
inline constexpr const char* kFileNotOneOf = "%s não é um de %s";
inline constexpr const char* kFileCoupling =
    "\"during\" (Durante) não pode estar marcado junto com \"entry\" (Entrada) ou \"exit\" (Saída)";

// What a refused field accepts, on a line of its own under the refusal:
// lowest, highest, unit.
inline constexpr const char* kAllowed = "Permitido: %s a %s %s";

// Field by field comparison of two configurations.
inline constexpr const char* kLabelPing = "PING (s)";
inline constexpr const char* kLabelA232 = "RS232-A (baud)";
inline constexpr const char* kLabelB232 = "RS232-B (baud)";
inline constexpr const char* kLabelRegister = "%s: registrar evento";
inline constexpr const char* kLabelBuzzer = "%s: alerta buzzer";
inline constexpr const char* kLabelRegisterIn = "%s: registrar na entrada";
inline constexpr const char* kLabelRegisterOut = "%s: registrar na saída";
inline constexpr const char* kLabelBuzzerIn = "%s: buzzer na entrada";
inline constexpr const char* kLabelBuzzerOut = "%s: buzzer na saída";
inline constexpr const char* kLabelBuzzerDuring = "%s: buzzer durante";
inline constexpr const char* kYes = "sim";
inline constexpr const char* kNo = "não";
inline constexpr const char* kNone = "(vazio)";

}  // namespace vek::config::text
