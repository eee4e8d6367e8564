// The standard controls written to a form description and read back: their items, choices and
// Cyrillic texts come back as they were.

#include "ControlsTestForm.h"
#include "FormDescription.h"

TEST_F(StandardControlsTest, StandardControlsSurviveARoundTripThroughAFormDescription) {
    form->Find<TEdit>(L"edName")->SetText(L"Ёлка, ёж — «щи»");
    form->Find<TComboBox>(L"cbCity")->SetText(L"Санкт-Петербург");
    form->Find<TComboBox>(L"cbKind")->SetItemIndex(3);
    form->Find<TListBox>(L"lbNames")->Items()->Add(L"Восьмой");
    AnsiString text = WriteComponentToText(form);

    auto* copy = CreateNewForm<TControlsTestForm>(nullptr);
    ReadComponentFromText(text, copy);
    EXPECT_EQ(copy->Find<TEdit>(L"edName")->Text(), L"Ёлка, ёж — «щи»");
    auto* city = copy->Find<TComboBox>(L"cbCity");
    EXPECT_EQ(city->Items()->Text(), form->Find<TComboBox>(L"cbCity")->Items()->Text());
    EXPECT_EQ(city->Text(), L"Санкт-Петербург");
    auto* kind = copy->Find<TComboBox>(L"cbKind");
    EXPECT_EQ(kind->Style(), csDropDownList);
    EXPECT_EQ(kind->ItemIndex(), 3);
    EXPECT_EQ(kind->Text(), L"Дельта");
    auto* colors = copy->Find<TListBox>(L"lbColors");
    EXPECT_EQ(colors->Style(), lbOwnerDrawVariable);
    EXPECT_TRUE(colors->MultiSelect());
    EXPECT_EQ(copy->Find<TListBox>(L"lbNames")->Items()->Get(7), L"Восьмой");
    // Text is written once, not again as Caption.
    EXPECT_EQ(text.find("Caption = 'Ёлка"), AnsiString::npos);
    FreeObject(copy);
}
