#pragma once
// TCustomComboBox and TComboBox: a combo box over the system's "COMBOBOX" window class, in the
// five styles: an edit with a drop-down list (csDropDown), an edit over an open list
// (csSimple), a drop-down list (csDropDownList) and its owner-drawn forms with fixed or
// variable item heights.
//
// Items, ItemIndex and the text are kept across window re-creation. The edit part of the edit
// styles is subclassed: its messages pass EditWndProc, which descendants override and which
// hands the rest to DefaultEditHandler (the edit's own procedure).
//
// Events of the user's actions: choosing an entry fires OnClick, then OnSelect (OnChange when
// OnSelect is not assigned); typing into the edit fires OnChange. Setting ItemIndex or Text from
// code fires nothing.

#include "CustomEdit.h"
#include "ListControlItems.h"
#include "SubclassedWindow.h"
#include "SystemControl.h"

Z_ENUM(TComboBoxStyle, Byte, csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable)

class TCustomComboBox : public TSystemControl {
    Z_CLASS(TCustomComboBox, TSystemControl)
    Z_MESSAGE_MAP(Z_MESSAGE(CN_COMMAND, CNCommand), Z_MESSAGE(CN_DRAWITEM, CNDrawItem),
                  Z_MESSAGE(CN_MEASUREITEM, CNMeasureItem), Z_MESSAGE(CN_DELETEITEM, CNDeleteItem),
                  Z_MESSAGE(WM_DELETEITEM, WMDeleteItem), Z_MESSAGE(WM_CTLCOLOREDIT, WMChildColor),
                  Z_MESSAGE(WM_CTLCOLORLISTBOX, WMChildColor), Z_MESSAGE(WM_CTLCOLORSTATIC, WMChildColor),
                  Z_MESSAGE(WM_CHAR, WMChar), Z_MESSAGE(CM_WANTSPECIALKEY, CMWantSpecialKey))
public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;

    TStrings* Items() const { return items_; }
    void SetItems(TStrings* v) { items_->Assign(v); }
    int ItemIndex() const;
    void SetItemIndex(int v);
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle v);
    // Height of the owner-drawn entries; the system's entry height for the other styles.
    int ItemHeight() const;
    virtual void SetItemHeight(int v);
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int v);
    bool DroppedDown() const;
    void SetDroppedDown(bool v);
    // A typed character drops the list down (once the window has taken it); Tab closes it.
    bool AutoDropDown() const { return autoDropDown_; }
    void SetAutoDropDown(bool v) { autoDropDown_ = v; }
    // Choosing an entry with the keys closes the list.
    bool AutoCloseUp() const { return autoCloseUp_; }
    void SetAutoCloseUp(bool v) { autoCloseUp_ = v; }
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase v);
    bool Sorted() const { return items_->Sorted(); }
    void SetSorted(bool v) { items_->SetSorted(v); }
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int v);

    // The selection in the edit part.
    int SelStart() const;
    void SetSelStart(int v);
    int SelLength() const;
    void SetSelLength(int v);
    String SelText() const;
    void SetSelText(const String& v);
    void SelectAll();
    void Clear();

    // The edit part (edit styles) and the list part, while there is a window.
    HWND EditHandle() const { return editWindow_.Handle(); }
    HWND ListHandle() const { return listHandle_; }
    bool Focused() const override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    TNotifyEvent OnChange, OnSelect, OnDropDown, OnCloseUp;
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

protected:
    const wchar_t* SystemClassName() const override { return L"COMBOBOX"; }
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void FillWindow() override;
    void SaveWindowState() override;
    void SetTextBuf(const String& v) override;
    void WndProc(TMessage& Message) override;

    virtual void Change() {
        if (OnChange) OnChange(this);
    }
    virtual void Select();
    virtual void DropDown() {
        if (OnDropDown) OnDropDown(this);
    }
    virtual void CloseUp() {
        if (OnCloseUp) OnCloseUp(this);
    }
    // Draws an owner-drawn entry on Canvas, whose colours already show the state: OnDrawItem,
    // or the entry's text.
    virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
    virtual void MeasureItem(int Index, int& Height);
    // Messages of the edit part; what is not taken goes to DefaultEditHandler.
    virtual void EditWndProc(TMessage& Message);
    void DefaultEditHandler(TMessage& Message) { editWindow_.CallOriginal(Message); }
    bool IsListStyle() const { return style_ != csDropDown && style_ != csSimple; }

    void CNCommand(TMessage& Message);
    void CNDrawItem(TMessage& Message);
    void CNMeasureItem(TMessage& Message);
    void CNDeleteItem(TMessage& Message);
    // An entry with data was deleted from the list (never sent for a window's re-creation).
    void WMDeleteItem(TMessage& Message);
    void WMChildColor(TMessage& Message);
    void CMWantSpecialKey(TMessage& Message);
    void WMChar(TMessage& Message);

private:
    void AutoDropDownAfterKey(wchar_t Key);
    int DroppedHeight() const;

    TListControlItems* items_;
    TComboBoxStyle style_ = csDropDown;
    int itemIndex_ = -1;
    int itemHeight_ = 16;
    int dropDownCount_ = 8;
    int maxLength_ = 0;
    TEditCharCase charCase_ = ecNormal;
    bool autoDropDown_ = false;
    bool autoCloseUp_ = false;
    TSubclassedWindow editWindow_;
    HWND listHandle_ = nullptr;
};

class TComboBox : public TCustomComboBox {
    Z_CLASS(TComboBox, TCustomComboBox)
    Z_PUBLISHED {
        using C = TComboBox;
        p.Property(L"Caption", &C::Caption, &C::SetCaption).Stored(false);  // Text is stored
        p.Property(L"TabStop", &C::TabStop, &C::SetTabStop).Default(true);
        p.Property(L"ParentColor", &C::ParentColor, &C::SetParentColor).Default(false);
        p.Property(L"Style", &C::Style, &C::SetStyle).Default(csDropDown);
        p.Property(L"ItemHeight", &C::ItemHeight, &C::SetItemHeight).Default(16);
        p.Property(L"DropDownCount", &C::DropDownCount, &C::SetDropDownCount).Default(8);
        p.Property(L"AutoDropDown", &C::AutoDropDown, &C::SetAutoDropDown).Default(false);
        p.Property(L"AutoCloseUp", &C::AutoCloseUp, &C::SetAutoCloseUp).Default(false);
        p.Property(L"CharCase", &C::CharCase, &C::SetCharCase).Default(ecNormal);
        p.Property(L"Sorted", &C::Sorted, &C::SetSorted).Default(false);
        p.Property(L"MaxLength", &C::MaxLength, &C::SetMaxLength).Default(0);
        // The entries before the chosen one, the text last (it may differ from the entry).
        p.Property(L"Items", &C::Items, &C::SetItems);
        p.Property(L"ItemIndex", &C::ItemIndex, &C::SetItemIndex).Default(-1);
        p.Property(L"Text", &C::Text, &C::SetText);
        p.Event(L"OnChange", &C::OnChange);
        p.Event(L"OnSelect", &C::OnSelect);
        p.Event(L"OnDropDown", &C::OnDropDown);
        p.Event(L"OnCloseUp", &C::OnCloseUp);
        p.Event(L"OnDrawItem", &C::OnDrawItem);
        p.Event(L"OnMeasureItem", &C::OnMeasureItem);
    }

public:
    explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};
