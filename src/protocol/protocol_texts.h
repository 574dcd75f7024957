#pragma once
// What the protocol layer writes in the log, in one place.

namespace vek::protocol::texts {

inline constexpr const char* kWrongDestination = "Destino inválido!";

inline constexpr const char* kDiscontinued =
    "Essa versão do vek está descontinuada, entre em contato com a Marovec para mais informações!";

inline constexpr const char* kUpToDate = "O Vek está atualizado!";

inline constexpr const char* kVersionLine = "Vek v%d.%d.%d.%d\r\nId: %.8X %.8X %.8X";
inline constexpr const char* kIdListLine = "%.8X %.8X %.8X";
inline constexpr const char* kIdDigits = "%.8X%.8X%.8X";

}  // namespace vek::protocol::texts
