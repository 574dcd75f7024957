#pragma once
// The production station as a window: the configuration to write and the
// database its records go to chosen at the top, with how the records stand
// and, while it runs, where the configuration came from; one row per port
// (identifier, firmware before → after, step, progress, verdict, time),
// coloured by outcome. A QR label scanned anywhere in the window is matched
// against the units on the station.

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "config/form_model.h"
#include "records/record_store.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTimer;

namespace vek::station {
class RecordsLink;
class Station;
class StationUnit;
}

namespace vek::app {

class QrCapture;

class StationWindow : public QWidget {
    Q_OBJECT
public:
    enum Column { ColPort, ColId, ColFirmware, ColStep, ColProgress, ColVerdict, ColTime, ColQr, ColumnCount };

    // Asked for the password of the server named (without one); none: the
    // person declined.
    using PasswordPrompt = std::function<std::optional<QString>(const QString& server, const QString& user)>;

    // `link` may be null (nothing recorded); it must be open and outlive the
    // window, and the database cannot be chosen here. `ports` empty: every
    // USB serial port that appears.
    explicit StationWindow(station::RecordsLink* link, QStringList ports = {}, QWidget* parent = nullptr);
    // Opens its own records: the database remembered from the last choice
    // (the local file when none), with `base`'s other options.
    StationWindow(QStringList ports, records::StoreOptions base, QWidget* parent = nullptr);
    ~StationWindow() override;

    // A window of its own (deleted when closed) recording in the database
    // last chosen, the local file by default (the data folder the command
    // line uses too); a database that cannot be opened is said in the
    // window, and nothing is recorded.
    static StationWindow* withRememberedRecords(QStringList ports = {});

    // Starts with the chosen configuration; false (and says why) when the
    // chosen file cannot be used.
    bool startStation();
    // "Parar estação": with units under way, asks whether to let them
    // finish, stop at once, or go on; without, stops at once. Pressed again
    // while they finish, stops at once.
    void requestStop();
    // Stops at once: running units are recorded interrupted. The station
    // goes once their last rows are answered.
    void stopStation();
    // Starts no new unit and stops once the running ones have ended.
    void drainStation();
    bool running() const { return station_ != nullptr && !stopping_; }
    // Chooses the configuration: a preset index (0 default, 1 Norvale) or a file.
    void choosePreset(int index);
    bool chooseFile(const QString& path);
    // What a scanner typed, as if it came from the keyboard.
    void scanned(const QString& digits);
    // Where records go: a PostgreSQL address (never with its password), or
    // empty for the local file. Remembered for the next start. Refused (and
    // said why) while the station runs, when the window was given its
    // records, or when the address is not one.
    bool chooseDatabase(const QString& url);
    QString database() const { return databaseUrl_; }
    // The production records over the database the station is set to.
    void openRecords();

    // Replaces the password dialog (tests); empty: the dialog again.
    static void setPasswordPrompt(PasswordPrompt prompt);

    // A production line's worth of units, seen at once.
    static constexpr int kLineUnits = 16;
    // The size that shows kLineUnits rows, one line each, without scrolling,
    // within `available` (a screen's free area), centred there. Called with
    // the primary screen's when the window is made.
    void fitTo(const QRect& available);

    QTableWidget* table() const { return table_; }
    station::Station* station() const { return station_.get(); }
    QString message() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void unitAdded(station::StationUnit* unit);
    void showRow(station::StationUnit* unit);
    void tick();
    void say(const QString& text, bool warning);

    void showRecordsState();
    void stationFinished();
    void openLink();
    void askPassword();
    void passwordAnswered(std::optional<QString> password);
    void showSource();
    void checkFile();
    void setIdle(bool idle);

    station::RecordsLink* link_;
    std::unique_ptr<station::RecordsLink> ownLink_;
    records::StoreOptions base_;
    QString databaseUrl_;
    QLabel* recordsLabel_ = nullptr;
    QComboBox* databaseCombo_ = nullptr;
    QLineEdit* databaseEdit_ = nullptr;
    QPushButton* recordsButton_ = nullptr;
    // The password dialog is on view; the person declined it for this database;
    // when the last password was given (failures from before it are old news).
    bool passwordAsked_ = false;
    bool passwordDeclined_ = false;
    QElapsedTimer passwordGiven_;
    bool stopping_ = false;
    QStringList ports_;
    config::FormModel form_;
    // The preset's stored name, or the file chosen and the SHA-256 of the
    // bytes read from it: what every unit of a run gets.
    QString preset_ = QStringLiteral("default");
    QString filePath_;
    QByteArray fileHash_;
    bool fileChangeSaid_ = false;
    QTimer* fileWatch_ = nullptr;
    QLabel* sourceLabel_ = nullptr;
    QComboBox* configCombo_ = nullptr;
    QLabel* configLabel_ = nullptr;
    QPushButton* startButton_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* message_ = nullptr;
    // Passed, failed, interrupted, unrecorded: read from a step back.
    std::array<QLabel*, 4> counts_{};
    QTimer* clock_ = nullptr;
    std::unique_ptr<station::Station> station_;
    QHash<station::StationUnit*, int> rows_;
    QrCapture* qr_ = nullptr;
    // Asked to close while units ran: closes once the station has stopped.
    bool closeWhenStopped_ = false;
};

// The production panel's button that opens (or brings forward) the one
// station window, placed at `geometry` in `parent`.
void addStationButton(QWidget* parent, const QRect& geometry);

// The database the station window was last set to: a PostgreSQL address
// without password, or empty for the local file.
QString rememberedStationDatabase();

}  // namespace vek::app
