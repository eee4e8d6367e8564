#pragma once
// Silhouettes of closed triangle meshes: the edges between faces turned towards a viewpoint and
// faces turned away, optionally with the faces turned away as caps, for shadow and outline
// volumes. TConnectivity records a mesh as faces and shared edges so that a silhouette comes
// out of one pass over the faces and one over the edges.

#include "VectorLists.h"

// What a silhouette is built for. The connectivity uses the viewpoint and the capping flag; the
// scene objects' own builders read the light direction and the style.
struct TSilhouetteParameters {
    TAffineVector SeenFrom;  // in the mesh's local space
    TAffineVector LightDirection;
    Byte Style;
    bool CappingRequired;
};

class TGLSilhouette : public TObject {
    Z_CLASS(TGLSilhouette, TObject)
public:
    TGLSilhouette();
    ~TGLSilhouette() override;

    TVectorList* Vertices() const { return vertices_; }       // points, W = 1
    TIntegerList* Indices() const { return indices_; }        // two per silhouette edge
    TIntegerList* CapIndices() const { return capIndices_; }  // three per cap triangle
    // Empties the lists, keeping their memory.
    void Flush();

private:
    TVectorList* vertices_;
    TIntegerList* indices_;
    TIntegerList* capIndices_;
};

class TBaseConnectivity : public TObject {
    Z_CLASS(TBaseConnectivity, TObject)
public:
    explicit TBaseConnectivity(bool precomputeFaceNormals) : precomputeFaceNormals_(precomputeFaceNormals) {}

    bool PrecomputeFaceNormals() const { return precomputeFaceNormals_; }
    virtual Integer EdgeCount() const { return 0; }
    virtual Integer FaceCount() const { return 0; }
    // Builds into silhouette, creating it (the caller owns it) when it is null; without add the
    // silhouette is flushed first.
    virtual void CreateSilhouette(const TSilhouetteParameters& parameters, TGLSilhouette*& silhouette,
                                  bool addToSilhouette) {}

protected:
    bool precomputeFaceNormals_;
};

class TConnectivity : public TBaseConnectivity {
    Z_CLASS(TConnectivity, TBaseConnectivity)
public:
    explicit TConnectivity(bool precomputeFaceNormals);
    ~TConnectivity() override;

    virtual void Clear();
    Integer EdgeCount() const override { return edgeVertices_->Count() / 2; }
    Integer FaceCount() const override { return faceVisible_->Count(); }

    // An edge a-b (either order) that exists gets face as its second face, replacing any earlier
    // one; otherwise the edge is appended with faces (face, -1).
    void AddIndexedEdge(Integer vertexA, Integer vertexB, Integer face);
    // Returns the new face's index.
    Integer AddIndexedFace(Integer vertexA, Integer vertexB, Integer vertexC);
    // Two faces (p1, p2, p3) and (p3, p4, p1); bit-identical points share a vertex. Returns the
    // first face's index.
    Integer AddQuad(const TAffineVector& p1, const TAffineVector& p2, const TAffineVector& p3, const TAffineVector& p4);

    void CreateSilhouette(const TSilhouetteParameters& parameters, TGLSilhouette*& silhouette,
                          bool addToSilhouette) override;

    TAffineVectorList* Vertices() const { return vertices_; }
    TIntegerList* FaceVertexIndices() const { return faceVertexIndices_; }
    TIntegerList* EdgeVertices() const { return edgeVertices_; }
    TIntegerList* EdgeFaces() const { return edgeFaces_; }
    TByteList* FaceVisible() const { return faceVisible_; }

protected:
    TByteList* faceVisible_;
    TIntegerList* faceVertexIndices_;
    TAffineVectorList* faceNormals_;
    TIntegerList* edgeVertices_;
    TIntegerList* edgeFaces_;
    TIntegerList* vertexMemory_;
    TAffineVectorList* vertices_;

private:
    Integer SilhouetteIndex(Integer vertex, TGLSilhouette* silhouette);
};
