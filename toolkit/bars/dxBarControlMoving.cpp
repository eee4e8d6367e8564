// The toolbar window's side of moving: what a point means (the drag area answers HTCLIENT to
// the system so that the press reaches the window, which runs its own drag), the change between
// docked and floating while the same window object lives on, and the cursor's offset in a window
// whose size changes with its docking style.

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "cxObjectLinks.h"
#include "dxBar.h"
#include "dxBarControl.h"
#include "dxBarDockControl.h"
#include "dxBarItemControl.h"
#include "dxBarManager.h"

int TdxBarControl::HitTest(int defaultCode, const TPoint& p, int& systemCode) {
    systemCode = HTCLIENT;
    // The MDI buttons take their own presses.
    if (defaultCode == HTCLIENT && MDIButtonAtPoint(p) >= 0) return 0;
    if (DockingStyle() != dsNone) {
        TdxBarItemControl* control = defaultCode == HTCLIENT ? ItemControlAtPoint(p) : nullptr;
        const bool emptySpot = (defaultCode == HTCLIENT && (!control || (!IsCustomizing() && !control->AcceptsMouse()))) ||
                               defaultCode == HTNOWHERE;
        if (!emptySpot) return defaultCode;
        const TRect mark = MarkRect();
        if (PtInRect(&mark, p)) {
            systemCode = defaultCode;
            return 0;
        }
        return HTCAPTION;
    }
    switch (defaultCode) {
        case HTCAPTION:
            return HTCAPTION;
        case HTCLIENT: {
            TdxBarItemControl* control = ItemControlAtPoint(p);
            if (control && (IsCustomizing() || control->AcceptsMouse())) return 0;
            return HTCAPTION;
        }
        default:
            // The frame sizes the window and the close button closes it: the system's own.
            systemCode = defaultCode;
            return defaultCode;
    }
}

void TdxBarControl::WMNCHitTest(TMessage& m) {
    DefaultHandler(m);
    const TPoint p = ScreenToClient(TPoint{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
    int systemCode;
    internalHitTest_ = HitTest(int(m.Result), p, systemCode);
    m.Result = systemCode;
}

void TdxBarControl::HandleMouseDown(TMouseButton button, TShiftState shift, const TPoint& p,
                                    TdxBarItemControl* control) {
    if (button == mbRight) ReleaseCapture();
    TcxObjectLinkGuard self(this);
    TCustomdxBarControl::HandleMouseDown(button, shift, p, control);
    if (!self.Alive() || button != mbLeft) return;
    // A quick second click on an MDI button presses it again.
    if (PressMDIButton(p) || shift.Contains(ssDouble)) return;
    if (internalHitTest_ == HTCAPTION && !IsCustomizing() && bar_ && GetManager()) {
        RECT w;
        GetWindowRect(Handle(), &w);
        const TPoint screen = ClientToScreen(p);
        dragPoint_ = TPoint{screen.x - w.left, screen.y - w.top};
        dragSize_ = TSize{w.right - w.left, w.bottom - w.top};
        GetManager()->Bars()->DragBar(this);
    }
}

bool TdxBarControl::CanMove() const { return bar_ && bar_->CanMove(); }

void TdxBarControl::SetMoving(bool value) {
    if (moving_ == value) return;
    moving_ = value;
    if (TdxBarManager* manager = GetManager()) manager->Bars()->SetDraggedWindow(value ? this : nullptr);
    if (!value) {
        if (dockControl_) dockControl_->UpdateColumnPositions();
        if (bar_) bar_->FollowWindow();
    }
}

void TdxBarControl::ChangeDockingStyle(TdxBarDockingStyle style, TdxDockControl* dock) {
    if (!bar_ || IsDestroying()) return;
    BeginInternalUpdate();
    try {
        if (dockControl_ && dockControl_ != dock) dockControl_->RemoveBar(this, nullptr, true);
        DestroyHandle();
        if (dock) {
            SetDockingStyle(style);
            dockControl_ = dock;
            SetParent(dock);
        } else {
            dockControl_ = nullptr;
            SetParent(nullptr);
            SetDockingStyle(dsNone);
        }
        SetTruncated(false);
        HandleNeeded();
    } catch (...) {
        EndInternalUpdate();
        throw;
    }
    EndInternalUpdate();
}

TSize TdxBarControl::CalcBarSize(TdxBarDockingStyle style) {
    if (style == dsNone) {
        const TSize client = ArrangeFloating(CalcFullLength(true, false));
        RECT r{0, 0, client.cx, client.cy};
        AdjustWindowRectEx(&r, FloatingStyle, FALSE, FloatingExStyle);
        return TSize{r.right - r.left, r.bottom - r.top};
    }
    const bool horizontal = style == dsTop || style == dsBottom;
    const int length = CalcFullLength(horizontal, true), thickness = CalcThickness(horizontal);
    return horizontal ? TSize{length, thickness} : TSize{thickness, length};
}

TPoint TdxBarControl::GetCursorOffset(TdxBarDockingStyle style) {
    TdxBarManager* manager = GetManager();
    TdxBars* bars = manager ? manager->Bars() : nullptr;
    if (bars && bars->DraggedWindow() == this && style != dsNone && style == bars->DragStartStyle()) {
        const TPoint grab = bars->GrabOffset(), cursor = bars->CursorOffset();
        return style == dsLeft || style == dsRight ? TPoint{-grab.x, cursor.y} : TPoint{cursor.x, -grab.y};
    }
    const TSize size = CalcBarSize(style);
    if (dragSize_.cx <= 0 || dragSize_.cy <= 0) return TPoint{size.cx / 2, size.cy / 2};
    return TPoint{MulDiv(size.cx, dragPoint_.x, dragSize_.cx), MulDiv(size.cy, dragPoint_.y, dragSize_.cy)};
}

// ---- Floating sizes -------------------------------------------------------------------------

TSize TdxBarControl::ArrangeFloating(int clientWidth) {
    clientWidth = std::max(clientWidth, MinFloatingWidth);
    const int rowThickness = CalcThickness(true) - 2 * BorderSize;
    TdxBarItemLinks* links = ItemLinks();
    int x = BorderSize, rows = 1, longest = BorderSize;
    for (int i = 0; links && i < links->GetShownLinkCount(); ++i) {
        TdxBarItemLink* link = links->GetShownLink(i);
        const int length = LinkLength(link, true);
        int gap = x > BorderSize ? GetLinkBeginGroupSize(link) : 0;
        if (x > BorderSize && x + gap + length > clientWidth - BorderSize) {
            x = BorderSize;
            ++rows;
            gap = 0;
        }
        x += gap + length;
        longest = std::max(longest, x);
    }
    return TSize{std::max(longest + BorderSize, MinFloatingWidth), rows * rowThickness + 2 * BorderSize};
}

TSize TdxBarControl::ArrangeFloatingForHeight(int clientHeight) {
    TSize size = ArrangeFloating(CalcFullLength(true, false));
    // Narrower while the rows still fit the height and the width still changes.
    for (int width = size.cx - 1; width >= MinFloatingWidth; --width) {
        const TSize narrower = ArrangeFloating(width);
        if (narrower.cy > clientHeight) break;
        size = narrower;
    }
    return size;
}

void TdxBarControl::WMSizing(TMessage& m) {
    DefaultHandler(m);
    if (DockingStyle() != dsNone || !HandleAllocated()) return;
    auto* r = reinterpret_cast<RECT*>(m.LParam);
    RECT w, c;
    GetWindowRect(Handle(), &w);
    GetClientRect(Handle(), &c);
    const int frameWidth = (w.right - w.left) - c.right, frameHeight = (w.bottom - w.top) - c.bottom;
    switch (m.WParam) {
        case WMSZ_LEFT:
        case WMSZ_RIGHT: {
            const TSize size = ArrangeFloating(r->right - r->left - frameWidth);
            if (m.WParam == WMSZ_LEFT)
                r->left = r->right - size.cx - frameWidth;
            else
                r->right = r->left + size.cx + frameWidth;
            r->bottom = r->top + size.cy + frameHeight;
            break;
        }
        case WMSZ_TOP:
        case WMSZ_BOTTOM: {
            const TSize size = ArrangeFloatingForHeight(r->bottom - r->top - frameHeight);
            r->right = r->left + size.cx + frameWidth;
            if (m.WParam == WMSZ_TOP)
                r->top = r->bottom - size.cy - frameHeight;
            else
                r->bottom = r->top + size.cy + frameHeight;
            break;
        }
        default:
            *r = w;
            break;
    }
    if (r->top < -15) OffsetRect(r, 0, -15 - r->top);
    m.Result = 1;
}

void TdxBarControl::WMGetMinMaxInfo(TMessage& m) {
    DefaultHandler(m);
    auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
    info->ptMinTrackSize = POINT{10, 10};
    info->ptMaxTrackSize = info->ptMaxSize = POINT{30000, 30000};
}

namespace {
BOOL CALLBACK CountIntersectedWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto* probe = reinterpret_cast<std::pair<RECT, bool>*>(data);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    RECT common;
    if (GetMonitorInfoW(monitor, &info) && IntersectRect(&common, &info.rcWork, &probe->first)) probe->second = true;
    return TRUE;
}
}  // namespace

void TdxBarControl::WMWindowPosChanging(TMessage& m) {
    Inherited<TCustomdxBarControl>(m);
    auto* pos = reinterpret_cast<WINDOWPOS*>(m.LParam);
    if (DockingStyle() != dsNone || !HandleAllocated() || (pos->flags & SWP_NOMOVE && pos->flags & SWP_NOSIZE)) return;
    RECT w;
    GetWindowRect(Handle(), &w);
    const int x = pos->flags & SWP_NOMOVE ? w.left : pos->x, y = pos->flags & SWP_NOMOVE ? w.top : pos->y;
    const int width = pos->flags & SWP_NOSIZE ? w.right - w.left : pos->cx;
    const int height = pos->flags & SWP_NOSIZE ? w.bottom - w.top : pos->cy;
    std::pair<RECT, bool> probe{RECT{x, y, x + width, y + height}, false};
    EnumDisplayMonitors(nullptr, nullptr, &CountIntersectedWorkArea, reinterpret_cast<LPARAM>(&probe));
    if (probe.second) return;
    POINT cursor;
    GetCursorPos(&cursor);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &info)) return;
    const RECT& work = info.rcWork;
    auto place = [&](int newX, int newY) {
        pos->x = newX;
        pos->y = newY;
        pos->flags &= ~UINT(SWP_NOMOVE);
    };
    if (work.left >= x + width) place(work.left, y);
    if (work.top >= y + height) place(x, work.top);
    if (x >= work.right) place(work.right - width, y);
    if (y >= work.bottom) place(x, work.bottom - height);
}
