#pragma once
// The quick access toolbar in the keyboard navigation and key tips: the toolbar window's helper
// (a child of the ribbon's helper; its children are the item controls, then the mark) and the
// mark's helper. The toolbar's items get positional key tips ("1" to "9", "09" to "01", "0A" to
// "0Z"), so that an item keeps its key tip whether it fits on the toolbar or not; the mark shows
// "00" while items are cut off.

#include "dxBarAccessibility.h"

class TdxCustomRibbon;
class TdxRibbonQuickAccessBarControl;

class TdxRibbonQuickAccessBarControlAccessibilityHelper : public TdxBarPlainControlAccessibilityHelper {
    Z_CLASS(TdxRibbonQuickAccessBarControlAccessibilityHelper, TdxBarPlainControlAccessibilityHelper)
public:
    using TdxBarPlainControlAccessibilityHelper::TdxBarPlainControlAccessibilityHelper;
    TdxRibbonQuickAccessBarControl* ToolbarWindow() const;

    String GetAssignedKeyTip() override { return String(); }
    String GetDefaultKeyTip() override { return String(); }
    // The shown links' key tips numbered by position (those cut off collected hidden), then the
    // mark's while items are cut off.
    void CollectChildKeyTips(TdxBarKeyTipDataList& list) override;
    // The centre of the control, the label's left edge there.
    void GetItemKeyTipPosition(TdxBarItemControl* control, TPoint& anchor, Byte& horizontalAlignment,
                               Byte& verticalAlignment) override;
    // The mark's helper (nil while the window has no mark).
    TdxBarAccessibilityHelper* MarkHelper();

protected:
    TcxAccessibilityHelper* DoGetChild(Integer index) override;
    Integer DoGetChildCount() override;
    Integer DoGetChildIndex(TcxAccessibilityHelper* child) override;
    TcxAccessibilityHelper* DoGetParentHelper() override;
};

class TdxRibbonQuickAccessBarControlMarkAccessibilityHelper : public TdxBarAccessibilityHelper {
    Z_CLASS(TdxRibbonQuickAccessBarControlMarkAccessibilityHelper, TdxBarAccessibilityHelper)
public:
    using TdxBarAccessibilityHelper::TdxBarAccessibilityHelper;
    TdxRibbonQuickAccessBarControl* ToolbarWindow() const;

    TdxBarManager* GetBarManager() override;
    IdxBarAccessibilityHelper* GetEntryObject() override { return this; }
    // Enter and Space open the mark's menu.
    bool ProcessNavigationKey(Word& key) override;
    bool AcceptsNavigationKey(Word key) override;
    String GetAssignedKeyTip() override { return String(); }
    // "00" while items are cut off, none otherwise.
    String GetDefaultKeyTip() override;
    String GetKeyTipText() override { return GetDefaultKeyTip(); }
    // The centre of the mark, the label's top there.
    void FillKeyTipInfo(TdxBarKeyTipInfo& info) override;
    // Leaves keyboard mode and opens the mark's menu.
    void ExecuteKeyTip() override;

protected:
    TcxAccessibilityHelper* DoGetParentHelper() override;
    HWND DoGetOwnerWindow() override;
    RECT DoGetScreenBounds() override;
    Integer DoGetState() override;
    bool DoCanNavigateTo() override { return IsVisibleByState(); }
};
