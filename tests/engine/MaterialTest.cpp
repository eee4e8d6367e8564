#include <gtest/gtest.h>

#include "GLMaterial.h"
#include "GLRecorder.h"
#include "GLRenderContextInfo.h"
#include "GLState.h"
#include "TestSupport.h"

namespace {

// A recording table, a state cache and a render record for one material test.
class MaterialApply : public testing::Test {
protected:
    void SetUp() override { rci.GLStates = &states; }
    TGLCalls Take() { return recorder.Take(); }
    TGLRecorder recorder;
    TGLStateCache states;
    TRenderContextInfo rci;
};

TEST_F(MaterialApply, BlendingModes) {
    struct Case {
        TBlendingMode mode;
        TGLCalls calls;
    } cases[] = {
        {bmOpaque, {}},
        {bmTransparency, {"glEnable(3042)", "glEnable(3008)", "glBlendFunc(770,771)"}},
        {bmAdditive, {"glEnable(3042)", "glEnable(3008)", "glBlendFunc(770,1)"}},
        {bmAlphaTest50, {"glEnable(3008)", "glAlphaFunc(518,0.5)"}},
        {bmAlphaTest100, {"glEnable(3008)", "glAlphaFunc(518,1)"}},
        {bmModulate, {"glEnable(3042)", "glEnable(3008)", "glBlendFunc(774,0)"}},
    };
    for (const Case& c : cases) {
        TGLStateCache fresh;
        rci.GLStates = &fresh;
        TGLMaterial material(nullptr);
        material.SetFaceCulling(fcCull);
        material.SetBlendingMode(c.mode);
        fresh.EnableState(stCullFace);
        Take();
        material.Apply(rci);
        TGLCalls calls = Take();
        // Past the colour and polygon-mode calls.
        calls.erase(calls.begin(), calls.begin() + 2);
        EXPECT_EQ(calls, c.calls) << int(c.mode);
    }
    rci.GLStates = &states;
    TGLMaterial alpha(nullptr);
    alpha.SetBlendingMode(bmAlphaTest50);
    rci.ignoreBlendingRequests = true;
    alpha.Apply(rci);
    Take();
    EXPECT_FALSE(alpha.Unapply(rci));
    EXPECT_EQ(Take(), (TGLCalls{"glAlphaFunc(516,0)"}));  // the comparison is reset, ALPHA_TEST stays
}

TEST_F(MaterialApply, FaceCullingAgainstTheCacheAndTheBuffer) {
    struct Case {
        bool culling, bufferCulls;
        TFaceCulling mode;
        bool backColours;
        const char* stateCall;
    } cases[] = {
        {true, false, fcBufferDefault, true, "glDisable(2884)"},
        {true, true, fcBufferDefault, false, nullptr},
        {true, true, fcCull, false, nullptr},
        {true, true, fcNoCull, true, "glDisable(2884)"},
        {false, true, fcBufferDefault, false, "glEnable(2884)"},
        {false, false, fcBufferDefault, true, nullptr},
        {false, false, fcCull, false, "glEnable(2884)"},
        {false, true, fcNoCull, true, nullptr},
    };
    for (const Case& c : cases) {
        TGLStateCache fresh;
        rci.GLStates = &fresh;
        rci.bufferFaceCull = c.bufferCulls;
        if (c.culling) fresh.EnableState(stCullFace);
        Take();
        TGLMaterial material(nullptr);
        material.SetFaceCulling(c.mode);
        material.Apply(rci);
        const TGLCalls calls = Take();
        auto has = [&](const std::string& call) { return std::find(calls.begin(), calls.end(), call) != calls.end(); };
        const bool back = std::any_of(calls.begin(), calls.end(),
                                      [](const std::string& s) { return s.rfind("glMaterialfv(1029", 0) == 0; });
        EXPECT_EQ(back, c.backColours) << c.culling << c.bufferCulls << int(c.mode);
        EXPECT_EQ(has("glDisable(2884)"), c.stateCall && std::string(c.stateCall) == "glDisable(2884)");
        EXPECT_EQ(has("glEnable(2884)"), c.stateCall && std::string(c.stateCall) == "glEnable(2884)");
    }
    rci.GLStates = &states;
}

TEST_F(MaterialApply, NestedLightingAndFogSwitchesComeBackAtTheOutermost) {
    states.EnableState(stLighting);
    states.EnableState(stFog);
    TGLMaterial outer(nullptr), inner(nullptr);
    outer.SetMaterialOptions(TMaterialOptions{} + moNoLighting + moIgnoreFog);
    inner.SetMaterialOptions(TMaterialOptions{} + moNoLighting + moIgnoreFog);
    Take();
    outer.Apply(rci);
    EXPECT_EQ(rci.lightingDisabledCounter, 1);
    EXPECT_EQ(rci.fogDisabledCounter, 1);
    inner.Apply(rci);
    EXPECT_EQ(rci.lightingDisabledCounter, 2);
    EXPECT_EQ(rci.fogDisabledCounter, 2);
    Take();
    inner.Unapply(rci);
    EXPECT_FALSE(states.IsEnabled(stLighting));  // the outer material still holds it off
    EXPECT_FALSE(states.IsEnabled(stFog));
    EXPECT_EQ(Take(), TGLCalls{});
    outer.Unapply(rci);
    EXPECT_TRUE(states.IsEnabled(stLighting));
    EXPECT_TRUE(states.IsEnabled(stFog));
    EXPECT_EQ(Take(), (TGLCalls{"glEnable(2896)", "glEnable(2912)"}));
    EXPECT_EQ(rci.lightingDisabledCounter, 0);

    // Lighting already off: nothing counted, nothing switched back on.
    states.DisableState(stLighting);
    outer.Apply(rci);
    EXPECT_EQ(rci.lightingDisabledCounter, 0);
    outer.Unapply(rci);
    EXPECT_FALSE(states.IsEnabled(stLighting));
}

TEST_F(MaterialApply, LightingDecidesHowTheFrontColourIsSent) {
    TGLMaterial material(nullptr);
    material.SetFaceCulling(fcCull);
    material.FrontProperties()->Diffuse()->AssignRGBA(0.25f, 0.5f, 0.75f, 1);
    material.Apply(rci);
    EXPECT_EQ(Take(), (TGLCalls{"glColor4fv([0.25,0.5,0.75,1])", "glPolygonMode(1028,6914)", "glEnable(2884)"}));
}

TEST(Material, BackPropertiesComeAndGoWithAssign) {
    TGLMaterial withBack(nullptr), without(nullptr);
    EXPECT_FALSE(withBack.HasBackProperties());
    EXPECT_EQ(withBack.BackProperties()->Diffuse()->Color().X, 0.8f);
    withBack.Assign(&without);
    EXPECT_FALSE(withBack.HasBackProperties());
}

TEST(Material, ResolvesLibraryNames) {
    TGLMaterialLibrary library(nullptr);
    TGLLibMaterial* sky = library.Materials()->Add();
    sky->SetName(L"Sky");
    TGLMaterial material(nullptr);
    material.SetLibMaterialName(L"Sky");
    EXPECT_EQ(material.LibMaterial(), nullptr);  // no library yet: the name is kept
    EXPECT_EQ(material.LibMaterialName(), L"Sky");
    material.SetMaterialLibrary(&library);
    EXPECT_EQ(material.LibMaterial(), sky);
    EXPECT_EQ(material.ResolvedMaterial(), sky->Material());
    sky->Material()->SetBlendingMode(bmAdditive);
    EXPECT_TRUE(material.IsBlended());
    material.SetLibMaterialName(L"sky");  // case-sensitive
    EXPECT_EQ(material.LibMaterial(), nullptr);

    // A chain that comes back to itself is refused.
    TGLLibMaterial* a = library.Materials()->Add();
    TGLLibMaterial* b = library.Materials()->Add();
    a->Material()->SetMaterialLibrary(&library);
    a->Material()->SetLibMaterialName(b->Name());
    b->Material()->SetMaterialLibrary(&library);
    try {
        b->Material()->SetLibMaterialName(a->Name());
        ADD_FAILURE() << "a cycle was taken";
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(Utf8(e.Message()).rfind("Error: Cyclic material reference detected!", 0), 0u);
    }

    // Freeing the entry detaches its users.
    material.SetLibMaterialName(L"Sky");
    delete sky;
    EXPECT_EQ(material.LibMaterial(), nullptr);
    EXPECT_EQ(material.MaterialLibrary(), nullptr);
    EXPECT_EQ(material.LibMaterialName(), L"");
}

TEST_F(MaterialApply, ASecondTextureNameThatFindsNothingIsCleared) {
    GL.GL_ARB_multitexture = true;
    TGLMaterialLibrary library(nullptr);
    TGLLibMaterial* entry = library.Materials()->Add();
    entry->SetTexture2Name(L"Nowhere");
    TGLMaterial material(nullptr);
    material.SetMaterialLibrary(&library);
    material.SetLibMaterialName(entry->Name());
    material.Apply(rci);
    EXPECT_EQ(entry->Texture2Name(), L"");
    material.Unapply(rci);
}

class TCountingShader : public TGLShader {
public:
    using TGLShader::TGLShader;
    int applied = 0, passes = 1;

protected:
    void DoApply(TRenderContextInfo&, TObject*) override { ++applied; }
    bool DoUnapply(TRenderContextInfo&) override { return --passes > 0; }
};

TEST(Shader, ApplicationMustBalance) {
    TRenderContextInfo rci;
    TCountingShader shader(nullptr);
    shader.SetEnabled(false);  // no OpenGL set-up while disabled
    shader.Apply(rci, nullptr);
    EXPECT_EQ(shader.applied, 0);
    EXPECT_THROW(shader.Apply(rci, nullptr), EAssertionFailed);
    EXPECT_THROW(shader.SetEnabled(true), EAssertionFailed);
    EXPECT_FALSE(shader.Unapply(rci));
    EXPECT_THROW(shader.Unapply(rci), EAssertionFailed);
    shader.SetFailedInitAction(fiaRaiseHandledException);
    EXPECT_NO_THROW(shader.HandleInitFailure(L""));
    shader.SetFailedInitAction(fiaReRaiseException);
    try {
        shader.HandleInitFailure(L"");
        ADD_FAILURE();
    } catch (const EGLShaderException& e) {
        EXPECT_EQ(Utf8(e.Message()), "Your hardware/driver doesn't support shader TGLShader!");
    }
}

}  // namespace
