// The stored layout of a bar manager: round trips through an INI form and the registry, layouts
// written by hand (an older program's "UserDefine" digit, more bars than the form has, any
// "Version"), items that joined the program after the layout was saved, the erasing of the
// manager's own sections, the resets from the start-up snapshot, and thousands of damaged
// layouts that must load or be ignored.

#include "BarTestSupport.h"

#include <random>

#include "IniFiles.h"
#include "Registry.h"
#include "StringList.h"
#include "dxBar.h"
#include "dxBarItemLinks.h"
#include "dxBarLayoutStorage.h"
#include "dxBarSubItem.h"

namespace {

// Records the resets and the layout handlers' calls.
class TLayoutRecorder : public TObject {
public:
    std::vector<std::string> log;
    TObject* expectedSender = nullptr;
    void BeforeReset(TObject*, TdxBar* bar) { log.push_back("before " + Utf8(bar->Caption())); }
    void AfterReset(TObject*, TdxBar* bar) { log.push_back("after " + Utf8(bar->Caption())); }
    void IniEvent(TObject* sender, const void* args) {
        auto* data = static_cast<const TdxBarIniFileEventData*>(args);
        log.push_back(std::to_string(data->StoringKind) + " " + Utf8(data->SectionPrefix) + " " +
                      Utf8(data->Delimiter) + (sender == expectedSender ? " manager" : " ?"));
    }
};

class BarLayoutStorage : public BarTest {
protected:
    void SetUp() override {
        BarTest::SetUp();
        form->SetName(L"fmMain");
        for (const wchar_t* name : {L"btnA", L"btnB", L"btnC", L"btnD"}) NewItem(name);
    }
    TdxBarItem* Item(const String& name) const { return manager->FindItemByName(name); }
    // A hidden bar (no window) with links to the named items.
    TdxBar* NewBar(const String& caption, std::initializer_list<const wchar_t*> items) {
        TdxBar* bar = manager->Bars()->Add();
        bar->SetVisible(false);
        bar->SetCaption(caption);
        for (const wchar_t* name : items) bar->ItemLinks()->AddItem(Item(name));
        return bar;
    }
    // The item names of the links, joined with spaces.
    static std::string Names(TdxBarItemLinks* links) {
        std::string result;
        for (int i = 0; i < links->Count(); ++i) {
            if (i) result += ' ';
            TdxBarItem* item = links->GetLink(i)->Item();
            result += item ? Utf8(item->Name()) : "-";
        }
        return result;
    }
    // An INI store holding the given lines.
    static std::unique_ptr<TMemIniFile> IniOf(std::initializer_list<const wchar_t*> lines) {
        auto ini = std::make_unique<TMemIniFile>(String());
        TStringList list;
        for (const wchar_t* line : lines) list.Add(line);
        ini->SetStrings(&list);
        return ini;
    }
    static std::vector<String> Sections(TCustomIniFile* ini) {
        TStringList list;
        ini->ReadSections(&list);
        std::vector<String> result;
        for (int i = 0; i < list.Count(); ++i) result.push_back(list[i]);
        return result;
    }
    String Prefix() const { return manager->MakeSectionPrefix(); }
};

TEST_F(BarLayoutStorage, ABarComesBackWithItsLinksInOrderAndTheirUserSettings) {
    TdxBar* bar = NewBar(L"Правка", {L"btnA", L"btnB", L"btnC"});
    TdxBarItemLinks* links = bar->ItemLinks();
    links->GetLink(1)->SetBeginGroup(true);
    links->GetLink(1)->SetUserCaption(L"Бэ");
    links->GetLink(2)->SetUserWidth(80);
    links->GetLink(2)->SetButtonGroup(bgpMember);
    links->GetLink(2)->SetPosition(ipContinuesRow);
    links->GetLink(0)->SetViewLevels({ivlSmallIcon});
    links->GetLink(0)->SetVisible(false);
    bar->SetDockedLeft(17);
    bar->SetFloatLeft(-40);
    bar->SetOneOnRow(true);

    TMemIniFile ini{String()};
    manager->SaveLayout(&ini, Prefix(), dxBarStoringKindIni);
    EXPECT_EQ(Prefix(), L"fmMain.dxBarManager.");
    EXPECT_EQ(ini.ReadString(L"fmMain.dxBarManager.Bar0.ItemLink1", L"ItemName", String()), L"btnB");
    EXPECT_EQ(ini.ReadInteger(L"fmMain.dxBarManager.Main", L"Version", 0), 42);
    EXPECT_EQ(ini.ReadInteger(L"fmMain.dxBarManager.Bar0", L"ItemLinkCount", 0), 3);

    // The user changes everything, then the stored layout comes back.
    links->Clear();
    links->AddItem(Item(L"btnD"));
    bar->SetDockedLeft(0);
    bar->SetFloatLeft(0);
    bar->SetOneOnRow(false);
    manager->LoadLayout(&ini, Prefix(), dxBarStoringKindIni);

    ASSERT_EQ(Names(links), "btnA btnB btnC");
    EXPECT_FALSE(links->GetLink(0)->StoredBeginGroup());
    EXPECT_TRUE(links->GetLink(1)->StoredBeginGroup());
    EXPECT_EQ(links->GetLink(1)->UserCaption(), L"Бэ");
    EXPECT_EQ(links->GetLink(1)->UserDefine(), TdxBarUserDefines{udCaption});
    EXPECT_EQ(links->GetLink(2)->UserWidth(), 80);
    EXPECT_EQ(links->GetLink(2)->ButtonGroup(), bgpMember);
    EXPECT_EQ(links->GetLink(2)->Position(), ipContinuesRow);
    EXPECT_EQ(links->GetLink(0)->ViewLevels(), TdxBarItemViewLevels{ivlSmallIcon});
    EXPECT_FALSE(links->GetLink(0)->Visible());
    EXPECT_TRUE(links->GetLink(1)->Visible());
    EXPECT_EQ(bar->DockedLeft(), 17);
    EXPECT_EQ(bar->FloatLeft(), -40);
    EXPECT_TRUE(bar->OneOnRow());
    EXPECT_FALSE(bar->Visible());
}

TEST_F(BarLayoutStorage, AHandWrittenLayoutIsReadWhateverItsVersion) {
    // Written as an older program wrote it: "UserDefine" as one decimal digit, item names in
    // another letter case, a link of an item the program no longer has.
    for (const wchar_t* version : {L"Version=42", L"Version=7", L"Version=abc", L""}) {
        TdxBar* bar = NewBar(L"Стандартная", {L"btnD"});
        auto ini = IniOf({L"[fmMain.dxBarManager.Main]", version, L"BarCount=1", L"[fmMain.dxBarManager.Bar0]",
                          L"Caption=Стандартная", L"Visible=0", L"ItemLinkCount=3",
                          L"[fmMain.dxBarManager.Bar0.ItemLink0]", L"ItemName=BTNC", L"UserDefine=5",
                          L"UserCaption=Цэ", L"UserPaintStyle=1", L"[fmMain.dxBarManager.Bar0.ItemLink1]",
                          L"ItemName=btnGone", L"[fmMain.dxBarManager.Bar0.ItemLink2]", L"ItemName=btnA",
                          L"BeginGroup=1", L"UserDefine=08", L"UserWidth=77"});
        manager->LoadLayout(ini.get(), Prefix(), dxBarStoringKindIni);
        TdxBarItemLinks* links = bar->ItemLinks();
        ASSERT_EQ(Names(links), "btnC btnA") << Utf8(version);
        EXPECT_EQ(links->GetLink(0)->UserDefine(), (TdxBarUserDefines{udCaption, udPaintStyle}));
        EXPECT_EQ(links->GetLink(0)->UserCaption(), L"Цэ");
        EXPECT_EQ(links->GetLink(0)->UserPaintStyle(), psCaption);
        EXPECT_EQ(links->GetLink(1)->UserDefine(), TdxBarUserDefines{udWidth});
        EXPECT_EQ(links->GetLink(1)->UserWidth(), 77);
        EXPECT_TRUE(links->GetLink(1)->StoredBeginGroup());
        delete bar;
    }
}

TEST_F(BarLayoutStorage, ItemsAddedAfterSavingKeepTheirDesignedPlaces) {
    TdxBar* bar = NewBar(L"Правка", {L"btnA", L"btnB", L"btnC"});
    TdxBarItemLinks* links = bar->ItemLinks();
    links->MoveLink(2, 0);  // the user's order: C A B
    TMemIniFile ini{String()};
    manager->SaveLayout(&ini, Prefix(), dxBarStoringKindIni);

    // The next version of the program: two new items, designed first and after A.
    NewItem(L"btnNew");
    NewItem(L"btnFirst");
    links->Clear();
    for (const wchar_t* name : {L"btnFirst", L"btnA", L"btnNew", L"btnB", L"btnC"}) links->AddItem(Item(name));
    manager->LoadLayout(&ini, Prefix(), dxBarStoringKindIni);
    EXPECT_EQ(Names(links), "btnFirst btnC btnA btnNew btnB");

    // A layout without an items list knows no new items: the stored links replace all.
    ini.EraseSection(L"fmMain.dxBarManager.Items");
    manager->LoadLayout(&ini, Prefix(), dxBarStoringKindIni);
    EXPECT_EQ(Names(links), "btnC btnA btnB");
}

TEST_F(BarLayoutStorage, BarCountsAddBarsOnlyAsFarAsTheirSectionsGo) {
    for (int i = 0; i < 3; ++i) NewBar(L"Панель " + IntToStr(i), {});
    struct Case {
        const wchar_t* count;
        int bars;
    } cases[] = {{L"BarCount=5", 5}, {L"BarCount=2000000000", 5}, {L"BarCount=0", 5}, {L"BarCount=-3", 5}};
    for (const Case& c : cases) {
        auto ini = IniOf({L"[fmMain.dxBarManager.Main]", c.count, L"[fmMain.dxBarManager.Bar0]", L"Caption=Первая",
                          L"[fmMain.dxBarManager.Bar1]", L"Row=1", L"[fmMain.dxBarManager.Bar2]", L"Visible=0",
                          L"[fmMain.dxBarManager.Bar3]",
                          L"Caption=Четвёртая", L"ItemLinkCount=2000000000", L"[fmMain.dxBarManager.Bar3.ItemLink0]",
                          L"ItemName=btnA", L"[fmMain.dxBarManager.Bar4]", L"Caption=Пятая", L"DockingStyle=200",
                          L"Row=-5"});
        manager->LoadLayout(ini.get(), Prefix(), dxBarStoringKindIni);
        ASSERT_EQ(manager->Bars()->Count(), c.bars) << Utf8(c.count);
    }
    EXPECT_EQ(manager->Bars()->Items(0)->Caption(), L"Первая");
    EXPECT_EQ(manager->Bars()->Items(4)->Caption(), L"Пятая");
    EXPECT_EQ(Names(manager->Bars()->Items(3)->ItemLinks()), "btnA");
    // An enumeration value outside its type leaves the current one.
    EXPECT_EQ(manager->Bars()->Items(4)->DockingStyle(), dsNone);
    EXPECT_EQ(manager->Bars()->Items(4)->Row(), 0);
}

TEST_F(BarLayoutStorage, SavingTwiceLeavesOneSetOfTheManagersSectionsAndKeepsOthers) {
    NewBar(L"Правка", {L"btnA", L"btnB"});
    auto ini = IniOf({L"[fmOther.dxBarManager.Main]", L"BarCount=1", L"[fmMain.dxBarManager.Bar7]", L"Caption=Старая",
                      L"[fmMain.dxBarManager.Bar7.ItemLink0]", L"ItemName=btnA", L"[Settings]", L"Theme=Dark"});
    manager->SaveLayout(ini.get(), Prefix(), dxBarStoringKindIni);
    std::vector<String> first = Sections(ini.get());
    manager->SaveLayout(ini.get(), Prefix(), dxBarStoringKindIni);
    EXPECT_EQ(Sections(ini.get()), first);
    EXPECT_FALSE(ini->SectionExists(L"fmMain.dxBarManager.Bar7"));
    EXPECT_FALSE(ini->SectionExists(L"fmMain.dxBarManager.Bar7.ItemLink0"));
    EXPECT_TRUE(ini->SectionExists(L"fmOther.dxBarManager.Main"));
    EXPECT_EQ(ini->ReadString(L"Settings", L"Theme", String()), L"Dark");
    EXPECT_TRUE(ini->SectionExists(L"fmMain.dxBarManager.Bar0.ItemLink1"));
}

TEST_F(BarLayoutStorage, AnIniFileOnDiskKeepsWhatOthersWroteAndAnEmptyNameStoresNothing) {
    NewBar(L"Правка", {L"btnA", L"btnB"});
    String path = L"layout-test.ini";
    DeleteFileW(path.c_str());
    {
        TMemIniFile other(path);
        other.WriteString(L"Editor", L"LastLevel", L"E1M1");
        other.UpdateFile();
    }
    manager->SaveToIniFile(path);
    manager->SaveToIniFile(String());
    manager->Bars()->Items(0)->ItemLinks()->Clear();
    manager->LoadFromIniFile(path);
    EXPECT_EQ(Names(manager->Bars()->Items(0)->ItemLinks()), "btnA btnB");
    TMemIniFile check(path);
    EXPECT_EQ(check.ReadString(L"Editor", L"LastLevel", String()), L"E1M1");
    DeleteFileW(path.c_str());
}

TEST_F(BarLayoutStorage, TheOwnerFormGoingSavesTheLayoutWhereTheManagerStoresIt) {
    NewBar(L"Правка", {L"btnB", L"btnA"});
    String path = L"layout-destroy-test.ini";
    DeleteFileW(path.c_str());
    manager->SetIniFileName(path);
    manager->SetStoreInIniFile(true);
    form->HandleNeeded();
    form.reset();
    manager = nullptr;
    TMemIniFile check(path);
    EXPECT_EQ(check.ReadString(L"fmMain.dxBarManager.Bar0", L"Caption", String()), L"Правка");
    EXPECT_EQ(check.ReadString(L"fmMain.dxBarManager.Bar0.ItemLink0", L"ItemName", String()), L"btnB");
    DeleteFileW(path.c_str());
}

TEST_F(BarLayoutStorage, TheRegistryKeepsTheLayoutUnderItsPathWithUserGlyphs) {
    const String path = L"Software\\ZarnikTests\\BarLayout";
    TdxBar* bar = NewBar(L"Правка", {L"btnA", L"btnB", L"btnC"});
    TdxBarItemLinks* links = bar->ItemLinks();
    links->GetLink(2)->SetBeginGroup(true);
    TBitmap glyph(2, 2, pf24bit);
    glyph.Canvas()->SetPixels(1, 0, clRed);
    links->GetLink(0)->SetUserGlyph(&glyph);
    manager->SaveToRegistry(path);

    TRegistry registry;
    ASSERT_TRUE(registry.OpenKeyReadOnly(L"\\Software\\ZarnikTests\\BarLayout\\Bar0\\ItemLink1"));
    EXPECT_EQ(registry.ReadString(L"ItemName"), L"btnB");
    registry.CloseKey();

    links->Clear();
    manager->LoadFromRegistry(path);
    ASSERT_EQ(Names(links), "btnA btnB btnC");
    EXPECT_TRUE(links->GetLink(2)->StoredBeginGroup());
    ASSERT_TRUE(links->GetLink(0)->UserDefine().Contains(udGlyph));
    EXPECT_EQ(links->GetLink(0)->UserGlyph()->Canvas()->Pixels(1, 0), clRed);

    // Saving again erases the old tree first: a bar gone from the manager leaves no section.
    NewBar(L"Вторая", {L"btnD"});
    manager->SaveToRegistry(path);
    delete manager->Bars()->Items(1);
    manager->SaveToRegistry(path);
    EXPECT_FALSE(registry.KeyExists(L"\\Software\\ZarnikTests\\BarLayout\\Bar1"));
    registry.DeleteKey(L"\\Software\\ZarnikTests");
}

TEST_F(BarLayoutStorage, ABarResetsToTheStartupSnapshotAndItsSubMenusWithIt) {
    auto* sub = new TdxBarSubItem(form.get());
    sub->SetName(L"subTools");
    sub->ItemLinks()->AddItem(Item(L"btnC"));
    sub->ItemLinks()->AddItem(Item(L"btnD"));
    TdxBar* bar = NewBar(L"Правка", {L"btnA", L"subTools"});
    TdxBar* other = NewBar(L"Другая", {L"btnB"});
    manager->SaveStartupState();
    ASSERT_NE(manager->StartupState(), nullptr);
    EXPECT_EQ(manager->FindSavedBarByCaption(L"Другая"), 1);
    EXPECT_EQ(manager->FindSavedBarByCaption(L"другая"), -1);

    bar->ItemLinks()->Clear();
    bar->ItemLinks()->AddItem(Item(L"btnB"));
    sub->ItemLinks()->Clear();
    other->ItemLinks()->Clear();
    TLayoutRecorder resets;
    std::vector<std::string>& log = resets.log;
    manager->OnBarBeforeReset = MakeEvent(&resets, &TLayoutRecorder::BeforeReset);
    manager->OnBarAfterReset = MakeEvent(&resets, &TLayoutRecorder::AfterReset);
    bar->Reset();
    EXPECT_EQ(Names(bar->ItemLinks()), "btnA subTools");
    EXPECT_EQ(Names(sub->ItemLinks()), "btnC btnD");
    EXPECT_EQ(Names(other->ItemLinks()), "");
    EXPECT_EQ(log, (std::vector<std::string>{"before Правка", "after Правка"}));

    // A caption the snapshot does not know resets nothing.
    other->SetCaption(L"Переименованная");
    log.clear();
    other->Reset();
    EXPECT_EQ(Names(other->ItemLinks()), "");
    EXPECT_TRUE(log.empty());
}

TEST_F(BarLayoutStorage, TheUsageResetPutsBackTheStartupRecentFlags) {
    auto* sub = new TdxBarSubItem(form.get());
    sub->SetName(L"subView");
    for (const wchar_t* name : {L"btnA", L"btnB", L"btnC"}) sub->ItemLinks()->AddItem(Item(name));
    sub->ItemLinks()->GetLink(1)->SetMostRecentlyUsed(false);
    manager->SaveStartupState();
    EXPECT_FALSE(manager->StartupState()->ReadBool(L"fmMain.dxBarManager.SubItem_subView.ItemLink1",
                                                   L"MostRecentlyUsed", true));
    for (int i = 0; i < 3; ++i) sub->ItemLinks()->GetLink(i)->SetMostRecentlyUsed(i != 0);
    manager->ResetUsageData();
    EXPECT_TRUE(sub->ItemLinks()->GetLink(0)->MostRecentlyUsed());
    EXPECT_FALSE(sub->ItemLinks()->GetLink(1)->MostRecentlyUsed());
    EXPECT_TRUE(sub->ItemLinks()->GetLink(2)->MostRecentlyUsed());
    // A layout saved outside the snapshot writes no recent flag.
    TMemIniFile ini{String()};
    manager->SaveLayout(&ini, Prefix(), dxBarStoringKindIni);
    EXPECT_FALSE(ini.ValueExists(L"fmMain.dxBarManager.SubItem_subView.ItemLink1", L"MostRecentlyUsed"));
}

TEST_F(BarLayoutStorage, TheReadAndWriteHandlersGetTheStoreAndItsNames) {
    TLayoutRecorder handlers;
    handlers.expectedSender = manager;
    TcxEventHandler handler = MakeEvent(&handlers, &TLayoutRecorder::IniEvent);
    manager->WriteIniFileHandlers()->AddHandler(handler);
    manager->ReadIniFileHandlers()->AddHandler(handler);
    TMemIniFile ini{String()};
    manager->SaveLayout(&ini, Prefix(), dxBarStoringKindIni);
    manager->LoadLayout(&ini, L"\\Software\\X\\", dxBarStoringKindRegistry);
    EXPECT_EQ(handlers.log,
              (std::vector<std::string>{"0 fmMain.dxBarManager. . manager", "1 \\Software\\X\\ \\ manager"}));
}

TEST_F(BarLayoutStorage, DamagedLayoutsLoadOrAreIgnored) {
    auto* sub = new TdxBarSubItem(form.get());
    sub->SetName(L"subTools");
    sub->ItemLinks()->AddItem(Item(L"btnC"));
    TdxBar* bar = NewBar(L"Правка", {L"btnA", L"btnB", L"subTools"});
    bar->ItemLinks()->GetLink(1)->SetUserCaption(L"Бэ");
    NewBar(L"Вторая", {L"btnD"});
    TMemIniFile saved{String()};
    manager->SaveLayout(&saved, Prefix(), dxBarStoringKindIni);
    TStringList lines;
    saved.GetStrings(&lines);
    ASSERT_GT(lines.Count(), 20);

    const wchar_t* values[] = {L"2000000000", L"-1", L"-2147483648", L"255", L"7", L"x", L"", L"0x7FFFFFFF",
                               L"1",          L"0",  L"subTools",    L"fmMain.dxBarManager", L"FF00", L"5"};
    std::mt19937 random(38);
    auto pick = [&](size_t n) { return size_t(random() % n); };
    for (int round = 0; round < 10000; ++round) {
        TStringList mutated;
        mutated.Assign(&lines);
        for (int change = 0, changes = 1 + int(pick(3)); change < changes; ++change) {
            int index = int(pick(size_t(mutated.Count())));
            String line = mutated[index];
            size_t eq = line.find(L'=');
            switch (pick(4)) {
                case 0:
                    mutated.Delete(index);
                    break;
                case 1:
                    if (eq != String::npos) mutated[index] = line.substr(0, eq + 1) + values[pick(std::size(values))];
                    break;
                case 2:
                    mutated.Insert(index, mutated[int(pick(size_t(mutated.Count())))]);
                    break;
                default:
                    if (line.size() > 2 && line[0] == L'[') mutated[index] = line.substr(0, line.size() - 2) + L"9]";
            }
            if (mutated.Count() == 0) break;
        }
        TMemIniFile ini{String()};
        ini.SetStrings(&mutated);
        ASSERT_NO_THROW(manager->LoadLayout(&ini, Prefix(), dxBarStoringKindIni)) << round;
        // No section to read makes no bar; links are the stored ones and those of items the
        // damaged list does not name.
        ASSERT_LE(manager->Bars()->Count(), 2) << round;
        for (int i = 0; i < manager->Bars()->Count(); ++i)
            ASSERT_LE(manager->Bars()->Items(i)->ItemLinks()->Count(), 6) << round;
        ASSERT_LE(sub->ItemLinks()->Count(), 2) << round;
        manager->LoadLayout(&saved, Prefix(), dxBarStoringKindIni);
    }
    // The undamaged layout still loads as saved.
    manager->LoadLayout(&saved, Prefix(), dxBarStoringKindIni);
    EXPECT_EQ(Names(manager->Bars()->Items(0)->ItemLinks()), "btnA btnB subTools");
    EXPECT_EQ(Names(sub->ItemLinks()), "btnC");
}

}  // namespace
