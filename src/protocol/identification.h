#pragma once
// The unit's announcement of itself (response 4) and what follows from it.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vek::protocol {

inline constexpr std::size_t kIdentificationSize = 45;

// Identifier words in wire order: word 1, word 2, word 3. Shown reversed.
using UnitId = std::array<std::uint32_t, 3>;

struct Version {
    std::uint8_t a = 0;  // unit type
    std::uint8_t b = 0;
    std::uint8_t c = 0;  // firmware major
    std::uint8_t d = 0;  // firmware minor
};

struct Identification {
    std::uint8_t mode = 0;  // 0: operation mode; anything else: maintenance
    UnitId id{};
    Version version;
    std::uint32_t configBase = 0;

    bool operationMode() const { return mode == 0; }
};

// Nothing when the payload is shorter than the 45 bytes it must hold.
std::optional<Identification> parseIdentification(std::span<const std::uint8_t> payload);

// "Vek va.b.c.d\r\nId: word3 word2 word1".
std::string versionLine(const Identification& ident);
// The production list's line and the 24 digits compared with the label.
std::string idListLine(const UnitId& id);
std::string idDigits(const UnitId& id);
// The identifier back from its 24 digits (either case); nothing when the
// text is not exactly 24 hexadecimal digits.
std::optional<UnitId> parseIdDigits(std::string_view digits);

// The firmware release the tool carries, as a unit announces it (x.0.2.47).
inline constexpr std::uint8_t kCarriedMajor = 2;
inline constexpr std::uint8_t kCarriedMinor = 47;

// The release the tool carries: 2.47 on a unit of type 4 or 41.
// The unit types that run the firmware the tool carries.
bool updatableType(std::uint8_t type);
bool isCurrentRelease(const Version& v);

// The step after a maintenance-mode identification has been shown.
enum class NextStep {
    OperationMode,             // tell the technician, close the port
    DiscontinuedThenRead,      // types 1, 2: red warning, then read
    UpdateFirmware,            // types 3, 4, 41 with 255.255, 99.x or older than 2.47
    UpToDateThenRead,          // types 3, 4, 41 otherwise
    Nothing,                   // any other type: the version line only
};
NextStep nextStep(const Identification& ident);

// Whether the identifier goes into the production list: a current-release
// unit not listed just before.
bool shouldList(const Identification& ident, const UnitId& lastListedId);

}  // namespace vek::protocol
