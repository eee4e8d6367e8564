#include "dxStatusBarPanelStyle.h"

#include "AssignIfChanged.h"
#include "cxRegisteredClasses.h"
#include "dxStatusBar.h"

// Sections: the style base · the registry.

// ---- the style base ------------------------------------------------------------------------

TdxStatusBarPanelStyle::TdxStatusBarPanelStyle(TdxStatusBarPanel* owner) : owner_(owner), font_(new TFont) {
    ParentFontChanged();
    font_->OnChange = MakeEvent(this, &TdxStatusBarPanelStyle::FontChanged);
}

TdxStatusBarPanelStyle::~TdxStatusBarPanelStyle() { delete font_; }

TdxCustomStatusBar* TdxStatusBarPanelStyle::StatusBar() const { return owner_ ? owner_->StatusBar() : nullptr; }

TPersistent* TdxStatusBarPanelStyle::GetOwner() const { return owner_; }

void TdxStatusBarPanelStyle::Assign(TPersistent* source) {
    auto* style = As<TdxStatusBarPanelStyle>(source);
    if (!style) {
        TPersistent::Assign(source);
        return;
    }
    TCollection* panels = owner_ ? owner_->Collection() : nullptr;
    if (panels) panels->BeginUpdate();
    try {
        DoAssign(style);
    } catch (...) {
        if (panels) panels->EndUpdate();
        throw;
    }
    if (panels) panels->EndUpdate();
}

void TdxStatusBarPanelStyle::SetAlignment(TAlignment value) {
    if (AssignIfChanged(alignment_, value)) Changed();
}

void TdxStatusBarPanelStyle::SetColor(TColor value) {
    if (colorAssigned_ && color_ == value) return;
    color_ = value;
    colorAssigned_ = true;
    Changed();
}

void TdxStatusBarPanelStyle::SetParentFont(bool value) {
    if (!AssignIfChanged(parentFont_, value)) return;
    ParentFontChanged();
    Changed();
}

void TdxStatusBarPanelStyle::FontChanged(TObject*) {
    if (takingParentFont_) return;
    parentFont_ = false;
    Changed();
}

void TdxStatusBarPanelStyle::AdjustTextColor(TColor& color, bool active) {
    if (color != clDefault) return;
    if (TdxCustomStatusBar* bar = StatusBar()) bar->AdjustTextColor(color, active);
}

void TdxStatusBarPanelStyle::Changed() {
    if (owner_) owner_->StyleChanged();
}

void TdxStatusBarPanelStyle::AdjustContentRect(TRect& r) {
    TdxCustomStatusBar* bar = StatusBar();
    if (bar && owner_->IsLast() && bar->SizeGripVisible()) r.right -= bar->Painter()->GetSizeGripSize().cx;
}

TColor TdxStatusBarPanelStyle::DefaultColor() const {
    TdxCustomStatusBar* bar = StatusBar();
    return bar ? bar->Color() : clBtnFace;
}

void TdxStatusBarPanelStyle::DoAssign(TdxStatusBarPanelStyle* source) {
    RestoreDefaults();
    alignment_ = source->alignment_;
    if (source->colorAssigned_) {
        color_ = source->color_;
        colorAssigned_ = true;
    }
    if (!source->parentFont_)
        font_->Assign(source->font_);  // ParentFont goes off with it
    else
        ParentFontChanged();
}

void TdxStatusBarPanelStyle::DrawContent(TcxCanvas* canvas, const TRect& r, TdxStatusBarPainterClass painter) {
    painter->FillPanelBackground(StatusBar(), canvas, r, owner_);
}

void TdxStatusBarPanelStyle::ParentFontChanged() {
    TdxCustomStatusBar* bar = StatusBar();
    if (!parentFont_ || !bar) return;
    takingParentFont_ = true;
    try {
        font_->Assign(bar->Font());
    } catch (...) {
        takingParentFont_ = false;
        throw;
    }
    takingParentFont_ = false;
}

void TdxStatusBarPanelStyle::RestoreDefaults() {
    alignment_ = taLeftJustify;
    colorAssigned_ = false;
    parentFont_ = true;
    ParentFontChanged();
    Changed();
}

// ---- the registry --------------------------------------------------------------------------

namespace {

TcxRegisteredClasses*& PanelStyleRegistry() {
    static TcxRegisteredClasses* registry = nullptr;
    return registry;
}

}  // namespace

TcxRegisteredClasses* GetRegisteredStatusBarPanelStyles() {
    TcxRegisteredClasses*& registry = PanelStyleRegistry();
    if (!registry) registry = new TcxRegisteredClasses(false);
    return registry;
}

void FreeRegisteredStatusBarPanelStyles() {
    delete PanelStyleRegistry();
    PanelStyleRegistry() = nullptr;
}

TdxStatusBarPanelStyleClass FindStatusBarPanelStyleClass(const String& className) {
    TClass cls = GetRegisteredStatusBarPanelStyles()->FindByClassName(className);
    if (!cls || !cls->InheritsFrom(TdxStatusBarPanelStyle::StaticClass())) return nullptr;
    return static_cast<TdxStatusBarPanelStyleClass>(cls);
}
