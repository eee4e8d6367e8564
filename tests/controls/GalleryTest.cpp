// The controls together on one form each, as the user sees them: buttons, check boxes, tool
// buttons and a splitter; edits, combo boxes and an image combo dropped down. Each test checks a
// few pixels of the screen; with ZARNIK_CONTROLS_GALLERY set to a folder it also saves the form
// there as a BMP (scripts/controls-gallery.sh makes docs/controls-buttons.png and
// docs/controls-edits.png from them).

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "Bitmap.h"
#include "Brush.h"
#include "Canvas.h"
#include "ControlTesting.h"
#include "ControlsUnits.h"
#include "RzButton.h"
#include "RzCheckBox.h"
#include "RzComboBox.h"
#include "RzEdit.h"
#include "RzImageComboBox.h"
#include "RzSplit.h"
#include "RzToolButton.h"
#include "WindowTesting.h"

namespace {

class ControlsGallery : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        InitializeControlsUnits();
        SetHighColorDisplay(true);
        MoveMouseTo(TPoint{1000, 700});
    }
    template <class C>
    C* Add(TWinControl* parent, int x, int y, int w, int h) {
        auto* c = new C(form.get());
        c->SetParent(parent);
        c->SetBounds(x, y, w, h);
        return c;
    }
    // Images of plain coloured squares with a dark border.
    void FillImages(TCustomImageList* images, std::initializer_list<TColor> colors) {
        for (TColor color : colors) {
            TBitmap image(images->Width(), images->Height());
            TCanvas* c = image.Canvas();
            c->Brush()->SetColor(clGray);
            c->FillRect(TRect{0, 0, images->Width(), images->Height()});
            c->Brush()->SetColor(color);
            c->FillRect(TRect{1, 1, images->Width() - 1, images->Height() - 1});
            images->Add(&image, nullptr);
        }
    }
    TColor ScreenPixel(TControl* c, int x, int y) {
        TPoint p = c->ClientToScreen(TPoint{x, y});
        HDC screen = GetDC(nullptr);
        TColor color = TColor(GetPixel(screen, p.x, p.y));
        ReleaseDC(nullptr, screen);
        return color;
    }
    // Whether the screen shows dark (text) pixels inside the control's client area.
    bool ScreenShowsText(TControl* c) {
        TPoint origin = c->ClientToScreen(TPoint{0, 0});
        HDC screen = GetDC(nullptr);
        bool dark = false;
        for (int y = 0; y < c->ClientHeight() && !dark; ++y)
            for (int x = 0; x < c->ClientWidth() && !dark; ++x) {
                COLORREF p = GetPixel(screen, origin.x + x, origin.y + y);
                dark = GetRValue(p) < 96 && GetGValue(p) < 96 && GetBValue(p) < 96;
            }
        ReleaseDC(nullptr, screen);
        return dark;
    }
    // With `over`, that window's own drawing is copied onto the picture after the screen's (the
    // screen read-back misses the field of a combo box whose list is dropped).
    void Save(const char* name, TWinControl* over = nullptr, int extraHeight = 0) {
        const char* folder = std::getenv("ZARNIK_CONTROLS_GALLERY");
        if (!folder) return;
        TPoint origin = form->ClientToScreen(TPoint{0, 0});
        TBitmap picture(form->ClientWidth(), form->ClientHeight() + extraHeight, pf24bit);
        HDC screen = GetDC(nullptr);
        BitBlt(picture.Canvas()->Handle(), 0, 0, picture.Width(), picture.Height(), screen, origin.x, origin.y,
               SRCCOPY);
        ReleaseDC(nullptr, screen);
        if (over) {
            TBitmap window(over->Width(), over->Height(), pf24bit);
            SendMessageW(over->Handle(), WM_PRINTCLIENT, WPARAM(window.Canvas()->Handle()),
                         PRF_CLIENT | PRF_ERASEBKGND);
            BitBlt(picture.Canvas()->Handle(), over->Left(), over->Top(), over->Width(), over->Height(),
                   window.Canvas()->Handle(), 0, 0, SRCCOPY);
        }
        std::string path = std::string(folder) + "\\" + name;
        picture.SaveToFile(String(path.begin(), path.end()));
    }
    std::unique_ptr<TForm> form;
};

}  // namespace

TEST_F(ControlsGallery, ButtonsCheckBoxesToolButtonsAndSplitterOnScreen) {
    form.reset(NewShownForm(700, 420));
    form->SetColor(clBtnFace);
    // Every button kind, then a hot-tracking button, a latched group member and a disabled one.
    const TBitBtnKind kinds[] = {bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll};
    for (int i = 0; i < 10; ++i) {
        auto* b = Add<TRzBitBtn>(form.get(), 10 + (i % 5) * 95, 10 + (i / 5) * 32, 88, 26);
        b->SetKind(kinds[i]);
    }
    auto* hot = Add<TRzButton>(form.get(), 10, 80, 88, 26);
    hot->SetCaption(L"Hot track");
    hot->SetHotTrack(true);
    hot->Perform(CM_MOUSEENTER);
    auto* latched = Add<TRzButton>(form.get(), 105, 80, 88, 26);
    latched->SetCaption(L"Latched");
    latched->SetGroupIndex(1);
    latched->SetDown(true);
    auto* disabled = Add<TRzBitBtn>(form.get(), 200, 80, 88, 26);
    disabled->SetKind(bkOK);
    disabled->SetDefault(false);
    disabled->SetEnabled(false);
    auto* gradient = Add<TRzButton>(form.get(), 295, 80, 88, 26);
    gradient->SetCaption(L"Raised text");
    gradient->SetTextStyle(tsRaised);

    // Check boxes in their states and looks.
    struct Box {
        const wchar_t* caption;
        TCheckBoxState state;
        bool hotTrack, enabled, readOnly;
    } boxes[] = {{L"Unchecked", cbUnchecked, false, true, false}, {L"Checked", cbChecked, false, true, false},
                 {L"Grayed", cbGrayed, false, true, false},       {L"Disabled", cbChecked, false, false, false},
                 {L"Hot track", cbChecked, true, true, false},    {L"Read-only", cbChecked, true, true, true}};
    int y = 120;
    for (const Box& b : boxes) {
        auto* box = new TRzCheckBox(form.get());
        box->SetCaption(b.caption);
        box->SetBounds(10, y, 120, 17);
        box->SetParent(form.get());
        box->SetAllowGrayed(true);
        box->SetState(b.state);
        box->SetHotTrack(b.hotTrack);
        box->SetEnabled(b.enabled);
        box->SetReadOnly(b.readOnly);
        y += 22;
    }
    auto* hotBox = As<TRzCheckBox>(form->Controls(form->ControlCount() - 2));
    hotBox->Perform(CM_MOUSEENTER);

    // Tool buttons: flat idle and hot, raised, gradient hot and latched, a drop-down one.
    TCustomImageList images(nullptr, 16, 16);
    FillImages(&images, {clRed, clGreen, clBlue, clYellow});
    auto* menu = new TPopupMenu(form.get());
    struct Tool {
        TRzVisualStyle style;
        bool flat, hot, down;
        TRzToolStyle toolStyle;
        const wchar_t* caption;
    } tools[] = {
        {vsClassic, true, false, false, tsButton, L"Flat"},    {vsClassic, true, true, false, tsButton, L"Hot"},
        {vsClassic, false, false, false, tsButton, L"Raised"}, {vsGradient, true, true, false, tsButton, L"Gradient"},
        {vsGradient, true, false, true, tsButton, L"Latched"}, {vsClassic, false, false, false, tsDropDown, L"Menu"}};
    int x = 160;
    for (int i = 0; i < 6; ++i) {
        auto* t = new TRzToolButton(form.get());
        t->SetParent(form.get());
        t->SetVisualStyle(tools[i].style);
        t->SetFlat(tools[i].flat);
        t->SetToolStyle(tools[i].toolStyle);
        t->SetImages(&images);
        t->SetImageIndex(i % 4);
        t->SetShowCaption(true);
        t->SetCaption(tools[i].caption);
        t->SetBounds(x, 120, tools[i].toolStyle == tsDropDown ? 86 : 72, 26);
        if (tools[i].down) {
            t->SetGroupIndex(7);
            t->SetDown(true);
        }
        if (tools[i].toolStyle == tsDropDown) t->SetDropDownMenu(menu);
        if (tools[i].hot) t->Perform(CM_MOUSEENTER);
        x += t->Width() + 4;
    }

    // A splitter with its hot spot.
    auto* split = Add<TRzSplitter>(form.get(), 160, 170, 530, 240);
    split->SetBorderOuter(fsLowered);
    split->SetHotSpotVisible(true);
    split->SetHotSpotDirection(hsdBoth);
    split->SetPosition(180);
    split->UpperLeft()->SetColor(clWindow);
    split->LowerRight()->SetColor(clCream);
    auto* inner = new TRzCheckBox(form.get());
    inner->SetCaption(L"In the left pane");
    inner->SetParent(split->Pane(1));
    inner->SetBounds(8, 8, 150, 17);
    PumpUntilIdle();
    form->Repaint();
    PumpUntilIdle();

    // The hot-track button's ring and the splitter's hot spot are on the screen.
    EXPECT_EQ(ScreenPixel(hot, 0, 13), RgbOf(DarkenColor(clBtnFace, 20)));
    TRect spot = split->HotSpotRect();
    EXPECT_EQ(ScreenPixel(split, spot.left, spot.top + 10), RgbOf(split->HotSpotFrameColor()));
    Save("buttons.bmp");
    latched->SetGroupIndex(0);
}

TEST_F(ControlsGallery, EditsCombosAndADroppedImageComboOnScreen) {
    form.reset(NewShownForm(560, 300));
    form->SetColor(clBtnFace);
    struct EditCase {
        const wchar_t* text;
        TFrameStyle style;
        bool frame, hot, enabled, readOnly, right;
    } edits[] = {
        {L"Standard edit", fsFlat, false, false, true, false, false},
        {L"Flat frame", fsFlat, true, false, true, false, false},
        {L"Hot frame (bold)", fsFlat, true, true, true, false, false},
        {L"Groove frame", fsGroove, true, false, true, false, false},
        {L"Disabled", fsFlat, true, false, false, false, false},
        {L"Read-only", fsFlat, true, false, true, true, false},
        {L"Right-aligned", fsFlat, true, false, true, false, true},
    };
    TRzEdit* hotEdit = nullptr;
    int y = 10;
    for (const EditCase& e : edits) {
        auto* edit = Add<TRzEdit>(form.get(), 10, y, 180, 24);
        edit->SetText(e.text);
        edit->SetFramingPreference(fpCustomFraming);
        edit->SetFrameStyle(e.style);
        edit->SetFrameVisible(e.frame);
        edit->SetReadOnly(e.readOnly);
        edit->SetEnabled(e.enabled);
        if (e.right) edit->SetAlignment(taRightJustify);
        if (e.hot) {
            edit->SetFrameHotTrack(true);
            edit->SetFrameHotColor(clNavy);
            hotEdit = edit;
        }
        y += 32;
    }
    hotEdit->Perform(CM_MOUSEENTER);

    auto* plain = Add<TRzComboBox>(form.get(), 210, 10, 150, 24);
    for (const wchar_t* s : {L"New York", L"Boston", L"Chicago"}) plain->Items()->Add(s);
    plain->SetItemIndex(0);
    auto* framed = Add<TRzComboBox>(form.get(), 210, 42, 150, 24);
    framed->Items()->Add(L"Flat buttons");
    framed->SetItemIndex(0);
    framed->SetFramingPreference(fpCustomFraming);
    framed->SetFrameVisible(true);
    framed->SetFlatButtons(true);
    auto* readOnly = Add<TRzComboBox>(form.get(), 210, 74, 150, 24);
    readOnly->Items()->Add(L"Read-only");
    readOnly->SetItemIndex(0);
    readOnly->SetReadOnly(true);
    auto* off = Add<TRzComboBox>(form.get(), 210, 106, 150, 24);
    off->Items()->Add(L"Disabled");
    off->SetItemIndex(0);
    off->SetEnabled(false);

    TCustomImageList images(nullptr, 16, 16);
    FillImages(&images, {clYellow, clAqua, clLime, clFuchsia});
    auto* folders = Add<TRzCustomImageComboBox>(form.get(), 380, 10, 170, 24);
    folders->SetImages(&images);
    const wchar_t* names[] = {L"Desktop", L"Computer", L"Local disk (C:)", L"levels", L"textures", L"Network"};
    const int levels[] = {0, 1, 2, 3, 3, 1};
    for (int i = 0; i < 6; ++i) folders->AddItem(names[i], i % 4, levels[i]);
    folders->SetItemIndex(3);
    PumpUntilIdle();
    // The form's area under the combo boxes' first, taller windows is stale until drawn again.
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpUntilIdle();
    folders->SetFocus();
    folders->SetDroppedDown(true);
    ASSERT_TRUE(PumpUntil([&] { return folders->DroppedDown(); }));
    PumpUntilIdle();
    // The field right of the caption: the combo's colour, not the highlight (the list has the focus).
    EXPECT_EQ(ScreenPixel(folders, 120, 10), RgbOf(folders->Color()));

    // The bold hot frame of the hot edit, and the dropped list below the image combo.
    RedrawWindow(hotEdit->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetWindowDC(hotEdit->Handle());
    EXPECT_EQ(TColor(GetPixel(dc, 1, 10)), RgbOf(clNavy));
    ReleaseDC(hotEdit->Handle(), dc);
    // Its text stays under the hot frame (the screen shows it once the drawing has reached it).
    EXPECT_TRUE(PumpUntil([&] { return ScreenShowsText(hotEdit); }));
    RECT list{};
    GetWindowRect(folders->ListHandle(), &list);
    EXPECT_GE(list.bottom - list.top, 6 * folders->ItemHeight());
    Save("edits.bmp", folders);
    folders->SetDroppedDown(false);
    folders->SetImages(nullptr);
}
