#include "link/com_port.h"

#include "link/serial_trace.h"

#include <QDir>
#include <QSerialPortInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace vek::link {

const char* comPortErrorText(int code) {
    switch (code) {
        case CE_OpenFailed: return "Unable to open com port";
        case CE_WriteFailed: return "WriteFile function failed";
        case CE_ReadFailed: return "ReadFile function failed";
        case CE_InvalidAsync: return "Invalid Async parameter";
        case CE_PurgeFailed: return "PurgeComm function failed";
        case CE_AsyncCheck: return "Unable to get async status";
        case CE_SetStateFailed: return "SetCommState function failed";
        case CE_TimeoutsFailed: return "SetCommTimeouts failed";
        case CE_SetupComFailed: return "SetupComm function failed";
        case CE_ClearComFailed: return "ClearCommError function failed";
        case CE_RegError: return "Registry error";
        default: return "";
    }
}

namespace {
std::string errorMessage(int code, int systemError, const QString& systemText) {
    std::string msg = comPortErrorText(code);
    if (systemError != 0) {
        msg += " (system error code: " + std::to_string(systemError) + ")";
        if (!systemText.isEmpty()) msg += " " + systemText.toStdString();
    }
    return msg;
}
}  // namespace

ComPortError::ComPortError(int code, int systemError, const QString& systemText,
                           QSerialPort::SerialPortError serialError)
    : std::runtime_error(errorMessage(code, systemError, systemText)),
      code_(code),
      systemError_(systemError),
      serialError_(serialError),
      systemText_(systemText) {}

namespace {
std::function<QStringList()>& systemPortLister() {
    static std::function<QStringList()> lister;
    return lister;
}
}  // namespace

void ComPort::setSystemPortLister(std::function<QStringList()> lister) { systemPortLister() = std::move(lister); }

QStringList ComPort::enumComPorts() { return enumComPorts(QSerialPortInfo::availablePorts()); }

QStringList ComPort::enumComPorts(const QList<QSerialPortInfo>& system) {
    QStringList ports;
    if (systemPortLister()) {
        ports = systemPortLister()();
    } else {
        for (const QSerialPortInfo& info : system) ports << info.portName();
    }
    // ptys never show up in the system's list; the simulated unit and test
    // rigs name theirs here.
    const QString extra = qEnvironmentVariable("VEKTOOL_EXTRA_PORTS");
    for (const QString& path : extra.split(':', Qt::SkipEmptyParts))
        if (!ports.contains(path)) ports << path;
    std::sort(ports.begin(), ports.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return ports;
}

QString ComPort::portListStamp() {
    QStringList parts;
    if (systemPortLister()) {
        parts = systemPortLister()();
    } else {
#ifdef Q_OS_LINUX
        // Serial devices come and go as nodes in /dev.
        parts =
            QDir(QStringLiteral("/dev")).entryList({QStringLiteral("tty*"), QStringLiteral("rfcomm*")}, QDir::System);
#else
        for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) parts << info.portName();
#endif
    }
    parts << qEnvironmentVariable("VEKTOOL_EXTRA_PORTS");
    return parts.join(QLatin1Char('\n'));
}

ComPort::ComPort(QObject* parent) : QObject(parent) {
    // A child, so that whoever holds the controller can look at the line as
    // it is set (QObject::findChild) without the controller handing it out.
    serial_.setParent(this);
    connect(&serial_, &QSerialPort::readyRead, this, &ComPort::onReadyRead);
    connect(&serial_, &QSerialPort::errorOccurred, this, &ComPort::onError);
}

ComPort::~ComPort() { close(); }

void ComPort::setCustomBaudRate(qint32 rate) {
    baudRate_ = rate;
    if (connected()) serial_.setBaudRate(rate);
}

void ComPort::open() {
    if (connected()) return;
    serial_.setPortName(portName_);
    opening_ = true;
    struct Reset { bool& flag; ~Reset() { flag = false; } } reset{opening_};
    if (!serial_.open(QIODevice::ReadWrite)) {
        const int systemError = errno ? errno : ENODEV;
        const QString why = serial_.errorString();
        const QSerialPort::SerialPortError kind = serial_.error();
        serial_.clearError();
        throw ComPortError(CE_OpenFailed, systemError, why, kind);
    }
    const bool settingsOk = serial_.setBaudRate(baudRate_) && serial_.setDataBits(QSerialPort::Data8) &&
                            serial_.setParity(QSerialPort::NoParity) &&
                            serial_.setStopBits(QSerialPort::OneStop) &&
                            serial_.setFlowControl(QSerialPort::NoFlowControl);
    if (!settingsOk) {
        const QString why = serial_.errorString();
        serial_.close();
        serial_.clearError();
        throw ComPortError(CE_SetStateFailed, EINVAL, why);
    }
    // DTR and RTS are held off where the device has modem lines; a pty has
    // none and refuses the calls, which is no reason to fail the open.
    serial_.setDataTerminalReady(false);
    serial_.setRequestToSend(false);
    serial_.clearError();
    if (SerialTrace* trace = SerialTrace::active()) trace->opened(portName_);
}

void ComPort::close() {
    if (!connected()) return;
    serial_.close();
    serial_.clearError();
    if (SerialTrace* trace = SerialTrace::active()) trace->closed(portName_);
}

void ComPort::clearBuffer(bool input, bool output) {
    if (!connected()) return;
    QSerialPort::Directions dirs;
    if (input) dirs |= QSerialPort::Input;
    if (output) dirs |= QSerialPort::Output;
    if (!serial_.clear(dirs)) {
        const QString why = serial_.errorString();
        serial_.clearError();
        throw ComPortError(CE_PurgeFailed, EIO, why);
    }
}

QByteArray ComPort::read(qint64 count) {
    if (!connected()) return {};
    QByteArray bytes = serial_.read(count);
    if (SerialTrace* trace = SerialTrace::active()) trace->received(portName_, bytes);
    return bytes;
}

qint64 ComPort::write(const QByteArray& bytes) {
    if (!connected()) return 0;
    // Traced as the tool hands the frame over, whether it leaves at once or
    // waits in the port's queue.
    if (SerialTrace* trace = SerialTrace::active()) trace->sent(portName_, bytes);
    qint64 done = 0;
#ifdef Q_OS_UNIX
    // Straight to the device when nothing waits ahead of the frame.
    // QSerialPort's own path switches its write notifier on and off around
    // every frame (two changes to the event loop's poll set and a wake-up of
    // the loop), and its flush() takes a full device queue (EAGAIN) for a
    // lost port.
    if (serial_.bytesToWrite() == 0) {
        const ssize_t n = ::write(serial_.handle(), bytes.constData(), static_cast<size_t>(bytes.size()));
        if (n > 0) {
            done = n;
        } else if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            dropLostPort(QString::fromLocal8Bit(std::strerror(errno)));
            return 0;
        }
    }
    if (done == bytes.size()) return done;
    // The rest waits in the port's queue and goes out as the device takes it.
    const qint64 queued = serial_.write(bytes.constData() + done, bytes.size() - done);
    if (queued < 0) throw ComPortError(CE_WriteFailed, EIO, serial_.errorString());
    return done + queued;
#else
    const qint64 written = serial_.write(bytes);
    if (written < 0) throw ComPortError(CE_WriteFailed, EIO, serial_.errorString());
    // The frames are small; pushing them out now keeps the acknowledgement
    // round trip short instead of waiting for the next event-loop pass.
    serial_.flush();
    return written;
#endif
}

void ComPort::onReadyRead() {
    const qint64 waiting = serial_.bytesAvailable();
    if (waiting > 0) emit rxChar(static_cast<int>(waiting));
}

void ComPort::onError(QSerialPort::SerialPortError error) {
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError) return;
    if (!connected() || opening_) return;
    // Any failure of an open port (a vanished pty reports ReadError in a
    // tight loop, a pulled USB cable ResourceError) closes it at the first
    // sign, so nothing spins.
    dropLostPort(serial_.errorString());
}

void ComPort::dropLostPort(const QString& reason) {
    serial_.close();
    serial_.clearError();
    if (SerialTrace* trace = SerialTrace::active()) trace->closed(portName_);
    emit lost(reason);
}

}  // namespace vek::link
