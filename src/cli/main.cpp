// vektool-cli: the unit controller without a window, for scripts and
// production lines. Every command opens its port, waits for the unit's
// announcement and takes its steps on the controller's signals.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <variant>

#include "cli/cli_texts.h"
#include "cli/station_command.h"
#include "cli/unit_job.h"
#include "config/config_file.h"
#include "config/config_image.h"
#include "link/port_info.h"
#include "update/core/version_record.h"

namespace {

using namespace vek;
using namespace vek::cli;

QString qs(const char* text) { return QString::fromUtf8(text); }

void print(std::FILE* out, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), out);
    std::fflush(out);
}

int usageError(const QString& message) {
    print(stderr, QStringLiteral("vektool-cli: %1\n").arg(message));
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
};

const QCommandLineOption kPort({"p", "port"}, "porta serial (nome ou caminho)", "P");
const QCommandLineOption kJson("json", "saída em JSON");
const QCommandLineOption kOutput({"o", "output"}, "grava em ARQ em vez da saída padrão", "ARQ");
const QCommandLineOption kFile({"f", "file"}, "arquivo de configuração (JSON)", "ARQ");
const QCommandLineOption kPreset("preset", "configuração pronta: default ou norvale", "NOME");
const QCommandLineOption kNoVerify("no-verify", "não lê de volta para conferir");
const QCommandLineOption kForce("force", "atualiza mesmo um Vek já atualizado");
const QCommandLineOption kPorts("ports", "portas a vigiar, separadas por vírgula", "P1,P2");
const QCommandLineOption kAll("all", "vigia toda porta que aparecer (o padrão)");
const QCommandLineOption kDb("db", "banco dos registros: postgresql://usuário@máquina:porta/banco", "URL");
const QCommandLineOption kCount("count", "para depois de N unidades", "N");
const QCommandLineOption kSince("since", "registros a partir de DATA (AAAA-MM-DD)", "DATA");
const QCommandLineOption kCsv("csv", "saída em CSV (UTF-8, uma linha por execução)");
const QCommandLineOption kVerdict("verdict", "só execuções com este veredito: passed, failed, interrupted, running",
                                  "V");
const QCommandLineOption kUnit("unit", "só o Vek com este Id (ou parte dele)", "ID");
const QCommandLineOption kSummary("summary", "unidades por último veredito e motivos de falha");

const CommandSpec kCommands[] = {
    {"ports", "Lista as portas seriais: nome, descrição e id USB.", {kJson}},
    {"identify", "Identifica o Vek: versão, id, tipo e se precisa de novo firmware.", {kPort, kJson}},
    {"read", "Lê a configuração do Vek e a escreve em JSON. Um Vek com configuração inválida não é alterado.",
     {kPort, kOutput, kJson}},
    {"write", "Valida e grava uma configuração, lê de volta e compara byte a byte.",
     {kPort, kFile, kPreset, kNoVerify, kJson}},
    {"flash", "Atualiza o firmware quando o Vek precisa (com --force, sempre) e espera ele voltar.",
     {kPort, kForce, kJson}},
    {"remote", "Lista os comandos de configuração remota com seus códigos de conferência.", {kPort, kFile}},
    {"station",
     "Estação de produção: identifica, atualiza o firmware quando preciso, grava e confere a configuração de "
     "cada Vek conectado, vários ao mesmo tempo, e registra cada um. Ctrl+C encerra.",
     {kPreset, kFile, kPorts, kAll, kDb, kCount, kJson}},
    {"records", "Lista os registros da estação de produção.", {kDb, kSince, kCsv, kJson, kVerdict, kUnit, kSummary}},
};

// Loads a configuration file, all or nothing.
std::variant<config::FormModel, QString> loadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return qs(texts::kCannotReadFile).arg(path, file.errorString());
    const QByteArray text = file.readAll();
    auto loaded = config::fromJson(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    if (auto* error = std::get_if<config::FileError>(&loaded))
        return qs(texts::kBadFile).arg(path, QString::fromStdString(config::describe(*error)));
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

int printRemote(const config::FormModel& form) {
    config::FormModel listed = form;
    QString out = QString::fromUtf8(config::kRemoteHeading) + '\n';
    for (const std::string& line : config::remoteCommands(listed)) out += QString::fromStdString(line) + '\n';
    print(stdout, out);
    return ExitOk;
}

int deliverRead(const unit::Outcome& outcome, const QString& output, bool json) {
    const config::FormModel& form = outcome.form;
    const unit::Identification& unit = outcome.unit;
    QByteArray text = QByteArray::fromStdString(config::toJson(form));
    if (json) {
        QJsonObject o;
        o[QStringLiteral("outcome")] = unit::kindName(outcome.kind);
        o[QStringLiteral("version")] = unit::versionText(unit.version);
        o[QStringLiteral("id")] = unit::idText(unit.id);
        o[QStringLiteral("type")] = unit.version.a;
        o[QStringLiteral("configuration")] = QJsonDocument::fromJson(text).object();
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
    print(stderr, qs(texts::kSaved).arg(output) + '\n');
    return ExitOk;
}

// The configuration a write or a station is given: a preset or a file.
std::variant<config::FormModel, int> chosenForm(const QCommandLineParser& args) {
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
    auto loaded = loadFile(args.value(kFile));
    if (auto* error = std::get_if<QString>(&loaded)) return usageError(*error);
    return std::get<config::FormModel>(loaded);
}

int station(const QCommandLineParser& args) {
    auto form = chosenForm(args);
    if (auto* code = std::get_if<int>(&form)) return *code;
    StationArgs station;
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
    return runStation(station);
}

// Builds the job a command asks for, or answers at once (exit code).
std::variant<std::unique_ptr<UnitJob>, int> makeJob(const QString& command, const QCommandLineParser& args) {
    if (command == QLatin1String("ports")) return listPorts(args.isSet(kJson));
    if (command == QLatin1String("station")) return station(args);
    if (command == QLatin1String("records"))
        return listRecords({args.value(kDb), args.value(kSince), args.value(kVerdict), args.value(kUnit),
                            args.isSet(kCsv), args.isSet(kJson), args.isSet(kSummary)});
    const QString port = args.value(kPort);
    if (command == QLatin1String("remote")) {
        if (args.isSet(kPort) == args.isSet(kFile)) return usageError(qs(texts::kPortOrFile));
        if (args.isSet(kFile)) {
            auto loaded = loadFile(args.value(kFile));
            if (auto* error = std::get_if<QString>(&loaded)) return usageError(*error);
            return printRemote(std::get<config::FormModel>(loaded));
        }
        return std::make_unique<UnitJob>(port, Command::Read, unit::Plan::readOnly(), false,
                                         [](const unit::Outcome& outcome) { return printRemote(outcome.form); });
    }
    if (port.isEmpty()) return usageError(qs(texts::kNeedsPort));
    const bool json = args.isSet(kJson);
    if (command == QLatin1String("identify"))
        return std::make_unique<UnitJob>(port, Command::Identify, unit::Plan::identify(), json);
    if (command == QLatin1String("flash"))
        return std::make_unique<UnitJob>(port, Command::Flash, unit::Plan::flash(args.isSet(kForce)), json);
    if (command == QLatin1String("read")) {
        const QString output = args.value(kOutput);
        return std::make_unique<UnitJob>(port, Command::Read, unit::Plan::readOnly(), json,
                                         [output, json](const unit::Outcome& outcome) {
                                             return deliverRead(outcome, output, json);
                                         });
    }
    // write
    auto form = chosenForm(args);
    if (auto* code = std::get_if<int>(&form)) return *code;
    return std::make_unique<UnitJob>(
        port, Command::Write, unit::Plan::writeOnly(std::get<config::FormModel>(form), !args.isSet(kNoVerify)), json);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // The window and the command line share one data folder (the records).
    QCoreApplication::setApplicationName(QStringLiteral("VekTool"));
    const QStringList arguments = QCoreApplication::arguments();

    if (arguments.size() < 2 || arguments[1] == QLatin1String("--help") || arguments[1] == QLatin1String("-h")) {
        print(arguments.size() < 2 ? stderr : stdout, qs(texts::kUsage));
        return arguments.size() < 2 ? ExitUsage : ExitOk;
    }
    if (arguments[1] == QLatin1String("--version")) {
        print(stdout, toolVersion() + '\n');
        return ExitOk;
    }
    const QString name = arguments[1];
    const CommandSpec* command = nullptr;
    for (const CommandSpec& c : kCommands)
        if (name == QLatin1String(c.name)) command = &c;
    if (!command) {
        usageError(qs(texts::kUnknownCommand).arg(name));
        print(stderr, qs(texts::kUsage));
        return ExitUsage;
    }

    QCommandLineParser args;
    args.setApplicationDescription(QString::fromUtf8(command->summary));
    args.addOptions(command->options);
    const QCommandLineOption help({"h", "help"}, "mostra esta ajuda");
    args.addOption(help);
    QStringList rest = arguments.mid(1);
    rest[0] = arguments[0] + QLatin1Char(' ') + name;  // "vektool-cli read" in the help's first line
    if (!args.parse(rest)) return usageError(args.errorText());
    if (args.isSet(help)) {
        print(stdout, args.helpText());
        return ExitOk;
    }
    if (!args.positionalArguments().isEmpty())
        return usageError(qs(texts::kUnknownCommand).arg(args.positionalArguments().join(' ')));

    auto made = makeJob(name, args);
    if (auto* code = std::get_if<int>(&made)) return *code;
    auto job = std::move(std::get<std::unique_ptr<UnitJob>>(made));
    QObject::connect(job.get(), &UnitJob::done, &app, [](int code) { QCoreApplication::exit(code); },
                     Qt::QueuedConnection);
    QTimer::singleShot(0, job.get(), [&job] { job->start(); });
    return app.exec();
}
