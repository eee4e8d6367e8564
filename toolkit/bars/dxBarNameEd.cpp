#include "dxBarNameEd.h"

#include "Application.h"
#include "Format.h"
#include "dxBarDialogParts.h"
#include "dxBar.h"
#include "dxBarManager.h"
#include "dxBarStrs.h"
#include "dxBarWindowHelpers.h"

void ApplyManagerFontToForm(TCustomForm* form, TdxBarManager* manager) {
    if (!form || !manager) return;
    form->Font()->SetName(manager->Font()->Name());
    form->Font()->SetCharset(manager->Font()->Charset());
}

void TdxBarNameEd::Loaded() {
    TForm::Loaded();
    LName = DialogPart<TLabel>(this, L"LName");
    EName = DialogPart<TEdit>(this, L"EName");
    BOK = DialogPart<TButton>(this, L"BOK");
    BCancel = DialogPart<TButton>(this, L"BCancel");
}

void TdxBarNameEd::CreateParams(TCreateParams& Params) {
    TForm::CreateParams(Params);
    if (ownerWindow_ && IsWindow(ownerWindow_)) Params.WndParent = ownerWindow_;
}

void TdxBarNameEd::Prepare(int kind, int mode, TdxBar* bar, TdxBarManager* manager) {
    kind_ = kind;
    manager_ = manager;
    bar_ = bar;
    if (kind == dxBarNameKindCategory) {
        switch (mode) {
            case dxBarNameModeCategoryAdd: SetCaption(BarString(dxSBAR_CATEGORYADD)); break;
            case dxBarNameModeCategoryInsert: SetCaption(BarString(dxSBAR_CATEGORYINSERT)); break;
            case dxBarNameModeCategoryRename: SetCaption(BarString(dxSBAR_CATEGORYRENAME)); break;
        }
        LName->SetCaption(BarString(dxSBAR_CATEGORYNAME));
    } else {
        switch (mode) {
            case dxBarNameModeToolbarAdd: SetCaption(BarString(dxSBAR_TOOLBARADD)); break;
            case dxBarNameModeToolbarRename: SetCaption(BarString(dxSBAR_TOOLBARRENAME)); break;
        }
        LName->SetCaption(BarString(dxSBAR_TOOLBARNAME));
    }
    BOK->SetCaption(BarString(dxSBAR_OK));
    BCancel->SetCaption(BarString(dxSBAR_CANCEL));
}

void TdxBarNameEd::ENameChange(TObject*) { BOK->SetEnabled(!EName->Text().empty()); }

void TdxBarNameEd::FormCloseQuery(TObject*, bool& CanClose) {
    if (ModalResult() != mrOk || kind_ != dxBarNameKindToolbar || !manager_) return;
    const String text = EName->Text();
    TdxBar* owner = manager_->FindBarByCaption(text);
    if (owner && owner != bar_) {
        CanClose = false;
        BarMessageBox(Format(BarString(dxSBAR_TOOLBAREXISTS), {text}), MB_OK | MB_ICONERROR);
    }
}

bool ShowNameDialog(String& name, int kind, int mode, TdxBar* bar, TdxBarManager* manager) {
    HWND active = GetActiveWindow();
    auto* dialog = static_cast<TdxBarNameEd*>(TdxBarNameEd::StaticClass()->Create(static_cast<TComponent*>(nullptr)));
    bool confirmed = false;
    try {
        dialog->SetOwnerWindow(active);
        ApplyManagerFontToForm(dialog, manager);
        dialog->Prepare(kind, mode, bar, manager);
        dialog->EName->SetText(name);
        dialog->BOK->SetEnabled(!name.empty());
        if (dialog->ShowModal() == mrOk) {
            name = dialog->EName->Text();
            confirmed = true;
        }
    } catch (...) {
        FreeObject(dialog);
        throw;
    }
    FreeObject(dialog);
    return confirmed;
}
