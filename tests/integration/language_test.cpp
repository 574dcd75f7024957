// The window in English: chosen the way vektool chooses it, it shows none of
// the Portuguese texts that have an English translation, in any widget, tip,
// menu or title, nor in the lines the core writes to the Log.

#include <QAbstractButton>
#include <QCheckBox>
#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QSet>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "app/main_window.h"
#include "app/records_viewer.h"
#include "app/station_window.h"
#include "app_fixture.h"
#include "records_link_support.h"
#include "text/language.h"

using namespace vek;
using vek::testing::AppTest;

namespace {

// The Portuguese sources whose English differs, each as a pattern for a
// whole shown text ("%1" stands for anything).
QList<QRegularExpression> portugueseTexts() {
    QFile file(QStringLiteral(VEK_TS_FILE));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QList<QRegularExpression> out;
    QString source;
    while (!xml.atEnd()) {
        if (!xml.readNextStartElement()) continue;
        if (xml.name() == u"source") source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        if (xml.name() != u"translation") continue;
        const QString english = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        if (english == source || source.trimmed().isEmpty()) continue;
        QString pattern = QRegularExpression::escape(source);
        pattern.replace(QRegularExpression(QStringLiteral("%(\\d|[-0-9.]*l?[sdX])")), QStringLiteral(".*"));
        out << QRegularExpression(QStringLiteral("^") + pattern + QStringLiteral("$"),
                                  QRegularExpression::DotMatchesEverythingOption);
    }
    EXPECT_GT(out.size(), 400);
    return out;
}

// Every text a widget shows or says: captions, titles, items, tips, names.
QStringList shownTexts(QWidget* top) {
    QStringList texts{top->windowTitle()};
    QList<QWidget*> widgets = top->findChildren<QWidget*>();
    widgets << top;
    for (QWidget* w : widgets) {
        texts << w->toolTip() << w->accessibleName() << w->statusTip() << w->whatsThis();
        if (auto* l = qobject_cast<QLabel*>(w)) texts << l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) texts << b->text();
        if (auto* g = qobject_cast<QGroupBox*>(w)) texts << g->title();
        if (auto* m = qobject_cast<QMenu*>(w)) texts << m->title();
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i) texts << c->itemText(i);
        if (auto* e = qobject_cast<QLineEdit*>(w)) texts << e->placeholderText();
        if (auto* t = qobject_cast<QTableWidget*>(w))
            for (int c = 0; c < t->columnCount(); ++c)
                if (t->horizontalHeaderItem(c)) texts << t->horizontalHeaderItem(c)->text();
        for (QAction* a : w->actions()) texts << a->text() << a->toolTip() << a->iconText();
    }
    for (QAction* a : top->findChildren<QAction*>()) texts << a->text() << a->toolTip();
    texts.removeAll(QString());
    return texts;
}

}  // namespace

class LanguageTest : public AppTest {};

TEST_F(LanguageTest, WindowInEnglishShowsNoPortugueseOfOurs) {
    QStringList arguments{"vektool", "--lang", "en"};
    const LanguageChoice choice = chooseLanguage(arguments);
    ASSERT_EQ(choice.language, Language::English);
    EXPECT_EQ(arguments, QStringList{"vektool"});
    useLanguage(choice.language);

    startUnit();
    makeWindow();
    // The form's own words and the core's lines, translated the two ways.
    EXPECT_EQ(widget<QPushButton>("B_SetConfig")->text(), "CONFIGURE");
    connectUnit();
    ASSERT_TRUE(waitLog("Internal configuration read complete!")) << log().toStdString();
    EXPECT_TRUE(logHas("Connection open..."));
    EXPECT_TRUE(logHas("The Vek is up to date!"));

    const QList<QRegularExpression> portuguese = portugueseTexts();
    QStringList shown = shownTexts(window_.get());
    shown << log().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QStringList found;
    for (const QString& text : shown)
        for (const QRegularExpression& p : portuguese)
            if (p.match(text).hasMatch()) found << text + QStringLiteral("  ←  ") + p.pattern();
    EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1Char('\n')).toStdString();
}

// The window's own way to choose: Ajuda → Idioma keeps the choice for the
// next start, which then speaks it whatever the system's language.
TEST_F(LanguageTest, TheMenuKeepsTheChosenLanguageForTheNextStart) {
    makeWindow();
    auto* english = window_->findChild<QAction*>(QStringLiteral("A_LanguageEn"));
    auto* portuguese = window_->findChild<QAction*>(QStringLiteral("A_LanguagePt"));
    ASSERT_TRUE(english && portuguese);
    EXPECT_TRUE(portuguese->isChecked());
    english->trigger();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QString::fromUtf8("O idioma escolhido vale a partir da próxima vez que o VekTool abrir."));
    EXPECT_EQ(widget<QPushButton>("B_SetConfig")->text(), "CONFIGURAR") << "nothing changes under the technician's hands";

    QStringList arguments{"vektool"};
    EXPECT_EQ(chooseLanguage(arguments).language, Language::English);
    portuguese->trigger();
    arguments = {"vektool"};
    EXPECT_EQ(chooseLanguage(arguments).language, Language::Portuguese);
}

// The station window and the records viewer speak English too, headings,
// buttons and the records line included.
TEST_F(LanguageTest, StationAndRecordsWindowsInEnglishShowNoPortugueseOfOurs) {
    useLanguage(Language::English);
    QTemporaryDir dir;
    auto link = vek::testing::openLink({.localPath = dir.filePath("records.sqlite")});
    app::StationWindow station(link.get(), {});
    station.show();
    app::RecordsViewer viewer(records::RecordsSource{.localPath = dir.filePath("records.sqlite")}, nullptr);
    viewer.show();
    ASSERT_TRUE(vek::testing::waitFor([&] { return !viewer.loading(); }, 10000));

    const QList<QRegularExpression> portuguese = portugueseTexts();
    QStringList found;
    for (QWidget* top : {static_cast<QWidget*>(&station), static_cast<QWidget*>(&viewer)})
        for (const QString& text : shownTexts(top))
            for (const QRegularExpression& p : portuguese)
                if (p.match(text).hasMatch()) found << text + QStringLiteral("  ←  ") + p.pattern();
    EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(shownTexts(&station).contains(QStringLiteral("Port")));
}

// In English the figures read as English ("1,900", no comma for a decimal
// point) and every caption of the form fits the room its layout gives it.
TEST_F(LanguageTest, EnglishFiguresAndCaptionsReadAsEnglish) {
    useLanguage(Language::English);
    sim::Identity id;
    id.version = {4, 0, 2, 46};
    // Each reply a little late, so that the update runs long enough to watch.
    startUnit(id, [](sim::UnitSim& u) { u.faults().replyDelayMs = 1; });
    makeWindow();
    connectUnit();
    const QRegularExpression running(
        "^Updating the firmware: \\d+% · block \\d{1,3}(,\\d{3})? of 1,900 · \\d+ blocks/s · \\d+ (min \\d+ )?s left$");
    QString status;
    ASSERT_TRUE(vek::testing::waitFor(
        [&] {
            status = widget<QLabel>("StatusLine")->text();
            return running.match(status).hasMatch();
        },
        10000))
        << status.toStdString();

    // A decimal comma is a digit, a comma and a digit with no space after it.
    const QRegularExpression decimalComma("\\d,\\d(?!\\d{2}(\\D|$))");
    QStringList found;
    QStringList shown = shownTexts(window_.get());
    shown << log().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& text : shown)
        if (decimalComma.match(text).hasMatch()) found << text;
    EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1Char('\n')).toStdString();

    // Only what English changed: a caption the same in both languages is
    // the layout's own.
    QSet<QString> english;
    {
        QFile file(QStringLiteral(VEK_TS_FILE));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QString source;
        while (!xml.atEnd()) {
            if (!xml.readNextStartElement()) continue;
            if (xml.name() == u"source") source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (xml.name() != u"translation") continue;
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (text != source) english << text;
        }
    }
    QStringList cut;
    for (QLabel* l : window_->form()->findChildren<QLabel*>()) {
        if (!english.contains(l->text()) || l->wordWrap()) continue;
        const QFontMetrics fm(l->font());
        for (const QString& line : l->text().split('\n'))
            if (fm.horizontalAdvance(line) > l->contentsRect().width()) cut << l->objectName() + ": " + line;
    }
    for (QAbstractButton* b : window_->form()->findChildren<QAbstractButton*>()) {
        if (!english.contains(b->text()) || !b->isVisibleTo(window_->form())) continue;
        const int room = b->width() - (qobject_cast<QCheckBox*>(b) ? 20 : 8);
        if (QFontMetrics(b->font()).horizontalAdvance(QString(b->text()).remove('&')) > room)
            cut << b->objectName() + ": " + b->text();
    }
    EXPECT_TRUE(cut.isEmpty()) << cut.join(QLatin1Char('\n')).toStdString();
    pressConnect();
}
