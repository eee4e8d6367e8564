#include "dxSkinsLookAndFeelPainter.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "cxBitmap.h"
#include "cxExtendedStylePainters.h"
#include "cxImageStates.h"

namespace {

TcxExtendedStylePainters* painterRegistry = nullptr;

// A colour the skin really holds: neither "none" nor "the caller's default".
bool IsColorAssigned(TColor color) { return color != clNone && color != clDefault; }

bool RealSkinColor(TdxSkinColor* color, TColor& value) {
    if (!color || !IsColorAssigned(color->Value())) return false;
    value = color->Value();
    return true;
}

TRect ContentOffsetOf(TdxSkinElement* element) { return element->ContentOffset()->Rect(); }

TRect DeflateByContentOffset(const TRect& r, TdxSkinElement* element) {
    const TRect o = ContentOffsetOf(element);
    return TRect{r.left + o.left, r.top + o.top, r.right - o.right, r.bottom - o.bottom};
}

int CheckStateImageIndex(TcxCheckBoxState state) { return state == cbsChecked ? 1 : state == cbsGrayed ? 2 : 0; }

}  // namespace

const TdxSkinLookAndFeelPainter* TdxSkinLookAndFeelPainter::Instance() {
    static const TdxSkinLookAndFeelPainter painter;
    return &painter;
}

TdxSkinInfo* TdxSkinLookAndFeelPainter::PainterSkinInfo() const {
    TObject* data = nullptr;
    if (!painterRegistry || !painterRegistry->FindPainterData(this, data)) return nullptr;
    return dynamic_cast<TdxSkinInfo*>(data);
}

bool TdxSkinLookAndFeelPainter::DrawEditorButtonElement(TcxCanvas* canvas, const TRect& r, int which,
                                                        TdxSkinElementState state) const {
    TdxSkinInfo* info = PainterSkinInfo();
    if (!info) return false;
    return DrawElement(canvas, which == 0 ? info->EditorButton : info->CloseButton, r, 0, state);
}

String TdxSkinLookAndFeelPainter::OwningUnitName() const { return L"dxSkinsLookAndFeelPainter"; }

TdxSkinElementState TdxSkinLookAndFeelPainter::ButtonStateToElementState(TcxButtonState state) {
    static const TdxSkinElementState map[] = {esActive, esNormal, esHot, esPressed, esDisabled};
    return state <= cxbsDisabled ? map[state] : esNormal;
}

bool TdxSkinLookAndFeelPainter::DrawElement(TcxCanvas* canvas, TdxSkinElement* element, const TRect& r, int imageIndex,
                                            TdxSkinElementState state) {
    if (!element) return false;
    element->DrawInRect(canvas->GetCanvasHandle(), r, imageIndex, state);
    return true;
}

// ---- colours -------------------------------------------------------------------------------

#define SKIN_REAL_COLOR(Operation, Member)                            \
    TColor TdxSkinLookAndFeelPainter::Operation() const {             \
        TdxSkinInfo* info = PainterSkinInfo();                        \
        TColor value;                                                 \
        if (info && RealSkinColor(info->Member, value)) return value; \
        return TcxOffice11LookAndFeelPainter::Operation();            \
    }
SKIN_REAL_COLOR(ContentColor, ContentColor)
SKIN_REAL_COLOR(SiteColor, ContentColor)
SKIN_REAL_COLOR(ContentEvenColor, ContentEvenColor)
SKIN_REAL_COLOR(ContentOddColor, ContentOddColor)
SKIN_REAL_COLOR(ContentTextColor, ContentTextColor)
#undef SKIN_REAL_COLOR

// Used whenever the element exists, whatever colour it holds.
#define SKIN_ELEMENT_COLOR(Operation, Member, Which)            \
    TColor TdxSkinLookAndFeelPainter::Operation() const {       \
        TdxSkinInfo* info = PainterSkinInfo();                  \
        if (info && info->Member) return info->Member->Which(); \
        return TcxOffice11LookAndFeelPainter::Operation();      \
    }
SKIN_ELEMENT_COLOR(FilterBoxTextColor, GridFilterPanel, TextColor)
SKIN_ELEMENT_COLOR(GridFixedLineColor, GridFixedLine, Color)
SKIN_ELEMENT_COLOR(FixedLineColor, GridFixedLine, Color)
SKIN_ELEMENT_COLOR(GridLineColor, GridGridLine, Color)
SKIN_ELEMENT_COLOR(GroupByBoxTextColor, GridGroupPanel, TextColor)
SKIN_ELEMENT_COLOR(GroupRowColor, GroupRow, Color)
SKIN_ELEMENT_COLOR(GroupRowTextColor, GroupRow, TextColor)
SKIN_ELEMENT_COLOR(HeaderColor, Header, Color)
SKIN_ELEMENT_COLOR(HeaderTextColor, Header, TextColor)
SKIN_ELEMENT_COLOR(VerticalGridCategoryColor, Category, Color)
SKIN_ELEMENT_COLOR(VerticalGridCategoryTextColor, Category, TextColor)
SKIN_ELEMENT_COLOR(VerticalGridLineColor, VerticalGridGridLine, Color)
SKIN_ELEMENT_COLOR(GridGroupPanelTextColor, GridGroupPanel, TextColor)
SKIN_ELEMENT_COLOR(HeaderBackgroundColor, HeaderBackgroundColor, Value)
SKIN_ELEMENT_COLOR(HeaderBackgroundTextColor, HeaderBackgroundTextColor, Value)
#undef SKIN_ELEMENT_COLOR

TColor TdxSkinLookAndFeelPainter::FooterLineColor() const { return GridLineColor(); }

TColor TdxSkinLookAndFeelPainter::EditorBackgroundColor(TcxEditStateColorKind state) const {
    TdxSkinInfo* info = PainterSkinInfo();
    TColor value;
    if (info && RealSkinColor(info->EditorBackgroundColors[state], value)) return value;
    if (info && (state == esckInactive || state == esckReadOnly)) return EditorBackgroundColor(esckNormal);
    return TcxOffice11LookAndFeelPainter::EditorBackgroundColor(state);
}

TColor TdxSkinLookAndFeelPainter::EditorTextColor(TcxEditStateColorKind state) const {
    TdxSkinInfo* info = PainterSkinInfo();
    TColor value;
    if (info && RealSkinColor(info->EditorTextColors[state], value)) return value;
    if (info && (state == esckInactive || state == esckReadOnly)) return EditorTextColor(esckNormal);
    return TcxOffice11LookAndFeelPainter::EditorTextColor(state);
}

TColor TdxSkinLookAndFeelPainter::FormContentColor() const {
    TdxSkinInfo* info = PainterSkinInfo();
    const TColor color = info && info->FormContent ? info->FormContent->Color() : clDefault;
    return color != clDefault ? color : TcxOffice11LookAndFeelPainter::FormContentColor();
}

TColor TdxSkinLookAndFeelPainter::GridGroupPanelColor() const {
    TdxSkinInfo* info = PainterSkinInfo();
    if (info && info->GridGroupPanel && IsColorAssigned(info->GridGroupPanel->Color()))
        return info->GridGroupPanel->Color();
    return TcxOffice11LookAndFeelPainter::GridGroupPanelColor();
}

TColor TdxSkinLookAndFeelPainter::ContainerBorderColor(bool highlighted) const {
    TdxSkinInfo* info = PainterSkinInfo();
    TdxSkinColor* color =
        info ? (highlighted ? info->ContainerHighlightBorderColor : info->ContainerBorderColor) : nullptr;
    return color ? color->Value() : TcxOffice11LookAndFeelPainter::ContainerBorderColor(highlighted);
}

TColor TdxSkinLookAndFeelPainter::GroupPanelCaptionTextColor(TcxGroupBoxCaptionPosition position) const {
    TdxSkinElement* element = GroupPanelElement(true, position);
    return element ? element->TextColor() : TcxOffice11LookAndFeelPainter::GroupPanelCaptionTextColor(position);
}

// ---- sizes and metrics ---------------------------------------------------------------------

TdxSkinElement* TdxSkinLookAndFeelPainter::GroupPanelElement(bool hasCaption,
                                                             TcxGroupBoxCaptionPosition position) const {
    TdxSkinInfo* info = PainterSkinInfo();
    if (!info) return nullptr;
    TdxSkinElement* const captions[] = {info->GroupPanelCaptionTop, info->GroupPanelCaptionBottom,
                                        info->GroupPanelCaptionLeft, info->GroupPanelCaptionRight};
    TdxSkinElement* const frames[] = {info->GroupPanelTop, info->GroupPanelBottom, info->GroupPanelLeft,
                                      info->GroupPanelRight};
    return position <= cxgpRight ? (hasCaption ? captions : frames)[position] : nullptr;
}

// The frame size of the element the info member names, else the inherited answer.
#define SKIN_ELEMENT_SIZE(Type, Operation, Expression, Fallback)                \
    Type TdxSkinLookAndFeelPainter::Operation const {                           \
        TdxSkinInfo* info = PainterSkinInfo();                                  \
        if (info) {                                                             \
            if (TdxSkinElement* element = (Expression)) return element->Size(); \
        }                                                                       \
        return TcxOffice11LookAndFeelPainter::Fallback;                         \
    }
SKIN_ELEMENT_SIZE(TSize, CheckBoxSize(), info->Checkbox, CheckBoxSize())
SKIN_ELEMENT_SIZE(TSize, RadioButtonImageSize(), info->RadioButton, RadioButtonImageSize())
SKIN_ELEMENT_SIZE(TSize, SmallCloseButtonSize(), info->CloseButton, SmallCloseButtonSize())
SKIN_ELEMENT_SIZE(TSize, SizeGripExtent(), info->SizeGrip, SizeGripExtent())
SKIN_ELEMENT_SIZE(TSize, EditorButtonMinSize(), info->EditorButton, EditorButtonMinSize())
SKIN_ELEMENT_SIZE(TSize, NavigatorGlyphSize(), info->Navigator, NavigatorGlyphSize())
SKIN_ELEMENT_SIZE(TSize, TrackBarThumbSize(bool horizontal), horizontal ? info->TrackBarThumb : info->TrackBarThumbVert,
                  TrackBarThumbSize(horizontal))
SKIN_ELEMENT_SIZE(TSize, SplitterSize(bool horizontal), horizontal ? info->SplitterHorz : info->CommonSplitter,
                  SplitterSize(horizontal))
#undef SKIN_ELEMENT_SIZE

int TdxSkinLookAndFeelPainter::ButtonBorderWidth(TcxButtonState state) const {
    TdxSkinInfo* info = PainterSkinInfo();
    return info && info->CommonButton ? 0 : TcxOffice11LookAndFeelPainter::ButtonBorderWidth(state);
}

TRect TdxSkinLookAndFeelPainter::ButtonGroupBorders(int buttonCount, int buttonIndex) const {
    TdxSkinInfo* info = PainterSkinInfo();
    if (!info || !info->EditorButton)
        return TcxOffice11LookAndFeelPainter::ButtonGroupBorders(buttonCount, buttonIndex);
    const TSize button = info->EditorButton->Size(), glyph = NavigatorGlyphSize();
    const int dx = (button.cx - glyph.cx) / 2, dy = (button.cy - glyph.cy) / 2;
    return TRect{dx, dy, dx, dy};
}

int TdxSkinLookAndFeelPainter::PlusMinusButtonSize() const {
    TdxSkinInfo* info = PainterSkinInfo();
    return info && info->PlusMinus ? info->PlusMinus->Size().cy : TcxOffice11LookAndFeelPainter::PlusMinusButtonSize();
}

int TdxSkinLookAndFeelPainter::LabelLineWidth() const {
    TdxSkinInfo* info = PainterSkinInfo();
    return info && info->LabelLine ? info->LabelLine->MinSize()->Width()
                                   : TcxOffice11LookAndFeelPainter::LabelLineWidth();
}

bool TdxSkinLookAndFeelPainter::HeaderOpaqueDefault() const { return false; }

bool TdxSkinLookAndFeelPainter::IsHeaderOpaque() const {
    TdxSkinInfo* info = PainterSkinInfo();
    return info && info->Header ? !info->Header->IsAlphaUsed() : TcxOffice11LookAndFeelPainter::IsHeaderOpaque();
}

int TdxSkinLookAndFeelPainter::FooterCellBorderWidth() const {
    TdxSkinInfo* info = PainterSkinInfo();
    if (!info || !info->FooterCell) return TcxOffice11LookAndFeelPainter::FooterCellBorderWidth();
    const TRect o = ContentOffsetOf(info->FooterCell);
    return std::max({o.left, o.top, o.right, o.bottom});
}

bool TdxSkinLookAndFeelPainter::IsFooterCellDrawnFirst() const { return false; }
bool TdxSkinLookAndFeelPainter::ScrollBarOption() const { return true; }

int TdxSkinLookAndFeelPainter::ScrollBarMinThumbSize(bool horizontal) const {
    TdxSkinInfo* info = PainterSkinInfo();
    TdxSkinScrollInfo* thumb =
        info ? info->ScrollBarParts[horizontal ? dxSkinScrollBarHorizontal : dxSkinScrollBarVertical][3] : nullptr;
    if (!thumb || !thumb->Element) return TcxOffice11LookAndFeelPainter::ScrollBarMinThumbSize(horizontal);
    const TSize size = thumb->Element->Size();
    return horizontal ? size.cx : size.cy;
}

TRect TdxSkinLookAndFeelPainter::ProgressIndicatorMargins() const {
    TdxSkinInfo* info = PainterSkinInfo();
    return info && info->ProgressBorder ? ContentOffsetOf(info->ProgressBorder)
                                        : TcxOffice11LookAndFeelPainter::ProgressIndicatorMargins();
}

TcxNavigationButtonMetrics TdxSkinLookAndFeelPainter::NavigationButtonMetrics(bool isNext) const {
    TdxSkinInfo* info = PainterSkinInfo();
    TdxSkinElement* button = info ? (isNext ? info->NavButtonNext : info->NavButtonPrev) : nullptr;
    TdxSkinElement* arrow = info ? (isNext ? info->NavButtonNextArrow : info->NavButtonPrevArrow) : nullptr;
    if (!button || !arrow) return TcxOffice11LookAndFeelPainter::NavigationButtonMetrics(isNext);
    return TcxNavigationButtonMetrics{ContentOffsetOf(button), arrow->Size()};
}

int TdxSkinLookAndFeelPainter::EditorButtonTextShift() const { return 1; }

TRect TdxSkinLookAndFeelPainter::ProgressBorderSize(bool vertical) const {
    TdxSkinInfo* info = PainterSkinInfo();
    TdxSkinElement* border = info ? (vertical ? info->ProgressBorderVert : info->ProgressBorder) : nullptr;
    return border ? ContentOffsetOf(border) : TcxOffice11LookAndFeelPainter::ProgressBorderSize(vertical);
}

TRect TdxSkinLookAndFeelPainter::GroupPanelBorderWidths(bool hasCaption, TcxGroupBoxCaptionPosition position) const {
    TdxSkinElement* element = GroupPanelElement(hasCaption, position);
    return element ? ContentOffsetOf(element)
                   : TcxOffice11LookAndFeelPainter::GroupPanelBorderWidths(hasCaption, position);
}

bool TdxSkinLookAndFeelPainter::IsGroupPanelTransparent(bool hasCaption, TcxGroupBoxCaptionPosition position) const {
    TdxSkinElement* element = GroupPanelElement(hasCaption, position);
    return element ? element->IsAlphaUsed()
                   : TcxOffice11LookAndFeelPainter::IsGroupPanelTransparent(hasCaption, position);
}

int TdxSkinLookAndFeelPainter::TrackBarTrackThickness() const {
    TdxSkinInfo* info = PainterSkinInfo();
    return info && info->TrackBarTrack ? info->TrackBarTrack->Size().cy
                                       : TcxOffice11LookAndFeelPainter::TrackBarTrackThickness();
}

TcxBorders TdxSkinLookAndFeelPainter::HeaderBorders(TcxNeighbors neighbors) const {
    TcxBorders borders = TcxOffice11LookAndFeelPainter::HeaderBorders(neighbors);
    if (neighbors.Contains(nLeft)) borders.Exclude(bLeft);
    if (neighbors.Contains(nTop)) borders.Exclude(bTop);
    return borders;
}

// ---- drawing -------------------------------------------------------------------------------

void TdxSkinLookAndFeelPainter::DrawTextContent(TcxCanvas* canvas, const TRect& bounds, const TRect& textRect,
                                                TcxButtonState state, TAlignment alignHorz, TcxAlignmentVert alignVert,
                                                bool multiLine, bool showEndEllipsis, const String& text, TFont* font,
                                                TColor textColor, TColor backgroundColor,
                                                const TcxDrawBackgroundEvent& onDrawBackground,
                                                bool plainBackground) const {
    if (text.empty()) return;
    canvas->GetCanvasBrush()->SetStyle(bsClear);
    if (font) canvas->SetCanvasFont(font);
    if (textColor != clDefault) canvas->GetCanvasFont()->SetColor(textColor);
    canvas->DrawTextInRect(text, textRect, TextFlags(alignHorz, alignVert, multiLine, showEndEllipsis));
    canvas->GetCanvasBrush()->SetStyle(bsSolid);
}

void TdxSkinLookAndFeelPainter::DrawControlBorder(TcxCanvas* canvas, const TRect& r) const {
    TdxSkinInfo* info = PainterSkinInfo();
    if (info && info->ContainerBorderColor)
        canvas->FrameRectBorders(r, info->ContainerBorderColor->Value());
    else
        TcxOffice11LookAndFeelPainter::DrawControlBorder(canvas, r);
}

void TdxSkinLookAndFeelPainter::DrawCaptionButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                                  const String& caption, bool withBorder, TColor faceColor,
                                                  TColor textColor, bool wordWrap, TcxCaptionButtonKind kind) const {
    TdxSkinInfo* info = PainterSkinInfo();
    TdxSkinElement* button = info ? info->CommonButton : nullptr;
    if (!button) {
        TcxOffice11LookAndFeelPainter::DrawCaptionButton(canvas, r, state, caption, withBorder, faceColor, textColor,
                                                         wordWrap, kind);
        return;
    }
    DrawElement(canvas, button, r, 0, ButtonStateToElementState(state));
    TRect content = DeflateByContentOffset(r, button);
    canvas->GetCanvasFont()->SetColor(textColor == clDefault ? ButtonGlyphColor(state) : textColor);
    canvas->GetCanvasBrush()->SetStyle(bsClear);
    // An even height centres the text the same way in every state; a short button gives the
    // text one more pixel at the top.
    if ((content.bottom - content.top) % 2 != 0) --content.bottom;
    if (content.bottom - content.top < 18) --content.top;
    if (state == cxbsPressed) content = ShiftRect(content, ButtonPressedTextShift(), ButtonPressedTextShift());
    if (!caption.empty()) {
        const Word flags = wordWrap ? Word(cxAlignHCenter | cxAlignVCenter | cxWordBreak | cxShowPrefix)
                                    : Word(cxAlignHCenter | cxAlignVCenter | cxSingleLine | cxShowPrefix);
        canvas->DrawTextInRect(caption, content, flags, state != cxbsDisabled);
    }
    canvas->GetCanvasBrush()->SetStyle(bsSolid);
}

void TdxSkinLookAndFeelPainter::DrawGroupedButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                                  int buttonCount, int buttonIndex, TColor frameColor) const {
    DrawEditorButtonFace(canvas, r, state, cxbkEditorBtn);
}

void TdxSkinLookAndFeelPainter::DrawButtonOutline(TcxCanvas*, const TRect&, bool, bool) const {}

void TdxSkinLookAndFeelPainter::DrawPlusMinusButton(TcxCanvas* canvas, const TRect& r, TColor color,
                                                    bool expanded) const {
    TdxSkinInfo* info = PainterSkinInfo();
    if (!info || !DrawElement(canvas, info->PlusMinus, r, expanded ? 1 : 0))
        TcxOffice11LookAndFeelPainter::DrawPlusMinusButton(canvas, r, color, expanded);
}

void TdxSkinLookAndFeelPainter::DrawSmallPlusMinusButton(TcxCanvas* canvas, const TRect& r, TColor borderColor,
                                                         TColor faceColor, bool expanded) const {
    TdxSkinInfo* info = PainterSkinInfo();
    if (!info || !DrawElement(canvas, info->PlusMinus, r, expanded ? 1 : 0))
        TcxOffice11LookAndFeelPainter::DrawSmallPlusMinusButton(canvas, r, borderColor, faceColor, expanded);
}

void TdxSkinLookAndFeelPainter::DrawCheckBoxGlyph(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                                  TcxCheckBoxState checkState) const {
    TdxSkinInfo* info = PainterSkinInfo();
    if (!info ||
        !DrawElement(canvas, info->Checkbox, r, CheckStateImageIndex(checkState), ButtonStateToElementState(state)))
        TcxOffice11LookAndFeelPainter::DrawCheckBoxGlyph(canvas, r, state, checkState);
}

void TdxSkinLookAndFeelPainter::DrawRadioButton(TcxCanvas* canvas, int x, int y, TcxButtonState state, bool checked,
                                                bool focused, bool emphasized, TColor backgroundColor) const {
    TdxSkinInfo* info = PainterSkinInfo();
    if (!info || !info->RadioButton) {
        TcxOffice11LookAndFeelPainter::DrawRadioButton(canvas, x, y, state, checked, focused, emphasized,
                                                       backgroundColor);
        return;
    }
    const TSize size = info->RadioButton->Size();
    const TRect r{x, y, x + size.cx, y + size.cy};
    if (backgroundColor != clDefault) canvas->FillRectWithColor(r, backgroundColor);
    DrawElement(canvas, info->RadioButton, r, checked ? 1 : 0, ButtonStateToElementState(state));
}

void TdxSkinLookAndFeelPainter::DrawLabelLine(TcxCanvas* canvas, const TRect& r, bool vertical, TColor color1,
                                              TColor color2) const {
    TdxSkinInfo* info = PainterSkinInfo();
    if (!info || !DrawElement(canvas, vertical ? info->LabelLineVert : info->LabelLine, r))
        TcxOffice11LookAndFeelPainter::DrawLabelLine(canvas, r, vertical, color1, color2);
}

void TdxSkinLookAndFeelPainter::DrawSeparatorStrip(TcxCanvas* canvas, const TRect& r, const TcxViewParams& background,
                                                   TColor color, int margin) const {
    TdxSkinInfo* info = PainterSkinInfo();
    if (info && info->HeaderBackgroundColor)
        canvas->FillRectWithColor(TRect{r.left + margin, r.top, r.right - margin, r.bottom},
                                  info->HeaderBackgroundColor->Value());
    else
        TcxOffice11LookAndFeelPainter::DrawSeparatorStrip(canvas, r, background, color, margin);
}

void TdxSkinLookAndFeelPainter::DrawGridGroupPanel(TcxCanvas* canvas, const TRect& r, bool transparent, TColor color,
                                                   TBitmap* bitmap) const {
    TdxSkinInfo* info = PainterSkinInfo();
    if (!info || !DrawElement(canvas, info->GridGroupPanel, r))
        TcxOffice11LookAndFeelPainter::DrawGridGroupPanel(canvas, r, transparent, color, bitmap);
}

void TdxSkinLookAndFeelPainter::DrawSmallCloseButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const {
    TdxSkinInfo* info = PainterSkinInfo();
    if (!info || !DrawElement(canvas, info->CloseButton, r, 0, ButtonStateToElementState(state)))
        TcxOffice11LookAndFeelPainter::DrawSmallCloseButton(canvas, r, state);
}

void TdxSkinLookAndFeelPainter::DrawFilterArrowButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                                      bool active) const {
    TdxSkinInfo* info = PainterSkinInfo();
    if (!info || !DrawElement(canvas, active ? info->FilterButtonActive : info->FilterButton, r, 0,
                              ButtonStateToElementState(state)))
        TcxOffice11LookAndFeelPainter::DrawFilterArrowButton(canvas, r, state, active);
}

void TdxSkinLookAndFeelPainter::DrawFilterPanel(TcxCanvas* canvas, const TRect& r, bool transparent, TColor color,
                                                TBitmap* bitmap) const {
    TdxSkinInfo* info = PainterSkinInfo();
    if (!info || !DrawElement(canvas, info->GridFilterPanel, r))
        TcxOffice11LookAndFeelPainter::DrawFilterPanel(canvas, r, transparent, color, bitmap);
}

void TdxSkinLookAndFeelPainter::FillWindowBackground(TcxCanvas* canvas, const TRect& r) const {
    TdxSkinInfo* info = PainterSkinInfo();
    if (info && info->FormContent)
        canvas->FillRectWithColor(r, info->FormContent->Color());
    else
        TcxOffice11LookAndFeelPainter::FillWindowBackground(canvas, r);
}

void TdxSkinLookAndFeelPainter::DrawScrollBarElement(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                                     bool horizontal, TcxScrollBarPart part) const {
    TdxSkinInfo* info = PainterSkinInfo();
    TdxSkinScrollInfo* scroll =
        info && part <= sbpPageDown
            ? info->ScrollBarParts[horizontal ? dxSkinScrollBarHorizontal : dxSkinScrollBarVertical][part]
            : nullptr;
    if (!scroll || !scroll->Draw(canvas->GetCanvasHandle(), r, scroll->ImageIndex, ButtonStateToElementState(state)))
        TcxOffice11LookAndFeelPainter::DrawScrollBarElement(canvas, r, state, horizontal, part);
}

void TdxSkinLookAndFeelPainter::DrawSizeGripArea(TcxCanvas* canvas, const TRect& r, TColor color) const {
    TdxSkinInfo* info = PainterSkinInfo();
    if (!info || !info->SizeGrip) {
        TcxOffice11LookAndFeelPainter::DrawSizeGripArea(canvas, r, color);
        return;
    }
    canvas->FillRectWithColor(r, color);
    DrawElement(canvas, info->SizeGrip, r);
}

void TdxSkinLookAndFeelPainter::DrawNavigatorPushButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const {
    DrawEditorButtonElement(canvas, r, 0, ButtonStateToElementState(state));
}

void TdxSkinLookAndFeelPainter::DrawProgressIndicator(TcxCanvas* canvas, const TRect& r, const TRect& doneRect,
                                                      bool transparent, TColor backgroundColor) const {
    TdxSkinInfo* info = PainterSkinInfo();
    if (!info || !info->ProgressBorder || !info->ProgressChunk) {
        TcxOffice11LookAndFeelPainter::DrawProgressIndicator(canvas, r, doneRect, transparent, backgroundColor);
        return;
    }
    DrawElement(canvas, info->ProgressBorder, r);
    DrawElement(canvas, info->ProgressChunk, doneRect);
}

namespace {

// One hand of the clock as a filled four-point shape: tip, side, tail, other side.
void DrawClockHand(HDC dc, const TPoint& c, double rx, double ry, double angle, double halfWidth, double tip,
                   double tail, TColor color) {
    const double pi = 3.14159265358979323846;
    auto at = [&](double x, double y) { return POINT{LONG(std::lround(c.x + x)), LONG(std::lround(c.y + y))}; };
    const POINT points[5] = {
        at(tip * rx * std::cos(angle), tip * ry * std::sin(angle)),
        at(halfWidth * std::cos(angle + pi / 2), halfWidth * std::sin(angle + pi / 2)),
        at(tail * rx * std::cos(angle + pi), tail * ry * std::sin(angle + pi)),
        at(halfWidth * std::cos(angle + 3 * pi / 2), halfWidth * std::sin(angle + 3 * pi / 2)),
        at(tip * rx * std::cos(angle), tip * ry * std::sin(angle)),
    };
    HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    Polygon(dc, points, 5);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
    SetPixel(dc, points[0].x, points[0].y, 0x808000);
}

}  // namespace

void TdxSkinLookAndFeelPainter::DrawClockFace(TcxCanvas* canvas, const TRect& r, TDateTime time,
                                              TColor backgroundColor) const {
    TdxSkinInfo* info = PainterSkinInfo();
    if (!info || !info->ClockFace || !info->ClockGlass) {
        TcxOffice11LookAndFeelPainter::DrawClockFace(canvas, r, time, backgroundColor);
        return;
    }
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    const TRect f{0, 0, w, h};
    HDC target = canvas->GetCanvasHandle();
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, w, h);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HBRUSH background = CreateSolidBrush(ColorToRGB(backgroundColor));
    RECT whole = f;
    FillRect(dc, &whole, background);
    DeleteObject(background);
    info->ClockFace->DrawInRect(dc, f, 0, esNormal);

    // Angles clockwise from the positive x axis: a quarter turn back puts 0 at the top.
    const double pi = 3.14159265358979323846;
    double days = double(time);
    double dayFraction = days - std::floor(days);
    const int totalSeconds = int(std::lround(dayFraction * 86400.0)) % 86400;
    const int hour = totalSeconds / 3600, minute = totalSeconds / 60 % 60, second = totalSeconds % 60;
    const TPoint c{(f.left + f.right) / 2, (f.top + f.bottom) / 2};
    const double rx = w / 2.0 - 2, ry = h / 2.0 - 2;
    const TColor handColor = info->ClockFace->TextColor();
    DrawClockHand(dc, c, rx, ry, ((hour % 12) * 3600 + minute * 60 + second - 10800) * 2 * pi / 43200, 4.5, 0.75, 0.15,
                  handColor);
    DrawClockHand(dc, c, rx, ry, (minute * 60 + second - 900) * 2 * pi / 3600, 3.5, 0.85, 0.2, handColor);
    const double s = (second - 15) * 2 * pi / 60;
    HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(handColor));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    MoveToEx(dc, c.x, c.y, nullptr);
    LineTo(dc, int(std::lround(c.x + 0.9 * rx * std::cos(s))), int(std::lround(c.y + 0.9 * ry * std::sin(s))));
    SelectObject(dc, oldPen);
    DeleteObject(pen);

    info->ClockGlass->DrawInRect(dc, f, 0, esNormal);
    BitBlt(target, r.left, r.top, w, h, dc, 0, 0, SRCCOPY);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

void TdxSkinLookAndFeelPainter::DrawEditorButtonFace(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                                     TcxEditBtnKind kind) const {
    if (!DrawEditorButtonElement(canvas, r, kind == cxbkCloseBtn ? 1 : 0, ButtonStateToElementState(state))) {
        TcxOffice11LookAndFeelPainter::DrawEditorButtonFace(canvas, r, state, kind);
        return;
    }
    TdxSkinInfo* info = PainterSkinInfo();
    const TRect content = DeflateByContentOffset(r, info->EditorButton);
    if (kind == cxbkEllipsisBtn) {
        const int d = content.right - content.left < 12 ? 1 : 2;
        const TColor color = info->EditorButton->TextColor();
        const int x = (content.left + content.right - 3 * d - 4) / 2;
        const int y = (content.top + content.bottom - d) / 2;
        for (int i = 0; i < 3; ++i) {
            const int left = x + i * (d + 2);
            canvas->FillRectWithColor(TRect{left, y, left + d, y + d}, color);
        }
    } else if (kind != cxbkCloseBtn) {
        if (TdxSkinElement* glyph = info->EditorButtonGlyphs[kind])
            glyph->Glyph()->Draw(canvas->GetCanvasHandle(), content, 0, esNormal);
    }
}

void TdxSkinLookAndFeelPainter::DrawNavigatorGlyph(TcxCanvas* canvas, const TRect& r, TCustomImageList* images,
                                                   int imageIndex, int buttonIndex, bool enabled,
                                                   bool userGlyphs) const {
    TdxSkinInfo* info = PainterSkinInfo();
    if (!info || !info->Navigator || !info->NavigatorVert || userGlyphs) {
        TcxOffice11LookAndFeelPainter::DrawNavigatorGlyph(canvas, r, images, imageIndex, buttonIndex, enabled,
                                                          userGlyphs);
        return;
    }
    TdxSkinElement* element = info->Navigator;
    int index = buttonIndex;
    if (index >= element->ImageCount()) {
        index -= element->ImageCount();
        element = info->NavigatorVert;
    }
    if (enabled) {
        DrawElement(canvas, element, r, index);
        return;
    }
    // Disabled: the glyph washed out to grey, its transparency kept.
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    auto bitmap = std::make_unique<TcxBitmap>(w, h);
    element->DrawInRect(bitmap->Canvas()->Handle(), TRect{0, 0, w, h}, index, esNormal);
    TRGBColors pixels = bitmap->ReadPixels();
    for (RGBQUAD& p : pixels) {
        const Byte grey = Byte((p.rgbBlue + p.rgbGreen + p.rgbRed + 2 * p.rgbReserved) / 5);
        p.rgbBlue = p.rgbGreen = p.rgbRed = grey;
    }
    bitmap->WritePixels(pixels);
    AlphaBlendFromBitmap(canvas->GetCanvasHandle(), bitmap.get(), r, 255, false, TRect{0, 0, w, h});
}

void TdxSkinLookAndFeelPainter::DrawProgressBorder(TcxCanvas* canvas, const TRect& r, bool vertical) const {
    TdxSkinInfo* info = PainterSkinInfo();
    if (!info || !DrawElement(canvas, vertical ? info->ProgressBorderVert : info->ProgressBorder, r))
        TcxOffice11LookAndFeelPainter::DrawProgressBorder(canvas, r, vertical);
}

void TdxSkinLookAndFeelPainter::DrawProgressChunk(TcxCanvas* canvas, const TRect& r, bool vertical) const {
    TdxSkinInfo* info = PainterSkinInfo();
    if (!info || !DrawElement(canvas, vertical ? info->ProgressChunkVert : info->ProgressChunk, r))
        TcxOffice11LookAndFeelPainter::DrawProgressChunk(canvas, r, vertical);
}

void TdxSkinLookAndFeelPainter::DrawGroupPanelFill(TcxCanvas* canvas, const TRect& r, const TRect& contentRect) const {
    TdxSkinInfo* info = PainterSkinInfo();
    if (!info || !DrawElement(canvas, info->GroupPanelNoBorder, contentRect))
        TcxOffice11LookAndFeelPainter::DrawGroupPanelFill(canvas, r, contentRect);
}

void TdxSkinLookAndFeelPainter::DrawGroupPanelCaption(TcxCanvas* canvas, const TRect& r,
                                                      TcxGroupBoxCaptionPosition position) const {
    if (!DrawElement(canvas, GroupPanelElement(true, position), r))
        TcxOffice11LookAndFeelPainter::DrawGroupPanelCaption(canvas, r, position);
}

void TdxSkinLookAndFeelPainter::DrawGroupPanelFrame(TcxCanvas* canvas, const TRect& r,
                                                    TcxGroupBoxCaptionPosition position, TcxBorders borders) const {
    TdxSkinInfo* info = PainterSkinInfo();
    TdxSkinElement* frame = GroupPanelElement(false, position);
    if (!info || !info->GroupPanelNoBorder || !frame) {
        TcxOffice11LookAndFeelPainter::DrawGroupPanelFrame(canvas, r, position, borders);
        return;
    }
    const TRect offset = ContentOffsetOf(frame);
    TdxSkinBorders* thin = frame->Borders();
    auto inset = [&](TcxBorder side, int contentOffset, TdxSkinBorder* border) {
        return borders.Contains(side) ? contentOffset + border->Thin() : 0;
    };
    const TRect inner{r.left + inset(bLeft, offset.left, thin->Left()), r.top + inset(bTop, offset.top, thin->Top()),
                      r.right - inset(bRight, offset.right, thin->Right()),
                      r.bottom - inset(bBottom, offset.bottom, thin->Bottom())};
    DrawElement(canvas, info->GroupPanelNoBorder, inner);
    canvas->ExcludeRectFromClip(inner);
    DrawElement(canvas, frame, r);
}

void TdxSkinLookAndFeelPainter::DrawPanelFrame(TcxCanvas* canvas, const TRect& r) const {
    TdxSkinInfo* info = PainterSkinInfo();
    if (!info || !info->GroupPanel) {
        TcxOffice11LookAndFeelPainter::DrawPanelFrame(canvas, r);
        return;
    }
    canvas->PushClipRegion();
    canvas->ExcludeRectFromClip(DeflateByContentOffset(r, info->GroupPanel));
    DrawElement(canvas, info->GroupPanel, r);
    canvas->PopClipRegion();
}

void TdxSkinLookAndFeelPainter::DrawPanelSurface(TcxCanvas* canvas, const TRect& r, bool withBorders) const {
    TdxSkinInfo* info = PainterSkinInfo();
    if (!info || !DrawElement(canvas, info->GroupPanelNoBorder, r)) {
        TcxOffice11LookAndFeelPainter::DrawPanelSurface(canvas, r, withBorders);
        return;
    }
    if (withBorders) DrawPanelFrame(canvas, r);
}

void TdxSkinLookAndFeelPainter::DrawTrackBarTrack(TcxCanvas* canvas, const TRect& r, const TRect& selectionRect,
                                                  bool showSelection, bool enabled, bool horizontal) const {
    TdxSkinInfo* info = PainterSkinInfo();
    TdxSkinElement* track = info ? (horizontal ? info->TrackBarTrack : info->TrackBarTrackVert) : nullptr;
    if (!track) {
        TcxOffice11LookAndFeelPainter::DrawTrackBarTrack(canvas, r, selectionRect, showSelection, enabled, horizontal);
        return;
    }
    const int image = enabled ? 0 : 2;
    DrawElement(canvas, track, r, image);
    if (showSelection) DrawElement(canvas, track, selectionRect, image + 1);
}

void TdxSkinLookAndFeelPainter::DrawTrackBarThumb(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                                  bool horizontal, TcxTrackBarTicksAlign ticks) const {
    TdxSkinInfo* info = PainterSkinInfo();
    TdxSkinElement* thumb = nullptr;
    if (info) {
        TdxSkinElement* const vertical[] = {info->TrackBarThumbVertUp, info->TrackBarThumbVert,
                                            info->TrackBarThumbVertBoth};
        TdxSkinElement* const horizontals[] = {info->TrackBarThumbUp, info->TrackBarThumb, info->TrackBarThumbBoth};
        thumb = (horizontal ? horizontals : vertical)[ticks <= tbtaBoth ? ticks : tbtaDown];
    }
    if (!DrawElement(canvas, thumb, r, 0, ButtonStateToElementState(state)))
        TcxOffice11LookAndFeelPainter::DrawTrackBarThumb(canvas, r, state, horizontal, ticks);
}

void TdxSkinLookAndFeelPainter::DrawSplitter(TcxCanvas* canvas, const TRect& r, bool hot, bool pressed,
                                             bool horizontal) const {
    TdxSkinInfo* info = PainterSkinInfo();
    if (!info ||
        !DrawElement(canvas, horizontal ? info->SplitterHorz : info->CommonSplitter, r, 0, hot ? esHot : esNormal))
        TcxOffice11LookAndFeelPainter::DrawSplitter(canvas, r, hot, pressed, horizontal);
}

void UnregisterStoredSkin(const String& registryName, TdxSkinInfo*& info) {
    TcxExtendedStylePainters* registry = GlobalExtendedStylePainters();
    if (registry && info) registry->UnregisterPainter(registryName);
    info = nullptr;
}

// ---- unit ----------------------------------------------------------------------------------

void InitializedxSkinsLookAndFeelPainter() { painterRegistry = GlobalExtendedStylePainters(); }
void FinalizedxSkinsLookAndFeelPainter() { painterRegistry = nullptr; }
TcxExtendedStylePainters* SkinsLookAndFeelPainterRegistry() { return painterRegistry; }
