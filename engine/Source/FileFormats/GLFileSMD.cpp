// The SMD reader and writer.
//
// Sections: reading (lines and fields, nodes, skeleton frames, triangles) · materials · writing ·
// start-up.

#include "GLFileSMD.h"

#include <memory>

#include "Format.h"
#include "GLActor.h"
#include "GLFaceGroups.h"
#include "GLMaterial.h"
#include "GLSkeleton.h"
#include "GLSkeletonMeshObject.h"
#include "GLTextureImage.h"
#include "GLUtils.h"
#include "StringList.h"
#include "SysUtils.h"

// ---- reading ---------------------------------------------------------------------------------

namespace {

// One corner of a triangle as its line gives it.
struct TSMDCorner {
    Integer parentBone = 0;
    TAffineVector position{}, normal{};
    Single s = 0, t = 0;
    bool weighted = false;
    TVertexBoneWeightDynArray weights;
};

// Reads the lines of one file into a mesh, keeping its place in the lines.
class TSMDReader {
public:
    TSMDReader(TGLSMDVectorFile* file, const TStringList& lines)
        : file_(file), mesh_(file->Owner()), skeleton_(mesh_->Skeleton()), lines_(lines) {}

    void Read() {
        if (lines_.Count() < 1 || lines_.Get(0) != L"version 1") throw EInvalidVectorFile(L"SMD version 1 required");
        if (lines_.Count() < 2 || lines_.Get(1) != L"nodes") throw EInvalidVectorFile(L"nodes not found");
        TSkeletonMeshObject* object = nullptr;
        if (!HasTrianglesLine()) {
            if (mesh_->MeshObjects()->Count() == 0)
                throw EInvalidVectorFile(L"SMD is an animation, load model SMD first.");
        } else {
            object = new TSkeletonMeshObject(mesh_->MeshObjects());
            object->SetMode(momFaceGroups);
        }
        at_ = 2;
        ReadNodes();
        ReadFrames();
        if (object && at_ < lines_.Count() && IsTrianglesLine(lines_.Get(at_))) {
            ++at_;
            ReadTriangles(object);
            skeleton_->RootBones()->PrepareGlobalMatrices();
            object->PrepareBindPoseMeshes();
        }
    }

private:
    // One rule for the section name, letter case ignored, wherever it is looked for.
    static bool IsTrianglesLine(const String& line) { return SameText(line, L"triangles"); }

    bool HasTrianglesLine() const {
        for (Integer i = 0; i < lines_.Count(); ++i)
            if (IsTrianglesLine(lines_.Get(i))) return true;
        return false;
    }

    // The next line of a section that must end with "end".
    String NextLine(const wchar_t* section) {
        if (at_ >= lines_.Count()) throw EInvalidVectorFile(Format(L"SMD ends inside its %s", {section}));
        return lines_.Get(at_++);
    }

    // The fields of the line just taken, at least minimum of them.
    void Split(const String& line, Integer minimum) {
        fields_.SetCommaText(line);
        if (fields_.Count() < minimum)
            throw EInvalidVectorFile(
                Format(L"SMD line %d: too few fields (%d of %d)", {at_, fields_.Count(), minimum}));
    }
    Integer IntegerField(Integer i) const { return StrToInt(fields_.Get(i)); }
    // A number that does not read counts as 0.
    Single RealField(Integer i) const { return Single(ParseFloatOr(fields_.Get(i), 0)); }
    TAffineVector VectorField(Integer first) const {
        return {RealField(first), RealField(first + 1), RealField(first + 2)};
    }

    // A bone id of a vertex must name a bone of the skeleton.
    void CheckBone(Integer id) {
        if (!skeleton_->FindBoneByID(id)) throw EInvalidVectorFile(Format(L"SMD line %d: unknown bone %d", {at_, id}));
    }

    void ReadNodes() {
        Integer end = at_;
        while (end < lines_.Count() && lines_.Get(end) != L"end") ++end;
        // Nodes of a file added to a skeleton that has bones are not read again.
        if (skeleton_->RootBones()->Count() > 0) {
            if (end == lines_.Count()) throw EInvalidVectorFile(L"SMD ends inside its nodes");
            at_ = end + 1;
            return;
        }
        // Frames hold one entry per bone id: the ids must be 0 .. count - 1, once each.
        const Integer nodeCount = end - at_;
        for (;;) {
            const String line = NextLine(L"nodes");
            if (line == L"end") break;
            Split(line, 3);
            const Integer id = IntegerField(0);
            const Integer parent = IntegerField(2);
            if (id < 0 || id >= nodeCount)
                throw EInvalidVectorFile(Format(L"SMD line %d: bone id %d outside 0..%d", {at_, id, nodeCount - 1}));
            if (skeleton_->RootBones()->BoneByID(id))
                throw EInvalidVectorFile(Format(L"SMD line %d: bone id %d given twice", {at_, id}));
            TSkeletonBoneList* owner = skeleton_->RootBones();
            if (parent != -1) {
                owner = skeleton_->RootBones()->BoneByID(parent);
                if (!owner) throw EInvalidVectorFile(Format(L"SMD line %d: unknown parent bone %d", {at_, parent}));
            }
            auto* bone = new TSkeletonBone(owner);
            bone->SetBoneID(id);
            bone->SetName(fields_.Get(1));
        }
    }

    static bool IsBoneLine(const String& line) {
        return !line.empty() && (line[0] == L' ' || (line[0] >= L'0' && line[0] <= L'9'));
    }

    void ReadFrames() {
        if (at_ >= lines_.Count() || lines_.Get(at_) != L"skeleton") throw EInvalidVectorFile(L"skeleton not found");
        ++at_;
        const Integer bones = skeleton_->RootBones()->BoneCount() - 1;
        TSkeletonFrameList* frames = skeleton_->Frames();
        const Integer firstNew = frames->Count();
        for (;;) {
            const String line = NextLine(L"skeleton");
            if (line == L"end") break;
            if (line.compare(0, 5, L"time ") != 0) throw EInvalidVectorFile(L"time not found, got: " + line);
            // A frame joins the skeleton whole or not at all: every frame poses every bone.
            auto frame = std::make_unique<TSkeletonFrame>();
            frame->SetName(file_->StoredName() + L" " + line);
            while (at_ < lines_.Count() && IsBoneLine(lines_.Get(at_)))
                ReadBoneLine(frame.get(), NextLine(L"skeleton"), bones, frames->Count() + 1);
            while (frame->Position()->Count() < bones) {
                frame->Position()->Add(NullAffineVector);
                frame->Rotation()->Add(NullAffineVector);
            }
            frame->SetOwner(frames);
            frames->Add(frame.release());
        }
        if (auto* actor = dynamic_cast<TGLActor*>(mesh_)) {
            const String& name = file_->StoredName();
            const size_t dot = name.find(L'.');
            TActorAnimation* animation = actor->Animations()->Add();
            animation->SetName(dot == String::npos ? name : name.substr(0, dot));
            animation->SetReference(aarSkeleton);
            animation->SetStartFrame(firstNew);
            animation->SetEndFrame(frames->Count() - 1);
        }
    }

    // frameNumber: the frame's place among the skeleton's frames, from 1.
    void ReadBoneLine(TSkeletonFrame* frame, const String& line, Integer bones, Integer frameNumber) {
        Split(line, 7);
        const Integer id = IntegerField(0);
        if (id < 0) throw EInvalidVectorFile(Format(L"SMD line %d: unknown bone %d", {at_, id}));
        // Padding up to a larger id would make the frame longer than the skeleton.
        if (id >= bones) throw EInvalidVectorFile(L"Invalid number of bones in frame " + IntToStr(frameNumber));
        TAffineVectorList* position = frame->Position();
        TAffineVectorList* rotation = frame->Rotation();
        if (id < position->Count()) {
            // A bone listed again or out of order takes its own entry, not the next one.
            (*position)[id] = VectorField(1);
            (*rotation)[id] = VectorField(4);
            return;
        }
        while (position->Count() < id) {
            position->Add(NullAffineVector);
            rotation->Add(NullAffineVector);
        }
        position->Add(VectorField(1));
        rotation->Add(VectorField(4));
    }

    TSMDCorner ReadCorner(const String& line) {
        Split(line, 9);
        TSMDCorner corner;
        corner.parentBone = IntegerField(0);
        corner.position = VectorField(1);
        corner.normal = VectorField(4);
        corner.s = RealField(7);
        corner.t = RealField(8);
        if (fields_.Count() < 10) {
            CheckBone(corner.parentBone);
            return corner;
        }
        const Integer links = IntegerField(9);
        if (links < 0 || links > kMaxBonesPerVertex)
            throw EInvalidVectorFile(Format(L"SMD line %d: %d bone links", {at_, links}));
        Split(line, 10 + 2 * links);
        corner.weighted = true;
        for (Integer k = 0; k < links; ++k) {
            const Integer bone = IntegerField(10 + 2 * k);
            CheckBone(bone);
            corner.weights.push_back({bone, RealField(11 + 2 * k)});
        }
        return corner;
    }

    void ReadTriangles(TSkeletonMeshObject* object) {
        if (object->BonesPerVertex() == 0) object->SetBonesPerVertex(1);
        TFGVertexNormalTexIndexList* group = nullptr;
        for (;;) {
            const String material = NextLine(L"triangles");
            if (material == L"end") break;
            // A triangle goes in whole or not at all.
            TSMDCorner corners[3];
            for (TSMDCorner& corner : corners) corner = ReadCorner(NextLine(L"triangles"));
            if (!group || group->MaterialName() != material) {
                group = new TFGVertexNormalTexIndexList(object->FaceGroups());
                group->SetMode(fgmmTriangles);
                group->SetMaterialName(material);
                file_->AddMaterial(material);
            }
            for (const TSMDCorner& corner : corners) {
                const Integer vertex = corner.weighted
                                           ? object->FindOrAddWeights(corner.weights, corner.position, corner.normal)
                                           : object->FindOrAdd(corner.parentBone, corner.position, corner.normal);
                const Integer texCoord = object->TexCoords()->FindOrAdd({corner.s, corner.t, 0});
                group->Add(vertex, vertex, texCoord);
            }
        }
    }

    TGLSMDVectorFile* file_;
    TGLBaseMesh* mesh_;
    TSkeleton* skeleton_;
    const TStringList& lines_;
    Integer at_ = 0;
    TStringList fields_;
};

}  // namespace

void TGLSMDVectorFile::LoadFromStream(TStream* stream) {
    TStringList lines;
    lines.LoadFromStream(stream);
    TSMDReader(this, lines).Read();
}

// ---- materials -------------------------------------------------------------------------------

void TGLSMDVectorFile::AddMaterial(const String& name) {
    TGLBaseMesh* mesh = Owner();
    TGLMaterialLibrary* library = mesh ? mesh->MaterialLibrary() : nullptr;
    if (!library || library->Materials()->FindByName(name)) return;
    if (SameText(name, L"null.bmp")) {
        library->NewTextureMaterial(name, String(), true);
        return;
    }
    try {
        library->NewTextureMaterial(name, name, true);
    } catch (const ETexture&) {
        if (!mesh->IgnoreMissingTextures()) throw;
    }
}

// ---- writing ---------------------------------------------------------------------------------

namespace {

void WriteSMDBones(TStringList& out, TSkeletonBoneList* list, Integer parentId) {
    for (Integer i = 0; i < list->Count(); ++i) {
        TSkeletonBone* bone = list->Bone(i);
        // A quote inside the name is doubled, as the reader's field rule reads it back.
        String name;
        for (wchar_t c : bone->Name()) name += c == L'"' ? String(L"\"\"") : String(1, c);
        out.Add(Format(L"%3d \"%s\" %3d", {bone->BoneID(), name, parentId}));
        WriteSMDBones(out, bone, bone->BoneID());
    }
}

template <class List>
auto ItemOrZero(const List* list, Integer index) -> typename List::ItemType {
    return index >= 0 && index < list->Count() ? list->GetItem(index) : typename List::ItemType{};
}

// Numbers are written with '.' whatever the user's locale.
String SMDFormat(const wchar_t* format, std::initializer_list<TVarRec> values) {
    return Format(format, values, TFormatSettings::Invariant());
}

void WriteSMDTriangles(TStringList& out, TSkeletonMeshObject* object) {
    for (Integer g = 0; g < object->FaceGroups()->Count(); ++g) {
        auto* group = dynamic_cast<TFGVertexNormalTexIndexList*>(object->FaceGroups()->GetFaceGroup(g));
        if (!group) continue;
        const TIntegerList* vertexIndices = group->VertexIndices();
        for (Integer k = 0; k + 2 < vertexIndices->Count(); k += 3) {
            out.Add(group->MaterialName());
            for (Integer c = k; c < k + 3; ++c) {
                const Integer vi = vertexIndices->GetItem(c);
                const Integer bone = vi >= 0 && vi < object->VertexWeightCount() && object->BonesPerVertex() > 0
                                         ? object->VertexBoneWeights(vi)[0].BoneID
                                         : 0;
                const TAffineVector v = ItemOrZero(object->Vertices(), vi);
                const TAffineVector n = ItemOrZero(object->Normals(), ItemOrZero(group->NormalIndices(), c));
                const TAffineVector t = ItemOrZero(object->TexCoords(), ItemOrZero(group->TexCoordIndices(), c));
                out.Add(SMDFormat(L"%3d %.4f %.4f %.4f %.4f %.4f %.4f %.4f %.4f",
                                  {bone, v.X, v.Y, v.Z, n.X, n.Y, n.Z, t.X, t.Y}));
            }
        }
    }
}

}  // namespace

void TGLSMDVectorFile::SaveToStream(TStream* stream) {
    TGLBaseMesh* mesh = Owner();
    TSkeleton* skeleton = mesh->Skeleton();
    TStringList out;
    out.Add(L"version 1");
    out.Add(L"nodes");
    WriteSMDBones(out, skeleton->RootBones(), -1);
    out.Add(L"end");
    // The section is written even without frames: the reader needs it.
    TSkeletonFrameList* frames = skeleton->Frames();
    out.Add(L"skeleton");
    for (Integer k = 0; k < frames->Count(); ++k) {
        out.Add(L"time " + IntToStr(k));
        TSkeletonFrame* frame = frames->Frame(k);
        for (Integer s = 0; s < frame->Position()->Count(); ++s) {
            const TAffineVector p = frame->Position()->GetItem(s);
            const TAffineVector r = ItemOrZero(frame->Rotation(), s);
            out.Add(SMDFormat(L"%3d %.6f %.6f %.6f %.6f %.6f %.6f", {s, p.X, p.Y, p.Z, r.X, r.Y, r.Z}));
        }
    }
    out.Add(L"end");
    if (mesh->MeshObjects()->Count() > 0) {
        out.Add(L"triangles");
        for (Integer i = 0; i < mesh->MeshObjects()->Count(); ++i)
            if (auto* object = dynamic_cast<TSkeletonMeshObject*>(mesh->MeshObjects()->GetMeshObject(i)))
                WriteSMDTriangles(out, object);
        out.Add(L"end");
    }
    out.SaveToStream(stream);
}

// ---- start-up --------------------------------------------------------------------------------

void InitializeGLFileSMD() {
    RegisterVectorFileFormat(L"smd", L"Half-Life SMD files", VectorFileClassOf<TGLSMDVectorFile>());
}
