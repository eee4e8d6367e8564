// The material library and its entries; the material-library file.
#include <algorithm>
#include <memory>

#include "ApplicationFileIO.h"
#include "BinaryArchive.h"
#include "Bitmap.h"
#include "Format.h"
#include "GLMaterialLibrary.h"
#include "GLShader.h"
#include "GLRenderContextInfo.h"
#include "GLState.h"
#include "PersistentObject.h"
#include "SysUtils.h"
#include "XOpenGL.h"

namespace {

bool Contains(const std::vector<TObject*>& list, const TObject* item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

void AddUser(std::vector<TObject*>& list, TObject* user) {
    Assert(!Contains(list, user), kAssertionFailure);
    list.push_back(user);
}

void RemoveUser(std::vector<TObject*>& list, TObject* user) {
    list.erase(std::remove(list.begin(), list.end(), user), list.end());
}

}  // namespace

Integer LibMaterialNameHash(const String& name) {
    const AnsiString bytes = StringToAnsi(name);
    Cardinal h = Cardinal(bytes.size());
    for (char c : bytes) h = 2 * h + Byte(c);
    return Integer(h);
}

// --- library entries

TGLLibMaterial::TGLLibMaterial(TCollection* collection) : TCollectionItem(collection) {
    if (auto* materials = As<TGLLibMaterials>(collection))
        name_ = materials->UniqueEntryName(L"LibMaterial");
    else
        name_ = L"LibMaterial";
    nameHash_ = LibMaterialNameHash(name_);
    material_ = new TGLMaterial(this);
    material_->Texture()->OnTextureNeeded = MakeEvent(this, &TGLLibMaterial::TextureNeeded);
    textureOffset_ = new TGLCoordinates3(this, MakeVector4(0, 0, 0, 0), csPoint);
    textureOffset_->OnChange = MakeEvent(this, &TGLLibMaterial::CoordinatesChanged);
    textureScale_ = new TGLCoordinates3(this, MakeVector4(1, 1, 1, 0), csPoint);
    textureScale_->OnChange = MakeEvent(this, &TGLLibMaterial::CoordinatesChanged);
    textureMatrix_ = IdentityMatrix;
}

TGLLibMaterial::~TGLLibMaterial() {
    SetShader(nullptr);
    SetTexture2Name(L"");
    for (TObject* user : std::vector<TObject*>(users_)) {
        if (auto* material = As<TGLMaterial>(user)) {
            material->DetachLibMaterial();
        } else if (auto* entry = As<TGLLibMaterial>(user)) {
            entry->texture2Entry_ = nullptr;
            entry->texture2Name_.clear();
        }
    }
    users_.clear();
    FreeAndNil(material_);
    FreeAndNil(textureOffset_);
    FreeAndNil(textureScale_);
}

void TGLLibMaterial::Assign(TPersistent* source) {
    auto* other = As<TGLLibMaterial>(source);
    if (!other) {
        TCollectionItem::Assign(source);
        return;
    }
    auto* materials = As<TGLLibMaterials>(Collection());
    name_ = materials ? materials->UniqueEntryName(other->name_) : other->name_;
    nameHash_ = LibMaterialNameHash(name_);
    material_->Assign(other->material_);
    textureOffset_->Assign(other->textureOffset_);
    textureScale_->Assign(other->textureScale_);
    SetTexture2Name(other->texture2Name_);
    SetShader(other->shader_);
    RecalcTextureMatrix();
}

TGLMaterialLibrary* TGLLibMaterial::MaterialLibrary() const {
    return Collection() ? dynamic_cast<TGLMaterialLibrary*>(Collection()->GetOwner()) : nullptr;
}

void TGLLibMaterial::SetName(const String& value) {
    if (value == name_) return;
    TGLMaterialLibrary* library = MaterialLibrary();
    auto* materials = As<TGLLibMaterials>(Collection());
    if (!materials || (library && library->ComponentState().Contains(csLoading))) {
        name_ = value;
    } else {
        TGLLibMaterial* holder = materials->FindByName(value);
        name_ = !holder || holder == this ? value : materials->UniqueEntryName(value);
    }
    nameHash_ = LibMaterialNameHash(name_);
}

void TGLLibMaterial::StoreName(const String& value) {
    name_ = value;
    nameHash_ = LibMaterialNameHash(name_);
}

void TGLLibMaterial::SetTextureOffset(TGLCoordinates3* value) {
    textureOffset_->AssignVector(value->AsVector());
    RecalcTextureMatrix();
}

void TGLLibMaterial::SetTextureScale(TGLCoordinates3* value) {
    textureScale_->AssignVector(value->AsVector());
    RecalcTextureMatrix();
}

void TGLLibMaterial::SetTexture2Name(const String& value) {
    if (value == texture2Name_) return;
    if (texture2Entry_) {
        texture2Entry_->RemoveEntryUser(this);
        texture2Entry_ = nullptr;
    }
    texture2Name_ = value;
    BroadcastChange();
}

void TGLLibMaterial::SetShader(TGLShader* value) {
    if (value == shader_) return;
    if (shader_) shader_->RemoveUser(this);
    shader_ = value;
    if (shader_) shader_->AddUser(this);
    BroadcastChange();
}

void TGLLibMaterial::RecalcTextureMatrix() {
    identity_ =
        textureOffset_->SameVector(MakeVector4(0, 0, 0, 0)) && textureScale_->SameVector(MakeVector4(1, 1, 1, 0));
    if (!identity_)
        textureMatrix_ = ScaleTranslateMatrix(AffineFromVector4(textureScale_->AsVector()),
                                              AffineFromVector4(textureOffset_->AsVector()));
    BroadcastChange();
}

// Calls tell for every user, once: a user that notifies back while the walk runs is ignored.
template <class F>
void TGLLibMaterial::ForEachUserOnce(F tell) {
    if (notifying_) return;
    notifying_ = true;
    try {
        for (TObject* user : std::vector<TObject*>(users_)) tell(user);
    } catch (...) {
        notifying_ = false;
        throw;
    }
    notifying_ = false;
}

void TGLLibMaterial::BroadcastChange() {
    ForEachUserOnce([this](TObject* user) {
        if (auto* object = As<TGLUpdateAbleObject>(user))
            object->ReportChange(this);
        else if (auto* component = As<TGLUpdateAbleComponent>(user))
            component->ReportChange(this);
        else {
            auto* entry = As<TGLLibMaterial>(user);
            Assert(entry != nullptr, kAssertionFailure);
            entry->BroadcastChange();
        }
    });
}

void TGLLibMaterial::TexMappingChanged(TObject*) {
    ForEachUserOnce([this](TObject* user) {
        if (auto* material = As<TGLMaterial>(user))
            material->TexMappingChanged(material);
        else if (auto* entry = As<TGLLibMaterial>(user))
            entry->TexMappingChanged(this);
        else if (auto* object = As<TGLUpdateAbleObject>(user))
            object->ReportChange(this);
        else if (auto* component = As<TGLUpdateAbleComponent>(user))
            component->ReportChange(this);
    });
}

void TGLLibMaterial::AddMaterialUser(TGLMaterial* material) { AddUser(users_, material); }
void TGLLibMaterial::RemoveMaterialUser(TGLMaterial* material) { RemoveUser(users_, material); }
void TGLLibMaterial::AddEntryUser(TGLLibMaterial* entry) { AddUser(users_, entry); }
void TGLLibMaterial::RemoveEntryUser(TGLLibMaterial* entry) { RemoveUser(users_, entry); }

// The second texture is looked up on first use; a name that finds nothing is cleared.
bool TGLLibMaterial::SecondTextureUsable() {
    if (texture2Name_.empty() || !GL.GL_ARB_multitexture || SecondTextureUnitForbidden()) return false;
    if (!texture2Entry_) {
        auto* materials = As<TGLLibMaterials>(Collection());
        TGLLibMaterial* found = materials ? materials->FindByName(texture2Name_) : nullptr;
        if (found) {
            texture2Entry_ = found;
            found->AddEntryUser(this);
        } else {
            texture2Name_.clear();
        }
    }
    return texture2Entry_ && texture2Entry_->material_->HasTexture() && texture2Entry_->material_->Texture()->Enabled();
}

void TGLLibMaterial::Apply(TRenderContextInfo& rci) {
    BeginTexCoordMappingUpdate();
    try {
        bool replaced = false;
        if (shader_ && shader_->ShaderStyle() == ssHighLevel) shader_->Apply(rci, this);
        if (shader_ && shader_->ShaderStyle() == ssReplace) {
            shader_->Apply(rci, this);
            replaced = true;
        }
        if (!replaced) {
            TGLTexture* texture = material_->Texture();
            if (SecondTextureUsable()) {
                if (!identity_) rci.GLStates->SetTextureMatrix(textureMatrix_);
                material_->Apply(rci);
                TGLTexture* second = texture2Entry_->material_->Texture();
                second->ApplyOnSecondUnit(rci, texture2Entry_->identity_ ? nullptr : &texture2Entry_->textureMatrix_);
                const bool secondUser = second->MappingMode() == tmmUser;
                if (texture->Disabled() || texture->MappingMode() != tmmUser) {
                    if (!secondUser)
                        SelectMainTexCoordMapping();
                    else
                        SelectSecondTexCoordMapping();
                } else {
                    if (!secondUser)
                        SelectMainTexCoordMapping();
                    else
                        SelectDualTexCoordMapping();
                }
            } else {
                if (texture->Enabled() && !identity_) rci.GLStates->SetTextureMatrix(textureMatrix_);
                material_->Apply(rci);
            }
            if (shader_ && shader_->ShaderStyle() == ssLowLevel) shader_->Apply(rci, this);
        }
    } catch (...) {
        EndTexCoordMappingUpdate();
        throw;
    }
    EndTexCoordMappingUpdate();
}

bool TGLLibMaterial::CanStayApplied() {
    if (shader_ || texture2Entry_ || !identity_ || material_->LibMaterial()) return false;
    if (material_->HasTextureEx() && material_->TextureEx()->Count() > 0) return false;
    if (!material_->HasTexture() || material_->Texture()->Disabled()) return true;
    TGLTexture* texture = material_->Texture();
    return texture->MappingMode() == tmmUser && texture->Image()->ClassType()->TextureTarget() == GL_TEXTURE_2D;
}

bool TGLLibMaterial::Unapply(TRenderContextInfo& rci) {
    bool result = false;
    if (shader_) {
        if (shader_->ShaderStyle() == ssLowLevel)
            result = shader_->Unapply(rci);
        else if (shader_->ShaderStyle() == ssReplace)
            return shader_->Unapply(rci);
    }
    if (result) return true;
    if (texture2Entry_ && GL.GL_ARB_multitexture && !SecondTextureUnitForbidden()) {
        texture2Entry_->material_->Texture()->UnapplyFromSecondUnit(rci, !texture2Entry_->identity_);
        SelectMainTexCoordMapping();
    }
    material_->Unapply(rci);
    if (material_->Texture()->Enabled() && !identity_) rci.GLStates->ResetTextureMatrix();
    if (shader_ && shader_->ShaderStyle() == ssHighLevel) return shader_->Unapply(rci);
    return false;
}

void TGLLibMaterial::TextureNeeded(TObject*, String& textureFileName) {
    TGLMaterialLibrary* library = MaterialLibrary();
    if (!library) return;
    if (library->OnTextureNeeded) library->OnTextureNeeded(library, textureFileName);
    if (textureFileName.find(L':') != String::npos || (!textureFileName.empty() && textureFileName[0] == L'\\')) return;
    for (const String& folder : library->TexturePathList()) {
        const String candidate = IncludeTrailingPathDelimiter(folder) + textureFileName;
        if ((CreateFileStreamHook && HookedFileExists(candidate)) || FileExists(candidate)) {
            textureFileName = candidate;
            return;
        }
    }
}

// --- the entries

TGLLibMaterials::TGLLibMaterials(TGLMaterialLibrary* library)
    : TOwnedCollection(library, TGLLibMaterial::StaticClass()) {}

TGLLibMaterial* TGLLibMaterials::FindByName(const String& name) const {
    const Integer hash = LibMaterialNameHash(name);
    for (int i = 0; i < Count(); ++i) {
        TGLLibMaterial* entry = ItemAt(i);
        if (entry->NameHash() == hash && entry->Name() == name) return entry;
    }
    return nullptr;
}

String TGLLibMaterials::UniqueEntryName(const String& base) const {
    if (!FindByName(base)) return base;
    for (Integer i = 1;; ++i) {
        const String candidate = base + IntToStr(i);
        if (!FindByName(candidate)) return candidate;
    }
}

int TGLLibMaterials::IndexOfTexture(const TGLTexture* texture) const {
    for (int i = 0; i < Count(); ++i) {
        TGLMaterial* material = ItemAt(i)->Material();
        if (material->HasTexture() && material->Texture() == texture) return i;
    }
    return -1;
}

String TGLLibMaterials::NameOfTexture(const TGLTexture* texture) const {
    const int index = IndexOfTexture(texture);
    return index < 0 ? String() : ItemAt(index)->Name();
}

void TGLLibMaterials::PrepareTextures() {
    for (int i = 0; i < Count(); ++i) ItemAt(i)->PrepareTexture();
}

void TGLLibMaterials::Loaded() {
    for (int i = 0; i < Count(); ++i) {
        ItemAt(i)->RecalcTextureMatrix();
        ItemAt(i)->Material()->UpdateTextureExMatrices();
    }
}

void TGLLibMaterials::ReleaseGLObjects() {
    for (int i = 0; i < Count(); ++i) ItemAt(i)->Material()->ReleaseGLObjects();
}

// --- the library

TGLMaterialLibrary::TGLMaterialLibrary(TComponent* owner) : TGLCadenceAbleComponent(owner) {
    materials_ = new TGLLibMaterials(this);
}

TGLMaterialLibrary::~TGLMaterialLibrary() {
    texturePathList_.clear();
    FreeAndNil(materials_);
}

void TGLMaterialLibrary::Loaded() {
    materials_->Loaded();
    TGLCadenceAbleComponent::Loaded();
}

void TGLMaterialLibrary::ReleaseGLObjects() {
    materials_->PrepareTextures();
    materials_->ReleaseGLObjects();
}

void TGLMaterialLibrary::SetTexturePaths(const String& value) {
    texturePathList_.clear();
    texturePaths_ = value;
    size_t start = 0;
    while (start <= value.size()) {
        size_t end = value.find(L';', start);
        if (end == String::npos) end = value.size();
        String part = Trim(value.substr(start, end - start));
        if (!part.empty()) {
            if (part.back() != L'\\') part += L'\\';
            texturePathList_.push_back(part);
        }
        start = end + 1;
    }
}

TGLLibMaterial* TGLMaterialLibrary::EntryByName(const String& name) const { return materials_->FindByName(name); }

TGLTexture* TGLMaterialLibrary::TextureOfEntry(const TGLMaterialLibrary* library, const String& name) {
    if (!library) throw ETexture(L"Error: Material Library not defined!");
    if (name.empty()) return nullptr;
    if (TGLLibMaterial* entry = library->EntryByName(name)) return entry->Material()->Texture();
    throw ETexture(Format(L"Error: Material \"%s\" not found in current Material Library!", {name}));
}

String TGLMaterialLibrary::EntryNameOfTexture(const TGLMaterialLibrary* library, const TGLTexture* texture) {
    if (!library || !texture) return String();
    return library->materials_->NameOfTexture(texture);
}

namespace {

TGLLibMaterial* AddTextureEntry(TGLLibMaterials* materials, const String& name) {
    TGLLibMaterial* entry = materials->Add();
    entry->SetName(name);
    TGLTexture* texture = entry->Material()->Texture();
    texture->SetMinFilter(miLinearMipmapLinear);
    texture->SetMagFilter(maLinear);
    texture->SetTextureMode(tmModulate);
    texture->SetDisabled(false);
    return entry;
}

}  // namespace

TGLLibMaterial* TGLMaterialLibrary::NewTextureMaterial(const String& name, const String& fileName, bool persistent) {
    TGLLibMaterial* entry = AddTextureEntry(materials_, name);
    TGLTexture* texture = entry->Material()->Texture();
    if (persistent) {
        texture->SetImageClassName(L"TGLPersistentImage");
        if (!fileName.empty()) texture->Image()->LoadFromFile(fileName);
    } else {
        texture->SetImageClassName(L"TGLPicFileImage");
        static_cast<TGLPicFileImage*>(texture->Image())->SetPictureFileName(fileName);
    }
    return entry;
}

TGLLibMaterial* TGLMaterialLibrary::AddBitmapMaterial(const String& name, TGraphic* bitmap) {
    TGLLibMaterial* entry = AddTextureEntry(materials_, name);
    entry->Material()->Texture()->Image()->Assign(bitmap);
    return entry;
}

void TGLMaterialLibrary::SaveToFile(const String& fileName) {
    std::unique_ptr<TStream> stream = CreateHookedFileStream(fileName, fmCreate);
    SaveToStream(stream.get());
}

void TGLMaterialLibrary::LoadFromFile(const String& fileName) {
    std::unique_ptr<TStream> stream = CreateHookedFileStream(fileName, fmOpenReadDenyWrite);
    LoadFromStream(stream.get());
}

// --- the material-library file

namespace {

constexpr Integer kLibraryVersion = 2;

// The picture of an enabled texture whose persistent image holds one, else nil.
TGraphic* StoredPicture(TGLTexture* texture) {
    if (!texture->Enabled()) return nullptr;
    auto* image = As<TGLPersistentImage>(texture->Image());
    return image ? image->Picture()->Graphic() : nullptr;
}

void WritePicture(TVirtualWriter& writer, TGLTexture* texture) {
    TGraphic* graphic = StoredPicture(texture);
    writer.WriteBoolean(graphic != nullptr);
    if (!graphic) return;
    TBitmap bitmap;
    bitmap.Assign(graphic);
    TMemoryStream stream;
    bitmap.SaveToStream(&stream);
    const TBytes bytes = StreamBytes(&stream);
    writer.WriteString(AnsiString(bytes.begin(), bytes.end()));
}

std::unique_ptr<TBitmap> ReadPicture(TVirtualReader& reader) {
    const AnsiString data = reader.ReadString();
    TMemoryStream stream;
    if (!data.empty()) stream.WriteBuffer(data.data(), Integer(data.size()));
    stream.SetPosition(0);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromStream(&stream);
    return bitmap;
}

void WriteVector3(TVirtualWriter& writer, const TVector4f& v) { writer.Write(&v, 12); }

void ReadVector3(TVirtualReader& reader, TVector4f& v) { reader.Read(&v, 12); }

void WriteFace(TVirtualWriter& writer, TGLFaceProperties* face) {
    WriteVector3(writer, face->Ambient()->Color());
    const TVector4f diffuse = face->Diffuse()->Color();
    writer.Write(&diffuse, 16);
    WriteVector3(writer, face->Emission()->Color());
    WriteVector3(writer, face->Specular()->Color());
    const Byte shininess = face->Shininess();
    writer.Write(&shininess, 1);
    writer.WriteInteger(face->PolygonMode());
}

// The three colour vectors keep their alpha; the diffuse colour is read whole.
void ReadFaceColors(TVirtualReader& reader, TGLFaceProperties* face) {
    auto read3 = [&](TGLColor* color) {
        TVector4f v = color->Color();
        ReadVector3(reader, v);
        color->StoreColorVector(v);
    };
    read3(face->Ambient());
    TVector4f diffuse;
    reader.Read(&diffuse, 16);
    face->Diffuse()->StoreColorVector(diffuse);
    read3(face->Emission());
    read3(face->Specular());
}

// An enumeration value from the file; values outside the type are refused.
Integer ReadOrdinal(TVirtualReader& reader, Integer last) {
    const Integer value = reader.ReadInteger();
    if (value < 0 || value > last) throw EReadError(L"Invalid material library value " + IntToStr(value));
    return value;
}

void ReadFaceRest(TVirtualReader& reader, TGLFaceProperties* face) {
    Byte shininess;
    reader.Read(&shininess, 1);
    face->StoreShininess(std::min<Byte>(shininess, 128));
    face->SetPolygonMode(TPolygonMode(ReadOrdinal(reader, pmPoints)));
}

void ReadCoordinates(TVirtualReader& reader, TGLCoordinates3* coordinates) {
    TVector4f v = coordinates->AsVector();
    ReadVector3(reader, v);
    coordinates->StoreVector(v);
}

}  // namespace

void TGLMaterialLibrary::SaveToStream(TStream* stream) {
    TBinaryWriter writer(stream);
    writer.WriteInteger(kLibraryVersion);
    writer.WriteInteger(materials_->Count());
    for (int i = 0; i < materials_->Count(); ++i) {
        TGLLibMaterial* entry = materials_->ItemAt(i);
        TGLMaterial* material = entry->Material();
        writer.WriteString(StringToAnsi(entry->Name()));
        WritePicture(writer, material->Texture());
        WriteFace(writer, material->FrontProperties());
        WriteFace(writer, material->BackProperties());
        writer.WriteInteger(material->BlendingMode());
        writer.WriteInteger(1);
        const Byte options = Byte(material->MaterialOptions().Contains(moIgnoreFog) ? 1 : 0) |
                             Byte(material->MaterialOptions().Contains(moNoLighting) ? 2 : 0);
        writer.Write(&options, 1);
        WriteVector3(writer, entry->TextureOffset()->AsVector());
        WriteVector3(writer, entry->TextureScale()->AsVector());
        writer.WriteString(StringToAnsi(entry->Texture2Name()));
        TGLTextureEx* extra = material->TextureEx();
        writer.WriteInteger(extra->Count());
        for (int k = 0; k < extra->Count(); ++k) {
            TGLTextureExItem* item = extra->ItemAt(k);
            WritePicture(writer, item->Texture());
            writer.WriteInteger(item->TextureIndex());
            WriteVector3(writer, item->TextureOffset()->AsVector());
            WriteVector3(writer, item->TextureScale()->AsVector());
        }
    }
}

void TGLMaterialLibrary::LoadFromStream(TStream* stream) {
    TBinaryReader reader(stream);
    const Integer version = reader.ReadInteger();
    if (version < 0 || version > kLibraryVersion) RaiseArchiveVersionErrorFor(ClassType(), version);
    materials_->Clear();
    const Integer count = reader.ReadInteger();
    reader.CheckPayload(count, 2);  // a name and a flag at the least
    for (Integer i = 0; i < count; ++i) {
        const String name = AnsiToString(reader.ReadString());
        TGLLibMaterial* entry;
        if (reader.ReadBoolean()) {
            std::unique_ptr<TBitmap> bitmap = ReadPicture(reader);
            entry = AddBitmapMaterial(name, bitmap.get());
        } else {
            entry = materials_->Add();
            entry->SetName(name);
        }
        TGLMaterial* material = entry->Material();
        ReadFaceColors(reader, material->FrontProperties());
        if (version == 0) continue;
        ReadFaceRest(reader, material->FrontProperties());
        ReadFaceColors(reader, material->BackProperties());
        ReadFaceRest(reader, material->BackProperties());
        material->SetBlendingMode(TBlendingMode(ReadOrdinal(reader, bmModulate)));
        const Integer optionBytes = reader.ReadInteger();
        reader.CheckPayload(optionBytes, 1);
        TMaterialOptions options;
        for (Integer k = 0; k < optionBytes; ++k) {
            Byte b;
            reader.Read(&b, 1);
            if (k > 0) continue;
            if (b & 1) options += moIgnoreFog;
            if (b & 2) options += moNoLighting;
        }
        material->SetMaterialOptions(options);
        ReadCoordinates(reader, entry->TextureOffset());
        ReadCoordinates(reader, entry->TextureScale());
        entry->SetTexture2Name(AnsiToString(reader.ReadString()));
        if (version == 1) continue;
        const Integer items = reader.ReadInteger();
        reader.CheckPayload(items, 1 + 1 + 24);  // flag, index and two vectors
        for (Integer k = 0; k < items; ++k) {
            TGLTextureExItem* item = material->TextureEx()->Add();
            if (reader.ReadBoolean()) {
                std::unique_ptr<TBitmap> bitmap = ReadPicture(reader);
                item->Texture()->Image()->Assign(bitmap.get());
                item->Texture()->SetDisabled(false);
            }
            item->SetTextureIndex(reader.ReadInteger());
            ReadCoordinates(reader, item->TextureOffset());
            ReadCoordinates(reader, item->TextureScale());
        }
    }
}

void InitializeGLMaterialLibrary() {
    RegisterClasses({TGLMaterialLibrary::StaticClass(), TGLMaterial::StaticClass(), TGLShader::StaticClass()});
}
