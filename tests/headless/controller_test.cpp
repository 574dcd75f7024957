// The unit controller with nothing but a QCoreApplication: no window, no
// widget library, the real serial link on a pty and the simulated unit.
#include <gtest/gtest.h>


#include "config/config_image.h"
#include "wait_for.h"
#include "pty_host.h"
#include "unit/unit_controller.h"

namespace vek::testing {
namespace {

TEST(UnitControllerHeadless, FollowsTheRoadAndWritesWhatItIsGiven) {
    sim::PtyHost unit;
    unit.start();
    unit::UnitController controller;
    std::vector<session::Finished> outcomes;
    std::vector<config::FormModel> forms;
    QStringList lines;
    QObject::connect(&controller, &unit::UnitController::operationFinished,
                     [&](const session::Finished& f) { outcomes.push_back(f); });
    QObject::connect(&controller, &unit::UnitController::formShown,
                     [&](const config::FormModel& f) { forms.push_back(f); });
    QObject::connect(&controller, &unit::UnitController::logLine,
                     [&](const QString& line, unit::Tone) { lines << line; });

    ASSERT_TRUE(controller.open(QString::fromStdString(unit.devicePath())));
    // Identification, then the read, as the window's road goes.
    ASSERT_TRUE(waitUntil([&] { return !outcomes.empty(); })) << lines.join('\n').toStdString();
    EXPECT_EQ(outcomes.back().operation, session::Operation::Read);
    EXPECT_TRUE(outcomes.back().ok);
    config::FormModel expected;
    config::decode(sim::makeConfig(sim::ConfigState::Valid), expected, false);
    ASSERT_FALSE(forms.empty());
    EXPECT_EQ(forms.back(), expected);

    config::FormModel norvale;
    config::applyNorvale(norvale);
    controller.setConfig(norvale);
    ASSERT_TRUE(waitUntil([&] { return outcomes.size() == 2; }));
    EXPECT_EQ(outcomes.back().operation, session::Operation::Write);
    EXPECT_TRUE(outcomes.back().ok) << outcomes.back().reason;
    config::Image image{};
    config::encode(norvale, image);
    EXPECT_EQ(unit.withUnit([](sim::UnitSim& u) { return u.config(); }), image);
    EXPECT_EQ(lines.last(), QString::fromUtf8("Configuração conferida: o Vek guardou exatamente o que foi gravado."));

    controller.close();
    EXPECT_FALSE(controller.isOpen());
    EXPECT_EQ(lines.last(), QString::fromUtf8("Conexão fechada..."));
}

}  // namespace
}  // namespace vek::testing
