#pragma once
// A pair of arrow buttons that steps the number in an associated edit box by
// one within [min, max], without wrapping. The edit box stays a plain text
// box so it can be empty or hold a value read from a unit outside the range.

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace vek::app {

class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr);

    void associate(QLineEdit* edit, int minimum, int maximum, bool arrowKeys);
    int minimum() const { return min_; }
    int maximum() const { return max_; }
    bool arrowKeys() const { return arrowKeys_; }
    QLineEdit* buddy() const { return edit_; }

    void stepBy(int steps);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* edit_ = nullptr;
    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    bool arrowKeys_ = true;
};

}  // namespace vek::app
