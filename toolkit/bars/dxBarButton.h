#pragma once
// The plain item kinds: TdxBarButton (a push button, a check button that stays down, a member of
// a radio group of check buttons, or a button with a drop-down popup menu), TdxBarLabel (a
// static caption), TdxBarSeparator (a separator with an optional caption, for menus only) and
// TdxBarApplicationMenuButtonItem (the buttons at the bottom of the application menu).
//
// Radio groups: the checked-style buttons of one manager with the same GroupIndex. Pressing one
// releases the other; the last down button stays down unless the group allows all up, and the
// whole group shares one AllowAllUp. Nothing of that applies while a button is read from a
// form description.

#include "dxBarItem.h"
#include "dxBarItemLinks.h"

class TdxBarPopupMenu;

Z_ENUM(TdxBarButtonStyle, Byte, bsDefault, bsChecked, bsDropDown, bsCheckedDropDown)

class TdxBarButton : public TdxBarItem, public IdxBarLinksOwner {
    Z_CLASS(TdxBarButton, TdxBarItem)
    Z_PUBLISHED {
        // The group comes before Down: joining a group releases the button.
        p.Property(L"ButtonStyle", &TdxBarButton::ButtonStyle, &TdxBarButton::SetButtonStyle).Default(bsDefault);
        p.Property(L"GroupIndex", &TdxBarButton::GroupIndex, &TdxBarButton::SetGroupIndex).Default(0);
        p.Property(L"AllowAllUp", &TdxBarButton::AllowAllUp, &TdxBarButton::SetAllowAllUp).Default(false);
        p.Property(L"Down", &TdxBarButton::Down, &TdxBarButton::SetDown)
            .Default(false)
            .Stored(&TdxBarButton::StoresDown);
        p.Property(L"CloseSubMenuOnClick", &TdxBarButton::CloseSubMenuOnClick, &TdxBarButton::SetCloseSubMenuOnClick)
            .Default(true);
        p.Property(L"DropDownEnabled", &TdxBarButton::DropDownEnabled, &TdxBarButton::SetDropDownEnabled).Default(true);
        p.Property(L"DropDownMenu", &TdxBarButton::DropDownMenu, &TdxBarButton::SetDropDownMenu);
        p.Property(L"Lowered", &TdxBarButton::Lowered, &TdxBarButton::SetLowered).Default(false);
        p.Property(L"Glyph", &TdxBarButton::Glyph, &TdxBarButton::SetGlyph);
        p.Property(L"ImageIndex", &TdxBarButton::ImageIndex, &TdxBarButton::SetImageIndex)
            .Default(-1)
            .Stored(&TdxBarButton::IsImageIndexStored);
        p.Property(L"LargeGlyph", &TdxBarButton::LargeGlyph, &TdxBarButton::SetLargeGlyph);
        p.Property(L"LargeImageIndex", &TdxBarButton::LargeImageIndex, &TdxBarButton::SetLargeImageIndex).Default(-1);
        p.Property(L"PaintStyle", &TdxBarButton::PaintStyle, &TdxBarButton::SetPaintStyle).Default(psStandard);
        p.Property(L"ShortCut", &TdxBarButton::ShortCut, &TdxBarButton::SetShortCut)
            .Default(0)
            .Stored(&TdxBarButton::IsShortCutStored);
        p.Property(L"UnclickAfterDoing", &TdxBarButton::UnclickAfterDoing, &TdxBarButton::SetUnclickAfterDoing)
            .Default(true);
        p.Event(L"OnClick", &TdxBarButton::OnClick);
    }

public:
    explicit TdxBarButton(TComponent* owner);

    TdxBarButtonStyle ButtonStyle() const;
    void SetButtonStyle(TdxBarButtonStyle value);
    bool IsCheckedStyle() const { return checkedStyle_; }
    bool Down() const { return down_; }
    // Refused (nothing changes) for the last down button of a group without AllowAllUp.
    void SetDown(bool value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);  // 0 for a button that is not of a checked style
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);
    TdxBarPopupMenu* DropDownMenu() const { return dropDownMenu_; }
    // A menu that holds this button raises EdxException with the recursive-menu text.
    void SetDropDownMenu(TdxBarPopupMenu* value);
    bool DropDownEnabled() const { return dropDownEnabled_; }
    void SetDropDownEnabled(bool value);
    bool CloseSubMenuOnClick() const { return closeSubMenuOnClick_; }
    void SetCloseSubMenuOnClick(bool value) { closeSubMenuOnClick_ = value; }
    bool Lowered() const { return lowered_; }
    void SetLowered(bool value);

    void Click() override;
    // The drop-down part of the button's control was used: the menu pops up at the screen
    // point beside the control, as the child of its bar window (no loop of its own); from the
    // keyboard with its first entry selected and without animation.
    virtual void DropDown(TdxBarItemControl* control, int x, int y, bool byMouse);

    bool SupportsPaintStyle() const override { return true; }
    bool CanShowLink(TdxBarItemLink* link) const override;
    TdxBarItemLinks* GetItemLinks() const override;
    Word GetSupportedActions() override;
    String GetNewItemCaption() const override;

    // IdxBarLinksOwner, for the drop-down menu
    bool CanAddItem(TdxBarItem* item, String& errorText) override;
    TCustomdxBarControl* CreateBarControl() override;
    TComponent* GetOwnerObject() override { return this; }
    TdxBarItemLinks* GetOwnerItemLinks() override { return GetItemLinks(); }

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void PaintStyleChanged() override;

private:
    bool StoresDown() const;
    TdxBarButton* FindDownButtonInGroup() const;
    bool HasOtherDownButtonInGroup() const;

    bool checkedStyle_ = false, dropDownStyle_ = false;
    bool down_ = false;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    TdxBarPopupMenu* dropDownMenu_ = nullptr;
    bool dropDownEnabled_ = true;
    bool closeSubMenuOnClick_ = true;
    bool lowered_ = false;
};

class TdxBarLabel : public TdxBarItem {
    Z_CLASS(TdxBarLabel, TdxBarItem)
    Z_PUBLISHED {
        p.Property(L"Glyph", &TdxBarLabel::Glyph, &TdxBarLabel::SetGlyph);
        p.Property(L"ImageIndex", &TdxBarLabel::ImageIndex, &TdxBarLabel::SetImageIndex).Default(-1);
    }

public:
    explicit TdxBarLabel(TComponent* owner) : TdxBarItem(owner) { SetShowCaption(true); }
};

class TdxBarSeparator : public TdxBarLabel {
    Z_CLASS(TdxBarSeparator, TdxBarLabel)
    Z_PUBLISHED {
        p.Property(L"ShowCaption", &TdxBarSeparator::ShowCaption, &TdxBarSeparator::SetShowCaption).Default(true);
    }

public:
    explicit TdxBarSeparator(TComponent* owner) : TdxBarLabel(owner) {}
    // Only menus take separators; a toolbar begins a group with a line instead.
    bool CanPlaceOn(Byte kind, TdxBar* bar, String& errorText) override;
    String GetNewItemCaption() const override;
    Word GetSupportedActions() override { return TdxBarLabel::GetSupportedActions() & ~Word(0x1000); }
};

class TdxBarApplicationMenuButtonItem : public TdxBarItem {
    Z_CLASS(TdxBarApplicationMenuButtonItem, TdxBarItem)
public:
    explicit TdxBarApplicationMenuButtonItem(TComponent* owner) : TdxBarItem(owner) {}
};
