#pragma once
// The ribbon: a window at the top of its form that shows the tab headers, the groups of the
// active tab (toolbars of the bar manager docked into the tab's dock control), the quick access
// toolbar, the application button and the help button. It draws only through its colour scheme
// (a TdxCustomRibbonSkin of the bar-skin manager) and lends that scheme to the bar painters of
// its groups through IdxSkin, forwarding each numbered bar part to one scheme operation.
//
// Sections: events · the ribbon · the published ribbon.

#include <memory>
#include <vector>

#include "cxControl.h"
#include "cxEventHandlerCollection.h"
#include "dxBarManager.h"
#include "dxBarSkinContract.h"
#include "dxRibbonDockControls.h"
#include "dxRibbonFormCaptionHelper.h"
#include "dxRibbonOptions.h"
#include "dxRibbonPopupMenuItems.h"
#include "dxRibbonSkins.h"
#include "dxRibbonTabs.h"

class TComponentList;
class TCustomForm;
struct IdxBarAccessibilityHelper;
class TdxBarAccessibilityHelper;
class TdxCustomRibbonForm;
class TdxRibbonBarPainter;
class TdxRibbonPopupMenu;
class TdxRibbonQuickAccessGroupButton;
class TdxRibbonController;
class TdxRibbonPainter;
class TdxRibbonTabGroupsPopupWindow;
class TdxRibbonViewInfo;

// ---- events --------------------------------------------------------------------------------

using TdxRibbonEvent = TEvent<void(TdxCustomRibbon* sender)>;
using TdxRibbonTabChangingEvent = TEvent<void(TdxCustomRibbon* sender, TdxRibbonTab* newTab, bool& allow)>;
using TdxRibbonApplicationMenuClickEvent = TEvent<void(TdxCustomRibbon* sender, bool& handled)>;
using TdxRibbonTabGroupNotifyEvent =
    TEvent<void(TdxCustomRibbon* sender, TdxRibbonTab* tab, TdxRibbonTabGroup* group)>;

// ---- status bar parts of the form frame ----------------------------------------------------

// A status bar that joins the frame of the form whose frame the ribbon draws: the frame's
// bottom is then one pixel and the pieces beside the bar follow its ends.
class IdxRibbonStatusBarPart {
public:
    virtual bool IsOnForm(TCustomForm* form) = 0;
    virtual int GetHeight() = 0;
    // 0 or 1: which image the frame piece beside that end of the bar takes.
    virtual int IsFrameRaised(bool isLeft) = 0;

protected:
    ~IdxRibbonStatusBarPart() = default;
};

// ---- the ribbon ----------------------------------------------------------------------------

class TdxCustomRibbon : public TcxControl, public IdxSkin, public IdxRibbonFormNonClientPainter {
    Z_CLASS(TdxCustomRibbon, TcxControl)
public:
    // Raises EdxException when GDI+ is missing, when the owner is no form (a nil owner means the
    // main form) or when the form already has a ribbon.
    // ribbonClass names the class in the messages and the one-per-form check (nil: this one).
    explicit TdxCustomRibbon(TComponent* owner, TClass ribbonClass = nullptr);
    // The owner checks of the constructor, shared with the ribbon status bar: the owner to use
    // (a nil owner means the main form), or EdxException naming ribbonClass.
    static TComponent* CheckedRibbonOwner(TComponent* owner, TClass ribbonClass);
    ~TdxCustomRibbon() override;
    void BeforeDestruction() override;

    // -- model
    TdxRibbonTabCollection* Tabs() const { return tabs_; }
    void SetTabs(TdxRibbonTabCollection* value) { tabs_->Assign(value); }
    TdxRibbonTab* ActiveTab() const { return activeTab_; }
    // Asks OnTabChanging first (at run time); a veto changes nothing.
    void SetActiveTab(TdxRibbonTab* tab);
    int VisibleTabCount() const;
    TdxRibbonTab* GetVisibleTab(int index) const;
    TdxRibbonQuickAccessToolbar* QuickAccessToolbar() const { return quickAccessToolbar_; }
    void SetQuickAccessToolbar(TdxRibbonQuickAccessToolbar* value) { quickAccessToolbar_->Assign(value); }
    TdxRibbonApplicationButton* ApplicationButton() const { return applicationButton_; }
    void SetApplicationButton(TdxRibbonApplicationButton* value) { applicationButton_->Assign(value); }
    TdxRibbonFonts* Fonts() const { return fonts_; }
    void SetFonts(TdxRibbonFonts* value) { fonts_->Assign(value); }

    // -- bar manager and colour scheme
    TdxBarManager* BarManager() const { return barManager_; }
    void SetBarManager(TdxBarManager* value);
    bool HasBarManager() const { return barManager_ && !barManager_->IsDestroying(); }
    TdxCustomRibbonSkin* ColorScheme() const { return colorScheme_; }
    String ColorSchemeName() const;
    // An unknown name (or one that is no ribbon scheme) keeps the current scheme.
    void SetColorSchemeName(const String& value);
    // The bar-skin manager removed a skin: a ribbon showing it takes the first ribbon scheme.
    void SchemeRemoved(TdxCustomBarSkin* scheme);
    TcxEventHandlerCollection* ColorSchemeListeners() const { return colorSchemeListeners_.get(); }

    // -- options
    const String& DocumentName() const { return documentName_; }
    void SetDocumentName(const String& value);
    bool ShowTabGroups() const { return showTabGroups_; }
    void SetShowTabGroups(bool value);
    bool ShowTabHeaders() const { return showTabHeaders_; }
    void SetShowTabHeaders(bool value);
    // The ribbon draws its form's caption and frame (on a ribbon form).
    bool SupportNonClientDrawing() const { return supportNonClientDrawing_; }
    void SetSupportNonClientDrawing(bool value);
    TdxRibbonFormCaptionHelper* FormCaptionHelper() const { return formCaptionHelper_.get(); }
    // The owner when it is a ribbon form not being destroyed, else nil.
    TdxCustomRibbonForm* GetRibbonForm() const;
    // Hands the caption helper (or nil) to the ribbon form.
    void UpdateNonClientState();
    // The form's caption changed: relayout and repaint the caption.
    void FormCaptionChanged();
    String GetFormCaptionText() const;
    // Status bars joining the form frame.
    void RegisterPart(IdxRibbonStatusBarPart* part);
    void UnregisterPart(IdxRibbonStatusBarPart* part);
    IdxRibbonStatusBarPart* GetStatusBarPart() const;
    bool FadingEnabled() const { return fadingEnabled_; }
    void SetFadingEnabled(bool value);
    bool IsFadingAllowed() const;
    // True while the form is too small for more than the caption.
    bool Hidden() const { return hidden_; }
    void SetHidden(bool value) { hidden_ = value; }
    // The ribbon's keyboard-navigation helper, the root of its form's navigation and key tips
    // (made on the first request; nil while the ribbon goes).
    IdxBarAccessibilityHelper* ObtainAccessibilityHelper();

    // The groups popup of a minimized ribbon (made on first use; owned by the ribbon).
    bool IsGroupsPopupShown() const { return groupsPopupShown_; }
    TdxRibbonTabGroupsPopupWindow* GroupsPopupWindow() const { return groupsPopupWindow_; }
    // Shows the active tab's groups in the popup (nothing without an active tab or a window).
    void ShowGroupsPopup();
    void CloseGroupsPopup();
    // The popup tells the ribbon that it shows or closed.
    void GroupsPopupShowing(bool shown);
    bool AreGroupsVisible() const { return !hidden_ && (showTabGroups_ || IsGroupsPopupShown()); }

    // -- update bracket and recalculation
    void BeginUpdate();
    void EndUpdate();
    void EndUpdateNoRecalc();
    bool IsLocked() const;
    // Recalculates the layout and repaints, unless locked.
    void Changed();
    void FullInvalidate();
    int LoadedHeight() const { return loadedHeight_; }
    int FormCaptionHeight() const { return formCaptionHeight_; }
    // The height of the layout; the control's Height always follows it.
    virtual void AdjustHeight();

    // -- parts
    TdxRibbonViewInfo* ViewInfo() const { return viewInfo_.get(); }
    TdxRibbonPainter* Painter() const { return painter_.get(); }
    TdxRibbonController* Controller() const { return controller_.get(); }
    TdxRibbonGroupsDockControlSite* GroupsSite() const { return groupsSite_; }
    TdxRibbonTab* HotTab() const { return hotTab_; }
    void SetHotTab(TdxRibbonTab* tab);

    // -- group metrics (of the groups' bar painter)
    int GetGroupCaptionHeight();
    int GetGroupRowHeight();
    int GetGroupRowsHeight() { return 3 * GetGroupRowHeight(); }
    int GetGroupHeight();
    // The bar painter of the group windows (made on first use, kept by the ribbon).
    TdxRibbonBarPainter* GroupsPainter();

    // The ribbon sits on the form that contains the parent given, at its top.
    void SetParent(TWinControl* parent) override;

    // -- the form's key preview: Ctrl+F1 toggles the groups
    void FormKeyDown(Word& key, TShiftState shift);

    // -- IdxSkin: each bar part goes to one operation of the colour scheme
    void DrawSkinPart(HDC dc, const TRect& r, int part, int state) override;
    void DrawSkinPartCaption(HDC dc, const String& text, const TRect& r, int part, int state) override;
    void CalcSkinCaptionRect(const TRect& r, int part, TRect& captionRect) override;
    void GetSkinPartContentOffsets(int part, TRect& offsets) override;
    void GetSkinName(String& name) override;
    TColor GetSkinPartColor(int part, int state) override;
    int GetSkinPartOffset(int part) override;

    // -- IdxRibbonFormNonClientPainter: the form's caption and frame
    void DrawRibbonFormCaption(TcxCanvas* canvas, const TRect& bounds, const FormPaintData& data) override;
    void DrawRibbonFormBorders(TcxCanvas* canvas, const TRect& bordersWidth, const FormPaintData& data) override;
    void DrawRibbonFormBorderIcon(TcxCanvas* canvas, const TRect& bounds, TdxRibbonBorderIcon icon,
                                  int state) override;
    HRGN GetRibbonApplicationButtonRegion() override;
    int GetRibbonFormCaptionHeight() override { return formCaptionHeight_; }
    TColor GetRibbonFormColor() override;
    int GetRibbonLoadedHeight() override { return loadedHeight_; }
    String GetRibbonFormCaptionText() override { return GetFormCaptionText(); }
    TRect GetWindowBordersWidth() override;
    bool HasStatusBar() override { return GetStatusBarPart() != nullptr; }
    void UpdateNonClientArea() override { FormCaptionChanged(); }
    void UpdateNonClientDrawing() override;
    void RedrawRibbon() override;

    // -- context menu and stored layout (dxRibbonContextMenu.cpp)
    TdxRibbonPopupMenuItems PopupMenuItems() const { return popupMenuItems_; }
    void SetPopupMenuItems(TdxRibbonPopupMenuItems value);
    // PopupMenuItems, less the quick access toolbar's commands while that toolbar is not shown.
    TdxRibbonPopupMenuItems GetEffectivePopupMenuItems() const;
    // OnMoreCommandsExecute when assigned, else the bar manager's customizing.
    void DoMoreCommandsExecute();
    // The buttons of the last filled context menu: internal items of the bar manager, owned here
    // and freed at each filling.
    TComponentList* PopupMenuButtons() const { return popupMenuButtons_.get(); }
    // The ribbon's own context menu: more commands, the toolbar's position and minimizing.
    void FillRibbonContextMenu(TdxBarItemLinks* links);
    // Pops the context menu up at the mouse (nothing without a live bar manager or for an empty menu).
    virtual void ShowRibbonContextMenu();
    // The menu window ShowRibbonContextMenu opened last (nil when none is open).
    TdxRibbonPopupMenu* ContextMenu() const { return contextMenu_; }
    // The context menu's button: runs the command in the button's Tag.
    void RibbonMenuCommand(TObject* sender);
    // A group button for bar on the quick access toolbar; nil when refused (nothing is left behind).
    TdxRibbonQuickAccessGroupButton* AddQATGroupButton(TdxBar* bar);
    // The bar painter of the ribbon's bar windows and menus (made on first use, owned).
    TdxRibbonBarPainter* BarPainter();
    // The bar manager's layout read and write handlers (registered while the manager is set).
    void ReadLayout(TObject* sender, const void* eventData);
    void WriteLayout(TObject* sender, const void* eventData);
    // The section of the ribbon's own keys under the layout's base section.
    String RibbonSectionName(const String& baseSection) const;

    // -- events
    TdxRibbonEvent OnHelpButtonClick;
    TdxRibbonEvent OnTabChanged;
    TdxRibbonTabChangingEvent OnTabChanging;
    TdxRibbonApplicationMenuClickEvent OnApplicationMenuClick;
    TdxRibbonEvent OnMoreCommandsExecute;
    TdxRibbonTabGroupNotifyEvent OnTabGroupCollapsed;
    TdxRibbonTabGroupNotifyEvent OnTabGroupExpanded;

    // Called by the tab collection.
    void TabAdded(TdxRibbonTab* tab);
    void TabRemoving(TdxRibbonTab* tab);
    void ActivateNearestTab(TdxRibbonTab* tab);
    // Dispatches a click of the help button.
    virtual void DoHelpButtonClick();
    // A pass of the tab's groups collapsed or expanded the group.
    virtual void DoTabGroupCollapsed(TdxRibbonTab* tab, TdxRibbonTabGroup* group);
    virtual void DoTabGroupExpanded(TdxRibbonTab* tab, TdxRibbonTabGroup* group);

protected:
    virtual bool DoTabChanging(TdxRibbonTab* newTab);
    virtual void DoTabChanged();
    void ColorSchemeChanged();

    void Paint() override;
    void Loaded() override;
    void ReadState(TReader* reader) override;
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Resize() override;
    void ConstrainedResize(int& width, int& height) override;
    void KeyDown(Word& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
    void FireMouseLeave(TControl* control) override;
    void DblClick() override;
    void CreateWnd() override;
    bool IsFocusable() const override { return false; }
    bool HasScrollBars() const override { return false; }
    void NotifyFontListeners() override;

public:
    // The recalculations done so far (tests count them).
    int ChangeCount() const { return changeCount_; }

private:
    void RegisterLayoutHandlers(bool add);

    TdxRibbonPopupMenuItems popupMenuItems_ = dxRibbonAllPopupMenuItems;
    std::unique_ptr<TComponentList> popupMenuButtons_;
    std::unique_ptr<TdxRibbonBarPainter> barPainter_;
    TdxRibbonPopupMenu* contextMenu_ = nullptr;  // owned as a component

    // The form's messages pass the ribbon first: a resize may hide or show it.
    void HookForm(TCustomForm* form);
    void UnhookForm();
    void FormWindowProc(TMessage& message);

    void CalculateCaptionHeight();
    void DrawStatusBarFramePieces(TcxCanvas* canvas, const TRect& bordersWidth, const FormPaintData& data);

    bool supportNonClientDrawing_ = false;
    std::unique_ptr<TdxRibbonFormCaptionHelper> formCaptionHelper_;
    int formCaptionHeight_ = 0;
    std::vector<IdxRibbonStatusBarPart*> nonClientParts_;
    TCustomForm* hookedForm_ = nullptr;
    TWndMethod previousFormProc_;

    int changeCount_ = 0;
    TdxRibbonTabCollection* tabs_ = nullptr;
    TdxRibbonTab* activeTab_ = nullptr;
    TdxRibbonTab* hotTab_ = nullptr;
    TdxRibbonQuickAccessToolbar* quickAccessToolbar_ = nullptr;
    TdxRibbonApplicationButton* applicationButton_ = nullptr;
    TdxRibbonFonts* fonts_ = nullptr;
    TdxBarManager* barManager_ = nullptr;
    TdxCustomRibbonSkin* colorScheme_ = nullptr;
    std::unique_ptr<TcxEventHandlerCollection> colorSchemeListeners_;
    std::unique_ptr<TdxRibbonViewInfo> viewInfo_;
    std::unique_ptr<TdxRibbonPainter> painter_;
    std::unique_ptr<TdxRibbonBarPainter> groupsPainter_;
    std::unique_ptr<TdxRibbonController> controller_;
    TdxRibbonGroupsDockControlSite* groupsSite_ = nullptr;
    TdxRibbonTabGroupsPopupWindow* groupsPopupWindow_ = nullptr;  // owned as a component
    bool groupsPopupShown_ = false;
    String documentName_;
    bool showTabGroups_ = true;
    bool showTabHeaders_ = true;
    bool fadingEnabled_ = true;
    bool hidden_ = false;
    bool tabsReadStarted_ = false;
    int lockCount_ = 0;
    int loadedHeight_ = 0;
    bool creating_ = false;
    IPtr<TdxBarAccessibilityHelper> accessibilityHelper_;
};

// Holds the ribbon's update bracket open for a scope.
class TdxRibbonUpdateLock {
public:
    explicit TdxRibbonUpdateLock(TdxCustomRibbon* ribbon) : ribbon_(ribbon) { ribbon_->BeginUpdate(); }
    ~TdxRibbonUpdateLock() { ribbon_->EndUpdate(); }
    TdxRibbonUpdateLock(const TdxRibbonUpdateLock&) = delete;
    TdxRibbonUpdateLock& operator=(const TdxRibbonUpdateLock&) = delete;

private:
    TdxCustomRibbon* ribbon_;
};

// ---- the published ribbon ------------------------------------------------------------------

class TdxRibbon : public TdxCustomRibbon {
    Z_CLASS(TdxRibbon, TdxCustomRibbon)
    Z_PUBLISHED {
        p.Property(L"Align", &TdxRibbon::Align, &TdxRibbon::SetAlign).Default(alTop);
        p.Property(L"DoubleBuffered", &TdxRibbon::DoubleBuffered, &TdxRibbon::SetDoubleBuffered).Default(true);
        p.Property(L"ApplicationButton", &TdxRibbon::ApplicationButton, &TdxRibbon::SetApplicationButton);
        p.Property(L"BarManager", &TdxRibbon::BarManager, &TdxRibbon::SetBarManager);
        p.Property(L"ColorSchemeName", &TdxRibbon::ColorSchemeName, &TdxRibbon::SetColorSchemeName);
        p.Property(L"DocumentName", &TdxRibbon::DocumentName, &TdxRibbon::SetDocumentName);
        p.Property(L"Fonts", &TdxRibbon::Fonts, &TdxRibbon::SetFonts);
        p.Property(L"PopupMenuItems", &TdxRibbon::PopupMenuItems, &TdxRibbon::SetPopupMenuItems)
            .Default(dxRibbonAllPopupMenuItems);
        p.Property(L"QuickAccessToolbar", &TdxRibbon::QuickAccessToolbar, &TdxRibbon::SetQuickAccessToolbar);
        p.Property(L"ShowTabGroups", &TdxRibbon::ShowTabGroups, &TdxRibbon::SetShowTabGroups).Default(true);
        p.Property(L"ShowTabHeaders", &TdxRibbon::ShowTabHeaders, &TdxRibbon::SetShowTabHeaders).Default(true);
        p.Property(L"SupportNonClientDrawing", &TdxRibbon::SupportNonClientDrawing,
                   &TdxRibbon::SetSupportNonClientDrawing)
            .Default(false);
        p.Event(L"OnHelpButtonClick", &TdxRibbon::OnHelpButtonClick);
        p.Event(L"OnTabChanged", &TdxRibbon::OnTabChanged);
        p.Event(L"OnTabChanging", &TdxRibbon::OnTabChanging);
        p.Event(L"OnApplicationMenuClick", &TdxRibbon::OnApplicationMenuClick);
        p.Event(L"OnMoreCommandsExecute", &TdxRibbon::OnMoreCommandsExecute);
        p.Event(L"OnTabGroupCollapsed", &TdxRibbon::OnTabGroupCollapsed);
        p.Event(L"OnTabGroupExpanded", &TdxRibbon::OnTabGroupExpanded);
    }

public:
    explicit TdxRibbon(TComponent* owner) : TdxCustomRibbon(owner, StaticClass()) {}
};

// Every ribbon that is not being destroyed.
const std::vector<TdxCustomRibbon*>& GetLiveRibbons();

// The outermost form among the control and its parents (nil when it lies in none).
TCustomForm* TopLevelFormOf(TControl* control);

// The unit's start: registers the ribbon's streamed classes and watches the bar-skin manager.
void InitializedxRibbon();
void FinalizedxRibbon();
