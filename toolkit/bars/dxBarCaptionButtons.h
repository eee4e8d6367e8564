#pragma once
// Caption buttons: clickable buttons in a bar's caption (a ribbon group's launch button). The bar
// keeps them in its CaptionButtons collection; the window class that shows them lays them out
// and draws them (a plain toolbar window does neither), while this unit keeps their hot and
// pressed states, answers their hints and clicks them.

#include "cxInterfacedCollection.h"
#include "dxBarAccessibility.h"
#include "dxBarHints.h"
#include "Events.h"
#include "SysTypes.h"
#include "TypInfo.h"

class TBitmap;
class TdxBar;
class TdxBarCaptionButtons;

// The states of a caption button.
constexpr int dxBarCaptionButtonNormal = 0;
constexpr int dxBarCaptionButtonDisabled = 1;
constexpr int dxBarCaptionButtonHot = 2;
constexpr int dxBarCaptionButtonPressed = 4;

class TdxBarCaptionButton : public TcxInterfacedCollectionItem, public IdxBarHintSource {
    Z_CLASS(TdxBarCaptionButton, TcxInterfacedCollectionItem)
    Z_PUBLISHED {
        p.Property(L"Enabled", &TdxBarCaptionButton::Enabled, &TdxBarCaptionButton::SetEnabled).Default(true);
        p.Property(L"Glyph", &TdxBarCaptionButton::Glyph, &TdxBarCaptionButton::SetGlyph);
        p.Property(L"Hint", &TdxBarCaptionButton::Hint, &TdxBarCaptionButton::SetHint);
        p.Property(L"KeyTip", &TdxBarCaptionButton::KeyTip, &TdxBarCaptionButton::SetKeyTip);
        p.Event(L"OnClick", &TdxBarCaptionButton::OnClick);
    }

public:
    explicit TdxBarCaptionButton(TCollection* collection);
    ~TdxBarCaptionButton() override;
    void Assign(TPersistent* source) override;

    TdxBarCaptionButtons* Buttons() const;
    // The bar whose caption shows the button (nil outside a bar's collection).
    TdxBar* Bar() const;

    bool Enabled() const { return enabled_; }
    // Also sets the state: normal when enabled, disabled otherwise.
    void SetEnabled(bool value);
    TBitmap* Glyph() const { return glyph_; }
    void SetGlyph(TBitmap* value);
    const String& Hint() const { return hint_; }
    void SetHint(const String& value) { hint_ = value; }
    const String& KeyTip() const { return keyTip_; }
    void SetKeyTip(const String& value) { keyTip_ = value; }

    // Where the window showing the button placed it (window coordinates; empty until then).
    const TRect& Bounds() const { return bounds_; }
    void SetBounds(const TRect& value) { bounds_ = value; }
    int State() const { return state_; }
    // A hot button shows its hint, any other state hides it; the collection hears of the change.
    void SetState(int value);

    // Fires OnClick with the button as sender.
    void Click();

    // The button's helper for keyboard navigation and key tips, made on first request.
    IdxBarAccessibilityHelper* ObtainAccessibilityHelper();
    virtual const TcxAccessibilityHelperMeta* GetAccessHelperClass() const;
    // The helper when one was made (nil otherwise).
    IdxBarAccessibilityHelper* AccessibilityHelperIfAny() const { return accessibilityHelper_.get(); }

    // IdxBarHintSource: the hint while hot, nothing otherwise.
    bool GetHint(bool& hideShown, String& hint, String& shortCut) override;
    bool IsHintSourceEnabled() override { return state_ != dxBarCaptionButtonDisabled; }

    TNotifyEvent OnClick;

private:
    void GlyphChanged(TObject* sender);

    bool enabled_ = true;
    TBitmap* glyph_ = nullptr;
    String hint_;
    String keyTip_;
    TRect bounds_{};
    int state_ = dxBarCaptionButtonNormal;
    IPtr<TdxBarAccessibilityHelper> accessibilityHelper_;
};

class TdxBarCaptionButtons : public TcxOwnedInterfacedCollection {
    Z_CLASS(TdxBarCaptionButtons, TcxOwnedInterfacedCollection)
public:
    // Owned by the bar, whose UpdateCaptionButtons hears every change.
    explicit TdxBarCaptionButtons(TdxBar* bar);
    ~TdxBarCaptionButtons() override;

    TdxBar* Bar() const { return bar_; }
    TdxBarCaptionButton* Add() { return static_cast<TdxBarCaptionButton*>(TCollection::Add()); }
    TdxBarCaptionButton* GetButton(int index) const;
    int ButtonCount() const { return Count(); }

    // The union of the buttons' rectangles that are not empty (empty when none was placed).
    TRect GetButtonsBounds() const;
    // The first enabled button whose rectangle holds the point (window coordinates); -1 when none.
    int ButtonAtPoint(const TPoint& p) const;
    // Each enabled button becomes pressed (pressed true) or hot when the point is on it or it
    // is the one keyboard navigation selected; normal otherwise.
    void UpdateStates(const TPoint& p, bool pressed);

    IdxBarAccessibilityHelper* ObtainAccessibilityHelper();
    virtual const TcxAccessibilityHelperMeta* GetAccessHelperClass() const;

protected:
    void Update(TCollectionItem* item) override;

private:
    TdxBar* bar_ = nullptr;
    IPtr<TdxBarAccessibilityHelper> accessibilityHelper_;
};

// The navigation view of a bar's caption buttons: its children are the buttons.
class TdxBarCaptionButtonsAccessibilityHelper : public TdxBarAccessibilityHelper {
    Z_CLASS(TdxBarCaptionButtonsAccessibilityHelper, TdxBarAccessibilityHelper)
public:
    using TdxBarAccessibilityHelper::TdxBarAccessibilityHelper;
    TdxBarCaptionButtons* Buttons() const { return static_cast<TdxBarCaptionButtons*>(OwnerObject()); }
    TdxBarManager* GetBarManager() override;
    // The buttons take the states the cursor gives them (a selected button stays hot).
    void UpdateCaptionButtonStatesAtCursor();

protected:
    TcxAccessibilityHelper* DoGetChild(Integer index) override;
    Integer DoGetChildCount() override;
    Integer DoGetChildIndex(TcxAccessibilityHelper* child) override;
    HWND DoGetOwnerWindow() override;
    RECT DoGetScreenBounds() override;
};

class TdxBarCaptionButtonAccessibilityHelper : public TdxBarAccessibilityHelper {
    Z_CLASS(TdxBarCaptionButtonAccessibilityHelper, TdxBarAccessibilityHelper)
public:
    using TdxBarAccessibilityHelper::TdxBarAccessibilityHelper;
    TdxBarCaptionButton* Button() const { return static_cast<TdxBarCaptionButton*>(OwnerObject()); }
    TdxBarManager* GetBarManager() override;
    // A selected button is drawn hot: the buttons' states follow the selection.
    void MakeSelected(bool byTab) override;
    void DropSelection(IdxBarAccessibilityHelper* newSelection) override;

protected:
    TcxAccessibilityHelper* DoGetParentHelper() override;
    HWND DoGetOwnerWindow() override;
    RECT DoGetScreenBounds() override;
    bool DoCanNavigateTo() override;
};
