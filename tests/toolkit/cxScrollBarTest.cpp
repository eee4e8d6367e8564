#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Bitmap.h"
#include "ToolkitTestSupport.h"
#include "WindowTesting.h"
#include "cxExtendedStylePainters.h"
#include "cxOffice11LookAndFeelPainter.h"
#include "cxScrollBar.h"

namespace {

int ArrowSize() { return GetSystemMetrics(SM_CXVSCROLL); }

// A vertical bar whose track (the space between the arrows) is trackLength long.
std::unique_ptr<TcxScrollBar> VerticalBar(int trackLength, int width = 17) {
    auto bar = std::make_unique<TcxScrollBar>(nullptr);
    bar->SetKind(sbVertical);
    bar->SetBounds(0, 0, width, trackLength + 2 * ArrowSize());
    return bar;
}

struct TScrollRecord {
    TScrollCode code;
    int position;
    DWORD time;
};

// Records OnScroll and OnChange of a bar.
struct TScrollRecorder : TObject {
    std::vector<TScrollRecord> scrolls;
    int changes = 0;
    void Attach(TcxScrollBar* bar) {
        bar->OnScroll = MakeEvent(this, &TScrollRecorder::Scrolled);
        bar->OnChange = MakeEvent(this, &TScrollRecorder::Changed);
    }
    void Scrolled(TObject*, TScrollCode code, int& position) { scrolls.push_back({code, position, GetTickCount()}); }
    void Changed(TObject*) { ++changes; }
    int Count(TScrollCode code) const {
        int n = 0;
        for (const TScrollRecord& r : scrolls) n += r.code == code;
        return n;
    }
    std::vector<DWORD> Times(TScrollCode code) const {
        std::vector<DWORD> t;
        for (const TScrollRecord& r : scrolls)
            if (r.code == code) t.push_back(r.time);
        return t;
    }
};

// ---- geometry ------------------------------------------------------------------------------

TEST(cxScrollBarGeometry, WithoutAPageTheThumbHasTheSystemSizeAndFollowsThePosition) {
    auto bar = VerticalBar(200 - 2 * ArrowSize());  // 200 high
    bar->SetScrollParams(0, 100, 50, 0);
    const TcxScrollBarViewInfo* v = bar->ViewInfo();
    EXPECT_EQ(RectHeight(v->TopLeftArrowRect()), ArrowSize());
    EXPECT_EQ(v->TopLeftArrowRect().top, 0);
    EXPECT_EQ(v->BottomRightArrowRect().bottom, bar->Height());
    EXPECT_EQ(v->ThumbLength(), GetSystemMetrics(SM_CYVTHUMB));
    const int trackCentre = v->TrackStart() + v->TrackLength() / 2;
    const int thumbCentre = v->ThumbStart() + v->ThumbLength() / 2;
    EXPECT_LE(std::abs(thumbCentre - trackCentre), 1);
    // The page areas fill the track on both sides of the thumb.
    EXPECT_EQ(v->PageUpRect().top, v->TrackStart());
    EXPECT_EQ(v->PageUpRect().bottom, v->ThumbnailRect().top);
    EXPECT_EQ(v->PageDownRect().top, v->ThumbnailRect().bottom);
    EXPECT_EQ(v->PageDownRect().bottom, v->BottomRightArrowRect().top);

    bar->SetPosition(0);
    EXPECT_EQ(v->ThumbStart(), v->TrackStart());
    bar->SetPosition(100);
    EXPECT_EQ(v->ThumbStart() + v->ThumbLength(), v->TrackStart() + v->TrackLength());
}

TEST(cxScrollBarGeometry, APageGivesAThumbOfItsShareOfTheTrack) {
    auto bar = VerticalBar(100);
    const int length = std::max(10, bar->Painter()->ScrollBarMinThumbSize(false));
    bar->SetScrollParams(0, 99, 0, 10);
    const TcxScrollBarViewInfo* v = bar->ViewInfo();
    EXPECT_EQ(v->TrackLength(), 100);
    EXPECT_EQ(v->ThumbLength(), length);
    EXPECT_EQ(v->ThumbStart(), v->TrackStart());
    // The last position that shows a full page puts the thumb at the end of the track.
    bar->SetPosition(90);
    EXPECT_EQ(v->ThumbStart() + v->ThumbLength(), v->TrackStart() + 100);
    bar->SetPosition(45);
    EXPECT_EQ(v->ThumbStart() - v->TrackStart(), MulDiv(100 - length, 45, 90));
}

TEST(cxScrollBarGeometry, APageAsLargeAsTheRangeFillsTheTrackFromItsStart) {
    // Nothing is left to scroll: the thumb's offset divides by zero and must not come out as -1.
    auto bar = VerticalBar(100);
    bar->SetScrollParams(5, 14, 5, 10);
    const TcxScrollBarViewInfo* v = bar->ViewInfo();
    EXPECT_EQ(v->ThumbStart(), v->TrackStart());
    EXPECT_EQ(v->ThumbLength(), 100);
    EXPECT_EQ(bar->PositionFromThumb(), 5);
}

TEST(cxScrollBarGeometry, NoThumbWhenNothingCanScrollOrTheTrackIsTooShort) {
    struct TCase {
        const char* name;
        int track, min, max, page;
        bool enabled;
    };
    const TCase cases[] = {
        {"max equals min, with a page", 100, 5, 5, 1, true},
        {"max equals min, without a page", 100, 5, 5, 0, true},
        {"disabled", 100, 0, 100, 0, false},
        {"track shorter than the system thumb", GetSystemMetrics(SM_CYVTHUMB) - 1, 0, 100, 0, true},
        {"track shorter than the least thumb", 3, 0, 100, 10, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto bar = VerticalBar(c.track);
        bar->SetScrollParams(c.min, c.max, c.min, c.page);
        bar->SetEnabled(c.enabled);
        const TcxScrollBarViewInfo* v = bar->ViewInfo();
        if (c.max != c.min || c.page > 0) {
            EXPECT_TRUE(IsRectEmpty(&v->ThumbnailRect()));
        } else {
            // Max == Min without a page keeps a system-size thumb at the start.
            EXPECT_EQ(v->ThumbStart(), v->TrackStart());
        }
        if (IsRectEmpty(&v->ThumbnailRect())) {
            EXPECT_TRUE(IsRectEmpty(&v->PageUpRect()));
            EXPECT_TRUE(IsRectEmpty(&v->PageDownRect()));
            EXPECT_EQ(bar->HitTest(TPoint{8, ArrowSize() + c.track / 2}), sbpNone);
        }
    }
}

TEST(cxScrollBarGeometry, ABarShorterThanTwoArrowsSplitsItBetweenThem) {
    auto bar = std::make_unique<TcxScrollBar>(nullptr);
    bar->SetBounds(0, 0, 20, 17);  // horizontal
    const TcxScrollBarViewInfo* v = bar->ViewInfo();
    EXPECT_EQ(v->TopLeftArrowRect().right, 10);
    EXPECT_EQ(v->BottomRightArrowRect().left, 10);
    EXPECT_EQ(v->BottomRightArrowRect().right, 20);
    EXPECT_EQ(RectHeight(v->TopLeftArrowRect()), 17);
}

TEST(cxScrollBarGeometry, HitTestFindsEachPart) {
    auto bar = VerticalBar(200);
    bar->SetScrollParams(0, 100, 50, 0);
    const TcxScrollBarViewInfo* v = bar->ViewInfo();
    const int a = ArrowSize();
    struct TCase {
        TPoint p;
        TcxScrollBarPart part;
    };
    const TCase cases[] = {
        {{8, 0}, sbpLineUp},
        {{8, a - 1}, sbpLineUp},
        {{8, a}, sbpPageUp},
        {{8, int(v->ThumbnailRect().top) - 1}, sbpPageUp},
        {{8, int(v->ThumbnailRect().top)}, sbpThumbnail},
        {{8, int(v->ThumbnailRect().bottom)}, sbpPageDown},
        {{8, bar->Height() - a - 1}, sbpPageDown},
        {{8, bar->Height() - 1}, sbpLineDown},
        {{8, bar->Height()}, sbpNone},
        {{17, 100}, sbpNone},
        {{-1, 100}, sbpNone},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "point " << c.p.x << "," << c.p.y);
        EXPECT_EQ(bar->HitTest(c.p), c.part);
    }
}

TEST(cxScrollBarGeometry, KindTurnsTheBarAQuarter) {
    auto bar = std::make_unique<TcxScrollBar>(nullptr);
    bar->SetBounds(10, 20, 121, 17);
    bar->SetKind(sbVertical);
    EXPECT_EQ(bar->Width(), 17);
    EXPECT_EQ(bar->Height(), 121);
    EXPECT_EQ(bar->ViewInfo()->BottomRightArrowRect().bottom, 121);
    bar->SetKind(sbHorizontal);
    EXPECT_EQ(bar->Width(), 121);
    EXPECT_EQ(bar->Height(), 17);
    EXPECT_EQ(bar->Left(), 10);
    EXPECT_EQ(bar->Top(), 20);
}

// A painter of its own, standing for a skin painter.
class TScrollBarTestSkinPainter : public TcxOffice11LookAndFeelPainter {
public:
    static const TScrollBarTestSkinPainter* Instance() {
        static const TScrollBarTestSkinPainter painter;
        return &painter;
    }
};

TEST(cxScrollBarLookAndFeel, ASkinKeepsCtl3DOffAndTheBarsOwnSettingComesBack) {
    ASSERT_TRUE(GlobalExtendedStylePainters()->RegisterPainter(L"ScrollBarSkin", TScrollBarTestSkinPainter::Instance(),
                                                               nullptr));
    std::unique_ptr<TForm> form(NewShownTestForm(200, 100));
    auto* bar = new TcxScrollBar(form.get());
    bar->SetParent(form.get());
    ASSERT_TRUE(bar->Ctl3D());
    ASSERT_TRUE(bar->ParentCtl3D());

    bar->LookAndFeel()->SetSkinName(L"ScrollBarSkin");
    ASSERT_EQ(bar->Painter(), TScrollBarTestSkinPainter::Instance());
    EXPECT_FALSE(bar->Ctl3D());
    bar->LookAndFeel()->SetSkinName(L"");
    EXPECT_TRUE(bar->Ctl3D());
    EXPECT_TRUE(bar->ParentCtl3D());  // still following the form

    // Switched off by hand, it stays off when a skin comes and goes.
    bar->SetCtl3D(false);
    bar->LookAndFeel()->SetSkinName(L"ScrollBarSkin");
    bar->LookAndFeel()->SetSkinName(L"");
    EXPECT_FALSE(bar->Ctl3D());
    EXPECT_FALSE(bar->ParentCtl3D());

    // Switched on under a skin, it waits for the skin to go.
    bar->LookAndFeel()->SetSkinName(L"ScrollBarSkin");
    bar->SetCtl3D(true);
    EXPECT_FALSE(bar->Ctl3D());
    bar->LookAndFeel()->SetSkinName(L"");
    EXPECT_TRUE(bar->Ctl3D());
    GlobalExtendedStylePainters()->UnregisterPainter(L"ScrollBarSkin");
}

// ---- range and scroll requests -------------------------------------------------------------

TEST(cxScrollBarParams, InvalidRangesRaiseAndChangeNothing) {
    struct TCase {
        int min, max, position, page;
    };
    const TCase cases[] = {{10, 9, 10, 0}, {0, 9, 0, 10}, {0, -1, 0, 0}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.min << ".." << c.max << " page " << c.page);
        TcxScrollBar bar(nullptr);
        bar.SetScrollParams(2, 50, 20, 5);
        EXPECT_EQ(ClassAndMessageOf([&] { bar.SetScrollParams(c.min, c.max, c.position, c.page); }),
                  "EInvalidOperation: Scrollbar property out of range");
        EXPECT_EQ(bar.Min(), 2);
        EXPECT_EQ(bar.Max(), 50);
        EXPECT_EQ(bar.Position(), 20);
        EXPECT_EQ(bar.PageSize(), 5);
    }
    TcxScrollBar bar(nullptr);
    EXPECT_EQ(MessageOf([&] { bar.SetMax(-1); }), "Scrollbar property out of range");
    EXPECT_EQ(bar.Max(), 100);
}

TEST(cxScrollBarParams, PositionIsClampedAndChangeFiresOnlyWhenItMoves) {
    TcxScrollBar bar(nullptr);
    TScrollRecorder recorder;
    recorder.Attach(&bar);
    bar.SetScrollParams(0, 10, 50, 0);
    EXPECT_EQ(bar.Position(), 10);
    EXPECT_EQ(recorder.changes, 1);
    bar.SetScrollParams(0, 20, 10, 0);  // only the range
    EXPECT_EQ(recorder.changes, 1);
    bar.SetScrollParams(5, 20, -3, 0);
    EXPECT_EQ(bar.Position(), 5);
    EXPECT_EQ(recorder.changes, 2);
    EXPECT_TRUE(recorder.scrolls.empty());
}

TEST(cxScrollBarParams, ScrollCodesMoveThePositionWithinTheRange) {
    struct TCase {
        TScrollCode code;
        int from, expected;
    };
    const TCase cases[] = {
        {scLineUp, 50, 47},    {scLineDown, 50, 53},  {scPageUp, 50, 30},   {scPageDown, 50, 70},
        {scTop, 50, 0},        {scBottom, 50, 100},   {scPosition, 50, 50}, {scTrack, 50, 50},
        {scEndScroll, 50, 50}, {scLineDown, 99, 100}, {scPageUp, 5, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << int(c.code) << " from " << c.from);
        TcxScrollBar bar(nullptr);
        bar.SetSmallChange(3);
        bar.SetLargeChange(20);
        bar.SetPosition(c.from);
        TScrollRecorder recorder;
        recorder.Attach(&bar);
        bar.Scroll(c.code);
        EXPECT_EQ(bar.Position(), c.expected);
        ASSERT_EQ(recorder.scrolls.size(), 1u);
        EXPECT_EQ(recorder.scrolls[0].position, c.expected);  // OnScroll sees the new position
        EXPECT_EQ(recorder.changes, c.expected != c.from ? 1 : 0);
    }
}

TEST(cxScrollBarParams, OnScrollMayChangeThePositionWhichIsKeptInRange) {
    TcxScrollBar bar(nullptr);
    struct TClamp : TObject {
        int replacement = 0;
        void Scrolled(TObject*, TScrollCode, int& position) { position = replacement; }
    } handler;
    bar.OnScroll = MakeEvent(&handler, &TClamp::Scrolled);
    handler.replacement = 42;
    bar.Scroll(scLineDown);
    EXPECT_EQ(bar.Position(), 42);
    handler.replacement = 500;
    bar.Scroll(scLineDown);
    EXPECT_EQ(bar.Position(), 100);
    // A thumb-track request moves the position without Change.
    int changes = 0;
    struct TCount : TObject {
        int* n;
        void Changed(TObject*) { ++*n; }
    } counter;
    counter.n = &changes;
    bar.OnChange = MakeEvent(&counter, &TCount::Changed);
    handler.replacement = 7;
    bar.Scroll(scTrack);
    EXPECT_EQ(bar.Position(), 7);
    EXPECT_EQ(changes, 0);
}

// ---- drawing -------------------------------------------------------------------------------

TEST(cxScrollBarDrawing, TheStandardPainterDrawsTheThumbWhereTheGeometryPutsIt) {
    std::unique_ptr<TForm> form(NewShownTestForm(200, 300));
    auto* bar = new TcxScrollBar(form.get());
    bar->LookAndFeel()->SetKind(lfStandard);
    bar->SetKind(sbVertical);
    bar->SetBounds(10, 10, 17, 240);
    bar->SetParent(form.get());
    bar->SetScrollParams(0, 100, 30, 20);
    TBitmap picture(bar->Width(), bar->Height(), pf32bit);
    bar->Perform(WM_PAINT, WPARAM(picture.Canvas()->Handle()));
    const TRect thumb = bar->ViewInfo()->ThumbnailRect();
    const DWORD face = Rgb(ColorToRGB(clBtnFace));
    auto rgb = [&](int x, int y) {
        DWORD p = PixelAt(&picture, x, y);
        return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);  // BGR to RGB
    };
    // Inside the thumb: the button face; above it: the track's two-colour pattern.
    const int cx = (thumb.left + thumb.right) / 2, cy = (thumb.top + thumb.bottom) / 2;
    EXPECT_EQ(rgb(cx, cy), face);
    EXPECT_EQ(rgb(cx + 1, cy + 1), face);
    const int ty = (bar->ViewInfo()->PageUpRect().top + thumb.top) / 2;
    EXPECT_NE(rgb(cx, ty), rgb(cx + 1, ty));
}

// ---- the mouse -----------------------------------------------------------------------------

class cxScrollBarMouse : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        form.reset(NewShownForm(400, 300));
        bar = new TcxScrollBar(form.get());
        bar->SetKind(sbVertical);
        bar->SetBounds(20, 20, 17, 240);
        bar->SetParent(form.get());
        bar->HandleNeeded();
        recorder.Attach(bar);
        bar->OnMouseMove = MakeEvent(this, &cxScrollBarMouse::Moved);
    }
    void TearDown() override {
        MouseButton(false);
        PumpUntilIdle();
        form.reset();
        WindowTest::TearDown();
    }
    TPoint Screen(TPoint client) { return bar->ClientToScreen(client); }
    // Moves the pointer and waits until the bar has handled the move.
    void MoveTo(TPoint client) {
        MoveMouseTo(Screen(client));
        ASSERT_TRUE(PumpUntil([&] { return lastMove.x == client.x && lastMove.y == client.y; }, 1000));
    }
    void Moved(TObject*, TShiftState, int x, int y) { lastMove = TPoint{x, y}; }

    std::unique_ptr<TForm> form;
    TcxScrollBar* bar = nullptr;
    TScrollRecorder recorder;
    TPoint lastMove{-10000, -10000};
};

TEST_F(cxScrollBarMouse, AHeldArrowStepsAtOnceThenAfter400ThenEvery60AndPausesOffTheArrow) {
    bar->SetScrollParams(0, 1000, 0, 0);
    const TPoint arrow{8, bar->Height() - 4};
    MoveTo(arrow);
    MouseButton(true);
    ASSERT_TRUE(PumpUntil([&] { return recorder.Count(scLineDown) >= 6; }, 3000));
    std::vector<DWORD> t = recorder.Times(scLineDown);
    const DWORD first = t[1] - t[0];
    EXPECT_GE(first, 330u);
    EXPECT_LE(first, 600u);
    const DWORD average = (t[5] - t[1]) / 4;
    EXPECT_GE(average, 45u);
    EXPECT_LE(average, 120u);
    EXPECT_EQ(bar->Position(), recorder.Count(scLineDown));

    // Off the arrow (onto the track) the repeat pauses; back on it, it resumes.
    MoveTo(TPoint{8, bar->Height() / 2});
    ASSERT_TRUE(PumpUntil([&] { return bar->HotPart() != sbpLineDown; }));
    const int paused = recorder.Count(scLineDown);
    EXPECT_TRUE(PumpForTicks(60, 5));  // the repeat interval
    EXPECT_EQ(recorder.Count(scLineDown), paused);
    MoveTo(arrow);
    EXPECT_TRUE(PumpUntil([&] { return recorder.Count(scLineDown) > paused + 1; }, 1000));

    MouseButton(false);
    ASSERT_TRUE(PumpUntil([&] { return recorder.Count(scEndScroll) == 1; }));
    EXPECT_EQ(bar->PressedPart(), sbpNone);
    const int released = recorder.Count(scLineDown);
    EXPECT_TRUE(PumpForTicks(60, 4));
    EXPECT_EQ(recorder.Count(scLineDown), released);
}

TEST_F(cxScrollBarMouse, AThumbDraggedFarBesideTheBarSnapsBackAndResumesOnReturn) {
    bar->SetScrollParams(0, 100, 0, 0);
    const TRect thumb = bar->ViewInfo()->ThumbnailRect();
    const TPoint grip{8, (thumb.top + thumb.bottom) / 2};
    MoveTo(grip);
    MouseButton(true);
    ASSERT_TRUE(PumpUntil([&] { return bar->PressedPart() == sbpThumbnail; }));
    MoveTo(TPoint{grip.x, grip.y + 60});
    const int dragged = bar->Position();
    EXPECT_GT(dragged, 0);
    EXPECT_EQ(recorder.scrolls.back().code, scTrack);
    EXPECT_EQ(recorder.scrolls.back().position, dragged);

    // 136 pixels beside the bar the drag goes on; 137 pixels beside it the thumb goes back.
    MoveTo(TPoint{16 + 136, grip.y + 60});
    EXPECT_EQ(bar->Position(), dragged);
    MoveTo(TPoint{16 + 137, grip.y + 60});
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(bar->ViewInfo()->ThumbnailRect().top, thumb.top);
    EXPECT_EQ(recorder.scrolls.back().code, scTrack);
    EXPECT_EQ(recorder.scrolls.back().position, 0);

    MoveTo(TPoint{grip.x, grip.y + 60});
    EXPECT_EQ(bar->Position(), dragged);
    MouseButton(false);
    ASSERT_TRUE(PumpUntil([&] { return recorder.Count(scEndScroll) == 1; }));
    ASSERT_GE(recorder.scrolls.size(), 2u);
    const TScrollRecord& final = recorder.scrolls[recorder.scrolls.size() - 2];
    EXPECT_EQ(final.code, scPosition);
    EXPECT_EQ(final.position, dragged);
    EXPECT_EQ(bar->Position(), dragged);
}

TEST_F(cxScrollBarMouse, DraggingAThumbThatFillsTheTrackReportsMin) {
    bar->SetScrollParams(5, 14, 5, 10);
    const TRect thumb = bar->ViewInfo()->ThumbnailRect();
    ASSERT_EQ(bar->ViewInfo()->ThumbLength(), bar->ViewInfo()->TrackLength());
    const TPoint grip{8, (thumb.top + thumb.bottom) / 2};
    MoveTo(grip);
    MouseButton(true);
    ASSERT_TRUE(PumpUntil([&] { return bar->PressedPart() == sbpThumbnail; }));
    MoveTo(TPoint{grip.x, grip.y + 15});
    MoveTo(TPoint{grip.x, grip.y - 15});
    MouseButton(false);
    ASSERT_TRUE(PumpUntil([&] { return recorder.Count(scEndScroll) == 1; }));
    for (const TScrollRecord& r : recorder.scrolls) EXPECT_EQ(r.position, 5) << "code " << int(r.code);
    EXPECT_EQ(bar->Position(), 5);
    EXPECT_EQ(bar->ViewInfo()->ThumbStart(), bar->ViewInfo()->TrackStart());
}

}  // namespace
