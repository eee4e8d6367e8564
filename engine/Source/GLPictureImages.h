#pragma once
// The texture-image kinds that hold a platform picture: TGLPictureImage (the base),
// TGLPersistentImage (stored with the form data) and TGLPicFileImage (read from a named file).

#include <memory>

#include "GLTextureImage.h"
#include "Picture.h"

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
