#pragma once
// The language every text is shown in, chosen once at start: --lang, else
// the setting, else the system's. English where the system speaks English;
// everywhere else, C and POSIX included, Portuguese, the tool's own, so that
// scripts and unattended machines see the same words whatever they run on.

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <optional>

#include "text/text.h"

namespace vek {

enum class Language { Portuguese, English };

// "pt" or "en", as --lang and the setting spell them.
std::optional<Language> languageNamed(const QString& name);
QString languageName(Language language);

// From the locale variables the system reads messages by (LC_ALL,
// LC_MESSAGES, LANG): English for en and en_*, Portuguese otherwise.
Language systemLanguage();

// The setting both programs read: "language" in the settings file, pt or en.
inline constexpr const char* kLanguageSetting = "options/language";

struct LanguageChoice {
    Language language = Language::Portuguese;
    // A --lang value that is neither pt nor en; the choice then falls back
    // as if none were given.
    QString wrongValue;
    bool missingValue = false;
};

// Takes --lang X and --lang=X out of arguments (the first is the program)
// and decides. The setting is read from the application's settings file, so
// the application name must be set.
LanguageChoice chooseLanguage(QStringList& arguments);

// Loads the tool's translations and Qt's own for language into the running
// application and makes its locale the default. Needs a QCoreApplication.
void useLanguage(Language language);
Language currentLanguage();

// Qt's own words (buttons, file dialogs, the command-line parser) for
// language; false when Qt's translations are not installed.
bool loadQtTranslations(Language language);

// A text of ours in the chosen language (header-only, so that the records,
// below the controller, use it too).
inline QString translated(Text text) { return QCoreApplication::translate(text.context, text.source); }

}  // namespace vek
