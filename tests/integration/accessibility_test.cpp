// The window through the eyes of assistive technology: the connect button's
// accessible action opens and closes exactly like a click, controls carry
// names that say where they are, and hidden controls are out of reach.

#include <QAccessible>
#include <QAccessibleActionInterface>

#include "app_fixture.h"

using namespace vek;
using vek::testing::AppTest;
using vek::testing::waitFor;

class AccessibilityTest : public AppTest {
protected:
    QAccessibleInterface* button() const {
        return QAccessible::queryAccessibleInterface(widget<QToolButton>("ButtonVCP"));
    }
    void act() {
        QAccessibleActionInterface* actions = button()->actionInterface();
        ASSERT_NE(actions, nullptr);
        ASSERT_FALSE(actions->actionNames().isEmpty());
        actions->doAction(actions->actionNames().front());
    }
};

TEST_F(AccessibilityTest, ButtonActionOpensAndClosesLikeAClick) {
    startUnit();
    makeWindow();
    EXPECT_EQ(button()->actionInterface()->actionNames().front(), QAccessibleActionInterface::toggleAction());
    act();
    ASSERT_TRUE(connectedState()) << log().toStdString();
    EXPECT_TRUE(button()->state().checked);
    EXPECT_TRUE(waitFor([&] { return unit->toolConnected(); }));
    EXPECT_TRUE(log().startsWith(QString::fromUtf8("Conexão aberta...")));

    act();
    EXPECT_TRUE(disconnectedState());
    EXPECT_FALSE(button()->state().checked);
    EXPECT_TRUE(log().endsWith(QString::fromUtf8("Conexão fechada...")));

    // A port that cannot be opened: the button is not left saying connected.
    unit->stop();
    unit.reset();
    qputenv("VEKTOOL_EXTRA_PORTS", "/dev/vek-no-such-port");
    widget<QComboBox>("ComboBox1")->showPopup();
    widget<QComboBox>("ComboBox1")->hidePopup();
    act();
    EXPECT_FALSE(button()->state().checked);
    EXPECT_FALSE(window_->controller().isOpen());
    EXPECT_TRUE(lastLineRed());
}

TEST_F(AccessibilityTest, ControlsAreNamedByWhereTheyAre) {
    makeWindow();
    const std::pair<const char*, const char*> names[] = {
        {"CB_EV_VMX_IN", "VELOCIDADE: REGISTRAR EVENTO: Entrada"},
        {"CB_BZ_VCH_WH", "VELOCIDADE NA CHUVA: ALERTA BUZZER: Durante"},
        {"CB_BZ_BGL_OUT", "CONDUÇÃO DESENGRENADA (banguela): ALERTA BUZZER: Saída"},
        {"CB_EV_ACP", "ACELERAÇÃO (aceleração brusca): REGISTRAR EVENTO"},
        {"CB_BZ_ACN", "DESACELERAÇÃO (frenagem brusca): ALERTA BUZZER"},
        {"CB_EV_EBK_OUT", "CONDUÇÃO EM FREIO MOTOR: SAÍDA: Registrar Evento"},
        {"CB_PING", "PING [s] (envio #VEK)"},
        {"CB_A232", "RS232-A (rastreador)"},
        {"CB_B232", "RS232-B (periférico)"},
        {"ComboBox1", "Porta serial"},
        {"Log", "Log de mensagens"},
        {"LogIdList", "Lista de IDs identificados"},
        {"Edit1", "ID lido pela USB"},
        {"Edit2", "ID lido do QR code"},
        {"Label0", "Comparação entre USB e QR code"},
        {"StatusLine", "Andamento da operação"},
    };
    for (const auto& [name, expected] : names) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget<QWidget>(name));
        ASSERT_NE(iface, nullptr) << name;
        EXPECT_EQ(iface->text(QAccessible::Name), QString::fromUtf8(expected)) << name;
    }
    // Every check box of the form has a name that says more than its caption.
    for (const char* group : {"GB_Config", "GB_EBK"})
        for (QCheckBox* box : widget<QWidget>(group)->findChildren<QCheckBox*>())
            EXPECT_TRUE(box->accessibleName().endsWith(box->text()) && box->accessibleName() != box->text())
                << box->objectName().toStdString();

    // Tab never goes past the window's edge.
    QWidget* first = widget<QWidget>("ButtonVCP");
    QWidget* w = first;
    int reached = 0;
    do {
        if (w->focusPolicy() & Qt::TabFocus) {
            ++reached;
            for (const char* hidden : {"GB_EBK", "B_FwTx", "B_FwJump", "B_GetConfig"}) {
                const QWidget* h = widget<QWidget>(hidden);
                EXPECT_FALSE(w == h || h->isAncestorOf(w)) << w->objectName().toStdString();
            }
        }
        w = w->nextInFocusChain();
    } while (w != first);
    EXPECT_GT(reached, 40);
}
