// Framed combo boxes on real forms: incremental search and auto-completion with real keys, the
// wheel at the ends, read-only boxes, the drop-down width, entries not in the list, values, the
// colours and frame, and the image combo's entries.

#include <gtest/gtest.h>

#include <memory>

#include "Bitmap.h"
#include "Brush.h"
#include "Canvas.h"
#include "ControlSnapshot.h"
#include "ControlTesting.h"
#include "ControlsUnits.h"
#include "MutationSupport.h"
#include "RzComboBox.h"
#include "RzImageComboBox.h"
#include "SysUtils.h"
#include "WindowTesting.h"

namespace {

// A combo box that counts its invalid keys instead of beeping, and its clicks and changes.
class TSpyCombo : public TRzComboBox {
public:
    explicit TSpyCombo(TComponent* owner) : TRzComboBox(owner) {}
    int beeps = 0, clicks = 0, changes = 0;

protected:
    void InvalidKeyPressed() override { ++beeps; }
    void DoClick() override {
        ++clicks;
        TRzComboBox::DoClick();
    }
    void Change() override {
        ++changes;
        TRzComboBox::Change();
    }
};

class ComboBoxTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        InitializeControlsUnits();
        SetComboSearchInterval(1500);
        form.reset(NewShownForm(360, 240));
    }
    void TearDown() override {
        SetComboSearchInterval(1500);
        form.reset();
        WindowTest::TearDown();
    }
    TSpyCombo* NewCombo(TComboBoxStyle style, std::initializer_list<const wchar_t*> items, int top = 10) {
        auto* c = new TSpyCombo(form.get());
        c->SetStyle(style);
        c->SetParent(form.get());
        c->SetBounds(10, top, 160, 24);
        for (const wchar_t* item : items) c->Items()->Add(item);
        return c;
    }
    void Focus(TWinControl* c) {
        PumpUntilIdle();
        c->SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return c->Focused(); }));
    }
    void Reset(TSpyCombo* c) { c->beeps = c->clicks = c->changes = 0; }
    // A client pixel as the screen shows it after a full repaint (the frame is drawn on paint).
    static TColor ClientPixel(TWinControl* c, int x, int y) {
        RedrawWindow(c->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        HDC dc = GetDC(c->Handle());
        TColor color = TColor(GetPixel(dc, x, y));
        ReleaseDC(c->Handle(), dc);
        return color;
    }
    std::unique_ptr<TForm> form;
};

}  // namespace

TEST_F(ComboBoxTest, IncrementalSearchInADropDownListFollowsTheTypedLetters) {
    TSpyCombo* c = NewCombo(csDropDownList, {L"alpha", L"abacus", L"abbey", L"beta", L"cab", L"carrot"});
    SetComboSearchInterval(60000);
    Focus(c);
    TypeText(L"ab");
    ASSERT_TRUE(PumpUntil([&] { return c->SearchString() == L"ab"; }));
    EXPECT_EQ(c->ItemIndex(), 1);
    EXPECT_EQ(c->clicks, 2);
    EXPECT_EQ(c->changes, 2);
    // No entry begins with "abz": a beep, nothing else changes.
    Reset(c);
    TypeText(L"z");
    ASSERT_TRUE(PumpUntil([&] { return c->beeps == 1; }));
    EXPECT_EQ(c->ItemIndex(), 1);
    EXPECT_EQ(c->SearchString(), L"ab");
    EXPECT_EQ(c->clicks + c->changes, 0);
    // After the interval a new search starts.
    SetComboSearchInterval(300);
    TypeText(L"b");
    ASSERT_TRUE(PumpUntil([&] { return c->ItemIndex() == 2; }));
    ASSERT_TRUE(PumpUntil([&] { return c->SearchString().empty(); }));
    TypeText(L"c");
    ASSERT_TRUE(PumpUntil([&] { return c->ItemIndex() == 4; }));
    EXPECT_EQ(c->SearchString(), L"c");

    // Backspace: the shortened search selects again; emptied, the first entry; on an empty
    // search, a beep and the first entry.
    SetComboSearchInterval(60000);
    TypeKey(VK_END);  // a navigation key ends the search
    ASSERT_TRUE(PumpUntil([&] { return c->ItemIndex() == 5 && c->SearchString().empty(); }));
    TypeText(L"abb");
    ASSERT_TRUE(PumpUntil([&] { return c->SearchString() == L"abb"; }));
    EXPECT_EQ(c->ItemIndex(), 2);
    struct Step {
        const wchar_t* search;
        int index;
    } steps[] = {{L"ab", 1}, {L"a", 0}, {L"", 0}};
    for (const Step& s : steps) {
        Reset(c);
        TypeKey(VK_BACK);
        ASSERT_TRUE(PumpUntil([&] { return c->SearchString() == s.search && c->clicks == 1; }))
            << "\"" << s.search << "\"";
        EXPECT_EQ(c->ItemIndex(), s.index);
        EXPECT_EQ(c->beeps, 0);
    }
    c->SetItemIndex(2);
    Reset(c);
    TypeKey(VK_BACK);
    ASSERT_TRUE(PumpUntil([&] { return c->beeps == 1; }));
    PumpUntilIdle();
    EXPECT_EQ(c->beeps, 1);
    EXPECT_EQ(c->ItemIndex(), 0);  // the empty search selects the first entry
}

TEST_F(ComboBoxTest, AutoCompletionWithRealKeys) {
    TSpyCombo* c = NewCombo(csDropDown, {L"Newark", L"New York", L"Boston"});
    c->Items()->Move(1, 0);  // "New York" first
    ASSERT_EQ(c->Items()->Strings(0), L"New York");
    Focus(c);
    TypeText(L"ne");
    ASSERT_TRUE(PumpUntil([&] { return c->SearchString() == L"ne"; }));
    EXPECT_EQ(c->Text(), L"New York");
    EXPECT_EQ(c->SelStart(), 2);
    EXPECT_EQ(c->SelLength(), 6);
    EXPECT_EQ(c->ItemIndex(), 0);

    // KeepSearchCase: the typed letters stay as typed.
    TSpyCombo* k = NewCombo(csDropDown, {L"New York", L"Boston"}, 50);
    k->SetKeepSearchCase(true);
    Focus(k);
    TypeText(L"ne");
    ASSERT_TRUE(PumpUntil([&] { return k->SearchString() == L"ne"; }));
    EXPECT_EQ(k->Text(), L"new York");
    EXPECT_EQ(k->SelStart(), 2);
    EXPECT_EQ(k->SelLength(), 6);

    // Without AllowEdit a letter that completes nothing is dropped with a beep, and Delete only
    // takes a text chosen whole.
    TSpyCombo* strict = NewCombo(csDropDown, {L"New York", L"Boston"}, 90);
    strict->SetAllowEdit(false);
    Focus(strict);
    TypeText(L"bx");
    ASSERT_TRUE(PumpUntil([&] { return strict->beeps == 1; }));
    EXPECT_EQ(strict->Text(), L"Boston");
    TypeKey(VK_DELETE);
    PumpUntilIdle();
    EXPECT_EQ(strict->Text(), L"Boston");
    strict->SelectAll();
    TypeKey(VK_DELETE);
    EXPECT_TRUE(PumpUntil([&] { return strict->Text().empty(); }));

    // A paste completes like typing; without AllowEdit it is refused.
    auto clip = [](const wchar_t* text) {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
        HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, bytes);
        memcpy(GlobalLock(data), text, bytes);
        GlobalUnlock(data);
        SetClipboardData(CF_UNICODETEXT, data);
        CloseClipboard();
    };
    clip(L"Bos");
    TypeChord({VK_CONTROL, 'V'});
    PumpUntilIdle();
    EXPECT_EQ(strict->Text(), L"");
    TSpyCombo* paste = NewCombo(csDropDown, {L"New York", L"Boston"}, 130);
    Focus(paste);
    TypeChord({VK_CONTROL, 'V'});
    ASSERT_TRUE(PumpUntil([&] { return paste->Text() == L"Boston"; }));
    EXPECT_EQ(paste->SelStart(), 3);
    EXPECT_EQ(paste->SelLength(), 3);
    paste->SetText(L"");
    paste->Perform(WM_PASTE);
    EXPECT_EQ(paste->Text(), L"Boston");

    // A cut takes the selection to the clipboard and what is left completes like typing; without
    // AllowEdit it is refused, the text and the clipboard untouched.
    auto clipText = [] {
        String text;
        if (!OpenClipboard(nullptr)) return text;
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            text = static_cast<const wchar_t*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
        return text;
    };
    paste->SetText(L"New York");
    paste->SetSelStart(0);
    paste->SetSelLength(4);
    TypeChord({VK_CONTROL, 'X'});
    ASSERT_TRUE(PumpUntil([&] { return paste->Text() == L"York"; }));
    EXPECT_EQ(clipText(), L"New ");
    EXPECT_EQ(paste->SearchString(), L"York");
    paste->SetText(L"Boston");
    paste->SetSelStart(3);
    paste->SetSelLength(3);
    TypeChord({VK_CONTROL, 'X'});
    ASSERT_TRUE(PumpUntil([&] { return clipText() == L"ton"; }));
    PumpUntilIdle();
    EXPECT_EQ(paste->Text(), L"Boston");  // "Bos" completes to the entry again
    EXPECT_EQ(paste->SelStart(), 3);
    EXPECT_EQ(paste->SelLength(), 3);
    Focus(strict);
    strict->SetText(L"Boston");
    strict->SelectAll();
    TypeChord({VK_CONTROL, 'X'});
    PumpUntilIdle();
    strict->Perform(WM_CUT);
    EXPECT_EQ(strict->Text(), L"Boston");
    EXPECT_EQ(clipText(), L"ton");
}

TEST_F(ComboBoxTest, TheWheelKeepsTheEndEntriesWithoutEvents) {
    TSpyCombo* c = NewCombo(csDropDownList, {L"one", L"two", L"three"});
    Focus(c);
    TPoint over = c->ClientToScreen(TPoint{20, 10});
    MoveMouseTo(over);
    c->SetItemIndex(2);
    Reset(c);
    WheelBy(-WHEEL_DELTA);
    PumpUntilIdle();
    EXPECT_EQ(c->ItemIndex(), 2);
    EXPECT_EQ(c->clicks + c->changes, 0);
    WheelBy(WHEEL_DELTA);
    ASSERT_TRUE(PumpUntil([&] { return c->ItemIndex() == 1; }));
    EXPECT_EQ(c->clicks, 1);
    EXPECT_EQ(c->changes, 1);
    c->SetItemIndex(0);
    Reset(c);
    WheelBy(WHEEL_DELTA);
    PumpUntilIdle();
    EXPECT_EQ(c->ItemIndex(), 0);
    EXPECT_EQ(c->clicks + c->changes, 0);
    c->SetItemIndex(-1);
    WheelBy(WHEEL_DELTA);
    ASSERT_TRUE(PumpUntil([&] { return c->ItemIndex() == 0; }));
    EXPECT_EQ(c->clicks + c->changes, 0);

    // Read-only: keys, clicks and the wheel change nothing.
    c->SetReadOnly(true);
    Reset(c);
    TypeText(L"t");
    TypeKey(VK_DOWN);
    WheelBy(-WHEEL_DELTA);
    ClickAt(c->ClientToScreen(TPoint{150, 10}));
    PumpUntilIdle();
    EXPECT_EQ(c->ItemIndex(), 0);
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(c->clicks + c->changes, 0);
    EXPECT_EQ(c->Color(), c->FocusColor());
}

TEST_F(ComboBoxTest, TheDropDownListIsAsWideAsItsWidestEntry) {
    TSpyCombo* c = NewCombo(csDropDownList, {});
    for (int i = 0; i < 20; ++i) c->Items()->Add(String(size_t(i + 5), L'W'));
    PumpUntilIdle();
    c->SetDroppedDown(true);
    ASSERT_TRUE(PumpUntil([&] { return c->DroppedDown(); }));
    c->Canvas()->SetFont(c->Font());
    int widest = c->Canvas()->TextWidth(String(24, L'W'));
    int expected = std::max(widest + GetSystemMetrics(SM_CXVSCROLL) + 8, c->Width());
    EXPECT_EQ(c->ActualDropDownWidth(), expected);
    EXPECT_EQ(int(SendMessageW(c->Handle(), CB_GETDROPPEDWIDTH, 0, 0)), expected);
    c->SetDroppedDown(false);
    // Few short entries: the combo's own width.
    TSpyCombo* narrow = NewCombo(csDropDownList, {L"a", L"b"}, 60);
    PumpUntilIdle();
    narrow->SetDroppedDown(true);
    ASSERT_TRUE(PumpUntil([&] { return narrow->DroppedDown(); }));
    EXPECT_EQ(narrow->ActualDropDownWidth(), narrow->Width());
    narrow->SetDroppedDown(false);
    narrow->SetDropDownWidth(300);
    narrow->SetDroppedDown(true);
    ASSERT_TRUE(PumpUntil([&] { return narrow->DroppedDown(); }));
    EXPECT_EQ(narrow->ActualDropDownWidth(), 300);
    narrow->SetDroppedDown(false);
}

TEST_F(ComboBoxTest, NotInListOnlyForANonEmptyUnknownTextOnLeaving) {
    TSpyCombo* c = NewCombo(csDropDown, {L"red", L"green"});
    TSpyCombo* other = NewCombo(csDropDownList, {L"x"}, 60);
    TClickCount notInList;
    c->OnNotInList = MakeEvent(&notInList, &TClickCount::Click);
    struct Case {
        const wchar_t* text;
        int reports;
    } cases[] = {{L"purple", 1}, {L"", 0}, {L"green", 0}};
    for (const Case& k : cases) {
        notInList.clicks = 0;
        Focus(c);
        c->SetTextWithoutCompletion(k.text);
        Focus(other);
        EXPECT_EQ(notInList.clicks, k.reports) << Utf8(k.text);
    }
}

TEST_F(ComboBoxTest, ValuesStandForTheirEntries) {
    TSpyCombo* c = NewCombo(csDropDownList, {L"Red", L"Green", L"Blue"});
    c->Values()->Add(L"#f00");
    c->Values()->Add(L"");
    c->Values()->Add(L"#00f");
    EXPECT_EQ(c->GetItemValue(0), L"#f00");
    EXPECT_EQ(c->GetItemValue(1), L"Green");  // an empty value stands for the entry's text
    EXPECT_EQ(c->GetItemValue(7), L"");
    c->SetValue(L"#00f");
    EXPECT_EQ(c->ItemIndex(), 2);
    EXPECT_EQ(c->GetValue(), L"#00f");
    c->SetValue(L"Green");
    EXPECT_EQ(c->ItemIndex(), 1);
    EXPECT_EQ(c->GetValue(), L"Green");
    c->SetValue(L"none");
    EXPECT_EQ(c->ItemIndex(), -1);
    // A change of the values applies the value again.
    c->SetItemIndex(0);
    c->Values()->Strings(0);
    c->Values()->Put(0, L"#ff0000");
    EXPECT_EQ(c->GetValue(), L"#ff0000");
    // An edit style takes the value of the typed entry.
    TSpyCombo* e = NewCombo(csDropDown, {L"Red", L"Green"}, 60);
    e->Values()->Add(L"#f00");
    e->SetTextWithoutCompletion(L"Red");
    EXPECT_EQ(e->GetValue(), L"#f00");
    e->SetTextWithoutCompletion(L"Other");
    EXPECT_EQ(e->GetValue(), L"Other");
}

TEST_F(ComboBoxTest, ColoursFollowTheStateAndTheFrameHotTracks) {
    TSpyCombo* c = NewCombo(csDropDownList, {L"a"});
    TSpyCombo* other = NewCombo(csDropDownList, {L"b"}, 60);
    c->SetFocusColor(clYellow);
    c->SetReadOnlyColor(clAqua);
    c->SetDisabledColor(clSilver);
    c->SetFramingPreference(fpCustomFraming);
    c->SetFrameHotTrack(true);
    c->SetFrameColor(clBlue);
    c->SetFrameHotColor(clRed);
    SetCursorPos(340, 230);
    Focus(other);
    ASSERT_TRUE(PumpUntil([&] { return !c->OverControl(); }));
    EXPECT_EQ(c->Color(), clWindow);
    EXPECT_EQ(ClientPixel(c, 0, 10), RgbOf(clBlue));
    Focus(c);
    EXPECT_EQ(c->Color(), clYellow);
    EXPECT_EQ(ClientPixel(c, 0, 10), RgbOf(clRed));
    EXPECT_EQ(ClientPixel(c, 1, 10), RgbOf(clRed));
    c->SetReadOnly(true);
    EXPECT_EQ(c->Color(), clYellow);
    c->SetReadOnlyColorOnFocus(true);
    EXPECT_EQ(c->Color(), clAqua);
    Focus(other);
    EXPECT_EQ(c->Color(), clAqua);
    c->SetReadOnly(false);
    c->SetEnabled(false);
    EXPECT_EQ(c->Color(), clSilver);
    c->SetEnabled(true);
    EXPECT_EQ(c->Color(), clWindow);
    // The mouse over the combo: the hot frame too.
    SetCursorPos(340, 230);
    PumpUntilIdle();
    TPoint over = c->ClientToScreen(TPoint{30, 10});
    SetCursorPos(over.x, over.y);
    ASSERT_TRUE(PumpUntil([&] { return c->OverControl(); }));
    EXPECT_EQ(ClientPixel(c, 1, 10), RgbOf(clRed));
    SetCursorPos(340, 230);
    ASSERT_TRUE(PumpUntil([&] { return !c->OverControl(); }));
    // A colour from outside: the normal colour, and the focus colour while it followed.
    other->SetColor(clCream);
    EXPECT_EQ(other->NormalColor(), clCream);
    EXPECT_EQ(other->FocusColor(), clCream);
}

TEST_F(ComboBoxTest, ThemedTextHintReachesTheComboBox) {
    REQUIRE_THEMES();
    TSpyCombo* c = NewCombo(csDropDown, {L"a"});
    c->SetTextHint(L"Choose one");
    wchar_t buffer[64] = {};
    LRESULT got = SendMessageW(c->Handle(), CB_GETCUEBANNER, WPARAM(buffer), 64);
    // Wine's combo box keeps no cue banner of its own; where it does, it reads back.
    if (got)
        EXPECT_EQ(String(buffer), L"Choose one");
    else
        RecordProperty("cue banner", "CB_SETCUEBANNER unsupported");
}

// ---- the image combo

namespace {

class TImageComboHost : public TRzCustomImageComboBox {
public:
    explicit TImageComboHost(TComponent* owner) : TRzCustomImageComboBox(owner) {}
    using TRzCustomImageComboBox::DrawItem;
};

}  // namespace

TEST_F(ComboBoxTest, ImageComboEntriesHeightDrawingAndDeletion) {
    auto* c = new TImageComboHost(form.get());
    c->SetParent(form.get());
    c->SetBounds(10, 10, 200, 24);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, c->Font()->Handle());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    PumpUntilIdle();
    EXPECT_EQ(c->ItemHeight(), std::abs(int(tm.tmHeight)) + 4);
    TCustomImageList images(nullptr, 24, 24);
    TBitmap image(24, 24);
    image.Canvas()->Brush()->SetColor(clRed);
    image.Canvas()->FillRect(TRect{0, 0, 24, 24});
    images.Add(&image, nullptr);
    c->SetImages(&images);
    EXPECT_EQ(c->ItemHeight(), std::max(24, std::abs(int(tm.tmHeight)) + 4));

    c->AddItem(L"Top", 0, 0);
    c->AddItem(L"Nested", 0, 2);
    // Painting leaves the image list alone: telling its clients of a change from the paint would
    // have this combo, and every other client of the list, paint again without end.
    c->SetItemIndex(1);
    RedrawWindow(c->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(PumpUntilIdle());
    EXPECT_EQ(images.BkColor(), clNone);
    c->SetItemIndex(-1);
    EXPECT_EQ(c->ItemAt(1)->Index(), 1);
    // A selected entry at level 2: the image indented by 24, only the caption highlighted.
    TBitmap canvasBitmap(200, 30);
    int height = c->ItemHeight();
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_COMBOBOX;
    item.itemID = 1;
    item.itemState = ODS_SELECTED;
    item.hDC = canvasBitmap.Canvas()->Handle();
    item.rcItem = RECT{0, 0, 200, height};
    c->Perform(CN_DRAWITEM, 0, LPARAM(&item));
    TCanvas* shot = canvasBitmap.Canvas();
    int imageLeft = 2 + 12 * 2;
    EXPECT_EQ(shot->Pixels(imageLeft + 12, height / 2), RgbOf(clRed));
    EXPECT_EQ(shot->Pixels(imageLeft - 2, height / 2), RgbOf(c->Color()));
    int captionLeft = 1 + 24 + 24 + 4;
    EXPECT_EQ(shot->Pixels(captionLeft + 1, height - 3), RgbOf(clHighlight));
    EXPECT_EQ(shot->Pixels(captionLeft - 1, height - 3), RgbOf(c->Color()));
    EXPECT_EQ(shot->Pixels(199, height / 2), RgbOf(c->Color()));
    EXPECT_EQ(shot->Pixels(captionLeft + 1, height - 1), RgbOf(c->Color()));  // the caption stops a row short
    // Disabled: the caption in the shadow colour.
    c->SetEnabled(false);
    item.itemState = 0;
    c->Perform(CN_DRAWITEM, 0, LPARAM(&item));
    bool shadowText = false;
    for (int x = captionLeft; x < captionLeft + 40 && !shadowText; ++x)
        for (int y = 0; y < height; ++y)
            if (shot->Pixels(x, y) == RgbOf(clBtnShadow)) shadowText = true;
    EXPECT_TRUE(shadowText);
    c->SetEnabled(true);
    EXPECT_EQ(c->IndexOfText(L"nested"), 1);

    // Deleted entries free their items: the heap stays where it was.
    struct TCounter : TObject {
        int n = 0;
        void Deleted(TObject*, TRzImageComboBoxItem* item) { n += item != nullptr; }
    } counter;
    c->OnDeleteImageItem = MakeEvent(&counter, &TCounter::Deleted);
    c->ClearItems();
    EXPECT_EQ(counter.n, 2);
    for (int round = 0; round < 3; ++round) {
        if (round == 1) {
            THeapUse before = HeapInUse();
            for (int i = 0; i < 300; ++i) c->AddItem(L"Entry " + IntToStr(i), 0, i % 4);
            c->Delete(5);
            c->ClearItems();
            THeapUse after = HeapInUse();
            EXPECT_LE(after.blocks, before.blocks + 4);
        } else {
            for (int i = 0; i < 300; ++i) c->AddItem(L"Entry " + IntToStr(i), 0, i % 4);
            c->ClearItems();
        }
    }
    EXPECT_EQ(counter.n, 2 + 3 * 300);
    c->SetImages(nullptr);
}
