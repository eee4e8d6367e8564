#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "FormDescription.h"
#include "TestSupport.h"
#include "cxStyles.h"
#include "cxTextMeasuring.h"

namespace {

// Counts the changes a style reports.
class TCountingObserver : public TNoRefCountObject, public IcxStyleObserver {
public:
    void StyleValueChanged(TcxCustomStyle*) override { ++changes; }
    void StyleDetached(TcxCustomStyle* style) override {
        ++detaches;
        style->DetachObserver(this);
    }
    int changes = 0;
    int detaches = 0;
};

// A style set with two values, Content (0) and Header (1), published for descriptions, that
// records the indexes it hears about.
class TTestStyles : public TcxCustomStyles {
    Z_CLASS(TTestStyles, TcxCustomStyles)
    Z_PUBLISHED {
        p.Property(L"Content", &TTestStyles::Content, &TTestStyles::SetContent);
        p.Property(L"Header", &TTestStyles::Header, &TTestStyles::SetHeader);
    }

public:
    explicit TTestStyles(TPersistent* owner) : TcxCustomStyles(owner) {}
    void ValueChanged(Integer index) override { heard.push_back(index); }

    TcxStyle* Content() const { return StyleOf(0); }
    void SetContent(TcxStyle* style) { Use(0, style); }
    TcxStyle* Header() const { return StyleOf(1); }
    void SetHeader(TcxStyle* style) { Use(1, style); }
    void Use(Integer index, TcxCustomStyle* style) {
        for (int i = 0; i < EntryCount(); ++i)
            if (EntryAt(i).Index == index) DeleteEntry(i);
        if (style) AddEntry(index, style);
    }

    std::vector<Integer> heard;

private:
    TcxStyle* StyleOf(Integer index) const {
        for (int i = 0; i < EntryCount(); ++i)
            if (EntryAt(i).Index == index) return dynamic_cast<TcxStyle*>(EntryAt(i).Style);
        return nullptr;
    }
};

class TTestStyleSheet : public TcxCustomStyleSheet {
    Z_CLASS(TTestStyleSheet, TcxCustomStyleSheet)
    Z_PUBLISHED { p.Property(L"Styles", &TTestStyleSheet::Styles); }

public:
    explicit TTestStyleSheet(TComponent* owner) : TcxCustomStyleSheet(owner) {}
    TcxCustomStylesClass StylesClassOf() const override { return TTestStyles::StaticClass(); }
    TTestStyles* Styles() const { return static_cast<TTestStyles*>(StylesObject()); }
};

// A sheet of another styles class.
class TOtherStyles : public TcxCustomStyles {
    Z_CLASS(TOtherStyles, TcxCustomStyles)
public:
    explicit TOtherStyles(TPersistent* owner) : TcxCustomStyles(owner) {}
};
class TOtherStyleSheet : public TcxCustomStyleSheet {
    Z_CLASS(TOtherStyleSheet, TcxCustomStyleSheet)
public:
    explicit TOtherStyleSheet(TComponent* owner) : TcxCustomStyleSheet(owner) {}
    TcxCustomStylesClass StylesClassOf() const override { return TOtherStyles::StaticClass(); }
};

TTestStyleSheet* NewSheet(TcxStyleRepository& repository) {
    return static_cast<TTestStyleSheet*>(repository.NewStyleSheet(TTestStyleSheet::StaticClass()));
}

TcxStyle* NewStyle(TcxStyleRepository& repository, TComponent* owner = nullptr) {
    return static_cast<TcxStyle*>(repository.NewStyleOwned(TcxStyle::StaticClass(), owner ? owner : &repository));
}

TEST(cxStyle, EachValueIsAssignedByItsOwnChangeAndReportsOnce) {
    TcxStyleRepository repository(nullptr);
    TcxStyle* style = NewStyle(repository);
    TCountingObserver observer;
    style->AttachObserver(&observer);
    style->AttachObserver(&observer);
    EXPECT_EQ(style->ObserverCount(), 1);
    EXPECT_TRUE(style->AssignedValues().Empty());
    EXPECT_EQ(style->Color(), clDefault);

    style->SetColor(clRed);
    EXPECT_EQ(style->AssignedValues(), TcxStyleValues{svColor});
    style->SetColor(clRed);  // equal: nothing
    EXPECT_EQ(observer.changes, 1);
    style->SetColor(clDefault);
    EXPECT_TRUE(style->AssignedValues().Empty());
    style->SetTextColor(clBlue);
    EXPECT_EQ(style->AssignedValues(), TcxStyleValues{svTextColor});
    EXPECT_EQ(observer.changes, 3);

    TBitmap bitmap(4, 4);
    style->SetBitmap(&bitmap);
    EXPECT_TRUE(style->AssignedValues().Contains(svBitmap));
    EXPECT_EQ(style->Bitmap()->Width(), 4);
    TBitmap empty;
    style->SetBitmap(&empty);
    EXPECT_FALSE(style->AssignedValues().Contains(svBitmap));

    TFont font;
    font.SetName(L"Arial");
    style->SetFont(&font);
    EXPECT_TRUE(style->AssignedValues().Contains(svFont));
    EXPECT_EQ(style->Font()->Name(), L"Arial");
    int before = observer.changes;
    style->Font()->SetHeight(-20);
    EXPECT_EQ(observer.changes, before + 1);
    style->DetachObserver(&observer);
}

TEST(cxStyle, AssignCopiesTheAssignedValuesLastAndReportsOnce) {
    TcxStyleRepository repository(nullptr);
    TcxStyle* source = NewStyle(repository);
    TcxStyle* target = NewStyle(repository);
    source->SetColor(clYellow);
    source->Font()->SetName(L"Courier New");
    source->SetAssignedValues(TcxStyleValues{svColor});  // the font is not part of it
    TCountingObserver observer;
    target->AttachObserver(&observer);

    target->Assign(source);
    EXPECT_EQ(target->Color(), clYellow);
    EXPECT_EQ(target->Font()->Name(), L"Courier New");
    EXPECT_EQ(target->AssignedValues(), TcxStyleValues{svColor});
    EXPECT_EQ(observer.changes, 1);
    target->DetachObserver(&observer);

    // A saved copy restores the values changed since.
    TcxStyle* saved = NewStyle(repository);
    saved->Assign(target);
    target->SetColor(clRed);
    target->Font()->SetName(L"Arial");
    target->Assign(saved);
    EXPECT_EQ(target->Color(), clYellow);
    EXPECT_EQ(target->Font()->Name(), L"Courier New");
    EXPECT_EQ(target->AssignedValues(), TcxStyleValues{svColor});
}

TEST(cxStyle, ChangesInsideAnUpdateBracketAreReportedOnceAtItsOuterEnd) {
    TcxStyleRepository repository(nullptr);
    TcxStyle* style = NewStyle(repository);
    TCountingObserver observer;
    style->AttachObserver(&observer);
    style->BeginUpdate();
    style->SetColor(clRed);
    style->BeginUpdate();
    style->SetTextColor(clGreen);
    style->Font()->SetHeight(-14);
    style->EndUpdate();
    EXPECT_EQ(observer.changes, 0);
    style->EndUpdate();
    EXPECT_EQ(observer.changes, 1);
    style->BeginUpdate();
    style->EndUpdate();  // nothing changed: nothing reported
    style->EndUpdate();  // unbalanced: ignored
    EXPECT_EQ(observer.changes, 1);
    EXPECT_EQ(style->UpdateCount(), 0);

    style->ResetValues();
    EXPECT_TRUE(style->AssignedValues().Empty());
    EXPECT_EQ(style->Color(), clDefault);
    EXPECT_EQ(style->Font()->Height(), -14);  // the font stays as it was
    EXPECT_EQ(observer.changes, 2);
    style->DetachObserver(&observer);
}

TEST(cxStyleSets, ChangesOfASheetsStylesReachEveryFollowerByIndex) {
    TcxStyleRepository repository(nullptr);
    TcxStyle* content = NewStyle(repository);
    TcxStyle* header = NewStyle(repository);
    TTestStyleSheet* sheet = NewSheet(repository);
    sheet->Styles()->SetContent(content);
    sheet->Styles()->SetHeader(header);
    TTestStyleSheet* middle = NewSheet(repository);
    TTestStyles follower(nullptr);

    middle->Styles()->AssignStyleSheet(sheet);
    EXPECT_EQ(middle->Styles()->heard, (std::vector<Integer>{0, 1}));
    follower.AssignStyleSheet(middle);  // follows the sheet through the middle one
    EXPECT_EQ(follower.heard, (std::vector<Integer>{0, 1}));
    EXPECT_EQ(sheet->UserCount(), 1);

    follower.heard.clear();
    header->SetColor(clRed);
    EXPECT_EQ(follower.heard, std::vector<Integer>{1});
    EXPECT_EQ(sheet->Styles()->heard.back(), 1);

    // A style used twice stays observed when one use goes.
    sheet->Styles()->SetContent(header);
    follower.heard.clear();
    sheet->Styles()->SetHeader(nullptr);
    header->SetColor(clBlue);
    EXPECT_EQ(follower.heard, (std::vector<Integer>{1, 0}));

    follower.AssignStyleSheet(nullptr);
    EXPECT_EQ(middle->UserCount(), 0);
}

TEST(cxStyleSets, ASetCannotFollowItsOwnSheetOrASheetThatLeadsBackToIt) {
    TcxStyleRepository repository(nullptr);
    TTestStyleSheet* a = NewSheet(repository);
    TTestStyleSheet* b = NewSheet(repository);
    TTestStyleSheet* c = NewSheet(repository);
    auto* other = repository.NewStyleSheet(TOtherStyleSheet::StaticClass());

    a->Styles()->AssignStyleSheet(a);
    EXPECT_EQ(a->Styles()->StyleSheet(), nullptr);
    b->Styles()->AssignStyleSheet(a);
    c->Styles()->AssignStyleSheet(b);
    a->Styles()->AssignStyleSheet(c);  // c -> b -> a: would go round
    EXPECT_EQ(a->Styles()->StyleSheet(), nullptr);
    EXPECT_FALSE(a->Styles()->CanUseStyleSheet(b));
    a->Styles()->AssignStyleSheet(other);  // another styles class
    EXPECT_EQ(a->Styles()->StyleSheet(), nullptr);
    EXPECT_TRUE(a->Styles()->CanUseStyleSheet(nullptr));

    TTestStyles copy(nullptr);
    copy.Assign(c->Styles());
    EXPECT_EQ(copy.StyleSheet(), b);
}

TEST(cxStyleSets, FreeingAStyleOrASheetLetsItsUsersGo) {
    TcxStyleRepository repository(nullptr);
    TcxStyle* style = NewStyle(repository);
    TTestStyleSheet* sheet = NewSheet(repository);
    sheet->Styles()->SetContent(style);
    TTestStyles follower(nullptr);
    follower.AssignStyleSheet(sheet);
    EXPECT_EQ(style->ObserverCount(), 1);

    follower.heard.clear();
    FreeObject(style);
    EXPECT_EQ(sheet->Styles()->EntryCount(), 0);
    EXPECT_EQ(follower.heard, std::vector<Integer>{0});
    EXPECT_EQ(repository.StyleCount(), 0);

    FreeObject(sheet);
    EXPECT_EQ(follower.StyleSheet(), nullptr);
    EXPECT_EQ(repository.SheetCount(), 0);
}

TEST(cxStyleSheet, CaptionFallsBackToTheNameAndIsStoredOnlyWhenItsOwn) {
    TcxStyleRepository repository(nullptr);
    TTestStyleSheet* sheet = NewSheet(repository);
    sheet->SetName(L"ssBlue");
    EXPECT_EQ(sheet->Caption(), L"ssBlue");
    sheet->SetCaption(L"Синий");
    EXPECT_EQ(Utf8(sheet->Caption()), "Синий");
    sheet->SetCaption(L"SSBLUE");
    EXPECT_EQ(sheet->Caption(), L"ssBlue");
    EXPECT_FALSE(GetPropInfo(sheet, L"Caption")->IsStored(sheet));

    TTestStyleSheet* copy = NewSheet(repository);
    sheet->SetCaption(L"Синий");
    copy->Assign(sheet);
    EXPECT_EQ(Utf8(copy->Caption()), "Синий");
    EXPECT_FALSE(sheet->BuiltIn());
}

TEST(cxStyleRepository, OwnsItsStylesAndSheetsWhoeverOwnsThem) {
    auto owner = std::make_unique<TComponent>(nullptr);
    auto* repository = new TcxStyleRepository(owner.get());
    TcxStyle* own = NewStyle(*repository);
    TcxStyle* foreign = NewStyle(*repository, owner.get());
    NewSheet(*repository);
    EXPECT_EQ(own->Repository(), repository);
    EXPECT_TRUE(foreign->HasParent());
    EXPECT_EQ(foreign->GetParentComponent(), repository);
    EXPECT_EQ(repository->StyleCount(), 2);
    EXPECT_EQ(owner->ComponentCount(), 2);  // the repository and the foreign style

    foreign->SetParentComponent(nullptr);
    EXPECT_EQ(repository->StyleCount(), 1);
    foreign->SetParentComponent(repository);
    EXPECT_EQ(repository->StyleAt(1), foreign);
    EXPECT_THROW(foreign->SetParentComponent(owner.get()), EInvalidCast);

    FreeObject(repository);
    EXPECT_EQ(owner->ComponentCount(), 0);  // the foreign style went with the repository
}

TEST(cxStyleRepository, FormDescriptionRoundTrip) {
    RegisterClasses({TTestStyleSheet::StaticClass()});
    TComponent form(nullptr);
    form.SetName(L"Form1");
    auto* repository = new TcxStyleRepository(&form);
    repository->SetName(L"StyleRepository");
    TcxStyle* content = NewStyle(*repository, &form);
    content->SetName(L"stContent");
    content->SetColor(clWindow);
    content->Font()->SetName(L"Arial");
    content->Font()->SetHeight(-13);
    TcxStyle* header = NewStyle(*repository, &form);
    header->SetName(L"stHeader");
    header->SetTextColor(clRed);
    TTestStyleSheet* sheet =
        static_cast<TTestStyleSheet*>(repository->NewStyleSheetOwned(TTestStyleSheet::StaticClass(), &form));
    sheet->SetName(L"ssMain");
    sheet->SetCaption(L"Основной");
    sheet->Styles()->SetContent(content);
    sheet->Styles()->SetHeader(header);

    AnsiString text = WriteComponentToText(&form);
    SCOPED_TRACE(text);
    EXPECT_NE(text.find("PixelsPerInch = " + std::to_string(ScreenPixelsPerInch(0))), AnsiString::npos);
    EXPECT_NE(text.find("BuiltIn = False"), AnsiString::npos);
    EXPECT_NE(text.find("\n    object stContent: TcxStyle"), AnsiString::npos);  // inside the repository
    EXPECT_NE(text.find("\n    object ssMain: TTestStyleSheet"), AnsiString::npos);
    EXPECT_NE(text.find("Styles.Content = stContent"), AnsiString::npos);
    EXPECT_EQ(text.find("Bitmap"), AnsiString::npos);  // unassigned values are not stored
    EXPECT_EQ(text.find("  Color = clDefault"), AnsiString::npos);

    TComponent copy(nullptr);
    ReadComponentFromText(text, &copy);
    auto* readRepository = dynamic_cast<TcxStyleRepository*>(copy.FindComponent(L"StyleRepository"));
    ASSERT_NE(readRepository, nullptr);
    ASSERT_EQ(readRepository->StyleCount(), 2);
    ASSERT_EQ(readRepository->SheetCount(), 1);
    auto* readContent = dynamic_cast<TcxStyle*>(copy.FindComponent(L"stContent"));
    ASSERT_NE(readContent, nullptr);
    EXPECT_EQ(readContent->Repository(), readRepository);
    EXPECT_EQ(readContent->AssignedValues(), (TcxStyleValues{svColor, svFont}));
    EXPECT_EQ(readContent->Color(), clWindow);
    EXPECT_EQ(readContent->Font()->Height(), -13);
    auto* readSheet = dynamic_cast<TTestStyleSheet*>(copy.FindComponent(L"ssMain"));
    ASSERT_NE(readSheet, nullptr);
    EXPECT_EQ(Utf8(readSheet->Caption()), "Основной");
    EXPECT_EQ(readSheet->Styles()->Content(), readContent);
    EXPECT_EQ(readSheet->Styles()->Header(), copy.FindComponent(L"stHeader"));
    EXPECT_EQ(WriteComponentToText(&copy), text);
}

TEST(cxStyleRepository, StoredFontHeightsAreScaledOnlyWhenScalable) {
    int screen = ScreenPixelsPerInch(0);
    struct Case {
        const char* scalable;
        int stored;
        int height;
    };
    const Case cases[] = {
        {"False", screen * 2, -20},  // not scalable: kept whatever was stored
        {"True", 0, -20},            // unknown: kept
        {"True", screen, -20},       // same screen: kept
        {"True", screen * 2, -10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scalable + std::string(" ") + std::to_string(c.stored));
        AnsiString text = std::string(
                              "object Form1: TComponent\n"
                              "  object Repository: TcxStyleRepository\n"
                              "    Scalable = ") +
                          c.scalable + "\n    PixelsPerInch = " + std::to_string(c.stored) +
                          "\n    object stBig: TcxStyle\n"
                          "      AssignedValues = [svFont]\n"
                          "      Font.Height = -20\n"
                          "    end\n"
                          "  end\n"
                          "end\n";
        TComponent form(nullptr);
        ReadComponentFromText(text, &form);
        auto* style = dynamic_cast<TcxStyle*>(form.FindComponent(L"stBig"));
        ASSERT_NE(style, nullptr);
        EXPECT_EQ(style->Font()->Height(), c.height);
        EXPECT_EQ(style->AssignedValues(), TcxStyleValues{svFont});
    }
}

}  // namespace
