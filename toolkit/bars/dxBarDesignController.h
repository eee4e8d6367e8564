#pragma once
// TdxBarDesignController: the one process-wide object that serves the selection of bar objects
// while the user customizes (or a form designer edits) the bars. It keeps the last selected
// object, applies selection operations, deletes the selection and selects its parent, and
// builds, shows and runs the customizing popup of a link. It also keeps the internal items of
// the popups it builds (bar items that live for one popup, outside the manager's item list) and
// the registries of bar-window design helpers and bar-control editors.
//
// Sections: design helpers · the controller (selection, deleting, internal items, customizing
// popup, registries) · the instance.
//
// Everything runs on the interface thread. Design state 0 is set while a modal mouse loop runs
// (a link or toolbar drag, a sub-menu loop); the keyboard hook then handles no keys.

#include <functional>
#include <vector>

#include "Lists.h"
#include "cxComponent.h"
#include "cxDesignController.h"
#include "dxBarComponent.h"
#include "dxBarForward.h"

class TComponentList;
class TdxBarCustomizingPopup;
class TdxBarControlEditor;
class TdxBarItemLinks;
class TdxBarPainter;
class TCustomdxBarControl;

// The customizing commands, one bit each in a command set: reset, delete, delete item, delete
// link, caption, paint styles, position, view levels, button group, distributed, begin a group,
// visible, most recently used. Bits 13 to 15 carry no command.
enum : Byte {
    dxBarCmdReset = 0,
    dxBarCmdDelete,
    dxBarCmdDeleteItem,
    dxBarCmdDeleteLink,
    dxBarCmdCaption,
    dxBarCmdPaintStyle,
    dxBarCmdPosition,
    dxBarCmdViewLevels,
    dxBarCmdButtonGroup,
    dxBarCmdDistributed,
    dxBarCmdBeginGroup,
    dxBarCmdVisible,
    dxBarCmdMostRecentlyUsed,
    dxBarCmdCount
};
constexpr Word dxBarCommandBit(Byte kind) { return Word(1u << kind); }

// The design-state flag set while a modal mouse loop runs.
constexpr Byte dxBarDesignStateModalLoop = 0;

// ---- Design helpers -------------------------------------------------------------------------

// What a kind of bar window offers in its customizing popup: which commands it leaves out and
// which editors add entries. Used through one stateless object per class (Instance()), passed
// where the class would go.
class TCustomdxBarControlDesignHelper {
public:
    virtual ~TCustomdxBarControlDesignHelper() = default;
    static const TCustomdxBarControlDesignHelper* Instance();
    // Without an own rule: paint styles, position, view levels, button group, distributed and
    // most recently used are left out (0x13E0).
    virtual Word GetExcludedCommands() const { return 0x13E0; }
    void ExcludeCommands(Word& commands) const { commands = Word(commands & ~GetExcludedCommands()); }
    // Appends the controller's registered editors, in registration order.
    virtual void GetEditors(std::vector<const TdxBarControlEditor*>& list) const;
};

// Toolbar windows offer the paint styles.
class TdxBarControlDesignHelper : public TCustomdxBarControlDesignHelper {
public:
    static const TdxBarControlDesignHelper* Instance();
    Word GetExcludedCommands() const override { return 0x13C0; }
};

// Menu windows offer most recently used.
class TdxBarSubMenuControlDesignHelper : public TCustomdxBarControlDesignHelper {
public:
    static const TdxBarSubMenuControlDesignHelper* Instance();
    Word GetExcludedCommands() const override { return 0x03E0; }
    // The registered editors, then the add-separator editor (separators belong in menus).
    void GetEditors(std::vector<const TdxBarControlEditor*>& list) const override;
};

// ---- The controller -------------------------------------------------------------------------

// Fills the links of a customizing popup; fillOwner is what the caller passed along.
using TdxBarFillCustomizingPopupProc = std::function<void(TObject* fillOwner, TdxBarItemLinks* links)>;

class TdxBarDesignController : public TcxDesignController {
    Z_CLASS(TdxBarDesignController, TcxDesignController)
public:
    TdxBarDesignController();
    ~TdxBarDesignController() override;

    // -- design states
    bool HasDesignState(Byte state) const { return (designStates_ & (1u << state)) != 0; }
    void SetDesignState(Byte state, bool value);

    // -- selection
    // SelectInDesigner of the item, then operations 0 and 2 make it the last selected object
    // and operation 1 rechecks the last selected one.
    void ApplySelection(IdxBarSelectableItem* item, Integer operation);
    // ApplySelection for an object that is selectable, else the customizing manager's designer.
    void SelectPersistent(TObject* object, Integer operation);
    void StoreLastSelected(IdxBarSelectableItem* item);
    // Drops the last selected object when it is no longer selected or the application is not
    // active.
    void RecheckLastSelected();
    // The object (a link being freed, a freed component) leaves the controller.
    void ForgetSelectedItem(IdxBarSelectableItem* item);
    IdxBarSelectableItem* LastSelected() const { return lastSelected_; }
    bool IsLastSelected(IdxBarSelectableItem* item) const { return item && item == lastSelected_; }
    bool IsCustomizingPopupShown() const { return customizingPopup_ != nullptr; }
    bool IsCustomizingTarget(IdxBarSelectableItem* item) const;
    bool HasCustomizingLink() const { return IsCustomizingPopupShown() && customizingLink_; }
    bool HasSingleSelection(TdxBarManager* manager) const;
    bool HasMultiLinkSelection(TdxBarManager* manager) const;
    // True: the selection frame is drawn in the window-text colour; false: as a focus rectangle.
    bool UsesFrameSelectionLook(IdxBarSelectableItem* item) const;

    // -- deleting and the parent
    // Answers whether something was selected for deletion (and, at run time, whether a link
    // was freed).
    bool DeleteSelection(bool destruction, bool keyboardAction);
    bool SelectParent();
    bool HasDeletableSelection();
    void FreeCustomizingItem();
    void FreeCustomizingItemLink();
    void UpdateCustomizingManager();
    bool CanProcessSelection(TdxBarManager* manager, bool keyboardAction) const;
    // The manager's selected objects that are selectable, in selection order.
    void GetSelectedObjects(TdxBarManager* manager, TList* list) const;

    // -- what the current operation works on
    TdxBarManager* CustomizingManager() const { return customizingManager_; }
    void SetCustomizingManager(TdxBarManager* manager) { customizingManager_ = manager; }
    TdxBarItemLink* CustomizingLink() const { return customizingLink_; }
    void SetCustomizingLink(TdxBarItemLink* link) { customizingLink_ = link; }
    TdxBarItemLinks* CustomizingLinks() const { return customizingLinks_; }
    TCustomdxBarControl* CustomizingBarControl() const { return customizingBarControl_; }
    TdxBarCustomizingPopup* CustomizingPopup() const { return customizingPopup_; }

    // -- internal items
    // A new link in links whose item is a new internal item of the class.
    TdxBarItemLink* AddInternalItem(TdxBarItemLinks* links, TClass itemClass, bool beginGroup, NativeInt tag,
                                    const TNotifyEvent& onClick, const String& caption);
    // Moves the item into the list (the internal item list when nil), out of its manager's.
    void AddToInternalItems(TdxBarItem* item, TComponentList* list = nullptr);
    static void RemoveFromManagerItems(TdxBarItem* item);
    // Frees every internal item, and with them their links.
    void ClearInternalItems();
    // Frees the items of the links, one at a time, until no link is left.
    static void FreeLinkItems(TdxBarItemLinks* links);
    TComponentList* InternalItems() const { return internalItems_; }
    // The Customize command, when the links' manager may be customized; enabled while no
    // Customize dialog is open.
    void AddCustomizeCommand(TdxBarItemLinks* links, TClass itemClass, bool beginGroup);
    void OpenCustomizing(TObject* sender);
    // A new item of the class, owned by the manager's owner, named and captioned as new items
    // are, linked in the customizing links right after the customizing link. Answers its link.
    TdxBarItemLink* AddNewItemForCustomizing(TClass itemClass);

    // -- the toolbars popup
    // Shows the toolbars popup at the cursor (nothing when it ends up empty).
    void ShowToolbarsPopup(TdxBarManager* manager, TdxBarPainter* painter);
    // Fills links with the closable toolbars of the links' manager and the Customize command.
    void FillToolbarsPopup(TdxBarItemLinks* links);
    void ToggleBarVisible(TObject* sender);
    // The manager that the last popup served.
    TdxBarManager* ServedManager() const { return customizingManager_; }

    // -- the customizing popup
    void ShowCustomizingPopup(TdxBarManager* manager, TdxBarPainter* painter, TdxBarItemLink* link,
                              TCustomdxBarControl* barControl, const TdxBarFillCustomizingPopupProc& fill,
                              TObject* fillOwner);
    void ShowLinkCustomizingPopup(TCustomdxBarControl* barControl, TdxBarItemLink* link);
    void FillCustomizingPopup(TdxBarItemLinks* links);
    // The customizing link's command set after the design helper's exclusions.
    Word GetSupportedCommands();
    void ExecuteCommand(TObject* sender);
    void ApplyCommandToSelection(Byte kind);
    // value: 0-3 toggle a level, 4 all levels, 5-8 one level only; levelLinks: the entries to sync.
    void ApplyViewLevels(int value, TdxBarItemLinks* levelLinks = nullptr);
    void ApplyButtonGroup(int value);
    void GroupSelectedLinks(bool group);
    void ApplyCaption(TObject* sender);
    void KeepCustomizingPopupOnTop(bool raise);

    // -- registries
    void RegisterBarControlEditor(const TdxBarControlEditor* editor);
    const std::vector<const TdxBarControlEditor*>& BarControlEditors() const { return editors_; }
    // A later registration for a descendant window class wins over one for its ancestor.
    void RegisterBarControlDesignHelper(TClass barControlClass, const TCustomdxBarControlDesignHelper* helper);
    void UnregisterBarControlDesignHelper(TClass barControlClass, const TCustomdxBarControlDesignHelper* helper);
    const TCustomdxBarControlDesignHelper* FindDesignHelper(TClass barControlClass) const;
    const TCustomdxBarControlDesignHelper* FindDesignHelper() const;

private:
    void HandleFreeNotification(TObject* sender, TComponent* component);
    void ForgetCustomizingBarControl(TObject* sender);
    void ForgetCustomizingPopup(TObject* sender);
    void WatchSelected(IdxBarSelectableItem* item, bool watch);
    void FilterDeletable(TList* list, bool destruction);
    bool CanDeleteWithDependants(TObject* object, TList* list);
    bool CanBecomeSelection(TObject* object, TList* list);
    TObject* FindNextSelection(TList* list);
    TdxBarItemLink* AddCommandButton(TdxBarItemLinks* links, const String& caption, Byte kind, int value,
                                     bool beginGroup);
    TdxBarItemLinks* AddCommandSubItem(TdxBarItemLinks* links, const String& caption, bool beginGroup);
    void SyncViewLevelChecks(TdxBarItemLinks* levelLinks);

    TCustomdxBarControl* customizingBarControl_ = nullptr;
    TdxBarManager* customizingManager_ = nullptr;
    TdxBarItemLink* customizingLink_ = nullptr;
    TdxBarItemLinks* customizingLinks_ = nullptr;
    TComponentList* internalItems_ = nullptr;
    std::vector<std::pair<TClass, const TCustomdxBarControlDesignHelper*>> designHelpers_;
    std::vector<const TdxBarControlEditor*> editors_;
    IdxBarSelectableItem* lastSelected_ = nullptr;
    TdxBarCustomizingPopup* customizingPopup_ = nullptr;
    TcxFreeNotificator* freeNotificator_ = nullptr;
    unsigned designStates_ = 0;
};

// ---- The instance ---------------------------------------------------------------------------

// Made on first use; nil once the bar unit is finalizing.
TdxBarDesignController* DesignControllerInstance();
// The controller when it exists already (never makes it).
TdxBarDesignController* ExistingDesignController();
// At the bar unit's finalization.
void FreeDesignController();
