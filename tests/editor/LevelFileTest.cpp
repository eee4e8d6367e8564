// The ".level" file: a golden file written from scratch, hand-written files read back, the
// files the editor refuses, and re-saving over a longer level.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "EditorFixtures.h"
#include "IniFiles.h"
#include "uLevel.h"

namespace {

class LevelFile : public testing::Test {
protected:
    TEditorScene editor;
    std::unique_ptr<TLevel> level = std::make_unique<TLevel>(editor.scene, editor.library);
    TTempFolder folder;

    String Write(const std::string& text) {
        const String name = folder.File(L"test.level");
        WriteTextFile(name, text);
        return name;
    }
    // "X,Z:count" for every column, X-major, and the tiles' cells, as a compact picture.
    std::string Columns() {
        std::string out;
        for (Integer x = 1; x <= 8; ++x)
            for (Integer z = 1; z <= 8; ++z)
                if (level->CountBlocksAt(x, z) > 0)
                    out += std::to_string(x) + "," + std::to_string(z) + ":" +
                           std::to_string(level->CountBlocksAt(x, z)) + " ";
        return out;
    }
    std::string Tiles() {
        std::string out;
        for (Integer i = 0; i < editor.lights->Count(); ++i) {
            TGridCell cell = TLevel::CellOf(editor.lights->GetChild(i));
            out += std::to_string(cell.X) + "," + std::to_string(cell.Z) + " ";
        }
        return out;
    }
};

}  // namespace

TEST_F(LevelFile, AFreshFileHasTheKeysInTheirOrderAndColumnsXMajor) {
    level->AddBlock(3, 5);
    level->AddBlock(3, 5);
    level->AddBlock(1, 2);
    level->ToggleLight(2, 7);
    level->ToggleLight(3, 5);
    level->SetBlockMaterialName(L"Block");
    level->SetSkyMaterial(L"Clover");
    level->SetDirection({0, 0, -1});
    const String name = folder.File(L"Level01.level");
    level->SaveToFile(name);
    {  // what the save command adds afterwards
        TIniFile file(name);
        file.WriteInteger(L"GENERAL", L"StartPosX", 6);
        file.WriteInteger(L"GENERAL", L"StartPosY", 7);
    }
    EXPECT_EQ(FileLines(name), (std::vector<std::string>{"[GENERAL]",
                                                         "CountLights=2",
                                                         "CountBlocks=2",
                                                         "BlockMaterialName=Block",
                                                         "SkyMaterialName=Clover",
                                                         "BotNumDirection=4",
                                                         "StartPosX=6",
                                                         "StartPosY=7",
                                                         "[LIGHT1]",
                                                         "X=2",
                                                         "Y=7",
                                                         "[LIGHT2]",
                                                         "X=3",
                                                         "Y=5",
                                                         "[BLOCK1]",
                                                         "X=1",
                                                         "Y=2",
                                                         "Count=1",
                                                         "[BLOCK2]",
                                                         "X=3",
                                                         "Y=5",
                                                         "Count=2"}));

    TEditorScene other;
    TLevel reread(other.scene, other.library);
    reread.LoadFromFile(name);
    EXPECT_EQ(reread.CountBlocksAt(3, 5), 2);
    EXPECT_EQ(reread.CountBlocksAt(1, 2), 1);
    EXPECT_EQ(reread.HeightAt(3, 5), 2);
    EXPECT_EQ(reread.StartPos(), (TGridCell{6, 7}));
    EXPECT_EQ(reread.DirectionCode(), 4);
    EXPECT_EQ(reread.BlockMaterialName(), L"Block");
    EXPECT_EQ(reread.SkyMaterialName(), L"Clover");
    EXPECT_EQ(other.sky->Material()->LibMaterialName(), L"Clover");
    EXPECT_FLOAT_EQ(other.lights->GetChild(1)->Position()->Y(), 1.01f);

    level->Clear();
    level->ToggleLight(2, 7);
    level->SaveToFile(folder.File(L"tiles.level"));
    EXPECT_EQ(FileLines(folder.File(L"tiles.level"))[2], "CountBlocks=0");
}

TEST_F(LevelFile, HandWrittenFilesReadAsTheirSectionsSay) {
    struct TCase {
        const char* what;
        std::string text;
        std::string columns, tiles;
        TGridCell start;
        Integer facingCode;  // the level faces -Z (4) before it reads
    };
    const TCase cases[] = {
        {"nothing: defaults", "", "", "", {2, 4}, 1},
        {"stale sections beyond the counts are ignored",
         "[GENERAL]\nCountBlocks=1\nCountLights=1\n[BLOCK1]\nX=2\nY=3\nCount=1\n[BLOCK2]\nX=4\nY=4\nCount=5\n"
         "[LIGHT1]\nX=2\nY=3\n[LIGHT2]\nX=8\nY=8\n",
         "2,3:1 ",
         "2,3 ",
         {2, 4},
         1},
        {"a cell named by two LIGHT sections has no tile",
         "[GENERAL]\nCountLights=3\n[LIGHT1]\nX=5\nY=5\n[LIGHT2]\nX=1\nY=1\n[LIGHT3]\nX=5\nY=5\n",
         "",
         "1,1 ",
         {2, 4},
         1},
        {"Count 0 and negative counts add nothing",
         "[GENERAL]\nCountBlocks=2\nCountLights=-4\n[BLOCK1]\nX=2\nY=2\nCount=0\n[BLOCK2]\nX=3\nY=3\nCount=-7\n"
         "[LIGHT1]\nX=1\nY=1\n",
         "",
         "",
         {2, 4},
         1},
        {"BotNumDirection 0 keeps the facing",
         "[GENERAL]\nBotNumDirection=0\nStartPosX=7\nStartPosY=1\n",
         "",
         "",
         {7, 1},
         4},
        {"BotNumDirection 5 keeps the facing", "[GENERAL]\nBotNumDirection=5\n", "", "", {2, 4}, 4},
        {"BotNumDirection 3 faces -X", "[GENERAL]\nBotNumDirection=3\n", "", "", {2, 4}, 3},
        {"two sections on one cell overlap from the ground",
         "[GENERAL]\nCountBlocks=2\n[BLOCK1]\nX=6\nY=6\nCount=2\n[BLOCK2]\nX=6\nY=6\nCount=1\n",
         "6,6:3 ",
         "",
         {2, 4},
         1},
        {"hexadecimal and blank-padded numbers",
         "[GENERAL]\nCountBlocks=0x1\n[BLOCK1]\nX= 4 \nY=0x8\nCount=0x3\n",
         "4,8:3 ",
         "",
         {2, 4},
         1},
        {"cells outside the grid are skipped, and so is such a start",
         "[GENERAL]\nCountBlocks=3\nCountLights=2\nStartPosX=0\nStartPosY=12\n[BLOCK1]\nX=9\nY=1\nCount=2\n"
         "[BLOCK2]\nX=1\nY=-2147483648\nCount=1\n[BLOCK3]\nX=8\nY=8\nCount=1\n[LIGHT1]\nX=0\nY=0\n[LIGHT2]\nX=8\nY=8\n",
         "8,8:1 ",
         "8,8 ",
         {2, 4},
         1},
        {"unparsable values take the defaults",
         "[GENERAL]\nCountBlocks=1\nStartPosX=two\n[BLOCK1]\nX=x\nY=\nCount=2\n",
         "1,1:2 ",
         "",
         {2, 4},
         1},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        level->AddBlock(7, 7);  // whatever was open goes
        level->SetDirection({0, 0, -1});
        level->LoadFromFile(Write(c.text));
        EXPECT_EQ(Columns(), c.columns);
        EXPECT_EQ(Tiles(), c.tiles);
        EXPECT_EQ(level->StartPos(), c.start);
        EXPECT_EQ(level->DirectionCode(), c.facingCode);
    }
}

TEST_F(LevelFile, BlocksAndTilesStandWhereTheFileStacksThem) {
    level->LoadFromFile(
        Write("[GENERAL]\nBlockMaterialName=Area_red\nCountBlocks=1\nCountLights=1\n"
              "[BLOCK1]\nX=3\nY=2\nCount=3\n[LIGHT1]\nX=3\nY=2\n"));
    ASSERT_EQ(editor.blocks->Count(), 3);
    for (Integer k = 0; k < 3; ++k) {
        TGLBaseSceneObject* cube = editor.blocks->GetChild(k);
        EXPECT_EQ(cube->Position()->Y(), 0.5f * Single(k + 1));
        EXPECT_EQ(static_cast<TGLCube*>(cube)->Material()->LibMaterialName(), L"Area_red");
    }
    EXPECT_EQ(level->HeightAt(3, 2), 3);
    EXPECT_FLOAT_EQ(editor.lights->GetChild(0)->Position()->Y(), 1.51f);
    // A missing file reads as an empty level.
    level->LoadFromFile(folder.File(L"missing.level"));
    EXPECT_EQ(editor.blocks->Count(), 0);
}

TEST_F(LevelFile, FilesNamingMoreThanTheGridHoldsAreRefusedAndTheLevelStays) {
    struct TCase {
        std::string text, message;
    };
    const TCase cases[] = {
        {"[GENERAL]\nCountBlocks=65\n", "CountBlocks = 65, а на поле 8×8 не больше 64 столбцов."},
        {"[GENERAL]\nCountLights=2000000000\n", "CountLights = 2000000000, а на поле 8×8 не больше 64 плиток."},
        {"[GENERAL]\nCountBlocks=2\n[BLOCK1]\nX=1\nY=1\nCount=3\n[BLOCK2]\nX=1\nY=2\nCount=5000000\n",
         "в BLOCK2 Count = 5000000, а в столбце не больше 256 блоков."},
    };
    level->AddBlock(4, 4);
    level->ToggleLight(4, 4);
    level->SetBlockMaterialName(L"Area_green");
    level->SetSkyMaterial(L"Clover");
    for (const TCase& c : cases) {
        const String name = Write(c.text);
        EXPECT_EQ(ClassAndMessageOf([&] { level->LoadFromFile(name); }),
                  "ELevelFileError: Файл уровня «" + Utf8(name) + "» не открыт: " + c.message);
        EXPECT_EQ(Columns(), "4,4:1 ");
        EXPECT_EQ(Tiles(), "4,4 ");
        EXPECT_EQ(level->BlockMaterialName(), L"Area_green");
        EXPECT_EQ(level->SkyMaterialName(), L"Clover");
    }
    // The most a file may hold still reads.
    level->LoadFromFile(Write("[GENERAL]\nCountBlocks=1\n[BLOCK1]\nX=1\nY=1\nCount=256\n"));
    EXPECT_EQ(level->HeightAt(1, 1), 256);
}

TEST_F(LevelFile, ResavingAShorterLevelLeavesStaleSectionsThatReadersIgnore) {
    for (Integer x = 1; x <= 5; ++x) level->AddBlock(x, 1);
    const String name = folder.File(L"resave.level");
    level->SaveToFile(name);
    level->Clear();
    for (Integer x = 1; x <= 3; ++x) level->AddBlock(x, 2);
    level->SaveToFile(name);

    TIniFile file(name);
    EXPECT_EQ(file.ReadInteger(L"GENERAL", L"CountBlocks", -1), 3);
    EXPECT_EQ(file.ReadInteger(L"BLOCK5", L"X", -1), 5);  // stale
    level->LoadFromFile(name);
    EXPECT_EQ(Columns(), "1,2:1 2,2:1 3,2:1 ");
}

TEST_F(LevelFile, AFileThatCannotBeWrittenRaises) {
    level->AddBlock(1, 1);
    EXPECT_NE(MessageOf([&] { level->SaveToFile(folder.File(L"no such folder\\x.level")); }), "(no exception)");
}
