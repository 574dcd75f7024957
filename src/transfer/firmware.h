#pragma once
// The firmware image the tool installs, held read-only in the program, and the
// two check values delivered with it. The check values are data, not derived:
// they are not the XOR and sum of the stored bytes and are never recomputed.

#include <cstddef>
#include <cstdint>
#include <span>

namespace vek::transfer {

inline constexpr std::size_t kFirmwareSize = 91132;

// Generated at build time from firmware.bin.
extern const std::uint8_t kFirmwareData[kFirmwareSize];
extern const std::size_t kFirmwareDataSize;

inline constexpr std::uint8_t kFirmwareCheckXor = 0xD7;         // 215
inline constexpr std::uint32_t kFirmwareCheckSum = 0x0079C89D;  // 7,981,213

inline std::span<const std::uint8_t> firmwareImage() { return {kFirmwareData, kFirmwareDataSize}; }

}  // namespace vek::transfer
