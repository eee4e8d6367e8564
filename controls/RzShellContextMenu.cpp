#include "RzShellContextMenu.h"

#include <commctrl.h>

#include <algorithm>

#include "Screen.h"
#include "SysUtils.h"

namespace {

std::vector<TRzSendToEntry>* sendToList = nullptr;

// Walks every command of a menu and its submenus until visit answers true.
template <class Visit>
bool ForEachCommand(HMENU menu, Visit&& visit) {
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            if (ForEachCommand(sub, visit)) return true;
        } else {
            UINT id = GetMenuItemID(menu, i);
            if (id != UINT(-1) && visit(id)) return true;
        }
    }
    return false;
}

ULONG_PTR ItemData(HMENU menu, UINT position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    return GetMenuItemInfoW(menu, position, TRUE, &info) ? info.dwItemData : ULONG_PTR(-1);
}

// An own Send To item: a command below the shell's whose data indexes the Send To list.
bool IsOwnItem(UINT command, ULONG_PTR data);

String WithoutExtension(const String& fileName) {
    size_t dot = fileName.rfind(L'.');
    return dot == String::npos ? fileName : fileName.substr(0, dot);
}

HFONT NewMenuFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    return CreateFontIndirectW(&metrics.lfMenuFont);
}

// The name an own menu item shows: its Send To entry without the extension.
String SendToName(ULONG_PTR data) { return WithoutExtension(SendToList()[data].FileName); }

bool IsOwnItem(UINT command, ULONG_PTR data) {
    return command >= 1 && command < FirstShellCommand && data < SendToList().size();
}

}  // namespace

// ---- Building, finding and invoking

HRESULT BuildContextMenu(HWND owner, IShellFolder* folder, UINT count, const ITEMIDLIST** items, IContextMenu*& menu,
                         HMENU& popup, UINT flags, UINT firstCommand) {
    menu = nullptr;
    popup = nullptr;
    HRESULT result =
        folder->GetUIObjectOf(owner, count, items, IID_IContextMenu, nullptr, reinterpret_cast<void**>(&menu));
    if (FAILED(result)) {
        menu = nullptr;
        return result;
    }
    popup = CreatePopupMenu();
    result = popup ? menu->QueryContextMenu(popup, 0, firstCommand, 0x7FFF, flags) : E_OUTOFMEMORY;
    if (FAILED(result)) {
        if (popup) DestroyMenu(popup);
        menu->Release();
        menu = nullptr;
        popup = nullptr;
        RaiseOleSysError(result);
    }
    return result;
}

String CommandVerb(IContextMenu* menu, UINT offset) {
    wchar_t wide[MAX_PATH + 1] = {};
    if (SUCCEEDED(menu->GetCommandString(offset, GCS_VERBW, nullptr, reinterpret_cast<LPSTR>(wide), MAX_PATH)) &&
        wide[0])
        return wide;
    char ansi[MAX_PATH + 1] = {};
    if (SUCCEEDED(menu->GetCommandString(offset, GCS_VERBA, nullptr, ansi, MAX_PATH))) return AnsiToString(ansi);
    return String();
}

Integer FindVerbCommand(IContextMenu* menu, const String& verb) {
    HMENU scratch = CreatePopupMenu();
    if (!scratch) return -1;
    Integer found = -1;
    if (SUCCEEDED(menu->QueryContextMenu(scratch, 0, FirstShellCommand, 0x7FFF, CMF_EXPLORE)))
        ForEachCommand(scratch, [&](UINT id) {
            if (id < FirstShellCommand || !SameText(CommandVerb(menu, id - FirstShellCommand), verb)) return false;
            found = Integer(id - FirstShellCommand);
            return true;
        });
    DestroyMenu(scratch);
    return found;
}

HRESULT InvokeContextCommand(HWND owner, IContextMenu* menu, UINT offset) {
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof(info);
    info.hwnd = owner;
    info.lpVerb = MAKEINTRESOURCEA(offset);
    info.nShow = SW_SHOWNORMAL;
    return menu->InvokeCommand(&info);
}

HRESULT InvokeContextCommand(HWND owner, IContextMenu* menu, const String& verb) {
    // A verb the menu lacks must not run whatever command happens to sit at offset 0.
    Integer offset = FindVerbCommand(menu, verb);
    if (offset < 0) return HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
    return InvokeContextCommand(owner, menu, UINT(offset));
}

HRESULT InvokeItemVerb(HWND owner, IShellFolder* parent, const ITEMIDLIST* item, IShellFolder* itself,
                       const String& verb) {
    // The menu that offers the verb, queried into a popup that lives until the command ran.
    auto queried = [&](IContextMenu* menu, HMENU& popup) {
        popup = CreatePopupMenu();
        menu->QueryContextMenu(popup, 0, FirstShellCommand, 0x7FFF, CMF_EXPLORE);
        if (FindVerbCommand(menu, verb) >= 0) return true;
        DestroyMenu(popup);
        popup = nullptr;
        return false;
    };
    HMENU popup = nullptr;
    IContextMenu* menu = nullptr;
    HRESULT result = parent ? parent->GetUIObjectOf(owner, 1, &item, IID_IContextMenu, nullptr,
                                                    reinterpret_cast<void**>(&menu))
                            : E_INVALIDARG;
    if (SUCCEEDED(result) && menu && !queried(menu, popup)) {
        menu->Release();
        menu = nullptr;
        result = HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
    }
    if (!popup && itself) {
        if (menu) menu->Release();
        menu = nullptr;
        HRESULT background = itself->CreateViewObject(owner, IID_IContextMenu, reinterpret_cast<void**>(&menu));
        if (SUCCEEDED(background) && menu && !queried(menu, popup)) {
            menu->Release();
            menu = nullptr;
        } else if (FAILED(background)) {
            result = background;
        }
    }
    if (!popup) {
        if (menu) menu->Release();
        return FAILED(result) ? result : HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
    }
    result = InvokeContextCommand(owner, menu, verb);
    DestroyMenu(popup);
    menu->Release();
    return result;
}

// ---- Send To

const std::vector<TRzSendToEntry>& SendToList() {
    if (!sendToList) sendToList = new std::vector<TRzSendToEntry>;
    return *sendToList;
}

const std::vector<TRzSendToEntry>& ReadSendToList() {
    SendToList();
    sendToList->clear();
    String folder = SpecialFolderPath(nullptr, CSIDL_SENDTO);
    if (folder.empty()) return *sendToList;
    folder = EnsureTrailingChar(folder, L'\\');
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return *sendToList;
    do {
        if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN)) continue;
        TRzSendToEntry entry{found.cFileName, -1};
        PItemIDList pidl = nullptr;
        if (SUCCEEDED(PathToPidl(folder + entry.FileName, pidl)))
            entry.IconIndex = GetPidlIconIndex(pidl, SHGFI_SMALLICON);
        ShellMemFree(pidl);
        auto at = std::lower_bound(sendToList->begin(), sendToList->end(), entry, [](const auto& a, const auto& b) {
            return AnsiCompareText(a.FileName, b.FileName) < 0;
        });
        if (at == sendToList->end() || AnsiCompareText(at->FileName, entry.FileName) != 0)
            sendToList->insert(at, entry);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return *sendToList;
}

void FreeSendToList() {
    delete sendToList;
    sendToList = nullptr;
}

void SendToItem(const String& fileName, IDataObject* data) {
    PItemIDList sendTo = nullptr;
    HRESULT result = GetSpecialFolderPidl(nullptr, CSIDL_SENDTO, sendTo);
    TComRef<IShellFolder> folder;
    if (SUCCEEDED(result)) result = GetShellFolder(sendTo, *folder.Out());
    ShellMemFree(sendTo);
    OleCheck(result);
    std::vector<wchar_t> name(fileName.begin(), fileName.end());
    name.push_back(0);
    PItemIDList item = nullptr;
    OleCheck(folder->ParseDisplayName(nullptr, nullptr, name.data(), nullptr, &item, nullptr));
    TComRef<IDropTarget> target;
    const ITEMIDLIST* items[] = {item};
    result = folder->GetUIObjectOf(nullptr, 1, items, IID_IDropTarget, nullptr, target.OutVoid());
    ShellMemFree(item);
    OleCheck(result);
    POINTL origin{0, 0};
    DWORD effect = DROPEFFECT_COPY;
    OleCheck(target->DragEnter(data, MK_LBUTTON, origin, &effect));
    OleCheck(target->DragOver(MK_LBUTTON, origin, &effect));
    TCursor saved = Screen->Cursor();
    Screen->SetCursor(crHourGlass);
    result = target->Drop(data, MK_LBUTTON, origin, &effect);
    Screen->SetCursor(saved);
    OleCheck(result);
}

// ---- Tracking

TRzContextMenuChoice TRzShellContextMenu::Show(HWND owner, IShellFolder* folder,
                                               const std::vector<const ITEMIDLIST*>& items, TPoint screen,
                                               bool canRename) {
    IContextMenu* menu = nullptr;
    HMENU popup = nullptr;
    UINT flags = CMF_EXPLORE | (canRename ? CMF_CANRENAME : 0);
    std::vector<const ITEMIDLIST*> list(items);
    if (FAILED(BuildContextMenu(owner, folder, UINT(list.size()), list.data(), menu, popup, flags)))
        return TRzContextMenuChoice{};  // no menu for these items
    return Track(owner, menu, popup, screen);
}

TRzContextMenuChoice TRzShellContextMenu::Track(HWND owner, IContextMenu* menu, HMENU popup, TPoint screen) {
    struct TRelease {
        TRzShellContextMenu* self;
        IContextMenu* menu;
        HMENU popup;
        ~TRelease() {
            self->active_ = nullptr;
            DestroyMenu(popup);
            menu->Release();
        }
    } release{this, menu, popup};

    active_ = menu;
    UINT command =
        UINT(TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, window_, nullptr));
    active_ = nullptr;
    TRzContextMenuChoice choice;
    if (command >= FirstShellCommand) {
        UINT offset = command - FirstShellCommand;
        // Rename is known by its verb: its number differs from one shell to another.
        if (SameText(CommandVerb(menu, offset), L"rename")) {
            choice.Kind = TRzContextMenuChoice::ckRename;
        } else {
            choice.Kind = TRzContextMenuChoice::ckInvoked;
            choice.Result = InvokeContextCommand(owner, menu, offset);
        }
    } else if (command >= 1 && command - 1 < SendToList().size()) {
        choice.Kind = TRzContextMenuChoice::ckSendTo;
        choice.SendToFile = SendToList()[command - 1].FileName;
    }
    return choice;
}

bool TRzShellContextMenu::ForwardToShell(TMessage& message) {
    TComRef<IContextMenu2> handler;
    if (FAILED(active_->QueryInterface(IID_IContextMenu2, handler.OutVoid()))) return false;
    handler->HandleMenuMsg(message.Msg, message.WParam, message.LParam);
    return true;
}

bool TRzShellContextMenu::HandleMenuMessage(TMessage& message) {
    if (!active_) return false;
    switch (message.Msg) {
        case WM_INITMENUPOPUP:
            if (!ForwardToShell(message)) AddSendToItems(reinterpret_cast<HMENU>(message.WParam));
            return true;
        case WM_MEASUREITEM: {
            auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
            if (ForwardToShell(message)) return true;
            if (item.CtlType != ODT_MENU || !MeasureOwnItem(item)) return false;
            message.Result = TRUE;
            return true;
        }
        case WM_DRAWITEM: {
            auto& item = *reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
            if (ForwardToShell(message)) return true;
            if (item.CtlType != ODT_MENU || !DrawOwnItem(item)) return false;
            message.Result = TRUE;
            return true;
        }
        case WM_MENUCHAR:
            if (ForwardToShell(message)) return true;
            if (!(HIWORD(message.WParam) & MF_POPUP)) return false;
            message.Result = MenuChar(wchar_t(LOWORD(message.WParam)), reinterpret_cast<HMENU>(message.LParam));
            return true;
        case WM_MENUSELECT:
            PopupHint(LOWORD(message.WParam), HIWORD(message.WParam));
            return true;
        default:
            return false;
    }
}

void TRzShellContextMenu::AddSendToItems(HMENU menu) {
    // The shell leaves its Send To submenu as one greyed placeholder for the caller to fill.
    if (GetMenuItemCount(menu) != 1 || !(GetMenuState(menu, 0, MF_BYPOSITION) & MF_GRAYED)) return;
    DeleteMenu(menu, 0, MF_BYPOSITION);
    const auto& list = ReadSendToList();
    for (size_t i = 0; i < list.size() && i < FirstShellCommand - 1; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA;
        info.fType = MFT_OWNERDRAW;
        info.wID = UINT(i + 1);
        info.dwItemData = i;
        InsertMenuItemW(menu, UINT(i), TRUE, &info);
    }
}

bool TRzShellContextMenu::MeasureOwnItem(MEASUREITEMSTRUCT& item) {
    if (!IsOwnItem(item.itemID, item.itemData)) return false;
    HDC dc = GetDC(nullptr);
    HFONT font = NewMenuFont();
    HGDIOBJ previous = SelectObject(dc, font);
    String name = SendToName(item.itemData);
    SIZE extent{};
    GetTextExtentPoint32W(dc, name.c_str(), int(name.size()), &extent);
    SelectObject(dc, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    item.itemWidth = UINT(extent.cx + 32);
    item.itemHeight = UINT(GetSystemMetrics(SM_CYMENU) + 2);
    return true;
}

bool TRzShellContextMenu::DrawOwnItem(const DRAWITEMSTRUCT& item) {
    if (!IsOwnItem(item.itemID, item.itemData)) return false;
    bool selected = item.itemState & ODS_SELECTED;
    HDC dc = item.hDC;
    int saved = SaveDC(dc);
    HBRUSH background = GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU);
    FillRect(dc, &item.rcItem, background);
    SetBkColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    HFONT font = NewMenuFont();
    SelectObject(dc, font);
    String name = SendToName(item.itemData);
    TextOutW(dc, item.rcItem.left + 32, item.rcItem.top + 2, name.c_str(), int(name.size()));
    Integer icon = SendToList()[item.itemData].IconIndex;
    if (icon >= 0 && smallImages_)
        ImageList_Draw(smallImages_, icon, dc, item.rcItem.left + 8, item.rcItem.top + 2, ILD_TRANSPARENT);
    RestoreDC(dc, saved);
    DeleteObject(font);
    return true;
}

LRESULT TRzShellContextMenu::MenuChar(wchar_t ch, HMENU menu) {
    int count = GetMenuItemCount(menu);
    if (count <= 0) return MAKELRESULT(0, MNC_CLOSE);
    int highlighted = -1;
    for (int i = 0; i < count; ++i)
        if (GetMenuState(menu, UINT(i), MF_BYPOSITION) & MF_HILITE) highlighted = i;
    String key = AnsiUpperCase(String(1, ch));
    auto startsWithKey = [&](int position) {
        ULONG_PTR data = ItemData(menu, UINT(position));
        if (!IsOwnItem(GetMenuItemID(menu, position), data)) return false;
        String name = SendToName(data);
        return !name.empty() && AnsiUpperCase(name.substr(0, 1)) == key;
    };
    int first = -1, matches = 0;
    for (int step = 1; step <= count; ++step) {
        int position = (highlighted + step) % count;
        if (!startsWithKey(position)) continue;
        if (first < 0) first = position;
        ++matches;
    }
    if (first < 0) return MAKELRESULT(0, MNC_CLOSE);
    return MAKELRESULT(first, matches > 1 ? MNC_SELECT : MNC_EXECUTE);
}

void TRzShellContextMenu::PopupHint(UINT item, UINT flags) {
    if (!OnPopupHint) return;
    String hint;
    bool shellCommand = flags != 0xFFFF && !(flags & (MF_POPUP | MF_SYSMENU)) && item >= FirstShellCommand;
    if (shellCommand) {
        char text[MAX_PATH + 1] = {};
        if (SUCCEEDED(active_->GetCommandString(item - FirstShellCommand, GCS_HELPTEXTA, nullptr, text, MAX_PATH)))
            hint = AnsiToString(text);
    }
    OnPopupHint(this, hint);
}
