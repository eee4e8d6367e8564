#pragma once
// A folder tree that a shell-control test makes under the prefix's C: drive and removes again:
// real folders and files that the shell enumerates, watches and renames.

#include <windows.h>
#include <shellapi.h>

#include <fstream>
#include <string>
#include <vector>

#include "RzShellDataObject.h"
#include "RzShellUtils.h"
#include "SysTypes.h"

class TShellTestTree {
public:
    explicit TShellTestTree(const String& name = L"zarnik-shell-test") {
        root_ = L"C:\\" + name + L"-" + std::to_wstring(GetCurrentProcessId());
        RemoveAll(root_);
        CreateDirectoryW(root_.c_str(), nullptr);
    }
    ~TShellTestTree() {
        // A dialog that closed in the tree left the process there, and the current folder cannot
        // be removed.
        wchar_t current[MAX_PATH] = L"";
        GetCurrentDirectoryW(MAX_PATH, current);
        if (CompareStringOrdinal(current, int(root_.size()), root_.c_str(), int(root_.size()), TRUE) == CSTR_EQUAL)
            SetCurrentDirectoryW(L"C:\\");
        RemoveAll(root_);
    }
    TShellTestTree(const TShellTestTree&) = delete;
    TShellTestTree& operator=(const TShellTestTree&) = delete;

    const String& Root() const { return root_; }
    String Path(const String& relative) const { return relative.empty() ? root_ : root_ + L"\\" + relative; }
    // Makes a folder (and the folders above it).
    String Folder(const String& relative) const {
        String path = Path(relative);
        SHCreateDirectoryExW(nullptr, path.c_str(), nullptr);
        return path;
    }
    // Makes a file of size bytes.
    String File(const String& relative, std::size_t size = 0) const {
        String path = Path(relative);
        HANDLE file =
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        std::string bytes(size, 'z');
        DWORD written = 0;
        if (size) WriteFile(file, bytes.data(), DWORD(size), &written, nullptr);
        CloseHandle(file);
        return path;
    }
    static bool Exists(const String& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
    // The absolute item ID list of a path under the tree (the caller frees it).
    PItemIDList Pidl(const String& relative) const {
        PItemIDList pidl = nullptr;
        PathToPidl(Path(relative), pidl);
        return pidl;
    }

    static void RemoveAll(const String& path) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                String name = found.cFileName;
                if (name == L"." || name == L"..") continue;
                String child = path + L"\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveAll(child);
                else {
                    SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileW(child.c_str());
                }
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(path.c_str());
    }

private:
    String root_;
};

// Frees an item ID list at scope end.
struct TOwnedPidl {
    PItemIDList p = nullptr;
    TOwnedPidl() = default;
    explicit TOwnedPidl(PItemIDList list) : p(list) {}
    ~TOwnedPidl() { ShellMemFree(p); }
    TOwnedPidl(const TOwnedPidl&) = delete;
    TOwnedPidl& operator=(const TOwnedPidl&) = delete;
};

// The paths of the shell items on the clipboard's "Shell IDList Array"; empty when it has none.
inline std::vector<String> ClipboardShellItemPaths() {
    std::vector<String> paths;
    TComRef<IDataObject> clip;
    if (FAILED(OleGetClipboard(clip.Out()))) return paths;
    FORMATETC format{ShellIdListFormat(), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (FAILED(clip->GetData(&format, &medium))) return paths;
    const ITEMIDLIST* parent = nullptr;
    std::vector<const ITEMIDLIST*> items;
    if (ReadIdListArray(GlobalLock(medium.hGlobal), GlobalSize(medium.hGlobal), parent, items))
        for (const ITEMIDLIST* item : items) {
            TOwnedPidl whole(ConcatPidls(nullptr, parent, item));
            paths.push_back(PidlToPath(whole.p));
        }
    GlobalUnlock(medium.hGlobal);
    ReleaseStgMedium(&medium);
    return paths;
}

// A drop source that ends every drag at its first question, as Escape would.
class TEndingDropSource : public TInterfacedObject, public IDropSource {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        return QuerySingleInterface<IDropSource>(this, iid, IID_IDropSource, object);
    }
    RZ_COM_REFERENCE_COUNT
    STDMETHODIMP QueryContinueDrag(BOOL, DWORD) override { return DRAGDROP_S_CANCEL; }
    STDMETHODIMP GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
    // A new one, referenced once for the caller.
    static IDropSource* Create() {
        IDropSource* source = new TEndingDropSource;
        source->AddRef();
        return source;
    }
};
