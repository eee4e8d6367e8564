#pragma once
// Small nil-safe helpers of the bar library.

#include <windows.h>

#include "Events.h"
#include "dxBarComponent.h"

class TBitmap;
class TcxObjectLink;

// Frees the object a variable holds and clears the variable.
template <class T>
void FreeObjectAndNil(T*& object) {
    T* doomed = object;
    object = nullptr;
    FreeObject(doomed);
}
// Removes the weak link a variable holds and clears the variable.
void FreeObjectLinkAndNil(TcxObjectLink*& link);
// Stops a timer whose id is not 0; the id becomes 0 when KillTimer succeeds. True when stopped.
bool KillAndClearTimer(HWND window, UINT_PTR& timerId);
// Destroys the window a variable holds (when asked) and clears the variable.
void ReleaseWindowHandleVar(HWND& window, bool destroy);
void DeleteGdiObjectVar(HGDIOBJ& object);
// Selects the previous object back into the DC and deletes the one selected.
void SelectBackAndDelete(HDC dc, HGDIOBJ previous);
void EnsureMinWidth(int& width, int minWidth);
TBitmap* CreateBitmapWithOnChange(const TNotifyEvent& onChange);
inline TdxBarItemVisible BoolToItemVisible(bool visible) { return visible ? ivAlways : ivNever; }
// Is the component read as part of an inherited description (loading, an ancestor's, not its
// own reading)?
bool IsLoadingInherited(TComponent* component);
// The system's non-client metrics (the wide record, read with its own size).
NONCLIENTMETRICSW ReadNonClientMetrics();
