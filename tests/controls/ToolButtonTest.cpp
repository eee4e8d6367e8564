// Tool buttons on real forms: split areas, the drop-down menu's opening rules and placement, the
// reopen guard, latching groups, tool styles, images and the looks by pixels.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Bitmap.h"
#include "Brush.h"
#include "Canvas.h"
#include "ControlTesting.h"
#include "ControlsUnits.h"
#include "RzGrafx.h"
#include "RzToolButton.h"
#include "Screen.h"
#include "WindowTesting.h"

namespace {

// A drop-down menu that records where it was asked to show, and how many items it had then,
// instead of showing.
class TRecordingMenu : public TPopupMenu {
public:
    explicit TRecordingMenu(TComponent* owner) : TPopupMenu(owner) {}
    struct TShow {
        TPoint at;
        int items;
    };
    std::vector<TShow> shown;
    void Popup(int X, int Y) override { shown.push_back(TShow{TPoint{X, Y}, Items()->Count()}); }
};

DWORD fakeTicks = 1000;
DWORD FakeTicks() { return fakeTicks; }

class ToolButtonTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        InitializeControlsUnits();
        fakeTicks = 1000;
        SetToolButtonTickSource(&FakeTicks);
        form.reset(NewShownForm(400, 200));
        menu = new TRecordingMenu(form.get());
        AddItem(L"First");
    }
    void TearDown() override {
        SetToolButtonTickSource(nullptr);
        form.reset();
        WindowTest::TearDown();
    }
    void AddItem(const String& caption) {
        auto* item = new TMenuItem(form.get());
        item->SetCaption(caption);
        menu->Items()->Add(item);
    }
    TRzToolButton* NewButton(int left = 20, TRzToolStyle style = tsDropDown) {
        auto* b = new TRzToolButton(form.get());
        b->SetParent(form.get());
        b->SetToolStyle(style);
        b->SetBounds(left, 20, 60, 25);
        b->SetDropDownMenu(menu);
        return b;
    }
    // A press and release at x of the button; the tick clock moves on a second after it, so
    // the reopen guard does not interfere unless a test wants it to.
    void PressAt(TRzToolButton* b, int x, std::initializer_list<Word> held = {}) {
        for (Word k : held) KeyDown(k);
        ClickAt(b->ClientToScreen(TPoint{x, 12}));
        PumpUntilIdle();
        for (Word k : held) KeyUp(k);
        PumpUntilIdle();
    }
    static void KeyDown(Word k) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = k;
        SendInput(1, &in, sizeof(INPUT));
    }
    static void KeyUp(Word k) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = k;
        in.ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(1, &in, sizeof(INPUT));
    }
    std::unique_ptr<TForm> form;
    TRecordingMenu* menu = nullptr;
};

}  // namespace

TEST_F(ToolButtonTest, ASplitButtonClicksOutsideItsDropDownPartOnEitherSide) {
    struct Case {
        bool rightToLeft;
        int x;
        bool opens;
    } cases[] = {
        {false, 10, false}, {false, 45, false}, {false, 46, true}, {false, 58, true},
        {true, 2, true},    {true, 14, true},   {true, 15, false}, {true, 50, false},
    };
    TRzToolButton* b = NewButton();
    TClickCount clicks;
    b->OnClick = MakeEvent(&clicks, &TClickCount::Click);
    ASSERT_TRUE(b->IsSplitButton());
    PumpUntilIdle();
    for (const Case& c : cases) {
        b->SetRightToLeft(c.rightToLeft);
        size_t shownBefore = menu->shown.size();
        int clicksBefore = clicks.clicks;
        PressAt(b, c.x);
        EXPECT_EQ(menu->shown.size() - shownBefore, c.opens ? 1u : 0u) << c.rightToLeft << " x " << c.x;
        EXPECT_EQ(clicks.clicks - clicksBefore, c.opens ? 0 : 1) << c.rightToLeft << " x " << c.x;
        fakeTicks += 1000;
        // After a menu shown with the pointer on the button, the next press elsewhere only ends
        // the menu's business.
        if (c.opens) PressAt(b, c.rightToLeft ? 40 : 20);
        EXPECT_EQ(clicks.clicks - clicksBefore, c.opens ? 0 : 1);
    }
    // Without a click handler the whole button opens the menu.
    b->OnClick = TNotifyEvent();
    b->SetRightToLeft(false);
    ASSERT_FALSE(b->IsSplitButton());
    size_t before = menu->shown.size();
    PressAt(b, 10);
    EXPECT_EQ(menu->shown.size(), before + 1);
}

TEST_F(ToolButtonTest, ShiftOrADoubleClickOpensNoMenu) {
    TRzToolButton* b = NewButton();
    PumpUntilIdle();
    PressAt(b, 50, {VK_SHIFT});
    PressAt(b, 50, {VK_CONTROL});
    EXPECT_TRUE(menu->shown.empty());
    // A double click: the first press opens the menu, the second (a double click) does not.
    TPoint at = b->ClientToScreen(TPoint{50, 12});
    MoveMouseTo(at);
    for (int i = 0; i < 2; ++i) {
        MouseButton(true);
        MouseButton(false);
    }
    PumpUntilIdle();
    EXPECT_EQ(menu->shown.size(), 1u);
}

TEST_F(ToolButtonTest, ThePressThatClosesTheMenuDoesNotReopenIt) {
    TRzToolButton* b = NewButton();
    PumpUntilIdle();
    PressAt(b, 50);
    ASSERT_EQ(menu->shown.size(), 1u);
    fakeTicks += 60;  // the menu closed 60 ms ago by this press
    PressAt(b, 50);
    EXPECT_EQ(menu->shown.size(), 1u);
    fakeTicks += 500;
    PressAt(b, 50);
    EXPECT_EQ(menu->shown.size(), 2u);
}

TEST_F(ToolButtonTest, OnDropDownFillsTheMenuBeforeItShows) {
    TRzToolButton* b = NewButton();
    struct TFiller : TObject {
        TRecordingMenu* menu;
        TObject* sender = nullptr;
        void DropDown(TObject* s) {
            sender = s;
            auto* item = new TMenuItem(menu->Owner());
            item->SetCaption(L"Added");
            menu->Items()->Add(item);
        }
    } filler;
    filler.menu = menu;
    b->OnDropDown = MakeEvent(&filler, &TFiller::DropDown);
    PumpUntilIdle();
    PressAt(b, 50);
    ASSERT_EQ(menu->shown.size(), 1u);
    EXPECT_EQ(filler.sender, static_cast<TObject*>(menu));
    EXPECT_EQ(menu->shown[0].items, 2);
    EXPECT_EQ(menu->PopupComponent(), b);
}

TEST_F(ToolButtonTest, TheMenuStaysInsideTheWorkAreasRightEdge) {
    AddItem(L"A rather long caption that needs a wide menu");
    TRect work = Screen->WorkAreaRect();
    form->SetBounds(work.right - 220, 40, 220, 150);
    PumpUntilIdle();
    TRzToolButton* b = NewButton(140);
    TRzToolButton* left = NewButton(0);
    PumpUntilIdle();
    int width = b->MenuTextWidth();
    ASSERT_GT(width, 100);
    b->ShowDropDownMenu();
    left->ShowDropDownMenu();
    ASSERT_EQ(menu->shown.size(), 2u);
    TPoint bottomLeft = b->ClientToScreen(TPoint{0, b->Height()});
    EXPECT_EQ(menu->shown[0].at.y, bottomLeft.y);
    EXPECT_EQ(menu->shown[0].at.x, bottomLeft.x + b->Width() - width);
    EXPECT_LE(menu->shown[0].at.x + width, work.right);
    // A button far enough from the edge keeps the menu at its left edge.
    TPoint leftCorner = left->ClientToScreen(TPoint{0, left->Height()});
    if (leftCorner.x + width <= work.right) {
        EXPECT_EQ(menu->shown[1].at.x, leftCorner.x);
    }
}

TEST_F(ToolButtonTest, GroupIndexAndToolStyleRules) {
    TRzToolButton* dropDown = NewButton(20, tsDropDown);
    EXPECT_EQ(dropDown->Width(), 60);
    dropDown->SetGroupIndex(3);
    EXPECT_EQ(dropDown->GroupIndex(), 0);

    TRzToolButton* b = NewButton(100, tsButton);
    b->SetGroupIndex(2);
    EXPECT_EQ(b->GroupIndex(), 2);
    b->SetToolStyle(tsDropDown);
    EXPECT_EQ(b->Width(), 74);
    EXPECT_EQ(b->GroupIndex(), 0);
    b->SetToolStyle(tsButton);
    EXPECT_EQ(b->Width(), 60);

    // Down only in a group; one down member at a time under the same parent.
    TRzToolButton* g[2] = {NewButton(200, tsButton), NewButton(270, tsButton)};
    b->SetDown(true);
    EXPECT_FALSE(b->Down());
    for (TRzToolButton* x : g) x->SetGroupIndex(5);
    g[0]->SetDown(true);
    g[1]->SetDown(true);
    EXPECT_FALSE(g[0]->Down());
    EXPECT_EQ(g[1]->State(), bsExclusive);
    // Without AllowAllUp a down button stays down when clicked again, and fires no click.
    TClickCount clicks;
    g[1]->OnClick = MakeEvent(&clicks, &TClickCount::Click);
    PumpUntilIdle();
    PressAt(g[1], 20);
    EXPECT_TRUE(g[1]->Down());
    EXPECT_EQ(clicks.clicks, 0);
    g[0]->SetAllowAllUp(true);  // reaches the group
    EXPECT_TRUE(g[1]->AllowAllUp());
    PressAt(g[1], 20);
    EXPECT_FALSE(g[1]->Down());
    EXPECT_EQ(clicks.clicks, 1);
    PressAt(g[0], 20);
    EXPECT_TRUE(g[0]->Down());
}

TEST_F(ToolButtonTest, LargeImagesGrowTheButtonAndTheContentIsCentred) {
    auto* b = new TRzToolButton(form.get());
    b->SetParent(form.get());
    EXPECT_EQ(b->Width(), 25);
    EXPECT_EQ(b->Height(), 25);
    TCustomImageList images(nullptr, 32, 32);
    TBitmap image(32, 32);
    image.Canvas()->Brush()->SetColor(clRed);
    image.Canvas()->FillRect(TRect{0, 0, 32, 32});
    images.Add(&image, nullptr);
    b->SetImages(&images);
    EXPECT_EQ(b->Width(), 32);
    EXPECT_EQ(b->Height(), 32);
    b->SetImageIndex(0);
    TRect imageRect, captionRect;
    b->CalcContentRects(imageRect, captionRect);
    EXPECT_EQ(imageRect.left, 0);
    EXPECT_EQ(imageRect.top, 0);
    b->SetImages(nullptr);
}

TEST_F(ToolButtonTest, ContentRectanglesFollowLayoutAlignmentAndThePressedOffset) {
    auto* b = new TRzToolButton(form.get());
    b->SetParent(form.get());
    b->SetBounds(0, 0, 100, 40);
    b->SetVisualStyle(vsClassic);
    TCustomImageList images(nullptr, 16, 16);
    TBitmap image(16, 16);
    images.Add(&image, nullptr);
    b->SetImages(&images);
    b->SetImageIndex(0);
    TRect imageRect, captionRect;
    // No caption: the image centred in the client area less 2 on each side.
    b->CalcContentRects(imageRect, captionRect);
    TRect centred{42, 12, 58, 28};
    EXPECT_TRUE(EqualRect(&imageRect, &centred));
    b->SetAlignment(taLeftJustify);
    b->CalcContentRects(imageRect, captionRect);
    EXPECT_EQ(imageRect.left, 4);
    b->SetAlignment(taCenter);
    b->SetShowCaption(true);
    b->SetCaption(L"Go");
    b->CalcContentRects(imageRect, captionRect);
    int tw = RectWidth(captionRect);
    // Image and caption centred together with a gap of 4.
    EXPECT_EQ(imageRect.left, 2 + (96 - 16 - tw - 4) / 2);
    EXPECT_EQ(captionRect.left, imageRect.right + 4);
    b->SetLayout(blGlyphTop);
    b->CalcContentRects(imageRect, captionRect);
    EXPECT_EQ(captionRect.top, imageRect.bottom + 4);
    // Latched down in a group: both move by (1, 1) in the classic look.
    TRect before = imageRect;
    b->SetGroupIndex(1);
    b->SetDown(true);
    b->CalcContentRects(imageRect, captionRect);
    EXPECT_EQ(imageRect.left, before.left + 1);
    EXPECT_EQ(imageRect.top, before.top + 1);
    b->SetImages(nullptr);
}

TEST_F(ToolButtonTest, ARealDropDownMenuOpensUnderTheButtonAndEscapeClosesIt) {
    auto* real = new TPopupMenu(form.get());
    auto* item = new TMenuItem(form.get());
    item->SetCaption(L"Only");
    real->Items()->Add(item);
    TRzToolButton* b = NewButton();
    b->SetDropDownMenu(real);
    PumpUntilIdle();
    TRect seen{};
    TWhileMenuShows escape([&](HWND menuWindow) {
        GetWindowRect(menuWindow, &seen);
        EXPECT_EQ(b->State(), bsDropped);
        TypeKey(VK_ESCAPE);
    });
    ClickAt(b->ClientToScreen(TPoint{50, 12}));
    ASSERT_TRUE(PumpUntil([&] { return escape.Ran(); }));
    EXPECT_TRUE(PumpUntil([&] { return VisibleMenuWindows().empty() && b->State() == bsUp; }));
    TPoint corner = b->ClientToScreen(TPoint{0, b->Height()});
    EXPECT_EQ(seen.top, corner.y);
    EXPECT_EQ(seen.left, corner.x);
    EXPECT_EQ(real->PopupComponent(), b);
}

TEST_F(ToolButtonTest, LooksByPixels) {
    form->SetColor(clBtnFace);
    auto* b = new TRzToolButton(form.get());
    b->SetParent(form.get());
    b->SetBounds(10, 10, 40, 30);
    PumpUntilIdle();
    auto pixel = [&](int x, int y) {
        HDC dc = GetDC(form->Handle());
        form->Repaint();
        COLORREF c = GetPixel(dc, b->Left() + x, b->Top() + y);
        ReleaseDC(form->Handle(), dc);
        return TColor(c);
    };
    // Idle and flat: no frame at all.
    b->SetVisualStyle(vsClassic);
    EXPECT_EQ(pixel(0, 0), RgbOf(clBtnFace));
    // Hot, classic flat: a raised one-pixel frame.
    b->Perform(CM_MOUSEENTER);
    EXPECT_EQ(pixel(0, 10), RgbOf(clBtnHighlight));
    EXPECT_EQ(pixel(39, 10), RgbOf(clBtnShadow));
    // Raised (not flat): the button frame even when idle.
    b->Perform(CM_MOUSELEAVE);
    b->SetFlat(false);
    EXPECT_EQ(pixel(39, 10), RgbOf(cl3DDkShadow));
    // Gradient, hot: the selection frame and colours.
    b->SetFlat(true);
    b->SetVisualStyle(vsGradient);
    b->SetGradientColorStyle(gcsCustom);
    b->SetSelectionFrameColor(clNavy);
    b->SetSelectionColorStart(clWhite);
    b->SetSelectionColorStop(clYellow);
    b->Perform(CM_MOUSEENTER);
    EXPECT_EQ(pixel(0, 10), RgbOf(clNavy));
    EXPECT_NEAR(GetBValue(pixel(20, 1)), 255, 24);  // one colour step short of white at the top
    EXPECT_GE(GetRValue(pixel(20, 1)), 245);
    EXPECT_EQ(pixel(20, 28), RgbOf(clYellow));
    b->Perform(CM_MOUSELEAVE);
}
