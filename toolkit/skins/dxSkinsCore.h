#pragma once
// The skin model and skin files: everything a skin is made of, how an element draws itself and
// the caches of rendered elements. The unit's start registers the classes a skin stream names,
// so that reading can create them by name, and starts GDI+.

#include "dxSkin.h"
#include "dxSkinCanvas.h"
#include "dxSkinControlGroup.h"
#include "dxSkinElement.h"
#include "dxSkinElementCache.h"
#include "dxSkinImage.h"
#include "dxSkinProperties.h"
#include "dxSkinStreams.h"

// The unit's start-up and end, run through the toolkit's units loader.
void InitializeSkinsCore();
void FinalizeSkinsCore();
