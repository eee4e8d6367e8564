#include <gtest/gtest.h>

#include <cstring>

#include "Bitmap.h"
#include "PixelSurface.h"
#include "Icon.h"
#include "JpegImage.h"
#include "Picture.h"
#include "Streams.h"
#include "TestSupport.h"

namespace {

class TTestGraphic : public TBitmap {
    Z_CLASS(TTestGraphic, TBitmap)
};

class TTestGraphicKind : public TTestGraphic {
    Z_CLASS(TTestGraphicKind, TTestGraphic)
};

void WriteFile(const String& name, TGraphic& graphic) {
    TFileStream file(name, fmCreate);
    graphic.SaveToStream(&file);
}

TBitmap* SmallBitmap(TColor color) {
    auto* bitmap = new TBitmap(3, 2, pf24bit);
    bitmap->Canvas()->Brush()->SetColor(color);
    bitmap->Canvas()->FillRect(Rect(0, 0, 3, 2));
    return bitmap;
}

TEST(PictureRegistry, PlatformFormatsAreFoundInAnyCase) {
    struct Case {
        const wchar_t* ext;
        TClass cls;
    } cases[] = {
        {L"bmp", TBitmap::StaticClass()},
        {L".BMP", TBitmap::StaticClass()},
        {L"JpG", TJPEGImage::StaticClass()},
        {L".jpeg", TJPEGImage::StaticClass()},
        {L"ICO", TIcon::StaticClass()},
        {L"xyz", nullptr},
        {L"", nullptr},
        {L".", nullptr},
    };
    for (const Case& c : cases) EXPECT_EQ(TPicture::GraphicClassForExtension(c.ext), c.cls) << Utf8(c.ext);
}

TEST(PictureRegistry, RegisterReplaceEnumerateAndUnregister) {
    TPicture::RegisterFileFormat(L".TST", L"Test pictures", TTestGraphic::StaticClass());
    TPicture::RegisterFileFormat(L"tsk", L"Test kinds", TTestGraphicKind::StaticClass());
    EXPECT_EQ(TPicture::GraphicClassForExtension(L"tst"), TTestGraphic::StaticClass());
    TPicture::RegisterFileFormat(L"tst", L"Test pictures, again", TTestGraphicKind::StaticClass());
    int found = 0;
    for (const TFileFormat& f : TPicture::FileFormats())
        if (f.extension == L"tst") {
            ++found;
            EXPECT_EQ(Utf8(f.description), "Test pictures, again");
            EXPECT_EQ(f.graphicClass, TTestGraphicKind::StaticClass());
        }
    EXPECT_EQ(found, 1);
    // Unregistering a class removes its subclasses' formats too.
    TPicture::UnregisterGraphicClass(TTestGraphic::StaticClass());
    EXPECT_EQ(TPicture::GraphicClassForExtension(L"tst"), nullptr);
    EXPECT_EQ(TPicture::GraphicClassForExtension(L"tsk"), nullptr);
    EXPECT_EQ(TPicture::GraphicClassForExtension(L"bmp"), TBitmap::StaticClass());
}

TEST(Picture, LoadFromFileChoosesClassByExtension) {
    TTempFolder folder;
    std::unique_ptr<TBitmap> bitmap(SmallBitmap(clRed));
    WriteFile(folder.File(L"Sky.BMP"), *bitmap);
    TJPEGImage jpeg;
    jpeg.Assign(bitmap.get());
    WriteFile(folder.File(L"photo.JPEG"), jpeg);

    TPicture picture;
    int changes = 0;
    struct Counter {
        int* n;
        void Changed(TObject*) { ++*n; }
    } counter{&changes};
    picture.OnChange = MakeEvent(&counter, &Counter::Changed);
    picture.LoadFromFile(folder.File(L"Sky.BMP"));
    ASSERT_TRUE(Is<TBitmap>(picture.Graphic()));
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_EQ(changes, 1);
    picture.LoadFromFile(folder.File(L"photo.JPEG"));
    EXPECT_TRUE(Is<TJPEGImage>(picture.Graphic()));
    EXPECT_EQ(picture.Height(), 2);
    EXPECT_EQ(changes, 2);
    // A change of the graphic is a change of the picture.
    static_cast<TJPEGImage*>(picture.Graphic())->SetCompressionQuality(50);
    EXPECT_EQ(changes, 3);

    picture.SaveToFile(folder.File(L"copy.jpg"));
    TPicture copy;
    copy.LoadFromFile(folder.File(L"copy.jpg"));
    EXPECT_EQ(copy.Width(), 3);
}

TEST(Picture, UnknownExtensionAndBadFileRaiseAndKeepThePicture) {
    TTempFolder folder;
    std::unique_ptr<TBitmap> bitmap(SmallBitmap(clBlue));
    WriteFile(folder.File(L"good.bmp"), *bitmap);
    {
        TFileStream bad(folder.File(L"bad.bmp"), fmCreate);
        bad.WriteBuffer("BMxxxx", 6);
    }
    TPicture picture;
    picture.LoadFromFile(folder.File(L"good.bmp"));
    try {
        picture.LoadFromFile(folder.File(L"notes.Xyz"));
        ADD_FAILURE() << "no error";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(Utf8(e.Message()), "Unknown picture file extension (.Xyz)");
    }
    EXPECT_THROW(picture.LoadFromFile(folder.File(L"bad.bmp")), EInvalidGraphic);
    EXPECT_THROW(picture.LoadFromFile(folder.File(L"missing.bmp")), EFOpenError);
    ASSERT_TRUE(Is<TBitmap>(picture.Graphic()));
    EXPECT_EQ(picture.Bitmap()->Canvas()->Pixels(1, 1), clBlue);
}

TEST(Picture, AssignCopiesAndBitmapForcesTheKind) {
    TPicture a, b;
    std::unique_ptr<TBitmap> bitmap(SmallBitmap(clGreen));
    a.SetGraphic(bitmap.get());
    EXPECT_NE(a.Graphic(), bitmap.get());  // a copy
    b.Assign(&a);
    EXPECT_NE(b.Graphic(), a.Graphic());
    EXPECT_EQ(b.Bitmap()->Canvas()->Pixels(0, 0), clGreen);

    TBitmap target;
    target.Assign(&a);  // a picture assigns its graphic
    EXPECT_EQ(target.Canvas()->Pixels(2, 1), clGreen);

    TJPEGImage jpeg;
    jpeg.Assign(bitmap.get());
    a.SetGraphic(&jpeg);
    EXPECT_TRUE(Is<TJPEGImage>(a.Graphic()));
    TBitmap* forced = a.Bitmap();
    EXPECT_TRUE(forced->Empty());
    b.Assign(nullptr);
    EXPECT_EQ(b.Graphic(), nullptr);
    EXPECT_THROW(b.Assign(a.Bitmap()->Canvas()), EConvertError);
}

TEST(Picture, StoredDataIsClassNameAndGraphicData) {
    TPicture picture;
    std::unique_ptr<TBitmap> bitmap(SmallBitmap(clPurple));
    picture.SetGraphic(bitmap.get());
    TMemoryStream data;
    picture.WriteData(&data);
    TBytes bytes = StreamBytes(&data);
    ASSERT_GT(bytes.size(), 8u);
    EXPECT_EQ(bytes[0], 7);
    EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 8), "TBitmap");

    data.SetPosition(0);
    TPicture copy;
    copy.ReadData(&data);
    ASSERT_TRUE(Is<TBitmap>(copy.Graphic()));
    EXPECT_EQ(copy.Bitmap()->Canvas()->Pixels(1, 1), clPurple);

    TMemoryStream unknown;
    Byte length = 8;
    unknown.WriteBuffer(&length, 1);
    unknown.WriteBuffer("TNothing", 8);
    unknown.SetPosition(0);
    EXPECT_THROW(copy.ReadData(&unknown), EInvalidGraphic);
    EXPECT_TRUE(Is<TBitmap>(copy.Graphic()));
}

// An .ico file with one 16x16 32-bit image: red, with the top-left quarter transparent.
TBytes MakeIcon() {
    TBytes out;
    auto put16 = [&](std::uint16_t v) { out.insert(out.end(), (Byte*)&v, (Byte*)&v + 2); };
    auto put32 = [&](std::uint32_t v) { out.insert(out.end(), (Byte*)&v, (Byte*)&v + 4); };
    const std::uint32_t imageSize = 40 + 16 * 16 * 4 + 16 * 4;
    put16(0), put16(1), put16(1);
    out.push_back(16), out.push_back(16), out.push_back(0), out.push_back(0);
    put16(1), put16(32), put32(imageSize), put32(22);
    put32(40), put32(16), put32(32), put16(1), put16(32), put32(0), put32(0), put32(0), put32(0), put32(0), put32(0);
    for (int row = 0; row < 16; ++row)  // bottom-up
        for (int x = 0; x < 16; ++x) {
            bool clear = row >= 8 && x < 8;
            out.push_back(0), out.push_back(0), out.push_back(255), out.push_back(clear ? 0 : 255);
        }
    for (int row = 0; row < 16; ++row) {
        std::uint32_t mask = row >= 8 ? 0x000000FF : 0;  // the first eight pixels of the top rows
        put32(mask);
    }
    return out;
}

TEST(Icon, LoadsFromFileDrawsWithMaskAndSavesTheSameFile) {
    TBytes file = MakeIcon();
    TMemoryStream stream;
    stream.WriteBuffer(file.data(), Integer(file.size()));
    stream.SetPosition(0);
    TIcon icon;
    icon.LoadFromStream(&stream);
    EXPECT_EQ(icon.Width(), 16);
    EXPECT_EQ(icon.Height(), 16);
    TBitmap target(16, 16, pf24bit);
    target.Canvas()->Draw(0, 0, &icon);
    EXPECT_EQ(ColorAt(target, 12, 12), clRed);
    EXPECT_EQ(ColorAt(target, 2, 2), clWhite);
    TMemoryStream saved;
    icon.SaveToStream(&saved);
    EXPECT_EQ(StreamBytes(&saved), file);
    EXPECT_THROW(icon.SetWidth(32), EInvalidGraphicOperation);

    TBytes broken(file.begin(), file.begin() + 30);
    TMemoryStream bad;
    bad.WriteBuffer(broken.data(), Integer(broken.size()));
    bad.SetPosition(0);
    EXPECT_THROW(icon.LoadFromStream(&bad), EInvalidGraphic);
    EXPECT_EQ(icon.Width(), 16);
}

TEST(Icon, LoadsFromResource) {
    TIcon icon;
    icon.LoadFromResourceName(GetModuleHandleW(nullptr), L"ZTESTICON");
    EXPECT_EQ(icon.Width(), GetSystemMetrics(SM_CXICON));
    TBitmap target(icon.Width(), icon.Height(), pf24bit);
    target.Canvas()->Draw(0, 0, &icon);
    EXPECT_EQ(ColorAt(target, icon.Width() - 2, icon.Height() - 2), clRed);
    EXPECT_EQ(ColorAt(target, 1, 1), clWhite);
    EXPECT_THROW(icon.LoadFromResourceName(GetModuleHandleW(nullptr), L"NO_SUCH_ICON"), EResNotFound);
    HICON handle = icon.ReleaseHandle();
    EXPECT_TRUE(icon.Empty());
    DestroyIcon(handle);
}

}  // namespace
