#include "RzFormatEtcList.h"

void TRzFormatEtcList::Add(std::initializer_list<CLIPFORMAT> formats) {
    for (CLIPFORMAT format : formats) items_.push_back(FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
}

HRESULT TRzFormatEtcList::Check(const FORMATETC& format) const {
    if (format.dwAspect != DVASPECT_CONTENT) return DV_E_FORMATETC;
    bool offeredElsewhere = false;
    for (const FORMATETC& item : items_) {
        if (item.cfFormat != format.cfFormat) continue;
        if (item.tymed & format.tymed) return S_OK;
        offeredElsewhere = true;
    }
    return offeredElsewhere ? DV_E_TYMED : DV_E_FORMATETC;
}

IEnumFORMATETC* TRzFormatEtcList::NewEnumerator() const {
    auto* enumerator = new TRzFormatEtcList_IEnumFormatEtc(items_, 0);
    enumerator->AddRef();
    return enumerator;
}

// ---- The enumerator

STDMETHODIMP TRzFormatEtcList_IEnumFormatEtc::QueryInterface(REFIID iid, void** object) {
    return ComGuard([&] { return QuerySingleInterface<IEnumFORMATETC>(this, iid, IID_IEnumFORMATETC, object); });
}

STDMETHODIMP TRzFormatEtcList_IEnumFormatEtc::Next(ULONG count, FORMATETC* formats, ULONG* fetched) {
    return ComGuard([&] {
        if (!formats) return HRESULT(E_POINTER);
        ULONG copied = 0;
        // No format here names a target device, so the descriptors copy as they are.
        while (copied < count && position_ < formats_.size()) formats[copied++] = formats_[position_++];
        if (fetched) *fetched = copied;
        return copied == count ? S_OK : S_FALSE;
    });
}

STDMETHODIMP TRzFormatEtcList_IEnumFormatEtc::Skip(ULONG count) {
    return ComGuard([&] {
        if (count > formats_.size() - position_) {
            position_ = formats_.size();
            return HRESULT(S_FALSE);
        }
        position_ += count;
        return S_OK;
    });
}

STDMETHODIMP TRzFormatEtcList_IEnumFormatEtc::Reset() {
    position_ = 0;
    return S_OK;
}

STDMETHODIMP TRzFormatEtcList_IEnumFormatEtc::Clone(IEnumFORMATETC** copy) {
    return ComGuard([&] {
        if (!copy) return HRESULT(E_POINTER);
        auto* clone = new TRzFormatEtcList_IEnumFormatEtc(formats_, position_);
        clone->AddRef();
        *copy = clone;
        return S_OK;
    });
}
