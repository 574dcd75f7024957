#include "app/up_down.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace vek::app {

UpDown::UpDown(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    up_ = new QToolButton(this);
    down_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        b->setIconSize(QSize(6, 6));
        layout->addWidget(b);
    }
    connect(up_, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(down_, &QToolButton::clicked, this, [this] { stepBy(-1); });
}

void UpDown::associate(QLineEdit* edit, int minimum, int maximum, bool arrowKeys) {
    edit_ = edit;
    min_ = minimum;
    max_ = maximum;
    arrowKeys_ = arrowKeys;
    bool ok = false;
    const int v = edit->text().toInt(&ok);
    position_ = ok ? std::clamp(v, min_, max_) : min_;
    edit_->installEventFilter(this);
    up_->setAccessibleName(edit->accessibleName() + QStringLiteral(" +1"));
    down_->setAccessibleName(edit->accessibleName() + QStringLiteral(" -1"));
}

void UpDown::stepBy(int steps) {
    if (!edit_ || !edit_->isEnabled() || edit_->isReadOnly()) return;
    // The edit box is the truth: a number typed there is where the step
    // starts; an empty or foreign text starts from the last position.
    bool ok = false;
    const int typed = edit_->text().toInt(&ok);
    const int from = ok ? std::clamp(typed, min_, max_) : position_;
    position_ = std::clamp(from + steps, min_, max_);
    edit_->setText(QString::number(position_));
}

bool UpDown::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && arrowKeys_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Up) {
            stepBy(1);
            return true;
        }
        if (key->key() == Qt::Key_Down) {
            stepBy(-1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace vek::app
