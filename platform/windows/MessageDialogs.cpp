#include "MessageDialogs.h"

UINT MessageDlgFlags(TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
    static const UINT icons[] = {MB_ICONWARNING, MB_ICONERROR, MB_ICONINFORMATION, MB_ICONQUESTION, 0};
    auto has = [&](std::initializer_list<TMsgDlgBtn> all) {
        for (TMsgDlgBtn b : all)
            if (!Buttons.Contains(b)) return false;
        return true;
    };
    UINT buttons = MB_OK;
    if (has({mbYes, mbNo, mbCancel}))
        buttons = MB_YESNOCANCEL;
    else if (has({mbYes, mbNo}))
        buttons = MB_YESNO;
    else if (has({mbAbort, mbRetry, mbIgnore}))
        buttons = MB_ABORTRETRYIGNORE;
    else if (has({mbRetry, mbCancel}))
        buttons = MB_RETRYCANCEL;
    else if (has({mbOK, mbCancel}))
        buttons = MB_OKCANCEL;
    return buttons | icons[DlgType];
}

int MessageDlg(const String& Caption, const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, THelpContext) {
    if (!Application) return mrNone;
    return Application->MessageBox(Msg, Caption, MessageDlgFlags(DlgType, Buttons));
}

int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, THelpContext HelpCtx) {
    static const wchar_t* const captions[] = {L"Warning", L"Error", L"Information", L"Confirm", nullptr};
    String caption = captions[DlgType] ? String(captions[DlgType]) : Application ? Application->Title() : String();
    return MessageDlg(caption, Msg, DlgType, Buttons, HelpCtx);
}
