// Date and time formats split into items, and the format controller.

#include <gtest/gtest.h>

#include <sstream>

#include "DateTesting.h"
#include "TestSupport.h"
#include "cxFormats.h"

namespace {

// The runtime's formats that nested references expand to, fixed for the length of a test.
class TFixedFormats {
public:
    TFixedFormats() : saved_(FormatSettings) {
        FormatSettings.ShortDateFormat = L"dd.MM.yyyy";
        FormatSettings.LongDateFormat = L"d MMMM yyyy";
        FormatSettings.ShortTimeFormat = L"H:mm";
        FormatSettings.LongTimeFormat = L"H:mm:ss";
    }
    ~TFixedFormats() { FormatSettings = saved_; }

private:
    TFormatSettings saved_;
};

// Items as text: "D:DD L:. M:MM" (kinds by letter: L literal, Y M D H N S Z, A AM/PM, / and :).
std::string Describe(const String& format) {
    TcxDateTimeFormatInfo info;
    BuildFormatInfo(format, info);
    static const char* const letters[FormatItemKindCount] = {"L", "Y", "M", "D", "H", "N", "S", "Z", "A", "/", ":"};
    std::ostringstream out;
    for (const TcxDateTimeFormatItem& item : info.Items) {
        if (out.tellp() > 0) out << ' ';
        out << letters[item.Kind];
        if (!item.Text.empty()) out << ':' << Utf8(item.Text);
    }
    return out.str();
}

// The text an item of its kind may have.
bool ItemTextFitsKind(const TcxDateTimeFormatItem& item) {
    auto copies = [&](wchar_t letter, size_t most) {
        return !item.Text.empty() && item.Text.size() <= most && item.Text.find_first_not_of(letter) == String::npos;
    };
    switch (item.Kind) {
        case fikLiteral:
            return !item.Text.empty();
        case fikYear:
            return item.Text == L"YY" || item.Text == L"YYYY";
        case fikMonth:
            return copies(L'M', 4);
        case fikDay:
            return copies(L'D', 4);
        case fikHour:
            return copies(L'H', 2);
        case fikMinute:
            return copies(L'N', 2);
        case fikSecond:
            return copies(L'S', 2);
        case fikMillisecond:
            return copies(L'Z', 3);
        case fikAmPm:
            return item.Text == L"AMPM" || item.Text.size() == 5 || item.Text.size() == 3;
        case fikDateSeparator:
        case fikTimeSeparator:
            return item.Text.empty();
    }
    return false;
}

}  // namespace

TEST(FormatInfo, ParseTable) {
    TFixedFormats formats;
    struct Case {
        const wchar_t* format;
        const char* items;
    };
    const Case cases[] = {
        {L"dd.MM.yyyy", "D:DD L:. M:MM L:. Y:YYYY"},
        {L"d/M/yy", "D:D / M:M / Y:YY"},
        {L"HH:mm:ss", "H:HH : N:NN : S:SS"},
        {L"h:mm:ss AMPM", "H:H : N:NN : S:SS L:  A:AMPM"},
        {L"yyyy \"г.\"", "Y:YYYY L: г."},
        {L"yyyy 'год'", "Y:YYYY L: год"},
        {L"d-d", "D:D L:-"},
        {L"dd.MM.yyyy g", ""},
        {L"ddddd", "D:DD L:. M:MM L:. Y:YYYY"},
        {L"dddddd", "D:D L:  M:MMMM L:  Y:YYYY"},
        {L"", "D:DD L:. M:MM L:. Y:YYYY L:  H:H : N:NN : S:SS"},
        // Letters case-insensitive, runs counted by the very same character, capped runs.
        {L"Dd", "D:D"},
        {L"mmmmmm hhh zzzz", "M:MMMM L:  H:HH L:  Z:ZZZ"},
        {L"yyy e", "Y:YYYY L: "},
        {L"h am/pm", "H:H L:  A:am/pm"},
        {L"h A/P", "H:H L:  A:A/P"},
        {L"aaaa, aaa", "D:DDDD L:, "},
        {L"ax", "L:ax"},
        {L"t", "H:H : N:NN"},
        {L"tt", "H:H : N:NN : S:SS"},
        {L"\"unterminated", "L:unterminated"},
    };
    for (const Case& c : cases) EXPECT_EQ(Describe(c.format), c.items) << Utf8(c.format);
}

TEST(FormatInfo, ReferencesExpandOneLevelDeep) {
    TFixedFormats formats;
    FormatSettings.ShortDateFormat = L"ddddd/yy";  // refers to itself
    FormatSettings.LongTimeFormat = L"C";
    // "C" expands the short date (whose "ddddd" adds nothing at depth 2), a blank, the long
    // time (whose own "C" adds only its blank).
    EXPECT_EQ(Describe(L"C"), "/ Y:YY L:  ");
    FormatSettings.ShortDateFormat = L"g";
    EXPECT_EQ(Describe(L"hh C"), "");  // a nested failure fails the whole parse
}

TEST(FormatInfo, MutatedFormatsGiveValidOrEmptyDescriptions) {
    TFixedFormats formats;
    FormatSettings.ShortDateFormat = L"dd.MM.yyyy C";
    FormatSettings.LongTimeFormat = L"T h:nn:ss";
    static const wchar_t alphabet[] = L"dDmMyYhHnNsSzZtTcCeEgGaA\"'/:. -ФЖ\xD83D\xDE00\x3002pP";
    const std::uint32_t symbols = std::uint32_t(std::size(alphabet) - 1);
    TTestRandom random(18);
    int empty = 0;
    for (int i = 0; i < 10000; ++i) {
        String format;
        const std::uint32_t length = random.Next(16);
        for (std::uint32_t k = 0; k < length; ++k) format += alphabet[random.Next(symbols)];
        TcxDateTimeFormatInfo info;
        BuildFormatInfo(format, info);
        if (info.Items.empty()) {
            ++empty;
            for (bool defined : info.DefinedKinds) ASSERT_FALSE(defined) << Utf8(format);
            continue;
        }
        bool seen[FormatItemKindCount] = {};
        for (size_t k = 0; k < info.Items.size(); ++k) {
            const TcxDateTimeFormatItem& item = info.Items[k];
            ASSERT_LT(int(item.Kind), FormatItemKindCount) << Utf8(format);
            ASSERT_FALSE(item.Kind >= fikYear && item.Kind <= fikAmPm && seen[item.Kind])
                << "repeated in " << Utf8(format);
            seen[item.Kind] = true;
            ASSERT_TRUE(ItemTextFitsKind(item)) << Utf8(format);
            ASSERT_FALSE(item.Kind == fikLiteral && k > 0 && info.Items[k - 1].Kind == fikLiteral)
                << "unmerged literals in " << Utf8(format);
        }
        for (int kind = 0; kind < FormatItemKindCount; ++kind)
            ASSERT_EQ(info.DefinedKinds[kind], seen[kind]) << Utf8(format);
    }
    EXPECT_GT(empty, 0);  // formats with an era letter were among them
}

TEST(FormatController, FollowsTheLocaleAndTheResourceStrings) {
    {
        TLocaleScope russian(0x419);
        TcxFormatController* controller = FormatControllerInstance();
        EXPECT_EQ(controller->StartOfWeek(), 1);
        ASSERT_EQ(controller->DateFormatInfo().Items.size(), 5u);
        EXPECT_EQ(controller->DateFormatInfo().Items[1], (TcxDateTimeFormatItem{fikLiteral, L"."}));
        EXPECT_EQ(controller->TimeFormatInfo().Items.front(), (TcxDateTimeFormatItem{fikHour, L"HH"}));
        // A change of the resource texts makes the controller read the formats again.
        FormatSettings.ShortDateFormat = L"yyyy-MM-dd";
        EXPECT_EQ(controller->DateFormatInfo().Items.size(), 5u);
        EXPECT_EQ(controller->DateFormatInfo().Items[0].Kind, fikDay);
        controller->TranslationChanged();
        EXPECT_EQ(controller->DateFormatInfo().Items[0], (TcxDateTimeFormatItem{fikYear, L"YYYY"}));
    }
    {
        TLocaleScope english(0x409);
        const auto& time = FormatControllerInstance()->TimeFormatInfo().Items;
        ASSERT_FALSE(time.empty());
        EXPECT_EQ(time.back(), (TcxDateTimeFormatItem{fikAmPm, L"AMPM"}));  // from the locale's "tt"
    }
}

TEST(FormatController, RegistersAsAListenerForItsLife) {
    FormatControllerInstance();
    const int before = GetResourceStringsRepository()->ListenerCount();
    FinalizecxFormats();
    EXPECT_EQ(GetResourceStringsRepository()->ListenerCount(), before - 1);
    FormatControllerInstance();  // made again on first use
    EXPECT_EQ(GetResourceStringsRepository()->ListenerCount(), before);
}
