#pragma once
// The shell's own context menus for the items of the shell tree and list: building them,
// finding and invoking verbs, tracking the menu, and the Send To submenu the controls fill
// themselves when the shell's menu cannot (it has no handler for owner-drawn menu messages).
//
// Commands: the shell's items are numbered from FirstShellCommand (offset = command - 1000);
// own Send To items are 1 to 999, each with its index in the Send To list as item data.

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "Events.h"
#include "Messages.h"
#include "RzShellUtils.h"
#include "SysObject.h"
#include "GraphicsTypes.h"

constexpr UINT FirstShellCommand = 1000;

// Asks folder for the context menu of its items and fills a new popup menu with it (commands
// from firstCommand). On success menu and popup are the caller's (Release, DestroyMenu); when
// the folder has no menu its failure is returned; a menu that cannot be filled raises.
HRESULT BuildContextMenu(HWND owner, IShellFolder* folder, UINT count, const ITEMIDLIST** items, IContextMenu*& menu,
                         HMENU& popup, UINT flags, UINT firstCommand = FirstShellCommand);
// The language-independent verb of a command ("open", "copy", "rename"); empty when it has none.
String CommandVerb(IContextMenu* menu, UINT offset);
// The offset of the first command whose verb is verb (any letter case); -1 when the menu does
// not offer it.
Integer FindVerbCommand(IContextMenu* menu, const String& verb);
// Invokes the command at offset, with owner as the window of anything the shell shows.
HRESULT InvokeContextCommand(HWND owner, IContextMenu* menu, UINT offset);
// Invokes the command with this verb; when the menu does not offer it, invokes nothing and
// answers HRESULT_FROM_WIN32(ERROR_NOT_FOUND).
HRESULT InvokeContextCommand(HWND owner, IContextMenu* menu, const String& verb);
// Invokes verb on one item through the item menu of its parent folder; when that menu is missing
// or lacks the verb (some shells' item menus have no "paste"), through the background menu of the
// item's own folder (itself, may be null). The invocation's result, or why no menu had the verb.
HRESULT InvokeItemVerb(HWND owner, IShellFolder* parent, const ITEMIDLIST* item, IShellFolder* itself,
                       const String& verb);

// ---- Send To

// A file of the Send To folder: its name and its small system icon (-1 when unknown).
struct TRzSendToEntry {
    String FileName;
    Integer IconIndex;
};
// The files of the Send To folder (neither folders nor hidden), sorted by name in any letter
// case, read again on each call; the list lives until the unit ends.
const std::vector<TRzSendToEntry>& ReadSendToList();
const std::vector<TRzSendToEntry>& SendToList();
void FreeSendToList();
// Drops data on the Send To item fileName as a left-button copy at (0, 0); raises on failure.
void SendToItem(const String& fileName, IDataObject* data);

// ---- Tracking

// What the user chose in a shell context menu.
struct TRzContextMenuChoice {
    enum TKind : Byte { ckNone, ckRename, ckInvoked, ckSendTo };
    TKind Kind = ckNone;
    HRESULT Result = S_OK;  // of the invoked command
    String SendToFile;      // the Send To item chosen
};

using TRzPopupHintEvent = TEvent<void(TObject* Sender, const String& Hint)>;

// The context menu a control is showing. The control passes its window (which receives the
// menu's messages) and its small image list, and hands each menu message to HandleMenuMessage
// after its own handling.
class TRzShellContextMenu : public TObject {
    Z_CLASS(TRzShellContextMenu, TObject)
public:
    TRzShellContextMenu(HWND window, HIMAGELIST smallImages) : window_(window), smallImages_(smallImages) {}

    // Builds the menu for items of folder and tracks it at a screen point. The command whose
    // verb is "rename" asks the control to rename; the control refreshes after ckInvoked and
    // sends its items to the file of ckSendTo.
    TRzContextMenuChoice Show(HWND owner, IShellFolder* folder, const std::vector<const ITEMIDLIST*>& items,
                              TPoint screen, bool canRename);
    // Tracks a built menu and does what was chosen; takes the menu and popup and frees both.
    TRzContextMenuChoice Track(HWND owner, IContextMenu* menu, HMENU popup, TPoint screen);
    // True while a menu is being tracked.
    bool Active() const { return active_ != nullptr; }
    // Answers the menu messages of the tracked menu; false for anything else.
    bool HandleMenuMessage(TMessage& message);

    // Told the help text of the shell command under the cursor (empty for own items, submenus
    // and commands without help).
    TRzPopupHintEvent OnPopupHint;

private:
    bool ForwardToShell(TMessage& message);
    void AddSendToItems(HMENU placeholderMenu);
    bool MeasureOwnItem(MEASUREITEMSTRUCT& item);
    bool DrawOwnItem(const DRAWITEMSTRUCT& item);
    LRESULT MenuChar(wchar_t ch, HMENU menu);
    void PopupHint(UINT item, UINT flags);

    HWND window_;
    HIMAGELIST smallImages_;
    IContextMenu* active_ = nullptr;
};
