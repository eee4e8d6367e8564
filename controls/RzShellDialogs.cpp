// The shell open and save dialogs.

#include "RzShellDialogs.h"

#include "Application.h"
#include "Bitmap.h"
#include "Label.h"
#include "RzShellOpenSaveForm.h"
#include "Screen.h"
#include "Streams.h"

// ---- TRzShellDialog ----

bool TRzShellDialog::Execute() {
    if (executing_) throw Exception(ClassName() + L" already executing");
    executing_ = true;
    try {
        const bool result = ExecuteForm();
        executing_ = false;
        return result;
    } catch (...) {
        executing_ = false;
        throw;
    }
}

void TRzShellDialog::ReadFormState(TStream* stream) {
    Integer left = 0, top = 0, width = 0, height = 0;
    Byte state = 0, position = 0;
    stream->ReadBuffer(&left, 4);
    stream->ReadBuffer(&top, 4);
    stream->ReadBuffer(&width, 4);
    stream->ReadBuffer(&height, 4);
    stream->ReadBuffer(&state, 1);
    stream->ReadBuffer(&position, 1);
    if (state > wsMaximized || position > poOwnerFormCenter) throw EReadError(L"Invalid form state");
    formLeft_ = left;
    formTop_ = top;
    formWidth_ = width;
    formHeight_ = height;
    formWindowState_ = TWindowState(state);
    formPosition_ = TPosition(position);
}

void TRzShellDialog::WriteFormState(TStream* stream) {
    stream->WriteBuffer(&formLeft_, 4);
    stream->WriteBuffer(&formTop_, 4);
    stream->WriteBuffer(&formWidth_, 4);
    stream->WriteBuffer(&formHeight_, 4);
    const Byte state = Byte(formWindowState_), position = Byte(formPosition_);
    stream->WriteBuffer(&state, 1);
    stream->WriteBuffer(&position, 1);
}

// ---- TRzFileDialog ----

TRzFileDialog::TRzFileDialog(TComponent* AOwner)
    : TRzShellDialog(AOwner), files_(new TStringList), historyList_(new TStringList) {}

TRzFileDialog::~TRzFileDialog() {
    delete files_;
    delete historyList_;
}

String TRzFileDialog::GetFileName() const {
    if (form_) return form_->GetFormFileName();
    return files_->Count() ? files_->Strings(0) : String();
}

void TRzFileDialog::SetFileName(const String& v) {
    files_->Clear();
    if (!v.empty()) files_->Add(v);
    if (form_) form_->SetFormFileName(v);
}

void TRzFileDialog::SetOptions(TRzOpenSaveOptions v) {
    options_ = v;
    if (form_) form_->SetFormOptions(v);
}

void TRzFileDialog::SetFilter(const String& v) {
    filter_ = v;
    if (form_) form_->SetFormFilter(v);
}

Integer TRzFileDialog::FilterIndex() const { return form_ ? form_->GetFormFilterIndex() : filterIndex_; }

void TRzFileDialog::SetFilterIndex(Integer v) {
    filterIndex_ = v;
    if (form_) form_->SetFormFilterIndex(v);
}

void TRzFileDialog::SetFormSplitterPos(Integer v) {
    formSplitterPos_ = v;
    if (form_) form_->SetSplitterPosition(v);
}

void TRzFileDialog::ReadFormState(TStream* stream) {
    // The whole record is read before anything is stored, so a refused one changes nothing.
    Byte record[23];
    stream->ReadBuffer(record, sizeof(record));
    TMemoryStream head;
    head.WriteBuffer(record, 18);
    head.SetPosition(0);
    Integer splitter = 0;
    std::memcpy(&splitter, record + 19, 4);
    inherited::ReadFormState(&head);
    if (record[18])
        options_.Include(osoShowTree);
    else
        options_.Exclude(osoShowTree);
    formSplitterPos_ = splitter;
}

void TRzFileDialog::WriteFormState(TStream* stream) {
    inherited::WriteFormState(stream);
    const Byte tree = options_.Contains(osoShowTree) ? 1 : 0;
    stream->WriteBuffer(&tree, 1);
    stream->WriteBuffer(&formSplitterPos_, 4);
}

TRzShellOpenSaveForm* TRzFileDialog::CreateDialogForm() {
    return As<TRzShellOpenSaveForm>(TRzShellOpenSaveForm::StaticClass()->Create(Application));
}

bool TRzFileDialog::ExecuteForm() {
    if (form_) throw Exception(Name() + L" already executing");
    const TCursor cursor = Screen->Cursor();
    Screen->SetCursor(crHourGlass);
    TRzShellOpenSaveForm* form = nullptr;
    auto cleanUp = [&] {
        FreeObject(form);
        form_ = nullptr;
        Screen->SetCursor(cursor);
    };
    try {
        const bool designing = ComponentState().Contains(csDesigning);
        if (designing) files_->Clear();
        form = CreateDialogForm();
        PrepareForm(form);
        form_ = form;
        DoInitialized();
        Screen->SetCursor(cursor);
        const bool result = form->ShowModal() == mrOk;
        if (!designing) ReadFormResults(form);
        cleanUp();
        return result;
    } catch (...) {
        cleanUp();
        throw;
    }
}

void TRzFileDialog::PrepareForm(TRzShellOpenSaveForm* form) {
    form->ShellList->OnAddItem = OnAddListItem;
    form->ShellTree->OnAddItem = OnAddTreeItem;
    form->OnFormClose = OnFormClose;
    form->OnFormShow = OnFormShow;
    form->OnTypeChanged = OnTypeChanged;
    form->OnFolderChanged = OnFolderChanged;
    form->OnSelectionChanged = OnSelectionChanged;
    form->SetFormInitialDir(initialDir_);
    form->SetFormFileName(GetFileName());
    form->SetDefaultExt(defaultExt_);
    form->SetPosition(formPosition_);
    if (formPosition_ == poDesigned) {
        form->SetLeft(formLeft_);
        form->SetTop(formTop_);
    }
    form->SetFormOptions(options_);
    if (formWidth_ > 0) form->SetWidth(formWidth_);
    if (formHeight_ > 0) form->SetHeight(formHeight_);
    form->SetWindowState(formWindowState_);
    form->SetFormFilter(filter_);
    form->SetFormFilterIndex(FilterIndex());
    form->SetSplitterPosition(formSplitterPos_);

    auto frame = [this](auto* control) {
        control->SetFrameColor(FrameColor());
        control->SetFrameStyle(FrameStyle());
        control->SetFrameVisible(FrameVisible());
        control->SetFramingPreference(FramingPreference());
    };
    for (TRzCustomComboBox* combo : {static_cast<TRzCustomComboBox*>(form->ShellCombo),
                                     static_cast<TRzCustomComboBox*>(form->cbxFileTypes),
                                     static_cast<TRzCustomComboBox*>(form->cbxFileName)}) {
        frame(combo);
        combo->SetFlatButtons(FrameVisible());
    }
    frame(form->ShellTree);
    frame(form->ShellList);
    frame(form->edtFileName);

    for (TRzBitBtn* button : {form->btnOpen, form->btnCancel, form->btnHelp}) {
        button->SetColor(ButtonColor());
        button->SetHotTrack(HotTrack());
        button->SetHighlightColor(HighlightColor());
        button->SetHotTrackColor(HotTrackColor());
        button->SetHotTrackColorType(HotTrackColorType());
    }
    form->chkReadOnly->SetHotTrack(HotTrack());
    form->chkReadOnly->SetHighlightColor(HighlightColor());
    form->chkReadOnly->SetHotTrackColor(HotTrackColor());
    form->chkReadOnly->SetHotTrackColorType(HotTrackColorType());

    if (ShowButtonGlyphs()) {
        const wchar_t* glyphs[] = {L"RZCOMMON_OK", L"RZCOMMON_CANCEL", L"RZCOMMON_HELP"};
        TRzBitBtn* buttons[] = {form->btnOpen, form->btnCancel, form->btnHelp};
        for (int i = 0; i < 3; ++i) {
            buttons[i]->Glyph()->LoadFromResourceName(GetModuleHandleW(nullptr), glyphs[i]);
            buttons[i]->SetWidth(buttons[i]->Width() + 20);
        }
    }

    std::vector<TRzToolButton*> tools(std::begin(form->btnPlace), std::end(form->btnPlace));
    for (TRzToolButton* b : {form->btnUpOneLevel, form->btnShowDesktop, form->btnCreateNewFolder, form->btnShowTree,
                             form->btnList, form->btnDetails})
        tools.push_back(b);
    for (TRzToolButton* b : tools) {
        b->SetGradientColorStyle(ToolBtnGradientColorStyle());
        b->SetSelectionColorStart(ToolBtnSelectionColorStart());
        b->SetSelectionColorStop(ToolBtnSelectionColorStop());
        b->SetSelectionFrameColor(ToolBtnSelectionFrameColor());
        b->SetVisualStyle(ToolBtnVisualStyle());
    }
    form->lblLookIn->SetCaption(L"Look &in:");
    form->lblFilesOfType->SetCaption(L"Files of &type:");
    form->SetHelpContext(helpContext_);
    form->OnFormHelp = OnHelp;
}

void TRzFileDialog::ReadFormResults(TRzShellOpenSaveForm* form) {
    SetOptions(form->FormOptions());
    files_->Assign(form->GetFormFiles());
    const TRect bounds = form->RestoredBounds();
    formLeft_ = bounds.left;
    formTop_ = bounds.top;
    formWidth_ = bounds.right - bounds.left;
    formHeight_ = bounds.bottom - bounds.top;
    formWindowState_ = form->WindowState();
    formPosition_ = form->Position();
    SetFilterIndex(form->GetFormFilterIndex());
    SetFormSplitterPos(form->SplitterPosition());
}

// ---- the open and save dialogs ----

void TRzCustomOpenDialog::PrepareForm(TRzShellOpenSaveForm* form) {
    TRzFileDialog::PrepareForm(form);
    form->SetCaption(Title().empty() ? String(L"Open") : Title());
    form->btnOpen->SetCaption(L"&Open");
}

void TRzCustomSaveDialog::PrepareForm(TRzShellOpenSaveForm* form) {
    TRzFileDialog::PrepareForm(form);
    form->SetCaption(Title().empty() ? String(L"Save As") : Title());
    form->btnOpen->SetCaption(L"&Save");
}

void InitializeRzShellDialogs() {
    RegisterClasses({TRzShellDialog::StaticClass(), TRzFileDialog::StaticClass(), TRzCustomOpenDialog::StaticClass(),
                     TRzCustomSaveDialog::StaticClass(), TRzOpenDialog::StaticClass(), TRzSaveDialog::StaticClass()});
}
