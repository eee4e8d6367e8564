#pragma once
// Helpers shared by the tests of every layer.

#include <functional>
#include <string>
#include <vector>

#include "SysTypes.h"

// Has a layer's units started once before its tests run (the shared main starts the platform's
// only). At namespace scope in one file of the layer's tests:
//     const bool engineUnits = StartUnitsBeforeTests(&InitializeEngineUnits);
bool StartUnitsBeforeTests(void (*initializeUnits)());

// Records the messages of exceptions that reach a callback barrier, so a test can check that
// a failure inside a window procedure was caught and reported.
void InstallRecordingCallbackHandler();
std::vector<String> TakeRecordedCallbackErrors();

class TStrings;
// The lines of a string list, for comparing with an expected vector.
std::vector<String> Lines(const TStrings& list);

// gtest prints wide strings poorly under Wine's console; tests compare through UTF-8.
std::string Utf8(const String& text);

// The message of the exception that the action raises, "(no exception)" when it raises none.
std::string MessageOf(const std::function<void()>& action);
// The same, preceded by the exception's class name and ": ".
std::string ClassAndMessageOf(const std::function<void()>& action);

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
