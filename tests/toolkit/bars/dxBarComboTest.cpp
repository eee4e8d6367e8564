// Edit and combo items: committed text and OnChange, the index and the text following each other,
// entries changing under the index, sorting, the prefix search, keys for the drop-down window,
// dropping down without a window, and where a drop-down window opens.

#include "BarTestSupport.h"

#include "FormDescription.h"
#include "dxBar.h"
#include "dxBarCombo.h"
#include "dxBarItemLinks.h"

namespace {

class BarCombo : public BarTest {
protected:
    void SetUp() override {
        BarTest::SetUp();
        combo = new TdxBarCombo(form.get());
        combo->SetName(L"cbMaterial");
        combo->SetCategory(0);
        combo->OnChange = MakeEvent(this, &BarCombo::Changed);
    }

public:
    void Changed(TObject* sender) { ++changes; }

protected:
    TdxBarCombo* combo = nullptr;
    int changes = 0;
};

TEST_F(BarCombo, TheIndexAndTheTextFollowEachOtherAndOnChangeFiresOnce) {
    struct Case {
        const char* what;
        std::function<void(TdxBarCombo*)> step;
        int itemIndex;
        const char* text;
        int changes;
    } cases[] = {
        {"an entry becomes the text", [](TdxBarCombo* c) { c->SetItemIndex(1); }, 1, "Кирпич", 1},
        {"the current index: nothing", [](TdxBarCombo* c) { c->SetItemIndex(1); }, 1, "Кирпич", 0},
        {"past the end: none, the text cleared", [](TdxBarCombo* c) { c->SetItemIndex(5); }, -1, "", 1},
        {"past the end with none chosen: nothing", [](TdxBarCombo* c) { c->SetItemIndex(7); }, -1, "", 0},
        {"a text in other letter case chooses the entry", [](TdxBarCombo* c) { c->SetText(L"кирпич"); }, 1, "кирпич",
         1},
        {"a text that names no entry: none", [](TdxBarCombo* c) { c->SetText(L"Стекло"); }, -1, "Стекло", 1},
        {"the same text: nothing", [](TdxBarCombo* c) { c->SetText(L"Стекло"); }, -1, "Стекло", 0},
        {"an entry equal to the text still fires",
         [](TdxBarCombo* c) {
             c->Items()->Add(L"Стекло");
             c->SetItemIndex(3);
         },
         3, "Стекло", 1},
    };
    combo->Items()->SetCommaText(L"Бетон,Кирпич,Дерево");
    for (const Case& c : cases) {
        changes = 0;
        c.step(combo);
        EXPECT_EQ(combo->ItemIndex(), c.itemIndex) << c.what;
        EXPECT_EQ(Utf8(combo->GetText()), c.text) << c.what;
        EXPECT_EQ(changes, c.changes) << c.what;
    }
}

TEST_F(BarCombo, EntriesDeletedUnderTheIndexAndSortingMoveIt) {
    combo->Items()->SetCommaText(L"Вода,Трава,Бетон");
    combo->SetItemIndex(1);
    changes = 0;
    combo->Items()->Delete(2);  // the index still points at an entry
    EXPECT_EQ(combo->ItemIndex(), 1);
    combo->Items()->Delete(0);
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(Utf8(combo->GetText()), "");
    EXPECT_EQ(changes, 1);

    combo->Items()->SetCommaText(L"Вода,Трава,Бетон");
    combo->SetItemIndex(0);
    changes = 0;
    combo->SetSorted(true);
    EXPECT_EQ(Utf8(combo->Items()->CommaText()), "Бетон,Вода,Трава");
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(Utf8(combo->GetText()), "Вода");
    EXPECT_EQ(changes, 0);
}

TEST_F(BarCombo, ThePrefixSearchFindsTheFirstFullMatchElseTheLongestShared) {
    combo->Items()->SetCommaText(L"Alpha,Beta,Bravo");
    struct Case {
        const wchar_t* text;
        int found;
    } cases[] = {{L"B", 1}, {L"br", 2}, {L"Bz", 1}, {L"", -1}, {L"x", -1}, {L"ALPHA", 0}, {L"Alphabet", 0}};
    for (const Case& c : cases) EXPECT_EQ(combo->FindItemByPrefix(c.text), c.found) << Utf8(c.text);
    combo->Items()->SetCommaText(L"бетон,Кирпич");
    EXPECT_EQ(combo->FindItemByPrefix(L"КИР"), 1);
    EXPECT_EQ(combo->FindItemByPrefix(L"Бе"), 0);
}

TEST_F(BarCombo, OnChangeDoesNotFireWhileTheComboIsRead) {
    std::unique_ptr<TForm> loaded(CreateNewForm(nullptr));
    const char* text =
        "object ComboForm: TForm\r\n"
        "  object Manager: TdxBarManager\r\n"
        "    Categories.Strings = (\r\n"
        "      'Материалы')\r\n"
        "    object cbRead: TdxBarCombo\r\n"
        "      Category = 0\r\n"
        "      Text = 'Кирпич'\r\n"
        "      Items.Strings = (\r\n"
        "        'Бетон'\r\n"
        "        'Кирпич')\r\n"
        "      ItemIndex = 1\r\n"
        "    end\r\n"
        "  end\r\n"
        "end\r\n";
    ReadComponentFromText(text, loaded.get());
    auto* read = static_cast<TdxBarCombo*>(loaded->FindComponent(L"cbRead"));
    EXPECT_EQ(read->ItemIndex(), 1);
    EXPECT_EQ(Utf8(read->GetText()), "Кирпич");
    combo->SetStateFlag(csLoading, true);
    combo->Items()->SetCommaText(L"Бетон,Кирпич");
    combo->SetItemIndex(1);
    combo->SetText(L"Бетон");
    combo->SetStateFlag(csLoading, false);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(combo->ItemIndex(), 0);
}

TEST_F(BarCombo, OnlyTheListKeysGoToTheDropDownListAndNoWindowDropsNothing) {
    EXPECT_TRUE(combo->CheckKeyForDropDownWindow(VK_DOWN, {}));
    EXPECT_TRUE(combo->CheckKeyForDropDownWindow(VK_NEXT, {}));
    EXPECT_FALSE(combo->CheckKeyForDropDownWindow(VK_DOWN, {ssAlt}));
    EXPECT_FALSE(combo->CheckKeyForDropDownWindow('A', {}));
    // The base combo takes every key but Tab, Enter and Escape, as its event decides.
    TCustomdxBarCombo* base = new TCustomdxBarCombo(form.get());
    EXPECT_TRUE(base->CheckKeyForDropDownWindow('A', {}));
    EXPECT_FALSE(base->CheckKeyForDropDownWindow(VK_ESCAPE, {}));

    int dropDowns = 0, closeUps = 0;
    struct Handler : TObject {
        int *dropDowns, *closeUps;
        void DroppedDown(TObject*) { ++*dropDowns; }
        void ClosedUp(TObject*) { ++*closeUps; }
    } handler;
    handler.dropDowns = &dropDowns;
    handler.closeUps = &closeUps;
    combo->OnDropDown = MakeEvent(&handler, &Handler::DroppedDown);
    combo->OnCloseUp = MakeEvent(&handler, &Handler::ClosedUp);
    combo->DropDown(10, 10);
    combo->CloseUp();
    EXPECT_EQ(dropDowns, 1);
    EXPECT_EQ(closeUps, 1);
}

TEST_F(BarCombo, ADropDownWindowStaysInsideTheWorkArea) {
    TRect work{0, 0, 1024, 768};
    struct Case {
        const char* what;
        TPoint requested;
        bool beside;
        TPoint expected;
    } cases[] = {
        {"fits below", {100, 100}, false, {100, 100}},
        {"pushed left from the right edge", {1000, 100}, false, {824, 100}},
        {"opens above the item", {100, 700}, false, {100, 700 - 20 - 150}},
        {"beside: opens on the other side", {950, 100}, true, {950 - 200 - 80, 100}},
        {"beside: pulled up from the bottom", {100, 700}, true, {100, 768 - 150}},
        {"never left of or above the area", {-50, -30}, false, {0, 0}},
    };
    for (const Case& c : cases) {
        TPoint at = FitDropDownPosition(c.requested, TSize{200, 150}, TSize{80, 20}, work, c.beside);
        EXPECT_EQ(at.x, c.expected.x) << c.what;
        EXPECT_EQ(at.y, c.expected.y) << c.what;
    }
}

TEST_F(BarCombo, EditsKeepAPositiveWidthAndAMaxLengthOfZeroOrMore) {
    auto* edit = new TdxBarEdit(form.get());
    EXPECT_EQ(edit->GetWidth(), 100);
    edit->SetWidth(0);
    edit->SetWidth(-5);
    EXPECT_EQ(edit->GetWidth(), 100);
    edit->SetWidth(140);
    EXPECT_EQ(edit->GetWidth(), 140);
    edit->SetMaxLength(-3);
    EXPECT_EQ(edit->MaxLength(), 0);
    TdxBarSubMenuControlItemLinks links(manager, nullptr);
    TdxBarItemLink* link = links.AddItem(edit);
    EXPECT_EQ(link->GetEffectiveWidth(), 140);
    EXPECT_FALSE(edit->ClickableByShortCut());
}

}  // namespace
