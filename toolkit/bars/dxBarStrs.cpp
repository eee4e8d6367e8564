#include "dxBarStrs.h"

const wchar_t* const dxBarProductName = L"Vantrel";

namespace {

// Positions in the list give the string-table identifiers.
enum TBarStringIndex {
#define DXBAR_STRING(name) name##_Index,
#include "dxBarStrsList.inc"
#undef DXBAR_STRING
    BarStringsInList
};

constexpr UINT kFirstBarStringId = 63000;

}  // namespace

#define DXBAR_STRING(name) const TResStringRec name{nullptr, kFirstBarStringId + name##_Index};
#include "dxBarStrsList.inc"
#undef DXBAR_STRING

int BarStringCount() { return BarStringsInList; }

namespace {

void AddBarResourceString(TdxProductResourceStrings* product, const wchar_t* name, const TResStringRec* reference) {
    product->RegisterString(name, reference);
}

void RegisterBarResourceStrings(TdxProductResourceStrings* product) {
#define DXBAR_STRING(name) AddBarResourceString(product, L## #name, &name);
#include "dxBarStrsList.inc"
#undef DXBAR_STRING
}

}  // namespace

void InitializedxBarStrs() {
    GetResourceStringsRepository()->AddProduct(dxBarProductName, &RegisterBarResourceStrings);
}

void FinalizedxBarStrs() { GetResourceStringsRepository()->RemoveProduct(dxBarProductName); }
