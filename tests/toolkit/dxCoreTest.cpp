#include <gtest/gtest.h>

#include "TestSupport.h"
#include "cxClasses.h"
#include "dxCore.h"

namespace {

const TResStringRec kToday{nullptr, 61001};
const TResStringRec kOther{nullptr, 61002};

void RegisterTestStrings(TdxProductResourceStrings* product) {
    product->RegisterString(L"cxSToday", &kToday);
    product->RegisterString(L"CXSTODAY", &kOther);  // the same name again: the first stays
    product->RegisterString(L"cxSOther", &kOther);
}

TEST(ResourceStrings, ProductRegistersItsNamesAtOnceAndKeepsTheFirstOfADuplicate) {
    TdxResourceStringsRepository repository;
    repository.AddProduct(L"Test", &RegisterTestStrings);
    ASSERT_EQ(repository.ProductCount(), 1);
    TdxProductResourceStrings* product = repository.ProductAt(0);
    EXPECT_EQ(product->Names().Count(), 2);
    EXPECT_EQ(product->ReferenceOf(L"cxstoday"), &kToday);
    EXPECT_EQ(Utf8(ResolveResourceString(product->ReferenceOf(L"cxSToday"))), "Сегодня");
    EXPECT_EQ(ResolveResourceString(&kOther), L"");  // no such resource: empty, no failure
}

TEST(ResourceStrings, RemoveProductComparesNamesExactly) {
    TdxResourceStringsRepository repository;
    repository.AddProduct(L"Bars", nullptr);
    repository.AddProduct(L"Ribbon", nullptr);
    repository.RemoveProduct(L"bars");
    EXPECT_EQ(repository.ProductCount(), 2);
    repository.RemoveProduct(L"Bars");
    ASSERT_EQ(repository.ProductCount(), 1);
    EXPECT_EQ(repository.IndexOfProduct(L"Ribbon"), 0);
    EXPECT_EQ(repository.IndexOfProduct(L"Bars"), -1);
}

class CountedListener : public TInterfacedObject, public IdxResourceStringsListener {
public:
    void TranslationChanged() override {}
};

TEST(ResourceStrings, ListenersAreHeldOnceWithTheirReferenceCounted) {
    IPtr<CountedListener> listener(new CountedListener);
    {
        TdxResourceStringsRepository repository;
        repository.AddListener(listener.get());
        repository.AddListener(listener.get());
        EXPECT_EQ(repository.ListenerCount(), 1);
        EXPECT_EQ(listener->RefCount(), 2);
        repository.RemoveListener(listener.get());
        repository.RemoveListener(listener.get());
        EXPECT_EQ(listener->RefCount(), 1);
        repository.AddListener(listener.get());
    }
    EXPECT_EQ(listener->RefCount(), 1);  // the repository let go when it was freed
}

TEST(ResourceStrings, AReplacementIsAnsweredByResolvingOnlyWhileItsProductIsRegistered) {
    TdxResourceStringsRepository* repository = GetResourceStringsRepository();
    repository->AddProduct(L"ReplacementTest", &RegisterTestStrings);
    TdxProductResourceStrings* product = repository->ProductAt(repository->IndexOfProduct(L"ReplacementTest"));
    EXPECT_FALSE(product->SetReplacement(L"cxSNoSuchName", L"x"));  // only registered names
    ASSERT_TRUE(product->SetReplacement(L"CXSTODAY", L"Today"));
    EXPECT_EQ(ResolveResourceString(&kToday), L"Today");
    EXPECT_EQ(Utf8(LoadResourceStringText(&kToday)), "Сегодня");  // the table itself is untouched
    ASSERT_TRUE(product->SetReplacement(L"cxSToday", L""));       // an empty text replaces too
    EXPECT_EQ(ResolveResourceString(&kToday), L"");
    product->RemoveReplacement(L"cxSToday");
    EXPECT_EQ(Utf8(ResolveResourceString(&kToday)), "Сегодня");
    product->SetReplacement(L"cxSToday", L"Today");
    repository->RemoveProduct(L"ReplacementTest");  // its replacements go with it
    EXPECT_EQ(Utf8(ResolveResourceString(&kToday)), "Сегодня");
}

TEST(ResourceStrings, GlobalRepositoryIsOneObject) {
    EXPECT_EQ(GetResourceStringsRepository(), GetResourceStringsRepository());
}

TEST(PlatformFlags, FollowThePlatformIdAndVersion) {
    TdxPlatformFlags xp = ComputePlatformFlags(VER_PLATFORM_WIN32_NT, 5, 1);
    EXPECT_TRUE(xp.WinXP && xp.WinXPOrLater && xp.Win2000OrXP && xp.Win2000OrLater);
    EXPECT_FALSE(xp.Win2000 || xp.WinVista || xp.WinVistaOrLater || xp.Win9xFamily);
    TdxPlatformFlags w2k = ComputePlatformFlags(VER_PLATFORM_WIN32_NT, 5, 0);
    EXPECT_TRUE(w2k.Win2000 && w2k.Win2000OrXP && w2k.Win2000OrLater);
    EXPECT_FALSE(w2k.WinXP || w2k.WinXPOrLater);
    TdxPlatformFlags seven = ComputePlatformFlags(VER_PLATFORM_WIN32_NT, 6, 1);
    EXPECT_TRUE(seven.WinVista && seven.WinVistaOrLater && seven.WinXPOrLater);
    EXPECT_FALSE(seven.WinXP || seven.Win2000OrXP);
    TdxPlatformFlags me = ComputePlatformFlags(VER_PLATFORM_WIN32_WINDOWS, 4, 90);
    EXPECT_TRUE(me.Win9xFamily && me.WinME);
    EXPECT_FALSE(me.NTFamily || me.Win98 || me.Win2000OrLater);
    // The running system (Wine reports an NT system).
    EXPECT_TRUE(PlatformFlags.NTFamily);
}

TEST(CodePages, ConvertBothWaysAndRespectTheLength) {
    EXPECT_EQ(AnsiToWideByCodePage("", 1251), L"");
    EXPECT_EQ(AnsiToWideByCodePage("\xcf\xf0\xe8", 1251), L"При");
    EXPECT_EQ(AnsiToWideByCodePage("\xd0\x9f\xd1\x80\xd0\xb8", CP_UTF8), L"При");
    EXPECT_EQ(AnsiToWideByCodePage("abcdef", 1252, 3), L"abc");
    EXPECT_EQ(WideToAnsiByCodePage(L"При", 1251), "\xcf\xf0\xe8");
    EXPECT_EQ(WideToAnsiByCodePage(L"При", CP_UTF8), "\xd0\x9f\xd1\x80\xd0\xb8");
    EXPECT_EQ(WideToAnsiByCodePage(L"abcdef", 1252, 2), "ab");
    EXPECT_EQ(WideToAnsiByCodePage(L"", CP_UTF8), "");
}

TEST(CoreHelpers, SetsSeparatorsLocaleAndCharacters) {
    Byte set[32] = {};
    set[65 / 8] |= 1 << (65 % 8);
    EXPECT_TRUE(IsByteInSet(65, set));
    EXPECT_FALSE(IsByteInSet(66, set));
    EXPECT_FALSE(IsByteInSet(255, set));
    EXPECT_EQ(TextBeforeSeparator(L"Text|hint"), L"Text");
    EXPECT_EQ(TextBeforeSeparator(L"Text"), L"Text");
    EXPECT_EQ(GetLocaleText(0x419, LOCALE_SDECIMAL, L"?"), L",");
    EXPECT_EQ(GetLocaleText(0x419, 0x7FFF, L"default"), L"default");
    EXPECT_EQ(CharByteLengthAt("ab", 2), 1);
    EXPECT_EQ(*CharPtrAt("abc", 3), 'c');
}

TEST(CoreHelpers, RangeCenterRoundsTowardMinusInfinity) {
    struct Case {
        int a, b, center;
    };
    for (Case c : {Case{-3, 0, -2}, Case{3, 0, 1}, Case{0, 0, 0}, Case{-1, 0, -1}, Case{2, 4, 3}, Case{-4, 1, -2}})
        EXPECT_EQ(RangeCenter(c.a, c.b), c.center) << c.a << "," << c.b;
}

class Probe : public TObject {
public:
    void Handle(TObject* sender) {
        last = sender;
        ++calls;
    }
    TObject* last = nullptr;
    int calls = 0;
};

TEST(CoreHelpers, FireNotifyEventCallsOnlyAnAssignedMethod) {
    Probe probe;
    FireNotifyEvent(&probe, TNotifyEvent());
    EXPECT_EQ(probe.calls, 0);
    FireNotifyEvent(&probe, MakeEvent(&probe, &Probe::Handle));
    EXPECT_EQ(probe.calls, 1);
    EXPECT_EQ(probe.last, &probe);
    Probe other;
    EXPECT_TRUE(MethodsEqual(MakeEvent(&probe, &Probe::Handle), MakeEvent(&probe, &Probe::Handle)));
    EXPECT_FALSE(MethodsEqual(MakeEvent(&probe, &Probe::Handle), MakeEvent(&other, &Probe::Handle)));
}

// Stand-ins for the bar manager's and ribbon's classes, whose names the naming rules look at
// (in a namespace of their own: the real classes are in the same test program).
namespace naming_stand_ins {
class TdxBar : public TComponent {
    Z_CLASS(TdxBar, TComponent)
public:
    using TComponent::TComponent;
};
class TdxRibbonTab : public TComponent {
    Z_CLASS(TdxRibbonTab, TComponent)
public:
    using TComponent::TComponent;
};
}  // namespace naming_stand_ins

TEST(ComponentNames, ComposeFromOwnerClassAndBase) {
    TComponent owner(nullptr);
    owner.SetName(L"dxRibbon1");
    struct Case {
        TComponent* owner;
        const wchar_t* cls;
        const wchar_t* prefix;
        int number;
        const wchar_t* base;
        const wchar_t* name;
    };
    const Case cases[] = {
        {nullptr, L"TdxBar", L"", 0, L"1st", L"dxBar1st"},
        {&owner, L"TdxRibbonTab", L"TdxRibbon", 1, L"", L"dxRibbon1Tab1"},
        {&owner, L"TdxRibbonTab", L"tdxribbon", 2, L"", L"dxRibbon1Tab2"},
        {&owner, L"TdxBar", L"TdxBar", 1, L"", L"dxRibbon11"},
        {&owner, L"TdxBar", L"", 0, L"My bar!", L"dxRibbon1Mybar"},
        {nullptr, L"", L"", 3, L"", L"3"},
        {nullptr, L"TdxBar", L"", 0, L"Файл", L"dxBar"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Utf8(ComposeComponentName(c.owner, c.cls, c.prefix, c.number, c.base)), Utf8(c.name));
    EXPECT_EQ(KeepIdentifierChars(L"a-b_c 9Ж"), L"ab_c9");
}

TEST(ComponentNames, MakeUniqueSkipsNamesTakenByOthers) {
    TComponent form(nullptr);
    auto* ribbon = new TComponent(&form);
    ribbon->SetName(L"dxRibbon1");
    auto* tab = new naming_stand_ins::TdxRibbonTab(&form);
    EXPECT_EQ(MakeUniqueComponentName(&form, ribbon, tab, L"", L"TdxRibbon"), L"dxRibbon1Tab1");
    tab->SetName(L"dxRibbon1Tab1");
    // Its own name does not count as taken.
    EXPECT_EQ(MakeUniqueComponentName(&form, ribbon, tab, L"", L"TdxRibbon"), L"dxRibbon1Tab1");
    auto* second = new naming_stand_ins::TdxRibbonTab(&form);
    EXPECT_EQ(MakeUniqueComponentName(&form, ribbon, second, L"", L"TdxRibbon"), L"dxRibbon1Tab2");
    auto* bar = new naming_stand_ins::TdxBar(&form);
    EXPECT_EQ(MakeUniqueComponentName(&form, ribbon, bar, L"", L"TdxBar"), L"dxRibbon11");
    // A free base name gets no digits; a taken one the first free number.
    EXPECT_EQ(MakeUniqueComponentName(&form, nullptr, bar, L"Main", L"TdxBar"), L"Main");
    bar->SetName(L"Main");
    EXPECT_EQ(MakeUniqueComponentName(&form, nullptr, second, L"main", L"TdxBar"), L"main1");
}

LRESULT CALLBACK PassOn(int code, WPARAM wParam, LPARAM lParam) {
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(ThreadHooks, InstallOnceRemoveAndRefuseASecondInstall) {
    HHOOK hook = nullptr;
    InstallThreadHook(hook, WH_GETMESSAGE, &PassOn);
    ASSERT_NE(hook, nullptr);
    HHOOK before = hook;
    EXPECT_THROW(InstallThreadHook(hook, WH_GETMESSAGE, &PassOn), EAssertionFailed);
    EXPECT_EQ(hook, before);
    RemoveThreadHook(hook);
    EXPECT_EQ(hook, nullptr);
    RemoveThreadHook(hook);  // nothing to remove
}

}  // namespace
