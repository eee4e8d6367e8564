#pragma once
// TGLProxyObject: draws another scene object, its master, in its own place, so one object can be
// shown many times. The options choose what is taken over from the master: its geometry, its
// own transformation, its effects. A freed master is forgotten.

#include "GLBaseSceneObject.h"

Z_ENUM(TGLProxyObjectOption, int, pooEffects, pooObjects, pooTransformation)
using TGLProxyObjectOptions = TSet<TGLProxyObjectOption>;

class TGLProxyObject : public TGLBaseSceneObject {
    Z_CLASS(TGLProxyObject, TGLBaseSceneObject)
    Z_PUBLISHED {
        p.Property(L"MasterObject", &TGLProxyObject::MasterObject, &TGLProxyObject::SetMasterObject);
        p.Property(L"ProxyOptions", &TGLProxyObject::ProxyOptions, &TGLProxyObject::SetProxyOptions)
            .Default(TGLProxyObjectOptions{pooEffects, pooObjects, pooTransformation});
    }

public:
    explicit TGLProxyObject(TComponent* owner);
    ~TGLProxyObject() override;

    TGLBaseSceneObject* MasterObject() const { return masterObject_; }
    void SetMasterObject(TGLBaseSceneObject* value);
    TGLProxyObjectOptions ProxyOptions() const { return proxyOptions_; }
    void SetProxyOptions(TGLProxyObjectOptions value);

    // Takes the source's master.
    void Assign(TPersistent* source) override;
    // The master's drawing (once, however the masters chain back to this proxy), then the
    // proxy's own children, then the master's effects.
    void DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;
    // The master's, the base's without one.
    TVector4f UnscaledDimensions() const override;
    TGLSilhouette* BuildSilhouette(const TSilhouetteParameters& parameters) override;
    // The proxy's position shifted as far as the master's barycenter lies from the master.
    TVector4f Barycenter() override;
    // The master's answer for the ray seen from the proxy's place; false without a master.
    bool IntersectRay(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint = nullptr,
                      TVector4f* intersectNormal = nullptr) override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TGLBaseSceneObject* masterObject_ = nullptr;
    TGLProxyObjectOptions proxyOptions_{pooEffects, pooObjects, pooTransformation};
    bool rendering_ = false;
};
