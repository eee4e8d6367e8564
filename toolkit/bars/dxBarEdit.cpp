#include "dxBarEdit.h"

#include "Filer.h"
#include "dxBar.h"
#include "dxBarItemLinks.h"

// ---- TdxBarWindowItem ---------------------------------------------------------------------

void TdxBarWindowItem::SetText(const String& value) {
    if (value == text_) return;
    text_ = value;
    InvalidateLinkControls();
    Change();
    InvalidateLinkControls();
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

void TdxCustomBarEdit::ReadState(TReader* reader) {
    if (!glyphClearedOnRead_) {
        glyphClearedOnRead_ = true;
        Glyph()->Assign(nullptr);
    }
    TdxBarWindowItem::ReadState(reader);
}
