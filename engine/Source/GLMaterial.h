#pragma once
// Materials: how a surface is drawn (face colours, culling, blending, lighting and fog, its
// textures), the shader base, and the material library that shares materials by name.
//
// Sections: enumerations and interfaces; face properties; the material; the shader; library
// entries; the library.

#include <vector>

#include "Collection.h"
#include "GLTexture.h"
#include "Sets.h"

class TGLLibMaterial;
class TGLMaterialLibrary;
class TGLShader;

// --- enumerations and interfaces
Z_ENUM(TPolygonMode, Byte, pmFill, pmLines, pmPoints)
Z_ENUM(TBlendingMode, Byte, bmOpaque, bmTransparency, bmAdditive, bmAlphaTest50, bmAlphaTest100, bmModulate)
Z_ENUM(TFaceCulling, Byte, fcBufferDefault, fcCull, fcNoCull)
Z_ENUM(TMaterialOption, Byte, moIgnoreFog, moNoLighting)
using TMaterialOptions = TSet<TMaterialOption>;
Z_ENUM(TGLShaderStyle, Byte, ssHighLevel, ssLowLevel, ssReplace)
Z_ENUM(TGLShaderFailedInitAction, Byte, fiaSilentDisable, fiaRaiseStandardException,
       fiaRaiseHandledException, fiaReRaiseException)
using TShininess = Byte;  // 0..128

Z_EXCEPTION(EGLShaderException, Exception)

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
        p.Property(L"PolygonMode", &TGLFaceProperties::PolygonMode, &TGLFaceProperties::SetPolygonMode)
            .Default(pmFill);
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

// --- the shader
class TGLShader : public TGLUpdateAbleComponent {
    Z_CLASS(TGLShader, TGLUpdateAbleComponent)
    Z_PUBLISHED { p.Property(L"Enabled", &TGLShader::Enabled, &TGLShader::SetEnabled).Default(true); }

public:
    explicit TGLShader(TComponent* owner);
    ~TGLShader() override;

    void Assign(TPersistent* source) override;
    // Every user entry tells its users, then the shader is set up afresh on its next Apply.
    void ReportChange(TObject* sender) override;

    void Apply(TRenderContextInfo& rci, TObject* sender);
    // True asks for another pass.
    bool Unapply(TRenderContextInfo& rci);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    TGLShaderStyle ShaderStyle() const { return shaderStyle_; }
    void SetShaderStyle(TGLShaderStyle value) { shaderStyle_ = value; }
    TGLShaderFailedInitAction FailedInitAction() const { return failedInitAction_; }
    void SetFailedInitAction(TGLShaderFailedInitAction value) { failedInitAction_ = value; }
    bool Active() const { return active_; }
    bool Initialized() const { return initialized_; }

    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    void AddUser(TGLLibMaterial* user);
    void RemoveUser(TGLLibMaterial* user);
    const std::vector<TGLLibMaterial*>& Users() const { return users_; }

    void PrepareShader();
    void ReleaseShader();
    virtual void HandleInitFailure(const String& message);
    virtual String NotSupportedMessage() const;
    virtual bool IsSupported() { return true; }

protected:
    virtual void DoApply(TRenderContextInfo& rci, TObject* sender) = 0;
    virtual bool DoUnapply(TRenderContextInfo& rci) = 0;
    virtual void PrepareHook() {}
    virtual void ReleaseHook() {}

private:
    void OnAllocate(TObject*, GLuint& handle) { handle = 1; }
    void OnDestroy(TObject*, GLuint& handle);

    bool enabled_ = true;
    std::vector<TGLLibMaterial*> users_;
    TGLVirtualHandle* virtualHandle_;
    TGLShaderStyle shaderStyle_ = ssLowLevel;
    Integer updateCount_ = 0;
    bool active_ = false;
    bool initialized_ = false;
    TGLShaderFailedInitAction failedInitAction_ = fiaRaiseStandardException;
};

// --- library entries
class TGLLibMaterial : public TCollectionItem, public IGLTextureNotifiable, public IGLMaterialLibrarySource {
    Z_CLASS(TGLLibMaterial, TCollectionItem)
    Z_PUBLISHED {
        p.Property(L"Name", &TGLLibMaterial::Name, &TGLLibMaterial::SetName);
        p.Property(L"Material", &TGLLibMaterial::Material);
        p.Property(L"Tag", &TGLLibMaterial::Tag, &TGLLibMaterial::SetTag).Default(0);
        p.Property(L"TextureOffset", &TGLLibMaterial::TextureOffset);
        p.Property(L"TextureScale", &TGLLibMaterial::TextureScale);
        p.Property(L"Texture2Name", &TGLLibMaterial::Texture2Name, &TGLLibMaterial::SetTexture2Name);
        p.Property(L"Shader", &TGLLibMaterial::Shader, &TGLLibMaterial::SetShader);
    }

public:
    explicit TGLLibMaterial(TCollection* collection);
    ~TGLLibMaterial() override;

    void Assign(TPersistent* source) override;
    String DisplayName() const override { return name_; }
    // The library of the collection.
    TGLMaterialLibrary* MaterialLibrary() const override;

    const String& Name() const { return name_; }
    // A name another entry has gets a number; while the library is being loaded the name is
    // taken as it is. Materials that refer to the old name keep this entry.
    void SetName(const String& value);
    Integer NameHash() const { return nameHash_; }
    TGLMaterial* Material() const { return material_; }
    void SetMaterial(TGLMaterial* value) { material_->Assign(value); }
    Integer Tag() const { return tag_; }
    void SetTag(Integer value) { tag_ = value; }
    TGLCoordinates3* TextureOffset() const { return textureOffset_; }
    void SetTextureOffset(TGLCoordinates3* value);
    TGLCoordinates3* TextureScale() const { return textureScale_; }
    void SetTextureScale(TGLCoordinates3* value);
    const String& Texture2Name() const { return texture2Name_; }
    void SetTexture2Name(const String& value);
    TGLShader* Shader() const { return shader_; }
    void SetShader(TGLShader* value);
    bool IsIdentity() const { return identity_; }
    const TMatrix4x4& TextureMatrix() const { return textureMatrix_; }

    void RecalcTextureMatrix();
    // Tells every user (materials, entries using this one as their second texture).
    void BroadcastChange();
    void ReportChange(TObject*) override { BroadcastChange(); }
    void TexMappingChanged(TObject* sender) override;
    void PrepareTexture() { material_->PrepareTexture(); }
    void Apply(TRenderContextInfo& rci);
    bool Unapply(TRenderContextInfo& rci);
    // Whether applying once serves several objects in a row: one pass, no shader, no second
    // texture, no texture matrix, and a texture (if any) whose coordinates come from the
    // object, so that nothing it sets depends on the object's own matrix.
    bool CanStayApplied();
    // Resolves a texture file name through the library's event and texture folders.
    void TextureNeeded(TObject* sender, String& textureFileName);

    void AddMaterialUser(TGLMaterial* material);
    void RemoveMaterialUser(TGLMaterial* material);
    void AddEntryUser(TGLLibMaterial* entry);
    void RemoveEntryUser(TGLLibMaterial* entry);
    // Storage without notification, for the library file.
    void StoreName(const String& value);

private:
    void CoordinatesChanged(TObject*) { RecalcTextureMatrix(); }
    bool SecondTextureUsable();
    template <class F>
    void ForEachUserOnce(F tell);

    std::vector<TObject*> users_;
    String name_;
    Integer nameHash_ = 0;
    TGLMaterial* material_;
    TGLCoordinates3* textureOffset_;
    TGLCoordinates3* textureScale_;
    bool identity_ = true;
    TMatrix4x4 textureMatrix_;
    String texture2Name_;
    TGLShader* shader_ = nullptr;
    bool notifying_ = false;
    TGLLibMaterial* texture2Entry_ = nullptr;
    Integer tag_ = 0;
};

// The hash the library keeps per name: length, then h := 2h + byte for every byte.
Integer LibMaterialNameHash(const String& name);

class TGLLibMaterials : public TOwnedCollection {
    Z_CLASS(TGLLibMaterials, TOwnedCollection)
public:
    explicit TGLLibMaterials(TGLMaterialLibrary* library);

    TGLLibMaterial* ItemAt(int index) const { return static_cast<TGLLibMaterial*>(Items(index)); }
    TGLLibMaterial* Add() { return static_cast<TGLLibMaterial*>(TOwnedCollection::Add()); }
    // Case-sensitive; nil when none.
    TGLLibMaterial* FindByName(const String& name) const;
    // base, else base1, base2, ... the first no entry has.
    String UniqueEntryName(const String& base) const;
    int IndexOfTexture(const TGLTexture* texture) const;
    String NameOfTexture(const TGLTexture* texture) const;
    void PrepareTextures();
    void Loaded();
    void ReleaseGLObjects();
};

// --- the library
class TGLMaterialLibrary : public TGLCadenceAbleComponent {
    Z_CLASS(TGLMaterialLibrary, TGLCadenceAbleComponent)
    Z_PUBLISHED {
        p.Property(L"Materials", &TGLMaterialLibrary::Materials).Stored(&TGLMaterialLibrary::MaterialsStored);
        p.Property(L"TexturePaths", &TGLMaterialLibrary::TexturePaths, &TGLMaterialLibrary::SetTexturePaths);
        p.Event(L"OnTextureNeeded", &TGLMaterialLibrary::OnTextureNeeded);
    }

public:
    explicit TGLMaterialLibrary(TComponent* owner);
    ~TGLMaterialLibrary() override;

    void Loaded() override;
    void ReleaseGLObjects();

    TGLLibMaterials* Materials() const { return materials_; }
    void SetMaterials(TGLLibMaterials* value) { materials_->Assign(value); }
    const String& TexturePaths() const { return texturePaths_; }
    // Folders separated by ";", trimmed, each given a trailing backslash.
    void SetTexturePaths(const String& value);
    const std::vector<String>& TexturePathList() const { return texturePathList_; }
    TTextureNeededEvent OnTextureNeeded;
    bool MaterialsStored() const { return materials_->Count() > 0; }

    TGLLibMaterial* EntryByName(const String& name) const;
    // ETexture when the library is nil or no entry has the name; nil for an empty name.
    static TGLTexture* TextureOfEntry(const TGLMaterialLibrary* library, const String& name);
    static String EntryNameOfTexture(const TGLMaterialLibrary* library, const TGLTexture* texture);
    // A texture material read from a file now (persistent) or when first needed.
    TGLLibMaterial* NewTextureMaterial(const String& name, const String& fileName, bool persistent);
    TGLLibMaterial* AddBitmapMaterial(const String& name, TGraphic* bitmap);

    // The material-library file: version 2 is written; versions 0 to 2 are read.
    virtual void SaveToStream(TStream* stream);
    virtual void LoadFromStream(TStream* stream);
    void SaveToFile(const String& fileName);
    void LoadFromFile(const String& fileName);

private:
    TGLLibMaterials* materials_;
    String texturePaths_;
    std::vector<String> texturePathList_;
};

// Unit start-up: the classes form descriptions create by name.
void InitializeGLMaterial();
