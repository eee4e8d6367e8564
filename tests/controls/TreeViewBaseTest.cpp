// The tree view base: the node tree as indented text (tables, the refused level, a mutation
// loop), and on a real form the item height, expanding that selects, the outline of the
// inactive selection (by pixels), wheel steps and the routes of its context menus.

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ControlSnapshot.h"
#include "ControlTesting.h"
#include "ControlsUnits.h"
#include "Mouse.h"
#include "MutationSupport.h"
#include "RzTreeVw.h"
#include "WindowTesting.h"

namespace {

// "text(children...)" for every root, in order.
std::string Shape(TTreeNode* first) {
    std::string out;
    for (TTreeNode* node = first; node; node = node->GetNextSibling()) {
        out += Utf8(node->Text());
        if (node->GetFirstChild()) out += "(" + Shape(node->GetFirstChild()) + ")";
        if (node->GetNextSibling()) out += " ";
    }
    return out;
}

std::vector<std::string> Lines(TStrings* lines) {
    std::vector<std::string> out;
    for (Integer i = 0; i < lines->Count(); ++i) out.push_back(Utf8(lines->Get(i)));
    return out;
}

void SetLines(TStringList& list, std::initializer_list<const wchar_t*> lines) {
    list.Clear();
    for (const wchar_t* line : lines) list.Add(line);
}

class TreeViewBase : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        InitializeControlsUnits();
        form.reset(NewShownForm(300, 300));
        other = new TFocusTarget(form.get());
        other->SetParent(form.get());
        other->SetBounds(260, 260, 30, 30);
        tree = new TRzCustomTreeView(form.get());
        tree->SetParent(form.get());
        tree->SetBounds(10, 10, 200, 160);
        PumpUntilIdle();
    }
    void TearDown() override {
        form.reset();
        WindowTest::TearDown();
    }
    void Load(std::initializer_list<const wchar_t*> lines) {
        TStringList list;
        SetLines(list, lines);
        tree->LoadTreeFromStrings(&list);
    }
    TTreeNode* Node(const String& text) {
        for (TTreeNode* node = tree->Items()->GetFirstNode(); node; node = node->GetNext())
            if (node->Text() == text) return node;
        return nullptr;
    }
    TPoint ScreenOf(TPoint client) { return tree->ClientToScreen(client); }

    std::unique_ptr<TForm> form;
    TFocusTarget* other = nullptr;
    TRzCustomTreeView* tree = nullptr;
};

}  // namespace

TEST_F(TreeViewBase, IndentedLinesLoadAsATreeAndSaveBack) {
    struct Case {
        const char* what;
        std::initializer_list<const wchar_t*> lines;
        std::string shape;
        std::vector<std::string> saved;
    } cases[] = {
        {"a child between two roots", {L"a", L"\tb", L"c"}, "a(b) c", {"a", "\tb", "c"}},
        {"blanks count as levels", {L"a", L" b", L"  c", L" d"}, "a(b(c) d)", {"a", "\tb", "\t\tc", "\td"}},
        {"up two levels at once", {L"a", L"\tb", L"\t\tc", L"d"}, "a(b(c)) d", {"a", "\tb", "\t\tc", "d"}},
        {"a first line deeper than a later one", {L"\t\ta", L"\tb", L"c"}, "a b c", {"a", "b", "c"}},
        {"deeper first line with a child", {L"\ta", L"\t\tb", L"c"}, "a(b) c", {"a", "\tb", "c"}},
        {"texts keep inner blanks",
         {L"New Folder", L"\tSub folder  x"},
         "New Folder(Sub folder  x)",
         {"New Folder", "\tSub folder  x"}},
        {"no lines", {}, "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Load(c.lines);
        EXPECT_EQ(Shape(tree->Items()->GetFirstNode()), c.shape);
        TStringList saved;
        tree->SaveTreeToStrings(&saved);
        EXPECT_EQ(Lines(&saved), c.saved);
        // What was saved loads to the same tree.
        tree->LoadTreeFromStrings(&saved);
        EXPECT_EQ(Shape(tree->Items()->GetFirstNode()), c.shape);
    }
}

TEST_F(TreeViewBase, ALineTwoLevelsDeeperIsRefused) {
    struct Case {
        std::initializer_list<const wchar_t*> lines;
        std::string message;
    } cases[] = {
        {{L"a", L"\t\tb"}, "ETreeViewError: Invalid level (2) for item \"b\""},
        {{L"a", L"\tb", L"\t\t\t\tУровень 1"}, "ETreeViewError: Invalid level (4) for item \"Уровень 1\""},
        {{L"\ta", L"\t \t c"}, "ETreeViewError: Invalid level (4) for item \"c\""},
    };
    for (const Case& c : cases) EXPECT_EQ(ClassAndMessageOf([&] { Load(c.lines); }), c.message);
    // The lines before the refused one stay loaded.
    EXPECT_EQ(Shape(tree->Items()->GetFirstNode()), "a");
}

TEST_F(TreeViewBase, IndentedTextsLoadOrAreRefusedWithoutLeaks) {
    TRuntimeRandom random(0x7EE5);
    static const wchar_t* const kTexts[] = {L"a", L"Folder", L"", L"x y", L"Уровни", L"\x2028", L"%s%d"};
    auto run = [&](int count, int& loaded, int& refused) {
        for (int round = 0; round < count; ++round) {
            TStringList lines;
            const int n = int(random.Next(12));
            int depth = 0;
            for (int i = 0; i < n; ++i) {
                // Mostly plausible steps, sometimes a jump.
                switch (random.Next(6)) {
                    case 0:
                        depth = int(random.Next(6));
                        break;
                    case 1:
                        depth = std::max(depth - 1, 0);
                        break;
                    case 2:
                        ++depth;
                        break;
                    default:
                        break;
                }
                String indent;
                for (int k = 0; k < depth; ++k) indent += random.Next(2) ? L'\t' : L' ';
                lines.Add(indent + kTexts[random.Next(std::size(kTexts))]);
            }
            try {
                tree->LoadTreeFromStrings(&lines);
            } catch (const ETreeViewError& e) {
                ++refused;
                ASSERT_EQ(Utf8(e.Message()).rfind("Invalid level (", 0), 0u) << Utf8(e.Message());
                continue;
            }
            ++loaded;
            ASSERT_EQ(tree->Items()->Count(), n);
            // Saved and loaded again, the tree keeps its shape.
            TStringList saved, again;
            tree->SaveTreeToStrings(&saved);
            tree->LoadTreeFromStrings(&saved);
            tree->SaveTreeToStrings(&again);
            ASSERT_EQ(Lines(&again), Lines(&saved));
        }
    };
    int loaded = 0, refused = 0;
    run(200, loaded, refused);
    tree->Items()->Clear();
    const THeapUse before = HeapInUse();
    loaded = refused = 0;
    run(10000, loaded, refused);
    tree->Items()->Clear();
    const THeapUse after = HeapInUse();
    EXPECT_GT(loaded, 1000);
    EXPECT_GT(refused, 1000);
    EXPECT_LE(after.blocks, before.blocks + 16) << "objects left behind";
    EXPECT_LE(after.bytes, before.bytes + 16 * 1024) << "memory left behind";
}

TEST_F(TreeViewBase, FrameAndColoursFollowTheState) {
    MoveMouseTo(TPoint{700, 550});  // the frame is hot under the mouse
    tree->SetColor(clWhite);
    EXPECT_EQ(tree->FocusColor(), clWhite) << "it was the same as Color";
    tree->SetFocusColor(clYellow);
    tree->SetFrameColor(clRed);
    tree->SetFrameVisible(true);
    auto framePixel = [&](int x) {
        RedrawWindow(tree->WindowHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        HDC dc = GetWindowDC(tree->WindowHandle());
        TColor c = TColor(GetPixel(dc, x, tree->Height() / 2));
        ReleaseDC(tree->WindowHandle(), dc);
        return c;
    };
    EXPECT_EQ(framePixel(0), RgbOf(clRed));
    EXPECT_EQ(framePixel(1), RgbOf(clWhite));
    tree->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return tree->Focused(); }));
    EXPECT_EQ(tree->Color(), clYellow);
    EXPECT_EQ(framePixel(1), RgbOf(clYellow)) << "the frame's inner ring takes the control's colour";
    tree->SetEnabled(false);
    EXPECT_EQ(tree->Color(), clBtnFace);
    tree->SetEnabled(true);
    other->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return !tree->Focused(); }));
    EXPECT_EQ(tree->Color(), clWhite);
}

TEST_F(TreeViewBase, ItemHeightZeroOrBelowIsTheTreesOwn) {
    HWND window = tree->WindowHandle();
    const int own = int(SendMessageW(window, TVM_GETITEMHEIGHT, 0, 0));
    ASSERT_GT(own, 0);
    struct Case {
        int set, stored, shown;
    } cases[] = {{30, 30, 30}, {0, 0, own}, {24, 24, 24}, {-7, 0, own}};
    for (const Case& c : cases) {
        tree->SetItemHeight(c.set);
        EXPECT_EQ(tree->ItemHeight(), c.stored) << c.set;
        EXPECT_EQ(SendMessageW(window, TVM_GETITEMHEIGHT, 0, 0), c.shown) << c.set;
    }
    // A new window gets it too.
    tree->SetItemHeight(28);
    tree->SetShowLines(false);  // re-creates the window
    ASSERT_NE(tree->WindowHandle(), window);
    EXPECT_EQ(SendMessageW(tree->WindowHandle(), TVM_GETITEMHEIGHT, 0, 0), 28);
}

TEST_F(TreeViewBase, SelectOnExpandAndAutoExpandExcludeEachOther) {
    tree->SetAutoExpand(true);
    tree->SetSelectOnExpand(true);
    EXPECT_FALSE(tree->AutoExpand());
    EXPECT_TRUE(tree->SelectOnExpand());
    tree->SetAutoExpand(true);
    EXPECT_TRUE(tree->AutoExpand());
    EXPECT_FALSE(tree->SelectOnExpand());
    tree->SetAutoExpand(false);
    tree->SetSelectOnExpand(true);

    // Expanding or collapsing a node with its button selects it.
    Load({L"a", L"\ta1", L"b", L"\tb1", L"c"});
    tree->SetSelected(Node(L"c"));
    const int indent = int(SendMessageW(tree->WindowHandle(), TVM_GETINDENT, 0, 0));
    auto clickButtonOf = [&](TTreeNode* node) {
        TRect text = node->DisplayRect(true);
        ClickAt(ScreenOf(TPoint{text.left - indent / 2 - 1, (text.top + text.bottom) / 2}));
    };
    clickButtonOf(Node(L"b"));
    ASSERT_TRUE(PumpUntil([&] { return Node(L"b")->Expanded(); }, 2000));
    EXPECT_EQ(tree->Selected(), Node(L"b"));
    tree->SetSelected(Node(L"c"));
    clickButtonOf(Node(L"b"));
    ASSERT_TRUE(PumpUntil([&] { return !Node(L"b")->Expanded(); }, 2000));
    EXPECT_EQ(tree->Selected(), Node(L"b"));

    // Without it the selection stays.
    tree->SetSelectOnExpand(false);
    tree->SetSelected(Node(L"c"));
    clickButtonOf(Node(L"a"));
    ASSERT_TRUE(PumpUntil([&] { return Node(L"a")->Expanded(); }, 2000));
    EXPECT_EQ(tree->Selected(), Node(L"c"));
}

TEST_F(TreeViewBase, TheSelectionIsOutlinedWhileTheFocusIsElsewhere) {
    tree->SetHideSelection(false);
    Load({L"first", L"second node", L"third"});
    TTreeNode* second = Node(L"second node");
    tree->SetSelected(second);
    other->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return !tree->Focused(); }));
    auto outlined = [&](TColor colour) {
        TControlSnapshot shot(tree->WindowHandle(), TControlSnapshot::kFromScreen);
        const TRect r = second->DisplayRect(true);
        // The four corners and the middle of two sides of the node's text rectangle.
        for (TPoint p : {TPoint{r.left, r.top}, TPoint{r.right - 1, r.top}, TPoint{r.left, r.bottom - 1},
                         TPoint{r.right - 1, r.bottom - 1}, TPoint{(r.left + r.right) / 2, r.top},
                         TPoint{r.left, (r.top + r.bottom) / 2}})
            if (shot.Pixel(p.x, p.y) != RgbOf(colour)) return false;
        return true;
    };
    auto redAnywhere = [&] {
        return TControlSnapshot(tree->WindowHandle(), TControlSnapshot::kFromScreen).Contains(RgbOf(clRed));
    };
    EXPECT_TRUE(outlined(clBtnShadow));
    tree->InactiveSelectionPen()->SetColor(clRed);  // the pen's change repaints
    EXPECT_TRUE(outlined(clRed));

    // Focused, the tree shows its own selection; editing, the editor shows the node.
    tree->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return tree->Focused(); }));
    EXPECT_FALSE(redAnywhere());
    ASSERT_TRUE(second->EditText());
    ASSERT_TRUE(PumpUntil([&] { return tree->IsEditing(); }));
    EXPECT_FALSE(redAnywhere());
    second->EndEdit(true);
    other->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return !tree->Focused(); }));
    EXPECT_TRUE(outlined(clRed));

    // Hidden selections have no outline.
    tree->SetHideSelection(true);
    PumpUntilIdle();
    EXPECT_FALSE(redAnywhere());
}

TEST_F(TreeViewBase, TheWheelStepsByLinesAndStopsAtTheTop) {
    TStringList lines;
    for (int i = 0; i < 40; ++i) lines.Add(L"node " + IntToStr(i));
    tree->LoadTreeFromStrings(&lines);
    Mouse->SetWheelScrollLines(3);
    tree->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return tree->Focused(); }));
    MoveMouseTo(ScreenOf(TPoint{50, 50}));
    auto position = [&] { return GetScrollPos(tree->WindowHandle(), SB_VERT); };
    ASSERT_EQ(position(), 0);

    WheelBy(120);  // up, at the top
    PumpUntilIdle();
    EXPECT_EQ(position(), 0);
    WheelBy(-120);
    ASSERT_TRUE(PumpUntil([&] { return position() == 3; }, 2000)) << position();
    EXPECT_EQ(tree->TopItem(), Node(L"node 3"));
    WheelBy(-120);
    ASSERT_TRUE(PumpUntil([&] { return position() == 6; }, 2000)) << position();
    WheelBy(120);
    WheelBy(120);
    WheelBy(120);
    ASSERT_TRUE(PumpUntil([&] { return position() == 0; }, 2000)) << position();
    EXPECT_EQ(tree->TopItem(), Node(L"node 0"));
    Mouse->SetWheelScrollLines(std::nullopt);
}

TEST_F(TreeViewBase, ContextMenusGoToTheNodeEventOrThePopupMenu) {
    TSpyPopupMenu popup(form.get()), nodeMenu(form.get());
    tree->SetPopupMenu(&popup);
    struct TNodeRecorder : TObject {
        std::vector<std::string> calls;
        TPopupMenu* replacement = nullptr;
        void NodeMenu(TObject*, TTreeNode* node, TPoint& pos, TPopupMenu*& menu) {
            calls.push_back(node ? Utf8(node->Text()) : std::string("none"));
            if (replacement) menu = replacement;
        }
    } recorder;
    tree->OnNodeContextMenu = MakeEvent(&recorder, &TNodeRecorder::NodeMenu);
    Load({L"first", L"second", L"third"});
    TTreeNode* second = Node(L"second");

    // Nothing selected: the key shows the popup menu at the client origin.
    tree->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return tree->Focused(); }));
    tree->SetSelected(nullptr);
    ASSERT_EQ(tree->SelectedNode(), nullptr);
    TypeKey(VK_APPS);
    ASSERT_TRUE(PumpUntil([&] { return !popup.shown.empty(); }, 2000));
    EXPECT_EQ(popup.shown[0], PointText(tree->ClientToScreen(TPoint{0, 0})));
    EXPECT_TRUE(recorder.calls.empty());
    EXPECT_EQ(popup.PopupComponent(), tree);

    // With a selected node the key asks the node event, at the middle of the node's text.
    tree->SetSelected(second);
    popup.shown.clear();
    TypeKey(VK_APPS);
    ASSERT_TRUE(PumpUntil([&] { return !popup.shown.empty(); }, 2000));
    EXPECT_EQ(recorder.calls, std::vector<std::string>{"second"});
    TRect text = second->DisplayRect(true);
    EXPECT_EQ(popup.shown[0],
              PointText(tree->ClientToScreen(TPoint{(text.left + text.right) / 2, (text.top + text.bottom) / 2})));

    // A right click on empty space with a node selected: that node's menu, once.
    recorder.calls.clear();
    popup.shown.clear();
    recorder.replacement = &nodeMenu;
    RightClickAt(ScreenOf(TPoint{100, 140}));
    ASSERT_TRUE(PumpUntil([&] { return !nodeMenu.shown.empty(); }, 2000));
    PumpUntilIdle();
    EXPECT_EQ(recorder.calls, std::vector<std::string>{"second"});
    EXPECT_EQ(nodeMenu.shown.size(), 1u);
    EXPECT_TRUE(popup.shown.empty());
    EXPECT_EQ(nodeMenu.PopupComponent(), tree);

    // A right click on a node: its menu.
    recorder.calls.clear();
    nodeMenu.shown.clear();
    TRect third = Node(L"third")->DisplayRect(true);
    RightClickAt(ScreenOf(TPoint{third.left + 2, (third.top + third.bottom) / 2}));
    ASSERT_TRUE(PumpUntil([&] { return !nodeMenu.shown.empty(); }, 2000));
    PumpUntilIdle();
    EXPECT_EQ(recorder.calls, std::vector<std::string>{"third"});
    EXPECT_EQ(nodeMenu.shown.size(), 1u);
}
