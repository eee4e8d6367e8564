#include "dxBarEdit.h"

#include "Canvas.h"
#include "Filer.h"
#include "dxBar.h"
#include "dxBarCustFormPainters.h"
#include "dxBarEditControl.h"
#include "dxBarItemLinks.h"

// ---- TdxBarWindowItem ---------------------------------------------------------------------

void TdxBarWindowItem::SetText(const String& value) {
    if (value == text_) return;
    text_ = value;
    InvalidateLinkControls();
    Change();
    InvalidateLinkControls();
}

TdxBarItemLink* TdxBarWindowItem::GetEditingLink() const {
    for (int i = 0; i < GetLinkCount(); ++i) {
        TdxBarItemLink* link = GetLink(i);
        auto* control = link ? As<TdxBarWinControl>(link->Control()) : nullptr;
        if (control && control->Focused()) return link;
    }
    return nullptr;
}

void TdxBarWindowItem::Change() {
    if (!IsLoading()) Fire(OnChange);
}

void TdxBarWindowItem::CurChange() { Fire(OnCurChange); }

// ---- TdxCustomBarEdit ---------------------------------------------------------------------

TdxCustomBarEdit::TdxCustomBarEdit(TComponent* owner) : TdxBarWindowItem(owner) { TdxBarItem::SetWidth(100); }

void TdxCustomBarEdit::SetWidth(int value) {
    if (value <= 0 || value == GetWidth()) return;
    TdxBarItem::SetWidth(value);
}

bool TdxCustomBarEdit::CanShowLink(TdxBarItemLink* link) const {
    if (!TdxBarWindowItem::CanShowLink(link)) return false;
    bool onToolbar = link && link->GetLinks() && Is<TdxBar>(link->GetLinks()->GetOwnerObject());
    return !onToolbar || ShowCaption();
}

void TdxCustomBarEdit::DrawCommandListText(TCanvas* canvas, const TRect& rect, bool selected) {
    CustomizationFormPainterFor(BarManager())->DrawEditEntry(canvas, rect, this, selected, false);
}

void TdxCustomBarEdit::ReadState(TReader* reader) {
    if (!glyphClearedOnRead_) {
        glyphClearedOnRead_ = true;
        Glyph()->Assign(nullptr);
    }
    TdxBarWindowItem::ReadState(reader);
}
