#pragma once
// Pixel, colour and blending helpers of the toolkit's graphics, and the routine that paints a
// glyph or an image-list image in one of its visual states. Painters, bar items and the ribbon
// draw every image through PaintImageWithState.
//
// Sections: pixel arrays and bitmaps · colours · raster copies and blending · image states ·
// unit start and end.

#include <windows.h>

#include <vector>

#include "Bitmap.h"
#include "Events.h"
#include "ImageList.h"

class TcxBitmap;
class TcxCanvas;
class TcxCustomBitmap;

// Pixel arrays: width x height values $AARRGGBB (blue in the low byte), row after row.
using TRGBColors = std::vector<RGBQUAD>;

// ---- pixel arrays and bitmaps --------------------------------------------------------------

void FillBitmapInfoHeader(BITMAPINFOHEADER& header, TBitmap* bitmap, bool topDown);
TRGBColors LoadBitmapColors(TBitmap* bitmap, bool topDown);
// Stores the pixels and empties the array.
void StoreBitmapColors(TBitmap* bitmap, TRGBColors& colors, bool topDown);
// Mode 0 none (mirror: upside down), 1 quarter turn counter-clockwise (mirror: transpose),
// 2 quarter turn clockwise (mirror: the other diagonal), 3 half turn (mirror: left-right).
void RotateBitmapPixels(TcxCanvas* canvas, TBitmap* bitmap, int mode, bool mirror);
TBitmap* CreateSizedBitmap(int width, int height, TPixelFormat format);
TBitmap* CreateBitmapForRect(const TRect& r, TPixelFormat format);
void SetBitmapFormatAndSize(TBitmap* bitmap, int width, int height, TPixelFormat format);
int BitsPerPixelOf(TBitmap* bitmap);
TcxBitmap* CopyAsAlphaBitmap(TBitmap* bitmap);
// The glyph as 32-bit pixels, its transparent colour cleared to alpha 0.
void GlyphToAlphaBitmap(TBitmap* glyph, TBitmap* dest);
// Empties the cache's transparent colours and resizes it (which clears it), or creates it.
TcxBitmap* ReuseCachedBitmap(TcxBitmap*& cache, int width, int height);
TcxBitmap* CachedPaintBitmap(int width, int height);
TcxBitmap* CachedImageBitmap(int width, int height);
TcxBitmap* CachedMaskBitmap(int width, int height);
bool HasGlyph(TBitmap* bitmap);
bool HasListImage(TCustomImageList* list, int index);
// Moves an image-list reference from the old list to the new one together with the owner's
// free notification and the change link, then signals the link.
void ReplaceLinkedImageList(TCustomImageList* newList, TCustomImageList*& field, TChangeLink* link, TComponent* owner);
void InsetRectByMargins(TRect& r, const TRect& margins);

// ---- colours -------------------------------------------------------------------------------

// The pixel value of a colour (system colours resolved) with the given alpha.
DWORD ColorToPixel(TColor color, Byte alpha);
Byte ClampChannel(long value);
TColor NearestScreenColor(TColor color);
TColor MixSystemColors(int facePercent, int highlightPercent, int windowPercent);
TColor PressedSelectionColor();
TColor HotSelectionColor();
// Blends a premultiplied source pixel over dest with a constant alpha.
void BlendPixel(RGBQUAD source, RGBQUAD& dest, Byte alpha);

// ---- raster copies and blending ------------------------------------------------------------

void CopyDCRect(HDC dest, HDC source, const TRect& destRect, DWORD rop, const TPoint& sourcePoint);
void DrawBitmapToDC(HDC dc, TBitmap* bitmap, const TRect& destRect, DWORD rop, const TPoint& sourcePoint);
bool SameRectSize(const TRect& a, const TRect& b);
// False when the system's AlphaBlend is not there.
bool SystemAlphaBlend(HDC dest, HDC source, const TRect& destRect, Byte alpha, const TRect& sourceRect);
// The system's AlphaBlend when it can do the job, else the own path (Lanczos-3 when smooth and
// the sizes differ).
void AlphaBlendDC(HDC dest, HDC source, const TRect& destRect, Byte alpha, bool smooth, const TRect& sourceRect);
void AlphaBlendBitmaps(TBitmap* dest, TBitmap* source, const TRect& destRect, Byte alpha, bool smooth,
                       const TRect& sourceRect);
void AlphaBlendFromBitmap(HDC dest, TBitmap* source, const TRect& destRect, Byte alpha, bool smooth,
                          const TRect& sourceRect);
void AlphaBlendFromDC(HDC dest, HDC source, const TRect& destRect, Byte alpha, bool smooth, const TRect& sourceRect);
void BlendBitmapInto(TcxBitmap* source, TBitmap* dest, const TRect& destRect, Byte alpha, bool smooth);
void ResampleLanczos3(TBitmap* source, TBitmap* dest);
void HatchDCArea(HDC dc, const TRect& r, TColor color1, TColor color2, Byte step, Byte alpha1, Byte alpha2);
// Draws a copy of the mask's shape offset by the given distance in the colour under the
// bitmap; with grow the bitmap gets larger by the offset.
void AddOffsetShadow(TcxBitmap* bitmap, TBitmap* mask, int offset, bool grow, TColor color);

// ---- image states --------------------------------------------------------------------------

enum TcxImageDrawMode : Byte { idmNormal, idmDisabled, idmFaded, idmGrey, idmDingy, idmShadowed };

using TcxDrawImageHook = bool (*)(TcxCanvas* canvas, TCustomImageList* images, int index, TcxImageDrawMode state,
                                  const TRect& imageRect, TBitmap* glyph);
// Offered every PaintImageWithState first; returns true when it has drawn the image.
extern TcxDrawImageHook DrawImageHook;

// Paints the glyph (or else the list's image) into imageRect of the area destRect of dc. The
// background is the brush, or else what the DC shows.
void PaintImageWithState(HDC dc, const TRect& imageRect, const TRect& destRect, TBitmap* glyph,
                         TCustomImageList* images, int index, TcxImageDrawMode state, bool smooth = false,
                         HBRUSH background = nullptr, TColor maskColor = clNone, bool useGlyphTransparency = true);
// The selection marker of a component at design time.
void DrawDesignSelector(TcxCanvas* canvas, const TRect& r, bool selected);

// The images of a system image list: its bits per pixel (0 when it reports nothing), and one
// image (or with -1 the whole strip) copied into the bitmaps given.
int ImageListBitsPerPixel(HIMAGELIST list);
void ReadImageListBitmaps(HIMAGELIST list, int index, TBitmap* image, TBitmap* mask);

// ---- unit start and end --------------------------------------------------------------------

HBRUSH SystemBrush(int index);
HBRUSH CheckerPatternBrush();
void InitializecxImageStates();
void FinalizecxImageStates();
