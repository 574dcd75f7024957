#include "app/port_combo_box.h"

#include <QAbstractItemView>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace vek::app {

void PortComboBox::showPopup() {
    emit aboutToDropDown();
    const int widest = view()->sizeHintForColumn(0) + 2 * view()->frameWidth() +
                       style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    view()->setMinimumWidth(std::max(width(), widest));
    QComboBox::showPopup();
}

void PortComboBox::fitToNames() {
    if (laidOutWidth_ == 0) laidOutWidth_ = width();
    int names = 0;
    for (int i = 0; i < count(); ++i) names = std::max(names, fontMetrics().horizontalAdvance(itemData(i).toString()));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const int needed = style()->sizeFromContents(QStyle::CT_ComboBox, &option, QSize(names, fontMetrics().height()), this)
                           .width();
    const int w = std::max(laidOutWidth_, needed);
    if (w == width()) return;
    setGeometry(geometry().right() + 1 - w, y(), w, height());
    emit widthFitted();
}

void PortComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QString name = currentData().toString();
    if (!name.isEmpty()) option.currentText = name;
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

}  // namespace vek::app
