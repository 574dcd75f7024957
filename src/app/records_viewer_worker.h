#pragma once
// The records viewer's side that waits: one RecordsQuery on a thread of its
// own, so a database that does not answer holds this thread and never the
// window. Requests carry a serial; one overtaken by a newer request before it
// started is skipped, and the window drops answers to anything but its latest.

#include <QMetaType>
#include <QObject>
#include <QStringList>
#include <atomic>
#include <memory>
#include <vector>

#include "records/records_query.h"

namespace vek::app {

struct ViewerRequest {
    quint64 serial = 0;
    records::RunQuery query{};
    records::Bucket bucket = records::Bucket::Hour;
    QDateTime todayFrom{};
    QDateTime todayTo{};
    int limit = 200;
    int offset = 0;
    bool figures = true;  // false: only the next page of the table
};

struct ViewerResult {
    quint64 serial = 0;
    bool ok = false;
    QString error{};
    QString source{};
    bool figures = true;
    std::vector<records::TimeBucket> buckets{};
    std::vector<records::ReasonCount> reasons{};
    records::VerdictCounts today{};
    // Today per station, when more than one recorded.
    std::vector<std::pair<QString, records::VerdictCounts>> todayPerStation{};
    records::VerdictCounts period{};
    QStringList stations{};
    std::vector<records::RunSummary> runs{};
    int totalRuns = 0;
    int offset = 0;
};

struct ViewerDetails {
    quint64 serial = 0;
    bool ok = false;
    QString error{};
    records::RunDetails run{};
};

class RecordsViewerWorker : public QObject {
    Q_OBJECT
public:
    explicit RecordsViewerWorker(records::RecordsSource source, qint64 staleAfterSeconds = -1);
    ~RecordsViewerWorker() override;

    // Set from the window's thread as it posts a request.
    std::atomic<quint64> latest{0};

    void load(const ViewerRequest& request);
    void loadDetails(quint64 serial, const QString& id);
    // Closes the connection on this thread, where it was made.
    void close();

signals:
    void loaded(const vek::app::ViewerResult& result);
    void detailsLoaded(const vek::app::ViewerDetails& details);

private:
    bool ensureOpen(QString* error);

    records::RecordsSource source_;
    qint64 staleAfterSeconds_;
    std::unique_ptr<records::RecordsQuery> query_;
};

}  // namespace vek::app

Q_DECLARE_METATYPE(vek::app::ViewerResult)
Q_DECLARE_METATYPE(vek::app::ViewerDetails)
