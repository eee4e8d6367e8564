// The fading engine, driven through its timer's handler: the clock never decides a result.

#include <gtest/gtest.h>

#include <vector>

#include "Bitmap.h"
#include "TestSupport.h"
#include "dxFading.h"
#include "dxGDIPlusAPI.h"

namespace {

// An element that fades between black (normal) and white (hot) and records what it showed:
// the red channel of the work image at each repaint is the hot image's weight.
class TFadeTestElement : public TdxFadingObjectHelper {
public:
    int inFrames = 0, inDelay = 0, outFrames = 0, outDelay = 0;  // 0 keeps the default
    bool makeImages = true, emptyHot = false;
    std::vector<int> shown;  // -1: repainted without an image
    int ends = 0;

    // An owner stops its own fade before it goes.
    ~TFadeTestElement() override { FaderInstance()->StopFading(this); }
    TdxFadingElement* Running() const { return FaderInstance()->Find(const_cast<TFadeTestElement*>(this)); }
    void FadingEnd() override {
        ++ends;
        TdxFadingObjectHelper::FadingEnd();
    }

protected:
    bool IsFadingAllowed() override { return true; }
    void InvalidateElement() override {
        TdxFadingElement* element = Running();
        TdxGPImage* image = nullptr;
        if (element && element->GetImage(image) && image && !image->Bits().empty())
            shown.push_back(image->Bits()[0].rgbRed);
        else
            shown.push_back(-1);
    }
    void CreateFadingImages(TBitmap*& normal, TBitmap*& hot, int& in, int& inD, int& out, int& outD) override {
        if (!makeImages) return;
        normal = Filled(RGB(0, 0, 0), 4);
        hot = Filled(RGB(255, 255, 255), emptyHot ? 0 : 4);
        if (inFrames) in = inFrames;
        if (inDelay) inD = inDelay;
        if (outFrames) out = outFrames;
        if (outDelay) outD = outDelay;
    }

private:
    static TBitmap* Filled(COLORREF color, int size) {
        auto* bitmap = new TBitmap(size, size, pf32bit);
        if (size) {
            RECT r{0, 0, size, size};
            HBRUSH brush = CreateSolidBrush(color);
            FillRect(bitmap->Canvas()->Handle(), &r, brush);
            DeleteObject(brush);
        }
        return bitmap;
    }
};

class Fading : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(FaderInstance(), nullptr);
        ASSERT_TRUE(GdiPlusUsable());
        SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &savedAnimation, 0);
        SetMenuAnimation(TRUE);
        ASSERT_TRUE(FaderInstance()->IsFadingAvailable());
    }
    void TearDown() override {
        FaderInstance()->Clear();
        SetMenuAnimation(savedAnimation);
    }
    static void SetMenuAnimation(BOOL on) {
        SystemParametersInfoW(SPI_SETMENUANIMATION, 0, reinterpret_cast<void*>(INT_PTR(on)), 0);
    }
    static void Tick(int n = 1) {
        for (int i = 0; i < n; ++i) FaderInstance()->TimerTick(nullptr);
    }
    BOOL savedAnimation = FALSE;
};

TEST_F(Fading, FadingInStepsEveryTickUpToTheHotImageThenEnds) {
    TFadeTestElement element;
    FaderInstance()->FadeIn(&element);
    ASSERT_NE(element.Running(), nullptr);
    EXPECT_FALSE(element.IsIdle());
    EXPECT_TRUE(FaderInstance()->Timer()->Enabled());
    EXPECT_EQ(element.shown, (std::vector<int>{0}));  // starts at the normal image

    Tick(4);
    EXPECT_EQ(element.shown, (std::vector<int>{0, 64, 128, 192, 255}));
    Tick();  // the stage reached the frame count: the fade ends at the hot image
    EXPECT_EQ(element.Running(), nullptr);
    EXPECT_TRUE(element.IsIdle());
    EXPECT_EQ(element.ends, 1);
    EXPECT_EQ(element.shown.back(), 255);
    EXPECT_FALSE(FaderInstance()->Timer()->Enabled());
}

TEST_F(Fading, FadingOutTakesAFrameEveryTwoTicks) {
    TFadeTestElement element;
    FaderInstance()->FadeOut(&element);
    EXPECT_EQ(element.shown, (std::vector<int>{255}));
    Tick(24);
    std::vector<int> expected{255};
    for (int stage = 1; stage <= 12; ++stage) expected.push_back(255 - 21 * stage);
    EXPECT_EQ(element.shown, expected);
    EXPECT_EQ(expected.back(), 3);
    Tick(2);
    EXPECT_EQ(element.Running(), nullptr);
    EXPECT_EQ(element.shown.back(), 0);  // ends at the normal image
}

TEST_F(Fading, TurningHalfWayMapsTheStage) {
    TFadeTestElement element;
    FaderInstance()->FadeIn(&element);
    Tick(2);
    ASSERT_EQ(element.Running()->Stage(), 2);
    FaderInstance()->FadeOut(&element);  // (1 - 2/5) * 12 = 7.2
    EXPECT_EQ(element.Running()->Direction(), TdxFadingElement::fdOut);
    EXPECT_EQ(element.Running()->Stage(), 7);
    FaderInstance()->FadeOut(&element);  // the same direction changes nothing
    EXPECT_EQ(element.Running()->Stage(), 7);
    Tick(2);
    EXPECT_EQ(element.shown.back(), 255 - 21 * 8);
    FaderInstance()->FadeIn(&element);  // (1 - 8/13) * 4 = 1.54
    EXPECT_EQ(element.Running()->Stage(), 2);
}

TEST_F(Fading, TimingValuesAreKeptInRange) {
    // Given frames and delay for both directions; kept in, kept out.
    struct {
        int frames, delay, inFrames, inDelay, outFrames, outDelay;
    } cases[] = {{40, 5, 32, 15, 32, 20}, {-1, 500, 4, 300, 12, 300}, {8, 10, 8, 10, 8, 10}};
    for (auto c : cases) {
        TFadeTestElement element;
        element.inFrames = c.frames;
        element.inDelay = c.delay;
        element.outFrames = c.frames;
        element.outDelay = c.delay;
        FaderInstance()->FadeIn(&element);
        ASSERT_NE(element.Running(), nullptr);
        EXPECT_EQ(element.Running()->InFrames(), c.inFrames) << c.frames;
        EXPECT_EQ(element.Running()->InDelay(), c.inDelay) << c.delay;
        EXPECT_EQ(element.Running()->OutFrames(), c.outFrames) << c.frames;
        EXPECT_EQ(element.Running()->OutDelay(), c.outDelay) << c.delay;
        FaderInstance()->StopFading(&element, true);
        EXPECT_EQ(element.Running(), nullptr);
        EXPECT_EQ(element.shown.back(), 255);  // stopped at its end image
    }
}

TEST_F(Fading, TheEleventhFadeFreesTheOldest) {
    std::vector<std::unique_ptr<TFadeTestElement>> elements;
    for (int i = 0; i < 11; ++i) {
        elements.push_back(std::make_unique<TFadeTestElement>());
        FaderInstance()->FadeIn(elements.back().get());
    }
    EXPECT_EQ(FaderInstance()->Count(), TdxFader::MaxElements);
    EXPECT_EQ(elements[0]->Running(), nullptr);
    EXPECT_EQ(elements[0]->shown, (std::vector<int>{0, 255}));  // jumped to its end image
    EXPECT_EQ(FaderInstance()->Element(0)->Object(), elements[1].get());
    EXPECT_NE(elements[10]->Running(), nullptr);
}

TEST_F(Fading, NothingFadesWithoutImagesOrWithoutTheSystemsAnimation) {
    TFadeTestElement noImages, emptyImage, plain;
    noImages.makeImages = false;
    emptyImage.emptyHot = true;
    FaderInstance()->FadeIn(&noImages);
    FaderInstance()->FadeIn(&emptyImage);
    EXPECT_EQ(FaderInstance()->Count(), 0);
    EXPECT_TRUE(noImages.shown.empty());

    TdxFadingObjectHelper helper;  // the base allows no fade
    FaderInstance()->FadeIn(&helper);
    EXPECT_EQ(FaderInstance()->Count(), 0);

    SetMenuAnimation(FALSE);
    EXPECT_FALSE(FaderInstance()->IsFadingAvailable());
    FaderInstance()->FadeIn(&plain);
    EXPECT_EQ(FaderInstance()->Count(), 0);
    FaderInstance()->SetMode(1);  // always fades
    EXPECT_TRUE(FaderInstance()->IsFadingAvailable());
    FaderInstance()->SetMode(2);  // never
    EXPECT_FALSE(FaderInstance()->IsFadingAvailable());
    FaderInstance()->SetMode(0);
}

}  // namespace
