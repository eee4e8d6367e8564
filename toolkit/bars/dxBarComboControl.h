#pragma once
// Combo controls: an edit control with a drop-down button and the item's drop-down window.
// TCustomdxBarComboControl decides when the window opens and closes, where it opens, and which
// keys go to it. TdxBarComboControl shows a string combo: while it edits, the arrow keys and the
// wheel step a local index through the entries without touching the item, and Enter or Tab
// commits it as the item's ItemIndex (a typed text is stored as text instead).

#include "dxBarEditControl.h"

class TCustomdxBarCombo;
class TdxBarCustomCombo;

class TCustomdxBarComboControl : public TdxBarEditControl {
    Z_CLASS(TCustomdxBarComboControl, TdxBarEditControl)
public:
    explicit TCustomdxBarComboControl(TdxBarItemLink* link) : TdxBarEditControl(link) {}
    ~TCustomdxBarComboControl() override;

    TCustomdxBarCombo* GetComboItem() const;
    HWND GetDropDownWindowHandle() const;
    bool DroppedDown() const { return droppedDown_; }
    bool IsDroppedDown() const { return droppedDown_; }
    // Opens or closes the item's drop-down window; a read-only item never opens.
    virtual void ChangeDroppedDown(bool value);
    // Below the edit box on a horizontal toolbar, beside the control in a menu or on a vertical
    // toolbar; in screen coordinates.
    virtual TPoint CalcDropDownPos();

    void ControlInactivate(bool immediately) override;
    // The list closes with the editor, also when the focus leaves to another window.
    void ChangeFocused(bool value) override;
    void EnabledChanged() override;
    bool ContainsWindow(HWND window) const override;
    bool DrawsText() const override;
    void DrawEditContent() override;

protected:
    bool ItemShowsEditor() const override;
    void CalcEditParts(TRect* parts) override;
    void AdjustDropDownButtonWidth(TRect& frameRect) override;
    bool HandleKeyDown(Word& key, TShiftState shift) override;
    void HandleKeyUp(Word& key) override;
    void HandleEditMessage(TMessage& message) override;
    // Does the part under the mouse open the list? The button; the whole box without an editor.
    bool IsDropDownPartHot() const;

private:
    bool droppedAtPress_ = false;
    bool droppedDown_ = false;
};

class TdxBarComboControl : public TCustomdxBarComboControl {
    Z_CLASS(TdxBarComboControl, TCustomdxBarComboControl)
public:
    explicit TdxBarComboControl(TdxBarItemLink* link) : TCustomdxBarComboControl(link) {}

    TdxBarCustomCombo* GetCustomCombo() const;
    int LocalItemIndex() const { return localItemIndex_; }
    // Shows the entry in the editor (the item keeps its index until Enter or Tab).
    void SetLocalItemIndex(int index);
    void ChangeFocused(bool value) override;
    void LoadTextFromItem() override;
    void PaintEditText(TcxCanvas* canvas, const TRect& rect) override;

protected:
    void HandleEditMessage(TMessage& message) override;

private:
    int localItemIndex_ = -1;
};
