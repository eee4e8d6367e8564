#include "ToolkitCoreUnits.h"

#include "Units.h"
#include "cxAccessibility.h"
#include "cxBitmap.h"
#include "cxGraphics.h"
#include "cxScreenCanvas.h"
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
#include "dxResourceStrings.h"
#include "dxOffice11.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"
#include "dxGDIPlusAPI.h"
#include "dxGDIPlusClasses.h"

void InitializeToolkitCoreUnits() {
    InitializeUnits({
        {"dxCore", &InitializedxCore, nullptr},
        {"dxResourceStrings", nullptr, &FinalizedxResourceStrings},
        {"cxLibraryStrs", &InitializecxLibraryStrs, &FinalizecxLibraryStrs},
        {"cxFormats", nullptr, &FinalizecxFormats},
        {"cxGeometry", &InitializecxGeometry, &FinalizecxGeometry},
        {"cxDWMApi", &InitializecxDWMApi, &FinalizecxDWMApi},
        {"dxUxTheme", &InitializedxUxTheme, &FinalizedxUxTheme},
        {"dxThemeManager", &InitializedxThemeManager, &FinalizedxThemeManager},
        {"dxOffice11", &InitializedxOffice11, &FinalizedxOffice11},
        {"cxAccessibility", &InitializecxAccessibility, &FinalizecxAccessibility},
        {"cxScreenCanvas", nullptr, &FinalizecxScreenCanvas},
        {"cxBitmap", &InitializecxBitmap, nullptr},
        {"cxImageList", &InitializecxImageList, nullptr},
        {"cxImageStates", &InitializecxImageStates, &FinalizecxImageStates},
        {"cxTextLayout", &InitializecxTextLayout, &FinalizecxTextLayout},
        {"cxStyles", &InitializecxStyles, nullptr},
        {"cxLookAndFeel", &InitializecxLookAndFeel, &FinalizecxLookAndFeel},
        {"cxPainterImages", &InitializecxPainterImages, &FinalizecxPainterImages},
        {"dxGDIPlusAPI", &InitializedxGDIPlusAPI, &FinalizedxGDIPlusAPI},
        {"dxGDIPlusClasses", &InitializedxGDIPlusClasses, &FinalizedxGDIPlusClasses},
        {"cxWindowHelpers", &InitializecxWindowHelpers, &FinalizecxWindowHelpers},
        {"cxPopupHooks", &InitializecxPopupHooks, &FinalizecxPopupHooks},
    });
}
