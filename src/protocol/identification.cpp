#include "protocol/identification.h"

#include <cstdio>

#include "protocol/frame.h"
#include "protocol/protocol_texts.h"

namespace vek::protocol {

namespace {


template <typename... Args>
std::string format(const char* pattern, Args... args) {
    char out[96];
    const int n = std::snprintf(out, sizeof out, pattern, args...);
    return std::string(out, static_cast<std::size_t>(n));
}

}  // namespace

bool updatableType(std::uint8_t a) { return a == 3 || a == 4 || a == 41; }

std::optional<Identification> parseIdentification(std::span<const std::uint8_t> payload) {
    if (payload.size() < kIdentificationSize) return std::nullopt;
    Identification ident;
    ident.mode = payload[0];
    ident.id = {getU32(payload, 1), getU32(payload, 5), getU32(payload, 9)};
    ident.version = {payload[37], payload[38], payload[39], payload[40]};
    ident.configBase = getU32(payload, 41);
    return ident;
}

std::string versionLine(const Identification& ident) {
    const Version& v = ident.version;
    return format(texts::kVersionLine, int{v.a}, int{v.b}, int{v.c}, int{v.d}, unsigned{ident.id[2]},
                  unsigned{ident.id[1]}, unsigned{ident.id[0]});
}

std::string idListLine(const UnitId& id) {
    return format(texts::kIdListLine, unsigned{id[2]}, unsigned{id[1]}, unsigned{id[0]});
}

std::string idDigits(const UnitId& id) {
    return format(texts::kIdDigits, unsigned{id[2]}, unsigned{id[1]}, unsigned{id[0]});
}

std::optional<UnitId> parseIdDigits(std::string_view digits) {
    if (digits.size() != 24) return std::nullopt;
    UnitId id{};
    for (std::size_t i = 0; i < 24; ++i) {
        const char c = digits[i];
        std::uint32_t v = 0;
        if (c >= '0' && c <= '9') v = static_cast<std::uint32_t>(c - '0');
        else if (c >= 'A' && c <= 'F') v = static_cast<std::uint32_t>(c - 'A' + 10);
        else if (c >= 'a' && c <= 'f') v = static_cast<std::uint32_t>(c - 'a' + 10);
        else return std::nullopt;
        // Shown word 3 first.
        std::uint32_t& word = id[2 - i / 8];
        word = (word << 4) | v;
    }
    return id;
}

bool isCurrentRelease(const Version& v) {
    return (v.a == 4 || v.a == 41) && v.c == kCarriedMajor && v.d == kCarriedMinor;
}

NextStep nextStep(const Identification& ident) {
    if (ident.operationMode()) return NextStep::OperationMode;
    const Version& v = ident.version;
    if (v.a == 1 || v.a == 2) return NextStep::DiscontinuedThenRead;
    if (!updatableType(v.a)) return NextStep::Nothing;
    if (v.c == 255 && v.d == 255) return NextStep::UpdateFirmware;
    if (v.c == 99) return NextStep::UpdateFirmware;
    if (v.c < kCarriedMajor || (v.c == kCarriedMajor && v.d < kCarriedMinor)) return NextStep::UpdateFirmware;
    return NextStep::UpToDateThenRead;
}

bool shouldList(const Identification& ident, const UnitId& lastListedId) {
    return !ident.operationMode() && isCurrentRelease(ident.version) && ident.id != lastListedId;
}

}  // namespace vek::protocol
