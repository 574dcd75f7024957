// Which language the two programs speak: the real processes, asked from a
// terminal with the locale, the setting and --lang in every combination
// that decides.

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

namespace {

struct ProgramRun {
    int exitCode = -1;
    QString out, err;
};

class LanguageChoiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LC_ALL", "LC_MESSAGES", "LANG",
                                 "LANGUAGE"})
            env.remove(name);
        env.insert("HOME", home.path());
        env.insert("XDG_DATA_HOME", home.filePath("data"));
        env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    }

    ProgramRun run(const char* program, const QStringList& args, const QStringList& locale = {}) const {
        QProcessEnvironment e = env;
        for (const QString& pair : locale) e.insert(pair.section('=', 0, 0), pair.section('=', 1));
        QProcess p;
        p.setProcessEnvironment(e);
        p.start(QString::fromUtf8(program), args);
        ProgramRun r;
        if (!p.waitForStarted(5000) || !p.waitForFinished(10000)) {
            p.kill();
            p.waitForFinished(2000);
            return r;
        }
        r.exitCode = p.exitCode();
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

    void setLanguage(const QString& value) const {
        QSettings settings(home.filePath("config/VekTool.conf"), QSettings::IniFormat);
        settings.setValue("options/language", value);
    }

    QTemporaryDir home;
    QProcessEnvironment env;
};

TEST_F(LanguageChoiceTest, LocaleSettingAndOptionDecideInThatRisingOrder) {
    struct Case {
        const char* why;
        QStringList locale;
        QString setting;
        QStringList args;
        bool english;
    };
    const Case cases[] = {
        {"nothing set is the C locale", {}, {}, {}, false},
        {"C", {"LANG=C"}, {}, {}, false},
        {"POSIX", {"LC_ALL=POSIX"}, {}, {}, false},
        {"a Brazilian system", {"LANG=pt_BR.UTF-8"}, {}, {}, false},
        {"a German system speaks Portuguese", {"LANG=de_DE.UTF-8"}, {}, {}, false},
        {"an English system", {"LANG=en_US.UTF-8"}, {}, {}, true},
        {"British", {"LANG=en_GB"}, {}, {}, true},
        {"LC_ALL over LANG", {"LANG=en_US.UTF-8", "LC_ALL=pt_BR.UTF-8"}, {}, {}, false},
        {"LC_MESSAGES over LANG", {"LANG=pt_BR.UTF-8", "LC_MESSAGES=en_US.UTF-8"}, {}, {}, true},
        {"the setting over the locale", {"LANG=pt_BR.UTF-8"}, "en", {}, true},
        {"an unknown setting is ignored", {"LANG=en_US.UTF-8"}, "fr", {}, true},
        {"--lang over the setting", {}, "en", {"--lang", "pt"}, false},
        {"--lang= over the locale", {"LANG=en_US.UTF-8"}, {}, {"--lang=pt"}, false},
        {"--lang en on a C system", {"LANG=C"}, {}, {"--lang", "en"}, true},
    };
    for (const Case& c : cases) {
        QFile::remove(home.filePath("config/VekTool.conf"));
        if (!c.setting.isEmpty()) setLanguage(c.setting);
        const ProgramRun cli = run(VEKTOOL_CLI, QStringList(c.args) << "--help", c.locale);
        EXPECT_EQ(cli.exitCode, 0) << c.why << cli.err.toStdString();
        EXPECT_EQ(cli.out.startsWith("Usage: vektool-cli"), c.english) << c.why << cli.out.left(60).toStdString();
        const ProgramRun app = run(VEKTOOL_APP, QStringList(c.args) << "--help", c.locale);
        EXPECT_EQ(app.exitCode, 0) << c.why << app.err.toStdString();
        EXPECT_EQ(app.out.startsWith("Usage: vektool"), c.english) << c.why << app.out.left(60).toStdString();
    }
}

TEST_F(LanguageChoiceTest, CommandLineInEnglishHelpsAndRefusesInEnglish) {
    const ProgramRun help = run(VEKTOOL_CLI, {"--lang", "en", "write", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: vektool-cli write [options]")) << help.out.toStdString();
    for (const char* part : {"Options:", "configuration file (JSON)", "--file <FILE>", "shows this help"})
        EXPECT_TRUE(help.out.contains(QString::fromUtf8(part))) << part << "\n" << help.out.toStdString();

    const ProgramRun wrong = run(VEKTOOL_CLI, {"write", "--lang=en", "--bogus"});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_EQ(wrong.err, "vektool-cli: unknown option: --bogus\n'vektool-cli write --help' shows the options\n");

    // A file the core refuses: its words come from the core, in English too.
    QFile file(home.filePath("bad.json"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\n  \"format\": \"vektool-config\",\n");
    file.close();
    const ProgramRun bad = run(VEKTOOL_CLI, {"validate", "--lang", "en", "--file", file.fileName()});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_TRUE(bad.err.contains("the text ends before the end of the document")) << bad.err.toStdString();

    // The stored words stay what scripts read, whatever the language.
    const ProgramRun records = run(VEKTOOL_CLI, {"records", "--lang", "en", "--verdict", "aprovado"});
    EXPECT_EQ(records.exitCode, 2);
    EXPECT_TRUE(records.err.contains("--verdict takes passed, failed, interrupted or running: aprovado"))
        << records.err.toStdString();
}

TEST_F(LanguageChoiceTest, AWrongLanguageIsRefusedWithNothingDone) {
    for (const QStringList& args : {QStringList{"--lang", "fr", "ports"}, QStringList{"ports", "--lang"}}) {
        const ProgramRun cli = run(VEKTOOL_CLI, args);
        EXPECT_EQ(cli.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(cli.out.isEmpty());
        EXPECT_TRUE(cli.err.startsWith("vektool-cli: ")) << cli.err.toStdString();
    }
    const ProgramRun app = run(VEKTOOL_APP, {"--lang", "fr"});
    EXPECT_EQ(app.exitCode, 2);
    EXPECT_EQ(app.err, "vektool: --lang pede pt ou en: fr\nUse 'vektool --help' para ver as opções.\n");
    const ProgramRun english = run(VEKTOOL_APP, {"--lang", "fr"}, {"LANG=en_US.UTF-8"});
    EXPECT_EQ(english.err, "vektool: --lang takes pt or en: fr\nUse 'vektool --help' to see the options.\n");
}

}  // namespace
