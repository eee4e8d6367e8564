#pragma once
// The material library: TGLMaterialLibrary, a component that shares materials by name, its
// collection TGLLibMaterials and the entries TGLLibMaterial; the material-library file.
//
// Sections: library entries; the library.

#include <vector>

#include "GLMaterial.h"

class TGLShader;

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

// Unit start-up: the classes form descriptions create by name (the library, the material, the
// shader base).
void InitializeGLMaterialLibrary();
