#include "dxBarButtonControl.h"

#include "CallbackBarrier.h"
#include "cxWindowHelpers.h"
#include "dxBarAccessibility.h"
#include "dxBarItemControlDrawParams.h"
#include "dxBarItemControlViewInfo.h"
#include "dxBarPainter.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "cxObjectLinks.h"
#include "dxBarPainter.h"
#include "dxBarPopupMenu.h"
#include "dxBarSubMenuControl.h"
#include "dxCustomBarControl.h"

// Sections: delay timers · TdxBarButtonLikeControl · TdxBarButtonControl ·
// TdxBarApplicationMenuButtonControl.

// ---- Delay timers --------------------------------------------------------------------------

namespace {

constexpr UINT dxBarDropDownDelay = 400;

// A thread timer (no window): the id SetTimer returns is what its callback is called with.
struct TDropDownDelay {
    UINT_PTR id = 0;
    TdxBarButtonLikeControl* target = nullptr;
};

TDropDownDelay openDelay, closeDelay;

void CancelDelay(TDropDownDelay& delay) {
    if (delay.id) KillTimer(nullptr, delay.id);
    delay = {};
}

void StartDelay(TDropDownDelay& delay, TdxBarButtonLikeControl* target, TIMERPROC proc) {
    CancelDelay(delay);
    delay.id = SetTimer(nullptr, 0, dxBarDropDownDelay, proc);
    if (delay.id) delay.target = target;
}

// The delay's target when the timer that fired is the delay's; the delay is over either way.
TdxBarButtonLikeControl* TakeExpired(TDropDownDelay& delay, UINT_PTR id) {
    if (id != delay.id) {
        KillTimer(nullptr, id);  // a timer left over from a cancelled delay
        return nullptr;
    }
    TdxBarButtonLikeControl* target = delay.target;
    CancelDelay(delay);
    return target;
}

void CALLBACK OpenDelayExpired(HWND, UINT, UINT_PTR id, DWORD) {
    CallbackBarrier([&] {
        if (TdxBarButtonLikeControl* target = TakeExpired(openDelay, id)) target->ControlActivate(true);
    });
}

void CALLBACK CloseDelayExpired(HWND, UINT, UINT_PTR id, DWORD) {
    CallbackBarrier([&] {
        if (TdxBarButtonLikeControl* target = TakeExpired(closeDelay, id)) target->ControlInactivate(true);
    });
}

// Runs a pending close at once: a drop-down opening now closes the previous one first.
void FlushPendingClose() {
    TdxBarButtonLikeControl* target = closeDelay.target;
    CancelDelay(closeDelay);
    if (target) target->ControlInactivate(true);
}

bool IsManagerCustomizingOrDesigning(const TdxBarItemControl* control) {
    TdxBarItem* item = control->Item();
    TdxBarManager* manager = item ? item->BarManager() : nullptr;
    return manager && manager->IsCustomizingOrDesigning();
}

}  // namespace

// ---- TdxBarButtonLikeControl ---------------------------------------------------------------

const TcxAccessibilityHelperMeta* TdxBarButtonLikeControl::GetAccessHelperClass() const {
    return TdxBarButtonLikeControlAccessibilityHelper::StaticClass();
}

const TcxAccessibilityHelperMeta* TdxBarButtonControl::GetAccessHelperClass() const {
    return TdxBarButtonControlAccessibilityHelper::StaticClass();
}

TdxBarButtonLikeControl::~TdxBarButtonLikeControl() {
    StopTimers();
    // Hook (bar windows): an open drop-down window is hidden (its HideBar).
}

TdxBarButtonLikeControl* TdxBarButtonLikeControl::PendingOpenTarget() { return openDelay.target; }
TdxBarButtonLikeControl* TdxBarButtonLikeControl::PendingCloseTarget() { return closeDelay.target; }

bool TdxBarButtonLikeControl::IsInMenu() const {
    auto* links = Link() ? As<TdxBarItemLinks>(Link()->Collection()) : nullptr;
    return links && links->BelongsToMenu();
}

bool TdxBarButtonLikeControl::CanOpenDropDown() const {
    return IsEnabled() || (Item() && Item()->BarManager() && Item()->BarManager()->IsBarManagerDesigning());
}

void TdxBarButtonLikeControl::StopTimers() {
    if (openDelay.target == this) CancelDelay(openDelay);
    if (closeDelay.target == this) CancelDelay(closeDelay);
}

void TdxBarButtonLikeControl::DelayActivation(bool open) {
    if (open) {
        if (closeDelay.target == this) CancelDelay(closeDelay);
        StartDelay(openDelay, this, &OpenDelayExpired);
        return;
    }
    if (openDelay.target == this) CancelDelay(openDelay);
    if (IsDroppedDown()) StartDelay(closeDelay, this, &CloseDelayExpired);
}

void TdxBarButtonLikeControl::ControlActivate(bool immediately) {
    if (IsDroppedDown()) {
        StopTimers();
        return;
    }
    TdxBarItemControl::ControlActivate(immediately);
    if (!IsDropDownButton() || !CanOpenDropDown()) return;
    if (!IsInMenu()) {
        // Hovering a toolbar button opens nothing unless a menu of that toolbar is open.
        if (!IsBarCustomizing() && !IsBarDowned()) return;
        immediately = true;
    }
    if (immediately || IsManagerCustomizingOrDesigning(this)) {
        FlushPendingClose();
        DropDown(true);
    } else {
        DelayActivation(true);
    }
}

void TdxBarButtonLikeControl::ControlInactivate(bool immediately) {
    if (!IsInMenu() || (BarControl() && BarControl()->IsDestroying())) immediately = true;
    if (immediately || IsManagerCustomizingOrDesigning(this)) {
        TdxBarItemControl::ControlInactivate(true);
        CloseDropDown(GetDropDownWindow() != nullptr);
    } else {
        DelayActivation(false);
    }
}

bool TdxBarButtonLikeControl::MatchesAccelerator(Word key) const {
    if (!IsDropDownButton()) return false;
    return IsInMenu() ? key == VK_RIGHT : key == VK_UP || key == VK_DOWN;
}

void TdxBarButtonLikeControl::KeyDown(Word& key, TShiftState /*shift*/) {
    if (MatchesAccelerator(key)) MarkBarDowned(false);
}

void TdxBarButtonLikeControl::MarkBarDowned(bool /*immediately*/) {
    if (BarControl()) BarControl()->SetDowned(true);
}

bool TdxBarButtonLikeControl::IsBarDowned() const { return BarControl() && BarControl()->IsDowned(); }

bool TdxBarButtonLikeControl::IsBarCustomizing() const { return BarControl() && BarControl()->IsCustomizing(); }

void TdxBarButtonLikeControl::CloseDropDown(bool hide) {
    StopTimers();
    // Hook (bar windows): with hide, the drop-down window is hidden (its HideBar).
    (void)hide;
    RepaintControl();
}

TdxBarItemControlDrawParams* TdxBarButtonLikeControl::CreateDrawParams() {
    return new TdxBarButtonLikeControlDrawParams(this);
}

void TdxBarButtonLikeControl::CalcDrawParams(bool withItemData) {
    TdxBarItemControl::CalcDrawParams(withItemData);
    auto* params = static_cast<TdxBarButtonLikeControlDrawParams*>(DrawParams());
    TdxBarManager* manager = GetManager();
    TdxBarPainter* painter = GetPainter();
    params->arrowWidth = painter && manager ? painter->GetDropDownArrowWidth(manager) : 0;
    params->arrowHeight = BarControl() ? BarControl()->MenuArrowHeight() : 0;
    params->isDropDown = IsDropDownButton();
    params->canSelect = IsNavigable();
}

// ---- TdxBarButtonControl -------------------------------------------------------------------

TdxBarButton* TdxBarButtonControl::GetButtonItem() const { return As<TdxBarButton>(Item()); }

TdxBarButtonStyle TdxBarButtonControl::GetButtonStyle() const {
    TdxBarButton* button = GetButtonItem();
    return button ? button->ButtonStyle() : bsDefault;
}

bool TdxBarButtonControl::GetButtonDown() const {
    TdxBarButton* button = GetButtonItem();
    return button && button->Down();
}

bool TdxBarButtonControl::IsDropDownEnabled() const {
    TdxBarButton* button = GetButtonItem();
    return button && button->DropDownEnabled();
}

bool TdxBarButtonControl::IsLowered() const {
    TdxBarButton* button = GetButtonItem();
    return button && button->Lowered();
}

bool TdxBarButtonControl::IsDropDownButton() const {
    const TdxBarButtonStyle style = GetButtonStyle();
    return style == bsDropDown || style == bsCheckedDropDown;
}

void TdxBarButtonControl::DropDown(bool byMouse) {
    TdxBarButton* button = GetButtonItem();
    if (droppedDown_ || !IsEnabled() || !button || !button->DropDownEnabled() || !button->DropDownMenu()) return;
    droppedDown_ = true;
    TCustomdxBarControl* bar = BarControl();
    if (bar) bar->EnsureItemVisible(this);
    RepaintControl();
    // The anchor: the control's bottom left corner; in a menu or on a vertical bar its top right
    // corner (in a sub menu moved up by the menu's frame); on the screen once the control is in a
    // window.
    const TRect bounds = ViewInfo()->GetBounds();
    TPoint anchor{bounds.left, bounds.bottom};
    if (bar && (bar->GetBarControlKind() == 2 || bar->IsVerticalLayout())) anchor = TPoint{bounds.right, bounds.top};
    if (bar && bar->GetBarControlKind() == 2)
        if (TdxBarPainter* painter = GetPainter()) anchor.y -= painter->GetMenuFrameSize();
    if (bar && bar->HandleAllocated()) anchor = bar->ClientToScreen(anchor);
    TcxObjectLinkGuard self(this);
    button->DropDown(this, anchor.x, anchor.y, byMouse);
    if (!self.Alive()) return;
    // Hook (painters): with the flat button look the control repaints once more.
}

TCustomdxBarControl* TdxBarButtonControl::GetDropDownWindow() const {
    TdxBarButton* button = GetButtonItem();
    TdxBarPopupMenu* menu = button ? button->DropDownMenu() : nullptr;
    return menu ? menu->ItemLinks()->BarControl() : nullptr;
}

void TdxBarButtonControl::CloseDropDown(bool hide) {
    auto* window = As<TdxBarSubMenuControl>(GetDropDownWindow());
    const bool own = droppedDown_ && window;
    droppedDown_ = false;
    TcxObjectLinkGuard self(this);
    TdxBarButtonLikeControl::CloseDropDown(hide);
    if (!hide || !own || !self.Alive()) return;
    // The window forgets its opener first, then goes.
    window->OpenerControl = nullptr;
    if (BarControl() && BarControl()->ChildBar() == window) BarControl()->SetChildBar(nullptr);
    window->HideBar();
}

void TdxBarButtonControl::MarkBarDowned(bool immediately) {
    TdxBarButtonLikeControl::MarkBarDowned(immediately);
    DropDown(immediately);
}

bool TdxBarButtonControl::ClosesMenuOnClick() const {
    if (!IsInMenu()) return true;
    TdxBarButton* button = GetButtonItem();
    return !button || button->CloseSubMenuOnClick();
}

TdxBarPaintStyle TdxBarButtonControl::GetEffectivePaintStyle() const {
    TdxBarPaintStyle style = Link() ? Link()->GetEffectivePaintStyle() : psStandard;
    if (!IsInMenu() && style == psStandard) CheckGlyphVisibility(style);
    return style;
}

void TdxBarButtonControl::CheckGlyphVisibility(TdxBarPaintStyle& style) const {
    // Hook (item controls): the image at the control's display size.
    if (!Item() || !Item()->HasImage()) style = psCaption;
}

Byte TdxBarButtonControl::GetViewStructure() const {
    const bool inMenu = IsInMenu();
    switch (GetEffectivePaintStyle()) {
        case psStandard:
            return inMenu || !Item() || !Item()->HasImage() ? Byte(dxBarViewIcon | dxBarViewText)
                                                            : dxBarViewIcon;
        case psCaption:
            return dxBarViewText;
        case psCaptionInMenu:
            return inMenu ? dxBarViewText : dxBarViewIcon;
        case psCaptionGlyph:
        default:
            return dxBarViewIcon | dxBarViewText;
    }
}

bool TdxBarButtonControl::IsPressedLook() const {
    const TdxBarButtonStyle style = GetButtonStyle();
    if (HeldPressed() && style != bsChecked && style != bsCheckedDropDown) return true;
    TCustomdxBarControl* bar = BarControl();
    return IsSelected() && bar && bar->IsActive() && GetAsyncKeyState(VK_LBUTTON) < 0 && HotPart() == 0 &&
           bar->HandleAllocated() && bar->ItemControlAtPoint(bar->ScreenToClient(QueryCursorPos())) == this;
}

void TdxBarButtonControl::CalcDrawParams(bool withItemData) {
    TdxBarButtonLikeControl::CalcDrawParams(withItemData);
    if (!withItemData) return;
    auto* params = static_cast<TdxBarButtonLikeControlDrawParams*>(DrawParams());
    params->shortCutText = ShortCutToText(GetShortCut());
    params->pressed = IsPressedLook();
    params->pressedOrOpen = params->pressed;
    params->down = GetButtonDown();
    params->droppedDown = DroppedDown();
    params->isButton = true;
    params->dropDownEnabled = IsDropDownEnabled();
    params->lowered = IsLowered();
}

void TdxBarButtonControl::CalcParts() {
    TdxBarItemControl::CalcParts();
    if (!IsDropDownButton()) return;
    const TRect bounds = GetBounds();
    auto* params = static_cast<TdxBarButtonLikeControlDrawParams*>(DrawParams());
    TRect arrow = bounds;
    arrow.left = bounds.right - params->arrowWidth;
    TRect main = bounds;
    main.right = arrow.left;
    SetPartRects({main, arrow});
}

void TdxBarButtonControl::DrawContent(const TRect& r, Byte /*paintKind*/) {
    TdxBarPainter* painter = GetPainter();
    if (painter && PaintedWindow()) painter->DrawButtonControl(static_cast<TdxBarButtonLikeControlDrawParams*>(DrawParams()), r);
}

int TdxBarButtonControl::CalcHeight() {
    int height = TdxBarButtonLikeControl::CalcHeight();
    TdxBarPainter* painter = GetPainter();
    if (IsLowered() && painter) height += 2 * painter->GetCheckedExtraSize();
    return height;
}

int TdxBarButtonControl::HitTestPart(const TPoint& p) {
    const TRect bounds = ViewInfo()->GetBounds();
    if (!PtInRect(&bounds, p)) return -1;
    if (!IsDropDownButton()) return 0;
    TdxBarManager* manager = Item() ? Item()->BarManager() : nullptr;
    const int arrowWidth = manager ? manager->Painter()->GetDropDownArrowWidth(manager) : 0;
    return p.x >= bounds.right - arrowWidth ? 1 : 0;
}

void TdxBarButtonControl::ControlClick(bool byMouse) {
    if (byMouse && HotPart() != 0) return;  // released over the arrow part
    if (TdxBarButton* button = GetButtonItem()) {
        const TdxBarButtonStyle style = button->ButtonStyle();
        if (style == bsChecked || style == bsCheckedDropDown) button->SetDown(!button->Down());
    }
    ControlInactivate(true);
    // The click road of every item control: recent-use marks, the held pressed look, the item's
    // click.
    TdxBarItemControl::ControlClick(byMouse);
}

// ---- TdxBarApplicationMenuButtonControl ----------------------------------------------------

Byte TdxBarApplicationMenuButtonControl::GetViewStructure() const {
    // Hook (item controls): the image at the control's display size.
    return Item() && Item()->HasImage() ? Byte(dxBarViewIcon | dxBarViewText) : dxBarViewText;
}
