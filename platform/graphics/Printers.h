#pragma once
// The printers of the machine: their names, and a device context of the default one.

#include "StringList.h"

Z_EXCEPTION(EPrinter, Exception)

class TPrinter : public TObject {
    Z_CLASS(TPrinter, TObject)
public:
    TPrinter() = default;
    ~TPrinter() override;

    // The names of the installed printers (local and connected), read again at each call.
    TStrings* Printers();
    // The position of the default printer in Printers; -1 when there is none.
    int PrinterIndex();
    // An information context of the default printer (for measuring fonts); raises EPrinter
    // "There is no default printer currently selected" when there is none or it cannot be
    // opened.
    HDC Handle();

private:
    TStringList printers_;
    HDC handle_ = nullptr;
};

// The printer object of the program, made on first use.
TPrinter* Printer();
