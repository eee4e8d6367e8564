#pragma once
// The toolkit's canvas wrapper. Every toolkit drawing routine goes through TcxCanvas: it wraps a
// platform canvas (never owning it) and adds stacks of saved DC states, clip regions and
// font/brush/pen states, clip-region arithmetic, frames, tiled fills and aligned, optionally
// embossed text. Also here: the toolkit's text flags (ConvertTextFlags), the borders
// (TcxBorder(s)) and the look of an area (TcxViewParams). The region object is in cxRegion.h,
// the shared screen canvas in cxScreenCanvas.h.
//
// Sections: text flags · canvas.

#include <windows.h>

#include <vector>

#include "Canvas.h"
#include "Sets.h"
#include "cxRegion.h"

class TBitmap;
class TGraphic;

// ---- toolkit text flags --------------------------------------------------------------------

constexpr Word cxAlignLeft = 0x0001;
constexpr Word cxAlignRight = 0x0002;
constexpr Word cxAlignHCenter = 0x0004;
constexpr Word cxAlignTop = 0x0008;
constexpr Word cxAlignBottom = 0x0010;
constexpr Word cxAlignVCenter = 0x0020;
constexpr Word cxSingleLine = 0x0040;
constexpr Word cxDontClip = 0x0080;
constexpr Word cxExpandTabs = 0x0100;
constexpr Word cxShowPrefix = 0x0200;
constexpr Word cxWordBreak = 0x0400;
constexpr Word cxShowEndEllipsis = 0x0800;
constexpr Word cxDontPrint = 0x1000;
constexpr Word cxShowPathEllipsis = 0x2000;
constexpr Word cxDontBreakChars = 0x4000;

// The DrawText flags of a toolkit flag set; DT_NOPREFIX unless the prefix is shown.
UINT ConvertTextFlags(Word flags);

// ---- canvas --------------------------------------------------------------------------------

Z_ENUM(TcxBorder, int, bLeft, bTop, bRight, bBottom)
using TcxBorders = TSet<TcxBorder>;
inline const TcxBorders cxBordersAll{bLeft, bTop, bRight, bBottom};

// How an area looks: a tile bitmap (or none) and a colour for the background, and the font and
// colour of its text (nil and clDefault leave the canvas's own).
struct TcxViewParams {
    TBitmap* bitmap = nullptr;
    TColor color = clDefault;
    TFont* font = nullptr;
    TColor textColor = clDefault;
};

// The rectangle that stands for the whole surface of a DC without a clip region.
inline constexpr TRect cxNoClipRect{0, 0, 30000, 30000};

enum TcxVerticalTextPlacement : Byte { vtpNone, vtpBottom, vtpCenter };

class TcxCanvas : public TObject {
    Z_CLASS(TcxCanvas, TObject)
public:
    explicit TcxCanvas(TCanvas* canvas);
    ~TcxCanvas() override;
    static TcxCanvas* CreateOnCanvas(TCanvas* canvas) { return new TcxCanvas(canvas); }

    // --- access
    TCanvas* Canvas() const { return canvas_; }
    HDC GetCanvasHandle() const { return canvas_->Handle(); }
    TBrush* GetCanvasBrush() const { return canvas_->Brush(); }
    TFont* GetCanvasFont() const { return canvas_->Font(); }
    TPen* GetCanvasPen() const { return canvas_->Pen(); }
    void SetCanvasFont(TFont* font) { canvas_->SetFont(font); }
    void SetBrushColor(TColor color);
    void SetPixelColor(int x, int y, TColor color) { canvas_->SetPixels(x, y, color); }
    TPoint GetWindowOrigin() const;
    TPoint GetViewportOrigin() const;
    void SetWindowOrigin(const TPoint& p);
    void SetViewportOrigin(const TPoint& p);
    // The offset that turns logical into device coordinates.
    TPoint DeviceOrigin() const;
    // Takes over the current font (with the text colour), brush and pen of another DC.
    void CopyObjectsFromDC(HDC dc);

    // --- stacks (the caller balances them; popping an empty stack does nothing)
    void PushDC();
    void PopDC();
    void PushClipRegion();
    void PopClipRegion();
    void PushState();
    void PopState();

    // --- clipping
    void ExcludeRectFromClip(const TRect& r);
    void IntersectClipWithRect(const TRect& r);
    // The DC's clip region (the no-clip rectangle when there is none), in logical coordinates
    // when asked; the caller owns it.
    TcxRegion* CopyClipRegion(bool logical = true);
    // Applies region with the operation; logical regions are shifted to device coordinates for
    // the DC and back. The region is freed when freeRegion is set.
    void ApplyClipRegion(TcxRegion* region, TcxRegionOperation operation, bool logical = true, bool freeRegion = true);

    // --- drawing
    // clNone draws nothing, clDefault fills with the current brush.
    void FillRectWithColor(const TRect& r, TColor color);
    // Tiles the bitmap aligned to the logical origin, or fills with the brush without one;
    // exclude takes the rectangle out of the clip region afterwards.
    void FillRectWithTile(const TRect& r, TBitmap* bitmap, bool exclude = false);
    void FrameRectBorders(const TRect& r, TColor color, int width = 1, TcxBorders borders = cxBordersAll,
                          bool exclude = false);
    void FillFramedRect(const TRect& r, const TcxViewParams& background, TcxBorders borders, TColor frameColor,
                        int frameWidth = 1, bool exclude = false);
    void DrawTwoToneBorders(const TRect& r, TColor leftTopColor, TColor rightBottomColor,
                            TcxBorders borders = cxBordersAll, int width = 1);
    void DrawBevelBorders(const TRect& r, bool sunken, bool outer, TcxBorders borders = cxBordersAll);
    void DrawFocusFrame(const TRect& r);
    void DrawThickFocusRect(const TRect& r, int n);
    void InvertRectArea(const TRect& r);
    void CopyRectFromCanvas(const TRect& dest, TCanvas* source, const TRect& sourceRect);
    void DrawGraphicAt(int x, int y, TGraphic* graphic) { canvas_->Draw(x, y, graphic); }
    void MovePenTo(int x, int y) { canvas_->MoveTo(x, y); }
    void LineToPoint(int x, int y) { canvas_->LineTo(x, y); }
    void DrawPolygon(const TPoint* points, int count);
    void DrawPolyline(const TPoint* points, int count);

    // --- text
    TSize MeasureText(const String& text);
    int WidthOfText(const String& text) { return MeasureText(text).cx; }
    int HeightOfText(const String& text) { return MeasureText(text).cy; }
    // The rectangle the text needs inside r, aligned there by the flags.
    void CalcTextRect(const String& text, TRect& r, Word flags);
    // Moves r's top so that a multi-line text sits at the bottom or in the middle.
    void PlaceTextVertically(TRect& r, const String& text, TcxVerticalTextPlacement mode, bool wordBreak,
                             bool showPrefix, bool enabled, bool dontBreakChars);
    // Aligned, clipped text; disabled text is embossed (highlight at +1, +1 under shadow).
    void DrawTextInRect(const String& text, const TRect& r, Word flags, bool enabled = true);

    // Makes sure the wrapped canvas has its DC and the named tools selected (for drawing calls
    // made straight on the DC, such as the visual-style text).
    void RequireTools(bool font, bool brush, bool pen = false);

protected:
    TCanvas* canvas_;

private:
    struct TcxCanvasState {
        TFont* font;
        TBrush* brush;
        TPen* pen;
    };
    std::vector<int> savedDCs_;
    std::vector<TcxRegion*> savedRegions_;
    std::vector<TcxCanvasState> savedStates_;
};

// moved: the shared screen canvas is in cxScreenCanvas.h; included here until no file expects
// it from this header.
#include "cxScreenCanvas.h"
