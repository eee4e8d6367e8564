// The font-name combo: its list against the system's own enumeration of the screen's families
// (each family once, the TrueType mark where the system says TrueType), the marks drawn in the
// list, and, while edited, a typed name completed to its family or refused when no family
// shares its first letter; the font dialog presets the name and a confirmed choice becomes Text.

#include "../bars/EditControlTestWindow.h"

#include <map>

#include "CommonDialogs.h"
#include "Printers.h"
#include "ExtItemsTesting.h"
#include "dxBarComboControl.h"
#include "dxBarDropDownListBox.h"
#include "dxBarExtItemsShared.h"
#include "dxBarFontNameCombo.h"
#include "dxBarItemLinks.h"

namespace {

// Every face the system enumerates for all character sets, with how often and whether TrueType.
struct TEnumeratedFace {
    int times = 0;
    bool trueType = false;
};

int CALLBACK CountFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM data) {
    auto& faces = *reinterpret_cast<std::map<String, TEnumeratedFace>*>(data);
    TEnumeratedFace& face = faces[String(font->lfFaceName)];
    ++face.times;
    face.trueType = (type & TRUETYPE_FONTTYPE) != 0;
    return 1;
}

// The combo's rule, done here on its own: the default printer's families when a printer's
// context can be had, else the screen's.
std::map<String, TEnumeratedFace> EnumeratedFaces() {
    std::map<String, TEnumeratedFace> faces;
    HDC printer = nullptr;
    try {
        if (Printer()->Printers()->Count() > 0) printer = Printer()->Handle();
    } catch (const Exception&) {
    }
    HDC dc = printer ? printer : GetDC(nullptr);
    LOGFONTW all{};
    all.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(dc, &all, &CountFace, LPARAM(&faces), 0);
    if (!printer) ReleaseDC(nullptr, dc);
    return faces;
}

TEST(BarFontNameComboList, HoldsEachFamilyOnceWithTheTrueTypeMarkTheSystemReports) {
    const auto faces = EnumeratedFaces();
    ASSERT_FALSE(faces.empty());
    TdxBarFontNameCombo combo(nullptr);
    TStrings* items = combo.Items();
    EXPECT_EQ(items->Count(), int(faces.size()));
    bool severalCharsets = false, someTrueType = false;
    for (const auto& [name, face] : faces) {
        const int index = items->IndexOf(name);
        ASSERT_GE(index, 0) << Utf8(name);
        EXPECT_EQ(TdxBarFontNameCombo::IsTrueTypeEntry(items->Objects(index)), face.trueType) << Utf8(name);
        severalCharsets = severalCharsets || face.times > 1;
        someTrueType = someTrueType || face.trueType;
    }
    // The fixture shows what it claims: a family enumerated more than once, and a TrueType one.
    EXPECT_TRUE(severalCharsets);
    EXPECT_TRUE(someTrueType);
    EXPECT_EQ(combo.GetWidth(), 160);
    EXPECT_EQ(combo.DropDownCount(), 12);
    EXPECT_FALSE(combo.ShowEditor());
}

class BarFontNameComboControl : public EditControlTest {
protected:
    void SetUp() override {
        EditControlTest::SetUp();
        EnsureItemRegistered(TdxBarFontNameCombo::StaticClass(), TdxBarComboControl::StaticClass());
        combo = static_cast<TdxBarFontNameCombo*>(manager->AddItem(TdxBarFontNameCombo::StaticClass()));
        combo->SetShowEditor(true);
        combo->SetText(combo->Items()->Strings(0));
        combo->OnChange = MakeEvent(static_cast<EditControlTest*>(this), &EditControlTest::Changed);
        ShowWindowWith({combo});
        control = dynamic_cast<TdxBarComboControl*>(LinkOf(combo)->Control());
        ASSERT_NE(control, nullptr);
    }
    void TypeAndEnter(const String& text) {
        ClickAt(ScreenCentre(control->EditPart(0)));
        ASSERT_TRUE(PumpUntil([&] { return control->Focused(); }));
        TypeText(text);
        ASSERT_TRUE(PumpUntil([&] { return ReadEditor(control) == text; }));
        TypeKey(VK_RETURN);
        ASSERT_TRUE(PumpUntil([&] { return !control->Focused(); }));
    }

    TdxBarFontNameCombo* combo = nullptr;
    TdxBarComboControl* control = nullptr;
};

TEST_F(BarFontNameComboControl, ATypedNameIsCompletedToItsFamilyOrRefused) {
    const String first = combo->Items()->Strings(0);
    // A family other than the first, and the shortest start of its name no other family shares.
    TStrings* items = combo->Items();
    String family, start;
    for (int i = 1; i < items->Count() && family.empty(); ++i) {
        const String name = items->Strings(i);
        if (name[0] == L'@') continue;
        for (size_t length = 3; length < name.size() && family.empty(); ++length) {
            int sharing = 0;
            for (int j = 0; j < items->Count(); ++j)
                if (SameText(items->Strings(j).substr(0, length), name.substr(0, length))) ++sharing;
            if (sharing == 1) family = name, start = name.substr(0, length);
        }
    }
    ASSERT_FALSE(family.empty());
    TypeAndEnter(AnsiLowerCase(start));
    EXPECT_EQ(combo->GetText(), family);
    EXPECT_EQ(changes, 1);
    // No family begins with a digit: refused without a change.
    TypeAndEnter(L"1zq");
    EXPECT_EQ(combo->GetText(), family);
    EXPECT_EQ(changes, 1);
    // Outside editing any text is stored as it is.
    combo->SetText(L"1zq");
    EXPECT_EQ(combo->GetText(), L"1zq");
}

TEST_F(BarFontNameComboControl, TheListShowsTheMarksAndTheDialogSetsTheChosenName) {
    ClickAt(ScreenCentre(control->EditPart(3)));
    HWND list = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        list = combo->ListBox()->HandleAllocated() ? combo->ListBox()->Handle() : nullptr;
        return list && IsWindowVisible(list);
    }));
    PumpUntilIdle();
    {
        TControlSnapshot shot(list);
        const TRect entry = combo->ListBox()->ItemRect(combo->ListBox()->ItemIndex());
        // The entry's mark at its left (a dark T for TrueType, a red A else); no magenta shows.
        const TRect mark{entry.left, entry.top, entry.left + 13, entry.bottom};
        const bool trueType = TdxBarFontNameCombo::IsTrueTypeEntry(combo->Items()->Objects(combo->ItemIndex()));
        EXPECT_GT(CountColor(shot, mark, TColor(trueType ? RGB(40, 40, 40) : RGB(170, 30, 30))), 6);
        EXPECT_EQ(CountColor(shot, mark, TColor(RGB(255, 0, 255))), 0);
    }
    TypeKey(VK_ESCAPE);
    PumpUntil([&] { return !control->Focused(); });

    String preset;
    TDialogButtonPresser ok(IDOK, [&](HWND) { preset = dxBarFontDialog()->Font()->Name(); });
    combo->DirectClick();
    EXPECT_TRUE(ok.Pressed());
    EXPECT_EQ(preset, combo->Items()->Strings(0));
    EXPECT_EQ(combo->GetText(), dxBarFontDialog()->Font()->Name());
}

}  // namespace
