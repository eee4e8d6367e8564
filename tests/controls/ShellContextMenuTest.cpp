// Shell context menus: verbs found and invoked on the shell's own item menus, and a tracked menu
// on a real window driven with real input: rename known by its verb, the own Send To submenu
// listed from the Send To folder, measured, drawn and answering menu characters.

#include <gtest/gtest.h>

#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <fstream>
#include <memory>

#include "ControlsUnits.h"
#include "CustomControl.h"
#include "RzShellContextMenu.h"
#include "RzShellDataObject.h"
#include "WindowTesting.h"

namespace {

// A shell-like item menu whose commands sit where a particular shell would not put them: open
// at offset 0, cut at 3, rename at 7, and a Send To submenu left as one greyed placeholder.
class TFakeItemMenu : public TInterfacedObject, public IContextMenu {
public:
    std::vector<UINT> invoked;

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        return QuerySingleInterface<IContextMenu>(this, iid, IID_IContextMenu, object);
    }
    RZ_COM_REFERENCE_COUNT
    STDMETHODIMP QueryContextMenu(HMENU menu, UINT index, UINT first, UINT, UINT) override {
        AppendMenuW(menu, MF_STRING, first + 0, L"&Open");
        AppendMenuW(menu, MF_STRING, first + 3, L"Cu&t");
        AppendMenuW(menu, MF_STRING, first + 7, L"&Rename");
        HMENU sendTo = CreatePopupMenu();
        AppendMenuW(sendTo, MF_STRING | MF_GRAYED, first + 9, L"(empty)");
        AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sendTo), L"Se&nd To");
        (void)index;
        return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 10);
    }
    STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* info) override {
        invoked.push_back(LOWORD(reinterpret_cast<UINT_PTR>(info->lpVerb)));
        return S_OK;
    }
    STDMETHODIMP GetCommandString(UINT_PTR offset, UINT type, UINT*, LPSTR text, UINT size) override {
        const char* verb = offset == 0 ? "open" : offset == 3 ? "cut" : offset == 7 ? "rename" : nullptr;
        if (!verb) return E_INVALIDARG;
        std::string answer = type == GCS_HELPTEXTA ? std::string("Help for ") + verb : verb;
        if (type == GCS_VERBA || type == GCS_HELPTEXTA) {
            lstrcpynA(text, answer.c_str(), int(size));
            return S_OK;
        }
        return E_INVALIDARG;  // like an older menu: ANSI answers only
    }
};

// The control the menu is shown for: it hands the menu's messages on after its own handling.
class TMenuHost : public TCustomControl {
public:
    explicit TMenuHost(TComponent* owner) : TCustomControl(owner) {}
    TRzShellContextMenu* menu = nullptr;

protected:
    void WndProc(TMessage& message) override {
        TCustomControl::WndProc(message);
        if (menu) menu->HandleMenuMessage(message);
    }
};

const wchar_t* const SendToFiles[] = {L"Quill.txt", L"Zarnik Beta.txt", L"Zarnik Архив.txt", L"Zeta.txt"};

class ShellContextMenuTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        InitializeControlsUnits();
        form.reset(NewShownForm(300, 200));
        host = new TMenuHost(form.get());
        host->SetParent(form.get());
        host->SetBounds(0, 0, 300, 200);
        PumpUntilIdle();
        contextMenu = std::make_unique<TRzShellContextMenu>(host->Handle(), GetSystemImageList(sisSmall));
        host->menu = contextMenu.get();
    }
    void TearDown() override {
        host->menu = nullptr;
        contextMenu.reset();
        form.reset();
        for (auto& file : sendToCreated) {
            SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(file.c_str());
            RemoveDirectoryW(file.c_str());
        }
        WindowTest::TearDown();
    }
    TFakeItemMenu* NewFakeMenu() {
        auto* fake = new TFakeItemMenu;
        fake->AddRef();
        return fake;
    }
    TPoint ScreenPoint(int x, int y) const {
        POINT p{x, y};
        ClientToScreen(host->Handle(), &p);
        return p;
    }
    // Files in the Send To folder, removed again at the end.
    void AddSendToFiles() {
        String folder = EnsureTrailingChar(SpecialFolderPath(nullptr, CSIDL_SENDTO), L'\\');
        ASSERT_GT(folder.size(), 1u);
        for (const wchar_t* name : SendToFiles) {
            std::ofstream(String(folder + name).c_str()) << "x";
            sendToCreated.push_back(folder + name);
        }
        std::ofstream(String(folder + L"Hidden.txt").c_str()) << "x";
        SetFileAttributesW((folder + L"Hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
        sendToCreated.push_back(folder + L"Hidden.txt");
        CreateDirectoryW((folder + L"A folder").c_str(), nullptr);
        sendToCreated.push_back(folder + L"A folder");
    }

    std::unique_ptr<TForm> form;
    TMenuHost* host = nullptr;
    std::unique_ptr<TRzShellContextMenu> contextMenu;
    std::vector<String> sendToCreated;
};

TPoint Center(const TRect& r) { return Point((r.left + r.right) / 2, (r.top + r.bottom) / 2); }

struct THintRecorder {
    std::vector<String> hints;
    void Hint(TObject*, const String& hint) { hints.push_back(hint); }
};

void Highlight(HMENU menu, UINT position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    info.fState = MFS_HILITE;
    SetMenuItemInfoW(menu, position, TRUE, &info);
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    COLORREF c = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return c;
}

}  // namespace

TEST_F(ShellContextMenuTest, VerbsOfTheShellsOwnItemMenu) {
    TTempFolder temp;
    std::ofstream(temp.File(L"level.level").c_str()) << "x";
    PItemIDList folderList = nullptr;
    ASSERT_EQ(PathToPidl(temp.Path(), folderList), S_OK);
    TComRef<IShellFolder> folder;
    ASSERT_EQ(GetShellFolder(folderList, *folder.Out()), S_OK);
    ShellMemFree(folderList);
    String name = L"level.level";
    PItemIDList item = nullptr;
    ASSERT_EQ(folder->ParseDisplayName(nullptr, nullptr, name.data(), nullptr, &item, nullptr), S_OK);

    IContextMenu* rawMenu = nullptr;
    HMENU popup = nullptr;
    const ITEMIDLIST* items[] = {item};
    ASSERT_EQ(SUCCEEDED(BuildContextMenu(form->Handle(), folder.Get(), 1, items, rawMenu, popup, CMF_EXPLORE)), true);
    TComRef<IContextMenu> menu(rawMenu);
    EXPECT_GT(GetMenuItemCount(popup), 0);
    DestroyMenu(popup);

    EXPECT_GE(FindVerbCommand(menu.Get(), L"copy"), 0);
    EXPECT_GE(FindVerbCommand(menu.Get(), L"DELETE"), 0);
    EXPECT_EQ(FindVerbCommand(menu.Get(), L"paste"), -1) << "item menus have no paste";
    EXPECT_EQ(InvokeContextCommand(form->Handle(), menu.Get(), L"paste"), HRESULT_FROM_WIN32(ERROR_NOT_FOUND));

    // Copy puts the item on the clipboard as a "Shell IDList Array".
    ASSERT_EQ(OleSetClipboard(nullptr), S_OK);
    ASSERT_EQ(InvokeContextCommand(form->Handle(), menu.Get(), L"copy"), S_OK);
    TComRef<IDataObject> clipboard;
    ASSERT_EQ(OleGetClipboard(clipboard.Out()), S_OK);
    FORMATETC format{ShellIdListFormat(), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    EXPECT_EQ(clipboard->QueryGetData(&format), S_OK);
    clipboard.Reset();
    OleSetClipboard(nullptr);
    EXPECT_TRUE(GetFileAttributesW(temp.File(L"level.level").c_str()) != INVALID_FILE_ATTRIBUTES);
    ShellMemFree(item);
}

TEST_F(ShellContextMenuTest, AVerbTheMenuLacksInvokesNothing) {
    TComRef<IContextMenu> fake(NewFakeMenu());
    auto* spy = static_cast<TFakeItemMenu*>(fake.Get());
    EXPECT_EQ(FindVerbCommand(fake.Get(), L"open"), 0);
    EXPECT_EQ(FindVerbCommand(fake.Get(), L"Rename"), 7);
    EXPECT_EQ(FindVerbCommand(fake.Get(), L"paste"), -1);
    EXPECT_EQ(InvokeContextCommand(nullptr, fake.Get(), L"paste"), HRESULT_FROM_WIN32(ERROR_NOT_FOUND));
    EXPECT_TRUE(spy->invoked.empty()) << "offset 0 (open) must not run for a missing verb";
    EXPECT_EQ(InvokeContextCommand(nullptr, fake.Get(), L"cut"), S_OK);
    EXPECT_EQ(spy->invoked, (std::vector<UINT>{3}));
}

TEST_F(ShellContextMenuTest, RenameIsKnownByItsVerbAndOtherCommandsAreInvoked) {
    struct Case {
        int position;
        TRzContextMenuChoice::TKind kind;
        std::vector<UINT> invoked;
    } cases[] = {{2, TRzContextMenuChoice::ckRename, {}}, {0, TRzContextMenuChoice::ckInvoked, {0}}};
    for (auto& c : cases) {
        TFakeItemMenu* fake = NewFakeMenu();
        fake->AddRef();  // one reference stays ours; Track releases the other
        TComRef<IContextMenu> keep(fake);
        HMENU popup = CreatePopupMenu();
        fake->QueryContextMenu(popup, 0, FirstShellCommand, 0x7FFF, CMF_EXPLORE | CMF_CANRENAME);
        TWhileMenuShows click([&](HWND) { ClickAt(Center(MenuItemScreenRect(popup, c.position))); });
        TRzContextMenuChoice choice = contextMenu->Track(form->Handle(), fake, popup, ScreenPoint(20, 20));
        EXPECT_TRUE(click.Ran());
        EXPECT_EQ(choice.Kind, c.kind) << c.position;
        EXPECT_EQ(fake->invoked, c.invoked) << c.position;
        EXPECT_FALSE(contextMenu->Active());
        EXPECT_FALSE(IsMenu(popup)) << "the popup is destroyed after tracking";
    }
}

TEST_F(ShellContextMenuTest, OwnSendToItemsAreListedMeasuredDrawnAndChosenByLetter) {
    AddSendToFiles();
    THintRecorder recorder;
    contextMenu->OnPopupHint = MakeEvent(&recorder, &THintRecorder::Hint);
    std::vector<String>& hints = recorder.hints;

    TFakeItemMenu* fake = NewFakeMenu();
    fake->AddRef();  // one reference stays ours; Track releases the other
    TComRef<IContextMenu> keep(fake);
    HMENU popup = CreatePopupMenu();
    fake->QueryContextMenu(popup, 0, FirstShellCommand, 0x7FFF, CMF_EXPLORE);
    HMENU sendTo = GetSubMenu(popup, 3);

    std::vector<String> names;
    std::vector<TRect> rects;
    COLORREF hovered = 0, plain = 0, hoveredIcon = 0;
    bool iconDrawn = false;
    LRESULT selectZ = 0, selectX = 0;
    int highlightedAfterSelect = -1;

    // Over Open: the shell's help text becomes the hint. Then open Send To.
    TWhileMenuShows overOpen([&](HWND) { MoveMouseTo(Center(MenuItemScreenRect(popup, 0))); });
    TWhileMenuShows openSendTo([&](HWND) { ClickAt(Center(MenuItemScreenRect(popup, 3))); });
    TWhileMenuShows hoverSecond(
        [&](HWND) {
            for (int i = 0; i < GetMenuItemCount(sendTo); ++i) rects.push_back(MenuItemScreenRect(sendTo, i));
            if (rects.size() > 1) MoveMouseTo(Point(rects[1].left + 40, (rects[1].top + rects[1].bottom) / 2));
        },
        2);
    TWhileMenuShows look(
        [&](HWND) {
            if (rects.size() < 2) return;
            hovered = ScreenPixel(rects[1].left + 2, rects[1].top + 1);
            plain = ScreenPixel(rects[0].left + 2, rects[0].top + 1);
            for (int y = rects[1].top + 2; y < rects[1].top + 18; ++y)
                for (int x = rects[1].left + 8; x < rects[1].left + 24; ++x)
                    if (ScreenPixel(x, y) != hovered) {
                        iconDrawn = true;
                        hoveredIcon = ScreenPixel(x, y);
                    }
            // Two names begin with Z after the highlighted one: select; none with X: close.
            selectZ = SendMessageW(host->Handle(), WM_MENUCHAR, MAKEWPARAM(L'z', MF_POPUP), LPARAM(sendTo));
            selectX = SendMessageW(host->Handle(), WM_MENUCHAR, MAKEWPARAM(L'x', MF_POPUP), LPARAM(sendTo));
            for (int i = 0; i < GetMenuItemCount(sendTo); ++i)
                if (GetMenuState(sendTo, UINT(i), MF_BYPOSITION) & MF_HILITE) highlightedAfterSelect = i;
            TypeKey('Q');  // one name only: executed, the menu closes with it
        },
        2);
    TRzContextMenuChoice choice = contextMenu->Track(form->Handle(), fake, popup, ScreenPoint(20, 20));
    ASSERT_TRUE(look.Ran());

    // The list: files only, hidden ones left out, sorted; one owner-drawn item each.
    for (auto& entry : SendToList()) names.push_back(entry.FileName);
    ASSERT_EQ(names.size(), 4u);
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(Utf8(names[i]), Utf8(SendToFiles[i])) << i;
    EXPECT_GE(SendToList()[0].IconIndex, 0);
    ASSERT_EQ(rects.size(), 4u);

    // Measured: the menu bar's height plus 2, the name's width in the menu font plus 32.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    HFONT font = CreateFontIndirectW(&metrics.lfMenuFont);
    HDC dc = GetDC(nullptr);
    SelectObject(dc, font);
    SIZE longest{};
    GetTextExtentPoint32W(dc, L"Zarnik Архив", 12, &longest);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    for (auto& r : rects) EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYMENU) + 2);
    EXPECT_GE(rects[0].right - rects[0].left, longest.cx + 32);

    // Drawn: the item under the mouse in the highlight colours, the others in the menu's, with
    // the file's icon at 8 pixels from the left.
    EXPECT_EQ(hovered, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(plain, GetSysColor(COLOR_MENU));
    EXPECT_TRUE(iconDrawn);
    (void)hoveredIcon;

    EXPECT_EQ(selectZ, MAKELRESULT(2, MNC_SELECT)) << "the next Z after the highlighted item";
    EXPECT_EQ(selectX, MAKELRESULT(0, MNC_CLOSE));
    EXPECT_GE(highlightedAfterSelect, 1);
    EXPECT_EQ(choice.Kind, TRzContextMenuChoice::ckSendTo);
    EXPECT_EQ(Utf8(choice.SendToFile), "Quill.txt");
    EXPECT_TRUE(fake->invoked.empty());

    ASSERT_FALSE(hints.empty());
    EXPECT_EQ(Utf8(hints.front()), "Help for open");
    EXPECT_TRUE(std::find(hints.begin(), hints.end(), String()) != hints.end())
        << "own items and submenus hint nothing";
}

TEST_F(ShellContextMenuTest, MenuCharacterExecutesAUniqueNameAndSelectsAmongSeveral) {
    AddSendToFiles();
    ReadSendToList();
    // A menu of own items as the Send To submenu gets them.
    HMENU menu = CreatePopupMenu();
    for (UINT i = 0; i < 4; ++i) AppendMenuW(menu, MF_OWNERDRAW, i + 1, reinterpret_cast<LPCWSTR>(UINT_PTR(i)));
    TComRef<IContextMenu> fake(NewFakeMenu());
    LRESULT answers[4] = {};
    HMENU popup = CreatePopupMenu();
    static_cast<TFakeItemMenu*>(fake.Get())->QueryContextMenu(popup, 0, FirstShellCommand, 0x7FFF, 0);
    static_cast<TFakeItemMenu*>(fake.Get())->AddRef();
    TWhileMenuShows ask([&](HWND) {
        // No item highlighted: the search starts at the first.
        answers[0] = SendMessageW(host->Handle(), WM_MENUCHAR, MAKEWPARAM(L'z', MF_POPUP), LPARAM(menu));
        answers[1] = SendMessageW(host->Handle(), WM_MENUCHAR, MAKEWPARAM(L'q', MF_POPUP), LPARAM(menu));
        Highlight(menu, 3);
        answers[2] = SendMessageW(host->Handle(), WM_MENUCHAR, MAKEWPARAM(L'Z', MF_POPUP), LPARAM(menu));
        answers[3] = SendMessageW(host->Handle(), WM_MENUCHAR, MAKEWPARAM(L'z', 0), LPARAM(menu));
        TypeKey(VK_ESCAPE);
    });
    TRzContextMenuChoice choice = contextMenu->Track(form->Handle(), fake.Get(), popup, ScreenPoint(10, 10));
    ASSERT_TRUE(ask.Ran());
    EXPECT_EQ(choice.Kind, TRzContextMenuChoice::ckNone);
    EXPECT_EQ(answers[0], MAKELRESULT(1, MNC_SELECT));
    EXPECT_EQ(answers[1], MAKELRESULT(0, MNC_EXECUTE));
    EXPECT_EQ(answers[2], MAKELRESULT(1, MNC_SELECT)) << "after the last item the search wraps round";
    EXPECT_EQ(answers[3], 0) << "not a popup: left to the default handling";
    DestroyMenu(menu);
}
