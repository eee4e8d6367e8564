// Times the shell open dialog from Execute to a list filled with a folder of 2,000 files, next to
// the system's common open dialog on the same folder in the same run (until its list view holds
// the files). Prints the median of five runs of each and their ratio; exits with 1 when the shell
// dialog takes more than twice the common dialog's time. Run by scripts/bench.sh.

#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "Application.h"
#include "ControlsUnits.h"
#include "Forms.h"
#include "PlatformUnits.h"
#include "RzShellDialogs.h"
#include "RzShellOpenSaveForm.h"
#include "SysUtils.h"

namespace {

constexpr int kFiles = 2000, kRuns = 5;

double Now() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

int QuietMessageBox(HWND, const String&, const String&, UINT) { return IDOK; }

double Median(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// ---- the shell dialog: a timer watches the running form's list

TRzOpenDialog* shellDialog = nullptr;
double shellStart = 0, shellFilled = 0;

void CALLBACK WatchShellDialog(HWND, UINT, UINT_PTR, DWORD) {
    try {
        TRzShellOpenSaveForm* form = shellDialog ? shellDialog->Form() : nullptr;
        if (!form || !form->Executing() || shellFilled) return;
        if (form->ShellList->Items()->Count() >= kFiles) {
            shellFilled = Now();
            form->SetModalResult(mrCancel);
        }
    } catch (...) {
    }
}

double TimeShellDialog(const String& folder) {
    TRzOpenDialog dialog(nullptr);
    dialog.SetInitialDir(folder);
    dialog.SetFilter(L"Level files (*.level)|*.level");
    shellDialog = &dialog;
    shellFilled = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 1, &WatchShellDialog);
    shellStart = Now();
    dialog.Execute();
    KillTimer(nullptr, timer);
    shellDialog = nullptr;
    return shellFilled ? shellFilled - shellStart : -1;
}

// ---- the common dialog: a timer looks for its list view

double commonFilled = 0;

BOOL CALLBACK FindListView(HWND window, LPARAM found) {
    wchar_t name[64];
    GetClassNameW(window, name, 64);
    if (std::wstring(name) == L"SysListView32") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    wchar_t name[64];
    GetClassNameW(window, name, 64);
    if (std::wstring(name) == L"#32770" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK WatchCommonDialog(HWND, UINT, UINT_PTR, DWORD) {
    if (commonFilled) return;
    HWND dialog = nullptr, list = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindDialog, LPARAM(&dialog));
    if (!dialog) return;
    EnumChildWindows(dialog, &FindListView, LPARAM(&list));
    if (list && SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) >= kFiles) {
        commonFilled = Now();
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
}

double TimeCommonDialog(const String& folder) {
    wchar_t file[MAX_PATH] = L"";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.lpstrFilter = L"Level files (*.level)\0*.level\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = folder.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    commonFilled = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 1, &WatchCommonDialog);
    const double start = Now();
    GetOpenFileNameW(&ofn);
    KillTimer(nullptr, timer);
    return commonFilled ? commonFilled - start : -1;
}

}  // namespace

int main() {
    InitializePlatformUnits();
    InitializeControlsUnits();
    Application->Initialize();
    SetMessageBoxFunction(&QuietMessageBox);

    const String folder = L"C:\\zarnik-dialog-bench-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    for (int i = 0; i < kFiles; ++i) {
        wchar_t name[32];
        swprintf(name, 32, L"\\level%04d.level", i);
        HANDLE file = CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(file);
    }

    std::vector<double> shell, common;
    for (int run = 0; run < kRuns; ++run) {
        shell.push_back(TimeShellDialog(folder));
        common.push_back(TimeCommonDialog(folder));
    }
    // Both dialogs leave the process in the folder they closed in, and the current folder
    // cannot be removed.
    SetCurrentDirectoryW(L"C:\\");
    for (int i = 0; i < kFiles; ++i) {
        wchar_t name[32];
        swprintf(name, 32, L"\\level%04d.level", i);
        DeleteFileW((folder + name).c_str());
    }
    RemoveDirectoryW(folder.c_str());

    const bool measured = std::ranges::none_of(shell, [](double t) { return t < 0; }) &&
                          std::ranges::none_of(common, [](double t) { return t < 0; });
    const double shellMs = Median(shell), commonMs = Median(common);
    std::printf("Execute to a filled list, %d files, median of %d runs\n", kFiles, kRuns);
    std::printf("  shell open dialog:  %8.1f ms\n", shellMs);
    std::printf("  common open dialog: %8.1f ms\n", commonMs);
    if (!measured) {
        std::printf("  a dialog never showed the whole folder\n");
        return 1;
    }
    const double ratio = shellMs / commonMs;
    std::printf("  ratio %.2f (target at most 2.00): %s\n", ratio, ratio <= 2.0 ? "met" : "MISSED");
    return ratio <= 2.0 ? 0 : 1;
}
