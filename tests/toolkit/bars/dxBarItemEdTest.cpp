// The add-item dialog at design time (the manager designing, with the recording designer) and
// at run time: the lists it offers, the unique name that follows the chosen class, the item it
// creates, and a bad or taken name that keeps it open with a fresh name and no message.

#include "SmallDialogTestSupport.h"

#include "dxBarButton.h"
#include "dxBarItemEd.h"
#include "dxBarItemRegistry.h"
#include "dxBarUnit.h"

namespace {

class AddItemDialogTest : public BarTest {
protected:
    void SetUp() override {
        BarTest::SetUp();
        form->SetBounds(20, 20, 300, 200);
        form->Show();
        manager->Categories()->Add(L"Файл");
        manager->Categories()->Add(L"Правка");
        existing = NewItem(L"btnOpen", 1);
        TakeBoxes();
    }
    static std::vector<std::string> Entries(TComboBox* combo) {
        std::vector<std::string> entries;
        for (int i = 0; i < combo->Items()->Count(); ++i) entries.push_back(Utf8(combo->Items()->Strings(i)));
        return entries;
    }
    static bool Press(Word key) {
        TypeKey(key);
        return true;
    }
    TTestBarItem* existing = nullptr;
};

TEST_F(AddItemDialogTest, OffersTheRegisteredClassesAndCreatesAnItemOfTheChosenOne) {
    std::vector<std::string> offered;
    TdxBarItemList* registry = ItemRegistryInstance();
    for (int i = 0; i < registry->GetOfferedClassCount(); ++i)
        offered.push_back(Utf8(registry->GetOfferedClass(i)->ClassName()));
    ASSERT_GE(offered.size(), 2u);

    TdxBarItemAddEditor* dialog = nullptr;
    std::vector<std::string> types, categories;
    int typeIndex = -1, categoryIndex = -1;
    std::string firstName, caption, secondName, title;
    bool nameFocused = false;
    TModalScript<TdxBarItemAddEditor> script(
        dialog, {[&] {
                     title = Utf8(dialog->Caption());
                     types = Entries(dialog->ComboBox1);
                     categories = Entries(dialog->ComboBox2);
                     typeIndex = dialog->ComboBox1->ItemIndex();
                     categoryIndex = dialog->ComboBox2->ItemIndex();
                     firstName = Utf8(dialog->Edit1->Text());
                     caption = Utf8(dialog->Edit2->Text());
                     nameFocused = GetFocus() == dialog->Edit1->Handle();
                     // The second class, chosen with the keyboard.
                     SetFocus(dialog->ComboBox1->Handle());
                     return Press(VK_DOWN);
                 },
                 [&] {
                     if (dialog->ComboBox1->ItemIndex() != 1) return false;
                     secondName = Utf8(dialog->Edit1->Text());
                     SetFocus(dialog->Edit2->Handle());
                     ReplaceFocusedText(L"Печать");
                     return Press(VK_RETURN);
                 }});
    TdxBarItem* item = ShowAddItemDialog(manager, 2);
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(title, "Add New Vantrel Item");
    EXPECT_EQ(types, offered);
    EXPECT_EQ(categories, (std::vector<std::string>{Utf8(manager->Categories()->Strings(0)), "Файл", "Правка"}));
    EXPECT_EQ(typeIndex, 0);
    EXPECT_EQ(categoryIndex, 2);
    EXPECT_EQ(firstName, offered[0].substr(1) + "1");
    EXPECT_EQ(caption, "New Item");
    EXPECT_TRUE(nameFocused);
    EXPECT_EQ(secondName, offered[1].substr(1) + "1");

    ASSERT_NE(item, nullptr);
    EXPECT_EQ(Utf8(item->ClassName()), offered[1]);
    EXPECT_EQ(item->Owner(), form.get());
    EXPECT_EQ(Utf8(item->Name()), secondName);
    EXPECT_EQ(item->Category(), 2);
    EXPECT_EQ(Utf8(item->GetCaption()), "Печать");
    EXPECT_EQ(manager->FindItemByName(item->Name()), item);
    EXPECT_TRUE(TakeBoxes().empty());
}

TEST_F(AddItemDialogTest, ACategoryOutsideTheListSelectsTheFirst) {
    for (int category : {-1, 3, 100}) {
        SCOPED_TRACE(category);
        TdxBarItemAddEditor* dialog = nullptr;
        int selected = -2;
        TModalScript<TdxBarItemAddEditor> script(dialog, {[&] {
                                                              selected = dialog->ComboBox2->ItemIndex();
                                                              dialog->BCancel->Click();
                                                              return true;
                                                          }});
        int before = form->ComponentCount();
        EXPECT_EQ(ShowAddItemDialog(manager, category), nullptr);
        EXPECT_TRUE(script.Done());
        EXPECT_EQ(selected, 0);
        EXPECT_EQ(form->ComponentCount(), before);  // cancelled: nothing made
    }
}

TEST_F(AddItemDialogTest, ABadOrTakenNameKeepsTheDialogOpenWithAFreshName) {
    struct TCase {
        const char* name;
        const wchar_t* typed;
    };
    const TCase cases[] = {{"not an identifier", L"1 плохое имя"}, {"taken", L"btnOpen"}, {"taken, other case", L"BTNOPEN"}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        TdxBarItemAddEditor* dialog = nullptr;
        std::string offeredAfterRefusal;
        bool stillOpen = false;
        int componentsWhileOpen = -1;
        TModalScript<TdxBarItemAddEditor> script(dialog, {[&] {
                                                              ReplaceFocusedText(c.typed);
                                                              return Press(VK_RETURN);
                                                          },
                                                          [&] {
                                                              if (Utf8(dialog->Edit1->Text()) == Utf8(c.typed)) return false;
                                                              offeredAfterRefusal = Utf8(dialog->Edit1->Text());
                                                              stillOpen = ShownDialog<TdxBarItemAddEditor>() == dialog;
                                                              componentsWhileOpen = form->ComponentCount();
                                                              return Press(VK_RETURN);
                                                          }});
        int before = form->ComponentCount();
        TdxBarItem* item = ShowAddItemDialog(manager, 1);
        EXPECT_TRUE(script.Done());
        EXPECT_TRUE(stillOpen);
        EXPECT_EQ(componentsWhileOpen, before);  // the refused item went again
        EXPECT_EQ(offeredAfterRefusal, Utf8(ItemRegistryInstance()->GetOfferedClass(0)->ClassName().substr(1)) + "1");
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(Utf8(item->Name()), offeredAfterRefusal);
        EXPECT_EQ(item->Category(), 1);
        EXPECT_EQ(existing->Name(), String(L"btnOpen"));
        EXPECT_TRUE(TakeBoxes().empty());  // no message
        FreeObject(item);
    }
}

TEST_F(AddItemDialogTest, AtDesignTimeTheDesignerNamesTheItem) {
    auto* designer = new TRecordingDesigner;
    designer->uniqueName = L"dxBarButtonDesigned";
    manager->SetDesigner(designer);
    manager->SetStateFlag(csDesigning, true);
    TdxBarItemAddEditor* dialog = nullptr;
    std::string shown;
    TModalScript<TdxBarItemAddEditor> script(dialog, {[&] {
                                                          shown = Utf8(dialog->Edit1->Text());
                                                          return Press(VK_RETURN);
                                                      }});
    TdxBarItem* item = ShowAddItemDialog(manager, 0);
    manager->SetStateFlag(csDesigning, false);
    manager->SetDesigner(nullptr);
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(shown, "dxBarButtonDesigned");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(Utf8(item->Name()), "dxBarButtonDesigned");
    EXPECT_EQ(item->Category(), 0);
}

}  // namespace
