// The robot placeholder on fixture model descriptions: what the description sets on the actor,
// the carrier's place and facing, and what happens without a model.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "EditorFixtures.h"
#include "SysUtils.h"
#include "GLMeshObject.h"
#include "uBot.h"

namespace {

// A square 2 wide and 1 high in the XZ plane around bone 1, which stands at the origin.
const char* const kBotFixtureModel =
    "version 1\nnodes\n  0 \"root\" -1\n  1 \"body\" 0\nend\nskeleton\ntime 0\n"
    "  0 0 0 0 0 0 0\n  1 0 0 0 0 0 0\nend\ntriangles\nskin\n"
    "  1 -1 0 -0.5  0 -1 0  0 0\n  1 1 0 -0.5  0 -1 0  1 0\n  1 1 0 0.5  0 -1 0  1 1\nskin\n"
    "  1 -1 0 -0.5  0 -1 0  0 0\n  1 1 0 0.5  0 -1 0  1 1\n  1 -1 0 0.5  0 -1 0  0 1\nend\n";
// Two frames that lift bone 1.
const char* const kBotFixtureAnimation =
    "version 1\nnodes\n  0 \"root\" -1\n  1 \"body\" 0\nend\nskeleton\ntime 0\n"
    "  0 0 0 0 0 0 0\n  1 0 0 0 0 0 0\ntime 1\n  0 0 0 0 0 0 0\n  1 0 0 0.1 0 0 0\nend\n";

class BotFixture : public testing::Test {
protected:
    void SetUp() override {
        savedFolder = GetCurrentDir();
        WriteTextFile(folder.File(L"robot.smd"), kBotFixtureModel);
        WriteTextFile(folder.File(L"idle.smd"), kBotFixtureAnimation);
        editor.library->Materials()->Add()->SetName(L"Robot");
    }
    void TearDown() override {
        bot.reset();
        SetCurrentDir(savedFolder);
    }
    TBot* Load(const std::string& description) {
        WriteTextFile(folder.File(L"model.ini"), description);
        bot = std::make_unique<TBot>(editor.scene, folder.File(L"model.ini"), editor.library);
        return bot.get();
    }
    TAffineVector Facing() { return bot->GetDirection(); }

    TEditorScene editor;
    TTempFolder folder;
    String savedFolder;
    std::unique_ptr<TBot> bot;
};

void ExpectVector(const TAffineVector& actual, const TAffineVector& expected) {
    EXPECT_NEAR(actual.X, expected.X, 1e-6);
    EXPECT_NEAR(actual.Y, expected.Y, 1e-6);
    EXPECT_NEAR(actual.Z, expected.Z, 1e-6);
}

}  // namespace

TEST_F(BotFixture, TheDescriptionSetsUpTheActor) {
    Load(
        "[MODEL]\nCountAnimations=2\nCountTextures=2\nFileName=robot.smd\nInterval=40\nTexture= Robot \n"
        "SpeedMove=3\nSpeedRotate=5\n[SCALE]\nX=2,5\nY=2.5\nZ=2\n[ROTATION]\nPith=-90\nTurn=0,0\nRoll=0\n"
        "[ANIMATION1]\nFileName=missing.smd\nName=first\n[ANIMATION2]\nFileName= idle.smd \nName=  STAND \n"
        "[TEXTURE1]\nName=Clover\n[TEXTURE2]\nName=NoSuchMaterial\n");
    TGLActor* actor = bot->Actor();
    EXPECT_EQ(actor->Name(), L"Bot");
    EXPECT_EQ(actor->Parent(), bot->ActorCube());
    EXPECT_EQ(bot->ActorCube()->Name(), L"dcActor");
    EXPECT_EQ(bot->ActorCube()->Parent(), editor.scene->Objects());
    EXPECT_EQ(IncludeTrailingPathDelimiter(GetCurrentDir()), folder.Path());

    EXPECT_EQ(actor->MeshObjects()->Count(), 1);
    EXPECT_EQ(actor->Interval(), 40);
    EXPECT_EQ(bot->SpeedMove(), 3);
    EXPECT_EQ(bot->SpeedJump(), 10);
    EXPECT_EQ(bot->SpeedRotate(), 5);
    // Both decimal separators read, whatever the locale.
    ExpectVector(XYZ(actor->Scale()->AsVector()), {2.5f, 2.5f, 2});
    // Half the scaled height (0.5 x 2) plus the gap above the column.
    EXPECT_FLOAT_EQ(actor->Position()->Y(), 1.02f);
    EXPECT_FLOAT_EQ(actor->PitchAngle(), -90);

    // The model file's own frame, then the second animation (the missing file is skipped).
    ASSERT_EQ(actor->Animations()->Count(), 2);
    EXPECT_EQ(actor->Animations()->GetAnimation(0)->Name(), L"robot");
    EXPECT_EQ(actor->Animations()->Last()->Name(), L"stand");
    EXPECT_EQ(actor->AnimationMode(), aamLoop);
    EXPECT_EQ(actor->StartFrame(), actor->Animations()->Last()->StartFrame());
    EXPECT_EQ(actor->EndFrame(), actor->Animations()->Last()->EndFrame());

    EXPECT_EQ(actor->Material()->MaterialLibrary(), editor.library);
    EXPECT_EQ(actor->Material()->LibMaterialName(), L"Robot");
    EXPECT_EQ(actor->Material()->TextureEx()->Count(), 1);  // only the material the library has
}

TEST_F(BotFixture, WithoutAModelTheCarrierStillStandsAndTurns) {
    for (const std::string& description :
         {std::string(), std::string("[MODEL]\nFileName=nothing.smd\n"),
          std::string("[MODEL]\nCountAnimations=1\n[ANIMATION1]\nFileName=idle.smd\n")}) {
        SCOPED_TRACE(description);
        if (description.empty())
            bot = std::make_unique<TBot>(editor.scene, folder.File(L"no such model.ini"), editor.library);
        else
            Load(description);
        EXPECT_EQ(bot->Actor()->MeshObjects()->Count(), 0);
        ExpectVector(XYZ(bot->ActorCube()->Position()->AsVector()), {4, 0, 4});
        ExpectVector(Facing(), {1, 0, 0});
        EXPECT_EQ(bot->Actor()->AnimationMode(), aamLoop);
        bot.reset();
        EXPECT_EQ(editor.scene->FindObjectByName(L"dcActor"), nullptr);
    }
}

TEST_F(BotFixture, WithoutScaleOrRotationTheModelKeepsItsOwn) {
    Load("[MODEL]\nFileName=robot.smd\n");
    ExpectVector(XYZ(bot->Actor()->Scale()->AsVector()), {1, 1, 1});
    EXPECT_FLOAT_EQ(bot->Actor()->Position()->Y(), 0.52f);
    EXPECT_EQ(bot->Actor()->PitchAngle(), 0);
    EXPECT_EQ(bot->Actor()->Interval(), 100);
    EXPECT_EQ(bot->Actor()->Animations()->Count(), 1);  // the model file's own frame
}

TEST_F(BotFixture, PlacesAndFacings) {
    Load("");
    bot->PlaceAt(2, 7, 3);
    EXPECT_EQ(bot->GetCell(), (TGridCell{2, 7}));
    EXPECT_FLOAT_EQ(bot->ActorCube()->Position()->Y(), 1.5f);
    bot->PlaceAtCell({8, 1}, 0);
    EXPECT_EQ(bot->GetCell(), (TGridCell{8, 1}));
    bot->SetPosition(3.9f, 0, 5.2f);
    EXPECT_EQ(bot->GetCell(), (TGridCell{3, 5}));

    // Four quarter turns: +X, +Z, -X, -Z and back.
    const TAffineVector turns[] = {{0, 0, 1}, {-1, 0, 0}, {0, 0, -1}, {1, 0, 0}};
    for (const TAffineVector& next : turns) {
        bot->SetDirection(bot->TurnedDirection());
        ExpectVector(Facing(), next);
        ExpectVector(XYZ(bot->ActorCube()->Up()->AsVector()), {0, 1, 0});
    }
    for (Integer code : {0, 5, -1}) {
        bot->SetDirectionCode(code);
        ExpectVector(Facing(), {1, 0, 0});
    }
    bot->SetDirectionCode(3);
    ExpectVector(Facing(), {-1, 0, 0});
    bot->SetDirectionXYZ(0, 0, 1);
    ExpectVector(Facing(), {0, 0, 1});
}

TEST_F(BotFixture, AMeshTheReadersRefusePassesTheirErrorOn) {
    WriteTextFile(folder.File(L"robot.xyz"), "whatever");
    WriteTextFile(folder.File(L"broken.smd"), "version 2\n");
    EXPECT_NE(MessageOf([&] { Load("[MODEL]\nFileName=robot.xyz\n"); }), "(no exception)");
    EXPECT_EQ(MessageOf([&] { Load("[MODEL]\nFileName=broken.smd\n"); }), "SMD version 1 required");
    EXPECT_EQ(bot, nullptr);
    EXPECT_EQ(editor.scene->FindObjectByName(L"dcActor"), nullptr);
}
