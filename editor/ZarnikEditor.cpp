// The program: the level editor's main routine.

#include <windows.h>

#include "uMain.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return RunEditor(); }
