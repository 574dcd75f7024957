// The command line's safety net, as a script or a technician meets it: the
// real vektool-cli process against the simulated unit on a pty. Comparing
// before writing, checking a file without a unit, a dry run, backups and
// their restore, quiet and JSON output, Portuguese help on a bare locale,
// and Ctrl+C in two steps during a firmware update.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <memory>

#include "cli_run.h"
#include "config/config_file.h"
#include "config/config_image.h"
#include "config/form_diff.h"
#include "pty_host.h"
#include "transfer/firmware.h"
#include "unit/backup_store.h"

namespace vek::testing {
namespace {

const sim::Identity kOther{1, {4, 0, 2, 47}, {1, 2, 3}, 0x3F800};

class CliConventionsTest : public ::testing::Test {
protected:
    void startUnit(const sim::Identity& identity = {}, const std::function<void(sim::UnitSim&)>& setup = {}) {
        unit = std::make_unique<sim::PtyHost>(identity);
        if (setup) unit->withUnit(setup);
        unit->start();
    }
    QString port() const { return QString::fromStdString(unit->devicePath()); }
    QProcessEnvironment env() const { return cliEnvironment(dir.filePath("data")); }
    CliRun cli(const QStringList& args) const { return runCli(args, env()); }
    sim::ConfigMemory unitConfig() { return unit->withUnit([](sim::UnitSim& u) { return u.config(); }); }
    std::size_t unitTransfers() { return unit->withUnit([](sim::UnitSim& u) { return u.transfers().size(); }); }

    // The configuration the simulated unit starts with, as a form.
    static config::FormModel unitForm() {
        config::FormModel form;
        EXPECT_EQ(config::decode(sim::makeConfig(sim::ConfigState::Valid), form, false), 0);
        return form;
    }
    QString save(const QString& name, const QByteArray& text) const {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
        return path;
    }
    QString save(const QString& name, const config::FormModel& form) const {
        return save(name, QByteArray::fromStdString(config::toJson(form)));
    }
    static QJsonObject object(const CliRun& run) {
        QJsonParseError error{};
        const QJsonDocument doc = QJsonDocument::fromJson(run.out.toUtf8(), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
        EXPECT_TRUE(doc.isObject()) << run.out.toStdString();
        return doc.object();
    }

    std::unique_ptr<sim::PtyHost> unit;
    QTemporaryDir dir;
};

TEST_F(CliConventionsTest, DiffListsEachDifferingFieldAndExitsAsDiffDoes) {
    startUnit();
    const QString same = save("same.json", unitForm());
    config::FormModel changed = unitForm();
    changed.text[config::VMX] = "97";
    changed.evAcn = !changed.evAcn;
    const auto expected = config::differences(unitForm(), changed);
    ASSERT_EQ(expected.size(), 2u);
    const QString other = save("other.json", changed);

    const CliRun equal = cli({"diff", "--port", port(), "--file", same});
    EXPECT_EQ(equal.exitCode, 0) << equal.err.toStdString();
    EXPECT_TRUE(equal.out.isEmpty()) << equal.out.toStdString();

    const CliRun differs = cli({"diff", "--port", port(), "--file", other});
    EXPECT_EQ(differs.exitCode, 1) << differs.err.toStdString();
    const QStringList lines = differs.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), static_cast<qsizetype>(expected.size())) << differs.out.toStdString();
    EXPECT_TRUE(lines.contains(QString::fromUtf8("Velocidade (km/h) [vmx_kmh]: Vek 110, arquivo 97")))
        << differs.out.toStdString();

    const QJsonObject j = object(cli({"diff", "--port", port(), "--file", other, "--json"}));
    EXPECT_EQ(j["outcome"].toString(), "ok");
    EXPECT_FALSE(j["same"].toBool());
    ASSERT_EQ(j["differences"].toArray().size(), static_cast<qsizetype>(expected.size()));
    const QJsonObject first = j["differences"].toArray()[0].toObject();
    EXPECT_EQ(first["key"].toString().toStdString(), expected[0].key);
    EXPECT_EQ(first["unit"].toString().toStdString(), expected[0].left);
    EXPECT_EQ(first["file"].toString().toStdString(), expected[0].right);

    // A read that does not complete is no comparison: its own code, and
    // the kind for a script.
    startUnit({}, [](sim::UnitSim& u) { u.faults().silentAfterReads = 2; });
    const CliRun unread = cli({"diff", "--port", port(), "--file", same, "--json"});
    EXPECT_EQ(unread.exitCode, 5) << unread.err.toStdString();
    EXPECT_EQ(object(unread)["outcome"].toString(), "timeout");
    EXPECT_TRUE(unread.err.contains(QString::fromUtf8("não foi possível ler a configuração do Vek")))
        << unread.err.toStdString();

    startUnit({}, [](sim::UnitSim& u) { u.setConfig(sim::makeConfig(sim::ConfigState::NeverWritten)); });
    EXPECT_EQ(cli({"diff", "--port", port(), "--file", same}).exitCode, 5);
    EXPECT_EQ(unitTransfers(), 0u);
}

TEST_F(CliConventionsTest, ValidateTakesAFileWholeOrSaysWhatIsWrong) {
    const std::string good = config::toJson(unitForm());
    const auto with = [&good](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return QByteArray::fromStdString(text);
    };
    struct Case {
        const char* name;
        QByteArray text;          // written to a file; empty: `path` as it is
        QString path;
        QStringList said;         // on standard error, each
    };
    const std::vector<Case> cases{
        {"broken JSON", with("\"tvmx_s\": 6,", "\"tvmx_s\": 6"), {}, {"linha 11", "falta ','"}},
        {"unknown key", with("\"tvmx_s\"", "\"tvmx\""), {}, {"campo \"tvmx\"", "chave desconhecida"}},
        {"missing key", with("\"tvmx_s\": 6,", ""), {}, {"campo \"tvmx_s\"", "falta esta chave"}},
        {"value out of range, quoted with what the field takes", with("\"vmx_kmh\": 110", "\"vmx_kmh\": 251"), {},
         {"linha 9", "campo \"vmx_kmh\": 251", "[Velocidade]", "Permitido: 0 a 150 km/h"}},
        {"a long value, shortened", with("\"vmx_kmh\": 110", "\"vmx_kmh\": " + std::string(5000, '9')), {},
         {QString(60, '9') + QString::fromUtf8("… (5000 bytes)"), "Permitido: 0 a 150 km/h"}},
        {"not one of the list", with("\"ping_s\": 120", "\"ping_s\": 17"), {}, {"17 não é um de 5, 10"}},
        {"past 1 MB", QByteArray(1024 * 1024 + 1, ' '), {}, {"passa de 1 MB"}},
        {"a device that never ends", {}, "/dev/zero", {"/dev/zero passa de 1 MB"}},
        {"no such file", {}, "/no/such/vek.json", {"não foi possível ler /no/such/vek.json"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = c.path.isEmpty() ? save("case.json", c.text) : c.path;
        const CliRun run = cli({"validate", "--file", path});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        for (const QString& part : c.said) EXPECT_TRUE(run.err.contains(part)) << run.err.toStdString();
        EXPECT_LT(run.err.size(), 400) << "an error is a line a person reads";
    }

    const QString valid = save("valid.json", QByteArray::fromStdString(good));
    const CliRun ok = cli({"validate", "--file", valid});
    EXPECT_EQ(ok.exitCode, 0);
    EXPECT_TRUE(ok.out.contains(QString::fromUtf8("configuração válida"))) << ok.out.toStdString();
    const CliRun quiet = cli({"validate", "--file", valid, "--quiet"});
    EXPECT_EQ(quiet.exitCode, 0);
    EXPECT_TRUE(quiet.out.isEmpty() && quiet.err.isEmpty());

    const QString bad = save("bad.json", with("\"vmx_kmh\": 110", "\"vmx_kmh\": 251"));
    const CliRun refused = cli({"validate", "--json", "--file", bad});
    EXPECT_EQ(refused.exitCode, 2);
    const QJsonObject j = object(refused);
    EXPECT_FALSE(j["valid"].toBool());
    EXPECT_EQ(j["field"].toString(), "vmx_kmh");
    EXPECT_EQ(j["line"].toInt(), 9);
}

TEST_F(CliConventionsTest, DryRunSaysWhatWouldChangeAndWritesNothing) {
    startUnit();
    const sim::ConfigMemory before = unitConfig();
    config::FormModel norvale;
    config::applyNorvale(norvale);
    const auto expected = config::differences(unitForm(), norvale);
    ASSERT_FALSE(expected.empty());

    const CliRun run = cli({"write", "--port", port(), "--preset", "norvale", "--dry-run"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.trimmed().split('\n').size(), static_cast<qsizetype>(expected.size())) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QString::fromStdString(expected[0].label + " [" + expected[0].key + "]: " +
                                                        expected[0].left + " → " + expected[0].right)))
        << run.out.toStdString();
    EXPECT_TRUE(run.err.contains("nada foi gravado")) << run.err.toStdString();

    const QJsonObject j = object(cli({"write", "--port", port(), "--preset", "norvale", "--dry-run", "--json"}));
    EXPECT_TRUE(j["dryRun"].toBool());
    EXPECT_EQ(j["changes"].toArray().size(), static_cast<qsizetype>(expected.size()));

    EXPECT_EQ(unitTransfers(), 0u);
    EXPECT_EQ(unitConfig(), before);
    // Its read is kept like every read: one copy, of what the unit holds still.
    const QJsonArray kept = object(cli({"backups", "--json"}))["backups"].toArray();
    ASSERT_EQ(kept.size(), 1);
    auto copy = unit::BackupStore::load(kept[0].toObject()["path"].toString());
    ASSERT_TRUE(std::holds_alternative<unit::Backup>(copy));
    EXPECT_TRUE(std::equal(before.begin(), before.end(), std::get<unit::Backup>(copy).image.begin()));

    // A file past the bound is refused before the port is opened.
    const CliRun zero = cli({"write", "--port", port(), "--file", "/dev/zero"});
    EXPECT_EQ(zero.exitCode, 2);
    EXPECT_TRUE(zero.err.contains("passa de 1 MB")) << zero.err.toStdString();
    EXPECT_EQ(unit->connections(), 2);
}

// A unit command's output for a script: with --json one object on standard
// output, whatever happens on standard error; with --quiet nothing but
// errors. Each command in turn, against a unit that needs nothing.
TEST_F(CliConventionsTest, EveryUnitCommandTakesJsonAndQuiet) {
    startUnit();
    const QString file = save("unit.json", unitForm());
    // A backup to restore: the unit's own content, so restoring changes nothing.
    ASSERT_EQ(cli({"write", "--port", port(), "--file", file, "--quiet"}).exitCode, 0);
    const QString backup = QDir(dir.filePath("data/VekTool/backups/0BADF00D1234567800C0FFEE"))
                               .entryInfoList({"*.json"}, QDir::Files)
                               .value(0)
                               .filePath();
    ASSERT_FALSE(backup.isEmpty());
    const QString p = port();
    struct Case {
        QStringList args;
        bool road;  // a unit road ran: "outcome" is there
    };
    const std::vector<Case> cases{
        {{"identify", "--port", p}, true},
        {{"read", "--port", p}, true},
        {{"write", "--port", p, "--file", file}, true},
        {{"write", "--port", p, "--file", file, "--dry-run"}, true},
        {{"flash", "--port", p}, true},
        {{"remote", "--port", p}, true},
        {{"diff", "--port", p, "--file", file}, true},
        {{"restore", "--port", p, "--backup", backup, "--yes"}, true},
        {{"remote", "--file", file}, false},
        {{"validate", "--file", file}, false},
        {{"backups"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CliRun json = cli(c.args + QStringList{"--json"});
        EXPECT_EQ(json.exitCode, 0) << json.err.toStdString();
        const QJsonObject o = object(json);
        if (c.road) {
            EXPECT_EQ(o["outcome"].toString(), "ok");
        }
        const CliRun quiet = cli(c.args + QStringList{"--quiet"});
        EXPECT_EQ(quiet.exitCode, 0);
        EXPECT_TRUE(quiet.err.isEmpty()) << quiet.err.toStdString();
    }
    // Only the data asked for reaches standard output under --quiet: a
    // write's success line does not.
    EXPECT_TRUE(cli({"write", "--port", p, "--file", file, "--quiet"}).out.isEmpty());
    // A refused command line is an object too, and so is a port that does
    // not open.
    const CliRun refused = cli({"write", "--port", p, "--file", "/dev/zero", "--json"});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(object(refused)["error"].toString(), "usage");
    const CliRun missing = cli({"identify", "--port", "/dev/vek-no-such-port", "--json"});
    EXPECT_EQ(missing.exitCode, 3);
    EXPECT_EQ(object(missing)["reason"].toString(), "not-found");
}

TEST_F(CliConventionsTest, HelpAndArgumentErrorsArePortugueseOnABareLocale) {
    QProcessEnvironment bare = env();
    bare.remove("LC_ALL");
    bare.remove("LANGUAGE");
    bare.remove("LC_MESSAGES");
    bare.insert("LANG", "C");
    for (const char* command :
         {"ports", "identify", "read", "diff", "validate", "write", "flash", "backups", "restore", "remote"}) {
        SCOPED_TRACE(command);
        const CliRun help = runCli({command, "--help"}, bare);
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_TRUE(help.out.startsWith(QStringLiteral("Uso: vektool-cli %1 [opções]\n").arg(command)))
            << help.out.toStdString();
        EXPECT_TRUE(help.out.contains(QString::fromUtf8("Opções:")));
        EXPECT_TRUE(help.out.contains("--quiet"));
        EXPECT_FALSE(help.out.contains("Usage") || help.out.contains("Options")) << help.out.toStdString();
    }
    struct Case {
        QStringList args;
        const char* said;
    };
    for (const Case& c : {Case{{"write", "--bogus"}, "opção desconhecida: --bogus"},
                          Case{{"read", "-x"}, "opção desconhecida: -x"},
                          Case{{"read", "--port"}, "falta o valor de --port"},
                          Case{{"identify", "--json=yes"}, "--json não leva valor"},
                          Case{{"read", "stray"}, "argumento inesperado: stray"}}) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CliRun run = runCli(c.args, bare);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.said))) << run.err.toStdString();
        EXPECT_FALSE(run.err.contains("Unknown") || run.err.contains("Missing") || run.err.contains("Unexpected"));
    }
    // A command that offers neither --json nor --quiet is not asked for them.
    EXPECT_FALSE(runCli({"records"}, bare).err.contains("QCommandLineParser"));
    // What the parser accepts is still accepted: "--name=value", short
    // options run together.
    EXPECT_EQ(runCli({"validate", "-qf", "/no/such.json"}, bare).exitCode, 2);
    EXPECT_TRUE(runCli({"validate", "-qf", "/no/such.json"}, bare).err.contains("/no/such.json"));
    EXPECT_TRUE(runCli({"read", "--port=/dev/vek-no-such-port"}, bare).err.contains("/dev/vek-no-such-port"));
}

TEST_F(CliConventionsTest, WriteKeepsABackupThatRestorePutsBack) {
    startUnit();
    const sim::ConfigMemory original = unitConfig();
    ASSERT_EQ(cli({"write", "--port", port(), "--preset", "norvale"}).exitCode, 0);
    ASSERT_EQ(cli({"write", "--port", port(), "--preset", "norvale"}).exitCode, 0);

    // Two writes, two contents kept: the original and the Norvale preset.
    const CliRun listed = cli({"backups", "--unit", "0BADF00D 12345678 00C0FFEE", "--json"});
    ASSERT_EQ(listed.exitCode, 0);
    const QJsonArray backups = object(listed)["backups"].toArray();
    ASSERT_EQ(backups.size(), 2) << listed.out.toStdString();
    const QString oldest = backups[1].toObject()["path"].toString();
    EXPECT_EQ(backups[1].toObject()["unit"].toString(), "0BADF00D1234567800C0FFEE");
    EXPECT_TRUE(cli({"backups"}).out.contains(oldest));
    EXPECT_TRUE(cli({"backups", "--unit", "000000030000000200000001"}).out.isEmpty());
    EXPECT_EQ(cli({"backups", "--unit", "xyz"}).exitCode, 2);
    // Part of the identifier finds the unit, as records --unit does.
    for (const char* part : {"c0ffee", "F00D 1234", "0BADF00D"}) {
        const CliRun some = cli({"backups", "--unit", part, "--json"});
        EXPECT_EQ(object(some)["backups"].toArray().size(), 2) << part << some.out.toStdString();
    }
    EXPECT_EQ(object(cli({"backups", "--unit", "C0FFEF", "--json"}))["backups"].toArray().size(), 0);

    // A script must say yes: standard input is no terminal to ask on.
    const int connections = unit->connections();
    const CliRun unconfirmed = cli({"restore", "--port", port(), "--backup", oldest});
    EXPECT_EQ(unconfirmed.exitCode, 2);
    EXPECT_TRUE(unconfirmed.err.contains("--yes")) << unconfirmed.err.toStdString();
    EXPECT_EQ(unit->connections(), connections);

    const CliRun restored = cli({"restore", "--port", port(), "--backup", oldest, "--yes"});
    EXPECT_EQ(restored.exitCode, 0) << restored.err.toStdString();
    EXPECT_TRUE(restored.out.contains("conferida")) << restored.out.toStdString();
    EXPECT_EQ(unitConfig(), original);

    // Onto its replacement: allowed, naming both.
    startUnit(kOther);
    const CliRun other = cli({"restore", "--port", port(), "--backup", oldest, "--yes"});
    EXPECT_EQ(other.exitCode, 0) << other.err.toStdString();
    EXPECT_TRUE(other.err.contains("0BADF00D1234567800C0FFEE") && other.err.contains("000000030000000200000001"))
        << other.err.toStdString();
    EXPECT_EQ(unitConfig(), original);

    const CliRun notABackup = cli({"restore", "--port", port(), "--backup", save("x.json", unitForm()), "--yes"});
    EXPECT_EQ(notABackup.exitCode, 2);
}

// Copies belong to the road: a read keeps one; a change whose copy cannot be
// kept changes nothing (exit 6) unless --no-backup says so; a copy that is no
// valid configuration goes back only with --allow-invalid, and the result
// says what the unit then holds.
TEST_F(CliConventionsTest, EveryChangeLeavesItsCopyOrSaysWhyNot) {
    startUnit();
    const sim::ConfigMemory original = unitConfig();
    const CliRun empty = cli({"backups"});
    const QString folder = empty.out.isEmpty() ? empty.err.trimmed().section(' ', -1) : QString();
    ASSERT_TRUE(empty.out.trimmed().isEmpty()) << empty.out.toStdString();
    ASSERT_FALSE(folder.isEmpty()) << empty.err.toStdString();

    const CliRun read = cli({"read", "--port", port(), "--output", dir.filePath("unit.json")});
    ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();
    const CliRun listed = cli({"backups", "--json"});
    const QJsonArray kept = object(listed)["backups"].toArray();
    ASSERT_EQ(kept.size(), 1) << listed.out.toStdString();
    // Somewhere else, for the restore below.
    const QString copyOfRead = dir.filePath("read-copy.json");
    ASSERT_TRUE(QFile::copy(kept[0].toObject()["path"].toString(), copyOfRead));

    // The folder becomes a plain file: no copy can be kept there.
    ASSERT_TRUE(QDir(folder).removeRecursively());
    save(QDir(dir.path()).relativeFilePath(folder), QByteArray("not a folder"));
    ASSERT_TRUE(QFileInfo(folder).isFile());
    const std::size_t transfers = unitTransfers();
    for (const QStringList& change : {QStringList{"write", "--preset", "norvale"},
                                      QStringList{"restore", "--backup", copyOfRead, "--yes"},
                                      QStringList{"flash", "--force"}}) {
        SCOPED_TRACE(change.join(' ').toStdString());
        const CliRun refused = cli(change + QStringList{"--port", port(), "--json"});
        EXPECT_EQ(refused.exitCode, 6) << refused.err.toStdString();
        EXPECT_EQ(object(refused)["outcome"].toString(), "copy-not-kept");
        EXPECT_TRUE(refused.err.contains("--no-backup")) << refused.err.toStdString();
        EXPECT_EQ(unitConfig(), original);
        EXPECT_EQ(unitTransfers(), transfers);
    }
    const CliRun without = cli({"write", "--port", port(), "--preset", "norvale", "--no-backup"});
    EXPECT_EQ(without.exitCode, 0) << without.err.toStdString();
    EXPECT_TRUE(without.out.contains("--no-backup")) << without.out.toStdString();
    EXPECT_NE(unitConfig(), original);

    // A copy of a never-written unit: 2,032 bytes of FF.
    ASSERT_TRUE(QFile::remove(folder));
    unit::Backup blank;
    blank.unitDigits = QStringLiteral("0BADF00D1234567800C0FFEE");
    blank.firmware = QStringLiteral("4.0.2.47");
    blank.takenAt = QDateTime::currentDateTimeUtc();
    blank.image.fill(0xFF);
    const QString blankPath = save("blank.json", unit::BackupStore::toJson(blank));
    const sim::ConfigMemory before = unitConfig();
    const CliRun invalid = cli({"restore", "--port", port(), "--backup", blankPath, "--yes"});
    EXPECT_EQ(invalid.exitCode, 1);
    EXPECT_TRUE(invalid.err.contains("--allow-invalid")) << invalid.err.toStdString();
    EXPECT_EQ(unitConfig(), before);
    const CliRun asked = cli({"restore", "--port", port(), "--backup", blankPath, "--yes", "--allow-invalid"});
    EXPECT_EQ(asked.exitCode, 0) << asked.err.toStdString();
    EXPECT_TRUE(asked.out.contains("inválida, como a cópia")) << asked.out.toStdString();
    sim::ConfigMemory ff{};
    ff.fill(0xFF);
    EXPECT_EQ(unitConfig(), ff);
    // What it overwrote was kept first, like any change.
    const QJsonArray after = object(cli({"backups", "--json"}))["backups"].toArray();
    bool overwrittenKept = false;
    for (const QJsonValue& b : after) {
        auto loaded = unit::BackupStore::load(b.toObject()["path"].toString());
        if (auto* k = std::get_if<unit::Backup>(&loaded))
            overwrittenKept = overwrittenKept || std::equal(k->image.begin(), k->image.end(), before.begin());
    }
    EXPECT_TRUE(overwrittenKept);
}

// Ctrl+C during a firmware update, sent to the real process: once, the
// update finishes; twice, it stops and says where that leaves the unit.
TEST_F(CliConventionsTest, CtrlCDuringFlashLetsItFinishUnlessPressedTwice) {
    for (const int presses : {1, 2}) {
        SCOPED_TRACE(presses);
        sim::Identity old;
        old.version = {4, 0, 2, 46};
        // Slow enough replies that the update is still running when the
        // keys arrive.
        startUnit(old, [](sim::UnitSim& u) { u.faults().replyDelayMs = 3; });
        QProcess p;
        p.setProcessEnvironment(env());
        p.start(QStringLiteral(VEKTOOL_CLI), {"flash", "--port", port()});
        ASSERT_TRUE(p.waitForStarted(5000));
        QByteArray err;
        const auto waitFor = [&](const QByteArray& text) {
            while (!err.contains(text) && p.state() == QProcess::Running) {
                p.waitForReadyRead(200);
                err += p.readAllStandardError();
            }
            return err.contains(text);
        };
        ASSERT_TRUE(waitFor("atualizando firmware: 10%")) << err.toStdString();
        ::kill(static_cast<pid_t>(p.processId()), SIGINT);
        ASSERT_TRUE(waitFor("Ctrl+C de novo interrompe")) << err.toStdString();
        if (presses == 2) ::kill(static_cast<pid_t>(p.processId()), SIGINT);
        ASSERT_TRUE(p.waitForFinished(60000));
        err += p.readAllStandardError();
        const QByteArray out = p.readAllStandardOutput();
        const int restarts = unit->withUnit([](sim::UnitSim& u) { return u.restarts(); });
        if (presses == 1) {
            EXPECT_EQ(p.exitCode(), 0) << err.toStdString();
            EXPECT_TRUE(out.contains("4.0.2.46 → 4.0.2.47")) << out.toStdString();
            EXPECT_EQ(restarts, 1);
        } else {
            EXPECT_EQ(p.exitCode(), 130) << err.toStdString();
            EXPECT_TRUE(err.contains("carregador") && err.contains("vektool-cli flash --port")) << err.toStdString();
            EXPECT_EQ(restarts, 0) << "the update was cut before its end";
        }
    }
}

}  // namespace
}  // namespace vek::testing
