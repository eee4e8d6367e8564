#include "RzShellHelpers.h"

#include <ole2.h>
#include <shellapi.h>

#include <cmath>

#include "Control.h"
#include "Form.h"
#include "Format.h"
#include "MessageDialogs.h"
#include "RzShellContextMenu.h"
#include "RzShellDataObject.h"
#include "RzShellKeys.h"
#include "Screen.h"
#include "SysUtils.h"

Cardinal DragHoverTime = 400;
Integer DragHoverWidth = 2;
Integer DragHoverHeight = 2;

namespace {

bool oleInitialized = false;

const wchar_t* const FolderWarning = L"Unable to create the folder '%2'\n\n%1";

void WarnFolderNotCreated(DWORD error, const String& name) {
    MessageDlg(FormatStrPos(FolderWarning, {SysErrorMessage(error), name}), mtWarning, TMsgDlgButtons{mbOK}, 0);
}

// Tries base, then base followed by suffix for 2 to 50. True with the name made; false when the
// series ran out or met another failure (already shown).
bool CreateFolderInSeries(const String& folder, const String& base, const String& suffix, String& newName) {
    for (Integer i = 1; i <= 50; ++i) {
        String name = i == 1 ? base : base + Format(suffix, {i});
        if (CreateDirectoryW((folder + name).c_str(), nullptr)) {
            newName = name;
            return true;
        }
        DWORD error = GetLastError();
        if (error == ERROR_ALREADY_EXISTS) continue;
        WarnFolderNotCreated(error, name);
        return false;
    }
    return false;
}

String LocalDateTimeText(const FILETIME& utc) {
    FILETIME local;
    SYSTEMTIME time;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &time)) return String();
    wchar_t date[128] = {}, clock[128] = {}, shortTime[80] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, 128);
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTTIME, shortTime, 80);
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, shortTime[0] ? shortTime : nullptr, clock, 128);
    return String(date) + L" " + clock;
}

}  // namespace

HWND ShellOwnerWindow(TControl* control) {
    if (!control) return nullptr;
    TControl* top = control;
    while (top->Parent()) top = top->Parent();
    auto* form = dynamic_cast<TCustomForm*>(top);
    return form && form->HandleAllocated() ? form->Handle() : nullptr;
}

bool CreateNewFolderIn(const String& path, String& newName) {
    String folder = path;
    if (folder.empty()) {
        wchar_t current[MAX_PATH + 1] = {};
        GetCurrentDirectoryW(MAX_PATH + 1, current);
        folder = current;
    }
    folder = EnsureTrailingChar(folder, L'\\');
    if (CreateFolderInSeries(folder, L"New Folder", L" (%d)", newName)) return true;
    if (CreateFolderInSeries(folder, L"fldr", L"%d", newName)) return true;
    WarnFolderNotCreated(ERROR_ALREADY_EXISTS, L"New Folder");
    return false;
}

void WaitWithHourglass(Cardinal milliseconds) {
    TCursor saved = Screen->Cursor();
    Screen->SetCursor(crHourGlass);
    Sleep(milliseconds);
    Screen->SetCursor(saved);
}

String FormatFileSizeKB(Int64 bytes) {
    Extended kilobytes = std::ceil(Extended(bytes) / 1024);
    return Format(L"%sKB", {Format(L"%.0n", {kilobytes})});
}

void GetFileSizeAndDate(const ITEMIDLIST* pidl, String& sizeText, String& dateText) {
    sizeText.clear();
    dateText.clear();
    String path = PidlToPath(pidl);
    if (path.size() <= 3) return;  // a drive root has neither
    UINT errorMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(path.c_str(), &found);
    SetErrorMode(errorMode);
    if (search == INVALID_HANDLE_VALUE) return;
    FindClose(search);
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        sizeText = FormatFileSizeKB((Int64(found.nFileSizeHigh) << 32) | found.nFileSizeLow);
    const FILETIME& written = found.ftLastWriteTime;
    dateText = LocalDateTimeText(written.dwLowDateTime || written.dwHighDateTime ? written : found.ftCreationTime);
}

String GetFileTypeName(const ITEMIDLIST* pidl, SFGAOF attributes) {
    if (!(attributes & SFGAO_FILESYSTEM)) return L"System Folder";
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(reinterpret_cast<LPCWSTR>(pidl), 0, &info, sizeof(info), SHGFI_PIDL | SHGFI_TYPENAME))
        return String();
    return info.szTypeName;
}

bool IsFolderItem(SFGAOF attributes, bool filesCanBeFolders) {
    if (!(attributes & SFGAO_FOLDER)) return false;
    if (filesCanBeFolders) return true;
    // From shell version 6 on, archives are folders with a stream: they are files to us.
    if (HIWORD(Shell32Version().MS) < 6) return true;
    return !(attributes & SFGAO_STREAM);
}

void RaiseSystemError(DWORD code) { throw Exception(SysErrorMessage(code)); }

void SetWindowStyleBit(HWND window, LONG_PTR bits, bool on) {
    LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    LONG_PTR changed = on ? style | bits : style & ~bits;
    if (changed != style) SetWindowLongPtrW(window, GWL_STYLE, changed);
}

// ---- Unit start-up

void InitializeRzShellHelpers() {
    ShellIdListFormat();
    oleInitialized = SUCCEEDED(OleInitialize(nullptr));
    UINT value = 0;
    if (SystemParametersInfoW(SPI_GETMOUSEHOVERTIME, 0, &value, 0)) DragHoverTime = value;
    if (SystemParametersInfoW(SPI_GETMOUSEHOVERWIDTH, 0, &value, 0)) DragHoverWidth = Integer(value);
    if (SystemParametersInfoW(SPI_GETMOUSEHOVERHEIGHT, 0, &value, 0)) DragHoverHeight = Integer(value);
}

void FinalizeRzShellHelpers() {
    FreeSendToList();
    if (oleInitialized) OleUninitialize();
    oleInitialized = false;
    ReleaseDefaultShellKeys();
}
