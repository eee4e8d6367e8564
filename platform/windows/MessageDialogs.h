#pragma once
// Message dialogs: a text with the icon of its kind and a set of buttons, shown through
// Application->MessageBox (so tests record them instead of showing them).

#include "Application.h"

Z_ENUM(TMsgDlgType, Byte, mtWarning, mtError, mtInformation, mtConfirmation, mtCustom)
Z_ENUM(TMsgDlgBtn, Byte, mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp,
       mbClose)
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

// Shows Msg with the kind's icon and caption ("Warning", "Error", "Information", "Confirm"; the
// application's title for mtCustom) and answers the modal result of the button pressed
// (mrYes, mrOk, ...). The system's message box offers fixed button sets: Buttons picks the
// set that holds them (Yes/No/Cancel, Yes/No, Abort/Retry/Ignore, Retry/Cancel, OK/Cancel, else
// OK). The program has no help file: HelpCtx is kept for the callers and shows nothing.
int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, THelpContext HelpCtx);
// The same with a caption of the caller's.
int MessageDlg(const String& Caption, const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
               THelpContext HelpCtx);
// The flags of the system's message box for the kind and buttons.
UINT MessageDlgFlags(TMsgDlgType DlgType, TMsgDlgButtons Buttons);
