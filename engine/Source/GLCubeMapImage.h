#pragma once
// The cube-map texture image (TGLCubeMapImage): six pictures, one a face.

#include <array>
#include <memory>

#include "GLTextureImage.h"
#include "Picture.h"

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
