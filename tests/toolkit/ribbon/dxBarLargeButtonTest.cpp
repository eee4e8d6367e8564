// The large button: its small image following its large one (at run time and when read from a
// form description), what it shows at each place, and its fixed height.
#include <gtest/gtest.h>

#include "../bars/BarTestSupport.h"
#include "Bitmap.h"
#include "ExtItemsTesting.h"
#include "FormDescription.h"
#include "dxBarExtItems.h"
#include "dxBarItemLinks.h"
#include "dxBarItemRegistry.h"
#include "dxBarPopupMenu.h"
#include "dxBarUnit.h"

namespace {

class LargeButtonTest : public BarTest {
protected:
    void SetUp() override {
        BarTest::SetUp();
        EnsureLargeButtonRegistered();
    }
    TdxBarLargeButton* NewButton() { return new TdxBarLargeButton(form.get()); }
};

// A form holding one large button, read from its description.
class TLargeButtonForm : public TForm {
    Z_CLASS(TLargeButtonForm, TForm)
public:
    using TForm::TForm;
};

const char* const LargeButtonDescription = R"(object LargeButtonForm: TLargeButtonForm
  Left = 0
  Top = 0
  object dxBarManager: TdxBarManager
  end
  object btnOpen: TdxBarLargeButton
%s
  end
end
)";

TdxBarLargeButton* ReadButton(const std::string& properties, std::unique_ptr<TLargeButtonForm>& holder) {
    char text[1024];
    snprintf(text, sizeof text, LargeButtonDescription, properties.c_str());
    holder.reset(new TLargeButtonForm(nullptr));
    ReadComponentFromText(text, holder.get());
    return As<TdxBarLargeButton>(holder->FindComponent(L"btnOpen"));
}

}  // namespace

TEST_F(LargeButtonTest, TheSmallImageFollowsTheLargeOneUntilGivenExplicitly) {
    TdxBarLargeButton* button = NewButton();
    EXPECT_TRUE(button->SyncImageIndex());
    button->SetLargeImageIndex(4);
    EXPECT_EQ(button->ImageIndex(), 4);
    EXPECT_TRUE(button->SyncImageIndex());
    button->SetImageIndex(2);
    EXPECT_FALSE(button->SyncImageIndex()) << "an explicit small image ends the synchronisation";
    button->SetLargeImageIndex(5);
    EXPECT_EQ(button->ImageIndex(), 2);
    button->SetSyncImageIndex(true);
    EXPECT_EQ(button->ImageIndex(), 5) << "synchronised again: the large index is copied";
    EXPECT_TRUE(button->HasImage());
    EXPECT_FALSE(button->HasHotImage());
    button->SetHotImageIndex(0);
    EXPECT_TRUE(button->HasHotImage());
    EXPECT_EQ(button->GetDisplayImageIndex(), 5);
}

TEST_F(LargeButtonTest, ReadingADescriptionKeepsTheIndexesAsStored) {
    RegisterClass(TLargeButtonForm::StaticClass());
    struct Case {
        const char* properties;
        int imageIndex, largeImageIndex;
        bool sync;
    } cases[] = {
        {"    LargeImageIndex = 7", 7, 7, true},
        {"    LargeImageIndex = 5\n    SyncImageIndex = False\n    ImageIndex = 3", 3, 5, false},
        // An older description with only the small index: the large one follows it.
        {"    ImageIndex = 6", 6, 6, true},
        {"", -1, -1, true},
    };
    for (const Case& c : cases) {
        std::unique_ptr<TLargeButtonForm> holder;
        TdxBarLargeButton* button = ReadButton(c.properties, holder);
        ASSERT_NE(button, nullptr) << c.properties;
        EXPECT_EQ(button->ImageIndex(), c.imageIndex) << c.properties;
        EXPECT_EQ(button->LargeImageIndex(), c.largeImageIndex) << c.properties;
        EXPECT_EQ(button->SyncImageIndex(), c.sync) << c.properties;

        // Written and read again: the same indexes.
        const AnsiString written = WriteComponentToText(holder.get());
        EXPECT_EQ(written.find("    ImageIndex") != AnsiString::npos, !c.sync) << written;
        auto again = std::make_unique<TLargeButtonForm>(nullptr);
        ReadComponentFromText(written, again.get());
        auto* reread = As<TdxBarLargeButton>(again->FindComponent(L"btnOpen"));
        EXPECT_EQ(reread->ImageIndex(), c.imageIndex) << written;
        EXPECT_EQ(reread->LargeImageIndex(), c.largeImageIndex) << written;
        EXPECT_EQ(reread->SyncImageIndex(), c.sync) << written;
    }
    UnRegisterClass(TLargeButtonForm::StaticClass());
}

TEST_F(LargeButtonTest, OnAToolbarItShowsLargeAndInAMenuAsAButton) {
    TdxBarLargeButton* button = NewButton();
    button->SetLargeImageIndex(0);
    ASSERT_EQ(ItemRegistryInstance()->ControlClassOf(TdxBarLargeButton::StaticClass()),
              TdxBarLargeButtonControl::StaticClass());
    // Without a bar window the control is placed as on a toolbar.
    auto* menu = new TdxBarPopupMenu(form.get());
    TdxBarItemLink* link = menu->ItemLinks()->AddItem(button);
    TdxBarLargeButtonControl control(link);
    EXPECT_TRUE(control.GetPossibleViewLevels().Contains(ivlLargeIconWithText));
    EXPECT_TRUE(control.GetPossibleViewLevels().Contains(ivlSmallIcon));
    EXPECT_EQ(control.GetDisplaySize(), 2);
    EXPECT_EQ(control.GetViewStructure(), 3);
    button->SetShowCaption(false);
    EXPECT_EQ(control.GetViewStructure(), 1);
    EXPECT_TRUE(control.DrawsGrayGlyph()) << "grey until hot";
    button->SetAutoGrayScale(false);
    EXPECT_FALSE(control.DrawsGrayGlyph());
    button->SetAutoGrayScale(true);
    button->SetEnabled(false);
    EXPECT_FALSE(control.DrawsGrayGlyph()) << "a disabled glyph is drawn disabled, not grey";

    button->SetHeight(40);
    button->SetHeight(-3);
    EXPECT_EQ(button->Height(), 40) << "a negative height is ignored";
    EXPECT_EQ(button->GetSupportedActions() & 0x0020, 0) << "no paint-style commands";
}

TEST(BarExtItemsUnit, LoadsTheTwoFontMarksAtStart) {
    TBitmap* outline = dxBarTrueTypeFontBitmap();
    TBitmap* other = dxBarNonTrueTypeFontBitmap();
    ASSERT_TRUE(outline && other);
    for (TBitmap* mark : {outline, other}) {
        EXPECT_EQ(mark->Width(), 13);
        EXPECT_EQ(mark->Height(), 13);
        EXPECT_EQ(mark->Canvas()->Pixels(0, 0), TColor(0xFF00FF)) << "magenta shows through";
    }
    // The T's bar against the A's empty corner: the marks differ where a person looks first.
    EXPECT_NE(outline->Canvas()->Pixels(2, 1), outline->Canvas()->Pixels(0, 0));
    EXPECT_EQ(other->Canvas()->Pixels(2, 1), other->Canvas()->Pixels(0, 0));
}
