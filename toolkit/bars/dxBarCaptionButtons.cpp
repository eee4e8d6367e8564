#include "dxBarCaptionButtons.h"

#include "Bitmap.h"
#include "dxBar.h"
#include "dxBarControl.h"
#include "dxBarManager.h"
#include "dxBarNavigationController.h"

// Sections: the button · the collection · navigation helpers.

// ---- The button ---------------------------------------------------------------------------

TdxBarCaptionButton::TdxBarCaptionButton(TCollection* collection) : TcxInterfacedCollectionItem(collection) {
    glyph_ = new TBitmap;
    glyph_->OnChange = MakeEvent(this, &TdxBarCaptionButton::GlyphChanged);
}

TdxBarCaptionButton::~TdxBarCaptionButton() {
    // The window's hint may still point at the button.
    if (TdxBar* bar = Bar())
        if (TdxBarManager* manager = bar->BarManager())
            if (manager->HintObject() == this) manager->HideItemHint();
    ReleaseAccessibilityHelper(accessibilityHelper_);
    delete glyph_;
}

void TdxBarCaptionButton::Assign(TPersistent* source) {
    auto* button = As<TdxBarCaptionButton>(source);
    if (!button) {
        TcxInterfacedCollectionItem::Assign(source);
        return;
    }
    SetEnabled(button->enabled_);
    glyph_->Assign(button->glyph_);
    hint_ = button->hint_;
    keyTip_ = button->keyTip_;
    bounds_ = button->bounds_;
    OnClick = button->OnClick;
}

TdxBarCaptionButtons* TdxBarCaptionButton::Buttons() const { return As<TdxBarCaptionButtons>(Collection()); }

TdxBar* TdxBarCaptionButton::Bar() const {
    TdxBarCaptionButtons* buttons = Buttons();
    return buttons ? buttons->Bar() : nullptr;
}

void TdxBarCaptionButton::SetEnabled(bool value) {
    enabled_ = value;
    SetState(value ? dxBarCaptionButtonNormal : dxBarCaptionButtonDisabled);
}

void TdxBarCaptionButton::SetGlyph(TBitmap* value) { glyph_->Assign(value); }

void TdxBarCaptionButton::GlyphChanged(TObject*) { Changed(false); }

void TdxBarCaptionButton::SetState(int value) {
    if (state_ == value) return;
    state_ = value;
    TdxBar* bar = Bar();
    if (bar && bar->BarControl())
        if (TdxBarManager* manager = bar->BarManager())
            manager->ShowItemHint(value == dxBarCaptionButtonHot, String(), this);
    Changed(false);
}

void TdxBarCaptionButton::Click() {
    if (OnClick) OnClick(this);
}

bool TdxBarCaptionButton::GetHint(bool& hideShown, String& hint, String& shortCut) {
    hideShown = false;
    shortCut.clear();
    if (state_ != dxBarCaptionButtonHot) {
        hint.clear();
        return false;
    }
    hint = hint_;
    return true;
}

IdxBarAccessibilityHelper* TdxBarCaptionButton::ObtainAccessibilityHelper() {
    if (!accessibilityHelper_)
        accessibilityHelper_ = dynamic_cast<TdxBarAccessibilityHelper*>(GetAccessHelperClass()->CreateHelper(this));
    return accessibilityHelper_.get();
}

const TcxAccessibilityHelperMeta* TdxBarCaptionButton::GetAccessHelperClass() const {
    return TdxBarCaptionButtonAccessibilityHelper::StaticClass();
}

// ---- The collection -----------------------------------------------------------------------

TdxBarCaptionButtons::TdxBarCaptionButtons(TdxBar* bar)
    : TcxOwnedInterfacedCollection(bar, TdxBarCaptionButton::StaticClass()), bar_(bar) {}

TdxBarCaptionButtons::~TdxBarCaptionButtons() {
    Clear();
    ReleaseAccessibilityHelper(accessibilityHelper_);
}

TdxBarCaptionButton* TdxBarCaptionButtons::GetButton(int index) const {
    return static_cast<TdxBarCaptionButton*>(Items(index));
}

TRect TdxBarCaptionButtons::GetButtonsBounds() const {
    TRect bounds{};
    for (int i = 0; i < Count(); ++i) {
        const TRect& r = GetButton(i)->Bounds();
        if (IsRectEmpty(&r)) continue;
        if (IsRectEmpty(&bounds))
            bounds = r;
        else
            UnionRect(&bounds, &bounds, &r);
    }
    return bounds;
}

int TdxBarCaptionButtons::ButtonAtPoint(const TPoint& p) const {
    for (int i = 0; i < Count(); ++i) {
        TdxBarCaptionButton* button = GetButton(i);
        const TRect& r = button->Bounds();
        if (button->Enabled() && PtInRect(&r, p)) return i;
    }
    return -1;
}

void TdxBarCaptionButtons::UpdateStates(const TPoint& p, bool pressed) {
    for (int i = 0; i < Count(); ++i) {
        TdxBarCaptionButton* button = GetButton(i);
        if (!button->Enabled()) continue;
        const TRect& r = button->Bounds();
        // Asking for the helper here would make one for every button: only an existing one
        // can be selected.
        IdxBarAccessibilityHelper* helper = button->AccessibilityHelperIfAny();
        const bool selected = helper && helper->IsNavigationSelected();
        if (!PtInRect(&r, p) && !selected)
            button->SetState(dxBarCaptionButtonNormal);
        else
            button->SetState(pressed ? dxBarCaptionButtonPressed : dxBarCaptionButtonHot);
    }
}

IdxBarAccessibilityHelper* TdxBarCaptionButtons::ObtainAccessibilityHelper() {
    if (!accessibilityHelper_)
        accessibilityHelper_ = dynamic_cast<TdxBarAccessibilityHelper*>(GetAccessHelperClass()->CreateHelper(this));
    return accessibilityHelper_.get();
}

const TcxAccessibilityHelperMeta* TdxBarCaptionButtons::GetAccessHelperClass() const {
    return TdxBarCaptionButtonsAccessibilityHelper::StaticClass();
}

void TdxBarCaptionButtons::Update(TCollectionItem* item) {
    TcxOwnedInterfacedCollection::Update(item);
    if (!IsDestroying() && bar_) bar_->UpdateCaptionButtons();
}

// ---- Navigation helpers -------------------------------------------------------------------

namespace {

HWND BarWindowHandle(TdxBar* bar) {
    TdxBarControl* window = bar ? bar->BarControl() : nullptr;
    return window && window->HandleAllocated() ? window->Handle() : nullptr;
}

RECT OffsetByWindowOrigin(TRect r, HWND window) {
    if (!window || IsRectEmpty(&r)) return RECT{};
    RECT w;
    GetWindowRect(window, &w);
    OffsetRect(&r, w.left, w.top);
    return r;
}

}  // namespace

TdxBarManager* TdxBarCaptionButtonsAccessibilityHelper::GetBarManager() {
    TdxBar* bar = Buttons()->Bar();
    return bar ? bar->BarManager() : nullptr;
}

void TdxBarCaptionButtonsAccessibilityHelper::UpdateCaptionButtonStatesAtCursor() {
    if (!IsOwnerObjectLive()) return;
    HWND window = BarWindowHandle(Buttons()->Bar());
    if (!window) return;
    POINT p{};
    GetCursorPos(&p);
    RECT w;
    GetWindowRect(window, &w);
    Buttons()->UpdateStates(TPoint{p.x - w.left, p.y - w.top}, false);
}

TcxAccessibilityHelper* TdxBarCaptionButtonsAccessibilityHelper::DoGetChild(Integer index) {
    return Buttons()->GetButton(index)->ObtainAccessibilityHelper()->GetHelper();
}

Integer TdxBarCaptionButtonsAccessibilityHelper::DoGetChildCount() { return Buttons()->Count(); }

Integer TdxBarCaptionButtonsAccessibilityHelper::DoGetChildIndex(TcxAccessibilityHelper* child) {
    auto* helper = dynamic_cast<TdxBarCaptionButtonAccessibilityHelper*>(child);
    return helper && helper->IsOwnerObjectLive() && helper->Button()->Buttons() == Buttons() ? helper->Button()->Index()
                                                                                            : -1;
}

HWND TdxBarCaptionButtonsAccessibilityHelper::DoGetOwnerWindow() { return BarWindowHandle(Buttons()->Bar()); }

RECT TdxBarCaptionButtonsAccessibilityHelper::DoGetScreenBounds() {
    return OffsetByWindowOrigin(Buttons()->GetButtonsBounds(), DoGetOwnerWindow());
}

TdxBarManager* TdxBarCaptionButtonAccessibilityHelper::GetBarManager() {
    TdxBar* bar = Button()->Bar();
    return bar ? bar->BarManager() : nullptr;
}

void TdxBarCaptionButtonAccessibilityHelper::MakeSelected(bool byTab) {
    TdxBarAccessibilityHelper::MakeSelected(byTab);
    if (auto* parent = dynamic_cast<TdxBarCaptionButtonsAccessibilityHelper*>(GetParentHelper()))
        parent->UpdateCaptionButtonStatesAtCursor();
}

void TdxBarCaptionButtonAccessibilityHelper::DropSelection(IdxBarAccessibilityHelper* newSelection) {
    TdxBarAccessibilityHelper::DropSelection(newSelection);
    if (auto* parent = dynamic_cast<TdxBarCaptionButtonsAccessibilityHelper*>(GetParentHelper()))
        parent->UpdateCaptionButtonStatesAtCursor();
}

TcxAccessibilityHelper* TdxBarCaptionButtonAccessibilityHelper::DoGetParentHelper() {
    TdxBarCaptionButtons* buttons = Button()->Buttons();
    return buttons ? buttons->ObtainAccessibilityHelper()->GetHelper() : nullptr;
}

HWND TdxBarCaptionButtonAccessibilityHelper::DoGetOwnerWindow() { return BarWindowHandle(Button()->Bar()); }

RECT TdxBarCaptionButtonAccessibilityHelper::DoGetScreenBounds() {
    return OffsetByWindowOrigin(Button()->Bounds(), DoGetOwnerWindow());
}

bool TdxBarCaptionButtonAccessibilityHelper::DoCanNavigateTo() {
    const TRect& r = Button()->Bounds();
    return Button()->Enabled() && !IsRectEmpty(&r) && DoGetOwnerWindow() && IsWindowVisible(DoGetOwnerWindow());
}
