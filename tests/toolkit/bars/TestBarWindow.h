#pragma once
// A small bar window for the tests: a borderless popup that stacks the shown links of one link
// collection from the top in the bar window base's vertical layout, with a group gap of 6
// pixels, and paints its items first and its background after them (the items are out of the
// clip by then). TBarWindowTestControl is the item control the tests register for the bar test
// form's buttons: it fills a rectangle 4 pixels larger than it is given with its image's glyph
// colour, so that a snapshot shows both the order of drawing and the clipping.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BarTestForm.h"
#include "BarTestSupport.h"
#include "dxBarButton.h"
#include "dxBarItemLinks.h"
#include "dxBarSubItem.h"
#include "dxBarItemControl.h"
#include "dxCustomBarControl.h"

class TTestBarWindowViewInfo : public TCustomdxBarControlViewInfo {
    Z_CLASS(TTestBarWindowViewInfo, TCustomdxBarControlViewInfo)
public:
    using TCustomdxBarControlViewInfo::TCustomdxBarControlViewInfo;
    // The placed links' controls, and a separator above each that begins a group.
    void Calculate() override;
};

class TTestBarWindow : public TCustomdxBarControl {
    Z_CLASS(TTestBarWindow, TCustomdxBarControl)
public:
    explicit TTestBarWindow(TComponent* manager, std::string tag = "") : TCustomdxBarControl(manager), tag(tag) {}
    ~TTestBarWindow() override;

    static constexpr TColor BackgroundColor = 0xF0E0D0;
    static constexpr int GroupGap = 6;
    std::string tag;
    int itemHeight = 20;  // 0: the item control measures itself
    bool partial = false, rotated = false;
    int rebuilds = 0;
    // 2 a menu; 0 a toolbar, whose press captures the mouse and whose release beside the
    // pressed control closes the chain.
    int kind = 2;
    // Times the window closed (hid) as a menu does when its chain closes.
    int hides = 0;
    // Tags of the windows destroyed, in order.
    static std::vector<std::string>& DestroyLog();

    void Relayout();
    TCustomdxBarControlViewInfoClass GetViewInfoClass() const override { return TTestBarWindowViewInfo::StaticClass(); }
    bool IsMainMenu() const override { return false; }
    bool IsStatusBar() const override { return false; }
    int GetBarControlKind() const override { return kind; }
    bool IsRotated() const override { return rotated; }
    bool IsPopupWindow() const override { return true; }
    bool IsPopupLike() const override { return true; }
    bool AllowsPartialItem(const TRect&) const override { return partial; }
    int GetBeginGroupSize() const override { return GroupGap; }
    void FillBk(HDC dc, const TRect& r, bool flag, TColor color, HBRUSH brush) override;
    void CalcLayout() override {
        CalcItemsRect();
        CalcVisibleItems(1, 0);
    }
    using TCustomdxBarControl::CalcVisibleItemsRange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void UpdateFont() override {}
    void Paint() override;
    void Rebuild(bool recreate) override;
    // Closing hides the window; Escape closes one level, as in menus.
    void DoHideMenu() override;
    void HandleKeyDown(Word& key, TShiftState shift) override;
    // A toolbar holds the mouse from the press on.
    void PressItemControl(TdxBarItemControl* control) override;
};

class TBarWindowTestControl : public TdxBarItemControl {
    Z_CLASS(TBarWindowTestControl, TdxBarItemControl)
public:
    explicit TBarWindowTestControl(TdxBarItemLink* link) : TdxBarItemControl(link), serial(++made) {}
    static inline int made = 0;
    const int serial;
    int paints = 0;
    // Runs in ControlPress (it may free the window or the control).
    std::function<void()> onPress;
    void ControlPress(bool, bool) override {
        if (onPress) onPress();
    }
    using TdxBarItemControl::CalcLargeHeight;
    using TdxBarItemControl::CalcSmallHeight;

protected:
    int CalcHeight() override;
    void DrawContent(const TRect& r, Byte paintKind) override;
};

// Registers a test control class (TBarWindowTestControl unless told otherwise) for the buttons
// while it lives, in place of their own control class, which it registers again when it goes.
class TBarWindowControlRegistration {
public:
    explicit TBarWindowControlRegistration(TClass controlClass = nullptr);
    ~TBarWindowControlRegistration();

private:
    TClass saved_ = nullptr;
    bool registered_ = false;
};

// Each test gets the bar test form, the test control registered for its buttons, and the
// links of its subFile menu to show.
class BarWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        registration = std::make_unique<TBarWindowControlRegistration>();
        form.reset(static_cast<TBarTestForm*>(TBarTestForm::StaticClass()->Create(static_cast<TComponent*>(nullptr))));
        manager = static_cast<TdxBarManager*>(form->FindComponent(L"dxBarManager"));
        ASSERT_NE(manager, nullptr);
        links = static_cast<TdxBarSubItem*>(form->FindComponent(L"subFile"))->ItemLinks();
        TTestBarWindow::DestroyLog().clear();
    }
    void TearDown() override {
        form.reset();
        registration.reset();
        WindowTest::TearDown();
    }
    // A window of the manager showing subFile's links, owned by the manager.
    TTestBarWindow* NewWindow(const std::string& tag = "window") {
        auto* window = new TTestBarWindow(manager, tag);
        window->AssignItemLinks(links);
        return window;
    }
    // Shows the popup on top without taking the activation, as menus do.
    static void ShowPopup(TTestBarWindow* window) {
        SetWindowPos(window->Handle(), HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        window->Relayout();
    }
    // The shown links' buttons: Open, Save and Export (which begins a group).
    std::vector<TdxBarItemLink*> ButtonLinks() const {
        std::vector<TdxBarItemLink*> result;
        for (int i = 0; i < links->GetShownLinkCount(); ++i)
            if (Is<TdxBarButton>(links->GetShownLink(i)->Item())) result.push_back(links->GetShownLink(i));
        return result;
    }

    // The shown links that get a control: the buttons and, after Export, the separator (the
    // list item has none yet).
    std::vector<TdxBarItemLink*> ControlledLinks() const {
        std::vector<TdxBarItemLink*> result;
        for (int i = 0; i < links->GetShownLinkCount(); ++i)
            if (Is<TdxBarButton>(links->GetShownLink(i)->Item()) || Is<TdxBarSeparator>(links->GetShownLink(i)->Item()))
                result.push_back(links->GetShownLink(i));
        return result;
    }

    std::unique_ptr<TBarWindowControlRegistration> registration;
    std::unique_ptr<TBarTestForm> form;
    TdxBarManager* manager = nullptr;
    TdxBarItemLinks* links = nullptr;
};

