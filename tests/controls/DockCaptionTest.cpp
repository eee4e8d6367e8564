// The panel as a dock site: its dock manager's caption strips with the close glyph, at the top of
// each client or, in a panel aligned to the top or bottom, at its left with the text upright.

#include <gtest/gtest.h>

#include <memory>

#include "ControlSnapshot.h"
#include "ControlTesting.h"
#include "ControlsUnits.h"
#include "RzPanel.h"
#include "WindowTesting.h"

namespace {

class DockCaptionTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        InitializeControlsUnits();
        form.reset(NewShownForm(400, 300));
        site = new TRzCustomPanel(form.get());
        site->SetParent(form.get());
        site->SetBorderOuter(fsNone);
        site->SetDockSite(true);
        site->SetUseDockManager(true);
        client = new TRzCustomPanel(form.get());
        client->SetParent(form.get());
        client->SetCaption(L"Docked tools");
        client->SetColor(clWhite);
        client->SetBorderOuter(fsNone);
    }
    // The bounding box of the pixels of a colour inside r of the snapshot.
    static TRect Extent(const TControlSnapshot& shot, const TRect& r, TColor color) {
        TRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (shot.Pixel(x, y) == color) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        return box;
    }
    std::unique_ptr<TForm> form;
    TRzCustomPanel* site = nullptr;
    TRzCustomPanel* client = nullptr;
};

}  // namespace

TEST_F(DockCaptionTest, ALeftAlignedSiteDrawsTheCaptionStripAboveTheClient) {
    site->SetAlign(alLeft);
    site->SetWidth(200);
    ASSERT_NE(As<TRzPanelDockManager>(site->DockManager()), nullptr);
    EXPECT_TRUE(site->DoubleBuffered());
    ASSERT_TRUE(client->ManualDock(site));
    PumpUntilIdle();
    EXPECT_EQ(client->Parent(), site);
    EXPECT_EQ(client->Top(), 14);
    EXPECT_EQ(client->Left(), 0);
    EXPECT_EQ(client->Width(), 200);

    // The client does not hold the focus: the inactive colours.
    TControlSnapshot shot(site);
    EXPECT_EQ(shot.Pixel(100, 0), RgbOf(clInactiveCaption));
    EXPECT_EQ(shot.Pixel(100, 13), RgbOf(clInactiveCaption));
    TColor text = RgbOf(clInactiveCaptionText);
    TRect caption = Extent(shot, TRect{0, 0, 180, 14}, text);
    EXPECT_GE(caption.left, 2);
    EXPECT_GT(caption.right - caption.left, 30);  // the text runs along the strip
    // The close glyph in (Right - 15, Top + 1, Right - 2, Top + 12). (Its shape depends on the
    // machine having the Marlett font; without it the mapper draws a plain "r".)
    TRect close = Extent(shot, TRect{180, 0, 200, 14}, text);
    EXPECT_GE(close.left, 185);
    EXPECT_LE(close.right, 198);
    EXPECT_GE(close.top, 1);
    EXPECT_LE(close.bottom, 12);

    // Focus in the client: the active colours.
    auto* field = new TFocusTarget(form.get());
    field->SetParent(client);
    field->SetBounds(10, 10, 40, 20);
    PumpUntilIdle();
    field->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return field->Focused(); }));
    TControlSnapshot focused(site);
    EXPECT_EQ(focused.Pixel(100, 0), RgbOf(clActiveCaption));

    site->SetShowDockClientCaptions(false);
    TControlSnapshot plain(site);
    EXPECT_NE(plain.Pixel(100, 0), RgbOf(clActiveCaption));
}

TEST_F(DockCaptionTest, ATopAlignedSiteDrawsTheCaptionUprightAtTheClientsLeft) {
    site->SetAlign(alTop);
    site->SetHeight(150);
    ASSERT_TRUE(client->ManualDock(site));
    PumpUntilIdle();
    EXPECT_EQ(client->Left(), 14);
    EXPECT_EQ(client->Top(), 0);
    EXPECT_EQ(client->Height(), 150);
    TControlSnapshot shot(site);
    EXPECT_EQ(shot.Pixel(0, 100), RgbOf(clInactiveCaption));
    EXPECT_EQ(shot.Pixel(13, 100), RgbOf(clInactiveCaption));
    TColor text = RgbOf(clInactiveCaptionText);
    // The turned text runs up from the strip's bottom.
    TRect caption = Extent(shot, TRect{0, 14, 14, 150}, text);
    EXPECT_GT(caption.bottom - caption.top, 30);
    EXPECT_LE(caption.right - caption.left, 12);
    EXPECT_LE(caption.bottom, 150 - 2);
    // The close glyph in the top corner (Left + 1, Top + 1, Left + 12, Top + 12).
    TRect close = Extent(shot, TRect{0, 0, 14, 14}, text);
    EXPECT_GE(close.left, 1);
    EXPECT_GE(close.top, 1);
    EXPECT_LE(close.right, 12);
    EXPECT_LE(close.bottom, 12);
}
