// The recently-used list: the entry limit (0 keeps all, a lower limit trims the end), entries
// shown cut to 300 pixels with "...", and a clicked entry dropped with RemoveItemOnClick.

#include <gtest/gtest.h>

#include "../bars/BarTestSupport.h"
#include "Font.h"
#include "cxTextMeasuring.h"
#include "dxBarManager.h"
#include "dxBarMRUListItem.h"

namespace {

class MRUListTest : public BarTest {
protected:
    TdxBarMRUListItem* NewList(std::initializer_list<const wchar_t*> entries) {
        auto* list = new TdxBarMRUListItem(form.get());
        for (const wchar_t* entry : entries) list->Items()->Add(entry);
        return list;
    }
    static std::vector<String> Entries(TdxBarMRUListItem* list) {
        std::vector<String> entries;
        for (int i = 0; i < list->Items()->Count(); ++i) entries.push_back(list->Items()->Strings(i));
        return entries;
    }
};

TEST_F(MRUListTest, TheLimitTrimsTheEndAndZeroKeepsEverything) {
    TdxBarMRUListItem* list = NewList({L"a", L"b", L"c", L"d", L"e", L"f", L"g"});
    EXPECT_EQ(list->MaxItemCount(), 5);
    // Entries added past the limit stay until the limit changes.
    list->SetMaxItemCount(0);
    EXPECT_EQ(list->Items()->Count(), 7);
    list->SetMaxItemCount(5);
    EXPECT_EQ(Entries(list), (std::vector<String>{L"a", L"b", L"c", L"d", L"e"}));
    list->SetMaxItemCount(2);
    EXPECT_EQ(Entries(list), (std::vector<String>{L"a", L"b"}));
    list->SetMaxItemCount(-3);
    EXPECT_EQ(list->MaxItemCount(), 0);
    EXPECT_EQ(list->Items()->Count(), 2);
}

TEST_F(MRUListTest, EntriesAreShownCutTo300PixelsWithAnEllipsis) {
    TdxBarMRUListItem* list = NewList({});
    const String shortText = L"C:\\Уровни\\первый.zlv";
    EXPECT_EQ(list->FormatItemText(shortText), shortText);
    String longText = L"C:\\";
    for (int i = 0; i < 40; ++i) longText += L"каталог\\";
    longText += L"уровень.zlv";
    const String shown = list->FormatItemText(longText);
    ASSERT_LT(shown.size(), longText.size());
    EXPECT_NE(shown.find(L"..."), String::npos);
    const int width = FontTextExtent(manager->Font(), shown).cx;
    EXPECT_LE(width, TdxBarMRUListItem::MaxEntryWidth);
    EXPECT_GT(width, TdxBarMRUListItem::MaxEntryWidth - 40);
}

TEST_F(MRUListTest, AClickedEntryIsRemovedOnlyWithRemoveItemOnClick) {
    TdxBarMRUListItem* list = NewList({L"one", L"two", L"three"});
    list->SetItemIndex(1);
    list->DirectClick();
    EXPECT_EQ(list->Items()->Count(), 3);
    list->SetRemoveItemOnClick(true);
    list->SetItemIndex(1);
    list->DirectClick();
    EXPECT_EQ(Entries(list), (std::vector<String>{L"one", L"three"}));
    EXPECT_EQ(list->ItemIndex(), -1);
    // By text, else by object.
    list->Items()->AddObject(L"", reinterpret_cast<TObject*>(7));
    list->RemoveMRUEntry(L"three");
    list->RemoveMRUEntry(L"", reinterpret_cast<TObject*>(7));
    EXPECT_EQ(Entries(list), (std::vector<String>{L"one"}));
}

}  // namespace
