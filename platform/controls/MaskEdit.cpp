#include "MaskEdit.h"

void TCustomMaskEdit::ValidateError() {
    MessageBeep(0);
    throw EDBEditError(L"Invalid input value");
}
