#pragma once
// TCustomListBox and TListBox: a list over the system's "LISTBOX" window class, standard or
// owner-drawn with fixed or variable item heights, with single or multiple selection.
//
// Items, their selection, ItemIndex and TopIndex are kept across window re-creation. A click
// that changes the selection fires OnClick.

#include "ListControlItems.h"
#include "SystemControl.h"

Z_ENUM(TListBoxStyle, Byte, lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable)

class TCustomListBox : public TSystemControl {
    Z_CLASS(TCustomListBox, TSystemControl)
    Z_MESSAGE_MAP(Z_MESSAGE(CN_COMMAND, CNCommand), Z_MESSAGE(CN_DRAWITEM, CNDrawItem),
                  Z_MESSAGE(CN_MEASUREITEM, CNMeasureItem))
public:
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;

    TStrings* Items() const { return items_; }
    void SetItems(TStrings* v) { items_->Assign(v); }
    int Count() const { return items_->Count(); }
    // The selected item; in a multi-selecting list, the item with the focus rectangle.
    int ItemIndex() const;
    void SetItemIndex(int v);
    TListBoxStyle Style() const { return style_; }
    void SetStyle(TListBoxStyle v);
    int ItemHeight() const;
    void SetItemHeight(int v);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool v);
    // With MultiSelect: Shift and Ctrl extend the selection (otherwise each click toggles).
    bool ExtendedSelect() const { return extendedSelect_; }
    void SetExtendedSelect(bool v);
    bool IntegralHeight() const { return integralHeight_; }
    void SetIntegralHeight(bool v);
    bool Sorted() const { return items_->Sorted(); }
    void SetSorted(bool v) { items_->SetSorted(v); }
    bool Selected(int index) const;
    void SetSelected(int index, bool v);
    int SelCount() const;
    int TopIndex() const;
    void SetTopIndex(int v);

    // The item under a client point; below the last item -1 when Existing, else Count.
    int ItemAtPos(TPoint pos, bool Existing) const;
    TRect ItemRect(int index) const;
    void Clear() { items_->Clear(); }
    void ClearSelection();
    void SelectAll();
    void DeleteSelected();

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

protected:
    const wchar_t* SystemClassName() const override { return L"LISTBOX"; }
    void CreateParams(TCreateParams& Params) override;
    void FillWindow() override;
    void SaveWindowState() override;
    virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
    virtual void MeasureItem(int Index, int& Height);

private:
    void CNCommand(TMessage& Message);
    void CNDrawItem(TMessage& Message);
    void CNMeasureItem(TMessage& Message);
    bool OwnerDrawn() const { return style_ != lbStandard; }
    // How the window selects (which may differ from MultiSelect while it is being changed).
    bool WindowMultiSelects() const;

    TListControlItems* items_;
    TListBoxStyle style_ = lbStandard;
    int itemIndex_ = -1;
    int itemHeight_ = 16;
    int topIndex_ = 0;
    bool multiSelect_ = false;
    bool extendedSelect_ = true;
    bool integralHeight_ = false;
};

class TListBox : public TCustomListBox {
    Z_CLASS(TListBox, TCustomListBox)
    Z_PUBLISHED {
        using C = TListBox;
        p.Property(L"TabStop", &C::TabStop, &C::SetTabStop).Default(true);
        p.Property(L"ParentColor", &C::ParentColor, &C::SetParentColor).Default(false);
        p.Property(L"BorderStyle", &C::BorderStyle, &C::SetBorderStyle).Default(bsSingle);
        p.Property(L"Style", &C::Style, &C::SetStyle).Default(lbStandard);
        p.Property(L"ItemHeight", &C::ItemHeight, &C::SetItemHeight).Default(16);
        p.Property(L"MultiSelect", &C::MultiSelect, &C::SetMultiSelect).Default(false);
        p.Property(L"ExtendedSelect", &C::ExtendedSelect, &C::SetExtendedSelect).Default(true);
        p.Property(L"IntegralHeight", &C::IntegralHeight, &C::SetIntegralHeight).Default(false);
        p.Property(L"Sorted", &C::Sorted, &C::SetSorted).Default(false);
        p.Property(L"Items", &C::Items, &C::SetItems);
        p.Event(L"OnDrawItem", &C::OnDrawItem);
        p.Event(L"OnMeasureItem", &C::OnMeasureItem);
    }

public:
    explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};
