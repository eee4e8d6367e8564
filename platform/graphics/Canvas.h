#pragma once
// A drawing surface over a device context. The context is borrowed (SetHandle) or acquired by
// a subclass in CreateHandle (a bitmap's memory context, a control's window context); the font,
// brush and pen are selected into it only when a drawing operation needs them, and deselected
// when they change or the context is switched.
//
// Sections: handle, tools, drawing, text, pictures and copies, locking.

#include <windows.h>

#include <initializer_list>
#include <span>

#include "Brush.h"
#include "Font.h"
#include "GraphicsTypes.h"
#include "Pen.h"
#include "Persistent.h"

class TGraphic;
class TBitmap;

using TCopyMode = DWORD;  // a ternary raster operation
constexpr TCopyMode cmBlackness = BLACKNESS;
constexpr TCopyMode cmDstInvert = DSTINVERT;
constexpr TCopyMode cmMergeCopy = MERGECOPY;
constexpr TCopyMode cmMergePaint = MERGEPAINT;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
constexpr TCopyMode cmPatCopy = PATCOPY;
constexpr TCopyMode cmPatInvert = PATINVERT;
constexpr TCopyMode cmPatPaint = PATPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcErase = SRCERASE;
constexpr TCopyMode cmSrcInvert = SRCINVERT;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmWhiteness = WHITENESS;

class TCanvas : public TPersistent {
    Z_CLASS(TCanvas, TPersistent)
public:
    TCanvas();
    ~TCanvas() override;

    // --- handle
    // The device context; acquired through CreateHandle when there is none. Raises
    // EInvalidOperation "Canvas does not allow drawing" when none can be had.
    HDC Handle();
    // Switches to another context (nullptr: none). The tools are deselected from the old one;
    // an owned old context is deleted. An owned context is deleted when it is replaced.
    void SetHandle(HDC value, bool owned = false);
    bool HandleAllocated() const { return handle_ != nullptr; }
    // Gives up the context: the base deselects and forgets it (deleting it when owned);
    // subclasses that acquired it release it here.
    virtual void FreeHandle();
    // Deselects the tools so that they are selected afresh by the next drawing operation.
    void Refresh();

    // --- tools (owned by the canvas; assigning copies)
    TFont* Font() const { return font_; }
    void SetFont(TFont* value) { font_->Assign(value); }
    TBrush* Brush() const { return brush_; }
    void SetBrush(TBrush* value) { brush_->Assign(value); }
    TPen* Pen() const { return pen_; }
    void SetPen(TPen* value) { pen_->Assign(value); }
    TCopyMode CopyMode() const { return copyMode_; }
    void SetCopyMode(TCopyMode value) { copyMode_ = value; }
    TPoint PenPos();
    void SetPenPos(const TPoint& value) { MoveTo(value.x, value.y); }
    TRect ClipRect();

    // --- drawing
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(std::span<const TPoint> points);
    void Polyline(std::initializer_list<TPoint> points) { Polyline(std::span(points.begin(), points.size())); }
    void Polygon(std::span<const TPoint> points);
    void Polygon(std::initializer_list<TPoint> points) { Polygon(std::span(points.begin(), points.size())); }
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
    void RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight);
    void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const TRect& r) { Ellipse(r.left, r.top, r.right, r.bottom); }
    // Fills with the brush (nothing for a clear brush).
    void FillRect(const TRect& r);
    // A one-pixel frame in the brush.
    void FrameRect(const TRect& r);
    void DrawFocusRect(const TRect& r);
    TColor Pixels(int x, int y);
    void SetPixels(int x, int y, TColor color);

    // --- text (background from the brush: opaque when solid, none when clear)
    void TextOut(int x, int y, const String& text);
    // Text clipped to the rectangle, which is filled with the brush first unless it is clear.
    void TextRect(const TRect& r, int x, int y, const String& text);
    // Text laid out in the rectangle by DrawText's DT_ format flags; answers the text's height.
    // With DT_CALCRECT it only measures, into the rectangle.
    int TextRect(TRect& r, const String& text, UINT format);
    TSize TextExtent(const String& text);
    int TextWidth(const String& text) { return TextExtent(text).cx; }
    int TextHeight(const String& text) { return TextExtent(text).cy; }

    // --- pictures and copies
    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const TRect& r, TGraphic* graphic);
    // Copies a rectangle of another canvas with CopyMode, stretching to fit.
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect);
    // Copies a rectangle of a bitmap, painting the brush where the bitmap has the given colour.
    void BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& sourceRect, TColor color);

    // --- locking (for canvases shared between threads)
    void Lock();
    void Unlock();
    bool TryLock();
    int LockCount() const { return lockCount_; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    // Called when a drawing operation needs a context and there is none; subclasses acquire
    // one and pass it to SetHandle.
    virtual void CreateHandle() {}
    virtual void Changing();
    virtual void Changed();

    enum : Byte { csHandleValid = 1, csFontValid = 2, csPenValid = 4, csBrushValid = 8 };
    // Makes sure the context exists and the named tools are selected.
    void RequiredState(Byte required);

private:
    void DeselectHandles();
    void FontChanged(TObject* sender);
    void PenChanged(TObject* sender);
    void BrushChanged(TObject* sender);

    HDC handle_ = nullptr;
    bool owned_ = false;
    Byte state_ = 0;
    HGDIOBJ oldFont_ = nullptr, oldPen_ = nullptr, oldBrush_ = nullptr;
    TFont* font_;
    TBrush* brush_;
    TPen* pen_;
    TCopyMode copyMode_ = cmSrcCopy;
    TPoint penPos_{0, 0};
    CRITICAL_SECTION lock_;
    int lockCount_ = 0;
};
