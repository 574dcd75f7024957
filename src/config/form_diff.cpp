#include "config/form_diff.h"

#include <array>

#include "config/config_texts.h"
#include "config/record_layout.h"

namespace vek::config {

namespace {

std::string named(const char* pattern, const std::string& name) { return vek::fill(pattern, {name}); }

template <std::size_t N>
std::string listed(int index, const std::array<std::uint16_t, N>& table, int scale) {
    if (index < 0 || index >= static_cast<int>(N)) return text::kNone;
    return std::to_string(static_cast<long>(table[static_cast<std::size_t>(index)]) * scale);
}

std::string typed(const std::string& t) { return t.empty() ? std::string(text::kNone) : t; }
std::string yesNo(bool b) { return b ? text::kYes : text::kNo; }

// The group names as the form's frames show them, in Group order.
constexpr std::array<const char*, GroupCount> kGroupKeys{"VMX", "VCH", "RPX", "OSC", "BGL"};
constexpr std::array<Text, GroupCount> kGroupNames{text::kVmx, text::kVch, text::kRpx, text::kRemoteOsc,
                                                          text::kRemoteBgl};

}  // namespace

std::vector<FieldDifference> differences(const FormModel& a, const FormModel& b) {
    std::vector<FieldDifference> out;
    const auto add = [&out](std::string key, std::string label, std::string l, std::string r) {
        if (l != r) out.push_back({std::move(key), std::move(label), std::move(l), std::move(r)});
    };
    add("ping_s", text::kLabelPing, listed(a.ping, kPingTable, 1), listed(b.ping, kPingTable, 1));
    add("rs232_a_baud", text::kLabelA232, listed(a.a232, kBaudTable, 100), listed(b.a232, kBaudTable, 100));
    add("rs232_b_baud", text::kLabelB232, listed(a.b232, kBaudTable, 100), listed(b.b232, kBaudTable, 100));
    for (std::size_t f = 0; f < FieldCount; ++f) {
        const layout::FieldRule& r = layout::kRules[f];
        add(r.key, std::string(r.writeName) + " (" + r.unit + ")", typed(a.text[f]), typed(b.text[f]));
    }
    const std::string acp = text::kAcp, acn = text::kAcn;
    add("alerts.ACP.register", named(text::kLabelRegister, acp), yesNo(a.evAcp), yesNo(b.evAcp));
    add("alerts.ACP.buzzer", named(text::kLabelBuzzer, acp), yesNo(a.bzAcp), yesNo(b.bzAcp));
    add("alerts.ACN.register", named(text::kLabelRegister, acn), yesNo(a.evAcn), yesNo(b.evAcn));
    add("alerts.ACN.buzzer", named(text::kLabelBuzzer, acn), yesNo(a.bzAcn), yesNo(b.bzAcn));
    for (int g = 0; g < GroupCount; ++g) {
        const EventBoxes& x = a.group(static_cast<Group>(g));
        const EventBoxes& y = b.group(static_cast<Group>(g));
        const std::string key = std::string("alerts.") + kGroupKeys[g];
        const std::string name = kGroupNames[g];
        add(key + ".register.entry", named(text::kLabelRegisterIn, name), yesNo(x.evIn), yesNo(y.evIn));
        add(key + ".register.exit", named(text::kLabelRegisterOut, name), yesNo(x.evOut), yesNo(y.evOut));
        add(key + ".buzzer.entry", named(text::kLabelBuzzerIn, name), yesNo(x.bzIn), yesNo(y.bzIn));
        add(key + ".buzzer.exit", named(text::kLabelBuzzerOut, name), yesNo(x.bzOut), yesNo(y.bzOut));
        add(key + ".buzzer.during", named(text::kLabelBuzzerDuring, name), yesNo(x.bzWh), yesNo(y.bzWh));
    }
    return out;
}

}  // namespace vek::config
