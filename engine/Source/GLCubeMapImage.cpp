#include "GLCubeMapImage.h"

#include "ApplicationFileIO.h"
#include "Bitmap.h"
#include "Format.h"
#include "GLTexture.h"
#include "GLUtils.h"
#include "StringList.h"
#include "SysUtils.h"

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
        case GL_TEXTURE_CUBE_MAP_NEGATIVE_X:
            index = 1;
            break;
        case GL_TEXTURE_CUBE_MAP_POSITIVE_Y:
            index = 2;
            break;
        case GL_TEXTURE_CUBE_MAP_NEGATIVE_Y:
            index = 3;
            break;
        case GL_TEXTURE_CUBE_MAP_POSITIVE_Z:
            index = 4;
            break;
        case GL_TEXTURE_CUBE_MAP_NEGATIVE_Z:
            index = 5;
            break;
        default:
            break;
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
