#pragma once
// TdxBarManager: the non-visual component that a form carries once, the hub of the bar library.
// It keeps the form's items (commands), categories, groups, toolbars and dock controls, fires
// OnClickItem for every item click before the item's own OnClick, and owns what draws and stores
// them. TdxBarManagerList is the process-wide list of managers.
//
// Sections: event types · TdxBarManager (lifetime, lists, lookups and names, categories, update
// lock, designer, events, properties, streaming) · TdxBarManagerList.
//
// Order matters in three places, and later parts join them where their objects belong: the
// constructor makes the owned objects in a fixed order, the destructor leaves customizing mode
// and stops the hints before it frees anything, and Loaded (the after-load step) resolves links,
// applies the loaded states, takes the start-up snapshot and loads the stored layout.

#include <functional>
#include <memory>
#include <vector>

#include "Bitmap.h"
#include "Colors.h"
#include "Font.h"
#include "IniFiles.h"
#include "TypInfo.h"
#include "cxEventHandlerCollection.h"
#include "cxLookAndFeel.h"
#include "dxBar.h"
#include "dxBarBackgrounds.h"
#include "dxBarComponent.h"
#include "dxBarImageOptions.h"
#include "dxBarItem.h"
#include "dxBarManagerCategories.h"
#include "dxBarPainter.h"
#include "dxBarPopupMenuLink.h"

class TCustomForm;
class TdxThemeChangedNotificator;

// The process-wide manager list; nil before the bar unit starts and after it finishes.
TdxBarManagerList* BarManagerList();

Z_ENUM(TdxBarManagerStyle, Byte, bmsStandard, bmsEnhanced, bmsFlat, bmsXP, bmsOffice11, bmsUseLookAndFeel)
Z_ENUM(TdxBarMenuAnimations, Byte, maNone, maRandom, maUnfold, maSlide, maFade)
// The paint style of a look and feel drawn by a skin: numbered after the styles.
constexpr TdxBarManagerStyle bmsSkinned = TdxBarManagerStyle(5);

// ---- Event types --------------------------------------------------------------------------

using TdxBarClickItemEvent = TEvent<void(TObject* Sender, TdxBarItem* ClickedItem)>;
using TdxBarEvent = TEvent<void(TObject* Sender, TdxBar* ABar)>;
using TdxBarVisibleChangeEvent = TEvent<void(TObject* Sender, TdxBar* ABar)>;
using TdxBarCanDockingEvent =
    TEvent<void(TObject* Sender, TdxBarDockingStyle Style, TdxDockControl* DockControl, bool& CanDocking)>;
using TdxBarItemLinkEvent = TEvent<void(TObject* Sender, TdxBarItemLink* AItemLink)>;
using TdxBarMergeItemLinkEvent =
    TEvent<void(TObject* Sender, TdxBarItemLinks* ADstItemLinks, TdxBarItemLinks* ASrcItemLinks,
                TdxBarItemLink* ASrcItemLink, TdxBarItemMergeKind& AMergeKind, int& AMergeIndex)>;
using TdxBarMergeEvent = TEvent<void(TObject* Sender, TdxBarManager* ChildBarManager, bool AddItems)>;
using TdxBarShowPopupEvent = TEvent<void(TObject* Sender, TdxBarItemLinks* PopupItemLinks)>;

// MDI state changes, and what the MDI-state-changed handlers are given.
constexpr Byte dxBarMDIChildActivated = 0;
constexpr Byte dxBarMDIChildDeactivated = 1;
constexpr Byte dxBarMDIChildSizeChanged = 2;
struct TdxBarMDIStateChangeEventData {
    Byte Change;
    HWND Wnd;
};
// The active child of the application main form's MDI client window; nil without one.
HWND GetActiveMDIChildHandle();

// Forms by kind, for the form-of-a-control lookups: the outermost form, the first MDI child
// form met (else the outermost), the first form met.
constexpr int dxBarFormOutermost = 0;
constexpr int dxBarFormMDIChildOrOutermost = 1;
constexpr int dxBarFormFirst = 2;

// ---- TdxBarManager ------------------------------------------------------------------------

// The five flat paint colours (border, toolbar, checked, checked and hot, hot) from the system
// colours, snapped to the nearest screen colour: the manager's brushes and the flat painters'.
void CalcBarFlatColors(TColor (&colors)[5]);

class TdxBarManager : public TComponent {
    friend class TdxBarDragInfo;
    Z_CLASS(TdxBarManager, TComponent)
    Z_PUBLISHED {
        p.Property(L"AllowCallFromAnotherForm", &TdxBarManager::AllowCallFromAnotherForm,
                   &TdxBarManager::SetAllowCallFromAnotherForm)
            .Default(false);
        p.Property(L"AllowReset", &TdxBarManager::AllowReset, &TdxBarManager::SetAllowReset).Default(true);
        p.Property(L"AlwaysMerge", &TdxBarManager::AlwaysMerge, &TdxBarManager::SetAlwaysMerge).Default(false);
        p.Property(L"AlwaysSaveText", &TdxBarManager::AlwaysSaveText, &TdxBarManager::SetAlwaysSaveText).Default(false);
        p.Property(L"AutoAlignBars", &TdxBarManager::AutoAlignBars, &TdxBarManager::SetAutoAlignBars).Default(false);
        p.Property(L"AutoDockColor", &TdxBarManager::AutoDockColor, &TdxBarManager::SetAutoDockColor).Default(true);
        p.Property(L"AutoHideEmptyBars", &TdxBarManager::AutoHideEmptyBars, &TdxBarManager::SetAutoHideEmptyBars)
            .Default(false);
        p.Property(L"Backgrounds", &TdxBarManager::Backgrounds, &TdxBarManager::SetBackgrounds);
        p.Property(L"ButtonArrowWidth", &TdxBarManager::ButtonArrowWidth, &TdxBarManager::SetButtonArrowWidth)
            .Default(11);
        p.Property(L"CanCustomize", &TdxBarManager::CanCustomize, &TdxBarManager::SetCanCustomize).Default(true);
        p.Property(L"Categories", &TdxBarManager::Categories, &TdxBarManager::SetCategories);
        p.Property(L"DockColor", &TdxBarManager::DockColor, &TdxBarManager::SetDockColor)
            .Stored(&TdxBarManager::IsDockColorStored);
        p.Property(L"FlatCloseButton", &TdxBarManager::FlatCloseButton, &TdxBarManager::SetFlatCloseButton)
            .Default(false);
        p.Property(L"Font", &TdxBarManager::Font, &TdxBarManager::SetFont).Stored(&TdxBarManager::IsFontStored);
        p.Property(L"HelpButtonGlyph", &TdxBarManager::HelpButtonGlyph, &TdxBarManager::SetHelpButtonGlyph);
        p.Property(L"HelpContext", &TdxBarManager::HelpContext, &TdxBarManager::SetHelpContext).Default(0);
        p.Property(L"HideFloatingBarsWhenInactive", &TdxBarManager::HideFloatingBarsWhenInactive,
                   &TdxBarManager::SetHideFloatingBarsWhenInactive)
            .Default(true);
        p.Property(L"ImageOptions", &TdxBarManager::ImageOptions, &TdxBarManager::SetImageOptions);
        p.Property(L"DisabledImages", &TdxBarManager::GetDisabledImages, &TdxBarManager::SetDisabledImages)
            .Stored(false);
        p.Property(L"DisabledLargeImages", &TdxBarManager::GetDisabledLargeImages,
                   &TdxBarManager::SetDisabledLargeImages)
            .Stored(false);
        p.Property(L"HotImages", &TdxBarManager::GetHotImages, &TdxBarManager::SetHotImages).Stored(false);
        p.Property(L"ImageListBkColor", &TdxBarManager::ImageListBkColor, &TdxBarManager::SetImageListBkColor)
            .Stored(false);
        p.Property(L"Images", &TdxBarManager::GetImages, &TdxBarManager::SetImages).Stored(false);
        p.Property(L"LargeImages", &TdxBarManager::GetLargeImages, &TdxBarManager::SetLargeImages).Stored(false);
        p.Property(L"LargeIcons", &TdxBarManager::LargeIcons, &TdxBarManager::SetLargeIcons).Stored(false);
        p.Property(L"MakeDisabledImagesFaded", &TdxBarManager::MakeDisabledImagesFaded,
                   &TdxBarManager::SetMakeDisabledImagesFaded)
            .Stored(false);
        p.Property(L"StretchGlyphs", &TdxBarManager::StretchGlyphs, &TdxBarManager::SetStretchGlyphs).Stored(false);
        p.Property(L"UseLargeImagesForLargeIcons", &TdxBarManager::UseLargeImagesForLargeIcons,
                   &TdxBarManager::SetUseLargeImagesForLargeIcons)
            .Stored(false);
        p.Property(L"IniFileName", &TdxBarManager::IniFileName, &TdxBarManager::SetIniFileName);
        p.Property(L"LookAndFeel", &TdxBarManager::LookAndFeel, &TdxBarManager::SetLookAndFeel);
        p.Property(L"LargeButtonArrowWidth", &TdxBarManager::LargeButtonArrowWidth,
                   &TdxBarManager::SetLargeButtonArrowWidth)
            .Default(13);
        p.Property(L"MenuAnimations", &TdxBarManager::MenuAnimations, &TdxBarManager::SetMenuAnimations)
            .Default(maNone);
        p.Property(L"MenusShowRecentItemsFirst", &TdxBarManager::MenusShowRecentItemsFirst,
                   &TdxBarManager::SetMenusShowRecentItemsFirst)
            .Default(true);
        p.Property(L"MostRecentItemsPercents", &TdxBarManager::MostRecentItemsPercents,
                   &TdxBarManager::SetMostRecentItemsPercents)
            .Default(95);
        p.Property(L"NotDocking", &TdxBarManager::NotDocking, &TdxBarManager::SetNotDocking);
        p.Property(L"PopupMenuLinks", &TdxBarManager::PopupMenuLinks, &TdxBarManager::SetPopupMenuLinks);
        p.Property(L"RegistryPath", &TdxBarManager::RegistryPath, &TdxBarManager::SetRegistryPath);
        p.Property(L"Scaled", &TdxBarManager::Scaled, &TdxBarManager::SetScaled).Default(true);
        p.Property(L"ShowCloseButton", &TdxBarManager::ShowCloseButton, &TdxBarManager::SetShowCloseButton)
            .Default(false);
        p.Property(L"ShowFullMenusAfterDelay", &TdxBarManager::ShowFullMenusAfterDelay,
                   &TdxBarManager::SetShowFullMenusAfterDelay)
            .Default(true);
        p.Property(L"ShowHelpButton", &TdxBarManager::ShowHelpButton, &TdxBarManager::SetShowHelpButton).Default(false);
        p.Property(L"ShowHint", &TdxBarManager::ShowHint, &TdxBarManager::SetShowHint).Default(true);
        p.Property(L"ShowHintForDisabledItems", &TdxBarManager::ShowHintForDisabledItems,
                   &TdxBarManager::SetShowHintForDisabledItems)
            .Default(true);
        p.Property(L"ShowShortCutInHint", &TdxBarManager::ShowShortCutInHint, &TdxBarManager::SetShowShortCutInHint)
            .Default(false);
        p.Property(L"StoreInIniFile", &TdxBarManager::StoreInIniFile, &TdxBarManager::SetStoreInIniFile).Default(false);
        p.Property(L"StoreInRegistry", &TdxBarManager::StoreInRegistry, &TdxBarManager::SetStoreInRegistry)
            .Default(false);
        p.Property(L"Style", &TdxBarManager::Style, &TdxBarManager::SetStyle).Default(bmsEnhanced);
        p.Property(L"SunkenBorder", &TdxBarManager::SunkenBorder, &TdxBarManager::SetSunkenBorder).Default(false);
        p.Property(L"UseF10ForMenu", &TdxBarManager::UseF10ForMenu, &TdxBarManager::SetUseF10ForMenu).Default(true);
        p.Property(L"UseFullReset", &TdxBarManager::UseFullReset, &TdxBarManager::SetUseFullReset).Default(false);
        p.Property(L"UseSystemFont", &TdxBarManager::UseSystemFont, &TdxBarManager::SetUseSystemFont).Default(true);
        p.Property(L"WaitForDockingTime", &TdxBarManager::WaitForDockingTime, &TdxBarManager::SetWaitForDockingTime)
            .Default(21);
        p.Event(L"OnBarAdd", &TdxBarManager::OnBarAdd);
        p.Event(L"OnBarAfterReset", &TdxBarManager::OnBarAfterReset);
        p.Event(L"OnBarBeforeReset", &TdxBarManager::OnBarBeforeReset);
        p.Event(L"OnBarClose", &TdxBarManager::OnBarClose);
        p.Event(L"OnBarDelete", &TdxBarManager::OnBarDelete);
        p.Event(L"OnBarDockingStyleChange", &TdxBarManager::OnBarDockingStyleChange);
        p.Event(L"OnBarVisibleChange", &TdxBarManager::OnBarVisibleChange);
        p.Event(L"OnClickItem", &TdxBarManager::OnClickItem);
        p.Event(L"OnCloseButtonClick", &TdxBarManager::OnCloseButtonClick);
        p.Event(L"OnDocking", &TdxBarManager::OnDocking);
        p.Event(L"OnHelpButtonClick", &TdxBarManager::OnHelpButtonClick);
        p.Event(L"OnHideCustomizingForm", &TdxBarManager::OnHideCustomizingForm);
        p.Event(L"OnItemLinkAdd", &TdxBarManager::OnItemLinkAdd);
        p.Event(L"OnItemLinkChange", &TdxBarManager::OnItemLinkChange);
        p.Event(L"OnItemLinkDelete", &TdxBarManager::OnItemLinkDelete);
        p.Event(L"OnMenuMerge", &TdxBarManager::OnMenuMerge);
        p.Event(L"OnMerge", &TdxBarManager::OnMerge);
        p.Event(L"OnMergeItemLink", &TdxBarManager::OnMergeItemLink);
        p.Event(L"OnShowCustomizingForm", &TdxBarManager::OnShowCustomizingForm);
        p.Event(L"OnShowCustomizingPopup", &TdxBarManager::OnShowCustomizingPopup);
        p.Event(L"OnShowToolbarsPopup", &TdxBarManager::OnShowToolbarsPopup);
    }

public:
    // A nil owner becomes the application's main form. Raises EdxException when the owner is
    // not a windowed control or already has a manager; nothing of the manager stays registered.
    explicit TdxBarManager(TComponent* owner);
    ~TdxBarManager() override;

    // -- lists
    int GetItemCount() const;
    TdxBarItem* GetItemByIndex(int index) const;  // nil outside the list
    int GetGroupCount() const;
    TdxBarComponent* GetGroup(int index) const;  // nil outside the list
    int GetDockControlCount() const { return int(dockControls_.size()); }
    TdxDockControl* GetDockControl(int index) const;
    void AddDockControl(TdxDockControl* dockControl);
    void RemoveDockControl(TdxDockControl* dockControl);
    TdxBars* Bars() const { return bars_; }
    // The form's main menu bar (one at most; TdxBar::SetIsMainMenu keeps it).
    TdxBar* MainMenuBar() const { return mainMenuBar_; }
    void SetMainMenuBar(TdxBar* bar) { mainMenuBar_ = bar; }
    TdxBarComponentList* ItemList() const { return items_; }
    // Items the manager makes for itself (owned by it).
    TComponentList* InternalItems() const { return internalItems_; }
    TdxBarComponentList* Groups() const { return groups_; }
    TdxBarPopupMenuLinks* PopupMenuLinks() const { return popupMenuLinks_; }
    void SetPopupMenuLinks(TdxBarPopupMenuLinks* value);
    TdxBarBackgrounds* Backgrounds() const { return backgrounds_; }
    void SetBackgrounds(TdxBarBackgrounds* value);

    // -- owner and forms
    TComponent* GetManagerOwner() const { return Owner(); }
    TCustomForm* GetMainForm() const;
    TCustomForm* GetMDIOrMainForm() const;
    // The manager of the nearest windowed parent of the owner's window; nil without a window.
    TdxBarManager* GetParentManager() const;

    // -- lookups and names
    TdxBar* FindBarByName(const String& name) const;  // exact letter case
    TdxBar* FindBarByComponentName(const String& name) const { return FindBarByName(name); }
    TdxBar* FindBarByCaption(const String& caption) const;
    TdxBarItem* FindItemByName(const String& name) const;  // letter case ignored
    int GetItemsByCategory(int category, TList* list) const;
    int GetVisibleItemsByCategory(int category, TList* list) const;
    String MakeUniqueBarCaption(const String& base) const;
    String MakeUniqueBarName(const String& base) const;
    String MakeUniqueItemName(TClass itemClass) const;
    int GetCategoryByVisibleIndex(int visibleIndex) const;

    // -- items
    // An item of the class, in the default category (or category 0).
    TdxBarItem* AddItem(TClass itemClass);
    void MoveItem(int curIndex, int newIndex);

    // -- categories
    TdxBarManagerCategories* Categories() const { return categories_; }
    void SetCategories(TStrings* value);
    TdxBarItemVisible GetCategoryItemsVisible(int index) const;
    bool GetCategoryVisible(int index) const;
    void SetCategoryItemsVisible(int index, TdxBarItemVisible value);
    void SetCategoryVisible(int index, bool value);

    // -- update lock: nests; only the outermost unlock redraws (with refresh: the changed bars too)
    void LockUpdate();
    void UnlockUpdate(bool refresh = false);
    int UpdateLockCount() const { return lockUpdate_; }
    // Calls proc for every item under the update lock (nothing while loading or destroying).
    void ForEachItem(const std::function<void(TdxBarItem*)>& proc);

    // -- selection of item controls
    TdxBarItemControl* SelectedItemControl() const { return selectedItemControl_; }
    void SetSelectedItemControl(TdxBarItemControl* control);
    void AssignSelectedItemControl(TdxBarItemControl* control) { selectedItemControl_ = control; }

    // -- states
    bool IsBarManagerDesigning() const { return ComponentState().Contains(csDesigning); }
    bool IsDestroying() const { return ComponentState().Contains(csDestroying); }
    bool IsLoadingState() const;
    bool IsBarsLoading() const { return barsLoading_; }
    bool IsCreatingDockHandles() const { return creatingDockHandles_; }
    bool IsCustomizing() const { return isCustomizing_; }
    bool IsCustomizingOrDesigning() const { return isCustomizing_ || IsBarManagerDesigning(); }
    bool IsAnotherManagerCustomizing() const;
    // Enters or leaves customizing mode: every bar window closes its menus and makes its item
    // controls anew for the mode (nothing while another manager customizes).
    void SwitchCustomizing(bool value);
    // A new toolbar docked at the top (as the main menu when mainMenu is set) with a unique
    // caption, which the name dialog may change when askName is set; nil when that is cancelled.
    TdxBar* AddToolbar(bool mainMenu, bool askName);
    // The name dialog renames the bar; False when cancelled.
    bool RenameToolbar(TdxBar* bar);
    // The window that holds the mouse during a link drag: the open Customize dialog's, else the
    // owner's.
    HWND GetPopupOwnerWindow() const;
    // Merging is suspended while the Customize dialog is open: every bar unmerges the bars of
    // otherManager (all with nil, and all when remember is set), remembering them with
    // remember; RestoreMerging merges the remembered ones again.
    void UnmergeForCustomizing(TdxBarManager* otherManager, bool remember);
    void RestoreMerging();
    // -- the link drag of customizing mode (dxBarDragInfo.cpp)
    // Runs a whole drag of the item (from the link, or from the Customize dialog's command list
    // when link is nil) and drops it where the mouse is released.
    void DragItem(TdxBarItem* item, TdxBarItemLink* link);
    bool IsDragging() const { return dragging_; }
    // What a bar window armed for a drag (cleared when the link goes).
    TdxBarItem* GetDraggingItem() const { return draggingItem_; }
    TdxBarItemLink* GetDraggingItemLink() const { return draggingItemLink_; }
    void SetDraggingItem(TdxBarItem* item) { draggingItem_ = item; }
    void SetDraggingItemLink(TdxBarItemLink* link) { draggingItemLink_ = link; }
    TdxBarDragInfo* DragInfo() const { return dragInfo_; }
    // The screen point where the mouse was pressed on the dragged link; the drag measures the
    // move along the bar from there (not from where the drag began to run).
    void SetDragPressPoint(const TPoint& screen) {
        dragPressPoint_ = screen;
        hasDragPressPoint_ = true;
    }
    bool CanReset() const { return readStateCount_ > 0 && allowReset_; }

    // -- designer: the form designer's, or the run-time selection while customizing; nil else
    IdxBarDesigner* Designer() const { return designer_.get(); }
    void SetDesigner(IdxBarDesigner* designer) { designer_ = IPtr<IdxBarDesigner>(designer); }
    // Tells the designer that the form changed (held back while locked, see LockDesignerModified).
    void DesignerModified();
    void LockDesignerModified(bool lock, bool notify = true);
    bool Modified() const { return modified_; }
    void GetSelectedComponents(TList* list) const;

    // -- style and painter
    // The style the painter is chosen by: bmsXP without visual styles paints Enhanced;
    // bmsUseLookAndFeel follows the look and feel (native, then skin, then its kind).
    TdxBarManagerStyle GetPaintStyle() const;
    // The style personalized menus and the stored layout go by: the Style itself, or for
    // bmsUseLookAndFeel native or the kind (a skin is not considered).
    TdxBarManagerStyle GetEffectiveStyle() const;
    // The painter class of the paint style.
    virtual TdxBarPainterClass GetPainterClass() const;
    TdxBarPainterClass GetPainterClassInUse() const { return painter_ ? painter_->ClassType() : nullptr; }
    // The painter every bar of the manager draws with; never nil while the manager lives.
    TdxBarPainter* Painter() const { return painter_; }
    bool IsNotStandardStyle() const { return GetEffectiveStyle() != bmsStandard; }
    bool IsFlatStyle() const { return style_ == bmsFlat; }
    bool ShowsRecentItemsFirst() const { return IsNotStandardStyle() && menusShowRecentItemsFirst_; }
    // Whether the visual styles the bar painters use were there when the painter was made.
    bool IsThemeAvailable() const { return themeAvailable_; }
    bool IsChangingStyle() const { return changingStyle_; }
    // Makes the look and feel draw as the manager does.
    void AssignLookAndFeelTo(TcxLookAndFeel* lookAndFeel) const;
    TcxLookAndFeel* LookAndFeel() const { return lookAndFeel_; }
    void SetLookAndFeel(TcxLookAndFeel* value) { lookAndFeel_->Assign(value); }
    // Makes the painter anew and has every bar window follow.
    void StyleChanged();

    // -- the flat style's colours and brushes (each colour the nearest the screen shows), and
    // the brush of the toolbar's visual style (nil without visual styles)
    TColor GetFlatShadowColor() const { return flatColors_[0]; }
    TColor GetFlatToolbarColor() const { return flatColors_[1]; }
    TColor GetFlatDownedColor() const { return flatColors_[2]; }
    TColor GetFlatDownedSelColor() const { return flatColors_[3]; }
    TColor GetFlatLightColor() const { return flatColors_[4]; }
    HBRUSH FlatShadowBrush() const { return flatBrushes_[0]; }
    HBRUSH FlatToolbarBrush() const { return flatBrushes_[1]; }
    HBRUSH FlatDownedBrush() const { return flatBrushes_[2]; }
    HBRUSH FlatDownedSelBrush() const { return flatBrushes_[3]; }
    HBRUSH FlatLightBrush() const { return flatBrushes_[4]; }
    HBRUSH ThemeBrush() const { return themeBrush_; }
    // The system colours changed: the brushes are made again and the windows refreshed.
    void SysColorsChanged();

    // -- images (the manager's image properties read and write its ImageOptions)
    TdxBarImageOptions* ImageOptions() const { return imageOptions_; }
    void SetImageOptions(TdxBarImageOptions* value) { imageOptions_->Assign(value); }
    int GetGlyphSize() const { return imageOptions_->GlyphSize(); }
    TCustomImageList* GetDisabledImages() const { return imageOptions_->DisabledImages(); }
    void SetDisabledImages(TCustomImageList* value) { imageOptions_->SetDisabledImages(value); }
    TCustomImageList* GetDisabledLargeImages() const { return imageOptions_->DisabledLargeImages(); }
    void SetDisabledLargeImages(TCustomImageList* value) { imageOptions_->SetDisabledLargeImages(value); }
    TCustomImageList* GetHotImages() const { return imageOptions_->HotImages(); }
    void SetHotImages(TCustomImageList* value) { imageOptions_->SetHotImages(value); }
    TCustomImageList* GetImages() const { return imageOptions_->Images(); }
    void SetImages(TCustomImageList* value) { imageOptions_->SetImages(value); }
    TCustomImageList* GetLargeImages() const { return imageOptions_->LargeImages(); }
    void SetLargeImages(TCustomImageList* value) { imageOptions_->SetLargeImages(value); }
    TColor ImageListBkColor() const { return imageOptions_->ImageListBkColor(); }
    void SetImageListBkColor(TColor value) { imageOptions_->SetImageListBkColor(value); }
    bool LargeIcons() const { return imageOptions_->LargeIcons(); }
    void SetLargeIcons(bool value) { imageOptions_->SetLargeIcons(value); }
    bool MakeDisabledImagesFaded() const { return imageOptions_->MakeDisabledImagesFaded(); }
    void SetMakeDisabledImagesFaded(bool value) { imageOptions_->SetMakeDisabledImagesFaded(value); }
    bool StretchGlyphs() const { return imageOptions_->StretchGlyphs(); }
    void SetStretchGlyphs(bool value) { imageOptions_->SetStretchGlyphs(value); }
    bool UseLargeImagesForLargeIcons() const { return imageOptions_->UseLargeImagesForLargeIcons(); }
    void SetUseLargeImagesForLargeIcons(bool value) { imageOptions_->SetUseLargeImagesForLargeIcons(value); }

    // -- item hints (one hint for all managers: see dxBarHints.h)
    // Asks for the hint of the object (or the given text) to show after the show delay, at
    // once while one shows or just went; Show false hides it.
    void ShowItemHint(bool show, const String& hint, TObject* hintObject);
    void HideItemHint() { ShowItemHint(false, String(), nullptr); }
    bool IsHintWindowVisible() const;
    TObject* HintObject() const { return hintObject_; }
    // Expiry of the show/hide timer (for the manager that started it) and of the guard.
    static void HintTimerExpired();
    static void HintGuardExpired();

    // -- shortcuts and the owner window's messages (the message hooks bring them)
    // Runs the shortcut through the bars' links and then the popup menus' links; true when an
    // item ran. Bars waiting to be restored count for the manager that started the search.
    bool ExecuteShortCut(TShortCut shortCut, TdxBarManager* searchStarter = nullptr);
    // The first link of a visible bar whose caption accelerator is the key; nil when none.
    TdxBarItemLink* FindLinkByAccel(Word key, TShiftState shift);
    // A message of the owner window (or of a window inside it) that the manager reacts to.
    void HandleOwnerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The manager's popup menus (each joins the list of its manager).
    void AddPopupMenu(TdxBarPopupMenu* menu);
    void RemovePopupMenu(TdxBarPopupMenu* menu);
    int PopupMenuCount() const;
    TdxBarPopupMenu* GetPopupMenu(int index) const;
    // Whether the floating bars show the active form's look; Immediate hides or shows at once.
    bool IsMainFormActive() const { return mainFormActive_; }
    void SetMainFormActive(bool show, bool immediate = false, HWND window = nullptr);
    void SetFloatingBarsShown(bool show, bool immediate, HWND window);
    void OwnerActivated(Word state, bool minimized, HWND otherWindow);
    void AppActivated(bool active);
    void OwnerCancelMode();
    // Set while a modal form of the application is being activated.
    bool IsModalActivating() const { return modalActivating_; }
    void SetModalActivating(bool value) { modalActivating_ = value; }

    // -- the operations a descendant may change
    // Fires OnClickItem; an enabled item's click runs it before the item's own handler.
    virtual void DoClickItem(TdxBarItem* item);
    // May the bar dock with the style at the dock control (nil: any side dock)?
    virtual bool IsDockingAllowed(TdxBar* bar, TdxBarDockingStyle style, TdxDockControl* dockControl);

    // -- event firing (each does nothing without its handler)
    void FireBarAfterReset(TdxBar* bar);
    void FireBarBeforeReset(TdxBar* bar);
    void FireBarClose(TdxBar* bar);
    void FireBarDockingStyleChange(TdxBar* bar);
    void FireCloseButtonClick();
    void FireHelpButtonClick();
    void FireShowCustomizingPopup(TdxBarItemLinks* links);
    void FireShowToolbarsPopup(TdxBarItemLinks* links);
    void FireItemLinkChange(TdxBarItemLink* link);
    void FireMergeItemLink(TdxBarItemLinks* destinationLinks, TdxBarItemLinks* sourceLinks, TdxBarItemLink* sourceLink,
                           TdxBarItemMergeKind& mergeKind, int& mergeIndex);

    // -- the handler collections of the layout storage, MDI merging and system fonts
    TcxEventHandlerCollection* ReadIniFileHandlers() const { return readIniFileHandlers_; }
    TcxEventHandlerCollection* WriteIniFileHandlers() const { return writeIniFileHandlers_; }
    TcxEventHandlerCollection* MDIStateChangedHandlers() const { return mdiStateChangedHandlers_; }
    TcxEventHandlerCollection* SystemFontChangedHandlers() const { return systemFontChangedHandlers_; }
    void FireSystemFontChanged() { systemFontChangedHandlers_->CallHandlers(this); }
    // Font takes the system menu font (UseSystemFont), or only its height (Scaled).
    void UpdateSystemFont();

    // -- MDI children (dxBarManagerMDI.cpp): the active child's main menu merges into the
    // frame's, and a maximized child's system menu shows as an icon item at its front
    // Without recursive: is the owner an MDI child form? With it: is the manager's form one?
    bool IsOwnerInMDIChild(bool recursive) const;
    // Compares the main form's active MDI child with the one seen last (the hooks call it).
    void CheckActiveMDIChild();
    // change: dxBarMDIChildActivated, dxBarMDIChildDeactivated or dxBarMDIChildSizeChanged.
    void MDIStateChanged(Byte change, HWND child);
    void AddSystemMenuItem(HWND child);
    void ClearSystemMenuItems();
    bool HasSystemMenuItems() const;
    // Floating bars outside the work area at the owner's centre move back into it.
    void KeepFloatingBarsInWorkArea();

    // -- layout storage (dxBarManagerLayout.cpp): one format for an INI file, a registry key and
    // the start-up snapshot; see dxBarLayoutStorage.h
    void SaveLayout(TCustomIniFile* iniFile, const String& prefix, Byte storingKind);
    // Under the update lock; what the store lacks keeps its current value.
    void LoadLayout(TCustomIniFile* iniFile, const String& prefix, Byte storingKind);
    void SaveToIniFile(const String& fileName);  // nothing for an empty name
    void LoadFromIniFile(const String& fileName);
    void SaveToRegistry(const String& path);  // the path is normalised; nothing when empty
    void LoadFromRegistry(const String& path);
    // The manager's name and its owners' names up to the form, each followed by ".".
    String MakeSectionPrefix() const;
    static String MakeMainSectionName(const String& prefix, Byte storingKind);
    static String MakeBarSectionName(const String& prefix, int index);
    // Erases every section whose name begins with the prefix.
    static void EraseLayoutSections(TCustomIniFile* iniFile, const String& prefix, Byte storingKind);
    // The designed layout, taken once after the form description has loaded (nil at design time).
    void SaveStartupState();
    TMemIniFile* StartupState() const { return startupState_.get(); }
    bool IsSavingStartupState() const { return savingStartupState_; }
    // The number of the snapshot's bar section with this caption; -1 when none.
    int FindSavedBarByCaption(const String& caption) const;
    // A bar back to its start-up links (and with keys its place), its items reset in turn.
    void ResetBarFromStartupState(TdxBar* bar, bool keys);
    // Usage data back to the start-up snapshot.
    void ResetUsageData();
    // Asks the user first.
    void ConfirmResetUsageData();
    // When the owner goes (not at design time), while all its bars and items still exist: the
    // layout to the registry (StoreInRegistry) and the INI file (StoreInIniFile). A store that
    // fails is reported, not raised.
    void SaveLayoutOnOwnerDestroy() noexcept;
    void Destroying() override;
    // While a layout loads: was the item added after the layout was saved?
    bool IsNewLayoutItem(TdxBarItem* item) const;
    void FireIniFileEvents(TcxEventHandlerCollection* handlers, TCustomIniFile* iniFile, const String& prefix,
                           Byte storingKind);

    // -- properties
    bool AllowCallFromAnotherForm() const { return allowCallFromAnotherForm_; }
    void SetAllowCallFromAnotherForm(bool value) { allowCallFromAnotherForm_ = value; }
    bool AllowReset() const { return allowReset_; }
    void SetAllowReset(bool value) { allowReset_ = value; }
    bool AlwaysMerge() const { return alwaysMerge_; }
    void SetAlwaysMerge(bool value) { alwaysMerge_ = value; }
    bool AlwaysSaveText() const { return alwaysSaveText_; }
    void SetAlwaysSaveText(bool value) { alwaysSaveText_ = value; }
    bool AutoAlignBars() const { return autoAlignBars_; }
    void SetAutoAlignBars(bool value);
    bool AutoDockColor() const { return autoDockColor_; }
    void SetAutoDockColor(bool value);
    bool AutoHideEmptyBars() const { return autoHideEmptyBars_; }
    void SetAutoHideEmptyBars(bool value);
    int ButtonArrowWidth() const { return buttonArrowWidth_; }
    void SetButtonArrowWidth(int value);  // values of 1 and less are ignored
    bool CanCustomize() const { return canCustomize_; }
    void SetCanCustomize(bool value) { canCustomize_ = value; }
    // The owner's colour while AutoDockColor; setting a colour turns AutoDockColor off.
    TColor DockColor() const;
    void SetDockColor(TColor value);
    bool FlatCloseButton() const { return flatCloseButton_; }
    void SetFlatCloseButton(bool value);
    TFont* Font() const { return font_; }
    void SetFont(TFont* value);
    TFont* CaptionFont() const { return captionFont_; }
    TFont* EditFont() const { return editFont_; }
    TBitmap* HelpButtonGlyph() const { return helpButtonGlyph_; }
    void SetHelpButtonGlyph(TBitmap* value);
    THelpContext HelpContext() const { return helpContext_; }
    void SetHelpContext(THelpContext value) { helpContext_ = value; }
    bool HideFloatingBarsWhenInactive() const { return hideFloatingBarsWhenInactive_; }
    void SetHideFloatingBarsWhenInactive(bool value) { hideFloatingBarsWhenInactive_ = value; }
    const String& IniFileName() const { return iniFileName_; }
    void SetIniFileName(const String& value) { iniFileName_ = value; }
    int LargeButtonArrowWidth() const { return largeButtonArrowWidth_; }
    void SetLargeButtonArrowWidth(int value);  // values below 2 are ignored
    TdxBarMenuAnimations MenuAnimations() const { return menuAnimations_; }
    void SetMenuAnimations(TdxBarMenuAnimations value);
    bool MenusShowRecentItemsFirst() const { return menusShowRecentItemsFirst_; }
    void SetMenusShowRecentItemsFirst(bool value);
    Byte MostRecentItemsPercents() const { return mostRecentItemsPercents_; }
    void SetMostRecentItemsPercents(Byte value);  // capped at 100
    // The use count a link needs to count as recently used (20 for 95 %).
    int MostRecentlyUsedUseCount() const { return mostRecentlyUsedUseCount_; }
    TdxBarDockingStyles NotDocking() const { return notDocking_; }
    void SetNotDocking(TdxBarDockingStyles value);
    const String& RegistryPath() const { return registryPath_; }
    void SetRegistryPath(const String& value);  // kept with a backslash at both ends
    bool Scaled() const { return scaled_; }
    void SetScaled(bool value);
    bool ShowCloseButton() const { return showCloseButton_; }
    void SetShowCloseButton(bool value);
    bool ShowFullMenusAfterDelay() const { return showFullMenusAfterDelay_; }
    void SetShowFullMenusAfterDelay(bool value);
    bool ShowHelpButton() const { return showHelpButton_; }
    void SetShowHelpButton(bool value);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value);
    bool ShowHintForDisabledItems() const { return showHintForDisabledItems_; }
    void SetShowHintForDisabledItems(bool value) { showHintForDisabledItems_ = value; }
    bool ShowShortCutInHint() const { return showShortCutInHint_; }
    void SetShowShortCutInHint(bool value);
    bool StoreInIniFile() const { return storeInIniFile_; }
    void SetStoreInIniFile(bool value) { storeInIniFile_ = value; }
    bool StoreInRegistry() const { return storeInRegistry_; }
    void SetStoreInRegistry(bool value) { storeInRegistry_ = value; }
    TdxBarManagerStyle Style() const { return style_; }
    void SetStyle(TdxBarManagerStyle value);
    bool SunkenBorder() const { return sunkenBorder_; }
    void SetSunkenBorder(bool value);
    bool UseF10ForMenu() const { return useF10ForMenu_; }
    void SetUseF10ForMenu(bool value) { useF10ForMenu_ = value; }
    bool UseFullReset() const { return useFullReset_; }
    void SetUseFullReset(bool value) { useFullReset_ = value; }
    bool UseSystemFont() const { return useSystemFont_; }
    void SetUseSystemFont(bool value);
    int WaitForDockingTime() const { return waitForDockingTime_; }
    void SetWaitForDockingTime(int value);  // negative values are ignored

    // -- streaming
    void DefineProperties(TFiler* filer) override;
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    TComponent* GetChildOwner() override { return Owner(); }
    void SetChildOrder(TComponent* child, int order) override;
    void ReadState(TReader* reader) override;
    void Loaded() override;
    void SetName(const String& name) override;

    // -- events
    TdxBarEvent OnBarAdd, OnBarAfterReset, OnBarBeforeReset, OnBarClose, OnBarDelete, OnBarDockingStyleChange;
    TdxBarVisibleChangeEvent OnBarVisibleChange;
    TdxBarClickItemEvent OnClickItem;
    TNotifyEvent OnCloseButtonClick, OnHelpButtonClick, OnHideCustomizingForm, OnShowCustomizingForm;
    TdxBarCanDockingEvent OnDocking;
    TdxBarItemLinkEvent OnItemLinkAdd, OnItemLinkChange, OnItemLinkDelete;
    TdxBarMergeEvent OnMenuMerge, OnMerge;
    TdxBarMergeItemLinkEvent OnMergeItemLink;
    TdxBarShowPopupEvent OnShowCustomizingPopup, OnShowToolbarsPopup;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    // The owner the constructor accepts: nil becomes the main form; raises for a wrong owner.
    static TComponent* CheckedOwner(TComponent* owner);
    bool IsDockColorStored() const { return !autoDockColor_; }
    bool IsFontStored() const { return !useSystemFont_; }
    void FontChanged(TObject* sender);
    void CreateDefaultPainter();
    // A menu or hint option changed: the designer and the Customize dialog hear of it.
    void MenuOptionChanged();
    void CreatePaintResources();
    void DeletePaintResources();
    void InternalShowItemHint(bool show, const String& hint, TObject* hintObject);
    void ShowPendingHint();
    // Stops the hints of this manager before it goes.
    void StopHints();
    void ImageOptionsChanged(TObject* sender);
    void GlyphSizeChanged(TObject* sender);
    void SmallImagesChanged(TObject* list);
    void LargeImagesChanged(TObject* list);
    void HotImagesChanged(TObject* list);
    void LookAndFeelChanged(TcxLookAndFeel* sender, TcxLookAndFeelValues changedValues);
    void HelpButtonGlyphChanged(TObject* sender);
    void UpdateBarsRedraw(bool redraw, bool refresh);
    void UpdateDockControlColors();
    void CategoriesChanged(TObject* sender) { DesignerModified(); }
    void ContextHelp(const HELPINFO& info);
    void ReadDockControlHeights(TReader* reader);
    void WriteDockControlHeights(TWriter* writer);

    // Owned objects, in the constructor's order.
    TdxBarBackgrounds* backgrounds_ = nullptr;
    TdxBarComponentList* items_ = nullptr;
    TComponentList* internalItems_ = nullptr;
    TdxBarManagerCategories* categories_ = nullptr;
    std::vector<TdxDockControl*> dockControls_;
    TComponentList* popupMenus_ = nullptr;
    TdxBars* bars_ = nullptr;
    TcxEventHandlerCollection* readIniFileHandlers_ = nullptr;
    TcxEventHandlerCollection* writeIniFileHandlers_ = nullptr;
    TcxEventHandlerCollection* mdiStateChangedHandlers_ = nullptr;
    TcxEventHandlerCollection* systemFontChangedHandlers_ = nullptr;
    TFont* captionFont_ = nullptr;
    TFont* editFont_ = nullptr;
    TFont* font_ = nullptr;
    TdxBarComponentList* groups_ = nullptr;
    TBitmap* helpButtonGlyph_ = nullptr;
    TdxThemeChangedNotificator* themeChangeNotifier_ = nullptr;
    TdxBarPopupMenuLinks* popupMenuLinks_ = nullptr;
    TcxLookAndFeel* lookAndFeel_ = nullptr;
    TdxBarPainter* painter_ = nullptr;
    TdxBarImageOptions* imageOptions_ = nullptr;
    TColor flatColors_[5] = {};
    HBRUSH flatBrushes_[5] = {};
    HBRUSH themeBrush_ = nullptr;
    TObject* hintObject_ = nullptr;
    bool themeAvailable_ = false;
    bool changingStyle_ = false;
    bool internalFontChange_ = false;  // the manager itself changes Font

    IPtr<IdxBarDesigner> designer_;
    TdxBarItemControl* selectedItemControl_ = nullptr;
    TdxBar* mainMenuBar_ = nullptr;
    std::unique_ptr<TMemIniFile> startupState_;
    HWND previousMDIChild_ = nullptr;
    bool previousMDIChildMaximized_ = false;
    bool checkingMDIChild_ = false;
    std::vector<TdxBarItem*> newLayoutItems_;
    bool savingStartupState_ = false;
    bool registered_ = false;  // in the process-wide list
    int lockUpdate_ = 0;
    int designerLock_ = 0;
    bool designerChangeHeld_ = false;
    bool modified_ = false;
    int readStateCount_ = 0;
    bool isCustomizing_ = false;
    bool dragging_ = false;
    TdxBarItem* draggingItem_ = nullptr;
    TdxBarItemLink* draggingItemLink_ = nullptr;
    TdxBarDragInfo* dragInfo_ = nullptr;
    TPoint dragPressPoint_{};
    bool hasDragPressPoint_ = false;
    bool ownLoading_ = false;
    bool barsLoading_ = false;
    bool creatingDockHandles_ = false;
    bool mainFormActive_ = true;  // a manager starts on a form that is being shown
    bool wasActive_ = false;  // the application went inactive while a modal form was up
    bool modalActivating_ = false;
    bool formActivating_ = false;
    bool floatingBarsChanging_ = false;

    bool allowCallFromAnotherForm_ = false, allowReset_ = true, alwaysMerge_ = false, alwaysSaveText_ = false;
    bool autoAlignBars_ = false, autoDockColor_ = true, autoHideEmptyBars_ = false, canCustomize_ = true;
    bool flatCloseButton_ = false, hideFloatingBarsWhenInactive_ = true, menusShowRecentItemsFirst_ = true;
    bool scaled_ = true, showCloseButton_ = false, showFullMenusAfterDelay_ = true, showHelpButton_ = false;
    bool showHint_ = true, showHintForDisabledItems_ = true, showShortCutInHint_ = false;
    bool storeInIniFile_ = false, storeInRegistry_ = false, sunkenBorder_ = false, useF10ForMenu_ = true;
    bool useFullReset_ = false, useSystemFont_ = true;
    int buttonArrowWidth_ = 11, largeButtonArrowWidth_ = 13, waitForDockingTime_ = 21;
    TColor dockColor_ = clBtnFace;
    THelpContext helpContext_ = 0;
    String iniFileName_, registryPath_;
    TdxBarMenuAnimations menuAnimations_ = maNone;
    Byte mostRecentItemsPercents_ = 95;
    int mostRecentlyUsedUseCount_ = 0;
    TdxBarDockingStyles notDocking_;
    TdxBarManagerStyle style_ = bmsEnhanced;
};

// ---- TdxBarManagerList --------------------------------------------------------------------

// Every manager of the process, in creation order. The message hooks live exactly while it is
// not empty.
class TdxBarManagerList : public TdxObjectList {
    Z_CLASS(TdxBarManagerList, TdxObjectList)
public:
    TdxBarManagerList() = default;
    ~TdxBarManagerList() override;
    TdxBarManager* GetManager(int index) const { return static_cast<TdxBarManager*>(GetObject(index)); }
    // The first manager in customizing mode, nil when none.
    TdxBarManager* GetCustomizingManager() const;
    // Starting next to the manager (forward or backward, wrapping around), the first manager of
    // the same main form; the manager itself when no other one is.
    TdxBarManager* NextManager(TdxBarManager* manager, bool forward) const;
    // Is the form the candidate's (its window or a parent of it through child windows, the
    // candidate's MDI child being the active one)?
    static bool BelongsToForm(TdxBarManager* candidate, TCustomForm* form);
};
