#pragma once
// The frame every exchange with the unit travels in:
//   BC | route | code | length(2) | payload | sum(3)
// Multi-byte numbers are big-endian; the sum is the plain byte sum of
// everything before it, low 24 bits.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vek::protocol {

using Bytes = std::vector<std::uint8_t>;

inline constexpr std::uint8_t kStartByte = 0xBC;
inline constexpr std::uint8_t kToolToUnit = 0x21;  // sender 2, destination 1
inline constexpr std::uint8_t kToolNibble = 0x02;
inline constexpr std::size_t kHeaderSize = 5;
inline constexpr std::size_t kSumSize = 3;
inline constexpr std::size_t kOverhead = kHeaderSize + kSumSize;  // 8
inline constexpr std::size_t kMaxPayload = 1019;  // header + payload <= 1024

// Commands the tool sends.
enum Command : std::uint8_t {
    CmdFirmwareBlock = 1,
    CmdJump = 5,
    CmdConfigBlock = 6,
    CmdMemoryRead = 7,
};

// Responses the tool acts on.
enum Response : std::uint8_t {
    RspAck = 2,
    RspNack = 3,
    RspIdentification = 4,
    RspConfigData = 7,
    RspOperationMode = 11,
};

// Byte sum of `bytes` into 32 bits; the frame carries its low 24 bits.
std::uint32_t byteSum(std::span<const std::uint8_t> bytes);

// A whole frame with the given route byte (the tool always uses 0x21; the
// simulator answers with 0x12).
Bytes buildFrame(std::uint8_t code, std::span<const std::uint8_t> payload,
                 std::uint8_t route = kToolToUnit);

// The start-application command: BC 21 05 00 00 00 00 E2.
Bytes jumpFrame();

// A configuration memory read: address and count, big-endian.
Bytes memoryReadFrame(std::uint32_t address, std::uint16_t count);

// One block of a transfer: transferId, block number and blockCount ahead of
// the block's bytes (image data, or the five check bytes of the last block).
// The code is the transfer's kind.
Bytes blockFrame(std::uint8_t kind, std::uint16_t transferId, std::uint16_t block,
                 std::uint16_t blockCount, std::span<const std::uint8_t> data);

// A decoded, checked frame.
struct Frame {
    std::uint8_t route = 0;
    std::uint8_t code = 0;
    Bytes payload;

    bool forTool() const { return (route & 0x0F) == kToolNibble; }
};

// Checks one complete frame held exactly in `bytes` (length field, limit and
// sum). Returns nothing when the bytes are not exactly one valid frame.
std::optional<Frame> parseFrame(std::span<const std::uint8_t> bytes);

// Big-endian helpers shared by the codec, the record and the simulator.
inline void putU16(Bytes& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}
inline void putU32(Bytes& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v >> 24));
    out.push_back(static_cast<std::uint8_t>(v >> 16));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}
inline std::uint16_t getU16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>((b[at] << 8) | b[at + 1]);
}
inline std::uint32_t getU32(std::span<const std::uint8_t> b, std::size_t at) {
    return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) |
           (std::uint32_t{b[at + 2]} << 8) | std::uint32_t{b[at + 3]};
}

}  // namespace vek::protocol
