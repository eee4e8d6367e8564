#pragma once
// The ribbon's place in the bar manager's keyboard navigation and key tips: one accessibility
// helper per navigable ribbon object (the ribbon, its tab collection, each tab, the application
// button, each tab's groups dock control, each group window), hooked into the bar manager's
// helper tree. The ribbon's helper is the navigation root of its form and the one that shows
// key tips, through the ribbon's key-tip labels.
//
// Tree: ribbon -> application button, tab collection -> tabs -> groups dock -> group windows ->
// item controls (and the quick access toolbar's window, when it has one, as the ribbon's third
// child). Arrows and Tab walk the navigation children: tab collection, application button,
// quick access toolbar.
//
// Sections: ribbon · tabs · application button · groups · routines.

#include "dxBarAccessibility.h"

class TdxCustomRibbon;
class TdxRibbonApplicationButton;
class TdxRibbonGroupBarControl;
class TdxRibbonGroupsDockControl;
class TdxRibbonTab;
class TdxRibbonTabCollection;

// ---- ribbon --------------------------------------------------------------------------------

class TdxRibbonAccessibilityHelper : public TdxBarAccessibilityHelper {
    Z_CLASS(TdxRibbonAccessibilityHelper, TdxBarAccessibilityHelper)
public:
    using TdxBarAccessibilityHelper::TdxBarAccessibilityHelper;
    TdxCustomRibbon* Ribbon() const;

    // Its labels are the ribbon's, made on the first request.
    bool GetKeyTipWindowsManager(IPtr<IdxBarKeyTipWindowsManager>& manager) override;
    TdxBarManager* GetBarManager() override;
    // The active tab while the groups show; else the application button when it shows.
    IdxBarAccessibilityHelper* GetEntryObject() override;
    String GetAssignedKeyTip() override { return String(); }
    String GetDefaultKeyTip() override { return String(); }

    TdxBarAccessibilityHelper* GetNavigationChild(int index) override;
    int GetNavigationChildCount() override { return GetChildCount(); }
    int IndexOfNavigationChild(TdxBarAccessibilityHelper* child) override;

    // The children by name (nil while the ribbon is gone or has none).
    TdxBarAccessibilityHelper* ApplicationButtonHelper();
    TdxBarAccessibilityHelper* TabCollectionHelper();
    TdxBarAccessibilityHelper* QuickAccessToolbarHelper();

protected:
    TcxAccessibilityHelper* DoGetChild(Integer index) override;
    Integer DoGetChildCount() override;
    Integer DoGetChildIndex(TcxAccessibilityHelper* child) override;
    HWND DoGetOwnerWindow() override;
    RECT DoGetScreenBounds() override;
    Integer DoGetState() override;

private:
    IPtr<IdxBarKeyTipWindowsManager> keyTipManagerRef_;
};

// ---- tabs ----------------------------------------------------------------------------------

class TdxRibbonTabCollectionAccessibilityHelper : public TdxBarAccessibilityHelper {
    Z_CLASS(TdxRibbonTabCollectionAccessibilityHelper, TdxBarAccessibilityHelper)
public:
    using TdxBarAccessibilityHelper::TdxBarAccessibilityHelper;
    TdxRibbonTabCollection* Tabs() const;

    TdxBarManager* GetBarManager() override;
    IdxBarAccessibilityHelper* GetEntryObject() override;
    String GetAssignedKeyTip() override { return String(); }
    String GetDefaultKeyTip() override { return String(); }
    // While the groups show, the active tab alone: Tab walks from it into its groups.
    TdxBarAccessibilityHelper* GetNavigationChild(int index) override;
    int GetNavigationChildCount() override;
    int IndexOfNavigationChild(TdxBarAccessibilityHelper* child) override;

protected:
    TcxAccessibilityHelper* DoGetChild(Integer index) override;
    Integer DoGetChildCount() override;
    Integer DoGetChildIndex(TcxAccessibilityHelper* child) override;
    TcxAccessibilityHelper* DoGetParentHelper() override;
    HWND DoGetOwnerWindow() override;
    RECT DoGetScreenBounds() override;
    Integer DoGetState() override;
};

class TdxRibbonTabAccessibilityHelper : public TdxBarAccessibilityHelper {
    Z_CLASS(TdxRibbonTabAccessibilityHelper, TdxBarAccessibilityHelper)
public:
    using TdxBarAccessibilityHelper::TdxBarAccessibilityHelper;
    TdxRibbonTab* Tab() const;

    TdxBarManager* GetBarManager() override;
    IdxBarAccessibilityHelper* GetEntryObject() override { return this; }
    IdxBarAccessibilityHelper* FindNeighbour(int direction) override;
    // With the groups hidden, Enter or Space shows them in the popup and selects the first.
    bool ProcessNavigationKey(Word& key) override;
    bool AcceptsNavigationKey(Word key) override;
    IdxBarAccessibilityHelper* FindNextObject(bool forward) override;
    void MakeSelected(bool byTab) override;
    void DropSelection(IdxBarAccessibilityHelper* newSelection) override;

    // The tab's KeyTip unless it begins with a digit (digits belong to the quick access toolbar).
    String GetAssignedKeyTip() override;
    String GetDefaultKeyTip() override { return L"Y"; }
    void FillKeyTipInfo(TdxBarKeyTipInfo& info) override;
    void ExecuteKeyTip() override;
    void ReturnToParentKeyTips() override;

    // The first navigable helper among the tab's groups (nil while they do not show).
    TdxBarAccessibilityHelper* FirstGroupsNavigable();

protected:
    TcxAccessibilityHelper* DoGetChild(Integer index) override;
    Integer DoGetChildCount() override;
    Integer DoGetChildIndex(TcxAccessibilityHelper* child) override;
    TcxAccessibilityHelper* DoGetParentHelper() override;
    HWND DoGetOwnerWindow() override;
    RECT DoGetScreenBounds() override;
    Integer DoGetState() override;
    bool DoCanNavigateTo() override { return IsVisibleByState(); }

private:
    TdxBarAccessibilityHelper* NavigableTabNext(bool forward);
    void ShowGroupsPopupAndSelectFirst();
};

// ---- application button --------------------------------------------------------------------

class TdxRibbonApplicationButtonAccessibilityHelper : public TdxBarAccessibilityHelper {
    Z_CLASS(TdxRibbonApplicationButtonAccessibilityHelper, TdxBarAccessibilityHelper)
public:
    using TdxBarAccessibilityHelper::TdxBarAccessibilityHelper;
    TdxRibbonApplicationButton* Button() const;

    TdxBarManager* GetBarManager() override;
    IdxBarAccessibilityHelper* GetEntryObject() override { return this; }
    IdxBarAccessibilityHelper* FindNeighbour(int direction) override;
    bool ProcessNavigationKey(Word& key) override;
    bool AcceptsNavigationKey(Word key) override;
    void MakeSelected(bool byTab) override;
    void DropSelection(IdxBarAccessibilityHelper* newSelection) override;

    String GetAssignedKeyTip() override;
    String GetDefaultKeyTip() override { return L"F"; }
    void FillKeyTipInfo(TdxBarKeyTipInfo& info) override;
    void ExecuteKeyTip() override;

protected:
    TcxAccessibilityHelper* DoGetParentHelper() override;
    HWND DoGetOwnerWindow() override;
    RECT DoGetScreenBounds() override;
    Integer DoGetState() override;
    bool DoCanNavigateTo() override { return IsVisibleByState(); }

private:
    void OpenApplicationMenu();
    void InvalidateButton();
};

// ---- groups --------------------------------------------------------------------------------

class TdxRibbonGroupsDockControlAccessibilityHelper : public TdxBarAccessibilityHelper {
    Z_CLASS(TdxRibbonGroupsDockControlAccessibilityHelper, TdxBarAccessibilityHelper)
public:
    using TdxBarAccessibilityHelper::TdxBarAccessibilityHelper;
    TdxRibbonGroupsDockControl* DockControl() const;
    // Inside the minimized ribbon's popup.
    bool IsInGroupsPopup();

    TdxBarManager* GetBarManager() override;
    IdxBarAccessibilityHelper* GetEntryObject() override;
    String GetAssignedKeyTip() override { return String(); }
    String GetDefaultKeyTip() override { return String(); }
    // In the popup the tab's key tips lie above it.
    TdxBarAccessibilityHelper* GetKeyTipParent() override;

protected:
    TcxAccessibilityHelper* DoGetChild(Integer index) override;
    Integer DoGetChildCount() override;
    Integer DoGetChildIndex(TcxAccessibilityHelper* child) override;
    TcxAccessibilityHelper* DoGetParentHelper() override;
    HWND DoGetOwnerWindow() override;
    RECT DoGetScreenBounds() override;
    Integer DoGetState() override;
};

class TdxRibbonGroupBarControlAccessibilityHelper : public TCustomdxBarControlAccessibilityHelper {
    Z_CLASS(TdxRibbonGroupBarControlAccessibilityHelper, TCustomdxBarControlAccessibilityHelper)
public:
    using TCustomdxBarControlAccessibilityHelper::TCustomdxBarControlAccessibilityHelper;
    TdxRibbonGroupBarControl* GroupWindow() const;
    TdxRibbonGroupsDockControlAccessibilityHelper* DockHelper();

    TdxBarManager* GetBarManager() override;
    IdxBarAccessibilityHelper* GetEntryObject() override { return this; }
    TCustomdxBarControl* GetBarControl() override;
    IdxBarAccessibilityHelper* FindNeighbour(int direction) override;
    // Escape in the minimized ribbon's popup closes it and goes back to the tab.
    bool ProcessNavigationKey(Word& key) override;
    bool AcceptsNavigationKey(Word key) override;
    void MakeSelected(bool byTab) override;
    void DropSelection(IdxBarAccessibilityHelper* newSelection) override;

    // The group's bar's KeyTip; else "Z" and the caption's first character.
    String GetAssignedKeyTip() override;
    String GetDefaultKeyTip() override;
    void FillKeyTipInfo(TdxBarKeyTipInfo& info) override;
    // Raises EdxException (empty) for a group that is not collapsed.
    TCustomdxBarControlAccessibilityHelper* ExpandAndGetHelper() override;
    // On the row's base line: centred on the image of a control showing one, else on the control.
    void GetItemKeyTipPosition(TdxBarItemControl* control, TPoint& anchor, Byte& horizontalAlignment,
                               Byte& verticalAlignment) override;
    // The nearest control in the direction among the tab's groups (a collapsed group counts as
    // one); up past the top reaches the active tab.
    TdxBarAccessibilityHelper* FindItemNeighbour(TdxBarItemControl* control, int direction) override;
    bool IsCollapsed() override;

    // Key-tip base lines in screen coordinates: rows 0 to 2 (client top, halfway, the caption
    // band's top) and the bottom line (window height - 2). EdxException (empty) for a hidden or
    // windowless group or a row outside 0 to 2.
    int GetRowBaseLine(int row);
    int GetBottomBaseLine();
    // The group's caption: the caption of the bar whose links it shows.
    String GetGroupCaption();

protected:
    // The controls of the group's shown links, in order (a pass of the tab's layout may leave
    // the window's own item list empty while the links keep their controls).
    TcxAccessibilityHelper* DoGetChild(Integer index) override;
    Integer DoGetChildCount() override;
    Integer DoGetChildIndex(TcxAccessibilityHelper* child) override;
    TcxAccessibilityHelper* DoGetParentHelper() override;
    bool DoCanNavigateTo() override;

private:
    TdxBarAccessibilityHelper* FindFrom(const RECT& bounds, TdxBarAccessibilityHelper* from, int direction);
};

// ---- routines ------------------------------------------------------------------------------

// The ribbon's helpers become the navigation root of their forms (the previous lookup keeps
// answering for other windows).
void RegisterRibbonRootHelperLookup();
void UnregisterRibbonRootHelperLookup();
