// The skin model and its stream: a skin written and read again is the same skin; older and
// broken streams are read or refused as the format says; a stream is untrusted input; changes
// reach the listeners once per update bracket; names are looked up after sorting.

#include <gtest/gtest.h>

#include <memory>

#include "SkinTestSupport.h"
#include "dxSkinsStrs.h"

namespace {

// A skin with something of every kind: colours, properties of each class on the skin, a group
// and an element, pictures with several states, borders, gradients, offsets.
std::unique_ptr<TdxSkin> FullSkin() {
    auto skin = std::make_unique<TdxSkin>(L"Test");
    skin->AddColor(L"ContentColor", TColor(0xFBF9F9));
    skin->AddColor(L"SelectionColor", clHighlight);
    static_cast<TdxSkinIntegerProperty*>(skin->AddProperty(L"Count", TdxSkinIntegerProperty::StaticClass()))
        ->SetValue(-7);
    static_cast<TdxSkinBooleanProperty*>(skin->AddProperty(L"Flag", TdxSkinBooleanProperty::StaticClass()))
        ->SetValue(true);
    static_cast<TdxSkinStringProperty*>(skin->AddProperty(L"Title", TdxSkinStringProperty::StaticClass()))
        ->SetValue(L"Lilac");
    static_cast<TdxSkinRectProperty*>(skin->AddProperty(L"Box", TdxSkinRectProperty::StaticClass()))
        ->SetValue(TRect{1, 2, 3, 4});
    static_cast<TdxSkinSizeProperty*>(skin->AddProperty(L"Extent", TdxSkinSizeProperty::StaticClass()))
        ->SetValue(TSize{5, 6});
    TdxSkinControlGroup* group = skin->AddGroup(L"Common");
    static_cast<TdxSkinColor*>(group->AddProperty(L"TextColor", TdxSkinColor::StaticClass()))
        ->SetValue(TColor(0x123456));
    TdxSkinElement* button = group->AddElement(L"Button");
    button->SetImageCount(2);
    button->SetColor(TColor(0x00FF00));
    button->SetAlpha(200);
    button->SetTextColor(TColor(0x404040));
    button->ContentOffset()->AssignRect(TRect{3, 4, 5, 6});
    button->MinSize()->ApplySize(TSize{20, 21});
    button->Borders()->Left()->SetColor(clRed);
    button->Borders()->Bottom()->SetThin(2);
    button->Image()->SetStates({esNormal, esHot, esPressed});
    button->Image()->SetImageLayout(ilVertical);
    button->Image()->SetStretch(smTile);
    button->Image()->Margins()->AssignRect(TRect{2, 3, 2, 3});
    SetSkinTestPicture(button->Image(), 8, 48,
                       [](int x, int y) -> DWORD { return 0xFF000000u | DWORD(y * 5) << 8 | DWORD(x * 30); });
    button->Glyph()->SetStates({esNormal});
    button->Glyph()->SetStretch(smNoResize);
    SetSkinTestPicture(button->Glyph(), 4, 4,
                       [](int x, int y) -> DWORD { return (x + y) % 2 ? 0x80FF0000u : 0xFF0000FFu; });
    static_cast<TdxSkinColor*>(button->AddProperty(L"DisabledText", TdxSkinColor::StaticClass()))->SetValue(clGray);
    TdxSkinElement* panel = group->AddElement(L"GroupPanel");
    panel->Image()->SetGradientBeginColor(clWhite);
    panel->Image()->SetGradientEndColor(TColor(0xE0E0E0));
    panel->Image()->SetGradient(gmForwardDiagonal);
    return skin;
}

std::unique_ptr<TdxSkin> LoadSkin(const std::vector<Byte>& bytes, const String& name = L"Loaded") {
    auto skin = std::make_unique<TdxSkin>(name);
    auto stream = SkinTestStream(bytes);
    skin->LoadFromStream(stream.get());
    return skin;
}

// The message an EdxSkin carries, or "" when none was raised.
String SkinErrorOf(TdxSkin* skin, const std::vector<Byte>& bytes) {
    auto stream = SkinTestStream(bytes);
    try {
        skin->LoadFromStream(stream.get());
    } catch (const EdxSkin& e) {
        return e.Message();
    }
    return String();
}

}  // namespace

TEST(dxSkinStream, WrittenAndReadAgainTheSkinIsEqualAtVersion102) {
    std::unique_ptr<TdxSkin> original = FullSkin();
    std::unique_ptr<TdxSkin> copy = LoadSkin(SkinStreamBytesOf(original.get()));
    EXPECT_TRUE(copy->IsEqual(original.get()));
    EXPECT_EQ(copy->Version(), 1.02);
    EXPECT_EQ(copy->Name(), L"Test");
    // the lists keep the order they had when written
    ASSERT_EQ(copy->PropertyCount(), 5);
    EXPECT_EQ(copy->Properties(0)->Name(), L"Count");
    EXPECT_EQ(copy->Properties(4)->Name(), L"Extent");
    TdxSkinElement* button = copy->Groups(0)->Elements(0);
    EXPECT_EQ(button->ImageCount(), 2);
    EXPECT_EQ(Integer(button->Color()), 0x00FF00);
    EXPECT_EQ(button->Alpha(), 200);
    EXPECT_EQ(Integer(button->Borders()->Left()->Color()), Integer(clRed));
    EXPECT_EQ(button->Borders()->Bottom()->Thin(), 2);
    EXPECT_EQ(button->Borders()->Left()->Name(), L"Left");
    EXPECT_EQ(button->Image()->FrameSize().cy, 8);  // 48 / 2 sets / 3 states
    EXPECT_EQ(copy->Groups(0)->Elements(1)->Image()->Gradient(), gmForwardDiagonal);
    // a changed copy is no longer equal
    button->Borders()->Top()->SetThin(3);
    EXPECT_FALSE(copy->IsEqual(original.get()));
}

TEST(dxSkinStream, AClonedSkinIsEqualAndOwnsItsParts) {
    std::unique_ptr<TdxSkin> original = FullSkin();
    std::unique_ptr<TdxSkin> clone(static_cast<TdxSkin*>(original->Clone()));
    EXPECT_TRUE(clone->IsEqual(original.get()));
    EXPECT_EQ(clone->Groups(0)->Skin(), clone.get());
    EXPECT_EQ(clone->Groups(0)->Elements(0)->Group(), clone->Groups(0));
    // the cloned picture came with its path as the source name
    EXPECT_EQ(clone->Groups(0)->Elements(0)->Image()->SourceName(), L"Common\\Button_Image.png");
}

TEST(dxSkinStream, Version101IsReadWithoutGradientsAnd099IsRefusedAfterTheName) {
    const std::vector<Byte> png = SkinTestPngBytes(3, 2, 0x336699);
    TSkinStreamBytes old;
    old.Header(1.01, "Old").Int(0).Int(0).Int(1).Str("Common").Int(1).Str("Button").Element(1.01, 1, png).Int(0);
    std::unique_ptr<TdxSkin> skin = LoadSkin(old.Data());
    EXPECT_EQ(skin->Version(), 1.01);
    TdxSkinElement* button = skin->GetGroupByName(L"Common")->GetElementByName(L"Button");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Image()->FrameSize().cx, 3);
    EXPECT_EQ(Integer(button->Image()->GradientBeginColor()), Integer(clNone));
    EXPECT_FALSE(button->Image()->HasGradient());

    TSkinStreamBytes older;
    older.Header(0.99, "Older").Int(0).Int(0).Int(1).Str("Common").Int(0).Int(0);
    auto refused = std::make_unique<TdxSkin>(L"Before");
    refused->AddGroup(L"Kept");
    EXPECT_EQ(SkinErrorOf(refused.get(), older.Data()), ResolveResourceString(&sdxSkinVersionMismatch));
    EXPECT_EQ(refused->Name(), L"Older");
    EXPECT_EQ(refused->Version(), 0.99);
    EXPECT_EQ(refused->GroupCount(), 1);  // nothing else changed
    EXPECT_EQ(ResolveResourceString(&sdxSkinVersionMismatch),
              L"The skin data version is older than the current Skins Library version.\n"
              L"Skins cannot be loaded due to a version mismatch.");
}

TEST(dxSkinStream, AWrongOrShortSignatureIsRefusedBeforeAnythingChanges) {
    const struct {
        const char* name;
        std::vector<Byte> bytes;
    } cases[] = {
        {"empty", {}},
        {"short", {6, 0, 0, 0, 'd', 'x', 'S'}},
        {"wrong", {6, 0, 0, 0, 'd', 'x', 'S', 'k', 'i', 'N', 0, 0, 0, 0, 0, 0, 0xF0, 0x3F}},
    };
    for (const auto& c : cases) {
        auto skin = std::make_unique<TdxSkin>(L"Before");
        skin->AddColor(L"Kept", clRed);
        EXPECT_EQ(SkinErrorOf(skin.get(), c.bytes), L"Invalid stream format") << c.name;
        EXPECT_EQ(skin->Name(), L"Before") << c.name;
        EXPECT_EQ(skin->Version(), 1.02) << c.name;
        EXPECT_EQ(skin->ColorCount(), 1) << c.name;
    }
}

TEST(dxSkinStream, LengthsOfZeroOrLessAreEmptyStringsThatTakeOnlyTheirLengthField) {
    for (Integer length : {0, -1, -100000}) {
        TSkinStreamBytes bytes;
        bytes.Int(6).Raw("dxSkin", 6).Float8(1.02).Int(length);  // the skin name
        bytes.Int(1).Int(length).Int(length).Int(0x445566);      // one colour: class name, name, value
        bytes.Int(0).Int(0);
        std::unique_ptr<TdxSkin> skin = LoadSkin(bytes.Data(), L"Named");
        EXPECT_EQ(skin->Name(), L"") << length;
        ASSERT_EQ(skin->ColorCount(), 1) << length;
        EXPECT_EQ(skin->Colors(0)->Name(), L"") << length;
        EXPECT_EQ(Integer(skin->Colors(0)->Value()), 0x445566) << length;
    }
}

TEST(dxSkinStream, APictureOfSizeZeroIsEmptyAndTheNextRecordFollowsItsSizeField) {
    TSkinStreamBytes bytes;
    bytes.Header(1.02, "S").Int(0).Int(0).Int(1).Str("Common").Int(2);
    bytes.Str("Empty").Element(1.02, 1, {});
    bytes.Str("Full").Element(1.02, 1, SkinTestPngBytes(2, 2, 0xFF0000));
    bytes.Int(0);
    std::unique_ptr<TdxSkin> skin = LoadSkin(bytes.Data());
    TdxSkinControlGroup* group = skin->Groups(0);
    ASSERT_EQ(group->ElementCount(), 2);
    EXPECT_TRUE(group->Elements(0)->Image()->Empty());
    EXPECT_EQ(group->Elements(1)->Name(), L"Full");
    EXPECT_EQ(group->Elements(1)->Image()->FrameSize().cx, 2);
}

TEST(dxSkinStream, AStoredImageCountBelowOneIsReadAsOne) {
    for (Integer count : {0, -3}) {
        TSkinStreamBytes bytes;
        bytes.Header(1.02, "S").Int(0).Int(0).Int(1).Str("Common").Int(1);
        bytes.Str("Button").Element(1.02, count, SkinTestPngBytes(6, 2, 0x00FF00), 0b11);
        bytes.Int(0);
        std::unique_ptr<TdxSkin> skin = LoadSkin(bytes.Data());
        TdxSkinElement* button = skin->Groups(0)->Elements(0);
        EXPECT_EQ(button->ImageCount(), 1) << count;
        EXPECT_EQ(button->Image()->FrameSize().cx, 3) << count;
    }
}

namespace {

// A decoder that stops after the first ten bytes of its data and makes a 1 x 1 picture.
class TEarlyStoppingImage : public TdxGPImage {
    Z_CLASS(TEarlyStoppingImage, TdxGPImage)
public:
    TEarlyStoppingImage() = default;

protected:
    void LoadFromStreamData(TStream* stream) override {
        Byte head[10];
        stream->Read(head, 10);
        LoadFromBits(1, 1, TdxRGBColors{RGBQUAD{0, 0, 255, 255}}, true);
    }
};

}  // namespace

TEST(dxSkinStream, ADecoderThatStopsEarlyDoesNotShiftTheStream) {
    TSkinStreamBytes bytes;
    bytes.Header(1.02, "S").Int(0).Int(0).Int(1).Str("Common").Int(2);
    bytes.Str("First").Element(1.02, 1, SkinTestPngBytes(5, 5, 0x0000FF));
    bytes.Str("Second").Element(1.02, 1, SkinTestPngBytes(5, 5, 0x0000FF), 1, TColor(0x778899));
    bytes.Int(0);
    TSkinImageClassScope earlyStopping(TEarlyStoppingImage::StaticClass());
    auto stream = SkinTestStream(bytes.Data());
    TdxSkin skin(L"S");
    skin.LoadFromStream(stream.get());
    TdxSkinControlGroup* group = skin.Groups(0);
    ASSERT_EQ(group->ElementCount(), 2);
    EXPECT_EQ(group->Elements(1)->Name(), L"Second");
    EXPECT_EQ(Integer(group->Elements(1)->Color()), 0x778899);
    EXPECT_EQ(group->Elements(0)->Image()->FrameSize().cx, 1);
    EXPECT_EQ(stream->Position(), stream->Size());
}

TEST(dxSkinStream, UntrustedSizesRaiseTheStreamReadErrorBeforeAnythingIsTaken) {
    const std::vector<Byte> png = SkinTestPngBytes(2, 2, 0x00FF00);
    const struct {
        const char* name;
        std::function<void(TSkinStreamBytes&)> build;
    } cases[] = {
        {"skin name length", [](TSkinStreamBytes& b) { b.Int(6).Raw("dxSkin", 6).Float8(1.02).Int(0x7FFFFFFF); }},
        {"colour count", [](TSkinStreamBytes& b) { b.Header(1.02, "S").Int(0x10000000); }},
        {"property count", [](TSkinStreamBytes& b) { b.Header(1.02, "S").Int(0).Int(0x7FFFFFFF); }},
        {"group count", [](TSkinStreamBytes& b) { b.Header(1.02, "S").Int(0).Int(0).Int(1000).Str("G"); }},
        {"element count", [](TSkinStreamBytes& b) { b.Header(1.02, "S").Int(0).Int(0).Int(1).Str("G").Int(5000); }},
        {"picture size",
         [&](TSkinStreamBytes& b) {
             b.Header(1.02, "S").Int(0).Int(0).Int(1).Str("G").Int(1).Str("E");
             TSkinStreamBytes element;
             element.Element(1.02, 1, png);
             std::vector<Byte> data = element.Data();
             // the image's size field: after the fixed fields (25 bytes), the glyph's record (33)
             // and the image's own fields before it (29)
             const size_t at = 25 + 33 + 29;
             data[at] = 0xFF, data[at + 1] = 0xFF, data[at + 2] = 0xFF, data[at + 3] = 0x7F;
             b.Bytes(data);
         }},
        {"string body cut short",
         [](TSkinStreamBytes& b) { b.Header(1.02, "S").Int(1).Str("TdxSkinColor").Int(10).Raw("abc", 3); }},
        {"colour value cut short",
         [](TSkinStreamBytes& b) { b.Header(1.02, "S").Int(1).Str("TdxSkinColor").Str("C").Raw("\x01\x02", 2); }},
    };
    for (const auto& c : cases) {
        TSkinStreamBytes bytes;
        c.build(bytes);
        auto stream = SkinTestStream(bytes.Data());
        TdxSkin skin(L"S");
        EXPECT_THROW(skin.LoadFromStream(stream.get()), EReadError) << c.name;
    }
}

TEST(dxSkinStream, AnUnknownPropertyClassKeepsWhatWasReadAndNotifiesOnce) {
    for (const char* className : {"TdxSkinNoSuchProperty", "TdxSkinElement", "TdxSkinBorder"}) {
        TSkinStreamBytes bytes;
        bytes.Header(1.02, "S").Int(1).Str("TdxSkinColor").Str("Read").Int(0x010203);
        bytes.Int(2).Str("TdxSkinIntegerProperty").Str("First").Int(5).Str(className).Str("Second").Int(6);
        auto stream = SkinTestStream(bytes.Data());
        TdxSkin skin(L"S");
        TSkinNoticeCounter counter;
        skin.AddListener(&counter);
        EXPECT_THROW(skin.LoadFromStream(stream.get()), EClassNotFound) << className;
        EXPECT_EQ(skin.ColorCount(), 1) << className;
        EXPECT_EQ(skin.PropertyCount(), 1) << className;
        EXPECT_EQ(counter.count, 1) << className;
        skin.RemoveListener(&counter);
    }
}

TEST(dxSkinStream, AFixedFieldTheStreamEndsInsideReadsAsZero) {
    TSkinStreamBytes bytes;
    bytes.Header(1.02, "S").Int(0).Int(0).Int(1).Str("Common").Int(1).Str("Button");
    TSkinStreamBytes element;
    element.Element(1.02, 1, {});
    std::vector<Byte> data = element.Data();
    // cut inside the text colour, whose first two bytes are $00 $00 of clDefault ($20000000)
    const size_t textColorAt = data.size() - 16;
    data.resize(textColorAt + 2);
    data[textColorAt] = 0x34;
    data[textColorAt + 1] = 0x12;
    bytes.Bytes(data);
    std::unique_ptr<TdxSkin> skin = LoadSkin(bytes.Data());
    TdxSkinElement* button = skin->Groups(0)->Elements(0);
    EXPECT_EQ(Integer(button->TextColor()), 0x1234);
    EXPECT_EQ(button->MinSize()->Width(), 0);
    EXPECT_EQ(button->PropertyCount(), 0);
}

TEST(dxSkinStream, EndUpdateAfterSeveralChangesNotifiesTheListenersOnce) {
    TdxSkin skin(L"S");
    TSkinNoticeCounter counter;
    int changes = 0;
    struct TChangeCounter : TObject {
        int* count;
        void Changed(TObject*) { ++*count; }
    } onChange;
    onChange.count = &changes;
    skin.OnChange = MakeEvent(static_cast<TChangeCounter*>(&onChange), &TChangeCounter::Changed);
    skin.AddListener(&counter);
    skin.BeginUpdate();
    skin.BeginUpdate();
    TdxSkinColor* color = skin.AddColor(L"A", clRed);
    color->SetValue(clBlue);
    skin.AddGroup(L"G")->AddElement(L"E")->SetColor(clGreen);
    skin.EndUpdate();
    EXPECT_EQ(counter.count, 0);
    skin.EndUpdate();
    EXPECT_EQ(counter.count, 1);
    EXPECT_EQ(changes, 1);
    // outside a bracket each change notifies; an equal value does not
    color->SetValue(clBlue);
    EXPECT_EQ(counter.count, 1);
    color->SetValue(clYellow);
    EXPECT_EQ(counter.count, 2);
    // loading a stream is one notice
    auto stream = SkinTestStream(SkinStreamBytesOf(FullSkin().get()));
    skin.LoadFromStream(stream.get());
    EXPECT_EQ(counter.count, 3);
    skin.RemoveListener(&counter);
    color = skin.GetColorByName(L"ContentColor");
    color->SetValue(clBlack);
    EXPECT_EQ(counter.count, 3);
}

TEST(dxSkinStream, ListenersChangingTheSkinHearNothingMore) {
    TdxSkin skin(L"S");
    TdxSkinColor* color = skin.AddColor(L"A", clRed);
    struct TChangingListener : TNoRefCountObject, IdxSkinChangeListener {
        TdxSkinColor* color = nullptr;
        int count = 0;
        void SkinChanged(TdxSkin*) override {
            ++count;
            color->SetValue(TColor(Integer(color->Value()) + 1));
        }
    } listener;
    listener.color = color;
    skin.AddListener(&listener);
    color->SetValue(clBlue);
    EXPECT_EQ(listener.count, 1);
    EXPECT_EQ(skin.LockCount(), 0);
    skin.RemoveListener(&listener);
}

TEST(dxSkinStream, LookupsSortFirstAndNamesDifferingInCaseAreDifferent) {
    TdxSkin skin(L"S");
    skin.AddColor(L"Zeta", TColor(1));
    skin.AddColor(L"alpha", TColor(2));
    EXPECT_EQ(Integer(skin.GetColorByName(L"Zeta")->Value()), 1);
    skin.AddColor(L"Alpha", TColor(3));  // unsorts again
    EXPECT_FALSE(skin.Sorted());
    EXPECT_EQ(Integer(skin.GetColorByName(L"Alpha")->Value()), 3);
    EXPECT_EQ(Integer(skin.GetColorByName(L"alpha")->Value()), 2);
    EXPECT_EQ(skin.GetColorByName(L"ALPHA"), nullptr);
    EXPECT_TRUE(skin.Sorted());
    TdxSkinControlGroup* group = skin.AddGroup(L"Bars");
    group->AddElement(L"Bar");
    EXPECT_EQ(skin.GetGroupByName(L"Bars"), group);
    EXPECT_EQ(group->GetElementByName(L"Bar")->Name(), L"Bar");
    EXPECT_EQ(group->GetElementByName(L"bar"), nullptr);
    // deleting a colour frees it and reports a change
    TSkinNoticeCounter counter;
    skin.AddListener(&counter);
    skin.DeleteProperty(skin.GetColorByName(L"Zeta"));
    EXPECT_EQ(skin.ColorCount(), 2);
    EXPECT_EQ(counter.count, 1);
    skin.RemoveListener(&counter);
}

TEST(dxSkinStream, PropertyDescriptionsAreTheirKinds) {
    const struct {
        TdxSkinObjectClass cls;
        const wchar_t* description;
    } cases[] = {
        {TdxSkinIntegerProperty::StaticClass(), L"Integer"},
        {TdxSkinBooleanProperty::StaticClass(), L"Boolean"},
        {TdxSkinColor::StaticClass(), L"Color"},
        {TdxSkinRectProperty::StaticClass(), L"Rect"},
        {TdxSkinSizeProperty::StaticClass(), L"Size"},
        {TdxSkinStringProperty::StaticClass(), L"String"},
        {TdxSkinBorder::StaticClass(), L"Border"},
        {TdxSkinBorders::StaticClass(), L"Borders"},
    };
    for (const auto& c : cases) {
        std::unique_ptr<TdxSkinCustomPersistentObject> property(c.cls->CreateObject(nullptr, L"P"));
        EXPECT_EQ(static_cast<TdxSkinProperty*>(property.get())->GetDescription(), c.description);
    }
}

TEST(dxSkinStream, ThePartStreamReadsOnlyInsideItsWindow) {
    auto source = SkinTestStream({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    TdxSkinPartStream part;
    part.SetBounds(source.get(), 3, 7);
    EXPECT_EQ(part.Size(), 4);
    EXPECT_EQ(part.Seek(0, soBeginning), 0);
    Byte buffer[8] = {};
    EXPECT_EQ(part.Read(buffer, 8), 4);
    EXPECT_EQ(buffer[0], 3);
    EXPECT_EQ(buffer[3], 6);
    EXPECT_EQ(part.Read(buffer, 8), 0);
    EXPECT_EQ(part.Seek(-1, soEnd), 3);
    EXPECT_EQ(part.Seek(100, soCurrent), 4);  // clamped to the end
    EXPECT_EQ(part.Seek(-100, soCurrent), 0);
    EXPECT_EQ(source->Position(), 3);
    // writing moves the window's end with the source
    part.Seek(0, soEnd);
    const Byte more[3] = {20, 21, 22};
    part.Write(more, 3);
    EXPECT_EQ(part.Size(), 7);
}

TEST(dxSkinStream, AMissingResourceRaisesResourceNotFound) {
    TdxSkin skin(L"NoSuchSkin");
    EXPECT_THROW(skin.LoadFromResource(GetModuleHandleW(nullptr)), EResNotFound);
    EXPECT_THROW(TdxSkin(L"NoSuchSkinEither", true, GetModuleHandleW(nullptr)), EResNotFound);
}
