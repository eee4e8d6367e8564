#include "cxLibraryStrs.h"

#include "cxLibraryStrsIds.h"

const wchar_t* const cxLibraryProductName = L"cxLibrary";

const TResStringRec scxCantCreateRegistryKey{nullptr, CXLIB_SCANTCREATEREGISTRYKEY};
const TResStringRec scxCantOpenRegistryKey{nullptr, CXLIB_SCANTOPENREGISTRYKEY};
const TResStringRec scxErrorStoreObject{nullptr, CXLIB_SERRORSTOREOBJECT};
const TResStringRec scxConverterCantCreateStyleRepository{nullptr, CXLIB_SCANTCREATESTYLEREPOSITORY};

const TResStringRec cxSDateToday{nullptr, CXLIB_SDATEFIRSTWORD + 0};
const TResStringRec cxSDateYesterday{nullptr, CXLIB_SDATEFIRSTWORD + 1};
const TResStringRec cxSDateTomorrow{nullptr, CXLIB_SDATEFIRSTWORD + 2};
const TResStringRec cxSDateSunday{nullptr, CXLIB_SDATEFIRSTWORD + 3};
const TResStringRec cxSDateMonday{nullptr, CXLIB_SDATEFIRSTWORD + 4};
const TResStringRec cxSDateTuesday{nullptr, CXLIB_SDATEFIRSTWORD + 5};
const TResStringRec cxSDateWednesday{nullptr, CXLIB_SDATEFIRSTWORD + 6};
const TResStringRec cxSDateThursday{nullptr, CXLIB_SDATEFIRSTWORD + 7};
const TResStringRec cxSDateFriday{nullptr, CXLIB_SDATEFIRSTWORD + 8};
const TResStringRec cxSDateSaturday{nullptr, CXLIB_SDATEFIRSTWORD + 9};
const TResStringRec cxSDateFirst{nullptr, CXLIB_SDATEFIRSTWORD + 10};
const TResStringRec cxSDateSecond{nullptr, CXLIB_SDATEFIRSTWORD + 11};
const TResStringRec cxSDateThird{nullptr, CXLIB_SDATEFIRSTWORD + 12};
const TResStringRec cxSDateFourth{nullptr, CXLIB_SDATEFIRSTWORD + 13};
const TResStringRec cxSDateFifth{nullptr, CXLIB_SDATEFIRSTWORD + 14};
const TResStringRec cxSDateSixth{nullptr, CXLIB_SDATEFIRSTWORD + 15};
const TResStringRec cxSDateSeventh{nullptr, CXLIB_SDATEFIRSTWORD + 16};
const TResStringRec cxSDateBOM{nullptr, CXLIB_SDATEFIRSTWORD + 17};
const TResStringRec cxSDateEOM{nullptr, CXLIB_SDATEFIRSTWORD + 18};
const TResStringRec cxSDateNow{nullptr, CXLIB_SDATEFIRSTWORD + 19};

namespace {

void RegisterLibraryStringNames(TdxProductResourceStrings* product) {
    product->RegisterString(L"scxCantCreateRegistryKey", &scxCantCreateRegistryKey);
    product->RegisterString(L"scxCantOpenRegistryKey", &scxCantOpenRegistryKey);
    product->RegisterString(L"scxErrorStoreObject", &scxErrorStoreObject);
    product->RegisterString(L"scxConverterCantCreateStyleRepository", &scxConverterCantCreateStyleRepository);
    product->RegisterString(L"cxSDateToday", &cxSDateToday);
    product->RegisterString(L"cxSDateYesterday", &cxSDateYesterday);
    product->RegisterString(L"cxSDateTomorrow", &cxSDateTomorrow);
    product->RegisterString(L"cxSDateSunday", &cxSDateSunday);
    product->RegisterString(L"cxSDateMonday", &cxSDateMonday);
    product->RegisterString(L"cxSDateTuesday", &cxSDateTuesday);
    product->RegisterString(L"cxSDateWednesday", &cxSDateWednesday);
    product->RegisterString(L"cxSDateThursday", &cxSDateThursday);
    product->RegisterString(L"cxSDateFriday", &cxSDateFriday);
    product->RegisterString(L"cxSDateSaturday", &cxSDateSaturday);
    product->RegisterString(L"cxSDateFirst", &cxSDateFirst);
    product->RegisterString(L"cxSDateSecond", &cxSDateSecond);
    product->RegisterString(L"cxSDateThird", &cxSDateThird);
    product->RegisterString(L"cxSDateFourth", &cxSDateFourth);
    product->RegisterString(L"cxSDateFifth", &cxSDateFifth);
    product->RegisterString(L"cxSDateSixth", &cxSDateSixth);
    product->RegisterString(L"cxSDateSeventh", &cxSDateSeventh);
    product->RegisterString(L"cxSDateBOM", &cxSDateBOM);
    product->RegisterString(L"cxSDateEOM", &cxSDateEOM);
    product->RegisterString(L"cxSDateNow", &cxSDateNow);
}

}  // namespace

void InitializecxLibraryStrs() {
    GetResourceStringsRepository()->AddProduct(cxLibraryProductName, &RegisterLibraryStringNames);
}

void FinalizecxLibraryStrs() { GetResourceStringsRepository()->RemoveProduct(cxLibraryProductName); }
