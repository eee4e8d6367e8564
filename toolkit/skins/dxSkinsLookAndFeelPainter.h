#pragma once
// The look-and-feel painter of every skin: buttons, check and radio boxes, editor buttons,
// scroll bars, progress bars, splitters, track bars, group panels, the clock and the grid's
// colours are drawn from the elements, colours and sizes of the painter's skin info. Whatever
// the skin lacks is drawn (or answered) by the Office-style painter it derives from, so a skin
// painter never fails for a missing part.
//
// The painter finds its skin info in the registry of extended painters by its own class; the
// registered skin painters (dxSkinsDefaultPainters.h, dxSkinLilian.h) keep theirs themselves.

#include "cxOffice11LookAndFeelPainter.h"
#include "cxExtendedStylePainters.h"
#include "dxGDIPlusAPI.h"
#include "dxSkinInfo.h"

class TcxExtendedStylePainters;

class TdxSkinLookAndFeelPainter : public TcxOffice11LookAndFeelPainter {
public:
    static const TdxSkinLookAndFeelPainter* Instance();

    // The skin info the painter draws from; nil when it has none.
    virtual TdxSkinInfo* PainterSkinInfo() const;
    // Draws the editor button (which 0) or the editors' close button (which 1) with image 0;
    // false when the skin has no such element.
    virtual bool DrawEditorButtonElement(TcxCanvas* canvas, const TRect& r, int which, TdxSkinElementState state) const;
    virtual String OwningUnitName() const;

    // --- colours
    TColor ContentColor() const override;
    TColor SiteColor() const override;
    TColor ContentEvenColor() const override;
    TColor ContentOddColor() const override;
    TColor ContentTextColor() const override;
    TColor EditorBackgroundColor(TcxEditStateColorKind state) const override;
    TColor EditorTextColor(TcxEditStateColorKind state) const override;
    TColor FormContentColor() const override;
    TColor GridGroupPanelColor() const override;
    TColor GridGroupPanelTextColor() const override;
    TColor FilterBoxTextColor() const override;
    TColor GridFixedLineColor() const override;
    TColor FixedLineColor() const override;
    TColor GridLineColor() const override;
    TColor FooterLineColor() const override;
    TColor GroupByBoxTextColor() const override;
    TColor GroupRowColor() const override;
    TColor GroupRowTextColor() const override;
    TColor HeaderBackgroundColor() const override;
    TColor HeaderBackgroundTextColor() const override;
    TColor HeaderColor() const override;
    TColor HeaderTextColor() const override;
    TColor VerticalGridCategoryColor() const override;
    TColor VerticalGridCategoryTextColor() const override;
    TColor VerticalGridLineColor() const override;
    TColor ContainerBorderColor(bool highlighted) const override;
    TColor GroupPanelCaptionTextColor(TcxGroupBoxCaptionPosition position) const override;

    // --- sizes and metrics
    int ButtonBorderWidth(TcxButtonState state) const override;
    TRect ButtonGroupBorders(int buttonCount, int buttonIndex) const override;
    int PlusMinusButtonSize() const override;
    TSize CheckBoxSize() const override;
    TSize RadioButtonImageSize() const override;
    int LabelLineWidth() const override;
    bool HeaderOpaqueDefault() const override;
    bool IsHeaderOpaque() const override;
    int FooterCellBorderWidth() const override;
    bool IsFooterCellDrawnFirst() const override;
    TSize SmallCloseButtonSize() const override;
    bool ScrollBarOption() const override;
    int ScrollBarMinThumbSize(bool horizontal) const override;
    TSize SizeGripExtent() const override;
    TRect ProgressIndicatorMargins() const override;
    TcxNavigationButtonMetrics NavigationButtonMetrics(bool isNext) const override;
    int EditorButtonTextShift() const override;
    TSize EditorButtonMinSize() const override;
    TSize NavigatorGlyphSize() const override;
    TRect ProgressBorderSize(bool vertical) const override;
    TRect GroupPanelBorderWidths(bool hasCaption, TcxGroupBoxCaptionPosition position) const override;
    bool IsGroupPanelTransparent(bool hasCaption, TcxGroupBoxCaptionPosition position) const override;
    TSize TrackBarThumbSize(bool horizontal) const override;
    int TrackBarTrackThickness() const override;
    TSize SplitterSize(bool horizontal) const override;
    TcxBorders HeaderBorders(TcxNeighbors neighbors) const override;

    // --- drawing
    void DrawTextContent(TcxCanvas* canvas, const TRect& bounds, const TRect& textRect, TcxButtonState state,
                         TAlignment alignHorz, TcxAlignmentVert alignVert, bool multiLine, bool showEndEllipsis,
                         const String& text, TFont* font, TColor textColor, TColor backgroundColor,
                         const TcxDrawBackgroundEvent& onDrawBackground, bool plainBackground) const override;
    void DrawControlBorder(TcxCanvas* canvas, const TRect& r) const override;
    void DrawCaptionButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state, const String& caption,
                           bool withBorder, TColor faceColor = clDefault, TColor textColor = clDefault,
                           bool wordWrap = false, TcxCaptionButtonKind kind = cbkPushButton) const override;
    void DrawGroupedButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state, int buttonCount, int buttonIndex,
                           TColor frameColor) const override;
    void DrawButtonOutline(TcxCanvas* canvas, const TRect& r, bool hot, bool pressed) const override;
    void DrawPlusMinusButton(TcxCanvas* canvas, const TRect& r, TColor color, bool expanded) const override;
    void DrawSmallPlusMinusButton(TcxCanvas* canvas, const TRect& r, TColor borderColor, TColor faceColor,
                                  bool expanded) const override;
    void DrawCheckBoxGlyph(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                           TcxCheckBoxState checkState) const override;
    void DrawRadioButton(TcxCanvas* canvas, int x, int y, TcxButtonState state, bool checked, bool focused,
                         bool emphasized, TColor backgroundColor = clDefault) const override;
    void DrawLabelLine(TcxCanvas* canvas, const TRect& r, bool vertical, TColor color1 = clDefault,
                       TColor color2 = clDefault) const override;
    void DrawSeparatorStrip(TcxCanvas* canvas, const TRect& r, const TcxViewParams& background, TColor color,
                            int margin) const override;
    void DrawGridGroupPanel(TcxCanvas* canvas, const TRect& r, bool transparent, TColor color,
                            TBitmap* bitmap) const override;
    void DrawSmallCloseButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const override;
    void DrawFilterArrowButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state, bool active) const override;
    void DrawFilterPanel(TcxCanvas* canvas, const TRect& r, bool transparent, TColor color,
                         TBitmap* bitmap) const override;
    void FillWindowBackground(TcxCanvas* canvas, const TRect& r) const override;
    void DrawScrollBarElement(TcxCanvas* canvas, const TRect& r, TcxButtonState state, bool horizontal,
                              TcxScrollBarPart part) const override;
    void DrawSizeGripArea(TcxCanvas* canvas, const TRect& r, TColor color) const override;
    void DrawNavigatorPushButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const override;
    void DrawProgressIndicator(TcxCanvas* canvas, const TRect& r, const TRect& doneRect, bool transparent,
                               TColor backgroundColor) const override;
    void DrawClockFace(TcxCanvas* canvas, const TRect& r, TDateTime time, TColor backgroundColor) const override;
    void DrawEditorButtonFace(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                              TcxEditBtnKind kind) const override;
    void DrawNavigatorGlyph(TcxCanvas* canvas, const TRect& r, TCustomImageList* images, int imageIndex,
                            int buttonIndex, bool enabled, bool userGlyphs) const override;
    void DrawProgressBorder(TcxCanvas* canvas, const TRect& r, bool vertical) const override;
    void DrawProgressChunk(TcxCanvas* canvas, const TRect& r, bool vertical) const override;
    void DrawGroupPanelFill(TcxCanvas* canvas, const TRect& r, const TRect& contentRect) const override;
    void DrawGroupPanelCaption(TcxCanvas* canvas, const TRect& r, TcxGroupBoxCaptionPosition position) const override;
    void DrawGroupPanelFrame(TcxCanvas* canvas, const TRect& r, TcxGroupBoxCaptionPosition position,
                             TcxBorders borders) const override;
    void DrawPanelFrame(TcxCanvas* canvas, const TRect& r) const override;
    void DrawPanelSurface(TcxCanvas* canvas, const TRect& r, bool withBorders) const override;
    void DrawTrackBarTrack(TcxCanvas* canvas, const TRect& r, const TRect& selectionRect, bool showSelection,
                           bool enabled, bool horizontal) const override;
    void DrawTrackBarThumb(TcxCanvas* canvas, const TRect& r, TcxButtonState state, bool horizontal,
                           TcxTrackBarTicksAlign ticks) const override;
    void DrawSplitter(TcxCanvas* canvas, const TRect& r, bool hot, bool pressed, bool horizontal) const override;
    // headers, footers and indicators
    void DrawHeaderCell(TcxCanvas* canvas, const TRect& bounds, const TRect& textBounds, TcxButtonState state,
                        TcxNeighbors neighbors, TcxBorders borders, TAlignment alignHorz, TcxAlignmentVert alignVert,
                        bool multiLine, bool showEndEllipsis, const String& text, TFont* font, TColor textColor,
                        TColor backgroundColor, const TcxDrawBackgroundEvent& onDrawBackground = nullptr,
                        bool isLast = false, bool isGroup = false) const override;
    void DrawPlainHeaderCell(TcxCanvas* canvas, const TRect& bounds, const TRect& textBounds, TcxButtonState state,
                             TcxNeighbors neighbors, TcxBorders borders, TAlignment alignHorz,
                             TcxAlignmentVert alignVert, bool multiLine, bool showEndEllipsis, const String& text,
                             TFont* font, TColor textColor, TColor backgroundColor,
                             const TcxDrawBackgroundEvent& onDrawBackground = nullptr) const override;
    void DrawFooterCell(TcxCanvas* canvas, const TRect& r, TAlignment alignHorz, TcxAlignmentVert alignVert,
                        bool multiLine, const String& text, TFont* font, TColor textColor, TColor backgroundColor,
                        const TcxDrawBackgroundEvent& onDrawBackground = nullptr) const override;
    void DrawFooterBorder(TcxCanvas* canvas, const TRect& r) const override;
    void DrawFooterPanel(TcxCanvas* canvas, const TRect& r, const TcxViewParams& background) const override;
    void DrawIndicatorListMark(TcxCanvas* canvas, const TRect& r, TColor color) const override;
    void DrawIndicatorGlyph(TcxCanvas* canvas, const TRect& r, TcxIndicatorKind kind) const override;
    void DrawIndicatorItem(TcxCanvas* canvas, const TRect& r, TcxIndicatorKind kind, TColor backgroundColor,
                           const TcxDrawBackgroundEvent& onDrawBackground = nullptr) const override;
    void DrawIndicatorHeader(TcxCanvas* canvas, const TRect& r, TcxIndicatorKind kind, TColor backgroundColor,
                             const TcxDrawBackgroundEvent& onDrawBackground = nullptr) const override;
    void DrawCalendarHeader(TcxCanvas* canvas, const TRect& r, const String& text, TcxNeighbors neighbors,
                            const TcxViewParams& viewParams, TcxHeaderArrows arrows, int arrowOffset,
                            const TcxDrawBackgroundEvent& onDrawBackground = nullptr) const override;
    // scheduler navigation buttons
    void LayoutNavigationButton(bool isNext, bool arrowOnly, TRect& arrowRect, TRect& textRect, TRect& contentRect,
                                const TSize& textExtent, const TSize& minimalExtent) const override;
    void DrawNavigationButtonContent(TcxCanvas* canvas, const TRect& r, const TRect& arrowRect, TcxButtonState state,
                                     bool isNext) const override;

    // The element state a button state is drawn in (default is drawn active).
    static TdxSkinElementState ButtonStateToElementState(TcxButtonState state);

protected:
    TdxSkinLookAndFeelPainter() = default;

private:
    // Draws the element in r when it exists; false when it does not.
    static bool DrawElement(TcxCanvas* canvas, TdxSkinElement* element, const TRect& r, int imageIndex = 0,
                            TdxSkinElementState state = esNormal);
    TdxSkinElement* GroupPanelElement(bool hasCaption, TcxGroupBoxCaptionPosition position) const;
};

// Loads a skin stored with the program (resource type "DXSKINS") into a new info of the class
// and registers it with the painter under the name; nil, with nothing kept, when GDI+ is not
// usable or the name is taken (the refused info is freed with its skin).
template <class TInfo>
TInfo* RegisterStoredSkin(const String& registryName, const String& resource, TcxLookAndFeelPainterClass painter);
// Unregisters the name when info is registered; the registry frees the info and its skin.
void UnregisterStoredSkin(const String& registryName, TdxSkinInfo*& info);

// Unit start and end: the painter keeps a reference to the registry of extended painters while
// its unit runs.
void InitializedxSkinsLookAndFeelPainter();
void FinalizedxSkinsLookAndFeelPainter();
TcxExtendedStylePainters* SkinsLookAndFeelPainterRegistry();

template <class TInfo>
TInfo* RegisterStoredSkin(const String& registryName, const String& resource, TcxLookAndFeelPainterClass painter) {
    TcxExtendedStylePainters* registry = GlobalExtendedStylePainters();
    if (!GdiPlusUsable() || !registry) return nullptr;
    auto info = new TInfo(new TdxSkin(resource, true, GetModuleHandleW(nullptr)));
    if (registry->RegisterPainter(registryName, painter, info)) return info;
    // a refused name leaves the data with us: free it rather than keep a skin nobody owns
    delete info;
    return nullptr;
}
