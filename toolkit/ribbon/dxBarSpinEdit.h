#pragma once
// TdxBarSpinEdit: a numeric edit on a bar or in a menu, with an up and a down button at the
// right end of its box. The number is never kept apart from the text: Value is parsed from Text
// each time, and every text the item stores is a formatted number within the bounds (a text
// that is no number is refused). The buttons, the Up and Down keys and the wheel step the
// number shown in the open editor by Increment; the item's Text follows when the editor stores
// its text (Enter, Tab), as in any bar edit.
//
// TdxBarSpinEditControl: its item control. Parts 3 and 4 are the up and down buttons; a press
// on one steps at once, then after the double-click time less 100 ms every 100 ms while the
// button stays pressed under the cursor (the edit window holds the mouse meanwhile).

#include "Events.h"
#include "dxBarEdit.h"
#include "dxBarEditControl.h"

Z_ENUM(TdxBarSpinEditButton, Byte, sbNone, sbUp, sbDown)
Z_ENUM(TdxBarSpinEditPrefixPlace, Byte, ppStart, ppEnd)
Z_ENUM(TdxBarSpinEditValueType, Byte, svtInteger, svtFloat)

class TdxBarSpinEdit;
class TdxBarSpinEditControl;
using TdxBarSpinEditButtonClickEvent = TEvent<void(TdxBarSpinEdit* Sender, TdxBarSpinEditButton Button)>;

class TdxBarSpinEdit : public TdxBarEdit {
    Z_CLASS(TdxBarSpinEdit, TdxBarEdit)
    Z_PUBLISHED {
        p.Property(L"ValueType", &TdxBarSpinEdit::ValueType, &TdxBarSpinEdit::SetValueType).Default(svtInteger);
        p.Property(L"Increment", &TdxBarSpinEdit::Increment, &TdxBarSpinEdit::SetIncrement).Default(1);
        p.Property(L"MaxValue", &TdxBarSpinEdit::MaxValue, &TdxBarSpinEdit::SetMaxValue).Default(0);
        p.Property(L"MinValue", &TdxBarSpinEdit::MinValue, &TdxBarSpinEdit::SetMinValue).Default(0);
        p.Property(L"Prefix", &TdxBarSpinEdit::Prefix, &TdxBarSpinEdit::SetPrefix);
        p.Property(L"PrefixPlace", &TdxBarSpinEdit::PrefixPlace, &TdxBarSpinEdit::SetPrefixPlace).Default(ppEnd);
        p.Property(L"Value", &TdxBarSpinEdit::Value, &TdxBarSpinEdit::SetValue).Default(0);
        p.Event(L"OnButtonClick", &TdxBarSpinEdit::OnButtonClick);
    }

public:
    explicit TdxBarSpinEdit(TComponent* owner);

    Extended Increment() const { return increment_; }
    // Truncated for integers; an integer step below 1, or a float step not above 0, becomes 1.
    void SetIncrement(Extended value);
    Extended MaxValue() const { return maxValue_; }
    // Moves MinValue down to a smaller maximum, then clamps the value and the editor's number.
    void SetMaxValue(Extended value);
    Extended MinValue() const { return minValue_; }
    // Moves MaxValue up to a greater minimum, then clamps as SetMaxValue does.
    void SetMinValue(Extended value);
    String Prefix() const { return prefix_; }
    void SetPrefix(const String& value);
    TdxBarSpinEditPrefixPlace PrefixPlace() const { return prefixPlace_; }
    void SetPrefixPlace(TdxBarSpinEditPrefixPlace value);
    TdxBarSpinEditValueType ValueType() const { return valueType_; }
    // Switching to integers truncates the step, the bounds, the value and the editor's number.
    void SetValueType(TdxBarSpinEditValueType value);

    // The number of Text (MinValue when Text is no number).
    Extended Value() const { return Parse(GetText()); }
    void SetValue(Extended value);
    // Stores the formatted, clamped number of a text that converts; any other text is ignored.
    void SetText(const String& value) override;

    // The number shown by the open editor (Value when no editor is open), and writing it there.
    Extended EditingValue() const;
    void SetEditingValue(Extended value);
    // One step of the editor's number; OnButtonClick fires also when a bound held it still.
    void Step(TdxBarSpinEditButton button);

    // -- the number text rules
    bool BoundsInForce() const { return minValue_ != 0 || maxValue_ != 0; }
    Extended Normalize(Extended value) const;
    Extended Clamp(Extended value) const;
    String Format(Extended value) const;
    Extended Parse(const String& text) const;

    void DoKeyDown(Word& key, TShiftState shift) override;
    void DoKeyPress(wchar_t& key) override;
    void DoKeyUp(Word& key, TShiftState shift) override;

    TdxBarSpinEditButtonClickEvent OnButtonClick;

private:
    String WithoutPrefix(const String& text) const;
    bool Converts(const String& text) const;
    // The control whose editor is open, nil when none.
    TdxBarSpinEditControl* EditingControl() const;
    void ReclampAfterBoundsChange();

    Extended increment_ = 1;
    Extended maxValue_ = 0;
    Extended minValue_ = 0;
    String prefix_;
    TdxBarSpinEditPrefixPlace prefixPlace_ = ppEnd;
    TdxBarSpinEditValueType valueType_ = svtInteger;
};

class TdxBarSpinEditControl : public TdxBarEditControl {
    Z_CLASS(TdxBarSpinEditControl, TdxBarEditControl)
public:
    explicit TdxBarSpinEditControl(TdxBarItemLink* link) : TdxBarEditControl(link) {}
    ~TdxBarSpinEditControl() override;

    static constexpr int UpButtonPart = 3;
    static constexpr int DownButtonPart = 4;

    TdxBarSpinEdit* SpinEdit() const;
    // 3 up, 4 down, -1 none; a read-only item never shows a pressed button.
    int ActiveButton() const { return activeButton_; }
    void SetActiveButton(int part);
    bool Spinning() const { return repeatTimer_ != 0; }
    void StopSpinning();

    void CalcDrawParams(bool withItemData) override;
    void DrawEditContent() override;

protected:
    TdxBarItemControlDrawParams* CreateDrawParams() override;
    void CalcEditParts(TRect* parts) override;
    void AdjustDropDownButtonWidth(TRect& frameRect) override;
    void HandleEditMessage(TMessage& message) override;
    void EditKillFocus(HWND newFocus) override;

private:
    // The button part under the point of a mouse message of the edit window; -1 elsewhere.
    int ButtonPartAt(const TMessage& message);
    void StepActiveButton();

    int activeButton_ = -1;
    UINT_PTR repeatTimer_ = 0;
};
