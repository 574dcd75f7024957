#include "app/records_viewer_worker.h"

namespace vek::app {

RecordsViewerWorker::RecordsViewerWorker(records::RecordsSource source, qint64 staleAfterSeconds)
    : source_(std::move(source)), staleAfterSeconds_(staleAfterSeconds) {
    qRegisterMetaType<ViewerResult>();
    qRegisterMetaType<ViewerDetails>();
}

RecordsViewerWorker::~RecordsViewerWorker() = default;

void RecordsViewerWorker::close() { query_.reset(); }

bool RecordsViewerWorker::ensureOpen(QString* error) {
    if (query_ && query_->isOpen()) return true;
    // A failed open is tried again at the next request: "Atualizar" after the
    // server is back, or after the station made the file.
    query_ = std::make_unique<records::RecordsQuery>(source_);
    if (staleAfterSeconds_ >= 0) query_->setStaleAfterSeconds(staleAfterSeconds_);
    if (query_->open()) return true;
    *error = query_->errorString();
    return false;
}

void RecordsViewerWorker::load(const ViewerRequest& request) {
    if (request.serial < latest.load()) return;
    ViewerResult result;
    result.serial = request.serial;
    result.figures = request.figures;
    result.offset = request.offset;
    QString error;
    auto done = [&](bool ok) {
        result.ok = ok;
        result.error = ok ? QString() : (error.isEmpty() ? query_->errorString() : error);
        // A statement that failed may have left a broken connection: the next
        // request opens a fresh one.
        if (!ok) query_.reset();
        emit loaded(result);
    };
    if (!ensureOpen(&error)) {
        result.source = records::RecordsQuery(source_).description();
        return done(false);
    }
    result.source = query_->description();
    query_->forgetStations();
    if (request.figures) {
        records::RunQuery today = request.query;
        today.from = request.todayFrom;
        today.to = request.todayTo;
        auto buckets = query_->unitsOver(request.query, request.bucket);
        if (!buckets) return done(false);
        result.buckets = std::move(*buckets);
        for (const records::TimeBucket& b : result.buckets) result.period += b.units;
        auto reasons = query_->failureReasons(request.query, 8);
        auto todayUnits = query_->units(today);
        auto stations = query_->stations(request.query);
        auto perStation = query_->unitsPerStation(today);
        if (!reasons || !todayUnits || !stations || !perStation) return done(false);
        result.todayPerStation = std::move(*perStation);
        result.reasons = std::move(*reasons);
        result.today = *todayUnits;
        result.stations = *stations;
    }
    auto count = query_->countRuns(request.query);
    auto runs = query_->runs(request.query, request.limit, request.offset);
    if (!count || !runs) return done(false);
    result.totalRuns = *count;
    result.runs = std::move(*runs);
    done(true);
}

void RecordsViewerWorker::loadDetails(quint64 serial, const QString& id) {
    ViewerDetails details;
    details.serial = serial;
    QString error;
    if (!ensureOpen(&error)) {
        details.error = error;
        emit detailsLoaded(details);
        return;
    }
    query_->forgetStations();
    auto run = query_->details(id);
    details.ok = run.has_value();
    if (run)
        details.run = std::move(*run);
    else {
        details.error = query_->errorString();
        query_.reset();
    }
    emit detailsLoaded(details);
}

}  // namespace vek::app
