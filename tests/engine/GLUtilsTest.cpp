#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <cstring>

#include "GLCrossPlatform.h"
#include "GLUtils.h"
#include "SysExceptions.h"
#include "TestSupport.h"

namespace {

TEST(GLUtils, TryParseFloatDotAccepts) {
    struct Case {
        const char* text;
        double expected;
    } cases[] = {
        {"12.34", 12.34}, {"12,34", 12.34}, {"-1.5e3", -1500}, {"2e-2", 0.02}, {"  7", 7},    {"7   ", 7},
        {"0 5", 5},       {"   ", 0},       {"+3", 3},         {"1E+2", 100},  {".5", 0.5},   {"5.", 5},
        {"-0.25", -0.25}, {"0e99999", 0},   {"1e-99999", 0},   {"00012", 12},  {"3.0e1", 30}, {"1,5E-1", 0.15},
    };
    for (const Case& c : cases) {
        Extended value = -1;
        EXPECT_TRUE(TryParseFloatDot(AnsiString(c.text), value)) << c.text;
        EXPECT_NEAR(double(value), c.expected, 1e-12 * std::fabs(c.expected) + 1e-300) << c.text;
        String wide(c.text, c.text + std::strlen(c.text));
        Extended wideValue = -1;
        EXPECT_TRUE(TryParseFloatDot(wide, wideValue)) << c.text;
        EXPECT_EQ(wideValue, value) << c.text;
    }
    Extended huge = 0;
    EXPECT_TRUE(TryParseFloatDot(AnsiString("1e99999"), huge));
    EXPECT_TRUE(std::isinf(huge));
}

TEST(GLUtils, TryParseFloatDotRejects) {
    const char* texts[] = {"",   "1.2.3", "1 2",   " -5",  "1e", "abc",    "1e-", "1e+",   "-",   "+",  ".",
                           "e5", "1-2",   "1e2.5", "1e 2", "1x", "12,3.4", "--1", "1e2e3", "\t1", "5 ."};
    for (const char* text : texts) {
        Extended value = 42;
        EXPECT_FALSE(TryParseFloatDot(AnsiString(text), value)) << "'" << text << "'";
        EXPECT_EQ(value, 42.0L) << "'" << text << "'";  // untouched on failure
    }
    Extended value = 42;
    EXPECT_FALSE(TryParseFloatDot(String(L"\u0661"), value));  // a non-ASCII digit
    // A text cut short of its terminator is read only up to its length.
    const char buffer[] = {'1', '2', '3'};
    EXPECT_TRUE(TryParseFloatDot(AnsiString(buffer, 2), value));
    EXPECT_EQ(value, 12.0L);
}

TEST(GLUtils, ParseFloatOr) {
    EXPECT_EQ(ParseFloatOr(String(L"x"), 4.5L), 4.5L);
    EXPECT_EQ(ParseFloatOr(AnsiString(""), 4.5L), 4.5L);
    EXPECT_NEAR(double(ParseFloatOr(String(L"0,5"), 4.5L)), 0.5, 1e-15);
}

TEST(GLUtils, NextPowerOfTwo) {
    struct Case {
        Int64 n, expected;
    } cases[] = {
        {-5, 1}, {0, 1}, {1, 1}, {2, 2}, {3, 4}, {64, 64}, {65, 128}, {1000, 1024}, {(1 << 30) + 1, Int64(1) << 31}};
    for (const Case& c : cases) EXPECT_EQ(NextPowerOfTwo(c.n), c.expected) << c.n;
}

TEST(GLUtils, SquareRootRampTable) {
    const Byte* table = SquareRootRampTable();
    EXPECT_EQ(table[0], 0);
    EXPECT_EQ(table[1], 15);    // sqrt(1/255) * 255 = 15.97
    EXPECT_EQ(table[64], 127);  // 127.75
    EXPECT_EQ(table[255], 255);
    for (int i = 1; i < 256; ++i) EXPECT_GE(table[i], table[i - 1]) << i;
    EXPECT_EQ(SquareRootRampTable(), table);
}

TEST(GLCrossPlatform, PrecisionCounter) {
    Int64 frequency = 0;
    EXPECT_TRUE(QueryCounterFrequency(frequency));
    EXPECT_GT(frequency, 0);
    Int64 first = ReadPrecisionCounter();
    Double elapsed = SecondsSinceCounter(first);
    EXPECT_GE(elapsed, 0.0);
    EXPECT_LT(elapsed, 1.0);
    Sleep(20);
    EXPECT_GE(SecondsSinceCounter(first), 0.015);
    Int64 later;
    QueryCounter(later);
    EXPECT_GE(later, first);
}

TEST(GLCrossPlatform, RaiseLastOSErrorText) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    try {
        RaiseLastOSErrorText();
    } catch (const EOSError& e) {
        EXPECT_EQ(e.ErrorCode(), Cardinal(ERROR_FILE_NOT_FOUND));
        std::string message = Utf8(e.Message());
        EXPECT_EQ(message.rfind("OS Error : ", 0), 0u) << message;
        EXPECT_GT(message.size(), std::strlen("OS Error : ")) << message;
    }
}

}  // namespace

#include "Bitmap.h"

namespace {

TEST(GLCrossPlatform, EngineComponentBase) {
    TGLComponent owner(nullptr);
    TObject* created = TGLComponent::StaticClass()->Create(static_cast<TComponent*>(&owner));
    ASSERT_TRUE(Is<TGLComponent>(created));
    auto* child = static_cast<TGLComponent*>(created);
    EXPECT_EQ(child->Owner(), &owner);  // freed with its owner
    EXPECT_FALSE(HasSubComponentStyle(child));
    child->SetSubComponent(true);
    EXPECT_TRUE(HasSubComponentStyle(child));
    child->SetSubComponent(false);
    EXPECT_FALSE(HasSubComponentStyle(child));
}

TEST(GLCrossPlatform, BitmapScanLineCountsRowsFromTheTop) {
    TBitmap bitmap(5, 3, pf32bit);
    auto* top = static_cast<Byte*>(BitmapScanLine(&bitmap, 0));
    auto* next = static_cast<Byte*>(BitmapScanLine(&bitmap, 1));
    EXPECT_EQ(top, bitmap.ScanLine(0));
    EXPECT_EQ(std::abs(next - top), bitmap.RowSize());
    // A pixel written through the row shows at the top of the picture.
    static_cast<Cardinal*>(BitmapScanLine(&bitmap, 0))[2] = 0x00FF0000;  // bytes B, G, R: red
    EXPECT_EQ(bitmap.Canvas()->Pixels(2, 0), TColor(0x0000FF));
}

}  // namespace
