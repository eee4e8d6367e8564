#include "ControlsTestForm.h"

TColor TControlsTestForm::EntryColor(const String& text) {
    if (text == L"Красный") return clRed;
    if (text == L"Зелёный") return clLime;
    if (text == L"Синий") return clBlue;
    if (text == L"Жёлтый") return clYellow;
    return clGray;
}

void TControlsTestForm::ColorDrawItem(TWinControl* control, int index, TRect rect, TOwnerDrawState state) {
    TCanvas* canvas = static_cast<TSystemControl*>(control)->Canvas();
    TStrings* items = Is<TCustomListBox>(control) ? static_cast<TCustomListBox*>(control)->Items()
                                                  : static_cast<TCustomComboBox*>(control)->Items();
    canvas->Brush()->SetColor(EntryColor(items->Get(index)));
    canvas->FillRect(rect);
}

void StandardControlsTest::SetUp() {
    WindowTest::SetUp();
    RegisterClass(TControlsTestForm::StaticClass());
    form = static_cast<TControlsTestForm*>(TControlsTestForm::StaticClass()->Create(static_cast<TComponent*>(nullptr)));
    form->Show();
    SetWindowPos(form->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(form->Handle());
    PumpFor(30);
}

void StandardControlsTest::TearDown() {
    FreeObject(form);
    UnRegisterClass(TControlsTestForm::StaticClass());
    WindowTest::TearDown();
}
