#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "FormDescription.h"
#include "SysUtils.h"
#include "cxContainerStyles.h"

namespace {

// Counts the changed events of a style.
struct TChangeCounter {
    int count = 0;
    void Changed(TObject*) { ++count; }
    TNotifyEvent Event() { return MakeEvent(this, &TChangeCounter::Changed); }
};

// A container's four styles, as a popup or an edit holds them.
class ContainerStyles : public testing::Test {
protected:
    TcxContainerStyles styles{nullptr, &MakeContainerStyle<TcxContainerStyle>};
    TcxContainerStyle* Base() { return styles.NormalStyle(); }
    TcxContainerStyle* State(int state) { return styles.StyleOf(state); }
};

TEST_F(ContainerStyles, UnassignedStatesResolveToTheirDefaults) {
    const TColor fontColor = Base()->Font()->Color();
    struct Case {
        int state;
        TColor borderColor, textColor, color;
    } cases[] = {
        {0, clWindowFrame, fontColor, clBtnFace},
        {1, clWindowFrame, fontColor, clBtnFace},
        {2, clBtnShadow, clBtnShadow, clBtnFace},  // disabled: greyed
        {3, clWindowFrame, fontColor, clBtnFace},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(State(c.state)->BorderColor(), c.borderColor) << "state " << c.state;
        EXPECT_EQ(State(c.state)->TextColor(), c.textColor) << "state " << c.state;
        EXPECT_EQ(State(c.state)->Color(), c.color) << "state " << c.state;
        EXPECT_TRUE(State(c.state)->AssignedValues().Empty()) << "state " << c.state;
    }
    // A state style follows what the base style assigns.
    Base()->SetBorderColor(clRed);
    Base()->SetTextColor(clBlue);
    EXPECT_EQ(State(1)->BorderColor(), clRed);
    EXPECT_EQ(State(1)->TextColor(), clBlue);
    EXPECT_EQ(State(2)->BorderColor(), clBtnShadow);
    // ...unless it assigns its own.
    State(1)->SetBorderColor(clLime);
    EXPECT_EQ(State(1)->BorderColor(), clLime);
    EXPECT_EQ(Base()->BorderColor(), clRed);
}

TEST_F(ContainerStyles, BorderStyleFollowsTheKindAndThickensWhenHot) {
    const std::pair<TcxLookAndFeelKind, TcxContainerBorderStyle> kinds[] = {
        {lfFlat, cbsFlat}, {lfStandard, cbs3D}, {lfUltraFlat, cbsUltraFlat}, {lfOffice11, cbsOffice11}};
    for (auto [kind, border] : kinds) {
        Base()->LookAndFeel()->SetKind(kind);
        EXPECT_EQ(Base()->BorderStyle(), border) << int(kind);
    }
    // The border of states 1 and 3 for each base border while hot tracking is on.
    const std::pair<TcxContainerBorderStyle, TcxContainerBorderStyle> rows[] = {
        {cbsNone, cbsFlat}, {cbsSingle, cbsThick},        {cbsThick, cbsThick},      {cbsFlat, cbs3D},
        {cbs3D, cbs3D},     {cbsUltraFlat, cbsUltraFlat}, {cbsOffice11, cbsOffice11}};
    for (auto [base, hot] : rows) {
        Base()->SetBorderStyle(base);
        EXPECT_EQ(State(1)->BorderStyle(), hot) << int(base);
        EXPECT_EQ(State(3)->BorderStyle(), hot) << int(base);
        EXPECT_EQ(State(2)->BorderStyle(), base) << int(base);
        EXPECT_EQ(State(0)->BorderStyle(), base) << int(base);
    }
    Base()->SetBorderStyle(cbsSingle);
    State(1)->SetHotTrack(false);  // lands on the base style
    EXPECT_FALSE(Base()->HotTrack());
    EXPECT_EQ(State(1)->BorderStyle(), cbsSingle);
    EXPECT_EQ(State(3)->BorderStyle(), cbsSingle);
}

TEST_F(ContainerStyles, ContainerWideValuesOfAStateStyleLandOnTheBaseStyle) {
    State(2)->SetEdges(TcxBorders{bLeft, bTop});
    State(3)->SetShadow(true);
    State(1)->SetTransparentBorder(false);
    EXPECT_EQ(Base()->Edges(), (TcxBorders{bLeft, bTop}));
    EXPECT_EQ(State(1)->Edges(), (TcxBorders{bLeft, bTop}));
    EXPECT_TRUE(Base()->Shadow());
    EXPECT_FALSE(Base()->TransparentBorder());
    EXPECT_EQ(Base()->AssignedValues(), (TcxContainerStyleValues{csvEdges, csvShadow, csvTransparentBorder}));
    EXPECT_TRUE(State(2)->AssignedValues().Empty());
    EXPECT_EQ(State(2)->Font(), Base()->Font());
    EXPECT_EQ(State(2)->LookAndFeel(), Base()->LookAndFeel());
}

TEST_F(ContainerStyles, ValuesComeThroughAChainOfTwoControllers) {
    std::unique_ptr<TcxStyleController> outer(new TcxStyleController(nullptr));
    std::unique_ptr<TcxStyleController> inner(new TcxStyleController(nullptr));
    inner->Style()->SetStyleController(outer.get());
    Base()->SetStyleController(inner.get());
    EXPECT_EQ(State(2)->StyleController(), inner.get());

    outer->Styles()->StyleOf(1)->SetBorderColor(clRed);
    outer->Style()->SetColor(clYellow);
    EXPECT_EQ(State(1)->BorderColor(), clRed);
    EXPECT_TRUE(State(1)->IsValueAssigned(csvBorderColor));
    EXPECT_FALSE(State(1)->AssignedValues().Contains(csvBorderColor));
    EXPECT_EQ(Base()->Color(), clYellow);
    EXPECT_EQ(State(3)->BorderColor(), clWindowFrame);  // nobody assigns state 3's

    inner->Styles()->StyleOf(1)->SetBorderColor(clLime);  // the nearer controller wins
    EXPECT_EQ(State(1)->BorderColor(), clLime);
    State(1)->SetBorderColor(clNavy);  // and the style's own value over both
    EXPECT_EQ(State(1)->BorderColor(), clNavy);

    // The controller's font is followed until the style assigns its own.
    outer->Style()->Font()->SetName(L"Courier New");
    EXPECT_EQ(Base()->Font()->Name(), L"Courier New");
    EXPECT_FALSE(Base()->AssignedValues().Contains(csvFont));
    // The look-and-feel follows the controller's.
    EXPECT_EQ(Base()->LookAndFeel()->MasterLookAndFeel(), inner->Style()->LookAndFeel());
}

TEST_F(ContainerStyles, ACyclicControllerAssignmentIsRefused) {
    std::unique_ptr<TcxStyleController> a(new TcxStyleController(nullptr));
    std::unique_ptr<TcxStyleController> b(new TcxStyleController(nullptr));
    std::unique_ptr<TcxStyleController> c(new TcxStyleController(nullptr));
    b->Style()->SetStyleController(a.get());
    a->Style()->SetStyleController(b.get());  // b follows a: refused
    EXPECT_EQ(a->Style()->StyleController(), nullptr);
    a->Style()->SetStyleController(a.get());  // itself: refused
    EXPECT_EQ(a->Style()->StyleController(), nullptr);
    c->Style()->SetStyleController(b.get());
    a->Style()->SetStyleController(c.get());  // c follows b follows a: refused
    EXPECT_EQ(a->Style()->StyleController(), nullptr);
    EXPECT_EQ(a->ListenerCount(), 1);
    EXPECT_EQ(c->ListenerCount(), 0);
}

TEST_F(ContainerStyles, AFreedControllerLeavesItsStylesWithoutOne) {
    auto* controller = new TcxStyleController(nullptr);
    TcxContainerStyles other(nullptr, &MakeContainerStyle<TcxContainerStyle>);
    controller->Style()->SetColor(clRed);
    controller->Style()->Font()->SetName(L"Courier New");
    Base()->SetStyleController(controller);
    other.NormalStyle()->SetStyleController(controller);
    EXPECT_EQ(Base()->Color(), clRed);
    TChangeCounter changes;
    Base()->OnChanged = changes.Event();
    delete controller;
    EXPECT_EQ(Base()->StyleController(), nullptr);
    EXPECT_EQ(other.NormalStyle()->StyleController(), nullptr);
    EXPECT_EQ(Base()->Color(), clBtnFace);
    EXPECT_EQ(Base()->Font()->Name(), TFont().Name());  // back to the default font
    EXPECT_EQ(Base()->LookAndFeel()->MasterLookAndFeel(), nullptr);
    EXPECT_EQ(changes.count, 1);
}

TEST_F(ContainerStyles, TheChangedEventFiresOncePerOutermostUpdate) {
    TChangeCounter changes;
    styles.SetChangedEvent(changes.Event());
    Base()->BeginUpdate();
    Base()->BeginUpdate();
    Base()->SetColor(clRed);
    Base()->SetBorderStyle(cbsSingle);
    Base()->Font()->SetName(L"Courier New");
    Base()->EndUpdate();
    EXPECT_EQ(changes.count, 0);
    Base()->EndUpdate();
    EXPECT_EQ(changes.count, 1);
    Base()->BeginUpdate();
    Base()->EndUpdate();  // nothing changed inside
    EXPECT_EQ(changes.count, 1);
    Base()->SetColor(clRed);  // assigned and equal
    EXPECT_EQ(changes.count, 1);
    Base()->SetTextColor(Base()->TextColor());  // not assigned yet: stored and reported
    EXPECT_EQ(changes.count, 2);
    Base()->LookAndFeel()->SetKind(lfStandard);
    EXPECT_EQ(changes.count, 3);
    Base()->RestoreDefaults();
    EXPECT_EQ(changes.count, 4);
    EXPECT_TRUE(Base()->AssignedValues().Empty());
    EXPECT_TRUE(Base()->LookAndFeel()->AssignedValues().Empty());
    EXPECT_EQ(Base()->Font()->Name(), TFont().Name());
}

TEST_F(ContainerStyles, DirectAccessResolvesAndReportsNothing) {
    TFont font;
    font.SetStyle(TFontStyles{fsBold});
    TcxContainerStyle direct(nullptr, true, nullptr, 0);
    TChangeCounter changes;
    direct.OnChanged = changes.Event();
    direct.SetFont(&font);
    direct.SetColor(clRed);
    direct.SetTextColor(clBlue);
    EXPECT_EQ(direct.Font(), &font);  // the reference, not a copy
    EXPECT_EQ(direct.Color(), clRed);
    EXPECT_EQ(direct.TextColor(), clBlue);
    EXPECT_EQ(direct.TextStyle(), TFontStyles{fsBold});
    EXPECT_EQ(direct.BorderColor(), clDefault);
    EXPECT_TRUE(direct.Edges().Empty());
    EXPECT_FALSE(direct.Shadow());
    EXPECT_TRUE(direct.TransparentBorder());
    EXPECT_EQ(direct.AssignedValues(), cxContainerStyleValueAll);
    EXPECT_EQ(changes.count, 0);

    // A style copied from it takes the resolved text colour into its own font.
    Base()->Assign(&direct);
    EXPECT_EQ(Base()->Font()->Style(), TFontStyles{fsBold});
    EXPECT_EQ(Base()->Font()->Color(), clBlue);
    EXPECT_EQ(Base()->TextColor(), clBlue);
    EXPECT_EQ(Base()->Color(), clRed);
    EXPECT_NE(Base()->Font(), &font);
}

TEST_F(ContainerStyles, ValueNamesAndStoredProperties) {
    const wchar_t* names[] = {L"BorderColor", L"BorderStyle", L"Color",     L"Edges",     L"Font",
                              L"HotTrack",    L"Shadow",      L"TextColor", L"TextStyle", L"TransparentBorder"};
    String name;
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(Base()->ValueName(i, name));
        EXPECT_EQ(name, names[i]);
        EXPECT_EQ(Base()->FindValueByName(UpperCase(name)), i);
    }
    EXPECT_FALSE(Base()->ValueName(10, name));
    EXPECT_EQ(Base()->FindValueByName(L"Colour"), -1);
    EXPECT_FALSE(State(1)->IsPropertyStored(L"Edges"));
    EXPECT_TRUE(State(1)->IsPropertyStored(L"BorderColor"));
    EXPECT_TRUE(Base()->IsPropertyStored(L"Edges"));
    EXPECT_FALSE(Base()->IsPropertyStored(L"LookAndFeel"));
    EXPECT_TRUE(Base()->IsPropertyStored(L"Name"));
}

// A holder of a container style, stored in a form description as a popup stores its own.
class TContainerStyleHolder : public TComponent {
    Z_CLASS(TContainerStyleHolder, TComponent)
    Z_PUBLISHED { p.Property(L"Style", &TContainerStyleHolder::Style); }

public:
    explicit TContainerStyleHolder(TComponent* owner)
        : TComponent(owner), style_(this, false, nullptr, cxContainerStateNormal) {}
    TcxContainerStyle* Style() { return &style_; }

private:
    TcxContainerStyle style_;
};

TEST_F(ContainerStyles, TheStoredFormKeepsAssignedValuesOnly) {
    RegisterClass(TContainerStyleHolder::StaticClass());
    struct Case {
        const char* what;
        std::function<void(TcxContainerStyle*)> set;
        const char* text;  // the style's lines of the description
        TcxContainerStyleValues assigned;
    } cases[] = {
        {"nothing assigned", [](TcxContainerStyle*) {}, "", {}},
        {"a colour and a border",
         [](TcxContainerStyle* s) {
             s->SetColor(clRed);
             s->SetBorderStyle(cbsFlat);
         },
         "  Style.BorderStyle = cbsFlat\r\n  Style.Color = clRed\r\n",
         {csvBorderStyle, csvColor}},
        {"a font at its defaults",
         [](TcxContainerStyle* s) { s->SetFont(s->Font()); },
         "  Style.IsFontAssigned = True\r\n",
         {csvFont}},
    };
    for (const Case& c : cases) {
        std::unique_ptr<TContainerStyleHolder> holder(new TContainerStyleHolder(nullptr));
        holder->SetName(L"Holder");
        c.set(holder->Style());
        AnsiString text = WriteComponentToText(holder.get());
        EXPECT_EQ(text, AnsiString("object Holder: TContainerStyleHolder\r\n") + c.text + "end\r\n") << c.what;
        std::unique_ptr<TComponent> read(ReadComponentFromText(text, nullptr));
        EXPECT_EQ(static_cast<TContainerStyleHolder*>(read.get())->Style()->AssignedValues(), c.assigned) << c.what;
    }
    // Whatever the Boolean says, reading it marks the font assigned.
    std::unique_ptr<TComponent> read(ReadComponentFromText(
        "object Holder: TContainerStyleHolder\r\n  Style.IsFontAssigned = False\r\nend\r\n", nullptr));
    EXPECT_EQ(static_cast<TContainerStyleHolder*>(read.get())->Style()->AssignedValues(),
              TcxContainerStyleValues{csvFont});
    UnRegisterClass(TContainerStyleHolder::StaticClass());
}

}  // namespace
