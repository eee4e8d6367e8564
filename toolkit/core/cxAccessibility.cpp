#include "cxAccessibility.h"

#include "CallbackBarrier.h"
#include "dxCore.h"

// Sections: base operations · tree helpers · IUnknown and IDispatch · IAccessible · oleacc.

namespace {

// Defined here so that nothing links oleacc itself.
const IID kIIDAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

HMODULE oleAccLibrary = nullptr;
using TAccessibleObjectFromWindow = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
using TLresultFromObject = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
TAccessibleObjectFromWindow accessibleObjectFromWindow = nullptr;
TLresultFromObject lresultFromObject = nullptr;

// Clients call in from outside: nothing may be thrown back at them.
template <class Body>
HRESULT Guarded(Body&& body) noexcept {
    return CallbackBarrier(HRESULT(E_FAIL), std::forward<Body>(body));
}

BSTR NewBString(const String& text) {
    return text.empty() ? nullptr : SysAllocStringLen(text.data(), UINT(text.size()));
}

void SetI4(VARIANT* v, Integer value) {
    VariantInit(v);
    v->vt = VT_I4;
    v->lVal = value;
}

// The accelerator character of a caption ("&Файл" gives "Ф"; "&&" is a plain ampersand).
wchar_t CaptionHotkey(const String& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] == L'&') {
            ++i;
            continue;
        }
        return caption[i + 1];
    }
    return 0;
}

String KeyText(Word key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return String(1, wchar_t(key));
    if (key >= VK_F1 && key <= VK_F24) return L"F" + std::to_wstring(key - VK_F1 + 1);
    struct Named {
        Word key;
        const wchar_t* text;
    };
    static const Named names[] = {
        {VK_BACK, L"BkSp"},  {VK_TAB, L"Tab"},     {VK_RETURN, L"Enter"}, {VK_ESCAPE, L"Esc"}, {VK_SPACE, L"Space"},
        {VK_PRIOR, L"PgUp"}, {VK_NEXT, L"PgDn"},   {VK_END, L"End"},      {VK_HOME, L"Home"},  {VK_LEFT, L"Left"},
        {VK_UP, L"Up"},      {VK_RIGHT, L"Right"}, {VK_DOWN, L"Down"},    {VK_INSERT, L"Ins"}, {VK_DELETE, L"Del"},
    };
    for (const Named& n : names)
        if (n.key == key) return n.text;
    wchar_t buffer[64] = {};
    UINT scanCode = MapVirtualKeyW(key, 0 /* MAPVK_VK_TO_VSC */);
    if (scanCode && GetKeyNameTextW(LONG(scanCode << 16), buffer, 64) > 0) return buffer;
    return {};
}

// A shortcut (virtual key in the low byte, 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt) as text.
String ShortCutText(Word shortCut) {
    String key = KeyText(Word(shortCut & 0xFF));
    if (key.empty()) return {};
    String text;
    if (shortCut & 0x2000) text += L"Shift+";
    if (shortCut & 0x4000) text += L"Ctrl+";
    if (shortCut & 0x8000) text += L"Alt+";
    return text + key;
}

}  // namespace

// ---- Base operations ----------------------------------------------------------------------

bool TcxAccessibilityHelper::ChildIsSimpleElement(Integer) { throw EdxException(L""); }

bool TcxAccessibilityHelper::GetFocusedChild(bool& isChild, Integer& index) {
    isChild = false;
    index = -1;
    return false;
}

Integer TcxAccessibilityHelper::GetChildIndex(TcxAccessibilityHelper*) { throw EdxException(L""); }

TcxAccessibleObjectHitTest TcxAccessibilityHelper::GetHitTest(Integer, Integer, Integer& childIndex) {
    childIndex = -1;
    return aohtNone;
}

void TcxAccessibilityHelper::GetKeyboardAccessParameters(Integer, Word& shortCut, String& caption) {
    shortCut = 0;
    caption.clear();
}

String TcxAccessibilityHelper::GetValue(Integer) { throw EdxException(L""); }

Integer TcxAccessibilityHelper::NavigateToChild(Integer, TcxAccessibilityNavigationDirection) {
    throw EdxException(L"");
}

// ---- Tree helpers -------------------------------------------------------------------------

TcxAccessibilityHelper* TcxAccessibilityHelper::FindRootHelper() {
    TcxAccessibilityHelper* helper = this;
    while (TcxAccessibilityHelper* parent = helper->GetParentHelper()) helper = parent;
    return helper;
}

Integer TcxAccessibilityHelper::FindNextNavigableChild(Integer startIndex, bool forward) {
    Integer count = GetChildCount();
    if (startIndex >= count) throw EdxException(L"");
    Integer index = startIndex < 0 ? (forward ? -1 : count) : startIndex;
    for (;;) {
        index += forward ? 1 : -1;
        if (index < 0 || index >= count) return -1;
        TcxAccessibilityHelper* child = GetChild(index);
        if (child && child->CanNavigateTo()) return index;
    }
}

bool TcxAccessibilityHelper::IsVisibleByState() { return (GetState(0) & STATE_SYSTEM_INVISIBLE) == 0; }

// ---- IUnknown and IDispatch ---------------------------------------------------------------

STDMETHODIMP TcxAccessibilityHelper::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, kIIDAccessible))
        *object = static_cast<IAccessible*>(this);
    else if (IsEqualIID(iid, IID_IOleWindow))
        *object = static_cast<IOleWindow*>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    _AddRef();
    return S_OK;
}

STDMETHODIMP TcxAccessibilityHelper::GetTypeInfoCount(UINT* count) {
    if (count) *count = 0;
    return E_NOTIMPL;
}

STDMETHODIMP TcxAccessibilityHelper::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP TcxAccessibilityHelper::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

STDMETHODIMP TcxAccessibilityHelper::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return E_NOTIMPL;
}

// ---- IAccessible --------------------------------------------------------------------------

HRESULT TcxAccessibilityHelper::CheckChildId(const VARIANT& childId, Integer& id) {
    if (childId.vt != VT_I4 || childId.lVal < 0 || childId.lVal > GetChildCount()) return E_INVALIDARG;
    id = childId.lVal;
    return S_OK;
}

HRESULT TcxAccessibilityHelper::ElementIdOf(const VARIANT& childId, Integer& elementId) {
    Integer id = 0;
    HRESULT result = CheckChildId(childId, id);
    if (FAILED(result)) return result;
    if (id == CHILDID_SELF) {
        elementId = 0;
        return S_OK;
    }
    if (!ChildIsSimpleElement(id - 1)) return E_INVALIDARG;
    elementId = id - 1;
    return S_OK;
}

void TcxAccessibilityHelper::ReturnChild(Integer childId, VARIANT* result) {
    SetI4(result, childId);
    if (childId == CHILDID_SELF || ChildIsSimpleElement(childId - 1)) return;
    if (TcxAccessibilityHelper* child = GetChild(childId - 1)) {
        result->vt = VT_DISPATCH;
        result->pdispVal = child->AsAccessible();
        child->_AddRef();
    }
}

STDMETHODIMP TcxAccessibilityHelper::get_accParent(IDispatch** parent) {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    return Guarded([&]() -> HRESULT {
        if (!ownerObjectLive_) return S_OK;
        if (TcxAccessibilityHelper* helper = GetParentHelper()) {
            *parent = helper->AsAccessible();
            helper->_AddRef();
            return S_OK;
        }
        HWND window = GetOwnerObjectWindow();
        if (!window || !accessibleObjectFromWindow) return S_FALSE;
        HWND parentWindow = (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) ? ::GetParent(window) : GetDesktopWindow();
        void* object = nullptr;
        if (SUCCEEDED(accessibleObjectFromWindow(parentWindow, DWORD(OBJID_WINDOW), kIIDAccessible, &object)) &&
            object) {
            *parent = static_cast<IAccessible*>(object);
            return S_OK;
        }
        return S_FALSE;
    });
}

STDMETHODIMP TcxAccessibilityHelper::get_accChildCount(long* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return Guarded([&]() -> HRESULT {
        if (ownerObjectLive_) *count = GetChildCount();
        return S_OK;
    });
}

STDMETHODIMP TcxAccessibilityHelper::get_accChild(VARIANT childId, IDispatch** child) {
    if (!child) return E_POINTER;
    *child = nullptr;
    return Guarded([&]() -> HRESULT {
        if (!ownerObjectLive_) return S_OK;
        Integer id = 0;
        if (FAILED(CheckChildId(childId, id)) || id == CHILDID_SELF) return E_INVALIDARG;
        if (ChildIsSimpleElement(id - 1)) return S_FALSE;
        TcxAccessibilityHelper* helper = GetChild(id - 1);
        if (!helper) return S_FALSE;
        *child = helper->AsAccessible();
        helper->_AddRef();
        return S_OK;
    });
}

HRESULT TcxAccessibilityHelper::AnswerText(const VARIANT& childId, BSTR* result, Integer flag, bool falseWhenEmpty,
                                           const std::function<String(Integer)>& text) {
    if (!result) return E_POINTER;
    *result = nullptr;
    return Guarded([&]() -> HRESULT {
        if (!ownerObjectLive_) return S_OK;
        Integer element = 0;
        if (HRESULT r = ElementIdOf(childId, element); FAILED(r)) return r;
        if (flag && !(GetSupportedProperties(element) & flag)) return DISP_E_MEMBERNOTFOUND;
        *result = NewBString(text(element));
        return *result || !falseWhenEmpty ? S_OK : S_FALSE;
    });
}

HRESULT TcxAccessibilityHelper::AnswerNumber(const VARIANT& childId, VARIANT* result,
                                             const std::function<Integer(Integer)>& number) {
    if (!result) return E_POINTER;
    VariantInit(result);
    return Guarded([&]() -> HRESULT {
        if (!ownerObjectLive_) return S_OK;
        Integer element = 0;
        if (HRESULT r = ElementIdOf(childId, element); FAILED(r)) return r;
        SetI4(result, number(element));
        return S_OK;
    });
}

STDMETHODIMP TcxAccessibilityHelper::get_accName(VARIANT childId, BSTR* name) {
    return AnswerText(childId, name, 0, true, [this](Integer id) { return GetName(id); });
}

STDMETHODIMP TcxAccessibilityHelper::get_accValue(VARIANT childId, BSTR* value) {
    return AnswerText(childId, value, cxAccessibleValue, false, [this](Integer id) { return GetValue(id); });
}

STDMETHODIMP TcxAccessibilityHelper::get_accDescription(VARIANT childId, BSTR* description) {
    return AnswerText(childId, description, cxAccessibleDescription, true,
                      [this](Integer id) { return GetDescription(id); });
}

STDMETHODIMP TcxAccessibilityHelper::get_accRole(VARIANT childId, VARIANT* role) {
    return AnswerNumber(childId, role, [this](Integer id) { return GetRole(id); });
}

STDMETHODIMP TcxAccessibilityHelper::get_accState(VARIANT childId, VARIANT* state) {
    return AnswerNumber(childId, state, [this](Integer id) { return GetState(id); });
}

STDMETHODIMP TcxAccessibilityHelper::get_accHelp(VARIANT, BSTR* help) {
    if (help) *help = nullptr;
    return ownerObjectLive_ ? DISP_E_MEMBERNOTFOUND : S_OK;
}

STDMETHODIMP TcxAccessibilityHelper::get_accHelpTopic(BSTR* helpFile, VARIANT, long* topic) {
    if (helpFile) *helpFile = nullptr;
    if (topic) *topic = 0;
    return ownerObjectLive_ ? DISP_E_MEMBERNOTFOUND : S_OK;
}

STDMETHODIMP TcxAccessibilityHelper::get_accKeyboardShortcut(VARIANT childId, BSTR* shortCut) {
    return AnswerText(childId, shortCut, cxAccessibleKeyboardShortcut, true, [this](Integer id) {
        Word key = 0;
        String caption;
        GetKeyboardAccessParameters(id, key, caption);
        wchar_t hotkey = CaptionHotkey(caption);
        if (!hotkey) return ShortCutText(key);
        String text(1, hotkey);
        CharUpperBuffW(text.data(), 1);
        return text;
    });
}

STDMETHODIMP TcxAccessibilityHelper::get_accFocus(VARIANT* child) {
    if (!child) return E_POINTER;
    VariantInit(child);
    return Guarded([&]() -> HRESULT {
        if (!ownerObjectLive_) return S_OK;
        if (!(GetSupportedProperties(0) & cxAccessibleFocus)) return DISP_E_MEMBERNOTFOUND;
        bool isChild = false;
        Integer index = -1;
        if (!GetFocusedChild(isChild, index)) return S_FALSE;
        if (isChild && (index < 0 || index >= GetChildCount())) return S_FALSE;
        ReturnChild(isChild ? index + 1 : CHILDID_SELF, child);
        return S_OK;
    });
}

STDMETHODIMP TcxAccessibilityHelper::get_accSelection(VARIANT* children) {
    if (children) VariantInit(children);
    return ownerObjectLive_ ? DISP_E_MEMBERNOTFOUND : S_OK;
}

STDMETHODIMP TcxAccessibilityHelper::get_accDefaultAction(VARIANT childId, BSTR* action) {
    return AnswerText(childId, action, cxAccessibleDefaultAction, false,
                      [this](Integer id) { return GetDefaultActionDescription(id); });
}

STDMETHODIMP TcxAccessibilityHelper::accSelect(long, VARIANT) {
    return ownerObjectLive_ ? DISP_E_MEMBERNOTFOUND : S_OK;
}

STDMETHODIMP TcxAccessibilityHelper::accLocation(long* left, long* top, long* width, long* height, VARIANT childId) {
    if (!left || !top || !width || !height) return E_POINTER;
    *left = *top = *width = *height = 0;
    return Guarded([&]() -> HRESULT {
        if (!ownerObjectLive_) return S_OK;
        Integer element = 0;
        if (HRESULT r = ElementIdOf(childId, element); FAILED(r)) return r;
        if (!(GetSupportedProperties(0) & cxAccessibleLocation)) return DISP_E_MEMBERNOTFOUND;
        RECT bounds = GetScreenBounds(element);
        *left = bounds.left;
        *top = bounds.top;
        *width = bounds.right - bounds.left;
        *height = bounds.bottom - bounds.top;
        return S_OK;
    });
}

STDMETHODIMP TcxAccessibilityHelper::accNavigate(long direction, VARIANT start, VARIANT* end) {
    if (!end) return E_POINTER;
    VariantInit(end);
    return Guarded([&]() -> HRESULT {
        if (!ownerObjectLive_) return S_OK;
        Integer startId = 0;
        if (HRESULT r = CheckChildId(start, startId); FAILED(r)) return r;
        bool canLocate = (GetSupportedProperties(0) & cxAccessibleLocation) != 0;
        if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) {
            if (startId != CHILDID_SELF) return E_INVALIDARG;
            if (!canLocate) return DISP_E_MEMBERNOTFOUND;
            Integer count = GetChildCount();
            if (count == 0) return S_FALSE;
            ReturnChild(direction == NAVDIR_FIRSTCHILD ? 1 : count, end);
            return S_OK;
        }
        TcxAccessibilityNavigationDirection mapped;
        switch (direction) {
            case NAVDIR_UP:
                mapped = andUp;
                break;
            case NAVDIR_DOWN:
                mapped = andDown;
                break;
            case NAVDIR_LEFT:
                mapped = andLeft;
                break;
            case NAVDIR_RIGHT:
                mapped = andRight;
                break;
            case NAVDIR_NEXT:
                mapped = andNext;
                break;
            case NAVDIR_PREVIOUS:
                mapped = andPrev;
                break;
            default:
                return E_INVALIDARG;
        }
        if (startId == CHILDID_SELF) {
            // Siblings are the parent's business.
            TcxAccessibilityHelper* parent = GetParentHelper();
            if (!parent || !parent->IsOwnerObjectLive() || !(parent->GetSupportedProperties(0) & cxAccessibleLocation))
                return S_FALSE;
            VARIANT self;
            SetI4(&self, parent->GetChildIndex(this) + 1);
            return parent->accNavigate(direction, self, end) == S_OK ? S_OK : S_FALSE;
        }
        if (!canLocate) return DISP_E_MEMBERNOTFOUND;
        Integer index = NavigateToChild(startId - 1, mapped);
        if (index == startId - 1 || index < 0 || index >= GetChildCount()) return S_FALSE;
        ReturnChild(index + 1, end);
        return S_OK;
    });
}

STDMETHODIMP TcxAccessibilityHelper::accHitTest(long left, long top, VARIANT* child) {
    if (!child) return E_POINTER;
    VariantInit(child);
    return Guarded([&]() -> HRESULT {
        if (!ownerObjectLive_) return S_OK;
        if (!(GetSupportedProperties(0) & cxAccessibleLocation)) return DISP_E_MEMBERNOTFOUND;
        RECT bounds = GetScreenBounds(0);
        if (!PtInRect(&bounds, POINT{left, top})) return S_FALSE;
        Integer index = -1;
        switch (GetHitTest(left, top, index)) {
            case aohtSelf:
                ReturnChild(CHILDID_SELF, child);
                return S_OK;
            case aohtChild:
                if (index < 0 || index >= GetChildCount()) return S_FALSE;
                ReturnChild(index + 1, child);
                return S_OK;
            default:
                return S_FALSE;
        }
    });
}

STDMETHODIMP TcxAccessibilityHelper::accDoDefaultAction(VARIANT childId) {
    return Guarded([&]() -> HRESULT {
        if (!ownerObjectLive_) return S_OK;
        Integer element = 0;
        if (HRESULT r = ElementIdOf(childId, element); FAILED(r)) return r;
        if (!(GetSupportedProperties(element) & cxAccessibleDefaultAction)) return DISP_E_MEMBERNOTFOUND;
        DoDefaultAction(element);
        return S_OK;
    });
}

STDMETHODIMP TcxAccessibilityHelper::put_accName(VARIANT, BSTR) {
    return ownerObjectLive_ ? DISP_E_MEMBERNOTFOUND : S_OK;
}

STDMETHODIMP TcxAccessibilityHelper::put_accValue(VARIANT childId, BSTR value) {
    return Guarded([&]() -> HRESULT {
        if (!ownerObjectLive_) return S_OK;
        Integer element = 0;
        if (HRESULT r = ElementIdOf(childId, element); FAILED(r)) return r;
        if (!(GetSupportedProperties(element) & cxAccessibleValue)) return DISP_E_MEMBERNOTFOUND;
        SetValue(element, value ? String(value, SysStringLen(value)) : String());
        return S_OK;
    });
}

STDMETHODIMP TcxAccessibilityHelper::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = nullptr;
    return Guarded([&]() -> HRESULT {
        if (ownerObjectLive_) *window = GetOwnerObjectWindow();
        return S_OK;
    });
}

STDMETHODIMP TcxAccessibilityHelper::ContextSensitiveHelp(BOOL) { return S_OK; }

// ---- oleacc -------------------------------------------------------------------------------

bool IsOleAccLoaded() { return oleAccLibrary != nullptr; }

HRESULT AccessibleObjectFromWindowProc(HWND window, DWORD objectId, REFIID iid, void** object) {
    if (object) *object = nullptr;
    return accessibleObjectFromWindow ? accessibleObjectFromWindow(window, objectId, iid, object) : E_NOTIMPL;
}

LRESULT LresultFromObjectProc(REFIID iid, WPARAM wParam, IUnknown* object) {
    return lresultFromObject ? lresultFromObject(iid, wParam, object) : 0;
}

void InitializecxAccessibility() {
    if (oleAccLibrary) return;
    oleAccLibrary = LoadLibraryA("oleacc.dll");
    if (!oleAccLibrary) return;
    accessibleObjectFromWindow = reinterpret_cast<TAccessibleObjectFromWindow>(
        reinterpret_cast<void*>(GetProcAddress(oleAccLibrary, "AccessibleObjectFromWindow")));
    lresultFromObject = reinterpret_cast<TLresultFromObject>(
        reinterpret_cast<void*>(GetProcAddress(oleAccLibrary, "LresultFromObject")));
}

void FinalizecxAccessibility() {
    accessibleObjectFromWindow = nullptr;
    lresultFromObject = nullptr;
    if (oleAccLibrary) FreeLibrary(oleAccLibrary);
    oleAccLibrary = nullptr;
}
