#include <gtest/gtest.h>

#include "Brush.h"
#include "Colors.h"
#include "Font.h"
#include "Pen.h"
#include "TestSupport.h"

namespace {

TEST(Colors, ColorToRGBResolvesOnlySystemColours) {
    EXPECT_EQ(ColorToRGB(clBtnFace), Integer(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(ColorToRGB(clWindowText), Integer(GetSysColor(COLOR_WINDOWTEXT)));
    EXPECT_EQ(ColorToRGB(clRed), 0x0000FF);
    EXPECT_EQ(ColorToRGB(clNone), 0x1FFFFFFF);
    EXPECT_EQ(ColorToRGB(clDefault), 0x20000000);
    EXPECT_EQ(clBtnFace, TColor(0xFF00000F));
}

TEST(Colors, IdentifiersAndTextRoundTrip) {
    struct Case {
        const wchar_t* text;
        TColor value;
        const wchar_t* written;
    } cases[] = {
        {L"clBtnFace", clBtnFace, L"clBtnFace"},
        {L"CLWINDOW", clWindow, L"clWindow"},
        {L"clNone", clNone, L"clNone"},
        {L"clDefault", clDefault, L"clDefault"},
        {L"clBlack", 0, L"clBlack"},
        {L"$00123456", 0x123456, L"$00123456"},
        {L"$FF000063", TColor(0xFF000063), L"$FF000063"},
        {L"1193046", 0x123456, L"$00123456"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StringToColor(c.text), c.value) << Utf8(c.text);
        EXPECT_EQ(Utf8(ColorToString(c.value)), Utf8(c.written));
    }
    for (const wchar_t* bad : {L"", L"clPink", L"$", L"$12G", L"12abc", L"$1FFFFFFFF"})
        EXPECT_THROW(StringToColor(bad), EConvertError) << Utf8(bad);
    TColor color = 0;
    EXPECT_FALSE(IdentToColor(L"clNothing", color));
    String ident;
    EXPECT_FALSE(ColorToIdent(0x123456, ident));
}

struct ChangeCounter {
    int changes = 0;
    void Changed(TObject*) { ++changes; }
};

TEST(Font, SizeHeightAndLogFontRoundTrip) {
    TFont font;
    font.SetPixelsPerInch(96);
    font.SetSize(12);
    EXPECT_EQ(font.Height(), -16);
    EXPECT_EQ(font.Size(), 12);
    font.SetName(L"Courier New");
    font.SetStyle({fsBold, fsItalic, fsUnderline});
    font.SetOrientation(900);
    font.SetCharset(RUSSIAN_CHARSET);
    font.SetPitch(fpFixed);

    TFont copy;
    LOGFONTW lf = font.LogFont();
    copy.SetHandle(CreateFontIndirectW(&lf));
    EXPECT_EQ(Utf8(copy.Name()), "Courier New");
    EXPECT_EQ(copy.Height(), -16);
    EXPECT_EQ(copy.Style(), TFontStyles({fsBold, fsItalic, fsUnderline}));
    EXPECT_EQ(copy.Orientation(), 900);
    EXPECT_EQ(copy.Charset(), RUSSIAN_CHARSET);
    EXPECT_EQ(copy.Pitch(), fpFixed);
    LOGFONTW back{};
    ASSERT_NE(GetObjectW(copy.Handle(), sizeof(back), &back), 0);
    EXPECT_EQ(back.lfEscapement, 900);
    EXPECT_EQ(back.lfOrientation, 900);
}

TEST(Font, SettersNotifyOnlyOnChangeAndDropTheHandle) {
    TFont font;
    ChangeCounter counter;
    font.OnChange = MakeEvent(&counter, &ChangeCounter::Changed);
    HFONT first = font.Handle();
    font.SetHeight(font.Height());
    font.SetName(font.Name());
    EXPECT_EQ(counter.changes, 0);
    font.SetHeight(-20);
    EXPECT_EQ(counter.changes, 1);
    EXPECT_EQ(GetObjectType(first), 0u);  // the old handle is gone
    LOGFONTW lf{};
    GetObjectW(font.Handle(), sizeof(lf), &lf);
    EXPECT_EQ(lf.lfHeight, -20);
    font.SetColor(clRed);
    EXPECT_EQ(counter.changes, 2);
}

TEST(Font, AssignCopiesAndRejectsOtherKinds) {
    TFont a, b;
    a.SetName(L"Arial");
    a.SetStyle({fsStrikeOut});
    a.SetColor(clNavy);
    b.Assign(&a);
    EXPECT_EQ(Utf8(b.Name()), "Arial");
    EXPECT_EQ(b.Style(), TFontStyles{fsStrikeOut});
    EXPECT_EQ(b.Color(), clNavy);
    TPen pen;
    EXPECT_THROW(b.Assign(&pen), EConvertError);
}

TEST(BrushAndPen, HandlesFollowProperties) {
    TBrush brush;
    brush.SetColor(clRed);
    brush.SetStyle(bsDiagCross);
    LOGBRUSH lb{};
    GetObjectW(brush.Handle(), sizeof(lb), &lb);
    EXPECT_EQ(lb.lbStyle, UINT(BS_HATCHED));
    EXPECT_EQ(lb.lbHatch, ULONG_PTR(HS_DIAGCROSS));
    EXPECT_EQ(lb.lbColor, COLORREF(0xFF));
    brush.SetStyle(bsClear);
    GetObjectW(brush.Handle(), sizeof(lb), &lb);
    EXPECT_EQ(lb.lbStyle, UINT(BS_HOLLOW));

    TPen pen;
    pen.SetColor(clBlue);
    pen.SetWidth(3);
    pen.SetStyle(psClear);
    TPen copy;
    copy.SetHandle(CreatePen(PS_DASH, 2, RGB(1, 2, 3)));
    EXPECT_EQ(copy.Style(), psDash);
    EXPECT_EQ(copy.Width(), 2);
    EXPECT_EQ(copy.Color(), TColor(RGB(1, 2, 3)));
    copy.Assign(&pen);
    EXPECT_EQ(copy.Style(), psClear);
    EXPECT_EQ(copy.Width(), 3);
    pen.SetMode(pmXor);
    EXPECT_EQ(pen.Rop2(), R2_XORPEN);
    pen.SetMode(pmCopy);
    EXPECT_EQ(pen.Rop2(), R2_COPYPEN);
    pen.SetMode(pmNotXor);
    EXPECT_EQ(pen.Rop2(), R2_NOTXORPEN);
}

}  // namespace
