#pragma once
// The behaviour flags of the shell open and save dialogs, shared by the dialog components and
// the form that runs them. Bit numbers are the order below; the set is stored in 32 bits.

#include "Sets.h"
#include "TypInfo.h"

Z_ENUM(TRzOpenSaveOption, int, osoAllowMultiselect, osoCreatePrompt, osoExtensionDifferent, osoFileMustExist,
       osoHideReadOnly, osoNoChangeDir, osoNoDereferenceLinks, osoNoReadOnlyReturn, osoNoTestFileCreate,
       osoNoValidate, osoOverwritePrompt, osoReadOnly, osoPathMustExist, osoShareAware, osoShowHelp, osoAllowTree,
       osoShowTree, osoShowHints, osoHideFoldersInListWhenTreeVisible, osoOleDrag, osoOleDrop, osoShowHidden,
       osoFilesCanBeFolders)
using TRzOpenSaveOptions = TSet<TRzOpenSaveOption>;
