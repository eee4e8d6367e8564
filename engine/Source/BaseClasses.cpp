#include "BaseClasses.h"

#include "Filer.h"

void TGLUpdateAbleObject::ReportChange(TObject* sender) {
    if (!owner_) return;
    if (auto* object = dynamic_cast<TGLUpdateAbleObject*>(owner_))
        object->ReportChange(this);
    else if (auto* component = dynamic_cast<TGLUpdateAbleComponent*>(owner_))
        component->ReportChange(this);
    if (OnChange) OnChange(this);
}

void TGLUpdateAbleComponent::ReportChange(TObject* sender) {
    if (auto* owner = dynamic_cast<TGLUpdateAbleComponent*>(Owner())) owner->ReportChange(this);
}

void DefineVector4Property(TFiler* filer, const String& name, TVector4f& value) {
    filer->DefineBinaryProperty(
        name,
        [&value, name](TStream* stream) {
            if (stream->Size() != Int64(sizeof(value))) throw EReadError(L"Invalid " + name + L" data");
            stream->ReadBuffer(&value, Integer(sizeof(value)));
        },
        [&value](TStream* stream) { stream->WriteBuffer(&value, Integer(sizeof(value))); }, true);
}
