#pragma once
#include "text/text.h"
// What the record store tells the technician, in one place. Placeholders are
// filled with QString::arg; a database is always named without a password.

namespace vek::records::texts {

// Addresses
inline constexpr vek::Text kPasswordInUrl =
    VEK_TR("records", "O endereço do banco de registros não pode conter senha: %1. "
    "Informe a senha na variável PGPASSWORD ou no arquivo ~/.pgpass.");
inline constexpr vek::Text kBadUrl =
    VEK_TR("records", "Endereço do banco de registros inválido: %1. Use postgresql://usuário@servidor:porta/banco.");
inline constexpr vek::Text kBadUrlOption =
    VEK_TR("records", "Opção \"%1\" não aceita no endereço do banco de registros %2 "
    "(só sslmode=disable, allow, prefer, require, verify-ca ou verify-full).");
inline constexpr vek::Text kNoDriver = VEK_TR("records", "O driver %1 do Qt não está instalado; o banco %2 não pode ser aberto.");

// Opening and the schema
inline constexpr vek::Text kNotOpen = VEK_TR("records", "O banco de registros não está aberto.");
inline constexpr vek::Text kLocalFolder = VEK_TR("records", "Não foi possível criar a pasta %1 do banco local de registros.");
inline constexpr vek::Text kOpenFailed = VEK_TR("records", "Não foi possível abrir o banco de registros %1: %2");
inline constexpr vek::Text kNewerSchema =
    VEK_TR("records", "O banco de registros %1 está na versão %2 do esquema, mais nova que a desta ferramenta (%3). "
    "Atualize o VekTool; nada foi gravado no banco.");
inline constexpr vek::Text kNoSchemaVersion =
    VEK_TR("records", "O banco %1 tem uma tabela runs sem versão de esquema: não é um banco de registros do VekTool. "
    "Nada foi gravado no banco.");
inline constexpr vek::Text kUnreadableSchema = VEK_TR("records", "Não foi possível ler a versão do esquema do banco %1: %2");
inline constexpr vek::Text kSchemaFailed = VEK_TR("records", "Não foi possível preparar o esquema do banco %1: %2");

// The shared database
inline constexpr vek::Text kSharedAway =
    VEK_TR("records", "Banco compartilhado %1 inacessível (%2). Os registros ficam no banco local %3 até a reconexão.");
inline constexpr vek::Text kListAway =
    VEK_TR("records", "Banco compartilhado %1 inacessível; a lista não pode ser lida (%2 execuções aguardam envio).");

// Runs
inline constexpr vek::Text kBadRunId = VEK_TR("records", "Identificador de execução inválido: \"%1\" (esperado um UUID).");
inline constexpr vek::Text kRunExists = VEK_TR("records", "A execução %1 já existe.");
inline constexpr vek::Text kUnknownRun = VEK_TR("records", "Execução %1 desconhecida ou já terminada; nada foi alterado.");
inline constexpr vek::Text kRunningEnd = VEK_TR("records", "Uma execução só termina aprovada, reprovada ou interrompida.");
inline constexpr vek::Text kBadJson =
    VEK_TR("records", "A configuração gravada não é um JSON válido (%1, posição %2); nada foi alterado.");
inline constexpr vek::Text kWriteFailed = VEK_TR("records", "Não foi possível gravar a execução %1 (%2).");
// The lock file and why it could not be taken.
inline constexpr vek::Text kLockFailed = VEK_TR("records", "Não foi possível criar a trava da estação %1: %2");
inline constexpr vek::Text kFolderNotWritable = VEK_TR("records", "a pasta não aceita gravação");
inline constexpr vek::Text kBadRow = VEK_TR("records", "O banco %1 tem uma linha ilegível na execução %2.");
inline constexpr vek::Text kReadFailed = VEK_TR("records", "Não foi possível ler o banco de registros %1: %2");
inline constexpr vek::Text kInterrupted = VEK_TR("records", "Interrompida: a estação parou antes do fim da execução.");

}  // namespace vek::records::texts
