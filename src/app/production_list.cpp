#include "app/production_list.h"

#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextEdit>

#include "app/app_texts.h"
#include "app/message_box.h"
#include "app/save_dialog.h"
#include "text/language.h"

namespace vek::app {

namespace {

const QString kTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

// "0BADF00D 12345678 00C0FFEE" and "0BADF00D1234567800C0FFEE" are one unit.
QString spaced(const QString& digits) {
    return QStringList{digits.mid(0, 8), digits.mid(8, 8), digits.mid(16, 8)}.join(QLatin1Char(' '));
}

}  // namespace

ProductionList::ProductionList(QTextEdit* list, QLabel* count, QObject* parent)
    : QObject(parent), list_(list), count_(count) {
    setObjectName(QStringLiteral("ProductionList"));
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        QMenu* menu = createContextMenu();
        menu->exec(list_->viewport()->mapToGlobal(pos));
        delete menu;
    });
}

void ProductionList::show(const ProductionEntry& entry) {
    QTextCursor cursor(list_->document());
    cursor.movePosition(QTextCursor::End);
    if (!list_->document()->isEmpty()) cursor.insertBlock();
    QTextCharFormat format;
    format.setForeground(Qt::black);
    cursor.insertText(spaced(entry.digits), format);
}

void ProductionList::listed(const QString& line) {
    ProductionEntry entry{QString(line).remove(QLatin1Char(' ')), QDateTime::currentDateTime(), {}};
    show(entry);
    entries_.append(entry);
    count_->setText(QString::number(entries_.size()));
    emit changed();
}

void ProductionList::compared(const QString& usbDigits, bool same) {
    // The newest entry of that unit takes the verdict, the last one made.
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
        if (it->digits != usbDigits) continue;
        it->verdict = QString::fromUtf8(same ? texts::kVerdictOk : texts::kVerdictMismatch);
        emit changed();
        return;
    }
}

void ProductionList::clear() {
    list_->clear();
    count_->setText(QString());
    entries_.clear();
    emit changed();
}

void ProductionList::restore(const QList<ProductionEntry>& entries) {
    list_->clear();
    entries_.clear();
    for (const ProductionEntry& e : entries) {
        show(e);
        entries_.append(e);
    }
    count_->setText(entries_.isEmpty() ? QString() : QString::number(entries_.size()));
}

namespace {

// A cell a spreadsheet never takes for a formula: a leading = + - @ or tab
// gets a quote mark; a comma, semicolon or quote gets the field quoted.
QString csvCell(QString text) {
    if (!text.isEmpty() && QStringLiteral("=+-@\t").contains(text.front())) text.prepend(u'\'');
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u';')) return text;
    return u'"' + text.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

}  // namespace

QString ProductionList::csv() const {
    QString out = QString::fromUtf8(texts::kCsvHeader) + QLatin1Char('\n');
    for (const ProductionEntry& e : entries_)
        out += QStringLiteral("%1,%2,%3\n")
                   .arg(csvCell(e.digits), csvCell(e.listed.toString(kTimeFormat)), csvCell(e.verdict));
    return out;
}

bool ProductionList::exportTo(const QString& path, QString* error) const {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(csv().toUtf8());
        if (file.commit()) return true;
    }
    if (error) *error = file.errorString();
    return false;
}

QMenu* ProductionList::createContextMenu() {
    QMenu* menu = list_->createStandardContextMenu();
    menu->addSeparator();
    QAction* exportCsv = menu->addAction(vek::translated(texts::kExportList));
    exportCsv->setObjectName(QStringLiteral("exportList"));
    exportCsv->setEnabled(!entries_.isEmpty());
    connect(exportCsv, &QAction::triggered, this, &ProductionList::exportAs);
    return menu;
}

void ProductionList::exportAs() {
    saveWithDialog(list_->window(), QStringLiteral("vektool-ids"), QStringLiteral("csv"),
                   vek::translated(texts::kExportListTitle), vek::translated(texts::kExportListFilter),
                   [this](const QString& path, QString* error) { return exportTo(path, error); });
}

}  // namespace vek::app
