#include "ToolkitCoreUnits.h"

#include "Units.h"
#include "cxAccessibility.h"
#include "cxBitmap.h"
#include "cxGraphics.h"
#include "cxImageList.h"
#include "cxStyles.h"
#include "cxImageStates.h"
#include "cxLookAndFeel.h"
#include "cxPainterImages.h"
#include "cxDWMApi.h"
#include "cxFormats.h"
#include "cxLibraryStrs.h"
#include "cxTextLayout.h"
#include "cxGeometry.h"
#include "cxWindowHelpers.h"
#include "cxPopupHooks.h"
#include "dxCore.h"
#include "dxOffice11.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"
#include "dxGDIPlusAPI.h"
#include "dxGDIPlusClasses.h"

namespace {

// Bitmaps are re-created by class name from pictures in form descriptions.
void InitializeCxGraphics() { RegisterClasses({TcxCustomBitmap::StaticClass(), TcxBitmap::StaticClass(), TcxImageList::StaticClass(),
                     TcxImageInfoItem::StaticClass()}); }

}  // namespace

void InitializeToolkitCoreUnits() {
    InitializeUnits({
        {"dxCore", &InitializePlatformFlags, &FinalizeResourceStringsRepository},
        {"cxLibraryStrs", &RegisterLibraryStrings, &UnregisterLibraryStrings},
        {"cxFormats", nullptr, &FinalizeFormatController},
        {"cxGeometry", &InitializeGeometry, &FinalizeGeometry},
        {"cxDWMApi", &InitializeDWMApi, &FinalizeDWMApi},
        {"dxUxTheme", &InitializeUxTheme, &FinalizeUxTheme},
        {"dxThemeManager", &InitializeThemeManager, &FinalizeThemeManager},
        {"dxOffice11", &InitializeOffice11, &FinalizeOffice11},
        {"cxAccessibility", &InitializeAccessibility, &FinalizeAccessibility},
        {"cxGraphics", &InitializeCxGraphics, &FinalizeSharedScreenCanvas},
        {"cxImageStates", &InitializeImageStates, &FinalizeImageStates},
        {"cxTextLayout", &InitializeTextLayout, &FinalizeTextLayout},
        {"cxStyles", &InitializeStyles, nullptr},
        {"cxLookAndFeels", &InitializeLookAndFeels, &FinalizeLookAndFeels},
        {"cxLookAndFeelPainters", &InitializeLookAndFeelPainters, &FinalizeLookAndFeelPainters},
        {"dxGDIPlusAPI", &InitializeGDIPlusAPI, &FinalizeGDIPlusAPI},
        {"dxGDIPlusClasses", &InitializeGDIPlusClasses, &FinalizeGDIPlusClasses},
        {"cxControls", &InitializeToolkitControls, &FinalizeToolkitControls},
        {"cxContainer", &InitializeContainer, &FinalizeContainer},
    });
}
