// The change road of value objects: who hears a change, how often and from whom; colours and
// coordinates with their kinds and fix-ups; "Color", "Coordinates" and "Items" in form
// descriptions.

#include <gtest/gtest.h>

#include <memory>

#include "FormDescription.h"
#include "GLColor.h"
#include "GLCoordinates.h"
#include "MathExpect.h"
#include "TestSupport.h"
#include "VectorLists.h"

namespace {

using Heard = std::vector<TObject*>;

// An update-able value (face properties, a material) that records the senders it hears.
class TRecordingObject : public TGLUpdateAbleObject {
    Z_CLASS(TRecordingObject, TGLUpdateAbleObject)
public:
    using TGLUpdateAbleObject::TGLUpdateAbleObject;
    void ReportChange(TObject* sender) override {
        heard.push_back(sender);
        inherited::ReportChange(sender);
    }
    Heard heard;
};

class TRecordingComponent : public TGLUpdateAbleComponent {
    Z_CLASS(TRecordingComponent, TGLUpdateAbleComponent)
public:
    using TGLUpdateAbleComponent::TGLUpdateAbleComponent;
    void ReportChange(TObject* sender) override {
        heard.push_back(sender);
        inherited::ReportChange(sender);
    }
    Heard heard;
};

// Hears changes through the interface but is no update-able object.
class TPlainListener : public TPersistent, public IChangeNotifiable {
    Z_CLASS(TPlainListener, TPersistent)
public:
    void ReportChange(TObject* sender) override { heard.push_back(sender); }
    Heard heard;
};

// A scene object's stand-in: told by name which coordinates changed.
class TRecordingPlaced : public TGLCoordinatesUpdateAbleComponent {
    Z_CLASS(TRecordingPlaced, TGLCoordinatesUpdateAbleComponent)
public:
    using TGLCoordinatesUpdateAbleComponent::TGLCoordinatesUpdateAbleComponent;
    void CoordinatesChanged(TGLCustomCoordinates* sender) override { changed.push_back(sender); }
    void ReportChange(TObject* sender) override { heard.push_back(sender); }
    std::vector<TGLCustomCoordinates*> changed;
    Heard heard;
};

// Counts OnChange calls.
struct TChangeCounter {
    void Changed(TObject* sender) {
        ++count;
        last = sender;
    }
    int count = 0;
    TObject* last = nullptr;
};

// ---- update-able objects and components ------------------------------------------------------

TEST(ChangeNotification, ValueWithoutOwnerChangesSilently) {
    TChangeCounter counter;
    TGLColor color(nullptr);
    color.OnChange = MakeEvent(&counter, &TChangeCounter::Changed);
    color.SetRed(0.5f);
    color.SetColorVector({1, 1, 1, 1});
    EXPECT_EQ(counter.count, 0);
    EXPECT_EQ(color.Red(), 1);
}

TEST(ChangeNotification, ColourChangeClimbsToTheComponentTwiceEachWithTheChildAsSender) {
    TRecordingComponent owner(nullptr);  // the material's owner
    TRecordingObject material(&owner);
    TRecordingObject face(&material);
    TGLColor diffuse(&face);
    TChangeCounter counter;
    diffuse.OnChange = MakeEvent(&counter, &TChangeCounter::Changed);

    diffuse.SetRed(0.25f);
    EXPECT_EQ(face.heard, (Heard{&diffuse, &diffuse}));  // through the interface, then again
    EXPECT_EQ(material.heard, (Heard{&face, &face}));
    EXPECT_EQ(owner.heard, (Heard{&material, &material}));
    EXPECT_EQ(counter.count, 1);
    EXPECT_EQ(counter.last, &diffuse);

    face.heard.clear();
    diffuse.SetRed(0.25f);  // the same value: nothing
    diffuse.SetAlpha(1);
    EXPECT_TRUE(face.heard.empty());
    EXPECT_EQ(counter.count, 1);
}

TEST(ChangeNotification, EveryColourSetterOutsideSetUpNotifies) {
    TRecordingObject owner(nullptr);
    TChangeCounter counter;
    TGLColor color(&owner, {0.1f, 0.2f, 0.3f, 0.4f}, MakeEvent(&counter, &TChangeCounter::Changed));
    EXPECT_TRUE(Near(color.Color(), {0.1f, 0.2f, 0.3f, 0.4f}));
    color.SetInitialColor({0, 0, 0, 0});
    color.StoreColorVector({1, 0, 0, 0});
    EXPECT_EQ(counter.count, 0);

    color.SetColorVector({1, 0, 0, 0});  // even unchanged
    color.AssignRGBA(0, 1, 0, 1);
    TGLColor other(nullptr, {0, 0, 1, 1});
    color.Assign(&other);
    EXPECT_EQ(counter.count, 3);
    EXPECT_EQ(owner.heard.size(), 6u);
    EXPECT_TRUE(Near(color.Color(), {0, 0, 1, 1}));
    EXPECT_EQ(color.ColorVectorAddress()[2], 1);
    EXPECT_THROW(color.Assign(&owner), EConvertError);

    TGLColor fresh(nullptr);
    EXPECT_TRUE(Near(fresh.Color(), {0, 0, 0, 1}));
}

TEST(ChangeNotification, OwnersHearOnceOrNotAtAllByKind) {
    TPlainListener plain;
    TGLColor color(&plain);
    TChangeCounter counter;
    color.OnChange = MakeEvent(&counter, &TChangeCounter::Changed);
    color.SetGreen(1);
    EXPECT_EQ(plain.heard, (Heard{&color}));  // the interface only
    EXPECT_EQ(counter.count, 1);

    TPlainListener plainOwner;
    TRecordingObject value(&plainOwner);
    value.ReportChange(nullptr);  // an update-able object tells only update-able owners
    EXPECT_TRUE(plainOwner.heard.empty());

    TComponent form(nullptr);
    auto* inner = new TRecordingComponent(&form);
    auto* nested = new TRecordingComponent(inner);
    nested->ReportChange(nested);
    EXPECT_EQ(inner->heard, (Heard{nested}));
    inner->heard.clear();
    inner->ReportChange(inner);  // its owner is a plain component: the change stops here
    EXPECT_EQ(inner->heard, (Heard{inner}));
}

TEST(ChangeNotification, WindowsColoursToVectors) {
    EXPECT_TRUE(Near(WinColorToVector(0x0000FF, 0.5f), {1, 0, 0, 0.5f}));
    TVector4f v = WinColorToVector(0x40FF80);
    EXPECT_EQ(v.X, Single(128.0L / 255));
    EXPECT_EQ(v.Y, 1);
    EXPECT_EQ(v.Z, Single(64.0L / 255));
    EXPECT_EQ(v.W, 1);
    DWORD face = GetSysColor(COLOR_BTNFACE);
    TVector4f system = WinColorToVector(clBtnFace);
    EXPECT_EQ(system.X, Single(GetRValue(face) / 255.0L));
    EXPECT_EQ(system.Z, Single(GetBValue(face) / 255.0L));
    EXPECT_EQ(RedOfWinColor(0x123456), 0x56);
    EXPECT_EQ(GreenOfWinColor(0x123456), 0x34);
    EXPECT_EQ(BlueOfWinColor(0x123456), 0x12);
}

// ---- coordinates -----------------------------------------------------------------------------

TEST(Coordinates, KindsFixUpAssignedVectors) {
    struct Case {
        TCoordinatesKind kind;
        TVector4f given, held;
    };
    const Case cases[] = {
        {csPoint, {1, 2, 3, 0}, {1, 2, 3, 1}},
        {csVector, {1, 2, 3, 1}, {1, 2, 3, 0}},
        {csPoint2D, {1, 2, 3, 1}, {1, 2, 0, 0}},
    };
    for (const Case& c : cases) {
        TRecordingObject owner(nullptr);
        TGLCoordinates4 coordinates(&owner, {9, 9, 9, 9}, c.kind);
        EXPECT_TRUE(Near(coordinates.AsVector(), {9, 9, 9, 9}));  // as given, no fix-up
        coordinates.AssignVector(c.given);
        EXPECT_TRUE(Near(coordinates.AsVector(), c.held));
        EXPECT_EQ(owner.heard, (Heard{&coordinates}));
    }
}

TEST(Coordinates, WrongKindSettersChangeNothing) {
    TRecordingObject owner(nullptr);
    TGLCoordinates3 direction(&owner, {0, 0, 1, 0}, csVector);
    TGLCoordinates3 position(&owner, {0, 0, 0, 1}, csPoint);
    try {
        direction.SetPoint(1, 2, 3);
        ADD_FAILURE();
    } catch (const EAssertionFailed& e) {
        EXPECT_NE(e.Message().find(L"If you are getting assertions here, consider using the SetVector procedure"),
                  String::npos);
    }
    try {
        position.SetVector(1, 2, 3);
        ADD_FAILURE();
    } catch (const EAssertionFailed& e) {
        EXPECT_NE(e.Message().find(L"consider using the SetPoint procedure"), String::npos);
    }
    EXPECT_THROW(position.SetVector(TAffineVector{1, 2, 3}), EAssertionFailed);
    EXPECT_TRUE(Near(direction.AsVector(), {0, 0, 1, 0}));
    EXPECT_TRUE(Near(position.AsVector(), {0, 0, 0, 1}));
    EXPECT_TRUE(owner.heard.empty());

    position.SetPoint(1, 2, 3);
    direction.SetVector(4, 5, 6);
    direction.SetVector(TAffineVector{7, 8, 9});
    EXPECT_TRUE(Near(position.AsVector(), {1, 2, 3, 1}));
    EXPECT_TRUE(Near(direction.AsVector(), {7, 8, 9, 0}));
    direction.SetVector(1, 1, 1, 5);  // W as given
    EXPECT_EQ(direction.W(), 5);
    EXPECT_EQ(owner.heard.size(), 4u);
}

TEST(Coordinates, ComponentsNotifyEvenWhenEqualAndAssignIsSilent) {
    TRecordingObject owner(nullptr);
    TChangeCounter counter;
    TGLCoordinates3 a(&owner, {1, 2, 3, 1}, csPoint);
    a.OnChange = MakeEvent(&counter, &TChangeCounter::Changed);
    a.SetX(1);
    EXPECT_EQ(owner.heard.size(), 1u);
    EXPECT_EQ(counter.count, 1);

    TGLCoordinates2 b(&owner, {7, 8, 0, 0}, csPoint2D);
    a.Assign(&b);  // W copied across kinds, no fix-up, no notification
    EXPECT_TRUE(Near(a.AsVector(), {7, 8, 0, 0}));
    EXPECT_EQ(owner.heard.size(), 1u);
    EXPECT_EQ(counter.count, 1);

    TGLCoordinates4 v(nullptr, {3, 4, 0, 1}, csPoint);
    EXPECT_DOUBLE_EQ(double(v.VectorLength()), 5);
    v.Normalize();
    EXPECT_TRUE(Near(v.AsVector(), {0.6f, 0.8f, 0, 0}));
    EXPECT_TRUE(v.SameVector(v.AsVector()));
    TVector4f negativeZero = v.AsVector();
    negativeZero.Z = -0.0f;
    EXPECT_FALSE(v.SameVector(negativeZero));
    TAffineVector out;
    v.CopyToAffine(out);
    EXPECT_TRUE(Near(out, {0.6f, 0.8f, 0}));
}

TEST(Coordinates, APlacedComponentHearsOnlyByName) {
    TRecordingPlaced placed(nullptr);
    TChangeCounter counter;
    TGLCoordinates3 position(&placed, {0, 0, 0, 1}, csPoint);
    position.OnChange = MakeEvent(&counter, &TChangeCounter::Changed);
    position.SetY(2);
    position.AssignVector({1, 1, 1, 1});
    EXPECT_EQ(placed.changed, (std::vector<TGLCustomCoordinates*>{&position, &position}));
    EXPECT_TRUE(placed.heard.empty());
    EXPECT_EQ(counter.count, 0);
}

// ---- form descriptions -----------------------------------------------------------------------

class TValueHolder : public TGLUpdateAbleComponent {
    Z_CLASS(TValueHolder, TGLUpdateAbleComponent)
    Z_PUBLISHED {
        p.Property(L"Diffuse", &TValueHolder::Diffuse);
        p.Property(L"Position", &TValueHolder::Position);
        p.Property(L"Samples", &TValueHolder::Samples);
    }

public:
    explicit TValueHolder(TComponent* owner) : TGLUpdateAbleComponent(owner) {}
    ~TValueHolder() override {
        delete samples_;
        delete position_;
        delete diffuse_;
    }
    TGLColor* Diffuse() const { return diffuse_; }
    TGLCoordinates3* Position() const { return position_; }
    TSingleList* Samples() const { return samples_; }
    void ReportChange(TObject* sender) override { heard.push_back(sender); }
    Heard heard;

private:
    TGLColor* diffuse_ = new TGLColor(this);
    TGLCoordinates3* position_ = new TGLCoordinates3(this, {0, 0, 0, 1}, csPoint);
    TSingleList* samples_ = new TSingleList;
};

TEST(ValueStreaming, ColourCoordinatesAndListsRoundTripThroughAFormDescription) {
    RegisterClass(TValueHolder::StaticClass());
    TValueHolder original(nullptr);
    original.SetName(L"Holder");
    AnsiString empty = WriteComponentToText(&original);
    EXPECT_NE(empty.find("Samples.Items = '020002000204'"), AnsiString::npos) << empty;

    original.Diffuse()->StoreColorVector({1, 0.5f, -2, 0.25f});
    original.Position()->StoreVector({3, -4, 5.5f, 7});  // stored as it is, W included
    original.Samples()->Add(1.5f);
    AnsiString text = WriteComponentToText(&original);
    SCOPED_TRACE(text);
    EXPECT_NE(text.find("Diffuse.Color = {"), AnsiString::npos);
    EXPECT_NE(text.find("0000803F0000003F000000C00000803E"), AnsiString::npos);  // four singles, LE
    EXPECT_EQ(text.find("Red"), AnsiString::npos);                               // the components are not stored
    EXPECT_EQ(text.find("Position.X"), AnsiString::npos);

    TValueHolder copy(nullptr);
    ReadComponentFromText(text, &copy);
    EXPECT_TRUE(Near(copy.Diffuse()->Color(), {1, 0.5f, -2, 0.25f}));
    EXPECT_TRUE(copy.Position()->SameVector({3, -4, 5.5f, 7}));
    ASSERT_EQ(copy.Samples()->Count(), 1);
    EXPECT_EQ(copy.Samples()->GetItem(0), 1.5f);
    EXPECT_TRUE(copy.heard.empty()) << "reading must not notify";
}

TEST(ValueStreaming, MalformedStoredValuesAreRefused) {
    RegisterClass(TValueHolder::StaticClass());
    const char* bad[] = {
        "object Holder: TValueHolder\n  Diffuse.Color = {0000803F}\nend\n",
        "object Holder: TValueHolder\n  Position.Coordinates = {00000000000000000000000000000000FF}\nend\n",
        "object Holder: TValueHolder\n  Samples.Items = '0200020102'\nend\n",
        "object Holder: TValueHolder\n  Samples.Items = '02000201020800'\nend\n",
        "object Holder: TValueHolder\n  Samples.Items = '0200ZZ'\nend\n",
    };
    for (const char* text : bad) {
        TValueHolder holder(nullptr);
        EXPECT_THROW(ReadComponentFromText(text, &holder), EReadError) << text;
    }
}

}  // namespace
