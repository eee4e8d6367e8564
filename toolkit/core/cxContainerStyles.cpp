// Sections: construction · resolving · setters · changes and the controller · stored form ·
// style groups · style controller.

#include "cxContainerStyles.h"

#include <algorithm>
#include <iterator>

#include "Filer.h"
#include "SysUtils.h"

namespace {

const wchar_t* const kContainerStyleValueNames[] = {L"BorderColor", L"BorderStyle",      L"Color",  L"Edges",
                                                    L"Font",        L"HotTrack",         L"Shadow", L"TextColor",
                                                    L"TextStyle",   L"TransparentBorder"};

// The border a hot or pressed state draws for a base border style (rows 1 and 3; rows 0 and 2
// keep the base style's border).
TcxContainerBorderStyle ThickenedBorderStyle(TcxContainerBorderStyle base) {
    switch (base) {
        case cbsNone:
            return cbsFlat;
        case cbsSingle:
        case cbsThick:
            return cbsThick;
        case cbsFlat:
        case cbs3D:
            return cbs3D;
        default:
            return base;
    }
}

}  // namespace

// ---- construction --------------------------------------------------------------------------

TcxContainerStyle::TcxContainerStyle(TPersistent* owner, bool directAccess, TcxContainerStyle* parentStyle, int state)
    : TcxInterfacedPersistent(owner), directAccess_(directAccess), state_(state) {
    if (state != cxContainerStateNormal) parentStyle_ = parentStyle;
    if (directAccess_) assignedValues_ = TcxContainerStyleValues{csvColor, csvFont, csvTextColor, csvTextStyle};
    if (IsBaseStyle() && !directAccess_) {
        font_ = new TFont();
        font_->OnChange = MakeEvent(this, &TcxContainerStyle::FontChangeHandler);
    }
    visibleFont_ = new TFont();
    if (IsBaseStyle()) {
        lookAndFeel_ = new TcxLookAndFeel(this);
        lookAndFeel_->OnChanged = MakeEvent(this, &TcxContainerStyle::LookAndFeelChangeHandler);
        // The default style controller is none: nothing to follow from the start.
    }
}

TcxContainerStyle::~TcxContainerStyle() {
    destroying_ = true;
    if (IsBaseStyle() && styleController_) styleController_->RemoveListener(this);
    delete lookAndFeel_;
    delete visibleFont_;
    if (IsBaseStyle() && !directAccess_) delete font_;
}

// ---- resolving -----------------------------------------------------------------------------

const TcxContainerStyle* TcxContainerStyle::ControllerStyle() const {
    TcxStyleController* controller = ActiveStyleController();
    return controller ? controller->Styles()->StyleOf(state_) : nullptr;
}

const TcxContainerStyle* TcxContainerStyle::SourceOf(TcxContainerStyleValue value) const {
    // The binding refuses cycles, so the chain ends.
    for (const TcxContainerStyle* style = this; style; style = style->ControllerStyle())
        if (style->assignedValues_.Contains(value)) return style;
    return nullptr;
}

TcxContainerStyleValues TcxContainerStyle::AssignedValues() const {
    return directAccess_ ? cxContainerStyleValueAll : assignedValues_;
}

TColor TcxContainerStyle::BorderColor() const {
    if (directAccess_) return clDefault;
    const TcxContainerStyle* source = SourceOf(csvBorderColor);
    return source ? source->borderColor_ : DefaultBorderColorValue();
}

TcxContainerBorderStyle TcxContainerStyle::BorderStyle() const {
    if (directAccess_) return assignedValues_.Contains(csvBorderStyle) ? borderStyle_ : DefaultBorderStyleValue();
    const TcxContainerStyle* source = SourceOf(csvBorderStyle);
    return source ? source->borderStyle_ : DefaultBorderStyleValue();
}

TColor TcxContainerStyle::Color() const { return directAccess_ ? color_ : ResolvedColor(); }

TColor TcxContainerStyle::ResolvedColor() const {
    const TcxContainerStyle* source = SourceOf(csvColor);
    return source ? source->color_ : DefaultColorValue();
}

TcxBorders TcxContainerStyle::Edges() const {
    if (directAccess_) return {};
    if (!IsBaseStyle()) return parentStyle_->Edges();
    const TcxContainerStyle* source = SourceOf(csvEdges);
    return source ? source->edges_ : DefaultEdgesValue();
}

TFont* TcxContainerStyle::Font() const { return directAccess_ ? font_ : BaseStyle()->font_; }

bool TcxContainerStyle::HotTrack() const {
    if (directAccess_) return assignedValues_.Contains(csvHotTrack) ? hotTrack_ : DefaultHotTrackValue();
    if (!IsBaseStyle()) return parentStyle_->HotTrack();
    const TcxContainerStyle* source = SourceOf(csvHotTrack);
    return source ? source->hotTrack_ : DefaultHotTrackValue();
}

bool TcxContainerStyle::Shadow() const {
    if (directAccess_) return false;
    if (!IsBaseStyle()) return parentStyle_->Shadow();
    const TcxContainerStyle* source = SourceOf(csvShadow);
    return source ? source->shadow_ : DefaultShadowValue();
}

TColor TcxContainerStyle::TextColor() const {
    if (directAccess_) return fontColor_;
    const TcxContainerStyle* source = SourceOf(csvTextColor);
    return source ? source->fontColor_ : DefaultTextColorValue();
}

TFontStyles TcxContainerStyle::TextStyle() const {
    if (directAccess_) return font_ ? font_->Style() : textStyle_;
    const TcxContainerStyle* source = SourceOf(csvTextStyle);
    return source ? source->textStyle_ : DefaultTextStyleValue();
}

bool TcxContainerStyle::TransparentBorder() const {
    if (directAccess_) return true;
    if (!IsBaseStyle()) return parentStyle_->TransparentBorder();
    const TcxContainerStyle* source = SourceOf(csvTransparentBorder);
    return source ? source->transparentBorder_ : DefaultTransparentBorderValue();
}

TcxLookAndFeel* TcxContainerStyle::LookAndFeel() const { return BaseStyle()->lookAndFeel_; }

TcxStyleController* TcxContainerStyle::StyleController() const {
    TcxStyleController* controller = ActiveStyleController();
    return controller == DefaultStyleController() ? nullptr : controller;
}

TColor TcxContainerStyle::DefaultBorderColorValue() const {
    if (IsBaseStyle()) return clWindowFrame;
    return state_ == cxContainerStateDisabled ? clBtnShadow : parentStyle_->BorderColor();
}

TcxContainerBorderStyle TcxContainerStyle::DefaultBorderStyleValue() const {
    if (IsBaseStyle()) {
        switch (LookAndFeel()->Kind()) {
            case lfFlat:
                return cbsFlat;
            case lfStandard:
                return cbs3D;
            case lfOffice11:
                return cbsOffice11;
            default:
                return cbsUltraFlat;
        }
    }
    // Only the hot and pressed rows change the border, and only while hot tracking is on.
    const bool thickened = HotTrack() && (state_ == 1 || state_ == 3);
    const TcxContainerBorderStyle base = parentStyle_->BorderStyle();
    return thickened ? ThickenedBorderStyle(base) : base;
}

TColor TcxContainerStyle::DefaultColorValue() const { return IsBaseStyle() ? clBtnFace : parentStyle_->Color(); }

TColor TcxContainerStyle::DefaultTextColorValue() const {
    if (IsBaseStyle()) return Font() ? Font()->Color() : clWindowText;
    return state_ == cxContainerStateDisabled ? clBtnShadow : parentStyle_->TextColor();
}

TFontStyles TcxContainerStyle::DefaultTextStyleValue() const {
    if (IsBaseStyle()) return Font() ? Font()->Style() : TFontStyles{};
    return parentStyle_->TextStyle();
}

bool TcxContainerStyle::IsValueAssigned(TcxContainerStyleValue value) const {
    return directAccess_ ? true : SourceOf(value) != nullptr;
}

TcxContainerStyleValues TcxContainerStyle::UnpublishedStateValues() const {
    return TcxContainerStyleValues{csvEdges, csvFont, csvHotTrack, csvShadow, csvTransparentBorder};
}

bool TcxContainerStyle::ValueName(int index, String& name) const {
    if (index < 0 || index >= int(std::size(kContainerStyleValueNames))) return false;
    name = kContainerStyleValueNames[index];
    return true;
}

int TcxContainerStyle::FindValueByName(const String& name) const {
    const String wanted = UpperCase(name);
    String candidate;
    for (int i = 0; ValueName(i, candidate); ++i)
        if (UpperCase(candidate) == wanted) return i;
    return -1;
}

// ---- setters -------------------------------------------------------------------------------

void TcxContainerStyle::MarkAssigned(TcxContainerStyleValue value) {
    assignedValues_ += value;
    Changed();
}

void TcxContainerStyle::SetAssignedValues(TcxContainerStyleValues value) {
    if (!AssignIfChanged(assignedValues_, value)) return;
    BaseStyle()->UpdateFont();
    Changed();
}

void TcxContainerStyle::SetBorderColor(TColor value) {
    if (assignedValues_.Contains(csvBorderColor) && borderColor_ == value) return;
    borderColor_ = value;
    MarkAssigned(csvBorderColor);
}

void TcxContainerStyle::SetBorderStyle(TcxContainerBorderStyle value) {
    if (assignedValues_.Contains(csvBorderStyle) && borderStyle_ == value) return;
    borderStyle_ = value;
    MarkAssigned(csvBorderStyle);
}

void TcxContainerStyle::SetColor(TColor value) {
    if (assignedValues_.Contains(csvColor) && color_ == value) return;
    color_ = value;
    MarkAssigned(csvColor);
}

void TcxContainerStyle::SetEdges(TcxBorders value) {
    if (!IsBaseStyle()) return parentStyle_->SetEdges(value);
    if (assignedValues_.Contains(csvEdges) && edges_ == value) return;
    edges_ = value;
    MarkAssigned(csvEdges);
}

void TcxContainerStyle::SetFont(TFont* value) {
    if (!IsBaseStyle()) return parentStyle_->SetFont(value);
    if (directAccess_) {
        font_ = value;
        return;
    }
    BeginUpdate();
    try {
        font_->Assign(value);
        MarkAssigned(csvFont);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TcxContainerStyle::SetHotTrack(bool value) {
    if (!IsBaseStyle()) return parentStyle_->SetHotTrack(value);
    if (assignedValues_.Contains(csvHotTrack) && hotTrack_ == value) return;
    hotTrack_ = value;
    MarkAssigned(csvHotTrack);
}

void TcxContainerStyle::SetShadow(bool value) {
    if (!IsBaseStyle()) return parentStyle_->SetShadow(value);
    if (assignedValues_.Contains(csvShadow) && shadow_ == value) return;
    shadow_ = value;
    MarkAssigned(csvShadow);
}

void TcxContainerStyle::SetTextColor(TColor value) {
    if (assignedValues_.Contains(csvTextColor) && TextColor() == value) return;
    fontColor_ = value;
    MarkAssigned(csvTextColor);
}

void TcxContainerStyle::SetTextStyle(TFontStyles value) {
    if (assignedValues_.Contains(csvTextStyle) && TextStyle() == value) return;
    textStyle_ = value;
    MarkAssigned(csvTextStyle);
}

void TcxContainerStyle::SetTransparentBorder(bool value) {
    if (!IsBaseStyle()) return parentStyle_->SetTransparentBorder(value);
    if (assignedValues_.Contains(csvTransparentBorder) && transparentBorder_ == value) return;
    transparentBorder_ = value;
    MarkAssigned(csvTransparentBorder);
}

void TcxContainerStyle::SetLookAndFeel(TcxLookAndFeel* value) { LookAndFeel()->Assign(value); }

void TcxContainerStyle::SetStyleController(TcxStyleController* value) {
    if (!IsBaseStyle()) return parentStyle_->SetStyleController(value);
    TcxStyleController* defaultController = DefaultStyleController();
    if (defaultController && static_cast<TPersistent*>(defaultController) == GetOwner()) return;
    if (!value) value = defaultController;
    // A controller that follows this style, directly or through others, would make a loop.
    for (TcxStyleController* c = value; c; c = c->Style()->styleController_)
        if (c->Style() == this) return;
    if (value == styleController_) return;
    BeginUpdate();
    try {
        if (styleController_) styleController_->RemoveListener(this);
        styleController_ = value;
        if (styleController_) styleController_->AddListener(this);
        ControllerChanged(styleController_);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

// ---- changes and the controller -------------------------------------------------------------

void TcxContainerStyle::EndUpdate() {
    if (updateCount_ > 0) --updateCount_;
    CheckChanges();
}

void TcxContainerStyle::Changed() {
    modified_ = true;
    CheckChanges();
}

void TcxContainerStyle::CheckChanges() {
    if (!modified_ || updateCount_ != 0) return;
    modified_ = false;
    if (!destroying_ && !directAccess_ && OnChanged) OnChanged(this);
}

void TcxContainerStyle::ControllerChanged(TcxStyleController*) {
    UpdateFont();
    Changed();
}

void TcxContainerStyle::ControllerFreed(TcxStyleController* controller) {
    if (controller == ActiveStyleController()) SetStyleController(nullptr);
}

void TcxContainerStyle::FontChanged() {
    if (fontAssignedLock_ == 0) assignedValues_ += csvFont;
    Changed();
}

void TcxContainerStyle::ResetFontToDefault() {
    TFont defaultFont;
    font_->Assign(&defaultFont);
}

void TcxContainerStyle::UpdateFont() {
    if (directAccess_ || !IsBaseStyle() || assignedValues_.Contains(csvFont)) return;
    // Following the controller's font does not make the font this style's own.
    ++fontAssignedLock_;
    try {
        if (TcxStyleController* controller = ActiveStyleController())
            font_->Assign(controller->Style()->Font());
        else
            ResetFontToDefault();
    } catch (...) {
        --fontAssignedLock_;
        throw;
    }
    --fontAssignedLock_;
}

void TcxContainerStyle::RestoreDefaults() {
    BeginUpdate();
    try {
        assignedValues_ = {};
        if (IsBaseStyle()) {
            lookAndFeel_->ResetAssignedValues();
            if (!directAccess_) {
                ++fontAssignedLock_;
                ResetFontToDefault();
                --fontAssignedLock_;
            }
        }
        Changed();
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TcxContainerStyle::Assign(TPersistent* source) {
    auto* style = dynamic_cast<TcxContainerStyle*>(source);
    if (!style) return inherited::Assign(source);
    BeginUpdate();
    try {
        if (IsBaseStyle()) {
            SetStyleController(style->StyleController());
            lookAndFeel_->Assign(style->LookAndFeel());
        }
        borderColor_ = style->borderColor_;
        borderStyle_ = style->borderStyle_;
        edges_ = style->edges_;
        hotTrack_ = style->hotTrack_;
        shadow_ = style->shadow_;
        transparentBorder_ = style->transparentBorder_;
        color_ = style->color_;
        if (directAccess_) {
            font_ = style->Font();
            fontColor_ = style->TextColor();
        } else {
            if (IsBaseStyle() && style->Font()) {
                font_->Assign(style->Font());
                if (style->directAccess_) font_->SetColor(style->TextColor());
            }
            fontColor_ = style->TextColor();
            textStyle_ = style->TextStyle();
        }
        assignedValues_ = style->AssignedValues();
        Changed();
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

// ---- stored form ---------------------------------------------------------------------------

bool TcxContainerStyle::IsValueStored(TcxContainerStyleValue value) const {
    return assignedValues_.Contains(value) && (IsBaseStyle() || !UnpublishedStateValues().Contains(value));
}

bool TcxContainerStyle::IsPropertyStored(const String& name) const {
    if (SameText(name, L"LookAndFeel") || SameText(name, L"StyleController")) return false;
    const int index = FindValueByName(name);
    if (index < 0) return true;
    return IsBaseStyle() || !UnpublishedStateValues().Contains(TcxContainerStyleValue(index));
}

void TcxContainerStyle::DefineProperties(TFiler* filer) {
    inherited::DefineProperties(filer);
    // A font left at its defaults writes nothing of its own, yet may be the style's choice.
    filer->DefineProperty(
        L"IsFontAssigned",
        [this](TReader* reader) {
            reader->ReadBoolean();
            assignedValues_ += csvFont;
        },
        [](TWriter* writer) { writer->WriteBoolean(true); }, assignedValues_.Contains(csvFont));
}

// ---- style groups --------------------------------------------------------------------------

TcxContainerStyles::TcxContainerStyles(TPersistent* owner, TcxContainerStyleClass styleClass) {
    for (int state = 0; state < cxContainerStateCount; ++state)
        styles_[state] = styleClass(owner, false, state == 0 ? nullptr : styles_[0], state);
}

TcxContainerStyles::~TcxContainerStyles() {
    for (int state = cxContainerStateCount - 1; state >= 0; --state) delete styles_[state];
}

void TcxContainerStyles::SetChangedEvent(const TNotifyEvent& event) {
    for (TcxContainerStyle* style : styles_) style->OnChanged = event;
}

// ---- style controller ----------------------------------------------------------------------

TcxStyleController::TcxStyleController(TComponent* owner, TcxContainerStyleClass styleClass,
                                       TcxContainerStylesClass stylesClass)
    : TComponent(owner), styleClass_(styleClass), stylesClass_(stylesClass) {
    styles_ = stylesClass_(this, styleClass_);
    styles_->SetChangedEvent(MakeEvent(this, &TcxStyleController::StyleChanged));
}

TcxStyleController::~TcxStyleController() {
    destroying_ = true;
    // Each listener leaves the list as it lets go of this controller.
    for (int i = int(listeners_.size()) - 1; i >= 0; --i)
        if (i < int(listeners_.size())) listeners_[size_t(i)]->ControllerFreed(this);
    delete styles_;
    styles_ = nullptr;
}

void TcxStyleController::Loaded() {
    inherited::Loaded();
    Changed();
}

void TcxStyleController::Changed() {
    if (OnStyleChanged) OnStyleChanged(this);
    if (destroying_) return;
    const std::vector<TcxContainerStyle*> listeners = listeners_;
    for (TcxContainerStyle* listener : listeners) listener->ControllerChanged(this);
}

void TcxStyleController::AddListener(TcxContainerStyle* listener) {
    if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end()) return;
    listeners_.push_back(listener);
    listener->LookAndFeel()->SetMasterLookAndFeel(Style()->LookAndFeel());
}

void TcxStyleController::RemoveListener(TcxContainerStyle* listener) {
    auto found = std::find(listeners_.begin(), listeners_.end(), listener);
    if (found == listeners_.end()) return;
    listeners_.erase(found);
    listener->LookAndFeel()->SetMasterLookAndFeel(nullptr);
}
