#pragma once
// A label that acts on a click: one filter per label, so that a click runs
// its handler exactly once.

#include <QLabel>
#include <functional>

namespace vek::app {

// Calls `clicked` on each left-button release inside `label`.
void onClick(QLabel* label, std::function<void()> clicked);

}  // namespace vek::app
