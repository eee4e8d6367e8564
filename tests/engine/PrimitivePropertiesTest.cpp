// Properties of the basic scene objects: limits, change notification, copying and storing in a
// form description.

#include "FormDescription.h"
#include "MathExpect.h"
#include "PrimitiveFixtures.h"
#include "TestSupport.h"

namespace {

bool Contains(const AnsiString& text, const char* part) { return text.find(part) != AnsiString::npos; }

// Writes a form holding a scene with the objects that fill makes, and reads it into a new form.
struct TRoundTrip {
    template <class Fill>
    explicit TRoundTrip(Fill fill) {
        TComponent source(nullptr);
        source.SetName(L"Form1");
        auto* scene = new TGLScene(&source);
        scene->SetName(L"Scene1");
        fill(scene->Objects());
        text = WriteComponentToText(&source);
        ReadComponentFromText(text, &form);
    }
    template <class T>
    T* Find(const wchar_t* name) {
        return dynamic_cast<T*>(form.FindComponent(name));
    }
    AnsiString text;
    TComponent form{nullptr};
};

template <class T>
T* AddNamed(TGLBaseSceneObject* parent, const wchar_t* name) {
    auto* object = static_cast<T*>(parent->AddNewChild(T::StaticClass()));
    object->SetName(name);
    return object;
}

}  // namespace

TEST(PrimitiveProperties, LimitsOfTheSetters) {
    TSceneFixture f;
    auto* plane = f.Add<TGLPlane>(nullptr);
    plane->SetXScope(2.5f);
    plane->SetYScope(0.25f);
    EXPECT_FLOAT_EQ(plane->XScope(), 1);
    EXPECT_FLOAT_EQ(plane->YScope(), 0.25f);
    auto* sprite = f.Add<TGLSprite>(nullptr);
    sprite->SetAlphaChannel(-0.5f);
    EXPECT_FLOAT_EQ(sprite->AlphaChannel(), 0);
    sprite->SetAlphaChannel(7);
    EXPECT_FLOAT_EQ(sprite->AlphaChannel(), 1);
    auto* sphere = f.Add<TGLSphere>(nullptr);
    sphere->SetTop(120);
    sphere->SetBottom(-127);
    EXPECT_EQ(sphere->Top(), 90);
    EXPECT_EQ(sphere->Bottom(), -90);
    sphere->SetStop(400);
    EXPECT_EQ(sphere->Stop(), 360);
}

TEST(PrimitiveProperties, GeometrySettersMarkTheStructureAppearanceSettersOnlyReport) {
    TSceneFixture f;
    auto* cube = f.Add<TGLCube>(nullptr);
    auto* sprite = f.Add<TGLSprite>(nullptr);
    auto* sphere = f.Add<TGLSphere>(nullptr);
    auto* dummy = f.Add<TGLDummyCube>(nullptr);
    struct Case {
        const char* name;
        TGLBaseSceneObject* object;
        std::function<void()> set;
        bool structure;
    } cases[] = {
        {"cube height", cube, [&] { cube->SetCubeHeight(3); }, true},
        {"cube parts", cube, [&] { cube->SetParts(TCubeParts{cpTop}); }, true},
        {"sphere radius", sphere, [&] { sphere->SetRadius(80); }, true},
        {"sphere direction", sphere, [&] { sphere->SetNormalDirection(ndInside); }, true},
        {"dummy size", dummy, [&] { dummy->SetCubeSize(2); }, true},
        {"sprite width", sprite, [&] { sprite->SetWidth(3); }, false},
        {"sprite rotation", sprite, [&] { sprite->SetRotation(45); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.object->ClearStructureChanged();
        f.buffer.changes = 0;
        c.set();
        EXPECT_EQ(c.object->Changes().Contains(ocStructure), c.structure);
        EXPECT_GE(f.buffer.changes, 1);
        c.object->ClearStructureChanged();
        f.buffer.changes = 0;
        c.set();  // the same value again
        EXPECT_FALSE(c.object->Changes().Contains(ocStructure));
        EXPECT_EQ(f.buffer.changes, 0);
    }
    // The sprite's flags report every time.
    sprite->SetMirrorU(false);
    EXPECT_EQ(f.buffer.changes, 1);
}

TEST(PrimitiveProperties, AssignCopiesWhatEachClassTakesOver) {
    TSceneFixture f;
    auto* plane = f.Add<TGLPlane>(nullptr);
    plane->SetWidth(3);
    plane->SetHeight(4);
    plane->SetXTiles(5);
    auto* planeCopy = f.Add<TGLPlane>(nullptr);
    planeCopy->Assign(plane);
    EXPECT_FLOAT_EQ(planeCopy->Width(), 3);
    EXPECT_FLOAT_EQ(planeCopy->Height(), 4);
    EXPECT_EQ(planeCopy->XTiles(), 1u);

    auto* sprite = f.Add<TGLSprite>(nullptr);
    sprite->SetAlphaChannel(0.5f);
    sprite->SetRotation(10);
    sprite->SetMirrorU(true);
    auto* spriteCopy = f.Add<TGLSprite>(nullptr);
    spriteCopy->Assign(sprite);
    EXPECT_FLOAT_EQ(spriteCopy->AlphaChannel(), 0.5f);
    EXPECT_FLOAT_EQ(spriteCopy->Rotation(), 10);
    EXPECT_FALSE(spriteCopy->MirrorU());

    auto* sphere = f.Add<TGLSphere>(nullptr);
    sphere->SetRadius(80);
    sphere->SetBottom(0);
    sphere->SetBottomCap(ctFlat);
    sphere->SetNormalDirection(ndInside);
    auto* sphereCopy = f.Add<TGLSphere>(nullptr);
    sphereCopy->Assign(sphere);
    EXPECT_FLOAT_EQ(sphereCopy->Radius(), 80);
    EXPECT_EQ(sphereCopy->Bottom(), 0);
    EXPECT_EQ(sphereCopy->BottomCap(), ctNone);
    EXPECT_EQ(sphereCopy->NormalDirection(), ndInside);

    auto* cube = f.Add<TGLCube>(nullptr);
    cube->SetCubeDepth(7);
    cube->SetParts(TCubeParts{cpFront});
    auto* cubeCopy = f.Add<TGLCube>(nullptr);
    cubeCopy->Assign(cube);
    EXPECT_FLOAT_EQ(cubeCopy->CubeDepth(), 7);
    EXPECT_EQ(cubeCopy->Parts(), TCubeParts{cpFront});

    auto* dummy = f.Add<TGLDummyCube>(nullptr);
    dummy->SetCubeSize(5);
    dummy->SetCamInvarianceMode(cimPosition);
    dummy->EdgeColor()->SetColorVector({0, 1, 0, 1});
    auto* dummyCopy = f.Add<TGLDummyCube>(nullptr);
    dummyCopy->Assign(dummy);
    EXPECT_FLOAT_EQ(dummyCopy->CubeSize(), 5);
    EXPECT_EQ(dummyCopy->CamInvarianceMode(), cimPosition);
    EXPECT_TRUE(Near(dummyCopy->EdgeColor()->Color(), {0, 1, 0, 1}));
}

TEST(PrimitiveProperties, FormDescriptionRoundTrip) {
    TRoundTrip trip([](TGLBaseSceneObject* root) {
        auto* dummy = AddNamed<TGLDummyCube>(root, L"dcBlocks");
        dummy->SetCubeSize(2);
        dummy->SetVisibleAtRunTime(true);
        dummy->SetAmalgamate(true);
        dummy->SetCamInvarianceMode(cimOrientation);
        dummy->EdgeColor()->SetColorVector({1, 0, 0, 1});
        auto* cube = AddNamed<TGLCube>(dummy, L"Block");
        cube->SetCubeHeight(0.5f);
        cube->SetCubeDepth(3);
        cube->SetParts(TCubeParts{cpTop, cpFront});
        cube->SetNormalDirection(ndInside);
        AddNamed<TGLCube>(dummy, L"UnitBlock");
        auto* plane = AddNamed<TGLPlane>(root, L"Clover");
        plane->SetWidth(200);
        plane->SetHeight(200);
        plane->SetXTiles(80);
        plane->SetYTiles(70);
        plane->SetXScope(2.5f);
        plane->SetYScope(0.5f);
        plane->SetXOffset(0.25f);
        plane->SetStyle(TPlaneStyles{psTileTexture});
        auto* sky = AddNamed<TGLSphere>(root, L"Sky");
        sky->SetRadius(80);
        sky->SetNormalDirection(ndInside);
        sky->SetBottom(0);
        sky->SetTopCap(ctCenter);
        sky->SetStop(200);
        sky->SetStart(10);
        sky->SetSlices(24);
        sky->SetNormals(nsFlat);
        auto* sprite = AddNamed<TGLSprite>(root, L"Cursor");
        sprite->SetWidth(32);
        sprite->SetAlphaChannel(0.5f);
        sprite->SetMirrorV(true);
        sprite->SetNoZWrite(true);
        AddNamed<TGLSprite>(root, L"PlainSprite");
    });
    const AnsiString& text = trip.text;
    SCOPED_TRACE(text);
    EXPECT_FALSE(Contains(text, "XScope"));                            // clamped to 1, the default
    EXPECT_TRUE(Contains(text, "NoZWrite = False"));                   // a plane always stores it
    EXPECT_EQ(text.find("CubeSize = {"), text.rfind("CubeSize = {"));  // the unit block stores none

    auto* dummy = trip.Find<TGLDummyCube>(L"dcBlocks");
    ASSERT_NE(dummy, nullptr);
    EXPECT_FLOAT_EQ(dummy->CubeSize(), 2);
    EXPECT_TRUE(dummy->VisibleAtRunTime());
    EXPECT_TRUE(dummy->Amalgamate());
    EXPECT_TRUE(dummy->ObjectStyle().Contains(osDoesTemperWithColorsOrFaceWinding));
    EXPECT_EQ(dummy->CamInvarianceMode(), cimOrientation);
    EXPECT_TRUE(Near(dummy->EdgeColor()->Color(), {1, 0, 0, 1}));

    auto* cube = trip.Find<TGLCube>(L"Block");
    ASSERT_NE(cube, nullptr);
    EXPECT_EQ(cube->Parent(), dummy);
    EXPECT_FLOAT_EQ(cube->CubeWidth(), 1);
    EXPECT_FLOAT_EQ(cube->CubeHeight(), 0.5f);
    EXPECT_FLOAT_EQ(cube->CubeDepth(), 3);
    EXPECT_EQ(cube->Parts(), (TCubeParts{cpTop, cpFront}));
    EXPECT_EQ(cube->NormalDirection(), ndInside);
    auto* unit = trip.Find<TGLCube>(L"UnitBlock");
    ASSERT_NE(unit, nullptr);
    EXPECT_FLOAT_EQ(unit->CubeHeight(), 1);

    auto* plane = trip.Find<TGLPlane>(L"Clover");
    ASSERT_NE(plane, nullptr);
    EXPECT_FLOAT_EQ(plane->Width(), 200);
    EXPECT_EQ(plane->XTiles(), 80u);
    EXPECT_EQ(plane->YTiles(), 70u);
    EXPECT_FLOAT_EQ(plane->XScope(), 1);
    EXPECT_FLOAT_EQ(plane->YScope(), 0.5f);
    EXPECT_FLOAT_EQ(plane->XOffset(), 0.25f);
    EXPECT_EQ(plane->Style(), TPlaneStyles{psTileTexture});

    auto* sky = trip.Find<TGLSphere>(L"Sky");
    ASSERT_NE(sky, nullptr);
    EXPECT_FLOAT_EQ(sky->Radius(), 80);
    EXPECT_EQ(sky->NormalDirection(), ndInside);
    EXPECT_EQ(sky->Bottom(), 0);
    EXPECT_EQ(sky->Top(), 90);
    EXPECT_EQ(sky->TopCap(), ctCenter);
    EXPECT_EQ(sky->Start(), 10);
    EXPECT_EQ(sky->Stop(), 200);
    EXPECT_EQ(sky->Slices(), 24);
    EXPECT_EQ(sky->Normals(), nsFlat);

    auto* sprite = trip.Find<TGLSprite>(L"Cursor");
    ASSERT_NE(sprite, nullptr);
    EXPECT_FLOAT_EQ(sprite->Width(), 32);
    EXPECT_FLOAT_EQ(sprite->AlphaChannel(), 0.5f);
    EXPECT_TRUE(sprite->MirrorV());
    EXPECT_TRUE(sprite->NoZWrite());
    auto* plain = trip.Find<TGLSprite>(L"PlainSprite");
    ASSERT_NE(plain, nullptr);
    EXPECT_FLOAT_EQ(plain->AlphaChannel(), 1);
    EXPECT_TRUE(plain->ObjectStyle().Contains(osNoVisibilityCulling));
}
