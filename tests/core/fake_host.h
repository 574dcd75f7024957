#pragma once
// A recorder of everything the core asks of its surroundings (the link and
// the view), for tests that drive the core call by call. `trace` keeps every
// call in order; the typed members keep the latest state.

#include <functional>
#include <string>
#include <vector>

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

    // What the technician has set: the form is pushed into the session by
    // HostedSession before each call, as the window pushes every edit.
    bool open = true;
    config::FormModel formModel;
    bool norvale = false;
    bool autoClose = false;

    // Called for every frame written (a fake unit listens here).
    std::function<void(const protocol::Bytes&)> onWrite;

    // What the core did.
    std::vector<std::string> trace;
    std::vector<protocol::Bytes> writes;
    std::vector<Line> log;  // since the last clearLog
    std::vector<session::Box> boxes;
    std::vector<int> progress;
    int progressMaximum = 0;
    bool timer1 = false;
    bool timer3 = false;
    int deferredCloses = 0;
    bool setConfigEnabled = false;
    bool portListEnabled = false;
    std::vector<std::string> idList;
    std::string idListCount;
    std::string edit1;
    int formsShown = 0;

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
    void showBox(const session::Box& box) override {
        trace.push_back("box:" + box.caption);
        boxes.push_back(box);
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
    void setSetConfigEnabled(bool enabled) override {
        trace.push_back(enabled ? "setConfig:on" : "setConfig:off");
        setConfigEnabled = enabled;
    }
    void setPortListEnabled(bool enabled) override {
        trace.push_back(enabled ? "portList:on" : "portList:off");
        portListEnabled = enabled;
    }
    void appendIdList(const std::string& line) override {
        trace.push_back("idList:" + line);
        idList.push_back(line);
    }
    void setIdListCount(const std::string& caption) override {
        trace.push_back("idListCount:" + caption);
        idListCount = caption;
    }
    void setEdit1(const std::string& text) override {
        trace.push_back("edit1:" + text);
        edit1 = text;
    }
    void showForm(const config::FormModel& form) override {
        trace.push_back("showForm");
        formModel = form;
        ++formsShown;
    }
    void finished(const session::Finished& f) override {
        trace.push_back(std::string("finished:") + (f.ok ? "ok" : "failed"));
        outcomes.push_back(f);
    }
    std::vector<session::Finished> outcomes;

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
        boxes.clear();
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
    void getConfig() { sync(), Session::getConfig(); }
    void setConfig() { sync(), Session::setConfig(host_.formModel); }
    void firmwareUpdate() { sync(), Session::firmwareUpdate(); }
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
