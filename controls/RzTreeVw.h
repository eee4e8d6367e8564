#pragma once
// TRzCustomTreeView: the tree view the shell tree is built on. Over the platform's tree view it
// adds the library's two-pixel frame (hot tracking, frame controller), a colour for each of the
// focused, unfocused and disabled states, an outline around the selected node while another
// control has the focus, a settable item height, wheel steps by scroll position, selecting a
// node as it expands, context menus from the keyboard and the right button with a node event,
// and the node tree as indented text lines.
//
// Sections: frame and colours; nodes and their look; context menus; indented text.

#include "Pen.h"
#include "RzControlFrame.h"
#include "RzFrameController.h"
#include "RzRegIniFile.h"
#include "StringList.h"
#include "TreeView.h"

// The menu for a node (maybe null) at Pos (client coordinates); both may be changed, and a null
// Menu shows nothing.
using TRzTvOnNodeContextMenuEvent = TEvent<void(TObject* Sender, TTreeNode* Node, TPoint& Pos, TPopupMenu*& Menu)>;

class TRzCustomTreeView : public TCustomTreeView {
    Z_CLASS(TRzCustomTreeView, TCustomTreeView)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_PAINT, WMPaint), Z_MESSAGE(WM_NCPAINT, WMNCPaint), Z_MESSAGE(WM_SIZE, WMSize),
                  Z_MESSAGE(WM_CONTEXTMENU, WMContextMenu), Z_MESSAGE(WM_RBUTTONUP, WMRButtonUp),
                  Z_MESSAGE(CN_NOTIFY, CNNotify), Z_MESSAGE(CM_ENABLEDCHANGED, CMEnabledChanged),
                  Z_MESSAGE(CM_COLORCHANGED, CMColorChanged), Z_MESSAGE(CM_SYSCOLORCHANGE, CMSysColorChange),
                  Z_MESSAGE(CM_ENTER, CMEnter), Z_MESSAGE(CM_EXIT, CMExit))
public:
    explicit TRzCustomTreeView(TComponent* AOwner);
    ~TRzCustomTreeView() override;

    // ---- frame and colours
    bool FrameVisible() const { return frame_.Visible; }
    virtual void SetFrameVisible(bool v);
    TFrameStyle FrameStyle() const { return frame_.Style; }
    virtual void SetFrameStyle(TFrameStyle v);
    TFrameStyle FrameHotStyle() const { return frame_.HotStyle; }
    virtual void SetFrameHotStyle(TFrameStyle v);
    TSides FrameSides() const { return frame_.Sides; }
    virtual void SetFrameSides(TSides v);
    TColor FrameColor() const { return frame_.Color; }
    virtual void SetFrameColor(TColor v);
    TColor FrameHotColor() const { return frame_.HotColor; }
    virtual void SetFrameHotColor(TColor v);
    // Hot tracking shows the frame (on every side) and draws it hot while focused or hovered.
    bool FrameHotTrack() const { return frame_.HotTrack; }
    virtual void SetFrameHotTrack(bool v);
    TFramingPreference FramingPreference() const { return frame_.Preference; }
    virtual void SetFramingPreference(TFramingPreference v);
    TRzFrameController* FrameController() const { return frame_.Controller; }
    virtual void SetFrameController(TRzFrameController* v);
    TRzFrameControllerNotifications FrameControllerNotifications() const { return frame_.Notifications; }
    void SetFrameControllerNotifications(TRzFrameControllerNotifications v) { frame_.Notifications = v; }
    TColor DisabledColor() const { return frame_.DisabledColor; }
    virtual void SetDisabledColor(TColor v);
    TColor FocusColor() const { return frame_.FocusColor; }
    virtual void SetFocusColor(TColor v);
    // The colour while enabled without the focus: what Color was last set to from outside.
    TColor UnfocusedColor() const { return frame_.UnfocusedColor; }
    // True while the visual style draws the border, so the frame is not painted.
    virtual bool UsesThemedFrame() const { return frame_.Themed(); }
    // Stored-form rules of the shell tree that publishes these (as for the list view base).
    bool IsFrameSettingStored(TRzFrameControllerProperty property) const { return !frame_.Governed(property); }
    bool IsColorStored() const { return TCustomTreeView::IsColorStored() && Enabled(); }
    bool IsFocusColorStored() const { return frame_.IsFocusColorStored(); }

    virtual void UpdateColors();
    virtual void UpdateFrameState(bool changeMouseOver, bool mouseOver);
    virtual void RepaintFrame();
    bool MouseOver() const { return frame_.MouseOver; }

    // ---- nodes and their look
    // Pixels a row is high; 0 (also for anything below) is the tree's own height.
    int ItemHeight() const { return itemHeight_; }
    virtual void SetItemHeight(int v);
    // Selecting a node expands it and collapses the others; excludes SelectOnExpand.
    bool AutoExpand() const { return TCustomTreeView::AutoExpand(); }
    virtual void SetAutoExpand(bool v);
    // A node that expands or collapses becomes the selected one; excludes AutoExpand.
    bool SelectOnExpand() const { return selectOnExpand_; }
    virtual void SetSelectOnExpand(bool v);
    // Outlines the selected node while HideSelection is off and the focus is elsewhere.
    TPen* InactiveSelectionPen() const { return inactiveSelectionPen_; }
    virtual void SetInactiveSelectionPen(TPen* v) { inactiveSelectionPen_->Assign(v); }
    // The node a command is meant for: the one right-clicked while its menu shows (with
    // RightClickSelect), else the selected one; null without a window.
    TTreeNode* SelectedNode() const;
    void Loaded() override;

    // ---- indented text
    // Replaces the nodes with lines of text: each leading tab or blank is one level deeper. A
    // line more than one level below the line before raises ETreeViewError.
    virtual void LoadTreeFromStrings(TStrings* lines);
    // One line per node in tree order: a tab per level, then the text.
    virtual void SaveTreeToStrings(TStrings* lines);

    TRzTvOnNodeContextMenuEvent OnNodeContextMenu;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DefineProperties(TFiler* filer) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Expand(TTreeNode* Node) override;
    void Collapse(TTreeNode* Node) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void MouseEnter() override;
    void MouseLeave() override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

    virtual void ApplyItemHeight();
    // The keyboard's request: the selected node's menu, or the popup menu at the client origin.
    virtual void ShowContextMenuAt();
    virtual void ShowNodeContextMenu(TTreeNode* node, TPoint pos);
    virtual void DoNodeContextMenu(TTreeNode* Node, TPoint& Pos, TPopupMenu*& Menu);

private:
    void WMPaint(TMessage& Message);
    void WMNCPaint(TMessage& Message);
    void WMSize(TMessage& Message);
    void WMContextMenu(TMessage& Message);
    void WMRButtonUp(TMessage& Message);
    void CNNotify(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMColorChanged(TMessage& Message);
    void CMSysColorChange(TMessage& Message);
    void CMEnter(TMessage& Message);
    void CMExit(TMessage& Message);

    template <class T>
    void ChangeFrame(T& field, const T& value) {
        if (AssignIfChanged(field, value)) RepaintFrame();
    }
    void PenChanged(TObject* Sender) { Invalidate(); }
    void PaintInactiveSelection();
    void RightClick();

    TRzControlFrame frame_;
    int itemHeight_ = 0;
    bool selectOnExpand_ = false;
    TPen* inactiveSelectionPen_;
    bool recreating_ = false;
    bool menuHandled_ = false;
    TTreeNode* rightClickNode_ = nullptr;
    TControlCanvas* canvas_;
};
