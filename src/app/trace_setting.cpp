#include "app/trace_setting.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QMenu>
#include <QStandardPaths>

#include "app/app_texts.h"
#include "app/settings.h"
#include "link/serial_trace.h"
#include "text/language.h"

namespace vek::app {

TraceSetting::TraceSetting(QMenu* menu, Settings& settings, LogLine log, QObject* parent)
    : QObject(parent), settings_(settings), log_(std::move(log)) {
    setObjectName(QStringLiteral("TraceSetting"));
    action_ = menu->addAction(vek::translated(texts::kMenuSerialTrace));
    action_->setObjectName(QStringLiteral("A_SerialTrace"));
    action_->setCheckable(true);
    action_->setToolTip(vek::translated(texts::kMenuSerialTraceHint));
    const bool on = settings_.serialTrace();
    action_->setChecked(on);
    if (on) setOn(true);
    connect(action_, &QAction::toggled, this, [this](bool checked) {
        settings_.setSerialTrace(checked);
        setOn(checked);
    });
}

TraceSetting::~TraceSetting() = default;

QString TraceSetting::path() const { return trace_ ? trace_->path() : QString(); }

void TraceSetting::setOn(bool on) {
    if (!on) {
        if (!trace_) return;
        const QString path = trace_->path();
        trace_.reset();
        log_(vek::translated(texts::kTraceEnded).arg(QDir::toNativeSeparators(path)), false);
        return;
    }
    if (trace_) return;
    // One file per trace, named by when it started, so that a run never
    // writes over the one before it.
    const QString folder =
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(QStringLiteral("trace"));
    QString path = QDir(folder).filePath(
        QStringLiteral("trace-%1.txt").arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"))));
    for (int n = 2; QFile::exists(path); ++n)
        path = QDir(folder).filePath(QStringLiteral("trace-%1-%2.txt")
                                         .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")))
                                         .arg(n));
    auto trace = std::make_unique<link::SerialTrace>();
    if (const QString error = trace->open(path); !error.isEmpty()) {
        log_(vek::translated(texts::kTraceFailed).arg(QDir::toNativeSeparators(path), error), true);
        const QSignalBlocker quiet(action_);
        action_->setChecked(false);
        return;
    }
    trace_ = std::move(trace);
    link::SerialTrace::setActive(trace_.get());
    log_(vek::translated(texts::kTraceStarted).arg(QDir::toNativeSeparators(path)), false);
}

}  // namespace vek::app
