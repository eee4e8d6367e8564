#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "FormDescription.h"
#include "StringList.h"
#include "StreamingFixtures.h"
#include "TestSupport.h"

namespace {

class FormDescriptions : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterStreamingFixtures();
        liveBefore_ = TStreamingLog::live;
        TStreamingLog::loaded.clear();
    }
    void TearDown() override {
        for (TComponent* c : owned_) FreeObject(c);
        EXPECT_EQ(TStreamingLog::live, liveBefore_) << "test components leaked";
    }
    template <class T>
    T* Keep(T* root) {
        owned_.push_back(root);
        return root;
    }
    TTestForm* Read(const std::string& text, TComponent* root = nullptr) {
        return Keep(static_cast<TTestForm*>(ReadComponentFromText(text, root)));
    }

    std::vector<TComponent*> owned_;
    int liveBefore_ = 0;
};

// A tree with every kind of value: Panel holds Inner, which refers to Later (declared after it).
TTestForm* BuildSample() {
    auto* form = new TTestForm(nullptr);
    form->SetName(L"Form1");
    form->SetCaption(L"Редактор уровней");

    auto* panel = new TTestWidget(form);
    panel->SetName(L"Panel");
    panel->SetParentComponent(form);
    panel->SetCaption(L"Привет, «мир» — it's");
    panel->SetWidth(120);
    panel->SetRatio(0.1);
    panel->SetScale(0.3f);
    panel->SetShape(tsTriangle);
    panel->SetOptions({toBold, toStrike});
    panel->SetVisible(false);
    panel->SetColor(0x0000FF);
    panel->SetSmall(-300);
    panel->SetTag(-7);
    panel->SetSecret(99);  // not stored
    panel->Font()->SetName(L"Arial");
    panel->Font()->SetSize(10);
    auto* first = static_cast<TTestItem*>(panel->Items()->Add());
    first->SetCaption(L"Первый");
    auto* second = static_cast<TTestItem*>(panel->Items()->Add());
    second->SetCaption(L"Second");
    second->SetWeight(2.5);
    for (int i = 0; i < 40; ++i) panel->bits.push_back(Byte(i * 7));
    panel->points = {1, -2, 300000};
    panel->OnClick = MakeEvent(form, &TTestForm::ButtonClick);

    auto* inner = new TTestWidget(form);
    inner->SetName(L"Inner");
    inner->SetParentComponent(panel);
    inner->SetCaption(String(L"line1\r\nline2\t") + wchar_t(0xD800));  // control codes, lone surrogate

    auto* later = new TTestWidget(form);
    later->SetName(L"Later");
    later->SetParentComponent(form);
    later->SetColor(int(0xFF00000F));
    inner->SetBuddy(later);

    auto* thing = new TTestThing(form);
    thing->SetName(L"Thing");
    thing->SetTarget(inner);
    return form;
}

TEST_F(FormDescriptions, RoundTripKeepsEveryKindOfValue) {
    TTestForm* original = Keep(BuildSample());
    AnsiString text = WriteComponentToText(original);
    TTestForm* form = Read(text);
    SCOPED_TRACE(text);

    EXPECT_EQ(form->Name(), L"Form1");
    EXPECT_EQ(form->Caption(), L"Редактор уровней");
    ASSERT_EQ(form->ComponentCount(), 4);
    auto* panel = As<TTestWidget>(form->FindComponent(L"Panel"));
    auto* inner = As<TTestWidget>(form->FindComponent(L"Inner"));
    auto* later = As<TTestWidget>(form->FindComponent(L"Later"));
    auto* thing = As<TTestThing>(form->FindComponent(L"Thing"));
    ASSERT_TRUE(panel && inner && later && thing);

    EXPECT_EQ(panel->Caption(), L"Привет, «мир» — it's");
    EXPECT_EQ(panel->Width(), 120);
    EXPECT_EQ(panel->Ratio(), 0.1);
    EXPECT_EQ(panel->Scale(), 0.3f);
    EXPECT_EQ(panel->Shape(), tsTriangle);
    EXPECT_TRUE(panel->Options() == (TTestOptions{toBold, toStrike}));
    EXPECT_FALSE(panel->Visible());
    EXPECT_EQ(panel->Color(), 0x0000FF);
    EXPECT_EQ(panel->Small(), -300);
    EXPECT_EQ(panel->Tag(), -7);
    EXPECT_EQ(panel->Secret(), 0);
    EXPECT_EQ(panel->Font()->Name(), L"Arial");
    EXPECT_EQ(panel->Font()->Size(), 10);
    ASSERT_EQ(panel->Items()->Count(), 2);
    EXPECT_EQ(static_cast<TTestItem*>(panel->Items()->Items(0))->Caption(), L"Первый");
    EXPECT_EQ(static_cast<TTestItem*>(panel->Items()->Items(1))->Weight(), 2.5);
    EXPECT_EQ(panel->bits, As<TTestWidget>(original->FindComponent(L"Panel"))->bits);
    EXPECT_EQ(panel->points, (std::vector<int>{1, -2, 300000}));
    EXPECT_EQ(inner->Caption(), String(L"line1\r\nline2\t") + wchar_t(0xD800));
    EXPECT_EQ(inner->GetParentComponent(), panel);
    EXPECT_EQ(panel->GetParentComponent(), form);
    EXPECT_EQ(inner->Buddy(), later);
    EXPECT_EQ(later->Color(), int(0xFF00000F));
    EXPECT_EQ(thing->Target(), inner);

    // The event is bound to the new form's method.
    ASSERT_TRUE(panel->OnClick.Assigned());
    panel->OnClick(panel);
    ASSERT_EQ(form->clicks.size(), 1u);
    EXPECT_EQ(form->clicks[0], panel);
    EXPECT_TRUE(original->clicks.empty());

    // Writing the copy gives the same text; each component is in the writing state meanwhile.
    EXPECT_EQ(WriteComponentToText(form), text);
    EXPECT_TRUE(panel->writingSeen);
    EXPECT_FALSE(panel->ComponentState().Contains(csWriting));
}

TEST_F(FormDescriptions, LoadingStateDuringTheReadAndLoadedInCreationOrderAfterIt) {
    TTestForm* form = Read(WriteComponentToText(Keep(BuildSample())));
    auto* panel = As<TTestWidget>(form->FindComponent(L"Panel"));
    auto* inner = As<TTestWidget>(form->FindComponent(L"Inner"));
    EXPECT_TRUE(panel->loadingWhenSized);
    EXPECT_TRUE(inner->buddyResolvedWhenLoaded);  // references are resolved before Loaded
    // The original form built in code and the copy: only the copy was loaded.
    EXPECT_EQ(TStreamingLog::loaded, (std::vector<String>{L"Form1", L"Panel", L"Inner", L"Later", L"Thing"}));
    for (int i = 0; i < form->ComponentCount(); ++i)
        EXPECT_FALSE(form->Components(i)->ComponentState().Contains(csLoading));
    EXPECT_FALSE(form->ComponentState().Contains(csLoading));
    EXPECT_FALSE(form->ComponentState().Contains(csReading));
}

TEST_F(FormDescriptions, HandWrittenTextWithCommentsHexNamedValuesAndOtherForms) {
    TTestForm* other = Read(
        "object Library: TTestForm\n"
        "  object Shared: TTestWidget\n"
        "  end\n"
        "end\n");
    TTestForm* form = Read(
        "// The main window\n"
        "object Main: TTestForm\n"
        "  Caption = 'It''s '#1082#1086#1090  // quoted runs and character codes\n"
        "  object W: TTestWidget\n"
        "    Width = $7F\n"
        "    Color = clBtnFace\n"
        "    Small = $FFFF\n"
        "    Options = []\n"
        "    Visible = true\n"
        "    Ratio = -2\n"
        "    Font.Size = 12\n"
        "    Buddy = Library.Shared\n"
        "    OnClick = buttonclick\n"
        "    Items = <>\n"
        "    Bits = {\n"
        "      00ff 10\n"
        "      7F}\n"
        "  end\n"
        "end\n");
    EXPECT_EQ(form->Caption(), L"It's кот");
    auto* w = As<TTestWidget>(form->FindComponent(L"W"));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Width(), 127);
    EXPECT_EQ(w->Color(), int(0xFF00000F));
    EXPECT_EQ(w->Small(), -1);  // a hexadecimal bit pattern fills the sign bit
    EXPECT_EQ(w->Ratio(), -2.0);
    EXPECT_EQ(w->Font()->Size(), 12);
    EXPECT_EQ(w->Buddy(), other->FindComponent(L"Shared"));
    EXPECT_EQ(w->bits, (TBytes{0x00, 0xFF, 0x10, 0x7F}));
    EXPECT_TRUE(w->OnClick.Assigned());
    EXPECT_EQ(FindGlobalComponent(L"Main.W"), w);

    // A second instance of a form gets its own name among the loaded forms.
    TTestForm* again = Read("object Main: TTestForm\nend\n");
    EXPECT_EQ(again->Name(), L"Main_1");
}

TEST_F(FormDescriptions, ReadsIntoAnExistingRoot) {
    auto* form = Keep(new TTestForm(nullptr));
    ReadComponentFromText("object Form9: TTestForm\n  Caption = 'x'\n  object A: TTestThing\n  end\nend\n", form);
    EXPECT_EQ(form->Name(), L"Form9");
    EXPECT_EQ(form->Caption(), L"x");
    EXPECT_EQ(form->ComponentCount(), 1);
    EXPECT_THROW(ReadComponentFromText("object X: TTestWidget\nend\n", Keep(new TTestForm(nullptr))), EReadError);
}

struct TBadInput {
    const char* what;
    const char* text;
    const char* message;
};

const TBadInput kBadInputs[] = {
    {"unknown class", "object F: TTestForm\n  object A: TTestThing\n  end\n  object B: TNoSuchClass\n  end\nend\n",
     "Class TNoSuchClass not found at line 4"},
    {"class that is not a component", "object F: TTestForm\n  object B: TTestFont\n  end\nend\n",
     "TTestFont is not a component class at line 2"},
    {"unknown property", "object F: TTestForm\n  object A: TTestWidget\n    Width = 5\n    Bogus = 1\n  end\nend\n",
     "Property Bogus does not exist in TTestWidget at line 4"},
    {"unknown sub-property", "object F: TTestForm\n  object A: TTestWidget\n    Font.Colour = 1\n  end\nend\n",
     "Property Colour does not exist in TTestFont at line 3"},
    {"unknown item property",
     "object F: TTestForm\n object A: TTestWidget\n  Items = <\n   item\n    Bogus = 1\n   end>\n end\nend\n",
     "Property Bogus does not exist in TTestItem at line 5"},
    {"string for an integer", "object F: TTestForm\n  object A: TTestWidget\n    Width = 'wide'\n  end\nend\n",
     "Invalid value for property Width: an integer expected at line 3"},
    {"float for an integer", "object F: TTestForm\n  object A: TTestWidget\n    Width = 1.5\n  end\nend\n",
     "Invalid value for property Width: an integer expected at line 3"},
    {"integer out of range", "object F: TTestForm\n  object A: TTestWidget\n    Small = 40000\n  end\nend\n",
     "Value 40000 out of range for property Small at line 3"},
    {"hexadecimal too wide", "object F: TTestForm\n  object A: TTestWidget\n    Small = $10000\n  end\nend\n",
     "Value 65536 out of range for property Small at line 3"},
    {"unknown enumeration member", "object F: TTestForm\n  object A: TTestWidget\n    Shape = tsHexagon\n  end\nend\n",
     "Invalid value tsHexagon for property Shape at line 3"},
    {"unknown set member",
     "object F: TTestForm\n  object A: TTestWidget\n    Options = [toBold, toBlink]\n  end\nend\n",
     "Invalid set member toBlink for property Options at line 3"},
    {"integer for a Boolean", "object F: TTestForm\n  object A: TTestWidget\n    Visible = 1\n  end\nend\n",
     "Invalid value for property Visible: True or False expected at line 3"},
    {"identifier for a string", "object F: TTestForm\n  Caption = Hello\nend\n",
     "Invalid value for property Caption: a string expected at line 2"},
    {"unterminated string", "object F: TTestForm\n  Caption = 'Hello\nend\n", "Unterminated string at line 2"},
    {"bad hexadecimal", "object F: TTestForm\n  object A: TTestWidget\n    Bits = {00\n      0G}\n  end\nend\n",
     "Invalid hexadecimal digit 'G' in binary value at line 4"},
    {"odd hexadecimal", "object F: TTestForm\n  object A: TTestWidget\n    Bits = {ABC}\n  end\nend\n",
     "Odd number of hexadecimal digits in binary value at line 3"},
    {"text for binary data", "object F: TTestForm\n  object A: TTestWidget\n    Bits = 'AB'\n  end\nend\n",
     "Invalid value for property Bits: binary data expected at line 3"},
    {"unresolved reference", "object F: TTestForm\n  object A: TTestWidget\n    Buddy = Nobody\n  end\nend\n",
     "Component Nobody not found at line 3"},
    {"reference of the wrong class",
     "object F: TTestForm\n  object A: TTestWidget\n    Buddy = T\n  end\n  object T: TTestThing\n  end\nend\n",
     "Invalid value for property Buddy: T is not a TTestWidget at line 3"},
    {"unknown method", "object F: TTestForm\n  object A: TTestWidget\n    OnClick = Missing\n  end\nend\n",
     "Method Missing not found in TTestForm at line 3"},
    {"method of another signature",
     "object F: TTestForm\n  object A: TTestWidget\n    OnClick = KeyHandler\n  end\nend\n",
     "Method KeyHandler does not match event OnClick at line 3"},
    {"duplicate name", "object F: TTestForm\n  object A: TTestThing\n  end\n  object a: TTestThing\n  end\nend\n",
     "A component named a already exists at line 4"},
    {"missing end", "object F: TTestForm\n  object A: TTestThing\n  end\n", "'end' of F expected at line 4"},
    {"stray character", "object F: TTestForm\n  Caption = 'a' ?\nend\n", "Invalid character '?' at line 2"},
    {"text after the end", "object F: TTestForm\nend\nobject G: TTestForm\nend\n",
     "Text after the end of the description at line 3"},
    {"value for a sub-object", "object F: TTestForm\n  object A: TTestWidget\n    Font = 1\n  end\nend\n",
     "Property Font holds an object: give its properties as Font.<name> at line 3"},
    {"item outside a collection", "object F: TTestForm\n  object A: TTestWidget\n    Items = (1)\n  end\nend\n",
     "Invalid value for property Items: a collection expected at line 3"},
    {"read-only property", "object F: TTestForm\n  object T: TTestThing\n    Uses = 4\n  end\nend\n",
     "Property Uses is read-only at line 3"},
    {"path through an empty reference",
     "object F: TTestForm\n  object A: TTestThing\n    Target.Name = 'x'\n  end\nend\n",
     "Property Target of TTestThing has no object to read into at line 3"},
};

TEST_F(FormDescriptions, BadInputIsRefusedWithItsLineAndLeavesNothingBehind) {
    for (const TBadInput& bad : kBadInputs) {
        SCOPED_TRACE(bad.what);
        try {
            TComponent* root = ReadComponentFromText(bad.text, nullptr);
            FreeObject(root);
            ADD_FAILURE() << "accepted";
        } catch (const EReadError& e) {
            EXPECT_EQ(Utf8(e.Message()), bad.message);
        }
        EXPECT_EQ(TStreamingLog::live, 0 + liveBefore_);
        EXPECT_EQ(FindGlobalComponent(L"F"), nullptr);

        // Read into an existing root: what was created is freed, the root is no longer loading.
        auto* root = new TTestForm(nullptr);
        EXPECT_THROW(ReadComponentFromText(bad.text, root), EReadError);
        EXPECT_EQ(root->ComponentCount(), 0);
        EXPECT_FALSE(root->ComponentState().Contains(csLoading));
        FreeObject(root);
    }
}

TEST_F(FormDescriptions, BadUtf8IsRefusedWithItsLine) {
    try {
        ReadComponentFromText("object F: TTestForm\n  Caption = '\xC3\x28'\nend\n", nullptr);
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_EQ(Utf8(e.Message()), "Invalid UTF-8 text at line 2");
    }
}

TEST_F(FormDescriptions, FloatsThatAreNotNumbersSurviveTheRoundTrip) {
    auto* form = Keep(new TTestForm(nullptr));
    auto* w = new TTestWidget(form);
    w->SetName(L"W");
    w->SetRatio(-HUGE_VAL);
    w->SetScale(std::numeric_limits<float>::quiet_NaN());
    auto* copy = Read(WriteComponentToText(form));
    auto* w2 = As<TTestWidget>(copy->FindComponent(L"W"));
    EXPECT_EQ(w2->Ratio(), -HUGE_VAL);
    EXPECT_TRUE(std::isnan(w2->Scale()));
    EXPECT_EQ(As<TTestWidget>(
                  Read("object F: TTestForm\n object W: TTestWidget\n  Ratio = Inf\n end\nend\n")->FindComponent(L"W"))
                  ->Ratio(),
              HUGE_VAL);
}

TEST_F(FormDescriptions, DefaultAndUnstoredValuesAreNotWritten) {
    auto* form = Keep(new TTestForm(nullptr));
    form->SetName(L"F");
    auto* w = new TTestWidget(form);
    w->SetName(L"W");
    w->SetSecret(5);
    EXPECT_EQ(WriteComponentToText(form),
              "object F: TTestForm\r\n"
              "  object W: TTestWidget\r\n"
              "  end\r\n"
              "end\r\n");
}

}  // namespace

namespace {

TEST_F(FormDescriptions, FormsStreamTheirDescriptionsFromTheProgramsResources) {
    auto* form = Keep(new TTestForm(nullptr));
    EXPECT_TRUE(InitInheritedComponent(form, TCounted::StaticClass()));
    EXPECT_EQ(form->Name(), L"ResourceForm");
    EXPECT_EQ(form->Caption(), L"Из ресурса");
    auto* child = As<TTestWidget>(form->FindComponent(L"Child"));
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->Width(), 42);
    EXPECT_TRUE(child->OnClick.Assigned());

    // A class with no description of its own: nothing is read.
    auto* thing = Keep(new TTestThing(nullptr));
    EXPECT_FALSE(InitInheritedComponent(thing, TCounted::StaticClass()));
    EXPECT_THROW(ReadComponentRes(L"TNoSuchForm", Keep(new TTestForm(nullptr))), EResNotFound);
}

}  // namespace

namespace {

class TListHolder : public TComponent {
    Z_CLASS(TListHolder, TComponent)
    Z_PUBLISHED { p.Property(L"Lines", &TListHolder::Lines); }

public:
    explicit TListHolder(TComponent* owner) : TComponent(owner) {}
    TStringList* Lines() { return &lines_; }

private:
    TStringList lines_;
};

TEST_F(FormDescriptions, StringListsAreWrittenAsListsOfStrings) {
    RegisterClass(TListHolder::StaticClass());
    auto* holder = Keep(new TListHolder(nullptr));
    holder->SetName(L"Holder");
    holder->Lines()->AddStrings({L"первая", L"", L"it's"});
    AnsiString text = WriteComponentToText(holder);
    EXPECT_EQ(text,
              "object Holder: TListHolder\r\n"
              "  Lines.Strings = (\r\n"
              "    '\xD0\xBF\xD0\xB5\xD1\x80\xD0\xB2\xD0\xB0\xD1\x8F'\r\n"
              "    ''\r\n"
              "    'it''s')\r\n"
              "end\r\n");
    auto* copy = Keep(static_cast<TListHolder*>(ReadComponentFromText(text, nullptr)));
    EXPECT_TRUE(copy->Lines()->Equals(holder->Lines()));
    EXPECT_THROW(ReadComponentFromText("object H: TListHolder\n  Lines.Strings = ('a' 2)\nend\n", nullptr), EReadError);
}

}  // namespace

namespace {

// Reads its own description against its owner, as a scene inside a form does.
class TTestScene : public TTestWidget {
    Z_CLASS(TTestScene, TTestWidget)
public:
    explicit TTestScene(TComponent* owner) : TTestWidget(owner) {}
    void ReadState(TReader* reader) override {
        TComponent* saved = reader->Root();
        if (Owner()) reader->SetRoot(Owner());
        try {
            inherited::ReadState(reader);
        } catch (...) {
            reader->SetRoot(saved);
            throw;
        }
        reader->SetRoot(saved);
    }
};

TEST_F(FormDescriptions, AComponentMayReadAgainstAnotherRoot) {
    auto* form = Keep(new TTestForm(nullptr));
    auto* target = new TTestWidget(form);
    target->SetName(L"Target");
    auto* scene = new TTestScene(form);
    ReadComponentFromText("object Scene: TTestScene\n  Buddy = Target\n  OnClick = ButtonClick\nend\n", scene);
    EXPECT_EQ(scene->Buddy(), target);
    scene->OnClick(scene);
    EXPECT_EQ(form->clicks.size(), 1u);  // bound to the owning form's method
}

TEST_F(FormDescriptions, ValueRoutinesWriteSequencesTheReaderReadsBack) {
    TMemoryStream stream;
    {
        TWriter writer(&stream);
        writer.WriteInteger(2);
        writer.WriteInteger(0);
        writer.WriteString(L"TGLMovement");
        writer.WriteFloat(-2.5);
        writer.WriteIdent(L"psStandard");
        writer.WriteBoolean(false);
        writer.WriteListBegin();
        writer.WriteString(L"ъ");
        writer.WriteListEnd();
        writer.WriteInteger(7);
    }
    stream.SetPosition(0);
    TReader reader(&stream);
    EXPECT_EQ(reader.NextValue(), vaInt);
    EXPECT_EQ(reader.ReadInteger(), 2);
    EXPECT_EQ(reader.ReadInteger(), 0);
    EXPECT_EQ(reader.NextValue(), vaString);
    EXPECT_EQ(reader.ReadString(), L"TGLMovement");
    EXPECT_EQ(reader.NextValue(), vaExtended);
    EXPECT_EQ(reader.ReadFloat(), -2.5);
    EXPECT_EQ(reader.NextValue(), vaIdent);
    EXPECT_EQ(reader.ReadIdent(), L"psStandard");
    EXPECT_EQ(reader.NextValue(), vaFalse);
    EXPECT_FALSE(reader.ReadBoolean());
    EXPECT_EQ(reader.NextValue(), vaList);
    reader.SkipValue();
    try {
        reader.ReadString();
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_EQ(Utf8(e.Message()), "String value expected at line 2");
    }
    EXPECT_EQ(reader.NextValue(), vaNull);
}

}  // namespace
