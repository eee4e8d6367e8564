#include "dxBarSubMenuControl.h"

#include "Actions.h"
#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "CallbackBarrier.h"
#include "SysMath.h"
#include "dxCore.h"
#include "dxBarPopupMenu.h"
#include "dxBarSubItem.h"
#include "cxGraphics.h"
#include "cxObjectLinks.h"
#include "cxWindowHelpers.h"
#include "dxBarAccessibility.h"
#include "dxBarButtonControl.h"
#include "dxBarDrawing.h"
#include "dxBarItemControl.h"
#include "dxBarItemControlViewInfo.h"
#include "dxBarItemLinks.h"
#include "dxBarLookups.h"
#include "dxBarManager.h"
#include "dxBarMenuAnimation.h"
#include "dxBarMenuSounds.h"
#include "dxBarMessageHooks.h"
#include "dxBarPainter.h"
#include "dxBarShadow.h"
#include "dxBarStrs.h"
#include "dxBarUnit.h"
#include "dxBarWindowHelpers.h"

// Sections: placement · view info · painted window · life and window · showing and closing ·
// layout · painting · scrolling · mouse and keys · animation and shadow.

namespace {
constexpr UINT_PTR subMenuScrollTimerId = 1;
TRect subMenuWorkAreaOverride{};

// The stacking placed the link: it has its column, even when it is zero high (no control).
bool IsLinkPlaced(const TdxBarItemLink* link) {
    const TRect r = link->ItemRect();
    return r.right > r.left;
}
}  // namespace

// ---- Placement ----------------------------------------------------------------------------

TdxBarMenuPlacement CalcMenuPlacement(const TdxBarMenuPlacementInput& in) {
    TdxBarMenuPlacement out;
    const TRect& wa = in.workArea;
    int w = in.size.cx, h = in.size.cy;
    int left = in.pos.x, top = in.pos.y;
    const int ow = in.ownerWidth, oh = in.ownerHeight;

    // Horizontally: flip to the other side of the point or the opener when there is room.
    const int l = left;
    if (l + w > wa.right) {
        if (ow == 0) {
            if (oh != 0 || l - w < wa.left) {
                left = wa.right - w;
            } else {
                left = l - w;
                out.flippedHorizontally = true;
            }
        } else if (l - ow - wa.left > wa.right - l) {
            left = l - ow - w;
            out.flippedHorizontally = true;
        }
    }
    if (left < wa.left) {
        if (ow == 0) {
            left = wa.left;
        } else if (in.xDirection == 0 && wa.right - (left + w + ow) > left + w - wa.left) {
            left = left + w + ow;
            out.flippedHorizontally = true;
        }
    }
    if (left + w > wa.right) left = wa.right - w;
    if (left < wa.left) left = wa.left;
    if (in.clipsWidth && left + w > wa.right) w = wa.right - left;

    // Vertically: a drop-down opens above its opener when more room is there, else it is cut
    // and scrolls.
    const int t = top;
    if (t + h > wa.bottom) {
        if (oh > 0) {
            if (t - oh - wa.top > wa.bottom - t) {
                top = t - oh - h;
                out.flippedVertically = true;
            } else {
                h = wa.bottom - t;
            }
        } else if (ow != 0 || t - h < wa.top) {
            top = wa.bottom - h;
        } else {
            top = t - h;
            out.flippedVertically = true;
        }
    }
    if (top < wa.top) {
        if (in.yDirection == 1) {
            if (out.flippedVertically && oh > 0) {
                h -= wa.top - top;
                top = wa.top;
            } else {
                top = wa.top;
                if (top + h > wa.bottom) h = wa.bottom - top;
            }
        } else if (oh > 0 && wa.bottom - (top + h + oh) > top + h - wa.top) {
            top = top + h + oh;
            if (top + h > wa.bottom) h = wa.bottom - top;
            out.flippedVertically = true;
        }
    }
    out.bounds = TRect{left, top, left + w, top + h};
    return out;
}

void TdxBarSubMenuControl::SetWorkAreaOverride(const TRect& r) { subMenuWorkAreaOverride = r; }

// ---- View info ----------------------------------------------------------------------------

void TdxBarSubMenuControlViewInfo::Calculate() {
    ClearItems();
    auto* menu = static_cast<TdxBarSubMenuControl*>(BarControl());
    TdxBarItemLinks* links = menu->ItemLinks();
    if (!links || links->GetShownLinkCount() == 0) return;
    TdxBarPainter* painter = menu->GetPainter();
    const int visibleBottom = menu->VisibleItemsRect().bottom;
    const int last = std::min(menu->GetLastVisibleIndex(), links->GetShownLinkCount() - 1);
    for (int i = menu->GetFirstVisibleIndex(); i <= last; ++i) {
        TdxBarItemLink* link = links->GetShownLink(i);
        TdxBarItemControl* control = link->Control();
        if (!control) continue;
        TRect r = link->ItemRect();
        if (r.bottom > visibleBottom) r.bottom = visibleBottom;
        if (IsRectEmpty(&r)) continue;
        control->ViewInfo()->SetBounds(r);
        AppendItemViewInfo(control->ViewInfo());
        if (i > menu->TopIndex() && menu->GetLinkBeginGroupSize(link) > 0 && painter) {
            TRect separator;
            painter->CalcBeginGroupRect(menu->PaintedWindow(), control, r, separator);
            AppendSeparatorData(separator, 0, control);
        }
    }
}

// ---- Life and window ----------------------------------------------------------------------

TdxBarSubMenuControl::TdxBarSubMenuControl(TComponent* manager) : TCustomdxBarControl(manager) {
    SetWidth(0);
    shadow_ = std::make_unique<TdxBarShadow>(this);
}

const TcxAccessibilityHelperMeta* TdxBarSubMenuControl::GetAccessHelperClass() const {
    return TdxBarSubMenuControlAccessibilityHelper::StaticClass();
}

TdxBarSubMenuControl::~TdxBarSubMenuControl() {
    // First: the thread's last synchronized step still reaches this menu.
    StopAnimation();
    shadow_.reset();
}

void TdxBarSubMenuControl::CreateParams(TCreateParams& params) {
    TCustomdxBarControl::CreateParams(params);
    params.Style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_SAVEBITS;
    HWND owner = ParentWindow;
    if (!owner)
        if (auto* form = As<TWinControl>(GetManager()->GetManagerOwner()))
            if (form->HandleAllocated()) owner = form->Handle();
    params.WndParent = owner;
}

void TdxBarSubMenuControl::CreateWnd() {
    TCustomdxBarControl::CreateWnd();
    onShowPos_ = TPoint{Left(), Top()};
    SetActive(true);
    markState_ = 0;
    UpdateRecentState();
    topIndex_ = -1;
    SetTopIndex(0);
    bool flippedHorizontally = false, flippedVertically = false;
    PlaceOnScreen(TSize{0, 0}, flippedHorizontally, flippedVertically);
    CalcLayout();
    if (ShowAnimation) StartAnimation(flippedHorizontally, flippedVertically);
    PlayMenuSound(msPopup);
}

void TdxBarSubMenuControl::DestroyWnd() {
    if (State() & bcsDestroyingSubMenu) return;
    if (!HandleAllocated()) return;
    hiding_ = !expanding_;
    StopAnimation();
    if (scrollTimer_) KillTimer(Handle(), scrollTimer_);
    scrollTimer_ = 0;
    if (TCustomdxBarControl* child = ChildBar())
        if (auto* menu = As<TdxBarSubMenuControl>(child)) menu->HideBar();
    if (!expanding_) SetActive(false);
    if (shadow_) shadow_->SetShadowVisible(false);
    TCustomdxBarControl::DestroyWnd();
    // Expanding shows the same menu again at once: it stays open for its opener.
    if (!expanding_) DoCloseUp();
}

// ---- Painted window -----------------------------------------------------------------------

// The menu as the painter sees it: the window's answers plus what menus add.
class TdxBarSubMenuControl::TMenuPaintedWindow final : public IdxBarPaintedWindow {
public:
    explicit TMenuPaintedWindow(TdxBarSubMenuControl* menu) : menu_(menu), base_(menu->TCustomdxBarControl::PaintedWindow()) {}
    TdxBarManager* Manager() const override { return base_->Manager(); }
    HWND WindowHandle() const override { return base_->WindowHandle(); }
    TRect ClientRect() const override { return base_->ClientRect(); }
    int BarControlKind() const override { return 2; }
    HBRUSH BkBrush() const override { return menu_->GetBkBrush(); }
    void FillBk(HDC dc, const TRect& rect, HBRUSH brush, TColor color, bool whole) override {
        base_->FillBk(dc, rect, brush, color, whole);
    }
    int TextSize() const override { return base_->TextSize(); }
    int FontHeight() const override { return base_->FontHeight(); }
    int FontSize() const override { return base_->FontSize(); }
    double SizeRatio() const override { return base_->SizeRatio(); }
    int IconAreaWidth() const override { return base_->IconAreaWidth(); }
    bool UsesLargeMenuItems() const override { return base_->UsesLargeMenuItems(); }
    int MenuArrowHeight() const override { return base_->MenuArrowHeight(); }
    TcxCanvas* PaintCanvas() const override { return menu_->GetDrawCanvas(); }
    int SideBarWidth() const override { return menu_->GetBarSize(); }
    int BeginGroupSize() const override { return menu_->GetBeginGroupSize(); }
    TdxBarItemControl* FirstVisibleItemControl() const override { return VisibleControl(menu_->GetFirstVisibleIndex()); }
    TdxBarItemControl* LastVisibleItemControl() const override { return VisibleControl(menu_->GetLastVisibleIndex()); }

private:
    TdxBarItemControl* VisibleControl(int index) const {
        TdxBarItemLinks* links = menu_->ItemLinks();
        if (!links || index < 0 || index >= links->GetShownLinkCount()) return nullptr;
        return links->GetShownLink(index)->Control();
    }
    TdxBarSubMenuControl* menu_;
    IdxBarPaintedWindow* base_;
};

IdxBarPaintedWindow* TdxBarSubMenuControl::MenuPainted() {
    if (!menuPainted_) menuPainted_ = std::make_unique<TMenuPaintedWindow>(this);
    return menuPainted_.get();
}

// ---- Showing and closing ------------------------------------------------------------------

void TdxBarSubMenuControl::ShowMenu() {
    SetClosedByEscape(false);
    hiding_ = false;
    DoPopup();
    TCustomdxBarControl* root = this;
    while (root->ParentBar()) root = root->ParentBar();
    animation_ = root->GetManager()->MenuAnimations();
    if (animation_ == maRandom) {
        const int x = Random(100);
        animation_ = x < 33 ? maUnfold : x < 66 ? maSlide : maFade;
    }
    TdxBarItemLinks* links = ItemLinks();
    ShowAnimation = ShowAnimation && animation_ != maNone && animation_ != maFade && links &&
                    links->GetShowableLinkCount() > 0 && !GetManager()->IsCustomizingOrDesigning();
    ShowAnimated();
}

void TdxBarSubMenuControl::ShowAnimated() {
    HWND handle = Handle();  // creates, places and (when animated) starts the frames
    TAnimateWindowProc animate = MenuAnimateWindowProc();
    if (animation_ == maFade && animate && !PlatformFlags.Win9xFamily) {
        DispatchPendingPaintMessages();
        animate(handle, 150, AW_BLEND);
    } else {
        UINT flags = SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
        if (!IsAnimating()) flags |= SWP_SHOWWINDOW;
        SetWindowPos(handle, nullptr, 0, 0, 0, 0, flags);
    }
    SetVisible(true);
    DispatchPendingPaintMessages();
}

void TdxBarSubMenuControl::HideBar() {
    if (IsDestroying() || hiding_) return;
    hiding_ = true;
    OpenerControl = nullptr;
    if (HandleAllocated()) DestroyHandle();
    FreeObject(this);
}

TCustomdxBarControl* TdxBarSubMenuControl::ChainRoot() {
    TCustomdxBarControl* root = this;
    while (root->ParentBar()) root = root->ParentBar();
    return root;
}

void TdxBarSubMenuControl::DoHideMenu() {
    if (ParentBar()) {
        TCustomdxBarControl::DoHideMenu();
        return;
    }
    // A root menu (a popup) goes with its window; the windows it uncovered repaint at once.
    SetChildBar(nullptr);
    HideBar();
    DispatchPendingPaintMessages();
}

void TdxBarSubMenuControl::RestoreFocus() {
    if (ParentWindow && IsWindow(ParentWindow))
        ::SetFocus(ParentWindow);
    else
        TCustomdxBarControl::RestoreFocus();
}

void TdxBarSubMenuControl::DoCloseUp() {
    if (OnCloseUpNotify) OnCloseUpNotify(this);
}

void TdxBarSubMenuControl::DoPopup() {
    if (OnPopupNotify) OnPopupNotify(this);
}

void TdxBarSubMenuControl::PlaceOnScreen(TSize requested, bool& flippedHorizontally, bool& flippedVertically) {
    TdxBarMenuPlacementInput in;
    in.pos = TPoint{Left(), Top()};
    in.size = requested.cx == 0 && requested.cy == 0 ? CalcAutoSize() : requested;
    in.workArea = IsRectEmpty(&subMenuWorkAreaOverride) ? GetWorkAreaAt(in.pos) : subMenuWorkAreaOverride;
    in.ownerWidth = OwnerWidth;
    in.ownerHeight = OwnerHeight;
    in.xDirection = XDirection;
    in.yDirection = YDirection;
    in.clipsWidth = ClipsWidthToWorkArea();
    const TdxBarMenuPlacement placed = CalcMenuPlacement(in);
    flippedHorizontally = placed.flippedHorizontally;
    flippedVertically = placed.flippedVertically;
    SetBounds(placed.bounds.left, placed.bounds.top, RectWidth(placed.bounds), RectHeight(placed.bounds));
}

TSize TdxBarSubMenuControl::CalcAutoSize() {
    TSize size = CalcItemsSize();
    if (size.cx == 0) size.cx = 100;
    // An empty menu is one text line high.
    if (size.cy <= 2) size.cy += TextSize();
    if (HasMark()) size.cy += markSize_;
    const TRect border = GetBorderMargins(true);
    const TRect content = GetContentMargins();
    size.cx += border.left + border.right + content.left + content.right;
    size.cy += border.top + border.bottom + content.top + content.bottom;
    return size;
}

TSize TdxBarSubMenuControl::CalcItemsSize() {
    TSize size{0, 0};
    TdxBarItemLinks* links = ItemLinks();
    if (!links) return size;
    for (int i = std::max(topIndex_, 0); i < links->GetShownLinkCount(); ++i) {
        // As the stacking counts them: every link's group gap, a height for links with a control.
        TdxBarItemLink* link = links->GetShownLink(i);
        size.cy += GetLinkBeginGroupSize(link);
        TdxBarItemControl* control = link->Control();
        if (!control) continue;
        size.cx = std::max<LONG>(size.cx, control->CalcWidthForViewLevel(control->ViewInfo()->GetViewLevel()));
        size.cy += control->CalcLayoutHeight();
    }
    TdxBarPainter* painter = GetPainter();
    if (painter && ScrollButtonsTakeSpace() && HasTopScrollButton()) size.cy += painter->GetScrollButtonHeight(MenuPainted());
    return size;
}

// ---- Layout -------------------------------------------------------------------------------

TRect TdxBarSubMenuControl::GetContentMargins() const {
    TRect r{};
    if (TdxBarPainter* painter = GetPainter())
        painter->GetMenuContentMargins(const_cast<TdxBarSubMenuControl*>(this)->MenuPainted(), r);
    r.left += GetBarSize();
    return r;
}

TRect TdxBarSubMenuControl::GetBorderMargins(bool /*withCaption*/) const {
    TdxBarPainter* painter = GetPainter();
    const int width = painter ? painter->GetMenuBorderWidth() : 1;
    return TRect{width, width, width, width};
}

int TdxBarSubMenuControl::GetBarSize() const {
    TdxBarItemLinks* links = ItemLinks();
    if (!links) return 0;
    if (auto* sub = As<TCustomdxBarSubItem>(links->GetOwnerObject())) return sub->BarSize();
    if (auto* popup = As<TdxBarPopupMenu>(links->GetOwnerObject())) return popup->BarSize();
    return 0;
}

TRect TdxBarSubMenuControl::GetContentRect() const {
    const TRect m = GetContentMargins();
    TRect r = ClientRect();
    return TRect{r.left + m.left, r.top + m.top, r.right - m.right, r.bottom - m.bottom};
}

void TdxBarSubMenuControl::CalcItemsRect() {
    TRect r = GetContentRect();
    if (HasMark()) r.bottom -= markSize_;
    SetItemsRect(r);
}

// ---- Personalized menus -------------------------------------------------------------------

void TdxBarSubMenuControl::UpdateRecentState() {
    TdxBarItemLinks* links = ItemLinks();
    if (!links) return;
    if (TdxBarPainter* painter = GetPainter()) {
        int arrowWidth = 0;
        painter->CalcExpandButtonMetrics(GetDrawCanvas(), TextSize(), arrowWidth, markSize_);
    }
    const bool all = !GetManager()->ShowsRecentItemsFirst() || IsFullMenusShown() || IsCustomizing();
    links->SetRecentItemCount(all ? -1 : links->CalcRecentItemCount());
}

bool TdxBarSubMenuControl::HasMark() const {
    TdxBarItemLinks* links = ItemLinks();
    return links && GetManager()->ShowsRecentItemsFirst() && !IsCustomizing() &&
           links->GetShownLinkCount() < links->GetShowableLinkCount();
}

TRect TdxBarSubMenuControl::GetMarkRect() const {
    TdxBarPainter* painter = GetPainter();
    const int indent = painter ? painter->GetMenuContentIndent() : 1;
    TRect r = ClientRect();
    r.left += indent + GetBarSize();
    r.right -= indent;
    r.bottom -= indent;
    r.top = r.bottom - markSize_;
    return r;
}

void TdxBarSubMenuControl::SetMarkState(int state) {
    if (IsCustomizing() || !GetManager()->ShowsRecentItemsFirst() || state == markState_) return;
    markState_ = state;
    if (state == 2) {
        ExpandMenu();
        return;
    }
    if (HandleAllocated()) {
        const TRect r = GetMarkRect();
        InvalidateRect(Handle(), &r, FALSE);
    }
    if (state == 1)
        GetManager()->ShowItemHint(true, BarString(dxSBAR_EXPAND), this);
    else
        GetManager()->HideItemHint();
}

void TdxBarSubMenuControl::ExpandMenu() {
    if (!HasMark()) return;
    SetFullMenusShown(true);
    ShowAnimation = true;
    TcxObjectLinkGuard self(this);
    TdxBarItemLink* selected = SelectedLink();
    expanding_ = true;
    try {
        DestroyHandle();
    } catch (...) {
        if (self.Alive()) expanding_ = false;
        throw;
    }
    if (!self.Alive()) return;
    expanding_ = false;
    SetBounds(onShowPos_.x, onShowPos_.y, Width(), Height());
    ShowMenu();
    // The selection stays where it was, so that a key can move on into the new links.
    if (self.Alive() && selected && selected->Control()) SetSelectedLink(selected);
}

void TdxBarSubMenuControl::CalcLayout() {
    CalcItemsRect();
    CalcVisibleItems(1, std::max(topIndex_, 0));
    visibleCount_ = 0;
    if (TdxBarItemLinks* links = ItemLinks())
        for (int i = std::max(topIndex_, 0); i < links->GetShownLinkCount(); ++i) {
            if (!IsLinkPlaced(links->GetShownLink(i))) break;
            ++visibleCount_;
        }
    UpdateViewInfo();
}

int TdxBarSubMenuControl::GetBeginGroupSize() const {
    TdxBarPainter* painter = GetPainter();
    return painter ? painter->GetMenuSeparatorHeight() : 0;
}

int TdxBarSubMenuControl::GetLinkBeginGroupSize(TdxBarItemLink* link) const {
    TdxBarItemLinks* links = ItemLinks();
    if (!link->BeginGroup() || !links) return 0;
    const int index = links->GetShownLinkIndex(link);
    if (index == topIndex_) return 0;
    if (!ScrollButtonsTakeSpace() && HasTopScrollButton() && index == topIndex_ + 1) return 0;
    return GetBeginGroupSize();
}

bool TdxBarSubMenuControl::AllowsPartialItem(const TRect& r) const {
    TdxBarPainter* painter = GetPainter();
    if (!painter) return false;
    TRect button;
    painter->GetScrollButtonRect(const_cast<TdxBarSubMenuControl*>(this)->MenuPainted(), true, button);
    return r.top < button.top;
}

void TdxBarSubMenuControl::ExcludeTopScrollButton() {
    TdxBarPainter* painter = GetPainter();
    if (!painter || !ScrollButtonsTakeSpace() || !HasTopScrollButton()) return;
    TRect r = VisibleItemsRect();
    r.top += painter->GetScrollButtonHeight(MenuPainted());
    SetVisibleItemsRect(r);
}

void TdxBarSubMenuControl::ExcludeBottomScrollButton() {
    TdxBarPainter* painter = GetPainter();
    if (!painter || !ScrollButtonsTakeSpace() || !HasBottomScrollButton()) return;
    TRect r = VisibleItemsRect();
    r.bottom -= painter->GetScrollButtonHeight(MenuPainted());
    SetVisibleItemsRect(r);
}

bool TdxBarSubMenuControl::HasBottomScrollButton() const {
    TdxBarItemLinks* links = ItemLinks();
    if (!links || links->GetShownLinkCount() == 0) return false;
    const int top = std::max(topIndex_, 0);
    int placed = 0;
    for (int i = top; i < links->GetShownLinkCount(); ++i) {
        if (!IsLinkPlaced(links->GetShownLink(i))) break;
        ++placed;
    }
    if (placed < links->GetShownLinkCount() - top) return true;
    const int last = links->GetShownLinkCount() - 1;
    return top < last && links->GetShownLink(last)->ItemRect().bottom > ItemsRect().bottom;
}

int TdxBarSubMenuControl::GetFirstVisibleIndex() const {
    const int top = std::max(topIndex_, 0);
    return !ScrollButtonsTakeSpace() && HasTopScrollButton() ? top + 1 : top;
}

int TdxBarSubMenuControl::GetLastVisibleIndex() const {
    int last = std::max(topIndex_, 0) + std::max(visibleCount_, 1) - 1;
    if (!ScrollButtonsTakeSpace() && HasBottomScrollButton()) --last;
    return last;
}

void TdxBarSubMenuControl::SetTopIndex(int value) {
    TdxBarItemLinks* links = ItemLinks();
    const int count = links ? links->GetShownLinkCount() : 0;
    value = std::max(0, std::min(value, std::max(count - 1, 0)));
    if (value == topIndex_) return;
    topIndex_ = value;
    if (HandleAllocated()) {
        CalcLayout();
        Invalidate();
    }
}

int TdxBarSubMenuControl::CalcTextSize() const {
    TdxBarPainter* painter = GetPainter();
    return painter ? painter->CalcMenuTextItemHeight(const_cast<TdxBarSubMenuControl*>(this)->GetDrawCanvas())
                   : TCustomdxBarControl::CalcTextSize();
}

void TdxBarSubMenuControl::UpdateFont() {
    TdxBarItemLinks* links = ItemLinks();
    if (ParentBar()) {
        Font()->Assign(ParentBar()->Font());
    } else if (auto* popup = links ? As<TdxBarPopupMenu>(links->GetOwnerObject()) : nullptr) {
        Font()->Assign(popup->Font());
    } else {
        Font()->Assign(GetManager()->Font());
    }
}

bool TdxBarSubMenuControl::NeedsShadow() const { return TCustomdxBarControl::NeedsShadow() && !IsAnimating(); }

// ---- Painting -----------------------------------------------------------------------------

HBRUSH TdxBarSubMenuControl::GetBkBrush() const {
    TdxBarPainter* painter = GetPainter();
    return painter ? painter->GetMenuBrush(1) : HBRUSH(INT_PTR(COLOR_BTNFACE + 1));
}

void TdxBarSubMenuControl::FillBk(HDC dc, const TRect& r, bool /*flag*/, TColor color, HBRUSH brush) {
    if (!brush) brush = GetBkBrush();
    TdxBarPainter* painter = GetPainter();
    TcxCanvas* canvas = GetDrawCanvas();
    if (painter && canvas && canvas->GetCanvasHandle() == dc)
        painter->FillMenuBk(MenuPainted(), canvas, r, brush, color);
    else
        FillRectWithBackground(dc, r, brush, color);
}

void TdxBarSubMenuControl::DrawNonClientArea(HDC dc) {
    TRect r;
    GetLocalWindowRect(r);
    if (TdxBarPainter* painter = GetPainter()) painter->DrawMenuBorder(MenuPainted(), dc, r);
}

void TdxBarSubMenuControl::Paint() {
    if (IsAnimating() || IsDestroying()) return;
    TcxCanvas* canvas = GetDrawCanvas();
    canvas->PushClipRegion();
    try {
        if (TdxBarPainter* painter = GetPainter())
            painter->DrawMenuInnerBorder(MenuPainted(), canvas->GetCanvasHandle(), ClientRect(), GetBkBrush());
        PaintMenu();
    } catch (...) {
        canvas->PopClipRegion();
        throw;
    }
    canvas->PopClipRegion();
}

void TdxBarSubMenuControl::PaintMenu() {
    CalcLayout();
    TcxCanvas* canvas = GetDrawCanvas();
    TdxBarItemLinks* links = ItemLinks();
    if (links && links->GetShownLinkCount() > 0) {
        DrawScrollArea();
        DrawItems();
    }
    // The items and separators are out of the clip: the rest of the items area is background.
    FillBk(canvas->GetCanvasHandle(), ItemsRect(), false, clNone, GetBkBrush());
}

void TdxBarSubMenuControl::DrawScrollArea() {
    TdxBarPainter* painter = GetPainter();
    if (!painter) return;
    TcxCanvas* canvas = GetDrawCanvas();
    if (HasTopScrollButton()) painter->DrawScrollButton(MenuPainted(), canvas, false);
    if (HasBottomScrollButton()) painter->DrawScrollButton(MenuPainted(), canvas, true);
    if (HasMark()) painter->DrawExpandButton(MenuPainted(), GetMarkRect(), markState_ == 1);
}

void TdxBarSubMenuControl::DrawItemControl(TdxBarItemControl* control, TcxCanvas* canvas, const TRect& r) {
    if (IsRectEmpty(&r)) return;
    TdxBarPainter* painter = GetPainter();
    TCustomdxBarControlViewInfo* info = ViewInfo();
    for (int i = 0; i < info->GetSeparatorDataCount(); ++i) {
        const TdxBarSeparatorInfo& separator = info->GetSeparatorData(i);
        if (separator.control != control || !painter) continue;
        painter->DrawItemSeparator(MenuPainted(), control, canvas, separator.bounds);
        canvas->ExcludeRectFromClip(separator.bounds);
    }
    if (painter) painter->DrawMenuItemFrame(MenuPainted(), control, canvas->GetCanvasHandle(), r, 0);
    TCustomdxBarControl::DrawItemControl(control, canvas, r);
}

// ---- Scrolling ----------------------------------------------------------------------------

void TdxBarSubMenuControl::EndScrolling() {
    if (scrollTimer_ && HandleAllocated()) KillTimer(Handle(), scrollTimer_);
    scrollTimer_ = 0;
    lastScrollMouse_ = TPoint{-1, -1};
}

void TdxBarSubMenuControl::WMTimer(TMessage& m) {
    if (m.WParam != subMenuScrollTimerId) {
        Inherited<TCustomdxBarControl>(m);
        return;
    }
    TdxBarPainter* painter = GetPainter();
    const TPoint p = ScreenToClient(QueryCursorPos());
    TRect top{}, bottom{};
    if (painter) {
        painter->GetScrollButtonRect(MenuPainted(), false, top);
        painter->GetScrollButtonRect(MenuPainted(), true, bottom);
    }
    if (HasTopScrollButton() && PtInRect(&top, p)) {
        SetTopIndex(topIndex_ - 1);
    } else if (HasBottomScrollButton() && PtInRect(&bottom, p)) {
        SetTopIndex(topIndex_ + 1);
    } else {
        EndScrolling();
            SendMessageW(Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    }
}

// ---- Mouse and keys -----------------------------------------------------------------------

void TdxBarSubMenuControl::HandleMouseMove(TShiftState shift, const TPoint& p, TdxBarItemControl* control) {
    if (IsAnimating()) {
        TcxObjectLinkGuard self(this);
        StopAnimation();
        if (!self.Alive()) return;
    }
    TdxBarPainter* painter = GetPainter();
    TRect top{}, bottom{};
    if (painter) {
        painter->GetScrollButtonRect(MenuPainted(), false, top);
        painter->GetScrollButtonRect(MenuPainted(), true, bottom);
    }
    const bool overTop = HasTopScrollButton() && PtInRect(&top, p);
    const bool overBottom = HasBottomScrollButton() && PtInRect(&bottom, p);
    if (overTop || overBottom) {
        if (!scrollTimer_ && (p.x != lastScrollMouse_.x || p.y != lastScrollMouse_.y)) {
            SelectByMouse(nullptr);
            scrollTimer_ = SetTimer(Handle(), subMenuScrollTimerId, UINT(GetScrollInterval()), nullptr);
        }
        lastScrollMouse_ = p;
        return;
    }
    if (scrollTimer_) {
        EndScrolling();
        Invalidate();
    }
    // The base hot-tracks and selects: a sub item's menu opens after the hover delay.
    TCustomdxBarControl::HandleMouseMove(shift, p, control);
}

void TdxBarSubMenuControl::HandleMouseLeave() {
    if (scrollTimer_) {
        EndScrolling();
        Invalidate();
    }
    TCustomdxBarControl::HandleMouseLeave();
}

void TdxBarSubMenuControl::WMLButtonDown(TMessage& m) {
    if (scrollTimer_) return;
    TcxObjectLinkGuard self(this);
    Inherited<TCustomdxBarControl>(m);
    if (!self.Alive()) return;
    StopAnimation();
    if (!self.Alive() || !HasMark()) return;
    const TPoint p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    const TRect mark = GetMarkRect();
    if (!PtInRect(&mark, p)) return;
    // The first press makes the expand button hot, a press on the hot button expands.
    if (markState_ != 0) {
        SetMarkState(2);
    } else {
        SetSelControl(nullptr);
        SetMarkState(1);
    }
}

void TdxBarSubMenuControl::WMKeyDown(TMessage& m) {
    // A key ends the animation at the final bounds before it acts.
    TcxObjectLinkGuard self(this);
    StopAnimation();
    if (!self.Alive()) return;
    const Word key = Word(m.WParam);
    if (HasMark() && (key == VK_DOWN || key == VK_TAB)) {
        const bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0, alt = GetKeyState(VK_MENU) < 0;
        if (ctrl && key == VK_DOWN) {
            SetMarkState(2);
            return;
        }
        TdxBarItemLinks* links = ItemLinks();
        TdxBarItemLink* last = links->GetShownLink(links->GetShownLinkCount() - 1);
        if (!ctrl && !shift && !alt && last && SelectedLink() == last) {
            // The hidden links show, and the same key moves on into them.
            SetMarkState(2);
            if (self.Alive() && HandleAllocated()) SendMessageW(Handle(), WM_KEYDOWN, key, 1);
            return;
        }
    }
    Inherited<TCustomdxBarControl>(m);
}

void TdxBarSubMenuControl::HandleKeyDown(Word& key, TShiftState shift) {
    TCustomdxBarControl* parent = ParentBar();
    TdxBarItemControl* opener = parent ? parent->GetSelectedControl() : nullptr;
    switch (key) {
        case VK_ESCAPE:
            SetClosedByEscape(true);
            if (opener) {
                // One level: the parent stays open with its item selected.
                parent->SetDowned(false);
                opener->ControlInactivate(true);
            } else {
                HideBar();
            }
            return;
        case VK_LEFT: {
            if (!opener) return;
            if (As<TdxBarSubMenuControl>(parent)) {
                opener->ControlInactivate(true);
                return;
            }
            TCustomdxBarControl* root = ChainRoot();
            if (root == this || !root->HandleAllocated()) return;
            // From a menu bar's menu: a vertical bar closes it, a horizontal one moves to its
            // previous item and opens that item's menu.
            if (root->IsDockedVertically())
                SendMessageW(Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
            else
                SendMessageW(root->Handle(), WM_KEYDOWN, VK_LEFT, 0);
            return;
        }
        case VK_RIGHT: {
            TCustomdxBarControl* root = ChainRoot();
            if (root != this && root->HandleAllocated()) SendMessageW(root->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
            return;
        }
        default:
            TCustomdxBarControl::HandleKeyDown(key, shift);
    }
}

void TdxBarSubMenuControl::ScrollToItem(TdxBarItemControl* control) {
    TdxBarItemLinks* links = ItemLinks();
    TdxBarItemLink* link = control ? control->Link() : nullptr;
    if (!links || !link || !HandleAllocated()) return;
    const int index = links->GetShownLinkIndex(link);
    if (index < 0) return;
    bool moved = false;
    // Each step moves one link and lays the menu out again (SetTopIndex).
    while (HasTopScrollButton()) {
        const TRect r = link->ItemRect();
        const bool above = index < GetFirstVisibleIndex() || (r.bottom > r.top && r.top < VisibleItemsRect().top);
        if (!above) break;
        SetTopIndex(topIndex_ - 1);
        moved = true;
    }
    while (HasBottomScrollButton()) {
        const TRect r = link->ItemRect();
        const bool below = index > GetLastVisibleIndex() || r.bottom > VisibleItemsRect().bottom;
        if (!below) break;
        const int before = topIndex_;
        SetTopIndex(topIndex_ + 1);
        if (topIndex_ == before) break;
        moved = true;
    }
    if (moved) Invalidate();
}

void TdxBarSubMenuControl::WMNCCalcSize(TMessage& m) {
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam);
    const TRect b = GetBorderMargins(true);
    RECT& r = params->rgrc[0];
    r.left += b.left;
    r.top += b.top;
    r.right -= b.right;
    r.bottom -= b.bottom;
    m.Result = 0;
}

// ---- Animation and shadow -----------------------------------------------------------------

void TdxBarSubMenuControl::StartAnimation(bool flippedHorizontally, bool flippedVertically) {
    const bool leftward = (XDirection == 0) != flippedHorizontally;
    const bool upward = (YDirection == 0) != flippedVertically;
    TdxBarMenuAnimationParams params = CalcMenuAnimationParams(
        animation_ == maSlide ? maSlide : maUnfold, BoundsRect(), ClientWidth(), ClientHeight(), leftward, upward);
    params.window = Handle();
    StopAnimation();  // frees the thread of an earlier showing
    auto* thread = new TdxBarAnimationThread(this, params);
    animationThread_ = thread;
    animationEnded_ = false;
    thread->Start();
}

bool TdxBarSubMenuControl::IsAnimating() const { return animationThread_ && !animationEnded_; }

void TdxBarSubMenuControl::StopAnimation() {
    // The menu owns its thread: an ended thread is only freed here, a running one is stopped
    // (its final placement still runs) and freed.
    TdxBarAnimationThread* thread = std::exchange(animationThread_, nullptr);
    if (thread) StopAnimationThread(thread);
    animationEnded_ = false;
}

void TdxBarSubMenuControl::AnimationThreadTerminated(TObject* /*sender*/) { animationEnded_ = true; }

void TdxBarSubMenuControl::FinishAnimation(const TRect& finalBounds) {
    // A menu that is closing or going must not be shown again at its final bounds.
    if (IsDestroying() || hiding_ || !HandleAllocated()) return;
    ShowAnimation = false;
    SetWindowPos(Handle(), nullptr, finalBounds.left, finalBounds.top, RectWidth(finalBounds), RectHeight(finalBounds),
                 SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
    Repaint();
    WindowPosChanged();
}

void TdxBarSubMenuControl::WindowPosChanged() {
    TCustomdxBarControl::WindowPosChanged();
    if (!shadow_ || !HandleAllocated()) return;
    TRect window;
    GetWindowRect(Handle(), &window);
    shadow_->SetBoundsRects(OwnerBounds(), window);
    shadow_->SetShadowVisible(NeedsShadow() && IsWindowVisible(Handle()) && !hiding_);
}

bool TdxBarSubMenuControl::AllowsItemEditing() const {
    if (TCustomdxBarControl::AllowsItemEditing()) return true;
    TComponent* owner = ItemLinks() ? ItemLinks()->GetOwnerObject() : nullptr;
    if (auto* subItem = As<TdxBarSubItem>(owner)) return subItem->AllowCustomizing();
    return As<TdxBarPopupMenu>(owner) != nullptr;
}
