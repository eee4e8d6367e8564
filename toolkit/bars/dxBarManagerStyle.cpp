// The manager's style: which painter draws its bars and how a look and feel maps onto it.

#include "dxBarManager.h"
#include "cxGraphics.h"
#include "dxBarCustForm.h"
#include "dxBarDrawing.h"
#include "dxBarStylePainters.h"
#include "dxOffice11.h"
#include "dxThemeManager.h"

namespace {
// The visual-style parts the bar painters draw with.
constexpr TdxThemedObjectTypes barThemedTypes =
    ThemedTypes({totComboBox, totEdit, totPage, totProgress, totRebar, totScrollBar, totStatus, totToolBar, totWindow});

TdxBarManagerStyle StyleOfKind(TcxLookAndFeelKind kind) {
    switch (kind) {
        case lfStandard:
            return bmsStandard;
        case lfUltraFlat:
            return bmsFlat;
        case lfOffice11:
            return bmsOffice11;
        default:
            return bmsEnhanced;
    }
}

// Each channel of the colour through the function.
TColor MapChannels(TColor color, int (*channel)(int)) {
    Integer rgb = ColorToRGB(color);
    return TColor(RGB(channel(GetRValue(rgb)), channel(GetGValue(rgb)), channel(GetBValue(rgb))));
}

TColor NearestOnScreen(TColor color) {
    return TColor(GetNearestColor(SharedScreenCanvas()->GetCanvasHandle(), COLORREF(ColorToRGB(color))));
}

// Clears a flag when the scope ends, also when an exception passes.
struct TFlagScope {
    bool& flag;
    explicit TFlagScope(bool& f) : flag(f) { flag = true; }
    ~TFlagScope() { flag = false; }
};
}  // namespace

TdxBarManagerStyle TdxBarManager::GetPaintStyle() const {
    switch (style_) {
        case bmsXP:
            return themeAvailable_ ? bmsXP : bmsEnhanced;
        case bmsUseLookAndFeel:
            if (lookAndFeel_->NativeStyle() && themeAvailable_) return bmsXP;
            if (lookAndFeel_->SkinPainter()) return bmsSkinned;
            return StyleOfKind(lookAndFeel_->Kind());
        default:
            return style_;
    }
}

TdxBarManagerStyle TdxBarManager::GetEffectiveStyle() const {
    if (style_ != bmsUseLookAndFeel) return style_;
    if (lookAndFeel_->NativeStyle() && themeAvailable_) return bmsXP;
    return StyleOfKind(lookAndFeel_->Kind());
}

TdxBarPainterClass TdxBarManager::GetPainterClass() const {
    switch (GetPaintStyle()) {
        case bmsEnhanced:
            return TdxBarEnhancedPainter::StaticClass();
        case bmsFlat:
            return TdxBarFlatPainter::StaticClass();
        case bmsXP:
            return TdxBarXPPainter::StaticClass();
        case bmsOffice11:
            return TdxBarOffice11Painter::StaticClass();
        case bmsSkinned:
            return SkinBarPainterClass();
        default:
            return TdxBarStandardPainter::StaticClass();
    }
}

void TdxBarManager::CreateDefaultPainter() {
    themeAvailable_ = AreThemesAvailable(barThemedTypes);
    FreeAndNil(painter_);
    painter_ = GetPainterClass()->CreateWithData(lookAndFeel_->SkinPainter());
}

void TdxBarManager::LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) {
    if (!IsDestroying()) StyleChanged();
}

void TdxBarManager::StyleChanged() {
    TFlagScope changing(changingStyle_);
    CreateDefaultPainter();
    // Hook (bar windows): every bar window recalculates its metrics; a docked one re-lays out
    // its dock, a floating one has its bar hidden and shown again.
    if (IsCustomizationFormOf(this)) RefreshCustomizationFormLook();
    // Hook (bar windows, docks): the windows are refreshed.
}

void TdxBarManager::AssignLookAndFeelTo(TcxLookAndFeel* lookAndFeel) const {
    lookAndFeel->ResetAssignedValues();
    lookAndFeel->SetSkinName(L"");
    switch (GetPaintStyle()) {
        case bmsFlat:
            lookAndFeel->ApplyStyleCode(2);
            break;
        case bmsXP:
            lookAndFeel->ApplyStyleCode(3);
            break;
        case bmsOffice11:
            lookAndFeel->ApplyStyleCode(4);
            break;
        case bmsSkinned:
            lookAndFeel->Assign(lookAndFeel_);
            break;
        default:
            lookAndFeel->ApplyStyleCode(0);
            break;
    }
}

// ---- Paint resources ----------------------------------------------------------------------

void CalcBarFlatColors(TColor (&colors)[5]) {
    const TColor mixed[5] = {
        MapChannels(clBtnShadow, [](int c) { return MulDiv(c, 8, 10); }),
        MapChannels(clBtnFace, [](int c) { return (c + MulDiv(255 - c, 16, 100)) & 0xFF; }),
        BlendSystemColors(11, 9, 73),
        BlendSystemColors(14, 44, 40),
        BlendSystemColors(-2, 30, 72),
    };
    for (int i = 0; i < 5; ++i) colors[i] = NearestOnScreen(mixed[i]);
}

void TdxBarManager::CreatePaintResources() {
    CalcBarFlatColors(flatColors_);
    for (int i = 0; i < 5; ++i) flatBrushes_[i] = CreateSolidBrush(COLORREF(ColorToRGB(flatColors_[i])));
    if (AreThemesAvailable()) themeBrush_ = CreateSolidBrush(COLORREF(ColorToRGB(GetToolbarThemeFillColor())));
    // Hook (bar windows, docks): the windows are refreshed.
}

void TdxBarManager::DeletePaintResources() {
    for (HBRUSH& brush : flatBrushes_) {
        if (brush) DeleteObject(brush);
        brush = nullptr;
    }
    if (themeBrush_) DeleteObject(themeBrush_);
    themeBrush_ = nullptr;
}

void TdxBarManager::SysColorsChanged() {
    // Hook (bar services): the screen depth and the checker brush are read again.
    DeletePaintResources();
    RecalcOffice11ColorTables();
    CreatePaintResources();
    // Hook (bar windows): every floating bar window refreshes its shadow.
}

// ---- Images -------------------------------------------------------------------------------

void TdxBarManager::ImageOptionsChanged(TObject*) {
    // Hook (toolbars): every bar refreshes.
}

void TdxBarManager::GlyphSizeChanged(TObject*) {
    imageOptions_->UpdateGlyphSize();
    DesignerModified();
    if (IsCustomizationFormOf(this)) RefreshCustomizationFormOptions();
    // Hook (toolbars): every bar refreshes.
}

// A list's change reaches the items that show an image of it.
void TdxBarManager::SmallImagesChanged(TObject*) {
    ForEachItem([](TdxBarItem* item) {
        if (item->ImageIndex() >= 0) item->GlyphOrImageChanged();
    });
}

void TdxBarManager::LargeImagesChanged(TObject*) {
    ForEachItem([](TdxBarItem* item) {
        if (item->HasImage()) item->LargeGlyphChanged();
    });
}

void TdxBarManager::HotImagesChanged(TObject*) {
    ForEachItem([](TdxBarItem* item) {
        if (item->HasHotImage()) item->HotGlyphChanged();
    });
}
