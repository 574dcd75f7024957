#pragma once
// Reads the unit's 2,032-byte configuration image in five memory-read
// requests (500 bytes each, the fifth 32), paced by the window's 100 ms
// Timer3. A request goes out again at idle steps 3, 5 and 7; the read fails
// at idle step 10.

#include <cstdint>
#include <span>

#include "config/config_image.h"
#include "protocol/counters.h"
#include "protocol/frame.h"
#include "session/host.h"
#include "transfer/pacing.h"

namespace vek::transfer {

inline constexpr std::uint32_t kReadBlockSize = 500;
inline constexpr std::uint32_t kReadBlockCount = 5;
inline constexpr std::uint32_t kReadLastBlockSize = 32;  // 4 x 500 + 32 = 2032

// lastAcked is the block of the last data reply.
struct ReadState : Pacing {
    std::uint32_t configBase = 0;
};

class ConfigRead {
public:
    ConfigRead(session::Host& host, protocol::Counters& counters) : host_(host), counters_(counters) {}

    // Starts a read from the unit whose record lies at `configBase`: logs
    // "Buscando configuração interna..." and sends the first request.
    void start(std::uint32_t configBase);

    // One pacing step. Does nothing when no read runs.
    void Timer3Timer();

    enum class DataOutcome { Ignored, Accepted, Complete };
    // A configuration-data reply (its payload). Replies that do not fit the
    // image, or that claim more bytes than they carry, are dropped. Complete
    // once the last block arrives after it was requested; image() then holds
    // the record.
    DataOutcome onData(std::span<const std::uint8_t> payload);

    void stop();

    bool running() const { return running_; }
    bool timer3Enabled() const { return timer3_; }
    const ReadState& state() const { return s_; }
    const config::Image& image() const { return image_; }

    // The request for block `block` (1-based) of a record at `configBase`.
    static protocol::Bytes requestFrame(std::uint32_t configBase, std::uint32_t block);

private:
    void RequestPackage();
    void setTimer3(bool on);

    session::Host& host_;
    protocol::Counters& counters_;
    ReadState s_;
    config::Image image_{};
    bool running_ = false;
    bool timer3_ = false;
};

}  // namespace vek::transfer
