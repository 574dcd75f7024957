#pragma once
// The unit's side of a view: everything that happens between the bytes that
// arrive, the pacing ticks and the technician's commands, and the one road
// a unit takes after it identifies itself (the Plan the view chose:
// firmware, read, write, read-back). One operation runs at a time; a reply
// that belongs to no running operation changes nothing. Every road ends
// with one Outcome.

#include <cstdint>
#include <memory>
#include <span>

#include "config/config_image.h"
#include "protocol/counters.h"
#include "session/outcome.h"
#include "session/view.h"
#include "transfer/port.h"

namespace vek::session {

struct Options {
    bool norvale = false;              // Cb_Norvale: the preset that replaces an invalid configuration
    bool closeAfterConfigure = false;  // Cb_COMAutoClose
};

class Session {
public:
    Session(transfer::Port& link, View& view);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Mixed into every transferId, so that transfers of different runs of the
    // tool differ too (the controller passes something time-derived). Within
    // a run consecutive transfers always differ.
    void setTransferSeed(std::uint32_t seed);

    void setOptions(const Options& options);
    const Options& options() const;
    // What the next identification leads to.
    void setPlan(const Plan& plan);
    const Plan& plan() const;
    // The form as the technician has it now.
    void setForm(const config::FormModel& form);
    const config::FormModel& form() const;

    // The port has just been opened (and purged): identification re-armed,
    // receive buffer emptied, the form emptied, and an operation left over
    // from the previous connection abandoned without a word. A unit awaited
    // back from its restart stays awaited (the port came back under it).
    void portOpened();

    // VCPRxChar: bytes read from the port, in arrival order.
    void bytesArrived(std::span<const std::uint8_t> bytes);
    // Whether a partial frame waits for more bytes; the controller then gives
    // it 200 ms (the link's read interval) and calls partialFrameExpired().
    bool partialFramePending() const;
    void partialFrameExpired();

    void timer1Tick();  // Timer1Timer
    void timer3Tick();  // Timer3Timer

    // The unit awaited after its new firmware did not come back in time.
    void returnExpired();
    // Nothing announced itself in time after the open: ends as NoUnit.
    void noAnswer();
    // Stopped where it stands, on the technician's insistence: whatever ran
    // is abandoned and the road ends as Interrupted, with what was running
    // (a unit restarting with new firmware counts as firmware sent).
    void interrupt();
    // The port closed with nothing running on it (between two steps, or
    // before the unit said who it is): the road ends as PortLost. A transfer
    // or a read under way ends on its own, with the link's counters, and a
    // unit away for its restart is awaited, so both are left alone here.
    void portLost();
    // Whether a unit is awaited back from its restart.
    bool awaitingReturn() const;
    // Called from View::identified: this unit's road goes no further.
    void leaveAlone();
    // Called from View::identified: the road waits, with nothing sent, until
    // go() (a view that must first put something on record). leaveAlone()
    // or the port's close end the wait as they end a road.
    void hold();
    void go();
    bool holding() const;

    // Actions on a unit name it. One plan runs at a time: asked while a
    // road runs (Busy), before a unit identified itself on this connection
    // (NotIdentified), for another unit (OtherUnit), for a type this tool
    // leaves alone, or for a write to a unit that needs firmware first, the
    // request is refused with that kind and nothing is sent; Kind::Ok means
    // the road runs and ends with its own Outcome.
    Kind request(const protocol::UnitId& unit, const Plan& plan);
    // B_SetConfigClick: validate, keep the copy, write and read back.
    Kind setConfig(const protocol::UnitId& unit, const config::FormModel& form);
    // Puts back an image as a unit once held it (a backup), then reads back;
    // an image that is not a valid configuration only when asked for in so
    // many words (`allowInvalid`), else InvalidCopy.
    Kind restore(const protocol::UnitId& unit, const config::Image& image, bool allowInvalid = false);
    // The answer to a copy the view kept later (View::keepCopy said Pending).
    void copyKept(const Copy& copy);
    // A road runs (held, restarting and the copy included).
    bool busy() const;
    // The plan of the road that runs or ran last.
    const Plan& road() const;
    Stage stage() const;
    // Inside View::identified: the unit is the one back from its restart
    // with new firmware, not a new road.
    bool returning() const;
    void jump();                                   // B_FwJumpClick

    void remoteCommandList(const config::FormModel& form);  // B_RemConfigClick
    void clearIdList();                                     // L_ClearClick's state part

    const Counters& counters() const;
    bool identificationDone() const;
    const protocol::Identification& unit() const;
    // A unit identified itself on this connection and is on the port now.
    bool unitHere() const;
    Operation operation() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

}  // namespace vek::session
