#pragma once
// What the core asks of its surroundings. The window implements it with
// widgets, QTimer and ComPort; the core tests implement it with a recorder.

#include <string>

#include "config/form_model.h"
#include "protocol/frame.h"

namespace vek::session {

enum class BoxIcon { None, Warning, Information };

struct Box {
    std::string text;
    std::string caption;
    BoxIcon icon = BoxIcon::None;
};

class Host {
public:
    virtual ~Host() = default;

    // The serial link.
    virtual bool portOpen() const = 0;
    virtual void write(const protocol::Bytes& frame) = 0;

    // The log pane: whole lines appended at its end; a warning is red.
    virtual void appendLog(const std::string& line) = 0;
    virtual void appendWarning(const std::string& line) = 0;
    virtual void clearLog() = 0;

    virtual void setProgressMaximum(int maximum) = 0;
    virtual void setProgress(int position) = 0;

    // A modal box with an OK button; returns once it is closed.
    virtual void showBox(const Box& box) = 0;

    // The pacing timers (Timer1 500 ms, Timer3 100 ms): the core says when
    // they run and is told of each tick.
    virtual void setTimer1(bool enabled) = 0;
    virtual void setTimer3(bool enabled) = 0;
    // Timer2: closes the port 50 ms later, outside the receive handler.
    virtual void startDeferredClose() = 0;

    virtual void setSetConfigEnabled(bool enabled) = 0;  // "CONFIGURAR"
    virtual void setPortListEnabled(bool enabled) = 0;   // ComboBox1

    // The production panel.
    virtual void appendIdList(const std::string& line) = 0;
    virtual void setIdListCount(const std::string& caption) = 0;  // L_IdList
    virtual void setEdit1(const std::string& text) = 0;

    // The configuration form: the widgets as a model, and back.
    virtual config::FormModel form() const = 0;
    virtual void showForm(const config::FormModel& form) = 0;
    virtual bool norvaleForced() const = 0;        // Cb_Norvale
    virtual bool closeAfterConfigure() const = 0;  // Cb_COMAutoClose
};

}  // namespace vek::session
