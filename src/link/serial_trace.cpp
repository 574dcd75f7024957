#include "link/serial_trace.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTimer>
#include <cstdio>
#include <span>
#include <vector>

#include "protocol/frame.h"

namespace vek::link {

namespace {

SerialTrace*& activeTrace() {
    static SerialTrace* trace = nullptr;
    return trace;
}

// A fragment that waited this long for the rest of its frame is not going to
// get it; the controller gave up on it long before.
constexpr qint64 kStaleFragmentMs = 1000;
constexpr int kFlushDelayMs = 100;

const char* commandName(std::uint8_t code) {
    switch (code) {
        case protocol::CmdFirmwareBlock: return "CmdFirmwareBlock";
        case protocol::CmdJump: return "CmdJump";
        case protocol::CmdConfigBlock: return "CmdConfigBlock";
        case protocol::CmdMemoryRead: return "CmdMemoryRead";
        default: return nullptr;
    }
}

const char* responseName(std::uint8_t code) {
    switch (code) {
        case protocol::RspAck: return "RspAck";
        case protocol::RspNack: return "RspNack";
        case protocol::RspIdentification: return "RspIdentification";
        case protocol::RspConfigData: return "RspConfigData";
        case protocol::RspOperationMode: return "RspOperationMode";
        default: return nullptr;
    }
}

std::span<const std::uint8_t> bytesOf(const char* data, qsizetype size) {
    return {reinterpret_cast<const std::uint8_t*>(data), static_cast<std::size_t>(size)};
}

// Whether a whole, valid frame starts at `at`: the size it takes, else 0.
qsizetype frameAt(const QByteArray& buf, qsizetype at) {
    const qsizetype avail = buf.size() - at;
    if (avail < static_cast<qsizetype>(protocol::kOverhead)) return 0;
    const auto b = bytesOf(buf.constData() + at, avail);
    const std::size_t length = protocol::getU16(b, 3);
    if (length > protocol::kMaxPayload) return 0;
    const auto total = static_cast<qsizetype>(length + protocol::kOverhead);
    if (avail < total) return 0;
    return protocol::parseFrame(b.first(static_cast<std::size_t>(total))) ? total : 0;
}

}  // namespace

SerialTrace* SerialTrace::active() { return activeTrace(); }
void SerialTrace::setActive(SerialTrace* trace) { activeTrace() = trace; }

SerialTrace::SerialTrace(qint64 cap) : cap_(cap) {}

SerialTrace::~SerialTrace() {
    if (activeTrace() == this) activeTrace() = nullptr;
    drain();
    for (auto it = tx_.begin(); it != tx_.end(); ++it) flushPending(it.key(), true, it.value());
    for (auto it = rx_.begin(); it != rx_.end(); ++it) flushPending(it.key(), false, it.value());
    if (file_.isOpen()) file_.flush();
}

QString SerialTrace::open(const QString& path) {
    bool ok;
    if (path == QLatin1String("-")) {
        ok = file_.open(stderr, QIODevice::WriteOnly);
    } else {
        QDir().mkpath(QFileInfo(path).absolutePath());
        file_.setFileName(path);
        ok = file_.open(QIODevice::WriteOnly | QIODevice::Truncate);
    }
    if (!ok) return file_.errorString();
    path_ = path;
    clock_.start();
    startUtcUs_ = QDateTime::currentMSecsSinceEpoch() * 1000;
    utcOffsetUs_ = static_cast<qint64>(QDateTime::currentDateTime().offsetFromUtc()) * 1'000'000;
    const QString started = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    write((QStringLiteral("# ") + QCoreApplication::translate("link", "Registro das portas seriais, iniciado em %1 (hora local).").arg(started) +
           QStringLiteral("\n# ") +
           QCoreApplication::translate("link", "porta, hora, sentido (TX da ferramenta ao Vek, RX do Vek à ferramenta), código, tamanho, bytes") +
           QLatin1Char('\n'))
              .toUtf8());
    file_.flush();
    return {};
}

void SerialTrace::opened(const QString& port) { take(Event::Open, port, {}); }

void SerialTrace::sent(const QString& port, const QByteArray& bytes) {
    if (!bytes.isEmpty()) take(Event::Tx, port, bytes);
}

void SerialTrace::received(const QString& port, const QByteArray& bytes) {
    if (!bytes.isEmpty()) take(Event::Rx, port, bytes);
}

void SerialTrace::closed(const QString& port) {
    take(Event::Close, port, {});
    // A port that closes may be the end of the run: its lines go out now.
    drain();
    file_.flush();
}

void SerialTrace::take(Event::Kind kind, const QString& port, const QByteArray& bytes) {
    if (!file_.isOpen() || cut_) return;
    // Only the time and the bytes (shared, not copied) while the unit waits
    // for the tool's answer; the lines are made a moment later.
    queue_.push_back({kind, port, bytes, clock_.nsecsElapsed()});
    flushSoon();
}

void SerialTrace::drain() {
    std::vector<Event> events;
    events.swap(queue_);
    for (const Event& e : events) {
        at_ = e.ns;
        switch (e.kind) {
            case Event::Open: line(e.port, "--", "open", 0, nullptr, 0); break;
            case Event::Close:
                if (auto it = tx_.find(e.port); it != tx_.end()) flushPending(e.port, true, it.value());
                if (auto it = rx_.find(e.port); it != rx_.end()) flushPending(e.port, false, it.value());
                line(e.port, "--", "close", 0, nullptr, 0);
                break;
            case Event::Tx: feed(e.port, true, e.bytes); break;
            case Event::Rx: feed(e.port, false, e.bytes); break;
        }
    }
}

void SerialTrace::feed(const QString& port, bool tx, const QByteArray& bytes) {
    if (!file_.isOpen() || bytes.isEmpty()) return;
    Stream& stream = (tx ? tx_ : rx_)[port];
    const qint64 now = at_ / 1'000'000;
    if (!stream.pending.isEmpty() && now - stream.pendingSince > kStaleFragmentMs) flushPending(port, tx, stream);
    if (stream.pending.isEmpty()) stream.pendingSince = now;
    QByteArray buf = stream.pending + bytes;
    stream.pending.clear();

    qsizetype pos = 0;
    qsizetype junkFrom = -1;  // start of the unparsed run being gathered
    const auto endJunk = [&](qsizetype at) {
        if (junkFrom >= 0 && at > junkFrom) unparsedLine(port, tx, buf.constData() + junkFrom, at - junkFrom);
        junkFrom = -1;
    };
    while (pos < buf.size()) {
        const qsizetype start = buf.indexOf(static_cast<char>(protocol::kStartByte), pos);
        if (start < 0) {
            if (junkFrom < 0) junkFrom = pos;
            pos = buf.size();
            break;
        }
        if (start > pos && junkFrom < 0) junkFrom = pos;
        if (const qsizetype size = frameAt(buf, start)) {
            endJunk(start);
            frameLine(port, tx, buf.constData() + start, size);
            pos = start + size;
            continue;
        }
        // Not a whole frame here: either it waits for more bytes, or this
        // start byte was noise.
        const qsizetype avail = buf.size() - start;
        bool waits = avail < static_cast<qsizetype>(protocol::kHeaderSize);
        if (!waits) {
            const std::size_t length = protocol::getU16(bytesOf(buf.constData() + start, avail), 3);
            waits = length <= protocol::kMaxPayload &&
                    avail < static_cast<qsizetype>(length + protocol::kOverhead);
        }
        if (waits) {
            // ...unless a whole frame already lies behind it, as the
            // receiver decides.
            qsizetype behind = -1;
            for (qsizetype s = buf.indexOf(static_cast<char>(protocol::kStartByte), start + 1); s >= 0;
                 s = buf.indexOf(static_cast<char>(protocol::kStartByte), s + 1))
                if (frameAt(buf, s)) {
                    behind = s;
                    break;
                }
            if (behind < 0) {
                endJunk(start);
                stream.pending = buf.mid(start);
                if (start > 0) stream.pendingSince = now;
                return;
            }
            if (junkFrom < 0) junkFrom = start;
            pos = behind;
            continue;
        }
        if (junkFrom < 0) junkFrom = start;
        pos = start + 1;
    }
    endJunk(pos);
}

void SerialTrace::flushPending(const QString& port, bool tx, Stream& stream) {
    if (stream.pending.isEmpty()) return;
    unparsedLine(port, tx, stream.pending.constData(), stream.pending.size());
    stream.pending.clear();
}

void SerialTrace::frameLine(const QString& port, bool tx, const char* data, qsizetype size) {
    const auto b = bytesOf(data, size);
    const std::uint8_t code = b[2];
    const char* name = tx ? commandName(code) : responseName(code);
    char unknown[8];
    if (!name) {
        std::snprintf(unknown, sizeof unknown, "0x%02X", code);
        name = unknown;
    }
    line(port, tx ? "TX" : "RX", name, protocol::getU16(b, 3), data, size);
}

void SerialTrace::unparsedLine(const QString& port, bool tx, const char* data, qsizetype size) {
    line(port, tx ? "TX" : "RX", "unparsed", size, data, size);
}

void SerialTrace::line(const QString& port, const char* direction, const char* name, qsizetype length,
                       const char* data, qsizetype size) {
    if (cut_) return;
    // Wall-clock time of day to the microsecond, from one reading of the
    // clock at the start and a steady clock since.
    const qint64 us = (startUtcUs_ + utcOffsetUs_ + at_ / 1000) % (86'400LL * 1'000'000);
    char time[32];
    std::snprintf(time, sizeof time, "%02lld:%02lld:%02lld.%06lld", us / 3'600'000'000LL, us / 60'000'000LL % 60,
                  us / 1'000'000 % 60, us % 1'000'000);
    QByteArray& portText = portTexts_[port];
    if (portText.isEmpty()) portText = port.toUtf8();
    QByteArray text;
    text.reserve(portText.size() + 64 + size * 3);
    text += portText;
    text += ' ';
    text += time;
    text += ' ';
    text += direction;
    text += ' ';
    text += name;
    if (size > 0 || length > 0) {
        text += ' ';
        text += QByteArray::number(length);
    }
    static const char digits[] = "0123456789ABCDEF";
    for (qsizetype i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(data[i]);
        text += ' ';
        text += digits[c >> 4];
        text += digits[c & 0x0F];
    }
    text += '\n';
    if (written_ + text.size() > cap_) {
        cut_ = true;
        write((QStringLiteral("# ") +
               QCoreApplication::translate("link", "Registro cortado aqui: chegou ao limite de %1.")
                   .arg(QLocale().formattedDataSize(cap_, 0, QLocale::DataSizeTraditionalFormat)) +
               QLatin1Char('\n'))
                  .toUtf8());
        file_.flush();
        return;
    }
    write(text);
}

void SerialTrace::flushSoon() {
    // Lines made and written per frame are felt by a firmware update of
    // 3,800 frames; they are made and go out together a moment later, and at
    // once when a port closes or the trace ends.
    if (flushPending_) return;
    flushPending_ = true;
    QTimer::singleShot(kFlushDelayMs, &flusher_, [this] {
        flushPending_ = false;
        drain();
        if (file_.isOpen()) file_.flush();
    });
}

void SerialTrace::write(const QByteArray& text) {
    file_.write(text);
    written_ += text.size();
}

}  // namespace vek::link
