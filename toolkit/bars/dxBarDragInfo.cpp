#include "dxBarDragInfo.h"

// Sections: the manager's entry · begin and end · the loop · the drop target · the cursor and
// the insertion mark · the drop.

#include <cstdlib>

#include "Screen.h"
#include "cxObjectLinks.h"
#include "cxWindowHelpers.h"
#include "dxBar.h"
#include "dxBarControl.h"
#include "dxBarDesignController.h"
#include "dxBarItemControl.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxBarSubItemControl.h"
#include "dxBarUnit.h"
#include "dxBarWindowHelpers.h"
#include "dxCustomBarControl.h"

// ---- The manager's entry --------------------------------------------------------------------

void TdxBarManager::DragItem(TdxBarItem* item, TdxBarItemLink* link) {
    if (!item || dragging_) return;
    if (!dragInfo_) dragInfo_ = new TdxBarDragInfo(this);
    TdxBarDragInfo* info = dragInfo_;
    try {
        info->BeginDrag(item, link);
        info->DragLoop();
    } catch (...) {
        info->EndDrag();
        throw;
    }
    info->EndDrag();
}

namespace {

// Where a shown link is in its window: its control's bounds.
TRect LinkRect(TdxBarItemLink* link) { return link->Control() ? link->Control()->GetBounds() : link->ItemRect(); }

}  // namespace

// ---- Begin and end --------------------------------------------------------------------------

TdxBarDragInfo::~TdxBarDragInfo() {
    if (captureWindow_ && GetCapture() == captureWindow_) ReleaseCapture();
}

void TdxBarDragInfo::BeginDrag(TdxBarItem* item, TdxBarItemLink* link) {
    item_ = item;
    link_ = link;
    state_ = dsdNone;
    over_ = TdxBarDropPosition();
    overWindow_ = lineWindow_ = nullptr;
    lineVisible_ = false;
    TCustomdxBarControl* window = link ? link->GetBarControl() : nullptr;
    if (window && window->HandleAllocated()) {
        const TPoint p = window->ScreenToClient(manager_->hasDragPressPoint_ ? manager_->dragPressPoint_ : QueryCursorPos());
        const TRect r = LinkRect(link);
        dragDownPoint_ = TPoint{p.x - r.left, p.y - r.top};
    }
    manager_->hasDragPressPoint_ = false;
    ctrlDown_ = GetKeyState(VK_CONTROL) < 0;
    defaultCursor_ = Screen->Cursor();
    captureWindow_ = manager_->GetPopupOwnerWindow();
    if (captureWindow_) SetCapture(captureWindow_);
    DispatchPendingMouseMessages();
}

void TdxBarDragInfo::EndDrag() {
    if (captureWindow_ && GetCapture() == captureWindow_) ReleaseCapture();
    captureWindow_ = nullptr;
    cursorLock_ = 0;
    SetState(dsdNone);
    UpdateCursor();
    if (link_ && link_->Control())
        if (TCustomdxBarControl* window = link_->GetBarControl()) window->InvalidateItem(link_->Control());
    item_ = nullptr;
    link_ = nullptr;
    overWindow_ = lineWindow_ = nullptr;
    over_ = TdxBarDropPosition();
    manager_->SetDraggingItem(nullptr);
    manager_->SetDraggingItemLink(nullptr);
}

void TdxBarDragInfo::LinkFreed(TdxBarItemLink* link) {
    if (link == link_) link_ = nullptr;
    if (link == over_.link) over_.link = nullptr;
}

// ---- The loop -------------------------------------------------------------------------------

void TdxBarDragInfo::DragLoop() {
    TdxBarDesignController* controller = DesignControllerInstance();
    struct TLoopScope {
        TdxBarDesignController* controller;
        bool& dragging;
        TLoopScope(TdxBarDesignController* c, bool& d) : controller(c), dragging(d) {
            dragging = true;
            if (controller) controller->SetDesignState(dxBarDesignStateModalLoop, true);
        }
        ~TLoopScope() {
            dragging = false;
            if (controller) controller->SetDesignState(dxBarDesignStateModalLoop, false);
        }
    } scope(controller, manager_->dragging_);
    MSG msg;
    while (captureWindow_ && GetCapture() == captureWindow_) {
        const BOOL result = GetMessageW(&msg, nullptr, 0, 0);
        if (result == -1) break;
        if (result == 0) {
            PostQuitMessage(int(msg.wParam));
            break;
        }
        switch (msg.message) {
            case WM_KEYDOWN:
                            if (msg.wParam == VK_ESCAPE) return;
                if (msg.wParam == VK_CONTROL) {
                    ctrlDown_ = true;
                    if (CanDropHere()) SetState(dsdCopy);
                }
                continue;
            case WM_KEYUP:
                if (msg.wParam == VK_CONTROL) {
                    ctrlDown_ = false;
                    if (CanDropHere()) SetState(dsdMove);
                }
                continue;
            case WM_MOUSEMOVE:
                HandleMouseMove();
                continue;
            case WM_LBUTTONUP:
                Drop();
                return;
            default:
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
        }
    }
}

void TdxBarDragInfo::HandleMouseMove() {
    // Hook (Customize dialog): over its category list the item's category is chosen.
    ++cursorLock_;
    try {
        // Hook (quick customization): over its popup the popup hears of the drag.
        UpdateDropTarget(QueryCursorPos());
        if (!CanDropHere())
            state_ = dsdNothingToDrop;
        else if (IsCopy())
            state_ = dsdCopy;
        else if (over_.link && link_ && IsSamePlace())
            state_ = dsdSamePlace;
        else
            state_ = dsdMove;
    } catch (...) {
        --cursorLock_;
        throw;
    }
    --cursorLock_;
    cursorModified_ = false;
    UpdateCursor();
}

// ---- The drop target ------------------------------------------------------------------------

namespace {

TCustomdxBarControl* BarWindowOfHandle(HWND window) {
    for (; window; window = GetParent(window))
        for (TCustomdxBarControl* bar : LiveBarControls())
            if (bar->HandleAllocated() && bar->Handle() == window) return bar;
    return nullptr;
}

bool AllowsCustomizingNow(TCustomdxBarControl* window) {
    if (window->GetManager()->IsBarManagerDesigning()) return true;
    if (auto* toolbar = As<TdxBarControl>(window)) return toolbar->Bar() && toolbar->Bar()->AllowCustomizing();
    // Hook (sub menus): a sub item's menu only with the sub item's AllowCustomizing.
    return !window->IsInternalMenu();
}

}  // namespace

TCustomdxBarControl* TdxBarDragInfo::FindDropTargetWindow(const TPoint& screen) const {
    TCustomdxBarControl* window = BarWindowOfHandle(WindowFromPoint(screen));
    if (window && window->Owner() != manager_) window = nullptr;
    if (!window && !BarWindowOfHandle(WindowFromPoint(screen))) {
        for (TCustomdxBarControl* bar : LiveBarControls()) {
            if (bar->Owner() != manager_ || !bar->HandleAllocated() || !IsWindowVisible(bar->Handle())) continue;
            RECT r;
            GetWindowRect(bar->Handle(), &r);
            if (PtInRect(&r, screen)) {
                window = bar;
                break;
            }
        }
    }
    return window && AllowsCustomizingNow(window) ? window : nullptr;
}

void TdxBarDragInfo::SetDropTarget(TCustomdxBarControl* window, const TdxBarDropPosition& position) {
    overWindow_ = window;
    over_ = position;
}

void TdxBarDragInfo::UpdateDropTarget(const TPoint& screen) {
    TCustomdxBarControl* window = FindDropTargetWindow(screen);
    if (window != overWindow_) {
        HideDragLine();
        overWindow_ = window;
        over_ = TdxBarDropPosition();
        cursorModified_ = true;
    }
    if (!window) return;
    TdxBarDropPosition position;
    window->HitTestDropPosition(window->ScreenToClient(screen), position);
    if (position.link == over_.link && position.firstPart == over_.firstPart &&
        position.beginGroup == over_.beginGroup && position.vertical == over_.vertical)
        return;
    HideDragLine();
    const bool newLink = position.link != over_.link;
    over_ = position;
    cursorModified_ = true;
    if (!newLink || !position.link) return;
    TcxObjectLinkGuard alive(window);
    TdxBarItemControl* control = position.link->Control();
    TdxBarItemControl* selected = window->GetSelectedControl();
    if (As<TdxBarSubItemControl>(control) || As<TdxBarSubItemControl>(selected)) {
        // A sub item opens its menu, so that the link can be dropped inside.
        window->SelectByMouse(control);
    } else {
        manager_->SetSelectedItemControl(control);
        if (alive.Alive()) {
            TdxBarItemLink* old = window->SelectedLink();
            window->SetSelectedLink(position.link);
            if (old && old->Control()) window->InvalidateItem(old->Control());
            if (control) window->InvalidateItem(control);
        }
    }
    DispatchPendingPaintMessages();
}

bool TdxBarDragInfo::CanDropHere() const {
    if (over_.link) return true;
    return overWindow_ && overWindow_->ItemLinks() && overWindow_->ItemLinks()->Count() == 0;
}

bool TdxBarDragInfo::IsCopy() const { return ctrlDown_ || !link_; }

bool TdxBarDragInfo::IsSamePlace() const {
    if (!CanDropHere()) return true;
    if (!link_) return false;
    const bool bg = over_.beginGroup, fp = over_.firstPart;
    if (over_.link == link_ && !(bg && fp)) return true;
    TdxBarItemLinks* links = link_->GetLinks();
    const int index = link_->Index();
    if (index > 0 && links->GetLink(index - 1) == over_.link && !link_->BeginGroup() && !bg && !fp) return true;
    if (index >= links->Count() - 1) return false;
    TdxBarItemLink* next = links->GetLink(index + 1);
    return next == over_.link && fp && (bg || !next->BeginGroup());
}

// ---- The cursor and the insertion mark -----------------------------------------------------

void TdxBarDragInfo::SetState(TdxBarDragState state) {
    if (state_ == state) return;
    state_ = state;
    UpdateCursor();
}

void TdxBarDragInfo::UpdateCursor() {
    if (cursorLock_ > 0) {
        cursorModified_ = true;
        return;
    }
    TCursor cursor = defaultCursor_;
    switch (state_) {
        case dsdNothingToDrop:
            HideDragLine();
            over_.link = nullptr;
            cursor = crdxBarDragNoDrop;
            break;
        case dsdSamePlace:
            HideDragLine();
            cursor = crdxBarDrag;
            break;
        case dsdCategoryList:
            cursor = crdxBarDrag;
            break;
        case dsdCopy:
            HideDragLine();
            ShowDragLine();
            cursor = crdxBarDragCopy;
            break;
        case dsdMove:
            HideDragLine();
            if (!IsSamePlace()) ShowDragLine();
            cursor = crdxBarDrag;
            break;
        case dsdNone:
            HideDragLine();
            break;
    }
    if (HCURSOR handle = Screen->Cursors(cursor)) SetCursor(handle);
}

void TdxBarDragInfo::CalcDragLineRect(TRect& rect, bool& firstPart) const {
    rect = TRect{};
    firstPart = true;
    if (!overWindow_) return;
    TdxBarItemLink* link = over_.link;
    if (!link) {
        rect = overWindow_->ClientRect();
        return;
    }
    firstPart = over_.firstPart;
    TdxBarItemLinks* links = link->GetLinks();
    if (over_.beginGroup) {
        if (firstPart && link->Index() > 0) {
            link = links->GetLink(link->Index() - 1);
            firstPart = false;
        }
    } else if (!firstPart) {
        // The mark after a link is drawn before the next one, unless a row or group ends there.
        TdxBarItemLink* next = link->GetNextShownLink();
        const bool sameRow = next && (over_.vertical ? LinkRect(next).left == LinkRect(link).left
                                                     : LinkRect(next).top == LinkRect(link).top);
        if (next && next != link && sameRow && !next->BeginGroup()) {
            link = next;
            firstPart = true;
        }
    }
    rect = LinkRect(link);
}

void TdxBarDragInfo::DrawDragLine(HDC dc, const TRect& r, bool vertical, bool firstPart) {
    const int L = r.left, T = r.top, R = r.right, B = r.bottom;
    POINT points[12];
    if (vertical) {
        const int a = firstPart ? T : B - 6;
        const POINT v[12] = {{L, a},         {L, a + 6},     {L + 1, a + 1}, {L + 1, a + 5},
                             {L + 2, a + 2}, {R - 2, a + 2}, {L + 2, a + 3}, {R - 2, a + 3},
                             {R - 2, a + 1}, {R - 2, a + 5}, {R - 1, a},     {R - 1, a + 6}};
        std::copy(v, v + 12, points);
    } else {
        const int a = firstPart ? L : R - 6;
        const POINT h[12] = {{a, T},         {a + 6, T},     {a + 1, T + 1}, {a + 5, T + 1},
                             {a + 2, T + 2}, {a + 2, B - 2}, {a + 3, T + 2}, {a + 3, B - 2},
                             {a + 1, B - 2}, {a + 5, B - 2}, {a, B - 1},     {a + 6, B - 1}};
        std::copy(h, h + 12, points);
    }
    const DWORD counts[6] = {2, 2, 2, 2, 2, 2};
    const int mix = SetROP2(dc, R2_NOT);
    PolyPolyline(dc, points, counts, 6);
    SetROP2(dc, mix ? mix : R2_COPYPEN);
}

void TdxBarDragInfo::ShowDragLine() {
    if (!overWindow_ || lineVisible_ || !overWindow_->HandleAllocated()) return;
    lineWindow_ = overWindow_;
    lineVertical_ = over_.vertical;
    CalcDragLineRect(lineRect_, lineFirstPart_);
    HDC dc = GetDC(lineWindow_->Handle());
    DrawDragLine(dc, lineRect_, lineVertical_, lineFirstPart_);
    ReleaseDC(lineWindow_->Handle(), dc);
    lineVisible_ = true;
}

void TdxBarDragInfo::HideDragLine() {
    if (!lineVisible_) return;
    lineVisible_ = false;
    if (!IsBarControlAlive(lineWindow_) || !lineWindow_->HandleAllocated()) return;
    HDC dc = GetDC(lineWindow_->Handle());
    DrawDragLine(dc, lineRect_, lineVertical_, lineFirstPart_);
    ReleaseDC(lineWindow_->Handle(), dc);
}

// ---- The drop -------------------------------------------------------------------------------

void TdxBarDragInfo::Drop() {
    switch (state_) {
        case dsdNothingToDrop:
            DeleteDraggedLink();
            break;
        case dsdSamePlace:
            UpdateBeginGroupByDrag();
            break;
        case dsdCategoryList:
            // Hook (Customize dialog): the item's category becomes the list's selection.
            break;
        case dsdCopy:
        case dsdMove: {
            const TdxBarDragState state = state_;
            SetState(dsdNone);
            state_ = state;  // DropInsertsLink reads copy or move
            DropInsertsLink();
            state_ = dsdNone;
            break;
        }
        default:
            break;
    }
}

void TdxBarDragInfo::DeleteDraggedLink() {
    if (!link_) return;
    TdxBarItemLink* link = std::exchange(link_, nullptr);
    manager_->SetDraggingItemLink(nullptr);
    FreeObject(link);
    manager_->DesignerModified();
}

void TdxBarDragInfo::UpdateBeginGroupByDrag() {
    TdxBarItemLink* link = link_;
    TCustomdxBarControl* window = link ? link->GetBarControl() : nullptr;
    if (!window || !window->HandleAllocated()) return;
    const TPoint p = window->ScreenToClient(QueryCursorPos());
    const TRect r = LinkRect(link);
    const bool vertical = window->IsVerticalLayout();
    const int delta = vertical ? p.y - r.top - dragDownPoint_.y : p.x - r.left - dragDownPoint_.x;
    if (std::abs(delta) <= 3) return;
    const bool forward = delta > 0;
    TdxBarItemLink* old = window->SelectedLink();
    window->SetSelectedLink(link);
    manager_->SetSelectedItemControl(link->Control());
    if (old && old != link && old->Control()) window->InvalidateItem(old->Control());
    if (forward != link->BeginGroup()) link->SetBeginGroup(forward);
}

void TdxBarDragInfo::DropInsertsLink() {
    TCustomdxBarControl* window = overWindow_;
    TdxBarItemLinks* target = window ? window->ItemLinks() : nullptr;
    if (!target) return;
    const bool move = state_ == dsdMove && link_;
    TdxBarItemLink* over = over_.link;
    TdxBarItemLink* newLink = nullptr;
    manager_->LockDesignerModified(true);
    manager_->LockUpdate();
    manager_->ItemList()->LockChanges();
    target->BeginUpdate();
    auto close = [&] {
        target->EndUpdate();
        manager_->ItemList()->UnlockChanges();
        manager_->UnlockUpdate();
        manager_->LockDesignerModified(false);
    };
    try {
        newLink = target->Add();
        newLink->MoveToRecentFront(false);
        if (link_) {
            newLink->Assign(link_);
            newLink->SetBeginGroup(false);
        } else {
            newLink->SetItem(item_);
        }
        if (over) {
            const bool bg = over_.beginGroup, fp = over_.firstPart;
            newLink->SetIndex(over->Index() + (!bg && !fp ? 1 : 0));
            if ((bg && !fp) || (!bg && fp && over->BeginGroup())) {
                newLink->SetBeginGroup(true);
                over->SetBeginGroup(false);
            }
        }
        if (move) {
            TdxBarItemLink* dragged = std::exchange(link_, nullptr);
            manager_->SetDraggingItemLink(nullptr);
            FreeObject(dragged);
        }
    } catch (...) {
        close();
        throw;
    }
    close();
    // The new link's control exists once its window has rebuilt for the closed bracket.
    if (!IsBarControlAlive(window)) return;
    newLink->CreateControl();
    manager_->SetSelectedItemControl(newLink->Control());
    window->SetSelectedLink(newLink);
    if (newLink->Control()) window->InvalidateItem(newLink->Control());
    // Hook (menu mode): a drop on another toolbar than the active one moves the activation.
    if (TdxBarDesignController* controller = DesignControllerInstance())
        controller->ApplySelection(newLink, dxBarSelectionAdd);
}
