#pragma once
// Sub items open a menu of their own links (TCustomdxBarSubItem, TdxBarSubItem). Container items
// are sub items whose content is shown in place: when a bar window builds its controls, each
// container link is replaced by links generated from the container (TCustomdxBarContainerItem):
// a list item generates one button per string of its Items (TdxBarListItem), a container item
// copies its own showable links (TdxBarContainerItem). The bar window decides when and where;
// here the items answer AddExpandedLinks and RemoveExpandedLinks on any link collection.
//
// A sub item's menu may not contain the sub item itself, at any depth.

#include "ComponentList.h"
#include "StringList.h"
#include "dxBarButton.h"
#include "dxBarItemLinks.h"

class TCanvas;

using TdxBarPaintSubMenuBarEvent = TEvent<void(TObject* Sender, TCanvas* Canvas, const TRect& R)>;

class TCustomdxBarSubItem : public TdxBarItem, public IdxBarLinksOwner {
    Z_CLASS(TCustomdxBarSubItem, TdxBarItem)
    Z_PUBLISHED {
        p.Property(L"BarSize", &TCustomdxBarSubItem::BarSize, &TCustomdxBarSubItem::SetBarSize).Default(0);
        p.Property(L"Detachable", &TCustomdxBarSubItem::Detachable, &TCustomdxBarSubItem::SetDetachable).Default(false);
        p.Property(L"DetachingBar", &TCustomdxBarSubItem::DetachingBar, &TCustomdxBarSubItem::SetDetachingBar)
            .Default(-1);
        p.Property(L"Glyph", &TCustomdxBarSubItem::Glyph, &TCustomdxBarSubItem::SetGlyph);
        p.Property(L"ImageIndex", &TCustomdxBarSubItem::ImageIndex, &TCustomdxBarSubItem::SetImageIndex).Default(-1);
        p.Property(L"LargeGlyph", &TCustomdxBarSubItem::LargeGlyph, &TCustomdxBarSubItem::SetLargeGlyph);
        p.Property(L"LargeImageIndex", &TCustomdxBarSubItem::LargeImageIndex, &TCustomdxBarSubItem::SetLargeImageIndex)
            .Default(-1);
        p.Property(L"ShowCaption", &TCustomdxBarSubItem::ShowCaption, &TCustomdxBarSubItem::SetShowCaption)
            .Default(true);
        p.Event(L"OnClick", &TCustomdxBarSubItem::OnClick);
        p.Event(L"OnDetaching", &TCustomdxBarSubItem::OnDetaching);
        p.Event(L"OnPaintBar", &TCustomdxBarSubItem::OnPaintBar);
    }

public:
    explicit TCustomdxBarSubItem(TComponent* owner);
    ~TCustomdxBarSubItem() override;

    TdxBarItemLinks* ItemLinks() const { return itemLinks_; }
    void SetItemLinks(TdxBarItemLinks* value) { itemLinks_->Assign(value); }
    int BarSize() const { return barSize_; }
    void SetBarSize(int value) { barSize_ = value < 0 ? 0 : value; }
    bool Detachable() const { return detachable_; }
    void SetDetachable(bool value) { detachable_ = value; }
    int DetachingBar() const { return detachingBar_; }
    // -1 for none, and for a number outside the manager's bars.
    void SetDetachingBar(int value);
    TNotifyEvent OnDetaching;
    TdxBarPaintSubMenuBarEvent OnPaintBar;

    // A sub-menu window of the item's manager showing the item's links.
    virtual TCustomdxBarControl* CreateSubMenuControl();
    virtual void DoPaintBar(TCanvas* canvas, const TRect& r);
    virtual void DoCloseUp() {}
    virtual void DoDetaching() { FireEvent(OnDetaching); }
    virtual void DoPopup() {}

    bool ClickableByShortCut() const override { return false; }
    TdxBarItemLinks* GetItemLinks() const override { return itemLinks_; }
    void BarManagerChanged() override;
    Word GetSupportedActions() override;
    void BarRemoved(bool removing, TdxBar* bar) override;
    // The layout of the menu's links under the section prefix + "SubItem_" + Name (a sub item
    // without name stores nothing).
    void SaveToIni(TCustomIniFile* iniFile, const String& prefix, int storingKind) override;
    void LoadFromIni(TCustomIniFile* iniFile, const String& prefix, int storingKind) override;
    void LoadUsageFromIni(TCustomIniFile* iniFile, const String& prefix) override;
    // The links back from the snapshot, then the items of the links in turn.
    void ResetLayoutFromIni(TCustomIniFile* iniFile, const String& prefix) override;

    // IdxBarLinksOwner: what menus take, except an item whose own menu holds this sub item.
    bool CanAddItem(TdxBarItem* item, String& errorText) override;
    TCustomdxBarControl* CreateBarControl() override { return CreateSubMenuControl(); }
    TComponent* GetOwnerObject() override { return this; }
    TdxBarItemLinks* GetOwnerItemLinks() override { return itemLinks_; }

protected:
    bool resettingLayout_ = false;
    void FireEvent(const TNotifyEvent& event) {
        if (event) event(this);
    }
    TdxBarItemLinks* itemLinks_ = nullptr;

private:
    int barSize_ = 0;
    bool detachable_ = false;
    int detachingBar_ = -1;
};

class TdxBarSubItem : public TCustomdxBarSubItem {
    Z_CLASS(TdxBarSubItem, TCustomdxBarSubItem)
    Z_PUBLISHED {
        p.Property(L"AllowCustomizing", &TdxBarSubItem::AllowCustomizing, &TdxBarSubItem::SetAllowCustomizing)
            .Default(true);
        p.Property(L"ItemLinks", &TdxBarSubItem::ItemLinks, &TdxBarSubItem::SetItemLinks);
        p.Property(L"ItemOptions", &TdxBarSubItem::ItemOptions, &TdxBarSubItem::SetItemOptions);
        p.Event(L"OnCloseUp", &TdxBarSubItem::OnCloseUp);
        p.Event(L"OnPopup", &TdxBarSubItem::OnPopup);
    }

public:
    explicit TdxBarSubItem(TComponent* owner) : TCustomdxBarSubItem(owner) {}
    bool AllowCustomizing() const { return allowCustomizing_; }
    void SetAllowCustomizing(bool value) { allowCustomizing_ = value; }
    TdxBarItemOptions* ItemOptions() const { return itemLinks_->ItemOptions(); }
    void SetItemOptions(TdxBarItemOptions* value) { itemLinks_->ItemOptions()->Assign(value); }
    TNotifyEvent OnCloseUp, OnPopup;
    void DoCloseUp() override { FireEvent(OnCloseUp); }
    void DoPopup() override { FireEvent(OnPopup); }
    String GetNewItemCaption() const override;
    bool CanMergeWith(TdxBarItem* item) const override { return Is<TdxBarSubItem>(item); }

private:
    bool allowCustomizing_ = true;
};

// ---- Containers ---------------------------------------------------------------------------

class TCustomdxBarContainerItem : public TCustomdxBarSubItem {
    Z_CLASS(TCustomdxBarContainerItem, TCustomdxBarSubItem)
    Z_PUBLISHED { p.Event(L"OnGetData", &TCustomdxBarContainerItem::OnGetData); }

public:
    explicit TCustomdxBarContainerItem(TComponent* owner) : TCustomdxBarSubItem(owner) {}
    TNotifyEvent OnGetData;

    // Inserts the generated links into links from index on, with sourceLink as their source;
    // fetchData (the first link of the item in a window) fires OnGetData first.
    virtual void AddExpandedLinks(TdxBarItemLinks* links, int index, TdxBarItemLink* sourceLink, bool fetchData);
    virtual void RemoveExpandedLinks(TdxBarItemLinks* links, int index) { (void)links, (void)index; }
    virtual void ClearItemList() { clearDue_ = false; }
    virtual bool HidesOwnLink() const { return true; }
    // The content changed: windows that show the container rebuild (not while OnGetData runs).
    virtual void ItemsChanged(TObject* sender);
    // The entry list is cleared before the next expansion.
    void RequestClearItemList() { clearDue_ = true; }
    bool IsAvailable() const override { return OnGetData.Assigned(); }

protected:
    bool inGetData_ = false;
    bool clearDue_ = false;
};

class TdxBarListItem : public TCustomdxBarContainerItem {
    Z_CLASS(TdxBarListItem, TCustomdxBarContainerItem)
    Z_PUBLISHED {
        p.Property(L"Items", &TdxBarListItem::Items, &TdxBarListItem::SetItems);
        p.Property(L"ItemIndex", &TdxBarListItem::ItemIndex, &TdxBarListItem::SetItemIndex).Default(-1);
        p.Property(L"ShowCheck", &TdxBarListItem::ShowCheck, &TdxBarListItem::SetShowCheck).Default(false);
        p.Property(L"ShowNumbers", &TdxBarListItem::ShowNumbers, &TdxBarListItem::SetShowNumbers).Default(true);
    }

public:
    explicit TdxBarListItem(TComponent* owner);
    ~TdxBarListItem() override;

    TStrings* Items() const { return items_; }
    void SetItems(TStrings* value) { items_->Assign(value); }
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int value) { itemIndex_ = value; }
    // ItemIndex counted among the entries that are not separators ("-").
    int DataIndex() const;
    void SetDataIndex(int value);
    bool ShowCheck() const { return showCheck_; }
    void SetShowCheck(bool value) { showCheck_ = value; }
    bool ShowNumbers() const { return showNumbers_; }
    void SetShowNumbers(bool value) { showNumbers_ = value; }
    // The buttons generated for the entries (owned).
    TComponentList* EntryButtons() const { return entryButtons_; }

    void AddExpandedLinks(TdxBarItemLinks* links, int index, TdxBarItemLink* sourceLink, bool fetchData) override;
    void RemoveExpandedLinks(TdxBarItemLinks* links, int index) override;
    void ClearItemList() override;
    bool IsAvailable() const override { return OnGetData.Assigned() || items_->Count() > 0; }
    void DirectClick() override;

    virtual String GetItemHint(const String& entryText) const { return String(); }
    virtual String FormatItemText(const String& entryText) const { return entryText; }
    virtual String GetItemDisplayText(int index) const { return FormatItemText(items_->Strings(index)); }

private:
    void EntryClick(TObject* sender);
    bool HasLinkedEntries() const;

    TStringList* items_ = nullptr;
    int itemIndex_ = -1;
    bool showCheck_ = false;
    bool showNumbers_ = true;
    TComponentList* entryButtons_ = nullptr;
};

class TdxBarContainerItem : public TCustomdxBarContainerItem {
    Z_CLASS(TdxBarContainerItem, TCustomdxBarContainerItem)
    Z_PUBLISHED { p.Property(L"ItemLinks", &TdxBarContainerItem::ItemLinks, &TdxBarContainerItem::SetItemLinks); }

public:
    explicit TdxBarContainerItem(TComponent* owner);

    void AddExpandedLinks(TdxBarItemLinks* links, int index, TdxBarItemLink* sourceLink, bool fetchData) override;
    void RemoveExpandedLinks(TdxBarItemLinks* links, int index) override;
    // True while the links' items are not resolved yet; else whether some item is visible.
    virtual bool HasVisibleItems() const;
    bool IsAvailable() const override { return OnGetData.Assigned() || HasVisibleItems(); }
    bool CanMergeWith(TdxBarItem* item) const override { return Is<TdxBarContainerItem>(item); }
};
