#include "app/qr_capture.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTimer>

namespace vek::app {

QrCapture::QrCapture(std::function<void(const QString&)> captured, QObject* parent)
    : QObject(parent), captured_(std::move(captured)), release_(new QTimer(this)) {
    setObjectName(QStringLiteral("QrCapture"));
    // Held digits go on once it is sure no scan follows; a little past the
    // gap, so that a digit of a scan that is already waiting to be handled
    // is still seen first.
    release_->setSingleShot(true);
    release_->setInterval(2 * kBurstGapMs);
    connect(release_, &QTimer::timeout, this, &QrCapture::deliverHeld);
    clock_.start();
}

QrCapture::~QrCapture() = default;

bool QrCapture::takes(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers & (Qt::ControlModifier | Qt::KeypadModifier)) return false;
    return (key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_F);
}

void QrCapture::key(int key, qint64 ms) {
    if (anyKey_ && ms - lastKeyAt_ > kBurstGapMs) position_ = 0;
    anyKey_ = true;
    lastKeyAt_ = ms;
    capture_[static_cast<std::size_t>(position_)] = static_cast<char>(key);  // Qt's codes here are upper-case ASCII
    if (++position_ == kDigits) {
        capture_[kDigits] = '\0';
        position_ = 0;
        captured_(QString::fromLatin1(capture_.data(), kDigits));
    }
}

qint64 QrCapture::timeOf(const QKeyEvent* event) {
    const qint64 now = clock_.elapsed();
    const quint64 stamp = event->timestamp();
    qint64 delta = now - lastClock_;
    if (stamp != 0 && lastHadStamp_) {
        const auto d = static_cast<qint64>(stamp - lastStamp_);
        if (d >= 0 && d < 60000) delta = d;
    }
    lastClock_ = now;
    lastHadStamp_ = stamp != 0;
    lastStamp_ = static_cast<qint64>(stamp);
    offset_ += delta;
    return offset_;
}

bool QrCapture::takesTyping(const QWidget* target) {
    if (!target || !target->isEnabled()) return false;
    if (const auto* e = qobject_cast<const QLineEdit*>(target)) return !e->isReadOnly();
    if (const auto* e = qobject_cast<const QTextEdit*>(target)) return !e->isReadOnly();
    if (const auto* e = qobject_cast<const QPlainTextEdit*>(target)) return !e->isReadOnly();
    // A combo box jumps to the entry a typed digit starts.
    return qobject_cast<const QComboBox*>(target) || qobject_cast<const QAbstractSpinBox*>(target);
}

bool QrCapture::filter(QWidget* target, QKeyEvent* event, qint64 ms) {
    if (event->type() != QEvent::KeyPress || !takesTyping(target)) return false;
    const bool close = (burst_ || !held_.empty()) && ms - lastHeldAt_ <= kBurstGapMs;
    if (burst_ && close) {
        // The rest of a scan, its closing key included.
        lastHeldAt_ = ms;
        return true;
    }
    burst_ = false;
    const bool digit = takes(event->key(), event->modifiers()) && !event->isAutoRepeat();
    if (!digit || !close) deliverHeld();
    if (!digit) return false;

    held_.push_back({target, std::make_unique<QKeyEvent>(event->type(), event->key(), event->modifiers(),
                                                         event->text(), event->isAutoRepeat(), event->count())});
    lastHeldAt_ = ms;
    if (held_.size() >= static_cast<std::size_t>(kBurstKeys)) {
        // A scan: what was held never reaches the field.
        burst_ = true;
        held_.clear();
        release_->stop();
        return true;
    }
    release_->start();
    return true;
}

void QrCapture::deliverHeld() {
    release_->stop();
    std::vector<Held> held;
    held.swap(held_);
    replaying_ = true;
    for (Held& h : held)
        if (h.target) QApplication::sendEvent(h.target, h.event.get());
    replaying_ = false;
}

}  // namespace vek::app
