#include "dxBarNavigationController.h"

#include <utility>

#include "SysUtils.h"
#include "cxTimer.h"
#include "cxWindowHelpers.h"
#include "dxBarItemControl.h"
#include "dxBarLookups.h"
#include "dxBarManager.h"
#include "dxBarMessageHooks.h"
#include "dxBarWindowHelpers.h"
#include "dxCore.h"
#include "dxCustomBarControl.h"

namespace {

TdxBarNavigationController* navigationController = nullptr;

constexpr Cardinal KeyTipDelayInterval = 500;
// Each pass lengthens a text; a list of any sensible size settles long before this.
constexpr int MaxUniquenessPasses = 64;

bool StartsWith(const String& text, const String& prefix) { return text.compare(0, prefix.size(), prefix) == 0; }

bool SameHelper(IdxBarAccessibilityHelper* a, IdxBarAccessibilityHelper* b) {
    return GetHelperObject(a) == GetHelperObject(b);
}

// Equal by the user's locale, case and all.
bool SameKeyTipText(const String& a, const String& b) {
    return CompareStringW(LOCALE_USER_DEFAULT, 0, a.c_str(), int(a.size()), b.c_str(), int(b.size())) == CSTR_EQUAL;
}

// Entry i's text against the others as they are now: equal texts are numbered, a text that
// begins another gets 1; true when a text changed.
bool ResolveKeyTipCollision(TdxBarKeyTipDataList& list, size_t i) {
    const String text = list[i]->Info.Text;
    std::vector<size_t> group;
    for (size_t j = 0; j < list.size(); ++j)
        if (list[j]->Info.Text == text) group.push_back(j);
    if (group.size() >= 2) {
        for (size_t k = 0; k < group.size(); ++k)
            list[group[k]]->Info.Text += KeyTipSuffix(int(group.size()), int(k + 1));
        return true;
    }
    for (size_t j = 0; j < list.size(); ++j)
        if (j != i && StartsWith(list[j]->Info.Text, text)) {
            list[i]->Info.Text += L"1";
            return true;
        }
    return false;
}

}  // namespace

// ---- Key-tip routines ---------------------------------------------------------------------

String KeyTipSuffix(int count, int k) {
    const String digits = IntToStr(count);
    String number = IntToStr(k);
    while (number.size() < digits.size()) number.insert(number.begin(), L'0');
    return number;
}

void MakeKeyTipsUnique(TdxBarKeyTipDataList& list) {
    for (int pass = 0; pass < MaxUniquenessPasses; ++pass) {
        bool changed = false;
        for (size_t i = 0; i < list.size(); ++i) changed = ResolveKeyTipCollision(list, i) || changed;
        if (!changed) return;
    }
}

void CollectKeyTips(TdxBarAccessibilityHelper* helper, TdxBarKeyTipDataList& list) {
    if (!helper) return;
    helper->CollectChildKeyTips(list);
    MakeKeyTipsUnique(list);
}

// ---- The controller -----------------------------------------------------------------------

TdxBarNavigationController::~TdxBarNavigationController() {
    data_.clear();
    EndKeyTipDelay(false);
}

void TdxBarNavigationController::StartKeyTipDelay(IdxBarAccessibilityHelper* root) {
    if (!root || (delayRoot_ && !SameHelper(delayRoot_.get(), root))) throw EdxException(L"");
    if (AreKeyTipsShown() || IsKeyTipDelayRunning()) return;
    delayRoot_ = root;
    delayTimer_ = new TcxTimer(nullptr);
    delayTimer_->SetInterval(KeyTipDelayInterval);
    delayTimer_->SetOnTimer(MakeEvent(this, &TdxBarNavigationController::KeyTipDelayElapsed));
}

void TdxBarNavigationController::KeyTipDelayElapsed(TObject* /*sender*/) {
    if (IsBarAltPressed())
        EndKeyTipDelay(true);
    else
        FreeKeyTipDelayTimer();  // the delay still counts as running until a key ends it
}

void TdxBarNavigationController::FreeKeyTipDelayTimer() { delete std::exchange(delayTimer_, nullptr); }

void TdxBarNavigationController::EndKeyTipDelay(bool show) {
    SetBarAltPressed(false);
    if (!delayRoot_) return;
    FreeKeyTipDelayTimer();
    IPtr<IdxBarAccessibilityHelper> root = std::move(delayRoot_);
    if (show) SetKeyTipContainer(root.get(), L"");
}

void TdxBarNavigationController::EnterNavigation(IdxBarAccessibilityHelper* root) {
    if (!root) return;
    IPtr<IdxBarAccessibilityHelper> held(root);
    if (IdxBarAccessibilityHelper* entry = root->GetEntryObject()) {
        navigationMode_ = true;
        entry->MakeSelected(false);
    }
    IPtr<IdxBarKeyTipWindowsManager> manager;
    if (root->GetKeyTipWindowsManager(manager)) EndKeyTipDelay(true);
}

bool TdxBarNavigationController::WantsKey(Word key, TShiftState shift) {
    if (IsNavigationContextKey(key)) {
        IdxBarAccessibilityHelper* parent = GetCurrentParent();
        if (parent && parent->AllowsChildNavigation(key)) return true;
    }
    if (IsKeyTipDelayRunning() || AreKeyTipsShown()) return AcceptsKeyTipKey(key, shift);
    return false;
}

void TdxBarNavigationController::ProcessKey(Word key, TShiftState shift, IdxBarAccessibilityHelper* object,
                                            IdxBarAccessibilityHelper* parent) {
    struct THandling {
        bool& flag;
        explicit THandling(bool& f) : flag(f) { flag = true; }
        ~THandling() { flag = false; }
    } handling(handlingKey_);
    TdxBarKeyTipHandler handler;
    bool matched = false;
    if (IsKeyTipDelayRunning()) {
        SetBarAltPressed(false);
        if (FindKeyTipMatch(key, shift, handler, matched)) {
            if (matched) TypeKeyTipChar(key, shift);
            EndKeyTipDelay(false);
            return;
        }
    }
    if (AreKeyTipsShown() && key != VK_ESCAPE) {
        if (FindKeyTipMatch(key, shift, handler, matched)) {
            if (matched) TypeKeyTipChar(key, shift);
            return;
        }
        HideAllKeyTips();
    }
    IPtr<IdxBarAccessibilityHelper> heldParent(parent ? parent : GetCurrentParent());
    IPtr<IdxBarAccessibilityHelper> heldObject(object ? object : GetCurrentObject());
    IdxBarAccessibilityHelper* target = heldObject ? heldObject.get() : heldParent.get();
    if (key == VK_ESCAPE && AreKeyTipsShown()) {
        EscapeKeyTips();
        return;
    }
    if (!target) return;
    Word navigationKey = key;
    if (key == VK_MENU || key == VK_ESCAPE || key == VK_F10) {
        if (key == VK_ESCAPE && target->ProcessNavigationKey(navigationKey)) return;
        target->DropSelection(nullptr);
        return;
    }
    if (target->ProcessNavigationKey(navigationKey)) return;
    IdxBarAccessibilityHelper* next = nullptr;
    if (!heldObject) {
        TdxBarAccessibilityHelper* parentHelper = GetHelperObject(heldParent.get());
        next = parentHelper ? parentHelper->FindFirstNavigable() : nullptr;
    } else if (navigationKey == VK_TAB) {
        next = heldObject->FindNextObject(GetKeyState(VK_SHIFT) >= 0);
    } else {
        next = heldObject->FindNeighbour(KeyToDirection(navigationKey));
    }
    ChangeSelectedObject(navigationKey == VK_TAB, next, heldObject.get());
}

void TdxBarNavigationController::ChangeSelectedObject(bool byTab, IdxBarAccessibilityHelper* newObject,
                                                      IdxBarAccessibilityHelper* oldObject) {
    if (!newObject) return;
    if (!oldObject) oldObject = GetCurrentObject();
    if (SameHelper(newObject, oldObject)) return;
    IPtr<IdxBarAccessibilityHelper> heldNew(newObject), heldOld(oldObject);
    if (oldObject) oldObject->DropSelection(newObject);
    newObject->MakeSelected(byTab);
}

void TdxBarNavigationController::SetKeyTipContainer(IdxBarAccessibilityHelper* container, const String& typed) {
    if (SameHelper(container, container_.get())) {
        if (AnsiCompareText(typed, typed_) != 0) {
            typed_ = AnsiUpperCase(typed);
            RefreshKeyTipWindows();
        }
        return;
    }
    IPtr<IdxBarAccessibilityHelper> held(container);
    if (container_) {
        // A container whose owner is gone answers no manager: the labels go through the one
        // that showed them.
        IPtr<IdxBarKeyTipWindowsManager> manager;
        if (!container_->GetKeyTipWindowsManager(manager)) manager = windowsManager_;
        for (auto& data : data_) data->HideWindow(manager.get());
        data_.clear();
    }
    container_ = container;
    typed_.clear();
    windowsManager_.reset();
    if (container) {
        typed_ = AnsiUpperCase(typed);
        CollectKeyTips(GetHelperObject(container), data_);
        RefreshKeyTipWindows();
    }
}

void TdxBarNavigationController::RefreshKeyTipWindows() {
    IPtr<IdxBarKeyTipWindowsManager> manager;
    if (container_ && container_->GetKeyTipWindowsManager(manager)) windowsManager_ = manager;
    for (auto& data : data_) {
        if (!data->Info.IsVisible) continue;
        if (!typed_.empty() && !StartsWith(data->GetUpperKeyTip(), typed_))
            data->HideWindow(manager.get());
        else
            data->ShowWindow(manager.get());
    }
    if (manager) manager->ShowWindows();
}

bool TdxBarNavigationController::FindKeyTipMatch(Word key, TShiftState shift, TdxBarKeyTipHandler& handler,
                                                 bool& matched, String* candidateText) {
    matched = false;
    handler = TdxBarKeyTipHandler();
    if (AreKeyTipsShown() && key == VK_ESCAPE) return true;
    // The keypad's digits count too: the system's character table knows them only with the
    // keyboard state (Num Lock), which KeyToText reads.
    const String typedText = AnsiUpperCase(KeyToText(key));
    bool taken = KeyHasPrintableChar(key) || (!typedText.empty() && typedText[0] > L' ');
    if (!taken) return false;
    if (shift.Contains(ssAlt)) taken = false;
    TdxBarKeyTipDataList collected;
    const TdxBarKeyTipDataList* list = &data_;
    String prefix;
    if (AreKeyTipsShown()) {
        prefix = typed_;
    } else {
        CollectKeyTips(GetHelperObject(delayRoot_.get()), collected);
        list = &collected;
    }
    const String candidate = prefix + typedText;
    for (const auto& data : *list) {
        const String text = data->GetUpperKeyTip();
        if (!StartsWith(text, candidate)) continue;
        matched = true;
        taken = true;
        if (SameKeyTipText(text, candidate) && data->Info.IsEnabled) handler = data->Info.ExecuteHandler;
        if (candidateText) *candidateText = candidate;
        break;
    }
    if (handlingKey_ && !matched) MessageBeep(0);
    return taken;
}

bool TdxBarNavigationController::AcceptsKeyTipKey(Word key, TShiftState shift) {
    TdxBarKeyTipHandler handler;
    bool matched = false;
    return FindKeyTipMatch(key, shift, handler, matched);
}

void TdxBarNavigationController::TypeKeyTipChar(Word key, TShiftState shift) {
    TdxBarKeyTipHandler handler;
    bool matched = false;
    String candidate;
    FindKeyTipMatch(key, shift, handler, matched, &candidate);
    if (handler) {
        delayRoot_.reset();
        FreeKeyTipDelayTimer();
        handler.Run();
        return;
    }
    IPtr<IdxBarAccessibilityHelper> container = container_;
    if (!container) {
        container = delayRoot_;
        delayRoot_.reset();
        FreeKeyTipDelayTimer();
    }
    // The characters that matched, not the key's code: keypad and punctuation keys give
    // characters that differ from their virtual-key codes.
    if (candidate.empty()) candidate = (container_ ? typed_ : String()) + AnsiUpperCase(KeyToText(key));
    SetKeyTipContainer(container.get(), candidate);
}

void TdxBarNavigationController::EscapeKeyTips() {
    IPtr<IdxBarAccessibilityHelper> container = container_;
    EscapeToParentKeyTips(container.get());
}

void TdxBarNavigationController::HideAllKeyTips() {
    EndKeyTipDelay(false);
    SetKeyTipContainer(nullptr, L"");
}

void TdxBarNavigationController::LeaveKeyboardMode() {
    SetBarAltPressed(false);
    if (IdxBarAccessibilityHelper* current = GetCurrentObject())
        if (TdxBarManager* manager = current->GetBarManager()) manager->HideItemHint();
    ClearSelection();
    if (IdxBarAccessibilityHelper* current = GetCurrentObject()) {
        IPtr<IdxBarAccessibilityHelper> held(current);
        current->DropSelection(nullptr);
    }
    HideAllKeyTips();
}

void TdxBarNavigationController::ClearSelection() {
    if (IPtr<IdxBarAccessibilityHelper> current = currentObject_) current->DropSelection(nullptr);
}

void TdxBarNavigationController::ForgetObject(IdxBarAccessibilityHelper* helper) {
    TdxBarAccessibilityHelper* object = GetHelperObject(helper);
    if (!object) return;
    if (GetHelperObject(currentObject_.get()) == object) currentObject_.reset();
    if (GetHelperObject(currentParent_.get()) == object) {
        currentObject_.reset();
        currentParent_.reset();
    }
    if (GetHelperObject(container_.get()) == object) SetKeyTipContainer(nullptr, L"");
    // A pending Alt delay must not reach a destroyed owner when it ends.
    if (GetHelperObject(delayRoot_.get()) == object) {
        FreeKeyTipDelayTimer();
        delayRoot_.reset();
    }
}

void TdxBarNavigationController::SetCurrent(IdxBarAccessibilityHelper* object, IdxBarAccessibilityHelper* parent) {
    currentObject_ = object;
    currentParent_ = parent;
}

bool TdxBarNavigationController::IsKeyboardBarControl(TCustomdxBarControl* control) {
    return navigationMode_ && control && control == GetKeyboardBarControl();
}

bool TdxBarNavigationController::IsArrowOrTabKey(Word key) {
    switch (key) {
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            return true;
        case VK_TAB:
            return GetKeyState(VK_CONTROL) >= 0;
        default:
            return false;
    }
}

bool TdxBarNavigationController::IsNavigationContextKey(Word key) {
    bool result = false;
    if (IsArrowOrTabKey(key)) {
        result = true;
    } else if (CurrentActiveBarControl()) {
        // Hook (quick customization): its open popup counts like an active bar window.
        result = false;
    } else if (key == VK_MENU) {
        result = true;
    } else if (key == VK_F10) {
        IdxBarAccessibilityHelper* parent = GetCurrentParent();
        TdxBarManager* manager = parent ? parent->GetBarManager() : nullptr;
        result = manager && manager->UseF10ForMenu();
    }
    if (IdxBarAccessibilityHelper* object = GetCurrentObject())
        result = result || object->AcceptsNavigationKey(key);
    else if (IdxBarAccessibilityHelper* parent = GetCurrentParent())
        result = result || parent->AcceptsNavigationKey(key);
    return result;
}

TCustomdxBarControl* TdxBarNavigationController::GetKeyboardBarControl() {
    TCustomdxBarControl* active = CurrentActiveBarControl();
    // Hook (quick customization): without an active window, its open popup.
    if (!active || !IsActiveBarControlUsable() || active->IsCustomizing()) return nullptr;
    return active;
}

IdxBarAccessibilityHelper* TdxBarNavigationController::GetCurrentObject() {
    if (TCustomdxBarControl* bar = GetKeyboardBarControl())
        if (TdxBarItemControl* control = bar->GetSelectedControl()) return control->ObtainAccessibilityHelper();
    return currentObject_.get();
}

IdxBarAccessibilityHelper* TdxBarNavigationController::GetCurrentParent() {
    if (TCustomdxBarControl* bar = GetKeyboardBarControl()) return bar->ObtainAccessibilityHelper();
    return currentParent_.get();
}

int TdxBarNavigationController::KeyToDirection(Word key) {
    switch (key) {
        case VK_UP:
            return 1;
        case VK_RIGHT:
            return 2;
        case VK_DOWN:
            return 3;
        default:
            return 0;
    }
}

String TdxBarNavigationController::KeyToText(Word key) {
    const wchar_t c = VirtualKeyToChar(key);
    return c ? String(1, c) : String();
}

// ---- The process-wide controller ----------------------------------------------------------

TdxBarNavigationController* GetNavigationController() { return navigationController; }

void CreateNavigationController() {
    if (!navigationController) navigationController = new TdxBarNavigationController;
}

void FreeNavigationController() {
    // Helpers released while it goes must not reach it any more.
    delete std::exchange(navigationController, nullptr);
}
