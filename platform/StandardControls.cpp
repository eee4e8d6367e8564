#include "StandardControls.h"

#include <vector>

namespace {
const std::vector<TClass>& StandardControlClasses() {
    static const std::vector<TClass> classes{
        TEdit::StaticClass(), TComboBox::StaticClass(), TListBox::StaticClass(),
    };
    return classes;
}
}  // namespace

void InitializeStandardControls() {
    for (TClass cls : StandardControlClasses()) RegisterClass(cls);
}

void FinalizeStandardControls() {
    for (TClass cls : StandardControlClasses()) UnRegisterClass(cls);
}
