#pragma once
// Small meshes for the mesh tests: mesh objects built from vertex lists, a closed tetrahedron and
// a closed cube with outward faces, and comparisons of vector lists.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "GLBaseMesh.h"
#include "GLFaceGroups.h"
#include "GLMeshObject.h"

inline TAffineVector V3(Single x, Single y, Single z) { return {x, y, z}; }

// A new mesh object of the list (or free-standing) with these vertices.
inline TMeshObject* MakeMeshObject(TMeshObjectList* list, std::initializer_list<TAffineVector> vertices,
                                   TMeshObjectMode mode = momTriangles) {
    auto* object = new TMeshObject(list);
    for (const TAffineVector& v : vertices) object->Vertices()->Add(v);
    object->SetMode(mode);
    return object;
}

// A vertex-index group of the object.
inline TFGVertexIndexList* AddIndexGroup(TMeshObject* object, std::initializer_list<Integer> indices,
                                         Byte mode = fgmmTriangles, const String& material = String()) {
    object->SetMode(momFaceGroups);
    auto* group = new TFGVertexIndexList(object->FaceGroups());
    for (Integer i : indices) group->Add(i);
    group->SetMode(mode);
    group->SetMaterialName(material);
    return group;
}

// The vertex i of a cube from -1 to 1: bit 0 gives +X, bit 1 +Y, bit 2 +Z.
inline TAffineVector CubeCorner(int i) { return {i & 1 ? 1.0f : -1.0f, i & 2 ? 1.0f : -1.0f, i & 4 ? 1.0f : -1.0f}; }

// The six faces of that cube, each counter-clockwise seen from outside: +X, -X, +Y, -Y, +Z, -Z.
inline const int (&CubeFaces())[6][4] {
    static const int faces[6][4] = {{1, 3, 7, 5}, {0, 4, 6, 2}, {2, 6, 7, 3}, {0, 1, 5, 4}, {4, 5, 7, 6}, {0, 2, 3, 1}};
    return faces;
}

// The cube as one mesh object: eight vertices, twelve triangles in one group.
inline TMeshObject* MakeCube(TMeshObjectList* list) {
    auto* object = new TMeshObject(list);
    for (int i = 0; i < 8; ++i) object->Vertices()->Add(CubeCorner(i));
    object->SetMode(momFaceGroups);
    auto* group = new TFGVertexIndexList(object->FaceGroups());
    for (const auto& f : CubeFaces()) {
        for (int k : {f[0], f[1], f[2], f[0], f[2], f[3]}) group->Add(k);
    }
    return object;
}

// A closed tetrahedron (0,0,0), (1,0,0), (0,1,0), (0,0,1) moved by offset, faces outward: the
// three faces on the axis planes and the slanted one.
inline TMeshObject* MakeTetrahedron(TMeshObjectList* list, TAffineVector offset = {0, 0, 0}) {
    auto* object = new TMeshObject(list);
    for (const TAffineVector& v : {V3(0, 0, 0), V3(1, 0, 0), V3(0, 1, 0), V3(0, 0, 1)})
        object->Vertices()->Add({v.X + offset.X, v.Y + offset.Y, v.Z + offset.Z});
    AddIndexGroup(object, {0, 2, 1, 0, 1, 3, 0, 3, 2, 1, 2, 3});
    return object;
}

inline std::vector<TAffineVector> Items(const TAffineVectorList& list) {
    return std::vector<TAffineVector>(list.List(), list.List() + list.Count());
}

inline std::string Text(const TAffineVector& v) {
    return "(" + std::to_string(v.X) + "," + std::to_string(v.Y) + "," + std::to_string(v.Z) + ")";
}

inline std::string Text(const std::vector<TAffineVector>& items) {
    std::string out;
    for (const TAffineVector& v : items) out += Text(v);
    return out;
}

#define EXPECT_ITEMS(list, ...) EXPECT_EQ(Text(Items(list)), Text(std::vector<TAffineVector>{__VA_ARGS__}))
