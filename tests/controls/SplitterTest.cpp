// Splitters: the position rules as a table, drags and hot-spot clicks with the real mouse, the
// bar and hot spot by pixels, and form descriptions (a round trip that puts the children back
// into their panes, and a mutation loop over broken descriptions).

#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "ControlSnapshot.h"
#include "ControlTesting.h"
#include "ControlsUnits.h"
#include "FormDescription.h"
#include "MutationSupport.h"
#include "RzCheckBox.h"
#include "RzSplit.h"
#include "WindowTesting.h"

namespace {

// A free-standing splitter of the given size, without frame.
std::unique_ptr<TRzSplitter> NewSplitter(int width, int height, int splitterWidth = 4) {
    auto s = std::make_unique<TRzSplitter>(nullptr);
    s->SetBounds(0, 0, width, height);
    s->SetSplitterWidth(Word(splitterWidth));
    return s;
}

class SplitterTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        InitializeControlsUnits();
    }
    TRzSplitter* NewShownSplitter() {
        form.reset(NewShownForm(340, 200));
        auto* s = new TRzSplitter(form.get());
        s->SetParent(form.get());
        s->SetBounds(10, 10, 300, 150);
        PumpUntilIdle();
        return s;
    }
    static TPoint BarPoint(TRzSplitter* s, int y) {
        TRect bar = s->BarRect();
        return s->ClientToScreen(TPoint{(bar.left + bar.right) / 2, y});
    }
    static TPoint Shifted(TPoint p, int dx) { return TPoint{p.x + dx, p.y}; }
    std::unique_ptr<TForm> form;
};

struct TChangingLog : TObject {
    int limit = INT_MAX;
    int asked = 0;
    void Changing(TObject*, int newPos, bool& allow) {
        ++asked;
        allow = newPos <= limit;
    }
};

}  // namespace

TEST_F(SplitterTest, PositionRules) {
    {
        auto s = NewSplitter(200, 100);
        s->SetPosition(250);
        EXPECT_EQ(s->Position(), 196);
        s->SetPosition(-5);
        EXPECT_EQ(s->Position(), 0);
    }
    {
        // One pane hidden: any position, the other pane fills the client area, the bar is empty.
        auto s = NewSplitter(200, 100);
        s->LowerRight()->SetVisible(false);
        s->SetPosition(250);
        EXPECT_EQ(s->Position(), 250);
        EXPECT_EQ(s->Pane(1)->Width(), 200);
        EXPECT_EQ(s->Pane(1)->Height(), 100);
        TRect bar = s->BarRect();
        EXPECT_TRUE(IsRectEmpty(&bar));
    }
    {
        auto s = NewSplitter(200, 100);
        s->SetUsePercent(true);
        s->SetPercent(51);
        s->SetPercent(50);
        EXPECT_EQ(s->Position(), 99);
        s->SetWidth(400);
        EXPECT_EQ(s->Position(), 199);
    }
    {
        auto s = NewSplitter(441, 100, 7);
        s->SetPercent(37);
        EXPECT_EQ(s->Position(), 162);
        EXPECT_EQ(s->Percent(), 37);
    }
    {
        auto s = NewSplitter(300, 100);
        s->SetPosition(200);
        s->SetFixedPane(fpLowerRight);
        s->SetWidth(500);
        EXPECT_EQ(s->Position(), 400);
    }
    {
        // Squeezed below the user's position, the bar returns to it when there is room again.
        auto s = NewSplitter(400, 100);
        s->MoveToPosition(300);
        s->SetWidth(200);
        EXPECT_EQ(s->Position(), 196);
        s->SetWidth(400);
        EXPECT_EQ(s->Position(), 300);
    }
    {
        auto s = NewSplitter(200, 100);
        s->SetHotSpotVisible(true);
        EXPECT_EQ(s->SplitterWidth(), 7);
        auto t = NewSplitter(200, 100);
        t->SetSplitterStyle(ssGroove);
        EXPECT_EQ(t->SplitterWidth(), 6);
        s->SetSplitterStyle(ssBump);
        EXPECT_EQ(s->SplitterWidth(), 7);
    }
    {
        // A frame counts on the left and top; flat bold frames are not counted.
        auto s = NewSplitter(200, 100);
        s->SetBorderOuter(fsLowered);
        EXPECT_EQ(s->GetBorderSize(), 4);
        s->SetPosition(500);
        EXPECT_EQ(s->Position(), 200 - 4 - 8);
        EXPECT_EQ(s->Pane(1)->Left(), 2);
        EXPECT_EQ(s->Pane(2)->Left(), 2 + 188 + 4);
        s->SetBorderOuter(fsFlatBold);
        EXPECT_EQ(s->GetBorderSize(), 0);
    }
    {
        auto s = NewSplitter(200, 100);
        s->SetMarginMin(30);
        s->SetMarginMax(40);
        s->SetPosition(10);
        EXPECT_EQ(s->Position(), 30);
        s->SetPosition(190);
        EXPECT_EQ(s->Position(), 200 - 40 - 4);
        // The panes follow the bar.
        EXPECT_EQ(s->Pane(1)->Width(), 156);
        EXPECT_EQ(s->Pane(2)->Left(), 160);
        EXPECT_EQ(s->Pane(2)->Width(), 40);
    }
}

TEST_F(SplitterTest, MarginsAndPercentagesStayInRangeSoThePanesNeverGetNegativeSizes) {
    struct Case {
        int width, marginMin, marginMax, percentMin, percentMax;
        int wantMin, wantMax;
    } cases[] = {
        {200, -10, -10, 0, 100, 0, 0},
        {200, 500, 0, 0, 100, 200, 0},
        {200, 150, 150, 0, 100, 150, 50},
        {200, 0, 900, 0, 100, 0, 200},
    };
    for (const Case& c : cases) {
        auto s = NewSplitter(c.width, 100);
        s->SetMarginMin(c.marginMin);
        s->SetMarginMax(c.marginMax);
        EXPECT_EQ(s->MarginMin(), c.wantMin) << c.marginMin << "/" << c.marginMax;
        EXPECT_EQ(s->MarginMax(), c.wantMax) << c.marginMin << "/" << c.marginMax;
        for (int p : {-100, 0, 50, 100, 1000}) {
            s->SetPosition(p);
            EXPECT_GE(s->Position(), 0);
            EXPECT_GE(s->Pane(1)->Width(), 0);
            EXPECT_GE(s->Pane(2)->Width(), 0);
        }
    }
    // A splitter that shrank below its margins.
    auto s = NewSplitter(400, 100);
    s->SetMarginMax(300);
    s->SetMarginMin(90);
    s->SetWidth(50);
    s->SetMarginMin(90);
    EXPECT_LE(s->MarginMin() + s->MarginMax(), 300 + 90);
    EXPECT_GE(s->MarginMin(), 0);
    s->SetPosition(10);
    EXPECT_GE(s->Position(), 0);
    EXPECT_GE(s->Pane(2)->Width(), 0);

    auto p = NewSplitter(200, 100);
    p->SetUsePercent(true);
    p->SetPercentMin(-20);
    p->SetPercentMax(250);
    EXPECT_EQ(p->PercentMin(), 0);
    EXPECT_EQ(p->PercentMax(), 100);
    p->SetPercentMin(180);
    p->SetPercentMax(-30);
    EXPECT_EQ(p->PercentMin(), 100);
    EXPECT_EQ(p->PercentMax(), 0);
    EXPECT_GE(p->MarginMin(), 0);
    EXPECT_GE(p->MarginMax(), 0);
    p->SetPosition(50);
    EXPECT_GE(p->Position(), 0);
    EXPECT_GE(p->Pane(1)->Width(), 0);
    EXPECT_GE(p->Pane(2)->Width(), 0);
}

TEST_F(SplitterTest, DragsFollowTheRealMouseOnlyOnReleaseUnlessRealTime) {
    TRzSplitter* s = NewShownSplitter();
    TChangingLog log;
    s->OnChanging = MakeEvent(&log, &TChangingLog::Changing);
    ASSERT_EQ(s->Position(), 100);

    // A drag without RealTimeDrag moves only the marker until the release.
    MoveMouseTo(BarPoint(s, 60));
    MouseButton(true);
    ASSERT_TRUE(PumpUntil([&] { return s->Sliding(); }));
    MoveMouseTo(Shifted(BarPoint(s, 60), 50));
    ASSERT_TRUE(PumpUntil([&] { return log.asked > 0; }));
    PumpUntilIdle();
    EXPECT_EQ(s->Position(), 100);
    MouseButton(false);
    EXPECT_TRUE(PumpUntil([&] { return s->Position() == 150; }));
    EXPECT_EQ(s->ManualPosition(), 150);

    // Escape before the release keeps the position for good.
    MoveMouseTo(BarPoint(s, 60));
    MouseButton(true);
    ASSERT_TRUE(PumpUntil([&] { return s->Sliding(); }));
    MoveMouseTo(Shifted(BarPoint(s, 60), -70));
    PumpUntilIdle();
    TypeKey(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return !s->Sliding(); }));
    MouseButton(false);
    PumpUntilIdle();
    EXPECT_EQ(s->Position(), 150);

    // OnChanging refusing positions beyond 170 stops the bar at the last one allowed.
    log.limit = 170;
    MoveMouseTo(BarPoint(s, 60));
    MouseButton(true);
    ASSERT_TRUE(PumpUntil([&] { return s->Sliding(); }));
    MoveMouseTo(Shifted(BarPoint(s, 60), 15));
    PumpUntilIdle();
    MoveMouseTo(Shifted(BarPoint(s, 60), 60));
    PumpUntilIdle();
    MouseButton(false);
    EXPECT_TRUE(PumpUntil([&] { return !s->Sliding(); }));
    PumpUntilIdle();
    EXPECT_EQ(s->Position(), 165);

    // RealTimeDrag moves the panes while dragging.
    log.limit = INT_MAX;
    s->SetRealTimeDrag(true);
    MoveMouseTo(BarPoint(s, 60));
    MouseButton(true);
    ASSERT_TRUE(PumpUntil([&] { return s->Sliding(); }));
    MoveMouseTo(Shifted(BarPoint(s, 60), -45));
    EXPECT_TRUE(PumpUntil([&] { return s->Position() == 120; }));
    EXPECT_TRUE(s->Sliding());
    EXPECT_EQ(s->Pane(1)->Width(), 120);
    MouseButton(false);
    EXPECT_TRUE(PumpUntil([&] { return !s->Sliding(); }));
    EXPECT_EQ(s->Position(), 120);

    // A locked bar does not move.
    s->SetLockBar(true);
    MoveMouseTo(BarPoint(s, 60));
    MouseButton(true);
    PumpUntilIdle();
    EXPECT_FALSE(s->Sliding());
    MouseButton(false);
}

TEST_F(SplitterTest, HotSpotClicksCollapseAPaneByDirectionAndTheNextClickRestoresIt) {
    TRzSplitter* s = NewShownSplitter();
    s->SetHotSpotVisible(true);
    TRect spot = s->HotSpotRect();
    ASSERT_EQ(RectHeight(spot), 60);  // 40 % of the bar's 150 pixels
    struct Case {
        THotSpotDirection direction;
        int y;  // in the spot's upper or lower half
        int closed;
    } cases[] = {
        {hsdMin, spot.top + 50, 0},
        {hsdMax, spot.top + 5, 300 - 7},
        {hsdBoth, spot.top + 10, 0},
        {hsdBoth, spot.bottom - 10, 300 - 7},
    };
    TClickCount clicks;
    s->OnHotSpotClick = MakeEvent(&clicks, &TClickCount::Click);
    s->SetMarginMin(50);
    s->SetMarginMax(20);
    for (const Case& c : cases) {
        s->SetPosition(100);
        s->SetManualPosition(100);
        ClickAt(BarPoint(s, c.y));
        EXPECT_TRUE(PumpUntil([&] { return s->Position() == c.closed; })) << int(c.direction) << " at " << c.y;
        EXPECT_TRUE(s->HotSpotClosed());
        EXPECT_EQ(s->HotSpotPosition(), 100);
        ClickAt(BarPoint(s, c.y));
        EXPECT_TRUE(PumpUntil([&] { return s->Position() == 100; })) << int(c.direction);
        EXPECT_FALSE(s->HotSpotClosed());
        s->SetHotSpotDirection(c.direction == hsdMin ? hsdMax : hsdBoth);
    }
    EXPECT_EQ(clicks.clicks, 8);
}

TEST_F(SplitterTest, TheHotSpotDrawsItsDotsArrowsAndHalves) {
    struct Case {
        int barLength, dots;
    } cases[] = {{200, 17}, {75, 1}, {70, 0}};
    for (const Case& c : cases) {
        auto s = NewSplitter(c.barLength, 60);
        s->SetOrientation(orVertical);
        s->SetHotSpotVisible(true);
        s->SetPosition(20);
        std::unique_ptr<TForm> host(NewShownForm(260, 100));
        s->SetParent(host.get());
        TRect spot = s->HotSpotRect();
        int length = RectWidth(spot);
        TControlSnapshot shot(s.get());
        int my = spot.top + RectHeight(spot) / 2;
        int found = 0;
        for (int x = spot.left + 11; x < spot.right - 11; ++x)
            if (shot.Pixel(x, my) == RgbOf(s->HotSpotDotColor())) ++found;
        EXPECT_EQ(found, c.dots) << "spot " << length;
        EXPECT_EQ((length - 32) / 3 + 1 > 0 ? (length - 32) / 3 + 1 : 0, c.dots);
        // Frame, and the arrows toward min (up) 8 pixels in from each end.
        EXPECT_EQ(shot.Pixel(spot.left, my), RgbOf(s->HotSpotFrameColor()));
        EXPECT_EQ(shot.Pixel(spot.left + 8, my - 1), RgbOf(s->HotSpotDotColor()));
        EXPECT_EQ(shot.Pixel(spot.left + 8, my + 1), RgbOf(s->HotSpotDotColor()));
        EXPECT_EQ(shot.Pixel(spot.left + 4, my + 1), RgbOf(s->HotSpotColor()));
        s->SetParent(nullptr);
    }
    // Both directions: a divider across the middle; the dots near it are left out.
    auto s = NewSplitter(200, 60);
    s->SetOrientation(orVertical);
    s->SetHotSpotVisible(true);
    s->SetHotSpotDirection(hsdBoth);
    s->SetPosition(20);
    std::unique_ptr<TForm> host(NewShownForm(260, 100));
    s->SetParent(host.get());
    TRect spot = s->HotSpotRect();
    int mx = spot.left + RectWidth(spot) / 2;
    TControlSnapshot shot(s.get());
    EXPECT_EQ(shot.Pixel(mx, spot.top + 1), RgbOf(s->HotSpotFrameColor()));
    s->SetParent(nullptr);
}

TEST_F(SplitterTest, GrooveAndBumpBarsDrawTwoStripsAcrossTheMiddle) {
    TRzSplitter* s = NewShownSplitter();
    s->SetSplitterStyle(ssGroove);
    TRect bar = s->BarRect();
    int m = bar.left + RectWidth(bar) / 2;
    TControlSnapshot groove(s);
    EXPECT_EQ(groove.Pixel(m - 3, 50), RgbOf(clBtnShadow));
    EXPECT_EQ(groove.Pixel(m - 1, 50), RgbOf(clBtnHighlight));
    EXPECT_EQ(groove.Pixel(m, 50), RgbOf(clBtnShadow));
    s->SetSplitterStyle(ssBump);
    TControlSnapshot bump(s);
    EXPECT_EQ(bump.Pixel(m - 3, 50), RgbOf(clBtnHighlight));
    EXPECT_EQ(bump.Pixel(m + 2, 50), RgbOf(clBtnShadow));
}

TEST_F(SplitterTest, TheBarShowsItsCursorsFromTheProgramsResources) {
    TRzSplitter* s = NewShownSplitter();
    s->SetHotSpotVisible(true);
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    MoveMouseTo(BarPoint(s, 10));
    ASSERT_TRUE(PumpUntil([&] { return GetCursor() != arrow && GetCursor() != nullptr; }));
    HCURSOR onBar = GetCursor();
    MoveMouseTo(BarPoint(s, 75));
    ASSERT_TRUE(PumpUntil([&] { return GetCursor() != onBar; }));
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(GetCursor(), &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 0u);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    ASSERT_TRUE(GetIconInfo(onBar, &info));
    EXPECT_EQ(info.xHotspot, 8u);
    EXPECT_EQ(info.yHotspot, 8u);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    MoveMouseTo(TPoint{0, 0});
}

// ---- form descriptions

namespace {

const char* const kHostText =
    "object Host: TRzCustomPanel\n"
    "  Left = 0\n"
    "  Top = 0\n"
    "  Width = 500\n"
    "  Height = 300\n"
    "  object Split: TRzSplitter\n"
    "    Left = 0\n"
    "    Top = 0\n"
    "    Width = 441\n"
    "    Height = 256\n"
    "    Position = 160\n"
    "    SplitterWidth = 7\n"
    "    UpperLeft.Color = clAqua\n"
    "    LowerRight.BorderOuter = fsLowered\n"
    "    BarSize = (160 0 167 256)\n"
    "    UpperLeftControls = (Left1 Left2)\n"
    "    LowerRightControls = (Right1)\n"
    "    object Left1: TRzCheckBox\n"
    "      Left = 4\n"
    "      Top = 4\n"
    "      Caption = 'One'\n"
    "    end\n"
    "    object Left2: TRzCustomPanel\n"
    "      Left = 4\n"
    "      Top = 40\n"
    "      Width = 100\n"
    "      Height = 50\n"
    "    end\n"
    "    object Right1: TRzCheckBox\n"
    "      Left = 8\n"
    "      Top = 8\n"
    "      Caption = 'Two'\n"
    "    end\n"
    "  end\n"
    "end\n";

}  // namespace

TEST_F(SplitterTest, BarSizeAndTheNameListsRoundTripAndPutTheChildrenBackIntoTheirPanes) {
    TRzCustomPanel host(nullptr);
    ReadComponentFromText(kHostText, &host);
    auto* split = As<TRzSplitter>(host.FindComponent(L"Split"));
    ASSERT_NE(split, nullptr);
    EXPECT_EQ(split->Position(), 160);
    EXPECT_EQ(split->Pane(1)->Color(), clAqua);
    EXPECT_EQ(split->Pane(2)->BorderOuter(), fsLowered);
    auto parentOf = [&](const wchar_t* name) { return As<TControl>(host.FindComponent(name))->Parent(); };
    EXPECT_EQ(parentOf(L"Left1"), split->Pane(1));
    EXPECT_EQ(parentOf(L"Left2"), split->Pane(1));
    EXPECT_EQ(parentOf(L"Right1"), split->Pane(2));
    TRect bar = split->BarRect();
    TRect expected{160, 0, 167, 256};
    EXPECT_TRUE(EqualRect(&bar, &expected));

    AnsiString written = WriteComponentToText(&host);
    std::string text;
    for (char c : written)
        if (c != '\r') text += c;
    EXPECT_NE(text.find("BarSize = (\n      160\n      0\n      167\n      256)"), std::string::npos) << text;
    EXPECT_NE(text.find("UpperLeftControls = (\n      Left1\n      Left2)"), std::string::npos) << text;
    EXPECT_NE(text.find("LowerRightControls = (\n      Right1)"), std::string::npos) << text;
    TRzCustomPanel copy(nullptr);
    ReadComponentFromText(written, &copy);
    copy.SetName(L"Host");
    EXPECT_EQ(WriteComponentToText(&copy), written);
    auto* splitCopy = As<TRzSplitter>(copy.FindComponent(L"Split"));
    EXPECT_EQ(As<TControl>(copy.FindComponent(L"Right1"))->Parent(), splitCopy->Pane(2));

    // Unknown names are skipped; names of the splitter itself or its host are refused.
    TRzCustomPanel odd(nullptr);
    std::string broken = kHostText;
    broken.replace(broken.find("(Right1)"), 8, "(Nobody Host Split Right1)");
    ReadComponentFromText(AnsiString(broken), &odd);
    auto* oddSplit = As<TRzSplitter>(odd.FindComponent(L"Split"));
    EXPECT_EQ(oddSplit->Parent(), &odd);
    EXPECT_EQ(As<TControl>(odd.FindComponent(L"Right1"))->Parent(), oddSplit->Pane(2));
}

TEST_F(SplitterTest, BrokenDescriptionsLoadOrFailWithoutCrashOrLeak) {
    const std::string original = kHostText;
    const std::string alphabet = "()=' 0123456789-\nabcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    TRuntimeRandom random(20261211);
    auto runOnce = [&](int) {
        std::string text = original;
        int edits = 1 + int(random.Next(3));
        for (int e = 0; e < edits; ++e) {
            size_t at = random.Next(std::uint32_t(text.size()));
            switch (random.Next(3)) {
                case 0:
                    text[at] = alphabet[random.Next(std::uint32_t(alphabet.size()))];
                    break;
                case 1:
                    text.erase(at, 1 + random.Next(6));
                    break;
                default:
                    text.insert(at, 1, alphabet[random.Next(std::uint32_t(alphabet.size()))]);
                    break;
            }
        }
        TRzCustomPanel host(nullptr);
        try {
            ReadComponentFromText(AnsiString(text), &host);
        } catch (const Exception&) {}
    };
    for (int i = 0; i < 10000; ++i) runOnce(i);
    // The same mutations again: classes met for the first time have set up their tables and
    // window classes by now, so the heap must stay where it is.
    random = TRuntimeRandom(20261211);
    THeapUse before = HeapInUse();
    for (int i = 0; i < 3000; ++i) runOnce(i);
    THeapUse after = HeapInUse();
    EXPECT_LE(after.blocks, before.blocks + 8);
    EXPECT_LE(after.bytes, before.bytes + 1024);
}
