#pragma once
// Where each field sits in the configuration record, and what a write or a
// remote command accepts for it. Shared by the image codec and the remote
// command list so both refuse the same values.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "config/config_texts.h"
#include "config/form_model.h"

namespace vek::config::layout {

inline constexpr std::array<std::uint8_t, 4> kMagic{0xCA, 0xFE, 0xF0, 0xDA};
inline constexpr std::size_t kLengthAt = 4;
inline constexpr std::uint16_t kLength = 30;  // bytes 6..35
inline constexpr std::size_t kConstAt = 6;     // 0x01, 0x02
inline constexpr std::size_t kPingAt = 8;
inline constexpr std::size_t kA232At = 10;
inline constexpr std::size_t kB232At = 12;
inline constexpr std::size_t kAcpFlagsAt = 16;
inline constexpr std::size_t kAcnFlagsAt = 17;
inline constexpr std::size_t kSumAt = 36;
inline constexpr std::size_t kFillAt = 39;
// The record proper beyond its length: header (6) and the 24-bit sum (3).
inline constexpr std::size_t kRecordOverhead = 9;

// The only RS232-A rate a unit may hold.
inline constexpr std::uint16_t kA232Required = 1152;

inline constexpr std::array<std::size_t, GroupCount> kGroupFlagsAt{18, 21, 24, 28, 31};

struct FieldRule {
    std::size_t at;      // offset in the record
    std::size_t width;   // 1 or 2 bytes
    unsigned long min;
    unsigned long max;   // never beyond what `width` bytes hold
    Text writeName;
    Text remoteName;
    const char* key;   // the configuration file's key
    const char* unit;  // as the form shows it
};

// In field order. The ranges are the write's; a value the record cannot hold
// is refused rather than cut to its low bytes.
inline constexpr std::array<FieldRule, FieldCount> kRules{{
    {14, 1, 0, 255, text::kAcp, text::kAcp, "acp_kmh_per_s", "km/h/s"},
    {15, 1, 0, 255, text::kAcn, text::kAcn, "acn_kmh_per_s", "km/h/s"},
    {19, 1, 0, 150, text::kVmx, text::kVmx, "vmx_kmh", "km/h"},
    {20, 1, 0, 60, text::kTvmx, text::kTvmx, "tvmx_s", "s"},
    {22, 1, 0, 150, text::kVch, text::kVch, "vch_kmh", "km/h"},
    {23, 1, 0, 60, text::kTvch, text::kTvch, "tvch_s", "s"},
    {25, 2, 1000, 65535, text::kRpx, text::kRpx, "rpx_rpm", "rpm"},
    {27, 1, 0, 60, text::kTrpx, text::kTrpx, "trpx_s", "s"},
    {29, 1, 1, 255, text::kToscWrite, text::kToscRemote, "tosc_min", "min"},
    {30, 1, 0, 60, text::kXosc, text::kXosc, "xosc_s", "s"},
    {32, 1, 1, 255, text::kVbgl, text::kVbgl, "vbgl_kmh", "km/h"},
    {33, 2, 300, 1000, text::kRbgl, text::kRbgl, "rbgl_rpm", "rpm"},
    {35, 1, 0, 30, text::kTbgl, text::kTbgl, "tbgl_s", "s"},
}};

// The number an edit box holds when it is non-empty, digits only and within
// the field's range. Long runs of digits saturate instead of overflowing.
std::optional<unsigned long> fieldValue(Field f, const std::string& text);

}  // namespace vek::config::layout
