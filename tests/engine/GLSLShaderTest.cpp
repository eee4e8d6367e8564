// GLSL shaders on Mesa: the diffuse-specular program texts, compiling and linking every ready
// shader, set-up failures and the failed-init actions, rebuilding after edits, the library
// texture of the MT shaders, and a lit sphere whose highlight is read back where the light puts
// it.

#include <cmath>
#include <cstring>

#include "Bitmap.h"
#include "Canvas.h"
#include "FormDescription.h"
#include "GLLightSource.h"
#include "GLObjects.h"
#include "GLRecorder.h"
#include "GLSLDiffuseSpecularShader.h"
#include "HiddenGLWindow.h"
#include "SceneViewFixture.h"
#include "StringList.h"
#include "SysUtils.h"
#include "VectorArithmetic.h"

namespace {

using TLines = std::vector<String>;

TLines CodeOf(const std::function<void(TStrings*)>& write) {
    TStringList code;
    code.Add(L"left over");
    write(&code);
    return Lines(code);
}

const TLines kVertexText1 = {L"varying vec3 Normal; ",
                             L"varying vec3 LightVector; ",
                             L"varying vec3 CameraVector; ",
                             L" ",
                             L" ",
                             L"void main(void) ",
                             L"{ ",
                             L"  gl_Position = ftransform(); ",
                             L"  gl_TexCoord[0] = gl_TextureMatrix[0] * gl_MultiTexCoord0; ",
                             L"  Normal = normalize(gl_NormalMatrix * gl_Normal); ",
                             L"  vec3 p = (gl_ModelViewMatrix * gl_Vertex).xyz; ",
                             L"  LightVector = normalize(gl_LightSource[0].position.xyz - p); ",
                             L"  CameraVector = normalize(p); ",
                             L"} "};

TLines FragmentText2(bool separateSpecular) {
    return {L"uniform float LightIntensity; ",
            L"uniform float SpecPower; ",
            L"uniform sampler2D MainTexture; ",
            L" ",
            L"varying vec3 Normal; ",
            L"varying vec3 LightVector; ",
            L"varying vec3 CameraVector; ",
            L" ",
            L"void main(void) ",
            L"{ ",
            L"  vec4 TextureContrib = texture2D(MainTexture, gl_TexCoord[0].xy); ",
            L"  vec4 DiffuseContrib = clamp(gl_LightSource[0].diffuse * dot(LightVector, Normal), 0.0, 1.0); ",
            L" ",
            L"  vec3 reflect_vec = reflect(CameraVector, -Normal); ",
            L"  float Temp = dot(reflect_vec, LightVector); ",
            L"  vec4 SpecContrib = gl_LightSource[0].specular * clamp(pow(Temp, SpecPower), 0.0, 0.95); ",
            L" ",
            separateSpecular ? L"  gl_FragColor = LightIntensity * (TextureContrib * (gl_LightSource[0].ambient + "
                               L"DiffuseContrib) + SpecContrib); "
                             : L"  gl_FragColor = TextureContrib * LightIntensity * (gl_LightSource[0].ambient + "
                               L"DiffuseContrib + SpecContrib); ",
            L"} "};
}

const TLines kFragmentText3 = {
    L"uniform vec4 AmbientColor; ",
    L"uniform vec4 DiffuseColor; ",
    L"uniform vec4 SpecularColor; ",
    L" ",
    L"uniform float LightIntensity; ",
    L"uniform float SpecPower; ",
    L"uniform sampler2D MainTexture; ",
    L" ",
    L"varying vec3 Normal; ",
    L"varying vec3 LightVector; ",
    L"varying vec3 CameraVector; ",
    L" ",
    L"void main(void) ",
    L"{ ",
    L"  vec4 TextureContrib = texture2D(MainTexture, gl_TexCoord[0].xy); ",
    L"  vec4 DiffuseContrib = clamp(DiffuseColor * dot(LightVector, Normal), 0.0, 1.0); ",
    L" ",
    L"  vec3 reflect_vec = reflect(CameraVector, -Normal); ",
    L"  float Temp = dot(reflect_vec, LightVector); ",
    L"  vec4 SpecContrib = SpecularColor * clamp(pow(Temp, SpecPower), 0.0, 0.95); ",
    L" ",
    L"  gl_FragColor = TextureContrib * LightIntensity * (AmbientColor + DiffuseContrib + SpecContrib); ",
    L"} "};

const TLines kVertexText4 = {L"varying vec3 Normal; ",
                             L"varying vec3 LightVector; ",
                             L"varying vec3 ViewDirection; ",
                             L" ",
                             L" ",
                             L"void main(void) ",
                             L"{ ",
                             L"  gl_Position = ftransform(); ",
                             L"  gl_TexCoord[0] = gl_TextureMatrix[0] * gl_MultiTexCoord0; ",
                             L"  Normal = normalize(gl_NormalMatrix * gl_Normal); ",
                             L"  ViewDirection = (gl_ModelViewMatrix * gl_Vertex).xyz; ",
                             L"} "};

TLines FragmentText5(int lights, const String& colourLine) {
    TLines text = {L"uniform float LightIntensity; ",
                   L"uniform float SpecPower; ",
                   L"uniform sampler2D MainTexture; ",
                   L" ",
                   L"varying vec3 Normal; ",
                   L"varying vec3 ViewDirection; ",
                   L" ",
                   L"void main(void) ",
                   L"{ ",
                   L"  vec3 LightVector; ",
                   L"  vec3 reflect_vec; ",
                   L"  float Temp; ",
                   L"  vec4 TextureContrib = texture2D(MainTexture, gl_TexCoord[0].st); ",
                   L"  vec3 CameraVector = normalize(ViewDirection); ",
                   L" ",
                   L"  vec4 DiffuseContrib = vec4(0, 0, 0, 0); ",
                   L"  vec4 SpecContrib    = vec4(0, 0, 0, 0); ",
                   L"  vec4 AmbientContrib = vec4(0, 0, 0, 0); "};
    for (int i = 0; i < lights; ++i) {
        const String n = IntToStr(i);
        text.push_back(L"  LightVector = normalize(gl_LightSource[" + n + L"].position.xyz - ViewDirection); ");
        text.push_back(L"  AmbientContrib = AmbientContrib + gl_LightSource[" + n + L"].ambient; ");
        text.push_back(L"  DiffuseContrib = min(DiffuseContrib + clamp(gl_LightSource[" + n +
                       L"].diffuse * dot(LightVector, Normal), 0.0, 1.0), 1.0); ");
        text.push_back(L"  reflect_vec = reflect(CameraVector, -Normal); ");
        text.push_back(L"  Temp = dot(reflect_vec, LightVector); ");
        text.push_back(L"  SpecContrib = min(SpecContrib + gl_LightSource[" + n +
                       L"].specular * clamp(pow(Temp, SpecPower), 0.0, 0.95), 1.0); ");
    }
    text.push_back(colourLine);
    text.push_back(L"} ");
    return text;
}

// A comma as the user's decimal separator while it lives.
struct TCommaLocale {
    TCommaLocale() : saved(FormatSettings) { FormatSettings.DecimalSeparator = L','; }
    ~TCommaLocale() { FormatSettings = saved; }
    TFormatSettings saved;
};

}  // namespace

TEST(GLSLDiffuseSpecularTexts, AreWrittenLineForLine) {
    EXPECT_EQ(CodeOf(GetVertexProgramCode), kVertexText1);
    EXPECT_EQ(CodeOf([](TStrings* c) { GetFragmentProgramCode(c, false, false); }), FragmentText2(false));
    EXPECT_EQ(CodeOf([](TStrings* c) { GetFragmentProgramCode(c, true, false); }), FragmentText2(true));
    EXPECT_EQ(CodeOf([](TStrings* c) { GetFragmentProgramCode(c, false, true); }), kFragmentText3);
    EXPECT_EQ(CodeOf(GetMLVertexProgramCode), kVertexText4);
}

TEST(GLSLDiffuseSpecularTexts, MultiLightTextsCompensateWithAPointWhateverTheLocale) {
    TCommaLocale comma;
    const struct {
        int lights;
        Single compensation;
        bool separate;
        const wchar_t* colourLine;
    } cases[] = {
        {3, 1, false,
         L"  gl_FragColor = LightIntensity * TextureContrib  * (AmbientContrib + DiffuseContrib  + SpecContrib); "},
        {1, 0.5f, true,
         L"  gl_FragColor = LightIntensity * (TextureContrib * (AmbientContrib + DiffuseContrib) + SpecContrib); "},
        // (0.5 * 1 + 1) / 2 = 0.75, written with one decimal.
        {2, 0.5f, false,
         L"  gl_FragColor =  LightIntensity * TextureContrib * (AmbientContrib + DiffuseContrib  + SpecContrib) * "
         L"0.8; "},
        {4, 0.2f, true,
         L"  gl_FragColor = (LightIntensity * TextureContrib * (AmbientContrib + DiffuseContrib) + SpecContrib) * "
         L"0.4; "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lights);
        EXPECT_EQ(CodeOf([&](TStrings* code) { GetMLFragmentProgramCode(code, c.lights, c.compensation, c.separate); }),
                  FragmentText5(c.lights, c.colourLine));
    }
}

namespace {

class GLSLShaderGL : public THiddenGLWindow {
protected:
    void TearDown() override {
        owner.reset();
        THiddenGLWindow::TearDown();
    }
    template <class T>
    T* Make() {
        auto* shader = new T(owner.get());
        shader->SetFailedInitAction(fiaReRaiseException);
        return shader;
    }
    // Applies and unapplies once: the first application prepares the shader.
    void Use(TGLShader* shader) {
        shader->Apply(rci_, nullptr);
        shader->Unapply(rci_);
    }
    std::unique_ptr<TComponent> owner = std::make_unique<TComponent>(nullptr);
};

const char* const kPassThroughVertex = "void main(void) { gl_Position = ftransform(); }";
const char* const kWhiteFragment = "void main(void) { gl_FragColor = vec4(1.0); }";

}  // namespace

TEST_F(GLSLShaderGL, EveryReadyShaderCompilesAndLinks) {
    ASSERT_TRUE(TGLCustomGLSLShader(nullptr).IsSupported());
    std::vector<TGLCustomGLSLShader*> shaders = {
        Make<TGLSLDiffuseSpecularShader>(), Make<TGLSLDiffuseSpecularShaderMT>(), Make<TGLSLDiffuseSpecularShaderAM>(),
        Make<TGLSLMLDiffuseSpecularShader>(), Make<TGLSLMLDiffuseSpecularShaderMT>()};
    auto* separate = Make<TGLSLDiffuseSpecularShader>();
    separate->SetSeparateSpecular(true);
    auto* threeLights = Make<TGLSLMLDiffuseSpecularShader>();
    threeLights->SetLightCount(3);
    threeLights->SetLightCompensation(0.5f);
    shaders.push_back(separate);
    shaders.push_back(threeLights);
    for (TGLCustomGLSLShader* shader : shaders) {
        SCOPED_TRACE(Utf8(shader->ClassName()));
        EXPECT_EQ(MessageOf([&] { Use(shader); }), "(no exception)");
        EXPECT_TRUE(shader->Enabled());
        ASSERT_NE(shader->GetProgram(), nullptr);
        EXPECT_TRUE(shader->VertexProgram()->Enabled());
        EXPECT_TRUE(shader->FragmentProgram()->Enabled());
        GLint linked = 0;
        GL.glGetObjectParameterivARB(shader->GetProgram()->Handle(), GL_OBJECT_LINK_STATUS_ARB, &linked);
        EXPECT_EQ(linked, 1);
    }
    EXPECT_EQ(threeLights->FragmentProgram()->Code()->Count(), 18 + 18 + 2);
}

TEST_F(GLSLShaderGL, ABadSourceFailsWithTheInfoLogAndLeavesTheShaderDisabled) {
    const struct {
        const char* name;
        const char* vertex;
        const char* fragment;
    } cases[] = {
        {"does not compile", kPassThroughVertex, "void main(void) { gl_FragColor = nonsense; }"},
        // The fragment program reads a varying that the vertex program never declares.
        {"does not link", kPassThroughVertex, "varying vec4 Missing; void main(void) { gl_FragColor = Missing; }"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto* shader = Make<TGLSLShader>();
        shader->VertexProgram()->Code()->SetText(String(c.vertex, c.vertex + strlen(c.vertex)));
        shader->FragmentProgram()->Code()->SetText(String(c.fragment, c.fragment + strlen(c.fragment)));
        const std::string message = ClassAndMessageOf([&] { shader->Apply(rci_, nullptr); });
        EXPECT_EQ(message.rfind("EGLShaderException: ", 0), 0u) << message;
        EXPECT_NE(message.find("error"), std::string::npos) << message;
        EXPECT_FALSE(shader->Enabled());
        EXPECT_EQ(shader->GetProgram(), nullptr);
        // Disabled, it applies as nothing from now on.
        EXPECT_EQ(MessageOf([&] { Use(shader); }), "(no exception)");
    }
    auto* standard = Make<TGLSLShader>();
    standard->SetFailedInitAction(fiaRaiseStandardException);
    standard->FragmentProgram()->Code()->SetText(L"void main(void) { gl_FragColor = nonsense; }");
    EXPECT_EQ(MessageOf([&] { standard->Apply(rci_, nullptr); }),
              "Your hardware/driver doesn't support shader TGLSLShader!");
    auto* silent = Make<TGLSLShader>();
    silent->SetFailedInitAction(fiaSilentDisable);
    silent->FragmentProgram()->Code()->SetText(L"void main(void) { gl_FragColor = nonsense; }");
    EXPECT_EQ(MessageOf([&] { Use(silent); }), "(no exception)");
    EXPECT_FALSE(silent->Enabled());
}

TEST_F(GLSLShaderGL, WithBothProgramsDisabledItDisablesItselfWithoutOpenGL) {
    auto* shader = Make<TGLSLShader>();
    TGLRecorder recorder;
    GL.GL_ARB_shader_objects = GL.GL_ARB_vertex_program = GL.GL_ARB_vertex_shader = GL.GL_ARB_fragment_shader = true;
    Use(shader);
    EXPECT_EQ(recorder.Calls(), TGLCalls{});
    EXPECT_FALSE(shader->Enabled());
}

TEST_F(GLSLShaderGL, EditsAndAssignmentsRebuildTheProgramOnNextUse) {
    auto* shader = Make<TGLSLShader>();
    shader->VertexProgram()->Code()->SetText(L"void main(void) { gl_Position = ftransform(); }");
    EXPECT_TRUE(shader->VertexProgram()->Enabled());  // editing the code enabled it
    EXPECT_FALSE(shader->FragmentProgram()->Enabled());
    Use(shader);
    ASSERT_NE(shader->GetProgram(), nullptr);

    shader->FragmentProgram()->Code()->SetText(L"void main(void) { gl_FragColor = vec4(1.0); }");
    EXPECT_EQ(shader->GetProgram(), nullptr);
    Use(shader);
    ASSERT_NE(shader->GetProgram(), nullptr);
    // Code edited again in an enabled program is compiled again too.
    shader->FragmentProgram()->Code()->SetText(L"void main(void) { gl_FragColor = nonsense; }");
    EXPECT_EQ(shader->GetProgram(), nullptr);
    EXPECT_NE(MessageOf([&] { Use(shader); }), "(no exception)");

    auto* source = Make<TGLSLShader>();
    source->VertexProgram()->Code()->SetText(L"void main(void) { gl_Position = ftransform(); }");
    auto* target = Make<TGLSLShader>();
    target->FragmentProgram()->Code()->SetText(L"void main(void) { gl_FragColor = vec4(0.5); }");
    Use(target);
    ASSERT_NE(target->GetProgram(), nullptr);
    target->Assign(source);
    EXPECT_EQ(target->GetProgram(), nullptr);
    EXPECT_EQ(Lines(*target->VertexProgram()->Code()), Lines(*source->VertexProgram()->Code()));
    Use(target);
    EXPECT_NE(target->GetProgram(), nullptr);

    // Changing the light settings of a multi-light shader writes its texts again.
    auto* lights = Make<TGLSLMLDiffuseSpecularShader>();
    Use(lights);
    ASSERT_NE(lights->GetProgram(), nullptr);
    lights->SetLightCount(2);
    EXPECT_EQ(lights->GetProgram(), nullptr);
    Use(lights);
    EXPECT_EQ(lights->FragmentProgram()->Code()->Count(), 18 + 12 + 2);
    EXPECT_EQ(
        MessageOf([&] { lights->SetLightCount(0); }).rfind("Error: This shader needs at least one LightSource!", 0),
        0u);
    EXPECT_EQ(lights->LightCount(), 2);
}

TEST_F(GLSLShaderGL, ParamIsOneObjectPointedAtEachUniformInTurn) {
    auto* shader = Make<TGLSLDiffuseSpecularShader>();
    Use(shader);
    TGLSLShaderParameter* power = shader->Param("SpecPower");
    const GLint powerLocation = power->Location();
    TGLSLShaderParameter* intensity = shader->Param("LightIntensity");
    EXPECT_EQ(power, intensity);
    EXPECT_NE(power->Location(), powerLocation);
    EXPECT_EQ(shader->Param("NoSuchUniform")->Location(), -1);

    shader->GetProgram()->UseProgram();
    shader->Param("SpecPower")->SetFloat(12.5f);
    EXPECT_FLOAT_EQ(shader->Param("SpecPower")->GetFloat(), 12.5f);
    shader->GetProgram()->EndUseProgram();
}

TEST(GLSLDiffuseSpecularShaderMT, TheTextureNameWaitsForALibraryOnlyWhileLoading) {
    TComponent form(nullptr);
    auto* library = new TGLMaterialLibrary(&form);
    TBitmap white(4, 4, pf24bit);
    TGLLibMaterial* entry = library->AddBitmapMaterial(L"Stone", &white);
    auto* shader = new TGLSLDiffuseSpecularShaderMT(&form);
    EXPECT_EQ(MessageOf([&] { shader->SetMainTextureName(L"Stone"); }), "Error: Material Library not defined!");
    shader->SetMaterialLibrary(library);
    EXPECT_EQ(shader->MainTexture(), entry->Material()->Texture());
    EXPECT_EQ(Utf8(shader->MainTextureName()), "Stone");

    // Read from a form description, the name waits; the library resolves it when set.
    RegisterClass(TGLSLDiffuseSpecularShaderMT::StaticClass());
    TComponent loaded(nullptr);
    ReadComponentFromText(
        "object Form1: TComponent\n  object Shader: TGLSLDiffuseSpecularShaderMT\n"
        "    MainTextureName = 'Stone'\n    SpecularPower = 16\n  end\nend\n",
        &loaded);
    auto* read = dynamic_cast<TGLSLDiffuseSpecularShaderMT*>(loaded.FindComponent(L"Shader"));
    ASSERT_NE(read, nullptr);
    EXPECT_FLOAT_EQ(read->SpecularPower(), 16);
    EXPECT_EQ(read->MainTexture(), nullptr);
    read->SetMaterialLibrary(library);
    EXPECT_EQ(read->MainTexture(), entry->Material()->Texture());

    // The library freed: its texture and the reference go.
    FreeObject(library);
    EXPECT_EQ(shader->MainTexture(), nullptr);
    EXPECT_EQ(shader->MaterialLibrary(), nullptr);
    EXPECT_EQ(read->MainTexture(), nullptr);
}

TEST(GLSLDiffuseSpecularShaderAM, AlphaIsTheMeanOfItsColoursAlphas) {
    TGLSLDiffuseSpecularShaderAM shader(nullptr);
    shader.SpecularColor()->SetAlpha(0.4f);
    EXPECT_FLOAT_EQ(shader.Alpha(), 0.8f);
    shader.SetAlpha(0.5f);
    EXPECT_FLOAT_EQ(shader.AmbientColor()->Alpha(), 0.5f);
    EXPECT_FLOAT_EQ(shader.DiffuseColor()->Alpha(), 0.5f);
    EXPECT_FLOAT_EQ(shader.SpecularColor()->Alpha(), 0.5f);
}

namespace {

// A sphere of radius 1.5 at the origin, seen from (0, 0, 20) (about 28 pixels across its
// radius), drawn with a library material.
struct TShadedSphere {
    TShadedSphere() : view(fixture, 96, 96) {
        library = new TGLMaterialLibrary(fixture.form.get());
        sphere = fixture.Add<TGLSphere>(nullptr);
        sphere->SetRadius(1.5f);
        sphere->SetSlices(64);
        sphere->SetStacks(64);
        sphere->Material()->SetMaterialLibrary(library);
    }
    TSceneFixture fixture;
    TSceneView view;
    TGLMaterialLibrary* library = nullptr;
    TGLSphere* sphere = nullptr;
};

}  // namespace

TEST(GLSLDiffuseSpecularShader, TheSpheresHighlightIsWhereTheLightReflectsIntoTheCamera) {
    TShadedSphere scene;
    ASSERT_TRUE(scene.view.Ready());
    TBitmap white(4, 4, pf24bit);
    white.Canvas()->Brush()->SetColor(clWhite);
    white.Canvas()->FillRect(Rect(0, 0, 4, 4));
    TGLLibMaterial* entry = scene.library->AddBitmapMaterial(L"White", &white);
    auto* shader = new TGLSLDiffuseSpecularShader(scene.fixture.form.get());
    shader->SetFailedInitAction(fiaReRaiseException);
    entry->SetShader(shader);
    scene.sphere->Material()->SetLibMaterialName(L"White");
    // A light that only shines specular: the frame shows the highlight alone.
    auto* light = scene.fixture.Add<TGLLightSource>(nullptr);
    const TAffineVector lightAt = {40, 30, 20}, eye = {0, 0, 20};
    light->Position()->SetPoint(lightAt.X, lightAt.Y, lightAt.Z);
    light->Diffuse()->SetColorVector({0, 0, 0, 1});
    light->Ambient()->SetColorVector({0, 0, 0, 1});
    light->Specular()->SetColorVector({1, 1, 1, 1});
    scene.view.buffer->SetLighting(true);
    scene.view.buffer->AmbientColor()->SetColorVector({0, 0, 0, 1});
    scene.view.Render();
    ASSERT_NE(shader->GetProgram(), nullptr);

    // Where the mirror direction of the view about the normal meets the light: the normal
    // halves the directions to the light and to the eye (found by a few refinements).
    const Single radius = scene.sphere->Radius();
    TAffineVector p = {0, 0, radius};
    for (int i = 0; i < 20; ++i) {
        const TAffineVector toLight = NormalizedAffine(SubtractAffine(lightAt, p));
        const TAffineVector toEye = NormalizedAffine(SubtractAffine(eye, p));
        p = ScaledAffine(NormalizedAffine(AddAffine(toLight, toEye)), radius);
    }
    const TAffineVector screen = scene.view.buffer->WorldToScreen(p);
    const double px = screen.X, py = 96 - screen.Y;  // y from the top
    ASSERT_TRUE(px > 8 && px < 88 && py > 8 && py < 88) << px << "," << py;

    // The saturated spot sits on the predicted point; the pixels around it are dimmer. (Far
    // from the light the program's pow of a negative number is undefined: only the lit side is
    // looked at.)
    double sx = 0, sy = 0;
    int spot = 0, ringBright = 0;
    for (int y = int(py) - 8; y <= int(py) + 8; ++y)
        for (int x = int(px) - 8; x <= int(px) + 8; ++x) {
            const double d = std::hypot(x + 0.5 - px, y + 0.5 - py);
            const int r = scene.view.At(x, y).r;
            if (d <= 3 && r >= 230) {
                sx += x + 0.5;
                sy += y + 0.5;
                ++spot;
            }
            if (d >= 5 && d <= 8 && r >= 200) ++ringBright;
        }
    ASSERT_GT(spot, 0);
    EXPECT_NEAR(sx / spot, px, 1);
    EXPECT_NEAR(sy / spot, py, 1);
    EXPECT_EQ(ringBright, 0);
}

TEST(GLSLDiffuseSpecularShaderMT, WithoutItsTextureTheObjectKeepsItsMaterialsColours) {
    TShadedSphere scene;
    ASSERT_TRUE(scene.view.Ready());
    TGLLibMaterial* entry = scene.library->Materials()->Add();
    entry->SetName(L"Red");
    entry->Material()->SetMaterialOptions(TMaterialOptions{moNoLighting});
    entry->Material()->FrontProperties()->Diffuse()->SetColorVector({1, 0, 0, 1});
    auto* shader = new TGLSLDiffuseSpecularShaderMT(scene.fixture.form.get());
    shader->SetFailedInitAction(fiaReRaiseException);
    entry->SetShader(shader);
    scene.sphere->Material()->SetLibMaterialName(L"Red");
    scene.view.Render();
    EXPECT_EQ(scene.view.At(48, 48), (TRGB8{255, 0, 0}));
    EXPECT_EQ(GL.glGetError(), GLenum(GL_NO_ERROR));
}
