// Sections: construction and change lock · copying and rotation · stored form · run-length
// coding · pixel transfer.

#include "cxCustomBitmap.h"

#include <cstring>
#include <memory>

#include "cxGraphics.h"

namespace {

constexpr char kSignature[4] = {'X', 'D', 'B', 'M'};
constexpr Word kVersion = 1;
constexpr Integer kMaxPacket = 125;

}  // namespace

// ---- construction and change lock ----------------------------------------------------------

TcxCustomBitmap::TcxCustomBitmap(int width, int height, TPixelFormat format) {
    cxCanvas_ = new TcxCanvas(Canvas());
    BeginChange();
    SetPixelFormat(format);
    TBitmap::SetSize(width, height);
    EndChange(true);
}

TcxCustomBitmap::~TcxCustomBitmap() { delete cxCanvas_; }

void TcxCustomBitmap::EndChange(bool notify) {
    if (changeLockCount_ > 0) --changeLockCount_;
    if (changeLockCount_ == 0 && (notify || changedWhileLocked_)) Changed(this);
}

void TcxCustomBitmap::Changed(TObject* sender) {
    if (IsChangeLocked()) {
        changedWhileLocked_ = true;
        return;
    }
    TBitmap::Changed(sender);
    BitmapResized();
    changedWhileLocked_ = false;
}

void TcxCustomBitmap::SetSize(Integer width, Integer height) {
    BeginChange();
    TBitmap::SetSize(width, height);
    EndChange(false);
}

void TcxCustomBitmap::ClearBitmap() {
    if (Empty()) return;
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clBlack);
    canvas->FillRect(GetImageRect());
}

// ---- copying and rotation ------------------------------------------------------------------

void TcxCustomBitmap::CopyBitmap(TBitmap* source, DWORD rop) {
    CopyBitmapRect(source, GetImageRect(), rop, TPoint{0, 0});
}

void TcxCustomBitmap::CopyBitmapRect(TBitmap* source, const TRect& dest, DWORD rop, const TPoint& sourcePoint) {
    HDC target = Canvas()->Handle();
    BitBlt(target, dest.left, dest.top, RectWidth(dest), RectHeight(dest), source->Canvas()->Handle(), sourcePoint.x,
           sourcePoint.y, rop);
    Changed(this);
}

void TcxCustomBitmap::Rotate(int mode, bool mirror) {
    if (mode == 0 && !mirror) return;
    int w = Width(), h = Height();
    if (w <= 0 || h <= 0) return;
    std::vector<RGBQUAD> source = GetBitmapPixelsTopDown(this);
    bool swapped = mode == 1 || mode == 2;
    int nw = swapped ? h : w;
    std::vector<RGBQUAD> target(source.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int tx = x, ty = y;
            switch (mode) {
                case 0: ty = h - 1 - y; break;
                case 1: tx = y; ty = mirror ? x : w - 1 - x; break;
                case 2: tx = h - 1 - y; ty = mirror ? w - 1 - x : x; break;
                default: tx = w - 1 - x; ty = mirror ? y : h - 1 - y; break;
            }
            target[size_t(ty) * size_t(nw) + size_t(tx)] = source[size_t(y) * size_t(w) + size_t(x)];
        }
    BeginChange();
    if (swapped) {
        SetHeight(0);
        SetWidth(h);
        SetHeight(w);
    }
    SetBitmapPixelsTopDown(this, target);
    EndChange(true);
}

// ---- stored form ---------------------------------------------------------------------------

void TcxCustomBitmap::WriteData(TStream* stream) {
    if (!compressData_) {
        TBitmap::WriteData(stream);
        return;
    }
    TMemoryStream plain;
    TBitmap::WriteData(&plain);
    plain.SetPosition(0);
    Int64 start = stream->Position();
    const Byte blank[10] = {};
    stream->WriteBuffer(blank, 10);
    Integer size = EncodeRunLength(&plain, stream);
    Int64 end = stream->Position();
    stream->SetPosition(start);
    stream->WriteData(size);
    stream->WriteBuffer(kSignature, 4);
    stream->WriteData(kVersion);
    stream->SetPosition(end);
}

void TcxCustomBitmap::ReadData(TStream* stream) {
    Int64 start = stream->Position();
    Integer size = 0;
    char signature[4] = {};
    Word version = 0;
    bool compressed = stream->Size() - start >= 10 && stream->Read(&size, 4) == 4 &&
                      stream->Read(signature, 4) == 4 && std::memcmp(signature, kSignature, 4) == 0 &&
                      stream->Read(&version, 2) == 2;
    if (!compressed) {
        stream->SetPosition(start);
        TBitmap::ReadData(stream);
        return;
    }
    // The version is not checked: later versions keep the same packets.
    TMemoryStream plain;
    DecodeRunLength(stream, size, &plain);
    plain.SetPosition(0);
    TBitmap::ReadData(&plain);
}

// ---- run-length coding ---------------------------------------------------------------------

Integer EncodeRunLength(TStream* source, TStream* dest) {
    Int64 available = source->Size() - source->Position();
    std::vector<Byte> data(size_t(available > 0 ? available : 0));
    if (!data.empty()) source->ReadBuffer(data.data(), Integer(data.size()));
    Integer written = 0;
    size_t i = 0, n = data.size();
    while (i < n) {
        Byte first = data[i];
        bool run = i + 1 < n && data[i + 1] == first;
        Integer count = 1;
        Byte previous = first;
        while (count < kMaxPacket && i + size_t(count) < n) {
            Byte next = data[i + size_t(count)];
            if (run) {
                if (next != previous) break;
                ++count;
            } else {
                if (next == previous) {
                    --count;  // the equal pair starts the next packet
                    break;
                }
                previous = next;
                ++count;
            }
        }
        if (run) {
            Byte packet[2] = {Byte(count), first};
            dest->WriteBuffer(packet, 2);
            written += 2;
        } else {
            Byte header = Byte(count | 0x80);
            dest->WriteBuffer(&header, 1);
            dest->WriteBuffer(&data[i], count);
            written += 1 + count;
        }
        i += size_t(count);
    }
    return written;
}

void DecodeRunLength(TStream* source, Integer size, TStream* dest) {
    if (size <= 0) return;
    std::vector<Byte> data(static_cast<size_t>(size));
    source->ReadBuffer(data.data(), size);
    std::vector<Byte> out;
    size_t i = 0, n = data.size();
    while (i < n) {
        Byte header = data[i++];
        if (header & 0x80) {
            size_t count = std::min<size_t>(header & 0x7F, n - i);
            out.insert(out.end(), data.begin() + Int64(i), data.begin() + Int64(i + count));
            i += count;
        } else {
            if (i >= n) break;
            out.insert(out.end(), header, data[i++]);
        }
    }
    if (!out.empty()) dest->WriteBuffer(out.data(), Integer(out.size()));
}

// ---- pixel transfer ------------------------------------------------------------------------

namespace {

BITMAPINFO TopDownHeader(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

}  // namespace

std::vector<RGBQUAD> GetBitmapPixelsTopDown(TBitmap* bitmap) {
    int w = bitmap->Width(), h = bitmap->Height();
    std::vector<RGBQUAD> pixels(size_t(w > 0 && h > 0 ? w * h : 0));
    if (pixels.empty()) return pixels;
    BITMAPINFO info = TopDownHeader(w, h);
    HBITMAP handle = bitmap->Handle();
    if (!GetDIBits(SharedScreenCanvas()->GetCanvasHandle(), handle, 0, UINT(h), pixels.data(), &info, DIB_RGB_COLORS) &&
        bitmap->PixelFormat() == pf32bit)
        for (int y = 0; y < h; ++y) std::memcpy(&pixels[size_t(y * w)], bitmap->ScanLine(y), size_t(w) * 4);
    return pixels;
}

void SetBitmapPixelsTopDown(TBitmap* bitmap, const std::vector<RGBQUAD>& pixels) {
    int w = bitmap->Width(), h = bitmap->Height();
    if (w <= 0 || h <= 0 || pixels.size() < size_t(w * h)) return;
    BITMAPINFO info = TopDownHeader(w, h);
    SetDIBits(SharedScreenCanvas()->GetCanvasHandle(), bitmap->Handle(), 0, UINT(h), pixels.data(), &info,
              DIB_RGB_COLORS);
}
