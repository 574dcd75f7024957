#include "config/config_file.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <unordered_map>
#include <utility>
#include <vector>

#include "config/config_image.h"
#include "config/config_texts.h"
#include "config/record_layout.h"

namespace vek::config {

namespace {

// ---------------------------------------------------------------------------
// Names of the document

constexpr const char* kFormatKey = "format";
constexpr const char* kVersionKey = "version";
constexpr const char* kPingKey = "ping_s";
constexpr const char* kA232Key = "rs232_a_baud";
constexpr const char* kB232Key = "rs232_b_baud";
constexpr const char* kAlertsKey = "alerts";
constexpr const char* kRegisterKey = "register";
constexpr const char* kBuzzerKey = "buzzer";
constexpr const char* kEntryKey = "entry";
constexpr const char* kExitKey = "exit";
constexpr const char* kDuringKey = "during";
constexpr const char* kAcpBlock = "ACP";
constexpr const char* kAcnBlock = "ACN";

// In Field order, from the rule table.
constexpr std::array<const char*, FieldCount> kFieldKeys = [] {
    std::array<const char*, FieldCount> keys{};
    for (std::size_t f = 0; f < FieldCount; ++f) keys[f] = layout::kRules[f].key;
    return keys;
}();

// In Group order.
constexpr std::array<const char*, GroupCount> kGroupKeys{"VMX", "VCH", "RPX", "OSC", "BGL"};

// Each %s of `pattern` takes the next value; inserted values are not scanned again.
// A value quoted back in a message: a file may hold a megabyte in one
// string or number, and the message must stay a line a person reads.
constexpr std::size_t kQuotedMax = 60;
std::string shortened(const std::string& value) {
    if (value.size() <= kQuotedMax) return value;
    std::size_t cut = kQuotedMax;
    while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80) --cut;  // whole characters
    return value.substr(0, cut) + "… (" + std::to_string(value.size()) + " bytes)";
}

// A refusal quotes what the file holds, shortened when long.
std::string quoted(const char* pattern, std::initializer_list<std::string> values) {
    std::string v[2];
    std::size_t n = 0;
    for (const std::string& value : values)
        if (n < 2) v[n++] = shortened(value);
    return vek::fill(pattern, {v[0], v[1]});
}

template <std::size_t N>
std::string listOf(const std::array<std::uint16_t, N>& table, unsigned factor) {
    std::string out;
    for (std::uint16_t v : table) {
        if (!out.empty()) out += ", ";
        out += std::to_string(v * factor);
    }
    return out;
}

// ---------------------------------------------------------------------------
// Writing

void appendQuoted(std::string& out, std::string_view s) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (char c : s) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (u < 0x20) {
                out += "\\u00";
                out += kHex[u >> 4];
                out += kHex[u & 0xF];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

// A box holding a plain number is saved as that number; anything else is
// kept as the text it was, quoted, so the file shows what the form held.
void appendFieldValue(std::string& out, const std::string& text) {
    const bool digits = !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return c >= '0' && c <= '9';
    });
    if (!digits) {
        appendQuoted(out, text);
        return;
    }
    const std::size_t first = std::min(text.find_first_not_of('0'), text.size() - 1);
    out += text.substr(first);
}

template <std::size_t N>
std::string comboValue(int index, const std::array<std::uint16_t, N>& table, unsigned factor) {
    if (index < 0 || static_cast<std::size_t>(index) >= N) return "null";
    return std::to_string(table[static_cast<std::size_t>(index)] * factor);
}

const char* flag(bool ticked) { return ticked ? "true" : "false"; }

// ---------------------------------------------------------------------------
// Reading: a strict JSON parser that remembers where every value starts

struct Refusal {
    FileError error;
};

[[noreturn]] void refuse(int line, std::string field, std::string message) {
    throw Refusal{FileError{line, std::move(field), std::move(message)}};
}

struct Member;

struct Json {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    int line = 0;
    bool boolean = false;
    std::string text;  // a string's content, or a number as written
    std::vector<Json> items;
    std::vector<Member> members;
};

struct Member {
    std::string key;
    int line = 0;
    Json value;
};

// Objects this deep are already far past anything the document holds; the
// bound keeps hostile input from exhausting the stack.
constexpr int kMaxDepth = 32;

class Parser {
public:
    explicit Parser(std::string_view text) : s_(text) {}

    Json document() {
        if (s_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;  // the mark some editors put first
        skipSpace();
        if (atEnd()) refuse(line_, "", text::kFileEmpty);
        Json root = value(0);
        skipSpace();
        if (!atEnd()) fail(text::kFileTrailing);
        return root;
    }

private:
    std::string_view s_;
    std::size_t pos_ = 0;
    int line_ = 1;
    std::string path_;  // the key whose value is being read

    bool atEnd() const { return pos_ >= s_.size(); }
    char peek() const { return s_[pos_]; }

    [[noreturn]] void fail(const char* message) { refuse(line_, path_, message); }

    [[noreturn]] void unexpected() {
        if (atEnd()) fail(text::kFileTruncated);
        const auto c = static_cast<unsigned char>(peek());
        std::string shown;
        if (c >= 0x21 && c < 0x7F) {
            shown = std::string("'") + static_cast<char>(c) + "'";
        } else {
            static constexpr char kHex[] = "0123456789ABCDEF";
            shown = std::string("0x") + kHex[c >> 4] + kHex[c & 0xF];
        }
        refuse(line_, path_, quoted(text::kFileUnexpected, {shown}));
    }

    void skipSpace() {
        while (!atEnd()) {
            const char c = peek();
            if (c == '\n') {
                ++line_;
            } else if (c == '\r') {
                // A lone CR ends a line too; CR LF counts once, at the LF.
                if (pos_ + 1 >= s_.size() || s_[pos_ + 1] != '\n') ++line_;
            } else if (c != ' ' && c != '\t') {
                return;
            }
            ++pos_;
        }
    }

    void expect(char c, const char* message) {
        skipSpace();
        if (atEnd()) fail(text::kFileTruncated);
        if (peek() != c) fail(message);
        ++pos_;
    }

    Json value(int depth) {
        skipSpace();
        if (atEnd()) fail(text::kFileTruncated);
        Json v;
        v.line = line_;
        switch (peek()) {
        case '{':
            if (depth >= kMaxDepth) fail(text::kFileTooDeep);
            v.kind = Json::Kind::Object;
            object(v, depth + 1);
            break;
        case '[':
            if (depth >= kMaxDepth) fail(text::kFileTooDeep);
            v.kind = Json::Kind::Array;
            array(v, depth + 1);
            break;
        case '"':
            v.kind = Json::Kind::String;
            v.text = string();
            break;
        case 't':
            v.kind = Json::Kind::Bool;
            v.boolean = true;
            word("true");
            break;
        case 'f':
            v.kind = Json::Kind::Bool;
            word("false");
            break;
        case 'n':
            word("null");
            break;
        default:
            v.kind = Json::Kind::Number;
            v.text = number();
        }
        return v;
    }

    void object(Json& v, int depth) {
        ++pos_;  // '{'
        const std::string outer = path_;
        std::unordered_map<std::string, int> seen;
        skipSpace();
        if (!atEnd() && peek() == '}') {
            ++pos_;
            return;
        }
        for (;;) {
            skipSpace();
            if (atEnd()) fail(text::kFileTruncated);
            if (peek() != '"') fail(text::kFileExpectedKey);
            Member m;
            m.line = line_;
            m.key = string();
            path_ = outer.empty() ? m.key : outer + "." + m.key;
            if (const auto [it, fresh] = seen.emplace(m.key, m.line); !fresh)
                refuse(m.line, path_, quoted(text::kFileDuplicate, {std::to_string(it->second)}));
            expect(':', text::kFileExpectedColon);
            m.value = value(depth);
            v.members.push_back(std::move(m));
            skipSpace();
            if (atEnd()) fail(text::kFileTruncated);
            if (peek() == ',') {
                ++pos_;
                path_ = outer;
                continue;
            }
            if (peek() != '}') fail(text::kFileExpectedObjectEnd);
            ++pos_;
            path_ = outer;
            return;
        }
    }

    void array(Json& v, int depth) {
        ++pos_;  // '['
        const std::string outer = path_;
        skipSpace();
        if (!atEnd() && peek() == ']') {
            ++pos_;
            return;
        }
        for (;;) {
            path_ = outer + "[" + std::to_string(v.items.size()) + "]";
            v.items.push_back(value(depth));
            skipSpace();
            if (atEnd()) fail(text::kFileTruncated);
            if (peek() == ',') {
                ++pos_;
                continue;
            }
            if (peek() != ']') fail(text::kFileExpectedArrayEnd);
            ++pos_;
            path_ = outer;
            return;
        }
    }

    void word(std::string_view w) {
        for (char c : w) {
            if (atEnd() || peek() != c) unexpected();
            ++pos_;
        }
    }

    std::size_t digits() {
        const std::size_t from = pos_;
        while (!atEnd() && peek() >= '0' && peek() <= '9') ++pos_;
        return pos_ - from;
    }

    // -? (0 | [1-9][0-9]*) (. [0-9]+)? ([eE] [+-]? [0-9]+)?, kept as written.
    std::string number() {
        const std::size_t from = pos_;
        if (!atEnd() && peek() == '-') ++pos_;
        if (atEnd()) fail(text::kFileTruncated);
        if (peek() < '0' || peek() > '9') {
            if (pos_ == from) unexpected();
            fail(text::kFileBadNumber);
        }
        if (peek() == '0') {
            ++pos_;
            if (!atEnd() && peek() >= '0' && peek() <= '9') fail(text::kFileBadNumber);
        } else {
            digits();
        }
        if (!atEnd() && peek() == '.') {
            ++pos_;
            if (digits() == 0) fail(atEnd() ? text::kFileTruncated : text::kFileBadNumber);
        }
        if (!atEnd() && (peek() == 'e' || peek() == 'E')) {
            ++pos_;
            if (!atEnd() && (peek() == '+' || peek() == '-')) ++pos_;
            if (digits() == 0) fail(atEnd() ? text::kFileTruncated : text::kFileBadNumber);
        }
        return std::string(s_.substr(from, pos_ - from));
    }

    unsigned hex4() {
        unsigned v = 0;
        for (int i = 0; i < 4; ++i) {
            if (atEnd()) fail(text::kFileTruncated);
            const char c = peek();
            unsigned d;
            if (c >= '0' && c <= '9') d = static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f') d = static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F') d = static_cast<unsigned>(c - 'A' + 10);
            else fail(text::kFileBadEscape);
            v = v * 16 + d;
            ++pos_;
        }
        return v;
    }

    static void putUtf8(std::string& out, unsigned cp) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    unsigned escapedCodePoint() {
        const unsigned first = hex4();
        if (first >= 0xDC00 && first <= 0xDFFF) fail(text::kFileBadEscape);
        if (first < 0xD800 || first > 0xDBFF) return first;
        // A high surrogate must be followed by its low half.
        if (s_.substr(pos_, 2) != "\\u") fail(atEnd() ? text::kFileTruncated : text::kFileBadEscape);
        pos_ += 2;
        const unsigned second = hex4();
        if (second < 0xDC00 || second > 0xDFFF) fail(text::kFileBadEscape);
        return 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00);
    }

    // One well-formed UTF-8 sequence: no overlong forms, no surrogates,
    // nothing past U+10FFFF.
    void utf8Sequence(std::string& out) {
        const auto lead = static_cast<unsigned char>(peek());
        int more;
        unsigned char lo = 0x80, hi = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            more = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            more = 2;
            if (lead == 0xE0) lo = 0xA0;
            if (lead == 0xED) hi = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            more = 3;
            if (lead == 0xF0) lo = 0x90;
            if (lead == 0xF4) hi = 0x8F;
        } else {
            fail(text::kFileBadUtf8);
        }
        out += static_cast<char>(lead);
        ++pos_;
        for (int i = 0; i < more; ++i) {
            if (atEnd()) fail(text::kFileTruncated);
            const auto c = static_cast<unsigned char>(peek());
            if (c < lo || c > hi) fail(text::kFileBadUtf8);
            lo = 0x80;
            hi = 0xBF;
            out += static_cast<char>(c);
            ++pos_;
        }
    }

    std::string string() {
        ++pos_;  // opening quote
        std::string out;
        for (;;) {
            if (atEnd()) fail(text::kFileTruncated);
            const auto c = static_cast<unsigned char>(peek());
            if (c == '"') {
                ++pos_;
                return out;
            }
            if (c < 0x20) fail(text::kFileControl);
            if (c >= 0x80) {
                utf8Sequence(out);
                continue;
            }
            ++pos_;
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            if (atEnd()) fail(text::kFileTruncated);
            const char e = peek();
            ++pos_;
            switch (e) {
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            case '/': out += '/'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'u': putUtf8(out, escapedCodePoint()); break;
            default: --pos_; fail(text::kFileBadEscape);
            }
        }
    }
};

// ---------------------------------------------------------------------------
// Reading: from the parsed document to the form

std::string pathOf(const std::string& outer, const char* key) {
    return outer.empty() ? std::string(key) : outer + "." + key;
}

void requireObject(const Json& v, const std::string& path) {
    if (v.kind != Json::Kind::Object) refuse(v.line, path, text::kFileWantObject);
}

const Member* find(const Json& object, const char* key) {
    for (const Member& m : object.members)
        if (m.key == key) return &m;
    return nullptr;
}

const Json& require(const Json& object, const std::string& outer, const char* key) {
    const Member* m = find(object, key);
    if (!m) refuse(object.line, pathOf(outer, key), text::kFileMissingKey);
    return m->value;
}

bool boolean(const Json& v, const std::string& path) {
    if (v.kind != Json::Kind::Bool) refuse(v.line, path, text::kFileWantBool);
    return v.boolean;
}

const std::string& integer(const Json& v, const std::string& path) {
    if (v.kind != Json::Kind::Number || v.text.find_first_of(".eE") != std::string::npos)
        refuse(v.line, path, text::kFileWantInteger);
    return v.text;
}

// The combo index whose table value, times `factor`, is written as `literal`.
template <std::size_t N>
int tableIndex(const Json& v, const std::string& path, const std::array<std::uint16_t, N>& table, unsigned factor) {
    const std::string& literal = integer(v, path);
    for (std::size_t i = 0; i < N; ++i)
        if (std::to_string(table[i] * factor) == literal) return static_cast<int>(i);
    refuse(v.line, path, quoted(text::kFileNotOneOf, {literal, listOf(table, factor)}));
}

class Reader {
public:
    FormModel read(const Json& root) {
        requireObject(root, "");
        // The format and its version come first: a newer document may hold
        // keys this one does not know, and that is the better message.
        checkFormat(require(root, "", kFormatKey));
        checkVersion(require(root, "", kVersionKey));

        std::initializer_list<const char*> keys = {kFormatKey, kVersionKey, kPingKey, kA232Key, kB232Key, kAlertsKey};
        std::vector<const char*> all(keys);
        all.insert(all.end(), kFieldKeys.begin(), kFieldKeys.end());
        exactlyOf(root, "", all, [&](std::size_t i, const Json& v, const std::string& path) {
            switch (i) {
            case 0:
            case 1: break;  // checked above
            case 2: form_.ping = tableIndex(v, path, kPingTable, 1); break;
            case 3: form_.a232 = tableIndex(v, path, kBaudTable, 100); break;
            case 4: form_.b232 = tableIndex(v, path, kBaudTable, 100); break;
            case 5: alerts(v, path); break;
            default: {
                const auto f = static_cast<Field>(i - keys.size());
                form_.text[f] = integer(v, path);
                lines_[f] = v.line;
            }
            }
        });
        return form_;
    }

    int lineOf(Field f) const { return lines_[f]; }

private:
    FormModel form_;
    std::array<int, FieldCount> lines_{};

    // Walks an object whose keys are exactly `keys`: the first unknown key in
    // document order is refused, `each(index, value, path)` runs for every
    // member in document order, then the first missing key is refused.
    template <typename Each>
    static void exactlyOf(const Json& object, const std::string& outer, const std::vector<const char*>& keys,
                          Each each) {
        requireObject(object, outer);
        std::vector<bool> present(keys.size(), false);
        for (const Member& m : object.members) {
            const auto it = std::find_if(keys.begin(), keys.end(), [&](const char* k) { return m.key == k; });
            const std::string path = pathOf(outer, m.key.c_str());
            if (it == keys.end()) refuse(m.line, path, text::kFileUnknownKey);
            const auto index = static_cast<std::size_t>(it - keys.begin());
            present[index] = true;
            each(index, m.value, path);
        }
        for (std::size_t i = 0; i < keys.size(); ++i)
            if (!present[i]) refuse(object.line, pathOf(outer, keys[i]), text::kFileMissingKey);
    }

    static void checkFormat(const Json& v) {
        if (v.kind != Json::Kind::String) refuse(v.line, kFormatKey, text::kFileWantText);
        if (v.text != kFormatName) refuse(v.line, kFormatKey, quoted(text::kFileWrongFormat, {v.text, kFormatName}));
    }

    static void checkVersion(const Json& v) {
        const std::string& literal = integer(v, kVersionKey);
        const std::string current = std::to_string(kFormatVersion);
        if (literal == current) return;
        // A larger number, however many digits it has, is a later version.
        const bool later = literal.size() > current.size() || (literal.size() == current.size() && literal > current);
        if (literal[0] != '-' && later)
            refuse(v.line, kVersionKey, quoted(text::kFileNewerVersion, {literal, current}));
        refuse(v.line, kVersionKey, quoted(text::kFileUnknownVersion, {literal}));
    }

    void alerts(const Json& v, const std::string& path) {
        std::vector<const char*> keys{kAcpBlock, kAcnBlock};
        keys.insert(keys.end(), kGroupKeys.begin(), kGroupKeys.end());
        exactlyOf(v, path, keys, [&](std::size_t i, const Json& block, const std::string& blockPath) {
            if (i == 0) pair(block, blockPath, form_.evAcp, form_.bzAcp);
            else if (i == 1) pair(block, blockPath, form_.evAcn, form_.bzAcn);
            else group(block, blockPath, static_cast<Group>(i - 2));
        });
    }

    static void pair(const Json& v, const std::string& path, bool& reg, bool& buzzer) {
        exactlyOf(v, path, {kRegisterKey, kBuzzerKey}, [&](std::size_t i, const Json& b, const std::string& p) {
            (i == 0 ? reg : buzzer) = boolean(b, p);
        });
    }

    void group(const Json& v, const std::string& path, Group g) {
        bool evIn = false, evOut = false;
        std::array<bool, 3> buzzer{};  // entry, exit, during
        exactlyOf(v, path, {kRegisterKey, kBuzzerKey}, [&](std::size_t i, const Json& part, const std::string& p) {
            if (i == 0) {
                exactlyOf(part, p, {kEntryKey, kExitKey}, [&](std::size_t j, const Json& b, const std::string& q) {
                    (j == 0 ? evIn : evOut) = boolean(b, q);
                });
                return;
            }
            exactlyOf(part, p, {kEntryKey, kExitKey, kDuringKey},
                      [&](std::size_t j, const Json& b, const std::string& q) { buzzer[j] = boolean(b, q); });
            // The record's buzzer digit cannot say "during" with either of
            // the others; a form never shows it, so neither may a file.
            if (buzzer[2] && (buzzer[0] || buzzer[1])) refuse(part.line, p, text::kFileCoupling);
        });
        form_.setRegister(g, evIn, evOut);
        form_.setBuzzer(g, Buzzer::In, buzzer[0]);
        form_.setBuzzer(g, Buzzer::Out, buzzer[1]);
        form_.setBuzzer(g, Buzzer::During, buzzer[2]);
    }
};

}  // namespace

std::string toJson(const FormModel& form) {
    std::string out = "{\n";
    out += "  \"" + std::string(kFormatKey) + "\": ";
    appendQuoted(out, kFormatName);
    out += ",\n  \"" + std::string(kVersionKey) + "\": " + std::to_string(kFormatVersion) + ",\n";
    out += "  \"" + std::string(kPingKey) + "\": " + comboValue(form.ping, kPingTable, 1) + ",\n";
    out += "  \"" + std::string(kA232Key) + "\": " + comboValue(form.a232, kBaudTable, 100) + ",\n";
    out += "  \"" + std::string(kB232Key) + "\": " + comboValue(form.b232, kBaudTable, 100) + ",\n";
    for (int f = 0; f < FieldCount; ++f) {
        out += "  \"" + std::string(kFieldKeys[f]) + "\": ";
        appendFieldValue(out, form.text[f]);
        out += ",\n";
    }
    out += "  \"" + std::string(kAlertsKey) + "\": {\n";
    auto pairLine = [&](const char* block, bool reg, bool buzzer) {
        out += "    \"" + std::string(block) + "\": {\"" + kRegisterKey + "\": " + flag(reg) + ", \"" + kBuzzerKey +
               "\": " + flag(buzzer) + "},\n";
    };
    pairLine(kAcpBlock, form.evAcp, form.bzAcp);
    pairLine(kAcnBlock, form.evAcn, form.bzAcn);
    for (int i = 0; i < GroupCount; ++i) {
        const EventBoxes& b = form.group(Group(i));
        out += "    \"" + std::string(kGroupKeys[i]) + "\": {\n";
        out += "      \"" + std::string(kRegisterKey) + "\": {\"" + kEntryKey + "\": " + flag(b.evIn) + ", \"" +
               kExitKey + "\": " + flag(b.evOut) + "},\n";
        out += "      \"" + std::string(kBuzzerKey) + "\": {\"" + kEntryKey + "\": " + flag(b.bzIn) + ", \"" +
               kExitKey + "\": " + flag(b.bzOut) + ", \"" + kDuringKey + "\": " + flag(b.bzWh) + "}\n";
        out += i + 1 < GroupCount ? "    },\n" : "    }\n";
    }
    out += "  }\n}\n";
    return out;
}

std::variant<FormModel, FileError> fromJson(std::string_view text) {
    try {
        const Json root = Parser(text).document();
        Reader reader;
        FormModel form = reader.read(root);
        // The same judgement as "CONFIGURAR": a file loads only as a form
        // that could be written.
        Image image{};
        if (const auto fault = encode(form, image)) {
            // The combos were already matched against their tables, so a
            // fault here is always about an edit box.
            const int line = fault->field < FieldCount ? reader.lineOf(fault->field) : 0;
            const std::string key = fault->field < FieldCount ? kFieldKeys[fault->field] : fault->name;
            std::string message = faultMessage(*fault);
            if (const std::string allowed = allowedText(*fault); !allowed.empty()) message += "\r\n" + allowed;
            return FileError{line, key, message, FileError::Kind::Refused, fault->value};
        }
        return form;
    } catch (const Refusal& r) {
        return r.error;
    }
}

std::string describe(const FileError& error) {
    std::string out;
    if (error.line > 0) out += quoted(text::kFileLine, {std::to_string(error.line)});
    if (!error.field.empty()) out += quoted(text::kFileField, {error.field});
    out += error.message;
    // One line: every run of line breaks or other control characters becomes
    // a single space.
    std::string line;
    line.reserve(out.size());
    bool gap = false;
    for (char c : out) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            if (!gap) line += ' ';
            gap = true;
        } else {
            line += c;
            gap = false;
        }
    }
    return line;
}

}  // namespace vek::config
