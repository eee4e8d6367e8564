#pragma once
// Small helpers of the toolkit: method pointers, sizes, component names, thread hooks. The weak
// object links are in cxObjectLinks.h, the class references of classes made with one argument
// in cxArgClass.h.

#include <vector>

#include "Component.h"
#include "Events.h"
#include "GraphicsTypes.h"
#include "dxCore.h"

// ---- Method pointers and small values -----------------------------------------------------

inline void FireNotifyEvent(TObject* sender, const TNotifyEvent& event) {
    if (event.Assigned()) event(sender);
}

template <class Signature>
bool MethodsEqual(const TEvent<Signature>& a, const TEvent<Signature>& b) {
    return a == b;
}

inline TSize MakeSize(int width, int height) { return TSize{width, height}; }

// The midpoint of a range, rounded toward minus infinity.
inline int RangeCenter(int a, int b) {
    int sum = a + b;
    return sum > 0 ? sum / 2 : (sum - 1) / 2;
}

// ---- Names of components ------------------------------------------------------------------

String KeepIdentifierChars(const String& text);
String ComposeComponentName(TComponent* owner, const String& className, const String& classPrefix, int number,
                            const String& baseName);
// A name for component that no other component of searchOwner has, made of nameOwner's name,
// the base name (or the class name without classPrefix) and a number where needed.
String MakeUniqueComponentName(TComponent* searchOwner, TComponent* nameOwner, TComponent* component,
                               const String& baseName, const String& classPrefix);

// ---- Thread hooks -------------------------------------------------------------------------

void InstallThreadHook(HHOOK& handle, int hookType, HOOKPROC hookProcedure);
void RemoveThreadHook(HHOOK& handle);

// moved: the weak object links are in cxObjectLinks.h, the class references of classes made
// with one argument in cxArgClass.h; included here until no file expects them from this header.
#include "cxObjectLinks.h"
#include "cxArgClass.h"
