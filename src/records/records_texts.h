#pragma once
// What the record store tells the technician, in one place. Placeholders are
// filled with QString::arg; a database is always named without a password.

namespace vek::records::texts {

// Addresses
inline constexpr const char* kPasswordInUrl =
    "O endereço do banco de registros não pode conter senha: %1. "
    "Informe a senha na variável PGPASSWORD ou no arquivo ~/.pgpass.";
inline constexpr const char* kBadUrl =
    "Endereço do banco de registros inválido: %1. Use postgresql://usuário@servidor:porta/banco.";
inline constexpr const char* kBadUrlOption =
    "Opção \"%1\" não aceita no endereço do banco de registros %2 "
    "(só sslmode=disable, allow, prefer, require, verify-ca ou verify-full).";
inline constexpr const char* kNoDriver = "O driver %1 do Qt não está instalado; o banco %2 não pode ser aberto.";

// Opening and the schema
inline constexpr const char* kNotOpen = "O banco de registros não está aberto.";
inline constexpr const char* kLocalFolder = "Não foi possível criar a pasta %1 do banco local de registros.";
inline constexpr const char* kOpenFailed = "Não foi possível abrir o banco de registros %1: %2";
inline constexpr const char* kNewerSchema =
    "O banco de registros %1 está na versão %2 do esquema, mais nova que a desta ferramenta (%3). "
    "Atualize o VekTool; nada foi gravado no banco.";
inline constexpr const char* kNoSchemaVersion =
    "O banco %1 tem uma tabela runs sem versão de esquema: não é um banco de registros do VekTool. "
    "Nada foi gravado no banco.";
inline constexpr const char* kUnreadableSchema = "Não foi possível ler a versão do esquema do banco %1: %2";
inline constexpr const char* kSchemaFailed = "Não foi possível preparar o esquema do banco %1: %2";

// The shared database
inline constexpr const char* kSharedAway =
    "Banco compartilhado %1 inacessível (%2). Os registros ficam no banco local %3 até a reconexão.";
inline constexpr const char* kListAway =
    "Banco compartilhado %1 inacessível; a lista não pode ser lida (%2 execuções aguardam envio).";

// Runs
inline constexpr const char* kBadRunId = "Identificador de execução inválido: \"%1\" (esperado um UUID).";
inline constexpr const char* kRunExists = "A execução %1 já existe.";
inline constexpr const char* kUnknownRun = "Execução %1 desconhecida ou já terminada; nada foi alterado.";
inline constexpr const char* kRunningEnd = "Uma execução só termina aprovada, reprovada ou interrompida.";
inline constexpr const char* kBadJson =
    "A configuração gravada não é um JSON válido (%1, posição %2); nada foi alterado.";
inline constexpr const char* kWriteFailed = "Não foi possível gravar a execução %1 (%2).";
// The lock file and why it could not be taken.
inline constexpr const char* kLockFailed = "Não foi possível criar a trava da estação %1: %2";
inline constexpr const char* kFolderNotWritable = "a pasta não aceita gravação";
inline constexpr const char* kBadRow = "O banco %1 tem uma linha ilegível na execução %2.";
inline constexpr const char* kReadFailed = "Não foi possível ler o banco de registros %1: %2";
inline constexpr const char* kInterrupted = "Interrompida: a estação parou antes do fim da execução.";

}  // namespace vek::records::texts
