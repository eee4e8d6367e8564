#include <gtest/gtest.h>

#include <vector>

#include "CallbackBarrier.h"
#include "TestSupport.h"
#include "cxAccessibility.h"
#include "dxCore.h"

namespace {

const IID kIIDAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

VARIANT Id(long id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

String Take(BSTR text) {
    String result = text ? String(text, SysStringLen(text)) : String();
    SysFreeString(text);
    return result;
}

// One element with simple children or children with helpers of their own, described by tables.
class TTestHelper : public TcxAccessibilityHelper {
public:
    struct Simple {
        String name;
        RECT bounds;
    };

    explicit TTestHelper(TObject* owner = nullptr, bool* freed = nullptr)
        : TcxAccessibilityHelper(owner), freed_(freed) {}
    ~TTestHelper() override {
        if (freed_) *freed_ = true;
    }

    // A child at each index: a simple one (helper nil) or a helper.
    void AddSimple(const String& name, RECT bounds) {
        children.push_back(nullptr);
        simple.push_back({name, bounds});
    }
    void AddChild(TTestHelper* child) {
        child->parent = this;
        children.push_back(IPtr<TTestHelper>(child));
        simple.push_back({});
    }

    bool ChildIsSimpleElement(Integer index) override { return children.at(size_t(index)) == nullptr; }
    TcxAccessibilityHelper* GetChild(Integer index) override { return children.at(size_t(index)).get(); }
    Integer GetChildCount() override { return Integer(children.size()); }
    Integer GetChildIndex(TcxAccessibilityHelper* child) override {
        for (size_t i = 0; i < children.size(); ++i)
            if (children[i].get() == child) return Integer(i);
        return -1;
    }
    TcxAccessibilityHelper* GetParentHelper() override { return parent; }
    String GetName(Integer id) override { return id == 0 ? name : simple.at(size_t(id)).name; }
    Integer GetRole(Integer id) override { return id == 0 ? ROLE_SYSTEM_TOOLBAR : ROLE_SYSTEM_PUSHBUTTON; }
    Integer GetState(Integer id) override { return id == 0 ? state : STATE_SYSTEM_FOCUSABLE; }
    RECT GetScreenBounds(Integer id) override { return id == 0 ? bounds : simple.at(size_t(id)).bounds; }
    Integer GetSupportedProperties(Integer) override { return flags; }
    bool CanNavigateTo() override { return navigable; }
    HWND GetOwnerObjectWindow() override { return window; }
    String GetValue(Integer) override { return value; }
    void SetValue(Integer, const String& text) override { value = text; }
    void DoDefaultAction(Integer id) override { actions.push_back(id); }
    String GetDefaultActionDescription(Integer) override { return L"Нажмите"; }
    String GetDescription(Integer) override { return description; }
    void GetKeyboardAccessParameters(Integer, Word& key, String& text) override {
        key = shortCut;
        text = caption;
    }
    bool GetFocusedChild(bool& isChild, Integer& index) override {
        isChild = focused >= 0;
        index = focused;
        return hasFocus;
    }
    // Children sit in one row: left and right step, other directions stay.
    Integer NavigateToChild(Integer index, TcxAccessibilityNavigationDirection direction) override {
        Integer step = direction == andRight || direction == andNext  ? 1
                       : direction == andLeft || direction == andPrev ? -1
                                                                      : 0;
        Integer target = index + step;
        return target < 0 || target >= GetChildCount() ? index : target;
    }
    TcxAccessibleObjectHitTest GetHitTest(Integer x, Integer y, Integer& index) override {
        for (size_t i = 0; i < children.size(); ++i) {
            RECT r = children[i] ? children[i]->bounds : simple[i].bounds;
            if (PtInRect(&r, POINT{x, y})) {
                index = Integer(i);
                return aohtChild;
            }
        }
        return aohtSelf;
    }

    std::vector<IPtr<TTestHelper>> children;
    std::vector<Simple> simple;
    TTestHelper* parent = nullptr;
    String name, value, description, caption;
    Word shortCut = 0;
    RECT bounds{0, 0, 0, 0};
    Integer state = 0;
    Integer flags = 0x3F;
    bool navigable = false;
    bool hasFocus = false;
    Integer focused = -1;
    HWND window = nullptr;
    std::vector<Integer> actions;

private:
    bool* freed_;
};

// A toolbar (0,0)-(400,30) of four buttons: 0 and 3 with helpers, 1 and 2 simple. (A simple
// first child would share element id 0 with the toolbar itself.)
class AccessibilityTree : public testing::Test {
protected:
    void SetUp() override {
        root = IPtr<TTestHelper>(new TTestHelper(nullptr, &rootFreed));
        root->name = L"Панель";
        root->bounds = {0, 0, 400, 30};
        auto* edit = new TTestHelper(nullptr, &editFreed);
        edit->name = L"Правка";
        edit->bounds = {0, 0, 100, 30};
        root->AddChild(edit);
        root->AddSimple(L"Файл", {100, 0, 200, 30});
        root->AddSimple(L"Вид", {200, 0, 300, 30});
        auto* help = new TTestHelper;
        help->name = L"Помощь";
        help->bounds = {300, 0, 400, 30};
        root->AddChild(help);
        acc = root->AsAccessible();
    }

    TTestHelper* Edit() { return root->children[0].get(); }
    TTestHelper* Help() { return root->children[3].get(); }

    bool rootFreed = false, editFreed = false;
    IPtr<TTestHelper> root;
    IAccessible* acc = nullptr;
};

TEST_F(AccessibilityTree, ChildrenAreAnsweredBySimpleIdOrByTheirOwnHelper) {
    long count = 0;
    EXPECT_EQ(acc->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 4);

    IDispatch* child = reinterpret_cast<IDispatch*>(1);
    EXPECT_EQ(acc->get_accChild(Id(2), &child), S_FALSE);
    EXPECT_EQ(child, nullptr);
    Integer before = Edit()->RefCount();
    ASSERT_EQ(acc->get_accChild(Id(1), &child), S_OK);
    EXPECT_EQ(child, Edit()->AsAccessible());
    EXPECT_EQ(Edit()->RefCount(), before + 1);
    child->Release();
    EXPECT_EQ(Edit()->RefCount(), before);

    VARIANT text;
    VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = nullptr;
    for (VARIANT bad : {Id(0), Id(5), Id(-1), text}) {
        child = reinterpret_cast<IDispatch*>(1);
        EXPECT_EQ(acc->get_accChild(bad, &child), E_INVALIDARG);
        EXPECT_EQ(child, nullptr);
    }
}

TEST_F(AccessibilityTree, NamesRolesStatesAndLocationsPerElement) {
    BSTR name = nullptr;
    EXPECT_EQ(acc->get_accName(Id(CHILDID_SELF), &name), S_OK);
    EXPECT_EQ(Utf8(Take(name)), "Панель");
    EXPECT_EQ(acc->get_accName(Id(3), &name), S_OK);
    EXPECT_EQ(Utf8(Take(name)), "Вид");
    // A child with a helper answers for itself; its parent refuses its id.
    EXPECT_EQ(acc->get_accName(Id(1), &name), E_INVALIDARG);
    EXPECT_EQ(acc->get_accName(Id(9), &name), E_INVALIDARG);
    EXPECT_EQ(Edit()->AsAccessible()->get_accName(Id(CHILDID_SELF), &name), S_OK);
    EXPECT_EQ(Utf8(Take(name)), "Правка");

    root->state = STATE_SYSTEM_INVISIBLE;
    VARIANT v;
    ASSERT_EQ(acc->get_accRole(Id(2), &v), S_OK);
    EXPECT_EQ(v.vt, VT_I4);
    EXPECT_EQ(v.lVal, ROLE_SYSTEM_PUSHBUTTON);
    ASSERT_EQ(acc->get_accState(Id(CHILDID_SELF), &v), S_OK);
    EXPECT_EQ(v.lVal, STATE_SYSTEM_INVISIBLE);
    EXPECT_FALSE(root->IsVisibleByState());
    EXPECT_TRUE(Edit()->IsVisibleByState());

    long l, t, w, h;
    ASSERT_EQ(acc->accLocation(&l, &t, &w, &h, Id(3)), S_OK);
    EXPECT_EQ((std::vector<long>{l, t, w, h}), (std::vector<long>{200, 0, 100, 30}));
    ASSERT_EQ(acc->accLocation(&l, &t, &w, &h, Id(CHILDID_SELF)), S_OK);
    EXPECT_EQ((std::vector<long>{l, t, w, h}), (std::vector<long>{0, 0, 400, 30}));
}

TEST_F(AccessibilityTree, AnElementWithoutANameAnswersFalse) {
    root->name.clear();
    BSTR name = reinterpret_cast<BSTR>(1);
    EXPECT_EQ(acc->get_accName(Id(CHILDID_SELF), &name), S_FALSE);
    EXPECT_EQ(name, nullptr);
}

TEST_F(AccessibilityTree, ParentIsTheParentHelperAndTheRootFindsItself) {
    IDispatch* parent = nullptr;
    ASSERT_EQ(Edit()->AsAccessible()->get_accParent(&parent), S_OK);
    EXPECT_EQ(parent, root->AsAccessible());
    parent->Release();
    EXPECT_EQ(acc->get_accParent(&parent), S_FALSE);  // no parent helper, no window
    EXPECT_EQ(parent, nullptr);
    EXPECT_EQ(Help()->FindRootHelper(), root.get());
}

TEST_F(AccessibilityTree, FirstAndLastChildNeedTheElementItselfAsStart) {
    VARIANT end;
    // Both ends have helpers: they go out as themselves.
    ASSERT_EQ(acc->accNavigate(NAVDIR_FIRSTCHILD, Id(CHILDID_SELF), &end), S_OK);
    ASSERT_EQ(end.vt, VT_DISPATCH);
    EXPECT_EQ(end.pdispVal, Edit()->AsAccessible());
    VariantClear(&end);
    ASSERT_EQ(acc->accNavigate(NAVDIR_LASTCHILD, Id(CHILDID_SELF), &end), S_OK);
    ASSERT_EQ(end.vt, VT_DISPATCH);
    EXPECT_EQ(end.pdispVal, Help()->AsAccessible());
    VariantClear(&end);
    root->children[3] = nullptr;  // now a simple last child
    root->simple[3] = {L"Помощь", {300, 0, 400, 30}};
    ASSERT_EQ(acc->accNavigate(NAVDIR_LASTCHILD, Id(CHILDID_SELF), &end), S_OK);
    EXPECT_EQ(end.vt, VT_I4);
    EXPECT_EQ(end.lVal, 4);
    EXPECT_EQ(acc->accNavigate(NAVDIR_FIRSTCHILD, Id(3), &end), E_INVALIDARG);
    EXPECT_EQ(Edit()->AsAccessible()->accNavigate(NAVDIR_FIRSTCHILD, Id(CHILDID_SELF), &end), S_FALSE);
}

TEST_F(AccessibilityTree, NavigationBetweenChildrenAndFromAChildThroughItsParent) {
    struct Case {
        IAccessible* from;
        long direction;
        long start;
        HRESULT result;
        VARTYPE type;
        long id;             // child id for VT_I4
        IAccessible* found;  // for VT_DISPATCH
    };
    IAccessible* edit = Edit()->AsAccessible();
    IAccessible* help = Help()->AsAccessible();
    const Case cases[] = {
        {acc, NAVDIR_RIGHT, 2, S_OK, VT_I4, 3, nullptr},
        {acc, NAVDIR_NEXT, 3, S_OK, VT_DISPATCH, 0, help},  // a child with a helper goes out as itself
        {acc, NAVDIR_LEFT, 2, S_OK, VT_DISPATCH, 0, edit},
        {acc, NAVDIR_LEFT, 1, S_FALSE, VT_EMPTY, 0, nullptr},  // already first
        {acc, NAVDIR_UP, 3, S_FALSE, VT_EMPTY, 0, nullptr},    // stays
        {acc, NAVDIR_NEXT, 5, E_INVALIDARG, VT_EMPTY, 0, nullptr},
        {acc, 99, 1, E_INVALIDARG, VT_EMPTY, 0, nullptr},
        {edit, NAVDIR_NEXT, CHILDID_SELF, S_OK, VT_I4, 2, nullptr},  // the parent answers for its child
        {edit, NAVDIR_PREVIOUS, CHILDID_SELF, S_FALSE, VT_EMPTY, 0, nullptr},
        {help, NAVDIR_LEFT, CHILDID_SELF, S_OK, VT_I4, 3, nullptr},
        {acc, NAVDIR_NEXT, CHILDID_SELF, S_FALSE, VT_EMPTY, 0, nullptr},  // the root has no siblings
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "direction " << c.direction << " start " << c.start);
        VARIANT end;
        EXPECT_EQ(c.from->accNavigate(c.direction, Id(c.start), &end), c.result);
        EXPECT_EQ(end.vt, c.type);
        if (c.type == VT_I4) {
            EXPECT_EQ(end.lVal, c.id);
        }
        if (c.type == VT_DISPATCH) {
            EXPECT_EQ(end.pdispVal, c.found);
        }
        VariantClear(&end);
    }
}

TEST_F(AccessibilityTree, HitTestAnswersTheElementItsChildOrNothing) {
    root->bounds = {0, 0, 500, 30};  // 400..500 is the toolbar's own empty end
    VARIANT hit;
    ASSERT_EQ(acc->accHitTest(150, 10, &hit), S_OK);
    EXPECT_EQ(hit.vt, VT_I4);
    EXPECT_EQ(hit.lVal, 2);
    ASSERT_EQ(acc->accHitTest(50, 10, &hit), S_OK);
    ASSERT_EQ(hit.vt, VT_DISPATCH);
    EXPECT_EQ(hit.pdispVal, Edit()->AsAccessible());
    VariantClear(&hit);
    ASSERT_EQ(acc->accHitTest(450, 10, &hit), S_OK);
    EXPECT_EQ(hit.vt, VT_I4);
    EXPECT_EQ(hit.lVal, CHILDID_SELF);
    EXPECT_EQ(acc->accHitTest(450, 40, &hit), S_FALSE);
    EXPECT_EQ(hit.vt, VT_EMPTY);
}

TEST_F(AccessibilityTree, FocusValueActionAndShortcut) {
    VARIANT focus;
    EXPECT_EQ(acc->get_accFocus(&focus), S_FALSE);
    root->hasFocus = true;
    root->focused = 3;
    ASSERT_EQ(acc->get_accFocus(&focus), S_OK);
    ASSERT_EQ(focus.vt, VT_DISPATCH);
    EXPECT_EQ(focus.pdispVal, Help()->AsAccessible());
    VariantClear(&focus);
    root->focused = -1;
    ASSERT_EQ(acc->get_accFocus(&focus), S_OK);
    EXPECT_EQ(focus.vt, VT_I4);
    EXPECT_EQ(focus.lVal, CHILDID_SELF);

    BSTR text = SysAllocString(L"Значение");
    EXPECT_EQ(acc->put_accValue(Id(2), text), S_OK);
    SysFreeString(text);
    BSTR value = nullptr;
    ASSERT_EQ(acc->get_accValue(Id(2), &value), S_OK);
    EXPECT_EQ(Utf8(Take(value)), "Значение");

    EXPECT_EQ(acc->accDoDefaultAction(Id(3)), S_OK);
    EXPECT_EQ(root->actions, std::vector<Integer>{2});
    BSTR action = nullptr;
    ASSERT_EQ(acc->get_accDefaultAction(Id(2), &action), S_OK);
    EXPECT_EQ(Utf8(Take(action)), "Нажмите");

    struct Case {
        const wchar_t* caption;
        Word shortCut;
        HRESULT result;
        const char* text;
    };
    const Case cases[] = {
        {L"&файл", 0x4000 | 'S', S_OK, "Ф"},  // the accelerator wins over the shortcut
        {L"Save && &quit", 0, S_OK, "Q"},        {L"Save && quit", 0x4000 | 'S', S_OK, "Ctrl+S"},
        {L"", 0x2000 | VK_F5, S_OK, "Shift+F5"}, {L"", 0, S_FALSE, ""},
    };
    for (const Case& c : cases) {
        root->caption = c.caption;
        root->shortCut = c.shortCut;
        BSTR shortCut = nullptr;
        EXPECT_EQ(acc->get_accKeyboardShortcut(Id(CHILDID_SELF), &shortCut), c.result);
        EXPECT_EQ(Utf8(Take(shortCut)), c.text);
    }
}

TEST(AccessibilityHelper, WithoutSupportFlagsOptionalMembersAreNotFound) {
    IPtr<TTestHelper> helper(new TTestHelper);
    helper->flags = 0;
    helper->AddSimple(L"Кнопка", {0, 0, 10, 10});
    IAccessible* acc = helper->AsAccessible();
    long l, t, w, h;
    VARIANT v;
    BSTR text = nullptr;
    EXPECT_EQ(acc->accLocation(&l, &t, &w, &h, Id(CHILDID_SELF)), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(acc->accHitTest(5, 5, &v), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(acc->get_accFocus(&v), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(acc->get_accValue(Id(1), &text), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(acc->put_accValue(Id(1), nullptr), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(acc->get_accDescription(Id(CHILDID_SELF), &text), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(acc->get_accDefaultAction(Id(CHILDID_SELF), &text), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(acc->accDoDefaultAction(Id(CHILDID_SELF)), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(acc->get_accKeyboardShortcut(Id(CHILDID_SELF), &text), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(acc->accNavigate(NAVDIR_FIRSTCHILD, Id(CHILDID_SELF), &v), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(acc->accNavigate(NAVDIR_NEXT, Id(1), &v), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(acc->get_accHelp(Id(CHILDID_SELF), &text), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(acc->accSelect(SELFLAG_TAKEFOCUS, Id(CHILDID_SELF)), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(acc->put_accName(Id(CHILDID_SELF), nullptr), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(text, nullptr);
}

TEST(AccessibilityHelper, AfterItsOwnerIsGoneEveryCallAnswersOkAndEmpty) {
    IPtr<TTestHelper> helper(new TTestHelper);
    helper->name = L"Кнопка";
    helper->AddSimple(L"Часть", {0, 0, 10, 10});
    IPtr<IcxAccessibilityHelper> intf(helper.get());
    intf->MarkOwnerDestroyed();
    EXPECT_FALSE(helper->IsOwnerObjectLive());
    EXPECT_EQ(intf->GetHelper(), helper.get());

    IAccessible* acc = helper->AsAccessible();
    BSTR name = reinterpret_cast<BSTR>(1);
    EXPECT_EQ(acc->get_accName(Id(CHILDID_SELF), &name), S_OK);
    EXPECT_EQ(name, nullptr);
    long count = 7;
    EXPECT_EQ(acc->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 0);
    VARIANT v;
    EXPECT_EQ(acc->accNavigate(NAVDIR_FIRSTCHILD, Id(CHILDID_SELF), &v), S_OK);
    EXPECT_EQ(v.vt, VT_EMPTY);
    EXPECT_EQ(acc->accDoDefaultAction(Id(1)), S_OK);
    EXPECT_TRUE(helper->actions.empty());
}

TEST(AccessibilityHelper, ComIdentityAndInterfaces) {
    IPtr<TTestHelper> helper(new TTestHelper);
    HWND desktop = GetDesktopWindow();
    helper->window = desktop;
    IAccessible* acc = helper->AsAccessible();

    IUnknown* unknown = nullptr;
    IDispatch* dispatch = nullptr;
    IAccessible* accessible = nullptr;
    IOleWindow* oleWindow = nullptr;
    ASSERT_EQ(acc->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
    ASSERT_EQ(acc->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)), S_OK);
    ASSERT_EQ(acc->QueryInterface(kIIDAccessible, reinterpret_cast<void**>(&accessible)), S_OK);
    ASSERT_EQ(acc->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&oleWindow)), S_OK);
    EXPECT_EQ(static_cast<void*>(unknown), static_cast<void*>(acc));
    EXPECT_EQ(accessible, acc);
    IUnknown* fromWindow = nullptr;
    ASSERT_EQ(oleWindow->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromWindow)), S_OK);
    EXPECT_EQ(fromWindow, unknown);  // one identity whichever interface is asked
    HWND window = nullptr;
    EXPECT_EQ(oleWindow->GetWindow(&window), S_OK);
    EXPECT_EQ(window, desktop);
    EXPECT_EQ(helper->RefCount(), 6);
    for (IUnknown* i : {unknown, static_cast<IUnknown*>(dispatch), static_cast<IUnknown*>(accessible),
                        static_cast<IUnknown*>(oleWindow), fromWindow})
        i->Release();
    EXPECT_EQ(helper->RefCount(), 1);

    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(acc->QueryInterface(IID_IStream, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(acc->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
    UINT typeInfos = 5;
    EXPECT_EQ(acc->GetTypeInfoCount(&typeInfos), E_NOTIMPL);
    EXPECT_EQ(typeInfos, 0u);
    EXPECT_EQ(acc->Invoke(0, IID_NULL, 0, 0, nullptr, nullptr, nullptr, nullptr), E_NOTIMPL);
}

TEST_F(AccessibilityTree, ReferencesKeepHelpersAliveAndTheLastOneFreesThem) {
    IDispatch* child = nullptr;
    ASSERT_EQ(acc->get_accChild(Id(1), &child), S_OK);
    root.reset();  // the element drops its helper tree while a client still holds a child
    EXPECT_TRUE(rootFreed);
    EXPECT_FALSE(editFreed);
    BSTR name = nullptr;
    EXPECT_EQ(static_cast<IAccessible*>(child)->get_accName(Id(CHILDID_SELF), &name), S_OK);
    EXPECT_EQ(Utf8(Take(name)), "Правка");
    child->Release();
    EXPECT_TRUE(editFreed);
}

TEST(AccessibilityHelper, ClientsHoldingTheOnlyReferenceFreeIt) {
    bool freed = false;
    auto* helper = new TTestHelper(nullptr, &freed);
    IAccessible* acc = helper->AsAccessible();
    acc->AddRef();
    acc->AddRef();
    EXPECT_EQ(acc->Release(), 1u);
    EXPECT_FALSE(freed);
    EXPECT_EQ(acc->Release(), 0u);
    EXPECT_TRUE(freed);
}

TEST_F(AccessibilityTree, NextNavigableChildSkipsSimpleAndUnreachableChildren) {
    Edit()->navigable = true;
    Help()->navigable = true;
    EXPECT_EQ(root->FindNextNavigableChild(-1, true), 0);
    EXPECT_EQ(root->FindNextNavigableChild(0, true), 3);
    EXPECT_EQ(root->FindNextNavigableChild(3, true), -1);
    EXPECT_EQ(root->FindNextNavigableChild(-1, false), 3);
    EXPECT_EQ(root->FindNextNavigableChild(2, false), 0);
    Edit()->navigable = false;
    EXPECT_EQ(root->FindNextNavigableChild(3, false), -1);
    EXPECT_THROW(root->FindNextNavigableChild(4, true), EdxException);
}

TEST(AccessibilityHelper, TheBaseDescribesALeafAndRaisesForWhatOnlyParentsKnow) {
    IPtr<TcxAccessibilityHelper> helper(TcxAccessibilityHelper::StaticClass()->CreateHelper(nullptr));
    EXPECT_EQ(helper->GetChildCount(), 0);
    EXPECT_THROW(helper->ChildIsSimpleElement(0), EdxException);
    EXPECT_THROW(helper->GetChildIndex(nullptr), EdxException);
    EXPECT_THROW(helper->GetValue(0), EdxException);
    EXPECT_THROW(helper->NavigateToChild(0, andNext), EdxException);
    IAccessible* acc = helper->AsAccessible();
    IDispatch* child = nullptr;
    for (long id : {1, 2, 100}) EXPECT_EQ(acc->get_accChild(Id(id), &child), E_INVALIDARG);
    VARIANT role;
    ASSERT_EQ(acc->get_accRole(Id(CHILDID_SELF), &role), S_OK);
    EXPECT_EQ(role.vt, VT_I4);
    EXPECT_EQ(role.lVal, 0);
}

// ---- Through a real window ----------------------------------------------------------------

TcxAccessibilityHelper* windowHelper = nullptr;

LRESULT CALLBACK AccessibleWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallbackBarrier(LRESULT(0), [&]() -> LRESULT {
        if (message == WM_GETOBJECT && LONG(lParam) == OBJID_CLIENT && windowHelper)
            return LresultFromObjectProc(kIIDAccessible, wParam, windowHelper->AsAccessible());
        return DefWindowProcW(window, message, wParam, lParam);
    });
}

TEST(AccessibilityHelper, WindowsAnswerClientsThroughOleAcc) {
    ASSERT_TRUE(IsOleAccLoaded());
    HRESULT com = CoInitialize(nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = &AccessibleWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"cxAccessibilityTestWindow";
    RegisterClassW(&wc);
    HWND parent =
        CreateWindowW(L"STATIC", L"Окно", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr, nullptr, nullptr, nullptr);
    HWND window = CreateWindowW(wc.lpszClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 50, parent, nullptr,
                                wc.hInstance, nullptr);
    ASSERT_TRUE(window);

    IPtr<TTestHelper> helper(new TTestHelper);
    helper->name = L"Лента";
    helper->window = window;
    windowHelper = helper.get();

    // A helper without a parent helper answers its window's parent's standard object.
    IDispatch* parentObject = nullptr;
    EXPECT_EQ(helper->AsAccessible()->get_accParent(&parentObject), S_OK);
    ASSERT_NE(parentObject, nullptr);
    parentObject->Release();

    // A client finds the helper through WM_GETOBJECT.
    void* object = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindowProc(window, DWORD(OBJID_CLIENT), kIIDAccessible, &object), S_OK);
    auto* client = static_cast<IAccessible*>(object);
    BSTR name = nullptr;
    EXPECT_EQ(client->get_accName(Id(CHILDID_SELF), &name), S_OK);
    EXPECT_EQ(Utf8(Take(name)), "Лента");
    client->Release();

    windowHelper = nullptr;
    DestroyWindow(window);
    DestroyWindow(parent);
    UnregisterClassW(wc.lpszClassName, wc.hInstance);
    if (SUCCEEDED(com)) CoUninitialize();
    EXPECT_EQ(helper->RefCount(), 1);  // the client's references are all returned
}

}  // namespace

namespace {

// A helper whose element fails while a client asks about it.
class TFailingHelper : public TcxAccessibilityHelper {
public:
    TFailingHelper() : TcxAccessibilityHelper(nullptr) {}
    String GetName(Integer) override { throw EdxException(L"element failed"); }
    Integer GetChildCount() override { return 2; }  // ChildIsSimpleElement is left to the base
};

TEST(AccessibilityHelper, FailuresOfAnElementNeverReachTheClient) {
    TakeRecordedCallbackErrors();  // start from none
    IPtr<TFailingHelper> helper(new TFailingHelper);
    IAccessible* acc = helper->AsAccessible();
    BSTR name = reinterpret_cast<BSTR>(1);
    EXPECT_EQ(acc->get_accName(Id(CHILDID_SELF), &name), E_FAIL);
    EXPECT_EQ(name, nullptr);
    IDispatch* child = nullptr;
    EXPECT_EQ(acc->get_accChild(Id(1), &child), E_FAIL);
    std::vector<String> errors = TakeRecordedCallbackErrors();
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(Utf8(errors[0]), "element failed");
}

}  // namespace
