#pragma once
// Helpers shared by the tests of every layer.

#include <vector>

#include "SysTypes.h"

// Records the messages of exceptions that reach a callback barrier, so a test can check that
// a failure inside a window procedure was caught and reported.
void InstallRecordingCallbackHandler();
std::vector<String> TakeRecordedCallbackErrors();

// gtest prints wide strings poorly under Wine's console; tests compare through UTF-8.
std::string Utf8(const String& text);
