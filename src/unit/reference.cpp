#include "unit/reference.h"

#include <QMap>
#include <QRegularExpression>
#include <algorithm>

namespace vek::reference {

namespace {

bool isCode(QChar c) { return c == QLatin1Char('-'); }

// Text for roff: a backslash is the escape character, and in option names
// and paths a hyphen must stay a hyphen, not become a dash or a break.
QString roffEscape(const QString& text, bool literal) {
    QString out;
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\e");
        else if (literal && isCode(c))
            out += QStringLiteral("\\-");
        else
            out += c;
    }
    return out;
}

// A paragraph's marks as roff fonts; see the header for the marks.
QString roffInline(const QString& s) {
    QString out;
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = s[i];
        if (c == QLatin1Char('\\') && i + 1 < n && s[i + 1] == QLatin1Char('|')) {
            out += QLatin1Char('|');
            i += 2;
            continue;
        }
        if (c == QLatin1Char('`')) {
            const qsizetype j = s.indexOf(QLatin1Char('`'), i + 1);
            if (j > i) {
                out += QStringLiteral("\\fB") + roffEscape(s.mid(i + 1, j - i - 1).replace(QStringLiteral("\\|"), QStringLiteral("|")), true) +
                       QStringLiteral("\\fR");
                i = j + 1;
                continue;
            }
        }
        if (s.mid(i, 2) == QLatin1String("**")) {
            const qsizetype j = s.indexOf(QStringLiteral("**"), i + 2);
            if (j > i) {
                out += QStringLiteral("\\fB") + roffEscape(s.mid(i + 2, j - i - 2), false) + QStringLiteral("\\fR");
                i = j + 2;
                continue;
            }
        }
        if (c == QLatin1Char('*') && i + 1 < n && !s[i + 1].isSpace()) {
            const qsizetype j = s.indexOf(QLatin1Char('*'), i + 1);
            if (j > i + 1 && !s[j - 1].isSpace()) {
                out += QStringLiteral("\\fI") + roffEscape(s.mid(i + 1, j - i - 1), true) + QStringLiteral("\\fR");
                i = j + 1;
                continue;
            }
        }
        if (c == QLatin1Char('[')) {
            const qsizetype close = s.indexOf(QStringLiteral("]("), i);
            const qsizetype end = close < 0 ? -1 : s.indexOf(QLatin1Char(')'), close);
            if (end > 0 && !s.mid(i, close - i).contains(QLatin1Char(']'))) {
                out += roffInline(s.mid(i + 1, close - i - 1));
                i = end + 1;
                continue;
            }
        }
        out += roffEscape(QString(c), false);
        ++i;
    }
    return out;
}

// Lines of running text for roff: none may start as a request would, and a
// leading space would break the line.
QString roffText(const QString& text) {
    QStringList lines;
    for (QString line : roffInline(text).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty()) continue;
        if (line.startsWith(QLatin1Char('.')) || line.startsWith(QLatin1Char('\''))) line.prepend(QStringLiteral("\\&"));
        lines << line;
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

// A usage line's words: options bold, values italic, the brackets and bars
// as they are.
QString roffUsage(const QString& usage) {
    static const QRegularExpression word(QStringLiteral("^([\\[(]*)(.*?)([\\])]*)$"));
    QStringList out;
    for (const QString& w : usage.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch m = word.match(w);
        const QString core = m.captured(2);
        QString shown;
        if (core == QLatin1String("|") || core.isEmpty())
            shown = core;
        else if (core.startsWith(QLatin1Char('-')))
            shown = QStringLiteral("\\fB") + roffEscape(core, true) + QStringLiteral("\\fR");
        else
            shown = QStringLiteral("\\fI") + roffEscape(core, true) + QStringLiteral("\\fR");
        out << m.captured(1) + shown + m.captured(3);
    }
    return out.join(QLatin1Char(' '));
}

QStringList cells(const QString& row) {
    QString inner = row.trimmed();
    if (inner.startsWith(QLatin1Char('|'))) inner.remove(0, 1);
    if (inner.endsWith(QLatin1Char('|')) && !inner.endsWith(QStringLiteral("\\|"))) inner.chop(1);
    QStringList out;
    QString cell;
    for (qsizetype i = 0; i < inner.size(); ++i) {
        if (inner[i] == QLatin1Char('\\') && i + 1 < inner.size() && inner[i + 1] == QLatin1Char('|')) {
            cell += QStringLiteral("\\|");
            ++i;
        } else if (inner[i] == QLatin1Char('|')) {
            out << cell.trimmed();
            cell.clear();
        } else {
            cell += inner[i];
        }
    }
    return out << cell.trimmed();
}

bool isSeparator(const QString& row) {
    static const QRegularExpression dashes(QStringLiteral("^\\|?\\s*:?-+:?\\s*(\\|\\s*:?-+:?\\s*)*\\|?$"));
    return dashes.match(row.trimmed()).hasMatch();
}

// A table with a header row, drawn by tbl; every cell a text block, so that
// a long one wraps inside its column.
QString roffTable(const QList<QStringList>& rows) {
    if (rows.isEmpty()) return {};
    const qsizetype columns = rows.first().size();
    // Ragged right: a narrow column cannot be filled out evenly.
    QString out = QStringLiteral(".na\n.TS\nallbox;\n");
    QStringList head, body;
    for (qsizetype c = 0; c < columns; ++c) {
        head << QStringLiteral("lb");
        body << (c + 1 == columns ? QStringLiteral("lx") : QStringLiteral("l"));
    }
    out += head.join(QLatin1Char(' ')) + QLatin1Char('\n') + body.join(QLatin1Char(' ')) + QStringLiteral(".\n");
    for (const QStringList& row : rows) {
        QStringList shown;
        for (qsizetype c = 0; c < columns; ++c)
            shown << QStringLiteral("T{\n") + roffText(c < row.size() ? row[c] : QString()) + QStringLiteral("T}");
        out += shown.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return out + QStringLiteral(".TE\n.ad\n");
}

QString mdRow(const QStringList& cells) { return QStringLiteral("| ") + cells.join(QStringLiteral(" | ")) + QStringLiteral(" |\n"); }

QString mdTable(const QList<QStringList>& rows) {
    QString out = mdRow(rows.first());
    QStringList dashes;
    for (qsizetype c = 0; c < rows.first().size(); ++c) dashes << QStringLiteral("---");
    out += QLatin1Char('|') + dashes.join(QLatin1Char('|')) + QStringLiteral("|\n");
    for (qsizetype r = 1; r < rows.size(); ++r) out += mdRow(rows[r]);
    return out;
}

QString mdEscapeCell(QString text) { return text.replace(QLatin1Char('|'), QStringLiteral("\\|")); }

// The option's names as code, for a Markdown page: "`-p`, `--port P`".
QString mdNames(const Option& o) {
    QStringList names;
    for (qsizetype i = 0; i < o.names.size(); ++i) {
        QString shown = (o.names[i].size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + o.names[i];
        if (i + 1 == o.names.size() && !o.value.isEmpty()) shown += QLatin1Char(' ') + o.value;
        names << QLatin1Char('`') + mdEscapeCell(shown) + QLatin1Char('`');
    }
    return names.join(QStringLiteral(", "));
}

QStringList commandNames(const Program& program) {
    QStringList names;
    for (const Command& c : program.commands) names << c.name;
    return names;
}

// Who takes an option: every command, some of them, or the program alone.
QStringList takers(const Program& program, const Option& o, const Words& words, bool* every) {
    *every = !program.commands.isEmpty() && o.commands == commandNames(program);
    if (*every) return {words.everyCommand};
    if (o.commands.isEmpty()) return {program.name};
    return o.commands;
}

// The hand-written words a page adds to one command or option, by key:
// "write", "--port", "--unit backups".
using Details = QMap<QString, QString>;

QString optionKey(const Option& o, bool shared) {
    return QStringLiteral("--") + o.names.last() + (shared && !o.commands.isEmpty() ? QLatin1Char(' ') + o.commands.first() : QString());
}

// Two options with one name (records' --unit and backups') are told apart by
// their first command.
bool nameShared(const Program& program, const Option& o) {
    return std::count_if(program.options.begin(), program.options.end(),
                         [&](const Option& x) { return x.names.last() == o.names.last(); }) > 1;
}

QString mdJoined(const QString& text) { return text.split(QLatin1Char('\n')).join(QLatin1Char(' ')); }

QString generated(Format format, const QString& name, const Program& program, const Words& words, const Details& details) {
    const bool man = format == Format::Man;
    QString out;
    if (name == QLatin1String("synopsis")) {
        // The commands' lines, then the program's own.
        if (man) {
            out = QStringLiteral(".SH ") + words.synopsis.toUpper() + QLatin1Char('\n');
            for (qsizetype i = 0; i < program.commands.size(); ++i) {
                const Command& c = program.commands[i];
                out += QStringLiteral("\\fB") + roffEscape(program.name, true) + QLatin1Char(' ') + c.name +
                       QStringLiteral("\\fR ") + roffUsage(c.usage) + QLatin1Char('\n');
                out += QStringLiteral(".br\n");
            }
            for (qsizetype i = 0; i < program.usages.size(); ++i)
                out += (i ? QStringLiteral(".br\n") : QString()) + QStringLiteral("\\fB") + roffEscape(program.name, true) +
                       QStringLiteral("\\fR ") + roffUsage(program.usages[i]) + QLatin1Char('\n');
        } else {
            out = QStringLiteral("## ") + words.synopsis + QStringLiteral("\n\n```\n");
            for (const Command& c : program.commands) out += program.name + QLatin1Char(' ') + c.name + QLatin1Char(' ') + c.usage + QLatin1Char('\n');
            for (const QString& usage : program.usages) out += program.name + QLatin1Char(' ') + usage + QLatin1Char('\n');
            out += QStringLiteral("```\n");
        }
        return out;
    }
    if (name == QLatin1String("commands")) {
        if (man) {
            out = QStringLiteral(".SH ") + words.commands.toUpper() + QLatin1Char('\n');
            for (const Command& c : program.commands) {
                out += QStringLiteral(".TP\n.B ") + c.name + QLatin1Char('\n') + roffText(c.summary);
                if (details.contains(c.name)) out += QStringLiteral(".IP\n") + roffText(details[c.name]);
            }
            return out;
        }
        QList<QStringList> rows{{words.command, words.whatItDoes}};
        QString more;
        for (const Command& c : program.commands) {
            rows << QStringList{QLatin1Char('`') + mdEscapeCell(c.name + QLatin1Char(' ') + c.usage) + QLatin1Char('`'),
                                mdEscapeCell(c.summary)};
            if (details.contains(c.name)) more += QStringLiteral("- `") + c.name + QStringLiteral("`: ") + mdJoined(details[c.name]) + QLatin1Char('\n');
        }
        return QStringLiteral("## ") + words.commands + QStringLiteral("\n\n") + mdTable(rows) +
               (more.isEmpty() ? QString() : QLatin1Char('\n') + more);
    }
    // options
    if (man) {
        out = QStringLiteral(".SH ") + words.options.toUpper() + QLatin1Char('\n');
        for (const Option& o : program.options) {
            QStringList names;
            for (const QString& n : o.names)
                names << QStringLiteral("\\fB") + roffEscape((n.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + n, true) +
                             QStringLiteral("\\fR");
            QString head = names.join(QStringLiteral(", "));
            if (!o.value.isEmpty()) head += QStringLiteral(" \\fI") + roffEscape(o.value, true) + QStringLiteral("\\fR");
            out += QStringLiteral(".TP\n") + head + QLatin1Char('\n');
            bool every = false;
            const QStringList by = takers(program, o, words, &every);
            if (!program.commands.isEmpty() && !every && !o.commands.isEmpty()) {
                QStringList bold;
                for (const QString& c : by) bold << QStringLiteral("\\fB") + c + QStringLiteral("\\fR");
                out += QLatin1Char('(') + bold.join(QStringLiteral(", ")) + QStringLiteral(")\n");
            }
            out += roffText(o.description);
            const QString key = optionKey(o, nameShared(program, o));
            if (details.contains(key)) out += QStringLiteral(".IP\n") + roffText(details[key]);
        }
        return out;
    }
    const bool withCommands = !program.commands.isEmpty();
    QList<QStringList> rows;
    rows << (withCommands ? QStringList{words.option, words.takenBy, words.meaning} : QStringList{words.option, words.meaning});
    for (const Option& o : program.options) {
        bool every = false;
        QStringList by = takers(program, o, words, &every);
        if (!every)
            for (QString& c : by) c = QLatin1Char('`') + c + QLatin1Char('`');
        rows << (withCommands ? QStringList{mdNames(o), by.join(QStringLiteral(", ")), mdEscapeCell(o.description)}
                              : QStringList{mdNames(o), mdEscapeCell(o.description)});
    }
    QString more;
    for (const Option& o : program.options) {
        const QString key = optionKey(o, nameShared(program, o));
        if (details.contains(key))
            more += QStringLiteral("- ") + mdNames(o).replace(QStringLiteral("\\|"), QStringLiteral("|")) + QStringLiteral(": ") +
                    mdJoined(details[key]) + QLatin1Char('\n');
    }
    return QStringLiteral("## ") + words.options + QStringLiteral("\n\n") + mdTable(rows) +
           (more.isEmpty() ? QString() : QLatin1Char('\n') + more);
}

// The keys a page may give details for.
QStringList detailKeys(const Program& program) {
    QStringList keys;
    for (const Command& c : program.commands) keys << c.name;
    for (const Option& o : program.options) keys << optionKey(o, nameShared(program, o));
    return keys;
}

bool startsBlock(const QString& line) {
    return line.startsWith(QLatin1Char('#')) || line.startsWith(QStringLiteral("```")) || line.startsWith(QLatin1Char('|')) ||
           line.startsWith(QStringLiteral("- ")) || line.startsWith(QStringLiteral("{{")) || line.startsWith(QStringLiteral(": "));
}

}  // namespace

QString optionNames(const Option& option) {
    QStringList names;
    for (const QString& n : option.names) names << (n.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + n;
    QString out = names.join(QStringLiteral(", "));
    if (!option.value.isEmpty()) out += QLatin1Char(' ') + option.value;
    return out;
}

QString optionsHelp(const QList<Option>& options, qsizetype width) {
    constexpr qsizetype kIndent = 2, kGap = 2, kLongestInColumn = 18;
    qsizetype names = 0;
    for (const Option& o : options) {
        const qsizetype n = optionNames(o).size();
        if (n <= kLongestInColumn) names = std::max(names, n);
    }
    const qsizetype column = kIndent + names + kGap;
    QString out;
    for (const Option& o : options) {
        const QString left = QString(kIndent, QLatin1Char(' ')) + optionNames(o);
        QString line = left.size() + kGap <= column ? left.leftJustified(column) : left + QLatin1Char('\n') + QString(column, QLatin1Char(' '));
        bool first = true;
        for (const QString& word : o.description.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const qsizetype lastLine = line.size() - line.lastIndexOf(QLatin1Char('\n')) - 1;
            if (!first && lastLine + 1 + word.size() > width)
                line += QLatin1Char('\n') + QString(column, QLatin1Char(' '));
            else if (!first)
                line += QLatin1Char(' ');
            line += word;
            first = false;
        }
        out += line + QLatin1Char('\n');
    }
    return out;
}

Rendered render(Format format, const Program& program, const Words& words, const QString& page) {
    const bool man = format == Format::Man;
    QStringList lines = page.split(QLatin1Char('\n'));
    for (QString& l : lines)
        if (l.endsWith(QLatin1Char('\r'))) l.chop(1);
    QMap<QString, QString> front;
    qsizetype i = 0;
    if (!lines.isEmpty() && lines[0] == QLatin1String("---")) {
        for (i = 1; i < lines.size() && lines[i] != QLatin1String("---"); ++i) {
            const qsizetype colon = lines[i].indexOf(QLatin1Char(':'));
            if (colon > 0) front[lines[i].left(colon).trimmed()] = lines[i].mid(colon + 1).trimmed();
        }
        if (i >= lines.size()) return {{}, QStringLiteral("the front matter has no closing ---")};
        ++i;
    }
    for (const char* key : {"title", "section", "date", "manual", "name", "summary", "name-heading", "markdown"})
        if (!front.contains(QLatin1String(key))) return {{}, QStringLiteral("the front matter has no %1").arg(QLatin1String(key))};

    QString out;
    if (man) {
        out = QStringLiteral("'\\\" t\n.\\\" -*- coding: UTF-8 -*-\n"
                             ".\\\" Made by %1 --reference=man from docs/reference/: change that, not this.\n")
                  .arg(program.name);
        out += QStringLiteral(".TH %1 %2 \"%3\" \"VekTool %4\" \"%5\"\n")
                   .arg(front[QStringLiteral("title")], front[QStringLiteral("section")], front[QStringLiteral("date")],
                        program.version, front[QStringLiteral("manual")]);
        out += QStringLiteral(".SH ") + front[QStringLiteral("name-heading")].toUpper() + QLatin1Char('\n') +
               roffEscape(front[QStringLiteral("name")], true) + QStringLiteral(" \\- ") + roffEscape(front[QStringLiteral("summary")], false) +
               QLatin1Char('\n');
    } else {
        out = QStringLiteral("<!-- Made by %1 --reference=markdown from docs/reference/: change that, not this. -->\n\n# %2\n")
                  .arg(program.name, front[QStringLiteral("markdown")]);
    }

    bool shown = !man;        // before the first heading: the Markdown page's lead
    bool afterHeading = true;  // a paragraph right after a heading needs no break
    const auto put = [&](const QString& manText, const QString& mdText) {
        if (!shown) return;
        if (man) {
            out += manText;
        } else {
            out += QLatin1Char('\n') + mdText;
        }
    };
    const auto paragraphBreak = [&] {
        const QString pp = afterHeading ? QString() : QStringLiteral(".PP\n");
        afterHeading = false;
        return pp;
    };
    QStringList generatedSeen;
    while (i < lines.size()) {
        const QString line = lines[i];
        if (line.trimmed().isEmpty()) {
            ++i;
            continue;
        }
        if (line.startsWith(QStringLiteral("# ")) || line.startsWith(QStringLiteral("## "))) {
            const bool top = line.startsWith(QStringLiteral("# "));
            QString heading = line.mid(top ? 2 : 3).trimmed();
            if (top) {
                shown = true;
                if (heading.endsWith(QStringLiteral("{man}"))) {
                    shown = man;
                    heading.chop(5);
                } else if (heading.endsWith(QStringLiteral("{markdown}"))) {
                    shown = !man;
                    heading.chop(10);
                }
                heading = heading.trimmed();
            }
            put((top ? QStringLiteral(".SH ") + heading.toUpper() : QStringLiteral(".SS ") + heading) + QLatin1Char('\n'),
                 (top ? QStringLiteral("## ") : QStringLiteral("### ")) + heading + QLatin1Char('\n'));
            afterHeading = true;
            ++i;
            continue;
        }
        if (line.startsWith(QStringLiteral("{{"))) {
            const QString name = line.trimmed().mid(2).chopped(2);
            if (name != QLatin1String("synopsis") && name != QLatin1String("commands") && name != QLatin1String("options"))
                return {{}, QStringLiteral("line %1: no generated section is called %2").arg(i + 1).arg(name)};
            generatedSeen << name;
            shown = true;  // a section of its own, in both
            // Definitions right below: the page's own words on a command or
            // an option, keyed by its name in backticks.
            Details details;
            const QStringList known = detailKeys(program);
            for (++i; i < lines.size();) {
                if (lines[i].trimmed().isEmpty()) {
                    ++i;
                    continue;
                }
                if (!(i + 1 < lines.size() && lines[i + 1].startsWith(QStringLiteral(": ")))) break;
                QString key = lines[i].trimmed();
                key.remove(QLatin1Char('`'));
                if (!known.contains(key))
                    return {{}, QStringLiteral("line %1: %2 is no command or option of %3").arg(i + 1).arg(key, program.name)};
                QStringList text{lines[i + 1].mid(2)};
                for (i += 2; i < lines.size() && lines[i].startsWith(QStringLiteral("  ")); ++i) text << lines[i].trimmed();
                details[key] = text.join(QLatin1Char('\n'));
            }
            const QString text = generated(format, name, program, words, details);
            put(text, text);
            afterHeading = false;
            continue;
        }
        if (line.startsWith(QStringLiteral("```"))) {
            QStringList code;
            for (++i; i < lines.size() && !lines[i].startsWith(QStringLiteral("```")); ++i) code << lines[i];
            if (i >= lines.size()) return {{}, QStringLiteral("a ``` block is not closed")};
            const QString fence = line;
            ++i;
            QString manCode = paragraphBreak() + QStringLiteral(".RS\n.nf\n");
            for (const QString& c : code) {
                QString escaped = roffEscape(c, true);
                if (escaped.startsWith(QLatin1Char('.')) || escaped.startsWith(QLatin1Char('\''))) escaped.prepend(QStringLiteral("\\&"));
                manCode += escaped + QLatin1Char('\n');
            }
            manCode += QStringLiteral(".fi\n.RE\n");
            put(manCode, fence + QLatin1Char('\n') + code.join(QLatin1Char('\n')) + QStringLiteral("\n```\n"));
            continue;
        }
        if (line.startsWith(QLatin1Char('|'))) {
            QList<QStringList> rows;
            for (; i < lines.size() && lines[i].startsWith(QLatin1Char('|')); ++i)
                if (!isSeparator(lines[i])) rows << cells(lines[i]);
            const QString pp = paragraphBreak();
            put(pp + roffTable(rows), mdTable(rows));
            continue;
        }
        if (line.startsWith(QStringLiteral("- "))) {
            QString manList, mdList;
            while (i < lines.size() && lines[i].startsWith(QStringLiteral("- "))) {
                QStringList item{lines[i].mid(2)};
                for (++i; i < lines.size() && lines[i].startsWith(QStringLiteral("  ")); ++i) item << lines[i].trimmed();
                manList += QStringLiteral(".IP \\(bu 2\n") + roffText(item.join(QLatin1Char('\n')));
                mdList += QStringLiteral("- ") + item.join(QStringLiteral("\n  ")) + QLatin1Char('\n');
            }
            afterHeading = false;
            put(manList, mdList);
            continue;
        }
        // A term and its definition, or a paragraph.
        QStringList text;
        for (; i < lines.size() && !lines[i].trimmed().isEmpty() && (text.isEmpty() || !startsBlock(lines[i])); ++i)
            text << lines[i];
        if (i < lines.size() && text.size() == 1 && lines[i].startsWith(QStringLiteral(": "))) {
            QStringList definition{lines[i].mid(2)};
            for (++i; i < lines.size() && lines[i].startsWith(QStringLiteral("  ")); ++i) definition << lines[i].trimmed();
            afterHeading = false;
            put(QStringLiteral(".TP\n") + roffText(text.first()) + roffText(definition.join(QLatin1Char('\n'))),
                 QStringLiteral("- ") + text.first() + QStringLiteral(": ") + definition.join(QStringLiteral("\n  ")) + QLatin1Char('\n'));
            continue;
        }
        const QString pp = paragraphBreak();
        put(pp + roffText(text.join(QLatin1Char('\n'))), text.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    }
    for (const char* name : {"synopsis", "commands", "options"})
        if (!generatedSeen.contains(QLatin1String(name)) && (QLatin1String(name) != QLatin1String("commands") || !program.commands.isEmpty()))
            return {{}, QStringLiteral("the page has no {{%1}} line").arg(QLatin1String(name))};
    return {out, {}};
}

}  // namespace vek::reference
