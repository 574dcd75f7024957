#pragma once
// What reading the records tells the user, in one place. Placeholders are
// filled with QString::arg; a database is always named without a password.

namespace vek::records::texts {

inline constexpr const char* kQueryLocal = "SQLite (local) %1";
inline constexpr const char* kQueryShared = "PostgreSQL %1";
inline constexpr const char* kQueryNoFile =
    "Ainda não há registros neste computador: o arquivo %1 não existe. Ele é criado pela estação de produção.";
inline constexpr const char* kQueryNoRuns =
    "O banco %1 não tem a tabela de execuções: não é um banco de registros do VekTool.";
inline constexpr const char* kQueryOpenFailed = "Não foi possível abrir o banco de registros %1: %2";
inline constexpr const char* kQueryFailed = "Não foi possível consultar o banco de registros %1: %2";
inline constexpr const char* kQueryNotOpen = "O banco de registros não está aberto.";
inline constexpr const char* kQueryNoDriver = "O driver %1 do Qt não está instalado; o banco %2 não pode ser aberto.";

}  // namespace vek::records::texts
