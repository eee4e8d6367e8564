#include "GLMaterial.h"

#include <algorithm>
#include <memory>

#include "ApplicationFileIO.h"
#include "BinaryArchive.h"
#include "Bitmap.h"
#include "Format.h"
#include "GLMaterialLibrary.h"
#include "GLRenderContextInfo.h"
#include "GLShader.h"
#include "GLState.h"
#include "SysUtils.h"
#include "XOpenGL.h"

namespace {

const GLenum kPolygonModes[] = {GL_FILL, GL_LINE, GL_POINT};

}  // namespace

// --- face properties

TGLFaceProperties::TGLFaceProperties(TPersistent* owner) : TGLUpdateAbleObject(owner) {
    ambient_ = new TGLColor(this);
    ambient_->SetInitialColor(MakeVector4(0.2f, 0.2f, 0.2f, 1));
    diffuse_ = new TGLColor(this);
    diffuse_->SetInitialColor(MakeVector4(0.8f, 0.8f, 0.8f, 1));
    specular_ = new TGLColor(this);
    specular_->SetInitialColor(MakeVector4(0, 0, 0, 1));
    emission_ = new TGLColor(this);
    emission_->SetInitialColor(MakeVector4(0, 0, 0, 1));
}

TGLFaceProperties::~TGLFaceProperties() {
    FreeAndNil(ambient_);
    FreeAndNil(diffuse_);
    FreeAndNil(specular_);
    FreeAndNil(emission_);
}

void TGLFaceProperties::Assign(TPersistent* source) {
    auto* other = As<TGLFaceProperties>(source);
    if (!other) return;
    ambient_->StoreColorVector(other->ambient_->Color());
    diffuse_->StoreColorVector(other->diffuse_->Color());
    specular_->StoreColorVector(other->specular_->Color());
    emission_->StoreColorVector(other->emission_->Color());
    shininess_ = other->shininess_;
    polygonMode_ = other->polygonMode_;
    ReportChange(this);
}

void TGLFaceProperties::Apply(TRenderContextInfo& rci, GLenum face) {
    rci.GLStates->SetMaterialColors(face, emission_->Color(), ambient_->Color(), diffuse_->Color(), specular_->Color(),
                                    shininess_);
    rci.GLStates->SetPolygonMode(face, kPolygonModes[polygonMode_]);
}

void TGLFaceProperties::ApplyNoLighting(TRenderContextInfo& rci, GLenum face) {
    GL.glColor4fv(diffuse_->ColorVectorAddress());
    rci.GLStates->SetPolygonMode(face, kPolygonModes[polygonMode_]);
}

void TGLFaceProperties::SetColor(TGLColor* target, TGLColor* value) {
    target->StoreColorVector(value->Color());
    ReportChange(this);
}

void TGLFaceProperties::SetShininess(TShininess value) {
    if (value == shininess_) return;
    shininess_ = value;
    ReportChange(this);
}

void TGLFaceProperties::SetPolygonMode(TPolygonMode value) {
    if (value == polygonMode_) return;
    polygonMode_ = value;
    ReportChange(this);
}

// --- the material

TGLMaterial::TGLMaterial(TPersistent* owner) : TGLUpdateAbleObject(owner) {
    frontProperties_ = new TGLFaceProperties(this);
}

TGLMaterial::~TGLMaterial() {
    if (libMaterial_) libMaterial_->RemoveMaterialUser(this);
    FreeAndNil(backProperties_);
    FreeAndNil(frontProperties_);
    FreeAndNil(texture_);
    FreeAndNil(textureEx_);
}

void TGLMaterial::Assign(TPersistent* source) {
    auto* other = As<TGLMaterial>(source);
    if (!other) {
        TGLUpdateAbleObject::Assign(source);
        return;
    }
    if (other->backProperties_)
        BackProperties()->Assign(other->backProperties_);
    else
        FreeAndNil(backProperties_);
    frontProperties_->Assign(other->frontProperties_);
    blendingMode_ = other->blendingMode_;
    materialOptions_ = other->materialOptions_;
    if (other->texture_)
        Texture()->Assign(other->texture_);
    else
        FreeAndNil(texture_);
    faceCulling_ = other->faceCulling_;
    materialLibrary_ = other->materialLibrary_;
    SetLibMaterialName(other->libMaterialName_);
    TextureEx()->Assign(other->TextureEx());
    ReportChange(this);
}

void TGLMaterial::ReportChange(TObject*) {
    if (auto* owner = dynamic_cast<IChangeNotifiable*>(Owner())) owner->ReportChange(this);
}

void TGLMaterial::TexMappingChanged(TObject*) {
    if (auto* owner = dynamic_cast<IGLTextureNotifiable*>(Owner()))
        owner->TexMappingChanged(this);
    else
        ReportChange(this);
}

TGLFaceProperties* TGLMaterial::BackProperties() {
    if (!backProperties_) backProperties_ = new TGLFaceProperties(this);
    return backProperties_;
}

void TGLMaterial::SetBackProperties(TGLFaceProperties* value) {
    BackProperties()->Assign(value);
    ReportChange(this);
}

void TGLMaterial::SetFrontProperties(TGLFaceProperties* value) {
    frontProperties_->Assign(value);
    ReportChange(this);
}

void TGLMaterial::SetBlendingMode(TBlendingMode value) {
    if (value == blendingMode_) return;
    blendingMode_ = value;
    ReportChange(this);
}

void TGLMaterial::SetMaterialOptions(TMaterialOptions value) {
    if (value == materialOptions_) return;
    materialOptions_ = value;
    ReportChange(this);
}

void TGLMaterial::SetFaceCulling(TFaceCulling value) {
    if (value == faceCulling_) return;
    faceCulling_ = value;
    ReportChange(this);
}

TGLTexture* TGLMaterial::Texture() {
    if (!texture_) texture_ = new TGLTexture(this);
    return texture_;
}

void TGLMaterial::SetTexture(TGLTexture* value) {
    if (!value)
        FreeAndNil(texture_);
    else
        Texture()->Assign(value);
}

TGLTextureEx* TGLMaterial::TextureEx() {
    if (!textureEx_) textureEx_ = new TGLTextureEx(this);
    return textureEx_;
}

void TGLMaterial::SetTextureEx(TGLTextureEx* value) {
    if (!value && !textureEx_) return;
    if (value)
        TextureEx()->Assign(value);
    else
        TextureEx()->Clear();
}

void TGLMaterial::SetMaterialLibrary(TGLMaterialLibrary* value) {
    materialLibrary_ = value;
    SetLibMaterialName(libMaterialName_);
}

void TGLMaterial::SetLibMaterialName(const String& value) {
    TGLLibMaterial* found = materialLibrary_ ? materialLibrary_->Materials()->FindByName(value) : nullptr;
    // A chain of library references that comes back to this material, or does not end within
    // 16 links, is a cycle (applying it would never end).
    TGLLibMaterial* link = found;
    bool cycle = false;
    for (int step = 0; link && !cycle && step < 16; ++step) {
        TGLMaterial* m = link->Material();
        cycle = m == this;
        link = m->materialLibrary_ ? m->materialLibrary_->Materials()->FindByName(m->libMaterialName_) : nullptr;
    }
    Assert(!cycle && link == nullptr, L"Error: Cyclic material reference detected!");
    libMaterialName_ = value;
    if (found == libMaterial_) return;
    if (libMaterial_) libMaterial_->RemoveMaterialUser(this);
    libMaterial_ = found;
    if (libMaterial_) libMaterial_->AddMaterialUser(this);
    TexMappingChanged(this);
}

bool TGLMaterial::TextureExUsesUnit0() const { return textureEx_ && textureEx_->IsUnitEnabled(0); }

void TGLMaterial::Apply(TRenderContextInfo& rci) {
    if (libMaterial_) {
        libMaterial_->Apply(rci);
        return;
    }
    TGLStateCache& states = *rci.GLStates;
    // Every nested switch is counted while the state is off because of a material, so the
    // state comes back only when the outermost of them is unapplied.
    if (materialOptions_.Contains(moNoLighting)) {
        if (rci.lightingDisabledCounter > 0) {
            ++rci.lightingDisabledCounter;
        } else if (states.IsEnabled(stLighting)) {
            states.DisableState(stLighting);
            rci.lightingDisabledCounter = 1;
        }
    }
    if (states.IsEnabled(stLighting))
        frontProperties_->Apply(rci, GL_FRONT);
    else
        frontProperties_->ApplyNoLighting(rci, GL_FRONT);

    auto backFaces = [&] { BackProperties()->Apply(rci, GL_BACK); };
    if (states.IsEnabled(stCullFace)) {
        switch (faceCulling_) {
            case fcBufferDefault:
                if (!rci.bufferFaceCull) {
                    states.DisableState(stCullFace);
                    backFaces();
                }
                break;
            case fcCull:
                break;
            case fcNoCull:
                states.DisableState(stCullFace);
                backFaces();
                break;
            default:
                Assert(false, kAssertionFailure);
        }
    } else {
        switch (faceCulling_) {
            case fcBufferDefault:
                if (rci.bufferFaceCull)
                    states.EnableState(stCullFace);
                else
                    backFaces();
                break;
            case fcCull:
                states.EnableState(stCullFace);
                break;
            case fcNoCull:
                backFaces();
                break;
            default:
                Assert(false, kAssertionFailure);
        }
    }

    if (!rci.ignoreBlendingRequests) {
        switch (blendingMode_) {
            case bmOpaque:
                states.DisableState(stBlend);
                states.DisableState(stAlphaTest);
                break;
            case bmTransparency:
                states.EnableState(stBlend);
                states.EnableState(stAlphaTest);
                GL.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
                break;
            case bmAdditive:
                states.EnableState(stBlend);
                states.EnableState(stAlphaTest);
                GL.glBlendFunc(GL_SRC_ALPHA, GL_ONE);
                break;
            case bmAlphaTest50:
                states.DisableState(stBlend);
                states.EnableState(stAlphaTest);
                GL.glAlphaFunc(GL_GEQUAL, 0.5f);
                break;
            case bmAlphaTest100:
                states.DisableState(stBlend);
                states.EnableState(stAlphaTest);
                GL.glAlphaFunc(GL_GEQUAL, 1.0f);
                break;
            case bmModulate:
                states.EnableState(stBlend);
                states.EnableState(stAlphaTest);
                GL.glBlendFunc(GL_DST_COLOR, GL_ZERO);
                break;
            default:
                Assert(false, kAssertionFailure);
        }
    }

    if (materialOptions_.Contains(moIgnoreFog)) {
        if (rci.fogDisabledCounter > 0) {
            ++rci.fogDisabledCounter;
        } else if (states.IsEnabled(stFog)) {
            states.DisableState(stFog);
            rci.fogDisabledCounter = 1;
        }
    }

    if (!textureEx_) {
        if (texture_) texture_->Apply(rci);
    } else if (texture_ && !TextureExUsesUnit0()) {
        texture_->Apply(rci);
    } else if (textureEx_->Count() > 0) {
        textureEx_->Apply(rci);
    }
}

bool TGLMaterial::Unapply(TRenderContextInfo& rci) {
    if (libMaterial_) return libMaterial_->Unapply(rci);
    TGLStateCache& states = *rci.GLStates;
    if (blendingMode_ == bmAlphaTest50 || blendingMode_ == bmAlphaTest100) GL.glAlphaFunc(GL_GREATER, 0);
    if (materialOptions_.Contains(moNoLighting) && rci.lightingDisabledCounter > 0 &&
        --rci.lightingDisabledCounter == 0)
        states.EnableState(stLighting);
    if (materialOptions_.Contains(moIgnoreFog) && rci.fogDisabledCounter > 0 && --rci.fogDisabledCounter == 0)
        states.EnableState(stFog);
    if (!texture_ || texture_->Disabled() || TextureExUsesUnit0()) {
        if (textureEx_) textureEx_->Unapply(rci);
    } else {
        texture_->Unapply(rci);
    }
    return false;
}

void TGLMaterial::PrepareTexture() {
    if (texture_ && texture_->Enabled()) texture_->EnsureUploaded();
}

void TGLMaterial::ReleaseGLObjects() {
    if (texture_) texture_->ReleaseGLObjects();
}

bool TGLMaterial::IsBlended() const {
    if (libMaterial_) return libMaterial_->Material()->IsBlended();
    return blendingMode_ == bmTransparency || blendingMode_ == bmAdditive || blendingMode_ == bmModulate;
}

TGLMaterial* TGLMaterial::ResolvedMaterial() { return libMaterial_ ? libMaterial_->Material() : this; }

void TGLMaterial::UpdateTextureExMatrices() {
    if (textureEx_) textureEx_->UpdateMatrices();
}

void TGLMaterial::DetachLibMaterial() {
    materialLibrary_ = nullptr;
    libMaterialName_.clear();
    libMaterial_ = nullptr;
}
