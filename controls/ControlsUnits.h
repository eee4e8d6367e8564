#pragma once
// The controls library's unit list, in start-up order. The program (and the controls tests)
// call this after InitializePlatformUnits.

void InitializeControlsUnits();
