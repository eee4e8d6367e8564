#include "dxBarStaticControl.h"

#include "cxGraphics.h"
#include "dxBarItemControlDrawParams.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxBarPainter.h"
#include "dxCustomBarControl.h"

// ---- TdxBarCustomStaticControl -------------------------------------------------------------

bool TdxBarCustomStaticControl::IsNavigable() const {
    TdxBarManager* manager = Item() ? Item()->BarManager() : nullptr;
    return manager && manager->IsCustomizingOrDesigning();
}

Byte TdxBarCustomStaticControl::GetViewStructure() const {
    TdxBarItem* item = Item();
    if (!item) return 0;
    Byte structure = 0;
    if (item->ShowCaption()) structure |= 2;
    // Hook (item controls): the image at the control's display size.
    if (item->HasImage()) structure |= 1;
    return structure;
}

bool TdxBarCustomStaticControl::IsInMenu() const {
    auto* links = Link() ? As<TdxBarItemLinks>(Link()->Collection()) : nullptr;
    return links && links->BelongsToMenu();
}

TdxBarItemControlDrawParams* TdxBarCustomStaticControl::CreateDrawParams() {
    return new TdxBarStaticLikeControlDrawParams(this);
}

void TdxBarCustomStaticControl::DrawContent(const TRect& r, Byte /*paintKind*/) {
    TdxBarPainter* painter = GetPainter();
    if (painter && PaintedWindow()) painter->DrawStaticContent(DrawParams(), r);
}

// ---- TdxBarSeparatorControl ----------------------------------------------------------------

TdxBarItemControlDrawParams* TdxBarSeparatorControl::CreateDrawParams() {
    return new TdxBarSeparatorControlDrawParams(this);
}

void TdxBarSeparatorControl::CalcDrawParams(bool withItemData) {
    TdxBarCustomStaticControl::CalcDrawParams(withItemData);
    if (withItemData) static_cast<TdxBarSeparatorControlDrawParams*>(DrawParams())->firstShownLink = IsFirstShownLink();
}

void TdxBarSeparatorControl::DrawContent(const TRect& r, Byte /*paintKind*/) {
    TdxBarPainter* painter = GetPainter();
    if (painter && PaintedWindow()) painter->DrawSeparatorControl(DrawParams(), r);
}

int TdxBarSeparatorControl::GetNormalMenuItemHeight() const {
    return const_cast<TdxBarSeparatorControl*>(this)->TdxBarItemControl::CalcMenuItemHeight();
}

int TdxBarSeparatorControl::GetBeginGroupSize() const { return BarControl() ? BarControl()->GetBeginGroupSize() : 0; }

int TdxBarSeparatorControl::CalcMinWidth() const {
    TdxBarPainter* painter = GetPainter();
    auto* self = const_cast<TdxBarSeparatorControl*>(this);
    int indent = painter ? painter->GetItemTextIndent(self->DrawParams()) : 0;
    return indent + (BarControl() ? BarControl()->IconAreaSize() : 0);
}

Byte TdxBarSeparatorControl::GetViewStructure() const {
    return IsInMenu() && Item() && Item()->ShowCaption() ? 2 : 0;
}

bool TdxBarSeparatorControl::IsFirstShownLink() const {
    auto* links = Link() ? As<TdxBarItemLinks>(Link()->Collection()) : nullptr;
    return links && links->GetShownLinkIndex(Link()) == 0;
}

int TdxBarSeparatorControl::CalcMenuItemHeight() {
    if (!(GetViewStructure() & 2)) return GetBeginGroupSize();
    TdxBarManager* manager = Item() ? Item()->BarManager() : nullptr;
    const int line = manager ? manager->Painter()->GetSeparatorItemHeight() : 0;
    return line * (IsFirstShownLink() ? 1 : 2) + GetNormalMenuItemHeight();
}

TFontStyles TdxBarSeparatorControl::GetStyleFont(TcxCanvas* canvas) const {
    TFont* font = canvas->GetCanvasFont();
    const TFontStyles saved = font->Style();
    font->SetStyle(TFontStyles{fsBold});
    return saved;
}

void TdxBarSeparatorControl::RestoreStyleFont(TcxCanvas* canvas, TFontStyles saved) const {
    // The style the canvas had, not a plain one: a bold or italic bar font stays so for the
    // controls measured after the heading.
    canvas->GetCanvasFont()->SetStyle(saved);
}
