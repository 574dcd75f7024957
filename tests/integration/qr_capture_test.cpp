// The QR capture beside a person at the same keyboard: a scan while the
// cursor is in a form field leaves the field alone, digits typed by hand
// before a scan do not shift it, and hand typing still reaches the field.

#include "app/qr_capture.h"
#include "app_fixture.h"

using namespace vek;
using vek::testing::AppTest;

namespace {
const QString kLabel = "0BADF00D1234567800C0FFEE";
}  // namespace

class QrCaptureTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        makeWindow();
    }
    QString qr() const { return widget<QLineEdit>("Edit2")->text(); }
    // Until no key is held back any more: each has gone where it goes.
    void settle() {
        auto* capture = window_->findChild<app::QrCapture*>();
        ASSERT_TRUE(vek::testing::waitFor([&] { return !capture->holding(); }));
    }
};

TEST_F(QrCaptureTest, ScanInAFormFieldLeavesTheFieldAlone) {
    struct Case {
        const char* field;
        std::function<QString()> value;
    };
    auto* vmx = widget<QLineEdit>("ED_VMX");
    auto* ping = widget<QComboBox>("CB_PING");
    vmx->setText("12");
    ping->setCurrentIndex(2);
    const Case cases[] = {{"ED_VMX", [&] { return vmx->text(); }},
                          {"CB_PING", [&] { return ping->currentText(); }}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        widget<QWidget>(c.field)->setFocus();
        const QString before = c.value();
        widget<QLineEdit>("Edit2")->clear();
        typeAsScanner(kLabel.toLower());
        key(Qt::Key_Return, Qt::NoModifier, "\r");  // the scanner's closing key
        settle();
        EXPECT_EQ(qr(), kLabel);
        EXPECT_EQ(c.value(), before);
        EXPECT_TRUE(widget<QWidget>(c.field)->hasFocus());
    }
}

TEST_F(QrCaptureTest, HandTypedDigitsBeforeAScanDoNotShiftIt) {
    auto* vmx = widget<QLineEdit>("ED_VMX");
    vmx->setFocus();
    vmx->clear();
    typeByHand("12");
    EXPECT_EQ(vmx->text(), "12") << "a person's typing reaches the field";
    EXPECT_EQ(window_->keyCapture(), "2") << "each pause starts the capture again";
    typeAsScanner(kLabel);
    settle();
    EXPECT_EQ(qr(), kLabel);
    EXPECT_EQ(window_->keyCapture(), "");
    EXPECT_EQ(vmx->text(), "12");

    // Out of a field, the same.
    widget<QPushButton>("B_SetDefaults")->setFocus();
    widget<QLineEdit>("Edit2")->clear();
    typeByHand("a");
    typeAsScanner(kLabel);
    EXPECT_EQ(qr(), kLabel);
}

TEST_F(QrCaptureTest, FewFastKeysInAFieldAreAPersonTyping) {
    // Three keys in quick succession are fewer than a scan: they arrive, in
    // order, and a key that is no digit comes after them.
    auto* tvmx = widget<QLineEdit>("ED_TVMX");
    tvmx->setFocus();
    tvmx->clear();
    typeAsScanner("12");
    key(Qt::Key_Backspace);
    typeAsScanner("3");
    settle();
    EXPECT_EQ(tvmx->text(), "13");
}

TEST_F(QrCaptureTest, ScannedLabelIsComparedWithTheUnit) {
    widget<QLineEdit>("Edit1")->setText(kLabel);
    auto* verdict = widget<QLabel>("Label0");
    typeAsScanner(kLabel);
    EXPECT_EQ(verdict->text(), "OK");
    typeAsScanner("0BADF00D1234567800C0FFEF");
    EXPECT_EQ(verdict->text(), "X");
}
