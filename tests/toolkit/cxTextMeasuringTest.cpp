// Text measuring, rows, wrapping and truncation, measured with a fixed font on a memory DC.

#include <gtest/gtest.h>

#include <memory>

#include "Bitmap.h"
#include "CustomControl.h"
#include "Font.h"
#include "StringList.h"
#include "cxGraphics.h"
#include "cxTextMeasuring.h"

namespace {

class TextFixture : public testing::Test {
protected:
    void SetUp() override {
        bitmap = std::make_unique<TBitmap>(200, 100, pf32bit);
        bitmap->Canvas()->Font()->SetName(L"Tahoma");
        bitmap->Canvas()->Font()->SetHeight(-13);
        canvas = std::make_unique<TcxCanvas>(bitmap->Canvas());
        canvas->MeasureText(String());  // the font selected into the DC
        dc = canvas->GetCanvasHandle();
    }
    int Width(const String& text) { return canvas->WidthOfText(text); }
    std::vector<String> Wrap(const String& text, int width) {
        TStringList lines;
        WrapTextToLines(text, canvas.get(), Rect(0, 0, width, 100), &lines);
        std::vector<String> result;
        for (int i = 0; i < lines.Count(); ++i) result.push_back(lines.Strings(i));
        return result;
    }
    std::unique_ptr<TBitmap> bitmap;
    std::unique_ptr<TcxCanvas> canvas;
    HDC dc = nullptr;
};

}  // namespace

TEST_F(TextFixture, WrappersMeasureAndDraw) {
    TSize size{};
    ASSERT_TRUE(MeasureTextInDC(dc, L"Hello", size));
    EXPECT_EQ(size.cx, Width(L"Hello"));
    ASSERT_TRUE(MeasureTextInDC(dc, L"Hello", size, 2));
    EXPECT_EQ(size.cx, Width(L"He"));
    TRect r = Rect(0, 0, 0, 0);
    EXPECT_GT(DrawTextInDC(dc, L"Hello", r, -1, DT_CALCRECT | DT_SINGLELINE), 0);
    EXPECT_EQ(r.right, Width(L"Hello"));
    TRect clip = Rect(0, 0, 50, 20);
    EXPECT_TRUE(ExtTextOutInDC(dc, L"Hello", Point(0, 0), -1, ETO_CLIPPED, &clip));
    EXPECT_EQ(SingleRowTextSize(dc, L"Hello").cx, Width(L"Hello"));
}

TEST_F(TextFixture, CalcTextRectForRows) {
    TRect r = CalcTextRectForRows(dc, L"alpha beta", 0);
    EXPECT_TRUE(IsRectEmpty(&r) && r.left == 0 && r.right == 0 && r.bottom == 0);
    const String text = L"alpha beta gamma delta";
    int h = SingleRowTextSize(dc, L"Wg").cy;
    r = CalcTextRectForRows(dc, text, 1);
    EXPECT_EQ(r.right, Width(text));
    EXPECT_EQ(r.bottom, h);
    r = CalcTextRectForRows(dc, text, 2);
    EXPECT_LE(RectHeight(r), 2 * h);
    EXPECT_LT(r.right, Width(text));
    EXPECT_GE(r.right, Width(L"beta gamma"));
    // The narrowest: one pixel less needs more rows.
    TRect narrower{0, 0, r.right - 1, 1};
    DrawTextW(dc, text.c_str(), int(text.size()), &narrower, DT_CALCRECT | DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK);
    EXPECT_GT(RectHeight(narrower), 2 * h);
    r = CalcTextRectForRows(dc, text, 3, true);
    EXPECT_EQ(r.bottom, 3 * h);
    // A single word cannot get narrower than itself.
    r = CalcTextRectForRows(dc, L"unbreakable", 3);
    EXPECT_EQ(r.right, Width(L"unbreakable"));
}

TEST_F(TextFixture, WrapTextToLines) {
    EXPECT_EQ(Wrap(L"single", 1), std::vector<String>{L"single"});
    EXPECT_EQ(Wrap(L"", 100), std::vector<String>{L""});
    int w = Width(L"aa bb");
    EXPECT_EQ(Wrap(L"aa bb cc dd", w), (std::vector<String>{L"aa bb", L"cc dd"}));
    // A word wider than the rectangle gets its own line, with no empty line before it.
    EXPECT_EQ(Wrap(L"wideword aa bb", Width(L"aa bb")), (std::vector<String>{L"wideword", L"aa bb"}));
    EXPECT_EQ(Wrap(L"aa wideword bb", Width(L"aa")), (std::vector<String>{L"aa", L"wideword", L"bb"}));
    // Separators after the first of a run stay in the line.
    EXPECT_EQ(Wrap(L"aa   bb", 1000), std::vector<String>{L"aa   bb"});
    EXPECT_EQ(Wrap(L"aa  bb cc", Width(L"aa  bb")), (std::vector<String>{L"aa  bb", L"cc"}));
}

TEST_F(TextFixture, TruncateTextWithEllipsis) {
    HFONT font = bitmap->Canvas()->Font()->Handle();
    String result = L"x";
    TruncateTextWithEllipsis(dc, font, L"", result, 100);
    EXPECT_EQ(result, L"");
    TruncateTextWithEllipsis(dc, font, L"Hello", result, 0);
    EXPECT_EQ(result, L"");
    TruncateTextWithEllipsis(dc, font, L"Hello", result, Width(L"Hello"));
    EXPECT_EQ(result, L"Hello");
    TruncateTextWithEllipsis(dc, font, L"Hello", result, 2);
    EXPECT_EQ(result, L"H...");
    TruncateTextWithEllipsis(dc, font, L"Hello world", result, Width(L"Hello...") + 1);
    EXPECT_EQ(result, L"Hello...");
    // Without a DC the screen is used, with the given font.
    String onScreen;
    TruncateTextWithEllipsis(nullptr, font, L"Hello world", onScreen, Width(L"Hello...") + 1);
    EXPECT_EQ(onScreen, L"Hello...");
}

TEST(cxTextMeasuring, FontTextExtentUsesTheFontAndTheSizeOverride) {
    TFont font;
    font.SetName(L"Tahoma");
    font.SetSize(8);
    TSize small = FontTextExtent(&font, L"Hello");
    EXPECT_GT(small.cx, 0);
    EXPECT_EQ(FontTextWidth(&font, L"Hello"), small.cx);
    EXPECT_EQ(FontTextHeight(&font, L"Hello"), small.cy);
    EXPECT_GT(FontTextWidth(&font, L"Hello", 24), 2 * small.cx);
    EXPECT_EQ(font.Size(), 8);
}

TEST(cxTextMeasuring, DeviceHelpers) {
    EXPECT_GT(ScreenPixelsPerInch(0), 0);
    EXPECT_GT(ScreenPixelsPerInch(1), 0);
    HPEN pen = CreatePen(PS_DASH, 1, RGB(1, 2, 3));
    LOGPEN lp{};
    EXPECT_TRUE(ReadPenLog(pen, lp));
    EXPECT_EQ(lp.lopnStyle, UINT(PS_DASH));
    EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));
    DeleteObject(pen);
    HBRUSH brush = CreateSolidBrush(RGB(4, 5, 6));
    LOGBRUSH lb{};
    EXPECT_TRUE(GetBrushLog(brush, lb));
    EXPECT_EQ(lb.lbColor, RGB(4, 5, 6));
    DeleteObject(brush);
    LOGFONTA lf{};
    EXPECT_TRUE(ReadFontLog(HFONT(GetStockObject(DEFAULT_GUI_FONT)), lf));
    EXPECT_NE(lf.lfHeight, 0);
    HBITMAP bmp = CreateBitmap(3, 2, 1, 1, nullptr);
    BITMAP log{};
    EXPECT_TRUE(ReadBitmapLog(bmp, log));
    EXPECT_EQ(log.bmWidth, 3);
    DeleteObject(bmp);
    EXPECT_FALSE(ReadPenLog(nullptr, lp));
}

TEST(cxTextMeasuring, IsComplexScriptText) {
    struct Case {
        Byte charset;
        const wchar_t* text;
        bool expected;
    } cases[] = {
        {DEFAULT_CHARSET, L"Abc", false},       {GB2312_CHARSET, L"Abc", false},   {GB2312_CHARSET, L"\x4E2D", true},
        {CHINESEBIG5_CHARSET, L"\x4E2D", true}, {ARABIC_CHARSET, L"\x0627", true}, {RUSSIAN_CHARSET, L"\x0416", false},
        {SHIFTJIS_CHARSET, L"\x4E2D", false},   {ANSI_CHARSET, L"\x00E9", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsComplexScriptText(c.charset, c.text), c.expected) << int(c.charset);
}

namespace {

// A parent that erases in its colour and paints a green square at (5, 5).
class TPaintedParent : public TCustomControl {
    Z_CLASS(TPaintedParent, TCustomControl)
public:
    explicit TPaintedParent(TComponent* owner) : TCustomControl(owner) {}
    bool paintCopySeen = false;

protected:
    void Paint() override {
        paintCopySeen = InState(csPaintCopy);
        Canvas()->Brush()->SetColor(TColor(0x00FF00));
        Canvas()->FillRect(Rect(5, 5, 7, 7));
    }
};

}  // namespace

TEST(cxTextMeasuring, DrawParentBackgroundPaintsTheParentAndTheSiblingsBelow) {
    TPaintedParent parent(nullptr);
    parent.SetBounds(0, 0, 40, 40);
    parent.SetColor(TColor(0x0000FF));
    TWinControl sibling(nullptr);
    sibling.SetBounds(8, 8, 10, 10);
    sibling.SetColor(TColor(0xFF0000));
    sibling.SetParent(&parent);
    TWinControl served(nullptr);
    served.SetBounds(5, 5, 10, 10);
    served.SetParent(&parent);
    TWinControl above(nullptr);  // above the served control: never painted
    above.SetBounds(0, 0, 40, 40);
    above.SetColor(TColor(0x00FFFF));
    above.SetParent(&parent);

    for (bool siblings : {false, true}) {
        TBitmap target(10, 10, pf32bit);
        TcxCanvas canvas(target.Canvas());
        DrawParentBackground(&served, &canvas, Rect(0, 0, 10, 10), siblings);
        GdiFlush();
        auto at = [&](int x, int y) { return static_cast<DWORD*>(target.ScanLine(y))[x] & 0xFFFFFF; };
        EXPECT_EQ(at(0, 0), 0x00FF00u) << "the parent's painting at the control's place";
        EXPECT_EQ(at(2, 2), 0xFF0000u) << "the parent's colour";
        EXPECT_EQ(at(9, 9), siblings ? 0x0000FFu : 0xFF0000u) << "the sibling below, when asked";
        EXPECT_EQ(canvas.GetWindowOrigin().x, 0);
        EXPECT_TRUE(parent.paintCopySeen);
        EXPECT_FALSE(parent.InState(csPaintCopy));
    }
    TWinControl orphan(nullptr);
    TBitmap target(2, 2, pf32bit);
    TcxCanvas canvas(target.Canvas());
    DrawParentBackground(&orphan, &canvas, Rect(0, 0, 2, 2));  // no parent: nothing
}
