#pragma once
// Link statistics shown to the technician when a transfer fails. They are
// zeroed whenever a transfer or a configuration read starts.

#include <cstdint>

namespace vek::protocol {

struct Counters {
    std::uint32_t Nacks = 0;   // refusals received while a transfer ran
    std::uint32_t Code10 = 0;  // fragments of fewer than 8 bytes that never completed
    std::uint32_t Code15 = 0;  // runs of bytes that did not begin with the start byte
    std::uint32_t Code20 = 0;  // valid frames followed by bytes that were not a valid frame

    void reset() { *this = Counters{}; }
    bool operator==(const Counters&) const = default;
};

}  // namespace vek::protocol
