#pragma once
// The background bitmaps of a manager's bars and sub menus. A new bar background restyles the
// bars; the sub-menu background is read when a menu is next drawn.

#include "Bitmap.h"
#include "TypInfo.h"
#include "dxBarForward.h"

class TdxBarBackgrounds : public TPersistent {
    Z_CLASS(TdxBarBackgrounds, TPersistent)
    Z_PUBLISHED {
        p.Property(L"Bar", &TdxBarBackgrounds::Bar, &TdxBarBackgrounds::SetBar);
        p.Property(L"SubMenu", &TdxBarBackgrounds::SubMenu, &TdxBarBackgrounds::SetSubMenu);
    }

public:
    explicit TdxBarBackgrounds(TdxBarManager* manager);
    ~TdxBarBackgrounds() override;

    TBitmap* Bar() const { return bar_; }
    void SetBar(TBitmap* value);
    TBitmap* SubMenu() const { return subMenu_; }
    void SetSubMenu(TBitmap* value) { subMenu_->Assign(value); }
    void Assign(TPersistent* source) override;
    TPersistent* GetOwner() const override;
    // How many times the bars were restyled for a new background.
    int StyleChanges() const { return styleChanges_; }

private:
    void BarChanged(TObject* sender);

    TdxBarManager* manager_;
    TBitmap* bar_;
    TBitmap* subMenu_;
    int styleChanges_ = 0;
};
