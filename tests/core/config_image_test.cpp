// The configuration record: the presets' images byte for byte, the flag
// bytes, the write's validation and the read's checks.

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>

#include "config/config_image.h"

namespace vek::config {
namespace {

// Bytes 0..38 as given, 0xFF after.
Image recordOf(std::initializer_list<std::uint8_t> head) {
    Image im;
    im.fill(0xFF);
    std::copy(head.begin(), head.end(), im.begin());
    return im;
}

// Rewrites the 24-bit record sum after a test has changed a field, so the
// change reaches the field checks instead of failing the sum.
void resum(Image& im) {
    std::uint32_t s = 0;
    for (int i = 0; i < 36; ++i) s += im[i];
    im[36] = static_cast<std::uint8_t>(s >> 16);
    im[37] = static_cast<std::uint8_t>(s >> 8);
    im[38] = static_cast<std::uint8_t>(s);
}

// Default preset: ping 180, RS232-A 115200, RS232-B 19200, ACP/ACN 11 with
// flags 11, every event group flags 11, VMX 120/5, VCH 90/5, RPX 4500/5,
// TOSC 6, XOSC 7, VBGL 40, RBGL 900, TBGL 5. Sum of bytes 0..35 is 0x855.
const Image kDefaultImage = recordOf({
    0xCA, 0xFE, 0xF0, 0xDA, 0x00, 0x1E, 0x01, 0x02,
    0x00, 0xB4, 0x04, 0x80, 0x00, 0xC0,  // PING 180, A232 1152, B232 192
    11, 11, 11, 11,                      // ACP, ACN, ACP_FLAGS, ACN_FLAGS
    11, 120, 5,                          // VMX
    11, 90, 5,                           // VCH
    11, 0x11, 0x94, 5,                   // RPX 4500
    11, 6, 7,                            // OSC
    11, 40, 0x03, 0x84, 5,               // BGL, RBGL 900
    0x00, 0x08, 0x55,
});

// Norvale preset: ping 60, ACP/ACN flags 01, event flags 03, VMX 100/10,
// VCH 80/10, TOSC 1; the rest as the default. Sum 0x788.
const Image kNorvaleImage = recordOf({
    0xCA, 0xFE, 0xF0, 0xDA, 0x00, 0x1E, 0x01, 0x02,
    0x00, 0x3C, 0x04, 0x80, 0x00, 0xC0,
    11, 11, 1, 1,
    3, 100, 10,
    3, 80, 10,
    3, 0x11, 0x94, 5,
    3, 1, 7,
    3, 40, 0x03, 0x84, 5,
    0x00, 0x07, 0x88,
});

FormModel defaults() {
    FormModel f;
    applyDefaults(f);
    return f;
}

TEST(ConfigImage, PresetsProduceTheirFullImages) {
    for (auto [apply, expected, xr, sum] :
         {std::tuple{&applyDefaults, &kDefaultImage, 0x53, 0x7C9E9u},
          std::tuple{&applyNorvale, &kNorvaleImage, 0x10, 0x7C94Eu}}) {
        FormModel form;
        apply(form);
        Image im{};
        ASSERT_EQ(encode(form, im), std::nullopt);
        EXPECT_EQ(im, *expected);
        EXPECT_EQ(checkXor(im), xr);
        EXPECT_EQ(checkSum(im), sum);
    }
}

TEST(ConfigImage, FlagBytesFromTheirBoxes) {
    struct Case {
        bool bzIn, bzOut, bzWh, evIn, evOut;
        std::uint8_t expected;
    };
    for (const Case& c : {Case{true, true, false, true, true, 33}, Case{false, false, true, false, false, 40},
                          Case{false, true, false, true, false, 21}, Case{false, false, false, false, true, 2}}) {
        FormModel form = defaults();
        for (int g = 0; g < GroupCount; ++g) {
            form.setBuzzer(Group(g), Buzzer::During, c.bzWh);
            form.setBuzzer(Group(g), Buzzer::In, c.bzIn);
            form.setBuzzer(Group(g), Buzzer::Out, c.bzOut);
            form.setRegister(Group(g), c.evIn, c.evOut);
        }
        form.bzAcp = false;
        form.evAcn = false;
        Image im{};
        ASSERT_EQ(encode(form, im), std::nullopt);
        for (int at : {18, 21, 24, 28, 31}) EXPECT_EQ(im[at], c.expected) << "offset " << at;
        EXPECT_EQ(im[16], 1);   // ACP: register only
        EXPECT_EQ(im[17], 10);  // ACN: buzzer only
    }
}

TEST(ConfigImage, BaudRatesAreStoredDividedByHundred) {
    FormModel form = defaults();
    form.a232 = 3;  // 115200
    form.b232 = 0;  // 9600
    Image im{};
    ASSERT_EQ(encode(form, im), std::nullopt);
    EXPECT_EQ(im[10], 0x04);
    EXPECT_EQ(im[11], 0x80);
    EXPECT_EQ(im[12], 0x00);
    EXPECT_EQ(im[13], 0x60);
}

struct ValidationCase {
    int ping, a232, b232;
    std::optional<Field> field;
    std::string text;
    std::optional<std::string> refusedAs;  // none: accepted
};

ValidationCase refuse(Field f, std::string text, std::string name) { return {8, 3, 1, f, std::move(text), std::move(name)}; }
ValidationCase accept(Field f, std::string text) { return {8, 3, 1, f, std::move(text), std::nullopt}; }
ValidationCase combos(int ping, int a232, int b232, std::string name) {
    return {ping, a232, b232, std::nullopt, "", std::move(name)};
}

TEST(ConfigImage, ValidationRefusesInFieldOrder) {
    const ValidationCase cases[] = {
        refuse(RBGL, "1001", "Rotação max. Banguela"),
        accept(RBGL, "1000"),
        refuse(RBGL, "299", "Rotação max. Banguela"),
        accept(RBGL, "300"),
        refuse(TVMX, "", "Tempo validação Velocidade"),
        refuse(VMX, "151", "Velocidade"),
        accept(VMX, "0"),
        refuse(VCH, "9O", "Velocidade na Chuva"),
        refuse(TVCH, "61", "Tempo validação Velocidade na Chuva"),
        refuse(RPX, "999", "Rotação do Motor"),
        refuse(RPX, "65536", "Rotação do Motor"),
        refuse(TRPX, "-5", "Tempo validação Rotação"),
        refuse(TOSC, "0", "Tempo osciosidade"),
        refuse(XOSC, " 7", "Tempo excessão manobra"),
        refuse(VBGL, "0", "Velocidade min. Banguela"),
        refuse(TBGL, "31", "Tempo validação Banguela"),
        refuse(ACP, "99999999999999999999", "Aceleração"),
        // Values the record cannot hold in one byte are refused, not cut.
        refuse(ACP, "256", "Aceleração"),
        accept(ACP, "255"),
        refuse(ACN, "300", "Desaceleração"),
        refuse(VBGL, "256", "Velocidade min. Banguela"),
        accept(VBGL, "255"),
        // A combo without a selection, as while a read is under way; the
        // combos come first, ping before RS232-A before RS232-B.
        combos(-1, 3, 1, "PING"),
        combos(8, -1, 1, "RS232-A"),
        combos(8, 3, -1, "RS232-B"),
        combos(-1, -1, -1, "PING"),
        combos(8, -1, -1, "RS232-A"),
        combos(8, 3, 4, "RS232-B"),
    };
    for (const ValidationCase& c : cases) {
        SCOPED_TRACE(std::string(c.field ? std::to_string(*c.field) : "-") + " '" + c.text + "'");
        FormModel form = defaults();
        form.ping = c.ping;
        form.a232 = c.a232;
        form.b232 = c.b232;
        // A combo case also spoils the first field, which must not be the one reported.
        form.text[c.field.value_or(ACP)] = c.text;
        Image im = kDefaultImage;
        const auto fault = encode(form, im);
        if (!c.refusedAs) {
            EXPECT_EQ(fault, std::nullopt);
            continue;
        }
        ASSERT_TRUE(fault.has_value());
        EXPECT_EQ(im, kDefaultImage) << "a refused write leaves the buffer alone";
        EXPECT_EQ(fault->name, *c.refusedAs);
        EXPECT_EQ(faultMessage(*fault), "Parâmetro inválido!\r\n[" + *c.refusedAs + "]");
        const bool combo = c.ping != 8 || c.a232 != 3 || c.b232 != 1;
        EXPECT_EQ(fault->field, combo ? FieldCount : *c.field);
        emptyField(form, *fault);
        if (!combo) {
            EXPECT_EQ(form.text[*c.field], "");
        }
    }
}

TEST(ConfigImage, FirstFaultWinsAndBordersAreStored) {
    FormModel form = defaults();
    form.text[TBGL] = "99";
    form.text[VMX] = "151";
    Image im{};
    auto fault = encode(form, im);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->field, VMX);

    form.text[VMX] = "150";
    form.text[TBGL] = "30";
    form.text[RBGL] = "1000";
    form.text[ACP] = "255";
    form.text[VBGL] = "007";
    ASSERT_EQ(encode(form, im), std::nullopt);
    EXPECT_EQ(im[19], 150);
    EXPECT_EQ(im[35], 30);
    EXPECT_EQ(im[33], 0x03);
    EXPECT_EQ(im[34], 0xE8);
    EXPECT_EQ(im[14], 0xFF);
    EXPECT_EQ(im[32], 7);
    EXPECT_EQ(im[4], 0x00);
    EXPECT_EQ(im[5], 0x1E);
}

// A form distinct from both presets, with every buzzer digit 0..4 and every
// register digit 0..3 somewhere.
FormModel mixedForm() {
    FormModel f;
    f.ping = 0;
    f.a232 = 3;
    f.b232 = 2;
    f.text = {"1", "255", "150", "0", "7", "60", "9999", "20", "45", "0", "250", "300", "30"};
    f.bzAcp = true;
    f.evAcn = true;
    f.setBuzzer(GroupVMX, Buzzer::In, true);
    f.setBuzzer(GroupVMX, Buzzer::Out, true);  // digit 3
    f.setBuzzer(GroupVCH, Buzzer::During, true);  // digit 4
    f.setBuzzer(GroupRPX, Buzzer::Out, true);  // digit 2
    f.setBuzzer(GroupOSC, Buzzer::In, true);  // digit 1
    f.setRegister(GroupVMX, true, true);
    f.setRegister(GroupVCH, false, true);
    f.setRegister(GroupRPX, true, false);
    return f;
}

TEST(ConfigImage, DecodeOfEncodeRoundTrips) {
    for (const FormModel& original : {defaults(), mixedForm()}) {
        Image im{};
        ASSERT_EQ(encode(original, im), std::nullopt);
        FormModel read;  // as a read leaves it: no combo selected, boxes unticked
        EXPECT_EQ(decode(im, read, false), 0);
        EXPECT_EQ(read, original);
    }
    // Decoding over a form that holds the opposite boxes still lands exactly.
    FormModel read = mixedForm();
    for (int g = 0; g < GroupCount; ++g) read.setBuzzer(Group(g), Buzzer::During, true);
    ASSERT_EQ(decode(kDefaultImage, read, false), 0);
    EXPECT_EQ(read, defaults());
}

TEST(ConfigImage, DecodeFaults) {
    struct Case {
        const char* what;
        void (*change)(Image&);
        bool fixSum;
        bool norvale;
        int faults;
    };
    const Case cases[] = {
        {"valid", [](Image&) {}, false, false, 0},
        {"A232 576", [](Image& im) { im[10] = 0x02; im[11] = 0x40; }, true, false, 1},
        {"A232 not in table", [](Image& im) { im[11] = 0x81; }, true, false, 2},
        {"PING 7", [](Image& im) { im[9] = 7; }, true, false, 1},
        {"B232 0", [](Image& im) { im[13] = 0; }, true, false, 1},
        // 14, 15 as ACP, ACN; 16, 17 as flags give units 6 and 7 (two faults)
        // plus the never-written mark itself.
        {"never written", [](Image& im) { for (int i = 14; i < 18; ++i) im[i] = std::uint8_t(i); }, true, false, 3},
        {"ACP flags 21", [](Image& im) { im[16] = 21; }, true, false, 1},
        {"ACN flags 12", [](Image& im) { im[17] = 12; }, true, false, 1},
        {"ACP flags 105", [](Image& im) { im[16] = 105; }, true, false, 2},
        {"VMX flags 53", [](Image& im) { im[18] = 53; }, true, false, 1},
        {"BGL flags 14", [](Image& im) { im[31] = 14; }, true, false, 1},
        {"VCH flags 255", [](Image& im) { im[21] = 255; }, true, false, 2},
        {"out-of-range numbers are not checked", [](Image& im) { im[19] = 250; im[33] = 0xFF; }, true, false, 0},
        // ping 180, ACP/ACN buzzer digits, event flags both digits x5, VMX,
        // TVMX, VCH, TVCH and TOSC differ from Norvale.
        {"default under Norvale", [](Image&) {}, false, true, 18},
        {"Norvale under Norvale", [](Image& im) { im = kNorvaleImage; }, false, true, 0},
        {"Norvale with PING 30", [](Image& im) { im = kNorvaleImage; im[9] = 30; }, true, true, 1},
        {"Norvale with RBGL 901", [](Image& im) { im = kNorvaleImage; im[34] = 0x85; }, true, true, 1},
        {"Norvale with A232 576", [](Image& im) { im = kNorvaleImage; im[10] = 2; im[11] = 0x40; }, true, true, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Image im = kDefaultImage;
        c.change(im);
        if (c.fixSum) resum(im);
        FormModel form;
        EXPECT_EQ(decode(im, form, c.norvale), c.faults);
    }
}

TEST(ConfigImage, DecodeLeavesWhatItCannotRead) {
    Image im = kDefaultImage;
    im[9] = 7;    // PING not in table
    im[18] = 53;  // VMX buzzer digit 5
    im[21] = 14;  // VCH register digit 4
    resum(im);
    FormModel form;
    form.setBuzzer(GroupVMX, Buzzer::During, true);
    form.setRegister(GroupVCH, false, true);
    EXPECT_EQ(decode(im, form, false), 3);
    EXPECT_EQ(form.ping, -1);
    EXPECT_TRUE(form.group(GroupVMX).bzWh);
    EXPECT_TRUE(form.group(GroupVMX).evIn);   // units digit 3 still read
    EXPECT_TRUE(form.group(GroupVMX).evOut);
    EXPECT_TRUE(form.group(GroupVCH).bzIn);   // tens digit 1 still read
    EXPECT_FALSE(form.group(GroupVCH).evIn);
    EXPECT_TRUE(form.group(GroupVCH).evOut);
    EXPECT_EQ(form.text[VMX], "120");
}

TEST(ConfigImage, BrokenRecordLeavesTheFormUntouched) {
    struct Case {
        const char* what;
        void (*change)(Image&);
    };
    const Case cases[] = {
        {"magic", [](Image& im) { im[3] = 0xDB; resum(im); }},
        {"sum", [](Image& im) { im[38] ^= 1; }},
        {"field without its sum", [](Image& im) { im[19] = 100; }},
        {"length beyond the image", [](Image& im) { im[4] = 0x07; im[5] = 0xE8; }},  // 2024 + 9
        {"never written, whole", [](Image& im) { im.fill(0xFF); }},
    };
    const FormModel before = mixedForm();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Image im = kDefaultImage;
        c.change(im);
        FormModel form = before;
        EXPECT_GE(decode(im, form, false), 1);
        EXPECT_GE(decode(im, form, true), 1);
        EXPECT_EQ(form, before);
    }
}

TEST(ConfigImage, SumIsFoundWhereTheLengthPutsIt) {
    // A longer record (length 40) whose sum sits at 46..48 is accepted, and
    // its fields still come from their fixed places.
    Image im = kDefaultImage;
    im[5] = 40;
    for (int i = 36; i < 46; ++i) im[i] = 0;
    std::uint32_t s = 0;
    for (int i = 0; i < 46; ++i) s += im[i];
    im[46] = static_cast<std::uint8_t>(s >> 16);
    im[47] = static_cast<std::uint8_t>(s >> 8);
    im[48] = static_cast<std::uint8_t>(s);
    FormModel form;
    EXPECT_EQ(decode(im, form, false), 0);
    EXPECT_EQ(form, defaults());

    // The largest length the image allows: 2023 + 9 = 2032.
    Image big = kDefaultImage;
    big[4] = 0x07;
    big[5] = 0xE7;
    s = 0;
    for (std::size_t i = 0; i < 2029; ++i) s += big[i];
    big[2029] = static_cast<std::uint8_t>(s >> 16);
    big[2030] = static_cast<std::uint8_t>(s >> 8);
    big[2031] = static_cast<std::uint8_t>(s);
    FormModel bigForm;
    EXPECT_EQ(decode(big, bigForm, false), 0);
}

}  // namespace
}  // namespace vek::config
