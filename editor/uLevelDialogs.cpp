// The editor's open and save dialogs, through a replaceable runner.

#include "uLevelDialogs.h"

#include <utility>

#include "RzShellDialogs.h"

namespace {

TLevelDialogRunner& InstalledRunner() {
    static TLevelDialogRunner runner;
    return runner;
}

}  // namespace

TLevelDialogRunner SetLevelDialogRunner(TLevelDialogRunner runner) {
    return std::exchange(InstalledRunner(), std::move(runner));
}

bool ExecuteLevelDialog(TRzFileDialog* dialog) {
    if (const TLevelDialogRunner& runner = InstalledRunner()) return runner(dialog);
    return dialog->Execute();
}
