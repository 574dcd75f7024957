// The remote configuration command list.

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <sstream>
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

// A default line with the value at `pos` in its brackets replaced, and its
// check code and padding worked out again.
std::string withValue(const std::string& line, std::size_t pos, const std::string& value) {
    const std::size_t open = line.find('['), close = line.find(']');
    std::vector<std::string> values;
    std::stringstream inside(line.substr(open + 1, close - open - 1));
    for (std::string v; std::getline(inside, v, ',');) values.push_back(v);
    values.at(pos) = value;
    std::string command = line.substr(0, open + 1);
    for (std::size_t i = 0; i < values.size(); ++i) command += (i ? "," : "") + values[i];
    command += "]";
    unsigned x = 0;
    for (char ch : command) x ^= static_cast<unsigned char>(ch);
    char code[3];
    std::snprintf(code, sizeof code, "%02X", x);
    std::string out = command + code;
    if (out.size() < 25) out.append(25 - out.size(), '_');
    return out + line.substr(line.find_first_not_of('_', close + 3));
}

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

// The remote list keeps the write's ranges, so a remote command never sets
// what CONFIGURAR refuses. Each field at and just past its bounds, empty and
// with a character that is not a digit; the two must agree on every value.
TEST(ConfigRemote, EachFieldTakesExactlyWhatTheWriteTakes) {
    struct Rule {
        Field field;
        std::size_t line, pos;  // where the value goes in the list
        unsigned long min, max;
        const char* notDigits;
        const char* remoteName;
        const char* writeName;
    };
    const Rule rules[] = {
        {ACP, 2, 0, 0, 255, "+1", "Aceleração", "Aceleração"},
        {ACN, 3, 0, 0, 255, "1 ", "Desaceleração", "Desaceleração"},
        {VMX, 4, 0, 0, 150, "-0", "Velocidade", "Velocidade"},
        {TVMX, 4, 1, 0, 60, "5s", "Tempo validação Velocidade", "Tempo validação Velocidade"},
        {VCH, 5, 0, 0, 150, "0x10", "Velocidade na Chuva", "Velocidade na Chuva"},
        {TVCH, 5, 1, 0, 60, "1.5", "Tempo validação Velocidade na Chuva", "Tempo validação Velocidade na Chuva"},
        {RPX, 6, 0, 1000, 65535, "4 500", "Rotação do Motor", "Rotação do Motor"},
        {TRPX, 6, 1, 0, 60, "٥", "Tempo validação Rotação", "Tempo validação Rotação"},  // an Arabic-Indic five
        {TOSC, 7, 0, 1, 255, "1e2", "Tempo ociosidade", "Tempo osciosidade"},
        {XOSC, 7, 1, 0, 60, " 7", "Tempo excessão manobra", "Tempo excessão manobra"},
        {VBGL, 8, 0, 1, 255, "40km", "Velocidade min. Banguela", "Velocidade min. Banguela"},
        {RBGL, 8, 1, 300, 1000, "9OO", "Rotação max. Banguela", "Rotação max. Banguela"},
        {TBGL, 8, 2, 0, 30, "\t5", "Tempo validação Banguela", "Tempo validação Banguela"},
    };
    for (const Rule& r : rules) {
        std::vector<std::pair<std::string, bool>> values{
            {std::to_string(r.min), true},      {std::to_string(r.max), true},
            {std::to_string(r.max + 1), false}, {"", false},
            {r.notDigits, false},
            {"18446744073709551617", false},  // 2^64 + 1: refused, not wrapped round to 1
        };
        if (r.min > 0) values.push_back({std::to_string(r.min - 1), false});
        for (const auto& [value, accepted] : values) {
            SCOPED_TRACE(std::string(r.remoteName) + " \"" + value + "\"");
            FormModel f = defaults();
            f.text[r.field] = value;
            const FormModel before = f;

            std::vector<std::string> expected = kDefaultLines;
            FormModel expectedForm = before;
            if (accepted) {
                expected[r.line] = withValue(kDefaultLines[r.line], r.pos, value);
            } else {
                expected[r.line] = std::string("Parâmetro inválido! [") + r.remoteName + "]";
                expectedForm.text[r.field].clear();
            }
            EXPECT_EQ(remoteCommands(f), expected);
            EXPECT_EQ(f, expectedForm);

            Image image{};
            const auto fault = encode(before, image);
            EXPECT_EQ(!fault.has_value(), accepted) << "the write and the remote list disagree";
            if (fault) {
                EXPECT_EQ(fault->field, r.field);
                EXPECT_EQ(fault->name, r.writeName);
            } else {
                // What the write takes, it stores whole.
                FormModel read;
                decode(image, read, false);
                EXPECT_EQ(read.text[r.field], value);
            }
        }
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
