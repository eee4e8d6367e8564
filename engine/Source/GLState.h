#pragma once
// TGLStateCache: what the engine believes about the OpenGL state it changes most often, so that
// redundant calls are skipped. It never reads OpenGL back: it starts from OpenGL's own initial
// state and then trusts what it was told. The scene buffer keeps one per context, resets it at
// the start of every rendering, and hands it down in the render record.

#include "OpenGL1x.h"
#include "SysObject.h"
#include "VectorTypes.h"

enum TCachedGLState {
    stAlphaTest,
    stAutoNormal,
    stBlend,
    stColorMaterial,
    stCullFace,
    stDepthTest,
    stDither,
    stFog,
    stLighting,
    stLineSmooth,
    stLineStipple,
    stLogicOp,
    stNormalize,
    stPointSmooth,
    stPolygonSmooth,
    stPolygonStipple,
    stScissorTest,
    stStencilTest,
    stTexture1D,
    stTexture2D,
    stTextureCubeMap,
    stTextureRect,
    stTexture3D
};

// The OpenGL enumerant of each cached state.
extern const GLenum cGLStateToGLEnum[stTexture3D + 1];

class TGLStateCache : public TObject {
    Z_CLASS(TGLStateCache, TObject)
public:
    TGLStateCache();

    // The states believed enabled, bit i for state i.
    Cardinal States() const { return states_; }
    bool IsEnabled(TCachedGLState state) const { return states_ & (1u << state); }
    void EnableState(TCachedGLState state);
    void DisableState(TCachedGLState state);

    // face is GL_FRONT, GL_BACK or GL_FRONT_AND_BACK; any other face is ignored.
    void SetPolygonMode(GLenum face, GLenum mode);
    void ResetPolygonModes();

    // face is GL_FRONT or GL_BACK. Sends only the values that differ from the cached ones.
    void SetMaterialColors(GLenum face, const TVector4f& emission, const TVector4f& ambient, const TVector4f& diffuse,
                           const TVector4f& specular, Integer shininess);
    void SetDiffuseAlpha(GLenum face, Single alpha);
    // Sends OpenGL's default material and makes every cached colour unmatchable.
    void ResetMaterialColors();

    // One cached name per unit (0..7), whatever the target.
    void BindTextureCached(int unit, GLenum target, GLuint name);
    void ResetTextureCache();

    void SetTextureMatrix(const TMatrix4x4& matrix);
    void ResetTextureMatrix();

    void InvertFrontFace();
    void ResetFrontFace();

    // Polygon modes, material colours, texture bindings and winding are sent again after this;
    // enabled states and the texture matrix stay trusted.
    void ResetAll();

private:
    static int FaceIndex(GLenum face);

    Cardinal states_;
    TVector4f colors_[2][4];  // per face: emission, ambient, diffuse, specular
    Integer shininess_[2] = {};
    GLuint textures_[8] = {};
    GLenum polygonModes_[2] = {};
    bool frontFaceCCW_ = true;
    bool textureMatrixIsIdentity_ = true;
};

// Pushes OpenGL's enable group for its lifetime. State-cache calls made meanwhile would leave
// the cache believing what it was told after the pop: the cache (and OpenGL, redundantly) is put
// back to the states it held at the push.
class TEnableAttribScope {
public:
    explicit TEnableAttribScope(TGLStateCache* cache);
    ~TEnableAttribScope();
    TEnableAttribScope(const TEnableAttribScope&) = delete;
    TEnableAttribScope& operator=(const TEnableAttribScope&) = delete;

private:
    TGLStateCache* cache_;
    Cardinal savedStates_;
};
