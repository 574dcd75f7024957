#pragma once
// The production station as a window: the configuration to write chosen at
// the top, one row per port (identifier, firmware before → after, step,
// progress, verdict, time), coloured by outcome. A QR label scanned anywhere
// in the window is matched against the units on the station.

#include <QHash>
#include <QWidget>
#include <memory>

#include "config/form_model.h"

class QComboBox;
class QLabel;
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

    // `link` may be null (nothing recorded); it must be open and outlive the
    // window. `ports` empty: every USB serial port that appears.
    explicit StationWindow(station::RecordsLink* link, QStringList ports = {}, QWidget* parent = nullptr);
    ~StationWindow() override;

    // A window of its own (deleted when closed) recording in the local
    // database, the shared folder the command line uses too; a database that
    // cannot be opened is said in the window, and nothing is recorded.
    static StationWindow* withLocalRecords(QStringList ports = {});

    // Starts with the chosen configuration; false (and says why) when the
    // chosen file cannot be used.
    bool startStation();
    // Stops at once: running units are recorded interrupted. The station
    // goes once their last rows are answered.
    void stopStation();
    bool running() const { return station_ != nullptr && !stopping_; }
    // Chooses the configuration: a preset index (0 default, 1 Norvale) or a file.
    void choosePreset(int index);
    bool chooseFile(const QString& path);
    // What a scanner typed, as if it came from the keyboard.
    void scanned(const QString& digits);

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

    station::RecordsLink* link_;
    std::unique_ptr<station::RecordsLink> ownLink_;
    QLabel* recordsLabel_ = nullptr;
    bool stopping_ = false;
    QStringList ports_;
    config::FormModel form_;
    QComboBox* configCombo_ = nullptr;
    QLabel* configLabel_ = nullptr;
    QPushButton* startButton_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* message_ = nullptr;
    QTimer* clock_ = nullptr;
    std::unique_ptr<station::Station> station_;
    QHash<station::StationUnit*, int> rows_;
    QrCapture* qr_ = nullptr;
};

// The production panel's button that opens (or brings forward) the one
// station window, placed at `geometry` in `parent`.
void addStationButton(QWidget* parent, const QRect& geometry);

}  // namespace vek::app
