// The editor's overlay and effects as its main window's form description states them: the FPS
// and altitude texts and the cursor sprite, the sun's lens flare and the hidden water plane.

#include <gtest/gtest.h>

#include "FormDescription.h"
#include "GLHUDObjects.h"
#include "GLLensFlare.h"
#include "GLLightSource.h"
#include "GLWaterPlane.h"
#include "Scene.h"
#include "TestSupport.h"

namespace {

const char kEditorOverlay[] = R"(object fmMain: TComponent
  object libMaterials: TGLMaterialLibrary
    Materials = <
      item
        Name = 'Cursor_blue'
      end>
  end
  object GLScene: TGLScene
    object Ground: TGLDummyCube
      object Water: TGLWaterPlane
        Position.Coordinates = {000080400AD723BC000080400000803F}
        Scale.Coordinates = {000000410000803F0000004100000000}
        Visible = False
        RainTimeInterval = 0
        RainForce = 5000
        Viscosity = 0.9
        Elastic = 10
        Resolution = 256
        Options = []
        SimulationFrequency = 50
      end
    end
    object Sky: TGLSphere
      object Sun: TGLLightSource
        Position.Coordinates = {0000F041000040400000C8C10000803F}
        object GLLensFlare: TGLLensFlare
          Seed = 1465
          NumStreaks = 5
          FlareIsNotOccluded = True
          Elements = [feGlow, feStreaks, feRays, feSecondaries]
        end
      end
    end
    object dcInterface: TGLDummyCube
      object textFPS: TGLHUDText
        Position.Coordinates = {0000204100002041000000000000803F}
        Text = 'FPS'
      end
      object textAlt: TGLHUDText
        Position.Coordinates = {000020410000C842000000000000803F}
        Text = 'Текст'
      end
      object Cursor: TGLHUDSprite
        Material.MaterialLibrary = libMaterials
        Material.LibMaterialName = 'Cursor_blue'
        Height = 20
      end
    end
  end
end
)";

template <class T>
T* Named(TComponent& form, const wchar_t* name) {
    auto* component = dynamic_cast<T*>(form.FindComponent(name));
    EXPECT_NE(component, nullptr) << Utf8(name);
    return component;
}

}  // namespace

TEST(OverlayForm, TheEditorsOverlayAndEffectsReadFromItsFormDescription) {
    TComponent form(nullptr);
    ReadComponentFromText(kEditorOverlay, &form);

    auto* fps = Named<TGLHUDText>(form, L"textFPS");
    auto* altitude = Named<TGLHUDText>(form, L"textAlt");
    ASSERT_TRUE(fps && altitude);
    EXPECT_EQ(Utf8(fps->Text()), "FPS");
    EXPECT_EQ(Utf8(altitude->Text()), "Текст");
    EXPECT_FLOAT_EQ(fps->Position()->X(), 10);
    EXPECT_FLOAT_EQ(fps->Position()->Y(), 10);
    EXPECT_FLOAT_EQ(altitude->Position()->Y(), 100);
    EXPECT_EQ(fps->BitmapFont(), nullptr);
    EXPECT_EQ(fps->Parent(), Named<TGLBaseSceneObject>(form, L"dcInterface"));

    auto* cursor = Named<TGLHUDSprite>(form, L"Cursor");
    ASSERT_NE(cursor, nullptr);
    EXPECT_FLOAT_EQ(cursor->Width(), 16);
    EXPECT_FLOAT_EQ(cursor->Height(), 20);
    ASSERT_NE(cursor->Material()->LibMaterial(), nullptr);
    EXPECT_EQ(Utf8(cursor->Material()->LibMaterial()->Name()), "Cursor_blue");

    auto* flare = Named<TGLLensFlare>(form, L"GLLensFlare");
    ASSERT_NE(flare, nullptr);
    EXPECT_EQ(flare->Parent(), Named<TGLLightSource>(form, L"Sun"));
    EXPECT_EQ(flare->Seed(), 1465);
    EXPECT_EQ(flare->NumStreaks(), 5);
    EXPECT_TRUE(flare->AutoZTest());
    EXPECT_EQ(flare->Elements(), (TFlareElements{feGlow, feStreaks, feRays, feSecondaries}));
    EXPECT_EQ(flare->Size(), 50);

    auto* water = Named<TGLWaterPlane>(form, L"Water");
    ASSERT_NE(water, nullptr);
    EXPECT_FALSE(water->Visible());
    EXPECT_EQ(water->RainTimeInterval(), 0);
    EXPECT_FLOAT_EQ(water->Viscosity(), 0.9f);
    EXPECT_EQ(water->Resolution(), 256);
    EXPECT_EQ(water->Options(), TGLWaterPlaneOptions{});
    EXPECT_FLOAT_EQ(water->SimulationFrequency(), 50);
    EXPECT_FLOAT_EQ(water->Position()->Y(), -0.01f);
    EXPECT_FLOAT_EQ(water->Scale()->X(), 8);
    // Hidden, it takes no time from the frames: progress leaves it as it is.
    water->CreateRippleAtGridPos(128, 128);
    const std::vector<Single> before = water->Heights();
    Named<TGLScene>(form, L"GLScene")->Progress(0.5, 0.5);
    EXPECT_EQ(water->Heights(), before);
}
