#include "dxBarControl.h"

#include "dxBarDesignController.h"

#include <windowsx.h>

#include <algorithm>

#include "Form.h"
#include "cxGraphics.h"
#include "cxObjectLinks.h"
#include "dxBar.h"
#include "dxBarAccessibility.h"
#include "dxBarCaptionButtons.h"
#include "dxBarDockControl.h"
#include "dxBarItemControl.h"
#include "dxBarItemControlViewInfo.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxBarPainter.h"
#include "dxBarUnit.h"
#include "dxBarViewLevels.h"
#include "CallbackBarrier.h"

#include <functional>
#include <utility>
#include <vector>

// Sections: view info · creation and placing · measures · layout · painting.

// ---- View info ----------------------------------------------------------------------------

void TdxBarControlViewInfo::Calculate() {
    ClearItems();
    auto* window = static_cast<TdxBarControl*>(BarControl());
    TdxBarItemLinks* links = window->ItemLinks();
    if (!links) return;
    const int gap = window->GetBeginGroupSize();
    for (int i = 0; i < links->GetShownLinkCount(); ++i) {
        TdxBarItemLink* link = links->GetShownLink(i);
        TdxBarItemControl* control = link->Control();
        const TRect r = link->ItemRect();
        if (!control || IsRectEmpty(&r)) continue;
        control->ViewInfo()->SetBounds(r);
        AppendItemViewInfo(control->ViewInfo());
        if (i > 0 && link->BeginGroup()) {
            TRect s = window->IsHorizontal() ? TRect{r.left - gap, r.top, r.left, r.bottom}
                                             : TRect{r.left, r.top - gap, r.right, r.top};
            AppendSeparatorData(s, window->IsHorizontal() ? 0 : 1, control);
        }
    }
}

// ---- Changes that replace the window -------------------------------------------------------

namespace {

// Changes that free the window asking for them wait until its message is done: a thread timer
// runs them from the message loop, each only while its window still lives.
struct TDeferredBarChange {
    TdxBarControl* window;
    std::function<void(TdxBar*)> change;
};
std::vector<TDeferredBarChange>& DeferredBarChanges() {
    static std::vector<TDeferredBarChange> changes;
    return changes;
}
UINT_PTR deferredBarChangeTimer = 0;

void CALLBACK RunDeferredBarChanges(HWND, UINT, UINT_PTR, DWORD) {
    KillTimer(nullptr, std::exchange(deferredBarChangeTimer, 0));
    std::vector<TDeferredBarChange> changes = std::move(DeferredBarChanges());
    DeferredBarChanges().clear();
    for (const TDeferredBarChange& c : changes)
        CallbackBarrier([&] {
            if (IsBarControlAlive(c.window) && c.window->Bar() && c.window->Bar()->BarControl() == c.window)
                c.change(c.window->Bar());
        });
}

void DeferBarChange(TdxBarControl* window, std::function<void(TdxBar*)> change) {
    DeferredBarChanges().push_back({window, std::move(change)});
    if (!deferredBarChangeTimer) deferredBarChangeTimer = SetTimer(nullptr, 0, 0, &RunDeferredBarChanges);
}

}  // namespace

void TdxBarControl::WMClose(TMessage& m) {
    m.Result = 0;
    if (DockingStyle() != dsNone || !bar_ || !bar_->CanClose()) return;
    DeferBarChange(this, [](TdxBar* bar) {
        TdxBarManager* manager = bar->BarManager();
        bar->SetVisible(false);
        if (manager) manager->FireBarClose(bar);
    });
}

TRect TdxBarControl::DragAreaRect() const {
    int size = GetDragAreaSize();
    if (size == 0) return TRect{};
    const TRect c = ClientRect();
    return IsHorizontal() ? TRect{c.left, c.top, c.left + BorderSize + size, c.bottom}
                          : TRect{c.left, c.top, c.right, c.top + BorderSize + size};
}

void TdxBarControl::WMLButtonDblClk(TMessage& m) {
    m.Result = 0;
    if (internalHitTest_ == HTCAPTION && !ComponentState().Contains(csDesigning))
        ToggleFloating();
    else
        Inherited<TCustomdxBarControl>(m);
}

void TdxBarControl::ToggleFloating() {
    TdxBarManager* manager = GetManager();
    if (!bar_ || !manager) return;
    if (DockingStyle() != dsNone) {
        if (!manager->IsDockingAllowed(bar_, dsNone, nullptr)) return;
        RECT w;
        GetWindowRect(Handle(), &w);
        TdxDockControl* dock = dockControl_ && !dockControl_->IsStandard() ? dockControl_ : nullptr;
        const TdxBarDockingStyle style = DockingStyle();
        DeferBarChange(this, [w, dock, style](TdxBar* bar) {
            bar->SetDockedDockingStyle(style);
            bar->SetDockedDockControl(dock);
            bar->SetFloatLeft(w.left);
            bar->SetFloatTop(w.top);
            bar->SetFloatClientWidth(0);
            bar->SetDockingStyle(dsNone);
        });
    } else {
        const TdxBarDockingStyle style = bar_->DockedDockingStyle();
        TdxDockControl* dock = bar_->DockedDockControl();
        if (!manager->IsDockingAllowed(bar_, style, dock)) return;
        DeferBarChange(this, [style, dock](TdxBar* bar) { bar->SetDockState(style, dock); });
    }
}

// ---- Creation and placing -----------------------------------------------------------------

TdxBarControl* TdxBarControl::CreateForBar(TClass cls, TdxBarManager* manager, TdxBar* bar) {
    auto* window = As<TdxBarControl>(cls->Create(manager));
    if (!window) return nullptr;
    window->bar_ = bar;
    return window;
}

const TcxAccessibilityHelperMeta* TdxBarControl::GetAccessHelperClass() const {
    return TdxBarControlAccessibilityHelper::StaticClass();
}

bool TdxBarControl::IsMainMenu() const { return bar_ && bar_->IsMainMenu(); }

bool TdxBarControl::IsStatusBar() const { return bar_ && bar_->IsStatusBar(); }

void TdxBarControl::CreateParams(TCreateParams& params) {
    TCustomdxBarControl::CreateParams(params);
    if (DockingStyle() == dsNone) {
        // A floating toolbar: a tool window with a caption, owned by the manager's form.
        params.Style = FloatingStyle;
        params.ExStyle |= FloatingExStyle;
        TdxBarManager* manager = GetManager();
        auto* form = manager ? As<TWinControl>(manager->Owner()) : nullptr;
        params.WndParent = form && form->HandleAllocated() ? form->Handle() : nullptr;
    } else {
        params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    }
    params.WindowClass.style |= CS_DBLCLKS;
}

void TdxBarControl::CreateWnd() {
    TCustomdxBarControl::CreateWnd();
    if (bar_) SetWindowTextW(Handle(), bar_->Caption().c_str());
}

void TdxBarControl::CaptionChanged() {
    if (HandleAllocated() && bar_) SetWindowTextW(Handle(), bar_->Caption().c_str());
}

void TdxBarControl::PlaceFromBar() {
    if (!bar_) return;
    TdxDockControl* dock = bar_->GetEffectiveDockControl();
    if (dock) {
        SetDockingStyle(dock->DockingStyle());
        dockControl_ = dock;
        SetParent(dock);
        HandleNeeded();
        TPoint p = dock->ClientToScreen(TPoint{bar_->DockedLeft(), bar_->DockedTop()});
        dock->InsertBar(this, p, true);
        ShowWindow(Handle(), SW_SHOWNOACTIVATE);
        SetVisible(true);
    } else {
        SetDockingStyle(dsNone);
        dockControl_ = nullptr;
        HandleNeeded();
        const TSize client = ArrangeFloating(bar_->FloatClientWidth() > 0 ? bar_->FloatClientWidth() : CalcFullLength());
        RECT r{0, 0, client.cx, client.cy};
        AdjustWindowRectEx(&r, DWORD(GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE,
                           DWORD(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)));
        SetBounds(bar_->FloatLeft(), bar_->FloatTop(), r.right - r.left, r.bottom - r.top);
        RebuildLocked(false);
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        SetVisible(true);
    }
}

void TdxBarControl::StorePosition() {
    if (!bar_) return;
    if (dockControl_) {
        if (StoresDockedPosition()) {
            bar_->SetDockedLeft(Left());
            bar_->SetDockedTop(Top());
            bar_->SetOneOnRow(bar_->DockRow() && bar_->DockRow()->ColCount() == 1);
        }
        dockControl_->RemoveBar(this, nullptr, true);
    } else if (HandleAllocated()) {
        RECT w, c;
        GetWindowRect(Handle(), &w);
        GetClientRect(Handle(), &c);
        bar_->SetFloatLeft(w.left);
        bar_->SetFloatTop(w.top);
        bar_->SetFloatClientWidth(c.right);
        bar_->SetFloatClientHeight(c.bottom);
    }
}

void TdxBarControl::ApplyNewBounds(const TRect& r) {
    const TRect old = BoundsRect();
    if (!EqualRect(&r, &old)) SetBounds(r.left, r.top, RectWidth(r), RectHeight(r));
    if (HandleAllocated()) {
        CalcLayout();
        UpdateViewInfo();
        Invalidate();
    }
}

void TdxBarControl::Rebuild(bool recreate) {
    TCustomdxBarControl::Rebuild(recreate);
    if (dockControl_)
        dockControl_->Relayout();
    else {
        CalcLayout();
        UpdateViewInfo();
        if (HandleAllocated()) Invalidate();
    }
}

void TdxBarControl::PressItemControl(TdxBarItemControl* control) {
    TcxObjectLinkGuard self(this);
    if (control && control->IsEnabled() && control->AcceptsMouse()) {
        TcxObjectLinkGuard controlAlive(control);
        if (IsActive() && (!(GetBehaviorOptions() & 0x20) || IsFocusedBar()))
            control->SelectInParent();
        else
            SelectAndActivate(control);
        if (!self.Alive() || !controlAlive.Alive() || GetSelectedControl() != control) return;
        if (IsActive() && !control->HasWindow()) SetDowned(true);
        if (!control->HasWindow() && !control->IsSubItem()) {
            SetClickedControl(control);
            SetCapture(Handle());
            InvalidateItem(control);
        }
    } else {
        SetActive(false);
        if (!self.Alive()) return;
    }
    TCustomdxBarControl::PressItemControl(control);
}

// ---- Measures -----------------------------------------------------------------------------

int TdxBarControl::GetDragAreaSize() const {
    return dockControl_ && bar_ && bar_->BorderStyle() == bbsSingle ? DragAreaSize : 0;
}

int TdxBarControl::GetMarkAreaSize() const {
    return bar_ && bar_->ShowMark() && dockControl_ ? GetPainter()->GetMarkSize() : 0;
}

int TdxBarControl::GetBeginGroupSize() const { return GetPainter()->GetSeparatorSize(); }

int TdxBarControl::LinkLength(TdxBarItemLink* link, bool horizontal) {
    TdxBarItemControl* control = link->Control();
    if (!control) return 0;
    if (!horizontal) return control->CalcLayoutHeight();
    Byte level = GetFirstViewLevel(control->GetAllowedViewLevels());
    return control->CalcWidthForViewLevel(level == ivlDefault ? ivlSmallIconWithText : TdxBarItemViewLevel(level));
}

int TdxBarControl::LinkThickness(TdxBarItemLink* link, bool horizontal) {
    TdxBarItemControl* control = link->Control();
    if (!control) return 0;
    if (horizontal) return control->CalcLayoutHeight();
    Byte level = GetFirstViewLevel(control->GetAllowedViewLevels());
    return control->CalcWidthForViewLevel(level == ivlDefault ? ivlSmallIconWithText : TdxBarItemViewLevel(level));
}

int TdxBarControl::CalcFullLength() { return CalcFullLength(IsHorizontal(), dockControl_ != nullptr); }

int TdxBarControl::CalcFullLength(bool horizontal, bool docked) {
    int length = 2 * BorderSize + (docked && bar_ && bar_->BorderStyle() == bbsSingle ? DragAreaSize : 0);
    TdxBarItemLinks* links = ItemLinks();
    for (int i = 0; links && i < links->GetShownLinkCount(); ++i) {
        TdxBarItemLink* link = links->GetShownLink(i);
        length += GetLinkBeginGroupSize(link) + LinkLength(link, horizontal);
    }
    if (docked) length += MDIAreaLength();
    return length;
}

int TdxBarControl::CalcMinLength() {
    int length = 2 * BorderSize + GetDragAreaSize();
    TdxBarItemLinks* links = ItemLinks();
    if (links && links->GetShownLinkCount() > 0) length += LinkLength(links->GetShownLink(0));
    return length;
}

int TdxBarControl::CalcThickness() { return CalcThickness(IsHorizontal()); }

int TdxBarControl::CalcThickness(bool horizontal) {
    int thickness = 0;
    TdxBarItemLinks* links = ItemLinks();
    for (int i = 0; links && i < links->GetShownLinkCount(); ++i)
        thickness = std::max(thickness, LinkThickness(links->GetShownLink(i), horizontal));
    if (ShowsCloseButtonArea()) thickness = std::max(thickness, horizontal ? MDIButtonHeight() : MDIButtonWidth());
    return std::max(thickness, GetPainter()->GetMarkSize()) + 2 * BorderSize;
}

void TdxBarControl::SetTruncated(bool value) {
    if (truncated_ == value) return;
    truncated_ = value;
    if (HandleAllocated()) Invalidate();
}

int TdxBarControl::Length() const { return IsHorizontal() ? Width() : Height(); }

TRect TdxBarControl::MarkRect() const {
    if (!truncated_) return TRect{};
    TRect c = ClientRect();
    int size = GetMarkAreaSize();
    return IsHorizontal() ? TRect{c.right - BorderSize - size, c.top + BorderSize, c.right - BorderSize,
                                  c.bottom - BorderSize}
                          : TRect{c.left + BorderSize, c.bottom - BorderSize - size, c.right - BorderSize,
                                  c.bottom - BorderSize};
}

// ---- Layout -------------------------------------------------------------------------------

void TdxBarControl::CalcLayout() {
    CalcItemsRect();
    CalcVisibleItems(0, 0);
}

void TdxBarControl::CalcItemLayout() {
    TdxBarItemLinks* links = ItemLinks();
    if (!links) return;
    const TRect c = ClientRect();
    const bool horizontal = IsHorizontal();
    // Along: from after the drag area to before the mark (when links are cut off).
    int pos = BorderSize + GetDragAreaSize();
    int end = (horizontal ? c.right : c.bottom) - BorderSize;
    if (truncated_) end -= GetMarkAreaSize();
    // The MDI buttons keep the far end of a docked main menu.
    if (dockControl_) end -= MDIAreaLength();
    if (!dockControl_) {
        // Floating: rows wrap at the client width.
        const int rowThickness = CalcThickness(true) - 2 * BorderSize;
        int x = BorderSize, y = BorderSize;
        for (int i = 0; i < links->GetShownLinkCount(); ++i) {
            TdxBarItemLink* link = links->GetShownLink(i);
            int length = LinkLength(link, true);
            int gap = x > BorderSize ? GetLinkBeginGroupSize(link) : 0;
            if (x > BorderSize && x + gap + length > c.right - BorderSize) {
                x = BorderSize;
                y += rowThickness;
                gap = 0;
            }
            link->SetItemRect(TRect{x + gap, y, x + gap + length, y + rowThickness});
            x += gap + length;
        }
        return;
    }
    const int across0 = BorderSize;
    const int across1 = (horizontal ? c.bottom : c.right) - BorderSize;
    bool cut = false;
    for (int i = 0; i < links->GetShownLinkCount(); ++i) {
        TdxBarItemLink* link = links->GetShownLink(i);
        int start = pos + GetLinkBeginGroupSize(link);
        int length = LinkLength(link);
        if (cut || start + length > end) {
            // The links that do not fit whole are left out.
            cut = true;
            continue;
        }
        link->SetItemRect(horizontal ? TRect{start, across0, start + length, across1}
                                     : TRect{across0, start, across1, start + length});
        pos = start + length;
    }
}

// ---- Painting -----------------------------------------------------------------------------

void TdxBarControl::FillBk(HDC dc, const TRect& r, bool, TColor color, HBRUSH brush) {
    TColor own = bar_ ? bar_->Color() : clDefault;
    if (own != clDefault && own != clNone) color = own;
    if (color != clNone && color != clDefault) {
        HBRUSH solid = CreateSolidBrush(COLORREF(ColorToRGB(color)));
        FillRect(dc, &r, solid);
        DeleteObject(solid);
        return;
    }
    FillRect(dc, &r, brush ? brush : GetPainter()->GetToolbarBrush());
}

void TdxBarControl::DrawGrip(HDC dc) {
    if (GetDragAreaSize() == 0) return;
    const TRect c = ClientRect();
    // Two etched lines across the window, in the middle of the drag area.
    TRect line = IsHorizontal() ? TRect{BorderSize + 3, c.top + 3, BorderSize + 6, c.bottom - 3}
                                : TRect{c.left + 3, BorderSize + 3, c.right - 3, BorderSize + 6};
    DrawEdge(dc, &line, BDR_RAISEDINNER, BF_RECT);
}

void TdxBarControl::DrawMarkArea(HDC dc) {
    TRect mark = MarkRect();
    if (IsRectEmpty(&mark)) return;
    // A chevron pointing along the window: the links past the mark are cut off.
    HBRUSH brush = CreateSolidBrush(COLORREF(ColorToRGB(clBtnText)));
    int cx = (mark.left + mark.right) / 2, cy = (mark.top + mark.bottom) / 2;
    for (int k = 0; k < 3; ++k) {
        TRect a = IsHorizontal() ? TRect{cx - 3 + k, cy - 3 + k, cx - 2 + k, cy + 4 - k}
                                 : TRect{cx - 3 + k, cy - 3 + k, cx + 4 - k, cy - 2 + k};
        FillRect(dc, &a, brush);
        OffsetRect(&a, IsHorizontal() ? 3 : 0, IsHorizontal() ? 0 : 3);
        FillRect(dc, &a, brush);
    }
    DeleteObject(brush);
}

void TdxBarControl::Paint() {
    HDC dc = Canvas()->Handle();
    DrawItems();
    DrawMDIButtons(dc);
    // The items and buttons are out of the clip now: the background, grip and mark leave them alone.
    FillBk(dc, ClientRect(), false, clNone, nullptr);
    TRect c = ClientRect();
    if (dockControl_ && bar_ && bar_->BorderStyle() == bbsSingle) DrawEdge(dc, &c, BDR_RAISEDINNER, BF_RECT);
    DrawGrip(dc);
    TCustomdxBarControlViewInfo* info = ViewInfo();
    for (int i = 0; i < info->GetSeparatorDataCount(); ++i) {
        TRect s = info->GetSeparatorData(i).bounds;
        GetPainter()->DrawBarSeparator(PaintedWindow(), dc, s, nullptr, !IsHorizontal());
    }
    DrawMarkArea(dc);
}

// ---- MDI buttons --------------------------------------------------------------------------

namespace {

// One press or hover at a time for all windows: the mouse is over one window only.
struct TMDIButtonState {
    bool pressed = false;
    bool overPressed = false;
    int pressedIndex = -1;
    int hotIndex = -1;
} mdiButtonState;

constexpr UINT MDIButtonCommands[] = {SC_MINIMIZE, SC_RESTORE, SC_CLOSE};

HWND MaximizedMDIChild() {
    HWND child = GetActiveMDIChildHandle();
    return child && IsZoomed(child) ? child : nullptr;
}

}  // namespace

bool TdxBarControl::HasMDIButtons() const {
    if (!IsMainMenu()) return false;
    HWND child = MaximizedMDIChild();
    return child && GetSystemMenu(child, FALSE) != nullptr;
}

bool TdxBarControl::ShowsCloseButtonArea() const {
    TdxBarManager* manager = GetManager();
    return HasMDIButtons() || (IsMainMenu() && manager && manager->ShowCloseButton());
}

int TdxBarControl::MDIAreaLength() const {
    if (!ShowsCloseButtonArea()) return 0;
    const int button = IsHorizontal() ? MDIButtonWidth() : MDIButtonHeight();
    return HasMDIButtons() ? 3 * button + 2 : button;
}

bool TdxBarControl::IsMDIButtonEnabled(int index, UINT mask) const {
    if (index == MDIRestore) return true;
    if (!HasMDIButtons()) return index == MDIClose && ShowsCloseButtonArea();
    if (index < 0 || index > 2) return false;
    HWND child = MaximizedMDIChild();
    HMENU menu = child ? GetSystemMenu(child, FALSE) : nullptr;
    if (!menu) return false;
    const UINT state = GetMenuState(menu, MDIButtonCommands[index], MF_BYCOMMAND);
    return state == UINT(-1) || (state & mask) == 0;
}

TRect TdxBarControl::GetMDIButtonRect(int index) const {
    if (!ShowsCloseButtonArea() || index < 0 || index > 2) return TRect{};
    const bool all = HasMDIButtons();
    if (!all && index != MDIClose) return TRect{};
    const TRect c = ClientRect();
    const bool horizontal = IsHorizontal();
    const int clientLength = horizontal ? RectWidth(c) : RectHeight(c);
    const int clientThickness = horizontal ? RectHeight(c) : RectWidth(c);
    const int length = horizontal ? MDIButtonWidth() : MDIButtonHeight();
    const int thickness = horizontal ? MDIButtonHeight() : MDIButtonWidth();
    // Along the bar: at the far end, before the mark of a docked window.
    const int end = clientLength - BorderSize - (dockControl_ && truncated_ ? GetMarkAreaSize() : 0);
    int along = all ? end - MDIAreaLength() + index * length + (index == MDIClose ? 2 : 0) : end - length;
    // Across: centred, except in the last row of a wrapping window, where the buttons sit at the
    // far edge unless a link reaches into their band (then they are centred on that row).
    int across = (clientThickness - thickness) / 2;
    if (!dockControl_) {
        across = clientThickness - BorderSize - thickness;
        TdxBarItemLinks* links = ItemLinks();
        for (int i = links ? links->GetShownLinkCount() - 1 : -1; i >= 0; --i) {
            const TRect r = links->GetShownLink(i)->ItemRect();
            if (IsRectEmpty(&r)) continue;
            const int rowFar = horizontal ? r.bottom : clientThickness - r.left;
            const int rowThickness = horizontal ? RectHeight(r) : RectWidth(r);
            if (rowFar > across) across = rowFar - (rowThickness - thickness) / 2 - thickness;
            break;
        }
    }
    return horizontal ? TRect{along, across, along + length, across + thickness}
                      : TRect{clientThickness - across - thickness, along, clientThickness - across, along + length};
}

int TdxBarControl::MDIButtonAtPoint(const TPoint& p) const {
    if (!ShowsCloseButtonArea()) return -1;
    for (int i = HasMDIButtons() ? 0 : MDIClose; i <= MDIClose; ++i) {
        const TRect r = GetMDIButtonRect(i);
        if (PtInRect(&r, p)) return i;
    }
    return -1;
}

int TdxBarControl::MDIButtonHotIndex() { return mdiButtonState.hotIndex; }

int TdxBarControl::MDIButtonPressedIndex() { return mdiButtonState.pressed ? mdiButtonState.pressedIndex : -1; }

void TdxBarControl::InvalidateMDIButton(int index) {
    if (index < 0 || !HandleAllocated()) return;
    const TRect r = GetMDIButtonRect(index);
    InvalidateRect(Handle(), &r, TRUE);
}

bool TdxBarControl::TrackMDIButtons(const TPoint& p) {
    if (mdiButtonState.pressed) {
        const bool over = MDIButtonAtPoint(p) == mdiButtonState.pressedIndex;
        if (over != mdiButtonState.overPressed) {
            mdiButtonState.overPressed = over;
            InvalidateMDIButton(mdiButtonState.pressedIndex);
        }
        return true;
    }
    int hot = MDIButtonAtPoint(p);
    if (hot >= 0 && !IsMDIButtonEnabled(hot, MF_GRAYED)) hot = -1;
    if (hot != mdiButtonState.hotIndex) {
        InvalidateMDIButton(std::exchange(mdiButtonState.hotIndex, hot));
        InvalidateMDIButton(hot);
    }
    return false;
}

bool TdxBarControl::PressMDIButton(const TPoint& p) {
    const int index = MDIButtonAtPoint(p);
    if (index < 0) return false;
    if (!IsCustomizing() && !ComponentState().Contains(csDesigning) && IsMDIButtonEnabled(index, MF_GRAYED | MF_DISABLED)) {
        mdiButtonState = TMDIButtonState{true, true, index, -1};
        InvalidateMDIButton(index);
        SetCapture(Handle());
    }
    return true;
}

void TdxBarControl::ClearMDIButtonState() {
    const int pressed = mdiButtonState.pressed ? mdiButtonState.pressedIndex : -1;
    const int hot = mdiButtonState.hotIndex;
    mdiButtonState = TMDIButtonState{};
    InvalidateMDIButton(pressed);
    InvalidateMDIButton(hot);
}

void TdxBarControl::WMCancelMode(TMessage& m) {
    if (mdiButtonState.pressed || mdiButtonState.hotIndex >= 0) {
        const bool pressed = mdiButtonState.pressed;
        ClearMDIButtonState();
        if (pressed && GetCapture() == Handle()) ReleaseCapture();
    }
    Inherited<TCustomdxBarControl>(m);
}

void TdxBarControl::HandleMouseUp(TMouseButton button, TShiftState shift, const TPoint& p, TdxBarItemControl* control) {
    if (button != mbLeft || !mdiButtonState.pressed) {
        TCustomdxBarControl::HandleMouseUp(button, shift, p, control);
        return;
    }
    const int index = mdiButtonState.pressedIndex;
    const bool over = MDIButtonAtPoint(p) == index;
    const bool all = HasMDIButtons();
    ClearMDIButtonState();
    if (GetCapture() == Handle()) ReleaseCapture();
    if (!over) return;
    // Either may free this window (the child's menu leaves the main menu): nothing follows.
    if (all) {
        if (HWND child = MaximizedMDIChild()) SendMessageW(child, WM_SYSCOMMAND, MDIButtonCommands[index], 0);
    } else if (TdxBarManager* manager = GetManager()) {
        manager->FireCloseButtonClick();
    }
}

void TdxBarControl::DrawMDIButtons(HDC dc) {
    if (!ShowsCloseButtonArea()) return;
    for (int i = HasMDIButtons() ? 0 : MDIClose; i <= MDIClose; ++i) {
        const TRect r = GetMDIButtonRect(i);
        int state = 0;
        if (!IsMDIButtonEnabled(i, MF_GRAYED))
            state = 1;
        else if (mdiButtonState.pressed && mdiButtonState.pressedIndex == i)
            state = mdiButtonState.overPressed ? 4 : 3;
        else if (!mdiButtonState.pressed && mdiButtonState.hotIndex == i)
            state = 2;
        GetPainter()->DrawMDIButton(PaintedWindow(), i, state, dc, r);
        ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    }
}

// ---- Caption buttons ----------------------------------------------------------------------

TdxBarCaptionButtons* TdxBarControl::GetCaptionButtons() const { return bar_ ? bar_->CaptionButtons() : nullptr; }

bool TdxBarControl::HasCaptionButtons() const {
    TdxBarCaptionButtons* buttons = GetCaptionButtons();
    return buttons && buttons->Count() > 0;
}

void TdxBarControl::ClickCaptionButton(int index) {
    TdxBarCaptionButtons* buttons = GetCaptionButtons();
    if (!buttons || index < 0 || index >= buttons->Count()) return;
    buttons->GetButton(index)->Click();
}

void TdxBarControl::UpdateCaptionButtonStates(const TPoint& windowPoint) {
    if (HasCaptionButtons()) GetCaptionButtons()->UpdateStates(windowPoint, false);
}

void TdxBarControl::HandleMouseMove(TShiftState shift, const TPoint& p, TdxBarItemControl* control) {
    TcxObjectLinkGuard self(this);
    if (TrackMDIButtons(p)) return;
    TCustomdxBarControl::HandleMouseMove(shift, p, control);
    if (!self.Alive() || IsMouseInputBlocked(false) || !HasCaptionButtons()) return;
    // Window coordinates: the client point moved by the frame and caption.
    POINT screen{p.x, p.y};
    ::ClientToScreen(Handle(), &screen);
    RECT w;
    GetWindowRect(Handle(), &w);
    UpdateCaptionButtonStates(TPoint{screen.x - w.left, screen.y - w.top});
}

void TdxBarControl::HandleMouseLeave() {
    TcxObjectLinkGuard self(this);
    TCustomdxBarControl::HandleMouseLeave();
    if (self.Alive() && !mdiButtonState.pressed && mdiButtonState.hotIndex >= 0)
        InvalidateMDIButton(std::exchange(mdiButtonState.hotIndex, -1));
    // Far outside any window: no button stays hot but the one navigation selected.
    if (self.Alive()) UpdateCaptionButtonStates(TPoint{-32000, -32000});
}

bool TdxBarControl::AllowsItemEditing() const {
    return TCustomdxBarControl::AllowsItemEditing() || (bar_ && bar_->AllowCustomizing());
}

void TdxBarControl::ShowContextPopup(TdxBarItemControl* control) {
    if (IsCustomizing()) {
        TCustomdxBarControl::ShowContextPopup(control);
        return;
    }
    if (TdxBarDesignController* controller = DesignControllerInstance())
        controller->ShowToolbarsPopup(GetManager(), GetPainter());
}
