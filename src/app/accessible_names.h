#pragma once
// Names a screen reader says for the window's controls: each check box by
// its group, row and caption, each combo box by its label, the panes and
// fields of the production panel by what they hold. The controls beyond the
// window's edge leave the Tab order.

namespace Ui {
class MainWindow;
}

namespace vek::app {

void nameControls(Ui::MainWindow& ui);

}  // namespace vek::app
