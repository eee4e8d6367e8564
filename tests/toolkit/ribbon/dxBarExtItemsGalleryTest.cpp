// Every extra bar item with a control, side by side in one bar window: each gets its own control
// and a place of its own; the date combo's and the colour combo's drop-downs open beside them.
// With ZARNIK_SHOTS naming a folder the three views are saved there (docs/bar-ext-items.png is
// made from them).

#include "../bars/EditControlTestWindow.h"

#include "ExtItemsTesting.h"
#include "dxBarColorCombo.h"
#include "dxBarDateCombo.h"
#include "dxBarDateNavigator.h"
#include "dxBarDropDownListBox.h"
#include "dxBarFontNameCombo.h"
#include "dxBarItemLinks.h"
#include "dxBarSpinEdit.h"

namespace {

class BarExtItemsGallery : public EditControlTest {};

TEST_F(BarExtItemsGallery, EveryItemShowsItsOwnControlAndTheDropDownsOpen) {
    EnsureItemRegistered(TdxBarSpinEdit::StaticClass(), TdxBarSpinEditControl::StaticClass());
    EnsureItemRegistered(TdxBarColorCombo::StaticClass(), TdxBarColorComboControl::StaticClass());
    EnsureItemRegistered(TdxBarFontNameCombo::StaticClass(), TdxBarComboControl::StaticClass());
    EnsureItemRegistered(TdxBarDateCombo::StaticClass(), TdxBarDateComboControl::StaticClass());
    auto* spin = static_cast<TdxBarSpinEdit*>(manager->AddItem(TdxBarSpinEdit::StaticClass()));
    spin->SetCaption(L"Шаг сетки");
    spin->SetValue(8);
    auto* color = static_cast<TdxBarColorCombo*>(manager->AddItem(TdxBarColorCombo::StaticClass()));
    color->SetCaption(L"Цвет");
    color->SetShowCustomColorButton(true);
    color->SetColor(clRed);
    auto* font = static_cast<TdxBarFontNameCombo*>(manager->AddItem(TdxBarFontNameCombo::StaticClass()));
    font->SetCaption(L"Шрифт");
    font->SetText(font->Items()->Strings(0));
    auto* date = static_cast<TdxBarDateCombo*>(manager->AddItem(TdxBarDateCombo::StaticClass()));
    date->SetCaption(L"Дата");
    ShowWindowWith({spin, color, font, date});
    window->SetBounds(100, 100, 300, window->Height());
    window->Relayout();
    PumpUntilIdle();

    const std::vector<TdxBarItem*> items{spin, color, font, date};
    const std::vector<TClass> controls{TdxBarSpinEditControl::StaticClass(), TdxBarColorComboControl::StaticClass(),
                                       TdxBarComboControl::StaticClass(), TdxBarDateComboControl::StaticClass()};
    TRect previous{};
    for (size_t i = 0; i < items.size(); ++i) {
        TdxBarItemControl* control = LinkOf(items[i])->Control();
        ASSERT_NE(control, nullptr) << i;
        EXPECT_EQ(control->ClassType(), controls[i]) << i;
        const TRect bounds = control->GetBounds();
        EXPECT_FALSE(IsRectEmpty(&bounds)) << i;
        EXPECT_GE(bounds.top, previous.bottom) << i;
        previous = bounds;
    }
    RECT bar{};
    GetWindowRect(window->Handle(), &bar);
    SaveScreenPicture("ext-items", TRect{bar.left - 4, bar.top - 4, bar.right + 4, bar.bottom + 4});

    auto* dateControl = static_cast<TdxBarDateComboControl*>(LinkOf(date)->Control());
    ClickAt(ScreenCentre(dateControl->EditPart(3)));
    HWND popup = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        popup = date->DatePopup()->HandleAllocated() ? date->DatePopup()->Handle() : nullptr;
        return popup && IsWindowVisible(popup);
    }));
    PumpUntilIdle();
    RECT drop{};
    GetWindowRect(popup, &drop);
    SaveScreenPicture("ext-items-date",
                      TRect{bar.left - 4, bar.top - 4, std::max(bar.right, drop.right) + 4, std::max(bar.bottom, drop.bottom) + 4});
    TypeKey(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(popup); }));

    auto* colorControl = static_cast<TdxBarColorComboControl*>(LinkOf(color)->Control());
    ClickAt(ScreenCentre(colorControl->EditPart(3)));
    HWND list = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        list = color->ListBox()->HandleAllocated() ? color->ListBox()->Handle() : nullptr;
        return list && IsWindowVisible(list);
    }));
    PumpUntilIdle();
    GetWindowRect(list, &drop);
    SaveScreenPicture("ext-items-color",
                      TRect{bar.left - 4, bar.top - 4, std::max(bar.right, drop.right) + 4, std::max(bar.bottom, drop.bottom) + 4});
    TypeKey(VK_ESCAPE);
    PumpUntilIdle();
}

}  // namespace
