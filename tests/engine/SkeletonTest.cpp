// Skeletons: local and global matrices, lookups, interpolation and blending of frames, root
// drift, colliders and archives.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "ArchiveFixtures.h"
#include "MathExpect.h"
#include "SceneFixtures.h"
#include "SkeletonFixtures.h"
#include "TestSupport.h"

namespace {

TMatrix4x4 Rows(TVector4f a, TVector4f b, TVector4f c, TVector4f d) { return {{a, b, c, d}}; }

std::vector<TAffineVector> ItemsOf(const TAffineVectorList* list) { return Items(*list); }

}  // namespace

TEST(SkeletonFrame, LocalMatricesRotateXThenYThenZAndCarryThePosition) {
    struct Case {
        const char* what;
        TAffineVector rotation, position;
        TMatrix4x4 expected;
    };
    const Case cases[] = {
        {"no rotation", {0, 0, 0}, {1, 2, 3}, Rows({1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {1, 2, 3, 1})},
        {"x", {kHalfPi, 0, 0}, {0, 0, 0}, Rows({1, 0, 0, 0}, {0, 0, 1, 0}, {0, -1, 0, 0}, {0, 0, 0, 1})},
        {"y", {0, kHalfPi, 0}, {0, 0, 0}, Rows({0, 0, -1, 0}, {0, 1, 0, 0}, {1, 0, 0, 0}, {0, 0, 0, 1})},
        {"z", {0, 0, kHalfPi}, {4, 5, 6}, Rows({0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 1, 0}, {4, 5, 6, 1})},
        // x first: the product Rx * Ry, not Ry * Rx.
        {"x then y", {kHalfPi, kHalfPi, 0}, {0, 0, 0}, Rows({0, 0, -1, 0}, {1, 0, 0, 0}, {0, -1, 0, 0}, {0, 0, 0, 1})},
    };
    for (const Case& c : cases) {
        TSkeletonFrame frame;
        frame.Position()->Add(c.position);
        frame.Rotation()->Add(c.rotation);
        ASSERT_EQ(frame.LocalMatrices().size(), 1u) << c.what;
        EXPECT_TRUE(Near(frame.LocalMatrices()[0], c.expected, 1e-6)) << c.what;
    }
}

TEST(SkeletonFrame, QuaternionFramesAndMissingPositions) {
    TSkeletonFrame frame;
    frame.SetTransformMode(sftQuaternion);
    frame.Quaternion()->Add({0, 0, std::sin(kHalfPi / 2), std::cos(kHalfPi / 2)});  // a quarter turn about z
    frame.Quaternion()->Add(IdentityQuaternion);
    frame.Position()->Add({4, 5, 6});
    frame.Rotation()->Add({1, 2, 3});  // not used in this mode
    const std::vector<TMatrix4x4>& m = frame.LocalMatrices();
    ASSERT_EQ(m.size(), 2u);  // one per quaternion
    EXPECT_TRUE(Near(m[0], Rows({0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 1, 0}, {4, 5, 6, 1}), 1e-6));
    EXPECT_TRUE(Near(m[1], IdentityMatrix));  // no position: the origin

    // The cache stays until flushed.
    frame.Position()->SetItem(0, {7, 8, 9});
    EXPECT_EQ(frame.LocalMatrices()[0][3].X, 4);
    frame.FlushLocalMatrices();
    EXPECT_EQ(frame.LocalMatrices()[0][3].X, 7);
}

TEST(SkeletonBones, GlobalMatricesComposeChildAfterParent) {
    TSkeleton skeleton;
    TSkeletonBone* root = AddBone(skeleton.RootBones(), 0);
    TSkeletonBone* child = AddBone(root, 1);
    AddFrame(&skeleton, {{{1, 0, 0}, {0, 0, kHalfPi}}, {{2, 0, 0}, {0, 0, 0}}});
    skeleton.RootBones()->PrepareGlobalMatrices();
    EXPECT_TRUE(Near(root->GlobalMatrix()[3], {1, 0, 0, 1}));
    // The child's translation turned by the parent's quarter turn, then moved by it.
    EXPECT_TRUE(Near(child->GlobalMatrix()[3], {1, 2, 0, 1}, 1e-6));
    EXPECT_TRUE(Near(child->GlobalMatrix()[0], {0, 1, 0, 0}, 1e-6));

    // Frozen bones keep their matrices.
    skeleton.SetBonesFrozen(true);
    skeleton.SetCurrentFrame(AddFrame(&skeleton, {{{9, 9, 9}, {0, 0, 0}}, {{9, 9, 9}, {0, 0, 0}}}));
    skeleton.RootBones()->PrepareGlobalMatrices();
    EXPECT_TRUE(Near(child->GlobalMatrix()[3], {1, 2, 0, 1}, 1e-6));
}

TEST(SkeletonBones, ABoneWithoutAnEntryInTheFrameStaysAtItsParent) {
    TSkeleton skeleton;
    TSkeletonBone* root = AddBone(skeleton.RootBones(), 0);
    TSkeletonBone* stray = AddBone(root, 7);  // the frame has entries for bone 0 only
    AddFrameAt(&skeleton, {V3(3, 0, 0)});
    skeleton.RootBones()->PrepareGlobalMatrices();
    EXPECT_TRUE(Near(stray->GlobalMatrix(), root->GlobalMatrix()));
}

TEST(SkeletonBones, CountsAndLookups) {
    TSkeleton skeleton;
    TSkeletonBone* root = AddBone(skeleton.RootBones(), 0, L"Root");
    AddBone(root, 2, L"left");
    TSkeletonBone* right = AddBone(root, 3, L"right");
    EXPECT_EQ(skeleton.RootBones()->BoneCount(), 4);  // three bones, plus one for the list
    EXPECT_EQ(root->BoneCount(), 3);
    EXPECT_EQ(skeleton.RootBones()->BoneByID(3), right);
    EXPECT_EQ(skeleton.RootBones()->BoneByName(L"right"), right);
    EXPECT_EQ(skeleton.RootBones()->BoneByName(L"root"), nullptr);  // letter case counts
    EXPECT_EQ(skeleton.RootBones()->BoneByID(9), nullptr);

    // The skeleton's cached lookup: an id without a bone gives nil, one beyond the ids raises.
    EXPECT_EQ(skeleton.BoneByID(3), right);
    EXPECT_EQ(skeleton.BoneByID(1), nullptr);
    EXPECT_EQ(MessageOf([&] { skeleton.BoneByID(4); }), "List index out of bounds (4)");
    // Freeing a bone forgets it in the cache too.
    FreeObject(right);
    EXPECT_EQ(skeleton.BoneByID(2)->Name(), L"left");
    EXPECT_EQ(MessageOf([&] { skeleton.BoneByID(3); }), "List index out of bounds (3)");
    EXPECT_EQ(root->Count(), 1);

    root->Clean();
    EXPECT_EQ(root->Count(), 0);
    EXPECT_EQ(root->Name(), L"");
}

TEST(SkeletonFrames, LerpFramesInterpolatesPositionsAnglesAndQuaternions) {
    TSkeleton skeleton;
    AddFrame(&skeleton, {{{0, 0, 0}, {0, 0, 0}}});
    AddFrame(&skeleton, {{{2, 4, 6}, {0, 0, kHalfPi}}});
    skeleton.LerpFrames(0, 1, 0.5f);
    EXPECT_TRUE(Near(skeleton.CurrentFrame()->Position()->GetItem(0), {1, 2, 3}));
    EXPECT_TRUE(Near(skeleton.CurrentFrame()->Rotation()->GetItem(0), {0, 0, kHalfPi / 2}, 1e-6));
    EXPECT_EQ(skeleton.Frames()->Count(), 2);  // the current frame is not one of them

    TSkeleton turning;
    for (Single angle : {0.0f, kHalfPi}) {
        auto* frame = new TSkeletonFrame(turning.Frames());
        frame->SetTransformMode(sftQuaternion);
        frame->Position()->Add(NullAffineVector);
        frame->Quaternion()->Add({0, 0, std::sin(angle / 2), std::cos(angle / 2)});
    }
    turning.LerpFrames(0, 1, 0.5f);
    EXPECT_EQ(turning.CurrentFrame()->TransformMode(), sftQuaternion);
    EXPECT_TRUE(Near(turning.CurrentFrame()->Quaternion()->GetItem(0),
                     {0, 0, std::sin(kHalfPi / 4), std::cos(kHalfPi / 4)}, 1e-6));
}

TEST(SkeletonFrames, BlendedLerps) {
    TSkeleton skeleton;
    AddFrame(&skeleton, {{{0, 0, 0}, {0, 0, 0}}, {{2, 0, 0}, {0, 0, 0}}});
    AddFrame(&skeleton, {{{4, 0, 0}, {0.2f, 0, 0}}, {{2, 2, 0}, {0, 0, 0}}});
    AddFrame(&skeleton, {{{0, 0, 10}, {0, 0.5f, 0}}, {{0, 0, 1}, {0, 0, 0}}});

    // One input behaves exactly like LerpFrames.
    skeleton.BlendedLerps({TSkeletonLerpInfo{0, 1, 0.25f, 0.5f}});
    const std::vector<TAffineVector> blendedPositions = ItemsOf(skeleton.CurrentFrame()->Position());
    const std::vector<TAffineVector> blendedRotations = ItemsOf(skeleton.CurrentFrame()->Rotation());
    skeleton.LerpFrames(0, 1, 0.25f);
    EXPECT_EQ(Text(blendedPositions), Text(ItemsOf(skeleton.CurrentFrame()->Position())));
    EXPECT_EQ(Text(blendedRotations), Text(ItemsOf(skeleton.CurrentFrame()->Rotation())));

    // The first input is scaled by its weight, the others are added as they are.
    skeleton.BlendedLerps({TSkeletonLerpInfo{0, 1, 0.5f, 0.5f}, TSkeletonLerpInfo{2, 2, 0, 0.1f}});
    EXPECT_ITEMS(*skeleton.CurrentFrame()->Position(), V3(1, 0, 10), V3(1, 0.5f, 1));
    EXPECT_TRUE(Near(skeleton.CurrentFrame()->Rotation()->GetItem(0), {0.1f, 0.5f, 0}, 1e-6));

    // External lists replace an input's own interpolation.
    TAffineVectorList offsets;
    offsets.Add({0, 7, 0});
    offsets.Add({0, 0, 0});
    TSkeletonLerpInfo external{2, 2, 0, 1};
    external.ExternalPositions = &offsets;
    skeleton.BlendedLerps({TSkeletonLerpInfo{0, 0, 0, 1}, external});
    EXPECT_ITEMS(*skeleton.CurrentFrame()->Position(), V3(0, 7, 0), V3(2, 0, 0));

    EXPECT_NE(MessageOf([&] { skeleton.BlendedLerps({}); }).find("BlendedLerps without an input"), std::string::npos);
}

TEST(SkeletonFrames, QuaternionBlendsMultiplyTheTurns) {
    TSkeleton skeleton;
    for (Single angle : {0.0f, kHalfPi / 2}) {
        auto* frame = new TSkeletonFrame(skeleton.Frames());
        frame->SetTransformMode(sftQuaternion);
        frame->Position()->Add(NullAffineVector);
        frame->Quaternion()->Add({0, 0, std::sin(angle / 2), std::cos(angle / 2)});
    }
    // An eighth of a turn, then another eighth from the second input: a quarter turn.
    skeleton.BlendedLerps({TSkeletonLerpInfo{1, 1, 0, 1}, TSkeletonLerpInfo{1, 1, 0, 1}});
    EXPECT_TRUE(Near(skeleton.CurrentFrame()->Quaternion()->GetItem(0),
                     {0, 0, std::sin(kHalfPi / 2), std::cos(kHalfPi / 2)}, 1e-6));
}

TEST(SkeletonFrames, RemoveRootDriftKeepsTheRootInPlace) {
    TSkeleton skeleton;
    for (int k = 0; k <= 10; ++k) AddFrameAt(&skeleton, {V3(Single(k), 1, Single(2 * k)), V3(0, Single(k), 0)});
    skeleton.RemoveRootDrift(0, 10);
    for (int k = 0; k <= 10; ++k) {
        EXPECT_TRUE(Near(skeleton.Frames()->Frame(k)->Position()->GetItem(0), {0, 1, 0}, 1e-5)) << "frame " << k;
        EXPECT_EQ(skeleton.Frames()->Frame(k)->Position()->GetItem(1).Y, Single(k)) << "frame " << k;
    }
    // An empty or reversed range changes nothing.
    skeleton.Frames()->Frame(3)->Position()->SetItem(0, {5, 5, 5});
    skeleton.RemoveRootDrift(4, 4);
    skeleton.RemoveRootDrift(6, 2);
    EXPECT_TRUE(Near(skeleton.Frames()->Frame(3)->Position()->GetItem(0), {5, 5, 5}));
}

TEST(SkeletonFrames, CurrentFrameAndSynchronize) {
    TSkeleton skeleton;
    EXPECT_EQ(skeleton.CurrentFrame()->Position()->Count(), 0);  // no frames: an empty pose
    AddBone(skeleton.RootBones(), 0);
    skeleton.RootBones()->PrepareGlobalMatrices();  // poses nothing, reads nothing
    skeleton.Clear();

    AddBone(skeleton.RootBones(), 0);
    AddFrameAt(&skeleton, {V3(1, 0, 0)});
    AddFrameAt(&skeleton, {V3(2, 0, 0)});
    EXPECT_EQ(skeleton.CurrentFrame()->Position()->GetItem(0).X, 1);  // frame 0's copy
    skeleton.SetCurrentFrame(skeleton.Frames()->Frame(1));
    EXPECT_NE(skeleton.CurrentFrame(), skeleton.Frames()->Frame(1));
    EXPECT_EQ(skeleton.CurrentFrame()->Position()->GetItem(0).X, 2);

    TSkeleton other;
    AddBone(other.RootBones(), 0);
    AddFrameAt(&other, {V3(0, 0, 0)});
    other.Synchronize(&skeleton);
    EXPECT_EQ(other.CurrentFrame()->Position()->GetItem(0).X, 2);
}

TEST(SkeletonColliders, AlignToTheirBoneAndTheMesh) {
    TSceneFixture fixture;
    auto* mesh = fixture.Add<TGLFreeForm>(nullptr);
    mesh->Position()->SetPoint(10, 0, 0);
    TSkeleton* skeleton = mesh->Skeleton();
    TSkeletonBone* bone = AddBone(skeleton->RootBones(), 0);
    AddFrameAt(skeleton, {V3(1, 0, 0)});
    skeleton->RootBones()->PrepareGlobalMatrices();

    auto* attached = new TSkeletonCollider(skeleton->Colliders());
    attached->SetBone(bone);
    TMatrix4x4 local = IdentityMatrix;
    local[3] = {0, 1, 0, 1};
    attached->SetLocalMatrix(local);
    auto* loose = new TSkeletonCollider(skeleton->Colliders());
    loose->SetLocalMatrix(local);
    auto* fixed = new TSkeletonCollider(skeleton->Colliders());
    fixed->SetLocalMatrix(local);
    fixed->SetAutoUpdate(false);

    skeleton->Colliders()->AlignColliders();
    EXPECT_TRUE(Near(attached->GlobalMatrix()[3], {11, 1, 0, 1}));
    EXPECT_TRUE(Near(loose->GlobalMatrix()[3], {0, 1, 0, 1}));
    EXPECT_TRUE(Near(fixed->GlobalMatrix(), IdentityMatrix));
    EXPECT_EQ(attached->BoneID(), 0);
    EXPECT_EQ(loose->BoneID(), -1);
}

// ---- archives ----

namespace {

// A skeleton of three bones in two levels, two frames (one of them with quaternions) and, when
// asked, two colliders.
void FillSkeleton(TSkeleton* skeleton, bool colliders) {
    TSkeletonBone* root = AddBone(skeleton->RootBones(), 0, L"pelvis");
    root->SetColor(0x80402010);
    AddBone(AddBone(root, 1, L"spine"), 2, L"head");
    AddFrame(skeleton, {{{1, 2, 3}, {0.1f, 0.2f, 0.3f}}, {{4, 5, 6}, {0, 0, 0}}, {{7, 8, 9}, {1, 1, 1}}});
    TSkeletonFrame* turned = AddFrameAt(skeleton, {V3(0, 0, 1), V3(0, 1, 0), V3(1, 0, 0)});
    turned->SetName(L"turned");
    turned->SetTransformMode(sftQuaternion);
    for (int i = 0; i < 3; ++i) turned->Quaternion()->Add({0, 0, 0.6f, 0.8f});
    if (!colliders) return;
    auto* collider = new TSkeletonCollider(skeleton->Colliders());
    collider->SetBone(skeleton->RootBones()->BoneByID(2));
    TMatrix4x4 local = IdentityMatrix;
    local[3] = {1, 2, 3, 1};
    collider->SetLocalMatrix(local);
    new TSkeletonCollider(skeleton->Colliders());
}

// Bones depth first as "id name colour parent-id".
std::vector<std::string> BoneTree(TSkeletonBoneList* list, Integer parentId = -1) {
    std::vector<std::string> out;
    for (Integer i = 0; i < list->Count(); ++i) {
        TSkeletonBone* bone = list->Bone(i);
        out.push_back(std::to_string(bone->BoneID()) + " " + Utf8(bone->Name()) + " " + std::to_string(bone->Color()) +
                      " " + std::to_string(parentId));
        for (const std::string& s : BoneTree(bone, bone->BoneID())) out.push_back(s);
    }
    return out;
}

}  // namespace

TEST(SkeletonArchive, RoundTripsWithAndWithoutColliders) {
    for (bool colliders : {false, true}) {
        TSkeleton source;
        FillSkeleton(&source, colliders);
        const AnsiString bytes = source.SaveToString();
        EXPECT_BYTES(bytes.substr(0, 2), Bytes({atInt8, colliders ? 1 : 0}));  // the version says which

        TSkeleton copy;
        AddBone(copy.RootBones(), 5);  // replaced by what is read
        copy.LoadFromString(bytes);
        EXPECT_EQ(BoneTree(copy.RootBones()), BoneTree(source.RootBones()));
        ASSERT_EQ(copy.Frames()->Count(), 2);
        for (Integer k = 0; k < 2; ++k) {
            TSkeletonFrame* a = source.Frames()->Frame(k);
            TSkeletonFrame* b = copy.Frames()->Frame(k);
            EXPECT_EQ(b->Owner(), copy.Frames());
            EXPECT_EQ(b->Name(), a->Name());
            EXPECT_EQ(b->TransformMode(), a->TransformMode());
            EXPECT_EQ(Text(ItemsOf(b->Position())), Text(ItemsOf(a->Position())));
            EXPECT_EQ(Text(ItemsOf(b->Rotation())), Text(ItemsOf(a->Rotation())));
            EXPECT_EQ(b->Quaternion()->Count(), a->Quaternion()->Count());
        }
        EXPECT_EQ(copy.Frames()->Frame(1)->LocalMatrices().size(), 3u);
        ASSERT_EQ(copy.Colliders()->Count(), colliders ? 2 : 0);
        if (colliders) {
            EXPECT_EQ(copy.Colliders()->Collider(0)->Bone(), copy.RootBones()->BoneByID(2));
            EXPECT_EQ(copy.Colliders()->Collider(0)->LocalMatrix()[3].Z, 3);
            EXPECT_EQ(copy.Colliders()->Collider(1)->Bone(), nullptr);
            EXPECT_EQ(copy.Colliders()->Collider(1)->Owner(), copy.Colliders());
        }
        EXPECT_EQ(copy.SaveToString(), bytes);
    }
}

TEST(SkeletonArchive, VersionZeroFramesAreEulerFrames) {
    const AnsiString bytes = Written([](TBinaryWriter& w) {
        w.WriteInteger(0);
        w.WriteString("walk");
        PutAffines(w, {{1, 2, 3}});
        PutAffines(w, {{0, 0, 0.5f}});
    });
    TSkeletonFrame frame;
    frame.SetTransformMode(sftQuaternion);
    frame.Quaternion()->Add(IdentityQuaternion);
    frame.LoadFromString(bytes);
    EXPECT_EQ(frame.Name(), L"walk");
    EXPECT_EQ(frame.TransformMode(), sftRotation);
    EXPECT_EQ(frame.Quaternion()->Count(), 0);
    EXPECT_ITEMS(*frame.Position(), V3(1, 2, 3));
}

TEST(SkeletonArchive, BrokenArchivesAreRefused) {
    TSkeleton good;
    FillSkeleton(&good, true);
    struct Case {
        const char* what;
        std::function<void(TSkeleton&)> breakIt;
        const char* message;
    };
    const Case cases[] = {
        {"a bone id no frame poses", [](TSkeleton& s) { s.RootBones()->BoneByID(2)->SetBoneID(3); },
         "TSkeleton, bone id 3 beyond its frames"},
        {"a negative bone id", [](TSkeleton& s) { s.RootBones()->BoneByID(1)->SetBoneID(-4); },
         "TSkeleton, bone id -4 beyond its frames"},
        {"a frame short of one bone", [](TSkeleton& s) { s.Frames()->Frame(1)->Quaternion()->SetCount(2); },
         "TSkeleton, bone id 2 beyond its frames"},
    };
    for (const Case& c : cases) {
        TSkeleton broken;
        FillSkeleton(&broken, true);
        c.breakIt(broken);
        const AnsiString bytes = broken.SaveToString();
        TSkeleton target;
        FillSkeleton(&target, false);
        EXPECT_EQ(ClassAndMessageOf([&] { target.LoadFromString(bytes); }), std::string("EReadError: ") + c.message)
            << c.what;
        EXPECT_EQ(target.RootBones()->Count(), 0) << c.what << ": a refused skeleton is left empty";
        EXPECT_EQ(target.Frames()->Count(), 0) << c.what;
    }

    AnsiString bytes = good.SaveToString();
    bytes[1] = 2;
    TSkeleton target;
    EXPECT_EQ(MessageOf([&] { target.LoadFromString(bytes); }), "TSkeleton : unknown archive version 2");

    // A frame list holding something else than frames.
    TSkeletonFrameList frames;
    const AnsiString wrongItems = Written([](TBinaryWriter& w) {
        w.WriteInteger(0);
        w.WriteListBegin();
        w.WriteString("TSkeletonBone");
        w.WriteListEnd();
    });
    EXPECT_EQ(MessageOf([&] { frames.LoadFromString(wrongItems); }), "TSkeletonBone is not a skeleton frame class");
}
