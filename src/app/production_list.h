#pragma once
// The production panel's record of the units seen: each identifier with the
// moment it was listed and, once a QR label was compared with it, the
// verdict. It fills LogIdList, is kept between runs, and is exported as CSV.

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

class QLabel;
class QMenu;
class QTextEdit;

namespace vek::app {

struct ProductionEntry {
    QString digits;  // the 24 hexadecimal digits, as the QR label has them
    QDateTime listed;
    QString verdict;  // "OK", "X", or empty while no label was compared
};

class ProductionList : public QObject {
    Q_OBJECT
public:
    ProductionList(QTextEdit* list, QLabel* count, QObject* parent);

    // A unit the controller listed ("%.8X %.8X %.8X").
    void listed(const QString& line);
    // A comparison of `usbDigits` with a scanned label.
    void compared(const QString& usbDigits, bool same);
    // Limpar.
    void clear();
    // Shows entries kept from an earlier run.
    void restore(const QList<ProductionEntry>& entries);

    const QList<ProductionEntry>& entries() const { return entries_; }
    QString csv() const;
    bool exportTo(const QString& path, QString* error) const;
    QMenu* createContextMenu();
    void exportAs();

signals:
    void changed();

private:
    void show(const ProductionEntry& entry);

    QTextEdit* list_;
    QLabel* count_;
    QList<ProductionEntry> entries_;
};

}  // namespace vek::app
