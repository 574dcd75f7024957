#pragma once
// The 2,032-byte configuration image: building it from the form (with the
// write's validation), decoding it into the form (with the read's checks),
// the presets, the check values and the remote command list.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "config/config_texts.h"
#include "config/form_model.h"

namespace vek::config {

using Image = std::array<std::uint8_t, kImageSize>;

// A field the write refused. `name` is the message name shown between the
// brackets of "Parâmetro inválido!\r\n[...]"; `field` is the edit box to empty
// (FieldCount for the three combo boxes, which have nothing to empty).
struct Fault {
    Field field = FieldCount;
    std::string name;
    // What the edit box held (empty for the three lists).
    std::string value{};
};

// Validates in field order and builds the image. On the first fault returns
// it and leaves `image` as it was; nothing must be sent then.
std::optional<Fault> encode(const FormModel& form, Image& image);

// The box text for a refused field: "Parâmetro inválido!\r\n[" + name + "]".
std::string faultMessage(const Fault& fault);
// What the refused field accepts ("Permitido: 0 a 150 km/h"), from the rule
// table; empty for the three lists, whose choices are on view.
std::string allowedText(const Fault& fault);

// Checks and decodes a read image into `form`, as a read does: a wrong magic,
// length or record sum leaves `form` untouched; otherwise every field is
// decoded and each fault counted. With `norvale` every field is also compared
// with the Norvale preset, one fault per difference. Returns the fault count.
int decode(const Image& image, FormModel& form, bool norvale);

void applyDefaults(FormModel& form);
void applyNorvale(FormModel& form);

std::uint8_t checkXor(const Image& image);
std::uint32_t checkSum(const Image& image);

// The remote command list: the lines after the heading, in order. Fields that
// fail validation are emptied in `form`.
std::vector<std::string> remoteCommands(FormModel& form);

inline constexpr Text kRemoteHeading = text::kRemoteHeading;

// Empties the edit box of a refused field (the combo boxes have none).
void emptyField(FormModel& form, const Fault& fault);

// Flag values as the image holds them: 10 x buzzer + 1 x register for ACP and
// ACN; tens 1/2/4 for buzzer entry/exit/during and units 1/2 for register
// entry/exit for the event groups.
std::uint8_t alertFlags(bool buzzer, bool reg);
std::uint8_t eventFlags(const EventBoxes& boxes);

}  // namespace vek::config
