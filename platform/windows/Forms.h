#pragma once
// Forms, the application object, the screen, the mouse and hints; and the start-up of this part
// of the library, which makes the global Application, Screen and Mouse objects.

#include "Application.h"
#include "Form.h"
#include "HintWindow.h"
#include "Mouse.h"
#include "Screen.h"

// Creates Screen, Mouse and Application and makes the application's HandleException the
// handler of exceptions caught at callback barriers; the finalization frees them.
void InitializeForms();
void FinalizeForms();
