// Opening and closing the unit's port on a real pty, and what happens when
// the port cannot be opened or vanishes under the tool.

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QSerialPort>

#include "app_fixture.h"

using namespace vek;
using vek::testing::AppTest;
using vek::testing::pump;
using vek::testing::waitFor;

namespace {
double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}
}  // namespace

class ConnectionTest : public AppTest {};

TEST_F(ConnectionTest, OpenThenCloseLogsBothEnds) {
    sim::Identity id;
    id.version = {7, 0, 1, 0};  // a unit the tool only names and says it leaves alone
    startUnit(id);
    makeWindow();
    connectUnit();
    EXPECT_TRUE(log().startsWith(QString::fromUtf8("Conexão aberta...")));
    EXPECT_TRUE(waitFor([&] { return unit->toolConnected(); }));
    EXPECT_EQ(widget<QToolButton>("ButtonVCP")->toolTip(), "Desconectar a porta");
    EXPECT_TRUE(waitLog(QString::fromUtf8("Vek v7.0.1.0\nId: 0BADF00D 12345678 00C0FFEE\n"
                                          "Este tipo de Vek (7) não é atendido por esta ferramenta.")))
        << log().toStdString();
    EXPECT_TRUE(lastLineRed());
    EXPECT_EQ(unit->withUnit([](sim::UnitSim& u) { return int(u.frames().size()); }), 0) << "nothing is sent to it";

    pressConnect();
    EXPECT_TRUE(disconnectedState());
    EXPECT_TRUE(widget<QComboBox>("ComboBox1")->isEnabled());
    EXPECT_TRUE(log().endsWith(QString::fromUtf8("Conexão fechada...")));
    EXPECT_TRUE(waitFor([&] { return !unit->toolConnected(); }));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ConnectionTest, OpensWithTheUnitsLineSettings) {
    startUnit();
    makeWindow();
    connectUnit();
    const auto* serial = window_->controller().findChild<QSerialPort*>();
    ASSERT_NE(serial, nullptr);
    const QSerialPort& port = *serial;
    EXPECT_EQ(port.baudRate(), 3686400);
    EXPECT_EQ(port.dataBits(), QSerialPort::Data8);
    EXPECT_EQ(port.parity(), QSerialPort::NoParity);
    EXPECT_EQ(port.stopBits(), QSerialPort::OneStop);
    EXPECT_EQ(port.flowControl(), QSerialPort::NoFlowControl);
}

TEST_F(ConnectionTest, PortThatCannotBeOpenedLeavesTheButtonUp) {
    // A path that does not exist.
    qputenv("VEKTOOL_EXTRA_PORTS", "/dev/vek-no-such-port");
    makeWindow();
    pressConnect();
    EXPECT_FALSE(widget<QToolButton>("ButtonVCP")->isChecked());
    EXPECT_TRUE(widget<QComboBox>("ComboBox1")->isEnabled());
    EXPECT_EQ(log(), QString::fromUtf8("Não foi possível abrir a porta /dev/vek-no-such-port: ela não existe. "
                                       "Confira o cabo USB e escolha a porta de novo na lista."));
    EXPECT_TRUE(lastLineRed());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ConnectionTest, PortWithoutPermissionSaysSoWithTheGroupToJoin) {
    if (geteuid() == 0) GTEST_SKIP() << "root opens any device; the refusal cannot be shown";
    startUnit();
    ASSERT_EQ(::chmod(unit->devicePath().c_str(), 0), 0);
    makeWindow();
    widget<QComboBox>("ComboBox1")->setCurrentIndex(0);
    pressConnect();
    EXPECT_FALSE(widget<QToolButton>("ButtonVCP")->isChecked());
    EXPECT_TRUE(log().contains(QString::fromUtf8("sem permissão de acesso")));
    EXPECT_TRUE(log().contains(QString::fromUtf8("grupo dialout")));
    EXPECT_TRUE(lastLineRed());
}

TEST_F(ConnectionTest, NoUnitAnsweringIsSaidAndThePortStaysOpen) {
    startUnit({}, [](sim::UnitSim& u) { u.faults().silent = true; });
    makeWindow();
    connectUnit();
    const QString line = QString::fromUtf8("Nenhum Vek respondeu na porta ") +
                         QString::fromStdString(unit->devicePath()) +
                         QString::fromUtf8(". Confira se é a porta certa e se o cabo USB está bem conectado.");
    pump(2500);
    EXPECT_FALSE(logHas(line));
    ASSERT_TRUE(waitLog(line, 2000));
    EXPECT_TRUE(lastLineRed());
    EXPECT_TRUE(connectedState());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ConnectionTest, PortHeldByAnotherProgramLeavesTheButtonUp) {
    startUnit();
    QSerialPort other(QString::fromStdString(unit->devicePath()));
    ASSERT_TRUE(other.open(QIODevice::ReadWrite)) << other.errorString().toStdString();
    makeWindow();
    widget<QComboBox>("ComboBox1")->setCurrentIndex(0);
    pressConnect();
    EXPECT_FALSE(window_->controller().isOpen());
    EXPECT_FALSE(widget<QToolButton>("ButtonVCP")->isChecked());
    EXPECT_TRUE(widget<QComboBox>("ComboBox1")->isEnabled());
    EXPECT_TRUE(log().contains(QString::fromUtf8("está em uso por outro programa"))) << log().toStdString();
    EXPECT_TRUE(lastLineRed());
}

TEST_F(ConnectionTest, UnpluggedUnitClosesThePortAndTheToolStaysIdle) {
    sim::Identity id;
    id.version = {7, 0, 1, 0};
    startUnit(id);
    makeWindow();
    connectUnit();
    ASSERT_TRUE(waitLog("Vek v7.0.1.0"));

    unit->unplug();
    ASSERT_TRUE(waitFor([&] { return !window_->controller().isOpen(); }));
    EXPECT_TRUE(disconnectedState());
    EXPECT_TRUE(widget<QComboBox>("ComboBox1")->isEnabled());
    EXPECT_TRUE(log().endsWith(QString::fromUtf8("Conexão fechada...")));

    // Nothing spins once the port is gone: the process uses far less than
    // the time that passes.
    const double before = cpuSeconds();
    pump(1000);
    const double used = cpuSeconds() - before;
    EXPECT_LT(used, 0.5) << "CPU seconds used while idle: " << used;
    EXPECT_EQ(log().count(QString::fromUtf8("Conexão fechada...")), 1);
    EXPECT_TRUE(boxes.empty());
}
