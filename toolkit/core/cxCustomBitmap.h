#pragma once
// The toolkit's bitmap: a platform bitmap with a canvas wrapper of its own, a change lock that
// folds many changes into one notification, rotation, and an optional run-length compressed
// form of its stored data ("XDBM"), in which image lists keep their images in form
// descriptions.
//
// Sections: TcxCustomBitmap · the compressed stream.

#include <vector>

#include "Bitmap.h"

class TcxCanvas;

class TcxCustomBitmap : public TBitmap {
    Z_CLASS(TcxCustomBitmap, TBitmap)
public:
    TcxCustomBitmap() : TcxCustomBitmap(0, 0, pf24bit) {}
    TcxCustomBitmap(int width, int height, TPixelFormat format = pf24bit);
    ~TcxCustomBitmap() override;
    static TcxCustomBitmap* CreateEmpty() { return new TcxCustomBitmap(); }
    static TcxCustomBitmap* CreateOfSize(int width, int height) { return new TcxCustomBitmap(width, height); }
    static TcxCustomBitmap* CreateForRect(const TRect& r) { return new TcxCustomBitmap(RectWidth(r), RectHeight(r)); }
    static TcxCustomBitmap* CreateForRectFormat(const TRect& r, TPixelFormat format) {
        return new TcxCustomBitmap(RectWidth(r), RectHeight(r), format);
    }

    TcxCanvas* cxCanvas() const { return cxCanvas_; }
    // When set, the stored data is written in the compressed form.
    bool CompressData() const { return compressData_; }
    void SetCompressData(bool value) { compressData_ = value; }

    // Change lock: notifications wait for the outermost EndChange, which gives one when a
    // change happened meanwhile or when asked to.
    void BeginChange() { ++changeLockCount_; }
    void EndChange(bool notify = true);
    bool IsChangeLocked() const { return changeLockCount_ > 0; }
    void Changed(TObject* sender) override;
    void SetSize(Integer width, Integer height) override;

    // Fills the whole bitmap with black (alpha 0).
    virtual void ClearBitmap();
    void CopyBitmap(TBitmap* source, DWORD rop = SRCCOPY);
    void CopyBitmapRect(TBitmap* source, const TRect& dest, DWORD rop, const TPoint& sourcePoint);
    // Mode 0 none (mirror: vertical flip), 1 quarter turn counter-clockwise (mirror: transpose),
    // 2 quarter turn clockwise (mirror: the other diagonal), 3 half turn (mirror: left-right).
    void Rotate(int mode, bool mirror = false);
    TRect GetImageRect() { return TRect{0, 0, Width(), Height()}; }

    void ReadData(TStream* stream) override;
    void WriteData(TStream* stream) override;

protected:
    // Called after every notified change; keeps size-dependent data in step.
    virtual void BitmapResized() {}

private:
    bool compressData_ = false;
    TcxCanvas* cxCanvas_ = nullptr;
    int changeLockCount_ = 0;
    bool changedWhileLocked_ = false;
};

// ---- the compressed stream -----------------------------------------------------------------

// Packets of at most 125 bytes: a header with bit 7 set is followed by (header & $7F) literal
// bytes, any other header by one byte repeated header times. Encodes the source from its
// position to its end and returns the number of bytes written.
Integer EncodeRunLength(TStream* source, TStream* dest);
// Decodes size encoded bytes from source into dest; never reads past size.
void DecodeRunLength(TStream* source, Integer size, TStream* dest);
