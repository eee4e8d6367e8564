#pragma once
// What the edit and combo control tests share: the bar test form, a sub item whose links show
// the items under test, and a test bar window (shown at (100, 100), 220 pixels wide) that stays
// shown when its menu chain closes, as a toolbar does.

#include <memory>
#include <string>
#include <vector>

#include "BarTestForm.h"
#include "ControlSnapshot.h"
#include "TestBarWindow.h"
#include "dxBarEditControl.h"
#include "dxBarManager.h"

class TEditTestBarWindow : public TTestBarWindow {
    Z_CLASS(TEditTestBarWindow, TTestBarWindow)
public:
    explicit TEditTestBarWindow(TComponent* manager) : TTestBarWindow(manager, "edits") { itemHeight = 0; }

protected:
    void DoHideMenu() override { TCustomdxBarControl::DoHideMenu(); }
};

class EditControlTest : public WindowTest {
public:
    void Changed(TObject*) { ++changes; }
    void CurChanged(TObject*) { ++curChanges; }

protected:
    void SetUp() override;
    void TearDown() override;
    // Shows the window with one link per item, in order.
    void ShowWindowWith(const std::vector<TdxBarItem*>& items, int kind = 2);
    TdxBarItemLink* LinkOf(TdxBarItem* item) const;
    TPoint ScreenCentre(const TRect& clientRect) const;
    static String ReadEditor(TdxBarWinControl* control);
    // With ZARNIK_SHOTS naming a folder, saves what the screen shows in the rectangle there as
    // name.bmp.
    static void SaveScreenPicture(const std::string& name, const TRect& screenRect);
    // The pixels of the colour inside the rectangle of a snapshot.
    static int CountColor(const TControlSnapshot& shot, const TRect& r, TColor color);

    std::unique_ptr<TBarTestForm> form;
    TdxBarManager* manager = nullptr;
    TdxBarSubItem* owner = nullptr;
    TEditTestBarWindow* window = nullptr;
    int changes = 0, curChanges = 0;
};
