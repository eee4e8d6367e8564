#include "Bitmap.h"

#include <cstring>

#include "Streams.h"

// Sections: helpers, the bitmap's canvas, construction and assignment, size and format, handle,
// pixels, transparency, BMP reading and writing, streams and resources, drawing.

// --- helpers

namespace {

const wchar_t kInvalidBitmap[] = L"Bitmap image is not valid";

Integer ScreenBits() {
    static Integer bits = [] {
        HDC dc = GetDC(nullptr);
        Integer b = dc ? GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES) : 32;
        if (dc) ReleaseDC(nullptr, dc);
        return b;
    }();
    return bits;
}

Int64 RowBytes(Int64 width, Integer bitCount) { return ((width * bitCount + 31) / 32) * 4; }

// The colour table a new palettized bitmap starts with: black and white; the sixteen standard
// colours; those followed by a 6x6x6 colour cube and a grey ramp.
std::vector<RGBQUAD> DefaultColors(Integer bitCount) {
    std::vector<RGBQUAD> colors;
    auto add = [&](Byte r, Byte g, Byte b) { colors.push_back(RGBQUAD{b, g, r, 0}); };
    if (bitCount == 1) {
        add(0, 0, 0);
        add(255, 255, 255);
        return colors;
    }
    static const Byte vga[16][3] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                    {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                    {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    for (auto& c : vga) add(c[0], c[1], c[2]);
    if (bitCount == 4) return colors;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b) add(Byte(r * 51), Byte(g * 51), Byte(b * 51));
    while (colors.size() < 256) {
        Byte v = Byte(8 + (colors.size() - 232) * 10);
        add(v, v, v);
    }
    return colors;
}

TPixelFormat FormatOfBits(Integer bitCount, DWORD greenMask) {
    switch (bitCount) {
        case 1:
            return pf1bit;
        case 4:
            return pf4bit;
        case 8:
            return pf8bit;
        case 16:
            return greenMask == 0x7E0 ? pf16bit : pf15bit;
        case 24:
            return pf24bit;
        case 32:
            return pf32bit;
        default:
            return pfCustom;
    }
}

std::uint32_t U32(const Byte* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
std::int32_t I32(const Byte* p) {
    std::int32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
std::uint16_t U16(const Byte* p) {
    std::uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}
void Put32(std::vector<Byte>& out, std::uint32_t v) { out.insert(out.end(), (Byte*)&v, (Byte*)&v + 4); }
void Put16(std::vector<Byte>& out, std::uint16_t v) { out.insert(out.end(), (Byte*)&v, (Byte*)&v + 2); }

// A memory device context with a bitmap selected, released at the end of the scope.
class TSelectedDC {
public:
    explicit TSelectedDC(HBITMAP bitmap) : dc_(CreateCompatibleDC(nullptr)) {
        if (!dc_) throw EOutOfResources(L"Out of system resources");
        old_ = SelectObject(dc_, bitmap);
    }
    ~TSelectedDC() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    TSelectedDC(const TSelectedDC&) = delete;
    TSelectedDC& operator=(const TSelectedDC&) = delete;
    HDC dc() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace

Integer PixelFormatBits(TPixelFormat format) {
    switch (format) {
        case pf1bit:
            return 1;
        case pf4bit:
            return 4;
        case pf8bit:
            return 8;
        case pf15bit:
        case pf16bit:
            return 16;
        case pf24bit:
            return 24;
        case pf32bit:
            return 32;
        default:
            return ScreenBits();
    }
}

// --- the bitmap's canvas: a memory DC with the section selected, made when first drawn on

class TBitmapCanvas : public TCanvas {
    Z_CLASS(TBitmapCanvas, TCanvas)
public:
    explicit TBitmapCanvas(TBitmap* bitmap) : bitmap_(bitmap) {}
    ~TBitmapCanvas() override { FreeHandle(); }

    void FreeHandle() override {
        if (!HandleAllocated()) return;
        HDC dc = Handle();
        SetHandle(nullptr);
        if (oldBitmap_) SelectObject(dc, oldBitmap_);
        oldBitmap_ = nullptr;
        DeleteDC(dc);
    }

protected:
    void CreateHandle() override {
        bitmap_->HandleNeeded();
        HDC dc = CreateCompatibleDC(nullptr);
        if (!dc) throw EOutOfResources(L"Out of system resources");
        oldBitmap_ = bitmap_->dib_ ? SelectObject(dc, bitmap_->dib_) : nullptr;
        SetHandle(dc);
    }

private:
    TBitmap* bitmap_;
    HGDIOBJ oldBitmap_ = nullptr;
};

// --- construction and assignment

TBitmap::TBitmap() = default;

TBitmap::TBitmap(Integer width, Integer height, TPixelFormat format) {
    SetPixelFormat(format);
    SetSize(width, height);
}

TBitmap::~TBitmap() {
    delete canvas_;
    if (dib_) DeleteObject(dib_);
}

void TBitmap::Assign(TPersistent* source) {
    if (source == this) return;
    if (!source) {
        ReplaceImage(nullptr, nullptr, 0, 0, pixelFormat_);
        Changed(this);
        return;
    }
    auto* other = As<TBitmap>(source);
    if (!other) {
        TGraphic::Assign(source);
        return;
    }
    if (other->Empty()) {
        ReplaceImage(nullptr, nullptr, other->width_, other->height_, other->pixelFormat_);
    } else {
        other->HandleNeeded();
        other->FreeContext();
        GdiFlush();
        std::vector<RGBQUAD> colors = other->ColorTable();
        Byte* bits = nullptr;
        HBITMAP dib = CreateSection(other->width_, other->height_, other->pixelFormat_, colors, &bits);
        std::memcpy(bits, other->bits_, size_t(other->stride_) * size_t(other->height_));
        ReplaceImage(dib, bits, other->width_, other->height_, other->pixelFormat_);
    }
    transparentColor_ = other->transparentColor_;
    transparentMode_ = other->transparentMode_;
    xPelsPerMeter_ = other->xPelsPerMeter_;
    yPelsPerMeter_ = other->yPelsPerMeter_;
    if (Transparent() != other->Transparent()) SetTransparent(other->Transparent());
    Changed(this);
}

// --- size and format

HBITMAP TBitmap::CreateSection(Integer width, Integer height, TPixelFormat format, const std::vector<RGBQUAD>& colors,
                               Byte** bits) {
    const Integer bitCount = PixelFormatBits(format);
    if (width <= 0 || height <= 0 || RowBytes(width, bitCount) * height > 0x7FFFFFFF)
        throw EInvalidGraphicOperation(L"Invalid bitmap size");
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height;  // positive: rows bottom-up
    info.header.biPlanes = 1;
    info.header.biBitCount = WORD(bitCount);
    info.header.biCompression = BI_RGB;
    if (bitCount <= 8) {
        std::vector<RGBQUAD> table = colors.empty() ? DefaultColors(bitCount) : colors;
        size_t n = std::min<size_t>(table.size(), size_t(1) << bitCount);
        std::memcpy(info.colors, table.data(), n * sizeof(RGBQUAD));
        info.header.biClrUsed = DWORD(n);
    } else if (format == pf16bit) {
        info.header.biCompression = BI_BITFIELDS;
        DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
        std::memcpy(info.colors, masks, sizeof(masks));
    }
    void* pixels = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (!dib) throw EOutOfResources(L"Out of system resources");
    *bits = static_cast<Byte*>(pixels);
    return dib;
}

void TBitmap::ReplaceImage(HBITMAP dib, Byte* bits, Integer width, Integer height, TPixelFormat format) {
    FreeContext();
    if (dib_ && dib_ != dib) DeleteObject(dib_);
    dormantBits_.clear();
    dormantColors_.clear();
    dib_ = dib;
    bits_ = bits;
    // An empty bitmap keeps the size it was given, so that width and height can be set apart.
    width_ = width;
    height_ = height;
    pixelFormat_ = format;
    bitCount_ = PixelFormatBits(format);
    stride_ = Integer(RowBytes(width_, bitCount_));
}

// A new section of the given size and format holding the old picture at its top left.
void TBitmap::Reformat(Integer width, Integer height, TPixelFormat format) {
    if (width <= 0 || height <= 0) {
        ReplaceImage(nullptr, nullptr, width, height, format);
        return;
    }
    HandleNeeded();
    FreeContext();
    const bool sameFormat = dib_ && PixelFormatBits(format) == bitCount_ && format == pixelFormat_;
    std::vector<RGBQUAD> colors = sameFormat ? ColorTable() : std::vector<RGBQUAD>{};
    Byte* bits = nullptr;
    HBITMAP dib = CreateSection(width, height, format, colors, &bits);
    try {
        TSelectedDC target(dib);
        PatBlt(target.dc(), 0, 0, width, height, WHITENESS);
        if (dib_) {
            const int w = std::min(width, width_), h = std::min(height, height_);
            if (sameFormat) {
                GdiFlush();
                const Integer stride = Integer(RowBytes(width, bitCount_));
                const size_t rowBytes = size_t(RowBytes(w, bitCount_));
                for (int row = 0; row < h; ++row)  // row counted from the top
                    std::memcpy(bits + size_t(height - 1 - row) * stride, bits_ + size_t(height_ - 1 - row) * stride_,
                                std::min<size_t>(rowBytes, stride));
            } else {
                TSelectedDC source(dib_);
                BitBlt(target.dc(), 0, 0, w, h, source.dc(), 0, 0, SRCCOPY);
            }
        }
    } catch (...) {
        DeleteObject(dib);
        throw;
    }
    ReplaceImage(dib, bits, width, height, format);
}

void TBitmap::SetSize(Integer width, Integer height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return;
    Reformat(width, height, pixelFormat_);
    Changed(this);
}

void TBitmap::SetPixelFormat(TPixelFormat value) {
    if (value == pixelFormat_) return;
    if (Empty()) {
        pixelFormat_ = value;
        bitCount_ = PixelFormatBits(value);
    } else {
        Reformat(width_, height_, value);
    }
    Changed(this);
}

void TBitmap::SetMonochrome(bool value) {
    if (value == Monochrome()) return;
    SetPixelFormat(value ? pf1bit : pfDevice);
}

// --- handle

void TBitmap::HandleNeeded() {
    if (dib_ || Empty()) return;
    Byte* bits = nullptr;
    HBITMAP dib = CreateSection(width_, height_, pixelFormat_, dormantColors_, &bits);
    if (dormantBits_.size() == size_t(stride_) * size_t(height_))
        std::memcpy(bits, dormantBits_.data(), dormantBits_.size());
    dormantBits_.clear();
    dormantColors_.clear();
    dib_ = dib;
    bits_ = bits;
}

void TBitmap::FreeContext() {
    if (canvas_) canvas_->FreeHandle();
}

TCanvas* TBitmap::Canvas() {
    if (!canvas_) {
        canvas_ = new TBitmapCanvas(this);
        canvas_->OnChange = MakeEvent(this, &TBitmap::CanvasChanged);
    }
    return canvas_;
}

HBITMAP TBitmap::Handle() {
    HandleNeeded();
    FreeContext();
    return dib_;
}

std::vector<RGBQUAD> TBitmap::ColorTable() {
    if (bitCount_ > 8) return {};
    if (!dib_) return dormantColors_;
    FreeContext();
    std::vector<RGBQUAD> colors(256);
    TSelectedDC dc(dib_);
    UINT n = GetDIBColorTable(dc.dc(), 0, 256, colors.data());
    colors.resize(n);
    return colors;
}

void TBitmap::SetHandle(HBITMAP value) {
    if (value == dib_) return;
    if (!value) {
        ReplaceImage(nullptr, nullptr, 0, 0, pixelFormat_);
        Changed(this);
        return;
    }
    DIBSECTION ds{};
    int n = GetObjectW(value, sizeof(ds), &ds);
    if (n == 0) throw EInvalidGraphicOperation(L"Invalid bitmap handle");
    const bool section = n == int(sizeof(DIBSECTION)) && ds.dsBm.bmBits;
    if (section && ds.dsBmih.biHeight > 0) {
        TPixelFormat format =
            FormatOfBits(ds.dsBmih.biBitCount, ds.dsBmih.biCompression == BI_BITFIELDS ? ds.dsBitfields[1] : 0);
        if (format != pfCustom) {
            ReplaceImage(value, static_cast<Byte*>(ds.dsBm.bmBits), ds.dsBm.bmWidth, ds.dsBm.bmHeight, format);
            Changed(this);
            return;
        }
    }
    // A device-dependent bitmap, a top-down section or an unusual format: copy into a section.
    const Integer bitCount = section ? ds.dsBmih.biBitCount : ds.dsBm.bmBitsPixel;
    TPixelFormat format = bitCount == 1 ? pf1bit : bitCount == 32 ? pf32bit : pf24bit;
    Byte* bits = nullptr;
    HBITMAP dib = CreateSection(ds.dsBm.bmWidth, std::abs(ds.dsBm.bmHeight), format, {}, &bits);
    {
        TSelectedDC source(value), target(dib);
        BitBlt(target.dc(), 0, 0, ds.dsBm.bmWidth, std::abs(ds.dsBm.bmHeight), source.dc(), 0, 0, SRCCOPY);
    }
    DeleteObject(value);
    ReplaceImage(dib, bits, ds.dsBm.bmWidth, std::abs(ds.dsBm.bmHeight), format);
    Changed(this);
}

HBITMAP TBitmap::ReleaseHandle() {
    HandleNeeded();
    if (!dib_) return nullptr;
    FreeContext();
    GdiFlush();
    dormantColors_ = ColorTable();
    dormantBits_.assign(bits_, bits_ + size_t(stride_) * size_t(height_));
    HBITMAP result = dib_;
    dib_ = nullptr;
    bits_ = nullptr;
    return result;
}

void TBitmap::Dormant() {
    if (!dib_) return;
    DeleteObject(ReleaseHandle());
}

// --- pixels

void* TBitmap::ScanLine(Integer row) {
    if (row < 0 || row >= height_ || Empty()) throw EInvalidGraphicOperation(L"Scan line index out of range");
    HandleNeeded();
    GdiFlush();
    return bits_ + size_t(height_ - 1 - row) * size_t(stride_);
}

// --- transparency

TColor TBitmap::TransparentColor() {
    if (transparentMode_ == tmFixed && transparentColor_ != clDefault) return transparentColor_;
    if (Empty()) return clDefault;
    return Canvas()->Pixels(0, height_ - 1);
}

void TBitmap::SetTransparentColor(TColor value) {
    if (value == transparentColor_) return;
    transparentColor_ = value;
    transparentMode_ = value == clDefault ? tmAuto : tmFixed;
    Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode value) {
    if (value == transparentMode_) return;
    if (value == tmAuto)
        SetTransparentColor(clDefault);
    else
        SetTransparentColor(TransparentColor());
}

// --- BMP reading and writing

void TBitmap::LoadFromBmpData(const Byte* data, size_t size, bool withFileHeader) {
    if (size == 0) {
        ReplaceImage(nullptr, nullptr, 0, 0, pixelFormat_);
        Changed(this);
        return;
    }
    auto fail = [] { throw EInvalidGraphic(kInvalidBitmap); };
    size_t at = 0, bitsOffset = 0;
    if (withFileHeader) {
        if (size < 14 || data[0] != 'B' || data[1] != 'M') fail();
        bitsOffset = U32(data + 10);
        at = 14;
    }
    if (size - at < 12) fail();
    const std::uint32_t headerSize = U32(data + at);
    if (headerSize > size - at) fail();
    Int64 width, height;
    Integer bitCount;
    std::uint32_t compression = BI_RGB, colorsUsed = 0;
    std::uint32_t masks[3] = {0, 0, 0};
    size_t colorSize = 4;
    Integer xPels = 0, yPels = 0;
    if (headerSize == 12) {  // the old core header
        width = U16(data + at + 4);
        height = U16(data + at + 6);
        bitCount = U16(data + at + 10);
        colorSize = 3;
    } else if (headerSize >= 40) {
        width = I32(data + at + 4);
        height = I32(data + at + 8);
        bitCount = U16(data + at + 14);
        compression = U32(data + at + 16);
        xPels = I32(data + at + 24);
        yPels = I32(data + at + 28);
        colorsUsed = U32(data + at + 32);
        if (compression == BI_BITFIELDS) {
            const Byte* m = data + at + 40;
            if (headerSize < 52) {
                if (size - at - headerSize < 12) fail();
                m = data + at + headerSize;
            }
            masks[0] = U32(m), masks[1] = U32(m + 4), masks[2] = U32(m + 8);
        }
    } else {
        fail();
    }
    const bool topDown = height < 0;
    height = topDown ? -height : height;
    if (width <= 0 || height <= 0 || width > 0x7FFF || height > 0x7FFF) fail();
    TPixelFormat format = FormatOfBits(bitCount, masks[1]);
    if (format == pfCustom) fail();
    if (compression == BI_BITFIELDS) {
        const bool standard = (bitCount == 32 && masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF) ||
                              (bitCount == 16 && ((masks[0] == 0x7C00 && masks[1] == 0x3E0 && masks[2] == 0x1F) ||
                                                  (masks[0] == 0xF800 && masks[1] == 0x7E0 && masks[2] == 0x1F)));
        if (!standard) throw EInvalidGraphic(L"Unsupported bitmap format");
    } else if (compression != BI_RGB) {
        throw EInvalidGraphic(L"Unsupported bitmap compression");
    }
    if (compression == BI_RGB && bitCount == 16) format = pf15bit;

    size_t colorsAt = at + headerSize + (compression == BI_BITFIELDS && headerSize < 52 ? 12 : 0);
    std::vector<RGBQUAD> colors;
    if (bitCount <= 8) {
        size_t count = colorsUsed ? colorsUsed : size_t(1) << bitCount;
        if (count > size_t(1) << bitCount) fail();
        if (colorsAt > size || (size - colorsAt) / colorSize < count) fail();
        for (size_t i = 0; i < count; ++i) {
            const Byte* c = data + colorsAt + i * colorSize;
            colors.push_back(RGBQUAD{c[0], c[1], c[2], 0});
        }
        colorsAt += count * colorSize;
    }
    if (!withFileHeader || bitsOffset == 0) bitsOffset = colorsAt;
    const Int64 stride = RowBytes(width, bitCount);
    if (bitsOffset > size || Int64(size - bitsOffset) < stride * height) fail();

    Byte* bits = nullptr;
    HBITMAP dib = CreateSection(Integer(width), Integer(height), format, colors, &bits);
    const Byte* source = data + bitsOffset;
    if (topDown) {
        for (Int64 row = 0; row < height; ++row)
            std::memcpy(bits + (height - 1 - row) * stride, source + row * stride, size_t(stride));
    } else {
        std::memcpy(bits, source, size_t(stride * height));
    }
    ReplaceImage(dib, bits, Integer(width), Integer(height), format);
    xPelsPerMeter_ = xPels;
    yPelsPerMeter_ = yPels;
    Changed(this);
}

std::vector<Byte> TBitmap::SaveToBmpData() {
    std::vector<Byte> out;
    if (Empty()) return out;
    HandleNeeded();
    std::vector<RGBQUAD> colors = ColorTable();
    if (bitCount_ <= 8) colors.resize(size_t(1) << bitCount_, RGBQUAD{0, 0, 0, 0});
    GdiFlush();
    const bool bitfields = pixelFormat_ == pf16bit;
    const std::uint32_t bitsOffset = 14 + 40 + (bitfields ? 12 : 0) + std::uint32_t(colors.size() * 4);
    const std::uint32_t imageSize = std::uint32_t(stride_) * std::uint32_t(height_);
    out.reserve(bitsOffset + imageSize);
    out.push_back('B');
    out.push_back('M');
    Put32(out, bitsOffset + imageSize);
    Put32(out, 0);
    Put32(out, bitsOffset);
    Put32(out, 40);
    Put32(out, std::uint32_t(width_));
    Put32(out, std::uint32_t(height_));
    Put16(out, 1);
    Put16(out, std::uint16_t(bitCount_));
    Put32(out, bitfields ? BI_BITFIELDS : BI_RGB);
    Put32(out, imageSize);
    Put32(out, std::uint32_t(xPelsPerMeter_));
    Put32(out, std::uint32_t(yPelsPerMeter_));
    Put32(out, 0);
    Put32(out, 0);
    if (bitfields) {
        Put32(out, 0xF800);
        Put32(out, 0x07E0);
        Put32(out, 0x001F);
    }
    for (const RGBQUAD& c : colors) {
        out.push_back(c.rgbBlue);
        out.push_back(c.rgbGreen);
        out.push_back(c.rgbRed);
        out.push_back(0);
    }
    out.insert(out.end(), bits_, bits_ + imageSize);
    return out;
}

// --- streams and resources

void TBitmap::LoadFromStream(TStream* stream) {
    const Int64 remaining = stream->Size() - stream->Position();
    if (remaining <= 0) {
        LoadFromBmpData(nullptr, 0);
        return;
    }
    if (remaining < 14) throw EInvalidGraphic(kInvalidBitmap);
    std::vector<Byte> data(14);
    stream->ReadBuffer(data.data(), 14);
    if (data[0] != 'B' || data[1] != 'M') throw EInvalidGraphic(kInvalidBitmap);
    const Int64 fileSize = U32(data.data() + 2);
    const Int64 rest = fileSize >= 26 && fileSize - 14 <= remaining - 14 ? fileSize - 14 : remaining - 14;
    data.resize(size_t(14 + rest));
    stream->ReadBuffer(data.data() + 14, Integer(rest));
    LoadFromBmpData(data.data(), data.size(), true);
}

void TBitmap::SaveToStream(TStream* stream) {
    std::vector<Byte> data = SaveToBmpData();
    if (!data.empty()) stream->WriteBuffer(data.data(), Integer(data.size()));
}

void TBitmap::ReadData(TStream* stream) {
    TBytes data = ReadFramedData(stream, kInvalidBitmap);
    LoadFromBmpData(data.data(), data.size(), true);
}

void TBitmap::WriteData(TStream* stream) { WriteFramedData(stream, SaveToBmpData()); }

namespace {

void LoadBitmapResource(TBitmap* bitmap, HINSTANCE instance, const wchar_t* name, const String& shownName) {
    HRSRC info = FindResourceW(instance, name, MAKEINTRESOURCEW(2) /* RT_BITMAP */);
    HGLOBAL resource = info ? LoadResource(instance, info) : nullptr;
    const Byte* data = resource ? static_cast<const Byte*>(LockResource(resource)) : nullptr;
    if (!data) throw EResNotFound(L"Resource " + shownName + L" not found");
    bitmap->LoadFromBmpData(data, SizeofResource(instance, info), false);
}

}  // namespace

void TBitmap::LoadFromResourceName(HINSTANCE instance, const String& name) {
    LoadBitmapResource(this, instance, name.c_str(), name);
}

void TBitmap::LoadFromResourceID(HINSTANCE instance, int id) {
    LoadBitmapResource(this, instance, MAKEINTRESOURCEW(id), std::to_wstring(id));
}

// --- drawing

void TBitmap::Draw(TCanvas* canvas, const TRect& r) {
    if (Empty()) return;
    HDC dest = canvas->Handle();
    HDC source = Canvas()->Handle();
    if (Transparent()) {
        TransparentBlt(dest, r.left, r.top, RectWidth(r), RectHeight(r), source, 0, 0, width_, height_,
                       ColorToRGB(TransparentColor()) & 0xFFFFFF);
    } else {
        int oldMode = SetStretchBltMode(dest, COLORONCOLOR);
        StretchBlt(dest, r.left, r.top, RectWidth(r), RectHeight(r), source, 0, 0, width_, height_, canvas->CopyMode());
        SetStretchBltMode(dest, oldMode);
    }
}
