#include <gtest/gtest.h>

#include "config/config_image.h"
#include "fake_host.h"
#include "fake_unit.h"
#include "session/session.h"
#include "transfer/firmware.h"

namespace config = vek::config;
namespace protocol = vek::protocol;
namespace session = vek::session;
using protocol::Bytes;
using Session = vek::test::HostedSession;
using namespace vek::test;

namespace {

const char* const kUpToDate = "O Vek está atualizado!";
const char* const kReading = "Buscando configuração interna...";
const char* const kStarting = "Iniciando atualização...";
const char* const kSucceeded = "Atualização concluída com sucesso!";
const char* const kVerified = "Configuração conferida: o Vek guardou exatamente o que foi gravado.";
const char* const kDiscontinued =
    "Essa versão do vek está descontinuada, entre em contato com a Marovec para mais informações!";
const std::vector<std::string> kOperationModeLines{
    "O Vek foi detectado em modo de operação!", "1-Desconectar todos os chicotes", "2-Conectar apenas o cabo USB",
    "3-Aguardar o Windows criar a porta (5 segundos)", "4-Rodar o VekTool e abrir a porta COM criada"};

config::Image imageOf(void (*preset)(config::FormModel&)) {
    config::FormModel form;
    preset(form);
    config::Image image{};
    EXPECT_FALSE(config::encode(form, image));
    return image;
}

config::FormModel formOf(void (*preset)(config::FormModel&)) {
    config::FormModel form;
    preset(form);
    return form;
}

class SessionTest : public ::testing::Test {
protected:
    FakeHost host;
    FakeUnit unit;
    Session session{host};
    UnitIdentity identity;

    SessionTest() {
        host.onWrite = [this](const Bytes& f) { unit.receive(f); };
        unit.configBase = identity.configBase;
        unit.memory = imageOf(config::applyDefaults);
        session.portOpened();
        host.trace.clear();  // the emptied form
    }

    void arrive(std::span<const std::uint8_t> bytes) { session.bytesArrived(bytes); }

    // Delivers the unit's replies (and the replies to what they cause) until
    // it has nothing more to say.
    void pump() {
        while (!unit.outbox.empty()) {
            const Bytes b = unit.outbox.front();
            unit.outbox.pop_front();
            arrive(b);
        }
    }

    void identifyAs(std::array<std::uint8_t, 4> version) {
        identity.version = version;
        arrive(identificationFrame(identity));
    }

    std::vector<int> codesWritten() const {
        std::vector<int> out;
        for (const Bytes& w : host.writes) out.push_back(w[2]);
        return out;
    }
};

}  // namespace

// --- identification ------------------------------------------------------

TEST_F(SessionTest, IdentificationTable) {
    struct Case {
        std::array<std::uint8_t, 4> version;
        std::vector<std::string> log;  // in order, with the version line first
        std::vector<bool> red;
        int firstCode;                 // of the first frame written; 0 for none
        bool listed;
    };
    const std::string id = "\r\nId: 33333333 22222222 11111111";
    const std::vector<Case> cases{
        {{4, 0, 2, 47}, {"Vek v4.0.2.47" + id, kUpToDate, kReading}, {false, false, false}, 7, true},
        {{41, 2, 2, 47}, {"Vek v41.2.2.47" + id, kUpToDate, kReading}, {false, false, false}, 7, true},
        {{3, 0, 2, 47}, {"Vek v3.0.2.47" + id, kUpToDate, kReading}, {false, false, false}, 7, false},
        {{41, 1, 2, 46}, {"Vek v41.1.2.46" + id, kStarting}, {false, false}, 1, false},
        {{4, 0, 255, 255}, {"Vek v4.0.255.255" + id, kStarting}, {false, false}, 1, false},
        {{2, 5, 0, 0}, {"Vek v2.5.0.0" + id, kDiscontinued, kReading}, {false, true, false}, 7, false},
        {{7, 0, 1, 0}, {"Vek v7.0.1.0" + id}, {false}, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.log.front());
        FakeHost h;
        Session s{h};
        s.portOpened();
        UnitIdentity u;
        u.version = c.version;
        s.bytesArrived(identificationFrame(u));
        EXPECT_EQ(h.logTexts(), c.log);
        std::vector<bool> red;
        for (const auto& line : h.log) red.push_back(line.warning);
        EXPECT_EQ(red, c.red);
        EXPECT_EQ(h.writes.empty() ? 0 : h.writes.front()[2], c.firstCode);
        EXPECT_EQ(h.idList.size(), c.listed ? 1u : 0u);
        EXPECT_TRUE(s.identificationDone());
        EXPECT_EQ(s.unitVersion().a, c.version[0]);
        EXPECT_EQ(s.unitVersion().d, c.version[3]);
    }
}

TEST_F(SessionTest, IdentifierWordsAreShownLastFirst) {
    identity.words = {0x00000001, 0x00000002, 0x00000003};
    identifyAs({7, 0, 1, 0});
    EXPECT_EQ(host.logTexts().front(), "Vek v7.0.1.0\r\nId: 00000003 00000002 00000001");
}

TEST_F(SessionTest, ProductionListTakesACurrentUnitOnce) {
    identifyAs({4, 0, 2, 47});
    pump();
    EXPECT_EQ(host.idList, (std::vector<std::string>{"33333333 22222222 11111111"}));
    EXPECT_EQ(host.idListCount, "1");
    EXPECT_EQ(host.edit1, "333333332222222211111111");

    // The same unit in a later connection is not listed again...
    session.portOpened();
    identifyAs({4, 0, 2, 47});
    pump();
    EXPECT_EQ(host.idList.size(), 1u);
    // ...another one is,
    identity.words[0] = 0x0000ABCD;
    session.portOpened();
    identifyAs({41, 0, 2, 47});
    pump();
    EXPECT_EQ(host.idList.back(), "33333333 22222222 0000ABCD");
    EXPECT_EQ(host.idListCount, "2");
    EXPECT_EQ(host.edit1, "33333333222222220000ABCD");
    // ...and after the list is cleared, any unit is.
    session.clearIdList();
    session.portOpened();
    identifyAs({41, 0, 2, 47});
    EXPECT_EQ(host.idList.size(), 3u);
    EXPECT_EQ(host.idListCount, "1");

    // A list kept from an earlier run: its last unit is not listed again,
    // and the count goes on.
    session.restoreIdList(7, {0x0000ABCD, 0x22222222, 0x33333333});
    session.portOpened();
    identifyAs({41, 0, 2, 47});
    EXPECT_EQ(host.idList.size(), 3u);
    identity.words[0] = 0x00000001;
    session.portOpened();
    identifyAs({4, 0, 2, 47});
    EXPECT_EQ(host.idListCount, "8");
}

TEST_F(SessionTest, IdentificationIsHandledOncePerConnection) {
    identifyAs({7, 0, 1, 0});
    identifyAs({7, 0, 1, 0});
    EXPECT_EQ(host.log.size(), 1u);
    session.portOpened();
    EXPECT_FALSE(session.identificationDone());
    identifyAs({7, 0, 1, 0});
    EXPECT_EQ(host.log.size(), 2u);
}

TEST_F(SessionTest, ShortIdentificationIsIgnored) {
    Bytes payload = protocol::parseFrame(identificationFrame(identity))->payload;
    payload.pop_back();
    arrive(unitFrame(protocol::RspIdentification, payload));
    EXPECT_TRUE(host.trace.empty());
    EXPECT_FALSE(session.identificationDone());
}

TEST_F(SessionTest, OperationModeIdentificationAndNotice) {
    identity.mode = 0;
    identifyAs({4, 0, 2, 47});
    EXPECT_EQ(host.logTexts(), kOperationModeLines);
    EXPECT_EQ(host.deferredCloses, 1);
    EXPECT_FALSE(host.portListEnabled);
    EXPECT_FALSE(session.identificationDone());
    EXPECT_TRUE(host.writes.empty());

    host.forget();
    arrive(unitFrame(protocol::RspOperationMode));
    EXPECT_EQ(host.logTexts(), kOperationModeLines);
    EXPECT_EQ(host.deferredCloses, 2);
}

// --- dispatch -------------------------------------------------------------

TEST_F(SessionTest, WrongDestinationIsReportedAndDropped) {
    identifyAs({41, 1, 2, 46});  // a firmware transfer runs
    host.forget();
    arrive(protocol::buildFrame(protocol::RspAck, Bytes{0, 1}, 0x21));
    EXPECT_EQ(host.logTexts(), (std::vector<std::string>{"Destino inválido!"}));
    EXPECT_TRUE(host.writes.empty());  // the acknowledgement did not count
    arrive(protocol::buildFrame(protocol::RspAck, Bytes{0, 1}, 0x02));
    EXPECT_EQ(host.writes.size(), 1u);  // this one does: block 2 goes out
}

TEST_F(SessionTest, RepliesThatBelongToNoOperationChangeNothing) {
    unit.silent = true;
    identifyAs({7, 0, 1, 0});  // nothing runs
    host.forget();
    arrive(ackFrame(1));
    arrive(nackFrame());
    arrive(dataFrame(identity.configBase, Bytes(500, 0)));
    arrive(dataFrame(identity.configBase + 2000, Bytes(32, 0)));
    arrive(unitFrame(0x09, Bytes{1, 2, 3}));
    EXPECT_TRUE(host.trace.empty());
    EXPECT_EQ(session.counters().Nacks, 0u);

    // Nor does an acknowledgement after a finished write.
    unit.silent = false;
    host.formModel = formOf(config::applyDefaults);
    session.setConfig();
    pump();
    ASSERT_TRUE(host.logged(kSucceeded));
    host.forget();
    arrive(ackFrame(44));
    arrive(ackFrame(1));
    EXPECT_TRUE(host.trace.empty());
}

TEST_F(SessionTest, RepliesSplitIntoPiecesAreStillHandled) {
    const Bytes frame = identificationFrame(identity);
    arrive(std::span(frame).first(3));
    EXPECT_TRUE(session.partialFramePending());
    arrive(std::span(frame).subspan(3, 20));
    arrive(std::span(frame).subspan(23));
    EXPECT_FALSE(session.partialFramePending());
    EXPECT_TRUE(session.identificationDone());
    EXPECT_EQ(host.logTexts().front(), "Vek v4.0.2.47\r\nId: 33333333 22222222 11111111");
}

TEST_F(SessionTest, ShortFragmentDuringATransferResendsAtOnce) {
    unit.silent = true;
    identifyAs({4, 0, 2, 46});
    ASSERT_EQ(host.writes.size(), 1u);
    const Bytes ack = ackFrame(1);
    arrive(std::span(ack).first(6));  // the acknowledgement is cut short
    ASSERT_TRUE(session.partialFramePending());
    session.partialFrameExpired();
    EXPECT_EQ(session.counters().Code10, 1u);
    ASSERT_EQ(host.writes.size(), 1u);  // an idle step, not yet a resend
    session.timer1Tick();
    session.timer1Tick();  // idle step 3
    EXPECT_EQ(host.writes.size(), 2u);
    EXPECT_EQ(host.writes[1], host.writes[0]);

    // Outside a transfer a fragment is only counted.
    FakeHost h;
    Session idle{h};
    idle.bytesArrived(std::span(ack).first(6));
    idle.partialFrameExpired();
    EXPECT_EQ(idle.counters().Code10, 1u);
    EXPECT_TRUE(h.trace.empty());
}

TEST_F(SessionTest, CountersAppearInTheFailureBox) {
    unit.silent = true;
    identifyAs({4, 0, 2, 46});
    arrive(Bytes{0x01, 0x02});  // garbage: Code15
    arrive(nackFrame());        // Nacks
    Bytes nackAndStray = nackFrame();
    nackAndStray.push_back(0x00);
    arrive(nackAndStray);  // Nacks, and surplus: Code20
    const Bytes ack = ackFrame(1);
    arrive(std::span(ack).first(4));
    session.partialFrameExpired();  // Code10
    for (int i = 0; i < 10 && host.boxes.empty(); ++i) session.timer1Tick();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text,
              "A operação não foi concluida!\r\nNacks = 2\r\nCode10 = 1\r\nCode15 = 1\r\nCode20 = 1");
    EXPECT_EQ(host.boxes[0].caption, "ERRO #0x02");
}

// --- firmware ---------------------------------------------------------------

TEST_F(SessionTest, FirmwareUpdateThenTheUnitIsFoundUpToDate) {
    identifyAs({4, 0, 2, 46});
    pump();
    EXPECT_EQ(unit.transferKind, protocol::CmdFirmwareBlock);
    ASSERT_EQ(unit.received.size(), vek::transfer::kFirmwareSize);
    EXPECT_TRUE(std::equal(unit.received.begin(), unit.received.end(), vek::transfer::kFirmwareData));
    EXPECT_EQ(unit.checkBytes, (Bytes{0xD7, 0x00, 0x79, 0xC8, 0x9D}));
    const auto lines = host.logTexts();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 4, lines.end()),
              (std::vector<std::string>{kStarting, "Atualizando firmware...", kSucceeded, ""}));
    EXPECT_FALSE(session.identificationDone());
    EXPECT_FALSE(host.setConfigEnabled);

    // The unit restarts with the new firmware and announces itself again.
    host.forget();
    identifyAs({4, 0, 2, 47});
    pump();
    EXPECT_EQ(host.logTexts(), (std::vector<std::string>{"Vek v4.0.2.47\r\nId: 33333333 22222222 11111111",
                                                          kUpToDate, kReading,
                                                          "Leitura da configuração interna concluída!"}));
    EXPECT_TRUE(host.setConfigEnabled);
}

TEST_F(SessionTest, FirmwareOnlyForUnitsThatRunIt) {
    identifyAs({7, 0, 1, 0});
    session.firmwareUpdate();
    EXPECT_TRUE(host.writes.empty());
    session.portOpened();
    identifyAs({3, 0, 2, 47});
    pump();
    host.forget();
    session.firmwareUpdate();
    EXPECT_EQ(codesWritten(), (std::vector<int>{1}));
}

TEST_F(SessionTest, JumpFrameOnlyWhileThePortIsOpen) {
    session.jump();
    EXPECT_EQ(host.writes, (std::vector<Bytes>{Bytes{0xBC, 0x21, 0x05, 0x00, 0x00, 0x00, 0x00, 0xE2}}));
    host.open = false;
    session.jump();
    EXPECT_EQ(host.writes.size(), 1u);
}

// --- configuration ----------------------------------------------------------

TEST_F(SessionTest, ValidConfigurationFillsTheForm) {
    unit.memory = imageOf(config::applyNorvale);
    identifyAs({3, 0, 2, 47});
    pump();
    EXPECT_EQ(host.formModel, formOf(config::applyNorvale));
    EXPECT_EQ(host.log.back().text, "Leitura da configuração interna concluída!");
    EXPECT_TRUE(host.setConfigEnabled);
    EXPECT_EQ(codesWritten(), (std::vector<int>(5, 7)));
    EXPECT_EQ(host.progress, (std::vector<int>{2, 3, 4, 5, 0}));
}

TEST_F(SessionTest, ReadClearsTheThreeSelectionsFirst) {
    unit.silent = true;
    host.formModel = formOf(config::applyDefaults);
    identifyAs({3, 0, 2, 47});
    EXPECT_EQ(host.formModel.ping, -1);
    EXPECT_EQ(host.formModel.a232, -1);
    EXPECT_EQ(host.formModel.b232, -1);
    EXPECT_EQ(host.formModel.text, formOf(config::applyDefaults).text);
}

TEST_F(SessionTest, InvalidConfigurationIsReplacedByAPresetAndWritten) {
    struct Case {
        const char* name;
        bool norvale;
        void (*preset)(config::FormModel&);
        const char* preparing;
    };
    const Case cases[] = {
        {"default", false, config::applyDefaults, "Preparando configuração padrão..."},
        {"norvale", true, config::applyNorvale, "Preparando configuração Norvale..."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeHost h;
        FakeUnit u;
        h.onWrite = [&u](const Bytes& f) { u.receive(f); };
        h.norvale = c.norvale;
        u.memory.fill(0xFF);  // never written
        Session s{h};
        s.portOpened();
        UnitIdentity id;
        id.version = {4, 0, 2, 47};
        s.bytesArrived(identificationFrame(id));
        while (!u.outbox.empty()) {
            const Bytes b = u.outbox.front();
            u.outbox.pop_front();
            s.bytesArrived(b);
        }
        const auto lines = h.logTexts();
        const auto bad = std::find(lines.begin(), lines.end(), "Configuração inválida!");
        ASSERT_NE(bad, lines.end());
        EXPECT_TRUE(h.log[static_cast<std::size_t>(bad - lines.begin())].warning);
        EXPECT_EQ(std::vector<std::string>(bad, lines.end()),
                  (std::vector<std::string>{"Configuração inválida!", c.preparing, kStarting,
                                            "Atualizando configuração...", kSucceeded, kVerified}));
        EXPECT_EQ(u.transferKind, protocol::CmdConfigBlock);
        EXPECT_EQ(u.memory, imageOf(c.preset));
        EXPECT_EQ(h.formModel, formOf(c.preset));
        const config::Image written = imageOf(c.preset);
        EXPECT_EQ(u.checkBytes[0], config::checkXor(written));
        EXPECT_EQ(protocol::getU32(u.checkBytes, 1), config::checkSum(written));
        EXPECT_TRUE(h.setConfigEnabled);
    }
}

TEST_F(SessionTest, RefusedFieldIsEmptiedAndNothingIsSent) {
    host.formModel = formOf(config::applyDefaults);
    host.formModel.text[config::RBGL] = "1001";
    session.setConfig();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, "Parâmetro inválido!\r\n[Rotação max. Banguela]");
    EXPECT_EQ(host.boxes[0].caption, "Erro");
    EXPECT_EQ(host.boxes[0].icon, vek::session::BoxIcon::Warning);
    EXPECT_EQ(host.formModel.text[config::RBGL], "");
    EXPECT_EQ(host.formModel.text[config::VMX], "120");
    EXPECT_TRUE(host.writes.empty());
    EXPECT_TRUE(host.log.empty());
}

TEST_F(SessionTest, WriteLandsInTheUnitAndMayCloseThePort) {
    struct Case {
        std::array<std::uint8_t, 4> version;
        bool autoClose;
        bool closes;
    };
    for (const Case c : {Case{{4, 0, 2, 47}, true, true}, Case{{41, 9, 2, 47}, true, true},
                         Case{{3, 0, 2, 47}, true, false}, Case{{4, 0, 2, 47}, false, false}}) {
        SCOPED_TRACE(std::to_string(c.version[0]) + (c.autoClose ? " auto" : ""));
        host = FakeHost{};
        host.onWrite = [this](const Bytes& f) { unit.receive(f); };
        host.autoClose = c.autoClose;
        session.portOpened();
        identifyAs(c.version);
        pump();
        ASSERT_TRUE(host.setConfigEnabled);
        host.formModel.text[config::VMX] = "101";
        host.setConfigEnabled = false;
        session.setConfig();
        pump();
        config::FormModel expected = formOf(config::applyDefaults);
        expected.text[config::VMX] = "101";
        config::Image image{};
        ASSERT_FALSE(config::encode(expected, image));
        EXPECT_EQ(unit.memory, image);
        EXPECT_TRUE(host.setConfigEnabled);
        EXPECT_EQ(host.deferredCloses, c.closes ? 1 : 0);
        EXPECT_EQ(host.portListEnabled, c.closes);
        if (c.closes) {
            // Closed only once the record read back matched.
            EXPECT_EQ(std::vector<std::string>(host.trace.end() - 4, host.trace.end()),
                      (std::vector<std::string>{"log:" + std::string(kVerified), "portList:on", "deferredClose",
                                                "finished:ok"}));
        }
        unit.memory = imageOf(config::applyDefaults);
    }
}

// --- one operation at a time -------------------------------------------------

TEST_F(SessionTest, StartingAReadAbandonsARunningTransfer) {
    unit.silent = true;
    identifyAs({4, 0, 2, 46});
    ASSERT_TRUE(host.timer1);
    session.getConfig();
    EXPECT_FALSE(host.timer1);
    EXPECT_TRUE(host.timer3);
    host.forget();
    arrive(ackFrame(1));  // a late acknowledgement for the abandoned transfer
    session.timer1Tick();
    EXPECT_TRUE(host.writes.empty());
    EXPECT_TRUE(host.log.empty());
}

TEST_F(SessionTest, StartingAWriteAbandonsARunningRead) {
    unit.silent = true;
    identifyAs({4, 0, 2, 47});
    ASSERT_TRUE(host.timer3);
    host.formModel = formOf(config::applyDefaults);
    session.setConfig();
    EXPECT_FALSE(host.timer3);
    EXPECT_TRUE(host.timer1);
    host.forget();
    arrive(dataFrame(identity.configBase, Bytes(500, 0)));  // late data for the abandoned read
    session.timer3Tick();
    EXPECT_TRUE(host.trace.empty());
}

TEST_F(SessionTest, ARefusedWriteLeavesARunningTransferAlone) {
    unit.silent = true;
    host.formModel = formOf(config::applyDefaults);
    session.setConfig();
    const Bytes firstBlock = host.writes.back();
    host.formModel.text[config::TVMX] = "";
    session.setConfig();
    EXPECT_EQ(host.boxes.size(), 1u);
    EXPECT_TRUE(host.timer1);
    session.timer1Tick();
    session.timer1Tick();
    session.timer1Tick();  // idle step 3: the same block again, unchanged
    EXPECT_EQ(host.writes.back(), firstBlock);
}

// --- remote command list -------------------------------------------------------

TEST_F(SessionTest, RemoteListReplacesTheLogAndEmptiesRefusedFields) {
    host.appendLog("old line");
    host.formModel = formOf(config::applyDefaults);
    host.formModel.text[config::VMX] = "151";
    host.trace.clear();
    session.remoteCommandList();
    ASSERT_EQ(host.log.size(), 10u);
    EXPECT_EQ(host.trace.front(), "clearLog");
    EXPECT_EQ(host.log[0].text, "Comandos de configuração remota:");
    EXPECT_EQ(host.log[5].text, "Parâmetro inválido! [Velocidade]");
    EXPECT_EQ(host.formModel.text[config::VMX], "");
    EXPECT_TRUE(host.writes.empty());
}

// --- read-back of a write ----------------------------------------------------

TEST_F(SessionTest, AWriteIsReadBackAndComparedBeforeItCounts) {
    struct Case {
        const char* name;
        int storeWrongAt;
        bool silentReads;
        bool verify;
        bool ok;
        std::string lastLine;
        long mismatchAt;
    };
    const Case cases[] = {
        {"match", -1, false, true, true, kVerified, -1},
        {"mismatch", 700, false, true, false,
         "A configuração lida de volta difere da gravada a partir do byte 700 (gravado 0xFF, lido 0xA5)! "
         "Grave novamente.",
         700},
        {"read-back unanswered", -1, true, true, false,
         "Não foi possível ler de volta a configuração gravada: a gravação não está confirmada! Grave novamente.", -1},
        {"read-back off", 700, false, false, true, kSucceeded, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host = FakeHost{};
        host.onWrite = [this](const Bytes& f) { unit.receive(f); };
        host.autoClose = true;
        unit = FakeUnit{};
        unit.configBase = identity.configBase;
        unit.memory = imageOf(config::applyDefaults);
        session::Options options = session.options();
        options.verifyWrites = c.verify;
        session.setOptions(options);
        session.portOpened();
        identifyAs({4, 0, 2, 47});
        pump();
        unit.storeWrongAt = c.storeWrongAt;
        unit.silentReads = c.silentReads;
        const int readsBefore = unit.reads;
        host.formModel = formOf(config::applyNorvale);
        session.setConfig();
        pump();
        for (int tick = 0; tick < 12 && session.operation() != session::Operation::None; ++tick) session.timer3Tick();

        EXPECT_EQ(unit.reads - readsBefore, c.verify ? (c.silentReads ? 4 : 5) : 0);
        ASSERT_FALSE(host.outcomes.empty());
        const session::Finished& end = host.outcomes.back();
        EXPECT_EQ(end.operation, session::Operation::Write);
        EXPECT_EQ(end.ok, c.ok);
        EXPECT_EQ(end.mismatchAt, c.mismatchAt);
        ASSERT_FALSE(host.log.empty());
        EXPECT_EQ(host.log.back().text, c.lastLine);
        EXPECT_EQ(host.log.back().warning, !c.ok);
        // Only a confirmed write may close the port on its own.
        EXPECT_EQ(host.deferredCloses, c.ok ? 1 : 0);
        EXPECT_EQ(host.boxes.size(), c.silentReads ? 1u : 0u);
    }
}

TEST_F(SessionTest, StepByStepTheSessionOnlyReportsAndNeverRepairs) {
    session::Options options = session.options();
    options.followIdentification = false;
    session.setOptions(options);
    identifyAs({4, 0, 2, 46});  // would need new firmware
    EXPECT_TRUE(host.writes.empty());
    EXPECT_TRUE(session.identificationDone());

    unit.memory.fill(0xFF);  // never written
    session.getConfig();
    pump();
    ASSERT_FALSE(host.outcomes.empty());
    EXPECT_EQ(host.outcomes.back().operation, session::Operation::Read);
    EXPECT_FALSE(host.outcomes.back().ok);
    EXPECT_EQ(unit.blocks, 0);  // nothing written over it
    EXPECT_EQ(session.readImage(), unit.memory);
}
