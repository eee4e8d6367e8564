// The test form as a person sees it: every standard control on screen, none hidden by another.
// With ZARNIK_CONTROLS_PICTURE set to a file name the form's window is saved there as a BMP; the
// picture in docs/standard-controls.png is made that way (see docs/ARCHITECTURE.md).

#include <cstdlib>
#include <set>

#include "ControlsTestForm.h"
#include "SysUtils.h"

namespace {

// Checks that each visible child of a showing container shows, inside the container's client
// area and clear of its visible siblings; collects the class names met on the way.
void CheckShownChildren(TWinControl* container, std::set<String>& classes) {
    const TRect client = container->ClientRect();
    std::vector<TControl*> shown;
    for (int i = 0; i < container->ControlCount(); ++i) {
        TControl* child = container->Controls(i);
        if (!child->Visible()) continue;
        SCOPED_TRACE(Utf8(child->Name()));
        classes.insert(child->ClassName());
        EXPECT_TRUE(child->Showing());
        const TRect r = child->BoundsRect();
        EXPECT_TRUE(r.left >= client.left && r.top >= client.top && r.right <= client.right &&
                    r.bottom <= client.bottom)
            << r.left << "," << r.top << "," << r.right << "," << r.bottom;
        for (TControl* other : shown) {
            TRect common;
            const TRect o = other->BoundsRect();
            EXPECT_FALSE(IntersectRect(&common, &r, &o)) << "overlaps " << Utf8(other->Name());
        }
        shown.push_back(child);
        if (auto* inner = As<TWinControl>(child)) CheckShownChildren(inner, classes);
    }
}

}  // namespace

TEST_F(StandardControlsTest, EveryStandardControlShowsOnTheTestFormUncovered) {
    // Some state to look at: a chosen file, an open folder with a chosen texture (the tree has
    // the focus), a pressed tool button.
    auto* files = form->Find<TListView>(L"lvFiles");
    files->SetHideSelection(false);
    files->Items()->Item(2)->SetSelected(true);
    auto* folders = form->Find<TTreeView>(L"tvFolders");
    TTreeNode* textures = folders->Items()->Item(0);
    textures->SetExpanded(true);
    textures->Item(1)->SetSelected(true);
    folders->SetFocus();
    form->Find<TToolButton>(L"btnGrid")->SetDown(true);
    form->Find<TListBox>(L"lbNames")->SetItemIndex(1);
    form->Update();
    PumpUntilIdle();

    std::set<String> classes;
    CheckShownChildren(form, classes);
    for (const wchar_t* name : {L"TEdit", L"TComboBox", L"TListBox", L"TListView", L"TTreeView", L"TToolBar",
                                L"TToolButton", L"TPageControl", L"TTabSheet", L"TCheckBox", L"TGroupBox", L"TBevel",
                                L"TSpeedButton", L"TLabel", L"TButton", L"TBitBtn", L"TPanel"})
        EXPECT_EQ(classes.count(name), 1u) << Utf8(name);

    if (const char* file = std::getenv("ZARNIK_CONTROLS_PICTURE")) {
        RECT window;
        GetWindowRect(form->Handle(), &window);
        TBitmap picture(window.right - window.left, window.bottom - window.top, pf24bit);
        HDC screen = GetDC(nullptr);
        BitBlt(picture.Canvas()->Handle(), 0, 0, picture.Width(), picture.Height(), screen, window.left, window.top,
               SRCCOPY);
        ReleaseDC(nullptr, screen);
        picture.SaveToFile(UTF8ToString(file));
    }
}
