#include "RzShellLocator.h"

#include <cstring>

#include "Application.h"
#include "Filer.h"
#include "Streams.h"
#include "SysExceptions.h"

TRzShellLocator::~TRzShellLocator() { FreeList(); }

void TRzShellLocator::FreeList() {
    ShellMemFree(idList_);
    idList_ = nullptr;
}

const ITEMIDLIST* TRzShellLocator::IdList() const {
    if (kind_ == lkIdList) return idList_;
    if (kind_ != lkSpecialFolder) return nullptr;
    if (!idList_) GetSpecialFolderPidl(Application ? Application->Handle() : nullptr, csidl_, idList_);
    return idList_;
}

void TRzShellLocator::SetIdList(const ITEMIDLIST* value) {
    bool changed;
    if (kind_ == lkSpecialFolder) {
        changed = true;
    } else if (idList_) {
        Integer order = ComparePidls(idList_, value);
        changed = order != 0 && order != 0x7FFFFFFF;
    } else {
        changed = PidlSize(value) > 2;
    }
    // Copied before the old list goes: value may be that list.
    PItemIDList copy = PidlSize(value) > 2 ? CopyPidl(nullptr, value) : nullptr;
    FreeList();
    idList_ = copy;
    kind_ = lkIdList;
    csidl_ = RzNoSpecialFolder;
    if (changed) Changed();
}

void TRzShellLocator::SetCSIDL(Byte value) {
    bool changed = kind_ != lkSpecialFolder || csidl_ != value;
    FreeList();
    kind_ = lkSpecialFolder;
    csidl_ = value;
    if (changed) Changed();
}

String TRzShellLocator::PathName() const { return PidlToPath(IdList()); }

void TRzShellLocator::SetPathName(const String& value) {
    PItemIDList parsed = nullptr;
    if (FAILED(PathToPidl(value, parsed))) {
        SetIdList(nullptr);
        return;
    }
    SetIdList(parsed);
    ShellMemFree(parsed);
}

bool TRzShellLocator::SameFolder(const TRzShellLocator* other) const {
    if (kind_ != other->kind_) return false;
    if (kind_ == lkSpecialFolder) return csidl_ == other->csidl_;
    return ComparePidls(idList_, other->idList_) == 0;
}

void TRzShellLocator::Assign(TPersistent* source) {
    if (!source) {
        bool had = idList_ != nullptr;
        FreeList();
        kind_ = lkIdList;
        if (had) Changed();
        return;
    }
    auto* other = As<TRzShellLocator>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (SameFolder(other)) return;
    PItemIDList copy = other->kind_ == lkIdList && other->idList_ ? CopyPidl(nullptr, other->idList_) : nullptr;
    FreeList();
    kind_ = other->kind_;
    csidl_ = other->csidl_;
    idList_ = copy;
    Changed();
}

void TRzShellLocator::Changed() {
    if (OnChange) OnChange(this);
}

// ---- "Pidl"

void TRzShellLocator::DefineProperties(TFiler* filer) {
    TPersistent::DefineProperties(filer);
    bool hasData = kind_ == lkSpecialFolder || (kind_ == lkIdList && idList_);
    filer->DefineBinaryProperty(
        L"Pidl", [this](TStream* s) { ReadPidl(s); }, [this](TStream* s) { WritePidl(s); }, hasData);
}

void TRzShellLocator::WritePidl(TStream* stream) {
    stream->WriteData(Byte(kind_));
    if (kind_ == lkSpecialFolder) {
        stream->WriteData(csidl_);
        return;
    }
    Integer size = PidlSize(idList_);
    stream->WriteData(size);
    if (size) stream->WriteBuffer(idList_, size);
}

bool IsWellFormedIdList(const Byte* bytes, Integer size) {
    Integer at = 0;
    while (at + 2 <= size) {
        Word count = Word(bytes[at] | (bytes[at + 1] << 8));
        if (count == 0) return at + 2 == size;
        if (count < 2 || count > size - at) return false;
        at += count;
    }
    return false;  // no terminator
}

void TRzShellLocator::ReadPidl(TStream* stream) {
    Byte kind = 0;
    stream->ReadData(kind);
    if (kind != lkIdList) {
        Byte csidl = 0;
        stream->ReadData(csidl);
        FreeList();
        kind_ = lkSpecialFolder;
        csidl_ = csidl;
        return;
    }
    Integer size = 0;
    stream->ReadData(size);
    if (size == 0) {
        FreeList();
        kind_ = lkSpecialFolder;
        csidl_ = 0;
        return;
    }
    // The shell will walk these bytes: anything but a sound list is refused before it is kept.
    if (size < 2 || size > stream->Size() - stream->Position()) throw EReadError(L"Invalid item ID list size in Pidl");
    auto* bytes = static_cast<Byte*>(ShellMemAlloc(Cardinal(size)));
    if (!bytes) throw EOutOfResources(L"Out of memory");
    try {
        stream->ReadBuffer(bytes, size);
        if (!IsWellFormedIdList(bytes, size)) throw EReadError(L"Invalid item ID list in Pidl");
    } catch (...) {
        ShellMemFree(bytes);
        throw;
    }
    FreeList();
    kind_ = lkIdList;
    csidl_ = RzNoSpecialFolder;
    idList_ = reinterpret_cast<PItemIDList>(bytes);
}
