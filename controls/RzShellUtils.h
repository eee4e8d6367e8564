#pragma once
// Shell namespace helpers for the shell controls and the open/save dialog.
//
// Sections: allocation and item ID lists; folders and special folders; names, icons and links;
// text helpers; versions and drives; TRzIdListArray; unit start-up.
//
// An item ID list is a run of items, each starting with a 16-bit byte count that includes the
// count itself, ended by a zero count. An absolute list is relative to the desktop; the empty
// list (the terminator alone) is the desktop. Every list returned here comes from the shell's
// task allocator and belongs to the caller, who frees it with ShellMemFree.

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "RzShellIntf.h"
#include "SysTypes.h"

using PItemIDList = ITEMIDLIST*;

// Kinds of display name (the shell's SHGDN flags).
enum ShellNameKind { snkNormal, snkInFolder, snkForParsing, snkInFolderForEditing };
enum ShellIconSize { sisSmall, sisLarge };

// A module's fixed file version: MS holds major and minor, LS build and revision.
struct TRzFileVersion {
    DWORD MS = 0;
    DWORD LS = 0;
};

// What ResolveShellLink reads from a shell link. NoUI and the wish for Pidl are the caller's.
struct TLinkData {
    String TargetPath;
    Byte ItemFlags = 0;  // 0x3F once every field below was read
    String Description;
    String Arguments;
    String IconLocation;
    Integer IconIndex = 0;
    String WorkingDirectory;
    Integer ShowCmd = 0;
    Word HotKey = 0;
    bool NoUI = false;
    PItemIDList Pidl = nullptr;  // owned by the caller
    WIN32_FIND_DATAW FindData{};
};

// ---- Allocation and item ID lists

IMalloc* ShellMalloc();
void* ShellMemAlloc(Cardinal size);
void ShellMemFree(void* p);  // null is ignored

// Bytes of the list including its terminator; 0 for null.
Integer PidlSize(const ITEMIDLIST* pidl);
// A copy through the allocator (ShellMalloc when null); null source gives the empty list;
// null when allocation fails.
PItemIDList CopyPidl(IMalloc* malloc, const ITEMIDLIST* pidl);
// The items of first then second under one terminator; null parts count as empty.
PItemIDList ConcatPidls(IMalloc* malloc, const ITEMIDLIST* first, const ITEMIDLIST* second);
// 0 when equal, negative or positive by the desktop's order; -1 when exactly one is null or
// empty (only "different"); MaxInt when the shell cannot compare them.
Integer ComparePidls(const ITEMIDLIST* first, const ITEMIDLIST* second);
// File-system path of an absolute list (null is the desktop); empty when it has none.
String PidlToPath(const ITEMIDLIST* pidl);
// Parses a path into an absolute list (null on failure).
HRESULT PathToPidl(const String& path, PItemIDList& pidl);
HRESULT GetDesktopFolder(IShellFolder*& folder);
// The desktop for null or the empty list, otherwise the folder bound from the desktop.
HRESULT GetShellFolder(const ITEMIDLIST* pidl, IShellFolder*& folder);

// ---- Special folders (CSIDL numbers)

HRESULT GetSpecialFolderPidl(HWND owner, Integer folder, PItemIDList& pidl);
String SpecialFolderPath(HWND owner, Integer folder);  // empty on failure
// The first CSIDL 0..50 whose list equals pidl; 50 when none does.
Integer PidlToSpecialFolder(const ITEMIDLIST* pidl);
// Raises EOleSysError when the folder cannot be found.
Integer GetSpecialFolderIconIndex(Integer folder, UINT iconFlags);

// ---- Names, icons and links

// Display name of a relative list in folder (the desktop when null); empty on failure.
String GetPidlDisplayName(IShellFolder* folder, const ITEMIDLIST* pidl, ShellNameKind kind);
// In-folder name of an absolute list, taken in its parent.
String GetAbsolutePidlDisplayName(const ITEMIDLIST* pidl);
// Index in the system image list; 0 when the query fails.
Integer GetPidlIconIndex(const ITEMIDLIST* pidl, UINT iconFlags);
Integer GetPathIconIndex(const String& path, UINT iconFlags);
HIMAGELIST GetSystemImageList(ShellIconSize size);
// Adds the shared and link overlays (1 and 2) to both system image lists, once per process.
void InstallShellOverlays();
// Loads and resolves a link file; stops at the first failure and returns it.
HRESULT ResolveShellLink(const String& linkFile, TLinkData& data, bool wantPidl);

// ---- Text helpers

// Inserts strings at %1, %2, ...; at most 50 strings (Exception beyond); a %n beyond those
// given inserts nothing.
String FormatStrPos(const wchar_t* format, const std::vector<String>& strings);
// Appends ch unless s is empty or already ends with it.
String EnsureTrailingChar(const String& s, wchar_t ch);
// Cuts the run of control characters and blanks that ends the string.
String TrimTrailingControls(const String& s);
// Appends the character at the 1-based position (both halves of a surrogate pair) and advances.
void AppendCharAt(Integer& position, const String& text, String& result);

// ---- Versions and drives

bool IsWinNT();
const OSVERSIONINFOW& ShellOsVersion();
TRzFileVersion ComCtlVersion();
TRzFileVersion Shell32Version();
bool GetFileVersion(const String& moduleName, TRzFileVersion& version);
// True when the network-use service is missing; otherwise whether the drive's use is OK.
bool IsNetDriveConnected(wchar_t drive);
// Asks the computer folder to validate its drives, unless suspended.
void ValidateDrivesFolder();
void SuspendDrivesValidation();
void ResumeDrivesValidation();

// ---- TRzIdListArray

// A per-level view of one ID list, which it neither copies nor frees. The lists it hands out
// are its own and stay valid until the next request or its destruction.
class TRzIdListArray : public TObject {
    Z_CLASS(TRzIdListArray, TObject)
public:
    explicit TRzIdListArray(const ITEMIDLIST* pidl) : pidl_(pidl) {}
    ~TRzIdListArray() override { ShellMemFree(lastResult_); }

    Integer Count() const;
    // A one-item list of the item at index; null when out of range.
    PItemIDList Items(Integer index);
    // The first Count - levels items; null for levels below 0 or above Count.
    PItemIDList Ancestor(Integer levels);

private:
    PItemIDList Hand(PItemIDList result);
    const Byte* ItemAt(Integer index) const;

    const ITEMIDLIST* pidl_;
    PItemIDList lastResult_ = nullptr;
};

// ---- Unit start-up

void InitializeRzShellUtils();
void FinalizeRzShellUtils();
