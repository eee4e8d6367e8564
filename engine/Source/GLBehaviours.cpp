#include "GLBehaviours.h"

#include "Filer.h"
#include "GLBaseSceneObject.h"
#include "PersistentObjectList.h"
#include "SysUtils.h"

// ---- TGLBaseBehaviour ------------------------------------------------------------------------

TGLBaseBehaviour::TGLBaseBehaviour(TXCollection* owner) : TXCollectionItem(owner) {}

TGLBaseSceneObject* TGLBaseBehaviour::OwnerBaseSceneObject() const {
    return Owner() ? dynamic_cast<TGLBaseSceneObject*>(Owner()->Owner()) : nullptr;
}

void TGLBaseBehaviour::WriteToWriter(TWriter* writer) {
    TXCollectionItem::WriteToWriter(writer);
    writer->WriteInteger(0);  // this class's own version
}

void TGLBaseBehaviour::ReadFromReader(TReader* reader) {
    TXCollectionItem::ReadFromReader(reader);
    Integer version = reader->ReadInteger();
    Assert(version == 0, L"Unknown behaviour archive version " + IntToStr(version));
}

// ---- TGLBehaviours ---------------------------------------------------------------------------

namespace {

String OwnerPath(const TXCollection* collection) {
    TPersistent* owner = collection->Owner();
    return owner ? owner->GetNamePath() : String();
}

}  // namespace

TGLBehaviours::TGLBehaviours(TPersistent* owner) : TXCollection(owner) {
    Assert(dynamic_cast<TGLBaseSceneObject*>(owner) != nullptr, L"Behaviours belong to a scene object");
}

bool TGLBehaviours::AcceptsItemClass(TXCollectionItemClass itemClass) const {
    return !itemClass->InheritsFrom(TGLObjectEffect::StaticClass()) && TXCollection::AcceptsItemClass(itemClass);
}

String TGLBehaviours::GetNamePath() const { return OwnerPath(this) + L".Behaviours"; }

void TGLBehaviours::DoProgress(const TProgressStepTimes& times) {
    for (Integer i = 0; i < Count(); ++i) static_cast<TGLBaseBehaviour*>(GetItem(i))->DoProgress(times);
}

// ---- TGLObjectEffects ------------------------------------------------------------------------

TGLObjectEffects::TGLObjectEffects(TPersistent* owner) : TXCollection(owner) {
    Assert(dynamic_cast<TGLBaseSceneObject*>(owner) != nullptr, L"Effects belong to a scene object");
}

bool TGLObjectEffects::AcceptsItemClass(TXCollectionItemClass itemClass) const {
    return itemClass->InheritsFrom(TGLObjectEffect::StaticClass()) && TXCollection::AcceptsItemClass(itemClass);
}

String TGLObjectEffects::GetNamePath() const { return OwnerPath(this) + L".Effects"; }

void TGLObjectEffects::DoProgress(const TProgressStepTimes& times) {
    for (Integer i = 0; i < Count(); ++i) static_cast<TGLBaseBehaviour*>(GetItem(i))->DoProgress(times);
}

void TGLObjectEffects::RenderPreEffects(TRenderContextInfo& rci) {
    for (Integer i = 0; i < Count(); ++i) ObjectEffect(i)->PreRender(rci);
}

void TGLObjectEffects::RenderPostEffects(TRenderContextInfo& rci) {
    for (Integer i = 0; i < Count(); ++i) {
        TGLObjectEffect* effect = ObjectEffect(i);
        if (dynamic_cast<TGLObjectAfterEffect*>(effect)) {
            if (rci.afterRenderEffects) rci.afterRenderEffects->Add(effect);
        } else {
            effect->Render(rci);
        }
    }
}

void RegisterBehaviourClasses() {
    RegisterXCollectionItemClass(TGLBehaviour::StaticClass());
    RegisterXCollectionItemClass(TGLObjectEffect::StaticClass());
}
