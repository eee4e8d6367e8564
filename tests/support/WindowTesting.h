#pragma once
// Helpers of the window tests: real windows on the test's display, driven through the
// application's own message loop, with real mouse and keyboard input.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Forms.h"
#include "TestSupport.h"

// A message box that the application showed, as recorded instead of shown.
struct TShownBox {
    String Text;
    String Caption;
    UINT Flags;
};

// Runs the application's real loop (HandleMessage, idle step included) until pred holds or
// timeoutMs pass.
bool PumpUntil(const std::function<bool()>& pred, int timeoutMs = 3000);
// Runs the loop until its queue has run dry (nothing but timers left) after an idle step, or
// timeoutMs pass: by then everything that the test's last step posted, sent, painted or fed in as
// input has been handled. True when the queue ran dry.
bool PumpUntilIdle(int timeoutMs = 3000);
// Runs the loop until a timer of intervalMs has ticked `ticks` times: for checking that a timer of
// the code under test, on the same clock, has stopped or never started.
bool PumpForTicks(UINT intervalMs, int ticks);
// A fixed stretch of the loop. Tests wait for conditions instead: PumpUntil, PumpUntilIdle,
// PumpForTicks.
[[deprecated("wait for a condition: PumpUntil, PumpUntilIdle or PumpForTicks")]] inline void PumpFor(int ms) {
    PumpUntil([] { return false; }, ms);
}
// An empty form of the given client size, shown at the screen's top-left and made active.
TForm* NewShownTestForm(int clientWidth = 400, int clientHeight = 300);

// Records the application's message boxes and routes exceptions caught at callback barriers to
// the application's handler (as the program does), for the length of a test.
class WindowTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static bool PumpUntil(const std::function<bool()>& pred, int timeoutMs = 3000) {
        return ::PumpUntil(pred, timeoutMs);
    }
    [[deprecated("wait for a condition: PumpUntil, PumpUntilIdle or PumpForTicks")]] static void Pump(int ms) {
        ::PumpUntil([] { return false; }, ms);
    }
    static bool PumpUntilIdle(int timeoutMs = 3000) { return ::PumpUntilIdle(timeoutMs); }
    static std::vector<TShownBox> TakeBoxes();
    static TForm* NewShownForm(int clientWidth = 400, int clientHeight = 300) {
        return NewShownTestForm(clientWidth, clientHeight);
    }
};

// Real input, as a user would give it.
void MoveMouseTo(TPoint screen);
void ClickAt(TPoint screen);
void RightClickAt(TPoint screen);
void MouseButton(bool down);
void RightMouseButton(bool down);
void WheelBy(int delta);
void TypeKey(Word virtualKey);
// One key going down or up, for chords released in another order than TypeChord's.
void KeyDown(Word virtualKey);
void KeyUp(Word virtualKey);
// Presses the keys in order and releases them in reverse: TypeChord({VK_CONTROL, 'S'}).
void TypeChord(std::initializer_list<Word> virtualKeys);
// Types the text character by character as Unicode input (any script).
void TypeText(const String& text);

// Runs action once, from a timer, as soon as `level` popup menu windows (the system's menu
// class) are visible: 1 for a menu, 2 once a sub-menu of it has opened too. Arm the watches
// before the call that shows the menu (and returns when it closes); they fire one per tick in the
// order armed. The action gets the newest menu window.
class TWhileMenuShows {
public:
    explicit TWhileMenuShows(std::function<void(HWND menuWindow)> action, int level = 1);
    ~TWhileMenuShows();
    TWhileMenuShows(const TWhileMenuShows&) = delete;
    TWhileMenuShows& operator=(const TWhileMenuShows&) = delete;
    bool Ran() const { return ran_; }
    void Disarm();

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    std::function<void(HWND)> action_;
    int level_;
    bool ran_ = false;
};
// The visible popup menu windows, the first opened first.
std::vector<HWND> VisibleMenuWindows();
// The screen rectangle of the item at index of a shown popup menu.
TRect MenuItemScreenRect(HMENU menu, int index);

// Runs steps one per timer tick from whatever loop takes the messages, a modal loop included
// (a drag detection, an auto-scroll, a menu): real input can be given while the code under test
// waits in its own loop. A step answers true to move on, false to be tried again next tick. If
// the script has not finished within its time, it releases the mouse capture (which ends the
// toolkit's modal loops) and counts as failed. One script runs at a time.
class TTickScript {
public:
    explicit TTickScript(std::vector<std::function<bool()>> steps, int timeoutMs = 5000, UINT intervalMs = 40);
    ~TTickScript();
    TTickScript(const TTickScript&) = delete;
    TTickScript& operator=(const TTickScript&) = delete;
    bool Done() const { return next_ >= steps_.size(); }
    bool TimedOut() const { return timedOut_; }
    size_t StepsRun() const { return next_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    std::vector<std::function<bool()>> steps_;
    size_t next_ = 0;
    DWORD deadline_;
    bool timedOut_ = false;
    UINT_PTR timer_ = 0;
};
