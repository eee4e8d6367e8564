#include <gtest/gtest.h>

#include "Colors.h"
#include "FormDescription.h"
#include "StreamingFixtures.h"
#include "TestSupport.h"
#include "TypInfo.h"

namespace {

// A descendant that changes an inherited default and adds a property.
class TWideWidget : public TTestWidget {
    Z_CLASS(TWideWidget, TTestWidget)
    Z_PUBLISHED {
        p.Property(L"Width", &TWideWidget::Width, &TWideWidget::SetWidth).Default(200);
        p.Property(L"Depth", &TWideWidget::Depth, &TWideWidget::SetDepth).Stored(&TWideWidget::DepthStored);
    }

public:
    explicit TWideWidget(TComponent* owner) : TTestWidget(owner) { SetWidth(200); }
    int Depth() const { return depth_; }
    void SetDepth(int v) { depth_ = v; }
    bool DepthStored() const { return depth_ > 10; }

private:
    int depth_ = 0;
};

Z_ENUM(TNarrowShade, Byte, nsLight, nsMedium, nsDark)
static_assert(sizeof(TNarrowShade) == 1, "Z_ENUM keeps the underlying type it is given");

TEST(Enumerations, MembersAreNamedInOrder) {
    const TEnumInfo& info = EnumInfo(nsMedium);
    EXPECT_EQ(info.Count(), 3);
    EXPECT_EQ(Utf8(info.Name()), "TNarrowShade");
    EXPECT_EQ(Utf8(info.NameOf(nsDark)), "nsDark");
    EXPECT_EQ(info.OrdinalOf(L"NSMEDIUM"), int(nsMedium));
    EXPECT_EQ(info.OrdinalOf(L"nsBright"), -1);
    EXPECT_TRUE(info.NameOf(3).empty());
}

// A colour property declared without naming its identifiers.
class TTintedThing : public TComponent {
    Z_CLASS(TTintedThing, TComponent)
    Z_PUBLISHED { p.Property(L"Tint", &TTintedThing::Tint, &TTintedThing::SetTint).Default(clBtnFace); }

public:
    using TComponent::TComponent;
    TColor Tint() const { return tint_; }
    void SetTint(TColor value) { tint_ = value; }

private:
    TColor tint_ = clBtnFace;
};

TEST(PublishedProperties, ColourPropertiesWriteAndReadTheColourIdentifiersByThemselves) {
    RegisterClass(TTintedThing::StaticClass());
    struct Case {
        TColor tint;
        const char* written;  // the line in the description; null: not written (the default)
    } cases[] = {{clRed, "Tint = clRed"},
                 {clWindowText, "Tint = clWindowText"},
                 {TColor(0x123456), "Tint = 1193046"},
                 {clBtnFace, nullptr}};
    for (const Case& c : cases) {
        TTintedThing thing(nullptr);
        thing.SetName(L"Thing");
        thing.SetTint(c.tint);
        AnsiString text = WriteComponentToText(&thing);
        if (!c.written) {
            EXPECT_EQ(text.find("Tint ="), AnsiString::npos) << text;
            continue;
        }
        EXPECT_NE(text.find(c.written), AnsiString::npos) << text;
        TTintedThing copy(nullptr);
        copy.SetTint(clBlack);
        ReadComponentFromText(text, &copy);
        EXPECT_EQ(copy.Tint(), c.tint) << c.written;
    }
    UnRegisterClass(TTintedThing::StaticClass());
}

// A float property whose default is written as a whole number.
class TWholeDefaultWidget : public TComponent {
    Z_CLASS(TWholeDefaultWidget, TComponent)
    Z_PUBLISHED { p.Property(L"Focal", &TWholeDefaultWidget::Focal, &TWholeDefaultWidget::SetFocal).Default(50); }

public:
    using TComponent::TComponent;
    float Focal() const { return focal_; }
    void SetFocal(float v) { focal_ = v; }

private:
    float focal_ = 50;
};

TEST(PublishedProperties, AWholeNumberIsTheDefaultOfAFloatProperty) {
    TWholeDefaultWidget w(nullptr);
    const TPropInfo* focal = w.PublishedTable().FindProperty(L"Focal");
    EXPECT_TRUE(focal->IsDefault(&w));
    w.SetFocal(49.5f);
    EXPECT_FALSE(focal->IsDefault(&w));
}

TEST(PublishedProperties, KindsComeFromTheGetterTypes) {
    TTestWidget w(nullptr);
    struct Case {
        const wchar_t* name;
        TTypeKind kind;
    } cases[] = {{L"Caption", tkString},  {L"Width", tkInteger},   {L"Ratio", tkFloat}, {L"Shape", tkEnumeration},
                 {L"Options", tkSet},     {L"Visible", tkBoolean}, {L"Font", tkClass},  {L"Items", tkClass},
                 {L"Buddy", tkComponent}, {L"OnClick", tkMethod},  {L"Name", tkString}, {L"Tag", tkInteger}};
    for (const Case& c : cases) {
        const TPropInfo* p = GetPropInfo(&w, c.name);
        ASSERT_NE(p, nullptr) << Utf8(c.name);
        EXPECT_EQ(p->Kind, c.kind) << Utf8(c.name);
    }
    EXPECT_EQ(GetPropInfo(&w, L"Scale")->FloatType, ftSingle);
    EXPECT_EQ(GetPropInfo(&w, L"Small")->MinValue, -32768);
    EXPECT_EQ(GetPropInfo(&w, L"Buddy")->ClassType, TTestWidget::StaticClass());
    EXPECT_FALSE(GetPropInfo(&w, L"Font")->Writable);
    EXPECT_TRUE(IsPublishedProp(&w, L"caption"));  // letter case ignored
    EXPECT_FALSE(IsPublishedProp(&w, L"Secrets"));
}

TEST(PublishedProperties, AccessByName) {
    TTestWidget w(nullptr);
    SetOrdProp(&w, L"Width", 33);
    EXPECT_EQ(w.Width(), 33);
    SetEnumProp(&w, L"Shape", L"tsSquare");
    EXPECT_EQ(GetEnumProp(&w, L"Shape"), L"tsSquare");
    SetSetProp(&w, L"Options", L"[toItalic, toStrike]");
    EXPECT_EQ(GetSetProp(&w, L"Options"), L"toItalic,toStrike");
    EXPECT_EQ(GetOrdProp(&w, L"Options"), (1 << toItalic) | (1 << toStrike));
    SetFloatProp(&w, L"Ratio", 2.25);
    EXPECT_EQ(w.Ratio(), 2.25);
    SetStrProp(&w, L"Caption", L"Да");
    EXPECT_EQ(GetStrProp(&w, L"Caption"), L"Да");
    SetOrdProp(&w, L"Visible", 0);
    EXPECT_FALSE(w.Visible());
    TTestWidget other(nullptr);
    SetObjectProp(&w, L"Buddy", &other);
    EXPECT_EQ(GetObjectProp(&w, L"Buddy"), &other);
    EXPECT_EQ(GetObjectProp(&w, L"Font"), w.Font());

    TTestThing thing(nullptr);
    EXPECT_THROW(SetObjectProp(&w, L"Buddy", &thing), EPropertyError);  // not a TTestWidget
    EXPECT_THROW(SetStrProp(&w, L"Width", L"x"), EPropertyError);
    EXPECT_THROW(GetOrdProp(&w, L"Nothing"), EPropertyError);
    EXPECT_THROW(SetEnumProp(&w, L"Shape", L"tsOval"), EPropertyError);
    EXPECT_THROW(SetObjectProp(&w, L"Font", nullptr), EPropertyError);  // read-only
    SetObjectProp(&w, L"Buddy", nullptr);
}

TEST(PublishedProperties, DescendantsInheritAndRedeclare) {
    TWideWidget w(nullptr);
    const TPublishedTable& table = w.PublishedTable();
    EXPECT_EQ(table.ClassType(), TWideWidget::StaticClass());
    EXPECT_EQ(table.Parent(), &TTestWidget::StaticPublished());
    std::vector<String> names;
    for (const TPropInfo* p : table.Properties()) names.push_back(p->Name);
    // Inherited first, in declaration order; the redeclared Width keeps its place once.
    ASSERT_GE(names.size(), 4u);
    EXPECT_EQ(names[0], L"Name");
    EXPECT_EQ(names[1], L"Tag");
    EXPECT_EQ(std::count(names.begin(), names.end(), String(L"Width")), 1);
    EXPECT_EQ(names.back(), L"Depth");
    const TPropInfo* width = table.FindProperty(L"Width");
    EXPECT_EQ(width->DefaultOrd, 200);
    EXPECT_TRUE(width->IsDefault(&w));

    const TPropInfo* depth = table.FindProperty(L"Depth");
    EXPECT_FALSE(depth->IsStored(&w));
    w.SetDepth(11);
    EXPECT_TRUE(depth->IsStored(&w));
    EXPECT_FALSE(table.FindProperty(L"Secret")->IsStored(&w));
}

TEST(PublishedProperties, MethodsBindEventsToTheirObject) {
    TTestForm form(nullptr);
    TTestWidget w(nullptr);
    const TMethodInfo* m = form.PublishedTable().FindMethod(L"buttonclick");
    ASSERT_NE(m, nullptr);
    const TPropInfo* onClick = GetPropInfo(&w, L"OnClick");
    EXPECT_EQ(m->EventType, onClick->EventType);
    EXPECT_NE(form.PublishedTable().FindMethod(L"KeyHandler")->EventType, onClick->EventType);
    onClick->SetMethod(&w, m, &form);
    EXPECT_TRUE(onClick->MethodIs(&w, *m, &form));
    EXPECT_FALSE(onClick->MethodIs(&w, *form.PublishedTable().FindMethod(L"OtherClick"), &form));
    w.OnClick(&w);
    ASSERT_EQ(form.clicks.size(), 1u);
    onClick->SetMethod(&w, nullptr, &form);
    EXPECT_FALSE(w.OnClick.Assigned());
}

}  // namespace
