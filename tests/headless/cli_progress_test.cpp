// The command line's progress as a technician reads it: plain lines when the
// output is a pipe or a file, one redrawn bar on a terminal (a pty here), each
// with the operation's own words, the blocks, the rate and the time left.
#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <fcntl.h>
#include <memory>
#include <pty.h>
#include <unistd.h>

#include "cli_run.h"
#include "pty_host.h"

namespace vek::testing {
namespace {

class CliProgressTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim::Identity id;
        id.version = {4, 0, 2, 47};
        unit = std::make_unique<sim::PtyHost>(id);
        // Slow enough that the rate and the time left are known before the end.
        unit->withUnit([](sim::UnitSim& u) { u.faults().replyDelayMs = 1; });
        unit->start();
    }
    QString port() const { return QString::fromStdString(unit->devicePath()); }
    QProcessEnvironment env() const { return cliEnvironment(dir.filePath("data")); }

    std::unique_ptr<sim::PtyHost> unit;
    QTemporaryDir dir;
};

TEST_F(CliProgressTest, PipedALineAtEveryTenthInWords) {
    const CliRun run = runCli({"flash", "--force", "--port", port()}, env(), 60000);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QRegularExpression line(QStringLiteral("^atualizando firmware: (\\d+)% \\(([\\d.]+)/1\\.900 blocos\\)$"),
                                  QRegularExpression::MultilineOption);
    int lines = 0, last = -1;
    for (auto m = line.globalMatch(run.err); m.hasNext();) {
        const auto match = m.next();
        EXPECT_GT(match.captured(1).toInt(), last);
        last = match.captured(1).toInt();
        ++lines;
    }
    EXPECT_GE(lines, 9) << run.err.toStdString();
    EXPECT_EQ(last, 100) << run.err.toStdString();
    // Nothing of a pointer or a pattern where a word belongs.
    EXPECT_FALSE(run.err.contains(QStringLiteral(" cli"))) << run.err.toStdString();
}

TEST_F(CliProgressTest, OnATerminalOneBarWithRateAndTimeLeft) {
    int master = -1, slave = -1;
    ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    const QString terminal = QString::fromLocal8Bit(ttyname(slave));
    QProcess p;
    p.setProcessEnvironment(env());
    p.setStandardErrorFile(terminal);
    p.start(QStringLiteral(VEKTOOL_CLI), {"flash", "--force", "--port", port()});
    ASSERT_TRUE(p.waitForStarted(5000));
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    QByteArray seen;
    const auto drain = [&] {
        char buf[4096];
        for (ssize_t n; (n = ::read(master, buf, sizeof buf)) > 0;) seen.append(buf, n);
    };
    while (!p.waitForFinished(50)) drain();
    drain();
    ::close(slave);
    ::close(master);
    ASSERT_EQ(p.exitCode(), 0) << seen.toStdString();
    const QString text = QString::fromUtf8(seen);
    // Redrawn in place, its figures in Portuguese (1.900 blocks, 56,5 kB/s),
    // and the time left as minutes:seconds.
    EXPECT_TRUE(text.contains(QLatin1Char('\r'))) << text.toStdString();
    const QRegularExpression bar(QStringLiteral(
        "atualizando firmware \\[[#-]{24}\\] +(\\d+)% ([\\d.]+)/1\\.900 blocos (\\d+,\\d) kB/s restam (\\d+):(\\d\\d)"));
    int bars = 0;
    for (auto m = bar.globalMatch(text); m.hasNext();) {
        const auto match = m.next();
        ++bars;
        const double rate = match.captured(3).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
        EXPECT_GT(rate, 0.5);
        EXPECT_LT(rate, 1000.0);
        const int left = match.captured(4).toInt() * 60 + match.captured(5).toInt();
        EXPECT_LT(left, 600) << "a sane time left, not a number from nowhere";
    }
    EXPECT_GT(bars, 0) << text.toStdString();
}

}  // namespace
}  // namespace vek::testing
