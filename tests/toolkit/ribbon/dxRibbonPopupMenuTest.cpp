// The ribbon's popup menu and application menu: the ribbon a popup menu names (whose bar manager
// serves its links and whose bar painter draws its window), a menu without a ribbon that looks
// like a plain one, the menu windows' behaviour bits, the application menu's right-click menu,
// and the application button reachable through the open application menu.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../../support/PixelSurface.h"
#include "RibbonTesting.h"
#include "dxBar.h"
#include "dxBarButton.h"
#include "dxBarItemLinks.h"
#include "dxBarPopupMenu.h"
#include "dxRibbonBarPainter.h"
#include "dxRibbonContextMenu.h"
#include "dxRibbonPopupMenu.h"

namespace {

class RibbonMenusTest : public RibbonTest {
protected:
    void SetUp() override {
        RibbonTest::SetUp();
        NewTab(L"Главная");
        for (const wchar_t* name : {L"btnNew", L"btnOpen", L"btnSave"}) {
            auto* button = new TdxBarButton(form.get());
            button->SetName(name);
            button->SetCaption(name);
            buttons.push_back(button);
        }
    }
    void TearDown() override {
        SetRibbonMenuTarget(nullptr, nullptr);
        RibbonTest::TearDown();
    }
    template <class Menu>
    Menu* NewMenu() {
        auto* menu = new Menu(form.get());
        menu->SetBarManager(manager);
        for (TdxBarButton* button : buttons) menu->ItemLinks()->AddItem(button);
        return menu;
    }
    std::vector<TdxBarButton*> buttons;
};

TEST_F(RibbonMenusTest, APopupMenuTakesItsRibbonsManagerAndForgetsAFreedRibbon) {
    auto* menu = new TdxRibbonPopupMenu(form.get());
    auto* other = new TdxRibbonPopupMenu(form.get());
    menu->SetRibbon(ribbon);
    other->SetRibbon(ribbon);
    EXPECT_EQ(menu->Ribbon(), ribbon);
    EXPECT_EQ(menu->BarManager(), manager);
    FreeObject(ribbon);
    ribbon = nullptr;
    EXPECT_EQ(menu->Ribbon(), nullptr);
    EXPECT_EQ(other->Ribbon(), nullptr);
    EXPECT_EQ(menu->BarManager(), manager) << "the manager stays";
}

TEST_F(RibbonMenusTest, APopupMenuDrawsWithItsRibbonsBarPainterAndWithoutOneAsAPlainMenu) {
    auto* plain = NewMenu<TdxBarPopupMenu>();
    auto* ribbonMenu = NewMenu<TdxRibbonPopupMenu>();
    // Shown one after the other at the same place: a menu opened at a point closes the other.
    auto show = [&](TdxBarPopupMenu* menu, TPainterTestSurface*& picture, TdxBarPainter*& painter) {
        menu->PopupForOwner(300, 60, 0, 0, false, nullptr, false, nullptr);
        EXPECT_TRUE(PumpUntilIdle());
        TdxBarSubMenuControl* window = menu->GetSubMenuControl();
        if (!window) return;
        painter = window->GetPainter();
        picture = new TPainterTestSurface(window->Width(), window->Height());
        window->PaintTo(picture->dc);
        window->HideMenuChain();
        EXPECT_TRUE(PumpUntil([&] { return !menu->GetSubMenuControl(); }));
    };
    TPainterTestSurface *plainPicture = nullptr, *picture = nullptr;
    TdxBarPainter *plainPainter = nullptr, *painter = nullptr;
    show(plain, plainPicture, plainPainter);
    show(ribbonMenu, picture, painter);
    std::unique_ptr<TPainterTestSurface> keepPlain(plainPicture), keep(picture);
    ASSERT_TRUE(plainPicture && picture);
    EXPECT_EQ(painter, plainPainter) << "without a ribbon: the manager's painter";
    ASSERT_EQ(picture->width, plainPicture->width);
    ASSERT_EQ(picture->height, plainPicture->height);
    int differing = 0;
    for (int y = 0; y < picture->height; ++y)
        for (int x = 0; x < picture->width; ++x) differing += picture->Pixel(x, y) != plainPicture->Pixel(x, y);
    EXPECT_EQ(differing, 0) << "and the same pixels";

    ribbonMenu->SetRibbon(ribbon);
    ribbonMenu->PopupForOwner(300, 60, 0, 0, false, nullptr, false, nullptr);
    ASSERT_TRUE(PumpUntilIdle());
    TdxBarSubMenuControl* window = ribbonMenu->GetSubMenuControl();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->GetPainter(), ribbon->BarPainter());
    EXPECT_TRUE(Is<TdxRibbonBarPainter>(window->GetPainter()));
    // Each command is drawn: every item row holds ink other than the menu's background.
    TPainterTestSurface surface(window->Width(), window->Height());
    window->PaintTo(surface.dc);
    const COLORREF background = surface.Pixel(window->Width() - 4, window->Height() / 2);
    for (int i = 0; i < ribbonMenu->ItemLinks()->Count(); ++i) {
        const TRect r = ribbonMenu->ItemLinks()->GetLink(i)->ItemRect();
        ASSERT_LT(r.top, r.bottom) << i;
        int ink = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) ink += surface.Pixel(x, y) != background;
        EXPECT_GT(ink, 10) << "item " << i;
    }
    window->HideMenuChain();
    ASSERT_TRUE(PumpUntil([&] { return !ribbonMenu->GetSubMenuControl(); }));
}

TEST_F(RibbonMenusTest, BothRibbonMenuWindowsAnswerTheRibbonsBehaviourBits) {
    auto* popupWindow = new TdxRibbonPopupMenuControl(manager);
    auto* applicationWindow = new TdxRibbonApplicationMenuControl(manager);
    auto* plainWindow = new TdxBarSubMenuControl(manager);
    EXPECT_EQ(popupWindow->GetBehaviorOptions(), 0x019E);
    EXPECT_EQ(applicationWindow->GetBehaviorOptions(), 0x019E);
    EXPECT_NE(plainWindow->GetBehaviorOptions(), 0x019E);
    EXPECT_TRUE(applicationWindow->GetBehaviorOptions() & bcboCustomizingPopupOnRelease);
    FreeObject(popupWindow);
    FreeObject(applicationWindow);
    FreeObject(plainWindow);
}

class RibbonApplicationMenuTest : public RibbonMenusTest {
protected:
    void SetUp() override {
        RibbonMenusTest::SetUp();
        // The application button shows beside a quick access toolbar above the ribbon.
        ribbon->QuickAccessToolbar()->SetToolbar(NewBar(L"QATBar"));
        ASSERT_TRUE(PumpUntilIdle());
        ASSERT_TRUE(ViewInfo()->IsApplicationButtonShown());
        menu = NewMenu<TdxBarApplicationMenu>();
    }
    // Opens the menu below the application button, over part of it, for the ribbon.
    TdxRibbonApplicationMenuControl* Open() {
        TRect area = ViewInfo()->ApplicationButtonArea();
        const TPoint origin = ribbon->ClientToScreen(TPoint{0, 0});
        OffsetRect(&area, origin.x, origin.y);
        menu->PopupForOwner(area.left + 4, (area.top + area.bottom) / 2, 0, 0, false, &area, false, ribbon);
        EXPECT_TRUE(PumpUntilIdle());
        return As<TdxRibbonApplicationMenuControl>(menu->GetSubMenuControl());
    }
    TPoint ButtonCentre() const {
        const TRect area = ViewInfo()->ApplicationButtonArea();
        return ribbon->ClientToScreen(TPoint{(area.left + area.right) / 2, (area.top + area.bottom) / 2 + 4});
    }
    TdxBarApplicationMenu* menu = nullptr;  // owned by the form
};

TEST_F(RibbonApplicationMenuTest, TheApplicationButtonStaysReachableThroughTheOpenMenu) {
    TdxRibbonApplicationMenuControl* window = Open();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->GetRibbon(), ribbon);
    const TPoint button = ButtonCentre();
    RECT bounds;
    GetWindowRect(window->WindowHandle(), &bounds);
    ASSERT_TRUE(PtInRect(&bounds, button)) << "the menu lies over the button";
    auto hitTest = [&](TPoint p) {
        return SendMessageW(window->WindowHandle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    };
    EXPECT_EQ(hitTest(button), HTTRANSPARENT);
    EXPECT_NE(hitTest(TPoint{bounds.right - 5, bounds.bottom - 5}), HTTRANSPARENT);

    if (menu->GetSubMenuControl()) menu->GetSubMenuControl()->HideMenuChain();
    ASSERT_TRUE(PumpUntil([&] { return !menu->GetSubMenuControl(); }));

    // Without a ribbon the window answers as any menu.
    menu->PopupForOwner(bounds.left, bounds.top, 0, 0, false, nullptr, false, nullptr);
    ASSERT_TRUE(PumpUntilIdle());
    window = As<TdxRibbonApplicationMenuControl>(menu->GetSubMenuControl());
    ASSERT_TRUE(window);
    EXPECT_EQ(window->GetRibbon(), nullptr);
    EXPECT_NE(hitTest(button), HTTRANSPARENT);
    window->HideMenuChain();
    ASSERT_TRUE(PumpUntil([&] { return !menu->GetSubMenuControl(); }));
}

TEST_F(RibbonApplicationMenuTest, ItsRightClickMenuHoldsTheRibbonsCommandsWhichCloseTheMenu) {
    TdxRibbonApplicationMenuControl* window = Open();
    ASSERT_TRUE(window);
    auto* context = new TdxBarPopupMenu(form.get());
    context->SetBarManager(manager);
    SetRibbonMenuTarget(menu->ItemLinks()->GetLink(1), window);
    window->FillContextMenu(context->ItemLinks());
    std::vector<std::string> captions;
    for (int i = 0; i < context->ItemLinks()->Count(); ++i)
        captions.push_back(Utf8(context->ItemLinks()->GetLink(i)->Item()->GetCaption()));
    EXPECT_EQ(captions, (std::vector<std::string>{"Добавить в панель быстрого доступа", "Все команды...",
                                                  "Панель быстрого доступа ниже панели инструментов",
                                                  "Mi&nimize the Ribbon"}));
    // Adding the right-clicked command puts it on the toolbar and closes the menu.
    context->ItemLinks()->GetLink(0)->Item()->Click();
    TdxBar* qat = ribbon->QuickAccessToolbar()->Toolbar();
    ASSERT_EQ(qat->ItemLinks()->Count(), 1);
    EXPECT_EQ(qat->ItemLinks()->GetLink(0)->Item(), buttons[1]);
    ASSERT_TRUE(PumpUntil([&] { return !menu->GetSubMenuControl(); }));
}

}  // namespace
