// The program: runs the units' start-up, creates the main window from its stored description and
// runs the application's message loop until the main window is closed.

#include <windows.h>

#include "Forms.h"
#include "PlatformUnits.h"
#include "Units.h"

namespace {

// The editor's main window; its content arrives with the editor itself.
class TfmMain : public TForm {
    Z_CLASS(TfmMain, TForm)
public:
    explicit TfmMain(TComponent* AOwner) : TForm(AOwner) {}
};

TfmMain* fmMain = nullptr;

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    InitializePlatformUnits();
    RegisterClass(TfmMain::StaticClass());
    Application->Initialize();
    Application->SetTitle(L"Редактор Zarnik");
    Application->CreateForm(fmMain);
    Application->Run();
    int exitCode = Application->ExitCode();
    FinalizeUnits();
    return exitCode;
}
