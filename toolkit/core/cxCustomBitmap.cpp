// Sections: construction and change lock · copying and rotation · stored form · run-length
// coding.

#include "cxCustomBitmap.h"

#include <cstring>
#include <memory>

#include "cxGraphics.h"
#include "cxImageStates.h"

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
    CopyDCRect(Canvas()->Handle(), source->Canvas()->Handle(), dest, rop, sourcePoint);
    Changed(this);
}

void TcxCustomBitmap::Rotate(int mode, bool mirror) {
    BeginChange();
    RotateBitmapPixels(cxCanvas_, this, mode, mirror);
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
    bool compressed = stream->Size() - start >= 10 && stream->Read(&size, 4) == 4 && stream->Read(signature, 4) == 4 &&
                      std::memcmp(signature, kSignature, 4) == 0 && stream->Read(&version, 2) == 2;
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
