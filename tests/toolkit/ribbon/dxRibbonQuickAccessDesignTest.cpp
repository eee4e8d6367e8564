// The quick access toolbar at design time: its window's customizing popup offers the group
// button entry and no begin-group command, and the entry puts a group button after the
// right-clicked link.
#include <gtest/gtest.h>

#include <vector>

#include "../bars/BarTestSupport.h"
#include "ExtItemsTesting.h"
#include "RibbonTesting.h"
#include "dxBar.h"
#include "dxBarButton.h"
#include "dxBarControlEditors.h"
#include "dxBarDesignController.h"
#include "dxBarInternalSubMenuControl.h"
#include "dxBarItemLinks.h"
#include "dxBarStrs.h"
#include "dxRibbonQuickAccess.h"
#include "dxRibbonQuickAccessDesign.h"
#include "dxRibbonQuickAccessGroupButton.h"

namespace {

class QuickAccessDesignTest : public RibbonTest {
protected:
    void SetUp() override {
        RibbonTest::SetUp();
        EnsureItemRegistered(TdxRibbonQuickAccessGroupButton::StaticClass(),
                             TdxRibbonQuickAccessGroupButtonControl::StaticClass());
        controller = DesignControllerInstance();
        ASSERT_NE(controller, nullptr);
        // Earlier tests may have restarted the bar unit and with it the design controller.
        if (controller->FindDesignHelper(TdxRibbonQuickAccessBarControl::StaticClass()) !=
            TdxRibbonQuickAccessBarControlDesignHelper::Instance())
            RegisterRibbonQuickAccessDesignHelper();
        quick = NewBar(L"BarQuick");
        for (const wchar_t* name : {L"btnOpen", L"btnSave"}) {
            auto* button = static_cast<TdxBarButton*>(manager->AddItem(TdxBarButton::StaticClass()));
            button->SetName(name);
            button->SetCaption(name);
            quick->ItemLinks()->AddItem(button);
        }
        ribbon->QuickAccessToolbar()->SetToolbar(quick);
        PumpUntilIdle();
    }
    void TearDown() override {
        if (controller && controller->CustomizingPopup()) controller->CustomizingPopup()->HideBar();
        if (manager) {
            manager->SetStateFlag(csDesigning, false);
            manager->SetDesigner(nullptr);
        }
        RibbonTest::TearDown();
    }
    static TdxBarItemLink* Entry(TdxBarItemLinks* links, const String& caption) {
        for (int i = 0; i < links->Count(); ++i)
            if (links->GetLink(i)->Item()->GetCaption() == caption) return links->GetLink(i);
        return nullptr;
    }

    TdxBarDesignController* controller = nullptr;
    TdxBar* quick = nullptr;
};

}  // namespace

TEST_F(QuickAccessDesignTest, TheToolbarWindowsHelperAddsTheGroupButtonEditorAndLeavesOutBeginGroup) {
    const TCustomdxBarControlDesignHelper* helper =
        controller->FindDesignHelper(TdxRibbonQuickAccessBarControl::StaticClass());
    ASSERT_EQ(helper, TdxRibbonQuickAccessBarControlDesignHelper::Instance());
    EXPECT_EQ(helper->GetExcludedCommands(),
              Word(TdxBarControlDesignHelper::Instance()->GetExcludedCommands() | 0x400));
    std::vector<const TdxBarControlEditor*> editors, expected;
    helper->GetEditors(editors);
    TdxBarControlDesignHelper::Instance()->GetEditors(expected);
    expected.push_back(TdxAddGroupButtonEditor::Instance());
    EXPECT_EQ(editors, expected);
    EXPECT_EQ(TdxAddGroupButtonEditor::Instance()->EntryCaption(), L"Добавить кнопку группировки");
    // Plain toolbars keep their own helper.
    EXPECT_EQ(controller->FindDesignHelper(TdxBarControl::StaticClass()), TdxBarControlDesignHelper::Instance());
}

TEST_F(QuickAccessDesignTest, TheGroupButtonEntryPutsAGroupButtonAfterTheRightClickedLink) {
    auto* designer = new TRecordingDesigner;
    manager->SetDesigner(designer);
    manager->SetStateFlag(csDesigning, true);
    TdxRibbonQuickAccessBarControl* window = As<TdxRibbonQuickAccessBarControl>(quick->BarControl());
    ASSERT_NE(window, nullptr);
    TdxBarItemLink* first = quick->ItemLinks()->GetLink(0);
    designer->selected = {first};
    controller->StoreLastSelected(first);
    controller->ShowLinkCustomizingPopup(window, first);
    PumpUntilIdle();
    TdxBarCustomizingPopup* popup = controller->CustomizingPopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(Entry(popup->OwnLinks(), BarString(dxSBAR_CP_BEGINAGROUP)), nullptr);
    TdxBarItemLink* entry = Entry(popup->OwnLinks(), L"Добавить кнопку группировки");
    ASSERT_NE(entry, nullptr);
    entry->Item()->ClickedLink = entry;
    entry->Item()->Click();
    PumpUntilIdle();
    ASSERT_EQ(quick->ItemLinks()->Count(), 3);
    auto* button = As<TdxRibbonQuickAccessGroupButton>(quick->ItemLinks()->GetLink(1)->Item());
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->GetCaption(), L"GroupButton");
    EXPECT_EQ(quick->ItemLinks()->GetLink(2)->Item()->Name(), L"btnSave");
    EXPECT_GE(manager->ItemList()->IndexOf(button), 0) << "a real item of the manager";
}
