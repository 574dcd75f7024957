#include "config/form_model.h"

namespace vek::config {

// The record's buzzer digit can only say entry, exit, both, or during alone,
// so every change keeps "Durante" apart from the other two. Unticking never
// touches a neighbour.
void FormModel::setBuzzer(Group g, Buzzer which, bool ticked) {
    EventBoxes& b = groups_[g];
    switch (which) {
    case Buzzer::In:
        b.bzIn = ticked;
        if (ticked) b.bzWh = false;
        break;
    case Buzzer::Out:
        b.bzOut = ticked;
        if (ticked) b.bzWh = false;
        break;
    case Buzzer::During:
        b.bzWh = ticked;
        if (ticked) {
            b.bzIn = false;
            b.bzOut = false;
        }
        break;
    }
}

}  // namespace vek::config
