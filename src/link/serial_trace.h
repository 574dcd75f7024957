#pragma once
// A record of the bytes on every serial port of the process, for finding out
// in the field what a unit and the tool said to each other. One file per run;
// each line is one frame or one run of bytes that made no frame:
//
//   <port> <time> TX|RX <code name> <length> <bytes in hex>
//
// The length of a frame is its length field (the payload); of an unparsed
// run, its byte count. The bytes are split into frames as they arrive, by the
// frame's own rules (start byte, length limit, sum), independently of what
// the receiver of the controller made of them, so a trace also shows what the
// tool threw away.
//
// Ports hand over only the time and the bytes; the lines are made and
// written a moment later (kept off the path from a reply to the next
// frame), and at once when a port closes or the trace ends.
// The file stops growing at its cap: a last line says it was cut there.
// Every port reports to the one trace installed with setActive(); ports live
// on the units' event loop, and so does the trace.

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QObject>
#include <QString>
#include <vector>

namespace vek::link {

class SerialTrace {
public:
    static constexpr qint64 kDefaultCap = 50LL * 1024 * 1024;

    explicit SerialTrace(qint64 cap = kDefaultCap);
    // Whatever still waits for the rest of a frame is written as unparsed.
    ~SerialTrace();
    SerialTrace(const SerialTrace&) = delete;
    SerialTrace& operator=(const SerialTrace&) = delete;

    // Opens `path` for writing, replacing what it held; "-" is the standard
    // error. The file's folder is made when missing. On failure returns the
    // system's reason and the trace stays closed.
    QString open(const QString& path);
    bool isOpen() const { return file_.isOpen(); }
    QString path() const { return path_; }

    void opened(const QString& port);
    void sent(const QString& port, const QByteArray& bytes);
    void received(const QString& port, const QByteArray& bytes);
    // The port closed or was lost: a fragment it left is written as unparsed.
    void closed(const QString& port);

    // The trace every ComPort writes to; null for none (the default).
    static SerialTrace* active();
    static void setActive(SerialTrace* trace);

private:
    struct Event {
        enum Kind { Open, Close, Tx, Rx } kind;
        QString port;
        QByteArray bytes;
        qint64 ns;  // on clock_
    };
    void take(Event::Kind kind, const QString& port, const QByteArray& bytes);
    // Writes the lines of every event taken so far.
    void drain();
    struct Stream {
        QByteArray pending;  // a frame still missing bytes, or nothing
        qint64 pendingSince = 0;
    };
    void feed(const QString& port, bool tx, const QByteArray& bytes);
    void flushPending(const QString& port, bool tx, Stream& stream);
    void frameLine(const QString& port, bool tx, const char* data, qsizetype size);
    void unparsedLine(const QString& port, bool tx, const char* data, qsizetype size);
    void line(const QString& port, const char* direction, const char* name, qsizetype length, const char* data,
              qsizetype size);
    void write(const QByteArray& text);
    void flushSoon();

    QFile file_;
    QString path_;
    qint64 cap_;
    qint64 written_ = 0;
    bool cut_ = false;
    QElapsedTimer clock_;
    qint64 startUtcUs_ = 0;
    qint64 utcOffsetUs_ = 0;
    QHash<QString, Stream> tx_, rx_;
    QHash<QString, QByteArray> portTexts_;
    std::vector<Event> queue_;
    qint64 at_ = 0;  // when the event being written happened, on clock_
    QObject flusher_;  // the delayed flush's timer dies with the trace
    bool flushPending_ = false;
};

}  // namespace vek::link
