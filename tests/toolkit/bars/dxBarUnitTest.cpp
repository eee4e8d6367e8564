// The bar unit: the item class registry, the cursors and checker brush it makes, the chained
// application-initialization hook, menu sounds, and the singletons that a finished unit does
// not make again.

#include "BarTestSupport.h"

#include "Application.h"
#include "Bitmap.h"
#include "Screen.h"
#include "dxBarItemRegistry.h"
#include "dxBarMenuSounds.h"
#include "dxBarUnit.h"

namespace {

class TRegisteredItemA : public TTestBarItem {
    Z_CLASS(TRegisteredItemA, TTestBarItem)
public:
    using TTestBarItem::TTestBarItem;
};
class TRegisteredItemB : public TTestBarItem {
    Z_CLASS(TRegisteredItemB, TTestBarItem)
public:
    using TTestBarItem::TTestBarItem;
};
class TRegisteredControl : public TObject {
    Z_CLASS(TRegisteredControl, TObject)
};

TEST(BarItemRegistry, ClassesAreFoundByExactIdentityAndOfferedInOrder) {
    TdxBarItemList registry;
    registry.AddRegistration(TRegisteredItemA::StaticClass(), TRegisteredControl::StaticClass(), true);
    registry.AddRegistration(TTestBarItem::StaticClass(), TObject::StaticClass(), false);
    registry.AddRegistration(TRegisteredItemB::StaticClass(), TRegisteredControl::StaticClass(), true);
    EXPECT_EQ(registry.ControlClassOf(TRegisteredItemA::StaticClass()), TRegisteredControl::StaticClass());
    EXPECT_EQ(registry.ControlClassOf(TdxBarItem::StaticClass()), nullptr);  // an ancestor is another class
    EXPECT_EQ(registry.GetOfferedClassCount(), 2);
    EXPECT_EQ(registry.GetOfferedClass(0), TRegisteredItemA::StaticClass());
    EXPECT_EQ(registry.GetOfferedClass(1), TRegisteredItemB::StaticClass());
    EXPECT_EQ(registry.GetOfferedClass(2), nullptr);
    EXPECT_EQ(registry.GetRegisteredClass(1), TTestBarItem::StaticClass());
    // Registered for form descriptions as well, and taken out of both.
    EXPECT_EQ(GetClass(L"TRegisteredItemB"), TRegisteredItemB::StaticClass());
    registry.RemoveRegistration(TRegisteredItemB::StaticClass());
    registry.RemoveRegistration(TRegisteredItemB::StaticClass());  // gone already: nothing
    EXPECT_EQ(GetClass(L"TRegisteredItemB"), nullptr);
    EXPECT_EQ(registry.GetOfferedClassCount(), 1);
    registry.RemoveRegistration(TTestBarItem::StaticClass());
    RegisterClass(TTestBarItem::StaticClass());  // the bar tests stream it
}

TEST(BarUnit, TheFourDragCursorsAreInTheScreensTable) {
    struct Cursor {
        TCursor id;
        const wchar_t* name;
        DWORD hotX, hotY;
    } cursors[] = {{crdxBarDrag, L"DXBARDRAGCURSOR", 0, 0},
                   {crdxBarDragCopy, L"DXBARDRAGCOPYCURSOR", 0, 0},
                   {crdxBarDragNoDrop, L"DXBARDRAGNODROPCURSOR", 0, 0},
                   {crdxBarEditSizing, L"DXBAREDITSIZINGCURSOR", 15, 15}};
    for (const Cursor& c : cursors) {
        HCURSOR cursor = Screen->Cursors(c.id);
        EXPECT_EQ(cursor, LoadCursorW(GetModuleHandleW(nullptr), c.name)) << c.id;
        EXPECT_NE(cursor, Screen->Cursors(crArrow)) << c.id;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(cursor, &info)) << c.id;
        EXPECT_EQ(info.xHotspot, c.hotX) << c.id;
        EXPECT_EQ(info.yHotspot, c.hotY) << c.id;
        if (info.hbmMask) DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
    }
}

TEST(BarUnit, TheCheckerBrushAlternatesButtonFaceAndHighlight) {
    TBitmap bitmap(8, 8, pf24bit);
    RECT all{0, 0, 8, 8};
    FillRect(bitmap.Canvas()->Handle(), &all, CheckerBrush());
    HDC dc = bitmap.Canvas()->Handle();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            COLORREF expected = ColorToRGB((x % 2) == (y % 2) ? clBtnFace : clBtnHighlight);
            EXPECT_EQ(GetPixel(dc, x, y), expected) << x << "," << y;
        }
    EXPECT_GE(ScreenColorDepth(), 15);
}

TEST(BarUnit, LiveBarWindowsAreKnownUntilTheyLeave) {
    int storage[2];
    auto* first = reinterpret_cast<TCustomdxBarControl*>(&storage[0]);
    auto* second = reinterpret_cast<TCustomdxBarControl*>(&storage[1]);
    RegisterBarControl(first);
    RegisterBarControl(first);
    EXPECT_TRUE(IsBarControlAlive(first));
    EXPECT_FALSE(IsBarControlAlive(second));
    EXPECT_FALSE(IsBarControlAlive(nullptr));
    UnregisterBarControl(first);
    EXPECT_FALSE(IsBarControlAlive(first));
}

std::vector<std::pair<std::wstring, DWORD>> playedSounds;

BOOL WINAPI RecordSound(LPCWSTR sound, HMODULE, DWORD flags) {
    playedSounds.emplace_back(sound ? sound : L"(stop)", flags);
    return TRUE;
}

int initProcCalls = 0;
void CountingInitProc() {
    ++initProcCalls;
    playedSounds.emplace_back(L"(init)", 0);
}

TEST(BarUnit, MenuSoundsPlayTheSystemAliasesWithoutWaiting) {
    playedSounds.clear();
    TPlaySoundProc previous = SetPlaySoundProc(&RecordSound);
    PlayMenuSound(msPopup);
    PlayMenuSound(msCommand);
    StopMenuSound();
    SetPlaySoundProc(previous);
    using Played = std::vector<std::pair<std::wstring, DWORD>>;
    EXPECT_EQ(playedSounds, (Played{{L"MenuPopup", 0x12003}, {L"MenuCommand", 0x12003}, {L"(stop)", 0x12003}}));
}

TEST(BarUnit, TheApplicationsInitializationRunsThePreviousHookThenStopsTheSound) {
    TPlaySoundProc previous = SetPlaySoundProc(&RecordSound);
    FinalizeBarUnit();
    InitProc = &CountingInitProc;
    InitializeBarUnit();
    playedSounds.clear();
    initProcCalls = 0;
    Application->Initialize();
    EXPECT_EQ(initProcCalls, 1);
    using Played = std::vector<std::pair<std::wstring, DWORD>>;
    EXPECT_EQ(playedSounds, (Played{{L"(init)", 0}, {L"(stop)", 0x12003}}));
    // A finished unit puts the hook it found back.
    FinalizeBarUnit();
    EXPECT_EQ(InitProc, &CountingInitProc);
    InitProc = nullptr;
    InitializeBarUnit();
    SetPlaySoundProc(previous);
}

TEST(BarUnit, AFinishedUnitMakesNoSingletonAgain) {
    FinalizeBarUnit();
    EXPECT_TRUE(IsBarUnitFinalizing());
    EXPECT_EQ(ItemRegistryInstance(), nullptr);
    EXPECT_EQ(BarManagerList(), nullptr);
    EXPECT_EQ(CheckerBrush(), nullptr);
    CreateCheckerBrush();
    EXPECT_EQ(CheckerBrush(), nullptr);
    RegisterItemControlClass(TRegisteredItemA::StaticClass(), TRegisteredControl::StaticClass(), true);  // ignored
    EXPECT_EQ(GetClass(L"TRegisteredItemA"), nullptr);
    InitializeBarUnit();
    EXPECT_FALSE(IsBarUnitFinalizing());
    EXPECT_NE(ItemRegistryInstance(), nullptr);
    EXPECT_NE(BarManagerList(), nullptr);
    EXPECT_NE(CheckerBrush(), nullptr);
}

}  // namespace
