// Sections: pixel arrays and bitmaps · colours · raster copies and blending · resampling ·
// shadows · image states · system image lists · unit start and end.

#include "cxImageStates.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

#include "cxBitmap.h"
#include "cxGraphics.h"
#include "cxImageList.h"
#include "cxScreenCanvas.h"
#include "dxCore.h"
#include "dxOffice11.h"

TcxDrawImageHook DrawImageHook = nullptr;

namespace {

TcxBitmap* paintBitmap = nullptr;
TcxBitmap* imageBitmap = nullptr;
TcxBitmap* maskBitmap = nullptr;
std::vector<HBRUSH> systemBrushes;
HBRUSH checkerBrush = nullptr;
HMODULE msimg32 = nullptr;
using TAlphaBlendProc = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
TAlphaBlendProc alphaBlendProc = nullptr;

HDC ScreenDC() { return SharedScreenCanvas()->GetCanvasHandle(); }

}  // namespace

// ---- pixel arrays and bitmaps --------------------------------------------------------------

void FillBitmapInfoHeader(BITMAPINFOHEADER& header, TBitmap* bitmap, bool topDown) {
    header = BITMAPINFOHEADER{};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = bitmap->Width();
    header.biHeight = topDown ? -bitmap->Height() : bitmap->Height();
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
}

TRGBColors LoadBitmapColors(TBitmap* bitmap, bool topDown) {
    int w = bitmap->Width(), h = bitmap->Height();
    TRGBColors colors(size_t(w > 0 && h > 0 ? w * h : 0));
    if (colors.empty()) return colors;
    BITMAPINFO info{};
    FillBitmapInfoHeader(info.bmiHeader, bitmap, topDown);
    GetDIBits(ScreenDC(), bitmap->Handle(), 0, UINT(h), colors.data(), &info, DIB_RGB_COLORS);
    return colors;
}

void StoreBitmapColors(TBitmap* bitmap, TRGBColors& colors, bool topDown) {
    int w = bitmap->Width(), h = bitmap->Height();
    if (w > 0 && h > 0 && colors.size() >= size_t(w * h)) {
        BITMAPINFO info{};
        FillBitmapInfoHeader(info.bmiHeader, bitmap, topDown);
        SetDIBits(ScreenDC(), bitmap->Handle(), 0, UINT(h), colors.data(), &info, DIB_RGB_COLORS);
    }
    TRGBColors().swap(colors);
}

void RotateBitmapPixels(TcxCanvas*, TBitmap* bitmap, int mode, bool mirror) {
    if (mode == 0 && !mirror) return;
    int w = bitmap->Width(), h = bitmap->Height();
    if (w <= 0 || h <= 0) return;
    TRGBColors source = LoadBitmapColors(bitmap, true);
    bool swapped = mode == 1 || mode == 2;
    int nw = swapped ? h : w;
    TRGBColors target(source.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int tx = x, ty = y;
            switch (mode) {
                case 0:
                    ty = h - 1 - y;
                    break;
                case 1:
                    tx = y;
                    ty = mirror ? x : w - 1 - x;
                    break;
                case 2:
                    tx = h - 1 - y;
                    ty = mirror ? w - 1 - x : x;
                    break;
                default:
                    tx = w - 1 - x;
                    ty = mirror ? y : h - 1 - y;
                    break;
            }
            target[size_t(ty) * size_t(nw) + size_t(tx)] = source[size_t(y) * size_t(w) + size_t(x)];
        }
    if (swapped) {
        bitmap->SetHeight(0);
        bitmap->SetWidth(h);
        bitmap->SetHeight(w);
    }
    StoreBitmapColors(bitmap, target, true);
}

TBitmap* CreateSizedBitmap(int width, int height, TPixelFormat format) {
    auto* bitmap = new TBitmap();
    SetBitmapFormatAndSize(bitmap, width, height, format);
    return bitmap;
}

TBitmap* CreateBitmapForRect(const TRect& r, TPixelFormat format) {
    return CreateSizedBitmap(RectWidth(r), RectHeight(r), format);
}

void SetBitmapFormatAndSize(TBitmap* bitmap, int width, int height, TPixelFormat format) {
    bitmap->SetPixelFormat(format);
    bitmap->SetWidth(width);
    bitmap->SetHeight(height);
}

int BitsPerPixelOf(TBitmap* bitmap) {
    TPixelFormat format = bitmap->PixelFormat();
    if (format == pfDevice || format == pfCustom) return GetDeviceCaps(bitmap->Canvas()->Handle(), BITSPIXEL);
    return PixelFormatBits(format);
}

TcxBitmap* CopyAsAlphaBitmap(TBitmap* bitmap) {
    auto* copy = new TcxBitmap(bitmap->Width(), bitmap->Height());
    copy->CopyBitmap(bitmap);
    return copy;
}

void GlyphToAlphaBitmap(TBitmap* glyph, TBitmap* dest) {
    std::unique_ptr<TcxBitmap> a(CopyAsAlphaBitmap(glyph));
    a->ApplyPixelFilter(bfOpaque);
    std::unique_ptr<TcxBitmap> b(CopyAsAlphaBitmap(glyph));
    b->AddTransparentColor(glyph->TransparentColor());
    b->ApplyPixelFilter(bfMask);
    a->ApplyMask(b.get());
    dest->Assign(a.get());
}

TcxBitmap* ReuseCachedBitmap(TcxBitmap*& cache, int width, int height) {
    if (!cache) {
        cache = new TcxBitmap(width, height);
        return cache;
    }
    cache->ClearTransparentColors();
    cache->SetSize(width, height);
    return cache;
}

TcxBitmap* CachedPaintBitmap(int width, int height) { return ReuseCachedBitmap(paintBitmap, width, height); }
TcxBitmap* CachedImageBitmap(int width, int height) { return ReuseCachedBitmap(imageBitmap, width, height); }
TcxBitmap* CachedMaskBitmap(int width, int height) { return ReuseCachedBitmap(maskBitmap, width, height); }

bool HasGlyph(TBitmap* bitmap) { return bitmap && !bitmap->Empty(); }

bool HasListImage(TCustomImageList* list, int index) { return list && index >= 0 && index < list->Count(); }

void ReplaceLinkedImageList(TCustomImageList* newList, TCustomImageList*& field, TChangeLink* link, TComponent* owner) {
    if (newList == field) return;
    if (field) {
        if (owner) field->RemoveFreeNotification(owner);
        if (link) field->UnRegisterChanges(link);
    }
    field = newList;
    if (field) {
        if (link) field->RegisterChanges(link);
        if (owner) field->FreeNotification(owner);
    }
    if (link) link->Change();
}

void InsetRectByMargins(TRect& r, const TRect& margins) {
    r.left += margins.left;
    r.top += margins.top;
    r.right -= margins.right;
    r.bottom -= margins.bottom;
}

// ---- colours -------------------------------------------------------------------------------

DWORD ColorToPixel(TColor color, Byte alpha) {
    DWORD rgb = DWORD(ColorToRGB(color));
    return (DWORD(alpha) << 24) | ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

Byte ClampChannel(long value) { return Byte(std::clamp<long>(value, 0, 255)); }

TColor NearestScreenColor(TColor color) { return SnapToScreenColor(color); }

TColor MixSystemColors(int facePercent, int highlightPercent, int windowPercent) {
    return BlendSystemColors(facePercent, highlightPercent, windowPercent);
}

TColor PressedSelectionColor() { return NearestScreenColor(MixSystemColors(14, 44, 40)); }
TColor HotSelectionColor() { return NearestScreenColor(MixSystemColors(-2, 30, 72)); }

namespace {

// Half to even, as everywhere in the program.
Byte RoundChannel(float v) { return ClampChannel(std::lrint(v)); }

}  // namespace

void BlendPixel(RGBQUAD source, RGBQUAD& dest, Byte alpha) {
    float c = float(alpha) / 255.0f;
    float k = c * float(source.rgbReserved);
    float e = 1.0f - k / 255.0f;
    dest.rgbBlue = RoundChannel(c * float(source.rgbBlue) + e * float(dest.rgbBlue));
    dest.rgbGreen = RoundChannel(c * float(source.rgbGreen) + e * float(dest.rgbGreen));
    dest.rgbRed = RoundChannel(c * float(source.rgbRed) + e * float(dest.rgbRed));
    dest.rgbReserved = RoundChannel(k + e * float(dest.rgbReserved));
}

// ---- raster copies and blending ------------------------------------------------------------

void CopyDCRect(HDC dest, HDC source, const TRect& destRect, DWORD rop, const TPoint& sourcePoint) {
    BitBlt(dest, destRect.left, destRect.top, RectWidth(destRect), RectHeight(destRect), source, sourcePoint.x,
           sourcePoint.y, rop);
}

void DrawBitmapToDC(HDC dc, TBitmap* bitmap, const TRect& destRect, DWORD rop, const TPoint& sourcePoint) {
    // Older systems copy the undefined fourth byte of a lower-depth bitmap onto a 32-bit
    // surface; clear it on the way.
    if (PlatformFlags.Win9xFamily && GetDeviceCaps(dc, BITSPIXEL) == 32 && BitsPerPixelOf(bitmap) < 32) {
        TcxBitmap temp(RectWidth(destRect), RectHeight(destRect));
        CopyDCRect(temp.Canvas()->Handle(), bitmap->Canvas()->Handle(), temp.GetImageRect(), SRCCOPY, sourcePoint);
        temp.ApplyPixelFilter(bfClearAlpha);
        CopyDCRect(dc, temp.Canvas()->Handle(), destRect, rop, TPoint{0, 0});
        return;
    }
    CopyDCRect(dc, bitmap->Canvas()->Handle(), destRect, rop, sourcePoint);
}

bool SameRectSize(const TRect& a, const TRect& b) {
    return RectWidth(a) == RectWidth(b) && RectHeight(a) == RectHeight(b);
}

bool SystemAlphaBlend(HDC dest, HDC source, const TRect& destRect, Byte alpha, const TRect& sourceRect) {
    if (!alphaBlendProc) return false;
    BLENDFUNCTION f{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
    return alphaBlendProc(dest, destRect.left, destRect.top, RectWidth(destRect), RectHeight(destRect), source,
                          sourceRect.left, sourceRect.top, RectWidth(sourceRect), RectHeight(sourceRect), f) != FALSE;
}

namespace {

// A 32-bit bitmap of the rectangle's size holding the DC's area.
std::unique_ptr<TBitmap> CopyOfArea(HDC dc, const TRect& r) {
    std::unique_ptr<TBitmap> bitmap(CreateBitmapForRect(r, pf32bit));
    HDC target = bitmap->Canvas()->Handle();
    PatBlt(target, 0, 0, RectWidth(r), RectHeight(r), BLACKNESS);
    CopyDCRect(target, dc, TRect{0, 0, RectWidth(r), RectHeight(r)}, SRCCOPY, TPoint{r.left, r.top});
    return bitmap;
}

}  // namespace

void AlphaBlendDC(HDC dest, HDC source, const TRect& destRect, Byte alpha, bool smooth, const TRect& sourceRect) {
    smooth = smooth && !SameRectSize(destRect, sourceRect);
    if (!PlatformFlags.Win9xFamily && alphaBlendProc && !smooth) {
        SystemAlphaBlend(dest, source, destRect, alpha, sourceRect);
        return;
    }
    if (RectWidth(destRect) <= 0 || RectHeight(destRect) <= 0 || RectWidth(sourceRect) <= 0 ||
        RectHeight(sourceRect) <= 0)
        return;
    std::unique_ptr<TBitmap> a = CopyOfArea(source, sourceRect);
    std::unique_ptr<TBitmap> b = CopyOfArea(dest, destRect);
    std::unique_ptr<TBitmap> c(CreateBitmapForRect(destRect, pf32bit));
    TRect whole{0, 0, RectWidth(destRect), RectHeight(destRect)};
    if (smooth)
        ResampleLanczos3(a.get(), c.get());
    else
        StretchBlt(c->Canvas()->Handle(), 0, 0, whole.right, whole.bottom, a->Canvas()->Handle(), 0, 0,
                   RectWidth(sourceRect), RectHeight(sourceRect), SRCCOPY);
    if (!SystemAlphaBlend(b->Canvas()->Handle(), c->Canvas()->Handle(), whole, alpha, whole)) {
        TRGBColors over = LoadBitmapColors(c.get(), false);
        TRGBColors under = LoadBitmapColors(b.get(), false);
        for (size_t i = 0; i < under.size() && i < over.size(); ++i) BlendPixel(over[i], under[i], alpha);
        StoreBitmapColors(b.get(), under, false);
    }
    CopyDCRect(dest, b->Canvas()->Handle(), destRect, SRCCOPY, TPoint{0, 0});
}

void AlphaBlendBitmaps(TBitmap* dest, TBitmap* source, const TRect& destRect, Byte alpha, bool smooth,
                       const TRect& sourceRect) {
    AlphaBlendDC(dest->Canvas()->Handle(), source->Canvas()->Handle(), destRect, alpha, smooth, sourceRect);
}

void AlphaBlendFromBitmap(HDC dest, TBitmap* source, const TRect& destRect, Byte alpha, bool smooth,
                          const TRect& sourceRect) {
    AlphaBlendDC(dest, source->Canvas()->Handle(), destRect, alpha, smooth, sourceRect);
}

void AlphaBlendFromDC(HDC dest, HDC source, const TRect& destRect, Byte alpha, bool smooth, const TRect& sourceRect) {
    AlphaBlendDC(dest, source, destRect, alpha, smooth, sourceRect);
}

void BlendBitmapInto(TcxBitmap* source, TBitmap* dest, const TRect& destRect, Byte alpha, bool smooth) {
    AlphaBlendBitmaps(dest, source, destRect, alpha, smooth, source->GetImageRect());
}

void HatchDCArea(HDC dc, const TRect& r, TColor color1, TColor color2, Byte step, Byte alpha1, Byte alpha2) {
    TcxBitmap area(RectWidth(r), RectHeight(r));
    if (area.Empty()) return;
    CopyDCRect(area.Canvas()->Handle(), dc, area.GetImageRect(), SRCCOPY, TPoint{r.left, r.top});
    area.SetHatch(color1, color2, step, alpha1, alpha2);
    CopyDCRect(dc, area.Canvas()->Handle(), r, SRCCOPY, TPoint{0, 0});
}

// ---- resampling ----------------------------------------------------------------------------

namespace {

struct TContributor {
    int index;
    int weight;  // 8-bit fixed point
};
using TContributors = std::vector<std::vector<TContributor>>;

double Sinc(double x) {
    if (x == 0.0) return 1.0;
    x *= std::numbers::pi;
    return std::sin(x) / x;
}

double Lanczos3(double x) { return std::fabs(x) >= 3.0 ? 0.0 : Sinc(x) * Sinc(x / 3.0); }

// A single pixel has no span to scale across, so either side of 1 falls back to the plain ratio.
double ScaleOf(int from, int to) {
    return (from == 1 || to == 1) ? double(to) / double(from) : double(to - 1) / double(from - 1);
}

TContributors BuildContributors(int n, int m, double scale) {
    double width = scale >= 1.0 ? 1.0 : 1.0 / scale;
    double support = 3.0 * width;
    TContributors list(static_cast<size_t>(m));
    for (int i = 0; i < m; ++i) {
        double centre = double(i) / scale;
        for (int j = int(std::floor(centre - support)); j <= int(std::ceil(centre + support)); ++j) {
            int weight = int(std::lrint(Lanczos3((centre - double(j)) / width) / width * 256.0));
            if (weight == 0) continue;
            int k = j < 0 ? -j : (j >= n ? 2 * n - 1 - j : j);
            list[size_t(i)].push_back({std::clamp(k, 0, n - 1), weight});
        }
    }
    return list;
}

Byte ApplySum(int sum) { return sum < 0 ? 0 : (sum < 65536 ? Byte(std::min(sum / 256, 255)) : 255); }

RGBQUAD Resampled(const std::vector<TContributor>& contributors, const TRGBColors& line, size_t start, size_t stride) {
    int b = 0, g = 0, r = 0, a = 0;
    for (const TContributor& c : contributors) {
        const RGBQUAD& p = line[start + size_t(c.index) * stride];
        b += c.weight * p.rgbBlue;
        g += c.weight * p.rgbGreen;
        r += c.weight * p.rgbRed;
        a += c.weight * p.rgbReserved;
    }
    return RGBQUAD{ApplySum(b), ApplySum(g), ApplySum(r), ApplySum(a)};
}

}  // namespace

void ResampleLanczos3(TBitmap* source, TBitmap* dest) {
    int sw = source->Width(), sh = source->Height(), dw = dest->Width(), dh = dest->Height();
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
    source->Canvas()->Lock();
    dest->Canvas()->Lock();
    TRGBColors pixels = LoadBitmapColors(source, true);
    TContributors across = BuildContributors(sw, dw, ScaleOf(sw, dw));
    TRGBColors temp(size_t(dw) * size_t(sh));
    for (int y = 0; y < sh; ++y)
        for (int x = 0; x < dw; ++x)
            temp[size_t(y) * size_t(dw) + size_t(x)] = Resampled(across[size_t(x)], pixels, size_t(y) * size_t(sw), 1);
    TContributors down = BuildContributors(sh, dh, ScaleOf(sh, dh));
    TRGBColors result(size_t(dw) * size_t(dh));
    for (int x = 0; x < dw; ++x)
        for (int y = 0; y < dh; ++y)
            result[size_t(y) * size_t(dw) + size_t(x)] = Resampled(down[size_t(y)], temp, size_t(x), size_t(dw));
    StoreBitmapColors(dest, result, true);
    dest->Canvas()->Unlock();
    source->Canvas()->Unlock();
}

// ---- shadows -------------------------------------------------------------------------------

void AddOffsetShadow(TcxBitmap* bitmap, TBitmap* mask, int offset, bool grow, TColor color) {
    int w = bitmap->Width(), h = bitmap->Height(), d = offset;
    TcxBitmap shadow(w + 2 * d, h + 2 * d, DWORD(0xFFFFFFFF));
    shadow.CopyBitmapRect(mask, TRect{d, d, d + w, d + h}, SRCCOPY, TPoint{0, 0});
    // Destination AND brush AND NOT source, drawn onto itself at (d, d): the shape in the
    // colour, offset by d, and nothing where the shape itself is.
    TcxBitmap source(w + 2 * d, h + 2 * d);
    source.CopyBitmap(&shadow);
    HDC sdc = shadow.Canvas()->Handle();
    HBRUSH brush = CreateSolidBrush(COLORREF(ColorToRGB(color)));
    HGDIOBJ oldBrush = SelectObject(sdc, brush);
    BitBlt(sdc, d, d, w + d, h + d, source.Canvas()->Handle(), 0, 0, 0x200F09);
    SelectObject(sdc, oldBrush);
    DeleteObject(brush);
    shadow.SetTransparentBkColor(0);
    shadow.ApplyPixelFilter(bfOpaqueWhereDrawn);
    TcxBitmap joined(w + d, h + d);
    joined.CopyBitmapRect(bitmap, TRect{0, 0, w, h}, SRCCOPY, TPoint{0, 0});
    joined.CopyBitmapRect(&shadow, joined.GetImageRect(), SRCPAINT, TPoint{d, d});
    if (grow) bitmap->SetSize(w + d, h + d);
    bitmap->CopyBitmap(&joined);
}

// ---- image states --------------------------------------------------------------------------

namespace {

// The list's image into the bitmap: the kept pair of a toolkit list, else the system list's.
void ReadListImage(TCustomImageList* images, int index, TBitmap* image, TBitmap* mask) {
    if (auto* cx = As<TcxImageList>(images))
        cx->GetImage(index, image, mask);
    else
        ReadImageListBitmaps(images->Handle(), index, image, mask);
}

}  // namespace

void PaintImageWithState(HDC dc, const TRect& imageRect, const TRect& destRect, TBitmap* glyph,
                         TCustomImageList* images, int index, TcxImageDrawMode state, bool smooth, HBRUSH background,
                         TColor maskColor, bool useGlyphTransparency) {
    bool useGlyph = HasGlyph(glyph);
    if (!useGlyph && !HasListImage(images, index)) return;
    int dw = RectWidth(destRect), dh = RectHeight(destRect);
    if (dw <= 0 || dh <= 0) return;
    TcxBitmap* paint = CachedPaintBitmap(dw, dh);
    HDC pdc = paint->Canvas()->Handle();
    TRect whole = paint->GetImageRect();
    if (background)
        FillRect(pdc, &whole, background);
    else
        CopyDCRect(pdc, dc, paint->GetImageRect(), SRCCOPY, TPoint{destRect.left, destRect.top});
    TRect r = imageRect;
    OffsetRect(&r, -destRect.left, -destRect.top);
    if (!(DrawImageHook && DrawImageHook(paint->cxCanvas(), images, index, state, r, glyph))) {
        int iw = useGlyph ? glyph->Width() : images->Width();
        int ih = useGlyph ? glyph->Height() : images->Height();
        TcxBitmap* image = CachedImageBitmap(iw, ih);
        if (useGlyph)
            image->CopyBitmap(glyph);
        else
            ReadListImage(images, index, image, nullptr);
        int bits = useGlyph ? BitsPerPixelOf(glyph) : ImageListBitsPerPixel(images->Handle());
        bool hasAlpha = bits >= 32 && image->HasAlpha();
        if (!hasAlpha) image->ApplyPixelFilter(bfOpaque);

        TcxBitmap* mask = CachedMaskBitmap(iw, ih);
        mask->CopyBitmap(image);
        if (!hasAlpha) {
            if (!useGlyph) {
                TcxBitmap listMask(iw, ih);
                ReadListImage(images, index, nullptr, &listMask);
                listMask.ApplyPixelFilter(bfOpaqueWhereDrawn);
                mask->ApplyMask(&listMask);
            }
            if (maskColor != clNone) mask->AddTransparentColor(maskColor);
            if (useGlyphTransparency && useGlyph) mask->AddTransparentColor(glyph->TransparentColor());
        }
        mask->ApplyPixelFilter(bfMask);
        image->ApplyMask(mask);

        Byte alpha = 255;
        switch (state) {
            case idmDisabled:
                if (hasAlpha) {
                    image->ApplyPixelFilter(bfDisabled);
                    alpha = 151;
                } else {
                    image->ApplyPixelFilter(bfDirty);
                    AddOffsetShadow(image, mask, 1, false, clBtnHighlight);
                }
                break;
            case idmFaded:
                image->ApplyPixelFilter(bfFaded);
                alpha = 64;
                break;
            case idmGrey:
                image->ApplyPixelFilter(bfGrey);
                break;
            case idmDingy:
                image->ApplyPixelFilter(bfDingy);
                break;
            case idmShadowed:
                AddOffsetShadow(image, mask, 2, true, clBtnShadow);
                r.right += 2;
                r.bottom += 2;
                OffsetRect(&r, -1, -1);
                break;
            default:
                break;
        }
        BlendBitmapInto(image, paint, r, alpha, smooth);
    }
    DrawBitmapToDC(dc, paint, destRect, SRCCOPY, TPoint{0, 0});
}

void DrawDesignSelector(TcxCanvas* canvas, const TRect& r, bool selected) {
    if (IsRectEmpty(&r)) return;
    TColor fill = selected ? TColor(0x9090FF) : TColor(0xA0FFA0);
    canvas->PushState();
    canvas->IntersectClipWithRect(r);
    canvas->FillRectWithColor(r, fill);
    TCanvas* c = canvas->Canvas();
    c->Pen()->SetColor(ScaleColorByPercent(fill, 75));
    c->Pen()->SetWidth(1);
    c->Pen()->SetStyle(psSolid);
    int lines = MulDiv(r.right, 3, 2);
    for (int i = 1; i <= lines; ++i) {
        c->MoveTo(r.right - 3 * i, r.top);
        c->LineTo(r.right, r.top + 3 * i);
    }
    canvas->FrameRectBorders(r, ScaleColorByPercent(fill, 50), 1, cxBordersAll);
    canvas->PopState();
    canvas->ExcludeRectFromClip(r);
    TRect shadow = r;
    OffsetRect(&shadow, 1, 1);
    canvas->FillRectWithColor(shadow, clBtnShadow);
    canvas->ExcludeRectFromClip(shadow);
}

// ---- system image lists --------------------------------------------------------------------

namespace {

// A DIB-section copy of a strip bitmap owned by the system list.
HBITMAP CopyStrip(HBITMAP strip) { return HBITMAP(CopyImage(strip, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)); }

}  // namespace

int ImageListBitsPerPixel(HIMAGELIST list) {
    IMAGEINFO info{};
    if (!list || !ImageList_GetImageInfo(list, 0, &info)) return 0;
    BITMAP bm{};
    if (!GetObjectW(info.hbmImage, sizeof(bm), &bm)) return 0;
    return bm.bmBitsPixel;
}

void ReadImageListBitmaps(HIMAGELIST list, int index, TBitmap* image, TBitmap* mask) {
    IMAGEINFO info{};
    if (!list || !ImageList_GetImageInfo(list, index < 0 ? 0 : index, &info)) return;
    const TRect cell{info.rcImage.left, info.rcImage.top, info.rcImage.right, info.rcImage.bottom};
    for (auto [dest, strip] : {std::pair{image, info.hbmImage}, std::pair{mask, info.hbmMask}}) {
        if (!dest || !strip) continue;
        HBITMAP copy = CopyStrip(strip);
        if (!copy) continue;
        if (index < 0) {
            dest->SetHandle(copy);
            continue;
        }
        dest->SetSize(RectWidth(cell), RectHeight(cell));
        HDC memory = CreateCompatibleDC(ScreenDC());
        HGDIOBJ old = SelectObject(memory, copy);
        CopyDCRect(dest->Canvas()->Handle(), memory, TRect{0, 0, RectWidth(cell), RectHeight(cell)}, SRCCOPY,
                   TPoint{cell.left, cell.top});
        SelectObject(memory, old);
        DeleteDC(memory);
        DeleteObject(copy);
    }
}

// ---- unit start and end --------------------------------------------------------------------

HBRUSH SystemBrush(int index) {
    return index >= 0 && size_t(index) < systemBrushes.size() ? systemBrushes[size_t(index)] : nullptr;
}

HBRUSH CheckerPatternBrush() { return checkerBrush; }

void InitializecxImageStates() {
    systemBrushes.clear();
    for (int i = 0; i <= 30; ++i) systemBrushes.push_back(GetSysColorBrush(i));
    const WORD rows[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    HBITMAP pattern = CreateBitmap(8, 8, 1, 1, rows);
    checkerBrush = CreatePatternBrush(pattern);
    DeleteObject(pattern);
    msimg32 = LoadLibraryW(L"msimg32.dll");
    if (msimg32) alphaBlendProc = reinterpret_cast<TAlphaBlendProc>(GetProcAddress(msimg32, "AlphaBlend"));
}

void FinalizecxImageStates() {
    alphaBlendProc = nullptr;
    if (msimg32) FreeLibrary(msimg32);
    msimg32 = nullptr;
    // System colour brushes belong to the system.
    systemBrushes.clear();
    if (checkerBrush) DeleteObject(checkerBrush);
    checkerBrush = nullptr;
    FinalizecxScreenCanvas();
    for (TcxBitmap** cache : {&paintBitmap, &imageBitmap, &maskBitmap}) {
        delete *cache;
        *cache = nullptr;
    }
}
