#pragma once
// The Office-style look (Office 2003): the ultra-flat geometry in the Office-style colour set
// (which follows the Windows colour scheme), gradient headers with a hot-track glow, bitmap
// plus/minus buttons, and the visual style's scroll bars where visual styles are on. The painter
// of lfOffice11 and the parent of the skin painters, so everything here is their default too.

#include "cxUltraFlatLookAndFeelPainter.h"

class TcxOffice11LookAndFeelPainter : public TcxUltraFlatLookAndFeelPainter {
public:
    static const TcxOffice11LookAndFeelPainter* Instance();

    TcxLookAndFeelStyle PainterStyleCode() const override;
    TColor CalendarHeaderColor() const override;
    TColor CalendarSelectionColor() const override;
    TColor CalendarSelectionTextColor() const override;
    TColor FilterBoxColor() const override;
    TColor FilterBoxTextColor() const override;
    TColor FooterColor() const override;
    TColor FooterTextColor() const override;
    TColor GroupRowColor() const override;
    TColor GroupByBoxColor() const override;
    TColor GroupByBoxTextColor() const override;
    TColor HeaderColor() const override;
    TColor HeaderBackgroundColor() const override;
    TColor SchedulerBorderColor() const override;
    TColor SchedulerPanelColor() const override;
    TColor ExtraColor1() const override;
    TColor ExtraColor3() const override;
    TColor ExtraColor6() const override;
    TColor ExtraColor8() const override;
    void DrawControlBorder(TcxCanvas* canvas, const TRect& r) const override;

    TColor ButtonFaceColor(TcxButtonState state) const override;
    TColor ButtonGlyphColor(TcxButtonState state, TColor defaultColor = clDefault) const override;
    void DrawButtonFrame(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const override;
    void DrawPlusMinusButton(TcxCanvas* canvas, const TRect& r, TColor color, bool expanded) const override;
    void DrawSmallPlusMinusButton(TcxCanvas* canvas, const TRect& r, TColor borderColor, TColor faceColor,
                                  bool expanded) const override;
    int PlusMinusButtonSize() const override;
    int SmallPlusMinusButtonSize() const override;
    bool IsPlusMinusDrawnFirst() const override;
    TColor CheckBoxFaceColor(TcxButtonState state) const override;

    // Header and footer cells paint their own background: the face colour with a gradient along
    // the bottom of a header, the light colour and a glow when hot.
    void DrawTextContent(TcxCanvas* canvas, const TRect& bounds, const TRect& textRect, TcxButtonState state,
                         TAlignment alignHorz, TcxAlignmentVert alignVert, bool multiLine, bool showEndEllipsis,
                         const String& text, TFont* font, TColor textColor, TColor backgroundColor,
                         const TcxDrawBackgroundEvent& onDrawBackground, bool plainBackground) const override;
    void DrawHeaderCell(TcxCanvas* canvas, const TRect& bounds, const TRect& textBounds, TcxButtonState state,
                        TcxNeighbors neighbors, TcxBorders borders, TAlignment alignHorz, TcxAlignmentVert alignVert,
                        bool multiLine, bool showEndEllipsis, const String& text, TFont* font, TColor textColor,
                        TColor backgroundColor, const TcxDrawBackgroundEvent& onDrawBackground = nullptr,
                        bool isLast = false, bool isGroup = false) const override;
    void DrawHeaderCellBorder(TcxCanvas* canvas, const TRect& r, TcxNeighbors neighbors,
                              TcxBorders borders) const override;
    void DrawHeaderSection(TcxCanvas* canvas, const TRect& bounds, const TRect& textBounds, TcxButtonState state,
                           TcxNeighbors neighbors, TcxBorders borders, TAlignment alignHorz, TcxAlignmentVert alignVert,
                           bool multiLine, bool showEndEllipsis, const String& text, TFont* font, TColor textColor,
                           TColor backgroundColor) const override;
    void DrawSortMark(TcxCanvas* canvas, const TRect& r, bool ascending) const override;
    TcxBorders HeaderBorders(TcxNeighbors neighbors) const override;
    int HeaderBorderWidth() const override;
    bool SupportsHeaderHotTrack() const override;
    TColor FooterLineColor() const override;

    void DrawScrollBarElement(TcxCanvas* canvas, const TRect& r, TcxButtonState state, bool horizontal,
                              TcxScrollBarPart part) const override;
    void DrawSizeGripArea(TcxCanvas* canvas, const TRect& r, TColor color) const override;
    void DrawCalendarHeader(TcxCanvas* canvas, const TRect& r, const String& text, TcxNeighbors neighbors,
                            const TcxViewParams& viewParams, TcxHeaderArrows arrows, int arrowOffset,
                            const TcxDrawBackgroundEvent& onDrawBackground = nullptr) const override;
    void DrawSchedulerFrame(TcxCanvas* canvas, const TRect& r) const override;
    void DrawNavigatorPushButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const override;
    void DrawNavigationButtonContent(TcxCanvas* canvas, const TRect& r, const TRect& arrowRect, TcxButtonState state,
                                     bool isNext) const override;
    void DrawPanelBackdrop(TcxCanvas* canvas, const TRect& r, TControl* control, TColor color1,
                           TColor color2) const override;

    TColor FlatStateBorderColor(TcxButtonState state) const override;
    TColor FlatBorderColor() const override;
    TColor FlatDarkBorderColor() const override;
    TColor FlatHotBorderColor() const override;

    // The colours of header cells: the dark edge at the bottom of the face gradient, the shadow
    // lines, the bright lines, and the face.
    virtual TColor HeaderEdgeColor() const;
    virtual TColor HeaderShadowColor() const;
    virtual TColor HeaderBrightColor() const;
    virtual TColor HeaderFaceColor() const;

protected:
    TcxOffice11LookAndFeelPainter() = default;
};
