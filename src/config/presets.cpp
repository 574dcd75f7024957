#include <optional>

#include "config/config_image.h"

namespace vek::config {

namespace {

struct Preset {
    int ping, a232, b232;
    const char* acp;
    const char* acn;
    bool evAcp, bzAcp, evAcn, bzAcn;
    // VMX, TVMX, VCH, TVCH, RPX, TRPX, TOSC, XOSC, VBGL, RBGL, TBGL
    std::array<const char*, FieldCount - VMX> texts;
    bool evIn, evOut, bzIn, bzOut;
    std::optional<bool> bzWh;  // unset: the preset leaves "Durante" to the coupling
};

constexpr Preset kDefaults{8, 3, 1, "11", "11", true, true, true, true,
                           {"120", "5", "90", "5", "4500", "5", "6", "7", "40", "900", "5"},
                           true, false, true, false, std::nullopt};

constexpr Preset kNorvale{5, 3, 1, "11", "11", true, false, true, false,
                          {"100", "10", "80", "10", "4500", "5", "1", "7", "40", "900", "5"},
                          true, true, false, false, false};

// The edit boxes of each event group, in the order the form lays them out.
constexpr std::array<std::array<Field, 3>, GroupCount> kGroupFields{{
    {VMX, TVMX, FieldCount},
    {VCH, TVCH, FieldCount},
    {RPX, TRPX, FieldCount},
    {TOSC, XOSC, FieldCount},
    {VBGL, RBGL, TBGL},
}};

// Group by group, as a technician would, with the buzzer boxes set through
// the coupling.
void apply(const Preset& p, FormModel& form) {
    form.ping = p.ping;
    form.a232 = p.a232;
    form.b232 = p.b232;

    form.text[ACP] = p.acp;
    form.evAcp = p.evAcp;
    form.bzAcp = p.bzAcp;
    form.text[ACN] = p.acn;
    form.evAcn = p.evAcn;
    form.bzAcn = p.bzAcn;

    for (int i = 0; i < GroupCount; ++i) {
        const Group g = Group(i);
        for (Field f : kGroupFields[g])
            if (f != FieldCount) form.text[f] = p.texts[f - VMX];
        form.setRegister(g, p.evIn, p.evOut);
        form.setBuzzer(g, Buzzer::In, p.bzIn);
        form.setBuzzer(g, Buzzer::Out, p.bzOut);
        if (p.bzWh) form.setBuzzer(g, Buzzer::During, *p.bzWh);
    }
}

}  // namespace

void applyDefaults(FormModel& form) { apply(kDefaults, form); }
void applyNorvale(FormModel& form) { apply(kNorvale, form); }

}  // namespace vek::config
