#pragma once
// Materials: how a surface is drawn (face colours, culling, blending, lighting and fog, its
// textures): the enumerations TPolygonMode, TBlendingMode, TFaceCulling, TMaterialOption(s),
// TShininess; IGLMaterialLibrarySource; TGLFaceProperties; TGLMaterial. The shader base is in
// GLShader.h, the material library that shares materials by name in GLMaterialLibrary.h.
//
// Sections: enumerations and interfaces; face properties; the material.

#include <vector>

#include "Collection.h"
#include "GLTexture.h"
#include "Sets.h"

class TGLLibMaterial;
class TGLMaterialLibrary;

// --- enumerations and interfaces
Z_ENUM(TPolygonMode, Byte, pmFill, pmLines, pmPoints)
Z_ENUM(TBlendingMode, Byte, bmOpaque, bmTransparency, bmAdditive, bmAlphaTest50, bmAlphaTest100, bmModulate)
Z_ENUM(TFaceCulling, Byte, fcBufferDefault, fcCull, fcNoCull)
Z_ENUM(TMaterialOption, Byte, moIgnoreFog, moNoLighting)
using TMaterialOptions = TSet<TMaterialOption>;
using TShininess = Byte;  // 0..128

// The material library an object uses.
class IGLMaterialLibrarySource {
public:
    virtual ~IGLMaterialLibrarySource() = default;
    virtual TGLMaterialLibrary* MaterialLibrary() const = 0;
};

// --- face properties
class TGLFaceProperties : public TGLUpdateAbleObject {
    Z_CLASS(TGLFaceProperties, TGLUpdateAbleObject)
    Z_PUBLISHED {
        p.Property(L"Ambient", &TGLFaceProperties::Ambient);
        p.Property(L"Diffuse", &TGLFaceProperties::Diffuse);
        p.Property(L"Emission", &TGLFaceProperties::Emission);
        p.Property(L"Shininess", &TGLFaceProperties::Shininess, &TGLFaceProperties::SetShininess).Default(0);
        p.Property(L"PolygonMode", &TGLFaceProperties::PolygonMode, &TGLFaceProperties::SetPolygonMode).Default(pmFill);
        p.Property(L"Specular", &TGLFaceProperties::Specular);
    }

public:
    explicit TGLFaceProperties(TPersistent* owner);
    ~TGLFaceProperties() override;

    // Colours, shininess and polygon mode, then one change.
    void Assign(TPersistent* source) override;
    // Material colours through the state cache, then the polygon mode.
    void Apply(TRenderContextInfo& rci, GLenum face);
    // The diffuse colour as the current colour, then the polygon mode.
    void ApplyNoLighting(TRenderContextInfo& rci, GLenum face);

    TGLColor* Ambient() const { return ambient_; }
    void SetAmbient(TGLColor* value) { SetColor(ambient_, value); }
    TGLColor* Diffuse() const { return diffuse_; }
    void SetDiffuse(TGLColor* value) { SetColor(diffuse_, value); }
    TGLColor* Emission() const { return emission_; }
    void SetEmission(TGLColor* value) { SetColor(emission_, value); }
    TGLColor* Specular() const { return specular_; }
    void SetSpecular(TGLColor* value) { SetColor(specular_, value); }
    TShininess Shininess() const { return shininess_; }
    void SetShininess(TShininess value);
    TPolygonMode PolygonMode() const { return polygonMode_; }
    void SetPolygonMode(TPolygonMode value);
    // Storage without notification, for the library file.
    void StoreShininess(TShininess value) { shininess_ = value; }

private:
    void SetColor(TGLColor* target, TGLColor* value);
    TGLColor* ambient_;
    TGLColor* diffuse_;
    TGLColor* specular_;
    TGLColor* emission_;
    TPolygonMode polygonMode_ = pmFill;
    TShininess shininess_ = 0;
};

// --- the material
class TGLMaterial : public TGLUpdateAbleObject, public IGLTextureNotifiable, public IGLMaterialLibrarySource {
    Z_CLASS(TGLMaterial, TGLUpdateAbleObject)
    // A material that uses a library entry stores only the reference.
    Z_PUBLISHED {
        p.Property(L"BackProperties", &TGLMaterial::BackProperties).Stored(&TGLMaterial::OwnSettingsStored);
        p.Property(L"FrontProperties", &TGLMaterial::FrontProperties).Stored(&TGLMaterial::OwnSettingsStored);
        p.Property(L"BlendingMode", &TGLMaterial::BlendingMode, &TGLMaterial::SetBlendingMode)
            .Default(bmOpaque)
            .Stored(&TGLMaterial::OwnSettingsStored);
        p.Property(L"MaterialOptions", &TGLMaterial::MaterialOptions, &TGLMaterial::SetMaterialOptions)
            .Default(TMaterialOptions{});
        p.Property(L"Texture", &TGLMaterial::Texture).Stored(&TGLMaterial::OwnSettingsStored);
        p.Property(L"FaceCulling", &TGLMaterial::FaceCulling, &TGLMaterial::SetFaceCulling).Default(fcBufferDefault);
        p.Property(L"MaterialLibrary", &TGLMaterial::MaterialLibrary, &TGLMaterial::SetMaterialLibrary);
        p.Property(L"LibMaterialName", &TGLMaterial::LibMaterialName, &TGLMaterial::SetLibMaterialName);
        p.Property(L"TextureEx", &TGLMaterial::TextureEx).Stored(&TGLMaterial::TextureExStored);
    }

public:
    explicit TGLMaterial(TPersistent* owner);
    ~TGLMaterial() override;

    void Assign(TPersistent* source) override;
    // The owner hears of the change when it listens; the material's own event is not fired.
    void ReportChange(TObject* sender) override;
    // The owner hears through TexMappingChanged when it listens, else as an ordinary change.
    void TexMappingChanged(TObject* sender) override;

    // Created on first read.
    TGLFaceProperties* BackProperties();
    void SetBackProperties(TGLFaceProperties* value);
    bool HasBackProperties() const { return backProperties_ != nullptr; }
    TGLFaceProperties* FrontProperties() const { return frontProperties_; }
    void SetFrontProperties(TGLFaceProperties* value);
    TBlendingMode BlendingMode() const { return blendingMode_; }
    void SetBlendingMode(TBlendingMode value);
    TMaterialOptions MaterialOptions() const { return materialOptions_; }
    void SetMaterialOptions(TMaterialOptions value);
    TFaceCulling FaceCulling() const { return faceCulling_; }
    void SetFaceCulling(TFaceCulling value);
    // Created on first read; nil frees it.
    TGLTexture* Texture();
    void SetTexture(TGLTexture* value);
    bool HasTexture() const { return texture_ != nullptr; }
    TGLTextureEx* TextureEx();
    void SetTextureEx(TGLTextureEx* value);
    bool HasTextureEx() const { return textureEx_ != nullptr; }
    TGLMaterialLibrary* MaterialLibrary() const override { return materialLibrary_; }
    // The name is resolved again in the new library.
    void SetMaterialLibrary(TGLMaterialLibrary* value);
    const String& LibMaterialName() const { return libMaterialName_; }
    void SetLibMaterialName(const String& value);
    TGLLibMaterial* LibMaterial() const { return libMaterial_; }
    bool OwnSettingsStored() const { return libMaterial_ == nullptr; }
    bool TextureExStored() const { return textureEx_ && textureEx_->Count() > 0; }

    void Apply(TRenderContextInfo& rci);
    // True asks the caller to render again and unapply again.
    bool Unapply(TRenderContextInfo& rci);
    void PrepareTexture();
    void ReleaseGLObjects();
    bool IsBlended() const;
    // The library entry's material when one is resolved, else this one.
    TGLMaterial* ResolvedMaterial();
    void UpdateTextureExMatrices();
    // Called by an entry being destroyed; nothing is reported.
    void DetachLibMaterial();

private:
    bool TextureExUsesUnit0() const;

    TGLFaceProperties* frontProperties_;
    TGLFaceProperties* backProperties_ = nullptr;
    TBlendingMode blendingMode_ = bmOpaque;
    TGLTexture* texture_ = nullptr;
    TGLTextureEx* textureEx_ = nullptr;
    TGLMaterialLibrary* materialLibrary_ = nullptr;
    String libMaterialName_;
    TMaterialOptions materialOptions_;
    TFaceCulling faceCulling_ = fcBufferDefault;
    TGLLibMaterial* libMaterial_ = nullptr;
};

// moved: the shader base is in GLShader.h, the library and its entries in GLMaterialLibrary.h;
// included here until no file expects them from this header.
#include "GLShader.h"
#include "GLMaterialLibrary.h"
