// The ribbon status bar: its pixels against the colour scheme's own status-bar drawing (Blue and
// Lilian), the colours it takes from the scheme and keeps through scheme changes, the owner and
// parent checks, the frame flags it hands the ribbon form, and the ribbon going first.
#include <gtest/gtest.h>

#include <memory>

#include "ControlSnapshot.h"
#include "PixelSurface.h"
#include "RibbonTesting.h"
#include "dxRibbonForm.h"
#include "dxRibbonStatusBar.h"
#include "dxStatusBarTextPanel.h"
#include "Panel.h"
#include "PublishedDefaults.h"

namespace {

// A ribbon status bar needs a form as its owner: its defaults are checked on one (below).
const bool ribbonStatusBarLeftOutOfDefaultsTest = LeaveOutOfDefaultsTest(TdxRibbonStatusBar::StaticClass());

class RibbonStatusBarTest : public RibbonTest {
protected:
    void SetUp() override {
        RibbonTest::SetUp();
        // As on the editor's window: tied to the ribbon, no grip, no panels.
        bar = new TdxRibbonStatusBar(form.get());
        bar->SetParent(form.get());
        bar->SetRibbon(ribbon);
        bar->SetSizeGrip(false);
        bar->HandleNeeded();
        PumpUntilIdle();
    }
    TdxCustomRibbonSkin* Scheme(const wchar_t* name) {
        return dynamic_cast<TdxCustomRibbonSkin*>(BarSkinManagerInstance()->FindSkin(name));
    }
    // What the bar should show with no panels: the scheme's background, then one lowered panel
    // inside the one-pixel margins at the left, top and right.
    std::unique_ptr<TPainterTestSurface> EmptyBarAsTheSchemeDrawsIt(TdxCustomRibbonSkin* scheme) {
        auto surface = std::make_unique<TPainterTestSurface>(bar->Width(), bar->Height());
        const TRect all{0, 0, bar->Width(), bar->Height()};
        scheme->DrawStatusBar(surface->dc, all);
        const TRect panel{1, 1, bar->Width() - 1, bar->Height()};
        scheme->DrawStatusBarPanel(surface->dc, panel, panel, true);
        return surface;
    }
    void ExpectShowsTheEmptyBarOf(const wchar_t* schemeName) {
        TdxCustomRibbonSkin* scheme = Scheme(schemeName);
        ASSERT_NE(scheme, nullptr) << schemeName;
        auto reference = EmptyBarAsTheSchemeDrawsIt(scheme);
        TControlSnapshot shot(bar);
        int differing = 0;
        for (int y = 0; y < bar->Height(); ++y)
            for (int x = 0; x < bar->Width(); x += 7)
                if (shot.Pixel(x, y) != TColor(reference->Pixel(x, y))) ++differing;
        EXPECT_EQ(differing, 0) << schemeName;
    }

    TdxRibbonStatusBar* bar = nullptr;  // owned by the form
};

}  // namespace

TEST_F(RibbonStatusBarTest, TheEditorsBarShowsTheSchemesBackgroundAndOneLoweredPanelOverItsWidth) {
    EXPECT_EQ(bar->Height(), 23);
    EXPECT_EQ(bar->Width(), form->ClientWidth());
    EXPECT_EQ(bar->Top(), form->ClientHeight() - 23) << "aligned to the bottom";
    ExpectShowsTheEmptyBarOf(L"Blue");
    // The scheme's picture is not plain: a wrong rectangle or scheme would show.
    auto blue = EmptyBarAsTheSchemeDrawsIt(Scheme(L"Blue"));
    auto lilian = EmptyBarAsTheSchemeDrawsIt(Scheme(L"Lilian"));
    EXPECT_NE(blue->Pixel(bar->Width() / 2, 10), lilian->Pixel(bar->Width() / 2, 10));

    // The listener path: the ribbon's scheme change repaints the bar in the new scheme.
    ribbon->SetColorSchemeName(L"Lilian");
    ExpectShowsTheEmptyBarOf(L"Lilian");
}

TEST_F(RibbonStatusBarTest, ANewBarHoldsItsDeclaredDefaults) {
    std::unique_ptr<TForm> other(NewShownForm(300, 200));
    auto* fresh = new TdxRibbonStatusBar(other.get());
    for (const std::string& off : PropertiesOffTheirDefaults(fresh)) ADD_FAILURE() << off;
}

TEST_F(RibbonStatusBarTest, TextTakesTheSchemesStatusBarTextColour) {
    for (const wchar_t* name : {L"Blue", L"Lilian"}) {
        ribbon->SetColorSchemeName(name);
        TdxCustomRibbonSkin* scheme = Scheme(name);
        TColor color = clDefault;
        bar->AdjustTextColor(color, true);
        EXPECT_EQ(color, scheme->PartColor(10138, 0)) << name;
        bar->AdjustTextColor(color, false);
        EXPECT_EQ(color, scheme->PartColor(10138, 1)) << name;
    }
    // A text panel draws its caption in that colour.
    TdxStatusBarPanel* panel = bar->AddPanel();
    panel->SetText(L"ГОТОВО ГОТОВО");
    panel->SetWidth(200);
    ASSERT_EQ(panel->PanelStyle()->Font()->Color(), clDefault);
    const TColor text = Scheme(L"Lilian")->PartColor(10138, 0);
    TControlSnapshot shot(bar);
    int inTextColour = 0;
    for (int y = 0; y < bar->Height(); ++y)
        for (int x = 0; x < 200; ++x)
            if (shot.Pixel(x, y) == text) ++inTextColour;
    EXPECT_GT(inTextColour, 20);

    // Without a ribbon the font's own colour is used.
    bar->SetRibbon(nullptr);
    bar->Font()->SetColor(clRed);
    TColor plain = clDefault;
    bar->AdjustTextColor(plain, true);
    EXPECT_EQ(plain, clRed);
}

TEST_F(RibbonStatusBarTest, ASchemeChangeRecoloursADefaultBarAndKeepsAnExplicitColour) {
    EXPECT_EQ(bar->StoredColor(), clDefault);
    EXPECT_EQ(bar->Color(), Scheme(L"Blue")->PartColor(10018, 0));
    ribbon->SetColorSchemeName(L"Lilian");
    EXPECT_EQ(bar->Color(), Scheme(L"Lilian")->PartColor(10018, 0));
    ASSERT_NE(Scheme(L"Lilian")->PartColor(10018, 0), Scheme(L"Blue")->PartColor(10018, 0));

    bar->SetStoredColor(clTeal);
    EXPECT_EQ(bar->Color(), clTeal);
    ribbon->SetColorSchemeName(L"Blue");
    EXPECT_EQ(bar->Color(), clTeal);
    // Back to clDefault: the scheme's colour again.
    bar->SetStoredColor(clDefault);
    EXPECT_EQ(bar->Color(), Scheme(L"Blue")->PartColor(10018, 0));
}

TEST_F(RibbonStatusBarTest, OwnerAndParentMustBeAFormWithOneBar) {
    EXPECT_EQ(ExceptionText([&] { new TdxRibbonStatusBar(form.get()); }),
              L"There should be only one TdxRibbonStatusBar instance on the form");
    EXPECT_EQ(ExceptionText([&] { new TdxRibbonStatusBar(manager); }),
              L"TdxRibbonStatusBar should have TCustomForm as its Owner");

    std::unique_ptr<TForm> other(NewShownForm(300, 200));
    auto* second = new TdxRibbonStatusBar(other.get());
    auto* loosePanel = new TPanel(other.get());  // on no form
    EXPECT_EQ(ExceptionText([&] { second->SetParent(loosePanel); }),
              L"TdxRibbonStatusBar should have TCustomForm as its Parent");
    EXPECT_EQ(second->Parent(), nullptr);
    // A panel that lies on a form will do; the bar goes below its bottom-aligned neighbours.
    loosePanel->SetParent(other.get());
    auto* bottomPanel = new TPanel(other.get());
    bottomPanel->SetHeight(30);
    bottomPanel->SetAlign(alBottom);
    bottomPanel->SetParent(other.get());
    second->SetParent(other.get());
    EXPECT_GT(second->Top(), bottomPanel->Top());
}

TEST_F(RibbonStatusBarTest, FreeingTheRibbonLeavesAPlainFramedBar) {
    FreeObject(ribbon);
    ribbon = nullptr;
    EXPECT_EQ(bar->Ribbon(), nullptr);
    EXPECT_EQ(bar->UsableScheme(), nullptr);
    TControlSnapshot shot(bar);
    EXPECT_EQ(shot.Pixel(0, 5), TColor(ColorToRGB(clBtnShadow)));
    EXPECT_EQ(shot.Pixel(bar->Width() / 2, 0), TColor(ColorToRGB(clBtnShadow)));
    EXPECT_EQ(shot.Pixel(bar->Width() / 2, 10), TColor(ColorToRGB(clBtnFace)));
}

// ---- the ribbon form's frame beside the bar ------------------------------------------------

using RibbonStatusBarFrameTest = WindowTest;

TEST_F(RibbonStatusBarFrameTest, TheBarJoinsTheRibbonFormsFrameAndSaysWhichEndsAreRaised) {
    std::unique_ptr<TdxRibbonForm> form(CreateNewForm<TdxRibbonForm>(nullptr));
    form->SetPosition(poDesigned);
    form->SetBounds(0, 0, 640, 420);
    auto* manager = new TdxBarManager(form.get());
    auto* ribbon = new TdxRibbon(form.get());
    ribbon->SetFadingEnabled(false);
    ribbon->SetParent(form.get());
    ribbon->SetBarManager(manager);
    ribbon->SetColorSchemeName(L"Blue");
    ribbon->Tabs()->Add()->SetCaption(L"Элементы");
    ribbon->SetSupportNonClientDrawing(true);
    auto* bar = new TdxRibbonStatusBar(form.get());
    bar->SetParent(form.get());
    form->Show();
    PumpUntilIdle();
    auto bottomInset = [&] {
        RECT w, c;
        GetWindowRect(form->Handle(), &w);
        GetClientRect(form->Handle(), &c);
        POINT origin{0, 0};
        ClientToScreen(form->Handle(), &origin);
        return w.bottom - (origin.y + c.bottom);
    };
    EXPECT_EQ(bottomInset(), 4) << "no ribbon on the bar yet";
    bar->SetRibbon(ribbon);
    EXPECT_EQ(ribbon->GetStatusBarPart(), static_cast<IdxRibbonStatusBarPart*>(bar));
    SetWindowPos(form->Handle(), nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(bottomInset(), 1);
    EXPECT_EQ(bar->GetHeight(), 23);

    // The grip raises the right end; a raised first panel the left one.
    EXPECT_TRUE(bar->SizeGripVisible());
    EXPECT_EQ(bar->IsFrameRaised(false), 1);
    EXPECT_EQ(bar->IsFrameRaised(true), 0);
    TdxStatusBarPanel* first = bar->AddPanel();
    first->SetBevel(dxpbRaised);
    bar->AddPanel();
    EXPECT_EQ(bar->IsFrameRaised(true), 1);
    EXPECT_TRUE(bar->NeedSizeGripSeparator()) << "the last panel is lowered";
    bar->SetSizeGrip(false);
    EXPECT_EQ(bar->IsFrameRaised(false), 0);

    // Hiding the bar gives the frame its full bottom at once.
    bar->SetVisible(false);
    EXPECT_EQ(ribbon->GetStatusBarPart(), nullptr);
    EXPECT_EQ(bottomInset(), 4);
    bar->SetVisible(true);
    EXPECT_EQ(bottomInset(), 1);

    // A bar that goes leaves the ribbon's parts.
    FreeObject(bar);
    EXPECT_EQ(ribbon->GetStatusBarPart(), nullptr);
    form.reset();
}
