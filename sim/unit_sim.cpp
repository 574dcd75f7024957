#include "unit_sim.h"

#include <algorithm>

#include "transfer/firmware.h"

namespace vek::sim {

using protocol::getU16;
using protocol::getU32;
using protocol::putU16;
using protocol::putU32;

namespace {

constexpr std::uint8_t kRouteToTool = 0x12;  // sender 1 (unit), destination 2 (tool)
constexpr std::uint8_t kRouteElsewhere = 0x13;  // sender 1, destination 3: not the tool
// A data reply's header (500 bytes announced) with nothing behind it.
const Bytes kStrayHeader{protocol::kStartByte, kRouteToTool, protocol::RspConfigData, 0x01, 0xF4};
constexpr std::size_t kReadBlock = 500;
constexpr std::size_t kBlockData = 48;
// The check values the unit expects with the firmware it is sent: its own
// knowledge, not the tool's.
constexpr std::uint8_t kFirmwareXor = 0xD7;
constexpr std::uint32_t kFirmwareSum = 0x0079C89D;
constexpr std::array<std::uint8_t, 4> kNewFirmwareVersion{2, 47};

std::size_t expectedImageSize(std::uint8_t kind) {
    return kind == protocol::CmdFirmwareBlock ? transfer::kFirmwareDataSize : kConfigSize;
}

}  // namespace

ConfigMemory makeConfig(ConfigState state) {
    ConfigMemory m;
    m.fill(0xFF);
    if (state == ConfigState::NeverWritten) {
        // Whatever the factory left, with the tell-tale count in 14..17.
        for (std::size_t i = 0; i < 40; ++i) m[i] = static_cast<std::uint8_t>(i);
        return m;
    }
    // A valid record that matches neither preset, so a read visibly fills
    // the form from it.
    const std::uint8_t record[36] = {
        0xCA, 0xFE, 0xF0, 0xDA, 0x00, 0x1E, 0x01, 0x02,
        0x00, 120,                       // PING 120 s
        0x04, 0x80,                      // RS232-A 115200
        0x00, 192,                       // RS232-B 19200
        12, 13,                          // ACP, ACN
        11, 1,                           // ACP flags, ACN flags
        31, 110, 6,                      // VMX flags, VMX, TVMX
        40, 85, 4,                       // VCH flags, VCH, TVCH
        12, 0x0E, 0xD8, 8,               // RPX flags, RPX 3800, TRPX
        3, 5, 9,                         // OSC flags, TOSC, XOSC
        21, 30, 0x03, 0x52, 6,           // BGL flags, VBGL, RBGL 850, TBGL
    };
    std::copy(std::begin(record), std::end(record), m.begin());
    if (state == ConfigState::A232_576) {
        m[10] = 0x02;
        m[11] = 0x40;
    }
    std::uint32_t sum = protocol::byteSum(std::span(m).first(36));
    if (state == ConfigState::WrongSum) sum += 1;
    m[36] = static_cast<std::uint8_t>(sum >> 16);
    m[37] = static_cast<std::uint8_t>(sum >> 8);
    m[38] = static_cast<std::uint8_t>(sum);
    if (state == ConfigState::WrongMagic) m[2] = 0x0F;  // after the sum: only the magic is off
    return m;
}

UnitSim::UnitSim(Identity identity) : identity_(identity), config_(makeConfig(ConfigState::Valid)) {}

Bytes UnitSim::identificationFrame() const {
    Bytes p;
    p.push_back(identity_.mode);
    for (std::uint32_t w : identity_.id) putU32(p, w);
    const char text1[12] = {'V', 'E', 'K', ' ', 'S', 'I', 'M'};
    const char text2[12] = {'B', 'O', 'O', 'T'};
    p.insert(p.end(), std::begin(text1), std::end(text1));
    p.insert(p.end(), std::begin(text2), std::end(text2));
    p.insert(p.end(), identity_.version.begin(), identity_.version.end());
    putU32(p, identity_.configBase);
    return protocol::buildFrame(protocol::RspIdentification, p, kRouteToTool);
}

std::vector<Output> UnitSim::announce() {
    std::vector<Output> out;
    rx_.clear();
    expectedBlock_ = 0;
    if (faults_.silent) return out;
    sendFrame(identificationFrame(), out, 0);
    if (operationNotice_) sendFrame(protocol::buildFrame(protocol::RspOperationMode, {}, kRouteToTool), out, 0);
    return out;
}

std::vector<Output> UnitSim::receive(std::span<const std::uint8_t> bytes) {
    std::vector<Output> out;
    received_.insert(received_.end(), bytes.begin(), bytes.end());
    rx_.insert(rx_.end(), bytes.begin(), bytes.end());
    // The unit's own framing: find the start byte, wait for the whole frame,
    // and on a bad frame move one byte on.
    std::size_t pos = 0;
    while (pos < rx_.size()) {
        if (rx_[pos] != protocol::kStartByte) {
            ++pos;
            continue;
        }
        if (rx_.size() - pos < protocol::kHeaderSize) break;
        const std::size_t length = getU16(rx_, pos + 3);
        if (length > protocol::kMaxPayload) {
            problem("oversized frame from the tool");
            ++pos;
            continue;
        }
        const std::size_t total = length + protocol::kOverhead;
        if (rx_.size() - pos < total) break;
        auto frame = protocol::parseFrame(std::span(rx_).subspan(pos, total));
        if (!frame) {
            problem("frame with a wrong sum from the tool");
            ++pos;
            continue;
        }
        if (frame->route != protocol::kToolToUnit) problem("frame not addressed 0x21");
        frames_.push_back(*frame);
        pos += total;
        if (!faults_.silent && !restarting_) handle(*frame, out);
    }
    rx_.erase(rx_.begin(), rx_.begin() + static_cast<std::ptrdiff_t>(pos));
    if (restarting_) {
        rx_.clear();
        restarting_ = false;
    }
    return out;
}

void UnitSim::handle(const protocol::Frame& frame, std::vector<Output>& out) {
    switch (frame.code) {
        case protocol::CmdFirmwareBlock:
        case protocol::CmdConfigBlock: handleBlock(frame, out); break;
        case protocol::CmdMemoryRead: handleRead(frame, out); break;
        case protocol::CmdJump: break;  // already running the application
        default: problem("unknown command " + std::to_string(frame.code));
    }
}

void UnitSim::handleRead(const protocol::Frame& frame, std::vector<Output>& out) {
    if (frame.payload.size() != 6) {
        problem("memory read with a payload of " + std::to_string(frame.payload.size()) + " bytes");
        return;
    }
    ++memoryReads_;
    if (faults_.silentAfterReads >= 0 && memoryReads_ > faults_.silentAfterReads) return;
    if (faults_.dropReadOnce == memoryReads_) return;
    const std::uint32_t address = getU32(frame.payload, 0);
    const std::uint16_t count = getU16(frame.payload, 4);
    if (address < identity_.configBase || address - identity_.configBase + count > kConfigSize) {
        problem("memory read outside the configuration");
        return;
    }
    std::size_t offset = address - identity_.configBase;
    if (faults_.readWrongBlock) {
        const std::size_t other = offset >= kReadBlock ? offset - kReadBlock : offset + kReadBlock;
        if (other + count <= kConfigSize) offset = other;  // else no other block fits: answered rightly
    }
    Bytes p;
    putU32(p, identity_.configBase + static_cast<std::uint32_t>(offset));
    putU16(p, count);
    p.insert(p.end(), config_.begin() + static_cast<std::ptrdiff_t>(offset),
             config_.begin() + static_cast<std::ptrdiff_t>(offset + count));
    reply(protocol::RspConfigData, p, out);
}

void UnitSim::handleBlock(const protocol::Frame& frame, std::vector<Output>& out) {
    const Bytes& p = frame.payload;
    if (p.size() < 6) {
        problem("block frame too short");
        return;
    }
    const std::uint16_t id = getU16(p, 0);
    const std::uint16_t block = getU16(p, 2);
    const std::uint16_t count = getU16(p, 4);
    const std::span<const std::uint8_t> data = std::span(p).subspan(6);
    const std::size_t imageSize = expectedImageSize(frame.code);
    const std::size_t expectedCount = (imageSize + kBlockData - 1) / kBlockData + 1;

    if (faults_.vanishAtBlock != 0 && block == faults_.vanishAtBlock) {
        vanish_ = true;
        return;
    }
    if (block == 1 && (transfers_.empty() || transfers_.back().transferId != id || transfers_.back().completed)) {
        transfers_.push_back({frame.code, id, count, {}, false, false});
        expectedBlock_ = 1;
    }
    if (transfers_.empty()) {
        problem("block " + std::to_string(block) + " before block 1");
        return;
    }
    TransferRecord& t = transfers_.back();
    if (id != t.transferId) problem("transfer id changed in the middle of a transfer");
    if (count != t.blockCount || count != expectedCount) problem("block count " + std::to_string(count));
    if (frame.code != t.kind) problem("kind changed in the middle of a transfer");

    auto ack = [&](std::uint16_t n) {
        Bytes a;
        putU16(a, static_cast<std::uint16_t>(n + faults_.ackOffset));
        reply(protocol::RspAck, a, out);
    };
    if (faults_.refuseBlock == block) {
        reply(protocol::RspNack, {}, out);
        return;
    }
    if (block + 1 == expectedBlock_) {  // a resend of what was already taken
        ack(block);
        return;
    }
    if (block != expectedBlock_) {
        problem("block " + std::to_string(block) + " out of order (expected " + std::to_string(expectedBlock_) + ")");
        reply(protocol::RspNack, {}, out);
        return;
    }
    if (block < count) {
        const std::size_t want = std::min(kBlockData, imageSize - t.image.size());
        if (data.size() != want) problem("block " + std::to_string(block) + " carries " + std::to_string(data.size()));
        t.image.insert(t.image.end(), data.begin(), data.end());
    } else {
        if (data.size() != 5) problem("check block carries " + std::to_string(data.size()));
        const std::uint8_t x = data.size() == 5 ? data[0] : 0;
        const std::uint32_t s = data.size() == 5 ? getU32(data, 1) : 0;
        t.completed = true;
        if (t.kind == protocol::CmdFirmwareBlock) {
            const bool same = t.image.size() == transfer::kFirmwareDataSize &&
                              std::equal(t.image.begin(), t.image.end(), transfer::kFirmwareData);
            t.accepted = same && x == kFirmwareXor && s == kFirmwareSum;
        } else {
            std::uint8_t xr = 0;
            for (std::uint8_t b : t.image) xr ^= b;
            t.accepted = t.image.size() == kConfigSize && x == xr && s == protocol::byteSum(t.image);
        }
        if (!t.accepted) {
            problem("transfer rejected at the check block");
            reply(protocol::RspNack, {}, out);
            return;
        }
    }
    ++expectedBlock_;

    const bool drop = (faults_.dropAckOfBlock == block && (faults_.dropAckAlways || !droppedOnce_)) ||
                      (faults_.dropAckFromBlock > 0 && block >= faults_.dropAckFromBlock);
    if (drop) {
        if (faults_.dropAckOfBlock == block) droppedOnce_ = true;
        --expectedBlock_;  // not taken: the resend is the real one
        if (block < count) t.image.resize(t.image.size() - data.size());
        else t.completed = false;
        return;
    }
    if (faults_.wrongAckForBlock == block && !wrongAckDone_) {
        wrongAckDone_ = true;
        --expectedBlock_;
        if (block < count) t.image.resize(t.image.size() - data.size());
        ack(static_cast<std::uint16_t>(block - 1));
        return;
    }
    ack(block);

    if (block == count) {
        if (t.kind == protocol::CmdFirmwareBlock) {
            // New firmware: the unit restarts and announces itself again.
            firmware_ = t.image;
            if (!faults_.firmwareNotTaken) {
                identity_.version[2] = kNewFirmwareVersion[0];
                identity_.version[3] = kNewFirmwareVersion[1];
            }
            if (faults_.returnAs) identity_.id = *faults_.returnAs;
            ++restarts_;
            restarting_ = true;  // whatever else is buffered is lost with the restart
            sendFrame(identificationFrame(), out, restartDelayMs_);
        } else {
            std::copy(t.image.begin(), t.image.end(), config_.begin());
            const int at = faults_.storeConfigWrongAt;
            if (at >= 0 && static_cast<std::size_t>(at) < kConfigSize) {
                std::uint8_t& b = config_[static_cast<std::size_t>(at)];
                b = static_cast<std::uint8_t>(~b);
            }
        }
    }
}

void UnitSim::reply(std::uint8_t code, const Bytes& payload, std::vector<Output>& out, int extraDelayMs) {
    sendFrame(protocol::buildFrame(code, payload, kRouteToTool), out, faults_.replyDelayMs + extraDelayMs);
}

Bytes UnitSim::floodFrame() {
    Bytes p;
    putU32(p, static_cast<std::uint32_t>(++floodFrames_));
    return protocol::buildFrame(protocol::RspAck, p, kRouteElsewhere);
}

void UnitSim::sendFrame(Bytes frame, std::vector<Output>& out, int delayMs) {
    const StreamDamage d = faults_.damage;
    if (d.any() && faults_.damageOnce) faults_.damage = {};
    if (d.wrongDestination) {
        frame = protocol::buildFrame(frame[2], std::span(frame).subspan(5, frame.size() - 8), 0x11);
    }
    if (d.badSum) frame.back() ^= 0x5A;
    if (d.oversized) {
        frame[3] = 0x07;  // 2000-odd bytes declared
        frame[4] = 0xD0;
    }
    Bytes whole;
    if (faults_.strayHeaders) whole = kStrayHeader;
    if (d.garbageBefore) whole.insert(whole.end(), {0x00, 0x7E, 0x55});
    whole.insert(whole.end(), frame.begin(), frame.end());
    if (d.doubled) whole.insert(whole.end(), frame.begin(), frame.end());
    if (d.strayAfter) whole.insert(whole.end(), {0x0D, 0x0A});
    if (faults_.strayHeaders) whole.insert(whole.end(), kStrayHeader.begin(), kStrayHeader.end());
    if (d.splitPieces > 1) {
        const std::size_t n = static_cast<std::size_t>(d.splitPieces);
        const std::size_t piece = (whole.size() + n - 1) / n;
        for (std::size_t at = 0; at < whole.size(); at += piece) {
            const std::size_t end = std::min(whole.size(), at + piece);
            out.push_back({Bytes(whole.begin() + static_cast<std::ptrdiff_t>(at),
                                 whole.begin() + static_cast<std::ptrdiff_t>(end)),
                           at == 0 ? delayMs : d.splitGapMs});
        }
        return;
    }
    out.push_back({std::move(whole), delayMs});
}

}  // namespace vek::sim
