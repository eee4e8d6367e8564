#pragma once
// Helpers of the control tests: a plain focusable control, a click counter, a script that
// drives a modal form from timer ticks, and colours resolved for pixel comparisons.

#include <cstdlib>
#include <functional>
#include <vector>

#include <string>

#include "CustomControl.h"
#include "Form.h"
#include "Menus.h"
#include "Themes.h"
#include "Timer.h"

// A focusable control that is no button, so that a form's default button stays active.
class TFocusTarget : public TCustomControl {
public:
    explicit TFocusTarget(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
};

struct TClickCount : TObject {
    int clicks = 0;
    void Click(TObject*) { ++clicks; }
};

inline TColor RgbOf(TColor c) { return TColor(ColorToRGB(c)); }

// Tests of the visual-style paths run in the themed ctest entry (controls_tests_themed), which
// sets ZARNIK_EXPECT_THEMES: there they fail when the styles did not come on, elsewhere they skip.
#define REQUIRE_THEMES()                                                                                 \
    do {                                                                                                 \
        if (!ThemesActive()) {                                                                           \
            if (std::getenv("ZARNIK_EXPECT_THEMES")) FAIL() << "the themed run found visual styles off"; \
            GTEST_SKIP() << "the visual styles are off in this prefix";                                  \
        }                                                                                                \
    } while (false)

// A popup menu that records where it was asked to show instead of showing.
class TSpyPopupMenu : public TPopupMenu {
public:
    using TPopupMenu::TPopupMenu;
    void Popup(int X, int Y) override { shown.push_back(std::to_string(X) + "," + std::to_string(Y)); }
    std::vector<std::string> shown;
};

// "x,y", as the spy records points.
inline std::string PointText(TPoint p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

// Runs steps one per timer tick while a modal form runs; ends the form with `timeoutResult`
// when the steps are done and it is still open some ticks later.
class TModalScript : public TObject {
public:
    TModalScript(TCustomForm* form, std::vector<std::function<void()>> steps, TModalResult timeoutResult = 99)
        : form_(form), steps_(std::move(steps)), timeoutResult_(timeoutResult), timer_(new TTimer(nullptr)) {
        timer_->SetInterval(40);
        timer_->SetOnTimer(MakeEvent(this, &TModalScript::Tick));
    }
    ~TModalScript() override { delete timer_; }

private:
    void Tick(TObject*) {
        // The first step waits until the form is the active window.
        if (next_ == 0 && GetForegroundWindow() != form_->WindowHandle()) return;
        if (next_ < steps_.size()) {
            steps_[next_++]();
        } else if (++idle_ > 15 && form_->ModalResult() == mrNone) {
            form_->SetModalResult(timeoutResult_);
        }
    }
    TCustomForm* form_;
    std::vector<std::function<void()>> steps_;
    TModalResult timeoutResult_;
    TTimer* timer_;
    size_t next_ = 0;
    int idle_ = 0;
};
