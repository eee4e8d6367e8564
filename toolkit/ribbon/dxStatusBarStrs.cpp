#include "dxStatusBarStrs.h"

#include "dxStatusBarStrsIds.h"

const wchar_t* const dxStatusBarProductName = L"dxStatusBar";

const TResStringRec sdxCannotDeleteAncestorComponent{nullptr, DXSB_SCANNOTDELETEANCESTORCOMPONENT};
const TResStringRec sdxTextPanelStyle{nullptr, DXSB_STEXTPANELSTYLE};
const TResStringRec sdxContainerPanelStyle{nullptr, DXSB_SCONTAINERPANELSTYLE};
const TResStringRec sdxKeyboardStatePanelStyle{nullptr, DXSB_SKEYBOARDSTATEPANELSTYLE};
const TResStringRec sdxStateIndicatorPanelStyle{nullptr, DXSB_SSTATEINDICATORPANELSTYLE};

namespace {

void RegisterStatusBarStringNames(TdxProductResourceStrings* product) {
    product->RegisterString(L"sdxCannotDeleteAncestorComponent", &sdxCannotDeleteAncestorComponent);
    product->RegisterString(L"sdxTextPanelStyle", &sdxTextPanelStyle);
    product->RegisterString(L"sdxContainerPanelStyle", &sdxContainerPanelStyle);
    product->RegisterString(L"sdxKeyboardStatePanelStyle", &sdxKeyboardStatePanelStyle);
    product->RegisterString(L"sdxStateIndicatorPanelStyle", &sdxStateIndicatorPanelStyle);
}

}  // namespace

void RegisterStatusBarStrings() {
    GetResourceStringsRepository()->AddProduct(dxStatusBarProductName, &RegisterStatusBarStringNames);
}

void UnregisterStatusBarStrings() { GetResourceStringsRepository()->RemoveProduct(dxStatusBarProductName); }
