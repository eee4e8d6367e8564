#include "GLTexture.h"

#include "GLRenderContextInfo.h"
#include "GLState.h"
#include "GLUtils.h"
#include "PersistentObjectList.h"
#include "Scene.h"
#include "SysUtils.h"
#include "XOpenGL.h"

namespace {

GLenum UncompressedFormat(TGLTextureFormat format) {
    switch (format) {
        case tfRGB:
            return GL_RGB8;
        case tfRGB16:
            return GL_RGB5;
        case tfRGBA16:
            return GL_RGBA4;
        case tfAlpha:
            return GL_ALPHA8;
        case tfLuminance:
            return GL_LUMINANCE8;
        case tfLuminanceAlpha:
            return GL_LUMINANCE8_ALPHA8;
        case tfIntensity:
            return GL_INTENSITY8;
        case tfNormalMap:
            return GL_RGB8;
        case tfRGBAFloat16:
            return GL_RGBA16F_ARB;
        case tfRGBAFloat32:
            return GL_RGBA32F_ARB;
        default:
            return GL_RGBA8;
    }
}

GLenum CompressedFormat(TGLTextureFormat format) {
    switch (format) {
        case tfRGB:
        case tfRGB16:
        case tfNormalMap:
            return GL_COMPRESSED_RGB_ARB;
        case tfAlpha:
            return GL_COMPRESSED_ALPHA_ARB;
        case tfLuminance:
            return GL_COMPRESSED_LUMINANCE_ARB;
        case tfLuminanceAlpha:
            return GL_COMPRESSED_LUMINANCE_ALPHA_ARB;
        case tfIntensity:
            return GL_COMPRESSED_INTENSITY_ARB;
        default:
            return GL_COMPRESSED_RGBA_ARB;
    }
}

const GLenum kMinFilters[] = {GL_NEAREST,
                              GL_LINEAR,
                              GL_NEAREST_MIPMAP_NEAREST,
                              GL_LINEAR_MIPMAP_NEAREST,
                              GL_NEAREST_MIPMAP_LINEAR,
                              GL_LINEAR_MIPMAP_LINEAR};
const GLenum kMagFilters[] = {GL_NEAREST, GL_LINEAR};

}  // namespace

TGLTexture::TGLTexture(TPersistent* owner) : TGLUpdateAbleObject(owner) {
    handle_ = new TGLTextureHandle;
    envColor_ = new TGLColor(this);
    envColor_->SetInitialColor(MakeVector4(0, 0, 0, 0));
    AdoptImage(new TGLPersistentImage(this));
}

TGLTexture::~TGLTexture() {
    FreeAndNil(envColor_);
    FreeAndNil(mappingS_);
    FreeAndNil(mappingT_);
    ReleaseGLObjects();
    FreeAndNil(handle_);
    FreeAndNil(image_);
}

void TGLTexture::AdoptImage(TGLTextureImage* image) {
    FreeAndNil(image_);
    image_ = image;
    image_->OnTextureNeeded = MakeEvent(this, &TGLTexture::RelayTextureNeeded);
}

void TGLTexture::Assign(TPersistent* source) {
    if (auto* other = As<TGLTexture>(source)) {
        if (other == this) return;
        imageAlpha_ = other->imageAlpha_;
        textureMode_ = other->textureMode_;
        textureWrap_ = other->textureWrap_;
        textureFormat_ = other->textureFormat_;
        compression_ = other->compression_;
        minFilter_ = other->minFilter_;
        magFilter_ = other->magFilter_;
        mappingMode_ = other->mappingMode_;
        MappingSCoordinates()->Assign(other->MappingSCoordinates());
        MappingTCoordinates()->Assign(other->MappingTCoordinates());
        disabled_ = other->disabled_;
        SetImage(other->image_);
        imageBrightness_ = other->imageBrightness_;
        imageGamma_ = other->imageGamma_;
        filteringQuality_ = other->filteringQuality_;
        envColor_->Assign(other->envColor_);
        normalMapScale_ = other->normalMapScale_;
        changes_ = kImageChanged | kParamsChanged;
    } else if (Is<TGraphic>(source) || Is<TPicture>(source)) {
        image_->Assign(source);
    } else if (!source) {
        disabled_ = true;
        SetImage(nullptr);
        changes_ = kImageChanged | kParamsChanged;
    } else {
        TGLUpdateAbleObject::Assign(source);
    }
}

void TGLTexture::ReportChange(TObject* sender) {
    if (auto* item = dynamic_cast<TGLTextureExItem*>(Owner())) item->NotifyMaterial();
    TGLUpdateAbleObject::ReportChange(sender);
}

// --- properties

void TGLTexture::SetImage(TGLTextureImage* value) {
    if (!value) {
        AdoptImage(new TGLPersistentImage(this));
        return;
    }
    if (value == image_) return;
    if (image_->ClassType() != value->ClassType())
        AdoptImage(static_cast<TGLTextureImage*>(value->ClassType()->Create(static_cast<TPersistent*>(this))));
    image_->Assign(value);
}

void TGLTexture::SetImageClassName(const String& name) {
    if (name.empty() || name == image_->ClassName()) return;
    TGLTextureImageClass cls = FindTextureImageClass(name);
    Assert(cls != nullptr, L"Make sure you include the unit for " + name + L" in your uses clause");
    AdoptImage(static_cast<TGLTextureImage*>(cls->Create(static_cast<TPersistent*>(this))));
    MarkImageChanged();
}

void TGLTexture::RelayTextureNeeded(TObject* sender, String& textureFileName) {
    if (OnTextureNeeded) OnTextureNeeded(sender, textureFileName);
}

void TGLTexture::MarkImageChanged() {
    changes_ |= kImageChanged;
    ReportChange(this);
}

void TGLTexture::MarkParamsChanged() {
    changes_ |= kParamsChanged;
    ReportChange(this);
}

#define Z_IMAGE_SETTER(Name, Type, field)                      \
    void TGLTexture::Set##Name(Type value) {                   \
        if (AssignIfChanged(field, value)) MarkImageChanged(); \
    }
#define Z_PARAMS_SETTER(Name, Type, field)                      \
    void TGLTexture::Set##Name(Type value) {                    \
        if (AssignIfChanged(field, value)) MarkParamsChanged(); \
    }
Z_IMAGE_SETTER(ImageAlpha, TGLTextureImageAlpha, imageAlpha_)
Z_IMAGE_SETTER(ImageBrightness, Single, imageBrightness_)
Z_IMAGE_SETTER(ImageGamma, Single, imageGamma_)
Z_PARAMS_SETTER(MagFilter, TGLMagFilter, magFilter_)
Z_PARAMS_SETTER(MinFilter, TGLMinFilter, minFilter_)
Z_PARAMS_SETTER(TextureMode, TGLTextureMode, textureMode_)
Z_PARAMS_SETTER(TextureWrap, TGLTextureWrap, textureWrap_)
Z_PARAMS_SETTER(TextureFormat, TGLTextureFormat, textureFormat_)
Z_PARAMS_SETTER(Compression, TGLTextureCompression, compression_)
Z_PARAMS_SETTER(FilteringQuality, TGLTextureFilteringQuality, filteringQuality_)
#undef Z_IMAGE_SETTER
#undef Z_PARAMS_SETTER

void TGLTexture::SetNormalMapScale(Single value) {
    if (value == normalMapScale_) return;
    normalMapScale_ = value;
    if (textureFormat_ == tfNormalMap) MarkImageChanged();
}

void TGLTexture::SetEnvColor(TGLColor* value) {
    envColor_->Assign(value);
    MarkParamsChanged();
}

void TGLTexture::TellMappingChanged() {
    if (auto* notifiable = dynamic_cast<IGLTextureNotifiable*>(Owner())) notifiable->TexMappingChanged(this);
}

void TGLTexture::SetDisabled(bool value) {
    if (value == disabled_) return;
    disabled_ = value;
    if (dynamic_cast<IGLTextureNotifiable*>(Owner()))
        TellMappingChanged();
    else
        ReportChange(this);
}

void TGLTexture::SetMappingMode(TGLTextureMappingMode value) {
    if (value == mappingMode_) return;
    const bool wasUser = mappingMode_ == tmmUser;
    mappingMode_ = value;
    if (wasUser != (value == tmmUser))
        TellMappingChanged();
    else
        ReportChange(this);
}

TGLCoordinates4* TGLTexture::MappingSCoordinates() {
    if (!mappingS_) mappingS_ = new TGLCoordinates4(this, MakeVector4(1, 0, 0, 0), csVector);
    return mappingS_;
}

TGLCoordinates4* TGLTexture::MappingTCoordinates() {
    if (!mappingT_) mappingT_ = new TGLCoordinates4(this, MakeVector4(1, 0, 0, 0), csVector);
    return mappingT_;
}

// --- upload

void TGLTexture::ReleaseGLObjects() {
    if (handle_) handle_->Deallocate();
    changes_ = kImageChanged | kParamsChanged;
    requiredMemorySize_ = -1;
}

GLenum TGLTexture::ChooseInternalFormat() const {
    TGLTextureFormat format = textureFormat_ == tfDefault ? vDefaultTextureFormat : textureFormat_;
    if (format == tfDefault) format = tfRGBA;
    TGLTextureCompression compression = tcNone;
    if (GL.GL_ARB_texture_compression && !IsFloatFormat()) {
        compression = compression_ == tcDefault ? vDefaultTextureCompression : compression_;
        if (compression == tcDefault) compression = tcNone;
    }
    GLenum result;
    if (compression == tcNone) {
        result = UncompressedFormat(format);
    } else {
        GLenum hint = GL_DONT_CARE;
        switch (compression) {
            case tcStandard:
                hint = GL_DONT_CARE;
                break;
            case tcHighQuality:
                hint = GL_NICEST;
                break;
            case tcHighSpeed:
                hint = GL_FASTEST;
                break;
            default:
                Assert(false, kAssertionFailure);
        }
        GL.glHint(GL_TEXTURE_COMPRESSION_HINT_ARB, hint);
        result = CompressedFormat(format);
    }
    // Float formats: the ARB (and ATI) enumerants where the driver has them, else NVidia's.
    if (IsFloatFormat() && !GL.GL_ATI_texture_float && !GL.GL_ARB_texture_float)
        result = format == tfRGBAFloat16 ? GL_FLOAT_RGBA16_NV : GL_FLOAT_RGBA32_NV;
    return result;
}

GLuint TGLTexture::CreateGLTexture() {
    if (handle_->Handle() == 0) {
        handle_->Allocate();
        Assert(handle_->Handle() != 0, kAssertionFailure);
    }
    const GLenum target = image_->ClassType()->TextureTarget();
    if (!(target == GL_TEXTURE_CUBE_MAP && !GL.GL_ARB_texture_cube_map)) {
        GL.glBindTexture(target, handle_->Handle());
        SetTextureParameters(target);
    }
    changes_ = 0;
    return handle_->Handle();
}

GLuint TGLTexture::EnsureUploaded() {
    if (handle_->Handle() == 0 || changes_ != 0) {
        CreateGLTexture();
        const GLenum target = image_->ClassType()->TextureTarget();
        if (target == GL_TEXTURE_CUBE_MAP) {
            if (GL.GL_ARB_texture_cube_map) {
                auto* cube = As<TGLCubeMapImage>(image_);
                Assert(cube != nullptr, kAssertionFailure);
                const Integer w = cube->Picture(0)->Width();
                bool square = w > 0;
                for (int i = 0; square && i < 6; ++i)
                    square = cube->Picture(i)->Width() == w && cube->Picture(i)->Height() == w;
                if (square)
                    for (GLenum face = GL_TEXTURE_CUBE_MAP_POSITIVE_X; face <= GL_TEXTURE_CUBE_MAP_NEGATIVE_Z; ++face)
                        UploadImage(face);
            }
        } else {
            UploadImage(target);
        }
    }
    return handle_->Handle();
}

void TGLTexture::PrepareBuffer(TGLBitmap32* buffer) const {
    if (textureFormat_ == tfNormalMap)
        buffer->HeightToNormalMap(normalMapScale_, textureWrap_ == twBoth || textureWrap_ == twHorizontal,
                                  textureWrap_ == twBoth || textureWrap_ == twVertical);
    switch (imageAlpha_) {
        case tiaDefault:
            break;
        case tiaAlphaFromIntensity:
        case tiaLuminance:
            buffer->AlphaFromLuminance();
            break;
        case tiaSuperBlackTransparent:
            buffer->KeyAlphaRGB(TGLPixel32{0, 0, 0, 0});
            break;
        case tiaLuminanceSqrt:
            buffer->AlphaFromLuminanceSqrt();
            break;
        case tiaOpaque:
            buffer->FillAlpha(255);
            break;
        // The buffer's first pixel is the bottom-left one of the picture; the catalogue's
        // images are keyed on it.
        case tiaTopLeftPointColorTransparent:
            if (buffer->Data()) buffer->PixelKeyAlpha(buffer->Data()[0]);
            break;
        case tiaInverseLuminance:
            buffer->AlphaFromLuminance();
            buffer->NegateAlpha();
            break;
        case tiaInverseLuminanceSqrt:
            buffer->AlphaFromLuminanceSqrt();
            buffer->NegateAlpha();
            break;
        case tiaBottomRightPointColorTransparent:
            if (buffer->Data()) buffer->PixelKeyAlpha(buffer->Data()[buffer->Width() - 1]);
            break;
        default:
            Assert(false, kAssertionFailure);
    }
    if (imageBrightness_ != 1.0f) buffer->ScaleBrightness(imageBrightness_);
    if (imageGamma_ != 1.0f) buffer->ApplyGamma(imageGamma_);
}

void TGLTexture::UploadImage(GLenum target) {
    TGLBitmap32* buffer = image_->BuildBitmap32(target);
    if (!buffer || buffer->IsEmpty()) return;
    const GLenum internal = ChooseInternalFormat();
    PrepareBuffer(buffer);
    RaiseGLErrorIfAny();
    buffer->UploadAsTexture(target, minFilter_, internal, uploadedWidth_, uploadedHeight_);
    GLint size = -1;
    GL.glGetTexLevelParameteriv(target, 0, GL_TEXTURE_COMPRESSED_IMAGE_SIZE_ARB, &size);
    requiredMemorySize_ = GL.glGetError() != GL_NO_ERROR ? -1 : size;
    FlushGLErrors();
    image_->DropBitmap32();
}

void TGLTexture::SetTextureParameters(GLenum target) {
    GL.glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    GL.glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    GL.glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    GL.glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    GL.glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    if (IsFloatFormat()) {
        GL.glTexParameteri(target, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        GL.glTexParameteri(target, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        const bool filtered = GL.GL_ATI_texture_float && textureFormat_ == tfRGBAFloat16;
        GL.glTexParameteri(target, GL_TEXTURE_MIN_FILTER, filtered ? kMinFilters[minFilter_] : GL_NEAREST);
        GL.glTexParameteri(target, GL_TEXTURE_MAG_FILTER, filtered ? kMagFilters[magFilter_] : GL_NEAREST);
        return;
    }
    const GLenum clamp = GL.GL_VERSION_1_2 || GL.GL_EXT_texture_edge_clamp ? GL_CLAMP_TO_EDGE : GL_CLAMP;
    const GLenum wrapS = textureWrap_ == twNone || textureWrap_ == twVertical ? clamp : GL_REPEAT;
    const GLenum wrapT = textureWrap_ == twNone || textureWrap_ == twHorizontal ? clamp : GL_REPEAT;
    GL.glTexParameteri(target, GL_TEXTURE_WRAP_S, wrapS);
    GL.glTexParameteri(target, GL_TEXTURE_WRAP_T, wrapT);
    GL.glTexParameteri(target, GL_TEXTURE_MIN_FILTER, kMinFilters[minFilter_]);
    GL.glTexParameteri(target, GL_TEXTURE_MAG_FILTER, kMagFilters[magFilter_]);
    if (GL.GL_EXT_texture_filter_anisotropic)
        GL.glTexParameteri(target, GL_TEXTURE_MAX_ANISOTROPY_EXT, filteringQuality_ == tfIsotropic ? 1 : 2);
}

// --- application

namespace {

const GLint kEnvModes[] = {GL_DECAL, GL_MODULATE, GL_BLEND, GL_REPLACE};

// Loads m transposed into the current matrix.
void LoadTransposed(TMatrix4x4 m) {
    if (GL.GL_ARB_transpose_matrix) {
        GL.glLoadTransposeMatrixfARB(&m.Rows[0].X);
    } else {
        TransposeMatrixInPlace(m);
        GL.glLoadMatrixf(&m.Rows[0].X);
    }
}

void MultTransposedModelView(const TRenderContextInfo& rci) {
    TMatrix4x4 m = *rci.modelViewMatrix;
    OrthonormalizeMatrix(m);
    TransposeMatrixInPlace(m);
    GL.glMultMatrixf(&m.Rows[0].X);
}

}  // namespace

void TGLTexture::SendEnvironment() {
    GL.glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, kEnvModes[textureMode_]);
    GL.glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, envColor_->ColorVectorAddress());
    EnableTexGen();
}

// The texture matrix of a cube map by mapping mode; the matrix mode is GL_TEXTURE meanwhile.
void TGLTexture::LoadCubeMapMatrix(TRenderContextInfo& rci) {
    GL.glMatrixMode(GL_TEXTURE);
    switch (mappingMode_) {
        case tmmCubeMapReflection:
        case tmmCubeMapNormal: {
            TMatrix4x4 m = *rci.modelViewMatrix;
            OrthonormalizeMatrix(m);
            LoadTransposed(m);
            break;
        }
        case tmmCubeMapCamera: {
            TMatrix4x4 m;
            m.Rows[0] = CrossVector4(rci.cameraUp, rci.cameraDirection);
            m.Rows[1] = NegatedVector4(rci.cameraDirection);
            m.Rows[2] = rci.cameraUp;
            m.Rows[3] = MakeVector4(0, 0, 0, 1);
            LoadTransposed(m);
            MultTransposedModelView(rci);
            break;
        }
        case tmmCubeMapLight0: {
            // The first light of the scene's light table; nothing is loaded without one.
            TGLBaseSceneObject* light = nullptr;
            if (rci.scene)
                for (Integer i = 0; !light && i < rci.scene->Lights()->Count(); ++i)
                    light = static_cast<TGLBaseSceneObject*>(rci.scene->Lights()->GetItem(i));
            if (light) {
                TMatrix4x4 m = light->AbsoluteMatrix();
                OrthonormalizeMatrix(m);
                LoadTransposed(m);
                MultTransposedModelView(rci);
            }
            break;
        }
        default:
            break;
    }
    GL.glMatrixMode(GL_MODELVIEW);
}

void TGLTexture::Apply(TRenderContextInfo& rci) {
    TGLStateCache& states = *rci.GLStates;
    if (disabled_) {
        states.DisableState(stTexture2D);
        states.DisableState(stTextureRect);
        SelectMainTexCoordMapping();
        return;
    }
    const GLenum target = image_->ClassType()->TextureTarget();
    if (target == GL_TEXTURE_2D) {
        states.EnableState(stTexture2D);
        states.BindTextureCached(0, GL_TEXTURE_2D, EnsureUploaded());
    } else if (target == GL_TEXTURE_RECTANGLE_NV) {
        states.EnableState(stTextureRect);
        states.BindTextureCached(0, GL_TEXTURE_RECTANGLE_NV, EnsureUploaded());
    } else if (GL.GL_ARB_texture_cube_map) {
        states.EnableState(stTextureCubeMap);
        states.BindTextureCached(0, GL_TEXTURE_CUBE_MAP, EnsureUploaded());
        LoadCubeMapMatrix(rci);
    }
    SendEnvironment();
    SelectMainTexCoordMapping();
}

void TGLTexture::Unapply(TRenderContextInfo& rci) {
    if (disabled_) return;
    TGLStateCache& states = *rci.GLStates;
    if (states.IsEnabled(stTextureCubeMap)) {
        states.DisableState(stTextureCubeMap);
        GL.glMatrixMode(GL_TEXTURE);
        GL.glLoadIdentity();
        GL.glMatrixMode(GL_MODELVIEW);
    } else if (states.IsEnabled(stTexture2D)) {
        states.DisableState(stTexture2D);
    } else {
        states.DisableState(stTextureRect);
    }
    DisableTexGen();
}

void TGLTexture::ApplyOnUnit(Integer n, TRenderContextInfo& rci, const TMatrix4x4* textureMatrix) {
    if (disabled_) return;
    GL.glActiveTextureARB(GL_TEXTURE0_ARB + n - 1);
    const GLenum target = image_->ClassType()->TextureTarget();
    if (target == GL_TEXTURE_2D) {
        GL.glEnable(GL_TEXTURE_2D);
        rci.GLStates->BindTextureCached(n - 1, GL_TEXTURE_2D, EnsureUploaded());
        if (textureMatrix) {
            GL.glMatrixMode(GL_TEXTURE);
            GL.glLoadMatrixf(&textureMatrix->Rows[0].X);
            GL.glMatrixMode(GL_MODELVIEW);
        }
    } else if (GL.GL_ARB_texture_cube_map) {
        GL.glEnable(target);
        rci.GLStates->BindTextureCached(n - 1, target, EnsureUploaded());
        TMatrix4x4 m = *rci.modelViewMatrix;
        OrthonormalizeMatrix(m);
        GL.glMatrixMode(GL_TEXTURE);
        LoadTransposed(m);
        GL.glMatrixMode(GL_MODELVIEW);
    }
    SendEnvironment();
    GL.glActiveTextureARB(GL_TEXTURE0_ARB);
}

void TGLTexture::UnapplyFromUnit(Integer n, bool reloadIdentity) {
    GL.glActiveTextureARB(GL_TEXTURE0_ARB + n - 1);
    DisableTexGen();
    const GLenum target = image_->ClassType()->TextureTarget();
    if (reloadIdentity || target != GL_TEXTURE_2D) {
        GL.glMatrixMode(GL_TEXTURE);
        GL.glLoadIdentity();
        GL.glMatrixMode(GL_MODELVIEW);
    }
    GL.glDisable(target);
    GL.glActiveTextureARB(GL_TEXTURE0_ARB);
}

void TGLTexture::EnableTexGen() {
    auto modes = [](GLint mode, bool withR) {
        GL.glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, mode);
        GL.glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, mode);
        if (withR) GL.glTexGeni(GL_R, GL_TEXTURE_GEN_MODE, mode);
        GL.glEnable(GL_TEXTURE_GEN_S);
        GL.glEnable(GL_TEXTURE_GEN_T);
        if (withR) GL.glEnable(GL_TEXTURE_GEN_R);
    };
    switch (mappingMode_) {
        case tmmUser:
            break;
        case tmmObjectLinear:
            GL.glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
            GL.glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
            GL.glTexGenfv(GL_S, GL_OBJECT_PLANE, MappingSCoordinates()->VectorAddress());
            GL.glTexGenfv(GL_T, GL_OBJECT_PLANE, MappingTCoordinates()->VectorAddress());
            GL.glEnable(GL_TEXTURE_GEN_S);
            GL.glEnable(GL_TEXTURE_GEN_T);
            break;
        case tmmEyeLinear:
            GL.glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
            GL.glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
            GL.glPushMatrix();
            GL.glLoadIdentity();
            GL.glTexGenfv(GL_S, GL_EYE_PLANE, MappingSCoordinates()->VectorAddress());
            GL.glTexGenfv(GL_T, GL_EYE_PLANE, MappingTCoordinates()->VectorAddress());
            GL.glPopMatrix();
            GL.glEnable(GL_TEXTURE_GEN_S);
            GL.glEnable(GL_TEXTURE_GEN_T);
            break;
        case tmmSphere:
            modes(GL_SPHERE_MAP, false);
            break;
        case tmmCubeMapReflection:
        case tmmCubeMapCamera:
            if (GL.GL_ARB_texture_cube_map) modes(GL_REFLECTION_MAP_ARB, true);
            break;
        case tmmCubeMapNormal:
        case tmmCubeMapLight0:
            if (GL.GL_ARB_texture_cube_map) modes(GL_NORMAL_MAP_ARB, true);
            break;
        default:
            Assert(false, kAssertionFailure);
    }
}

void TGLTexture::DisableTexGen() {
    if (mappingMode_ == tmmUser) return;
    GL.glDisable(GL_TEXTURE_GEN_S);
    GL.glDisable(GL_TEXTURE_GEN_T);
    GL.glDisable(GL_TEXTURE_GEN_R);
}

// --- extra textures

TGLTextureExItem::TGLTextureExItem(TCollection* collection) : TCollectionItem(collection) {
    texture_ = new TGLTexture(this);
    textureIndex_ = ID();
    offset_ = new TGLCoordinates3(this, MakeVector4(0, 0, 0, 0), csPoint);
    offset_->OnChange = MakeEvent(this, &TGLTextureExItem::OffsetOrScaleChanged);
    scale_ = new TGLCoordinates3(this, MakeVector4(1, 1, 1, 0), csVector);
    scale_->OnChange = MakeEvent(this, &TGLTextureExItem::OffsetOrScaleChanged);
    matrix_ = IdentityMatrix;
}

TGLTextureExItem::~TGLTextureExItem() {
    FreeAndNil(texture_);
    FreeAndNil(offset_);
    FreeAndNil(scale_);
}

void TGLTextureExItem::Assign(TPersistent* source) {
    if (auto* other = As<TGLTextureExItem>(source)) {
        SetTexture(other->texture_);
        SetTextureIndex(other->textureIndex_);
        SetTextureOffset(other->offset_);
        SetTextureScale(other->scale_);
        NotifyMaterial();
    } else {
        TCollectionItem::Assign(source);
    }
}

String TGLTextureExItem::DisplayName() const { return L"Tex [" + IntToStr(textureIndex_) + L"]"; }

void TGLTextureExItem::SetTexture(TGLTexture* value) {
    texture_->Assign(value);
    NotifyMaterial();
}

void TGLTextureExItem::SetTextureIndex(Integer value) {
    value = std::max(value, 0);
    if (value == textureIndex_) return;
    textureIndex_ = value;
    NotifyMaterial();
}

void TGLTextureExItem::SetTextureOffset(TGLCoordinates3* value) {
    offset_->Assign(value);
    NotifyMaterial();
}

void TGLTextureExItem::SetTextureScale(TGLCoordinates3* value) {
    scale_->Assign(value);
    NotifyMaterial();
}

void TGLTextureExItem::RecalcTextureMatrix() {
    identity_ = offset_->SameVector(MakeVector4(0, 0, 0, 0)) && scale_->SameVector(MakeVector4(1, 1, 1, 0));
    if (!identity_)
        matrix_ = ScaleTranslateMatrix(AffineFromVector4(scale_->AsVector()), AffineFromVector4(offset_->AsVector()));
    NotifyMaterial();
}

TPersistent* TGLTextureExItem::Material() const { return Collection() ? Collection()->GetOwner() : nullptr; }

void TGLTextureExItem::NotifyMaterial() {
    if (auto* material = dynamic_cast<TGLUpdateAbleObject*>(Material())) material->ReportChange(Collection());
}

void TGLTextureExItem::TexMappingChanged(TObject* sender) {
    if (auto* material = dynamic_cast<IGLTextureNotifiable*>(Material())) material->TexMappingChanged(sender);
}

void TGLTextureEx::UpdateMatrices() {
    for (int i = 0; i < Count(); ++i) ItemAt(i)->RecalcTextureMatrix();
}

bool TGLTextureEx::IsUnitEnabled(Integer unit) const {
    for (int i = 0; i < Count(); ++i)
        if (ItemAt(i)->TextureIndex() == unit && ItemAt(i)->Texture()->Enabled()) return true;
    return false;
}

void TGLTextureExItem::Apply(TRenderContextInfo& rci) {
    applied_ = false;
    if (texture_->Disabled()) return;
    const Integer unit = textureIndex_;
    GL.glActiveTextureARB(GL_TEXTURE0_ARB + unit);
    GL.glMatrixMode(GL_TEXTURE);
    GL.glPushMatrix();
    if (identity_)
        GL.glLoadIdentity();
    else
        GL.glLoadMatrixf(&matrix_.Rows[0].X);
    GL.glMatrixMode(GL_MODELVIEW);
    GL.glActiveTextureARB(GL_TEXTURE0_ARB);
    if (unit == 0)
        texture_->Apply(rci);
    else if (unit == 1)
        texture_->ApplyOnSecondUnit(rci, nullptr);
    else
        texture_->ApplyOnUnit(unit + 1, rci, nullptr);
    applied_ = true;
}

void TGLTextureExItem::Unapply(TRenderContextInfo& rci) {
    if (!applied_) return;
    const Integer unit = textureIndex_;
    if (unit == 0)
        texture_->Unapply(rci);
    else if (unit == 1)
        texture_->UnapplyFromSecondUnit(rci, false);
    else
        texture_->UnapplyFromUnit(unit + 1, false);
    GL.glActiveTextureARB(GL_TEXTURE0_ARB + unit);
    GL.glMatrixMode(GL_TEXTURE);
    GL.glPopMatrix();
    GL.glMatrixMode(GL_MODELVIEW);
    GL.glActiveTextureARB(GL_TEXTURE0_ARB);
    applied_ = false;
}

void TGLTextureEx::Apply(TRenderContextInfo& rci) {
    if (!GL.GL_ARB_multitexture) return;
    GLint units = 0;
    GL.glGetIntegerv(GL_MAX_TEXTURE_UNITS_ARB, &units);
    Cardinal mask = 0;
    for (int i = 0; i < Count(); ++i) {
        TGLTextureExItem* item = ItemAt(i);
        if (item->TextureIndex() >= units) continue;
        item->Apply(rci);
        if (item->Texture()->Enabled() && item->TextureIndex() > 0 && item->Texture()->MappingMode() == tmmUser)
            mask |= Cardinal(1) << item->TextureIndex();
    }
    if (mask != 0) SelectArbitraryTexCoordMappingMask(Byte(mask));
}

void TGLTextureEx::Unapply(TRenderContextInfo& rci) {
    if (!GL.GL_ARB_multitexture) return;
    for (int i = 0; i < Count(); ++i) ItemAt(i)->Unapply(rci);
}
