#include "BaseClasses.h"

void TGLUpdateAbleObject::ReportChange(TObject* sender) {
    if (!owner_) return;
    if (auto* object = dynamic_cast<TGLUpdateAbleObject*>(owner_)) object->ReportChange(this);
    else if (auto* component = dynamic_cast<TGLUpdateAbleComponent*>(owner_)) component->ReportChange(this);
    if (OnChange) OnChange(this);
}

void TGLUpdateAbleComponent::ReportChange(TObject* sender) {
    if (auto* owner = dynamic_cast<TGLUpdateAbleComponent*>(Owner())) owner->ReportChange(this);
}
