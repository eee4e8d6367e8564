#include "GLSilhouette.h"

#include "VectorArithmetic.h"

// ---- TGLSilhouette ---------------------------------------------------------------------------

TGLSilhouette::TGLSilhouette()
    : vertices_(new TVectorList), indices_(new TIntegerList), capIndices_(new TIntegerList) {}

TGLSilhouette::~TGLSilhouette() {
    delete capIndices_;
    delete indices_;
    delete vertices_;
}

void TGLSilhouette::Flush() {
    vertices_->ResetCount();
    indices_->ResetCount();
    capIndices_->ResetCount();
}

// ---- TConnectivity ---------------------------------------------------------------------------

TConnectivity::TConnectivity(bool precomputeFaceNormals)
    : TBaseConnectivity(precomputeFaceNormals),
      faceVisible_(new TByteList),
      faceVertexIndices_(new TIntegerList),
      faceNormals_(new TAffineVectorList),
      edgeVertices_(new TIntegerList),
      edgeFaces_(new TIntegerList),
      vertexMemory_(new TIntegerList),
      vertices_(new TAffineVectorList) {}

TConnectivity::~TConnectivity() {
    Clear();
    delete vertices_;
    delete vertexMemory_;
    delete edgeFaces_;
    delete edgeVertices_;
    delete faceNormals_;
    delete faceVertexIndices_;
    delete faceVisible_;
}

void TConnectivity::Clear() {
    faceVisible_->Clear();
    faceVertexIndices_->Clear();
    faceNormals_->Clear();
    edgeVertices_->Clear();
    edgeFaces_->Clear();
    vertexMemory_->Clear();
    vertices_->Clear();
}

void TConnectivity::AddIndexedEdge(Integer vertexA, Integer vertexB, Integer face) {
    const Integer* ev = edgeVertices_->List();
    for (Integer i = 0; i < edgeVertices_->Count(); i += 2) {
        if ((ev[i] == vertexA && ev[i + 1] == vertexB) || (ev[i] == vertexB && ev[i + 1] == vertexA)) {
            edgeFaces_->SetItem(i + 1, face);
            return;
        }
    }
    edgeVertices_->AddPair(vertexA, vertexB);
    edgeFaces_->AddPair(face, -1);
}

Integer TConnectivity::AddIndexedFace(Integer vertexA, Integer vertexB, Integer vertexC) {
    faceVertexIndices_->AddTriple(vertexA, vertexB, vertexC);
    if (precomputeFaceNormals_)
        faceNormals_->Add(TriangleNormal((*vertices_)[vertexA], (*vertices_)[vertexB], (*vertices_)[vertexC]));
    Integer face = faceVisible_->Add(0);
    AddIndexedEdge(vertexA, vertexB, face);
    AddIndexedEdge(vertexB, vertexC, face);
    AddIndexedEdge(vertexC, vertexA, face);
    return face;
}

Integer TConnectivity::AddQuad(const TAffineVector& p1, const TAffineVector& p2, const TAffineVector& p3,
                               const TAffineVector& p4) {
    Integer i1 = vertices_->FindOrAdd(p1);
    Integer i2 = vertices_->FindOrAdd(p2);
    Integer i3 = vertices_->FindOrAdd(p3);
    Integer i4 = vertices_->FindOrAdd(p4);
    Integer first = AddIndexedFace(i1, i2, i3);
    AddIndexedFace(i3, i4, i1);
    return first;
}

Integer TConnectivity::SilhouetteIndex(Integer vertex, TGLSilhouette* silhouette) {
    while (vertexMemory_->Count() <= vertex) vertexMemory_->Add(-1);
    Integer& remembered = (*vertexMemory_)[vertex];
    if (remembered < 0) remembered = silhouette->Vertices()->AddPoint((*vertices_)[vertex]);
    return remembered;
}

void TConnectivity::CreateSilhouette(const TSilhouetteParameters& parameters, TGLSilhouette*& silhouette,
                                     bool addToSilhouette) {
    if (!silhouette)
        silhouette = new TGLSilhouette;
    else if (!addToSilhouette)
        silhouette->Flush();
    vertexMemory_->ResetCount();

    const Integer* fv = faceVertexIndices_->List();
    for (Integer face = 0; face < FaceCount(); ++face) {
        Integer a = fv[3 * face], b = fv[3 * face + 1], c = fv[3 * face + 2];
        const TAffineVector& va = (*vertices_)[a];
        TAffineVector normal =
            precomputeFaceNormals_ ? (*faceNormals_)[face] : TriangleNormal(va, (*vertices_)[b], (*vertices_)[c]);
        bool visible = DotAffine(SubtractAffine(parameters.SeenFrom, va), normal) >= 0;
        faceVisible_->SetItem(face, visible ? 1 : 0);
        if (!visible && parameters.CappingRequired) {
            Integer ic = SilhouetteIndex(c, silhouette);
            Integer ib = SilhouetteIndex(b, silhouette);
            Integer ia = SilhouetteIndex(a, silhouette);
            silhouette->CapIndices()->AddTriple(ia, ib, ic);
        }
    }

    const Integer* ev = edgeVertices_->List();
    const Integer* ef = edgeFaces_->List();
    const Byte* visible = faceVisible_->List();
    for (Integer edge = 0; edge < EdgeCount(); ++edge) {
        Integer a = ev[2 * edge], b = ev[2 * edge + 1];
        Integer f = ef[2 * edge], g = ef[2 * edge + 1];
        if (g != -1 && visible[f] == visible[g]) continue;
        if (!visible[f]) {
            Integer ia = SilhouetteIndex(a, silhouette);
            Integer ib = SilhouetteIndex(b, silhouette);
            silhouette->Indices()->AddPair(ia, ib);
        } else if (g >= 0) {
            Integer ib = SilhouetteIndex(b, silhouette);
            Integer ia = SilhouetteIndex(a, silhouette);
            silhouette->Indices()->AddPair(ib, ia);
        }
    }
}
