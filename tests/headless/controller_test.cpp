// The unit controller with nothing but a QCoreApplication: no window, no
// widget library, the real serial link on a pty and the simulated unit.
#include <gtest/gtest.h>

#include "config/config_image.h"
#include "pty_host.h"
#include "unit/unit_controller.h"
#include "wait_for.h"

namespace vek::testing {
namespace {

// What a view hears from one controller.
struct Heard {
    explicit Heard(unit::UnitController& controller) {
        QObject::connect(&controller, &unit::UnitController::operationFinished,
                         [this](const unit::Outcome& o) { outcomes.push_back(o); });
        QObject::connect(&controller, &unit::UnitController::formShown,
                         [this](const config::FormModel& f) { forms.push_back(f); });
        QObject::connect(&controller, &unit::UnitController::logLine,
                         [this](const QString& line, unit::Tone) { lines << line; });
        QObject::connect(&controller, &unit::UnitController::progressChanged,
                         [this](const unit::Progress& p) { progress.push_back(p); });
    }
    std::string log() const { return lines.join('\n').toStdString(); }

    std::vector<unit::Outcome> outcomes;
    std::vector<config::FormModel> forms;
    std::vector<unit::Progress> progress;
    QStringList lines;
};

TEST(UnitControllerHeadless, FollowsTheWindowsRoadAndWritesWhatItIsGiven) {
    sim::PtyHost unit;
    unit.start();
    unit::UnitController controller;
    controller.setPlan(unit::Plan::window());
    Heard heard(controller);

    ASSERT_TRUE(controller.open(QString::fromStdString(unit.devicePath())));
    // Identification, then the read, as the window's road goes.
    ASSERT_TRUE(waitUntil([&] { return !heard.outcomes.empty(); })) << heard.log();
    const unit::Outcome& read = heard.outcomes.back();
    EXPECT_EQ(read.kind, unit::Kind::Ok);
    EXPECT_EQ(read.operation, unit::Operation::Read);
    config::FormModel expected;
    config::decode(sim::makeConfig(sim::ConfigState::Valid), expected, false);
    EXPECT_EQ(read.form, expected);
    ASSERT_FALSE(heard.forms.empty());
    EXPECT_EQ(heard.forms.back(), expected);

    config::FormModel norvale;
    config::applyNorvale(norvale);
    ASSERT_EQ(controller.setConfig(read.unit.id, norvale), unit::Kind::Ok);
    ASSERT_TRUE(waitUntil([&] { return heard.outcomes.size() == 2; })) << heard.log();
    const unit::Outcome& written = heard.outcomes.back();
    EXPECT_EQ(written.kind, unit::Kind::Ok) << unit::kindName(written.kind).toStdString();
    EXPECT_TRUE(written.written && written.verified);
    config::Image image{};
    config::encode(norvale, image);
    EXPECT_EQ(unit.withUnit([](sim::UnitSim& u) { return u.config(); }), image);
    EXPECT_EQ(heard.lines.last(),
              QString::fromUtf8("Configuração conferida: o Vek guardou exatamente o que foi gravado."));

    controller.close();
    EXPECT_FALSE(controller.isOpen());
    EXPECT_EQ(heard.lines.last(), QString::fromUtf8("Conexão fechada..."));
}

TEST(UnitControllerHeadless, APlanChosenBeforeTheOpenRunsWithoutAnotherCall) {
    sim::PtyHost unit;
    unit.start();
    unit::UnitController controller;
    config::FormModel defaults;
    config::applyDefaults(defaults);
    controller.setPlan(unit::Plan::writeOnly(defaults, true));
    Heard heard(controller);

    ASSERT_TRUE(controller.open(QString::fromStdString(unit.devicePath())));
    ASSERT_TRUE(waitUntil([&] { return !heard.outcomes.empty(); })) << heard.log();
    ASSERT_EQ(heard.outcomes.size(), 1u);
    EXPECT_EQ(heard.outcomes[0].kind, unit::Kind::Ok);
    EXPECT_TRUE(heard.outcomes[0].verified);
    config::Image image{};
    config::encode(defaults, image);
    EXPECT_EQ(unit.withUnit([](sim::UnitSim& u) { return u.config(); }), image);
    // The write's steps reach the view in order, up to the whole.
    int lastWrite = 0;
    for (const unit::Progress& p : heard.progress) {
        if (p.operation != unit::Operation::Write || p.position <= 0) continue;
        EXPECT_GE(p.position, lastWrite);
        EXPECT_EQ(p.percent, static_cast<int>(100LL * p.position / p.maximum));
        lastWrite = p.position;
    }
    EXPECT_GT(lastWrite, 0);
}

TEST(UnitControllerHeadless, SilenceOnThePortEndsAsNoUnit) {
    sim::PtyHost unit;
    unit.withUnit([](sim::UnitSim& u) { u.faults().silent = true; });
    unit.start();
    unit::UnitController controller;
    controller.setPlan(unit::Plan::identify());
    Heard heard(controller);

    ASSERT_TRUE(controller.open(QString::fromStdString(unit.devicePath())));
    EXPECT_FALSE(waitUntil([&] { return !heard.outcomes.empty(); }, unit::UnitController::kNoAnswerMs - 500));
    ASSERT_TRUE(waitUntil([&] { return !heard.outcomes.empty(); }, 2000));
    EXPECT_EQ(heard.outcomes[0].kind, unit::Kind::NoUnit);
}

// The unit of a connection is forgotten with it: reopened where nothing
// answers, no action names the old unit, and nothing goes out.
TEST(UnitControllerHeadless, AUnitOfAnEarlierConnectionIsNoLongerThere) {
    sim::PtyHost unit;
    unit.start();
    unit::UnitController controller;
    controller.setPlan(unit::Plan::identify());
    Heard heard(controller);
    ASSERT_TRUE(controller.open(QString::fromStdString(unit.devicePath())));
    ASSERT_TRUE(waitUntil([&] { return !heard.outcomes.empty(); })) << heard.log();
    ASSERT_TRUE(controller.unitHere());
    const unit::UnitId id = controller.unitHere()->id;
    controller.close();

    unit.withUnit([](sim::UnitSim& u) { u.faults().silent = true; });
    const std::size_t received = unit.withUnit([](sim::UnitSim& u) { return u.received().size(); });
    ASSERT_TRUE(controller.open(QString::fromStdString(unit.devicePath())));
    EXPECT_FALSE(controller.unitHere());
    config::Image image{};
    config::FormModel defaults;
    config::applyDefaults(defaults);
    config::encode(defaults, image);
    EXPECT_EQ(controller.restore(id, image), unit::Kind::NotIdentified);
    EXPECT_EQ(controller.setConfig(id, defaults), unit::Kind::NotIdentified);
    EXPECT_EQ(controller.request(id, unit::Plan::flash(true)), unit::Kind::NotIdentified);
    waitUntil([] { return false; }, 300);
    EXPECT_EQ(unit.withUnit([](sim::UnitSim& u) { return u.received().size(); }), received);
}

}  // namespace
}  // namespace vek::testing
