#pragma once
// A command's options in our own words. QCommandLineParser parses them, but
// its help and its errors come in English unless Qt's translations are
// installed and found; a script's log on a bare machine must read the same,
// so the help is written here and the arguments are checked here first, in
// the parser's own rules, leaving it nothing to refuse.

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>

namespace vek::cli {

constexpr qsizetype kHelpWidth = 78;

// Words kept together on lines of at most `width` characters; the lines
// after the first start with `indent`.
QString wrapped(const QString& text, qsizetype width, const QString& indent = {});

// "Uso: vektool-cli write [opções]", the summary, then one line per option.
QString commandHelp(const QString& command, const QString& summary, const QList<QCommandLineOption>& options);

// What is wrong with `arguments` (the command's, without the program and the
// command name) for a parser that knows `options`, in Portuguese; empty when
// nothing is. Long options take "--name value" or "--name=value"; short ones
// may be run together ("-pP", "-hp P"), as the parser allows.
QString argumentError(const QStringList& arguments, const QList<QCommandLineOption>& options);

}  // namespace vek::cli
