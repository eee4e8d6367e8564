#include "GLTextureImage.h"

#include <algorithm>

#include "ApplicationFileIO.h"
#include "Bitmap.h"
#include "Format.h"
#include "GLTexture.h"
#include "GLUtils.h"
#include "PictureRegisteredFormats.h"
#include "StringList.h"
#include "SysUtils.h"

namespace {

const wchar_t kCouldNotOpenFile[] = L"Could not open file: %s";

std::vector<TGLTextureImageClass>& Registry() {
    static std::vector<TGLTextureImageClass> registry;
    return registry;
}

// Runs f on the picture with its change event suspended, so the image is not invalidated by
// its own reading.
template <class F>
void WithoutChangeEvent(TPicture* picture, F f) {
    const TNotifyEvent saved = picture->OnChange;
    picture->OnChange = nullptr;
    try {
        f(picture);
    } catch (...) {
        picture->OnChange = saved;
        throw;
    }
    picture->OnChange = saved;
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
    for (TGLTextureImageClass cls : {TGLBlankImage::StaticClass(), TGLPersistentImage::StaticClass(),
                                     TGLPicFileImage::StaticClass(), TGLCubeMapImage::StaticClass(),
                                     TGLFloatDataImage::StaticClass()}) {
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

// --- picture

TGLPictureImage::~TGLPictureImage() {
    bitmap_.reset();
    FreeAndNil(picture_);
}

TPicture* TGLPictureImage::Picture() {
    if (!picture_) {
        picture_ = new TPicture;
        picture_->OnChange = MakeEvent(this, &TGLPictureImage::PictureChanged);
    }
    return picture_;
}

template <class F>
void TGLPictureImage::Quietly(F f) {
    WithoutChangeEvent(Picture(), f);
}

void TGLPictureImage::Assign(TPersistent* source) {
    if (auto* persistent = As<TGLPersistentImage>(source)) {
        Picture()->Assign(persistent->Picture());
    } else if (Is<TGraphic>(source) || Is<TPicture>(source)) {
        Picture()->Assign(source);
    } else if (auto* buffer = As<TGLBitmap32>(source)) {
        std::unique_ptr<TBitmap> bitmap(buffer->ToPlatformBitmap());
        Picture()->SetGraphic(bitmap.get());
    } else {
        TGLTextureImage::Assign(source);
    }
}

Integer TGLPictureImage::ImageWidth() const { return picture_ ? picture_->Width() : 0; }
Integer TGLPictureImage::ImageHeight() const { return picture_ ? picture_->Height() : 0; }

TGLBitmap32* TGLPictureImage::BuildBitmap32(GLenum) {
    if (!bitmap_) {
        auto bitmap = std::make_unique<TGLBitmap32>();
        Quietly([&](TPicture* picture) { bitmap->Assign(picture->Graphic()); });
        bitmap_ = std::move(bitmap);
    }
    return bitmap_.get();
}

// --- persistent

void TGLPersistentImage::SaveToFile(const String& fileName) { Picture()->SaveToFile(fileName); }

void TGLPersistentImage::LoadFromFile(const String& fileName) {
    const String name = ResolveFileName(fileName);
    if (FileIOHooksActive()) {
        std::unique_ptr<TGraphic> graphic(LoadGraphicFromFile(name));
        if (graphic) {
            Picture()->SetGraphic(graphic.get());
            return;
        }
    } else if (FileExists(name)) {
        Picture()->LoadFromFile(name);
        return;
    }
    Picture()->SetGraphic(nullptr);
    throw ETexture(Format(kCouldNotOpenFile, {fileName}));
}

// --- picture file

void TGLPicFileImage::Assign(TPersistent* source) {
    if (auto* other = As<TGLPicFileImage>(source)) SetPictureFileName(other->fileName_);
    else TGLPictureImage::Assign(source);
}

void TGLPicFileImage::SetPictureFileName(const String& value) {
    if (value == fileName_) return;
    fileName_ = value;
    alreadyWarned_ = false;
    // The size belongs to the old file until the new one is built.
    width_ = height_ = 0;
    Invalidate();
}

void TGLPicFileImage::Invalidate() {
    Quietly([](TPicture* picture) { picture->SetGraphic(nullptr); });
    TGLPictureImage::DropBitmap32();
    TGLPictureImage::Invalidate();
}

TGLBitmap32* TGLPicFileImage::BuildBitmap32(GLenum target) {
    // The picture is emptied after every build, so it is read again whenever a texture needs
    // its pixels (a new file name, a re-upload after a parameter change or a lost context).
    if (!fileName_.empty() && !Picture()->Graphic()) {
        Quietly([&](TPicture* picture) {
            const String name = ResolveFileName(fileName_);
            if (HookedFileExists(name)) {
                std::unique_ptr<TGraphic> graphic(LoadGraphicFromFile(name));
                picture->SetGraphic(graphic.get());
            } else {
                picture->SetGraphic(nullptr);
                if (!alreadyWarned_) {
                    alreadyWarned_ = true;
                    AssertionFailed(Format(kCouldNotOpenFile, {fileName_}), __FILE__, __LINE__);
                }
            }
        });
    }
    TGLBitmap32* bitmap = TGLPictureImage::BuildBitmap32(target);
    width_ = bitmap->Width();
    height_ = bitmap->Height();
    Quietly([](TPicture* picture) { picture->SetGraphic(nullptr); });
    return bitmap;
}

void TGLPicFileImage::SaveToFile(const String& fileName) { SaveTextToFile(fileName, StringToAnsi(fileName_)); }

void TGLPicFileImage::LoadFromFile(const String& fileName) {
    TGLTextureImage::LoadFromFile(fileName);
    String name = fileName;
    if (FileSizeOf(fileName) < 512) {
        const AnsiString content = LoadTextFromFile(fileName);
        // A missing or empty file names nothing: the name is kept so that the build warns.
        if (!content.empty() && content.find('\0') == AnsiString::npos) name = AnsiToString(content);
    }
    SetPictureFileName(name);
}

// --- cube map

TGLCubeMapImage::TGLCubeMapImage(TPersistent* owner) : TGLTextureImage(owner) {
    for (TPicture*& picture : pictures_) {
        picture = new TPicture;
        picture->OnChange = MakeEvent(this, &TGLCubeMapImage::PictureChanged);
    }
}

TGLCubeMapImage::~TGLCubeMapImage() {
    bitmap_.reset();
    for (TPicture*& picture : pictures_) FreeAndNil(picture);
}

void TGLCubeMapImage::Assign(TPersistent* source) {
    if (auto* other = As<TGLCubeMapImage>(source)) {
        for (int i = 0; i < 6; ++i) pictures_[i]->Assign(other->pictures_[i]);
        Invalidate();
    } else {
        TGLTextureImage::Assign(source);
    }
}

TGLBitmap32* TGLCubeMapImage::BuildBitmap32(GLenum target) {
    int index = 0;
    switch (target) {
        case GL_TEXTURE_CUBE_MAP_NEGATIVE_X: index = 1; break;
        case GL_TEXTURE_CUBE_MAP_POSITIVE_Y: index = 2; break;
        case GL_TEXTURE_CUBE_MAP_NEGATIVE_Y: index = 3; break;
        case GL_TEXTURE_CUBE_MAP_POSITIVE_Z: index = 4; break;
        case GL_TEXTURE_CUBE_MAP_NEGATIVE_Z: index = 5; break;
        default: break;
    }
    bitmap_.reset();
    auto bitmap = std::make_unique<TGLBitmap32>();
    bitmap->SetRowFlip(true);
    WithoutChangeEvent(pictures_[index], [&](TPicture* picture) { bitmap->Assign(picture->Graphic()); });
    bitmap_ = std::move(bitmap);
    return bitmap_.get();
}

void TGLCubeMapImage::SaveToFile(const String& fileName) {
    std::unique_ptr<TStream> stream = CreateHookedFileStream(fileName, fmCreate);
    const Word signature = 256;
    stream->WriteBuffer(&signature, 2);
    for (TPicture* picture : pictures_) {
        TBitmap bitmap;
        if (picture->Graphic()) bitmap.Assign(picture->Graphic());
        bitmap.SaveToStream(stream.get());
    }
}

void TGLCubeMapImage::LoadFromFile(const String& fileName) {
    std::unique_ptr<TStream> stream = CreateHookedFileStream(fileName, fmOpenReadDenyWrite);
    Word signature = 0;
    stream->ReadBuffer(&signature, 2);
    Assert(signature == 256, L"Assertion failure");
    for (TPicture* picture : pictures_) {
        TBitmap bitmap;
        bitmap.LoadFromStream(stream.get());
        picture->SetGraphic(&bitmap);
    }
}
