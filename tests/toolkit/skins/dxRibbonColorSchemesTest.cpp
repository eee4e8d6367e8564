// The part colours of the base scheme and of Blue, Black and Silver, with and without low
// colour; Silver falls back to Black; the few colours every scheme shares.
#include <gtest/gtest.h>

#include "SkinTestSupport.h"

namespace {

constexpr TColor kDefault = clDefault;

// The schemes registered at start-up.
TdxCustomRibbonSkin* Scheme(const wchar_t* name) {
    return static_cast<TdxCustomRibbonSkin*>(BarSkinManagerInstance()->FindSkin(name));
}

struct TColorCase {
    int part, state;
    TColor blue, black, silver;
};

// Every answer of the schemes' tables, and some states the tables give no colour of their own
// (clDefault leaves the caller its colour).
const TColorCase kSchemeColors[] = {
    {9, 0, 0xFBF2EA, 0xE8E8E8, 0xE8E8E8},
    {9, 1, 0xEFEFEF, 0xEFEFEF, 0xEFEFEF},
    {9, 3, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF},
    {9, 8, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF},
    {9, 6, kDefault, kDefault, kDefault},
    {10, 0, 0xDEC1AB, 0x898989, 0x898989},
    {10, 1, 0xC6BBB1, 0xCCCCCC, 0xCCCCCC},
    {10, 5, 0xE1C7B3, 0x898989, 0x898989},
    {10, 7, kDefault, kDefault, kDefault},
    {12, 0, 0xDEC1AB, 0x898989, 0x898989},
    {12, 1, 0xC6BBB1, 0xCCCCCC, 0xCCCCCC},
    {12, 8, 0xC6BBB1, 0xCCCCCC, 0xCCCCCC},
    {12, 2, 0x99CEDB, 0x99CEDB, 0x99CEDB},
    {12, 3, 0xDEC7AD, 0xB7B7B7, 0xB7B7B7},
    {12, 4, 0x45667B, 0x45667B, 0x45667B},
    {12, 5, 0x6B99A5, 0x6B99A5, 0x6B99A5},
    {12, 6, kDefault, kDefault, kDefault},
    {19, 0, 0xDAD5D2, 0xDAD5D2, 0xDAD5D2},
    {20, 0, 0xEFE7DE, 0xEFEBEF, 0xEFEBEF},
    {41, 0, 0xDDBB9E, 0xA49991, 0xA49991},
    {51, 2, 0xFBF3EC, 0xF7F7F7, 0xF2F1F0},
    {51, 3, 0xFBF3EC, 0xF7F7F7, 0xF2F1F0},
    {51, 0, 0xF8E6D4, 0xE2E2DA, 0xECEAE8},
    {52, 2, 0xEDD0B9, 0xACACAC, 0xA4A4A4},
    {52, 0, 0xEDD0B9, 0xACACAC, 0xB8B1A9},
    {66, 0, 0x6E1500, 0xFFFFFF, 0xFFFFFF},
    {66, 2, 0xFF6600, 0x32D2FF, 0x32D2FF},
    {362, 0, 0x6E1500, 0x464646, 0x5C534C},
    {362, 1, 0xA7A7A7, 0xA7A7A7, 0xA7A7A7},
    {362, 8, 0xA7A7A7, 0xA7A7A7, 0xA7A7A7},
    {64, 0, 0x6E1500, 0x464646, 0x5C534C},
    {335, 0, 0x8B4215, 0x464646, 0x5C534C},
    {335, 8, 0x8D8D8D, 0x8D8D8D, 0x8D8D8D},
    {425, 3, 0x85B6CA, 0x85B6CA, 0x85B6CA},
    {425, 8, 0xCDCDCD, 0xCDCDCD, 0xCDCDCD},
    {425, 0, kDefault, kDefault, kDefault},
    {455, 0, 0xEDD3BE, 0x504F4F, 0xD8D2CD},
    {456, 0, 0xFFFFFF, 0x716C6B, 0xFAFAFA},
    {457, 0, 0xCAAF9B, 0x414243, 0xB4AEA9},
    {10018, 0, 0xEBC3A4, 0x696969, 0xB5AEAA},
    {10065, 0, 0xFFDBBF, 0x535353, 0xDDD4D0},
    {10066, 0, 0xF3E2D5, 0x626262, 0x808080},
    {10098, 0, 0x805D45, 0x252525, 0x00E77670},
    {10099, 0, 0xE8C9B1, 0xCCCCCC, 0xD9D0CD},
    {10130, 0, 0xAA6A3E, 0xFFD1AE, 0xAA6E35},
    {10130, 1, 0xA0A0A0, 0xE1E1E1, 0x8A8A8A},
    {10131, 0, 0x797069, 0xFFFFFF, 0x6A625C},
    {10131, 4, 0xA0A0A0, 0xE1E1E1, 0x8A8A8A},
    {10132, 0, 0x8B4215, 0xFFFFFF, 0x595453},
    {10132, 3, 0x8B4215, 0x000000, 0x595453},
    {10133, 0, 0x8B4215, 0x464646, 0x5C534C},
    {10134, 0, 0xAA6A3E, 0xFFFFFF, 0x5C534C},
    {10134, 5, 0xAA6A3E, 0xFFFFFF, 0x5C534C},
    {10138, 0, 0x8B4215, 0xFFFFFF, 0x595453},
    {10138, 2, 0x8B4215, 0x000000, 0x595453},
    {10138, 1, 0x8D8D8D, 0xC2C2C2, 0x8D8D8D},
    // the base scheme's answers, shared by all three
    {56, 0, 0xFAFAFA, 0xFAFAFA, 0xFAFAFA},
    {67, 2, 0x3694F2, 0x3694F2, 0x3694F2},
    {67, 6, 0x1048EF, 0x1048EF, 0x1048EF},
    {67, 7, 0x3695F2, 0x3695F2, 0x3695F2},
    {67, 0, kDefault, kDefault, kDefault},
    {68, 2, 0x94E2FF, 0x94E2FF, 0x94E2FF},
    {68, 6, 0x94E2FF, 0x94E2FF, 0x94E2FF},
    {68, 7, 0x95E3FF, 0x95E3FF, 0x95E3FF},
    {68, 4, kDefault, kDefault, kDefault},
    {375, 0, 0xF7F7F7, 0xF7F7F7, 0xF7F7F7},
    {395, 0, 0xEEEAE9, 0xEEEAE9, 0xEEEAE9},
    {420, 0, 0xBDB6A5, 0xBDB6A5, 0xBDB6A5},
    {451, 0, 0xF5F5F5, 0xF5F5F5, 0xF5F5F5},
    {3, 0, kDefault, kDefault, kDefault},
};

TEST(dxRibbonColorSchemes, AnswerTheirPartColours) {
    TdxCustomRibbonSkin* blue = Scheme(L"Blue");
    TdxCustomRibbonSkin* black = Scheme(L"Black");
    TdxCustomRibbonSkin* silver = Scheme(L"Silver");
    ASSERT_TRUE(blue && black && silver);
    ASSERT_FALSE(blue->LowColor());
    for (const TColorCase& c : kSchemeColors) {
        EXPECT_EQ(Integer(blue->PartColor(c.part, c.state)), Integer(c.blue)) << "Blue " << c.part << "/" << c.state;
        EXPECT_EQ(Integer(black->PartColor(c.part, c.state)), Integer(c.black)) << "Black " << c.part << "/" << c.state;
        EXPECT_EQ(Integer(silver->PartColor(c.part, c.state)), Integer(c.silver))
            << "Silver " << c.part << "/" << c.state;
    }
}

TEST(dxRibbonColorSchemes, AnswerTheHighlightTextOnlyForNormalAndHot) {
    for (const wchar_t* name : {L"Blue", L"Black", L"Silver"})
        for (int state : {1, 3, 4, 8}) {
            try {
                Scheme(name)->PartColor(66, state);
                ADD_FAILURE() << "part 66 answered in state " << state;
            } catch (const EdxException& e) {
                EXPECT_TRUE(e.Message().empty());
            }
        }
}

// A scheme whose colours are asked in low colour, then put back.
class TLowColorScope {
public:
    explicit TLowColorScope(TdxCustomRibbonSkin* skin) : skin_(skin), saved_(skin->LowColor()) {
        skin->SetLowColor(true);
    }
    ~TLowColorScope() { skin_->SetLowColor(saved_); }

private:
    TdxCustomRibbonSkin* skin_;
    bool saved_;
};

TColor System(int index) { return TColor(Integer(GetSysColor(index))); }

TEST(dxRibbonColorSchemes, InLowColorEveryoneAnswersTheSystemColours) {
    struct TLowCase {
        int part, state;
        TColor color;
    };
    const TLowCase cases[] = {
        {10, 0, System(COLOR_BTNSHADOW)},
        {10, 2, 0xFFFFFF},
        {12, 1, System(COLOR_BTNSHADOW)},
        {12, 8, 0xFFFFFF},
        {19, 0, 0xDAD5D2},
        {20, 0, 0xEFE7DE},
        {41, 0, 0xDDBB9E},
        {64, 0, System(COLOR_MENUTEXT)},
        {362, 1, System(COLOR_GRAYTEXT)},
        {362, 2, System(COLOR_HIGHLIGHTTEXT)},
        {67, 2, System(COLOR_HIGHLIGHT)},
        {68, 0, System(COLOR_HIGHLIGHT)},
        {335, 0, System(COLOR_WINDOWTEXT)},
        {10133, 1, System(COLOR_GRAYTEXT)},
        {10138, 4, System(COLOR_HIGHLIGHTTEXT)},
        {10134, 3, System(COLOR_WINDOWTEXT)},
        {10018, 0, System(COLOR_BTNSHADOW)},
        {425, 3, 0x85B6CA},
        {425, 8, 0xCDCDCD},
        {425, 1, kDefault},
        {455, 0, 0xEDD3BE},
        {456, 0, 0xFFFFFF},
        {457, 0, 0xCAAF9B},
        {10066, 0, 0xF3E2D5},
        {10130, 0, System(COLOR_CAPTIONTEXT)},
        {10131, 1, System(COLOR_INACTIVECAPTIONTEXT)},
        {10132, 0, System(COLOR_WINDOWTEXT)},
        {10132, 3, System(COLOR_HIGHLIGHTTEXT)},
        {10065, 0, System(COLOR_BTNFACE)},
        {66, 5, System(COLOR_BTNFACE)},
        {10098, 0, System(COLOR_BTNFACE)},
        {56, 0, System(COLOR_BTNFACE)},
    };
    for (const wchar_t* name : {L"Blue", L"Black", L"Silver"}) {
        TLowColorScope scope(Scheme(name));
        for (const TLowCase& c : cases)
            EXPECT_EQ(Integer(Scheme(name)->PartColor(c.part, c.state)), Integer(c.color))
                << name << " " << c.part << "/" << c.state;
    }
}

TEST(dxRibbonColorSchemes, DrawTheirTwoBottomLines) {
    struct TLines {
        const wchar_t* name;
        DWORD upper, lower;  // 0xRRGGBB as read back
    };
    const TLines schemes[] = {
        {L"Blue", 0xA4C3EB, 0xD5E2F3}, {L"Black", 0x4F4F4F, 0x626262}, {L"Silver", 0x808080, 0xEBE1DC}};
    for (const TLines& s : schemes) {
        TSkinDib dib(10, 4);
        Scheme(s.name)->DrawRibbonBottomBorder(dib.DC(), TRect{0, 1, 10, 3});
        EXPECT_EQ(dib.Rgb(5, 0), 0x808080u) << s.name;
        EXPECT_EQ(dib.Rgb(5, 1), s.upper) << s.name;
        EXPECT_EQ(dib.Rgb(5, 2), s.lower) << s.name;
        EXPECT_EQ(dib.Rgb(5, 3), 0x808080u) << s.name;
    }
}

}  // namespace
