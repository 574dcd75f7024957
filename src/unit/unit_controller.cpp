#include "unit/unit_controller.h"

#include <QDateTime>
#include <cerrno>
#include <cmath>

#include "unit/backup_store.h"
#include "unit/unit_texts.h"
#include "text/language.h"

namespace vek::unit {

namespace {

constexpr qint32 kLinkBaudRate = 3686400;
constexpr int kPartialFrameMs = 200;  // the link's read interval
// Speed and time left are guessed from what has passed; before this much
// there is too little to go on.
constexpr qint64 kEstimateAfterMs = 300;

QString fromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

OpenFailure classify(const link::ComPortError& e) {
    switch (e.serialError()) {
        case QSerialPort::DeviceNotFoundError:
            return OpenFailure::NotFound;
        case QSerialPort::PermissionError:
            // The serial layer says "permission" both for a device the user
            // may not open and for one another program holds.
            return e.systemError() == EACCES || e.systemError() == EPERM ? OpenFailure::Permission
                                                                           : OpenFailure::Busy;
        default:
            return e.systemError() == ENOENT ? OpenFailure::NotFound : OpenFailure::Other;
    }
}

// Bytes a step carries, for the speed: transfer blocks hold 48, reads 500.
int blockBytes(Operation op) { return op == Operation::Read || op == Operation::Verify ? 500 : 48; }

}  // namespace

UnitController::UnitController(QObject* parent) : QObject(parent), session_(*this, *this) {
    const std::pair<QTimer*, std::pair<const char*, int>> timers[] = {{&Timer1, {"Timer1", 500}},
                                                                      {&Timer2, {"Timer2", 50}},
                                                                      {&Timer3, {"Timer3", 100}},
                                                                      {&rxPartial_, {"rxPartial", kPartialFrameMs}},
                                                                      {&noAnswer_, {"noAnswer", kNoAnswerMs}},
                                                                      {&noReturn_, {"noReturn", kReturnMs}},
                                                                      {&reopen_, {"reopen", kReopenMs}}};
    for (const auto& [t, setting] : timers) {
        t->setObjectName(QString::fromLatin1(setting.first));
        t->setInterval(setting.second);
        t->setParent(this);
    }
    rxPartial_.setSingleShot(true);
    noAnswer_.setSingleShot(true);
    noReturn_.setSingleShot(true);
    vcp_.setParent(this);
    vcp_.setCustomBaudRate(kLinkBaudRate);
    // Transfer ids must differ from one run of the tool to the next as well.
    session_.setTransferSeed(static_cast<std::uint32_t>(QDateTime::currentMSecsSinceEpoch()));

    connect(&Timer1, &QTimer::timeout, this, [this] { session_.timer1Tick(); });
    connect(&Timer2, &QTimer::timeout, this, &UnitController::Timer2Timer);
    connect(&Timer3, &QTimer::timeout, this, [this] { session_.timer3Tick(); });
    connect(&rxPartial_, &QTimer::timeout, this, [this] { session_.partialFrameExpired(); });
    connect(&noAnswer_, &QTimer::timeout, this, [this] {
        warn(vek::translated(texts::kNoAnswer).arg(vcp_.port()));
        session_.noAnswer();
    });
    connect(&noReturn_, &QTimer::timeout, this, [this] {
        reopen_.stop();
        session_.returnExpired();
    });
    connect(&reopen_, &QTimer::timeout, this, &UnitController::reopen);
    connect(&vcp_, &link::ComPort::rxChar, this, &UnitController::VCPRxChar);
    connect(&vcp_, &link::ComPort::lost, this, &UnitController::lost);
}

UnitController::~UnitController() { vcp_.close(); }

QString UnitController::openFailureText(OpenFailure why, const QString& port, const QString& systemText) {
    switch (why) {
        case OpenFailure::NotFound: return vek::translated(texts::kOpenNotFound).arg(port);
        case OpenFailure::Busy: return vek::translated(texts::kOpenBusy).arg(port);
        case OpenFailure::Permission: {
            QString text = vek::translated(texts::kOpenPermission).arg(port);
#ifdef Q_OS_LINUX
            text += vek::translated(texts::kOpenPermissionHint);
#endif
            return text;
        }
        case OpenFailure::Other: break;
    }
    return vek::translated(texts::kOpenOther).arg(port, systemText);
}

bool UnitController::openDevice(const QString& port, bool quiet) {
    vcp_.setPort(port);
    try {
        vcp_.open();
        vcp_.clearBuffer(true, true);
    } catch (const link::ComPortError& e) {
        vcp_.close();
        if (quiet) return false;
        const OpenFailure why = classify(e);
        const QString line = openFailureText(why, port, e.systemText());
        warn(line);
        emit openFailed(why, line);
        return false;
    }
    return true;
}

bool UnitController::open(const QString& port) {
    if (vcp_.connected()) return true;
    reopen_.stop();
    if (!openDevice(port, false)) return false;
    const bool returning = session_.awaitingReturn();
    if (!returning) emit logCleared();
    session_.portOpened();
    emit connectionChanged(true);
    appendLog(texts::kOpened);
    if (!returning) noAnswer_.start();
    return true;
}

void UnitController::reopen() {
    // A restarting unit may leave the bus for a moment; its port is taken
    // back as soon as it is there again, until the return wait runs out.
    if (vcp_.connected() || !session_.awaitingReturn()) {
        reopen_.stop();
        return;
    }
    if (!openDevice(restartPort_, true)) return;
    reopen_.stop();
    session_.portOpened();
    emit connectionChanged(true);
    appendLog(texts::kOpened);
}

void UnitController::close() {
    reopen_.stop();
    if (!vcp_.connected()) return;
    vcp_.close();
    closed();
}

void UnitController::interrupt() {
    Timer1.stop();
    Timer3.stop();
    noReturn_.stop();
    close();
    // The road's outcome says what was running when the port closed.
    session_.interrupt();
}

void UnitController::Timer2Timer() {
    Timer2.stop();
    vcp_.close();
    closed();
}

void UnitController::lost() {
    // The cable was pulled or the unit reset under an open port: closed as
    // the button would close it.
    const QString port = vcp_.port();
    closed();
    emit portLost();
    if (session_.awaitingReturn()) {
        restartPort_ = port;
        reopen_.start();
    }
}

void UnitController::closed() {
    rxPartial_.stop();
    noAnswer_.stop();
    Timer2.stop();
    appendLog(texts::kClosed);
    emit connectionChanged(false);
}

void UnitController::VCPRxChar(int count) {
    const QByteArray bytes = vcp_.read(count);
    session_.bytesArrived(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                    static_cast<std::size_t>(bytes.size())));
    if (session_.partialFramePending())
        rxPartial_.start();
    else
        rxPartial_.stop();
}

// ---------------------------------------------------------------- the core's ports

void UnitController::write(const protocol::Bytes& frame) {
    try {
        vcp_.write(QByteArray(reinterpret_cast<const char*>(frame.data()), static_cast<qsizetype>(frame.size())));
    } catch (const link::ComPortError&) {
        // A refused write means the port is going; its loss is reported by
        // the port itself and the next pacing step finds it closed.
    }
}

void UnitController::setPacingTimer(transfer::PacingTimer timer, bool enabled) {
    QTimer& t = timer == transfer::PacingTimer::Timer1 ? Timer1 : Timer3;
    enabled ? t.start() : t.stop();
}

void UnitController::setProgressMaximum(int maximum) {
    progressMaximum_ = maximum;
    emitProgress();
}

void UnitController::setProgress(int position) {
    progressPosition_ = position;
    emitProgress();
}

void UnitController::emitProgress() {
    Progress p;
    p.operation = session_.operation();
    p.position = progressPosition_;
    p.maximum = progressMaximum_;
    if (p.maximum > 0 && p.position > 0) {
        p.percent = static_cast<int>(100LL * p.position / p.maximum);
        if (p.operation != estimated_ || p.position < firstPosition_) {
            estimated_ = p.operation;
            firstPosition_ = p.position;
            started_.start();
        }
        const qint64 ms = started_.elapsed();
        const int done = p.position - firstPosition_;
        if (ms >= kEstimateAfterMs && done > 0) {
            p.blocksPerSecond = done * 1000.0 / static_cast<double>(ms);
            p.bytesPerSecond = p.blocksPerSecond * blockBytes(p.operation);
            p.secondsLeft = static_cast<qint64>(std::ceil((p.maximum - p.position) / p.blocksPerSecond));
        }
    }
    emit progressChanged(p);
}

void UnitController::appendLog(const std::string& line) { emit logLine(fromUtf8(line), Tone::Normal); }
void UnitController::appendWarning(const std::string& line) { warn(fromUtf8(line)); }

Copy UnitController::keepCopy(const protocol::Identification& unit, const config::Image& image) {
    Copy copy;
    if (keeper_) {
        copy = keeper_(unit, image);
    } else {
        BackupStore store(backupFolder_.isEmpty() ? BackupStore::defaultFolder() : backupFolder_);
        auto kept = store.keep(unit, image);
        if (const auto* error = std::get_if<QString>(&kept)) {
            copy.state = Copy::State::NotKept;
            copy.where = store.folder().toStdString();
            copy.why = error->toStdString();
        } else {
            const auto& k = std::get<BackupStore::Kept>(kept);
            copy.where = k.path.toStdString();
            copy.fresh = k.fresh;
        }
    }
    if (copy.state != Copy::State::Pending) emit copyTaken(unit, copy);
    return copy;
}

void UnitController::identified(const protocol::Identification& unit, bool listed) {
    noAnswer_.stop();
    noReturn_.stop();
    reopen_.stop();
    emit unitIdentified(unit, listed);
}

void UnitController::restarting(const protocol::Identification& unit) {
    noReturn_.start();
    emit unitRestarting(unit);
}

void UnitController::finished(const session::Outcome& outcome) {
    noAnswer_.stop();
    noReturn_.stop();
    reopen_.stop();
    estimated_ = Operation::None;
    emit operationFinished(outcome);
}

}  // namespace vek::unit
