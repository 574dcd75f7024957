#pragma once
// What a view asks of a unit (a Plan) and how it ended (an Outcome). Every
// view, the window, the command line and the station, chooses a plan and
// words the outcome; the road between the two is the session's alone.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "config/config_image.h"
#include "config/form_model.h"
#include "protocol/counters.h"
#include "protocol/identification.h"

namespace vek::session {

using Counters = protocol::Counters;  // Nacks, Code10, Code15, Code20

// What runs on the unit: one at a time.
enum class Operation { None, Firmware, Write, Read, Verify };

// Where a unit's road stands, as views show it: nothing runs (Idle), the
// road waits for its view (Held), the copy of what the unit holds is being
// read or kept (Copy), new firmware goes in (Firmware), the unit is awaited
// back from its restart (Restarting), the configuration is read (Read),
// written (Write) or read back (Verify).
enum class Stage { Idle, Held, Copy, Firmware, Restarting, Read, Write, Verify };

// What became of the copy of a unit's configuration that the road keeps
// before it changes the unit (and of every read): kept, kept later (the
// view answers with Session::copyKept), or not kept, with where the view
// tried and why it could not.
struct Copy {
    enum class State { Kept, Pending, NotKept, Skipped };
    State state = State::Kept;
    std::string where;  // the file or store the copy went to (or was meant for)
    std::string why;    // NotKept: the reason
    bool fresh = false;  // Kept: a new copy, not one of the same content already kept
};

enum class FirmwarePolicy {
    Never,       // a unit that needs new firmware is reported (and never written)
    WhenNeeded,  // the road of the identification: old, 255.255 or 99.x firmware
    Always,      // even a unit that is up to date
};

// What follows a maintenance-mode identification, in this order:
// firmware, read, write, read-back. Each step runs only when the one before
// it ended well.
struct Plan {
    FirmwarePolicy firmware = FirmwarePolicy::Never;
    bool read = false;
    // A read that finds an invalid configuration fills the form with a
    // preset (Norvale or default, by the options) and writes it.
    bool replaceInvalid = false;
    // The configuration to write, after the read when there is one: a form
    // (validated and encoded), or an image as a unit once held it (a backup
    // put back, written byte for byte).
    std::optional<config::FormModel> write{};
    // Every write is read back and compared; off only when asked for.
    bool verify = true;
    std::optional<config::Image> writeImage{};
    // What the unit holds is read and kept (View::keepCopy) before new
    // firmware or a write changes it, unless this connection already read
    // it or read it back; a change whose copy cannot be kept does not start
    // (Kind::CopyNotKept). Only the user's word goes without it.
    bool withoutCopy = false;
    // An image put back that is not a valid configuration is refused
    // (Kind::InvalidCopy) unless the user asked for exactly those bytes.
    bool allowInvalid = false;

    // The window: new firmware when needed, then the read; an invalid
    // configuration is replaced by a preset and written.
    static Plan window() { return {.firmware = FirmwarePolicy::WhenNeeded, .read = true, .replaceInvalid = true}; }
    // Only who the unit is.
    static Plan identify() { return {}; }
    static Plan readOnly() { return {.read = true}; }
    static Plan writeOnly(const config::FormModel& form, bool verify) { return {.write = form, .verify = verify}; }
    static Plan writeImageOnly(const config::Image& image, bool verify) {
        return {.verify = verify, .writeImage = image};
    }
    static Plan flash(bool force) {
        return {.firmware = force ? FirmwarePolicy::Always : FirmwarePolicy::WhenNeeded};
    }
    // A production run: new firmware when needed, then the configuration.
    static Plan production(const config::FormModel& form) {
        return {.firmware = FirmwarePolicy::WhenNeeded, .write = form};
    }
    bool writes() const { return write || writeImage; }
};

enum class Kind {
    Ok,
    NoUnit,                // nothing announced itself on the port
    PortLost,              // the port closed under a running operation
    OperationMode,         // the unit is in operation mode: it takes nothing
    TypeLeftAlone,         // a unit type this tool does not serve
    Discontinued,          // a discontinued type asked for firmware it cannot take
    NeedsFirmware,         // a write asked of a unit that needs new firmware first
    FirmwareNotTaken,      // back from the restart still needing an update
    DidNotReturn,          // no announcement after the new firmware
    OtherUnitReturned,     // another identifier came back after the restart
    InvalidConfiguration,  // the read found an invalid image and left it
    Refused,               // the form was refused before anything was sent
    Timeout,               // the unit stopped answering a transfer or a read
    ReadBackDiffers,       // the unit stored something other than what was written
    Interrupted,           // stopped on purpose before the end
    // Refusals: nothing was sent to the unit.
    Busy,          // another plan runs on this unit now
    OtherUnit,     // the plan names a unit other than the one on the port
    NotIdentified, // no unit has identified itself on this connection
    CopyNotKept,   // the copy of what the unit holds could not be kept: no change started
    InvalidCopy,   // the image to put back is not a valid configuration
};

// The stable name of a kind, as machine-readable output carries it.
std::string_view kindName(Kind kind);

struct Outcome {
    Kind kind = Kind::Ok;
    // The last operation that ran (None when the road ended before any).
    Operation operation = Operation::None;
    // The unit the road was for.
    protocol::Identification unit;

    // Firmware: the version the unit had and the one it came back with.
    bool firmwareSent = false;
    std::optional<protocol::Version> versionBefore;
    std::optional<protocol::Version> versionAfter;
    // OtherUnitReturned: who came back.
    std::optional<protocol::UnitId> returned;
    // A discontinued type: warned about, the road went on.
    bool discontinued = false;

    // What the unit held before the road changed it (the backup read), when
    // it answered that read.
    std::optional<config::Image> before;
    // The copy kept before the change (or why it was not); none when the
    // road changed nothing.
    std::optional<Copy> copy;
    // Read: the configuration found, whole (also when it is invalid).
    bool read = false;
    config::Image image{};
    config::FormModel form;
    int faults = 0;
    // An invalid configuration was replaced by this preset and written.
    std::optional<std::string> preset;

    // Write: whether one went out, and whether it was read back equal.
    bool written = false;
    bool verified = false;
    // The port closes by itself after this write ("Fechar após configurar").
    bool closesPort = false;
    long mismatchAt = -1;
    std::uint8_t wroteByte = 0, readByte = 0;
    // Refused: the field, its name and the value it was refused.
    std::optional<config::Fault> fault;

    // The link's counters as the road ended (zeroed as each transfer or read starts).
    Counters counters;

    bool ok() const { return kind == Kind::Ok; }
};

}  // namespace vek::session
