#include "GLVectorFileFormats.h"

#include "Format.h"
#include "GLActor.h"
#include "GLAnimationControler.h"
#include "GLBaseMesh.h"
#include "GLFaceGroups.h"
#include "GLMeshObject.h"
#include "GLSkeleton.h"
#include "GLSkeletonMeshObject.h"
#include "SysUtils.h"

// ---- TVectorFile -----------------------------------------------------------------------------

TVectorFile::TVectorFile(TPersistent* owner) : TDataFile(owner) {
    Assert(dynamic_cast<TGLBaseMesh*>(owner) != nullptr, L"GLVectorFileObjects: a vector file belongs to a mesh");
}

TGLBaseMesh* TVectorFile::Owner() const { return static_cast<TGLBaseMesh*>(GetOwner()); }

// ---- TGLGLSMVectorFile -----------------------------------------------------------------------

void TGLGLSMVectorFile::LoadFromStream(TStream* stream) { Owner()->MeshObjects()->LoadFromStream(stream); }

void TGLGLSMVectorFile::SaveToStream(TStream* stream) { Owner()->MeshObjects()->SaveToStream(stream); }

// ---- the registry ----------------------------------------------------------------------------

namespace {

TVectorFileFormatsList* gVectorFileFormats = nullptr;

}  // namespace

TVectorFileFormatsList::~TVectorFileFormatsList() { Clean(); }

void TVectorFileFormatsList::AddFormat(const String& extension, const String& description,
                                       TVectorFileClass vectorFileClass) {
    TPersistentObjectList::Add(new TVectorFileFormat(vectorFileClass, LowerCase(extension), description));
}

TVectorFileClass TVectorFileFormatsList::FindExt(const String& extension) const {
    const String wanted = LowerCase(extension);
    for (Integer i = Count() - 1; i >= 0; --i)
        if (FormatAt(i)->Extension == wanted) return FormatAt(i)->VectorFileClass;
    return nullptr;
}

TVectorFileClass TVectorFileFormatsList::FindFromFileName(const String& fileName) const {
    String extension = ExtractFileExt(fileName);
    if (!extension.empty()) extension.erase(0, 1);  // the dot
    TVectorFileClass found = FindExt(extension);
    if (!found)
        throw EInvalidVectorFile(
            Format(L"Unknown file extension (%s), maybe you forgot to add the support unit to your uses? (%s?)",
                   {extension, L"GLFile" + UpperCase(extension)}));
    return found;
}

TVectorFileFormatsList* GetVectorFileFormats() {
    if (!gVectorFileFormats) gVectorFileFormats = new TVectorFileFormatsList;
    return gVectorFileFormats;
}

void RegisterVectorFileFormat(const String& extension, const String& description, TVectorFileClass vectorFileClass) {
    RegisterClass(vectorFileClass);
    GetVectorFileFormats()->AddFormat(extension, description, vectorFileClass);
}

// ---- unit start-up ---------------------------------------------------------------------------

void InitializeGLVectorFileFormats() {
    RegisterClasses({TGLFreeForm::StaticClass(), TGLActor::StaticClass(), TSkeleton::StaticClass(),
                     TSkeletonFrame::StaticClass(), TSkeletonBone::StaticClass(), TSkeletonMeshObject::StaticClass(),
                     TMeshObject::StaticClass(), TSkeletonFrameList::StaticClass(), TMeshMorphTarget::StaticClass(),
                     TMorphableMeshObject::StaticClass(), TFaceGroup::StaticClass(), TFGVertexIndexList::StaticClass(),
                     TFGVertexNormalTexIndexList::StaticClass(), TGLAnimationControler::StaticClass(),
                     TFGIndexTexCoordList::StaticClass(), TSkeletonCollider::StaticClass(),
                     TSkeletonColliderList::StaticClass()});
    RegisterVectorFileFormat(L"glsm", L"GLScene Mesh", VectorFileClassOf<TGLGLSMVectorFile>());
}

void FinalizeGLVectorFileFormats() { FreeAndNil(gVectorFileFormats); }
