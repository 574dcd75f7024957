#pragma once
#include "text/text.h"
// What reading the records tells the user, in one place. Placeholders are
// filled with QString::arg; a database is always named without a password.

namespace vek::records::texts {

inline constexpr vek::Text kQueryLocal = VEK_TR("records_query", "SQLite (local) %1");
inline constexpr vek::Text kQueryShared = VEK_TR("records_query", "PostgreSQL %1");
inline constexpr vek::Text kQueryNoFile =
    VEK_TR("records_query", "Ainda não há registros neste computador: o arquivo %1 não existe. Ele é criado pela estação de produção.");
inline constexpr vek::Text kQueryNoRecordsYet =
    VEK_TR("records_query", "O banco %1 ainda não tem registros: nenhuma estação gravou nele.");
inline constexpr vek::Text kQueryNoRuns =
    VEK_TR("records_query", "O banco %1 não tem a tabela de execuções: não é um banco de registros do VekTool.");
inline constexpr vek::Text kQueryOpenFailed = VEK_TR("records_query", "Não foi possível abrir o banco de registros %1: %2");
inline constexpr vek::Text kQueryFailed = VEK_TR("records_query", "Não foi possível consultar o banco de registros %1: %2");
inline constexpr vek::Text kQueryNotOpen = VEK_TR("records_query", "O banco de registros não está aberto.");
inline constexpr vek::Text kQueryNoDriver = VEK_TR("records_query", "O driver %1 do Qt não está instalado; o banco %2 não pode ser aberto.");

}  // namespace vek::records::texts
