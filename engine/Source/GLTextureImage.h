#pragma once
// Texture images: the pixel sources of a texture. Each kind knows its size and builds the
// 32-bit buffer to upload for an OpenGL target. The kinds register by class name so that a
// texture can switch its image kind by name.
//
// Sections: the kind metaclass and registry; the base; blank and float data (sizes); picture, persistent and
// picture-file; cube map; float data.

#include <array>
#include <memory>

#include "BaseClasses.h"
#include "GLGraphics.h"
#include "Picture.h"

class TGLTexture;

Z_EXCEPTION(ETexture, Exception)

// Called to resolve an image's file name; may change the name.
using TTextureNeededEvent = TEvent<void(TObject* sender, String& textureFileName)>;

// --- the kind metaclass and registry

class TGLTextureImageMetaClass : public TMetaClass {
public:
    using TMetaClass::TMetaClass;
    virtual String KindName() const = 0;
    // The kind's description; its name unless the kind says more.
    virtual String KindDescription() const = 0;
    virtual GLenum TextureTarget() const = 0;
};

template <class C>
class TMetaClassOf<TGLTextureImageMetaClass, C> final : public TGLTextureImageMetaClass {
public:
    using TGLTextureImageMetaClass::TGLTextureImageMetaClass;
    String KindName() const override { return C::KindName(); }
    String KindDescription() const override {
        const String description = C::KindDescription();
        return description.empty() ? C::KindName() : description;
    }
    GLenum TextureTarget() const override { return C::TextureTarget(); }
};

using TGLTextureImageClass = const TGLTextureImageMetaClass*;

void RegisterTextureImageClass(TGLTextureImageClass imageClass);
// The first registered kind whose class name is exactly name; nil when none.
TGLTextureImageClass FindTextureImageClass(const String& name);
// The registered kinds in order of registration.
const std::vector<TGLTextureImageClass>& TextureImageClasses();
// Unit start-up: the five kinds, in order.
void InitializeGLTextureImage();
void FinalizeGLTextureImage();

// --- the base

class TGLTextureImage : public TGLUpdateAbleObject {
    Z_CLASS_FAMILY(TGLTextureImage, TGLUpdateAbleObject, TGLTextureImageMetaClass)
public:
    // The owner is the texture the image belongs to (or none).
    explicit TGLTextureImage(TPersistent* owner);

    static String KindName() { return String(); }
    static String KindDescription() { return String(); }
    static GLenum TextureTarget() { return GL_TEXTURE_2D; }

    virtual Integer ImageHeight() const = 0;
    virtual Integer ImageWidth() const = 0;
    // The buffer to upload for the target; the image keeps it until DropBitmap32.
    virtual TGLBitmap32* BuildBitmap32(GLenum target) = 0;
    virtual void DropBitmap32() {}

    virtual void SaveToFile(const String& fileName) = 0;
    // The base only hands the name to the texture-needed callback.
    virtual void LoadFromFile(const String& fileName);
    // Drops the buffer and tells the texture that its image changed.
    virtual void Invalidate();
    // Tells the owning texture that its image changed.
    void ReportChange(TObject* sender) override;

    TGLTexture* OwnerTexture() const { return ownerTexture_; }
    TTextureNeededEvent OnTextureNeeded;

protected:
    // The file name passed through the texture-needed callback.
    String ResolveFileName(const String& fileName);

private:
    TGLTexture* ownerTexture_;
};

// --- blank and float data

// The kinds that are only a size (default 256 x 256): their pixels are left to OpenGL. Files
// hold a section name, then Width= and Height= lines.
class TGLSizedImage : public TGLTextureImage {
    Z_CLASS(TGLSizedImage, TGLTextureImage)
    Z_PUBLISHED {
        p.Property(L"Width", &TGLSizedImage::Width, &TGLSizedImage::SetWidth).Default(256);
        p.Property(L"Height", &TGLSizedImage::Height, &TGLSizedImage::SetHeight).Default(256);
    }

public:
    explicit TGLSizedImage(TPersistent* owner) : TGLTextureImage(owner) {}

    Integer ImageWidth() const override { return width_; }
    Integer ImageHeight() const override { return height_; }
    Integer Width() const { return width_; }
    Integer Height() const { return height_; }
    // A value of 0 or below becomes 1.
    void SetWidth(Integer value);
    void SetHeight(Integer value);

    TGLBitmap32* BuildBitmap32(GLenum target) override;
    void DropBitmap32() override { bitmap_.reset(); }
    void SaveToFile(const String& fileName) override;
    // Read through the engine's file hooks; sets the size as it is (no clamping, no
    // invalidation). A missing file fails an assertion.
    void LoadFromFile(const String& fileName) override;

protected:
    // Copies the size and invalidates.
    void AssignSize(const TGLSizedImage* other);
    virtual const char* FileSection() const = 0;
    // True for storage without pixel memory.
    virtual bool BlankBuffer() const = 0;

private:
    std::unique_ptr<TGLBitmap32> bitmap_;
    Integer width_ = 256, height_ = 256;
};

// An image of a given size whose pixels OpenGL receives unset.
class TGLBlankImage : public TGLSizedImage {
    Z_CLASS(TGLBlankImage, TGLSizedImage)
public:
    explicit TGLBlankImage(TPersistent* owner) : TGLSizedImage(owner) {}

    static String KindName() { return L"Blank Image"; }
    static String KindDescription() { return L"Blank Image (Width x Height)"; }
    // From another blank image: its size.
    void Assign(TPersistent* source) override;

protected:
    const char* FileSection() const override { return "[BlankImage]"; }
    bool BlankBuffer() const override { return false; }
};

// --- picture, persistent and picture-file

// An image held in a platform picture.
class TGLPictureImage : public TGLTextureImage {
    Z_CLASS(TGLPictureImage, TGLTextureImage)
public:
    explicit TGLPictureImage(TPersistent* owner) : TGLTextureImage(owner) {}
    ~TGLPictureImage() override;

    // A persistent image's picture, a graphic, a picture, or a 32-bit buffer (as a 32-bit
    // platform bitmap with its rows top-down again).
    void Assign(TPersistent* source) override;
    Integer ImageWidth() const override;
    Integer ImageHeight() const override;
    // Created on first use; every change of it invalidates the image.
    TPicture* Picture();
    void SetPicture(TPicture* value) { Picture()->Assign(value); }

    TGLBitmap32* BuildBitmap32(GLenum target) override;
    void DropBitmap32() override { bitmap_.reset(); }

protected:
    bool HasPicture() const { return picture_ != nullptr; }
    void PictureChanged(TObject*) { Invalidate(); }
    // Runs f with the picture's change event suspended.
    template <class F>
    void Quietly(F f);

private:
    std::unique_ptr<TGLBitmap32> bitmap_;
    TPicture* picture_ = nullptr;
};

// A picture stored with the form data.
class TGLPersistentImage : public TGLPictureImage {
    Z_CLASS(TGLPersistentImage, TGLPictureImage)
    Z_PUBLISHED { p.Property(L"Picture", &TGLPersistentImage::Picture); }

public:
    explicit TGLPersistentImage(TPersistent* owner) : TGLPictureImage(owner) {}

    static String KindName() { return L"Persistent Image"; }
    static String KindDescription() {
        return L"Image data is stored in its original format with other form resources,ie. in the DFM at "
               L"design-time, and embedded in the EXE at run-time.";
    }

    void SaveToFile(const String& fileName) override;
    // Through the file-IO hooks when they are active, else the picture's own loading; a file
    // that cannot be found clears the picture and raises ETexture "Could not open file: ...".
    void LoadFromFile(const String& fileName) override;
};

// A picture read from a named file when the texture first needs it. The pixels are not kept:
// after the build they live in the buffer and then in the OpenGL texture.
class TGLPicFileImage : public TGLPictureImage {
    Z_CLASS(TGLPicFileImage, TGLPictureImage)
    Z_PUBLISHED {
        p.Property(L"PictureFileName", &TGLPicFileImage::PictureFileName, &TGLPicFileImage::SetPictureFileName);
    }

public:
    explicit TGLPicFileImage(TPersistent* owner) : TGLPictureImage(owner) {}

    static String KindName() { return L"PicFile Image"; }
    static String KindDescription() { return L"Image data is retrieved from a file."; }

    void Assign(TPersistent* source) override;
    const String& PictureFileName() const { return fileName_; }
    void SetPictureFileName(const String& value);
    // The size of the last build (0 until then).
    Integer ImageWidth() const override { return width_; }
    Integer ImageHeight() const override { return height_; }

    void Invalidate() override;
    // Loads the file whenever the picture is empty; a missing file fails an assertion once per
    // name and then builds an empty buffer.
    TGLBitmap32* BuildBitmap32(GLenum target) override;
    // Writes the picture file name as the whole file.
    void SaveToFile(const String& fileName) override;
    // A short text file (below 512 bytes, no zero byte) names the picture file; any other
    // file is the picture file itself.
    void LoadFromFile(const String& fileName) override;

private:
    String fileName_;
    bool alreadyWarned_ = false;
    Integer width_ = 0, height_ = 0;
};

// --- cube map

// Six pictures: positive X, negative X, positive Y, negative Y, positive Z, negative Z.
class TGLCubeMapImage : public TGLTextureImage {
    Z_CLASS(TGLCubeMapImage, TGLTextureImage)
    Z_PUBLISHED {
        p.Property(L"PicturePX", &TGLCubeMapImage::PicturePX);
        p.Property(L"PictureNX", &TGLCubeMapImage::PictureNX);
        p.Property(L"PicturePY", &TGLCubeMapImage::PicturePY);
        p.Property(L"PictureNY", &TGLCubeMapImage::PictureNY);
        p.Property(L"PicturePZ", &TGLCubeMapImage::PicturePZ);
        p.Property(L"PictureNZ", &TGLCubeMapImage::PictureNZ);
    }

public:
    explicit TGLCubeMapImage(TPersistent* owner);
    ~TGLCubeMapImage() override;

    static String KindName() { return L"CubeMap Image"; }
    static GLenum TextureTarget() { return GL_TEXTURE_CUBE_MAP; }

    void Assign(TPersistent* source) override;
    // The positive-X picture's size.
    Integer ImageWidth() const override { return pictures_[0]->Width(); }
    Integer ImageHeight() const override { return pictures_[0]->Height(); }
    TPicture* Picture(Integer index) const { return pictures_[index]; }
    void SetPicture(Integer index, TPicture* value) { pictures_[index]->Assign(value); }
    TPicture* PicturePX() const { return pictures_[0]; }
    TPicture* PictureNX() const { return pictures_[1]; }
    TPicture* PicturePY() const { return pictures_[2]; }
    TPicture* PictureNY() const { return pictures_[3]; }
    TPicture* PicturePZ() const { return pictures_[4]; }
    TPicture* PictureNZ() const { return pictures_[5]; }

    // The picture of the face target (rows top-down); other targets take positive X.
    TGLBitmap32* BuildBitmap32(GLenum target) override;
    void DropBitmap32() override { bitmap_.reset(); }
    // The 16-bit value 256, then the six pictures as BMP files.
    void SaveToFile(const String& fileName) override;
    void LoadFromFile(const String& fileName) override;

private:
    void PictureChanged(TObject*) { Invalidate(); }
    std::unique_ptr<TGLBitmap32> bitmap_;
    std::array<TPicture*, 6> pictures_{};
};

// --- float data

// Storage of a given size that OpenGL fills.
class TGLFloatDataImage : public TGLSizedImage {
    Z_CLASS(TGLFloatDataImage, TGLSizedImage)
public:
    explicit TGLFloatDataImage(TPersistent* owner) : TGLSizedImage(owner) {}

    static String KindName() { return L"FloatData Image"; }
    static String KindDescription() { return L"Image to be dynamically generated by OpenGL"; }
    // From another float data image: its size.
    void Assign(TPersistent* source) override;

protected:
    const char* FileSection() const override { return "[FloatDataImage]"; }
    bool BlankBuffer() const override { return true; }
};
