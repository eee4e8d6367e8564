#include "CommonDialogs.h"

#include <vector>

#include "Application.h"
#include "Screen.h"
#include "SysUtils.h"

// Sections: TCommonDialog; colour; font; open and save.

// ---- TCommonDialog ----

bool TCommonDialog::Execute() {
    HWND parent = nullptr;
    if (TCustomForm* form = Screen ? Screen->ActiveForm() : nullptr; form && form->HandleAllocated())
        parent = form->WindowHandle();
    else if (TCustomForm* main = Application ? Application->MainForm() : nullptr; main && main->HandleAllocated())
        parent = main->WindowHandle();
    // The dialog runs a loop of its own; the focus comes back where it was.
    HWND focus = GetFocus();
    bool result = Execute(parent);
    if (focus && IsWindow(focus)) ::SetFocus(focus);
    return result;
}

void TCommonDialog::CheckDialogError(const wchar_t* dialog) {
    DWORD error = CommDlgExtendedError();
    if (error != 0)
        throw EInvalidOperation(String(dialog) + L" dialog failed (error " + IntToStr(Integer(error)) + L")");
}

// ---- colour ----

TColorDialog::TColorDialog(TComponent* AOwner) : TCommonDialog(AOwner) {
    for (COLORREF& c : customColors_) c = RGB(255, 255, 255);
}

bool TColorDialog::Execute(HWND ParentWnd) {
    CHOOSECOLORW record{};
    record.lStructSize = sizeof(record);
    record.hwndOwner = ParentWnd;
    record.rgbResult = COLORREF(ColorToRGB(color_));
    record.lpCustColors = customColors_;
    record.Flags = CC_RGBINIT;
    if (options_.Contains(cdFullOpen)) record.Flags |= CC_FULLOPEN;
    if (options_.Contains(cdPreventFullOpen)) record.Flags |= CC_PREVENTFULLOPEN;
    if (options_.Contains(cdSolidColor)) record.Flags |= CC_SOLIDCOLOR;
    if (options_.Contains(cdAnyColor)) record.Flags |= CC_ANYCOLOR;
    if (!ChooseColorW(&record)) {
        CheckDialogError(L"Colour");
        return false;
    }
    color_ = TColor(record.rgbResult);
    return true;
}

// ---- font ----

TFontDialog::TFontDialog(TComponent* AOwner) : TCommonDialog(AOwner), font_(new TFont()) {}

TFontDialog::~TFontDialog() { delete font_; }

bool TFontDialog::Execute(HWND ParentWnd) {
    LOGFONTW font{};
    GetObjectW(font_->Handle(), sizeof(font), &font);
    CHOOSEFONTW record{};
    record.lStructSize = sizeof(record);
    record.hwndOwner = ParentWnd;
    record.lpLogFont = &font;
    record.Flags = CF_INITTOLOGFONTSTRUCT | CF_SCREENFONTS;
    if (options_.Contains(fdEffects)) record.Flags |= CF_EFFECTS;
    if (options_.Contains(fdFixedPitchOnly)) record.Flags |= CF_FIXEDPITCHONLY;
    if (options_.Contains(fdForceFontExist)) record.Flags |= CF_FORCEFONTEXIST;
    if (options_.Contains(fdNoSimulations)) record.Flags |= CF_NOSIMULATIONS;
    record.rgbColors = COLORREF(ColorToRGB(font_->Color()));
    if (!ChooseFontW(&record)) {
        CheckDialogError(L"Font");
        return false;
    }
    font_->SetHandle(CreateFontIndirectW(&font));
    if (options_.Contains(fdEffects)) font_->SetColor(TColor(record.rgbColors));
    return true;
}

// ---- open and save ----

TOpenDialog::TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner), files_(new TStringList()) {}

TOpenDialog::~TOpenDialog() { delete files_; }

BOOL TOpenDialog::RunDialog(OPENFILENAMEW& record) { return GetOpenFileNameW(&record); }

BOOL TSaveDialog::RunDialog(OPENFILENAMEW& record) { return GetSaveFileNameW(&record); }

namespace {

struct TOpenFlag {
    TOpenOption option;
    DWORD flag;
};
constexpr TOpenFlag kOpenFlags[] = {
    {ofReadOnly, OFN_READONLY},
    {ofOverwritePrompt, OFN_OVERWRITEPROMPT},
    {ofHideReadOnly, OFN_HIDEREADONLY},
    {ofNoChangeDir, OFN_NOCHANGEDIR},
    {ofShowHelp, OFN_SHOWHELP},
    {ofNoValidate, OFN_NOVALIDATE},
    {ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
    {ofExtensionDifferent, OFN_EXTENSIONDIFFERENT},
    {ofPathMustExist, OFN_PATHMUSTEXIST},
    {ofFileMustExist, OFN_FILEMUSTEXIST},
    {ofCreatePrompt, OFN_CREATEPROMPT},
    {ofShareAware, OFN_SHAREAWARE},
    {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
    {ofNoTestFileCreate, OFN_NOTESTFILECREATE},
    {ofNoDereferenceLinks, OFN_NODEREFERENCELINKS},
    {ofForceShowHidden, OFN_FORCESHOWHIDDEN},
};

// "a|b|c|d" as the system wants it: "a\0b\0c\0d\0\0".
std::vector<wchar_t> SystemFilter(const String& filter) {
    std::vector<wchar_t> result;
    for (wchar_t c : filter) result.push_back(c == L'|' ? L'\0' : c);
    result.push_back(L'\0');
    result.push_back(L'\0');
    return result;
}

}  // namespace

bool TOpenDialog::Execute(HWND ParentWnd) {
    // Room for many chosen files: a folder and the names after it.
    std::vector<wchar_t> buffer(65536, L'\0');
    fileName_.copy(buffer.data(), std::min(fileName_.size(), buffer.size() - 1));
    std::vector<wchar_t> filter = SystemFilter(filter_);
    OPENFILENAMEW record{};
    record.lStructSize = sizeof(record);
    record.hwndOwner = ParentWnd;
    record.lpstrFilter = filter_.empty() ? nullptr : filter.data();
    record.nFilterIndex = DWORD(filterIndex_);
    record.lpstrFile = buffer.data();
    record.nMaxFile = DWORD(buffer.size());
    record.lpstrInitialDir = initialDir_.empty() ? nullptr : initialDir_.c_str();
    record.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
    record.lpstrDefExt = defaultExt_.empty() ? nullptr : defaultExt_.c_str();
    record.Flags = OFN_EXPLORER | OFN_ENABLESIZING;
    for (const TOpenFlag& f : kOpenFlags)
        if (options_.Contains(f.option)) record.Flags |= f.flag;
    record.Flags &= ~DWORD(OFN_EXTENSIONDIFFERENT | OFN_READONLY);
    if (options_.Contains(ofReadOnly)) record.Flags |= OFN_READONLY;
    if (!RunDialog(record)) {
        CheckDialogError(L"File");
        return false;
    }
    // With several files the buffer holds the folder, then each name, each ended by a zero.
    files_->Clear();
    String first = buffer.data();
    const wchar_t* next = buffer.data() + first.size() + 1;
    if (options_.Contains(ofAllowMultiSelect) && *next) {
        String folder = IncludeTrailingPathDelimiter(first);
        while (*next) {
            String name = next;
            files_->Add(folder + name);
            next += name.size() + 1;
        }
    } else {
        files_->Add(first);
    }
    fileName_ = files_->Strings(0);
    filterIndex_ = Integer(record.nFilterIndex);
    options_ -= ofReadOnly;
    options_ -= ofExtensionDifferent;
    if (record.Flags & OFN_READONLY) options_ += ofReadOnly;
    if (record.Flags & OFN_EXTENSIONDIFFERENT) options_ += ofExtensionDifferent;
    return true;
}
