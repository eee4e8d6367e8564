// The editor's main window, made from the program's own description on the shipped data and
// driven by real input: start-up, picking, adding, selecting and deleting blocks, the element
// commands, the camera, and opening and saving levels; then the window's start on damaged data.
// With ZARNIK_SHOTS naming a folder, the start-up test saves the window's picture there as
// editor.bmp (scripts/editor-picture.sh makes docs/editor.png of it).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "EditorFixtures.h"
#include "GLCadencer.h"
#include "GLCamera.h"
#include "GLMaterial.h"
#include "GLWin32Viewer.h"
#include "IniFiles.h"
#include "OpenGL1x.h"
#include "RzShellOpenSaveForm.h"
#include "RzToolButton.h"
#include "Screen.h"
#include "VectorGeometry.h"
#include "WindowTesting.h"
#include "dxBarCombo.h"
#include "dxBarComboControl.h"
#include "dxBarExtItems.h"
#include "dxRibbonPopupMenu.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxCustomBarControl.h"
#include "dxBarSkin.h"
#include "dxRibbon.h"
#include "dxRibbonSkins.h"
#include "dxRibbonViewInfo.h"
#include "ControlSnapshot.h"
#include "dxRibbonStatusBar.h"
#include "uBot.h"
#include "uLevelDialogs.h"
#include "uMain.h"

namespace {

void SendMouseFlags(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
}

std::vector<String> ItemsOf(TdxBarCombo* combo) {
    std::vector<String> items;
    for (int i = 0; i < combo->Items()->Count(); ++i) items.push_back(combo->Items()->Get(i));
    return items;
}

Single Distance(const TVector4f& a, const TVector4f& b) {
    return Single(
        std::sqrt(double(a.X - b.X) * (a.X - b.X) + double(a.Y - b.Y) * (a.Y - b.Y) + double(a.Z - b.Z) * (a.Z - b.Z)));
}

// The main window on the shipped data, shown and drawn once, its dialogs answered by the test.
class MainWindow : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        SetLevelDialogRunner([this](TRzFileDialog* dialog) {
            dialogsRun.push_back(dialog);
            shownNames.push_back(dialog->GetFileName());
            if (dialogAnswer.empty()) return false;
            dialog->SetFileName(dialogAnswer);
            return true;
        });
        savedFolder = GetCurrentDir();  // the robot makes its own folder the current one
        form = static_cast<TfmMain*>(TfmMain::StaticClass()->Create(static_cast<TComponent*>(nullptr)));
        // The robot's animation is not what these tests look at: frames come only when asked.
        form->GLCadencer->SetEnabled(false);
        form->Show();
        SetForegroundWindow(form->Handle());
        ASSERT_TRUE(PumpUntil([&] { return Buffer()->FrameCount() > 0; }));
    }
    void TearDown() override {
        FreeObject(form);
        SetLevelDialogRunner({});
        SetCurrentDir(savedFolder);
        WindowTest::TearDown();
    }

    TGLSceneBuffer* Buffer() { return form->GLSceneViewer->Buffer(); }
    TLevel* Level() { return form->Level(); }
    // The view pixel (from the top left) where a world point is drawn.
    TPoint ViewPixel(Single x, Single y, Single z) {
        const TAffineVector p = Buffer()->WorldToScreen(TAffineVector{x, y, z});
        return {int(std::lround(p.X)), Buffer()->Height() - int(std::lround(p.Y))};
    }
    TPoint ScreenOf(TPoint viewPixel) { return form->GLSceneViewer->ClientToScreen(viewPixel); }
    // The screen point over the ground centre of a cell.
    TPoint CellOnScreen(Integer x, Integer z) { return ScreenOf(ViewPixel(Single(x), 0, Single(z))); }
    // The item's first link on a shown bar window of the ribbon.
    TdxBarItemLink* ShownLink(const wchar_t* name) {
        auto* item = As<TdxBarItem>(form->FindComponent(name));
        EXPECT_NE(item, nullptr) << name;
        if (!item) return nullptr;
        for (int i = 0; i < item->GetLinkCount(); ++i) {
            TdxBarItemLink* link = item->GetLink(i);
            TCustomdxBarControl* bar = link->GetBarControl();
            if (link->Control() && bar && bar->HandleAllocated() && IsWindowVisible(bar->Handle())) return link;
        }
        return nullptr;
    }
    // Clicks the command's button on the ribbon with the mouse.
    void Press(const wchar_t* button) {
        TdxBarItemLink* link = ShownLink(button);
        ASSERT_NE(link, nullptr) << "no shown button for " << Utf8(button);
        const TRect r = link->ItemRect();
        ClickAt(link->GetBarControl()->ClientToScreen(TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2}));
        ASSERT_TRUE(PumpUntilIdle());
    }
    void LeftClickCell(Integer x, Integer z) {
        MoveMouseTo(CellOnScreen(x, z));
        ASSERT_TRUE(PumpUntilIdle());
        ClickAt(CellOnScreen(x, z));
        ASSERT_TRUE(PumpUntilIdle());
    }
    TGLBaseSceneObject* Tile(Integer index) { return form->dcLights->GetChild(index); }

    // The next frame the view draws, read back before it is shown: RGBA bytes, bottom row first.
    struct TFrame {
        int Width = 0, Height = 0;
        std::vector<unsigned> Pixels;
        // The colour (0xBBGGRR) at a view pixel counted from the top left.
        unsigned At(TPoint p) const {
            EXPECT_TRUE(p.x >= 0 && p.y >= 0 && p.x < Width && p.y < Height) << p.x << "," << p.y;
            if (p.x < 0 || p.y < 0 || p.x >= Width || p.y >= Height) return 0;
            return Pixels[size_t(Height - 1 - p.y) * Width + p.x] & 0xFFFFFF;
        }
    };
    TFrame NextFrame() {
        TFrame frame;
        frame.Width = Buffer()->Width();
        frame.Height = Buffer()->Height();
        frame.Pixels.assign(size_t(frame.Width) * frame.Height, 0);
        frameTarget = &frame;
        form->GLSceneViewer->SetPostRender(MakeEvent(this, &MainWindow::ReadFrame));
        const int before = Buffer()->FrameCount();
        form->GLSceneViewer->Invalidate();
        EXPECT_TRUE(PumpUntil([&] { return Buffer()->FrameCount() > before; }));
        form->GLSceneViewer->SetPostRender({});
        frameTarget = nullptr;
        return frame;
    }
    void ReadFrame(TObject*) {
        GL.glReadBuffer(GL_BACK);
        GL.glReadPixels(0, 0, frameTarget->Width, frameTarget->Height, GL_RGBA, GL_UNSIGNED_BYTE,
                        frameTarget->Pixels.data());
    }
    TFrame* frameTarget = nullptr;

    // The window's client area as a person sees it: the controls read from the screen, the 3D
    // view from its frame (Wine under Xvfb does not show OpenGL drawn into a child window).
    void SaveWindowPicture(const std::string& fileName) {
        form->MainScene->Progress(0.5, 0.5);  // the robot's pose and the flare as time has passed
        const TFrame frame = NextFrame();
        form->Repaint();
        PumpUntilIdle();
        const int width = form->ClientWidth(), height = form->ClientHeight();
        const TPoint origin = form->ClientToScreen({0, 0});
        const TPoint view = form->GLSceneViewer->ClientToScreen({0, 0});
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
        SaveBmp24(
            width, height,
            [&](int x, int y) {
                const int top = height - 1 - y;
                const TPoint inView{x - (view.x - origin.x), top - (view.y - origin.y)};
                unsigned c;
                if (inView.x >= 0 && inView.y >= 0 && inView.x < frame.Width && inView.y < frame.Height) {
                    c = frame.Pixels[size_t(frame.Height - 1 - inView.y) * frame.Width + inView.x];
                } else {
                    c = GetPixel(memory, x, top);
                }
                return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);  // 0x..BBGGRR to 0xRRGGBB
            },
            fileName);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }
    Single MarkerY() { return form->SelectedPos->Position()->Y(); }

    TfmMain* form = nullptr;
    String savedFolder;
    String dialogAnswer;
    std::vector<TRzFileDialog*> dialogsRun;
    std::vector<String> shownNames;
};

}  // namespace

// ---- start-up --------------------------------------------------------------------------------

TEST_F(MainWindow, StartsOnTheShippedDataWithAnEmptyGridTheRobotOnFourFourAndBothCombosFilled) {
    EXPECT_TRUE(TakeBoxes().empty());
    EXPECT_EQ(form->Caption(), L"Редактор Zarnik");
    EXPECT_EQ(form->ClientWidth(), 854);
    EXPECT_EQ(form->ClientHeight(), 609);
    EXPECT_EQ(Buffer()->Width(), 854);
    EXPECT_EQ(Buffer()->Height(), 470);

    // The library: eleven built-in materials, then the catalogue.
    TGLLibMaterials* materials = form->libMaterials->Materials();
    ASSERT_EQ(materials->Count(), 19);
    for (int i = 0; i < 11; ++i) EXPECT_EQ(materials->ItemAt(i)->Name(), kBuiltInMaterialNames[i]);
    EXPECT_EQ(ItemsOf(form->btnBlockMaterial), (std::vector<String>{L"Beton", L"Area_red", L"Area_green", L"Area_blue",
                                                                    L"Area_yellow", L"Area_black", L"Stone"}));
    EXPECT_EQ(ItemsOf(form->btnSkyMaterial),
              (std::vector<String>{L"SkyDay", L"SkyEvening", L"SkyNight", L"SkyOvercast"}));
    // Index 11 selected nothing and still reported a change: the blocks have no material.
    EXPECT_EQ(form->btnBlockMaterial->ItemIndex(), -1);
    EXPECT_EQ(form->btnBlockMaterial->GetText(), L"");
    EXPECT_EQ(form->btnSkyMaterial->ItemIndex(), -1);
    EXPECT_EQ(Level()->BlockMaterialName(), L"");

    // An empty grid, the robot on (4, 4) facing +X, idle, the folder for levels made.
    EXPECT_EQ(form->dcBlocks->Count(), 0);
    EXPECT_EQ(form->dcLights->Count(), 0);
    EXPECT_EQ(form->Bot()->GetCell(), (TGridCell{4, 4}));
    EXPECT_EQ(form->Bot()->ActorCube()->Position()->Y(), 0);
    EXPECT_FALSE(form->Adding());
    EXPECT_EQ(form->SelectedCube(), nullptr);
    EXPECT_TRUE(DirectoryExists(EditorFolder() + L"levels\\"));
    EXPECT_EQ(form->od->InitialDir(), EditorFolder() + L"levels\\");
    EXPECT_EQ(form->sd->GetFileName(), L"Level01.level");
    EXPECT_EQ(form->od->Title(), L"Открыть уровень");
    EXPECT_EQ(form->sd->Title(), L"Сохранить уровень");
    EXPECT_EQ(form->sd->Filter(), L"Файлы уровней (*.level)|*.level");
    EXPECT_TRUE(form->GLCamera->GetAbsolutePosition().X == 11 && form->GLCamera->GetAbsolutePosition().Z == 4);
    if (const char* shots = std::getenv("ZARNIK_SHOTS")) SaveWindowPicture(std::string(shots) + "/editor.bmp");
}

// ---- the ribbon -----------------------------------------------------------------------------

namespace {

using THandler = void (TfmMain::*)(TObject*);

// A command as the window's description lays it out.
struct TCommand {
    const wchar_t* Name;
    const wchar_t* Caption;
    int Category;
    int LargeImage;     // -1: none
    const wchar_t* Bar;  // nullptr: on no bar
    bool BeginsGroup;
    THandler Handler;  // nullptr: none
};

const TCommand kCommands[] = {
    {L"btnExit", L"Выход", 0, 0, L"BarFile", false, &TfmMain::btnExitClick},
    {L"btnLoad", L"Открыть", 0, 1, L"BarFile", false, &TfmMain::btnLoadClick},
    {L"btnSave", L"Сохранить", 0, 2, L"BarFile", false, &TfmMain::btnSaveClick},
    {L"btnReset", L"Очистить уровень", 1, 9, L"BarFile", true, &TfmMain::btnResetClick},
    {L"btnAdd", L"Добавить блок", 1, 7, L"BarAction", false, &TfmMain::btnAddClick},
    {L"btnDelete", L"Удалить блок", 1, 8, L"BarAction", false, &TfmMain::btnDeleteClick},
    {L"btnStartPos", L"Стартовая позиция", 2, 10, L"BarElement", false, &TfmMain::btnStartPosClick},
    {L"btnRotate", L"Повернуть", 2, 3, L"BarElement", false, &TfmMain::btnRotateClick},
    {L"btnOnOff", L"Включить выключить", 2, 6, L"BarElement", true, &TfmMain::btnOnOffClick},
    {L"btnHelp", L"Справка", 4, -1, L"BarHelp", false, nullptr},
    {L"btnAbout", L"О программе", 4, -1, L"BarHelp", true, nullptr},
    {L"btnAddMaterial", L"Добавить текстуру", 3, 7, nullptr, false, nullptr},
    {L"dxBarLargeButton1", L"Удалить текстуру", 3, 8, nullptr, false, nullptr},
};

// The names of the items a bar links, in order; a leading '+' marks a link that begins a group.
std::vector<String> LinkNames(TdxBar* bar) {
    std::vector<String> names;
    TdxBarItemLinks* links = bar->ItemLinks();
    for (int i = 0; i < links->Count(); ++i) {
        TdxBarItemLink* link = links->GetLink(i);
        names.push_back((link->BeginGroup() ? L"+" : L"") + (link->Item() ? link->Item()->Name() : String(L"?")));
    }
    return names;
}

}  // namespace

TEST_F(MainWindow, TheRibbonFormHoldsTheTabsGroupsStatusBarAndMenuOfItsDescription) {
    EXPECT_NE(As<TdxRibbonForm>(form), nullptr);
    ASSERT_NE(form->dxRibbon1, nullptr);
    TdxRibbon* ribbon = form->dxRibbon1;
    EXPECT_EQ(ribbon->Align(), alTop);
    EXPECT_EQ(ribbon->Top(), 0);
    EXPECT_EQ(ribbon->Height(), 116);
    EXPECT_EQ(ribbon->Width(), form->ClientWidth());
    EXPECT_EQ(ribbon->ColorSchemeName(), L"Lilian");
    EXPECT_EQ(ribbon->BarManager(), form->dxBarManager);
    // The window keeps the system's caption and frame.
    EXPECT_FALSE(ribbon->SupportNonClientDrawing());
    EXPECT_NE(GetWindowLongW(form->Handle(), GWL_STYLE) & WS_CAPTION, 0);

    struct TTab {
        const wchar_t* Caption;
        bool Active;
        std::vector<String> Bars;
    } const tabs[] = {
        {L"Элементы", true, {L"BarFile", L"BarAction", L"BarElement", L"BarMaterials"}},
        {L"Помощь", false, {L"BarHelp"}},
    };
    ASSERT_EQ(ribbon->Tabs()->Count(), 2);
    for (int t = 0; t < 2; ++t) {
        TdxRibbonTab* tab = ribbon->Tabs()->Items(t);
        EXPECT_EQ(tab->Caption(), tabs[t].Caption);
        EXPECT_EQ(tab->Active(), tabs[t].Active) << tabs[t].Caption;
        std::vector<String> bars;
        for (int g = 0; g < tab->Groups()->Count(); ++g) {
            TdxBar* bar = tab->Groups()->Items(g)->ToolBar();
            bars.push_back(bar ? bar->Name() : String(L"(none)"));
        }
        EXPECT_EQ(bars, tabs[t].Bars) << tabs[t].Caption;
    }
    EXPECT_EQ(ribbon->ActiveTab(), ribbon->Tabs()->Items(0));

    // The bars: captions, links and the help bar on a row of its own.
    struct TBarLinks {
        const wchar_t* Name;
        const wchar_t* Caption;
        std::vector<String> Links;
    } const bars[] = {
        {L"BarFile", L"Файл", {L"btnExit", L"btnLoad", L"btnSave", L"+btnReset"}},
        {L"BarAction", L"Действия", {L"btnAdd", L"btnDelete"}},
        {L"BarElement", L"Элемент", {L"btnStartPos", L"btnRotate", L"+btnOnOff"}},
        {L"BarMaterials", L"Материалы", {L"btnSkyMaterial", L"btnBlockMaterial"}},
        {L"BarHelp", L"Помощь", {L"btnHelp", L"+btnAbout"}},
    };
    for (const TBarLinks& b : bars) {
        auto* bar = As<TdxBar>(form->FindComponent(b.Name));
        ASSERT_NE(bar, nullptr) << b.Name;
        EXPECT_EQ(bar->Caption(), b.Caption);
        EXPECT_EQ(LinkNames(bar), b.Links) << b.Name;
        EXPECT_EQ(bar->OneOnRow(), String(b.Name) == L"BarHelp") << b.Name;
    }

    // The bar manager: five categories, the two image lists, the system font.
    TdxBarManager* manager = form->dxBarManager;
    std::vector<String> categories;
    for (int i = 0; i < manager->Categories()->Count(); ++i) categories.push_back(manager->Categories()->Get(i));
    EXPECT_EQ(categories, (std::vector<String>{L"Файл", L"Действия", L"Элемент", L"Материалы", L"Помощь"}));
    ASSERT_NE(manager->GetLargeImages(), nullptr);
    ASSERT_NE(manager->GetImages(), nullptr);
    EXPECT_EQ(manager->GetLargeImages()->Name(), L"ilButtonsLarge");
    EXPECT_EQ(manager->GetLargeImages()->Count(), 11);
    EXPECT_EQ(manager->GetLargeImages()->Width(), 32);
    EXPECT_EQ(manager->GetImages()->Count(), 11);
    EXPECT_EQ(manager->GetImages()->Height(), 20);
    EXPECT_TRUE(manager->UseSystemFont());

    // Under the view, the status bar: 23 pixels, tied to the ribbon, no panels, no grip.
    TdxRibbonStatusBar* status = form->dxRibbonStatusBar1;
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->Align(), alBottom);
    EXPECT_EQ(status->Height(), 23);
    EXPECT_EQ(status->Top(), form->ClientHeight() - 23);
    EXPECT_EQ(status->Ribbon(), ribbon);
    EXPECT_EQ(status->Panels()->Count(), 0);
    EXPECT_FALSE(status->SizeGrip());
    EXPECT_EQ(form->GLSceneViewer->Top(), 116);
    EXPECT_EQ(form->GLSceneViewer->Height(), form->ClientHeight() - 116 - 23);

    // The add command's empty drop-down menu.
    ASSERT_NE(form->pmMenu, nullptr);
    EXPECT_EQ(form->pmMenu->BarManager(), manager);
    EXPECT_EQ(form->pmMenu->Ribbon(), ribbon);
    EXPECT_EQ(form->pmMenu->ItemLinks()->Count(), 0);
    auto* add = As<TdxBarLargeButton>(form->FindComponent(L"btnAdd"));
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add->DropDownMenu(), form->pmMenu);
    EXPECT_EQ(add->ButtonStyle(), bsDropDown);
}

TEST_F(MainWindow, EveryCommandIsALargeButtonWithItsCaptionHintCategoryImageAndHandler) {
    for (const TCommand& c : kCommands) {
        auto* button = As<TdxBarLargeButton>(form->FindComponent(c.Name));
        ASSERT_NE(button, nullptr) << c.Name;
        EXPECT_EQ(button->GetCaption(), c.Caption) << c.Name;
        EXPECT_EQ(button->Hint(), c.Caption) << c.Name;
        EXPECT_EQ(button->Category(), c.Category) << c.Name;
        EXPECT_EQ(button->LargeImageIndex(), c.LargeImage) << c.Name;
        EXPECT_EQ(button->Visible(), ivAlways) << c.Name;
        EXPECT_EQ(button->GetEnabled(), String(c.Name) != L"dxBarLargeButton1") << c.Name;
        if (c.Handler)
            EXPECT_TRUE(button->OnClick == MakeEvent(form, c.Handler)) << c.Name;
        else
            EXPECT_FALSE(button->OnClick) << c.Name;
        EXPECT_EQ(button->GetLinkCount(), c.Bar ? 1 : 0) << c.Name;
    }
    struct TComboCase {
        TdxBarCombo* Combo;
        const wchar_t* Caption;
        THandler Handler;
    } const combos[] = {
        {form->btnSkyMaterial, L"Материал неба    ", &TfmMain::btnSkyMaterialChange},
        {form->btnBlockMaterial, L"Материал блоков", &TfmMain::btnBlockMaterialChange},
    };
    for (const TComboCase& c : combos) {
        ASSERT_NE(c.Combo, nullptr) << c.Caption;
        EXPECT_EQ(c.Combo->GetCaption(), c.Caption);
        EXPECT_EQ(c.Combo->Hint(), c.Caption);
        EXPECT_EQ(c.Combo->Category(), 3);
        EXPECT_EQ(c.Combo->GetWidth(), 100);
        EXPECT_TRUE(c.Combo->OnChange == MakeEvent(form, c.Handler)) << c.Caption;
    }
}

namespace {

TdxCustomRibbonSkin* Scheme(const wchar_t* name) {
    return dynamic_cast<TdxCustomRibbonSkin*>(BarSkinManagerInstance()->FindSkin(name));
}

// A memory bitmap of the screen's format with a DC, for drawing a reference picture.
class TReferencePicture {
public:
    TReferencePicture(int width, int height) {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc, bitmap_);
    }
    ~TReferencePicture() {
        SelectObject(dc, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc);
    }
    TReferencePicture(const TReferencePicture&) = delete;
    TReferencePicture& operator=(const TReferencePicture&) = delete;
    TColor Pixel(int x, int y) const { return TColor(GetPixel(dc, x, y)); }
    HDC dc;

private:
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

}  // namespace

TEST_F(MainWindow, TheStatusBarAndTheTabRowAreDrawnInLiliansColours) {
    TdxCustomRibbonSkin* lilian = Scheme(L"Lilian");
    ASSERT_NE(lilian, nullptr);
    ASSERT_NE(Scheme(L"Blue"), nullptr);

    // The status bar: the scheme's background and one lowered panel inside one-pixel margins at
    // the left, top and right; Blue's picture differs, so a wrong scheme would show.
    TdxRibbonStatusBar* status = form->dxRibbonStatusBar1;
    const int w = status->Width(), h = status->Height();
    ASSERT_EQ(h, 23);
    auto expected = [&](TdxCustomRibbonSkin* scheme) {
        auto picture = std::make_unique<TReferencePicture>(w, h);
        scheme->DrawStatusBar(picture->dc, TRect{0, 0, w, h});
        const TRect panel{1, 1, w - 1, h};
        scheme->DrawStatusBarPanel(picture->dc, panel, panel, true);
        return picture;
    };
    auto lilianBar = expected(lilian);
    auto blueBar = expected(Scheme(L"Blue"));
    ASSERT_NE(lilianBar->Pixel(w / 2, 10), blueBar->Pixel(w / 2, 10));
    {
        TControlSnapshot shot(status);
        int differing = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; x += 5)
                if (shot.Pixel(x, y) != lilianBar->Pixel(x, y)) ++differing;
        EXPECT_EQ(differing, 0);
    }

    // The tab row: "Элементы" first from x = 8 and active, "Помощь" after it; the active tab's
    // header is drawn unlike the inactive one's.
    TdxRibbonTabsViewInfo* tabs = form->dxRibbon1->ViewInfo()->TabsViewInfo();
    ASSERT_EQ(tabs->Count(), 2);
    const TRect active = tabs->Items(0)->Bounds();
    const TRect other = tabs->Items(1)->Bounds();
    EXPECT_EQ(active.left, 8);
    EXPECT_GE(other.left, active.right);
    EXPECT_EQ(tabs->Items(0)->Tab()->Caption(), L"Элементы");
    const TdxRibbonTabState state = tabs->Items(0)->GetState();
    EXPECT_TRUE(state == rtsActive || state == rtsActiveHot) << int(state);
    TControlSnapshot ribbonShot(form->dxRibbon1);
    int differ = 0;
    const int rows = active.bottom - active.top;
    for (int y = active.top + 2; y < active.bottom - 1; ++y)
        for (int dx = 2; dx < 20; ++dx)
            if (ribbonShot.Pixel(active.left + dx, y) != ribbonShot.Pixel(other.left + dx, y)) ++differ;
    EXPECT_GT(differ, rows) << "the active tab looks like an inactive one";
}

namespace {

int Red(unsigned c) { return int(c & 0xFF); }
int Green(unsigned c) { return int((c >> 8) & 0xFF); }
int Blue(unsigned c) { return int(c >> 16); }
int Brightness(unsigned c) { return Red(c) + Green(c) + Blue(c); }

}  // namespace

TEST_F(MainWindow, TheViewShowsSkyConcreteCloverGridAndTheRobot) {
    TFrame frame = NextFrame();
    // Above the horizon the sky sphere, grey in its own material until a level names one.
    const unsigned sky = frame.At({427, 2});
    EXPECT_NEAR(Red(sky), 0xCC, 3);
    EXPECT_EQ(Red(sky), Blue(sky));
    // The concrete under the grid is grey, the clover around it green.
    const unsigned concrete = frame.At(ViewPixel(2.2f, 0, 6.3f));
    EXPECT_LT(std::abs(Red(concrete) - Blue(concrete)), 24);
    EXPECT_GT(Red(concrete), 100);
    const unsigned clover = frame.At(ViewPixel(8.9f, 0, 4.7f));
    EXPECT_GT(Green(clover), Red(clover) + 40);
    // A grid line between two cells is brighter than the concrete in the cells beside it.
    auto brightestNear = [&](TPoint p) {
        int best = 0;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy) best = std::max(best, Brightness(frame.At({p.x + dx, p.y + dy})));
        return best;
    };
    EXPECT_GT(brightestNear(ViewPixel(2.5f, 0, 6.2f)), Brightness(concrete) + 60);
    // The robot stands on (4, 4): hiding it changes the pixels above that cell.
    const TPoint robot = ViewPixel(4, 0.4f, 4);
    form->Bot()->Actor()->SetVisible(false);
    TFrame without = NextFrame();
    form->Bot()->Actor()->SetVisible(true);
    int changed = 0;
    for (int dx = -6; dx <= 6; ++dx)
        for (int dy = -6; dy <= 6; ++dy)
            if (frame.At({robot.x + dx, robot.y + dy}) != without.At({robot.x + dx, robot.y + dy})) ++changed;
    EXPECT_GT(changed, 60);
}

TEST_F(MainWindow, PickCellFindsEveryCellWhoseCentreIsInViewAndNothingAboveTheHorizon) {
    int seen = 0;
    for (Integer x = 1; x <= 8; ++x)
        for (Integer z = 1; z <= 8; ++z) {
            const TPoint p = ViewPixel(Single(x), 0, Single(z));
            if (p.x < 0 || p.y < 0 || p.x >= Buffer()->Width() || p.y >= Buffer()->Height()) continue;
            ++seen;
            EXPECT_EQ(form->PickCell(form->GLPlane, p.x, p.y), (TGridCell{x, z})) << x << "," << z;
        }
    EXPECT_GE(seen, 40);
    // Cells outside the grid are picked too; the handlers check them.
    const TPoint outside = ViewPixel(10, 0, 4);
    EXPECT_EQ(form->PickCell(form->GLPlane, outside.x, outside.y), (TGridCell{10, 4}));
    EXPECT_EQ(form->PickCell(form->GLPlane, 427, 2), (TGridCell{-1, -1}));
    EXPECT_EQ(form->PickCell(form->GLPlane, 0, 0), (TGridCell{-1, -1}));
}

TEST_F(MainWindow, AnAddedBlockFollowsTheMouseAndALeftClickPlacesItOnTheColumnWithItsTile) {
    Level()->AddBlock(3, 3);
    Level()->AddBlock(3, 3);
    Level()->ToggleLight(3, 3);
    Press(L"btnAdd");
    ASSERT_TRUE(form->Adding());
    TGLCube* added = form->SelectedCube();
    ASSERT_NE(added, nullptr);
    EXPECT_FALSE(form->SelectedPos->Visible());
    EXPECT_EQ(TLevel::CellOf(added), (TGridCell{1, 1}));
    EXPECT_EQ(added->Material()->LibMaterialName(), L"Area_blue");

    MoveMouseTo(CellOnScreen(5, 2));
    ASSERT_TRUE(PumpUntil([&] { return TLevel::CellOf(added) == TGridCell{5, 2}; }));
    LeftClickCell(3, 3);
    EXPECT_FALSE(form->Adding());
    EXPECT_EQ(form->SelectedCube(), nullptr);
    EXPECT_EQ(Level()->CountBlocksAt(3, 3), 3);
    EXPECT_EQ(Level()->CountBlocksAt(5, 2), 0);
    EXPECT_EQ(added->Material()->LibMaterialName(), L"BlockSilver");
    EXPECT_TRUE(form->SelectedPos->Visible());
    EXPECT_FLOAT_EQ(MarkerY(), 1.51f);
    EXPECT_EQ(form->MarkerCell(), (TGridCell{3, 3}));
    EXPECT_FLOAT_EQ(Tile(0)->Position()->Y(), 1.51f);
    // Idle again: moving the mouse moves nothing.
    MoveMouseTo(CellOnScreen(6, 6));
    ASSERT_TRUE(PumpUntilIdle());
    EXPECT_EQ(TLevel::CellOf(added), (TGridCell{3, 3}));
}

TEST_F(MainWindow, ARightClickWhileAddingRemovesTheNewBlockAndDeleteThenDoesNothing) {
    Level()->AddBlock(6, 6);
    Press(L"btnAdd");
    MoveMouseTo(CellOnScreen(4, 2));
    ASSERT_TRUE(PumpUntil([&] { return Level()->CountBlocksAt(4, 2) == 1; }));
    RightClickAt(CellOnScreen(4, 2));
    ASSERT_TRUE(PumpUntilIdle());
    EXPECT_FALSE(form->Adding());
    EXPECT_EQ(form->SelectedCube(), nullptr);
    EXPECT_EQ(form->dcBlocks->Count(), 1);
    EXPECT_FALSE(form->SelectedPos->Visible());
    Press(L"btnDelete");
    EXPECT_EQ(form->dcBlocks->Count(), 1);
}

TEST_F(MainWindow, SelectingDeletingTogglingAndTheRobotsStartAndFacing) {
    // An empty cell: the marker lies on the ground, no block is selected.
    LeftClickCell(2, 5);
    EXPECT_TRUE(form->SelectedPos->Visible());
    EXPECT_FLOAT_EQ(MarkerY(), 0.01f);
    EXPECT_EQ(form->SelectedCube(), nullptr);

    // A column of three: its top block is selected and shown blue, the others in the level's material.
    TGLCube* bottom = Level()->AddBlock(3, 6);
    Level()->AddBlock(3, 6);
    TGLCube* top = Level()->AddBlock(3, 6);
    form->btnBlockMaterial->SetItemIndex(6);  // "Stone"
    LeftClickCell(3, 6);
    EXPECT_EQ(form->SelectedCube(), top);
    EXPECT_EQ(top->Material()->LibMaterialName(), L"Area_blue");
    EXPECT_EQ(bottom->Material()->LibMaterialName(), L"Stone");
    EXPECT_FLOAT_EQ(MarkerY(), 1.51f);

    // The light tile of the selected cell goes on and off.
    Press(L"btnOnOff");
    ASSERT_EQ(form->dcLights->Count(), 1);
    EXPECT_EQ(TLevel::CellOf(Tile(0)), (TGridCell{3, 6}));
    EXPECT_FLOAT_EQ(Tile(0)->Position()->Y(), 1.51f);

    Press(L"btnDelete");
    EXPECT_EQ(Level()->CountBlocksAt(3, 6), 2);
    EXPECT_EQ(form->SelectedCube(), nullptr);
    EXPECT_FLOAT_EQ(MarkerY(), 1.01f);
    EXPECT_FLOAT_EQ(Tile(0)->Position()->Y(), 1.01f);
    Press(L"btnOnOff");
    EXPECT_EQ(form->dcLights->Count(), 0);

    // The robot goes onto the selected column; four quarter turns bring it back to +X.
    Press(L"btnStartPos");
    EXPECT_EQ(form->Bot()->GetCell(), (TGridCell{3, 6}));
    EXPECT_FLOAT_EQ(form->Bot()->ActorCube()->Position()->Y(), 1.0f);
    const std::vector<TAffineVector> facings = {{0, 0, 1}, {-1, 0, 0}, {0, 0, -1}, {1, 0, 0}};
    for (const TAffineVector& expected : facings) {
        Press(L"btnRotate");
        const TAffineVector bot = form->Bot()->GetDirection(), level = Level()->Direction();
        EXPECT_NEAR(bot.X, expected.X, 1e-6);
        EXPECT_NEAR(bot.Z, expected.Z, 1e-6);
        EXPECT_TRUE(level.X == bot.X && level.Y == bot.Y && level.Z == bot.Z);
    }
    EXPECT_EQ(Level()->DirectionCode(), 1);

    // Clearing leaves an empty grid and the marker on (1, 1).
    Press(L"btnReset");
    EXPECT_EQ(form->dcBlocks->Count(), 0);
    EXPECT_TRUE(form->SelectedPos->Visible());
    EXPECT_EQ(form->MarkerCell(), (TGridCell{1, 1}));
    EXPECT_FLOAT_EQ(MarkerY(), 0);
}

TEST_F(MainWindow, WheelScalesTheDistanceRightDragOrbitsMiddleClickRecentres) {
    const TPoint centre = ScreenOf({427, 300});
    MoveMouseTo(centre);
    ASSERT_TRUE(PumpUntilIdle());
    const Single start = Distance(form->GLCamera->GetAbsolutePosition(), form->dcTarget->GetAbsolutePosition());
    WheelBy(240);
    ASSERT_TRUE(PumpUntilIdle());
    const Single farther = Distance(form->GLCamera->GetAbsolutePosition(), form->dcTarget->GetAbsolutePosition());
    EXPECT_NEAR(farther / start, 1.21f, 1e-4);
    WheelBy(-240);
    ASSERT_TRUE(PumpUntilIdle());
    EXPECT_NEAR(Distance(form->GLCamera->GetAbsolutePosition(), form->dcTarget->GetAbsolutePosition()), start, 1e-4);

    // Dragging with the right button turns the camera around its target at the same distance.
    const TVector4f before = form->GLCamera->GetAbsolutePosition();
    SendMouseFlags(MOUSEEVENTF_RIGHTDOWN);
    ASSERT_TRUE(PumpUntilIdle());
    for (int step = 1; step <= 4; ++step) {
        MoveMouseTo({centre.x - 10 * step, centre.y});
        ASSERT_TRUE(PumpUntilIdle());
    }
    SendMouseFlags(MOUSEEVENTF_RIGHTUP);
    ASSERT_TRUE(PumpUntilIdle());
    const TVector4f after = form->GLCamera->GetAbsolutePosition();
    EXPECT_GT(Distance(before, after), 1);
    EXPECT_NEAR(Distance(after, form->dcTarget->GetAbsolutePosition()), start, 1e-3);
    EXPECT_EQ(form->LastMouseX(), centre.x - 40 - form->GLSceneViewer->ClientToScreen({0, 0}).x);

    // The middle button puts the target on the cell under the pointer.
    const TPoint cell = CellOnScreen(2, 3);
    MoveMouseTo(cell);
    SendMouseFlags(MOUSEEVENTF_MIDDLEDOWN);
    SendMouseFlags(MOUSEEVENTF_MIDDLEUP);
    ASSERT_TRUE(PumpUntilIdle());
    const TVector4f target = form->dcTarget->GetAbsolutePosition();
    EXPECT_TRUE(target.X == 2 && target.Y == 0 && target.Z == 3);
}

TEST_F(MainWindow, TheLensFlareShowsWhenTheCameraTurnsTowardsTheSun) {
    // The sun stands behind the camera at start: turn the camera half round to face it.
    TGLBaseSceneObject* sun = As<TGLBaseSceneObject>(form->FindComponent(L"Sun"));
    const TAffineVector s = sun->AbsoluteAffinePosition();
    TFrame frame;
    TPoint p;
    auto inside = [&] { return p.x > 60 && p.y > 60 && p.x < frame.Width - 60 && p.y < frame.Height - 60; };
    for (int turn = 0; turn < 360 && !inside(); turn += 20) {
        form->GLCamera->OrbitTarget(0, 20);
        frame = NextFrame();
        p = ViewPixel(s.X, s.Y, s.Z);
    }
    ASSERT_TRUE(inside());
    const unsigned skyThere = frame.At({p.x + 55, p.y - 55});
    // The flare grows in as time passes and its centre is seen unoccluded.
    for (int step = 1; step <= 5 && Brightness(frame.At(p)) < 3 * 240; ++step) {
        form->MainScene->Progress(0.1, 0.1 * step);
        frame = NextFrame();
    }
    EXPECT_GE(Brightness(frame.At(p)), 3 * 240);
    EXPECT_GT(Brightness(frame.At(p)), Brightness(skyThere) + 60);
}

// ---- opening and saving ----------------------------------------------------------------------

namespace {

// Files of these tests in the source tree (the executable runs in build/<target>/tests).
String FixtureFile(const String& name) {
    return ExtractFilePath(ParamStr(0)) + L"..\\..\\..\\tests\\editor\\fixtures\\" + name;
}

}  // namespace

TEST_F(MainWindow, OpeningTheLevelFileTestsFileShowsItsBlocksTilesMaterialsAndRobot) {
    dialogAnswer = FixtureFile(L"LevelFileTest.level");
    ASSERT_TRUE(FileExists(dialogAnswer));
    Press(L"btnLoad");
    ASSERT_EQ(dialogsRun, (std::vector<TRzFileDialog*>{form->od}));
    EXPECT_EQ(shownNames[0], L"Level01.level");
    EXPECT_EQ(Level()->CountBlocksAt(1, 2), 1);
    EXPECT_EQ(Level()->CountBlocksAt(3, 5), 2);
    ASSERT_EQ(form->dcLights->Count(), 2);
    EXPECT_FLOAT_EQ(Tile(1)->Position()->Y(), 1.01f);
    // The combos take the level's names and report them: the sky shows "Clover", the blocks "Block".
    EXPECT_EQ(form->btnSkyMaterial->GetText(), L"Clover");
    EXPECT_EQ(form->btnSkyMaterial->ItemIndex(), -1);
    EXPECT_EQ(Level()->Sky()->Material()->LibMaterialName(), L"Clover");
    EXPECT_EQ(form->btnBlockMaterial->GetText(), L"Block");
    EXPECT_EQ(As<TGLCube>(form->dcBlocks->GetChild(0))->Material()->LibMaterialName(), L"Block");
    // The robot on the start cell, facing -Z.
    EXPECT_EQ(form->Bot()->GetCell(), (TGridCell{6, 7}));
    EXPECT_NEAR(form->Bot()->GetDirection().Z, -1, 1e-6);
    // A cancelled dialog changes nothing.
    dialogAnswer.clear();
    Press(L"btnLoad");
    EXPECT_EQ(Level()->CountBlocksAt(3, 5), 2);
}

TEST_F(MainWindow, SavingRefusesALevelWithoutTilesThenWritesTheGoldenFileThatReopensTheSame) {
    TTempFolder folder;
    Press(L"btnSave");
    EXPECT_TRUE(dialogsRun.empty());
    std::vector<TShownBox> boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, L"Нет ни одного блока, который надо включить");
    EXPECT_EQ(boxes[0].Caption, L"Ошибка");
    EXPECT_EQ(boxes[0].Flags, UINT(MB_OK | MB_ICONERROR));

    Level()->AddBlock(3, 5);
    Level()->AddBlock(3, 5);
    Level()->AddBlock(1, 2);
    Level()->ToggleLight(2, 7);
    Level()->ToggleLight(3, 5);
    form->btnBlockMaterial->SetItemIndex(6);
    form->btnSkyMaterial->SetItemIndex(0);
    EXPECT_EQ(Level()->Sky()->Material()->LibMaterialName(), L"SkyDay");
    for (int turn = 0; turn < 3; ++turn) Press(L"btnRotate");
    LeftClickCell(6, 7);
    Press(L"btnStartPos");

    // Before the first open the dialog offers no name.
    const String saved = folder.File(L"saved.level");
    dialogAnswer = saved;
    Press(L"btnSave");
    ASSERT_EQ(dialogsRun, (std::vector<TRzFileDialog*>{form->sd}));
    EXPECT_EQ(shownNames[0], L"");
    EXPECT_EQ(FileLines(saved), FileLines(FixtureFile(L"Saved.level")));

    // Cleared and opened again: the same level, the robot back on its start.
    Press(L"btnReset");
    Press(L"btnRotate");
    ASSERT_EQ(form->dcBlocks->Count(), 0);
    Press(L"btnLoad");
    EXPECT_EQ(Level()->CountBlocksAt(3, 5), 2);
    EXPECT_EQ(Level()->CountBlocksAt(1, 2), 1);
    EXPECT_EQ(form->dcBlocks->Count(), 3);
    ASSERT_EQ(form->dcLights->Count(), 2);
    EXPECT_EQ(TLevel::CellOf(Tile(0)), (TGridCell{2, 7}));
    EXPECT_EQ(form->btnBlockMaterial->ItemIndex(), 6);
    EXPECT_EQ(form->btnSkyMaterial->ItemIndex(), 0);
    EXPECT_EQ(form->Bot()->GetCell(), (TGridCell{6, 7}));
    EXPECT_EQ(Level()->DirectionCode(), 4);
    // Now the save dialog offers the opened file's name.
    Press(L"btnSave");
    EXPECT_EQ(shownNames.back(), L"saved.level");
    EXPECT_TRUE(TakeBoxes().empty());
}

// The real shell dialogs: a name typed into each and Enter.
TEST_F(MainWindow, TheShellDialogsOpenATypedLevelAndSaveOneThatReopensTheSame) {
    SetLevelDialogRunner({});
    const String levels = EditorFolder() + L"levels\\";
    const String opened = levels + L"zarnik-e2e.level", saved = levels + L"zarnik-e2e-saved.level";
    ASSERT_TRUE(CopyFileW(FixtureFile(L"LevelFileTest.level").c_str(), opened.c_str(), FALSE));
    DeleteFileW(saved.c_str());
    auto dialogForm = [] { return As<TRzShellOpenSaveForm>(Screen->ActiveForm()); };
    auto typeInto = [&](const wchar_t* name) {
        return std::vector<std::function<bool()>>{
            [=] { return dialogForm() && dialogForm()->Executing() && dialogForm()->ShellList->Items()->Count() > 0; },
            [=] {
                dialogForm()->edtFileName->SetFocus();
                dialogForm()->edtFileName->SelectAll();
                TypeText(name);
                TypeKey(VK_RETURN);
                return true;
            },
        };
    };
    String caption;
    {
        auto steps = typeInto(L"zarnik-e2e");
        steps.insert(steps.begin() + 1, [&] { return caption = dialogForm()->Caption(), true; });
        TTickScript script(steps, 20000);
        Press(L"btnLoad");
        EXPECT_TRUE(script.Done()) << script.StepsRun();
    }
    EXPECT_EQ(caption, L"Открыть уровень");
    EXPECT_TRUE(SameText(form->od->GetFileName(), opened)) << Utf8(form->od->GetFileName());
    EXPECT_EQ(Level()->CountBlocksAt(3, 5), 2);
    EXPECT_EQ(form->dcBlocks->Count(), 3);
    {
        TTickScript script(typeInto(L"zarnik-e2e-saved"), 20000);
        Press(L"btnSave");
        EXPECT_TRUE(script.Done()) << script.StepsRun();
    }
    EXPECT_TRUE(SameText(form->sd->GetFileName(), saved)) << Utf8(form->sd->GetFileName());
    ASSERT_TRUE(FileExists(saved));
    Press(L"btnReset");
    ASSERT_EQ(form->dcBlocks->Count(), 0);
    {
        TTickScript script(typeInto(L"zarnik-e2e-saved"), 20000);
        Press(L"btnLoad");
        EXPECT_TRUE(script.Done()) << script.StepsRun();
    }
    EXPECT_EQ(Level()->CountBlocksAt(3, 5), 2);
    EXPECT_EQ(Level()->CountBlocksAt(1, 2), 1);
    EXPECT_EQ(form->dcBlocks->Count(), 3);
    EXPECT_EQ(form->Bot()->GetCell(), (TGridCell{6, 7}));
    EXPECT_TRUE(TakeBoxes().empty());
    DeleteFileW(opened.c_str());
    DeleteFileW(saved.c_str());
}

// ---- faults the window guards against ---------------------------------------------------------

TEST_F(MainWindow, AfterASecondAddOrADeleteWhileAddingALeftClickOnlyEndsAdding) {
    Press(L"btnAdd");
    TGLCube* first = form->SelectedCube();
    Press(L"btnAdd");
    EXPECT_TRUE(form->Adding());
    EXPECT_EQ(form->SelectedCube(), nullptr);
    EXPECT_EQ(form->dcBlocks->Count(), 1);
    EXPECT_EQ(first->Material()->LibMaterialName(), Level()->BlockMaterialName());
    LeftClickCell(4, 6);
    EXPECT_FALSE(form->Adding());
    EXPECT_EQ(first->Material()->LibMaterialName(), Level()->BlockMaterialName());
    EXPECT_FALSE(form->SelectedPos->Visible());

    Press(L"btnAdd");
    Press(L"btnDelete");
    EXPECT_TRUE(form->Adding());
    EXPECT_EQ(form->dcBlocks->Count(), 1);
    LeftClickCell(4, 6);
    EXPECT_FALSE(form->Adding());
    EXPECT_EQ(form->dcBlocks->Count(), 1);
}

TEST_F(MainWindow, ClearingOrOpeningLetsGoOfTheSelectedBlockAndOfOneBeingAdded) {
    Press(L"btnAdd");
    MoveMouseTo(CellOnScreen(2, 2));
    ASSERT_TRUE(PumpUntil([&] { return Level()->CountBlocksAt(2, 2) == 1; }));
    Press(L"btnReset");
    EXPECT_FALSE(form->Adding());
    EXPECT_EQ(form->SelectedCube(), nullptr);
    EXPECT_EQ(form->dcBlocks->Count(), 0);
    MoveMouseTo(CellOnScreen(5, 5));
    ASSERT_TRUE(PumpUntilIdle());
    RightClickAt(CellOnScreen(5, 5));
    ASSERT_TRUE(PumpUntilIdle());
    Press(L"btnDelete");
    EXPECT_EQ(form->dcBlocks->Count(), 0);

    Level()->AddBlock(5, 5);
    LeftClickCell(5, 5);
    ASSERT_NE(form->SelectedCube(), nullptr);
    dialogAnswer = FixtureFile(L"LevelFileTest.level");
    Press(L"btnLoad");
    EXPECT_EQ(form->SelectedCube(), nullptr);
    Press(L"btnDelete");
    EXPECT_EQ(form->dcBlocks->Count(), 3);
}

TEST_F(MainWindow, ALeftClickOutsideTheGridWhileAddingPutsMarkerAndTileOnThePlacedBlocksCell) {
    Level()->ToggleLight(8, 4);
    Press(L"btnAdd");
    TGLCube* added = form->SelectedCube();
    MoveMouseTo(CellOnScreen(8, 4));
    ASSERT_TRUE(PumpUntil([&] { return TLevel::CellOf(added) == TGridCell{8, 4}; }));
    const TPoint outside = ScreenOf(ViewPixel(9.6f, 0, 4));
    MoveMouseTo(outside);
    ASSERT_TRUE(PumpUntilIdle());
    ClickAt(outside);
    ASSERT_TRUE(PumpUntilIdle());
    EXPECT_FALSE(form->Adding());
    EXPECT_EQ(TLevel::CellOf(added), (TGridCell{8, 4}));
    EXPECT_EQ(form->MarkerCell(), (TGridCell{8, 4}));
    EXPECT_FLOAT_EQ(MarkerY(), 0.51f);
    EXPECT_FLOAT_EQ(Tile(0)->Position()->Y(), 0.51f);
}

// ---- start-up on damaged data ----------------------------------------------------------------

namespace {

// A data folder of the test's own: the catalogue and the robot are what the test writes there.
class MainWindowStart : public WindowTest {
protected:
    void TearDown() override {
        FreeObject(form);
        SetEditorFolder(String());
        SetCurrentDir(savedFolder);
        WindowTest::TearDown();
    }
    void Start() {
        savedFolder = GetCurrentDir();
        SetEditorFolder(folder.Path());
        form = static_cast<TfmMain*>(TfmMain::StaticClass()->Create(static_cast<TComponent*>(nullptr)));
        form->GLCadencer->SetEnabled(false);
    }
    void Write(const String& relative, const std::string& text) {
        CreateDir(folder.File(L"textures"));
        CreateDir(folder.File(L"models"));
        CreateDir(folder.File(L"models\\Bot"));
        WriteTextFile(folder.File(relative), text);
    }

    TTempFolder folder;
    TfmMain* form = nullptr;
    String savedFolder;
};

}  // namespace

TEST_F(MainWindowStart, AnUnreadablePictureOrRobotIsShownAndSkippedAndTheEditorWorks) {
    const std::string picture = ReadTextFile(EditorFolder() + L"textures\\stone.bmp");
    Write(L"textures\\textures.ini",
          "[GENERAL]\nCount=2\n[TEXTURE1]\nFileName=broken.bmp\nMaterialName=Broken\n"
          "[TEXTURE2]\nFileName=good.bmp\nMaterialName=Good\n");
    Write(L"textures\\broken.bmp", "BM no picture here");
    Write(L"textures\\good.bmp", picture);
    Write(L"models\\Bot\\model.ini", "[MODEL]\nFileName=broken.smd\n");
    Write(L"models\\Bot\\broken.smd", "version 1\nnodes\n0 \"root\" -1\nend\nskeleton\ntime 0\nbroken\n");
    Start();
    const std::vector<TShownBox> boxes = TakeBoxes();
    EXPECT_EQ(boxes.size(), 2u);  // the picture's error, the robot's error
    ASSERT_NE(form->Bot(), nullptr);
    ASSERT_NE(form->Level(), nullptr);
    EXPECT_EQ(form->Bot()->GetCell(), (TGridCell{4, 4}));
    EXPECT_EQ(form->libMaterials->Materials()->Count(), 12);
    EXPECT_EQ(form->btnBlockMaterial->Items()->Count(), 7);
    EXPECT_EQ(form->btnBlockMaterial->Items()->Get(6), L"Good");
    EXPECT_EQ(form->btnSkyMaterial->Items()->Count(), 0);
    EXPECT_TRUE(DirectoryExists(folder.File(L"levels")));
    form->btnAddClick(nullptr);
    EXPECT_TRUE(form->Adding());
}

TEST_F(MainWindowStart, WithoutACatalogueTheListIndexErrorIsShownAndTheWindowStillOpens) {
    Start();
    const std::vector<TShownBox> boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].Text, L"Загружены не все текстуры");
    EXPECT_EQ(boxes[0].Caption, L"Ошибка");
    EXPECT_EQ(boxes[1].Text, L"List index out of bounds (11)");
    EXPECT_EQ(form->btnBlockMaterial->Items()->Count(), 6);
    EXPECT_EQ(form->btnSkyMaterial->Items()->Count(), 0);
    form->btnAddClick(nullptr);
    EXPECT_TRUE(form->Adding());
}

TEST_F(MainWindow, ChoosingASkyWithTheKeyboardGoesThroughTheCombosRules) {
    TdxBarItemLink* link = ShownLink(L"btnSkyMaterial");
    ASSERT_NE(link, nullptr);
    auto* control = dynamic_cast<TdxBarComboControl*>(link->Control());
    ASSERT_NE(control, nullptr);
    const TRect edit = control->EditPart(0);
    ClickAt(link->GetBarControl()->ClientToScreen(TPoint{(edit.left + edit.right) / 2, (edit.top + edit.bottom) / 2}));
    ASSERT_TRUE(PumpUntil([&] { return control->EditHandle() && GetFocus() == control->EditHandle(); }));
    // Down shows the first entry; Enter chooses it, and the change reaches the level.
    TypeKey(VK_DOWN);
    TypeKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return form->btnSkyMaterial->ItemIndex() == 0; }));
    EXPECT_EQ(form->btnSkyMaterial->GetText(), L"SkyDay");
    EXPECT_EQ(Level()->SkyMaterialName(), L"SkyDay");
    EXPECT_EQ(Level()->Sky()->Material()->LibMaterialName(), L"SkyDay");
}
