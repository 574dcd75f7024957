#include "app/status_line.h"

#include <QEvent>
#include <QLabel>
#include <QLocale>
#include <cmath>

#include "app/app_texts.h"
#include "app/shown_locale.h"
#include "unit/language.h"

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
    using unit::Kind;
    const auto qs = [](const char* text) { return QString::fromUtf8(text); };
    switch (o.kind) {
        case Kind::Ok: break;
        case Kind::NoUnit: return qs(texts::kWhyNoUnit);
        case Kind::PortLost:
        case Kind::Timeout:
            switch (o.operation) {
                case unit::Operation::Firmware: return qs(texts::kWhyFirmwareCut);
                case unit::Operation::Write: return qs(texts::kWhyWriteCut);
                case unit::Operation::Verify: return qs(texts::kWhyVerifyCut);
                case unit::Operation::Read:
                case unit::Operation::None: break;
            }
            return qs(texts::kWhyReadCut);
        case Kind::OperationMode: return qs(texts::kWhyOperationMode);
        case Kind::TypeLeftAlone: return qs(texts::kWhyTypeLeftAlone).arg(o.unit.version.a);
        case Kind::Discontinued: return qs(texts::kWhyDiscontinued).arg(o.unit.version.a);
        case Kind::NeedsFirmware: return qs(texts::kWhyNeedsFirmware);
        case Kind::FirmwareNotTaken:
            return qs(texts::kWhyFirmwareNotTaken).arg(unit::versionText(o.versionAfter.value_or(o.unit.version)));
        case Kind::DidNotReturn: return qs(texts::kWhyDidNotReturn);
        case Kind::OtherUnitReturned:
            return qs(texts::kWhyOtherUnitReturned).arg(o.returned ? unit::idText(*o.returned) : QString());
        case Kind::InvalidConfiguration: return qs(texts::kWhyInvalidConfiguration);
        case Kind::Refused:
            return qs(texts::kWhyRefused).arg(o.fault ? QString::fromStdString(o.fault->name) : QString());
        case Kind::ReadBackDiffers: {
            const auto hex = [](int b) { return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper(); };
            return qs(texts::kWhyReadBackDiffers).arg(o.mismatchAt).arg(hex(o.wroteByte), hex(o.readByte));
        }
        case Kind::Interrupted: return qs(texts::kWhyInterrupted);
        case Kind::Busy: return vek::translated(texts::kWhyBusy);
        case Kind::OtherUnit: return vek::translated(texts::kWhyOtherUnit);
        case Kind::NotIdentified: return vek::translated(texts::kWhyNotIdentified);
        case Kind::CopyNotKept:
            return vek::translated(texts::kWhyCopyNotKept).arg(o.copy ? QString::fromStdString(o.copy->why) : QString());
        case Kind::InvalidCopy: return vek::translated(texts::kWhyInvalidCopy);
    }
    return {};
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
