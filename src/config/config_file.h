#pragma once
// A configuration saved as one JSON document a person can read and edit.
//
// Every field of the record appears once, under its record name in lower case
// with the unit the form shows after an underscore; the check boxes sit under
// "alerts", by block and option. The default preset saves as:
//
//   {
//     "format": "vektool-configuration",
//     "version": 1,
//     "ping_s": 180,
//     "rs232_a_baud": 115200,
//     "rs232_b_baud": 19200,
//     "acp_kmh_per_s": 11,
//     "acn_kmh_per_s": 11,
//     "vmx_kmh": 120,
//     "tvmx_s": 5,
//     "vch_kmh": 90,
//     "tvch_s": 5,
//     "rpx_rpm": 4500,
//     "trpx_s": 5,
//     "tosc_min": 6,
//     "xosc_s": 7,
//     "vbgl_kmh": 40,
//     "rbgl_rpm": 900,
//     "tbgl_s": 5,
//     "alerts": {
//       "ACP": {"register": true, "buzzer": true},
//       "ACN": {"register": true, "buzzer": true},
//       "VMX": {
//         "register": {"entry": true, "exit": false},
//         "buzzer": {"entry": true, "exit": false, "during": false}
//       },
//       "VCH": {
//         "register": {"entry": true, "exit": false},
//         "buzzer": {"entry": true, "exit": false, "during": false}
//       },
//       "RPX": {
//         "register": {"entry": true, "exit": false},
//         "buzzer": {"entry": true, "exit": false, "during": false}
//       },
//       "OSC": {
//         "register": {"entry": true, "exit": false},
//         "buzzer": {"entry": true, "exit": false, "during": false}
//       },
//       "BGL": {
//         "register": {"entry": true, "exit": false},
//         "buzzer": {"entry": true, "exit": false, "during": false}
//       }
//     }
//   }
//
// The keys and their units:
//   ping_s          #VEK message period, seconds: 5, 10, 15, 30, 45, 60, 90, 120, 180 or 300
//   rs232_a_baud    RS-232 A ("rastreador"), baud: 9600, 19200, 57600 or 115200
//   rs232_b_baud    RS-232 B ("periférico"), baud: the same four
//   acp_kmh_per_s   harsh acceleration limit, km/h per second
//   acn_kmh_per_s   harsh braking limit, km/h per second
//   vmx_kmh         maximum speed, km/h;                 tvmx_s  its validation time, seconds
//   vch_kmh         maximum speed in rain, km/h;         tvch_s  its validation time, seconds
//   rpx_rpm         maximum engine speed, rpm;           trpx_s  its validation time, seconds
//   tosc_min        maximum idling time, minutes;        xosc_s  exception for quick manoeuvres, seconds
//   vbgl_kmh        minimum speed for coasting, km/h;    rbgl_rpm  its maximum engine speed, rpm;
//                                                        tbgl_s  its validation time, seconds
//   alerts.ACP, alerts.ACN   "register" (REGISTRAR EVENTO) and "buzzer" (ALERTA BUZZER), each true or false
//   alerts.VMX, .VCH, .RPX, .OSC, .BGL
//                   "register": "entry" (Entrada), "exit" (Saída);
//                   "buzzer": "entry", "exit", "during" (Durante); "during" never with "entry" or "exit"
//
// Loading is strict and all or nothing: keys may come in any order, but each
// exactly once, none unknown and none missing; numbers are plain integers.
// A number out of range is refused with the very message "CONFIGURAR" gives
// for it, so a file loads exactly when the form it makes could be written.

#include <string>
#include <string_view>
#include <variant>

#include "config/form_model.h"

namespace vek::config {

inline constexpr const char* kFormatName = "vektool-configuration";
inline constexpr int kFormatVersion = 1;

// Pretty-printed, keys always in the order above, ends in "\n". A box whose
// text is not a plain number is saved as a JSON string and a combo without a
// selection as null, so nothing is lost; such a document does not load.
std::string toJson(const FormModel& form);

// Why a document was refused. `line` counts from 1, 0 when the fault is not
// about a line. `field` is the key's path ("alerts.VMX.buzzer", "vmx_kmh"),
// empty when the text is broken outside any key; for a number the write
// refuses, `message` is the write's message ("\r\n" included, the field's
// name between brackets) and what the field takes on a line of its own.
// Values quoted back are shortened past 60 bytes.
struct FileError {
    // What is wrong: the text itself (not a document, a key or a type out of
    // place), or a value the write refuses, given with its field.
    enum class Kind { Text, Refused };
    int line = 0;
    std::string field;
    std::string message;
    Kind kind = Kind::Text;
    // Refused: the value as the file writes it.
    std::string value{};
};

std::variant<FormModel, FileError> fromJson(std::string_view text);

// The error as one line a person reads: `linha 7: campo "ping_s": ...`.
std::string describe(const FileError& error);

}  // namespace vek::config
