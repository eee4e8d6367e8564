#pragma once
// The painter interface of the toolkit and its base class. A painter draws the standard parts of
// the toolkit's controls (buttons, arrows, check and radio boxes, headers, footers, indicators,
// scroll-bar parts, size grips, navigation buttons, panels...) and answers their colours and
// metrics, in one visual style. Controls ask their look-and-feel for the painter and draw only
// through it, so switching the style switches the whole appearance.
//
// A painter is a class used only through its class-level operations: each painter class has one
// stateless object (Instance()), and a painter is passed as a pointer to it
// (TcxLookAndFeelPainterClass). Comparing painters compares these pointers; dynamic_cast asks
// whether a painter derives from another. Every operation is const and receives everything it
// needs as arguments.
//
// Argument order, the same for every painter (the skin painters included): the canvas, then the
// rectangle(s), then the button state, then the rest in the order declared here. Colour
// operations answer clDefault where the caller keeps its own colour; an operation that a style
// does not support draws nothing (callers ask IsTabDrawingSupported and the like first).
//
// Sections: value types · the painter class (general · default colours · arrows and borders ·
// buttons · check and radio boxes · headers · footers · filter, small buttons and tabs ·
// indicators and scroll bars · navigation and calendar · clock, editors, panels, track bars and
// splitters · class-level helpers).

#include <array>
#include <initializer_list>
#include <utility>

#include "Alignment.h"
#include "Events.h"
#include "ImageList.h"
#include "cxGeometry.h"
#include "cxGraphics.h"

class TControl;
enum TcxPopupFrameStyle : Byte;

// ---- value types ---------------------------------------------------------------------------

// The state a painter draws a button (or any clickable part) in.
enum TcxButtonState : Byte { cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled };
enum TcxArrowDirection : Byte { adUp, adDown, adLeft, adRight };
enum TcxAlignmentVert : Byte { vaTop, vaBottom, vaCenter };
enum TcxCheckBoxState : Byte { cbsUnchecked, cbsChecked, cbsGrayed };
// The parts of a scroll bar: the arrow buttons at the start (up or left) and the end, the thumb
// and the tracks before and after it.
enum TcxScrollBarPart : Byte { sbpNone, sbpLineUp, sbpLineDown, sbpThumbnail, sbpPageUp, sbpPageDown };
// Editor states whose colours a painter answers.
enum TcxEditStateColorKind : Byte { esckNormal, esckDisabled, esckInactive, esckReadOnly };
// A push button, or a flat button of a tool bar (matters to the visual-style painter).
enum TcxCaptionButtonKind : Byte { cbkPushButton, cbkToolButton };
enum TcxEditBtnKind : Byte {
    cxbkCloseBtn,
    cxbkComboBtn,
    cxbkEditorBtn,
    cxbkEllipsisBtn,
    cxbkSpinUpBtn,
    cxbkSpinDownBtn,
    cxbkSpinLeftBtn,
    cxbkSpinRightBtn
};
// The images of a grid's indicator column; ikNone draws nothing.
enum TcxIndicatorKind : Byte { ikNone, ikArrow, ikEdit, ikInsert, ikMultiDot, ikMultiArrow, ikFilter };
enum TcxGroupBoxCaptionPosition : Byte { cxgpTop, cxgpBottom, cxgpLeft, cxgpRight };
// Where a track bar's ticks are: above (or left of) the track, below (or right of) it, or both.
enum TcxTrackBarTicksAlign : Byte { tbtaUp, tbtaDown, tbtaBoth };
// The sides on which another header (or cell) adjoins, with the bit layout of TcxBorders.
enum TcxNeighbor { nLeft, nTop, nRight, nBottom };
using TcxNeighbors = TSet<TcxNeighbor>;
// Which of a calendar header's side arrows are drawn.
enum TcxHeaderArrows : Byte { haNone, haLeft, haRight, haBoth };

// The four built-in kinds of look, which a look-and-feel selects.
Z_ENUM(TcxLookAndFeelKind, Byte, lfFlat, lfStandard, lfUltraFlat, lfOffice11)
// The style a painter reports, and that a look-and-feel can be set to (ApplyStyleCode).
enum TcxLookAndFeelStyle : Byte { lfsFlat, lfsStandard, lfsUltraFlat, lfsNative, lfsOffice11 };

// Paints the background of a cell itself; returns false to have the painter fill it.
using TcxDrawBackgroundEvent = TEvent<bool(TcxCanvas* canvas, const TRect& bounds)>;

// The borders of a navigation button (left, top, right, bottom) and the size of its arrow.
struct TcxNavigationButtonMetrics {
    TRect borders;
    TSize arrowSize;
};

using TcxArrowPoints = std::array<TPoint, 3>;

class TcxCustomLookAndFeelPainter;
using TcxLookAndFeelPainterClass = const TcxCustomLookAndFeelPainter*;

// ---- the painter class ---------------------------------------------------------------------

class TcxCustomLookAndFeelPainter {
public:
    static TcxLookAndFeelPainterClass Instance();
    TcxCustomLookAndFeelPainter(const TcxCustomLookAndFeelPainter&) = delete;
    TcxCustomLookAndFeelPainter& operator=(const TcxCustomLookAndFeelPainter&) = delete;
    virtual ~TcxCustomLookAndFeelPainter() = default;

    // --- general
    // Not transparent: fills with the colour; transparent: tiles the bitmap, if any.
    virtual void FillBackground(TcxCanvas* canvas, const TRect& r, bool transparent, TColor color,
                                TBitmap* bitmap) const;
    virtual void DrawDropDownTriangle(TcxCanvas* canvas, const TRect& r, TColor color) const;
    // Fills bounds (unless onDrawBackground draws them), then the text in textRect. Footer cells
    // pass plainBackground; the base draws both alike.
    virtual void DrawTextContent(TcxCanvas* canvas, const TRect& bounds, const TRect& textRect, TcxButtonState state,
                                 TAlignment alignHorz, TcxAlignmentVert alignVert, bool multiLine, bool showEndEllipsis,
                                 const String& text, TFont* font, TColor textColor, TColor backgroundColor,
                                 const TcxDrawBackgroundEvent& onDrawBackground, bool plainBackground) const;
    virtual void DrawNavigationButtonContent(TcxCanvas* canvas, const TRect& r, const TRect& arrowRect,
                                             TcxButtonState state, bool isNext) const;
    virtual TRect FooterCellInnerBounds(const TRect& bounds) const;
    virtual TRect FooterCellTextBounds(const TRect& bounds) const;
    virtual TcxLookAndFeelStyle PainterStyleCode() const;

    // --- default colours
    virtual TColor ContentColor() const;
    virtual TColor ContentEvenColor() const;
    virtual TColor ContentOddColor() const;
    virtual TColor ContentTextColor() const;
    virtual TColor EditorBackgroundColorByDisabled(bool disabled) const;
    virtual TColor EditorBackgroundColor(TcxEditStateColorKind state) const;
    virtual TColor EditorTextColorByDisabled(bool disabled) const;
    virtual TColor EditorTextColor(TcxEditStateColorKind state) const;
    virtual TColor FilterBoxColor() const;
    virtual TColor FilterBoxTextColor() const;
    virtual TColor GridFixedLineColor() const;
    virtual TColor FooterColor() const;
    virtual TColor FooterTextColor() const;
    virtual TColor SiteColor() const;
    virtual TColor GridLineColor() const;
    virtual TColor GroupByBoxColor() const;
    virtual TColor GroupByBoxTextColor() const;
    virtual TColor GroupRowColor() const;
    virtual TColor GroupRowTextColor() const;
    virtual TColor HeaderBackgroundColor() const;
    virtual TColor HeaderBackgroundTextColor() const;
    virtual TColor HeaderColor() const;
    virtual TColor HeaderTextColor() const;
    virtual TColor LinkTextColor() const;
    virtual TColor InactiveColor() const;
    virtual TColor InactiveTextColor() const;
    virtual TColor PreviewTextColor() const;
    virtual TColor FixedLineColor() const;
    virtual TColor FormContentColor() const;
    virtual TColor VerticalGridCategoryColor() const;
    virtual TColor VerticalGridCategoryTextColor() const;
    virtual TColor VerticalGridLineColor() const;
    virtual TColor VerticalGridBandBorderColor() const;
    virtual TColor CalendarHeaderColor() const;
    virtual TColor CalendarSelectionColor() const;
    virtual TColor CalendarSelectionTextColor() const;
    virtual TColor SchedulerContentColor() const;
    virtual TColor SchedulerTextColor() const;
    virtual TColor SchedulerBorderColor() const;
    virtual TColor SchedulerPanelColor() const;
    virtual TColor SchedulerNavigatorColor() const;
    virtual TColor SchedulerViewColor() const;
    virtual TColor SelectedAppointmentTextColor() const;
    virtual TColor AppointmentTextColor() const;
    virtual TColor SelectionColor() const;
    virtual TColor SelectionTextColor() const;
    virtual TColor CardSeparatorColor() const;
    // Colours of controls that this system does not have; kept so that every painter answers
    // the same set.
    virtual TColor ExtraColor1() const;
    virtual TColor ExtraColor2() const;
    virtual TColor ExtraColor3() const;
    virtual TColor ExtraColor4() const;
    virtual TColor ExtraColor5() const;
    virtual TColor ExtraColor6() const;
    virtual TColor ExtraColor7() const;
    virtual TColor ExtraColor8() const;
    virtual TColor ExtraColor9() const;
    virtual TColor ExtraColor10() const;
    virtual TColor ExtraColor11() const;
    virtual TColor ExtraColor12() const;
    virtual TColor ExtraColor13() const;
    virtual TColor ExtraColor14() const;
    virtual TColor ExtraColor15() const;
    virtual TColor ExtraColor16() const;
    virtual TColor ExtraColor17() const;
    virtual TColor ExtraColor18() const;

    // --- arrows and borders
    // A filled triangle in the colour, in the rect made square.
    virtual void DrawArrowGlyph(TcxCanvas* canvas, const TRect& r, TColor color, TcxArrowDirection direction) const;
    // The face (framed with DrawArrowButtonFace, or plain), then the triangle in the glyph colour.
    virtual void DrawArrowButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state, TcxArrowDirection direction,
                                 bool framedFace) const;
    virtual void DrawArrowButtonFace(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const;
    // The arrow of a state: pressed moves it, disabled embosses it.
    virtual void DrawStateArrow(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                TcxArrowDirection direction) const;
    virtual int BorderWidth() const;
    virtual void DrawControlBorder(TcxCanvas* canvas, const TRect& r) const;
    virtual TRect AdjustButtonRectInGroup(const TRect& r, int buttonCount, int buttonIndex) const;

    // --- buttons
    virtual int ButtonBorderWidth(TcxButtonState state) const;
    virtual TColor ButtonFaceColor(TcxButtonState state) const;
    virtual TRect ButtonFocusRectangle(TcxCanvas* canvas, const TRect& r) const;
    // The widths of a grouped button's borders: left, top, right, bottom.
    virtual TRect ButtonGroupBorders(int buttonCount, int buttonIndex) const;
    virtual int ButtonTextMargin() const;
    virtual int ButtonPressedTextShift() const;
    // The colour of a button's glyph or text; defaultColor (clDefault: BtnText) unless disabled.
    virtual TColor ButtonGlyphColor(TcxButtonState state, TColor defaultColor = clDefault) const;
    virtual TcxButtonState ButtonGlyphState(TcxButtonState state) const;
    // A button with an optional frame and a caption; clDefault colours are the painter's.
    virtual void DrawCaptionButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state, const String& caption,
                                   bool withBorder, TColor faceColor = clDefault, TColor textColor = clDefault,
                                   bool wordWrap = false, TcxCaptionButtonKind kind = cbkPushButton) const;
    virtual void DrawGroupedButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state, int buttonCount,
                                   int buttonIndex, TColor frameColor) const;
    virtual void DrawButtonFrame(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const;
    virtual void DrawButtonOutline(TcxCanvas* canvas, const TRect& r, bool hot, bool pressed) const;
    // A tree's expand button; the painters that draw one exclude it from the clip.
    virtual void DrawPlusMinusButton(TcxCanvas* canvas, const TRect& r, TColor color, bool expanded) const;
    virtual bool IsPlusMinusDrawnFirst() const;
    virtual void DrawGroupChevronButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state, bool expanded) const;
    virtual void DrawSmallPlusMinusButton(TcxCanvas* canvas, const TRect& r, TColor borderColor, TColor faceColor,
                                          bool expanded) const;
    virtual int PlusMinusButtonSize() const;
    virtual int GroupChevronButtonSize() const;
    virtual bool SupportsButtonHotTrack() const;
    virtual bool IsPointInGroupChevronButton(const TRect& r, const TPoint& p) const;
    virtual int SmallPlusMinusButtonSize() const;

    // --- check and radio boxes, label lines
    virtual int CheckBoxBorderWidth() const;
    virtual TColor CheckBoxFaceColor(TcxButtonState state) const;
    virtual TSize CheckBoxSize() const;
    // Fills the face when the canvas brush is solid, then the tick when drawMark is set.
    virtual void DrawCheckMark(TcxCanvas* canvas, const TRect& r, TcxButtonState state, bool drawMark,
                               TColor color) const;
    virtual void DrawCheckBoxBorder(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const;
    virtual void DrawCheckBoxByChecked(TcxCanvas* canvas, const TRect& r, TcxButtonState state, bool checked) const;
    virtual void DrawCheckBoxGlyph(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                   TcxCheckBoxState checkState) const;
    // A radio button image with its top-left at (x, y). focused emphasises the ring unless the
    // button is disabled, emphasized emphasises it always; backgroundColor clDefault leaves the
    // canvas showing through.
    virtual void DrawRadioButton(TcxCanvas* canvas, int x, int y, TcxButtonState state, bool checked, bool focused,
                                 bool emphasized, TColor backgroundColor = clDefault) const;
    virtual TSize RadioButtonImageSize() const;
    virtual void DrawLabelLine(TcxCanvas* canvas, const TRect& r, bool vertical, TColor color1 = clDefault,
                               TColor color2 = clDefault) const;
    virtual int LabelLineWidth() const;

    // --- headers
    // A grid or list header cell. isLast marks the rightmost cell (only the visual-style painter
    // reads it); isGroup is passed on for the skin painters.
    virtual void DrawHeaderCell(TcxCanvas* canvas, const TRect& bounds, const TRect& textBounds, TcxButtonState state,
                                TcxNeighbors neighbors, TcxBorders borders, TAlignment alignHorz,
                                TcxAlignmentVert alignVert, bool multiLine, bool showEndEllipsis, const String& text,
                                TFont* font, TColor textColor, TColor backgroundColor,
                                const TcxDrawBackgroundEvent& onDrawBackground = nullptr, bool isLast = false,
                                bool isGroup = false) const;
    virtual void DrawPlainHeaderCell(TcxCanvas* canvas, const TRect& bounds, const TRect& textBounds,
                                     TcxButtonState state, TcxNeighbors neighbors, TcxBorders borders,
                                     TAlignment alignHorz, TcxAlignmentVert alignVert, bool multiLine,
                                     bool showEndEllipsis, const String& text, TFont* font, TColor textColor,
                                     TColor backgroundColor,
                                     const TcxDrawBackgroundEvent& onDrawBackground = nullptr) const;
    virtual void DrawHeaderCellBorder(TcxCanvas* canvas, const TRect& r, TcxNeighbors neighbors,
                                      TcxBorders borders) const;
    virtual void InvertHeaderRect(TcxCanvas* canvas, const TRect& r) const;
    // A section of a header control (the standalone header, not a grid's).
    virtual void DrawHeaderSection(TcxCanvas* canvas, const TRect& bounds, const TRect& textBounds,
                                   TcxButtonState state, TcxNeighbors neighbors, TcxBorders borders,
                                   TAlignment alignHorz, TcxAlignmentVert alignVert, bool multiLine,
                                   bool showEndEllipsis, const String& text, TFont* font, TColor textColor,
                                   TColor backgroundColor) const;
    virtual void DrawHeaderSectionBorder(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                         TcxBorders borders) const;
    virtual void DrawHeaderSectionContent(TcxCanvas* canvas, const TRect& r, const TRect& textBounds,
                                          TcxButtonState state, TAlignment alignHorz, TcxAlignmentVert alignVert,
                                          bool multiLine, bool showEndEllipsis, const String& text, TFont* font,
                                          TColor textColor, TColor backgroundColor) const;
    virtual void DrawHeaderSectionText(TcxCanvas* canvas, const TRect& textBounds, TcxButtonState state,
                                       TAlignment alignHorz, TcxAlignmentVert alignVert, bool multiLine,
                                       bool showEndEllipsis, const String& text, TFont* font, TColor textColor) const;
    // Bands of the margin's width in the background at both ends, the middle in the colour.
    virtual void DrawSeparatorStrip(TcxCanvas* canvas, const TRect& r, const TcxViewParams& background, TColor color,
                                    int margin) const;
    virtual void DrawSortMark(TcxCanvas* canvas, const TRect& r, bool ascending) const;
    virtual TcxBorders HeaderBorders(TcxNeighbors neighbors) const;
    virtual int HeaderBorderWidth() const;
    virtual TRect HeaderDrawBounds(const TRect& bounds, TcxNeighbors neighbors, TcxBorders borders) const;
    virtual TRect HeaderContentBounds(const TRect& bounds, TcxBorders borders) const;
    virtual bool HeaderOpaqueDefault() const;
    virtual int HeaderWidthForTextWidth(int textWidth) const;
    virtual int HeaderSectionBorderWidth(TcxButtonState state) const;
    virtual TRect HeaderSectionTextBounds(const TRect& bounds, TcxButtonState state) const;
    virtual TRect HeaderSectionContentBounds(const TRect& bounds, TcxButtonState state) const;
    virtual int HeaderWidthForCaption(TcxCanvas* canvas, TcxBorders borders, TFont* font, const String& text) const;
    virtual bool SupportsHeaderHotTrack() const;
    virtual TSize SortMarkArea() const;
    virtual TSize SortMarkSize() const;
    virtual void DrawGridGroupPanel(TcxCanvas* canvas, const TRect& r, bool transparent, TColor color,
                                    TBitmap* bitmap) const;
    virtual bool IsHeaderOpaque() const;
    virtual TColor GridGroupPanelColor() const;
    virtual TColor GridGroupPanelTextColor() const;
    virtual int GridGroupPanelMetric() const;

    // --- footers
    virtual int FooterBorderWidth() const;
    virtual int FooterCellBorderWidth() const;
    virtual int FooterCellSpacing() const;
    virtual bool IsFooterCellDrawnFirst() const;
    virtual TColor FooterLineColor() const;
    virtual int FooterLineWidth() const;
    virtual void DrawFooterCell(TcxCanvas* canvas, const TRect& r, TAlignment alignHorz, TcxAlignmentVert alignVert,
                                bool multiLine, const String& text, TFont* font, TColor textColor,
                                TColor backgroundColor, const TcxDrawBackgroundEvent& onDrawBackground = nullptr) const;
    virtual void DrawFooterBorder(TcxCanvas* canvas, const TRect& r) const;
    virtual void DrawFooterCellBorder(TcxCanvas* canvas, const TRect& r) const;
    virtual void DrawFooterPanel(TcxCanvas* canvas, const TRect& r, const TcxViewParams& background) const;
    virtual void DrawFooterLine(TcxCanvas* canvas, const TRect& r) const;

    // --- filter, small buttons, windows and tabs
    virtual void DrawFilterActivateButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state, bool checked) const;
    virtual void DrawSmallCloseButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const;
    virtual void DrawFilterArrowButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state, bool active) const;
    virtual void DrawFilterPanel(TcxCanvas* canvas, const TRect& r, bool transparent, TColor color,
                                 TBitmap* bitmap) const;
    virtual TSize FilterActivateButtonExtent() const;
    virtual TSize SmallCloseButtonSize() const;
    // A height of 0 means the caller's height.
    virtual TSize FilterArrowButtonSize() const;
    virtual void FillWindowBackground(TcxCanvas* canvas, const TRect& r) const;
    virtual TcxPopupFrameStyle PopupFrameStyle() const;
    virtual void DrawTabItem(TcxCanvas* canvas, const TRect& r, TcxButtonState state, const String& text, TFont* font,
                             TColor textColor, TColor backgroundColor, bool vertical, bool showPrefix,
                             TcxBorders borders) const;
    // One side of a tab's frame (0 left, 1 top, 2 right, 3 bottom), drawn into r.
    virtual void DrawTabFrame(TcxCanvas* canvas, const TRect& r, bool vertical, TcxBorders borders, int side) const;
    virtual void DrawTabStrip(TcxCanvas* canvas, const TRect& r, bool vertical, TcxBorders borders) const;
    virtual bool IsTabDrawingSupported(bool vertical) const;
    virtual bool SupportsTabHotTrack(bool vertical) const;
    virtual int TabBorderWidth(bool vertical) const;

    // --- indicators, scroll bars and size grip
    virtual void DrawIndicatorListMark(TcxCanvas* canvas, const TRect& r, TColor color) const;
    virtual void DrawIndicatorGlyph(TcxCanvas* canvas, const TRect& r, TcxIndicatorKind kind) const;
    virtual void DrawIndicatorItem(TcxCanvas* canvas, const TRect& r, TcxIndicatorKind kind, TColor backgroundColor,
                                   const TcxDrawBackgroundEvent& onDrawBackground = nullptr) const;
    virtual void DrawIndicatorHeader(TcxCanvas* canvas, const TRect& r, TcxIndicatorKind kind, TColor backgroundColor,
                                     const TcxDrawBackgroundEvent& onDrawBackground = nullptr) const;
    virtual bool ScrollBarOption() const;
    virtual int ScrollBarMinThumbSize(bool horizontal) const;
    virtual void DrawScrollBarElement(TcxCanvas* canvas, const TRect& r, TcxButtonState state, bool horizontal,
                                      TcxScrollBarPart part) const;
    virtual TSize SizeGripExtent() const;
    virtual void DrawSizeGripArea(TcxCanvas* canvas, const TRect& r, TColor color) const;

    // --- navigation, calendar, scheduler and progress
    // Lays out a vertical navigation button: contentRect may grow; arrowRect and textRect are set.
    virtual void LayoutNavigationButton(bool isNext, bool arrowOnly, TRect& arrowRect, TRect& textRect,
                                        TRect& contentRect, const TSize& textExtent, const TSize& minimalExtent) const;
    virtual void DrawCalendarHeader(TcxCanvas* canvas, const TRect& r, const String& text, TcxNeighbors neighbors,
                                    const TcxViewParams& viewParams, TcxHeaderArrows arrows, int arrowOffset,
                                    const TcxDrawBackgroundEvent& onDrawBackground = nullptr) const;
    virtual void DrawSchedulerFrame(TcxCanvas* canvas, const TRect& r) const;
    virtual void DrawProgressIndicator(TcxCanvas* canvas, const TRect& r, const TRect& doneRect, bool transparent,
                                       TColor backgroundColor) const;
    // A navigation button; with a non-empty text rect the text reads vertically.
    virtual void DrawNavigationButton(TcxCanvas* canvas, const TRect& r, const TRect& arrowRect, const TRect& textRect,
                                      TcxButtonState state, const String& text, bool isNext) const;
    virtual void DrawNavigationArrow(TcxCanvas* canvas, const TRect& r, TColor color, bool isNext) const;
    virtual void DrawNavigatorPushButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const;
    virtual void DrawSplitterBorder(TcxCanvas* canvas, const TRect& r, bool horizontal,
                                    const TcxViewParams& background) const;
    virtual TRect ProgressIndicatorMargins() const;
    virtual TcxNavigationButtonMetrics NavigationButtonMetrics(bool isNext) const;
    virtual int ExtraBorderWidth() const;

    // --- clock, editor buttons, progress bars, panels, track bars and splitters
    virtual void DrawClockFace(TcxCanvas* canvas, const TRect& r, TDateTime time, TColor backgroundColor) const;
    virtual void DrawEditorButtonFace(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                      TcxEditBtnKind kind) const;
    virtual int EditorButtonTextShift() const;
    virtual TSize EditorButtonMinSize() const;
    virtual TColor EditorButtonTextColor() const;
    virtual TColor ContainerBorderColor(bool highlighted) const;
    // buttonIndex and userGlyphs are read by the skin painters only.
    virtual void DrawNavigatorGlyph(TcxCanvas* canvas, const TRect& r, TCustomImageList* images, int imageIndex,
                                    int buttonIndex, bool enabled, bool userGlyphs) const;
    virtual TSize NavigatorGlyphSize() const;
    virtual void DrawProgressBorder(TcxCanvas* canvas, const TRect& r, bool vertical) const;
    virtual void DrawProgressChunk(TcxCanvas* canvas, const TRect& r, bool vertical) const;
    virtual TRect ProgressBorderSize(bool vertical) const;
    virtual TColor ProgressTextColor() const;
    // The inside of a group panel: r is the panel, contentRect the part to fill.
    virtual void DrawGroupPanelFill(TcxCanvas* canvas, const TRect& r, const TRect& contentRect) const;
    virtual void DrawGroupPanelCaption(TcxCanvas* canvas, const TRect& r, TcxGroupBoxCaptionPosition position) const;
    virtual void DrawGroupPanelFrame(TcxCanvas* canvas, const TRect& r, TcxGroupBoxCaptionPosition position,
                                     TcxBorders borders) const;
    virtual TRect GroupPanelBorderWidths(bool hasCaption, TcxGroupBoxCaptionPosition position) const;
    virtual TColor GroupPanelCaptionTextColor(TcxGroupBoxCaptionPosition position) const;
    virtual bool IsGroupPanelTransparent(bool hasCaption, TcxGroupBoxCaptionPosition position) const;
    virtual void DrawPanelBackdrop(TcxCanvas* canvas, const TRect& r, TControl* control, TColor color1,
                                   TColor color2) const;
    virtual void DrawPanelFrame(TcxCanvas* canvas, const TRect& r) const;
    virtual void DrawPanelCaption(TcxCanvas* canvas, const TRect& r, TcxGroupBoxCaptionPosition position) const;
    virtual void DrawPanelSurface(TcxCanvas* canvas, const TRect& r, bool withBorders) const;
    virtual TRect PanelBorderWidths() const;
    virtual TColor PanelTextColor() const;
    virtual void DrawTrackBarTrack(TcxCanvas* canvas, const TRect& r, const TRect& selectionRect, bool showSelection,
                                   bool enabled, bool horizontal) const;
    virtual void DrawTrackBarThumb(TcxCanvas* canvas, const TRect& r, TcxButtonState state, bool horizontal,
                                   TcxTrackBarTicksAlign ticks) const;
    virtual TSize TrackBarThumbSize(bool horizontal) const;
    virtual TColor TrackBarTickColor() const;
    virtual int TrackBarTrackThickness() const;
    // pressed is passed on for the skin painters; no built-in painter reads it.
    virtual void DrawSplitter(TcxCanvas* canvas, const TRect& r, bool hot, bool pressed, bool horizontal) const;
    virtual TSize SplitterSize(bool horizontal) const;

    // --- class-level helpers (not overridden; they call the operations above)
    // The corners of an arrow triangle in r; size 0 derives it from r; proportional makes r
    // square about its centre first.
    static TcxArrowPoints ComputeArrowTriangle(const TRect& r, int size, bool proportional,
                                               TcxArrowDirection direction);
    static void DrawArrowTriangle(TcxCanvas* canvas, const TcxArrowPoints& points, TColor color);
    // The toolkit text flags (cxAlign...) of an alignment, one line or word-wrapped, with or
    // without an end ellipsis.
    static Word TextFlags(TAlignment alignHorz, TcxAlignmentVert alignVert, bool multiLine, bool showEndEllipsis);
    // The calendar header's month arrows, pointing outward from the rect's sides.
    void DrawHeaderSideArrows(TcxCanvas* canvas, const TRect& r, TColor color, int offset,
                              TcxHeaderArrows arrows) const;
    // A sort mark of SortMarkSize pointing up (ascending) or down, in two colours.
    void DrawSortTriangle(TcxCanvas* canvas, const TRect& r, bool ascending, TColor color1, TColor color2) const;
    static void DrawPlusMinusCross(TcxCanvas* canvas, const TRect& r, TColor color, bool expanded);
    static TcxArrowDirection ScrollBarArrowDirection(bool horizontal, TcxScrollBarPart part);
    static TcxLookAndFeelKind LookAndFeelStyleToKind(TcxLookAndFeelStyle style);

protected:
    TcxCustomLookAndFeelPainter() = default;
    // Fills r with the colour (system colours resolved); clNone fills nothing.
    static void FillRectColor(TcxCanvas* canvas, const TRect& r, TColor color);
    // One-pixel two-tone frames (left and top in the first colour, right and bottom in the
    // second), each one pixel inside the one before, on the given borders.
    static void DrawTwoToneFrames(TcxCanvas* canvas, const TRect& r,
                                  std::initializer_list<std::pair<TColor, TColor>> frames,
                                  TcxBorders borders = cxBordersAll);
    // One-pixel frames of one colour each, each inside the one before.
    static void DrawPlainFrames(TcxCanvas* canvas, const TRect& r, std::initializer_list<TColor> colors);
    // The text of a cell, with a clear brush, in the font and colour given (nil and clDefault
    // keep the canvas's).
    static void DrawCellText(TcxCanvas* canvas, const TRect& textRect, TAlignment alignHorz, TcxAlignmentVert alignVert,
                             bool multiLine, bool showEndEllipsis, const String& text, TFont* font, TColor textColor);
    // A scroll-bar track: the shared checkerboard pattern, the pressed one when pressed.
    static void FillScrollBarTrack(TcxCanvas* canvas, const TRect& r, bool pressed);
    // Fills r with the background's colour, or tiles its bitmap.
    static void FillViewParams(TcxCanvas* canvas, const TRect& r, const TcxViewParams& background);
};
