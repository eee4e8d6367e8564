#pragma once
// Helpers shared by the tests of every layer.

#include <vector>

#include "SysTypes.h"

// Records the messages of exceptions that reach a callback barrier, so a test can check that
// a failure inside a window procedure was caught and reported.
void InstallRecordingCallbackHandler();
std::vector<String> TakeRecordedCallbackErrors();

class TStrings;
// The lines of a string list, for comparing with an expected vector.
std::vector<String> Lines(const TStrings& list);

// gtest prints wide strings poorly under Wine's console; tests compare through UTF-8.
std::string Utf8(const String& text);

// A fresh folder under the system's temporary folder, removed with its files at the end.
class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;
    const String& Path() const { return path_; }  // ends with a backslash
    String File(const String& name) const { return path_ + name; }

private:
    String path_;
};
