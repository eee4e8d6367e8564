#pragma once
// TScreen: the screen as the program sees it (global `Screen`): the cursor table, the screen
// cursor, pixels per inch, the forms and the active form, monitors and work areas, and the
// system's hint and menu fonts.

#include <map>
#include <vector>

#include "Form.h"

// One display monitor.
class TMonitor : public TObject {
    Z_CLASS(TMonitor, TObject)
public:
    HMONITOR Handle() const { return handle_; }
    int MonitorNum() const { return number_; }
    TRect BoundsRect() const;
    TRect WorkareaRect() const;
    int Left() const { return BoundsRect().left; }
    int Top() const { return BoundsRect().top; }
    int Width() const { return RectWidth(BoundsRect()); }
    int Height() const { return RectHeight(BoundsRect()); }
    bool Primary() const;

private:
    friend class TScreen;
    HMONITOR handle_ = nullptr;
    int number_ = 0;
};

class TScreen : public TComponent {
    Z_CLASS(TScreen, TComponent)
public:
    explicit TScreen(TComponent* AOwner);
    ~TScreen() override;

    // The cursor of an id: the standard ones (crArrow ...) and those the program registers.
    // An unknown id gives the default arrow.
    HCURSOR Cursors(TCursor id) const;
    void SetCursors(TCursor id, HCURSOR cursor);
    // The cursor shown over every control of the program while it is not crDefault.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor v);

    int PixelsPerInch() const { return pixelsPerInch_; }
    // Replaces the value read from the screen (tests of scaling); nothing redraws.
    void SetPixelsPerInch(int v) { pixelsPerInch_ = v; }
    int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
    int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
    TRect DesktopRect() const;
    TRect WorkAreaRect() const;
    int MonitorCount();
    TMonitor* Monitors(int index);
    TMonitor* MonitorFromPoint(TPoint p);
    TMonitor* MonitorFromWindow(HWND window);

    int FormCount() const { return int(forms_.size()); }
    TCustomForm* Forms(int index) const { return forms_.at(size_t(index)); }
    TCustomForm* ActiveForm() const { return activeForm_; }
    TWinControl* ActiveControl() const { return activeControl_; }
    TNotifyEvent OnActiveFormChange, OnActiveControlChange;

    TFont* HintFont() const { return hintFont_; }
    TFont* MenuFont() const { return menuFont_; }
    TFont* IconFont() const { return iconFont_; }

    // Internal: kept up to date by the forms.
    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    void SetActiveForm(TCustomForm* form);
    void SetActiveControl(TWinControl* control);
    void ControlDestroyed(TControl* control);

private:
    void LoadSystemFonts();
    void RefreshMonitors();
    TMonitor* FindMonitor(HMONITOR handle);

    std::map<TCursor, HCURSOR> cursors_;
    TCursor cursor_ = crDefault;
    int pixelsPerInch_ = 96;
    std::vector<TCustomForm*> forms_;
    std::vector<TMonitor*> monitors_;
    TCustomForm* activeForm_ = nullptr;
    TWinControl* activeControl_ = nullptr;
    TFont* hintFont_;
    TFont* menuFont_;
    TFont* iconFont_;
};

extern TScreen* Screen;
