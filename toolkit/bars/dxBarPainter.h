#pragma once
// TdxBarPainter: what draws the bar manager's windows and answers their metrics. A manager
// keeps one painter instance of the class its style asks for (dxBarManager.h); bar windows,
// docks and item controls call its operations for every frame, background and mark they show.
// The base answers the neutral look that the style painters (dxBarStylePainters.h) keep unless
// they replace an operation, and holds the order in which a button, an edit or a bar is put
// together from its parts.
//
// Painters are made through their class reference: `cls->CreateWithData(skinPainter)`. The
// base keeps no state; only skinned painters store the skin painter they are given.
//
// The painter reads bars, bar windows and item controls through the interfaces of
// dxBarPaintedObjects.h. An item control answers them when it implements
// IdxBarPaintedControl; one that does not is drawn with neutral answers.
//
// The sources are split by concern: dxBarPainter.cpp (bars, docks, floating frames, marks),
// dxBarPainterButtons.cpp (buttons, glyphs, captions, arrows), dxBarPainterMenus.cpp (menus),
// dxBarPainterEdits.cpp (edits, combos, spin edits, progress, static items, screen tips).

#include <windows.h>

#include "GraphicsTypes.h"
#include "cxComponent.h"
#include "cxCustomLookAndFeelPainter.h"
#include "dxBarPaintedObjects.h"

class TBitmap;
class TCanvas;
class TCustomImageList;
class TcxCanvas;
class TcxLookAndFeel;
class TCustomdxBarCombo;
class TdxBarButtonLikeControlDrawParams;
class TdxBarEditLikeControlDrawParams;
class TdxBarHintViewInfo;
class TdxBarItem;
class TdxBarItemControl;
class TdxBarItemControlDrawParams;
class TdxBarItemLink;
class TdxBarManager;
class TdxBarPainter;
class TdxBarSpinEditDrawParams;
class TdxBarStaticLikeControlDrawParams;
class TdxDockControl;

// The class reference of the painter family: its virtual constructor.
class TdxBarPainterMeta : public TMetaClass {
public:
    using TMetaClass::TMetaClass;
    virtual TdxBarPainter* CreateWithData(TcxLookAndFeelPainterClass data) const = 0;
};

template <class C>
class TMetaClassOf<TdxBarPainterMeta, C> final : public TdxBarPainterMeta {
public:
    using TdxBarPainterMeta::TdxBarPainterMeta;
    TdxBarPainter* CreateWithData(TcxLookAndFeelPainterClass data) const override { return new C(data); }
};

using TdxBarPainterClass = const TdxBarPainterMeta*;

// The painters the skins make answer this, which is how fading draws a part in a state.
struct IdxBarSkinPainter : virtual IInterface {};

// The item control's painting answers; neutral ones when the control gives none.
IdxBarPaintedControl* PaintedControlOf(TdxBarItemControl* control);

class TdxBarPainter : public TcxIUnknownObject {
    Z_CLASS_FAMILY(TdxBarPainter, TcxIUnknownObject, TdxBarPainterMeta)
public:
    // The base ignores the data.
    explicit TdxBarPainter(TcxLookAndFeelPainterClass /*data*/) {}

    using W = IdxBarPaintedWindow;
    using C = TdxBarItemControl;
    using P = TdxBarItemControlDrawParams;
    using BP = TdxBarButtonLikeControlDrawParams;

    // ---- what the painter is ---------------------------------------------------------------
    virtual bool PaintsNonClientArea() const { return false; }
    virtual bool NeedsDoubleBuffering() const { return false; }
    virtual bool AllowsLargeIcons() const { return true; }
    virtual bool IsStandardStyle() const { return false; }
    // Whether the painter draws parts in states for the fading helpers (IdxBarSkinPainter).
    virtual bool SupportsFading();
    // The manager's MakeDisabledImagesFaded.
    virtual bool UsesFadedDisabledImages(W* window) const;
    virtual bool PaintsNonRecentItems() const { return false; }
    virtual bool ShowsSubItemSel(C* /*control*/) const { return false; }
    virtual bool IsFlatStyle() const { return false; }
    virtual bool IsFlatLook() const { return IsFlatStyle(); }
    virtual bool IsFlatButtonLook() const { return IsFlatStyle(); }
    // A flat style whose button face is not white.
    virtual bool UsesFlatColors() const;
    virtual bool HasSkinButtonElement() const { return false; }
    virtual bool ShowsButtonHot() const { return true; }
    virtual bool IsNotSkinned() const { return true; }
    // Hands the look-and-feel to the manager.
    virtual void AssignLookAndFeel(TdxBarManager* manager, TcxLookAndFeel* lookAndFeel) const;
    // The hint of an item; nil until the bar hint window's view info exists.
    virtual TdxBarHintViewInfo* CreateBarHintViewInfo(TdxBarManager* manager, const String& text,
                                                      const String& shortCutText, TObject* screenTip) const;
    // The screen position of the hint of an item rectangle given in the window's coordinates.
    virtual void CalcHintPos(W* window, const TRect& itemRect, const TPoint& startPos, int flag, TPoint& pos) const;

    // ---- bars ------------------------------------------------------------------------------
    // The whole client area through the window's FillBk with its background brush.
    virtual void DrawBarBk(W* window) const;
    virtual void DrawBarNonClientArea(W* /*window*/) const {}
    // The bar's picture, else (status bar) the status-bar background, else its colour, else the
    // docked or floating background.
    virtual void FillBarBk(W* window, HDC dc, const TRect& paintRect, const TRect& rect, HBRUSH brush,
                           TColor color) const;
    // The dock's background under the bar, continuing without a seam.
    virtual void FillDockedBarBk(W* window, HDC dc, const TRect& paintRect, const TRect& rect, HBRUSH brush,
                                 TColor color) const;
    // The manager's bar picture tiled from rect, else the brush, else the colour.
    virtual void FillFloatBarBk(W* window, HDC dc, const TRect& paintRect, const TRect& rect, HBRUSH brush,
                                TColor color) const;
    virtual HBRUSH GetBarOwnerBrush(W* window) const { return window->OwnerBrush(); }
    virtual HBRUSH GetToolbarBrush() const;
    virtual HBRUSH GetBarControlBrush(W* /*window*/) const { return GetToolbarBrush(); }
    // The shared checker pattern of down buttons; the button face; the highlight.
    virtual HBRUSH GetDownedBrush() const;
    virtual HBRUSH GetDownedSelBrush() const { return HBRUSH(INT_PTR(COLOR_BTNFACE + 1)); }
    virtual HBRUSH GetSelBrush() const { return HBRUSH(INT_PTR(COLOR_HIGHLIGHT + 1)); }
    virtual HBRUSH GetShadowBrush() const { return HBRUSH(INT_PTR(COLOR_BTNSHADOW + 1)); }
    // Whether bars and docks draw the visual style's background (the base never does).
    virtual bool UsesNativeBk(W* /*window*/, const TRect& /*rect*/) const { return false; }
    virtual bool UsesFlatItemLook() const { return false; }
    // Flat looks cast a shadow from windows that are not docked.
    virtual bool BarControlHasShadow(W* window) const;
    virtual bool CutsShadowAtOwner(W* window) const { return BarControlHasShadow(window); }
    virtual void SetBarWindowRegion(W* /*window*/) const {}
    virtual void GetBarBorderSizes(int& horizontal, int& vertical) const;
    // The frame around a bar's client area, per side.
    virtual void CalcBarNonClientOffsets(IdxBarPaintedBar* bar, TdxBarDockingStyle dockingStyle, bool withSizeGrip,
                                         TRect& rect) const;
    virtual int GetBarGap() const { return 0; }
    virtual int GetBarEdgeKind() const { return 0; }
    // The height of an item: 40 scaled for large menu items, else the text size.
    virtual int CalcBarItemHeight(W* window) const;
    virtual void CalcDockedBarBorders(TdxBarDockingStyle dockingStyle, TRect& rect) const;
    virtual int GetDockedBarBorderSize() const { return 1; }
    virtual void GetDockedBarMargins(IdxBarPaintedBar* bar, TdxBarDockingStyle dockingStyle, TRect& rect) const;
    virtual int GetGripOffset() const { return 0; }
    virtual int GetNoGripIndent() const { return 0; }
    virtual int GetDragAreaSize(W* /*window*/) const { return 0; }
    virtual int GetDragGripSize() const { return 3; }
    virtual void DrawDockedBarFrame(W* /*window*/, HDC /*dc*/, const TRect& /*rect*/, HBRUSH /*brush*/) const {}
    // Bars lower than 17 pixels are small: their mark's triangle and chevrons sit one pixel up.
    virtual bool IsSmallBar(W* /*window*/, const TRect& rect) const { return RectHeight(rect) < 17; }
    virtual void DrawBarSizeGrip(W* window, HDC dc, const TRect& gripRect, HBRUSH brush) const;

    // ---- docks -----------------------------------------------------------------------------
    virtual int GetDockRowSpacing() const { return 0; }
    // A dock's background over paintRect: the brush, else the colour.
    virtual void DrawDockBk(TdxDockControl* dock, HDC dc, const TRect& paintRect, const TRect& rect,
                            const TRect& barRect, HBRUSH brush, TColor color) const;

    // ---- separators: a strip GetSeparatorSize wide with the etched line in its middle ---------
    virtual int GetSeparatorSize() const { return 6; }
    virtual int GetSeparatorOffset() const { return (GetSeparatorSize() - 2) / 2; }
    // The two ends through the window's FillBk, the etched line between them (horizontal: a line
    // running left to right, across a vertical bar).
    virtual void DrawBarSeparator(W* window, HDC dc, const TRect& rect, HBRUSH brush, bool horizontal) const;
    virtual void DrawExtraPaneBk(W* window, TcxCanvas* canvas, const TRect& rect, HBRUSH brush, TColor color) const;
    virtual void DrawExtraPaneSeparator(W* window, TcxCanvas* canvas, const TRect& rect, HBRUSH brush,
                                        bool horizontal) const;

    // ---- floating frames and captions ------------------------------------------------------
    virtual int GetFloatBorderWidth() const;
    virtual int GetFloatBorderHeight() const;
    virtual int GetFloatExtraSide() const { return 0; }
    virtual int GetFloatExtraTop() const { return 0; }
    virtual int GetFloatExtraBottom() const { return 0; }
    virtual bool HitTestsFloatFrame() const { return false; }
    virtual bool DrawsStandardFrame() const { return false; }
    virtual void DrawFloatBorder(W* /*window*/, HDC /*dc*/, const TRect& /*windowRect*/, const TRect& /*clientRect*/,
                                 HBRUSH /*brush*/) const {}
    virtual int GetFloatCaptionHeight() const;
    virtual int GetFloatCaptionAreaHeight() const { return GetFloatCaptionHeight() + 1; }
    virtual void CalcFloatCaptionRect(const TRect& windowRect, TRect& captionRect) const;
    virtual void GetCloseButtonSize(TSize& size) const;
    virtual bool DrawsCaptionTransparent() const { return false; }
    virtual void FillBarCaption(W* window, HDC dc, const TRect& rect, HBRUSH brush) const;
    virtual TColor GetBarCaptionBackColor(W* window, bool mainFormActive) const;
    virtual TColor GetBarCaptionTextColor(W* /*window*/) const { return clCaptionText; }
    // X: the right edge of the caption-button area + 3.
    virtual void GetFloatCaptionOffset(W* window, int& x, const TRect& captionRect) const;
    // The separating line, the close button, the caption text and the mark of a floating bar.
    virtual void DrawFloatCaption(W* window, HDC dc, const TRect& captionRect, const TRect& areaRect,
                                  HBRUSH brush) const;
    // State 0 normal, 1 hot, 2 pressed.
    virtual void DrawCaptionButtonFace(W* window, HDC dc, const TRect& rect, int state) const;
    virtual void DrawFloatCloseButton(W* /*window*/, HDC /*dc*/, const TRect& /*rect*/) const {}
    virtual void DrawMDIButton(W* /*window*/, int /*button*/, int /*state*/, HDC /*dc*/, const TRect& /*rect*/) const {}

    // ---- marks (the quick-customization button at a toolbar's end) --------------------------
    virtual int GetMarkSize() const { return 11; }
    virtual void GetMarkDrawRect(W* window, TRect& rect) const { CalcMarkRect(window, rect); }
    virtual void CalcMarkRect(W* window, TRect& rect) const;
    virtual void InvalidateMark(W* window) const;
    virtual void DrawMark(W* window, TcxCanvas* canvas, const TRect& rect, int state) const;
    virtual void DrawMarkBk(W* /*window*/, HDC /*dc*/, const TRect& /*rect*/, int /*state*/) const {}
    // The down (horizontal bars) or left triangle, and the double chevron when the bar could
    // not show all its links.
    virtual void DrawMarkContent(W* window, HDC dc, const TRect& rect) const;
    // One chevron: two parallel strokes, pointing right on horizontal bars, down on vertical ones.
    virtual void DrawMarkChevron(W* window, HDC dc, int pos, const TRect& markRect) const;
    virtual int GetMarkElementColorIndex(W* /*window*/) const { return COLOR_BTNTEXT; }
    virtual TColor GetMarkArrowColor(W* /*window*/, int /*state*/) const { return clCaptionText; }
    virtual void DrawFloatMark(W* window, HDC dc, const TRect& rect) const { DrawFloatMarkArrow(window, dc, rect); }
    // A down triangle 7 wide centred in the rectangle.
    virtual void DrawFloatMarkArrow(W* window, HDC dc, const TRect& rect) const;
    virtual bool AllowsQuickCust() const { return true; }
    virtual bool AlignsQuickPopupToBar() const { return false; }
    virtual HBRUSH GetQuickCustBrush(W* window) const { return GetBarControlBrush(window); }
    // Splits a quick-customization entry into its check square and its text.
    virtual void CalcQuickCustCheckRect(C* control, HDC dc, TRect& rect, TRect& textRect, bool hot) const;
    virtual void DrawQuickCustCheck(C* /*control*/, HDC /*dc*/, const TRect& /*entryRect*/,
                                    const TRect& /*checkRect*/, bool /*hot*/) const {}
    virtual void DrawQuickCustPart(W* window, HDC dc) const;

    // ---- status bars and size grips --------------------------------------------------------
    virtual void DrawStatusBarBk(W* window, HDC dc, const TRect& paintRect, const TRect& rect, const TRect& barRect,
                                 HBRUSH brush, TColor color) const;
    virtual void DrawStatusBarFrame(W* window, HDC dc, const TRect& rect, HBRUSH brush) const;
    virtual void DrawStatusBarSizeGrip(W* window, HDC dc, const TRect& rect, HBRUSH brush) const;
    virtual void GetStatusBarMargins(TRect& rect) const { rect = Rect(0, 0, 0, 0); }
    virtual int GetStatusBarTopIndent() const { return 2; }
    // The visual style's grip with native backgrounds and the manager's theme, else the system's
    // scroll-bar arrow sizes.
    virtual void GetSizeGripWidth(TdxBarManager* manager, TSize& size) const;

    // ---- buttons ---------------------------------------------------------------------------
    // Lowered frame, menu item, content, glyph, caption, drop-down arrow, in this order.
    virtual void DrawButtonControl(BP* params, const TRect& rect) const;
    virtual void DrawButtonBk(BP* params, const TRect& rect, HBRUSH brush) const;
    virtual bool FillsButtonBk(P* params) const;
    virtual void DrawButtonCaption(BP* params, const TRect& rect, const TRect& glyphRect) const;
    virtual void DrawButtonArrow(BP* params, const TRect& rect) const;
    virtual void DrawSplitDropDownPart(BP* params, const TRect& rect) const;
    virtual void DrawWholeButtonArrow(BP* params, const TRect& rect) const;
    virtual bool DrawsArrowHighlighted(BP* params) const;
    virtual void CalcDropDownArrowRect(BP* params, TRect* parts, int partsHigh, const TRect& rect) const;
    virtual void DrawLoweredFrame(HDC dc, TRect& rect) const;
    virtual void CalcPressedShift(bool down, bool pressed, TRect& rect) const;
    virtual void OffsetPressedRect(bool pressed, TRect& rect) const;
    virtual int GetButtonExtraHeight() const { return 6; }
    virtual int GetButtonExtraWidth() const { return 7; }
    virtual int CalcButtonHeight(int glyphSize, int /*textSize*/) const { return glyphSize + GetButtonExtraHeight(); }
    virtual int CalcButtonWidth(int glyphSize, int /*textSize*/) const { return glyphSize + GetButtonExtraWidth(); }
    virtual void CalcButtonSize(int glyphSize, int textSize, TSize& size) const;
    // The manager's arrow width, doubled with large icons, always odd.
    virtual int GetDropDownArrowWidth(TdxBarManager* manager) const;
    virtual int GetItemSpacing(TObject* object) const;
    virtual void GetSmallArrowSize(TSize& size) const { size = TSize{5, 3}; }
    virtual int GetArrowIndent(C* control) const;
    virtual int GetCheckedExtraSize() const { return 0; }
    virtual void DrawCenteredButtonText(HDC dc, const TRect& rect, int shift, const String& text, bool opaque) const;

    // ---- glyphs ----------------------------------------------------------------------------
    virtual void DrawButtonContent(C* control, HDC dc, const TRect& rect, const TRect& glyphArea, TRect& glyphRect,
                                   int paintKind, Byte viewStructure, int viewSize, bool noGlyph, bool selected,
                                   bool down, bool pressed, bool droppedDown, bool centerInArea, bool plainBk,
                                   bool grayGlyph, bool split) const;
    virtual void DrawGlyphAndText(C* control, HDC dc, const TRect& rect, const TRect& glyphArea, int paintKind,
                                  bool noGlyph, bool selected, bool down, bool pressed, bool droppedDown,
                                  bool centerInArea, bool plainBk, bool split) const;
    virtual void CalcGlyphRect(C* control, const TRect& area, int paintKind, Byte viewStructure, int viewSize,
                               bool centerInArea, bool selected, bool down, bool pressed, bool& noGlyph,
                               TBitmap*& glyph, TCustomImageList*& images, int& imageIndex, TRect& glyphRect) const;
    virtual void CalcLargeGlyphRect(C* control, const TSize& glyphSize, const TRect& area, int paintKind,
                                    Byte viewStructure, TdxBarGlyphLayout glyphLayout, TRect& rect) const;
    virtual void DrawItemGlyph(C* control, HDC dc, const TRect& area, const TRect& glyphRect, int paintKind,
                               TBitmap* glyph, TCustomImageList* images, int imageIndex, bool noGlyph, bool selected,
                               bool down, bool pressed, bool droppedDown, bool plainBk, bool grayGlyph,
                               bool split) const;
    virtual void DrawGlyphFrame(C* /*control*/, HDC /*dc*/, HBRUSH /*brush*/, bool /*hasRoom*/, const TRect& /*area*/,
                                int /*paintKind*/, bool /*noGlyph*/, bool /*selected*/, bool /*down*/,
                                bool /*pressed*/, bool /*droppedDown*/, bool /*split*/) const {}
    // Size 1 normal, 2 double; the styles draw it with its top-left corner at (x, y).
    virtual void DrawCheckMark(C* /*control*/, HDC /*dc*/, int /*x*/, int /*y*/, int /*size*/) const {}
    virtual void DrawMenuCheckMark(C* control, HDC dc, const TRect& rect, int paintKind, bool down) const;
    virtual void DrawFlatSelectionFrame(HDC /*dc*/, const TRect& /*rect*/) const {}
    virtual HBRUSH GetGlyphBkBrush(C* control, int paintKind, bool noGlyph, bool selected, bool down, bool pressed,
                                   bool droppedDown, bool plainBk, bool grayGlyph) const;
    virtual bool DrawsGlyphBk(C* control) const;
    virtual bool IsGlyphBkSolid(C* control, bool state1, bool state2, bool state3, bool noGlyph) const;
    virtual int GlyphDrawOption() const { return 0; }
    virtual int GlyphShadowOption() const { return 0; }
    virtual int GetDownGlyphShift() const { return 0; }
    virtual int GetPressedGlyphShift(C* /*control*/, bool /*down*/) const { return 0; }
    virtual void GetGlyphMargins(TRect& rect) const { rect = Rect(4, 0, 0, 0); }

    // ---- item backgrounds and frames -------------------------------------------------------
    virtual HBRUSH GetItemBrush(P* params) const;
    virtual void DrawItemBk(C* control, HDC dc, const TRect& rect, HBRUSH brush, bool solid) const;
    virtual void DrawItemFrame(C* control, HDC dc, const TRect& rect, HBRUSH brush, bool simple) const;
    virtual void FillDisabledShadow(C* control, HDC dc, const TRect& rect) const;
    virtual void FillBkUnderItem(P* params, TcxCanvas* canvas, const TRect& rect, HBRUSH brush) const;
    virtual bool IsItemDrawSel(P* params) const;

    // ---- captions and text -----------------------------------------------------------------
    virtual void DrawItemCaption(BP* params, const TRect& rect, int align, UINT flags) const;
    // Engraved when disabled; rotated text gets its accelerator underline drawn by hand.
    virtual void DrawItemText(C* control, HDC dc, const String& text, const TRect& rect, int align, bool enabled,
                              bool selected, bool rotated, bool clip, bool flat, UINT flags) const;
    virtual void CalcButtonTextRect(BP* params, TRect& rect, const TRect& glyphRect, int& align) const;
    virtual void CalcCaptionTextRect(P* params, TRect& rect) const;
    virtual void AddCaptionIndent(BP* params, int& x) const;
    virtual void GetTextMargins(TRect& rect) const { rect = Rect(3, 0, 3, 0); }
    virtual void GetCaptionMargins(TRect& rect) const { rect = Rect(2, 2, 2, 3); }
    virtual int GetItemTextIndent(P* params) const;
    virtual int CalcTextItemHeight(TcxCanvas* canvas) const;
    virtual int GetPopupBorderWidth() const { return 2; }
    virtual TColor GetItemTextColor(C* control, bool selected, bool flat) const;
    virtual TColor GetBarItemTextColor(C* control, bool selected, bool flat) const {
        return GetItemTextColor(control, selected, flat);
    }
    virtual void GetDisabledItemTextColors(C* control, bool selected, bool flat, TColor& highlight,
                                           TColor& main) const;
    virtual void GetItemStyleTextColors(C* control, bool enabled, bool selected, bool flat, TColor& highlight,
                                        TColor& main) const;
    virtual bool UsesItemTextColor(P* /*params*/) const { return false; }
    virtual TColor GetCaptionColor(BP* params) const;

    // ---- arrows ----------------------------------------------------------------------------
    // Directions: 0 up, 1 down, 2 left, 3 right.
    virtual void DrawSmallArrow(HDC dc, const TRect& rect, int direction, bool enabled, bool highlighted, bool flat,
                                TColor color) const;
    virtual void DrawLargeArrow(HDC dc, const TRect& rect, int direction, int size, bool highlighted, bool enabled,
                                bool flat, TColor color) const;
    virtual void DrawLargeDropDownArrow(P* params, const TRect& rect, int size, TColor color) const;

    // ---- menus -----------------------------------------------------------------------------
    virtual bool HasMenuSideStrip() const { return false; }
    virtual bool OffsetsRecentGroup() const { return false; }
    virtual bool OmitsMenuInnerBorder() const { return false; }
    virtual bool UsesMenuBrush() const { return true; }
    virtual HBRUSH GetMenuBrush(int /*paintKind*/) const { return HBRUSH(INT_PTR(COLOR_BTNFACE + 1)); }
    virtual bool GetMenuItemBrush(int paintKind, HBRUSH& brush) const;
    virtual int GetMenuBorderWidth() const { return 1; }
    virtual int GetMenuContentIndent() const { return 1; }
    virtual int GetMenuFrameSize() const { return GetMenuBorderWidth() + GetMenuContentIndent(); }
    virtual void GetMenuContentMargins(W* menu, TRect& rect) const;
    virtual int GetMenuArrowsOffset() const { return 2; }
    virtual int CalcMenuArrowWidth(int textSize) const { return textSize / 4 * 3 + 1; }
    virtual int CalcMenuArrowIndent(int height) const { return (height - 6) / 2; }
    virtual int GetMenuSeparatorHeight() const { return 10; }
    virtual int GetMenuGroupIndent() const { return 0; }
    virtual int GetMinMenuItemHeight() const { return 19; }
    virtual int GetMenuItemExtraHeight() const { return 0; }
    virtual int GetMenuItemExtraIndent() const { return 0; }
    virtual int GetMenuGlyphIndent(C* control) const;
    virtual int CalcMenuTextItemHeight(TcxCanvas* canvas) const { return CalcTextItemHeight(canvas); }
    virtual int GetIconAreaWidth(W* menu) const { return menu->IconAreaWidth(); }
    virtual int GetMenuTextOffset(W* menu) const;
    virtual int GetMenuTextIndent(P* params) const;
    virtual void CalcMenuGlyphRect(const TRect& itemRect, int iconAreaWidth, TRect& rect) const;
    virtual void CalcMenuTextRect(P* params, const TRect& itemRect, TRect& rect) const;
    virtual void CalcBeginGroupRect(W* menu, C* control, const TRect& itemRect, TRect& rect) const;
    virtual void AdjustMenuItemSize(int& /*value*/) const {}
    virtual void AdjustMenuItemWidth(int& /*value*/) const {}
    virtual int GetDetachCaptionHeight(W* menu) const;
    virtual void InsetDetachCaption(W* menu, TRect& rect) const;
    virtual void DrawDetachCaption(W* menu, HDC dc, const TRect& rect, int state) const;
    virtual void FillMenuBk(W* menu, TcxCanvas* canvas, const TRect& rect, HBRUSH brush, TColor color) const;
    virtual void DrawMenuBorder(W* menu, HDC dc, const TRect& rect) const;
    virtual void DrawMenuInnerBorder(W* menu, HDC dc, const TRect& rect, HBRUSH brush) const;
    virtual void DrawMenuItemBk(P* /*params*/, const TRect& /*rect*/) const {}
    virtual void DrawMenuItemFrame(W* /*menu*/, C* /*control*/, HDC /*dc*/, const TRect& /*rect*/, int /*index*/) const {}
    virtual void DrawMenuSeparatorLine(TcxCanvas* canvas, const TRect& rect) const;
    virtual void DrawItemSeparator(W* menu, C* control, TcxCanvas* canvas, const TRect& rect) const;
    virtual void DrawMenuButtonItem(BP* params, const TRect& rect) const;
    virtual void DrawMenuItemText(BP* params, const TRect& rect) const;
    // The text wrapped to the rectangle's width in at most maxLines lines, the last holding all
    // the rest (cut with an ellipsis), one "Wg" height apart.
    virtual void DrawWrappedItemText(BP* params, const String& text, const TRect& rect, int align,
                                     int maxLines) const;
    virtual void DrawScrollButtonFrame(W* /*menu*/, TcxCanvas* /*canvas*/, bool /*bottom*/) const {}
    virtual int GetScrollButtonHeight(W* menu) const { return menu->TextSize(); }
    virtual void GetScrollButtonRect(W* menu, bool bottom, TRect& rect) const;
    virtual void CalcScrollArrowSize(int height, int& size, int& remainder) const;
    virtual void FillScrollButton(TcxCanvas* canvas, const TRect& rect, TColor color) const;
    virtual void DrawScrollArrow(W* menu, TcxCanvas* canvas, const TRect& rect, TColor color,
                                 int direction) const;
    virtual void DrawScrollButton(W* menu, TcxCanvas* canvas, bool bottom) const;
    virtual void DrawScrollButtonBack(W* menu, TcxCanvas* canvas, bool bottom) const;
    virtual void DrawScrollButtonLine(W* menu, TcxCanvas* canvas, bool bottom) const;
    virtual void CalcExpandButtonMetrics(TcxCanvas* canvas, int textSize, int& arrowWidth, int& height) const;
    virtual void DrawExpandButton(W* menu, const TRect& rect, bool selected) const;
    virtual void DrawExpandButtonSelection(W* menu, HDC dc, const TRect& rect) const;
    virtual void DrawExpandButtonContent(W* menu, HDC dc, const TRect& rect, bool selected) const;
    virtual void DrawAppMenuBorder(W* menu, HDC dc, const TRect& rect) const { DrawMenuBorder(menu, dc, rect); }
    virtual void DrawAppMenuButton(W* /*menu*/, HDC /*dc*/, const TRect& /*rect*/, int /*state*/) const {}
    virtual void DrawAppMenuBk(W* menu, TcxCanvas* canvas, const TRect& rect, const TRect& excludedRect) const;
    virtual void GetAppMenuMargins(TRect& rect) const { rect = Rect(0, 0, 0, 0); }

    // ---- edits and combos ------------------------------------------------------------------
    virtual void CalcEditLayout(P* params, TRect* parts, int partsHigh, const TRect& rect) const;
    virtual void CalcComboLayout(P* params, TRect* parts, int partsHigh, const TRect& rect) const;
    virtual void ApplyContentMargins(int paintKind, const TRect& rect, TRect& result) const;
    virtual void GetPartMargins(int /*paintKind*/, TRect& rect) const { rect = Rect(2, 2, 2, 2); }
    virtual void GetEditMargins(int paintKind, TRect& rect) const { GetPartMargins(paintKind, rect); }
    virtual int GetEditBorderWidth() const { return 1; }
    virtual void AdjustEditTextRect(C* control, TRect& rect) const;
    virtual int CalcEditTextHeight(C* control, int textHeight) const;
    virtual void GetEditPartMargins(P* params, int part, TRect& rect) const;
    virtual int CalcEditCaptionIndent(P* params) const;
    virtual int GetEditCaptionIndent() const { return 2; }
    virtual int GetEditMenuIndent() const { return 2; }
    virtual int GetEditCaptionSpacing() const { return 4; }
    virtual void GetEditTextMargins(P* /*params*/, TRect& rect) const { rect = Rect(4, 0, 0, 0); }
    virtual void DrawEditControl(P* params, const TRect& rect) const;
    virtual void DrawEditBk(P* params) const;
    virtual void DrawEditBoxFrame(P* params, TRect& rect) const;
    virtual void DrawEditCaption(P* params, TRect& rect) const;
    virtual void DrawEditGlyph(P* params, TRect& rect) const;
    virtual void DrawEditMenuSelection(P* /*params*/, const TRect& /*rect*/) const {}
    virtual bool IsMenuEditHighlighted(P* params) const;
    virtual bool IsMenuEditActive(P* params) const;
    virtual bool ShowsEditGlyph() const { return false; }
    virtual bool IsEditGlyphSel(C* /*control*/) const { return false; }
    virtual HBRUSH GetEditBrush(C* control) const;
    virtual void FillEditArea(C* control, TcxCanvas* canvas, const TRect& rect) const;
    virtual void DrawEditText(C* control, TdxBarItem* item, TcxCanvas* canvas, const TRect& rect,
                              TdxBarItemLink* link) const;
    virtual void SelectEditText(C* control, HWND editWindow, bool notify) const;
    virtual TColor GetEditWindowColor() const { return clWindow; }
    virtual TColor GetEditDisabledColor(C* control) const;
    virtual TColor GetEditBackColor(P* params) const;
    virtual TColor GetEditWindowTextColor() const { return clWindowText; }
    virtual TColor GetEditDisabledTextColor() const { return clGrayText; }
    virtual TColor GetEditTextColor(C* control) const;
    virtual void GetEditColors(C* control, TColor& textColor, TColor& backColor) const;
    virtual void DrawEditButtonFrame(C* /*control*/, HDC /*dc*/, const TRect& /*rect*/, bool /*enabled*/,
                                     bool /*selected*/, bool /*pressed*/) const {}
    virtual TColor GetEditButtonArrowColor(P* /*params*/) const { return clBtnText; }
    virtual HBRUSH GetEditButtonBrush(P* params) const { return GetItemBrush(params); }
    virtual int CalcComboArrowWidth(int size) const { return 2 * size - 1; }
    virtual void DrawComboButton(P* params, const TRect& rect, int kind) const;
    // Draws the button's face; hands back where its arrow goes (moved while dropped down).
    virtual void DrawComboButtonFace(P* /*params*/, TRect& /*rect*/, HBRUSH /*brush*/) const {}
    virtual int GetDropDownListBorderSize() const { return 2; }
    virtual void DrawDropDownListBorder(HDC dc, TColor color, const TRect& rect) const;
    virtual void DrawComboListItem(TCustomdxBarCombo* combo, TcxCanvas* canvas, int index, const TRect& rect,
                                   UINT state, bool flag) const;
    virtual bool IsMenuDropDownFlag() const { return false; }
    virtual void AdjustDropDownRect(HWND window, TRect& rect, int& corner, TdxBarItem* item, bool withPanel) const;
    virtual void DrawSysPanel(HWND window, bool showPanel, bool closeHot, bool closeDown, TRect& closeRect,
                              TRect& gripRect, int corner) const;
    virtual int GetSysPanelHeight() const;

    // ---- colour combos and ellipsis buttons ------------------------------------------------
    virtual void CalcColorComboLayout(P* params, TRect* parts, int partsHigh, const TRect& rect) const;
    virtual void CalcColorComboRects(P* params, const TRect& rect, TRect& buttonRect) const;
    virtual int GetColorButtonWidth(int paintKind, const TRect& rect) const;
    virtual void GetColorComboMargins(int /*paintKind*/, TRect& rect) const { rect = Rect(1, 2, 1, 2); }
    virtual bool ShowsColorComboCustomButton() const { return false; }
    virtual bool HasColorComboCustomButton(P* params) const;
    virtual void CalcColorComboCustomButtonRect(P* params, TRect& rect) const;
    virtual void DrawColorComboCustomButton(P* params, const TRect& rect) const;
    virtual void DrawColorComboColorBox(P* params, const TRect& rect) const;
    virtual int GetEllipsisDotOffset(int size) const { return size; }
    virtual void DrawEllipsisDots(P* params, const TRect& rect) const;
    virtual void DrawEllipsisDot(P* params, const TRect& rect) const;

    // ---- spin edits ------------------------------------------------------------------------
    virtual void CalcSpinEditLayout(P* params, TRect* parts, int partsHigh, const TRect& rect) const;
    virtual void CalcSpinButtonRect(P* params, const TRect& rect, int part, TRect& buttonRect) const;
    virtual int CalcSpinButtonsWidth(int paintKind, const TRect& rect) const;
    virtual void CalcSpinArrowSize(int height, TSize& size) const;
    virtual void GetSpinButtonMargins(int /*paintKind*/, TRect& rect) const { rect = Rect(1, 0, 1, 0); }
    virtual void CalcSpinEditTextWidth(P* params, TRect& rect) const;
    virtual int GetSpinButtonState(P* params, int button) const;
    virtual void DrawSpinButton(P* params, const TRect& rect, int button) const;
    virtual void CalcSpinArrowPos(P* params, const TRect& rect, int button, TPoint& pos) const;
    virtual void DrawSpinArrow(P* params, const TPoint& pos, int button) const;
    virtual void FillSpinEditBk(P* params, const TRect& rect) const;

    // ---- progress bars ---------------------------------------------------------------------
    virtual TColor GetProgressBarColor() const { return clHighlight; }
    virtual bool AllowsPartialProgressUpdate() const { return false; }
    virtual int GetProgressBarHeight() const { return 12; }
    virtual int GetProgressIndent() const { return 0; }
    virtual void DrawProgressBar(P* params, const TRect& rect, TColor color) const;
    virtual void DrawProgressBk(P* params, const TRect& rect) const;
    virtual void DrawProgressBlocks(P* params, const TRect& rect, HBRUSH brush) const;
    virtual void DrawProgressSolid(P* params, const TRect& rect, HBRUSH brush) const;
    virtual void DrawProgressBlock(P* params, const TRect& rect, HBRUSH brush) const {
        DrawProgressSolid(params, rect, brush);
    }

    // ---- static items and separators -------------------------------------------------------
    virtual void DrawStaticControl(P* params, TRect& rect, const TRect& indents) const;
    virtual void DrawStaticBorder(P* params, TRect& rect) const;
    virtual void GetStaticBorderWidths(C* control, int style, TRect& rect) const;
    virtual void DrawStaticBk(P* params, const TRect& rect) const;
    virtual bool StaticHasOwnBrush(P* params) const;
    virtual void DrawStaticContent(P* params, const TRect& rect) const;
    virtual void GetStaticMargins(TRect& rect) const { rect = Rect(6, 0, 0, 0); }
    virtual int GetSeparatorItemHeight() const { return 2; }
    virtual void DrawSeparatorCaption(P* params, const TRect& rect) const { DrawStaticContent(params, rect); }
    virtual void DrawSeparatorControl(P* params, const TRect& rect) const;

    // ---- in-place sub items and the date navigator -----------------------------------------
    virtual int GetExtItemIndent() const { return 0; }
    virtual int GetInPlaceSubItemTextSize(P* params) const;
    virtual int GetInPlaceSubItemTextIndent() const { return 5; }
    virtual bool IsInPlaceSubItemSel(P* params) const;
    virtual bool InPlaceArrowHighlighted() const { return true; }
    virtual void DrawInPlaceSubItemArrow(P* params, int direction, const TRect& rect) const;
    virtual void DrawInPlaceSubItemBk(P* params, const TRect& rect) const;
    virtual void DrawInPlaceSubItem(P* params, const TRect& rect) const;
    virtual bool IsFlatDateNavigator() const { return false; }
    virtual TColor GetDateNavigatorHeaderColor() const { return clBtnFace; }
    virtual void DrawDateNavigatorButton(TdxBarItem* item, HDC dc, const TRect& rect, const String& text,
                                         bool pushed) const;

    // ---- screen tips -----------------------------------------------------------------------
    virtual TColor GetScreenTipTextColor() const { return clDefault; }
    virtual TColor GetScreenTipTitleColor() const { return clDefault; }
    virtual int GetScreenTipSeparatorHeight() const { return 3; }
    virtual void DrawScreenTipBk(HDC /*dc*/, const TRect& /*rect*/) const {}
    virtual void DrawScreenTipSeparator(HDC /*dc*/, const TRect& /*rect*/) const {}

    // ---- skin painter hooks: how the skin bar painter narrows what the base draws ----------
    // The rectangle a progress bar's fill runs in, after its background and frame are drawn;
    // the base fills the whole rectangle.
    virtual void GetProgressContentRect(P* /*params*/, TRect& /*rect*/) const {}

    // ---- what only skinned painters answer -------------------------------------------------
    virtual int GetSkinPropertyA(int /*kind*/) const { return 0; }
    virtual int GetSkinPropertyB(int /*kind*/) const { return 0; }
    virtual int GetSplitOffsets(int /*kind*/) const { return 0; }
    virtual void AdjustSkinnedSize(P* /*params*/, TSize& /*size*/) const {}
    virtual void DrawStateFace(P* /*params*/, HDC /*dc*/, const TRect& /*rect*/, int /*state*/) const {}
    virtual void DrawStateBorder(P* /*params*/, HDC /*dc*/, const TRect& /*rect*/, int /*state*/) const {}
};

// The painter of the flat look, shared by every painter that borrows flat behaviour; made on
// first use and kept for the life of the bar library.
TdxBarPainter* FlatPainterInstance();
void FreeFlatPainterInstance();
