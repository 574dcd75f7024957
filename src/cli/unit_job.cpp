#include "cli/unit_job.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

#include "cli/cli_texts.h"
#include "protocol/identification.h"
#include "session/session_texts.h"

namespace vek::cli {

namespace {

QString fromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
QString qs(const char* text) { return QString::fromUtf8(text); }

void print(std::FILE* out, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), out);
    std::fflush(out);
}

}  // namespace

QString versionText(const protocol::Identification& unit) {
    const protocol::Version& v = unit.version;
    return QStringLiteral("%1.%2.%3.%4").arg(v.a).arg(v.b).arg(v.c).arg(v.d);
}

QString idText(const protocol::Identification& unit) { return fromUtf8(protocol::idListLine(unit.id)); }

UnitJob::UnitJob(QString port, QObject* parent) : QObject(parent), port_(std::move(port)) {
    session::Options options;
    options.followIdentification = false;
    unit_.setOptions(options);

    connect(&unit_, &unit::UnitController::openFailed, this,
            [this](unit::OpenFailure, const QString& message) { finish(ExitPort, message); });
    connect(&unit_, &unit::UnitController::noAnswer, this,
            [this](const QString& message) { finish(ExitNoUnit, message); });
    connect(&unit_, &unit::UnitController::operationModeNotice, this,
            [this] { finish(ExitFailed, qs(texts::kOperationMode).arg(port_)); });
    connect(&unit_, &unit::UnitController::unitIdentified, this, [this](const protocol::Identification& unit) {
        if (!ended_) identified(unit);
    });
    connect(&unit_, &unit::UnitController::operationFinished, this, [this](const session::Finished& outcome) {
        progress_.finishLine();
        if (!ended_) finished(outcome);
    });
    connect(&unit_, &unit::UnitController::progressChanged, this,
            [this](int position, int maximum, session::Operation op) { progress_.update(position, maximum, op); });
    // A failure box carries the link's counters: worth a line of its own.
    connect(&unit_, &unit::UnitController::boxRequested, this,
            [this](const QString& text, const QString& caption, session::BoxIcon) {
                progress_.finishLine();
                QString line = text;
                line.replace(QStringLiteral("\r\n"), QStringLiteral("; "));
                say(caption + QStringLiteral(": ") + line);
            });
    connect(&unit_, &unit::UnitController::connectionChanged, this, [this](bool open) {
        if (!open) finish(ExitFailed, qs(texts::kPortLost).arg(port_));
    });
}

void UnitJob::start() { unit_.open(port_); }

void UnitJob::say(const QString& line) { print(stderr, line + QLatin1Char('\n')); }

void UnitJob::finish(int code, const QString& message) {
    if (ended_) return;
    ended_ = true;
    progress_.finishLine();
    if (!message.isEmpty()) say(message);
    unit_.close();
    emit done(code);
}

// ---------------------------------------------------------------- identify

void IdentifyJob::identified(const protocol::Identification& unit) {
    const bool update = protocol::nextStep(unit) == protocol::NextStep::UpdateFirmware;
    if (json_) {
        QJsonObject o;
        o[QStringLiteral("port")] = port_;
        o[QStringLiteral("version")] = versionText(unit);
        o[QStringLiteral("id")] = idText(unit);
        o[QStringLiteral("type")] = unit.version.a;
        o[QStringLiteral("needsFirmwareUpdate")] = update;
        o[QStringLiteral("configBase")] = QStringLiteral("0x%1").arg(unit.configBase, 8, 16, QLatin1Char('0'));
        print(stdout, QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Indented)));
    } else {
        print(stdout, qs(texts::kIdentVersion).arg(versionText(unit)) + '\n' + qs(texts::kIdentId).arg(idText(unit)) +
                          '\n' + qs(texts::kIdentType).arg(unit.version.a) + '\n' +
                          qs(texts::kIdentNeedsUpdate).arg(qs(update ? texts::kYes : texts::kNo)) + '\n');
    }
    finish(ExitOk);
}

// ---------------------------------------------------------------- read

void ReadJob::finished(const session::Finished& outcome) {
    if (outcome.operation != session::Operation::Read) return;
    if (!outcome.ok) {
        // An invalid record is reported as it is; it is never replaced here.
        finish(ExitFailed, outcome.reason == session::texts::kInvalidConfiguration ? qs(texts::kInvalidImage)
                                                                      : QString::fromStdString(outcome.reason));
        return;
    }
    finish(deliver_(unit_.session().form(), unit_.session().unit()));
}

// ---------------------------------------------------------------- write

WriteJob::WriteJob(QString port, config::FormModel form, bool verify) : UnitJob(std::move(port)), form_(std::move(form)) {
    session::Options options = unit_.options();
    options.verifyWrites = verify;
    unit_.setOptions(options);
}

void WriteJob::finished(const session::Finished& outcome) {
    if (outcome.operation != session::Operation::Write) return;
    if (!outcome.ok) {
        finish(ExitFailed, QString::fromStdString(outcome.reason));
        return;
    }
    finish(ExitOk, qs(unit_.options().verifyWrites ? texts::kWritten : texts::kWrittenUnverified));
}

// ---------------------------------------------------------------- flash

FlashJob::FlashJob(QString port, bool force) : UnitJob(std::move(port)), force_(force) {
    connect(&unit_, &unit::UnitController::unitDidNotReturn, this, [this] { finish(ExitFailed, qs(texts::kNoReturn)); });
}

void FlashJob::identified(const protocol::Identification& unit) {
    if (flashed_) {
        // The unit is back with its new firmware.
        finish(ExitOk, qs(texts::kFlashed).arg(before_, versionText(unit)));
        return;
    }
    if (!protocol::updatableType(unit.version.a)) {
        finish(ExitFailed, qs(texts::kNotUpdatable).arg(unit.version.a));
        return;
    }
    if (protocol::nextStep(unit) != protocol::NextStep::UpdateFirmware && !force_) {
        finish(ExitOk, qs(texts::kUpToDate).arg(versionText(unit)));
        return;
    }
    before_ = versionText(unit);
    unit_.firmwareUpdate();
}

void FlashJob::finished(const session::Finished& outcome) {
    if (outcome.operation != session::Operation::Firmware) return;
    if (!outcome.ok) {
        finish(ExitFailed, QString::fromStdString(outcome.reason));
        return;
    }
    flashed_ = true;
}

}  // namespace vek::cli
