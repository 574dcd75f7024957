#include "cli/station_command.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRegularExpression>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "cli/cli_texts.h"
#include "cli/interrupt.h"
#include "cli/unit_job.h"
#include "records/database_url.h"
#include "records/record_store.h"
#include "words/words.h"
#include "records/records_query.h"
#include "station/records_link.h"
#include "station/station.h"
#include "words/words.h"
#include "station/station_texts.h"
#include "text/language.h"

namespace vek::cli {

namespace {

constexpr int kExitStoppedAtOnce = 130;

QString qs(vek::Text text) { return vek::translated(text); }

void say(const QString& line) {
    const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

void out(const QByteArray& bytes) {
    // A reader that went away ends the output, not the command (SIGPIPE is ignored).
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

// An address is refused before anything is opened, and never shown with
// its password.
bool badDb(const QString& db) {
    if (db.isEmpty()) return false;
    QString error;
    if (records::parseDatabaseUrl(db, &error)) return false;
    say(QStringLiteral("vektool-cli: ") + error);
    return true;
}

QString verdictWord(records::Verdict verdict) {
    switch (verdict) {
        case records::Verdict::Passed: return qs(station::texts::kVerdictPassed);
        case records::Verdict::Failed: return qs(station::texts::kVerdictFailed);
        case records::Verdict::Interrupted: return qs(station::texts::kVerdictInterrupted);
        case records::Verdict::Running: break;
    }
    return qs(station::texts::kVerdictRunning);
}

QJsonObject summaryJson(const station::Summary& s) {
    QJsonObject units;
    units[QStringLiteral("passed")] = s.passed;
    units[QStringLiteral("failed")] = s.failed;
    units[QStringLiteral("interrupted")] = s.interrupted;
    units[QStringLiteral("unrecorded")] = s.unrecorded;
    QJsonObject o;
    o[QStringLiteral("units")] = units;
    QJsonArray failures;
    for (const station::Summary::Failure& f : s.failures)
        failures.append(QJsonObject{{QStringLiteral("kind"), f.failure.kind.isEmpty() ? QJsonValue() : f.failure.kind},
                                    {QStringLiteral("unit"), f.unitId},
                                    {QStringLiteral("port"), f.port},
                                    {QStringLiteral("values"), f.failure.values}});
    o[QStringLiteral("failures")] = failures;
    return o;
}

}  // namespace

int runStation(const StationArgs& args) {
    if (badDb(args.db)) return ExitUsage;

    // The file was read once, before: its bytes are what every unit gets and
    // what the records name, whatever happens to the file during the run.
    const config::FormModel& form = args.form;
    station::RunSource source{args.preset, {}};
    QByteArray fileHash;
    if (!args.file.isEmpty()) {
        fileHash = QCryptographicHash::hash(args.fileBytes, QCryptographicHash::Sha256);
        source = {QFileInfo(args.file).fileName(), QString::fromLatin1(fileHash.toHex())};
    }

    station::RecordsLink link({.url = args.db});
    bool openOk = false;
    QString openError;
    QObject::connect(&link, &station::RecordsLink::opened, &link, [&](bool ok, const QString& error) {
        openOk = ok;
        openError = error;
        QCoreApplication::exit(0);
    });
    QObject::connect(&link, &station::RecordsLink::interruptedFound, &link, [](const QStringList& ids) {
        for (const QString& id : ids) say(qs(station::texts::kLineMarkedInterrupted).arg(id));
    });
    link.open();
    QCoreApplication::exec();
    if (!openOk) {
        say(openError);
        return ExitUsage;
    }
    if (!args.quiet) say(station::describe(link.state()));
    if (!source.source.isEmpty() && !args.quiet)
        say(qs(station::texts::kLineSource)
                .arg(source.source, source.sha256.isEmpty() ? QString() : QStringLiteral(" (SHA-256 %1)").arg(source.sha256),
                     station::StationUnit::firmwareTarget()));
    QString lastState = station::describe(link.state());
    QObject::connect(&link, &station::RecordsLink::stateChanged, &link, [&] {
        const QString now = station::describe(link.state());
        // Quiet: only a server that went away, or rows that are not stored.
        const station::RecordsState& st = link.state();
        const bool warning = !st.storing || (st.shared && !st.connected && st.awaySince.isValid());
        if (now != lastState && (!args.quiet || warning)) say(now);
        lastState = now;
    });

    station::Station station(form, args.ports, &link);
    station.setSource(source);
    station.setCount(args.count);
    if (!args.quiet) QObject::connect(&station, &station::Station::line, &station, &say);
    QObject::connect(&station, &station::Station::finished, &station, [] { QCoreApplication::exit(0); },
                     Qt::QueuedConnection);

    // The station acts on a signal between two events, never inside one, so
    // no record is left half written.
    bool atOnce = false;
    Interrupts interrupts;
    QObject::connect(&interrupts, &Interrupts::first, &station, [&] {
        if (station.runningUnits() > 0)
            station.drain();
        else
            station.stop();
    });
    QObject::connect(&interrupts, &Interrupts::second, &station, [&] {
        atOnce = true;
        station.stop();
    });

    // A file changed on disk is not picked up: the station says so, once.
    QTimer fileWatch;
    bool fileChangeSaid = false;
    if (!args.file.isEmpty()) {
        QObject::connect(&fileWatch, &QTimer::timeout, &station, [&] {
            QFile file(args.file);
            if (fileChangeSaid || !file.open(QIODevice::ReadOnly)) return;
            // One byte past the bytes in use tells a longer file apart
            // without reading whatever it grew into.
            const QByteArray now = file.read(args.fileBytes.size() + 1);
            if (QCryptographicHash::hash(now, QCryptographicHash::Sha256) == fileHash) return;
            fileChangeSaid = true;
            say(qs(station::texts::kFileChanged).arg(args.file, source.sha256));
        });
        fileWatch.start(2000);
    }

    QTimer::singleShot(0, &station, [&] {
        station.start();
        // Which ports, said once; a station with nothing to watch says so
        // rather than wait in silence.
        if (!args.ports.isEmpty()) {
            if (!args.quiet) say(qs(station::texts::kWatchingPorts).arg(args.ports.join(QStringLiteral(", "))));
            return;
        }
        const QStringList extra = qEnvironmentVariable("VEKTOOL_EXTRA_PORTS").split(u':', Qt::SkipEmptyParts);
        if (!args.quiet)
            say(qs(station::texts::kWatchingAll)
                    .arg(extra.isEmpty() ? QString()
                                         : qs(station::texts::kWatchingExtra).arg(extra.join(QStringLiteral(", ")))));
        if (station.units().isEmpty()) say(qs(station::texts::kWatchingNoneYet));
    });
    QCoreApplication::exec();
    fileWatch.stop();
    link.close();

    const station::Summary& s = station.summary();
    if (!args.quiet) say(qs(station::texts::kSummary).arg(s.passed).arg(s.failed).arg(s.interrupted));
    if (s.unrecorded > 0) say(qs(station::texts::kSummaryUnrecorded).arg(s.unrecorded));
    // Quiet or not, each unit that did not pass is named with its reason.
    for (const station::Summary::Failure& f : s.failures)
        say(QStringLiteral("  %1 %2: %3").arg(f.port, f.unitId, f.failure.empty() ? f.reason : words::sentence(f.failure)));
    // What did not reach the server, and where it waits; or that all did.
    const int queued = link.queuedAtClose();
    if (link.state().shared) {
        if (queued > 0)
            say(qs(station::texts::kRecordsLeftQueued).arg(queued).arg(link.station()));
        else if (queued < 0)
            say(qs(station::texts::kRecordsQueueUnread).arg(link.station()));
        else if (!args.quiet)
            say(qs(station::texts::kRecordsAllSent).arg(link.state().where));
    } else if (!args.quiet) {
        say(station::describe(link.state()));
    }
    if (args.json) {
        QJsonObject o = summaryJson(s);
        if (link.state().shared) {
            QJsonObject records;
            records[QStringLiteral("server")] = link.state().where;
            records[QStringLiteral("host")] = link.station();
            records[QStringLiteral("queued")] = queued >= 0 ? QJsonValue(queued) : QJsonValue();
            o[QStringLiteral("records")] = records;
        }
        out(QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n');
    }
    const int code = atOnce ? kExitStoppedAtOnce
                     : s.failed + s.interrupted + s.unrecorded == 0 ? ExitOk
                                                                     : ExitFailed;
    if (link.senderLeftBehind()) {
        // The sender is stuck in a server that does not answer; its rows are
        // in the outbox. Waiting for it would hold the operator for nothing.
        std::fflush(nullptr);
        std::_Exit(code);
    }
    return code;
}

namespace {

// Exactly a date (AAAA-MM-DD) or a date and time (AAAA-MM-DDTHH:MM[:SS], a
// space for the T), local time; anything else is refused.
std::optional<QDateTime> parseSince(const QString& text) {
    static const QRegularExpression form(
        QStringLiteral("^(\\d{4}-\\d{2}-\\d{2})(?:[T ](\\d{2}:\\d{2}(?::\\d{2})?))?$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const QDate date = QDate::fromString(m.captured(1), Qt::ISODate);
    QTime time(0, 0);
    if (m.hasCaptured(2))
        time = QTime::fromString(m.captured(2), m.captured(2).size() == 5 ? QStringLiteral("HH:mm")
                                                                           : QStringLiteral("HH:mm:ss"));
    if (!date.isValid() || !time.isValid()) return std::nullopt;
    return QDateTime(date, time);
}

QJsonObject runJson(const records::Run& r) {
    QJsonObject o;
    auto text = [&](const char* key, const QString& value) {
        o[QLatin1String(key)] = value.isEmpty() ? QJsonValue() : QJsonValue(value);
    };
    text("id", r.id);
    text("started_at", records::timestampText(r.startedAt));
    text("ended_at", records::timestampText(r.endedAt));
    text("station", r.station);
    text("port", r.port);
    text("unit_id", r.unitId);
    o[QStringLiteral("unit_type")] = r.unitType ? QJsonValue(*r.unitType) : QJsonValue();
    text("firmware_before", r.firmwareBefore);
    text("firmware_after", r.firmwareAfter);
    text("firmware_target", r.firmwareTarget);
    text("config_source", r.configSource);
    text("config_sha256", r.configSha256);
    const QJsonDocument config = QJsonDocument::fromJson(r.configJson.toUtf8());
    o[QStringLiteral("config")] = config.isObject() ? QJsonValue(config.object()) : QJsonValue();
    o[QStringLiteral("verify")] = records::verifyText(r.verify.result);
    o[QStringLiteral("verify_offset")] =
        r.verify.result == records::Verify::Result::Mismatch ? QJsonValue(qint64{r.verify.offset}) : QJsonValue();
    text("qr_label", r.qr ? r.qr->label : QString());
    o[QStringLiteral("qr_match")] = r.qr ? QJsonValue(r.qr->match) : QJsonValue();
    o[QStringLiteral("verdict")] = records::verdictText(r.verdict);
    text("failure_reason", r.failureReason);
    text("failure_kind", r.failureKind);
    o[QStringLiteral("failure_values")] = r.failureKind.isEmpty() ? QJsonValue() : QJsonValue(r.failureValues);
    text("before_image", QString::fromLatin1(r.beforeImage.toHex()));
    return o;
}

// Units by their last run and the reasons of those whose last run failed,
// counted by the database: a month of a busy line is a few rows back, not
// every run read here.
int summarizeRecords(const RecordsArgs& args, const QDateTime& from) {
    records::RecordsQuery query({.url = args.db});
    if (!query.open()) {
        say(query.errorString());
        return ExitUsage;
    }
    records::RunQuery which;
    which.from = from;
    which.unitContains = args.unit.trimmed();
    const auto units = query.units(which);
    const auto runs = query.countRuns(which);
    const auto reasons = query.failureReasons(which, 20);
    const auto perStation = query.unitsPerStation(which);
    if (!units || !runs || !reasons || !perStation) {
        say(query.errorString());
        return ExitFailed;
    }
    const QLocale locale;
    auto percent = [&](std::optional<double> value) {
        return value ? locale.toString(*value, 'f', 1) + QStringLiteral(" %") : QStringLiteral("—");
    };
    auto countsJson = [](const records::VerdictCounts& c) {
        auto ratio = [](std::optional<double> v) { return v ? QJsonValue(*v) : QJsonValue(); };
        return QJsonObject{{QStringLiteral("passed"), c.passed},
                           {QStringLiteral("failed"), c.failed},
                           {QStringLiteral("interrupted"), c.interrupted},
                           {QStringLiteral("running"), c.running},
                           {QStringLiteral("without_news"), c.withoutNews},
                           {QStringLiteral("first_pass"), c.firstPass},
                           {QStringLiteral("rework"), c.rework},
                           {QStringLiteral("yield_percent"), ratio(c.yieldPercent())},
                           {QStringLiteral("first_pass_yield_percent"), ratio(c.firstPassPercent())}};
    };
    if (args.json) {
        QJsonArray ranked;
        for (const records::ReasonCount& r : *reasons)
            ranked.append(QJsonObject{{QStringLiteral("kind"), r.kind.isEmpty() ? QJsonValue() : QJsonValue(r.kind)},
                                      {QStringLiteral("reason"), words::title(r.kind, r.reason)},
                                      {QStringLiteral("units"), r.units}});
        QJsonObject o{{QStringLiteral("runs"), *runs},
                      {QStringLiteral("units"), countsJson(*units)},
                      {QStringLiteral("reasons"), ranked}};
        if (!perStation->empty()) {
            QJsonObject stations;
            for (const auto& [name, counts] : *perStation) stations[name] = countsJson(counts);
            o[QStringLiteral("stations")] = stations;
        }
        out(QJsonDocument(o).toJson(QJsonDocument::Indented));
        return ExitOk;
    }
    auto lines = [&](const records::VerdictCounts& c, int runCount) {
        return qs(station::texts::kRecordsSummary)
                   .arg(c.total())
                   .arg(runCount)
                   .arg(c.passed)
                   .arg(c.failed)
                   .arg(c.interrupted)
                   .arg(c.running) +
               u'\n' +
               qs(station::texts::kRecordsYield)
                   .arg(percent(c.yieldPercent()), percent(c.firstPassPercent()))
                   .arg(c.rework)
                   .arg(c.withoutNews);
    };
    QString text = lines(*units, *runs) + u'\n';
    for (const auto& [name, counts] : *perStation) {
        records::RunQuery one = which;
        one.station = name;
        const auto stationRuns = query.countRuns(one);
        if (!stationRuns) {
            say(query.errorString());
            return ExitFailed;
        }
        text += qs(station::texts::kRecordsStation).arg(name, lines(counts, *stationRuns).replace(u'\n', QStringLiteral("\n  "))) + u'\n';
    }
    if (!reasons->empty()) text += qs(station::texts::kRecordsReasons) + u'\n';
    for (const records::ReasonCount& r : *reasons)
        text += QStringLiteral("%1  %2\n").arg(r.units, 5).arg(words::title(r.kind, r.reason));
    out(text.toUtf8());
    return ExitOk;
}

}  // namespace

int listRecords(const RecordsArgs& args) {
    if (badDb(args.db)) return ExitUsage;
    QDateTime from;
    if (!args.since.isEmpty()) {
        const auto since = parseSince(args.since);
        if (!since) {
            say(QStringLiteral("vektool-cli: ") + qs(station::texts::kBadSince).arg(args.since));
            return ExitUsage;
        }
        from = *since;
    }
    records::RunFilter filter;
    filter.unitId = args.unit.trimmed();
    if (!args.verdict.isEmpty()) {
        filter.verdict = records::verdictFromText(args.verdict);
        if (!filter.verdict) {
            say(QStringLiteral("vektool-cli: ") + qs(station::texts::kBadVerdict).arg(args.verdict));
            return ExitUsage;
        }
    }
    if (args.csv && (args.json || args.summary)) {
        say(QStringLiteral("vektool-cli: ") + qs(station::texts::kCsvAlone));
        return ExitUsage;
    }
    if (args.summary) return summarizeRecords(args, from);
    // A listing takes no lock, marks nothing and sends nothing: a run shown
    // `running` may be a live one of another station, and what this machine
    // has queued is shown as queued.
    records::RecordStore store({.url = args.db, .access = records::Access::Reader});
    if (!store.open()) {
        say(store.errorString());
        return ExitUsage;
    }
    records::ListMarks marks;
    const auto runs = store.list(from, filter, &marks);
    if (!runs) {
        say(store.errorString());
        return ExitFailed;
    }
    if (args.csv) {
        out(records::toCsv(*runs).toUtf8());
        return ExitOk;
    }
    if (args.json) {
        QJsonArray list;
        for (const records::Run& r : *runs) {
            QJsonObject o = runJson(r);
            o[QStringLiteral("queued")] = marks.queued.contains(r.id);
            o[QStringLiteral("without_news")] = marks.withoutNews.contains(r.id);
            list.append(o);
        }
        out(QJsonDocument(list).toJson(QJsonDocument::Indented));
        return ExitOk;
    }
    QString text;
    for (const records::Run& r : *runs) {
        QString verdict = verdictWord(r.verdict);
        if (marks.withoutNews.contains(r.id))
            verdict = qs(station::texts::kListedNoNews)
                          .arg(r.startedAt.toLocalTime().toString(QStringLiteral("HH:mm")), r.station);
        if (marks.queued.contains(r.id)) verdict += u' ' + qs(station::texts::kListedQueued);
        text += QStringLiteral("%1  %2  %3  %4  %5 → %6  %7  %8\n")
                    .arg(r.startedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), r.station, r.port,
                         r.unitId, r.firmwareBefore, r.firmwareAfter, verdict,
                         r.failureKind.isEmpty() ? r.failureReason
                                                 : words::sentence({r.failureKind, r.failureValues}));
    }
    out(text.toUtf8());
    return ExitOk;
}

int syncRecords(const RecordsArgs& args) {
    if (badDb(args.db)) return ExitUsage;
    const QString localPath = records::RecordStore::defaultLocalPath();
    // Every server the outbox names, or the one asked for.
    QStringList targets;
    int legacy = 0;
    if (!QFileInfo::exists(localPath)) {
        // No local file: nothing was ever queued here, and none is made.
    } else if (!args.db.isEmpty()) {
        targets << args.db;
    } else {
        const auto queued = records::RecordStore::queuedTargets(localPath);
        if (!queued) {
            say(qs(station::texts::kRecordsQueueUnread).arg(localPath));
            return ExitFailed;
        }
        for (const auto& [target, count] : *queued) {
            if (target.isEmpty())
                legacy += count;
            else
                targets << target;
        }
    }
    if (targets.isEmpty()) {
        if (legacy > 0) {
            say(qs(station::texts::kSyncLegacy).arg(legacy));
            return ExitFailed;
        }
        if (!args.quiet) say(qs(station::texts::kSyncNothing).arg(localPath));
        if (args.json) out(QJsonDocument(QJsonArray()).toJson(QJsonDocument::Compact) + '\n');
        return ExitOk;
    }
    int left = 0;
    QJsonArray report;
    for (const QString& target : std::as_const(targets)) {
        QString ignored;
        const auto url = records::parseDatabaseUrl(target, &ignored);
        const QString where = url ? url->display() : records::withoutPassword(target);
        const int before = records::RecordStore::queuedIn(localPath, where);
        // A sender of its own: it takes only rows no live station claims.
        records::RecordStore store({.url = target, .localPath = localPath, .access = records::Access::Sender});
        if (!store.open()) {
            say(store.errorString());
            return ExitUsage;
        }
        const bool sent = store.send();
        const int after = store.pendingUploads();
        const int gone = std::max(before - after, 0);
        left += std::max(after, 0);
        if (sent || after == 0) {
            if (!args.quiet || after > 0) say(qs(station::texts::kSyncSent).arg(where).arg(gone).arg(after));
        } else {
            say(qs(station::texts::kSyncAway).arg(where).arg(after).arg(store.errorString()));
        }
        report.append(QJsonObject{{QStringLiteral("server"), where},
                                  {QStringLiteral("sent"), gone},
                                  {QStringLiteral("queued"), after}});
    }
    legacy = 0;  // claimed by the first server above, as a station would
    if (legacy > 0) say(qs(station::texts::kSyncLegacy).arg(legacy));
    if (args.json) out(QJsonDocument(report).toJson(QJsonDocument::Compact) + '\n');
    return left == 0 && legacy == 0 ? ExitOk : ExitFailed;
}

}  // namespace vek::cli
