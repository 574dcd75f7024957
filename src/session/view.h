#pragma once
// What the session tells its surroundings: log lines, boxes, the form to
// show, button states and the production list, plus the outcomes that a
// view following the unit step by step (the command line, the station)
// acts on. The unit controller implements it and turns each call into a
// signal; core tests implement it with a recorder.

#include <cstddef>
#include <string>

#include "config/form_model.h"
#include "protocol/identification.h"

namespace vek::session {

enum class BoxIcon { None, Warning, Information };

struct Box {
    std::string text;
    std::string caption;
    BoxIcon icon = BoxIcon::None;
};

// What runs on the unit: one at a time.
enum class Operation { None, Firmware, Write, Read, Verify };

// How an operation ended. A write ends only after its read-back (when the
// read-back is on); `mismatchAt` is the first offset that differed.
struct Finished {
    Operation operation = Operation::None;
    bool ok = false;
    std::string reason;  // empty when ok
    long mismatchAt = -1;
};

class View {
public:
    virtual ~View() = default;

    // The log pane: whole lines appended at its end; a warning is red.
    virtual void appendLog(const std::string& line) = 0;
    virtual void appendWarning(const std::string& line) = 0;
    virtual void clearLog() = 0;

    // A box with an OK button. Nothing waits for it to be closed.
    virtual void showBox(const Box& box) = 0;

    virtual void showForm(const config::FormModel& form) = 0;

    // Timer2: the port is closed 50 ms later, outside the receive handler.
    virtual void startDeferredClose() = 0;

    virtual void setSetConfigEnabled(bool enabled) = 0;  // "CONFIGURAR"
    virtual void setPortListEnabled(bool enabled) = 0;   // ComboBox1

    // The production panel.
    virtual void appendIdList(const std::string& line) = 0;
    virtual void setIdListCount(const std::string& caption) = 0;  // L_IdList
    virtual void setEdit1(const std::string& text) = 0;

    // The unit identified itself in maintenance mode (once per connection,
    // and again after new firmware).
    virtual void identified(const protocol::Identification&) {}
    // The unit said it is in operation mode.
    virtual void operationModeSeen() {}
    virtual void finished(const Finished&) {}
};

}  // namespace vek::session
