#pragma once
// The ribbon's tabs and their groups. A group holds no commands of its own: it names a toolbar
// of the ribbon's bar manager, whose links are its commands, and the model docks the toolbars
// of the active tab's groups into that tab's groups dock control. A toolbar may be the group of
// several tabs; it sits in the dock control of the active one.
//
// Sections: groups · the groups of a tab · tabs · the tab collection · docking helpers.

#include "Collection.h"
#include "GraphicsTypes.h"
#include "TypInfo.h"
#include "cxComponentCollection.h"
#include "dxBar.h"
#include "dxCore.h"

class TdxCustomRibbon;
class TdxRibbonGroupsDockControl;
struct IdxBarAccessibilityHelper;
class TdxBarAccessibilityHelper;
class TdxRibbonTab;

// What the ribbon refuses: a toolbar that cannot be a group.
Z_EXCEPTION(EdxRibbonException, EdxException)

// ---- groups --------------------------------------------------------------------------------

class TdxRibbonTabGroup : public TCollectionItem {
    Z_CLASS(TdxRibbonTabGroup, TCollectionItem)
    Z_PUBLISHED {
        // The toolbar is streamed by name ("ToolbarName") and bound when the tab is loaded.
        p.Property(L"ToolBar", &TdxRibbonTabGroup::ToolBar, &TdxRibbonTabGroup::SetToolBar).Stored(false);
        p.Property(L"CanCollapse", &TdxRibbonTabGroup::CanCollapse, &TdxRibbonTabGroup::SetCanCollapse).Default(true);
    }

public:
    explicit TdxRibbonTabGroup(TCollection* collection);
    ~TdxRibbonTabGroup() override;
    void Assign(TPersistent* source) override;

    TdxRibbonTab* Tab() const;
    TdxCustomRibbon* Ribbon() const;
    TdxBar* ToolBar() const { return toolBar_; }
    // Docks the toolbar as this group. Nil frees the group (it leaves its tab). A toolbar of
    // another bar manager is ignored; the quick access toolbar's toolbar, or one another group of
    // this tab shows, raises EdxRibbonException and the group keeps the toolbar it had.
    void SetToolBar(TdxBar* value);
    bool CanCollapse() const { return canCollapse_; }
    void SetCanCollapse(bool value);
    // The toolbar name read from a description and not bound yet.
    const String& PendingToolbarName() const { return pendingToolbarName_; }

    // Binds the pending name once the bar manager is known; an unknown name leaves no toolbar.
    void ResolveToolbar();
    // Moves the toolbar into the tab's dock control (unless the active tab shows it).
    virtual void DockToolbar(TdxBar* bar);
    // The toolbar leaves the group: to another tab of the ribbon that shows it, else undocked.
    void ReleaseToolbar();
    // The toolbar is being freed while the group's tab goes: the group lets go of it untouched.
    void ForgetToolbar() { toolBar_ = nullptr; }

protected:
    void DefineProperties(TFiler* filer) override;

private:
    void CheckToolbar(TdxBar* value) const;
    bool AcceptsToolbar(TdxBar* value) const;

    TdxBar* toolBar_ = nullptr;
    bool canCollapse_ = true;
    String pendingToolbarName_;
};

// ---- the groups of a tab -------------------------------------------------------------------

class TdxRibbonTabGroups : public TOwnedCollection {
    Z_CLASS(TdxRibbonTabGroups, TOwnedCollection)
public:
    explicit TdxRibbonTabGroups(TdxRibbonTab* tab);
    TdxRibbonTabGroup* Add() { return static_cast<TdxRibbonTabGroup*>(TCollection::Add()); }
    TdxRibbonTabGroup* Items(int index) const { return static_cast<TdxRibbonTabGroup*>(TCollection::Items(index)); }
    TdxRibbonTab* Tab() const { return tab_; }
    // The first group showing the toolbar, or nil.
    TdxRibbonTabGroup* FindByToolbar(const TdxBar* bar) const;

protected:
    void Notify(TCollectionItem* item, TCollectionNotification action) override;
    void Update(TCollectionItem* item) override;

private:
    TdxRibbonTab* tab_;
};

// ---- tabs ----------------------------------------------------------------------------------

class TdxRibbonTab : public TcxComponentCollectionItem {
    Z_CLASS(TdxRibbonTab, TcxComponentCollectionItem)
    Z_PUBLISHED {
        p.Property(L"Active", &TdxRibbonTab::Active, &TdxRibbonTab::SetActive).Default(false);
        p.Property(L"Caption", &TdxRibbonTab::Caption, &TdxRibbonTab::SetCaption);
        p.Property(L"Groups", &TdxRibbonTab::Groups, &TdxRibbonTab::SetGroups);
        p.Property(L"KeyTip", &TdxRibbonTab::KeyTip, &TdxRibbonTab::SetKeyTip);
        p.Property(L"Visible", &TdxRibbonTab::Visible, &TdxRibbonTab::SetVisible).Default(true);
    }

public:
    explicit TdxRibbonTab(TComponent* owner);
    ~TdxRibbonTab() override;
    void BeforeDestruction() override;
    void Assign(TPersistent* source) override;
    String GetDisplayText() const override;
    // A caption equal to the old name follows the new one.
    void SetName(const String& value) override;

    TdxCustomRibbon* Ribbon() const { return ribbon_; }
    TdxRibbonGroupsDockControl* DockControl() const { return dockControl_; }

    bool Active() const;
    // True activates the tab through the ribbon; False does nothing.
    void SetActive(bool value);
    const String& Caption() const { return caption_; }
    void SetCaption(const String& value);
    TdxRibbonTabGroups* Groups() const { return groups_; }
    void SetGroups(TdxRibbonTabGroups* value) { groups_->Assign(value); }
    const String& KeyTip() const { return keyTip_; }
    void SetKeyTip(const String& value) { keyTip_ = value; }
    bool Visible() const { return visible_; }
    // Hiding the active tab activates the nearest visible one.
    void SetVisible(bool value);
    // The position among the visible tabs; -1 for a hidden tab.
    int VisibleIndex() const;
    // The index the tab had when its destruction began (for finding the nearest visible tab).
    int IndexBeforeDestroy() const { return indexBeforeDestroy_; }

    virtual void ActivateGroups();
    virtual void DeactivateGroups();
    virtual TRect GetDockControlBounds() const;
    virtual void RecalculateGroups();
    void DockGroupToolbars();
    void CalculateDockControl();
    void PlaceDockControl();
    void InvalidateHeader();
    // Shows the tab and scrolls its header into view.
    void MakeVisible();

    // Called by the ribbon as the tab joins (ribbon) or leaves (nil) it.
    void SetRibbon(TdxCustomRibbon* ribbon);
    void SetBarManager(TdxBarManager* manager);

    // The dock control goes with its parent window when the ribbon goes first.
    void DockControlDestroyed(TdxRibbonGroupsDockControl* dockControl);
    // A group's toolbar asks to be told when it goes.
    void WatchToolbar(TdxBar* bar) { bar->FreeNotification(this); }

    // The tab's keyboard-navigation helper, made on the first request (nil while it goes).
    IdxBarAccessibilityHelper* ObtainAccessibilityHelper();

protected:
    TcxComponentCollection* CollectionFromParent(TComponent* parent) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    TdxCustomRibbon* ribbon_ = nullptr;
    TdxRibbonGroupsDockControl* dockControl_ = nullptr;
    TdxRibbonTabGroups* groups_ = nullptr;
    String caption_, keyTip_;
    bool visible_ = true;
    int indexBeforeDestroy_ = -1;
    IPtr<TdxBarAccessibilityHelper> accessibilityHelper_;
};

// ---- the tab collection --------------------------------------------------------------------

class TdxRibbonTabCollection : public TcxComponentCollection {
    Z_CLASS(TdxRibbonTabCollection, TcxComponentCollection)
public:
    explicit TdxRibbonTabCollection(TdxCustomRibbon* ribbon);
    ~TdxRibbonTabCollection() override;
    TdxRibbonTab* Add() { return static_cast<TdxRibbonTab*>(AddNew()); }
    TdxRibbonTab* Items(int index) const { return static_cast<TdxRibbonTab*>(ItemAt(index)); }
    int Count() const { return ItemCount(); }
    TdxCustomRibbon* Ribbon() const { return ribbon_; }
    // The collection's keyboard-navigation helper, made on the first request.
    IdxBarAccessibilityHelper* ObtainAccessibilityHelper();

protected:
    void ItemNotify(TcxComponentCollectionItem* item, TcxComponentCollectionNotification action) override;
    void AssignItemName(TcxComponentCollectionItem* item) override;

private:
    TdxCustomRibbon* ribbon_;
    IPtr<TdxBarAccessibilityHelper> accessibilityHelper_;
};

// ---- docking helpers -----------------------------------------------------------------------

// Docks the bar into the dock control with the bar hidden meanwhile (unless it is loading);
// nothing for nil or when it is docked there already.
void MoveBarToDockControl(TdxBar* bar, TdxDockControl* dockControl);
// Takes the bar out of every dock; nothing for nil or a bar being destroyed.
void UndockBar(TdxBar* bar);
