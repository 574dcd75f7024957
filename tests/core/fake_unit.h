#pragma once
// A small stand-in for the unit on the far side of the link, enough for the
// core tests: it answers memory reads from its configuration memory and
// acknowledges transfer blocks, assembling what it receives. Replies are
// queued, never delivered from inside a write; the test delivers them.

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "config/form_model.h"
#include "protocol/frame.h"

namespace vek::test {

inline constexpr std::uint8_t kUnitRoute = 0x12;

inline protocol::Bytes unitFrame(std::uint8_t code, const protocol::Bytes& payload = {}) {
    return protocol::buildFrame(code, payload, kUnitRoute);
}

inline protocol::Bytes ackFrame(std::uint16_t block) {
    protocol::Bytes p;
    protocol::putU16(p, block);
    return unitFrame(protocol::RspAck, p);
}

inline protocol::Bytes nackFrame() { return unitFrame(protocol::RspNack); }

inline protocol::Bytes dataFrame(std::uint32_t address, const protocol::Bytes& data) {
    protocol::Bytes p;
    protocol::putU32(p, address);
    protocol::putU16(p, static_cast<std::uint16_t>(data.size()));
    p.insert(p.end(), data.begin(), data.end());
    return unitFrame(protocol::RspConfigData, p);
}

struct UnitIdentity {
    std::uint8_t mode = 1;
    std::array<std::uint8_t, 4> version{4, 0, 2, 47};
    std::array<std::uint32_t, 3> words{0x11111111, 0x22222222, 0x33333333};  // wire order
    std::uint32_t configBase = 0x0801F000;
};

inline protocol::Bytes identificationFrame(const UnitIdentity& u) {
    protocol::Bytes p;
    p.push_back(u.mode);
    for (std::uint32_t w : u.words) protocol::putU32(p, w);
    p.insert(p.end(), 24, static_cast<std::uint8_t>(' '));  // the two descriptive texts
    p.insert(p.end(), u.version.begin(), u.version.end());
    protocol::putU32(p, u.configBase);
    return unitFrame(protocol::RspIdentification, p);
}

class FakeUnit {
public:
    std::uint32_t configBase = 0x0801F000;
    std::array<std::uint8_t, config::kImageSize> memory{};

    bool silent = false;     // answers nothing
    bool refuseAll = false;  // answers every block with a refusal
    bool wrongAckAlways = false;   // acknowledges every block as the one before
    bool wrongReadAlways = false;  // answers every read with the next block's bytes
    bool silentReads = false;      // answers no memory read
    int storeWrongAt = -1;         // a written record keeps a wrong byte here
    // After a whole firmware transfer the unit restarts and announces itself
    // as this (its new version, or another unit in its place); nothing: it
    // never comes back.
    std::optional<UnitIdentity> restartsAs;

    // What arrived.
    int reads = 0;
    int blocks = 0;
    std::vector<std::uint8_t> received;  // data blocks of the last transfer, in order
    std::vector<std::uint8_t> checkBytes;
    int transferKind = 0;

    std::deque<protocol::Bytes> outbox;

private:
    int lastBlock = 0;

public:

    void receive(const protocol::Bytes& bytes) {
        const auto frame = protocol::parseFrame(bytes);
        if (!frame || silent) return;
        const auto& p = frame->payload;
        if (frame->code == protocol::CmdMemoryRead) {
            ++reads;
            if (silentReads) return;
            std::uint32_t offset = protocol::getU32(p, 0) - configBase;
            if (wrongReadAlways) offset = (offset + 500) % 2000;
            const std::uint16_t count = protocol::getU16(p, 4);
            if (offset > memory.size() || count > memory.size() - offset) return;  // no such memory
            outbox.push_back(dataFrame(configBase + offset,
                                       protocol::Bytes(memory.begin() + offset, memory.begin() + offset + count)));
            return;
        }
        if (frame->code == protocol::CmdFirmwareBlock || frame->code == protocol::CmdConfigBlock) {
            ++blocks;
            if (refuseAll) {
                outbox.push_back(nackFrame());
                return;
            }
            const std::uint16_t block = protocol::getU16(p, 2);
            const std::uint16_t count = protocol::getU16(p, 4);
            if (block == 1) {
                received.clear();
                transferKind = frame->code;
                lastBlock = 0;
            }
            const bool next = block == lastBlock + 1;
            if (next) lastBlock = block;
            bool restart = false;
            if (!next) {
                // a block sent again: acknowledged, not stored twice
            } else if (block == count) {
                checkBytes.assign(p.begin() + 6, p.end());
                if (frame->code == protocol::CmdConfigBlock && received.size() == memory.size()) {
                    std::copy(received.begin(), received.end(), memory.begin());
                    if (storeWrongAt >= 0) memory[static_cast<std::size_t>(storeWrongAt)] ^= 0x5A;
                }
                restart = frame->code == protocol::CmdFirmwareBlock && restartsAs.has_value();
            } else {
                received.insert(received.end(), p.begin() + 6, p.end());
            }
            outbox.push_back(ackFrame(wrongAckAlways ? static_cast<std::uint16_t>(block - 1) : block));
            if (restart) outbox.push_back(identificationFrame(*restartsAs));
        }
    }
};

}  // namespace vek::test
