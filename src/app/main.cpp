#include <QApplication>
#include <QFile>
#include <QDir>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <cstdio>
#include <exception>

#include "app/app_texts.h"
#include "app/main_window.h"
#include "app/station_window.h"
#include "app/message_box.h"
#include "app/records_viewer.h"
#include "app/records_viewer_texts.h"
#include "text/language.h"
#include "unit/reference.h"
#include "update/core/version_record.h"

namespace {

// An error that escapes a handler is shown, and the tool goes on running.
class VekApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            vek::app::openBox({vek::app::exceptionText(e), applicationName(), QMessageBox::Critical, QMessageBox::Ok});
        } catch (...) {
            vek::app::openBox({vek::translated(vek::app::texts::kUnknownError), applicationName(), QMessageBox::Critical, QMessageBox::Ok});
        }
        return false;
    }
};

bool displayAvailable() {
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

void print(std::FILE* out, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), out);
    std::fflush(out);
}

enum class Launch { Window, Station, Records, Help, Version, Reference, Wrong };

struct Request {
    Launch launch = Launch::Window;
    QString error;
    bool platformGiven = false;  // "-platform offscreen" needs no display
    QString db{};                // --records --db URL; empty: the local file
};

// Qt's own options are QApplication's to take; they are let through so that
// "vektool -style fusion" or "-platform offscreen" keep working.
const QStringList kQtOptionsWithValue{
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon", "qwindowtitle",
    "session",  "display",            "geometry",      "style",  "stylesheet",      "qmljsdebugger", "name",
    "title"};
const QStringList kQtFlags{"reverse", "widgetcount", "nograb", "dograb", "sync"};

// Read from argv before any QApplication exists: --help and --version must
// answer where no display is, and a mistyped option must not open a window.
Request readArguments(const QStringList& arguments) {
    Request request;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) return {Launch::Help, {}};
        if (argument == QLatin1String("--version")) return {Launch::Version, {}};
        if (argument.startsWith(QLatin1String("--reference="))) return {Launch::Reference, {}};
        if (argument == QLatin1String("--station")) {
            request.launch = Launch::Station;
            continue;
        }
        if (argument == QLatin1String("--records")) {
            request.launch = Launch::Records;
            continue;
        }
        if (argument == QLatin1String("--db") || argument.startsWith(QLatin1String("--db="))) {
            if (argument == QLatin1String("--db") && i + 1 >= arguments.size())
                return {Launch::Wrong, vek::translated(vek::app::texts::kAppMissingValue).arg(argument)};
            request.db = argument == QLatin1String("--db") ? arguments[++i] : argument.mid(5);
            continue;
        }
        QString name = argument.startsWith(QLatin1String("--")) ? argument.mid(2)
                       : argument.startsWith(QLatin1Char('-'))  ? argument.mid(1)
                                                                : QString();
        const bool inlineValue = name.contains(QLatin1Char('='));
        name = name.section(QLatin1Char('='), 0, 0);
        if (!name.isEmpty() && kQtFlags.contains(name) && !inlineValue) continue;
        if (!name.isEmpty() && kQtOptionsWithValue.contains(name)) {
            request.platformGiven = request.platformGiven || name == QLatin1String("platform");
            if (!inlineValue && ++i >= arguments.size())
                return {Launch::Wrong, vek::translated(vek::app::texts::kAppMissingValue).arg(argument)};
            continue;
        }
        return {Launch::Wrong, vek::translated(vek::app::texts::kAppUnknownArgument).arg(argument)};
    }
    if (!request.db.isEmpty() && request.launch != Launch::Records)
        return {Launch::Wrong, vek::translated(vek::app::texts::kViewerDbWithoutRecords)};
    return request;
}

// The window's options, for its help and its manual page alike.
struct AppOption {
    const char* names;
    const char* value;
    vek::Text description;
};
const AppOption kAppOptions[] = {
    {"station", "", VEK_TR("app", "abre só a estação de produção: vários Vek ao mesmo tempo, cada um gravado com a configuração escolhida e registrado")},
    {"records", "", VEK_TR("app", "abre os registros de produção (rendimento, motivos, execuções)")},
    {"db", "URL", VEK_TR("app", "com --records: o banco dos registros, postgresql://usuário@máquina:porta/banco")},
    {"lang", "pt|en", VEK_TR("app", "o idioma da janela: pt (português) ou en (inglês); sem ela, vale a preferência language, depois o idioma do sistema (en_* dá inglês; qualquer outro, português)")},
    {"h help", "", VEK_TR("app", "mostra esta ajuda")},
    {"version", "", VEK_TR("app", "mostra a versão")},
};
const QString kAppUsageLine = QStringLiteral("[--station | --records [--db URL]] [--lang pt|en]");

QList<vek::reference::Option> appOptions() {
    QList<vek::reference::Option> options;
    for (const AppOption& o : kAppOptions)
        options << vek::reference::Option{QString::fromLatin1(o.names).split(QLatin1Char(' ')), QLatin1String(o.value),
                                          vek::translated(o.description), {}};
    return options;
}

QString usage() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QString settings = QSettings(QCoreApplication::applicationName()).fileName();
    return vek::translated(vek::app::texts::kAppUsageHead).arg(kAppUsageLine) +
           vek::reference::optionsHelp(appOptions()) +
           vek::translated(vek::app::texts::kAppUsageTail)
               .arg(QDir::toNativeSeparators(data), QDir::toNativeSeparators(settings));
}

// vektool --reference=man|markdown PAGE: the manual page, made as the
// command line's is (see unit/reference.h).
int printReference(const QStringList& arguments) {
    const QString format = arguments.filter(QStringLiteral("--reference=")).value(0).mid(12);
    const qsizetype at = arguments.indexOf(QStringLiteral("--reference=") + format);
    vek::reference::Program program;
    program.name = QStringLiteral("vektool");
    const vek::update::Release& r = vek::update::toolVersion;
    program.version = QStringLiteral("%1.%2.%3").arg(r.major).arg(r.minor).arg(QChar(r.revision));
    program.usages << kAppUsageLine << QStringLiteral("--help | --version");
    const bool english = vek::currentLanguage() == vek::Language::English;
    int missing = 0;
    for (const AppOption& o : kAppOptions) {
        const QString description = vek::translated(o.description);
        if (description.isEmpty() || (english && description == QString::fromUtf8(o.description.source))) {
            print(stderr, QStringLiteral("vektool: --%1: %2\n").arg(QLatin1String(o.names), QString::fromUtf8(o.description.source)));
            ++missing;
        }
    }
    program.options = appOptions();
    if (missing) return 1;
    if (format == QLatin1String("check")) return 0;
    QFile file(arguments.value(at + 1));
    if (!file.open(QIODevice::ReadOnly)) {
        print(stderr, QStringLiteral("vektool: %1: %2\n").arg(file.fileName(), file.errorString()));
        return 2;
    }
    const vek::reference::Words words{vek::translated(VEK_TR("cli", "Sinopse")), {}, vek::translated(VEK_TR("cli", "Opções")), {}, {},
                                      vek::translated(VEK_TR("cli", "opção")), {}, vek::translated(VEK_TR("cli", "significado")), {}};
    const vek::reference::Rendered made = vek::reference::render(
        format == QLatin1String("man") ? vek::reference::Format::Man : vek::reference::Format::Markdown, program, words,
        QString::fromUtf8(file.readAll()));
    if (!made.error.isEmpty() || (format != QLatin1String("man") && format != QLatin1String("markdown"))) {
        print(stderr, QStringLiteral("vektool: %1: %2\n").arg(file.fileName(), made.error.isEmpty() ? format : made.error));
        return 2;
    }
    print(stdout, made.text);
    return 0;
}

QString version() {
    const vek::update::Release& r = vek::update::toolVersion;
    return QStringLiteral("vektool %1.%2.%3").arg(r.major).arg(r.minor).arg(QChar(r.revision));
}

}  // namespace

int main(int argc, char** argv) {
    // The window and the command line share one data folder (the records,
    // the daily log) and the window keeps its settings under the same name.
    // Set before the arguments are read, so the help names the real files.
    QCoreApplication::setApplicationName(QStringLiteral("VekTool"));
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const vek::LanguageChoice language = vek::chooseLanguage(arguments);
    const auto read = [&] {
        if (language.missingValue)
            return Request{Launch::Wrong, vek::translated(vek::app::texts::kAppMissingValue).arg(QStringLiteral("--lang"))};
        if (!language.wrongValue.isEmpty())
            return Request{Launch::Wrong, vek::translated(vek::app::texts::kAppBadLanguage).arg(language.wrongValue)};
        return readArguments(arguments);
    };
    const Request request = read();
    const bool windowed = request.launch == Launch::Window || request.launch == Launch::Station ||
                        request.launch == Launch::Records;
    if (!windowed || (!request.platformGiven && !displayAvailable())) {
        // What is printed here is worded in the chosen language, and the
        // translations live in an application: one that needs no display.
        QCoreApplication words(argc, argv);
        vek::useLanguage(language.language);
        const Request worded = read();
        switch (worded.launch) {
        case Launch::Help:
            print(stdout, usage());
            return 0;
        case Launch::Version:
            print(stdout, version() + QLatin1Char('\n'));
            return 0;
        case Launch::Reference:
            return printReference(arguments);
        case Launch::Wrong:
            print(stderr, QStringLiteral("vektool: %1\n%2\n")
                              .arg(worded.error, vek::translated(vek::app::texts::kAppSeeHelp)));
            return 2;
        case Launch::Window:
        case Launch::Station:
        case Launch::Records:
            break;
        }
        print(stderr, QStringLiteral("vektool: %1\n").arg(vek::translated(vek::app::texts::kAppNoDisplay)));
        return 1;
    }
    VekApplication app(argc, argv);
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.example.vektool"));
    vek::useLanguage(language.language);
    // vektool --station: the production station alone, on every port that appears.
    if (request.launch == Launch::Station) {
        vek::app::StationWindow::withRememberedRecords()->show();
        return app.exec();
    }
    // vektool --records [--db URL]: the production records alone.
    if (request.launch == Launch::Records) {
        vek::app::openRecordsViewer(nullptr, request.db);
        return app.exec();
    }
    vek::app::MainWindow window;
    window.show();
    return app.exec();
}
