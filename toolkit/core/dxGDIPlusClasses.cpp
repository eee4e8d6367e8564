// Sections: images · the PNG graphic · unit start-up.

#include "dxGDIPlusClasses.h"

#include <cmath>
#include <cstring>
#include <memory>

#include "Picture.h"
#include "cxCustomBitmap.h"
#include "cxImageStates.h"

TClass GPImageClass = TdxGPNullImage::StaticClass();

void GetBitmapPixels32(TBitmap* bitmap, TdxRGBColors& pixels) { pixels = LoadBitmapColors(bitmap, true); }

// ---- images --------------------------------------------------------------------------------

TdxGPImage::~TdxGPImage() {
    // No status check here: a destructor must not raise.
    if (handle_ && GdipDisposeImage) GdipDisposeImage(handle_);
    if (source_) source_->Release();
}

TdxGPImage* TdxGPImage::NewOfImageClass() { return static_cast<TdxGPImage*>(GPImageClass->Create()); }

TdxGPImage* TdxGPImage::CreateFromBitmap(TBitmap* bitmap) {
    std::unique_ptr<TdxGPImage> image(NewOfImageClass());
    image->LoadFromBitmap(bitmap);
    return image.release();
}

TdxGPImage* TdxGPImage::CreateFromBits(int width, int height, const TdxRGBColors& pixels, bool hasAlpha) {
    std::unique_ptr<TdxGPImage> image(NewOfImageClass());
    image->LoadFromBits(width, height, pixels, hasAlpha);
    return image.release();
}

TdxGPImage* TdxGPImage::CreateFromStream(TStream* stream) {
    std::unique_ptr<TdxGPImage> image(NewOfImageClass());
    image->LoadFromStream(stream);
    return image.release();
}

void TdxGPImage::LoadFromBitmap(TBitmap* bitmap) {
    if (!GdiPlusUsable()) return;
    FindPngEncoder();
    TdxRGBColors pixels;
    GetBitmapPixels32(bitmap, pixels);
    LoadFromBits(bitmap->Width(), bitmap->Height(), pixels, bitmap->PixelFormat() == pf32bit);
}

void TdxGPImage::LoadFromBits(int width, int height, const TdxRGBColors& pixels, bool hasAlpha) {
    if (!GdiPlusUsable() || width <= 0 || height <= 0 || pixels.size() < size_t(width) * size_t(height)) return;
    bits_.assign(pixels.begin(), pixels.begin() + Int64(width) * height);
    if (!hasAlpha)
        for (RGBQUAD& p : bits_) p.rgbReserved = 255;
    GpBitmap* bitmap = nullptr;
    CheckGdipStatus(GdipCreateBitmapFromScan0(width, height, 4 * width, PixelFormat32bppPARGB,
                                              reinterpret_cast<BYTE*>(bits_.data()), &bitmap));
    handle_ = bitmap;
}

void TdxGPImage::LoadFromStream(TStream* stream) {
    if (!GdiPlusUsable() || stream->Size() - stream->Position() < 14) return;
    char head[14];
    stream->ReadBuffer(head, 14);
    stream->Seek(-14, soCurrent);
    if (head[0] == 'B' && head[1] == 'M') {
        TBitmap bitmap;
        bitmap.LoadFromStream(stream);
        LoadFromBitmap(&bitmap);
    } else {
        LoadFromStreamData(stream);
    }
}

void TdxGPImage::LoadFromStreamData(TStream* stream) {
    // From the position on: a stream that presents a part of a larger one starts there.
    Int64 size = stream->Size() - stream->Position();
    if (size <= 0) return;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, SIZE_T(size));
    GdipAssert(block != nullptr);
    void* memory = GlobalLock(block);
    Integer read = stream->Read(memory, Integer(size));
    GlobalUnlock(block);
    IStream* source = nullptr;
    // The block goes with the stream object, which lives as long as the image.
    if (read != Integer(size) || CreateStreamOnHGlobal(block, TRUE, &source) != S_OK) {
        GlobalFree(block);
        GdipAssert(false);
    }
    GpImage* image = nullptr;
    GpStatus status = GdipLoadImageFromStream(source, &image);
    if (status != GpOk) {
        source->Release();
        CheckGdipStatus(status);
    }
    handle_ = image;
    source_ = source;
}

int TdxGPImage::Width() const {
    REAL w = 0, h = 0;
    if (handle_) GdipGetImageDimension(handle_, &w, &h);
    return int(w);
}

int TdxGPImage::Height() const {
    REAL w = 0, h = 0;
    if (handle_) GdipGetImageDimension(handle_, &w, &h);
    return int(h);
}

TdxGPImage* TdxGPImage::CreateCopy() {
    if (!bits_.empty()) return CreateFromBits(Width(), Height(), bits_, true);
    std::unique_ptr<TdxGPImage> copy(NewOfImageClass());
    if (handle_) {
        GpImage* clone = nullptr;
        CheckGdipStatus(GdipCloneImage(handle_, &clone));
        copy->handle_ = clone;
    }
    return copy.release();
}

void TdxGPImage::SaveAsPng(TMemoryStream* stream) {
    if (!handle_) return;
    FindPngEncoder();
    IStream* target = nullptr;
    GdipAssert(CreateStreamOnHGlobal(nullptr, TRUE, &target) == S_OK);
    GpStatus status = GdipSaveImageToStream(handle_, target, &GdipPngEncoder, nullptr);
    if (status == GpOk) {
        HGLOBAL block = nullptr;
        GetHGlobalFromStream(target, &block);
        STATSTG stat{};
        target->Stat(&stat, STATFLAG_NONAME);
        const void* memory = GlobalLock(block);
        stream->WriteBuffer(memory, Integer(stat.cbSize.QuadPart));
        GlobalUnlock(block);
    }
    target->Release();
    CheckGdipStatus(status);
}

TdxGPImage* TdxGPImage::BlendWith(TdxGPImage* other, Byte alpha) {
    if (bits_.empty() || !other || other->bits_.size() != bits_.size() || other->Width() != Width()) return nullptr;
    TdxRGBColors mixed(bits_.size());
    float a = float(alpha) / 255.0f;
    const Byte* mine = reinterpret_cast<const Byte*>(bits_.data());
    const Byte* theirs = reinterpret_cast<const Byte*>(other->bits_.data());
    Byte* out = reinterpret_cast<Byte*>(mixed.data());
    for (size_t i = 0; i < mixed.size() * 4; ++i)
        out[i] = Byte(std::lrint((1.0f - a) * float(mine[i]) + a * float(theirs[i])));
    return CreateFromBits(Width(), Height(), mixed, true);
}

void TdxGPImage::DrawToDC(HDC dc, const TRect& r) {
    if (!handle_) return;
    GpGraphics* graphics = nullptr;
    if (GdipCreateFromHDC(dc, &graphics) != GpOk) return;
    GpStatus status = GdipDrawImageRectRectI(graphics, handle_, r.left, r.top, RectWidth(r), RectHeight(r), 0, 0,
                                             Width(), Height(), UnitPixel, nullptr, nullptr, nullptr);
    GpStatus deleted = GdipDeleteGraphics(graphics);
    CheckGdipStatus(status);
    CheckGdipStatus(deleted);
}

// ---- the PNG graphic -----------------------------------------------------------------------

TdxPNGImage::~TdxPNGImage() { ReplaceImage(nullptr); }

void TdxPNGImage::ReplaceImage(TdxGPImage* image) {
    if (image_ != image) delete image_;
    image_ = image;
}

void TdxPNGImage::LoadFromStream(TStream* stream) {
    if (stream->Size() - stream->Position() <= 0)
        ReplaceImage(nullptr);
    else
        ReplaceImage(TdxGPImage::CreateFromStream(stream));
    Changed(this);
}

void TdxPNGImage::SaveToStream(TStream* stream) {
    if (Empty()) return;
    TMemoryStream png;
    image_->SaveAsPng(&png);
    png.SaveToStream(stream);
}

void TdxPNGImage::Assign(TPersistent* source) {
    if (auto* bitmap = As<TBitmap>(source)) {
        GdiPlusUsable();
        AssignFromPersistent(bitmap);
    } else if (auto* png = As<TdxPNGImage>(source)) {
        ReplaceImage(png->image_ ? png->image_->CreateCopy() : nullptr);
        Changed(this);
    } else {
        TGraphic::Assign(source);
    }
}

void TdxPNGImage::AssignFromPersistent(TBitmap* source) {
    ReplaceImage(TdxGPImage::CreateFromBitmap(source));
    Changed(this);
}

void TdxPNGImage::AssignTo(TPersistent* dest) {
    if (auto* png = As<TdxPNGImage>(dest)) {
        png->Assign(this);
    } else if (auto* bitmap = As<TBitmap>(dest)) {
        std::unique_ptr<TBitmap> temporary(ToBitmap());
        bitmap->Assign(temporary.get());
    } else {
        TGraphic::AssignTo(dest);
    }
}

void TdxPNGImage::Changed(TObject* sender) {
    alphaComputed_ = false;
    TGraphic::Changed(sender);
}

void TdxPNGImage::Draw(TCanvas* canvas, const TRect& r) {
    PaintToDC(canvas->Handle(), r, TRect{0, 0, Width(), Height()});
}

TBitmap* TdxPNGImage::ToBitmap() {
    auto* bitmap = new TBitmap();
    if (Empty()) return bitmap;
    HBITMAP handle = nullptr;
    GpStatus status = GdipCreateHBITMAPFromBitmap(image_->Handle(), &handle, 0);
    if (status != GpOk) {
        delete bitmap;
        CheckGdipStatus(status);
    }
    bitmap->SetHandle(handle);
    bitmap->SetPixelFormat(pf32bit);
    return bitmap;
}

void TdxPNGImage::GetPixels(TdxRGBColors& pixels) {
    std::unique_ptr<TBitmap> bitmap(ToBitmap());
    GetBitmapPixels32(bitmap.get(), pixels);
}

bool TdxPNGImage::HasSamePixels(TdxPNGImage* other) {
    if (Width() != other->Width() || Height() != other->Height()) return false;
    if (Empty() || other->Empty()) return true;
    TdxRGBColors mine, theirs;
    GetPixels(mine);
    other->GetPixels(theirs);
    return mine.size() == theirs.size() && std::memcmp(mine.data(), theirs.data(), mine.size() * 4) == 0;
}

bool TdxPNGImage::UsesAlphaChannel() {
    if (!alphaComputed_) {
        alphaUsed_ = false;
        if (!Empty()) {
            TdxRGBColors pixels;
            GetPixels(pixels);
            for (const RGBQUAD& p : pixels)
                if (p.rgbReserved != 255) {
                    alphaUsed_ = true;
                    break;
                }
        }
        alphaComputed_ = true;
    }
    return alphaUsed_;
}

void TdxPNGImage::PaintWhole(HDC dc, const TRect& dest) { PaintToDC(dc, dest, TRect{0, 0, Width(), Height()}); }

void TdxPNGImage::PaintToDC(HDC dc, const TRect& dest, const TRect& source) {
    if (Empty()) return;
    GpGraphics* graphics = nullptr;
    CheckGdipStatus(GdipCreateFromHDC(dc, &graphics));
    try {
        PaintToGraphics(graphics, dest, source);
    } catch (...) {
        GdipDeleteGraphics(graphics);
        throw;
    }
    CheckGdipStatus(GdipDeleteGraphics(graphics));
}

void TdxPNGImage::PaintToGraphics(GpGraphics* graphics, const TRect& dest, const TRect& source) {
    if (Empty()) return;
    int dw = RectWidth(dest), dh = RectHeight(dest), sw = RectWidth(source), sh = RectHeight(source);
    if (dw < 1 || dh < 1 || sw < 1 || sh < 1) return;
    // Stretching samples beyond the last source pixel; one pixel less keeps the edges clean.
    if (dw > sw && sw > 1) --sw;
    if (dh > sh && sh > 1) --sh;
    CheckGdipStatus(GdipDrawImageRectRect(graphics, image_->Handle(), REAL(dest.left), REAL(dest.top), REAL(dw),
                                          REAL(dh), REAL(source.left), REAL(source.top), REAL(sw), REAL(sh), UnitPixel,
                                          nullptr, nullptr, nullptr));
}

void TdxPNGImage::DrawOnGraphics(GpGraphics* graphics, const TRect& dest, const TRect& source) {
    if (image_) PaintToGraphics(graphics, dest, source);
}

// ---- unit start-up -------------------------------------------------------------------------

namespace {

void SetupImageClasses() {
    GPImageClass = TdxGPNullImage::StaticClass();
    if (!GdiPlusUsable()) return;
    FindPngEncoder();
    GPImageClass = TdxGPImage::StaticClass();
    RegisterClass(TdxPNGImage::StaticClass());
    TPicture::RegisterFileFormat(L"png", L"PNG graphics", TdxPNGImage::StaticClass());
}

void CleanupImageClasses() {
    TPicture::UnregisterGraphicClass(TdxPNGImage::StaticClass());
    UnRegisterClass(TdxPNGImage::StaticClass());
}

}  // namespace

void InitializedxGDIPlusClasses() { GlobalUnitsLoader()->RegisterUnit(&SetupImageClasses, &CleanupImageClasses); }

void FinalizedxGDIPlusClasses() { GlobalUnitsLoader()->UnregisterUnit(&CleanupImageClasses); }
