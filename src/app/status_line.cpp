#include "app/status_line.h"

#include <QEvent>
#include <QLabel>
#include <QLocale>
#include <cmath>

#include "app/app_texts.h"

namespace vek::app {

namespace {

const QColor kDoneColour(0x00, 0x80, 0x00);
const QColor kFailedColour(0xFF, 0x00, 0x00);

// Speed and time left are guessed from what has passed; before this much
// there is too little to go on.
constexpr qint64 kEstimateAfterMs = 300;

const char* runningName(session::Operation operation) {
    switch (operation) {
        case session::Operation::Firmware: return texts::kRunningFirmware;
        case session::Operation::Write: return texts::kRunningWrite;
        case session::Operation::Read: return texts::kRunningRead;
        case session::Operation::Verify: return texts::kRunningVerify;
        case session::Operation::None: break;
    }
    return "";
}

QString duration(qint64 seconds) {
    if (seconds < 60) return QString::fromUtf8(texts::kSeconds).arg(seconds);
    return QString::fromUtf8(texts::kMinutes).arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
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

void StatusLine::progress(int position, int maximum, session::Operation operation) {
    if (operation == session::Operation::None || maximum <= 0 || position <= 0) return;
    const bool fresh = state_ != State::Running || operation != operation_ || position < firstPosition_;
    if (fresh) {
        operation_ = operation;
        firstPosition_ = position;
        started_.start();
        shown_.invalidate();
    }
    if (!fresh && position < maximum && shown_.isValid() && shown_.elapsed() < kRefreshMs) return;
    shown_.start();
    show(runningText(position, maximum), State::Running);
}

QString StatusLine::runningText(int position, int maximum) const {
    const QLocale pt(QLocale::Portuguese, QLocale::Brazil);
    const int percent = static_cast<int>(100LL * position / maximum);
    const qint64 ms = started_.elapsed();
    const int done = position - firstPosition_;
    QString speed = QStringLiteral("–");
    QString left = QString::fromUtf8(texts::kTimeLeftUnknown);
    if (ms >= kEstimateAfterMs && done > 0) {
        const double perSecond = done * 1000.0 / static_cast<double>(ms);
        speed = pt.toString(static_cast<qlonglong>(std::llround(perSecond)));
        const auto seconds = static_cast<qint64>(std::ceil((maximum - position) / perSecond));
        left = QString::fromUtf8(texts::kTimeLeft).arg(duration(seconds));
    }
    return QString::fromUtf8(texts::kProgress)
        .arg(QString::fromUtf8(runningName(operation_)), QString::number(percent), pt.toString(position),
             pt.toString(maximum), speed, left);
}

void StatusLine::finished(const session::Finished& outcome, bool verified) {
    operation_ = session::Operation::None;
    if (outcome.ok) {
        const char* done = texts::kDoneRead;
        if (outcome.operation == session::Operation::Firmware) done = texts::kDoneFirmware;
        if (outcome.operation == session::Operation::Write)
            done = verified ? texts::kDoneWriteVerified : texts::kDoneWrite;
        show(QString::fromUtf8(done), State::Done);
        return;
    }
    QString reason = QString::fromUtf8(outcome.reason.data(), static_cast<qsizetype>(outcome.reason.size()));
    reason.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    show(QString::fromUtf8(texts::kFailed).arg(reason), State::Failed);
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
