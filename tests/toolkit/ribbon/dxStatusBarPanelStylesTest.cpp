// The four panel styles on a real bar: the keyboard state panel following the real keys (given
// with SendInput), the state indicators' lamps, the text panel's image, alignment and
// shortening, and the container panel's place beside the size grip.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "ImageList.h"
#include "StatusBarTesting.h"
#include "../ToolkitTestSupport.h"
#include "dxStatusBarContainerPanel.h"
#include "dxStatusBarKeyboardStatePanel.h"
#include "dxStatusBarStateIndicatorPanel.h"
#include "dxStatusBarTextPanel.h"

namespace {

// What the window shows on the display now, copied from its own device context without asking
// it to paint first: the tests watch the bar repaint by itself.
class TWindowCapture {
public:
    explicit TWindowCapture(TWinControl* control) : width_(control->ClientWidth()), height_(control->ClientHeight()) {
        HDC window = GetDC(control->Handle());
        dc_ = CreateCompatibleDC(window);
        bitmap_ = CreateCompatibleBitmap(window, width_, height_);
        old_ = SelectObject(dc_, bitmap_);
        BitBlt(dc_, 0, 0, width_, height_, window, 0, 0, SRCCOPY);
        ReleaseDC(control->Handle(), window);
    }
    ~TWindowCapture() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    TWindowCapture(const TWindowCapture&) = delete;
    TWindowCapture& operator=(const TWindowCapture&) = delete;

    // The darkest pixel in r, as the sum of its three channels.
    int Darkest(const TRect& r) const {
        int darkest = INT_MAX;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const COLORREF c = GetPixel(dc_, x, y);
                darkest = std::min(darkest, int(GetRValue(c) + GetGValue(c) + GetBValue(c)));
            }
        return darkest;
    }
    std::vector<COLORREF> Pixels(const TRect& r) const {
        std::vector<COLORREF> pixels;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) pixels.push_back(GetPixel(dc_, x, y));
        return pixels;
    }

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

int ChannelSum(TColor color) {
    const TColor c = RgbColor(color);
    return int((c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF));
}

// Sets a toggle key (Caps Lock, Insert) on or off with real key presses.
bool SetToggleKey(Word key, bool on) {
    if (bool(GetKeyState(key) & 1) != on) TypeKey(key);
    return PumpUntil([&] { return bool(GetKeyState(key) & 1) == on; }, 2000);
}

class KeyboardStatePanel : public StatusBarTest {
protected:
    void SetUp() override {
        StatusBarTest::SetUp();
        bar->SetSizeGrip(false);
        panel = AddPanel(50, true, TdxStatusBarKeyboardStatePanelStyle::StaticClass());
        style = static_cast<TdxStatusBarKeyboardStatePanelStyle*>(panel->PanelStyle());
        capsWasOn = GetKeyState(VK_CAPITAL) & 1;
        insertWasOn = GetKeyState(VK_INSERT) & 1;
    }
    void TearDown() override {
        SetToggleKey(VK_CAPITAL, capsWasOn);
        SetToggleKey(VK_INSERT, insertWasOn);
        StatusBarTest::TearDown();
    }
    // Inside the panel's bevel: with one key shown, its box.
    TRect Inside() {
        TRect r = PanelRect(panel);
        InflateRect(&r, -1, -1);
        return r;
    }

    TdxStatusBarPanel* panel = nullptr;
    TdxStatusBarKeyboardStatePanelStyle* style = nullptr;
    bool capsWasOn = false, insertWasOn = false;
};

TEST_F(KeyboardStatePanel, TogglingCapsLockRecoloursItsCaptionWithin150Milliseconds) {
    style->SetKeyboardStates({dxksCapsLock});
    ASSERT_TRUE(SetToggleKey(VK_CAPITAL, false));
    bar->Update();
    ASSERT_TRUE(PumpForTicks(100, 2));  // two of the watcher's 100 ms readings: it has seen the key off
    const TRect caps = Inside();
    const int shadow = ChannelSum(clBtnShadow), text = ChannelSum(style->Font()->Color());
    ASSERT_LT(text, shadow - 60) << "the test tells the two colours apart by brightness";
    EXPECT_GE(TWindowCapture(bar).Darkest(caps), shadow - 30) << "off: \"CAPS\" in the button shadow colour";

    TypeKey(VK_CAPITAL);
    ASSERT_TRUE(PumpUntil([] { return GetKeyState(VK_CAPITAL) & 1; }, 2000));
    const DWORD toggled = GetTickCount();
    EXPECT_TRUE(PumpUntil([&] { return TWindowCapture(bar).Darkest(caps) <= text + 60; }, 1000))
        << "on: \"CAPS\" in the font's colour";
    EXPECT_LE(GetTickCount() - toggled, 150u);
}

TEST_F(KeyboardStatePanel, InsertShowsOvrWhenOn) {
    // One colour for both looks: what changes on the screen is the caption alone.
    TdxStatusBarKeyStateAppearance* insert = style->InsertKeyAppearance();
    insert->SetActiveFontColor(clRed);
    insert->SetInactiveFontColor(clRed);
    style->SetKeyboardStates({dxksInsert});
    ASSERT_TRUE(SetToggleKey(VK_INSERT, false));
    bar->Update();
    ASSERT_TRUE(PumpForTicks(100, 2));  // the watcher has read the key
    const TRect box = Inside();
    const std::vector<COLORREF> off = TWindowCapture(bar).Pixels(box);

    TypeKey(VK_INSERT);
    EXPECT_TRUE(PumpUntil([&] { return TWindowCapture(bar).Pixels(box) != off; }, 1000)) << "the caption changed";
    const std::vector<COLORREF> on = TWindowCapture(bar).Pixels(box);
    // What it shows is "OVR": with the captions swapped, the key off shows the same.
    insert->SetActiveCaption(L"INS");
    insert->SetInactiveCaption(L"OVR");
    ASSERT_TRUE(SetToggleKey(VK_INSERT, false));
    EXPECT_TRUE(PumpUntil([&] { return TWindowCapture(bar).Pixels(box) == on; }, 1000));
}

TEST_F(KeyboardStatePanel, BoxesCarryTheirOwnBevelsUnlessFullRect) {
    const int boxed = panel->GetCalculatedWidth();
    style->SetFullRect(true);
    // Four boxes lose their 2-pixel bevels; the panel gains one.
    EXPECT_EQ(panel->GetCalculatedWidth(), boxed - 4 * 2 + 2);
    EXPECT_EQ(bar->Painter()->GetPanelBevel(panel), dxpbLowered);
    style->SetFullRect(false);
    EXPECT_EQ(bar->Painter()->GetPanelBevel(panel), dxpbNone);

    // Without keys: 50 pixels of background.
    style->SetKeyboardStates({});
    EXPECT_EQ(panel->Width(), 50);
    const TRect r = PanelRect(panel);
    TControlSnapshot snapshot(bar);
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            ASSERT_EQ(snapshot.Pixel(x, y), RgbColor(bar->Color())) << x << ", " << y;
}

// ---- state indicators ----------------------------------------------------------------------

TEST_F(StatusBarTest, StateIndicatorsShowTheirLampsInARow) {
    bar->SetSizeGrip(false);
    TdxStatusBarPanel* panel = AddPanel(50, true, TdxStatusBarStateIndicatorPanelStyle::StaticClass());
    auto* style = static_cast<TdxStatusBarStateIndicatorPanelStyle*>(panel->PanelStyle());
    EXPECT_EQ(panel->Width(), 20) << "no indicators";
    style->Indicators()->Add()->SetIndicatorType(sitGreen);
    style->Indicators()->Add()->SetIndicatorType(sitRed);
    style->Indicators()->Add()->SetIndicatorType(sitBlue);
    style->Indicators()->Items(1)->SetVisible(false);
    EXPECT_EQ(panel->Width(), 4 + 2 * (17 + 4));
    AddPanel(50);  // the lamp panel keeps its width: the last panel stretches

    const TRect r = PanelRect(panel);
    const int middle = (r.top + r.bottom) / 2;
    TControlSnapshot snapshot(bar);
    // The green lamp, then the blue one; the red one is hidden.
    const int green = r.left + 1 + 4, blue = green + 17 + 4;
    EXPECT_EQ(snapshot.Pixel(green + 8, middle), TColor(0x3CB428));
    EXPECT_EQ(snapshot.Pixel(blue + 8, middle), TColor(0xE66428));
    // The lamps' corners show the panel behind them.
    EXPECT_EQ(snapshot.Pixel(green, middle - 4), RgbColor(bar->Color()));

    // A lamp without a picture takes no room.
    style->Indicators()->Items(0)->Bitmap()->SetSize(0, 0);
    EXPECT_EQ(style->GetMinWidth(), 4 + 17 + 4);
    for (int type = sitOff; type <= sitPurple; ++type) {
        style->Indicators()->Items(0)->SetIndicatorType(TdxStatusBarStateIndicatorType(type));
        EXPECT_EQ(style->Indicators()->Items(0)->Bitmap()->Width(), 17)
            << StateIndicatorBitmapName(TdxStatusBarStateIndicatorType(type));
        EXPECT_EQ(style->Indicators()->Items(0)->Bitmap()->Height(), 8);
    }
}

// ---- text panels ---------------------------------------------------------------------------

TEST_F(StatusBarTest, TextPanelsDrawTheirImageThenTheirText) {
    bar->SetSizeGrip(false);
    TImageList images(nullptr);
    images.SetSize(16, 16);
    TBitmap red(16, 16);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect(TRect{0, 0, 16, 16});
    images.Add(&red, nullptr);
    bar->SetImages(&images);
    bar->SetHeight(24);
    TdxStatusBarPanel* panel = AddPanel(150);
    panel->SetText(L"Готово");
    auto* style = static_cast<TdxStatusBarTextPanelStyle*>(panel->PanelStyle());
    const TRect r = PanelRect(panel);
    const TRect content{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    const int middle = (content.top + content.bottom) / 2;

    style->SetImageIndex(0);
    TControlSnapshot withImage(bar);
    EXPECT_EQ(withImage.Pixel(content.left + 1, middle), RgbColor(clRed));
    EXPECT_EQ(withImage.Pixel(content.left + 16, middle), RgbColor(clRed));
    EXPECT_NE(withImage.Pixel(content.left + 17, middle), RgbColor(clRed));
    style->SetImageIndex(1);  // beyond the list: no image
    TControlSnapshot withoutImage(bar);
    EXPECT_NE(withoutImage.Pixel(content.left + 1, middle), RgbColor(clRed));
    // The text starts 2 pixels after the image (and 2 pixels in), or 2 pixels in without it.
    auto firstTextColumn = [&](const TControlSnapshot& s) {
        for (int x = content.left; x < content.right; ++x)
            for (int y = content.top; y < content.bottom; ++y)
                if (s.Pixel(x, y) != RgbColor(bar->Color()) && s.Pixel(x, y) != RgbColor(clRed)) return x;
        return -1;
    };
    EXPECT_GE(firstTextColumn(withImage), content.left + 16 + 2 + 2);
    EXPECT_GE(firstTextColumn(withoutImage), content.left + 2);
    EXPECT_LT(firstTextColumn(withoutImage), content.left + 16);
    bar->SetImages(nullptr);

    // Right alignment puts the text against the right edge.
    style->SetAlignment(taRightJustify);
    TControlSnapshot right(bar);
    int rightmost = -1;
    for (int x = content.left; x < content.right; ++x)
        for (int y = content.top; y < content.bottom; ++y)
            if (right.Pixel(x, y) != RgbColor(bar->Color())) rightmost = x;
    EXPECT_GE(rightmost, content.right - 2 - 3);
    EXPECT_LT(rightmost, content.right - 2);
}

TEST_F(StatusBarTest, TextPanelsShortenALongTextAsTheirEllipsisTypeSays) {
    bar->SetSizeGrip(false);
    TdxStatusBarPanel* panel = AddPanel(120);
    AddPanel(50);  // the text panel keeps its width: the last panel stretches
    auto* style = static_cast<TdxStatusBarTextPanelStyle*>(panel->PanelStyle());
    auto draw = [&](const String& text, TdxStatusBarEllipsisType type) {
        panel->SetText(text);
        style->SetEllipsisType(type);
        TControlSnapshot s(bar);
        std::vector<TColor> pixels;
        const TRect r = PanelRect(panel);
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) pixels.push_back(s.Pixel(x, y));
        return pixels;
    };
    const String path = L"C:\\Уровни\\Первая глава\\Подземелье\\Зал.level";
    const auto clipped = draw(path, dxetNone), truncated = draw(path, dxetTruncate), smart = draw(path, dxetSmartPath);
    EXPECT_NE(clipped, truncated);
    EXPECT_NE(clipped, smart);
    EXPECT_NE(truncated, smart);
    // A text that fits is drawn whole either way.
    EXPECT_EQ(draw(L"Зал", dxetTruncate), draw(L"Зал", dxetSmartPath));

    // OnGetText may replace the text about to be drawn.
    struct TSwap {
        void GetText(TObject*, const TRect&, String& text) { text = L"Зал"; }
    } swap;
    style->OnGetText = MakeEvent(&swap, &TSwap::GetText);
    EXPECT_EQ(draw(path, dxetNone), draw(L"Зал", dxetNone));
}

// ---- container panels ----------------------------------------------------------------------

TEST_F(StatusBarTest, AContainerPanelKeepsItsControlClearOfTheGrip) {
    AddPanel(100);
    TdxStatusBarPanel* panel = AddPanel(100, true, TdxStatusBarContainerPanelStyle::StaticClass());
    TdxStatusBarContainerControl* container =
        static_cast<TdxStatusBarContainerPanelStyle*>(panel->PanelStyle())->Container();
    auto* hosted = new TcxControl(form.get());
    hosted->SetParent(container);
    ASSERT_TRUE(bar->SizeGripVisible());
    bar->Invalidate();
    bar->Update();
    const TRect grip = bar->SizeGripHitRect();
    const TRect placed = container->BoundsRect();
    EXPECT_LE(placed.right, grip.left + 2) << "the container ends where the grip begins";
    EXPECT_GT(placed.right, PanelRect(panel).left);
    EXPECT_TRUE(SameRect(hosted->BoundsRect(), TRect{0, 0, container->Width(), container->Height()}));

    // Without the grip it reaches the panel's edge.
    bar->SetSizeGrip(false);
    bar->Update();
    EXPECT_EQ(container->BoundsRect().right, PanelRect(panel).right - 1);
}

}  // namespace
