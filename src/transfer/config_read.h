#pragma once
// Reads the unit's 2,032-byte configuration image in five memory-read
// requests (500 bytes each, the fifth 32), paced by the 100 ms Timer3. A
// request goes out again at idle steps 3, 5 and 7; the read fails at idle
// step 10.

#include <cstdint>
#include <span>

#include "config/config_image.h"
#include "protocol/frame.h"
#include "transfer/paced_operation.h"

namespace vek::transfer {

inline constexpr std::uint32_t kReadBlockSize = 500;
inline constexpr std::uint32_t kReadBlockCount = 5;
inline constexpr std::uint32_t kReadLastBlockSize = 32;  // 4 x 500 + 32 = 2032

class ConfigRead : public PacedOperation {
public:
    ConfigRead(Port& port, protocol::Counters& counters) : PacedOperation(port, counters, PacingTimer::Timer3) {}

    // Starts a read from the unit whose record lies at `configBase` and sends
    // the first request. `announce` logs "Buscando configuração interna...";
    // a read that checks what was just written goes without it.
    Outcome start(std::uint32_t configBase, bool announce = true);

    // One pacing step. Ignored when no read runs.
    Outcome Timer3Timer() { return step(); }

    // A configuration-data reply (its payload). Replies that do not fit the
    // image, or that claim more bytes than they carry, are dropped. Completed
    // once the last block arrives after it was requested; image() then holds
    // the record.
    Outcome onData(std::span<const std::uint8_t> payload);

    std::uint32_t configBase() const { return configBase_; }
    const config::Image& image() const { return image_; }

    // The request for block `block` (1-based) of a record at `configBase`.
    static protocol::Bytes requestFrame(std::uint32_t configBase, std::uint32_t block);

private:
    void sendCurrent() override { RequestPackage(); }

    void RequestPackage();

    std::uint32_t configBase_ = 0;
    config::Image image_{};
};

}  // namespace vek::transfer
