#pragma once
// Accessibility helpers without bar objects behind them, for tests of the navigation searches
// and of key tips: each has a name, fixed screen bounds, children, and the key-tip answers a
// test gives it; a root may carry a recording key-tip windows manager.

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Interfaces.h"
#include "dxBarAccessibility.h"

// Records the labels it is asked to make, keyed by the opaque label objects it hands out.
class TRecordingKeyTipWindows : public TInterfacedObject, public IdxBarKeyTipWindowsManager {
public:
    struct TLabel {
        String text;
        TPoint anchor;
        Byte horizontal, vertical;
        bool enabled;
    };
    void AddWindow(const String& text, const TPoint& anchor, Byte horizontal, Byte vertical, bool enabled,
                   TObject*& window) override {
        owned_.push_back(std::make_unique<TObject>());
        window = owned_.back().get();
        labels[window] = TLabel{text, anchor, horizontal, vertical, enabled};
        order_.push_back(window);
    }
    void RemoveWindow(TObject* window) override {
        labels.erase(window);
        std::erase(order_, window);
    }
    void ShowWindows() override { ++showCalls; }
    // The labels shown now, in the order they were made.
    std::vector<std::wstring> Texts() const {
        std::vector<std::wstring> result;
        for (TObject* w : order_) result.push_back(labels.at(w).text);
        return result;
    }
    std::map<TObject*, TLabel> labels;
    int showCalls = 0;

private:
    std::vector<std::unique_ptr<TObject>> owned_;
    std::vector<TObject*> order_;
};

class TFakeHelper : public TdxBarAccessibilityHelper {
public:
    TFakeHelper(std::string name, RECT bounds, bool navigable = true)
        : TdxBarAccessibilityHelper(nullptr), name(std::move(name)), bounds(bounds), navigable(navigable) {}

    // Adds a child and answers it.
    TFakeHelper* Add(std::string childName, RECT childBounds, bool childNavigable = true) {
        children.emplace_back(new TFakeHelper(std::move(childName), childBounds, childNavigable));
        children.back()->parent = this;
        return children.back().get();
    }
    // A child that only carries a key tip (no bounds needed).
    TFakeHelper* AddTip(const String& tip, bool tipEnabled = true) {
        TFakeHelper* child = Add(std::string(tip.begin(), tip.end()), RECT{0, 0, 10, 10});
        child->keyTip = tip;
        child->enabled = tipEnabled;
        return child;
    }
    // The helper with the name in this subtree; nil when none.
    TFakeHelper* Find(const std::string& wanted) {
        if (name == wanted) return this;
        for (auto& child : children)
            if (TFakeHelper* found = child->Find(wanted)) return found;
        return nullptr;
    }

    std::string name;
    RECT bounds;
    bool navigable;
    bool visible = true;
    bool enabled = true;
    bool container = false;
    String keyTip;
    int executed = 0;
    TFakeHelper* parent = nullptr;
    TFakeHelper* entry = nullptr;
    std::vector<IPtr<TFakeHelper>> children;
    IPtr<IdxBarKeyTipWindowsManager> windows;

    TdxBarManager* GetBarManager() override { return nullptr; }
    IdxBarAccessibilityHelper* GetEntryObject() override { return entry; }
    bool GetKeyTipWindowsManager(IPtr<IdxBarKeyTipWindowsManager>& manager) override {
        if (!windows) return TdxBarAccessibilityHelper::GetKeyTipWindowsManager(manager);
        manager = windows;
        return true;
    }
    String GetAssignedKeyTip() override { return keyTip; }
    String GetDefaultKeyTip() override { return L"Y"; }
    void FillKeyTipInfo(TdxBarKeyTipInfo& info) override {
        TdxBarAccessibilityHelper::FillKeyTipInfo(info);
        info.IsEnabled = enabled;
    }
    void ExecuteKeyTip() override { ++executed; }
    bool IsKeyTipContainer() override { return container || TdxBarAccessibilityHelper::IsKeyTipContainer(); }

protected:
    TcxAccessibilityHelper* DoGetChild(Integer index) override {
        return index >= 0 && index < Integer(children.size()) ? children[size_t(index)].get() : nullptr;
    }
    Integer DoGetChildCount() override { return Integer(children.size()); }
    Integer DoGetChildIndex(TcxAccessibilityHelper* child) override {
        for (size_t i = 0; i < children.size(); ++i)
            if (children[i].get() == child) return Integer(i);
        return -1;
    }
    TcxAccessibilityHelper* DoGetParentHelper() override { return parent; }
    RECT DoGetScreenBounds() override { return bounds; }
    Integer DoGetState() override { return visible ? 0 : 0x8000; }
    bool DoCanNavigateTo() override { return navigable && IsVisibleByState(); }
};

inline IPtr<TFakeHelper> NewFakeRoot(RECT bounds = RECT{0, 0, 400, 300}) {
    return IPtr<TFakeHelper>(new TFakeHelper("root", bounds, false));
}
