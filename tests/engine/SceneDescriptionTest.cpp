// Scenes read from form descriptions: the editor's scene part with its viewer, material library
// and cadencer, read, checked and written back; and a viewer whose buffer settings, render events
// and mouse events come from its description, driven by real input.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FormDescription.h"
#include "GLCadencer.h"
#include "GLCamera.h"
#include "GLGraph.h"
#include "GLLightSource.h"
#include "GLMaterial.h"
#include "GLObjects.h"
#include "GLWin32Viewer.h"
#include "SceneFixtures.h"
#include "WindowTesting.h"

namespace {

// The root of the descriptions, with the handlers they bind by name.
class TSceneTestForm : public TForm {
    Z_CLASS(TSceneTestForm, TForm)
    Z_PUBLISHED {
        p.Method(L"GLSceneViewerMouseDown", &TSceneTestForm::GLSceneViewerMouseDown);
        p.Method(L"GLSceneViewerMouseMove", &TSceneTestForm::GLSceneViewerMouseMove);
        p.Method(L"ViewerBeforeRender", &TSceneTestForm::ViewerBeforeRender);
        p.Method(L"ViewerPostRender", &TSceneTestForm::ViewerPostRender);
        p.Method(L"ViewerAfterRender", &TSceneTestForm::ViewerAfterRender);
        p.Method(L"ViewerMouseEnter", &TSceneTestForm::ViewerMouseEnter);
        p.Method(L"ViewerMouseLeave", &TSceneTestForm::ViewerMouseLeave);
    }

public:
    TSceneTestForm(TComponent* owner, TCreateNew) : TForm(owner, CreateNew) {}

    void GLSceneViewerMouseDown(TObject*, TMouseButton, TShiftState, int, int) {}
    void GLSceneViewerMouseMove(TObject*, TShiftState, int, int) {}
    void ViewerBeforeRender(TObject*) { events.push_back("before render"); }
    void ViewerPostRender(TObject*) { events.push_back("post render"); }
    void ViewerAfterRender(TObject*) { events.push_back("after render"); }
    void ViewerMouseEnter(TObject*) { events.push_back("enter"); }
    void ViewerMouseLeave(TObject*) { events.push_back("leave"); }

    std::vector<std::string> events;

    template <class T>
    T* Find(const wchar_t* name) {
        auto* found = dynamic_cast<T*>(FindComponent(name));
        EXPECT_NE(found, nullptr) << Utf8(name);
        return found;
    }
};

// The scene part of the editor's main window: ground grid with the picking plane and the ground
// planes, containers, sky with sun, camera on its target, the 3D view, materials and cadencer.
const char kEditorScene[] = R"(object SceneTestForm: TSceneTestForm
  Left = 0
  Top = 0
  Width = 862
  Height = 497
  ParentColor = False
  Color = clBtnFace
  ParentFont = False
  ParentShowHint = False
  ShowHint = False
  Visible = False
  TabOrder = -1
  ClientWidth = 854
  ClientHeight = 470
  object GLSceneViewer: TGLSceneViewer
    Left = 0
    Top = 0
    Width = 854
    Height = 470
    Align = alClient
    ParentColor = True
    ParentFont = True
    ParentShowHint = True
    Visible = True
    OnMouseDown = GLSceneViewerMouseDown
    OnMouseMove = GLSceneViewerMouseMove
    TabOrder = 0
    Camera = GLCamera
    Buffer.BackgroundColor = clBlack
    Buffer.AmbientColor.Color = {
      CDCC4C3ECDCC4C3ECDCC4C3E0000803F}
    Buffer.FogEnvironment.FogColor.Color = {
      0000000000000000000000000000803F}
    FieldOfView = 155.97704
  end
  object GLScene: TGLScene
    object dcTarget: TGLDummyCube
      Direction.Coordinates = {
        00000000000000000000803F00000000}
      Position.Coordinates = {
        0000E04000000000000080400000803F}
      Scale.Coordinates = {
        0000803F0000803F0000803F00000000}
      Up.Coordinates = {
        000000000000803F0000000000000000}
      CubeSize = 1.0
      EdgeColor.Color = {
        0000803F0000803F0000803F0000803F}
      object GLCamera: TGLCamera
        Direction.Coordinates = {
          0000000000000000000080BF00000000}
        Position.Coordinates = {
          0000804000000040000000000000803F}
        Scale.Coordinates = {
          0000803F0000803F0000803F00000000}
        Up.Coordinates = {
          000000000000803F0000000000000000}
        TargetObject = dcTarget
      end
    end
    object Ground: TGLXYZGrid
      Direction.Coordinates = {
        00000000000000000000803F00000000}
      Position.Coordinates = {
        0000003F000000000000003F0000803F}
      Scale.Coordinates = {
        0000803F0000803F0000803F00000000}
      Up.Coordinates = {
        000000000000803F0000000000000000}
      AntiAliased = True
      LineColor.Color = {
        0000803F0000803F0000803F0000803F}
      XSamplingScale.Min = 0.0
      XSamplingScale.Max = 8.0
      XSamplingScale.Origin = 0.0
      XSamplingScale.Step = 1.0
      YSamplingScale.Min = 0.0
      YSamplingScale.Max = 0.0
      YSamplingScale.Origin = 0.0
      YSamplingScale.Step = 0.1
      ZSamplingScale.Min = 0.0
      ZSamplingScale.Max = 8.0
      ZSamplingScale.Origin = 0.0
      ZSamplingScale.Step = 1.0
      Parts = [gpX, gpZ]
      LinesStyle = davLine
      object GLPlane: TGLPlane
        Direction.Coordinates = {
          000000000000803F2EBD3BB300000000}
        PitchAngle = 90.0
        Position.Coordinates = {
          0000000000000000000000000000803F}
        Scale.Coordinates = {
          0000803F0000803F0000803F00000000}
        Up.Coordinates = {
          000000002EBD3BB3000080BF00000000}
        Visible = False
        Material.BackProperties.Ambient.Color = {
          CDCC4C3ECDCC4C3ECDCC4C3E0000803F}
        Material.BackProperties.Diffuse.Color = {
          CDCC4C3FCDCC4C3FCDCC4C3F0000803F}
        Material.BackProperties.Emission.Color = {
          0000000000000000000000000000803F}
        Material.BackProperties.Specular.Color = {
          0000000000000000000000000000803F}
        Material.FrontProperties.Ambient.Color = {
          CDCC4C3ECDCC4C3ECDCC4C3E0000803F}
        Material.FrontProperties.Diffuse.Color = {
          CDCC4C3FCDCC4C3FCDCC4C3F0000803F}
        Material.FrontProperties.Emission.Color = {
          0000000000000000000000000000803F}
        Material.FrontProperties.Specular.Color = {
          0000000000000000000000000000803F}
        Material.Texture.MappingSCoordinates.Coordinates = {
          0000803F000000000000000000000000}
        Material.Texture.MappingTCoordinates.Coordinates = {
          0000803F000000000000000000000000}
        Material.Texture.EnvColor.Color = {
          00000000000000000000000000000000}
        Height = 50.0
        Width = 50.0
        NoZWrite = False
      end
      object Clover: TGLPlane
        Direction.Coordinates = {
          000000000000803F2EBD3BB300000000}
        PitchAngle = 90.0
        Position.Coordinates = {
          000000006F1283BA000000000000803F}
        Scale.Coordinates = {
          0000803F0000803F0000803F00000000}
        Up.Coordinates = {
          000000002EBD3BB3000080BF00000000}
        Material.MaterialLibrary = libMaterials
        Material.LibMaterialName = 'Clover'
        Height = 200.0
        Width = 200.0
        XTiles = 80
        YTiles = 70
        Style = [psTileTexture]
        NoZWrite = False
      end
      object Beton: TGLPlane
        Direction.Coordinates = {
          000000000000803F2EBD3BB300000000}
        PitchAngle = 90.0
        Position.Coordinates = {
          0000804017B7D1B8000080400000803F}
        Scale.Coordinates = {
          0000803F0000803F0000803F00000000}
        Up.Coordinates = {
          000000002EBD3BB3000080BF00000000}
        Material.MaterialLibrary = libMaterials
        Material.LibMaterialName = 'Beton'
        Height = 8.0
        Width = 8.0
        XTiles = 8
        YTiles = 8
        Style = [psTileTexture]
        NoZWrite = False
      end
    end
    object Sky: TGLSphere
      Direction.Coordinates = {
        00000000000000000000803F00000000}
      Position.Coordinates = {
        0000904000000000000090400000803F}
      Scale.Coordinates = {
        0000803F0000803F0000803F00000000}
      Up.Coordinates = {
        000000000000803F0000000000000000}
      Material.BackProperties.Ambient.Color = {
        CDCC4C3ECDCC4C3ECDCC4C3E0000803F}
      Material.BackProperties.Diffuse.Color = {
        CDCC4C3FCDCC4C3FCDCC4C3F0000803F}
      Material.BackProperties.Emission.Color = {
        0000000000000000000000000000803F}
      Material.BackProperties.Specular.Color = {
        0000000000000000000000000000803F}
      Material.FrontProperties.Ambient.Color = {
        CDCC4C3ECDCC4C3ECDCC4C3E0000803F}
      Material.FrontProperties.Diffuse.Color = {
        CDCC4C3FCDCC4C3FCDCC4C3F0000803F}
      Material.FrontProperties.Emission.Color = {
        0000000000000000000000000000803F}
      Material.FrontProperties.Specular.Color = {
        0000000000000000000000000000803F}
      Material.MaterialOptions = [moNoLighting]
      Material.Texture.MappingSCoordinates.Coordinates = {
        0000803F000000000000000000000000}
      Material.Texture.MappingTCoordinates.Coordinates = {
        0000803F000000000000000000000000}
      Material.Texture.EnvColor.Color = {
        00000000000000000000000000000000}
      Material.MaterialLibrary = libMaterials
      NormalDirection = ndInside
      Radius = 80.0
      Bottom = 0
      object Sun: TGLLightSource
        Direction.Coordinates = {
          00000000000000000000803F00000000}
        Position.Coordinates = {
          0000F041000040400000C8C10000803F}
        Scale.Coordinates = {
          0000803F0000803F0000803F00000000}
        Up.Coordinates = {
          000000000000803F0000000000000000}
        Ambient.Color = {
          0000000000000000000000000000803F}
        Diffuse.Color = {
          0000803F0000803F0000803F0000803F}
        Specular.Color = {
          0000000000000000000000000000803F}
        SpotDirection.Coordinates = {
          0000000000000000000080BF00000000}
        object SphereSun: TGLSphere
          Direction.Coordinates = {
            00000000000000000000803F00000000}
          Position.Coordinates = {
            0000000000000000000000000000803F}
          Scale.Coordinates = {
            0000803F0000803F0000803F00000000}
          Up.Coordinates = {
            000000000000803F0000000000000000}
          Visible = False
          Material.BackProperties.Ambient.Color = {
            CDCC4C3ECDCC4C3ECDCC4C3E0000803F}
          Material.BackProperties.Diffuse.Color = {
            CDCC4C3FCDCC4C3FCDCC4C3F0000803F}
          Material.BackProperties.Emission.Color = {
            0000000000000000000000000000803F}
          Material.BackProperties.Specular.Color = {
            0000000000000000000000000000803F}
          Material.FrontProperties.Ambient.Color = {
            CDCC4C3ECDCC4C3ECDCC4C3E0000803F}
          Material.FrontProperties.Diffuse.Color = {
            0000803F0000803F000000000000803F}
          Material.FrontProperties.Emission.Color = {
            0000000000000000000000000000803F}
          Material.FrontProperties.Specular.Color = {
            0000000000000000000000000000803F}
          Material.MaterialOptions = [moNoLighting]
          Material.Texture.MappingSCoordinates.Coordinates = {
            0000803F000000000000000000000000}
          Material.Texture.MappingTCoordinates.Coordinates = {
            0000803F000000000000000000000000}
          Material.Texture.EnvColor.Color = {
            00000000000000000000000000000000}
          Radius = 0.1
        end
      end
    end
    object dcBlocks: TGLDummyCube
      Direction.Coordinates = {
        00000000000000000000803F00000000}
      Position.Coordinates = {
        00000000000080BE000000000000803F}
      Scale.Coordinates = {
        0000803F0000803F0000803F00000000}
      Up.Coordinates = {
        000000000000803F0000000000000000}
      CubeSize = 1.0
      EdgeColor.Color = {
        0000803F0000803F0000803F0000803F}
    end
    object dcLights: TGLDummyCube
      Direction.Coordinates = {
        00000000000000000000803F00000000}
      Position.Coordinates = {
        0000000000000000000000000000803F}
      Scale.Coordinates = {
        0000803F0000803F0000803F00000000}
      Up.Coordinates = {
        000000000000803F0000000000000000}
      CubeSize = 1.0
      EdgeColor.Color = {
        0000803F0000803F0000803F0000803F}
    end
    object dcInterface: TGLDummyCube
      Direction.Coordinates = {
        00000000000000000000803F00000000}
      Position.Coordinates = {
        0000000000000000000000000000803F}
      Scale.Coordinates = {
        0000803F0000803F0000803F00000000}
      Up.Coordinates = {
        000000000000803F0000000000000000}
      CubeSize = 1.0
      EdgeColor.Color = {
        0000803F0000803F0000803F0000803F}
    end
    object SelectedPos: TGLPlane
      Direction.Coordinates = {
        000000000000803F2EBD3BB300000000}
      PitchAngle = 90.0
      Position.Coordinates = {
        0000803F000000000000803F0000803F}
      Scale.Coordinates = {
        0000803F0000803F0000803F00000000}
      Up.Coordinates = {
        000000002EBD3BB3000080BF00000000}
      Material.MaterialLibrary = libMaterials
      Material.LibMaterialName = 'Area_red'
      NoZWrite = False
    end
  end
  object libMaterials: TGLMaterialLibrary
    Materials = <
      item
        Name = 'Clover'
        Material.BackProperties.Ambient.Color = {
          CDCC4C3ECDCC4C3ECDCC4C3E0000803F}
        Material.BackProperties.Diffuse.Color = {
          CDCC4C3FCDCC4C3FCDCC4C3F0000803F}
        Material.BackProperties.Emission.Color = {
          0000000000000000000000000000803F}
        Material.BackProperties.Specular.Color = {
          0000000000000000000000000000803F}
        Material.FrontProperties.Ambient.Color = {
          CDCC4C3ECDCC4C3ECDCC4C3E0000803F}
        Material.FrontProperties.Diffuse.Color = {
          CDCC4C3FCDCC4C3FCDCC4C3F0000803F}
        Material.FrontProperties.Emission.Color = {
          0000000000000000000000000000803F}
        Material.FrontProperties.Specular.Color = {
          0000000000000000000000000000803F}
        Material.Texture.MappingSCoordinates.Coordinates = {
          0000803F000000000000000000000000}
        Material.Texture.MappingTCoordinates.Coordinates = {
          0000803F000000000000000000000000}
        Material.Texture.EnvColor.Color = {
          00000000000000000000000000000000}
        TextureOffset.Coordinates = {
          00000000000000000000000000000000}
        TextureScale.Coordinates = {
          0000803F0000803F0000803F00000000}
      end
      item
        Name = 'Beton'
        Material.BackProperties.Ambient.Color = {
          CDCC4C3ECDCC4C3ECDCC4C3E0000803F}
        Material.BackProperties.Diffuse.Color = {
          CDCC4C3FCDCC4C3FCDCC4C3F0000803F}
        Material.BackProperties.Emission.Color = {
          0000000000000000000000000000803F}
        Material.BackProperties.Specular.Color = {
          0000000000000000000000000000803F}
        Material.FrontProperties.Ambient.Color = {
          CDCC4C3ECDCC4C3ECDCC4C3E0000803F}
        Material.FrontProperties.Diffuse.Color = {
          CDCC4C3FCDCC4C3FCDCC4C3F0000803F}
        Material.FrontProperties.Emission.Color = {
          0000000000000000000000000000803F}
        Material.FrontProperties.Specular.Color = {
          0000000000000000000000000000803F}
        Material.Texture.MappingSCoordinates.Coordinates = {
          0000803F000000000000000000000000}
        Material.Texture.MappingTCoordinates.Coordinates = {
          0000803F000000000000000000000000}
        Material.Texture.EnvColor.Color = {
          00000000000000000000000000000000}
        TextureOffset.Coordinates = {
          00000000000000000000000000000000}
        TextureScale.Coordinates = {
          0000803F0000803F0000803F00000000}
      end
      item
        Name = 'Area_red'
        Material.BackProperties.Ambient.Color = {
          CDCC4C3ECDCC4C3ECDCC4C3E0000803F}
        Material.BackProperties.Diffuse.Color = {
          CDCC4C3FCDCC4C3FCDCC4C3F0000803F}
        Material.BackProperties.Emission.Color = {
          0000000000000000000000000000803F}
        Material.BackProperties.Specular.Color = {
          0000000000000000000000000000803F}
        Material.FrontProperties.Ambient.Color = {
          CDCC4C3ECDCC4C3ECDCC4C3E0000803F}
        Material.FrontProperties.Diffuse.Color = {
          0000803F0000000000000000CDCCCC3E}
        Material.FrontProperties.Emission.Color = {
          0000000000000000000000000000803F}
        Material.FrontProperties.Specular.Color = {
          0000000000000000000000000000803F}
        Material.BlendingMode = bmTransparency
        Material.MaterialOptions = [moNoLighting]
        Material.Texture.MappingSCoordinates.Coordinates = {
          0000803F000000000000000000000000}
        Material.Texture.MappingTCoordinates.Coordinates = {
          0000803F000000000000000000000000}
        Material.Texture.EnvColor.Color = {
          00000000000000000000000000000000}
        TextureOffset.Coordinates = {
          00000000000000000000000000000000}
        TextureScale.Coordinates = {
          0000803F0000803F0000803F00000000}
      end>
  end
  object GLCadencer: TGLCadencer
    Scene = GLScene
  end
end
)";

TSceneTestForm* ReadSceneForm(const char* text) {
    RegisterClass(TSceneTestForm::StaticClass());
    auto* form = CreateNewForm<TSceneTestForm>(nullptr);
    ReadComponentFromText(text, form);
    return form;
}

std::vector<String> ChildNamesOf(TGLBaseSceneObject* object) { return ChildNames(object); }

TEST(SceneDescription, TheEditorsSceneIsReadWithEveryReferenceResolved) {
    TSceneTestForm* form = ReadSceneForm(kEditorScene);
    auto* scene = form->Find<TGLScene>(L"GLScene");
    auto* viewer = form->Find<TGLSceneViewer>(L"GLSceneViewer");
    auto* library = form->Find<TGLMaterialLibrary>(L"libMaterials");
    auto* camera = form->Find<TGLCamera>(L"GLCamera");
    auto* target = form->Find<TGLDummyCube>(L"dcTarget");
    auto* ground = form->Find<TGLXYZGrid>(L"Ground");
    ASSERT_TRUE(scene && viewer && library && camera && target && ground);

    // The tree, every object in the scene and owned by the form.
    EXPECT_EQ(ChildNamesOf(scene->Objects()), (std::vector<String>{L"dcTarget", L"Ground", L"Sky", L"dcBlocks",
                                                                   L"dcLights", L"dcInterface", L"SelectedPos"}));
    EXPECT_EQ(ChildNamesOf(ground), (std::vector<String>{L"GLPlane", L"Clover", L"Beton"}));
    EXPECT_EQ(ChildNamesOf(form->Find<TGLBaseSceneObject>(L"Sun")), (std::vector<String>{L"SphereSun"}));
    for (const wchar_t* name : {L"dcTarget", L"GLCamera", L"Ground", L"GLPlane", L"Clover", L"Beton", L"Sky", L"Sun",
                                L"SphereSun", L"dcBlocks", L"dcLights", L"dcInterface", L"SelectedPos"}) {
        auto* object = form->Find<TGLBaseSceneObject>(name);
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->Scene(), scene) << Utf8(name);
        EXPECT_EQ(object->Owner(), form) << Utf8(name);
        EXPECT_FALSE(object->ComponentState().Contains(csLoading)) << Utf8(name);
    }

    // References inside the scene and out of it.
    EXPECT_EQ(viewer->Camera(), camera);
    EXPECT_EQ(camera->TargetObject(), target);
    EXPECT_EQ(form->Find<TGLCadencer>(L"GLCadencer")->Scene(), scene);
    for (const wchar_t* name : {L"Clover", L"Beton", L"SelectedPos", L"Sky"})
        EXPECT_EQ(form->Find<TGLSceneObject>(name)->Material()->MaterialLibrary(), library) << Utf8(name);
    EXPECT_EQ(form->Find<TGLPlane>(L"Clover")->Material()->LibMaterialName(), L"Clover");
    EXPECT_EQ(form->Find<TGLLightSource>(L"Sun")->LightID(), Cardinal(GL_LIGHT0));

    // The values the editor relies on.
    EXPECT_TRUE(ground->AntiAliased());
    EXPECT_EQ(ground->Parts(), (TXYZGridParts{gpX, gpZ}));
    EXPECT_EQ(ground->LinesStyle(), davLine);
    EXPECT_EQ(ground->XSamplingScale()->Max(), 8);
    EXPECT_EQ(ground->ZSamplingScale()->Step(), 1);
    EXPECT_FALSE(form->Find<TGLPlane>(L"GLPlane")->Visible());
    EXPECT_NEAR(form->Find<TGLPlane>(L"GLPlane")->AbsoluteDirection().Y, 1, 1e-6);  // lying flat
    EXPECT_EQ(form->Find<TGLSphere>(L"Sky")->Radius(), 80);
    EXPECT_EQ(camera->FocalLength(), 50);  // the stored field of view came before the camera
    EXPECT_TRUE(camera->GetAbsolutePosition().X == 11 && camera->GetAbsolutePosition().Z == 4);

    // The view made its window and context while the form loaded, and draws the scene.
    ASSERT_TRUE(viewer->HasUsableContext());
    EXPECT_EQ(viewer->Buffer()->BackgroundColor(), clBlack);
    viewer->Buffer()->Render();
    EXPECT_EQ(viewer->Buffer()->FrameCount(), 1);

    // Written back, the description is the same text.
    AnsiString written = WriteComponentToText(form);
    for (size_t at; (at = written.find("\r\n")) != AnsiString::npos;) written.erase(at, 1);
    EXPECT_EQ(written, AnsiString(kEditorScene));
    FreeObject(form);
}

// ---- the viewer ------------------------------------------------------------------------------

const char kViewerForm[] = R"(object ViewerTestForm: TSceneTestForm
  Left = 0
  Top = 0
  ClientWidth = 160
  ClientHeight = 120
  object GLScene: TGLScene
    object GLCamera: TGLCamera
      Position.Coordinates = {
        0000000000000000000020410000803F}
    end
  end
  object GLSceneViewer: TGLSceneViewer
    Align = alClient
    Camera = GLCamera
    VSync = vsmSync
    BeforeRender = ViewerBeforeRender
    PostRender = ViewerPostRender
    AfterRender = ViewerAfterRender
    OnMouseEnter = ViewerMouseEnter
    OnMouseLeave = ViewerMouseLeave
    Buffer.BackgroundColor = $00336699
    Buffer.ContextOptions = [roDoubleBuffer, roStencilBuffer, roRenderToWindow, roNoSwapBuffers]
    Buffer.FaceCulling = False
    Buffer.Lighting = False
    Buffer.ShadeModel = smFlat
    Buffer.DepthPrecision = dp16bits
    Buffer.AmbientColor.Color = {
      0000003F0000003F0000003F0000803F}
    Buffer.FogEnvironment.FogStart = 5.0
  end
end
)";

class ViewerDescription : public WindowTest {};

TEST_F(ViewerDescription, BufferSettingsAndEventsComeFromTheDescription) {
    TSceneTestForm* form = ReadSceneForm(kViewerForm);
    auto* viewer = form->Find<TGLSceneViewer>(L"GLSceneViewer");
    ASSERT_NE(viewer, nullptr);
    TGLSceneBuffer* buffer = viewer->Buffer();
    EXPECT_EQ(viewer->VSync(), vsmSync);
    EXPECT_EQ(buffer->BackgroundColor(), TColor(0x336699));
    EXPECT_EQ(buffer->ContextOptions(),
              (TContextOptions{roDoubleBuffer, roStencilBuffer, roRenderToWindow, roNoSwapBuffers}));
    EXPECT_FALSE(buffer->FaceCulling());
    EXPECT_FALSE(buffer->Lighting());
    EXPECT_TRUE(buffer->DepthTest());
    EXPECT_EQ(buffer->ShadeModel(), smFlat);
    EXPECT_EQ(buffer->DepthPrecision(), dp16bits);
    EXPECT_EQ(buffer->AmbientColor()->Red(), 0.5f);
    EXPECT_EQ(buffer->FogEnvironment()->FogStart(), 5);
    // The settings were in place before the context was made while the form loaded.
    ASSERT_TRUE(viewer->HasUsableContext());
    TGLContext* context = buffer->RenderingContext();
    EXPECT_EQ(context->StencilBitCount(), 8);
    EXPECT_EQ(context->DepthBitCount(), 16);

    // A paint renders a frame: the events bound by name, in order, and the background.
    form->SetPosition(poDesigned);
    form->SetBounds(0, 0, 200, 200);
    form->Show();
    SetForegroundWindow(form->Handle());
    ASSERT_TRUE(PumpUntil([&] { return buffer->FrameCount() > 0; }));
    ASSERT_GE(form->events.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(form->events.begin(), form->events.begin() + 3),
              (std::vector<std::string>{"before render", "post render", "after render"}));
    context->Activate();
    GLubyte pixel[4] = {};
    GL.glReadBuffer(GL_BACK);
    GL.glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    if (GL.WGL_EXT_swap_control && GL.wglGetSwapIntervalEXT) {
        EXPECT_EQ(GL.wglGetSwapIntervalEXT(), 1);
    }
    context->Deactivate();
    EXPECT_EQ(pixel[0], 0x99);  // $00BBGGRR: red 99, green 66, blue 33
    EXPECT_EQ(pixel[1], 0x66);
    EXPECT_EQ(pixel[2], 0x33);

    // The mouse entering and leaving the view: the control's own steps, once each.
    form->events.clear();
    MoveMouseTo(viewer->ClientToScreen({viewer->Width() / 2, viewer->Height() / 2}));
    ASSERT_TRUE(PumpUntil([&] { return viewer->IsMouseInControl(); }));
    MoveMouseTo(viewer->ClientToScreen({viewer->Width() / 2 + 5, viewer->Height() / 2}));
    PumpUntilIdle();
    MoveMouseTo({400, 400});
    ASSERT_TRUE(PumpUntil([&] { return !viewer->IsMouseInControl(); }));
    std::vector<std::string> mouse;
    for (const std::string& e : form->events)
        if (e == "enter" || e == "leave") mouse.push_back(e);
    EXPECT_EQ(mouse, (std::vector<std::string>{"enter", "leave"}));
    FreeObject(form);
}

}  // namespace
