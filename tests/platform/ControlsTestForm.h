#pragma once
// The form of the standard-control tests, read from its description (forms/ControlsTestForm.zfm):
// every control of the platform, with handlers that log the events they see as "name.event".
// Owner-drawn entries are painted in the colour their text names, item i of variable height
// 16 + 4 i.

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

private:
    void Log(TObject* sender, const char* event) {
        events.push_back(Utf8(static_cast<TComponent*>(sender)->Name()) + "." + event);
    }
};

inline TPoint RectCentre(const TRect& r) { return TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// Shows the test form at the screen's top-left for each test, active, and frees it after.
class StandardControlsTest : public WindowTest {
protected:
    void SetUp() override;
    void TearDown() override;
    TControlsTestForm* form = nullptr;
};
