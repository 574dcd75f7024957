#include "protocol/frame.h"

namespace vek::protocol {

std::uint32_t byteSum(std::span<const std::uint8_t> bytes) {
    std::uint32_t sum = 0;
    for (std::uint8_t b : bytes) sum += b;
    return sum;
}

Bytes buildFrame(std::uint8_t code, std::span<const std::uint8_t> payload, std::uint8_t route) {
    Bytes f;
    f.reserve(payload.size() + kOverhead);
    f.push_back(kStartByte);
    f.push_back(route);
    f.push_back(code);
    putU16(f, static_cast<std::uint16_t>(payload.size()));
    f.insert(f.end(), payload.begin(), payload.end());
    const std::uint32_t sum = byteSum(f);
    f.push_back(static_cast<std::uint8_t>(sum >> 16));
    f.push_back(static_cast<std::uint8_t>(sum >> 8));
    f.push_back(static_cast<std::uint8_t>(sum));
    return f;
}

Bytes jumpFrame() { return buildFrame(CmdJump, {}); }

Bytes memoryReadFrame(std::uint32_t address, std::uint16_t count) {
    Bytes payload;
    putU32(payload, address);
    putU16(payload, count);
    return buildFrame(CmdMemoryRead, payload);
}

Bytes blockFrame(std::uint8_t kind, std::uint16_t transferId, std::uint16_t block,
                 std::uint16_t blockCount, std::span<const std::uint8_t> data) {
    Bytes payload;
    payload.reserve(6 + data.size());
    putU16(payload, transferId);
    putU16(payload, block);
    putU16(payload, blockCount);
    payload.insert(payload.end(), data.begin(), data.end());
    return buildFrame(kind, payload);
}

std::optional<Frame> parseFrame(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kOverhead || bytes[0] != kStartByte) return std::nullopt;
    const std::size_t length = getU16(bytes, 3);
    if (length > kMaxPayload || bytes.size() != length + kOverhead) return std::nullopt;
    const std::size_t sumAt = kHeaderSize + length;
    const std::uint32_t sent = (std::uint32_t{bytes[sumAt]} << 16) |
                               (std::uint32_t{bytes[sumAt + 1]} << 8) | bytes[sumAt + 2];
    if ((byteSum(bytes.first(sumAt)) & 0xFFFFFFu) != sent) return std::nullopt;
    Frame f;
    f.route = bytes[1];
    f.code = bytes[2];
    f.payload.assign(bytes.begin() + kHeaderSize, bytes.begin() + static_cast<std::ptrdiff_t>(sumAt));
    return f;
}

}  // namespace vek::protocol
