#include "dxBarSystemMenuItem.h"

#include <vector>

#include "Bitmap.h"
#include "ShortCuts.h"
#include "cxGraphics.h"
#include "dxBarButton.h"
#include "dxBarManager.h"
#include "dxBarMessageHooks.h"
#include "dxCustomBarControl.h"

namespace {

// The predefined menu bitmaps of a system menu (HBMMENU_POPUP_CLOSE ... _MINIMIZE).
const wchar_t* PredefinedGlyphName(HBITMAP bitmap) {
    switch (reinterpret_cast<UINT_PTR>(bitmap)) {
        case 8:
            return L"DXBARCLOSE";
        case 9:
            return L"DXBARRESTORE";
        case 10:
            return L"DXBARMAXIMIZE";
        case 11:
            return L"DXBARMINIMIZE";
        default:
            return nullptr;
    }
}

// A real bitmap handle (not one of the predefined values 0 … 11, nor -1).
bool IsBitmapHandle(HBITMAP bitmap) {
    UINT_PTR value = reinterpret_cast<UINT_PTR>(bitmap);
    return bitmap && value > 11 && bitmap != HBMMENU_CALLBACK;
}

void CopyBitmapInto(TBitmap* glyph, HBITMAP bitmap) {
    BITMAP info{};
    if (!GetObjectW(bitmap, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return;
    glyph->SetSize(info.bmWidth, info.bmHeight);
    HDC source = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(source, bitmap);
    BitBlt(glyph->Canvas()->Handle(), 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

// Items made from the menu are internal: they leave the manager's list of items.
void MakeInternal(TdxBarManager* manager, TdxBarItem* item) {
    if (!manager) return;
    manager->ItemList()->Remove(item);
    manager->InternalItems()->Add(item);
}

}  // namespace

TSystemMenuSubItem::~TSystemMenuSubItem() {
    if (itemLinks_) FreeLinkItems(itemLinks_);
}

void TSystemMenuSubItem::FreeLinkItems(TdxBarItemLinks* links) {
    std::vector<TdxBarItem*> items;
    for (int i = 0; i < links->Count(); ++i)
        if (TdxBarItem* item = links->GetLink(i)->Item()) items.push_back(item);
    for (TdxBarItem* item : items) {
        if (auto* sub = As<TCustomdxBarSubItem>(item)) FreeLinkItems(sub->ItemLinks());
        FreeObject(item);
    }
}

void TSystemMenuSubItem::RebuildLinks() {
    FreeLinkItems(itemLinks_);
    itemLinks_->Clear();
    if (HMENU menu = child_ ? GetSystemMenu(child_, FALSE) : nullptr) BuildLinksFromMenu(this, menu);
}

void TSystemMenuSubItem::DirectClick() {
    RebuildLinks();
    TCustomdxBarSubItem::DirectClick();
}

void TSystemMenuSubItem::BuildLinksFromMenu(TCustomdxBarSubItem* subItem, HMENU menu) {
    TdxBarManager* manager = subItem->BarManager();
    auto* owner = subItem->Owner();
    auto* systemItem = As<TSystemMenuSubItem>(subItem);
    bool beginGroup = false;
    int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        wchar_t text[1025] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE;
        info.dwTypeData = text;
        info.cch = 1024;
        if (!GetMenuItemInfoW(menu, UINT(position), TRUE, &info)) continue;
        if (info.fType & MFT_SEPARATOR) {
            beginGroup = true;
            continue;
        }
        if (info.fType & MFT_BITMAP) GetMenuStringW(menu, UINT(position), text, 1024, MF_BYPOSITION);
        String entry = text;
        size_t tab = entry.find(L'\t');
        String caption = entry.substr(0, tab);
        String shortCut = tab == String::npos ? String() : entry.substr(tab + 1);

        TdxBarItem* item;
        if (info.hSubMenu) {
            auto* sub = new TdxBarSubItem(owner);
            MakeInternal(manager, sub);
            BuildLinksFromMenu(sub, info.hSubMenu);
            item = sub;
        } else {
            auto* button = new TdxBarButton(owner);
            MakeInternal(manager, button);
            if (info.fState & MFS_CHECKED) {
                button->SetButtonStyle(bsChecked);
                button->SetDown(true);
            }
            button->SetTag(NativeInt(info.wID));
            if (systemItem) button->OnClick = MakeEvent(systemItem, &TSystemMenuSubItem::CommandClick);
            item = button;
        }
        item->SetCaption(caption);
        item->SetEnabled(!(info.fState & (MFS_GRAYED | MFS_DISABLED)));
        HBITMAP bitmap = (info.fType & MFT_BITMAP) ? reinterpret_cast<HBITMAP>(info.dwTypeData) : nullptr;
        if (const wchar_t* name = PredefinedGlyphName(bitmap)) {
            item->Glyph()->LoadFromResourceName(GetModuleHandleW(nullptr), name);
        } else {
            HBITMAP mark = (info.fState & MFS_CHECKED) ? info.hbmpChecked : info.hbmpUnchecked;
            if (mark) CopyBitmapInto(item->Glyph(), mark);
            if (item->Glyph()->Empty() && IsBitmapHandle(bitmap)) CopyBitmapInto(item->Glyph(), bitmap);
        }
        if (!shortCut.empty()) item->SetShortCut(TextToShortCut(shortCut));
        TdxBarItemLink* link = subItem->ItemLinks()->AddItem(item);
        if (link) link->SetBeginGroup(beginGroup);
        beginGroup = false;
    }
}

void TSystemMenuSubItem::CommandClick(TObject* sender) {
    auto* button = As<TComponent>(sender);
    if (button && child_ && IsWindow(child_)) SendMessageW(child_, WM_SYSCOMMAND, WPARAM(button->Tag()), 0);
}

// ---- TSystemMenuSubItemControl ------------------------------------------------------------

HWND TSystemMenuSubItemControl::ChildWindow() const {
    auto* item = As<TSystemMenuSubItem>(Item());
    return item ? item->ChildWindow() : nullptr;
}

bool TSystemMenuSubItemControl::IsNavigable() const {
    TdxBarManager* manager = GetManager();
    return !(manager && manager->IsCustomizingOrDesigning());
}

void TSystemMenuSubItemControl::DblClick() {
    TdxBarSubItemControl::DblClick();
    HWND child = ChildWindow();
    if (IdxBarHookedMenuChain* chain = HookedMenuChain()) chain->CloseChain();
    if (!child || !IsWindow(child)) return;
    HMENU menu = GetSystemMenu(child, FALSE);
    UINT command = menu ? GetMenuDefaultItem(menu, FALSE, 0) : UINT(-1);
    if (command != UINT(-1)) SendMessageW(child, WM_SYSCOMMAND, command, 0);
}

void TSystemMenuSubItemControl::DrawContent(const TRect& r, Byte paintKind) {
    (void)paintKind;
    HDC dc = GetDrawCanvas()->GetCanvasHandle();
    RECT area = r;
    HBRUSH background = BarControl() ? BarControl()->GetBkBrush() : nullptr;
    FillRect(dc, &area, background ? background : GetSysColorBrush(COLOR_BTNFACE));
    HWND child = ChildWindow();
    if (!child) return;
    // A 16 x 16 copy of the child's small icon, else of its big one.
    HICON icon = reinterpret_cast<HICON>(SendMessageW(child, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(child, WM_GETICON, ICON_BIG, 0));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(child, GCLP_HICONSM));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(child, GCLP_HICON));
    if (!icon) return;
    HICON copy = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, 16, 16, LR_COPYFROMRESOURCE));
    if (!copy) copy = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, 16, 16, 0));
    if (!copy) return;
    DrawIconEx(dc, r.left, r.top, copy, r.right - r.left, r.bottom - r.top, 0, nullptr, DI_NORMAL);
    DestroyIcon(copy);
}
