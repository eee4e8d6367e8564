#pragma once
// The seam through which the editor runs its open and save dialogs. By default the shell dialog
// shows; tests of other commands install a runner that answers in its place, so that no modal
// window waits for a person.

#include <functional>

class TRzFileDialog;

// Answers as the dialog would: true with the dialog's file name set when a file was chosen.
using TLevelDialogRunner = std::function<bool(TRzFileDialog* dialog)>;

// Installs runner (an empty one restores the shell dialog) and returns the one before it.
TLevelDialogRunner SetLevelDialogRunner(TLevelDialogRunner runner);
bool ExecuteLevelDialog(TRzFileDialog* dialog);
