#pragma once
// TGLRenderPoint: a place in the scene tree where other objects draw. Each registration pairs a
// render callback, called when the point draws, with a free callback, called when the point
// lets go of the registration (at Clear and when the point is freed).

#include <vector>

#include "GLCustomSceneObject.h"

class TGLRenderPoint : public TGLCustomSceneObject {
    Z_CLASS(TGLRenderPoint, TGLCustomSceneObject)
public:
    explicit TGLRenderPoint(TComponent* owner);
    ~TGLRenderPoint() override;
    void BeforeDestruction() override;

    // Appends a registration.
    void RegisterCallBack(const TDirectRenderEvent& renderEvent, const TNotifyEvent& freeEvent);
    // Removes the first registration of that render callback (same method of the same
    // object); an unknown callback changes nothing.
    void UnRegisterCallBack(const TDirectRenderEvent& renderEvent);
    // Lets go of every registration, last first, calling its free callback with the point.
    void Clear();
    Integer CallBackCount() const { return Integer(callBacks_.size()); }

    // Every render callback in registration order, with (self, rci).
    void BuildList(TRenderContextInfo& rci) override;

private:
    struct TRegistration {
        TDirectRenderEvent render;
        TNotifyEvent free;
    };
    std::vector<TRegistration> callBacks_;
};
