// The form model: the buzzer coupling, and the presets applied over any form.

#include <gtest/gtest.h>

#include "config/config_image.h"

namespace vek::config {
namespace {

struct Bz {
    bool in, out, wh;
};

TEST(ConfigCoupling, DuranteExcludesEntradaAndSaida) {
    struct Case {
        const char* what;
        Bz before;
        Buzzer which;
        bool ticked;
        Bz after;
    };
    const Case cases[] = {
        {"Durante over Entrada+Saída leaves digit 4", {true, true, false}, Buzzer::During, true, {false, false, true}},
        {"Saída over Durante leaves digit 2", {false, false, true}, Buzzer::Out, true, {false, true, false}},
        {"Entrada over Durante leaves digit 1", {false, false, true}, Buzzer::In, true, {true, false, false}},
        {"Entrada with Saída combine", {false, true, false}, Buzzer::In, true, {true, true, false}},
        {"unticking Durante ticks nothing", {false, false, true}, Buzzer::During, false, {false, false, false}},
        {"unticking Entrada keeps Saída", {true, true, false}, Buzzer::In, false, {false, true, false}},
        {"unticking Saída keeps Entrada", {true, true, false}, Buzzer::Out, false, {true, false, false}},
        {"ticking Durante again keeps it alone", {false, false, true}, Buzzer::During, true, {false, false, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (int i = 0; i < GroupCount; ++i) {
            const Group g = Group(i);
            FormModel f;
            f.setRegister(g, true, true);
            f.setBuzzer(g, Buzzer::During, c.before.wh);
            f.setBuzzer(g, Buzzer::In, c.before.in);
            f.setBuzzer(g, Buzzer::Out, c.before.out);
            // Another group stays as it was.
            const Group other = Group((i + 1) % GroupCount);
            f.setBuzzer(other, Buzzer::During, true);

            f.setBuzzer(g, c.which, c.ticked);
            const EventBoxes& b = f.group(g);
            EXPECT_EQ(b.bzIn, c.after.in);
            EXPECT_EQ(b.bzOut, c.after.out);
            EXPECT_EQ(b.bzWh, c.after.wh);
            EXPECT_TRUE(b.evIn && b.evOut) << "register boxes are not coupled";
            EXPECT_TRUE(f.group(other).bzWh);
        }
    }
}

// A form holding the opposite of what either preset sets.
FormModel scrambled() {
    FormModel f;
    f.ping = 0;
    f.a232 = 0;
    f.b232 = 3;
    f.text.fill("x");
    f.evAcp = false;
    f.bzAcp = true;
    f.evAcn = false;
    f.bzAcn = true;
    for (int g = 0; g < GroupCount; ++g) {
        f.setRegister(Group(g), false, true);
        f.setBuzzer(Group(g), Buzzer::During, true);
    }
    return f;
}

TEST(ConfigPresets, DefaultPresetOverAnyForm) {
    FormModel f = scrambled();
    applyDefaults(f);
    EXPECT_EQ(f.ping, 8);
    EXPECT_EQ(f.a232, 3);
    EXPECT_EQ(f.b232, 1);
    const std::array<std::string, FieldCount> texts{"11", "11", "120", "5", "90", "5", "4500",
                                                    "5",  "6",  "7",   "40", "900", "5"};
    EXPECT_EQ(f.text, texts);
    EXPECT_TRUE(f.evAcp && f.bzAcp && f.evAcn && f.bzAcn);
    // "Durante" was ticked everywhere; ticking "Entrada" unticked it.
    for (int g = 0; g < GroupCount; ++g)
        EXPECT_EQ(f.group(Group(g)), (EventBoxes{true, false, true, false, false})) << "group " << g;
}

TEST(ConfigPresets, NorvalePresetOverAnyForm) {
    FormModel f = scrambled();
    applyNorvale(f);
    EXPECT_EQ(f.ping, 5);
    EXPECT_EQ(f.a232, 3);
    EXPECT_EQ(f.b232, 1);
    const std::array<std::string, FieldCount> texts{"11", "11", "100", "10", "80", "10", "4500",
                                                    "5",  "1",  "7",   "40", "900", "5"};
    EXPECT_EQ(f.text, texts);
    EXPECT_TRUE(f.evAcp && f.evAcn);
    EXPECT_FALSE(f.bzAcp || f.bzAcn);
    for (int g = 0; g < GroupCount; ++g)
        EXPECT_EQ(f.group(Group(g)), (EventBoxes{true, true, false, false, false})) << "group " << g;
}

TEST(ConfigPresets, NorvaleWrittenReadsBackWithoutFault) {
    FormModel f;
    applyNorvale(f);
    Image im{};
    ASSERT_EQ(encode(f, im), std::nullopt);
    FormModel read;
    EXPECT_EQ(decode(im, read, true), 0);
    EXPECT_EQ(read, f);
}

}  // namespace
}  // namespace vek::config
