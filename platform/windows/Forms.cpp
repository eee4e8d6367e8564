#include "Forms.h"

#include "CallbackBarrier.h"
#include "CommonDialogs.h"
#include "Threads.h"
#include "Timer.h"

void InitializeForms() {
    RegisterClasses({TControl::StaticClass(), TWinControl::StaticClass(), TCustomControl::StaticClass(),
                     TGraphicControl::StaticClass(), TCustomForm::StaticClass(), TForm::StaticClass(),
                     TTimer::StaticClass(), TMenuItem::StaticClass(), TMainMenu::StaticClass(),
                     TPopupMenu::StaticClass(), TActionList::StaticClass(), TAction::StaticClass(),
                     TColorDialog::StaticClass(), TFontDialog::StaticClass(), TOpenDialog::StaticClass(),
                     TSaveDialog::StaticClass()});
    Mouse = new TMouse();
    Screen = new TScreen(nullptr);
    Application = new TApplication(nullptr);
    SetCallbackExceptionHandler(&ApplicationCallbackExceptionHandler);
    WakeMainThread = MakeEvent(Application, &TApplication::WakeMainThread);
}

void FinalizeForms() {
    WakeMainThread = nullptr;
    SetCallbackExceptionHandler(nullptr);
    // The application frees its forms while Screen still exists.
    FreeObject(Application);
    Application = nullptr;
    FreeObject(Screen);
    Screen = nullptr;
    delete Mouse;
    Mouse = nullptr;
}
