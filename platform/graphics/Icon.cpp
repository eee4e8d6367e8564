#include "Icon.h"

#include <cstring>

#include "Canvas.h"

namespace {

const wchar_t kInvalidIcon[] = L"Icon image is not valid";

// The icon made from the best image of an .ico file: the one closest to the wanted size,
// the deepest colour among those.
HICON IconFromFile(const TBytes& data) {
    auto u16 = [&](size_t at) {
        std::uint16_t v;
        std::memcpy(&v, &data[at], 2);
        return v;
    };
    auto u32 = [&](size_t at) {
        std::uint32_t v;
        std::memcpy(&v, &data[at], 4);
        return v;
    };
    if (data.size() < 6 || u16(0) != 0 || u16(2) != 1 || u16(4) == 0) throw EInvalidGraphic(kInvalidIcon);
    const size_t count = u16(4);
    if (data.size() < 6 + 16 * count) throw EInvalidGraphic(kInvalidIcon);
    const int wanted = GetSystemMetrics(SM_CXICON);
    size_t best = count;
    int bestScore = 0;
    for (size_t i = 0; i < count; ++i) {
        const size_t entry = 6 + 16 * i;
        const int size = data[entry] ? data[entry] : 256;
        const std::uint32_t bytes = u32(entry + 8), offset = u32(entry + 12);
        if (bytes == 0 || offset > data.size() || bytes > data.size() - offset) continue;
        const int score = -std::abs(size - wanted) * 64 + u16(entry + 6);
        if (best == count || score > bestScore) best = i, bestScore = score;
    }
    if (best == count) throw EInvalidGraphic(kInvalidIcon);
    const size_t entry = 6 + 16 * best;
    const int width = data[entry] ? data[entry] : 256, height = data[entry + 1] ? data[entry + 1] : 256;
    std::vector<Byte> image(data.begin() + u32(entry + 12), data.begin() + u32(entry + 12) + u32(entry + 8));
    HICON icon = CreateIconFromResourceEx(image.data(), DWORD(image.size()), TRUE, 0x00030000, width, height, 0);
    if (!icon) throw EInvalidGraphic(kInvalidIcon);
    return icon;
}

}  // namespace

TIcon::~TIcon() {
    if (handle_) DestroyIcon(handle_);
}

void TIcon::Replace(HICON handle, TBytes data) {
    if (handle_ && handle_ != handle) DestroyIcon(handle_);
    handle_ = handle;
    data_ = std::move(data);
    width_ = height_ = 0;
    ICONINFO info{};
    if (handle_ && GetIconInfo(handle_, &info)) {
        BITMAP bm{};
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
        width_ = bm.bmWidth;
        height_ = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;  // a monochrome mask holds both halves
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
    }
    Changed(this);
}

void TIcon::Assign(TPersistent* source) {
    if (source == this) return;
    if (!source) {
        Replace(nullptr, {});
    } else if (auto* icon = As<TIcon>(source)) {
        Replace(icon->handle_ ? CopyIcon(icon->handle_) : nullptr, icon->data_);
    } else {
        TGraphic::Assign(source);
    }
}

void TIcon::SetWidth(Integer value) {
    if (value != width_) throw EInvalidGraphicOperation(L"Cannot change the size of an icon");
}

void TIcon::SetHeight(Integer value) {
    if (value != height_) throw EInvalidGraphicOperation(L"Cannot change the size of an icon");
}

void TIcon::SetHandle(HICON value) {
    if (value == handle_) return;
    Replace(value, {});
}

HICON TIcon::ReleaseHandle() {
    HICON result = handle_;
    handle_ = nullptr;
    Replace(nullptr, {});
    return result;
}

void TIcon::LoadFromStream(TStream* stream) {
    const Int64 size = stream->Size() - stream->Position();
    if (size <= 0 || size > 0x1000000) throw EInvalidGraphic(kInvalidIcon);
    TBytes data(static_cast<size_t>(size));
    stream->ReadBuffer(data.data(), Integer(size));
    HICON icon = IconFromFile(data);
    Replace(icon, std::move(data));
}

void TIcon::SaveToStream(TStream* stream) {
    if (Empty()) return;
    if (data_.empty()) throw EInvalidGraphicOperation(L"Cannot save an icon that was not read from a file");
    stream->WriteBuffer(data_.data(), Integer(data_.size()));
}

void TIcon::ReadData(TStream* stream) {
    TBytes data = ReadFramedData(stream, kInvalidIcon);
    if (data.empty()) {
        Replace(nullptr, {});
        return;
    }
    HICON icon = IconFromFile(data);
    Replace(icon, std::move(data));
}

void TIcon::WriteData(TStream* stream) { WriteFramedData(stream, data_); }

void TIcon::LoadFromResourceName(HINSTANCE instance, const String& name) {
    HICON icon = static_cast<HICON>(LoadImageW(instance, name.c_str(), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    if (!icon) throw EResNotFound(L"Resource " + name + L" not found");
    Replace(icon, {});
}

void TIcon::Draw(TCanvas* canvas, const TRect& r) {
    if (handle_)
        DrawIconEx(canvas->Handle(), r.left, r.top, handle_, RectWidth(r), RectHeight(r), 0, nullptr, DI_NORMAL);
}
