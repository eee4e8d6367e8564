#include "StandardControls.h"

#include <vector>

namespace {
const std::vector<TClass>& StandardControlClasses() {
    static const std::vector<TClass> classes{
        TEdit::StaticClass(),       TComboBox::StaticClass(),    TListBox::StaticClass(),  TListView::StaticClass(),
        TTreeView::StaticClass(),   TLabel::StaticClass(),       TPanel::StaticClass(),    TBevel::StaticClass(),
        TGroupBox::StaticClass(),   TButton::StaticClass(),      TBitBtn::StaticClass(),   TSpeedButton::StaticClass(),
        TCheckBox::StaticClass(),   TPageControl::StaticClass(), TTabSheet::StaticClass(), TToolBar::StaticClass(),
        TToolButton::StaticClass(),
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
