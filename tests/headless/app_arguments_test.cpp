// The window's program asked from a terminal: the real vektool process,
// often on a machine with no display at all. What it answers must come
// before any window, in Portuguese, and a mistyped option must open nothing.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "update/core/version_record.h"

namespace vek::testing {
namespace {

struct AppRun {
    int exitCode = -1;
    QString out;
    QString err;
    bool finished = false;
};

class AppArgumentsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
        env.insert("HOME", home.path());
        env.insert("XDG_DATA_HOME", home.filePath("data"));
        env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    }

    // A window that opened would keep the process running: the wait ends it
    // and the run counts as not finished.
    AppRun run(const QStringList& args, int ms = 10000) const {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(VEKTOOL_APP), args);
        AppRun r;
        r.finished = p.waitForStarted(5000) && p.waitForFinished(ms);
        if (!r.finished) p.kill(), p.waitForFinished(2000);
        r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

    QTemporaryDir home;
    QProcessEnvironment env;
};

// The help and the manual page come from one table: every option the page
// lists is in the help with the same words, in both languages, and no other.
TEST_F(AppArgumentsTest, HelpListsTheManualPagesOptionsInItsWords) {
    for (const char* lang : {"pt", "en"}) {
        SCOPED_TRACE(lang);
        const AppRun page = run({"--lang", lang, QStringLiteral("--reference=markdown"),
                                 QStringLiteral(VEK_REFERENCE_DIR "/vektool.%1.md").arg(QLatin1String(lang))});
        ASSERT_TRUE(page.finished);
        ASSERT_EQ(page.exitCode, 0) << page.err.toStdString();
        const AppRun help = run({"--lang", lang, "--help"});
        ASSERT_TRUE(help.finished);
        ASSERT_EQ(help.exitCode, 0) << help.err.toStdString();
        // The help's option lines, each with its wrapped description joined up.
        const qsizetype from = help.out.indexOf(QLatin1String(":\n  -"));
        const qsizetype to = help.out.indexOf(QLatin1String("\n\n"), from);
        ASSERT_GT(from, 0) << help.out.toStdString();
        QString listed = help.out.mid(from + 2, to - from - 2);
        listed.replace(QRegularExpression(QStringLiteral("\n {4,}")), QStringLiteral(" "));
        QStringList helpLines = listed.split(QLatin1Char('\n'));
        for (QString& l : helpLines) l = l.simplified();

        static const QRegularExpression row(QStringLiteral("^\\| (`-.*`) \\| (.*) \\|$"));
        QStringList pageLines;
        for (const QString& line : page.out.split(QLatin1Char('\n'))) {
            const QRegularExpressionMatch m = row.match(line);
            if (!m.hasMatch()) continue;
            QString names = m.captured(1);
            names.remove(QLatin1Char('`')).replace(QLatin1String("\\|"), QLatin1String("|"));
            pageLines << (names + QLatin1Char(' ') + m.captured(2)).simplified();
        }
        EXPECT_GE(pageLines.size(), 6);
        EXPECT_EQ(helpLines, pageLines);
    }
}

TEST_F(AppArgumentsTest, HelpAndVersionAnswerWithoutADisplay) {
    for (const QString& option : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        const AppRun help = run({option});
        ASSERT_TRUE(help.finished) << option.toStdString();
        EXPECT_EQ(help.exitCode, 0) << help.err.toStdString();
        EXPECT_TRUE(help.err.isEmpty()) << help.err.toStdString();
        for (const QString& part : {QStringLiteral("Uso: vektool [--station | --records [--db URL]]"),
                                    QStringLiteral("--station"), QStringLiteral("--records [--db URL]"),
                                    QString::fromUtf8("estação de produção"), QStringLiteral("--version"),
                                    QStringLiteral("vektool-cli --help"), QStringLiteral("man vektool")})
            EXPECT_TRUE(help.out.contains(part)) << part.toStdString() << "\n" << help.out.toStdString();
        // The files named are the ones this user's window keeps, not a fixed
        // guess of where they might be.
        const QString data = home.filePath("data/VekTool");
        for (const QString& file :
             {data + "/logs/vektool-AAAA-MM-DD.log", home.filePath("config/VekTool.conf"), data + "/records.sqlite",
              data + "/backups/<identificador>/"})
            EXPECT_TRUE(help.out.contains(file)) << file.toStdString() << "\n" << help.out.toStdString();
    }

    const AppRun version = run({"--version"});
    ASSERT_TRUE(version.finished);
    EXPECT_EQ(version.exitCode, 0);
    const update::Release& r = update::toolVersion;
    EXPECT_EQ(version.out, QStringLiteral("vektool %1.%2.%3\n").arg(r.major).arg(r.minor).arg(QChar(r.revision)));

    // Help wins over the station: nothing opens.
    const AppRun both = run({"--station", "--help"});
    EXPECT_EQ(both.exitCode, 0);
    EXPECT_TRUE(both.out.startsWith("Uso: vektool"));

    // Without an option the window is wanted, and without a display that is
    // said in Portuguese with the way out.
    const AppRun window = run({});
    ASSERT_TRUE(window.finished);
    EXPECT_EQ(window.exitCode, 1);
    EXPECT_TRUE(window.out.isEmpty());
    EXPECT_TRUE(window.err.startsWith(QString::fromUtf8("vektool: nenhuma tela encontrada")))
        << window.err.toStdString();
    EXPECT_TRUE(window.err.contains("xvfb-run -a vektool")) << window.err.toStdString();
}

TEST_F(AppArgumentsTest, WrongArgumentsAreRefusedBeforeAnyWindow) {
    // With a display a wrong argument must still open nothing: a window
    // would keep the process alive past the wait.
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("VEKTOOL_UPDATE_BASE", "http://127.0.0.1:9");
    const struct {
        QStringList args;
        const char* said;
    } cases[] = {
        {{"--bogus"}, "vektool: opção desconhecida: --bogus\n"},
        {{"--station", "--frobnicate"}, "vektool: opção desconhecida: --frobnicate\n"},
        {{"config.json"}, "vektool: opção desconhecida: config.json\n"},
        {{"-version"}, "vektool: opção desconhecida: -version\n"},
        {{"-style"}, "vektool: falta o valor de -style\n"},
    };
    for (const auto& c : cases) {
        const AppRun r = run(c.args);
        const std::string what = c.args.join(' ').toStdString();
        ASSERT_TRUE(r.finished) << what << ": a window opened";
        EXPECT_EQ(r.exitCode, 2) << what;
        EXPECT_TRUE(r.out.isEmpty()) << what;
        EXPECT_TRUE(r.err.startsWith(QString::fromUtf8(c.said))) << what << "\n" << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("vektool --help")) << what;
    }
}

TEST_F(AppArgumentsTest, QtOwnOptionsAreLeftToQt) {
    for (const QStringList& args : {QStringList{"-platform", "offscreen", "--version"},
                                    QStringList{"-style=fusion", "-reverse", "--version"},
                                    QStringList{"--style", "fusion", "--version"}}) {
        const AppRun r = run(args);
        EXPECT_EQ(r.exitCode, 0) << args.join(' ').toStdString() << "\n" << r.err.toStdString();
        EXPECT_TRUE(r.out.startsWith("vektool ")) << args.join(' ').toStdString();
    }
    // Qt is given its platform on the command line: no display is needed and
    // the window opens (and keeps running until the wait ends it).
    env.insert("VEKTOOL_UPDATE_BASE", "http://127.0.0.1:9");
    const AppRun window = run({"-platform", "offscreen"}, 3000);
    EXPECT_FALSE(window.finished) << window.exitCode << "\n" << window.err.toStdString();
}

}  // namespace
}  // namespace vek::testing
