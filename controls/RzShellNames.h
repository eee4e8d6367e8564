#pragma once
// What the open and save dialogs do with typed file names: classify and resolve them against
// the current folder (without a length limit), split a line of quoted names, refuse invalid
// characters, see wildcards, complete extensions and decide, with the user where the options
// ask, whether a full name may be returned.

#include <functional>
#include <vector>

#include "MessageDialogs.h"
#include "RzShellDialogOptions.h"
#include "SysTypes.h"

enum TRzPathKind { pkEmpty, pkRelative, pkRootRelative, pkDriveBased, pkUNC };

// "X:..." is drive-based, "\\..." (more than two characters) UNC, "\..." root-relative, anything
// else relative (empty without characters).
TRzPathKind ClassifyPath(const String& name);
// The full name of typed, resolved against folder: a run of n dots goes up n - 1 levels but never
// above the drive or the server and share; "D:" is the root of D:. Empty when typed is empty.
String CombinePath(const String& folder, const String& typed);
// The names of a line such as "a b" (one name) or "a" "b" (two names), trailing blanks and
// controls removed, empty names dropped.
std::vector<String> SplitQuotedNames(const String& text);
// False when the text holds "/", "<", ">" or "|", or a doubled backslash after its first two
// characters.
bool IsValidFileName(const String& text);
// True when the name part (after the last backslash) holds "*" or "?".
bool HasWildcard(const String& text);
// The text after the last backslash (or colon), and the text up to and including it.
String NamePart(const String& text);
String FolderPart(const String& text);

// The extension a file type contributes: the extension of its (first) mask, with its dot, or
// empty when the mask gives none or one with a wildcard (such a type adds no extension).
String MaskExtension(const String& mask);
// Completes name with the selected type's extension (typeExtension, from MaskExtension) or,
// when it gives none, with defaultExt; extensionDifferent follows the rules of the dialog's
// osoExtensionDifferent flag.
String ApplyDefaultExtension(const String& name, const String& defaultExt, const String& typeExtension,
                             bool& extensionDifferent);
// Does nothing without defaultExt; keeps a name whose extension the system knows (and marks it
// different); completes every other name with ApplyDefaultExtension.
String CheckDefaultExtension(const String& name, const String& defaultExt, const String& typeExtension,
                             bool& extensionDifferent);
// True when the extension (with its dot) is a key under the registry's classes root.
bool IsRegisteredExtension(const String& extension);

// Shows a message of the dialog and answers the button pressed (mrOk, mrYes, mrNo).
using TRzDialogMessage = std::function<int(const String& text, TMsgDlgType type, TMsgDlgButtons buttons)>;
// Decides whether the full name may be returned under the options, asking or warning through
// message where they say so.
bool CheckFile(const String& fullName, TRzOpenSaveOptions options, const TRzDialogMessage& message);

// The texts of the dialog's messages ("%s" takes the name).
extern const wchar_t* const SRzFileNotFound;
extern const wchar_t* const SRzCreatePrompt;
extern const wchar_t* const SRzReadOnlyExists;
extern const wchar_t* const SRzOverwritePrompt;
extern const wchar_t* const SRzDuplicateName;
extern const wchar_t* const SRzInvalidFileName;
