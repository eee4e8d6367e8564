#pragma once
// TGLTexture: the texture of a material. It holds an image source and the settings that turn
// the image into an OpenGL texture (format, compression, filters, wrap, alpha treatment,
// brightness, gamma, normal-map conversion) and those used when drawing with it (environment
// mode and colour, texture-coordinate generation). Setters only mark the texture changed; the
// next use re-creates and re-uploads the OpenGL texture.
//
// Sections: enumerations; the texture (properties, upload, application); extra textures.

#include "Collection.h"
#include "GLColor.h"
#include "GLContext.h"
#include "GLCoordinates.h"
#include "GLTextureImage.h"
#include "VectorGeometry.h"

struct TRenderContextInfo;

// --- enumerations
Z_ENUM(TGLTextureMode, Byte, tmDecal, tmModulate, tmBlend, tmReplace)
Z_ENUM(TGLTextureWrap, Byte, twBoth, twNone, twVertical, twHorizontal)
Z_ENUM(TGLTextureImageAlpha, Byte, tiaDefault, tiaAlphaFromIntensity, tiaSuperBlackTransparent, tiaLuminance,
       tiaLuminanceSqrt, tiaOpaque, tiaTopLeftPointColorTransparent, tiaInverseLuminance, tiaInverseLuminanceSqrt,
       tiaBottomRightPointColorTransparent)
Z_ENUM(TGLTextureFormat, Byte, tfDefault, tfRGB, tfRGBA, tfRGB16, tfRGBA16, tfAlpha, tfLuminance, tfLuminanceAlpha,
       tfIntensity, tfNormalMap, tfRGBAFloat16, tfRGBAFloat32)
Z_ENUM(TGLTextureCompression, Byte, tcDefault, tcNone, tcStandard, tcHighQuality, tcHighSpeed)
Z_ENUM(TGLTextureFilteringQuality, Byte, tfIsotropic, tfAnisotropic)
Z_ENUM(TGLTextureMappingMode, Byte, tmmUser, tmmObjectLinear, tmmEyeLinear, tmmSphere, tmmCubeMapReflection,
       tmmCubeMapNormal, tmmCubeMapLight0, tmmCubeMapCamera)

// The system-wide defaults a tfDefault format and a tcDefault compression resolve to.
constexpr TGLTextureFormat vDefaultTextureFormat = tfRGBA;
constexpr TGLTextureCompression vDefaultTextureCompression = tcNone;

// Told by a texture that its coordinate mapping changed (materials, library entries, items
// of extra textures).
class IGLTextureNotifiable : public IChangeNotifiable {
public:
    virtual void TexMappingChanged(TObject* sender) = 0;

protected:
    ~IGLTextureNotifiable() = default;
};

// --- the texture
class TGLTexture : public TGLUpdateAbleObject {
    Z_CLASS(TGLTexture, TGLUpdateAbleObject)
    // The image class is read first, so that the image's own properties reach the right kind.
    Z_PUBLISHED {
        p.Property(L"ImageClassName", &TGLTexture::ImageClassName, &TGLTexture::SetImageClassName)
            .Stored(&TGLTexture::ImageClassStored);
        p.Property(L"Image", &TGLTexture::Image);
        p.Property(L"ImageAlpha", &TGLTexture::ImageAlpha, &TGLTexture::SetImageAlpha).Default(tiaDefault);
        p.Property(L"ImageBrightness", &TGLTexture::ImageBrightness, &TGLTexture::SetImageBrightness).Default(1.0);
        p.Property(L"ImageGamma", &TGLTexture::ImageGamma, &TGLTexture::SetImageGamma).Default(1.0);
        p.Property(L"MagFilter", &TGLTexture::MagFilter, &TGLTexture::SetMagFilter).Default(maLinear);
        p.Property(L"MinFilter", &TGLTexture::MinFilter, &TGLTexture::SetMinFilter).Default(miLinearMipmapLinear);
        p.Property(L"TextureMode", &TGLTexture::TextureMode, &TGLTexture::SetTextureMode).Default(tmDecal);
        p.Property(L"TextureWrap", &TGLTexture::TextureWrap, &TGLTexture::SetTextureWrap).Default(twBoth);
        p.Property(L"TextureFormat", &TGLTexture::TextureFormat, &TGLTexture::SetTextureFormat).Default(tfDefault);
        p.Property(L"Compression", &TGLTexture::Compression, &TGLTexture::SetCompression).Default(tcDefault);
        p.Property(L"FilteringQuality", &TGLTexture::FilteringQuality, &TGLTexture::SetFilteringQuality)
            .Default(tfIsotropic);
        p.Property(L"MappingMode", &TGLTexture::MappingMode, &TGLTexture::SetMappingMode).Default(tmmUser);
        p.Property(L"MappingSCoordinates", &TGLTexture::MappingSCoordinates);
        p.Property(L"MappingTCoordinates", &TGLTexture::MappingTCoordinates);
        p.Property(L"EnvColor", &TGLTexture::EnvColor);
        p.Property(L"Disabled", &TGLTexture::Disabled, &TGLTexture::SetDisabled).Default(true);
        p.Property(L"NormalMapScale", &TGLTexture::NormalMapScale, &TGLTexture::SetNormalMapScale).Default(0.125);
    }

public:
    explicit TGLTexture(TPersistent* owner);
    ~TGLTexture() override;

    // From a texture every setting and the image; from a graphic or picture the image; nil
    // disables the texture and gives it a new persistent image.
    void Assign(TPersistent* source) override;
    // An item of extra textures tells its material first.
    void ReportChange(TObject* sender) override;

    // --- properties
    TGLTextureImage* Image() const { return image_; }
    // nil: a new persistent image; otherwise an image of img's class (re-created when the
    // class differs) assigned from img.
    void SetImage(TGLTextureImage* value);
    String ImageClassName() const { return image_->ClassName(); }
    void SetImageClassName(const String& name);
    bool ImageClassStored() const { return !Is<TGLPersistentImage>(image_); }
    TGLTextureImageAlpha ImageAlpha() const { return imageAlpha_; }
    void SetImageAlpha(TGLTextureImageAlpha value);
    Single ImageBrightness() const { return imageBrightness_; }
    void SetImageBrightness(Single value);
    Single ImageGamma() const { return imageGamma_; }
    void SetImageGamma(Single value);
    TGLMagFilter MagFilter() const { return magFilter_; }
    void SetMagFilter(TGLMagFilter value);
    TGLMinFilter MinFilter() const { return minFilter_; }
    void SetMinFilter(TGLMinFilter value);
    TGLTextureMode TextureMode() const { return textureMode_; }
    void SetTextureMode(TGLTextureMode value);
    TGLTextureWrap TextureWrap() const { return textureWrap_; }
    void SetTextureWrap(TGLTextureWrap value);
    TGLTextureFormat TextureFormat() const { return textureFormat_; }
    void SetTextureFormat(TGLTextureFormat value);
    TGLTextureCompression Compression() const { return compression_; }
    void SetCompression(TGLTextureCompression value);
    TGLTextureFilteringQuality FilteringQuality() const { return filteringQuality_; }
    void SetFilteringQuality(TGLTextureFilteringQuality value);
    TGLTextureMappingMode MappingMode() const { return mappingMode_; }
    void SetMappingMode(TGLTextureMappingMode value);
    // Both planes start as (1, 0, 0, 0); created on first read.
    TGLCoordinates4* MappingSCoordinates();
    void SetMappingSCoordinates(TGLCoordinates4* value) { MappingSCoordinates()->Assign(value); }
    TGLCoordinates4* MappingTCoordinates();
    void SetMappingTCoordinates(TGLCoordinates4* value) { MappingTCoordinates()->Assign(value); }
    TGLColor* EnvColor() const { return envColor_; }
    void SetEnvColor(TGLColor* value);
    bool Disabled() const { return disabled_; }
    void SetDisabled(bool value);
    bool Enabled() const { return !disabled_; }
    void SetEnabled(bool value) { SetDisabled(!value); }
    Single NormalMapScale() const { return normalMapScale_; }
    void SetNormalMapScale(Single value);

    // Set by the owning library entry; the images resolve their file names through it.
    TTextureNeededEvent OnTextureNeeded;
    void RelayTextureNeeded(TObject* sender, String& textureFileName);

    // --- upload
    void SetImageChangedFlag() { changes_ |= kImageChanged; }
    void MarkImageChanged();
    void MarkParamsChanged();
    bool ImageChangedPending() const { return (changes_ & kImageChanged) != 0; }
    bool ParamsChangedPending() const { return (changes_ & kParamsChanged) != 0; }
    bool HasGLTexture() const { return handle_->Handle() != 0; }
    GLuint Handle() const { return handle_->Handle(); }
    // Deletes the OpenGL texture; the next use uploads again.
    void ReleaseGLObjects();
    bool IsFloatFormat() const { return textureFormat_ == tfRGBAFloat16 || textureFormat_ == tfRGBAFloat32; }
    GLenum ChooseInternalFormat() const;
    GLuint CreateGLTexture();
    // Creates and uploads when needed; answers the OpenGL texture name.
    virtual GLuint EnsureUploaded();
    virtual void UploadImage(GLenum target);
    virtual void SetTextureParameters(GLenum target);
    Integer RequiredMemorySize() const { return requiredMemorySize_; }
    Integer UploadedWidth() const { return uploadedWidth_; }
    Integer UploadedHeight() const { return uploadedHeight_; }

    // --- application
    // On unit 0 through the state cache; a disabled texture only switches texturing off.
    void Apply(TRenderContextInfo& rci);
    void Unapply(TRenderContextInfo& rci);
    // Unit n counts from 1 for unit 0; the matrix, when given, goes to the texture matrix.
    void ApplyOnUnit(Integer n, TRenderContextInfo& rci, const TMatrix4x4* textureMatrix);
    void UnapplyFromUnit(Integer n, bool reloadIdentity);
    void ApplyOnSecondUnit(TRenderContextInfo& rci, const TMatrix4x4* textureMatrix) {
        ApplyOnUnit(2, rci, textureMatrix);
    }
    void UnapplyFromSecondUnit(TRenderContextInfo&, bool reloadIdentity) { UnapplyFromUnit(2, reloadIdentity); }
    void EnableTexGen();
    void DisableTexGen();

private:
    static constexpr Byte kImageChanged = 1, kParamsChanged = 2;
    void AdoptImage(TGLTextureImage* image);
    void TellMappingChanged();
    void PrepareBuffer(TGLBitmap32* buffer) const;
    void SendEnvironment();
    void LoadCubeMapMatrix(TRenderContextInfo& rci);

    TGLTextureHandle* handle_;
    TGLTextureMode textureMode_ = tmDecal;
    TGLTextureWrap textureWrap_ = twBoth;
    TGLTextureFormat textureFormat_ = tfDefault;
    TGLMinFilter minFilter_ = miLinearMipmapLinear;
    TGLMagFilter magFilter_ = maLinear;
    Byte changes_ = kImageChanged | kParamsChanged;
    bool disabled_ = true;
    TGLTextureImage* image_ = nullptr;
    TGLTextureImageAlpha imageAlpha_ = tiaDefault;
    Single imageBrightness_ = 1.0f, imageGamma_ = 1.0f;
    TGLTextureMappingMode mappingMode_ = tmmUser;
    TGLCoordinates4* mappingS_ = nullptr;
    TGLCoordinates4* mappingT_ = nullptr;
    TGLTextureCompression compression_ = tcDefault;
    Integer requiredMemorySize_ = -1;
    TGLTextureFilteringQuality filteringQuality_ = tfIsotropic;
    Integer uploadedHeight_ = 0, uploadedWidth_ = 0;
    TGLColor* envColor_;
    Single normalMapScale_ = 0.125f;
};

// --- extra textures

// A texture bound to a unit of its own, with its own texture matrix from an offset and scale.
class TGLTextureExItem : public TCollectionItem, public IGLTextureNotifiable {
    Z_CLASS(TGLTextureExItem, TCollectionItem)
    Z_PUBLISHED {
        p.Property(L"Texture", &TGLTextureExItem::Texture);
        p.Property(L"TextureIndex", &TGLTextureExItem::TextureIndex, &TGLTextureExItem::SetTextureIndex);
        p.Property(L"TextureOffset", &TGLTextureExItem::TextureOffset);
        p.Property(L"TextureScale", &TGLTextureExItem::TextureScale);
    }

public:
    explicit TGLTextureExItem(TCollection* collection);
    ~TGLTextureExItem() override;

    void Assign(TPersistent* source) override;
    // "Tex [n]" with the texture unit index.
    String DisplayName() const override;

    TGLTexture* Texture() const { return texture_; }
    void SetTexture(TGLTexture* value);
    Integer TextureIndex() const { return textureIndex_; }
    // Negative becomes 0.
    void SetTextureIndex(Integer value);
    TGLCoordinates3* TextureOffset() const { return offset_; }
    void SetTextureOffset(TGLCoordinates3* value);
    TGLCoordinates3* TextureScale() const { return scale_; }
    void SetTextureScale(TGLCoordinates3* value);
    bool IsIdentity() const { return identity_; }
    const TMatrix4x4& TextureMatrix() const { return matrix_; }

    void RecalcTextureMatrix();
    // The owning material hears of the change.
    void NotifyMaterial();
    void ReportChange(TObject*) override { NotifyMaterial(); }
    void TexMappingChanged(TObject* sender) override;

    void Apply(TRenderContextInfo& rci);
    void Unapply(TRenderContextInfo& rci);

private:
    void OffsetOrScaleChanged(TObject*) { RecalcTextureMatrix(); }
    TPersistent* Material() const;

    TGLTexture* texture_;
    Integer textureIndex_;
    TGLCoordinates3* offset_;
    TGLCoordinates3* scale_;
    bool identity_ = true;
    TMatrix4x4 matrix_;
    bool applied_ = false;
};

// A material's extra textures; the collection's owner is the material.
class TGLTextureEx : public TOwnedCollection {
    Z_CLASS(TGLTextureEx, TOwnedCollection)
public:
    explicit TGLTextureEx(TPersistent* material) : TOwnedCollection(material, TGLTextureExItem::StaticClass()) {}

    TGLTextureExItem* Add() { return static_cast<TGLTextureExItem*>(TOwnedCollection::Add()); }
    TGLTextureExItem* ItemAt(int index) const { return static_cast<TGLTextureExItem*>(Items(index)); }
    void UpdateMatrices();
    // True when an item with that unit index has an enabled texture.
    bool IsUnitEnabled(Integer unit) const;

    void Apply(TRenderContextInfo& rci);
    void Unapply(TRenderContextInfo& rci);
};
