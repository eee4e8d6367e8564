#pragma once
// The add-item dialog: creates a new command of one of the item classes that the item registry
// offers, in a chosen category, with a name and a caption. A name that is not a valid component
// name or is already taken does not close the dialog: the item is dropped again and a fresh
// unique name is offered, without a message.

#include <vector>

#include "Button.h"
#include "ComboBox.h"
#include "CustomEdit.h"
#include "Form.h"
#include "Label.h"
#include "dxBarForward.h"

class TdxBarItemAddEditor : public TForm {
    Z_CLASS(TdxBarItemAddEditor, TForm)
    Z_PUBLISHED {
        p.Method(L"FormShow", &TdxBarItemAddEditor::FormShow);
        p.Method(L"ComboBox1Click", &TdxBarItemAddEditor::ComboBox1Click);
        p.Method(L"BOkClick", &TdxBarItemAddEditor::BOkClick);
    }

public:
    // Reads the stored description "dxBarItemAddEditor".
    explicit TdxBarItemAddEditor(TComponent* owner) : TForm(owner) {}

    // Fills the lists from the manager: its categories (categoryIndex selected when it is one,
    // else the first) and the offered item classes (the first selected, its unique name shown).
    void Prepare(TdxBarManager* manager, int categoryIndex);
    TdxBarManager* Manager() const { return manager_; }
    // The item that OK created; nil before.
    TdxBarItem* CreatedItem() const { return createdItem_; }
    // The item class chosen in ComboBox1; nil when none.
    TClass SelectedItemClass() const;

    TLabel *LType = nullptr, *LCategory = nullptr, *LName = nullptr, *LCaption = nullptr;
    TComboBox *ComboBox1 = nullptr, *ComboBox2 = nullptr;
    TEdit *Edit1 = nullptr, *Edit2 = nullptr;
    TButton *BOk = nullptr, *BCancel = nullptr;

protected:
    void Loaded() override;

private:
    void FormShow(TObject* Sender);
    void ComboBox1Click(TObject* Sender);
    void BOkClick(TObject* Sender);

    TdxBarManager* manager_ = nullptr;
    TdxBarItem* createdItem_ = nullptr;
    std::vector<TClass> itemClasses_;  // of ComboBox1's entries
};

// Runs the add-item dialog modally. The new item (owned by the manager's owner) when confirmed,
// nil when cancelled. The dialog shows its texts in the font of the form that opens it (the
// Customize dialog).
TdxBarItem* ShowAddItemDialog(TdxBarManager* manager, int categoryIndex);
