#include "cxWindowHelpers.h"

#include <algorithm>

#include "Application.h"
#include "Form.h"
#include "Screen.h"
#include "WinControl.h"
#include "cxControlScrollBars.h"
#include "cxMessageWindow.h"
#include "cxMouseTracking.h"
#include "cxTimer.h"

Word WM_TOOLKITFORMQUERY = 0;
Word WM_RIBBONSKINCHANGED = 0;

namespace {

bool finalizing = false;

// Bound by name: older systems lack them, and the work area falls back to the primary one.
using TMonitorFromPointProc = HMONITOR(WINAPI*)(POINT, DWORD);
using TGetMonitorInfoAProc = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);
TMonitorFromPointProc monitorFromPoint = nullptr;
TGetMonitorInfoAProc getMonitorInfoA = nullptr;
TAnimateWindowProc animateWindow = nullptr;
HMODULE user32 = nullptr;

struct TCursorResource {
    TCursor id;
    const wchar_t* name;
};
const TCursorResource cursorResources[] = {
    {crcxDragCopy, L"CX_DRAGCOPYCURSOR"},       {crcxFullScroll, L"CX_FULLSCROLLCURSOR"},
    {crcxHorScroll, L"CX_HORSCROLLCURSOR"},     {crcxVerScroll, L"CX_VERSCROLLCURSOR"},
    {crcxUpScroll, L"CX_UPSCROLLCURSOR"},       {crcxRightScroll, L"CX_RIGHTSCROLLCURSOR"},
    {crcxDownScroll, L"CX_DOWNSCROLLCURSOR"},   {crcxLeftScroll, L"CX_LEFTSCROLLCURSOR"},
    {crcxRemove, L"CX_REMOVECURSOR"},           {crcxVertSize, L"CX_VERTSIZECURSOR"},
    {crcxHorzSize, L"CX_HORZSIZECURSOR"},       {crcxMultiDrag, L"CX_MULTIDRAGCURSOR"},
    {crcxNoDrop, L"CX_NODROPCURSOR"},           {crcxDrag, L"CX_DRAGCURSOR"},
    {crcxColorPicker, L"CX_COLORPICKERCURSOR"},
};

void RegisterCursors() {
    if (!Screen) return;
    HINSTANCE module = GetModuleHandleW(nullptr);
    // A cursor missing from the resources falls back to the default one.
    for (const TCursorResource& c : cursorResources) Screen->SetCursors(c.id, LoadCursorW(module, c.name));
    Screen->SetCursors(crcxHandPoint, LoadCursorW(nullptr, IDC_HAND));
}

TRect PrimaryWorkArea() {
    RECT r{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0))
        r = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return r;
}

template <class Char>
std::basic_string<Char> RemoveAccelMarks(const std::basic_string<Char>& caption, bool underscoreLast) {
    std::basic_string<Char> result;
    result.reserve(caption.size());
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != Char('&')) {
            result += caption[i];
        } else if (i + 1 < caption.size()) {
            result += caption[++i];  // the marked character, or the second of "&&"
        } else if (underscoreLast) {
            result += Char('_');
        }
    }
    return result;
}

}  // namespace

bool IsToolkitControlsFinalizing() { return finalizing; }

TAnimateWindowProc AnimateWindowProc() { return animateWindow; }

bool CanAllocateHandle(TControl* control) {
    auto* win = As<TWinControl>(control);
    if (!win) return false;
    if (win->HandleAllocated()) return true;
    if (win->ComponentState().Contains(csDestroying)) return false;
    if (win->ParentWindow()) return true;
    if (win->Parent() && CanAllocateHandle(win->Parent())) return true;
    return Is<TCustomForm>(win) && Application && Application->Handle();
}

wchar_t VirtualKeyToChar(Word key) {
    BYTE state[256];
    if (!GetKeyboardState(state)) return 0;
    WORD chars[2] = {};
    int n = ToAscii(key, MapVirtualKeyA(key, 0), state, chars, 0);
    return n == 1 ? wchar_t(Byte(chars[0])) : 0;
}

TRect MonitorWorkArea(HMONITOR monitor) {
    if (!monitor || !getMonitorInfoA) return PrimaryWorkArea();
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!getMonitorInfoA(monitor, &info)) return PrimaryWorkArea();
    return info.rcWork;
}

TRect WorkAreaAtPoint(TPoint screenPoint) {
    if (!monitorFromPoint) return PrimaryWorkArea();
    return MonitorWorkArea(monitorFromPoint(screenPoint, MONITOR_DEFAULTTONEAREST));
}

TPoint QueryCursorPos() {
    POINT p;
    if (!GetCursorPos(&p)) return TPoint{-1, -1};
    return p;
}

bool HasChildStyle(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0; }

bool IsSelfOrChildWindow(HWND parent, HWND window) { return parent && (window == parent || IsChild(parent, window)); }

bool IsMDIChildForm(TControl* control) {
    auto* form = As<TCustomForm>(control);
    return form && !form->ComponentState().Contains(csDesigning) && form->FormStyle() == fsMDIChild;
}

bool IsMDIFrameForm(TControl* control) {
    auto* form = As<TCustomForm>(control);
    return form && !form->ComponentState().Contains(csDesigning) && form->FormStyle() == fsMDIForm;
}

bool IsCtrlKeyDown() { return (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; }

bool IsMouseButtonDownMessage(UINT message) {
    switch (message) {
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
        case WM_NCRBUTTONDOWN:
        case WM_NCRBUTTONDBLCLK:
        case WM_NCMBUTTONDOWN:
        case WM_NCMBUTTONDBLCLK:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            return true;
        default:
            return false;
    }
}

bool IsAncestorWindow(HWND ancestor, HWND window) {
    if (!ancestor) return false;
    for (HWND w = window ? GetParent(window) : nullptr; w; w = GetParent(w))
        if (w == ancestor) return true;
    return false;
}

bool IsWindowEnabledDeep(HWND window) {
    // Iterative: a deep chain of child windows must not exhaust the stack.
    for (HWND w = window; w; w = GetParent(w)) {
        if (!IsWindowEnabled(w)) return false;
        if (!HasChildStyle(w)) break;
    }
    return window != nullptr;
}

TPoint MapPointBetweenWindows(HWND from, HWND to, TPoint point) {
    POINT p = point;
    MapWindowPoints(from, to, &p, 1);
    return p;
}

TRect MapRectBetweenWindows(HWND from, HWND to, const TRect& rect) {
    RECT r = rect;
    MapWindowPoints(from, to, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TRect QueryClientRect(HWND window) {
    RECT r;
    if (!window || !GetClientRect(window, &r)) return TRect{};
    return r;
}

TRect QueryWindowRect(HWND window) {
    RECT r;
    if (!window || !GetWindowRect(window, &r)) return TRect{};
    return r;
}

TRect ControlWindowRect(TControl* control) {
    auto* win = As<TWinControl>(control);
    if (!win || !win->HandleAllocated()) return TRect{};
    return QueryWindowRect(win->WindowHandle());
}

String ComponentNamePath(const TComponent* component) {
    String result;
    for (const TComponent* c = component; c; c = c->Owner()) {
        // The application owns the forms but has no place in their path.
        if (c->Owner() == nullptr && c != component && c->Name().empty()) break;
        result = result.empty() ? c->Name() : c->Name() + L"." + result;
    }
    return result;
}

WPARAM ShiftStateToMouseKeys(TShiftState shift) {
    WPARAM keys = 0;
    if (shift.Contains(ssShift)) keys |= MK_SHIFT;
    if (shift.Contains(ssCtrl)) keys |= MK_CONTROL;
    if (shift.Contains(ssLeft)) keys |= MK_LBUTTON;
    if (shift.Contains(ssRight)) keys |= MK_RBUTTON;
    if (shift.Contains(ssMiddle)) keys |= MK_MBUTTON;
    return keys;
}

AnsiString RemoveAccelChars(const AnsiString& caption, bool underscoreLast) {
    return RemoveAccelMarks(caption, underscoreLast);
}

String RemoveAccelCharsWide(const String& caption, bool underscoreLast) {
    return RemoveAccelMarks(caption, underscoreLast);
}

void InitializecxWindowHelpers() {
    finalizing = false;
    RegisterCursors();
    user32 = LoadLibraryW(L"USER32");
    if (user32) {
        monitorFromPoint = reinterpret_cast<TMonitorFromPointProc>(GetProcAddress(user32, "MonitorFromPoint"));
        getMonitorInfoA = reinterpret_cast<TGetMonitorInfoAProc>(GetProcAddress(user32, "GetMonitorInfoA"));
        animateWindow = reinterpret_cast<TAnimateWindowProc>(GetProcAddress(user32, "AnimateWindow"));
    }
    WM_TOOLKITFORMQUERY = Word(RegisterWindowMessageA("{B2CE3777-44D8-4998-9701-47BBBC10B656}"));
    WM_RIBBONSKINCHANGED = Word(RegisterWindowMessageA("{B2CE3777-44D8-1321-4656-12C54AA613BB}"));
    CreateSystemController();
}

void FinalizecxWindowHelpers() {
    finalizing = true;
    FreeSystemController();
    FinalizeMouseTracking();
    monitorFromPoint = nullptr;
    getMonitorInfoA = nullptr;
    animateWindow = nullptr;
    if (user32) FreeLibrary(user32);
    user32 = nullptr;
    FreeSettingsController();
    FinalizeTimers();
    FreeMessageWindow();
}
