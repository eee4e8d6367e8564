#pragma once
// What the style painters' tests share: a fake bar window that also answers the style
// painters' questions, a scope that changes a system colour and puts it back (also when the
// test fails), and painters made through their class references.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "BarPainterFakes.h"
#include "dxBarStylePainters.h"

class TStyleFakeWindow : public TFakeBarWindow {
public:
    bool canMove = true, mainMenu = false, mdiButtons = false, internalMenu = false, quickCust = false,
         popup = false, detachable = false;
    int closeState = 0, sideBar = 0;
    TRect windowBounds{}, ownerGap{}, ownerGapOutside{}, dockClient{}, detachCaptionRect{};
    TdxBarItemControl* lastItem = nullptr;
    TBitmap* dockPicture = nullptr;
    IdxBarPaintedWindow* markPopup = nullptr;
    bool CanMove() const override { return canMove; }
    bool IsMainMenu() const override { return mainMenu; }
    bool HasMDIButtons() const override { return mdiButtons; }
    int CloseButtonState() const override { return closeState; }
    bool IsInternalMenu() const override { return internalMenu; }
    bool IsQuickCustMenu() const override { return quickCust; }
    bool IsPopupWindow() const override { return popup; }
    bool IsDetachable() const override { return detachable; }
    TRect DetachCaptionRect() const override { return detachCaptionRect; }
    int SideBarWidth() const override { return sideBar; }
    TRect OwnerGapRect(bool outside) const override { return outside ? ownerGapOutside : ownerGap; }
    IdxBarPaintedWindow* MarkPopup() const override { return markPopup; }
    TRect WindowBounds() const override { return windowBounds; }
    TRect DockClientRect() const override { return dockClient; }
    TBitmap* DockBkBitmap() const override { return dockPicture; }
    TdxBarItemControl* LastVisibleItemControl() const override { return lastItem; }
};

// Sets system colours for the scope and puts the old ones back when it ends.
class TSysColorScope {
public:
    TSysColorScope(std::initializer_list<std::pair<int, COLORREF>> colors) {
        for (auto [index, color] : colors) {
            saved_.push_back({index, GetSysColor(index)});
            SetSysColors(1, &index, &color);
        }
    }
    ~TSysColorScope() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) SetSysColors(1, &it->first, &it->second);
    }
    TSysColorScope(const TSysColorScope&) = delete;
    TSysColorScope& operator=(const TSysColorScope&) = delete;

private:
    std::vector<std::pair<int, COLORREF>> saved_;
};

template <class Painter>
std::unique_ptr<TdxBarPainter> NewStylePainter() {
    return std::unique_ptr<TdxBarPainter>(Painter::StaticClass()->CreateWithData(nullptr));
}

inline COLORREF SysRgb(int index) { return GetSysColor(index); }
