#include <gtest/gtest.h>

#include <memory>

#include "ApplicationFileIO.h"
#include "GLTexture.h"
#include "GLUtils.h"
#include "SysUtils.h"
#include "ImageFixtures.h"
#include "TGA.h"
#include "TestSupport.h"

namespace {

class TextureImages : public testing::Test {
protected:
    // A 2 x 2 24-bit TGA, bottom-up: the first stored pixel is the bottom-left one.
    String WriteTga(const String& name, Byte red) {
        TFileBytes file = TgaHeader(2, 2, 2, 24);
        for (int i = 0; i < 4; ++i) Append(file, {0, 0, red});
        WriteBytesToFile(folder_.File(name), file);
        return folder_.File(name);
    }
    static std::string AssertionOf(const std::function<void()>& f) {
        try {
            f();
        } catch (const EAssertionFailed& e) {
            return Utf8(e.Message());
        }
        return "";
    }

    TTempFolder folder_;
    TGLTexture texture_{nullptr};
};

TEST_F(TextureImages, KindsAreRegisteredByExactClassName) {
    EXPECT_EQ(FindTextureImageClass(L"TGLPicFileImage"), TGLPicFileImage::StaticClass());
    EXPECT_EQ(FindTextureImageClass(L"tglpicfileimage"), nullptr);
    EXPECT_EQ(FindTextureImageClass(L"TGLPictureImage"), nullptr);  // intermediate, not registered
    std::vector<String> names;
    for (TGLTextureImageClass cls : TextureImageClasses()) names.push_back(cls->KindName());
    EXPECT_EQ(names, (std::vector<String>{L"Blank Image", L"Persistent Image", L"PicFile Image", L"CubeMap Image",
                                          L"FloatData Image"}));
    TGLTextureImageClass cube = TGLCubeMapImage::StaticClass();
    EXPECT_EQ(cube->KindDescription(), L"CubeMap Image");
    EXPECT_EQ(cube->TextureTarget(), GLenum(GL_TEXTURE_CUBE_MAP));
}

TEST_F(TextureImages, BlankAndFloatImagesAndTheirFiles) {
    TGLBlankImage blank(&texture_);
    blank.SetWidth(0);
    blank.SetHeight(-5);
    EXPECT_EQ(blank.Width(), 1);
    EXPECT_EQ(blank.Height(), 1);
    EXPECT_EQ(blank.BuildBitmap32(GL_TEXTURE_2D)->Width(), 4);

    blank.SetWidth(30);
    blank.SetHeight(7);
    blank.SaveToFile(folder_.File(L"blank.txt"));
    EXPECT_EQ(LoadTextFromFile(folder_.File(L"blank.txt")), "[BlankImage]\r\nWidth=30\r\nHeight=7");
    TGLBlankImage read(&texture_);
    read.LoadFromFile(folder_.File(L"blank.txt"));
    EXPECT_EQ(read.Width(), 30);
    EXPECT_EQ(read.Height(), 7);
    EXPECT_EQ(AssertionOf([&] {
                  read.LoadFromFile(folder_.File(L"none.txt"));
              }).rfind(Utf8(L"Could not open file: " + folder_.File(L"none.txt")), 0),
              0u);
    SaveTextToFile(folder_.File(L"bad.txt"), "[BlankImage]\r\nWidth=wide\r\nHeight=2");
    EXPECT_THROW(read.LoadFromFile(folder_.File(L"bad.txt")), EConvertError);

    TGLFloatDataImage floats(&texture_);
    TGLBitmap32* buffer = floats.BuildBitmap32(GL_TEXTURE_2D);
    EXPECT_TRUE(buffer->Blank());
    EXPECT_EQ(buffer->Data(), nullptr);
    EXPECT_EQ(buffer->Width(), 256);
    floats.SaveToFile(folder_.File(L"float.txt"));
    EXPECT_EQ(LoadTextFromFile(folder_.File(L"float.txt")), "[FloatDataImage]\r\nWidth=256\r\nHeight=256");
}

// The sizes of blank and float images, served from memory by the engine's file hooks.
TStream* SizedImageStream(const String& fileName, Word) {
    if (fileName == L"mem:blank.txt") return new TStringStream("[BlankImage]\r\nWidth=12\r\nHeight=34");
    if (fileName == L"mem:float.txt") return new TStringStream("[FloatDataImage]\r\nWidth=8\r\nHeight=2");
    return nullptr;
}
bool SizedImageExists(const String& fileName) { return fileName.rfind(L"mem:", 0) == 0; }

TEST_F(TextureImages, SizedImagesReadTheirFilesThroughTheHooksAndKeepToTheirKind) {
    CreateFileStreamHook = &SizedImageStream;
    FileStreamExistsHook = &SizedImageExists;
    TGLBlankImage blank(&texture_);
    TGLFloatDataImage floats(&texture_);
    blank.LoadFromFile(L"mem:blank.txt");
    floats.LoadFromFile(L"mem:float.txt");
    CreateFileStreamHook = nullptr;
    FileStreamExistsHook = nullptr;
    EXPECT_EQ(blank.Width(), 12);
    EXPECT_EQ(blank.Height(), 34);
    EXPECT_EQ(floats.Width(), 8);
    EXPECT_EQ(floats.Height(), 2);

    // A float image is no kind of blank image: neither takes the other's size.
    EXPECT_FALSE(floats.InheritsFrom(TGLBlankImage::StaticClass()));
    EXPECT_THROW(floats.Assign(&blank), EConvertError);
    EXPECT_THROW(blank.Assign(&floats), EConvertError);
    EXPECT_EQ(floats.Width(), 8);
    TGLFloatDataImage other(&texture_);
    other.Assign(&floats);
    EXPECT_EQ(other.Height(), 2);
}

TEST_F(TextureImages, PicFileNamesFromShortTextFiles) {
    TGLPicFileImage image(&texture_);
    SaveTextToFile(folder_.File(L"name.txt"), "grass.bmp");
    image.LoadFromFile(folder_.File(L"name.txt"));
    EXPECT_EQ(image.PictureFileName(), L"grass.bmp");

    SaveTextToFile(folder_.File(L"big.bin"), AnsiString(600, 'x'));
    image.LoadFromFile(folder_.File(L"big.bin"));
    EXPECT_EQ(image.PictureFileName(), folder_.File(L"big.bin"));

    // A missing file keeps its name, so that the build can say what is missing.
    image.LoadFromFile(folder_.File(L"gone.tga"));
    EXPECT_EQ(image.PictureFileName(), folder_.File(L"gone.tga"));

    image.SaveToFile(folder_.File(L"saved.txt"));
    EXPECT_EQ(LoadTextFromFile(folder_.File(L"saved.txt")), StringToAnsi(folder_.File(L"gone.tga")));
}

TEST_F(TextureImages, PicFileWarnsOnceAboutAMissingFile) {
    TGLPicFileImage image(&texture_);
    image.SetPictureFileName(folder_.File(L"missing.tga"));
    EXPECT_NE(AssertionOf([&] { image.BuildBitmap32(GL_TEXTURE_2D); }).find("Could not open file: "),
              std::string::npos);
    TGLBitmap32* buffer = nullptr;
    EXPECT_EQ(AssertionOf([&] { buffer = image.BuildBitmap32(GL_TEXTURE_2D); }), "");
    ASSERT_NE(buffer, nullptr);
    EXPECT_TRUE(buffer->IsEmpty());
}

TEST_F(TextureImages, PicFileLoadsANewNameAndReloadsForEveryBuild) {
    TGLPicFileImage image(&texture_);
    image.SetPictureFileName(WriteTga(L"red.tga", 200));
    TGLBitmap32* buffer = image.BuildBitmap32(GL_TEXTURE_2D);
    ASSERT_EQ(buffer->Width(), 4);  // 2 rounded up to 4
    EXPECT_EQ(buffer->Data()[0].r, 200);
    EXPECT_EQ(image.ImageWidth(), 4);
    EXPECT_EQ(image.Picture()->Graphic(), nullptr);  // the pixels live on in the buffer only
    image.DropBitmap32();
    // A re-upload (a parameter change, a lost context) builds the same pixels again.
    EXPECT_EQ(image.BuildBitmap32(GL_TEXTURE_2D)->Data()[0].r, 200);
    image.DropBitmap32();

    image.SetPictureFileName(WriteTga(L"dark.tga", 50));
    EXPECT_EQ(image.ImageWidth(), 0);
    EXPECT_EQ(image.BuildBitmap32(GL_TEXTURE_2D)->Data()[0].r, 50);
}

TEST_F(TextureImages, PersistentImageFilesAndBuffers) {
    TGLPersistentImage image(&texture_);
    image.LoadFromFile(WriteTga(L"wall.tga", 77));
    EXPECT_EQ(image.Picture()->Graphic()->ClassType(), TTGAImage::StaticClass());
    EXPECT_EQ(image.ImageWidth(), 2);
    try {
        image.LoadFromFile(L"nowhere.tga");
        ADD_FAILURE() << "a missing file loaded";
    } catch (const ETexture& e) {
        EXPECT_EQ(Utf8(e.Message()), "Could not open file: nowhere.tga");
    }
    EXPECT_EQ(image.Picture()->Graphic(), nullptr);

    // A buffer comes back as a 32-bit bitmap with its rows top-down again.
    TGLBitmap32 buffer;
    buffer.SetWidth(4);
    buffer.SetHeight(2);
    for (int i = 0; i < 8; ++i) buffer.Data()[i] = TGLPixel32{Byte(i < 4 ? 10 : 20), 0, 0, Byte(i)};
    image.Assign(&buffer);
    auto* bitmap = As<TBitmap>(image.Picture()->Graphic());
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->PixelFormat(), pf32bit);
    EXPECT_EQ(Bgra(*bitmap, 0, 0), (std::vector<int>{0, 0, 20, 4}));
    EXPECT_EQ(Bgra(*bitmap, 0, 1), (std::vector<int>{0, 0, 10, 0}));
}

TEST_F(TextureImages, CubeMapFacesAndFile) {
    TGLCubeMapImage cube(&texture_);
    for (int i = 0; i < 6; ++i) {
        TBitmap face;
        face.SetPixelFormat(pf24bit);
        face.SetSize(4, 4);
        face.Canvas()->Brush()->SetColor(TColor(0x10 * (i + 1)));
        face.Canvas()->FillRect(Rect(0, 0, 4, 4));
        cube.Picture(i)->SetGraphic(&face);
    }
    EXPECT_EQ(cube.BuildBitmap32(GL_TEXTURE_CUBE_MAP_NEGATIVE_Y)->Data()[0].r, 0x40);
    EXPECT_TRUE(cube.BuildBitmap32(GL_TEXTURE_CUBE_MAP_NEGATIVE_Y)->RowFlip());
    EXPECT_EQ(cube.BuildBitmap32(GL_TEXTURE_2D)->Data()[0].r, 0x10);  // any other target: +X

    cube.SaveToFile(folder_.File(L"sky.cube"));
    TGLCubeMapImage read(&texture_);
    read.LoadFromFile(folder_.File(L"sky.cube"));
    for (int i = 0; i < 6; ++i) EXPECT_EQ(read.Picture(i)->Width(), 4) << i;
    EXPECT_EQ(read.BuildBitmap32(GL_TEXTURE_CUBE_MAP_NEGATIVE_Z)->Data()[0].r, 0x60);

    WriteBytesToFile(folder_.File(L"bad.cube"), {1, 1});
    EXPECT_THROW(read.LoadFromFile(folder_.File(L"bad.cube")), EAssertionFailed);
}

}  // namespace
