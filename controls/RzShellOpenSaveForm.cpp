// The shell open and save dialogs' form.

#include "RzShellOpenSaveForm.h"

#include <commctrl.h>
#include <shlobj.h>

#include "Application.h"
#include "Bitmap.h"
#include "ImageList.h"
#include "Label.h"
#include "Menus.h"
#include "Panel.h"
#include "Screen.h"
#include "SysUtils.h"
#include "RzShellUtils.h"

namespace {

template <class T>
T* Part(TComponent* owner, const wchar_t* name) {
    T* part = As<T>(owner->FindComponent(name));
    if (!part) throw Exception(String(L"The open and save form lacks ") + name);
    return part;
}

// The hourglass on the screen and on the form while something long runs.
class TFormHourglass {
public:
    explicit TFormHourglass(TControl* form) : form_(form), screen_(Screen->Cursor()) {
        Screen->SetCursor(crHourGlass);
        form_->SetCursor(crHourGlass);
    }
    ~TFormHourglass() {
        Screen->SetCursor(screen_);
        form_->SetCursor(crDefault);
    }

private:
    TControl* form_;
    TCursor screen_;
};

constexpr int kMinTrackWidth = 463, kMinTrackHeight = 274;

}  // namespace

TRzShellOpenSaveForm::TRzShellOpenSaveForm(TComponent* AOwner)
    : TForm(AOwner), files_(new TStringList), selections_(new TStringList) {
    OnHelp = MakeEvent(this, &TRzShellOpenSaveForm::FormHelp);
}

TRzShellOpenSaveForm::~TRzShellOpenSaveForm() {
    delete files_;
    delete selections_;
}

void TRzShellOpenSaveForm::FindParts() {
    PnlJumps = Part<TPanel>(this, L"PnlJumps");
    PnlWork = Part<TPanel>(this, L"PnlWork");
    PnlEdits = Part<TPanel>(this, L"PnlEdits");
    for (int i = 0; i < 5; ++i) btnPlace[i] = Part<TRzToolButton>(this, (L"btnPlace" + std::to_wstring(i)).c_str());
    lblLookIn = Part<TLabel>(this, L"lblLookIn");
    lblFileName = Part<TLabel>(this, L"lblFileName");
    lblFilesOfType = Part<TLabel>(this, L"lblFilesOfType");
    ShellCombo = Part<TRzShellCombo>(this, L"ShellCombo");
    btnUpOneLevel = Part<TRzToolButton>(this, L"btnUpOneLevel");
    btnShowDesktop = Part<TRzToolButton>(this, L"btnShowDesktop");
    btnCreateNewFolder = Part<TRzToolButton>(this, L"btnCreateNewFolder");
    btnShowTree = Part<TRzToolButton>(this, L"btnShowTree");
    btnList = Part<TRzToolButton>(this, L"btnList");
    btnDetails = Part<TRzToolButton>(this, L"btnDetails");
    RzSplitter1 = Part<TRzSplitter>(this, L"RzSplitter1");
    ShellTree = Part<TRzShellTree>(this, L"ShellTree");
    ShellList = Part<TRzShellList>(this, L"ShellList");
    edtFileName = Part<TRzEdit>(this, L"edtFileName");
    cbxFileName = Part<TRzComboBox>(this, L"cbxFileName");
    cbxFileTypes = Part<TRzComboBox>(this, L"cbxFileTypes");
    btnOpen = Part<TRzBitBtn>(this, L"btnOpen");
    btnCancel = Part<TRzBitBtn>(this, L"btnCancel");
    btnHelp = Part<TRzBitBtn>(this, L"btnHelp");
    chkReadOnly = Part<TRzCheckBox>(this, L"chkReadOnly");
    LvPopup = Part<TPopupMenu>(this, L"LvPopup");
    const wchar_t* views[4] = {L"LargeIcons1", L"SmallIcons1", L"List1", L"Details1"};
    for (int i = 0; i < 4; ++i) viewItems[i] = Part<TMenuItem>(this, views[i]);
    imlPlaces = Part<TImageList>(this, L"imlPlaces");
    imlToolbar = Part<TImageList>(this, L"imlToolbar");
}

// ---- creation ----

void TRzShellOpenSaveForm::FormCreate(TObject*) {
    FindParts();
    SetPopupMode(pmAuto);
    for (TPanel* panel : {PnlJumps, PnlWork}) {
        panel->SetControlStyle(panel->ControlStyle() - TControlStyle{csParentBackground});
        panel->SetDoubleBuffered(true);
    }
    ShellList->OnDblClickOpen = MakeEvent(this, &TRzShellOpenSaveForm::ShellListDblClickOpen);
    ShellList->OnChange = MakeEvent(this, &TRzShellOpenSaveForm::ShellListChange);
    ShellTree->SetIndent(19);

    TBitmap glyphs;
    glyphs.LoadFromResourceName(GetModuleHandleW(nullptr), L"RZSHELLDLG_TOOLBAR");
    imlToolbar->AddMasked(&glyphs, TColor(0x008080));

    imlPlaces->SetShareImages(true);
    imlPlaces->SetHandle(GetSystemImageList(sisLarge));
    places_ = LoadPlaces();
    LoadPlaceButtons();
}

void TRzShellOpenSaveForm::FormDestroy(TObject*) { places_.clear(); }

void TRzShellOpenSaveForm::LoadPlaceButtons() {
    for (int i = 0; i < 5; ++i) {
        const bool shown = i < int(places_.size());
        btnPlace[i]->SetVisible(shown);
        if (!shown) continue;
        btnPlace[i]->SetCaption(places_[i]->Caption);
        btnPlace[i]->SetImageIndex(places_[i]->ImageIndex);
    }
}

void TRzShellOpenSaveForm::CreateWnd() {
    TForm::CreateWnd();
    const TRect client = ClientRect();
    sizeGrip_ = CreateWindowExW(0, L"SCROLLBAR", nullptr, WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, client.right - 13,
                                client.bottom - 13, 13, 13, Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (sizeGrip_) SetWindowPos(sizeGrip_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TRzShellOpenSaveForm::WMGetMinMaxInfo(TMessage& Message) {
    Inherited<TForm>(Message);
    auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
    info->ptMinTrackSize.x = std::max<LONG>(info->ptMinTrackSize.x, kMinTrackWidth);
    info->ptMinTrackSize.y = std::max<LONG>(info->ptMinTrackSize.y, kMinTrackHeight);
}

// ---- what the dialog hands over and reads back ----

void TRzShellOpenSaveForm::SetFormOptions(TRzOpenSaveOptions options) {
    options_ = options;
    TRzShellTreeOptions tree = ShellTree->Options();
    TRzShellListOptions list = ShellList->Options();
    auto follow = [&](auto& set, TRzOpenSaveOption from, auto to) {
        if (options.Contains(from))
            set.Include(to);
        else
            set.Exclude(to);
    };
    follow(tree, osoOleDrag, stoOleDrag);
    follow(tree, osoOleDrop, stoOleDrop);
    follow(tree, osoShowHidden, stoShowHidden);
    follow(list, osoOleDrag, sloOleDrag);
    follow(list, osoOleDrop, sloOleDrop);
    follow(list, osoShowHidden, sloShowHidden);
    follow(list, osoHideFoldersInListWhenTreeVisible, sloHideFoldersWhenLinkedToTree);
    follow(list, osoFilesCanBeFolders, sloFilesCanBeFolders);
    ShellList->SetMultiSelect(options.Contains(osoAllowMultiselect));
    ShellTree->SetOptions(tree);
    ShellList->SetOptions(list);
    chkReadOnly->SetVisible(!options.Contains(osoHideReadOnly));
    btnHelp->SetVisible(options.Contains(osoShowHelp));
    SetShowHint(options.Contains(osoShowHints));
}

void TRzShellOpenSaveForm::SetExtensionDifferent(bool on) {
    TRzOpenSaveOptions options = options_;
    if (on)
        options.Include(osoExtensionDifferent);
    else
        options.Exclude(osoExtensionDifferent);
    SetFormOptions(options);
}

void TRzShellOpenSaveForm::SetFormFilter(const String& filter) {
    filter_ = filter;
    ShellList->SetFileFilter(filter);
    AddFilterItems(filter);
}

void TRzShellOpenSaveForm::AddFilterItems(const String& filter) {
    std::size_t at = 0;
    while (at < filter.size()) {
        std::size_t bar = filter.find(L'|', at);
        const String description = filter.substr(at, bar == String::npos ? String::npos : bar - at);
        at = bar == String::npos ? filter.size() : bar + 1;
        bar = filter.find(L'|', at);
        const String mask = at < filter.size() ? filter.substr(at, bar == String::npos ? String::npos : bar - at) : String();
        at = bar == String::npos ? filter.size() : bar + 1;
        cbxFileTypes->Items()->Add(description);
        typeMasks_.push_back(mask);
    }
}

void TRzShellOpenSaveForm::SetFormFilterIndex(int index) {
    const int count = cbxFileTypes->Items()->Count();
    if (count == 0) return;
    cbxFileTypes->SetItemIndex(index >= 1 && index <= count ? index - 1 : 0);
    ApplyFileType();
}

int TRzShellOpenSaveForm::GetFormFilterIndex() const {
    return cbxFileTypes->Items()->Count() == 0 ? 0 : cbxFileTypes->ItemIndex() + 1;
}

void TRzShellOpenSaveForm::ApplyFileType() {
    if (!userFilter_.empty()) edtFileName->SetText(String());
    userFilter_.clear();
    const int index = cbxFileTypes->ItemIndex();
    if (index >= 0 && index < int(typeMasks_.size())) ShellList->SetFileFilter(typeMasks_[index]);
    if (executing_) DoTypeChanged();
}

String TRzShellOpenSaveForm::SelectedTypeExtension() const {
    const int index = cbxFileTypes->ItemIndex();
    return index >= 0 && index < int(typeMasks_.size()) ? MaskExtension(typeMasks_[index]) : String();
}

void TRzShellOpenSaveForm::SetFormFileName(const String& name) { edtFileName->SetText(name); }

String TRzShellOpenSaveForm::GetFormFileName() {
    if (!executing_) return edtFileName->Text();
    TStringList* files = GetFormFiles();
    return files->Count() ? files->Strings(0) : String();
}

TStringList* TRzShellOpenSaveForm::GetFormFiles() {
    files_->Assign(selections_);
    return files_;
}

void TRzShellOpenSaveForm::SetFormInitialDir(const String& folder) {
    initialDir_ = folder;
    ShellList->Folder()->SetPathName(folder);
}

String TRzShellOpenSaveForm::CurrentFolderPath() const {
    return ShellList->FolderPidl() ? PidlToPath(ShellList->FolderPidl()) : String();
}

// ---- show and hide ----

void TRzShellOpenSaveForm::DoShow() {
    {
        TFormHourglass hourglass(this);
        TForm::DoShow();
        Font()->SetName(L"MS Sans Serif");
        cbxFileTypes->Perform(CB_SETEXTENDEDUI, TRUE, 0);
        if (!options_.Contains(osoAllowTree)) {
            btnShowTree->SetVisible(false);
            const int shift = btnList->Left() - btnShowTree->Left();
            btnList->SetLeft(btnShowTree->Left());
            btnDetails->SetLeft(btnDetails->Left() - shift);
        }
        LayoutEditPanel();
        LocalizeCaptions();
        ShowTree(options_.Contains(osoShowTree));

        const String fileName = GetFormFileName();
        if (!initialDir_.empty()) {
            ShellCombo->SelectedFolder()->SetPathName(initialDir_);
        } else if (!FolderPart(fileName).empty()) {
            ShellCombo->SelectedFolder()->SetPathName(FolderPart(fileName));
            if (!NamePart(fileName).empty()) edtFileName->SetText(NamePart(fileName));
        } else {
            ShellCombo->SelectedFolder()->SetPathName(GetCurrentDir());
        }
        ShellCombo->FlushLinked(true);
        lastInput_ = isList;
        executing_ = true;
    }
    DoFormShow();
}

void TRzShellOpenSaveForm::DoFormShow() {
    FormResize(this);
    if (OnFormShow) OnFormShow(this);
}

void TRzShellOpenSaveForm::DoHide() {
    executing_ = false;
    TForm::DoHide();
    DoFormClose();
}

void TRzShellOpenSaveForm::LocalizeCaptions() {
    btnCancel->SetCaption(L"Cancel");
    btnHelp->SetCaption(L"&Help");
    btnUpOneLevel->SetHint(L"Up One Level");
    btnCreateNewFolder->SetHint(L"Create New Folder");
    btnShowTree->SetHint(L"Show Tree (F12)");
    btnList->SetHint(L"List|Displays items in a list.");
    btnDetails->SetHint(L"Details|Displays information about each item in the window.");
    chkReadOnly->SetCaption(L"Open as &read-only");
    lblFileName->SetCaption(L"File &name:");
    struct TMenuText {
        const wchar_t *name, *caption, *hint;
    };
    static const TMenuText menus[] = {
        {L"View1", L"&View", L"Contains commands for customizing this window."},
        {L"LargeIcons1", L"Lar&ge Icons", L"Displays items by using large icons."},
        {L"SmallIcons1", L"S&mall Icons", L"Displays items by using small icons."},
        {L"List1", L"&List", L"Displays items in a list."},
        {L"Details1", L"&Details", L"Displays information about each item in the window."},
        {L"Paste1", L"&Paste", L"Inserts the items you have copied or cut into the selected location."},
        {L"New1", L"Ne&w", L"Contains commands for creating new items."},
        {L"Folder1", L"&Folder", L"Creates a new, empty folder."},
        {L"Properties1", L"P&roperties", L"Displays the properties of the selected items."},
    };
    for (const TMenuText& text : menus)
        if (auto* item = As<TMenuItem>(FindComponent(text.name))) {
            item->SetCaption(text.caption);
            item->SetHint(text.hint);
        }
    const int left = std::max(lblFileName->Left() + lblFileName->Width(), lblFilesOfType->Left() + lblFilesOfType->Width()) + 8;
    for (TControl* control : {static_cast<TControl*>(cbxFileTypes), static_cast<TControl*>(edtFileName),
                              static_cast<TControl*>(chkReadOnly)}) {
        const int right = control->Left() + control->Width();
        control->SetBounds(left, control->Top(), right - left, control->Height());
    }
}

void TRzShellOpenSaveForm::LayoutEditPanel() {
    int bottom = 0;
    for (int i = 0; i < PnlEdits->ControlCount(); ++i) {
        TControl* control = PnlEdits->Controls(i);
        if (control->Visible()) bottom = std::max(bottom, control->Top() + control->Height());
    }
    PnlEdits->SetHeight(bottom + 8);
}

void TRzShellOpenSaveForm::FormResize(TObject*) {
    if (!RzSplitter1) return;
    const int top = ShellCombo->Top() + ShellCombo->Height() + 8;
    RzSplitter1->SetBounds(0, top, PnlWork->Width() - 8, ClientHeight() - top - PnlEdits->Height());
    const int left = PnlWork->Width() - btnOpen->Width() - 16;
    for (TControl* button : {btnOpen, btnCancel, btnHelp}) button->SetLeft(left);
    for (TControl* field : {static_cast<TControl*>(edtFileName), static_cast<TControl*>(cbxFileName),
                            static_cast<TControl*>(cbxFileTypes)})
        field->SetWidth(std::max(0, left - 8 - field->Left()));
    if (sizeGrip_) {
        const TRect client = ClientRect();
        SetWindowPos(sizeGrip_, HWND_TOP, client.right - 13, client.bottom - 13, 13, 13, SWP_NOACTIVATE);
    }
}

// ---- typed names ----

int TRzShellOpenSaveForm::ShowFormMessage(const String& text, TMsgDlgType type, TMsgDlgButtons buttons) {
    return MessageDlg(Caption(), text, type, buttons, 0);
}

bool TRzShellOpenSaveForm::TryEnterFolder(const String& fullName) {
    PItemIDList pidl = nullptr;
    if (FAILED(PathToPidl(fullName, pidl)) || !pidl) return false;
    ShellMemFree(pidl);
    const DWORD attributes = GetFileAttributesW(fullName.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    IShellFolder* folder = nullptr;
    PathToPidl(fullName, pidl);
    HRESULT bound = GetShellFolder(pidl, folder);
    ShellMemFree(pidl);
    if (FAILED(bound)) throw Exception(SysErrorMessage(DWORD(bound)));
    if (folder) folder->Release();
    ShellCombo->SelectedFolder()->SetPathName(fullName);
    ShellCombo->FlushLinked(true);
    edtFileName->SelectAll();
    return true;
}

bool TRzShellOpenSaveForm::ProcessTypedNames(const String& text) {
    selections_->Clear();
    std::vector<String> names;
    if (text.find(L'"') != String::npos)
        names = SplitQuotedNames(text);
    else if (!TrimRight(text).empty())
        names.push_back(TrimRight(text));
    const String folder = CurrentFolderPath();
    bool accepted = !names.empty();  // nothing named accepts nothing
    auto message = [this](const String& t, TMsgDlgType type, TMsgDlgButtons buttons) {
        return ShowFormMessage(t, type, buttons);
    };
    for (const String& typed : names) {
        if (!options_.Contains(osoNoValidate) && !IsValidFileName(text)) {
            ShowFormMessage(Format(SRzInvalidFileName, {text}), mtWarning, TMsgDlgButtons{mbOK});
            accepted = false;
            break;
        }
        String name = CombinePath(folder, typed);
        if (name.empty()) continue;
        // A folder without a file-system path resolves no relative name; nothing beyond the
        // platform's path limit can be opened or written.
        const TRzPathKind kind = ClassifyPath(name);
        const bool full = kind == pkUNC || (kind == pkDriveBased && name.size() >= 3 && name[2] == L'\\');
        if (!full || name.size() >= MAX_PATH) {
            ShowFormMessage(Format(SRzInvalidFileName, {name}), mtWarning, TMsgDlgButtons{mbOK});
            accepted = false;
            break;
        }
        if (TryEnterFolder(name)) {
            accepted = false;
            break;
        }
        if (!options_.Contains(osoNoDereferenceLinks) && SameText(ExtractFileExt(name), L".lnk")) {
            TLinkData link;
            if (SUCCEEDED(ResolveShellLink(name, link, false)) && !link.TargetPath.empty()) name = link.TargetPath;
        }
        if (names.size() == 1) {
            TRzShellListData* selected = ShellList->SelectedItem();
            if (lastInput_ == isList && selected) {
                name = selected->PathName();
            } else {
                bool different = options_.Contains(osoExtensionDifferent);
                name = CheckDefaultExtension(name, defaultExt_, SelectedTypeExtension(), different);
                if (different != options_.Contains(osoExtensionDifferent)) SetExtensionDifferent(different);
                if (!SameText(IncludeTrailingPathDelimiter(FolderPart(name)), IncludeTrailingPathDelimiter(folder))) {
                    ShellCombo->SelectedFolder()->SetPathName(FolderPart(name));
                    ShellCombo->FlushLinked(true);
                }
                TListItem* first = nullptr;
                TListItems* items = ShellList->Items();
                for (int i = 0; i < items->Count(); ++i) {
                    TListItem* item = items->Item(i);
                    TRzShellListData* data = ShellList->ListData(item);
                    if (!data || !SameText(data->DisplayName(), NamePart(name))) continue;
                    if (!first) {
                        first = item;
                        if (!data->PathName().empty()) name = data->PathName();
                        continue;
                    }
                    ShowFormMessage(Format(SRzDuplicateName, {NamePart(name)}), mtWarning, TMsgDlgButtons{mbOK});
                    ShellList->ClearSelection();
                    first->SetSelected(true);
                    first->SetFocused(true);
                    ShellList->SetFocus();
                    accepted = false;
                    break;
                }
                if (!accepted) break;
            }
        }
        if (!CheckFile(name, options_, message)) {
            accepted = false;
            break;
        }
        selections_->Add(name);
    }
    if (!accepted) selections_->Clear();
    return accepted && selections_->Count() > 0;
}

void TRzShellOpenSaveForm::FormCloseQuery(TObject*, bool& CanClose) {
    if (ModalResult() == mrOk) {
        const String text = edtFileName->Text();
        if (HasWildcard(text)) {
            CanClose = false;
            if (!FolderPart(text).empty()) ProcessTypedNames(FolderPart(text));
            userFilter_ = NamePart(text);
            ShellList->SetFileFilter(userFilter_);
            ShellList->FillList();
            edtFileName->SetText(userFilter_);
            edtFileName->SelectAll();
        } else {
            CanClose = ProcessTypedNames(text);
        }
    }
    if (CanClose && !options_.Contains(osoNoChangeDir)) {
        const String folder = CurrentFolderPath();
        if (!folder.empty()) SetCurrentDirectoryW(folder.c_str());
    }
}

// ---- the tree ----

void TRzShellOpenSaveForm::ShowTree(bool show) {
    if (show) {
        if (ShellCombo->ShellTree() == ShellTree && RzSplitter1->UpperLeft()->Visible()) return;
        btnShowTree->SetDown(true);
        try {
            if (ShellCombo->ShellTree() == ShellTree) {
                ShellTree->SetShellList(ShellList);
            } else {
                TFormHourglass hourglass(this);
                ShellTree->SelectedFolder()->Assign(ShellCombo->SelectedFolder());
                ShellCombo->SetShellList(nullptr);
                ShellCombo->SetShellTree(ShellTree);
                ShellTree->SetShellList(ShellList);
                RzSplitter1->UpperLeft()->SetVisible(true);
            }
            RzSplitter1->SetPosition(RzSplitter1->Position() < 0 ? 200 : RzSplitter1->Position());
            options_.Include(osoShowTree);
            SetFormOptions(options_);
            ShellTree->SetTabStop(true);
        } catch (...) {
            btnShowTree->SetDown(false);
            throw;
        }
    } else {
        btnShowTree->SetDown(false);
        if (ShellTree->Focused()) ShellList->SetFocus();
        ShellTree->SetTabStop(false);
        ShellTree->SetShellList(nullptr);
        ShellCombo->SetShellTree(nullptr);
        ShellCombo->SetShellList(ShellList);
        RzSplitter1->SetPosition(RzSplitter1->Position());
        RzSplitter1->UpperLeft()->SetVisible(false);
        options_.Exclude(osoShowTree);
        SetFormOptions(options_);
    }
    if (ShellList->Visible() && ShellList->Options().Contains(sloHideFoldersWhenLinkedToTree)) ShellList->FillList();
}

// ---- handlers ----

void TRzShellOpenSaveForm::FormKeyDown(TObject*, Word& Key, TShiftState Shift) {
    if (!Shift.Empty()) return;
    switch (Key) {
    case VK_F4:
        if (ShellCombo->DroppedDown()) {
            ShellCombo->SetDroppedDown(false);
            ShellList->SetFocus();
            ShellCombo->Perform(CN_COMMAND, MAKEWPARAM(0, CBN_SELENDOK), LPARAM(ShellCombo->Handle()));
        } else {
            ShellCombo->SetFocus();
            ShellCombo->SetDroppedDown(true);
        }
        Key = 0;
        break;
    case VK_F5:
        if (!ShellCombo->Focused()) ShellCombo->FillCombo();
        if (!ShellList->Focused()) ShellList->FillList();
        if (ShellTree->ShellList() && !ShellTree->Focused()) ShellTree->FillTree();
        break;
    case VK_F12:
        if (options_.Contains(osoAllowTree)) ShowTree(!btnShowTree->Down());
        Key = 0;
        break;
    }
}

void TRzShellOpenSaveForm::btnPlaceClick(TObject* Sender) {
    const int index = int(As<TComponent>(Sender)->Tag());
    if (index < 0 || index >= int(places_.size())) return;
    const TRzPlaceData& place = *places_[index];
    if (place.SpecialFolder == kRzPlaceIsPath)
        ShellList->Folder()->SetPathName(place.Path);
    else
        ShellList->Folder()->SetCSIDL(place.SpecialFolder);
    UpdatePlaceButtons();
}

void TRzShellOpenSaveForm::UpdatePlaceButtons() {
    const ITEMIDLIST* pidl = ShellList->FolderPidl();
    const int special = pidl ? PidlToSpecialFolder(pidl) : 50;
    const String path = UpperCase(CurrentFolderPath());
    for (int i = 0; i < int(places_.size()) && i < 5; ++i) {
        const TRzPlaceData& place = *places_[i];
        const bool here = place.SpecialFolder == kRzPlaceIsPath ? UpperCase(place.Path) == path && !path.empty()
                                                                : place.SpecialFolder == special;
        btnPlace[i]->SetDown(here);
    }
}

void TRzShellOpenSaveForm::btnUpOneLevelClick(TObject*) { ShellList->GoUp(1); }

void TRzShellOpenSaveForm::btnShowDesktopClick(TObject*) { ShellList->Folder()->SetCSIDL(CSIDL_DESKTOP); }

void TRzShellOpenSaveForm::btnCreateNewFolderClick(TObject*) {
    // The tree makes the folder when the user works in it, or when the list shows no folders to edit.
    const bool treeShown = RzSplitter1 && RzSplitter1->UpperLeft()->Visible();
    if (ShellTree && (ShellTree->Focused() || (treeShown && options_.Contains(osoHideFoldersInListWhenTreeVisible))))
        ShellTree->CreateNewFolderInTree();
    else
        ShellList->CreateNewFolderInList(true);
}

void TRzShellOpenSaveForm::btnShowTreeClick(TObject*) { ShowTree(btnShowTree->Down()); }

void TRzShellOpenSaveForm::SetViewStyle(int tag) {
    ShellList->SetViewStyle(TViewStyle(tag));
    btnList->SetDown(tag == btnList->Tag());
    btnDetails->SetDown(tag == btnDetails->Tag());
    for (TMenuItem* item : viewItems) item->SetChecked(item->Tag() == tag);
}

void TRzShellOpenSaveForm::ViewBtnClick(TObject* Sender) { SetViewStyle(int(As<TComponent>(Sender)->Tag())); }

void TRzShellOpenSaveForm::ShellListChange(TObject*, TListItem*, TItemChange Change) {
    if (!executing_ || Change != ctState) return;
    std::vector<TRzShellListData*> chosen;
    TListItems* items = ShellList->Items();
    // The window walks from one selected item to the next: asking each item in turn would cost a
    // message per item of the folder on every change of the focus or selection.
    const HWND list = ShellList->Handle();
    for (int i = int(SendMessageW(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED)); i >= 0 && i < items->Count();
         i = int(SendMessageW(list, LVM_GETNEXTITEM, WPARAM(i), LVNI_SELECTED))) {
        TRzShellListData* data = ShellList->ListData(items->Item(i));
        if (data && !data->IsFolder()) chosen.push_back(data);
    }
    if (chosen.size() >= 2) {
        String text;
        for (TRzShellListData* data : chosen) text += (text.empty() ? L"\"" : L" \"") + NamePart(data->PathName()) + L"\"";
        edtFileName->SetText(text);
    } else if (chosen.size() == 1) {
        edtFileName->SetText(chosen[0]->DisplayName());
    }
    lastInput_ = isList;
    DoSelectionChanged();
}

void TRzShellOpenSaveForm::ShellListFolderChanged(TObject*) {
    if (!executing_) return;
    DoFolderChanged();
    UpdatePlaceButtons();
}

void TRzShellOpenSaveForm::ShellListDblClickOpen(TObject*, bool& Handled) {
    SetModalResult(mrOk);
    Handled = true;
}

void TRzShellOpenSaveForm::edtFileNameChange(TObject*) {
    if (executing_) lastInput_ = isEdit;
}

void TRzShellOpenSaveForm::cbxFileTypesSelEndOk(TObject*) { ApplyFileType(); }

void TRzShellOpenSaveForm::btnHelpClick(TObject*) { Application->HelpContext(HelpContext()); }

bool TRzShellOpenSaveForm::FormHelp(Word Command, NativeInt Data, bool& CallHelp) {
    return OnFormHelp ? OnFormHelp(Command, Data, CallHelp) : false;
}

void TRzShellOpenSaveForm::chkReadOnlyClick(TObject*) {
    if (chkReadOnly->Checked())
        options_.Include(osoReadOnly);
    else
        options_.Exclude(osoReadOnly);
}

void TRzShellOpenSaveForm::Paste1MitmClick(TObject*) { ShellList->InvokeFolderVerb(L"paste"); }

void TRzShellOpenSaveForm::Properties1MitmClick(TObject*) { ShellList->InvokeFolderVerb(L"properties"); }

void InitializeRzShellOpenSaveForm() { RegisterClasses({TRzShellOpenSaveForm::StaticClass()}); }
