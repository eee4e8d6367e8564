// The shell controls' small helpers: shortcut names, size texts, new-folder names, column texts.

#include <gtest/gtest.h>

#include <fstream>

#include "ControlsUnits.h"
#include "CustomControl.h"
#include "RzShellContextMenu.h"
#include "RzShellDataObject.h"
#include "RzShellHelpers.h"
#include "SysUtils.h"
#include "RzShellKeys.h"
#include "WindowTesting.h"

TEST(ShellKeys, NamesAndShortcutsBothWays) {
    struct Case {
        TShortCut value;
        const char* name;
    } cases[] = {
        {scShift | scCtrl | 46, "Shift+Ctrl+Del"},
        {scAlt | scShift | 'X', "Shift+Alt+X"},
        {8, "BkSp"},
        {VK_RETURN, "Enter"},
        {VK_ESCAPE, "Esc"},
        {VK_SPACE, "Space"},
        {VK_PRIOR, "PgUp"},
        {VK_DOWN, "Down"},
        {VK_INSERT, "Ins"},
        {'7', "7"},
        {VK_F1, "F1"},
        {VK_F24, "F24"},
        {scCtrl | 0xBA, "Ctrl+#186"},
    };
    for (auto& c : cases) {
        EXPECT_EQ(Utf8(ShortCutToName(c.value)), c.name);
        EXPECT_EQ(NameToShortCut(ShortCutToName(c.value)), c.value) << c.name;
    }
    EXPECT_EQ(Utf8(ShortCutToName(VK_NUMPAD5)), "5");

    struct Parse {
        const wchar_t* text;
        TShortCut value;
    } parses[] = {
        {L"^A", scCtrl | 'A'},
        {L"ctrl+shift+del", scCtrl | scShift | VK_DELETE},
        {L"ALT+^f5", scAlt | scCtrl | VK_F5},
        {L"pgdn", VK_NEXT},
        {L"Ctrl+", 0},
        {L"Ctrl+Nothing", 0},
        {L"", 0},
    };
    for (auto& p : parses) EXPECT_EQ(NameToShortCut(p.text), p.value) << Utf8(p.text);

    const TShortCut defaults[] = {scCtrl | 'A', VK_DELETE, scCtrl | 'C', scCtrl | 'X', scCtrl | 'V', VK_F5, VK_F2};
    for (int key = skSelectAll; key <= skRename; ++key)
        EXPECT_EQ(DefaultShellKey(TRzShellKey(key)), defaults[key]) << key;
}

TEST(ShellHelpers, SizesInWholeKilobytes) {
    struct Case {
        Int64 bytes;
        const char* text;
    } cases[] = {{0, "0KB"}, {1, "1KB"}, {1024, "1KB"}, {1025, "2KB"}, {5000000000LL, "4,882,813KB"}};
    wchar_t separator = FormatSettings.ThousandSeparator;
    FormatSettings.ThousandSeparator = L',';
    for (auto& c : cases) EXPECT_EQ(Utf8(FormatFileSizeKB(c.bytes)), c.text) << c.bytes;
    FormatSettings.ThousandSeparator = separator;
}

TEST(ShellHelpers, FolderItemsByShellVersionAndAttributes) {
    EXPECT_FALSE(IsFolderItem(SFGAO_FILESYSTEM, true));
    EXPECT_TRUE(IsFolderItem(SFGAO_FOLDER, false));
    EXPECT_TRUE(IsFolderItem(SFGAO_FOLDER | SFGAO_STREAM, true)) << "archives when files may be folders";
    // This shell is version 6 or later: a folder with a stream is a file.
    InitializeControlsUnits();
    ASSERT_GE(HIWORD(Shell32Version().MS), 6);
    EXPECT_FALSE(IsFolderItem(SFGAO_FOLDER | SFGAO_STREAM, false));
}

namespace {

class ShellHelpersWindows : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        InitializeControlsUnits();
    }
    TTempFolder temp;
};

}  // namespace

TEST_F(ShellHelpersWindows, NewFolderTakesTheNextFreeNameOfTheSeries) {
    CreateDirectoryW(temp.File(L"New Folder").c_str(), nullptr);
    CreateDirectoryW(temp.File(L"New Folder (2)").c_str(), nullptr);
    String name;
    ASSERT_TRUE(CreateNewFolderIn(temp.Path(), name));
    EXPECT_EQ(Utf8(name), "New Folder (3)");
    // Without the trailing backslash, and with a file in the way of the next name.
    std::ofstream(temp.File(L"New Folder (4)").c_str()) << "x";
    ASSERT_TRUE(CreateNewFolderIn(temp.Path().substr(0, temp.Path().size() - 1), name));
    EXPECT_EQ(Utf8(name), "New Folder (5)");
    EXPECT_TRUE(GetFileAttributesW(temp.File(L"New Folder (5)").c_str()) & FILE_ATTRIBUTE_DIRECTORY);

    // Once the first series is used up, the second one begins.
    for (int i = 6; i <= 50; ++i) CreateDirectoryW(temp.File(L"New Folder (" + IntToStr(i) + L")").c_str(), nullptr);
    CreateDirectoryW(temp.File(L"fldr").c_str(), nullptr);
    ASSERT_TRUE(CreateNewFolderIn(temp.Path(), name));
    EXPECT_EQ(Utf8(name), "fldr2");
    EXPECT_TRUE(TakeBoxes().empty());

    // An empty path is the current folder.
    String current(MAX_PATH, L'\0');
    current.resize(GetCurrentDirectoryW(MAX_PATH, current.data()));
    SetCurrentDirectoryW(temp.File(L"fldr").c_str());
    ASSERT_TRUE(CreateNewFolderIn(L"", name));
    SetCurrentDirectoryW(current.c_str());
    EXPECT_TRUE(GetFileAttributesW(temp.File(L"fldr\\New Folder").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(ShellHelpersWindows, NewFolderFailureIsShownNotRaised) {
    String name = L"unchanged";
    bool made = true;
    EXPECT_EQ(MessageOf([&] { made = CreateNewFolderIn(temp.File(L"missing\\deeper"), name); }), "(no exception)");
    EXPECT_FALSE(made);
    EXPECT_EQ(Utf8(name), "unchanged");
    auto boxes = TakeBoxes();
    // Each series stops at its first failure; then the final word that nothing was made.
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(Utf8(boxes[0].Text),
              Utf8(L"Unable to create the folder 'New Folder'\r\n\r\n" + SysErrorMessage(ERROR_PATH_NOT_FOUND)));
    EXPECT_EQ(Utf8(boxes[1].Text),
              Utf8(L"Unable to create the folder 'fldr'\r\n\r\n" + SysErrorMessage(ERROR_PATH_NOT_FOUND)));
    EXPECT_EQ(Utf8(boxes[2].Text),
              Utf8(L"Unable to create the folder 'New Folder'\r\n\r\n" + SysErrorMessage(ERROR_ALREADY_EXISTS)));
    EXPECT_TRUE(boxes[0].Flags & MB_ICONWARNING);
}

TEST_F(ShellHelpersWindows, ColumnTextsOfFilesAndFolders) {
    std::ofstream(temp.File(L"data.level").c_str()) << std::string(1025, 'x');
    CreateDirectoryW(temp.File(L"Sub").c_str(), nullptr);
    PItemIDList file = nullptr, folder = nullptr;
    ASSERT_EQ(PathToPidl(temp.File(L"data.level"), file), S_OK);
    ASSERT_EQ(PathToPidl(temp.File(L"Sub"), folder), S_OK);

    String size, date;
    GetFileSizeAndDate(file, size, date);
    EXPECT_EQ(Utf8(size), "2KB");
    EXPECT_FALSE(date.empty());
    EXPECT_NE(date.find(L' '), String::npos) << "date, a blank, then the time";
    GetFileSizeAndDate(folder, size, date);
    EXPECT_EQ(size, L"");
    EXPECT_FALSE(date.empty());
    PItemIDList drive = nullptr;
    ASSERT_EQ(PathToPidl(L"C:\\", drive), S_OK);
    GetFileSizeAndDate(drive, size, date);
    EXPECT_EQ(size + date, L"") << "a drive root has neither";

    EXPECT_FALSE(GetFileTypeName(file, SFGAO_FILESYSTEM).empty());
    EXPECT_EQ(Utf8(GetFileTypeName(drive, 0)), "System Folder");
    ShellMemFree(file);
    ShellMemFree(folder);
    ShellMemFree(drive);
}

TEST_F(ShellHelpersWindows, OwnerWindowsStyleBitsAndSendToFailures) {
    std::unique_ptr<TForm> form(NewShownForm(100, 100));
    auto* inner = new TCustomControl(form.get());
    inner->SetParent(form.get());
    EXPECT_EQ(ShellOwnerWindow(inner), form->Handle());
    EXPECT_EQ(ShellOwnerWindow(form.get()), form->Handle());
    TCustomControl loose(nullptr);
    EXPECT_EQ(ShellOwnerWindow(&loose), nullptr);
    EXPECT_EQ(ShellOwnerWindow(nullptr), nullptr);

    HWND window = form->Handle();
    SetWindowStyleBit(window, WS_VSCROLL, true);
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_STYLE) & WS_VSCROLL);
    SetWindowStyleBit(window, WS_VSCROLL, false);
    EXPECT_FALSE(GetWindowLongPtrW(window, GWL_STYLE) & WS_VSCROLL);

    EXPECT_EQ(ClassAndMessageOf([] { RaiseSystemError(ERROR_FILE_NOT_FOUND); }),
              "Exception: " + Utf8(SysErrorMessage(ERROR_FILE_NOT_FOUND)));

    TComRef<IDataObject> data(TRzShellDataObject::Create(nullptr, {}, {temp.File(L"x.txt")}));
    EXPECT_THROW(SendToItem(L"no such target.lnk", data.Get()), EOleSysError);
}
