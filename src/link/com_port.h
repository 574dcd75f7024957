#pragma once
// The serial link to the unit over QSerialPort: listing, opening with the
// unit's line settings, purge, read, write, and the arrival of bytes handed
// to the window on the UI thread.

#include <QObject>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QString>
#include <QStringList>
#include <functional>
#include <stdexcept>

namespace vek::link {

// Codes carried by a serial-link failure, with their texts.
enum ComPortErrorCode {
    CE_OpenFailed = 1,
    CE_WriteFailed = 2,
    CE_ReadFailed = 3,
    CE_InvalidAsync = 4,
    CE_PurgeFailed = 5,
    CE_AsyncCheck = 6,
    CE_SetStateFailed = 7,
    CE_TimeoutsFailed = 8,
    CE_SetupComFailed = 9,
    CE_ClearComFailed = 10,
    CE_RegError = 23,
};

const char* comPortErrorText(int code);

// EComPort: a code and, where the system refused something, its error number.
class ComPortError : public std::runtime_error {
public:
    ComPortError(int code, int systemError, const QString& systemText = {},
                 QSerialPort::SerialPortError serialError = QSerialPort::UnknownError);
    int code() const { return code_; }
    int systemError() const { return systemError_; }
    // What the serial layer made of the failure, and its own words.
    QSerialPort::SerialPortError serialError() const { return serialError_; }
    QString systemText() const { return systemText_; }

private:
    int code_;
    int systemError_;
    QSerialPort::SerialPortError serialError_;
    QString systemText_;
};

class ComPort : public QObject {
    Q_OBJECT
public:
    // The port names the system lists plus the device paths named in
    // VEKTOOL_EXTRA_PORTS (colon-separated), sorted case-insensitively.
    static QStringList enumComPorts();
    // The same, from a list of the system's ports already asked for.
    static QStringList enumComPorts(const QList<QSerialPortInfo>& system);
    // A cheap mark of the port list: when it is unchanged, so is the list.
    // Asking the system about every device takes milliseconds; a window
    // that watches for plugs asks only when this changes.
    static QString portListStamp();
    // Replaces the system's own list (tests on machines whose ports are
    // unknown); an empty function restores it.
    static void setSystemPortLister(std::function<QStringList()> lister);

    explicit ComPort(QObject* parent = nullptr);
    ~ComPort() override;

    void setPort(const QString& name) { portName_ = name; }
    QString port() const { return portName_; }
    void setCustomBaudRate(qint32 rate);
    qint32 customBaudRate() const { return baudRate_; }

    // Opens with the unit's line settings; throws ComPortError and leaves
    // the port closed on failure. Nothing happens when already open.
    void open();
    // Nothing happens when already closed.
    void close();
    bool connected() const { return serial_.isOpen(); }

    void clearBuffer(bool input, bool output);
    QByteArray read(qint64 count);
    // Sends at once what the device takes; the rest of a frame (the device's
    // queue full) goes out in order as it drains. Returns the bytes taken,
    // 0 when the port is closed or found lost.
    qint64 write(const QByteArray& bytes);

    // The underlying device, for diagnostics and tests.
    const QSerialPort& device() const { return serial_; }

signals:
    // Bytes have arrived; `count` is the number waiting, always > 0.
    void rxChar(int count);
    // The open port failed or vanished (cable pulled, unit reset). The port
    // is already closed when this is emitted; it is emitted once.
    void lost(const QString& reason);

private:
    void onReadyRead();
    void onError(QSerialPort::SerialPortError error);
    void dropLostPort(const QString& reason);

    QSerialPort serial_;
    QString portName_;
    qint32 baudRate_ = 9600;
    bool opening_ = false;  // errors while applying settings belong to open()
};

}  // namespace vek::link
