// Sections: colours · frames and buttons · header and footer cells · scroll bars, grips,
// calendar and navigation · panels.

#include "cxOffice11LookAndFeelPainter.h"

#include "cxStandardLookAndFeelPainter.h"
#include "cxTextMeasuring.h"
#include "cxWinXPLookAndFeelPainter.h"
#include "dxOffice11.h"
#include "dxThemeManager.h"

namespace {

const TdxOffice11Colors& OfficeColors() { return Office11Colors(); }

}  // namespace

const TcxOffice11LookAndFeelPainter* TcxOffice11LookAndFeelPainter::Instance() {
    static const TcxOffice11LookAndFeelPainter painter;
    return &painter;
}

// ---- colours -------------------------------------------------------------------------------

TcxLookAndFeelStyle TcxOffice11LookAndFeelPainter::PainterStyleCode() const { return lfsOffice11; }
TColor TcxOffice11LookAndFeelPainter::CalendarHeaderColor() const { return OfficeColors().FaceColor; }
TColor TcxOffice11LookAndFeelPainter::CalendarSelectionColor() const { return OfficeColors().CalendarSelectionColor; }
TColor TcxOffice11LookAndFeelPainter::CalendarSelectionTextColor() const { return clWindowText; }
TColor TcxOffice11LookAndFeelPainter::FilterBoxColor() const { return OfficeColors().FilterBoxColor; }
TColor TcxOffice11LookAndFeelPainter::FilterBoxTextColor() const { return OfficeColors().FilterBoxTextColor; }
TColor TcxOffice11LookAndFeelPainter::FooterColor() const { return OfficeColors().FaceColor; }
TColor TcxOffice11LookAndFeelPainter::FooterTextColor() const { return HeaderTextColor(); }
TColor TcxOffice11LookAndFeelPainter::GroupRowColor() const { return OfficeColors().GroupRowColor; }
TColor TcxOffice11LookAndFeelPainter::GroupByBoxColor() const { return OfficeColors().GroupByBoxColor; }
TColor TcxOffice11LookAndFeelPainter::GroupByBoxTextColor() const { return OfficeColors().HeaderLightColor; }
TColor TcxOffice11LookAndFeelPainter::HeaderColor() const { return HeaderFaceColor(); }
TColor TcxOffice11LookAndFeelPainter::HeaderBackgroundColor() const { return GroupByBoxColor(); }
TColor TcxOffice11LookAndFeelPainter::SchedulerBorderColor() const { return OfficeColors().SchedulerBorderColor; }
TColor TcxOffice11LookAndFeelPainter::SchedulerPanelColor() const { return OfficeColors().SchedulerPanelColor; }
TColor TcxOffice11LookAndFeelPainter::ExtraColor1() const { return OfficeColors().LightFaceColor; }
TColor TcxOffice11LookAndFeelPainter::ExtraColor3() const { return OfficeColors().LightFaceColor; }
TColor TcxOffice11LookAndFeelPainter::ExtraColor6() const { return OfficeColors().FaceColor; }
TColor TcxOffice11LookAndFeelPainter::ExtraColor8() const { return SchedulerPanelColor(); }

TColor TcxOffice11LookAndFeelPainter::FlatStateBorderColor(TcxButtonState state) const {
    return state == cxbsNormal ? HeaderShadowColor() : OfficeColors().SelectionBorderColor;
}
TColor TcxOffice11LookAndFeelPainter::FlatBorderColor() const { return HeaderShadowColor(); }
TColor TcxOffice11LookAndFeelPainter::FlatDarkBorderColor() const { return clBtnText; }
TColor TcxOffice11LookAndFeelPainter::FlatHotBorderColor() const { return OfficeColors().SelectionBorderColor; }
TColor TcxOffice11LookAndFeelPainter::HeaderEdgeColor() const { return OfficeColors().HeaderDarkColor; }
TColor TcxOffice11LookAndFeelPainter::HeaderShadowColor() const { return OfficeColors().HeaderShadowColor; }
TColor TcxOffice11LookAndFeelPainter::HeaderBrightColor() const { return OfficeColors().HeaderBrightColor; }

TColor TcxOffice11LookAndFeelPainter::HeaderFaceColor() const {
    return MixColorsByPercent(OfficeColors().HeaderLightColor, OfficeColors().HeaderDarkColor, 50);
}

TColor TcxOffice11LookAndFeelPainter::FooterLineColor() const { return HeaderShadowColor(); }

// ---- frames and buttons --------------------------------------------------------------------

void TcxOffice11LookAndFeelPainter::DrawControlBorder(TcxCanvas* canvas, const TRect& r) const {
    canvas->FrameRectBorders(r, OfficeColors().BorderColor);
}

TColor TcxOffice11LookAndFeelPainter::ButtonFaceColor(TcxButtonState state) const {
    switch (state) {
        case cxbsHot:
            return OfficeColors().HotFaceColor;
        case cxbsPressed:
            return OfficeColors().PressedFaceColor;
        case cxbsDisabled:
            return clBtnFace;
        default:
            return OfficeColors().FaceColor;
    }
}

// Pressed buttons of the classic scheme are dark, so their glyphs turn light; the XP schemes'
// pressed faces are light and keep the glyph colour.
TColor TcxOffice11LookAndFeelPainter::ButtonGlyphColor(TcxButtonState state, TColor) const {
    if (state == cxbsPressed && !IsOffice11XPScheme()) return clHighlightText;
    return state == cxbsDisabled ? OfficeColors().DisabledGlyphColor : OfficeColors().GlyphColor;
}

void TcxOffice11LookAndFeelPainter::DrawButtonFrame(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const {
    switch (state) {
        case cxbsDefault:
            TcxUltraFlatLookAndFeelPainter::DrawButtonFrame(canvas, r, state);
            break;
        case cxbsNormal:
            canvas->FrameRectBorders(r, clBtnText);
            break;
        case cxbsDisabled:
            canvas->FrameRectBorders(r, OfficeColors().DisabledGlyphColor);
            break;
        default:
            canvas->FrameRectBorders(r, OfficeColors().SelectionBorderColor);
            break;
    }
}

// The button is a bitmap whose corners are blended with what lies under them, so that it looks
// rounded on any background.
void TcxOffice11LookAndFeelPainter::DrawPlusMinusButton(TcxCanvas* canvas, const TRect& r, TColor,
                                                        bool expanded) const {
    const bool loaded = Office11ExpandButtonBitmap(expanded) != nullptr;
    if (!loaded) AcquireOffice11ColorTables();
    TBitmap button;
    button.Assign(Office11ExpandButtonBitmap(expanded));
    if (!loaded) ReleaseOffice11ColorTables();
    TCanvas* target = canvas->Canvas();
    const TColor underTopLeft = target->Pixels(r.left, r.top),
                 underBottomRight = target->Pixels(r.right - 1, r.bottom - 1);
    const int last = button.Width() - 1;
    TCanvas* pixels = button.Canvas();
    pixels->SetPixels(0, 0, MixColorsByPercent(Office11LightCornerColor, underTopLeft, 25));
    const TColor dark = MixColorsByPercent(Office11DarkCornerColor, underBottomRight, 25);
    pixels->SetPixels(last, last, dark);
    pixels->SetPixels(0, last, dark);
    pixels->SetPixels(last, 0, dark);
    target->Draw(r.left, r.top, &button);
}

void TcxOffice11LookAndFeelPainter::DrawSmallPlusMinusButton(TcxCanvas* canvas, const TRect& r, TColor,
                                                             TColor faceColor, bool expanded) const {
    DrawPlusMinusButton(canvas, r, faceColor, expanded);
}

int TcxOffice11LookAndFeelPainter::PlusMinusButtonSize() const { return 11; }
int TcxOffice11LookAndFeelPainter::SmallPlusMinusButtonSize() const { return PlusMinusButtonSize(); }
bool TcxOffice11LookAndFeelPainter::IsPlusMinusDrawnFirst() const { return false; }

TColor TcxOffice11LookAndFeelPainter::CheckBoxFaceColor(TcxButtonState state) const {
    if (state == cxbsHot || state == cxbsPressed || state == cxbsDisabled) return ButtonFaceColor(state);
    return TcxCustomLookAndFeelPainter::CheckBoxFaceColor(state);
}

// ---- header and footer cells ---------------------------------------------------------------

void TcxOffice11LookAndFeelPainter::DrawTextContent(TcxCanvas* canvas, const TRect& bounds, const TRect& textRect,
                                                    TcxButtonState state, TAlignment alignHorz,
                                                    TcxAlignmentVert alignVert, bool multiLine, bool showEndEllipsis,
                                                    const String& text, TFont* font, TColor textColor, TColor,
                                                    const TcxDrawBackgroundEvent& onDrawBackground,
                                                    bool plainBackground) const {
    const bool hotHeader = state == cxbsHot && !plainBackground;
    if (!onDrawBackground.Assigned() || !onDrawBackground(canvas, bounds)) {
        TColor c1 = hotHeader ? OfficeColors().HeaderLightColor : HeaderFaceColor();
        TColor c2 = hotHeader ? OfficeColors().HeaderLightColor : HeaderEdgeColor();
        if (plainBackground) {
            FillRectColor(canvas, bounds, c1);
        } else {
            FillRectColor(canvas, TRect{bounds.left, bounds.top, bounds.right, bounds.bottom - 3}, c1);
            FillRectWithGradient(canvas->GetCanvasHandle(),
                                 TRect{bounds.left, bounds.bottom - 4, bounds.right, bounds.bottom}, c1, c2, false);
        }
    }
    DrawCellText(canvas, textRect, alignHorz, alignVert, multiLine, showEndEllipsis, text, font, textColor);
    if (hotHeader)
        FillRectWithGradient(canvas->GetCanvasHandle(),
                             TRect{bounds.left - 1, bounds.bottom - 2, bounds.right, bounds.bottom + 1},
                             OfficeColors().HotFaceColor, OfficeColors().HotFaceEndColor, false);
}

void TcxOffice11LookAndFeelPainter::DrawHeaderCell(TcxCanvas* canvas, const TRect& bounds, const TRect& textBounds,
                                                   TcxButtonState state, TcxNeighbors neighbors, TcxBorders borders,
                                                   TAlignment alignHorz, TcxAlignmentVert alignVert, bool multiLine,
                                                   bool showEndEllipsis, const String& text, TFont* font,
                                                   TColor textColor, TColor backgroundColor,
                                                   const TcxDrawBackgroundEvent&, bool isLast, bool isGroup) const {
    TcxCustomLookAndFeelPainter::DrawHeaderCell(canvas, bounds, textBounds, state, neighbors, borders, alignHorz,
                                                alignVert, multiLine, showEndEllipsis, text, font, textColor,
                                                backgroundColor, nullptr, isLast, isGroup);
}

// Every header has all four borders; where a neighbour adjoins, only the corner pixels change so
// that the cells run into each other.
void TcxOffice11LookAndFeelPainter::DrawHeaderCellBorder(TcxCanvas* canvas, const TRect& r, TcxNeighbors neighbors,
                                                         TcxBorders borders) const {
    const TColor face = HeaderFaceColor(), edge = HeaderEdgeColor(), shadow = HeaderShadowColor(),
                 bright = HeaderBrightColor();
    const int L = r.left, T = r.top, R = r.right, B = r.bottom;
    auto pixel = [&](int x, int y, TColor color) { canvas->SetPixelColor(x, y, color); };
    auto column = [&](int x, int from, int to, TColor color) {
        FillRectColor(canvas, TRect{x, from, x + 1, to + 1}, color);
    };
    if (borders.Contains(bTop)) FillRectColor(canvas, TRect{L, T, R, T + 1}, face);
    if (borders.Contains(bBottom)) FillRectColor(canvas, TRect{L, B - 1, R, B}, shadow);
    if (borders.Contains(bLeft)) {
        if (neighbors.Contains(nLeft)) {
            pixel(L, T + 1, face);
            pixel(L, B - 3, MixColorsByPercent(face, edge, 25));
            pixel(L, B - 2, edge);
            column(L, T + 2, B - 4, bright);
        } else {
            pixel(L, B - 2, edge);
            column(L, T + 1, B - 3, bright);
        }
    }
    if (borders.Contains(bRight)) {
        if (neighbors.Contains(nRight)) {
            pixel(R - 1, T + 1, face);
            pixel(R - 1, B - 3, MixColorsByPercent(face, edge, 25));
            pixel(R - 1, B - 2, edge);
            column(R - 1, T + 2, B - 4, shadow);
        } else {
            pixel(R - 1, T, MixColorsByPercent(face, shadow, 50));
            pixel(R - 1, B - 2, MixColorsByPercent(edge, shadow, 50));
            column(R - 1, T + 1, B - 3, shadow);
        }
    }
}

void TcxOffice11LookAndFeelPainter::DrawHeaderSection(TcxCanvas* canvas, const TRect& bounds, const TRect& textBounds,
                                                      TcxButtonState state, TcxNeighbors neighbors, TcxBorders borders,
                                                      TAlignment alignHorz, TcxAlignmentVert alignVert, bool multiLine,
                                                      bool showEndEllipsis, const String& text, TFont* font,
                                                      TColor textColor, TColor backgroundColor) const {
    DrawHeaderCell(canvas, bounds, textBounds, state, neighbors, borders, alignHorz, alignVert, multiLine,
                   showEndEllipsis, text, font, textColor, backgroundColor);
    if (state == cxbsPressed) InvertHeaderRect(canvas, bounds);
}

void TcxOffice11LookAndFeelPainter::DrawSortMark(TcxCanvas* canvas, const TRect& r, bool ascending) const {
    DrawSortTriangle(canvas, r, ascending, HeaderBrightColor(), HeaderShadowColor());
}

TcxBorders TcxOffice11LookAndFeelPainter::HeaderBorders(TcxNeighbors) const { return cxBordersAll; }
int TcxOffice11LookAndFeelPainter::HeaderBorderWidth() const { return 1; }
bool TcxOffice11LookAndFeelPainter::SupportsHeaderHotTrack() const { return true; }

// ---- scroll bars, grips, calendar and navigation -------------------------------------------

void TcxOffice11LookAndFeelPainter::DrawScrollBarElement(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                                         bool horizontal, TcxScrollBarPart part) const {
    if (AreThemesAvailable(ThemedTypes({totScrollBar})))
        TcxWinXPLookAndFeelPainter::Instance()->DrawScrollBarElement(canvas, r, state, horizontal, part);
    else
        TcxStandardLookAndFeelPainter::Instance()->DrawScrollBarElement(canvas, r, state, horizontal, part);
}

void TcxOffice11LookAndFeelPainter::DrawSizeGripArea(TcxCanvas* canvas, const TRect& r, TColor color) const {
    FillRectColor(canvas, r, color);
    Office11DrawResizeGrip(canvas->GetCanvasHandle(), r);
}

void TcxOffice11LookAndFeelPainter::DrawCalendarHeader(TcxCanvas* canvas, const TRect& r, const String& text,
                                                       TcxNeighbors, const TcxViewParams& viewParams,
                                                       TcxHeaderArrows arrows, int arrowOffset,
                                                       const TcxDrawBackgroundEvent& onDrawBackground) const {
    TRect inner = InflateRectSides(r, -1, -1, -1, -1);
    if (!onDrawBackground.Assigned() || !onDrawBackground(canvas, inner))
        FillRectColor(canvas, inner, viewParams.color);
    if (!text.empty()) {
        if (viewParams.font) canvas->SetCanvasFont(viewParams.font);
        if (viewParams.textColor != clDefault) canvas->GetCanvasFont()->SetColor(viewParams.textColor);
        canvas->GetCanvasBrush()->SetStyle(bsClear);
        canvas->DrawTextInRect(text, inner, cxAlignHCenter | cxAlignVCenter | cxSingleLine);
        canvas->GetCanvasBrush()->SetStyle(bsSolid);
    }
    DrawHeaderSideArrows(canvas, r, clWindowText, arrowOffset, arrows);
}

void TcxOffice11LookAndFeelPainter::DrawSchedulerFrame(TcxCanvas* canvas, const TRect& r) const {
    canvas->FrameRectBorders(r, SchedulerBorderColor());
}

void TcxOffice11LookAndFeelPainter::DrawNavigatorPushButton(TcxCanvas* canvas, const TRect& r,
                                                            TcxButtonState state) const {
    TcxWinXPLookAndFeelPainter::Instance()->DrawNavigatorPushButton(canvas, r, state);
}

void TcxOffice11LookAndFeelPainter::DrawNavigationButtonContent(TcxCanvas* canvas, const TRect& r,
                                                                const TRect& arrowRect, TcxButtonState state,
                                                                bool isNext) const {
    const TdxOffice11Colors& colors = OfficeColors();
    FillRectColor(canvas, r,
                  state == cxbsHot       ? colors.HotFaceColor
                  : state == cxbsPressed ? colors.PressedFaceColor
                                         : colors.FaceColor);
    const TcxBorders sides = isNext ? TcxBorders{bLeft, bTop, bBottom} : TcxBorders{bTop, bRight, bBottom};
    canvas->FrameRectBorders(r, colors.SchedulerBorderColor, 1, sides);
    DrawNavigationArrow(canvas, arrowRect, ButtonGlyphColor(state), isNext);
}

// ---- panels --------------------------------------------------------------------------------

void TcxOffice11LookAndFeelPainter::DrawPanelBackdrop(TcxCanvas* canvas, const TRect& r, TControl* control,
                                                      TColor color1, TColor color2) const {
    if (color1 == clDefault)
        DrawParentBackground(control, canvas, r);
    else if (color2 == clDefault)
        FillRectColor(canvas, r, color1);
    else
        FillRectWithGradient(canvas->GetCanvasHandle(), r, color1, color2, false);
}
