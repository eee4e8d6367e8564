#pragma once
// The navigation controller: one process-wide object that runs the two keyboard modes over the
// bar objects of every manager, seeing them only through their accessibility helpers.
//
// - Navigation: one element is selected; arrows and Tab move the selection, Enter, Space and
//   Escape act on it.
// - Key tips: short labels over the elements of one container; typing a label in full executes
//   its element, typing a prefix hides the labels that no longer fit. The labels come from the
//   container's IdxBarKeyTipWindowsManager, so a form without one gets navigation only.
//
// The keyboard hook feeds the controller: the menu key (Alt alone, or F10 with UseF10ForMenu)
// going down starts a 500 ms delay after which the root's key tips show; its release selects
// the root's entry object and shows them at once. A mouse press ends both modes.

#include <memory>
#include <vector>

#include "Interfaces.h"
#include "SysTypes.h"
#include "dxBarAccessibility.h"

class TcxTimer;

// -- key-tip routines
// The container's key tips, depth first in child order, made unique.
void CollectKeyTips(TdxBarAccessibilityHelper* helper, TdxBarKeyTipDataList& list);
// Equal texts are numbered (S, S -> S1, S2; ten -> 01..10); a text that begins another gets 1.
void MakeKeyTipsUnique(TdxBarKeyTipDataList& list);
// The number k of n, padded with zeros to the digits of n.
String KeyTipSuffix(int count, int k);

class TdxBarNavigationController {
public:
    TdxBarNavigationController() = default;
    ~TdxBarNavigationController();
    TdxBarNavigationController(const TdxBarNavigationController&) = delete;
    TdxBarNavigationController& operator=(const TdxBarNavigationController&) = delete;

    // -- the menu key
    // Raises EdxException (empty) for a nil root or another root while the delay runs.
    void StartKeyTipDelay(IdxBarAccessibilityHelper* root);
    void EndKeyTipDelay(bool show);
    void EnterNavigation(IdxBarAccessibilityHelper* root);

    // -- keys: the hook eats a wanted key and processes it on key-down
    bool WantsKey(Word key, TShiftState shift);
    void ProcessKey(Word key, TShiftState shift, IdxBarAccessibilityHelper* object = nullptr,
                    IdxBarAccessibilityHelper* parent = nullptr);

    void ChangeSelectedObject(bool byTab, IdxBarAccessibilityHelper* newObject, IdxBarAccessibilityHelper* oldObject);
    void SetKeyTipContainer(IdxBarAccessibilityHelper* container, const String& typed);
    void LeaveKeyboardMode();
    // A helper whose owner is being destroyed: no field keeps reaching it.
    void ForgetObject(IdxBarAccessibilityHelper* helper);
    void ClearSelection();
    void ClearNavigationMode() { navigationMode_ = false; }
    bool IsKeyTipDelayRunning() const { return bool(delayRoot_); }
    bool AreKeyTipsShown() const { return bool(container_); }
    bool NavigationMode() const { return navigationMode_; }
    bool IsKeyboardBarControl(TCustomdxBarControl* control);
    static bool IsArrowOrTabKey(Word key);
    IdxBarAccessibilityHelper* GetCurrentObject();
    IdxBarAccessibilityHelper* GetCurrentParent();

    // -- what tests and the ribbon read of key-tip mode
    IdxBarAccessibilityHelper* KeyTipContainer() const { return container_.get(); }
    const TdxBarKeyTipDataList& KeyTipData() const { return data_; }
    const String& TypedKeyTip() const { return typed_; }
    // The stored selection (used when no keyboard bar window supplies one).
    void SetCurrent(IdxBarAccessibilityHelper* object, IdxBarAccessibilityHelper* parent);

private:
    void KeyTipDelayElapsed(TObject* sender);
    void FreeKeyTipDelayTimer();
    void RefreshKeyTipWindows();
    void TypeKeyTipChar(Word key, TShiftState shift);
    // Taken: the key belongs to key-tip mode; matched: it begins a key tip; handler: the full,
    // enabled match's.
    // The candidate typed so far goes to candidateText on a match.
    bool FindKeyTipMatch(Word key, TShiftState shift, TdxBarKeyTipHandler& handler, bool& matched,
                         String* candidateText = nullptr);
    bool AcceptsKeyTipKey(Word key, TShiftState shift);
    void EscapeKeyTips();
    void HideAllKeyTips();
    bool IsNavigationContextKey(Word key);
    TCustomdxBarControl* GetKeyboardBarControl();
    static int KeyToDirection(Word key);
    static String KeyToText(Word key);

    bool handlingKey_ = false;
    IPtr<IdxBarAccessibilityHelper> container_;
    TdxBarKeyTipDataList data_;
    String typed_;
    // The manager that showed the labels, for hiding them when the container answers none.
    IPtr<IdxBarKeyTipWindowsManager> windowsManager_;
    IPtr<IdxBarAccessibilityHelper> delayRoot_;
    TcxTimer* delayTimer_ = nullptr;
    bool navigationMode_ = false;
    IPtr<IdxBarAccessibilityHelper> currentObject_;
    IPtr<IdxBarAccessibilityHelper> currentParent_;
};

// The process-wide controller; nil before the bar unit starts and after it finishes.
TdxBarNavigationController* GetNavigationController();
void CreateNavigationController();
void FreeNavigationController();

