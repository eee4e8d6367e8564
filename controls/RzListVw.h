#pragma once
// TRzCustomListView: the list view the shell list is built on. Over the platform's list view it
// adds the library's two-pixel frame (hot tracking, frame controller), a colour for each of the
// focused, unfocused and disabled states, a header whose sections it paints itself with a sort
// arrow in one of four places, sorting by a clicked column, a last report column stretched to
// the width, info tips in its own hint window, context menus from the keyboard and the right
// button with an item event, check box events that can veto a change, and wheel steps of fixed
// size. It publishes nothing itself; the shell list publishes what it shows.
//
// Sections: frame and colours; header; sorting and the last column; context menus; messages.

#include "HintWindow.h"
#include "ListView.h"
#include "RzControlFrame.h"
#include "RzFrameController.h"
#include "RzRegIniFile.h"
#include "SubclassedWindow.h"

// Where the sort arrow of the sorted column stands: nowhere (plain sections), at the section's
// left, at its right, or right after the text.
Z_ENUM(TRzLVHeaderSortDisplayMode, int, hsdmNone, hsdmLeftAlign, hsdmRightAlign, hsdmRightOfText)

// The menu for an item (Item: the focused one, maybe null) at Pos (client coordinates); both may
// be changed, and a null Menu shows nothing.
using TRzLVOnItemContextMenuEvent = TEvent<void(TObject* Sender, TListItem* Item, TPoint& Pos, TPopupMenu*& Menu)>;
// Paints a header section when DefaultHeaderPainting is off.
using TRzLVPaintHeaderSectionEvent = TEvent<void(TObject* Sender, TCanvas* Canvas, int Index, TRect Rect)>;
using TRzLVItemCheckChangedEvent = TEvent<void(TObject* Sender, TListItem* Item)>;
using TRzLVItemCheckChangingEvent = TEvent<void(TObject* Sender, TListItem* Item, bool& AllowChange, bool NewChecked)>;

// The list view posts this to itself when its window is made: the header formats are applied
// once the window has settled.
constexpr Cardinal RZ_LV_APPLYHEADERFORMATS = WM_USER + 100;

class TRzCustomListView : public TCustomListView {
    Z_CLASS(TRzCustomListView, TCustomListView)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_NCPAINT, WMNCPaint), Z_MESSAGE(WM_SIZE, WMSize), Z_MESSAGE(WM_NOTIFY, WMNotify),
                  Z_MESSAGE(WM_DRAWITEM, WMDrawItem), Z_MESSAGE(WM_PARENTNOTIFY, WMParentNotify),
                  Z_MESSAGE(WM_CONTEXTMENU, WMContextMenu), Z_MESSAGE(WM_RBUTTONUP, WMRButtonUp),
                  Z_MESSAGE(CN_NOTIFY, CNNotify), Z_MESSAGE(CM_ENABLEDCHANGED, CMEnabledChanged),
                  Z_MESSAGE(CM_COLORCHANGED, CMColorChanged), Z_MESSAGE(CM_SYSCOLORCHANGE, CMSysColorChange),
                  Z_MESSAGE(CM_ENTER, CMEnter), Z_MESSAGE(CM_EXIT, CMExit),
                  Z_MESSAGE(RZ_LV_APPLYHEADERFORMATS, WMApplyHeaderFormats))
public:
    explicit TRzCustomListView(TComponent* AOwner);
    ~TRzCustomListView() override;

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
    // Stored-form rules of the shell list that publishes these: a setting the frame controller
    // governs is the controller's to store.
    bool IsFrameSettingStored(TRzFrameControllerProperty property) const { return !frame_.Governed(property); }
    bool IsColorStored() const { return TCustomListView::IsColorStored() && Enabled(); }
    bool IsFocusColorStored() const { return frame_.IsFocusColorStored(); }

    // ---- header
    TRzLVHeaderSortDisplayMode HeaderSortDisplayMode() const { return headerSortDisplayMode_; }
    void SetHeaderSortDisplayMode(TRzLVHeaderSortDisplayMode v);
    // The column whose section shows the arrow (-1: none) and which way it points.
    int SortedColumn() const { return sortedColumn_; }
    void SetSortedColumn(int v);
    bool SortDescending() const { return sortDescending_; }
    void SetSortDescending(bool v);
    // Off: OnPaintHeaderSection paints the sections.
    bool DefaultHeaderPainting() const { return defaultHeaderPainting_; }
    void SetDefaultHeaderPainting(bool v) { defaultHeaderPainting_ = v; }
    // The header sections get their formats from HeaderSortDisplayMode (owner-drawn, or plain
    // strings with the column images).
    void ApplyHeaderFormats();
    // The section under the mouse while the visual styles are on (-1: none).
    int HotHeaderSection() const { return hotSection_; }

    // ---- sorting and the last column
    // A click on a column sorts by its texts: ascending, then descending on a second click.
    bool SortOnColumnClick() const { return sortOnColumnClick_; }
    void SetSortOnColumnClick(bool v) { sortOnColumnClick_ = v; }
    // In the report view with row select, a click on the row but off the caption edits nothing.
    bool RowClickEdits() const { return rowClickEdits_; }
    void SetRowClickEdits(bool v) { rowClickEdits_ = v; }
    bool StretchLastColumn() const { return stretchLastColumn_; }
    virtual void SetStretchLastColumn(bool v);
    // The last report column takes what the others leave of the client width.
    virtual void ResizeLastColumn();

    // ---- state
    virtual void UpdateColors();
    virtual void UpdateFrameState(bool changeMouseOver, bool mouseOver);
    virtual void RepaintFrame();
    bool MouseOver() const { return frame_.MouseOver; }
    void SetViewStyle(TViewStyle v) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetParent(TWinControl* AParent) override;
    void Loaded() override;

    TRzLVOnItemContextMenuEvent OnItemContextMenu;
    TRzLVPaintHeaderSectionEvent OnPaintHeaderSection;
    TRzLVItemCheckChangedEvent OnItemCheckChanged;
    TRzLVItemCheckChangingEvent OnItemCheckChanging;

protected:
    void CreateWnd() override;
    void DestroyWnd() override;
    void DefineProperties(TFiler* filer) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void ColClick(TListColumn* Column) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    bool IsCustomDrawn(TCustomDrawTarget Target, TCustomDrawStage Stage) override;
    bool CustomDrawItem(TListItem* Item, TCustomDrawState State, TCustomDrawStage Stage) override;

    virtual void DoPaintHeaderSection(TCanvas* canvas, int index, const TRect& rect);
    virtual void ItemCheckChanged(TListItem* Item);
    virtual bool ItemCheckChanging(TListItem* Item, bool NewChecked);
    // Keyboard and right-click requests (client point): the item menu, or the plain popup.
    virtual void ShowContextMenuAt(TPoint pos);
    virtual void ShowItemContextMenu(TPoint pos);
    // A descendant that showed a menu of its own for the click or key: the system's request that
    // follows is swallowed once, as for the control's own menus.
    void MarkMenuShown() { menuHandled_ = true; }
    virtual void DoItemContextMenu(TListItem* Item, TPoint& Pos, TPopupMenu*& Menu);

private:
    void WMNCPaint(TMessage& Message);
    void WMSize(TMessage& Message);
    void WMNotify(TMessage& Message);
    void WMDrawItem(TMessage& Message);
    void WMParentNotify(TMessage& Message);
    void WMContextMenu(TMessage& Message);
    void WMRButtonUp(TMessage& Message);
    void CNNotify(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMColorChanged(TMessage& Message);
    void CMSysColorChange(TMessage& Message);
    void CMEnter(TMessage& Message);
    void CMExit(TMessage& Message);
    void WMApplyHeaderFormats(TMessage& Message);

    template <class T>
    void ChangeFrame(T& field, const T& value) {
        if (AssignIfChanged(field, value)) RepaintFrame();
    }
    // ---- header
    void HookHeader();
    void HeaderWndProc(TMessage& Message);
    void PaintHeaderSection(const DRAWITEMSTRUCT& item);
    void InvalidateHeaderSection(int index);
    void SortChanged();
    // ---- the rest
    void SortByColumn(int column, bool descending);
    bool LabelEditAllowed(const NMLVDISPINFOW& info);
    void ItemChangeNotify(TMessage& Message, bool changing);
    void UpdateInfoTip(TPoint client);
    void HideInfoTip();
    void ShowPlainPopup(TPoint pos);

    TRzControlFrame frame_;
    TRzLVHeaderSortDisplayMode headerSortDisplayMode_ = hsdmRightOfText;
    int sortedColumn_ = -1;
    bool sortDescending_ = false;
    bool defaultHeaderPainting_ = true;
    int hotSection_ = -1;
    bool sectionPressed_ = false;
    bool mouseInHeader_ = false;
    TSubclassedWindow header_;
    int applyingFormats_ = 0;
    bool sortOnColumnClick_ = false;
    bool rowClickEdits_ = false;
    bool stretchLastColumn_ = true;
    int lastSortColumn_ = -1;
    bool loadingColumns_ = false;
    bool dragStarted_ = false;
    bool editingCaption_ = false;
    bool rightClicked_ = false;
    bool menuHandled_ = false;
    bool assigningController_ = false;
    TCanvas* headerCanvas_;
    THintWindow* infoTip_ = nullptr;
    TRect infoTipRect_{};
};
