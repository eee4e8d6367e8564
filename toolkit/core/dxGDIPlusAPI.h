#pragma once
// GDI+ bound by name at run time: gdiplus.dll is loaded, its flat-API functions are bound into
// process-wide function variables of the same names, and it is started with its background
// thread suppressed. Nothing may call a bound function before GdiPlusUsable() returned true.
//
// The units loader, through which units that need GDI+ run their set-up at once and their
// clean-up in reverse order at the end, is in dxUnitsLoader.h; this unit starts it and frees it.
//
// Sections: flat-API types · bound functions · loading · encoders and checks · units' start-up.

#include <windows.h>
#include <objidl.h>

#include <vector>

#include "SysObject.h"

// ---- flat-API types ------------------------------------------------------------------------

using GpStatus = int;  // 0 = Ok
constexpr GpStatus GpOk = 0;
using ARGB = DWORD;
using REAL = float;
using GpPixelFormat = INT;
constexpr GpPixelFormat PixelFormat32bppARGB = 0x0026200A;
constexpr GpPixelFormat PixelFormat32bppPARGB = 0x000E200B;
constexpr INT UnitPixel = 2;
constexpr INT InterpolationModeNearestNeighbor = 5;
constexpr INT CompositingModeSourceCopy = 1;
constexpr INT WrapModeTile = 0;
constexpr INT WrapModeTileFlipXY = 3;
constexpr UINT ImageLockModeRead = 1;
constexpr UINT ImageLockModeWrite = 2;

struct GpGraphics;
struct GpImage;
using GpBitmap = GpImage;
struct GpBrush;
using GpSolidFill = GpBrush;
using GpLineGradient = GpBrush;
using GpHatch = GpBrush;
struct GpPen;
struct GpCachedBitmap;
struct GpImageAttributes;
struct GpRect {
    INT X, Y, Width, Height;
};
struct GpPoint {
    INT X, Y;
};
struct GpBitmapData {
    UINT Width, Height;
    INT Stride;
    GpPixelFormat PixelFormat;
    void* Scan0;
    UINT_PTR Reserved;
};
struct GpImageCodecInfo {
    CLSID Clsid;
    GUID FormatID;
    const WCHAR* CodecName;
    const WCHAR* DllName;
    const WCHAR* FormatDescription;
    const WCHAR* FilenameExtension;
    const WCHAR* MimeType;
    DWORD Flags, Version, SigCount, SigSize;
    const BYTE* SigPattern;
    const BYTE* SigMask;
};
struct GpEncoderParameters;
using GpDrawImageAbort = BOOL(WINAPI*)(void*);
using GpNotificationHookProc = GpStatus(WINAPI*)(ULONG_PTR* token);
using GpNotificationUnhookProc = void(WINAPI*)(ULONG_PTR token);
struct GdiplusStartupInput {
    UINT32 GdiplusVersion;
    void* DebugEventCallback;
    BOOL SuppressBackgroundThread;
    BOOL SuppressExternalCodecs;
};
struct GdiplusStartupOutput {
    GpNotificationHookProc NotificationHook;
    GpNotificationUnhookProc NotificationUnhook;
};

// ---- bound functions (in the order in which they are looked up) ----------------------------

#define DX_GDIPLUS_FUNCTIONS(X)                                                                                        \
    X(GdipAlloc, void*, (size_t size))                                                                                 \
    X(GdipFree, void, (void* ptr))                                                                                     \
    X(GdiplusStartup, GpStatus, (ULONG_PTR * token, const GdiplusStartupInput* input, GdiplusStartupOutput* output))   \
    X(GdiplusShutdown, void, (ULONG_PTR token))                                                                        \
    X(GdipCloneBrush, GpStatus, (GpBrush * brush, GpBrush * *clone))                                                   \
    X(GdipDeleteBrush, GpStatus, (GpBrush * brush))                                                                    \
    X(GdipGetBrushType, GpStatus, (GpBrush * brush, INT * type))                                                       \
    X(GdipCreateSolidFill, GpStatus, (ARGB color, GpSolidFill * *brush))                                               \
    X(GdipSetSolidFillColor, GpStatus, (GpSolidFill * brush, ARGB color))                                              \
    X(GdipGetSolidFillColor, GpStatus, (GpSolidFill * brush, ARGB * color))                                            \
    X(GdipCreateLineBrushFromRectI, GpStatus,                                                                          \
      (const GpRect* rect, ARGB color1, ARGB color2, INT mode, INT wrapMode, GpLineGradient** brush))                  \
    X(GdipGetLineRectI, GpStatus, (GpLineGradient * brush, GpRect * rect))                                             \
    X(GdipSetLineColors, GpStatus, (GpLineGradient * brush, ARGB color1, ARGB color2))                                 \
    X(GdipGetLineColors, GpStatus, (GpLineGradient * brush, ARGB * colors))                                            \
    X(GdipSetLineWrapMode, GpStatus, (GpLineGradient * brush, INT wrapMode))                                           \
    X(GdipGetLineWrapMode, GpStatus, (GpLineGradient * brush, INT * wrapMode))                                         \
    X(GdipCreateHatchBrush, GpStatus, (INT style, ARGB foreColor, ARGB backColor, GpHatch * *brush))                   \
    X(GdipGetHatchStyle, GpStatus, (GpHatch * brush, INT * style))                                                     \
    X(GdipGetHatchForegroundColor, GpStatus, (GpHatch * brush, ARGB * color))                                          \
    X(GdipGetHatchBackgroundColor, GpStatus, (GpHatch * brush, ARGB * color))                                          \
    X(GdipCreatePen1, GpStatus, (ARGB color, REAL width, INT unit, GpPen * *pen))                                      \
    X(GdipCreatePen2, GpStatus, (GpBrush * brush, REAL width, INT unit, GpPen * *pen))                                 \
    X(GdipClonePen, GpStatus, (GpPen * pen, GpPen * *clone))                                                           \
    X(GdipDeletePen, GpStatus, (GpPen * pen))                                                                          \
    X(GdipGetPenFillType, GpStatus, (GpPen * pen, INT * type))                                                         \
    X(GdipSetPenBrushFill, GpStatus, (GpPen * pen, GpBrush * brush))                                                   \
    X(GdipGetPenBrushFill, GpStatus, (GpPen * pen, GpBrush * *brush))                                                  \
    X(GdipSetPenColor, GpStatus, (GpPen * pen, ARGB color))                                                            \
    X(GdipGetPenColor, GpStatus, (GpPen * pen, ARGB * color))                                                          \
    X(GdipSetPenMode, GpStatus, (GpPen * pen, INT alignment))                                                          \
    X(GdipGetPenMode, GpStatus, (GpPen * pen, INT * alignment))                                                        \
    X(GdipSetPenWidth, GpStatus, (GpPen * pen, REAL width))                                                            \
    X(GdipGetPenWidth, GpStatus, (GpPen * pen, REAL * width))                                                          \
    X(GdipCreateFromHDC, GpStatus, (HDC dc, GpGraphics * *graphics))                                                   \
    X(GdipDeleteGraphics, GpStatus, (GpGraphics * graphics))                                                           \
    X(GdipGetDC, GpStatus, (GpGraphics * graphics, HDC * dc))                                                          \
    X(GdipReleaseDC, GpStatus, (GpGraphics * graphics, HDC dc))                                                        \
    X(GdipGraphicsClear, GpStatus, (GpGraphics * graphics, ARGB color))                                                \
    X(GdipDrawLineI, GpStatus, (GpGraphics * graphics, GpPen * pen, INT x1, INT y1, INT x2, INT y2))                   \
    X(GdipFillRectangleI, GpStatus, (GpGraphics * graphics, GpBrush * brush, INT x, INT y, INT width, INT height))     \
    X(GdipDrawArcI, GpStatus,                                                                                          \
      (GpGraphics * graphics, GpPen * pen, INT x, INT y, INT width, INT height, REAL startAngle, REAL sweepAngle))     \
    X(GdipDrawBezierI, GpStatus,                                                                                       \
      (GpGraphics * graphics, GpPen * pen, INT x1, INT y1, INT x2, INT y2, INT x3, INT y3, INT x4, INT y4))            \
    X(GdipDrawRectangleI, GpStatus, (GpGraphics * graphics, GpPen * pen, INT x, INT y, INT width, INT height))         \
    X(GdipDrawEllipseI, GpStatus, (GpGraphics * graphics, GpPen * pen, INT x, INT y, INT width, INT height))           \
    X(GdipDrawPieI, GpStatus,                                                                                          \
      (GpGraphics * graphics, GpPen * pen, INT x, INT y, INT width, INT height, REAL startAngle, REAL sweepAngle))     \
    X(GdipDrawPolygonI, GpStatus, (GpGraphics * graphics, GpPen * pen, const GpPoint* points, INT count))              \
    X(GdipDrawCurve2I, GpStatus, (GpGraphics * graphics, GpPen * pen, const GpPoint* points, INT count, REAL tension)) \
    X(GdipDrawClosedCurve2I, GpStatus,                                                                                 \
      (GpGraphics * graphics, GpPen * pen, const GpPoint* points, INT count, REAL tension))                            \
    X(GdipFillPolygonI, GpStatus,                                                                                      \
      (GpGraphics * graphics, GpBrush * brush, const GpPoint* points, INT count, INT fillMode))                        \
    X(GdipFillEllipseI, GpStatus, (GpGraphics * graphics, GpBrush * brush, INT x, INT y, INT width, INT height))       \
    X(GdipFillPieI, GpStatus,                                                                                          \
      (GpGraphics * graphics, GpBrush * brush, INT x, INT y, INT width, INT height, REAL startAngle, REAL sweepAngle)) \
    X(GdipFillClosedCurveI, GpStatus, (GpGraphics * graphics, GpBrush * brush, const GpPoint* points, INT count))      \
    X(GdipLoadImageFromStream, GpStatus, (IStream * stream, GpImage * *image))                                         \
    X(GdipCreateBitmapFromFile, GpStatus, (const WCHAR* fileName, GpBitmap** bitmap))                                  \
    X(GdipCreateBitmapFromStream, GpStatus, (IStream * stream, GpBitmap * *bitmap))                                    \
    X(GdipCreateBitmapFromStreamICM, GpStatus, (IStream * stream, GpBitmap * *bitmap))                                 \
    X(GdipCreateHBITMAPFromBitmap, GpStatus, (GpBitmap * bitmap, HBITMAP * result, ARGB background))                   \
    X(GdipLoadImageFromFile, GpStatus, (const WCHAR* fileName, GpImage** image))                                       \
    X(GdipGetImageDimension, GpStatus, (GpImage * image, REAL * width, REAL * height))                                 \
    X(GdipDrawImageRectI, GpStatus, (GpGraphics * graphics, GpImage * image, INT x, INT y, INT width, INT height))     \
    X(GdipDisposeImage, GpStatus, (GpImage * image))                                                                   \
    X(GdipGetImageEncodersSize, GpStatus, (UINT * numEncoders, UINT * size))                                           \
    X(GdipGetImageEncoders, GpStatus, (UINT numEncoders, UINT size, GpImageCodecInfo * encoders))                      \
    X(GdipSaveImageToStream, GpStatus,                                                                                 \
      (GpImage * image, IStream * stream, const CLSID* encoder, const GpEncoderParameters* params))                    \
    X(GdipCreateBitmapFromHBITMAP, GpStatus, (HBITMAP bitmap, HPALETTE palette, GpBitmap * *result))                   \
    X(GdipGetEncoderParameterListSize, GpStatus, (GpImage * image, const CLSID* encoder, UINT* size))                  \
    X(GdipGetEncoderParameterList, GpStatus,                                                                           \
      (GpImage * image, const CLSID* encoder, UINT size, GpEncoderParameters* buffer))                                 \
    X(GdipCreateBitmapFromGdiDib, GpStatus, (const BITMAPINFO* info, void* data, GpBitmap** bitmap))                   \
    X(GdipCreateBitmapFromScan0, GpStatus,                                                                             \
      (INT width, INT height, INT stride, GpPixelFormat format, BYTE * scan0, GpBitmap * *bitmap))                     \
    X(GdipBitmapLockBits, GpStatus,                                                                                    \
      (GpBitmap * bitmap, const GpRect* rect, UINT flags, GpPixelFormat format, GpBitmapData* data))                   \
    X(GdipBitmapUnlockBits, GpStatus, (GpBitmap * bitmap, GpBitmapData * data))                                        \
    X(GdipDrawImageRectRectI, GpStatus,                                                                                \
      (GpGraphics * graphics, GpImage * image, INT dstX, INT dstY, INT dstWidth, INT dstHeight, INT srcX, INT srcY,    \
       INT srcWidth, INT srcHeight, INT srcUnit, const GpImageAttributes* attributes, GpDrawImageAbort callback,       \
       void* callbackData))                                                                                            \
    X(GdipDrawImageRectRect, GpStatus,                                                                                 \
      (GpGraphics * graphics, GpImage * image, REAL dstX, REAL dstY, REAL dstWidth, REAL dstHeight, REAL srcX,         \
       REAL srcY, REAL srcWidth, REAL srcHeight, INT srcUnit, const GpImageAttributes* attributes,                     \
       GpDrawImageAbort callback, void* callbackData))                                                                 \
    X(GdipDrawImagePointRect, GpStatus,                                                                                \
      (GpGraphics * graphics, GpImage * image, REAL x, REAL y, REAL srcX, REAL srcY, REAL srcWidth, REAL srcHeight,    \
       INT srcUnit))                                                                                                   \
    X(GdipCloneImage, GpStatus, (GpImage * image, GpImage * *clone))                                                   \
    X(GdipSetInterpolationMode, GpStatus, (GpGraphics * graphics, INT mode))                                           \
    X(GdipGetInterpolationMode, GpStatus, (GpGraphics * graphics, INT * mode))                                         \
    X(GdipCreateCachedBitmap, GpStatus, (GpBitmap * bitmap, GpGraphics * graphics, GpCachedBitmap * *cached))          \
    X(GdipDeleteCachedBitmap, GpStatus, (GpCachedBitmap * cached))                                                     \
    X(GdipDrawCachedBitmap, GpStatus, (GpGraphics * graphics, GpCachedBitmap * cached, INT x, INT y))                  \
    X(GdipCreateBitmapFromGraphics, GpStatus, (INT width, INT height, GpGraphics * target, GpBitmap * *bitmap))        \
    X(GdipGetImageGraphicsContext, GpStatus, (GpImage * image, GpGraphics * *graphics))                                \
    X(GdipGetImageWidth, GpStatus, (GpImage * image, UINT * width))                                                    \
    X(GdipGetImageHeight, GpStatus, (GpImage * image, UINT * height))                                                  \
    X(GdipSetCompositingMode, GpStatus, (GpGraphics * graphics, INT mode))                                             \
    X(GdipGetCompositingMode, GpStatus, (GpGraphics * graphics, INT * mode))                                           \
    X(GdipSetCompositingQuality, GpStatus, (GpGraphics * graphics, INT quality))                                       \
    X(GdipGetCompositingQuality, GpStatus, (GpGraphics * graphics, INT * quality))                                     \
    X(GdipSetSmoothingMode, GpStatus, (GpGraphics * graphics, INT mode))                                               \
    X(GdipGetSmoothingMode, GpStatus, (GpGraphics * graphics, INT * mode))                                             \
    X(GdipCloneBitmapAreaI, GpStatus,                                                                                  \
      (INT x, INT y, INT width, INT height, GpPixelFormat format, GpBitmap * source, GpBitmap * *result))

#define DX_GDIPLUS_DECLARE(Name, Result, Params) \
    using T##Name = Result(WINAPI*) Params;      \
    extern T##Name Name;
DX_GDIPLUS_FUNCTIONS(DX_GDIPLUS_DECLARE)
#undef DX_GDIPLUS_DECLARE

// ---- loading -------------------------------------------------------------------------------

// Loads, binds and starts GDI+ when it is not usable yet (so a failure is retried), then
// tells whether it is.
bool GdiPlusUsable();
void LoadGdiPlus();
// The address of a bound name, or null (and GDI+ unusable) when the library lacks it.
void* BindGdipEntry(const char* name);
// Shuts GDI+ down and frees the library; every bound function becomes null.
void UnloadGdiPlus();
// The library loaded by LoadGdiPlus; tests point it elsewhere to see the fallbacks.
extern const wchar_t* GdiPlusLibraryName;

// ---- encoders and checks -------------------------------------------------------------------

// 0 with the class identifier of the encoder for the MIME type (any case), 1 when there is none.
int FindEncoderClsid(const String& mimeType, CLSID& clsid);
// Looks the PNG encoder up once, into GdipPngEncoder.
void FindPngEncoder();
extern CLSID GdipPngEncoder;
// Raises EAssertionFailed "Invalid operation in GDI+" when the condition or status fails.
void GdipAssert(bool condition);
inline void CheckGdipStatus(GpStatus status) { GdipAssert(status == GpOk); }

// ---- units' start-up ----------------------------------------------------------------------

// The binding unit's start-up and end (the end frees the loader).
void InitializedxGDIPlusAPI();
void FinalizedxGDIPlusAPI();

// moved: the units loader is in dxUnitsLoader.h; included here until no file expects it from
// this header.
#include "dxUnitsLoader.h"
