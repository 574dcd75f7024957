// Every failure kind in every language and for every reader: the words carry
// every value of the failure, English is not the Portuguese source, and the
// next step is there where a person has something to do. The views (status
// line, command line, station row, records) all word a failure through here.

#include <gtest/gtest.h>

#include <QJsonArray>

#include "session/outcome.h"
#include "text/language.h"
#include "words/failure.h"
#include "words/words.h"

namespace {

using namespace vek;
using session::Kind;
using session::Operation;

struct Case {
    const char* name;
    session::Outcome outcome;
    bool hasNextStep;
};

session::Outcome make(Kind kind, Operation op = Operation::None) {
    session::Outcome o;
    o.kind = kind;
    o.operation = op;
    o.unit.id = {0x0BADF00D, 0x12345678, 0x00C0FFEE};
    o.unit.version = {7, 0, 2, 41};
    return o;
}

std::vector<Case> cases() {
    std::vector<Case> out;
    auto add = [&](const char* name, session::Outcome o, bool next) { out.push_back({name, std::move(o), next}); };
    add("no-unit", make(Kind::NoUnit), true);
    for (Operation op : {Operation::Firmware, Operation::Write, Operation::Read, Operation::Verify}) {
        for (Kind kind : {Kind::PortLost, Kind::Timeout, Kind::Interrupted}) {
            session::Outcome o = make(kind, op);
            o.counters = {3, 5, 7, 11};
            add("cut", o, true);
        }
    }
    add("port-lost between steps", make(Kind::PortLost), true);
    add("operation-mode", make(Kind::OperationMode), true);
    add("type-left-alone", make(Kind::TypeLeftAlone), false);
    add("discontinued", make(Kind::Discontinued), true);
    add("needs-firmware", make(Kind::NeedsFirmware), true);
    session::Outcome notTaken = make(Kind::FirmwareNotTaken);
    notTaken.versionAfter = protocol::Version{4, 0, 1, 33};
    add("firmware-not-taken", notTaken, true);
    add("did-not-return", make(Kind::DidNotReturn), true);
    session::Outcome other = make(Kind::OtherUnitReturned);
    other.returned = protocol::UnitId{0xDEADBEEF, 0x00000001, 0x00000002};
    add("other-unit-returned", other, true);
    add("invalid-configuration", make(Kind::InvalidConfiguration), true);
    session::Outcome refused = make(Kind::Refused, Operation::Write);
    refused.fault = config::Fault{config::RBGL, "Rotação max. Banguela", "1001"};
    add("refused", refused, true);
    session::Outcome differs = make(Kind::ReadBackDiffers, Operation::Verify);
    differs.mismatchAt = 1234;
    differs.wroteByte = 0xA5;
    differs.readByte = 0x0F;
    add("read-back-differs", differs, true);
    add("busy", make(Kind::Busy), true);
    add("other-unit", make(Kind::OtherUnit), true);
    add("not-identified", make(Kind::NotIdentified), true);
    session::Outcome copy = make(Kind::CopyNotKept);
    copy.copy = session::Copy{session::Copy::State::NotKept, "/backups/0BADF00D", "disco cheio"};
    add("copy-not-kept", copy, true);
    add("invalid-copy", make(Kind::InvalidCopy), true);
    return out;
}

// A value as words show it: numbers as numbers, bytes in hex.
QStringList shownValues(const words::Failure& f) {
    QStringList out;
    for (auto it = f.values.begin(); it != f.values.end(); ++it) {
        if (it.key() == QLatin1String(words::key::kPort) || it.key() == QLatin1String(words::key::kOperation)) continue;
        if (it.key() == QLatin1String(words::key::kField)) continue;  // worded as the field's name
        if (it.key() == QLatin1String(words::key::kWrote) || it.key() == QLatin1String(words::key::kRead)) {
            out << QStringLiteral("%1").arg(it.value().toInt(), 2, 16, QLatin1Char('0')).toUpper();
            continue;
        }
        out << (it.value().isDouble() ? QString::number(it.value().toInteger()) : it.value().toString());
    }
    return out;
}

class WordsTest : public ::testing::Test {
protected:
    void TearDown() override { useLanguage(Language::Portuguese); }
};

TEST_F(WordsTest, EveryKindInEveryLanguageCarriesItsValuesAndItsNextStep) {
    int checked = 0;
    for (const Case& c : cases()) {
        const words::Failure f = words::failureOf(c.outcome, QStringLiteral("/dev/ttyACM3"));
        ASSERT_FALSE(f.empty()) << c.name;
        EXPECT_EQ(f.values.value(QLatin1String(words::key::kPort)).toString(), QStringLiteral("/dev/ttyACM3"));
        QString portuguese[2];
        for (Language language : {Language::Portuguese, Language::English}) {
            useLanguage(language);
            for (words::Reader reader : {words::Reader::Person, words::Reader::CommandLine}) {
                const QString sentence = words::sentence(f, reader);
                const QString next = words::nextStep(f, reader);
                SCOPED_TRACE(std::string(c.name) + " / " + sentence.toStdString());
                EXPECT_FALSE(words::cause(f).isEmpty());
                for (const QString& value : shownValues(f)) {
                    EXPECT_TRUE(sentence.contains(value)) << value.toStdString();
                }
                EXPECT_EQ(!next.isEmpty(), c.hasNextStep);
                if (!next.isEmpty()) {
                    EXPECT_TRUE(sentence.contains(next));
                }
                if (language == Language::Portuguese) {
                    EXPECT_NE(words::title(f.kind), f.kind) << "a title in words, not the key";
                }
                const int r = reader == words::Reader::Person ? 0 : 1;
                if (language == Language::Portuguese) {
                    portuguese[r] = sentence;
                } else {
                    EXPECT_NE(sentence, portuguese[r]) << "English left as the Portuguese source";
                }
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 40);
}

TEST_F(WordsTest, ACutSaysWhatTheUnitIsLeftWith) {
    // The words a line operator acts on: which operation was cut decides.
    const struct {
        Operation op;
        const char* needs;
    } table[] = {
        {Operation::Firmware, "o Vek ficou no carregador: conecte de novo para gravar o firmware"},
        {Operation::Write, "a configuração do Vek ficou incompleta"},
        {Operation::Verify, "a gravação não foi confirmada"},
        {Operation::Read, "conecte de novo para ler a configuração"},
    };
    for (const auto& row : table) {
        for (Kind kind : {Kind::PortLost, Kind::Timeout, Kind::Interrupted}) {
            const QString s = words::sentence(words::failureOf(make(kind, row.op)));
            EXPECT_TRUE(s.contains(QString::fromUtf8(row.needs))) << s.toStdString();
        }
    }
    // A stop by the station's operator says so, and what the unit needs.
    words::Failure stopped = words::failureOf(make(Kind::Interrupted, Operation::Firmware));
    stopped.values[QLatin1String(words::key::kBy)] = QLatin1String(words::kByOperator);
    EXPECT_EQ(words::sentence(stopped),
              QString::fromUtf8("a estação foi parada pelo operador durante a atualização do firmware — "
                                "o Vek ficou no carregador: conecte de novo para gravar o firmware"));
}

TEST_F(WordsTest, TheWindowsBoxesStayWordForWord) {
    session::Outcome o = make(Kind::Timeout, Operation::Firmware);
    o.counters = {2, 1, 1, 1};
    auto box = words::box(o);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, QStringLiteral("ERRO #0x02"));
    EXPECT_EQ(box->text, QString::fromUtf8("A operação não foi concluida!\r\nNacks = 2\r\nCode10 = 1\r\nCode15 = 1\r\nCode20 = 1"));
    o.kind = Kind::PortLost;
    box = words::box(o);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, QStringLiteral("ERRO #0x01"));
    EXPECT_EQ(box->text, QString::fromUtf8("Não há conexão ativa!"));
    o.operation = Operation::Verify;
    EXPECT_EQ(words::box(o)->caption, QStringLiteral("ERRO #0x03"));
    o.kind = Kind::Timeout;
    box = words::box(o);
    EXPECT_EQ(box->caption, QStringLiteral("ERRO #0x04"));
    EXPECT_EQ(box->text, QString::fromUtf8("A operação não pode ser concluida!"));
    EXPECT_EQ(box->icon, words::BoxIcon::Warning);

    session::Outcome refused = make(Kind::Refused, Operation::Write);
    refused.fault = config::Fault{config::RBGL, "Rotação max. Banguela", "1001"};
    box = words::box(refused);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, QStringLiteral("Erro"));
    EXPECT_EQ(box->text, QString::fromUtf8("Parâmetro inválido!\r\n[Rotação max. Banguela]\r\nPermitido: 300 a 1000 rpm"));
    EXPECT_EQ(box->icon, words::BoxIcon::Warning);

    // Only those: every other failure is said in the Log and the status line.
    for (Kind kind : {Kind::ReadBackDiffers, Kind::DidNotReturn, Kind::OperationMode, Kind::CopyNotKept})
        EXPECT_FALSE(words::box(make(kind, Operation::Write))) << session::kindName(kind);
}

TEST_F(WordsTest, ValuesTravelAsCompactJsonAndBack) {
    session::Outcome o = make(Kind::ReadBackDiffers, Operation::Verify);
    o.mismatchAt = 17;
    o.wroteByte = 0xFF;
    o.readByte = 0x00;
    const words::Failure f = words::failureOf(o);
    const QString json = words::valuesJson(f.values);
    EXPECT_EQ(json, QStringLiteral(R"({"offset":17,"read":0,"wrote":255})"));
    EXPECT_EQ(words::valuesFromJson(json), f.values);
    EXPECT_TRUE(words::valuesFromJson(QStringLiteral("not json")).isEmpty());
    EXPECT_EQ(words::valuesJson({}), QStringLiteral("{}"));
}

}  // namespace
