#include "app/click_filter.h"

#include <QEvent>
#include <QMouseEvent>

namespace vek::app {

namespace {

class ClickFilter : public QObject {
public:
    ClickFilter(QLabel* label, std::function<void()> clicked) : QObject(label), label_(label), clicked_(std::move(clicked)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == label_ && event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton && label_->rect().contains(mouse->position().toPoint())) clicked_();
        }
        return false;
    }

private:
    QLabel* label_;
    std::function<void()> clicked_;
};

}  // namespace

void onClick(QLabel* label, std::function<void()> clicked) {
    label->installEventFilter(new ClickFilter(label, std::move(clicked)));
}

}  // namespace vek::app
