#pragma once
// The base of fonts, brushes and pens: a persistent value with a change event that the canvas
// using it listens to, and the GDI handle made from the value on demand.

#include <windows.h>

#include "Events.h"
#include "Persistent.h"
#include "TypInfo.h"

class TGraphicsObject : public TPersistent {
    Z_CLASS(TGraphicsObject, TPersistent)
public:
    ~TGraphicsObject() override;
    bool HandleAllocated() const { return handle_ != nullptr; }

    TNotifyEvent OnChange;

protected:
    // Makes the GDI object for the current properties.
    virtual HGDIOBJ CreateGdiHandle() = 0;
    // The handle, made when first asked for; raises EOutOfResources when GDI refuses.
    HGDIOBJ GdiHandle();
    // Takes ownership of a handle whose description the subclass has read back, and notifies.
    void AdoptHandle(HGDIOBJ handle);
    // A property the handle depends on changed: the handle is dropped and OnChange fires.
    // The old handle is deleted only after the listeners heard of the change, so that a canvas
    // has deselected it by then.
    virtual void Changed();
    // A property the handle does not depend on changed: OnChange only.
    void Notify();

private:
    HGDIOBJ handle_ = nullptr;
};
