#include "Graphic.h"

#include <cstring>

#include "Bitmap.h"
#include "Filer.h"
#include "Streams.h"

void TGraphic::SetSize(Integer width, Integer height) {
    SetWidth(width);
    SetHeight(height);
}

void TGraphic::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    Changed(this);
}

void TGraphic::SetModified(bool value) {
    if (value)
        Changed(this);
    else
        modified_ = false;
}

void TGraphic::Changed(TObject*) {
    modified_ = true;
    if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const String& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const String& fileName) {
    TFileStream stream(fileName, fmCreate);
    SaveToStream(&stream);
}

TBytes TGraphic::ReadFramedData(TStream* stream, const String& invalidMessage) {
    std::int32_t size = 0;
    stream->ReadBuffer(&size, 4);
    if (size < 0 || size > stream->Size() - stream->Position()) throw EInvalidGraphic(invalidMessage);
    TBytes data(static_cast<size_t>(size));
    if (size) stream->ReadBuffer(data.data(), size);
    return data;
}

void TGraphic::WriteFramedData(TStream* stream, const TBytes& data) {
    std::int32_t size = std::int32_t(data.size());
    stream->WriteBuffer(&size, 4);
    if (size) stream->WriteBuffer(data.data(), size);
}

bool TGraphic::Equals(TGraphic* other) {
    if (!other || other->ClassType() != ClassType()) return false;
    if (Empty() || other->Empty()) return Empty() && other->Empty();
    TMemoryStream a, b;
    WriteData(&a);
    other->WriteData(&b);
    return a.Size() == b.Size() && std::memcmp(a.Memory(), b.Memory(), size_t(a.Size())) == 0;
}

void TGraphic::AssignTo(TPersistent* dest) {
    if (auto* bitmap = As<TBitmap>(dest)) {
        bitmap->SetSize(0, 0);
        if (bitmap->PixelFormat() == pfDevice) bitmap->SetPixelFormat(pf24bit);
        bitmap->SetSize(Width(), Height());
        if (!Empty()) bitmap->Canvas()->Draw(0, 0, this);
        return;
    }
    TPersistent::AssignTo(dest);
}

void TGraphic::DefineProperties(TFiler* filer) {
    inherited::DefineProperties(filer);
    filer->DefineBinaryProperty(
        L"Data", [this](TStream* s) { ReadData(s); }, [this](TStream* s) { WriteData(s); }, !Empty());
}
