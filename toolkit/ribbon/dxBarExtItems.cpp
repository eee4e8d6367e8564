#include "dxBarExtItems.h"

#include <algorithm>

#include "AssignIfChanged.h"
#include "Bitmap.h"
#include "Filer.h"
#include "dxBarItemControlViewInfo.h"
#include "dxBarColorCombo.h"
#include "dxBarControlContainerItem.h"
#include "dxBarDateCombo.h"
#include "dxBarExtItemsShared.h"
#include "dxBarFontNameCombo.h"
#include "dxBarMRUListItem.h"
#include "dxBarProgressItem.h"
#include "dxBarStatic.h"
#include "dxBarSubItemControl.h"
#include "dxBarSpinEdit.h"
#include "cxDateUtils.h"
#include "dxBarUnit.h"
#include "dxCustomBarControl.h"

// ---- TdxBarLargeButton --------------------------------------------------------------------

TdxBarLargeButton::TdxBarLargeButton(TComponent* owner) : TdxBarButton(owner) {
    SetShowCaption(true);
}

void TdxBarLargeButton::SetAutoGrayScale(bool value) {
    if (AssignIfChanged(autoGrayScale_, value)) InvalidateLinkControls();
}

void TdxBarLargeButton::SetHeight(int value) {
    if (value < 0) return;
    if (AssignIfChanged(height_, value) && !IsLoading()) RecalcLinkBars({bckToolbar, bckQuickCustomization, bckSubMenu});
}

void TdxBarLargeButton::SetHotImageIndex(int value) {
    if (AssignIfChanged(hotImageIndex_, value)) HotGlyphChanged();
}

void TdxBarLargeButton::SetImageIndex(int value) {
    if (Loading()) imageIndexLoaded_ = true;
    TdxBarButton::SetImageIndex(value);
    if (synchronising_) return;
    if (IsLoading() && LargeImageIndex() == -1 && (syncImageIndex_ || !syncImageIndexLoaded_)) {
        synchronising_ = true;
        try {
            TdxBarButton::SetLargeImageIndex(ImageIndex());
        } catch (...) {
            synchronising_ = false;
            throw;
        }
        synchronising_ = false;
    } else if (!syncImageIndexLoaded_) {
        // An explicit small image ends the synchronisation.
        syncImageIndex_ = false;
    }
}

void TdxBarLargeButton::SetLargeImageIndex(int value) {
    if (Loading()) largeImageIndexLoaded_ = true;
    TdxBarButton::SetLargeImageIndex(value);
}

void TdxBarLargeButton::LargeGlyphChanged() {
    if (!synchronising_ && syncImageIndex_) {
        if (IsLoading() && imageIndexLoaded_) {
            syncImageIndex_ = LargeImageIndex() == ImageIndex();
        } else {
            synchronising_ = true;
            try {
                TdxBarButton::SetImageIndex(LargeImageIndex());
            } catch (...) {
                synchronising_ = false;
                throw;
            }
            synchronising_ = false;
        }
    }
    TdxBarButton::LargeGlyphChanged();
}

void TdxBarLargeButton::SetSyncImageIndex(bool value) {
    if (Loading()) syncImageIndexLoaded_ = true;
    if (!AssignIfChanged(syncImageIndex_, value)) return;
    if (value) LargeGlyphChanged();
}

void TdxBarLargeButton::Loaded() {
    TdxBarButton::Loaded();
    imageIndexLoaded_ = largeImageIndexLoaded_ = syncImageIndexLoaded_ = false;
}

void TdxBarLargeButton::DefineProperties(TFiler* filer) {
    TdxBarButton::DefineProperties(filer);
    filer->DefineProperty(
        L"ImageIndex", [this](TReader* reader) { SetImageIndex(reader->ReadInteger()); },
        [this](TWriter* writer) { writer->WriteInteger(ImageIndex()); }, !syncImageIndex_);
}

Word TdxBarLargeButton::GetSupportedActions() {
    // No paint-style commands: a large button always shows its glyph and caption as laid out.
    return Word(TdxBarButton::GetSupportedActions() & ~0x0020);
}

void TdxBarLargeButton::WidthChanged() { RecalcLinkBars({bckToolbar, bckQuickCustomization, bckSubMenu}); }

// ---- TdxBarLargeButtonControl -------------------------------------------------------------

TdxBarLargeButton* TdxBarLargeButtonControl::LargeButton() const { return As<TdxBarLargeButton>(Item()); }

bool TdxBarLargeButtonControl::InSubMenu() const { return GetPaintKind() == 1; }

TdxBarItemViewLevels TdxBarLargeButtonControl::GetPossibleViewLevels() const {
    TdxBarItemViewLevels levels = TdxBarButtonControl::GetPossibleViewLevels();
    if (!InSubMenu()) levels.Include(ivlLargeIconWithText);
    return levels;
}

Byte TdxBarLargeButtonControl::GetDisplaySize() const {
    return InSubMenu() ? TdxBarButtonControl::GetDisplaySize() : 2;
}

Byte TdxBarLargeButtonControl::GetViewStructure() const {
    if (InSubMenu()) return TdxBarButtonControl::GetViewStructure();
    TdxBarLargeButton* button = LargeButton();
    return !button || button->ShowCaption() ? 3 : 1;
}

int TdxBarLargeButtonControl::CalcRowHeight() {
    TdxBarLargeButton* button = LargeButton();
    if (button && button->Height() != 0 && !InSubMenu()) return button->Height();
    return TdxBarButtonControl::CalcRowHeight();
}

int TdxBarLargeButtonControl::CalcWidth() {
    TdxBarLargeButton* button = LargeButton();
    if (!button) return TdxBarButtonControl::CalcWidth();
    if (button->GetWidth() != 0 && !InSubMenu()) return button->GetWidth();
    const Byte style = GetViewLevelStyle();
    const int caption = style & 2 ? int(MeasureText(button->GetCaption()).cx) : 0;
    if (GetViewSize() != 2) return (style & 1 ? 22 : 0) + (style & 2 ? caption + 6 : 0);
    const int glyph = CalcGlyphSize(2).cx;
    if (!button->ShowCaption()) return glyph + 10;
    switch (button->GlyphLayout()) {
        case glLeft:
        case glRight: return glyph + caption + 6 + 10;
        default: return std::max(glyph, caption + 6) + 10;
    }
}

void TdxBarLargeButtonControl::LargeGlyphChanged() {
    if (GetViewSize() != 2) return;
    TdxBarLargeButton* button = LargeButton();
    bool fixedSize = button && button->GetWidth() != 0 && button->Height() != 0;
    if (fixedSize || InSubMenu())
        RepaintControl();
    else
        RequestBarUpdate();
}

bool TdxBarLargeButtonControl::DrawsGrayGlyph() const {
    TdxBarLargeButton* button = LargeButton();
    return !ShowsSelected() && IsEnabled() && button && button->AutoGrayScale();
}

// ---- Start-up -----------------------------------------------------------------------------

namespace {
TBitmap* trueTypeFontBitmap = nullptr;
TBitmap* nonTrueTypeFontBitmap = nullptr;

TBitmap* LoadExtItemsBitmap(const wchar_t* name) {
    auto* bitmap = new TBitmap;
    try {
        bitmap->LoadFromResourceName(GetModuleHandleW(nullptr), name);
    } catch (const Exception&) {
        // A program without the ribbon's resources shows no marks.
    }
    return bitmap;
}
}  // namespace

TBitmap* dxBarTrueTypeFontBitmap() { return trueTypeFontBitmap; }
TBitmap* dxBarNonTrueTypeFontBitmap() { return nonTrueTypeFontBitmap; }

void InitializedxBarExtItems() {
    SetdxBarFirstDayOfWeek(LocaleStartOfWeek());
    trueTypeFontBitmap = LoadExtItemsBitmap(L"DXBARTRUETYPEFONT");
    nonTrueTypeFontBitmap = LoadExtItemsBitmap(L"DXBARNONTRUETYPEFONT");
    // The further item kinds join in this order as they come: colour and font-name combos,
    // date combo, tree-view and image combos, toolbars list, spin edit, control container,
    // progress, recently-used list, in-place sub item.
    RegisterItemControlClass(TdxBarStatic::StaticClass(), TdxBarStaticControl::StaticClass(), true);
    RegisterItemControlClass(TdxBarLargeButton::StaticClass(), TdxBarLargeButtonControl::StaticClass(), true);
    RegisterItemControlClass(TdxBarColorCombo::StaticClass(), TdxBarColorComboControl::StaticClass(), true);
    RegisterItemControlClass(TdxBarFontNameCombo::StaticClass(), TdxBarComboControl::StaticClass(), true);
    RegisterItemControlClass(TdxBarDateCombo::StaticClass(), TdxBarDateComboControl::StaticClass(), true);
    RegisterItemControlClass(TdxBarSpinEdit::StaticClass(), TdxBarSpinEditControl::StaticClass(), true);
    RegisterItemControlClass(TdxBarControlContainerItem::StaticClass(), TdxBarControlContainerControl::StaticClass(),
                             true);
    RegisterItemControlClass(TdxBarProgressItem::StaticClass(), TdxBarProgressControl::StaticClass(), true);
    RegisterItemControlClass(TdxBarMRUListItem::StaticClass(), TdxBarContainerItemControl::StaticClass(), true);
}

void FinalizedxBarExtItems() {
    UnregisterItemControlClass(TdxBarStatic::StaticClass());
    UnregisterItemControlClass(TdxBarLargeButton::StaticClass());
    UnregisterItemControlClass(TdxBarColorCombo::StaticClass());
    UnregisterItemControlClass(TdxBarFontNameCombo::StaticClass());
    UnregisterItemControlClass(TdxBarDateCombo::StaticClass());
    UnregisterItemControlClass(TdxBarSpinEdit::StaticClass());
    UnregisterItemControlClass(TdxBarControlContainerItem::StaticClass());
    UnregisterItemControlClass(TdxBarProgressItem::StaticClass());
    UnregisterItemControlClass(TdxBarMRUListItem::StaticClass());
    FreeExtItemsDialogs();
    FreeAndNil(trueTypeFontBitmap);
    FreeAndNil(nonTrueTypeFontBitmap);
}
