// Labels, panels, bevels and group boxes: accelerators with real keys, frames by their pixels,
// the room they leave their children.

#include "ControlSnapshot.h"
#include "ControlsTestForm.h"

TEST_F(StandardControlsTest, ALabelsAcceleratorFocusesItsControlEvenFromAnEdit) {
    auto* name = form->Find<TEdit>(L"edName");
    auto* city = form->Find<TComboBox>(L"cbCity");
    city->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return city->Focused(); }));
    TypeChord({VK_MENU, 'N'});  // the combo's edit takes characters, not Alt+N
    ASSERT_TRUE(PumpUntil([&] { return name->Focused(); }));
    EXPECT_EQ(city->Text(), L"Москва");
}

TEST_F(StandardControlsTest, LabelsSizeThemselvesAndPaintTheirState) {
    auto* name = form->Find<TLabel>(L"lblName");
    TControlSnapshot measure(form);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, name->Font()->Handle());
    SIZE text{};
    GetTextExtentPoint32W(dc, L"Name:", 5, &text);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(name->Width(), text.cx);  // the ampersand takes no room
    EXPECT_EQ(name->Height(), text.cy);

    auto countIn = [&](TControl* c, TColor color) {
        int count = 0;
        for (int y = c->Top(); y < c->Top() + c->Height(); ++y)
            for (int x = c->Left(); x < c->Left() + c->Width(); ++x) count += measure.Pixel(x, y) == color;
        return count;
    };
    EXPECT_GT(countIn(name, TColor(ColorToRGB(clWindowText))), 10);
    // A disabled label is embossed: highlight and shadow, no text colour.
    auto* disabled = form->Find<TLabel>(L"lblDisabled");
    EXPECT_GT(countIn(disabled, TColor(ColorToRGB(clBtnShadow))), 10);
    EXPECT_GT(countIn(disabled, TColor(ColorToRGB(clBtnHighlight))), 10);
    EXPECT_EQ(countIn(disabled, TColor(ColorToRGB(clWindowText))), 0);
}

TEST_F(StandardControlsTest, APanelDrawsItsBevelsAndAlignsChildrenInsideThem) {
    auto* status = form->Find<TPanel>(L"pnlStatus");
    auto* corner = form->Find<TPanel>(L"pnlCorner");
    // Outer raised bevel 1, border 2, inner lowered bevel 1: children start 4 pixels in.
    EXPECT_EQ(Edges(corner->BoundsRect()), Edges(TRect{800 - 4 - 60, 4, 800 - 4, 32 - 4}));
    TControlSnapshot shot(status);
    const TColor highlight = TColor(ColorToRGB(clBtnHighlight)), shadow = TColor(ColorToRGB(clBtnShadow)),
                 face = TColor(ColorToRGB(clBtnFace));
    EXPECT_EQ(shot.Pixel(0, 10), highlight);   // outer, raised: light left edge
    EXPECT_EQ(shot.Pixel(799, 10), shadow);    // dark right edge
    EXPECT_EQ(shot.Pixel(1, 10), face);        // the border band
    EXPECT_EQ(shot.Pixel(3, 10), shadow);      // inner, lowered: dark left edge
    EXPECT_EQ(shot.Pixel(10, 28), highlight);  // light bottom edge
}

TEST_F(StandardControlsTest, AGroupBoxFramesItsChildrenUnderItsCaption) {
    auto* box = form->Find<TGroupBox>(L"gbOptions");
    TRect inside = box->ClientRect();
    box->AdjustClientRect(inside);
    int line = FontLineHeight(box->Font());
    EXPECT_EQ(Edges(inside), Edges(TRect{2, line + 2, box->Width() - 2, box->Height() - 2}));
    TControlSnapshot shot(box);
    const TColor shadow = TColor(ColorToRGB(clBtnShadow));
    // The etched top line, interrupted by the caption.
    EXPECT_EQ(shot.Pixel(box->Width() - 10, line / 2), shadow);
    EXPECT_NE(shot.Pixel(12, line / 2), shadow);
    // The bevel inside draws its line.
    auto* bevel = form->Find<TBevel>(L"bvLine");
    EXPECT_EQ(shot.Pixel(bevel->Left() + 20, bevel->Top()), shadow);
    EXPECT_EQ(shot.Pixel(bevel->Left() + 20, bevel->Top() + 1), TColor(ColorToRGB(clBtnHighlight)));
}
