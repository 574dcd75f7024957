#pragma once
#include <QComboBox>

namespace vek::app {

// The port list: tells the window just before it drops down, so the list
// can be refreshed while the technician looks.
class PortComboBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    void showPopup() override {
        emit aboutToDropDown();
        QComboBox::showPopup();
    }
signals:
    void aboutToDropDown();
};

}  // namespace vek::app
