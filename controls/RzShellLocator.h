#pragma once
// TRzShellLocator: the small persistent value that names a shell folder, by item ID list or by
// special-folder number (CSIDL). The shell tree, list and combo keep their folders in locators
// and follow them through OnChange. It is stored as the binary form property "Pidl":
//   byte kind (0 ID list, 1 special folder);
//   kind 1: byte CSIDL;
//   kind 0: Int32 size of the list with its two-byte terminator, then the list's bytes.
// Nothing is written for the desktop held as an ID list.

#include <shlobj.h>

#include "Events.h"
#include "Persistent.h"
#include "RzShellUtils.h"

// How a locator names its folder.
enum TRzLocatorKind : Byte { lkIdList = 0, lkSpecialFolder = 1 };

// The CSIDL a locator reports after an ID list was set: none of the special folders.
constexpr Byte RzNoSpecialFolder = 50;

class TRzShellLocator : public TPersistent {
    Z_CLASS(TRzShellLocator, TPersistent)
public:
    TRzShellLocator() = default;
    ~TRzShellLocator() override;

    TRzLocatorKind LocatorKind() const { return kind_; }
    // Kind 0: the list (null is the desktop); kind 1: the special folder's list, looked up once.
    // The locator keeps it; callers copy what they keep.
    const ITEMIDLIST* IdList() const;
    // Takes a copy (null or the empty list is the desktop); reports a change when the folder
    // differs. A comparison the shell cannot make counts as no change.
    void SetIdList(const ITEMIDLIST* value);
    Byte CSIDL() const { return csidl_; }
    void SetCSIDL(Byte value);
    // The file-system path of the folder; empty when it has none.
    String PathName() const;
    // An unparsable path selects the desktop.
    void SetPathName(const String& value);
    void Clear() { SetIdList(nullptr); }
    // Copies another locator's folder, or, from null, forgets the list.
    void Assign(TPersistent* source) override;
    // Same kind and folder.
    bool SameFolder(const TRzShellLocator* other) const;

    // "Pidl", written when the locator holds a list or a special folder.
    void DefineProperties(TFiler* filer) override;

    TNotifyEvent OnChange;

protected:
    virtual void Changed();

private:
    void ReadPidl(TStream* stream);
    void WritePidl(TStream* stream);
    void FreeList();

    TRzLocatorKind kind_ = lkIdList;
    mutable PItemIDList idList_ = nullptr;
    Byte csidl_ = RzNoSpecialFolder;
};

// A list of size bytes is sound when its items stay inside it and its terminator ends it
// exactly; a form description may hold anything.
bool IsWellFormedIdList(const Byte* bytes, Integer size);
