#pragma once
// A text the user reads: its Portuguese source and the context translators
// find it under. The core stays free of Qt, so it only carries the pair; the
// layer above installs how a pair becomes the chosen language, and until it
// does (the core's own tests, a tool run in Portuguese) a text reads as its
// source.
//
// VEK_TR is the mark lupdate looks for (-tr-function-alias
// QT_TRANSLATE_NOOP+=VEK_TR): every text declared with it lands in the
// translation files under its context.

#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

namespace vek {

// One value put into a text: made from what the code holds (a number, a
// string), turned into words here, by its type, so that a translation can
// only ever move or drop a value, never read memory that is not there.
class Arg {
public:
    Arg(std::string_view text) : text_(text) {}  // NOLINT: any string-like value
    Arg(const std::string& text) : text_(text) {}  // NOLINT
    Arg(const char* text) : text_(text ? text : "") {}  // NOLINT
    template <class N, std::enable_if_t<std::is_integral_v<N> && !std::is_same_v<N, char> && !std::is_same_v<N, bool>, int> = 0>
    Arg(N number) : text_(std::to_string(number)) {}  // NOLINT
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// `pattern` with %1 to %9 replaced by the values, in any order and as often
// as the pattern names them; a placeholder with no value stays as written,
// and a value the pattern does not name is left out. Nothing else in the
// pattern is read as a directive ("100%" stays "100%").
std::string fill(std::string_view pattern, std::initializer_list<Arg> values);
inline std::string fill(const char* pattern, std::initializer_list<Arg> values) {
    return fill(std::string_view(pattern), values);
}
// Two upper-case hexadecimal digits ("0A"), for a byte in a text.
std::string hexByte(unsigned value);

struct Text {
    const char* context;
    const char* source;

    // The text in the chosen language, valid for the life of the program.
    operator const char*() const;  // NOLINT(google-explicit-constructor): a text reads as a C string
    operator std::string() const { return static_cast<const char*>(*this); }  // NOLINT: as above
    const char* c_str() const { return *this; }

    friend bool operator==(const std::string& a, const Text& b) { return a == b.c_str(); }
};

// Returns the translation of source under context, or source itself; what it
// returns must stay valid for the life of the program.
using Translate = const char* (*)(const char* context, const char* source);
void setTranslate(Translate translate);

}  // namespace vek

#define VEK_TR(context, text) (::vek::Text{context, text})
