#include "dxThemeManager.h"

#include <algorithm>
#include <vector>

#include "MessageWindow.h"
#include "SysUtils.h"

namespace {

const wchar_t* const kDefaultClassNames[ThemedObjectTypeCount] = {
    L"Button",     L"Clock",      L"ComboBox", L"Edit",     L"ExplorerBar", L"Header",    L"ListBox",
    L"ListView",   L"Menu",       L"Page",     L"Progress", L"Rebar",       L"ScrollBar", L"Spin",
    L"StartPanel", L"Status",     L"Tab",      L"TaskBand", L"TaskBar",     L"ToolBar",   L"ToolTip",
    L"TrackBar",   L"TrayNotify", L"TreeView", L"Window",
};

struct TdxThemeData {
    HTHEME handle = nullptr;
    String classList;
};

TdxThemeData themes[ThemedObjectTypeCount];
bool themeActive = false;
std::vector<TdxThemeChangedNotificator*>* notificators = nullptr;

class TdxThemeChangedEventReceiver : public TObject {
public:
    TdxThemeChangedEventReceiver() { window_ = AllocateHWnd(MakeEvent(this, &TdxThemeChangedEventReceiver::WndProc)); }
    ~TdxThemeChangedEventReceiver() override {
        DeallocateHWnd(window_);
        themeActive = false;
    }
    HWND Window() const { return window_; }

private:
    void WndProc(TMessage& message) {
        if (message.Msg != WM_THEMECHANGED) {
            message.Result = DefWindowProcW(window_, message.Msg, message.WParam, message.LParam);
            return;
        }
        CloseCachedThemes();
        DefWindowProcW(window_, message.Msg, message.WParam, message.LParam);
        themeActive = IsThemeActive() != FALSE;
        message.Result = 0;
        if (!notificators) return;
        // A copy: a handler may free its notificator (or create one) while being told.
        std::vector<TdxThemeChangedNotificator*> listeners = *notificators;
        for (auto* n : listeners)
            if (std::find(notificators->begin(), notificators->end(), n) != notificators->end() &&
                n->OnThemeChanged.Assigned())
                n->OnThemeChanged();
    }
    HWND window_ = nullptr;
};

TdxThemeChangedEventReceiver* receiver = nullptr;

}  // namespace

bool IsThemeActiveFlag() { return themeActive; }

bool AreThemesAvailable(TdxThemedObjectTypes types) {
    if (!themeActive || !IsUxThemeLoaded()) return false;
    for (int t = 0; t < ThemedObjectTypeCount; ++t)
        if ((types & (1u << t)) && !GetThemeHandle(TdxThemedObjectType(t))) return false;
    return true;
}

bool IsThemeTypeAvailable(TdxThemedObjectType type) { return AreThemesAvailable(ThemedTypes({type})); }

HTHEME GetThemeHandle(TdxThemedObjectType type, const wchar_t* classList) {
    if (type < 0 || type >= ThemedObjectTypeCount || !AreThemesAvailable()) return nullptr;
    TdxThemeData& data = themes[type];
    if (data.handle) {
        if (!classList || AnsiUpperCase(classList) == AnsiUpperCase(data.classList)) return data.handle;
        CloseThemeData(data.handle);
        data.handle = nullptr;
    }
    String list = classList ? String(classList) : !data.classList.empty() ? data.classList : kDefaultClassNames[type];
    data.handle = OpenThemeData(nullptr, list.c_str());
    data.classList = data.handle ? list : String();
    return data.handle;
}

HRESULT CloseThemeOfType(TdxThemedObjectType type) {
    if (!AreThemesAvailable()) return 1;
    TdxThemeData& data = themes[type];
    if (!data.handle) return 0;
    HRESULT result = CloseThemeData(data.handle);
    data.handle = nullptr;
    data.classList.clear();
    return result;
}

void CloseCachedThemes() {
    for (auto& data : themes)
        if (data.handle) {
            CloseThemeData(data.handle);
            data.handle = nullptr;
        }
}

TdxThemeChangedNotificator::TdxThemeChangedNotificator() {
    if (notificators) notificators->push_back(this);
}

TdxThemeChangedNotificator::~TdxThemeChangedNotificator() {
    if (!notificators) return;
    auto it = std::find(notificators->begin(), notificators->end(), this);
    if (it != notificators->end()) notificators->erase(it);
}

HWND ThemeChangeReceiverWindow() { return receiver ? receiver->Window() : nullptr; }

void InitializedxThemeManager() {
    if (!IsUxThemeLoaded() || receiver) return;
    themeActive = IsThemeActive() != FALSE;
    receiver = new TdxThemeChangedEventReceiver;
    notificators = new std::vector<TdxThemeChangedNotificator*>;
}

void FinalizedxThemeManager() {
    if (!receiver) return;
    FreeObject(receiver);  // clears the theme-active flag
    receiver = nullptr;
    for (int t = 0; t < ThemedObjectTypeCount; ++t) {
        if (themes[t].handle) CloseThemeData(themes[t].handle);
        themes[t] = TdxThemeData();
    }
    delete notificators;
    notificators = nullptr;
}
