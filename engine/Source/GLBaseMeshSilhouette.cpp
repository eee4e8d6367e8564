#include "GLBaseMeshSilhouette.h"

#include "GLActor.h"
#include "GLBaseMesh.h"
#include "GLFaceGroups.h"
#include "GLMeshObject.h"

bool MeshDeformsVertices(const TGLBaseMesh* mesh) { return dynamic_cast<const TGLActor*>(mesh) != nullptr; }

// ---- TFaceGroupConnectivity ------------------------------------------------------------------

TFaceGroupConnectivity::TFaceGroupConnectivity(bool precomputeFaceNormals) : TConnectivity(precomputeFaceNormals) {}

TFaceGroupConnectivity::TFaceGroupConnectivity(TMeshObject* meshObject, bool precomputeFaceNormals)
    : TConnectivity(precomputeFaceNormals) {
    try {
        SetMeshObject(meshObject);
    } catch (...) {
        // No destructor of this class runs for a failed constructor, the base's does.
        ReturnBorrowedVertices();
        throw;
    }
}

TFaceGroupConnectivity::~TFaceGroupConnectivity() { ReturnBorrowedVertices(); }

void TFaceGroupConnectivity::ReturnBorrowedVertices() {
    // The base frees the vertex list it holds: a borrowed one goes back to the mesh object.
    if (ownsVertices_) return;
    Clear();
    vertices_ = new TAffineVectorList;
    ownsVertices_ = true;
}

void TFaceGroupConnectivity::Clear() {
    if (ownsVertices_) {
        TConnectivity::Clear();
        return;
    }
    TAffineVectorList* borrowed = vertices_;
    TAffineVectorList detached;
    vertices_ = &detached;
    TConnectivity::Clear();
    vertices_ = borrowed;
}

void TFaceGroupConnectivity::SetMeshObject(TMeshObject* meshObject) {
    Clear();
    meshObject_ = meshObject;
    if (ownsVertices_) delete vertices_;
    vertices_ = meshObject->Vertices();
    ownsVertices_ = false;
    RebuildEdgeList();
}

void TFaceGroupConnectivity::RebuildEdgeList() {
    Clear();
    TFaceGroups* groups = meshObject_->FaceGroups();
    for (Integer g = 0; g < groups->Count(); ++g) {
        auto* group = dynamic_cast<TFGVertexIndexList*>(groups->GetFaceGroup(g));
        Assert(group != nullptr, L"Method only works for descendants of TFGVertexIndexList.");
        const TIntegerList& index = *group->VertexIndices();
        const Integer n = index.Count();
        switch (group->Mode()) {
            case fgmmTriangleStrip:
                for (Integer k = 0; k + 2 < n; ++k) {
                    if (k % 2 == 0)
                        AddIndexedFace(index[k], index[k + 1], index[k + 2]);
                    else
                        AddIndexedFace(index[k + 2], index[k + 1], index[k]);
                }
                break;
            case fgmmTriangleFan:
                for (Integer k = 2; k < n; ++k) AddIndexedFace(index[0], index[k - 1], index[k]);
                break;
            case fgmmTriangles:
            case fgmmFlatTriangles:
                for (Integer t = 0; t < group->TriangleCount(); ++t)
                    AddIndexedFace(index[3 * t], index[3 * t + 1], index[3 * t + 2]);
                break;
            default:
                Assert(false, L"Not supported");
        }
    }
}

// ---- TGLBaseMeshConnectivity -----------------------------------------------------------------

TGLBaseMeshConnectivity::TGLBaseMeshConnectivity(bool precomputeFaceNormals)
    : TBaseConnectivity(precomputeFaceNormals) {}

TGLBaseMeshConnectivity::TGLBaseMeshConnectivity(TGLBaseMesh* mesh) : TBaseConnectivity(!MeshDeformsVertices(mesh)) {
    try {
        SetMesh(mesh);
    } catch (...) {
        ClearAll(false);
        throw;
    }
}

TGLBaseMeshConnectivity::~TGLBaseMeshConnectivity() { ClearAll(false); }

void TGLBaseMeshConnectivity::SetMesh(TGLBaseMesh* mesh) {
    ClearAll(false);
    mesh_ = mesh;
    precomputeFaceNormals_ = !MeshDeformsVertices(mesh);
    TMeshObjectList* objects = mesh->MeshObjects();
    for (Integer i = 0; i < objects->Count(); ++i)
        connectivities_.push_back(new TFaceGroupConnectivity(objects->GetMeshObject(i), precomputeFaceNormals_));
}

void TGLBaseMeshConnectivity::ClearAll(bool keep) {
    for (TFaceGroupConnectivity* connectivity : connectivities_) {
        if (keep)
            connectivity->Clear();
        else
            delete connectivity;
    }
    if (!keep) connectivities_.clear();
}

Integer TGLBaseMeshConnectivity::EdgeCount() const {
    Integer sum = 0;
    for (TFaceGroupConnectivity* connectivity : connectivities_) sum += connectivity->EdgeCount();
    return sum;
}

Integer TGLBaseMeshConnectivity::FaceCount() const {
    Integer sum = 0;
    for (TFaceGroupConnectivity* connectivity : connectivities_) sum += connectivity->FaceCount();
    return sum;
}

void TGLBaseMeshConnectivity::CreateSilhouette(const TSilhouetteParameters& parameters, TGLSilhouette*& silhouette,
                                               bool) {
    if (silhouette)
        silhouette->Flush();
    else
        silhouette = new TGLSilhouette;
    for (TFaceGroupConnectivity* connectivity : connectivities_)
        connectivity->CreateSilhouette(parameters, silhouette, true);
}
