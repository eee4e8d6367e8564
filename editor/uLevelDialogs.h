#pragma once
// The seam through which the editor runs its open and save dialogs. By default the system's
// common dialog shows; tests install a runner that answers in its place, so that no modal window
// waits for a person.

#include <functional>

class TOpenDialog;

// Answers as the dialog would: true with the dialog's FileName set when a file was chosen.
using TLevelDialogRunner = std::function<bool(TOpenDialog* dialog)>;

// Installs runner (an empty one restores the system's dialog) and returns the one before it.
TLevelDialogRunner SetLevelDialogRunner(TLevelDialogRunner runner);
bool ExecuteLevelDialog(TOpenDialog* dialog);
