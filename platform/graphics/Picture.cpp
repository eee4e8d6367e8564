#include "Picture.h"

#include "Bitmap.h"
#include "Filer.h"
#include "Format.h"
#include "Streams.h"
#include "SysUtils.h"

namespace {

std::vector<TFileFormat>& Formats() {
    static std::vector<TFileFormat> formats;
    return formats;
}

String NormalExtension(const String& extension) {
    String ext = !extension.empty() && extension[0] == L'.' ? extension.substr(1) : extension;
    return LowerCase(ext);
}

TGraphic* NewGraphic(TGraphicClass cls) {
    TObject* object = cls->Create();
    auto* graphic = As<TGraphic>(object);
    if (!graphic) {
        FreeObject(object);
        throw EInvalidGraphic(cls->ClassName() + L" is not a graphic class");
    }
    return graphic;
}

}  // namespace

TPicture::~TPicture() { FreeObject(graphic_); }

// --- the format registry

void TPicture::RegisterFileFormat(const String& extension, const String& description, TGraphicClass graphicClass) {
    Assert(graphicClass && graphicClass->InheritsFrom(TGraphic::StaticClass()),
           L"RegisterFileFormat needs a graphic class");
    String ext = NormalExtension(extension);
    RegisterClass(graphicClass);  // so that stored pictures find it by name
    for (TFileFormat& format : Formats())
        if (format.extension == ext) {
            format.description = description;
            format.graphicClass = graphicClass;
            return;
        }
    Formats().push_back(TFileFormat{ext, description, graphicClass});
}

void TPicture::UnregisterGraphicClass(TGraphicClass graphicClass) {
    auto& formats = Formats();
    std::erase_if(formats, [&](const TFileFormat& f) { return f.graphicClass->InheritsFrom(graphicClass); });
}

const std::vector<TFileFormat>& TPicture::FileFormats() { return Formats(); }

TGraphicClass TPicture::GraphicClassForExtension(const String& extension) {
    String ext = NormalExtension(extension);
    if (ext.empty()) return nullptr;
    for (const TFileFormat& format : Formats())
        if (format.extension == ext) return format.graphicClass;
    return nullptr;
}

// --- the graphic

void TPicture::ReplaceGraphic(TGraphic* graphic) {
    TGraphic* old = graphic_;
    graphic_ = graphic;
    if (graphic_) graphic_->OnChange = MakeEvent(this, &TPicture::Changed);
    FreeObject(old);
    Changed(this);
}

void TPicture::Changed(TObject*) {
    if (OnChange) OnChange(this);
}

void TPicture::SetGraphic(TGraphic* value) {
    if (value == graphic_) return;
    TGraphic* copy = nullptr;
    if (value) {
        copy = NewGraphic(value->ClassType());
        try {
            copy->Assign(value);
        } catch (...) {
            FreeObject(copy);
            throw;
        }
    }
    ReplaceGraphic(copy);
}

TBitmap* TPicture::Bitmap() {
    if (!Is<TBitmap>(graphic_)) ReplaceGraphic(new TBitmap);
    return static_cast<TBitmap*>(graphic_);
}

void TPicture::LoadFromFile(const String& fileName) {
    const String ext = ExtractFileExt(fileName);
    TGraphicClass cls = GraphicClassForExtension(ext);
    if (!cls) throw EInvalidGraphic(Format(L"Unknown picture file extension (%s)", {ext}));
    TGraphic* graphic = NewGraphic(cls);
    try {
        graphic->LoadFromFile(fileName);
    } catch (...) {
        FreeObject(graphic);
        throw;
    }
    ReplaceGraphic(graphic);
}

void TPicture::SaveToFile(const String& fileName) {
    if (graphic_) graphic_->SaveToFile(fileName);
}

void TPicture::Assign(TPersistent* source) {
    if (!source)
        SetGraphic(nullptr);
    else if (auto* picture = As<TPicture>(source))
        SetGraphic(picture->Graphic());
    else if (auto* graphic = As<TGraphic>(source))
        SetGraphic(graphic);
    else
        TPersistent::Assign(source);
}

void TPicture::AssignTo(TPersistent* dest) {
    if (auto* graphic = As<TGraphic>(dest))
        graphic->Assign(graphic_);
    else
        TPersistent::AssignTo(dest);
}

// --- the stored form

void TPicture::ReadData(TStream* stream) {
    Byte length = 0;
    stream->ReadBuffer(&length, 1);
    AnsiString name(length, '\0');
    if (length) stream->ReadBuffer(name.data(), length);
    if (name.empty()) {
        ReplaceGraphic(nullptr);
        return;
    }
    const String className(name.begin(), name.end());
    TGraphicClass cls = nullptr;
    for (const TFileFormat& format : Formats())
        if (SameText(format.graphicClass->ClassName(), className)) cls = format.graphicClass;
    if (!cls) cls = GetClass(className);
    if (!cls || !cls->InheritsFrom(TGraphic::StaticClass()))
        throw EInvalidGraphic(Format(L"Unknown picture class %s", {className}));
    TGraphic* graphic = NewGraphic(cls);
    try {
        graphic->ReadData(stream);
    } catch (...) {
        FreeObject(graphic);
        throw;
    }
    ReplaceGraphic(graphic);
}

void TPicture::WriteData(TStream* stream) {
    AnsiString name;
    if (graphic_)
        for (wchar_t c : graphic_->ClassName()) name += char(c);  // class names are ASCII
    Byte length = Byte(name.size());
    stream->WriteBuffer(&length, 1);
    if (length) stream->WriteBuffer(name.data(), length);
    if (graphic_) graphic_->WriteData(stream);
}

void TPicture::DefineProperties(TFiler* filer) {
    inherited::DefineProperties(filer);
    filer->DefineBinaryProperty(
        L"Data", [this](TStream* s) { ReadData(s); }, [this](TStream* s) { WriteData(s); }, graphic_ != nullptr);
}
