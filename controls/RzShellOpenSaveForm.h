#pragma once
// TRzShellOpenSaveForm: the modal window behind the shell open and save dialogs. It is built
// from its stored description ("TRZSHELLOPENSAVEFORM"): a places bar, the folder combo, tool
// buttons, a shell tree and list under a splitter, the file-name edit, the file-type combo and
// the Open, Cancel and Help buttons. It turns what the user types or selects into validated full
// paths (Files), asking and warning as the dialog's options say.
//
// Sections: the form's parts; what the dialog hands over and reads back; show and hide; typed
// names; the tree; handlers.

#include "Form.h"
#include "RzButton.h"
#include "RzCheckBox.h"
#include "RzComboBox.h"
#include "RzEdit.h"
#include "RzShellCombo.h"
#include "RzShellDialogOptions.h"
#include "RzShellList.h"
#include "RzShellNames.h"
#include "RzShellPlaces.h"
#include "RzShellTree.h"
#include "RzSplit.h"
#include "RzToolButton.h"
#include "StringList.h"

class TLabel;
class TPanel;
class TPopupMenu;
class TMenuItem;
class TImageList;

class TRzShellOpenSaveForm : public TForm {
    Z_CLASS(TRzShellOpenSaveForm, TForm)
    Z_PUBLISHED {
        using C = TRzShellOpenSaveForm;
        p.Method(L"FormCreate", &C::FormCreate);
        p.Method(L"FormDestroy", &C::FormDestroy);
        p.Method(L"FormKeyDown", &C::FormKeyDown);
        p.Method(L"FormResize", &C::FormResize);
        p.Method(L"FormCloseQuery", &C::FormCloseQuery);
        p.Method(L"btnPlaceClick", &C::btnPlaceClick);
        p.Method(L"btnUpOneLevelClick", &C::btnUpOneLevelClick);
        p.Method(L"btnShowDesktopClick", &C::btnShowDesktopClick);
        p.Method(L"btnCreateNewFolderClick", &C::btnCreateNewFolderClick);
        p.Method(L"btnShowTreeClick", &C::btnShowTreeClick);
        p.Method(L"ViewBtnClick", &C::ViewBtnClick);
        p.Method(L"ShellTreeChange", &C::ShellTreeChange);
        p.Method(L"ShellListFolderChanged", &C::ShellListFolderChanged);
        p.Method(L"edtFileNameChange", &C::edtFileNameChange);
        p.Method(L"cbxFileTypesSelEndOk", &C::cbxFileTypesSelEndOk);
        p.Method(L"btnHelpClick", &C::btnHelpClick);
        p.Method(L"chkReadOnlyClick", &C::chkReadOnlyClick);
        p.Method(L"Paste1MitmClick", &C::Paste1MitmClick);
        p.Method(L"Properties1MitmClick", &C::Properties1MitmClick);
    }
    Z_MESSAGE_MAP(Z_MESSAGE(WM_GETMINMAXINFO, WMGetMinMaxInfo))

public:
    explicit TRzShellOpenSaveForm(TComponent* AOwner);
    ~TRzShellOpenSaveForm() override;

    // -- the form's parts (found after the description was read) --
    TPanel *PnlJumps = nullptr, *PnlWork = nullptr, *PnlEdits = nullptr;
    TRzToolButton* btnPlace[5] = {};
    TLabel *lblLookIn = nullptr, *lblFileName = nullptr, *lblFilesOfType = nullptr;
    TRzShellCombo* ShellCombo = nullptr;
    TRzToolButton *btnUpOneLevel = nullptr, *btnShowDesktop = nullptr, *btnCreateNewFolder = nullptr,
                  *btnShowTree = nullptr, *btnList = nullptr, *btnDetails = nullptr;
    TRzSplitter* RzSplitter1 = nullptr;
    TRzShellTree* ShellTree = nullptr;
    TRzShellList* ShellList = nullptr;
    TRzEdit* edtFileName = nullptr;
    TRzComboBox *cbxFileName = nullptr, *cbxFileTypes = nullptr;
    TRzBitBtn *btnOpen = nullptr, *btnCancel = nullptr, *btnHelp = nullptr;
    TRzCheckBox* chkReadOnly = nullptr;
    TPopupMenu* LvPopup = nullptr;
    TMenuItem* viewItems[4] = {};
    TImageList *imlPlaces = nullptr, *imlToolbar = nullptr;

    // -- what the dialog hands over and reads back --
    TRzOpenSaveOptions FormOptions() const { return options_; }
    void SetFormOptions(TRzOpenSaveOptions options);
    const String& FormFilter() const { return filter_; }
    void SetFormFilter(const String& filter);
    void SetFormFilterIndex(int index);
    int GetFormFilterIndex() const;
    void SetFormFileName(const String& name);
    String GetFormFileName();
    TStringList* GetFormFiles();
    void SetFormInitialDir(const String& folder);
    const String& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const String& v) { defaultExt_ = v; }
    int SplitterPosition() const { return RzSplitter1->Position(); }
    void SetSplitterPosition(int v) { RzSplitter1->SetPosition(v); }
    const TRzPlaces& Places() const { return places_; }
    bool Executing() const { return executing_; }
    // The validated full paths of the last accepted line (cleared by every refusal).
    TStringList* Selections() const { return selections_; }

    TNotifyEvent OnTypeChanged, OnFolderChanged, OnSelectionChanged, OnFormShow, OnFormClose;
    THelpEvent OnFormHelp;

    // -- typed names --
    // True when every name of text was accepted (Selections then hold their full paths); false
    // keeps the form open: a refusal was shown, a folder was entered, or nothing was named.
    bool ProcessTypedNames(const String& text);
    // Shows a message of the dialog, captioned with the form's caption; answers the button.
    int ShowFormMessage(const String& text, TMsgDlgType type, TMsgDlgButtons buttons);

    // -- the tree --
    void ShowTree(bool show);

    // The form's own texts; the dialogs rename the accept button and the caption.
    virtual void LocalizeCaptions();

protected:
    void DoShow() override;
    void DoHide() override;
    void CreateWnd() override;
    virtual void DoFormClose() {
        if (OnFormClose) OnFormClose(this);
    }
    virtual void DoFolderChanged() {
        if (OnFolderChanged) OnFolderChanged(this);
    }
    virtual void DoSelectionChanged() {
        if (OnSelectionChanged) OnSelectionChanged(this);
    }
    virtual void DoFormShow();
    virtual void DoTypeChanged() {
        if (OnTypeChanged) OnTypeChanged(this);
    }

private:
    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void FormKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    void FormResize(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void btnPlaceClick(TObject* Sender);
    void btnUpOneLevelClick(TObject* Sender);
    void btnShowDesktopClick(TObject* Sender);
    void btnCreateNewFolderClick(TObject* Sender);
    void btnShowTreeClick(TObject* Sender);
    void ViewBtnClick(TObject* Sender);
    void ShellTreeChange(TObject*, TTreeNode*) {}
    void ShellListChange(TObject* Sender, TListItem* Item, TItemChange Change);
    void ShellListFolderChanged(TObject* Sender);
    void ShellListDblClickOpen(TObject* Sender, bool& Handled);
    void edtFileNameChange(TObject* Sender);
    void cbxFileTypesSelEndOk(TObject* Sender);
    void btnHelpClick(TObject* Sender);
    void chkReadOnlyClick(TObject* Sender);
    void Paste1MitmClick(TObject* Sender);
    void Properties1MitmClick(TObject* Sender);
    bool FormHelp(Word Command, NativeInt Data, bool& CallHelp);
    void WMGetMinMaxInfo(TMessage& Message);

    void FindParts();
    void LoadPlaceButtons();
    void UpdatePlaceButtons();
    void AddFilterItems(const String& filter);
    void ApplyFileType();
    void LayoutEditPanel();
    String CurrentFolderPath() const;
    String SelectedTypeExtension() const;
    // Enters the folder named by fullName; false when it names no folder.
    bool TryEnterFolder(const String& fullName);
    void SetExtensionDifferent(bool on);
    void SetViewStyle(int tag);

    TRzPlaces places_;
    String defaultExt_;
    TRzOpenSaveOptions options_;
    TStringList* files_;
    String filter_;
    String initialDir_;
    String userFilter_;
    bool executing_ = false;
    TStringList* selections_;
    enum TInputSource : Byte { isEdit, isList } lastInput_ = isList;
    HWND sizeGrip_ = nullptr;
    std::vector<String> typeMasks_;
};

void InitializeRzShellOpenSaveForm();
