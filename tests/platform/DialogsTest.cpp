// The common dialogs under real input, message dialogs through the recording seam, and the
// printers' list.

#include "CallbackBarrier.h"
#include "CommonDialogs.h"
#include "Controls.h"
#include "MessageDialogs.h"
#include "Printers.h"
#include "SysUtils.h"
#include "WindowTesting.h"

#include <winspool.h>

namespace {

// Runs action once a dialog window of the system's dialog class is visible (from a timer that
// the dialog's own loop dispatches).
class TWhileDialogShows {
public:
    explicit TWhileDialogShows(std::function<void(HWND)> action) : action_(std::move(action)) {
        armed = this;
        timer_ = SetTimer(nullptr, 0, 50, &Tick);
    }
    ~TWhileDialogShows() { Disarm(); }
    bool Ran() const { return ran_; }
    // What the dialog showed when the action ran.
    String caption;
    HWND owner = nullptr;

private:
    void Disarm() {
        if (timer_) KillTimer(nullptr, timer_);
        timer_ = 0;
        if (armed == this) armed = nullptr;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        CallbackBarrier([] {
            TWhileDialogShows* watch = armed;
            if (!watch) return;
            HWND dialog = FindWindowW(L"#32770", nullptr);
            if (!dialog || !IsWindowVisible(dialog)) return;
            // Give the dialog a moment to take the focus before typing into it.
            if (++watch->seen < 3) return;
            watch->Disarm();
            wchar_t text[256] = {};
            GetWindowTextW(dialog, text, 256);
            watch->caption = text;
            watch->owner = GetWindow(dialog, GW_OWNER);
            watch->ran_ = true;
            SetForegroundWindow(dialog);
            watch->action_(dialog);
        });
    }
    static inline TWhileDialogShows* armed = nullptr;
    std::function<void(HWND)> action_;
    UINT_PTR timer_ = 0;
    int seen = 0;
    bool ran_ = false;
};

}  // namespace

TEST_F(WindowTest, TheColourDialogIsCancelledWithEscapeAndConfirmedWithEnter) {
    TForm* form = NewShownForm();
    TColorDialog dialog(nullptr);
    dialog.SetColor(TColor(RGB(10, 20, 30)));
    {
        TWhileDialogShows escape([](HWND) { TypeKey(VK_ESCAPE); });
        EXPECT_FALSE(dialog.Execute());
        EXPECT_TRUE(escape.Ran());
        EXPECT_EQ(escape.owner, form->Handle());
    }
    EXPECT_EQ(dialog.Color(), TColor(RGB(10, 20, 30)));
    {
        TWhileDialogShows enter([](HWND) { TypeKey(VK_RETURN); });
        EXPECT_TRUE(dialog.Execute());
        EXPECT_TRUE(enter.Ran());
    }
    EXPECT_EQ(dialog.Color(), TColor(RGB(10, 20, 30)));
    FreeObject(form);
}

namespace {
int CALLBACK CollectTrueType(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM data) {
    if ((type & TRUETYPE_FONTTYPE) && font->lfFaceName[0] != L'@')
        reinterpret_cast<std::vector<String>*>(data)->push_back(font->lfFaceName);
    return 1;
}
String LastTrueTypeFamily() {
    std::vector<String> faces;
    LOGFONTW all{};
    all.lfCharSet = DEFAULT_CHARSET;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &all, &CollectTrueType, reinterpret_cast<LPARAM>(&faces), 0);
    ReleaseDC(nullptr, screen);
    std::sort(faces.begin(), faces.end());
    return faces.size() >= 2 ? faces.back() : String();
}
}  // namespace

TEST_F(WindowTest, TheFontDialogIsCancelledWithEscapeAndGivesBackTheConfirmedFont) {
    TForm* form = NewShownForm();
    // A TrueType family of this machine that does not come first in the dialog's sorted list.
    String face = LastTrueTypeFamily();
    ASSERT_FALSE(face.empty());
    TFontDialog dialog(nullptr);
    dialog.Font()->SetName(face);
    dialog.Font()->SetSize(12);
    {
        TWhileDialogShows escape([](HWND) { TypeKey(VK_ESCAPE); });
        EXPECT_FALSE(dialog.Execute());
        EXPECT_TRUE(escape.Ran());
    }
    String shownName;
    {
        TWhileDialogShows enter([&](HWND window) {
            // The name box shows the font the dialog was given.
            wchar_t name[LF_FACESIZE] = {};
            GetDlgItemTextW(window, 0x470, name, LF_FACESIZE);
            shownName = name;
            TypeKey(VK_RETURN);
        });
        EXPECT_TRUE(dialog.Execute());
    }
    EXPECT_EQ(Utf8(shownName), Utf8(face));
    EXPECT_EQ(Utf8(dialog.Font()->Name()), Utf8(face));
    EXPECT_EQ(dialog.Font()->Size(), 12);
    FreeObject(form);
}

TEST_F(WindowTest, TheFileDialogsShowTheirTitleAndEscapeKeepsTheFileName) {
    TForm* form = NewShownForm();
    TOpenDialog open(nullptr);
    TSaveDialog save(nullptr);
    for (TOpenDialog* dialog : {&open, static_cast<TOpenDialog*>(&save)}) {
        SCOPED_TRACE(Utf8(dialog->ClassName()));
        dialog->SetTitle(L"Уровень");
        dialog->SetFilter(L"Файлы уровней (*.level)|*.level|Все файлы|*.*");
        dialog->SetFileName(L"Level01.level");
        TWhileDialogShows escape([](HWND) { TypeKey(VK_ESCAPE); });
        EXPECT_FALSE(dialog->Execute());
        EXPECT_TRUE(escape.Ran());
        EXPECT_EQ(Utf8(escape.caption), "Уровень");
        EXPECT_EQ(escape.owner, form->Handle());
        EXPECT_EQ(Utf8(dialog->FileName()), "Level01.level");
        EXPECT_EQ(dialog->Files()->Count(), 0);
    }
    FreeObject(form);
}

TEST_F(WindowTest, TheSaveDialogTakesATypedCyrillicNameAndAddsTheDefaultExtension) {
    TTempFolder folder;
    TForm* form = NewShownForm();
    TSaveDialog dialog(nullptr);
    dialog.SetTitle(L"Сохранить уровень");
    dialog.SetFilter(L"Файлы уровней (*.level)|*.level");
    dialog.SetDefaultExt(L"level");
    dialog.SetInitialDir(folder.Path());
    dialog.SetOptions(TOpenOptions{ofHideReadOnly, ofOverwritePrompt});
    TWhileDialogShows type([](HWND) {
        TypeText(L"Уровень");
        TypeKey(VK_RETURN);
    });
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(Utf8(type.caption), "Сохранить уровень");
    EXPECT_EQ(Utf8(dialog.FileName()), Utf8(folder.File(L"Уровень.level")));
    EXPECT_EQ(dialog.Files()->Count(), 1);
    EXPECT_EQ(dialog.FilterIndex(), 1);
    FreeObject(form);
}

namespace {
UINT lastBoxFlags = 0;
String lastBoxCaption;
int AnswerYes(HWND, const String&, const String& caption, UINT flags) {
    lastBoxFlags = flags;
    lastBoxCaption = caption;
    return IDYES;
}
}  // namespace

TEST_F(WindowTest, MessageDialogsPickTheSystemsButtonSetIconAndCaption) {
    struct TCase {
        TMsgDlgType type;
        TMsgDlgButtons buttons;
        UINT flags;
        const char* caption;
    } cases[] = {
        {mtWarning, {mbOK}, MB_OK | MB_ICONWARNING, "Warning"},
        {mtError, {mbOK}, MB_OK | MB_ICONERROR, "Error"},
        {mtInformation, {mbOK, mbCancel}, MB_OKCANCEL | MB_ICONINFORMATION, "Information"},
        {mtConfirmation, {mbYes, mbNo}, MB_YESNO | MB_ICONQUESTION, "Confirm"},
        {mtConfirmation, {mbYes, mbNo, mbCancel}, MB_YESNOCANCEL | MB_ICONQUESTION, "Confirm"},
        {mtWarning, {mbAbort, mbRetry, mbIgnore}, MB_ABORTRETRYIGNORE | MB_ICONWARNING, "Warning"},
        {mtError, {mbRetry, mbCancel}, MB_RETRYCANCEL | MB_ICONERROR, "Error"},
    };
    for (const TCase& c : cases) {
        MessageDlg(L"%s\nФайл не найден.", c.type, c.buttons, 0);
        auto boxes = TakeBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].Flags, c.flags) << c.caption;
        EXPECT_EQ(Utf8(boxes[0].Caption), c.caption);
        EXPECT_EQ(Utf8(boxes[0].Text), "%s\nФайл не найден.");
    }
    // The caller's caption, and the answer of the button pressed.
    TMessageBoxFunction previous = SetMessageBoxFunction(&AnswerYes);
    EXPECT_EQ(MessageDlg(L"Сохранить уровень", L"Заменить?", mtWarning, {mbYes, mbNo}, 0), mrYes);
    EXPECT_EQ(Utf8(lastBoxCaption), "Сохранить уровень");
    EXPECT_EQ(lastBoxFlags, UINT(MB_YESNO | MB_ICONWARNING));
    SetMessageBoxFunction(previous);
}

TEST(Printers, TheNamesAreThoseTheSpoolerListsAndNoDefaultPrinterIsAnError) {
    // The referee: the spooler's level-1 list.
    DWORD needed = 0, count = 0;
    EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 1, nullptr, 0, &needed, &count);
    std::vector<String> expected;
    if (needed) {
        std::vector<BYTE> buffer(needed);
        EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 1, buffer.data(), needed, &needed,
                      &count);
        auto* info = reinterpret_cast<PRINTER_INFO_1W*>(buffer.data());
        for (DWORD i = 0; i < count; ++i) expected.push_back(info[i].pName);
    }
    EXPECT_EQ(Lines(*Printer()->Printers()), expected);
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    if (size == 0) {
        EXPECT_EQ(Printer()->PrinterIndex(), -1);
        EXPECT_EQ(ClassAndMessageOf([] { Printer()->Handle(); }),
                  "EPrinter: There is no default printer currently selected");
    } else {
        EXPECT_GE(Printer()->PrinterIndex(), 0);
        EXPECT_NE(Printer()->Handle(), nullptr);
    }
}
