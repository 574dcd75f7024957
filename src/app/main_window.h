#pragma once
// The tool's one window: a view of one unit controller. It binds the
// widgets to the configuration model, turns clicks into controller calls,
// and shows what the controller says; the production panel and the key
// capture are its own.

#include <QList>
#include <QRect>
#include <QWidget>
#include <memory>

#include "config/form_model.h"
#include "unit/unit_controller.h"
#include "words/words.h"

namespace Ui {
class MainWindow;
}
class QMenuBar;
class QScrollArea;
class QTimer;

namespace vek::update {
class UpdateChecker;
}

namespace vek::app {

class ConfigurationMenu;
class FormBinding;
class LogPane;
class PortList;
class ProductionList;
class QrCapture;
class Settings;
class StatusLine;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    // The form's client widths, alone and with the production panel, and
    // its height. The window is that size, or smaller and scrolling when
    // the screen is smaller at the current scale.
    static constexpr int kNormalWidth = 557;
    static constexpr int kWideWidth = 853;
    static constexpr int kHeight = 742;

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    const unit::UnitController& controller() const { return controller_; }
    update::UpdateChecker* updateChecker() const { return updateChecker_; }
    QString keyCapture() const;
    // The form at its own size, whatever part of it the window shows.
    QWidget* form() const { return content_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // With a unit mid-change (a transfer, or its restart with new firmware),
    // asks first: let it finish, stop now, or go on.
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void Timer5Timer();
    void ComboBox1DropDown();
    void ButtonVCPClick();
    void Edit1Change();
    void Label0Click();
    void Label7Click();
    void Label8Click();
    void L_ClearClick();
    void B_SetConfigClick();
    void B_SetDefaultsClick();
    void B_SetNorvaleClick();
    void B_RemConfigClick();
    void FormKeyDown(int key, Qt::KeyboardModifiers modifiers, qint64 ms);
    void LogChange();
    void connectionChanged(bool open);
    void unitIdentified(const unit::Identification& unit, bool listed);
    void outcomeReached(const unit::Outcome& outcome);
    // CONFIGURAR's state: the road's rule (a read or write went well on this
    // connection) and nothing under way on the unit.
    void updateSetConfig();
    // An action the controller refused: nothing was sent; said in red.
    void refused(unit::Kind kind);
    // A change whose copy could not be kept: asks whether to go on without it.
    void askWithoutCopy(const unit::Outcome& outcome);
    void applyPreset(void (*preset)(config::FormModel&));
    void optionsEdited();
    void showBox(const words::Box& box);
    void wireController();
    void updateConnectButton(bool open);
    void setProductionPanel(bool shown);
    void restoreSettings();
    void fitToScreen();
    void setFooterDocked(bool docked);

    std::unique_ptr<Ui::MainWindow> ui_;
    unit::UnitController controller_;
    std::unique_ptr<Settings> settings_;
    QWidget* content_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    // Widgets taken out of the scrolling form into the footer, and where
    // they came from.
    struct DockedWidget {
        QWidget* widget;
        QWidget* parent;
        QRect geometry;
    };
    QWidget* footer_ = nullptr;
    QList<DockedWidget> docked_;
    ConfigurationMenu* files_ = nullptr;
    update::UpdateChecker* updateChecker_ = nullptr;
    QTimer* Timer5 = nullptr;
    FormBinding* form_ = nullptr;
    LogPane* log_ = nullptr;
    StatusLine* status_ = nullptr;
    PortList* ports_ = nullptr;
    ProductionList* production_ = nullptr;
    QrCapture* qr_ = nullptr;
    bool showingConnection_ = false;
    bool configKnown_ = false;
    bool screenWatched_ = false;
    // Leaving: the question is on view; the window closes once the unit's
    // road has ended; the close is decided and asks no more.
    bool unitMidChange() const;
    void askBeforeLeaving();
    void leaveWhenDone();
    bool leaveAsked_ = false;
    bool closeWhenDone_ = false;
    bool leaving_ = false;
};

}  // namespace vek::app
