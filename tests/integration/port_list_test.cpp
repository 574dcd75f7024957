// The port list finding ports by itself: what each entry says, a pty that
// appears while the window is open, a selection that stays put, and the
// last port used chosen again at start.

#include "app/port_list.h"
#include "app_fixture.h"
#include "link/com_port.h"
#include "link/port_info.h"

using namespace vek;
using vek::testing::AppTest;
using vek::testing::pump;
using vek::testing::waitFor;

namespace {

link::PortInfo port(const char* name, const char* description = "", int vendor = -1, int product = -1) {
    link::PortInfo p;
    p.name = QString::fromUtf8(name);
    p.path = "/dev/" + p.name;
    p.description = QString::fromUtf8(description);
    if (vendor >= 0) p.vendorId = static_cast<quint16>(vendor);
    if (product >= 0) p.productId = static_cast<quint16>(product);
    return p;
}

}  // namespace

class PortListTest : public AppTest {
protected:
    void TearDown() override {
        AppTest::TearDown();
        link::setPortDescriber({});
    }
    // The ports the system lists, changed at will.
    QList<link::PortInfo> system;
    void listSystemPorts() {
        link::setPortDescriber([this] { return system; });
    }
    QStringList entries() const {
        auto* combo = widget<QComboBox>("ComboBox1");
        QStringList s;
        for (int i = 0; i < combo->count(); ++i) s << combo->itemText(i) + " = " + combo->itemData(i).toString();
        return s;
    }
    QString selected() const { return widget<QComboBox>("ComboBox1")->currentData().toString(); }
    // Within 1 s of a change, with room to spare for a loaded machine.
    bool waitList(const std::function<bool()>& done) { return waitFor(done, 1000 + 500); }
};

TEST_F(PortListTest, EntriesNameThePortAndWhatTheSystemKnowsOfIt) {
    system = {port("ttyACM0", "Vek USB", 0x1fc9, 0x0083), port("ttyS0"), port("ttyUSB1", "", 0x0403, 0x6001),
              port("COM4", "COM4")};
    listSystemPorts();
    makeWindow();
    EXPECT_EQ(entries(), QStringList({QString::fromUtf8("COM4 = COM4"),
                                      QString::fromUtf8("ttyACM0 — Vek USB (1fc9:0083) = ttyACM0"), "ttyS0 = ttyS0",
                                      "ttyUSB1 (0403:6001) = ttyUSB1"}));
    // What opens is the port's name, whatever the entry says.
    widget<QComboBox>("ComboBox1")->setCurrentIndex(1);
    EXPECT_EQ(selected(), "ttyACM0");
}

TEST_F(PortListTest, FollowsPlugsWithoutMovingTheChoice) {
    system = {port("ttyS0"), port("ttyS1")};
    listSystemPorts();
    makeWindow();
    auto* combo = widget<QComboBox>("ComboBox1");
    combo->setCurrentIndex(1);

    // Two ports at once: none of them is taken for the technician.
    system << port("ttyUSB0", "FT232R", 0x0403, 0x6001) << port("ttyUSB1");
    ASSERT_TRUE(waitList([&] { return combo->count() == 4; }));
    EXPECT_EQ(selected(), "ttyS1");
    // One port appearing alone is the unit just plugged in.
    system << port("ttyACM0", "Vek USB");
    ASSERT_TRUE(waitList([&] { return combo->count() == 5; }));
    EXPECT_EQ(selected(), "ttyACM0");
    // Unplugged: no other port is chosen in its place.
    system.removeLast();
    ASSERT_TRUE(waitList([&] { return combo->count() == 4; }));
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_TRUE(log().isEmpty());
}

TEST_F(PortListTest, NewPtyIsFoundAndOpensWithoutTouchingTheList) {
    makeWindow();
    auto* combo = widget<QComboBox>("ComboBox1");
    ASSERT_EQ(combo->count(), 0);
    startUnit();  // a pty appears (named to the tool as its rigs name theirs)
    ASSERT_TRUE(waitList([&] { return combo->count() == 1; }));
    EXPECT_EQ(selected(), QString::fromStdString(unit->devicePath()));
    pressConnect();
    ASSERT_TRUE(connectedState()) << log().toStdString();
    EXPECT_TRUE(waitLog(QString::fromUtf8("Leitura da configuração interna concluída!")));

    // While connected the list is left alone, whatever appears.
    qputenv("VEKTOOL_EXTRA_PORTS", QByteArray(unit->devicePath().c_str()) + ":/dev/vek-other");
    pump(2 * app::PortList::kRefreshMs + 100);
    EXPECT_EQ(combo->count(), 1);
    pressConnect();
    ASSERT_TRUE(waitList([&] { return combo->count() == 2; }));
    EXPECT_EQ(selected(), "/dev/vek-other");
}
