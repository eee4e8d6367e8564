#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SysUtils.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"
#include "ToolkitTestSupport.h"

namespace {

// A stand-in for the visual-styles library: records what is opened and closed.
struct FakeThemes {
    static inline std::vector<std::wstring> opened;
    static inline int closed = 0;
    static inline bool active = true;
    static inline int nextHandle = 100;

    static HTHEME WINAPI Open(HWND, LPCWSTR classList) {
        opened.push_back(classList);
        if (UpperCase(classList) == L"CLOCK") return nullptr;  // a class the style lacks
        return reinterpret_cast<HTHEME>(INT_PTR(nextHandle++));
    }
    static HRESULT WINAPI Close(HTHEME) {
        ++closed;
        return S_OK;
    }
    static BOOL WINAPI Active() { return active; }
};

class ThemeManagerTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(IsUxThemeLoaded());
        ASSERT_NE(ThemeChangeReceiverWindow(), nullptr);
        saved_[0] = SetUxThemeEntry("OpenThemeData", AsProc(&FakeThemes::Open));
        saved_[1] = SetUxThemeEntry("CloseThemeData", AsProc(&FakeThemes::Close));
        saved_[2] = SetUxThemeEntry("IsThemeActive", AsProc(&FakeThemes::Active));
        FakeThemes::active = true;
        ThemeChanged();
        FakeThemes::opened.clear();
        FakeThemes::closed = 0;
    }
    void TearDown() override {
        FakeThemes::active = false;
        ThemeChanged();
        SetUxThemeEntry("OpenThemeData", saved_[0]);
        SetUxThemeEntry("CloseThemeData", saved_[1]);
        SetUxThemeEntry("IsThemeActive", saved_[2]);
        ThemeChanged();  // back to what the real library says
    }
    static void ThemeChanged() { SendMessageW(ThemeChangeReceiverWindow(), WM_THEMECHANGED, 0, 0); }

private:
    FARPROC saved_[3] = {};
};

TEST_F(ThemeManagerTest, HandlesAreCachedPerClassListWithoutLetterCase) {
    EXPECT_TRUE(AreThemesAvailable());
    EXPECT_TRUE(FakeThemes::opened.empty());  // the empty set opens nothing
    HTHEME button = GetThemeHandle(totButton, L"BUTTON");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(GetThemeHandle(totButton, L"Button"), button);
    EXPECT_EQ(GetThemeHandle(totButton), button);
    EXPECT_EQ(FakeThemes::opened.size(), 1u);
    // Another class list closes and reopens.
    HTHEME other = GetThemeHandle(totButton, L"Explorer::Button");
    EXPECT_NE(other, button);
    EXPECT_EQ(FakeThemes::closed, 1);
    EXPECT_EQ(GetThemeHandle(totEdit), GetThemeHandle(totEdit));
    EXPECT_EQ(FakeThemes::opened.back(), L"Edit");
}

TEST_F(ThemeManagerTest, ATypeWithoutThemeMakesItsSetsUnavailable) {
    EXPECT_TRUE(AreThemesAvailable(ThemedTypes({totButton, totScrollBar})));
    EXPECT_FALSE(AreThemesAvailable(ThemedTypes({totButton, totClock})));
    EXPECT_FALSE(IsThemeTypeAvailable(totClock));
    EXPECT_TRUE(IsThemeTypeAvailable(totWindow));
    EXPECT_EQ(CloseThemeOfType(totClock), 0);
    EXPECT_EQ(CloseThemeOfType(totWindow), S_OK);
    EXPECT_EQ(FakeThemes::closed, 1);
}

TEST_F(ThemeManagerTest, ThemeChangeReopensWithTheSameClassListAndTellsEveryListenerOnce) {
    GetThemeHandle(totTab, L"MyTab");
    GetThemeHandle(totHeader);
    int calls = 0, otherCalls = 0;
    struct Listener : TObject {
        int* n;
        void Changed() { ++*n; }
    } first, second;
    first.n = &calls;
    second.n = &otherCalls;
    TdxThemeChangedNotificator a, b;
    a.OnThemeChanged = MakeEvent(&first, &Listener::Changed);
    b.OnThemeChanged = MakeEvent(&second, &Listener::Changed);
    {
        TdxThemeChangedNotificator gone;  // freed before the change: not called
        gone.OnThemeChanged = MakeEvent(&first, &Listener::Changed);
    }
    FakeThemes::opened.clear();
    ThemeChanged();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(otherCalls, 1);
    EXPECT_EQ(FakeThemes::closed, 2);
    GetThemeHandle(totTab);
    ASSERT_EQ(FakeThemes::opened.size(), 1u);
    EXPECT_EQ(FakeThemes::opened[0], L"MyTab");
    // Switching to the classic look: nothing is available any more.
    FakeThemes::active = false;
    ThemeChanged();
    EXPECT_FALSE(IsThemeActiveFlag());
    EXPECT_FALSE(AreThemesAvailable());
    EXPECT_EQ(GetThemeHandle(totTab), nullptr);
    EXPECT_EQ(CloseThemeOfType(totTab), 1);
    EXPECT_EQ(calls, 2);
}

TEST(ThemeManager, TestPrefixRunsClassicAndMissingEntriesFailSafely) {
    // The test prefix has visual styles switched off.
    EXPECT_FALSE(IsThemeActiveFlag());
    EXPECT_FALSE(AreThemesAvailable());
    EXPECT_EQ(GetThemeHandle(totButton), nullptr);
    FARPROC saved = SetUxThemeEntry("DrawThemeTextEx", nullptr);
    RECT r{0, 0, 10, 10};
    EXPECT_EQ(DrawThemeTextEx(nullptr, nullptr, 1, 1, L"x", 1, 0, &r, nullptr), E_NOTIMPL);
    SetUxThemeEntry("DrawThemeTextEx", saved);
    FARPROC savedBegin = SetUxThemeEntry("BeginBufferedPaint", nullptr);
    HDC dc = HDC(1);
    EXPECT_EQ(BeginBufferedPaint(nullptr, &r, 0, nullptr, &dc), nullptr);
    EXPECT_EQ(dc, nullptr);
    SetUxThemeEntry("BeginBufferedPaint", savedBegin);
    FARPROC savedActive = SetUxThemeEntry("IsThemeActive", nullptr);
    EXPECT_FALSE(IsThemeActive());
    SetUxThemeEntry("IsThemeActive", savedActive);
    EXPECT_EQ(GetUxThemeEntry("NoSuchFunction"), nullptr);
    EXPECT_NE(GetUxThemeEntry("OpenThemeData"), nullptr);
}

}  // namespace
