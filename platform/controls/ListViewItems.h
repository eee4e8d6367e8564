#pragma once
// The items and columns of a list view (TCustomListView, ListView.h).
//
// TListItem: a caption, sub-item texts, a data pointer, images and states. The list view's
// window asks for texts and images when it draws them (callbacks), so a change of the item
// only needs a repaint. Its states (selected, focused, checked...) live in the window while
// there is one, and in the item otherwise.
// TListColumn: a column of the report view, in the published collection Columns.

#include <vector>

#include "Alignment.h"
#include "Collection.h"
#include "StringList.h"

class TCustomListView;
class TListItems;

Z_ENUM(TDisplayCode, Byte, drBounds, drIcon, drLabel, drSelectBounds)

class TListColumn : public TCollectionItem {
    Z_CLASS(TListColumn, TCollectionItem)
    Z_PUBLISHED {
        using C = TListColumn;
        p.Property(L"Alignment", &C::Alignment, &C::SetAlignment).Default(taLeftJustify);
        p.Property(L"Caption", &C::Caption, &C::SetCaption);
        p.Property(L"ImageIndex", &C::ImageIndex, &C::SetImageIndex).Default(-1);
        p.Property(L"Width", &C::Width, &C::SetWidth).Default(50);
    }

public:
    explicit TListColumn(TCollection* collection) : TCollectionItem(collection) {}

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);
    const String& Caption() const { return caption_; }
    void SetCaption(const String& v);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);
    // The width, dragged by the user or set.
    int Width() const { return width_; }
    void SetWidth(int v);
    void Assign(TPersistent* source) override;
    String DisplayName() const override { return caption_; }

private:
    friend class TCustomListView;
    TCustomListView* ListView() const;
    TAlignment alignment_ = taLeftJustify;
    String caption_;
    int imageIndex_ = -1;
    int width_ = 50;
};

class TListColumns : public TOwnedCollection {
    Z_CLASS(TListColumns, TOwnedCollection)
public:
    explicit TListColumns(TCustomListView* owner);
    TListColumn* Add();
    TListColumn* Items(int index) const { return static_cast<TListColumn*>(TCollection::Items(index)); }
    TCustomListView* Owner() const { return owner_; }

protected:
    void Update(TCollectionItem* item) override;
    void Notify(TCollectionItem* item, TCollectionNotification action) override;

private:
    TCustomListView* owner_;
    // A column whose constructor has not finished yet: not shown before it has.
    TCollectionItem* constructing_ = nullptr;
};

// The states of an item.
enum TItemStateItem : Byte { isCut, isDropHilited, isFocused, isSelected };
using TItemStates = TSet<TItemStateItem>;

class TListItem : public TPersistent {
    Z_CLASS(TListItem, TPersistent)
public:
    explicit TListItem(TListItems* owner);
    ~TListItem() override;

    TListItems* Owner() const { return owner_; }
    TCustomListView* ListView() const;
    int Index() const;

    const String& Caption() const { return caption_; }
    void SetCaption(const String& v);
    // The texts of columns 1, 2...; changes repaint the item.
    TStrings* SubItems() const { return subItems_; }
    void SetSubItems(TStrings* v) { subItems_->Assign(v); }
    void* Data() const { return data_; }
    void SetData(void* v) { data_ = v; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);
    // An overlay image of the image list (-1: none).
    int OverlayIndex() const { return overlayIndex_; }
    void SetOverlayIndex(int v);
    // Drawn dimmed, as cut to the clipboard.
    bool Cut() const { return State(isCut); }
    void SetCut(bool v) { SetState(isCut, v); }
    bool DropTarget() const { return State(isDropHilited); }
    void SetDropTarget(bool v) { SetState(isDropHilited, v); }
    bool Focused() const { return State(isFocused); }
    void SetFocused(bool v) { SetState(isFocused, v); }
    bool Selected() const { return State(isSelected); }
    void SetSelected(bool v) { SetState(isSelected, v); }
    // The check box of a list view with Checkboxes.
    bool Checked() const;
    void SetChecked(bool v);

    // Rectangles in the list view's client coordinates (empty without a window).
    TRect DisplayRect(TDisplayCode code) const;
    void MakeVisible(bool partialOK);
    // Starts editing the caption; false when the list view refuses.
    bool EditCaption();
    // Repaints the item.
    void Update();
    void Delete();
    void Assign(TPersistent* source) override;

private:
    friend class TListItems;
    friend class TCustomListView;
    bool State(TItemStateItem s) const;
    void SetState(TItemStateItem s, bool v);
    void SubItemsChanged(TObject*);
    // The item's window state bits from its fields.
    UINT StateBits() const;

    TListItems* owner_;
    String caption_;
    TStringList* subItems_;
    void* data_ = nullptr;
    int imageIndex_ = -1;
    int overlayIndex_ = -1;
    TItemStates states_;
    bool checked_ = false;
};

class TListItems : public TPersistent {
    Z_CLASS(TListItems, TPersistent)
public:
    explicit TListItems(TCustomListView* owner) : owner_(owner) {}
    ~TListItems() override;

    TCustomListView* Owner() const { return owner_; }
    int Count() const { return int(items_.size()); }
    TListItem* Item(int index) const;
    TListItem* operator[](int index) const { return Item(index); }
    int IndexOf(const TListItem* item) const;

    TListItem* Add() { return Insert(Count()); }
    TListItem* Insert(int index);
    void Delete(int index);
    void Clear();
    // Repaints once, at the end of the outermost bracket.
    void BeginUpdate();
    void EndUpdate();
    void Assign(TPersistent* source) override;

private:
    friend class TListItem;
    friend class TCustomListView;
    void Remove(TListItem* item);
    std::vector<TListItem*> items_;
    TCustomListView* owner_;
    int updateCount_ = 0;
};
