// The control container item: one control per container of a manager, and the hatched place it
// draws without a control.

#include "../bars/EditControlTestWindow.h"

#include "CustomEdit.h"
#include "ExtItemsTesting.h"
#include "dxBarControlContainerItem.h"
#include "dxBarItemLinks.h"
#include "dxBarStrs.h"

namespace {

class BarControlContainer : public EditControlTest {
protected:
    void SetUp() override {
        EditControlTest::SetUp();
        EnsureItemRegistered(TdxBarControlContainerItem::StaticClass(), TdxBarControlContainerControl::StaticClass());
        edit = new TEdit(form.get());
        edit->SetName(L"LayerNameEdit");
        edit->SetParent(form.get());
        // As wide as the test bar window, which gives every item its whole width.
        edit->SetBounds(0, 0, 220, 21);
        container = static_cast<TdxBarControlContainerItem*>(manager->AddItem(TdxBarControlContainerItem::StaticClass()));
    }
    TdxBarControlContainerControl* ControlOfContainer() const {
        return dynamic_cast<TdxBarControlContainerControl*>(LinkOf(container)->Control());
    }

    TEdit* edit = nullptr;
    TdxBarControlContainerItem* container = nullptr;
};

TEST_F(BarControlContainer, AControlBelongsToOneContainerOfTheManager) {
    container->SetControl(edit);
    container->SetControl(edit);  // the same again: nothing
    EXPECT_EQ(container->Control(), edit);
    auto* second = static_cast<TdxBarControlContainerItem*>(manager->AddItem(TdxBarControlContainerItem::StaticClass()));
    try {
        second->SetControl(edit);
        ADD_FAILURE() << "no exception";
    } catch (const EdxException& e) {
        EXPECT_EQ(e.Message(), L"You cannot assign the same control to more than one TdxBarControlContainerItem.");
    }
    EXPECT_EQ(second->Control(), nullptr);
    // Given up by the first, it may go to the second.
    container->SetControl(nullptr);
    second->SetControl(edit);
    EXPECT_EQ(second->Control(), edit);
    // A freed control leaves the container empty.
    delete edit;
    edit = nullptr;
    EXPECT_EQ(second->Control(), nullptr);
}

TEST_F(BarControlContainer, WithoutAControlTheItemDrawsAHatchedPlace) {
    container->SetName(L"LayerPlace");
    ShowWindowWith({container}, 0);
    PumpUntilIdle();
    TdxBarControlContainerControl* control = ControlOfContainer();
    ASSERT_NE(control, nullptr);
    EXPECT_FALSE(control->Placed());
    EXPECT_EQ(control->CalcWidth(), int(control->MeasureText(L"LayerPlace").cx) +
                                         std::abs(control->GetDrawCanvas()->GetCanvasFont()->Height()));
    TControlSnapshot shot(window->Handle());
    const TRect r = control->GetBounds();
    const TColor shadow = TColor(GetSysColor(COLOR_BTNSHADOW));
    // The frame all round and the hatch inside.
    EXPECT_EQ(shot.Pixel(r.left, r.top + 2), shadow);
    EXPECT_EQ(shot.Pixel(r.right - 1, r.bottom - 3), shadow);
    EXPECT_GT(CountColor(shot, TRect{r.left + 1, r.top + 1, r.left + 12, r.bottom - 1}, shadow), 4);
}

}  // namespace
