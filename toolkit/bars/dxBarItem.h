#pragma once
// TdxBarItem: the base of every command of the bar manager (buttons, edits, combos, sub items,
// labels, separators...). An item is a component of the form registered with one manager, shown
// in any number of places through item links; each shown link owns the item control that draws
// it and turns input into a click.
//
// Sections: enumerations · TdxBarItem (properties, change propagation, the click road, action
// binding, streaming).
//
// The click road: an item control (or the manager's shortcut handling through ExecuteShortCut
// and Click) calls DirectClick. A disabled item does nothing. An enabled one fires the manager's
// OnClickItem, then CallClickHandler: OnClick, or the action when OnClick is the action's own
// handler. An exception from either goes to the application's handler and the click just ends.
//
// Change propagation: a setter calls its xxxChanged step, which asks the controls of the links
// to refresh and tells the change listeners (groups, the Customize dialog). Nothing propagates
// while the item is read from a form description; Visible read then waits for the manager's
// after-load step.
//
// Steps marked "Hook (...)" reach parts that join later (item links, item controls, bar
// windows, screen tips); until they exist the step does nothing there.

#include <functional>
#include <vector>

#include "Actions.h"
#include "AssignIfChanged.h"
#include "Bitmap.h"
#include "TypInfo.h"
#include "dxBarComponent.h"
#include "dxBarItemStylesData.h"

class TcxStyle;
class TCustomImageList;
class TCustomIniFile;
class TCanvas;

Z_ENUM(TdxBarItemAlign, Byte, iaLeft, iaCenter, iaRight, iaClient)
Z_ENUM(TdxBarItemMergeKind, Byte, mkAdd, mkMergeByCaption, mkNone)
Z_ENUM(TdxBarPaintStyle, Byte, psStandard, psCaption, psCaptionInMenu, psCaptionGlyph)
Z_ENUM(TdxBarGlyphLayout, Byte, glLeft, glRight, glTop, glBottom)
// The kinds of bar window (what a window reports as its kind): toolbar, quick customization,
// sub menu.
Z_ENUM(TdxBarControlKind, Byte, bckToolbar, bckQuickCustomization, bckSubMenu)
using TdxBarControlKinds = TSet<TdxBarControlKind>;
constexpr TdxBarControlKinds dxBarAllControlKinds{bckToolbar, bckQuickCustomization, bckSubMenu};

// The places an item may be put: a toolbar (with its bar) or a menu.
constexpr Byte dxBarPlaceOnToolbar = 0;
constexpr Byte dxBarPlaceInMenu = 1;

// The Down state of a button item, which follows a bound action's Checked: false (and nothing
// set) for an item that is not a button.
bool GetButtonDown(const TdxBarItem* item, bool& down);
void SetButtonDown(TdxBarItem* item, bool down);

class TdxBarItem : public TdxBarComponent {
    Z_CLASS(TdxBarItem, TdxBarComponent)
    Z_PUBLISHED {
        p.Property(L"Action", &TdxBarItem::Action, &TdxBarItem::SetAction);
        p.Property(L"Align", &TdxBarItem::Align, &TdxBarItem::SetAlign).Default(iaLeft);
        p.Property(L"Caption", &TdxBarItem::GetCaption, &TdxBarItem::SetCaption).Stored(&TdxBarItem::StoresCaption);
        p.Property(L"Category", &TdxBarItem::Category, &TdxBarItem::SetCategory).Default(-1);
        p.Property(L"Description", &TdxBarItem::Description, &TdxBarItem::SetDescription);
        p.Property(L"Enabled", &TdxBarItem::GetEnabled, &TdxBarItem::SetEnabled)
            .Default(true)
            .Stored(&TdxBarItem::IsEnabledStored);
        p.Property(L"HelpContext", &TdxBarItem::HelpContext, &TdxBarItem::SetHelpContext)
            .Default(0)
            .Stored(&TdxBarItem::IsHelpContextStored);
        p.Property(L"Hint", &TdxBarItem::Hint, &TdxBarItem::SetHint).Stored(&TdxBarItem::IsHintStored);
        p.Property(L"KeyTip", &TdxBarItem::KeyTip, &TdxBarItem::SetKeyTip);
        p.Property(L"MergeKind", &TdxBarItem::MergeKind, &TdxBarItem::SetMergeKind).Default(mkAdd);
        p.Property(L"MergeOrder", &TdxBarItem::MergeOrder, &TdxBarItem::SetMergeOrder).Default(0);
        p.Property(L"Style", &TdxBarItem::Style, &TdxBarItem::SetStyle);
        p.Property(L"Visible", &TdxBarItem::Visible, &TdxBarItem::SetVisible)
            .Default(ivAlways)
            .Stored(&TdxBarItem::IsVisibleStored);
        p.Event(L"OnDestroy", &TdxBarItem::OnDestroy);
    }

public:
    explicit TdxBarItem(TComponent* owner);
    ~TdxBarItem() override;
    // Fires OnDestroy and frees every link while the whole item still exists.
    void BeforeDestruction() override;

    // -- properties of every item
    TBasicAction* Action() const;
    void SetAction(TBasicAction* value);
    TdxBarItemAlign Align() const { return align_; }
    void SetAlign(TdxBarItemAlign value);
    virtual String GetCaption() const { return caption_; }
    virtual void SetCaption(const String& value);
    bool StoresCaption() const;
    int Category() const { return category_; }
    void SetCategory(int value);  // an index outside the manager's categories changes nothing
    const String& Description() const { return description_; }
    void SetDescription(const String& value);
    bool GetEnabled() const override;
    void SetEnabled(bool value) override;
    THelpContext HelpContext() const { return helpContext_; }
    void SetHelpContext(THelpContext value) { helpContext_ = value; }
    const String& Hint() const { return hint_; }
    void SetHint(const String& value) { hint_ = value; }
    const String& KeyTip() const { return keyTip_; }
    void SetKeyTip(const String& value) { keyTip_ = value; }
    TdxBarItemMergeKind MergeKind() const { return mergeKind_; }
    void SetMergeKind(TdxBarItemMergeKind value) { mergeKind_ = value; }
    int MergeOrder() const { return mergeOrder_; }
    void SetMergeOrder(int value) { mergeOrder_ = value < 0 ? 0 : value; }
    TcxStyle* Style() const { return GetStyleByIndex(0); }
    void SetStyle(TcxStyle* value) { SetStyleByIndex(0, value); }
    TdxBarItemVisible Visible() const { return visible_; }
    void SetVisible(TdxBarItemVisible value) override;

    // -- properties that descendants publish
    TBitmap* Glyph() const { return glyph_; }
    void SetGlyph(TBitmap* value) { glyph_->Assign(value); }
    int ImageIndex() const { return imageIndex_; }
    virtual void SetImageIndex(int value);
    TBitmap* LargeGlyph() const { return largeGlyph_; }
    void SetLargeGlyph(TBitmap* value) { largeGlyph_->Assign(value); }
    int LargeImageIndex() const { return largeImageIndex_; }
    virtual void SetLargeImageIndex(int value);
    TdxBarPaintStyle PaintStyle() const { return paintStyle_; }
    void SetPaintStyle(TdxBarPaintStyle value);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut value);
    bool UnclickAfterDoing() const { return unclickAfterDoing_; }
    void SetUnclickAfterDoing(bool value) { unclickAfterDoing_ = value; }
    virtual int GetWidth() const { return width_; }
    virtual void SetWidth(int value);  // negative or unchanged values are ignored
    TdxBarGlyphLayout GlyphLayout() const { return glyphLayout_; }
    void SetGlyphLayout(TdxBarGlyphLayout value);
    bool ShowCaption() const { return showCaption_; }
    void SetShowCaption(bool value);
    TNotifyEvent OnClick;
    TNotifyEvent OnDestroy;
    // Fired at the end of Loaded.
    TNotifyEvent OnAfterLoad;

    // -- further state
    int GetLinkCount() const { return int(links_.size()); }
    TdxBarItemLink* GetLink(int index) const;  // nil outside the list
    TdxBarItemLink* GetActiveLink() const;
    // The link through which the item is being clicked (set by the item control around the click).
    TdxBarItemLink* ClickedLink = nullptr;
    // An object reference for the application, copied by Assign.
    TObject* UserData = nullptr;
    // Windowed item controls take part in keyboard navigation only while it is set.
    bool Focusable() const { return focusable_; }
    TdxBarItemActionLink* ActionLink() const { return actionLink_; }
    TdxBarItemStylesData* StylesData() const;
    TcxStyle* GetStyleByIndex(int index) const;
    void SetStyleByIndex(int index, TcxStyle* style);
    // A style's values for drawing: unassigned ones are nil and clNone.
    struct TStyleValues {
        TBitmap* Bitmap = nullptr;
        TColor Color = clNone;
        TFont* Font = nullptr;
        TColor TextColor = clNone;
    };
    TStyleValues GetStyleValues(int index) const;
    static TStyleValues GetStyleValuesOf(TcxStyle* style);

    bool IsActuallyVisible() const;
    static bool IsImageAvailable(TCustomImageList* imageList, int index);
    // Does the hint's short part (before its first bar) equal the caption made fit for a hint?
    bool HintMatchesCaption() const;
    // The caption as a hint: its first ampersand and its first "..." removed.
    static String GetCaptionForHint(const String& caption);

    // -- the click road
    // Runs DirectClick when the item may be clicked by a key; buttons toggle Down first.
    virtual void Click();
    // The click itself: nothing for a disabled item; otherwise the manager's OnClickItem, then
    // the handler; an exception goes to the application's handler.
    virtual void DirectClick();
    // OnClick, or (when OnClick is missing or is the action's own handler) the action.
    virtual void CallClickHandler();
    // Clicks the item when shortCut is its own key; else asks the links of its menu. False for a
    // disabled item.
    virtual bool ExecuteShortCut(TShortCut shortCut);
    virtual bool ClickableByShortCut() const { return true; }

    // -- operations for descendants and the other parts of the library
    virtual void BarManagerChanged() {}
    virtual bool CanPlaceOn(Byte kind, TdxBar* bar, String& errorText);
    virtual bool SupportsPaintStyle() const { return false; }
    virtual void DrawCommandListText(TCanvas* canvas, const TRect& rect, bool selected);
    virtual void FillCommandListBk(TCanvas* canvas, const TRect& rect);
    virtual int GetDisplayImageIndex() const { return imageIndex_; }
    virtual void SetDisplayImageIndex(int value) { SetImageIndex(value); }
    // The control class that shows the item, from the item class registry (exact class).
    virtual TClass GetItemControlClass(int kind) const;
    virtual int GetExtraKind() const { return 0; }
    virtual TdxBarItemLinks* GetItemLinks() const { return nullptr; }
    virtual int GetStyleCount() const { return 1; }
    virtual bool CanShowLink(TdxBarItemLink* link) const;
    virtual void HideControlWindow(TdxBarItemControl* control) { (void)control; }
    virtual bool IsAvailable() const { return true; }
    virtual bool CanMergeWith(TdxBarItem* item) const { return false; }
    virtual bool UsesStyleColors() const { return false; }
    virtual bool HasOwnWindow() const { return false; }
    virtual void BarRemoved(bool flag, TdxBar* bar) { (void)flag, (void)bar; }
    virtual void ImagesChanged();
    virtual void InvalidateLinkControls();
    // The controls of the links drop their cached glyph (and, when asked, their widths per
    // level), but not those of links whose glyph the user set when so asked.
    void ResetLinkControlsCache(bool widths, bool skipUserGlyphs);
    // Calls proc for each link that has a control, with that control.
    void ForEachLinkControl(const std::function<void(TdxBarItemLink*, TdxBarItemControl*)>& proc);
    virtual void RecalcLinkBars(TdxBarControlKinds kinds);
    virtual bool HasHotImage() const { return false; }
    virtual bool HasImage() const { return imageIndex_ >= 0 || largeImageIndex_ >= 0; }
    virtual void ResetLayoutFromIni(TCustomIniFile* iniFile, const String& section) {}
    virtual void LoadFromIni(TCustomIniFile* iniFile, const String& section, int storingKind) {}
    virtual void LoadUsageFromIni(TCustomIniFile* iniFile, const String& section) {}
    virtual void SaveToIni(TCustomIniFile* iniFile, const String& section, int storingKind) {}
    virtual String GetNewItemCaption() const;
    virtual String GetNewItemHint() const { return String(); }
    virtual TCustomImageList* GetImages() const;
    // Removes and frees every link (under the manager's update lock when one shows on a toolbar).
    void DeleteAllLinks();
    // Moves the item in the manager's list to stand right behind the last item of its category.
    void MoveToCategoryEnd(int category);
    void SetIndexInManager(int index);
    // Asks the designer to show the item's default event handler (nothing without one).
    void OpenDefaultHandler();

    // -- IdxBarSelectableItem
    bool CanDelete(bool deletingItem) override;
    void DeleteIfAllowed(IdxBarSelectableItem*& ref, bool deletingItem) override;
    void ExecuteCustomizingAction(Byte action) override;
    void AddOwnerToList(TList* list) override;
    IdxBarSelectableItem* GetNextSelectable() override;
    TPersistent* GetSelectableParent() override;
    Word GetSupportedActions() override;
    void InvalidateSelf() override { InvalidateLinkControls(); }
    bool HasSeveralLinks() override { return GetLinkCount() > 1; }
    bool SelectParent() override;
    void SelectionChanged() override;

    // -- action binding
    virtual TClass GetActionLinkClass() const;
    // Copies the action's values; with checkDefaults only those the item does not have yet.
    virtual void ActionChange(TObject* sender, bool checkDefaults);

    // -- links (kept up to date by the links themselves)
    void AddLink(TdxBarItemLink* link);
    void RemoveLink(TdxBarItemLink* link);

    // -- streaming and components
    void Assign(TPersistent* source) override;
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return category_ >= 0; }
    void SetParentComponent(TComponent* value) override;
    void ReadState(TReader* reader) override;
    void Loaded() override;
    void SetName(const String& name) override;

    // The handler the styles data reports style changes to.
    virtual void StylesChanged(TdxBarItemStyleChange change);

protected:
    void AssignTo(TPersistent* dest) override;
    void Notification(TComponent* component, TOperation operation) override;

    // -- change steps
    virtual void CaptionChanged();
    virtual void EnabledChanged();
    virtual void GlyphOrImageChanged();
    virtual void HotGlyphChanged();
    virtual void LargeGlyphChanged();
    virtual void PaintStyleChanged() {}
    virtual void ShortCutChanged();
    virtual void VisibleChanged();
    virtual void WidthChanged();

    bool IsEnabledStored() const;
    bool IsHelpContextStored() const;
    bool IsHintStored() const;
    bool IsImageIndexStored() const;
    bool IsShortCutStored() const;
    bool IsVisibleStored() const;
    bool IsOnClickStored() const;

    // Is some link on a toolbar window whose manager is not update-locked?
    bool HasLinkOnUnlockedToolbar() const;
    TdxBarItemLink* GetSelectionLink() const;

private:
    friend class TdxBarManager;
    friend class TdxBarManagerCategories;  // renumbers categories without moving items
    friend class TdxBarItemActionLink;
    void DoActionChange(TObject* sender);
    void GlyphBitmapChanged(TObject* sender) { GlyphOrImageChanged(); }
    void LargeGlyphBitmapChanged(TObject* sender) { LargeGlyphChanged(); }
    // Moves the item into the manager's item list (out of the previous manager's).
    void MoveToManager(TdxBarManager* manager);
    // Applies the visibility read from a form description (the manager's after-load step).
    void ApplyLoadedVisible();

    std::vector<TdxBarItemLink*> links_;
    TdxBarItemActionLink* actionLink_ = nullptr;
    TdxBarItemStylesData* stylesData_ = nullptr;
    TBitmap* glyph_ = nullptr;
    TBitmap* largeGlyph_ = nullptr;
    TdxBarItemAlign align_ = iaLeft;
    String caption_, description_, hint_, keyTip_;
    int category_ = -1;
    THelpContext helpContext_ = 0;
    TdxBarItemMergeKind mergeKind_ = mkAdd;
    int mergeOrder_ = 0;
    int imageIndex_ = -1, largeImageIndex_ = -1;
    TdxBarPaintStyle paintStyle_ = psStandard;
    TShortCut shortCut_ = 0;
    bool unclickAfterDoing_ = false;
    int width_ = 0;
    TdxBarGlyphLayout glyphLayout_ = glTop;
    bool showCaption_ = false;
    TdxBarItemVisible loadedVisible_ = ivAlways;
    // Set once the manager has applied the value read: later changes during the loading step (a
    // category's ItemsVisible) take effect at once instead of waiting for a step that has passed.
    bool loadedVisibleApplied_ = false;
    bool checkDefaults_ = false;
    bool focusable_ = true;
};
