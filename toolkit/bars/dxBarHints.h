#pragma once
// What the managers' item hints are shown with: the process-wide hint window and the two timers
// behind the hint delays (the show/hide timer and the 400 ms guard that lets the next hint show
// at once after one was hidden). TdxBarManager::ShowItemHint drives them.
//
// Both are replaceable: the hint window arrives with its own part and tests put recording
// stand-ins in their place, so the timing is checked without the clock.

#include "SysObject.h"
#include "SysTypes.h"

class TdxBarManager;

// What item controls and caption buttons give for their hint.
struct IdxBarHintSource {
    // The hint and shortcut texts, true when there is a hint now; without one, hideShown says
    // whether a hint on show must go.
    virtual bool GetHint(bool& hideShown, String& hint, String& shortCut) = 0;
    virtual bool IsHintSourceEnabled() = 0;

protected:
    ~IdxBarHintSource() = default;
};

// The window the hints appear in.
class TdxBarHintDisplay {
public:
    virtual ~TdxBarHintDisplay() = default;
    virtual bool IsVisible() const = 0;
    // The last thing it showed was a screen tip.
    virtual bool IsScreenTipState() const = 0;
    virtual int ShowDelay() const = 0;
    virtual int HideTimeout() const = 0;
    // Shows the texts for the manager; false when there was nothing to show.
    virtual bool Show(TdxBarManager* manager, const String& hint, const String& shortCut) = 0;
    virtual void Hide() = 0;
};

// The hint timers: the show/hide timer and the guard. Expiry calls
// TdxBarManager::HintTimerExpired or HintGuardExpired.
class TdxBarHintTimers {
public:
    enum TKind { htShowHide, htGuard };
    virtual ~TdxBarHintTimers() = default;
    virtual void Start(TKind kind, int milliseconds) = 0;
    virtual void Stop(TKind kind) = 0;
};

constexpr int dxBarHintGuardTime = 400;

// The hint window, nil while there is none (no hint then shows); not owned.
TdxBarHintDisplay* BarHintDisplay();
void SetBarHintDisplay(TdxBarHintDisplay* display);
// The timers: thread timers unless replaced; nil puts those back. Not owned.
TdxBarHintTimers* BarHintTimers();
void SetBarHintTimers(TdxBarHintTimers* timers);
