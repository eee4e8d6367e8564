#pragma once
// The base of fonts, brushes and pens: a persistent value with a change event that the canvas
// using it listens to.

#include "Events.h"
#include "Persistent.h"

class TGraphicsObject : public TPersistent {
    Z_CLASS(TGraphicsObject, TPersistent)
public:
    TNotifyEvent OnChange;

protected:
    // Called after every change of a property; fires OnChange.
    virtual void Changed();
};
