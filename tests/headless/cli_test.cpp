// The command line as a technician's script runs it: the real vektool-cli
// process, the real serial link on a pty, the simulated unit on the other
// side.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "cli_run.h"
#include "config/config_file.h"
#include "config/config_image.h"
#include "pty_host.h"
#include "transfer/firmware.h"

namespace vek::testing {
namespace {

class CliTest : public ::testing::Test {
protected:
    sim::PtyHost& startUnit(const sim::Identity& identity = {}, const std::function<void(sim::UnitSim&)>& setup = {}) {
        unit = std::make_unique<sim::PtyHost>(identity);
        if (setup) unit->withUnit(setup);
        unit->start();
        return *unit;
    }
    QString port() const { return QString::fromStdString(unit->devicePath()); }
    CliRun cli(QStringList args) { return runCli(args, cliEnvironment(dir.filePath("data"))); }
    sim::ConfigMemory unitConfig() { return unit->withUnit([](sim::UnitSim& u) { return u.config(); }); }
    int unitReads() { return unit->withUnit([](sim::UnitSim& u) { return u.memoryReads(); }); }
    std::size_t unitTransfers() { return unit->withUnit([](sim::UnitSim& u) { return u.transfers().size(); }); }

    static config::Image imageOf(void (*preset)(config::FormModel&)) {
        config::FormModel form;
        preset(form);
        config::Image image{};
        EXPECT_FALSE(config::encode(form, image));
        return image;
    }

    std::unique_ptr<sim::PtyHost> unit;
    QTemporaryDir dir;
};

TEST_F(CliTest, IdentifySaysWhoTheUnitIsAndWhetherItNeedsFirmware) {
    struct Case {
        std::array<std::uint8_t, 4> version;
        bool needsUpdate;
    };
    for (const Case& c : {Case{{4, 0, 2, 47}, false}, Case{{41, 1, 2, 46}, true}}) {
        sim::Identity id;
        id.version = c.version;
        startUnit(id);
        const CliRun run = cli({"identify", "--port", port(), "--json"});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QJsonObject o = QJsonDocument::fromJson(run.out.toUtf8()).object();
        EXPECT_EQ(o["id"].toString(), "0BADF00D 12345678 00C0FFEE");
        EXPECT_EQ(o["type"].toInt(), c.version[0]);
        EXPECT_EQ(o["needsFirmwareUpdate"].toBool(), c.needsUpdate);
        EXPECT_EQ(unitTransfers(), 0u) << "identify must change nothing";

        const CliRun plain = cli({"identify", "--port", port()});
        EXPECT_TRUE(plain.out.contains("id: 0BADF00D 12345678 00C0FFEE")) << plain.out.toStdString();
    }
}

TEST_F(CliTest, ReadGivesTheRecordInTheFileFormatAndAnInvalidOneIsLeftAlone) {
    startUnit();
    const QString file = dir.filePath("read.json");
    const CliRun run = cli({"read", "--port", port(), "--output", file});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    config::FormModel expected;
    ASSERT_EQ(config::decode(sim::makeConfig(sim::ConfigState::Valid), expected, false), 0);
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().toStdString(), config::toJson(expected));

    startUnit({}, [](sim::UnitSim& u) { u.setConfig(sim::makeConfig(sim::ConfigState::NeverWritten)); });
    const CliRun invalid = cli({"read", "--port", port()});
    EXPECT_EQ(invalid.exitCode, 1);
    EXPECT_TRUE(invalid.out.isEmpty());
    EXPECT_TRUE(invalid.err.contains(QString::fromUtf8("inválida"))) << invalid.err.toStdString();
    EXPECT_EQ(unitTransfers(), 0u);
    EXPECT_EQ(unitConfig(), sim::makeConfig(sim::ConfigState::NeverWritten));
}

TEST_F(CliTest, ReadSaveLoadWriteGivesTheUnitTheSameRecord) {
    startUnit({}, [](sim::UnitSim& u) {
        config::FormModel form;
        config::applyNorvale(form);
        form.text[config::VMX] = "97";
        config::Image image{};
        config::encode(form, image);
        u.setConfig(image);
    });
    const sim::ConfigMemory before = unitConfig();
    const QString file = dir.filePath("unit.json");
    ASSERT_EQ(cli({"read", "--port", port(), "--output", file}).exitCode, 0);
    unit->withUnit([](sim::UnitSim& u) { u.setConfig(sim::makeConfig(sim::ConfigState::Valid)); });
    const CliRun write = cli({"write", "--port", port(), "--file", file});
    ASSERT_EQ(write.exitCode, 0) << write.err.toStdString();
    EXPECT_EQ(unitConfig(), before);
}

TEST_F(CliTest, WriteSendsThenReadsBackUnlessToldNot) {
    for (const bool verify : {true, false}) {
        startUnit();
        QStringList args{"write", "--port", port(), "--preset", "norvale"};
        if (!verify) args << "--no-verify";
        const int readsBefore = unitReads();
        const CliRun run = cli(args);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(unitConfig(), imageOf(config::applyNorvale));
        // Five reads keep what the unit held; five more read the write back.
        EXPECT_EQ(unitReads() - readsBefore, verify ? 10 : 5);
        // The result is the command's output; the backup's place a message.
        EXPECT_TRUE(run.out.contains(verify ? QString::fromUtf8("gravada e conferida") : QString::fromUtf8("sem conferência")))
            << run.out.toStdString();
        EXPECT_TRUE(run.err.contains(dir.filePath("data/VekTool/backups/0BADF00D1234567800C0FFEE/")))
            << run.err.toStdString();
    }
}

TEST_F(CliTest, ARefusedFileChangesNothingAndSaysWhere) {
    startUnit();
    const QString file = dir.filePath("bad.json");
    config::FormModel form;
    config::applyDefaults(form);
    std::string text = config::toJson(form);
    const std::string from = "\"vmx_kmh\": 120";
    text.replace(text.find(from), from.size(), "\"vmx_kmh\": 251");
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(text.data(), static_cast<qint64>(text.size()));
    out.close();
    const CliRun run = cli({"write", "--port", port(), "--file", file});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("Velocidade")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("linha")) << run.err.toStdString();
    EXPECT_EQ(unit->connections(), 0);
    EXPECT_EQ(unitConfig(), sim::makeConfig(sim::ConfigState::Valid));
}

TEST_F(CliTest, FlashUpdatesAnOldUnitAndWaitsForItsReturn) {
    sim::Identity id;
    id.version = {4, 0, 2, 46};
    startUnit(id);
    const CliRun run = cli({"flash", "--port", port()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QString::fromUtf8("4.0.2.46 → 4.0.2.47"))) << run.out.toStdString();
    unit->withUnit([](sim::UnitSim& u) {
        EXPECT_EQ(u.restarts(), 1);
        const auto fw = transfer::firmwareImage();
        EXPECT_EQ(u.firmware(), sim::Bytes(fw.begin(), fw.end()));
    });
    // What the unit held was kept before the firmware went in.
    EXPECT_TRUE(run.err.contains(QString::fromUtf8("cópia do que o Vek guardava"))) << run.err.toStdString();
    // Up to date now: nothing more is sent, and nothing read to keep.
    const int reads = unitReads();
    const CliRun again = cli({"flash", "--port", port()});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(unitTransfers(), 1u);
    EXPECT_EQ(unitReads(), reads);
}

// The trace of a flash holds every block and its acknowledgement, in order;
// what the unit sent that made no frame is there as unparsed bytes.
TEST_F(CliTest, TraceHoldsEveryFrameOfAFlashInOrder) {
    sim::Identity id;
    id.version = {4, 0, 2, 46};
    // Three bytes of noise ahead of the announcement.
    startUnit(id, [](sim::UnitSim& u) {
        u.faults().damage.garbageBefore = true;
        u.faults().damageOnce = true;
    });
    const QString path = dir.filePath("trace.txt");
    const CliRun run = cli({"flash", "--port", port(), "--trace", path});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QStringList frames;  // "TX CmdFirmwareBlock 1", "RX RspAck 1", ...
    int unparsed = 0;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts)) {
        if (line.startsWith('#')) continue;
        const QStringList w = line.split(' ');
        ASSERT_GE(w.size(), 4) << line.toStdString();
        EXPECT_EQ(w[0], port()) << line.toStdString();
        if (w[3] == "unparsed") {
            ++unparsed;
            EXPECT_EQ(w.mid(2).join(' '), "RX unparsed 3 00 7E 55");
        }
        // A block's number is the second word of its payload (after the
        // transfer's id); an acknowledgement's is its payload.
        if (w[3] == "CmdFirmwareBlock") frames << "TX block " + QString::number((w[12] + w[13]).toInt(nullptr, 16));
        if (w[3] == "RspAck") frames << "RX ack " + QString::number((w[10] + w[11]).toInt(nullptr, 16));
    }
    EXPECT_EQ(unparsed, 1);
    QStringList expected;
    for (int block = 1; block <= 1900; ++block)
        expected << "TX block " + QString::number(block) << "RX ack " + QString::number(block);
    EXPECT_EQ(frames, expected);

    // "-" is the standard error, beside the command's own messages.
    const CliRun toStderr = cli({"identify", "--port", port(), "--trace", "-"});
    ASSERT_EQ(toStderr.exitCode, 0) << toStderr.err.toStdString();
    EXPECT_TRUE(toStderr.err.contains(port() + " ")) << toStderr.err.toStdString();
    EXPECT_TRUE(toStderr.err.contains(" RX RspIdentification 45 BC 12 04")) << toStderr.err.toStdString();
    EXPECT_FALSE(toStderr.out.contains("RspIdentification"));
}

// Every road's end through the real command line: its exit code, its kind
// for a script (--json) and its words for the technician, and what reached
// the unit.
TEST_F(CliTest, EachOutcomeHasItsExitCodeKindAndWords) {
    using Setup = std::function<void(sim::UnitSim&)>;
    const auto at = [](std::array<std::uint8_t, 4> version, Setup more = {}) -> Setup {
        return [version, more](sim::UnitSim& u) {
            sim::Identity id = u.identity();
            id.version = version;
            u.setIdentity(id);
            if (more) more(u);
        };
    };
    const std::array<std::uint8_t, 4> old{4, 0, 2, 46};
    struct Case {
        const char* name;
        Setup setup;
        QStringList args;  // the command, then what follows the port
        int exitCode;
        const char* kind;
        const char* said;  // on standard error (with --json, a success's line too)
        int transfers;     // block transfers the unit took; -1: not counted
    };
    const std::vector<Case> cases{
        {"updated", at(old), {"flash"}, 0, "ok", "firmware atualizado: 4.0.2.46 → 4.0.2.47", 1},
        {"old firmware is never written", at(old), {"write", "--preset", "default"}, 1, "needs-firmware",
         "vektool-cli flash", 0},
        {"firmware that does not take", at(old, [](sim::UnitSim& u) { u.faults().firmwareNotTaken = true; }),
         {"flash"}, 1, "firmware-not-taken", "o Vek voltou com a versão 4.0.2.46", 1},
        {"another unit back after the restart",
         at(old, [](sim::UnitSim& u) { u.faults().returnAs = std::array<std::uint32_t, 3>{1, 2, 3}; }), {"flash"}, 1,
         "other-unit-returned", "outro Vek voltou na porta (Id: 00000003 00000002 00000001)", 1},
        {"discontinued takes no firmware", at({2, 5, 0, 0}), {"flash"}, 1, "discontinued", "descontinuado", 0},
        {"discontinued is written, with a warning", at({2, 5, 0, 0}), {"write", "--preset", "default"}, 0, "ok",
         "aviso: o Vek do tipo 2 está descontinuado", 1},
        {"other type", at({7, 0, 1, 0}), {"identify"}, 1, "type-left-alone",
         "este tipo de Vek (7) não é atendido por esta ferramenta", 0},
        {"operation mode", [](sim::UnitSim& u) { u.setIdentity({0, {4, 0, 2, 47}, {1, 2, 3}, 0x3F800}); },
         {"write", "--preset", "default"}, 1, "operation-mode", "modo de operação", 0},
        {"never written", [](sim::UnitSim& u) { u.setConfig(sim::makeConfig(sim::ConfigState::NeverWritten)); },
         {"read"}, 1, "invalid-configuration", "a configuração guardada no Vek é inválida — grave uma com 'vektool-cli write'", 0},
        {"valid", {}, {"read"}, 0, "ok", "", 0},
        {"store differs", [](sim::UnitSim& u) { u.faults().storeConfigWrongAt = 700; },
         {"write", "--preset", "default"}, 1, "read-back-differs", "a partir do byte 700 (gravado 0x", 1},
        {"unplugged mid-way", [](sim::UnitSim& u) { u.faults().vanishAtBlock = 20; }, {"write", "--preset", "default"},
         1, "port-lost", "o Vek foi desconectado durante a gravação da configuração (Nacks ", -1},
        {"every try refused", [](sim::UnitSim& u) { u.faults().refuseBlock = 3; }, {"write", "--preset", "default"}, 1,
         "timeout", "o Vek parou de responder durante a gravação da configuração (Nacks ",
         -1},
        {"no unit answers", [](sim::UnitSim& u) { u.faults().silent = true; }, {"identify"}, 4, "no-unit",
         "nenhum Vek respondeu", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        startUnit({}, c.setup);
        QStringList args{c.args[0], "--port", port(), "--json"};
        args << c.args.mid(1);
        const CliRun run = cli(args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        const QJsonObject o = QJsonDocument::fromJson(run.out.toUtf8()).object();
        EXPECT_EQ(o["outcome"].toString(), c.kind) << run.out.toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.said))) << run.err.toStdString();
        if (c.transfers >= 0) {
            EXPECT_EQ(unitTransfers(), static_cast<std::size_t>(c.transfers));
        }
        // The link's counters are the unit's own, not zeros for the form.
        if (o["outcome"] == "timeout") {
            EXPECT_GT(o["counters"].toObject()["Nacks"].toInt(), 0) << run.out.toStdString();
        }
    }
}

TEST_F(CliTest, UsageAndPortFailuresHaveTheirOwnCodes) {
    const CliRun missing = cli({"read", "--port", "/dev/vek-no-such-port"});
    EXPECT_EQ(missing.exitCode, 3);
    EXPECT_TRUE(missing.err.contains(QString::fromUtf8("não existe"))) << missing.err.toStdString();
    EXPECT_EQ(cli({"write", "--port", "x"}).exitCode, 2);
    EXPECT_EQ(cli({"frobnicate"}).exitCode, 2);
}

TEST_F(CliTest, RemoteListAndPortsAndVersion) {
    const QString file = dir.filePath("defaults.json");
    config::FormModel form;
    config::applyDefaults(form);
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(QByteArray::fromStdString(config::toJson(form)));
    out.close();
    const CliRun remote = cli({"remote", "--file", file});
    ASSERT_EQ(remote.exitCode, 0);
    QStringList expected{QString::fromUtf8(config::kRemoteHeading.source)};
    for (const std::string& line : config::remoteCommands(form)) expected << QString::fromStdString(line);
    EXPECT_EQ(remote.out.trimmed().split('\n'), expected);

    startUnit();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VEKTOOL_EXTRA_PORTS", port());
    const CliRun ports = runCli({"ports", "--json"}, env);
    ASSERT_EQ(ports.exitCode, 0);
    bool listed = false;
    for (const QJsonValue& p : QJsonDocument::fromJson(ports.out.toUtf8()).array())
        listed = listed || p.toObject()["name"].toString() == port();
    EXPECT_TRUE(listed) << ports.out.toStdString();

    EXPECT_EQ(cli({"--version"}).out.trimmed(), "vektool-cli 2.47.A");
    EXPECT_TRUE(cli({"write", "--help"}).out.contains("--no-verify"));
}

}  // namespace
}  // namespace vek::testing
