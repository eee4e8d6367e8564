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
#include "uBot.h"
#include "uCommandCombo.h"
#include "uLevelDialogs.h"
#include "uMain.h"

namespace {

void SendMouseFlags(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
}

std::vector<String> ItemsOf(TCommandCombo* combo) {
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
    TPoint CentreOf(TControl* control) {
        return control->Parent()->ClientToScreen(TPoint{control->Left() + 20, control->Top() + 20});
    }
    void Press(const wchar_t* button) {
        ClickAt(CentreOf(As<TControl>(form->FindComponent(button))));
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
    EXPECT_EQ(form->btnBlockMaterial->Text(), L"");
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
    EXPECT_EQ(form->btnSkyMaterial->Text(), L"Clover");
    EXPECT_EQ(form->btnSkyMaterial->ItemIndex(), -1);
    EXPECT_EQ(Level()->Sky()->Material()->LibMaterialName(), L"Clover");
    EXPECT_EQ(form->btnBlockMaterial->Text(), L"Block");
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
    form->btnSkyMaterial->SetFocus();
    ASSERT_TRUE(PumpUntilIdle());
    TypeKey(VK_DOWN);
    ASSERT_TRUE(PumpUntil([&] { return form->btnSkyMaterial->ItemIndex() == 0; }));
    EXPECT_EQ(form->btnSkyMaterial->Text(), L"SkyDay");
    EXPECT_EQ(Level()->SkyMaterialName(), L"SkyDay");
    EXPECT_EQ(Level()->Sky()->Material()->LibMaterialName(), L"SkyDay");
}
