#pragma once
// The base of the toolkit's accessibility objects. A helper describes one user-interface element
// and its children to accessibility clients through IAccessible (with IDispatch and IOleWindow);
// derived helpers answer a small set of virtual operations and the base turns them into the
// interface's answers. Helpers are reference counted: their elements hold them through IPtr and
// tell them, through IcxAccessibilityHelper, when the element is destroyed; from then on the
// helper answers every client call with S_OK and empty results.
//
// Child ids of the interface: 0 (CHILDID_SELF) is the element, n >= 1 the child at index n - 1.
// A child is either simple (described by its parent through an element id: 0 for the element
// itself, the child index for a simple child) or has a helper of its own.
//
// oleacc.dll is optional and bound by name at start-up.
//
// Sections: interfaces · helper class references · helper · oleacc binding.

#include <functional>

#include <oleacc.h>
#include <windows.h>

#include "Interfaces.h"
#include "SysObject.h"

class TcxAccessibilityHelper;

// ---- Interfaces ---------------------------------------------------------------------------

// The toolkit's own view of a helper.
struct IcxAccessibilityHelper : virtual IInterface {
    virtual TcxAccessibilityHelper* GetHelper() = 0;
    // The described element is gone: the helper stops answering.
    virtual void MarkOwnerDestroyed() = 0;
};

// Supported-property flags, answered per element id.
constexpr Integer cxAccessibleDefaultAction = 0x01;
constexpr Integer cxAccessibleDescription = 0x02;
constexpr Integer cxAccessibleFocus = 0x04;
constexpr Integer cxAccessibleLocation = 0x08;  // also hit tests and child navigation
constexpr Integer cxAccessibleKeyboardShortcut = 0x10;
constexpr Integer cxAccessibleValue = 0x20;

// Navigation directions of NavigateToChild.
enum TcxAccessibilityNavigationDirection : Integer {
    andLeft = 0,
    andUp = 1,
    andRight = 2,
    andDown = 3,
    andPrev = 4,
    andNext = 5,
};

// Results of GetHitTest.
enum TcxAccessibleObjectHitTest : Integer {
    aohtNone = 0,
    aohtSelf = 1,
    aohtChild = 2,
};

// ---- Helper class references ----------------------------------------------------------------

// Helpers are created from class references with the described element as owner.
class TcxAccessibilityHelperMeta : public TMetaClass {
public:
    using TMetaClass::TMetaClass;
    virtual TcxAccessibilityHelper* CreateHelper(TObject* ownerObject) const = 0;
};
using TcxAccessibilityHelperClass = const TcxAccessibilityHelperMeta*;

template <class C>
class TMetaClassOf<TcxAccessibilityHelperMeta, C> final : public TcxAccessibilityHelperMeta {
public:
    using TcxAccessibilityHelperMeta::TcxAccessibilityHelperMeta;
    TcxAccessibilityHelper* CreateHelper(TObject* ownerObject) const override { return new C(ownerObject); }
};

// ---- Helper -------------------------------------------------------------------------------

class TcxAccessibilityHelper : public TInterfacedObject,
                               public IcxAccessibilityHelper,
                               public IAccessible,
                               public IOleWindow {
    Z_CLASS_FAMILY(TcxAccessibilityHelper, TInterfacedObject, TcxAccessibilityHelperMeta)
public:
    explicit TcxAccessibilityHelper(TObject* ownerObject) : ownerObject_(ownerObject) {}

    TObject* OwnerObject() const { return ownerObject_; }
    bool IsOwnerObjectLive() const { return ownerObjectLive_; }

    // IcxAccessibilityHelper
    TcxAccessibilityHelper* GetHelper() override { return this; }
    void MarkOwnerDestroyed() override { ownerObjectLive_ = false; }

    // The element's parts; the base describes an element without children or properties.
    virtual bool ChildIsSimpleElement(Integer index);  // raises: helpers with children answer it
    virtual void DoDefaultAction(Integer elementId) { (void)elementId; }
    virtual bool GetFocusedChild(bool& isChild, Integer& index);
    virtual TcxAccessibilityHelper* GetChild(Integer index) {
        (void)index;
        return nullptr;
    }
    virtual Integer GetChildCount() { return 0; }
    virtual Integer GetChildIndex(TcxAccessibilityHelper* child);  // raises
    virtual String GetDefaultActionDescription(Integer elementId) {
        (void)elementId;
        return {};
    }
    virtual String GetDescription(Integer elementId) {
        (void)elementId;
        return {};
    }
    virtual TcxAccessibleObjectHitTest GetHitTest(Integer screenX, Integer screenY, Integer& childIndex);
    virtual void GetKeyboardAccessParameters(Integer elementId, Word& shortCut, String& caption);
    virtual String GetName(Integer elementId) {
        (void)elementId;
        return {};
    }
    virtual HWND GetOwnerObjectWindow() { return nullptr; }
    virtual TcxAccessibilityHelper* GetParentHelper() { return nullptr; }
    virtual Integer GetRole(Integer elementId) {
        (void)elementId;
        return 0;
    }
    virtual RECT GetScreenBounds(Integer elementId) {
        (void)elementId;
        return RECT{0, 0, 0, 0};
    }
    virtual bool CanNavigateTo() { return false; }
    virtual Integer GetState(Integer elementId) {
        (void)elementId;
        return 0;
    }
    virtual Integer GetSupportedProperties(Integer elementId) {
        (void)elementId;
        return 0;
    }
    virtual String GetValue(Integer elementId);  // raises: helpers with a value answer it
    virtual Integer NavigateToChild(Integer currentIndex, TcxAccessibilityNavigationDirection direction);  // raises
    virtual void SetValue(Integer elementId, const String& value) {
        (void)elementId;
        (void)value;
    }

    TcxAccessibilityHelper* FindRootHelper();
    // The next child (from startIndex in the direction) whose helper can be navigated to, -1
    // when none; a negative start begins before the first (forward) or after the last child.
    Integer FindNextNavigableChild(Integer startIndex, bool forward);
    bool IsVisibleByState();

    // IUnknown: one reference count with the toolkit's own references.
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ULONG(_AddRef()); }
    STDMETHODIMP_(ULONG) Release() override { return ULONG(_Release()); }

    // IDispatch: not supported.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argError) override;

    // IAccessible
    STDMETHODIMP get_accParent(IDispatch** parent) override;
    STDMETHODIMP get_accChildCount(long* count) override;
    STDMETHODIMP get_accChild(VARIANT childId, IDispatch** child) override;
    STDMETHODIMP get_accName(VARIANT childId, BSTR* name) override;
    STDMETHODIMP get_accValue(VARIANT childId, BSTR* value) override;
    STDMETHODIMP get_accDescription(VARIANT childId, BSTR* description) override;
    STDMETHODIMP get_accRole(VARIANT childId, VARIANT* role) override;
    STDMETHODIMP get_accState(VARIANT childId, VARIANT* state) override;
    STDMETHODIMP get_accHelp(VARIANT childId, BSTR* help) override;
    STDMETHODIMP get_accHelpTopic(BSTR* helpFile, VARIANT childId, long* topic) override;
    STDMETHODIMP get_accKeyboardShortcut(VARIANT childId, BSTR* shortCut) override;
    STDMETHODIMP get_accFocus(VARIANT* child) override;
    STDMETHODIMP get_accSelection(VARIANT* children) override;
    STDMETHODIMP get_accDefaultAction(VARIANT childId, BSTR* action) override;
    STDMETHODIMP accSelect(long flags, VARIANT childId) override;
    STDMETHODIMP accLocation(long* left, long* top, long* width, long* height, VARIANT childId) override;
    STDMETHODIMP accNavigate(long direction, VARIANT start, VARIANT* end) override;
    STDMETHODIMP accHitTest(long left, long top, VARIANT* child) override;
    STDMETHODIMP accDoDefaultAction(VARIANT childId) override;
    STDMETHODIMP put_accName(VARIANT childId, BSTR name) override;
    STDMETHODIMP put_accValue(VARIANT childId, BSTR value) override;

    // IOleWindow
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL enterMode) override;

    // The helper as a COM object (no reference added).
    IAccessible* AsAccessible() { return static_cast<IAccessible*>(this); }

private:
    // A client's child id: S_OK with the index + 1 kept in childId, E_INVALIDARG for anything
    // that is not a VT_I4 from 0 to the child count.
    HRESULT CheckChildId(const VARIANT& childId, Integer& id);
    // The element id of a child id; E_INVALIDARG for a child that has a helper of its own.
    HRESULT ElementIdOf(const VARIANT& childId, Integer& elementId);
    // A child id as returned to clients: a child with a helper goes out as its IDispatch.
    void ReturnChild(Integer childId, VARIANT* result);
    // The common road of the element properties: live check, element id, support flag (0: none
    // needed), then the answer.
    HRESULT AnswerText(const VARIANT& childId, BSTR* result, Integer flag, bool falseWhenEmpty,
                       const std::function<String(Integer)>& text);
    HRESULT AnswerNumber(const VARIANT& childId, VARIANT* result, const std::function<Integer(Integer)>& number);

    TObject* ownerObject_;
    bool ownerObjectLive_ = true;
};

// ---- oleacc binding -----------------------------------------------------------------------

bool IsOleAccLoaded();
// oleacc's AccessibleObjectFromWindow; E_NOTIMPL without the library.
HRESULT AccessibleObjectFromWindowProc(HWND window, DWORD objectId, REFIID iid, void** object);
// oleacc's LresultFromObject, the answer to WM_GETOBJECT; 0 without the library.
LRESULT LresultFromObjectProc(REFIID iid, WPARAM wParam, IUnknown* object);

void InitializecxAccessibility();
void FinalizecxAccessibility();
