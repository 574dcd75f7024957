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

#include <string>

namespace vek {

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
