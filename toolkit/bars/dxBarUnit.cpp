#include "dxBarUnit.h"
#include "dxBarSystemMenuItem.h"

#include <algorithm>
#include <vector>

#include "Application.h"
#include "Screen.h"
#include "SysUtils.h"
#include "dxBar.h"
#include "dxBarButton.h"
#include "dxBarButtonControl.h"
#include "dxBarComboControl.h"
#include "dxBarEditControl.h"
#include "dxBarCanvas.h"
#include "dxBarCombo.h"
#include "dxBarControl.h"
#include "dxBarControlEditors.h"
#include "dxBarDesignController.h"
#include "dxBarDockControl.h"
#include "dxBarGroup.h"
#include "dxBarItemRegistry.h"
#include "dxBarManager.h"
#include "dxBarNavigationController.h"
#include "dxBarMenuSounds.h"
#include "dxBarPainter.h"
#include "dxBarPopupMenu.h"
#include "dxBarStaticControl.h"
#include "dxBarSubItem.h"
#include "dxBarSubItemControl.h"
#include "dxBarSubMenuControl.h"

// Sections: process-wide state · registry · layered windows · colour depth and checker brush ·
// start-up and shut-down.

namespace {

TdxBarManagerList* managerList = nullptr;
bool finalizing = false;
std::vector<TCustomdxBarControl*>* barControls = nullptr;
TdxBarItemList* itemRegistry = nullptr;
HMODULE user32 = nullptr;
TUpdateLayeredWindowProc updateLayeredWindow = nullptr;
TSetLayeredWindowAttributesProc setLayeredWindowAttributes = nullptr;
int screenColorDepth = 0;
HBRUSH checkerBrush = nullptr;
TInitProc previousInitProc = nullptr;
bool initProcChained = false;

// Runs from the application's Initialize: the previous hook, then the menu sound stops.
void StopSoundNotification() {
    if (previousInitProc) previousInitProc();
    StopMenuSound();
}

}  // namespace

// ---- Process-wide state -------------------------------------------------------------------

TdxBarManagerList* BarManagerList() { return managerList; }

bool IsBarUnitFinalizing() { return finalizing; }

void RegisterBarControl(TCustomdxBarControl* control) {
    if (barControls && control && !IsBarControlAlive(control)) barControls->push_back(control);
}

void UnregisterBarControl(TCustomdxBarControl* control) {
    if (barControls) std::erase(*barControls, control);
}

bool IsBarControlAlive(TCustomdxBarControl* control) {
    return control && barControls && std::find(barControls->begin(), barControls->end(), control) != barControls->end();
}

std::vector<TCustomdxBarControl*> LiveBarControls() {
    return barControls ? *barControls : std::vector<TCustomdxBarControl*>();
}

// ---- Registry -----------------------------------------------------------------------------

TdxBarItemList* ItemRegistryInstance() {
    if (!itemRegistry && !finalizing) itemRegistry = new TdxBarItemList;
    return itemRegistry;
}

void RegisterItemControlClass(TClass itemClass, TClass itemControlClass, bool offered) {
    if (TdxBarItemList* registry = ItemRegistryInstance())
        registry->AddRegistration(itemClass, itemControlClass, offered);
}

void UnregisterItemControlClass(TClass itemClass) {
    if (TdxBarItemList* registry = ItemRegistryInstance()) registry->RemoveRegistration(itemClass);
}

// ---- Layered windows ----------------------------------------------------------------------

TUpdateLayeredWindowProc UpdateLayeredWindowProc() { return updateLayeredWindow; }

TSetLayeredWindowAttributesProc SetLayeredWindowAttributesProc() { return setLayeredWindowAttributes; }

TSetLayeredWindowAttributesProc SetSetLayeredWindowAttributesProc(TSetLayeredWindowAttributesProc proc) {
    return std::exchange(setLayeredWindowAttributes, proc);
}

// ---- Colour depth and checker brush -------------------------------------------------------

int ScreenColorDepth() { return screenColorDepth; }

void ReadScreenColorDepth() {
    HDC dc = GetDC(nullptr);
    screenColorDepth = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
    ReleaseDC(nullptr, dc);
}

HBRUSH CheckerBrush() { return checkerBrush; }

void CreateCheckerBrush() {
    if (finalizing) return;
    // A 32-bit pattern keeps both colours exact whatever the screen.
    DWORD pixels[8 * 8];
    COLORREF face = ColorToRGB(clBtnFace), highlight = ColorToRGB(clBtnHighlight);
    auto quad = [](COLORREF c) { return DWORD(GetRValue(c)) << 16 | DWORD(GetGValue(c)) << 8 | GetBValue(c); };
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) pixels[y * 8 + x] = quad((x % 2) == (y % 2) ? face : highlight);
    HBITMAP bitmap = CreateBitmap(8, 8, 1, 32, pixels);
    HBRUSH brush = CreatePatternBrush(bitmap);
    DeleteObject(bitmap);
    if (checkerBrush) DeleteObject(checkerBrush);
    checkerBrush = brush;
}

// ---- Start-up and shut-down ---------------------------------------------------------------

void InitializeBarUnit() {
    finalizing = false;
    // The classes that form descriptions name: the manager (the reader makes components by
    // registered class name only), toolbars, groups and popup menus; the screen tips join with
    // their part. The item kinds are named here too until their registrations with their
    // controls (below) take it over.
    RegisterClasses({TdxBarManager::StaticClass(), TdxBar::StaticClass(), TdxBarDockControl::StaticClass(), TdxBarGroup::StaticClass(),
                     TdxBarPopupMenu::StaticClass()});
    RegisterClasses({TdxBarSubItem::StaticClass(), TdxBarListItem::StaticClass(),
                     TdxBarContainerItem::StaticClass(), TdxBarEdit::StaticClass(), TdxBarCombo::StaticClass()});
    // AnimateWindow is the toolkit core's binding (AnimateWindowProc).
    user32 = LoadLibraryW(L"user32.dll");
    if (user32) {
        updateLayeredWindow = reinterpret_cast<TUpdateLayeredWindowProc>(
            reinterpret_cast<void*>(GetProcAddress(user32, "UpdateLayeredWindow")));
        setLayeredWindowAttributes = reinterpret_cast<TSetLayeredWindowAttributesProc>(
            reinterpret_cast<void*>(GetProcAddress(user32, "SetLayeredWindowAttributes")));
    }
    managerList = new TdxBarManagerList;
    ReadScreenColorDepth();
    CreateCheckerBrush();
    barControls = new std::vector<TCustomdxBarControl*>;
    CreateNavigationController();
    // The item classes register here with their controls, in this order: button, edit, combo
    // base, combo, sub item, list item, container item, extra-pane list item, label, separator,
    // application-menu button, quick-customization items, quick-access item, system-menu sub
    // item. Hook (item kinds): the kinds whose controls do not exist yet join them in that order.
    RegisterItemControlClass(TdxBarButton::StaticClass(), TdxBarButtonControl::StaticClass(), true);
    RegisterItemControlClass(TdxBarSubItem::StaticClass(), TdxBarSubItemControl::StaticClass(), true);
    RegisterItemControlClass(TdxBarEdit::StaticClass(), TdxBarEditControl::StaticClass(), true);
    RegisterItemControlClass(TCustomdxBarCombo::StaticClass(), TCustomdxBarComboControl::StaticClass(), false);
    RegisterItemControlClass(TdxBarCombo::StaticClass(), TdxBarComboControl::StaticClass(), true);
    RegisterItemControlClass(TdxBarLabel::StaticClass(), TdxBarCustomStaticControl::StaticClass(), false);
    RegisterItemControlClass(TdxBarSeparator::StaticClass(), TdxBarSeparatorControl::StaticClass(), true);
    RegisterItemControlClass(TdxBarApplicationMenuButtonItem::StaticClass(),
                             TdxBarApplicationMenuButtonControl::StaticClass(), false);
    RegisterItemControlClass(TSystemMenuSubItem::StaticClass(), TSystemMenuSubItemControl::StaticClass(), false);
    if (TdxBarDesignController* controller = DesignControllerInstance()) {
        controller->RegisterBarControlEditor(TdxAddSubItemEditor::Instance());
        controller->RegisterBarControlEditor(TdxAddButtonEditor::Instance());
        controller->RegisterBarControlEditor(TdxItemsEditorEx::Instance());
        controller->RegisterBarControlDesignHelper(TdxBarControl::StaticClass(), TdxBarControlDesignHelper::Instance());
        controller->RegisterBarControlDesignHelper(TdxBarSubMenuControl::StaticClass(),
                                                   TdxBarSubMenuControlDesignHelper::Instance());
        // Hook (application menu): its window's design helper.
    }
    HINSTANCE instance = GetModuleHandleW(nullptr);
    Screen->SetCursors(crdxBarDrag, LoadCursorW(instance, L"DXBARDRAGCURSOR"));
    Screen->SetCursors(crdxBarDragCopy, LoadCursorW(instance, L"DXBARDRAGCOPYCURSOR"));
    Screen->SetCursors(crdxBarDragNoDrop, LoadCursorW(instance, L"DXBARDRAGNODROPCURSOR"));
    Screen->SetCursors(crdxBarEditSizing, LoadCursorW(instance, L"DXBAREDITSIZINGCURSOR"));
    if (!IsLibrary()) {
        previousInitProc = InitProc;
        InitProc = &StopSoundNotification;
        initProcChained = true;
    }
}

void FinalizeBarUnit() {
    finalizing = true;
    FreeNavigationController();
    delete barControls;
    barControls = nullptr;
    FreeAndNil(itemRegistry);
    FreeDesignController();
    FreeBarCanvasInstance();
    FreeFlatPainterInstance();
    if (checkerBrush) DeleteObject(checkerBrush);
    checkerBrush = nullptr;
    FreeAndNil(managerList);
    updateLayeredWindow = nullptr;
    setLayeredWindowAttributes = nullptr;
    if (user32) FreeLibrary(user32);
    user32 = nullptr;
    // Hook (hints): the pending hint text of the managers' hint is cleared.
    // Put the application's hook back, so that no call reaches a finished library.
    if (initProcChained && InitProc == &StopSoundNotification) InitProc = previousInitProc;
    initProcChained = false;
}
