#pragma once
// The programs' reference (manual pages, docs/command-line.md) made from the
// options the programs themselves take, so that neither can say what the
// other does not. The prose around the options is kept in docs/reference/,
// one file a program and a language, in a small part of Markdown:
//
//   ---                          front matter, "key: value" lines:
//   title: VEKTOOL-CLI           the manual page's title, section, date and
//   section: 1                   manual; name and summary make its NAME
//   ...                          section (heading: name-heading); markdown
//   ---                          is the title of the Markdown page
//   lead paragraphs              before the first heading: Markdown only
//   # Heading                    a section (upper case on the manual page);
//   # Heading {man}              ... only on the manual page, or
//   # Heading {markdown}         ... only in the Markdown page
//   ## Heading                   a subsection
//   {{synopsis}} {{commands}} {{options}}
//                                the generated sections, with their headings;
//                                definitions right below {{commands}} and
//                                {{options}} add to one command or option:
//   `--port`                     its name (`--unit backups` where two
//   : more words                 options share one), then the words
//   | a | b |  (then |---|---|)  a table; \| is a bar inside a cell
//   term  then  : definition     a definition (.TP on the manual page)
//   - item                       a list item; "  " carries it on
//   ```  ...  ```                lines shown as they are
//
// Inside a paragraph: `code` and **bold** read bold on the manual page,
// *path* italic, [text](link) as its text.

#include <QList>
#include <QString>
#include <QStringList>

namespace vek::reference {

// Everything in the words of the chosen language.
struct Command {
    QString name;
    // The command's arguments: "--port P (--file ARQ | --preset NOME) [--json]".
    QString usage;
    QString summary;
};

struct Option {
    QStringList names;  // "p", "port"
    QString value;      // empty: a flag
    QString description;
    // The commands that take it; empty for the program's own options.
    QStringList commands;
};

struct Program {
    QString name;     // vektool-cli
    QString version;  // 2.47.A
    QList<Command> commands;
    // The program's own usage lines, after the commands': "--help | --version".
    QStringList usages;
    QList<Option> options;
};

// Headings and column names of the generated sections.
struct Words {
    QString synopsis, commands, options;
    QString command, whatItDoes, option, takenBy, meaning;
    QString everyCommand;  // an option every command takes
};

enum class Format { Man, Markdown };

struct Rendered {
    QString text;
    QString error;  // empty when the page was made
};

// `page` (the hand-written source) with the generated sections in place.
Rendered render(Format format, const Program& program, const Words& words, const QString& page);

// "--port P" or "-p, --port P", as the help and the reference show an option.
QString optionNames(const Option& option);

// The options as a --help lists them: names, then the description from one
// column on, wrapped within `width`; a name too long for the column has its
// description on the lines below.
QString optionsHelp(const QList<Option>& options, qsizetype width = 78);

}  // namespace vek::reference
