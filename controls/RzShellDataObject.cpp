#include "RzShellDataObject.h"

#include <cstring>

namespace {

CLIPFORMAT shellIdListFormat = 0;

// Locks a global block for the length of a scope.
class TGlobalLock {
public:
    explicit TGlobalLock(HGLOBAL block)
        : block_(block), data_(block ? static_cast<Byte*>(GlobalLock(block)) : nullptr) {}
    ~TGlobalLock() {
        if (data_) GlobalUnlock(block_);
    }
    TGlobalLock(const TGlobalLock&) = delete;
    TGlobalLock& operator=(const TGlobalLock&) = delete;
    Byte* Data() const { return data_; }

private:
    HGLOBAL block_;
    Byte* data_;
};

HGLOBAL NewZeroedBlock(SIZE_T size) { return GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size); }

template <class T>
T ReadAt(const Byte* data, UInt64 offset) {
    T value;
    std::memcpy(&value, data + offset, sizeof(T));
    return value;
}

// Whether a list starting at offset ends, terminator included, inside the block.
bool ListFits(const Byte* data, UInt64 size, UInt64 offset) {
    for (;;) {
        if (offset + 2 > size) return false;
        Word count = ReadAt<Word>(data, offset);
        if (count == 0) return true;
        if (count < 2) return false;
        offset += count;
    }
}

}  // namespace

CLIPFORMAT ShellIdListFormat() {
    if (!shellIdListFormat) shellIdListFormat = CLIPFORMAT(RegisterClipboardFormatW(CFSTR_SHELLIDLIST));
    return shellIdListFormat;
}

// ---- Blocks

HRESULT BuildIdListArray(const ITEMIDLIST* parent, const std::vector<const ITEMIDLIST*>& items, HGLOBAL& block) {
    static const Word emptyList = 0;
    std::vector<const ITEMIDLIST*> lists;
    lists.push_back(parent ? parent : reinterpret_cast<const ITEMIDLIST*>(&emptyList));
    lists.insert(lists.end(), items.begin(), items.end());

    SIZE_T size = sizeof(Integer) * (lists.size() + 1);
    for (auto* list : lists) size += SIZE_T(PidlSize(list));
    block = NewZeroedBlock(size);
    if (!block) return E_OUTOFMEMORY;
    TGlobalLock lock(block);
    Byte* data = lock.Data();
    Integer count = Integer(items.size());
    std::memcpy(data, &count, sizeof(count));
    SIZE_T offset = sizeof(Integer) * (lists.size() + 1);
    for (size_t i = 0; i < lists.size(); ++i) {
        Integer at = Integer(offset);
        std::memcpy(data + sizeof(Integer) * (i + 1), &at, sizeof(at));
        SIZE_T listSize = SIZE_T(PidlSize(lists[i]));
        std::memcpy(data + offset, lists[i], listSize);
        offset += listSize;
    }
    return S_OK;
}

HRESULT BuildHDrop(const std::vector<String>& names, HGLOBAL& block) {
    SIZE_T size = sizeof(DROPFILES) + sizeof(wchar_t);
    for (const String& name : names) size += (name.size() + 1) * sizeof(wchar_t);
    block = NewZeroedBlock(size);
    if (!block) return E_OUTOFMEMORY;
    TGlobalLock lock(block);
    auto* header = reinterpret_cast<DROPFILES*>(lock.Data());
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(lock.Data() + sizeof(DROPFILES));
    for (const String& name : names) {
        std::memcpy(text, name.c_str(), name.size() * sizeof(wchar_t));
        text += name.size() + 1;  // the NUL is the zero fill
    }
    return S_OK;
}

HGLOBAL CopyGlobalBlock(HGLOBAL block) {
    SIZE_T size = GlobalSize(block);
    TGlobalLock source(block);
    if (!source.Data()) return nullptr;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy) return nullptr;
    TGlobalLock target(copy);
    std::memcpy(target.Data(), source.Data(), size);
    return copy;
}

bool ReadIdListArray(const void* data, SIZE_T size, const ITEMIDLIST*& parent, std::vector<const ITEMIDLIST*>& items) {
    parent = nullptr;
    items.clear();
    auto* bytes = static_cast<const Byte*>(data);
    if (!bytes || size < sizeof(Integer)) return false;
    Integer count = ReadAt<Integer>(bytes, 0);
    if (count < 0 || sizeof(Integer) * (UInt64(count) + 2) > size) return false;
    std::vector<const ITEMIDLIST*> lists;
    for (UInt64 i = 0; i <= UInt64(count); ++i) {
        Integer offset = ReadAt<Integer>(bytes, sizeof(Integer) * (i + 1));
        if (offset < 0 || !ListFits(bytes, size, UInt64(offset))) return false;
        lists.push_back(reinterpret_cast<const ITEMIDLIST*>(bytes + offset));
    }
    parent = lists[0];
    items.assign(lists.begin() + 1, lists.end());
    return true;
}

// ---- The data object

TRzShellDataObject::TRzShellDataObject(const ITEMIDLIST* parent, const std::vector<const ITEMIDLIST*>& items,
                                       const std::vector<String>& names) {
    // A block that cannot be built is simply not offered.
    if (!items.empty() && SUCCEEDED(BuildIdListArray(parent, items, idListArray_))) formats_.Add(ShellIdListFormat());
    if (!names.empty() && SUCCEEDED(BuildHDrop(names, hDrop_))) formats_.Add(CF_HDROP);
}

TRzShellDataObject::~TRzShellDataObject() {
    if (hDrop_) GlobalFree(hDrop_);
    if (idListArray_) GlobalFree(idListArray_);
}

IDataObject* TRzShellDataObject::Create(const ITEMIDLIST* parent, const std::vector<const ITEMIDLIST*>& items,
                                        const std::vector<String>& names) {
    auto* object = new TRzShellDataObject(parent, items, names);
    object->AddRef();
    return object;
}

STDMETHODIMP TRzShellDataObject::QueryInterface(REFIID iid, void** object) {
    return ComGuard([&] { return QuerySingleInterface<IDataObject>(this, iid, IID_IDataObject, object); });
}

STDMETHODIMP TRzShellDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
    return ComGuard([&] {
        if (!format || !medium) return HRESULT(E_POINTER);
        HRESULT check = formats_.Check(*format);
        if (FAILED(check)) return check;
        medium->tymed = TYMED_HGLOBAL;
        medium->pUnkForRelease = nullptr;
        medium->hGlobal = nullptr;
        HGLOBAL source = format->cfFormat == ShellIdListFormat() ? idListArray_
                         : format->cfFormat == CF_HDROP          ? hDrop_
                                                                 : nullptr;
        if (!source) return HRESULT(DV_E_FORMATETC);
        medium->hGlobal = CopyGlobalBlock(source);
        return medium->hGlobal ? S_OK : HRESULT(E_OUTOFMEMORY);
    });
}

STDMETHODIMP TRzShellDataObject::GetDataHere(FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }

STDMETHODIMP TRzShellDataObject::QueryGetData(FORMATETC* format) {
    return ComGuard([&] { return format ? formats_.Check(*format) : HRESULT(E_POINTER); });
}

STDMETHODIMP TRzShellDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* canonical) {
    if (canonical) canonical->ptd = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP TRzShellDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return E_NOTIMPL; }

STDMETHODIMP TRzShellDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator) {
    return ComGuard([&] {
        if (!enumerator) return HRESULT(E_POINTER);
        *enumerator = nullptr;
        if (direction != DATADIR_GET) return HRESULT(E_NOTIMPL);
        *enumerator = formats_.NewEnumerator();
        return S_OK;
    });
}

STDMETHODIMP TRzShellDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) { return OLE_E_ADVISENOTSUPPORTED; }
STDMETHODIMP TRzShellDataObject::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }
STDMETHODIMP TRzShellDataObject::EnumDAdvise(IEnumSTATDATA**) { return OLE_E_ADVISENOTSUPPORTED; }
