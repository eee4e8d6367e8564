#pragma once
// TdxBarPainter: what draws the bar manager's windows and answers their metrics. A manager
// keeps one painter instance of the class its style asks for (dxBarManager.h); bar windows,
// docks and item controls call its operations for every frame, background and mark they show.
// The base answers the neutral look that the style painters (dxBarStylePainters.h) keep unless
// they replace an operation.
//
// Painters are made through their class reference: `cls->CreateWithData(skinPainter)`. The
// base keeps no state; only skinned painters store the skin painter they are given.

#include <windows.h>

#include "GraphicsTypes.h"
#include "cxComponent.h"
#include "cxCustomLookAndFeelPainter.h"

class TCustomdxBarControl;
class TdxBarManager;
class TdxBarPainter;
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

class TdxBarPainter : public TcxIUnknownObject {
    Z_CLASS_FAMILY(TdxBarPainter, TcxIUnknownObject, TdxBarPainterMeta)
public:
    // The base ignores the data.
    explicit TdxBarPainter(TcxLookAndFeelPainterClass /*data*/) {}

    // -- what the painter is
    virtual bool PaintsNonClientArea() const { return false; }
    virtual bool NeedsDoubleBuffering() const { return false; }
    virtual bool AllowsLargeIcons() const { return true; }
    virtual bool IsStandardStyle() const { return false; }
    // Whether the painter draws parts in states for the fading helpers (IdxBarSkinPainter).
    virtual bool SupportsFading();

    // -- docks and bars
    virtual int GetDockRowSpacing() const { return 0; }
    // Whether bars and docks draw the visual style's background (the base never does).
    virtual bool UsesNativeBk(TCustomdxBarControl* /*barWindow*/, const TRect& /*rect*/) const { return false; }
    virtual bool UsesFlatItemLook() const { return false; }
    // A dock's background over paintRect: the brush, else the colour.
    virtual void DrawDockBk(TdxDockControl* dock, HDC dc, const TRect& paintRect, const TRect& rect,
                            const TRect& barRect, HBRUSH brush, TColor color) const;
    // The system colour brush of the button face.
    virtual HBRUSH GetToolbarBrush() const;
    // The shared checker pattern of down buttons; the button face; the highlight.
    virtual HBRUSH GetDownedBrush() const;
    virtual HBRUSH GetDownedSelBrush() const { return HBRUSH(INT_PTR(COLOR_BTNFACE + 1)); }
    virtual HBRUSH GetSelBrush() const { return HBRUSH(INT_PTR(COLOR_HIGHLIGHT + 1)); }
    virtual void GetBarBorderSizes(int& horizontal, int& vertical) const;
    virtual int GetBarGap() const { return 0; }
    virtual int GetBarEdgeKind() const { return 0; }
    virtual void CalcDockedBarBorders(TRect& rect) const;
    virtual int GetDockedBarBorderSize() const { return 1; }
    virtual int GetGripOffset() const { return 0; }
    virtual int GetNoGripIndent() const { return 0; }
    virtual int GetDragGripSize() const { return 3; }
    // Bars lower than 17 pixels are small: their mark's triangle and chevrons sit one pixel up.
    virtual bool IsSmallBar(const TRect& rect) const { return RectHeight(rect) < 17; }

    // -- separators: a strip GetSeparatorSize wide with the etched line in its middle
    virtual int GetSeparatorSize() const { return 6; }
    virtual int GetSeparatorOffset() const { return (GetSeparatorSize() - 2) / 2; }
    // Paints the strip: the two ends in the brush, the etched line across (horizontal: a line
    // running left to right, for a vertical bar) between them.
    virtual void DrawBarSeparator(HDC dc, const TRect& rect, HBRUSH brush, bool horizontal) const;

    // -- floating frames and captions
    virtual int GetFloatBorderWidth() const;
    virtual int GetFloatBorderHeight() const;
    virtual int GetFloatExtraSide() const { return 0; }
    virtual int GetFloatExtraTop() const { return 0; }
    virtual int GetFloatExtraBottom() const { return 0; }
    virtual bool HitTestsFloatFrame() const { return false; }
    virtual bool DrawsStandardFrame() const { return false; }
    virtual int GetFloatCaptionHeight() const;
    virtual int GetFloatCaptionAreaHeight() const { return GetFloatCaptionHeight() + 1; }
    virtual void CalcFloatCaptionRect(const TRect& windowRect, TRect& captionRect) const;
    virtual void GetCloseButtonSize(TSize& size) const;
    virtual bool DrawsCaptionTransparent() const { return false; }
    virtual TColor GetBarCaptionBackColor(bool mainFormActive) const;
    virtual TColor GetBarCaptionTextColor() const { return clCaptionText; }

    // -- marks (the quick-customization button at a toolbar's end)
    virtual int GetMarkSize() const { return 11; }
    virtual int GetMarkElementColorIndex() const { return COLOR_BTNTEXT; }
    virtual TColor GetMarkArrowColor(int /*state*/) const { return clCaptionText; }
    virtual bool AllowsQuickCust() const { return true; }
    virtual bool AlignsQuickPopupToBar() const { return false; }
    // The mark's content: the down (horizontal bars) or left triangle, and the double chevron
    // when the bar could not show all its links.
    virtual void DrawMarkContent(HDC dc, const TRect& rect, bool horizontal, bool truncated, int clientWidth) const;
    // One chevron: two parallel strokes, pointing right on horizontal bars, down on vertical ones.
    virtual void DrawMarkChevron(HDC dc, int pos, const TRect& markRect, bool horizontal, int clientWidth) const;
    // A down triangle 7 wide centred in the rectangle.
    virtual void DrawFloatMarkArrow(HDC dc, const TRect& rect, int state) const;
    // Splits a quick-customization entry into its check square and its text.
    virtual void CalcQuickCustCheckRect(TRect& rect, TRect& textRect) const;

    // -- status bars and size grips
    virtual void GetStatusBarMargins(TRect& rect) const { rect = Rect(0, 0, 0, 0); }
    virtual int GetStatusBarTopIndent() const { return 2; }
    // The visual style's grip with native backgrounds and the manager's theme, else the system's
    // scroll-bar arrow sizes.
    virtual void GetSizeGripWidth(TdxBarManager* manager, TSize& size) const;

    // button controls
    // The width of a drop-down button's arrow part (the manager's default arrow width until the
    // button painting measures it).
    virtual int GetDropDownArrowWidth(TdxBarManager* /*manager*/) const { return 11; }
    // The height of a separator line in a menu.
    virtual int GetSeparatorItemHeight() const { return 2; }
};

// The painter of the flat look, shared by every painter that borrows flat behaviour; made on
// first use and kept for the life of the bar library.
TdxBarPainter* FlatPainterInstance();
void FreeFlatPainterInstance();
