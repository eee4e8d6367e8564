// Sections: construction · values · masters and listeners · resolving and choosing · change
// notification · stored form · controller · unit.

#include "cxLookAndFeel.h"

#include <algorithm>

#include "Filer.h"
#include "cxFlatLookAndFeelPainter.h"
#include "cxOffice11LookAndFeelPainter.h"
#include "cxStandardLookAndFeelPainter.h"
#include "cxSystemPaletteChangedNotifier.h"
#include "cxUltraFlatLookAndFeelPainter.h"
#include "cxWinXPLookAndFeelPainter.h"

namespace {

TcxLookAndFeel* rootLookAndFeel = nullptr;

TcxLookAndFeelPainterClass PainterOfKind(TcxLookAndFeelKind kind) {
    switch (kind) {
        case lfFlat:
            return TcxFlatLookAndFeelPainter::Instance();
        case lfStandard:
            return TcxStandardLookAndFeelPainter::Instance();
        case lfOffice11:
            return TcxOffice11LookAndFeelPainter::Instance();
        default:
            return TcxUltraFlatLookAndFeelPainter::Instance();
    }
}

bool IsController(IcxLookAndFeelChangeListener* listener) {
    return dynamic_cast<TcxLookAndFeelController*>(listener->GetObject()) != nullptr;
}

}  // namespace

TcxLookAndFeel* GetRootLookAndFeel() { return rootLookAndFeel; }

// ---- construction --------------------------------------------------------------------------

TcxLookAndFeel::TcxLookAndFeel(TPersistent* owner) : TcxInterfacedPersistent(owner) {
    current_ = own_;
    paletteNotifier_ = new TcxSystemPaletteChangedNotifier(false);
    paletteNotifier_->OnSystemPaletteChanged = MakeEvent(this, &TcxLookAndFeel::SystemPaletteChanged);
    if (rootLookAndFeel) {
        rootLookAndFeel->AddChangeListener(this);
        current_.kind = ResolveKind();
        current_.nativeStyle = ResolveNativeStyle();
        current_.skinName = ResolveSkinName();
        skinPainter_ = current_.nativeStyle ? nullptr : ResolveSkinPainter();
    }
    current_.painter = ChoosePainter(0);
}

TcxLookAndFeel::~TcxLookAndFeel() {
    if (auto* registry = GlobalExtendedStylePainters()) registry->UnregisterListener(this);
    delete paletteNotifier_;
    destroying_ = true;
    std::vector<IcxLookAndFeelChangeListener*> listeners = listeners_;
    for (IcxLookAndFeelChangeListener* listener : listeners) listener->MasterLookAndFeelDestroying(this);
    destroying_ = false;
    listeners_.clear();
    if (TcxLookAndFeel* master = EffectiveMaster()) master->RemoveChangeListener(this);
    if (isRoot_) rootLookAndFeel = nullptr;
}

void TcxLookAndFeel::Assign(TPersistent* source) {
    auto* other = As<TcxLookAndFeel>(source);
    if (!other) {
        TcxInterfacedPersistent::Assign(source);
        return;
    }
    SaveState();
    own_.kind = other->own_.kind;
    own_.nativeStyle = other->own_.nativeStyle;
    own_.skinName = other->own_.skinName;
    assignedValues_ = other->assignedValues_;
    ChangeMaster(other->EffectiveMaster());
    CheckStateChanges();
}

// ---- values --------------------------------------------------------------------------------

void TcxLookAndFeel::SetAssignedValues(TcxLookAndFeelValues value) {
    if (value == assignedValues_) return;
    SaveState();
    assignedValues_ = value;
    CheckStateChanges();
}

void TcxLookAndFeel::SetKind(TcxLookAndFeelKind value) {
    TcxLookAndFeelKind previous = current_.kind;
    assignedValues_ += lfvKind;
    own_.kind = value;
    if (ResolveKind() != previous) NotifyChanged({lfvKind});
}

void TcxLookAndFeel::SetNativeStyle(bool value) {
    bool previous = current_.nativeStyle;
    assignedValues_ += lfvNativeStyle;
    own_.nativeStyle = value;
    if (ResolveNativeStyle() != previous) NotifyChanged({lfvNativeStyle});
}

// Names differing only in letter case count as a change, though they find the same skin.
void TcxLookAndFeel::SetSkinName(const TdxSkinName& value) {
    TdxSkinName previous = current_.skinName;
    assignedValues_ += lfvSkinName;
    own_.skinName = value;
    if (ResolveSkinName() != previous) NotifyChanged({lfvSkinName});
}

void TcxLookAndFeel::ApplyStyleCode(int code) {
    static const TcxLookAndFeelKind kinds[] = {lfFlat, lfStandard, lfUltraFlat, lfStandard, lfOffice11};
    SetNativeStyle(code == lfsNative);
    if (!NativeStyle() && code >= 0 && code < 5) SetKind(kinds[code]);
}

// ---- masters and listeners -----------------------------------------------------------------

TcxLookAndFeel* TcxLookAndFeel::EffectiveMaster() const {
    if (isRoot_) return nullptr;
    return master_ ? master_ : rootLookAndFeel;
}

void TcxLookAndFeel::ChangeMaster(TcxLookAndFeel* value) {
    if (isRoot_ || value == this) return;
    if (TcxLookAndFeel* old = EffectiveMaster()) old->RemoveChangeListener(this);
    master_ = value;
    if (TcxLookAndFeel* now = EffectiveMaster()) now->AddChangeListener(this);
}

// Assigning the effective master is ignored; assigning nil while following the root moves this
// one to the end of the root's listeners.
void TcxLookAndFeel::SetMasterLookAndFeel(TcxLookAndFeel* value) {
    if (isRoot_ || value == this || value == EffectiveMaster()) return;
    SaveState();
    ChangeMaster(value);
    CheckStateChanges();
}

void TcxLookAndFeel::AddChangeListener(IcxLookAndFeelChangeListener* listener) {
    const bool controller = IsController(listener);
    if (controller && !isRoot_) return;
    if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end()) return;
    listeners_.push_back(listener);
    if (controller) ++controllerCount_;
}

void TcxLookAndFeel::RemoveChangeListener(IcxLookAndFeelChangeListener* listener) {
    auto it = std::find(listeners_.begin(), listeners_.end(), listener);
    if (it == listeners_.end()) return;
    // While being destroyed the list is being walked; it is freed afterwards.
    if (!destroying_) listeners_.erase(it);
    if (isRoot_ && IsController(listener) && --controllerCount_ == 0) ResetAssignedValues();
}

// A master going away leaves this one following the root again. (Left alone, this one would
// keep the destroyed master and call it from its own destructor.)
void TcxLookAndFeel::MasterLookAndFeelDestroying(TcxLookAndFeel* sender) {
    if (sender != master_ || isRoot_) return;
    SaveState();
    master_ = nullptr;
    if (rootLookAndFeel && rootLookAndFeel != sender) rootLookAndFeel->AddChangeListener(this);
    CheckStateChanges();
}

// ---- resolving and choosing ----------------------------------------------------------------

TcxLookAndFeelKind TcxLookAndFeel::ResolveKind() const {
    if (assignedValues_.Contains(lfvKind)) return own_.kind;
    TcxLookAndFeel* master = EffectiveMaster();
    return master ? master->Kind() : lfUltraFlat;
}

bool TcxLookAndFeel::ResolveNativeStyle() const {
    if (assignedValues_.Contains(lfvNativeStyle)) return own_.nativeStyle;
    TcxLookAndFeel* master = EffectiveMaster();
    return master ? master->NativeStyle() : false;
}

TdxSkinName TcxLookAndFeel::ResolveSkinName() const {
    if (assignedValues_.Contains(lfvSkinName)) return own_.skinName;
    TcxLookAndFeel* master = EffectiveMaster();
    return master ? master->SkinName() : TdxSkinName();
}

// A master decides for its dependants which painter its skin name stands for.
TcxLookAndFeelPainterClass TcxLookAndFeel::ResolveSkinPainter() const {
    TcxLookAndFeelPainterClass painter = nullptr;
    if (assignedValues_.Contains(lfvSkinName)) {
        FindSkinPainter(own_.skinName, painter);
    } else if (TcxLookAndFeel* master = EffectiveMaster()) {
        master->FindSkinPainter(master->SkinName(), painter);
    }
    return painter;
}

bool TcxLookAndFeel::FindSkinPainter(const TdxSkinName& name, TcxLookAndFeelPainterClass& painter) const {
    painter = nullptr;
    TcxExtendedStylePainters* registry = GlobalExtendedStylePainters();
    return !name.empty() && registry && registry->GetPainterByName(name, painter);
}

// The native painter while the native style is set and visual styles are on; else a skin;
// else the painter of the kind. A native look without visual styles never falls to a skin.
TcxLookAndFeelPainterClass TcxLookAndFeel::ChoosePainter(TdxThemedObjectTypes nativeTypes) const {
    if (current_.nativeStyle && AreThemesAvailable(nativeTypes)) return TcxWinXPLookAndFeelPainter::Instance();
    if (skinPainter_) return skinPainter_;
    return PainterOfKind(current_.kind);
}

TcxLookAndFeelPainterClass TcxLookAndFeel::PainterForThemedObject(TdxThemedObjectType type) const {
    return ChoosePainter(ThemedTypes({type}));
}

// ---- change notification -------------------------------------------------------------------

void TcxLookAndFeel::UpdateCurrentState() {
    current_.kind = ResolveKind();
    current_.nativeStyle = ResolveNativeStyle();
    current_.skinName = ResolveSkinName();
    skinPainter_ = current_.nativeStyle ? nullptr : ResolveSkinPainter();
    current_.painter = ChoosePainter(0);
}

// The set passed on is the one the change began with: a dependant passes on only what it does
// not set itself.
void TcxLookAndFeel::NotifyChanged(TcxLookAndFeelValues changedValues) {
    if (changedValues.Empty() || destroying_) return;
    UpdateCurrentState();
    // Only a look-and-feel drawing with a skin listens to the registry: a skin registered later
    // under its name reaches it at its next change.
    if (TcxExtendedStylePainters* registry = GlobalExtendedStylePainters()) {
        if (skinPainter_)
            registry->RegisterListener(this);
        else
            registry->UnregisterListener(this);
    }
    // A listener may remove itself while being told: its successor then takes its index.
    for (size_t i = 0; i < listeners_.size();) {
        size_t count = listeners_.size();
        listeners_[i]->MasterLookAndFeelChanged(this, changedValues);
        if (listeners_.size() >= count) ++i;
    }
    if (OnChanged.Assigned()) OnChanged(this, changedValues);
}

void TcxLookAndFeel::MasterLookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues changedValues) {
    NotifyChanged(changedValues - assignedValues_);
}

void TcxLookAndFeel::PainterChanged(TcxLookAndFeelPainterClass) { NotifyChangedAll(); }

void TcxLookAndFeel::SystemPaletteChanged() { NotifyChanged({lfvNativeStyle}); }

void TcxLookAndFeel::SaveState() {
    previous_.kind = current_.kind;
    previous_.nativeStyle = current_.nativeStyle;
    previous_.skinName = current_.skinName;
}

void TcxLookAndFeel::CheckStateChanges() {
    TcxLookAndFeelValues changed;
    if (ResolveKind() != previous_.kind) changed += lfvKind;
    if (ResolveNativeStyle() != previous_.nativeStyle) changed += lfvNativeStyle;
    if (ResolveSkinName() != previous_.skinName) changed += lfvSkinName;
    NotifyChanged(changed);
}

// ---- stored form ---------------------------------------------------------------------------

// An assigned empty skin name is the default of the published property and would not be
// written; this keeps it through a save and load.
void TcxLookAndFeel::DefineProperties(TFiler* filer) {
    TcxInterfacedPersistent::DefineProperties(filer);
    filer->DefineProperty(
        L"SkinName", [this](TReader* reader) { SetSkinName(reader->ReadString()); },
        [this](TWriter* writer) { writer->WriteString(SkinName()); },
        assignedValues_.Contains(lfvSkinName) && SkinName().empty());
}

// ---- controller ----------------------------------------------------------------------------

TcxLookAndFeelController::TcxLookAndFeelController(TComponent* owner) : TComponent(owner) {
    if (rootLookAndFeel) rootLookAndFeel->AddChangeListener(this);
}

TcxLookAndFeelController::~TcxLookAndFeelController() {
    if (rootLookAndFeel) rootLookAndFeel->RemoveChangeListener(this);
}

TcxLookAndFeelKind TcxLookAndFeelController::Kind() const {
    return rootLookAndFeel ? rootLookAndFeel->Kind() : lfUltraFlat;
}
void TcxLookAndFeelController::SetKind(TcxLookAndFeelKind value) {
    if (rootLookAndFeel) rootLookAndFeel->SetKind(value);
}
bool TcxLookAndFeelController::NativeStyle() const { return rootLookAndFeel && rootLookAndFeel->NativeStyle(); }
void TcxLookAndFeelController::SetNativeStyle(bool value) {
    if (rootLookAndFeel) rootLookAndFeel->SetNativeStyle(value);
}
TdxSkinName TcxLookAndFeelController::SkinName() const {
    return rootLookAndFeel ? rootLookAndFeel->SkinName() : TdxSkinName();
}
void TcxLookAndFeelController::SetSkinName(const TdxSkinName& value) {
    if (rootLookAndFeel) rootLookAndFeel->SetSkinName(value);
}

// ---- unit ----------------------------------------------------------------------------------

void InitializecxLookAndFeel() {
    if (rootLookAndFeel) return;
    auto* root = new TcxLookAndFeel(nullptr);
    root->isRoot_ = true;
    rootLookAndFeel = root;
    RegisterClasses({TcxLookAndFeelController::StaticClass()});
}

void FinalizecxLookAndFeel() {
    UnRegisterClass(TcxLookAndFeelController::StaticClass());
    delete rootLookAndFeel;
}
