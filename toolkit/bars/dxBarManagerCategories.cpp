#include "dxBarManagerCategories.h"

#include "dxBarManager.h"
#include "dxBarStrs.h"

TdxBarManagerCategories::TdxBarManagerCategories(TdxBarManager* manager) : manager_(manager) {
    if (!manager->ComponentState().Contains(csLoading)) Add(BarString(dxSBAR_DEFAULTCATEGORYNAME));
}

TdxBarManagerCategories::~TdxBarManagerCategories() { Clear(); }

TdxBarCategoryData* TdxBarManagerCategories::Data(int index) const {
    return HasIndex(index) ? static_cast<TdxBarCategoryData*>(Objects(index)) : nullptr;
}

TdxBarCategoryData* TdxBarManagerCategories::NeedData(int index) {
    if (!HasIndex(index)) return nullptr;
    if (!Data(index)) PutObject(index, new TdxBarCategoryData);
    return Data(index);
}

void TdxBarManagerCategories::Clear() {
    for (int i = 0; i < Count(); ++i) {
        TObject* data = Objects(i);
        PutObject(i, nullptr);
        FreeObject(data);
    }
    TStringList::Clear();
}

void TdxBarManagerCategories::Delete(Integer index) {
    if (HasIndex(index)) {
        TObject* data = Objects(index);
        PutObject(index, nullptr);
        FreeObject(data);
    }
    TStringList::Delete(index);
}
