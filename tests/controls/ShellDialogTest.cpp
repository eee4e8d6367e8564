// The shell open and save dialogs for real: the form read from its description, shown modally
// on the test's display over a test tree under C:\ and driven by real keys and clicks while
// Execute waits.

#include <gtest/gtest.h>

#include <random>

#include "ControlTesting.h"
#include "Label.h"
#include "RzShellDialogs.h"
#include "Screen.h"
#include "RzShellOpenSaveForm.h"
#include "ShellTestTree.h"
#include "SysUtils.h"
#include "TestSupport.h"
#include "WindowTesting.h"

namespace {

std::vector<TShownBox> answeredBoxes;
int replaceAnswer = IDNO;

// Records every message box; a question about replacing a file gets replaceAnswer.
int AnswerBox(HWND, const String& text, const String& caption, UINT flags) {
    answeredBoxes.push_back(TShownBox{text, caption, flags});
    return text.find(L"already exists") != String::npos ? replaceAnswer : IDOK;
}

// Cancels whatever dialog form runs once deadlineMs pass, so that a step that never comes true
// fails the test instead of leaving the modal loop waiting for ever.
class TDialogDeadline {
public:
    explicit TDialogDeadline(int deadlineMs = 30000) : timer_(SetTimer(nullptr, 0, deadlineMs, &Expire)) {}
    ~TDialogDeadline() { KillTimer(nullptr, timer_); }

private:
    static void CALLBACK Expire(HWND, UINT, UINT_PTR, DWORD) {
        if (auto* form = As<TCustomForm>(Screen->ActiveForm())) form->SetModalResult(mrCancel);
    }
    UINT_PTR timer_;
};

// levels\a.level, levels\b.level, levels\notes.txt and levels\sub\c.level.
class ShellDialogTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        answeredBoxes.clear();
        replaceAnswer = IDNO;
        SetMessageBoxFunction(&AnswerBox);
        levels = tree.Folder(L"levels");
        tree.File(L"levels\\a.level", 10);
        tree.File(L"levels\\b.level", 20);
        tree.File(L"levels\\notes.txt", 5);
        tree.Folder(L"levels\\sub");
        tree.File(L"levels\\sub\\c.level", 30);
    }
    template <class D>
    void Prepare(D& dialog) {
        dialog.SetInitialDir(levels);
        dialog.SetFilter(L"Level files (*.level)|*.level|All files|*.*");
        dialog.SetDefaultExt(L"level");
    }
    static TRzShellOpenSaveForm* FormOf(TRzFileDialog& dialog) { return dialog.Form(); }
    static std::vector<String> Captions(TRzShellOpenSaveForm* form) {
        std::vector<String> captions;
        TListItems* items = form->ShellList->Items();
        for (int i = 0; i < items->Count(); ++i) captions.push_back(form->ShellList->ListData(items->Item(i))->DisplayName());
        std::sort(captions.begin(), captions.end());
        return captions;
    }
    static String ListFolder(TRzShellOpenSaveForm* form) { return PidlToPath(form->ShellList->FolderPidl()); }
    static bool Active(TRzFileDialog& dialog) {
        return dialog.Form() && dialog.Form()->Executing() && GetForegroundWindow() == dialog.Form()->WindowHandle();
    }
    static TPoint ItemCenter(TRzShellOpenSaveForm* form, const String& caption) {
        TListItems* items = form->ShellList->Items();
        for (int i = 0; i < items->Count(); ++i)
            if (form->ShellList->ListData(items->Item(i))->DisplayName() == caption) {
                TRect r = items->Item(i)->DisplayRect(drLabel);
                return form->ShellList->ClientToScreen(TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
            }
        ADD_FAILURE() << "no item " << Utf8(caption);
        return TPoint{0, 0};
    }
    // The script's last step: cancels the running dialog.
    static std::function<bool()> CancelStep(TRzFileDialog& dialog) {
        return [&dialog] {
            FormOf(dialog)->SetModalResult(mrCancel);
            return true;
        };
    }
    static void FocusEdit(TRzShellOpenSaveForm* form) {
        form->edtFileName->SetFocus();
        form->edtFileName->SelectAll();
    }

    TShellTestTree tree{L"zarnik-dialogs"};
    String levels;
    TDialogDeadline deadline;
};

TEST_F(ShellDialogTest, TheFormIsBuiltFromItsDescription) {
    TRzShellOpenSaveForm* form = As<TRzShellOpenSaveForm>(TRzShellOpenSaveForm::StaticClass()->Create(Application));
    EXPECT_TRUE(TakeBoxes().empty());
    EXPECT_TRUE(answeredBoxes.empty()) << (answeredBoxes.empty() ? "" : Utf8(answeredBoxes[0].Text));
    EXPECT_EQ(form->Caption(), L"Open");
    EXPECT_EQ(form->ClientWidth(), 552);
    EXPECT_EQ(form->btnPlace[3]->Top(), 234);
    EXPECT_EQ(form->btnDetails->Left(), 415);
    EXPECT_EQ(form->lblLookIn->FocusControl(), form->ShellCombo);
    EXPECT_EQ(form->lblLookIn->Alignment(), taRightJustify);
    EXPECT_EQ(form->ShellTree->Parent(), form->RzSplitter1->Pane(1));
    EXPECT_EQ(form->ShellList->Parent(), form->RzSplitter1->Pane(2));
    EXPECT_EQ(form->ShellList->ViewStyle(), vsList);
    EXPECT_EQ(form->imlToolbar->Count(), 6);
    EXPECT_TRUE(form->btnList->Down());
    EXPECT_EQ(form->ShellCombo->ShellList(), form->ShellList);
    EXPECT_EQ(form->PopupMode(), pmAuto);
    EXPECT_TRUE(form->KeyPreview());
    FreeObject(form);
}

TEST_F(ShellDialogTest, OpenListsLevelFilesEntersFoldersSeesNewFilesAndTakesATypedName) {
    TRzOpenDialog dialog(nullptr);
    Prepare(dialog);
    dialog.SetOptions(dialog.Options() + osoFileMustExist);
    dialog.SetTitle(L"Open level");
    String newFile = tree.Path(L"levels\\new.level");
    std::vector<String> firstList, subList, afterCreate;
    TTickScript script(
        {
            [&] { return Active(dialog) && FormOf(dialog)->ShellList->Items()->Count() == 3; },
            [&] {
                firstList = Captions(FormOf(dialog));
                EXPECT_EQ(FormOf(dialog)->Caption(), L"Open level");
                TPoint sub = ItemCenter(FormOf(dialog), L"sub");
                ClickAt(sub);
                ClickAt(sub);
                return true;
            },
            [&] { return SameText(ListFolder(FormOf(dialog)), tree.Path(L"levels\\sub")); },
            [&] {
                subList = Captions(FormOf(dialog));
                TypeKey(VK_BACK);
                return true;
            },
            [&] { return SameText(ListFolder(FormOf(dialog)), levels) && FormOf(dialog)->ShellList->Items()->Count() == 3; },
            [&] {
                tree.File(L"levels\\new.level");
                return true;
            },
            [&] { return FormOf(dialog)->ShellList->Items()->Count() == 4; },
            [&] {
                afterCreate = Captions(FormOf(dialog));
                FocusEdit(FormOf(dialog));
                TypeText(L"b");
                TypeKey(VK_RETURN);
                return true;
            },
        },
        20000);
    const bool accepted = dialog.Execute();
    EXPECT_TRUE(script.Done()) << "steps run: " << script.StepsRun();
    EXPECT_TRUE(accepted);
    EXPECT_TRUE(SameText(dialog.GetFileName(), tree.Path(L"levels\\b.level"))) << Utf8(dialog.GetFileName());
    EXPECT_EQ(firstList, (std::vector<String>{L"a.level", L"b.level", L"sub"}));
    EXPECT_EQ(subList, (std::vector<String>{L"c.level"}));
    EXPECT_EQ(afterCreate, (std::vector<String>{L"a.level", L"b.level", L"new.level", L"sub"}));
    EXPECT_TRUE(answeredBoxes.empty());
    EXPECT_EQ(dialog.Form(), nullptr);
}

// Selecting in the list writes the chosen files into the name edit: one file by its name, several
// quoted in list order; a selected folder is never chosen.
TEST_F(ShellDialogTest, SelectedFilesAreWrittenIntoTheNameEdit) {
    TRzOpenDialog dialog(nullptr);
    Prepare(dialog);
    dialog.SetOptions(dialog.Options() + osoAllowMultiselect);
    auto edit = [&] { return FormOf(dialog)->edtFileName->Text(); };
    auto ctrlClick = [&](const String& caption) {
        KeyDown(VK_CONTROL);
        ClickAt(ItemCenter(FormOf(dialog), caption));
        KeyUp(VK_CONTROL);
    };
    const String both = L"\"a.level\" \"b.level\"";
    TTickScript script(
        {
            [&] { return Active(dialog) && FormOf(dialog)->ShellList->Items()->Count() == 3; },
            [&] {
                ClickAt(ItemCenter(FormOf(dialog), L"b.level"));
                return true;
            },
            [&] { return edit() == L"b.level"; },
            [&] {
                ctrlClick(L"a.level");
                return true;
            },
            [&] { return edit() == both; },
            [&] {
                ctrlClick(L"sub");
                return true;
            },
            [&] { return FormOf(dialog)->ShellList->SelCount() == 3; },
            [&] {
                EXPECT_EQ(edit(), both);
                return true;
            },
            CancelStep(dialog),
        },
        20000);
    dialog.Execute();
    EXPECT_TRUE(script.Done()) << "steps run: " << script.StepsRun();
}

TEST_F(ShellDialogTest, SaveCompletesTheExtensionAndAsksBeforeReplacing) {
    TRzSaveDialog dialog(nullptr);
    Prepare(dialog);
    dialog.SetOptions(dialog.Options() + osoOverwritePrompt);
    bool stayedOpen = false;
    TTickScript script(
        {
            [&] { return Active(dialog) && FormOf(dialog)->ShellList->Items()->Count() == 3; },
            [&] {
                EXPECT_EQ(FormOf(dialog)->Caption(), L"Save As");
                EXPECT_EQ(FormOf(dialog)->btnOpen->Caption(), L"&Save");
                FocusEdit(FormOf(dialog));
                TypeText(L"a");
                TypeKey(VK_RETURN);
                return true;
            },
            [&] { return !answeredBoxes.empty(); },
            [&] {
                stayedOpen = FormOf(dialog) && FormOf(dialog)->Executing();
                FocusEdit(FormOf(dialog));
                TypeText(L"Level02");
                TypeKey(VK_RETURN);
                return true;
            },
        },
        20000);
    const bool accepted = dialog.Execute();
    EXPECT_TRUE(script.Done()) << "steps run: " << script.StepsRun();
    EXPECT_TRUE(accepted);
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(answeredBoxes.size(), 1u);
    EXPECT_EQ(answeredBoxes[0].Text, tree.Path(L"levels\\a.level") + L" already exists.\nDo you want to replace it?");
    EXPECT_EQ(answeredBoxes[0].Caption, L"Save As");
    EXPECT_EQ(answeredBoxes[0].Flags & (MB_ICONWARNING | MB_YESNO), UINT(MB_ICONWARNING | MB_YESNO));
    EXPECT_TRUE(SameText(dialog.GetFileName(), tree.Path(L"levels\\Level02.level"))) << Utf8(dialog.GetFileName());
    EXPECT_FALSE(dialog.Options().Contains(osoExtensionDifferent));
}

TEST_F(ShellDialogTest, AnEmptyNameStaysOpenSilentlyAndCancelKeepsTheGeometryButNoName) {
    TRzOpenDialog dialog(nullptr);
    Prepare(dialog);
    dialog.SetFileName(L"Level01.level");
    bool stayedOpen = false;
    TTickScript script(
        {
            [&] { return Active(dialog) && FormOf(dialog)->ShellList->Items()->Count() == 3; },
            [&] {
                EXPECT_EQ(FormOf(dialog)->edtFileName->Text(), L"Level01.level");
                FocusEdit(FormOf(dialog));
                TypeKey(VK_DELETE);
                TypeText(L"  ");
                TypeKey(VK_RETURN);
                return true;
            },
            [&] { return PumpUntilIdle(), true; },
            [&] {
                stayedOpen = FormOf(dialog)->Executing();
                FormOf(dialog)->SetBounds(40, 30, 640, 480);
                FormOf(dialog)->cbxFileTypes->SetItemIndex(1);
                FormOf(dialog)->SetSplitterPosition(150);
                TypeKey(VK_ESCAPE);
                return true;
            },
        },
        20000);
    EXPECT_FALSE(dialog.Execute());
    EXPECT_TRUE(script.Done()) << "steps run: " << script.StepsRun();
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(answeredBoxes.empty());
    EXPECT_EQ(dialog.GetFileName(), L"");
    EXPECT_EQ(dialog.Files()->Count(), 0);
    EXPECT_EQ(dialog.FormWidth(), 640);
    EXPECT_EQ(dialog.FormHeight(), 480);
    EXPECT_EQ(dialog.FilterIndex(), 2);
    EXPECT_EQ(dialog.FormSplitterPos(), 150);

    // The next run comes back with them, and with an empty name.
    int width = 0, filterIndex = 0, splitter = 0;
    String name = L"?";
    TTickScript again(
        {
            [&] { return Active(dialog); },
            [&] {
                width = FormOf(dialog)->Width();
                filterIndex = FormOf(dialog)->GetFormFilterIndex();
                splitter = FormOf(dialog)->SplitterPosition();
                name = FormOf(dialog)->edtFileName->Text();
                FormOf(dialog)->SetModalResult(mrCancel);
                return true;
            },
        },
        20000);
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(width, 640);
    EXPECT_EQ(filterIndex, 2);
    EXPECT_EQ(name, L"");
}

TEST_F(ShellDialogTest, FunctionKeysToggleTheTreeDropTheComboAndRefresh) {
    TRzOpenDialog dialog(nullptr);
    Prepare(dialog);
    bool treeShown = false, treeHidden = false, dropped = false, refreshed = false;
    TTickScript script(
        {
            [&] { return Active(dialog) && FormOf(dialog)->ShellList->Items()->Count() == 3; },
            [&] {
                // The edit has the focus: the form refills the list, which shows the new file.
                tree.File(L"levels\\later.level");
                FocusEdit(FormOf(dialog));
                TypeKey(VK_F5);
                return true;
            },
            [&] {
                return refreshed = SameText(ListFolder(FormOf(dialog)), levels) &&
                                   FormOf(dialog)->ShellList->Items()->Count() == 4;
            },
            [&] {
                FormOf(dialog)->ShellList->SetFocus();
                TypeKey(VK_F12);
                return true;
            },
            [&] {
                TRzShellOpenSaveForm* form = FormOf(dialog);
                treeShown = form->RzSplitter1->UpperLeft()->Visible() && form->btnShowTree->Down() &&
                            form->ShellTree->ShellList() == form->ShellList &&
                            form->FormOptions().Contains(osoShowTree);
                TypeKey(VK_F12);
                return true;
            },
            [&] {
                TRzShellOpenSaveForm* form = FormOf(dialog);
                treeHidden = !form->RzSplitter1->UpperLeft()->Visible() && !form->btnShowTree->Down() &&
                             form->ShellCombo->ShellList() == form->ShellList;
                TypeKey(VK_F4);
                return true;
            },
            [&] { return FormOf(dialog)->ShellCombo->DroppedDown(); },
            [&] {
                dropped = true;
                TypeKey(VK_F4);
                return true;
            },
            [&] { return !FormOf(dialog)->ShellCombo->DroppedDown(); },
            CancelStep(dialog),
        },
        20000);
    dialog.Execute();
    EXPECT_TRUE(script.Done()) << "steps run: " << script.StepsRun();
    EXPECT_TRUE(treeShown);
    EXPECT_TRUE(treeHidden);
    EXPECT_TRUE(dropped);
    EXPECT_TRUE(refreshed);
    EXPECT_FALSE(dialog.Options().Contains(osoShowTree));
}

// The new-folder button works where the user works: in the tree when it has the focus or when the
// list hides its folders beside the shown tree, in the list otherwise; the new name is being edited.
TEST_F(ShellDialogTest, CreateNewFolderMakesTheFolderInTheTreeOrInTheList) {
    struct Case {
        const char* name;
        bool showTree, focusTree, hideFoldersInList, inTree;
    };
    const Case cases[] = {
        {"tree hidden, edit focused", false, false, false, false},
        {"tree shown, edit focused", true, false, false, false},
        {"tree shown and focused", true, true, false, true},
        {"tree shown, list hides its folders", true, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const String made = IncludeTrailingPathDelimiter(levels) + L"New Folder";
        RemoveDirectoryW(made.c_str());
        TRzOpenDialog dialog(nullptr);
        Prepare(dialog);
        TRzOpenSaveOptions options = TRzFileDialog::DefaultOptions();
        if (c.showTree) options.Include(osoShowTree);
        if (c.hideFoldersInList) options.Include(osoHideFoldersInListWhenTreeVisible);
        dialog.SetOptions(options);
        bool treeEdits = false, listEdits = false, treeHasIt = false, listHasIt = false;
        TTickScript script(
            {
                [&] {
                    TRzShellOpenSaveForm* form = FormOf(dialog);
                    return Active(dialog) && form->ShellList->Items()->Count() >= 2 &&
                           form->RzSplitter1->UpperLeft()->Visible() == c.showTree &&
                           (!c.showTree || form->ShellTree->Selected());
                },
                [&] {
                    TRzShellOpenSaveForm* form = FormOf(dialog);
                    if (c.focusTree)
                        form->ShellTree->SetFocus();
                    else
                        FocusEdit(form);
                    TControl* button = form->btnCreateNewFolder;
                    ClickAt(button->ClientToScreen(TPoint{button->Width() / 2, button->Height() / 2}));
                    return true;
                },
                [&] {
                    TRzShellOpenSaveForm* form = FormOf(dialog);
                    treeEdits = form->ShellTree->IsEditing();
                    listEdits = form->ShellList->IsEditing();
                    return treeEdits || listEdits;
                },
                [&] {
                    TRzShellOpenSaveForm* form = FormOf(dialog);
                    if (TTreeNode* node = form->ShellTree->Selected())
                        for (TTreeNode* child = node->GetFirstChild(); child; child = child->GetNextSibling())
                            treeHasIt = treeHasIt || child->Text() == L"New Folder";
                    const std::vector<String> names = Captions(form);
                    listHasIt = std::find(names.begin(), names.end(), String(L"New Folder")) != names.end();
                    TypeKey(VK_ESCAPE);  // ends the editing, keeps the name
                    return true;
                },
                [&] {
                    TRzShellOpenSaveForm* form = FormOf(dialog);
                    if (form->ShellTree->IsEditing() || form->ShellList->IsEditing()) return false;
                    form->SetModalResult(mrCancel);
                    return true;
                },
            },
            20000);
        dialog.Execute();
        EXPECT_TRUE(script.Done()) << "steps run: " << script.StepsRun();
        EXPECT_TRUE(DirectoryExists(made));
        EXPECT_EQ(treeEdits, c.inTree);
        EXPECT_EQ(listEdits, !c.inTree);
        EXPECT_TRUE(c.inTree ? treeHasIt : listHasIt);
        EXPECT_TRUE(answeredBoxes.empty());
        RemoveDirectoryW(made.c_str());
    }
}

struct THelpRecorder : TObject {
    std::vector<std::pair<Word, NativeInt>> requests;
    bool Help(Word Command, NativeInt Data, bool& CallHelp) {
        requests.emplace_back(Command, Data);
        CallHelp = false;
        return true;
    }
};

TEST_F(ShellDialogTest, TheHelpButtonAsksTheDialogsOnHelpForItsContext) {
    TRzOpenDialog dialog(nullptr);
    Prepare(dialog);
    TRzOpenSaveOptions options = TRzFileDialog::DefaultOptions();
    options.Include(osoShowHelp);
    dialog.SetOptions(options);
    dialog.SetHelpContext(4711);
    THelpRecorder recorder;
    dialog.OnHelp = MakeEvent(&recorder, &THelpRecorder::Help);
    TTickScript script(
        {
            [&] { return Active(dialog) && FormOf(dialog)->btnHelp->Visible(); },
            [&] {
                TControl* button = FormOf(dialog)->btnHelp;
                ClickAt(button->ClientToScreen(TPoint{button->Width() / 2, button->Height() / 2}));
                return true;
            },
            [&] { return !recorder.requests.empty(); },
            CancelStep(dialog),
        },
        20000);
    dialog.Execute();
    EXPECT_TRUE(script.Done()) << "steps run: " << script.StepsRun();
    ASSERT_EQ(recorder.requests.size(), 1u);
    EXPECT_EQ(recorder.requests[0].first, HELP_CONTEXT);
    EXPECT_EQ(recorder.requests[0].second, 4711);
}

// The form reports 463 by 274 as its smallest tracking size and its stored 560 by 420 constraints
// hold on top of it: sized far below, the shown form stops at 560 by 420 with the size grip in
// its bottom right corner; without the constraints the reported size is 463 by 274.
TEST_F(ShellDialogTest, TheFormStopsAtItsSmallestSize) {
    TRzOpenDialog dialog(nullptr);
    Prepare(dialog);
    TRect grown{}, shrunk{};
    POINT bare{};
    bool gripInCorner = false;
    TTickScript script(
        {
            [&] { return Active(dialog) && FormOf(dialog)->ShellList->Items()->Count() == 3; },
            [&] {
                TRzShellOpenSaveForm* form = FormOf(dialog);
                HWND window = form->WindowHandle();
                const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
                SetWindowPos(window, nullptr, 0, 0, 700, 520, flags);
                GetWindowRect(window, &grown);
                SetWindowPos(window, nullptr, 0, 0, 100, 80, flags);
                GetWindowRect(window, &shrunk);
                RECT client, grip;
                GetClientRect(window, &client);
                HWND gripWindow = FindWindowExW(window, nullptr, L"SCROLLBAR", nullptr);
                if (gripWindow && GetWindowRect(gripWindow, &grip)) {
                    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&grip), 2);
                    gripInCorner = grip.right == client.right && grip.bottom == client.bottom;
                }
                form->Constraints()->SetMinWidth(0);
                form->Constraints()->SetMinHeight(0);
                MINMAXINFO info{};
                SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
                bare = info.ptMinTrackSize;
                form->SetModalResult(mrCancel);
                return true;
            },
        },
        20000);
    dialog.Execute();
    EXPECT_TRUE(script.Done()) << "steps run: " << script.StepsRun();
    EXPECT_EQ(grown.right - grown.left, 700);
    EXPECT_EQ(shrunk.right - shrunk.left, 560);
    EXPECT_EQ(shrunk.bottom - shrunk.top, 420);
    EXPECT_TRUE(gripInCorner);
    EXPECT_EQ(bare.x, 463);
    EXPECT_EQ(bare.y, 274);
}

TEST_F(ShellDialogTest, ATypedFolderIsEnteredAndWildcardsFilterTheList) {
    TRzOpenDialog dialog(nullptr);
    Prepare(dialog);
    std::vector<String> filtered;
    String folderAfter;
    TTickScript script(
        {
            [&] { return Active(dialog) && FormOf(dialog)->ShellList->Items()->Count() == 3; },
            [&] {
                FocusEdit(FormOf(dialog));
                TypeText(L"sub");
                TypeKey(VK_RETURN);
                return true;
            },
            [&] { return SameText(ListFolder(FormOf(dialog)), tree.Path(L"levels\\sub")); },
            [&] {
                FocusEdit(FormOf(dialog));
                TypeText(L"..\\*.txt");
                TypeKey(VK_RETURN);
                return true;
            },
            [&] { return FormOf(dialog)->ShellList->Items()->Count() == 2 && SameText(ListFolder(FormOf(dialog)), levels); },
            [&] {
                filtered = Captions(FormOf(dialog));
                EXPECT_EQ(FormOf(dialog)->edtFileName->Text(), L"*.txt");
                FormOf(dialog)->SetModalResult(mrCancel);
                return true;
            },
        },
        20000);
    dialog.Execute();
    EXPECT_TRUE(script.Done()) << "steps run: " << script.StepsRun();
    EXPECT_EQ(filtered, (std::vector<String>{L"notes.txt", L"sub"}));
    EXPECT_TRUE(answeredBoxes.empty());
}

TEST_F(ShellDialogTest, ExecuteRefusesToRunTwice) {
    TRzOpenDialog dialog(nullptr);
    Prepare(dialog);
    String message;
    TTickScript script(
        {
            [&] { return Active(dialog); },
            [&] {
                try {
                    dialog.Execute();
                } catch (const Exception& e) {
                    message = e.Message();
                }
                FormOf(dialog)->SetModalResult(mrCancel);
                return true;
            },
        },
        20000);
    dialog.Execute();
    EXPECT_EQ(message, L"TRzOpenDialog already executing");
    EXPECT_FALSE(dialog.Executing());
}

// Setting the form's folder, file types and options before the show must not each read the
// folder: a big folder would be listed several times before the dialog appears.
struct TListFillCounter : TObject {
    TRzFileDialog* dialog = nullptr;
    TClickCount fills;
    void Attach(TObject*) { dialog->Form()->ShellList->OnFillStart = MakeEvent(&fills, &TClickCount::Click); }
};

TEST_F(ShellDialogTest, OpeningTheDialogReadsTheFolderOnce) {
    TRzOpenDialog dialog(nullptr);
    Prepare(dialog);
    TListFillCounter counter;
    counter.dialog = &dialog;
    dialog.OnInitialized = MakeEvent(&counter, &TListFillCounter::Attach);
    int fillsWhenShown = -1, fillsLater = -1;
    std::vector<String> shown;
    TTickScript script(
        {
            [&] { return Active(dialog) && FormOf(dialog)->ShellList->Items()->Count() == 3; },
            [&] {
                fillsWhenShown = counter.fills.clicks;
                shown = Captions(FormOf(dialog));
                return true;
            },
            [&] {
                fillsLater = counter.fills.clicks;
                FormOf(dialog)->SetModalResult(mrCancel);
                return true;
            },
        },
        20000);
    dialog.Execute();
    EXPECT_TRUE(script.Done()) << "steps run: " << script.StepsRun();
    EXPECT_EQ(shown, (std::vector<String>{L"a.level", L"b.level", L"sub"}));
    EXPECT_EQ(fillsWhenShown, 1);
    EXPECT_EQ(fillsLater, 1);
}

// With ZARNIK_DIALOG_SHOTS naming a folder (scripts/dialog-pictures.sh), asks for a picture of
// the screen at three moments: the open dialog in list view, in details view with the tree, and
// the save dialog, with the editor's titles.
TEST_F(ShellDialogTest, PicturesOfTheDialogs) {
    const char* folder = std::getenv("ZARNIK_DIALOG_SHOTS");
    if (!folder) GTEST_SKIP() << "ZARNIK_DIALOG_SHOTS names no folder";
    const String request = String(folder, folder + std::strlen(folder)) + L"\\request.txt";
    bool asked = false;
    // One step: asks for the picture, then waits until it was taken.
    auto picture = [&](const char* name) {
        return [&, name] {
            if (!asked) {
                PumpUntilIdle();
                std::FILE* file = _wfopen(request.c_str(), L"w");
                std::fputs(name, file);
                std::fclose(file);
                asked = true;
                return false;
            }
            if (FileExists(request)) return false;
            asked = false;
            return true;
        };
    };
    TRzOpenDialog open(nullptr);
    Prepare(open);
    open.SetTitle(L"Открыть уровень");
    open.SetFilter(L"Файлы уровней (*.level)|*.level");
    open.SetFrameVisible(true);
    open.SetFramingPreference(fpCustomFraming);
    open.SetHotTrack(true);
    open.SetToolBtnVisualStyle(vsGradient);
    TTickScript openScript(
        {
            [&] { return Active(open) && FormOf(open)->ShellList->Items()->Count() == 3; },
            picture("shell-open-list"),
            [&] {
                TypeKey(VK_F12);
                ClickAt(FormOf(open)->btnDetails->Parent()->ClientToScreen(
                    TPoint{FormOf(open)->btnDetails->Left() + 10, FormOf(open)->btnDetails->Top() + 10}));
                return true;
            },
            [&] { return FormOf(open)->ShellList->ViewStyle() == vsReport && FormOf(open)->ShellTree->Items()->Count() > 0; },
            picture("shell-open-details-tree"),
            [&] {
                FormOf(open)->SetModalResult(mrCancel);
                return true;
            },
        },
        60000);
    open.Execute();
    EXPECT_TRUE(openScript.Done());

    TRzSaveDialog save(nullptr);
    Prepare(save);
    save.SetTitle(L"Сохранить уровень");
    save.SetFilter(L"Файлы уровней (*.level)|*.level");
    save.SetFileName(L"Level02.level");
    TTickScript saveScript(
        {
            [&] { return Active(save) && FormOf(save)->ShellList->Items()->Count() == 3; },
            picture("shell-save"),
            [&] {
                FormOf(save)->SetModalResult(mrCancel);
                return true;
            },
        },
        60000);
    save.Execute();
    EXPECT_TRUE(saveScript.Done());
}

// Every typed name is refused with a message, enters a folder, names nothing, or is accepted as a
// full path of the folder's drive.
TEST_F(ShellDialogTest, MutatedTypedNamesAreRefusedWithAMessageOrAcceptedAsFullPaths) {
    TRzShellOpenSaveForm* form = As<TRzShellOpenSaveForm>(TRzShellOpenSaveForm::StaticClass()->Create(Application));
    form->SetFormOptions(TRzOpenSaveOptions{osoHideReadOnly});
    form->SetDefaultExt(L"level");
    form->SetFormFilter(L"Level files|*.level");
    form->SetFormFilterIndex(1);
    form->SetFormInitialDir(tree.Path(L"levels\\sub"));
    std::mt19937 random(29);
    const wchar_t alphabet[] = L"ab.\\/<>|\"*? \t\x0416";
    int accepted = 0, refused = 0;
    for (int round = 0; round < 10000; ++round) {
        String typed;
        const int length = int(random() % (round % 500 == 0 ? 600 : 12));
        for (int i = 0; i < length; ++i) typed += alphabet[random() % (std::size(alphabet) - 1)];
        if (HasWildcard(typed)) continue;  // the close query filters instead
        const String before = PidlToPath(form->ShellList->FolderPidl());
        answeredBoxes.clear();
        if (form->ProcessTypedNames(typed)) {
            ++accepted;
            ASSERT_GT(form->Selections()->Count(), 0);
            for (int i = 0; i < form->Selections()->Count(); ++i) {
                const String full = form->Selections()->Strings(i);
                EXPECT_TRUE((full.size() > 3 && full[1] == L':' && full[2] == L'\\') || ClassifyPath(full) == pkUNC) << Utf8(full);
                EXPECT_LT(full.size(), size_t(MAX_PATH)) << Utf8(full);
            }
        } else {
            ++refused;
            EXPECT_EQ(form->Selections()->Count(), 0);
            bool entered = !SameText(before, PidlToPath(form->ShellList->FolderPidl()));
            for (const String& name : SplitQuotedNames(typed)) entered |= DirectoryExists(CombinePath(before, name));
            const bool namedNothing = SplitQuotedNames(typed).empty() || TrimRight(typed).empty();
            EXPECT_TRUE(!answeredBoxes.empty() || entered || namedNothing) << Utf8(typed);
            if (entered) form->SetFormInitialDir(tree.Path(L"levels\\sub"));
        }
    }
    EXPECT_GT(accepted, 0);
    EXPECT_GT(refused, 0);
    FreeObject(form);
}

}  // namespace
