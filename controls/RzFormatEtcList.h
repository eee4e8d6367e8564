#pragma once
// The clipboard formats a shell data object offers, and the enumerator it hands out for them.
// Every format is offered for its content, as a whole (index -1), in global memory.

#include <windows.h>
#include <objidl.h>

#include <initializer_list>
#include <vector>

#include "RzComObject.h"

class TRzFormatEtcList : public TObject {
    Z_CLASS(TRzFormatEtcList, TObject)
public:
    void Add(std::initializer_list<CLIPFORMAT> formats);
    void Add(CLIPFORMAT format) { Add({format}); }
    void Clear() { items_.clear(); }
    Integer Count() const { return Integer(items_.size()); }
    const FORMATETC& Items(Integer index) const { return items_.at(size_t(index)); }
    // QueryGetData's answer: S_OK for an offered format with an overlapping medium,
    // DV_E_TYMED for an offered format in another medium, DV_E_FORMATETC otherwise (and for
    // any aspect but the content).
    HRESULT Check(const FORMATETC& format) const;
    // A new enumerator at the first format, referenced once for the caller.
    IEnumFORMATETC* NewEnumerator() const;

private:
    std::vector<FORMATETC> items_;
};

// Enumerates a copy of the list's formats, so it may outlive the data object that made it.
class TRzFormatEtcList_IEnumFormatEtc : public TInterfacedObject, public IEnumFORMATETC {
    Z_CLASS(TRzFormatEtcList_IEnumFormatEtc, TInterfacedObject)
public:
    TRzFormatEtcList_IEnumFormatEtc(std::vector<FORMATETC> formats, size_t position)
        : formats_(std::move(formats)), position_(position) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    RZ_COM_REFERENCE_COUNT
    STDMETHODIMP Next(ULONG count, FORMATETC* formats, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumFORMATETC** copy) override;

private:
    std::vector<FORMATETC> formats_;
    size_t position_;
};
