#pragma once
// The status bar's user-visible strings: the display names of the panel styles and the message
// that refuses to delete an inherited container. They live in the string table of
// dxStatusBarStrs.rc (part of ToolkitRibbon.rc) and are registered with the resource-string
// repository as one product.

#include "dxCore.h"

extern const wchar_t* const dxStatusBarProductName;

extern const TResStringRec sdxCannotDeleteAncestorComponent;
extern const TResStringRec sdxTextPanelStyle;
extern const TResStringRec sdxContainerPanelStyle;
extern const TResStringRec sdxKeyboardStatePanelStyle;
extern const TResStringRec sdxStateIndicatorPanelStyle;

void RegisterStatusBarStrings();    // at start-up
void UnregisterStatusBarStrings();  // at shut-down
