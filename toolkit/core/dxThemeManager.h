#pragma once
// A cache of theme handles for the kinds of themed objects the toolkit draws, and notification
// of interested objects when the user changes the visual style.

#include "Events.h"
#include "SysObject.h"
#include "dxUxTheme.h"

#include <initializer_list>

enum TdxThemedObjectType {
    totButton,
    totClock,
    totComboBox,
    totEdit,
    totExplorerBar,
    totHeader,
    totListBox,
    totListView,
    totMenu,
    totPage,
    totProgress,
    totRebar,
    totScrollBar,
    totSpin,
    totStartPanel,
    totStatus,
    totTab,
    totTaskBand,
    totTaskBar,
    totToolBar,
    totToolTip,
    totTrackBar,
    totTrayNotify,
    totTreeView,
    totWindow
};
constexpr int ThemedObjectTypeCount = 25;

// A set of themed object types: bit n for type n.
using TdxThemedObjectTypes = Cardinal;
constexpr TdxThemedObjectTypes ThemedTypes(std::initializer_list<TdxThemedObjectType> types) {
    TdxThemedObjectTypes set = 0;
    for (auto t : types) set |= 1u << t;
    return set;
}

// True when visual styles are on, the library is loaded and every type of the set has a theme.
bool AreThemesAvailable(TdxThemedObjectTypes types = 0);
bool IsThemeTypeAvailable(TdxThemedObjectType type);
// The cached handle of the type, opened with classList (else the class list it had, else the
// type's own class name); another class list reopens it. 0 when themes are not available.
HTHEME GetThemeHandle(TdxThemedObjectType type, const wchar_t* classList = nullptr);
HRESULT CloseThemeOfType(TdxThemedObjectType type);
void CloseCachedThemes();  // handles are dropped; class lists kept for the next reopening
bool IsThemeActiveFlag();  // as read at start-up and at the last theme change

using TdxThemeChangedEvent = TEvent<void()>;

// Hears about theme changes for as long as it lives.
class TdxThemeChangedNotificator : public TObject {
    Z_CLASS(TdxThemeChangedNotificator, TObject)
public:
    TdxThemeChangedNotificator();
    ~TdxThemeChangedNotificator() override;
    TdxThemeChangedEvent OnThemeChanged;
};

// The hidden window that receives WM_THEMECHANGED (nil without the library).
HWND ThemeChangeReceiverWindow();

void InitializedxThemeManager();
void FinalizedxThemeManager();
