#pragma once
// Identifiers of the control library's strings (ControlsStrings.rc, part of ControlsResources.rc):
// the captions of the button kinds bkOK..bkAll and the 70 names of the colour-name table. The
// range 61000-61099 is the library's; the toolkit's strings start at 62000.

constexpr int RZSTR_KINDCAPTION = 61000;  // + kind - 1, bkOK..bkAll
constexpr int RZSTR_COLORNAME = 61016;    // + table index, 0..69
