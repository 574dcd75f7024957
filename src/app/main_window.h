#pragma once
// The tool's one window. Handlers are thin: they read the widgets into a
// model, call the session, and show what it answers.

#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>

#include "config/form_model.h"
#include "link/com_port.h"
#include "session/host.h"
#include "session/session.h"

namespace Ui {
class MainWindow;
}
class QCheckBox;
class QLineEdit;
class QTextEdit;

namespace vek::update {
class UpdateChecker;
}

namespace vek::app {

class UpDown;

class MainWindow : public QWidget, private session::Host {
    Q_OBJECT
public:
    // The client widths: the form alone, and with the production panel.
    static constexpr int kNormalWidth = 557;
    static constexpr int kWideWidth = 853;
    static constexpr int kHeight = 742;

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Handlers, public so tests drive exactly what a click or a tick does.
    void FormCreate();
    void Timer5Timer();
    void ComboBox1DropDown();
    void ButtonVCPClick();
    void ButtonVCPState(bool open);
    void Timer2Timer();
    void VCPRxChar(int count);
    void Edit1Change();
    void Label0Click();
    void Label7Click();
    void Label8Click();
    void L_ClearClick();
    void B_SetConfigClick();
    void B_SetDefaultsClick();
    void B_SetNorvaleClick();
    void B_RemConfigClick();
    void B_GetConfigClick();
    void B_FwTxClick();
    void B_FwJumpClick();

    link::ComPort& VCP() { return vcp_; }
    session::Session& session() { return *session_; }
    QTimer& timer(int n);
    update::UpdateChecker* updateChecker() const { return updateChecker_; }
    QString keyCapture() const { return QString::fromLatin1(keyCapture_.data(), keyCapturePos_); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // session::Host
    bool portOpen() const override;
    void write(const protocol::Bytes& frame) override;
    void appendLog(const std::string& line) override;
    void appendWarning(const std::string& line) override;
    void clearLog() override;
    void setProgressMaximum(int maximum) override;
    void setProgress(int position) override;
    void showBox(const session::Box& box) override;
    void setTimer1(bool enabled) override;
    void setTimer3(bool enabled) override;
    void startDeferredClose() override;
    void setSetConfigEnabled(bool enabled) override;
    void setPortListEnabled(bool enabled) override;
    void appendIdList(const std::string& line) override;
    void setIdListCount(const std::string& caption) override;
    void setEdit1(const std::string& text) override;
    config::FormModel form() const override;
    void showForm(const config::FormModel& form) override;
    bool norvaleForced() const override;
    bool closeAfterConfigure() const override;

    void FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void LogChange();
    void appendLine(QTextEdit* pane, const QString& line, const QColor& colour);
    void portLost();
    void setupEdits();
    void setupCheckBoxes();
    void updateConnectButton(bool open);

    struct GroupBoxes {
        QCheckBox *evIn, *evOut, *bzIn, *bzOut, *bzWh;
    };

    std::unique_ptr<Ui::MainWindow> ui_;
    link::ComPort vcp_;
    std::unique_ptr<session::Session> session_;
    update::UpdateChecker* updateChecker_ = nullptr;
    QTimer Timer1, Timer2, Timer3, Timer5;
    QTimer rxPartial_;  // a partial frame gets the link's read interval to complete
    std::array<QLineEdit*, config::FieldCount> fieldEdits_{};
    std::array<GroupBoxes, config::GroupCount> groupBoxes_{};
    QList<UpDown*> upDowns_;
    std::array<char, 25> keyCapture_{};
    unsigned char keyCapturePos_ = 0;
};

}  // namespace vek::app
