#include "dxRibbonGroupBarControl.h"

#include "Form.h"
#include "cxObjectLinks.h"
#include "cxWindowHelpers.h"
#include "dxRibbonAccessibility.h"
#include "dxBarItem.h"
#include "dxBarItemControl.h"
#include "dxBarItemControlViewInfo.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxRibbon.h"
#include "dxRibbonBarPainter.h"
#include "dxRibbonTabs.h"
#include "Font.h"
#include "cxTextMeasuring.h"

namespace {

// The frame and caption band of a group: the ribbon's insets of the group part.
TRect GroupNonClientOffsets(TdxCustomRibbon* ribbon) {
    TRect offsets{};
    if (ribbon) ribbon->GetSkinPartContentOffsets(TdxRibbonBarPainter::PartGroup, offsets);
    return offsets;
}

}  // namespace

// One item control as the calculator sees it: the control's own view info, with the place in
// its button group kept here (the calculator sets it anew in every pass).
class TdxRibbonGroupBarControlViewInfo::TItemLayout final : public IdxBarItemControlViewInfo {
public:
    explicit TItemLayout(TdxBarItemControlViewInfo* info) : info_(info) {}
    TdxBarItemControlViewInfo* Info() const { return info_; }
    TdxBarItemLink* Link() const { return info_->Control()->Link(); }

    void CallHook() override { info_->CallHook(); }
    int GetColumnRowCount() override { return info_->GetColumnRowCount(); }
    void SetColumnRowCount(int count) override { info_->SetColumnRowCount(count); }
    TdxBarButtonGroupPosition GetButtonGroupPosition() override { return info_->GetButtonGroupPosition(); }
    TdxBarButtonGroupPlace GetResolvedButtonGroupPosition() override { return place_; }
    void SetResolvedButtonGroupPosition(TdxBarButtonGroupPlace place) override { place_ = place; }
    TdxBarItemViewLevel GetViewLevel() override { return info_->GetViewLevel(); }
    void SetViewLevel(TdxBarItemViewLevel level) override { info_->SetViewLevel(level); }
    TdxBarItemViewLevels GetAllowedViewLevels() override { return info_->GetAllowedViewLevels(); }
    TdxBarItemViewLevel GetMinViewLevel() override { return info_->GetMinViewLevel(); }
    int GetWidthForLevel(TdxBarItemViewLevel level) override { return info_->GetWidthForLevel(level); }
    bool BeginsNewGroup() override { return info_->BeginsNewGroup(); }
    bool IsDistributed() override { return distributed_.value_or(info_->IsDistributed()); }
    // Links are distributed unless told otherwise: a cleared flag is the user's.
    bool IsDistributedExplicitly() override { return !info_->IsDistributed(); }
    void SetDistributed(bool value) override { distributed_ = value; }
    TdxBarItemPosition GetLinkPosition() override { return info_->GetLinkPosition(); }
    TdxBarItemAlign GetAlign() override {
        TdxBarItem* item = info_->Control()->Item();
        return item ? item->Align() : iaLeft;
    }
    IColumnedItemControl* IsMultiColumn() override { return nullptr; }
    TRect GetBounds() override { return info_->GetBounds(); }
    void SetBounds(const TRect& r) override { info_->SetBounds(r); }
    int GetRowIndex() override { return info_->GetRowIndex(); }
    void SetRowIndex(int row) override { info_->SetRowIndex(row); }

private:
    TdxBarItemControlViewInfo* info_;
    TdxBarButtonGroupPlace place_ = bgplNone;
    // What the layout decided for the item's run; the link's own flag stays as the user set it.
    std::optional<bool> distributed_;
};

// ---- TdxRibbonGroupBarControlViewInfo -----------------------------------------------------

TdxRibbonGroupBarControlViewInfo::TdxRibbonGroupBarControlViewInfo(TCustomdxBarControl* barControl)
    : TCustomdxBarControlViewInfo(barControl), host_(std::make_unique<TdxRibbonGroupBarControlViewInfoHelper>(this)) {}

TdxRibbonGroupBarControlViewInfo::~TdxRibbonGroupBarControlViewInfo() = default;

IdxBarItemControlViewInfo* TdxRibbonGroupBarControlViewInfo::LayoutItem(int index) const {
    return layouts_.at(size_t(index)).get();
}

TdxCustomRibbon* TdxRibbonGroupBarControlViewInfo::Ribbon() {
    auto* window = As<TdxRibbonGroupBarControl>(BarControl());
    return window ? window->GetRibbon() : nullptr;
}

IPtr<IdxRibbonGroupLayoutCalculator> TdxRibbonGroupBarControlViewInfo::CreateLayoutCalculator() {
    if (TdxCustomRibbon* ribbon = Ribbon()) itemRowHeight_ = ribbon->GetGroupRowHeight();
    return IPtr<IdxRibbonGroupLayoutCalculator>(new TdxRibbonGroupLayoutCalculator(itemRowHeight_, RowsPerGroup));
}

void TdxRibbonGroupBarControlViewInfo::RebuildItems() {
    ClearItems();
    layouts_.clear();
    groupCollapsed_ = false;
    TdxBarItemLinks* links = BarControl()->ItemLinks();
    // Links lent to a collapsed group's popup are laid out there, not here.
    if (links && links->BarControl() != BarControl()) links = nullptr;
    if (links && links->GetShownLinkCount() > 0)
        for (int i = 0; i < links->GetShownLinkCount(); ++i)
            if (TdxBarItemControl* control = links->GetShownLink(i)->Control()) {
                AppendItemViewInfo(control->ViewInfo());
                layouts_.push_back(std::make_unique<TItemLayout>(control->ViewInfo()));
            }
    if (TdxCustomRibbon* ribbon = Ribbon()) minContentWidth_ = MeasureMinContentWidth(ribbon);
    calculatorRef_ = CreateLayoutCalculator();
    calculatorRef_->InitializeItems(*host_);
}

void TdxRibbonGroupBarControlViewInfo::Calculate() {
    if (!calculatorRef_) return;  // only inside a pass
    TdxCustomRibbon* ribbon = Ribbon();
    if (!groupCollapsed_) {
        const TRect offsets = GroupNonClientOffsets(ribbon);
        nonContentSize_ = TSize{offsets.left + offsets.right, offsets.top + offsets.bottom};
        calculatorRef_->LayOutGroup(*host_);
        return;
    }
    // A collapsed group is one button as high as the whole group, without frame or caption band.
    nonContentSize_ = TSize{0, 0};
    const int height = ribbon ? ribbon->GetGroupHeight() : itemRowHeight_ * RowsPerGroup;
    int width = collapsedWidth_;
    if (width <= 0 && ribbon) width = MeasureCollapsedWidth(ribbon, height);
    contentSize_ = TSize{width, height};
    ClearSeparatorData();
    for (auto& layout : layouts_) layout->SetBounds(TRect{});
}

void TdxRibbonGroupBarControlViewInfo::FinishLayout() {
    calculatorRef_.reset();
    bool changed = false;
    for (auto& layout : layouts_) {
        const TRect r = groupCollapsed_ ? TRect{} : layout->GetBounds();
        TdxBarItemLink* link = layout->Link();
        if (!EqualRect(&r, &link->ItemRect())) changed = true;
        link->SetItemRect(r);
    }
    // The item controls may go before the next pass: nothing keeps their view infos.
    layouts_.clear();
    if (changed && BarControl()->HandleAllocated()) BarControl()->Invalidate();
}

bool TdxRibbonGroupBarControlViewInfo::CanCollapse() {
    auto* window = As<TdxRibbonGroupBarControl>(BarControl());
    TdxRibbonTabGroup* group = window ? window->ShownGroup() : nullptr;
    return canCollapse_ && (!group || group->CanCollapse());
}

String TdxRibbonGroupBarControlViewInfo::GroupCaption() {
    auto* window = As<TdxBarControl>(BarControl());
    return window && window->Bar() ? window->Bar()->Caption() : String();
}

int TdxRibbonGroupBarControlViewInfo::MeasureMinContentWidth(TdxCustomRibbon* ribbon) {
    return FontTextWidth(ribbon->Fonts()->GetGroupHeaderFont(), GroupCaption());
}

int TdxRibbonGroupBarControlViewInfo::MeasureCollapsedWidth(TdxCustomRibbon* ribbon, int height) {
    // The caption under the glyph frame, with room for the drop-down arrow.
    const int text = FontTextWidth(ribbon->Fonts()->GetGroupFont(), GroupCaption()) + CollapsedArrowWidth;
    return ribbon->GroupsPainter()->CalcCollapsedGroupWidth(text, height);
}

void TdxRibbonGroupBarControlViewInfo::BeginReduction() {
    if (calculatorRef_) calculatorRef_->BeginReduction(*host_);
}

bool TdxRibbonGroupBarControlViewInfo::NarrowColumnedItem() {
    return calculatorRef_ && calculatorRef_->NarrowColumnedItem(*host_);
}

bool TdxRibbonGroupBarControlViewInfo::FoldColumnedItem() {
    return calculatorRef_ && calculatorRef_->FoldColumnedItem(*host_);
}

bool TdxRibbonGroupBarControlViewInfo::ReduceToViewLevel(TdxBarItemViewLevel level) {
    return calculatorRef_ && calculatorRef_->ReduceToViewLevel(*host_, level);
}

// ---- TdxRibbonGroupBarControlViewInfoHelper -----------------------------------------------

void TdxRibbonGroupBarControlViewInfoHelper::AppendSeparator(const TdxRibbonGroupSeparator& s) {
    viewInfo_->AppendSeparatorData(s.bounds, s.kind, nullptr);
}

void TdxRibbonGroupBarControlViewInfoHelper::ClearSeparators() { viewInfo_->ClearSeparatorData(); }

void TdxRibbonGroupBarControlViewInfoHelper::GetSpacing(int& buttonGroupSpacing, int& leftIndent, int& rightIndent) {
    buttonGroupSpacing = 3;
    leftIndent = 2;
    rightIndent = 2;
}

TdxRibbonGroupSeparator TdxRibbonGroupBarControlViewInfoHelper::GetSeparator(int index) {
    const TdxBarSeparatorInfo& data = viewInfo_->GetSeparatorData(index);
    return {data.bounds, data.kind};
}

void TdxRibbonGroupBarControlViewInfoHelper::SetSeparator(int index, const TdxRibbonGroupSeparator& s) {
    TdxBarSeparatorInfo data = viewInfo_->GetSeparatorData(index);
    data.bounds = s.bounds;
    data.kind = s.kind;
    viewInfo_->SetSeparatorData(index, data);
}

// ---- TdxRibbonCustomBarControl ------------------------------------------------------------

TdxRibbonCustomBarControl::TdxRibbonCustomBarControl(TComponent* owner) : TdxBarControl(owner) {}

TdxRibbonCustomBarControl::~TdxRibbonCustomBarControl() { LeaveToolbar(); }

void TdxRibbonCustomBarControl::BeforeDestruction() {
    LeaveToolbar();
    TdxBarControl::BeforeDestruction();
}

void TdxRibbonCustomBarControl::LeaveToolbar() {
    Destroying();
    TdxBar* bar = Bar();
    if (bar && bar->BarControl() == this) bar->HideBarControl();
}

void TdxRibbonCustomBarControl::CreateParams(TCreateParams& params) {
    TdxBarControl::CreateParams(params);
    // Never a floating tool window: a child of its dock (or of whatever holds it).
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    params.ExStyle &= ~DWORD(FloatingExStyle);
    // Double clicks arrive as two single clicks.
    params.WindowClass.style &= ~UINT(CS_DBLCLKS);
}

TFont* TdxRibbonCustomBarControl::GetEditFont() const {
    if (TdxCustomRibbon* ribbon = GetRibbon()) return ribbon->Fonts()->GetGroupFont();
    return TdxBarControl::GetEditFont();
}

bool TdxRibbonCustomBarControl::IsMouseOverCaption() const {
    if (!HandleAllocated()) return false;
    const TPoint p = ScreenToClient(QueryCursorPos());
    RECT w;
    GetWindowRect(WindowHandle(), &w);
    const TPoint origin = ScreenToClient(TPoint{w.left, w.top});
    return p.y >= ClientHeight() && p.y < origin.y + (w.bottom - w.top) && p.x >= origin.x &&
           p.x < origin.x + (w.right - w.left);
}

void TdxRibbonCustomBarControl::HandleMouseDown(TMouseButton button, TShiftState shift, const TPoint& p,
                                                TdxBarItemControl* control) {
    if (button == mbRight) ReleaseCapture();
    TCustomdxBarControl::HandleMouseDown(button, shift, p, control);
}

void TdxRibbonCustomBarControl::WMNCHitTest(TMessage& m) {
    DefaultHandler(m);
    m.Result = HTCLIENT;
}

// ---- TdxRibbonGroupBarControl -------------------------------------------------------------

TdxRibbonGroupBarControl::TdxRibbonGroupBarControl(TComponent* manager) : TdxRibbonCustomBarControl(manager) {}

TdxRibbonGroupBarControlViewInfo* TdxRibbonGroupBarControl::GroupViewInfo() {
    return static_cast<TdxRibbonGroupBarControlViewInfo*>(ViewInfo());
}

TdxRibbonGroupsDockControl* TdxRibbonGroupBarControl::GroupsDockControl() const {
    return As<TdxRibbonGroupsDockControl>(DockControl());
}

TdxCustomRibbon* TdxRibbonGroupBarControl::GetRibbon() const {
    TdxRibbonGroupsDockControl* dock = GroupsDockControl();
    return dock ? dock->Ribbon() : nullptr;
}

TdxRibbonTabGroup* TdxRibbonGroupBarControl::ShownGroup() const {
    TdxRibbonGroupsDockControl* dock = GroupsDockControl();
    TdxRibbonTab* tab = dock ? dock->Tab() : nullptr;
    return tab && Bar() ? tab->Groups()->FindByToolbar(Bar()) : nullptr;
}

void TdxRibbonGroupBarControl::AssignItemLinks(TdxBarItemLinks* links) {
    TdxRibbonCustomBarControl::AssignItemLinks(links);
    RecreateControls();
}

void TdxRibbonGroupBarControl::LayOutAlone() {
    TdxRibbonGroupBarControlViewInfo* info = GroupViewInfo();
    info->RebuildItems();
    try {
        info->Calculate();
    } catch (...) {
        info->FinishLayout();
        throw;
    }
    info->FinishLayout();
    SetBounds(Left(), Top(), info->GetWidth(), info->ContentSize().cy + info->NonContentSize().cy);
}

TRect TdxRibbonGroupBarControl::NonClientOffsets() {
    TdxCustomRibbon* ribbon = GetRibbon();
    if (!ribbon || GroupViewInfo()->IsCollapsed()) return TRect{};
    TRect offsets{};
    ribbon->GetSkinPartContentOffsets(TdxRibbonBarPainter::PartGroup, offsets);
    return offsets;
}

TRect TdxRibbonGroupBarControl::CaptionBandRect() {
    TdxCustomRibbon* ribbon = GetRibbon();
    if (!ribbon || !HandleAllocated()) return TRect{};
    RECT w;
    GetWindowRect(WindowHandle(), &w);
    TRect band{};
    ribbon->CalcSkinCaptionRect(TRect{0, 0, w.right - w.left, w.bottom - w.top}, TdxRibbonBarPainter::PartGroup, band);
    return band;
}

bool TdxRibbonGroupBarControl::IsMouseOverCaption() const {
    auto* self = const_cast<TdxRibbonGroupBarControl*>(this);
    if (self->GroupViewInfo()->IsCollapsed()) {
        if (!HandleAllocated()) return false;
        RECT w;
        GetWindowRect(WindowHandle(), &w);
        const TPoint p = QueryCursorPos();
        return PtInRect(&w, POINT{p.x, p.y}) != 0;
    }
    return TdxRibbonCustomBarControl::IsMouseOverCaption();
}

bool TdxRibbonGroupBarControl::HasMark() const {
    return const_cast<TdxRibbonGroupBarControl*>(this)->GroupViewInfo()->IsCollapsed();
}

void TdxRibbonGroupBarControl::Rebuild(bool recreate) {
    TCustomdxBarControl::Rebuild(recreate);
    // Docked, the tab lays all its groups out again; alone, the group lays itself out.
    if (TdxRibbonGroupsDockControl* dock = GroupsDockControl())
        dock->Recalculate();
    else
        LayOutAlone();
}

void TdxRibbonGroupBarControl::HandleMouseDown(TMouseButton button, TShiftState shift, const TPoint& p,
                                               TdxBarItemControl* control) {
    // A collapsed group is one button: a press opens the whole group below it.
    if (button == mbLeft && GroupViewInfo()->IsCollapsed() && !IsPopupWindow()) {
        ShowCollapsedPopup();
        return;
    }
    TdxRibbonCustomBarControl::HandleMouseDown(button, shift, p, control);
}

void TdxRibbonGroupBarControl::ShowCollapsedPopup() {
    if (popup_ || !Bar() || !ItemLinks() || !HandleAllocated()) return;
    TdxBarManager* manager = GetManager();
    auto* popup = As<TdxRibbonCollapsedGroupPopupBarControl>(
        TdxBarControl::CreateForBar(TdxRibbonCollapsedGroupPopupBarControl::StaticClass(), manager, Bar()));
    if (!popup) return;
    popup_ = popup;
    mouseState_ = 4;
    RedrawWindow(WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    popup->ShowFor(this);
}

void TdxRibbonGroupBarControl::LendItemLinks(TCustomdxBarControl* borrower) {
    TdxBarItemLinks* links = ItemLinks();
    if (!links) return;
    DestroyControls();
    links->AttachBarControl(borrower);
}

void TdxRibbonGroupBarControl::ReclaimItemLinks() {
    if (popup_) popup_->ClosePopup();
}

void TdxRibbonGroupBarControl::PopupClosed(TdxRibbonCollapsedGroupPopupBarControl* popup) {
    if (popup_ != popup) return;
    popup_ = nullptr;
    mouseState_ = 0;
    if (TdxBarItemLinks* links = ItemLinks()) {
        links->AttachBarControl(this);
        if (HandleAllocated() && !IsDestroying()) CreateControls();
    }
    if (IsDestroying()) return;
    if (TdxRibbonGroupsDockControl* dock = GroupsDockControl()) dock->Recalculate();
    if (HandleAllocated()) RedrawWindow(WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

void TdxRibbonGroupBarControl::BeforeDestruction() {
    ReclaimItemLinks();
    TdxRibbonCustomBarControl::BeforeDestruction();
}

void TdxRibbonGroupBarControl::EnsureItemVisible(TdxBarItemControl* control) {
    TdxRibbonGroupsDockControl* dock = GroupsDockControl();
    if (!dock || !control) return;
    TRect r = control->GetBounds();
    OffsetRect(&r, Left(), Top());
    dock->MakeRectVisible(r);
}

void TdxRibbonGroupBarControl::Notification(TComponent* component, TOperation operation) {
    TdxRibbonCustomBarControl::Notification(component, operation);
}

void TdxRibbonGroupBarControl::WMNCCalcSize(TMessage& m) {
    // The frame and the caption band lie outside the client area.
    auto* r = reinterpret_cast<RECT*>(m.LParam);
    const TRect offsets = NonClientOffsets();
    r->left += offsets.left;
    r->top += offsets.top;
    r->right -= offsets.right;
    r->bottom -= offsets.bottom;
    if (r->right < r->left) r->right = r->left;
    if (r->bottom < r->top) r->bottom = r->top;
    m.Result = 0;
}

void TdxRibbonGroupBarControl::WMNCHitTest(TMessage& m) {
    // The whole group is the client: a collapsed group is one button, the caption band shows
    // the ribbon's menu.
    m.Result = HTCLIENT;
}

void TdxRibbonGroupBarControl::DrawGroupsAreaBehind(HDC dc, bool clientCoordinates) {
    TdxCustomRibbon* ribbon = GetRibbon();
    TdxCustomRibbonSkin* scheme = ribbon ? ribbon->ColorScheme() : nullptr;
    if (scheme && IsPopupWindow() && HandleAllocated()) {
        // A popup shows the groups area over its own rectangle.
        RECT w;
        GetWindowRect(WindowHandle(), &w);
        TRect whole{0, 0, w.right - w.left, w.bottom - w.top};
        if (clientCoordinates) {
            const TRect offsets = NonClientOffsets();
            OffsetRect(&whole, -offsets.left, -offsets.top);
        }
        scheme->DrawTabGroupsArea(dc, whole);
        return;
    }
    TWinControl* dock = Parent();
    TWinControl* site = dock ? dock->Parent() : nullptr;
    if (!scheme || !site || !site->HandleAllocated() || !HandleAllocated()) return;
    // The site's client rectangle mapped into this window (or its client area).
    POINT origin{0, 0};
    MapWindowPoints(site->Handle(), WindowHandle(), &origin, 1);
    if (!clientCoordinates) {
        const TRect offsets = NonClientOffsets();
        origin.x += offsets.left;
        origin.y += offsets.top;
    }
    scheme->DrawTabGroupsArea(dc, TRect{origin.x, origin.y, origin.x + site->ClientWidth(), origin.y + site->ClientHeight()});
}

void TdxRibbonGroupBarControl::DrawNonClientArea(HDC dc) {
    TdxCustomRibbon* ribbon = GetRibbon();
    if (!ribbon || !HandleAllocated() || GroupViewInfo()->IsCollapsed()) return;
    RECT w;
    GetWindowRect(WindowHandle(), &w);
    const TRect whole{0, 0, w.right - w.left, w.bottom - w.top};
    const TRect offsets = NonClientOffsets();
    const TRect client{offsets.left, offsets.top, whole.right - offsets.right, whole.bottom - offsets.bottom};
    // Drawn off screen and copied around the client area, so that nothing flickers.
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, std::max(1, int(whole.right)), std::max(1, int(whole.bottom)));
    HGDIOBJ old = SelectObject(memory, bitmap);
    DrawGroupsAreaBehind(memory, false);
    ribbon->DrawSkinPart(memory, whole, TdxRibbonBarPainter::PartGroup, 0);
    ribbon->DrawSkinPartCaption(memory, Bar() ? Bar()->Caption() : String(), CaptionBandRect(),
                                TdxRibbonBarPainter::PartGroup, 0);
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    BitBlt(dc, 0, 0, whole.right, whole.bottom, memory, 0, 0, SRCCOPY);
    RestoreDC(dc, saved);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

void TdxRibbonGroupBarControl::FillBk(HDC dc, const TRect& r, bool, TColor, HBRUSH) {
    TdxCustomRibbon* ribbon = GetRibbon();
    if (!ribbon) {
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    // The group's body continues under the items: the part drawn over the whole window,
    // seen through the client area.
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    RECT w{0, 0, 0, 0};
    if (HandleAllocated()) GetWindowRect(WindowHandle(), &w);
    const TRect offsets = NonClientOffsets();
    const TRect whole{-offsets.left, -offsets.top, w.right - w.left - offsets.left, w.bottom - w.top - offsets.top};
    DrawGroupsAreaBehind(dc, true);
    if (GroupViewInfo()->IsCollapsed()) {
        ribbon->GroupsPainter()->DrawCollapsedGroupButton(dc, ClientRect(), Height(), CollapsedState(), nullptr);
        DrawCollapsedCaption(dc);
    } else {
        ribbon->DrawSkinPart(dc, whole, TdxRibbonBarPainter::PartGroup, 0);
    }
    RestoreDC(dc, saved);
}

int TdxRibbonGroupBarControl::CollapsedState() { return mouseState_; }

void TdxRibbonGroupBarControl::MouseEnter() {
    TdxRibbonCustomBarControl::MouseEnter();
    if (GroupViewInfo()->IsCollapsed() && !popup_ && mouseState_ != 2) {
        mouseState_ = 2;
        Invalidate();
    }
}

void TdxRibbonGroupBarControl::MouseLeave() {
    TdxRibbonCustomBarControl::MouseLeave();
    if (GroupViewInfo()->IsCollapsed() && !popup_ && mouseState_ != 0) {
        mouseState_ = 0;
        Invalidate();
    }
}

// ---- TdxRibbonCollapsedGroupPopupBarControl -----------------------------------------------

TdxRibbonCollapsedGroupPopupBarControl::TdxRibbonCollapsedGroupPopupBarControl(TComponent* manager)
    : TdxRibbonGroupBarControl(manager) {}

TdxRibbonCollapsedGroupPopupBarControl::~TdxRibbonCollapsedGroupPopupBarControl() = default;

TdxCustomRibbon* TdxRibbonCollapsedGroupPopupBarControl::GetRibbon() const {
    return groupWindow_ ? groupWindow_->GetRibbon() : nullptr;
}

void TdxRibbonCollapsedGroupPopupBarControl::CreateParams(TCreateParams& params) {
    TdxRibbonGroupBarControl::CreateParams(params);
    params.Style = WS_POPUP | WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    TCustomForm* form = groupWindow_ ? TopLevelFormOf(groupWindow_) : nullptr;
    params.WndParent = form && form->HandleAllocated() ? form->Handle() : nullptr;
}

void TdxRibbonCollapsedGroupPopupBarControl::ShowFor(TdxRibbonGroupBarControl* groupWindow) {
    groupWindow_ = groupWindow;
    groupWindow->FreeNotification(this);
    groupWindow->LendItemLinks(this);
    AssignItemLinks(groupWindow->ItemLinks());
    HandleNeeded();
    LayOutAlone();
    // Below the collapsed button, inside the work area of its monitor.
    RECT owner;
    GetWindowRect(groupWindow->Handle(), &owner);
    TRect r = Bounds(owner.left, owner.bottom, Width(), Height());
    const TRect work = WorkAreaAtPoint(TPoint{owner.left, owner.bottom});
    if (r.right > work.right) OffsetRect(&r, work.right - r.right, 0);
    if (r.left < work.left) OffsetRect(&r, work.left - r.left, 0);
    if (r.bottom > work.bottom) OffsetRect(&r, 0, owner.top - r.bottom);
    SetBounds(r.left, r.top, RectWidth(r), RectHeight(r));
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetVisible(true);
    // The popup is the active bar window: a press outside closes it, a command closes it.
    SetActive(true);
}

void TdxRibbonCollapsedGroupPopupBarControl::ClosePopup() {
    if (closing_) return;
    closing_ = true;
    SetActive(false);
    TdxRibbonGroupBarControl* owner = std::exchange(groupWindow_, nullptr);
    // The item controls shown here go; the links go back to the group's window.
    DestroyControls();
    ItemLinksFreed();
    if (owner) {
        owner->RemoveFreeNotification(this);
        owner->PopupClosed(this);
    }
    if (!IsDestroying()) {
        if (HandleAllocated()) DestroyHandle();
        FreeObject(this);
    }
}

void TdxRibbonCollapsedGroupPopupBarControl::DoHideMenu() {
    ClosePopup();
}

void TdxRibbonCollapsedGroupPopupBarControl::BeforeDestruction() {
    if (!closing_ && groupWindow_) {
        closing_ = true;
        TdxRibbonGroupBarControl* owner = std::exchange(groupWindow_, nullptr);
        DestroyControls();
        ItemLinksFreed();
        owner->RemoveFreeNotification(this);
        owner->PopupClosed(this);
    }
    TdxRibbonGroupBarControl::BeforeDestruction();
}

void TdxRibbonCollapsedGroupPopupBarControl::Notification(TComponent* component, TOperation operation) {
    TdxRibbonGroupBarControl::Notification(component, operation);
    if (operation == opRemove && component == groupWindow_) {
        groupWindow_ = nullptr;
        ItemLinksFreed();
    }
}

void TdxRibbonGroupBarControl::DrawCollapsedCaption(HDC dc) {
    TdxCustomRibbon* ribbon = GetRibbon();
    if (!ribbon || !Bar()) return;
    TRect caption;
    ribbon->GroupsPainter()->GetCollapsedCaptionRect(ClientRect(), caption);
    TFont* font = ribbon->Fonts()->GetGroupFont();
    HGDIOBJ oldFont = SelectObject(dc, font->Handle());
    const COLORREF oldColor = SetTextColor(dc, ColorToRGB(font->Color()));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    TRect text = caption;
    text.bottom = text.top + FontTextHeight(font, L"Qq") + 2;
    DrawTextInDC(dc, Bar()->Caption(), text, -1, DT_CENTER | DT_TOP | DT_SINGLELINE);
    // The drop-down arrow below the caption: the whole group opens from here.
    const int cx = (caption.left + caption.right) / 2, top = text.bottom + 2;
    HBRUSH arrow = CreateSolidBrush(ColorToRGB(font->Color()));
    for (int k = 0; k < 3; ++k) {
        RECT line{cx - 2 + k, top + k, cx + 3 - k, top + k + 1};
        FillRect(dc, &line, arrow);
    }
    DeleteObject(arrow);
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColor);
    SelectObject(dc, oldFont);
}

void TdxRibbonGroupBarControl::Paint() {
    HDC dc = Canvas()->Handle();
    if (!GroupViewInfo()->IsCollapsed()) DrawItems();
    FillBk(dc, ClientRect(), false, clNone, nullptr);
}

const TcxAccessibilityHelperMeta* TdxRibbonGroupBarControl::GetAccessHelperClass() const {
    return TdxRibbonGroupBarControlAccessibilityHelper::StaticClass();
}
