// Sections: life · lookups · resolving, group by group · the user skin's info.

#include "dxSkinInfo.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "Bitmap.h"
#include "Canvas.h"
#include "cxLookAndFeel.h"
#include "dxGDIPlusClasses.h"

// ---- TdxSkinScrollInfo ---------------------------------------------------------------------

bool TdxSkinScrollInfo::Draw(HDC dc, const TRect& r, int imageIndex, TdxSkinElementState state) {
    if (!Element) return false;
    Element->Draw(dc, r, imageIndex, state);
    return true;
}

// ---- life ----------------------------------------------------------------------------------

TdxSkinInfo::TdxSkinInfo(TdxSkin* skin) { SetSkin(skin); }

TdxSkinInfo::~TdxSkinInfo() {
    TdxSkin* old = skin_;
    SetSkin(nullptr);
    delete old;
}

void TdxSkinInfo::SetSkin(TdxSkin* skin) {
    if (skin == skin_) return;
    if (skin_) {
        FinalizeInfo();
        skin_->RemoveListener(this);
    }
    skin_ = skin;
    if (skin_) skin_->AddListener(this);
    ResolveGuarded(&TdxSkinInfo::InitializeInfo);
}

void TdxSkinInfo::SkinChanged(TdxSkin* skin) {
    if (resolving_)
        rerunAsked_ = true;
    else
        ResolveGuarded(static_cast<void (TdxSkinInfo::*)()>(&TdxSkinInfo::SkinChanged));
}

void TdxSkinInfo::SkinChanged() {
    // What resolving adjusts in the skin must not come back as another change.
    std::optional<TdxSkinNotificationLock> lock;
    if (skin_) lock.emplace(skin_);
    FinalizeInfo();
    InitializeInfo();
}

void TdxSkinInfo::ResolveGuarded(void (TdxSkinInfo::*resolve)()) {
    resolving_ = true;
    rerunAsked_ = false;
    try {
        (this->*resolve)();
        // The first resolution adds and adjusts, and the skin reports it back: resolve once more
        // so that every member sees the repaired skin.
        if (rerunAsked_ && skin_) SkinChanged();
    } catch (...) {
        resolving_ = false;
        throw;
    }
    resolving_ = false;
}

void TdxSkinInfo::FinalizeInfo() {
    for (auto& kind : ScrollBarParts)
        for (TdxSkinScrollInfo*& part : kind) FreeAndNil(part);
}

void TdxSkinInfo::InitializeInfo() {
    InitializeGroups();
    InitializeBarsElements();
    InitializeFormElements();
    InitializeDockingElements();
    InitializeButtonElements();
    InitializeFooterElements();
    InitializeEditorsElements();
    InitializeGroupPanelElements();
    InitializeGridElements();
    InitializeNavBarElements();
    InitializeNavPaneElements();
    InitializeSchedulerElements();
    InitializeHeaderAndFilterElements();
    InitializePageControlElements();
    InitializeScrollBarElements();
    InitializeRibbonElements();
    InitializeTrackBarElements();
    InitializeScreenTipElements();
    InitializeColors();
}

// ---- lookups -------------------------------------------------------------------------------

TdxSkinControlGroup* TdxSkinInfo::GetGroup(const String& name) {
    if (!skin_) return nullptr;
    TdxSkinControlGroup* group = skin_->GetGroupByName(name);
    return group ? group : skin_->AddGroup(name);
}

TdxSkinElement* TdxSkinInfo::GetElement(TdxSkinControlGroup* group, const String& name, bool allowAdd) {
    if (!group) return nullptr;
    TdxSkinElement* element = group->GetElementByName(name);
    if (!element && allowAdd) element = AddPlaceholderElement(group, name);
    return element;
}

TdxSkinElement* TdxSkinInfo::AddPlaceholderElement(TdxSkinControlGroup* group, const String& name) {
    TdxSkinElement* element = group->AddElement(name);
    element->Image()->SetStates({esNormal});
    element->Image()->SetStretch(smStretch);
    // A red cross on white, so that a missing element shows where it is missing.
    TBitmap cross(32, 32, pf24bit);
    TCanvas* canvas = cross.Canvas();
    canvas->Brush()->SetColor(clWhite);
    canvas->FillRect(TRect{0, 0, 32, 32});
    canvas->Pen()->SetColor(clRed);
    canvas->Pen()->SetWidth(2);
    canvas->MoveTo(0, 0);
    canvas->LineTo(32, 32);
    canvas->MoveTo(0, 32);
    canvas->LineTo(32, 0);
    element->Image()->Picture()->AssignFromPersistent(&cross);
    return element;
}

TdxSkinColor* TdxSkinInfo::GetColor(TdxSkinPersistent* object, const String& name) {
    return object ? As<TdxSkinColor>(object->GetPropertyByName(name)) : nullptr;
}

TdxSkinIntegerProperty* TdxSkinInfo::GetIntegerProperty(TdxSkinPersistent* object, const String& name) {
    return object ? As<TdxSkinIntegerProperty>(object->GetPropertyByName(name)) : nullptr;
}

TdxSkinBooleanProperty* TdxSkinInfo::GetBooleanProperty(TdxSkinPersistent* object, const String& name) {
    return object ? As<TdxSkinBooleanProperty>(object->GetPropertyByName(name)) : nullptr;
}

TColor TdxSkinInfo::GetColorValue(TdxSkinPersistent* object, const String& name) {
    TdxSkinColor* color = GetColor(object, name);
    return color ? color->Value() : clDefault;
}

int TdxSkinInfo::GetIntegerValue(TdxSkinPersistent* object, const String& name, int defaultValue) {
    TdxSkinIntegerProperty* property = GetIntegerProperty(object, name);
    return property ? property->Value() : defaultValue;
}

TColor TdxSkinInfo::GetElementTextColor(TdxSkinElement* element) const {
    return element ? element->TextColor() : clDefault;
}

// ---- resolving, group by group -------------------------------------------------------------

void TdxSkinInfo::InitializeGroups() {
    GroupBars = GetGroup(L"Bars");
    GroupCommon = GetGroup(L"Common");
    GroupDocking = GetGroup(L"Docking");
    GroupEditors = GetGroup(L"Editors");
    GroupForm = GetGroup(L"Form");
    GroupGrid = GetGroup(L"Grid");
    GroupNavBar = GetGroup(L"NavBar");
    GroupNavPane = GetGroup(L"NavPane");
    GroupRibbon = GetGroup(L"Ribbon");
    GroupScheduler = GetGroup(L"Scheduler");
    GroupPageControl = GetGroup(L"PageControl");
    GroupVerticalGrid = GetGroup(L"VerticalGrid");
}

void TdxSkinInfo::InitializeBarsElements() {
    TdxSkinControlGroup* g = GroupBars;
    Bar = GetElement(g, L"Bar");
    BarCustomize = GetElement(g, L"BarCustomize");
    BarCustomizeVertical = GetElement(g, L"BarCustomizeVertical");
    BarDragGrip = GetElement(g, L"BarDragGrip");
    BarDragGripVertical = GetElement(g, L"BarDragGripVertical");
    BarSeparator = GetElement(g, L"BarSeparator");
    BarVertical = GetElement(g, L"BarVertical");
    BarSeparatorVertical = GetElement(g, L"BarSeparatorVertical");
    Dock = GetElement(g, L"Dock");
    FloatBar = GetElement(g, L"FloatBar");
    LinkStatic = GetElement(g, L"LinkStatic");
    LinkSelected = GetElement(g, L"LinkSelected");
    MainMenu = GetElement(g, L"MainMenu");
    MainMenuCustomize = GetElement(g, L"MainMenuCustomize", false);
    MainMenuDrag = GetElement(g, L"MainMenuDrag", false);
    MainMenuLinkSelected = GetElement(g, L"MainMenuLinkSelected");
    MainMenuVertical = GetElement(g, L"MainMenuVertical");
    PopupMenu = GetElement(g, L"PopupMenu");
    PopupMenuCheck = GetElement(g, L"PopupMenuCheck");
    PopupMenuExpandButton = GetElement(g, L"PopupMenuExpandButton");
    PopupMenuLinkSelected = GetElement(g, L"PopupMenuLinkSelected");
    PopupMenuSeparator = GetElement(g, L"PopupMenuSeparator");
    PopupMenuSideStrip = GetElement(g, L"PopupMenuSideStrip");
    PopupMenuSideStripNonRecent = GetElement(g, L"PopupMenuSideStripNonRecent");
    PopupMenuDropDownButtonLabel = GetElement(g, L"PopupMenuDropDownButtonLabel");
    PopupMenuDropDownButtonArrow = GetElement(g, L"PopupMenuDropDownButtonArrow");
    StatusBar = GetElement(g, L"StatusBar");
}

void TdxSkinInfo::InitializeFormElements() {
    TdxSkinControlGroup* g = GroupForm;
    FormContent = GetElement(g, L"FormContent");
    const wchar_t* captions[2] = {L"SmallFormCaption", L"FormCaption"};
    for (int size = 0; size < 2; ++size) {
        FormFrames[size][dxSkinFrameLeft] = GetElement(g, L"FormFrameLeft");
        FormFrames[size][dxSkinFrameCaption] = GetElement(g, captions[size]);
        FormFrames[size][dxSkinFrameRight] = GetElement(g, L"FormFrameRight");
        FormFrames[size][dxSkinFrameBottom] = GetElement(g, L"FormFrameBottom");
    }
    std::fill(&FormButtons[0][0], &FormButtons[0][0] + 12, nullptr);
    FormButtons[dxSkinSmallCaption][5] = GetElement(g, L"SmallFormButtonClose");
    const wchar_t* buttons[5] = {L"FormButtonHelp", L"FormButtonMinimize", L"FormButtonMaximize", L"FormButtonRestore",
                                 L"FormButtonClose"};
    for (int kind = 1; kind <= 5; ++kind) FormButtons[dxSkinNormalCaption][kind] = GetElement(g, buttons[kind - 1]);
    AdjustFormElements();
}

void TdxSkinInfo::AdjustFormElements() {
    FormFrameSizes[0] = FormFrameSizes[1] = TRect{0, 0, 0, 0};
    if (!skin_) return;
    {
        // Drawing states only: the skin's listeners need not hear of them.
        TdxSkinNotificationLock lock(skin_);
        for (int size = 0; size < 2; ++size) {
            for (TdxSkinElement* button : FormButtons[size])
                if (button) {
                    button->Image()->SetStates(button->Image()->States() + esActiveDisabled - esActive);
                    button->Image()->SetStretch(smStretch);
                }
            for (TdxSkinElement* frame : FormFrames[size])
                if (frame) frame->Image()->SetStates(frame->Image()->States() + esActive + esActiveDisabled - esNormal);
        }
    }
    for (int size = 0; size < 2; ++size) {
        TdxSkinElement* left = FormFrames[size][dxSkinFrameLeft];
        TdxSkinElement* right = FormFrames[size][dxSkinFrameRight];
        TdxSkinElement* bottom = FormFrames[size][dxSkinFrameBottom];
        TRect& sizes = FormFrameSizes[size];
        if (left) sizes.left = left->Size().cx;
        if (right) sizes.right = right->Size().cx;
        if (bottom) sizes.bottom = bottom->Size().cy;
        // A frame one pixel thick is its single column (row) stretched along the whole side.
        if (left && sizes.left == 1) {
            left->Image()->Margins()->SetLeft(1);
            left->Image()->Margins()->SetRight(0);
        }
        if (right && sizes.right == 1) {
            right->Image()->Margins()->SetLeft(0);
            right->Image()->Margins()->SetRight(1);
        }
        if (bottom && sizes.bottom == 1) {
            bottom->Image()->Margins()->SetTop(0);
            bottom->Image()->Margins()->SetBottom(1);
        }
    }
    CaptionFontDelta =
        std::max(1, GetIntegerValue(FormFrames[dxSkinNormalCaption][dxSkinFrameCaption], L"FontDelta", 0));
}

void TdxSkinInfo::InitializeDockingElements() {
    TdxSkinControlGroup* g = GroupDocking;
    DockWindowBorder = GetElement(g, L"DockWindowBorder");
    DockWindowCaption = GetElement(g, L"DockWindowCaption");
    AutoHideBar = GetElement(g, L"AutoHideBar");
    AutoHideBarLeft = GetElement(g, L"AutoHideBarLeft");
    AutoHideBarRight = GetElement(g, L"AutoHideBarRight");
    AutoHideBarBottom = GetElement(g, L"AutoHideBarBottom");
    TabHeaderAutoHideBar = GetElement(g, L"TabHeaderAutoHideBar");
    DockingTabHeader = GetElement(g, L"TabHeader");
    TabHeaderBackground = GetElement(g, L"TabHeaderBackground");
    TabHeaderLine = GetElement(g, L"TabHeaderLine");
    DockWindowButton = GetElement(g, L"DockWindowButton");
    DockWindowButtonGlyphs = GetElement(g, L"DockWindowButtonGlyphs");
    DockingTabHeaderTextColor = GetColor(g, L"TabHeaderTextColor");
    DockingTabHeaderTextColorActive = GetColor(g, L"TabHeaderTextColorActive");
    DockWindowCaptionInactiveTextColor = GetColorValue(DockWindowCaption, L"InactiveCaptionTextColor");
    DockingActiveTabHeaderDownGrow = GetIntegerValue(g, L"ActiveTabHeaderDownGrow", 0);
    DockingActiveTabHeaderHGrow = GetIntegerValue(g, L"ActiveTabHeaderHGrow", 0);
    DockingActiveTabHeaderUpGrow = GetIntegerValue(g, L"ActiveTabHeaderUpGrow", 0);
}

void TdxSkinInfo::InitializeButtonElements() {
    CommonButton = GetElement(GroupCommon, L"Button");
    CommonButtonDisabledTextColor = GetColor(CommonButton, L"DisabledText");
    PlusMinus = GetElement(GroupGrid, L"PlusMinus");
}

void TdxSkinInfo::InitializeFooterElements() {
    FooterCell = GetElement(GroupGrid, L"FooterCell");
    FooterPanel = GetElement(GroupGrid, L"FooterPanel");
}

void TdxSkinInfo::InitializeEditorsElements() {
    TdxSkinControlGroup* g = GroupEditors;
    Checkbox = GetElement(g, L"Checkbox");
    ClockFace = GetElement(g, L"ClockFace");
    ClockGlass = GetElement(g, L"ClockGlass");
    LabelLine = GetElement(g, L"LabelLine");
    LabelLineVert = GetElement(g, L"LabelLineVert");
    EditorButton = GetElement(g, L"EditorButton");
    CloseButton = GetElement(g, L"CloseButton");
    const wchar_t* glyphs[8] = {L"CloseButton", L"ComboButtonGlyph", L"EditorButton",  L"EditorButton",
                                L"SpinUpGlyph", L"SpinDownGlyph",    L"SpinLeftGlyph", L"SpinRightGlyph"};
    for (int kind = 0; kind < 8; ++kind) EditorButtonGlyphs[kind] = GetElement(g, glyphs[kind]);
    Navigator = GetElement(g, L"Navigator");
    NavigatorVert = GetElement(g, L"NavigatorVert");
    ProgressBorder = GetElement(g, L"ProgressBorder");
    ProgressBorderVert = GetElement(g, L"ProgressBorderVert");
    ProgressChunk = GetElement(g, L"ProgressChunk");
    ProgressChunkVert = GetElement(g, L"ProgressChunkVert");
    RadioButton = GetElement(g, L"RadioButton");
}

void TdxSkinInfo::InitializeGroupPanelElements() {
    TdxSkinControlGroup* g = GroupCommon;
    GroupPanel = GetElement(g, L"GroupPanel");
    GroupPanelNoBorder = GetElement(g, L"GroupPanelNoBorder");
    GroupPanelTop = GetElement(g, L"GroupPanelTop");
    GroupPanelBottom = GetElement(g, L"GroupPanelBottom");
    GroupPanelLeft = GetElement(g, L"GroupPanelLeft");
    GroupPanelRight = GetElement(g, L"GroupPanelRight");
    GroupPanelCaptionTop = GetElement(g, L"GroupPanelCaptionTop");
    GroupPanelCaptionBottom = GetElement(g, L"GroupPanelCaptionBottom");
    GroupPanelCaptionLeft = GetElement(g, L"GroupPanelCaptionLeft");
    GroupPanelCaptionRight = GetElement(g, L"GroupPanelCaptionRight");
}

void TdxSkinInfo::InitializeGridElements() {
    TdxSkinControlGroup* g = GroupGrid;
    GridGridLine = GetElement(g, L"GridLine");
    GridFixedLine = GetElement(g, L"GridFixedLine");
    GroupRow = GetElement(g, L"GroupRow");
    CardSeparator = GetElement(g, L"CardSeparator");
    GridGroupPanel = GetElement(g, L"GridGroupPanel");
    // Without a picture the panel shows what is under it.
    if (GridGroupPanel && GridGroupPanel->Image()->Empty()) GridGroupPanel->SetColor(clNone);
    Category = GetElement(GroupVerticalGrid, L"Category");
    VerticalGridGridLine = GetElement(GroupVerticalGrid, L"GridLine");
    BandBorder = GetElement(GroupVerticalGrid, L"BandBorder");
    IndicatorImages = GetElement(g, L"IndicatorImages");
}

void TdxSkinInfo::InitializeNavBarElements() {
    TdxSkinControlGroup* g = GroupNavBar;
    NavBarBackground = GetElement(g, L"Background");
    NavBarGroupOpenButton = GetElement(g, L"GroupOpenButton");
    NavBarGroupCloseButton = GetElement(g, L"GroupCloseButton");
    NavBarGroupClient = GetElement(g, L"GroupClient");
    NavBarGroupHeader = GetElement(g, L"GroupHeader");
    NavBarItem = GetElement(g, L"Item");
}

void TdxSkinInfo::InitializeNavPaneElements() {
    TdxSkinControlGroup* g = GroupNavPane;
    NavPaneCollapseButton = GetElement(g, L"CollapseButton");
    NavPaneCollapsedGroupClient = GetElement(g, L"CollapsedGroupClient");
    NavPaneExpandButton = GetElement(g, L"ExpandButton");
    NavPanePopupBorder = GetElement(g, L"PopupBorder");
    NavPanePopupSizeGrip = GetElement(g, L"PopupSizeGrip");
    NavPaneGroupButton = GetElement(g, L"GroupButton");
    NavPaneGroupButtonSelected = GetElement(g, L"GroupButtonSelected");
    NavPaneCaption = GetElement(g, L"Caption");
    NavPaneGroupClient = GetElement(g, L"GroupClient");
    NavPaneItem = GetElement(g, L"Item");
    NavPaneItemSelected = GetElement(g, L"ItemSelected");
    NavPaneOverflowPanel = GetElement(g, L"OverflowPanel");
    NavPaneOverflowPanelItem = GetElement(g, L"OverflowPanelItem");
    NavPaneOverflowPanelExpandItem = GetElement(g, L"OverflowPanelExpandItem");
    NavPaneScrollUpButton = GetElement(g, L"ScrollUpButton");
    NavPaneScrollDownButton = GetElement(g, L"ScrollDownButton");
    NavPaneSplitter = GetElement(g, L"Splitter");
    NavPaneCaptionHeight = GetIntegerProperty(NavPaneCaption, L"Height");
    NavPaneCaptionFontSize = GetIntegerProperty(NavPaneCaption, L"FontSize");
}

void TdxSkinInfo::InitializeSchedulerElements() {
    TdxSkinControlGroup* g = GroupScheduler;
    TimeGridHeader = GetElement(g, L"TimeGridHeader");
    TimeGridHeaderSelected = GetElement(g, L"TimeGridHeaderSelected");
    TimeGridCurrentTimeIndicator = GetElement(g, L"TimeGridCurrentTimeIndicator", false);
    DefaultTimeLine = GetElement(g, L"DefaultTimeLine");
    Ruler = GetElement(g, L"Ruler");
    MoreButton = GetElement(g, L"MoreButton");
    Appointment = GetElement(g, L"Appointment");
    AppointmentMask = GetElement(g, L"AppointmentMask");
    AppointmentRightBorder = GetElement(g, L"AppointmentRightBorder");
    AppointmentBottomShadow = GetElement(g, L"AppointmentBottomShadow");
    AppointmentRightShadow = GetElement(g, L"AppointmentRightShadow");
    AllDayArea = GetElement(g, L"AllDayArea");
    AllDayAreaSelected = GetElement(g, L"AllDayAreaSelected");
    CurrentTimeIndicator = GetElement(g, L"CurrentTimeIndicator");
    NavButtonPrev = GetElement(g, L"NavButtonPrev");
    NavButtonNext = GetElement(g, L"NavButtonNext");
    NavButtonPrevArrow = GetElement(g, L"NavButtonPrevArrow");
    NavButtonNextArrow = GetElement(g, L"NavButtonNextArrow");
    AppointmentSeparatorColor = GetColor(Appointment, L"SeparatorColor");
    AppointmentBorderSize = GetIntegerProperty(Appointment, L"BorderSize");
}

void TdxSkinInfo::InitializeHeaderAndFilterElements() {
    Header = GetElement(GroupCommon, L"Header");
    HeaderSpecial = GetElement(GroupCommon, L"HeaderSpecial");
    FilterButton = GetElement(GroupGrid, L"FilterButton");
    FilterButtonActive = GetElement(GroupGrid, L"FilterButtonActive");
    GridFilterPanel = GetElement(GroupGrid, L"GridFilterPanel");
}

void TdxSkinInfo::InitializePageControlElements() {
    TdxSkinControlGroup* g = GroupPageControl;
    PageControlTabHeader = GetElement(g, L"TabHeader");
    TabButtonHorz = GetElement(g, L"TabButtonHorz");
    TabButtonVert = GetElement(g, L"TabButtonVert");
    TabPane = GetElement(g, L"TabPane");
    if (FormContent) {
        if (TabButtonHorz) TabButtonHorz->SetColor(FormContent->Color());
        if (TabButtonVert) TabButtonVert->SetColor(FormContent->Color());
    }
    PageControlTabHeaderTextColor = GetColor(PageControlTabHeader, L"TextColor");
    PageControlTabHeaderTextColorSelected = GetColor(PageControlTabHeader, L"TextColorSelected");
    PageControlTabHeaderTextColorDisabled = GetColor(PageControlTabHeader, L"TextColorDisabled");
    PageControlTabHeaderTextColorHot = GetColor(PageControlTabHeader, L"TextColorHot");
    PageControlRowIndentFar = GetIntegerValue(g, L"RowIndentFar", 0);
    PageControlRowIndentNear = GetIntegerValue(g, L"RowIndentNear", 0);
    PageControlSelectedHeaderDownGrow = GetIntegerValue(g, L"SelectedHeaderDownGrow", 0);
    PageControlSelectedHeaderHGrow = GetIntegerValue(g, L"SelectedHeaderHGrow", 0);
    PageControlSelectedHeaderUpGrow = GetIntegerValue(g, L"SelectedHeaderUpGrow", 0);
    PageControlHeaderDownGrow = GetIntegerValue(g, L"HeaderDownGrow", 0);
}

void TdxSkinInfo::InitializeScrollBarElements() {
    TdxSkinControlGroup* g = GroupCommon;
    ScrollButton = GetElement(g, L"ScrollButton");
    ScrollThumbVert = GetElement(g, L"ScrollThumbVert");
    ScrollThumbHorz = GetElement(g, L"ScrollThumbHorz");
    ScrollContentVert = GetElement(g, L"ScrollContentVert");
    ScrollContentHorz = GetElement(g, L"ScrollContentHorz");
    if (ScrollButton && FormContent) ScrollButton->SetColor(FormContent->Color());
    if (!skin_) return;
    auto set = [this](int kind, int part, TdxSkinElement* element, int imageIndex) {
        delete ScrollBarParts[kind][part];
        ScrollBarParts[kind][part] = new TdxSkinScrollInfo(element, imageIndex);
    };
    const int v = dxSkinScrollBarVertical, h = dxSkinScrollBarHorizontal;
    set(v, 1, ScrollButton, 0);
    set(v, 2, ScrollButton, 1);
    set(h, 1, ScrollButton, 2);
    set(h, 2, ScrollButton, 3);
    set(v, 3, ScrollThumbVert, 0);
    set(h, 3, ScrollThumbHorz, 0);
    set(v, 4, ScrollContentVert, 0);
    set(v, 5, ScrollContentVert, 0);
    set(h, 4, ScrollContentHorz, 0);
    set(h, 5, ScrollContentHorz, 0);
}

void TdxSkinInfo::InitializeRibbonElements() {
    TdxSkinControlGroup* g = GroupRibbon;
    RibbonFormAppButton = GetElement(g, L"FormAppButton");
    RibbonAppMenuBackground = GetElement(g, L"AppMenuBackground");
    RibbonAppMenuBackgroundBottom = GetElement(g, L"AppMenuBackgroundBottom");
    RibbonButtonArrow = GetElement(g, L"ButtonArrow");
    RibbonButtonGroup = GetElement(g, L"ButtonGroup");
    RibbonButtonGroupButton = GetElement(g, L"ButtonGroupButton");
    RibbonButtonGroupSeparator = GetElement(g, L"ButtonGroupSeparator");
    RibbonTabGroupCollapsed = GetElement(g, L"TabGroupCollapsed");
    RibbonTabGroupCollapsedBox = GetElement(g, L"TabGroupCollapsedBox");
    RibbonFormCaption = GetElement(g, L"FormCaption");
    RibbonFormFrameLeft = GetElement(g, L"FormFrameLeft");
    RibbonFormFrameRight = GetElement(g, L"FormFrameRight");
    RibbonFormFrameBottom = GetElement(g, L"FormFrameBottom");
    RibbonDialogFrameLeft = GetElement(g, L"DialogFrameLeft");
    RibbonDialogFrameRight = GetElement(g, L"DialogFrameRight");
    RibbonDialogFrameBottom = GetElement(g, L"DialogFrameBottom");
    RibbonDropDownGalleryBackground = GetElement(g, L"DropDownGalleryBackground");
    RibbonDropDownGalleryGroupHeader = GetElement(g, L"DropDownGalleryGroupHeader");
    RibbonDropDownGallerySizeGrip = GetElement(g, L"DropDownGallerySizeGrip");
    RibbonDropDownGallerySizePanel = GetElement(g, L"DropDownGallerySizePanel");
    RibbonInRibbonGalleryButtonDown = GetElement(g, L"InRibbonGalleryButtonDown");
    RibbonInRibbonGalleryButtonDropDown = GetElement(g, L"InRibbonGalleryButtonDropDown");
    RibbonInRibbonGalleryButtonUp = GetElement(g, L"InRibbonGalleryButtonUp");
    RibbonInRibbonGalleryPane = GetElement(g, L"InRibbonGalleryPane");
    RibbonTabGroupLeftScrollButton = GetElement(g, L"TabGroupLeftScrollButton");
    RibbonTabGroupRightScrollButton = GetElement(g, L"TabGroupRightScrollButton");
    RibbonTabBackground = GetElement(g, L"TabBackground");
    RibbonTab = GetElement(g, L"Tab");
    RibbonTabGroup = GetElement(g, L"TabGroup");
    RibbonTabGroupCaption = GetElement(g, L"TabGroupCaption");
    RibbonTabPanel = GetElement(g, L"TabPanel");
    RibbonTabGroupButton = GetElement(g, L"TabGroupButton");
    RibbonButton = GetElement(g, L"Button");
    RibbonSplitButtonLeft = GetElement(g, L"SplitButtonLeft");
    RibbonSplitButtonRight = GetElement(g, L"SplitButtonRight");
    RibbonLargeButton = GetElement(g, L"LargeButton");
    RibbonLargeSplitButtonTop = GetElement(g, L"LargeSplitButtonTop");
    RibbonLargeSplitButtonBottom = GetElement(g, L"LargeSplitButtonBottom");
    RibbonQATAboveBackground = GetElement(g, L"QATAboveBackground");
    RibbonQATInRibbonBackground = GetElement(g, L"QATInRibbonBackground");
    RibbonQATBelowBackground = GetElement(g, L"QATBelowBackground");
    RibbonQATButtonGlyph = GetElement(g, L"QATButtonGlyph");
    RibbonQATOverflow = GetElement(g, L"QATOverflow");
    RibbonQATCustomizeButton = GetElement(g, L"QATCustomizeButton");
    RibbonStatusBarBackground = GetElement(g, L"StatusBarBackground");
    RibbonStatusBarButton = GetElement(g, L"StatusBarButton");
    RibbonStatusBarSeparator = GetElement(g, L"StatusBarSeparator");

    RibbonTabHeaderDownGrow = GetIntegerValue(g, L"TabHeaderDownGrow", 0);
    RibbonFormAppButtonRightIndent = GetIntegerValue(RibbonFormAppButton, L"RightIndent", 0);
    RibbonQATInRibbonBackgroundOffset = GetIntegerValue(RibbonQATInRibbonBackground, L"Offset", 0);
    RibbonCaptionFontDelta = GetIntegerProperty(RibbonFormCaption, L"FontDelta");
    const TColor inactiveCaption = GetColorValue(RibbonFormCaption, L"TextColorInactive");
    RibbonCaptionTextColor[0] = GetElementTextColor(RibbonFormCaption);
    RibbonCaptionTextColor[1] = inactiveCaption;
    RibbonDocumentNameTextColor[0] = GetColorValue(RibbonFormCaption, L"DocumentNameTextColor");
    RibbonDocumentNameTextColor[1] = inactiveCaption;
    RibbonTabTextColor = GetElementTextColor(RibbonTab);
    RibbonTabTextColorSelected = GetColorValue(RibbonTab, L"TextColorSelected");
    RibbonButtonTextColor = GetElementTextColor(RibbonButton);
    RibbonStatusBarTextColor = GetColorValue(RibbonStatusBarButton, L"TextColor");
    RibbonStatusBarTextColorHot = GetColorValue(RibbonStatusBarButton, L"TextColorHot");
    RibbonStatusBarTextColorDisabled = GetColorValue(RibbonStatusBarButton, L"TextColorDisabled");
    TdxSkinElement* qat[2] = {RibbonQATAboveBackground, RibbonQATInRibbonBackground};
    for (int i = 0; i < 2; ++i) {
        QATShowsCustomizeButtonOutside[i] = GetBooleanProperty(qat[i], L"DisplayCustomizeButtonOutsideQAT");
        QATIndentBeforeCustomizeButton[i] = GetIntegerProperty(qat[i], L"IndentBeforeCustomizeButton");
    }
    SizeGrip = GetElement(GroupCommon, L"SizeGrip");
    CommonSplitter = GetElement(GroupCommon, L"Splitter");
    SplitterHorz = GetElement(GroupCommon, L"SplitterHorz");
}

void TdxSkinInfo::InitializeTrackBarElements() {
    TdxSkinControlGroup* g = GroupEditors;
    TrackBarTrack = GetElement(g, L"TrackBarTrack");
    TrackBarTrackVert = GetElement(g, L"TrackBarTrackVert");
    TrackBarThumb = GetElement(g, L"TrackBarThumb");
    TrackBarThumbUp = GetElement(g, L"TrackBarThumbUp");
    TrackBarThumbBoth = GetElement(g, L"TrackBarThumbBoth");
    TrackBarThumbVert = GetElement(g, L"TrackBarThumbVert");
    TrackBarThumbVertUp = GetElement(g, L"TrackBarThumbVertUp");
    TrackBarThumbVertBoth = GetElement(g, L"TrackBarThumbVertBoth");
}

void TdxSkinInfo::InitializeScreenTipElements() {
    ScreenTipWindow = GetElement(GroupBars, L"ScreenTipWindow");
    ScreenTipSeparator = GetElement(GroupBars, L"ScreenTipSeparator");
    ScreenTipItemColor = GetColor(ScreenTipWindow, L"ScreenTipItem");
    ScreenTipTitleItemColor = GetColor(ScreenTipWindow, L"ScreenTipTitleItem");
}

void TdxSkinInfo::InitializeColors() {
    auto skinColor = [this](const wchar_t* name) { return skin_ ? skin_->GetColorByName(name) : nullptr; };
    ContainerBorderColor = skinColor(L"ContainerBorderColor");
    ContainerHighlightBorderColor = skinColor(L"ContainerHighlightBorderColor");
    ContentColor = skinColor(L"ContentColor");
    ContentEvenColor = skinColor(L"ContentEvenColor");
    ContentOddColor = skinColor(L"ContentOddColor");
    ContentTextColor = skinColor(L"ContentTextColor");
    DockControlHiddenBarTextColor = skinColor(L"DockControlHiddenBarTextColor");
    DockControlHiddenBarTextHotColor = skinColor(L"DockControlHiddenBarTextHotColor");
    HeaderBackgroundColor = skinColor(L"HeaderBackgroundColor");
    HeaderBackgroundTextColor = skinColor(L"HeaderBackgroundTextColor");
    LayoutControlColor = skinColor(L"LayoutControlColor");
    SelectionColor = skinColor(L"SelectionColor");
    SelectionTextColor = skinColor(L"SelectionTextColor");

    BarDisabledTextColor = GetColor(GroupBars, L"DisabledTextColor");
    SchedulerNavigatorColor = GetColor(GroupScheduler, L"NavigatorColor");
    FormTextColorInactive = GetColor(GroupForm, L"TextColorInactive");
    FormTextShadowColor = GetColor(GroupForm, L"TextShadowColor");
    RibbonAppMenuExtraPaneColor = GetColor(GroupRibbon, L"AppMenuExtraPaneColor");
    RibbonButtonDisabledColor = GetColorValue(GroupRibbon, L"ButtonDisabled");
    const wchar_t* backgrounds[4] = {L"BackgroundColor", L"BackgroundDisabledColor", L"BackgroundInactiveColor",
                                     L"BackgroundReadOnlyColor"};
    const wchar_t* texts[4] = {L"TextColor", L"TextDisabledColor", L"TextInactiveColor", L"TextReadOnlyColor"};
    for (int state = 0; state < 4; ++state) {
        EditorBackgroundColors[state] = GetColor(GroupEditors, backgrounds[state]);
        EditorTextColors[state] = GetColor(GroupEditors, texts[state]);
    }
}

// ---- the user skin's info ------------------------------------------------------------------

void TdxSkinUserLookAndFeelPainterInfo::SkinChanged() {
    TdxSkinInfo::SkinChanged();
    if (TcxLookAndFeel* root = GetRootLookAndFeel()) root->NotifyChangedAll();
}
