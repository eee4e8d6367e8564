#pragma once
// The accessibility helpers of the bar objects: one helper per bar window and per item control
// (docks, toolbars, marks and caption buttons add theirs), forming a tree that mirrors the bar
// objects. Keyboard navigation moves the selection and collects key tips only through this tree
// and IdxBarAccessibilityHelper; the ribbon derives its own helpers from these classes.
//
// Lifetime: an owner makes its helper on the first request (ObtainAccessibilityHelper) and holds
// it through IPtr; the navigation controller may hold it too. When the owner goes it calls
// ReleaseAccessibilityHelper, which marks the owner gone (the controller forgets the helper) and
// drops the owner's reference. A helper whose owner is gone answers as a hidden element and
// never reaches its owner again.
//
// Navigation directions: 0 left, 1 up, 2 right, 3 down. Abstract operations raise EdxException
// with an empty text.
//
// Sections: key-tip records · interface · base helper · bar window helper · item control helpers
// · routines.

#include <memory>
#include <vector>

#include "Interfaces.h"
#include "SysTypes.h"
#include "cxAccessibility.h"
#include "dxBarForward.h"

class TdxBarAccessibilityHelper;
class TCustomdxBarControlAccessibilityHelper;
class TdxBarControl;
class TdxBarItemControl;
class TdxBarSubMenuControl;

// ---- Key-tip records ----------------------------------------------------------------------

// The labels of key tips, made by whatever shows them (the ribbon). Window is an opaque label.
struct IdxBarKeyTipWindowsManager : virtual IInterface {
    // Alignments: horizontal 0 right edge at the anchor, 1 left edge, 2 centred; vertical 0
    // bottom edge at the anchor, 1 top edge, 2 centred.
    virtual void AddWindow(const String& text, const TPoint& anchor, Byte horizontalAlignment,
                           Byte verticalAlignment, bool enabled, TObject*& window) = 0;
    virtual void RemoveWindow(TObject* window) = 0;
    // Brings all labels on screen together, after a batch of additions and removals.
    virtual void ShowWindows() = 0;
};

// What an element runs when its key tip is typed in full: a method of its helper, which the
// record keeps alive. Nothing runs once the helper's owner is gone.
struct TdxBarKeyTipHandler {
    IPtr<TdxBarAccessibilityHelper> object;
    void (TdxBarAccessibilityHelper::*method)() = nullptr;
    explicit operator bool() const { return object && method; }
    void Run() const;
};

struct TdxBarKeyTipInfo {
    String Text;
    TPoint Anchor{};
    Byte HorizontalAlignment = 0;
    Byte VerticalAlignment = 0;
    // An invisible entry gets no label but still takes part in matching.
    bool IsVisible = false;
    bool IsEnabled = false;
    TdxBarKeyTipHandler ExecuteHandler;
};

// One collected key tip and the label showing it (nil while there is none). Freeing it does not
// remove the label: the controller hides the labels first.
class TdxBarKeyTipData {
public:
    explicit TdxBarKeyTipData(const TdxBarKeyTipInfo& info) : Info(info) {}
    TdxBarKeyTipInfo Info;
    TObject* KeyTipWindow = nullptr;
    String GetUpperKeyTip() const;
    // Adds a label only when there is none.
    void ShowWindow(IdxBarKeyTipWindowsManager* manager);
    void HideWindow(IdxBarKeyTipWindowsManager* manager);
};

// An owning list of key-tip data in collection order.
using TdxBarKeyTipDataList = std::vector<std::unique_ptr<TdxBarKeyTipData>>;

// ---- Interface ----------------------------------------------------------------------------

// What the navigation controller sees of a bar element. Every implementation in this system is
// a TdxBarAccessibilityHelper (GetBarHelper).
struct IdxBarAccessibilityHelper : virtual IInterface {
    virtual TcxAccessibilityHelper* GetHelper() = 0;
    virtual void MarkOwnerDestroyed() = 0;
    virtual bool GetKeyTipWindowsManager(IPtr<IdxBarKeyTipWindowsManager>& manager) = 0;
    virtual bool AllowsChildNavigation(Word key) = 0;
    virtual TdxBarAccessibilityHelper* GetBarHelper() = 0;
    virtual TdxBarManager* GetBarManager() = 0;
    virtual IdxBarAccessibilityHelper* GetEntryObject() = 0;
    virtual IdxBarAccessibilityHelper* FindNeighbour(int direction) = 0;
    virtual IdxBarAccessibilityHelper* GetRootHelperInterface() = 0;
    virtual bool ProcessNavigationKey(Word& key) = 0;
    virtual bool AcceptsNavigationKey(Word key) = 0;
    virtual bool IsNavigationSelected() = 0;
    virtual IdxBarAccessibilityHelper* FindNextObject(bool forward) = 0;
    virtual void MakeSelected(bool byTab) = 0;
    virtual void DropSelection(IdxBarAccessibilityHelper* newSelection) = 0;
};

// ---- Base helper --------------------------------------------------------------------------

class TdxBarAccessibilityHelper : public TcxAccessibilityHelper, public IdxBarAccessibilityHelper {
    Z_CLASS(TdxBarAccessibilityHelper, TcxAccessibilityHelper)
public:
    using TcxAccessibilityHelper::TcxAccessibilityHelper;

    // IdxBarAccessibilityHelper
    TcxAccessibilityHelper* GetHelper() override { return this; }
    // The owner is gone: the navigation controller forgets this helper.
    void MarkOwnerDestroyed() override;
    // The key-tip parent's manager; false without one (a root that shows key tips overrides it).
    bool GetKeyTipWindowsManager(IPtr<IdxBarKeyTipWindowsManager>& manager) override;
    bool AllowsChildNavigation(Word /*key*/) override { return true; }
    TdxBarAccessibilityHelper* GetBarHelper() override { return this; }
    TdxBarManager* GetBarManager() override;            // abstract
    IdxBarAccessibilityHelper* GetEntryObject() override;  // abstract
    // The nearest navigable helper in the direction in the whole tree, wrapping left and right.
    IdxBarAccessibilityHelper* FindNeighbour(int direction) override;
    IdxBarAccessibilityHelper* GetRootHelperInterface() override;
    bool ProcessNavigationKey(Word& /*key*/) override { return false; }
    bool AcceptsNavigationKey(Word /*key*/) override { return false; }
    bool IsNavigationSelected() override;
    // Tab order: the next navigable helper after this one, climbing and wrapping at the root.
    IdxBarAccessibilityHelper* FindNextObject(bool forward) override;
    void MakeSelected(bool byTab) override;
    void DropSelection(IdxBarAccessibilityHelper* newSelection) override;

    // A hidden or gone element has no children, no parent, no bounds and is never navigable:
    // the typed operations below run only while the owner lives.
    TcxAccessibilityHelper* GetChild(Integer index) override;
    Integer GetChildCount() override;
    Integer GetChildIndex(TcxAccessibilityHelper* child) override;
    TcxAccessibilityHelper* GetParentHelper() override;
    HWND GetOwnerObjectWindow() override;
    RECT GetScreenBounds(Integer elementId) override;
    Integer GetState(Integer elementId) override;
    bool CanNavigateTo() override;

    // -- key tips
    virtual String GetAssignedKeyTip();  // abstract
    virtual String GetDefaultKeyTip();   // abstract
    // The assigned key tip, else the default one, cut to 3 characters.
    virtual String GetKeyTipText();
    std::unique_ptr<TdxBarKeyTipData> CreateKeyTipData();
    virtual void FillKeyTipInfo(TdxBarKeyTipInfo& info);
    void AddKeyTipData(TdxBarKeyTipDataList& list);
    // The navigable children's key tips, the other children searched alike; nothing when hidden.
    virtual void CollectChildKeyTips(TdxBarKeyTipDataList& list);
    virtual TdxBarAccessibilityHelper* GetKeyTipParent() { return GetParentBarHelper(); }
    virtual bool IsKeyTipContainer() { return CanNavigateTo(); }
    virtual void ExecuteKeyTip() {}
    // Back to the key tips of the container above, or out of keyboard mode.
    virtual void ReturnToParentKeyTips();

    // -- navigation children (the children by default)
    virtual TdxBarAccessibilityHelper* GetNavigationChild(int index) { return GetChildBarHelper(index); }
    virtual int GetNavigationChildCount() { return GetChildCount(); }
    virtual int IndexOfNavigationChild(TdxBarAccessibilityHelper* child) { return GetChildIndex(child); }

    // -- searches
    // Nil when hidden; itself when navigable; else the first navigable helper below it.
    TdxBarAccessibilityHelper* FindFirstNavigable();
    // Depth first from start, skipping exclude and hidden subtrees, the navigable helpers in the
    // direction's band of the bounds.
    void CollectCandidates(TdxBarAccessibilityHelper* exclude, TdxBarAccessibilityHelper* start,
                           std::vector<TcxAccessibilityHelper*>& list, int direction, const RECT& bounds);
    TdxBarAccessibilityHelper* FindNavigableSibling(int index, bool forward);
    static TdxBarAccessibilityHelper* FindNavigableDescendant(TdxBarAccessibilityHelper* helper, bool forward);
    TdxBarAccessibilityHelper* GetChildBarHelper(int index);
    TdxBarAccessibilityHelper* GetParentBarHelper();
    // The helper of the link's control; nil for no link or no control.
    static TdxBarAccessibilityHelper* GetLinkHelper(TdxBarItemLink* link);

protected:
    // The owner's side of the element; called only while the owner lives.
    virtual TcxAccessibilityHelper* DoGetChild(Integer /*index*/) { return nullptr; }
    virtual Integer DoGetChildCount() { return 0; }
    virtual Integer DoGetChildIndex(TcxAccessibilityHelper* /*child*/) { return -1; }
    virtual TcxAccessibilityHelper* DoGetParentHelper() { return nullptr; }
    virtual HWND DoGetOwnerWindow() { return nullptr; }
    virtual RECT DoGetScreenBounds() { return RECT{}; }
    virtual Integer DoGetState() { return 0; }
    virtual bool DoCanNavigateTo() { return false; }
    bool IsInDirectionBand(TdxBarAccessibilityHelper* node, int direction, const RECT& bounds);
};

// ---- Bar window helper --------------------------------------------------------------------

// The helper of a bar window (toolbar or menu): its children are the item controls in view-info
// order. The window's kind gives the manager, the entry object and the bar window itself.
class TCustomdxBarControlAccessibilityHelper : public TdxBarAccessibilityHelper {
    Z_CLASS(TCustomdxBarControlAccessibilityHelper, TdxBarAccessibilityHelper)
public:
    using TdxBarAccessibilityHelper::TdxBarAccessibilityHelper;

    TCustomdxBarControl* OwnerBarControl() const;
    // False while the selected control is an edit whose editor has the focus.
    bool AllowsChildNavigation(Word key) override;
    // Shows the bar's controls expanded and gives the helper of the window that holds them.
    virtual TCustomdxBarControlAccessibilityHelper* ExpandAndGetHelper();  // abstract
    virtual TCustomdxBarControl* GetBarControl();                          // abstract
    // The centre of the control's screen bounds, centred both ways.
    virtual void GetItemKeyTipPosition(TdxBarItemControl* control, TPoint& anchor, Byte& horizontalAlignment,
                                       Byte& verticalAlignment);
    // The nearest navigable control in the direction inside this window, without wrapping.
    virtual TdxBarAccessibilityHelper* FindItemNeighbour(TdxBarItemControl* control, int direction);
    virtual bool IsCollapsed() { return false; }
    // The selection left the window's controls for another window's.
    virtual void ItemUnselected();

protected:
    TcxAccessibilityHelper* DoGetChild(Integer index) override;
    Integer DoGetChildCount() override;
    Integer DoGetChildIndex(TcxAccessibilityHelper* child) override;
    HWND DoGetOwnerWindow() override;
    RECT DoGetScreenBounds() override;
    Integer DoGetState() override;
};

// The helper of a bar window that names no helper class of its own: the window is its own
// manager's, its own entry, and takes the navigation keys offered to it with its own key
// handling (so its selection moves as its keys move it).
class TdxBarPlainControlAccessibilityHelper : public TCustomdxBarControlAccessibilityHelper {
    Z_CLASS(TdxBarPlainControlAccessibilityHelper, TCustomdxBarControlAccessibilityHelper)
public:
    using TCustomdxBarControlAccessibilityHelper::TCustomdxBarControlAccessibilityHelper;
    TdxBarManager* GetBarManager() override;
    IdxBarAccessibilityHelper* GetEntryObject() override { return this; }
    TCustomdxBarControl* GetBarControl() override;
    bool ProcessNavigationKey(Word& key) override;
};

// The helper of a toolbar window. A docked toolbar hangs below its dock's helper; a floating one
// is a root. Along the bar the arrows follow the link order round the bar, across it the nearest
// control in the window; on a bar docked at the left or right the arrows turn with it.
class TdxBarControlAccessibilityHelper : public TCustomdxBarControlAccessibilityHelper {
    Z_CLASS(TdxBarControlAccessibilityHelper, TCustomdxBarControlAccessibilityHelper)
public:
    using TCustomdxBarControlAccessibilityHelper::TCustomdxBarControlAccessibilityHelper;
    TdxBarControl* GetToolbarControl() const;
    TdxBar* GetBar() const;
    TdxBarManager* GetBarManager() override;
    IdxBarAccessibilityHelper* GetEntryObject() override { return this; }
    // On a vertical bar the selected control gets the arrow turned to the bar (a sub item opens
    // its menu with Left or Right there).
    bool ProcessNavigationKey(Word& key) override;
    // The window becomes the active bar window with nothing selected.
    void MakeSelected(bool byTab) override;
    // Also closes the window's menu chain.
    void DropSelection(IdxBarAccessibilityHelper* newSelection) override;
    TCustomdxBarControl* GetBarControl() override;
    virtual void GetCaptionButtonKeyTipPosition(int button, int& y, Byte& verticalAlignment);  // abstract
    TdxBarAccessibilityHelper* FindItemNeighbour(TdxBarItemControl* control, int direction) override;

protected:
    TcxAccessibilityHelper* DoGetParentHelper() override;
};

// The helper of a dock: its children are the toolbar windows of its rows, row by row. A dock is
// a root and never navigable itself.
class TdxDockControlAccessibilityHelper : public TdxBarAccessibilityHelper {
    Z_CLASS(TdxDockControlAccessibilityHelper, TdxBarAccessibilityHelper)
public:
    using TdxBarAccessibilityHelper::TdxBarAccessibilityHelper;
    TdxDockControl* GetDockControl() const;
    TdxBarManager* GetBarManager() override;

protected:
    TcxAccessibilityHelper* DoGetChild(Integer index) override;
    Integer DoGetChildCount() override;
    Integer DoGetChildIndex(TcxAccessibilityHelper* child) override;
    HWND DoGetOwnerWindow() override;
    RECT DoGetScreenBounds() override;
    Integer DoGetState() override;
};

// The helper of a menu window (sub menus, drop-down menus, popup menus). A menu is a root of
// navigation and a container of key tips, whose key-tip parent is the control that opened it;
// the labels lie right of the glyph column. Every key offered to a menu is its: the window's own
// key handling moves the selection within the menu and across the menu chain.
class TdxBarSubMenuControlAccessibilityHelper : public TCustomdxBarControlAccessibilityHelper {
    Z_CLASS(TdxBarSubMenuControlAccessibilityHelper, TCustomdxBarControlAccessibilityHelper)
public:
    using TCustomdxBarControlAccessibilityHelper::TCustomdxBarControlAccessibilityHelper;
    TdxBarSubMenuControl* GetSubMenuControl() const;
    TdxBarManager* GetBarManager() override;
    bool ProcessNavigationKey(Word& key) override;
    TCustomdxBarControl* GetBarControl() override;
    void GetItemKeyTipPosition(TdxBarItemControl* control, TPoint& anchor, Byte& horizontalAlignment,
                               Byte& verticalAlignment) override;
    // The next (or previous) navigable link after the given one, round the menu; the first
    // navigable link without one.
    TdxBarItemLink* GetAdjacentLink(TdxBarItemLink* link, bool forward);
    TdxBarAccessibilityHelper* GetKeyTipParent() override;
    bool IsKeyTipContainer() override { return true; }
    // The menu closes and the key tips of the container that opened it come back.
    void ReturnToParentKeyTips() override;
    void ItemUnselected() override;
};

// ---- Item control helpers -----------------------------------------------------------------

class TdxBarItemControlAccessibilityHelper : public TdxBarAccessibilityHelper {
    Z_CLASS(TdxBarItemControlAccessibilityHelper, TdxBarAccessibilityHelper)
public:
    using TdxBarAccessibilityHelper::TdxBarAccessibilityHelper;

    TdxBarItemControl* GetItemControl() const;
    TdxBarManager* GetBarManager() override;
    IdxBarAccessibilityHelper* FindNeighbour(int direction) override;
    // Keys the control leaves to its window are taken as its window takes them.
    bool ProcessNavigationKey(Word& key) override;
    bool AcceptsNavigationKey(Word key) override;
    // Selects the control in its window; a windowed control starts its editor when reached by
    // Tab or when the window keeps no selection on an edit's Escape.
    void MakeSelected(bool byTab) override;
    void DropSelection(IdxBarAccessibilityHelper* newSelection) override;
    String GetAssignedKeyTip() override;
    // The letter of a Ctrl+letter shortcut, else the caption's accelerator, else "Y".
    String GetDefaultKeyTip() override;
    void FillKeyTipInfo(TdxBarKeyTipInfo& info) override;
    virtual bool NeedsExpandedParent() { return false; }
    // A hidden control's key tip: the control at the same place of the expanded bar executes.
    void ExecuteViaExpandedParent();
    TCustomdxBarControlAccessibilityHelper* GetBarControlHelper();

protected:
    HWND DoGetOwnerWindow() override;
    TcxAccessibilityHelper* DoGetParentHelper() override;
    RECT DoGetScreenBounds() override;
    Integer DoGetState() override;
    bool DoCanNavigateTo() override;
};

class TdxBarButtonLikeControlAccessibilityHelper : public TdxBarItemControlAccessibilityHelper {
    Z_CLASS(TdxBarButtonLikeControlAccessibilityHelper, TdxBarItemControlAccessibilityHelper)
public:
    using TdxBarItemControlAccessibilityHelper::TdxBarItemControlAccessibilityHelper;
    bool NeedsExpandedParent() override { return HasDropDownPart(); }
    void ExecuteKeyTip() override;
    // Leaves keyboard mode and clicks the control (the item stays clicked meanwhile).
    virtual void ExecuteClick();
    // Selects the control, opens its drop-down and shows the key tips of the opened menu.
    void DropDownByKeyTip();
    virtual bool HasDropDownPart() { return false; }
    virtual bool OpenDropDown();  // abstract
};

class TdxBarButtonControlAccessibilityHelper : public TdxBarButtonLikeControlAccessibilityHelper {
    Z_CLASS(TdxBarButtonControlAccessibilityHelper, TdxBarButtonLikeControlAccessibilityHelper)
public:
    using TdxBarButtonLikeControlAccessibilityHelper::TdxBarButtonLikeControlAccessibilityHelper;
    bool HasDropDownPart() override;
    bool OpenDropDown() override;
};

// Sub items and container items: always a drop-down; opening marks the bar window downed.
class TdxBarSubItemControlAccessibilityHelper : public TdxBarButtonLikeControlAccessibilityHelper {
    Z_CLASS(TdxBarSubItemControlAccessibilityHelper, TdxBarButtonLikeControlAccessibilityHelper)
public:
    using TdxBarButtonLikeControlAccessibilityHelper::TdxBarButtonLikeControlAccessibilityHelper;
    bool HasDropDownPart() override { return true; }
    bool OpenDropDown() override;
};

// Edits and combos.
class TdxBarWinControlAccessibilityHelper : public TdxBarItemControlAccessibilityHelper {
    Z_CLASS(TdxBarWinControlAccessibilityHelper, TdxBarItemControlAccessibilityHelper)
public:
    using TdxBarItemControlAccessibilityHelper::TdxBarItemControlAccessibilityHelper;
    bool NeedsExpandedParent() override { return true; }
    // Leaves keyboard mode, then selects the control, which starts its editor.
    void ExecuteKeyTip() override;
};

// ---- Routines -----------------------------------------------------------------------------

// Marks the helper's owner gone and drops the reference.
void ReleaseAccessibilityHelper(IPtr<TdxBarAccessibilityHelper>& helper);
// The bar helper behind an interface; nil for nil.
TdxBarAccessibilityHelper* GetHelperObject(IdxBarAccessibilityHelper* helper);
// Climbs the key-tip parents until one is a key-tip container or has no parent; nil when the
// helper has no key-tip parent at all.
TdxBarAccessibilityHelper* FindKeyTipContainer(TdxBarAccessibilityHelper* helper);
void EscapeToParentKeyTips(IdxBarAccessibilityHelper* container);
// The helper at the root of a window's navigation: the installed lookup's answer (the ribbon's,
// or a test root), else nil until toolbars give a main menu bar.
using TdxBarRootHelperLookup = IdxBarAccessibilityHelper* (*)(HWND window);
// Answers the lookup installed before.
TdxBarRootHelperLookup SetWindowRootHelperLookup(TdxBarRootHelperLookup lookup);
IdxBarAccessibilityHelper* GetWindowRootHelper(HWND window);
