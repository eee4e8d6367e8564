#pragma once
// The painted scroll bars and the size grip that a TcxControl shows as child windows, and the
// process-wide controller that tells those controls when the system's scroll-bar metrics change.
//
// A derived control describes its content in CalculateScrollBarParams by calling
// SetScrollBarInfo for each kind of bar; RecalcScrollBars (after every resize, and whenever the
// content changes) shows, hides, enables and places the bars without flicker and without the
// oscillation where showing one bar makes it unnecessary and hiding it makes it needed again.

#include <vector>

#include "CustomControl.h"
#include "cxLookAndFeel.h"
#include "cxScrollBar.h"

class TcxControl;

// What the control's calculation decided for one bar, applied to the bar window afterwards.
struct TcxScrollBarData {
    int Min = 0, Max = 100, Position = 0, PageSize = 0;
    SmallInt SmallChange = 1, LargeChange = 1;
    bool Enabled = true, Visible = false, AllowShow = true, AllowHide = true;
};

// One of a control's scroll bars: hidden until the control needs it, never a tab stop, and
// drawn with the control's look-and-feel.
class TcxControlScrollBar : public TcxScrollBar {
    Z_CLASS(TcxControlScrollBar, TcxScrollBar)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_LBUTTONDOWN, WMLButtonDown), Z_MESSAGE(CM_DESIGNHITTEST, CMDesignHitTest))
public:
    explicit TcxControlScrollBar(TComponent* AOwner);
    TcxScrollBarData& Data() { return data_; }
    const TcxScrollBarData& Data() const { return data_; }
    // Lets the platform show or hide the window as Visible says (the control calls it after it
    // painted).
    void RefreshState() { UpdateControlState(); }

private:
    // The click first moves the focus: to a parent TcxControl that wants it on scroll-bar
    // clicks, to any other parent that can take it.
    void WMLButtonDown(TMessage& Message);
    void CMDesignHitTest(TMessage& Message) { Message.Result = 1; }

    TcxScrollBarData data_;
};

// The square between the two bars, in the painter's form-content colour.
class TcxSizeGrip : public TCustomControl {
    Z_CLASS(TcxSizeGrip, TCustomControl)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_ERASEBKGND, WMEraseBkgnd))
public:
    explicit TcxSizeGrip(TComponent* AOwner);
    ~TcxSizeGrip() override;
    TcxLookAndFeel* LookAndFeel() const { return lookAndFeel_; }
    void RefreshState() { UpdateControlState(); }

protected:
    void Paint() override;

private:
    void WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }
    void LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) { Invalidate(); }

    TcxLookAndFeel* lookAndFeel_;
};

// Hears WM_SETTINGCHANGE for the non-client metrics on a hidden window, which exists while any
// control with scroll bars does, and passes it on to those controls as
// CM_SCROLLBARMETRICSCHANGED.
class TcxSettingsController : public TObject {
    Z_CLASS(TcxSettingsController, TObject)
public:
    TcxSettingsController() = default;
    ~TcxSettingsController() override;
    void AddListener(TcxControl* control);
    void RemoveListener(TcxControl* control);
    HWND WindowHandle() const { return window_; }
    int ListenerCount() const { return int(listeners_.size()); }

private:
    void WndProc(TMessage& Message);
    std::vector<TcxControl*> listeners_;
    HWND window_ = nullptr;
};

// The process's controller, made on first use (not while the toolkit is finishing).
TcxSettingsController* SettingsController();
void FreeSettingsController();
