#pragma once
// TCommandCombo: a combo box of the editor's command strip that keeps its entry and its text as
// the ribbon's combos will, so that the handlers bound to it see the same events then as now.
//
// - SetItemIndex: an equal index does nothing; an index outside the entries becomes -1; the text
//   follows the entry (empty for -1), and the change event fires even when that text was already
//   shown.
// - SetText: the entry becomes the one holding the text (-1 when none does); the change event
//   fires only when the text differs from the one kept.
// - A choice the user makes in the list goes through SetItemIndex.
// ItemIndex, SetItemIndex, Text and SetText stand in for the platform combo box's members of the
// same names; call them through a TCommandCombo.

#include "RzComboBox.h"
#include "RzRegIniFile.h"  // the frame controller publishes one

class TCommandCombo : public TRzComboBox {
    Z_CLASS(TCommandCombo, TRzComboBox)
    Z_PUBLISHED {
        p.Property(L"ItemIndex", &TCommandCombo::ItemIndex, &TCommandCombo::SetItemIndex).Default(-1);
        p.Property(L"Style", &TCommandCombo::Style, &TCommandCombo::SetStyle).Default(csDropDownList);
    }

public:
    explicit TCommandCombo(TComponent* AOwner);

    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int value);
    const String& Text() const { return text_; }
    void SetText(const String& value);

protected:
    // The platform combo box reports the user's choice here.
    void Change() override;

private:
    // Stores the text, shows it and fires the change event, when it differs from the kept one.
    void StoreText(const String& value);
    void ShowEntry();
    void FireChange();

    int itemIndex_ = -1;
    String text_;
};
