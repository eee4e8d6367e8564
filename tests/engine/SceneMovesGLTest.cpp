// Moving objects in the tree keeps their compiled display lists and textures while they stay in
// one scene, and releases them once they leave it.
#include <gtest/gtest.h>

#include "GLObjects.h"
#include "GLTexture.h"
#include "HiddenGLWindow.h"
#include "SceneFixtures.h"

namespace {

class SceneMovesGL : public THiddenGLWindow {
protected:
    // Compiles the object's display list and answers its name.
    GLuint Compile(TGLBaseSceneObject* object) { return object->DisplayListFor(rci_); }
    static GLuint ListOf(TGLBaseSceneObject* object) {
        return object->ListHandle() ? object->ListHandle()->Handle() : 0;
    }
    // Gives the object's material a texture and uploads it; answers its name.
    static GLuint UploadTexture(TGLCustomSceneObject* object) {
        TGLTexture* texture = object->Material()->Texture();
        texture->SetImageClassName(L"TGLBlankImage");
        texture->SetDisabled(false);
        return texture->EnsureUploaded();
    }
    static GLuint TextureOf(TGLCustomSceneObject* object) { return object->Material()->Texture()->Handle(); }

    TSceneFixture scene;
    TSceneFixture otherScene;
};

TEST_F(SceneMovesGL, MovesInsideOneSceneKeepTheLists) {
    auto* a = scene.Add<TGLDummyCube>(nullptr, L"a");
    auto* b = scene.Add<TGLDummyCube>(nullptr, L"b");
    auto* cube = scene.Add<TGLCube>(a, L"cube");
    auto* inner = scene.Add<TGLCube>(cube, L"inner");
    const GLuint list = Compile(cube), innerList = Compile(inner);
    const GLuint texture = UploadTexture(inner);
    ASSERT_NE(list, 0u);
    ASSERT_NE(texture, 0u);

    const struct {
        const char* how;
        std::function<void()> move;
        TGLBaseSceneObject* parent;
    } moves[] = {
        {"MoveTo", [&] { cube->MoveTo(b); }, b},
        {"AddChild", [&] { a->AddChild(cube); }, a},
        {"Insert", [&] { b->Insert(0, cube); }, b},
        // The reader places every object it reads this way.
        {"SetParentComponent", [&] { cube->SetParentComponent(scene.scene); }, scene.Root()},
        {"SetParentComponent", [&] { cube->SetParentComponent(a); }, a},
    };
    for (const auto& m : moves) {
        SCOPED_TRACE(m.how);
        m.move();
        EXPECT_EQ(cube->Parent(), m.parent);
        EXPECT_EQ(cube->Scene(), scene.scene);
        EXPECT_EQ(ListOf(cube), list);
        EXPECT_TRUE(cube->HasValidDisplayList());
        EXPECT_EQ(ListOf(inner), innerList);
        EXPECT_EQ(TextureOf(inner), texture);
    }
    // Removing a node but keeping its children: they move up and keep theirs; it leaves.
    a->Remove(cube, true);
    EXPECT_EQ(inner->Parent(), a);
    EXPECT_EQ(ListOf(inner), innerList);
    EXPECT_EQ(TextureOf(inner), texture);
    EXPECT_EQ(cube->Scene(), nullptr);
    EXPECT_EQ(ListOf(cube), 0u);
    FreeObject(cube);
}

TEST_F(SceneMovesGL, LeavingTheSceneReleasesTheLists) {
    auto* cube = scene.Add<TGLCube>(nullptr, L"cube");
    auto* inner = scene.Add<TGLCube>(cube, L"inner");
    Compile(cube);
    Compile(inner);
    ASSERT_NE(UploadTexture(inner), 0u);
    cube->MoveTo(otherScene.Root());  // another scene: other contexts may draw it
    EXPECT_EQ(cube->Scene(), otherScene.scene);
    EXPECT_EQ(ListOf(cube), 0u);
    EXPECT_EQ(ListOf(inner), 0u);
    EXPECT_EQ(TextureOf(inner), 0u);

    Compile(cube);
    cube->MoveTo(nullptr);  // detached
    EXPECT_EQ(cube->Scene(), nullptr);
    EXPECT_EQ(ListOf(cube), 0u);
    FreeObject(cube);
}

}  // namespace
