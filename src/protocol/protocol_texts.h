#pragma once
#include "text/text.h"
// What the protocol layer writes in the log, in one place.

namespace vek::protocol::texts {

inline constexpr vek::Text kWrongDestination = VEK_TR("protocol", "Destino inválido!");

inline constexpr vek::Text kDiscontinued =
    VEK_TR("protocol", "Essa versão do vek está descontinuada, entre em contato com a Marovec para mais informações!");

inline constexpr vek::Text kUpToDate = VEK_TR("protocol", "O Vek está atualizado!");

inline constexpr const char* kVersionLine = "Vek v%d.%d.%d.%d\r\nId: %.8X %.8X %.8X";
inline constexpr const char* kIdListLine = "%.8X %.8X %.8X";
inline constexpr const char* kIdDigits = "%.8X%.8X%.8X";

}  // namespace vek::protocol::texts
