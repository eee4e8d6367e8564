#include "dxRibbonViewInfo.h"

#include <algorithm>

#include "Form.h"
#include "cxTextMeasuring.h"
#include "dxBarViewLevels.h"
#include "dxRibbon.h"
#include "dxRibbonController.h"
#include "dxRibbonForm.h"
#include "dxRibbonFormCaptionHelper.h"
#include "dxRibbonPainter.h"
#include "dxRibbonQuickAccess.h"

namespace {

constexpr int TabMinWidth = 27;         // the narrowest a header gets
constexpr int TabTextMargins = 27;      // caption width + this: the optimal width
constexpr int TabReducePerHeader = 17;  // what each header gives up before captions are cut
constexpr int TabsLeftIndent = 8;
constexpr int TabsRightIndent = 6;
constexpr int HiddenBelowWidth = 300, HiddenBelowHeight = 250;

bool IsEmptyRect(const TRect& r) { return r.right <= r.left || r.bottom <= r.top; }
bool RectHolds(const TRect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

}  // namespace

// ---- one tab header ------------------------------------------------------------------------

TdxRibbonTabViewInfo::TdxRibbonTabViewInfo(TdxRibbonTab* tab, TdxRibbonViewInfo* owner) : tab_(tab), owner_(owner) {}

void TdxRibbonTabViewInfo::CalculateWidths(TcxCanvas* /*canvas*/) {
    TFont* font = owner_->Ribbon()->Fonts()->TabHeader();
    const String& caption = tab_->Caption();
    SetWidths(FontTextWidth(font, caption), FontTextWidth(font, caption.substr(0, 3)));
}

void TdxRibbonTabViewInfo::SetWidths(int textWidth, int prefixWidth) {
    textWidth_ = textWidth;
    optimalWidth_ = textWidth + TabTextMargins;
    minWidth_ = std::max(prefixWidth + 10, TabMinWidth);
}

void TdxRibbonTabViewInfo::Calculate(const TRect& bounds, int separatorAlpha) {
    bounds_ = bounds;
    separatorAlpha_ = separatorAlpha;
    separatorBounds_ =
        ShowsSeparator() ? TRect{bounds.right - 1, bounds.top, bounds.right, bounds.bottom - 1} : TRect{};
    textBounds_ = TRect{bounds.left + 5, bounds.top + 4, bounds.right - 5, bounds.bottom - 4};
}

TdxRibbonTabState TdxRibbonTabViewInfo::GetState() const {
    TdxCustomRibbon* ribbon = owner_->Ribbon();
    const bool hot = ribbon->HotTab() == tab_;
    const bool active = tab_->Active();
    if (!hot && !active) return rtsNormal;
    if (!ribbon->AreGroupsVisible() || !active) return hot ? rtsHot : rtsNormal;
    return !hot || ribbon->IsGroupsPopupShown() ? rtsActive : rtsActiveHot;
}

int TdxRibbonTabViewInfo::GetFontState() const {
    if (tab_->Active() && owner_->Ribbon()->AreGroupsVisible()) return 3;
    return GetState() != rtsNormal ? 2 : 0;
}

void TdxRibbonTabViewInfo::Paint(TcxCanvas* canvas) {
    TdxCustomRibbon* ribbon = owner_->Ribbon();
    TdxCustomRibbonSkin* scheme = ribbon->ColorScheme();
    if (!scheme) return;
    HDC dc = canvas->GetCanvasHandle();
    scheme->DrawTab(dc, bounds_, GetState());
    canvas->SetCanvasFont(ribbon->Fonts()->GetTabHeaderFont(GetFontState()));
    canvas->GetCanvasBrush()->SetStyle(bsClear);
    const Word flags = separatorAlpha_ == 255 ? (cxSingleLine | cxAlignBottom | cxAlignLeft)
                                              : (cxSingleLine | cxAlignBottom | cxAlignHCenter);
    canvas->DrawTextInRect(tab_->Caption(), textBounds_, flags, true);
    canvas->GetCanvasBrush()->SetStyle(bsSolid);
    if (ShowsSeparator()) scheme->DrawTabSeparator(canvas->GetCanvasHandle(), separatorBounds_, Byte(separatorAlpha_));
}

// ---- the tab row ---------------------------------------------------------------------------

TdxRibbonTabsViewInfo::TdxRibbonTabsViewInfo(TdxRibbonViewInfo* owner) : owner_(owner) {}

TdxRibbonTabsViewInfo::~TdxRibbonTabsViewInfo() { Clear(); }

void TdxRibbonTabsViewInfo::Clear() {
    for (TdxRibbonTabViewInfo* item : items_) delete item;
    items_.clear();
}

void TdxRibbonTabsViewInfo::Rebuild() {
    Clear();
    TdxRibbonTabCollection* tabs = owner_->Ribbon()->Tabs();
    for (int i = 0; i < tabs->Count(); ++i)
        if (tabs->Items(i)->Visible()) items_.push_back(new TdxRibbonTabViewInfo(tabs->Items(i), owner_));
}

TdxRibbonTabViewInfo* TdxRibbonTabsViewInfo::Find(const TdxRibbonTab* tab) const {
    for (TdxRibbonTabViewInfo* item : items_)
        if (item->Tab() == tab) return item;
    return nullptr;
}

void TdxRibbonTabsViewInfo::Calculate(const TRect& r) {
    for (TdxRibbonTabViewInfo* item : items_) item->CalculateWidths(nullptr);
    Arrange(r);
}

void TdxRibbonTabsViewInfo::Arrange(const TRect& r) {
    bounds_ = r;
    textsTruncated_ = false;
    scrollButtons_ = TdxRibbonScrollButtons();
    separatorAlpha_ = 0;
    totalMinWidth_ = totalOptimalWidth_ = 0;
    hasTrailingButtons_ = owner_->IsHelpButtonShown() || owner_->AreMDIButtonsShown();
    const int n = Count();
    for (int i = 0; i < n; ++i) {
        TdxRibbonTabViewInfo* item = items_[size_t(i)];
        totalOptimalWidth_ += item->OptimalWidth();
        totalMinWidth_ += item->MinWidth();
        item->SetCanHaveSeparator(i < n - 1 || hasTrailingButtons_);
    }
    const int w = int(r.right - r.left);
    if (w >= totalOptimalWidth_)
        LayoutOptimal();
    else if (w < totalMinWidth_)
        LayoutScrolled();
    else
        LayoutReduced();
}

void TdxRibbonTabsViewInfo::ResetScrolling() {
    scrollOffset_ = 0;
    maxScrollOffset_ = 0;
    scrollButtons_ = TdxRibbonScrollButtons();
    leftScrollButtonBounds_ = rightScrollButtonBounds_ = TRect{};
}

void TdxRibbonTabsViewInfo::PlaceTabs(int left, bool atMinimum) {
    const int n = Count();
    for (int i = 0; i < n; ++i) {
        TdxRibbonTabViewInfo* item = items_[size_t(i)];
        const int width = atMinimum ? item->MinWidth() + (i < n - 1 ? 1 : 0) : item->Width();
        item->Calculate(TRect{left, bounds_.top, left + width, bounds_.bottom}, separatorAlpha_);
        left += width;
    }
}

void TdxRibbonTabsViewInfo::LayoutOptimal() {
    ResetScrolling();
    for (TdxRibbonTabViewInfo* item : items_) item->SetWidth(item->OptimalWidth());
    PlaceTabs(bounds_.left, false);
}

void TdxRibbonTabsViewInfo::LayoutReduced() {
    ResetScrolling();
    const int n = Count();
    const int excess = totalOptimalWidth_ - int(bounds_.right - bounds_.left);
    if (excess <= TabReducePerHeader * n)
        ReduceEvenly(excess);
    else
        ReduceToText(excess - TabReducePerHeader * n);
    PlaceTabs(bounds_.left, false);
}

void TdxRibbonTabsViewInfo::ReduceEvenly(int excess) {
    const int n = Count();
    separatorAlpha_ = MulDiv(excess, 255, TabReducePerHeader * n);
    for (int i = 0; i < n; ++i) {
        TdxRibbonTabViewInfo* item = items_[size_t(i)];
        // The last (excess mod n) headers give one pixel more.
        item->SetWidth(item->OptimalWidth() - excess / n - (i >= n - excess % n ? 1 : 0));
    }
}

void TdxRibbonTabsViewInfo::ReduceToText(int excess) {
    const int n = Count();
    separatorAlpha_ = 255;
    int level = 0;
    for (TdxRibbonTabViewInfo* item : items_) {
        item->SetWidth(item->TextWidth() + 10);
        level = std::max(level, item->Width());
    }
    --level;
    // Passes from the first header to the last, each narrowing by one pixel the headers wider
    // than the level (never below their minimum), the level dropping by one after each pass.
    bool narrowed = true;
    while (excess > 0 && narrowed) {
        narrowed = false;
        for (int i = 0; i < n && excess > 0; ++i) {
            TdxRibbonTabViewInfo* item = items_[size_t(i)];
            const int floor = item->MinWidth() + (i < n - 1 ? 1 : 0);
            if (item->Width() > level && item->Width() > floor) {
                item->SetWidth(item->Width() - 1);
                --excess;
                narrowed = true;
            }
        }
        --level;
    }
    textsTruncated_ = narrowed;
}

void TdxRibbonTabsViewInfo::LayoutScrolled() {
    separatorAlpha_ = 255;
    const int n = Count();
    int total = 0;
    for (int i = 0; i < n; ++i) total += items_[size_t(i)]->MinWidth() + (i < n - 1 ? 1 : 0);
    maxScrollOffset_ = std::max(0, total - int(bounds_.right - bounds_.left));
    scrollOffset_ = std::clamp(scrollOffset_, 0, maxScrollOffset_);
    PlaceTabs(bounds_.left - scrollOffset_, true);
    const int b = owner_->GetScrollButtonWidth();
    scrollButtons_ = TdxRibbonScrollButtons();
    if (scrollOffset_ > 0) scrollButtons_.Include(rsbLeft);
    if (scrollOffset_ < maxScrollOffset_) scrollButtons_.Include(rsbRight);
    leftScrollButtonBounds_ =
        scrollButtons_.Contains(rsbLeft) ? TRect{bounds_.left, bounds_.top, bounds_.left + b, bounds_.bottom} : TRect{};
    rightScrollButtonBounds_ = scrollButtons_.Contains(rsbRight)
                                   ? TRect{bounds_.right - b, bounds_.top, bounds_.right, bounds_.bottom}
                                   : TRect{};
    textsTruncated_ = true;
}

TRect TdxRibbonTabsViewInfo::GetVisibleArea() const {
    TRect r = bounds_;
    if (scrollButtons_.Contains(rsbLeft)) r.left = leftScrollButtonBounds_.right;
    if (scrollButtons_.Contains(rsbRight)) r.right = rightScrollButtonBounds_.left;
    return r;
}

bool TdxRibbonTabsViewInfo::HitTest(int x, int y, TdxRibbonHitInfo& info) const {
    if (scrollButtons_.Contains(rsbLeft) && RectHolds(leftScrollButtonBounds_, x, y)) {
        info.hitTest = rhtTabScrollLeft;
        return true;
    }
    if (scrollButtons_.Contains(rsbRight) && RectHolds(rightScrollButtonBounds_, x, y)) {
        info.hitTest = rhtTabScrollRight;
        return true;
    }
    if (!RectHolds(GetVisibleArea(), x, y)) return false;
    for (TdxRibbonTabViewInfo* item : items_)
        if (RectHolds(item->Bounds(), x, y)) {
            info.hitTest = rhtTab;
            info.tab = item->Tab();
            return true;
        }
    return false;
}

void TdxRibbonTabsViewInfo::MakeTabVisible(TdxRibbonTab* tab) {
    if (scrollButtons_.Empty()) return;
    TdxRibbonTabViewInfo* item = Find(tab);
    if (!item) return;
    int offset = scrollOffset_;
    const int b = owner_->GetScrollButtonWidth();
    if (item->Bounds().left < bounds_.left) {
        offset -= bounds_.left - item->Bounds().left;
        if (item != items_.front()) offset -= b;
    } else if (item->Bounds().right > bounds_.right) {
        offset += item->Bounds().right - bounds_.right;
        if (item != items_.back()) offset += b;
    }
    SetScrollOffset(offset);
}

void TdxRibbonTabsViewInfo::SetScrollOffset(int value) {
    value = std::clamp(value, 0, maxScrollOffset_);
    if (value == scrollOffset_) return;
    scrollOffset_ = value;
    TdxCustomRibbon* ribbon = owner_->Ribbon();
    if (ribbon->IsLocked())
        Arrange(bounds_);  // no window yet: the layout still follows the offset
    else
        ribbon->Changed();
}

void TdxRibbonTabsViewInfo::Paint(TcxCanvas* canvas) {
    TdxCustomRibbon* ribbon = owner_->Ribbon();
    TdxRibbonController* controller = ribbon->Controller();
    for (int i = 0; i < 2; ++i) {
        if (!scrollButtons_.Contains(TdxRibbonScrollButton(i))) continue;
        const TRect& r = i == 0 ? leftScrollButtonBounds_ : rightScrollButtonBounds_;
        const auto code = TdxRibbonHitTest(rhtTabScrollLeft + i);
        ribbon->Painter()->DrawTabScrollButton(canvas, r, controller->HotElement() == code,
                                               controller->ScrollingElement() == code, i == 0);
        ribbon->Painter()->DrawTabScrollArrow(canvas, r, i == 0);
        canvas->ExcludeRectFromClip(r);
    }
    canvas->PushClipRegion();
    canvas->IntersectClipWithRect(GetVisibleArea());
    for (TdxRibbonTabViewInfo* item : items_) item->Paint(canvas);
    canvas->PopClipRegion();
    for (TdxRibbonTabViewInfo* item : items_) {
        TRect visible;
        if (IntersectRect(&visible, &item->Bounds(), &bounds_)) canvas->ExcludeRectFromClip(visible);
    }
}

// ---- the ribbon's layout -------------------------------------------------------------------

TdxRibbonViewInfo::TdxRibbonViewInfo(TdxCustomRibbon* ribbon)
    : ribbon_(ribbon), tabsViewInfo_(std::make_unique<TdxRibbonTabsViewInfo>(this)) {}

TdxRibbonViewInfo::~TdxRibbonViewInfo() = default;

bool TdxRibbonViewInfo::IsActiveContext(bool force) const {
    return ribbon_->HasBarManager() && (force || !ribbon_->Hidden());
}

bool TdxRibbonViewInfo::AreTabHeadersShown(bool force) const {
    return (force || !ribbon_->Hidden()) && ribbon_->ShowTabHeaders();
}

bool TdxRibbonViewInfo::AreTabGroupsShown(bool force) const {
    return IsActiveContext(force) && (ribbon_->ShowTabGroups() || ribbon_->IsGroupsPopupShown()) &&
           tabsViewInfo_->Count() > 0;
}

bool TdxRibbonViewInfo::IsQATVisible(bool force) const {
    TdxRibbonQuickAccessToolbar* qat = ribbon_->QuickAccessToolbar();
    return IsActiveContext(force) && qat->Visible() && qat->Toolbar() && qat->Toolbar()->Visible();
}

bool TdxRibbonViewInfo::IsQATBelow() const { return ribbon_->QuickAccessToolbar()->Position() == qtpBelowRibbon; }

bool TdxRibbonViewInfo::IsApplicationButtonShown(bool force) const {
    return (force || !ribbon_->Hidden()) && ribbon_->ApplicationButton()->Visible() && AreTabHeadersShown(force) &&
           (DrawsFormCaption() || (IsQATVisible(force) && !IsQATBelow()));
}

bool TdxRibbonViewInfo::IsHelpButtonShown() const {
    return !ribbon_->Hidden() && AreTabHeadersShown() && bool(ribbon_->OnHelpButtonClick);
}

bool TdxRibbonViewInfo::ShowsBottomEdge() const {
    return AreTabHeadersShown() && !(AreTabGroupsShown() && !ribbon_->IsGroupsPopupShown()) &&
           !(IsQATVisible() && IsQATBelow());
}

bool TdxRibbonViewInfo::ShouldBeHidden() const {
    if (ribbon_->IsDesigning()) return false;
    TCustomForm* form = TopLevelFormOf(ribbon_);
    if (!form) return false;
    TRect r = form->BoundsRect();
    if (form->HandleAllocated()) {
        if (IsIconic(form->Handle())) return true;
        // The window's own size: while it is being resized the form's fields may lag behind.
        GetWindowRect(form->Handle(), &r);
    }
    return RectWidth(r) < HiddenBelowWidth || RectHeight(r) < HiddenBelowHeight;
}

int TdxRibbonViewInfo::GetElementState(TdxRibbonHitTest code) const {
    TdxRibbonController* controller = ribbon_->Controller();
    if (!controller || controller->HotElement() != code) return 0;
    const TdxRibbonHitTest pressed = controller->PressedElement();
    if (pressed == code) return 2;
    return pressed < rhtApplicationButton ? 1 : 0;
}

int TdxRibbonViewInfo::GetApplicationButtonState() const { return GetElementState(rhtApplicationButton); }

int TdxRibbonViewInfo::GetTabRowHeight() const {
    if (!AreTabHeadersShown()) return 0;
    return 2 * std::abs(ribbon_->Fonts()->TabHeader()->Height()) + 2;
}

int TdxRibbonViewInfo::GetTopOffset() const {
    if (DrawsFormCaption()) return GetCaptionAreaHeight();
    if (IsQATVisible() && !IsQATBelow()) return GetQATBounds().bottom;
    return 0;
}

// ---- form caption --------------------------------------------------------------------------

bool TdxRibbonViewInfo::DrawsFormCaption() const {
    return ribbon_->SupportNonClientDrawing() && ribbon_->GetRibbonForm() != nullptr;
}

bool TdxRibbonViewInfo::UsesCompositionFrame() const {
    return DrawsFormCaption() && ribbon_->GetRibbonForm()->UsesCompositionFrame();
}

bool TdxRibbonViewInfo::IsFormActive() const {
    return DrawsFormCaption() && ribbon_->GetRibbonForm()->PaintData().IsActive != 0;
}

int TdxRibbonViewInfo::GetCaptionAreaHeight() const { return DrawsFormCaption() ? ribbon_->FormCaptionHeight() : 0; }

String TdxRibbonViewInfo::GetDocumentName() const { return ribbon_->DocumentName(); }

String TdxRibbonViewInfo::GetFormCaptionPart() const {
    TCustomForm* form = ribbon_->GetRibbonForm();
    String caption = form ? form->Caption() : String();
    if (!GetDocumentName().empty()) caption = L" - " + caption;
    return caption;
}

TRect TdxRibbonViewInfo::GetCaptionBounds() const {
    TRect r{};
    if (TdxRibbonFormCaptionHelper* helper = ribbon_->FormCaptionHelper()) r = helper->TextRect();
    if (!ribbon_->Hidden()) {
        if (IsApplicationButtonShown()) r.left = applicationButtonArea_.right;
        r.bottom = GetCaptionAreaHeight();
    }
    return r;
}

TRect TdxRibbonViewInfo::GetCaptionTextBounds() const {
    TRect r = GetCaptionBounds();
    InflateRect(&r, -4, 0);
    const int width = FontTextWidth(ribbon_->Fonts()->GetFormCaptionFont(true), GetCaptionText());
    const int left = bounds_.left + 4, right = bounds_.right - 4;
    const int free = (right - left) - width - (UsesCompositionFrame() ? 20 : 0);
    if (free >= 0) {
        // Centred over the whole ribbon when that fits between the caption's neighbours.
        const TRect centred{left + free / 2, r.top, right - free / 2 + 1, r.bottom};
        if (centred.left >= r.left && centred.right <= r.right) return centred;
    }
    return r;
}

int TdxRibbonViewInfo::GetTabGroupsHeight(bool force) const {
    if (!force && !AreTabGroupsShown()) return 0;
    const TRect margins = GetTabGroupsMargins();
    return ribbon_->GetGroupHeight() + margins.top + margins.bottom;
}

TRect TdxRibbonViewInfo::GetTabsBounds() const {
    TRect r = bounds_;
    r.left = std::max(int(applicationButtonArea_.right), TabsLeftIndent);
    if (IsHelpButtonShown())
        r.right = helpButtonBounds_.left - 1;
    else
        r.right = bounds_.right - TabsRightIndent;
    r.bottom = r.top + GetTabRowHeight();
    OffsetRect(&r, 0, GetTopOffset());
    return r;
}

TRect TdxRibbonViewInfo::GetTabGroupsBounds() const {
    TRect r = bounds_;
    r.top += GetTopOffset() + GetTabRowHeight() - (AreTabHeadersShown() ? 1 : 0);
    r.bottom = r.top + GetTabGroupsHeight();
    return r;
}

TSize TdxRibbonViewInfo::GetApplicationButtonSize() const {
    TSize size{0, 0};
    if (TdxCustomRibbonSkin* scheme = ribbon_->ColorScheme()) size = scheme->GetApplicationButtonSize();
    return TSize{ScaleToScreenDPI(size.cx), ScaleToScreenDPI(size.cy)};
}

TRect TdxRibbonViewInfo::GetApplicationButtonMargins() const {
    return TRect{ScaleToScreenDPI(4), ScaleToScreenDPI(10), ScaleToScreenDPI(4), 0};
}

bool TdxRibbonViewInfo::IsQATInCaption(bool force) const {
    return DrawsFormCaption() && !IsQATBelow() && IsQATVisible(force);
}

int TdxRibbonViewInfo::GetQATOverlap(bool force) const {
    TdxCustomRibbonSkin* scheme = ribbon_->ColorScheme();
    return scheme ? scheme->QuickAccessToolbarExtraWidth(IsApplicationButtonShown(force), UsesCompositionFrame()) : 0;
}

TRect TdxRibbonViewInfo::GetQATMargins(bool force) const {
    if (IsQATBelow()) return TRect{2, 2, 2, 2};
    TRect m{GetQATOverlap(force) + 1, 0, 0, 0};
    if (qatSize_.cx != 0)
        if (auto* window = As<TdxRibbonQuickAccessBarControl>(ribbon_->QuickAccessToolbar()->Toolbar()
                                                                   ? ribbon_->QuickAccessToolbar()->Toolbar()->BarControl()
                                                                   : nullptr))
            if (!window->HasMark()) m.right = (((qatSize_.cy + 2) / 2) | 1) + 12;
    if (DrawsFormCaption()) {
        const int d = GetCaptionAreaHeight() - qatSize_.cy;
        m.bottom = d / 2;
        m.top = d - m.bottom;
    } else {
        m.top = 4;
        m.bottom = 5;
    }
    return m;
}

int TdxRibbonViewInfo::GetQATAvailableWidth() const {
    if (IsQATBelow()) return bounds_.right;
    int start = IsApplicationButtonShown() ? applicationButtonArea_.right - GetQATOverlap() : 0;
    int end = bounds_.right;
    if (DrawsFormCaption())
        if (TdxRibbonFormCaptionHelper* helper = ribbon_->FormCaptionHelper()) {
            TdxCustomRibbonSkin* scheme = ribbon_->ColorScheme();
            const int rightMargin = scheme ? scheme->QuickAccessToolbarRightMargin(IsApplicationButtonShown()) : 0;
            start = std::max(start, int(helper->TextRect().left) + rightMargin);
            end = helper->TextRect().right - (UsesCompositionFrame() ? 70 : 50);
        }
    return std::max(0, end - start);
}

TSize TdxRibbonViewInfo::GetQATSize() const {
    if (!IsQATVisible()) return TSize{0, 0};
    TdxBar* toolbar = ribbon_->QuickAccessToolbar()->Toolbar();
    auto* window = As<TdxRibbonQuickAccessBarControl>(toolbar ? toolbar->BarControl() : nullptr);
    // Until the toolbar has its window the row is as high as one group row and holds nothing.
    if (!window) return TSize{0, ribbon_->GetGroupRowHeight()};
    const TRect m = GetQATMargins();
    return window->ArrangeItems(GetQATAvailableWidth() - m.left - m.right);
}

TRect TdxRibbonViewInfo::GetQATBounds() const {
    if (!IsQATVisible()) return TRect{};
    const TRect m = GetQATMargins();
    int left, top, width;
    if (IsQATBelow()) {
        left = bounds_.left;
        top = GetCaptionAreaHeight();
        if (AreTabHeadersShown()) top += GetTabRowHeight() - 1;
        if (AreTabGroupsShown() && !ribbon_->IsGroupsPopupShown()) top += GetTabGroupsHeight();
        width = bounds_.right;
    } else {
        if (IsApplicationButtonShown())
            left = applicationButtonArea_.right - GetQATOverlap();
        else if (DrawsFormCaption() && ribbon_->FormCaptionHelper())
            left = ribbon_->FormCaptionHelper()->SystemIconRect().left + 4;
        else
            left = bounds_.left + 2;
        if (TdxCustomRibbonSkin* scheme = ribbon_->ColorScheme())
            left += scheme->QuickAccessToolbarLeftMargin(IsApplicationButtonShown(), UsesCompositionFrame());
        top = 0;
        width = qatSize_.cx + m.left + m.right;
    }
    return TRect{left, top, left + width, top + qatSize_.cy + m.top + m.bottom};
}

TRect TdxRibbonViewInfo::GetQATDockControlBounds() const {
    const TRect m = GetQATMargins();
    TRect r{qatBounds_.left + m.left, qatBounds_.top + m.top, qatBounds_.right - m.right, qatBounds_.bottom - m.bottom};
    r.right = r.left + qatSize_.cx;
    return r;
}

void TdxRibbonViewInfo::PlaceQATDockControl() {
    TdxRibbonQuickAccessDockControl* dock = ribbon_->QuickAccessToolbar()->DockControl();
    if (!dock || dock->Parent() != ribbon_) return;
    const bool visible = IsQATVisible();
    const TRect r = visible ? GetQATDockControlBounds() : TRect{};
    const TRect old = dock->BoundsRect();
    if (!EqualRect(&old, &r)) dock->SetBoundsRect(r);
    if (dock->Visible() != visible) dock->SetVisible(visible);
    if (visible) dock->FitBarWindow();
}

void TdxRibbonViewInfo::CalculateApplicationButton() {
    if (!IsApplicationButtonShown()) {
        applicationButtonArea_ = applicationButtonBounds_ = TRect{};
        return;
    }
    const TSize size = GetApplicationButtonSize();
    const TRect m = GetApplicationButtonMargins();
    applicationButtonArea_ = TRect{0, 0, size.cx + m.left + m.right, size.cy + m.top + m.bottom};
    const int left = (applicationButtonArea_.right - size.cx) / 2;
    const int top = (applicationButtonArea_.bottom - size.cy) / 2;
    applicationButtonBounds_ = TRect{left, top, left + size.cx, top + size.cy};
}

void TdxRibbonViewInfo::CalculateQuickAccessToolbar() {
    qatSize_ = IsQATVisible() ? GetQATSize() : TSize{0, 0};
    qatBounds_ = GetQATBounds();
    PlaceQATDockControl();
}

void TdxRibbonViewInfo::CalculateTabGroups() {
    // The groups popup holds the site and places it itself.
    if (ribbon_->IsGroupsPopupShown()) {
        tabGroupsBounds_ = tabGroupsContentBounds_ = TRect{};
        return;
    }
    if (AreTabGroupsShown() && !ribbon_->IsGroupsPopupShown()) {
        tabGroupsBounds_ = GetTabGroupsBounds();
        const TRect m = GetTabGroupsMargins();
        tabGroupsContentBounds_ =
            TRect{m.left, m.top, RectWidth(tabGroupsBounds_) - m.right, RectHeight(tabGroupsBounds_) - m.bottom};
    } else {
        tabGroupsBounds_ = tabGroupsContentBounds_ = TRect{};
    }
    TdxRibbonGroupsDockControlSite* site = ribbon_->GroupsSite();
    site->SetBoundsRect(tabGroupsBounds_);
    site->SetVisible(!IsEmptyRect(tabGroupsBounds_));
    if (!AreTabGroupsShown()) return;
    for (int i = 0; i < tabsViewInfo_->Count(); ++i) tabsViewInfo_->Items(i)->Tab()->CalculateDockControl();
}

void TdxRibbonViewInfo::CalculateHelpButton() {
    if (!IsHelpButtonShown()) {
        helpButtonBounds_ = TRect{};
        return;
    }
    // A square as high as the tab row at the row's right end.
    const int size = GetTabRowHeight();
    const int top = GetTopOffset();
    const int right = bounds_.right - TabsRightIndent;
    helpButtonBounds_ = TRect{right - size, top, right, top + size};
}

void TdxRibbonViewInfo::CalculateTabs() {
    if (AreTabHeadersShown() && tabsViewInfo_->Count() > 0) tabsViewInfo_->Calculate(GetTabsBounds());
}

void TdxRibbonViewInfo::Calculate(const TRect& r) {
    bounds_ = r;
    ribbon_->Fonts()->UpdateFonts();
    CalculateApplicationButton();
    CalculateQuickAccessToolbar();
    captionTextBounds_ = DrawsFormCaption() ? GetCaptionTextBounds() : TRect{};
    if (ShouldBeHidden() == ribbon_->Hidden() || calculateDepth_ > 0) {
        tabsViewInfo_->Rebuild();
        CalculateTabGroups();
        CalculateHelpButton();
        CalculateTabs();
        ribbon_->AdjustHeight();
        return;
    }
    ribbon_->SetHidden(!ribbon_->Hidden());
    ++calculateDepth_;
    try {
        Calculate(r);
    } catch (...) {
        --calculateDepth_;
        throw;
    }
    --calculateDepth_;
    if (ribbon_->Hidden() && ribbon_->ActiveTab()) ribbon_->ActiveTab()->CalculateDockControl();
}

int TdxRibbonViewInfo::GetRibbonHeight() {
    int height;
    if (IsQATVisible() && IsQATBelow())
        height = GetQATBounds().bottom;
    else if (AreTabGroupsShown() && !ribbon_->IsGroupsPopupShown())
        height = GetTabGroupsBounds().bottom;
    else
        height = GetTabRowHeight() + GetTopOffset() + 1;
    designPlaceholder_ = ribbon_->IsDesigning() && height < 8;
    return designPlaceholder_ ? 24 : height;
}

void TdxRibbonViewInfo::HitTest(int x, int y, TdxRibbonHitInfo& info) const {
    info = TdxRibbonHitInfo{};
    if (IsHelpButtonShown() && RectHolds(helpButtonBounds_, x, y)) {
        info.hitTest = rhtHelpButton;
        return;
    }
    if (AreTabHeadersShown() && tabsViewInfo_->HitTest(x, y, info)) return;
    if (IsApplicationButtonShown() && RectHolds(applicationButtonBounds_, x, y)) info.hitTest = rhtApplicationButton;
}

TdxRibbonTab* TdxRibbonViewInfo::GetTabAt(int x, int y) const {
    for (int i = 0; i < tabsViewInfo_->Count(); ++i)
        if (RectHolds(tabsViewInfo_->Items(i)->Bounds(), x, y)) return tabsViewInfo_->Items(i)->Tab();
    return nullptr;
}

void TdxRibbonViewInfo::Paint(TcxCanvas* canvas) {
    TdxRibbonPainter* painter = ribbon_->Painter();
    if (designPlaceholder_) {
        painter->DrawDesignPlaceholder(canvas);
        return;
    }
    if (!ribbon_->ColorScheme()) return;
    if (TdxRibbonFormCaptionHelper* helper = ribbon_->FormCaptionHelper()) {
        // The caption band first: its part of the client area is then taken out of the clip.
        if (UsesCompositionFrame())
            canvas->FillRectWithColor(TRect{bounds_.left, bounds_.top, bounds_.right, GetCaptionAreaHeight()}, clBlack);
        helper->DrawCaption(canvas, true);
    }
    painter->DrawBackground(canvas, bounds_);
    if (IsHelpButtonShown()) painter->DrawHelpButton(canvas, helpButtonBounds_, GetElementState(rhtHelpButton));
    if (IsQATVisible() && !IsQATInCaption()) painter->DrawQuickAccessToolbar(canvas, qatBounds_, true);
    if (ShowsBottomEdge()) painter->DrawBottomEdge(canvas);
    if (AreTabHeadersShown() && tabsViewInfo_->Count() > 0) tabsViewInfo_->Paint(canvas);
    if (AreTabGroupsShown()) painter->DrawTabGroupsBackground(canvas, tabGroupsBounds_);
    if (IsApplicationButtonShown())
        painter->DrawApplicationButton(canvas, applicationButtonBounds_, GetApplicationButtonState());
}
