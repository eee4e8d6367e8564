#pragma once
// The native look: each part is drawn by the Windows visual styles. Every operation opens the
// theme of one kind of themed object through the theme cache and has a part drawn in a state;
// where that theme cannot be opened it falls back to the standard painter (or the base one) for
// that operation alone. A look-and-feel chooses it when NativeStyle is set and visual styles are
// on; the Office-style painter borrows its scroll-bar parts and navigator buttons.

#include "cxStandardLookAndFeelPainter.h"
#include "dxUxTheme.h"

class TcxWinXPLookAndFeelPainter : public TcxStandardLookAndFeelPainter {
public:
    static const TcxWinXPLookAndFeelPainter* Instance();

    TcxLookAndFeelStyle PainterStyleCode() const override;
    TColor SchedulerBorderColor() const override;
    TColor SchedulerViewColor() const override;

    void DrawArrowButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state, TcxArrowDirection direction,
                         bool framedFace) const override;
    void DrawArrowButtonFace(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const override;
    int BorderWidth() const override;
    void DrawControlBorder(TcxCanvas* canvas, const TRect& r) const override;
    TRect AdjustButtonRectInGroup(const TRect& r, int buttonCount, int buttonIndex) const override;

    int ButtonBorderWidth(TcxButtonState state) const override;
    TColor ButtonFaceColor(TcxButtonState state) const override;
    TRect ButtonFocusRectangle(TcxCanvas* canvas, const TRect& r) const override;
    TRect ButtonGroupBorders(int buttonCount, int buttonIndex) const override;
    TColor ButtonGlyphColor(TcxButtonState state, TColor defaultColor = clDefault) const override;
    int ButtonTextMargin() const override;
    int ButtonPressedTextShift() const override;
    void DrawCaptionButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state, const String& caption,
                           bool withBorder, TColor faceColor = clDefault, TColor textColor = clDefault,
                           bool wordWrap = false, TcxCaptionButtonKind kind = cbkPushButton) const override;
    void DrawPlusMinusButton(TcxCanvas* canvas, const TRect& r, TColor color, bool expanded) const override;
    bool IsPlusMinusDrawnFirst() const override;
    void DrawGroupChevronButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state, bool expanded) const override;
    void DrawSmallPlusMinusButton(TcxCanvas* canvas, const TRect& r, TColor borderColor, TColor faceColor,
                                  bool expanded) const override;
    int PlusMinusButtonSize() const override;
    int GroupChevronButtonSize() const override;
    int SmallPlusMinusButtonSize() const override;
    bool SupportsButtonHotTrack() const override;
    bool IsPointInGroupChevronButton(const TRect& r, const TPoint& p) const override;

    int CheckBoxBorderWidth() const override;
    TSize CheckBoxSize() const override;
    void DrawCheckMark(TcxCanvas* canvas, const TRect& r, TcxButtonState state, bool drawMark,
                       TColor color) const override;
    void DrawCheckBoxBorder(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const override;
    void DrawRadioButton(TcxCanvas* canvas, int x, int y, TcxButtonState state, bool checked, bool focused,
                         bool emphasized, TColor backgroundColor = clDefault) const override;
    TSize RadioButtonImageSize() const override;

    void DrawHeaderCell(TcxCanvas* canvas, const TRect& bounds, const TRect& textBounds, TcxButtonState state,
                        TcxNeighbors neighbors, TcxBorders borders, TAlignment alignHorz, TcxAlignmentVert alignVert,
                        bool multiLine, bool showEndEllipsis, const String& text, TFont* font, TColor textColor,
                        TColor backgroundColor, const TcxDrawBackgroundEvent& onDrawBackground = nullptr,
                        bool isLast = false, bool isGroup = false) const override;
    void InvertHeaderRect(TcxCanvas* canvas, const TRect& r) const override;
    void DrawHeaderSection(TcxCanvas* canvas, const TRect& bounds, const TRect& textBounds, TcxButtonState state,
                           TcxNeighbors neighbors, TcxBorders borders, TAlignment alignHorz, TcxAlignmentVert alignVert,
                           bool multiLine, bool showEndEllipsis, const String& text, TFont* font, TColor textColor,
                           TColor backgroundColor) const override;
    void DrawSortMark(TcxCanvas* canvas, const TRect& r, bool ascending) const override;
    TSize SortMarkSize() const override;
    int HeaderBorderWidth() const override;
    int HeaderSectionBorderWidth(TcxButtonState state) const override;
    TRect HeaderSectionContentBounds(const TRect& bounds, TcxButtonState state) const override;
    bool SupportsHeaderHotTrack() const override;

    void DrawFooterBorder(TcxCanvas* canvas, const TRect& r) const override;
    void DrawFooterCell(TcxCanvas* canvas, const TRect& r, TAlignment alignHorz, TcxAlignmentVert alignVert,
                        bool multiLine, const String& text, TFont* font, TColor textColor, TColor backgroundColor,
                        const TcxDrawBackgroundEvent& onDrawBackground = nullptr) const override;
    int FooterBorderWidth() const override;
    int FooterCellBorderWidth() const override;
    int FooterCellSpacing() const override;
    bool IsFooterCellDrawnFirst() const override;

    void DrawSmallCloseButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const override;
    void DrawFilterArrowButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state, bool active) const override;
    TSize FilterActivateButtonExtent() const override;
    TSize SmallCloseButtonSize() const override;
    void DrawTabItem(TcxCanvas* canvas, const TRect& r, TcxButtonState state, const String& text, TFont* font,
                     TColor textColor, TColor backgroundColor, bool vertical, bool showPrefix,
                     TcxBorders borders) const override;
    void DrawTabFrame(TcxCanvas* canvas, const TRect& r, bool vertical, TcxBorders borders, int side) const override;
    void DrawTabStrip(TcxCanvas* canvas, const TRect& r, bool vertical, TcxBorders borders) const override;
    bool IsTabDrawingSupported(bool vertical) const override;
    bool SupportsTabHotTrack(bool vertical) const override;
    int TabBorderWidth(bool vertical) const override;

    void DrawIndicatorItem(TcxCanvas* canvas, const TRect& r, TcxIndicatorKind kind, TColor backgroundColor,
                           const TcxDrawBackgroundEvent& onDrawBackground = nullptr) const override;
    int ScrollBarMinThumbSize(bool horizontal) const override;
    void DrawScrollBarElement(TcxCanvas* canvas, const TRect& r, TcxButtonState state, bool horizontal,
                              TcxScrollBarPart part) const override;
    void DrawSizeGripArea(TcxCanvas* canvas, const TRect& r, TColor color) const override;

    void DrawCalendarHeader(TcxCanvas* canvas, const TRect& r, const String& text, TcxNeighbors neighbors,
                            const TcxViewParams& viewParams, TcxHeaderArrows arrows, int arrowOffset,
                            const TcxDrawBackgroundEvent& onDrawBackground = nullptr) const override;
    void DrawProgressIndicator(TcxCanvas* canvas, const TRect& r, const TRect& doneRect, bool transparent,
                               TColor backgroundColor) const override;
    TRect ProgressIndicatorMargins() const override;
    void DrawNavigatorPushButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const override;
    void DrawNavigationButtonContent(TcxCanvas* canvas, const TRect& r, const TRect& arrowRect, TcxButtonState state,
                                     bool isNext) const override;
    void DrawSplitterBorder(TcxCanvas* canvas, const TRect& r, bool horizontal,
                            const TcxViewParams& background) const override;
    void DrawPanelBackdrop(TcxCanvas* canvas, const TRect& r, TControl* control, TColor color1,
                           TColor color2) const override;

    // Text drawn by the visual style in a part and state of an open theme; nothing for an empty
    // text. The text rect is first fitted to the text's height unless the text sits at the top.
    virtual void DrawThemedTextContent(TcxCanvas* canvas, const TRect& textRect, HTHEME theme, int part, int state,
                                       const String& text, TFont* font, TColor textColor, TAlignment alignHorz,
                                       TcxAlignmentVert alignVert, bool multiLine, bool showEndEllipsis,
                                       bool showPrefix) const;

protected:
    TcxWinXPLookAndFeelPainter() = default;
};
