// The Log: a line repeated in a flood is kept once with its count, the pane
// stays bounded, every line reaches the daily file with its time and port,
// and the visible Log can be saved or its daily files' folder opened.

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QRegularExpression>
#include <QTextDocument>

#include "app/daily_log.h"
#include "app/log_pane.h"
#include "app/qt_translations.h"
#include "app/update_labels.h"
#include "app_fixture.h"

using namespace vek;
using vek::testing::AppTest;
using vek::testing::waitFor;

class LogPaneTest : public AppTest {
protected:
    app::LogPane* pane() const { return window_->findChild<app::LogPane*>(); }
    QTextDocument* document() const { return widget<QTextEdit>("Log")->document(); }
    void say(const QString& line, unit::Tone tone = unit::Tone::Normal) {
        // The window only reads its controller; the test speaks for the unit.
        emit const_cast<unit::UnitController&>(window_->controller()).logLine(line, tone);
    }
    QStringList dailyLines() const {
        QFile f(pane()->dailyLog().pathFor(QDate::currentDate()));
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
        return QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
    }
};

TEST_F(LogPaneTest, RepeatedLineIsCountedOnOneLineAndThePaneStaysBounded) {
    makeWindow();
    const QString foreign = QString::fromUtf8("Destino inválido!");
    say("Conexão aberta...");
    for (int i = 0; i < 3000; ++i) say(foreign);
    EXPECT_EQ(document()->blockCount(), 2);
    EXPECT_EQ(log(), QString::fromUtf8("Conexão aberta...\nDestino inválido! (×3000)"));
    EXPECT_EQ(pane()->repeats(), 3000);

    // A red line is not the same line as a black one; an empty line is never
    // counted.
    say(foreign, unit::Tone::Warning);
    EXPECT_TRUE(log().endsWith(QString::fromUtf8("(×3000)\nDestino inválido!")));
    EXPECT_TRUE(lastLineRed());
    say("");
    say("");
    EXPECT_TRUE(log().endsWith(QString::fromUtf8("Destino inválido!\n\n")));

    // Lines that change every time: the oldest go, the newest stay.
    for (int i = 0; i < app::LogPane::kMaxLines + 500; ++i) say(QString::number(i));
    EXPECT_EQ(document()->blockCount(), app::LogPane::kMaxLines);
    EXPECT_TRUE(log().endsWith(QString::number(app::LogPane::kMaxLines + 499)));
    EXPECT_TRUE(log().startsWith("500\n"));

    // The daily file has the run once where it started and once, counted,
    // where it ended.
    const QStringList file = dailyLines();
    const QString stamp = QStringLiteral("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}");
    EXPECT_EQ(file.filter(QRegularExpression("^" + stamp + " \\[-\\]   " + foreign + "$")).size(), 1)
        << file.mid(0, 5).join('\n').toStdString();
    EXPECT_EQ(file.filter(QRegularExpression("^" + stamp + " \\[-\\]   " + foreign + " \\(×3000\\)$")).size(), 1);
    EXPECT_EQ(file.filter(QRegularExpression("^" + stamp + " \\[-\\] ! " + foreign + "$")).size(), 1);
    EXPECT_EQ(file.size(), 1 + 2 + 1 + 2 + app::LogPane::kMaxLines + 500);
}

TEST_F(LogPaneTest, DailyFileNamesThePortOfEveryLine) {
    startUnit();
    makeWindow();
    connectUnit();
    ASSERT_TRUE(waitLog(QString::fromUtf8("Leitura da configuração interna concluída!")));
    pressConnect();
    const QString port = QRegularExpression::escape(QString::fromStdString(unit->devicePath()));
    const QStringList file = dailyLines();
    const QStringList expected{"Conexão aberta...", "Vek v4.0.2.47", "Id: 0BADF00D 12345678 00C0FFEE",
                               "O Vek está atualizado!", "Conexão fechada..."};
    for (const QString& line : expected)
        EXPECT_EQ(
            file.filter(QRegularExpression(" \\[" + port + "\\]   " + QRegularExpression::escape(line) + "$")).size(),
            1)
            << line.toStdString() << "\n"
            << file.join('\n').toStdString();
    EXPECT_TRUE(pane()->dailyLog().folder().startsWith(dataFolder()));
}

TEST_F(LogPaneTest, VisibleLogIsSavedFromItsMenuInPortuguese) {
    ASSERT_TRUE(app::installQtTranslations()) << "Qt's Portuguese translations are not installed";
    makeWindow();
    say("Conexão aberta...");
    say("Não foi possível abrir a porta X", unit::Tone::Warning);

    std::unique_ptr<QMenu> menu(pane()->createContextMenu());
    QStringList texts;
    for (QAction* a : menu->actions()) texts << a->text().section('\t', 0, 0);
    EXPECT_TRUE(texts.contains("&Copiar")) << texts.join('|').toStdString();
    EXPECT_TRUE(texts.contains("Selecionar tudo")) << texts.join('|').toStdString();
    EXPECT_TRUE(texts.contains(QString::fromUtf8("Salvar o log em arquivo...")));

    const QString path = home->filePath("saved.txt");
    QString error;
    ASSERT_TRUE(pane()->saveTo(path, &error)) << error.toStdString();
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(saved.readAll()), log() + "\n");
    EXPECT_FALSE(pane()->saveTo(home->filePath("no-such-folder/saved.txt"), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(LogPaneTest, MenuOpensTheFolderOfTheDailyFiles) {
    QList<QUrl> opened;
    app::setUrlOpener([&opened](const QUrl& url) { opened << url; });
    const std::unique_ptr<void, void (*)(void*)> restore(nullptr, [](void*) { app::setUrlOpener({}); });
    makeWindow();

    std::unique_ptr<QMenu> menu(pane()->createContextMenu());
    QAction* open = menu->findChild<QAction*>("openLogFolder");
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->text(), QString::fromUtf8("Abrir pasta do log"));
    open->trigger();

    ASSERT_EQ(opened.size(), 1);
    ASSERT_TRUE(opened[0].isLocalFile()) << opened[0].toString().toStdString();
    const QString folder = opened[0].toLocalFile();
    EXPECT_EQ(QDir(folder), QDir(QDir(dataFolder()).filePath("logs")));
    // The place the file manager is sent to exists and is where today's lines go.
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(QFileInfo(pane()->dailyLog().pathFor(QDate::currentDate())).dir(), QDir(folder));
}
