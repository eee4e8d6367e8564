#include "dxRibbonQuickAccessGroupButton.h"

#include <algorithm>

#include "Bitmap.h"
#include "dxBar.h"
#include "dxBarItemControlDrawParams.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxRibbon.h"
#include "dxRibbonDockControls.h"
#include "dxRibbonQuickAccess.h"

namespace {

bool GroupButtonIsDestroying(const TComponent* c) { return c && c->ComponentState().Contains(csDestroying); }

}  // namespace

bool CanPlaceGroupButton(TdxRibbonQuickAccessGroupButton* button, TdxBar* bar) {
    TdxBarManager* manager = button->BarManager();
    if ((manager && manager->IsLoadingState()) || !bar || button->GetLinkCount() == 0) return true;
    TdxBarItemLinks* links = button->GetLink(0)->GetLinks();
    auto* holder = links && links->LinksOwner() ? As<TdxBar>(links->LinksOwner()->GetOwnerObject()) : nullptr;
    auto* dock = As<TdxRibbonGroupsDockControl>(bar->DockControl());
    if (!dock || !holder || bar->BarManager() != holder->BarManager()) return false;
    TdxBarItemLinks* shown = holder->BarControl() ? holder->BarControl()->ItemLinks() : holder->ItemLinks();
    for (int i = 0; shown && i < shown->Count(); ++i) {
        auto* other = As<TdxRibbonQuickAccessGroupButton>(shown->GetLink(i)->Item());
        if (other && other != button && other->Toolbar() == bar) return false;
    }
    return true;
}

TdxRibbonQuickAccessGroupButton::~TdxRibbonQuickAccessGroupButton() {
    if (toolbar_ && !GroupButtonIsDestroying(toolbar_)) toolbar_->RemoveFreeNotification(this);
}

String TdxRibbonQuickAccessGroupButton::GetCaption() const { return toolbar_ ? toolbar_->Caption() : L"GroupButton"; }

void TdxRibbonQuickAccessGroupButton::SetToolbar(TdxBar* value) {
    if (value == toolbar_ || !CanPlaceGroupButton(this, value)) return;
    if (toolbar_) toolbar_->RemoveFreeNotification(this);
    toolbar_ = value;
    if (toolbar_) toolbar_->FreeNotification(this);
    InvalidateLinkControls();
}

void TdxRibbonQuickAccessGroupButton::Notification(TComponent* component, TOperation operation) {
    TdxBarItem::Notification(component, operation);
    if (operation == opRemove && component == toolbar_) {
        toolbar_ = nullptr;
        InvalidateLinkControls();
    }
}

bool TdxRibbonQuickAccessGroupButton::CanPlaceOn(Byte kind, TdxBar* bar, String& errorText) {
    errorText.clear();
    TdxBarManager* manager = BarManager();
    if (manager && manager->IsLoadingState()) return true;
    TClass barControlClass = nullptr;
    if (bar)
        if (TdxDockControl* dock = bar->GetEffectiveDockControl()) barControlClass = dock->GetDockedBarControlClass();
    if (kind == dxBarPlaceInMenu || !barControlClass ||
        !barControlClass->InheritsFrom(TdxRibbonQuickAccessBarControl::StaticClass())) {
        errorText = L"You can place TdxRibbonQuickAccessGroupButton only on TdxRibbonQuickAccessToolbar";
        return false;
    }
    if (toolbar_) {
        auto* dock = As<TdxRibbonGroupsDockControl>(toolbar_->DockControl());
        if (!dock || toolbar_->BarManager() != bar->BarManager()) {
            errorText = L"Quick Access Group Button's Toolbar is not docked in the Ribbon";
            return false;
        }
        TdxBarItemLinks* links = bar->ItemLinks();
        for (int i = 0; links && i < links->Count(); ++i) {
            auto* other = As<TdxRibbonQuickAccessGroupButton>(links->GetLink(i)->Item());
            if (other && other != this && other->Toolbar() == toolbar_) {
                errorText = L"The Quick Access Toolbar already contains GroupButton with the same toolbar";
                return false;
            }
        }
    }
    return true;
}

TdxRibbonQuickAccessGroupButton* TdxRibbonQuickAccessGroupButtonControl::GroupButton() const {
    return As<TdxRibbonQuickAccessGroupButton>(Item());
}

bool TdxRibbonQuickAccessGroupButtonControl::IsEnabled() const {
    TdxRibbonQuickAccessGroupButton* button = GroupButton();
    if (!button) return false;
    TdxBarManager* manager = button->BarManager();
    const bool designed = manager && manager->IsBarManagerDesigning();
    return TdxBarButtonLikeControl::IsEnabled() && (designed || button->Toolbar());
}

String TdxRibbonQuickAccessGroupButtonControl::GetItemHint() const {
    return Link() ? Link()->GetEffectiveCaption() : String();
}

bool TdxRibbonQuickAccessGroupButtonControl::CanOpenDropDown() const {
    TdxRibbonQuickAccessGroupButton* button = GroupButton();
    TdxBarManager* manager = button ? button->BarManager() : nullptr;
    if (manager && manager->IsBarManagerDesigning()) return false;
    return button && button->Toolbar() && TdxBarButtonLikeControl::CanOpenDropDown();
}

bool TdxRibbonQuickAccessGroupButtonControl::GetImageInfo(int, TBitmap*& glyph, TCustomImageList*& images,
                                                         int& index) const {
    // A ribbon group's toolbar carries no glyph of its own: the toolbar's blank glyph shows.
    images = nullptr;
    index = -1;
    auto* window = As<TdxRibbonQuickAccessBarControl>(BarControl());
    glyph = window ? window->GetDefaultGlyph() : nullptr;
    return glyph && !glyph->Empty();
}

int TdxRibbonQuickAccessGroupButtonControl::CalcWidth() {
    TdxCustomRibbon* ribbon = nullptr;
    if (auto* window = As<TdxRibbonQuickAccessBarControl>(BarControl())) ribbon = window->GetRibbon();
    TRect insets{};
    if (ribbon) ribbon->GetSkinPartContentOffsets(TdxRibbonQuickAccessPainter::PartGroupButton, insets);
    return TdxRibbonBarPainter::SmallGlyphSize + insets.left + insets.right + 6;
}

void TdxRibbonQuickAccessGroupButtonControl::DrawContent(const TRect& r, Byte) {
    auto* window = As<TdxRibbonQuickAccessBarControl>(BarControl());
    TdxRibbonQuickAccessPainter* painter = window ? window->QuickAccessPainter() : nullptr;
    TdxBarItemControlDrawParams* params = DrawParams();
    TcxCanvas* canvas = PaintCanvas() ? PaintCanvas() : params ? params->canvas : nullptr;
    if (!painter || !params || !canvas) return;
    const int state = TdxRibbonQuickAccessPainter::ButtonPartState(
        IsEnabled(), params->pressed || IsDroppedDown(), params->drawSelected);
    TBitmap* glyph = nullptr;
    TCustomImageList* images = nullptr;
    int index = -1;
    GetImageInfo(0, glyph, images, index);
    painter->DrawGroupButton(canvas->GetCanvasHandle(), r, state, glyph);
}

