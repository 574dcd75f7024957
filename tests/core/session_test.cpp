#include <gtest/gtest.h>

#include <functional>
#include <optional>

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
const char* const kCopyReading = "Lendo uma cópia da configuração do Vek antes de alterá-lo...";
const char* const kRestarting = "Firmware enviado: o Vek está reiniciando com o novo firmware...";
const char* const kReadDone = "Leitura da configuração interna concluída!";
const char* const kDiscontinued =
    "Essa versão do vek está descontinuada, entre em contato com a Marovec para mais informações!";

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
public:
    void TestBody() override {}  // also made by hand, one per row of a table

    FakeHost host;
    FakeUnit unit;
    Session session{host};
    UnitIdentity identity;

    SessionTest() {
        host.onWrite = [this](const Bytes& f) { unit.receive(f); };
        unit.configBase = identity.configBase;
        unit.memory = imageOf(config::applyDefaults);
        // These tests follow the road's steps on the wire; the copy taken
        // before a change has tests of its own (SessionCopy, SessionRoad).
        session::Plan plan = session::Plan::window();
        plan.withoutCopy = true;
        session.setPlan(plan);
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
        // The copy of what the unit holds is read before new firmware goes in.
        {{41, 1, 2, 46}, {"Vek v41.1.2.46" + id, kCopyReading}, {false, false}, 7, false},
        {{4, 0, 255, 255}, {"Vek v4.0.255.255" + id, kCopyReading}, {false, false}, 7, false},
        {{2, 5, 0, 0}, {"Vek v2.5.0.0" + id, kDiscontinued, kReading}, {false, true, false}, 7, false},
        // Left alone: the view words why, from the outcome.
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
        ASSERT_EQ(h.identifications.size(), 1u);
        EXPECT_EQ(h.identifications[0].listed, c.listed);
        EXPECT_TRUE(s.identificationDone());
        EXPECT_EQ(s.unit().version.a, c.version[0]);
        EXPECT_EQ(s.unit().version.d, c.version[3]);
    }
}

TEST_F(SessionTest, IdentifierWordsAreShownLastFirst) {
    identity.words = {0x00000001, 0x00000002, 0x00000003};
    identifyAs({7, 0, 1, 0});
    EXPECT_EQ(host.logTexts().front(), "Vek v7.0.1.0\r\nId: 00000003 00000002 00000001");
}

TEST_F(SessionTest, ProductionListTakesACurrentUnitOnce) {
    const auto listedNow = [this] {
        EXPECT_FALSE(host.identifications.empty());
        return !host.identifications.empty() && host.identifications.back().listed;
    };
    identifyAs({4, 0, 2, 47});
    pump();
    EXPECT_TRUE(listedNow());
    EXPECT_EQ(protocol::idDigits(host.identifications.back().unit.id), "333333332222222211111111");

    // The same unit in a later connection is not listed again...
    session.portOpened();
    identifyAs({4, 0, 2, 47});
    pump();
    EXPECT_FALSE(listedNow());
    // ...nor is a unit that needs new firmware,
    identity.words[0] = 0x00000001;
    session.setPlan(session::Plan::identify());
    session.portOpened();
    identifyAs({4, 0, 2, 46});
    EXPECT_FALSE(listedNow());
    // ...another current one is,
    identity.words[0] = 0x0000ABCD;
    session.portOpened();
    identifyAs({41, 0, 2, 47});
    EXPECT_TRUE(listedNow());
    EXPECT_EQ(protocol::idDigits(host.identifications.back().unit.id), "33333333222222220000ABCD");
    // ...and after the list is cleared, the same one is again.
    session.portOpened();
    identifyAs({41, 0, 2, 47});
    EXPECT_FALSE(listedNow());
    session.clearIdList();
    session.portOpened();
    identifyAs({41, 0, 2, 47});
    EXPECT_TRUE(listedNow());
    EXPECT_EQ(host.identifications.size(), 6u);
}

TEST_F(SessionTest, IdentificationIsHandledOncePerConnection) {
    const std::string line = "Vek v7.0.1.0\r\nId: 33333333 22222222 11111111";
    identifyAs({7, 0, 1, 0});
    identifyAs({7, 0, 1, 0});
    EXPECT_EQ(host.countLog(line), 1);
    EXPECT_EQ(host.outcomes.size(), 1u);
    session.portOpened();
    EXPECT_FALSE(session.identificationDone());
    identifyAs({7, 0, 1, 0});
    EXPECT_EQ(host.countLog(line), 2);
    EXPECT_EQ(host.identifications.size(), 2u);
}

TEST_F(SessionTest, ShortIdentificationIsIgnored) {
    Bytes payload = protocol::parseFrame(identificationFrame(identity))->payload;
    payload.pop_back();
    arrive(unitFrame(protocol::RspIdentification, payload));
    EXPECT_TRUE(host.trace.empty());
    EXPECT_FALSE(session.identificationDone());
}

// A view that must first put the unit on record holds the road: nothing
// reaches the unit until go(), and a unit left alone while held gets nothing.
TEST_F(SessionTest, AHeldRoadSendsNothingUntilGo) {
    config::FormModel form;
    config::applyDefaults(form);
    session.setPlan(session::Plan::production(form));
    host.onIdentified = [this](const protocol::Identification&, bool) { session.hold(); };
    identifyAs({4, 0, 2, 47});
    EXPECT_TRUE(host.writes.empty());
    EXPECT_TRUE(session.holding());
    EXPECT_TRUE(host.outcomes.empty());
    session.go();
    EXPECT_FALSE(session.holding());
    ASSERT_FALSE(host.writes.empty());
    EXPECT_EQ(host.writes[0][2], 7);  // the road goes on: the copy's read before its write

    // Held, then left alone: the road ends there and go() starts nothing.
    host.forget();
    session.portOpened();
    identifyAs({4, 0, 2, 47});
    session.leaveAlone();
    session.go();
    EXPECT_TRUE(host.writes.empty());
}

TEST_F(SessionTest, OperationModeIdentificationAndNotice) {
    identity.mode = 0;
    identifyAs({4, 0, 2, 47});
    EXPECT_TRUE(host.logTexts().empty());  // the views word the steps
    EXPECT_EQ(host.deferredCloses, 1);
    EXPECT_FALSE(session.identificationDone());
    EXPECT_TRUE(host.writes.empty());
    EXPECT_TRUE(host.identifications.empty());
    ASSERT_EQ(host.outcomes.size(), 1u);
    EXPECT_EQ(host.outcomes[0].kind, session::Kind::OperationMode);
    EXPECT_EQ(host.outcomes[0].unit.version.d, 47);

    host.forget();
    arrive(unitFrame(protocol::RspOperationMode));
    EXPECT_TRUE(host.logTexts().empty());  // the views word the steps
    EXPECT_EQ(host.deferredCloses, 2);
    ASSERT_EQ(host.outcomes.size(), 2u);
    EXPECT_EQ(host.outcomes[1].kind, session::Kind::OperationMode);
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
    session.portOpened();
    session.setPlan(session::Plan::identify());
    identifyAs({4, 0, 2, 47});
    host.formModel = formOf(config::applyDefaults);
    ASSERT_EQ(session.setConfig(), session::Kind::Ok);
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

TEST_F(SessionTest, TheFailureCarriesTheLinksCounters) {
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
    for (int i = 0; i < 10 && host.outcomes.empty(); ++i) session.timer1Tick();
    ASSERT_EQ(host.outcomes.size(), 1u);
    const session::Outcome& end = host.outcomes[0];
    EXPECT_EQ(end.kind, session::Kind::Timeout);
    EXPECT_EQ(end.operation, session::Operation::Firmware);
    EXPECT_FALSE(end.firmwareSent);
    EXPECT_EQ(end.counters.Nacks, 2u);
    EXPECT_EQ(end.counters.Code10, 1u);
    EXPECT_EQ(end.counters.Code15, 1u);
    EXPECT_EQ(end.counters.Code20, 1u);
    EXPECT_TRUE(host.restarts.empty());
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
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
              (std::vector<std::string>{kStarting, "Atualizando firmware...", kRestarting}));
    EXPECT_FALSE(host.logged(kSucceeded));  // not before the unit shows it
    EXPECT_FALSE(session.identificationDone());
    EXPECT_TRUE(session.awaitingReturn());
    ASSERT_EQ(host.restarts.size(), 1u);
    EXPECT_TRUE(host.outcomes.empty());

    // The unit restarts with the new firmware and announces itself again.
    host.forget();
    identifyAs({4, 0, 2, 47});
    pump();
    EXPECT_EQ(host.logTexts(), (std::vector<std::string>{"Vek v4.0.2.47\r\nId: 33333333 22222222 11111111",
                                                          kSucceeded, "", kUpToDate, kReading, kReadDone}));
    EXPECT_FALSE(session.awaitingReturn());
    ASSERT_EQ(host.outcomes.size(), 1u);
    EXPECT_EQ(host.outcomes[0].kind, session::Kind::Ok);
    EXPECT_TRUE(host.outcomes[0].firmwareSent);
    EXPECT_EQ(host.outcomes[0].versionBefore->d, 46);
    EXPECT_EQ(host.outcomes[0].versionAfter->d, 47);
}

TEST_F(SessionTest, FirmwareOnlyForUnitsThatRunIt) {
    session::Plan flash = session::Plan::flash(true);
    flash.withoutCopy = true;
    session.setPlan(flash);
    identifyAs({7, 0, 1, 0});
    EXPECT_TRUE(host.writes.empty());
    ASSERT_EQ(host.outcomes.size(), 1u);
    EXPECT_EQ(host.outcomes[0].kind, session::Kind::TypeLeftAlone);
    session.portOpened();
    identifyAs({3, 0, 2, 47});
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
    EXPECT_EQ(host.log.back().text, kReadDone);
    ASSERT_EQ(host.outcomes.size(), 1u);
    EXPECT_EQ(host.outcomes[0].kind, session::Kind::Ok);
    EXPECT_EQ(host.outcomes[0].form, formOf(config::applyNorvale));
    EXPECT_EQ(host.outcomes[0].image, unit.memory);
    EXPECT_EQ(host.outcomes[0].faults, 0);
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
        ASSERT_EQ(h.outcomes.size(), 1u);
        EXPECT_EQ(h.outcomes[0].preset, c.name);
        EXPECT_GT(h.outcomes[0].faults, 0);
        EXPECT_TRUE(h.outcomes[0].verified);
    }
}

TEST_F(SessionTest, RefusedFieldIsEmptiedAndNothingIsSent) {
    session.setPlan(session::Plan::identify());
    identifyAs({4, 0, 2, 47});
    host = FakeHost{};
    host.formModel = formOf(config::applyDefaults);
    host.formModel.text[config::RBGL] = "1001";
    session.setConfig();
    ASSERT_EQ(host.outcomes.size(), 1u);
    const session::Outcome& end = host.outcomes[0];
    EXPECT_EQ(end.kind, session::Kind::Refused);
    EXPECT_FALSE(end.written);
    ASSERT_TRUE(end.fault);
    EXPECT_EQ(end.fault->field, config::RBGL);
    EXPECT_EQ(end.fault->value, "1001");
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
        ASSERT_EQ(host.outcomes.size(), 1u);
        ASSERT_TRUE(host.outcomes[0].ok());
        host.formModel.text[config::VMX] = "101";
        session.setConfig();
        pump();
        config::FormModel expected = formOf(config::applyDefaults);
        expected.text[config::VMX] = "101";
        config::Image image{};
        ASSERT_FALSE(config::encode(expected, image));
        EXPECT_EQ(unit.memory, image);
        ASSERT_EQ(host.outcomes.size(), 2u);
        EXPECT_TRUE(host.outcomes[1].ok());
        EXPECT_TRUE(host.outcomes[1].verified);
        EXPECT_EQ(host.deferredCloses, c.closes ? 1 : 0);
        // Closed only once the record read back matched.
        // The read-back is kept as a copy, like a read.
        std::vector<std::string> tail{"log:" + std::string(kSucceeded), "log:" + std::string(kVerified), "keepCopy"};
        if (c.closes) tail.push_back("deferredClose");
        tail.push_back("finished:ok");
        ASSERT_GE(host.trace.size(), tail.size());
        EXPECT_EQ(std::vector<std::string>(host.trace.end() - static_cast<long>(tail.size()), host.trace.end()), tail);
        unit.memory = imageOf(config::applyDefaults);
    }
}

// --- one operation at a time -------------------------------------------------

// A port lost while the road waits between steps ends it as PortLost, made
// by the session; one lost under a transfer is left to the transfer, which
// ends it with the link's counters.
TEST_F(SessionTest, APortLostBetweenStepsEndsTheRoadOnceAndATransferEndsItsOwn) {
    config::FormModel form;
    config::applyDefaults(form);
    session.setPlan(session::Plan::production(form));
    host.onIdentified = [this](const protocol::Identification&, bool) { session.hold(); };
    identifyAs({4, 0, 2, 47});
    ASSERT_TRUE(session.holding());
    session.portLost();
    ASSERT_EQ(host.outcomes.size(), 1u);
    EXPECT_EQ(host.outcomes[0].kind, session::Kind::PortLost);
    EXPECT_EQ(host.outcomes[0].operation, session::Operation::None);
    EXPECT_EQ(host.outcomes[0].unit.version.d, 47);
    session.portLost();
    EXPECT_EQ(host.outcomes.size(), 1u) << "a road ends once";

    host.forget();
    host.outcomes.clear();
    host.onIdentified = nullptr;
    session.setPlan(session::Plan::window());
    unit.silent = true;
    session.portOpened();
    identifyAs({4, 0, 2, 46});
    ASSERT_NE(session.operation(), session::Operation::None);  // the copy's read, before the firmware
    session.portLost();
    EXPECT_TRUE(host.outcomes.empty()) << "the transfer ends its own road";
}

TEST_F(SessionTest, ReopeningThePortAbandonsARunningTransferWithoutAWord) {
    unit.silent = true;
    identifyAs({4, 0, 2, 46});
    ASSERT_TRUE(host.timer1);
    session.portOpened();
    EXPECT_FALSE(host.timer1);
    EXPECT_EQ(session.operation(), session::Operation::None);
    host.forget();
    arrive(ackFrame(1));  // a late acknowledgement for the abandoned transfer
    session.timer1Tick();
    EXPECT_TRUE(host.writes.empty());
    EXPECT_TRUE(host.log.empty());
    EXPECT_TRUE(host.outcomes.empty());
    EXPECT_FALSE(session.awaitingReturn());
}

// Asked while a road runs, a write is refused and nothing of the running
// road changes: the read, the write and the refused form alike.
TEST_F(SessionTest, AWriteAskedWhileARoadRunsIsRefusedAndTheRoadGoesOn) {
    unit.silent = true;
    identifyAs({4, 0, 2, 47});  // the window's road: reading
    ASSERT_TRUE(host.timer3);
    host.formModel = formOf(config::applyDefaults);
    host.forget();
    EXPECT_EQ(session.setConfig(), session::Kind::Busy);
    host.formModel.text[config::TVMX] = "";  // a form the write would refuse: still Busy first
    EXPECT_EQ(session.setConfig(), session::Kind::Busy);
    EXPECT_TRUE(host.timer3);
    EXPECT_FALSE(host.timer1);
    EXPECT_TRUE(host.writes.empty());
    EXPECT_TRUE(host.outcomes.empty());
}

// The refused form is a road of its own that ends at once, when nothing runs.
TEST_F(SessionTest, ARefusedFormEndsAtOnceAndTheNextWriteGoesIn) {
    session.setPlan(session::Plan::identify());
    identifyAs({4, 0, 2, 47});
    host.outcomes.clear();
    host.formModel = formOf(config::applyDefaults);
    host.formModel.text[config::TVMX] = "";
    EXPECT_EQ(session.setConfig(), session::Kind::Ok);
    ASSERT_EQ(host.outcomes.size(), 1u);
    EXPECT_EQ(host.outcomes[0].kind, session::Kind::Refused);
    EXPECT_TRUE(host.writes.empty());
    host.formModel = formOf(config::applyDefaults);
    EXPECT_EQ(session.setConfig(), session::Kind::Ok);
    pump();
    for (int tick = 0; tick < 20 && session.operation() != session::Operation::None; ++tick) session.timer3Tick();
    pump();
    for (int tick = 0; tick < 20 && session.operation() != session::Operation::None; ++tick) session.timer3Tick();
    EXPECT_EQ(unit.memory, imageOf(config::applyDefaults));
    ASSERT_EQ(host.outcomes.size(), 2u);
    EXPECT_EQ(host.outcomes[1].kind, session::Kind::Ok);
    EXPECT_TRUE(host.outcomes[1].verified);
}

TEST_F(SessionTest, ABackupGoesBackByteForByteEvenWhenItIsNoValidConfiguration) {
    session.setPlan(session::Plan::identify());
    identifyAs({4, 0, 2, 47});
    pump();
    host.outcomes.clear();
    // What a never-written unit held: no form can express it, the bytes can.
    config::Image held{};
    held.fill(0xFF);
    EXPECT_EQ(session.restore(session.unit().id, held), session::Kind::InvalidCopy);
    EXPECT_TRUE(host.writes.empty());
    EXPECT_EQ(session.restore(session.unit().id, held, true), session::Kind::Ok);
    pump();
    for (int tick = 0; tick < 10 && session.operation() != session::Operation::None; ++tick) session.timer3Tick();
    EXPECT_EQ(unit.memory, held);
    ASSERT_EQ(host.outcomes.size(), 1u);
    EXPECT_EQ(host.outcomes[0].kind, session::Kind::Ok);
    EXPECT_TRUE(host.outcomes[0].verified);
}

// --- one plan at a time, for the unit on the port ---------------------------

using Kind = session::Kind;

// Every action on a unit, asked in every state a road can be in: refused
// with its kind and nothing sent, or taken. Refusals leave the wire and the
// running road exactly as they were.
TEST_F(SessionTest, ActionsAreTakenOnlyForTheIdentifiedUnitWithNothingRunning) {
    enum class Action { Write, Restore, Flash };
    struct State {
        const char* name;
        std::function<void(SessionTest&)> reach;
        Kind write, restore, flash;
    };
    const auto identified = [](std::array<std::uint8_t, 4> v, session::Plan plan) {
        return [v, plan](SessionTest& t) {
            t.session.setPlan(plan);
            t.identifyAs(v);
            t.pump();
        };
    };
    session::Plan windowNoCopy = session::Plan::window();
    windowNoCopy.withoutCopy = true;
    const State states[] = {
        {"no unit yet", [](SessionTest&) {}, Kind::NotIdentified, Kind::NotIdentified, Kind::NotIdentified},
        {"reading", [](SessionTest& t) { t.unit.silent = true; t.identifyAs({4, 0, 2, 47}); },
         Kind::Busy, Kind::Busy, Kind::Busy},
        {"copying before firmware", [](SessionTest& t) { t.unit.silent = true; t.session.setPlan(session::Plan::window());
                                                         t.identifyAs({4, 0, 2, 46}); },
         Kind::Busy, Kind::Busy, Kind::Busy},
        {"firmware", [windowNoCopy](SessionTest& t) { t.unit.silent = true; t.session.setPlan(windowNoCopy);
                                                      t.identifyAs({4, 0, 2, 46}); },
         Kind::Busy, Kind::Busy, Kind::Busy},
        {"restarting", [windowNoCopy](SessionTest& t) { t.session.setPlan(windowNoCopy); t.identifyAs({4, 0, 2, 46});
                                                        t.pump(); },
         Kind::Busy, Kind::Busy, Kind::Busy},
        {"writing", [](SessionTest& t) { t.session.setPlan(session::Plan::identify()); t.identifyAs({4, 0, 2, 47});
                                         t.unit.silent = true; t.host.formModel = formOf(config::applyDefaults);
                                         ASSERT_EQ(t.session.setConfig(), Kind::Ok); },
         Kind::Busy, Kind::Busy, Kind::Busy},
        {"held by its view", [](SessionTest& t) {
             t.host.onIdentified = [&t](const protocol::Identification&, bool) { t.session.hold(); };
             t.identifyAs({4, 0, 2, 47}); },
         Kind::Busy, Kind::Busy, Kind::Busy},
        {"reopened: the unit before is no longer known",
         [](SessionTest& t) { t.session.setPlan(session::Plan::identify()); t.identifyAs({4, 0, 2, 47});
                              t.session.portOpened(); },
         Kind::NotIdentified, Kind::NotIdentified, Kind::NotIdentified},
        {"a type left alone", identified({7, 0, 1, 0}, session::Plan::identify()),
         Kind::TypeLeftAlone, Kind::TypeLeftAlone, Kind::TypeLeftAlone},
        {"in operation mode", [](SessionTest& t) { t.identity.mode = 0; t.identifyAs({4, 0, 2, 47}); },
         Kind::NotIdentified, Kind::NotIdentified, Kind::NotIdentified},
        {"needs firmware", identified({4, 0, 2, 46}, session::Plan::identify()),
         Kind::NeedsFirmware, Kind::NeedsFirmware, Kind::Ok},
        {"idle, identified", identified({4, 0, 2, 47}, session::Plan::identify()), Kind::Ok, Kind::Ok, Kind::Ok},
    };
    config::Image valid = imageOf(config::applyNorvale);
    for (const State& st : states) {
        for (const Action action : {Action::Write, Action::Restore, Action::Flash}) {
            for (const bool otherUnit : {false, true}) {
                SCOPED_TRACE(std::string(st.name) + (action == Action::Write     ? " / write"
                                                     : action == Action::Restore ? " / restore"
                                                                                 : " / flash") +
                             (otherUnit ? " / for another unit" : ""));
                SessionTest t;
                st.reach(t);
                const std::size_t writes = t.host.writes.size(), outcomes = t.host.outcomes.size();
                const bool timer1 = t.host.timer1, timer3 = t.host.timer3;
                const protocol::UnitId id = otherUnit ? protocol::UnitId{0x0000ABCD, 0x22222222, 0x33333333}
                                                      : t.session.unit().id;
                t.host.formModel = formOf(config::applyNorvale);
                Kind got = Kind::Ok;
                if (action == Action::Write) got = t.session.Session::setConfig(id, t.host.formModel);
                if (action == Action::Restore) got = t.session.restore(id, valid);
                if (action == Action::Flash) got = t.session.request(id, session::Plan::flash(true));
                Kind expected = action == Action::Write ? st.write : action == Action::Restore ? st.restore : st.flash;
                // Another unit is refused as such wherever a unit is known and idle.
                if (otherUnit && (expected == Kind::Ok || expected == Kind::NeedsFirmware ||
                                  expected == Kind::TypeLeftAlone))
                    expected = Kind::OtherUnit;
                EXPECT_EQ(session::kindName(got), session::kindName(expected));
                if (got != Kind::Ok) {
                    EXPECT_EQ(t.host.writes.size(), writes);
                    EXPECT_EQ(t.host.outcomes.size(), outcomes);
                    EXPECT_EQ(t.host.timer1, timer1);
                    EXPECT_EQ(t.host.timer3, timer3);
                } else {
                    // Taken: the road's first step is the copy's read.
                    ASSERT_GT(t.host.writes.size(), writes);
                    EXPECT_EQ(t.host.writes[writes][2], 7);
                    EXPECT_TRUE(t.session.busy());
                }
            }
        }
    }
}

// --- the copy before a change --------------------------------------------------

TEST_F(SessionTest, AChangeWhoseCopyIsNotKeptDoesNotStartUnlessAskedTo) {
    session.setPlan(session::Plan::identify());
    identifyAs({4, 0, 2, 47});
    pump();
    host.onKeepCopy = [](const config::Image&) {
        return session::Copy{.state = session::Copy::State::NotKept, .where = "/backups", .why = "disco cheio"};
    };
    const config::Image before = unit.memory;
    // A write, a restore and new firmware alike: the copy's read, then nothing.
    for (const session::Plan& plan : {session::Plan::writeOnly(formOf(config::applyNorvale), true),
                                      session::Plan::writeImageOnly(imageOf(config::applyNorvale), true),
                                      session::Plan::flash(true)}) {
        host.outcomes.clear();
        host.writes.clear();
        ASSERT_EQ(session.request(session.unit().id, plan), Kind::Ok);
        pump();
        for (int tick = 0; tick < 10 && session.busy(); ++tick) session.timer3Tick(), pump();
        ASSERT_EQ(host.outcomes.size(), 1u);
        EXPECT_EQ(host.outcomes[0].kind, Kind::CopyNotKept);
        ASSERT_TRUE(host.outcomes[0].copy);
        EXPECT_EQ(host.outcomes[0].copy->why, "disco cheio");
        EXPECT_FALSE(host.outcomes[0].written);
        for (const Bytes& w : host.writes) EXPECT_EQ(w[2], 7);  // reads only
        EXPECT_EQ(unit.memory, before);
    }
    // Asked to go without it: no read for a copy at all, and the outcome says so.
    session::Plan plan = session::Plan::writeOnly(formOf(config::applyNorvale), true);
    plan.withoutCopy = true;
    host.outcomes.clear();
    host.writes.clear();
    ASSERT_EQ(session.request(session.unit().id, plan), Kind::Ok);
    EXPECT_EQ(host.writes.front()[2], protocol::CmdConfigBlock);
    pump();
    for (int tick = 0; tick < 10 && session.busy(); ++tick) session.timer3Tick(), pump();
    ASSERT_EQ(host.outcomes.size(), 1u);
    EXPECT_EQ(host.outcomes[0].kind, Kind::Ok);
    ASSERT_TRUE(host.outcomes[0].copy);
    EXPECT_EQ(host.outcomes[0].copy->state, session::Copy::State::Skipped);
    EXPECT_EQ(unit.memory, imageOf(config::applyNorvale));
}

// A read, or a write read back equal, gives this connection what the unit
// holds: the next change needs no read of its own, so the write's wire order
// stays what it always was. A copy kept later holds the road until then.
TEST_F(SessionTest, AReadOrAVerifiedWriteIsTheCopyAndALaterCopyHoldsTheRoad) {
    identifyAs({4, 0, 2, 47});  // the window's road reads (its copy kept)
    pump();
    for (int tick = 0; tick < 10 && session.busy(); ++tick) session.timer3Tick(), pump();
    ASSERT_EQ(host.outcomes.size(), 1u);
    for (int press = 0; press < 2; ++press) {
        host.writes.clear();
        host.formModel = formOf(press == 0 ? config::applyNorvale : config::applyDefaults);
        ASSERT_EQ(session.setConfig(), Kind::Ok);
        EXPECT_EQ(host.writes.front()[2], protocol::CmdConfigBlock);  // no read first
        pump();
        for (int tick = 0; tick < 10 && session.busy(); ++tick) session.timer3Tick(), pump();
    }
    ASSERT_EQ(host.outcomes.size(), 3u);
    EXPECT_TRUE(host.outcomes[2].verified);

    // After a reopen nothing is known: the copy is read again, and a view
    // that keeps it later holds the road until it answers.
    session.portOpened();
    session.setPlan(session::Plan::identify());
    identifyAs({4, 0, 2, 47});
    host.onKeepCopy = [](const config::Image&) { return session::Copy{.state = session::Copy::State::Pending, .where = {}, .why = {}}; };
    host.writes.clear();
    host.formModel = formOf(config::applyNorvale);
    ASSERT_EQ(session.setConfig(), Kind::Ok);
    pump();
    for (int tick = 0; tick < 10; ++tick) session.timer3Tick(), pump();
    EXPECT_EQ(session.stage(), session::Stage::Copy);
    for (const Bytes& w : host.writes) EXPECT_EQ(w[2], 7);
    session.copyKept(session::Copy{.state = session::Copy::State::Kept, .where = "run 1", .why = {}});
    EXPECT_EQ(host.writes.back()[2], protocol::CmdConfigBlock);
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
    using session::Kind;
    using session::Operation;
    struct Case {
        const char* name;
        int storeWrongAt;
        bool silentReads;
        bool verify;
        Kind kind;
        Operation operation;
        std::string lastLine;
        long mismatchAt;
    };
    const Case cases[] = {
        {"match", -1, false, true, Kind::Ok, Operation::Verify, kVerified, -1},
        // A failure is worded by the view, from the outcome's kind and values.
        {"mismatch", 700, false, true, Kind::ReadBackDiffers, Operation::Verify, "", 700},
        {"read-back unanswered", -1, true, true, Kind::Timeout, Operation::Verify, "", -1},
        {"read-back off", 700, false, false, Kind::Ok, Operation::Write, kSucceeded, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host = FakeHost{};
        host.onWrite = [this](const Bytes& f) { unit.receive(f); };
        host.autoClose = true;
        unit = FakeUnit{};
        unit.configBase = identity.configBase;
        unit.memory = imageOf(config::applyDefaults);
        unit.storeWrongAt = c.storeWrongAt;
        unit.silentReads = c.silentReads;
        session::Plan plan = session::Plan::writeOnly(formOf(config::applyNorvale), c.verify);
        plan.withoutCopy = true;  // only the write's own reads are counted here
        session.setPlan(plan);
        session.portOpened();
        identifyAs({4, 0, 2, 47});
        pump();
        for (int tick = 0; tick < 12 && session.operation() != session::Operation::None; ++tick) session.timer3Tick();

        const bool ok = c.kind == Kind::Ok;
        EXPECT_EQ(unit.reads, c.verify ? (c.silentReads ? 4 : 5) : 0);
        ASSERT_EQ(host.outcomes.size(), 1u);
        const session::Outcome& end = host.outcomes.back();
        EXPECT_EQ(end.kind, c.kind);
        EXPECT_EQ(end.operation, c.operation);
        EXPECT_TRUE(end.written);
        EXPECT_EQ(end.verified, ok && c.verify);
        EXPECT_EQ(end.mismatchAt, c.mismatchAt);
        if (c.mismatchAt >= 0) {
            EXPECT_EQ(end.wroteByte, 0xFF);
            EXPECT_EQ(end.readByte, 0xA5);
        }
        ASSERT_FALSE(host.log.empty());
        if (ok) {
            EXPECT_EQ(host.log.back().text, c.lastLine);
        }
        for (const auto& line : host.log) {
            EXPECT_FALSE(line.warning) << line.text;
        }
        // Success is said only for a write that counts.
        EXPECT_EQ(host.countLog(kSucceeded), ok ? 1 : 0);
        // Only a confirmed write may close the port on its own.
        EXPECT_EQ(host.deferredCloses, ok ? 1 : 0);
        // Every failure says where it stopped: the unanswered read-back, or the first byte that differs.
        if (!ok) {
            EXPECT_TRUE(end.kind == session::Kind::Timeout || end.mismatchAt >= 0);
        }
    }
}

TEST_F(SessionTest, AReadOnlyPlanOnlyReportsAndNeverRepairs) {
    session.setPlan(session::Plan::readOnly());
    unit.memory.fill(0xFF);     // never written
    identifyAs({4, 0, 2, 46});  // would need new firmware
    pump();
    EXPECT_EQ(codesWritten(), (std::vector<int>(5, 7)));  // the read alone
    ASSERT_EQ(host.outcomes.size(), 1u);
    const session::Outcome& end = host.outcomes[0];
    EXPECT_EQ(end.kind, session::Kind::InvalidConfiguration);
    EXPECT_EQ(end.operation, session::Operation::Read);
    EXPECT_FALSE(end.firmwareSent);
    EXPECT_FALSE(end.written);
    EXPECT_EQ(unit.blocks, 0);  // nothing written over it
    EXPECT_EQ(end.image, unit.memory);
    EXPECT_FALSE(end.preset);
}

// --- the road, unit by plan -----------------------------------------------------

namespace {

using session::Kind;
using session::Operation;
using session::Plan;
using Version = std::array<std::uint8_t, 4>;

// Wire order, as UnitIdentity::words.
constexpr protocol::UnitId kOtherId{0x0000ABCD, 0x22222222, 0x33333333};

struct RoadRow {
    const char* name;
    // The unit on the port and the plan the view chose.
    Version version;
    Plan plan;
    std::uint8_t mode = 1;
    bool neverWritten = false;  // configuration memory all 0xFF
    int storeWrongAt = -1;
    std::optional<Version> backAs{};  // announced after a whole firmware transfer
    bool backOther = false;         // ...by another unit (kOtherId)
    bool norvale = false;
    bool leaveAlone = false;  // the view calls Session::leaveAlone() from identified()
    bool silentReads = false;  // the unit answers no memory read

    // Every outcome, in order; the details are those of the first.
    std::vector<Kind> kinds{};
    Operation operation = Operation::None;
    bool firmwareSent = false;
    std::optional<Version> versionAfter{};
    bool read = false;
    bool written = false;
    bool verified = false;
    std::optional<std::string> preset{};
    long mismatchAt = -1;
    bool returned = false;
    bool discontinued = false;
    // What the unit held, read before the road changed it.
    bool before = false;
    // What went out on the wire.
    int firmwareTransfers = 0;
    int configTransfers = 0;
    bool memoryReads = false;
    // Every identified() call, its `listed`.
    std::vector<bool> listed{};
    int successLines = 0;  // "Atualização concluída com sucesso!"
};

std::optional<Version> versionOf(const std::optional<protocol::Version>& v) {
    if (!v) return std::nullopt;
    return Version{v->a, v->b, v->c, v->d};
}

// Drives one road tick by tick: the unit's replies one frame at a time; when
// it has nothing to say, the pacing timers tick; a unit awaited back that
// never announces itself is given up, as the controller's bound would.
void runRoad(const RoadRow& r) {
    SCOPED_TRACE(r.name);
    FakeHost host;
    FakeUnit unit;
    Session session{host};
    host.onWrite = [&unit](const Bytes& f) { unit.receive(f); };
    host.norvale = r.norvale;
    if (r.leaveAlone) host.onIdentified = [&session](const protocol::Identification&, bool) { session.leaveAlone(); };
    UnitIdentity identity;
    identity.mode = r.mode;
    identity.version = r.version;
    unit.configBase = identity.configBase;
    unit.memory = imageOf(config::applyDefaults);
    if (r.neverWritten) unit.memory.fill(0xFF);
    unit.storeWrongAt = r.storeWrongAt;
    unit.silentReads = r.silentReads;
    const auto memoryAtStart = unit.memory;
    if (r.backAs) {
        UnitIdentity back = identity;
        back.version = *r.backAs;
        if (r.backOther) back.words = kOtherId;
        unit.restartsAs = back;
    }
    session.setPlan(r.plan);
    session.portOpened();

    session.bytesArrived(identificationFrame(identity));
    int step = 0;
    for (; step < 20000; ++step) {
        if (!unit.outbox.empty()) {
            const Bytes b = unit.outbox.front();
            unit.outbox.pop_front();
            session.bytesArrived(b);
        } else if (session.awaitingReturn()) {
            session.returnExpired();
        } else if (session.operation() != Operation::None) {
            session.timer1Tick();
            session.timer3Tick();
        } else {
            break;
        }
    }
    ASSERT_LT(step, 20000);

    std::vector<Kind> kinds;
    for (const session::Outcome& o : host.outcomes) kinds.push_back(o.kind);
    EXPECT_EQ(kinds, r.kinds);
    std::vector<bool> listed;
    for (const auto& i : host.identifications) listed.push_back(i.listed);
    EXPECT_EQ(listed, r.listed);

    int firmwareTransfers = 0, configTransfers = 0;
    bool memoryReads = false;
    for (const Bytes& w : host.writes) {
        const auto f = protocol::parseFrame(w);
        ASSERT_TRUE(f);
        const bool first = f->payload.size() >= 4 && protocol::getU16(f->payload, 2) == 1;
        firmwareTransfers += f->code == protocol::CmdFirmwareBlock && first ? 1 : 0;
        configTransfers += f->code == protocol::CmdConfigBlock && first ? 1 : 0;
        memoryReads = memoryReads || f->code == protocol::CmdMemoryRead;
    }
    EXPECT_EQ(firmwareTransfers, r.firmwareTransfers);
    EXPECT_EQ(configTransfers, r.configTransfers);
    EXPECT_EQ(memoryReads, r.memoryReads);
    EXPECT_EQ(host.restarts.size(), r.firmwareSent ? 1u : 0u);

    // Success is said only once the unit shows it: for firmware, right after
    // the version it came back with, and never before it restarted.
    const auto lines = host.logTexts();
    EXPECT_EQ(host.countLog(kSucceeded), r.successLines);
    if (r.firmwareSent && r.successLines > 0) {
        const auto restarting = std::find(lines.begin(), lines.end(), kRestarting);
        const auto success = std::find(lines.begin(), lines.end(), kSucceeded);
        ASSERT_NE(success, lines.end());
        ASSERT_LT(restarting, success);
        EXPECT_EQ(success[-1].rfind("Vek v", 0), 0u) << success[-1];
        ASSERT_NE(success + 1, lines.end());
        EXPECT_EQ(success[1], "");
    }

    if (host.outcomes.empty()) return;
    const session::Outcome& o = host.outcomes.front();
    EXPECT_EQ(o.operation, r.operation);
    EXPECT_EQ(o.firmwareSent, r.firmwareSent);
    EXPECT_EQ(versionOf(o.versionAfter), r.versionAfter);
    EXPECT_EQ(o.read, r.read);
    EXPECT_EQ(o.written, r.written);
    EXPECT_EQ(o.verified, r.verified);
    EXPECT_EQ(o.preset, r.preset);
    EXPECT_EQ(o.mismatchAt, r.mismatchAt);
    EXPECT_EQ(o.returned.has_value(), r.returned);
    EXPECT_EQ(o.discontinued, r.discontinued);
    EXPECT_EQ(o.before.has_value(), r.before);
    if (r.before) {
        // Handed over whole, before anything was sent to change it.
        EXPECT_EQ(*o.before, memoryAtStart);
        const auto handed = std::find(host.trace.begin(), host.trace.end(), "keepCopy");
        ASSERT_NE(handed, host.trace.end());
        EXPECT_EQ(std::count(host.trace.begin(), handed, "log:Iniciando atualização..."), 0);
    }
    if (r.returned) {
        EXPECT_EQ(*o.returned, kOtherId);
        // The newcomer's own road, from its own identification.
        ASSERT_EQ(host.outcomes.size(), 2u);
        EXPECT_EQ(host.outcomes[1].unit.id, kOtherId);
        EXPECT_FALSE(host.outcomes[1].firmwareSent);
    }
}

}  // namespace

// Every change keeps its copy first unless the user said otherwise: the
// rows that name it only say so.
Plan withCopyFirst(Plan plan) { return plan; }
Plan withoutCopy(Plan plan) {
    plan.withoutCopy = true;
    return plan;
}

TEST(SessionRoad, EveryUnitUnderEveryPlan) {
    const config::FormModel norvale = formOf(config::applyNorvale);
    const Version v246{4, 0, 2, 46}, v247{4, 0, 2, 47}, discontinued{2, 5, 0, 0};
    const RoadRow rows[] = {
        {.name = "window: updated, back as 2.47, then read",
         .version = v246, .plan = Plan::window(), .backAs = v247,
         .kinds = {Kind::Ok}, .operation = Operation::Read, .firmwareSent = true, .versionAfter = v247, .read = true,
         .before = true, .firmwareTransfers = 1, .memoryReads = true, .listed = {false, true}, .successLines = 1},
        {.name = "window: back still 2.46, updated once and not read",
         .version = v246, .plan = Plan::window(), .backAs = v246,
         .kinds = {Kind::FirmwareNotTaken}, .operation = Operation::Firmware, .firmwareSent = true,
         .versionAfter = v246, .before = true, .firmwareTransfers = 1, .memoryReads = true, .listed = {false}},
        {.name = "window: another unit back, then its own road",
         .version = v246, .plan = Plan::window(), .backAs = v247, .backOther = true,
         .kinds = {Kind::OtherUnitReturned, Kind::Ok}, .operation = Operation::Firmware, .firmwareSent = true,
         .returned = true, .before = true, .firmwareTransfers = 1, .memoryReads = true,
         .listed = {false, true}},
        {.name = "flash, a copy of the configuration first",
         .version = v246, .plan = withCopyFirst(Plan::flash(false)), .backAs = v247,
         .kinds = {Kind::Ok}, .operation = Operation::Firmware, .firmwareSent = true, .versionAfter = v247,
         .before = true, .firmwareTransfers = 1, .memoryReads = true, .listed = {false, true}, .successLines = 1},
        {.name = "production, a copy first: a unit silent to the read is still updated and written",
         .version = v246, .plan = withCopyFirst(Plan::production(norvale)), .backAs = v247, .silentReads = true,
         .kinds = {Kind::Timeout}, .operation = Operation::Verify, .firmwareSent = true, .versionAfter = v247,
         .written = true, .firmwareTransfers = 1, .configTransfers = 1, .memoryReads = true,
         .listed = {false, true}, .successLines = 1},
        {.name = "window: never back",
         .version = v246, .plan = Plan::window(),
         .kinds = {Kind::DidNotReturn}, .operation = Operation::Firmware, .firmwareSent = true,
         .before = true, .firmwareTransfers = 1, .memoryReads = true, .listed = {false}},
        {.name = "window: discontinued is warned about, then read",
         .version = discontinued, .plan = Plan::window(),
         .kinds = {Kind::Ok}, .operation = Operation::Read, .read = true, .discontinued = true, .memoryReads = true,
         .listed = {false}},
        {.name = "window: a type left alone",
         .version = {7, 0, 1, 0}, .plan = Plan::window(), .kinds = {Kind::TypeLeftAlone}, .listed = {false}},
        {.name = "window: operation mode",
         .version = v247, .plan = Plan::window(), .mode = 0, .kinds = {Kind::OperationMode}},
        {.name = "window: never written, default preset written and verified",
         .version = v247, .plan = Plan::window(), .neverWritten = true,
         .kinds = {Kind::Ok}, .operation = Operation::Verify, .read = true, .written = true, .verified = true,
         .preset = "default", .configTransfers = 1, .memoryReads = true, .listed = {true}, .successLines = 1},
        {.name = "window: never written, Norvale preset",
         .version = v247, .plan = Plan::window(), .neverWritten = true, .norvale = true,
         .kinds = {Kind::Ok}, .operation = Operation::Verify, .read = true, .written = true, .verified = true,
         .preset = "norvale", .configTransfers = 1, .memoryReads = true, .listed = {true}, .successLines = 1},
        {.name = "readOnly: invalid is reported, never written",
         .version = v247, .plan = Plan::readOnly(), .neverWritten = true,
         .kinds = {Kind::InvalidConfiguration}, .operation = Operation::Read, .read = true, .memoryReads = true,
         .listed = {true}},
        {.name = "writeOnly: old firmware, nothing sent",
         .version = v246, .plan = Plan::writeOnly(norvale, true), .kinds = {Kind::NeedsFirmware}, .listed = {false}},
        {.name = "writeOnly: stored differently",
         .version = v247, .plan = Plan::writeOnly(norvale, true), .storeWrongAt = 700,
         .kinds = {Kind::ReadBackDiffers}, .operation = Operation::Verify, .written = true, .mismatchAt = 700,
         .before = true, .configTransfers = 1, .memoryReads = true, .listed = {true}},
        {.name = "writeOnly: verify off",
         .version = v247, .plan = Plan::writeOnly(norvale, false), .storeWrongAt = 700,
         .kinds = {Kind::Ok}, .operation = Operation::Write, .written = true, .before = true, .configTransfers = 1,
         .memoryReads = true, .listed = {true}, .successLines = 1},
        {.name = "production: updated, back as 2.47, then written and verified",
         .version = v246, .plan = Plan::production(norvale), .backAs = v247,
         .kinds = {Kind::Ok}, .operation = Operation::Verify, .firmwareSent = true, .versionAfter = v247,
         .written = true, .verified = true, .before = true, .firmwareTransfers = 1, .configTransfers = 1, .memoryReads = true,
         .listed = {false, true}, .successLines = 2},
        {.name = "flash when needed: up to date",
         .version = v247, .plan = Plan::flash(false), .kinds = {Kind::Ok}, .listed = {true}},
        {.name = "flash forced: up to date, sent anyway",
         .version = v247, .plan = Plan::flash(true), .backAs = v247,
         .kinds = {Kind::Ok}, .operation = Operation::Firmware, .firmwareSent = true, .versionAfter = v247,
         .before = true, .firmwareTransfers = 1, .memoryReads = true, .listed = {true, false}, .successLines = 1},
        {.name = "flash: discontinued",
         .version = discontinued, .plan = Plan::flash(true), .kinds = {Kind::Discontinued}, .discontinued = true,
         .listed = {false}},
        {.name = "identify: nothing sent",
         .version = v247, .plan = Plan::identify(), .kinds = {Kind::Ok}, .listed = {true}},
        {.name = "identify: old firmware, nothing sent",
         .version = v246, .plan = Plan::identify(), .kinds = {Kind::Ok}, .listed = {false}},
        {.name = "window: left alone by the view",
         .version = v246, .plan = Plan::window(), .leaveAlone = true, .listed = {false}},
    };
    for (const RoadRow& row : rows) runRoad(row);
}
