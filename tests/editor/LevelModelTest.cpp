// The level model on a scene built in code: columns, counts, tiles, looks and facing codes.
#include <gtest/gtest.h>

#include <memory>

#include "EditorFixtures.h"
#include "uLevel.h"

namespace {

class LevelModel : public testing::Test {
protected:
    TEditorScene editor;
    std::unique_ptr<TLevel> level = std::make_unique<TLevel>(editor.scene, editor.library);

    Single Y(TGLBaseSceneObject* object) { return object->Position()->Y(); }
    TGLBaseSceneObject* Tile(int index) { return editor.lights->GetChild(index); }
};

}  // namespace

TEST_F(LevelModel, FindsItsObjectsAndStartsEmpty) {
    EXPECT_EQ(level->Sky(), editor.sky);
    EXPECT_EQ(editor.sky->Material()->MaterialLibrary(), editor.library);
    EXPECT_EQ(level->Blocks(), editor.blocks);
    EXPECT_EQ(level->Lights(), editor.lights);
    EXPECT_EQ(level->StartPos(), (TGridCell{4, 2}));
    EXPECT_EQ(level->DirectionCode(), 1);
    EXPECT_EQ(level->HeightAt(1, 1), 0);

    TEditorScene withoutContainer;
    withoutContainer.lights->SetName(L"Other");
    EXPECT_EQ(MessageOf([&] { TLevel broken(withoutContainer.scene, withoutContainer.library); }),
              "The level needs the scene object \"dcLights\"");
}

TEST_F(LevelModel, BlocksStackOnTheirColumnAndAreCounted) {
    TGLCube* first = level->AddBlock(3, 5);
    EXPECT_EQ(first->Parent(), editor.blocks);
    EXPECT_EQ(first->CubeHeight(), 0.5f);
    EXPECT_EQ(first->Material()->MaterialLibrary(), editor.library);
    EXPECT_EQ(first->Material()->LibMaterialName(), L"");
    EXPECT_EQ(Y(first), 0.5f);
    EXPECT_EQ(level->HeightAt(3, 5), 1);
    TGLCube* second = level->AddBlock(3, 5);
    EXPECT_EQ(Y(second), 1.0f);
    EXPECT_EQ(level->HeightAt(3, 5), 2);
    EXPECT_EQ(level->CountBlocksAt(3, 5), 2);
    EXPECT_EQ(level->TopBlockAt(3, 5), second);
    EXPECT_EQ(level->TopBlockAtCell({4, 5}), nullptr);
    // The container sits 0.25 down: the second block spans 0.5 to 1.0 in the world.
    EXPECT_EQ(second->AbsoluteAffinePosition().Y, 0.75f);
}

TEST_F(LevelModel, MovingABlockChangesOnlyItsOwnPlaceAndTheCounts) {
    TGLCube* bottom = level->AddBlock(2, 2);
    TGLCube* upper = level->AddBlock(2, 2);

    level->MoveBlock(upper, 2, 2);  // onto the cell it stands on: nothing at all
    EXPECT_EQ(Y(upper), 1.0f);
    EXPECT_EQ(level->HeightAt(2, 2), 2);

    level->MoveBlockToCell(bottom, {6, 1});
    EXPECT_EQ(Y(upper), 1.0f);  // the cube above keeps its place
    EXPECT_EQ(level->HeightAt(2, 2), 1);
    EXPECT_EQ(level->HeightAt(6, 1), 1);
    EXPECT_EQ(bottom->Position()->X(), 6.0f);
    EXPECT_EQ(bottom->Position()->Z(), 1.0f);
    EXPECT_EQ(Y(bottom), 0.5f);
}

TEST_F(LevelModel, TheTopBlockIsTheHighestAndTheFirstOfEqualHeights) {
    TGLCube* a = level->AddBlock(4, 4);
    TGLCube* b = level->AddBlock(4, 4);
    b->Position()->SetY(0.5f);
    EXPECT_EQ(level->TopBlockAt(4, 4), a);
    a->Position()->SetY(0.25f);
    EXPECT_EQ(level->TopBlockAt(4, 4), b);
}

TEST_F(LevelModel, ToggledTilesLieFlatOnTopOfTheColumn) {
    for (int i = 0; i < 3; ++i) level->AddBlock(5, 6);
    TGLPlane* tile = level->ToggleLight(5, 6);
    ASSERT_NE(tile, nullptr);
    EXPECT_EQ(tile->Parent(), editor.lights);
    EXPECT_EQ(tile->PitchAngle(), 90.0f);
    EXPECT_EQ(tile->Material()->MaterialLibrary(), editor.library);
    EXPECT_EQ(tile->Material()->LibMaterialName(), L"LightOff");
    EXPECT_FLOAT_EQ(Y(tile), 1.51f);
    EXPECT_EQ(tile->Position()->X(), 5.0f);
    EXPECT_EQ(tile->Position()->Z(), 6.0f);

    EXPECT_EQ(level->ToggleLight(5, 6), nullptr);
    EXPECT_EQ(editor.lights->Count(), 0);
    EXPECT_FLOAT_EQ(Y(level->ToggleLight(1, 8)), 0.01f);
}

TEST_F(LevelModel, DeletingABlockPutsTheTileBackOnWhatIsLeft) {
    for (int i = 0; i < 3; ++i) level->AddBlock(3, 3);
    TGLBaseSceneObject* tile = level->ToggleLight(3, 3);
    level->DeleteBlock(level->TopBlockAt(3, 3));
    EXPECT_FLOAT_EQ(Y(tile), 1.01f);
    EXPECT_EQ(level->HeightAt(3, 3), 2);
    // Not the top one: the tile still rests on the count.
    level->DeleteBlock(static_cast<TGLCube*>(editor.blocks->GetChild(0)));
    EXPECT_FLOAT_EQ(Y(tile), 0.51f);

    // A block being added moves over the column without raising its tile; cancelling it must
    // not sink the tile into the column.
    TGLCube* adding = level->AddBlock(1, 1);
    level->MoveBlock(adding, 3, 3);
    EXPECT_FLOAT_EQ(Y(tile), 0.51f);
    level->DeleteBlock(adding);
    EXPECT_FLOAT_EQ(Y(tile), 0.51f);
    EXPECT_EQ(level->HeightAt(3, 3), 1);

    level->DeleteBlock(nullptr);  // nothing
    EXPECT_EQ(editor.blocks->Count(), 1);
}

TEST_F(LevelModel, CellsOutsideTheGridNeverReachTheCounts) {
    TGLCube* outside = level->AddBlock(9, 5);
    TGLCube* above = level->AddBlock(9, 5);
    EXPECT_EQ(Y(outside), 0.5f);
    EXPECT_EQ(Y(above), 1.0f);  // stacked by counting the cubes there
    EXPECT_EQ(level->CountBlocksAt(9, 5), 2);
    EXPECT_EQ(level->HeightAt(9, 5), 0);
    EXPECT_EQ(level->HeightAt(0, 0), 0);
    level->RecountHeights();
    for (Integer x = 1; x <= 8; ++x)
        for (Integer z = 1; z <= 8; ++z) EXPECT_EQ(level->HeightAt(x, z), 0);

    level->MoveBlock(above, 8, 5);
    EXPECT_EQ(level->HeightAt(8, 5), 1);
    level->MoveBlock(above, -3, 0);
    EXPECT_EQ(level->HeightAt(8, 5), 0);
    level->DeleteBlock(outside);
    EXPECT_EQ(level->CountBlocksAt(9, 5), 0);
}

TEST_F(LevelModel, ClearFreesBlocksAndTilesButKeepsTheContainers) {
    level->AddBlock(1, 1);
    level->AddBlock(8, 8);
    level->ToggleLight(2, 2);
    level->Clear();
    EXPECT_EQ(editor.blocks->Count(), 0);
    EXPECT_EQ(editor.lights->Count(), 0);
    EXPECT_EQ(level->HeightAt(1, 1), 0);
    EXPECT_EQ(level->HeightAt(8, 8), 0);
    EXPECT_EQ(editor.scene->FindObjectByName(L"dcBlocks"), editor.blocks);
}

TEST_F(LevelModel, GridBoundsAndFacingCodes) {
    struct TInsideCase {
        Integer x, z;
        bool inside;
    };
    for (TInsideCase c : {TInsideCase{0, 5, false},
                          {9, 5, false},
                          {8, 8, true},
                          {1, 1, true},
                          {5, 0, false},
                          {5, 9, false},
                          {-1, -1, false}})
        EXPECT_EQ(TLevel::IsInside(c.x, c.z), c.inside) << c.x << "," << c.z;

    struct TFacingCase {
        TAffineVector direction;
        Integer code;
    };
    for (TFacingCase c : {TFacingCase{{1, 0, 0}, 1},
                          {{0, 0, 1}, 2},
                          {{-1, 0, 0}, 3},
                          {{0, 0, -1}, 4},
                          {{0.9999f, 0, 0}, 0},
                          {{1, 5, 0}, 1},
                          {{0, 0, 0}, 0},
                          {{0.7f, 0, 0.7f}, 0}}) {
        level->SetDirection(c.direction);
        EXPECT_EQ(level->DirectionCode(), c.code) << c.direction.X << "," << c.direction.Z;
    }
}

TEST_F(LevelModel, LooksOfBlocksAndSky) {
    TGLCube* cube = level->AddBlock(1, 1);
    level->SetBlockLook(cube, L"Area_blue", false);
    EXPECT_EQ(cube->Material()->LibMaterialName(), L"Area_blue");
    EXPECT_EQ(cube->Material()->LibMaterial(), editor.library->EntryByName(L"Area_blue"));
    level->SetBlockLook(nullptr, L"Area_red", false);          // nothing
    level->SetBlockLook(cube, L"Z:\\no such file.bmp", true);  // no file: nothing
    EXPECT_EQ(cube->Material()->LibMaterialName(), L"Area_blue");

    level->SetSkyMaterial(L"Clover");
    EXPECT_EQ(editor.sky->Material()->LibMaterialName(), L"Clover");
    EXPECT_EQ(level->SkyMaterialName(), L"Clover");

    TEditorScene skyless;
    FreeObject(skyless.sky);
    TLevel withoutSky(skyless.scene, skyless.library);
    EXPECT_EQ(withoutSky.Sky(), nullptr);
    withoutSky.SetSkyMaterial(L"Clover");
    EXPECT_EQ(withoutSky.SkyMaterialName(), L"");
}
