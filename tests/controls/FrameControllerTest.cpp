// The frame controller pushing its settings to registered controls by published name.

#include <gtest/gtest.h>

#include <map>

#include "Control.h"
#include "ControlsUnits.h"
#include "Filer.h"
#include "FormDescription.h"
#include "RzFrameController.h"
#include "RzOldPropReader.h"
#include "RzRegIniFile.h"

namespace {

// A control with some of the framed controls' properties; it counts every set.
class TFramedThing : public TControl {
    Z_CLASS(TFramedThing, TControl)
    Z_PUBLISHED {
        using C = TFramedThing;
        p.Property(L"FocusColor", &C::FocusColor, &C::SetFocusColor);
        p.Property(L"FrameColor", &C::FrameColor, &C::SetFrameColor);
        p.Property(L"FrameSides", &C::FrameSides, &C::SetFrameSides);
        p.Property(L"FrameStyle", &C::FrameStyle, &C::SetFrameStyle);
        p.Property(L"FrameVisible", &C::FrameVisible, &C::SetFrameVisible);
    }

public:
    explicit TFramedThing(TComponent* owner) : TControl(owner) {}
    std::map<std::string, int> sets;

    TColor FocusColor() const { return focusColor; }
    void SetFocusColor(TColor v) { focusColor = v, ++sets["FocusColor"]; }
    TColor FrameColor() const { return frameColor; }
    void SetFrameColor(TColor v) { frameColor = v, ++sets["FrameColor"]; }
    TSides FrameSides() const { return frameSides; }
    void SetFrameSides(TSides v) { frameSides = v, ++sets["FrameSides"]; }
    TFrameStyle FrameStyle() const { return frameStyle; }
    void SetFrameStyle(TFrameStyle v) { frameStyle = v, ++sets["FrameStyle"]; }
    bool FrameVisible() const { return frameVisible; }
    void SetFrameVisible(bool v) { frameVisible = v, ++sets["FrameVisible"]; }

    TColor focusColor = 0, frameColor = 0;
    TSides frameSides;
    TFrameStyle frameStyle = fsNone;
    bool frameVisible = false;
};

// Asks for the frame colour only.
class TPickyThing : public TFramedThing {
    Z_CLASS(TPickyThing, TFramedThing)
    Z_PUBLISHED {
        p.Property(L"FrameControllerNotifications", &TPickyThing::Notifications, &TPickyThing::SetNotifications);
    }

public:
    using TFramedThing::TFramedThing;
    TRzFrameControllerNotifications Notifications() const { return notifications; }
    void SetNotifications(TRzFrameControllerNotifications v) { notifications = v; }
    TRzFrameControllerNotifications notifications{fcpFrameColor};
};

class TSelfFramedThing : public TFramedThing, public ICustomFraming {
    Z_CLASS(TSelfFramedThing, TFramedThing)
public:
    using TFramedThing::TFramedThing;
    void CustomFramingChanged() override { ++changes; }
    int changes = 0;
};

class FrameController : public testing::Test {
protected:
    void SetUp() override { InitializeControlsUnits(); }
    TRzFrameController controller{nullptr};
};

}  // namespace

TEST_F(FrameController, RegistrationPushesEveryPublishedSettingOnce) {
    TFramedThing thing(nullptr);
    controller.SetFrameColor(clRed);
    controller.SetFrameStyle(fsGroove);
    controller.SetFrameSides(TSides{sdLeft, sdTop});
    controller.AddControl(&thing);
    controller.AddControl(&thing);
    EXPECT_EQ(controller.ControlCount(), 1);
    EXPECT_EQ(thing.frameColor, clRed);
    EXPECT_EQ(thing.frameStyle, fsGroove);
    EXPECT_EQ(thing.frameSides, (TSides{sdLeft, sdTop}));
    EXPECT_EQ(thing.focusColor, clWindow);
    EXPECT_EQ(thing.Color(), clWindow);
    EXPECT_EQ(thing.sets,
              (std::map<std::string, int>{
                  {"FocusColor", 1}, {"FrameColor", 1}, {"FrameSides", 1}, {"FrameStyle", 1}, {"FrameVisible", 1}}));

    thing.sets.clear();
    controller.SetFrameColor(clBlue);
    controller.SetFrameColor(clBlue);  // unchanged: nothing pushed
    EXPECT_EQ(thing.sets, (std::map<std::string, int>{{"FrameColor", 1}}));
    controller.RemoveControl(&thing);
    controller.SetFrameColor(clGreen);
    EXPECT_EQ(thing.frameColor, clBlue);
}

TEST_F(FrameController, UpdateBracketPushesOnceAtTheEnd) {
    TFramedThing thing(nullptr);
    controller.AddControl(&thing);
    thing.sets.clear();
    controller.BeginUpdate();
    controller.BeginUpdate();
    controller.SetFrameColor(clRed);
    controller.SetFrameStyle(fsBump);
    controller.EndUpdate();
    EXPECT_TRUE(thing.sets.empty());
    controller.EndUpdate();
    EXPECT_EQ(thing.frameColor, clRed);
    EXPECT_EQ(thing.frameStyle, fsBump);
    EXPECT_EQ(thing.sets["FrameColor"], 1);
    controller.EndUpdate();  // unbalanced: the count stays at 0 and pushes again
    EXPECT_EQ(thing.sets["FrameColor"], 2);
}

TEST_F(FrameController, ColourAndHotTrackRules) {
    TFramedThing thing(nullptr);
    controller.AddControl(&thing);
    controller.SetColor(clYellow);  // FocusColor was the same, so it follows
    EXPECT_EQ(controller.FocusColor(), clYellow);
    EXPECT_EQ(thing.Color(), clYellow);
    controller.SetFocusColor(clAqua);
    controller.SetColor(clWhite);
    EXPECT_EQ(controller.FocusColor(), clAqua);

    controller.SetParentColor(true);
    EXPECT_TRUE(thing.ParentColor());
    controller.SetColor(clRed);  // a colour of its own ends following the parent
    EXPECT_FALSE(controller.ParentColor());

    controller.SetFrameSides(TSides{sdTop});
    controller.SetFrameHotTrack(true);
    EXPECT_TRUE(controller.FrameVisible());
    EXPECT_TRUE(thing.frameVisible);
    EXPECT_EQ(controller.FrameSides(), sdAllSides);
}

TEST_F(FrameController, NotificationsAndCustomFraming) {
    TPickyThing picky(nullptr);
    TSelfFramedThing self(nullptr);
    controller.SetFrameColor(clRed);
    controller.AddControl(&picky);
    controller.AddControl(&self);
    EXPECT_EQ(picky.sets, (std::map<std::string, int>{{"FrameColor", 1}}));
    EXPECT_EQ(picky.Color(), TControl(nullptr).Color());
    EXPECT_EQ(self.changes, 1);
    EXPECT_TRUE(self.sets.empty());
    controller.SetFrameStyle(fsLowered);
    EXPECT_EQ(picky.frameStyle, fsNone);
    EXPECT_EQ(self.changes, 2);
}

TEST_F(FrameController, FreedControlsAndStoresAreForgotten) {
    auto* thing = new TFramedThing(nullptr);
    controller.AddControl(thing);
    delete thing;
    EXPECT_EQ(controller.ControlCount(), 0);
    controller.SetFrameColor(clRed);  // nothing left to push to

    auto* store = new TRzRegIniFile(nullptr);
    controller.SetRegIniFile(store);
    delete store;
    EXPECT_EQ(controller.RegIniFile(), nullptr);
}

TEST_F(FrameController, AssignCopiesAndPushesOnce) {
    TRzFrameController source(nullptr);
    source.SetFrameColor(clRed);
    source.SetFrameStyle(fsStatus);
    source.SetFocusColor(clAqua);
    TFramedThing thing(nullptr);
    controller.AddControl(&thing);
    thing.sets.clear();
    controller.Assign(&source);
    EXPECT_EQ(controller.FrameStyle(), fsStatus);
    EXPECT_EQ(controller.FocusColor(), clAqua);
    EXPECT_EQ(thing.frameColor, clRed);
    EXPECT_EQ(thing.sets["FrameColor"], 1);
}

TEST_F(FrameController, ObsoleteStoredSettingsAreReadNeverWritten) {
    ReadComponentFromText(
        "object fc: TRzFrameController\n"
        "  FrameFlat = True\n"
        "  FrameFocusStyle = fsGroove\n"
        "  FrameFlatStyle = fsWhatever\n"
        "end\n",
        &controller);
    EXPECT_TRUE(controller.FrameHotTrack());
    EXPECT_EQ(controller.FrameStyle(), fsStatus);
    EXPECT_EQ(controller.FrameHotStyle(), fsGroove);
    AnsiString text = WriteComponentToText(&controller);
    EXPECT_EQ(text.find("FrameFlat"), std::string::npos) << text;
    EXPECT_NE(text.find("FrameStyle = fsStatus"), std::string::npos) << text;
}

namespace {
// Reads every kind of obsolete value and keeps none.
class TOldSettings : public TComponent {
    Z_CLASS(TOldSettings, TComponent)
public:
    using TComponent::TComponent;
    int kept = 0;
    Z_PUBLISHED { p.Property(L"Kept", &TOldSettings::Kept, &TOldSettings::SetKept); }
    int Kept() const { return kept; }
    void SetKept(int v) { kept = v; }

protected:
    void DefineProperties(TFiler* filer) override {
        inherited::DefineProperties(filer);
        filer->DefineProperty(L"OldFlag", &TRzOldPropReader::ReadOldBooleanProp, nullptr, false);
        filer->DefineProperty(L"OldStyle", &TRzOldPropReader::ReadOldIdentProp, nullptr, false);
        filer->DefineProperty(L"OldWidth", &TRzOldPropReader::ReadOldIntegerProp, nullptr, false);
        filer->DefineProperty(L"OldLines", &TRzOldPropReader::ReadOldStringsProp, nullptr, false);
    }
};
}  // namespace

TEST(RzOldPropReader, ObsoleteValuesOfEveryKindAreSkipped) {
    TOldSettings settings(nullptr);
    ReadComponentFromText(
        "object s: TOldSettings\n"
        "  OldFlag = False\n"
        "  OldStyle = fsGone\n"
        "  OldWidth = 12\n"
        "  OldLines = (\n    'one'\n    'two')\n"
        "  Kept = 7\n"
        "end\n",
        &settings);
    EXPECT_EQ(settings.kept, 7);
}

TEST(RzRegIniFile, ChangesMarkTheStoreForRecreation) {
    TRzRegIniFile store(nullptr);
    EXPECT_EQ(store.RegKey(), hkeyCurrentUser);
    EXPECT_EQ(store.RegAccess(), TRzRegAccess{keyAllAccess});
    store.SetPath(L"Software\\Zarnik");
    store.SetPathType(ptRegistry);
    EXPECT_TRUE(store.NeedsRecreate());
    EXPECT_EQ(store.PathType(), ptRegistry);
}
