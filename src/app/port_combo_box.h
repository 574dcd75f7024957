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
    // Widens the closed box, to the left, until the longest port name shows
    // whole; never narrower than laid out.
    void fitToNames();

signals:
    void aboutToDropDown();
    void widthFitted();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int laidOutWidth_ = 0;
};

}  // namespace vek::app
