// The GDI+ binding under Wine's gdiplus.dll, its fallbacks when the library or a name is
// missing, and the units loader.

#include <gtest/gtest.h>

#include <string>

#include "SysExceptions.h"
#include "dxGDIPlusAPI.h"

TEST(dxGDIPlusAPI, BindsStartsAndFindsThePngEncoder) {
    ASSERT_TRUE(GdiPlusUsable());
    EXPECT_NE(GdipAlloc, nullptr);
    EXPECT_NE(GdipCloneBitmapAreaI, nullptr);
    CLSID png{};
    EXPECT_EQ(FindEncoderClsid(L"IMAGE/PNG", png), 0);
    EXPECT_NE(png.Data1, 0u);
    CLSID none{};
    EXPECT_EQ(FindEncoderClsid(L"image/none", none), 1);
    FindPngEncoder();
    EXPECT_TRUE(IsEqualGUID(GdipPngEncoder, png));
    // Looked up once: a stored identifier is kept.
    CLSID saved = GdipPngEncoder;
    GdipPngEncoder.Data1 ^= 1;
    FindPngEncoder();
    EXPECT_FALSE(IsEqualGUID(GdipPngEncoder, saved));
    GdipPngEncoder = saved;
    // A bound function works.
    GpBitmap* bitmap = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromScan0(2, 3, 0, PixelFormat32bppARGB, nullptr, &bitmap), GpOk);
    UINT width = 0;
    EXPECT_EQ(GdipGetImageWidth(bitmap, &width), GpOk);
    EXPECT_EQ(width, 2u);
    CheckGdipStatus(GdipDisposeImage(bitmap));
}

TEST(dxGDIPlusAPI, FailedStatusIsAnAssertionFailure) {
    try {
        CheckGdipStatus(2);
        FAIL() << "no exception";
    } catch (const EAssertionFailed& e) {
        EXPECT_NE(e.Message().find(L"Invalid operation in GDI+"), String::npos);
        EXPECT_NE(e.Message().find(L"dxGDIPlusApi"), String::npos);
    }
    EXPECT_NO_THROW(CheckGdipStatus(GpOk));
}

namespace {

// Points the binding at another library for one test and restores GDI+ afterwards.
class GdiPlusFallback : public testing::Test {
protected:
    void TearDown() override {
        UnloadGdiPlus();
        GdiPlusLibraryName = L"gdiplus.dll";
        EXPECT_TRUE(GdiPlusUsable());
    }
    void Use(const wchar_t* name) {
        UnloadGdiPlus();
        GdiPlusLibraryName = name;
    }
};

}  // namespace

TEST_F(GdiPlusFallback, MissingLibraryIsRetriedQuietly) {
    Use(L"zarnik_no_such_gdiplus.dll");
    EXPECT_FALSE(GdiPlusUsable());
    EXPECT_FALSE(GdiPlusUsable());
    EXPECT_EQ(GdipAlloc, nullptr);
    CLSID clsid{};
    EXPECT_EQ(FindEncoderClsid(L"image/png", clsid), 1);
    EXPECT_EQ(BindGdipEntry("GdipAlloc"), nullptr);
}

TEST_F(GdiPlusFallback, MissingNameLeavesNothingBoundAndFreesTheLibrary) {
    ASSERT_EQ(GetModuleHandleW(L"cabinet.dll"), nullptr);
    Use(L"cabinet.dll");
    EXPECT_FALSE(GdiPlusUsable());
    EXPECT_EQ(GdipAlloc, nullptr);
    EXPECT_EQ(GdipCloneBitmapAreaI, nullptr);
    EXPECT_EQ(GetModuleHandleW(L"cabinet.dll"), nullptr) << "the library is not kept after a failed binding";
    EXPECT_FALSE(GdiPlusUsable());
}

namespace {
std::string unitLog;
void InitA() { unitLog += "+A"; }
void FinA() { unitLog += "-A"; }
void InitB() { unitLog += "+B"; }
void FinB() { unitLog += "-B"; }
void FinC() { unitLog += "-C"; }
}  // namespace

TEST(dxUnitsLoader, InitializesAtOnceAndFinalizesInReverse) {
    unitLog.clear();
    {
        TdxUnitsLoader loader;
        loader.RegisterUnit(&InitA, &FinA);
        loader.RegisterUnit(nullptr, nullptr);
        loader.RegisterUnit(&InitB, &FinB);
        loader.RegisterUnit(nullptr, &FinC);
        EXPECT_EQ(unitLog, "+A+B");
        loader.UnregisterUnit(&FinB);
        EXPECT_EQ(unitLog, "+A+B-B");
        loader.UnregisterUnit(&FinB);  // no longer there: nothing
        EXPECT_EQ(unitLog, "+A+B-B");
    }
    EXPECT_EQ(unitLog, "+A+B-B-C-A");
    unitLog.clear();
    {
        TdxUnitsLoader loader;  // nothing initialized: nothing finalized
        loader.RegisterUnit(nullptr, &FinA);
    }
    EXPECT_EQ(unitLog, "");
    EXPECT_EQ(GlobalUnitsLoader(), GlobalUnitsLoader());
}
