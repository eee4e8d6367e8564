// The application menu's model: the width with the extra pane, the row of bottom buttons, the
// extra pane's settings and what is stored of them, and bottom buttons bound to commands of the
// bar test form's manager.

#include "BarTestForm.h"
#include "BarTestSupport.h"

#include <memory>

#include "dxBarApplicationMenu.h"
#include "dxBarButton.h"
#include "dxBarManager.h"

namespace {

TEST(ApplicationMenuGeometry, TheWidthGrowsByTheExtraPane) {
    struct Case {
        const char* what;
        int content, paneSize;
        double ratio;
        int textSize, minItemHeight;
        int width, pane;
    } cases[] = {
        {"an empty column counts as 100, the pane 2.5 times it", 0, 0, 2.5, 16, 16, 350, 250},
        {"the ratio of a real column", 120, 0, 2.5, 16, 16, 420, 300},
        {"a pane size at the minimum item height", 100, 200, 2.5, 16, 16, 300, 200},
        {"a pane size scaled by a text 1.5 times as high", 100, 200, 2.5, 24, 16, 400, 300},
        {"ratio 0: no pane", 100, 0, 0.0, 16, 16, 100, 0},
    };
    for (const Case& c : cases) {
        const TdxBarApplicationMenuWidth r = CalcApplicationMenuWidth(c.content, c.paneSize, c.ratio, c.textSize, c.minItemHeight);
        EXPECT_EQ(r.width, c.width) << c.what;
        EXPECT_EQ(r.extraPaneSize, c.pane) << c.what;
    }
}

TEST(ApplicationMenuGeometry, TheBottomButtonsLieInARowFlushRightAndTheFirstThatDoesNotFitEndsIt) {
    const TRect bounds{0, 200, 300, 222};
    // 80, 60 and 70 go to 0-80, 86-146 and 152-222, then move right by 78.
    std::vector<TRect> rects = ArrangeApplicationMenuButtons({80, 60, 70}, bounds);
    const std::pair<int, int> expected[] = {{78, 158}, {164, 224}, {230, 300}};
    ASSERT_EQ(rects.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(rects[i].left, expected[i].first) << i;
        EXPECT_EQ(rects[i].right, expected[i].second) << i;
        EXPECT_EQ(rects[i].top, 200);
        EXPECT_EQ(rects[i].bottom, 222);
    }
    // A fourth that would end past the edge is left out, and so is a small fifth that would fit.
    rects = ArrangeApplicationMenuButtons({80, 60, 70, 100, 10}, bounds);
    EXPECT_EQ(rects[2].right, 300);
    EXPECT_TRUE(IsRectEmpty(&rects[3]));
    EXPECT_TRUE(IsRectEmpty(&rects[4]));
    // None fits: nothing is placed.
    rects = ArrangeApplicationMenuButtons({400}, bounds);
    EXPECT_TRUE(IsRectEmpty(&rects[0]));
}

class ApplicationMenuModel : public testing::Test {
protected:
    void SetUp() override {
        form.reset(static_cast<TBarTestForm*>(TBarTestForm::StaticClass()->Create(static_cast<TComponent*>(nullptr))));
        manager = static_cast<TdxBarManager*>(form->FindComponent(L"dxBarManager"));
        ASSERT_NE(manager, nullptr);
        menu = new TdxBarCustomApplicationMenu(form.get());
        menu->SetBarManager(manager);
    }
    TdxBarButton* Button(const wchar_t* name) const { return static_cast<TdxBarButton*>(form->FindComponent(name)); }
    bool InManagerItems(TdxBarItem* item) const {
        for (int i = 0; i < manager->ItemList()->Count(); ++i)
            if (manager->ItemList()->ComponentAt(i) == item) return true;
        return false;
    }

    std::unique_ptr<TBarTestForm> form;
    TdxBarManager* manager = nullptr;
    TdxBarCustomApplicationMenu* menu = nullptr;  // owned by the form
};

TEST_F(ApplicationMenuModel, TheExtraPaneIgnoresNegativeSizesAndStoresOnlyChangedDefaults) {
    TdxBarApplicationMenuExtraPane* pane = menu->ExtraPane();
    EXPECT_EQ(pane->Header(), L"Recent Documents");
    EXPECT_FALSE(pane->IsHeaderStored());
    pane->SetHeader(L"Levels");
    EXPECT_TRUE(pane->IsHeaderStored());
    pane->SetHeader(L"Recent Documents");
    EXPECT_FALSE(pane->IsHeaderStored()) << "set back to the default: not stored";
    EXPECT_FALSE(pane->IsWidthRatioStored());
    pane->SetSize(120);
    pane->SetSize(-5);
    pane->SetWidthRatio(3);
    pane->SetWidthRatio(-1);
    EXPECT_EQ(pane->Size(), 120);
    EXPECT_EQ(pane->WidthRatio(), 3.0);
    EXPECT_TRUE(pane->IsWidthRatioStored());
    // Entries, their display texts and the click event with the menu as sender.
    TdxBarExtraPaneItem* entry = pane->Items()->Add();
    entry->SetText(L"level1.zlv");
    entry->SetDisplayText(L"Level 1");
    EXPECT_EQ(entry->ImageIndex(), -1);
    struct TRecorder : TObject {
        TObject* sender = nullptr;
        int index = -1;
        void Clicked(TObject* s, int i) {
            sender = s;
            index = i;
        }
    } recorder;
    pane->OnItemClick = MakeEvent(&recorder, &TRecorder::Clicked);
    pane->ItemClicked(0);
    EXPECT_EQ(recorder.sender, menu);
    EXPECT_EQ(recorder.index, 0);
    EXPECT_EQ(pane->GetItemDisplayText(0), L"Level 1");
    // Assign copies the settings, the entries and the click event.
    std::unique_ptr<TdxBarCustomApplicationMenu> other(new TdxBarCustomApplicationMenu(nullptr));
    other->SetExtraPane(pane);
    EXPECT_EQ(other->ExtraPane()->Size(), 120);
    EXPECT_EQ(other->ExtraPane()->WidthRatio(), 3.0);
    ASSERT_EQ(other->ExtraPane()->Items()->Count(), 1);
    EXPECT_EQ(other->ExtraPane()->Items()->Items(0)->Text(), L"level1.zlv");
    EXPECT_TRUE(bool(other->ExtraPane()->OnItemClick));
}

TEST_F(ApplicationMenuModel, AButtonFollowsItsCommandAndShowsNothingOnceTheCommandGoes) {
    TdxBarApplicationMenuButton* button = menu->Buttons()->Add();
    TdxBarApplicationMenuButtonItem* internal = button->InternalItem();
    ASSERT_NE(internal, nullptr);
    EXPECT_FALSE(InManagerItems(internal)) << "no customizing list offers it";
    EXPECT_EQ(internal->Visible(), ivNever);
    button->SetWidth(80);
    EXPECT_EQ(button->Width(), 80);

    auto* command = new TdxBarButton(form.get());
    command->SetCaption(L"Options");
    command->SetHint(L"Editor options");
    command->SetImageIndex(3);
    button->SetItem(command);
    EXPECT_EQ(internal->GetCaption(), L"Options");
    EXPECT_EQ(internal->Hint(), L"Editor options");
    EXPECT_EQ(internal->ImageIndex(), 3);
    EXPECT_EQ(internal->Visible(), ivAlways);
    command->SetEnabled(false);
    EXPECT_FALSE(internal->GetEnabled()) << "the command's changes reach the shown item";
    command->SetEnabled(true);

    // A click on the shown item is the command's, with the menu button as sender.
    struct TRecorder : TObject {
        std::vector<TObject*> senders;
        void Clicked(TObject* s) { senders.push_back(s); }
    } recorder;
    command->OnClick = MakeEvent(&recorder, &TRecorder::Clicked);
    internal->Click();
    ASSERT_EQ(recorder.senders.size(), 1u);
    EXPECT_EQ(recorder.senders[0], button);

    // The command goes: the button forgets it and hides its item without errors.
    FreeObject(command);
    EXPECT_EQ(button->Item(), nullptr);
    EXPECT_EQ(internal->Visible(), ivNever);
    EXPECT_EQ(internal->GetCaption(), L"");
    internal->Click();
    EXPECT_EQ(recorder.senders.size(), 1u);
}

TEST_F(ApplicationMenuModel, TheMenuAndItsManagerMayGoInEitherOrder) {
    menu->Buttons()->Add()->SetItem(Button(L"btnOpen"));
    FreeObject(menu);  // the internal item goes with its button
    TdxBarCustomApplicationMenu* second = new TdxBarCustomApplicationMenu(form.get());
    second->SetBarManager(manager);
    TdxBarApplicationMenuButton* button = second->Buttons()->Add();
    button->SetItem(Button(L"btnSave"));
    FreeObject(manager);  // it frees the internal item first
    EXPECT_EQ(button->InternalItem(), nullptr);
    button->SetItem(nullptr);  // nothing to reach any more
}

}  // namespace
