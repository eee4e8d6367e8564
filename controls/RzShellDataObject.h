#pragma once
// Shell items as OLE data: the "Shell IDList Array" and file-drop blocks, and the data object
// that the shell tree (one node) and the shell list (its selected items) offer when their items
// are dragged or copied. Because both controls and every shell window read the same "Shell
// IDList Array", items move between them in either direction.
//
// "Shell IDList Array" block: Int32 count n; n + 1 Int32 offsets from the block's start, the
// first to the parent folder's absolute list, then one per item; then the lists themselves,
// each with its two-byte terminator (an empty list for no parent).
// File-drop block: the 20-byte DROPFILES header, then each name as UTF-16 ending in a NUL, then
// one more NUL. The names are wide so that no name is cut or loses its letters.

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "RzComObject.h"
#include "RzFormatEtcList.h"
#include "RzShellUtils.h"

// The registered number of the "Shell IDList Array" clipboard format.
CLIPFORMAT ShellIdListFormat();

// Each builder makes a new moveable, zero-filled block and gives it to the caller; on failure
// the block is null and the result E_OUTOFMEMORY.
HRESULT BuildIdListArray(const ITEMIDLIST* parent, const std::vector<const ITEMIDLIST*>& items, HGLOBAL& block);
HRESULT BuildHDrop(const std::vector<String>& names, HGLOBAL& block);
// A copy of the same size; null when the allocation fails.
HGLOBAL CopyGlobalBlock(HGLOBAL block);

// Reads a "Shell IDList Array" of size bytes that any program may have written: false when the
// count, an offset or a list runs outside the block. The lists point into data.
bool ReadIdListArray(const void* data, SIZE_T size, const ITEMIDLIST*& parent, std::vector<const ITEMIDLIST*>& items);

// The data of shell items: the items' relative lists in their parent folder (absolute list, or
// null for the desktop) and their parsing names, in the same order. With no items it offers
// nothing. The tree gives one node, the list its selected items.
class TRzShellDataObject : public TInterfacedObject, public IDataObject {
    Z_CLASS(TRzShellDataObject, TInterfacedObject)
public:
    TRzShellDataObject(const ITEMIDLIST* parent, const std::vector<const ITEMIDLIST*>& items,
                       const std::vector<String>& names);
    ~TRzShellDataObject() override;
    // A new data object, referenced once for the caller.
    static IDataObject* Create(const ITEMIDLIST* parent, const std::vector<const ITEMIDLIST*>& items,
                               const std::vector<String>& names);

    const TRzFormatEtcList& Formats() const { return formats_; }

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    RZ_COM_REFERENCE_COUNT
    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP QueryGetData(FORMATETC* format) override;
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC* format, FORMATETC* canonical) override;
    STDMETHODIMP SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator) override;
    STDMETHODIMP DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection) override;
    STDMETHODIMP DUnadvise(DWORD connection) override;
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA** enumerator) override;

private:
    HGLOBAL hDrop_ = nullptr;
    HGLOBAL idListArray_ = nullptr;
    TRzFormatEtcList formats_;
};
