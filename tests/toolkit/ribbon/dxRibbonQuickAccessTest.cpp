// The quick access toolbar on a shown ribbon: its window in its dock control above or below the
// ribbon, the links cut off at the mark, the mark's width and drawing, the customize menu that
// shows and hides the toolbar's links, and the group button's placement rules.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ControlSnapshot.h"
#include "ExtItemsTesting.h"
#include "RibbonTesting.h"
#include "cxDWMApi.h"
#include "dxBarButton.h"
#include "dxBarItemLinks.h"
#include "dxBarPopupMenu.h"
#include "dxBarSubMenuControl.h"
#include "dxRibbonDockControls.h"
#include "dxRibbonForm.h"
#include "dxRibbonQuickAccess.h"

namespace {

class QuickAccessTest : public RibbonTest {
protected:
    void SetUp() override {
        RibbonTest::SetUp();
        // Earlier tests may have restarted the bar unit's item registry.
        EnsureItemRegistered(TdxRibbonQuickAccessGroupButton::StaticClass(),
                             TdxRibbonQuickAccessGroupButtonControl::StaticClass());
        EnsureItemRegistered(TdxRibbonQuickAccessPopupSubItemButton::StaticClass(),
                             TdxRibbonQuickAccessPopupSubItemButtonControl::StaticClass());
        home = NewTab(L"Главная");
        fileBar = NewBar(L"BarFile");
        AddButton(fileBar, L"btnOpen");
        AddGroup(home, fileBar);
        quick = NewBar(L"BarQuick");
    }
    TdxBarButton* AddButton(TdxBar* bar, const String& name) {
        auto* button = static_cast<TdxBarButton*>(manager->AddItem(TdxBarButton::StaticClass()));
        button->SetName(name);
        button->SetCaption(name);
        bar->ItemLinks()->AddItem(button);
        return button;
    }
    // The quick access toolbar with that many buttons.
    void ShowQuickBar(int buttons) {
        for (int i = 0; i < buttons; ++i) AddButton(quick, L"btnQuick" + IntToStr(i));
        ribbon->QuickAccessToolbar()->SetToolbar(quick);
        PumpUntilIdle();
    }
    TdxRibbonQuickAccessBarControl* Window() const { return As<TdxRibbonQuickAccessBarControl>(quick->BarControl()); }
    TdxRibbonQuickAccessDockControl* Dock() const { return ribbon->QuickAccessToolbar()->DockControl(); }
    int PlacedLinks() const {
        int n = 0;
        for (int i = 0; i < quick->ItemLinks()->GetShownLinkCount(); ++i) {
            const TRect r = quick->ItemLinks()->GetShownLink(i)->ItemRect();
            if (!IsRectEmpty(&r)) ++n;
        }
        return n;
    }

    TdxRibbonTab* home = nullptr;
    TdxBar* fileBar = nullptr;
    TdxBar* quick = nullptr;
};

std::vector<std::string> MenuCaptions(TdxBarItemLinks* links) {
    std::vector<std::string> captions;
    for (int i = 0; i < links->Count(); ++i) {
        captions.push_back(Utf8(links->GetLink(i)->Item()->GetCaption()));
    }
    return captions;
}

}  // namespace

// ---- the window and its place --------------------------------------------------------------

TEST_F(QuickAccessTest, TheToolbarShowsInItsOwnWindowFillingItsDockAboveTheTabs) {
    ShowQuickBar(3);
    TdxRibbonQuickAccessBarControl* window = Window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Parent(), Dock());
    EXPECT_TRUE(Dock()->Visible());
    EXPECT_FALSE(window->ItemsCut());
    EXPECT_EQ(PlacedLinks(), 3);
    // One row of links from the left, the mark after them.
    const TRect first = quick->ItemLinks()->GetShownLink(0)->ItemRect();
    const TRect last = quick->ItemLinks()->GetShownLink(2)->ItemRect();
    EXPECT_EQ(first.left, 0);
    EXPECT_EQ(Dock()->Width(), last.right + window->GetQuickAccessMarkAreaSize());
    EXPECT_EQ(window->Width(), Dock()->Width());
    EXPECT_EQ(window->Height(), Dock()->Height());
    // Above the tab row, within the toolbar's bounds.
    const TRect qat = ViewInfo()->QATBounds();
    EXPECT_LE(qat.top, Dock()->Top());
    EXPECT_GE(qat.bottom, Dock()->Top() + Dock()->Height());
    EXPECT_EQ(ViewInfo()->TabsViewInfo()->Bounds().top, qat.bottom);
}

TEST_F(QuickAccessTest, BelowTheRibbonTheToolbarSpansTheWidthAndEndsTheRibbon) {
    ShowQuickBar(2);
    ribbon->QuickAccessToolbar()->SetPosition(qtpBelowRibbon);
    PumpUntilIdle();
    const TRect qat = ViewInfo()->QATBounds();
    EXPECT_EQ(qat.left, 0);
    EXPECT_EQ(qat.right, ribbon->Width());
    EXPECT_EQ(qat.top, ViewInfo()->TabGroupsBounds().bottom);
    EXPECT_EQ(ribbon->Height(), qat.bottom);
    EXPECT_EQ(Dock()->Left(), 2);
    EXPECT_EQ(Dock()->Top(), qat.top + 2);
    EXPECT_EQ(ViewInfo()->TabsViewInfo()->Bounds().top, 0) << "nothing above the tabs any more";
    // And back above.
    ribbon->QuickAccessToolbar()->SetPosition(qtpAboveRibbon);
    PumpUntilIdle();
    EXPECT_LT(Dock()->Top(), ViewInfo()->TabsViewInfo()->Bounds().top);
}

TEST_F(QuickAccessTest, HidingTheToolbarHidesItsDockAndGivesTheRoomBack) {
    ShowQuickBar(2);
    const int withToolbar = ribbon->Height();
    ribbon->QuickAccessToolbar()->SetVisible(false);
    PumpUntilIdle();
    EXPECT_FALSE(Dock()->Visible());
    EXPECT_LT(ribbon->Height(), withToolbar);
    EXPECT_EQ(ViewInfo()->TabsViewInfo()->Bounds().top, 0);
}

TEST_F(QuickAccessTest, LinksThatDoNotFitAreCutOffBeforeTheMark) {
    ShowQuickBar(40);
    TdxRibbonQuickAccessBarControl* window = Window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->ItemsCut());
    const int placed = PlacedLinks();
    EXPECT_GT(placed, 0);
    EXPECT_LT(placed, 40);
    // The placed links come first, and none reaches into the mark.
    const TRect mark = window->GetMarkRect();
    for (int i = 0; i < quick->ItemLinks()->GetShownLinkCount(); ++i) {
        const TRect r = quick->ItemLinks()->GetShownLink(i)->ItemRect();
        EXPECT_EQ(IsRectEmpty(&r) != 0, i >= placed) << "link " << i;
        if (!IsRectEmpty(&r)) {
            EXPECT_LE(r.right, window->ClientWidth() - window->GetQuickAccessMarkAreaSize()) << "link " << i;
        }
    }
    EXPECT_EQ(mark.right, window->ClientWidth());
    // Widening the form lets more links in.
    form->SetWidth(form->Width() + 200);
    PumpUntilIdle();
    EXPECT_GT(PlacedLinks(), placed);
}

TEST_F(QuickAccessTest, TheMarkIsHalfTheRowHeightRoundedUpToOdd) {
    const struct {
        int fontHeight;
    } fonts[] = {{-11}, {-13}, {-16}, {-20}};
    ShowQuickBar(1);
    for (const auto& f : fonts) {
        manager->Font()->SetHeight(f.fontHeight);
        ribbon->Changed();
        const int row = ribbon->GetGroupRowHeight();
        const int width = Dock()->OwnPainter()->GetMarkWidth();
        EXPECT_EQ(width % 2, 1) << "row " << row;
        EXPECT_GE(width, (row + 2) / 2) << "row " << row;
        EXPECT_LE(width, (row + 2) / 2 + 1) << "row " << row;
        EXPECT_EQ(RectWidth(Window()->GetMarkRect()), width) << "row " << row;
    }
}

TEST_F(QuickAccessTest, WithoutContextMenuCommandsTheToolbarHasNoMark) {
    ribbon->SetPopupMenuItems(TdxRibbonPopupMenuItems{});
    ShowQuickBar(2);
    TdxRibbonQuickAccessBarControl* window = Window();
    EXPECT_FALSE(window->HasMark());
    EXPECT_EQ(window->GetQuickAccessMarkAreaSize(), 0);
    const TRect mark = window->GetMarkRect();
    EXPECT_TRUE(IsRectEmpty(&mark));
    EXPECT_EQ(Dock()->Width(), quick->ItemLinks()->GetShownLink(1)->ItemRect().right);
    // A press at the right end opens nothing.
    window->ShowCustomizeMenu();
    EXPECT_EQ(window->MarkState(), 0);
}

// ---- drawing -------------------------------------------------------------------------------

TEST_F(QuickAccessTest, TheMarkIsDrawnByTheSchemeOnlyWhenHotOrPressed) {
    ShowQuickBar(1);
    TdxRibbonQuickAccessBarControl* window = Window();
    const TRect mark = window->GetMarkRect();
    const int x = mark.left + 1, y = mark.top + 1;  // a corner pixel, clear of the mark's glyph
    TControlSnapshot normal(window);
    window->SetMarkState(1);
    TControlSnapshot hot(window);
    window->SetMarkState(2);
    TControlSnapshot pressed(window);
    window->SetMarkState(0);
    TControlSnapshot normalAgain(window);
    EXPECT_NE(hot.Pixel(x, y), normal.Pixel(x, y));
    EXPECT_NE(pressed.Pixel(x, y), normal.Pixel(x, y));
    EXPECT_NE(pressed.Pixel(x, y), hot.Pixel(x, y));
    EXPECT_EQ(normalAgain.Pixel(x, y), normal.Pixel(x, y));
    // Normal: the toolbar's background as the ribbon draws it under the toolbar.
    const TPoint atRibbon = ribbon->ScreenToClient(window->ClientToScreen(TPoint{x, y}));
    TControlSnapshot ribbonShot(ribbon);
    EXPECT_EQ(normal.Pixel(x, y), ribbonShot.Pixel(atRibbon.x, atRibbon.y));
}

namespace {

HRESULT WINAPI QatGlassCompositionEnabled(BOOL* enabled) {
    *enabled = TRUE;
    return S_OK;
}
HRESULT WINAPI QatGlassExtendFrame(HWND, const TcxDwmMargins*) { return S_OK; }
BOOL WINAPI QatGlassDefWindowProc(HWND, UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

}  // namespace

TEST_F(QuickAccessTest, OnGlassTheToolbarInTheCaptionDrawsItsItemsOpaque) {
    // Composition through the library's stand-in: the ribbon form then uses its glass frame.
    const struct {
        const char* name;
        FARPROC entry;
    } entries[] = {{"DwmIsCompositionEnabled", FARPROC(&QatGlassCompositionEnabled)},
                   {"DwmExtendFrameIntoClientArea", FARPROC(&QatGlassExtendFrame)},
                   {"DwmDefWindowProc", FARPROC(&QatGlassDefWindowProc)}};
    std::vector<FARPROC> previous;
    for (const auto& e : entries) previous.push_back(SetDwmEntry(e.name, e.entry));
    {
        std::unique_ptr<TdxRibbonForm> glassForm(CreateNewForm<TdxRibbonForm>(nullptr));
        glassForm->SetBounds(0, 0, 640, 420);
        auto* glassManager = new TdxBarManager(glassForm.get());
        auto* glassRibbon = new TdxRibbon(glassForm.get());
        glassRibbon->SetFadingEnabled(false);
        glassRibbon->SetParent(glassForm.get());
        glassRibbon->SetBarManager(glassManager);
        glassRibbon->SetColorSchemeName(L"Blue");
        glassRibbon->Tabs()->Add()->SetCaption(L"Главная");
        TdxBar* bar = glassManager->Bars()->Add();
        bar->SetName(L"BarQuick");
        auto* button = static_cast<TdxBarButton*>(glassManager->AddItem(TdxBarButton::StaticClass()));
        button->SetCaption(L"Save");
        bar->ItemLinks()->AddItem(button);
        glassRibbon->QuickAccessToolbar()->SetToolbar(bar);
        glassRibbon->SetSupportNonClientDrawing(true);
        glassForm->Show();
        PumpUntilIdle();
        ASSERT_TRUE(glassForm->UsesCompositionFrame());
        auto* window = As<TdxRibbonQuickAccessBarControl>(bar->BarControl());
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(glassRibbon->ViewInfo()->IsQATInCaption());
        EXPECT_TRUE(window->IsOnGlass());
        EXPECT_LE(window->Top() + window->Parent()->Top() + window->Height(), glassRibbon->FormCaptionHeight());
        TControlSnapshot shot(window);
        // The item's own rectangle is opaque: every pixel of it was drawn.
        const TRect r = bar->ItemLinks()->GetShownLink(0)->ItemRect();
        ASSERT_FALSE(IsRectEmpty(&r));
        EXPECT_NE(shot.Pixel((r.left + r.right) / 2, r.top), TColor(-1));
    }
    for (size_t i = 0; i < std::size(entries); ++i) SetDwmEntry(entries[i].name, previous[i]);
}

// ---- the customize menu --------------------------------------------------------------------

TEST_F(QuickAccessTest, TheCustomizeMenuListsTheLinksCheckedByVisibleThenTheRibbonsCommands) {
    ShowQuickBar(3);
    quick->ItemLinks()->GetLink(1)->SetVisible(false);
    quick->ItemLinks()->GetLink(2)->SetUserCaption(L"Сохранить как");
    TdxBarPopupMenu* menu = Window()->CustomizeMenu();
    Window()->AddQuickCustItems(menu->ItemLinks());
    EXPECT_EQ(MenuCaptions(menu->ItemLinks()),
              (std::vector<std::string>{"Customize Quick Access Toolbar", "btnQuick0", "btnQuick1",
                                        Utf8(L"Сохранить как"), Utf8(L"Все команды..."),
                                        Utf8(L"Панель быстрого доступа ниже панели инструментов"),
                                        "Mi&nimize the Ribbon"}));
    EXPECT_TRUE(menu->ItemLinks()->GetLink(0)->Item()->InheritsFrom(TdxBarSeparator::StaticClass()));
    const bool down[] = {true, false, true};
    for (int i = 0; i < 3; ++i) {
        auto* entry = As<TdxRibbonQuickAccessPopupSubItemButton>(menu->ItemLinks()->GetLink(i + 1)->Item());
        ASSERT_NE(entry, nullptr) << i;
        EXPECT_EQ(entry->ButtonStyle(), bsChecked);
        EXPECT_EQ(entry->Down(), down[i]) << i;
        EXPECT_EQ(entry->Tag(), NativeInt(quick->ItemLinks()->GetLink(i)));
        EXPECT_GE(manager->InternalItems()->IndexOf(entry), 0) << "kept out of the customizing lists";
    }
    // The ribbon's commands follow the entries, the first one after a separator.
    EXPECT_TRUE(menu->ItemLinks()->GetLink(4)->BeginGroup());
    // A second filling replaces the entries instead of adding to them.
    Window()->AddQuickCustItems(menu->ItemLinks());
    EXPECT_EQ(menu->ItemLinks()->Count(), 7);
    EXPECT_EQ(Window()->MenuItemsOwned()->Count(), 4);
    // The ribbon's command does its work from this menu: the toolbar moves below the ribbon.
    menu->ItemLinks()->GetLink(5)->Item()->Click();
    EXPECT_EQ(ribbon->QuickAccessToolbar()->Position(), qtpBelowRibbon);
}

TEST_F(QuickAccessTest, AnEmptyToolbarsMenuHasOnlyTheRibbonsCommands) {
    ShowQuickBar(0);
    ASSERT_NE(Window(), nullptr);
    TdxBarPopupMenu* menu = Window()->CustomizeMenu();
    Window()->AddQuickCustItems(menu->ItemLinks());
    EXPECT_EQ(MenuCaptions(menu->ItemLinks()),
              (std::vector<std::string>{Utf8(L"Все команды..."),
                                        Utf8(L"Панель быстрого доступа ниже панели инструментов"),
                                        "Mi&nimize the Ribbon"}));
    EXPECT_FALSE(menu->ItemLinks()->GetLink(0)->BeginGroup()) << "no separator above the first command";
}

TEST_F(QuickAccessTest, AClickOnTheMarkOpensTheMenuAndAnEntryHidesOrShowsItsLinkAtOnce) {
    ShowQuickBar(3);
    TdxRibbonQuickAccessBarControl* window = Window();
    const TRect mark = window->GetMarkRect();
    ClickAt(window->ClientToScreen(TPoint{(mark.left + mark.right) / 2, (mark.top + mark.bottom) / 2}));
    PumpUntilIdle();
    TdxBarPopupMenu* menu = window->CustomizeMenu();
    ASSERT_TRUE(menu->IsPopupVisible());
    EXPECT_EQ(window->MarkState(), 2);
    TdxBarSubMenuControl* menuWindow = menu->GetSubMenuControl();
    ASSERT_NE(menuWindow, nullptr);
    // The menu opens under the mark.
    RECT menuRect;
    GetWindowRect(menuWindow->Handle(), &menuRect);
    EXPECT_EQ(menuRect.top, window->ClientToScreen(TPoint{0, mark.bottom}).y);

    const int widthBefore = Dock()->Width();
    const TRect entry = menu->ItemLinks()->GetLink(2)->ItemRect();  // btnQuick1
    ClickAt(menuWindow->ClientToScreen(TPoint{(entry.left + entry.right) / 2, (entry.top + entry.bottom) / 2}));
    PumpUntilIdle();
    EXPECT_FALSE(quick->ItemLinks()->GetLink(1)->Visible());
    EXPECT_EQ(quick->ItemLinks()->GetShownLinkCount(), 2);
    EXPECT_LT(Dock()->Width(), widthBefore) << "the toolbar shrinks at once";
    EXPECT_FALSE(menu->IsPopupVisible());
    EXPECT_EQ(window->MarkState(), 0);

    // Checking the entry again shows the link again.
    window->ShowCustomizeMenu();
    PumpUntilIdle();
    ASSERT_TRUE(menu->IsPopupVisible());
    auto* again = As<TdxRibbonQuickAccessPopupSubItemButton>(menu->ItemLinks()->GetLink(2)->Item());
    ASSERT_NE(again, nullptr);
    EXPECT_FALSE(again->Down());
    const TRect entryAgain = menu->ItemLinks()->GetLink(2)->ItemRect();
    ClickAt(menu->GetSubMenuControl()->ClientToScreen(
        TPoint{(entryAgain.left + entryAgain.right) / 2, (entryAgain.top + entryAgain.bottom) / 2}));
    PumpUntilIdle();
    EXPECT_TRUE(quick->ItemLinks()->GetLink(1)->Visible());
    EXPECT_EQ(Dock()->Width(), widthBefore);
}

// ---- the group button ----------------------------------------------------------------------

TEST_F(QuickAccessTest, AGroupButtonWithoutToolbarIsDisabledAndCaptionedGroupButton) {
    ShowQuickBar(0);
    auto* button = static_cast<TdxRibbonQuickAccessGroupButton*>(
        manager->AddItem(TdxRibbonQuickAccessGroupButton::StaticClass()));
    quick->ItemLinks()->AddItem(button);
    PumpUntilIdle();
    EXPECT_EQ(button->GetCaption(), L"GroupButton");
    button->SetCaption(L"Anything");
    EXPECT_EQ(button->GetCaption(), L"GroupButton") << "the caption is never set";
    TdxBarItemControl* control = quick->ItemLinks()->GetLink(0)->Control();
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(control->InheritsFrom(TdxRibbonQuickAccessGroupButtonControl::StaticClass()));
    EXPECT_FALSE(control->IsEnabled());

    button->SetToolbar(fileBar);
    EXPECT_EQ(button->Toolbar(), fileBar);
    EXPECT_EQ(button->GetCaption(), L"BarFile");
    EXPECT_TRUE(control->IsEnabled());
    // Freeing the group toolbar clears the button's toolbar.
    FreeObject(fileBar);
    fileBar = nullptr;
    EXPECT_EQ(button->Toolbar(), nullptr);
    EXPECT_EQ(button->GetCaption(), L"GroupButton");
}

TEST_F(QuickAccessTest, AGroupButtonIsPlacedOnlyOnceOnlyOnTheToolbarAndOnlyForARibbonGroup) {
    ShowQuickBar(0);
    TdxBar* loose = NewBar(L"BarLoose");  // docked nowhere in the ribbon
    TdxBar* plain = NewBar(L"BarPlain");
    auto* first = static_cast<TdxRibbonQuickAccessGroupButton*>(
        manager->AddItem(TdxRibbonQuickAccessGroupButton::StaticClass()));
    quick->ItemLinks()->AddItem(first);
    first->SetToolbar(fileBar);
    ASSERT_EQ(first->Toolbar(), fileBar);

    const String onlyOnQat = L"You can place TdxRibbonQuickAccessGroupButton only on TdxRibbonQuickAccessToolbar";
    const String notDocked = L"Quick Access Group Button's Toolbar is not docked in the Ribbon";
    const String twice = L"The Quick Access Toolbar already contains GroupButton with the same toolbar";
    auto* probe = static_cast<TdxRibbonQuickAccessGroupButton*>(
        manager->AddItem(TdxRibbonQuickAccessGroupButton::StaticClass()));
    auto* looseProbe = static_cast<TdxRibbonQuickAccessGroupButton*>(
        manager->AddItem(TdxRibbonQuickAccessGroupButton::StaticClass()));
    // A button with no links yet takes any toolbar; the placement then checks it.
    probe->SetToolbar(fileBar);
    looseProbe->SetToolbar(loose);
    const struct {
        TdxRibbonQuickAccessGroupButton* button;
        Byte kind;
        TdxBar* target;
        bool allowed;
        String message;
    } cases[] = {
        {probe, dxBarPlaceInMenu, nullptr, false, onlyOnQat},
        {probe, dxBarPlaceOnToolbar, plain, false, onlyOnQat},
        {probe, dxBarPlaceOnToolbar, quick, false, twice},
        {looseProbe, dxBarPlaceOnToolbar, quick, false, notDocked},
        {first, dxBarPlaceOnToolbar, quick, true, L""},
    };
    for (const auto& c : cases) {
        String message = L"(untouched)";
        EXPECT_EQ(c.button->CanPlaceOn(c.kind, c.target, message), c.allowed) << Utf8(c.message);
        EXPECT_EQ(message, c.message);
    }
    // A nil toolbar is never a duplicate.
    auto* empty = static_cast<TdxRibbonQuickAccessGroupButton*>(
        manager->AddItem(TdxRibbonQuickAccessGroupButton::StaticClass()));
    String message;
    EXPECT_TRUE(empty->CanPlaceOn(dxBarPlaceOnToolbar, quick, message));
    // A second button on the toolbar does not take a toolbar the first one shows.
    quick->ItemLinks()->AddItem(empty);
    empty->SetToolbar(fileBar);
    EXPECT_EQ(empty->Toolbar(), nullptr);
}

TEST_F(QuickAccessTest, TheGroupButtonIsDrawnAsTheSchemesGroupButtonPart) {
    ShowQuickBar(0);
    auto* button = static_cast<TdxRibbonQuickAccessGroupButton*>(
        manager->AddItem(TdxRibbonQuickAccessGroupButton::StaticClass()));
    quick->ItemLinks()->AddItem(button);
    button->SetToolbar(fileBar);
    PumpUntilIdle();
    TdxRibbonQuickAccessBarControl* window = Window();
    const TRect r = quick->ItemLinks()->GetLink(0)->ItemRect();
    ASSERT_FALSE(IsRectEmpty(&r));
    TControlSnapshot shot(window);
    // The reference: the ribbon's own picture under the toolbar, with the scheme's group
    // button drawn over it.
    TControlSnapshot ribbonShot(ribbon);
    const TPoint offset = ribbon->ScreenToClient(window->ClientToScreen(TPoint{0, 0}));
    auto reference = std::make_unique<TBitmap>();
    reference->SetPixelFormat(pf24bit);
    reference->SetSize(window->Width(), window->Height());
    HDC dc = reference->Canvas()->Handle();
    for (int y = 0; y < window->Height(); ++y)
        for (int x = 0; x < window->Width(); ++x)
            SetPixel(dc, x, y, COLORREF(ribbonShot.Pixel(x + offset.x, y + offset.y)));
    ribbon->ColorScheme()->DrawQuickAccessToolbarGroupButton(dc, r, false, false, false, 0);
    // The button's edge columns, clear of the glyph in the middle.
    int differing = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x : {int(r.left), int(r.left) + 1, int(r.right) - 2, int(r.right) - 1})
            if (shot.Pixel(x, y) != TColor(GetPixel(dc, x, y))) ++differing;
    EXPECT_EQ(differing, 0);
    // The part is not the bare background: the test would tell a missing button.
    int drawn = 0;
    for (int y = r.top; y < r.bottom; ++y)
        if (shot.Pixel(r.left + 1, y) != ribbonShot.Pixel(r.left + 1 + offset.x, y + offset.y)) ++drawn;
    EXPECT_GT(drawn, 0);
}
