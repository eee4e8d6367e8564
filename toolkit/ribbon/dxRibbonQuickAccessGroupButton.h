#pragma once
// TdxRibbonQuickAccessGroupButton: an item of the quick access toolbar that stands for a whole
// ribbon group (the group's toolbar). It is captioned with the toolbar's caption ("GroupButton"
// without one), is enabled only while it has a toolbar, stands only on a quick access toolbar,
// once per toolbar, and forgets the toolbar when that goes.

#include "dxBarButtonControl.h"
#include "dxBarItem.h"

class TBitmap;
class TdxBar;

class TdxRibbonQuickAccessGroupButton : public TdxBarItem {
    Z_CLASS(TdxRibbonQuickAccessGroupButton, TdxBarItem)
    Z_PUBLISHED {
        p.Property(L"Toolbar", &TdxRibbonQuickAccessGroupButton::Toolbar, &TdxRibbonQuickAccessGroupButton::SetToolbar);
    }

public:
    explicit TdxRibbonQuickAccessGroupButton(TComponent* owner) : TdxBarItem(owner) {}
    ~TdxRibbonQuickAccessGroupButton() override;

    TdxBar* Toolbar() const { return toolbar_; }
    // Nothing unless CanPlaceGroupButton allows the value and it differs; then the link controls
    // repaint.
    void SetToolbar(TdxBar* value);
    // The toolbar's caption; "GroupButton" without a toolbar. The caption is never stored or set.
    String GetCaption() const override;
    void SetCaption(const String&) override {}
    // Only on a quick access toolbar, for a toolbar docked as a group of the same ribbon, and
    // once per toolbar.
    bool CanPlaceOn(Byte kind, TdxBar* bar, String& errorText) override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TdxBar* toolbar_ = nullptr;
};

class TdxRibbonQuickAccessGroupButtonControl : public TdxBarButtonLikeControl {
    Z_CLASS(TdxRibbonQuickAccessGroupButtonControl, TdxBarButtonLikeControl)
public:
    explicit TdxRibbonQuickAccessGroupButtonControl(TdxBarItemLink* link) : TdxBarButtonLikeControl(link) {}
    TdxRibbonQuickAccessGroupButton* GroupButton() const;

    bool IsEnabled() const override;
    bool IsDropDownButton() const override { return true; }
    bool ClosesMenuOnClick() const override { return false; }
    String GetItemHint() const override;
    Byte GetViewLevelStyle() override { return 1; }
    bool CanOpenDropDown() const override;
    // The group's popup comes with the groups' own popups; nothing opens here yet.
    void DropDown(bool) override {}
    bool GetImageInfo(int viewSize, TBitmap*& glyph, TCustomImageList*& images, int& index) const override;

protected:
    int CalcWidth() override;
    void DrawContent(const TRect& r, Byte paintKind) override;
};

// Whether the group button may stand for bar: always while the manager loads, for nil and for a
// button no link shows yet; otherwise only for a bar docked as a ribbon group of the same manager
// as the toolbar holding the button's first link, when that toolbar holds no other group button
// for the bar.
bool CanPlaceGroupButton(TdxRibbonQuickAccessGroupButton* button, TdxBar* bar);
