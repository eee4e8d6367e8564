#pragma once
// The status-bar tests' fixture: a real form shown on the test display with a status bar at its
// bottom, and helpers to add panels and read the bar's pixels.

#include <memory>
#include <vector>

#include "../PainterTestSupport.h"
#include "ControlSnapshot.h"
#include "Form.h"
#include "WindowTesting.h"
#include "dxStatusBar.h"

class StatusBarTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        form.reset(NewShownForm(400, 300));
        bar = new TdxCustomStatusBar(form.get());
        bar->SetParent(form.get());
        bar->HandleNeeded();
    }
    void TearDown() override {
        form.reset();
        WindowTest::TearDown();
    }
    // A panel of the bar's default (text) style, or of the style class given.
    TdxStatusBarPanel* AddPanel(int width = 50, bool fixed = true, TdxStatusBarPanelStyleClass style = nullptr) {
        TdxStatusBarPanel* panel = bar->AddPanel();
        if (style) panel->SetPanelStyleClass(style);
        panel->SetWidth(width);
        panel->SetFixed(fixed);
        return panel;
    }
    // The rectangle of a visible panel in the bar's client area, as the bar lays it out.
    TRect PanelRect(TdxStatusBarPanel* panel) {
        TdxStatusBarViewInfo* info = bar->ViewInfo();
        const TRect margins = bar->Painter()->GetBorderMargins(bar);
        int left = margins.left;
        for (int i = 0; i < info->PanelCount(); ++i) {
            if (info->Panels(i) == panel)
                return TRect{left, margins.top, left + info->PanelWidth(i), bar->ClientHeight() - margins.bottom};
            left += info->PanelWidth(i) + (i + 1 < info->PanelCount() ? info->SeparatorWidth(i) : 0);
        }
        return TRect{};
    }
    TPoint ScreenPointOf(TdxStatusBarPanel* panel) {
        const TRect r = PanelRect(panel);
        return bar->ClientToScreen(TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }

    std::unique_ptr<TForm> form;
    TdxCustomStatusBar* bar = nullptr;
};
