// Meshes drawn for real and read back: a free form through the scene buffer and its camera, every
// way a mesh object draws, material batching of face groups, lightmaps, and TGLMesh.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "Bitmap.h"
#include "GLMesh.h"
#include "GLSceneBuffer.h"
#include "GLTexture.h"
#include "HiddenGLWindow.h"
#include "MeshFixtures.h"
#include "SceneBufferFixtures.h"
#include "SceneFixtures.h"
#include "TestSupport.h"
#include "XOpenGL.h"

namespace {

// A square from (x0, y0) to (x0 + size, y0 + size) at z = 0, counter-clockwise towards +Z.
TMeshObject* MakeSquare(TMeshObjectList* list, Single x0, Single y0, Single size, const String& material) {
    TMeshObject* square =
        MakeMeshObject(list, {V3(x0, y0, 0), V3(x0 + size, y0, 0), V3(x0 + size, y0 + size, 0), V3(x0, y0 + size, 0)});
    for (int i = 0; i < 4; ++i) square->Normals()->Add({0, 0, 1});
    square->TexCoords()->AddXY(0, 0);
    square->TexCoords()->AddXY(1, 0);
    square->TexCoords()->AddXY(1, 1);
    square->TexCoords()->AddXY(0, 1);
    AddIndexGroup(square, {0, 1, 2, 0, 2, 3}, fgmmTriangles, material);
    return square;
}

// An unlit library entry of one colour.
TGLLibMaterial* AddColourEntry(TGLMaterialLibrary* library, const String& name, const TVector4f& colour) {
    TGLLibMaterial* entry = library->Materials()->Add();
    entry->SetName(name);
    entry->Material()->SetMaterialOptions(TMaterialOptions{moNoLighting});
    entry->Material()->FrontProperties()->Diffuse()->SetColorVector(colour);
    return entry;
}

// An unlit library entry textured with a 4 x 4 picture of one colour ($00BBGGRR), replacing the
// surface colour.
TGLLibMaterial* AddPictureEntry(TGLMaterialLibrary* library, const String& name, TColor colour) {
    TBitmap picture;
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(4, 4);
    for (int y = 0; y < 4; ++y) {
        Byte* row = static_cast<Byte*>(picture.ScanLine(y));
        for (int x = 0; x < 4; ++x) {
            row[3 * x] = Byte(colour >> 16), row[3 * x + 1] = Byte(colour >> 8), row[3 * x + 2] = Byte(colour);
        }
    }
    TGLLibMaterial* entry = library->AddBitmapMaterial(name, &picture);
    entry->Material()->SetMaterialOptions(TMaterialOptions{moNoLighting});
    entry->Material()->Texture()->SetTextureMode(tmReplace);
    entry->Material()->Texture()->SetMinFilter(miNearest);
    entry->Material()->Texture()->SetMagFilter(maNearest);
    return entry;
}

// ---- a free form seen through the scene buffer's camera ----

class FreeFormFrame : public testing::Test {
protected:
    static constexpr int kWidth = 64, kHeight = 48;

    void SetUp() override {
        library = new TGLMaterialLibrary(fixture.form.get());
        AddColourEntry(library, L"Red", {1, 0, 0, 1});
        AddPictureEntry(library, L"Grass", 0x00FF00);
        form = fixture.Add<TGLFreeForm>(nullptr);
        form->SetMaterialLibrary(library);
        left = MakeSquare(form->MeshObjects(), -3, -1, 2, L"Red");
        right = MakeSquare(form->MeshObjects(), 1, -1, 2, L"Grass");
        form->StructureChanged();
        // Far enough for the two squares and the space above them to fill the view.
        scene.camera->Position()->SetPoint(0, 0, 60);
        window_ = CreatePopupHost(kWidth, kHeight, CS_OWNDC);
        ASSERT_NE(window_, nullptr);
        buffer = std::make_unique<TGLSceneBuffer>(nullptr);
        buffer->SetContextOptions({roDoubleBuffer, roRenderToWindow, roNoSwapBuffers});
        buffer->SetBackgroundColor(0xFF0000);  // blue
        buffer->SetLighting(false);
        buffer->SetCamera(scene.camera);
        buffer->Resize(kWidth, kHeight);
        buffer->CreateRC(GetDC(window_), false);
        buffer->OnChange = MakeEvent(this, &FreeFormFrame::BufferChanged);
    }
    void TearDown() override {
        buffer.reset();
        if (window_) DestroyWindow(window_);
        EXPECT_EQ(TakeRecordedCallbackErrors(), std::vector<String>{});
    }
    void BufferChanged(TObject*) { ++changes; }

    // The colour where the camera puts a world point, as 0xRRGGBB.
    unsigned ColourAt(const TAffineVector& world) {
        TAffineVector screen = buffer->WorldToScreen(world);
        if (screen.X < 0 || screen.Y < 0 || screen.X >= kWidth || screen.Y >= kHeight) {
            ADD_FAILURE() << Text(world) << " is outside the view at " << Text(screen);
            return 0xFFFFFFFF;
        }
        GLubyte p[4] = {};
        buffer->RenderingContext()->Activate();
        GL.glReadBuffer(GL_BACK);
        GL.glReadPixels(int(screen.X), int(screen.Y), 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
        buffer->RenderingContext()->Deactivate();
        return unsigned(p[0]) << 16 | unsigned(p[1]) << 8 | p[2];
    }

    TSquareScene scene;
    TSceneFixture& fixture = scene.fixture;
    TGLMaterialLibrary* library = nullptr;
    TGLFreeForm* form = nullptr;
    TMeshObject* left = nullptr;
    TMeshObject* right = nullptr;
    std::unique_ptr<TGLSceneBuffer> buffer;
    HWND window_ = nullptr;
    int changes = 0;
};

}  // namespace

TEST_F(FreeFormFrame, TwoMeshObjectsShowWhereTheCameraPutsThem) {
    scene.square->SetVisible(false);
    buffer->Render();
    EXPECT_EQ(ColourAt({-2, 0, 0}), 0xFF0000u);  // the red material
    EXPECT_EQ(ColourAt({2, 0, 0}), 0x00FF00u);   // the green texture
    EXPECT_EQ(ColourAt({-2.8f, 0.8f, 0}), 0xFF0000u);
    EXPECT_EQ(ColourAt({2.8f, -0.8f, 0}), 0x00FF00u);
    EXPECT_EQ(ColourAt({0, 0, 0}), 0x0000FFu);  // between them, the background
    EXPECT_EQ(ColourAt({-2, 1.6f, 0}), 0x0000FFu);

    // A moved vertex shows only once the structure change is reported.
    const int before = changes;
    for (Integer i = 0; i < 4; ++i) (*left->Vertices())[i].Y += 3;
    buffer->Render();
    EXPECT_EQ(ColourAt({-2, 0, 0}), 0xFF0000u);  // the compiled geometry is still drawn
    form->StructureChanged();
    EXPECT_GT(changes, before);  // the scene told the buffer
    buffer->Render();
    EXPECT_EQ(ColourAt({-2, 0, 0}), 0x0000FFu);
    EXPECT_EQ(ColourAt({-2, 3, 0}), 0xFF0000u);
    EXPECT_EQ(ColourAt({2, 0, 0}), 0x00FF00u);

    // Without mesh materials the face groups draw in the mesh's own material.
    form->SetUseMeshMaterials(false);
    form->Material()->SetMaterialOptions(TMaterialOptions{moNoLighting});
    form->Material()->FrontProperties()->Diffuse()->SetColorVector({1, 1, 0, 1});
    buffer->Render();
    EXPECT_EQ(ColourAt({-2, 3, 0}), 0xFFFF00u);
    EXPECT_EQ(ColourAt({2, 0, 0}), 0xFFFF00u);
}

TEST_F(FreeFormFrame, ObjectsDrawnIntoADisplayListKeepPlainArrays) {
    scene.square->SetVisible(false);
    buffer->Render();
    EXPECT_FALSE(left->UseBufferObjects());
    // Drawn directly each frame, they keep buffer objects where the driver has them.
    auto* direct = fixture.Add<TGLFreeForm>(nullptr);
    direct->SetObjectStyle(direct->ObjectStyle() + osDirectDraw);
    direct->SetMaterialLibrary(library);
    TMeshObject* square = MakeSquare(direct->MeshObjects(), -1, 2, 2, L"Red");
    buffer->Render();
    buffer->Render();
    EXPECT_EQ(square->UseBufferObjects(), bool(GL.GL_ARB_vertex_buffer_object));
    EXPECT_EQ(ColourAt({0, 3, 0}), 0xFF0000u);
}

// ---- every way a mesh object draws ----

namespace {

class MeshObjectDrawing : public THiddenGLWindow {
protected:
    void SetUp() override {
        THiddenGLWindow::SetUp();
        mesh = fixture.Add<TGLFreeForm>(nullptr);
        mesh->Material()->SetMaterialOptions(TMaterialOptions{moNoLighting});
        mesh->Material()->FrontProperties()->Diffuse()->SetColorVector({1, 1, 1, 1});
    }
    void Draw() {
        GL.glClearColor(0, 0, 0, 1);
        GL.glClear(GL_COLOR_BUFFER_BIT);
        fixture.Root()->Render(rci_);
        GL.glFinish();
    }
    // A new mesh object with the corners of the square -0.5 .. 0.5 as vertices 0..3.
    TMeshObject* Corners() {
        mesh->MeshObjects()->Clear();
        mesh->StructureChanged();
        return MakeMeshObject(mesh->MeshObjects(),
                              {V3(-0.5f, -0.5f, 0), V3(0.5f, -0.5f, 0), V3(0.5f, 0.5f, 0), V3(-0.5f, 0.5f, 0)});
    }
    TSceneFixture fixture;
    TGLFreeForm* mesh = nullptr;
};

}  // namespace

TEST_F(MeshObjectDrawing, EveryModeAndGroupKindDrawsTheSquare) {
    const TAffineVector c[4] = {{-0.5f, -0.5f, 0}, {0.5f, -0.5f, 0}, {0.5f, 0.5f, 0}, {-0.5f, 0.5f, 0}};
    const struct {
        const char* name;
        std::function<void(TMeshObject*)> build;
        unsigned colour;  // 0xRRGGBB in the middle
    } cases[] = {
        {"triangles",
         [&](TMeshObject* o) {
             o->Vertices()->Clear();
             for (int k : {0, 1, 2, 0, 2, 3}) o->Vertices()->Add(c[k]);
             o->SetMode(momTriangles);
         },
         0xFFFFFF},
        {"strip",
         [&](TMeshObject* o) {
             o->Vertices()->Clear();
             for (int k : {0, 1, 3, 2}) o->Vertices()->Add(c[k]);
             o->SetMode(momTriangleStrip);
         },
         0xFFFFFF},
        {"per-vertex colours",
         [](TMeshObject* o) {
             for (int i = 0; i < 4; ++i) o->Colors()->Add({1, 0, 0, 1});
             AddIndexGroup(o, {0, 1, 2, 0, 2, 3});
         },
         0xFF0000},
        {"indexed triangles in buffers",
         [](TMeshObject* o) {
             AddIndexGroup(o, {0, 1, 2, 0, 2, 3});
         },
         0xFFFFFF},
        {"indexed triangles in plain arrays",
         [](TMeshObject* o) {
             o->SetUseBufferObjects(false);
             AddIndexGroup(o, {0, 1, 2, 0, 2, 3});
         },
         0xFFFFFF},
        {"indexed strip",
         [](TMeshObject* o) {
             AddIndexGroup(o, {0, 1, 3, 2}, fgmmTriangleStrip);
         },
         0xFFFFFF},
        {"indexed fan",
         [](TMeshObject* o) {
             AddIndexGroup(o, {0, 1, 2, 3}, fgmmTriangleFan);
         },
         0xFFFFFF},
        {"indexed quads",
         [](TMeshObject* o) {
             AddIndexGroup(o, {0, 1, 2, 3}, fgmmQuads);
         },
         0xFFFFFF},
        {"separate indices",
         [](TMeshObject* o) {
             o->Normals()->Add({0, 0, 1});
             o->SetMode(momFaceGroups);
             auto* group = new TFGVertexNormalTexIndexList(o->FaceGroups());
             for (int k : {0, 1, 2, 0, 2, 3}) group->Add(k, 0, 0);
         },
         0xFFFFFF},
        {"own texture coordinates",
         [](TMeshObject* o) {
             o->SetMode(momFaceGroups);
             auto* group = new TFGIndexTexCoordList(o->FaceGroups());
             group->SetMode(fgmmQuads);
             for (int k : {0, 1, 2, 3}) group->Add(k, 0, 0);
         },
         0xFFFFFF},
    };
    // Drawn directly, so that buffer objects are used where the driver has them.
    mesh->SetObjectStyle(mesh->ObjectStyle() + osDirectDraw);
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        TMeshObject* object = Corners();
        k.build(object);
        Draw();
        EXPECT_EQ(GL.glGetError(), GLenum(GL_NO_ERROR));
        const TVector4f middle = Pixel(kSize / 2, kSize / 2);
        EXPECT_EQ(unsigned(middle.X * 255 + 0.5f) << 16 | unsigned(middle.Y * 255 + 0.5f) << 8 |
                      unsigned(middle.Z * 255 + 0.5f),
                  k.colour);
        EXPECT_EQ(Pixel(kSize / 2 + 6, kSize / 2 - 6).X, middle.X);  // the whole square
        EXPECT_EQ(Pixel(2, 2).X, 0);                                 // and nothing beyond it
        EXPECT_EQ(Pixel(kSize - 3, kSize - 3).X, 0);
    }
}

namespace {

// Records glDrawElements counts and the textures bound on unit 1 while installed.
struct TDrawRecorder {
    TDrawRecorder() {
        saved = GL;
        active = this;
        GL.glDrawElements = &DrawElements;
        GL.glActiveTextureARB = &ActiveTexture;
        GL.glBindTexture = &BindTexture;
    }
    ~TDrawRecorder() {
        GL = saved;
        active = nullptr;
    }
    static void APIENTRY DrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* indices) {
        active->counts.push_back(count);
        active->saved.glDrawElements(mode, count, type, indices);
    }
    static void APIENTRY ActiveTexture(GLenum unit) {
        active->unit = unit;
        active->saved.glActiveTextureARB(unit);
    }
    static void APIENTRY BindTexture(GLenum target, GLuint name) {
        if (active->unit == GL_TEXTURE1_ARB) active->secondUnitBinds.push_back(name);
        active->saved.glBindTexture(target, name);
    }

    TGLEntryPoints saved;
    std::vector<GLsizei> counts;
    std::vector<GLuint> secondUnitBinds;
    GLenum unit = GL_TEXTURE0_ARB;
    static inline TDrawRecorder* active = nullptr;
};

// Driver memory for vertex lists, handed out by the faked vertex-array-range allocator.
std::vector<std::unique_ptr<char[]>>& DriverMemory() {
    static std::vector<std::unique_ptr<char[]>> blocks;
    return blocks;
}
void* WINAPI AllocateDriverMemory(GLsizei size, GLfloat, GLfloat, GLfloat) {
    DriverMemory().emplace_back(new char[size_t(size)]);
    return DriverMemory().back().get();
}
void WINAPI FreeDriverMemory(void*) {}

}  // namespace

TEST_F(MeshObjectDrawing, FaceGroupsShareTheirMaterialsPassesAsTheOptionsSay) {
    auto* library = new TGLMaterialLibrary(fixture.form.get());
    AddColourEntry(library, L"M1", {1, 0, 0, 1});
    AddColourEntry(library, L"M2", {0, 1, 0, 1});
    mesh->SetMaterialLibrary(library);
    mesh->SetObjectStyle(mesh->ObjectStyle() + osDirectDraw);
    TMeshObject* object = Corners();
    // Index counts tell the groups apart: 3 and 9 and 12 under M1, 6 under M2.
    AddIndexGroup(object, {0, 1, 2}, fgmmTriangles, L"M1");
    AddIndexGroup(object, {0, 1, 2, 0, 2, 3}, fgmmTriangles, L"M2");
    AddIndexGroup(object, {0, 1, 2, 0, 1, 2, 0, 1, 2}, fgmmTriangles, L"M1");
    AddIndexGroup(object, {0, 2, 3, 0, 2, 3, 0, 2, 3, 0, 2, 3}, fgmmTriangles, L"M1");
    // The square's two halves show the material of the last group drawn over them.
    auto colours = [&] {
        return std::vector<TVector4f>{Pixel(kSize / 2 + 6, kSize / 2 - 6), Pixel(kSize / 2 - 6, kSize / 2 + 6)};
    };
    {
        TDrawRecorder recorder;
        Draw();
        EXPECT_EQ(recorder.counts, (std::vector<GLsizei>{3, 6, 9, 12}));  // in order, runs kept together
    }
    for (const TVector4f& c : colours()) EXPECT_TRUE(Near(c, TVector4f{1, 0, 0, 1}));
    object->SetRenderingOptions(TMeshObjectRenderingOptions{moroGroupByMaterial});
    {
        TDrawRecorder recorder;
        Draw();
        EXPECT_EQ(recorder.counts, (std::vector<GLsizei>{3, 9, 12, 6}));  // every M1 group first
    }
    for (const TVector4f& c : colours()) EXPECT_TRUE(Near(c, TVector4f{0, 1, 0, 1}));
    EXPECT_EQ(GL.glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(MeshObjectDrawing, GroupsSharingALightmapBindItOnce) {
    if (!GL.GL_ARB_multitexture) GTEST_SKIP() << "no multitexturing";
    auto* lightmaps = new TGLMaterialLibrary(fixture.form.get());
    AddPictureEntry(lightmaps, L"Light", 0xFFFFFF);
    mesh->SetLightmapLibrary(lightmaps);
    mesh->SetObjectStyle(mesh->ObjectStyle() + osDirectDraw);
    TMeshObject* object = Corners();
    for (int i = 0; i < 4; ++i) object->LightMapTexCoords()->AddXY(0.5f, 0.5f);
    for (Integer lightmap : {0, 0, -1, 0}) AddIndexGroup(object, {0, 1, 2, 0, 2, 3})->SetLightMapIndex(lightmap);
    Draw();  // uploads the lightmap
    TDrawRecorder recorder;
    Draw();
    const GLuint name = lightmaps->Materials()->ItemAt(0)->Material()->Texture()->Handle();
    EXPECT_NE(name, 0u);
    // Bound for the first group, kept for the second, bound again after the group without one.
    EXPECT_EQ(recorder.secondUnitBinds, (std::vector<GLuint>{name, name}));
    EXPECT_EQ(recorder.counts.size(), 4u);
    EXPECT_EQ(GL.glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_FALSE(SecondTextureUnitForbidden());  // released after the mesh
}

// ---- TGLMesh ----

TEST_F(MeshObjectDrawing, ANewGLMeshDrawsItsOneTriangle) {
    auto* glMesh = fixture.Add<TGLMesh>(nullptr);
    mesh->SetVisible(false);
    EXPECT_EQ(glMesh->Vertices()->Count(), 3);
    EXPECT_EQ(Text(glMesh->Vertices()->Vertex(2).Coord), Text(V3(0, 0, 1)));
    glMesh->Material()->SetMaterialOptions(TMaterialOptions{moNoLighting});
    glMesh->Material()->FrontProperties()->Diffuse()->SetColorVector({0, 0, 1, 1});
    const struct {
        TVertexMode mode;
        unsigned blue;  // in the triangle
    } cases[] = {{vmV, 255}, {vmVN, 255}, {vmVNC, 0}, {vmVNCT, 0}, {vmVNT, 0}, {vmVT, 255}};
    GL.glClearColor(1, 1, 1, 1);
    for (const auto& k : cases) {
        SCOPED_TRACE(int(k.mode));
        glMesh->SetVertexMode(k.mode);
        glMesh->SetMode(mmTriangles);
        GL.glClear(GL_COLOR_BUFFER_BIT);
        fixture.Root()->Render(rci_);
        GL.glFinish();
        // (0.25, 0.25) in the view lies inside the triangle, (-0.5, -0.5) outside.
        const TVector4f inside = Pixel(kSize * 5 / 8, kSize * 5 / 8);
        EXPECT_EQ(unsigned(inside.Z * 255 + 0.5f), k.blue);
        if (k.mode == vmVNC || k.mode == vmVNCT) {
            EXPECT_EQ(inside.X, 0);  // the records' colour: zero
        }
        EXPECT_EQ(Pixel(kSize / 4, kSize / 4).X, 1);
        EXPECT_EQ(GL.glGetError(), GLenum(GL_NO_ERROR));
    }
    // Nothing it switched on stays on.
    GLboolean arrays = GL_TRUE;
    GL.glGetBooleanv(GL_VERTEX_ARRAY, &arrays);
    EXPECT_EQ(arrays, GL_FALSE);
}

TEST_F(MeshObjectDrawing, GLMeshVertexListsLockOnlyWithTheDriversMemory) {
    TGLMesh glMesh(nullptr);
    TVertexList* list = glMesh.Vertices();
    EXPECT_TRUE(Near(glMesh.UnscaledDimensions(), TVector4f{1, 1, 1, 0}));
    list->SetVertexCoord(0, {-3, 0, 0});  // a change of the list is a change of the geometry
    EXPECT_TRUE(Near(glMesh.UnscaledDimensions(), TVector4f{3, 1, 1, 0}));
    EXPECT_EQ(MessageOf([&] { list->SetVertexCoord(3, {}); }), "List index out of bounds (3)");

    // Without the extension, locking changes nothing.
    const TGLEntryPoints saved = GL;
    GL.GL_NV_vertex_array_range = false;
    list->SetLocked(true);
    EXPECT_FALSE(list->Locked());

    // With it, the records move to the driver's memory and the list cannot grow there.
    GL.GL_NV_vertex_array_range = true;
    GL.wglAllocateMemoryNV = &AllocateDriverMemory;
    GL.wglFreeMemoryNV = &FreeDriverMemory;
    const TVertexData* ordinary = list->FirstEntry();
    list->SetLocked(true);
    EXPECT_TRUE(list->Locked());
    EXPECT_NE(list->FirstEntry(), ordinary);
    EXPECT_EQ(Text(list->Vertex(0).Coord), Text(V3(-3, 0, 0)));
    list->SetVertexCoord(0, {7, 7, 7});
    EXPECT_EQ(MessageOf([&] {
                  list->AddVertex({0, 0, 0}, {0, 0, 1}, {0, 0, 0, 0});
              }).rfind("Cannot add to a locked list !", 0),
              0u);
    // Unlocking returns to the records as they were before.
    list->SetLocked(false);
    EXPECT_EQ(list->FirstEntry(), ordinary);
    EXPECT_EQ(Text(list->Vertex(0).Coord), Text(V3(-3, 0, 0)));
    list->AddVertex({0, 0, 0}, {0, 0, 1}, {0, 0, 0, 0});
    EXPECT_EQ(list->Count(), 4);
    GL = saved;
    DriverMemory().clear();
}
