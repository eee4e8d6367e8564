// The text engine, measured in calculate-rectangle and row-count modes with one fixed font on a
// memory DC, and drawn where its pixels tell: highlight, ellipsis, justification, greeking.

#include <gtest/gtest.h>

#include <memory>

#include "DateTesting.h"
#include "Font.h"
#include "TestSupport.h"
#include "SysMath.h"
#include "ToolkitTestSupport.h"
#include "cxTextLayout.h"

namespace {

constexpr DWORD kLayoutWhite = 0xFFFFFF;
constexpr DWORD kLayoutRed = 0xFF0000;

// A 400 x 300 32-bit top-down DIB section in a memory DC of its own.
class TextLayoutFixture : public testing::Test {
protected:
    void SetUp() override {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc = CreateCompatibleDC(nullptr);
        section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        oldBitmap = SelectObject(dc, section);
        oldFont = GetCurrentObject(dc, OBJ_FONT);
        font = std::make_unique<TFont>();
        font->SetName(L"Tahoma");
        font->SetHeight(-13);
        font->SetColor(clBlack);
        UseFont(font.get());
        Clear();
    }
    void TearDown() override {
        SelectObject(dc, oldFont);
        SelectObject(dc, oldBitmap);
        DeleteObject(section);
        DeleteDC(dc);
    }

    void UseFont(TFont* f) { SelectObject(dc, f->Handle()); }
    void Clear() {
        RECT all{0, 0, 400, 300};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetTextColor(dc, 0);
    }
    int Width(const String& s) {
        SIZE size{};
        GetTextExtentPoint32W(dc, s.c_str(), int(s.size()), &size);
        return size.cx;
    }
    int FontHeight() {
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        return metrics.tmHeight;
    }
    int RowCount(const String& text, Cardinal flags, int width, int maxRows = 0) {
        TRect r = Rect(0, 0, width, 1000);
        return RenderWideText(dc, text, r, flags | CXTO_CALCROWCOUNT, 0, 0, nullptr, clNone, clNone, maxRows);
    }
    TRect CalcRect(const String& text, Cardinal flags, int width, int maxRows = 0) {
        TRect r = Rect(0, 0, width, 1000);
        RenderWideText(dc, text, r, flags | CXTO_CALCRECT, 0, 0, nullptr, clNone, clNone, maxRows);
        return r;
    }
    // The rows as (start, count) pairs, broken as the row-count mode breaks them.
    std::vector<std::pair<int, int>> Rows(const String& text, Cardinal flags, int width, int height = 1000) {
        const TcxTextParams params = CalcTextParams(dc, flags | CXTO_CALCROWCOUNT, 1.0);
        TcxTextRows rows;
        bool truncated = false;
        MakeTextRows(dc, text, Rect(0, 0, width, height), params, 0, rows, truncated);
        std::vector<std::pair<int, int>> result;
        for (int i = 0; i < rows.Count(); ++i) result.emplace_back(rows[i].Start, rows[i].Count);
        return result;
    }
    std::vector<DWORD> Pixels() {
        GdiFlush();
        return std::vector<DWORD>(bits, bits + kWidth * kHeight);
    }
    static DWORD At(const std::vector<DWORD>& pixels, int x, int y) { return Rgb(pixels[size_t(y * kWidth + x)]); }
    static bool IsDark(DWORD rgb) { return (rgb & 0xFF) < 96 && ((rgb >> 8) & 0xFF) < 96 && (rgb >> 16) < 96; }

    static constexpr int kWidth = 400, kHeight = 300;
    HDC dc = nullptr;
    HBITMAP section = nullptr;
    DWORD* bits = nullptr;
    HGDIOBJ oldBitmap = nullptr, oldFont = nullptr;
    std::unique_ptr<TFont> font;
};

using Spans = std::vector<std::pair<int, int>>;

}  // namespace

TEST_F(TextLayoutFixture, BlankAtTheSeamGoesByTheAlignment) {
    const int width = Width(L"a b");  // holds the first two words, not the blank after them
    struct Case {
        Cardinal flags;
        const wchar_t* text;
        Spans rows;
    };
    const Case cases[] = {
        {CXTO_LEFT, L"a b c", {{0, 3}, {4, 1}}},  // the second row starts with the third word
        {CXTO_CENTER_HORIZONTALLY, L"a b c", {{0, 3}, {4, 1}}},
        {CXTO_RIGHT, L"a b c", {{0, 3}, {3, 2}}},   // right: only a trailing blank goes
        {CXTO_LEFT, L"a b   c", {{0, 3}, {4, 3}}},  // one blank skipped
        {CXTO_RIGHT | CXTO_SKIP_LEADING_SPACES, L"a b   c", {{0, 3}, {6, 1}}},
        {CXTO_JUSTIFY, L"a b c", {{0, 3}, {4, 1}}},  // justified: wraps without the word-break flag
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Rows(c.text, c.flags | CXTO_WORDBREAK, width), c.rows) << Utf8(c.text) << " flags " << c.flags;
        EXPECT_EQ(RowCount(c.text, c.flags | CXTO_WORDBREAK, width), int(c.rows.size()));
    }
    EXPECT_EQ(RowCount(L"a b c", CXTO_LEFT, width), 1);  // no wrapping without word break
}

TEST_F(TextLayoutFixture, WordsWiderThanARow) {
    const String word = L"abcdefghij";
    const int width = Width(L"abc") + 1;
    // With character break the word is cut inside, each row as long as fits, never empty.
    const Spans cut = Rows(word, CXTO_WORDBREAK | CXTO_CHARBREAK, width);
    ASSERT_GT(cut.size(), 2u);
    int next = 0;
    for (const auto& [start, count] : cut) {
        EXPECT_EQ(start, next);
        EXPECT_GE(count, 1);
        EXPECT_LE(Width(word.substr(size_t(start), size_t(count))), width);
        if (start + count < int(word.size())) {
            EXPECT_GT(Width(word.substr(size_t(start), size_t(count + 1))), width);
        }
        next = start + count;
    }
    EXPECT_EQ(next, int(word.size()));
    EXPECT_EQ(RowCount(word, CXTO_WORDBREAK | CXTO_CHARBREAK, 1), 10);  // one character a row at least
    EXPECT_EQ(Rows(L"\xD83D\xDE00\xD83D\xDE00", CXTO_WORDBREAK | CXTO_CHARBREAK, 1), (Spans{{0, 2}, {2, 2}}));
    // Without it the word stays whole on a row of its own.
    EXPECT_EQ(Rows(L"ab abcdefghij cd", CXTO_WORDBREAK, width), (Spans{{0, 3}, {3, 10}, {14, 2}}));
    EXPECT_EQ(RectWidth(CalcRect(word, CXTO_WORDBREAK, width)), Width(word));
}

TEST_F(TextLayoutFixture, AWordWiderThanTheRectangleIsClipped) {
    TRect r = Rect(10, 10, 40, 60);
    RenderWideText(dc, L"WWWWWWWW", r, CXTO_WORDBREAK);
    const std::vector<DWORD> pixels = Pixels();
    int inside = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 200; ++x) {
            const bool ink = At(pixels, x, y) != kLayoutWhite;
            if (x >= 10 && x < 40 && y >= 10 && y < 60)
                inside += ink;
            else
                ASSERT_FALSE(ink) << x << "," << y;
        }
    EXPECT_GT(inside, 20);
}

TEST_F(TextLayoutFixture, LineEnds) {
    struct Case {
        const wchar_t* text;
        int rows;
    };
    const Case cases[] = {
        {L"abc\r\n", 1},  // a line end at the end starts no row
        {L"abc\r\ndef", 2}, {L"abc\n\rdef", 2}, {L"a\r\rb", 3}, {L"a\r\n\r\nb", 3}, {L"\r\n", 1}, {L"a\nb\n", 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RowCount(c.text, CXTO_WORDBREAK, 300), c.rows) << Utf8(c.text);
        EXPECT_EQ(RowCount(c.text, 0, 300), c.rows) << Utf8(c.text);
    }
    const TRect r = CalcRect(L"abc\r\n", CXTO_WORDBREAK, 300);
    EXPECT_EQ(RectWidth(r), Width(L"abc"));  // the line end is neither measured nor drawn
    EXPECT_EQ(RectHeight(r), FontHeight());
}

TEST_F(TextLayoutFixture, SpreadRowsShareTheHeight) {
    TFont small;
    small.SetName(L"Tahoma");
    small.SetHeight(10);  // a cell 10 pixels high
    UseFont(&small);
    ASSERT_EQ(FontHeight(), 10);
    struct Case {
        int height;
        std::vector<int> tops;
    };
    const Case cases[] = {{100, {0, 45, 90}}, {101, {0, 46, 91}}, {25, {0, 10, 20}}};  // 25: too low to spread
    for (const Case& c : cases) {
        const TcxTextParams params = CalcTextParams(dc, CXTO_SPREAD, 1.0);
        TcxTextRows rows;
        bool truncated = false;
        const TRect r = Rect(0, 0, 200, c.height);
        MakeTextRows(dc, L"a\nb\nc", r, params, 0, rows, truncated);
        ASSERT_EQ(rows.Count(), 3);
        PlaceTextRows(dc, r, params, rows.Count(), rows);
        EXPECT_EQ((std::vector<int>{rows[0].Top, rows[1].Top, rows[2].Top}), c.tops) << c.height;
    }
    TRect r = Rect(0, 0, 200, 100);
    EXPECT_EQ(RenderWideText(dc, L"a\nb\nc", r, CXTO_SPREAD), 100);  // to the last row's bottom
}

TEST_F(TextLayoutFixture, EastAsianRowBreaking) {
    const String text = L"\x65E5\x672C\x8A9E\x3002";  // three ideographs and an ideographic full stop
    // The full stop may not begin a row: it stays with the character before it.
    EXPECT_EQ(Rows(text, CXTO_WORDBREAK, Width(text.substr(0, 3))), (Spans{{0, 2}, {2, 2}}));
    EXPECT_EQ(Rows(text, CXTO_WORDBREAK, Width(text)), (Spans{{0, 4}}));
    // Ideographs break between each other without blanks; Latin words do not.
    EXPECT_EQ(Rows(L"\x65E5\x672C\x8A9E", CXTO_WORDBREAK, Width(L"\x65E5")), (Spans{{0, 1}, {1, 1}, {2, 1}}));
    EXPECT_EQ(Rows(L"abc", CXTO_WORDBREAK, Width(L"a")), (Spans{{0, 3}}));
    // The rules themselves.
    for (WideChar c :
         {WideChar(0x4E00), WideChar(0x9FFF), WideChar(0x3041), WideChar(0x30A2), WideChar(0xAC00), WideChar(0xD7A3)})
        EXPECT_TRUE(IsEastAsianChar(c, false)) << int(c);
    for (WideChar c : {WideChar(L'a'), WideChar(0x3002), WideChar(0x0416), WideChar(0xD7A4)})
        EXPECT_FALSE(IsEastAsianChar(c, false)) << int(c);
    for (WideChar c : {WideChar(L'!'), WideChar(L')'), WideChar(0x3002), WideChar(0xFF0E), WideChar(0xFF61),
                       WideChar(0xFFE5), WideChar(0x2019)})
        EXPECT_TRUE(CannotBeginTextRow(c)) << int(c);
    for (WideChar c : {WideChar(L'a'), WideChar(L'('), WideChar(0x3000), WideChar(0x300C), WideChar(0x2017)})
        EXPECT_FALSE(CannotBeginTextRow(c)) << int(c);
    // Right-to-left rows measure the highlighted span from their right end.
    int left = 0, right = 0;
    TextRowSpan(100, 50, 10, 30, false, left, right);
    EXPECT_EQ(std::make_pair(left, right), std::make_pair(110, 130));
    TextRowSpan(100, 50, 10, 30, true, left, right);
    EXPECT_EQ(std::make_pair(left, right), std::make_pair(120, 140));
}

TEST_F(TextLayoutFixture, CalculatedRectangleOfTheFirstRows) {
    const String text = L"one\ntwo two\nthree\nfour\nfive";
    const TRect r = CalcRect(text, CXTO_WORDBREAK, 300, 2);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(RectWidth(r), std::max(Width(L"one"), Width(L"two two")));  // not "three"
    EXPECT_EQ(RectHeight(r), 2 * FontHeight());
    EXPECT_EQ(RowCount(text, CXTO_WORDBREAK, 300, 2), 2);
    EXPECT_EQ(RowCount(text, CXTO_WORDBREAK, 300), 5);
    // Indents and automatic indents shrink the layout and come back on the written rectangle.
    TRect indented = Rect(0, 0, 300, 1000);
    RenderWideText(dc, L"one two", indented, CXTO_CALCRECT | CXTO_AUTO_INDENTS, 0, 0, nullptr, clNone, clNone, 0, 5, 7);
    EXPECT_EQ(RectWidth(indented), Width(L"one two") + 4 + 5 + 7);
    EXPECT_EQ(RectHeight(indented), FontHeight() + 4);
    // Line spacing: rows step by the spaced height, the last one ends at its font height.
    TRect spaced = Rect(0, 0, 300, 1000);
    RenderWideText(dc, L"a\nb\nc", spaced, CXTO_CALCRECT, 0, 0, nullptr, clNone, clNone, 0, 0, 0, clDefault, 1.5);
    EXPECT_EQ(RectHeight(spaced), 2 * int(Round(1.5 * FontHeight())) + FontHeight());
}

TEST_F(TextLayoutFixture, HiddenPrefixes) {
    EXPECT_EQ(RectWidth(CalcRect(L"&File", CXTO_HIDE_PREFIX, 300)), Width(L"File"));
    EXPECT_EQ(RectWidth(CalcRect(L"a&&b", CXTO_HIDE_PREFIX, 300)), Width(L"a&b"));
    EXPECT_EQ(RectWidth(CalcRect(L"&File", 0, 300)), Width(L"&File"));
    TRect r = Rect(0, 0, 300, 100);
    EXPECT_EQ(RenderWideText(dc, L"&", r, CXTO_HIDE_PREFIX | CXTO_CALCRECT), 0);
    EXPECT_EQ(RenderWideText(dc, L"", r, 0), 0);
    TRect empty = Rect(10, 10, 10, 50);
    EXPECT_EQ(RenderWideText(dc, L"text", empty, 0), 0);
}

TEST_F(TextLayoutFixture, EndEllipsisCutsTheRowToFit) {
    const String text = L"abcdefghijklmnopqrstuvwxyz";
    const int width = Width(L"abcdefghij");
    TRect r = Rect(20, 20, 20 + width, 60);
    RenderWideText(dc, text, r, CXTO_SINGLELINE | CXTO_END_ELLIPSIS);
    const std::vector<DWORD> drawn = Pixels();
    // The same by hand: the longest start that leaves room for "...", then "...".
    size_t fit = 0;
    while (fit < text.size() && Width(text.substr(0, fit + 1)) <= width - Width(L"...")) ++fit;
    ASSERT_GT(fit, 0u);
    Clear();
    SetBkMode(dc, TRANSPARENT);
    ExtTextOutW(dc, 20, 20, 0, nullptr, text.c_str(), UINT(fit), nullptr);
    ExtTextOutW(dc, 20 + Width(text.substr(0, fit)), 20, 0, nullptr, L"...", 3, nullptr);
    const std::vector<DWORD> expected = Pixels();
    int differences = 0;
    for (size_t i = 0; i < drawn.size(); ++i) differences += drawn[i] != expected[i];
    EXPECT_EQ(differences, 0);
}

TEST_F(TextLayoutFixture, HighlightedSpanInItsOwnColours) {
    const String text = L"Hello world";
    TRect r = Rect(10, 10, 300, 60);
    RenderWideText(dc, text, r, CXTO_SINGLELINE, 6, 5, font.get(), clRed, clWhite);
    const std::vector<DWORD> pixels = Pixels();
    const int spanLeft = 10 + Width(L"Hello "), spanRight = 10 + Width(text), bottom = 10 + FontHeight();
    int red = 0, spanPixels = 0, darkBefore = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 320; ++x) {
            const DWORD p = At(pixels, x, y);
            const bool inSpan = x >= spanLeft && x < spanRight && y >= 10 && y < bottom;
            if (inSpan) {
                ++spanPixels;
                red += p == kLayoutRed;
                ASSERT_FALSE(IsDark(p)) << "normal text drawn over the highlight at " << x << "," << y;
            } else {
                ASSERT_NE(p, kLayoutRed) << "highlight outside its span at " << x << "," << y;
                darkBefore += x < spanLeft && IsDark(p);
            }
        }
    EXPECT_GT(red, spanPixels / 2);
    EXPECT_GT(darkBefore, 10);  // "Hello " in the font's colour
    // A highlight that starts beyond the end of the text, or before its start, draws none.
    for (int start : {11, 40, -1}) {
        Clear();
        TRect again = Rect(10, 10, 300, 60);
        RenderWideText(dc, text, again, CXTO_SINGLELINE, start, 5, font.get(), clRed, clWhite);
        const std::vector<DWORD> plain = Pixels();
        int anyRed = 0;
        for (DWORD p : plain) anyRed += Rgb(p) == kLayoutRed;
        EXPECT_EQ(anyRed, 0) << start;
    }
}

TEST_F(TextLayoutFixture, JustifiedRowsReachTheRightEdge) {
    const String text = L"aa bb cc dd ee ff gg hh ii jj kk";
    const int right = 10 + Width(L"aa bb cc dd ee") + 8;  // " ff" does not fit in the 8 left
    auto rightmostInkOfFirstRow = [&](Cardinal alignment) {
        Clear();
        TRect r = Rect(10, 10, right, 200);
        RenderWideText(dc, text, r, alignment | CXTO_WORDBREAK);
        const std::vector<DWORD> pixels = Pixels();
        int rightmost = 0;
        for (int y = 10; y < 10 + FontHeight(); ++y)
            for (int x = 0; x < 400; ++x)
                if (IsDark(At(pixels, x, y))) rightmost = std::max(rightmost, x);
        return rightmost;
    };
    EXPECT_GE(rightmostInkOfFirstRow(CXTO_JUSTIFY), right - 3);
    EXPECT_LT(rightmostInkOfFirstRow(CXTO_LEFT), right - 5);
}

TEST_F(TextLayoutFixture, GreekedRowsAreBars) {
    const DWORD window = Rgb(DWORD(ColorToRGB(clWindow)));
    for (bool bold : {true, false}) {
        Clear();
        TFont tiny;
        tiny.SetName(L"Tahoma");
        tiny.SetHeight(-4);
        tiny.SetColor(clBlack);
        if (bold) tiny.SetStyle(TFontStyles{fsBold});
        UseFont(&tiny);
        ASSERT_LT(FontHeight(), 6);
        const int textWidth = Width(L"Hello world");
        const int rowHeight = FontHeight();
        TRect r = Rect(10, 10, 300, 100);
        RenderWideText(dc, L"Hello world", r, CXTO_GREEK_SMALL_TEXT);
        UseFont(font.get());
        const std::vector<DWORD> pixels = Pixels();
        // The row's band less a pixel at its top and bottom, at least one pixel high.
        const int barTop = 11, barBottom = std::max(10 + rowHeight - 1, barTop + 1);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 320; ++x) {
                const DWORD p = At(pixels, x, y);
                const bool inBar = x >= 10 && x < 10 + textWidth && y >= barTop && y < barBottom;
                if (!inBar) {
                    ASSERT_EQ(p, kLayoutWhite) << x << "," << y << (bold ? " bold" : "");
                } else if (bold) {
                    ASSERT_EQ(p, 0u) << x << "," << y;  // solid text colour
                } else {
                    ASSERT_TRUE(p == 0 || p == window) << x << "," << y;
                    if (x + 1 < 10 + textWidth) {
                        ASSERT_NE(p, At(pixels, x + 1, y)) << "no checkerboard at " << x << "," << y;
                    }
                }
            }
    }
}

TEST_F(TextLayoutFixture, RestoresTheFontAndTextColour) {
    const HGDIOBJ before = GetCurrentObject(dc, OBJ_FONT);
    SetTextColor(dc, RGB(1, 2, 3));
    TFont other;
    other.SetName(L"Tahoma");
    other.SetHeight(-20);
    other.SetColor(clBlue);
    TRect r = Rect(0, 0, 300, 100);
    RenderWideText(dc, L"text", r, 0, 0, 0, &other, clNone, clNone, 0, 0, 0, clGreen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), before);
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    // The text colour argument won over the font's.
    const std::vector<DWORD> pixels = Pixels();
    int green = 0, blue = 0;
    for (DWORD p : pixels) {
        const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        green += g > 60 && r < 30 && b < 30;
        blue += b > 60 && r < 30 && g < 30;
    }
    EXPECT_GT(green, 10);
    EXPECT_EQ(blue, 0);
}

TEST_F(TextLayoutFixture, MutatedTextsFlagsAndRectangles) {
    static const wchar_t* const pieces[] = {L"a",      L"Wide",   L"long-word-here",
                                            L" ",      L"  ",     L"\t",
                                            L"\r",     L"\n",     L"\r\n",
                                            L"&",      L"&&",     L"\xD83D\xDE00",
                                            L"\xD800", L"\xDC00", L"\x65E5",
                                            L"\x672C", L"\x3002", L"\x304B",
                                            L"\xD55C", L".",      L"!"};
    const Cardinal definedFlags = 0x7 | 0x30 | 0xFF00 | 0xFF0000 | CXTO_HIDE_PREFIX | CXTO_SKIP_LEADING_SPACES;
    const double spacings[] = {0.5, 1.0, 1.5, 2.0};
    TTestRandom random(122);
    const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const HGDIOBJ fontBefore = GetCurrentObject(dc, OBJ_FONT);
    int strictChecks = 0;
    for (int i = 0; i < 10000; ++i) {
        String text;
        const std::uint32_t count = random.Next(12);
        for (std::uint32_t k = 0; k < count; ++k) text += pieces[random.Next(std::uint32_t(std::size(pieces)))];
        Cardinal flags = (random.Next(0x4000000) & definedFlags) & ~(CXTO_CALCRECT | CXTO_CALCROWCOUNT);
        const std::uint32_t mode = random.Next(3);
        if (mode == 1) flags |= CXTO_CALCRECT;
        if (mode == 2) flags |= CXTO_CALCROWCOUNT;
        const TRect given = Bounds(int(random.Next(60)) - 10, int(random.Next(60)) - 10, int(random.Next(320)) - 20,
                                   int(random.Next(200)) - 20);
        const int maxRows = int(random.Next(6)), leftIndent = int(random.Next(30)) - 5,
                  rightIndent = int(random.Next(30)) - 5;
        const int start = int(random.Next(40)) - 5, length = int(random.Next(20));
        const double spacing = spacings[random.Next(4)];
        TRect r = given;
        SetTextColor(dc, RGB(7, 8, 9));
        const int result = RenderWideText(dc, text, r, flags, start, length, random.Next(2) ? font.get() : nullptr,
                                          clRed, clWhite, maxRows, leftIndent, rightIndent, clDefault, spacing);
        ASSERT_EQ(GetCurrentObject(dc, OBJ_FONT), fontBefore) << i;
        ASSERT_EQ(GetTextColor(dc), RGB(7, 8, 9)) << i;
        if (mode == 2) {
            ASSERT_GE(result, 0);
            if (maxRows > 0) {
                ASSERT_LE(result, maxRows) << Utf8(text);
            }
        }
        if (mode != 1 || result == 0) continue;
        ASSERT_EQ(r.left, given.left) << i;
        ASSERT_EQ(r.top, given.top) << i;
        // Wrapped with character breaking, every row fits unless one character alone is wider.
        const int autoIndent = (flags & CXTO_AUTO_INDENTS) ? 4 : 0;
        const int layoutWidth = RectWidth(given) - autoIndent - leftIndent - rightIndent;
        int widest = 0;
        for (size_t k = 0; k < text.size(); ++k) {
            const size_t n = k + 1 < text.size() && text[k] >= 0xD800 && text[k] <= 0xDBFF ? 2 : 1;
            widest = std::max(widest, text[k] == L'\t' ? int(LOWORD(GetTabbedTextExtentW(dc, L"\t", 1, 0, nullptr)))
                                                       : Width(text.substr(k, n)));
        }
        const Cardinal alignment = flags & CXTO_HORIZONTAL_ALIGNMENT;
        const bool wraps = !(flags & CXTO_SINGLELINE) &&
                           ((flags & CXTO_WORDBREAK) || alignment == CXTO_JUSTIFY || alignment == CXTO_DISTRIBUTE);
        if (wraps && (flags & CXTO_CHARBREAK) && layoutWidth >= widest) {
            ++strictChecks;
            ASSERT_LE(RectWidth(r), RectWidth(given)) << Utf8(text) << " flags " << flags;
        }
    }
    EXPECT_GT(strictChecks, 100);
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore);
}
