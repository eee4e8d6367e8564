#pragma once
// Item links and link collections. A link is one placement of an item in one place (a toolbar, a
// sub item's menu, a popup menu): it keeps what belongs to the place rather than to the command,
// the usage data of personalized menus and, while a bar window shows it, the item control. A
// collection holds the links of one owner and derives the lists bar windows show: usable (the
// item is actually visible), showable (the link is Visible too) and shown (all showable, or the
// most recently used of them in collection order).
//
// Sections: enumerations · IdxBarLinksOwner · TdxBarItemLink · TdxBarItemLinks and the two
// window kinds of collections.
//
// Ownership: the collection owns its links; SetItem(nil) frees the link. The owner object (bar,
// sub item, popup menu) answers whether an item may be linked and makes the bar window.
// Steps marked "Hook (...)" reach item controls and bar windows, which join later.

#include <vector>

#include "Bitmap.h"
#include "Collection.h"
#include "ShortCuts.h"
#include "TypInfo.h"
#include "cxInterfacedCollection.h"
#include "dxBarItem.h"
#include "dxBarItemOptions.h"
#include "dxBarViewLevels.h"

Z_ENUM(TdxBarButtonGroupPosition, Byte, bgpNone, bgpStart, bgpMember)
Z_ENUM(TdxBarItemPosition, Byte, ipBeginsNewRow, ipBeginsNewColumn, ipContinuesRow)
Z_ENUM(TdxBarUserDefine, Byte, udCaption, udGlyph, udPaintStyle, udWidth)
using TdxBarUserDefines = TSet<TdxBarUserDefine>;
constexpr TdxBarItemViewLevels dxBarAllViewLevels{ivlLargeIconWithText, ivlSmallIconWithText, ivlSmallIcon,
                                                  ivlControlOnly};

// ---- IdxBarLinksOwner ---------------------------------------------------------------------

// What owns a link collection: bars, sub items, popup menus. A plain interface: the owners are
// components freed by their own owners.
class IdxBarLinksOwner {
public:
    // May the item be linked here? False with the text of the refusal.
    virtual bool CanAddItem(TdxBarItem* item, String& errorText) = 0;
    // The window that shows the links; nil when the owner shows none (yet).
    virtual TCustomdxBarControl* CreateBarControl() = 0;
    virtual TComponent* GetOwnerObject() = 0;
    virtual TdxBarItemLinks* GetOwnerItemLinks() = 0;

protected:
    ~IdxBarLinksOwner() = default;
};

// ---- TdxBarItemLink -----------------------------------------------------------------------

class TdxBarItemLink : public TcxInterfacedCollectionItem, public IdxBarSelectableItem {
    Z_CLASS(TdxBarItemLink, TcxInterfacedCollectionItem)
    Z_PUBLISHED {
        p.Property(L"BeginGroup", &TdxBarItemLink::StoredBeginGroup, &TdxBarItemLink::SetBeginGroup).Default(false);
        p.Property(L"ButtonGroup", &TdxBarItemLink::ButtonGroup, &TdxBarItemLink::SetButtonGroup).Default(bgpNone);
        p.Property(L"Distributed", &TdxBarItemLink::Distributed, &TdxBarItemLink::SetDistributed).Default(true);
        p.Property(L"Item", &TdxBarItemLink::Item, &TdxBarItemLink::SetItem).Stored(false);
        p.Property(L"MostRecentlyUsed", &TdxBarItemLink::MostRecentlyUsed, &TdxBarItemLink::SetMostRecentlyUsed)
            .Default(true);
        p.Property(L"Position", &TdxBarItemLink::Position, &TdxBarItemLink::SetPosition).Default(ipBeginsNewRow);
        p.Property(L"UserCaption", &TdxBarItemLink::UserCaption, &TdxBarItemLink::SetUserCaption);
        p.Property(L"UserDefine", &TdxBarItemLink::UserDefine, &TdxBarItemLink::SetUserDefine);
        p.Property(L"UserGlyph", &TdxBarItemLink::UserGlyph, &TdxBarItemLink::SetUserGlyph);
        p.Property(L"UserPaintStyle", &TdxBarItemLink::UserPaintStyle, &TdxBarItemLink::SetUserPaintStyle)
            .Default(psStandard);
        p.Property(L"UserWidth", &TdxBarItemLink::UserWidth, &TdxBarItemLink::SetUserWidth).Default(0);
        p.Property(L"ViewLevels", &TdxBarItemLink::ViewLevels, &TdxBarItemLink::SetViewLevels)
            .Default(dxBarAllViewLevels);
        p.Property(L"Visible", &TdxBarItemLink::Visible, &TdxBarItemLink::SetVisible);
    }

public:
    explicit TdxBarItemLink(TCollection* collection);
    ~TdxBarItemLink() override;

    // -- the item (while the owner loads and a name is pending, the item of that name)
    TdxBarItem* Item() const;
    // Links the item (refused by the owner: EdxException with its text, the link keeps no item).
    // nil frees this link.
    void SetItem(TdxBarItem* value);

    // -- properties of the place
    bool StoredBeginGroup() const { return beginGroup_; }
    // The effective begin group: a hidden link passes its group line on to the next shown link,
    // the first shown link never begins a group and no line follows a separator item.
    bool BeginGroup() const;
    void SetBeginGroup(bool value);
    TdxBarButtonGroupPosition ButtonGroup() const { return buttonGroup_; }
    void SetButtonGroup(TdxBarButtonGroupPosition value);
    bool Distributed() const { return distributed_; }
    void SetDistributed(bool value);
    bool MostRecentlyUsed() const { return mostRecentlyUsed_; }
    void SetMostRecentlyUsed(bool value);
    TdxBarItemPosition Position() const { return position_; }
    void SetPosition(TdxBarItemPosition value);
    const String& UserCaption() const { return userCaption_; }
    void SetUserCaption(const String& value);
    TdxBarUserDefines UserDefine() const { return userDefine_; }
    void SetUserDefine(TdxBarUserDefines value);
    TBitmap* UserGlyph() const { return userGlyph_; }
    void SetUserGlyph(TBitmap* value);
    TdxBarPaintStyle UserPaintStyle() const { return userPaintStyle_; }
    void SetUserPaintStyle(TdxBarPaintStyle value);
    int UserWidth() const { return userWidth_; }
    void SetUserWidth(int value);
    TdxBarItemViewLevels ViewLevels() const { return viewLevels_; }
    void SetViewLevels(TdxBarItemViewLevels value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);

    // -- effective values
    String GetEffectiveCaption() const;
    TBitmap* GetEffectiveGlyph() const;
    TdxBarPaintStyle GetEffectivePaintStyle() const;
    int GetEffectiveWidth() const;

    // -- the collection and the window
    TdxBarItemLinks* GetLinks() const;
    TdxBarManager* BarManager() const;
    TCustomdxBarControl* GetBarControl() const;
    TdxBarItemControl* Control() const { return control_; }
    // Set by the bar window that shows the link, nil when it frees the control.
    void SetControl(TdxBarItemControl* control) { control_ = control; }
    int GetShownIndex() const;
    int GetShowableIndex() const;
    TdxBarItemLink* GetNextShownLink() const;
    // Can the link be shown: its item is actually visible and Visible is set.
    bool CanBeShown() const;
    // Rebuilds the lists; a link that can now be shown counts as used (without counting) and
    // gets its control, any other one goes to the end of the recent order.
    void UpdateVisibility();
    const TRect& ItemRect() const { return itemRect_; }
    void SetItemRect(const TRect& rect);
    // Is the link, or the item behind it, in the menu of owner (directly or through sub items)?
    bool IsOwnedByOwner(TComponent* owner) const;

    // -- item controls (Hook (item controls): made for the bar window that shows the link)
    void CreateControl();
    void FreeControl();
    void RecreateControl();

    // -- usage of personalized menus
    int UseCount() const { return useCount_; }
    void SetUseCount(int value) { useCount_ = value; }
    // A use of the link: moves it to the front of the recent order (counting it with countUse)
    // and passes the use on to the link of the sub item whose menu holds the link.
    void MarkUsed(bool countUse);
    void ResetUsage();
    int GetRecentIndex() const;
    void MoveToRecentFront(bool countUse);
    void MoveToRecentEnd();
    void CopyUsage(TdxBarItemLink* source);
    void SaveRecentIndex() { savedRecentIndex_ = GetRecentIndex(); }
    void RestoreRecentIndex();
    // Usage read from the layout storage, applied by the collection's ApplyLoadedUsage.
    void SetLoadedUsage(int useCount, int recentIndex) {
        loadedUseCount_ = useCount;
        loadedRecentIndex_ = recentIndex;
    }
    void SetLoadedVisible(bool value) { loadedVisible_ = value; }

    // -- accelerators: the character after the last single '&' of the caption, lower-cased
    WideChar GetAccelChar() const;
    bool MatchesAccel(Word key, TShiftState shift) const;

    // -- links generated from containers, and links made by merging
    TdxBarItemLink* GetSourceLink() const { return sourceLink_ ? sourceLink_ : const_cast<TdxBarItemLink*>(this); }
    void SetSourceLink(TdxBarItemLink* link) { sourceLink_ = link; }
    TdxBar* CreatedFromBar() const { return createdFromBar_; }
    TObject* LinkData = nullptr;
    int RowHeight = 0;

    // -- selection while customizing and designing: the link is selected in place of its item,
    // may always be deleted (only the link goes) and follows the commands of the design
    // controller's customizing link
    bool CanDelete(bool) override { return true; }
    void DeleteIfAllowed(IdxBarSelectableItem*& ref, bool deletingItem) override;
    void ExecuteCustomizingAction(Byte action) override;
    TdxBarManager* GetBarManager() override { return BarManager(); }
    TObject* GetSelectableInstance() override { return this; }
    void AddOwnerToList(TList* list) override;
    IdxBarSelectableItem* GetNextSelectable() override;
    TPersistent* GetSelectableParent() override;
    Integer GetSelectionState() override;
    Word GetSupportedActions() override;
    void InvalidateSelf() override;
    bool HasSeveralLinks() override { return false; }
    bool IsSelected() override;
    void SelectInDesigner(Integer operation) override;
    bool SelectParent() override;
    void SelectionChanged() override;

    // -- streaming: "ItemName" carries the item
    void DefineProperties(TFiler* filer) override;
    void ResolveLoadedItem();
    bool HasPendingItemName() const { return hasItemName_; }
    void Assign(TPersistent* source) override;
    String DisplayName() const override;

protected:
    virtual void ChangeCollection(TCollection* collection) { SetCollection(collection); }
    virtual void UserGlyphChanged(TObject* sender);

private:
    friend class TdxBarItemLinks;
    void MarkUserDefined(TdxBarUserDefine element);
    bool IsOwnerLoading() const;

    TdxBarItem* item_ = nullptr;
    TdxBarItemControl* control_ = nullptr;
    TRect itemRect_{};
    bool beginGroup_ = false;
    TdxBarButtonGroupPosition buttonGroup_ = bgpNone;
    bool distributed_ = true;
    bool mostRecentlyUsed_ = true;
    TdxBarItemPosition position_ = ipBeginsNewRow;
    String userCaption_;
    TdxBarUserDefines userDefine_;
    TBitmap* userGlyph_ = nullptr;
    TdxBarPaintStyle userPaintStyle_ = psStandard;
    int userWidth_ = 0;
    TdxBarItemViewLevels viewLevels_ = dxBarAllViewLevels;
    bool visible_ = true;
    int useCount_ = 0;
    TdxBarItemLink* sourceLink_ = nullptr;
    TdxBar* createdFromBar_ = nullptr;
    String itemName_;
    bool hasItemName_ = false;
    bool loadedVisible_ = true;
    int loadedUseCount_ = 0;
    int loadedRecentIndex_ = -1;
    int savedRecentIndex_ = -1;
};

// ---- TdxBarItemLinks ----------------------------------------------------------------------

class TdxBarItemLinks : public TCollection {
    Z_CLASS(TdxBarItemLinks, TCollection)
public:
    TdxBarItemLinks(TdxBarManager* manager, IdxBarLinksOwner* owner);
    ~TdxBarItemLinks() override;

    TdxBarManager* BarManager() const { return manager_; }
    void SetBarManager(TdxBarManager* manager) { manager_ = manager; }
    IdxBarLinksOwner* LinksOwner() const { return owner_; }
    TComponent* GetOwnerObject() const { return owner_ ? owner_->GetOwnerObject() : nullptr; }
    TPersistent* GetOwner() const override { return GetOwnerObject(); }
    TCustomdxBarControl* BarControl() const { return barControl_; }
    TdxBarItemOptions* ItemOptions() const { return itemOptions_; }
    // Changes are not reported to the designer (design-time menus of the design controller).
    bool Internal = false;

    // -- links
    TdxBarItemLink* GetLink(int index) const { return static_cast<TdxBarItemLink*>(Items(index)); }
    TdxBarItemLink* Add() { return static_cast<TdxBarItemLink*>(TCollection::Add()); }
    TdxBarItemLink* Insert(int index) { return static_cast<TdxBarItemLink*>(TCollection::Insert(index)); }
    TdxBarItemLink* AddItem(TdxBarItem* item);
    // A new item of the class, made by the manager in its default category, and its link.
    TdxBarItemLink* AddNewItem(TClass itemClass);
    // A new item of the class for the manager (the collection's when nil) and its link; when
    // either step raises, both are freed and the exception passes on.
    TdxBarItemLink* AddItemOfClass(TClass itemClass, TdxBarManager* manager = nullptr);
    int IndexOfLink(const TdxBarItemLink* link) const;
    int IndexOfItemName(const String& name) const;  // exact name comparison
    void MoveLink(int from, int to);
    bool ContainsOwner(TComponent* owner) const;
    bool HasControl(TdxBarItemControl* control) const;
    virtual bool CanAddItem(TdxBarItem* item, String& errorText);
    virtual bool BelongsToMenu() const;

    // -- derived lists
    void RebuildLists();
    int GetUsableLinkCount() const { return int(usable_.size()); }
    TdxBarItemLink* GetUsableLink(int index) const { return At(usable_, index); }
    int GetShowableLinkCount() const { return int(showable_.size()); }
    TdxBarItemLink* GetShowableLink(int index) const { return At(showable_, index); }
    int GetShowableLinkIndex(const TdxBarItemLink* link) const { return Find(showable_, link); }
    int GetShownLinkCount() const { return int(shown_.size()); }
    TdxBarItemLink* GetShownLink(int index) const { return At(shown_, index); }
    int GetShownLinkIndex(const TdxBarItemLink* link) const { return Find(shown_, link); }
    // For menu collections all shown links; else the leading ones whose rectangle lies wholly
    // in the window's client area.
    virtual int GetUnclippedLinkCount() const;

    // -- personalized menus
    bool RecentItemsFlag = true;
    bool UsesRecentItems() const;
    int CalcRecentItemCount() const;
    void SetRecentItemCount(int count);
    void RestoreRecentItemCount();
    int RecentItemCount() const { return shownLimit_; }
    int GetRecentLinkCount() const { return int(recent_.size()); }
    TdxBarItemLink* GetRecentLink(int index) const { return At(recent_, index); }
    void ApplyLoadedUsage(bool applyVisible);
    void CompactRecentOrder();
    void ResolveLoadedItems();

    // -- keys
    bool ExecuteShortCut(TShortCut key);
    void UpdateActions();
    virtual TdxBarItemLink* FindAccelLink(Word key, TShiftState shift, TdxBarItemLink* start) {
        (void)key, (void)shift, (void)start;
        return nullptr;
    }
    TdxBarItemLink* FindAccelLinkNoAlt(Word key, TShiftState shift, TdxBarItemLink* start) {
        return FindAccelLink(key, shift - ssAlt, start);
    }

    // -- keyboard navigation through the unclipped shown links
    TdxBarItemLink* GetFirstNavigableLink() const;
    TdxBarItemLink* GetLastNavigableLink() const;
    TdxBarItemLink* GetNextNavigableLink(TdxBarItemLink* link, bool any = false) const;
    TdxBarItemLink* GetPrevNavigableLink(TdxBarItemLink* link, bool any = false) const;
    // The link's control is navigable.
    virtual bool IsNavigableLink(TdxBarItemLink* link) const;

    // -- options (not assigned here: the parent bar's links, then the default)
    virtual TdxBarOptionValue GetOptionDefault(TdxBarItemOption option) const;
    virtual TdxBarOptionValue GetOptionValue(TdxBarItemOption option) const;
    bool GetShowDescriptions() const { return GetOptionValue(ioShowDescriptions).AsBoolean(); }
    bool GetShowShortCuts() const { return GetOptionValue(ioShowShortCuts).AsBoolean(); }
    TdxBarMenuItemSize GetItemSize() const { return TdxBarMenuItemSize(GetOptionValue(ioSize).Value); }
    // Hook (bar windows): the links of the bar whose window holds this collection's window.
    TdxBarItemLinks* GetParentBarLinks() const { return nullptr; }

    // -- the bar window
    void CreateBarControl();
    void FreeBarControl();
    // The window that shows the links takes them (nil: it lets go).
    void AttachBarControl(TCustomdxBarControl* barControl) { barControl_ = barControl; }
    // Every link's item rectangle becomes empty (before a layout places them again).
    void EmptyLinkRects();

    // -- merging
    struct TMergeDecision {
        TdxBarItemMergeKind Kind;  // mkAdd: add at Index; mkMergeByCaption: into link Index; mkNone: skip
        int Index;
    };
    TMergeDecision MergeDecision(TdxBarItemLink* sourceLink);
    bool ValidateMergeDecision(TdxBarItemLink* sourceLink, TMergeDecision& decision) const;
    // Merges the links of source (the links of bar, for the record of merged links).
    void Merge(TdxBarItemLinks* source, TdxBar* bar = nullptr);
    void Unmerge(TdxBar* bar);

    void Assign(TPersistent* source) override;
    bool IsAssigning() const { return assigning_; }
    bool IsDestroying() const { return destroying_; }

    TNotifyEvent OnChange;

protected:
    void Update(TCollectionItem* item) override;
    void DesignerModified();
    bool IsOwnerLoading() const;

private:
    friend class TdxBarItemLink;
    static TdxBarItemLink* At(const std::vector<TdxBarItemLink*>& list, int index) {
        return index >= 0 && index < int(list.size()) ? list[size_t(index)] : nullptr;
    }
    static int Find(const std::vector<TdxBarItemLink*>& list, const TdxBarItemLink* link);
    void BuildLists();
    void DropExtraSeparators();
    TdxBarItemLink* StepNavigable(TdxBarItemLink* link, bool any, int direction) const;

    TdxBarManager* manager_;
    IdxBarLinksOwner* owner_;
    TCustomdxBarControl* barControl_ = nullptr;
    TdxBarItemOptions* itemOptions_ = nullptr;
    std::vector<TdxBarItemLink*> usable_, showable_, shown_, recent_, distributionChanged_;
    int shownLimit_ = -1, savedShownLimit_ = -1;
    bool assigning_ = false;
    bool destroying_ = false;
    TdxBar* mergingBar_ = nullptr;
};

// Links shown in toolbar windows: the accelerator search steps through the navigable links.
class TdxBarControlItemLinks : public TdxBarItemLinks {
    Z_CLASS(TdxBarControlItemLinks, TdxBarItemLinks)
public:
    using TdxBarItemLinks::TdxBarItemLinks;
    // Hook (bar windows): nil while the bar window has no visible window.
    TdxBarItemLink* FindAccelLink(Word key, TShiftState shift, TdxBarItemLink* start) override;
};

// Links shown in menu windows: the accelerator search steps through the showable links.
class TdxBarSubMenuControlItemLinks : public TdxBarItemLinks {
    Z_CLASS(TdxBarSubMenuControlItemLinks, TdxBarItemLinks)
public:
    using TdxBarItemLinks::TdxBarItemLinks;
    bool BelongsToMenu() const override { return true; }
    int GetUnclippedLinkCount() const override { return GetShownLinkCount(); }
    TdxBarItemLink* FindAccelLink(Word key, TShiftState shift, TdxBarItemLink* start) override;
};
