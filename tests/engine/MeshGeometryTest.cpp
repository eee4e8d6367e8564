// Mesh geometry without drawing: strips and face groups turned into triangles, triangle counts,
// extents, rays and silhouettes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <set>

#include "GLActor.h"
#include "GLBaseMeshSilhouette.h"
#include "MathExpect.h"
#include "MeshFixtures.h"
#include "MeshUtils.h"
#include "SceneFixtures.h"
#include "TestSupport.h"
#include "VectorArithmetic.h"

namespace {

// Six points told apart by X.
const TAffineVector kP1{1, 0, 0}, kP2{2, 0, 0}, kP3{3, 0, 0}, kP4{4, 0, 0}, kP5{5, 0, 0}, kP6{6, 0, 0};

std::unique_ptr<TAffineVectorList> ListOf(std::initializer_list<TAffineVector> items) {
    auto list = std::make_unique<TAffineVectorList>();
    for (const TAffineVector& v : items) list->Add(v);
    return list;
}

std::unique_ptr<TIntegerList> IndexList(std::initializer_list<Integer> items) {
    auto list = std::make_unique<TIntegerList>();
    for (Integer i : items) list->Add(i);
    return list;
}

}  // namespace

TEST(MeshConversion, StripsBecomeTrianglesThatKeepTheirWinding) {
    const struct {
        const char* name;
        std::vector<TAffineVector> strip, triangles;
    } cases[] = {
        {"four vertices", {kP1, kP2, kP3, kP4}, {kP1, kP2, kP3, kP4, kP3, kP2}},
        {"five vertices", {kP1, kP2, kP3, kP4, kP5}, {kP1, kP2, kP3, kP4, kP3, kP2, kP3, kP4, kP5}},
        {"three vertices", {kP1, kP2, kP3}, {kP1, kP2, kP3}},
        {"two vertices", {kP1, kP2}, {}},
        {"none", {}, {}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        TAffineVectorList strip, list;
        for (const TAffineVector& v : k.strip) strip.Add(v);
        list.Add(kP6);  // appended after what the list holds
        ConvertStripToList(&strip, &list);
        std::vector<TAffineVector> expected{kP6};
        expected.insert(expected.end(), k.triangles.begin(), k.triangles.end());
        EXPECT_EQ(Text(Items(list)), Text(expected));
    }
    TAffineVectorList list;
    ConvertIndexedStripToList(ListOf({kP1, kP2, kP3, kP4}).get(), IndexList({3, 0, 2, 1}).get(), &list);
    EXPECT_ITEMS(list, kP4, kP1, kP3, kP2, kP3, kP1);
}

TEST(MeshConversion, EachFaceGroupModeGivesItsTriangles) {
    const auto sourceList = ListOf({kP1, kP2, kP3, kP4, kP5, kP6});
    const TAffineVectorList& source = *sourceList;
    const struct {
        const char* name;
        Byte mode;
        std::initializer_list<Integer> indices;
        std::vector<TAffineVector> triangles;
        Integer count;  // TriangleCount of a group with these indices
    } cases[] = {
        {"triangles", fgmmTriangles, {0, 1, 2, 3, 4, 5, 0}, {kP1, kP2, kP3, kP4, kP5, kP6}, 2},
        {"flat triangles", fgmmFlatTriangles, {5, 4, 3}, {kP6, kP5, kP4}, 1},
        {"strip", fgmmTriangleStrip, {0, 1, 2, 3}, {kP1, kP2, kP3, kP4, kP3, kP2}, 2},
        {"fan", fgmmTriangleFan, {0, 1, 2, 3}, {kP1, kP2, kP3, kP1, kP3, kP4}, 2},
        // A fan that comes back to its first rim vertex closes all around its centre.
        {"closed fan",
         fgmmTriangleFan,
         {0, 1, 2, 3, 4, 1},
         {kP1, kP2, kP3, kP1, kP3, kP4, kP1, kP4, kP5, kP1, kP5, kP2},
         4},
        {"quads",
         fgmmQuads,
         {0, 1, 2, 3, 5, 4, 3, 2, 0},
         {kP1, kP2, kP3, kP1, kP3, kP4, kP6, kP5, kP4, kP6, kP4, kP3},
         4},
        {"two indices", fgmmTriangleStrip, {0, 1}, {}, 0},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        const std::unique_ptr<TIntegerList> indexList = IndexList(k.indices);
        TIntegerList& indices = *indexList;
        TAffineVectorList triangles;
        ConvertToTriangles(k.mode, &source, &triangles, &indices);
        EXPECT_EQ(Text(Items(triangles)), Text(k.triangles));

        // An empty source gives zero corners in the same number, so parallel lists stay aligned.
        TAffineVectorList none, zeros;
        ConvertToTriangles(k.mode, &none, &zeros, &indices);
        EXPECT_EQ(zeros.Count(), k.mode == fgmmTriangleFan || k.mode == fgmmTriangleStrip
                                     ? std::max<Integer>(3 * indices.Count() - 6, 0)
                                     : Integer(k.triangles.size()));
        for (Integer i = 0; i < zeros.Count(); ++i) EXPECT_EQ(Text(zeros[i]), Text(V3(0, 0, 0)));

        TFGVertexIndexList group;
        group.SetVertexIndices(&indices);
        group.SetMode(k.mode);
        EXPECT_EQ(group.TriangleCount(), k.count);
    }
    TAffineVectorList out;
    EXPECT_NE(MessageOf([&] {
                  ConvertToTriangles(7, &source, &out, IndexList({0, 1, 2}).get());
              }).find("unknown face group mode"),
              std::string::npos);
}

TEST(MeshConversion, MeshObjectsCountAndExtractTheirTriangles) {
    // Seven vertices in triangle mode: two triangles, but a list that is not whole triangles
    // extracts nothing.
    std::unique_ptr<TMeshObject> loose(MakeMeshObject(nullptr, {kP1, kP2, kP3, kP4, kP5, kP6, kP1}));
    EXPECT_EQ(loose->TriangleCount(), 2);
    std::unique_ptr<TAffineVectorList> none(loose->ExtractTriangles());
    EXPECT_EQ(none->Count(), 0);

    std::unique_ptr<TMeshObject> pair(MakeMeshObject(nullptr, {kP1, kP2}, momTriangleStrip));
    EXPECT_EQ(pair->TriangleCount(), 0);

    std::unique_ptr<TMeshObject> strip(MakeMeshObject(nullptr, {kP1, kP2, kP3, kP4}, momTriangleStrip));
    strip->SetTexCoords(ListOf({kP4, kP3, kP2, kP1}).get());
    strip->SetNormals(ListOf({kP5, kP5, kP6, kP6}).get());
    TAffineVectorList texCoords, normals;
    std::unique_ptr<TAffineVectorList> triangles(strip->ExtractTriangles(&texCoords, &normals));
    EXPECT_EQ(strip->TriangleCount(), 2);
    EXPECT_ITEMS(*triangles, kP1, kP2, kP3, kP4, kP3, kP2);
    EXPECT_ITEMS(texCoords, kP4, kP3, kP2, kP1, kP2, kP3);
    EXPECT_ITEMS(normals, kP5, kP5, kP6, kP6, kP6, kP5);

    // Face groups without texture coordinates in the mesh object give zero coordinates, one per
    // triangle corner.
    std::unique_ptr<TMeshObject> grouped(MakeMeshObject(nullptr, {kP1, kP2, kP3, kP4}));
    AddIndexGroup(grouped.get(), {0, 1, 2});
    AddIndexGroup(grouped.get(), {0, 1, 2, 3}, fgmmTriangleFan);
    TAffineVectorList zeroTex;
    triangles.reset(grouped->ExtractTriangles(&zeroTex));
    EXPECT_EQ(grouped->TriangleCount(), 3);
    EXPECT_ITEMS(*triangles, kP1, kP2, kP3, kP1, kP2, kP3, kP1, kP3, kP4);
    EXPECT_EQ(zeroTex.Count(), 9);
    EXPECT_EQ(Text(zeroTex[8]), Text(V3(0, 0, 0)));

    // A list concatenates its objects in order.
    TMeshObjectList list;
    MakeMeshObject(&list, {kP1, kP2, kP3});
    MakeMeshObject(&list, {kP4, kP5, kP6, kP1}, momTriangleStrip);
    triangles.reset(list.ExtractTriangles());
    EXPECT_ITEMS(*triangles, kP1, kP2, kP3, kP4, kP5, kP6, kP1, kP6, kP5);
    EXPECT_EQ(list.TriangleCount(), 3);
}

TEST(MeshConversion, SeparateIndexGroupsTakeNormalsAndCoordinatesThroughTheirOwnIndices) {
    // The cube with one normal per face, built the way a model file gives it.
    std::unique_ptr<TMeshObject> cube(new TMeshObject);
    for (int i = 0; i < 8; ++i) cube->Vertices()->Add(CubeCorner(i));
    const TAffineVector faceNormals[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    for (const TAffineVector& n : faceNormals) cube->Normals()->Add(n);
    cube->TexCoords()->AddXY(0, 0);
    cube->TexCoords()->AddXY(1, 0);
    cube->TexCoords()->AddXY(1, 1);
    cube->SetMode(momFaceGroups);
    auto* group = new TFGVertexNormalTexIndexList(cube->FaceGroups());
    for (int face = 0; face < 6; ++face) {
        const int* q = CubeFaces()[face];
        const Integer texIndex[4] = {0, 1, 2, 1};
        for (int k : {0, 1, 2, 0, 2, 3}) group->Add(q[k], face, texIndex[k]);
    }
    TAffineVectorList texCoords, normals;
    std::unique_ptr<TAffineVectorList> corners(cube->ExtractTriangles(&texCoords, &normals));
    ASSERT_EQ(corners->Count(), 36);
    ASSERT_EQ(normals.Count(), 36);
    ASSERT_EQ(texCoords.Count(), 36);
    for (Integer t = 0; t < 12; ++t) {
        SCOPED_TRACE(t);
        // Each corner's normal is its face's, which the winding of the triangle agrees with.
        TAffineVector fromWinding = TriangleNormal((*corners)[3 * t], (*corners)[3 * t + 1], (*corners)[3 * t + 2]);
        for (int k = 0; k < 3; ++k) EXPECT_TRUE(Near(normals[3 * t + k], fromWinding, 1e-6));
    }
    EXPECT_EQ(Text(texCoords[1]), Text(V3(1, 0, 0)));
    EXPECT_EQ(Text(texCoords[2]), Text(V3(1, 1, 0)));
    EXPECT_EQ(Text(texCoords[5]), Text(V3(1, 0, 0)));
}

TEST(MeshConversion, AnIndexTexCoordGroupConvertsItsOwnCoordinates) {
    std::unique_ptr<TMeshObject> object(MakeMeshObject(nullptr, {kP1, kP2, kP3, kP4}));
    object->SetMode(momFaceGroups);
    auto* group = new TFGIndexTexCoordList(object->FaceGroups());
    group->SetMode(fgmmTriangleStrip);
    group->Add(0, 0.0f, 0.5f);
    group->Add(1, 0.25f, 0.5f);
    group->Add(2, 0.5f, 0.5f);
    group->Add(3, 0.75f, 0.5f);
    TAffineVectorList texCoords;
    std::unique_ptr<TAffineVectorList> corners(object->ExtractTriangles(&texCoords));
    EXPECT_ITEMS(*corners, kP1, kP2, kP3, kP4, kP3, kP2);
    EXPECT_ITEMS(texCoords, V3(0, 0.5f, 0), V3(0.25f, 0.5f, 0), V3(0.5f, 0.5f, 0), V3(0.75f, 0.5f, 0),
                 V3(0.5f, 0.5f, 0), V3(0.25f, 0.5f, 0));
    group->SetMode(fgmmQuads);
    EXPECT_NE(MessageOf([&] { delete object->ExtractTriangles(&texCoords); }).find("quads"), std::string::npos);
}

// ---- extents ----

TEST(MeshExtents, ListsAndMeshesBoundTheirVertices) {
    TSceneFixture fixture;
    auto* mesh = fixture.Add<TGLFreeForm>(nullptr);
    // An empty mesh: the list's starting bounds give negative dimensions, computed each time;
    // its barycentre is the mesh's own origin.
    mesh->Position()->SetPoint(5, 6, 7);
    EXPECT_TRUE(Near(mesh->UnscaledDimensions(), TVector4f{-1e30f, -1e30f, -1e30f, 0}, 1e24));
    EXPECT_TRUE(Near(mesh->Barycenter(), TVector4f{5, 6, 7, 1}, 1e-5));
    TAffineVector min, max;
    mesh->GetExtents(min, max);
    EXPECT_TRUE(std::isinf(min.X) && min.X > 0 && std::isinf(max.Z) && max.Z < 0);

    MakeMeshObject(mesh->MeshObjects(), {V3(-1, 0, 2), V3(3, 4, 2)});
    auto* hidden = MakeMeshObject(mesh->MeshObjects(), {V3(0, -2, 6)});
    hidden->SetVisible(false);  // counted all the same
    mesh->StructureChanged();
    mesh->MeshObjects()->GetExtents(min, max);
    EXPECT_EQ(Text(min), Text(V3(-1, -2, 2)));
    EXPECT_EQ(Text(max), Text(V3(3, 4, 6)));
    EXPECT_TRUE(Near(mesh->UnscaledDimensions(), TVector4f{2, 3, 2, 0}, 1e-6));
    // The centre of the box, placed where the mesh is.
    EXPECT_TRUE(Near(mesh->Barycenter(), TVector4f{6, 7, 11, 1}, 1e-5));
    // The scene's boxes take the mesh's scale.
    mesh->Scale()->SetVector(2, 1, 1);
    EXPECT_TRUE(Near(mesh->AxisAlignedDimensions(), TVector4f{4, 3, 2, 0}, 1e-5));

    // The dimensions are cached until the structure changes.
    mesh->MeshObjects()->GetMeshObject(0)->Vertices()->Add(V3(10, 0, 2));
    EXPECT_FLOAT_EQ(mesh->UnscaledDimensions().X, 2);
    mesh->StructureChanged();
    EXPECT_FLOAT_EQ(mesh->UnscaledDimensions().X, 5.5f);

    auto* object = mesh->MeshObjects()->GetMeshObject(0);
    EXPECT_TRUE(object->PointInObject(V3(10, 4, 2)));  // bounds included
    EXPECT_FALSE(object->PointInObject(V3(10, 4, 2.001f)));
}

TEST(MeshExtents, RaysHitTheNearestTriangle) {
    TSceneFixture fixture;
    auto* mesh = fixture.Add<TGLFreeForm>(nullptr);
    MakeCube(mesh->MeshObjects());
    mesh->Position()->SetPoint(10, 0, 0);
    TVector4f point{7, 7, 7, 7}, normal{7, 7, 7, 7};
    // From the left along +X: the -X face at x = 9.
    ASSERT_TRUE(mesh->IntersectRay({0, 0.5f, 0.25f, 1}, {1, 0, 0, 0}, &point, &normal));
    EXPECT_TRUE(Near(point, TVector4f{9, 0.5f, 0.25f, 1}, 1e-5));
    EXPECT_LT(normal.X, 0);
    // From inside, the face ahead.
    ASSERT_TRUE(mesh->IntersectRay({10, 0, 0, 1}, {0, 1, 0, 0}, &point, nullptr));
    EXPECT_TRUE(Near(point, TVector4f{10, 1, 0, 1}, 1e-5));
    // Inverted normals point the other way.
    mesh->SetNormalsOrientation(mnoInvert);
    ASSERT_TRUE(mesh->IntersectRay({0, 0.5f, 0.25f, 1}, {1, 0, 0, 0}, nullptr, &normal));
    EXPECT_GT(normal.X, 0);
    // A miss leaves point and normal as they were.
    point = normal = {7, 7, 7, 7};
    EXPECT_FALSE(mesh->IntersectRay({0, 5, 0, 1}, {1, 0, 0, 0}, &point, &normal));
    EXPECT_TRUE(Near(point, TVector4f{7, 7, 7, 7}, 0));
    EXPECT_TRUE(Near(normal, TVector4f{7, 7, 7, 7}, 0));
}

// ---- silhouettes ----

namespace {

// A face group that keeps no vertex indices.
class TUnindexedFaceGroup : public TFaceGroup {
    Z_CLASS(TUnindexedFaceGroup, TFaceGroup)
public:
    using TFaceGroup::TFaceGroup;
    void BuildList(TRenderContextInfo&) override {}
    Integer TriangleCount() const override { return 0; }
};

struct TSilhouetteShape {
    std::set<std::string> vertices;  // the silhouette's points
    int edges = 0;
    int caps = 0;
    bool closedLoop = true;  // every point starts one edge and ends one edge
};

TSilhouetteShape ShapeOf(const TGLSilhouette& silhouette) {
    TSilhouetteShape shape;
    for (Integer i = 0; i < silhouette.Vertices()->Count(); ++i) {
        const TVector4f& v = (*silhouette.Vertices())[i];
        shape.vertices.insert(Text(V3(v.X, v.Y, v.Z)));
    }
    shape.edges = silhouette.Indices()->Count() / 2;
    shape.caps = silhouette.CapIndices()->Count() / 3;
    std::map<Integer, int> starts, ends;
    for (Integer i = 0; i + 1 < silhouette.Indices()->Count(); i += 2) {
        ++starts[(*silhouette.Indices())[i]];
        ++ends[(*silhouette.Indices())[i + 1]];
    }
    for (Integer v = 0; v < silhouette.Vertices()->Count(); ++v)
        if (starts[v] != 1 || ends[v] != 1) shape.closedLoop = false;
    return shape;
}

std::set<std::string> Points(std::initializer_list<TAffineVector> points) {
    std::set<std::string> out;
    for (const TAffineVector& p : points) out.insert(Text(p));
    return out;
}

}  // namespace

TEST(MeshSilhouette, ClosedShapesSeenFromTwoSides) {
    TSceneFixture fixture;
    auto* tetrahedron = fixture.Add<TGLFreeForm>(nullptr);
    MakeTetrahedron(tetrahedron->MeshObjects());
    auto* cube = fixture.Add<TGLFreeForm>(nullptr);
    MakeCube(cube->MeshObjects());

    const struct {
        const char* name;
        TGLBaseMesh* mesh;
        TAffineVector seenFrom;
        std::set<std::string> outline;
        int caps;  // faces turned away
    } cases[] = {
        {"tetrahedron from beyond its slanted face",
         tetrahedron,
         {2, 2, 2},
         Points({V3(1, 0, 0), V3(0, 1, 0), V3(0, 0, 1)}),
         3},
        {"tetrahedron from the -X side",
         tetrahedron,
         {-1, 0.25f, 0.25f},
         Points({V3(0, 0, 0), V3(0, 1, 0), V3(0, 0, 1)}),
         3},
        {"cube from in front of +Z",
         cube,
         {0, 0, 5},
         Points({V3(-1, -1, 1), V3(1, -1, 1), V3(1, 1, 1), V3(-1, 1, 1)}),
         10},
        {"cube from a corner",
         cube,
         {5, 5, 5},
         Points({V3(1, -1, -1), V3(1, 1, -1), V3(-1, 1, -1), V3(-1, 1, 1), V3(-1, -1, 1), V3(1, -1, 1)}),
         6},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        TSilhouetteParameters parameters{k.seenFrom, {0, 0, 0}, ssOmni, false};
        std::unique_ptr<TGLSilhouette> outline(k.mesh->BuildSilhouette(parameters));
        TSilhouetteShape shape = ShapeOf(*outline);
        EXPECT_EQ(shape.edges, Integer(k.outline.size()));
        EXPECT_EQ(shape.caps, 0);
        EXPECT_TRUE(shape.closedLoop);
        EXPECT_EQ(shape.vertices, k.outline);
        // Capping adds the faces turned away as caps, the outline staying as it was.
        parameters.CappingRequired = true;
        std::unique_ptr<TGLSilhouette> capped(k.mesh->BuildSilhouette(parameters));
        EXPECT_EQ(ShapeOf(*capped).caps, k.caps);
        EXPECT_EQ(ShapeOf(*capped).edges, shape.edges);
    }
}

TEST(MeshSilhouette, MeshObjectsAddTheirPartsInOrderAndKeepTheirVertices) {
    TSceneFixture fixture;
    auto* mesh = fixture.Add<TGLFreeForm>(nullptr);
    auto* first = MakeTetrahedron(mesh->MeshObjects());
    MakeTetrahedron(mesh->MeshObjects(), {10, 0, 0});
    TGLBaseMeshConnectivity connectivity(mesh);
    EXPECT_TRUE(connectivity.PrecomputeFaceNormals());
    EXPECT_EQ(connectivity.FaceCount(), 8);
    EXPECT_EQ(connectivity.EdgeCount(), 12);
    TGLSilhouette* silhouette = nullptr;
    connectivity.CreateSilhouette({{2, 2, 2}, {}, ssOmni, false}, silhouette, false);
    std::unique_ptr<TGLSilhouette> owned(silhouette);
    ASSERT_EQ(silhouette->Vertices()->Count(), 6);
    for (Integer i = 0; i < 3; ++i) EXPECT_LT((*silhouette->Vertices())[i].X, 5) << i;
    for (Integer i = 3; i < 6; ++i) EXPECT_GE((*silhouette->Vertices())[i].X, 9) << i;
    // The second object's edges index its own points, after the first's.
    for (Integer i = 6; i < 12; ++i) EXPECT_GE((*silhouette->Indices())[i], 3);
    // Building again (even when asked to add) starts from an empty silhouette.
    connectivity.CreateSilhouette({{2, 2, 2}, {}, ssOmni, false}, silhouette, true);
    EXPECT_EQ(silhouette->Vertices()->Count(), 6);

    // The connectivities borrow the mesh objects' vertices and leave them alone.
    connectivity.ClearAll(true);
    EXPECT_EQ(connectivity.FaceCount(), 0);
    EXPECT_EQ(first->Vertices()->Count(), 4);
    connectivity.ClearAll(false);
    EXPECT_EQ(first->Vertices()->Count(), 4);
    {
        TFaceGroupConnectivity one(first, true);
        EXPECT_EQ(one.Vertices(), first->Vertices());
        EXPECT_EQ(one.FaceCount(), 4);
    }
    EXPECT_EQ(first->Vertices()->Count(), 4);
}

TEST(MeshSilhouette, StripsFansAndUnsupportedGroups) {
    TMeshObjectList list;
    auto* object = MakeMeshObject(&list, {V3(0, 0, 0), V3(1, 0, 0), V3(0, 1, 0), V3(1, 1, 0), V3(2, 0, 0)});
    AddIndexGroup(object, {0, 1, 2, 3}, fgmmTriangleStrip);
    AddIndexGroup(object, {0, 1, 3, 4}, fgmmTriangleFan);
    TFaceGroupConnectivity connectivity(object, false);
    const Integer expected[] = {0, 1, 2, 3, 2, 1, 0, 1, 3, 0, 3, 4};
    ASSERT_EQ(connectivity.FaceVertexIndices()->Count(), 12);
    for (int i = 0; i < 12; ++i) EXPECT_EQ((*connectivity.FaceVertexIndices())[i], expected[i]) << i;

    AddIndexGroup(object, {0, 1, 3, 2}, fgmmQuads);
    EXPECT_EQ(MessageOf([&] { connectivity.RebuildEdgeList(); }).rfind("Not supported", 0), 0u);
    // A connectivity that fails while it is made gives the borrowed vertices back untouched.
    for (int attempt = 0; attempt < 2; ++attempt)
        EXPECT_EQ(MessageOf([&] { TFaceGroupConnectivity failed(object, true); }).rfind("Not supported", 0), 0u);
    EXPECT_EQ(object->Vertices()->Count(), 5);
    TSceneFixture fixture;
    auto* mesh = fixture.Add<TGLFreeForm>(nullptr);
    mesh->MeshObjects()->Add(list.Pop());
    mesh->MeshObjects()->GetMeshObject(0)->SetOwner(mesh->MeshObjects());
    EXPECT_EQ(MessageOf([&] {
                  delete mesh->BuildSilhouette({{0, 0, 5}, {}, ssOmni, false});
              }).rfind("Not supported", 0),
              0u);
    EXPECT_EQ(object->Vertices()->Count(), 5);
    delete object->FaceGroups()->GetFaceGroup(2);  // leaves its list
    new TUnindexedFaceGroup(object->FaceGroups());
    EXPECT_NE(MessageOf([&] { connectivity.RebuildEdgeList(); }).find("descendants of TFGVertexIndexList"),
              std::string::npos);
}

TEST(MeshSilhouette, FreeFormsKeepTheirFaceNormalsActorsWorkThemOutEachTime) {
    // One triangle facing +Z in each mesh, seen from in front.
    TSceneFixture fixture;
    auto* form = fixture.Add<TGLFreeForm>(nullptr);
    auto* actor = fixture.Add<TGLActor>(nullptr);
    for (TGLBaseMesh* mesh : {static_cast<TGLBaseMesh*>(form), static_cast<TGLBaseMesh*>(actor)})
        AddIndexGroup(MakeMeshObject(mesh->MeshObjects(), {V3(0, 0, 0), V3(1, 0, 0), V3(0, 1, 0)}), {0, 1, 2});
    TGLBaseMeshConnectivity formFaces(form), actorFaces(actor);
    EXPECT_TRUE(formFaces.PrecomputeFaceNormals());
    EXPECT_FALSE(actorFaces.PrecomputeFaceNormals());
    // Whether the triangle faces the eye, and how many outline edges it gives (an open
    // triangle gives its three only when turned away).
    auto look = [](TGLBaseMeshConnectivity& faces) {
        TGLSilhouette* silhouette = nullptr;
        faces.CreateSilhouette({{0.25f, 0.25f, 5}, {}, ssOmni, false}, silhouette, false);
        std::unique_ptr<TGLSilhouette> owned(silhouette);
        const bool facing = (*faces.GetFaceGroupConnectivity(0)->FaceVisible())[0] != 0;
        return std::pair{facing, silhouette->Indices()->Count() / 2};
    };
    EXPECT_EQ(look(formFaces), std::pair(true, 0));
    EXPECT_EQ(look(actorFaces), std::pair(true, 0));

    // Two corners swapped turn the triangle away. The free form's normal was worked out when its
    // connectivity was made and stays; the actor's follows its vertices, as deformed ones do.
    for (TGLBaseMesh* mesh : {static_cast<TGLBaseMesh*>(form), static_cast<TGLBaseMesh*>(actor)}) {
        TAffineVectorList& vertices = *mesh->MeshObjects()->GetMeshObject(0)->Vertices();
        std::swap(vertices[1], vertices[2]);
    }
    EXPECT_EQ(look(formFaces), std::pair(true, 0));
    EXPECT_EQ(look(actorFaces), std::pair(false, 3));
    TGLBaseMeshConnectivity remade(form);
    EXPECT_EQ(look(remade), std::pair(false, 3));
}
