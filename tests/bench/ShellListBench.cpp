// Times the shell list on a folder of 5,000 files against a plain enumeration of the same folder
// that asks the shell for each item's display name, in the same run: the list's fill (items,
// icons, sort, the visible rows drawn) and its refresh after one new file. Prints the median of
// several runs of each with their ratios. Exits with 1 when a target is missed: the fill within
// 3 times the enumeration, the refresh under half a fill. Run by scripts/bench.sh.

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "Application.h"
#include "ControlsUnits.h"
#include "Form.h"
#include "PlatformUnits.h"
#include "RzShellList.h"
#include "Units.h"

namespace {

constexpr int FileCount = 5000;
constexpr int Runs = 5;

double Now() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

double Median(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

void PumpPending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void MakeFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, "zarnik", 6, &written, nullptr);
    CloseHandle(file);
}

void RemoveFolder(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW((folder + L"\\" + found.cFileName).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

// What any program does to list a folder by name: bind it, enumerate files and folders, and ask
// each item's in-folder display name. Answers the number of items.
int EnumerateWithNames(const std::wstring& folder) {
    IShellFolder* desktop = nullptr;
    SHGetDesktopFolder(&desktop);
    PIDLIST_RELATIVE pidl = nullptr;
    desktop->ParseDisplayName(nullptr, nullptr, const_cast<wchar_t*>(folder.c_str()), nullptr, &pidl, nullptr);
    IShellFolder* shellFolder = nullptr;
    desktop->BindToObject(pidl, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&shellFolder));
    IEnumIDList* items = nullptr;
    shellFolder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, &items);
    int count = 0;
    PITEMID_CHILD item = nullptr;
    ULONG fetched = 0;
    while (items->Next(1, &item, &fetched) == S_OK && fetched == 1) {
        STRRET name{};
        std::wstring text;
        if (SUCCEEDED(shellFolder->GetDisplayNameOf(item, SHGDN_INFOLDER, &name))) {
            if (name.uType == STRRET_WSTR) {
                text = name.pOleStr;
                CoTaskMemFree(name.pOleStr);
            } else {
                const char* ansi = name.uType == STRRET_CSTR ? name.cStr : reinterpret_cast<const char*>(item) + name.uOffset;
                wchar_t wide[MAX_PATH] = {};
                MultiByteToWideChar(CP_ACP, 0, ansi, -1, wide, MAX_PATH);
                text = wide;
            }
        }
        CoTaskMemFree(item);
        count += text.empty() ? 0 : 1;
    }
    items->Release();
    shellFolder->Release();
    CoTaskMemFree(pidl);
    desktop->Release();
    return count;
}

}  // namespace

int main() {
    InitializePlatformUnits();
    InitializeControlsUnits();
    Application->Initialize();
    std::wstring folder = L"C:\\zarnik-shell-bench-" + std::to_wstring(GetCurrentProcessId());
    RemoveFolder(folder);
    CreateDirectoryW(folder.c_str(), nullptr);
    for (int i = 0; i < FileCount; ++i) MakeFile(folder + L"\\level" + std::to_wstring(10000 + i) + L".level");

    auto* form = CreateNewForm<TForm>(nullptr);
    form->SetPosition(poDesigned);
    form->SetBounds(0, 0, 820, 620);
    auto* list = new TRzShellList(form);
    list->SetOptions(list->Options() - sloDynamicRefresh - sloAutoFill);
    list->SetViewStyle(vsReport);
    list->SetAlign(alClient);
    list->SetParent(form);
    form->Show();
    PumpPending();
    // Each fill comes from an empty folder, as when the user opens the big one.
    std::wstring empty = folder + L"-empty";
    CreateDirectoryW(empty.c_str(), nullptr);

    std::vector<double> enumeration, fill, refresh;
    int listed = 0;
    for (int run = 0; run < Runs; ++run) {
        double start = Now();
        listed = EnumerateWithNames(folder);
        enumeration.push_back(Now() - start);

        list->Folder()->SetPathName(empty);
        PumpPending();
        start = Now();
        list->Folder()->SetPathName(folder);
        list->Update();
        fill.push_back(Now() - start);

        MakeFile(folder + L"\\added" + std::to_wstring(run) + L".level");
        start = Now();
        list->RefreshList();
        list->Update();
        refresh.push_back(Now() - start);
        PumpPending();
    }
    bool shown = list->Items()->Count() == FileCount + Runs;

    double enumerated = Median(enumeration), filled = Median(fill), refreshed = Median(refresh);
    std::printf("shell list on a folder of %d files (%d listed), median of %d runs\n", FileCount, listed, Runs);
    std::printf("  plain enumeration with names  %8.1f ms\n", enumerated);
    std::printf("  fill                          %8.1f ms  (%.2f x the enumeration; target 3)\n", filled,
                filled / enumerated);
    std::printf("  refresh after one new file    %8.1f ms  (%.2f x the fill; target under 0.5)\n", refreshed,
                refreshed / filled);
    bool met = shown && filled <= 3 * enumerated && refreshed < filled / 2;
    if (!shown) std::printf("  the list shows %d items, not %d\n", list->Items()->Count(), FileCount + Runs);
    std::printf("%s\n", met ? "targets met" : "TARGET MISSED");

    delete form;
    RemoveFolder(folder);
    RemoveFolder(empty);
    FinalizeUnits();
    return met ? 0 : 1;
}
