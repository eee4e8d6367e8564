// Item controls in the test bar window: made through their class reference with the window's
// view level, their heights from the glyph and text sizes, their hint texts, the click road
// that stops once a step freed the window or the control, and what freeing a selected control
// undoes.

#include "TestBarWindow.h"

#include "ShortCuts.h"
#include "dxBarItemControlDrawParams.h"
#include "dxBarItemControlViewInfo.h"
#include "dxBarUnit.h"

namespace {

class BarItemControl : public BarWindowTest {
protected:
    // A window of 50 x 80 at (100, 100) with its controls made and placed.
    TTestBarWindow* PlacedWindow(bool shown = false) {
        TTestBarWindow* window = NewWindow();
        window->SetBounds(100, 100, 50, 120);  // the separator's heading fits too
        if (shown)
            ShowPopup(window);
        else
            window->HandleNeeded();
        return window;
    }
    TBarWindowTestControl* ControlOf(const wchar_t* itemName) {
        for (TdxBarItemLink* link : ButtonLinks())
            if (link->Item()->Name() == itemName) return static_cast<TBarWindowTestControl*>(link->Control());
        return nullptr;
    }
    TdxBarButton* Button(const wchar_t* name) { return static_cast<TdxBarButton*>(form->FindComponent(name)); }
};

TEST_F(BarItemControl, TheClassReferenceMakesTheControlWithTheWindowsViewLevel) {
    PlacedWindow();
    TBarWindowTestControl* open = ControlOf(L"btnOpen");
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(Byte(open->ViewInfo()->GetViewLevel()), ivlDefault);
    EXPECT_EQ(open->DrawParams()->caption, L"&Открыть") << "the draw parameters are filled at creation";
    // A class whose constructor does not take the link alone cannot be made through its class.
    struct TOther : TdxBarItemControl {
        TOther(TdxBarItemLink* link, int) : TdxBarItemControl(link) {}
    };
    TMetaClassOf<TdxBarItemControlMeta, TOther> other(L"TOther", TdxBarItemControl::StaticClass());
    EXPECT_THROW(other.CreateForLink(open->Link()), EInvalidOperation);
}

// With 16-pixel Images and 32-pixel LargeImages, at the large level: the glyph across, the
// "Qq" text below it (glTop) or beside it (glLeft); an item without an image counts 20 pixels.
TEST_F(BarItemControl, HeightsFollowTheGlyphTextAndLayout) {
    manager->SetImages(form->SmallImages());
    manager->SetLargeImages(form->LargeImages());
    PlacedWindow();
    TBarWindowTestControl* open = ControlOf(L"btnOpen");
    ASSERT_NE(open, nullptr);
    const int t = open->MeasureText(L"Qq").cy;
    ASSERT_GT(t, 0);
    // A change of the lists or images may rebuild the window: the control is looked up anew.
    auto largeHeight = [&](const wchar_t* name) {
        TBarWindowTestControl* control = ControlOf(name);
        control->ViewInfo()->SetViewLevel(ivlLargeIconWithText);
        control->CalcDrawParams(false);
        return control->CalcLargeHeight();
    };
    struct TCase {
        const char* name;
        TdxBarGlyphLayout layout;
        bool largeList;
        int expected;
    };
    const TCase cases[] = {
        {"glyph above the text", glTop, true, 32 + t + 7},
        {"glyph below the text", glBottom, true, 32 + t + 7},
        {"glyph left of the text", glLeft, true, std::max(32, t) + 6},
        {"no large list: the small list's glyph", glTop, false, 16 + t + 7},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        Button(L"btnOpen")->SetGlyphLayout(c.layout);
        manager->SetLargeImages(c.largeList ? form->LargeImages() : nullptr);
        EXPECT_EQ(largeHeight(L"btnOpen"), c.expected);
    }
    if (t == 13) {
        // The common case of the menu font: 52 above, 38 beside.
        manager->SetLargeImages(form->LargeImages());
        Button(L"btnOpen")->SetGlyphLayout(glTop);
        EXPECT_EQ(largeHeight(L"btnOpen"), 52);
        Button(L"btnOpen")->SetGlyphLayout(glLeft);
        EXPECT_EQ(largeHeight(L"btnOpen"), 38);
    }

    // Without any image the glyph counts 20 x 20 at the large size and the manager's glyph size
    // at the small one; the small height is the text or the button across, whichever is larger.
    Button(L"btnSave")->SetImageIndex(-1);
    TBarWindowTestControl* save = ControlOf(L"btnSave");
    open = ControlOf(L"btnOpen");
    EXPECT_EQ(save->CalcGlyphSize(2).cx, 20);
    EXPECT_EQ(save->CalcGlyphSize(2).cy, 20);
    EXPECT_EQ(save->CalcGlyphSize(0).cy, 16);
    Button(L"btnSave")->SetGlyphLayout(glTop);
    EXPECT_EQ(largeHeight(L"btnSave"), 20 + t + 7);
    open->ViewInfo()->SetViewLevel(ivlSmallIconWithText);
    open->CalcDrawParams(false);
    EXPECT_EQ(open->CalcSmallHeight(), std::max(open->GetActualTextSize(), 16 + 6));
    open->ViewInfo()->SetViewLevel(ivlSmallIcon);
    open->CalcDrawParams(false);
    EXPECT_EQ(open->CalcSmallHeight(), 22) << "the icon alone: the button's height";
}

TEST_F(BarItemControl, TheHintIsTheTextBeforeTheBarAndTheShortCutInBrackets) {
    PlacedWindow(true);
    PumpUntilIdle();
    struct TCase {
        const char* name;
        String hint;
        TShortCut shortCut;
        String expectedHint, expectedShortCut;
    };
    const TCase cases[] = {
        {"hint with its long part", L"Сохранить уровень|Записывает уровень в файл", TextToShortCut(L"Ctrl+S"),
         L"Сохранить уровень", L" (Ctrl+S)"},
        {"hint without a bar", L"Сохранить", 0, L"Сохранить", L""},
        {"empty hint", L"", TextToShortCut(L"F2"), L"", L" (F2)"},
    };
    TBarWindowTestControl* save = ControlOf(L"btnSave");
    MoveMouseTo(TPoint{120, 130});
    ASSERT_TRUE(PumpUntil([&] { return save->HotPart() == 0; }));
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        Button(L"btnSave")->SetHint(c.hint);
        Button(L"btnSave")->SetShortCut(c.shortCut);
        bool noHint = true;
        String hint = L"x", shortCut = L"x";
        EXPECT_TRUE(save->GetHintTexts(noHint, hint, shortCut));
        EXPECT_FALSE(noHint);
        EXPECT_EQ(hint, c.expectedHint);
        EXPECT_EQ(shortCut, c.expectedShortCut);
    }
    // Only the control under the cursor gives a hint.
    bool noHint = false;
    String hint, shortCut;
    EXPECT_FALSE(ControlOf(L"btnOpen")->GetHintTexts(noHint, hint, shortCut));
    EXPECT_TRUE(hint.empty());
}

struct TClickRecorder {
    TdxBarButton* button = nullptr;
    std::vector<TdxBarItemLink*> clickedLinks;
    void Clicked(TObject*) { clickedLinks.push_back(button->ClickedLink); }
};

TEST_F(BarItemControl, AClickRunsTheItemAndStopsWhenAStepFreedTheWindowOrTheControl) {
    TTestBarWindow* window = PlacedWindow();
    TClickRecorder recorder;
    recorder.button = Button(L"btnOpen");
    recorder.button->OnClick = MakeEvent(&recorder, &TClickRecorder::Clicked);
    TBarWindowTestControl* open = ControlOf(L"btnOpen");
    TdxBarItemLink* link = open->Link();

    open->ClickAt(false, false);
    ASSERT_EQ(recorder.clickedLinks.size(), 1u);
    EXPECT_EQ(recorder.clickedLinks[0], link) << "the item knows the link it was clicked through";
    EXPECT_EQ(recorder.button->ClickedLink, nullptr);
    EXPECT_FALSE(open->HeldPressed());

    // The press freed the control: no click follows.
    open->onPress = [&] { link->FreeControl(); };
    open->ClickAt(true, false);
    EXPECT_EQ(recorder.clickedLinks.size(), 1u);
    EXPECT_EQ(link->Control(), nullptr);

    // The press freed the window: no click follows.
    window->RecreateControls();
    open = ControlOf(L"btnOpen");
    open->onPress = [&] { FreeObject(window); };
    open->ClickAt(true, false);
    EXPECT_EQ(recorder.clickedLinks.size(), 1u);
    EXPECT_FALSE(IsBarControlAlive(window));

    // A disabled item is not pressed.
    window = PlacedWindow();
    bool pressed = false;
    ControlOf(L"btnOpen")->onPress = [&] { pressed = true; };
    recorder.button->SetEnabled(false);
    ControlOf(L"btnOpen")->ClickAt(true, false);
    EXPECT_FALSE(pressed);
    EXPECT_EQ(recorder.clickedLinks.size(), 1u);
}

TEST_F(BarItemControl, FreeingASelectedControlClearsTheSelections) {
    TTestBarWindow* window = PlacedWindow();
    TBarWindowTestControl* save = ControlOf(L"btnSave");
    TdxBarItemLink* link = save->Link();
    manager->AssignSelectedItemControl(save);
    window->SetSelectedLink(link);
    EXPECT_EQ(window->GetSelectedControl(), save);
    // A disabled control shows as selected only when the keyboard selected it.
    struct TCase {
        bool enabled, byMouse, selected;
    };
    for (TCase c : {TCase{true, true, true}, TCase{true, false, true}, TCase{false, false, true},
                    TCase{false, true, false}}) {
        save->SetMouseSelected(c.byMouse);
        Button(L"btnSave")->SetEnabled(c.enabled);
        window->SetSelectedLink(link);
        EXPECT_EQ(save->IsSelected(), c.selected) << c.enabled << c.byMouse;
        save->CalcDrawParams(true);
        EXPECT_EQ(save->DrawParams()->selectedByKey, c.selected && !c.byMouse) << c.enabled << c.byMouse;
    }
    EXPECT_FALSE(ControlOf(L"btnOpen")->IsSelected());
    Button(L"btnSave")->SetEnabled(true);
    window->SetSelectedLink(link);
    link->FreeControl();
    EXPECT_EQ(manager->SelectedItemControl(), nullptr);
    EXPECT_EQ(window->SelectedLink(), nullptr);
    EXPECT_EQ(window->ViewInfo()->GetItemViewInfoCount(), 3) << "the two other buttons and the separator";
}

// Changes that can alter a size rebuild the window (its controls are made anew); the others
// only repaint the control.
TEST_F(BarItemControl, AnItemsChangeRebuildsTheWindowOnlyWhenASizeCanChange) {
    TTestBarWindow* window = PlacedWindow();
    TdxBarButton* save = Button(L"btnSave");
    struct TCase {
        const char* name;
        std::function<void()> change;
        bool rebuilds;
    };
    const TCase cases[] = {
        {"caption", [&] { save->SetCaption(L"Сохранить &как"); }, true},
        {"another image", [&] { save->SetImageIndex(4); }, false},
        {"no image: the levels change", [&] { save->SetImageIndex(-1); }, true},
        {"an image again", [&] { save->SetImageIndex(1); }, true},
        {"disabled", [&] { save->SetEnabled(false); }, false},
        {"enabled", [&] { save->SetEnabled(true); }, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        int before = window->rebuilds;
        int serial = ControlOf(L"btnSave")->serial;
        c.change();
        EXPECT_EQ(window->rebuilds - before, c.rebuilds ? 1 : 0);
        EXPECT_EQ(ControlOf(L"btnSave")->serial != serial, c.rebuilds);
    }
    // A disabled control that is selected loses the selection.
    TdxBarItemLink* link = ControlOf(L"btnSave")->Link();
    window->SetSelectedLink(link);
    save->SetEnabled(false);
    EXPECT_EQ(window->SelectedLink(), nullptr);
    // A link with its own caption does not hear the item's.
    link->SetUserCaption(L"Своя");
    link->SetUserDefine(link->UserDefine() + udCaption);
    int before = window->rebuilds;
    save->SetCaption(L"Сохранить");
    EXPECT_EQ(window->rebuilds, before);
}

}  // namespace
