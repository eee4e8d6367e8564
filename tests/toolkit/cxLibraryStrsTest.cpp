// The toolkit library's strings resolve by name, through the repository, to their texts.

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "cxLibraryStrs.h"

TEST(LibraryStrings, RegisteredAsOneProductWithTheirTexts) {
    TdxResourceStringsRepository* repository = GetResourceStringsRepository();
    const int index = repository->IndexOfProduct(cxLibraryProductName);
    ASSERT_GE(index, 0);
    const TdxProductResourceStrings* product = repository->ProductAt(index);
    const std::pair<const wchar_t*, const char*> strings[] = {
        {L"scxCantCreateRegistryKey", "Невозможно создать ключ реестра: \\%s"},
        {L"scxCantOpenRegistryKey", "Невозможно открыть ключ реестра: \\%s"},
        {L"scxErrorStoreObject", "Error store %s object"},
        {L"scxConverterCantCreateStyleRepository", "Невозможно создать Репозиторий Стилей"},
        {L"cxSDateToday", "СЕГОДНЯ"},
        {L"cxSDateYesterday", "ВЧЕРА"},
        {L"cxSDateTomorrow", "ЗАВТРА"},
        {L"cxSDateSunday", "ВОСКРЕСЕНЬЕ"},
        {L"cxSDateMonday", "ПОНЕДЕЛЬНИК"},
        {L"cxSDateTuesday", "ВТОРНИК"},
        {L"cxSDateWednesday", "СРЕДА"},
        {L"cxSDateThursday", "ЧЕТВЕРГ"},
        {L"cxSDateFriday", "ПЯТНИЦА"},
        {L"cxSDateSaturday", "СУББОТА"},
        {L"cxSDateFirst", "ПЕРВЫЙ"},
        {L"cxSDateSecond", "ВТОРОЙ"},
        {L"cxSDateThird", "ТРЕТИЙ"},
        {L"cxSDateFourth", "ЧЕТВЕРТЫЙ"},
        {L"cxSDateFifth", "ПЯТЫЙ"},
        {L"cxSDateSixth", "ШЕСТОЙ"},
        {L"cxSDateSeventh", "СЕДЬМОЙ"},
        {L"cxSDateBOM", "начало"},
        {L"cxSDateEOM", "конец"},
        {L"cxSDateNow", "ТЕПЕРЬ"},
    };
    EXPECT_EQ(product->Names().Count(), int(std::size(strings)));
    for (const auto& [name, text] : strings) {
        const TResStringRec* reference = product->ReferenceOf(name);
        ASSERT_NE(reference, nullptr) << Utf8(name);
        EXPECT_EQ(Utf8(ResolveResourceString(reference)), text) << Utf8(name);
    }
    // Removal and registration again under the same key.
    FinalizecxLibraryStrs();
    EXPECT_LT(repository->IndexOfProduct(cxLibraryProductName), 0);
    InitializecxLibraryStrs();
    EXPECT_GE(repository->IndexOfProduct(cxLibraryProductName), 0);
}
