#pragma once
// A recorder of everything the core asks of its surroundings (the link and
// the view), for tests that drive the core call by call. `trace` keeps every
// call in order; the typed members keep what was asked.

#include <functional>
#include <string>
#include <vector>

#include "protocol/identification.h"
#include "session/session.h"
#include "session/view.h"
#include "transfer/port.h"

namespace vek::test {

class FakeHost : public transfer::Port, public session::View {
public:
    struct Line {
        std::string text;
        bool warning = false;
    };
    struct Identified {
        protocol::Identification unit;
        bool listed = false;
    };

    // What the technician has set: the form is pushed into the session by
    // HostedSession before each call, as the window pushes every edit.
    bool open = true;
    config::FormModel formModel;
    bool norvale = false;
    bool autoClose = false;

    // Called for every frame written (a fake unit listens here).
    std::function<void(const protocol::Bytes&)> onWrite;
    // Called from identified(), as a view that decides about the unit would.
    std::function<void(const protocol::Identification&, bool)> onIdentified;
    // How the view answers a copy to keep (kept, by default).
    std::function<session::Copy(const config::Image&)> onKeepCopy;

    // What the core did.
    std::vector<std::string> trace;
    std::vector<protocol::Bytes> writes;
    std::vector<Line> log;  // since the last clearLog
    // How the paced operations failed, as their own tests hand it in, with
    // the link's counters then (a view words them; the core only reports).
    struct Failed {
        transfer::Failure how;
        protocol::Counters counters;
    };
    std::vector<Failed> failures;
    std::vector<int> progress;
    int progressMaximum = 0;
    bool timer1 = false;
    bool timer3 = false;
    int deferredCloses = 0;
    int formsShown = 0;
    std::vector<Identified> identifications;
    std::vector<protocol::Identification> restarts;
    std::vector<config::Image> configurationsRead;
    std::vector<session::Stage> stages;
    std::vector<session::Outcome> outcomes;

    bool portOpen() const override { return open; }
    void write(const protocol::Bytes& frame) override {
        trace.push_back("write");
        writes.push_back(frame);
        if (onWrite) onWrite(frame);
    }
    void appendLog(const std::string& line) override {
        trace.push_back("log:" + line);
        log.push_back({line, false});
    }
    void appendWarning(const std::string& line) override {
        trace.push_back("warn:" + line);
        log.push_back({line, true});
    }
    void clearLog() override {
        trace.push_back("clearLog");
        log.clear();
    }
    void setProgressMaximum(int maximum) override {
        trace.push_back("progressMax:" + std::to_string(maximum));
        progressMaximum = maximum;
    }
    void setProgress(int position) override {
        trace.push_back("progress:" + std::to_string(position));
        progress.push_back(position);
    }
    void setPacingTimer(transfer::PacingTimer timer, bool enabled) override {
        const bool one = timer == transfer::PacingTimer::Timer1;
        trace.push_back(std::string(one ? "timer1:" : "timer3:") + (enabled ? "on" : "off"));
        (one ? timer1 : timer3) = enabled;
    }
    void startDeferredClose() override {
        trace.push_back("deferredClose");
        ++deferredCloses;
    }
    void showForm(const config::FormModel& form) override {
        trace.push_back("showForm");
        formModel = form;
        ++formsShown;
    }
    void identified(const protocol::Identification& unit, bool listed) override {
        trace.push_back("identified:" + protocol::idDigits(unit.id) + (listed ? ":listed" : ""));
        identifications.push_back({unit, listed});
        if (onIdentified) onIdentified(unit, listed);
    }
    void restarting(const protocol::Identification& unit) override {
        trace.push_back("restarting:" + protocol::idDigits(unit.id));
        restarts.push_back(unit);
    }
    session::Copy keepCopy(const protocol::Identification&, const config::Image& image) override {
        trace.push_back("keepCopy");
        configurationsRead.push_back(image);
        return onKeepCopy ? onKeepCopy(image) : session::Copy{};
    }
    void stageMoved(session::Stage stage) override { stages.push_back(stage); }
    void finished(const session::Outcome& outcome) override {
        trace.push_back("finished:" + std::string(session::kindName(outcome.kind)));
        outcomes.push_back(outcome);
    }
    void failed(transfer::Failure how, const protocol::Counters& counters) {
        trace.push_back(how == transfer::Failure::NoConnection ? "failed:no-connection" : "failed:gave-up");
        failures.push_back({how, counters});
    }

    // Helpers for assertions.
    std::vector<std::string> logTexts() const {
        std::vector<std::string> out;
        for (const Line& l : log) out.push_back(l.text);
        return out;
    }
    int countLog(const std::string& text) const {
        int n = 0;
        for (const Line& l : log) n += l.text == text ? 1 : 0;
        return n;
    }
    bool logged(const std::string& text) const { return countLog(text) > 0; }
    void forget() {
        trace.clear();
        writes.clear();
        log.clear();
        failures.clear();
        progress.clear();
    }
};

// A session driven as the window drives it: the technician's form and
// options (the recorder's formModel, norvale, autoClose) are pushed in
// before every call.
class HostedSession : public session::Session {
public:
    explicit HostedSession(FakeHost& host) : Session(host, host), host_(host) {}

    void portOpened() { sync(), Session::portOpened(); }
    void bytesArrived(std::span<const std::uint8_t> bytes) { sync(), Session::bytesArrived(bytes); }
    void partialFrameExpired() { sync(), Session::partialFrameExpired(); }
    void timer1Tick() { sync(), Session::timer1Tick(); }
    void timer3Tick() { sync(), Session::timer3Tick(); }
    session::Kind setConfig() { return sync(), Session::setConfig(unit().id, host_.formModel); }
    void remoteCommandList() { sync(), Session::remoteCommandList(host_.formModel); }

private:
    void sync() {
        session::Options o = options();
        o.norvale = host_.norvale;
        o.closeAfterConfigure = host_.autoClose;
        setOptions(o);
        setForm(host_.formModel);
    }
    FakeHost& host_;
};

}  // namespace vek::test
