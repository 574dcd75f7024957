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
