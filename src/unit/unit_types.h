#pragma once
// What a view of a unit needs to name: the plan it chooses, the outcome it
// words, who the unit is and the form. Views include this instead of the
// core's headers.

#include <QString>

#include "config/config_image.h"
#include "config/form_model.h"
#include "protocol/identification.h"
#include "session/outcome.h"
#include "session/session.h"

namespace vek::unit {

using session::Copy;
using session::Stage;
using session::FirmwarePolicy;
using session::Kind;
using session::Operation;
using session::Options;
using session::Outcome;
using session::Plan;
using Identification = protocol::Identification;
using Version = protocol::Version;
using UnitId = protocol::UnitId;

// "4.0.2.47".
QString versionText(const Version& version);
// "0BADF00D 12345678 00C0FFEE", as the production list shows it.
QString idText(const UnitId& id);
// The 24 digits a QR label carries.
QString idDigits(const UnitId& id);
// Whether the unit needs the firmware the tool carries.
bool needsFirmware(const Identification& unit);
// The firmware release the tool brings units to ("2.47").
QString carriedFirmware();
// The stable name of an outcome's kind ("ok", "read-back-differs", ...).
QString kindName(Kind kind);

// How far the running operation is, with the one estimate every view shows.
struct Progress {
    Operation operation = Operation::None;
    int position = 0;
    int maximum = 0;
    int percent = 0;
    // Known once enough has passed to judge (negative until then).
    double blocksPerSecond = -1;
    double bytesPerSecond = -1;
    qint64 secondsLeft = -1;
    bool estimated() const { return blocksPerSecond >= 0; }
};

}  // namespace vek::unit
