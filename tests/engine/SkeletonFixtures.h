#pragma once
// Small skeletons, actors and SMD texts for the skeleton, actor and SMD tests.

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "GLActor.h"
#include "GLSkeleton.h"
#include "GLSkeletonMeshObject.h"
#include "MeshFixtures.h"
#include "StringList.h"

inline constexpr Single kHalfPi = 1.5707963267948966f;

// A new bone of the list with that id and name.
inline TSkeletonBone* AddBone(TSkeletonBoneList* owner, Integer id, const String& name = String()) {
    auto* bone = new TSkeletonBone(owner);
    bone->SetBoneID(id);
    bone->SetName(name.empty() ? L"bone" + IntToStr(id) : name);
    return bone;
}

// A new Euler frame of the skeleton: one (position, rotation) pair per bone id.
inline TSkeletonFrame* AddFrame(TSkeleton* skeleton,
                                std::initializer_list<std::pair<TAffineVector, TAffineVector>> bones) {
    auto* frame = new TSkeletonFrame(skeleton->Frames());
    for (const auto& [position, rotation] : bones) {
        frame->Position()->Add(position);
        frame->Rotation()->Add(rotation);
    }
    return frame;
}

// The same with positions only.
inline TSkeletonFrame* AddFrameAt(TSkeleton* skeleton, std::initializer_list<TAffineVector> positions) {
    auto* frame = new TSkeletonFrame(skeleton->Frames());
    for (const TAffineVector& p : positions) {
        frame->Position()->Add(p);
        frame->Rotation()->Add(NullAffineVector);
    }
    return frame;
}

// An actor without an owner holding one bone and `frames` skeleton frames (bone 0 at (k, 0, 0)
// in frame k), its range set to all of them.
inline void GiveSkeletonFrames(TGLActor* actor, Integer frames) {
    AddBone(actor->Skeleton()->RootBones(), 0, L"root");
    for (Integer k = 0; k < frames; ++k) AddFrameAt(actor->Skeleton(), {V3(Single(k), 0, 0)});
    actor->SetReference(aarSkeleton);
    actor->SetStartFrame(0);
    actor->SetEndFrame(frames - 1);
}

// An animation of the actor over frames first..last of the skeleton.
inline TActorAnimation* AddAnimation(TGLActor* actor, const String& name, Integer first, Integer last) {
    TActorAnimation* animation = actor->Animations()->Add();
    animation->SetName(name);
    animation->SetReference(aarSkeleton);
    animation->SetStartFrame(first);
    animation->SetEndFrame(last);
    return animation;
}

// The text of a file from its lines, each ended with CR LF.
inline AnsiString SmdText(std::initializer_list<const char*> lines) {
    AnsiString text;
    for (const char* line : lines) text += AnsiString(line) + "\r\n";
    return text;
}

// A model of two bones (0 the root at the origin, 1 its child at (1, 0, 0)) and one square of
// two triangles in material "skin", all of it bound to bone 1, around (1, 0, 0) in the bind pose.
inline AnsiString TwoBoneModel() {
    return SmdText({"version 1",
                    "nodes",
                    "  0 \"root\" -1",
                    "  1 \"arm\"  0",
                    "end",
                    "skeleton",
                    "time 0",
                    "  0 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000",
                    "  1 1.000000 0.000000 0.000000 0.000000 0.000000 0.000000",
                    "end",
                    "triangles",
                    "skin",
                    "  1 0.5 -0.5 0.0  0.0 0.0 1.0  0.0 0.0",
                    "  1 1.5 -0.5 0.0  0.0 0.0 1.0  1.0 0.0",
                    "  1 1.5 0.5 0.0  0.0 0.0 1.0  1.0 1.0",
                    "skin",
                    "  1 0.5 -0.5 0.0  0.0 0.0 1.0  0.0 0.0",
                    "  1 1.5 0.5 0.0  0.0 0.0 1.0  1.0 1.0",
                    "  1 0.5 0.5 0.0  0.0 0.0 1.0  0.0 1.0",
                    "end"});
}

// An animation of that model in two frames: bone 1 at (1, 0, 0), then at (1, 3, 0).
inline AnsiString TwoFrameAnimation() {
    return SmdText({"version 1", "nodes", "  0 \"root\" -1", "  1 \"arm\"  0", "end", "skeleton", "time 0",
                    "  0 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000",
                    "  1 1.000000 0.000000 0.000000 0.000000 0.000000 0.000000", "time 1",
                    "  0 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000",
                    "  1 1.000000 3.000000 0.000000 0.000000 0.000000 0.000000", "end"});
}

inline void LoadSmd(TGLBaseMesh* mesh, const String& name, const AnsiString& text) {
    TStringStream stream(text);
    mesh->LoadFromStream(name, &stream);
}

inline void AddSmd(TGLBaseMesh* mesh, const String& name, const AnsiString& text) {
    TStringStream stream(text);
    mesh->AddDataFromStream(name, &stream);
}
