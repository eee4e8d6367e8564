#include <gtest/gtest.h>

#include <memory>

#include "CustomControl.h"
#include "Screen.h"
#include "WindowTesting.h"
#include "cxWindowHelpers.h"

namespace {

TEST(cxWindowHelpersTest, RemoveAccelCharsTable) {
    struct Case {
        const char* caption;
        bool underscoreLast;
        const char* expected;
    } cases[] = {
        {"&File", false, "File"},
        {"Save &As", false, "Save As"},
        {"Fish && Chips", false, "Fish & Chips"},
        {"&&&x", false, "&x"},
        {"End&", false, "End"},
        {"End&", true, "End_"},
        {"A&&", true, "A&"},
        {"&", false, ""},
        {"", true, ""},
        {"Plain", true, "Plain"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RemoveAccelChars(c.caption, c.underscoreLast), c.expected) << c.caption;
        String wide(c.caption, c.caption + strlen(c.caption));
        String expected(c.expected, c.expected + strlen(c.expected));
        EXPECT_EQ(RemoveAccelCharsWide(wide, c.underscoreLast), expected) << c.caption;
    }
    EXPECT_EQ(RemoveAccelCharsWide(L"&Правка", false), L"Правка");
}

TEST(cxWindowHelpersTest, ShiftStateToMouseKeysTable) {
    struct Case {
        TShiftState shift;
        WPARAM keys;
    } cases[] = {
        {{}, 0},
        {{ssShift}, MK_SHIFT},
        {{ssCtrl}, MK_CONTROL},
        {{ssLeft, ssRight, ssMiddle}, MK_LBUTTON | MK_RBUTTON | MK_MBUTTON},
        {{ssAlt, ssDouble}, 0},
        {{ssShift, ssCtrl, ssAlt, ssLeft}, MK_SHIFT | MK_CONTROL | MK_LBUTTON},
    };
    for (const Case& c : cases) EXPECT_EQ(ShiftStateToMouseKeys(c.shift), c.keys);
}

TEST(cxWindowHelpersTest, ComponentNamePathFollowsOwners) {
    EXPECT_EQ(ComponentNamePath(nullptr), L"");
    TComponent root(nullptr);
    root.SetName(L"fmMain");
    auto* panel = new TComponent(&root);
    panel->SetName(L"pnlTools");
    auto* button = new TComponent(panel);
    button->SetName(L"btnOk");
    EXPECT_EQ(ComponentNamePath(&root), L"fmMain");
    EXPECT_EQ(ComponentNamePath(button), L"fmMain.pnlTools.btnOk");

    // An unnamed outermost owner (the application owning a form) adds nothing.
    TComponent application(nullptr);
    auto* form = new TComponent(&application);
    form->SetName(L"fmEditor");
    auto* item = new TComponent(form);
    item->SetName(L"miOpen");
    EXPECT_EQ(ComponentNamePath(item), L"fmEditor.miOpen");
}

TEST(cxWindowHelpersTest, CursorsAndMessagesAreRegisteredAtStartUp) {
    ASSERT_NE(Screen, nullptr);
    EXPECT_EQ(Screen->Cursors(crcxHandPoint), LoadCursorW(nullptr, IDC_HAND));
    for (TCursor id = crcxDragCopy; id <= crcxColorPicker; ++id) {
        EXPECT_NE(Screen->Cursors(id), nullptr) << id;
    }

    EXPECT_NE(WM_TOOLKITFORMQUERY, 0);
    EXPECT_NE(WM_RIBBONSKINCHANGED, 0);
    EXPECT_NE(WM_TOOLKITFORMQUERY, WM_RIBBONSKINCHANGED);
    EXPECT_EQ(WM_TOOLKITFORMQUERY, RegisterWindowMessageA("{B2CE3777-44D8-4998-9701-47BBBC10B656}"));
    EXPECT_EQ(WM_RIBBONSKINCHANGED, RegisterWindowMessageA("{B2CE3777-44D8-1321-4656-12C54AA613BB}"));
}

TEST(cxWindowHelpersTest, WindowRelationsAndRectangles) {
    std::unique_ptr<TForm> form(NewShownTestForm(300, 200));
    auto* panel = new TCustomControl(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(20, 30, 150, 100);
    auto* inner = new TCustomControl(form.get());
    inner->SetParent(panel);
    inner->SetBounds(5, 6, 40, 30);
    HWND f = form->Handle(), p = panel->Handle(), i = inner->Handle();

    EXPECT_TRUE(IsAncestorWindow(f, i));
    EXPECT_TRUE(IsAncestorWindow(p, i));
    EXPECT_FALSE(IsAncestorWindow(i, i));
    EXPECT_FALSE(IsAncestorWindow(nullptr, i));
    EXPECT_TRUE(IsSelfOrChildWindow(p, p));
    EXPECT_TRUE(IsSelfOrChildWindow(f, i));
    EXPECT_FALSE(IsSelfOrChildWindow(i, p));
    EXPECT_FALSE(IsSelfOrChildWindow(nullptr, nullptr));
    EXPECT_TRUE(HasChildStyle(i));
    EXPECT_FALSE(HasChildStyle(f));

    EXPECT_TRUE(IsWindowEnabledDeep(i));
    EnableWindow(p, FALSE);
    EXPECT_FALSE(IsWindowEnabledDeep(i));
    EXPECT_TRUE(IsWindowEnabledDeep(f));
    EnableWindow(p, TRUE);
    EnableWindow(f, FALSE);
    EXPECT_FALSE(IsWindowEnabledDeep(i));
    EnableWindow(f, TRUE);
    EXPECT_FALSE(IsWindowEnabledDeep(nullptr));

    TPoint inForm = MapPointBetweenWindows(i, f, TPoint{1, 2});
    EXPECT_EQ(inForm.x, 26);
    EXPECT_EQ(inForm.y, 38);
    TRect r = MapRectBetweenWindows(i, p, TRect{0, 0, 40, 30});
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.top, 6);
    EXPECT_EQ(r.right, 45);
    EXPECT_EQ(r.bottom, 36);

    TRect client = QueryClientRect(p);
    EXPECT_EQ(client.right, 150);
    EXPECT_EQ(client.bottom, 100);
    TRect screenRect = ControlWindowRect(inner);
    TPoint origin = MapPointBetweenWindows(i, nullptr, TPoint{0, 0});
    EXPECT_EQ(screenRect.left, origin.x);
    EXPECT_EQ(screenRect.top, origin.y);
    TRect none = QueryWindowRect(nullptr);
    EXPECT_TRUE(IsRectEmpty(&none));
    TCustomControl loose(nullptr);
    none = ControlWindowRect(&loose);
    EXPECT_TRUE(IsRectEmpty(&none));

    EXPECT_TRUE(CanAllocateHandle(inner));
    EXPECT_FALSE(CanAllocateHandle(&loose));  // no parent, no parent window
    EXPECT_FALSE(CanAllocateHandle(nullptr));
    EXPECT_FALSE(IsMDIChildForm(form.get()));
    EXPECT_FALSE(IsMDIFrameForm(panel));
}

TEST(cxWindowHelpersTest, WorkAreaCursorAndKeyboard) {
    RECT primary;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &primary, 0);
    for (TPoint p : {TPoint{10, 10}, TPoint{-500, -500}, TPoint{100000, 100000}}) {
        TRect work = WorkAreaAtPoint(p);  // one monitor: every point is nearest to it
        EXPECT_TRUE(EqualRect(&work, &primary)) << p.x;
    }
    TRect work = MonitorWorkArea(nullptr);
    EXPECT_TRUE(EqualRect(&work, &primary));

    SetCursorPos(123, 77);
    TPoint cursor = QueryCursorPos();
    EXPECT_EQ(cursor.x, 123);
    EXPECT_EQ(cursor.y, 77);

    EXPECT_EQ(VirtualKeyToChar('A'), L'a');
    EXPECT_EQ(VirtualKeyToChar('7'), L'7');
    EXPECT_EQ(VirtualKeyToChar(VK_F5), 0);
    EXPECT_FALSE(IsCtrlKeyDown());
    EXPECT_TRUE(IsNotControlChar(L' '));
    EXPECT_FALSE(IsNotControlChar(L'\t'));
}

}  // namespace
