#pragma once
#include <QComboBox>

namespace vek::app {

// The port list: tells the window just before it drops down, so the list
// can be refreshed while the technician looks. Each entry's text may carry
// the device's description; the closed box shows the port's name alone
// (the entry's data), and the open list is as wide as its longest entry.
class PortComboBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    void showPopup() override;

signals:
    void aboutToDropDown();

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace vek::app
