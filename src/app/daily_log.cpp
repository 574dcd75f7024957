#include "app/daily_log.h"

#include <QDateTime>
#include <QDir>

#include "app/app_texts.h"
#include "text/language.h"

namespace vek::app {

DailyLog::DailyLog(QString folder) : folder_(std::move(folder)) {}

QString DailyLog::pathFor(const QDate& day) const {
    return QDir(folder_).filePath(QStringLiteral("vektool-%1.log").arg(day.toString(Qt::ISODate)));
}

bool DailyLog::openFor(const QDate& day) {
    if (file_.isOpen() && day == day_) return true;
    file_.close();
    if (!QDir().mkpath(folder_)) {
        error_ = vek::translated(texts::kFolderNotCreated);
        return false;
    }
    file_.setFileName(pathFor(day));
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        error_ = file_.errorString();
        return false;
    }
    day_ = day;
    return true;
}

bool DailyLog::write(const QDateTime& when, const QString& port, bool warning, const QString& text) {
    if (!openFor(when.date())) return false;
    const QString stamp = when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    const QString where = port.isEmpty() ? QStringLiteral("-") : port;
    QString out;
    QString body = text;
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (const QString& line : body.split(QLatin1Char('\n')))
        out += QStringLiteral("%1 [%2] %3 %4\n")
                   .arg(stamp, where, warning ? QStringLiteral("!") : QStringLiteral(" "), line);
    const QByteArray bytes = out.toUtf8();
    // Each line reaches the disk at once: a crash or a pulled plug loses none.
    if (file_.write(bytes) != bytes.size() || !file_.flush()) {
        error_ = file_.errorString();
        file_.close();
        return false;
    }
    return true;
}

}  // namespace vek::app
