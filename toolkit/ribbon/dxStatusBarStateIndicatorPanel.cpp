#include "dxStatusBarStateIndicatorPanel.h"

#include <iterator>

#include "AssignIfChanged.h"
#include "Bitmap.h"
#include "cxGraphics.h"

// Sections: indicators · the style.

// ---- indicators ----------------------------------------------------------------------------

const wchar_t* StateIndicatorBitmapName(TdxStatusBarStateIndicatorType type) {
    static const wchar_t* const names[] = {L"DXSTATUSBAR_GRAY",  L"DXSTATUSBAR_YELLOW", L"DXSTATUSBAR_BLUE",
                                           L"DXSTATUSBAR_GREEN", L"DXSTATUSBAR_RED",    L"DXSTATUSBAR_TEAL",
                                           L"DXSTATUSBAR_PURPLE"};
    return size_t(type) < std::size(names) ? names[type] : L"";
}

TdxStatusBarStateIndicatorItem::TdxStatusBarStateIndicatorItem(TCollection* collection)
    : TCollectionItem(collection), bitmap_(new TBitmap) {
    LoadBitmap();
    Changed(false);
}

TdxStatusBarStateIndicatorItem::~TdxStatusBarStateIndicatorItem() { delete bitmap_; }

void TdxStatusBarStateIndicatorItem::Assign(TPersistent* source) {
    auto* other = As<TdxStatusBarStateIndicatorItem>(source);
    if (!other) {
        TCollectionItem::Assign(source);
        return;
    }
    indicatorType_ = other->indicatorType_;
    visible_ = other->visible_;
    LoadBitmap();
    Changed(false);
}

void TdxStatusBarStateIndicatorItem::SetIndicatorType(TdxStatusBarStateIndicatorType value) {
    if (!AssignIfChanged(indicatorType_, value)) return;
    LoadBitmap();
    Changed(false);
}

void TdxStatusBarStateIndicatorItem::SetVisible(bool value) {
    if (AssignIfChanged(visible_, value)) Changed(false);
}

// The lamp's corners are transparent: the bottom-left pixel names their colour.
void TdxStatusBarStateIndicatorItem::LoadBitmap() {
    try {
        bitmap_->LoadFromResourceName(GetModuleHandleW(nullptr), StateIndicatorBitmapName(indicatorType_));
        bitmap_->SetTransparent(true);
    } catch (const Exception&) {
        bitmap_->SetSize(0, 0);
    }
}

TdxStatusBarStateIndicators::TdxStatusBarStateIndicators(TdxStatusBarStateIndicatorPanelStyle* style)
    : TOwnedCollection(style, TdxStatusBarStateIndicatorItem::StaticClass()), style_(style) {}

void TdxStatusBarStateIndicators::Update(TCollectionItem*) { style_->Changed(); }

// ---- the style -----------------------------------------------------------------------------

TdxStatusBarStateIndicatorPanelStyle::TdxStatusBarStateIndicatorPanelStyle(TdxStatusBarPanel* owner)
    : TdxStatusBarPanelStyle(owner), indicators_(new TdxStatusBarStateIndicators(this)) {}

// A collection that goes tells nobody of its items going: the panel hears nothing.
TdxStatusBarStateIndicatorPanelStyle::~TdxStatusBarStateIndicatorPanelStyle() { delete indicators_; }

void TdxStatusBarStateIndicatorPanelStyle::SetSpacing(int value) {
    if (AssignIfChanged(spacing_, value)) Changed();
}

TBitmap* TdxStatusBarStateIndicatorPanelStyle::ShownLamp(int index) const {
    // An item still being made is not an indicator yet: the collection tells of it early.
    auto* item = As<TdxStatusBarStateIndicatorItem>(indicators_->TCollection::Items(index));
    return item && item->Visible() && !item->Bitmap()->Empty() ? item->Bitmap() : nullptr;
}

int TdxStatusBarStateIndicatorPanelStyle::GetMinWidth() {
    if (indicators_->Count() == 0) return 20;
    int width = spacing_;
    for (int i = 0; i < indicators_->Count(); ++i)
        if (TBitmap* lamp = ShownLamp(i)) width += lamp->Width() + spacing_;
    return width;
}

void TdxStatusBarStateIndicatorPanelStyle::DrawContent(TcxCanvas* canvas, const TRect& r,
                                                       TdxStatusBarPainterClass painter) {
    TdxStatusBarPanelStyle::DrawContent(canvas, r, painter);
    int x = r.left + spacing_;
    for (int i = 0; i < indicators_->Count(); ++i) {
        TBitmap* lamp = ShownLamp(i);
        if (!lamp) continue;
        canvas->DrawGraphicAt(x, (r.top + r.bottom) / 2 - lamp->Height() / 2, lamp);
        x += lamp->Width() + spacing_;
    }
}

void TdxStatusBarStateIndicatorPanelStyle::DoAssign(TdxStatusBarPanelStyle* source) {
    TdxStatusBarPanelStyle::DoAssign(source);
    if (auto* other = As<TdxStatusBarStateIndicatorPanelStyle>(source)) {
        spacing_ = other->spacing_;
        indicators_->Assign(other->indicators_);
    }
}

void TdxStatusBarStateIndicatorPanelStyle::RestoreDefaults() {
    spacing_ = 4;
    TdxStatusBarPanelStyle::RestoreDefaults();
}
