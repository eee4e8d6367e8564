#pragma once
// TMouse: the mouse as the program sees it (global `Mouse`).

#include <optional>

#include "GraphicsTypes.h"
#include "SysObject.h"

class TMouse : public TObject {
    Z_CLASS(TMouse, TObject)
public:
    TMouse();
    TPoint CursorPos() const;
    void SetCursorPos(TPoint p);
    HWND Capture() const { return GetCapture(); }
    void SetCapture(HWND window);
    bool WheelPresent() const { return GetSystemMetrics(SM_MOUSEWHEELPRESENT) != 0; }
    // Lines to scroll per wheel notch (WHEEL_PAGESCROLL, -1 here, means a page): the system's
    // setting, unless one was given here (tests give one rather than change the session's).
    int WheelScrollLines() const;
    void SetWheelScrollLines(std::optional<int> v) { wheelScrollLines_ = v; }
    // Pixels the mouse must move with a button down before a drag starts.
    int DragThreshold() const { return dragThreshold_; }
    void SetDragThreshold(int v) { dragThreshold_ = v; }
    bool DragImmediate() const { return dragImmediate_; }
    void SetDragImmediate(bool v) { dragImmediate_ = v; }

private:
    std::optional<int> wheelScrollLines_;
    int dragThreshold_ = 5;
    bool dragImmediate_ = true;
};

extern TMouse* Mouse;
