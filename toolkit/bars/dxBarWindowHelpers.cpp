#include "dxBarWindowHelpers.h"

#include <algorithm>
#include <vector>

#include "Application.h"
#include "CallbackBarrier.h"
#include "Form.h"
#include "cxPopupWindowRelations.h"
#include "cxWindowHelpers.h"
#include "dxBarUnit.h"

namespace {

bool IsChildStyle(HWND window) { return (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) != 0; }

// Takes the next message of the range with GetMessage and dispatches it; false (and the loop
// ends) on a failure or on a WM_QUIT, which is posted again.
bool TakeAndDispatch(HWND window, UINT first, UINT last) {
    MSG msg;
    BOOL result = GetMessageW(&msg, window, first, last);
    if (result == -1) return false;
    if (result == 0) {
        PostQuitMessage(int(msg.wParam));
        return false;
    }
    DispatchMessageW(&msg);
    return true;
}

// Paints the window, when its paint is pending and it was not painted yet, and then its
// descendants the same way (enumeration callback: data is the list of painted windows).
BOOL CALLBACK PaintPendingWindow(HWND window, LPARAM data) {
    return CallbackBarrier(TRUE, [&] {
        auto& painted = *reinterpret_cast<std::vector<HWND>*>(data);
        if (std::find(painted.begin(), painted.end(), window) == painted.end() &&
            GetUpdateRect(window, nullptr, FALSE)) {
            painted.push_back(window);
            UpdateWindow(window);  // sends the one WM_PAINT
        }
        return TRUE;
    });
}

BOOL CALLBACK PaintPendingTopLevelWindow(HWND window, LPARAM data) {
    PaintPendingWindow(window, data);
    EnumChildWindows(window, &PaintPendingWindow, data);  // every descendant
    return TRUE;
}

// Paints every window of the thread whose paint is pending and that is not in painted.
void PaintPendingThreadWindows(std::vector<HWND>& painted) {
    EnumThreadWindows(GetCurrentThreadId(), &PaintPendingTopLevelWindow, reinterpret_cast<LPARAM>(&painted));
}

}  // namespace

void SetWindowZOrder(HWND window, HWND insertAfter, bool activate, UINT flags) {
    SetWindowPos(window, insertAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | (activate ? 0 : SWP_NOACTIVATE) | flags);
}

TWinControl* FindWindowedParentControl(HWND window) {
    for (HWND w = window; w; w = GetParent(w)) {
        if (TWinControl* control = FindControl(w)) return control;
        if (!IsChildStyle(w)) break;
    }
    return nullptr;
}

TWinControl* FindControlUpChain(HWND window) {
    for (HWND w = window; w; w = GetParent(w))
        if (TWinControl* control = FindControl(w)) return control;
    return nullptr;
}

bool IsWindowOwnedBy(HWND window, HWND parent) { return IsAncestorWindow(parent, window); }

bool IsActiveWindowHandle(HWND window) { return window && window == GetActiveWindow(); }

bool IsWindowOrParentFocused(HWND window) {
    HWND focus = GetFocus();
    for (HWND w = window; w && focus; w = GetParent(w)) {
        if (w == focus) return true;
        if (!IsChildStyle(w)) break;
    }
    return false;
}

void ActivateTopWindowOf(HWND window) {
    if (HWND top = FirstNonChildAncestor(window)) SetActiveWindow(top);
}

void SendCancelModeToActiveForm() {
    HWND active = GetActiveWindow();
    if (active && Is<TCustomForm>(FindControl(active))) SendMessageW(active, WM_CANCELMODE, 0, 0);
}

HWND FindDeepestChildAt(HWND window, POINT clientPoint) {
    HWND current = window;
    POINT p = clientPoint;
    for (;;) {
        HWND child = ChildWindowFromPointEx(current, p, CWP_SKIPINVISIBLE);
        if (!child || child == current) return current;
        MapWindowPoints(current, child, &p, 1);
        current = child;
    }
}

HWND FindWindowAtScreenPoint(POINT screenPoint) {
    HWND window = WindowFromPoint(screenPoint);
    if (!window) return nullptr;
    POINT p = screenPoint;
    ScreenToClient(window, &p);
    return FindDeepestChildAt(window, p);
}

bool IsForeignProcessWindow(HWND window) {
    if (!window) return true;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process != GetCurrentProcessId();
}

bool IsLeftButtonDown() { return GetAsyncKeyState(GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON) < 0; }

bool IsRightButtonDown() { return GetAsyncKeyState(GetSystemMetrics(SM_SWAPBUTTON) ? VK_LBUTTON : VK_RBUTTON) < 0; }

bool IsMouseButtonDown() { return IsLeftButtonDown() || IsRightButtonDown() || GetAsyncKeyState(VK_MBUTTON) < 0; }

TShortCut ShortCutFromKeyMessage(Word key, LPARAM keyData) {
    if (key == 0) return 0;
    TShortCut shortCut = key;
    if (GetKeyState(VK_SHIFT) < 0) shortCut |= scShift;
    if (GetKeyState(VK_CONTROL) < 0) shortCut |= scCtrl;
    if (keyData & 0x20000000) shortCut |= scAlt;  // the context bit: Alt held
    return shortCut;
}

bool KeyHasPrintableChar(Word key) {
    UINT ch = MapVirtualKeyW(key, MAPVK_VK_TO_CHAR) & 0x7FFFFFFF;
    return ch != 0 && ch != L' ' && ch >= 32;
}

void DropPendingCharMessages(HWND window) { DropWindowMessages(window, WM_CHAR, WM_CHAR, true); }

void DispatchPendingPaintMessages() {
    std::vector<HWND> painted;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT) {
            TakeAndDispatch(nullptr, WM_PAINT, WM_PAINT);  // takes the WM_QUIT and posts it again
            return;
        }
        // A window painted in this call that still asks is one whose painting leaves it invalid:
        // the queue would offer it before every other window, so they are painted one by one.
        if (std::find(painted.begin(), painted.end(), msg.hwnd) != painted.end()) {
            PaintPendingThreadWindows(painted);
            return;
        }
        painted.push_back(msg.hwnd);
        if (!TakeAndDispatch(msg.hwnd, WM_PAINT, WM_PAINT)) return;
    }
}

void DispatchPendingMouseMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSEWHEEL, PM_NOREMOVE))
        if (!TakeAndDispatch(nullptr, WM_MOUSEFIRST, WM_MOUSEWHEEL)) return;
}

void SetWindowAlphaBlend(HWND window, Byte alpha) {
    TSetLayeredWindowAttributesProc setAttributes = SetLayeredWindowAttributesProc();
    if (!setAttributes) return;
    LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    if (alpha < 255) {
        if (!(exStyle & WS_EX_LAYERED)) SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
        setAttributes(window, 0, alpha, LWA_ALPHA);
    } else if (exStyle & WS_EX_LAYERED) {
        SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle & ~LONG_PTR(WS_EX_LAYERED));
        RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
    }
}

int BarMessageBox(const String& text, UINT flags) { return Application->MessageBox(text, Application->Title(), flags); }

TRect GetWorkAreaAt(TPoint screenPoint) { return WorkAreaAtPoint(screenPoint); }
