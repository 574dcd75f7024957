#pragma once
// The unit's side of the protocol, as plain code: bytes in, replies out.
// It announces itself, answers configuration memory reads, receives block
// transfers and checks them as a unit would, and can be told to misbehave.
// Timing (delays between pieces) is described in the outputs; the host that
// carries the bytes does the waiting.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "protocol/frame.h"

namespace vek::sim {

using protocol::Bytes;

inline constexpr std::size_t kConfigSize = 2032;
using ConfigMemory = std::array<std::uint8_t, kConfigSize>;

struct Identity {
    std::uint8_t mode = 1;  // 0 = operation mode, anything else maintenance
    std::array<std::uint8_t, 4> version{4, 0, 2, 47};
    std::array<std::uint32_t, 3> id{0x00C0FFEE, 0x12345678, 0x0BADF00D};  // words 1, 2, 3 as on the wire
    std::uint32_t configBase = 0x0003F800;
};

// Starting contents of the configuration memory.
enum class ConfigState { Valid, NeverWritten, WrongMagic, WrongSum, A232_576 };
ConfigMemory makeConfig(ConfigState state);

// Damage applied to what the unit sends.
struct StreamDamage {
    bool garbageBefore = false;   // junk bytes ahead of the frame
    int splitPieces = 0;          // >1: the frame goes out in this many pieces
    int splitGapMs = 0;           // pause between pieces
    bool doubled = false;         // the frame twice in one write
    bool strayAfter = false;      // two stray bytes after the frame
    bool badSum = false;          // last sum byte wrong
    bool oversized = false;       // a declared length over the receiver's limit
    bool wrongDestination = false;  // route byte not for the tool
    bool any() const {
        return garbageBefore || splitPieces > 1 || doubled || strayAfter || badSum || oversized || wrongDestination;
    }
};

struct Faults {
    int dropAckOfBlock = 0;        // block n's acknowledgement is not sent
    bool dropAckAlways = false;    // ... every time, not only the first
    int dropAckFromBlock = 0;      // block n and every block after it go unacknowledged: the
                                   // unit stops acknowledging mid-transfer
    int refuseBlock = 0;           // block n is answered with a refusal (every time)
    int wrongAckForBlock = 0;      // block n is acknowledged as n - 1 (once)
    int ackOffset = 0;             // every block n is taken but acknowledged as n + ackOffset
    bool readWrongBlock = false;   // every memory read is answered as the block before it
                                   // (the first as the second): that block's address and data
    int replyDelayMs = 0;          // every reply waits this long
    bool silent = false;           // nothing is answered
    int silentAfterReads = -1;     // >= 0: memory reads beyond this many go unanswered
    int dropReadOnce = 0;          // > 0: the n-th memory read request (resends counted) goes
                                   // unanswered; its resend is answered
    int vanishAtBlock = 0;         // the unit disappears when block n arrives
    int storeConfigWrongAt = -1;   // >= 0: a completed configuration write is stored with
                                   // this byte inverted, so a read-back differs there
    bool strayHeaders = false;     // every frame goes out between two headers that announce a
                                   // 500-byte reply and have nothing behind them
    bool firmwareNotTaken = false;  // an accepted firmware transfer restarts the unit, which
                                    // comes back with its old version: the new one did not take
    std::optional<std::array<std::uint32_t, 3>> returnAs;  // after the restart with new firmware
                                   // a different unit (this identifier, new version) announces
                                   // itself: the first was pulled and another plugged in
    // Carried out by the host, which owns the timing:
    int floodIntervalUs = 0;       // > 0: while the port is open, a frame for another
                                   // destination this often, between replies
    int trickleGapUs = -1;         // >= 0: every reply is written one byte at a time, this
                                   // long apart (paced: at least a byte's wire time)
    StreamDamage damage;           // applied to outgoing frames
    bool damageOnce = true;        // ... to the next one only
};

struct Output {
    Bytes bytes;
    int delayMs = 0;  // wait before sending, after the previous output
};

// What the unit made of one block transfer.
struct TransferRecord {
    std::uint8_t kind = 0;
    std::uint16_t transferId = 0;
    std::uint16_t blockCount = 0;
    Bytes image;
    bool completed = false;
    bool accepted = false;  // check values matched
};

class UnitSim {
public:
    explicit UnitSim(Identity identity = {});

    void setIdentity(const Identity& identity) { identity_ = identity; }
    const Identity& identity() const { return identity_; }
    void setFaults(const Faults& faults) { faults_ = faults; }
    Faults& faults() { return faults_; }
    void setConfig(const ConfigMemory& memory) { config_ = memory; }
    const ConfigMemory& config() const { return config_; }
    // The unit announces itself with an operation-mode notice as well.
    void setOperationNotice(bool on) { operationNotice_ = on; }
    // Delay of the announcement after a restart with new firmware.
    void setRestartDelayMs(int ms) { restartDelayMs_ = ms; }

    // The port has just been opened by the tool.
    std::vector<Output> announce();
    // Bytes from the tool.
    std::vector<Output> receive(std::span<const std::uint8_t> bytes);

    // The unit asks to disappear from the line (unplugged).
    bool vanishRequested() const { return vanish_; }

    const Bytes& received() const { return received_; }
    const std::vector<protocol::Frame>& frames() const { return frames_; }
    const std::vector<TransferRecord>& transfers() const { return transfers_; }
    const Bytes& firmware() const { return firmware_; }
    int restarts() const { return restarts_; }
    int memoryReads() const { return memoryReads_; }
    // Everything the unit found wrong in what the tool sent.
    const std::vector<std::string>& problems() const { return problems_; }

    Bytes identificationFrame() const;
    // The next frame of a flood addressed to another destination (route
    // 0x13), numbered so that no two are alike.
    Bytes floodFrame();
    int floodFrames() const { return floodFrames_; }

private:
    void handle(const protocol::Frame& frame, std::vector<Output>& out);
    void handleBlock(const protocol::Frame& frame, std::vector<Output>& out);
    void handleRead(const protocol::Frame& frame, std::vector<Output>& out);
    void reply(std::uint8_t code, const Bytes& payload, std::vector<Output>& out, int extraDelayMs = 0);
    void sendFrame(Bytes frame, std::vector<Output>& out, int delayMs);
    void problem(std::string what) { problems_.push_back(std::move(what)); }

    Identity identity_;
    Faults faults_;
    ConfigMemory config_;
    bool operationNotice_ = false;
    int restartDelayMs_ = 200;
    Bytes rx_;
    Bytes received_;
    std::vector<protocol::Frame> frames_;
    std::vector<TransferRecord> transfers_;
    Bytes firmware_;
    std::uint16_t expectedBlock_ = 0;
    int restarts_ = 0;
    int memoryReads_ = 0;
    bool vanish_ = false;
    bool restarting_ = false;
    bool droppedOnce_ = false;
    bool wrongAckDone_ = false;
    int floodFrames_ = 0;
    std::vector<std::string> problems_;
};

}  // namespace vek::sim
