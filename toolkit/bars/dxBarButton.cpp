#include "dxBarButton.h"

#include "dxBar.h"
#include "dxBarItemActionLink.h"
#include "dxBarManager.h"
#include "dxBarButtonControl.h"
#include "dxBarItemControl.h"
#include "dxBarPopupMenu.h"
#include "dxBarSubMenuControl.h"
#include "dxCustomBarControl.h"
#include "dxBarStrs.h"

// ---- TdxBarButton -------------------------------------------------------------------------

TdxBarButton::TdxBarButton(TComponent* owner) : TdxBarItem(owner) { SetUnclickAfterDoing(true); }

TdxBarButtonStyle TdxBarButton::ButtonStyle() const {
    if (checkedStyle_) return dropDownStyle_ ? bsCheckedDropDown : bsChecked;
    return dropDownStyle_ ? bsDropDown : bsDefault;
}

void TdxBarButton::SetButtonStyle(TdxBarButtonStyle value) {
    if (value == ButtonStyle()) return;
    checkedStyle_ = value == bsChecked || value == bsCheckedDropDown;
    dropDownStyle_ = value == bsDropDown || value == bsCheckedDropDown;
    SetDown(false);
    if (!IsLoading()) RecalcLinkBars(dxBarAllControlKinds);
    NotifyChangeListeners(false);
}

TdxBarButton* TdxBarButton::FindDownButtonInGroup() const {
    TdxBarManager* manager = BarManager();
    for (int i = 0; manager && i < manager->GetItemCount(); ++i) {
        auto* button = As<TdxBarButton>(manager->GetItemByIndex(i));
        if (button && button != this && button->checkedStyle_ && button->groupIndex_ == groupIndex_ && button->down_)
            return button;
    }
    return nullptr;
}

bool TdxBarButton::HasOtherDownButtonInGroup() const { return FindDownButtonInGroup() != nullptr; }

void TdxBarButton::SetDown(bool value) {
    if (value == down_ || (value && !checkedStyle_)) return;
    TdxBarButton* release = nullptr;
    if (!IsLoading() && checkedStyle_ && groupIndex_ != 0) {
        if (value)
            release = FindDownButtonInGroup();
        else if (!allowAllUp_ && !HasOtherDownButtonInGroup())
            return;
    }
    down_ = value;
    if (IsLoading()) return;
    InvalidateLinkControls();
    if (release) release->SetDown(false);
}

void TdxBarButton::SetGroupIndex(int value) {
    if (value == groupIndex_) return;
    groupIndex_ = checkedStyle_ ? value : 0;
    SetDown(false);
}

void TdxBarButton::SetAllowAllUp(bool value) {
    if (!AssignIfChanged(allowAllUp_, value) || groupIndex_ == 0) return;
    TdxBarManager* manager = BarManager();
    for (int i = 0; manager && i < manager->GetItemCount(); ++i)
        if (auto* button = As<TdxBarButton>(manager->GetItemByIndex(i)); button && button->groupIndex_ == groupIndex_)
            button->allowAllUp_ = value;
}

bool TdxBarButton::StoresDown() const { return !(ActionLink() && ActionLink()->IsCheckedLinked()); }

void TdxBarButton::SetDropDownMenu(TdxBarPopupMenu* value) {
    if (value == dropDownMenu_) return;
    if (value && value->ItemLinks()->ContainsOwner(this)) throw EdxException(BarString(dxSBAR_RECURSIVEMENUS));
    if (dropDownMenu_) dropDownMenu_->RemoveFreeNotification(this);
    dropDownMenu_ = value;
    if (value) value->FreeNotification(this);
}

void TdxBarButton::SetDropDownEnabled(bool value) {
    if (AssignIfChanged(dropDownEnabled_, value) && !IsLoading()) InvalidateLinkControls();
}

void TdxBarButton::SetLowered(bool value) {
    if (AssignIfChanged(lowered_, value) && !IsLoading()) RecalcLinkBars(dxBarAllControlKinds);
}

void TdxBarButton::Notification(TComponent* component, TOperation operation) {
    TdxBarItem::Notification(component, operation);
    if (operation == opRemove && component == dropDownMenu_) SetDropDownMenu(nullptr);
}

void TdxBarButton::Click() {
    // OnClick sees the new Down; a group may refuse the release.
    if (GetEnabled() && checkedStyle_) SetDown(!down_);
    TdxBarItem::Click();
}

void TdxBarButton::DropDown(TdxBarItemControl* control, int x, int y, bool byMouse) {
    if (!dropDownMenu_) return;
    // Beside the control's screen rectangle: below a toolbar button, right of a menu item.
    TRect owner{};
    int ownerWidth = 0, ownerHeight = 0;
    TCustomdxBarControl* bar = control ? control->BarControl() : nullptr;
    if (bar) {
        owner = control->GetBounds();
        const TPoint topLeft = bar->ClientToScreen(TPoint{owner.left, owner.top});
        OffsetRect(&owner, topLeft.x - owner.left, topLeft.y - owner.top);
        if (bar->GetBarControlKind() == 2 || bar->IsDockedVertically())
            ownerWidth = RectWidth(owner);
        else
            ownerHeight = RectHeight(owner);
    }
    TdxBarPopupMenu* menu = dropDownMenu_;
    menu->OwnerItemControl = control;
    try {
        menu->PopupForOwner(x, y, ownerWidth, ownerHeight, byMouse, bar ? &owner : nullptr, false, nullptr);
    } catch (...) {
        menu->OwnerItemControl = nullptr;
        throw;
    }
    menu->OwnerItemControl = nullptr;
    TdxBarSubMenuControl* window = menu->GetSubMenuControl();
    if (!window) return;
    window->OpenerControl = As<TdxBarButtonLikeControl>(control);
    if (byMouse) return;
    // From the keyboard the menu starts with its first entry selected.
    if (TdxBarItemLink* first = window->ItemLinks()->GetFirstNavigableLink()) {
        window->SetSelectedLink(first);
        if (first->Control()) first->Control()->SetMouseSelected(false);
        window->Invalidate();
    }
}

bool TdxBarButton::CanShowLink(TdxBarItemLink* link) const {
    if (!TdxBarItem::CanShowLink(link)) return false;
    if (!link || !link->GetLinks() || !Is<TdxBar>(link->GetLinks()->GetOwnerObject())) return true;
    // On a toolbar only a button that shows its caption can be reached by its accelerator.
    // Hook (item controls): or the control's effective paint style shows the caption.
    TdxBarPaintStyle style = link->GetEffectivePaintStyle();
    return style == psCaption || style == psCaptionGlyph;
}

TdxBarItemLinks* TdxBarButton::GetItemLinks() const { return dropDownMenu_ ? dropDownMenu_->ItemLinks() : nullptr; }

Word TdxBarButton::GetSupportedActions() {
    Word actions = TdxBarItem::GetSupportedActions() | 0x0020;
    return IsDesigning() ? actions | 0x0100 : actions;
}

String TdxBarButton::GetNewItemCaption() const { return BarStringTableText(dxSBAR_NEWBUTTONCAPTION); }

bool TdxBarButton::CanAddItem(TdxBarItem* item, String& errorText) {
    if (!dropDownMenu_) return false;
    return dropDownMenu_->CanAddItem(item, errorText);
}

TCustomdxBarControl* TdxBarButton::CreateBarControl() {
    return dropDownMenu_ ? dropDownMenu_->CreateBarControl() : nullptr;
}

void TdxBarButton::PaintStyleChanged() {
    // Hook (item controls): the paint-style-changed call of the controls of links without
    // udPaintStyle.
}

// ---- TdxBarSeparator ----------------------------------------------------------------------

bool TdxBarSeparator::CanPlaceOn(Byte kind, TdxBar* bar, String& errorText) {
    (void)bar;
    errorText.clear();
    if (kind == dxBarPlaceInMenu) return true;
    errorText = BarStringTableText(dxSBAR_CANTPLACESEPARATOR);
    return false;
}

String TdxBarSeparator::GetNewItemCaption() const { return BarStringTableText(dxSBAR_NEWSEPARATORCAPTION); }
