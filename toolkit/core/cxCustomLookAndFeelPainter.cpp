// The base painter's colours, metrics and the operations that only compose others. Its drawing
// routines are in cxCustomLookAndFeelPainterDrawing.cpp.
//
// Sections: instance · general · default colours · arrows and borders · buttons · check and
// radio boxes · headers · footers · filter, small buttons and tabs · indicators and scroll bars
// · navigation and calendar · clock, editors, panels, track bars and splitters.

#include "cxCustomLookAndFeelPainter.h"

#include "cxPainterImages.h"
#include "cxPopupWindow.h"
#include "cxRadioButtonImageList.h"

TcxLookAndFeelPainterClass TcxCustomLookAndFeelPainter::Instance() {
    static const TcxCustomLookAndFeelPainter painter;
    return &painter;
}

// ---- general -------------------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::FillRectColor(TcxCanvas* canvas, const TRect& r, TColor color) {
    canvas->FillRectWithColor(r, color);
}

void TcxCustomLookAndFeelPainter::DrawTwoToneFrames(TcxCanvas* canvas, const TRect& r,
                                                    std::initializer_list<std::pair<TColor, TColor>> frames,
                                                    TcxBorders borders) {
    TRect frame = r;
    for (auto [leftTop, rightBottom] : frames) {
        canvas->DrawTwoToneBorders(frame, leftTop, rightBottom, borders);
        frame = InflateRectSides(frame, -1, -1, -1, -1);
    }
}

void TcxCustomLookAndFeelPainter::DrawPlainFrames(TcxCanvas* canvas, const TRect& r,
                                                  std::initializer_list<TColor> colors) {
    TRect frame = r;
    for (TColor color : colors) {
        canvas->FrameRectBorders(frame, color);
        frame = InflateRectSides(frame, -1, -1, -1, -1);
    }
}

void TcxCustomLookAndFeelPainter::FillScrollBarTrack(TcxCanvas* canvas, const TRect& r, bool pressed) {
    TBrush* brush = canvas->GetCanvasBrush();
    brush->SetBitmap(ScrollBarTrackPattern(pressed));
    canvas->Canvas()->FillRect(r);
    brush->SetBitmap(nullptr);
    brush->SetStyle(bsSolid);
}

void TcxCustomLookAndFeelPainter::FillViewParams(TcxCanvas* canvas, const TRect& r, const TcxViewParams& background) {
    if (background.color != clDefault) canvas->SetBrushColor(background.color);
    canvas->FillRectWithTile(r, background.bitmap);
}

void TcxCustomLookAndFeelPainter::FillBackground(TcxCanvas* canvas, const TRect& r, bool transparent, TColor color,
                                                 TBitmap* bitmap) const {
    if (!transparent)
        FillRectColor(canvas, r, color);
    else if (bitmap && !bitmap->Empty())
        canvas->FillRectWithTile(r, bitmap);
}

TRect TcxCustomLookAndFeelPainter::FooterCellInnerBounds(const TRect& bounds) const {
    int w = FooterCellBorderWidth();
    return InflateRectSides(bounds, -w, -w, -w, -w);
}

TRect TcxCustomLookAndFeelPainter::FooterCellTextBounds(const TRect& bounds) const {
    return InflateRectSides(FooterCellInnerBounds(bounds), -2, -2, -2, -2);
}

TcxLookAndFeelStyle TcxCustomLookAndFeelPainter::PainterStyleCode() const { return lfsStandard; }

// ---- default colours -----------------------------------------------------------------------

TColor TcxCustomLookAndFeelPainter::ContentColor() const { return clWindow; }
TColor TcxCustomLookAndFeelPainter::ContentEvenColor() const { return ContentColor(); }
TColor TcxCustomLookAndFeelPainter::ContentOddColor() const { return ContentColor(); }
TColor TcxCustomLookAndFeelPainter::ContentTextColor() const { return clWindowText; }
TColor TcxCustomLookAndFeelPainter::EditorBackgroundColorByDisabled(bool disabled) const {
    return EditorBackgroundColor(disabled ? esckDisabled : esckNormal);
}
TColor TcxCustomLookAndFeelPainter::EditorBackgroundColor(TcxEditStateColorKind) const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::EditorTextColorByDisabled(bool disabled) const {
    return EditorTextColor(disabled ? esckDisabled : esckNormal);
}
TColor TcxCustomLookAndFeelPainter::EditorTextColor(TcxEditStateColorKind) const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::FilterBoxColor() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::FilterBoxTextColor() const { return clBtnHighlight; }
TColor TcxCustomLookAndFeelPainter::GridFixedLineColor() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::FooterColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::FooterTextColor() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::SiteColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::GridLineColor() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::GroupByBoxColor() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::GroupByBoxTextColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::GroupRowColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::GroupRowTextColor() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::HeaderBackgroundColor() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::HeaderBackgroundTextColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::HeaderColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::HeaderTextColor() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::LinkTextColor() const { return clBlue; }
TColor TcxCustomLookAndFeelPainter::InactiveColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::InactiveTextColor() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::PreviewTextColor() const { return clBlue; }
TColor TcxCustomLookAndFeelPainter::FixedLineColor() const { return GridLineColor(); }
TColor TcxCustomLookAndFeelPainter::FormContentColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::VerticalGridCategoryColor() const { return HeaderColor(); }
TColor TcxCustomLookAndFeelPainter::VerticalGridCategoryTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::VerticalGridLineColor() const { return clBlack; }
TColor TcxCustomLookAndFeelPainter::VerticalGridBandBorderColor() const { return VerticalGridLineColor(); }
TColor TcxCustomLookAndFeelPainter::CalendarHeaderColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::CalendarSelectionColor() const { return clHighlight; }
TColor TcxCustomLookAndFeelPainter::CalendarSelectionTextColor() const { return clHighlightText; }
TColor TcxCustomLookAndFeelPainter::SchedulerContentColor() const { return clWindow; }
TColor TcxCustomLookAndFeelPainter::SchedulerTextColor() const { return clWindowText; }
TColor TcxCustomLookAndFeelPainter::SchedulerBorderColor() const { return TColor(0x9D9DA1); }
TColor TcxCustomLookAndFeelPainter::SchedulerPanelColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::SchedulerNavigatorColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::SchedulerViewColor() const { return TColor(0xD5FFFF); }
TColor TcxCustomLookAndFeelPainter::SelectedAppointmentTextColor() const { return SelectionTextColor(); }
TColor TcxCustomLookAndFeelPainter::AppointmentTextColor() const { return clWindowText; }
TColor TcxCustomLookAndFeelPainter::SelectionColor() const { return clHighlight; }
TColor TcxCustomLookAndFeelPainter::SelectionTextColor() const { return clHighlightText; }
TColor TcxCustomLookAndFeelPainter::CardSeparatorColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::ExtraColor1() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::ExtraColor2() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::ExtraColor3() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::ExtraColor4() const { return clWhite; }
TColor TcxCustomLookAndFeelPainter::ExtraColor5() const { return clBlack; }
TColor TcxCustomLookAndFeelPainter::ExtraColor6() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::ExtraColor7() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::ExtraColor8() const { return clWhite; }
TColor TcxCustomLookAndFeelPainter::ExtraColor9() const { return clBlack; }
TColor TcxCustomLookAndFeelPainter::ExtraColor10() const { return clBlack; }
TColor TcxCustomLookAndFeelPainter::ExtraColor11() const { return clBlack; }
TColor TcxCustomLookAndFeelPainter::ExtraColor12() const { return TColor(0xCFCFCF); }
TColor TcxCustomLookAndFeelPainter::ExtraColor13() const { return clWhite; }
TColor TcxCustomLookAndFeelPainter::ExtraColor14() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::ExtraColor15() const { return TColor(0xF0CAA6); }
TColor TcxCustomLookAndFeelPainter::ExtraColor16() const { return clNavy; }
TColor TcxCustomLookAndFeelPainter::ExtraColor17() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::ExtraColor18() const { return clBtnShadow; }

// ---- arrows and borders --------------------------------------------------------------------

int TcxCustomLookAndFeelPainter::BorderWidth() const { return 0; }
void TcxCustomLookAndFeelPainter::DrawControlBorder(TcxCanvas*, const TRect&) const {}
TRect TcxCustomLookAndFeelPainter::AdjustButtonRectInGroup(const TRect& r, int, int) const { return r; }

// ---- buttons -------------------------------------------------------------------------------

int TcxCustomLookAndFeelPainter::ButtonBorderWidth(TcxButtonState) const { return 0; }
TColor TcxCustomLookAndFeelPainter::ButtonFaceColor(TcxButtonState) const { return clBtnFace; }

TRect TcxCustomLookAndFeelPainter::ButtonFocusRectangle(TcxCanvas*, const TRect& r) const {
    TRect focus = InflateRectSides(r, -4, -4, -4, -4);
    return IsRectEmpty(&focus) ? r : focus;
}

TRect TcxCustomLookAndFeelPainter::ButtonGroupBorders(int, int) const {
    int w = ButtonBorderWidth(cxbsNormal);
    return TRect{w, w, w, w};
}

int TcxCustomLookAndFeelPainter::ButtonTextMargin() const { return 0; }
int TcxCustomLookAndFeelPainter::ButtonPressedTextShift() const { return 0; }

TColor TcxCustomLookAndFeelPainter::ButtonGlyphColor(TcxButtonState state, TColor defaultColor) const {
    if (state == cxbsDisabled) return clBtnShadow;
    return defaultColor == clDefault ? clBtnText : defaultColor;
}

TcxButtonState TcxCustomLookAndFeelPainter::ButtonGlyphState(TcxButtonState state) const { return state; }

void TcxCustomLookAndFeelPainter::DrawGroupedButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state, int, int,
                                                    TColor) const {
    DrawCaptionButton(canvas, r, state, String(), true);
}

void TcxCustomLookAndFeelPainter::DrawButtonFrame(TcxCanvas*, const TRect&, TcxButtonState) const {}
void TcxCustomLookAndFeelPainter::DrawButtonOutline(TcxCanvas*, const TRect&, bool, bool) const {}
void TcxCustomLookAndFeelPainter::DrawPlusMinusButton(TcxCanvas*, const TRect&, TColor, bool) const {}
bool TcxCustomLookAndFeelPainter::IsPlusMinusDrawnFirst() const { return true; }
int TcxCustomLookAndFeelPainter::PlusMinusButtonSize() const { return 0; }
int TcxCustomLookAndFeelPainter::GroupChevronButtonSize() const { return 15; }
bool TcxCustomLookAndFeelPainter::SupportsButtonHotTrack() const { return false; }

bool TcxCustomLookAndFeelPainter::IsPointInGroupChevronButton(const TRect& r, const TPoint& p) const {
    return PtInRect(&r, p) != FALSE;
}

int TcxCustomLookAndFeelPainter::SmallPlusMinusButtonSize() const { return 9; }

// ---- check and radio boxes, label lines ----------------------------------------------------

int TcxCustomLookAndFeelPainter::CheckBoxBorderWidth() const { return 2; }

TColor TcxCustomLookAndFeelPainter::CheckBoxFaceColor(TcxButtonState state) const {
    return state == cxbsPressed || state == cxbsDisabled ? clBtnFace : clWindow;
}

TSize TcxCustomLookAndFeelPainter::CheckBoxSize() const { return SystemCheckBoxSize(); }
void TcxCustomLookAndFeelPainter::DrawCheckBoxBorder(TcxCanvas*, const TRect&, TcxButtonState) const {}

void TcxCustomLookAndFeelPainter::DrawCheckBoxByChecked(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                                        bool checked) const {
    DrawCheckBoxGlyph(canvas, r, state, checked ? cbsChecked : cbsUnchecked);
}

void TcxCustomLookAndFeelPainter::DrawCheckBoxGlyph(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                                    TcxCheckBoxState checkState) const {
    DrawCheckBoxBorder(canvas, r, state);
    int w = CheckBoxBorderWidth();
    DrawCheckMark(canvas, InflateRectSides(r, -w, -w, -w, -w), state, checkState == cbsChecked,
                  state == cxbsDisabled ? clGrayText : clBtnText);
}

void TcxCustomLookAndFeelPainter::DrawRadioButton(TcxCanvas* canvas, int x, int y, TcxButtonState state, bool checked,
                                                  bool focused, bool emphasized, TColor backgroundColor) const {
    RadioButtonImageList()->Draw(canvas, x, y, LookAndFeelStyleToKind(PainterStyleCode()), state, checked, focused,
                                 emphasized, backgroundColor);
}

TSize TcxCustomLookAndFeelPainter::RadioButtonImageSize() const { return RadioButtonImageList()->ImageSize(); }

void TcxCustomLookAndFeelPainter::DrawLabelLine(TcxCanvas* canvas, const TRect& r, bool vertical, TColor color1,
                                                TColor color2) const {
    canvas->DrawTwoToneBorders(r, color1 == clDefault ? clBtnShadow : color1,
                               color2 == clDefault ? clBtnHighlight : color2,
                               vertical ? TcxBorders{bLeft, bRight} : TcxBorders{bTop, bBottom});
}

int TcxCustomLookAndFeelPainter::LabelLineWidth() const { return 2; }

// ---- headers -------------------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawHeaderCell(TcxCanvas* canvas, const TRect& bounds, const TRect& textBounds,
                                                 TcxButtonState state, TcxNeighbors neighbors, TcxBorders borders,
                                                 TAlignment alignHorz, TcxAlignmentVert alignVert, bool multiLine,
                                                 bool showEndEllipsis, const String& text, TFont* font,
                                                 TColor textColor, TColor backgroundColor,
                                                 const TcxDrawBackgroundEvent& onDrawBackground, bool, bool) const {
    DrawHeaderCellBorder(canvas, bounds, neighbors, borders);
    DrawTextContent(canvas, HeaderContentBounds(bounds, borders), textBounds, state, alignHorz, alignVert, multiLine,
                    showEndEllipsis, text, font, textColor, backgroundColor, onDrawBackground, false);
}

void TcxCustomLookAndFeelPainter::DrawPlainHeaderCell(TcxCanvas* canvas, const TRect& bounds, const TRect& textBounds,
                                                      TcxButtonState state, TcxNeighbors neighbors, TcxBorders borders,
                                                      TAlignment alignHorz, TcxAlignmentVert alignVert, bool multiLine,
                                                      bool showEndEllipsis, const String& text, TFont* font,
                                                      TColor textColor, TColor backgroundColor,
                                                      const TcxDrawBackgroundEvent& onDrawBackground) const {
    DrawHeaderCell(canvas, bounds, textBounds, state, neighbors, borders, alignHorz, alignVert, multiLine,
                   showEndEllipsis, text, font, textColor, backgroundColor, onDrawBackground, false, false);
}

void TcxCustomLookAndFeelPainter::DrawHeaderCellBorder(TcxCanvas*, const TRect&, TcxNeighbors, TcxBorders) const {}

void TcxCustomLookAndFeelPainter::InvertHeaderRect(TcxCanvas* canvas, const TRect& r) const {
    canvas->InvertRectArea(r);
}

void TcxCustomLookAndFeelPainter::DrawHeaderSection(TcxCanvas* canvas, const TRect& bounds, const TRect& textBounds,
                                                    TcxButtonState state, TcxNeighbors, TcxBorders borders,
                                                    TAlignment alignHorz, TcxAlignmentVert alignVert, bool multiLine,
                                                    bool showEndEllipsis, const String& text, TFont* font,
                                                    TColor textColor, TColor backgroundColor) const {
    DrawHeaderSectionBorder(canvas, bounds, state, borders);
    DrawHeaderSectionContent(canvas, HeaderSectionContentBounds(bounds, state), textBounds, state, alignHorz, alignVert,
                             multiLine, showEndEllipsis, text, font, textColor, backgroundColor);
}

void TcxCustomLookAndFeelPainter::DrawHeaderSectionBorder(TcxCanvas*, const TRect&, TcxButtonState, TcxBorders) const {}

void TcxCustomLookAndFeelPainter::DrawHeaderSectionContent(TcxCanvas* canvas, const TRect& r, const TRect& textBounds,
                                                           TcxButtonState state, TAlignment alignHorz,
                                                           TcxAlignmentVert alignVert, bool multiLine,
                                                           bool showEndEllipsis, const String& text, TFont* font,
                                                           TColor textColor, TColor backgroundColor) const {
    FillRectColor(canvas, r, backgroundColor);
    DrawHeaderSectionText(canvas, HeaderSectionTextBounds(textBounds, state), state, alignHorz, alignVert, multiLine,
                          showEndEllipsis, text, font, textColor);
}

void TcxCustomLookAndFeelPainter::DrawSortMark(TcxCanvas*, const TRect&, bool) const {}
TcxBorders TcxCustomLookAndFeelPainter::HeaderBorders(TcxNeighbors) const { return cxBordersAll; }
int TcxCustomLookAndFeelPainter::HeaderBorderWidth() const { return 0; }

TRect TcxCustomLookAndFeelPainter::HeaderDrawBounds(const TRect& bounds, TcxNeighbors neighbors,
                                                    TcxBorders borders) const {
    TcxBorders grown = borders - HeaderBorders(neighbors);
    int w = HeaderBorderWidth();
    return InflateRectSides(bounds, grown.Contains(bLeft) ? w : 0, grown.Contains(bTop) ? w : 0,
                            grown.Contains(bRight) ? w : 0, grown.Contains(bBottom) ? w : 0);
}

TRect TcxCustomLookAndFeelPainter::HeaderContentBounds(const TRect& bounds, TcxBorders borders) const {
    int w = HeaderBorderWidth();
    return InflateRectSides(bounds, borders.Contains(bLeft) ? -w : 0, borders.Contains(bTop) ? -w : 0,
                            borders.Contains(bRight) ? -w : 0, borders.Contains(bBottom) ? -w : 0);
}

bool TcxCustomLookAndFeelPainter::HeaderOpaqueDefault() const { return true; }

int TcxCustomLookAndFeelPainter::HeaderWidthForTextWidth(int textWidth) const {
    return textWidth + 2 * HeaderBorderWidth() + 4;
}

int TcxCustomLookAndFeelPainter::HeaderSectionBorderWidth(TcxButtonState) const { return 1; }

TRect TcxCustomLookAndFeelPainter::HeaderSectionTextBounds(const TRect& bounds, TcxButtonState state) const {
    return state == cxbsPressed ? ShiftRect(bounds, 1, 1) : bounds;
}

TRect TcxCustomLookAndFeelPainter::HeaderSectionContentBounds(const TRect& bounds, TcxButtonState state) const {
    int w = HeaderSectionBorderWidth(state);
    return InflateRectSides(bounds, -w, -w, -w, -w);
}

int TcxCustomLookAndFeelPainter::HeaderWidthForCaption(TcxCanvas* canvas, TcxBorders borders, TFont* font,
                                                       const String& text) const {
    if (font) canvas->SetCanvasFont(font);
    int width = canvas->WidthOfText(text) + 4;
    if (borders.Contains(bLeft)) width += HeaderBorderWidth();
    if (borders.Contains(bRight)) width -= HeaderBorderWidth();
    return width;
}

bool TcxCustomLookAndFeelPainter::SupportsHeaderHotTrack() const { return false; }
TSize TcxCustomLookAndFeelPainter::SortMarkArea() const { return TSize{16, SortMarkSize().cy}; }
TSize TcxCustomLookAndFeelPainter::SortMarkSize() const { return TSize{0, 0}; }

void TcxCustomLookAndFeelPainter::DrawGridGroupPanel(TcxCanvas* canvas, const TRect& r, bool transparent, TColor color,
                                                     TBitmap* bitmap) const {
    FillBackground(canvas, r, transparent, color, bitmap);
}

bool TcxCustomLookAndFeelPainter::IsHeaderOpaque() const { return HeaderOpaqueDefault(); }
TColor TcxCustomLookAndFeelPainter::GridGroupPanelColor() const { return HeaderBackgroundColor(); }
TColor TcxCustomLookAndFeelPainter::GridGroupPanelTextColor() const { return HeaderBackgroundTextColor(); }
int TcxCustomLookAndFeelPainter::GridGroupPanelMetric() const { return 15; }

// ---- footers -------------------------------------------------------------------------------

int TcxCustomLookAndFeelPainter::FooterBorderWidth() const { return 0; }
int TcxCustomLookAndFeelPainter::FooterCellBorderWidth() const { return 0; }
int TcxCustomLookAndFeelPainter::FooterCellSpacing() const { return 0; }
bool TcxCustomLookAndFeelPainter::IsFooterCellDrawnFirst() const { return true; }
TColor TcxCustomLookAndFeelPainter::FooterLineColor() const { return clBtnShadow; }
int TcxCustomLookAndFeelPainter::FooterLineWidth() const { return 1; }

void TcxCustomLookAndFeelPainter::DrawFooterCell(TcxCanvas* canvas, const TRect& r, TAlignment alignHorz,
                                                 TcxAlignmentVert alignVert, bool multiLine, const String& text,
                                                 TFont* font, TColor textColor, TColor backgroundColor,
                                                 const TcxDrawBackgroundEvent& onDrawBackground) const {
    DrawFooterCellBorder(canvas, r);
    DrawTextContent(canvas, FooterCellInnerBounds(r), FooterCellTextBounds(r), cxbsDefault, alignHorz, alignVert,
                    multiLine, false, text, font, textColor, backgroundColor, onDrawBackground, true);
}

void TcxCustomLookAndFeelPainter::DrawFooterBorder(TcxCanvas*, const TRect&) const {}
void TcxCustomLookAndFeelPainter::DrawFooterCellBorder(TcxCanvas*, const TRect&) const {}

void TcxCustomLookAndFeelPainter::DrawFooterPanel(TcxCanvas* canvas, const TRect& r,
                                                  const TcxViewParams& background) const {
    if (!IsRectEmpty(&r)) FillViewParams(canvas, r, background);
}

void TcxCustomLookAndFeelPainter::DrawFooterLine(TcxCanvas* canvas, const TRect& r) const {
    FillRectColor(canvas, r, FooterLineColor());
}

// ---- filter, small buttons, windows and tabs -----------------------------------------------

void TcxCustomLookAndFeelPainter::DrawFilterActivateButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                                           bool checked) const {
    DrawCheckBoxByChecked(canvas, r, state, checked);
}

void TcxCustomLookAndFeelPainter::DrawFilterArrowButton(TcxCanvas*, const TRect&, TcxButtonState, bool) const {}

void TcxCustomLookAndFeelPainter::DrawFilterPanel(TcxCanvas* canvas, const TRect& r, bool transparent, TColor color,
                                                  TBitmap* bitmap) const {
    FillBackground(canvas, r, transparent, color, bitmap);
}

TSize TcxCustomLookAndFeelPainter::FilterActivateButtonExtent() const { return TSize{13, 13}; }
TSize TcxCustomLookAndFeelPainter::SmallCloseButtonSize() const { return TSize{16, 14}; }
TSize TcxCustomLookAndFeelPainter::FilterArrowButtonSize() const { return TSize{15, 0}; }

void TcxCustomLookAndFeelPainter::FillWindowBackground(TcxCanvas* canvas, const TRect& r) const {
    FillRectColor(canvas, r, clBtnFace);
}

TcxPopupFrameStyle TcxCustomLookAndFeelPainter::PopupFrameStyle() const { return pfsFlat; }
void TcxCustomLookAndFeelPainter::DrawTabItem(TcxCanvas*, const TRect&, TcxButtonState, const String&, TFont*, TColor,
                                              TColor, bool, bool, TcxBorders) const {}
void TcxCustomLookAndFeelPainter::DrawTabFrame(TcxCanvas*, const TRect&, bool, TcxBorders, int) const {}
void TcxCustomLookAndFeelPainter::DrawTabStrip(TcxCanvas*, const TRect&, bool, TcxBorders) const {}
bool TcxCustomLookAndFeelPainter::IsTabDrawingSupported(bool) const { return false; }
bool TcxCustomLookAndFeelPainter::SupportsTabHotTrack(bool) const { return false; }
int TcxCustomLookAndFeelPainter::TabBorderWidth(bool) const { return 0; }

// ---- indicators, scroll bars and size grip -------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawIndicatorGlyph(TcxCanvas* canvas, const TRect& r, TcxIndicatorKind kind) const {
    TCustomImageList* images = IndicatorImages();
    if (kind == ikNone || !images || int(kind) > images->Count()) return;
    images->Draw(canvas->Canvas(), (r.left + r.right - images->Width()) / 2, (r.top + r.bottom - images->Height()) / 2,
                 int(kind) - 1, dsTransparent, itImage);
}

void TcxCustomLookAndFeelPainter::DrawIndicatorItem(TcxCanvas* canvas, const TRect& r, TcxIndicatorKind kind,
                                                    TColor backgroundColor,
                                                    const TcxDrawBackgroundEvent& onDrawBackground) const {
    DrawHeaderCell(canvas, r, r, cxbsNormal, TcxNeighbors{}, HeaderBorders(TcxNeighbors{nTop, nBottom}), taLeftJustify,
                   vaTop, false, false, String(), nullptr, clDefault, backgroundColor, onDrawBackground);
    DrawIndicatorGlyph(canvas, r, kind);
}

void TcxCustomLookAndFeelPainter::DrawIndicatorHeader(TcxCanvas* canvas, const TRect& r, TcxIndicatorKind kind,
                                                      TColor backgroundColor,
                                                      const TcxDrawBackgroundEvent& onDrawBackground) const {
    DrawPlainHeaderCell(canvas, r, r, cxbsNormal, TcxNeighbors{}, cxBordersAll, taLeftJustify, vaTop, false, false,
                        String(), nullptr, clDefault, backgroundColor, onDrawBackground);
    DrawIndicatorGlyph(canvas, r, kind);
}

bool TcxCustomLookAndFeelPainter::ScrollBarOption() const { return true; }
int TcxCustomLookAndFeelPainter::ScrollBarMinThumbSize(bool) const { return 8; }
void TcxCustomLookAndFeelPainter::DrawScrollBarElement(TcxCanvas*, const TRect&, TcxButtonState, bool,
                                                       TcxScrollBarPart) const {}

TSize TcxCustomLookAndFeelPainter::SizeGripExtent() const {
    return TSize{GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)};
}

void TcxCustomLookAndFeelPainter::DrawSizeGripArea(TcxCanvas* canvas, const TRect& r, TColor color) const {
    FillRectColor(canvas, r, color);
    TRect grip = r;
    DrawFrameControl(canvas->GetCanvasHandle(), &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

// ---- navigation, calendar, scheduler and progress ------------------------------------------

void TcxCustomLookAndFeelPainter::DrawCalendarHeader(TcxCanvas* canvas, const TRect& r, const String& text,
                                                     TcxNeighbors neighbors, const TcxViewParams& viewParams,
                                                     TcxHeaderArrows arrows, int arrowOffset,
                                                     const TcxDrawBackgroundEvent& onDrawBackground) const {
    DrawHeaderCell(canvas, r, r, cxbsNormal, neighbors, HeaderBorders(neighbors), taCenter, vaCenter, false, false,
                   text, viewParams.font, viewParams.textColor, viewParams.color, onDrawBackground);
    DrawHeaderSideArrows(canvas, r, clWindowText, arrowOffset, arrows);
}

void TcxCustomLookAndFeelPainter::DrawSchedulerFrame(TcxCanvas* canvas, const TRect& r) const {
    DrawControlBorder(canvas, r);
}

void TcxCustomLookAndFeelPainter::DrawNavigatorPushButton(TcxCanvas* canvas, const TRect& r,
                                                          TcxButtonState state) const {
    DrawCaptionButton(canvas, r, state, String(), true);
}

void TcxCustomLookAndFeelPainter::DrawSplitterBorder(TcxCanvas*, const TRect&, bool, const TcxViewParams&) const {}
TRect TcxCustomLookAndFeelPainter::ProgressIndicatorMargins() const { return TRect{2, 2, 2, 2}; }

TcxNavigationButtonMetrics TcxCustomLookAndFeelPainter::NavigationButtonMetrics(bool isNext) const {
    return TcxNavigationButtonMetrics{isNext ? TRect{2, 6, 0, 6} : TRect{0, 6, 2, 6}, TSize{7, 7}};
}

int TcxCustomLookAndFeelPainter::ExtraBorderWidth() const { return 1; }

// ---- clock, editor buttons, progress bars, panels, track bars and splitters ----------------

void TcxCustomLookAndFeelPainter::DrawEditorButtonFace(TcxCanvas*, const TRect&, TcxButtonState, TcxEditBtnKind) const {
}
int TcxCustomLookAndFeelPainter::EditorButtonTextShift() const { return 0; }
TSize TcxCustomLookAndFeelPainter::EditorButtonMinSize() const { return TSize{0, 0}; }
TColor TcxCustomLookAndFeelPainter::EditorButtonTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::ContainerBorderColor(bool) const { return clDefault; }

void TcxCustomLookAndFeelPainter::DrawNavigatorGlyph(TcxCanvas* canvas, const TRect& r, TCustomImageList* images,
                                                     int imageIndex, int, bool enabled, bool) const {
    if (images) images->Draw(canvas->Canvas(), r.left, r.top, imageIndex, enabled);
}

TSize TcxCustomLookAndFeelPainter::NavigatorGlyphSize() const { return TSize{0, 0}; }
void TcxCustomLookAndFeelPainter::DrawProgressBorder(TcxCanvas*, const TRect&, bool) const {}
void TcxCustomLookAndFeelPainter::DrawProgressChunk(TcxCanvas*, const TRect&, bool) const {}
TRect TcxCustomLookAndFeelPainter::ProgressBorderSize(bool) const { return TRect{0, 0, 0, 0}; }
TColor TcxCustomLookAndFeelPainter::ProgressTextColor() const { return clDefault; }
void TcxCustomLookAndFeelPainter::DrawGroupPanelFill(TcxCanvas*, const TRect&, const TRect&) const {}
void TcxCustomLookAndFeelPainter::DrawGroupPanelCaption(TcxCanvas*, const TRect&, TcxGroupBoxCaptionPosition) const {}
void TcxCustomLookAndFeelPainter::DrawGroupPanelFrame(TcxCanvas*, const TRect&, TcxGroupBoxCaptionPosition,
                                                      TcxBorders) const {}
TRect TcxCustomLookAndFeelPainter::GroupPanelBorderWidths(bool, TcxGroupBoxCaptionPosition) const {
    return TRect{0, 0, 0, 0};
}
TColor TcxCustomLookAndFeelPainter::GroupPanelCaptionTextColor(TcxGroupBoxCaptionPosition) const { return clDefault; }
bool TcxCustomLookAndFeelPainter::IsGroupPanelTransparent(bool, TcxGroupBoxCaptionPosition) const { return false; }

void TcxCustomLookAndFeelPainter::DrawPanelBackdrop(TcxCanvas* canvas, const TRect& r, TControl*, TColor,
                                                    TColor) const {
    DrawGroupPanelFill(canvas, r, r);
}

void TcxCustomLookAndFeelPainter::DrawPanelFrame(TcxCanvas*, const TRect&) const {}

void TcxCustomLookAndFeelPainter::DrawPanelCaption(TcxCanvas* canvas, const TRect& r,
                                                   TcxGroupBoxCaptionPosition position) const {
    DrawGroupPanelCaption(canvas, r, position);
}

void TcxCustomLookAndFeelPainter::DrawPanelSurface(TcxCanvas* canvas, const TRect& r, bool) const {
    FillRectColor(canvas, r, clBtnFace);
}

TRect TcxCustomLookAndFeelPainter::PanelBorderWidths() const { return TRect{0, 0, 0, 0}; }
TColor TcxCustomLookAndFeelPainter::PanelTextColor() const { return clDefault; }
void TcxCustomLookAndFeelPainter::DrawTrackBarTrack(TcxCanvas*, const TRect&, const TRect&, bool, bool, bool) const {}
void TcxCustomLookAndFeelPainter::DrawTrackBarThumb(TcxCanvas*, const TRect&, TcxButtonState, bool,
                                                    TcxTrackBarTicksAlign) const {}
TSize TcxCustomLookAndFeelPainter::TrackBarThumbSize(bool) const { return TSize{0, 0}; }
TColor TcxCustomLookAndFeelPainter::TrackBarTickColor() const { return clDefault; }
int TcxCustomLookAndFeelPainter::TrackBarTrackThickness() const { return 0; }
void TcxCustomLookAndFeelPainter::DrawSplitter(TcxCanvas*, const TRect&, bool, bool, bool) const {}
TSize TcxCustomLookAndFeelPainter::SplitterSize(bool) const { return TSize{0, 0}; }

// ---- class-level helpers -------------------------------------------------------------------

TcxArrowDirection TcxCustomLookAndFeelPainter::ScrollBarArrowDirection(bool horizontal, TcxScrollBarPart part) {
    if (horizontal) return part == sbpLineUp ? adLeft : adRight;
    return part == sbpLineUp ? adUp : adDown;
}

TcxLookAndFeelKind TcxCustomLookAndFeelPainter::LookAndFeelStyleToKind(TcxLookAndFeelStyle style) {
    switch (style) {
        case lfsFlat:
            return lfFlat;
        case lfsUltraFlat:
            return lfUltraFlat;
        case lfsOffice11:
            return lfOffice11;
        default:
            return lfStandard;
    }
}
