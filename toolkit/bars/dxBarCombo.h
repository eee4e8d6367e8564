#pragma once
// Combo items: an edit with a list of entries (Items), the chosen entry (ItemIndex) and a
// drop-down window. The text and the index follow each other: choosing an entry sets the text
// and fires OnChange once; a text that matches an entry (letter case ignored) chooses it.
//
// Classes: TCustomdxBarCombo (the drop-down protocol) · TdxBarCustomCombo (entries, index,
// sorting, prefix search, the owned drop-down list box) · TdxBarCombo (publishes them).

#include "StringList.h"
#include "SystemControl.h"
#include "dxBarEdit.h"

class TCustomdxBarCombo;
class TdxBarCustomCombo;
class TdxBarDropDownListBox;
class TdxBarPainter;
class TcxCanvas;

using TdxBarCheckKeyForDropDownWindowEvent =
    TEvent<void(TCustomdxBarCombo* Sender, Word Key, TShiftState Shift, bool& AcceptKey)>;
using TdxBarGetDropDownWindowEvent = TEvent<void(TCustomdxBarCombo* Sender, HWND& Window)>;
using TdxBarDrawItemEvent = TEvent<void(TdxBarCustomCombo* Sender, int AIndex, TRect ARect, TOwnerDrawState AState)>;
using TdxBarMeasureItemEvent = TEvent<void(TdxBarCustomCombo* Sender, int AIndex, int& AHeight)>;

// Where a drop-down window of the given size opens for a requested point below an item of the
// given size: on a horizontal toolbar it may open above the item, beside a menu item or on a
// vertical toolbar on its other side; it stays inside the work area.
TPoint FitDropDownPosition(TPoint requested, TSize window, TSize item, const TRect& workArea, bool beside);

class TCustomdxBarCombo : public TdxBarEdit {
    Z_CLASS(TCustomdxBarCombo, TdxBarEdit)
    Z_PUBLISHED {
        p.Property(L"ShowEditor", &TCustomdxBarCombo::ShowEditor, &TCustomdxBarCombo::SetShowEditor).Default(true);
        p.Event(L"OnCheckKeyForDropDownWindow", &TCustomdxBarCombo::OnCheckKeyForDropDownWindow);
        p.Event(L"OnCloseUp", &TCustomdxBarCombo::OnCloseUp);
        p.Event(L"OnDropDown", &TCustomdxBarCombo::OnDropDown);
        p.Event(L"OnGetDropDownWindow", &TCustomdxBarCombo::OnGetDropDownWindow);
    }

public:
    explicit TCustomdxBarCombo(TComponent* owner) : TdxBarEdit(owner) {}

    bool ShowEditor() const { return !noEditor_; }
    void SetShowEditor(bool value) { noEditor_ = !value; }

    // Does the key go to the open drop-down window? Not Tab, Enter and Escape, unless the
    // event says otherwise.
    virtual bool CheckKeyForDropDownWindow(Word key, TShiftState shift);
    virtual HWND GetDropDownWindow();
    virtual void InitDropDownWindow() {}
    // OnDropDown, then the window (when there is one) moved to (x, y), fitted to the work area,
    // and shown without activation.
    virtual void DropDown(int x, int y);
    virtual void CloseUp();
    virtual void StartDropDownTracking() {}
    // In the Customize dialog's command list: as an edit, with a drop-down button.
    void DrawCommandListText(TCanvas* canvas, const TRect& rect, bool selected) override;

    TdxBarCheckKeyForDropDownWindowEvent OnCheckKeyForDropDownWindow;
    TNotifyEvent OnCloseUp, OnDropDown;
    TdxBarGetDropDownWindowEvent OnGetDropDownWindow;

protected:
    // The editing link's item rectangle, and whether it lies in a sub menu or on a vertically
    // docked toolbar.
    virtual TSize ActiveItemSize() const;
    virtual bool ActiveItemBeside() const;

private:
    bool noEditor_ = false;
};

class TdxBarCustomCombo : public TCustomdxBarCombo {
    Z_CLASS(TdxBarCustomCombo, TCustomdxBarCombo)
public:
    explicit TdxBarCustomCombo(TComponent* owner);
    ~TdxBarCustomCombo() override;

    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int value) { dropDownCount_ = value; }
    int DropDownWidth() const { return dropDownWidth_; }
    void SetDropDownWidth(int value) { dropDownWidth_ = value; }
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int value) { itemHeight_ = value; }
    int ItemIndex() const { return itemIndex_; }
    // The entry becomes the text; OnChange fires once even when the text stays the same.
    void SetItemIndex(int value);
    TStrings* Items() const { return items_; }
    void SetItems(TStrings* value) { items_->Assign(value); }
    bool Sorted() const { return sorted_; }
    // Sorts the entries; the index follows the text without an event.
    void SetSorted(bool value);
    // A text that names an entry (letter case ignored) chooses it, else none.
    void SetText(const String& value) override;
    // The first entry that starts with text, else the first that shares the longest prefix
    // with it (letter case ignored); -1 for none and for an empty text.
    int FindItemByPrefix(const String& text) const;
    // Only the list keys (up, down, page up, page down, without modifiers) go to the list.
    bool CheckKeyForDropDownWindow(Word key, TShiftState shift) override;
    // The event's window, else the list box's window (while it has one).
    HWND GetDropDownWindow() override;
    TdxBarDropDownListBox* ListBox() const { return listBox_; }
    // The list box joins the editing control's bar window, then drops down showing the entry
    // the editor shows.
    void DropDown(int x, int y) override;
    void CloseUp() override;
    // The entries, the editor's font and colours, the width and the height of DropDownCount
    // entries (plus the border) go to the list box.
    void InitDropDownWindow() override;
    // While the left button is down the list takes the mouse and waits for the pointer.
    void StartDropDownTracking() override;
    // DropDownWidth when set; else the editing control's edit box less 4 (less the scroll bar
    // when the entries scroll), widened to the widest entry; then 4 and the scroll bar added.
    int GetDropDownWidth();
    // ItemHeight when set, else the height of "Qq" in the list's font; OnMeasureItem may change it.
    virtual void MeasureItem(int index, int& height);
    virtual void MeasureItemWidth(int index, int& width);
    // OnDrawItem when set, else the painter; a focused entry gets a focus rectangle.
    virtual void DrawItem(TdxBarPainter* painter, int index, TOwnerDrawState state, const TRect& rect);
    // The editing control's index while it edits, else ItemIndex.
    int GetCurItemIndex() const;
    // Draws the entry at index (the text when -1) into a control's edit area as in the list.
    void PaintEditText(TdxBarPainter* painter, TcxCanvas* canvas, int index, const TRect& rect);

    TdxBarDrawItemEvent OnDrawItem;
    TdxBarMeasureItemEvent OnMeasureItem;

protected:
    // Where an entry is drawn now: the edit area being painted, else the list box.
    TcxCanvas* DrawItemCanvas();

private:
    void ItemsChanged(TObject* sender);

    TStringList* items_ = nullptr;
    TdxBarDropDownListBox* listBox_ = nullptr;
    TcxCanvas* listCanvas_ = nullptr;  // over the list box's canvas
    TcxCanvas* editCanvas_ = nullptr;  // set while an edit area is painted
    bool drawingInterior_ = false;
    int dropDownCount_ = 8, dropDownWidth_ = 0, itemHeight_ = 0, itemIndex_ = -1;
    bool sorted_ = false;
};

class TdxBarCombo : public TdxBarCustomCombo {
    Z_CLASS(TdxBarCombo, TdxBarCustomCombo)
    Z_PUBLISHED {
        p.Property(L"DropDownCount", &TdxBarCombo::DropDownCount, &TdxBarCombo::SetDropDownCount).Default(8);
        p.Property(L"DropDownWidth", &TdxBarCombo::DropDownWidth, &TdxBarCombo::SetDropDownWidth).Default(0);
        p.Property(L"ItemHeight", &TdxBarCombo::ItemHeight, &TdxBarCombo::SetItemHeight).Default(0);
        p.Property(L"Items", &TdxBarCombo::Items, &TdxBarCombo::SetItems);
        p.Property(L"Sorted", &TdxBarCombo::Sorted, &TdxBarCombo::SetSorted).Default(false);
        p.Property(L"ItemIndex", &TdxBarCombo::ItemIndex, &TdxBarCombo::SetItemIndex).Default(-1);
        p.Event(L"OnDrawItem", &TdxBarCombo::OnDrawItem);
        p.Event(L"OnMeasureItem", &TdxBarCombo::OnMeasureItem);
    }

public:
    explicit TdxBarCombo(TComponent* owner) : TdxBarCustomCombo(owner) {}
};
