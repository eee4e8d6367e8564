#include "GLState.h"

#include <cstring>

#include "SysExceptions.h"

const GLenum cGLStateToGLEnum[stTexture3D + 1] = {
    GL_ALPHA_TEST,
    GL_AUTO_NORMAL,
    GL_BLEND,
    GL_COLOR_MATERIAL,
    GL_CULL_FACE,
    GL_DEPTH_TEST,
    GL_DITHER,
    GL_FOG,
    GL_LIGHTING,
    GL_LINE_SMOOTH,
    GL_LINE_STIPPLE,
    GL_LOGIC_OP,
    GL_NORMALIZE,
    GL_POINT_SMOOTH,
    GL_POLYGON_SMOOTH,
    GL_POLYGON_STIPPLE,
    GL_SCISSOR_TEST,
    GL_STENCIL_TEST,
    GL_TEXTURE_1D,
    GL_TEXTURE_2D,
    GL_TEXTURE_CUBE_MAP,
    GL_TEXTURE_RECTANGLE_ARB,
    GL_TEXTURE_3D,
};

namespace {

const GLenum kColorNames[4] = {GL_EMISSION, GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR};
const GLuint kNoTexture = ~GLuint(0);  // matches no name

}  // namespace

TGLStateCache::TGLStateCache()
    // OpenGL starts with dithering on and every other cached state off.
    : states_(1u << stDither) {
    std::memset(colors_, 0, sizeof(colors_));
}

void TGLStateCache::EnableState(TCachedGLState state) {
    if (IsEnabled(state)) return;
    states_ |= 1u << state;
    GL.glEnable(cGLStateToGLEnum[state]);
}

void TGLStateCache::DisableState(TCachedGLState state) {
    if (!IsEnabled(state)) return;
    states_ &= ~(1u << state);
    GL.glDisable(cGLStateToGLEnum[state]);
}

void TGLStateCache::SetPolygonMode(GLenum face, GLenum mode) {
    switch (face) {
        case GL_FRONT:
            if (polygonModes_[0] == mode) return;
            polygonModes_[0] = mode;
            break;
        case GL_BACK:
            if (polygonModes_[1] == mode) return;
            polygonModes_[1] = mode;
            break;
        case GL_FRONT_AND_BACK:
            if (polygonModes_[0] == mode && polygonModes_[1] == mode) return;
            polygonModes_[0] = polygonModes_[1] = mode;
            break;
        default:
            return;
    }
    GL.glPolygonMode(face, mode);
}

void TGLStateCache::ResetPolygonModes() { polygonModes_[0] = polygonModes_[1] = 0; }

int TGLStateCache::FaceIndex(GLenum face) {
    Assert(face == GL_FRONT || face == GL_BACK, L"Material colours need GL_FRONT or GL_BACK");
    return face == GL_FRONT ? 0 : 1;
}

void TGLStateCache::SetMaterialColors(GLenum face, const TVector4f& emission, const TVector4f& ambient,
                                      const TVector4f& diffuse, const TVector4f& specular, Integer shininess) {
    const int f = FaceIndex(face);
    if (shininess_[f] != shininess) {
        shininess_[f] = shininess;
        GL.glMateriali(face, GL_SHININESS, shininess);
    }
    const TVector4f* colors[4] = {&emission, &ambient, &diffuse, &specular};
    for (int i = 0; i < 4; ++i) {
        // Bit for bit, so that the unmatchable reset pattern always differs.
        if (std::memcmp(&colors_[f][i], colors[i], sizeof(TVector4f)) == 0) continue;
        colors_[f][i] = *colors[i];
        GL.glMaterialfv(face, kColorNames[i], &colors_[f][i].X);
    }
}

void TGLStateCache::SetDiffuseAlpha(GLenum face, Single alpha) {
    const int f = FaceIndex(face);
    if (colors_[f][2].W == alpha) return;
    colors_[f][2].W = alpha;
    GL.glMaterialfv(face, GL_DIFFUSE, &colors_[f][2].X);
}

void TGLStateCache::ResetMaterialColors() {
    const GLfloat ambient[4] = {0.2f, 0.2f, 0.2f, 1}, diffuse[4] = {0.8f, 0.8f, 0.8f, 1}, black[4] = {0, 0, 0, 1};
    GL.glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
    GL.glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    GL.glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, black);
    GL.glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, black);
    GL.glMateriali(GL_FRONT_AND_BACK, GL_SHININESS, 0);
    std::memset(colors_, 0x7F, sizeof(colors_));
    shininess_[0] = shininess_[1] = 0;
}

void TGLStateCache::BindTextureCached(int unit, GLenum target, GLuint name) {
    Assert(unit >= 0 && unit < 8, L"Texture unit out of range");
    if (textures_[unit] == name) return;
    textures_[unit] = name;
    GL.glBindTexture(target, name);
}

void TGLStateCache::ResetTextureCache() {
    for (GLuint& name : textures_) name = kNoTexture;
}

void TGLStateCache::SetTextureMatrix(const TMatrix4x4& matrix) {
    GL.glMatrixMode(GL_TEXTURE);
    GL.glLoadMatrixf(&matrix.Rows[0].X);
    GL.glMatrixMode(GL_MODELVIEW);
    textureMatrixIsIdentity_ = false;
}

void TGLStateCache::ResetTextureMatrix() {
    if (textureMatrixIsIdentity_) return;
    GL.glMatrixMode(GL_TEXTURE);
    GL.glLoadIdentity();
    GL.glMatrixMode(GL_MODELVIEW);
    textureMatrixIsIdentity_ = true;
}

void TGLStateCache::InvertFrontFace() {
    frontFaceCCW_ = !frontFaceCCW_;
    GL.glFrontFace(frontFaceCCW_ ? GL_CCW : GL_CW);
}

void TGLStateCache::ResetFrontFace() {
    GL.glFrontFace(GL_CCW);
    frontFaceCCW_ = true;
}

void TGLStateCache::ResetAll() {
    ResetPolygonModes();
    ResetMaterialColors();
    ResetTextureCache();
    ResetFrontFace();
}

TEnableAttribScope::TEnableAttribScope(TGLStateCache* cache)
    : cache_(cache), savedStates_(cache ? cache->States() : 0) {
    GL.glPushAttrib(GL_ENABLE_BIT);
}

TEnableAttribScope::~TEnableAttribScope() {
    GL.glPopAttrib();
    if (!cache_) return;
    const Cardinal changed = cache_->States() ^ savedStates_;
    for (int s = 0; s <= stTexture3D; ++s) {
        if (!(changed & (1u << s))) continue;
        if (savedStates_ & (1u << s))
            cache_->EnableState(TCachedGLState(s));
        else
            cache_->DisableState(TCachedGLState(s));
    }
}
