// The item's action link (a property follows the action only while the item shows the action's
// value) and the item's styles data (which style changes ask for a repaint or a new layout).

#include "BarTestSupport.h"

#include <functional>

#include "Actions.h"
#include "cxStyles.h"
#include "dxBarItemActionLink.h"
#include "dxBarItemStylesData.h"

namespace {

using ItemActionLink = BarTest;

// Each property: the item first shows the action's value and follows a change; once the item
// has a value of its own it keeps it through the action's next change.
TEST_F(ItemActionLink, APropertyFollowsTheActionOnlyWhileTheItemShowsTheActionsValue) {
    auto text = [](auto v) { return std::to_wstring(v); };
    struct Case {
        const char* property;
        std::function<void(TAction*)> changeAction;
        std::function<void(TdxBarItem*)> changeItem;
        std::function<String(TdxBarItem*)> itemValue;
        std::function<String(TAction*)> actionValue;
    } cases[] = {
        {"Caption", [](TAction* a) { a->SetCaption(a->Caption() + L"!"); },
         [](TdxBarItem* i) { i->SetCaption(L"by hand"); }, [](TdxBarItem* i) { return i->GetCaption(); },
         [](TAction* a) { return a->Caption(); }},
        {"Enabled", [](TAction* a) { a->SetEnabled(!a->Enabled()); },
         [](TdxBarItem* i) { i->SetEnabled(!i->GetEnabled()); }, [&](TdxBarItem* i) { return text(i->GetEnabled()); },
         [&](TAction* a) { return text(a->Enabled()); }},
        {"HelpContext", [](TAction* a) { a->SetHelpContext(a->HelpContext() + 1); },
         [](TdxBarItem* i) { i->SetHelpContext(99); }, [&](TdxBarItem* i) { return text(i->HelpContext()); },
         [&](TAction* a) { return text(a->HelpContext()); }},
        {"Hint", [](TAction* a) { a->SetHint(a->Hint() + L"+"); }, [](TdxBarItem* i) { i->SetHint(L"own hint"); },
         [](TdxBarItem* i) { return i->Hint(); }, [](TAction* a) { return a->Hint(); }},
        {"ImageIndex", [](TAction* a) { a->SetImageIndex(a->ImageIndex() + 1); },
         [](TdxBarItem* i) { i->SetImageIndex(40); }, [&](TdxBarItem* i) { return text(i->ImageIndex()); },
         [&](TAction* a) { return text(a->ImageIndex()); }},
        {"ShortCut", [](TAction* a) { a->SetShortCut(TShortCut(a->ShortCut() + 1)); },
         [](TdxBarItem* i) { i->SetShortCut(0x2041); }, [&](TdxBarItem* i) { return text(i->ShortCut()); },
         [&](TAction* a) { return text(a->ShortCut()); }},
        {"Visible", [](TAction* a) { a->SetVisible(!a->Visible()); },
         [](TdxBarItem* i) { i->SetVisible(ivInCustomizing); }, [&](TdxBarItem* i) { return text(int(i->Visible())); },
         [&](TAction* a) { return text(int(a->Visible() ? ivAlways : ivNever)); }},
    };
    for (const Case& c : cases) {
        auto* action = new TAction(form.get());
        action->SetCaption(L"Открыть");
        action->SetHint(L"Открыть уровень");
        action->SetShortCut(0x404F);
        action->SetImageIndex(3);
        TTestBarItem* item = NewItem(L"btnLinked");
        item->SetAction(action);
        ASSERT_EQ(c.itemValue(item), c.actionValue(action)) << c.property;
        c.changeAction(action);
        EXPECT_EQ(c.itemValue(item), c.actionValue(action)) << c.property << ": the item follows";
        c.changeItem(item);
        String own = c.itemValue(item);
        c.changeAction(action);
        EXPECT_EQ(c.itemValue(item), own) << c.property << ": the item keeps its own value";
        FreeObject(item);
        FreeObject(action);
    }
}

TEST_F(ItemActionLink, OnExecuteFollowsWhileOnClickIsTheActionsHandler) {
    auto* action = new TAction(form.get());
    action->SetOnExecute(MakeEvent(&recorder, &TEventRecorder::Executed));
    TTestBarItem* item = NewItem(L"btnHandler");
    item->SetAction(action);
    action->SetOnExecute(MakeEvent(&recorder, &TEventRecorder::AfterLoad));
    EXPECT_TRUE(item->OnClick == action->OnExecute());
    item->OnClick = MakeEvent(&recorder, &TEventRecorder::Clicked);
    action->SetOnExecute(MakeEvent(&recorder, &TEventRecorder::Executed));
    EXPECT_TRUE(item->OnClick == MakeEvent(&recorder, &TEventRecorder::Clicked));
}

TEST_F(ItemActionLink, AHintThatShowsTheCaptionCountsAsLinked) {
    auto* action = new TAction(form.get());
    action->SetCaption(L"&Сохранить");
    action->SetHint(L"Сохранить уровень");
    TTestBarItem* item = NewItem(L"btnHintLinked");
    item->SetAction(action);
    ASSERT_EQ(Utf8(item->Hint()), "Сохранить уровень");
    item->SetHint(L"Сохранить|в файл");  // another text, but its short part shows the caption
    action->SetHint(L"Сохранить как");
    EXPECT_EQ(Utf8(item->Hint()), "Сохранить как");
    item->SetHint(L"Запись");  // a hint of its own
    action->SetHint(L"Сохранить всё");
    EXPECT_EQ(Utf8(item->Hint()), "Запись");
}

TEST_F(ItemActionLink, APlainItemIgnoresChecked) {
    auto* action = new TAction(form.get());
    TTestBarItem* item = NewItem(L"btnPlain");
    item->SetAction(action);
    EXPECT_FALSE(item->ActionLink()->IsCheckedLinked());
    action->SetChecked(true);  // nothing to follow it
    bool down = false;
    EXPECT_FALSE(GetButtonDown(item, down));
}

TEST_F(ItemActionLink, ValuesShownFromTheActionAreNotStored) {
    auto* action = new TAction(form.get());
    action->SetCaption(L"Выход");
    TTestBarItem* item = NewItem(L"btnStored");
    EXPECT_TRUE(item->StoresCaption());
    item->SetAction(action);
    EXPECT_FALSE(item->StoresCaption());
    item->SetCaption(L"Закрыть");
    EXPECT_TRUE(item->StoresCaption());
    // Freeing the action unbinds the item, which keeps its values.
    FreeObject(action);
    EXPECT_EQ(item->Action(), nullptr);
    EXPECT_EQ(Utf8(item->GetCaption()), "Закрыть");
}

TEST_F(ItemActionLink, AnActionReadAtLoadTimeFillsOnlyWhatTheItemLacks) {
    auto* action = new TAction(form.get());
    action->SetCaption(L"Из действия");
    action->SetHint(L"Подсказка действия");
    action->SetShortCut(0x4041);
    action->SetImageIndex(5);
    action->SetEnabled(false);
    TTestBarItem* item = NewItem(L"btnDefaults");
    item->SetCaption(L"Своя");
    item->SetHint(L"");
    item->SetShortCut(0x4042);
    action->SetStateFlag(csLoading, true);
    item->SetAction(action);
    EXPECT_EQ(Utf8(item->GetCaption()), "Своя");
    EXPECT_EQ(item->ShortCut(), 0x4042);
    EXPECT_EQ(Utf8(item->Hint()), "Подсказка действия");
    EXPECT_EQ(item->ImageIndex(), 5);
    EXPECT_FALSE(item->GetEnabled());
}

TEST_F(ItemActionLink, OnlyABarItemCanBeTheClient) {
    TdxBarItemActionLink link;
    EXPECT_EQ(ClassAndMessageOf([&] { link.AssignClient(form.get()); }), "EInvalidCast: Invalid class typecast");
}

// ---- Styles data --------------------------------------------------------------------------

class ItemStylesData : public BarTest {
protected:
    std::vector<TdxBarItemStyleChange> changes;
    void Changed(TdxBarItemStyleChange change) { changes.push_back(change); }
    TdxBarItemStylesData* NewData() { return new TdxBarItemStylesData(2, MakeEvent(this, &ItemStylesData::Changed)); }
};

TEST_F(ItemStylesData, OneStyleInTwoSlotsIsListenedToOnce) {
    auto* style = new TcxStyle(form.get());
    std::unique_ptr<TdxBarItemStylesData> data(NewData());
    data->SetStyle(0, style);
    data->SetStyle(1, style);
    EXPECT_EQ(style->ObserverCount(), 1);
    EXPECT_EQ(data->CountStyleUses(style), 2);
    data->SetStyle(0, nullptr);
    EXPECT_EQ(style->ObserverCount(), 1);
    data->SetStyle(1, nullptr);
    EXPECT_EQ(style->ObserverCount(), 0);
    data->SetStyle(0, style);
    data.reset();  // the destructor empties the slots without reporting
    EXPECT_EQ(style->ObserverCount(), 0);
}

TEST_F(ItemStylesData, AFontChangeAsksForALayoutAColourChangeForARepaint) {
    struct Case {
        const char* what;
        std::function<void(TcxStyle*)> change;
        std::vector<TdxBarItemStyleChange> expected;
    } cases[] = {
        {"font size", [](TcxStyle* s) { s->Font()->SetSize(14); }, {iscStructure}},
        {"colour", [](TcxStyle* s) { s->SetColor(clRed); }, {iscDrawing}},
        {"text colour", [](TcxStyle* s) { s->SetTextColor(clBlue); }, {iscDrawing}},
        {"the same colour again", [](TcxStyle* s) { s->SetColor(clYellow); }, {}},
        {"a bitmap",
         [](TcxStyle* s) {
             TBitmap bitmap(4, 4);
             s->SetBitmap(&bitmap);
         },
         {}},
    };
    for (const Case& c : cases) {
        auto* style = new TcxStyle(form.get());
        style->SetColor(clYellow);
        std::unique_ptr<TdxBarItemStylesData> data(NewData());
        data->SetStyle(0, style);
        changes.clear();
        c.change(style);
        EXPECT_EQ(changes, c.expected) << c.what;
        data.reset();
        FreeObject(style);
    }
}

TEST_F(ItemStylesData, AFreedStyleLeavesEverySlotWithOneReport) {
    struct Case {
        const char* what;
        std::function<void(TcxStyle*)> assign;
        std::vector<TdxBarItemStyleChange> expected;
    } cases[] = {
        {"a font assigned", [](TcxStyle* s) { s->SetColor(clRed), s->Font()->SetStyle({fsBold}); }, {iscStructure}},
        {"only colours assigned", [](TcxStyle* s) { s->SetColor(clRed), s->SetTextColor(clBlue); }, {iscDrawing}},
        {"nothing assigned", [](TcxStyle*) {}, {}},
    };
    for (const Case& c : cases) {
        auto* style = new TcxStyle(form.get());
        c.assign(style);
        std::unique_ptr<TdxBarItemStylesData> data(NewData());
        data->SetStyle(0, style);
        data->SetStyle(1, style);
        changes.clear();
        FreeObject(style);
        EXPECT_EQ(changes, c.expected) << c.what;
        EXPECT_EQ(data->GetStyle(0), nullptr) << c.what;
        EXPECT_EQ(data->GetStyle(1), nullptr) << c.what;
    }
}

TEST_F(ItemStylesData, ChangesUnderTheLockAreReportedOnceTheStructureWinning) {
    auto* style = new TcxStyle(form.get());
    std::unique_ptr<TdxBarItemStylesData> data(NewData());
    data->SetStyle(0, style);
    changes.clear();
    data->LockChanges(true);
    data->LockChanges(true);
    style->SetColor(clRed);
    style->Font()->SetSize(20);
    style->SetTextColor(clGreen);
    data->LockChanges(false);
    EXPECT_TRUE(changes.empty());
    data->LockChanges(false);
    EXPECT_EQ(changes, (std::vector<TdxBarItemStyleChange>{iscStructure}));
}

TEST_F(ItemStylesData, AnItemsStyleChangesReachTheItem) {
    auto* style = new TcxStyle(form.get());
    TTestBarItem* item = NewItem(L"btnStyled");
    item->SetStyle(style);
    EXPECT_EQ(item->Style(), style);
    style->Font()->SetSize(15);
    style->SetColor(clRed);
    EXPECT_EQ(item->styleChanges, (std::vector<TdxBarItemStyleChange>{iscStructure, iscDrawing}));
    TdxBarItem::TStyleValues values = item->GetStyleValues(0);
    EXPECT_EQ(values.Color, clRed);
    EXPECT_EQ(values.TextColor, clNone);
    EXPECT_EQ(values.Bitmap, nullptr);
    EXPECT_NE(values.Font, nullptr);
}

}  // namespace
