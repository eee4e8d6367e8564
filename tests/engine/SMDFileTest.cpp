// SMD model and animation files: what a model and an animation put into a mesh and an actor,
// materials, every refusal with its message, and writing under any locale.
#include <gtest/gtest.h>

#include <memory>

#include "Bitmap.h"
#include "GLFileSMD.h"
#include "GLMaterial.h"
#include "GLTextureImage.h"
#include "MathExpect.h"
#include "SkeletonFixtures.h"
#include "TestSupport.h"

namespace {

// The lines of an SMD file as an exporter writes them: bone lines listing ids 0 and 2 only,
// shared corners, a corner that differs only in its texture coordinates, materials that come
// back, and a corner bound to two bones.
AnsiString ExportedModel(const char* texture) {
    const std::string tex = texture;
    return SmdText({"version 1",
                    "nodes",
                    "  0 \"pelvis\" -1",
                    "  1 \"spine\" 0",
                    "  2 \"head\" 1",
                    "end",
                    "skeleton",
                    "time 0",
                    "  0 0.000000 0.000000 1.000000 0.000000 0.000000 0.000000",
                    "  2 0.000000 0.000000 0.500000 0.000000 0.000000 1.570796",
                    "end",
                    "triangles",
                    "null.bmp",
                    "0 0.000000 0.000000 0.000000 0.000000 0.000000 1.000000 0.000000 0.000000",
                    "0 1.000000 0.000000 0.000000 0.000000 0.000000 1.000000 1.000000 0.000000",
                    "0 1.000000 1.000000 0.000000 0.000000 0.000000 1.000000 1.000000 1.000000",
                    "null.bmp",
                    "0 0.000000 0.000000 0.000000 0.000000 0.000000 1.000000 0.000000 0.000000",
                    "0 1.000000 1.000000 0.000000 0.000000 0.000000 1.000000 1.000000 1.000000",
                    "0 0.000000 1.000000 0.000000 0.000000 0.000000 1.000000 0.000000 1.000000",
                    tex.c_str(),
                    "0 0.000000 0.000000 0.000000 0.000000 0.000000 1.000000 0.500000 0.500000",
                    "1 1.000000 0.000000 0.000000 0.000000 0.000000 1.000000 1.000000 0.000000",
                    "0 0.000000 1.000000 0.000000 0.000000 0.000000 1.000000 0.000000 1.000000",
                    "null.bmp",
                    "2 0.000000 0.000000 2.000000 0.000000 0.000000 1.000000 0.000000 0.000000 2 1 0.25 2 0.75",
                    "0 1.000000 0.000000 0.000000 0.000000 0.000000 1.000000 1.000000 0.000000",
                    "0 0.000000 1.000000 0.000000 0.000000 0.000000 1.000000 0.000000 1.000000",
                    "end"});
}

// A square bitmap of one colour saved as a file.
void SaveBitmap(const String& fileName) {
    TBitmap picture;
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(4, 4);
    picture.SaveToFile(fileName);
}

class SmdFiles : public testing::Test {
protected:
    SmdFiles() : library(new TGLMaterialLibrary(&owner)), actor(new TGLActor(nullptr)) {}

    std::string Refusal(const AnsiString& text, const String& name = L"bad.smd") {
        return ClassAndMessageOf([&] { LoadSmd(actor.get(), name, text); });
    }

    TComponent owner{nullptr};
    TGLMaterialLibrary* library;
    std::unique_ptr<TGLActor> actor;
    TTempFolder folder;
};

}  // namespace

TEST_F(SmdFiles, AModelGivesBonesFramesAndASkeletalMeshObject) {
    const String texture = folder.File(L"skin.bmp");
    SaveBitmap(texture);
    actor->SetMaterialLibrary(library);
    LoadSmd(actor.get(), L"C:\\models\\robot.smd", ExportedModel(Utf8(texture).c_str()));

    TSkeleton* skeleton = actor->Skeleton();
    EXPECT_EQ(skeleton->RootBones()->BoneCount(), 4);
    EXPECT_EQ(skeleton->BoneByID(2)->Name(), L"head");
    EXPECT_EQ(skeleton->BoneByID(2)->Owner(), skeleton->BoneByID(1));
    EXPECT_EQ(skeleton->BoneByID(1)->Owner(), skeleton->BoneByID(0));

    // Bone 1, missing from the frame, gets a zero entry.
    ASSERT_EQ(skeleton->Frames()->Count(), 1);
    TSkeletonFrame* frame = skeleton->Frames()->Frame(0);
    EXPECT_EQ(frame->Name(), L"C:\\models\\robot.smd time 0");
    EXPECT_ITEMS(*frame->Position(), V3(0, 0, 1), V3(0, 0, 0), V3(0, 0, 0.5f));
    EXPECT_ITEMS(*frame->Rotation(), V3(0, 0, 0), V3(0, 0, 0), V3(0, 0, 1.570796f));

    ASSERT_EQ(actor->MeshObjects()->Count(), 1);
    auto* object = dynamic_cast<TSkeletonMeshObject*>(actor->MeshObjects()->GetMeshObject(0));
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->Mode(), momFaceGroups);
    // Corners with the same bone, position and normal share a vertex, whatever their texture
    // coordinates; the same place under another bone is another vertex.
    EXPECT_EQ(object->Vertices()->Count(), 6);
    EXPECT_EQ(object->TexCoords()->Count(), 5);
    EXPECT_EQ(object->BonesPerVertex(), 2);
    EXPECT_EQ(object->VertexWeightCount(), 6);
    EXPECT_EQ(object->VertexBoneWeights(5)[0].BoneID, 1);
    EXPECT_EQ(object->VertexBoneWeights(5)[1].Weight, 0.75f);
    EXPECT_EQ(object->VertexBoneWeights(4)[0].BoneID, 1);  // bound to bone 1 alone
    EXPECT_EQ(object->VertexBoneWeights(4)[0].Weight, 1);

    // A material that comes back later starts a new group; consecutive ones share one.
    ASSERT_EQ(object->FaceGroups()->Count(), 3);
    std::vector<String> materials;
    for (Integer g = 0; g < 3; ++g) materials.push_back(object->FaceGroups()->GetFaceGroup(g)->MaterialName());
    EXPECT_EQ(materials, (std::vector<String>{L"null.bmp", texture, L"null.bmp"}));
    auto* first = static_cast<TFGVertexNormalTexIndexList*>(object->FaceGroups()->GetFaceGroup(0));
    EXPECT_EQ(first->VertexIndices()->Count(), 6);
    const Integer firstCorners[] = {0, 1, 2, 0, 2, 3};
    for (Integer k = 0; k < 6; ++k) {
        EXPECT_EQ(first->VertexIndices()->GetItem(k), firstCorners[k]);
        EXPECT_EQ(first->NormalIndices()->GetItem(k), firstCorners[k]);
    }
    auto* second = static_cast<TFGVertexNormalTexIndexList*>(object->FaceGroups()->GetFaceGroup(1));
    EXPECT_EQ(second->VertexIndices()->GetItem(0), 0);
    EXPECT_EQ(second->TexCoordIndices()->GetItem(0), 4);

    // "null.bmp" became one material without a picture; the other name reads its file.
    ASSERT_EQ(library->Materials()->Count(), 2);
    TGLLibMaterial* blank = library->Materials()->FindByName(L"null.bmp");
    ASSERT_NE(blank, nullptr);
    EXPECT_EQ(blank->Material()->Texture()->Image()->ImageWidth(), 0);
    TGLLibMaterial* textured = library->Materials()->FindByName(texture);
    ASSERT_NE(textured, nullptr);
    EXPECT_EQ(textured->Material()->Texture()->Image()->ImageWidth(), 4);

    // Posed in its first frame, the model shows the file's vertices.
    EXPECT_EQ(object->BindPoseMeshCount(), 2);
    const std::vector<TAffineVector> read = Items(*object->Vertices());
    skeleton->MorphMesh(false);
    for (size_t i = 0; i < read.size(); ++i)
        EXPECT_TRUE(Near(object->Vertices()->GetItem(Integer(i)), read[i], 1e-5)) << i;
    EXPECT_EQ(actor->Animations()->Count(), 1);
    EXPECT_EQ(actor->Animations()->GetAnimation(0)->Name(), L"C:\\models\\robot");
}

TEST_F(SmdFiles, AnimationsAppendFramesAndAreNamedAfterTheFileUpToItsFirstDot) {
    LoadSmd(actor.get(), L"C:\\bot.v2\\robot.smd", TwoBoneModel());
    AddSmd(actor.get(), L"C:\\bot.v2\\walk.smd", TwoFrameAnimation());
    {
        // A name without a dot is the animation's whole name.
        TGLSMDVectorFile file(actor.get());
        file.SetStoredName(L"stand");
        TStringStream stream(TwoFrameAnimation());
        file.LoadFromStream(&stream);
    }
    TSkeletonFrameList* frames = actor->Skeleton()->Frames();
    ASSERT_EQ(frames->Count(), 5);
    EXPECT_EQ(frames->Frame(2)->Name(), L"C:\\bot.v2\\walk.smd time 1");
    EXPECT_ITEMS(*frames->Frame(2)->Position(), V3(0, 0, 0), V3(1, 3, 0));
    EXPECT_EQ(actor->MeshObjects()->Count(), 1);                // animations add no mesh object
    EXPECT_EQ(actor->Skeleton()->RootBones()->BoneCount(), 3);  // nor bones

    ASSERT_EQ(actor->Animations()->Count(), 3);
    struct Expected {
        const wchar_t* name;
        Integer start, end;
    };
    const Expected expected[] = {{L"C:\\bot", 0, 0}, {L"C:\\bot", 1, 2}, {L"stand", 3, 4}};
    for (int i = 0; i < 3; ++i) {
        TActorAnimation* animation = actor->Animations()->GetAnimation(i);
        EXPECT_EQ(animation->Name(), expected[i].name) << i;
        EXPECT_EQ(animation->Reference(), aarSkeleton) << i;
        EXPECT_EQ(animation->StartFrame(), expected[i].start) << i;
        EXPECT_EQ(animation->EndFrame(), expected[i].end) << i;
    }
    // Loading a model again forgets the animations, bones and frames.
    LoadSmd(actor.get(), L"robot.smd", TwoBoneModel());
    EXPECT_EQ(actor->Animations()->Count(), 1);
    EXPECT_EQ(frames->Count(), 1);
}

TEST_F(SmdFiles, TheTrianglesSectionIsFoundWhateverItsLetterCase) {
    AnsiString text = TwoBoneModel();
    text.replace(text.find("triangles"), 9, "TRIANGLES");
    LoadSmd(actor.get(), L"robot.smd", text);
    ASSERT_EQ(actor->MeshObjects()->Count(), 1);
    EXPECT_EQ(actor->MeshObjects()->GetMeshObject(0)->Vertices()->Count(), 4);
    EXPECT_EQ(actor->MeshObjects()->GetMeshObject(0)->TriangleCount(), 2);
}

TEST_F(SmdFiles, OnlyBlanksAndDigitsStartBoneLines) {
    for (const char* line : {"\t1 1.0 0.0 0.0 0.0 0.0 0.0", "-1 1.0 0.0 0.0 0.0 0.0 0.0"}) {
        const AnsiString text = SmdText({"version 1", "nodes", "0 \"root\" -1", "1 \"arm\" 0", "end", "skeleton",
                                         "time 0", "0 0 0 0 0 0 0", line, "end"});
        actor.reset(new TGLActor(nullptr));
        LoadSmd(actor.get(), L"robot.smd", TwoBoneModel());
        EXPECT_EQ(ClassAndMessageOf([&] { AddSmd(actor.get(), L"walk.smd", text); }),
                  "EInvalidVectorFile: time not found, got: " + std::string(line));
        // What was read before the failure stays: the frame, padded to the bones.
        ASSERT_EQ(actor->Skeleton()->Frames()->Count(), 2);
        EXPECT_EQ(actor->Skeleton()->Frames()->Frame(1)->Position()->Count(), 2);
    }
}

TEST_F(SmdFiles, BadFilesAreRefusedWithTheirMessage) {
    struct Case {
        const char* what;
        AnsiString text;
        const char* message;
    };
    auto model = [](std::initializer_list<const char*> nodes, std::initializer_list<const char*> frame,
                    std::initializer_list<const char*> triangles) {
        AnsiString text = SmdText({"version 1", "nodes"}) + SmdText(nodes) + SmdText({"end", "skeleton", "time 0"}) +
                          SmdText(frame) + SmdText({"end", "triangles", "skin"}) + SmdText(triangles) +
                          SmdText({"end"});
        return text;
    };
    const auto twoBones = {"0 \"root\" -1", "1 \"arm\" 0"};
    const auto pose = {" 0 0 0 0 0 0 0", " 1 1 0 0 0 0 0"};
    const char* corner = "1 0 0 0 0 0 1 0 0";
    const Case cases[] = {
        {"another version", SmdText({"version 2", "nodes"}), "EInvalidVectorFile: SMD version 1 required"},
        {"an empty file", "", "EInvalidVectorFile: SMD version 1 required"},
        {"no nodes", SmdText({"version 1", "bones", "end"}), "EInvalidVectorFile: nodes not found"},
        {"an animation without a model",
         SmdText({"version 1", "nodes", "0 \"root\" -1", "end", "skeleton", "time 0", "0 0 0 0 0 0 0", "end"}),
         "EInvalidVectorFile: SMD is an animation, load model SMD first."},
        {"no skeleton", SmdText({"version 1", "nodes", "0 \"root\" -1", "end", "frames", "triangles", "end"}),
         "EInvalidVectorFile: skeleton not found"},
        {"no time line", SmdText({"version 1", "nodes", "0 \"root\" -1", "end", "skeleton", "frame 0", "triangles"}),
         "EInvalidVectorFile: time not found, got: frame 0"},
        {"a bone id beyond the bones", model(twoBones, {" 0 0 0 0 0 0 0", " 5 1 0 0 0 0 0"}, {corner, corner, corner}),
         "EInvalidVectorFile: Invalid number of bones in frame 1"},
        {"a negative bone id in a frame", model(twoBones, {" -1 0 0 0 0 0 0"}, {corner, corner, corner}),
         "EInvalidVectorFile: SMD line 8: unknown bone -1"},
        {"an unknown parent", model({"0 \"root\" -1", "1 \"arm\" 7"}, pose, {corner, corner, corner}),
         "EInvalidVectorFile: SMD line 4: unknown parent bone 7"},
        {"a parent given after its child", model({"1 \"arm\" 0", "0 \"root\" -1"}, pose, {corner, corner, corner}),
         "EInvalidVectorFile: SMD line 3: unknown parent bone 0"},
        {"a bone id beyond the nodes", model({"0 \"root\" -1", "5 \"arm\" 0"}, pose, {corner, corner, corner}),
         "EInvalidVectorFile: SMD line 4: bone id 5 outside 0..1"},
        {"a bone id twice", model({"0 \"root\" -1", "0 \"arm\" 0"}, pose, {corner, corner, corner}),
         "EInvalidVectorFile: SMD line 4: bone id 0 given twice"},
        {"a short node line", model({"0 \"root\""}, pose, {corner, corner, corner}),
         "EInvalidVectorFile: SMD line 3: too few fields (2 of 3)"},
        {"a short bone line", model(twoBones, {" 0 0 0 0"}, {corner, corner, corner}),
         "EInvalidVectorFile: SMD line 8: too few fields (4 of 7)"},
        {"a short vertex line", model(twoBones, pose, {corner, "1 0 0 0 0 0 1 0", corner}),
         "EInvalidVectorFile: SMD line 14: too few fields (8 of 9)"},
        {"a vertex of an unknown bone", model(twoBones, pose, {corner, corner, "9 0 0 0 0 0 1 0 0"}),
         "EInvalidVectorFile: SMD line 15: unknown bone 9"},
        {"a weight of an unknown bone", model(twoBones, pose, {"1 0 0 0 0 0 1 0 0 2 0 0.5 4 0.5", corner, corner}),
         "EInvalidVectorFile: SMD line 13: unknown bone 4"},
        {"fewer links than counted", model(twoBones, pose, {"1 0 0 0 0 0 1 0 0 2 0 0.5", corner, corner}),
         "EInvalidVectorFile: SMD line 13: too few fields (12 of 14)"},
        {"too many links", model(twoBones, pose, {"1 0 0 0 0 0 1 0 0 40 0 0.5", corner, corner}),
         "EInvalidVectorFile: SMD line 13: 40 bone links"},
        {"a triangle cut short", model(twoBones, pose, {corner, corner}),
         "EInvalidVectorFile: SMD line 15: too few fields (1 of 9)"},
        {"the end of the frames missing",
         SmdText({"version 1", "nodes", "0 \"root\" -1", "end", "skeleton", "time 0", " 0 0 0 0 0 0 0", "triangles"}),
         "EInvalidVectorFile: time not found, got: triangles"},
        {"the file ends in a triangle",
         SmdText({"version 1", "nodes", "0 \"root\" -1", "end", "skeleton", "end", "triangles", "skin",
                  "0 0 0 0 0 0 1 0 0"}),
         "EInvalidVectorFile: SMD ends inside its triangles"},
        {"a bone id that is no number", model({"x \"root\" -1"}, pose, {corner, corner, corner}),
         "EConvertError: 'x' is not a valid integer value"},
    };
    for (const Case& c : cases) {
        actor.reset(new TGLActor(nullptr));
        EXPECT_EQ(Refusal(c.text), c.message) << c.what;
    }

    // Animations added to a model whose file ends too soon.
    const Case endings[] = {
        {"in the nodes", SmdText({"version 1", "nodes", "0 \"root\" -1"}),
         "EInvalidVectorFile: SMD ends inside its nodes"},
        {"in the frames", SmdText({"version 1", "nodes", "end", "skeleton", "time 0", " 0 0 0 0 0 0 0"}),
         "EInvalidVectorFile: SMD ends inside its skeleton"},
    };
    for (const Case& c : endings) {
        actor.reset(new TGLActor(nullptr));
        LoadSmd(actor.get(), L"robot.smd", TwoBoneModel());
        EXPECT_EQ(ClassAndMessageOf([&] { AddSmd(actor.get(), L"walk.smd", c.text); }), c.message) << c.what;
    }
}

TEST_F(SmdFiles, MissingTexturesStopTheReadingUnlessTolerated) {
    actor->SetMaterialLibrary(library);
    EXPECT_EQ(ClassAndMessageOf([&] { LoadSmd(actor.get(), L"robot.smd", ExportedModel("nowhere.bmp")); }),
              "ETexture: Could not open file: nowhere.bmp");

    actor->SetIgnoreMissingTextures(true);
    LoadSmd(actor.get(), L"robot.smd", ExportedModel("missing.bmp"));
    EXPECT_EQ(actor->MeshObjects()->GetMeshObject(0)->FaceGroups()->Count(), 3);
    EXPECT_NE(library->Materials()->FindByName(L"missing.bmp"), nullptr);
    // Without a library nothing is looked up at all.
    actor.reset(new TGLActor(nullptr));
    LoadSmd(actor.get(), L"robot.smd", ExportedModel("elsewhere.bmp"));
    EXPECT_EQ(library->Materials()->FindByName(L"elsewhere.bmp"), nullptr);
}

TEST_F(SmdFiles, WrittenFilesUseDotsWhateverTheLocale) {
    LoadSmd(actor.get(), L"robot.smd", TwoBoneModel());
    const TFormatSettings saved = FormatSettings;
    FormatSettings.DecimalSeparator = L',';
    TStringStream out;
    actor->SaveToStream(L"copy.smd", &out);
    std::unique_ptr<TGLActor> copy(new TGLActor(nullptr));
    out.SetPosition(0);
    copy->LoadFromStream(L"copy.smd", &out);
    FormatSettings = saved;

    EXPECT_EQ(out.DataString(), SmdText({"version 1",
                                         "nodes",
                                         "  0 \"root\"  -1",
                                         "  1 \"arm\"   0",
                                         "end",
                                         "skeleton",
                                         "time 0",
                                         "  0 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000",
                                         "  1 1.000000 0.000000 0.000000 0.000000 0.000000 0.000000",
                                         "end",
                                         "triangles",
                                         "skin",
                                         "  1 0.5000 -0.5000 0.0000 0.0000 0.0000 1.0000 0.0000 0.0000",
                                         "  1 1.5000 -0.5000 0.0000 0.0000 0.0000 1.0000 1.0000 0.0000",
                                         "  1 1.5000 0.5000 0.0000 0.0000 0.0000 1.0000 1.0000 1.0000",
                                         "skin",
                                         "  1 0.5000 -0.5000 0.0000 0.0000 0.0000 1.0000 0.0000 0.0000",
                                         "  1 1.5000 0.5000 0.0000 0.0000 0.0000 1.0000 1.0000 1.0000",
                                         "  1 0.5000 0.5000 0.0000 0.0000 0.0000 1.0000 0.0000 1.0000",
                                         "end"}));
    // Read back under the same locale, it is the same model.
    EXPECT_EQ(Text(Items(*copy->MeshObjects()->GetMeshObject(0)->Vertices())),
              Text(Items(*actor->MeshObjects()->GetMeshObject(0)->Vertices())));
    EXPECT_ITEMS(*copy->Skeleton()->Frames()->Frame(0)->Position(), V3(0, 0, 0), V3(1, 0, 0));
}

TEST_F(SmdFiles, WhatIsWrittenReadsBack) {
    // A quote in a bone's name, and a skeleton without frames.
    LoadSmd(actor.get(), L"robot.smd",
            SmdText({"version 1", "nodes", "0 \"say \"\"hi\"\"\" -1", "end", "skeleton", "end", "triangles", "skin",
                     "0 0 0 0 0 0 1 0 0", "0 1 0 0 0 0 1 1 0", "0 0 1 0 0 0 1 0 1", "end"}));
    EXPECT_EQ(actor->Skeleton()->BoneByID(0)->Name(), L"say \"hi\"");
    TStringStream out;
    actor->SaveToStream(L"copy.smd", &out);
    std::unique_ptr<TGLActor> copy(new TGLActor(nullptr));
    out.SetPosition(0);
    copy->LoadFromStream(L"copy.smd", &out);
    EXPECT_EQ(copy->Skeleton()->BoneByID(0)->Name(), L"say \"hi\"");
    EXPECT_EQ(copy->Skeleton()->Frames()->Count(), 0);
    EXPECT_EQ(copy->MeshObjects()->GetMeshObject(0)->TriangleCount(), 1);
}
