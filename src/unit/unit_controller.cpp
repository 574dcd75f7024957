#include "unit/unit_controller.h"

#include <QDateTime>
#include <cerrno>

#include "unit/unit_texts.h"

namespace vek::unit {

namespace {

constexpr qint32 kLinkBaudRate = 3686400;
constexpr int kPartialFrameMs = 200;  // the link's read interval

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

}  // namespace

UnitController::UnitController(QObject* parent) : QObject(parent), session_(*this, *this) {
    const std::pair<QTimer*, std::pair<const char*, int>> timers[] = {{&Timer1, {"Timer1", 500}},
                                                                      {&Timer2, {"Timer2", 50}},
                                                                      {&Timer3, {"Timer3", 100}},
                                                                      {&rxPartial_, {"rxPartial", kPartialFrameMs}},
                                                                      {&noAnswer_, {"noAnswer", kNoAnswerMs}},
                                                                      {&noReturn_, {"noReturn", kReturnMs}}};
    for (const auto& [t, setting] : timers) {
        t->setObjectName(QString::fromLatin1(setting.first));
        t->setInterval(setting.second);
        t->setParent(this);
    }
    rxPartial_.setSingleShot(true);
    noAnswer_.setSingleShot(true);
    noReturn_.setSingleShot(true);
    connect(&noReturn_, &QTimer::timeout, this, &UnitController::unitDidNotReturn);
    vcp_.setParent(this);
    vcp_.setCustomBaudRate(kLinkBaudRate);
    // Transfer ids must differ from one run of the tool to the next as well.
    session_.setTransferSeed(static_cast<std::uint32_t>(QDateTime::currentMSecsSinceEpoch()));

    connect(&Timer1, &QTimer::timeout, this, [this] { session_.timer1Tick(); });
    connect(&Timer2, &QTimer::timeout, this, &UnitController::Timer2Timer);
    connect(&Timer3, &QTimer::timeout, this, [this] { session_.timer3Tick(); });
    connect(&rxPartial_, &QTimer::timeout, this, [this] { session_.partialFrameExpired(); });
    connect(&noAnswer_, &QTimer::timeout, this, [this] {
        const QString line = QString::fromUtf8(texts::kNoAnswer).arg(vcp_.port());
        warn(line);
        emit noAnswer(line);
    });
    connect(&vcp_, &link::ComPort::rxChar, this, &UnitController::VCPRxChar);
    connect(&vcp_, &link::ComPort::lost, this, &UnitController::portLost);
}

UnitController::~UnitController() { vcp_.close(); }

QTimer& UnitController::timer(int n) {
    switch (n) {
        case 1: return Timer1;
        case 2: return Timer2;
        case 3: return Timer3;
        case 6: return noAnswer_;
        case 7: return noReturn_;
        default: return rxPartial_;
    }
}

QString UnitController::openFailureText(OpenFailure why, const QString& port, const QString& systemText) {
    switch (why) {
        case OpenFailure::NotFound: return QString::fromUtf8(texts::kOpenNotFound).arg(port);
        case OpenFailure::Busy: return QString::fromUtf8(texts::kOpenBusy).arg(port);
        case OpenFailure::Permission: {
            QString text = QString::fromUtf8(texts::kOpenPermission).arg(port);
#ifdef Q_OS_LINUX
            text += QString::fromUtf8(texts::kOpenPermissionHint);
#endif
            return text;
        }
        case OpenFailure::Other: break;
    }
    return QString::fromUtf8(texts::kOpenOther).arg(port, systemText);
}

bool UnitController::open(const QString& port) {
    if (vcp_.connected()) return true;
    vcp_.setPort(port);
    try {
        vcp_.open();
        vcp_.clearBuffer(true, true);
    } catch (const link::ComPortError& e) {
        vcp_.close();
        const OpenFailure why = classify(e);
        const QString line = openFailureText(why, port, e.systemText());
        warn(line);
        emit openFailed(why, line);
        return false;
    }
    emit logCleared();
    session_.portOpened();
    emit connectionChanged(true);
    appendLog(texts::kOpened);
    noAnswer_.start();
    return true;
}

void UnitController::close() {
    if (!vcp_.connected()) return;
    vcp_.close();
    closed();
    emit portListEnabledChanged(true);
}

void UnitController::Timer2Timer() {
    Timer2.stop();
    vcp_.close();
    closed();
}

void UnitController::portLost() {
    // The cable was pulled or the unit reset under an open port: closed as
    // the button would close it.
    closed();
    emit portListEnabledChanged(true);
}

void UnitController::closed() {
    rxPartial_.stop();
    noAnswer_.stop();
    appendLog(texts::kClosed);
    emit setConfigEnabledChanged(false);
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
    emit progressChanged(progressPosition_, maximum, session_.operation());
}

void UnitController::setProgress(int position) {
    progressPosition_ = position;
    emit progressChanged(position, progressMaximum_, session_.operation());
}

void UnitController::appendLog(const std::string& line) { emit logLine(fromUtf8(line), Tone::Normal); }
void UnitController::appendWarning(const std::string& line) { warn(fromUtf8(line)); }

void UnitController::showBox(const session::Box& box) {
    emit boxRequested(fromUtf8(box.text), fromUtf8(box.caption), box.icon);
}

void UnitController::appendIdList(const std::string& line) { emit idListed(fromUtf8(line)); }
void UnitController::setIdListCount(const std::string& caption) { emit idListCountChanged(fromUtf8(caption)); }
void UnitController::setEdit1(const std::string& text) { emit edit1Changed(fromUtf8(text)); }

void UnitController::finished(const session::Finished& outcome) {
    if (outcome.operation == session::Operation::Firmware && outcome.ok) noReturn_.start();
    emit operationFinished(outcome);
}

void UnitController::identified(const protocol::Identification& unit) {
    noAnswer_.stop();
    noReturn_.stop();
    emit unitIdentified(unit);
}

void UnitController::operationModeSeen() {
    noAnswer_.stop();
    emit operationModeNotice();
}

}  // namespace vek::unit
