#include "cli/station_command.h"

#include <QCoreApplication>
#include <QTimer>
#include <atomic>
#include <csignal>
#include <cstdio>

#include "cli/unit_job.h"
#include "records/record_store.h"
#include "station/station.h"
#include "station/station_texts.h"

namespace vek::cli {

namespace {

std::atomic<bool> interrupted{false};

extern "C" void onInterrupt(int) { interrupted = true; }

void say(const QString& line) {
    const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

}  // namespace

int runStation(const StationArgs& args) {
    records::RecordStore store({.url = args.db});
    if (!store.open()) {
        say(store.errorString());
        return ExitUsage;
    }
    say(QStringLiteral("registros: %1").arg(store.description()));
    if (store.usesShared() && !store.sharedConnected()) say(store.errorString());
    for (const QString& id : store.interruptedRuns()) say(QStringLiteral("execução %1 marcada como interrompida").arg(id));

    station::Station station(args.form, args.ports, &store);
    station.setCount(args.count);
    QObject::connect(&station, &station::Station::line, &station, &say);
    QObject::connect(&station, &station::Station::finished, &station, [] { QCoreApplication::exit(0); },
                     Qt::QueuedConnection);

    // Ctrl+C ends the station between two events, never inside one, so no
    // record is left half written.
    interrupted = false;
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &station, [&station] {
        if (interrupted) station.stop(QString::fromUtf8(station::texts::kStopped));
    });
    poll.start(100);

    QTimer::singleShot(0, &station, [&station] { station.start(); });
    QCoreApplication::exec();
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);

    const station::Summary& s = station.summary();
    say(QStringLiteral("unidades: %1 concluídas, %2 falharam, %3 interrompidas")
            .arg(s.passed)
            .arg(s.failed)
            .arg(s.interrupted));
    for (const QString& f : s.failures) say(QStringLiteral("  ") + f);
    if (store.usesShared() && store.pendingUploads() > 0)
        say(QStringLiteral("%1 registros aguardam o banco %2; serão enviados na próxima vez que ele responder")
                .arg(store.pendingUploads())
                .arg(store.description()));
    return s.failed + s.interrupted == 0 ? ExitOk : ExitFailed;
}

int listRecords(const QString& db, const QString& since, bool csv) {
    QDateTime from;
    if (!since.isEmpty()) {
        from = QDateTime::fromString(since, Qt::ISODate);
        if (!from.isValid()) from = QDateTime(QDate::fromString(since, Qt::ISODate), QTime(0, 0));
        if (!from.isValid()) {
            say(QStringLiteral("vektool-cli: --since pede uma data AAAA-MM-DD: %1").arg(since));
            return ExitUsage;
        }
    }
    records::RecordStore store({.url = db});
    if (!store.open()) {
        say(store.errorString());
        return ExitUsage;
    }
    const auto runs = store.list(from);
    if (!runs) {
        say(store.errorString());
        return ExitFailed;
    }
    QString out;
    if (csv) {
        out = records::toCsv(*runs);
    } else {
        for (const records::Run& r : *runs) {
            out += QStringLiteral("%1  %2  %3  %4  %5 → %6  %7  %8\n")
                       .arg(records::timestampText(r.startedAt), r.station, r.port, r.unitId, r.firmwareBefore,
                            r.firmwareAfter, records::verdictText(r.verdict), r.failureReason);
        }
    }
    const QByteArray bytes = out.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    std::fflush(stdout);
    return ExitOk;
}

}  // namespace vek::cli
