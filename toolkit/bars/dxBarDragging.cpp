// Dragging a toolbar window with the mouse: a modal loop that holds the capture on the manager's
// form, moves the window with the cursor, and takes it into a dock it comes near or out of its
// dock. A floating window docks only after the cursor has rested over a dock for the manager's
// WaitForDockingTime (a thread timer); Ctrl held down never docks, and pressing or releasing Ctrl
// re-evaluates the place without moving the mouse; Escape ends the drag where the window is.

#include <windowsx.h>

#include <utility>

#include "CallbackBarrier.h"
#include "cxObjectLinks.h"
#include "dxBar.h"
#include "dxBarControl.h"
#include "dxBarDockControl.h"
#include "dxBarManager.h"

namespace {

// One waiting dock at a time for the whole process.
UINT_PTR dockingTimer = 0;
TdxBars* dockingTimerBars = nullptr;

void KillDockingTimer() {
    if (dockingTimer) KillTimer(nullptr, std::exchange(dockingTimer, 0));
    dockingTimerBars = nullptr;
}

void CALLBACK DockingTimerProc(HWND, UINT, UINT_PTR, DWORD) {
    TdxBars* bars = dockingTimerBars;
    KillDockingTimer();
    if (bars) CallbackBarrier([&] { DockingTimerStepFor(bars); });
}

// The window of the manager's form, which holds the capture while a bar is dragged.
HWND DragCaptureWindow(TdxBarManager* manager) {
    auto* form = manager ? As<TWinControl>(manager->Owner()) : nullptr;
    return form && form->HandleAllocated() ? form->Handle() : nullptr;
}

bool IsPointInDockZone(TdxDockControl* dock, const TPoint& p) {
    if (!dock->HandleAllocated() || !IsWindowVisible(dock->Handle())) return false;
    RECT r;
    GetWindowRect(dock->Handle(), &r);
    const int zone = TdxBars::DockingZoneSize;
    InflateRect(&r, zone, dock->IsHorizontal() ? zone : 0);
    POINT pt{p.x, p.y};
    if (!PtInRect(&r, pt)) return false;
    // A dock on a panel counts only where its panel is not covered by a sibling.
    TWinControl* parent = dock->Parent();
    TWinControl* grandParent = parent ? parent->Parent() : nullptr;
    if (grandParent && grandParent->HandleAllocated()) {
        POINT c = pt;
        ScreenToClient(grandParent->Handle(), &c);
        HWND child = ChildWindowFromPointEx(grandParent->Handle(), c, CWP_SKIPINVISIBLE);
        if (child != parent->Handle()) return false;
    }
    return true;
}

}  // namespace

void DockingTimerStepFor(TdxBars* bars) { bars->DockingTimerStep(); }

TdxDockControl* TdxBars::FindDockOfStyle(TdxBar* bar, TdxBarDockingStyle style, const TPoint& point) const {
    TdxBarManager* manager = BarManager();
    for (int i = 0; manager && i < manager->GetDockControlCount(); ++i) {
        TdxDockControl* dock = manager->GetDockControl(i);
        if (dock->DockingStyle() != style || !dock->GetDockedBarControlClass()) continue;
        if (!dock->CanFocus() && !manager->ComponentState().Contains(csDesigning)) continue;
        if (manager->IsDockingAllowed(bar, style, dock) && IsPointInDockZone(dock, point)) return dock;
    }
    return nullptr;
}

void TdxBars::FindDockingTarget(TdxBar* bar, const TPoint& point, TdxBarDockingStyle& style,
                                TdxDockControl*& dock) const {
    style = dsNone;
    dock = nullptr;
    if (moving_ && (GetAsyncKeyState(VK_CONTROL) & 0x8000)) return;
    static constexpr TdxBarDockingStyle order[] = {dsLeft, dsRight, dsTop, dsBottom};
    for (int pass = 0; pass < (moving_ ? 2 : 1); ++pass) {
        const TPoint p = pass == 0 ? point : TPoint{point.x - grabOffset_.x, point.y - grabOffset_.y};
        for (TdxBarDockingStyle s : order)
            if ((dock = FindDockOfStyle(bar, s, p))) {
                style = s;
                return;
            }
    }
}

void TdxBars::MoveBarTo(TdxBarControl* window, TPoint point) {
    TdxBar* bar = window->Bar();
    TdxBarManager* manager = BarManager();
    if (!bar || !manager) return;
    TdxBarDockingStyle style;
    TdxDockControl* dock;
    FindDockingTarget(bar, point, style, dock);
    if (!manager->IsDockingAllowed(bar, style, dock)) return;
    if (!dockingTimerStep_ && window->DockingStyle() == dsNone && style != dsNone) {
        // A floating window docks only when the cursor rests over the dock.
        KillDockingTimer();
        dockingTimer = SetTimer(nullptr, 0, UINT(manager->WaitForDockingTime()), &DockingTimerProc);
        dockingTimerBars = this;
        style = dsNone;
        dock = nullptr;
    }
    if (style == dsNone) point = TPoint{point.x - grabOffset_.x, point.y - grabOffset_.y};
    if (style == window->DockingStyle() && (style == dsNone || dock == window->DockControl())) {
        if (style != dsNone) {
            dock->MoveBar(window, point);
        } else {
            const TPoint offset = window->GetCursorOffset(dsNone);
            SetWindowPos(window->Handle(), nullptr, point.x - offset.x, point.y - offset.y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return;
    }
    SetWindowPos(window->Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    if (window->DockControl()) window->DockControl()->RemoveBar(window, nullptr, true);
    if (style != dsNone) {
        window->BeginInternalUpdate();
        try {
            window->ChangeDockingStyle(style, dock);
        } catch (...) {
            window->EndInternalUpdate();
            throw;
        }
        window->EndInternalUpdate();
        dock->InsertBar(window, point, true);
    } else {
        window->ChangeDockingStyle(dsNone, nullptr);
        const TSize size = window->CalcBarSize(dsNone);
        const TPoint offset = window->GetCursorOffset(dsNone);
        SetWindowPos(window->Handle(), nullptr, point.x - offset.x, point.y - offset.y, size.cx, size.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        window->RebuildWindow();
    }
    ShowWindow(window->Handle(), SW_SHOWNA);
}

void TdxBars::DockingTimerStep() {
    TdxBarControl* window = draggedWindow_;
    if (!window || !moving_) return;
    POINT cursor;
    GetCursorPos(&cursor);
    dockingTimerStep_ = true;
    struct TClear {
        bool& flag;
        ~TClear() { flag = false; }
    } clear{dockingTimerStep_};
    MoveBarTo(window, TPoint{cursor.x + grabOffset_.x, cursor.y + grabOffset_.y});
}

void TdxBars::DragBar(TdxBarControl* window) {
    TdxBar* bar = window->Bar();
    TdxBarManager* manager = BarManager();
    if (!bar || !manager || !window->CanMove() || moving_) return;
    HWND capture = DragCaptureWindow(manager);
    if (!capture) return;
    TcxObjectLinkGuard alive(window);
    POINT cursor;
    GetCursorPos(&cursor);
    moving_ = true;
    window->SetMoving(true);
    dragStartStyle_ = window->DockingStyle();
    grabOffset_ = cursorOffset_ = TPoint{0, 0};
    if (TdxDockControl* dock = window->DockControl()) {
        // The bar stays in its row until the cursor has crossed half a row zone.
        TPoint centred{cursor.x, cursor.y};
        dock->CentrePointInRow(bar->Row(), bar->OneOnRow(), centred);
        if (dock->IsHorizontal())
            grabOffset_.y = centred.y - cursor.y;
        else
            grabOffset_.x = centred.x - cursor.x;
        RECT w;
        GetWindowRect(window->Handle(), &w);
        cursorOffset_ = TPoint{cursor.x - w.left, cursor.y - w.top};
    }
    // The end of the drag, also when an exception leaves the loop.
    struct TEnd {
        TdxBars* bars;
        TdxBarControl* window;
        TcxObjectLinkGuard& alive;
        HWND capture;
        ~TEnd() {
            KillDockingTimer();
            if (GetCapture() == capture) ReleaseCapture();
            if (alive.Alive()) window->SetMoving(false);
            bars->moving_ = false;
            bars->draggedWindow_ = nullptr;
        }
    } end{this, window, alive, capture};
    SetCapture(capture);
    TPoint last{-1, -1};
    while (GetCapture() == capture && alive.Alive()) {
        MSG msg;
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1) break;
        if (got == 0) {
            PostQuitMessage(int(msg.wParam));
            break;
        }
        if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam == VK_CONTROL) {
            // Ctrl turns docking off and on where the cursor is.
            POINT p;
            GetCursorPos(&p);
            msg = MSG{};
            msg.message = WM_MOUSEMOVE;
            msg.lParam = MAKELPARAM(p.x, p.y);
            last = TPoint{-1, -1};
        } else if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) break;
            continue;
        }
        if (msg.message == WM_MOUSEMOVE) {
            POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
            if (msg.hwnd) ClientToScreen(msg.hwnd, &p);
            if (p.x == last.x && p.y == last.y) continue;
            last = TPoint{p.x, p.y};
            MoveBarTo(window, TPoint{p.x + grabOffset_.x, p.y + grabOffset_.y});
            continue;
        }
        if (msg.message == WM_LBUTTONUP) break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}
