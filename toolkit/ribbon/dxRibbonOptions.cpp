#include "dxRibbonOptions.h"

#include <cstddef>

#include "cxImageStates.h"
#include "dxBarAccessibility.h"
#include "dxBarManager.h"
#include "dxRibbonAccessibility.h"
#include "dxRibbon.h"
#include "dxRibbonDockControls.h"

namespace {

bool IsDestroying(const TComponent* c) { return c->ComponentState().Contains(csDestroying); }

}  // namespace

// ---- the quick access toolbar --------------------------------------------------------------

TdxRibbonQuickAccessToolbar::TdxRibbonQuickAccessToolbar(TdxCustomRibbon* ribbon) : ribbon_(ribbon) {
    dockControl_ = new TdxRibbonQuickAccessDockControl(ribbon);
}

TdxRibbonQuickAccessToolbar::~TdxRibbonQuickAccessToolbar() { delete dockControl_; }

TPersistent* TdxRibbonQuickAccessToolbar::GetOwner() const { return ribbon_; }

void TdxRibbonQuickAccessToolbar::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TdxRibbonQuickAccessToolbar*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    TdxRibbonUpdateLock update(ribbon_);
    SetPosition(other->Position());
    SetToolbar(other->Toolbar());
    SetVisible(other->Visible());
}

void TdxRibbonQuickAccessToolbar::SetPosition(TdxQuickAccessToolbarPosition value) {
    if (position_ == value) return;
    position_ = value;
    Changed();
}

void TdxRibbonQuickAccessToolbar::SetVisible(bool value) {
    if (visible_ == value) return;
    visible_ = value;
    dockControl_->SetVisible(visible_ && toolbar_);
    Changed();
}

void TdxRibbonQuickAccessToolbar::SetToolbar(TdxBar* value) {
    if (toolbar_ == value) return;
    ribbon_->BeginUpdate();
    try {
        if (toolbar_ && !IsDestroying(toolbar_)) {
            toolbar_->RemoveFreeNotification(ribbon_);
            UndockBar(toolbar_);
        }
        toolbar_ = value;
        if (value) {
            // The toolbar cannot be a group at the same time: its groups go.
            TdxRibbonTabCollection* tabs = ribbon_->Tabs();
            for (int i = 0; i < tabs->Count(); ++i) {
                TdxRibbonTabGroups* groups = tabs->Items(i)->Groups();
                for (int j = groups->Count() - 1; j >= 0; --j)
                    if (groups->Items(j)->ToolBar() == value) groups->Items(j)->SetToolBar(nullptr);
            }
            value->FreeNotification(ribbon_);
            MoveBarToDockControl(value, dockControl_);
        } else {
            dockControl_->SetVisible(false);
        }
    } catch (...) {
        ribbon_->EndUpdateNoRecalc();
        throw;
    }
    ribbon_->EndUpdateNoRecalc();
    Changed();
}

void TdxRibbonQuickAccessToolbar::Changed() {
    if (IsDestroying(ribbon_)) return;
    const bool redraw = ribbon_->HandleAllocated();
    if (redraw) SendMessageW(ribbon_->Handle(), WM_SETREDRAW, 0, 0);
    try {
        ribbon_->Changed();
    } catch (...) {
        if (redraw) SendMessageW(ribbon_->Handle(), WM_SETREDRAW, 1, 0);
        ribbon_->FullInvalidate();
        throw;
    }
    if (redraw) SendMessageW(ribbon_->Handle(), WM_SETREDRAW, 1, 0);
    ribbon_->FullInvalidate();
}

void TdxRibbonQuickAccessToolbar::UpdateDockControl() {
    if (visible_ && dockControl_->Visible()) dockControl_->Recalculate();
}

// ---- the application button ----------------------------------------------------------------

TdxRibbonApplicationButton::TdxRibbonApplicationButton(TdxCustomRibbon* ribbon) : ribbon_(ribbon) {
    glyph_ = new TBitmap();
    glyph_->OnChange = MakeEvent(this, &TdxRibbonApplicationButton::GlyphChanged);
}

TdxRibbonApplicationButton::~TdxRibbonApplicationButton() {
    ReleaseAccessibilityHelper(accessibilityHelper_);
    delete glyph_;
}

IdxBarAccessibilityHelper* TdxRibbonApplicationButton::ObtainAccessibilityHelper() {
    if (ribbon_->ComponentState().Contains(csDestroying)) return nullptr;
    if (!accessibilityHelper_) accessibilityHelper_ = new TdxRibbonApplicationButtonAccessibilityHelper(this);
    return accessibilityHelper_.get();
}

TPersistent* TdxRibbonApplicationButton::GetOwner() const { return ribbon_; }

void TdxRibbonApplicationButton::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TdxRibbonApplicationButton*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    TdxRibbonUpdateLock update(ribbon_);
    SetGlyph(other->Glyph());
    SetKeyTip(other->KeyTip());
    SetStretchGlyph(other->StretchGlyph());
    SetVisible(other->Visible());
}

void TdxRibbonApplicationButton::SetGlyph(TBitmap* value) {
    assigningGlyph_ = true;
    try {
        if (value && !value->Empty() && value->PixelFormat() != pf32bit)
            GlyphToAlphaBitmap(value, glyph_);
        else
            glyph_->Assign(value);
    } catch (...) {
        assigningGlyph_ = false;
        throw;
    }
    assigningGlyph_ = false;
    Changed();
}

void TdxRibbonApplicationButton::GlyphChanged(TObject*) {
    if (!assigningGlyph_) Changed();
}

void TdxRibbonApplicationButton::SetStretchGlyph(bool value) {
    if (stretchGlyph_ == value) return;
    stretchGlyph_ = value;
    Changed();
}

void TdxRibbonApplicationButton::SetVisible(bool value) {
    if (visible_ == value) return;
    visible_ = value;
    Changed();
}

void TdxRibbonApplicationButton::Changed() {
    ribbon_->Changed();
    ribbon_->FullInvalidate();
}

// ---- fonts ---------------------------------------------------------------------------------

TdxRibbonFonts::TdxRibbonFonts(TdxCustomRibbon* ribbon) : ribbon_(ribbon) {
    captionFont_ = new TFont();
    workFont_ = new TFont();
    for (TFont*& font : fonts_) {
        font = new TFont();
        font->OnChange = MakeEvent(this, &TdxRibbonFonts::FontChanged);
    }
}

TdxRibbonFonts::~TdxRibbonFonts() {
    for (TFont* font : fonts_) delete font;
    delete workFont_;
    delete captionFont_;
}

TPersistent* TdxRibbonFonts::GetOwner() const { return ribbon_; }

void TdxRibbonFonts::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TdxRibbonFonts*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    TdxRibbonUpdateLock update(ribbon_);
    SetDocumentNameColor(other->DocumentNameColor());
    for (int i = 0; i < 3; ++i) fonts_[i]->Assign(other->fonts_[i]);
    SetAssignedFonts(other->AssignedFonts());
}

void TdxRibbonFonts::SetAssignedFonts(TdxRibbonAssignedFonts value) {
    if (assignedFonts_ == value) return;
    assignedFonts_ = value;
    UpdateFonts();
    ApplyFontChange();
}

void TdxRibbonFonts::SetDocumentNameColor(TColor value) {
    if (documentNameColor_ == value) return;
    documentNameColor_ = value;
    ribbon_->Invalidate();
}

void TdxRibbonFonts::UpdateFonts() {
    // The wide structure without the padded border width: the size every system version takes.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        captionFont_->SetHandle(CreateFontIndirectW(&metrics.lfCaptionFont));
    locked_ = true;
    try {
        for (int i = 0; i < 3; ++i) {
            auto index = TdxRibbonAssignedFont(i);
            if (assignedFonts_.Contains(index)) continue;
            fonts_[i]->Assign(ribbon_->Font());
            UpdateDefaultFont(index);
        }
    } catch (...) {
        locked_ = false;
        throw;
    }
    locked_ = false;
}

void TdxRibbonFonts::UpdateDefaultFont(TdxRibbonAssignedFont index) {
    if (!ribbon_->HasBarManager()) return;
    TFont* font = fonts_[index];
    font->Assign(ribbon_->BarManager()->Font());
    TdxCustomRibbonSkin* scheme = ribbon_->ColorScheme();
    if (!scheme) return;
    if (index == afGroup) font->SetColor(scheme->PartColor(10133, 0));
    if (index == afGroupHeader) font->SetColor(scheme->PartColor(10134, 0));
}

void TdxRibbonFonts::FontChanged(TObject* sender) {
    if (locked_ || ribbon_->ComponentState().Contains(csLoading)) return;
    for (int i = 0; i < 3; ++i)
        if (fonts_[i] == sender) assignedFonts_.Include(TdxRibbonAssignedFont(i));
    ApplyFontChange();
}

void TdxRibbonFonts::ApplyFontChange() {
    {
        TdxRibbonUpdateLock update(ribbon_);
        // Hook (group bar windows): every tab rebuilds its group bar controls.
    }
    Changed();
}

void TdxRibbonFonts::Changed() {
    if (ribbon_->ActiveTab() && ribbon_->Visible()) ribbon_->ActiveTab()->RecalculateGroups();
}

TColor TdxRibbonFonts::GetFormCaptionTextColor(bool isActive) {
    TdxCustomRibbonSkin* scheme = ribbon_->ColorScheme();
    return scheme ? scheme->PartColor(10130, isActive ? 0 : 1) : clCaptionText;
}

TFont* TdxRibbonFonts::GetFormCaptionFont(bool isActive) {
    workFont_->Assign(captionFont_);
    workFont_->SetColor(GetFormCaptionTextColor(isActive));
    if (TdxCustomRibbonSkin* scheme = ribbon_->ColorScheme())
        workFont_->SetSize(scheme->GetCaptionFontSize(workFont_->Size()));
    return workFont_;
}

TFont* TdxRibbonFonts::GetGroupFont() {
    workFont_->Assign(fonts_[afGroup]);
    return workFont_;
}

TFont* TdxRibbonFonts::GetGroupHeaderFont() {
    workFont_->Assign(fonts_[afGroupHeader]);
    if (TdxCustomRibbonSkin* scheme = ribbon_->ColorScheme()) workFont_->SetColor(scheme->PartColor(10134, 0));
    return workFont_;
}

TFont* TdxRibbonFonts::GetTabHeaderFont(int state) {
    workFont_->Assign(fonts_[afTabHeader]);
    if (TdxCustomRibbonSkin* scheme = ribbon_->ColorScheme()) workFont_->SetColor(scheme->PartColor(10132, state));
    return workFont_;
}
