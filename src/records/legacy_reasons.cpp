#include "records/legacy_reasons.h"

#include <QRegularExpression>
#include <vector>

namespace vek::records {

namespace {

// The steps a station row showed, which the old sentences quote, and the
// operation each stands for.
struct Step {
    const char* portuguese;
    const char* english;
    const char* operation;
};
constexpr Step kSteps[] = {
    {"atualizando firmware", "updating firmware", "firmware"},
    {"gravando configuração", "writing configuration", "write"},
    {"conferindo", "checking", "verify"},
    {"guardando cópia do Vek", "keeping a copy of the Vek", "read"},
};

// One sentence as a station wrote it: %1… are its values, named in order
// by `keys` ("step" is a station step, turned into its operation).
struct Known {
    const char* kind;
    const char* portuguese;
    const char* english;
    std::vector<const char*> keys;
    const char* by = nullptr;  // interrupted: who stopped it
};

const std::vector<Known>& known() {
    static const std::vector<Known> table = {
        {"port-lost", "o Vek foi desconectado durante: %1", "the Vek was disconnected during: %1", {"step"}},
        {"timeout", "o Vek parou de responder durante: %1", "the Vek stopped answering during: %1", {"step"}},
        {"operation-mode", "o Vek está em modo de operação", "the Vek is in operation mode", {}},
        {"discontinued", "versão de Vek descontinuada (tipo %1)", "discontinued Vek version (type %1)", {"type"}},
        {"type-left-alone", "tipo de Vek não atendido por esta ferramenta (%1)", "Vek type not served by this tool (%1)",
         {"type"}},
        {"needs-firmware", "o Vek precisa de novo firmware antes de ser configurado",
         "the Vek needs new firmware before it can be configured", {}},
        {"firmware-not-taken", "o novo firmware não foi aceito: o Vek voltou com a versão %1",
         "the new firmware was not taken: the Vek came back with version %1", {"version"}},
        {"did-not-return", "o Vek não voltou a se identificar depois do novo firmware",
         "the Vek did not identify itself again after the new firmware", {}},
        {"other-unit-returned", "outro Vek voltou na porta (Id: %1) depois do novo firmware",
         "another Vek came back on the port (Id: %1) after the new firmware", {"returned"}},
        {"invalid-configuration", "o Vek guarda uma configuração inválida", "the Vek holds an invalid configuration", {}},
        {"refused", "a configuração da estação foi recusada: %1", "the station's configuration was refused: %1", {"text"}},
        {"read-back-differs",
         "a configuração lida de volta difere da gravada a partir do byte %1 (gravado 0x%2, lido 0x%3)",
         "the configuration read back differs from the one written from byte %1 on (written 0x%2, read 0x%3)",
         {"offset", "wrote", "read"}},
        {"duplicate-id", "identificador repetido: o mesmo Id está na porta %1",
         "repeated identifier: the same Id is on port %1", {"otherPort"}},
        {"not-recorded", "o registro não pôde ser gravado, o Vek não foi alterado: %1",
         "the record could not be written, the Vek was not changed: %1", {"why"}},
        {"copy-not-kept", "o que o Vek guardava não pôde ser registrado (%1): nada foi alterado no Vek",
         "what the Vek held could not be recorded (%1): nothing was changed on the Vek", {"why"}},
        {"interrupted", "estação encerrada pelo operador", "station stopped by the operator", {}, words::kByOperator},
        {"interrupted", "interrompido", "interrupted", {}, words::kByOperator},
        {"interrupted", "Interrompida: a estação parou antes do fim da execução.",
         "Interrupted: the station stopped before the end of the run.", {}, words::kByStationGone},
    };
    return table;
}

QRegularExpression patternOf(const char* text) {
    QString pattern = QRegularExpression::escape(QString::fromUtf8(text));
    // escape() turns "%1" into "\%1" or leaves it: either way, a group.
    static const QRegularExpression placeholder(QStringLiteral(R"(\\?%\d)"));
    pattern.replace(placeholder, QStringLiteral("(.*)"));
    return QRegularExpression(QStringLiteral("\\A") + pattern + QStringLiteral("\\z"),
                              QRegularExpression::DotMatchesEverythingOption);
}

void put(words::Failure& f, const QString& key, const QString& value) {
    if (key == QLatin1String("step")) {
        for (const Step& s : kSteps)
            if (value == QString::fromUtf8(s.portuguese) || value == QLatin1String(s.english))
                f.values[QLatin1String(words::key::kOperation)] = QLatin1String(s.operation);
        return;
    }
    if (key == QLatin1String("type") || key == QLatin1String("offset")) {
        bool ok = false;
        const qint64 n = value.toLongLong(&ok);
        if (ok) f.values[key] = n;
        return;
    }
    if (key == QLatin1String("wrote") || key == QLatin1String("read")) {
        bool ok = false;
        const int n = value.toInt(&ok, 16);
        if (ok) f.values[key] = n;
        return;
    }
    f.values[key] = value;
    // A refusal quoted its box: "Parâmetro inválido!\r\n[Velocidade]…".
    if (f.kind == QLatin1String("refused") && key == QLatin1String("text")) {
        static const QRegularExpression bracketed(QStringLiteral(R"(\[([^\]]*)\])"));
        if (const QRegularExpressionMatch m = bracketed.match(value); m.hasMatch())
            f.values[QLatin1String(words::key::kField)] = m.captured(1);
    }
}

}  // namespace

words::Failure failureOfSentence(const QString& sentence) {
    struct Compiled {
        const Known* known;
        QRegularExpression pattern;
    };
    static const std::vector<Compiled> patterns = [] {
        std::vector<Compiled> out;
        for (const Known& k : known())
            for (const char* text : {k.portuguese, k.english}) out.push_back({&k, patternOf(text)});
        return out;
    }();
    for (const auto& [known, pattern] : patterns) {
        const Known& k = *known;
        {
            const QRegularExpressionMatch m = pattern.match(sentence);
            if (!m.hasMatch()) continue;
            words::Failure f{QLatin1String(k.kind), {}};
            for (std::size_t i = 0; i < k.keys.size(); ++i)
                put(f, QLatin1String(k.keys[i]), m.captured(static_cast<int>(i) + 1));
            if (k.by) f.values[QLatin1String(words::key::kBy)] = QLatin1String(k.by);
            return f;
        }
    }
    return {QLatin1String(words::kOther), {{QLatin1String(words::key::kText), sentence}}};
}

}  // namespace vek::records
