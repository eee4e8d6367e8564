#include <gtest/gtest.h>

#include <memory>

#include "Bitmap.h"
#include "DDS.h"
#include "ImageFixtures.h"
#include "PictureRegisteredFormats.h"
#include "PixelSurface.h"
#include "StringList.h"
#include "TGA.h"
#include "TestSupport.h"

namespace {

class PictureFormats : public testing::Test {
protected:
    TTempFolder folder_;
};

TEST_F(PictureFormats, RegistryListsTheEngineFormatsAndFindsThemInAnyCase) {
    TStringList list;
    ListRegisteredPictureFormats(&list);
    const Integer tga = list.IndexOf(L"tga=Targa");
    const Integer dds = list.IndexOf(L"dds=Microsoft DirectDraw Surface");
    ASSERT_GE(tga, 0);
    ASSERT_GE(dds, 0);
    EXPECT_EQ(PictureFormatClassAt(&list, tga), TTGAImage::StaticClass());
    EXPECT_EQ(PictureFormatClassAt(&list, dds), TDDSImage::StaticClass());

    EXPECT_EQ(ClassForPictureExtension(L"TGA"), TTGAImage::StaticClass());
    EXPECT_EQ(ClassForPictureExtension(L".tga"), TTGAImage::StaticClass());
    EXPECT_EQ(ClassForPictureExtension(L"Dds"), TDDSImage::StaticClass());
    EXPECT_EQ(ClassForPictureExtension(L""), nullptr);
    EXPECT_EQ(ClassForPictureExtension(L"xyz"), nullptr);
}

TEST_F(PictureFormats, LoadsByExtensionThroughTheOwnTableFirst) {
    TBitmap source;
    source.SetPixelFormat(pf24bit);
    source.SetSize(4, 2);
    WriteBytesToFile(folder_.File(L"Sky.BMP"), SaveToBytes(source));
    std::unique_ptr<TGraphic> bmp(LoadGraphicFromFile(folder_.File(L"Sky.BMP")));
    ASSERT_NE(bmp, nullptr);
    EXPECT_EQ(bmp->ClassType(), TBitmap::StaticClass());
    EXPECT_EQ(bmp->Width(), 4);

    // An extension only the own table knows.
    RegisterPictureExtension(L".TGX", TTGAImage::StaticClass());
    TFileBytes tga = TgaHeader(2, 1, 1, 24);
    Append(tga, {1, 2, 3});
    WriteBytesToFile(folder_.File(L"grass.tgx"), tga);
    std::unique_ptr<TGraphic> loaded(LoadGraphicFromFile(folder_.File(L"grass.tgx")));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->ClassType(), TTGAImage::StaticClass());
}

TEST_F(PictureFormats, UnknownOrMissingFilesGiveNil) {
    EXPECT_EQ(LoadGraphicFromFile(folder_.File(L"missing.tga")), nullptr);
    // Held open without sharing: opening it would fail, so nil shows it was never opened.
    const String name = folder_.File(L"notes.xyz");
    WriteBytesToFile(name, {1, 2, 3});
    HANDLE held = CreateFileW(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(LoadGraphicFromFile(name), nullptr);
    CloseHandle(held);
}

TEST_F(PictureFormats, ACorruptFileRaisesItsFormatErrorAndLeaksNothing) {
    // Sized first, then cut short inside the run-length data.
    TFileBytes corrupt = TgaHeader(10, 8, 8, 32);
    Append(corrupt, {0x8F, 1, 2, 3, 4});
    WriteBytesToFile(folder_.File(L"cut.tga"), corrupt);
    WriteBytesToFile(folder_.File(L"mapped.tga"), TgaHeader(1, 2, 2, 24, 0, 0, 1));
    const DWORD gdiBefore = GdiObjectCount();
    for (int i = 0; i < 200; ++i) {
        EXPECT_THROW(LoadGraphicFromFile(folder_.File(L"cut.tga")), EReadError);
        try {
            LoadGraphicFromFile(folder_.File(L"mapped.tga"));
            ADD_FAILURE() << "a colour-mapped file loaded";
        } catch (const ETGAException& e) {
            EXPECT_EQ(Utf8(e.Message()), "ColorMapped TGA unsupported");
        }
    }
    EXPECT_LE(GdiObjectCount(), gdiBefore);
    // The files were closed again: they can be deleted.
    EXPECT_TRUE(DeleteFileW(folder_.File(L"cut.tga").c_str()));
}

}  // namespace
