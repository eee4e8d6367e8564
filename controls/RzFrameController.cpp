#include "RzFrameController.h"

#include <algorithm>

#include "Control.h"
#include "Filer.h"
#include "RzOldPropReader.h"
#include "RzRegIniFile.h"

namespace {

const wchar_t* const propertyNames[] = {L"Color",
                                        L"FocusColor",
                                        L"DisabledColor",
                                        L"ReadOnlyColor",
                                        L"ReadOnlyColorOnFocus",
                                        L"ParentColor",
                                        L"FlatButtonColor",
                                        L"FlatButtons",
                                        L"FrameColor",
                                        L"FrameHotColor",
                                        L"FrameHotTrack",
                                        L"FrameHotStyle",
                                        L"FrameSides",
                                        L"FrameStyle",
                                        L"FrameVisible",
                                        L"FramingPreference"};

// The order in which a full push sets the properties: ParentColor before Color, so a control
// that follows its parent is not switched off it by the colour.
const TRzFrameControllerProperty fullPushOrder[] = {
    fcpParentColor,          fcpColor,         fcpDisabledColor,   fcpReadOnlyColor,
    fcpReadOnlyColorOnFocus, fcpFocusColor,    fcpFlatButtonColor, fcpFlatButtons,
    fcpFrameColor,           fcpFrameHotColor, fcpFrameHotTrack,   fcpFrameHotStyle,
    fcpFrameSides,           fcpFrameStyle,    fcpFrameVisible,    fcpFramingPreference};

}  // namespace

TRzFrameController::~TRzFrameController() {
    for (TControl* control : controls_) control->RemoveFreeNotification(this);
}

void TRzFrameController::AddControl(TControl* control) {
    if (!control || std::find(controls_.begin(), controls_.end(), control) != controls_.end()) return;
    controls_.push_back(control);
    // A control freed without removing itself must not stay behind in the list.
    control->FreeNotification(this);
    UpdateControlFrame(control, fcpAll);
}

bool TRzFrameController::Switch(TRzFrameController*& field, TRzFrameController* controller, TControl* control) {
    if (field == controller) return false;
    if (field) {
        field->RemoveControl(control);
        field->RemoveFreeNotification(control);
    }
    field = controller;
    if (controller) {
        controller->AddControl(control);
        controller->FreeNotification(control);
    }
    return true;
}

void TRzFrameController::RemoveControl(TControl* control) {
    auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end()) return;
    controls_.erase(it);
    control->RemoveFreeNotification(this);
}

void TRzFrameController::EndUpdate() {
    if (--updateCount_ <= 0) {
        updateCount_ = 0;
        UpdateFrames(fcpAll);
    }
}

void TRzFrameController::PushProperty(TControl* control, TRzFrameControllerProperty property) {
    const wchar_t* name = propertyNames[property];
    switch (property) {
        case fcpColor:
            SetColorPropIfPublished(control, name, color_);
            break;
        case fcpFocusColor:
            SetColorPropIfPublished(control, name, focusColor_);
            break;
        case fcpDisabledColor:
            SetColorPropIfPublished(control, name, disabledColor_);
            break;
        case fcpReadOnlyColor:
            SetColorPropIfPublished(control, name, readOnlyColor_);
            break;
        case fcpReadOnlyColorOnFocus:
            SetOrdPropIfPublished(control, name, readOnlyColorOnFocus_);
            break;
        case fcpParentColor:
            SetOrdPropIfPublished(control, name, parentColor_);
            break;
        case fcpFlatButtonColor:
            SetColorPropIfPublished(control, name, flatButtonColor_);
            break;
        case fcpFlatButtons:
            SetOrdPropIfPublished(control, name, flatButtons_);
            break;
        case fcpFrameColor:
            SetColorPropIfPublished(control, name, frameColor_);
            break;
        case fcpFrameHotColor:
            SetColorPropIfPublished(control, name, frameHotColor_);
            break;
        case fcpFrameHotTrack:
            SetOrdPropIfPublished(control, name, frameHotTrack_);
            break;
        case fcpFrameHotStyle:
            SetOrdPropIfPublished(control, name, frameHotStyle_);
            break;
        case fcpFrameSides:
            CopyFrameSidesProp(control, frameSides_);
            break;
        case fcpFrameStyle:
            SetOrdPropIfPublished(control, name, frameStyle_);
            break;
        case fcpFrameVisible:
            SetOrdPropIfPublished(control, name, frameVisible_);
            break;
        case fcpFramingPreference:
            SetOrdPropIfPublished(control, name, framingPreference_);
            break;
        case fcpAll:
            break;
    }
}

void TRzFrameController::UpdateControlFrame(TControl* control, TRzFrameControllerProperty property) {
    if (!control) return;
    TRzFrameControllerNotifications wanted = GetFrameControllerNotifications(control);
    if (auto* custom = dynamic_cast<ICustomFraming*>(control)) {
        custom->CustomFramingChanged();
        return;
    }
    if (property != fcpAll) {
        if (wanted.Contains(property)) PushProperty(control, property);
        return;
    }
    for (TRzFrameControllerProperty p : fullPushOrder) {
        if (!wanted.Contains(p)) continue;
        if (p == fcpColor && parentColor_) continue;
        PushProperty(control, p);
    }
}

void TRzFrameController::UpdateFrames(TRzFrameControllerProperty property) {
    if (updateCount_ > 0 || controls_.empty()) return;
    // A copy: a pushed control may unregister itself while it reacts.
    auto controls = controls_;
    for (TControl* control : controls) UpdateControlFrame(control, property);
}

void TRzFrameController::SetColor(TColor value) {
    if (color_ == value) return;
    if (color_ == focusColor_) focusColor_ = value;  // a focus colour that matched keeps matching
    color_ = value;
    parentColor_ = false;
    UpdateFrames(fcpColor);
}

void TRzFrameController::SetParentColor(bool value) {
    if (parentColor_ == value) return;
    parentColor_ = value;
    UpdateFrames(fcpParentColor);
    if (!value) UpdateFrames(fcpColor);
}

void TRzFrameController::SetFrameHotTrack(bool value) {
    if (frameHotTrack_ == value) return;
    frameHotTrack_ = value;
    if (value) {
        SetFrameVisible(true);
        if (!ComponentState().Contains(csLoading)) frameSides_ = sdAllSides;
    }
    UpdateFrames(fcpFrameHotTrack);
}

void TRzFrameController::SetRegIniFile(TRzRegIniFile* value) {
    if (regIniFile_ == value) return;
    if (regIniFile_) regIniFile_->RemoveFreeNotification(this);
    regIniFile_ = value;
    if (value) value->FreeNotification(this);
}

void TRzFrameController::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TRzFrameController*>(source);
    if (!other) {
        inherited::Assign(source);
        return;
    }
    BeginUpdate();
    color_ = other->color_;
    parentColor_ = other->parentColor_;
    flatButtonColor_ = other->flatButtonColor_;
    flatButtons_ = other->flatButtons_;
    disabledColor_ = other->disabledColor_;
    readOnlyColor_ = other->readOnlyColor_;
    readOnlyColorOnFocus_ = other->readOnlyColorOnFocus_;
    focusColor_ = other->focusColor_;
    frameColor_ = other->frameColor_;
    frameHotColor_ = other->frameHotColor_;
    frameHotTrack_ = other->frameHotTrack_;
    frameHotStyle_ = other->frameHotStyle_;
    frameSides_ = other->frameSides_;
    frameStyle_ = other->frameStyle_;
    frameVisible_ = other->frameVisible_;
    framingPreference_ = other->framingPreference_;
    EndUpdate();
}

void TRzFrameController::Loaded() {
    inherited::Loaded();
    UpdateFrames(fcpAll);
}

void TRzFrameController::Notification(TComponent* component, TOperation operation) {
    inherited::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == regIniFile_) regIniFile_ = nullptr;
    auto it = std::find(controls_.begin(), controls_.end(), component);
    if (it != controls_.end()) controls_.erase(it);
}

void TRzFrameController::DefineProperties(TFiler* filer) {
    inherited::DefineProperties(filer);
    DefineObsoleteFrameProperties(filer,
                                  {[this](bool v) { SetFrameHotTrack(v); }, [this](TFrameStyle v) { SetFrameStyle(v); },
                                   [this](TFrameStyle v) { SetFrameHotStyle(v); }});
}

void DefineObsoleteFrameProperties(TFiler* filer, const TRzObsoleteFrameSetters& setters) {
    filer->DefineProperty(
        L"FrameFlat",
        [setters](TReader* reader) {
            bool flat = reader->ReadBoolean();
            setters.SetFrameHotTrack(flat);
            if (flat) {
                setters.SetFrameStyle(fsStatus);
                setters.SetFrameHotStyle(fsLowered);
            }
        },
        nullptr, false);
    filer->DefineProperty(
        L"FrameFocusStyle",
        [setters](TReader* reader) {
            int style = EnumInfo(TFrameStyle{}).OrdinalOf(reader->ReadIdent());
            if (style >= fsNone && style <= fsFlatBold) setters.SetFrameHotStyle(TFrameStyle(style));
        },
        nullptr, false);
    filer->DefineProperty(L"FrameFlatStyle", &TRzOldPropReader::ReadOldIdentProp, nullptr, false);
}
