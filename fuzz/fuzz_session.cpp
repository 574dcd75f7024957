// The whole session against an arbitrary unit: bytes arriving, pacing ticks,
// expiries and the technician's presses in any order.
//
// Input: byte 0 holds options (bit 0 "Forçar configuração Norvale", bit 1
// "Fechar após configurar"; the whole byte seeds the transfer identifiers).
// Then a list of steps, each one op byte and its operands:
//   op % 16 == 0  raw read: length byte n, then n + 1 bytes
//   op % 16 == 1  one well-formed frame from the unit: code, length (2 bytes,
//                 big-endian, taken modulo 1020), payload; op bit 4: a route
//                 byte follows the code (else 0x12); op bit 5: a split byte
//                 follows the length and the frame arrives in two reads
//   2, 12, 13     Timer1 tick
//   3, 14, 15     Timer3 tick
//   4             read interval over (the window only asks while a fragment
//                 waits; op bit 4 asks regardless)
//   5 portOpened  6 setConfig  7 getConfig  8 firmwareUpdate  9 jump
//   10 remoteCommandList  11 clearIdList
// Operands cut short by the end of the input are taken as far as they go.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "config/config_image.h"
#include "fuzz_check.h"
#include "protocol/frame.h"
#include "session/session.h"

using namespace vek;

namespace {

// Answers like an open port, keeps nothing, and checks what the core sends
// and shows.
class NullHost : public transfer::Port, public session::View {
public:
    bool portOpen() const override { return true; }
    void write(const protocol::Bytes& frame) override {
        // Every frame of the tool is a valid frame for the unit, and none is
        // longer than a full block frame.
        FUZZ_CHECK(frame.size() <= 62);
        const auto parsed = protocol::parseFrame(frame);
        FUZZ_CHECK(parsed.has_value());
        FUZZ_CHECK(parsed->route == protocol::kToolToUnit);
        const std::uint8_t code = parsed->code;
        FUZZ_CHECK(code == protocol::CmdFirmwareBlock || code == protocol::CmdJump ||
                   code == protocol::CmdConfigBlock || code == protocol::CmdMemoryRead);
    }
    void appendLog(const std::string&) override {}
    void appendWarning(const std::string&) override {}
    void clearLog() override {}
    void setProgressMaximum(int maximum) override {
        FUZZ_CHECK(maximum > 0);
        maximum_ = maximum;
    }
    void setProgress(int position) override { FUZZ_CHECK(position >= 0 && position <= maximum_); }
    void showBox(const session::Box&) override {}
    void setPacingTimer(transfer::PacingTimer, bool) override {}
    void startDeferredClose() override {}
    void setSetConfigEnabled(bool) override {}
    void setPortListEnabled(bool) override {}
    void appendIdList(const std::string&) override {}
    void setIdListCount(const std::string&) override {}
    void setEdit1(const std::string&) override {}
    void showForm(const config::FormModel&) override {}
    void finished(const session::Finished& f) override {
        // A write counts only once its check block went out and, with the
        // read-back on, the record read back matched.
        if (f.ok) FUZZ_CHECK(f.mismatchAt < 0 && f.reason.empty());
    }

private:
    int maximum_ = 100;
};

class Input {
public:
    explicit Input(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    bool done() const { return at_ >= bytes_.size(); }
    std::uint8_t byte() { return done() ? 0 : bytes_[at_++]; }
    std::span<const std::uint8_t> take(std::size_t n) {
        n = std::min(n, bytes_.size() - at_);
        const auto out = bytes_.subspan(at_, n);
        at_ += n;
        return out;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

void unitFrame(session::Session& s, Input& in, std::uint8_t op) {
    const std::uint8_t code = in.byte();
    const std::uint8_t route = (op & 0x10) ? in.byte() : std::uint8_t{0x12};
    std::size_t length = in.byte();
    length = ((length << 8) | in.byte()) % (protocol::kMaxPayload + 1);
    const std::size_t split = (op & 0x20) ? in.byte() : 0;
    const protocol::Bytes frame = protocol::buildFrame(code, in.take(length), route);
    const std::span<const std::uint8_t> all(frame);
    const std::size_t first = split % frame.size();
    if (first > 0) s.bytesArrived(all.first(first));
    s.bytesArrived(all.subspan(first));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t options = data[0];
    NullHost host;
    session::Session s(host, host);
    session::Options o;
    o.norvale = (options & 1) != 0;
    o.closeAfterConfigure = (options & 2) != 0;
    o.followIdentification = (options & 4) == 0;
    o.verifyWrites = (options & 8) == 0;
    s.setOptions(o);
    s.setTransferSeed(options);
    s.portOpened();
    config::FormModel defaults;
    config::applyDefaults(defaults);
    s.setForm(defaults);

    Input in(std::span<const std::uint8_t>(data + 1, size - 1));
    while (!in.done()) {
        const std::uint8_t op = in.byte();
        switch (op % 16) {
            case 0: {
                const std::size_t n = std::size_t{in.byte()} + 1;
                s.bytesArrived(in.take(n));
                break;
            }
            case 1:
                unitFrame(s, in, op);
                break;
            case 2:
            case 12:
            case 13:
                s.timer1Tick();
                break;
            case 3:
            case 14:
            case 15:
                s.timer3Tick();
                break;
            case 4:
                if (s.partialFramePending() || (op & 0x10)) s.partialFrameExpired();
                break;
            case 5:
                s.portOpened();
                break;
            case 6:
                s.setConfig(s.form());
                break;
            case 7:
                s.getConfig();
                break;
            case 8:
                s.firmwareUpdate();
                break;
            case 9:
                s.jump();
                break;
            case 10:
                s.remoteCommandList(s.form());
                break;
            case 11:
                s.clearIdList();
                break;
        }
    }
    return 0;
}
