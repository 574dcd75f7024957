#pragma once
// What the session tells its surroundings: log lines, the form to show, the
// deferred close, who the unit is and how each road ended. The unit
// controller implements it and turns each call into a signal; core tests
// implement it with a recorder. Nothing here names a widget: views decide
// what an identification or an outcome means for theirs.

#include <string>

#include "config/config_image.h"
#include "config/form_model.h"
#include "protocol/identification.h"
#include "session/outcome.h"

namespace vek::session {

class View {
public:
    virtual ~View() = default;

    // The log pane: whole lines appended at its end; a warning is red.
    virtual void appendLog(const std::string& line) = 0;
    virtual void appendWarning(const std::string& line) = 0;
    virtual void clearLog() = 0;

    virtual void showForm(const config::FormModel& form) = 0;

    // Timer2: the port is closed 50 ms later, outside the receive handler.
    virtual void startDeferredClose() = 0;

    // The unit identified itself in maintenance mode and its road begins.
    // `listed`: its identifier joins the production list. A view that
    // cannot take the unit (its record could not be started) calls
    // Session::leaveAlone() from here, and nothing is sent.
    virtual void identified(const protocol::Identification&, bool /*listed*/) {}
    // New firmware went in; the unit restarts and must announce itself
    // again (the controller bounds the wait and reports DidNotReturn).
    virtual void restarting(const protocol::Identification&) {}
    // A configuration read came in whole (a plan's read, the copy taken
    // before a change, or a write's equal read-back), valid or not: the view
    // keeps it. The road goes on by the answer: Kept goes on, NotKept stops
    // a change before it starts, Pending waits for Session::copyKept().
    virtual Copy keepCopy(const protocol::Identification&, const config::Image&) { return {}; }
    // Where the road stands changed (see Stage).
    virtual void stageMoved(Stage) {}
    // The road (or a single operation asked for by hand) ended.
    virtual void finished(const Outcome&) {}
};

}  // namespace vek::session
