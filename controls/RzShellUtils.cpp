#include "RzShellUtils.h"

#include <commctrl.h>
#include <lm.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "RzDeviceChangeHandler.h"
#include "SysUtils.h"

namespace {

OSVERSIONINFOW osVersion{};
IMalloc* shellMalloc = nullptr;
TRzFileVersion comCtlVersion;
TRzFileVersion shell32Version;
bool overlaysInstalled = false;
Integer drivesValidationSuspended = 0;

enum TNetUseState { nusNotTried, nusUnavailable, nusAvailable };
using TNetUseGetInfo = NET_API_STATUS(WINAPI*)(LPWSTR server, LPWSTR useName, DWORD level, LPBYTE* buffer);
using TNetApiBufferFree = NET_API_STATUS(WINAPI*)(LPVOID buffer);
TNetUseState netUseState = nusNotTried;
HMODULE netApiModule = nullptr;
TNetUseGetInfo netUseGetInfo = nullptr;
TNetApiBufferFree netApiBufferFree = nullptr;

// The desktop's own list: the terminator alone.
const ITEMIDLIST* EmptyPidl() {
    static const Word terminator = 0;
    return reinterpret_cast<const ITEMIDLIST*>(&terminator);
}

bool IsEmptyPidl(const ITEMIDLIST* pidl) { return pidl->mkid.cb == 0; }

const Byte* NextItem(const Byte* item) { return item + *reinterpret_cast<const Word*>(item); }
Word ItemSize(const Byte* item) { return *reinterpret_cast<const Word*>(item); }

void* AllocThrough(IMalloc* malloc, Cardinal size) { return malloc ? malloc->Alloc(size) : ShellMemAlloc(size); }

// A list made of the given bytes of items plus a terminator.
PItemIDList MakePidl(IMalloc* malloc, const void* items, Cardinal itemBytes) {
    auto* result = static_cast<Byte*>(AllocThrough(malloc, itemBytes + 2));
    if (!result) return nullptr;
    if (itemBytes) std::memcpy(result, items, itemBytes);
    result[itemBytes] = 0;
    result[itemBytes + 1] = 0;
    return reinterpret_cast<PItemIDList>(result);
}

Cardinal ItemBytes(const ITEMIDLIST* pidl) { return pidl ? Cardinal(PidlSize(pidl) - 2) : 0; }

String StrRetToString(STRRET& name, const ITEMIDLIST* pidl) {
    switch (name.uType) {
        case STRRET_WSTR: {
            String result = name.pOleStr ? String(name.pOleStr) : String();
            CoTaskMemFree(name.pOleStr);
            return result;
        }
        case STRRET_OFFSET:
            return AnsiToString(reinterpret_cast<const char*>(pidl) + name.uOffset);
        case STRRET_CSTR:
            return AnsiToString(std::string(name.cStr, strnlen(name.cStr, MAX_PATH)));
        default:
            return String();
    }
}

UINT NameFlags(ShellNameKind kind) {
    static const UINT flags[] = {SHGDN_NORMAL, SHGDN_INFOLDER, SHGDN_FORPARSING, SHGDN_INFOLDER | SHGDN_FOREDITING};
    return flags[kind];
}

HIMAGELIST QuerySystemImageList(ShellIconSize size) {
    UINT flags = (size == sisSmall ? SHGFI_SMALLICON : SHGFI_LARGEICON) | SHGFI_SYSICONINDEX;
    SHFILEINFOW info{};
    DWORD_PTR list = SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), flags);
    if (!list)
        list = SHGetFileInfoW(reinterpret_cast<LPCWSTR>(EmptyPidl()), 0, &info, sizeof(info), flags | SHGFI_PIDL);
    return reinterpret_cast<HIMAGELIST>(list);
}

// A field read from a shell link: the buffer is sized generously so nothing is cut.
constexpr int LinkFieldChars = 32768;

}  // namespace

// ---- Allocation and item ID lists

IMalloc* ShellMalloc() { return shellMalloc; }

void* ShellMemAlloc(Cardinal size) { return shellMalloc ? shellMalloc->Alloc(size) : CoTaskMemAlloc(size); }

void ShellMemFree(void* p) {
    if (!p) return;
    if (shellMalloc)
        shellMalloc->Free(p);
    else
        CoTaskMemFree(p);
}

Integer PidlSize(const ITEMIDLIST* pidl) {
    if (!pidl) return 0;
    Integer size = 2;
    for (auto* item = reinterpret_cast<const Byte*>(pidl); ItemSize(item) != 0; item = NextItem(item))
        size += ItemSize(item);
    return size;
}

PItemIDList CopyPidl(IMalloc* malloc, const ITEMIDLIST* pidl) { return MakePidl(malloc, pidl, ItemBytes(pidl)); }

PItemIDList ConcatPidls(IMalloc* malloc, const ITEMIDLIST* first, const ITEMIDLIST* second) {
    Cardinal size1 = ItemBytes(first), size2 = ItemBytes(second);
    auto* result = static_cast<Byte*>(AllocThrough(malloc, size1 + size2 + 2));
    if (!result) return nullptr;
    if (size1) std::memcpy(result, first, size1);
    if (size2) std::memcpy(result + size1, second, size2);
    result[size1 + size2] = result[size1 + size2 + 1] = 0;
    return reinterpret_cast<PItemIDList>(result);
}

Integer ComparePidls(const ITEMIDLIST* first, const ITEMIDLIST* second) {
    if (!first && !second) return 0;
    if (!first || !second) return -1;
    bool empty1 = IsEmptyPidl(first), empty2 = IsEmptyPidl(second);
    if (empty1 && empty2) return 0;
    if (empty1 || empty2) return -1;
    TComRef<IShellFolder> desktop;
    if (FAILED(GetDesktopFolder(*desktop.Out()))) return 0x7FFFFFFF;
    HRESULT result = desktop->CompareIDs(0, first, second);
    if (FAILED(result)) return 0x7FFFFFFF;
    return SmallInt(HRESULT_CODE(result));
}

String PidlToPath(const ITEMIDLIST* pidl) {
    wchar_t buffer[MAX_PATH + 1] = {};
    if (!SHGetPathFromIDListW(pidl ? pidl : EmptyPidl(), buffer)) return String();
    return buffer;
}

HRESULT PathToPidl(const String& path, PItemIDList& pidl) {
    pidl = nullptr;
    TComRef<IShellFolder> desktop;
    HRESULT result = GetDesktopFolder(*desktop.Out());
    if (FAILED(result)) return result;
    // The shell's parser wants a writable string; the path is passed whole, never cut.
    std::vector<wchar_t> name(path.begin(), path.end());
    name.push_back(0);
    result = desktop->ParseDisplayName(nullptr, nullptr, name.data(), nullptr, &pidl, nullptr);
    if (FAILED(result)) {
        ShellMemFree(pidl);
        pidl = nullptr;
    }
    return result;
}

HRESULT GetDesktopFolder(IShellFolder*& folder) {
    folder = nullptr;
    return SHGetDesktopFolder(&folder);
}

HRESULT GetShellFolder(const ITEMIDLIST* pidl, IShellFolder*& folder) {
    folder = nullptr;
    if (!pidl || IsEmptyPidl(pidl)) return GetDesktopFolder(folder);
    TComRef<IShellFolder> desktop;
    HRESULT result = GetDesktopFolder(*desktop.Out());
    if (FAILED(result)) return result;
    return desktop->BindToObject(pidl, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder));
}

// ---- Special folders

HRESULT GetSpecialFolderPidl(HWND owner, Integer folder, PItemIDList& pidl) {
    pidl = nullptr;
    return SHGetSpecialFolderLocation(owner, folder & 0x7F, &pidl);
}

String SpecialFolderPath(HWND owner, Integer folder) {
    PItemIDList pidl = nullptr;
    if (FAILED(GetSpecialFolderPidl(owner, folder, pidl))) return String();
    String result = PidlToPath(pidl);
    ShellMemFree(pidl);
    return result;
}

Integer PidlToSpecialFolder(const ITEMIDLIST* pidl) {
    for (Integer folder = 0; folder <= 50; ++folder) {
        PItemIDList special = nullptr;
        if (SUCCEEDED(GetSpecialFolderPidl(nullptr, folder, special))) {
            bool same = ComparePidls(pidl, special) == 0;
            ShellMemFree(special);
            if (same) return folder;
        }
    }
    return 50;
}

Integer GetSpecialFolderIconIndex(Integer folder, UINT iconFlags) {
    PItemIDList pidl = nullptr;
    HRESULT result = GetSpecialFolderPidl(nullptr, folder, pidl);
    if (FAILED(result)) {
        ShellMemFree(pidl);
        RaiseOleSysError(result);
    }
    Integer index = GetPidlIconIndex(pidl, iconFlags);
    ShellMemFree(pidl);
    return index;
}

// ---- Names, icons and links

String GetPidlDisplayName(IShellFolder* folder, const ITEMIDLIST* pidl, ShellNameKind kind) {
    if (!folder) {
        TComRef<IShellFolder> desktop;
        if (FAILED(GetDesktopFolder(*desktop.Out()))) return String();
        return GetPidlDisplayName(desktop.Get(), pidl, kind);
    }
    STRRET name{};
    name.uType = STRRET_WSTR;
    HRESULT result = folder->GetDisplayNameOf(pidl, NameFlags(kind), &name);
    if (FAILED(result)) {
        name = STRRET{};
        name.uType = STRRET_CSTR;
        result = folder->GetDisplayNameOf(pidl, NameFlags(kind), &name);
        if (FAILED(result)) return String();
    }
    return StrRetToString(name, pidl);
}

String GetAbsolutePidlDisplayName(const ITEMIDLIST* pidl) {
    TComRef<IShellFolder> desktop;
    if (FAILED(GetDesktopFolder(*desktop.Out()))) return String();
    TRzIdListArray levels(pidl);
    if (levels.Count() > 1) {
        TComRef<IShellFolder> parent;
        OleCheck(desktop->BindToObject(levels.Ancestor(1), nullptr, IID_IShellFolder, parent.OutVoid()));
        return GetPidlDisplayName(parent.Get(), levels.Items(levels.Count() - 1), snkInFolder);
    }
    return GetPidlDisplayName(desktop.Get(), pidl ? pidl : EmptyPidl(), snkInFolder);
}

Integer GetPidlIconIndex(const ITEMIDLIST* pidl, UINT iconFlags) {
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(reinterpret_cast<LPCWSTR>(pidl ? pidl : EmptyPidl()), 0, &info, sizeof(info),
                        iconFlags | SHGFI_SYSICONINDEX | SHGFI_PIDL))
        return 0;
    return info.iIcon;
}

Integer GetPathIconIndex(const String& path, UINT iconFlags) {
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(path.c_str(), 0, &info, sizeof(info), iconFlags | SHGFI_SYSICONINDEX)) return 0;
    return info.iIcon;
}

HIMAGELIST GetSystemImageList(ShellIconSize size) {
    if (IsWinNT() && comCtlVersion.MS >= 0x00040047 && !overlaysInstalled) InstallShellOverlays();
    return QuerySystemImageList(size);
}

void InstallShellOverlays() {
    if (overlaysInstalled) return;
    HMODULE shell32 = LoadLibraryW(L"shell32.dll");
    if (!shell32) return;
    // The shell keeps one image list per icon size and gives a new icon the same index in each;
    // an overlay added to only some of them would shift the indexes of every icon after it. So
    // each list the shell has gets both overlays, each at its own size.
    static const GUID imageListId = {0x46EB5926, 0x582E, 0x4017, {0x9F, 0xDF, 0xE8, 0x99, 0x8D, 0xAA, 0x09, 0x50}};
    std::vector<HIMAGELIST> lists;
    for (int kind = SHIL_LARGE; kind <= SHIL_JUMBO; ++kind) {
        void* list = nullptr;
        if (SUCCEEDED(SHGetImageList(kind, imageListId, &list)) && list &&
            std::find(lists.begin(), lists.end(), HIMAGELIST(list)) == lists.end())
            lists.push_back(HIMAGELIST(list));
    }
    if (lists.empty())
        for (ShellIconSize size : {sisSmall, sisLarge})
            if (HIMAGELIST list = QuerySystemImageList(size)) lists.push_back(list);
    const int resources[2] = {29, 30};  // the shared hand, then the link arrow
    for (int r = 0; r < 2; ++r) {
        // All lists or none, so that they stay in step.
        std::vector<HICON> icons;
        for (HIMAGELIST list : lists) {
            int width = 16, height = 16;
            ImageList_GetIconSize(list, &width, &height);
            icons.push_back(
                static_cast<HICON>(LoadImageW(shell32, MAKEINTRESOURCEW(resources[r]), IMAGE_ICON, width, height, 0)));
        }
        bool all = std::find(icons.begin(), icons.end(), nullptr) == icons.end();
        for (size_t l = 0; l < lists.size(); ++l) {
            int index = all ? ImageList_AddIcon(lists[l], icons[l]) : -1;
            if (index >= 0) ImageList_SetOverlayImage(lists[l], index, r + 1);
            if (icons[l]) DestroyIcon(icons[l]);
        }
    }
    overlaysInstalled = true;
    FreeLibrary(shell32);
}

HRESULT ResolveShellLink(const String& linkFile, TLinkData& data, bool wantPidl) {
    TComRef<IShellLinkW> link;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.OutVoid());
    if (FAILED(result)) return result;
    TComRef<IPersistFile> file;
    result = link->QueryInterface(IID_IPersistFile, file.OutVoid());
    if (FAILED(result)) return result;
    result = file->Load(linkFile.c_str(), STGM_READ);
    if (FAILED(result)) return result;
    // Silent resolution must never let the shell open a window of its own: no UI, and a
    // short search timeout (milliseconds in the high word).
    result = data.NoUI ? link->Resolve(nullptr, SLR_NO_UI | SLR_NOUPDATE | (1000u << 16)) : link->Resolve(nullptr, 0);
    if (FAILED(result)) return result;

    std::vector<wchar_t> buffer(LinkFieldChars);
    auto take = [&](String& field) { field = buffer.data(); };
    buffer[0] = 0;
    if (FAILED(result = link->GetPath(buffer.data(), LinkFieldChars, &data.FindData, 0))) return result;
    take(data.TargetPath);
    buffer[0] = 0;
    if (FAILED(result = link->GetArguments(buffer.data(), LinkFieldChars))) return result;
    take(data.Arguments);
    buffer[0] = 0;
    if (FAILED(result = link->GetDescription(buffer.data(), LinkFieldChars))) return result;
    take(data.Description);
    buffer[0] = 0;
    int iconIndex = 0;
    if (FAILED(result = link->GetIconLocation(buffer.data(), LinkFieldChars, &iconIndex))) return result;
    take(data.IconLocation);
    data.IconIndex = iconIndex;
    buffer[0] = 0;
    if (FAILED(result = link->GetWorkingDirectory(buffer.data(), LinkFieldChars))) return result;
    take(data.WorkingDirectory);
    int showCmd = 0;
    if (FAILED(result = link->GetShowCmd(&showCmd))) return result;
    data.ShowCmd = showCmd;
    WORD hotKey = 0;
    if (FAILED(result = link->GetHotkey(&hotKey))) return result;
    data.HotKey = hotKey;
    data.ItemFlags = 0x3F;
    data.Pidl = nullptr;
    if (wantPidl) result = link->GetIDList(&data.Pidl);
    return result;
}

// ---- Text helpers

String FormatStrPos(const wchar_t* format, const std::vector<String>& strings) {
    if (!format) return String();
    if (strings.size() > 50) throw Exception(L"FormatStrPos: Too many substitution strings");
    // The formatter reads as many arguments as the format names (up to %99), so the array is
    // padded with empty strings: a stray %n inserts nothing instead of reading past the end.
    DWORD_PTR arguments[99];
    for (size_t i = 0; i < 99; ++i)
        arguments[i] = reinterpret_cast<DWORD_PTR>(i < strings.size() ? strings[i].c_str() : L"");
    wchar_t* buffer = nullptr;
    DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                       format, 0, 0, reinterpret_cast<LPWSTR>(&buffer), 256, reinterpret_cast<va_list*>(arguments));
    String result = length && buffer ? String(buffer, length) : String();
    if (buffer) LocalFree(buffer);
    return result;
}

String EnsureTrailingChar(const String& s, wchar_t ch) {
    if (s.empty() || s.back() == ch) return s;
    return s + ch;
}

String TrimTrailingControls(const String& s) {
    size_t end = s.size();
    while (end > 0 && s[end - 1] <= 32) --end;
    return s.substr(0, end);
}

void AppendCharAt(Integer& position, const String& text, String& result) {
    wchar_t ch = text[size_t(position - 1)];
    result += ch;
    ++position;
    if (IS_HIGH_SURROGATE(ch) && size_t(position) <= text.size()) {
        result += text[size_t(position - 1)];
        ++position;
    }
}

// ---- Versions and drives

bool IsWinNT() { return osVersion.dwPlatformId == VER_PLATFORM_WIN32_NT; }
const OSVERSIONINFOW& ShellOsVersion() { return osVersion; }
TRzFileVersion ComCtlVersion() { return comCtlVersion; }
TRzFileVersion Shell32Version() { return shell32Version; }

bool GetFileVersion(const String& moduleName, TRzFileVersion& version) {
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(moduleName.c_str(), &handle);
    if (!size) return false;
    std::vector<Byte> data(size);
    if (!GetFileVersionInfoW(moduleName.c_str(), 0, size, data.data())) return false;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoSize = 0;
    if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &infoSize) || !info) return false;
    version.MS = info->dwFileVersionMS;
    version.LS = info->dwFileVersionLS;
    return true;
}

bool IsNetDriveConnected(wchar_t drive) {
    if (netUseState == nusNotTried) {
        netUseState = nusUnavailable;
        netApiModule = LoadLibraryW(L"netapi32.dll");
        if (netApiModule) {
            netUseGetInfo = reinterpret_cast<TNetUseGetInfo>(GetProcAddress(netApiModule, "NetUseGetInfo"));
            netApiBufferFree = reinterpret_cast<TNetApiBufferFree>(GetProcAddress(netApiModule, "NetApiBufferFree"));
            if (netUseGetInfo && netApiBufferFree) netUseState = nusAvailable;
        }
    }
    if (netUseState != nusAvailable) return true;
    wchar_t name[] = {drive, L':', 0};
    LPBYTE buffer = nullptr;
    if (netUseGetInfo(nullptr, name, 1, &buffer) != 0) return false;
    bool connected = reinterpret_cast<USE_INFO_1*>(buffer)->ui1_status == USE_OK;
    netApiBufferFree(buffer);
    return connected;
}

void ValidateDrivesFolder() {
    if (drivesValidationSuspended != 0) return;
    PItemIDList pidl = nullptr;
    HRESULT result = GetSpecialFolderPidl(nullptr, CSIDL_DRIVES, pidl);
    if (FAILED(result)) RaiseOleSysError(result);
    TComRef<IShellFolder> drives;
    result = GetShellFolder(pidl, *drives.Out());
    ShellMemFree(pidl);
    OleCheck(result);
    SFGAOF attributes = SFGAO_VALIDATE;
    drives->GetAttributesOf(0, nullptr, &attributes);
}

void SuspendDrivesValidation() { ++drivesValidationSuspended; }
void ResumeDrivesValidation() { --drivesValidationSuspended; }

// ---- TRzIdListArray

Integer TRzIdListArray::Count() const {
    Integer count = 0;
    if (!pidl_) return 0;
    for (auto* item = reinterpret_cast<const Byte*>(pidl_); ItemSize(item) != 0; item = NextItem(item)) ++count;
    return count;
}

const Byte* TRzIdListArray::ItemAt(Integer index) const {
    auto* item = reinterpret_cast<const Byte*>(pidl_);
    while (index-- > 0) item = NextItem(item);
    return item;
}

PItemIDList TRzIdListArray::Hand(PItemIDList result) {
    ShellMemFree(lastResult_);
    lastResult_ = result;
    return result;
}

PItemIDList TRzIdListArray::Items(Integer index) {
    if (!pidl_ || index < 0) return nullptr;
    Integer count = Count();
    if (count == 0) return index == 0 ? Hand(MakePidl(nullptr, nullptr, 0)) : nullptr;
    if (index >= count) return nullptr;
    const Byte* item = ItemAt(index);
    return Hand(MakePidl(nullptr, item, ItemSize(item)));
}

PItemIDList TRzIdListArray::Ancestor(Integer levels) {
    if (!pidl_) return nullptr;
    Integer count = Count();
    if (levels < 0 || levels > count) return nullptr;
    const Byte* end = ItemAt(count - levels);
    return Hand(MakePidl(nullptr, pidl_, Cardinal(end - reinterpret_cast<const Byte*>(pidl_))));
}

// ---- Unit start-up

void InitializeRzShellUtils() {
    osVersion.dwOSVersionInfoSize = sizeof(osVersion);
    GetVersionExW(&osVersion);
    SHGetMalloc(&shellMalloc);
    if (!GetFileVersion(L"comctl32.dll", comCtlVersion)) comCtlVersion = TRzFileVersion();
    if (!GetFileVersion(L"shell32.dll", shell32Version)) shell32Version = TRzFileVersion();
}

void FinalizeRzShellUtils() {
    FreeDeviceChangeHandler();
    if (netApiModule) FreeLibrary(netApiModule);
    netApiModule = nullptr;
    netUseState = nusNotTried;
}
