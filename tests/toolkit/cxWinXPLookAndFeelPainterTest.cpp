// The visual-style painter: the parts and states it asks the visual styles for (through a
// recording stand-in for the library), its standard drawing when visual styles are off, and,
// in the themed run, real drawing by Wine's theme.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "PainterTestSupport.h"
#include "RecordingVisualStyles.h"
#include "ToolkitTestSupport.h"
#include "cxStandardLookAndFeelPainter.h"
#include "cxWinXPLookAndFeelPainter.h"
#include "dxOffice11.h"
#include "dxThemeManager.h"

namespace {

using P = TcxLookAndFeelPainterClass;
const TcxWinXPLookAndFeelPainter* const nativePainter = TcxWinXPLookAndFeelPainter::Instance();

using TPainterDrawing = std::function<void(P painter, TcxCanvas* canvas)>;

void DrawNativeHeader(P p, TcxCanvas* c, TcxButtonState state, bool isLast) {
    p->DrawHeaderCell(c, TRect{0, 0, 40, 18}, TRect{2, 2, 38, 16}, state, {}, cxBordersAll, taLeftJustify, vaCenter,
                      false, false, L"Name", nullptr, clBtnText, clBtnFace, nullptr, isLast);
}

TEST(cxWinXPPainter, AsksForThePartsAndStatesOfEachElement) {
    TRecordingVisualStyles styles;
    struct Case {
        const char* name;
        TPainterDrawing draw;
        std::vector<TThemeDraw> expected;
    } cases[] = {
        {"default push button",
         [](P p, TcxCanvas* c) {
             p->DrawCaptionButton(c, TRect{0, 0, 60, 22}, cxbsDefault, L"OK", true);
         },
         {{L"Button", 1, 5}}},
        {"hot tool button",
         [](P p, TcxCanvas* c) {
             p->DrawCaptionButton(c, TRect{0, 0, 22, 22}, cxbsHot, L"", true, clDefault, clDefault, false,
                                  cbkToolButton);
         },
         {{L"ToolBar", 1, 2}}},
        {"pressed down arrow",
         [](P p, TcxCanvas* c) {
             p->DrawScrollBarElement(c, TRect{0, 0, 17, 17}, cxbsPressed, false, sbpLineDown);
         },
         {{L"ScrollBar", 1, 7}}},
        {"left arrow",
         [](P p, TcxCanvas* c) {
             p->DrawScrollBarElement(c, TRect{0, 0, 17, 17}, cxbsNormal, true, sbpLineUp);
         },
         {{L"ScrollBar", 1, 9}}},
        {"hot vertical thumb and its gripper",
         [](P p, TcxCanvas* c) {
             p->DrawScrollBarElement(c, TRect{0, 0, 17, 40}, cxbsHot, false, sbpThumbnail);
         },
         {{L"ScrollBar", 3, 2}, {L"ScrollBar", 9, 0}}},
        {"horizontal track after the thumb",
         [](P p, TcxCanvas* c) {
             p->DrawScrollBarElement(c, TRect{0, 0, 40, 17}, cxbsNormal, true, sbpPageDown);
         },
         {{L"ScrollBar", 5, 1}}},
        {"hot checked check box",
         [](P p, TcxCanvas* c) {
             p->DrawCheckBoxGlyph(c, TRect{0, 0, 13, 13}, cxbsHot, cbsChecked);
         },
         {{L"Button", 3, 6}}},
        {"disabled checked radio button",
         [](P p, TcxCanvas* c) { p->DrawRadioButton(c, 0, 0, cxbsDisabled, true, false, false); },
         {{L"Button", 2, 8}}},
        {"last header item, blue scheme",
         [](P p, TcxCanvas* c) { DrawNativeHeader(p, c, cxbsNormal, true); },
         {{L"Header", 3, 1}}},
        {"pressed last header item",
         [](P p, TcxCanvas* c) { DrawNativeHeader(p, c, cxbsPressed, true); },
         {{L"Header", 1, 3}}},
        {"header item", [](P p, TcxCanvas* c) { DrawNativeHeader(p, c, cxbsHot, false); }, {{L"Header", 1, 2}}},
        {"hot navigator button",
         [](P p, TcxCanvas* c) {
             p->DrawNavigatorPushButton(c, TRect{0, 0, 20, 20}, cxbsHot);
         },
         {{L"ToolBar", 1, 5}}},
        {"expanded tree button",
         [](P p, TcxCanvas* c) {
             p->DrawPlusMinusButton(c, TRect{0, 0, 9, 9}, clDefault, true);
         },
         {{L"TreeView", 2, 2}}},
        {"hot expanded chevron",
         [](P p, TcxCanvas* c) {
             p->DrawGroupChevronButton(c, TRect{0, 0, 20, 20}, cxbsHot, true);
         },
         {{L"ExplorerBar", 6, 2}}},
        {"pressed small close button",
         [](P p, TcxCanvas* c) {
             p->DrawSmallCloseButton(c, TRect{0, 0, 16, 16}, cxbsPressed);
         },
         {{L"Window", 19, 3}}},
        {"progress bar",
         [](P p, TcxCanvas* c) {
             p->DrawProgressIndicator(c, TRect{0, 0, 50, 10}, TRect{3, 3, 20, 7}, false, clWindow);
         },
         {{L"Progress", 1, 1}, {L"Progress", 3, 1}}},
        {"footer border",
         [](P p, TcxCanvas* c) {
             p->DrawFooterBorder(c, TRect{0, 0, 50, 20});
         },
         {{L"Edit edge", 0, 0}}},
        {"size grip",
         [](P p, TcxCanvas* c) {
             p->DrawSizeGripArea(c, TRect{0, 0, 17, 17}, clBtnFace);
         },
         {{L"ScrollBar", 10, 1}}},
    };
    TPaintSurface s(80, 60);
    for (const Case& c : cases) {
        c.draw(nativePainter, s.Canvas());
        EXPECT_EQ(TRecordingVisualStyles::Take(), c.expected) << c.name;
    }
}

TEST(cxWinXPPainter, RightEndHeaderPartOnlyUnderTheBlueAndOliveSchemes) {
    TRecordingVisualStyles styles;
    TPaintSurface s(40, 18);
    struct Case {
        const wchar_t* scheme;
        int part;
    } cases[] = {{L"NormalColor", 3}, {L"HomeStead", 3}, {L"Metallic", 1}};
    for (const Case& c : cases) {
        styles.SetScheme(c.scheme);
        DrawNativeHeader(nativePainter, s.Canvas(), cxbsNormal, true);
        EXPECT_EQ(TRecordingVisualStyles::Take(), (std::vector<TThemeDraw>{{L"Header", c.part, 1}})) << Utf8(c.scheme);
    }
}

TEST(cxWinXPPainter, MetricsAndColoursFromTheVisualStyles) {
    TRecordingVisualStyles styles;
    CheckPainterAnswers(
        nativePainter,
        {
            {"PainterStyleCode", [](P p) { return p->PainterStyleCode(); }, lfsNative},
            {"ButtonBorderWidth: the content's left offset", [](P p) { return p->ButtonBorderWidth(cxbsNormal); }, 3},
            {"ButtonGroupBorders", [](P p) { return RectCode(p->ButtonGroupBorders(2, 0)); },
             RectCode(TRect{3, 3, 3, 3})},
            {"ButtonGlyphColor: the text colour", [](P p) { return p->ButtonGlyphColor(cxbsNormal, clRed); }, 0x123456},
            // No theme defines a push button's face colour: the button face stays.
            {"ButtonFaceColor", [](P p) { return p->ButtonFaceColor(cxbsHot); }, clBtnFace},
            {"SchedulerBorderColor without a border colour", [](P p) { return p->SchedulerBorderColor(); }, 0x9D9DA1},
            {"BorderWidth", [](P p) { return p->BorderWidth(); }, 1},
            {"CheckBoxBorderWidth", [](P p) { return p->CheckBoxBorderWidth(); }, 0},
            {"CheckBoxSize", [](P p) { return SizeCode(p->CheckBoxSize()); }, SizeCode(TSize{13, 13})},
            {"RadioButtonImageSize", [](P p) { return SizeCode(p->RadioButtonImageSize()); }, SizeCode(TSize{13, 13})},
            {"PlusMinusButtonSize", [](P p) { return p->PlusMinusButtonSize(); }, 13},
            {"HeaderBorderWidth", [](P p) { return p->HeaderBorderWidth(); }, 3},
            {"FooterCellBorderWidth", [](P p) { return p->FooterCellBorderWidth(); }, 3},
            {"SmallCloseButtonSize", [](P p) { return SizeCode(p->SmallCloseButtonSize()); }, SizeCode(TSize{17, 17})},
            {"ScrollBarMinThumbSize", [](P p) { return p->ScrollBarMinThumbSize(false); }, 17},
            {"IsTabDrawingSupported", [](P p) { return p->IsTabDrawingSupported(false); }, true},
            {"SortMarkSize: the ultra-flat one", [](P p) { return SizeCode(p->SortMarkSize()); },
             SizeCode(TSize{7, 8})},
        });
}

// A theme that does define a push button's face colour: the part and state in the answer.
HRESULT WINAPI DefinedFaceColor(HTHEME, int part, int state, int property, COLORREF* color) {
    if (property != 204) return E_FAIL;
    *color = RGB(part, state, 0xCC);
    return S_OK;
}

TEST(cxWinXPPainter, ButtonFaceColorIsTheThemesWhenItDefinesOne) {
    TRecordingVisualStyles styles;
    FARPROC saved = SetUxThemeEntry("GetThemeColor", AsProc(&DefinedFaceColor));
    EXPECT_EQ(nativePainter->ButtonFaceColor(cxbsHot), TColor(RGB(1, 2, 0xCC)));
    EXPECT_EQ(nativePainter->ButtonFaceColor(cxbsDefault), TColor(RGB(1, 5, 0xCC)));
    SetUxThemeEntry("GetThemeColor", saved);
}

// With visual styles off every operation that has a fallback draws what the standard painter
// draws (the radio button, its size and the group borders what the base painter draws, which
// the standard painter keeps).
TEST(cxWinXPPainter, WithStylesOffDrawsAsTheStandardPainter) {
    ASSERT_FALSE(AreThemesAvailable()) << "the project's prefix runs with visual styles off";
    const TcxStandardLookAndFeelPainter* standard = TcxStandardLookAndFeelPainter::Instance();
    struct Case {
        const char* name;
        TPainterDrawing draw;
    } cases[] = {
        {"caption button",
         [](P p, TcxCanvas* c) {
             p->DrawCaptionButton(c, TRect{2, 2, 62, 24}, cxbsHot, L"", true);
         }},
        {"disabled caption button",
         [](P p, TcxCanvas* c) {
             p->DrawCaptionButton(c, TRect{2, 2, 62, 24}, cxbsDisabled, L"", true);
         }},
        {"arrow button",
         [](P p, TcxCanvas* c) {
             p->DrawArrowButton(c, TRect{2, 2, 19, 19}, cxbsNormal, adLeft, true);
         }},
        {"control border",
         [](P p, TcxCanvas* c) {
             p->DrawControlBorder(c, TRect{2, 2, 60, 40});
         }},
        {"plus-minus button",
         [](P p, TcxCanvas* c) {
             p->DrawPlusMinusButton(c, TRect{2, 2, 14, 14}, clDefault, false);
         }},
        {"group chevron",
         [](P p, TcxCanvas* c) {
             p->DrawGroupChevronButton(c, TRect{2, 2, 20, 20}, cxbsPressed, false);
         }},
        {"check box",
         [](P p, TcxCanvas* c) {
             p->DrawCheckBoxGlyph(c, TRect{2, 2, 15, 15}, cxbsNormal, cbsChecked);
         }},
        {"radio button", [](P p, TcxCanvas* c) { p->DrawRadioButton(c, 2, 2, cxbsHot, true, false, false); }},
        {"header cell", [](P p, TcxCanvas* c) { DrawNativeHeader(p, c, cxbsNormal, false); }},
        {"footer border",
         [](P p, TcxCanvas* c) {
             p->DrawFooterBorder(c, TRect{2, 2, 60, 30});
         }},
        {"footer cell",
         [](P p, TcxCanvas* c) {
             p->DrawFooterCell(c, TRect{2, 2, 60, 30}, taLeftJustify, vaTop, false, L"Sum", nullptr, clBtnText,
                               clBtnFace);
         }},
        {"small close button",
         [](P p, TcxCanvas* c) {
             p->DrawSmallCloseButton(c, TRect{2, 2, 18, 18}, cxbsHot);
         }},
        {"filter arrow button",
         [](P p, TcxCanvas* c) {
             p->DrawFilterArrowButton(c, TRect{2, 2, 17, 20}, cxbsPressed, true);
         }},
        {"tab frame and strip",
         [](P p, TcxCanvas* c) {
             p->DrawTabFrame(c, TRect{2, 2, 5, 30}, true, cxBordersAll, 0);
             p->DrawTabStrip(c, TRect{10, 2, 70, 6}, false, cxBordersAll);
         }},
        {"scroll-bar parts",
         [](P p, TcxCanvas* c) {
             p->DrawScrollBarElement(c, TRect{0, 0, 17, 17}, cxbsNormal, false, sbpLineUp);
             p->DrawScrollBarElement(c, TRect{0, 17, 17, 30}, cxbsPressed, false, sbpPageUp);
             p->DrawScrollBarElement(c, TRect{0, 30, 17, 50}, cxbsNormal, false, sbpThumbnail);
             p->DrawScrollBarElement(c, TRect{20, 0, 37, 17}, cxbsPressed, true, sbpLineDown);
         }},
        {"size grip",
         [](P p, TcxCanvas* c) {
             p->DrawSizeGripArea(c, TRect{2, 2, 19, 19}, clRed);
         }},
        {"progress",
         [](P p, TcxCanvas* c) {
             p->DrawProgressIndicator(c, TRect{2, 2, 60, 12}, TRect{3, 3, 30, 11}, false, clWindow);
         }},
        {"navigator button",
         [](P p, TcxCanvas* c) {
             p->DrawNavigatorPushButton(c, TRect{2, 2, 22, 22}, cxbsHot);
         }},
        {"navigation button",
         [](P p, TcxCanvas* c) {
             p->DrawNavigationButtonContent(c, TRect{2, 2, 20, 60}, TRect{6, 10, 13, 17}, cxbsNormal, true);
         }},
        {"splitter border",
         [](P p, TcxCanvas* c) {
             p->DrawSplitterBorder(c, TRect{10, 10, 70, 16}, true, TcxViewParams{nullptr, clRed});
         }},
    };
    for (const Case& c : cases) {
        TPaintSurface expected(80, 60, clFuchsia), drawn(80, 60, clFuchsia);
        c.draw(standard, expected.Canvas());
        c.draw(nativePainter, drawn.Canvas());
        auto difference = drawn.FirstDifference(expected);
        EXPECT_EQ(difference, (std::pair{-1, -1})) << c.name;
        EXPECT_FALSE(expected.IsBlank(clFuchsia)) << c.name;
    }
    CheckPainterAnswers(nativePainter,
                        {
                            {"BorderWidth", [](P p) { return p->BorderWidth(); }, 2},
                            {"ButtonBorderWidth", [](P p) { return p->ButtonBorderWidth(cxbsHot); }, 2},
                            {"ButtonGroupBorders", [](P p) { return RectCode(p->ButtonGroupBorders(2, 0)); },
                             RectCode(TRect{2, 2, 2, 2})},
                            {"CheckBoxSize", [](P p) { return SizeCode(p->CheckBoxSize()); },
                             SizeCode(TcxCustomLookAndFeelPainter::Instance()->CheckBoxSize())},
                            {"RadioButtonImageSize", [](P p) { return SizeCode(p->RadioButtonImageSize()); },
                             SizeCode(TcxCustomLookAndFeelPainter::Instance()->RadioButtonImageSize())},
                            {"PlusMinusButtonSize", [](P p) { return p->PlusMinusButtonSize(); }, 12},
                            {"HeaderBorderWidth", [](P p) { return p->HeaderBorderWidth(); }, 1},
                            {"ScrollBarMinThumbSize", [](P p) { return p->ScrollBarMinThumbSize(true); }, 8},
                            {"IsTabDrawingSupported", [](P p) { return p->IsTabDrawingSupported(false); }, false},
                        });
}

// Run with the prefix's visual styles on (the themed ctest entry): Wine's own theme draws
// every element, and something of each lands on the canvas.
TEST(cxWinXPPainterThemed, DrawsEveryElement) {
    if (!AreThemesAvailable()) {
        if (std::getenv("ZARNIK_EXPECT_THEMES")) FAIL() << "the themed run found visual styles off";
        GTEST_SKIP() << "visual styles are off";
    }
    struct Case {
        const char* name;
        TPainterDrawing draw;
    } cases[] = {
        {"push button",
         [](P p, TcxCanvas* c) {
             p->DrawCaptionButton(c, TRect{2, 2, 62, 24}, cxbsDefault, L"OK", true);
         }},
        {"tool button",
         [](P p, TcxCanvas* c) {
             p->DrawCaptionButton(c, TRect{2, 2, 24, 24}, cxbsPressed, L"", true, clDefault, clDefault, false,
                                  cbkToolButton);
         }},
        {"check box",
         [](P p, TcxCanvas* c) {
             p->DrawCheckBoxGlyph(c, TRect{2, 2, 15, 15}, cxbsNormal, cbsChecked);
         }},
        {"radio button", [](P p, TcxCanvas* c) { p->DrawRadioButton(c, 2, 2, cxbsNormal, true, false, false); }},
        {"arrow button",
         [](P p, TcxCanvas* c) {
             p->DrawArrowButton(c, TRect{2, 2, 19, 19}, cxbsNormal, adUp, true);
         }},
        {"header cell", [](P p, TcxCanvas* c) { DrawNativeHeader(p, c, cxbsNormal, true); }},
        {"scroll-bar thumb",
         [](P p, TcxCanvas* c) {
             p->DrawScrollBarElement(c, TRect{2, 2, 19, 50}, cxbsNormal, false, sbpThumbnail);
         }},
        {"scroll-bar track",
         [](P p, TcxCanvas* c) {
             p->DrawScrollBarElement(c, TRect{2, 2, 19, 50}, cxbsNormal, false, sbpPageUp);
         }},
        {"size grip",
         [](P p, TcxCanvas* c) {
             p->DrawSizeGripArea(c, TRect{2, 2, 19, 19}, clDefault);
         }},
        {"tree button",
         [](P p, TcxCanvas* c) {
             p->DrawPlusMinusButton(c, TRect{2, 2, 11, 11}, clDefault, true);
         }},
        {"control border",
         [](P p, TcxCanvas* c) {
             p->DrawControlBorder(c, TRect{2, 2, 60, 40});
         }},
        {"filter arrow button",
         [](P p, TcxCanvas* c) {
             p->DrawFilterArrowButton(c, TRect{2, 2, 19, 22}, cxbsNormal, false);
         }},
        {"small close button",
         [](P p, TcxCanvas* c) {
             p->DrawSmallCloseButton(c, TRect{2, 2, 20, 20}, cxbsNormal);
         }},
        {"progress",
         [](P p, TcxCanvas* c) {
             p->DrawProgressIndicator(c, TRect{2, 2, 70, 16}, TRect{4, 4, 40, 14}, false, clWindow);
         }},
        {"tab item",
         [](P p, TcxCanvas* c) {
             p->DrawTabItem(c, TRect{2, 2, 60, 24}, cxbsPressed, L"Tab", nullptr, clBtnText, clBtnFace, false, false,
                            cxBordersAll);
         }},
        {"vertical tab item",
         [](P p, TcxCanvas* c) {
             p->DrawTabItem(c, TRect{2, 2, 24, 60}, cxbsNormal, L"", nullptr, clBtnText, clBtnFace, true, false,
                            cxBordersAll);
         }},
        {"navigator button",
         [](P p, TcxCanvas* c) {
             p->DrawNavigatorPushButton(c, TRect{2, 2, 24, 24}, cxbsHot);
         }},
        {"footer cell",
         [](P p, TcxCanvas* c) {
             p->DrawFooterCell(c, TRect{2, 2, 60, 22}, taLeftJustify, vaCenter, false, L"Sum", nullptr, clBtnText,
                               clBtnFace);
         }},
    };
    for (const Case& c : cases) {
        TPaintSurface s(80, 60, clFuchsia);
        c.draw(nativePainter, s.Canvas());
        EXPECT_FALSE(s.IsBlank(clFuchsia)) << c.name;
    }
    EXPECT_GT(nativePainter->ScrollBarMinThumbSize(false), 7);
    EXPECT_GT(nativePainter->CheckBoxSize().cx, 0);
}

}  // namespace
