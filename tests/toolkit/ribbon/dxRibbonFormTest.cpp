// The ribbon form with a ribbon that draws its caption and frame: frame insets, window region,
// hit test, system menu, caption text, caption buttons under real input, the frame's pixels, the
// composition frame and the auto-hide taskbar through stand-ins, and the way back to the
// system's caption.

#include <cstdlib>
#include <memory>
#include <vector>

#include "ControlSnapshot.h"
#include "PixelSurface.h"
#include "RibbonTesting.h"
#include "cxDWMApi.h"
#include "dxRibbonForm.h"
#include "dxRibbonFormCaptionHelper.h"

namespace {

// A rectangle's edges, which tests compare and print.
std::vector<LONG> Edges(const TRect& r) { return {r.left, r.top, r.right, r.bottom}; }

TPoint Centre(const TRect& r) { return TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

class RibbonFormTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        form.reset(CreateNewForm<TdxRibbonForm>(nullptr));
        form->SetPosition(poDesigned);
        form->SetBounds(0, 0, 640, 420);
        form->SetCaption(L"Zarnik");
        manager = new TdxBarManager(form.get());
        manager->Font()->SetName(L"Tahoma");
        manager->Font()->SetHeight(-11);
        ribbon = new TdxRibbon(form.get());
        ribbon->SetFadingEnabled(false);
        ribbon->SetParent(form.get());
        ribbon->SetBarManager(manager);
        ribbon->SetColorSchemeName(L"Blue");
        // The application button would cover the system icon's corner of the caption.
        ribbon->ApplicationButton()->SetVisible(false);
        ribbon->Tabs()->Add()->SetCaption(L"Элементы");
        ribbon->SetSupportNonClientDrawing(true);
        form->Show();
        SetWindowPos(form->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(form->Handle());
        PumpUntil([&] { return GetForegroundWindow() == form->Handle(); });
        PumpUntilIdle();
    }
    void TearDown() override {
        form.reset();
        WindowTest::TearDown();
    }

    HWND Window() const { return form->Handle(); }
    TRect WindowRect() const {
        RECT r;
        GetWindowRect(Window(), &r);
        return r;
    }
    // The client area's edges as insets from the window's edges.
    TRect ClientInsets() const {
        const TRect w = WindowRect();
        RECT c;
        GetClientRect(Window(), &c);
        POINT origin{0, 0};
        ClientToScreen(Window(), &origin);
        return TRect{origin.x - w.left, origin.y - w.top, w.right - (origin.x + c.right),
                     w.bottom - (origin.y + c.bottom)};
    }
    TdxRibbonFormCaptionHelper* Helper() const { return ribbon->FormCaptionHelper(); }
    // A point of the ribbon's client area on the screen.
    TPoint OnScreen(TPoint ribbonPoint) const { return ribbon->ClientToScreen(ribbonPoint); }
    LRESULT HitTestAt(int x, int y) const {
        const TRect w = WindowRect();
        return SendMessageW(Window(), WM_NCHITTEST, 0, MAKELPARAM(w.left + x, w.top + y));
    }

    std::unique_ptr<TdxRibbonForm> form;
    TdxBarManager* manager = nullptr;
    TdxRibbon* ribbon = nullptr;
};

// A status bar that says it joins the frame of every form.
class TFakeStatusBarPart : public IdxRibbonStatusBarPart {
public:
    bool IsOnForm(TCustomForm*) override { return true; }
    int GetHeight() override { return 23; }
    int IsFrameRaised(bool) override { return 0; }
};

}  // namespace

// ---- frame and region ----------------------------------------------------------------------

TEST_F(RibbonFormTest, TheClientAreaTakesEverythingButTheSchemesFrame) {
    EXPECT_EQ(Edges(ClientInsets()), Edges(TRect{4, 0, 4, 4}));
    EXPECT_TRUE(form->RibbonNonClientActive());
    EXPECT_EQ(ribbon->Top(), 0);
    EXPECT_EQ(ribbon->FormCaptionHeight(),
              std::max(GetSystemMetrics(SM_CYCAPTION) - 1, GetSystemMetrics(SM_CYSIZE)) + 6);
    // The tab row starts below the caption band the ribbon draws.
    EXPECT_EQ(ribbon->ViewInfo()->GetTabsBounds().top, ribbon->FormCaptionHeight());

    // A ribbon status bar on the form leaves one pixel of frame below it.
    TFakeStatusBarPart part;
    ribbon->RegisterPart(&part);
    SetWindowPos(Window(), nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(Edges(ClientInsets()), Edges(TRect{4, 0, 4, 1}));
    ribbon->UnregisterPart(&part);
    SetWindowPos(Window(), nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(ClientInsets().bottom, 4);
}

TEST_F(RibbonFormTest, TheWindowRegionRoundsTheCornersOfTheBorderStyle) {
    const struct {
        TFormBorderStyle style;
        bool bottomRounded;
    } cases[] = {{bsSizeable, true}, {bsDialog, false}, {bsSingle, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.style));
        form->SetBorderStyle(c.style);
        PumpUntilIdle();
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(Window(), region), ERROR);
        const TRect w = WindowRect();
        const int right = RectWidth(w) - 1, bottom = RectHeight(w) - 1;
        EXPECT_FALSE(PtInRegion(region, 0, 0));
        EXPECT_FALSE(PtInRegion(region, right, 0));
        EXPECT_TRUE(PtInRegion(region, 4, 0));
        EXPECT_TRUE(PtInRegion(region, RectWidth(w) / 2, RectHeight(w) / 2));
        EXPECT_EQ(PtInRegion(region, 0, bottom) == FALSE, c.bottomRounded);
        EXPECT_EQ(PtInRegion(region, right, bottom) == FALSE, c.bottomRounded);
        DeleteObject(region);
    }
}

TEST_F(RibbonFormTest, TheHitTestFindsCornersEdgesCaptionIconAndButtons) {
    const TRect w = WindowRect();
    const int width = RectWidth(w), height = RectHeight(w);
    const int frame = GetSystemMetrics(SM_CYFRAME);
    const TPoint close = Centre(Helper()->ButtonRect(rfbClose));
    const TRect icon = Helper()->SystemIconArea();
    const struct {
        int x, y;
        LRESULT expected;
    } cases[] = {
        {10, 1, HTTOPLEFT},
        {3, 10, HTTOPLEFT},
        {width - 10, 1, HTTOPRIGHT},
        {width - 10, height - 1, HTBOTTOMRIGHT},
        {10, height - 1, HTBOTTOMLEFT},
        {width / 2, frame - 1, HTTOP},
        {width - 1, height / 2, HTRIGHT},
        {width / 2, height - 1, HTBOTTOM},
        {0, height / 2, HTLEFT},
        {width / 2, frame + 4, HTCAPTION},
        {4 + icon.left + 6, icon.top + RectHeight(icon) / 2, HTSYSMENU},
        {4 + close.x, close.y, HTCLIENT},  // the button is pressed as a client click
        {width / 2, height / 2, HTCLIENT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(HitTestAt(c.x, c.y), c.expected);
    }
    // Over a button the ribbon lets the hit test through to the form.
    const TPoint onClose = OnScreen(close);
    EXPECT_EQ(SendMessageW(ribbon->Handle(), WM_NCHITTEST, 0, MAKELPARAM(onClose.x, onClose.y)), HTTRANSPARENT);
}

// ---- system menu and text ------------------------------------------------------------------

TEST_F(RibbonFormTest, TheSystemMenuIsGreyedForTheWindowState) {
    auto state = [&](UINT command) {
        return GetMenuState(GetSystemMenu(Window(), FALSE), command, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED);
    };
    SendMessageW(Window(), WM_INITMENU, 0, 0);
    EXPECT_NE(state(SC_RESTORE), 0u);
    EXPECT_EQ(state(SC_MINIMIZE), 0u);
    EXPECT_EQ(state(SC_MAXIMIZE), 0u);
    EXPECT_EQ(state(SC_SIZE), 0u);
    EXPECT_EQ(GetMenuDefaultItem(GetSystemMenu(Window(), FALSE), FALSE, 0), UINT(SC_CLOSE));

    ShowWindow(Window(), SW_MAXIMIZE);
    PumpUntilIdle();
    SendMessageW(Window(), WM_INITMENU, 0, 0);
    EXPECT_NE(state(SC_MAXIMIZE), 0u);
    EXPECT_NE(state(SC_SIZE), 0u);
    EXPECT_NE(state(SC_MOVE), 0u);
    EXPECT_EQ(state(SC_RESTORE), 0u);
    ShowWindow(Window(), SW_RESTORE);
    PumpUntilIdle();

    form->SetBorderIcons(TBorderIcons{biSystemMenu, biMaximize});
    PumpUntilIdle();
    SendMessageW(Window(), WM_INITMENU, 0, 0);
    EXPECT_NE(state(SC_MINIMIZE), 0u);
    EXPECT_TRUE(IsRectEmpty(&Helper()->ButtonRect(rfbMinimize)));
    EXPECT_FALSE(IsRectEmpty(&Helper()->ButtonRect(rfbMaximize)));
}

TEST_F(RibbonFormTest, TheFormAnswersItsTextWhileTheSystemCaptionStaysQuiet) {
    wchar_t systemText[64]{};
    InternalGetWindowText(Window(), systemText, 64);
    SetWindowTextW(Window(), L"Уровень 1");
    wchar_t text[64]{};
    EXPECT_EQ(GetWindowTextW(Window(), text, 64), 9);
    EXPECT_STREQ(text, L"Уровень 1");
    // A short buffer gets what fits and its terminator.
    wchar_t shortText[4]{};
    EXPECT_EQ(SendMessageW(Window(), WM_GETTEXT, 4, LPARAM(shortText)), 3);
    EXPECT_STREQ(shortText, L"Уро");
    EXPECT_EQ(form->Caption(), L"Уровень 1");
    // The system's own text (which it would paint) is left alone.
    wchar_t after[64]{};
    InternalGetWindowText(Window(), after, 64);
    EXPECT_STREQ(after, systemText);
    ribbon->SetDocumentName(L"level.zlv");
    EXPECT_EQ(ribbon->GetFormCaptionText(), L"level.zlv - Уровень 1");
}

TEST_F(RibbonFormTest, CtrlF1OnTheFormShowsAndHidesTheGroups) {
    ASSERT_TRUE(ribbon->ShowTabGroups());
    TypeChord({VK_CONTROL, VK_F1});
    EXPECT_TRUE(PumpUntil([&] { return !ribbon->ShowTabGroups(); }));
    TypeChord({VK_CONTROL, VK_F1});
    EXPECT_TRUE(PumpUntil([&] { return ribbon->ShowTabGroups(); }));
    // Without the key preview the form keeps its keys.
    form->SetKeyPreview(false);
    TypeChord({VK_CONTROL, VK_F1});
    PumpUntilIdle();
    EXPECT_TRUE(ribbon->ShowTabGroups());
}

// ---- caption buttons under real input ------------------------------------------------------

TEST_F(RibbonFormTest, ACloseIsPostedOnlyWhenTheButtonIsReleasedOverItself) {
    int closeRequests = 0;
    struct TCloseCounter : TObject {
        int* count;
        void CloseQuery(TObject*, bool& canClose) {
            ++*count;
            canClose = false;
        }
    } counter;
    counter.count = &closeRequests;
    form->OnCloseQuery = MakeEvent(&counter, &TCloseCounter::CloseQuery);
    const TPoint close = OnScreen(Centre(Helper()->ButtonRect(rfbClose)));
    const TPoint away = OnScreen(TPoint{ribbon->Width() / 2, ribbon->Height() + 60});
    // The presses come quickly at one place: the second is a double click, and presses too.

    MoveMouseTo(close);
    PumpUntilIdle();
    MouseButton(true);
    ASSERT_TRUE(PumpUntil([&] { return Helper()->PressedButton() == rfbClose; }));
    MoveMouseTo(away);
    PumpUntilIdle();
    MouseButton(false);
    PumpUntilIdle();
    EXPECT_EQ(closeRequests, 0);
    EXPECT_EQ(Helper()->PressedButton(), rfbNone);
    EXPECT_EQ(GetCapture(), nullptr);

    MoveMouseTo(close);
    PumpUntilIdle();
    MouseButton(true);
    ASSERT_TRUE(PumpUntil([&] { return Helper()->PressedButton() == rfbClose; }));
    MoveMouseTo(away);
    PumpUntilIdle();
    MoveMouseTo(close);
    PumpUntilIdle();
    MouseButton(false);
    EXPECT_TRUE(PumpUntil([&] { return closeRequests == 1; }));
    EXPECT_EQ(Helper()->PressedButton(), rfbNone);
}

TEST_F(RibbonFormTest, APressInTheButtonsAreaButOverNoButtonPressesNothing) {
    const TRect area = Helper()->ButtonsArea();
    const TRect close = Helper()->ButtonRect(rfbClose);
    ASSERT_GT(close.top, area.top);  // the buttons are centred in the caption band
    EXPECT_FALSE(Helper()->CaptionMouseDown(OnScreen(TPoint{Centre(close).x, area.top}), mbLeft));
    EXPECT_EQ(Helper()->PressedButton(), rfbNone);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(RibbonFormTest, TheHotButtonClearsSoonAfterTheMouseLeavesTheWindow) {
    MoveMouseTo(OnScreen(Centre(Helper()->ButtonRect(rfbMaximize))));
    ASSERT_TRUE(PumpUntil([&] { return Helper()->HotButton() == rfbMaximize; }));
    EXPECT_TRUE(Helper()->MouseTimerRunning());
    // Outside the window no message reaches the form: only the timer sees the mouse go.
    MoveMouseTo(TPoint{WindowRect().right + 40, WindowRect().bottom + 40});
    EXPECT_TRUE(PumpUntil([&] { return Helper()->HotButton() == rfbNone; }, 500));
    EXPECT_FALSE(Helper()->MouseTimerRunning());
}

TEST_F(RibbonFormTest, ARightClickOnTheCaptionOpensTheSystemMenuThere) {
    const TPoint click = OnScreen(TPoint{ribbon->Width() / 3, ribbon->FormCaptionHeight() / 2});
    RECT menuRect{};
    TWhileMenuShows whileShown([&](HWND menu) {
        GetWindowRect(menu, &menuRect);
        EndMenu();
    });
    MoveMouseTo(click);
    PumpUntilIdle();
    RightMouseButton(true);
    RightMouseButton(false);
    ASSERT_TRUE(PumpUntil([&] { return whileShown.Ran(); }));
    EXPECT_NEAR(menuRect.left, click.x, 2);
    EXPECT_NEAR(menuRect.top, click.y, 2);
    PumpUntilIdle();
    EXPECT_TRUE(IsWindowVisible(Window()));
}

// ---- the frame's pixels --------------------------------------------------------------------

TEST_F(RibbonFormTest, TheFrameIsPaintedActiveAndInactiveByTheScheme) {
    const TRect w = WindowRect();
    const int width = RectWidth(w), height = RectHeight(w);
    auto frameRow = [&](bool active) {
        SendMessageW(Window(), WM_NCACTIVATE, active, 0);
        EXPECT_EQ(form->PaintData().IsActive != 0, active);
        TPainterTestSurface painted(width, height);
        form->PaintNonClientTo(painted.dc, false);
        TPainterTestSurface reference(width, height);
        ribbon->ColorScheme()->DrawFormBorders(reference.dc, TRect{4, 0, 4, 4}, ribbon->FormCaptionHeight(),
                                               form->PaintData());
        std::vector<COLORREF> pixels;
        for (TPoint p : {TPoint{1, height / 2}, TPoint{width - 2, height / 2}, TPoint{width / 2, height - 2}}) {
            EXPECT_EQ(painted.Pixel(p.x, p.y), reference.Pixel(p.x, p.y)) << p.x << "," << p.y;
            EXPECT_NE(painted.Pixel(p.x, p.y), RGB(255, 255, 255));
            pixels.push_back(painted.Pixel(p.x, p.y));
        }
        // The client area is not the frame's to paint.
        EXPECT_EQ(painted.Pixel(width / 2, height / 2), RGB(255, 255, 255));
        return pixels;
    };
    const auto active = frameRow(true);
    const auto inactive = frameRow(false);
    EXPECT_NE(active, inactive);
}

TEST_F(RibbonFormTest, TheCaptionBandAndAHotButtonArePaintedInTheRibbon) {
    form->SetCaption(L"");
    PumpUntilIdle();
    const int caption = ribbon->FormCaptionHeight();
    const TRect close = Helper()->ButtonRect(rfbClose);
    TdxCustomRibbonSkin* scheme = ribbon->ColorScheme();
    TPainterTestSurface reference(ribbon->Width() + 8, caption);
    scheme->DrawFormCaption(reference.dc, TRect{0, 0, ribbon->Width() + 8, caption}, form->PaintData());
    TColor normalClose;
    {
        TControlSnapshot shot(ribbon);
        const int x = ribbon->Width() / 2;
        EXPECT_EQ(COLORREF(shot.Pixel(x, caption / 2)), reference.Pixel(x + 4, caption / 2));
        normalClose = shot.Pixel(close.left + 2, close.top + 2);
        EXPECT_EQ(COLORREF(normalClose), reference.Pixel(close.left + 2 + 4, close.top + 2));
    }
    MoveMouseTo(OnScreen(Centre(close)));
    ASSERT_TRUE(PumpUntil([&] { return Helper()->HotButton() == rfbClose; }));
    TControlSnapshot hot(ribbon);
    TPainterTestSurface hotReference(RectWidth(close), RectHeight(close));
    scheme->DrawFormBorderIcon(hotReference.dc, TRect{0, 0, RectWidth(close), RectHeight(close)}, rbiClose, 1);
    EXPECT_EQ(COLORREF(hot.Pixel(close.left + 2, close.top + 2)), hotReference.Pixel(2, 2));
    EXPECT_NE(hot.Pixel(close.left + 2, close.top + 2), normalClose);
}

// The picture of docs/ribbon-form-lilian.png (scripts/ribbon-form-picture.sh): frame and ribbon
// composed in memory as the window shows them.
TEST_F(RibbonFormTest, AFormFramedInLilian) {
    ASSERT_NE(BarSkinManagerInstance()->FindSkin(L"Lilian"), nullptr);
    ribbon->SetColorSchemeName(L"Lilian");
    ribbon->Tabs()->Add()->SetCaption(L"Помощь");
    ribbon->SetDocumentName(L"level1.zlv");
    PumpUntilIdle();
    const TRect w = WindowRect();
    auto picture = std::make_unique<TBitmap>();
    picture->SetPixelFormat(pf24bit);
    picture->SetSize(RectWidth(w), RectHeight(w));
    HDC dc = picture->Canvas()->Handle();
    const TColor formColor = form->GetFormColor();
    RECT all{0, 0, RectWidth(w), RectHeight(w)};
    HBRUSH brush = CreateSolidBrush(COLORREF(ColorToRGB(formColor)));
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    form->PaintNonClientTo(dc, false);
    const int saved = SaveDC(dc);
    SetViewportOrgEx(dc, 4, 0, nullptr);
    ribbon->Perform(WM_ERASEBKGND, WPARAM(dc), 0);
    ribbon->PaintHandler(dc);
    RestoreDC(dc, saved);
    // Lilian's frame is its own, not Blue's.
    TPainterTestSurface blue(RectWidth(w), RectHeight(w));
    BarSkinManagerInstance()->FindSkin(L"Blue");
    auto* blueScheme = dynamic_cast<TdxCustomRibbonSkin*>(BarSkinManagerInstance()->FindSkin(L"Blue"));
    ASSERT_NE(blueScheme, nullptr);
    blueScheme->DrawFormBorders(blue.dc, TRect{4, 0, 4, 4}, ribbon->FormCaptionHeight(), form->PaintData());
    EXPECT_NE(GetPixel(dc, 1, RectHeight(w) / 2), blue.Pixel(1, RectHeight(w) / 2));
    if (const char* folder = std::getenv("ZARNIK_RIBBON_GALLERY"))
        picture->SaveToFile(UTF8ToString(folder) + L"\\RibbonFormLilian.bmp");
}

// ---- the way back to the system's caption --------------------------------------------------

TEST_F(RibbonFormTest, RemovingTheRibbonGivesTheSystemCaptionBack) {
    SetWindowTextW(Window(), L"Назад");
    FreeObject(ribbon);
    ribbon = nullptr;
    PumpUntilIdle();
    EXPECT_FALSE(form->RibbonNonClientActive());
    EXPECT_GE(ClientInsets().top, GetSystemMetrics(SM_CYCAPTION));
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(Window(), region), ERROR);
    DeleteObject(region);
    // The system knows the text it now paints.
    wchar_t systemText[64]{};
    InternalGetWindowText(Window(), systemText, 64);
    EXPECT_STREQ(systemText, L"Назад");
    EXPECT_EQ(HitTestAt(RectWidth(WindowRect()) / 2, RectHeight(WindowRect()) / 2), HTCLIENT);
}

TEST_F(RibbonFormTest, SwitchingNonClientDrawingOffAndOnAgainRestoresTheRibbonFrame) {
    ribbon->SetSupportNonClientDrawing(false);
    PumpUntilIdle();
    EXPECT_GE(ClientInsets().top, GetSystemMetrics(SM_CYCAPTION));
    EXPECT_EQ(ribbon->FormCaptionHeight(), 0);
    EXPECT_EQ(ribbon->ViewInfo()->GetTabsBounds().top, 0);
    ribbon->SetSupportNonClientDrawing(true);
    PumpUntilIdle();
    EXPECT_EQ(Edges(ClientInsets()), Edges(TRect{4, 0, 4, 4}));
}

// ---- stand-ins: composition and the auto-hide taskbar --------------------------------------

namespace {

TcxDwmMargins extendedMargins{-1, -1, -1, -1};
HRESULT WINAPI FakeCompositionEnabled(BOOL* enabled) {
    *enabled = TRUE;
    return S_OK;
}
HRESULT WINAPI FakeExtendFrame(HWND, const TcxDwmMargins* margins) {
    extendedMargins = *margins;
    return S_OK;
}
BOOL WINAPI FakeDwmDefWindowProc(HWND, UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }
HRESULT WINAPI FakeGetWindowAttribute(HWND, DWORD, void* value, DWORD size) {
    if (size == sizeof(RECT)) *static_cast<RECT*>(value) = RECT{500, 0, 600, 20};
    return S_OK;
}

class TCompositionStandIn {
public:
    TCompositionStandIn() {
        for (auto& e : entries_) previous_.push_back(SetDwmEntry(e.name, e.entry));
    }
    ~TCompositionStandIn() {
        for (size_t i = 0; i < std::size(entries_); ++i) SetDwmEntry(entries_[i].name, previous_[i]);
    }

private:
    struct TEntry {
        const char* name;
        FARPROC entry;
    };
    const TEntry entries_[4] = {{"DwmIsCompositionEnabled", FARPROC(&FakeCompositionEnabled)},
                                {"DwmExtendFrameIntoClientArea", FARPROC(&FakeExtendFrame)},
                                {"DwmDefWindowProc", FARPROC(&FakeDwmDefWindowProc)},
                                {"DwmGetWindowAttribute", FARPROC(&FakeGetWindowAttribute)}};
    std::vector<FARPROC> previous_;
};

}  // namespace

TEST_F(RibbonFormTest, WithCompositionTheClientAreaReachesTheTopUnderABlackBand) {
    TCompositionStandIn composition;
    extendedMargins = TcxDwmMargins{-1, -1, -1, -1};
    ribbon->SetSupportNonClientDrawing(false);
    ribbon->SetSupportNonClientDrawing(true);
    PumpUntilIdle();
    ASSERT_TRUE(form->UsesCompositionFrame());
    EXPECT_EQ(ClientInsets().top, 0);
    EXPECT_GT(ClientInsets().left, 0);  // the system keeps its frame
    EXPECT_EQ(extendedMargins.cyTopHeight, ribbon->FormCaptionHeight());
    EXPECT_EQ(form->ExtendedFrameHeight(), ribbon->FormCaptionHeight());
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(Window(), region), ERROR);  // no rounded region of our own
    DeleteObject(region);
    TControlSnapshot shot(ribbon);
    // Left of the centred caption text.
    EXPECT_EQ(shot.Pixel(ribbon->Width() / 4, ribbon->FormCaptionHeight() / 2), clBlack);
    EXPECT_NE(shot.Pixel(ribbon->Width() / 2, ribbon->FormCaptionHeight() + 30), clBlack);
    // The system owns the caption buttons: nothing is pressed by the ribbon.
    EXPECT_FALSE(Helper()->CaptionMouseDown(OnScreen(TPoint{550, 10}), mbLeft));
    EXPECT_EQ(Edges(Helper()->ButtonsArea()), Edges(TRect{500, 0, 600, 20}));
}

namespace {

UINT taskbarEdge = ABE_BOTTOM;
UINT_PTR WINAPI FakeAppBarMessage(DWORD message, PAPPBARDATA data) {
    if (message == ABM_GETSTATE) return ABS_AUTOHIDE;
    if (message == ABM_GETTASKBARPOS) data->uEdge = taskbarEdge;
    return 1;
}

}  // namespace

TEST_F(RibbonFormTest, AMaximizedFormLeavesAPixelForTheAutoHideTaskbar) {
    // A taskbar window on the form's monitor, when the desktop has none.
    HWND ownTaskbar = nullptr;
    if (!FindWindowW(L"Shell_TrayWnd", nullptr)) {
        WNDCLASSW cls{};
        cls.lpfnWndProc = DefWindowProcW;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.lpszClassName = L"Shell_TrayWnd";
        RegisterClassW(&cls);
        ownTaskbar = CreateWindowExW(0, L"Shell_TrayWnd", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
    }
    const TdxAppBarMessageFunction previous = SetAppBarMessageFunction(&FakeAppBarMessage);
    const struct {
        UINT edge;
        TRect insets;
    } cases[] = {{ABE_BOTTOM, {0, 0, 0, 1}}, {ABE_LEFT, {1, 0, 0, 0}}, {ABE_TOP, {0, 1, 0, 0}},
                 {ABE_RIGHT, {0, 0, 1, 0}}};
    ShowWindow(Window(), SW_MAXIMIZE);
    PumpUntilIdle();
    const TRect standard = GetDefaultFrameInsetsWithoutCaption(Window());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.edge);
        taskbarEdge = c.edge;
        SetWindowPos(Window(), nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
        EXPECT_EQ(Edges(form->MaximizedInsets()), Edges(c.insets));
        EXPECT_EQ(Edges(ClientInsets()), Edges(TRect{standard.left + c.insets.left, standard.top + c.insets.top,
                                                     standard.right + c.insets.right,
                                                     standard.bottom + c.insets.bottom}));
    }
    SetAppBarMessageFunction(previous);
    ShowWindow(Window(), SW_RESTORE);
    if (ownTaskbar) DestroyWindow(ownTaskbar);
}
