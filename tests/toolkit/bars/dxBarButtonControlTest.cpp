// Button, label and separator controls on their links, before bar windows show them: what a
// button shows by its paint style and place, the refusals of its drop-down, the click of a
// checked button and of the arrow part, the 400 ms drop-down delay of menus on the real thread
// timers, labels selectable only while customizing, the separator's heading in menus, and the
// heading's bold font leaving the bar font as it was.

#include "BarTestSupport.h"

#include <windows.h>

#include "cxBitmap.h"
#include "cxGraphics.h"
#include "dxBarButton.h"
#include "dxBarButtonControl.h"
#include "dxBarItemControlViewInfo.h"
#include "dxBarItemLinks.h"
#include "dxBarPopupMenu.h"
#include "dxBarStaticControl.h"

namespace {

// A button that counts the drop-downs its controls ask for.
class TCountingButton : public TdxBarButton {
    Z_CLASS(TCountingButton, TdxBarButton)
public:
    explicit TCountingButton(TComponent* owner) : TdxBarButton(owner) {}
    int dropDowns = 0;
    void DropDown(TdxBarItemControl*, int, int, bool) override { ++dropDowns; }
};

// A button control whose drop-down counts as open while DroppedDown (its menu window comes
// later), so that the delayed close can be seen.
class TOpenableButtonControl : public TdxBarButtonControl {
    Z_CLASS(TOpenableButtonControl, TdxBarButtonControl)
public:
    using TdxBarButtonControl::TdxBarButtonControl;
    bool IsDroppedDown() const override { return DroppedDown(); }
};

// A separator in a menu whose items are 20 high and whose begin-group gap is 8.
class TMeasuredSeparatorControl : public TdxBarSeparatorControl {
    Z_CLASS(TMeasuredSeparatorControl, TdxBarSeparatorControl)
public:
    using TdxBarSeparatorControl::TdxBarSeparatorControl;

protected:
    int GetNormalMenuItemHeight() const override { return 20; }
    int GetBeginGroupSize() const override { return 8; }
};

// The links of a toolbar (the owner object is a bar).
struct TToolbarOwner : IdxBarLinksOwner {
    TdxBar* bar = nullptr;
    bool CanAddItem(TdxBarItem*, String&) override { return true; }
    TCustomdxBarControl* CreateBarControl() override { return nullptr; }
    TComponent* GetOwnerObject() override { return bar; }
    TdxBarItemLinks* GetOwnerItemLinks() override { return nullptr; }
};

class ButtonControls : public BarTest {
protected:
    void SetUp() override {
        BarTest::SetUp();
        menu = new TdxBarPopupMenu(form.get());
        toolbarOwner.bar = manager->Bars()->Add();
        toolbar = std::make_unique<TdxBarControlItemLinks>(manager, &toolbarOwner);
        dropDownMenu = new TdxBarPopupMenu(form.get());
    }
    void TearDown() override {
        toolbar.reset();
        BarTest::TearDown();
    }
    TCountingButton* NewButton(const String& name, TdxBarButtonStyle style) {
        auto* button = new TCountingButton(form.get());
        button->SetName(name);
        button->SetButtonStyle(style);
        button->OnClick = MakeEvent(this, &ButtonControls::Clicked);
        return button;
    }
    void Clicked(TObject* sender) {
        auto* button = static_cast<TdxBarButton*>(sender);
        log.push_back(Utf8(button->Name()) + (button->Down() ? " down" : " up"));
    }

    TdxBarPopupMenu* menu = nullptr;
    TdxBarPopupMenu* dropDownMenu = nullptr;
    TToolbarOwner toolbarOwner;
    std::unique_ptr<TdxBarControlItemLinks> toolbar;
    std::vector<std::string> log;
};

TEST_F(ButtonControls, ThePaintStyleAndThePlaceDecideWhatAButtonShows) {
    const Byte icon = dxBarViewIcon, text = dxBarViewText, both = icon | text;
    struct Case {
        TdxBarPaintStyle style;
        bool hasImage, inMenu;
        Byte shows;
    };
    const Case cases[] = {
        // psStandard: in a menu the icon column and the caption; on a toolbar the icon, or the
        // caption when there is no image
        {psStandard, false, true, both},
        {psStandard, false, false, text},
        {psStandard, true, true, both},
        {psStandard, true, false, icon},
        {psCaption, true, true, text},
        {psCaption, true, false, text},
        {psCaptionInMenu, true, true, text},
        {psCaptionInMenu, true, false, icon},
        {psCaptionGlyph, false, true, both},
        {psCaptionGlyph, false, false, both},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << int(c.style) << (c.hasImage ? " with" : " without")
                                        << " image " << (c.inMenu ? "in a menu" : "on a toolbar"));
        TCountingButton* button = NewButton(L"", bsDefault);
        button->SetPaintStyle(c.style);
        button->SetImageIndex(c.hasImage ? 0 : -1);
        TdxBarItemLink* link = (c.inMenu ? static_cast<TdxBarItemLinks*>(menu->ItemLinks()) : toolbar.get())
                                   ->AddItem(button);
        TdxBarButtonControl control(link);
        EXPECT_EQ(control.GetViewStructure(), c.shows);
        EXPECT_EQ(control.GetEffectivePaintStyle(),
                  !c.inMenu && c.style == psStandard && !c.hasImage ? psCaption : c.style);
    }
}

TEST_F(ButtonControls, ADropDownOpensOnlyForAnEnabledButtonWithAMenuThatIsNotOpen) {
    TCountingButton* button = NewButton(L"btnColor", bsDropDown);
    TdxBarButtonControl control(menu->ItemLinks()->AddItem(button));
    // no menu
    control.DropDown(true);
    EXPECT_EQ(button->dropDowns, 0);
    EXPECT_FALSE(control.DroppedDown());
    button->SetDropDownMenu(dropDownMenu);
    control.DropDown(true);
    EXPECT_EQ(button->dropDowns, 1);
    EXPECT_TRUE(control.DroppedDown());
    // already open
    control.DropDown(false);
    EXPECT_EQ(button->dropDowns, 1);
    control.CloseDropDown(true);
    EXPECT_FALSE(control.DroppedDown());
    // disabled item, disabled drop-down
    button->SetEnabled(false);
    control.DropDown(true);
    button->SetEnabled(true);
    button->SetDropDownEnabled(false);
    control.DropDown(true);
    EXPECT_EQ(button->dropDowns, 1);
    EXPECT_FALSE(control.DroppedDown());
}

TEST_F(ButtonControls, AReleaseOverTheArrowNeverClicksAndACheckedButtonTogglesBeforeItsClick) {
    manager->OnClickItem = MakeEvent(&recorder, &TEventRecorder::ItemClicked);
    struct Case {
        TdxBarButtonStyle style;
        std::vector<std::string> mainPartClick;
    };
    const Case cases[] = {
        {bsDefault, {"btnA up"}},
        {bsChecked, {"btnA down"}},
        {bsCheckedDropDown, {"btnA down"}},
        {bsDropDown, {"btnA up"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << int(c.style));
        log.clear();
        recorder.log.clear();
        TCountingButton* button = NewButton(L"btnA", c.style);
        {
            TdxBarButtonControl control(toolbar->AddItem(button));
            control.ViewInfo()->SetBounds(Rect(0, 0, 40, 22));
            const bool dropDown = c.style == bsDropDown || c.style == bsCheckedDropDown;
            // The arrow part is the last 11 pixels of a drop-down button.
            control.UpdateHotPart(TPoint{35, 10});
            EXPECT_EQ(control.HotPart(), dropDown ? 1 : 0);
            if (dropDown) {
                control.ControlClick(true);
                EXPECT_TRUE(log.empty());
                EXPECT_FALSE(button->Down());
            }
            control.UpdateHotPart(TPoint{10, 10});
            control.ControlClick(true);
            EXPECT_EQ(log, c.mainPartClick);
            EXPECT_EQ(recorder.log, std::vector<std::string>{"OnClickItem btnA"});
            // By keyboard the hot part does not matter.
            control.UpdateHotPart(TPoint{35, 10});
            control.ControlClick(false);
            EXPECT_EQ(log.size(), 2u);
        }
        FreeObject(button);  // frees its links too
    }
}

TEST_F(ButtonControls, InAMenuTheDropDownOpensAfterTheDelayUnlessThePointerMovesOn) {
    TCountingButton* button = NewButton(L"btnColor", bsDropDown);
    button->SetDropDownMenu(dropDownMenu);
    auto control = std::make_unique<TdxBarButtonControl>(menu->ItemLinks()->AddItem(button));

    // Hovering: nothing at once, the menu after 400 ms.
    const DWORD start = GetTickCount();
    control->ControlActivate(false);
    EXPECT_EQ(button->dropDowns, 0);
    EXPECT_EQ(TdxBarButtonLikeControl::PendingOpenTarget(), control.get());
    EXPECT_TRUE(PumpUntil([&] { return button->dropDowns == 1; }, 2000));
    EXPECT_GE(GetTickCount() - start, 350u);
    EXPECT_EQ(TdxBarButtonLikeControl::PendingOpenTarget(), nullptr);
    control->CloseDropDown(true);

    // Moving on before the delay cancels the open.
    control->ControlActivate(false);
    control->ControlInactivate(false);
    EXPECT_EQ(TdxBarButtonLikeControl::PendingOpenTarget(), nullptr);
    EXPECT_TRUE(PumpForTicks(100, 6));
    EXPECT_EQ(button->dropDowns, 1);

    // A control freed while its open is pending is never reached.
    control->ControlActivate(false);
    control.reset();
    EXPECT_EQ(TdxBarButtonLikeControl::PendingOpenTarget(), nullptr);
    EXPECT_TRUE(PumpForTicks(100, 6));
    EXPECT_EQ(button->dropDowns, 1);
}

TEST_F(ButtonControls, InAMenuAnOpenDropDownClosesAfterTheDelay) {
    TCountingButton* button = NewButton(L"btnColor", bsDropDown);
    button->SetDropDownMenu(dropDownMenu);
    TOpenableButtonControl control(menu->ItemLinks()->AddItem(button));
    control.ControlActivate(true);
    ASSERT_TRUE(control.DroppedDown());
    control.ControlInactivate(false);
    EXPECT_TRUE(control.DroppedDown());
    EXPECT_EQ(TdxBarButtonLikeControl::PendingCloseTarget(), &control);
    EXPECT_TRUE(PumpUntil([&] { return !control.DroppedDown(); }, 2000));
    // Coming back before the delay keeps it open.
    control.ControlActivate(true);
    control.ControlInactivate(false);
    control.ControlActivate(false);
    EXPECT_EQ(TdxBarButtonLikeControl::PendingCloseTarget(), nullptr);
    EXPECT_TRUE(PumpForTicks(100, 6));
    EXPECT_TRUE(control.DroppedDown());
    control.CloseDropDown(true);
}

TEST_F(ButtonControls, OnAToolbarHoveringOpensNoDropDownAndLeavingClosesAtOnce) {
    TCountingButton* button = NewButton(L"btnColor", bsDropDown);
    button->SetDropDownMenu(dropDownMenu);
    TOpenableButtonControl control(toolbar->AddItem(button));
    control.ControlActivate(false);
    EXPECT_EQ(TdxBarButtonLikeControl::PendingOpenTarget(), nullptr);
    EXPECT_TRUE(PumpForTicks(100, 6));
    EXPECT_EQ(button->dropDowns, 0);
    EXPECT_TRUE(control.ClosesMenuOnClick());
    // Opened from the keyboard, it closes at once when the control stops being active.
    control.DropDown(false);
    control.ControlInactivate(false);
    EXPECT_FALSE(control.DroppedDown());
    // In a menu the button's CloseSubMenuOnClick decides.
    TdxBarButtonControl inMenu(menu->ItemLinks()->AddItem(button));
    button->SetCloseSubMenuOnClick(false);
    EXPECT_FALSE(inMenu.ClosesMenuOnClick());
}

TEST_F(ButtonControls, TheNavigationKeyTowardsTheDropDownOpensIt) {
    struct Case {
        TdxBarButtonStyle style;
        bool inMenu;
        Word key;
        bool opens;
    };
    const Case cases[] = {
        {bsDropDown, true, VK_RIGHT, true},       {bsDropDown, true, VK_DOWN, false},
        {bsDropDown, false, VK_DOWN, true},       {bsCheckedDropDown, false, VK_UP, true},
        {bsDropDown, false, VK_RIGHT, false},     {bsDefault, true, VK_RIGHT, false},
        {bsDefault, false, VK_DOWN, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << int(c.style) << (c.inMenu ? " in a menu" : " on a toolbar")
                                        << " key " << c.key);
        TCountingButton* button = NewButton(L"", c.style);
        button->SetDropDownMenu(dropDownMenu);
        TdxBarItemLinks* links = c.inMenu ? static_cast<TdxBarItemLinks*>(menu->ItemLinks()) : toolbar.get();
        TdxBarButtonControl control(links->AddItem(button));
        Word key = c.key;
        control.KeyDown(key, TShiftState{});
        EXPECT_EQ(control.DroppedDown(), c.opens);
        EXPECT_EQ(button->dropDowns, c.opens ? 1 : 0);
    }
}

// The same places (a menu and a toolbar) with a captioned separator.
class StaticControls : public ButtonControls {
protected:
    void SetUp() override {
        ButtonControls::SetUp();
        separator = new TdxBarSeparator(form.get());
        separator->SetCaption(L"Недавние");
    }
    TdxBarSeparator* separator = nullptr;
};

TEST_F(StaticControls, ALabelCanBeSelectedOnlyWhileDesigningAndNeverClicks) {
    auto* label = new TdxBarLabel(form.get());
    label->SetCaption(L"Готово");
    TdxBarCustomStaticControl control(toolbar->AddItem(label));
    EXPECT_FALSE(control.IsNavigable());
    EXPECT_FALSE(control.IsClickable());
    manager->SetStateFlag(csDesigning, true);
    EXPECT_TRUE(control.IsNavigable());
    EXPECT_FALSE(control.IsClickable());
    manager->SetStateFlag(csDesigning, false);
    EXPECT_EQ(control.GetViewStructure(), dxBarViewText);
    label->SetImageIndex(0);
    EXPECT_EQ(control.GetViewStructure(), dxBarViewIcon | dxBarViewText);
}

TEST_F(StaticControls, ASeparatorsCaptionShowsOnlyInAMenu) {
    // On a toolbar ShowCaption changes nothing; in a menu it switches the heading.
    TdxBarSeparatorControl onToolbar(toolbar->AddItem(separator));
    menu->ItemLinks()->AddItem(new TdxBarButton(form.get()));
    TMeasuredSeparatorControl inMenu(menu->ItemLinks()->AddItem(separator));
    menu->ItemLinks()->AddItem(new TdxBarButton(form.get()));
    const int line = manager->Painter()->GetSeparatorItemHeight();
    for (bool show : {true, false}) {
        separator->SetShowCaption(show);
        EXPECT_EQ(onToolbar.GetViewStructure(), 0);
        EXPECT_EQ(inMenu.GetViewStructure(), show ? dxBarViewText : 0);
        // A heading: a line above and below a menu item; a plain separator: the group gap.
        EXPECT_EQ(inMenu.CalcMenuItemHeight(), show ? 20 + 2 * line : 8);
    }
}

TEST_F(StaticControls, ACaptionedSeparatorAtTheTopIsOneLineLowerThanFurtherDown) {
    auto* button = new TdxBarButton(form.get());
    auto* other = new TdxBarButton(form.get());
    TdxBarItemLinks* links = menu->ItemLinks();
    TMeasuredSeparatorControl top(links->AddItem(separator));
    links->AddItem(button);
    TMeasuredSeparatorControl further(links->AddItem(separator));
    links->AddItem(other);
    ASSERT_TRUE(top.IsFirstShownLink());
    ASSERT_FALSE(further.IsFirstShownLink());
    const int line = manager->Painter()->GetSeparatorItemHeight();
    EXPECT_EQ(top.CalcMenuItemHeight(), 20 + line);
    EXPECT_EQ(further.CalcMenuItemHeight(), 20 + 2 * line);
}

TEST_F(StaticControls, TheHeadingsBoldFontLeavesTheBarFontAsItWas) {
    TcxBitmap bitmap(200, 40);
    TcxCanvas* canvas = bitmap.cxCanvas();
    TdxBarSeparatorControl control(menu->ItemLinks()->AddItem(separator));
    for (TFontStyles barFont : {TFontStyles{fsBold}, TFontStyles{fsItalic}, TFontStyles{fsBold, fsItalic}}) {
        canvas->GetCanvasFont()->SetStyle(barFont);
        const TSize before = canvas->MeasureText(L"Сохранить");
        TFontStyles saved = control.GetStyleFont(canvas);
        EXPECT_EQ(canvas->GetCanvasFont()->Style(), TFontStyles{fsBold});
        control.RestoreStyleFont(canvas, saved);
        EXPECT_EQ(canvas->GetCanvasFont()->Style(), barFont);
        // A button measured after the heading keeps its size.
        const TSize after = canvas->MeasureText(L"Сохранить");
        EXPECT_EQ(after.cx, before.cx);
        EXPECT_EQ(after.cy, before.cy);
    }
}

TEST_F(ButtonControls, AnApplicationMenuButtonShowsItsIconOnlyWithItsText) {
    auto* item = new TdxBarApplicationMenuButtonItem(form.get());
    TdxBarApplicationMenuButtonControl control(toolbar->AddItem(item));
    EXPECT_EQ(control.GetViewStructure(), dxBarViewText);
    item->SetImageIndex(2);
    EXPECT_EQ(control.GetViewStructure(), dxBarViewIcon | dxBarViewText);
    EXPECT_FALSE(control.IsDropDownButton());
}

}  // namespace
