// The command strip's combo box with the entry-and-text rules of the ribbon's combos.

#include "uCommandCombo.h"

TCommandCombo::TCommandCombo(TComponent* AOwner) : TRzComboBox(AOwner) { SetStyle(csDropDownList); }

void TCommandCombo::SetItemIndex(int value) {
    if (value == itemIndex_) return;
    itemIndex_ = value >= 0 && value < Items()->Count() ? value : -1;
    const String target = itemIndex_ >= 0 ? Items()->Get(itemIndex_) : String();
    if (target != text_) {
        SetText(target);
        return;
    }
    // The same text: the combo shows its entry again and reports the change all the same.
    ShowEntry();
    FireChange();
}

void TCommandCombo::SetText(const String& value) {
    if (itemIndex_ < 0 || Items()->Get(itemIndex_) != value) itemIndex_ = Items()->IndexOf(value);
    StoreText(value);
}

void TCommandCombo::StoreText(const String& value) {
    ShowEntry();
    if (value == text_) return;
    text_ = value;
    FireChange();
}

void TCommandCombo::ShowEntry() { TRzComboBox::SetItemIndex(itemIndex_); }

void TCommandCombo::FireChange() { TRzComboBox::Change(); }

void TCommandCombo::Change() {
    const int chosen = TRzComboBox::ItemIndex();
    if (chosen != itemIndex_) SetItemIndex(chosen);
}
