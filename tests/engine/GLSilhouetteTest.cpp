// Connectivity and silhouettes: which edges separate faces turned towards a viewpoint from faces
// turned away, their winding, the caps, and the bookkeeping of shared edges.

#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "GLSilhouette.h"
#include "MathExpect.h"

namespace {

const TAffineVector tetra[4] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

// A closed tetrahedron with outward faces: three on the axis planes, face 3 the slanted one.
std::unique_ptr<TConnectivity> Tetrahedron(bool precompute) {
    auto c = std::make_unique<TConnectivity>(precompute);
    for (const TAffineVector& v : tetra) c->Vertices()->Add(v);
    c->AddIndexedFace(0, 2, 1);
    c->AddIndexedFace(0, 1, 3);
    c->AddIndexedFace(0, 3, 2);
    c->AddIndexedFace(1, 2, 3);
    return c;
}

TSilhouetteParameters SeenFrom(TAffineVector p, bool capping) { return {p, {0, 0, 0}, 0, capping}; }

// Index of the tetrahedron vertex at a silhouette point.
int TetraVertex(const TGLSilhouette& s, Integer index) {
    const TVector4f& p = (*s.Vertices())[index];
    EXPECT_EQ(p.W, 1);
    for (int i = 0; i < 4; ++i)
        if (p.X == tetra[i].X && p.Y == tetra[i].Y && p.Z == tetra[i].Z) return i;
    ADD_FAILURE() << "not a tetrahedron vertex: " << p;
    return -1;
}

using Edges = std::set<std::pair<int, int>>;

Edges OrientedEdges(const TGLSilhouette& s) {
    Edges edges;
    for (Integer i = 0; i < s.Indices()->Count(); i += 2)
        edges.insert({TetraVertex(s, (*s.Indices())[i]), TetraVertex(s, (*s.Indices())[i + 1])});
    return edges;
}

TEST(Connectivity, TetrahedronSeenNextToOneFace) {
    for (bool precompute : {false, true}) {
        SCOPED_TRACE(precompute);
        auto c = Tetrahedron(precompute);
        EXPECT_EQ(c->FaceCount(), 4);
        EXPECT_EQ(c->EdgeCount(), 6);

        TGLSilhouette* s = nullptr;
        c->CreateSilhouette(SeenFrom({1, 1, 1}, true), s, false);
        std::unique_ptr<TGLSilhouette> owned(s);
        ASSERT_NE(s, nullptr);
        const Byte visible[] = {0, 0, 0, 1};
        for (int f = 0; f < 4; ++f) EXPECT_EQ((*c->FaceVisible())[f], visible[f]) << "face " << f;

        // The slanted face's three edges, wound against it (1-2-3) into one loop.
        EXPECT_EQ(OrientedEdges(*s), (Edges{{2, 1}, {1, 3}, {3, 2}}));
        EXPECT_EQ(s->Vertices()->Count(), 4);

        // One cap for each hidden face, in the face's own winding.
        ASSERT_EQ(s->CapIndices()->Count(), 9);
        const int caps[3][3] = {{0, 2, 1}, {0, 1, 3}, {0, 3, 2}};
        for (int t = 0; t < 3; ++t)
            for (int k = 0; k < 3; ++k)
                EXPECT_EQ(TetraVertex(*s, (*s->CapIndices())[3 * t + k]), caps[t][k]) << "cap " << t;

        // Without capping, and seen from inside: every face turned away, no edge between.
        c->CreateSilhouette(SeenFrom({1, 1, 1}, false), s, false);
        EXPECT_EQ(s->CapIndices()->Count(), 0);
        EXPECT_EQ(s->Indices()->Count(), 6);
        c->CreateSilhouette(SeenFrom({0.1f, 0.1f, 0.1f}, false), s, false);
        EXPECT_EQ(s->Indices()->Count(), 0);
    }
}

TEST(Connectivity, OpenTriangleContributesOnlyWhenTurnedAway) {
    TConnectivity c(false);
    c.Vertices()->AddXYZ(0, 0, 0);
    c.Vertices()->AddXYZ(1, 0, 0);
    c.Vertices()->AddXYZ(0, 1, 0);
    c.AddIndexedFace(0, 1, 2);  // normal +Z
    std::unique_ptr<TGLSilhouette> s(new TGLSilhouette);
    TGLSilhouette* p = s.get();

    c.CreateSilhouette(SeenFrom({0, 0, 5}, true), p, false);
    EXPECT_EQ(s->Indices()->Count(), 0);
    EXPECT_EQ(s->CapIndices()->Count(), 0);

    c.CreateSilhouette(SeenFrom({3, 3, 0}, true), p, false);  // edge-on counts as visible
    EXPECT_EQ(s->Indices()->Count(), 0);
    EXPECT_EQ((*c.FaceVisible())[0], 1);

    c.CreateSilhouette(SeenFrom({0, 0, -5}, true), p, false);
    EXPECT_EQ(s->Indices()->Count(), 6);
    EXPECT_EQ(s->CapIndices()->Count(), 3);
    EXPECT_EQ(p, s.get());
}

TEST(Connectivity, SharedEdgesAndQuads) {
    TConnectivity c(false);
    c.AddIndexedEdge(0, 1, 0);
    c.AddIndexedEdge(1, 0, 1);
    c.AddIndexedEdge(0, 1, 2);  // a third face replaces the second
    EXPECT_EQ(c.EdgeCount(), 1);
    EXPECT_EQ((*c.EdgeFaces())[0], 0);
    EXPECT_EQ((*c.EdgeFaces())[1], 2);

    TConnectivity quad(true);
    EXPECT_EQ(quad.AddQuad({0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}), 0);
    EXPECT_EQ(quad.AddQuad({1, 0, 0}, {2, 0, 0}, {2, 1, 0}, {1, 1, 0}), 2);
    EXPECT_EQ(quad.Vertices()->Count(), 6);  // two corners shared
    EXPECT_EQ(quad.FaceCount(), 4);
    EXPECT_EQ(quad.EdgeCount(), 9);
    quad.Clear();
    EXPECT_EQ(quad.FaceCount(), 0);
    EXPECT_EQ(quad.Vertices()->Count(), 0);
}

TEST(Connectivity, AddingAppendsASecondSilhouette) {
    auto c = Tetrahedron(false);
    TGLSilhouette* s = nullptr;
    c->CreateSilhouette(SeenFrom({1, 1, 1}, true), s, true);
    std::unique_ptr<TGLSilhouette> owned(s);
    c->CreateSilhouette(SeenFrom({-1, -1, -1}, false), s, true);
    // The second view sees the three axis faces: the same loop, wound the other way, on fresh
    // vertices after the first four.
    EXPECT_EQ(s->Vertices()->Count(), 7);
    ASSERT_EQ(s->Indices()->Count(), 12);
    for (int i = 6; i < 12; ++i) EXPECT_GE((*s->Indices())[i], 4);
    Edges second;
    for (int i = 6; i < 12; i += 2)
        second.insert({TetraVertex(*s, (*s->Indices())[i]), TetraVertex(*s, (*s->Indices())[i + 1])});
    EXPECT_EQ(second, (Edges{{1, 2}, {3, 1}, {2, 3}}));
    EXPECT_EQ(s->CapIndices()->Count(), 9);

    s->Flush();
    EXPECT_EQ(s->Vertices()->Count(), 0);
    EXPECT_GT(s->Vertices()->Capacity(), 0);
}

}  // namespace
