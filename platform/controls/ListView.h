#pragma once
// TCustomListView and TListView: a list view over the common controls' list-view class, in the
// icon, small-icon, list and report views.
//
// The items, their data and states, and the columns belong to the object (ListViewItems.h);
// each new window is filled from them, and its states and column widths are read back before it
// goes. The window asks for every text and image when it draws (LVN_GETDISPINFO), answered from
// the items and GetImageIndex, so descendants can supply their own by answering that
// notification first. Sorting sorts the items and then the window in the same order.

#include <commctrl.h>

#include "ImageList.h"
#include "ListViewItems.h"
#include "SystemControl.h"

Z_ENUM(TViewStyle, Byte, vsIcon, vsSmallIcon, vsList, vsReport)
// Scoped: the bar items' alignment (iaLeft, iaCenter, ...) shares a member name with it, and a
// window may use both.
enum class TIconArrangement : Byte { iaTop, iaLeft };
Z_ENUM_NAMES(TIconArrangement, iaTop, iaLeft)
Z_ENUM(TItemChange, Byte, ctText, ctImage, ctState)
Z_ENUM(TCustomDrawTarget, Byte, dtControl, dtItem, dtSubItem)
Z_ENUM(TCustomDrawStage, Byte, cdPrePaint, cdPostPaint, cdPreErase, cdPostErase)
// The states of an item being custom drawn, in the order of the system's CDIS_ bits.
enum TCustomDrawStateItem : Byte {
    cdsSelected,
    cdsGrayed,
    cdsDisabled,
    cdsChecked,
    cdsFocused,
    cdsDefault,
    cdsHot,
    cdsMarked,
    cdsIndeterminate
};
using TCustomDrawState = TSet<TCustomDrawStateItem>;

class TCustomListView;

// How the icon views place their items.
class TIconOptions : public TPersistent {
    Z_CLASS(TIconOptions, TPersistent)
    Z_PUBLISHED {
        using C = TIconOptions;
        p.Property(L"Arrangement", &C::Arrangement, &C::SetArrangement).Default(TIconArrangement::iaTop);
        p.Property(L"AutoArrange", &C::AutoArrange, &C::SetAutoArrange).Default(false);
        p.Property(L"WrapText", &C::WrapText, &C::SetWrapText).Default(true);
    }

public:
    explicit TIconOptions(TCustomListView* owner) : owner_(owner) {}
    TIconArrangement Arrangement() const { return arrangement_; }
    void SetArrangement(TIconArrangement v);
    bool AutoArrange() const { return autoArrange_; }
    void SetAutoArrange(bool v);
    bool WrapText() const { return wrapText_; }
    void SetWrapText(bool v);
    TPersistent* GetOwner() const override;

private:
    TCustomListView* owner_;
    TIconArrangement arrangement_ = TIconArrangement::iaTop;
    bool autoArrange_ = false;
    bool wrapText_ = true;
};

using TLVChangeEvent = TEvent<void(TObject* Sender, TListItem* Item, TItemChange Change)>;
using TLVChangingEvent = TEvent<void(TObject* Sender, TListItem* Item, TItemChange Change, bool& AllowChange)>;
using TLVSelectItemEvent = TEvent<void(TObject* Sender, TListItem* Item, bool Selected)>;
using TLVColumnClickEvent = TEvent<void(TObject* Sender, TListColumn* Column)>;
using TLVCompareEvent = TEvent<void(TObject* Sender, TListItem* Item1, TListItem* Item2, LPARAM Data, int& Compare)>;
using TLVDeletedEvent = TEvent<void(TObject* Sender, TListItem* Item)>;
using TLVNotifyEvent = TEvent<void(TObject* Sender, TListItem* Item)>;
using TLVEditingEvent = TEvent<void(TObject* Sender, TListItem* Item, bool& AllowEdit)>;
using TLVEditedEvent = TEvent<void(TObject* Sender, TListItem* Item, String& S)>;
using TLVInfoTipEvent = TEvent<void(TObject* Sender, TListItem* Item, String& InfoTip)>;
using TLVCustomDrawEvent = TEvent<void(TCustomListView* Sender, const TRect& ARect, bool& DefaultDraw)>;
using TLVCustomDrawItemEvent =
    TEvent<void(TCustomListView* Sender, TListItem* Item, TCustomDrawState State, bool& DefaultDraw)>;
// Orders two items: below 0, 0 or above 0.
using TLVCompare = int (*)(TListItem* Item1, TListItem* Item2, LPARAM Data);

class TCustomListView : public TSystemControl {
    Z_CLASS(TCustomListView, TSystemControl)
    Z_MESSAGE_MAP(Z_MESSAGE(CN_NOTIFY, CNNotify), Z_MESSAGE(WM_NOTIFY, WMNotify))
public:
    explicit TCustomListView(TComponent* AOwner);
    ~TCustomListView() override;

    TListColumns* Columns() const { return columns_; }
    void SetColumns(TListColumns* v) { columns_->Assign(v); }
    TListItems* Items() const { return items_; }
    void SetItems(TListItems* v) { items_->Assign(v); }
    TViewStyle ViewStyle() const { return viewStyle_; }
    virtual void SetViewStyle(TViewStyle v);
    TCustomImageList* LargeImages() const { return largeImages_; }
    void SetLargeImages(TCustomImageList* v) { SetImageList(largeImages_, v, LVSIL_NORMAL); }
    TCustomImageList* SmallImages() const { return smallImages_; }
    void SetSmallImages(TCustomImageList* v) { SetImageList(smallImages_, v, LVSIL_SMALL); }
    TCustomImageList* StateImages() const { return stateImages_; }
    void SetStateImages(TCustomImageList* v) { SetImageList(stateImages_, v, LVSIL_STATE); }
    TIconOptions* IconOptions() const { return iconOptions_; }
    void SetIconOptions(TIconOptions* v) { iconOptions_->Assign(v); }
    bool Checkboxes() const { return checkboxes_; }
    void SetCheckboxes(bool v);
    bool RowSelect() const { return rowSelect_; }
    void SetRowSelect(bool v);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool v);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool v);
    // Without ReadOnly the user may edit captions (F2 or a click on a selected caption).
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v);
    // Column headers that can be clicked (OnColumnClick).
    bool ColumnClick() const { return columnClick_; }
    void SetColumnClick(bool v);
    bool ShowColumnHeaders() const { return showColumnHeaders_; }
    void SetShowColumnHeaders(bool v);
    // How many items the window makes room for at a time.
    int AllocBy() const { return allocBy_; }
    void SetAllocBy(int v);

    // The first selected item, or null; setting it selects only that item.
    TListItem* Selected() const;
    void SetSelected(TListItem* v);
    TListItem* ItemFocused() const;
    void SetItemFocused(TListItem* v);
    int SelCount() const;
    void SelectAll();
    void ClearSelection();
    // The item at a client point, or null.
    TListItem* GetItemAt(int X, int Y) const;
    TListItem* TopItem() const;
    int VisibleRowCount() const;
    void Scroll(int DX, int DY);
    bool IsEditing() const override;
    // The header of the report view, while there is a window.
    HWND HeaderHandle() const;

    // Sorts the items (stably) with compare, then the window the same way.
    void CustomSort(TLVCompare compare, LPARAM data);
    // Sorts by OnCompare, or by the captions without letter case.
    void AlphaSort();

    TLVChangeEvent OnChange;
    TLVChangingEvent OnChanging;
    TLVSelectItemEvent OnSelectItem;
    TLVColumnClickEvent OnColumnClick;
    TLVCompareEvent OnCompare;
    TLVDeletedEvent OnDeletion, OnInsert;
    TLVEditingEvent OnEditing;
    TLVEditedEvent OnEdited;
    TLVNotifyEvent OnGetImageIndex;
    TLVInfoTipEvent OnInfoTip;
    TLVCustomDrawEvent OnCustomDraw;
    TLVCustomDrawItemEvent OnCustomDrawItem;

protected:
    const wchar_t* SystemClassName() const override { return WC_LISTVIEWW; }
    void CreateParams(TCreateParams& Params) override;
    void FillWindow() override;
    void SaveWindowState() override;
    void ApplyColors() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    virtual bool CanEdit(TListItem* Item);
    // The user finished editing a caption with text S (OnEdited may change it).
    virtual void Edit(TListItem* Item, String& S);
    virtual bool CanChange(TListItem* Item, TItemChange Change);
    virtual void Change(TListItem* Item, TItemChange Change);
    virtual void ColClick(TListColumn* Column) {
        if (OnColumnClick) OnColumnClick(this, Column);
    }
    // An item was added (OnInsert); descendants attach their data here.
    virtual void InsertItem(TListItem* Item) {
        if (OnInsert) OnInsert(this, Item);
    }
    // An item is being deleted (OnDeletion); never called for a window's re-creation.
    virtual void Delete(TListItem* Item) {
        if (OnDeletion) OnDeletion(this, Item);
    }
    // Lets OnGetImageIndex set the item's ImageIndex before the window draws it.
    virtual void GetImageIndex(TListItem* Item) {
        if (OnGetImageIndex) OnGetImageIndex(this, Item);
    }
    virtual void DoInfoTip(TListItem* Item, String& InfoTip) {
        if (OnInfoTip) OnInfoTip(this, Item, InfoTip);
    }
    // Custom drawing: IsCustomDrawn says which stages want it; the drawing steps answer whether
    // the window should still draw by default. Canvas holds the control's font and colour, which
    // an item step may change for the item.
    virtual bool IsCustomDrawn(TCustomDrawTarget Target, TCustomDrawStage Stage);
    virtual bool CustomDraw(const TRect& ARect, TCustomDrawStage Stage);
    virtual bool CustomDrawItem(TListItem* Item, TCustomDrawState State, TCustomDrawStage Stage);

    void CNNotify(TMessage& Message);
    void WMNotify(TMessage& Message);

private:
    friend class TListItem;
    friend class TListItems;
    friend class TListColumns;
    friend class TListColumn;
    friend class TIconOptions;
    void SetImageList(TCustomImageList*& field, TCustomImageList* v, int kind);
    void ImageListChanged(TObject* Sender);
    void ApplyImageLists();
    DWORD ExtendedStyle() const;
    void InsertIntoWindow(TListItem* item, int index);
    void ShowColumns();
    void RepaintItem(TListItem* item);
    void DeleteItem(TListItem* item);
    void SortWindowByItems();
    TListItem* ItemOf(int index, LPARAM param) const;
    LRESULT CustomDrawNotify(NMLVCUSTOMDRAW& draw);
    void DisplayInfo(NMLVDISPINFOW& info);

    TListColumns* columns_;
    TListItems* items_;
    TIconOptions* iconOptions_;
    TViewStyle viewStyle_ = vsIcon;
    TCustomImageList* largeImages_ = nullptr;
    TCustomImageList* smallImages_ = nullptr;
    TCustomImageList* stateImages_ = nullptr;
    TChangeLink* imageChangeLink_;
    bool checkboxes_ = false;
    bool rowSelect_ = false;
    bool multiSelect_ = false;
    bool hideSelection_ = true;
    bool readOnly_ = false;
    bool columnClick_ = true;
    bool showColumnHeaders_ = true;
    int allocBy_ = 0;
};

class TListView : public TCustomListView {
    Z_CLASS(TListView, TCustomListView)
    Z_PUBLISHED {
        using C = TListView;
        p.Property(L"TabStop", &C::TabStop, &C::SetTabStop).Default(true);
        p.Property(L"ParentColor", &C::ParentColor, &C::SetParentColor).Default(false);
        p.Property(L"BorderStyle", &C::BorderStyle, &C::SetBorderStyle).Default(bsSingle);
        p.Property(L"Columns", &C::Columns, &C::SetColumns);
        p.Property(L"ViewStyle", &C::ViewStyle, &C::SetViewStyle).Default(vsIcon);
        p.Property(L"LargeImages", &C::LargeImages, &C::SetLargeImages);
        p.Property(L"SmallImages", &C::SmallImages, &C::SetSmallImages);
        p.Property(L"StateImages", &C::StateImages, &C::SetStateImages);
        p.Property(L"IconOptions", &C::IconOptions, &C::SetIconOptions);
        p.Property(L"Checkboxes", &C::Checkboxes, &C::SetCheckboxes).Default(false);
        p.Property(L"RowSelect", &C::RowSelect, &C::SetRowSelect).Default(false);
        p.Property(L"MultiSelect", &C::MultiSelect, &C::SetMultiSelect).Default(false);
        p.Property(L"HideSelection", &C::HideSelection, &C::SetHideSelection).Default(true);
        p.Property(L"ReadOnly", &C::ReadOnly, &C::SetReadOnly).Default(false);
        p.Property(L"ColumnClick", &C::ColumnClick, &C::SetColumnClick).Default(true);
        p.Property(L"ShowColumnHeaders", &C::ShowColumnHeaders, &C::SetShowColumnHeaders).Default(true);
        p.Property(L"AllocBy", &C::AllocBy, &C::SetAllocBy).Default(0);
        p.Event(L"OnChange", &C::OnChange);
        p.Event(L"OnChanging", &C::OnChanging);
        p.Event(L"OnSelectItem", &C::OnSelectItem);
        p.Event(L"OnColumnClick", &C::OnColumnClick);
        p.Event(L"OnCompare", &C::OnCompare);
        p.Event(L"OnDeletion", &C::OnDeletion);
        p.Event(L"OnInsert", &C::OnInsert);
        p.Event(L"OnEditing", &C::OnEditing);
        p.Event(L"OnEdited", &C::OnEdited);
        p.Event(L"OnGetImageIndex", &C::OnGetImageIndex);
        p.Event(L"OnInfoTip", &C::OnInfoTip);
        p.Event(L"OnCustomDraw", &C::OnCustomDraw);
        p.Event(L"OnCustomDrawItem", &C::OnCustomDrawItem);
    }

public:
    explicit TListView(TComponent* AOwner) : TCustomListView(AOwner) {}
};
