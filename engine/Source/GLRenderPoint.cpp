#include "GLRenderPoint.h"

TGLRenderPoint::TGLRenderPoint(TComponent* owner) : TGLCustomSceneObject(owner) {
    SetObjectStyle(ObjectStyle() + osDirectDraw + osDoesTemperWithColorsOrFaceWinding);
}

TGLRenderPoint::~TGLRenderPoint() { Clear(); }

void TGLRenderPoint::BeforeDestruction() {
    // The free callbacks still see a whole render point.
    Clear();
    TGLCustomSceneObject::BeforeDestruction();
}

void TGLRenderPoint::RegisterCallBack(const TDirectRenderEvent& renderEvent, const TNotifyEvent& freeEvent) {
    callBacks_.push_back({renderEvent, freeEvent});
}

void TGLRenderPoint::UnRegisterCallBack(const TDirectRenderEvent& renderEvent) {
    for (auto it = callBacks_.begin(); it != callBacks_.end(); ++it)
        if (it->render == renderEvent) {
            callBacks_.erase(it);
            return;
        }
}

void TGLRenderPoint::Clear() {
    while (!callBacks_.empty()) {
        // Taken out before its callback runs, which may unregister itself meanwhile.
        TNotifyEvent free = callBacks_.back().free;
        callBacks_.pop_back();
        if (free) free(this);
    }
}

void TGLRenderPoint::BuildList(TRenderContextInfo& rci) {
    for (size_t i = 0; i < callBacks_.size(); ++i)
        if (callBacks_[i].render) callBacks_[i].render(this, rci);
}
