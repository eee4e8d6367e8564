#include "dxBarMRUListItem.h"

#include "Font.h"
#include "cxObjectLinks.h"
#include "cxTextMeasuring.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"

void TdxBarMRUListItem::SetMaxItemCount(int value) {
    value = std::max(value, 0);
    if (value == maxItemCount_) return;
    maxItemCount_ = value;
    if (value == 0) return;
    TStrings* items = Items();
    items->BeginUpdate();
    while (items->Count() > value) items->Delete(items->Count() - 1);
    items->EndUpdate();
}

void TdxBarMRUListItem::RemoveMRUEntry(const String& text, TObject* object) {
    TStrings* items = Items();
    for (int i = 0; i < items->Count(); ++i)
        if (text.empty() ? items->Objects(i) == object : items->Strings(i) == text) {
            items->Delete(i);
            return;
        }
}

String TdxBarMRUListItem::FormatItemText(const String& entryText) const {
    const String text = TdxBarListItem::FormatItemText(entryText);
    TdxBarManager* manager = BarManager();
    TFont* font = manager ? manager->Font() : nullptr;
    String result = text;
    HDC dc = GetDC(nullptr);
    TruncateTextWithEllipsis(dc, font ? font->Handle() : HFONT(GetStockObject(DEFAULT_GUI_FONT)), text, result,
                             MaxEntryWidth);
    ReleaseDC(nullptr, dc);
    return result;
}

void TdxBarMRUListItem::DirectClick() {
    TcxObjectLinkGuard self(this);
    TdxBarListItem::DirectClick();
    if (!self.Alive() || !removeItemOnClick_) return;
    TdxBarItemLink* active = GetActiveLink();
    if (active && active->Item() == this) return;
    TdxBarManager* manager = BarManager();
    if ((manager && manager->IsCustomizingOrDesigning()) || IsDesigning()) return;
    const int index = ItemIndex();
    if (index >= 0 && index < Items()->Count()) RemoveMRUEntry(Items()->Strings(index));
    SetItemIndex(-1);
}
