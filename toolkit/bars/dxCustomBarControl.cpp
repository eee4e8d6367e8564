#include "dxCustomBarControl.h"

#include "dxBarDesignController.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "Screen.h"
#include "cxGraphics.h"
#include "cxObjectLinks.h"
#include "cxRegion.h"
#include "cxScreenCanvas.h"
#include "cxTextMeasuring.h"
#include "cxWindowHelpers.h"
#include "dxBarAccessibility.h"
#include "dxBarItem.h"
#include "dxBarItemControl.h"
#include "dxBarItemControlViewInfo.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxBarPainter.h"
#include "dxBarUnit.h"
#include "dxBarViewLevels.h"
#include "dxBarWindowHelpers.h"
#include "dxCustomBarControlHelpers.h"
#include "dxFading.h"

class TCustomdxBarControl::TStateScope {
public:
    TStateScope(Byte& state, Byte bit) : state_(state), bit_(bit) { state_ |= bit_; }
    ~TStateScope() { state_ &= Byte(~bit_); }
    TStateScope(const TStateScope&) = delete;
    TStateScope& operator=(const TStateScope&) = delete;

private:
    Byte& state_;
    Byte bit_;
};

// The window as the painters see it.
class TCustomdxBarControl::TPaintedWindow : public IdxBarPaintedWindow {
public:
    explicit TPaintedWindow(TCustomdxBarControl* window) : window_(window) {}
    TdxBarManager* Manager() const override { return window_->GetManager(); }
    HWND WindowHandle() const override { return window_->WindowHandle(); }
    TdxBarDockingStyle DockingStyle() const override { return window_->DockingStyle(); }
    TRect ClientRect() const override { return window_->ClientRect(); }
    int BarControlKind() const override { return window_->GetBarControlKind(); }
    bool IsMainMenu() const override { return window_->IsMainMenu(); }
    bool HasMDIButtons() const override { return window_->HasMDIButtons(); }
    HBRUSH BkBrush() const override { return window_->GetBkBrush(); }
    void FillBk(HDC dc, const TRect& rect, HBRUSH brush, TColor color, bool wholeBackground) override {
        window_->FillBk(dc, rect, wholeBackground, color, brush);
    }
    int TextSize() const override { return window_->TextSize(); }
    int FontHeight() const override { return window_->Font()->Height(); }
    int FontSize() const override { return window_->Font()->Size(); }
    double SizeRatio() const override { return window_->SizeRatio(); }
    int IconAreaWidth() const override { return window_->IconAreaSize(); }
    bool UsesLargeMenuItems() const override {
        TdxBarItemLinks* links = window_->ItemLinks();
        return links && links->GetItemSize() == misLarge;
    }
    int ComboArrowWidth() const override { return window_->ComboArrowWidth(); }
    int MenuArrowHeight() const override { return window_->MenuArrowHeight(); }

private:
    TCustomdxBarControl* window_;
};

// ---- Life -----------------------------------------------------------------------------------

TCustomdxBarControl::TCustomdxBarControl(TComponent* owner) : TCustomControl(owner) {
    GetManager();  // refuses an owner that is not a manager
    drawCanvas_.reset(TcxCanvas::CreateOnCanvas(Canvas()));
    paintedWindow_ = std::make_unique<TPaintedWindow>(this);
    RegisterBarControl(this);
    InstallHookedWindowLookup();
    TControlStyle style = ControlStyle();
    style -= csCaptureMouse;
    if (GetManager()->GetEffectiveStyle() != bmsStandard || IsCustomizing())
        style += csDoubleClicks;
    else
        style -= csDoubleClicks;
    SetControlStyle(style);
    SetColor(clBtnFace);
    // Hook (shadow): the drop shadow's windows are made here and live as long as the window.
    SetVisible(false);
    SetBounds(100, 100, 50, 30);
    bkBitmap_ = std::make_unique<TBitmap>();
}

void TCustomdxBarControl::BeforeDestruction() {
    LeaveActiveStack();
    active_ = false;
    if (childBar_ && !childBar_->IsDestroying()) FreeObject(childBar_);
    if (parentBar_) parentBar_->SetChildBar(nullptr);
    TCustomControl::BeforeDestruction();
}

TCustomdxBarControl::~TCustomdxBarControl() {
    // Hook (mouse tracking): the manager stops tracking the window.
    ReleaseAccessibilityHelper(accessibilityHelper_);
    NotifyDestroying();
    LeaveActiveStack();
    StopBarMouseTracking();
    TdxBarManager* manager = As<TdxBarManager>(Owner());
    if (manager && manager->SelectedItemControl() && OwnsItemControl(manager->SelectedItemControl()))
        manager->AssignSelectedItemControl(nullptr);
    // The window goes first, while the controls and the links that own them are still here.
    if (HandleAllocated()) DestroyHandle();
    if (itemLinks_ && itemLinks_->BarControl() == this) itemLinks_->AttachBarControl(nullptr);
    // Hook (sub menus): in customizing mode the selection goes back to the opening control.
    UnregisterBarControl(this);
    ResetObjectLinks(this);
    if (rotatedFont_) DeleteObject(rotatedFont_);
}

TdxBarManager* TCustomdxBarControl::GetManager() const {
    auto* manager = As<TdxBarManager>(Owner());
    if (!manager) throw EInvalidCast(L"Invalid class typecast");
    return manager;
}

IdxBarAccessibilityHelper* TCustomdxBarControl::ObtainAccessibilityHelper() {
    if (!accessibilityHelper_)
        accessibilityHelper_ = dynamic_cast<TdxBarAccessibilityHelper*>(GetAccessHelperClass()->CreateHelper(this));
    return accessibilityHelper_.get();
}

const TcxAccessibilityHelperMeta* TCustomdxBarControl::GetAccessHelperClass() const {
    return TdxBarPlainControlAccessibilityHelper::StaticClass();
}

void TCustomdxBarControl::NotifyDestroying() {
    if (OnDestroying) OnDestroying(this);
}

TCustomdxBarControlViewInfo* TCustomdxBarControl::ViewInfo() {
    if (!viewInfo_) viewInfo_.reset(GetViewInfoClass()->CreateForControl(this));
    return viewInfo_.get();
}

void TCustomdxBarControl::AssignItemLinks(TdxBarItemLinks* links) {
    itemLinks_ = links;
    if (links) links->AttachBarControl(this);
}

void TCustomdxBarControl::ItemLinksFreed() {
    hotControl_ = nullptr;
    selectedLink_ = nullptr;
    itemLinks_ = nullptr;
    if (viewInfo_) viewInfo_->ClearItems();
}

// ---- The menu chain -----------------------------------------------------------------------

void TCustomdxBarControl::SetChildBar(TCustomdxBarControl* value) {
    if (childBar_ == value) return;
    childBar_ = value;
    if (value && value->parentBar_ != this) value->SetParentBar(this);
}

void TCustomdxBarControl::SetParentBar(TCustomdxBarControl* value) {
    if (parentBar_ == value) return;
    parentBar_ = value;
    if (value && value->childBar_ != this) value->SetChildBar(this);
}

// ---- The window handle --------------------------------------------------------------------

void TCustomdxBarControl::CreateWindowHandle(const TCreateParams& params) {
    TCustomControl::CreateWindowHandle(params);
    CreateControls();
    UpdateAlphaBlend();
}

void TCustomdxBarControl::CreateWnd() {
    TCustomControl::CreateWnd();
    UpdateFont();
    CalcTextMetrics();
}

void TCustomdxBarControl::DestroyWindowHandle() {
    if (HandleAllocated()) ReleaseItemWindows();
    DestroyControls();
    TCustomControl::DestroyWindowHandle();
}

void TCustomdxBarControl::WMDestroy(TMessage& m) {
    if (!IsDestroying()) {
        // Hook (marks): the mark state returns to normal.
        ReleaseItemWindows();
    }
    Inherited<TCustomControl>(m);
}

void TCustomdxBarControl::ReleaseItemWindows() {
    if (!IsDestroying()) MouseLeave();
    if (!itemLinks_) return;
    for (int i = 0; i < itemLinks_->GetShowableLinkCount(); ++i)
        if (TdxBarItemControl* control = itemLinks_->GetShowableLink(i)->Control()) control->ReleaseWindows();
}

// ---- Item controls ------------------------------------------------------------------------

void TCustomdxBarControl::CreateControls() {
    if (state_ & (bcsCreatingControls | bcsDestroyingControls)) return;
    TStateScope scope(state_, bcsCreatingControls);
    DoCreateControls();
}

void TCustomdxBarControl::DestroyControls() {
    if (state_ & (bcsCreatingControls | bcsDestroyingControls)) return;
    TStateScope scope(state_, bcsDestroyingControls);
    DoDestroyControls();
}

void TCustomdxBarControl::DoCreateControls() {
    if (!itemLinks_) return;
    for (int i = 0; i < itemLinks_->GetShowableLinkCount(); ++i) itemLinks_->GetShowableLink(i)->CreateControl();
}

void TCustomdxBarControl::DoDestroyControls() {
    hotControl_ = nullptr;
    if (!itemLinks_) return;
    for (int i = 0; i < itemLinks_->GetShowableLinkCount(); ++i) itemLinks_->GetShowableLink(i)->FreeControl();
}

void TCustomdxBarControl::RecreateControls() {
    DestroyControls();
    CreateControls();
    ReplayMousePosition();
}

void TCustomdxBarControl::ReplayMousePosition() {
    TPoint cursor = QueryCursorPos();
    HWND window = FindWindowAtScreenPoint(cursor);
    auto* bar = As<TCustomdxBarControl>(window ? FindControl(window) : nullptr);
    if (!bar || !IsBarControlAlive(bar)) return;
    bar->lastMousePos_ = TPoint{-1, -1};
    TPoint p = cursor;
    ::ScreenToClient(window, &p);
    PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
}

void TCustomdxBarControl::RebuildLocked(bool recreate) {
    if (IsDestroying() || !HandleAllocated()) return;
    if (state_ & (bcsCreatingControls | bcsDestroyingControls | bcsRebuilding)) return;
    if (IsUpdateLocked()) {
        // The manager's last unlock rebuilds the windows that were refused meanwhile.
        rebuildPending_ = true;
        return;
    }
    rebuildPending_ = false;
    TStateScope scope(state_, bcsRebuilding);
    TdxBarManager* manager = GetManager();
    TdxBarItemLink* reselect = nullptr;
    if (IsCustomizing()) {
        TdxBarItemControl* selected = manager->SelectedItemControl();
        if (selected && OwnsItemControl(selected)) reselect = selected->Link();
        manager->AssignSelectedItemControl(nullptr);
        selectedLink_ = nullptr;
    }
    Rebuild(recreate);
    // Hook (selection): the remembered link's new control is selected again (SetSelControl).
    if (reselect && reselect->Control()) selectedLink_ = reselect;
}

void TCustomdxBarControl::Rebuild(bool recreate) {
    if (recreate) RecreateControls();
}

bool TCustomdxBarControl::OwnsItemControl(TdxBarItemControl* control) const {
    return control && itemLinks_ && itemLinks_->HasControl(control);
}

TdxBarItemControl* TCustomdxBarControl::GetSelectedControl() const {
    return selectedLink_ ? selectedLink_->Control() : nullptr;
}

void TCustomdxBarControl::GetItemControlRect(TdxBarItemControl* control, TRect& r) const {
    r = control ? control->GetBounds() : TRect{};
}

TdxBarItemControl* TCustomdxBarControl::ItemControlAtPoint(const TPoint& p) const {
    if (!viewInfo_) return nullptr;
    bool customizing = IsCustomizing();
    if (customizing && !AllowsItemEditing()) return nullptr;
    for (int i = 0; i < viewInfo_->GetItemViewInfoCount(); ++i) {
        TdxBarItemControlViewInfo* info = viewInfo_->GetItemViewInfo(i);
        const TRect bounds = info->GetBounds();
        if (!PtInRect(&bounds, p)) continue;
        TdxBarItemControl* control = info->Control();
        return customizing && control->IsSkippedWhenCust() ? nullptr : control;
    }
    return nullptr;
}

TdxBarItemControl* TCustomdxBarControl::GetControlAtCursor() const {
    return ItemControlAtPoint(ScreenToClient(QueryCursorPos()));
}

void TCustomdxBarControl::InvalidateItem(TdxBarItemControl* control) {
    if (!HandleAllocated() || !control) return;
    TRect r;
    GetItemControlRect(control, r);
    InvalidateRect(Handle(), &r, FALSE);
}

// ---- Kinds and looks ----------------------------------------------------------------------

Word TCustomdxBarControl::GetBehaviorOptions() const { return parentBar_ ? parentBar_->GetBehaviorOptions() : 0x13; }

bool TCustomdxBarControl::IsCustomizing() const { return GetManager()->IsCustomizingOrDesigning(); }

bool TCustomdxBarControl::IsUpdateLocked() const { return GetManager()->UpdateLockCount() > 0; }

bool TCustomdxBarControl::UsesFlatItemLook() const {
    TdxBarPainter* painter = GetPainter();
    return painter && painter->UsesFlatItemLook();
}

bool TCustomdxBarControl::AllowsItemEditing() const { return GetManager()->IsBarManagerDesigning(); }

bool TCustomdxBarControl::IsFocusedBar() const {
    // Hook (keyboard): the manager's focused bar control.
    return false;
}

TdxBarPainter* TCustomdxBarControl::GetPainter() const {
    if (painter_) return painter_;
    if (parentBar_) return parentBar_->GetPainter();
    // Hook (docks): a docked window draws with its dock's painter.
    return GetManager()->Painter();
}

TdxFader* TCustomdxBarControl::GetFader() const { return FaderInstance(); }

TFont* TCustomdxBarControl::GetEditFont() const { return GetManager()->EditFont(); }

int TCustomdxBarControl::GetBaseItemHeight() const {
    TdxBarPainter* painter = GetPainter();
    return painter ? painter->GetMinMenuItemHeight() : 19;
}

int TCustomdxBarControl::CalcDefaultItemHeight() const {
    TdxBarPainter* painter = GetPainter();
    return painter ? painter->CalcBarItemHeight(paintedWindow_.get()) : textSize_;
}

int TCustomdxBarControl::CalcTextSize() const {
    TdxBarPainter* painter = GetPainter();
    return painter ? painter->CalcTextItemHeight(const_cast<TCustomdxBarControl*>(this)->GetDrawCanvas()) : 0;
}

bool TCustomdxBarControl::HasShadow() const {
    TdxBarPainter* painter = GetPainter();
    return painter && painter->BarControlHasShadow(paintedWindow_.get());
}

void TCustomdxBarControl::SetDockingStyle(TdxBarDockingStyle value) {
    if (dockingStyle_ == value) return;
    dockingStyle_ = value;
    ClearBkCache();
    Perform(CM_FONTCHANGED);
    UpdateAlphaBlend();
}

int TCustomdxBarControl::GetItemTextSize(TdxBarItemControl* control) const {
    int own = control ? control->GetActualTextSize() : 0;
    return own != 0 ? own : textSize_;
}

// ---- Layout -------------------------------------------------------------------------------

void TCustomdxBarControl::CalcTextMetrics() {
    textSize_ = CalcTextSize();
    int base = GetBaseItemHeight();
    sizeRatio_ = base > 0 && double(textSize_) / base >= 1.0 ? double(textSize_) / base : 1.0;
    menuArrowHeight_ = std::max(4, textSize_ / 5);
    iconAreaSize_ = CalcDefaultItemHeight();
    TSize zero = FontTextExtent(GetEditFont(), L"0");
    if (TdxBarPainter* painter = GetPainter()) {
        editTextSize_ = painter->CalcEditTextHeight(nullptr, zero.cy);
        comboArrowWidth_ = painter->CalcComboArrowWidth(zero.cx);
    }
}

void TCustomdxBarControl::CalcVisibleItems(int kind, int firstIndex) {
    visibleItemsRect_ = itemsRect_;
    ExcludeTopScrollButton();
    if (itemLinks_) itemLinks_->EmptyLinkRects();
    if (kind == 1) {
        int bottom = 0;
        CalcVisibleItemsRange(firstIndex, bottom);
    } else if (kind == 0 || kind == 2) {
        CalcItemLayout();
    }
    ExcludeBottomScrollButton();
}

void TCustomdxBarControl::CalcVisibleItemsRange(int first, int& bottom) {
    const TRect& area = visibleItemsRect_;
    bottom = area.top;
    if (!itemLinks_) return;
    int previousBottom = area.top;
    bool placedAny = false;
    for (int i = first; i < itemLinks_->GetShownLinkCount(); ++i) {
        TdxBarItemLink* link = itemLinks_->GetShownLink(i);
        TdxBarItemControl* control = link->Control();
        int top = previousBottom + GetLinkBeginGroupSize(link);
        int height = control ? control->CalcLayoutHeight() : 0;
        TRect r{area.left, top, area.right, top + height};
        if (r.bottom > area.bottom) {
            if (AllowsPartialItem(r)) {
                link->SetItemRect(r);
                bottom = area.bottom;
            } else {
                bottom = placedAny ? previousBottom : top;
            }
            return;
        }
        link->SetItemRect(r);
        previousBottom = r.bottom;
        placedAny = true;
        bottom = r.bottom;
    }
}

int TCustomdxBarControl::GetLinkBeginGroupSize(TdxBarItemLink* link) const {
    bool first = itemLinks_ && itemLinks_->GetShownLinkCount() > 0 && itemLinks_->GetShownLink(0) == link;
    return link->BeginGroup() && !first ? GetBeginGroupSize() : 0;
}

// ---- Painting -----------------------------------------------------------------------------

void TCustomdxBarControl::WMPaint(TMessage& m) {
    if (IsDestroying()) {
        // Only the default work: the update region is validated.
        PAINTSTRUCT ps;
        BeginPaint(WindowHandle(), &ps);
        EndPaint(WindowHandle(), &ps);
        return;
    }
    Inherited<TCustomControl>(m);
}

void TCustomdxBarControl::DrawItems() {
    TcxCanvas* canvas = drawCanvas_.get();
    TCustomdxBarControlViewInfo* info = ViewInfo();
    for (int i = 0; i < info->GetItemViewInfoCount(); ++i) {
        TdxBarItemControlViewInfo* item = info->GetItemViewInfo(i);
        if (CanDrawItem(item->Control())) DrawItem(canvas, item->Control());
        canvas->ExcludeRectFromClip(item->GetBounds());
    }
}

bool TCustomdxBarControl::CanDrawItem(TdxBarItemControl* control) const {
    if (IsDestroying() || !control || !control->Link() || !control->Link()->Control()) return false;
    TdxBarItem* item = control->Item();
    if (item && item->ComponentState().Contains(csDestroying)) return false;
    if ((state_ & bcsDrawingItem) || IsUpdateLocked()) return false;
    return viewInfo_ && viewInfo_->ContainsItemViewInfo(control->ViewInfo());
}

void TCustomdxBarControl::DrawItem(TcxCanvas* canvas, TdxBarItemControl* control) {
    TStateScope scope(state_, bcsDrawingItem);
    bkBrush_ = GetBkBrush();
    DrawItemControl(control, canvas, control->GetBounds());
}

void TCustomdxBarControl::DrawItemControl(TdxBarItemControl* control, TcxCanvas* canvas, const TRect& r) {
    canvas->PushClipRegion();
    try {
        canvas->IntersectClipWithRect(control->ViewInfo()->GetBounds());
        control->PaintOn(canvas, r, GetItemDrawKind());
    } catch (...) {
        canvas->PopClipRegion();
        throw;
    }
    canvas->PopClipRegion();
    DrawSelectionFrame(canvas->GetCanvasHandle(), control, r);
}

void TCustomdxBarControl::DrawSelectionFrame(HDC dc, TdxBarItemControl* control, const TRect& r) {
    IdxBarDesigner* designer = GetManager()->Designer();
    if (!designer || !control->Link()) return;
    if (!designer->IsInSelection(control->Link()) && !designer->IsInSelection(control->Item())) return;
    TdxBarDesignController* controller = ExistingDesignController();
    if (controller && controller->UsesFrameSelectionLook(control->Link())) {
        // Two nested one-pixel frames in the window-text colour.
        HBRUSH brush = GetSysColorBrush(COLOR_WINDOWTEXT);
        TRect frame = r;
        for (int i = 0; i < 2; ++i) {
            FrameRect(dc, &frame, brush);
            InflateRect(&frame, -1, -1);
        }
        return;
    }
    COLORREF color = COLORREF(ColorToRGB(clBtnText));
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            bool inFrame = x < r.left + 2 || x >= r.right - 2 || y < r.top + 2 || y >= r.bottom - 2;
            if (inFrame && (x + y) % 2 == 0) SetPixel(dc, x, y, color);
        }
}

HBRUSH TCustomdxBarControl::GetBkBrush() const {
    TdxBarPainter* painter = GetPainter();
    return painter ? painter->GetToolbarBrush() : HBRUSH(INT_PTR(COLOR_BTNFACE + 1));
}

void TCustomdxBarControl::WMNCPaint(TMessage& m) {
    if (!PaintsNonClientArea()) {
        Inherited<TCustomControl>(m);
        return;
    }
    HDC dc = GetWindowDC(WindowHandle());
    try {
        Inherited<TCustomControl>(m);
        DrawNonClientArea(dc);
    } catch (...) {
        ReleaseDC(WindowHandle(), dc);
        throw;
    }
    ReleaseDC(WindowHandle(), dc);
}

void TCustomdxBarControl::WMPrint(TMessage& m) {
    Inherited<TCustomControl>(m);
    DrawNonClientArea(HDC(m.WParam));
}

void TCustomdxBarControl::WMPrintClient(TMessage& m) {
    Inherited<TCustomControl>(m);
    PaintWindow(HDC(m.WParam));
}

void TCustomdxBarControl::FillBkRegion(HDC dc, HRGN region, bool flag, HBRUSH brush) {
    HRGN saved = CreateRectRgn(0, 0, 0, 0);
    bool hadClip = GetClipRgn(dc, saved) == 1;
    ExtSelectClipRgn(dc, region, RGN_AND);
    TRect r;
    GetLocalWindowRect(r);
    FillBk(dc, r, flag, clNone, brush);
    SelectClipRgn(dc, hadClip ? saved : nullptr);
    DeleteObject(saved);
}

bool TCustomdxBarControl::UpdateDoubleBuffered() {
    bool value = HasBkImage() || GetManager()->IsAnotherManagerCustomizing();
    if (!value) {
        TdxBarPainter* painter = GetPainter();
        value = painter && painter->NeedsDoubleBuffering();
    }
    SetDoubleBuffered(value);
    return value;
}

void TCustomdxBarControl::ClearBkCache() {
    if (bkBitmap_) bkBitmap_->SetSize(0, 0);
}

void TCustomdxBarControl::WMWindowPosChanged(TMessage& m) {
    Inherited<TCustomControl>(m);
    if (IsDestroying()) return;
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.LParam);
    if (pos && (pos->flags & SWP_NOMOVE) && (pos->flags & SWP_NOSIZE)) return;
    WindowPosChanged();
}

void TCustomdxBarControl::WindowPosChanged() {
    // Hook (shadow): UpdateShadowBounds, then the shadow shows while NeedsShadow holds.
    ClearBkCache();
}

// ---- Canvas and fonts ---------------------------------------------------------------------

TcxCanvas* TCustomdxBarControl::GetDrawCanvas() {
    if (HandleAllocated()) {
        if (screenCanvas_) {
            screenCanvas_.reset();
            UpdateCanvasFont();
        }
        return drawCanvas_.get();
    }
    if (!screenCanvas_) {
        screenCanvas_.reset(TcxScreenCanvas::CreateForScreen());
        UpdateCanvasFont();
    }
    return screenCanvas_.get();
}

void TCustomdxBarControl::UpdateCanvasFont() {
    if (state_ & bcsUpdatingCanvasFont) return;
    TStateScope scope(state_, bcsUpdatingCanvasFont);
    TcxCanvas* canvas = screenCanvas_ ? screenCanvas_.get() : drawCanvas_.get();
    canvas->GetCanvasFont()->Assign(Font());
    if (!IsRotated()) return;
    LOGFONTW log{};
    if (GetObjectW(Font()->Handle(), sizeof(log), &log) == 0) return;
    // Text runs top to bottom on a window turned on its side.
    log.lfEscapement = -900;
    log.lfOrientation = -900;
    log.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    canvas->GetCanvasFont()->SetHandle(CreateFontIndirectW(&log));
}

// ---- Geometry -----------------------------------------------------------------------------

void TCustomdxBarControl::GetLocalWindowRect(TRect& r) const {
    r = TRect{0, 0, Width(), Height()};
    if (HandleAllocated()) {
        GetWindowRect(WindowHandle(), &r);
        OffsetRect(&r, -r.left, -r.top);
    }
}

void TCustomdxBarControl::GetClientRectInWindow(TRect& r) const {
    r = ClientRect();
    if (!HandleAllocated()) return;
    TRect window;
    GetWindowRect(WindowHandle(), &window);
    TPoint origin{0, 0};
    ::ClientToScreen(WindowHandle(), &origin);
    OffsetRect(&r, origin.x - window.left, origin.y - window.top);
}

TPoint TCustomdxBarControl::CalcScreenTipPos(const TPoint& p, int tipHeight) const {
    TPoint result{p.x, p.y + ScaleToScreenDPI(20)};
    const TRect workArea = WorkAreaAtPoint(result);
    if (result.y + tipHeight > workArea.bottom) result.y = ClientToScreen(TPoint{0, 0}).y - tipHeight;
    return result;
}

TWinControl* TCustomdxBarControl::GetOwnerControl() const { return IsRectEmpty(&ownerBounds_) ? nullptr : ownerControl_; }

bool TCustomdxBarControl::TouchesOwner() const {
    const TRect r = BoundsRect();
    const TRect& o = ownerBounds_;
    bool horizontalEdge = (o.bottom == r.top || o.top == r.bottom) && o.left < r.right && r.left < o.right;
    bool verticalEdge = (o.right == r.left || o.left == r.right) && o.top < r.bottom && r.top < o.bottom;
    return horizontalEdge || verticalEdge;
}

bool TCustomdxBarControl::CalcOwnerGapRect(bool outside, TRect& result) const {
    result = TRect{};
    if (IsRectEmpty(&ownerBounds_) || !TouchesOwner()) return false;
    TRect r = BoundsRect();
    TRect o = ownerBounds_;
    OffsetRect(&o, -r.left, -r.top);
    OffsetRect(&r, -r.left, -r.top);
    // Beside the owner the shared edge is vertical: swap x and y so that it is horizontal.
    bool horizontal = (ownerBounds_.bottom == BoundsRect().top || ownerBounds_.top == BoundsRect().bottom);
    auto swap = [](TRect& x) { x = TRect{x.top, x.left, x.bottom, x.right}; };
    if (!horizontal) {
        swap(r);
        swap(o);
    }
    bool below = r.top == o.bottom;
    if (below)
        r.bottom = r.top + 1;
    else
        r.top = r.bottom - 1;
    if (outside) OffsetRect(&r, 0, below ? -1 : 1);
    r.left = std::max(o.left + 1, r.left + 1);
    r.right = o.right - 1 < r.right ? o.right - 1 : r.right - 1;
    if (!horizontal) swap(r);
    if (outside) OffsetRect(&r, Left(), Top());
    result = r;
    return true;
}

// ---- Mouse, cursor and commands -----------------------------------------------------------

void TCustomdxBarControl::WMSetCursor(TMessage& m) {
    if (LOWORD(m.LParam) == HTCLIENT && HWND(m.WParam) == WindowHandle()) {
        ::SetCursor(Screen->Cursors(Cursor()));
        m.Result = 1;
        return;
    }
    Inherited<TCustomControl>(m);
}

void TCustomdxBarControl::WMCommand(TMessage& m) {
    Inherited<TCustomControl>(m);
    HWND source = HWND(m.LParam);
    // The editor sees its own change notification.
    if (m.Result == 0 && HIWORD(m.WParam) == EN_CHANGE && source && IsWindow(source))
        m.Result = SendMessageW(source, m.Msg, m.WParam, m.LParam);
}

void TCustomdxBarControl::ForgetItemControl(TdxBarItemControl* control) {
    if (hotControl_ == control) hotControl_ = nullptr;
    if (clickedControl_ == control) clickedControl_ = nullptr;
    if (viewInfo_ && control->ViewInfoIfMade()) viewInfo_->RemoveItemViewInfo(control->ViewInfoIfMade());
}
