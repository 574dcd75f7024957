#include "cli/station_command.h"

#include <QCoreApplication>
#include <QTimer>
#include <atomic>
#include <csignal>
#include <cstdio>

#include "cli/unit_job.h"
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

int runStation(const StationArgs& args, station::Recorder* recorder) {
    station::Station station(args.form, args.ports, recorder);
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
    return s.failed + s.interrupted == 0 ? ExitOk : ExitFailed;
}

}  // namespace vek::cli
