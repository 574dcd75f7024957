// The configuration file: the document a form saves as, round trips through
// it to the same image, and every way a document is refused.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/config_file.h"
#include "config/config_image.h"

namespace vek::config {
namespace {

FormModel preset(void (*apply)(FormModel&)) {
    FormModel f;
    apply(f);
    return f;
}

// Forms "CONFIGURAR" accepts, from the presets to the edges of every range,
// with every buzzer and register combination a group can hold.
std::vector<std::pair<const char*, FormModel>> writableForms() {
    FormModel edges = preset(applyDefaults);
    edges.ping = 0;
    edges.a232 = 0;
    edges.b232 = 3;
    edges.text = {"255", "0", "0", "60", "150", "0", "65535", "60", "255", "0", "255", "1000", "30"};
    edges.evAcp = false;
    edges.bzAcn = false;
    for (int g = 0; g < GroupCount; ++g) edges.setBuzzer(Group(g), Buzzer::During, true);

    FormModel mixed = preset(applyNorvale);
    mixed.ping = 9;
    mixed.b232 = 2;
    mixed.text[RPX] = "1000";
    mixed.text[RBGL] = "300";
    mixed.text[TOSC] = "1";
    mixed.text[VBGL] = "1";
    mixed.bzAcp = true;
    mixed.setBuzzer(GroupVMX, Buzzer::In, true);
    mixed.setBuzzer(GroupVMX, Buzzer::Out, true);
    mixed.setRegister(GroupVMX, false, true);
    mixed.setBuzzer(GroupVCH, Buzzer::Out, true);
    mixed.setRegister(GroupRPX, false, false);
    mixed.setBuzzer(GroupOSC, Buzzer::During, true);
    mixed.setRegister(GroupBGL, true, false);

    return {{"default preset", preset(applyDefaults)},
            {"Norvale preset", preset(applyNorvale)},
            {"range edges, Durante everywhere", edges},
            {"mixed boxes", mixed}};
}

Image imageOf(const FormModel& form) {
    Image im{};
    const auto fault = encode(form, im);
    EXPECT_EQ(fault, std::nullopt) << (fault ? fault->name : "");
    return im;
}

// 1-based line of the first occurrence of `needle`, 0 when it is missing.
int lineOf(std::string_view doc, std::string_view needle) {
    const auto at = doc.find(needle);
    if (at == std::string_view::npos) return 0;
    int line = 1;
    for (std::size_t i = 0; i < at; ++i)
        if (doc[i] == '\n') ++line;
    return line;
}

// The document with the first `from` replaced by `to`.
std::string edited(std::string doc, std::string_view from, std::string_view to) {
    const auto at = doc.find(from);
    if (at == std::string::npos) {
        ADD_FAILURE() << "the document holds no " << from;
        return doc;
    }
    return doc.replace(at, from.size(), to);
}

std::string crlf(const std::string& doc) {
    std::string out;
    for (char c : doc) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

const std::string kDefaultDocument = R"({
  "format": "vektool-configuration",
  "version": 1,
  "ping_s": 180,
  "rs232_a_baud": 115200,
  "rs232_b_baud": 19200,
  "acp_kmh_per_s": 11,
  "acn_kmh_per_s": 11,
  "vmx_kmh": 120,
  "tvmx_s": 5,
  "vch_kmh": 90,
  "tvch_s": 5,
  "rpx_rpm": 4500,
  "trpx_s": 5,
  "tosc_min": 6,
  "xosc_s": 7,
  "vbgl_kmh": 40,
  "rbgl_rpm": 900,
  "tbgl_s": 5,
  "alerts": {
    "ACP": {"register": true, "buzzer": true},
    "ACN": {"register": true, "buzzer": true},
    "VMX": {
      "register": {"entry": true, "exit": false},
      "buzzer": {"entry": true, "exit": false, "during": false}
    },
    "VCH": {
      "register": {"entry": true, "exit": false},
      "buzzer": {"entry": true, "exit": false, "during": false}
    },
    "RPX": {
      "register": {"entry": true, "exit": false},
      "buzzer": {"entry": true, "exit": false, "during": false}
    },
    "OSC": {
      "register": {"entry": true, "exit": false},
      "buzzer": {"entry": true, "exit": false, "during": false}
    },
    "BGL": {
      "register": {"entry": true, "exit": false},
      "buzzer": {"entry": true, "exit": false, "during": false}
    }
  }
}
)";

TEST(ConfigFile, DefaultPresetSavesAsTheDocumentedExample) {
    EXPECT_EQ(toJson(preset(applyDefaults)), kDefaultDocument);
}

TEST(ConfigFile, FormsRoundTripToTheSameImage) {
    for (const auto& [what, form] : writableForms()) {
        SCOPED_TRACE(what);
        const std::string doc = toJson(form);
        ASSERT_EQ(doc.back(), '\n');
        const auto loaded = fromJson(doc);
        ASSERT_TRUE(std::holds_alternative<FormModel>(loaded)) << describe(std::get<FileError>(loaded));
        const FormModel& back = std::get<FormModel>(loaded);
        EXPECT_EQ(back, form);
        EXPECT_EQ(imageOf(back), imageOf(form));
        EXPECT_EQ(toJson(back), doc);
    }
}

TEST(ConfigFile, LeadingZerosSaveAsThePlainNumber) {
    FormModel form = preset(applyDefaults);
    form.text[TVMX] = "007";
    form.text[ACN] = "000";
    const std::string doc = toJson(form);
    EXPECT_NE(doc.find("\"tvmx_s\": 7,"), std::string::npos);
    EXPECT_NE(doc.find("\"acn_kmh_per_s\": 0,"), std::string::npos);
    const auto loaded = fromJson(doc);
    ASSERT_TRUE(std::holds_alternative<FormModel>(loaded));
    EXPECT_EQ(imageOf(std::get<FormModel>(loaded)), imageOf(form));
}

// Read from a unit, saved, loaded and written: the unit gets back the very
// bytes it held. RS232-A 9600 counts as a read fault but still fills the form.
TEST(ConfigFile, ReadSaveLoadWriteGivesTheSameImage) {
    for (const auto& [what, source] : writableForms()) {
        SCOPED_TRACE(what);
        const Image image = imageOf(source);
        FormModel read;
        decode(image, read, false);
        const auto loaded = fromJson(toJson(read));
        ASSERT_TRUE(std::holds_alternative<FormModel>(loaded)) << describe(std::get<FileError>(loaded));
        EXPECT_EQ(imageOf(std::get<FormModel>(loaded)), image);
    }
}

// Written by hand: any key order, CR LF, tabs, a byte order mark, escapes in
// a string. Checked against the preset, not against what toJson writes.
TEST(ConfigFile, LoadsAHandWrittenDocument) {
    const std::string doc =
        "\xEF\xBB\xBF{\"alerts\": {\"BGL\": {\"buzzer\": {\"during\": false, \"exit\": false, \"entry\": false},\r\n"
        "\t\"register\": {\"exit\": true, \"entry\": true}},\r\n"
        " \"OSC\": {\"register\": {\"entry\": true, \"exit\": true}, \"buzzer\": {\"entry\": false, \"exit\": false, "
        "\"during\": false}},\r\n"
        " \"RPX\": {\"register\": {\"entry\": true, \"exit\": true}, \"buzzer\": {\"entry\": false, \"exit\": false, "
        "\"during\": false}},\r\n"
        " \"VCH\": {\"register\": {\"entry\": true, \"exit\": true}, \"buzzer\": {\"entry\": false, \"exit\": false, "
        "\"during\": false}},\r\n"
        " \"VMX\": {\"register\": {\"entry\": true, \"exit\": true}, \"buzzer\": {\"entry\": false, \"exit\": false, "
        "\"during\": false}},\r\n"
        " \"ACN\": {\"buzzer\": false, \"register\": true}, \"ACP\": {\"register\": true, \"buzzer\": false}},\r\n"
        "\"tbgl_s\": 5, \"rbgl_rpm\": 900, \"vbgl_kmh\": 40, \"xosc_s\": 7, \"tosc_min\": 1, \"trpx_s\": 5,\r\n"
        "\"rpx_rpm\": 4500, \"tvch_s\": 10, \"vch_kmh\": 80, \"tvmx_s\": 10, \"vmx_kmh\": 100,\r\n"
        "\"acn_kmh_per_s\": 11, \"acp_kmh_per_s\": 11, \"rs232_b_baud\": 19200, \"rs232_a_baud\": 115200,\r\n"
        "\"ping_s\": 60, \"version\": 1, \"format\": \"vektool-\\u0063onfigura\\u0074ion\"}\r\n";
    const auto loaded = fromJson(doc);
    ASSERT_TRUE(std::holds_alternative<FormModel>(loaded)) << describe(std::get<FileError>(loaded));
    EXPECT_EQ(std::get<FormModel>(loaded), preset(applyNorvale));
}

struct Refusal {
    const char* what;
    std::string doc;
    std::string lineAt;  // the text on the line that must be named
    std::string field;
    std::string message;
};

TEST(ConfigFile, RefusesBrokenOrWrongDocuments) {
    const std::string& d = kDefaultDocument;
    const std::string firstBuzzer = "\"entry\": true, \"exit\": false, \"during\": false}";
    const std::string deep = std::string(40, '[') + std::string(40, ']');
    // The 32nd bracket is one too many; the path names the 31 around it.
    std::string deepPath = "ping_s";
    for (int i = 0; i < 31; ++i) deepPath += "[0]";
    const Refusal cases[] = {
        // Broken JSON.
        {"a missing comma", edited(d, "\"tvmx_s\": 5,", "\"tvmx_s\": 5"), "\"vch_kmh\"", "tvmx_s",
         text::kFileExpectedObjectEnd},
        {"a missing comma, CR LF line ends", crlf(edited(d, "\"tvmx_s\": 5,", "\"tvmx_s\": 5")), "\"vch_kmh\"",
         "tvmx_s", text::kFileExpectedObjectEnd},
        {"cut inside a number", d.substr(0, d.find("4500") + 2), "\"rpx_rpm\"", "rpx_rpm", text::kFileTruncated},
        {"cut inside a key", d.substr(0, d.find("\"ACN\"") + 4), "\"ACN", "alerts", text::kFileTruncated},
        {"an empty text", "", "", "", text::kFileEmpty},
        {"a list for the document", "[]", "", "", text::kFileWantObject},
        {"text after the document", d + "#", "#", "", text::kFileTrailing},
        {"a trailing comma", edited(d, "\"exit\": false}", "\"exit\": false,}"), "\"exit\": false,}",
         "alerts.VMX.register", text::kFileExpectedKey},
        {"a comment", edited(d, "\"ping_s\": 180", "\"ping_s\": /* s */ 180"), "\"ping_s\"", "ping_s",
         "caractere inesperado '/'"},
        {"a leading zero", edited(d, "\"tvmx_s\": 5", "\"tvmx_s\": 05"), "\"tvmx_s\"", "tvmx_s", text::kFileBadNumber},
        {"a lone surrogate", edited(d, "vektool-configuration", "vektool-\\ud800"), "\"format\"", "format",
         text::kFileBadEscape},
        {"bytes that are not UTF-8", edited(d, "vektool-configuration", "vektool-\xC3\x28"), "\"format\"", "format",
         text::kFileBadUtf8},
        {"nesting without end", edited(d, "\"ping_s\": 180", "\"ping_s\": " + deep), "\"ping_s\"", deepPath,
         text::kFileTooDeep},
        {"a duplicate key", edited(d, "\"ping_s\": 180,", "\"ping_s\": 180,\n  \"ping_s\": 60,"), "\"ping_s\": 60",
         "ping_s", "chave repetida (já aparece na linha 4)"},
        // Keys.
        {"an unknown key", edited(d, "  \"ping_s\"", "  \"colour\": 3,\n  \"ping_s\""), "\"colour\"", "colour",
         text::kFileUnknownKey},
        {"an unknown option",
         edited(d, firstBuzzer, "\"entry\": true, \"exit\": false, \"during\": false, \"loud\": 1}"), "\"loud\"",
         "alerts.VMX.buzzer.loud", text::kFileUnknownKey},
        {"a missing field", edited(d, "  \"tbgl_s\": 5,\n", ""), "{", "tbgl_s", text::kFileMissingKey},
        {"a missing option", edited(d, firstBuzzer, "\"entry\": true, \"exit\": false}"),
         "\"buzzer\": {\"entry\": true, \"exit\": false}", "alerts.VMX.buzzer.during", text::kFileMissingKey},
        // Types.
        {"a number as text", edited(d, "\"ping_s\": 180", "\"ping_s\": \"180\""), "\"ping_s\"", "ping_s",
         text::kFileWantInteger},
        {"a fraction", edited(d, "\"vmx_kmh\": 120", "\"vmx_kmh\": 120.0"), "\"vmx_kmh\"", "vmx_kmh",
         text::kFileWantInteger},
        {"an exponent", edited(d, "\"tvmx_s\": 5", "\"tvmx_s\": 5e0"), "\"tvmx_s\"", "tvmx_s", text::kFileWantInteger},
        {"a number for a box", edited(d, "\"buzzer\": true}", "\"buzzer\": 1}"), "\"ACP\"", "alerts.ACP.buzzer",
         text::kFileWantBool},
        {"a list for a block", edited(d, "\"ACN\": {\"register\": true, \"buzzer\": true}", "\"ACN\": []"), "\"ACN\"",
         "alerts.ACN", text::kFileWantObject},
        // Values.
        {"a ping not in the list", edited(d, "\"ping_s\": 180", "\"ping_s\": 17"), "\"ping_s\"", "ping_s",
         "17 não é um de 5, 10, 15, 30, 45, 60, 90, 120, 180, 300"},
        {"a baud rate as the record stores it", edited(d, "\"rs232_b_baud\": 19200", "\"rs232_b_baud\": 192"),
         "\"rs232_b_baud\"", "rs232_b_baud", "192 não é um de 9600, 19200, 57600, 115200"},
        {"a speed the write refuses", edited(d, "\"vmx_kmh\": 120", "\"vmx_kmh\": 151"), "\"vmx_kmh\"", "vmx_kmh",
         "Parâmetro inválido!\r\n[Velocidade]\r\nPermitido: 0 a 150 km/h"},
        {"a negative time", edited(d, "\"trpx_s\": 5", "\"trpx_s\": -5"), "\"trpx_s\"", "trpx_s",
         "Parâmetro inválido!\r\n[Tempo validação Rotação]\r\nPermitido: 0 a 60 s"},
        {"Durante with Entrada", edited(d, firstBuzzer, "\"entry\": true, \"exit\": false, \"during\": true}"),
         "\"during\": true", "alerts.VMX.buzzer", text::kFileCoupling},
        // Format and version.
        {"another format", edited(d, "vektool-configuration", "vektool-config"), "\"format\"", "format",
         "\"vektool-config\" não é uma configuração do VekTool; esperava \"vektool-configuration\""},
        {"no format", edited(d, "  \"format\": \"vektool-configuration\",\n", ""), "{", "format",
         text::kFileMissingKey},
        {"a newer version", edited(d, "\"version\": 1", "\"version\": 2"), "\"version\"", "version",
         "a versão 2 é mais nova que a 1, que esta ferramenta lê"},
        {"version 0", edited(d, "\"version\": 1", "\"version\": 0"), "\"version\"", "version",
         "0 não é uma versão conhecida"},
        // A newer version is named before the keys it may have added.
        {"a newer version with new keys", edited(edited(d, "\"version\": 1", "\"version\": 10"), "  \"ping_s\"",
                                                 "  \"gps\": true,\n  \"ping_s\""),
         "\"version\"", "version", "a versão 10 é mais nova que a 1, que esta ferramenta lê"},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.what);
        const auto loaded = fromJson(c.doc);
        ASSERT_TRUE(std::holds_alternative<FileError>(loaded)) << "a form was returned";
        const FileError& e = std::get<FileError>(loaded);
        const int line = c.lineAt.empty() ? 1 : lineOf(c.doc, c.lineAt);
        ASSERT_NE(line, 0);
        EXPECT_EQ(e.line, line);
        EXPECT_EQ(e.field, c.field);
        EXPECT_EQ(e.message, c.message);
    }
}

// A document is refused where "CONFIGURAR" would refuse the same form: the
// first field in the write's order, with the write's very message.
TEST(ConfigFile, NumbersAreJudgedByTheWriteRules) {
    struct Case {
        std::vector<std::pair<Field, const char*>> texts;
        const char* key;  // whose line is named
    };
    const Case cases[] = {
        {{{RBGL, "1001"}}, "\"rbgl_rpm\""},
        {{{RPX, "999"}}, "\"rpx_rpm\""},
        {{{RPX, "65536"}}, "\"rpx_rpm\""},
        {{{TOSC, "0"}}, "\"tosc_min\""},
        {{{ACP, "256"}}, "\"acp_kmh_per_s\""},
        {{{ACN, "99999999999999999999"}}, "\"acn_kmh_per_s\""},
        {{{TBGL, "31"}, {TVMX, "61"}}, "\"tvmx_s\""},
    };
    for (const Case& c : cases) {
        FormModel form = preset(applyDefaults);
        for (const auto& [f, t] : c.texts) form.text[f] = t;
        Image im{};
        const auto fault = encode(form, im);
        ASSERT_TRUE(fault);
        const std::string doc = toJson(form);
        SCOPED_TRACE(doc);
        const auto loaded = fromJson(doc);
        ASSERT_TRUE(std::holds_alternative<FileError>(loaded));
        const FileError& e = std::get<FileError>(loaded);
        // The write's own words, what the field takes, and the file's key.
        EXPECT_EQ(e.message, faultMessage(*fault) + "\r\n" + allowedText(*fault));
        EXPECT_EQ("\"" + e.field + "\"", c.key);
        EXPECT_EQ(e.line, lineOf(doc, c.key));
    }
}

// What a box held is kept in the file even when it is no number; such a file
// then names the first thing wrong.
TEST(ConfigFile, AnUnfinishedFormSavesWhatItHoldsButDoesNotLoad) {
    FormModel form = preset(applyDefaults);
    form.b232 = -1;
    form.text[VMX] = "12\"a\\";
    const std::string doc = toJson(form);
    EXPECT_NE(doc.find("\"rs232_b_baud\": null,"), std::string::npos);
    EXPECT_NE(doc.find(R"("vmx_kmh": "12\"a\\",)"), std::string::npos);
    const auto loaded = fromJson(doc);
    ASSERT_TRUE(std::holds_alternative<FileError>(loaded));
    EXPECT_EQ(std::get<FileError>(loaded).field, "rs232_b_baud");
    EXPECT_EQ(std::get<FileError>(loaded).message, text::kFileWantInteger);
}

TEST(ConfigFile, AHugeValueIsQuotedShortened) {
    config::FormModel form;
    config::applyDefaults(form);
    std::string doc = toJson(form);
    const std::string huge(1'000'000, 'x');
    doc.replace(doc.find("vektool-configuration"), 21, huge);
    const auto loaded = fromJson(doc);
    ASSERT_TRUE(std::holds_alternative<FileError>(loaded));
    const std::string said = describe(std::get<FileError>(loaded));
    EXPECT_LT(said.size(), 300u) << said.substr(0, 300);
    EXPECT_NE(said.find("(1000000 bytes)"), std::string::npos) << said.substr(0, 300);
}

TEST(ConfigFile, DescribeMakesOneLine) {
    const std::pair<FileError, std::string> cases[] = {
        {{7, "ping_s", "17 não é um de 5, 10"}, "linha 7: campo \"ping_s\": 17 não é um de 5, 10"},
        {{12, "Velocidade", "Parâmetro inválido!\r\n[Velocidade]"},
         "linha 12: campo \"Velocidade\": Parâmetro inválido! [Velocidade]"},
        {{0, "", text::kFileEmpty}, text::kFileEmpty},
        {{3, "a\nb\tc", text::kFileUnknownKey}, "linha 3: campo \"a b c\": chave desconhecida"},
    };
    for (const auto& [error, expected] : cases) EXPECT_EQ(describe(error), expected);
}

}  // namespace
}  // namespace vek::config
