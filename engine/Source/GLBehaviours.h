#pragma once
// Behaviours and effects: items that a scene object carries in two polymorphic collections and
// advances with every progress step. Effects also take part in drawing the object.

#include "BaseClasses.h"
#include "GLRenderContextInfo.h"
#include "XCollection.h"

class TGLBaseSceneObject;

// The common base: knows the scene object it belongs to and streams a version of its own.
class TGLBaseBehaviour : public TXCollectionItem {
    Z_CLASS(TGLBaseBehaviour, TXCollectionItem)
public:
    explicit TGLBaseBehaviour(TXCollection* owner);

    // The scene object of the owning collection; null without one.
    TGLBaseSceneObject* OwnerBaseSceneObject() const;
    // Once per progress step of the owner; nothing in the base.
    virtual void DoProgress(const TProgressStepTimes& times) {}

    void WriteToWriter(TWriter* writer) override;
    void ReadFromReader(TReader* reader) override;
};

class TGLBehaviour : public TGLBaseBehaviour {
    Z_CLASS(TGLBehaviour, TGLBaseBehaviour)
public:
    using TGLBaseBehaviour::TGLBaseBehaviour;
};

// An effect draws around its owner: PreRender before the owner (whatever it does to the
// matrix is undone), Render after it in the owner's axes. Nothing in the base.
class TGLObjectEffect : public TGLBaseBehaviour {
    Z_CLASS(TGLObjectEffect, TGLBaseBehaviour)
public:
    using TGLBaseBehaviour::TGLBaseBehaviour;
    virtual void PreRender(TRenderContextInfo& rci) {}
    virtual void Render(TRenderContextInfo& rci) {}
};

// An effect of the after-render kind: instead of drawing right after its owner it is queued on
// the frame's after-render list, and its Render runs once the whole tree has been drawn.
class TGLObjectAfterEffect : public TGLObjectEffect {
    Z_CLASS(TGLObjectAfterEffect, TGLObjectEffect)
public:
    using TGLObjectEffect::TGLObjectEffect;
};

// Behaviours of one scene object: any item class but the effects.
class TGLBehaviours : public TXCollection {
    Z_CLASS(TGLBehaviours, TXCollection)
public:
    // The owner must be a scene object (an assertion failure otherwise).
    explicit TGLBehaviours(TPersistent* owner);

    TXCollectionItemClass BaseItemClass() const override { return TGLBehaviour::StaticClass(); }
    bool AcceptsItemClass(TXCollectionItemClass itemClass) const override;
    String GetNamePath() const override;
    TGLBehaviour* Behaviour(Integer index) const { return static_cast<TGLBehaviour*>(GetItem(index)); }
    // Every item's DoProgress, in order.
    void DoProgress(const TProgressStepTimes& times);
};

// Effects of one scene object: effect classes only.
class TGLObjectEffects : public TXCollection {
    Z_CLASS(TGLObjectEffects, TXCollection)
public:
    // The owner must be a scene object (an assertion failure otherwise).
    explicit TGLObjectEffects(TPersistent* owner);

    TXCollectionItemClass BaseItemClass() const override { return TGLObjectEffect::StaticClass(); }
    bool AcceptsItemClass(TXCollectionItemClass itemClass) const override;
    String GetNamePath() const override;
    TGLObjectEffect* ObjectEffect(Integer index) const { return static_cast<TGLObjectEffect*>(GetItem(index)); }
    void DoProgress(const TProgressStepTimes& times);
    // Every item's PreRender, in order.
    void RenderPreEffects(TRenderContextInfo& rci);
    // Every item's Render, in order; after-render items go to rci.afterRenderEffects instead
    // (and are dropped when the record has no such list).
    void RenderPostEffects(TRenderContextInfo& rci);
};

void RegisterBehaviourClasses();
