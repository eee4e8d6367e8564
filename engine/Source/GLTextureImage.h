#pragma once
// Texture images: the pixel sources of a texture. Each kind knows its size and builds the
// 32-bit buffer to upload for an OpenGL target. The kinds register by class name so that a
// texture can switch its image kind by name.
//
// Here: the kind metaclass (TGLTextureImageMetaClass, TGLTextureImageClass) and registry, the
// base TGLTextureImage, and the kinds that are only a size: TGLSizedImage, TGLBlankImage,
// TGLFloatDataImage. The kinds that hold pictures are in GLPictureImages.h (TGLPictureImage,
// TGLPersistentImage, TGLPicFileImage) and GLCubeMapImage.h (TGLCubeMapImage).
//
// Sections: the kind metaclass and registry; the base; blank and float data (sizes); float data.

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

    static constexpr wchar_t kCouldNotOpenFile[] = L"Could not open file: %s";

    // Runs f on the picture with its change event suspended, so the image is not invalidated by
    // its own reading.
    template <class F>
    static void WithoutChangeEvent(TPicture* picture, F f) {
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

// moved: the picture kinds are in GLPictureImages.h, the cube map in GLCubeMapImage.h; included
// here until no file expects them from this header.
#include "GLPictureImages.h"
#include "GLCubeMapImage.h"
