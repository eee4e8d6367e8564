// The toolbar window's side of moving: what a point means (the drag area answers HTCLIENT to
// the system so that the press reaches the window, which runs its own drag), the change between
// docked and floating while the same window object lives on, and the cursor's offset in a window
// whose size changes with its docking style.

#include <windowsx.h>

#include "cxObjectLinks.h"
#include "dxBar.h"
#include "dxBarControl.h"
#include "dxBarDockControl.h"
#include "dxBarItemControl.h"
#include "dxBarManager.h"

int TdxBarControl::HitTest(int defaultCode, const TPoint& p, int& systemCode) {
    systemCode = HTCLIENT;
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
    if (!self.Alive() || button != mbLeft || shift.Contains(ssDouble)) return;
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
        RECT r{0, 0, CalcFullLength(true, false), CalcThickness(true)};
        AdjustWindowRectEx(&r, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_TOOLWINDOW);
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
