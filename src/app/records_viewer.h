#pragma once
// The production records as a production manager reads them: today's yield
// as one big figure, units passed and failed per hour (or per day for longer
// periods) and the failure reasons ranked, above the table of runs with the
// chosen run's details beside it. Filters: period, verdict, part of the unit
// identifier, station.
//
// It only reads. The queries run on a thread of their own (see
// RecordsViewerWorker), so a database that hangs leaves the window usable,
// saying it is still waiting.

#include <QWidget>

#include "app/records_viewer_worker.h"

class QChartView;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QThread;
class QTimer;

namespace vek::app {

class RecordsViewer : public QWidget {
    Q_OBJECT
public:
    enum Period { Today, Week, Month, Custom };
    enum Column { ColStarted, ColUnit, ColVerdict, ColReason, ColFirmware, ColStation, ColPort, ColumnCount };

    // `staleAfterSeconds` < 0: the query's default.
    explicit RecordsViewer(records::RecordsSource source, QWidget* parent = nullptr, qint64 staleAfterSeconds = -1);
    ~RecordsViewer() override;

    // Asks again with the filters on view; the answer arrives later.
    void refresh();
    // The figures on view are not yet those of the filters on view.
    bool loading() const;
    void setPeriod(Period period);
    // The custom period, whole local days from `from` to `to`, inclusive.
    void setCustomPeriod(const QDate& from, const QDate& to);

signals:
    // Figures and table show the latest answer (or its error).
    void loaded();
    void detailsShown();

private:
    ViewerRequest request(int offset, bool figures);
    void post(const ViewerRequest& request);
    void showResult(const ViewerResult& result);
    void showFigures(const ViewerResult& result);
    void showHourly(const ViewerResult& result);
    void showReasons(const ViewerResult& result);
    void appendRuns(const ViewerResult& result);
    void showDetails(const ViewerDetails& details);
    void selectionChanged();
    void setStatus(const QString& text, bool error);

    QThread* thread_ = nullptr;
    RecordsViewerWorker* worker_ = nullptr;
    quint64 serial_ = 0;
    quint64 pending_ = 0;  // serial awaited, 0: none
    quint64 detailsSerial_ = 0;
    records::Bucket bucket_ = records::Bucket::Hour;
    QDateTime from_;
    QDateTime to_;
    int shownRuns_ = 0;
    int totalRuns_ = 0;

    QComboBox* period_ = nullptr;
    QDateEdit* fromEdit_ = nullptr;
    QDateEdit* toEdit_ = nullptr;
    QLabel* fromLabel_ = nullptr;
    QLabel* toLabel_ = nullptr;
    QComboBox* verdict_ = nullptr;
    QLineEdit* unit_ = nullptr;
    QComboBox* station_ = nullptr;
    QPushButton* refresh_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* yield_ = nullptr;
    QLabel* stationYields_ = nullptr;
    QLabel* periodUnits_ = nullptr;
    QChartView* hourly_ = nullptr;
    QChartView* reasons_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* shown_ = nullptr;
    QPushButton* more_ = nullptr;
    QTableWidget* details_ = nullptr;
    QTimer* debounce_ = nullptr;
    QTimer* slow_ = nullptr;
};

// Opens the viewer as a window of its own (deleted when closed) over the
// database at `url`, or the local records file when `url` is empty.
void openRecordsViewer(QWidget* parent, const QString& url);

}  // namespace vek::app
