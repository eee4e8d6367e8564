// The status bar on a real form: how the bar's width is spread over its panels, where the size
// grip shows and what it answers, clicks on panels, hints, panel properties and style classes,
// and a bar written to a form description and read back.

#include <gtest/gtest.h>

#include <string>

#include "Actions.h"
#include "Application.h"
#include "FormDescription.h"
#include "StatusBarTesting.h"
#include "../ToolkitTestSupport.h"
#include "cxRegisteredClasses.h"
#include "dxStatusBarContainerPanel.h"
#include "dxStatusBarKeyboardStatePanel.h"
#include "dxStatusBarStateIndicatorPanel.h"
#include "dxStatusBarTextPanel.h"

namespace {

// ---- widths --------------------------------------------------------------------------------

struct TPanelSpec {
    int width;
    bool fixed = true;
    bool visible = true;
    int minWidth = -1;  // -1: not set
};

TEST_F(StatusBarTest, TheBarsWidthIsSpreadOverItsVisiblePanels) {
    struct Case {
        const char* what;
        bool sizeGrip;
        std::vector<TPanelSpec> panels;
        std::vector<int> widths;  // panels and separators
        bool overlapped;
    } cases[] = {
        // Each panel is 2 pixels wider than its Width for its bevel; separators are 2 pixels.
        {"three fixed panels: the last takes the rest", false, {{50}, {50}, {50}}, {52, 2, 52, 2, 292}, false},
        {"the only panel, not fixed, takes the whole width", false, {{50, false}}, {400}, false},
        {"two panels that are not fixed share in proportion", false, {{50, false}, {150, false}}, {101, 2, 297}, false},
        {"no panel shrinks below its minimum", false, {{50, false, true, 50}, {500, false}}, {52, 2, 346}, true},
        {"a fixed panel keeps its width beside a free one", false, {{50, false}, {100}}, {296, 2, 102}, false},
        {"hidden panels take no room", false, {{50}, {50, true, false}, {50}}, {52, 2, 346}, false},
        {"panels wider than the bar overlap the grip", false, {{150}, {150}, {150}}, {152, 2, 152, 2, 92}, true},
        {"the grip widens the last panel, which stretches anyway",
         true,
         {{50}, {50}, {50}},
         {52, 2, 52, 2, 292},
         false},
        {"with the grip the last panel's natural width reaches the edge", true, {{200}, {178}}, {202, 2, 196}, true},
    };
    for (const Case& c : cases) {
        bar->Panels()->Clear();
        bar->SetSizeGrip(c.sizeGrip);
        for (const TPanelSpec& spec : c.panels) {
            TdxStatusBarPanel* panel = AddPanel(spec.width, spec.fixed);
            panel->SetVisible(spec.visible);
            if (spec.minWidth >= 0) panel->SetMinWidth(spec.minWidth);
        }
        EXPECT_EQ(bar->ViewInfo()->Widths(), c.widths) << c.what;
        EXPECT_EQ(bar->ViewInfo()->SizeGripOverlapped(), c.overlapped) << c.what;
    }
}

TEST_F(StatusBarTest, TheLastPanelCarriesTheGripEvenWhenHidden) {
    TdxStatusBarPanel* first = AddPanel(50, false);
    TdxStatusBarPanel* second = AddPanel(50);
    TdxStatusBarPanel* last = AddPanel(50);
    ASSERT_TRUE(bar->SizeGripVisible());
    EXPECT_EQ(last->GetCalculatedWidth(), 50 + 2 + 16);
    last->SetVisible(false);
    EXPECT_EQ(last->GetCalculatedWidth(), 50 + 2 + 16);
    // No visible panel is widened in its place.
    EXPECT_EQ(second->GetCalculatedWidth(), 52);
    EXPECT_EQ(bar->ViewInfo()->Widths(), (std::vector<int>{346, 2, 52}));
    bar->SetSizeGrip(false);
    EXPECT_EQ(last->GetCalculatedWidth(), 52);
    (void)first;
}

TEST_F(StatusBarTest, PanelWidthsFollowTheirRules) {
    TdxStatusBarPanel* panel = AddPanel(80);
    panel->SetMinWidth(-5);
    EXPECT_EQ(panel->MinWidth(), 0) << "a negative minimum is 0";
    panel->SetMinWidth(120);
    EXPECT_EQ(panel->Width(), 120) << "a larger minimum widens the panel";
    panel->SetWidth(30);
    EXPECT_EQ(panel->Width(), 120) << "no width below the minimum";
    EXPECT_TRUE(panel->IsWidthStored() && panel->IsMinWidthStored());
    panel->RestoreDefaults();
    EXPECT_EQ(panel->Width(), 50);
    EXPECT_EQ(panel->MinWidth(), 20);
    EXPECT_FALSE(panel->IsWidthStored() || panel->IsMinWidthStored());

    // A style that cannot size ignores Width, MinWidth and Fixed: its own width, fixed.
    TdxStatusBarPanel* lamps = AddPanel(200, false, TdxStatusBarStateIndicatorPanelStyle::StaticClass());
    lamps->SetMinWidth(150);
    EXPECT_EQ(lamps->Width(), 20);
    EXPECT_EQ(lamps->MinWidth(), 20);
    EXPECT_TRUE(lamps->Fixed());
    bar->SetBorderWidth(-3);
    EXPECT_EQ(bar->BorderWidth(), 0);
}

TEST_F(StatusBarTest, PanelsTakeTheBarsReadingOrderUntilGivenTheirOwn) {
    TdxStatusBarPanel* following = AddPanel();
    TdxStatusBarPanel* own = AddPanel();
    own->SetBiDiMode(bdRightToLeft);
    EXPECT_FALSE(own->ParentBiDiMode());
    EXPECT_TRUE(own->IsBiDiModeStored());
    bar->SetBiDiMode(bdRightToLeftNoAlign);
    EXPECT_EQ(following->BiDiMode(), bdRightToLeftNoAlign);
    EXPECT_EQ(own->BiDiMode(), bdRightToLeft);
    own->SetParentBiDiMode(true);
    EXPECT_EQ(own->BiDiMode(), bdRightToLeftNoAlign);
    EXPECT_EQ(bar->AddPanel()->BiDiMode(), bdRightToLeftNoAlign) << "a new panel takes it too";
}

// ---- the size grip -------------------------------------------------------------------------

TEST_F(StatusBarTest, TheGripShowsOnlyAtTheCornerOfANormalSizeableForm) {
    struct Case {
        const char* what;
        std::function<void()> arrange;
        bool visible;
    } cases[] = {
        {"a sizeable form", [] {}, true},
        {"a sizeable tool window", [&] { form->SetBorderStyle(bsSizeToolWin); }, true},
        {"a single-border form", [&] { form->SetBorderStyle(bsSingle); }, false},
        {"a maximized form", [&] { form->SetWindowState(wsMaximized); }, false},
        {"SizeGrip off (the editor's case)", [&] { bar->SetSizeGrip(false); }, false},
        {"a bar at the top of the form", [&] { bar->SetAlign(alTop); }, false},
        {"a bar short of the right edge",
         [&] {
             bar->SetAlign(alNone);
             bar->SetBounds(0, 280, 390, 20);
         },
         false},
    };
    for (const Case& c : cases) {
        form->SetBorderStyle(bsSizeable);
        form->SetWindowState(wsNormal);
        bar->SetSizeGrip(true);
        bar->SetAlign(alBottom);
        c.arrange();
        ASSERT_TRUE(PumpUntilIdle());
        EXPECT_EQ(bar->SizeGripVisible(), c.visible) << c.what;
        // A press at the corner sizes the form exactly when the grip shows.
        const TPoint corner = bar->ClientToScreen(TPoint{bar->ClientWidth() - 3, bar->ClientHeight() - 3});
        const LRESULT hit = SendMessageW(bar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y));
        EXPECT_EQ(hit, c.visible ? HTBOTTOMRIGHT : HTCLIENT) << c.what;
    }
}

TEST_F(StatusBarTest, TheGripAnswersOnlyInItsCorner) {
    AddPanel(50);
    const TRect grip = bar->SizeGripHitRect();
    EXPECT_TRUE(SameRect(grip, TRect{400 - 18, 20 - 18, 400, 20}));
    auto hitAt = [&](int x, int y) {
        const TPoint p = bar->ClientToScreen(TPoint{x, y});
        return SendMessageW(bar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    };
    EXPECT_EQ(hitAt(399, 19), HTBOTTOMRIGHT);
    EXPECT_EQ(hitAt(382, 2), HTBOTTOMRIGHT);
    EXPECT_EQ(hitAt(381, 10), HTCLIENT);
    EXPECT_EQ(hitAt(20, 10), HTCLIENT);
}

TEST_F(StatusBarTest, DraggingTheGripSizesTheForm) {
    const int width = form->Width(), height = form->Height();
    const TPoint grip = bar->ClientToScreen(TPoint{bar->ClientWidth() - 4, bar->ClientHeight() - 4});
    MoveMouseTo(grip);
    ASSERT_TRUE(PumpUntilIdle());
    // The form's sizing loop takes the mouse: the drag goes on from timer ticks inside it.
    TTickScript drag({
        [&] {
            MoveMouseTo(TPoint{grip.x + 30, grip.y + 20});
            return true;
        },
        [&] {
            MoveMouseTo(TPoint{grip.x + 60, grip.y + 40});
            return true;
        },
        [&] {
            MouseButton(false);
            return true;
        },
    });
    MouseButton(true);
    EXPECT_TRUE(PumpUntil([&] { return drag.Done() && form->Width() == width + 60 && form->Height() == height + 40; }))
        << form->Width() << " x " << form->Height() << " from " << width << " x " << height;
    EXPECT_FALSE(drag.TimedOut());
    EXPECT_EQ(bar->Width(), form->ClientWidth()) << "the bar stays along the bottom, not sized itself";
}

// ---- mouse and hints -----------------------------------------------------------------------

TEST_F(StatusBarTest, ADoubleClickFiresDblClickThenClick) {
    AddPanel(100);
    TdxStatusBarPanel* second = AddPanel(100);
    AddPanel(100);
    bar->SetSizeGrip(false);
    std::vector<std::string> events;
    struct TRecorder {
        std::vector<std::string>* events;
        void Click(TObject* sender) {
            events->push_back("click " + std::to_string(static_cast<TdxStatusBarPanel*>(sender)->Index()));
        }
        void DblClick(TObject* sender) {
            events->push_back("dblclick " + std::to_string(static_cast<TdxStatusBarPanel*>(sender)->Index()));
        }
    } recorder{&events};
    for (int i = 0; i < bar->Panels()->Count(); ++i) {
        bar->Panels()->Items(i)->OnClick = MakeEvent(&recorder, &TRecorder::Click);
        bar->Panels()->Items(i)->OnDblClick = MakeEvent(&recorder, &TRecorder::DblClick);
    }
    ASSERT_TRUE(PumpUntilIdle());
    const TPoint p = ScreenPointOf(second);
    ClickAt(p);
    ClickAt(p);
    EXPECT_TRUE(PumpUntil([&] { return events.size() >= 3; }));
    EXPECT_EQ(events, (std::vector<std::string>{"click 1", "dblclick 1", "click 1"}));

    // A click on a separator reaches no panel.
    events.clear();
    const TRect r = PanelRect(second);
    // The next click must not pair with the last one: wait out the system's double-click time.
    const DWORD lastClick = GetTickCount();
    ASSERT_TRUE(PumpUntil([&] { return GetTickCount() - lastClick > GetDoubleClickTime() + 50; }, 5000));
    ClickAt(bar->ClientToScreen(TPoint{r.right, 10}));
    ASSERT_TRUE(PumpUntilIdle());
    EXPECT_TRUE(events.empty());
}

TEST_F(StatusBarTest, HintsGoToTheOneAutoHintPanel) {
    TdxStatusBarPanel* first = AddPanel(100);
    TdxStatusBarPanel* second = AddPanel(100);
    auto* firstText = static_cast<TdxStatusBarTextPanelStyle*>(first->PanelStyle());
    auto* secondText = static_cast<TdxStatusBarTextPanelStyle*>(second->PanelStyle());
    firstText->SetAutoHint(true);
    secondText->SetAutoHint(true);
    EXPECT_FALSE(firstText->AutoHint()) << "only the last panel set keeps AutoHint";
    EXPECT_TRUE(secondText->AutoHint());

    THintAction action(nullptr);
    action.SetHint(L"Сохраняет уровень");
    EXPECT_TRUE(bar->ExecuteAction(&action));
    EXPECT_EQ(second->Text(), L"Сохраняет уровень");
    EXPECT_EQ(first->Text(), L"");

    // The application's hint reaches the bar through its form.
    Application->SetHint(L"Открывает уровень");
    EXPECT_EQ(second->Text(), L"Открывает уровень");
    Application->SetHint(L"");
    EXPECT_EQ(second->Text(), L"") << "the hint went away";

    // An OnHint handler takes the hint instead.
    int hints = 0;
    struct THandler {
        int* count;
        void Hint(TObject*) { ++*count; }
    } handler{&hints};
    bar->OnHint = MakeEvent(&handler, &THandler::Hint);
    action.SetHint(L"Другое");
    EXPECT_FALSE(bar->ExecuteAction(&action));
    EXPECT_EQ(hints, 1);
    EXPECT_EQ(second->Text(), L"");

    // Without an AutoHint panel the bar takes no hint, and OnHint is not asked.
    secondText->SetAutoHint(false);
    EXPECT_FALSE(bar->ExecuteAction(&action));
    EXPECT_EQ(hints, 1);
}

// ---- styles --------------------------------------------------------------------------------

// A style that only the ribbon status bar may hold.
class TRibbonOnlyPanelStyle : public TdxStatusBarPanelStyle {
    Z_CLASS(TRibbonOnlyPanelStyle, TdxStatusBarPanelStyle)
public:
    explicit TRibbonOnlyPanelStyle(TdxStatusBarPanel* owner) : TdxStatusBarPanelStyle(owner) {}
    static bool RequiresRibbonStatusBar() { return true; }
};

TEST_F(StatusBarTest, PanelStylesAreChosenByClassName) {
    TcxRegisteredClasses* styles = GetRegisteredStatusBarPanelStyles();
    ASSERT_EQ(styles->Count(), 4);
    auto descriptionOf = [&](TClass cls) { return Utf8(styles->Description(styles->IndexOfClass(cls))); };
    EXPECT_EQ(descriptionOf(TdxStatusBarTextPanelStyle::StaticClass()), "Text Panel");
    EXPECT_EQ(descriptionOf(TdxStatusBarContainerPanelStyle::StaticClass()), "Container Panel");
    EXPECT_EQ(descriptionOf(TdxStatusBarKeyboardStatePanelStyle::StaticClass()), "Keyboard State Panel");
    EXPECT_EQ(descriptionOf(TdxStatusBarStateIndicatorPanelStyle::StaticClass()), "State Indicator Panel");

    TdxStatusBarPanel* panel = AddPanel();
    EXPECT_EQ(panel->PanelStyleClassName(), L"TdxStatusBarTextPanelStyle") << "a new panel takes the bar's default";
    panel->SetPanelStyleClassName(L"TdxStatusBarKeyboardStatePanelStyle");
    EXPECT_NE(As<TdxStatusBarKeyboardStatePanelStyle>(panel->PanelStyle()), nullptr);
    panel->SetPanelStyleClassName(L"tdxstatusbarTextPanelStyle");
    EXPECT_EQ(panel->PanelStyle(), nullptr) << "the name is compared exactly";
    EXPECT_EQ(panel->PanelStyleClassName(), L"");
    panel->SetPanelStyleClass(TdxStatusBarTextPanelStyle::StaticClass());
    panel->SetPanelStyleClass(TRibbonOnlyPanelStyle::StaticClass());
    EXPECT_EQ(panel->PanelStyleClass(), TdxStatusBarTextPanelStyle::StaticClass()) << "a plain bar refuses it";
}

TEST_F(StatusBarTest, APanelCopiesAnotherWithItsStyle) {
    TdxStatusBarPanel* source = AddPanel(120, false, TdxStatusBarKeyboardStatePanelStyle::StaticClass());
    source->SetText(L"Клавиши");
    source->SetBevel(dxpbRaised);
    source->SetVisible(false);
    auto* keys = static_cast<TdxStatusBarKeyboardStatePanelStyle*>(source->PanelStyle());
    keys->SetKeyboardStates({dxksInsert});
    keys->InsertKeyAppearance()->SetActiveCaption(L"ЗАМ");
    keys->SetColor(clAqua);

    TdxStatusBarPanel* copy = AddPanel();
    copy->Assign(source);
    EXPECT_EQ(copy->Text(), L"Клавиши");
    EXPECT_EQ(copy->Bevel(), dxpbRaised);
    EXPECT_FALSE(copy->Visible());
    EXPECT_TRUE(copy->IsWidthStored());
    auto* copied = As<TdxStatusBarKeyboardStatePanelStyle>(copy->PanelStyle());
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->KeyboardStates(), TdxStatusBarKeyboardStates{dxksInsert});
    EXPECT_EQ(copied->InsertKeyAppearance()->ActiveCaption(), L"ЗАМ");
    EXPECT_EQ(copied->Color(), TColor(clAqua));
}

TEST_F(StatusBarTest, AContainerComesAndGoesWithItsPanel) {
    TdxStatusBarPanel* panel = AddPanel(100, true, TdxStatusBarContainerPanelStyle::StaticClass());
    auto* style = static_cast<TdxStatusBarContainerPanelStyle*>(panel->PanelStyle());
    TdxStatusBarContainerControl* container = style->Container();
    ASSERT_NE(container, nullptr);
    EXPECT_EQ(container->Parent(), bar);
    EXPECT_EQ(container->Owner(), form.get());
    EXPECT_EQ(container->PanelStyle(), style);
    panel->SetVisible(false);
    EXPECT_FALSE(container->Visible());
    panel->SetVisible(true);
    EXPECT_TRUE(container->Visible());

    // Freeing the container leaves the panel without a style.
    FreeObject(container);
    EXPECT_EQ(panel->PanelStyle(), nullptr);
    EXPECT_EQ(panel->PanelStyleClassName(), L"");

    // Deleting a container panel frees its container.
    panel->SetPanelStyleClass(TdxStatusBarContainerPanelStyle::StaticClass());
    TdxStatusBarContainerControl* second =
        static_cast<TdxStatusBarContainerPanelStyle*>(panel->PanelStyle())->Container();
    const int components = form->ComponentCount();
    bar->Panels()->Delete(panel->Index());
    EXPECT_EQ(form->ComponentCount(), components - 1);
    for (int i = 0; i < bar->ControlCount(); ++i) EXPECT_NE(bar->Controls(i), second);
}

// ---- form descriptions ---------------------------------------------------------------------

// A bar that publishes its panels, as the ribbon status bar does.
class TDescribedStatusBar : public TdxCustomStatusBar {
    Z_CLASS(TDescribedStatusBar, TdxCustomStatusBar)
    Z_PUBLISHED { p.Property(L"Panels", &TDescribedStatusBar::Panels, &TDescribedStatusBar::SetPanels); }

public:
    explicit TDescribedStatusBar(TComponent* AOwner) : TdxCustomStatusBar(AOwner) {}
};

TEST(StatusBarDescription, PanelsAndTheirStylesComeBackFromADescription) {
    RegisterClass(TDescribedStatusBar::StaticClass());
    std::unique_ptr<TDescribedStatusBar> bar(new TDescribedStatusBar(nullptr));
    bar->SetName(L"Bar");
    TdxStatusBarPanel* text = bar->AddPanel();
    text->SetText(L"Готово");
    text->SetWidth(140);
    auto* textStyle = static_cast<TdxStatusBarTextPanelStyle*>(text->PanelStyle());
    textStyle->SetEllipsisType(dxetSmartPath);
    textStyle->SetAlignment(taCenter);
    TdxStatusBarPanel* keys = bar->AddPanel();
    keys->SetPanelStyleClass(TdxStatusBarKeyboardStatePanelStyle::StaticClass());
    auto* keyStyle = static_cast<TdxStatusBarKeyboardStatePanelStyle*>(keys->PanelStyle());
    keyStyle->SetKeyboardStates({dxksCapsLock, dxksInsert});
    keyStyle->InsertKeyAppearance()->SetInactiveFontColor(clRed);
    TdxStatusBarPanel* lamps = bar->AddPanel();
    lamps->SetPanelStyleClass(TdxStatusBarStateIndicatorPanelStyle::StaticClass());
    auto* lampStyle = static_cast<TdxStatusBarStateIndicatorPanelStyle*>(lamps->PanelStyle());
    lampStyle->Indicators()->Add()->SetIndicatorType(sitGreen);
    lampStyle->Indicators()->Add()->SetIndicatorType(sitRed);
    lamps->SetBevel(dxpbNone);

    const AnsiString description = WriteComponentToText(bar.get());
    // The style class comes before the style's settings.
    EXPECT_LT(description.find("PanelStyleClassName = 'TdxStatusBarKeyboardStatePanelStyle'"),
              description.find("PanelStyle.KeyboardStates"))
        << description;
    std::unique_ptr<TComponent> read(ReadComponentFromText(description, nullptr));
    auto* copy = static_cast<TDescribedStatusBar*>(read.get());
    ASSERT_EQ(copy->Panels()->Count(), 3);
    TdxStatusBarPanel* readText = copy->Panels()->Items(0);
    EXPECT_EQ(readText->Text(), L"Готово");
    EXPECT_EQ(readText->Width(), 140);
    auto* readTextStyle = As<TdxStatusBarTextPanelStyle>(readText->PanelStyle());
    ASSERT_NE(readTextStyle, nullptr);
    EXPECT_EQ(readTextStyle->EllipsisType(), dxetSmartPath);
    EXPECT_EQ(readTextStyle->Alignment(), taCenter);
    auto* readKeys = As<TdxStatusBarKeyboardStatePanelStyle>(copy->Panels()->Items(1)->PanelStyle());
    ASSERT_NE(readKeys, nullptr);
    EXPECT_EQ(readKeys->KeyboardStates(), (TdxStatusBarKeyboardStates{dxksCapsLock, dxksInsert}));
    EXPECT_EQ(readKeys->InsertKeyAppearance()->InactiveFontColor(), TColor(clRed));
    EXPECT_EQ(readKeys->InsertKeyAppearance()->ActiveCaption(), L"OVR");
    TdxStatusBarPanel* readLamps = copy->Panels()->Items(2);
    auto* readLampStyle = As<TdxStatusBarStateIndicatorPanelStyle>(readLamps->PanelStyle());
    ASSERT_NE(readLampStyle, nullptr);
    ASSERT_EQ(readLampStyle->Indicators()->Count(), 2);
    EXPECT_EQ(readLampStyle->Indicators()->Items(1)->IndicatorType(), sitRed);
    EXPECT_EQ(readLamps->Bevel(), dxpbNone);
    EXPECT_EQ(WriteComponentToText(copy), description);
    UnRegisterClass(TDescribedStatusBar::StaticClass());
}

}  // namespace
