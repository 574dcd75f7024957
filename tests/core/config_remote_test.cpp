// The remote configuration command list.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/config_image.h"

namespace vek::config {
namespace {

FormModel defaults() {
    FormModel f;
    applyDefaults(f);
    return f;
}

// Check codes worked out by hand: XOR of every character from '#' to ']'.
const std::vector<std::string> kDefaultLines{
    "#CPI[180]46______________PING",
    "#CBR[19200]4C____________RS232-B",
    "#CACP[11,11]18___________Aceleração",
    "#CACN[11,11]06___________Desaceleração",
    "#CVMX[120,5,11]23________Velocidade",
    "#CVCH[90,5,11]07_________Velocidade na chuva",
    "#CRPX[4500,5,11]08_______Rotação do motor",
    "#COCS[6,7,11]38__________Ociosidade do motor",
    "#CBGL[40,900,5,11]0B_____Banguela",
};

TEST(ConfigRemote, PingCommandCheckCode) {
    constexpr unsigned code = '#' ^ 'C' ^ 'P' ^ 'I' ^ '[' ^ '1' ^ '8' ^ '0' ^ ']';
    static_assert(code == 0x46);
    FormModel f = defaults();
    const auto lines = remoteCommands(f);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "#CPI[180]46" + std::string(14, '_') + "PING");
}

TEST(ConfigRemote, DefaultPresetGivesNineCommands) {
    FormModel f = defaults();
    EXPECT_EQ(remoteCommands(f), kDefaultLines);
    EXPECT_EQ(f, defaults()) << "a clean list empties nothing";
}

TEST(ConfigRemote, FlagValuesTakeTwoDigits) {
    FormModel f;
    applyNorvale(f);
    const auto lines = remoteCommands(f);
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0], "#CPI[60]79_______________PING");
    EXPECT_EQ(lines[2], "#CACP[11,01]19___________Aceleração");
    EXPECT_EQ(lines[4], "#CVMX[100,10,03]16_______Velocidade");
}

TEST(ConfigRemote, FaultsGiveTheirLineEmptyTheBoxAndTheListGoesOn) {
    struct Case {
        const char* what;
        void (*change)(FormModel&);
        std::size_t line;
        std::string expected;
        std::optional<Field> emptied;
        std::optional<Field> kept;  // the next field of the command, not examined
    };
    const Case cases[] = {
        {"no ping", [](FormModel& f) { f.ping = -1; }, 0, "Parâmetro inválido! [PING]", {}, {}},
        {"no RS232-B", [](FormModel& f) { f.b232 = -1; }, 1, "Parâmetro inválido! [RS232-B]", {}, {}},
        {"VMX 151", [](FormModel& f) { f.text[VMX] = "151"; f.text[TVMX] = "99"; }, 4,
         "Parâmetro inválido! [Velocidade]", VMX, TVMX},
        {"TVMX empty", [](FormModel& f) { f.text[TVMX] = ""; }, 4,
         "Parâmetro inválido! [Tempo validação Velocidade]", TVMX, {}},
        {"ACP with a letter", [](FormModel& f) { f.text[ACP] = "1a"; }, 2, "Parâmetro inválido! [Aceleração]",
         ACP, {}},
        {"ACN above a byte", [](FormModel& f) { f.text[ACN] = "256"; }, 3,
         "Parâmetro inválido! [Desaceleração]", ACN, {}},
        {"VCH 151", [](FormModel& f) { f.text[VCH] = "151"; }, 5, "Parâmetro inválido! [Velocidade na Chuva]",
         VCH, TVCH},
        {"RPX 999", [](FormModel& f) { f.text[RPX] = "999"; }, 6, "Parâmetro inválido! [Rotação do Motor]", RPX,
         TRPX},
        {"TOSC 0", [](FormModel& f) { f.text[TOSC] = "0"; }, 7, "Parâmetro inválido! [Tempo ociosidade]", TOSC,
         XOSC},
        {"XOSC 61", [](FormModel& f) { f.text[XOSC] = "61"; }, 7, "Parâmetro inválido! [Tempo excessão manobra]",
         XOSC, {}},
        {"RBGL 1001", [](FormModel& f) { f.text[RBGL] = "1001"; }, 8,
         "Parâmetro inválido! [Rotação max. Banguela]", RBGL, TBGL},
        {"VBGL above a byte", [](FormModel& f) { f.text[VBGL] = "256"; }, 8,
         "Parâmetro inválido! [Velocidade min. Banguela]", VBGL, RBGL},
        {"TBGL 31", [](FormModel& f) { f.text[TBGL] = "31"; }, 8, "Parâmetro inválido! [Tempo validação Banguela]",
         TBGL, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FormModel f = defaults();
        c.change(f);
        const FormModel before = f;
        const auto lines = remoteCommands(f);
        ASSERT_EQ(lines.size(), 9u);
        for (std::size_t i = 0; i < lines.size(); ++i)
            EXPECT_EQ(lines[i], i == c.line ? c.expected : kDefaultLines[i]) << "line " << i;
        if (c.emptied) {
            EXPECT_EQ(f.text[*c.emptied], "");
        }
        if (c.kept) {
            EXPECT_EQ(f.text[*c.kept], before.text[*c.kept]);
        }
        // Nothing else is touched.
        FormModel expected = before;
        if (c.emptied) expected.text[*c.emptied].clear();
        EXPECT_EQ(f, expected);
    }
}

TEST(ConfigRemote, EveryFaultAtOnce) {
    FormModel f;  // nothing selected, every box empty
    const auto lines = remoteCommands(f);
    const std::vector<std::string> expected{
        "Parâmetro inválido! [PING]",
        "Parâmetro inválido! [RS232-B]",
        "Parâmetro inválido! [Aceleração]",
        "Parâmetro inválido! [Desaceleração]",
        "Parâmetro inválido! [Velocidade]",
        "Parâmetro inválido! [Velocidade na Chuva]",
        "Parâmetro inválido! [Rotação do Motor]",
        "Parâmetro inválido! [Tempo ociosidade]",
        "Parâmetro inválido! [Velocidade min. Banguela]",
    };
    EXPECT_EQ(lines, expected);
}

TEST(ConfigRemote, PaddingStopsAtTwentyFiveCharacters) {
    FormModel f = defaults();
    // 23 characters of command and 2 of check code: no '_' at all.
    f.text[ACP] = "0000000000011";
    // One character shorter: exactly one '_'.
    f.text[ACN] = "000000000011";
    // Longer than 25: still no '_' and nothing cut.
    f.text[VMX] = "000000000000120";
    const auto lines = remoteCommands(f);
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[2], "#CACP[0000000000011,11]28Aceleração");
    const std::string acn = "#CACN[000000000011,11]";
    unsigned x = 0;
    for (char ch : acn) x ^= static_cast<unsigned char>(ch);
    char code[3];
    std::snprintf(code, sizeof code, "%02X", x);
    EXPECT_EQ(lines[3], acn + code + "_Desaceleração");
    EXPECT_EQ(lines[4].rfind("#CVMX[000000000000120,5,11]", 0), 0u);
    EXPECT_EQ(lines[4].substr(29), "Velocidade");
}

}  // namespace
}  // namespace vek::config
