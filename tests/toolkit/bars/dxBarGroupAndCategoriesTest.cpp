// Item groups (switching members, nesting, the recursion refusal, the "Items" list) and the
// manager's categories (items renumbered on insert, delete, exchange and move; the default
// category; the visibility lists of the form description).

#include "BarTestSupport.h"

#include "FormDescription.h"
#include "dxBarButton.h"
#include "dxBarGroup.h"

namespace {

using BarGroup = BarTest;
using BarCategories = BarTest;

TEST_F(BarGroup, SwitchingAGroupSwitchesItsMembersAlsoThroughNestedGroups) {
    TTestBarItem *a = NewItem(L"btnA"), *b = NewItem(L"btnB"), *c = NewItem(L"btnC");
    auto* inner = new TdxBarGroup(form.get());
    auto* outer = new TdxBarGroup(form.get());
    EXPECT_EQ(manager->GetGroupCount(), 2);
    inner->Add(b);
    inner->Add(c);
    outer->Add(a);
    outer->Add(inner);
    outer->Add(a);  // already a member
    outer->Add(nullptr);
    EXPECT_EQ(outer->GetMemberCount(), 2);
    outer->SetEnabled(false);
    EXPECT_FALSE(a->GetEnabled() || b->GetEnabled() || c->GetEnabled());
    EXPECT_FALSE(inner->GetEnabled());
    EXPECT_EQ(manager->UpdateLockCount(), 0);
    // No comparison with the old value: a member changed on its own is switched again.
    b->SetEnabled(true);
    outer->SetEnabled(false);
    EXPECT_FALSE(b->GetEnabled());
    outer->SetVisible(ivNever);
    EXPECT_EQ(c->Visible(), ivNever);
    // A freed member leaves the group.
    FreeObject(c);
    EXPECT_EQ(inner->GetMemberCount(), 1);
}

TEST_F(BarGroup, AGroupThatWouldContainItselfIsRefused) {
    auto* inner = new TdxBarGroup(form.get());
    auto* outer = new TdxBarGroup(form.get());
    auto* third = new TdxBarGroup(form.get());
    outer->Add(inner);
    inner->Add(third);
    EXPECT_EQ(ClassAndMessageOf([&] { inner->Add(outer); }), "EdxException: Нельзя создавать рекурсивные группы");
    EXPECT_EQ(ClassAndMessageOf([&] { third->Add(outer); }), "EdxException: Нельзя создавать рекурсивные группы");
    EXPECT_EQ(ClassAndMessageOf([&] { outer->Add(outer); }), "EdxException: Нельзя создавать рекурсивные группы");
    EXPECT_EQ(inner->GetMemberCount(), 1);
    EXPECT_EQ(third->GetMemberCount(), 0);
}

TEST_F(BarCategories, InsertingDeletingExchangingAndMovingRenumberTheItems) {
    TdxBarManagerCategories* categories = manager->Categories();
    ASSERT_EQ(categories->Count(), 1);
    EXPECT_EQ(Utf8(categories->Strings(0)), "По умолчанию");
    categories->Add(L"Файл");
    categories->Add(L"Вид");
    TTestBarItem *a = NewItem(L"btnA", 0), *b = NewItem(L"btnB", 1), *c = NewItem(L"btnC", 2);
    auto indexes = [&] {
        return std::to_string(a->Category()) + std::to_string(b->Category()) + std::to_string(c->Category());
    };

    categories->Move(0, 2);
    EXPECT_EQ(indexes(), "201");
    EXPECT_EQ(Utf8(categories->CommaText()), "Файл,Вид,\"По умолчанию\"");
    categories->Move(2, 0);
    EXPECT_EQ(indexes(), "012");
    categories->Move(0, 5);  // invalid: nothing
    EXPECT_EQ(indexes(), "012");

    categories->Exchange(0, 2);
    EXPECT_EQ(indexes(), "210");
    EXPECT_EQ(Utf8(categories->Strings(0)), "Вид");
    categories->Exchange(0, 2);

    categories->Insert(1, L"Правка");
    EXPECT_EQ(indexes(), "023");
    categories->Insert(9, L"Справка");  // beyond the list: appended, nothing renumbered
    EXPECT_EQ(indexes(), "023");
    EXPECT_EQ(Utf8(categories->Strings(categories->Count() - 1)), "Справка");

    categories->Delete(1);
    EXPECT_EQ(indexes(), "012");
    categories->Delete(7);  // invalid: nothing
    EXPECT_EQ(categories->Count(), 4);
}

TEST_F(BarCategories, DeletingACategoryFreesItsItemsAndTheLastLeavesTheDefault) {
    TdxBarManagerCategories* categories = manager->Categories();
    categories->Add(L"Файл");
    NewItem(L"btnA", 0);
    TTestBarItem* b = NewItem(L"btnB", 1);
    NewItem(L"btnC", 1);
    categories->Delete(0);
    EXPECT_EQ(manager->GetItemCount(), 2);
    EXPECT_EQ(b->Category(), 0);
    EXPECT_EQ(form->FindComponent(L"btnA"), nullptr);
    categories->Delete(0);
    EXPECT_EQ(manager->GetItemCount(), 0);
    ASSERT_EQ(categories->Count(), 1);
    EXPECT_EQ(Utf8(categories->Strings(0)), "По умолчанию");
}

TEST_F(BarCategories, TheFormDescriptionCarriesGroupMembersAndCategoryVisibility) {
    std::unique_ptr<TForm> loaded(CreateNewForm(nullptr));
    const char* text =
        "object GroupForm: TForm\r\n"
        "  object Manager: TdxBarManager\r\n"
        "    Categories.Strings = (\r\n"
        "      'Файл'\r\n"
        "      'Скрытая')\r\n"
        "    Categories.ItemsVisibles = (\r\n"
        "      2\r\n"
        "      0)\r\n"
        "    Categories.Visibles = (\r\n"
        "      True\r\n"
        "      False)\r\n"
        "    object btnOpen: TdxBarButton\r\n"
        "      Category = 0\r\n"
        "    end\r\n"
        "    object btnHidden: TdxBarButton\r\n"
        "      Category = 1\r\n"
        "    end\r\n"
        "    object grpFile: TdxBarGroup\r\n"
        "      Items = (\r\n"
        "        'btnOpen'\r\n"
        "        'grpInner')\r\n"
        "    end\r\n"
        "    object grpInner: TdxBarGroup\r\n"
        "      Items = (\r\n"
        "        'btnHidden')\r\n"
        "    end\r\n"
        "  end\r\n"
        "end\r\n";
    ReadComponentFromText(text, loaded.get());
    auto* readManager = static_cast<TdxBarManager*>(loaded->FindComponent(L"Manager"));
    auto* group = static_cast<TdxBarGroup*>(loaded->FindComponent(L"grpFile"));
    ASSERT_EQ(group->GetMemberCount(), 2);
    EXPECT_EQ(group->GetMember(0)->Name(), L"btnOpen");
    EXPECT_EQ(group->GetMember(1)->Name(), L"grpInner");
    EXPECT_EQ(readManager->GetCategoryItemsVisible(1), ivNever);
    EXPECT_FALSE(readManager->GetCategoryVisible(1));
    EXPECT_TRUE(readManager->GetCategoryVisible(0));
    std::string written = WriteComponentToText(loaded.get());
    EXPECT_NE(written.find("Categories.ItemsVisibles = (\r\n      2\r\n      0)"), std::string::npos) << written;
    EXPECT_NE(written.find("Categories.Visibles = (\r\n      True\r\n      False)"), std::string::npos) << written;
    EXPECT_NE(written.find("Items = (\r\n        'btnOpen'\r\n        'grpInner')"), std::string::npos) << written;
}

}  // namespace
