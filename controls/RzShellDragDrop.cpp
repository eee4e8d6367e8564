#include "RzShellDragDrop.h"

#include "RzShellDataObject.h"
#include "RzShellScopes.h"

// ---- Drop source

TDropSource_shlvtv::TDropSource_shlvtv(TRzDragButton button) {
    static const DWORD keys[] = {MK_LBUTTON, MK_RBUTTON, MK_MBUTTON};
    buttonKey_ = keys[button];
}

IDropSource* TDropSource_shlvtv::Create(TRzDragButton button) {
    auto* source = new TDropSource_shlvtv(button);
    source->AddRef();
    return source;
}

STDMETHODIMP TDropSource_shlvtv::QueryInterface(REFIID iid, void** object) {
    return ComGuard([&] { return QuerySingleInterface<IDropSource>(this, iid, IID_IDropSource, object); });
}

STDMETHODIMP TDropSource_shlvtv::QueryContinueDrag(BOOL escapePressed, DWORD keyState) {
    const DWORD otherButtons = (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON) & ~buttonKey_;
    if (escapePressed || (keyState & otherButtons)) return DRAGDROP_S_CANCEL;
    if (keyState & buttonKey_) return S_OK;
    return DRAGDROP_S_DROP;
}

STDMETHODIMP TDropSource_shlvtv::GiveFeedback(DWORD) { return DRAGDROP_S_USEDEFAULTCURSORS; }

// ---- Drop target

IDropTarget* TRzShellDropTarget::Create(IRzShellDropHandler* control) {
    auto* target = new TRzShellDropTarget(control);
    target->AddRef();
    return target;
}

STDMETHODIMP TRzShellDropTarget::QueryInterface(REFIID iid, void** object) {
    return ComGuard([&] { return QuerySingleInterface<IDropTarget>(this, iid, IID_IDropTarget, object); });
}

namespace {

// Runs a drop-target call; when it fails the system is told that nothing can be dropped.
template <class Body>
HRESULT DropGuard(DWORD* effect, Body&& body) noexcept {
    HRESULT result = ComGuard([&] {
        body();
        return S_OK;
    });
    if (FAILED(result) && effect) *effect = DROPEFFECT_NONE;
    return result;
}

}  // namespace

STDMETHODIMP TRzShellDropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    return DropGuard(effect, [&] { control_->DoDragEnter(data, keyState, point, *effect); });
}

STDMETHODIMP TRzShellDropTarget::DragOver(DWORD keyState, POINTL point, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    return DropGuard(effect, [&] { control_->DoDragOver(keyState, point, *effect); });
}

STDMETHODIMP TRzShellDropTarget::DragLeave() {
    return DropGuard(nullptr, [&] { control_->DoDragLeave(); });
}

STDMETHODIMP TRzShellDropTarget::Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    return DropGuard(effect, [&] { control_->DoDrop(data, keyState, point, *effect); });
}

// ---- Shell look-ups

namespace {

// A medium released at scope end.
struct TMediumHolder {
    STGMEDIUM medium{};
    ~TMediumHolder() { ReleaseStgMedium(&medium); }
};

}  // namespace

void RegisterShellDropTarget(HWND window, IRzShellDropHandler* handler, bool on, IDropTarget*& registered) {
    if (on && !registered && window) {
        IDropTarget* target = TRzShellDropTarget::Create(handler);
        if (SUCCEEDED(RegisterDragDrop(window, target)))
            registered = target;
        else
            target->Release();
    } else if (!on && registered) {
        if (window) RevokeDragDrop(window);
        registered->Release();
        registered = nullptr;
    }
}

DWORD ProbeDropTarget(IDropTarget* target, IDataObject* data, DWORD keyState, POINTL point, DWORD effect) {
    DWORD allowed = effect;
    target->DragEnter(data, keyState, point, &allowed);
    allowed = effect;
    target->DragOver(keyState, point, &allowed);
    target->DragLeave();
    return allowed;
}

void DropOnTarget(IDropTarget* target, IDataObject* data, DWORD keyState, POINTL point, DWORD& effect) {
    DWORD allowed = effect;
    target->DragEnter(data, keyState, point, &allowed);
    allowed = effect;
    target->DragOver(keyState, point, &allowed);
    effect = allowed & DroppedItemsEffects(data);
    THourglass hourglass;
    target->Drop(data, keyState, point, &effect);
}

DWORD ItemsDropEffects(IShellFolder* folder, const std::vector<const ITEMIDLIST*>& items) {
    if (!folder || items.empty()) return DROPEFFECT_NONE;
    // The shell's can-copy, can-move and can-link bits are the drop effects' own.
    SFGAOF attributes = SFGAO_CANCOPY | SFGAO_CANMOVE | SFGAO_CANLINK;
    std::vector<const ITEMIDLIST*> list(items);
    if (FAILED(folder->GetAttributesOf(UINT(list.size()), list.data(), &attributes))) return DROPEFFECT_NONE;
    return attributes & (DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
}

DWORD DroppedItemsEffects(IDataObject* data) {
    const DWORD allEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    if (!data) return allEffects;
    FORMATETC format{ShellIdListFormat(), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    TMediumHolder held;
    if (FAILED(data->GetData(&format, &held.medium)) || held.medium.tymed != TYMED_HGLOBAL || !held.medium.hGlobal)
        return allEffects;
    SIZE_T size = GlobalSize(held.medium.hGlobal);
    void* block = GlobalLock(held.medium.hGlobal);
    if (!block) return allEffects;
    struct TUnlock {
        HGLOBAL h;
        ~TUnlock() { GlobalUnlock(h); }
    } unlock{held.medium.hGlobal};

    const ITEMIDLIST* parent = nullptr;
    std::vector<const ITEMIDLIST*> items;
    if (!ReadIdListArray(block, size, parent, items)) return allEffects;
    TComRef<IShellFolder> folder;
    OleCheck(GetShellFolder(parent, *folder.Out()));
    DWORD effects = allEffects;
    for (const ITEMIDLIST* item : items) {
        SFGAOF attributes = SFGAO_CANCOPY | SFGAO_CANMOVE | SFGAO_CANLINK;
        OleCheck(folder->GetAttributesOf(1, &item, &attributes));
        effects &= attributes;
    }
    return effects & allEffects;
}

HRESULT GetParentFolderAndItem(const ITEMIDLIST* pidl, IShellFolder*& parent, PItemIDList& parentList,
                               PItemIDList& item) {
    parent = nullptr;
    parentList = nullptr;
    item = nullptr;
    PItemIDList desktopPath = nullptr;
    if (!pidl || pidl->mkid.cb == 0) {
        HRESULT result = PathToPidl(PidlToPath(nullptr), desktopPath);
        if (FAILED(result)) return result;
        pidl = desktopPath;
    }
    TRzIdListArray levels(pidl);
    Integer count = levels.Count();
    HRESULT result = S_OK;
    if (count <= 1) {
        result = GetDesktopFolder(parent);
    } else {
        parentList = CopyPidl(nullptr, levels.Ancestor(1));
        result = parentList ? GetShellFolder(parentList, parent) : E_OUTOFMEMORY;
    }
    if (SUCCEEDED(result)) {
        item = CopyPidl(nullptr, levels.Items(count - 1));
        if (!item) result = E_OUTOFMEMORY;
    }
    ShellMemFree(desktopPath);
    if (FAILED(result)) {
        if (parent) parent->Release();
        parent = nullptr;
        ShellMemFree(parentList);
        ShellMemFree(item);
        parentList = item = nullptr;
    }
    return result;
}

HRESULT GetPidlUIObject(const ITEMIDLIST* pidl, REFIID iid, void** object) {
    *object = nullptr;
    IShellFolder* parent = nullptr;
    PItemIDList parentList = nullptr, item = nullptr;
    HRESULT result = GetParentFolderAndItem(pidl, parent, parentList, item);
    if (FAILED(result)) return result;
    TComRef<IShellFolder> folder(parent);
    const ITEMIDLIST* items[] = {item};
    result = folder->GetUIObjectOf(nullptr, 1, items, iid, nullptr, object);
    ShellMemFree(parentList);
    ShellMemFree(item);
    return result;
}

HRESULT GetDesktopDropTarget(IDropTarget*& target) {
    target = nullptr;
    PItemIDList desktop = nullptr;
    HRESULT result = PathToPidl(PidlToPath(nullptr), desktop);
    if (FAILED(result)) return result;
    result = GetPidlUIObject(desktop, IID_IDropTarget, reinterpret_cast<void**>(&target));
    ShellMemFree(desktop);
    return result;
}
