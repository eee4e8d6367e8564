#pragma once
// Small meshes for the mesh tests: mesh objects built from vertex lists, a closed tetrahedron and
// a closed cube with outward faces, comparisons of vector lists, and mesh-object list archives
// written value by value in every version.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "ArchiveFixtures.h"
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

// ---- archives written value by value, the way files of each version hold them ----

// A list archive: version, count, item size, the items raw; vector lists add their own version.
template <class T>
void PutItems(TBinaryWriter& w, std::initializer_list<T> items, bool vectorList) {
    w.WriteInteger(0);
    w.WriteInteger(Integer(items.size()));
    w.WriteInteger(Integer(sizeof(T)));
    for (const T& item : items) w.Write(&item, Integer(sizeof(T)));
    if (vectorList) w.WriteInteger(0);
}
inline void PutAffines(TBinaryWriter& w, std::initializer_list<TAffineVector> items) { PutItems(w, items, true); }
inline void PutTexPoints(TBinaryWriter& w, std::initializer_list<TTexPoint> items) { PutItems(w, items, false); }
inline void PutVectors(TBinaryWriter& w, std::initializer_list<TVector4f> items) { PutItems(w, items, true); }

inline void PutIntegers(TBinaryWriter& w, const std::vector<Integer>& items) {
    w.WriteInteger(0);
    w.WriteInteger(Integer(items.size()));
    w.WriteInteger(4);
    for (Integer i : items) w.Write(&i, 4);
}

// One mesh object in a list, with the values each version stores. Fields that the tests change
// to make broken archives default to a valid file.
struct TMeshArchive {
    int baseVersion = 1;
    int version = 3;
    int groupVersion = 1;  // the face group's own part: 0 without lightmap, 1 with
    int indexListVersion = 0;
    std::vector<Integer> indices = {0, 1, 2};
    int groupMode = 0;
    int mode = 2;
    int optionsSize = 1;
    Integer extraSets = 1;
    const char* objectClass = "TMeshObject";
    const char* groupClass = "TFGVertexIndexList";
    bool nullEntry = false;

    AnsiString Bytes() const {
        return Written([&](TBinaryWriter& w) {
            w.WriteInteger(0);  // the list's own version
            w.WriteListBegin();
            w.WriteString(objectClass);
            w.WriteInteger(baseVersion);
            w.WriteString("Hull");
            PutAffines(w, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
            PutAffines(w, {{0, 0, 1}, {0, 0, 1}, {0, 0, 1}});
            if (baseVersion >= 1) w.WriteBoolean(false);
            w.WriteInteger(version);
            PutAffines(w, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
            if (version == 1 || version == 2) PutTexPoints(w, {{0.25f, 0.5f}, {0.5f, 0.5f}, {0.75f, 0.5f}});
            if (version >= 3) PutAffines(w, {{0.25f, 0.5f, 0}, {0.5f, 0.5f, 0}, {0.75f, 0.5f, 0}});
            PutVectors(w, {{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}});
            w.WriteInteger(0);  // the face-group list
            w.WriteListBegin();
            w.WriteString(groupClass);
            w.WriteInteger(groupVersion);
            w.WriteString("Stone");
            if (groupVersion >= 1) w.WriteInteger(2);  // the lightmap
            w.WriteInteger(indexListVersion);
            PutIntegers(w, indices);
            w.WriteInteger(groupMode);
            w.WriteListEnd();
            w.WriteInteger(mode);
            w.WriteInteger(optionsSize);
            const Byte groupByMaterial = 1;
            w.Write(&groupByMaterial, 1);
            if (version >= 2) {
                w.WriteInteger(extraSets);
                if (extraSets == 1) PutVectors(w, {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}});
                w.WriteInteger(5);
                w.WriteInteger(4);
            }
            if (nullEntry) {
                w.WriteBoolean(false);
                w.WriteInteger(0);
            }
            w.WriteListEnd();
        });
    }
};
