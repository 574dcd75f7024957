#include "cli/arguments.h"

#include <QCoreApplication>
#include <algorithm>

#include "cli/cli_texts.h"
#include "text/language.h"

namespace vek::cli {

namespace {

QString qs(vek::Text text) { return vek::translated(text); }

const QCommandLineOption* find(const QList<QCommandLineOption>& options, const QString& name) {
    for (const QCommandLineOption& o : options)
        if (o.names().contains(name)) return &o;
    return nullptr;
}

bool takesValue(const QCommandLineOption& o) { return !o.valueName().isEmpty(); }

// The options are made before the language is chosen: their words are
// translated when shown.
QString said(const QString& source) { return QCoreApplication::translate("cli", source.toUtf8().constData()); }

QString shown(const QString& name) { return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name; }


}  // namespace

QString wrapped(const QString& text, qsizetype width, const QString& indent) {
    QString out, line;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
            out += line + QLatin1Char('\n');
            line = indent;
        }
        line += (line.trimmed().isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    return out + line;
}

QString commandHelp(const QString& command, const QString& summary, const QList<QCommandLineOption>& options) {
    QStringList left;
    for (const QCommandLineOption& o : options) {
        QStringList names;
        for (const QString& n : o.names()) names << shown(n);
        QString text = names.join(QStringLiteral(", "));
        if (takesValue(o)) text += QStringLiteral(" <%1>").arg(said(o.valueName()));
        left << text;
    }
    qsizetype width = 0;
    for (const QString& l : left) width = std::max(width, l.size());
    QString out = qs(texts::kCommandUsage).arg(command) + QLatin1Char('\n') + wrapped(summary, kHelpWidth) +
                  QStringLiteral("\n\n") +
                  qs(texts::kOptionsHeading) + QLatin1Char('\n');
    for (qsizetype i = 0; i < options.size(); ++i)
        out += QStringLiteral("  ") + left[i].leftJustified(width + 2) + said(options[i].description()) + QLatin1Char('\n');
    return out;
}

QString argumentError(const QStringList& arguments, const QList<QCommandLineOption>& options) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QLatin1String("--")) {
            if (i + 1 < arguments.size()) return qs(texts::kUnexpectedArgument).arg(arguments[i + 1]);
            return {};
        }
        if (!a.startsWith(QLatin1Char('-')) || a == QLatin1String("-")) return qs(texts::kUnexpectedArgument).arg(a);
        if (a.startsWith(QLatin1String("--"))) {
            const qsizetype eq = a.indexOf(QLatin1Char('='));
            const QString name = a.mid(2, eq < 0 ? -1 : eq - 2);
            const QCommandLineOption* o = find(options, name);
            if (!o) return qs(texts::kUnknownOption).arg(QStringLiteral("--") + name);
            if (!takesValue(*o) && eq >= 0) return qs(texts::kOptionTakesNoValue).arg(QStringLiteral("--") + name);
            if (takesValue(*o) && eq < 0 && ++i >= arguments.size())
                return qs(texts::kOptionNeedsValue).arg(QStringLiteral("--") + name, said(o->valueName()));
            continue;
        }
        // Short options run together: "-hp P"; one that takes a value takes
        // the rest of the word ("-pP", "-p=P") or the next one.
        for (qsizetype pos = 1; pos < a.size(); ++pos) {
            const QString name = a.mid(pos, 1);
            const QCommandLineOption* o = find(options, name);
            if (!o) return qs(texts::kUnknownOption).arg(QStringLiteral("-") + name);
            if (!takesValue(*o)) continue;
            if (pos + 1 == a.size() && ++i >= arguments.size())
                return qs(texts::kOptionNeedsValue).arg(QStringLiteral("-") + name, said(o->valueName()));
            break;
        }
    }
    return {};
}

}  // namespace vek::cli
