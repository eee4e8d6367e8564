// Broken copies of the editor's own files: level files, texture catalogues and model
// descriptions. Every copy loads or is refused with an exception; nothing crashes or hangs, the
// level never holds a cell outside the grid, and the heap is as it was after the loop.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "EditorFixtures.h"
#include "GLMeshObject.h"
#include "MutationSupport.h"
#include "SysUtils.h"
#include "uBot.h"
#include "uLevel.h"
#include "uTextures.h"

namespace {

// Byte edits of INI text, biased toward what readers trip over: numbers at their limits, signs,
// brackets, separators and line breaks.
std::string MutateIniText(const std::string& seed, TRuntimeRandom& random) {
    static const char* const kNumbers[] = {"0",   "-1",         "65",          "257",         "64",
                                           "256", "2147483647", "-2147483648", "99999999999", "0x7FFFFFFF",
                                           "9",   "1,5",        "1e30",        "nan"};
    static const char kBytes[] = "0123456789-+[]=\r\n ,.xX;\"\t";
    std::string text = seed;
    const int edits = 1 + int(random.Next(4));
    for (int e = 0; e < edits; ++e) {
        const size_t at = text.empty() ? 0 : random.Next(std::uint32_t(text.size()));
        switch (random.Next(6)) {
            case 0:  // a number replaced by another
                if (!text.empty()) {
                    size_t start = text.find_first_of("0123456789", at);
                    if (start == std::string::npos) break;
                    size_t end = text.find_first_not_of("0123456789", start);
                    text.replace(start, (end == std::string::npos ? text.size() : end) - start,
                                 kNumbers[random.Next(std::size(kNumbers))]);
                }
                break;
            case 1:
                text.insert(at, 1, kBytes[random.Next(sizeof(kBytes) - 1)]);
                break;
            case 2:
                if (!text.empty()) text.erase(at, 1 + random.Next(8));
                break;
            case 3:
                if (!text.empty()) text[at] = char(random.Next(256));
                break;
            case 4: {  // a line doubled somewhere else
                size_t start = text.rfind('\n', at), end = text.find('\n', at);
                start = start == std::string::npos ? 0 : start + 1;
                std::string line = text.substr(start, (end == std::string::npos ? text.size() : end) - start);
                text.insert(random.Next(std::uint32_t(text.size() + 1)), line + "\n");
                break;
            }
            default:
                if (!text.empty()) text[at] = kBytes[random.Next(sizeof(kBytes) - 1)];
                break;
        }
    }
    return text;
}

struct TMutationTally {
    int loaded = 0, refused = 0;
};

// Runs count mutants of the seed through load (true when the input loaded, an exception when it
// was refused).
template <class Load>
void RunMutants(const std::string& seed, std::uint32_t randomSeed, int count, TMutationTally& tally, Load load) {
    TRuntimeRandom random(randomSeed);
    for (int i = 0; i < count; ++i) {
        const std::string text = MutateIniText(seed, random);
        try {
            load(text);
            ++tally.loaded;
        } catch (const Exception&) {
            ++tally.refused;
        }
        if (testing::Test::HasFatalFailure()) return;
    }
}

constexpr int kWarmUpMutants = 200, kMeasuredMutants = 10000;

const char kMutationLevelSeed[] =
    "[GENERAL]\r\nCountLights=3\r\nCountBlocks=3\r\nBlockMaterialName=Stone\r\nSkyMaterialName=SkyDay\r\n"
    "BotNumDirection=2\r\nStartPosX=3\r\nStartPosY=5\r\n\r\n[LIGHT1]\r\nX=2\r\nY=7\r\n\r\n[LIGHT2]\r\nX=3\r\nY="
    "5\r\n\r\n"
    "[LIGHT3]\r\nX=8\r\nY=1\r\n\r\n[BLOCK1]\r\nX=1\r\nY=2\r\nCount=1\r\n\r\n[BLOCK2]\r\nX=3\r\nY=5\r\nCount=2\r\n\r\n"
    "[BLOCK3]\r\nX=8\r\nY=8\r\nCount=4\r\n";

}  // namespace

TEST(EditorFilesMutation, LevelFilesLoadOrAreRefused) {
    TEditorScene editor;
    TLevel level(editor.scene, editor.library);
    TTempFolder folder;
    const String name = folder.File(L"mutant.level");
    TMutationTally tally;
    auto load = [&](const std::string& text) {
        WriteTextFile(name, text);
        level.Clear();
        level.AddBlock(4, 4);  // what was open before
        try {
            level.LoadFromFile(name);
        } catch (const ELevelFileError&) {
            ASSERT_EQ(level.CountBlocksAt(4, 4), 1) << "a refused file changed the level";
            ASSERT_EQ(editor.blocks->Count(), 1);
            throw;
        }
        Integer total = 0;
        for (Integer i = 0; i < editor.blocks->Count(); ++i)
            ASSERT_TRUE(TLevel::IsCellInside(TLevel::CellOf(editor.blocks->GetChild(i))));
        for (Integer i = 0; i < editor.lights->Count(); ++i)
            ASSERT_TRUE(TLevel::IsCellInside(TLevel::CellOf(editor.lights->GetChild(i))));
        for (Integer x = 1; x <= 8; ++x)
            for (Integer z = 1; z <= 8; ++z) total += level.HeightAt(x, z);
        ASSERT_EQ(total, editor.blocks->Count());
        ASSERT_TRUE(TLevel::IsCellInside(level.StartPos()));
    };
    RunMutants(kMutationLevelSeed, 0x1E7E1, kWarmUpMutants, tally, load);
    level.Clear();
    const THeapUse before = HeapInUse();
    tally = {};
    RunMutants(kMutationLevelSeed, 0x1E7E2, kMeasuredMutants, tally, load);
    level.Clear();
    const THeapUse after = HeapInUse();
    EXPECT_EQ(tally.loaded + tally.refused, kMeasuredMutants);
    EXPECT_GT(tally.loaded, 1000);
    EXPECT_GT(tally.refused, 100);
    EXPECT_LE(after.blocks, before.blocks + 16) << "objects left behind";
    EXPECT_LE(after.bytes, before.bytes + 16 * 1024) << "memory left behind";
    RecordProperty("refused", tally.refused);
}

TEST(EditorFilesMutation, TextureCataloguesLoadOrAreRefused) {
    TTempFolder folder;
    // Two small pictures from the shipped catalogue, copied in.
    const String shipped = ExtractFilePath(ParamStr(0)) + L"textures\\";
    for (const wchar_t* file : {L"metal.jpg", L"robot.tga", L"blocksilver.dds"})
        ASSERT_TRUE(CopyFileW((shipped + file).c_str(), folder.File(file).c_str(), FALSE));
    const std::string seed =
        "[GENERAL]\r\nCount=4\r\n[TEXTURE1]\r\nFileName=metal.jpg\r\nMaterialName=Metal\r\n"
        "[TEXTURE2]\r\nFileName=robot.tga\r\nMaterialName=Robot\r\n[TEXTURE3]\r\nFileName=blocksilver.dds\r\n"
        "MaterialName=BlockSilver\r\n[TEXTURE4]\r\nFileName=textures.ini\r\nMaterialName=Broken\r\n";
    TMutationTally tally;
    auto load = [&](const std::string& text) {
        WriteTextFile(folder.File(L"textures.ini"), text);
        TEditorScene editor;
        std::vector<String> unreadable;
        if (!LoadTextures(folder.Path(), editor.library, &unreadable)) throw Exception(L"no catalogue");
        ASSERT_LE(editor.library->Materials()->Count() + Integer(unreadable.size()), 11 + 4);
        // A picture that could not be read was skipped and reported.
        if (!unreadable.empty()) throw Exception(unreadable.front());
    };
    RunMutants(seed, 0x7E71, kWarmUpMutants, tally, load);
    const THeapUse before = HeapInUse();
    tally = {};
    RunMutants(seed, 0x7E72, kMeasuredMutants, tally, load);
    const THeapUse after = HeapInUse();
    EXPECT_EQ(tally.loaded + tally.refused, kMeasuredMutants);
    EXPECT_GT(tally.loaded, 100);
    EXPECT_GT(tally.refused, 100);  // the catalogue itself named as a picture
    EXPECT_LE(after.blocks, before.blocks + 16) << "objects left behind";
    EXPECT_LE(after.bytes, before.bytes + 16 * 1024) << "memory left behind";
}

TEST(EditorFilesMutation, ModelDescriptionsLoadOrAreRefused) {
    TTempFolder folder;
    const String savedFolder = GetCurrentDir();
    // A small model and animation under the shipped names, so that each mutant loads quickly.
    WriteTextFile(folder.File(L"robot.smd"),
                  "version 1\nnodes\n  0 \"root\" -1\n  1 \"body\" 0\nend\nskeleton\ntime 0\n  0 0 0 0 0 0 0\n"
                  "  1 0 0 0 0 0 0\nend\ntriangles\nrobot\n  1 -1 0 -0.5  0 -1 0  0 0\n  1 1 0 -0.5  0 -1 0  1 0\n"
                  "  1 1 0 0.5  0 -1 0  1 1\nend\n");
    WriteTextFile(folder.File(L"stand.smd"),
                  "version 1\nnodes\n  0 \"root\" -1\n  1 \"body\" 0\nend\nskeleton\ntime 0\n  0 0 0 0 0 0 0\n"
                  "  1 0 0 0 0 0 0\ntime 1\n  0 0 0 0 0 0 0\n  1 0 0 0.1 0 0 0\nend\n");
    WriteTextFile(folder.File(L"robot.glsm"), "not an archive");
    const std::string seed = ReadTextFile(ExtractFilePath(ParamStr(0)) + L"models\\Bot\\model.ini") +
                             "\r\n[ANIMATION2]\r\nFileName=robot.smd\r\nName=Again\r\n";
    ASSERT_NE(seed.find("Pith"), std::string::npos);
    TMutationTally tally;
    auto load = [&](const std::string& text) {
        WriteTextFile(folder.File(L"model.ini"), text);
        TEditorScene editor;
        editor.library->Materials()->Add()->SetName(L"Robot");
        editor.library->Materials()->Add()->SetName(L"Metal");
        TBot bot(editor.scene, folder.File(L"model.ini"), editor.library);
        ASSERT_EQ(bot.GetCell(), (TGridCell{4, 4}));
        ASSERT_LE(bot.Actor()->Animations()->Count(), 4);
    };
    RunMutants(seed, 0xB071, kWarmUpMutants, tally, load);
    const THeapUse before = HeapInUse();
    tally = {};
    RunMutants(seed, 0xB072, kMeasuredMutants, tally, load);
    const THeapUse after = HeapInUse();
    SetCurrentDir(savedFolder);
    EXPECT_EQ(tally.loaded + tally.refused, kMeasuredMutants);
    EXPECT_GT(tally.loaded, 1000);
    EXPECT_LE(after.blocks, before.blocks + 16) << "objects left behind";
    EXPECT_LE(after.bytes, before.bytes + 16 * 1024) << "memory left behind";
    RecordProperty("refused", tally.refused);
}
