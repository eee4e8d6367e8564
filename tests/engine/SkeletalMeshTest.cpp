// Morphable and skeletal mesh objects: morph targets, weight rows, vertex lookup, bind poses,
// posing by the skeleton, archives and copies.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "ArchiveFixtures.h"
#include "GLBaseMeshSilhouette.h"
#include "MathExpect.h"
#include "SkeletonFixtures.h"
#include "TestSupport.h"

namespace {

TMeshMorphTarget* AddTarget(TMorphableMeshObject* object, std::initializer_list<TAffineVector> vertices,
                            std::initializer_list<TAffineVector> normals = {}) {
    auto* target = new TMeshMorphTarget(object->MorphTargets());
    for (const TAffineVector& v : vertices) target->Vertices()->Add(v);
    for (const TAffineVector& n : normals) target->Normals()->Add(n);
    return target;
}

std::vector<Integer> BoneIdsOfRows(const TSkeletonMeshObject& object, Integer slot) {
    std::vector<Integer> ids;
    for (Integer i = 0; i < object.VertexWeightCount(); ++i) ids.push_back(object.VertexBoneWeights(i)[slot].BoneID);
    return ids;
}

}  // namespace

TEST(MorphableMeshObject, MorphToAndLerpBetweenTargets) {
    TMeshObjectList list;
    auto* object = new TMorphableMeshObject(&list);
    object->Vertices()->Add({9, 9, 9});
    object->Vertices()->Add({9, 9, 9});
    AddTarget(object, {V3(0, 0, 0), V3(0, 0, 0)}, {V3(1, 0, 0), V3(1, 0, 0)});
    AddTarget(object, {V3(2, 2, 2), V3(4, 4, 4)}, {V3(0, 1, 0), V3(0, 1, 0)});

    object->Lerp(0, 1, 0.5f);
    EXPECT_ITEMS(*object->Vertices(), V3(1, 1, 1), V3(2, 2, 2));
    EXPECT_TRUE(Near(object->Normals()->GetItem(0), {std::sqrt(0.5f), std::sqrt(0.5f), 0}, 1e-6));  // normalized

    object->Lerp(0, 1, 1);
    const std::string atEnd = Text(Items(*object->Vertices()));
    object->MorphTo(1);
    EXPECT_EQ(Text(Items(*object->Vertices())), atEnd);
    EXPECT_ITEMS(*object->Normals(), V3(0, 1, 0), V3(0, 1, 0));

    EXPECT_NE(MessageOf([&] { object->MorphTo(2); }).find("morph target index out of range"), std::string::npos);
    EXPECT_NE(MessageOf([&] { object->Lerp(0, 5, 0.5f); }).find("morph target index out of range"), std::string::npos);
    auto* plain = new TMorphableMeshObject(&list);
    plain->MorphTo(0);  // no targets: nothing, no assertion
}

TEST(MorphableMeshObject, TheListMorphsEveryMorphableObject) {
    TMeshObjectList list;
    MakeMeshObject(&list, {V3(5, 5, 5)});
    EXPECT_EQ(list.MorphTargetCount(), 0);  // no morphable object

    auto* three = new TMorphableMeshObject(&list);
    three->Vertices()->Add({0, 0, 0});
    for (Single x : {1.0f, 2.0f, 3.0f}) AddTarget(three, {V3(x, 0, 0)});
    auto* two = new TMorphableMeshObject(&list);
    two->Vertices()->Add({0, 0, 0});
    for (Single y : {1.0f, 2.0f}) AddTarget(two, {V3(0, y, 0)});
    EXPECT_EQ(list.MorphTargetCount(), 2);  // the fewest

    list.MorphTo(1);
    EXPECT_ITEMS(*three->Vertices(), V3(2, 0, 0));
    EXPECT_ITEMS(*two->Vertices(), V3(0, 2, 0));
    EXPECT_ITEMS(*list[0]->Vertices(), V3(5, 5, 5));
    list.Lerp(0, 1, 0.5f);
    EXPECT_ITEMS(*three->Vertices(), V3(1.5f, 0, 0));

    // Translating moves the targets with the vertices.
    three->Translate({0, 0, 1});
    EXPECT_ITEMS(*three->MorphTargets()->Target(2)->Vertices(), V3(3, 0, 1));
}

TEST(MorphableMeshObject, ArchivesKeepTheTargetsAndRefuseTargetsOfAnotherSize) {
    TMeshObjectList list;
    auto* object = new TMorphableMeshObject(&list);
    object->Vertices()->Add({0, 0, 0});
    object->Vertices()->Add({1, 0, 0});
    AddTarget(object, {V3(0, 1, 0), V3(1, 1, 0)})->SetName(L"up");
    AddTarget(object, {})->SetName(L"normals only");

    TMeshObjectList copy;
    copy.LoadFromString(list.SaveToString());
    auto* read = dynamic_cast<TMorphableMeshObject*>(copy[0]);
    ASSERT_NE(read, nullptr);
    ASSERT_EQ(read->MorphTargets()->Count(), 2);
    EXPECT_EQ(read->MorphTargets()->Target(0)->Owner(), read->MorphTargets());
    EXPECT_EQ(read->MorphTargets()->Target(0)->Name(), L"up");
    EXPECT_ITEMS(*read->MorphTargets()->Target(0)->Vertices(), V3(0, 1, 0), V3(1, 1, 0));

    // Morphing to a target of three vertices would let face groups index past the vertices.
    object->MorphTargets()->Target(0)->Vertices()->Add({2, 2, 2});
    EXPECT_EQ(ClassAndMessageOf([&] { copy.LoadFromString(list.SaveToString()); }),
              "EReadError: TMorphableMeshObject, morph target 0 holds 3 vertices for 2");
}

TEST(SkeletonMeshObject, WeightRowsGrowAndKeepTheirEntries) {
    TSkeletonMeshObject object;
    object.SetVertexWeightCount(1);
    EXPECT_EQ(object.Capacity(), 17);
    object.SetVertexWeightCount(0);

    // Rows added after a reallocation survive the next one.
    for (Integer i = 0; i < 40; ++i) object.AddWeightedBone(i, 1);
    EXPECT_EQ(object.BonesPerVertex(), 1);
    std::vector<Integer> expected;
    for (Integer i = 0; i < 40; ++i) expected.push_back(i);
    EXPECT_EQ(BoneIdsOfRows(object, 0), expected);

    object.SetBonesPerVertex(3);
    EXPECT_EQ(BoneIdsOfRows(object, 0), expected);
    EXPECT_EQ(object.VertexBoneWeights(39)[2].Weight, 0);

    object.AddWeightedBones({{7, 0.5f}, {8, 0.25f}, {9, 0.25f}, {10, 0.125f}});
    EXPECT_EQ(object.BonesPerVertex(), 4);
    EXPECT_EQ(object.VertexBoneWeights(40)[3].BoneID, 10);
    EXPECT_EQ(object.VertexBoneWeights(39)[0].BoneID, 39);

    // A shorter count and then a longer one gives empty rows, not the old ones.
    object.SetVertexWeightCount(10);
    object.SetVertexWeightCount(12);
    EXPECT_EQ(object.VertexBoneWeights(11)[0].BoneID, 0);
    EXPECT_EQ(object.VertexBoneWeights(11)[0].Weight, 0);
}

TEST(SkeletonMeshObject, FindOrAddSharesIdenticalVertices) {
    TSkeletonMeshObject object;
    EXPECT_EQ(object.FindOrAdd(1, {1, 2, 3}, {0, 0, 1}), 0);
    EXPECT_EQ(object.FindOrAdd(1, {1, 2, 3}, {0, 0, 1}), 0);
    EXPECT_EQ(object.FindOrAdd(2, {1, 2, 3}, {0, 0, 1}), 1);           // another bone
    EXPECT_EQ(object.FindOrAdd(1, {1, 2, 3}, {0, 1, 0}), 2);           // another normal
    EXPECT_EQ(object.FindOrAdd(1, {1, 2, 3.0000005f}, {0, 0, 1}), 3);  // another position, however close
    EXPECT_EQ(object.Vertices()->Count(), 4);
    EXPECT_EQ(object.Normals()->Count(), 4);
    EXPECT_EQ(object.VertexWeightCount(), 4);

    const TVertexBoneWeightDynArray pair{{1, 0.25f}, {2, 0.75f}};
    EXPECT_EQ(object.FindOrAddWeights(pair, {1, 2, 3}, {0, 0, 1}), 4);
    EXPECT_EQ(object.FindOrAddWeights(pair, {1, 2, 3}, {0, 0, 1}), 4);
    EXPECT_EQ(object.FindOrAddWeights({{1, 0.5f}, {2, 0.5f}}, {1, 2, 3}, {0, 0, 1}), 5);  // other weights
    EXPECT_EQ(object.BonesPerVertex(), 2);
    // With two bones a vertex, a single bone is the weights (bone, 1).
    EXPECT_EQ(object.FindOrAdd(1, {1, 2, 3}, {0, 0, 1}), 0);
    EXPECT_EQ(object.FindOrAdd(3, {0, 0, 0}, {0, 0, 1}), 6);
    EXPECT_EQ(object.VertexBoneWeights(6)[0].Weight, 1);
}

namespace {

// An actor with bones 0 (root), 1 and 2 (its children), all at the origin in frame 0, and one
// skeletal mesh object ready for vertices.
struct TPosedActor {
    TPosedActor() : actor(new TGLActor(nullptr)) {
        TSkeletonBone* root = AddBone(actor->Skeleton()->RootBones(), 0);
        AddBone(root, 1);
        AddBone(root, 2);
        AddFrameAt(actor->Skeleton(), {V3(0, 0, 0), V3(0, 0, 0), V3(0, 0, 0)});
        object = new TSkeletonMeshObject(actor->MeshObjects());
    }
    // Bind pose from frame 0, then the pose of the given frame.
    void Pose(TSkeletonFrame* frame) {
        actor->Skeleton()->RootBones()->PrepareGlobalMatrices();
        object->PrepareBindPoseMeshes();
        actor->Skeleton()->SetCurrentFrame(frame);
        actor->Skeleton()->MorphMesh(false);
    }
    std::unique_ptr<TGLActor> actor;
    TSkeletonMeshObject* object;
};

}  // namespace

TEST(SkeletonMeshObject, WeightedVerticesFollowTheirBones) {
    TPosedActor posed;
    posed.object->FindOrAddWeights({{1, 0.25f}, {2, 0.75f}}, {0, 0, 0}, {0, 0, 1});
    posed.object->FindOrAddWeights({{1, 1}, {2, 0}}, {1, 0, 0}, {0, 0, 1});
    posed.Pose(AddFrameAt(posed.actor->Skeleton(), {V3(0, 0, 0), V3(4, 0, 0), V3(0, 8, 0)}));
    EXPECT_ITEMS(*posed.object->Vertices(), V3(1, 6, 0), V3(5, 0, 0));
    EXPECT_EQ(posed.object->BindPoseMeshCount(), 2);

    // One bone a vertex: the bone's matrix alone, normals turned with it.
    TPosedActor single;
    single.object->FindOrAdd(1, {1, 0, 0}, {1, 0, 0});
    single.object->FindOrAdd(7, {2, 0, 0}, {1, 0, 0});  // no such bone: stays where it is
    single.Pose(AddFrame(single.actor->Skeleton(), {{{0, 0, 0}, {0, 0, 0}}, {{0, 0, 5}, {0, 0, kHalfPi}}, {{}, {}}}));
    EXPECT_TRUE(Near(single.object->Vertices()->GetItem(0), {0, 1, 5}, 1e-6));
    EXPECT_TRUE(Near(single.object->Normals()->GetItem(0), {0, 1, 0}, 1e-6));
    EXPECT_EQ(Text(single.object->Vertices()->GetItem(1)), Text(V3(2, 0, 0)));
}

TEST(SkeletonMeshObject, TheBindPoseIsReproduced) {
    // Translations of exactly representable values give the vertices back bit for bit.
    TPosedActor moved;
    TSkeleton* skeleton = moved.actor->Skeleton();
    skeleton->Frames()->Clear();
    AddFrameAt(skeleton, {V3(1, 2, 3), V3(0.5f, -1.25f, 0), V3(-3, 0, 0.75f)});
    moved.object->FindOrAdd(1, {2, 2, 2}, {0, 0, 1});
    moved.object->FindOrAdd(2, {-1.5f, 0.25f, 4}, {0, 1, 0});
    moved.object->FindOrAddWeights({{1, 0.5f}, {2, 0.5f}}, {0, 0, 0}, {1, 0, 0});
    const std::string before = Text(Items(*moved.object->Vertices()));
    moved.Pose(skeleton->Frames()->Frame(0));
    EXPECT_EQ(Text(Items(*moved.object->Vertices())), before);

    // Turned bones give them back to rounding.
    TPosedActor turned;
    skeleton = turned.actor->Skeleton();
    skeleton->Frames()->Clear();
    AddFrame(skeleton, {{{1, 2, 3}, {0.3f, 0.2f, 0.1f}}, {{0, 1, 0}, {0, 0.5f, 0}}, {{0, 0, 2}, {1, 0, 0}}});
    const TAffineVector corners[] = {{1, 0, 0}, {0, 3, 1}, {-2, 1, 0.5f}};
    turned.object->FindOrAdd(1, corners[0], {0, 0, 1});
    turned.object->FindOrAdd(2, corners[1], {0, 1, 0});
    turned.object->FindOrAddWeights({{1, 0.25f}, {2, 0.75f}}, corners[2], {1, 0, 0});
    turned.Pose(skeleton->Frames()->Frame(0));
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(Near(turned.object->Vertices()->GetItem(i), corners[i], 1e-5)) << i;
    EXPECT_TRUE(Near(turned.object->Normals()->GetItem(1), {0, 1, 0}, 1e-5));
}

TEST(SkeletonMeshObject, ArchivesRoundTripAndRefuseBadSizes) {
    TPosedActor posed;
    posed.object->FindOrAddWeights({{1, 0.25f}, {2, 0.75f}}, {0, 0, 0}, {0, 0, 1});
    posed.object->FindOrAdd(1, {1, 0, 0}, {0, 0, 1});
    AddIndexGroup(posed.object, {0, 1, 0});
    const AnsiString bytes = posed.actor->MeshObjects()->SaveToString();

    // Read into an actor with the same skeleton: the bind pose is taken from it at once.
    TPosedActor copy;
    copy.actor->MeshObjects()->LoadFromString(bytes);
    auto* read = dynamic_cast<TSkeletonMeshObject*>(copy.actor->MeshObjects()->GetMeshObject(0));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->BonesPerVertex(), 2);
    ASSERT_EQ(read->VertexWeightCount(), 2);
    EXPECT_EQ(read->VertexBoneWeights(0)[1].BoneID, 2);
    EXPECT_EQ(read->VertexBoneWeights(0)[1].Weight, 0.75f);
    EXPECT_EQ(read->VertexBoneWeights(1)[0].BoneID, 1);
    EXPECT_EQ(read->BindPoseMeshCount(), 2);
    copy.actor->Skeleton()->SetCurrentFrame(
        AddFrameAt(copy.actor->Skeleton(), {V3(0, 0, 0), V3(4, 0, 0), V3(0, 8, 0)}));
    copy.actor->Skeleton()->MorphMesh(false);
    EXPECT_ITEMS(*read->Vertices(), V3(1, 6, 0), V3(5, 0, 0));
    EXPECT_EQ(copy.actor->MeshObjects()->SaveToString().size(), bytes.size());

    struct Case {
        const char* what;
        Integer count, bonesPerVertex, capacity;
        const char* message;
    };
    const Case cases[] = {
        {"more bones a vertex than readers accept", 1, 33, 1,
         "EReadError: TSkeletonMeshObject, bad vertex weight sizes 1, 33, 1"},
        {"a negative count", -1, 1, 1, "EReadError: TSkeletonMeshObject, bad vertex weight sizes -1, 1, 1"},
        {"rows the file does not hold", 1000, 2, 1000, "EReadError: TBinaryReader, count or size beyond the data"},
    };
    for (const Case& c : cases) {
        // The morphable part of an empty object, then the weights part by hand.
        TMorphableMeshObject morphable;
        AnsiString archive = morphable.SaveToString();
        archive += Written([&](TBinaryWriter& w) {
            w.WriteInteger(0);
            w.WriteInteger(c.count);
            w.WriteInteger(c.bonesPerVertex);
            w.WriteInteger(c.capacity);
            TVertexBoneWeight row[2] = {{0, 1}, {0, 0}};
            w.Write(row, sizeof row);
        });
        TSkeletonMeshObject broken;
        EXPECT_EQ(ClassAndMessageOf([&] { broken.LoadFromString(archive); }), c.message) << c.what;
    }
}

TEST(SkeletonMeshObject, ACopyOfAPosedActorAnimatesFromTheSameBindPose) {
    std::unique_ptr<TGLActor> source(new TGLActor(nullptr));
    LoadSmd(source.get(), L"robot.smd", TwoBoneModel());
    AddSmd(source.get(), L"lift.smd", TwoFrameAnimation());
    const std::string bind = Text(Items(*source->MeshObjects()->GetMeshObject(0)->Vertices()));
    TSkeleton* skeleton = source->Skeleton();
    skeleton->SetCurrentFrame(skeleton->Frames()->Frame(2));  // the arm lifted by 3
    skeleton->MorphMesh(true);
    EXPECT_EQ((*source->MeshObjects()->GetMeshObject(0)->Vertices())[0].Y, 2.5f);

    std::unique_ptr<TGLActor> copy(new TGLActor(nullptr));
    copy->Assign(source.get());
    EXPECT_EQ(copy->Animations()->Count(), 2);
    EXPECT_EQ(Text(Items(*copy->MeshObjects()->GetMeshObject(0)->Vertices())),
              Text(Items(*source->MeshObjects()->GetMeshObject(0)->Vertices())));
    copy->Skeleton()->SetCurrentFrame(copy->Skeleton()->Frames()->Frame(0));
    copy->Skeleton()->MorphMesh(true);
    EXPECT_EQ(Text(Items(*copy->MeshObjects()->GetMeshObject(0)->Vertices())), bind);
}

TEST(SkeletonMeshObject, OnlyActorsDeformTheirVertices) {
    std::unique_ptr<TGLActor> actor(new TGLActor(nullptr));
    std::unique_ptr<TGLFreeForm> form(new TGLFreeForm(nullptr));
    EXPECT_TRUE(MeshDeformsVertices(actor.get()));
    EXPECT_FALSE(MeshDeformsVertices(form.get()));
}
