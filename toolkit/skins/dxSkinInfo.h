#pragma once
// The per-skin table of the groups, elements, colours and properties that the skin painters
// draw with, resolved once by name and again after every change of the skin, so that painters
// never search a skin while they draw.
//
// Resolving also repairs the skin for drawing: a missing group is added, a missing element is
// added with a red-cross picture (except the few painters can do without), and a few elements
// are adjusted (form button and frame states, frame margins, colours) so that painters can use
// them as they are.
//
// Members whose element name occurs in two groups carry the group's name in front
// (CommonButton, RibbonButton); the elements of "NavBar", "NavPane" and "Ribbon" all do.

#include "cxComponent.h"
#include "dxSkin.h"

// A skin painter's skin.
struct IdxSkinInfo : virtual IInterface {
    virtual TdxSkin* GetSkin() = 0;
};

// One part of a scroll bar: the element and the image set it is drawn from.
class TdxSkinScrollInfo : public TObject {
    Z_CLASS(TdxSkinScrollInfo, TObject)
public:
    TdxSkinScrollInfo(TdxSkinElement* element, int imageIndex) : Element(element), ImageIndex(imageIndex) {}
    // Draws the element when there is one (callers pass ImageIndex); false when there is none.
    bool Draw(HDC dc, const TRect& r, int imageIndex, TdxSkinElementState state);

    TdxSkinElement* Element;
    int ImageIndex;
};

// Scroll bar kinds and parts: [kind][part], parts 1 line-up (left) button, 2 line-down (right)
// button, 3 thumb, 4 page-up (left) track, 5 page-down (right) track; part 0 stays empty.
constexpr int dxSkinScrollBarVertical = 0, dxSkinScrollBarHorizontal = 1;
// Caption sizes of the form elements and the sides of a form frame.
constexpr int dxSkinSmallCaption = 0, dxSkinNormalCaption = 1;
constexpr int dxSkinFrameLeft = 0, dxSkinFrameCaption = 1, dxSkinFrameRight = 2, dxSkinFrameBottom = 3;
// Editor states of the editor colours.
constexpr int dxSkinEditorNormal = 0, dxSkinEditorDisabled = 1, dxSkinEditorInactive = 2, dxSkinEditorReadOnly = 3;

class TdxSkinInfo : public TcxIUnknownObject, public IdxSkinInfo, public IdxSkinChangeListener {
    Z_CLASS(TdxSkinInfo, TcxIUnknownObject)
public:
    explicit TdxSkinInfo(TdxSkin* skin);
    // Stops listening and frees the skin.
    ~TdxSkinInfo() override;

    TdxSkin* Skin() const { return skin_; }
    // Leaves the old skin (without freeing it), listens to the new one and resolves it.
    void SetSkin(TdxSkin* skin);
    TdxSkin* GetSkin() override { return skin_; }
    void SkinChanged(TdxSkin* skin) override;

    // Resolves every member; with no skin every reference is null.
    virtual void InitializeInfo();
    // Frees the scroll infos.
    virtual void FinalizeInfo();
    // FinalizeInfo, then InitializeInfo, with the skin's notices held back meanwhile.
    virtual void SkinChanged();

    // ---- the twelve groups
    TdxSkinControlGroup* GroupBars = nullptr;
    TdxSkinControlGroup* GroupCommon = nullptr;
    TdxSkinControlGroup* GroupDocking = nullptr;
    TdxSkinControlGroup* GroupEditors = nullptr;
    TdxSkinControlGroup* GroupForm = nullptr;
    TdxSkinControlGroup* GroupGrid = nullptr;
    TdxSkinControlGroup* GroupNavBar = nullptr;
    TdxSkinControlGroup* GroupNavPane = nullptr;
    TdxSkinControlGroup* GroupRibbon = nullptr;
    TdxSkinControlGroup* GroupScheduler = nullptr;
    TdxSkinControlGroup* GroupPageControl = nullptr;
    TdxSkinControlGroup* GroupVerticalGrid = nullptr;

    // ---- "Bars"
    TdxSkinElement* Bar = nullptr;
    TdxSkinElement* BarCustomize = nullptr;
    TdxSkinElement* BarCustomizeVertical = nullptr;
    TdxSkinElement* BarDragGrip = nullptr;
    TdxSkinElement* BarDragGripVertical = nullptr;
    TdxSkinElement* BarSeparator = nullptr;
    TdxSkinElement* BarVertical = nullptr;
    TdxSkinElement* BarSeparatorVertical = nullptr;
    TdxSkinElement* Dock = nullptr;
    TdxSkinElement* FloatBar = nullptr;
    TdxSkinElement* LinkStatic = nullptr;
    TdxSkinElement* LinkSelected = nullptr;
    TdxSkinElement* MainMenu = nullptr;
    TdxSkinElement* MainMenuCustomize = nullptr;  // never added
    TdxSkinElement* MainMenuDrag = nullptr;       // never added
    TdxSkinElement* MainMenuLinkSelected = nullptr;
    TdxSkinElement* MainMenuVertical = nullptr;
    TdxSkinElement* PopupMenu = nullptr;
    TdxSkinElement* PopupMenuCheck = nullptr;
    TdxSkinElement* PopupMenuExpandButton = nullptr;
    TdxSkinElement* PopupMenuLinkSelected = nullptr;
    TdxSkinElement* PopupMenuSeparator = nullptr;
    TdxSkinElement* PopupMenuSideStrip = nullptr;
    TdxSkinElement* PopupMenuSideStripNonRecent = nullptr;
    TdxSkinElement* PopupMenuDropDownButtonLabel = nullptr;
    TdxSkinElement* PopupMenuDropDownButtonArrow = nullptr;
    TdxSkinElement* StatusBar = nullptr;
    TdxSkinElement* ScreenTipWindow = nullptr;
    TdxSkinElement* ScreenTipSeparator = nullptr;
    TdxSkinColor* BarDisabledTextColor = nullptr;     // group colour "DisabledTextColor"
    TdxSkinColor* ScreenTipItemColor = nullptr;       // "ScreenTipItem" of "ScreenTipWindow"
    TdxSkinColor* ScreenTipTitleItemColor = nullptr;  // "ScreenTipTitleItem" of "ScreenTipWindow"

    // ---- "Common"
    TdxSkinElement* CommonButton = nullptr;
    TdxSkinColor* CommonButtonDisabledTextColor = nullptr;  // "DisabledText" of "Button"
    TdxSkinElement* Header = nullptr;
    TdxSkinElement* HeaderSpecial = nullptr;
    TdxSkinElement* GroupPanel = nullptr;
    TdxSkinElement* GroupPanelNoBorder = nullptr;
    TdxSkinElement* GroupPanelTop = nullptr;
    TdxSkinElement* GroupPanelBottom = nullptr;
    TdxSkinElement* GroupPanelLeft = nullptr;
    TdxSkinElement* GroupPanelRight = nullptr;
    TdxSkinElement* GroupPanelCaptionTop = nullptr;
    TdxSkinElement* GroupPanelCaptionBottom = nullptr;
    TdxSkinElement* GroupPanelCaptionLeft = nullptr;
    TdxSkinElement* GroupPanelCaptionRight = nullptr;
    TdxSkinElement* ScrollButton = nullptr;
    TdxSkinElement* ScrollThumbVert = nullptr;
    TdxSkinElement* ScrollThumbHorz = nullptr;
    TdxSkinElement* ScrollContentVert = nullptr;
    TdxSkinElement* ScrollContentHorz = nullptr;
    TdxSkinElement* SizeGrip = nullptr;
    TdxSkinElement* CommonSplitter = nullptr;
    TdxSkinElement* SplitterHorz = nullptr;
    TdxSkinScrollInfo* ScrollBarParts[2][6] = {};

    // ---- "Docking"
    TdxSkinElement* DockWindowBorder = nullptr;
    TdxSkinElement* DockWindowCaption = nullptr;
    TdxSkinElement* AutoHideBar = nullptr;
    TdxSkinElement* AutoHideBarLeft = nullptr;
    TdxSkinElement* AutoHideBarRight = nullptr;
    TdxSkinElement* AutoHideBarBottom = nullptr;
    TdxSkinElement* TabHeaderAutoHideBar = nullptr;
    TdxSkinElement* DockingTabHeader = nullptr;
    TdxSkinElement* TabHeaderBackground = nullptr;
    TdxSkinElement* TabHeaderLine = nullptr;
    TdxSkinElement* DockWindowButton = nullptr;
    TdxSkinElement* DockWindowButtonGlyphs = nullptr;
    TdxSkinColor* DockingTabHeaderTextColor = nullptr;
    TdxSkinColor* DockingTabHeaderTextColorActive = nullptr;
    TColor DockWindowCaptionInactiveTextColor = clDefault;  // "InactiveCaptionTextColor"
    int DockingActiveTabHeaderDownGrow = 0;
    int DockingActiveTabHeaderHGrow = 0;
    int DockingActiveTabHeaderUpGrow = 0;

    // ---- "Editors"
    TdxSkinElement* Checkbox = nullptr;
    TdxSkinElement* RadioButton = nullptr;
    TdxSkinElement* ClockFace = nullptr;
    TdxSkinElement* ClockGlass = nullptr;
    TdxSkinElement* EditorButton = nullptr;
    TdxSkinElement* CloseButton = nullptr;
    TdxSkinElement* Navigator = nullptr;
    TdxSkinElement* NavigatorVert = nullptr;
    TdxSkinElement* ProgressBorder = nullptr;
    TdxSkinElement* ProgressBorderVert = nullptr;
    TdxSkinElement* ProgressChunk = nullptr;
    TdxSkinElement* ProgressChunkVert = nullptr;
    TdxSkinElement* LabelLine = nullptr;
    TdxSkinElement* LabelLineVert = nullptr;
    TdxSkinElement* TrackBarTrack = nullptr;
    TdxSkinElement* TrackBarTrackVert = nullptr;
    TdxSkinElement* TrackBarThumb = nullptr;
    TdxSkinElement* TrackBarThumbUp = nullptr;
    TdxSkinElement* TrackBarThumbBoth = nullptr;
    TdxSkinElement* TrackBarThumbVert = nullptr;
    TdxSkinElement* TrackBarThumbVertUp = nullptr;
    TdxSkinElement* TrackBarThumbVertBoth = nullptr;
    // The glyph of each editor button kind: close, combo, editor, ellipsis (the editor button's
    // again), spin up, down, left, right.
    TdxSkinElement* EditorButtonGlyphs[8] = {};
    // By editor state: normal, disabled, inactive, read-only.
    TdxSkinColor* EditorBackgroundColors[4] = {};
    TdxSkinColor* EditorTextColors[4] = {};

    // ---- "Form"
    TdxSkinElement* FormContent = nullptr;
    // [caption size][side]: left, caption, right, bottom.
    TdxSkinElement* FormFrames[2][4] = {};
    // [caption size][button kind 0..5]: the small caption has only the close button (5); the
    // normal one help (1), minimize, maximize, restore and close.
    TdxSkinElement* FormButtons[2][6] = {};
    // [caption size]: the widths of the left, top (always 0), right and bottom frame.
    TRect FormFrameSizes[2] = {};
    // The normal caption's "FontDelta", at least 1; kept while there is no skin.
    int CaptionFontDelta = 0;
    TdxSkinColor* FormTextColorInactive = nullptr;
    TdxSkinColor* FormTextShadowColor = nullptr;

    // ---- "Grid"
    TdxSkinElement* GridGroupPanel = nullptr;
    TdxSkinElement* GroupRow = nullptr;
    TdxSkinElement* GridGridLine = nullptr;
    TdxSkinElement* GridFixedLine = nullptr;
    TdxSkinElement* CardSeparator = nullptr;
    TdxSkinElement* IndicatorImages = nullptr;
    TdxSkinElement* PlusMinus = nullptr;
    TdxSkinElement* FooterCell = nullptr;
    TdxSkinElement* FooterPanel = nullptr;
    TdxSkinElement* FilterButton = nullptr;
    TdxSkinElement* FilterButtonActive = nullptr;
    TdxSkinElement* GridFilterPanel = nullptr;

    // ---- "NavBar"
    TdxSkinElement* NavBarBackground = nullptr;
    TdxSkinElement* NavBarGroupOpenButton = nullptr;
    TdxSkinElement* NavBarGroupCloseButton = nullptr;
    TdxSkinElement* NavBarGroupClient = nullptr;
    TdxSkinElement* NavBarGroupHeader = nullptr;
    TdxSkinElement* NavBarItem = nullptr;

    // ---- "NavPane"
    TdxSkinElement* NavPaneCollapseButton = nullptr;
    TdxSkinElement* NavPaneCollapsedGroupClient = nullptr;
    TdxSkinElement* NavPaneExpandButton = nullptr;
    TdxSkinElement* NavPanePopupBorder = nullptr;
    TdxSkinElement* NavPanePopupSizeGrip = nullptr;
    TdxSkinElement* NavPaneGroupButton = nullptr;
    TdxSkinElement* NavPaneGroupButtonSelected = nullptr;
    TdxSkinElement* NavPaneCaption = nullptr;
    TdxSkinElement* NavPaneGroupClient = nullptr;
    TdxSkinElement* NavPaneItem = nullptr;
    TdxSkinElement* NavPaneItemSelected = nullptr;
    TdxSkinElement* NavPaneOverflowPanel = nullptr;
    TdxSkinElement* NavPaneOverflowPanelItem = nullptr;
    TdxSkinElement* NavPaneOverflowPanelExpandItem = nullptr;
    TdxSkinElement* NavPaneScrollUpButton = nullptr;
    TdxSkinElement* NavPaneScrollDownButton = nullptr;
    TdxSkinElement* NavPaneSplitter = nullptr;
    TdxSkinIntegerProperty* NavPaneCaptionHeight = nullptr;    // "Height" of "Caption"
    TdxSkinIntegerProperty* NavPaneCaptionFontSize = nullptr;  // "FontSize" of "Caption"

    // ---- "PageControl"
    TdxSkinElement* PageControlTabHeader = nullptr;
    TdxSkinElement* TabButtonHorz = nullptr;
    TdxSkinElement* TabButtonVert = nullptr;
    TdxSkinElement* TabPane = nullptr;
    TdxSkinColor* PageControlTabHeaderTextColor = nullptr;
    TdxSkinColor* PageControlTabHeaderTextColorSelected = nullptr;
    TdxSkinColor* PageControlTabHeaderTextColorDisabled = nullptr;
    TdxSkinColor* PageControlTabHeaderTextColorHot = nullptr;
    int PageControlRowIndentFar = 0;
    int PageControlRowIndentNear = 0;
    int PageControlSelectedHeaderDownGrow = 0;
    int PageControlSelectedHeaderHGrow = 0;
    int PageControlSelectedHeaderUpGrow = 0;
    int PageControlHeaderDownGrow = 0;

    // ---- "Ribbon"
    TdxSkinElement* RibbonFormAppButton = nullptr;
    TdxSkinElement* RibbonAppMenuBackground = nullptr;
    TdxSkinElement* RibbonAppMenuBackgroundBottom = nullptr;
    TdxSkinElement* RibbonButtonArrow = nullptr;
    TdxSkinElement* RibbonButtonGroup = nullptr;
    TdxSkinElement* RibbonButtonGroupButton = nullptr;
    TdxSkinElement* RibbonButtonGroupSeparator = nullptr;
    TdxSkinElement* RibbonTabGroupCollapsed = nullptr;
    TdxSkinElement* RibbonTabGroupCollapsedBox = nullptr;
    TdxSkinElement* RibbonFormCaption = nullptr;
    TdxSkinElement* RibbonFormFrameLeft = nullptr;
    TdxSkinElement* RibbonFormFrameRight = nullptr;
    TdxSkinElement* RibbonFormFrameBottom = nullptr;
    TdxSkinElement* RibbonDialogFrameLeft = nullptr;
    TdxSkinElement* RibbonDialogFrameRight = nullptr;
    TdxSkinElement* RibbonDialogFrameBottom = nullptr;
    TdxSkinElement* RibbonDropDownGalleryBackground = nullptr;
    TdxSkinElement* RibbonDropDownGalleryGroupHeader = nullptr;
    TdxSkinElement* RibbonDropDownGallerySizeGrip = nullptr;
    TdxSkinElement* RibbonDropDownGallerySizePanel = nullptr;
    TdxSkinElement* RibbonInRibbonGalleryButtonDown = nullptr;
    TdxSkinElement* RibbonInRibbonGalleryButtonDropDown = nullptr;
    TdxSkinElement* RibbonInRibbonGalleryButtonUp = nullptr;
    TdxSkinElement* RibbonInRibbonGalleryPane = nullptr;
    TdxSkinElement* RibbonTabGroupLeftScrollButton = nullptr;
    TdxSkinElement* RibbonTabGroupRightScrollButton = nullptr;
    TdxSkinElement* RibbonTabBackground = nullptr;
    TdxSkinElement* RibbonTab = nullptr;
    TdxSkinElement* RibbonTabGroup = nullptr;
    TdxSkinElement* RibbonTabGroupCaption = nullptr;
    TdxSkinElement* RibbonTabPanel = nullptr;
    TdxSkinElement* RibbonTabGroupButton = nullptr;
    TdxSkinElement* RibbonButton = nullptr;
    TdxSkinElement* RibbonSplitButtonLeft = nullptr;
    TdxSkinElement* RibbonSplitButtonRight = nullptr;
    TdxSkinElement* RibbonLargeButton = nullptr;
    TdxSkinElement* RibbonLargeSplitButtonTop = nullptr;
    TdxSkinElement* RibbonLargeSplitButtonBottom = nullptr;
    TdxSkinElement* RibbonQATAboveBackground = nullptr;
    TdxSkinElement* RibbonQATInRibbonBackground = nullptr;
    TdxSkinElement* RibbonQATBelowBackground = nullptr;
    TdxSkinElement* RibbonQATButtonGlyph = nullptr;
    TdxSkinElement* RibbonQATOverflow = nullptr;
    TdxSkinElement* RibbonQATCustomizeButton = nullptr;
    TdxSkinElement* RibbonStatusBarBackground = nullptr;
    TdxSkinElement* RibbonStatusBarButton = nullptr;
    TdxSkinElement* RibbonStatusBarSeparator = nullptr;
    TdxSkinColor* RibbonAppMenuExtraPaneColor = nullptr;
    TColor RibbonButtonDisabledColor = clDefault;  // group colour "ButtonDisabled"
    int RibbonTabHeaderDownGrow = 0;
    int RibbonFormAppButtonRightIndent = 0;                    // "RightIndent"
    int RibbonQATInRibbonBackgroundOffset = 0;                 // "Offset"
    TdxSkinIntegerProperty* RibbonCaptionFontDelta = nullptr;  // "FontDelta" of "FormCaption"
    // [0] the caption's TextColor (its document name's "DocumentNameTextColor"), [1] its
    // "TextColorInactive" for an inactive form.
    TColor RibbonCaptionTextColor[2] = {clDefault, clDefault};
    TColor RibbonDocumentNameTextColor[2] = {clDefault, clDefault};
    TColor RibbonTabTextColor = clDefault;
    TColor RibbonTabTextColorSelected = clDefault;
    TColor RibbonButtonTextColor = clDefault;
    TColor RibbonStatusBarTextColor = clDefault;
    TColor RibbonStatusBarTextColorHot = clDefault;
    TColor RibbonStatusBarTextColorDisabled = clDefault;
    // [0] "QATAboveBackground", [1] "QATInRibbonBackground".
    TdxSkinBooleanProperty* QATShowsCustomizeButtonOutside[2] = {};  // "DisplayCustomizeButtonOutsideQAT"
    TdxSkinIntegerProperty* QATIndentBeforeCustomizeButton[2] = {};  // "IndentBeforeCustomizeButton"

    // ---- "Scheduler"
    TdxSkinElement* TimeGridHeader = nullptr;
    TdxSkinElement* TimeGridHeaderSelected = nullptr;
    TdxSkinElement* TimeGridCurrentTimeIndicator = nullptr;  // never added
    TdxSkinElement* DefaultTimeLine = nullptr;
    TdxSkinElement* Ruler = nullptr;
    TdxSkinElement* MoreButton = nullptr;
    TdxSkinElement* Appointment = nullptr;
    TdxSkinElement* AppointmentMask = nullptr;
    TdxSkinElement* AppointmentRightBorder = nullptr;
    TdxSkinElement* AppointmentBottomShadow = nullptr;
    TdxSkinElement* AppointmentRightShadow = nullptr;
    TdxSkinElement* AllDayArea = nullptr;
    TdxSkinElement* AllDayAreaSelected = nullptr;
    TdxSkinElement* CurrentTimeIndicator = nullptr;
    TdxSkinElement* NavButtonPrev = nullptr;
    TdxSkinElement* NavButtonNext = nullptr;
    TdxSkinElement* NavButtonPrevArrow = nullptr;
    TdxSkinElement* NavButtonNextArrow = nullptr;
    TdxSkinColor* SchedulerNavigatorColor = nullptr;
    TdxSkinColor* AppointmentSeparatorColor = nullptr;
    TdxSkinIntegerProperty* AppointmentBorderSize = nullptr;

    // ---- "VerticalGrid"
    TdxSkinElement* Category = nullptr;
    TdxSkinElement* VerticalGridGridLine = nullptr;
    TdxSkinElement* BandBorder = nullptr;

    // ---- the skin's colour table
    TdxSkinColor* ContainerBorderColor = nullptr;
    TdxSkinColor* ContainerHighlightBorderColor = nullptr;
    TdxSkinColor* ContentColor = nullptr;
    TdxSkinColor* ContentEvenColor = nullptr;
    TdxSkinColor* ContentOddColor = nullptr;
    TdxSkinColor* ContentTextColor = nullptr;
    TdxSkinColor* DockControlHiddenBarTextColor = nullptr;
    TdxSkinColor* DockControlHiddenBarTextHotColor = nullptr;
    TdxSkinColor* HeaderBackgroundColor = nullptr;
    TdxSkinColor* HeaderBackgroundTextColor = nullptr;
    TdxSkinColor* LayoutControlColor = nullptr;
    TdxSkinColor* SelectionColor = nullptr;
    TdxSkinColor* SelectionTextColor = nullptr;

protected:
    // The lookups that resolving uses; each answers null for a null object or no skin.
    TdxSkinControlGroup* GetGroup(const String& name);
    TdxSkinElement* GetElement(TdxSkinControlGroup* group, const String& name, bool allowAdd = true);
    TdxSkinElement* AddPlaceholderElement(TdxSkinControlGroup* group, const String& name);
    TdxSkinColor* GetColor(TdxSkinPersistent* object, const String& name);
    TdxSkinIntegerProperty* GetIntegerProperty(TdxSkinPersistent* object, const String& name);
    TdxSkinBooleanProperty* GetBooleanProperty(TdxSkinPersistent* object, const String& name);
    TColor GetColorValue(TdxSkinPersistent* object, const String& name);
    int GetIntegerValue(TdxSkinPersistent* object, const String& name, int defaultValue);
    TColor GetElementTextColor(TdxSkinElement* element) const;

private:
    // Runs a resolution with the re-entrance guard: a change the first resolution itself reports
    // (adding a group or an element, adjusting one) asks for one more resolution, which runs
    // once at the end.
    void ResolveGuarded(void (TdxSkinInfo::*resolve)());

    void InitializeGroups();
    void InitializeBarsElements();
    void InitializeFormElements();
    void AdjustFormElements();
    void InitializeDockingElements();
    void InitializeButtonElements();
    void InitializeFooterElements();
    void InitializeEditorsElements();
    void InitializeGroupPanelElements();
    void InitializeGridElements();
    void InitializeNavBarElements();
    void InitializeNavPaneElements();
    void InitializeSchedulerElements();
    void InitializeHeaderAndFilterElements();
    void InitializePageControlElements();
    void InitializeScrollBarElements();
    void InitializeRibbonElements();
    void InitializeTrackBarElements();
    void InitializeScreenTipElements();
    void InitializeColors();

    TdxSkin* skin_ = nullptr;
    bool resolving_ = false;
    bool rerunAsked_ = false;
};

// The info of a registered skin painter.
class TdxSkinLookAndFeelPainterInfo : public TdxSkinInfo {
    Z_CLASS(TdxSkinLookAndFeelPainterInfo, TdxSkinInfo)
public:
    using TdxSkinInfo::TdxSkinInfo;
};

// The info of the user skin's painter: after each change of its skin it tells the application's
// root look-and-feel that everything changed, so that every control redraws.
class TdxSkinUserLookAndFeelPainterInfo : public TdxSkinInfo {
    Z_CLASS(TdxSkinUserLookAndFeelPainterInfo, TdxSkinInfo)
public:
    using TdxSkinInfo::SkinChanged;
    using TdxSkinInfo::TdxSkinInfo;
    void SkinChanged() override;
};
