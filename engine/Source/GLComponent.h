#pragma once
// The base of the engine's components (TGLComponent): the platform component with nothing
// added, so that every component of the engine has one root of its own.

#include "Component.h"

class TGLComponent : public TComponent {
    Z_CLASS(TGLComponent, TComponent)
public:
    using TComponent::TComponent;
};
