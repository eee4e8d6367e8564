#pragma once
// The named components of a dialog read from its stored description.

#include "Component.h"
#include "SysExceptions.h"

// The component of the description; a description without it is not the dialog's.
template <class T>
T* DialogPart(TComponent* form, const wchar_t* name) {
    T* part = As<T>(form->FindComponent(name));
    if (!part) throw EComponentError(L"The dialog " + form->ClassName() + L" has no " + name);
    return part;
}
