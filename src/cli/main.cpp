// vektool-cli: the unit controller without a window, for scripts and
// production lines. Every command opens its port, waits for the unit's
// announcement and takes its steps on the controller's signals.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdio>
#include <memory>
#include <variant>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

#include "cli/arguments.h"
#include "cli/cli_texts.h"
#include "cli/station_command.h"
#include "cli/unit_job.h"
#include "config/config_file.h"
#include "config/config_image.h"
#include "config/form_diff.h"
#include "config/record_layout.h"
#include "link/port_info.h"
#include "link/serial_trace.h"
#include "unit/backup_store.h"
#include "unit/reference.h"
#include "update/core/version_record.h"
#include "text/language.h"

namespace {

using namespace vek;
using namespace vek::cli;

QString qs(const char* text) { return QString::fromUtf8(text); }
QString qs(vek::Text text) { return vek::translated(text); }
QString qs(const std::string& text) { return QString::fromStdString(text); }

// Set once the command line asked for --json: a script then finds an object
// on standard output even when the command was refused.
bool jsonOutput = false;

int usageError(const QString& message) {
    print(stderr, QStringLiteral("vektool-cli: %1\n").arg(message));
    if (jsonOutput) {
        QJsonObject o;
        o[QStringLiteral("error")] = QStringLiteral("usage");
        o[QStringLiteral("message")] = message;
        printJson(o);
    }
    return ExitUsage;
}

QString toolVersion() {
    const update::Release& r = update::toolVersion;
    return QStringLiteral("vektool-cli %1.%2.%3").arg(r.major).arg(r.minor).arg(QChar(r.revision));
}

struct CommandSpec {
    const char* name;
    const char* summary;
    QList<QCommandLineOption> options;
    // The line the usage gives it.
    const char* brief;
    // The options it needs, by long name, with "(a | b)" for one of two;
    // the usage shows every other option in brackets after them.
    const char* needs;
};

const QCommandLineOption kPort({"p", "port"}, QT_TRANSLATE_NOOP("cli", "porta serial (nome ou caminho)"), "P");
const QCommandLineOption kJson("json", QT_TRANSLATE_NOOP("cli", "saída em JSON (um objeto na saída padrão)"));
const QCommandLineOption kQuiet({"q", "quiet"}, QT_TRANSLATE_NOOP("cli", "só erros e avisos"));
const QCommandLineOption kOutput({"o", "output"}, QT_TRANSLATE_NOOP("cli", "grava em ARQ em vez da saída padrão"), QT_TRANSLATE_NOOP("cli", "ARQ"));
const QCommandLineOption kFile({"f", "file"}, QT_TRANSLATE_NOOP("cli", "arquivo de configuração (JSON)"), QT_TRANSLATE_NOOP("cli", "ARQ"));
const QCommandLineOption kPreset("preset", QT_TRANSLATE_NOOP("cli", "configuração pronta: default ou norvale"), QT_TRANSLATE_NOOP("cli", "NOME"));
const QCommandLineOption kNoVerify("no-verify", QT_TRANSLATE_NOOP("cli", "não lê de volta para conferir"));
const QCommandLineOption kDryRun("dry-run", QT_TRANSLATE_NOOP("cli", "lê o Vek e diz o que mudaria, sem gravar nada"));
const QCommandLineOption kUnit("unit", QT_TRANSLATE_NOOP("cli", "só as cópias do Vek com este Id (ou parte dele)"), "ID");
const QCommandLineOption kBackup({"b", "backup"}, QT_TRANSLATE_NOOP("cli", "a cópia a gravar de volta (um arquivo de 'backups')"), QT_TRANSLATE_NOOP("cli", "ARQ"));
const QCommandLineOption kYes({"y", "yes"}, QT_TRANSLATE_NOOP("cli", "grava sem perguntar (obrigatório quando a entrada não é um terminal)"));
const QCommandLineOption kNoBackup("no-backup", QT_TRANSLATE_NOOP("cli", "altera o Vek sem guardar antes uma cópia do que ele tem"));
const QCommandLineOption kAllowInvalid("allow-invalid", QT_TRANSLATE_NOOP("cli", "grava a cópia mesmo quando ela não é uma configuração válida"));
const QCommandLineOption kForce("force", QT_TRANSLATE_NOOP("cli", "atualiza mesmo um Vek já atualizado"));
const QCommandLineOption kPorts("ports", QT_TRANSLATE_NOOP("cli", "portas a vigiar, separadas por vírgula"), "P1,P2");
const QCommandLineOption kAll("all", QT_TRANSLATE_NOOP("cli", "vigia toda porta que aparecer (o padrão)"));
const QCommandLineOption kDb("db", QT_TRANSLATE_NOOP("cli", "banco dos registros: postgresql://usuário@máquina:porta/banco"), "URL");
const QCommandLineOption kCount("count", QT_TRANSLATE_NOOP("cli", "para depois de N unidades"), "N");
const QCommandLineOption kSince("since", QT_TRANSLATE_NOOP("cli", "registros a partir de DATA (AAAA-MM-DD)"), QT_TRANSLATE_NOOP("cli", "DATA"));
const QCommandLineOption kCsv("csv", QT_TRANSLATE_NOOP("cli", "saída em CSV (UTF-8, uma linha por execução)"));
const QCommandLineOption kVerdict("verdict", QT_TRANSLATE_NOOP("cli", "só execuções com este veredito: passed, failed, interrupted, running"),
                                  "V");
const QCommandLineOption kRunsOfUnit("unit", QT_TRANSLATE_NOOP("cli", "só o Vek com este Id (ou parte dele)"), "ID");
const QCommandLineOption kTrace("trace", QT_TRANSLATE_NOOP("cli", "registra cada quadro da porta serial em ARQ ('-': saída de erro)"),
                                QT_TRANSLATE_NOOP("cli", "ARQ"));
const QCommandLineOption kSummary("summary", QT_TRANSLATE_NOOP("cli", "unidades por último veredito e motivos de falha"));
// Every command's: --help is offered after the command's own, --lang is
// taken before the command is even known.
const QCommandLineOption kHelp({"h", "help"}, QT_TRANSLATE_NOOP("cli", "mostra esta ajuda"));
const QCommandLineOption kLang("lang", QT_TRANSLATE_NOOP("cli", "o idioma das mensagens, da ajuda e dos erros de uso: pt (português) ou en (inglês)"),
                               "pt|en");
const QCommandLineOption kVersion("version", QT_TRANSLATE_NOOP("cli", "mostra a versão"));

const CommandSpec kCommands[] = {
    {"ports", QT_TRANSLATE_NOOP("cli", "Lista as portas seriais: nome, descrição e id USB."), {kJson, kQuiet},
     QT_TRANSLATE_NOOP("cli", "lista as portas seriais"), ""},
    {"identify", QT_TRANSLATE_NOOP("cli", "Identifica o Vek: versão, id, tipo e se precisa de novo firmware."), {kPort, kJson, kQuiet},
     QT_TRANSLATE_NOOP("cli", "identifica o Vek na porta P"), "port"},
    {"read", QT_TRANSLATE_NOOP("cli", "Lê a configuração do Vek e a escreve em JSON. Um Vek com configuração inválida não é alterado."),
     {kPort, kOutput, kJson, kQuiet},
     QT_TRANSLATE_NOOP("cli", "lê a configuração do Vek (JSON)"), "port"},
    {"diff",
     QT_TRANSLATE_NOOP("cli", "Lê a configuração do Vek e a compara, campo a campo, com um arquivo. Sai com 0 quando são iguais, 1 quando "
     "diferem e 5 quando a configuração do Vek não pôde ser lida."),
     {kPort, kFile, kJson, kQuiet},
     QT_TRANSLATE_NOOP("cli", "compara, campo a campo, o Vek com um arquivo"), "port file"},
    {"validate", QT_TRANSLATE_NOOP("cli", "Confere um arquivo de configuração inteiro, como a gravação o conferiria, sem abrir porta alguma."),
     {kFile, kJson, kQuiet},
     QT_TRANSLATE_NOOP("cli", "confere um arquivo de configuração"), "file"},
    {"write",
     QT_TRANSLATE_NOOP("cli", "Valida uma configuração, guarda uma cópia do que o Vek tem, grava, lê de volta e compara byte a byte. "
     "Com --dry-run só diz o que mudaria."),
     {kPort, kFile, kPreset, kDryRun, kNoVerify, kNoBackup, kJson, kQuiet},
     QT_TRANSLATE_NOOP("cli", "guarda uma cópia, grava uma configuração e a confere"), "port (file | preset)"},
    {"flash", QT_TRANSLATE_NOOP("cli", "Atualiza o firmware quando o Vek precisa (com --force, sempre) e espera ele voltar."),
     {kPort, kForce, kNoBackup, kJson, kQuiet},
     QT_TRANSLATE_NOOP("cli", "atualiza o firmware quando preciso"), "port"},
    {"backups", QT_TRANSLATE_NOOP("cli", "Lista as cópias do que cada Vek guardava antes de a ferramenta alterá-lo, a mais nova primeiro."),
     {kUnit, kJson, kQuiet},
     QT_TRANSLATE_NOOP("cli", "lista as cópias do que cada Vek guardava"), ""},
    {"restore",
     QT_TRANSLATE_NOOP("cli", "Grava de volta no Vek os 2.032 bytes de uma cópia, depois de guardar o que ele tem agora, e confere. "
     "Pede confirmação (--yes num script)."),
     {kPort, kBackup, kYes, kAllowInvalid, kNoBackup, kJson, kQuiet},
     QT_TRANSLATE_NOOP("cli", "grava de volta uma cópia e a confere"), "port backup"},
    {"remote", QT_TRANSLATE_NOOP("cli", "Lista os comandos de configuração remota com seus códigos de conferência."),
     {kPort, kFile, kJson, kQuiet},
     QT_TRANSLATE_NOOP("cli", "lista os comandos de configuração remota"), "(port | file)"},
    {"station",
     QT_TRANSLATE_NOOP("cli", "Estação de produção: identifica, atualiza o firmware quando preciso, grava e confere a configuração de "
     "cada Vek conectado, vários ao mesmo tempo, e registra cada um. Ctrl+C encerra."),
     {kPreset, kFile, kPorts, kAll, kDb, kCount, kJson, kQuiet},
     QT_TRANSLATE_NOOP("cli", "estação de produção: vários Vek ao mesmo tempo"), "(preset | file)"},
    {"records", QT_TRANSLATE_NOOP("cli", "Lista os registros da estação de produção; só lê, nada envia nem altera. "
     "`records sync` envia ao servidor o que espera na fila local desta máquina."),
     {kDb, kSince, kCsv, kJson, kVerdict, kRunsOfUnit, kSummary, kQuiet},
     QT_TRANSLATE_NOOP("cli", "lista os registros da produção"), ""},
};

// Every command that opens a port can leave a trace of its frames.
bool talksToUnits(const QString& name) {
    static const char* const kTalksToUnits[] = {"identify", "read", "diff", "write", "flash", "restore", "remote", "station"};
    return std::any_of(std::begin(kTalksToUnits), std::end(kTalksToUnits), [&name](const char* c) { return name == QLatin1String(c); });
}

// What a command takes: its own options, --trace where it talks to units,
// and --help.
QList<QCommandLineOption> optionsOf(const CommandSpec& command) {
    QList<QCommandLineOption> options = command.options;
    if (talksToUnits(QLatin1String(command.name))) options << kTrace;
    return options << kHelp;
}

// A configuration is a few kilobytes; anything past this is no configuration
// and is refused before it is read whole (a device, a wrong file).
constexpr qint64 kMaxConfigBytes = 1024 * 1024;

// A number the write refuses comes back with the write's words and its
// range; the file's own literal is put beside them, shortened as the file's
// other messages are.
void quoteRefusedValue(config::FileError& error) {
    if (error.kind != config::FileError::Kind::Refused || error.value.empty()) return;
    constexpr std::size_t kQuotedMax = 60;
    const QString shown = error.value.size() <= kQuotedMax
                              ? QString::fromStdString(error.value)
                              : QString::fromStdString(error.value.substr(0, kQuotedMax)) +
                                    qs(texts::kShortened).arg(error.value.size());
    error.message = (qs(texts::kRefusedValue).arg(shown) + QString::fromStdString(error.message)).toStdString();
}

// Why a configuration file was not loaded.
struct LoadError {
    QString message;
    std::optional<config::FileError> error{};  // the document's fault, when it was read
};

// Loads a configuration file, all or nothing; `read` (when given) receives
// the bytes the form was made from.
std::variant<config::FormModel, LoadError> loadFile(const QString& path, QByteArray* read = nullptr) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return LoadError{qs(texts::kCannotReadFile).arg(path, file.errorString())};
    // A device or a pipe has no size to ask: at most one byte past the bound
    // is read to know it is too much.
    if (!file.isSequential() && file.size() > kMaxConfigBytes) return LoadError{qs(texts::kFileTooLarge).arg(path)};
    const QByteArray text = file.read(kMaxConfigBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return LoadError{qs(texts::kCannotReadFile).arg(path, file.errorString())};
    if (text.size() > kMaxConfigBytes) return LoadError{qs(texts::kFileTooLarge).arg(path)};
    auto loaded = config::fromJson(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    if (auto* error = std::get_if<config::FileError>(&loaded)) {
        quoteRefusedValue(*error);
        return LoadError{qs(texts::kBadFile).arg(path, QString::fromStdString(config::describe(*error))), *error};
    }
    if (read) *read = text;
    return std::get<config::FormModel>(loaded);
}

int listPorts(bool json) {
    const QList<link::PortInfo> ports = link::describePorts();
    if (json) {
        QJsonArray list;
        for (const link::PortInfo& p : ports) {
            QJsonObject o;
            o[QStringLiteral("name")] = p.name;
            o[QStringLiteral("path")] = p.path;
            o[QStringLiteral("description")] = p.description;
            o[QStringLiteral("manufacturer")] = p.manufacturer;
            o[QStringLiteral("usb")] = p.usbId().isEmpty() ? QJsonValue() : QJsonValue(p.usbId());
            list.append(o);
        }
        print(stdout, QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Indented)));
        return ExitOk;
    }
    if (ports.isEmpty()) print(stderr, qs(texts::kNoPorts) + '\n');
    for (const link::PortInfo& p : ports) {
        QString line = p.name;
        if (!p.description.isEmpty()) line += QStringLiteral("  ") + p.description;
        if (!p.usbId().isEmpty()) line += QStringLiteral("  [") + p.usbId() + QLatin1Char(']');
        print(stdout, line + '\n');
    }
    return ExitOk;
}

// The remote list; `outcome`: the unit it was read from.
int printRemote(const config::FormModel& form, bool json, const unit::Outcome* outcome, const QString& port = {}) {
    config::FormModel listed = form;
    const std::vector<std::string> lines = config::remoteCommands(listed);
    if (json) {
        QJsonObject o = outcome ? outcomeJson(*outcome, port, {}) : QJsonObject();
        QJsonArray commands;
        for (const std::string& line : lines) commands.append(qs(line));
        o[QStringLiteral("commands")] = commands;
        printJson(o);
        return ExitOk;
    }
    QString out = vek::translated(config::kRemoteHeading) + '\n';
    for (const std::string& line : lines) out += qs(line) + '\n';
    print(stdout, out);
    return ExitOk;
}

QJsonObject configurationJson(const config::FormModel& form) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(config::toJson(form))).object();
}

int deliverRead(const unit::Outcome& outcome, const QString& port, const QString& output, bool json, bool quiet) {
    QByteArray text = QByteArray::fromStdString(config::toJson(outcome.form));
    if (json) {
        QJsonObject o = outcomeJson(outcome, port, {});
        o[QStringLiteral("configuration")] = configurationJson(outcome.form);
        text = QJsonDocument(o).toJson(QJsonDocument::Indented);
    }
    if (output.isEmpty()) {
        std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout);
        std::fflush(stdout);
        return ExitOk;
    }
    QFile file(output);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size()) {
        print(stderr, qs(texts::kCannotWriteFile).arg(output, file.errorString()) + '\n');
        return ExitFailed;
    }
    if (!quiet) print(stderr, qs(texts::kSaved).arg(output) + '\n');
    return ExitOk;
}

// The fields where `unit` and `wanted` differ, as lines (`pattern` takes the
// label, the key, the unit's value and the wanted one) and for a script.
struct Comparison {
    QStringList lines;
    QJsonArray json;
};
Comparison compare(const config::FormModel& unit, const config::FormModel& wanted, const char* pattern) {
    Comparison c;
    for (const config::FieldDifference& d : config::differences(unit, wanted)) {
        c.lines << qs(pattern).arg(qs(d.label), qs(d.key), qs(d.left), qs(d.right));
        QJsonObject o;
        o[QStringLiteral("key")] = qs(d.key);
        o[QStringLiteral("label")] = qs(d.label);
        o[QStringLiteral("unit")] = qs(d.left);
        o[QStringLiteral("file")] = qs(d.right);
        c.json.append(o);
    }
    return c;
}

int deliverDiff(const unit::Outcome& outcome, const QString& port, const QString& path,
                const config::FormModel& file, const JobOptions& options) {
    const Comparison c = compare(outcome.form, file, texts::kDiffLine);
    if (options.json) {
        QJsonObject o = outcomeJson(outcome, port, {});
        o[QStringLiteral("file")] = path;
        o[QStringLiteral("same")] = c.lines.isEmpty();
        o[QStringLiteral("differences")] = c.json;
        printJson(o);
    } else if (!options.quiet) {
        for (const QString& line : c.lines) print(stdout, line + '\n');
        const QString summary =
            c.lines.isEmpty() ? qs(texts::kSame).arg(path) : qs(texts::kDiffCount).arg(c.lines.size()).arg(path);
        print(stderr, summary + '\n');
    }
    return c.lines.isEmpty() ? ExitOk : ExitFailed;
}

// write --dry-run: what the write would do to the unit just read.
std::optional<int> deliverDryRun(const unit::Outcome& outcome, const QString& port, const config::FormModel& form,
                                 const JobOptions& options) {
    const bool invalid = outcome.kind == unit::Kind::InvalidConfiguration;
    if (!outcome.ok() && !invalid) return std::nullopt;
    // The write itself would stop here: a unit that needs new firmware is
    // never written.
    const bool refused = unit::needsFirmware(outcome.unit);
    const Comparison c = invalid ? Comparison{} : compare(outcome.form, form, texts::kWouldChange);
    QString summary = invalid ? qs(texts::kWouldReplaceInvalid)
                      : c.lines.isEmpty() ? qs(texts::kWouldChangeNothing)
                                          : qs(texts::kWouldChangeCount).arg(c.lines.size());
    if (options.json) {
        QJsonObject o = outcomeJson(outcome, port, {});
        if (refused) o[QStringLiteral("outcome")] = unit::kindName(unit::Kind::NeedsFirmware);
        o[QStringLiteral("dryRun")] = true;
        o[QStringLiteral("replacesInvalid")] = invalid;
        o[QStringLiteral("changes")] = c.json;
        printJson(o);
    } else if (!options.quiet) {
        for (const QString& line : c.lines) print(stdout, line + '\n');
    }
    if (refused) {
        print(stderr, qs(texts::kNeedsFirmware) + '\n');
        return ExitFailed;
    }
    if (!options.quiet) print(stderr, summary + '\n');
    return ExitOk;
}
// The configuration a write or a station is given: a preset or a file
// (whose bytes go to `read` when given).
std::variant<config::FormModel, int> chosenForm(const QCommandLineParser& args, QByteArray* read = nullptr) {
    if (args.isSet(kFile) == args.isSet(kPreset)) return usageError(qs(texts::kFileOrPreset));
    config::FormModel form;
    if (args.isSet(kPreset)) {
        const QString preset = args.value(kPreset);
        if (preset == QLatin1String("default"))
            config::applyDefaults(form);
        else if (preset == QLatin1String("norvale"))
            config::applyNorvale(form);
        else
            return usageError(qs(texts::kUnknownPreset).arg(preset));
        return form;
    }
    auto loaded = loadFile(args.value(kFile), read);
    if (auto* error = std::get_if<LoadError>(&loaded)) return usageError(error->message);
    return std::get<config::FormModel>(loaded);
}

int station(const QCommandLineParser& args) {
    StationArgs station;
    auto form = chosenForm(args, &station.fileBytes);
    if (auto* code = std::get_if<int>(&form)) return *code;
    station.form = std::get<config::FormModel>(form);
    if (args.isSet(kPorts) && args.isSet(kAll)) return usageError(qs(texts::kPortsOrAll));
    station.ports = args.value(kPorts).split(QLatin1Char(','), Qt::SkipEmptyParts);
    bool ok = true;
    station.count = args.isSet(kCount) ? args.value(kCount).toInt(&ok) : 0;
    if (!ok || station.count < 0) return usageError(qs(texts::kBadCount).arg(args.value(kCount)));
    station.db = args.value(kDb);
    station.preset = args.value(kPreset);
    station.file = args.value(kFile);
    station.json = args.isSet(kJson);
    station.quiet = args.isSet(kQuiet);
    return runStation(station);
}

int validate(const QCommandLineParser& args, bool json, bool quiet) {
    if (!args.isSet(kFile)) return usageError(qs(texts::kNeedsFile));
    const QString path = args.value(kFile);
    auto loaded = loadFile(path);
    auto* error = std::get_if<LoadError>(&loaded);
    if (json) {
        QJsonObject o;
        o[QStringLiteral("file")] = path;
        o[QStringLiteral("valid")] = !error;
        if (error) {
            o[QStringLiteral("message")] = error->message;
            if (error->error) {
                if (error->error->line > 0) o[QStringLiteral("line")] = error->error->line;
                if (!error->error->field.empty()) o[QStringLiteral("field")] = qs(error->error->field);
            }
        }
        printJson(o);
    }
    if (error) {
        print(stderr, QStringLiteral("vektool-cli: %1\n").arg(error->message));
        return ExitUsage;
    }
    if (!quiet && !json) print(stdout, qs(texts::kValid).arg(path) + '\n');
    return ExitOk;
}

// All or part of an identifier, as "0BADF00D 12345678 00C0FFEE" or its
// digits ("C0FFEE" finds that unit), as records --unit takes it.
std::optional<QString> unitDigits(QString id) {
    id.remove(QLatin1Char(' '));
    if (id.isEmpty() || id.size() > 24) return std::nullopt;
    for (const QChar c : id)
        if (!c.isDigit() && !(c.toUpper() >= QLatin1Char('A') && c.toUpper() <= QLatin1Char('F'))) return std::nullopt;
    return id.toUpper();
}

int listBackups(const QCommandLineParser& args, bool json, bool quiet) {
    QString unitId;
    if (args.isSet(kUnit)) {
        const auto digits = unitDigits(args.value(kUnit));
        if (!digits) return usageError(qs(texts::kBadUnit).arg(args.value(kUnit)));
        unitId = *digits;
    }
    const unit::BackupStore store;
    const unit::BackupListing listed = store.listing();
    QList<unit::Backup> backups = listed.backups;
    backups.removeIf([&unitId](const unit::Backup& b) { return !b.unitDigits.contains(unitId); });
    QString warnings;
    for (const QString& why : listed.notMoved) warnings += qs(texts::kBackupNotSetAside).arg(why) + '\n';
    print(stderr, warnings);
    if (json) {
        QJsonArray list;
        for (const unit::Backup& b : backups) {
            QJsonObject o;
            o[QStringLiteral("unit")] = b.unitDigits;
            o[QStringLiteral("takenAt")] = b.takenAt.toUTC().toString(Qt::ISODateWithMs);
            o[QStringLiteral("firmware")] = b.firmware;
            o[QStringLiteral("valid")] = b.form.has_value();
            o[QStringLiteral("bytes")] = QFileInfo(b.path).size();
            o[QStringLiteral("path")] = b.path;
            list.append(o);
        }
        QJsonArray aside;
        for (const unit::SetAside& a : listed.setAside) {
            QJsonObject s;
            s[QStringLiteral("unit")] = a.unitDigits;
            s[QStringLiteral("folder")] = a.folder;
            s[QStringLiteral("files")] = a.count;
            aside.append(s);
        }
        QJsonObject o;
        o[QStringLiteral("folder")] = store.folder();
        o[QStringLiteral("backups")] = list;
        o[QStringLiteral("setAside")] = aside;
        printJson(o);
        return ExitOk;
    }
    if (backups.isEmpty() && !quiet)
        print(stderr, (unitId.isEmpty() ? qs(texts::kNoBackups).arg(store.folder())
                                        : qs(texts::kNoBackupsOf).arg(unitId, store.folder())) +
                          '\n');
    QString out;
    for (const unit::Backup& b : backups)
        out += qs(texts::kBackupLine)
                   .arg(b.takenAt.toUTC().toString(Qt::ISODate), b.unitDigits, b.firmware,
                        qs(b.form ? texts::kBackupValid : texts::kBackupInvalid))
                   .arg(QFileInfo(b.path).size())
                   .arg(b.path) +
               '\n';
    print(stdout, out);
    // Beside the list, not in it: a script reading the list sees backups only.
    QString aside;
    for (const unit::SetAside& a : listed.setAside) aside += qs(texts::kBackupsSetAside).arg(a.count).arg(a.folder) + '\n';
    if (!quiet) print(stderr, aside);
    return ExitOk;
}

bool stdinIsTerminal() {
#ifdef Q_OS_WIN
    return _isatty(_fileno(stdin)) != 0;
#else
    return isatty(STDIN_FILENO) != 0;
#endif
}

// The technician's yes before a backup replaces what a unit holds.
bool confirmed(const QString& port, const unit::Backup& backup) {
    print(stderr, qs(texts::kRestoreConfirm)
                      .arg(port, backup.path, backup.unitDigits, backup.takenAt.toUTC().toString(Qt::ISODate)));
    char answer[16] = {};
    if (!std::fgets(answer, sizeof answer, stdin)) return false;
    return answer[0] == 's' || answer[0] == 'S' || answer[0] == 'y' || answer[0] == 'Y';
}

// `records sync` rather than a listing.
bool recordsSync = false;

// Builds the job a command asks for, or answers at once (exit code).
std::variant<std::unique_ptr<UnitJob>, int> makeJob(const QString& command, const QCommandLineParser& args) {
    if (command == QLatin1String("station")) return station(args);
    if (command == QLatin1String("records")) {
        const RecordsArgs records{args.value(kDb), args.value(kSince), args.value(kVerdict), args.value(kRunsOfUnit),
                                  args.isSet(kCsv), args.isSet(kJson), args.isSet(kSummary), args.isSet(kQuiet)};
        return recordsSync ? syncRecords(records) : listRecords(records);
    }
    const bool json = args.isSet(kJson);
    const bool quiet = args.isSet(kQuiet);
    if (command == QLatin1String("ports")) return listPorts(json);
    if (command == QLatin1String("validate")) return validate(args, json, quiet);
    if (command == QLatin1String("backups")) return listBackups(args, json, quiet);
    const QString port = args.value(kPort);
    JobOptions options{.json = json, .quiet = quiet};
    if (command == QLatin1String("remote")) {
        if (args.isSet(kPort) == args.isSet(kFile)) return usageError(qs(texts::kPortOrFile));
        if (args.isSet(kFile)) {
            auto loaded = loadFile(args.value(kFile));
            if (auto* error = std::get_if<LoadError>(&loaded)) return usageError(error->message);
            return printRemote(std::get<config::FormModel>(loaded), json, nullptr);
        }
        return std::make_unique<UnitJob>(port, Command::Read, unit::Plan::readOnly(), options,
                                         [json, port](const unit::Outcome& outcome) -> std::optional<int> {
                                             if (!outcome.ok()) return std::nullopt;
                                             return printRemote(outcome.form, json, &outcome, port);
                                         });
    }
    if (port.isEmpty()) return usageError(qs(texts::kNeedsPort));
    if (command == QLatin1String("identify"))
        return std::make_unique<UnitJob>(port, Command::Identify, unit::Plan::identify(), options);
    if (command == QLatin1String("flash")) {
        // New firmware may not keep the configuration: what the unit holds
        // is kept first (only when firmware is about to go in).
        unit::Plan plan = unit::Plan::flash(args.isSet(kForce));
        plan.withoutCopy = args.isSet(kNoBackup);
        options.twoStepInterrupt = true;
        return std::make_unique<UnitJob>(port, Command::Flash, plan, options);
    }
    if (command == QLatin1String("read")) {
        const QString output = args.value(kOutput);
        return std::make_unique<UnitJob>(port, Command::Read, unit::Plan::readOnly(), options,
                                         [=](const unit::Outcome& outcome) -> std::optional<int> {
                                             if (!outcome.ok()) return std::nullopt;
                                             return deliverRead(outcome, port, output, json, quiet);
                                         });
    }
    if (command == QLatin1String("diff")) {
        if (!args.isSet(kFile)) return usageError(qs(texts::kNeedsFile));
        const QString path = args.value(kFile);
        auto loaded = loadFile(path);
        if (auto* error = std::get_if<LoadError>(&loaded)) return usageError(error->message);
        const config::FormModel file = std::get<config::FormModel>(loaded);
        return std::make_unique<UnitJob>(port, Command::Diff, unit::Plan::readOnly(), options,
                                         [=](const unit::Outcome& outcome) -> std::optional<int> {
                                             if (!outcome.ok()) return std::nullopt;
                                             return deliverDiff(outcome, port, path, file, options);
                                         });
    }
    if (command == QLatin1String("restore")) {
        if (!args.isSet(kBackup)) return usageError(qs(texts::kNeedsBackup));
        auto loaded = unit::BackupStore::load(args.value(kBackup));
        if (auto* error = std::get_if<QString>(&loaded)) return usageError(*error);
        const unit::Backup backup = std::get<unit::Backup>(loaded);
        if (!args.isSet(kYes)) {
            if (!stdinIsTerminal()) return usageError(qs(texts::kRestoreNeedsYes));
            if (!confirmed(port, backup)) {
                print(stderr, qs(texts::kRestoreDeclined) + '\n');
                return ExitFailed;
            }
        }
        unit::Plan plan = unit::Plan::writeImageOnly(backup.image, true);
        plan.withoutCopy = args.isSet(kNoBackup);
        plan.allowInvalid = args.isSet(kAllowInvalid);
        options.twoStepInterrupt = true;
        options.restoring = backup.path;
        options.restoringUnit = backup.unitDigits;
        return std::make_unique<UnitJob>(port, Command::Restore, plan, options);
    }
    // write
    auto chosen = chosenForm(args);
    if (auto* code = std::get_if<int>(&chosen)) return *code;
    const config::FormModel form = std::get<config::FormModel>(chosen);
    if (args.isSet(kDryRun)) {
        if (args.isSet(kNoVerify)) return usageError(qs(texts::kDryRunOnlyWrites));
        return std::make_unique<UnitJob>(port, Command::Read, unit::Plan::readOnly(), options,
                                         [=](const unit::Outcome& outcome) {
                                             return deliverDryRun(outcome, port, form, options);
                                         });
    }
    unit::Plan plan = unit::Plan::writeOnly(form, !args.isSet(kNoVerify));
    plan.withoutCopy = args.isSet(kNoBackup);
    options.twoStepInterrupt = true;
    return std::make_unique<UnitJob>(port, Command::Write, plan, options);
}


// --- the reference ------------------------------------------------------------

QString said(const char* source) { return QCoreApplication::translate("cli", source); }
QString said(const QString& source) { return said(source.toUtf8().constData()); }

QString longName(const QCommandLineOption& o) { return o.names().last(); }

QString shownOption(const QCommandLineOption& o, QChar glue = QLatin1Char(' ')) {
    QString out = QStringLiteral("--") + longName(o);
    if (!o.valueName().isEmpty()) out += glue + said(o.valueName());
    return out;
}

// A command's arguments as the usage and the synopsis show them: what it
// needs, then every other option in brackets. `error` names an option its
// needs mention that it does not take.
// `glue` joins an option to its value.
QString commandUsage(const CommandSpec& command, QString* error = nullptr, QChar glue = QLatin1Char(' ')) {
    const QList<QCommandLineOption> options = optionsOf(command);
    QStringList words, needed;
    for (const QString& word : QString::fromLatin1(command.needs).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        QString name = word;
        name.remove(QLatin1Char('(')).remove(QLatin1Char(')'));
        if (name == QLatin1String("|")) {
            words << word;
            continue;
        }
        const auto o = std::find_if(options.begin(), options.end(), [&](const QCommandLineOption& x) { return longName(x) == name; });
        if (o == options.end()) {
            if (error) *error = qs(texts::kRefUnknownInForm).arg(QLatin1String(command.name), name);
            continue;
        }
        needed << name;
        words << QString(word).replace(name, QStringLiteral("--") + shownOption(*o, glue).mid(2));
    }
    for (const QCommandLineOption& o : options)
        if (!needed.contains(longName(o)) && o.names() != kHelp.names())
            words << QLatin1Char('[') + shownOption(o, glue) + QLatin1Char(']');
    return words.join(QLatin1Char(' '));
}

// vektool-cli --help: one line a command, from the table, between the
// usage's head and tail.
QString usage() {
    constexpr qsizetype kBriefColumn = 41;
    QString out = qs(texts::kUsageHead);
    // An option and its value stay on one line.
    constexpr QChar kGlue(0xA0);
    for (const CommandSpec& c : kCommands) {
        const QString left = QStringLiteral("  ") + QLatin1String(c.name) + QLatin1Char(' ') + commandUsage(c, nullptr, kGlue);
        if (left.size() + 1 < kBriefColumn)
            out += left.leftJustified(kBriefColumn) + said(c.brief) + QLatin1Char('\n');
        else
            out += QStringLiteral("  ") + wrapped(left, kHelpWidth, QString(4, QLatin1Char(' '))) + QLatin1Char('\n') +
                   QString(kBriefColumn, QLatin1Char(' ')) + said(c.brief) + QLatin1Char('\n');
    }
    out.replace(kGlue, QLatin1Char(' '));
    return out + qs(texts::kUsageTail);
}

// The commands and options as the reference shows them, in the chosen
// language; `missing` gathers the texts that have no description or, in
// English, no translation.
reference::Program referenceProgram(QStringList& missing) {
    const bool english = currentLanguage() == Language::English;
    const auto check = [&](const QString& what, const char* source) {
        if (!source || !*source)
            missing << qs(texts::kRefNoDescription).arg(what);
        else if (english && said(source) == QString::fromUtf8(source))
            missing << qs(texts::kRefNoEnglish).arg(what, QString::fromUtf8(source));
    };
    reference::Program program;
    program.name = QStringLiteral("vektool-cli");
    const update::Release& r = update::toolVersion;
    program.version = QStringLiteral("%1.%2.%3").arg(r.major).arg(r.minor).arg(QChar(r.revision));
    program.usages << QStringLiteral("--help | --version");
    QStringList all;
    for (const CommandSpec& c : kCommands) all << QLatin1String(c.name);
    const auto add = [&](const QCommandLineOption& o, const QString& command) {
        const QByteArray description = o.description().toUtf8();
        for (reference::Option& known : program.options)
            if (known.names == o.names() && known.description == said(description.constData())) {
                if (!command.isEmpty()) known.commands << command;
                return;
            }
        check(QStringLiteral("--") + longName(o), description.constData());
        program.options << reference::Option{o.names(), o.valueName().isEmpty() ? QString() : said(o.valueName()),
                                             said(description.constData()), command.isEmpty() ? QStringList() : QStringList{command}};
    };
    for (const CommandSpec& c : kCommands) {
        QString error;
        program.commands << reference::Command{QLatin1String(c.name), commandUsage(c, &error), said(c.summary)};
        if (!error.isEmpty()) missing << error;
        check(QLatin1String(c.name), c.summary);
        check(QLatin1String(c.name), c.brief);
        for (const QCommandLineOption& o : optionsOf(c)) add(o, QLatin1String(c.name));
    }
    add(kLang, {});
    program.options.last().commands = all;
    add(kVersion, {});
    return program;
}

reference::Words referenceWords() {
    return {qs(texts::kRefSynopsis), qs(texts::kRefCommands), qs(texts::kRefOptions), qs(texts::kRefCommand),
            qs(texts::kRefWhatItDoes), qs(texts::kRefOption),   qs(texts::kRefTakenBy), qs(texts::kRefMeaning),
            qs(texts::kRefEveryCommand)};
}

// vektool-cli --reference=man|markdown [PAGE]: the manual page or the
// Markdown reference, the hand-written PAGE (docs/reference/) around what the
// tables say; --reference=check only checks the tables. A text with no
// description, or in English no translation, fails both, so that the build
// that makes the manual pages stops there.
int printReference(const QStringList& arguments) {
    QString format = arguments[1].mid(QStringLiteral("--reference").size());
    qsizetype next = 2;
    if (format.startsWith(QLatin1Char('=')))
        format.remove(0, 1);
    else if (format.isEmpty() && arguments.size() > 2)
        format = arguments[next++];
    else
        return usageError(qs(texts::kRefBadFormat).arg(arguments[1]));
    if (format != QLatin1String("man") && format != QLatin1String("markdown") && format != QLatin1String("check"))
        return usageError(qs(texts::kRefBadFormat).arg(format));
    QStringList missing;
    const reference::Program program = referenceProgram(missing);
    if (!missing.isEmpty()) {
        for (const QString& m : missing) print(stderr, QStringLiteral("vektool-cli: %1\n").arg(m));
        return ExitFailed;
    }
    if (format == QLatin1String("check")) return ExitOk;
    QString page;
    if (next < arguments.size()) {
        QFile file(arguments[next]);
        if (!file.open(QIODevice::ReadOnly)) return usageError(qs(texts::kCannotReadFile).arg(arguments[next], file.errorString()));
        page = QString::fromUtf8(file.readAll());
    }
    const reference::Rendered made =
        reference::render(format == QLatin1String("man") ? reference::Format::Man : reference::Format::Markdown, program,
                          referenceWords(), page);
    if (!made.error.isEmpty()) return usageError(QStringLiteral("%1: %2").arg(arguments.value(next), made.error));
    print(stdout, made.text);
    return ExitOk;
}
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
#ifdef SIGPIPE
    // A reader that went away (| head) ends the output, not the command:
    // a unit half-way through a write or the station's records go on.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    // The window and the command line share one data folder (the records,
    // the backups).
    QCoreApplication::setApplicationName(QStringLiteral("VekTool"));
    QStringList arguments = QCoreApplication::arguments();
    const LanguageChoice language = chooseLanguage(arguments);
    useLanguage(language.language);
    if (language.missingValue) return usageError(qs(texts::kOptionNeedsValue).arg(QStringLiteral("--lang"), QStringLiteral("pt|en")));
    if (!language.wrongValue.isEmpty()) return usageError(qs(texts::kBadLanguage).arg(language.wrongValue));

    if (arguments.size() < 2 || arguments[1] == QLatin1String("--help") || arguments[1] == QLatin1String("-h")) {
        print(arguments.size() < 2 ? stderr : stdout, usage());
        return arguments.size() < 2 ? ExitUsage : ExitOk;
    }
    if (arguments[1].startsWith(QLatin1String("--reference"))) return printReference(arguments);
    if (arguments[1] == QLatin1String("--version")) {
        print(stdout, toolVersion() + '\n');
        return ExitOk;
    }
    const QString name = arguments[1];
    // `records sync`: the one command word with a second word.
    if (name == QLatin1String("records") && arguments.size() > 2 && arguments[2] == QLatin1String("sync")) {
        recordsSync = true;
        arguments.removeAt(2);
    }
    const CommandSpec* command = nullptr;
    for (const CommandSpec& c : kCommands)
        if (name == QLatin1String(c.name)) command = &c;
    if (!command) {
        usageError(qs(texts::kUnknownCommand).arg(name));
        print(stderr, usage());
        return ExitUsage;
    }

    const QList<QCommandLineOption> options = optionsOf(*command);
    // Checked in our words first, so that the parser meets nothing it would
    // refuse in its own (English) ones.
    if (const QString error = argumentError(arguments.mid(2), options); !error.isEmpty()) {
        usageError(error);
        print(stderr, qs(texts::kSeeHelp).arg(name));
        return ExitUsage;
    }
    QCommandLineParser args;
    args.addOptions(options);
    if (!args.parse(arguments.mid(1))) return usageError(args.errorText());
    if (args.isSet(kHelp)) {
        print(stdout, commandHelp(name, QCoreApplication::translate("cli", command->summary), options));
        return ExitOk;
    }

    const auto offers = [command](const QCommandLineOption& option) {
        return std::any_of(command->options.begin(), command->options.end(),
                           [&option](const QCommandLineOption& o) { return o.names() == option.names(); });
    };
    jsonOutput = offers(kJson) && args.isSet(kJson);
    // Opened before the job, so that its first frame is in it; it outlives
    // the event loop, so that its last is too.
    std::unique_ptr<link::SerialTrace> trace;
    if (talksToUnits(name) && args.isSet(kTrace)) {
        trace = std::make_unique<link::SerialTrace>();
        if (const QString error = trace->open(args.value(kTrace)); !error.isEmpty())
            return usageError(qs(texts::kCannotTrace).arg(args.value(kTrace), error));
        link::SerialTrace::setActive(trace.get());
    }
    auto made = makeJob(name, args);
    if (auto* code = std::get_if<int>(&made)) return *code;
    auto job = std::move(std::get<std::unique_ptr<UnitJob>>(made));
    QObject::connect(job.get(), &UnitJob::done, &app, [](int code) { QCoreApplication::exit(code); },
                     Qt::QueuedConnection);
    QTimer::singleShot(0, job.get(), [&job] { job->start(); });
    return app.exec();
}
