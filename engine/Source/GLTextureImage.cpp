#include "GLTextureImage.h"

#include <algorithm>

#include "ApplicationFileIO.h"
#include "Bitmap.h"
#include "Format.h"
#include "GLCubeMapImage.h"
#include "GLPictureImages.h"
#include "GLTexture.h"
#include "GLUtils.h"
#include "PictureRegisteredFormats.h"
#include "StringList.h"
#include "SysUtils.h"

namespace {

std::vector<TGLTextureImageClass>& Registry() {
    static std::vector<TGLTextureImageClass> registry;
    return registry;
}

}  // namespace

// --- the kind registry

void RegisterTextureImageClass(TGLTextureImageClass imageClass) { Registry().push_back(imageClass); }

TGLTextureImageClass FindTextureImageClass(const String& name) {
    for (TGLTextureImageClass cls : Registry())
        if (cls->ClassName() == name) return cls;
    return nullptr;
}

const std::vector<TGLTextureImageClass>& TextureImageClasses() { return Registry(); }

void InitializeGLTextureImage() {
    for (TGLTextureImageClass cls :
         {TGLBlankImage::StaticClass(), TGLPersistentImage::StaticClass(), TGLPicFileImage::StaticClass(),
          TGLCubeMapImage::StaticClass(), TGLFloatDataImage::StaticClass()}) {
        RegisterTextureImageClass(cls);
        RegisterClass(cls);
    }
}

void FinalizeGLTextureImage() { Registry().clear(); }

// --- the base

TGLTextureImage::TGLTextureImage(TPersistent* owner)
    : TGLUpdateAbleObject(owner), ownerTexture_(dynamic_cast<TGLTexture*>(owner)) {
    if (owner && !ownerTexture_) throw EConvertError(L"Invalid class typecast");
}

String TGLTextureImage::ResolveFileName(const String& fileName) {
    String name = fileName;
    if (OnTextureNeeded) OnTextureNeeded(this, name);
    return name;
}

void TGLTextureImage::LoadFromFile(const String& fileName) { ResolveFileName(fileName); }

void TGLTextureImage::ReportChange(TObject*) {
    if (!ownerTexture_) return;
    ownerTexture_->SetImageChangedFlag();
    ownerTexture_->ReportChange(this);
}

void TGLTextureImage::Invalidate() {
    DropBitmap32();
    ReportChange(this);
}

// --- blank and float data

void TGLSizedImage::AssignSize(const TGLSizedImage* other) {
    width_ = other->width_;
    height_ = other->height_;
    Invalidate();
}

void TGLBlankImage::Assign(TPersistent* source) {
    if (auto* other = As<TGLBlankImage>(source))
        AssignSize(other);
    else
        TGLTextureImage::Assign(source);
}

void TGLFloatDataImage::Assign(TPersistent* source) {
    if (auto* other = As<TGLFloatDataImage>(source))
        AssignSize(other);
    else
        TGLTextureImage::Assign(source);
}

void TGLSizedImage::SetWidth(Integer value) {
    if (value == width_) return;
    width_ = std::max(value, 1);
    Invalidate();
}

void TGLSizedImage::SetHeight(Integer value) {
    if (value == height_) return;
    height_ = std::max(value, 1);
    Invalidate();
}

TGLBitmap32* TGLSizedImage::BuildBitmap32(GLenum) {
    if (!bitmap_) {
        bitmap_ = std::make_unique<TGLBitmap32>();
        bitmap_->SetBlank(BlankBuffer());
        bitmap_->SetWidth(width_);
        bitmap_->SetHeight(height_);
    }
    return bitmap_.get();
}

void TGLSizedImage::SaveToFile(const String& fileName) {
    SaveTextToFile(fileName, AnsiString(FileSection()) + "\r\nWidth=" + std::to_string(width_) +
                                 "\r\nHeight=" + std::to_string(height_));
}

void TGLSizedImage::LoadFromFile(const String& fileName) {
    const String name = ResolveFileName(fileName);
    if (!HookedFileExists(name)) AssertionFailed(Format(kCouldNotOpenFile, {fileName}), __FILE__, __LINE__);
    TStringList lines;
    lines.LoadFromStream(CreateHookedFileStream(name, fmOpenReadDenyNone).get());
    width_ = StrToInt(lines.Values(L"Width"));
    height_ = StrToInt(lines.Values(L"Height"));
}
