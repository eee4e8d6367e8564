#pragma once
// OLE drag and drop of shell items: the drop source of the shell tree and list, the drop target
// that hands the system's calls to its control, and the shell look-ups both need.

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "RzComObject.h"
#include "RzShellUtils.h"

// ---- Drop source

// The mouse button that started the drag.
enum TRzDragButton : Byte { dbLeft, dbRight, dbMiddle };

class TDropSource_shlvtv : public TInterfacedObject, public IDropSource {
    Z_CLASS(TDropSource_shlvtv, TInterfacedObject)
public:
    explicit TDropSource_shlvtv(TRzDragButton button);
    // A new drop source, referenced once for the caller.
    static IDropSource* Create(TRzDragButton button);

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    RZ_COM_REFERENCE_COUNT
    // Escape or either other button cancels; the dragging button held goes on; released drops.
    STDMETHODIMP QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
    STDMETHODIMP GiveFeedback(DWORD effect) override;

private:
    DWORD buttonKey_;
};

// ---- Drop target

// What a shell control does with the drags over it; it decides the effects. A failure raised
// here reaches the application's handler, and the system is answered "no drop".
class IRzShellDropHandler {
public:
    virtual void DoDragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD& effect) = 0;
    virtual void DoDragOver(DWORD keyState, POINTL point, DWORD& effect) = 0;
    virtual void DoDragLeave() = 0;
    virtual void DoDrop(IDataObject* data, DWORD keyState, POINTL point, DWORD& effect) = 0;

protected:
    ~IRzShellDropHandler() = default;
};

// Registered for a control's window; passes every call on to the control unchanged. The control
// revokes it before it goes.
class TRzShellDropTarget : public TInterfacedObject, public IDropTarget {
    Z_CLASS(TRzShellDropTarget, TInterfacedObject)
public:
    explicit TRzShellDropTarget(IRzShellDropHandler* control) : control_(control) {}
    // A new drop target, referenced once for the caller.
    static IDropTarget* Create(IRzShellDropHandler* control);

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    RZ_COM_REFERENCE_COUNT
    STDMETHODIMP DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
    STDMETHODIMP DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
    STDMETHODIMP DragLeave() override;
    STDMETHODIMP Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

private:
    IRzShellDropHandler* control_;
};

// Registers a drop target for handler's window (on), or revokes the one registered (off);
// registered holds it meanwhile (null while none).
void RegisterShellDropTarget(HWND window, IRzShellDropHandler* handler, bool on, IDropTarget*& registered);
// What target would do with the dragged data at point (entered, dragged over and left again),
// starting from the effects the drag allows.
DWORD ProbeDropTarget(IDropTarget* target, IDataObject* data, DWORD keyState, POINTL point, DWORD effect);
// Drops data on target as a drag ending there would: entered and dragged over, then dropped
// under the hourglass with the effect limited to what every dropped item allows.
void DropOnTarget(IDropTarget* target, IDataObject* data, DWORD keyState, POINTL point, DWORD& effect);

// ---- Shell look-ups

// The drop effects (copy, move, link) that all of the items of folder allow; none when the
// folder cannot tell.
DWORD ItemsDropEffects(IShellFolder* folder, const std::vector<const ITEMIDLIST*>& items);

// The drop effects (copy 1, move 2, link 4) that every item of the data's "Shell IDList Array"
// allows. 7 when the data has none or it cannot be read; raises when the shell cannot bind the
// parent folder or answer for an item.
DWORD DroppedItemsEffects(IDataObject* data);

// The folder that holds an absolute item, the folder's own absolute list (null for the desktop)
// and the item's relative list; the lists are the caller's (ShellMemFree), and so is the folder's
// reference. The empty list stands for the desktop's file-system folder.
HRESULT GetParentFolderAndItem(const ITEMIDLIST* pidl, IShellFolder*& parent, PItemIDList& parentList,
                               PItemIDList& item);
// An interface of the item (IID_IDropTarget, IID_IContextMenu...) asked of its parent folder.
HRESULT GetPidlUIObject(const ITEMIDLIST* pidl, REFIID iid, void** object);
// The drop target of the desktop's file-system folder.
HRESULT GetDesktopDropTarget(IDropTarget*& target);
