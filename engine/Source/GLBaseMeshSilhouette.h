#pragma once
// Silhouettes of meshes: one connectivity per mesh object, built from its face groups over the
// mesh object's own vertex list, and one silhouette for the whole mesh gathered from them.

#include <vector>

#include "GLSilhouette.h"

class TGLBaseMesh;
class TMeshObject;

// The faces and edges of one mesh object's face groups (vertex-index groups only). The vertex
// list is the mesh object's own, borrowed: clearing or freeing the connectivity leaves it alone,
// and deformed vertices are seen as they are.
class TFaceGroupConnectivity : public TConnectivity {
    Z_CLASS(TFaceGroupConnectivity, TConnectivity)
public:
    explicit TFaceGroupConnectivity(bool precomputeFaceNormals);
    TFaceGroupConnectivity(TMeshObject* meshObject, bool precomputeFaceNormals);
    ~TFaceGroupConnectivity() override;

    TMeshObject* MeshObject() const { return meshObject_; }
    // Clears, takes the mesh object's vertex list and rebuilds the faces and edges.
    void SetMeshObject(TMeshObject* meshObject);
    void Clear() override;
    // Faces from every face group: strips and fans keep their winding; quads fail an assertion
    // "Not supported".
    void RebuildEdgeList();

private:
    void ReturnBorrowedVertices();

    TMeshObject* meshObject_ = nullptr;
    bool ownsVertices_ = true;
};

// The connectivities of every mesh object of a mesh. Face normals are worked out once, except
// for meshes whose vertices move (those built by animated meshes), which work them out at each
// silhouette.
class TGLBaseMeshConnectivity : public TBaseConnectivity {
    Z_CLASS(TGLBaseMeshConnectivity, TBaseConnectivity)
public:
    explicit TGLBaseMeshConnectivity(bool precomputeFaceNormals);
    explicit TGLBaseMeshConnectivity(TGLBaseMesh* mesh);
    ~TGLBaseMeshConnectivity() override;

    TGLBaseMesh* Mesh() const { return mesh_; }
    void SetMesh(TGLBaseMesh* mesh);
    // keep: clears every connectivity; otherwise frees them.
    void ClearAll(bool keep);
    Integer EdgeCount() const override;
    Integer FaceCount() const override;
    Integer FaceGroupConnectivityCount() const { return Integer(connectivities_.size()); }
    TFaceGroupConnectivity* GetFaceGroupConnectivity(Integer index) const { return connectivities_[size_t(index)]; }
    // The silhouette is flushed first whatever add says; every mesh object adds its part, the
    // vertices of each after those of the ones before.
    void CreateSilhouette(const TSilhouetteParameters& parameters, TGLSilhouette*& silhouette,
                          bool addToSilhouette) override;

private:
    TGLBaseMesh* mesh_ = nullptr;
    std::vector<TFaceGroupConnectivity*> connectivities_;
};

// Whether a mesh's vertices move between frames, so that face normals cannot be kept.
bool MeshDeformsVertices(const TGLBaseMesh* mesh);
