#pragma once
// A bitmap on a DIB section. The pixels live in the section (rows bottom-up in memory, as in a
// BMP file; ScanLine counts rows from the top), or in plain memory while the bitmap is dormant
// (no GDI handle held). The canvas draws into the section through a memory device context
// that is created on demand and given up whenever the handle is handed out or replaced.
//
// Sections: construction and assignment, size and format, handle, pixels, transparency,
// streams and resources, drawing.

#include <windows.h>

#include <vector>

#include "Canvas.h"
#include "Colors.h"
#include "Graphic.h"

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TGraphic {
    Z_CLASS(TBitmap, TGraphic)
public:
    TBitmap();
    TBitmap(Integer width, Integer height, TPixelFormat format = pf24bit);
    ~TBitmap() override;

    // --- construction and assignment
    // From another bitmap a copy of the pixels; from any other graphic its picture drawn on a
    // bitmap of its size (a subclass of TGraphic may do better in its AssignTo).
    void Assign(TPersistent* source) override;

    // --- size and format
    bool Empty() const override { return width_ <= 0 || height_ <= 0; }
    Integer Width() const override { return width_; }
    Integer Height() const override { return height_; }
    void SetWidth(Integer value) override { SetSize(value, height_); }
    void SetHeight(Integer value) override { SetSize(width_, value); }
    // Keeps the old picture at the top left; new area is white.
    void SetSize(Integer width, Integer height) override;
    TPixelFormat PixelFormat() const { return pixelFormat_; }
    // Converts the pixels to the new format.
    void SetPixelFormat(TPixelFormat value);
    Integer BitsPerPixel() const { return bitCount_; }
    bool Monochrome() const { return bitCount_ == 1; }
    void SetMonochrome(bool value);

    // --- handle
    // The DIB section, created on demand (nullptr for an empty bitmap). The bitmap keeps
    // owning it; it is deselected from the canvas first, so it can be used with any DC.
    HBITMAP Handle();
    bool HandleAllocated() const { return dib_ != nullptr; }
    // Takes ownership of a bitmap handle (a device-dependent bitmap is converted).
    void SetHandle(HBITMAP value);
    // Hands the DIB section over to the caller; the bitmap keeps a copy of its pixels.
    HBITMAP ReleaseHandle();
    // Frees the GDI objects and keeps the pixels in memory.
    void Dormant();
    TCanvas* Canvas();

    // --- pixels
    // The address of a row; row 0 is the top row. Rows are BitsPerPixel * Width bits, padded
    // to four bytes. Raises EInvalidGraphicOperation for a row outside the bitmap.
    void* ScanLine(Integer row);
    Integer RowSize() const { return stride_; }

    // --- transparency
    // tmAuto: the bottom-left pixel; tmFixed: the colour set with SetTransparentColor.
    TColor TransparentColor();
    void SetTransparentColor(TColor value);
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode value);

    // --- streams and resources
    // A BMP file (file header, info header, colour table, rows).
    void LoadFromStream(TStream* stream) override;
    void SaveToStream(TStream* stream) override;
    // A bitmap resource (RT_BITMAP); raises EResNotFound when there is none by that name.
    void LoadFromResourceName(HINSTANCE instance, const String& name);
    void LoadFromResourceID(HINSTANCE instance, int id);
    // Form descriptions hold a 32-bit length followed by the BMP file.
    void ReadData(TStream* stream) override;
    void WriteData(TStream* stream) override;
    // A BMP file in memory; the packed form (no file header) is that of resources.
    void LoadFromBmpData(const Byte* data, size_t size, bool withFileHeader = true);
    std::vector<Byte> SaveToBmpData();

    // --- drawing
    void Draw(TCanvas* canvas, const TRect& r) override;

private:
    friend class TBitmapCanvas;
    void HandleNeeded();
    void FreeContext();
    void ReplaceImage(HBITMAP dib, Byte* bits, Integer width, Integer height, TPixelFormat format);
    static HBITMAP CreateSection(Integer width, Integer height, TPixelFormat format, const std::vector<RGBQUAD>& colors,
                                 Byte** bits);
    void Reformat(Integer width, Integer height, TPixelFormat format);
    void CanvasChanged(TObject* sender) { Changed(this); }
    std::vector<RGBQUAD> ColorTable();

    HBITMAP dib_ = nullptr;
    Byte* bits_ = nullptr;
    Integer width_ = 0, height_ = 0, stride_ = 0;
    TPixelFormat pixelFormat_ = pfDevice;
    Integer bitCount_ = 0;
    std::vector<Byte> dormantBits_;
    std::vector<RGBQUAD> dormantColors_;
    TCanvas* canvas_ = nullptr;
    TColor transparentColor_ = clDefault;
    TTransparentMode transparentMode_ = tmAuto;
    Integer xPelsPerMeter_ = 0, yPelsPerMeter_ = 0;
};

// Bits per pixel of a format (pfDevice: the screen's).
Integer PixelFormatBits(TPixelFormat format);
