// The shared bar test form: read from the program's resources, its links resolved by item name,
// its groups, categories, radio group and combo in place, its popup link live on the panel, and
// written to text and read back to the same text.

#include "BarTestForm.h"
#include "BarTestSupport.h"

#include "FormDescription.h"
#include "Panel.h"
#include "dxBarButton.h"
#include "dxBarCombo.h"
#include "dxBarGroup.h"
#include "dxBarPopupMenu.h"
#include "dxBarSubItem.h"
#include "dxBarSubMenuControl.h"

namespace {

class BarTestFormFixture : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        form.reset(static_cast<TBarTestForm*>(TBarTestForm::StaticClass()->Create(static_cast<TComponent*>(nullptr))));
        manager = static_cast<TdxBarManager*>(form->FindComponent(L"dxBarManager"));
        ASSERT_NE(manager, nullptr);
    }
    void TearDown() override {
        form.reset();
        WindowTest::TearDown();
    }
    template <class T>
    T* Find(TComponent* root, const wchar_t* name) {
        auto* found = As<T>(root->FindComponent(name));
        EXPECT_NE(found, nullptr) << Utf8(name);
        return found;
    }
    // The first line where the two texts differ after their first lines, empty when none does.
    static std::string FirstDifference(const std::string& a, const std::string& b) {
        size_t i = a.find('\n'), j = b.find('\n');
        while (i != std::string::npos && j != std::string::npos) {
            size_t ei = a.find('\n', i + 1), ej = b.find('\n', j + 1);
            std::string la = a.substr(i + 1, ei - i - 1), lb = b.substr(j + 1, ej - j - 1);
            if (la != lb) return la + " <> " + lb;
            i = ei;
            j = ej;
        }
        return i == j ? "" : "different lengths";
    }
    static std::string LinkNames(TdxBarItemLinks* links) {
        std::string names;
        for (int i = 0; i < links->Count(); ++i)
            names += (names.empty() ? "" : " ") + Utf8(links->GetLink(i)->Item()->Name());
        return names;
    }

    std::unique_ptr<TBarTestForm> form;
    TdxBarManager* manager = nullptr;
};

TEST_F(BarTestFormFixture, TheFormIsReadWithItsLinksGroupsAndCategories) {
    auto* file = Find<TdxBarSubItem>(form.get(), L"subFile");
    EXPECT_EQ(LinkNames(file->ItemLinks()), "btnOpen btnSave btnExport sepRecent lstRecent");
    EXPECT_TRUE(file->ItemLinks()->GetLink(2)->StoredBeginGroup());
    // The list item shows (it has entries), so the separator before it stays.
    EXPECT_EQ(file->ItemLinks()->GetShownLinkCount(), 5);
    auto* edit = Find<TdxBarSubItem>(form.get(), L"subEdit");
    EXPECT_EQ(Utf8(edit->ItemLinks()->GetLink(3)->GetEffectiveCaption()), "Материал");
    auto* menu = Find<TdxBarPopupMenu>(form.get(), L"pmView");
    EXPECT_EQ(LinkNames(menu->ItemLinks()), "btnBold subEdit");
    EXPECT_EQ(Find<TdxBarButton>(form.get(), L"btnExport")->DropDownMenu(), menu);

    auto* left = Find<TdxBarButton>(form.get(), L"rbLeft");
    auto* center = Find<TdxBarButton>(form.get(), L"rbCenter");
    EXPECT_TRUE(left->Down());
    EXPECT_EQ(left->GroupIndex(), 1);
    center->SetDown(true);
    EXPECT_FALSE(left->Down());

    auto* combo = Find<TdxBarCombo>(form.get(), L"cbMaterial");
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(Utf8(combo->GetText()), "Кирпич");
    EXPECT_EQ(Find<TdxBarEdit>(form.get(), L"edtName")->GetWidth(), 120);

    auto* format = Find<TdxBarGroup>(form.get(), L"grpFormat");
    ASSERT_EQ(format->GetMemberCount(), 3);
    EXPECT_EQ(format->GetMember(2), form->FindComponent(L"grpAlign"));
    format->SetEnabled(false);
    EXPECT_FALSE(Find<TdxBarButton>(form.get(), L"rbRight")->GetEnabled()) << "through the nested group";

    EXPECT_EQ(manager->Categories()->Count(), 4);
    EXPECT_EQ(manager->GetCategoryItemsVisible(3), ivInCustomizing);
    EXPECT_EQ(Find<TdxBarButton>(form.get(), L"btnHidden")->Visible(), ivInCustomizing)
        << "the category's ItemsVisible read from the form reaches its items";
    EXPECT_FALSE(manager->GetCategoryVisible(3));

    // The glyphs of the two image lists.
    EXPECT_EQ(form->SmallImages()->Count(), TBarTestForm::GlyphCount);
    EXPECT_EQ(form->LargeImages()->Height(), 32);
}

TEST_F(BarTestFormFixture, ThePanelsContextMenuReachesThePopupLink) {
    auto* panel = Find<TPanel>(form.get(), L"pnlView");
    TdxBarPopupMenuLink* link = manager->PopupMenuLinks()->GetLink(0);
    ASSERT_EQ(link->Control(), panel);
    std::vector<bool> byMouse;
    struct Handler : TObject {
        std::vector<bool>* byMouse;
        void Action(TdxBarPopupMenuLink*, int&, int&, bool clicked, bool&) { byMouse->push_back(clicked); }
    } handler;
    handler.byMouse = &byMouse;
    link->OnAction = MakeEvent(&handler, &Handler::Action);
    // Each request opens the linked menu, which runs until Escape closes it.
    auto* menu = Find<TdxBarPopupMenu>(form.get(), L"pmView");
    std::vector<TPoint> shownAt;
    auto closeWhenOpen = [&] {
        TdxBarSubMenuControl* open = menu->GetSubMenuControl();
        if (!open || !IsWindowVisible(open->Handle())) return false;
        shownAt.push_back(TPoint{open->Left(), open->Top()});
        SendMessageW(open->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
        return true;
    };
    TTickScript script({closeWhenOpen, closeWhenOpen});
    SendMessageW(panel->Handle(), WM_CONTEXTMENU, WPARAM(panel->Handle()), MAKELPARAM(-1, -1));
    TPoint screen = panel->ClientToScreen(TPoint{10, 10});
    SendMessageW(panel->Handle(), WM_CONTEXTMENU, WPARAM(panel->Handle()), MAKELPARAM(screen.x, screen.y));
    EXPECT_EQ(byMouse, (std::vector<bool>{false, true}));
    ASSERT_EQ(shownAt.size(), 2u);
    EXPECT_EQ(shownAt[1].x, screen.x) << "the menu shows at the clicked point";
    EXPECT_EQ(shownAt[1].y, screen.y);
    EXPECT_EQ(menu->GetSubMenuControl(), nullptr);
}

TEST_F(BarTestFormFixture, TheFormRoundTripsThroughItsText) {
    AnsiString written = WriteComponentToText(form.get());
    std::unique_ptr<TBarTestForm> again(CreateNewForm<TBarTestForm>(nullptr));
    ReadComponentFromText(written, again.get());
    // The same text but for the root's name (the first form still holds its own).
    EXPECT_EQ(FirstDifference(WriteComponentToText(again.get()), written), "");
    auto* file = Find<TdxBarSubItem>(again.get(), L"subFile");
    ASSERT_EQ(file->ItemLinks()->Count(), 5);
    EXPECT_EQ(file->ItemLinks()->GetLink(0)->Item(), again->FindComponent(L"btnOpen"));
    auto* align = Find<TdxBarGroup>(again.get(), L"grpAlign");
    EXPECT_EQ(align->GetMemberCount(), 3);
    auto* readManager = Find<TdxBarManager>(again.get(), L"dxBarManager");
    EXPECT_FALSE(readManager->GetCategoryVisible(3));
    std::string text = written;
    EXPECT_NE(text.find("ItemName = 'lstRecent'"), std::string::npos) << text;
    EXPECT_NE(text.find("Categories.Visibles = (\r\n      True\r\n      True\r\n      True\r\n      False)"),
              std::string::npos)
        << text;
}

}  // namespace
