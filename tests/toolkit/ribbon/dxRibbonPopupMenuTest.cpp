// The ribbon's popup menu: the ribbon it names, whose bar manager serves its links, and a ribbon
// that goes first.
#include <gtest/gtest.h>

#include "RibbonTesting.h"
#include "dxRibbonPopupMenu.h"

TEST_F(RibbonTest, APopupMenuTakesItsRibbonsManagerAndForgetsAFreedRibbon) {
    auto* menu = new TdxRibbonPopupMenu(form.get());
    menu->SetRibbon(ribbon);
    EXPECT_EQ(menu->Ribbon(), ribbon);
    EXPECT_EQ(menu->BarManager(), manager);
    FreeObject(ribbon);
    ribbon = nullptr;
    EXPECT_EQ(menu->Ribbon(), nullptr);
    EXPECT_EQ(menu->BarManager(), manager) << "the manager stays";
}
