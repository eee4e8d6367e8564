// The command strip's combo box keeps its entry and text as the ribbon's combos do: a table of
// settings with the entry, text and change events each leaves.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "uCommandCombo.h"

namespace {

struct TComboChanges {
    TCommandCombo* combo = nullptr;
    std::vector<String> texts;  // the combo's text at each change event
    void Changed(TObject* sender) {
        EXPECT_EQ(sender, combo);
        texts.push_back(combo->Text());
    }
};

struct TComboStep {
    const char* what;
    std::function<void(TCommandCombo&)> act;
    int itemIndex;
    const wchar_t* text;
    std::vector<String> changes;
};

}  // namespace

TEST(CommandCombo, EntryTextAndChangeEventsFollowTheBarComboRules) {
    TCommandCombo combo(nullptr);
    for (const wchar_t* item : {L"Beton", L"Stone", L"SkyDay"}) combo.Items()->Add(item);
    TComboChanges changes;
    changes.combo = &combo;
    combo.OnChange = MakeEvent(&changes, &TComboChanges::Changed);

    const std::vector<TComboStep> steps = {
        {"an index beyond the entries selects nothing and still reports",
         [](auto& c) { c.SetItemIndex(11); },
         -1,
         L"",
         {L""}},
        {"an entry: its text", [](auto& c) { c.SetItemIndex(1); }, 1, L"Stone", {L"Stone"}},
        {"the same index: nothing", [](auto& c) { c.SetItemIndex(1); }, 1, L"Stone", {}},
        {"a negative index: no entry, empty text", [](auto& c) { c.SetItemIndex(-5); }, -1, L"", {L""}},
        {"a text of an entry selects it", [](auto& c) { c.SetText(L"SkyDay"); }, 2, L"SkyDay", {L"SkyDay"}},
        {"the same text: nothing", [](auto& c) { c.SetText(L"SkyDay"); }, 2, L"SkyDay", {}},
        {"a text of no entry: kept, nothing selected",
         [](auto& c) { c.SetText(L"Clover"); },
         -1,
         L"Clover",
         {L"Clover"}},
        {"-1 again while nothing is selected: nothing, the text stays",
         [](auto& c) { c.SetItemIndex(-1); },
         -1,
         L"Clover",
         {}},
        {"an empty text", [](auto& c) { c.SetText(L""); }, -1, L"", {L""}},
        {"the first entry by index", [](auto& c) { c.SetItemIndex(0); }, 0, L"Beton", {L"Beton"}},
    };
    for (const TComboStep& step : steps) {
        SCOPED_TRACE(step.what);
        changes.texts.clear();
        step.act(combo);
        EXPECT_EQ(combo.ItemIndex(), step.itemIndex);
        EXPECT_EQ(combo.Text(), step.text);
        EXPECT_EQ(changes.texts, step.changes);
    }
}
