#include "GLProxyObject.h"

#include "GLSilhouette.h"
#include "VectorGeometry.h"

namespace {

TVector4f AsDirectionOf(TVector4f v) {
    v.W = 0;
    return v;
}

}  // namespace

TGLProxyObject::TGLProxyObject(TComponent* owner) : TGLBaseSceneObject(owner) {
    SetObjectStyle(ObjectStyle() + osDoesTemperWithColorsOrFaceWinding);
}

TGLProxyObject::~TGLProxyObject() { SetMasterObject(nullptr); }

void TGLProxyObject::SetMasterObject(TGLBaseSceneObject* value) {
    if (value == masterObject_) return;
    if (masterObject_) masterObject_->RemoveFreeNotification(this);
    masterObject_ = value;
    if (masterObject_) masterObject_->FreeNotification(this);
    StructureChanged();
}

void TGLProxyObject::SetProxyOptions(TGLProxyObjectOptions value) {
    if (AssignIfChanged(proxyOptions_, value)) StructureChanged();
}

void TGLProxyObject::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component == masterObject_) masterObject_ = nullptr;
    TGLBaseSceneObject::Notification(component, operation);
}

void TGLProxyObject::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TGLProxyObject*>(source)) SetMasterObject(other->masterObject_);
    TGLBaseSceneObject::Assign(source);
}

void TGLProxyObject::DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
    // A master that leads back here draws once: the inner visit finds the flag set.
    if (rendering_) return;
    rendering_ = true;
    try {
        TGLBaseSceneObject* master = masterObject_;
        const bool effects = master && proxyOptions_.Contains(pooEffects) && master->HasEffects();
        if (master && proxyOptions_.Contains(pooObjects)) {
            const bool insideProxy = rci.insideProxy;
            rci.insideProxy = true;
            try {
                if (proxyOptions_.Contains(pooTransformation)) GL.glMultMatrixf(&master->LocalMatrix()[0].X);
                master->DoRender(rci, renderSelf, master->Count() > 0);
            } catch (...) {
                rci.insideProxy = insideProxy;
                throw;
            }
            rci.insideProxy = insideProxy;
        }
        if (renderChildren) RenderChildren(0, Count() - 1, rci);
        if (effects) master->Effects()->RenderPostEffects(rci);
    } catch (...) {
        rendering_ = false;
        throw;
    }
    rendering_ = false;
    ClearStructureChanged();
}

TVector4f TGLProxyObject::UnscaledDimensions() const {
    return masterObject_ ? masterObject_->UnscaledDimensions() : TGLBaseSceneObject::UnscaledDimensions();
}

TGLSilhouette* TGLProxyObject::BuildSilhouette(const TSilhouetteParameters& parameters) {
    return masterObject_ ? masterObject_->BuildSilhouette(parameters) : TGLBaseSceneObject::BuildSilhouette(parameters);
}

TVector4f TGLProxyObject::Barycenter() {
    if (!masterObject_) return TGLBaseSceneObject::Barycenter();
    // As if Position moved by the master's offset: the offset taken through the parent's axes.
    TVector4f offset =
        AsDirectionOf(SubtractVectors4(masterObject_->Barycenter(), masterObject_->GetAbsolutePosition()));
    if (Parent()) offset = Parent()->LocalToAbsolute(offset);
    return AddVectors4(GetAbsolutePosition(), offset);
}

bool TGLProxyObject::IntersectRay(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint,
                                  TVector4f* intersectNormal) {
    if (!masterObject_) return false;
    // The ray as the master would meet it if it stood where the proxy stands.
    TVector4f localStart = AbsoluteToLocal(rayStart);
    localStart.W = 1;
    TVector4f start = masterObject_->LocalToAbsolute(localStart);
    TVector4f vector = masterObject_->LocalToAbsolute(AbsoluteToLocal(AsDirectionOf(rayVector)));
    NormalizeVector4InPlace(vector);
    TVector4f point, normal;
    if (!masterObject_->IntersectRay(start, vector, &point, &normal)) return false;
    if (intersectPoint) {
        TVector4f p = masterObject_->AbsoluteToLocal(point);
        p.W = 1;
        *intersectPoint = LocalToAbsolute(p);
    }
    if (intersectNormal) *intersectNormal = LocalToAbsolute(masterObject_->AbsoluteToLocal(AsDirectionOf(normal)));
    return true;
}
