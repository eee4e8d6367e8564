// Toolbars on the bar test form under Xvfb: the toolbar model (rows, main menu, merging,
// captions, positions), the row arrangement on numbers, and real toolbar windows in the
// form's docks and in a placed dock, read by their rectangles and pixels. The buttons are
// shown by a test control of fixed size that fills its rectangle with its glyph's colour.

#include "BarTestForm.h"
#include "BarTestSupport.h"
#include "TestBarWindow.h"

#include <cstdlib>
#include <cstring>

#include "Bitmap.h"
#include "Canvas.h"
#include "ControlSnapshot.h"
#include "../ToolkitTestSupport.h"
#include "Panel.h"
#include "dxBar.h"
#include "dxBarButton.h"
#include "dxBarControl.h"
#include "dxBarDockControl.h"
#include "dxBarDockRowLayout.h"
#include "dxBarItemLinks.h"
#include "dxBarStrs.h"
#include "dxBarUnit.h"

namespace {

// A button control 24 x 22 pixels that paints its rectangle in its glyph's colour.
class TToolbarTestControl : public TdxBarItemControl {
    Z_CLASS(TToolbarTestControl, TdxBarItemControl)
public:
    explicit TToolbarTestControl(TdxBarItemLink* link) : TdxBarItemControl(link) {}
    static constexpr int Width = 24, Height = 22;

protected:
    int CalcWidth() override { return Width; }
    int CalcHeight() override { return Height; }
    void DrawContent(const TRect& r, Byte) override {
        TdxBarItem* item = Item();
        TColor color = item && item->ImageIndex() >= 0 ? TBarTestForm::GlyphColor(item->ImageIndex()) : clBlack;
        HBRUSH brush = CreateSolidBrush(COLORREF(color));
        FillRect(GetDrawCanvas()->GetCanvasHandle(), &r, brush);
        DeleteObject(brush);
    }
};

constexpr int kBorder = TdxBarControl::BorderSize;
constexpr int kItemsStart = kBorder + TdxBarControl::DragAreaSize;
constexpr int kBarHeight = TToolbarTestControl::Height + 2 * kBorder;

class Toolbar : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        registration = std::make_unique<TBarWindowControlRegistration>(TToolbarTestControl::StaticClass());
        form.reset(static_cast<TBarTestForm*>(TBarTestForm::StaticClass()->Create(static_cast<TComponent*>(nullptr))));
        manager = static_cast<TdxBarManager*>(form->FindComponent(L"dxBarManager"));
        ASSERT_NE(manager, nullptr);
        form->SetBounds(40, 40, 420, 300);
        form->Show();
        PumpUntilIdle();
    }
    void TearDown() override {
        form.reset();
        registration.reset();
        WindowTest::TearDown();
    }
    TdxDockControl* Dock(TdxBarDockingStyle style) const { return manager->Bars()->DockControls(style); }
    TdxBarItem* Item(const wchar_t* name) const { return static_cast<TdxBarItem*>(form->FindComponent(name)); }
    // A visible bar with links to the named items, docked at the side (dsNone: left floating).
    TdxBar* NewBar(const String& caption, std::initializer_list<const wchar_t*> items,
                   TdxBarDockingStyle style = dsTop) {
        TdxBar* bar = manager->Bars()->Add();
        bar->SetCaption(caption);
        for (const wchar_t* name : items) bar->ItemLinks()->AddItem(Item(name));
        bar->SetDockingStyle(style);
        return bar;
    }
    // A bar in the model only: hidden, so that it has no window.
    TdxBar* HiddenBar(const String& caption) {
        TdxBar* bar = manager->Bars()->Add();
        bar->SetVisible(false);
        bar->SetCaption(caption);
        return bar;
    }
    // A picture of the form and the given floating windows, as a BMP in the shots folder
    // (ZARNIK_SHOTS, else "shots" in the working folder; made when missing).
    void SaveShot(const char* name, std::initializer_list<TWinControl*> floating) {
        const char* env = std::getenv("ZARNIK_SHOTS");
        std::string folder = env && *env ? env : "shots";
        CreateDirectoryA(folder.c_str(), nullptr);
        const TRect r = form->BoundsRect();
        TBitmap picture(RectWidth(r) + 60, RectHeight(r) + 60, pf24bit);
        HDC dc = picture.Canvas()->Handle();
        PatBlt(dc, 0, 0, picture.Width(), picture.Height(), WHITENESS);
        auto print = [&](HWND window) {
            RECT w;
            GetWindowRect(window, &w);
            TBitmap part(w.right - w.left, w.bottom - w.top, pf24bit);
            PrintWindow(window, part.Canvas()->Handle(), 0);
            BitBlt(dc, w.left - r.left + 30, w.top - r.top + 30, part.Width(), part.Height(), part.Canvas()->Handle(),
                   0, 0, SRCCOPY);
        };
        print(form->Handle());
        for (TWinControl* window : floating) print(window->Handle());
        picture.SaveToFile(String(folder.begin(), folder.end()) + L"\\" + String(name, name + strlen(name)));
    }

    static TPoint Centre(const TRect& r) { return TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

    std::unique_ptr<TBarWindowControlRegistration> registration;
    std::unique_ptr<TBarTestForm> form;
    TdxBarManager* manager = nullptr;
};

// ---- the model ----------------------------------------------------------------------------

TEST_F(Toolbar, TheManagerMakesFourSideDocksOnItsForm) {
    struct Case {
        TdxBarDockingStyle style;
        TAlign align;
    } cases[] = {{dsLeft, alLeft}, {dsTop, alTop}, {dsRight, alRight}, {dsBottom, alBottom}};
    for (const Case& c : cases) {
        TdxDockControl* dock = Dock(c.style);
        ASSERT_NE(dock, nullptr);
        EXPECT_EQ(dock->Parent(), form.get());
        EXPECT_EQ(dock->Align(), c.align);
        EXPECT_EQ(dock->DockingStyle(), c.style);
        EXPECT_TRUE(dock->IsStandard());
        EXPECT_EQ(dock->BarManager(), manager);
        EXPECT_EQ(c.style == dsLeft || c.style == dsRight ? dock->Width() : dock->Height(), 0) << "empty";
    }
    EXPECT_TRUE(Dock(dsTop)->HasStyle(csActionClient));
}

TEST_F(Toolbar, ARowPastTheLastMakesOneNewRowOrUnderTheLockEveryRowUpToIt) {
    TdxBar* a = NewBar(L"A", {L"btnOpen"});
    TdxBar* b = NewBar(L"B", {L"btnSave"});
    b->SetRow(1);
    TdxDockControl* dock = Dock(dsTop);
    ASSERT_EQ(dock->RowCount(), 2);
    EXPECT_EQ(a->Row(), 0);
    EXPECT_EQ(b->Row(), 1);

    TdxBar* c = NewBar(L"C", {L"btnExport"});
    c->SetRow(5);
    EXPECT_EQ(dock->RowCount(), 3);
    EXPECT_EQ(c->Row(), 2);
    EXPECT_EQ(dock->Height(), 3 * kBarHeight);

    c->SetRow(-4);
    EXPECT_EQ(c->Row(), 0) << "negative rows become 0";
    EXPECT_EQ(dock->RowCount(), 2) << "the emptied row went";

    manager->LockUpdate();
    c->SetRow(5);
    EXPECT_EQ(dock->RowCount(), 6);
    EXPECT_EQ(c->Row(), 5);
    manager->UnlockUpdate();
    EXPECT_EQ(dock->RowCount(), 3) << "the rows left empty go with the lock";
    EXPECT_EQ(c->Row(), 2);
}

TEST_F(Toolbar, TheFormHasOneMainMenu) {
    TdxBar* first = HiddenBar(L"Меню");
    TdxBar* second = HiddenBar(L"Другое меню");
    first->SetIsMainMenu(true);
    EXPECT_EQ(manager->MainMenuBar(), first);
    EXPECT_TRUE(first->WholeRow());
    EXPECT_TRUE(first->MultiLine());
    first->SetMultiLine(false);
    EXPECT_TRUE(first->MultiLine()) << "a main menu always wraps";
    EXPECT_FALSE(first->CanClose());

    second->SetIsMainMenu(true);
    EXPECT_EQ(manager->MainMenuBar(), second);
    EXPECT_FALSE(first->IsMainMenu());
    EXPECT_FALSE(first->MultiLine());
    EXPECT_FALSE(first->WholeRow());
    FreeObject(second);
    EXPECT_EQ(manager->MainMenuBar(), nullptr);
}

TEST_F(Toolbar, MergesThatCannotBeMadeRaiseWithTheirTexts) {
    TdxBar* a = HiddenBar(L"A");
    TdxBar* b = HiddenBar(L"B");
    TdxBar* c = HiddenBar(L"C");
    a->ItemLinks()->AddItem(Item(L"btnOpen"));
    c->ItemLinks()->AddItem(Item(L"btnSave"));
    a->Merge(c);
    EXPECT_EQ(c->MergedInto(), a);
    EXPECT_EQ(a->ItemLinks()->Count(), 2);

    auto message = [](const std::function<void()>& f) -> std::string {
        try {
            f();
        } catch (const EdxException& e) {
            return Utf8(e.Message());
        }
        return "no exception";
    };
    EXPECT_EQ(message([&] { b->Merge(b); }), "You cannot merge with the specified toolbar");
    EXPECT_EQ(message([&] { b->Merge(nullptr); }), "You cannot merge with the specified toolbar");
    EXPECT_EQ(message([&] { b->Merge(a); }), "The 'A' toolbar has merged toolbars");
    EXPECT_EQ(message([&] { a->Merge(c); }), "The 'C' toolbar is already merged with the 'A' toolbar");
    EXPECT_EQ(message([&] { c->Merge(b); }), "You cannot merge a toolbar with a toolbar that is already merged");
    EXPECT_EQ(message([&] { a->Unmerge(a); }), "You cannot unmerge the specified toolbar");
    EXPECT_EQ(message([&] { b->Unmerge(c); }), "The 'C' toolbar is not merged with the 'B' toolbar");
    EXPECT_EQ(c->MergedInto(), a) << "nothing changed";
    EXPECT_EQ(a->ItemLinks()->Count(), 2);

    a->Unmerge(c);
    EXPECT_EQ(c->MergedInto(), nullptr);
    EXPECT_EQ(a->ItemLinks()->Count(), 1);
    b->Unmerge(c);  // merged nowhere: ignored
}

TEST_F(Toolbar, CaptionsAreUniqueAndPositionsKeepTheirRules) {
    TdxBar* a = HiddenBar(L"Стандартная");
    TdxBar* b = HiddenBar(L"Форматирование");
    b->SetCaption(L"Стандартная");
    EXPECT_EQ(b->Caption(), L"Форматирование") << "a caption another bar has is refused";
    a->SetDockedLeft(-5);
    a->SetDockedTop(-1);
    a->SetFloatLeft(-5);
    a->SetFloatTop(-7);
    EXPECT_EQ(a->DockedLeft(), 0);
    EXPECT_EQ(a->DockedTop(), 0);
    EXPECT_EQ(a->FloatLeft(), -5) << "a screen position may be negative";
    EXPECT_EQ(a->FloatTop(), -7);
    a->SetRow(-3);
    EXPECT_EQ(a->Row(), 0);
}

TEST_F(Toolbar, WhatMayBeMovedFollowsNotDocking) {
    TdxBar* bar = HiddenBar(L"Панель");
    EXPECT_TRUE(bar->CanMove());
    bar->SetNotDocking({dsLeft, dsTop, dsRight, dsBottom});
    EXPECT_TRUE(bar->CanMove()) << "it can still float";
    bar->SetNotDocking({dsNone, dsLeft, dsTop, dsRight, dsBottom});
    EXPECT_FALSE(bar->CanMove());
    bar->SetNotDocking({dsNone});
    manager->SetNotDocking({dsLeft, dsTop, dsRight, dsBottom});
    EXPECT_FALSE(bar->CanMove()) << "the bar's and the manager's refusals add up";
}

TEST_F(Toolbar, AHiddenBarComesBackToItsRowAndPlace) {
    TdxBar* a = NewBar(L"A", {L"btnOpen", L"btnSave"});
    TdxBar* b = NewBar(L"B", {L"btnExport"});
    b->SetRow(1);
    TdxBar* c = NewBar(L"C", {L"btnBold"});
    c->SetRow(1);
    c->SetDockedLeft(150);
    ASSERT_NE(c->BarControl(), nullptr);
    EXPECT_EQ(c->BarControl()->Left(), 150);
    EXPECT_EQ(c->BarControl()->Top(), kBarHeight);

    c->SetVisible(false);
    EXPECT_EQ(c->BarControl(), nullptr);
    EXPECT_EQ(c->Row(), 1) << "a hidden bar keeps its row";
    c->SetVisible(true);
    ASSERT_NE(c->BarControl(), nullptr);
    EXPECT_EQ(c->Row(), 1);
    EXPECT_EQ(c->BarControl()->Left(), 150);
    EXPECT_EQ(c->BarControl()->Top(), kBarHeight);
    EXPECT_EQ(a->Row(), 0);
}

// ---- the row arrangement on numbers ------------------------------------------------------

TEST(DockRowLayout, WindowsKeepTheirPlacesAsLongAsTheRowAllows) {
    struct Window {
        int position, minSize, maxSize;
        int start, length;
        bool truncated;
    };
    struct Case {
        const char* name;
        int rowLength;
        bool wholeRow;
        std::vector<Window> windows;
    } cases[] = {
        {"fits at their places", 300, false, {{0, 40, 100, 0, 100, false}, {150, 40, 80, 150, 80, false}}},
        {"the last pushed back from the row end", 250, false, {{0, 40, 100, 0, 100, false}, {200, 40, 80, 170, 80, false}}},
        {"overlapping: the first moves back", 200, false, {{50, 40, 100, 0, 100, false}, {60, 40, 80, 100, 80, false}}},
        {"squeezed: the first to the row start, cut", 150, false, {{30, 40, 100, 0, 70, true}, {60, 40, 80, 70, 80, false}}},
        {"squeezed to both minimums", 70, false, {{0, 40, 100, 0, 40, true}, {50, 30, 80, 40, 30, true}}},
        {"a window that cannot shrink is not cut", 90, false, {{0, 100, 100, 0, 100, false}}},
        {"whole row", 300, true, {{40, 60, 100, 0, 300, false}}},
        {"whole row shorter than the window", 80, true, {{0, 60, 100, 0, 80, true}}},
    };
    for (const Case& c : cases) {
        std::vector<TdxDockRowWindow> windows;
        for (const Window& w : c.windows) {
            TdxDockRowWindow r;
            r.position = w.position, r.minSize = w.minSize, r.maxSize = w.maxSize;
            windows.push_back(r);
        }
        ArrangeDockRowWindows(windows, c.rowLength, c.wholeRow, false);
        for (size_t i = 0; i < windows.size(); ++i) {
            EXPECT_EQ(windows[i].start, c.windows[i].start) << c.name << " #" << i;
            EXPECT_EQ(windows[i].length, c.windows[i].length) << c.name << " #" << i;
            EXPECT_EQ(windows[i].truncated, c.windows[i].truncated) << c.name << " #" << i;
        }
    }
}

TEST(DockRowLayout, RestSpaceAndAutoAlignCloseTheGaps) {
    std::vector<TdxDockRowWindow> windows(3);
    int positions[] = {0, 120, 250};
    for (int i = 0; i < 3; ++i) {
        windows[size_t(i)].position = positions[i];
        windows[size_t(i)].minSize = 20;
        windows[size_t(i)].maxSize = 50;
    }
    windows[1].useRestSpace = true;
    ArrangeDockRowWindows(windows, 400, false, false);
    EXPECT_EQ(windows[1].start, 50) << "it starts right after the previous window";
    EXPECT_EQ(windows[1].length, 200) << "and stretches to the next one";
    EXPECT_EQ(windows[2].start, 250);

    windows[1].useRestSpace = false;
    ArrangeDockRowWindows(windows, 400, false, true);
    EXPECT_EQ(windows[1].start, 50);
    EXPECT_EQ(windows[2].start, 100);
}

// ---- windows in the docks -----------------------------------------------------------------

TEST_F(Toolbar, ADockedToolbarLaysItsButtonsOutInARowAndPaintsThem) {
    TdxBar* bar = NewBar(L"Стандартная", {L"btnOpen", L"btnSave", L"btnBold"});
    TdxBarControl* window = bar->BarControl();
    ASSERT_NE(window, nullptr);
    TdxDockControl* dock = Dock(dsTop);
    EXPECT_EQ(window->Parent(), dock);
    EXPECT_TRUE(IsWindowVisible(window->Handle()));
    EXPECT_EQ(window->DockingStyle(), dsTop);
    EXPECT_TRUE(SameRect(window->BoundsRect(), TRect{0, 0, kItemsStart + 3 * TToolbarTestControl::Width + kBorder, kBarHeight}));
    EXPECT_EQ(dock->Height(), kBarHeight) << "the dock follows its rows";
    EXPECT_FALSE(window->Truncated());

    PumpUntilIdle();
    TControlSnapshot shot(window);
    for (int i = 0; i < 3; ++i) {
        TdxBarItemLink* link = bar->ItemLinks()->GetLink(i);
        TRect expected{kItemsStart + i * TToolbarTestControl::Width, kBorder,
                       kItemsStart + (i + 1) * TToolbarTestControl::Width, kBorder + TToolbarTestControl::Height};
        EXPECT_TRUE(SameRect(link->ItemRect(), expected)) << i;
        TColor glyph = TBarTestForm::GlyphColor(link->Item()->ImageIndex());
        EXPECT_EQ(shot.Pixel(expected.left, expected.top), glyph) << i;
        EXPECT_EQ(shot.Pixel(expected.right - 1, expected.bottom - 1), glyph) << i;
    }
    EXPECT_NE(shot.Pixel(kItemsStart - 1, kBarHeight / 2), TBarTestForm::GlyphColor(0)) << "the drag area";
}

TEST_F(Toolbar, AToolbarLongerThanItsDockIsCutAndShowsTheMark) {
    TdxBar* bar = NewBar(L"Стандартная", {L"btnOpen", L"btnSave", L"btnBold", L"btnColor", L"btnExport", L"rbLeft"});
    TdxBarControl* window = bar->BarControl();
    ASSERT_NE(window, nullptr);
    // Room for the drag area, four buttons and the mark.
    form->SetClientWidth(kItemsStart + 4 * TToolbarTestControl::Width + 20);
    PumpUntilIdle();
    ASSERT_EQ(form->ClientWidth(), kItemsStart + 4 * TToolbarTestControl::Width + 20);
    EXPECT_TRUE(window->Truncated());
    EXPECT_EQ(window->Width(), form->ClientWidth()) << "a cut bar reaches to the row end";
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(IsRectEmpty(&bar->ItemLinks()->GetLink(i)->ItemRect()), i >= 4) << i;
    TRect mark = window->MarkRect();
    ASSERT_FALSE(IsRectEmpty(&mark));
    EXPECT_EQ(mark.right, window->Width() - kBorder);

    TControlSnapshot shot(window);
    int markPixels = 0;
    for (int y = mark.top; y < mark.bottom; ++y)
        for (int x = mark.left; x < mark.right; ++x) markPixels += shot.Pixel(x, y) == TColor(ColorToRGB(clBtnText));
    EXPECT_GT(markPixels, 6) << "the chevron";

    form->SetClientWidth(400);
    PumpUntilIdle();
    EXPECT_FALSE(window->Truncated());
    const TRect noMark = window->MarkRect();
    EXPECT_TRUE(IsRectEmpty(&noMark));
    EXPECT_FALSE(IsRectEmpty(&bar->ItemLinks()->GetLink(5)->ItemRect()));
}

TEST_F(Toolbar, RowZonesOfTopAndBottomDocks) {
    for (TdxBarDockingStyle style : {dsTop, dsBottom}) {
        SCOPED_TRACE(int(style));
        NewBar(L"A" + IntToStr(int(style)), {L"btnOpen"}, style);
        TdxBar* b = NewBar(L"B" + IntToStr(int(style)), {L"btnSave"}, style);
        b->SetRow(1);
        TdxDockControl* dock = Dock(style);
        ASSERT_EQ(dock->RowCount(), 2);
        ASSERT_EQ(dock->Height(), 2 * kBarHeight);
        const int h = kBarHeight, zone = TdxBars::DockingZoneSize, band = (zone - 5) / 2;
        struct Probe {
            int y;  // in the dock's client coordinates
            int index;
            bool newRow;
        };
        std::vector<Probe> probes;
        if (style == dsTop)
            probes = {{-zone + 1, 0, true},  {-zone + band, 0, true},  {1, 0, false},         {band, 1, true},
                      {band + 6, 1, false},  {h + band + 2, 2, true}, {2 * h + band + 2, 2, true}};
        else {
            // The far side's bands lie at the end of each zone.
            const int d = dock->Height();
            probes = {{-zone + 1, 0, true}, {-band - 3, 0, true}, {h - band - 3, 1, true}, {h + 1, 1, false},
                      {d + zone - band - 3, 2, true}};
        }
        for (const Probe& p : probes) {
            int index = -9;
            bool newRow = false;
            dock->RowAtPoint(dock->ClientToScreen(TPoint{30, p.y}), index, newRow);
            EXPECT_EQ(index, p.index) << "y " << p.y;
            EXPECT_EQ(newRow, p.newRow) << "y " << p.y;
        }
    }
}

TEST_F(Toolbar, ABottomDockGrowsUpwardsKeepingItsBottomEdge) {
    const int bottom = form->ClientHeight();
    TdxBar* a = NewBar(L"A", {L"btnOpen"}, dsBottom);
    TdxDockControl* dock = Dock(dsBottom);
    EXPECT_EQ(dock->Height(), kBarHeight);
    EXPECT_EQ(dock->Top() + dock->Height(), bottom);
    TdxBar* b = NewBar(L"B", {L"btnSave"}, dsBottom);
    b->SetRow(1);
    EXPECT_EQ(dock->Height(), 2 * kBarHeight);
    EXPECT_EQ(dock->Top() + dock->Height(), bottom);
    EXPECT_EQ(a->BarControl()->Top(), 0);
    EXPECT_EQ(b->BarControl()->Top(), kBarHeight);
}

TEST_F(Toolbar, APlacedDockIsEmptyAtRunTimeAndTurnsItsBarsWithItsAlign) {
    auto* panel = static_cast<TWinControl*>(form->FindComponent(L"pnlView"));
    ASSERT_NE(panel, nullptr);
    auto* dock = new TdxBarDockControl(form.get());
    dock->SetParent(panel);
    dock->SetBarManager(manager);
    EXPECT_EQ(dock->Align(), alTop);
    EXPECT_EQ(dock->DockingStyle(), dsTop);
    dock->Relayout();
    EXPECT_EQ(dock->Height(), 0);
    dock->SetStateFlag(csDesigning, true);
    dock->Relayout();
    EXPECT_EQ(dock->Height(), 3) << "a designer sees where it is";
    dock->SetAllowZeroSizeInDesignTime(true);
    EXPECT_EQ(dock->Height(), 0);
    dock->SetStateFlag(csDesigning, false);

    TdxBar* bar = HiddenBar(L"В панели");
    bar->ItemLinks()->AddItem(Item(L"btnOpen"));
    bar->ItemLinks()->AddItem(Item(L"btnSave"));
    bar->SetDockControl(dock);
    bar->SetVisible(true);
    TdxBarControl* window = bar->BarControl();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Parent(), dock);
    EXPECT_EQ(dock->Height(), kBarHeight);
    EXPECT_GT(window->Width(), window->Height());

    dock->SetDockAlign(alLeft);
    EXPECT_EQ(dock->DockingStyle(), dsLeft);
    EXPECT_EQ(window->DockingStyle(), dsLeft);
    EXPECT_GT(window->Height(), window->Width()) << "the bar runs down the dock now";
    EXPECT_EQ(dock->Width(), window->Width());
    TRect second = bar->ItemLinks()->GetLink(1)->ItemRect();
    EXPECT_EQ(second.top, kItemsStart + TToolbarTestControl::Height);
}

TEST_F(Toolbar, DoubleClickingTheDragAreaFloatsTheBarAndItsCaptionDocksItBack) {
    NewBar(L"Первая", {L"btnOpen"});
    TdxBar* bar = NewBar(L"Вторая", {L"btnSave", L"btnBold"});
    bar->SetRow(1);
    ASSERT_NE(bar->BarControl(), nullptr);
    const TRect drag = bar->BarControl()->DragAreaRect();
    ASSERT_FALSE(IsRectEmpty(&drag));
    const TPoint grip = bar->BarControl()->ClientToScreen(Centre(drag));
    ClickAt(grip);
    ClickAt(grip);
    ASSERT_TRUE(PumpUntil([&] { return bar->BarControl() && bar->BarControl()->DockingStyle() == dsNone; }));
    EXPECT_EQ(bar->DockingStyle(), dsNone);
    EXPECT_EQ(bar->DockedDockingStyle(), dsTop);
    EXPECT_EQ(Dock(dsTop)->RowCount(), 1) << "its row went";
    EXPECT_EQ(Dock(dsTop)->Height(), kBarHeight);
    HWND floating = bar->BarControl()->Handle();
    EXPECT_TRUE(GetWindowLongW(floating, GWL_STYLE) & WS_CAPTION);
    EXPECT_EQ(GetWindow(floating, GW_OWNER), form->Handle());

    EXPECT_EQ(bar->Row(), 1) << "it remembers its row";
    EXPECT_TRUE(bar->OneOnRow());
    RECT w;
    GetWindowRect(floating, &w);
    const TPoint caption{(w.left + w.right) / 2, w.top + GetSystemMetrics(SM_CYSMCAPTION) / 2 + 1};
    ClickAt(caption);
    ClickAt(caption);
    ASSERT_TRUE(PumpUntil([&] { return bar->BarControl() && bar->BarControl()->DockingStyle() == dsTop; }));
    EXPECT_EQ(bar->BarControl()->Parent(), Dock(dsTop));
    EXPECT_EQ(Dock(dsTop)->RowCount(), 2) << "back into a row of its own";
}

TEST_F(Toolbar, TheCloseButtonOfAFloatingBarHidesIt) {
    TdxBar* bar = NewBar(L"Плавающая", {L"btnOpen"}, dsNone);
    bar->SetVisible(false);
    bar->SetVisible(true);
    ASSERT_NE(bar->BarControl(), nullptr);
    struct TCloseRecorder : TObject {
        std::vector<TdxBar*> closed;
        void Closed(TObject*, TdxBar* b) { closed.push_back(b); }
    } recorder;
    manager->OnBarClose = TdxBarEvent(&recorder, &TCloseRecorder::Closed);
    TdxBarControl* window = bar->BarControl();
    SendMessageW(window->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(PumpUntil([&] { return !bar->Visible(); }));
    EXPECT_EQ(bar->BarControl(), nullptr);
    EXPECT_FALSE(IsBarControlAlive(window));
    EXPECT_EQ(recorder.closed, std::vector<TdxBar*>{bar});
}

TEST_F(Toolbar, AShotOfTheFormWithToolbarsAtEveryEdge) {
    NewBar(L"Верх", {L"btnOpen", L"btnSave", L"btnExport"}, dsTop);
    NewBar(L"Слева", {L"btnBold", L"btnColor"}, dsLeft);
    NewBar(L"Справа", {L"btnOpen"}, dsRight);
    NewBar(L"Низ", {L"btnSave", L"btnBold"}, dsBottom);
    TdxBar* floating = NewBar(L"Плавающая", {L"btnColor", L"btnExport"}, dsNone);
    floating->SetFloatLeft(form->Left() + 150);
    floating->SetFloatTop(form->Top() + 120);
    floating->SetVisible(false);
    floating->SetVisible(true);
    ASSERT_NE(floating->BarControl(), nullptr);
    EXPECT_EQ(floating->BarControl()->DockingStyle(), dsNone);
    RECT r;
    GetWindowRect(floating->BarControl()->Handle(), &r);
    EXPECT_EQ(r.left, form->Left() + 150);
    EXPECT_EQ(r.top, form->Top() + 120);
    EXPECT_GT(Dock(dsLeft)->Width(), 0);
    EXPECT_GT(Dock(dsRight)->Width(), 0);
    PumpUntilIdle();
    SaveShot("toolbars.bmp", {floating->BarControl()});
}

}  // namespace
