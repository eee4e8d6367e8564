#include "GLPictureImages.h"

#include "ApplicationFileIO.h"
#include "Bitmap.h"
#include "Format.h"
#include "GLTexture.h"
#include "GLUtils.h"
#include "PictureRegisteredFormats.h"
#include "StringList.h"
#include "SysUtils.h"

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
    if (auto* other = As<TGLPicFileImage>(source))
        SetPictureFileName(other->fileName_);
    else
        TGLPictureImage::Assign(source);
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
