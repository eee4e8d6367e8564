// Look-and-feel settings: values following masters and the root, the painter each one chooses,
// skins from the painter registry, controllers, the stored form, and the system colour change.

#include <gtest/gtest.h>

#include <memory>

#include "FormDescription.h"
#include "MutationSupport.h"
#include "PainterTestSupport.h"
#include "RecordingVisualStyles.h"
#include "cxLookAndFeel.h"
#include "cxOffice11LookAndFeelPainter.h"
#include "cxRadioButtonImageList.h"
#include "cxStandardLookAndFeelPainter.h"
#include "cxSystemPaletteChangedNotifier.h"
#include "cxUltraFlatLookAndFeelPainter.h"
#include "cxWinXPLookAndFeelPainter.h"

namespace {

using P = TcxLookAndFeelPainterClass;

// A painter of its own, standing for a skin painter.
class TLookAndFeelTestSkinPainter : public TcxOffice11LookAndFeelPainter {
public:
    static const TLookAndFeelTestSkinPainter* Instance() {
        static const TLookAndFeelTestSkinPainter painter;
        return &painter;
    }
};

// Records the changes a look-and-feel reports to its owner.
class TChangeRecorder {
public:
    explicit TChangeRecorder(TcxLookAndFeel* lookAndFeel) {
        lookAndFeel->OnChanged = MakeEvent(this, &TChangeRecorder::Changed);
    }
    std::vector<TcxLookAndFeelValues> Take() { return std::exchange(changes_, {}); }

private:
    void Changed(TcxLookAndFeel*, TcxLookAndFeelValues values) { changes_.push_back(values); }
    std::vector<TcxLookAndFeelValues> changes_;
};

using TChanges = std::vector<TcxLookAndFeelValues>;

// Every test leaves the root as it found it: nothing assigned.
class LookAndFeels : public testing::Test {
protected:
    void SetUp() override {
        root = GetRootLookAndFeel();
        ASSERT_NE(root, nullptr);
        ASSERT_TRUE(root->AssignedValues().Empty());
        rootListeners = root->ChangeListenerCount();
    }
    void TearDown() override {
        root->OnChanged = nullptr;
        root->ResetAssignedValues();
        EXPECT_EQ(root->ChangeListenerCount(), rootListeners);
    }
    TcxLookAndFeel* root = nullptr;
    int rootListeners = 0;
};

TEST_F(LookAndFeels, ANewOneFollowsTheRoot) {
    auto lookAndFeel = std::make_unique<TcxLookAndFeel>(nullptr);
    EXPECT_EQ(lookAndFeel->Kind(), lfUltraFlat);
    EXPECT_FALSE(lookAndFeel->NativeStyle());
    EXPECT_EQ(lookAndFeel->SkinName(), L"");
    EXPECT_EQ(lookAndFeel->ActivePainter(), TcxUltraFlatLookAndFeelPainter::Instance());
    EXPECT_EQ(lookAndFeel->EffectiveMaster(), root);
    EXPECT_EQ(root->ChangeListenerCount(), rootListeners + 1);
}

TEST_F(LookAndFeels, ChangesTravelToTheDependantsThatDoNotSetTheValue) {
    auto follower = std::make_unique<TcxLookAndFeel>(nullptr), own = std::make_unique<TcxLookAndFeel>(nullptr),
         second = std::make_unique<TcxLookAndFeel>(nullptr);
    second->SetMasterLookAndFeel(follower.get());
    own->SetKind(lfFlat);
    TChangeRecorder followerChanges(follower.get()), ownChanges(own.get()), secondChanges(second.get()),
        rootChanges(root);

    root->SetKind(lfOffice11);
    EXPECT_EQ(rootChanges.Take(), (TChanges{{lfvKind}}));
    EXPECT_EQ(followerChanges.Take(), (TChanges{{lfvKind}}));
    EXPECT_EQ(secondChanges.Take(), (TChanges{{lfvKind}}));
    EXPECT_EQ(ownChanges.Take(), (TChanges{}));
    EXPECT_EQ(second->ActivePainter(), TcxOffice11LookAndFeelPainter::Instance());
    EXPECT_EQ(own->Kind(), lfFlat);

    // The same value again marks it assigned and tells nobody.
    follower->SetKind(lfOffice11);
    EXPECT_TRUE(follower->AssignedValues().Contains(lfvKind));
    EXPECT_EQ(followerChanges.Take(), (TChanges{}));
    EXPECT_EQ(secondChanges.Take(), (TChanges{}));

    // Unassigning a value that differs from the master's is a change of that value only.
    own->ResetAssignedValues();
    EXPECT_EQ(ownChanges.Take(), (TChanges{{lfvKind}}));
    EXPECT_EQ(own->Kind(), lfOffice11);
}

TEST_F(LookAndFeels, NativeStyleWithoutVisualStylesDrawsByKindEvenWithASkin) {
    ASSERT_FALSE(AreThemesAvailable());
    ASSERT_TRUE(
        GlobalExtendedStylePainters()->RegisterPainter(L"Lilac", TLookAndFeelTestSkinPainter::Instance(), nullptr));
    auto lookAndFeel = std::make_unique<TcxLookAndFeel>(nullptr);
    lookAndFeel->SetSkinName(L"Lilac");
    EXPECT_EQ(lookAndFeel->ActivePainter(), TLookAndFeelTestSkinPainter::Instance());
    lookAndFeel->SetKind(lfStandard);
    lookAndFeel->SetNativeStyle(true);
    EXPECT_EQ(lookAndFeel->SkinPainter(), nullptr);
    EXPECT_EQ(lookAndFeel->ActivePainter(), TcxStandardLookAndFeelPainter::Instance());
    {
        TRecordingVisualStyles styles;  // visual styles on: the native painter
        lookAndFeel->NotifyChangedAll();
        EXPECT_EQ(lookAndFeel->ActivePainter(), TcxWinXPLookAndFeelPainter::Instance());
        EXPECT_EQ(lookAndFeel->PainterForThemedObject(totScrollBar), TcxWinXPLookAndFeelPainter::Instance());
    }
    lookAndFeel->NotifyChangedAll();
    EXPECT_EQ(lookAndFeel->ActivePainter(), TcxStandardLookAndFeelPainter::Instance());
    GlobalExtendedStylePainters()->UnregisterPainter(L"Lilac");
}

TEST_F(LookAndFeels, SkinNamesAreFoundWithoutCaseButChangeWithIt) {
    auto* registry = GlobalExtendedStylePainters();
    ASSERT_TRUE(registry->RegisterPainter(L"lilac", TLookAndFeelTestSkinPainter::Instance(), nullptr));
    auto lookAndFeel = std::make_unique<TcxLookAndFeel>(nullptr);
    TChangeRecorder changes(lookAndFeel.get());
    struct Case {
        const wchar_t* name;
        bool found;
        TChanges reported;
    } cases[] = {
        {L"lilac", true, {{lfvSkinName}}},
        {L"LILAC", true, {{lfvSkinName}}},  // another name, the same skin
        {L"LILAC", true, {}},
        {L"Lilac2", false, {{lfvSkinName}}},
        {L"", false, {{lfvSkinName}}},
    };
    for (const Case& c : cases) {
        lookAndFeel->SetSkinName(c.name);
        EXPECT_EQ(lookAndFeel->SkinPainter() != nullptr, c.found) << Utf8(c.name);
        EXPECT_EQ(changes.Take(), c.reported) << Utf8(c.name);
    }
    // Only ASCII letters are matched without case.
    ASSERT_TRUE(registry->RegisterPainter(L"\u00E4rger", TcxStandardLookAndFeelPainter::Instance(), nullptr));
    lookAndFeel->SetSkinName(L"\u00C4RGER");
    EXPECT_EQ(lookAndFeel->SkinPainter(), nullptr);
    registry->UnregisterPainter(L"\u00E4rger");

    // A registry change reaches a look-and-feel drawing with a skin: its skin going away, it
    // draws by its kind again.
    lookAndFeel->SetSkinName(L"Lilac");
    ASSERT_EQ(lookAndFeel->ActivePainter(), TLookAndFeelTestSkinPainter::Instance());
    changes.Take();
    registry->UnregisterPainter(L"lilac");
    EXPECT_EQ(changes.Take(), (TChanges{cxLookAndFeelValueAll}));
    EXPECT_EQ(lookAndFeel->ActivePainter(), TcxUltraFlatLookAndFeelPainter::Instance());
    // Not drawing with a skin, it no longer listens: a skin registered later under its name
    // reaches it only at its next change.
    ASSERT_TRUE(registry->RegisterPainter(L"Lilac", TLookAndFeelTestSkinPainter::Instance(), nullptr));
    EXPECT_EQ(changes.Take(), (TChanges{}));
    EXPECT_EQ(lookAndFeel->ActivePainter(), TcxUltraFlatLookAndFeelPainter::Instance());
    lookAndFeel->NotifyChangedAll();
    EXPECT_EQ(lookAndFeel->ActivePainter(), TLookAndFeelTestSkinPainter::Instance());
    registry->UnregisterPainter(L"Lilac");
}

TEST_F(LookAndFeels, TheLastControllerGoneResetsTheRoot) {
    auto first = std::make_unique<TcxLookAndFeelController>(nullptr);
    auto second = std::make_unique<TcxLookAndFeelController>(nullptr);
    first->SetKind(lfOffice11);
    second->SetNativeStyle(true);
    EXPECT_EQ(root->Kind(), lfOffice11);
    EXPECT_EQ(second->Kind(), lfOffice11);
    first.reset();
    EXPECT_EQ(root->Kind(), lfOffice11);
    EXPECT_TRUE(root->NativeStyle());
    second.reset();
    EXPECT_TRUE(root->AssignedValues().Empty());
    EXPECT_EQ(root->Kind(), lfUltraFlat);
    EXPECT_FALSE(root->NativeStyle());

    // Only the root takes controllers.
    auto controller = std::make_unique<TcxLookAndFeelController>(nullptr);
    auto lookAndFeel = std::make_unique<TcxLookAndFeel>(nullptr);
    lookAndFeel->AddChangeListener(controller.get());
    EXPECT_EQ(lookAndFeel->ChangeListenerCount(), 0);
    EXPECT_EQ(root->ChangeListenerCount(), rootListeners + 2);
}

TEST_F(LookAndFeels, ApplyStyleCode) {
    struct Case {
        int code;
        bool nativeStyle;
        TcxLookAndFeelKind kind;
    } cases[] = {
        {3, true, lfFlat}, {4, false, lfOffice11}, {1, false, lfStandard}, {0, false, lfFlat}, {2, false, lfUltraFlat}};
    for (const Case& c : cases) {
        auto lookAndFeel = std::make_unique<TcxLookAndFeel>(nullptr);
        lookAndFeel->SetKind(lfFlat);
        lookAndFeel->ApplyStyleCode(c.code);
        EXPECT_EQ(lookAndFeel->NativeStyle(), c.nativeStyle) << c.code;
        EXPECT_EQ(lookAndFeel->Kind(), c.kind) << c.code;
    }
}

TEST_F(LookAndFeels, FreeingAMasterLeavesItsDependantsOnTheRoot) {
    auto master = std::make_unique<TcxLookAndFeel>(nullptr);
    auto dependant = std::make_unique<TcxLookAndFeel>(nullptr);
    dependant->SetMasterLookAndFeel(master.get());
    EXPECT_EQ(root->ChangeListenerCount(), rootListeners + 1);  // only the master follows the root
    master->SetKind(lfFlat);
    ASSERT_EQ(dependant->Kind(), lfFlat);
    TChangeRecorder changes(dependant.get());
    master.reset();
    EXPECT_EQ(dependant->MasterLookAndFeel(), nullptr);
    EXPECT_EQ(dependant->Kind(), lfUltraFlat);
    EXPECT_EQ(changes.Take(), (TChanges{{lfvKind}}));
    root->SetKind(lfStandard);
    EXPECT_EQ(dependant->ActivePainter(), TcxStandardLookAndFeelPainter::Instance());
    EXPECT_EQ(root->ChangeListenerCount(), rootListeners + 1);
    dependant.reset();  // would call the freed master if it had kept it
    EXPECT_EQ(root->ChangeListenerCount(), rootListeners);

    // Masters freed before their dependants, over and over, leave nothing behind.
    auto freeMasterFirst = [] {
        auto master = std::make_unique<TcxLookAndFeel>(nullptr);
        auto dependant = std::make_unique<TcxLookAndFeel>(nullptr), second = std::make_unique<TcxLookAndFeel>(nullptr);
        dependant->SetMasterLookAndFeel(master.get());
        second->SetMasterLookAndFeel(dependant.get());
        master->SetKind(lfOffice11);
        master.reset();
        second.reset();
        dependant.reset();
    };
    freeMasterFirst();  // the lists reach their sizes
    const THeapUse before = HeapInUse();
    for (int i = 0; i < 50; ++i) freeMasterFirst();
    EXPECT_EQ(HeapInUse().blocks, before.blocks);
    EXPECT_EQ(root->ChangeListenerCount(), rootListeners);
}

TEST_F(LookAndFeels, AssignCopiesOwnValuesAndTheMaster) {
    auto master = std::make_unique<TcxLookAndFeel>(nullptr), source = std::make_unique<TcxLookAndFeel>(nullptr),
         copy = std::make_unique<TcxLookAndFeel>(nullptr);
    master->SetKind(lfOffice11);
    source->SetMasterLookAndFeel(master.get());
    source->SetNativeStyle(true);
    TChangeRecorder changes(copy.get());
    copy->Assign(source.get());
    EXPECT_EQ(copy->MasterLookAndFeel(), master.get());
    EXPECT_EQ(copy->AssignedValues(), TcxLookAndFeelValues{lfvNativeStyle});
    EXPECT_EQ(copy->Kind(), lfOffice11);
    EXPECT_EQ(changes.Take(), (TChanges{{lfvKind, lfvNativeStyle}}));
}

// A holder of a look-and-feel, stored in a form description as a control stores its own.
class TLookAndFeelHolder : public TComponent {
    Z_CLASS(TLookAndFeelHolder, TComponent)
    Z_PUBLISHED { p.Property(L"LookAndFeel", &TLookAndFeelHolder::LookAndFeel); }

public:
    explicit TLookAndFeelHolder(TComponent* owner) : TComponent(owner), lookAndFeel_(this) {}
    TcxLookAndFeel* LookAndFeel() { return &lookAndFeel_; }

private:
    TcxLookAndFeel lookAndFeel_;
};

TEST_F(LookAndFeels, AnAssignedEmptySkinNameSurvivesTheStoredForm) {
    RegisterClass(TLookAndFeelHolder::StaticClass());
    struct Case {
        std::function<void(TcxLookAndFeel*)> set;
        const char* written;  // the look-and-feel's lines of the description
        TcxLookAndFeelValues assigned;
    } cases[] = {
        {[](TcxLookAndFeel*) {}, "", {}},
        {[](TcxLookAndFeel* l) { l->SetSkinName(L""); }, "  LookAndFeel.SkinName = ''\r\n", {lfvSkinName}},
        {[](TcxLookAndFeel* l) {
             l->SetKind(lfOffice11);
             l->SetNativeStyle(false);
         },
         "  LookAndFeel.Kind = lfOffice11\r\n  LookAndFeel.NativeStyle = False\r\n",
         {lfvKind, lfvNativeStyle}},
    };
    for (const Case& c : cases) {
        std::unique_ptr<TLookAndFeelHolder> holder(new TLookAndFeelHolder(nullptr));
        holder->SetName(L"Holder");
        c.set(holder->LookAndFeel());
        AnsiString text = WriteComponentToText(holder.get());
        EXPECT_EQ(text, AnsiString("object Holder: TLookAndFeelHolder\r\n") + c.written + "end\r\n");
        std::unique_ptr<TComponent> read(ReadComponentFromText(text, nullptr));
        auto* copy = static_cast<TLookAndFeelHolder*>(read.get());
        EXPECT_EQ(copy->LookAndFeel()->AssignedValues(), c.assigned) << text;
        EXPECT_EQ(copy->LookAndFeel()->Kind(), holder->LookAndFeel()->Kind());
    }
    UnRegisterClass(TLookAndFeelHolder::StaticClass());
}

// ---- the painter registry ------------------------------------------------------------------

// Counts the registry's notices; may unregister itself from within one.
class TRegistryListener : public IcxPainterRegistryListener {
public:
    void PainterChanged(TcxLookAndFeelPainterClass painter) override {
        told.push_back(painter);
        if (leaveWhenTold) GlobalExtendedStylePainters()->UnregisterListener(this);
    }
    std::vector<TcxLookAndFeelPainterClass> told;
    bool leaveWhenTold = false;
};

// Data owned by a registry entry; says when it is freed.
class TRegistryData : public TObject {
public:
    explicit TRegistryData(bool* freed) : freed_(freed) {}
    ~TRegistryData() override { *freed_ = true; }

private:
    bool* freed_;
};

TEST(cxExtendedStylePainters, NamesAreUniqueSortedAndOwnTheirData) {
    TcxExtendedStylePainters registry;
    P standard = TcxStandardLookAndFeelPainter::Instance(), office = TcxOffice11LookAndFeelPainter::Instance();
    bool blackFreed = false, refusedFreed = false;
    auto* refused = new TRegistryData(&refusedFreed);
    EXPECT_TRUE(registry.RegisterPainter(L"b", standard, new TRegistryData(&blackFreed)));
    EXPECT_TRUE(registry.RegisterPainter(L"a", office, nullptr));
    EXPECT_FALSE(registry.RegisterPainter(L"B", office, refused));
    EXPECT_EQ(registry.Count(), 2);
    EXPECT_EQ(registry.NameAt(0), L"a");
    EXPECT_EQ(registry.PainterAt(1), standard);
    delete refused;  // a refused registration leaves the data with the caller

    P found = nullptr;
    EXPECT_TRUE(registry.GetPainterByName(L"A", found));
    EXPECT_EQ(found, office);
    EXPECT_FALSE(registry.GetPainterByName(L"c", found));
    EXPECT_EQ(found, office);  // left alone
    String name = L"x";
    TObject* data = reinterpret_cast<TObject*>(&name);
    EXPECT_TRUE(registry.FindPainterName(standard, name));
    EXPECT_EQ(name, L"b");
    EXPECT_FALSE(registry.FindPainterName(TcxUltraFlatLookAndFeelPainter::Instance(), name));
    EXPECT_EQ(name, L"");
    EXPECT_FALSE(registry.FindPainterData(TcxUltraFlatLookAndFeelPainter::Instance(), data));
    EXPECT_EQ(data, nullptr);

    EXPECT_TRUE(registry.UnregisterPainter(L"B"));
    EXPECT_TRUE(blackFreed);
    EXPECT_FALSE(registry.UnregisterPainter(L"B"));
}

TEST(cxExtendedStylePainters, ListenersAreToldLastFirstAndMayLeaveMeanwhile) {
    TcxExtendedStylePainters* registry = GlobalExtendedStylePainters();
    P painter = TcxStandardLookAndFeelPainter::Instance();
    TRegistryListener first, leaving, last;
    leaving.leaveWhenTold = true;
    for (TRegistryListener* l : {&first, &leaving, &last}) registry->RegisterListener(l);
    registry->RegisterListener(&first);  // not twice
    ASSERT_TRUE(registry->RegisterPainter(L"Told", painter, nullptr));
    for (TRegistryListener* l : {&first, &leaving, &last}) EXPECT_EQ(l->told.size(), 1u);
    EXPECT_FALSE(registry->UnregisterPainter(L"Untold"));
    EXPECT_TRUE(registry->UnregisterPainter(L"Told"));
    EXPECT_EQ(first.told, (std::vector<P>{painter, painter}));
    EXPECT_EQ(leaving.told.size(), 1u);
    EXPECT_EQ(last.told.size(), 2u);
    registry->UnregisterListener(&first);
    registry->UnregisterListener(&last);
}

// ---- system colour changes -----------------------------------------------------------------

// Records the order in which notifiers are told, and what the Office-style scheme was then.
struct TPaletteLog {
    std::vector<std::string> order;
    std::vector<Byte> schemes;
};

class TLoggedNotifier : public TcxSystemPaletteChangedNotifier {
public:
    TLoggedNotifier(TPaletteLog& log, const char* name, bool primary)
        : TcxSystemPaletteChangedNotifier(primary), log_(log), name_(name) {}

protected:
    void DoChanged() override {
        log_.order.push_back(name_);
        log_.schemes.push_back(Office11Scheme());
    }

private:
    TPaletteLog& log_;
    std::string name_;
};

TEST(cxSystemPalette, ColourChangeRecomputesTablesThenTellsPrimaryThenPlainNotifiersLastFirst) {
    TPaletteLog log;
    TChanges lookAndFeelChanges;
    TColor ringBefore = 0, ringAfter = 0, radioBefore = 0, radioAfter = 0;
    TcxRadioButtonImageList* radios = RadioButtonImageList();
    // The left edge of a hot Office-style radio button: its ring, in the selection border colour.
    auto hotRadioRing = [&] {
        TSize size = radios->ImageSize();
        TPaintSurface s(size.cx, size.cy);
        radios->Draw(s.Canvas(), 0, 0, lfOffice11, cxbsHot, false, false, false, clDefault);
        return s.At(0, size.cy / 2);
    };
    {
        TRecordingVisualStyles styles(L"NormalColor");
        auto plain1 = std::make_unique<TLoggedNotifier>(log, "plain 1", false);
        auto primary1 = std::make_unique<TLoggedNotifier>(log, "primary 1", true);
        auto plain2 = std::make_unique<TLoggedNotifier>(log, "plain 2", false);
        auto primary2 = std::make_unique<TLoggedNotifier>(log, "primary 2", true);
        auto lookAndFeel = std::make_unique<TcxLookAndFeel>(nullptr);
        TChangeRecorder changes(lookAndFeel.get());
        SendMessageW(SystemPaletteListenerWindow(), WM_SYSCOLORCHANGE, 0, 0);
        log = TPaletteLog{};
        changes.Take();
        ringBefore = Office11Colors().SelectionBorderColor;
        radioBefore = hotRadioRing();

        // The scheme changes behind the tables' back; the colour change brings them up to date
        // before anyone is told.
        styles.SetSchemeName(L"Metallic");
        SendMessageW(SystemPaletteListenerWindow(), WM_SYSCOLORCHANGE, 0, 0);
        lookAndFeelChanges = changes.Take();
        ringAfter = Office11Colors().SelectionBorderColor;
        radioAfter = hotRadioRing();
    }
    SendMessageW(SystemPaletteListenerWindow(), WM_SYSCOLORCHANGE, 0, 0);  // the classic images again
    EXPECT_EQ(log.order, (std::vector<std::string>{"primary 2", "primary 1", "plain 2", "plain 1"}));
    EXPECT_EQ(log.schemes, (std::vector<Byte>{3, 3, 3, 3}));
    // Once through its own notifier, once from the root, which heard it too.
    EXPECT_EQ(lookAndFeelChanges, (TChanges{{lfvNativeStyle}, {lfvNativeStyle}}));
    // The radio images were made again from the new colours.
    EXPECT_EQ(radioBefore, ringBefore);
    EXPECT_EQ(radioAfter, ringAfter);
    EXPECT_NE(ringAfter, ringBefore);
    EXPECT_EQ(hotRadioRing(), Office11Colors().SelectionBorderColor);
}

TEST(cxSystemPalette, TheWindowLivesWhileAnyNotifierDoes) {
    ASSERT_NE(SystemPaletteListenerWindow(), nullptr);  // the painters' and the root's
    HWND window = SystemPaletteListenerWindow();
    {
        TcxSystemPaletteChangedNotifier extra;
        EXPECT_EQ(SystemPaletteListenerWindow(), window);
    }
    EXPECT_TRUE(IsWindow(window));
    int calls = 0;
    auto notifier = std::make_unique<TcxSystemPaletteChangedNotifier>();
    struct TCounter {
        int* calls;
        void Changed() { ++*calls; }
    } counter{&calls};
    notifier->OnSystemPaletteChanged = MakeEvent(&counter, &TCounter::Changed);
    SendMessageW(window, WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(calls, 1);
}

}  // namespace
