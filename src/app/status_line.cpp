#include "app/status_line.h"

#include <QEvent>
#include <QLabel>
#include <QLocale>
#include <cmath>

#include "app/app_texts.h"
#include "app/shown_locale.h"
#include "text/language.h"
#include "words/words.h"

namespace vek::app {

namespace {

const QColor kDoneColour(0x00, 0x80, 0x00);
const QColor kFailedColour(0xFF, 0x00, 0x00);

QString runningName(unit::Operation operation) {
    switch (operation) {
        case unit::Operation::Firmware: return vek::translated(texts::kRunningFirmware);
        case unit::Operation::Write: return vek::translated(texts::kRunningWrite);
        case unit::Operation::Read: return vek::translated(texts::kRunningRead);
        case unit::Operation::Verify: return vek::translated(texts::kRunningVerify);
        case unit::Operation::None: break;
    }
    return {};
}

QString duration(qint64 seconds) {
    if (seconds < 60) return vek::translated(texts::kSeconds).arg(seconds);
    return vek::translated(texts::kMinutes).arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

StatusLine::StatusLine(QLabel* label, QObject* parent) : QObject(parent), label_(label) {
    setObjectName(QStringLiteral("StatusLine"));
    label_->setText(QString());
    label_->installEventFilter(this);
}

bool StatusLine::eventFilter(QObject* watched, QEvent* event) {
    if (watched == label_ && event->type() == QEvent::Resize) resizeText();
    return QObject::eventFilter(watched, event);
}

void StatusLine::progress(const unit::Progress& p) {
    if (p.operation == unit::Operation::None || p.maximum <= 0 || p.position <= 0) return;
    const bool fresh = state_ != State::Running || p.operation != operation_;
    operation_ = p.operation;
    if (fresh) shown_.invalidate();
    if (!fresh && p.position < p.maximum && shown_.isValid() && shown_.elapsed() < kRefreshMs) return;
    shown_.start();
    show(runningText(p), State::Running);
}

QString StatusLine::runningText(const unit::Progress& p) const {
    const QLocale locale = shownLocale();
    QString speed = QStringLiteral("–");
    QString left = vek::translated(texts::kTimeLeftUnknown);
    if (p.estimated()) {
        speed = locale.toString(static_cast<qlonglong>(std::llround(p.blocksPerSecond)));
        left = vek::translated(texts::kTimeLeft).arg(duration(p.secondsLeft));
    }
    return vek::translated(texts::kProgress)
        .arg(runningName(operation_), QString::number(p.percent), locale.toString(p.position),
             locale.toString(p.maximum), speed, left);
}

QString StatusLine::failureReason(const unit::Outcome& o) {
    // The counters are in the Log beside it: the line keeps room for what to do.
    return words::sentence(words::withoutCounters(words::failureOf(o)));
}

void StatusLine::finished(const unit::Outcome& o) {
    operation_ = unit::Operation::None;
    if (!o.ok()) {
        show(vek::translated(texts::kFailed).arg(failureReason(o)), State::Failed);
        return;
    }
    const QString version = unit::versionText(o.versionAfter.value_or(o.unit.version));
    const QString withoutCopy =
        o.copy && o.copy->state == unit::Copy::State::Skipped ? vek::translated(texts::kDoneWithoutCopy) : QString();
    if (o.written && o.read && o.faults > 0)
        show(vek::translated(texts::kDoneRestoredInvalid) + withoutCopy, State::Done);
    else if (o.written)
        show(vek::translated(o.verified ? texts::kDoneWriteVerified : texts::kDoneWrite) + withoutCopy, State::Done);
    else if (o.read)
        show(o.firmwareSent ? vek::translated(texts::kDoneFirmwareRead).arg(version)
                            : vek::translated(texts::kDoneRead),
             State::Done);
    else if (o.firmwareSent)
        show(vek::translated(texts::kDoneFirmware).arg(version), State::Done);
}

void StatusLine::refused(unit::Kind kind) {
    unit::Outcome o;
    o.kind = kind;
    show(vek::translated(texts::kNotDone).arg(failureReason(o)), State::Failed);
}

void StatusLine::connectionOpened() {
    if (state_ == State::Running) show(QString(), State::Idle);
}

void StatusLine::show(const QString& text, State state) {
    text_ = text;
    if (state != state_) {
        QPalette palette = label_->palette();
        QColor colour = label_->parentWidget() ? label_->parentWidget()->palette().color(QPalette::WindowText)
                                               : QColor(Qt::black);
        if (state == State::Done) colour = kDoneColour;
        if (state == State::Failed) colour = kFailedColour;
        palette.setColor(QPalette::WindowText, colour);
        label_->setPalette(palette);
        state_ = state;
    }
    resizeText();
}

void StatusLine::resizeText() {
    // A long reason is shortened to the line's width; the whole of it is in
    // the tip and read out by screen readers.
    const QString shown = label_->fontMetrics().elidedText(text_, Qt::ElideRight, label_->width());
    label_->setText(shown);
    label_->setToolTip(shown == text_ ? QString() : text_);
    label_->setAccessibleDescription(text_);
}

}  // namespace vek::app
