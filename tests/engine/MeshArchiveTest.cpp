// Mesh archives: every version of the mesh-object list that is read, written here value by value
// the way files of that version hold them; round trips of free forms; material names resolved in
// a library; refusals of broken data.
#include <gtest/gtest.h>

#include <memory>

#include "ArchiveFixtures.h"
#include "GLMaterial.h"
#include "MeshFixtures.h"
#include "SceneFixtures.h"
#include "TestSupport.h"

TEST(MeshArchive, EveryVersionOfTheMeshObjectListIsRead) {
    const struct {
        int baseVersion, version;
        bool visible;
        std::vector<TAffineVector> lightmap;
        Integer extraSets, firstAux, secondAux;
    } cases[] = {
        {0, 0, true, {}, 0, 2, 1},
        {1, 0, false, {}, 0, 2, 1},
        // Versions 1 and 2 keep lightmap coordinates as texture points.
        {1, 1, false, {V3(0.25f, 0.5f, 0), V3(0.5f, 0.5f, 0), V3(0.75f, 0.5f, 0)}, 0, 2, 1},
        {1, 2, false, {V3(0.25f, 0.5f, 0), V3(0.5f, 0.5f, 0), V3(0.75f, 0.5f, 0)}, 1, 5, 4},
        {1, 3, false, {V3(0.25f, 0.5f, 0), V3(0.5f, 0.5f, 0), V3(0.75f, 0.5f, 0)}, 1, 5, 4},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << "base " << k.baseVersion << ", version " << k.version);
        TMeshArchive archive;
        archive.baseVersion = k.baseVersion;
        archive.version = k.version;
        TMeshObjectList list;
        list.LoadFromString(archive.Bytes());
        ASSERT_EQ(list.Count(), 1);
        TMeshObject* object = list[0];
        EXPECT_EQ(object->Owner(), &list);
        EXPECT_EQ(Utf8(object->Name()), "Hull");
        EXPECT_EQ(object->Visible(), k.visible);
        EXPECT_ITEMS(*object->Vertices(), V3(0, 0, 0), V3(1, 0, 0), V3(0, 1, 0));
        EXPECT_EQ(object->Normals()->Count(), 3);
        EXPECT_EQ(object->TexCoords()->Count(), 3);
        EXPECT_EQ(Text(Items(*object->LightMapTexCoords())), Text(k.lightmap));
        EXPECT_EQ(object->Colors()->Count(), 3);
        EXPECT_EQ(object->Mode(), momFaceGroups);
        EXPECT_TRUE(object->RenderingOptions().Contains(moroGroupByMaterial));
        EXPECT_EQ(object->ExtraTexCoordsCount(), k.extraSets);
        EXPECT_EQ(object->FirstAuxiliaryTexUnit(), k.firstAux);
        EXPECT_EQ(object->SecondAuxiliaryTexUnit(), k.secondAux);
        ASSERT_EQ(object->FaceGroups()->Count(), 1);
        auto* group = dynamic_cast<TFGVertexIndexList*>(object->FaceGroups()->GetFaceGroup(0));
        ASSERT_NE(group, nullptr);
        EXPECT_EQ(group->MeshObject(), object);
        EXPECT_EQ(Utf8(group->MaterialName()), "Stone");
        EXPECT_EQ(group->LightMapIndex(), 2);
        EXPECT_EQ(group->VertexIndices()->Count(), 3);

        // Written back in the current version, it reads back the same.
        const AnsiString current = list.SaveToString();
        TMeshObjectList again;
        again.LoadFromString(current);
        EXPECT_BYTES(again.SaveToString(), current);
        if (k.baseVersion == 1 && k.version == 3) {
            EXPECT_BYTES(current, archive.Bytes());
        }
    }
}

TEST(MeshArchive, FaceGroupsStoreALightmapOnlyWhenTheyHaveOne) {
    std::unique_ptr<TMeshObject> object(MakeMeshObject(nullptr, {V3(0, 0, 0), V3(1, 0, 0), V3(0, 1, 0)}));
    TFGVertexIndexList* group = AddIndexGroup(object.get(), {0, 1, 2}, fgmmTriangles, L"Wood");
    EXPECT_BYTES(group->SaveToString(), Written([](TBinaryWriter& w) {
                     w.WriteInteger(0);
                     w.WriteString("Wood");
                     w.WriteInteger(0);
                     PutIntegers(w, {0, 1, 2});
                     w.WriteInteger(0);
                 }));
    group->SetLightMapIndex(2);
    const AnsiString withLightmap = group->SaveToString();
    EXPECT_EQ(withLightmap.substr(0, 2), Bytes({2, 1}));
    TFGVertexIndexList copy;
    copy.LoadFromString(withLightmap);
    EXPECT_EQ(copy.LightMapIndex(), 2);
}

TEST(MeshArchive, BrokenArchivesAreRefusedWithTheirReason) {
    const struct {
        const char* name;
        void (*change)(TMeshArchive&);
        const char* message;  // the start of the refusal
    } cases[] = {
        {"mesh object version 4", [](TMeshArchive& a) { a.version = 4; },
         "EFilerException: TMeshObject : unknown archive version 4"},
        {"base version 2", [](TMeshArchive& a) { a.baseVersion = 2; },
         "EFilerException: TMeshObject : unknown archive version 2"},
        {"face group version 2", [](TMeshArchive& a) { a.groupVersion = 2; },
         "EFilerException: TFGVertexIndexList : unknown archive version 2"},
        {"index list version 1", [](TMeshArchive& a) { a.indexListVersion = 1; },
         "EFilerException: TFGVertexIndexList : unknown archive version 1"},
        {"index beyond the vertices",
         [](TMeshArchive& a) {
             a.indices = {0, 1, 3};
         },
         "EReadError: Face group vertex index 3 beyond its array"},
        {"negative index",
         [](TMeshArchive& a) {
             a.indices = {0, -1, 2};
         },
         "EReadError: Face group vertex index -1 beyond its array"},
        {"mesh object mode", [](TMeshArchive& a) { a.mode = 3; }, "EReadError: TMeshObject, unknown mode 3"},
        {"face group mode", [](TMeshArchive& a) { a.groupMode = 5; }, "EReadError: TFGVertexIndexList, unknown mode 5"},
        {"options size", [](TMeshArchive& a) { a.optionsSize = 2; },
         "EAssertionFailed: GLVectorFileObjects: wrong rendering options size"},
        {"extra sets beyond the data", [](TMeshArchive& a) { a.extraSets = 100000; },
         "EReadError: TBinaryReader, count or size beyond the data"},
        {"not a mesh object", [](TMeshArchive& a) { a.objectClass = "TAffineVectorList"; },
         "EReadError: TAffineVectorList is not a mesh object class"},
        {"not a face group", [](TMeshArchive& a) { a.groupClass = "TMeshObject"; },
         "EReadError: TMeshObject is not a face group class"},
        {"an abstract face group", [](TMeshArchive& a) { a.groupClass = "TFaceGroup"; },
         "EInvalidOperation: Cannot create an instance of TFaceGroup"},
        {"an empty entry", [](TMeshArchive& a) { a.nullEntry = true; },
         "EReadError: TMeshObjectList, a mesh object is missing"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        TMeshArchive archive;
        k.change(archive);
        TMeshObjectList list;
        const std::string refusal = ClassAndMessageOf([&] { list.LoadFromString(archive.Bytes()); });
        EXPECT_EQ(refusal.substr(0, std::string(k.message).size()), k.message) << refusal;
        // Nothing half read and no empty entry stays behind.
        for (Integer i = 0; i < list.Count(); ++i) EXPECT_NE(list.GetItem(i), nullptr);
    }
    // The good archive itself reads.
    TMeshObjectList list;
    list.LoadFromString(TMeshArchive().Bytes());
    EXPECT_EQ(list.Count(), 1);
}

namespace {

// Two mesh objects: a cube of one indexed group under "Stone", and a square whose groups keep
// separate normal and texture indices (under "Wood") and texture coordinates of their own
// (under "stone", which no entry has: names are exact).
void BuildTwoObjects(TGLBaseMesh* mesh) {
    TMeshObject* cube = MakeCube(mesh->MeshObjects());
    cube->SetName(L"cube");
    cube->FaceGroups()->GetFaceGroup(0)->SetMaterialName(L"Stone");
    for (int i = 0; i < 8; ++i) cube->Colors()->Add({i / 8.0f, 0, 1, 1});

    TMeshObject* square = MakeMeshObject(mesh->MeshObjects(), {V3(0, 0, 0), V3(1, 0, 0), V3(1, 1, 0), V3(0, 1, 0)});
    square->SetName(L"square");
    for (int i = 0; i < 4; ++i) square->Normals()->Add({0, 0, 1});
    square->TexCoords()->AddXY(0, 0);
    square->TexCoords()->AddXY(1, 1);
    square->SetMode(momFaceGroups);
    auto* separate = new TFGVertexNormalTexIndexList(square->FaceGroups());
    separate->SetMaterialName(L"Wood");
    for (int k : {0, 1, 2}) separate->Add(k, 3 - k, k == 2 ? 1 : 0);
    auto* own = new TFGIndexTexCoordList(square->FaceGroups());
    own->SetMaterialName(L"stone");
    own->SetMode(fgmmTriangleFan);
    own->Add(0, 0, 0);
    own->Add(2, 1, 1);
    own->Add(3, 0, 1);
}

}  // namespace

TEST(MeshArchive, FreeFormsRoundTripThroughTheirModelFile) {
    TSceneFixture fixture;
    auto* original = fixture.Add<TGLFreeForm>(nullptr);
    BuildTwoObjects(original);
    TStringStream file;
    original->SaveToStream(L"model.glsm", &file);
    // The model file is exactly the mesh-object list's archive.
    EXPECT_BYTES(file.DataString(), original->MeshObjects()->SaveToString());

    auto* copy = fixture.Add<TGLFreeForm>(nullptr);
    MakeTetrahedron(copy->MeshObjects());  // replaced by the load
    file.SetPosition(0);
    copy->LoadFromStream(L"model.glsm", &file);
    EXPECT_EQ(Utf8(copy->LastLoadedFilename()), "model.glsm");
    ASSERT_EQ(copy->MeshObjects()->Count(), 2);
    EXPECT_BYTES(copy->MeshObjects()->SaveToString(), original->MeshObjects()->SaveToString());
    EXPECT_EQ(Utf8(copy->MeshObjects()->GetMeshObject(1)->Name()), "square");
    TFaceGroups* groups = copy->MeshObjects()->GetMeshObject(1)->FaceGroups();
    EXPECT_EQ(groups->GetFaceGroup(0)->ClassName(), L"TFGVertexNormalTexIndexList");
    EXPECT_EQ(groups->GetFaceGroup(1)->ClassName(), L"TFGIndexTexCoordList");
    std::unique_ptr<TAffineVectorList> before(original->MeshObjects()->ExtractTriangles());
    std::unique_ptr<TAffineVectorList> after(copy->MeshObjects()->ExtractTriangles());
    EXPECT_EQ(Text(Items(*after)), Text(Items(*before)));
    EXPECT_EQ(after->Count(), 3 * (12 + 1 + 1));

    // A copy through Assign holds the same geometry.
    auto* assigned = fixture.Add<TGLFreeForm>(nullptr);
    assigned->Assign(copy);
    EXPECT_BYTES(assigned->MeshObjects()->SaveToString(), original->MeshObjects()->SaveToString());
    EXPECT_EQ(assigned->MeshObjects()->GetMeshObject(0)->Owner(), assigned->MeshObjects());
}

TEST(MeshArchive, MaterialNamesResolveInTheLibrary) {
    TSceneFixture fixture;
    auto* library = new TGLMaterialLibrary(fixture.form.get());
    library->Materials()->Add()->SetName(L"Wood");
    library->Materials()->Add()->SetName(L"Stone");
    auto* original = fixture.Add<TGLFreeForm>(nullptr);
    BuildTwoObjects(original);
    TStringStream file;
    original->SaveToStream(L"m.GLSM", &file);
    auto* mesh = fixture.Add<TGLFreeForm>(nullptr);
    file.SetPosition(0);
    mesh->LoadFromStream(L"m.GLSM", &file);

    mesh->SetMaterialLibrary(library);
    mesh->PrepareMaterialCache();
    TMeshObjectList& objects = *mesh->MeshObjects();
    EXPECT_EQ(objects[0]->FaceGroups()->GetFaceGroup(0)->MaterialCache(), library->Materials()->FindByName(L"Stone"));
    EXPECT_EQ(objects[1]->FaceGroups()->GetFaceGroup(0)->MaterialCache(), library->Materials()->FindByName(L"Wood"));
    EXPECT_EQ(objects[1]->FaceGroups()->GetFaceGroup(1)->MaterialCache(), nullptr);  // "stone"

    // A structure change drops the cache; the library going away leaves the mesh without one.
    mesh->StructureChanged();
    EXPECT_EQ(objects[0]->FaceGroups()->GetFaceGroup(0)->MaterialCache(), nullptr);
    mesh->PrepareMaterialCache();
    delete library;
    EXPECT_EQ(mesh->MaterialLibrary(), nullptr);
    EXPECT_EQ(objects[0]->FaceGroups()->GetFaceGroup(0)->MaterialCache(), nullptr);
}
