#include "RzTreeVw.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "ControlCanvas.h"
#include "Format.h"
#include "Mouse.h"
#include "RzGrafx.h"
#include "RzShellUtils.h"

// Sections: construction and window; frame and colours; nodes and their look; context menus;
// indented text.

// ---- construction and window

TRzCustomTreeView::TRzCustomTreeView(TComponent* AOwner)
    : TCustomTreeView(AOwner), frame_(this), inactiveSelectionPen_(new TPen()), canvas_(new TControlCanvas(this)) {
    inactiveSelectionPen_->SetColor(clBtnShadow);
    inactiveSelectionPen_->OnChange = MakeEvent(this, &TRzCustomTreeView::PenChanged);
}

TRzCustomTreeView::~TRzCustomTreeView() {
    if (frame_.Controller) frame_.Controller->RemoveControl(this);
    // The window goes while the canvas and the pen still exist: it paints while it goes.
    if (HandleAllocated()) DestroyHandle();
    FreeObject(canvas_);
    FreeObject(inactiveSelectionPen_);
}

void TRzCustomTreeView::CreateParams(TCreateParams& Params) {
    TCustomTreeView::CreateParams(Params);
    // Tool tips of comctl32 before 4.72 fail on the NT family.
    if (IsWinNT() && ComCtlVersion().MS < 0x00040048) Params.Style |= TVS_NOTOOLTIPS;
}

void TRzCustomTreeView::CreateWnd() {
    TCustomTreeView::CreateWnd();
    ApplyItemHeight();
}

void TRzCustomTreeView::Loaded() {
    TCustomTreeView::Loaded();
    ApplyItemHeight();
    UpdateColors();
    UpdateFrameState(false, false);
}

void TRzCustomTreeView::DefineProperties(TFiler* filer) {
    TCustomTreeView::DefineProperties(filer);
    DefineObsoleteFrameProperties(filer,
                                  {[this](bool v) { SetFrameHotTrack(v); }, [this](TFrameStyle v) { SetFrameStyle(v); },
                                   [this](TFrameStyle v) { SetFrameHotStyle(v); }});
}

void TRzCustomTreeView::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomTreeView::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == frame_.Controller) frame_.Controller = nullptr;
}

// ---- frame and colours

void TRzCustomTreeView::WMNCPaint(TMessage& Message) {
    DefaultHandler(Message);
    frame_.PaintNonClient();
    Message.Result = 0;
}

void TRzCustomTreeView::WMSize(TMessage& Message) {
    Inherited<TCustomTreeView>(Message);
    if (frame_.Painted()) RepaintFrame();
}

void TRzCustomTreeView::RepaintFrame() {
    if (HandleAllocated()) InvalidateNonClientFrame(WindowHandle(), TRect{0, 0, Width(), Height()});
}

void TRzCustomTreeView::UpdateColors() { frame_.ShowStateColor(); }

void TRzCustomTreeView::UpdateFrameState(bool changeMouseOver, bool mouseOver) {
    if (changeMouseOver) frame_.MouseOver = mouseOver;
    if (frame_.HotTrack) RepaintFrame();
    UpdateColors();
}

void TRzCustomTreeView::CMColorChanged(TMessage& Message) {
    Inherited<TCustomTreeView>(Message);
    if (frame_.ColorChanged()) RepaintFrame();
}

void TRzCustomTreeView::CMSysColorChange(TMessage& Message) {
    Inherited<TCustomTreeView>(Message);
    frame_.SystemColorsChanged();
}

void TRzCustomTreeView::CMEnabledChanged(TMessage& Message) {
    Inherited<TCustomTreeView>(Message);
    UpdateColors();
}

void TRzCustomTreeView::CMEnter(TMessage& Message) {
    Inherited<TCustomTreeView>(Message);
    UpdateFrameState(false, false);
}

void TRzCustomTreeView::CMExit(TMessage& Message) {
    Inherited<TCustomTreeView>(Message);
    UpdateFrameState(false, false);
}

void TRzCustomTreeView::MouseEnter() {
    TCustomTreeView::MouseEnter();
    UpdateFrameState(true, true);
}

void TRzCustomTreeView::MouseLeave() {
    TCustomTreeView::MouseLeave();
    UpdateFrameState(true, false);
}

void TRzCustomTreeView::SetFrameVisible(bool v) {
    if (!AssignIfChanged(frame_.Visible, v)) return;
    recreating_ = true;
    try {
        RecreateWnd();
    } catch (...) {
        recreating_ = false;
        throw;
    }
    recreating_ = false;
}

void TRzCustomTreeView::SetFrameStyle(TFrameStyle v) { ChangeFrame(frame_.Style, v); }
void TRzCustomTreeView::SetFrameHotStyle(TFrameStyle v) { ChangeFrame(frame_.HotStyle, v); }
void TRzCustomTreeView::SetFrameSides(TSides v) { ChangeFrame(frame_.Sides, v); }
void TRzCustomTreeView::SetFrameColor(TColor v) { ChangeFrame(frame_.Color, v); }
void TRzCustomTreeView::SetFrameHotColor(TColor v) { ChangeFrame(frame_.HotColor, v); }

void TRzCustomTreeView::SetFrameHotTrack(bool v) {
    if (!AssignIfChanged(frame_.HotTrack, v)) return;
    if (v) {
        SetFrameVisible(true);
        if (!IsLoading()) SetFrameSides(sdAllSides);
    }
    RepaintFrame();
    Invalidate();
}

void TRzCustomTreeView::SetFramingPreference(TFramingPreference v) {
    if (AssignIfChanged(frame_.Preference, v) && v == fpCustomFraming) RepaintFrame();
}

void TRzCustomTreeView::SetFrameController(TRzFrameController* v) {
    if (frame_.Controller == v) return;
    if (frame_.Controller) frame_.Controller->RemoveControl(this);
    frame_.Controller = v;
    if (!v) return;
    v->AddControl(this);
    v->FreeNotification(this);
}

void TRzCustomTreeView::SetDisabledColor(TColor v) {
    if (AssignIfChanged(frame_.DisabledColor, v) && !Enabled()) UpdateColors();
}

void TRzCustomTreeView::SetFocusColor(TColor v) {
    if (AssignIfChanged(frame_.FocusColor, v) && Focused()) UpdateColors();
}

// ---- nodes and their look

void TRzCustomTreeView::SetItemHeight(int v) {
    if (AssignIfChanged(itemHeight_, v)) ApplyItemHeight();
}

void TRzCustomTreeView::ApplyItemHeight() {
    if (!HandleAllocated()) return;
    if (itemHeight_ <= 0) itemHeight_ = 0;
    // -1 gives the tree its own height back.
    SendMessageW(WindowHandle(), TVM_SETITEMHEIGHT, WPARAM(itemHeight_ > 0 ? itemHeight_ : -1), 0);
}

void TRzCustomTreeView::SetAutoExpand(bool v) {
    if (v) selectOnExpand_ = false;
    TCustomTreeView::SetAutoExpand(v);
}

void TRzCustomTreeView::SetSelectOnExpand(bool v) {
    selectOnExpand_ = v;
    if (v) TCustomTreeView::SetAutoExpand(false);
}

void TRzCustomTreeView::Expand(TTreeNode* Node) {
    TCustomTreeView::Expand(Node);
    if (selectOnExpand_ && Node) SetSelected(Node);
}

void TRzCustomTreeView::Collapse(TTreeNode* Node) {
    if (selectOnExpand_ && Node) SetSelected(Node);
    TCustomTreeView::Collapse(Node);
}

void TRzCustomTreeView::WMPaint(TMessage& Message) {
    Inherited<TCustomTreeView>(Message);
    PaintInactiveSelection();
}

void TRzCustomTreeView::PaintInactiveSelection() {
    if (HideSelection() || Focused() || !HandleAllocated()) return;
    // While the node's text is being edited the editor has the focus and shows the node itself.
    HWND editor = reinterpret_cast<HWND>(SendMessageW(WindowHandle(), TVM_GETEDITCONTROL, 0, 0));
    if (editor && GetFocus() == editor) return;
    TTreeNode* node = SelectedNode();
    if (!node) return;
    const TRect r = node->DisplayRect(true);
    if (IsRectEmpty(&r)) return;
    canvas_->Pen()->Assign(inactiveSelectionPen_);
    canvas_->Brush()->SetStyle(bsClear);
    canvas_->Rectangle(r);
    canvas_->Pen()->SetWidth(1);
    canvas_->Pen()->SetStyle(psSolid);
    canvas_->FreeHandle();
}

bool TRzCustomTreeView::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    if (TCustomTreeView::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_POS;
    GetScrollInfo(WindowHandle(), SB_VERT, &info);
    int position = info.nPos;
    if (WheelDelta < 0)
        position += Mouse->WheelScrollLines();
    else
        position = std::max(position - Mouse->WheelScrollLines(), 0);
    SendMessageW(WindowHandle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position), 0);
    SetScrollPos(WindowHandle(), SB_VERT, position, TRUE);
    return true;
}

TTreeNode* TRzCustomTreeView::SelectedNode() const {
    if (!HandleAllocated()) return nullptr;
    if (RightClickSelect() && rightClickNode_) return rightClickNode_;
    return Selected();
}

// ---- context menus

void TRzCustomTreeView::CNNotify(TMessage& Message) {
    if (reinterpret_cast<const NMHDR*>(Message.LParam)->code == NM_RCLICK) RightClick();
    Inherited<TCustomTreeView>(Message);
}

void TRzCustomTreeView::RightClick() {
    POINT cursor;
    GetCursorPos(&cursor);
    TPoint pos = ScreenToClient(TPoint{cursor.x, cursor.y});
    TTreeNode* node = GetNodeAt(pos.x, pos.y);
    if (!node) node = Selected();
    // A new click: whatever the last one left marked is over.
    menuHandled_ = false;
    if (!node) return;
    rightClickNode_ = node;
    try {
        TPopupMenu* menu = PopupMenu();
        DoNodeContextMenu(node, pos, menu);
        if (menu) ShowPopupMenuFor(this, menu, ClientToScreen(pos));
    } catch (...) {
        rightClickNode_ = nullptr;
        throw;
    }
    rightClickNode_ = nullptr;
    menuHandled_ = true;
}

void TRzCustomTreeView::WMRButtonUp(TMessage& Message) {
    if (!menuHandled_ || !PopupMenu()) {
        Inherited<TCustomTreeView>(Message);
        menuHandled_ = false;
        return;
    }
    // The menu was shown already: the release must not show the popup menu again.
    TPopupMenu* menu = PopupMenu();
    const bool autoPopup = menu->AutoPopup();
    menu->SetAutoPopup(false);
    try {
        Inherited<TCustomTreeView>(Message);
    } catch (...) {
        menu->SetAutoPopup(autoPopup);
        menuHandled_ = false;
        throw;
    }
    menu->SetAutoPopup(autoPopup);
    menuHandled_ = false;
}

void TRzCustomTreeView::WMContextMenu(TMessage& Message) {
    Message.Result = 1;
    // The request that follows a right click whose menu showed already ends here.
    if (menuHandled_) {
        menuHandled_ = false;
        return;
    }
    if (SelectedNode()) return;
    const TPoint screen = MessagePoint(Message.LParam);
    if (screen.x == -1 && screen.y == -1)
        ShowContextMenuAt();
    else
        ShowNodeContextMenu(nullptr, ScreenToClient(screen));
}

void TRzCustomTreeView::KeyDown(Word& Key, TShiftState Shift) {
    if (IsContextMenuKey(Key, Shift)) {
        Key = 0;
        ShowContextMenuAt();
        return;
    }
    TCustomTreeView::KeyDown(Key, Shift);
}

void TRzCustomTreeView::ShowContextMenuAt() {
    if (TTreeNode* node = SelectedNode()) {
        const TRect r = node->DisplayRect(true);
        ShowNodeContextMenu(node, TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    } else if (PopupMenu()) {
        ShowPopupMenuFor(this, PopupMenu(), ClientToScreen(TPoint{0, 0}));
    }
}

void TRzCustomTreeView::ShowNodeContextMenu(TTreeNode* node, TPoint pos) {
    TPopupMenu* menu = PopupMenu();
    DoNodeContextMenu(node, pos, menu);
    if (menu != PopupMenu()) menuHandled_ = true;
    if (menu) ShowPopupMenuFor(this, menu, ClientToScreen(pos));
}

void TRzCustomTreeView::DoNodeContextMenu(TTreeNode* Node, TPoint& Pos, TPopupMenu*& Menu) {
    if (OnNodeContextMenu) OnNodeContextMenu(this, Node, Pos, Menu);
}

// ---- indented text

void TRzCustomTreeView::LoadTreeFromStrings(TStrings* lines) {
    TTreeNodes* nodes = Items();
    nodes->BeginUpdate();
    try {
        nodes->Clear();
        // The previous node and its ancestors, each with the level its line was indented to.
        struct TPlaced {
            TTreeNode* node;
            int level;
        };
        std::vector<TPlaced> path;
        for (Integer i = 0; i < lines->Count(); ++i) {
            const String line = lines->Get(i);
            size_t indent = 0;
            while (indent < line.size() && (line[indent] == L'\t' || line[indent] == L' ')) ++indent;
            const int level = int(indent);
            const String text = line.substr(indent);
            if (path.empty()) {
                path.push_back({nodes->AddChild(nullptr, text), level});
                continue;
            }
            const TPlaced previous = path.back();
            if (level == previous.level) {
                path.back() = {nodes->Add(previous.node, text), level};
            } else if (level == previous.level + 1) {
                path.push_back({nodes->AddChild(previous.node, text), level});
            } else if (level < previous.level) {
                // Up from the previous node's parent to the first ancestor as high as the line.
                path.pop_back();
                while (!path.empty() && path.back().level > level) path.pop_back();
                if (path.empty()) {
                    // Lines shallower than the first one have no ancestor there: they are roots.
                    path.push_back({nodes->AddChild(nullptr, text), level});
                } else {
                    path.back() = {nodes->Add(path.back().node, text), level};
                }
            } else {
                throw ETreeViewError(Format(L"Invalid level (%d) for item \"%s\"", {level, text}));
            }
        }
    } catch (...) {
        nodes->EndUpdate();
        Invalidate();
        throw;
    }
    nodes->EndUpdate();
}

void TRzCustomTreeView::SaveTreeToStrings(TStrings* lines) {
    for (TTreeNode* node = Items()->GetFirstNode(); node; node = node->GetNext())
        lines->Add(String(size_t(node->Level()), L'\t') + node->Text());
}
