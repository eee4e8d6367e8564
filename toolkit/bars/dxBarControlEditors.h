#pragma once
// Bar control editors: at design time the customizing popup of a link offers entries that make a
// new item and link it right after the right-clicked link. Each editor adds one entry (or one sub
// menu of entries) and makes the item when its entry is clicked. Editors are used through one
// stateless object per class (Instance()), passed where the class would go; the entries are
// bound to that object.

#include <vector>

#include "Events.h"
#include "SysObject.h"
#include "dxBarForward.h"

class TdxBarItemLink;
class TdxBarItemLinks;

class TdxBarControlEditor {
public:
    virtual ~TdxBarControlEditor() = default;
    static const TdxBarControlEditor* Instance();

    // The class of the item that the clicked entry (by its caption) makes.
    virtual TClass ItemClassForEntry(const String& addedItemName) const { return nullptr; }
    virtual String EntryCaption() const { return String(); }
    virtual void PrepareEntry(TdxBarItemLink* link) const {}
    // The class of the entry itself.
    virtual TClass EntryItemClass() const { return nullptr; }
    // Called with the new link and the clicked entry's caption; nothing here.
    virtual void AfterItemAdded(TdxBarItemLink* link, const String& caption) const {}
    // Adds this editor's entry to links.
    virtual void AddEntries(TdxBarItemLinks* links) const;
    // The entries' click: makes the item, links it after the customizing link and selects it.
    void HandleEntryClick(TObject* sender);

protected:
    TNotifyEvent EntryClick() const;
    // False while the customizing manager's owner is an inline part of another form being
    // designed: new items could not be stored there.
    static bool CanAddItems();
};

class TdxAddSubItemEditor : public TdxBarControlEditor {
public:
    static const TdxAddSubItemEditor* Instance();
    TClass ItemClassForEntry(const String& addedItemName) const override;
    String EntryCaption() const override;
    void PrepareEntry(TdxBarItemLink* link) const override;
    TClass EntryItemClass() const override;
};

class TdxAddButtonEditor : public TdxAddSubItemEditor {
public:
    static const TdxAddButtonEditor* Instance();
    TClass ItemClassForEntry(const String& addedItemName) const override;
    String EntryCaption() const override;
};

class TdxAddSeparatorEditor : public TdxAddSubItemEditor {
public:
    static const TdxAddSeparatorEditor* Instance();
    TClass ItemClassForEntry(const String& addedItemName) const override;
    String EntryCaption() const override;
};

// A sub menu listing every item class offered to the user; an entry makes an item of the class
// it names.
class TdxItemsEditorEx : public TdxBarControlEditor {
public:
    static const TdxItemsEditorEx* Instance();
    TClass ItemClassForEntry(const String& addedItemName) const override;
    String EntryCaption() const override;
    void PrepareEntry(TdxBarItemLink* link) const override;
    TClass EntryItemClass() const override;
    virtual void FillItemClasses(TdxBarItemLinks* links) const;
};
