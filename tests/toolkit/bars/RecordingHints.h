#pragma once
// A recording hint window and hint timers for tests: the window logs what it is asked to show
// and hide, the timers only note which ones run, so a test expires them itself.

#include <map>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "dxBarHints.h"

class TRecordingHintDisplay : public TdxBarHintDisplay {
public:
    bool visible = false, screenTip = false;
    std::vector<std::string> log;
    bool IsVisible() const override { return visible; }
    bool IsScreenTipState() const override { return screenTip; }
    int ShowDelay() const override { return 500; }
    int HideTimeout() const override { return 2500; }
    bool Show(TdxBarManager*, const String& hint, const String& shortCut) override {
        log.push_back("show " + Utf8(hint) + (shortCut.empty() ? "" : " (" + Utf8(shortCut) + ")"));
        visible = true;
        return true;
    }
    void Hide() override {
        log.push_back("hide");
        visible = false;
        screenTip = false;
    }
};

class TRecordingHintTimers : public TdxBarHintTimers {
public:
    std::map<TKind, int> running;  // kind -> interval
    void Start(TKind kind, int ms) override { running[kind] = ms; }
    void Stop(TKind kind) override { running.erase(kind); }
    bool Runs(TKind kind, int ms) const {
        auto it = running.find(kind);
        return it != running.end() && it->second == ms;
    }
};
