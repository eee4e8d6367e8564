#include "dxBarBackgrounds.h"

#include "dxBarManager.h"

TdxBarBackgrounds::TdxBarBackgrounds(TdxBarManager* manager) : manager_(manager) {
    bar_ = new TBitmap;
    bar_->OnChange = MakeEvent(this, &TdxBarBackgrounds::BarChanged);
    subMenu_ = new TBitmap;
}

TdxBarBackgrounds::~TdxBarBackgrounds() {
    FreeAndNil(subMenu_);
    FreeAndNil(bar_);
}

TPersistent* TdxBarBackgrounds::GetOwner() const { return manager_; }

void TdxBarBackgrounds::BarChanged(TObject* sender) {
    (void)sender;
    ++styleChanges_;
    // Hook (painters): the manager's StyleChanged rebuilds the painter and refreshes the bars.
}

void TdxBarBackgrounds::SetBar(TBitmap* value) {
    bool wasEmpty = bar_->Empty();
    bar_->Assign(value);
    if (value || !wasEmpty) BarChanged(bar_);
}

void TdxBarBackgrounds::Assign(TPersistent* source) {
    auto* backgrounds = As<TdxBarBackgrounds>(source);
    if (!backgrounds) {
        TPersistent::Assign(source);
        return;
    }
    SetBar(backgrounds->Bar());
    SetSubMenu(backgrounds->SubMenu());
}
