#include "dxBarSubItemControl.h"

#include <algorithm>

#include "cxGraphics.h"
#include "cxObjectLinks.h"
#include "dxBarAccessibility.h"
#include "dxBarItemControlViewInfo.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxBarPainter.h"
#include "dxBarSubItem.h"
#include "dxBarUnit.h"

// Sections: TdxBarSubItemControl · TdxBarContainerItemControl · TContainerItemSubMenuControl.

// ---- TdxBarSubItemControl ------------------------------------------------------------------

const TcxAccessibilityHelperMeta* TdxBarSubItemControl::GetAccessHelperClass() const {
    return TdxBarSubItemControlAccessibilityHelper::StaticClass();
}

TdxBarSubItemControl::~TdxBarSubItemControl() {
    StopTimers();
    TdxBarSubMenuControl* menu = As<TdxBarSubMenuControl>(GetDropDownWindow());
    if (menu && menu->OpenerControl == this) {
        menu->OpenerControl = nullptr;
        menu->OnCloseUpNotify = nullptr;
        if (!menu->IsDestroying()) menu->HideBar();
    }
}

TCustomdxBarSubItem* TdxBarSubItemControl::GetSubItem() const { return As<TCustomdxBarSubItem>(Item()); }

TCustomdxBarControl* TdxBarSubItemControl::GetDropDownWindow() const {
    TCustomdxBarSubItem* item = GetSubItem();
    TdxBarItemLinks* links = item ? item->ItemLinks() : nullptr;
    return links ? links->BarControl() : nullptr;
}

bool TdxBarSubItemControl::IsDroppedDown() const {
    auto* menu = As<TdxBarSubMenuControl>(GetDropDownWindow());
    return menu && IsActive() && menu->OpenerControl == this;
}

TdxBarSubMenuControl* TdxBarSubItemControl::GetSubMenuControl() {
    TCustomdxBarSubItem* item = GetSubItem();
    if (!item) return nullptr;
    item->ItemLinks()->CreateBarControl();
    return As<TdxBarSubMenuControl>(item->ItemLinks()->BarControl());
}

void TdxBarSubItemControl::PrepareSubMenu() {
    TdxBarSubMenuControl* menu = GetSubMenuControl();
    if (!menu) return;
    menu->OpenerControl = this;
    menu->OnCloseUpNotify = MakeEvent(this, &TdxBarSubItemControl::SubMenuClosedUp);
    TdxBarPainter* painter = GetPainter();
    if (painter && painter->UsesFlatItemLook() && BarControl()) {
        // The flat look joins the menu to the item.
        TRect bounds = GetBounds();
        const TPoint topLeft = BarControl()->ClientToScreen(TPoint{bounds.left, bounds.top});
        OffsetRect(&bounds, topLeft.x - bounds.left, topLeft.y - bounds.top);
        menu->SetOwnerBounds(bounds);
        menu->SetOwnerControl(BarControl());
    }
}

void TdxBarSubItemControl::CalcSubMenuPos(TPoint& p, int& ownerWidth, int& ownerHeight) {
    const TRect r = GetBounds();
    ownerWidth = ownerHeight = 0;
    TCustomdxBarControl* bar = BarControl();
    if (!bar) {
        p = TPoint{r.left, r.bottom};
        return;
    }
    if (bar->GetBarControlKind() == 2) {
        // Beside the item, raised so that the first entries line up with it.
        TdxBarPainter* painter = GetPainter();
        p = TPoint{r.right, r.top - (painter ? painter->GetMenuFrameSize() : 0)};
        ownerWidth = RectWidth(r);
    } else if (bar->IsDockedVertically()) {
        p = TPoint{r.right, r.top};
        ownerWidth = RectWidth(r);
    } else {
        p = TPoint{r.left, r.bottom};
        ownerHeight = RectHeight(r);
    }
    p = bar->ClientToScreen(p);
}

bool TdxBarSubItemControl::MatchesAccelerator(Word key) const {
    return key == VK_RETURN || TdxBarButtonLikeControl::MatchesAccelerator(key);
}

void TdxBarSubItemControl::MarkBarDowned(bool immediately) {
    TdxBarButtonLikeControl::MarkBarDowned(immediately);
    ClickAt(immediately, false);
}

bool TdxBarSubItemControl::IsBarCustomizing() const { return BarControl() && BarControl()->IsCustomizing(); }

void TdxBarSubItemControl::ControlPress(bool byMouse, bool /*extra*/) {
    if (IsDroppedDown()) {
        // Only the standard style closes an open sub item on a second press.
        TdxBarManager* manager = GetManager();
        if (IsBarCustomizing() || (manager && manager->GetEffectiveStyle() == bmsStandard)) ControlInactivate(true);
        return;
    }
    SetAnimateDropDown(byMouse);
    TcxObjectLinkGuard self(this);
    ControlActivate(true);
    if (!self.Alive() || byMouse) return;
    // From the keyboard the new menu starts with its first entry selected.
    TdxBarSubMenuControl* menu = As<TdxBarSubMenuControl>(GetDropDownWindow());
    if (!menu || !menu->ItemLinks()) return;
    if (TdxBarItemLink* first = menu->ItemLinks()->GetFirstNavigableLink())
        if (first->Control()) menu->SetSelControl(first->Control());
}

void TdxBarSubItemControl::DropDown(bool /*byMouse*/) {
    TCustomdxBarSubItem* item = GetSubItem();
    if (!item) return;
    TcxObjectLinkGuard self(this);
    TcxObjectLinkGuard itemAlive(item);
    item->DoPopup();
    if (!self.Alive() || !itemAlive.Alive()) return;
    item->DirectClick();
    if (!self.Alive() || !itemAlive.Alive()) return;
    PrepareSubMenu();
    if (TdxBarSubMenuControl* menu = As<TdxBarSubMenuControl>(GetDropDownWindow())) ShowSubMenu(menu);
}

void TdxBarSubItemControl::ShowSubMenu(TdxBarSubMenuControl* menu) {
    TPoint p;
    int ownerWidth = 0, ownerHeight = 0;
    CalcSubMenuPos(p, ownerWidth, ownerHeight);
    menu->OwnerWidth = ownerWidth;
    menu->OwnerHeight = ownerHeight;
    menu->SetLeft(p.x);
    menu->SetTop(p.y);
    if (BarControl()) BarControl()->SetChildBar(menu);
    if (BarControl() && BarControl()->GetBarControlKind() != 2) RepaintControl();
    menu->ShowAnimation = AnimateDropDown();
    SetAnimateDropDown(false);
    menu->ShowMenu();
}

void TdxBarSubItemControl::CloseDropDown(bool hide) {
    auto* menu = As<TdxBarSubMenuControl>(GetDropDownWindow());
    const bool own = menu && menu->OpenerControl == this;
    if (hide && own) {
        menu->OpenerControl = nullptr;
        menu->OnCloseUpNotify = nullptr;
    }
    TdxBarButtonLikeControl::CloseDropDown(hide);
    if (!hide || !own) return;
    TcxObjectLinkGuard self(this);
    if (BarControl() && BarControl()->ChildBar() == menu) BarControl()->SetChildBar(nullptr);
    menu->HideBar();
    if (self.Alive()) SubMenuClosedUp(nullptr);
}

void TdxBarSubItemControl::SubMenuClosedUp(TObject*) {
    if (TCustomdxBarSubItem* item = GetSubItem()) item->DoCloseUp();
}

Byte TdxBarSubItemControl::GetViewStructure() const {
    TCustomdxBarSubItem* item = GetSubItem();
    const bool text = IsInMenu() || !item || item->ShowCaption();
    Byte structure = text ? dxBarViewText : 0;
    if (!text || (item && item->HasImage())) structure |= dxBarViewIcon;
    return structure;
}

void TdxBarSubItemControl::DrawContent(const TRect& r, Byte paintKind) {
    TcxCanvas* canvas = PaintCanvas();
    if (!canvas) return;
    HDC dc = canvas->GetCanvasHandle();
    const bool selected = IsSelected() || IsDroppedDown();
    FillRect(dc, &r, HBRUSH(INT_PTR((selected ? COLOR_HIGHLIGHT : COLOR_BTNFACE) + 1)));
    TdxBarPainter* painter = GetPainter();
    const int indent = paintKind == 1 && BarControl() ? BarControl()->IconAreaSize() + 3 : 3;
    TRect text{r.left + indent, r.top, r.right - (paintKind == 1 ? BarControl()->TextSize() : 0), r.bottom};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
    const String caption = Link() ? Link()->GetEffectiveCaption() : String();
    DrawTextW(dc, caption.c_str(), int(caption.length()), &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    if (paintKind != 1 || !painter) return;
    // The arrow towards the sub menu: a small triangle at the right.
    const int size = std::max(2, BarControl()->MenuArrowHeight());
    const int x = r.right - BarControl()->TextSize() / 2 - size / 2, cy = (r.top + r.bottom) / 2;
    for (int i = 0; i < size; ++i) {
        TRect row{x + i, cy - (size - i), x + i + 1, cy + (size - i) - 1};
        FillRect(dc, &row, HBRUSH(INT_PTR((selected ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT) + 1)));
    }
}

// ---- TdxBarContainerItemControl -----------------------------------------------------------

TdxBarSubMenuControl* TdxBarContainerItemControl::GetSubMenuControl() {
    auto* container = As<TCustomdxBarContainerItem>(Item());
    TdxBarManager* manager = GetManager();
    if (!container || !manager || manager->IsCustomizingOrDesigning()) return nullptr;
    TdxBarItemLinks* links = container->ItemLinks();
    if (links->BarControl()) return As<TdxBarSubMenuControl>(links->BarControl());
    auto* menu = new TContainerItemSubMenuControl(manager, container);
    links->AttachBarControl(menu);
    return menu;
}

// ---- TContainerItemSubMenuControl ---------------------------------------------------------

TContainerItemSubMenuControl::TContainerItemSubMenuControl(TComponent* manager, TCustomdxBarContainerItem* container)
    : TdxBarSubMenuControl(manager), container_(container) {
    // The generated entries live in links of their own; the container's links only point here.
    generated_ = new TdxBarSubMenuControlItemLinks(static_cast<TdxBarManager*>(manager), container);
    generated_->Internal = true;
    container->AddExpandedLinks(generated_, 0, nullptr, true);
    AssignItemLinks(generated_);
}

TContainerItemSubMenuControl::~TContainerItemSubMenuControl() {
    if (HandleAllocated()) DestroyHandle();
    if (container_ && container_->ItemLinks()->BarControl() == this) container_->ItemLinks()->AttachBarControl(nullptr);
    if (generated_) {
        generated_->AttachBarControl(nullptr);
        ItemLinksFreed();
        FreeAndNil(generated_);
    }
    if (container_) container_->RequestClearItemList();
}

void TContainerItemSubMenuControl::DoCloseUp() {
    if (container_ && generated_) container_->RemoveExpandedLinks(generated_, 0);
    TdxBarSubMenuControl::DoCloseUp();
}

// ---- The sub item's menu window ------------------------------------------------------------

TCustomdxBarControl* TCustomdxBarSubItem::CreateSubMenuControl() {
    if (!BarManager()) return nullptr;
    auto* menu = new TdxBarSubMenuControl(BarManager());
    menu->AssignItemLinks(itemLinks_);
    return menu;
}
