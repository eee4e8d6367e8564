#include <gtest/gtest.h>

#include "GLRecorder.h"
#include "GLRenderContextInfo.h"
#include "GLState.h"
#include "GLTexture.h"
#include "TestSupport.h"

namespace {

// Counts the changes and mapping changes a texture reports to its owner.
class TListeningOwner : public TGLUpdateAbleObject, public IGLTextureNotifiable {
public:
    TListeningOwner() : TGLUpdateAbleObject(nullptr) {}
    void ReportChange(TObject*) override { ++changes; }
    void TexMappingChanged(TObject*) override { ++mappingChanges; }
    int changes = 0, mappingChanges = 0;
};

TEST(Texture, SettersMarkImageOrParametersAndTellTheOwner) {
    TListeningOwner owner;
    TGLTexture texture(&owner);
    EXPECT_TRUE(texture.Disabled());
    EXPECT_TRUE(texture.ImageChangedPending());
    EXPECT_TRUE(texture.ParamsChangedPending());
    EXPECT_EQ(texture.ImageClassName(), L"TGLPersistentImage");

    texture.SetMinFilter(miNearest);
    EXPECT_EQ(owner.changes, 1);
    texture.SetMinFilter(miNearest);
    EXPECT_EQ(owner.changes, 1);
    texture.SetNormalMapScale(0.5f);  // not a normal map: nothing to re-upload
    EXPECT_EQ(owner.changes, 1);
    texture.SetTextureFormat(tfNormalMap);
    texture.SetNormalMapScale(0.25f);
    EXPECT_EQ(owner.changes, 3);

    // Between user and generated mapping the owner hears a mapping change, each way.
    texture.SetMappingMode(tmmSphere);
    texture.SetMappingMode(tmmUser);
    EXPECT_EQ(owner.mappingChanges, 2);
    texture.SetDisabled(false);
    EXPECT_EQ(owner.mappingChanges, 3);

    EXPECT_EQ(texture.MappingTCoordinates()->AsVector().X, 1.0f);  // both planes start as (1, 0, 0, 0)
    EXPECT_EQ(texture.MappingTCoordinates()->AsVector().Y, 0.0f);
}

TEST(Texture, ImageClassByName) {
    TGLTexture texture(nullptr);
    texture.SetImageClassName(L"TGLBlankImage");
    EXPECT_EQ(texture.Image()->ClassType(), TGLBlankImage::StaticClass());
    try {
        texture.SetImageClassName(L"TGLMovieImage");
        ADD_FAILURE() << "an unknown class was taken";
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(Utf8(e.Message()).rfind("Make sure you include the unit for TGLMovieImage in your uses clause", 0),
                  0u);
    }
    EXPECT_EQ(texture.Image()->ClassType(), TGLBlankImage::StaticClass());

    TGLTexture copy(nullptr);
    static_cast<TGLBlankImage*>(texture.Image())->SetWidth(64);
    texture.SetTextureWrap(twNone);
    copy.Assign(&texture);
    EXPECT_EQ(copy.Image()->ClassType(), TGLBlankImage::StaticClass());
    EXPECT_EQ(static_cast<TGLBlankImage*>(copy.Image())->Width(), 64);
    EXPECT_EQ(copy.TextureWrap(), twNone);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Disabled());
    EXPECT_EQ(copy.ImageClassName(), L"TGLPersistentImage");
}

TEST(Texture, InternalFormats) {
    TGLRecorder recorder;
    TGLTexture texture(nullptr);
    EXPECT_EQ(texture.ChooseInternalFormat(), GLenum(GL_RGBA8));  // tfDefault resolves to RGBA
    texture.SetTextureFormat(tfLuminanceAlpha);
    EXPECT_EQ(texture.ChooseInternalFormat(), GLenum(GL_LUMINANCE8_ALPHA8));
    GL.GL_ARB_texture_compression = true;
    texture.SetCompression(tcHighQuality);
    EXPECT_EQ(texture.ChooseInternalFormat(), GLenum(GL_COMPRESSED_LUMINANCE_ALPHA_ARB));
    EXPECT_EQ(recorder.Take(), (TGLCalls{"glHint(34031,4354)"}));

    // Float formats are never compressed; the ARB enumerants where the driver has them.
    texture.SetTextureFormat(tfRGBAFloat16);
    GL.GL_ARB_texture_float = true;
    EXPECT_EQ(texture.ChooseInternalFormat(), GLenum(GL_RGBA16F_ARB));
    GL.GL_ARB_texture_float = false;
    EXPECT_EQ(texture.ChooseInternalFormat(), GLenum(GL_FLOAT_RGBA16_NV));
    texture.SetTextureFormat(tfRGBAFloat32);
    GL.GL_ATI_texture_float = true;
    EXPECT_EQ(texture.ChooseInternalFormat(), GLenum(GL_RGBA32F_ARB));
    EXPECT_EQ(recorder.Take(), TGLCalls{});
}

TEST(Texture, ParametersPerWrapFilterAndAnisotropy) {
    struct Case {
        TGLTextureWrap wrap;
        bool edgeClamp;
        GLenum s, t;
    } cases[] = {
        {twBoth, true, GL_REPEAT, GL_REPEAT},
        {twNone, true, GL_CLAMP_TO_EDGE, GL_CLAMP_TO_EDGE},
        {twVertical, true, GL_CLAMP_TO_EDGE, GL_REPEAT},
        {twHorizontal, false, GL_REPEAT, GL_CLAMP},
        {twNone, false, GL_CLAMP, GL_CLAMP},
    };
    for (const Case& c : cases) {
        TGLRecorder recorder;
        GL.GL_VERSION_1_2 = c.edgeClamp;
        GL.GL_EXT_texture_filter_anisotropic = true;
        TGLTexture texture(nullptr);
        texture.SetTextureWrap(c.wrap);
        texture.SetMinFilter(miNearestMipmapLinear);
        texture.SetMagFilter(maNearest);
        texture.SetFilteringQuality(tfAnisotropic);
        texture.SetTextureParameters(GL_TEXTURE_2D);
        EXPECT_EQ(recorder.Take(),
                  (TGLCalls{"glHint(3152,4354)", "glPixelStorei(3317,4)", "glPixelStorei(3314,0)",
                            "glPixelStorei(3315,0)", "glPixelStorei(3316,0)", Call("glTexParameteri", 3553, 10242, c.s),
                            Call("glTexParameteri", 3553, 10243, c.t), "glTexParameteri(3553,10241,9986)",
                            "glTexParameteri(3553,10240,9728)", "glTexParameteri(3553,34046,2)"}))
            << int(c.wrap);
    }
    TGLRecorder recorder;
    TGLTexture floats(nullptr);
    floats.SetTextureFormat(tfRGBAFloat16);
    floats.SetTextureParameters(GL_TEXTURE_2D);
    const TGLCalls calls = recorder.Take();
    EXPECT_EQ(TGLCalls(calls.end() - 4, calls.end()),
              (TGLCalls{"glTexParameteri(3553,10242,33071)", "glTexParameteri(3553,10243,33071)",
                        "glTexParameteri(3553,10241,9728)", "glTexParameteri(3553,10240,9728)"}));
}

TEST(Texture, ApplyAndUnapplyThroughTheStateCache) {
    TGLRecorder recorder;
    TGLStateCache states;
    TRenderContextInfo rci;
    rci.GLStates = &states;
    TGLTexture texture(nullptr);
    // A disabled texture only switches 2D and rectangle texturing off (both believed off here).
    states.EnableState(stTexture2D);
    recorder.Clear();
    texture.Apply(rci);
    EXPECT_EQ(recorder.Take(), (TGLCalls{"glDisable(3553)"}));
    texture.Unapply(rci);
    EXPECT_EQ(recorder.Take(), TGLCalls{});

    // Generated mapping and its reset.
    texture.SetMappingMode(tmmSphere);
    texture.EnableTexGen();
    EXPECT_EQ(recorder.Take(),
              (TGLCalls{"glTexGeni(8192,9472,9218)", "glTexGeni(8193,9472,9218)", "glEnable(3168)", "glEnable(3169)"}));
    texture.DisableTexGen();
    EXPECT_EQ(recorder.Take(), (TGLCalls{"glDisable(3168)", "glDisable(3169)", "glDisable(3170)"}));
}

void APIENTRY TwoUnits(GLenum, GLint* value) { *value = 2; }

TEST(Texture, ExtraTexturesBeyondTheUnitsAreSkipped) {
    TGLRecorder recorder;
    GL.GL_ARB_multitexture = true;
    GL.glGetIntegerv = &TwoUnits;
    TGLStateCache states;
    TRenderContextInfo rci;
    rci.GLStates = &states;
    TListeningOwner material;
    TGLTextureEx extra(&material);
    TGLTextureExItem* item = extra.Add();
    item->SetTextureIndex(3);
    item->Texture()->SetDisabled(false);
    EXPECT_TRUE(extra.IsUnitEnabled(3));
    EXPECT_FALSE(extra.IsUnitEnabled(0));
    EXPECT_EQ(item->DisplayName(), L"Tex [3]");
    recorder.Clear();
    extra.Apply(rci);
    EXPECT_EQ(recorder.Take(), TGLCalls{});
}

}  // namespace
