#include "text/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMutex>
#include <QSettings>
#include <QTranslator>
#include <map>
#include <string>
#include <utility>

namespace vek {

namespace {

Language chosen = Language::Portuguese;

bool localeIsEnglish(const QString& locale) {
    return locale == QLatin1String("en") || locale.startsWith(QLatin1String("en_")) ||
           locale.startsWith(QLatin1String("en."));
}

// The core reads its texts as C strings: each translation is kept once, for
// the life of the program, under the address of its source.
const char* translateForCore(const char* context, const char* source) {
    static QMutex mutex;
    static std::map<std::pair<const char*, const char*>, std::string> kept;
    const QByteArray utf8 = QCoreApplication::translate(context, source).toUtf8();
    if (utf8 == source) return source;
    QMutexLocker lock(&mutex);
    auto [it, added] = kept.try_emplace({context, source}, utf8.toStdString());
    return it->second.c_str();
}

}  // namespace

std::optional<Language> languageNamed(const QString& name) {
    if (name == QLatin1String("pt")) return Language::Portuguese;
    if (name == QLatin1String("en")) return Language::English;
    return std::nullopt;
}

QString languageName(Language language) {
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("pt");
}

Language systemLanguage() {
#if defined(Q_OS_UNIX)
    // The first of these that is set decides, as it does for every program's
    // messages; none set is the C locale.
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty()) return localeIsEnglish(value) ? Language::English : Language::Portuguese;
    }
    return Language::Portuguese;
#else
    return QLocale::system().language() == QLocale::English ? Language::English : Language::Portuguese;
#endif
}

LanguageChoice chooseLanguage(QStringList& arguments) {
    LanguageChoice choice;
    std::optional<Language> given;
    for (qsizetype i = 1; i < arguments.size();) {
        const QString argument = arguments[i];
        if (argument == QLatin1String("--lang")) {
            arguments.removeAt(i);
            if (i >= arguments.size()) {
                choice.missingValue = true;
                continue;
            }
            const QString value = arguments.takeAt(i);
            given = languageNamed(value);
            if (!given) choice.wrongValue = value;
            continue;
        }
        if (argument.startsWith(QLatin1String("--lang="))) {
            arguments.removeAt(i);
            const QString value = argument.mid(7);
            given = languageNamed(value);
            if (!given) choice.wrongValue = value;
            continue;
        }
        ++i;
    }
    if (given) {
        choice.language = *given;
        return choice;
    }
    const QSettings settings(QCoreApplication::applicationName());
    if (const auto set = languageNamed(settings.value(QLatin1String(kLanguageSetting)).toString())) {
        choice.language = *set;
        return choice;
    }
    choice.language = systemLanguage();
    return choice;
}

bool loadQtTranslations(Language language) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    const QString name = language == Language::English ? QStringLiteral("qtbase_en") : QStringLiteral("qtbase_pt_BR");
    if (!translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

void useLanguage(Language language) {
    chosen = language;
    QLocale::setDefault(language == Language::English ? QLocale(QLocale::English, QLocale::UnitedStates)
                                                      : QLocale(QLocale::Portuguese, QLocale::Brazil));
    // Qt's own words in English are its sources, so only Portuguese needs them.
    if (language == Language::Portuguese) loadQtTranslations(language);
    // Chosen again (a test walking both languages): the other one's words go.
    static QTranslator* ours = nullptr;
    if (ours) {
        QCoreApplication::removeTranslator(ours);
        delete ours;
        ours = nullptr;
    }
    if (language == Language::English) {
        ours = new QTranslator(QCoreApplication::instance());
        if (ours->load(QStringLiteral(":/i18n/vektool_en.qm"))) {
            QCoreApplication::installTranslator(ours);
        } else {
            delete ours;
            ours = nullptr;
        }
    }
    setTranslate(&translateForCore);
}

Language currentLanguage() { return chosen; }

}  // namespace vek
