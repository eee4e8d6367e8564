// Corrupted model files: valid mesh archives with bytes changed, cut short or grown must each be
// loaded or refused with an exception; whatever loads must then answer rays, extents and
// silhouettes and draw without reading past its arrays. No crash, no hang, no leak.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "HiddenGLWindow.h"
#include "MeshFixtures.h"
#include "MutationSupport.h"
#include "SceneFixtures.h"

namespace {

// Valid model files using every class, mode and version the reader knows.
std::vector<AnsiString> ValidModels() {
    std::vector<AnsiString> corpus;
    TMeshObjectList list;
    TMeshObject* cube = MakeCube(&list);
    cube->FaceGroups()->GetFaceGroup(0)->SetMaterialName(L"Stone");
    cube->FaceGroups()->GetFaceGroup(0)->SetLightMapIndex(0);
    for (int i = 0; i < 8; ++i) {
        cube->Colors()->Add({i / 8.0f, 0, 1, 1});
        cube->Normals()->Add(CubeCorner(i));
        cube->TexCoords()->AddXY(i / 8.0f, 1);
        cube->LightMapTexCoords()->AddXY(1, i / 8.0f);
    }
    cube->SetRenderingOptions(TMeshObjectRenderingOptions{moroGroupByMaterial});
    cube->GetExtraTexCoords(1)->AddXYZ(1, 2, 3);
    AddIndexGroup(cube, {0, 1, 3, 2}, fgmmTriangleStrip, L"Wood");
    AddIndexGroup(cube, {4, 5, 7, 6}, fgmmQuads);
    AddIndexGroup(cube, {0, 1, 2, 3, 4}, fgmmTriangleFan);

    TMeshObject* square = MakeMeshObject(&list, {V3(0, 0, 0), V3(1, 0, 0), V3(1, 1, 0), V3(0, 1, 0)});
    for (int i = 0; i < 4; ++i) square->Normals()->Add({0, 0, 1});
    square->TexCoords()->AddXY(0, 0);
    square->TexCoords()->AddXY(1, 1);
    square->SetMode(momFaceGroups);
    auto* separate = new TFGVertexNormalTexIndexList(square->FaceGroups());
    for (int k : {0, 1, 2, 0, 2, 3}) separate->Add(k, 0, k & 1);
    auto* own = new TFGIndexTexCoordList(square->FaceGroups());
    own->SetMode(fgmmTriangleFan);
    for (int k : {0, 1, 2, 3}) own->Add(k, k * 0.25f, 0.5f);

    MakeMeshObject(&list, {V3(0, 0, 0), V3(1, 0, 0), V3(0, 1, 0), V3(1, 1, 1)}, momTriangleStrip);
    MakeMeshObject(&list, {V3(0, 0, 2), V3(1, 0, 2), V3(0, 1, 2)}, momTriangles)->SetVisible(false);
    corpus.push_back(list.SaveToString());
    delete cube;  // leaves the list: the others alone make a second, smaller file
    corpus.push_back(list.SaveToString());
    // The older versions, as their files hold them.
    for (int version = 0; version <= 3; ++version) {
        TMeshArchive archive;
        archive.baseVersion = version == 0 ? 0 : 1;
        archive.version = version;
        archive.groupVersion = version % 2;
        corpus.push_back(archive.Bytes());
    }
    return corpus;
}

// A broken variant of a valid file.
AnsiString Mutate(const AnsiString& valid, TRuntimeRandom& random) {
    AnsiString out = valid;
    switch (random.Next(8)) {
        case 0:
            out.resize(random.Next(std::uint32_t(out.size())));
            break;  // cut short
        case 1: {   // grown
            const std::uint32_t extra = 1 + random.Next(32);
            for (std::uint32_t i = 0; i < extra; ++i)
                out.insert(out.begin() + random.Next(std::uint32_t(out.size())), char(random.Next(256)));
            break;
        }
        case 2: {  // a large, negative or small 32-bit value over any four bytes
            static const Integer values[] = {0x7FFFFFFF, Integer(0x80000000), -1, 0x40000000, 9, 3, 0};
            const Integer v = values[random.Next(7)];
            const std::uint32_t at = random.Next(std::uint32_t(out.size() - 4));
            std::memcpy(out.data() + at, &v, 4);
            if (at > 0 && random.Next(2)) out[at - 1] = char(atInt32);  // read as a whole integer
            break;
        }
        default: {  // one to four bytes changed
            static const Byte interesting[] = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x7F, 0x80, 0xFF};
            const std::uint32_t changes = 1 + random.Next(4);
            for (std::uint32_t i = 0; i < changes; ++i) {
                char& b = out[random.Next(std::uint32_t(out.size()))];
                b = random.Next(2) ? char(random.Next(256)) : char(interesting[random.Next(sizeof interesting)]);
            }
        }
    }
    return out;
}

class MeshMutation : public THiddenGLWindow {
protected:
    void SetUp() override {
        THiddenGLWindow::SetUp();
        library = new TGLMaterialLibrary(fixture.form.get());
        for (const wchar_t* name : {L"Stone", L"Wood", L"Light"}) library->Materials()->Add()->SetName(name);
        mesh = fixture.Add<TGLFreeForm>(nullptr);
        mesh->SetMaterialLibrary(library);
        mesh->SetLightmapLibrary(library);
        // Drawn directly: the arrays go through buffer objects, as an actor's do.
        mesh->SetObjectStyle(mesh->ObjectStyle() + osDirectDraw);
    }

    // Loads the bytes and, when they load, uses the mesh in every way that walks its data.
    void Run(const AnsiString& bytes) {
        TStringStream stream(bytes);
        try {
            mesh->LoadFromStream(L"mutant.glsm", &stream);
        } catch (const Exception&) {
            ++refused;
            return;
        }
        ++loaded;
        try {
            mesh->IntersectRay({0.25f, 0.25f, 5, 1}, {0, 0, -1, 0});
            mesh->UnscaledDimensions();
            mesh->MeshObjects()->TriangleCount();
            std::unique_ptr<TGLSilhouette>(mesh->BuildSilhouette({{3, 2, 1}, {}, ssOmni, true}));
        } catch (const EAssertionFailed&) {
            ++assertions;  // a quad group has no silhouette
        }
        try {
            fixture.Root()->Render(rci_);
        } catch (const EAssertionFailed&) {
            ++assertions;  // e.g. fewer normal indices than vertex indices, a lightmap index too large
            // The frame was abandoned half way: its matrix pushes are undone here.
            GLint depth = 1;
            GL.glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
            while (depth-- > 1) GL.glPopMatrix();
        }
    }

    TSceneFixture fixture;
    TGLMaterialLibrary* library = nullptr;
    TGLFreeForm* mesh = nullptr;
    int loaded = 0, refused = 0, assertions = 0;
};

}  // namespace

TEST_F(MeshMutation, CorruptedModelFilesAreLoadedOrRefused) {
    const std::vector<AnsiString> corpus = ValidModels();
    for (const AnsiString& valid : corpus) {
        Run(valid);
        ASSERT_EQ(refused, 0) << "a valid file was refused";
    }
    TRuntimeRandom random(20);
    auto pass = [&](int n) {
        for (int i = 0; i < n; ++i) Run(Mutate(corpus[size_t(i) % corpus.size()], random));
    };
    pass(2000);  // warms up the heap, the driver and every lazily made structure
    mesh->MeshObjects()->Clear();
    const THeapUse before = HeapInUse();
    const int loadedBefore = loaded, refusedBefore = refused;
    pass(10000);
    mesh->MeshObjects()->Clear();
    const THeapUse after = HeapInUse();

    EXPECT_EQ(loaded - loadedBefore + refused - refusedBefore, 10000);
    EXPECT_GT(loaded - loadedBefore, 500);
    EXPECT_GT(refused - refusedBefore, 500);
    EXPECT_EQ(GL.glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_LE(after.blocks, before.blocks + 16) << "objects left behind";
    EXPECT_LE(after.bytes, before.bytes + 16 * 1024) << "memory left behind";
    RecordProperty("loaded", loaded - loadedBefore);
    RecordProperty("assertions", assertions);
}
