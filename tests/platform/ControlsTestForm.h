#pragma once
// The form of the standard-control tests, read from its description (forms/ControlsTestForm.zfm):
// every control of the platform, with handlers that log the events they see as "name.event".
// Owner-drawn entries are painted in the colour their text names, item i of variable height
// 16 + 4 i. The list view gets four files (data: their sizes), the tree view two folders whose
// children it adds when a folder is first expanded; the toolbar and the bitmap button get their
// images drawn here.

#include <string>
#include <vector>

#include "StandardControls.h"
#include "WindowTesting.h"

class TControlsTestForm : public TForm {
    Z_CLASS(TControlsTestForm, TForm)
    Z_PUBLISHED {
        using C = TControlsTestForm;
        p.Method(L"ControlChange", &C::ControlChange);
        p.Method(L"ControlClick", &C::ControlClick);
        p.Method(L"ControlSelect", &C::ControlSelect);
        p.Method(L"ControlDropDown", &C::ControlDropDown);
        p.Method(L"ControlCloseUp", &C::ControlCloseUp);
        p.Method(L"ColorDrawItem", &C::ColorDrawItem);
        p.Method(L"ColorMeasureItem", &C::ColorMeasureItem);
        p.Method(L"FormCreate", &C::FormCreate);
        p.Method(L"ListColumnClick", &C::ListColumnClick);
        p.Method(L"ListSelectItem", &C::ListSelectItem);
        p.Method(L"ListDeletion", &C::ListDeletion);
        p.Method(L"ListEdited", &C::ListEdited);
        p.Method(L"TreeExpanding", &C::TreeExpanding);
        p.Method(L"TreeChange", &C::TreeChange);
        p.Method(L"TreeDeletion", &C::TreeDeletion);
        p.Method(L"TreeEdited", &C::TreeEdited);
    }

public:
    explicit TControlsTestForm(TComponent* owner) : TForm(owner) {}
    TControlsTestForm(TComponent* owner, TCreateNew) : TForm(owner, CreateNew) {}

    std::vector<std::string> events;
    std::vector<std::string> TakeEvents() { return std::exchange(events, {}); }

    template <class T>
    T* Find(const wchar_t* name) {
        T* found = As<T>(FindComponent(name));
        EXPECT_NE(found, nullptr) << Utf8(name);
        return found;
    }

    // The colour an owner-drawn entry is painted in, by its text.
    static TColor EntryColor(const String& text);

    void ControlChange(TObject* sender) { Log(sender, "change"); }
    void ControlClick(TObject* sender) { Log(sender, "click"); }
    void ControlSelect(TObject* sender) { Log(sender, "select"); }
    void ControlDropDown(TObject* sender) { Log(sender, "dropdown"); }
    void ControlCloseUp(TObject* sender) { Log(sender, "closeup"); }
    void ColorDrawItem(TWinControl* control, int index, TRect rect, TOwnerDrawState state);
    void ColorMeasureItem(TWinControl* control, int index, int& height) { height = 16 + 4 * index; }
    void FormCreate(TObject*);
    void ListColumnClick(TObject*, TListColumn* column) {
        events.push_back("lvFiles.column" + std::to_string(column->Index()));
    }
    void ListSelectItem(TObject*, TListItem* item, bool selected);
    void ListDeletion(TObject*, TListItem* item) { events.push_back("lvFiles.delete " + Utf8(item->Caption())); }
    void ListEdited(TObject*, TListItem* item, String& text) { events.push_back("lvFiles.edited " + Utf8(text)); }
    void TreeExpanding(TObject*, TTreeNode* node, bool& allow);
    void TreeChange(TObject*, TTreeNode* node) {
        events.push_back("tvFolders.change " + (node ? Utf8(node->Text()) : "-"));
    }
    void TreeDeletion(TObject*, TTreeNode* node) { events.push_back("tvFolders.delete " + Utf8(node->Text())); }
    void TreeEdited(TObject*, TTreeNode* node, String& text) { events.push_back("tvFolders.edited " + Utf8(text)); }

    // The colours of the toolbar's three images.
    static constexpr TColor ToolImageColors[3] = {clRed, clGreen, clBlue};
    // The sizes the list view's items point to as their data.
    int sizes[4] = {2048, 10, 512, 77};

private:
    void Log(TObject* sender, const char* event) {
        events.push_back(Utf8(static_cast<TComponent*>(sender)->Name()) + "." + event);
    }
};

// A rectangle's edges, comparable and printable in test expectations.
inline std::vector<LONG> Edges(const TRect& r) { return {r.left, r.top, r.right, r.bottom}; }
inline TPoint RectCentre(const TRect& r) { return TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// Shows the test form at the screen's top-left for each test, active, and frees it after.
class StandardControlsTest : public WindowTest {
protected:
    void SetUp() override;
    void TearDown() override;
    TControlsTestForm* form = nullptr;
};
