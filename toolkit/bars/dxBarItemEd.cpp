#include "dxBarItemEd.h"

#include "Screen.h"
#include "SysExceptions.h"
#include "dxBarDialogParts.h"
#include "dxBarItem.h"
#include "dxBarItemRegistry.h"
#include "dxBarManager.h"
#include "dxBarUnit.h"

void TdxBarItemAddEditor::Loaded() {
    TForm::Loaded();
    LType = DialogPart<TLabel>(this, L"LType");
    LCategory = DialogPart<TLabel>(this, L"LCategory");
    LName = DialogPart<TLabel>(this, L"LName");
    LCaption = DialogPart<TLabel>(this, L"LCaption");
    ComboBox1 = DialogPart<TComboBox>(this, L"ComboBox1");
    ComboBox2 = DialogPart<TComboBox>(this, L"ComboBox2");
    Edit1 = DialogPart<TEdit>(this, L"Edit1");
    Edit2 = DialogPart<TEdit>(this, L"Edit2");
    BOk = DialogPart<TButton>(this, L"BOk");
    BCancel = DialogPart<TButton>(this, L"BCancel");
}

void TdxBarItemAddEditor::Prepare(TdxBarManager* manager, int categoryIndex) {
    manager_ = manager;
    TStrings* categories = ComboBox2->Items();
    categories->BeginUpdate();
    categories->Clear();
    for (int i = 0; i < manager->Categories()->Count(); ++i) categories->Add(manager->Categories()->Strings(i));
    categories->EndUpdate();
    ComboBox2->SetItemIndex(categoryIndex >= 0 && categoryIndex < categories->Count() ? categoryIndex : 0);

    TStrings* classes = ComboBox1->Items();
    classes->BeginUpdate();
    classes->Clear();
    itemClasses_.clear();
    if (TdxBarItemList* registry = ItemRegistryInstance())
        for (int i = 0; i < registry->GetOfferedClassCount(); ++i) {
            TClass itemClass = registry->GetOfferedClass(i);
            itemClasses_.push_back(itemClass);
            classes->Add(itemClass->ClassName());
        }
    classes->EndUpdate();
    ComboBox1->SetItemIndex(0);
    ComboBox1Click(ComboBox1);
}

TClass TdxBarItemAddEditor::SelectedItemClass() const {
    int index = ComboBox1->ItemIndex();
    return index >= 0 && index < int(itemClasses_.size()) ? itemClasses_[size_t(index)] : nullptr;
}

void TdxBarItemAddEditor::FormShow(TObject*) {
    if (Edit1->CanFocus()) Edit1->SetFocus();
}

void TdxBarItemAddEditor::ComboBox1Click(TObject*) {
    if (TClass itemClass = SelectedItemClass(); itemClass && manager_)
        Edit1->SetText(manager_->MakeUniqueItemName(itemClass));
}

void TdxBarItemAddEditor::BOkClick(TObject*) {
    TClass itemClass = SelectedItemClass();
    if (!itemClass || !manager_) {
        SetModalResult(mrNone);
        return;
    }
    auto* item = static_cast<TdxBarItem*>(itemClass->Create(manager_->GetManagerOwner()));
    try {
        item->SetName(Edit1->Text());
        item->SetCategory(ComboBox2->ItemIndex());
        item->SetCaption(Edit2->Text());
    } catch (const Exception&) {
        // A bad or taken name: the item goes again and the dialog stays with a fresh name.
        FreeObject(item);
        Edit1->SetText(manager_->MakeUniqueItemName(itemClass));
        SetModalResult(mrNone);
        return;
    }
    createdItem_ = item;
}

TdxBarItem* ShowAddItemDialog(TdxBarManager* manager, int categoryIndex) {
    TCustomForm* opener = Screen ? Screen->ActiveForm() : nullptr;
    auto* dialog =
        static_cast<TdxBarItemAddEditor*>(TdxBarItemAddEditor::StaticClass()->Create(static_cast<TComponent*>(nullptr)));
    TdxBarItem* item = nullptr;
    try {
        if (opener) dialog->Font()->Assign(opener->Font());
        dialog->Prepare(manager, categoryIndex);
        if (dialog->ShowModal() == mrOk) item = dialog->CreatedItem();
    } catch (...) {
        FreeObject(dialog);
        throw;
    }
    FreeObject(dialog);
    return item;
}
