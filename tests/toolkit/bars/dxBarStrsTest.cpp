// The bar manager's named strings: the product "Vantrel" with all its names, every text that
// the bar manager's description quotes (exactly, blanks included), replacements, and formatting.

#include "BarTestSupport.h"

#include "Format.h"
#include "dxBarStrs.h"

namespace {

const TdxProductResourceStrings* BarProduct() {
    TdxResourceStringsRepository* repository = GetResourceStringsRepository();
    int index = repository->IndexOfProduct(dxBarProductName);
    return index < 0 ? nullptr : repository->ProductAt(index);
}

// The texts given for the names (the 15 others are ours, listed below).
const std::pair<const wchar_t*, const char*> kQuotedBarTexts[] = {
    {L"dxSBAR_LOOKUPDIALOGOK", "OK"},
    {L"dxSBAR_LOOKUPDIALOGCANCEL", "Отмена"},
    {L"dxSBAR_DIALOGOK", "OK"},
    {L"dxSBAR_DIALOGCANCEL", "Отмена"},
    {L"dxSBAR_COLOR_STR_0", "Черный"},
    {L"dxSBAR_COLOR_STR_1", "Каштановый"},
    {L"dxSBAR_COLOR_STR_2", "Зеленый"},
    {L"dxSBAR_COLOR_STR_3", "Оливковый"},
    {L"dxSBAR_COLOR_STR_4", "Морская волна"},
    {L"dxSBAR_COLOR_STR_5", "Пурпурный"},
    {L"dxSBAR_COLOR_STR_6", "Чайный"},
    {L"dxSBAR_COLOR_STR_7", "Серый"},
    {L"dxSBAR_COLOR_STR_8", "Серебряный"},
    {L"dxSBAR_COLOR_STR_9", "Красный"},
    {L"dxSBAR_COLOR_STR_10", "Лимонный"},
    {L"dxSBAR_COLOR_STR_11", "Желтый"},
    {L"dxSBAR_COLOR_STR_12", "Голубой"},
    {L"dxSBAR_COLOR_STR_13", "Сиреневый"},
    {L"dxSBAR_COLOR_STR_14", "Аквамарин"},
    {L"dxSBAR_COLOR_STR_15", "Белый"},
    {L"dxSBAR_COLORAUTOTEXT", "(авто)"},
    {L"dxSBAR_COLORCUSTOMTEXT", "(выбор...)"},
    {L"dxSBAR_DATETODAY", "Сегодня"},
    {L"dxSBAR_DATECLEAR", "Очистить"},
    {L"dxSBAR_DATEDIALOGCAPTION", "Выберите дату"},
    {L"dxSBAR_TREEVIEWDIALOGCAPTION", "Выберите элемент"},
    {L"dxSBAR_IMAGEDIALOGCAPTION", "Выберите элемент"},
    {L"dxSBAR_PLACEFORCONTROL", "Местоположение "},
    {L"dxSBAR_CANTASSIGNCONTROL", "You cannot assign the same control to more than one TdxBarControlContainerItem."},
    {L"dxSBAR_WANTTORESETTOOLBAR", "Are you sure you want to reset the changes made to the '%s' toolbar?"},
    {L"dxSBAR_WANTTORESETUSAGEDATA",
     "This will delete the record of the commands you've used in this application and restore the default set of "
     "visible commands to the menus and toolbars. It will not undo any explicit customizations.   Are you sure you "
     "want to proceed?"},
    {L"dxSBAR_BARMANAGERMORETHANONE", "A control should contain only a single TdxBarManager"},
    {L"dxSBAR_BARMANAGERBADOWNER", "TdxBarManager should have TWinControl as its Owner"},
    {L"dxSBAR_NOBARMANAGERS", "There are no TdxBarManagers available"},
    {L"dxSBAR_WANTTODELETETOOLBAR", "Are you sure you want to delete the '%s' toolbar?"},
    {L"dxSBAR_WANTTODELETETOOLBARS", "Are you sure you want to delete selected toolbars?"},
    {L"dxSBAR_WANTTODELETECATEGORY", "Are you sure you want to delete the '%s' category?"},
    {L"dxSBAR_WANTTOCLEARCOMMANDS", "Are you sure you want to delete all commands in the '%s' category?"},
    {L"dxSBAR_RECURSIVEMENUS", "Нельзя создавать рекурсивные меню"},
    {L"dxSBAR_COMMANDNAMECANNOTBEBLANK", "A command name cannot be blank. Please enter a name."},
    {L"dxSBAR_TOOLBAREXISTS", "A toolbar named '%s' already exists. Type another name."},
    {L"dxSBAR_RECURSIVEGROUPS", "Нельзя создавать рекурсивные группы"},
    {L"dxSBAR_WANTTODELETECOMPLEXITEM",
     "One of the selected objects is an item which has several links. Are you sure you want to delete these links?"},
    {L"dxSBAR_CANTPLACEQUICKACCESSGROUPBUTTON",
     "You can place TdxRibbonQuickAccessGroupButton only on TdxRibbonQuickAccessToolbar"},
    {L"dxSBAR_QUICKACCESSGROUPBUTTONTOOLBARNOTDOCKEDINRIBBON",
     "Quick Access Group Button's Toolbar is not docked in the Ribbon"},
    {L"dxSBAR_QUICKACCESSALREADYHASGROUPBUTTON",
     "The Quick Access Toolbar already contains GroupButton with the same toolbar"},
    {L"dxSBAR_CANTPLACESEPARATOR", "A separator item cannot be placed on the specified toolbar"},
    {L"dxSBAR_CANTPLACERIBBONGALLERY", "You can place TdxRibbonGalleryItem only on the Ribbon"},
    {L"dxSBAR_CANTMERGEBARMANAGER", "You cannot merge with the specified bar manager"},
    {L"dxSBAR_CANTMERGETOOLBAR", "You cannot merge with the specified toolbar"},
    {L"dxSBAR_CANTMERGEWITHMERGEDTOOLBAR", "You cannot merge a toolbar with a toolbar that is already merged"},
    {L"dxSBAR_CANTUNMERGETOOLBAR", "You cannot unmerge the specified toolbar"},
    {L"dxSBAR_ONEOFTOOLBARSALREADYMERGED", "One of the toolbars of the specified bar manager is already merged"},
    {L"dxSBAR_ONEOFTOOLBARSHASMERGEDTOOLBARS", "One of the toolbars of the specified bar manager has merged toolbars"},
    {L"dxSBAR_TOOLBARHASMERGEDTOOLBARS", "The '%s' toolbar has merged toolbars"},
    {L"dxSBAR_TOOLBARSALREADYMERGED", "The '%s' toolbar is already merged with the '%s' toolbar"},
    {L"dxSBAR_TOOLBARSARENOTMERGED", "The '%s' toolbar is not merged with the '%s' toolbar"},
    {L"dxSBAR_DEFAULTCATEGORYNAME", "По умолчанию"},
    {L"dxSBAR_NEWBUTTONCAPTION", "Новая кнопка"},
    {L"dxSBAR_NEWITEMCAPTION", "Новый элемент"},
    {L"dxSBAR_NEWRIBBONGALLERYITEMCAPTION", "Новая галлерея"},
    {L"dxSBAR_NEWSEPARATORCAPTION", "Новый разделитель"},
    {L"dxSBAR_NEWSUBITEMCAPTION", "Новый под-элемент"},
    {L"dxSBAR_CP_ADDSUBITEM", "Добавить под-элемент"},
    {L"dxSBAR_CP_ADDBUTTON", "Добавить &Кнопку"},
    {L"dxSBAR_CP_ADDSEPARATOR", "Добавить разделитель"},
    {L"dxSBAR_CP_ADDDXITEM", "Добавить элемент"},
    {L"dxSBAR_CP_ADDGROUPBUTTON", "Добавить кнопку группировки"},
    {L"dxSBAR_CP_DELETEITEM", "Удалить элемент"},
    {L"dxSBAR_CP_DELETELINK", "Удалить связь"},
    {L"dxSBAR_CP_RESET", "&Сброс"},
    {L"dxSBAR_CP_DELETE", "&Удалить"},
    {L"dxSBAR_CP_NAME", "&Имя:"},
    {L"dxSBAR_CP_CAPTION", "Заголовок:"},
    {L"dxSBAR_CP_DEFAULTSTYLE", "Стиль по умолчанию"},
    {L"dxSBAR_CP_TEXTONLYALWAYS", "&Только текст (Всегда)"},
    {L"dxSBAR_CP_TEXTONLYINMENUS", "Только т&екст (В меню)"},
    {L"dxSBAR_CP_IMAGEANDTEXT", "Рисунок и текст"},
    {L"dxSBAR_CP_BEGINAGROUP", "Начать группу"},
    {L"dxSBAR_CP_VISIBLE", "&Видим"},
    {L"dxSBAR_CP_MOSTRECENTLYUSED", "Наиболее часто используемые"},
    {L"dxSBAR_CP_DISTRIBUTED", "Dis&tributed"},
    {L"dxSBAR_CP_POSITIONMENU", "Положение"},
    {L"dxSBAR_CP_VIEWLEVELSMENU", "View&Levels"},
    {L"dxSBAR_CP_ALLVIEWLEVELS", "Все"},
    {L"dxSBAR_CP_SINGLEVIEWLEVELITEMSUFFIX", " ТОЛЬКО"},
    {L"dxSBAR_CP_BUTTONGROUPMENU", "ButtonG&roup"},
    {L"dxSBAR_CP_BUTTONGROUP", "Группа"},
    {L"dxSBAR_CP_BUTTONUNGROUP", "Ungroup"},
    {L"dxSBAR_ADDEX", "Добавить..."},
    {L"dxSBAR_RENAMEEX", "Переименовать..."},
    {L"dxSBAR_DELETE", "Удалить"},
    {L"dxSBAR_CLEAR", "Очистить"},
    {L"dxSBAR_VISIBLE", "Видим"},
    {L"dxSBAR_OK", "OK"},
    {L"dxSBAR_CANCEL", "Отмена"},
    {L"dxSBAR_SUBMENUEDITOR", "Редактор подменю..."},
    {L"dxSBAR_SUBMENUEDITORCAPTION", "Редактор подменю"},
    {L"dxSBAR_INSERTEX", "Вставить..."},
    {L"dxSBAR_MOVEUP", "Вверх"},
    {L"dxSBAR_MOVEDOWN", "Вниз"},
    {L"dxSBAR_TABSHEET1", " Панель инструментов "},
    {L"dxSBAR_TABSHEET2", " Команды "},
    {L"dxSBAR_TABSHEET3", " Свойства "},
    {L"dxSBAR_TOOLBARS", "Панели инструментов:"},
    {L"dxSBAR_TNEW", "&Создать..."},
    {L"dxSBAR_TRENAME", "&Переименовать..."},
    {L"dxSBAR_TDELETE", "&Удалить"},
    {L"dxSBAR_TRESET", "С&бросить..."},
    {L"dxSBAR_CLOSE", "Закрыть"},
    {L"dxSBAR_CAPTION", "Настройка"},
    {L"dxSBAR_CATEGORIES", "Категории:"},
    {L"dxSBAR_COMMANDS", "Команды:"},
    {L"dxSBAR_DESCRIPTION", "Описание  "},
    {L"dxSBAR_MDIMINIMIZE", "Minimize Window"},
    {L"dxSBAR_MDIRESTORE", "Восстановить окно"},
    {L"dxSBAR_MDICLOSE", "Закрыть окно"},
    {L"dxSBAR_CUSTOMIZE", "&Настроить..."},
    {L"dxSBAR_ADDREMOVEBUTTONS", "Добавить/удалить кнопки"},
    {L"dxSBAR_MOREBUTTONS", "Другие кнопки"},
    {L"dxSBAR_RESETTOOLBAR", "Сбросить панель инструментов"},
    {L"dxSBAR_EXPAND", "Раскрыть (Ctrl-Down)"},
    {L"dxSBAR_DRAGTOMAKEMENUFLOAT", "Потащите, чтобы сделать меню плавающим"},
    {L"dxSBAR_MORECOMMANDS", "Все команды..."},
    {L"dxSBAR_SHOWBELOWRIBBON", "Панель быстрого доступа ниже панели инструментов"},
    {L"dxSBAR_SHOWABOVERIBBON", "Панель быстрого доступа вверху панели инструментов"},
    {L"dxSBAR_MINIMIZERIBBON", "Mi&nimize the Ribbon"},
    {L"dxSBAR_ADDTOQAT", "Добавить в панель быстрого доступа"},
    {L"dxSBAR_ADDTOQATITEMNAME", "Добавить %s в панель быстрого доступа"},
    {L"dxSBAR_REMOVEFROMQAT", "Удалить на панели быстрого доступа"},
    {L"dxSBAR_CUSTOMIZEQAT", "Customize Quick Access Toolbar"},
    {L"dxSBAR_TOOLBARNEWNAME", "Настройка "},
    {L"dxSBAR_CATEGORYADD", "Добавить категорию"},
    {L"dxSBAR_CATEGORYINSERT", "Вставить категорию"},
    {L"dxSBAR_CATEGORYRENAME", "Переименовать категорию"},
    {L"dxSBAR_TOOLBARADD", "Добавить панель инструментов"},
    {L"dxSBAR_TOOLBARRENAME", "Переименовать панель инструментов"},
    {L"dxSBAR_CATEGORYNAME", "Имя категории:"},
    {L"dxSBAR_TOOLBARNAME", "Имя панели инструментов:"},
    {L"dxSBAR_MODIFY", "... изменить"},
    {L"dxSBAR_PERSMENUSANDTOOLBARS", "Personalized Menus and Toolbars  "},
    {L"dxSBAR_MENUSSHOWRECENTITEMS", "Me&nus show recently used commands first"},
    {L"dxSBAR_SHOWFULLMENUSAFTERDELAY", "Показать все меню через некоторое время"},
    {L"dxSBAR_RESETUSAGEDATA", "&Reset my usage data"},
    {L"dxSBAR_OTHEROPTIONS", "Другие  "},
    {L"dxSBAR_LARGEICONS", "Большие кнопки"},
    {L"dxSBAR_HINTOPT1", "Show Tool&Tips on toolbars"},
    {L"dxSBAR_HINTOPT2", "Show s&hortcut keys in ToolTips"},
    {L"dxSBAR_MENUANIMATIONS", "Анимация меню:"},
    {L"dxSBAR_MENUANIM1", "(нет)"},
    {L"dxSBAR_MENUANIM2", "Случайно"},
    {L"dxSBAR_MENUANIM3", "Unfold"},
    {L"dxSBAR_MENUANIM4", "Slide"},
    {L"dxSBAR_MENUANIM5", "Fade"},
    {L"dxSBAR_CANTFINDBARMANAGERFORSTATUSBAR", "A bar manager cannot be found for the status bar"},
    {L"dxSBAR_BUTTONDEFAULTACTIONDESCRIPTION", "Нажмите"},
    {L"SBlob", "(Blob)"},
    {L"dxSBAR_GDIPLUSNEEDED", "%s требует установки билиотеки Microsoft GDI+"},
    {L"dxSBAR_RIBBONMORETHANONE", "There should be only one %s instance on the form"},
    {L"dxSBAR_RIBBONBADOWNER", "%s should have TCustomForm as its Owner"},
    {L"dxSBAR_RIBBONBADPARENT", "%s should have TCustomForm as its Parent"},
    {L"dxSBAR_RIBBONADDTAB", "Добавить закладку"},
    {L"dxSBAR_RIBBONDELETETAB", "Удалить закладку"},
    {L"dxSBAR_RIBBONADDEMPTYGROUP", "Добавить группу"},
    {L"dxSBAR_RIBBONADDGROUPWITHTOOLBAR", "Добавить группу с панелью инструментов"},
    {L"dxSBAR_RIBBONDELETEGROUP", "Удалить группу"},
};

// Names whose texts the program writes itself, in Russian like the rest.
const wchar_t* const kOwnBarTextNames[] = {
    L"dxSBAR_LOOKUPDIALOGCAPTION",
    L"dxSBAR_IMAGEINDEX",
    L"dxSBAR_IMAGETEXT",
    L"dxSBAR_CXEDITVALUEDIALOGCAPTION",
    L"dxSBAR_CP_ADDCXITEM",
    L"dxSBAR_CP_BUTTONPAINTSTYLEMENU",
    L"dxSBAR_POPUPMENUEDITOR",
    L"dxSBAR_ADDGALLERYNAME",
    L"dxSBAR_SHOWALLGALLERYGROUPS",
    L"dxSBAR_HIDEALLGALLERYGROUPS",
    L"dxSBAR_CLEARGALLERYFILTER",
    L"dxSBAR_GALLERYEMPTYFILTERCAPTION",
    L"dxSBAR_CUSTOMIZINGFORM",
    L"dxSBAR_ACCESSIBILITY_RIBBONNAME",
    L"dxSBAR_ACCESSIBILITY_RIBBONTABCOLLECTIONNAME",
};

TEST(BarStrings, TheProductListsEveryNameAndEachResolves) {
    const TdxProductResourceStrings* product = BarProduct();
    ASSERT_NE(product, nullptr);
    EXPECT_EQ(BarStringCount(), 181);
    ASSERT_EQ(product->Names().Count(), 181);
    for (int i = 0; i < product->Names().Count(); ++i) {
        String name = product->Names()[i];
        const TResStringRec* reference = product->ReferenceOf(name);
        ASSERT_NE(reference, nullptr) << Utf8(name);
        EXPECT_FALSE(ResolveResourceString(reference).empty()) << Utf8(name);
    }
    EXPECT_EQ(std::size(kQuotedBarTexts) + std::size(kOwnBarTextNames), 181u);
}

TEST(BarStrings, EveryQuotedTextIsStoredExactly) {
    const TdxProductResourceStrings* product = BarProduct();
    ASSERT_NE(product, nullptr);
    for (const auto& [name, text] : kQuotedBarTexts) {
        const TResStringRec* reference = product->ReferenceOf(name);
        ASSERT_NE(reference, nullptr) << Utf8(name);
        EXPECT_EQ(Utf8(ResolveResourceString(reference)), text) << Utf8(name);
    }
    for (const wchar_t* name : kOwnBarTextNames) {
        String text = ResolveResourceString(product->ReferenceOf(name));
        bool cyrillic = std::any_of(text.begin(), text.end(), [](wchar_t c) { return c >= 0x400 && c <= 0x4FF; });
        EXPECT_TRUE(cyrillic) << Utf8(name) << ": " << Utf8(text);
    }
}

TEST(BarStrings, FormattingTakesTheNamesInTheOrderOfThePlaceholders) {
    EXPECT_EQ(Utf8(Format(BarString(dxSBAR_TOOLBARSALREADYMERGED), {String(L"Файл"), String(L"Правка")})),
              "The 'Файл' toolbar is already merged with the 'Правка' toolbar");
    EXPECT_EQ(Utf8(Format(BarString(dxSBAR_WANTTODELETETOOLBAR), {String(L"Вид")})),
              "Are you sure you want to delete the 'Вид' toolbar?");
}

class BarStringReplacements : public BarTest {
protected:
    void TearDown() override {
        auto* product = const_cast<TdxProductResourceStrings*>(BarProduct());
        product->RemoveReplacement(L"dxSBAR_DEFAULTCATEGORYNAME");
        product->RemoveReplacement(L"dxSBAR_NEWBUTTONCAPTION");
        BarTest::TearDown();
    }
};

TEST_F(BarStringReplacements, AReplacementNamesTheFirstCategoryOfALaterManager) {
    auto* product = const_cast<TdxProductResourceStrings*>(BarProduct());
    ASSERT_EQ(Utf8(manager->Categories()->Strings(0)), "По умолчанию");
    ASSERT_TRUE(product->SetReplacement(L"dxSBAR_DEFAULTCATEGORYNAME", L"Standard"));
    ASSERT_TRUE(product->SetReplacement(L"dxSBAR_NEWBUTTONCAPTION", L"New Button"));
    std::unique_ptr<TForm> later(CreateNewForm(nullptr));
    auto* laterManager = new TdxBarManager(later.get());
    EXPECT_EQ(laterManager->Categories()->Strings(0), L"Standard");
    EXPECT_EQ(Utf8(manager->Categories()->Strings(0)), "По умолчанию");  // a stored name stays
    // The captions of new items and the default-category search read the table itself.
    EXPECT_EQ(BarString(dxSBAR_NEWBUTTONCAPTION), L"New Button");
    EXPECT_EQ(Utf8(BarStringTableText(dxSBAR_NEWBUTTONCAPTION)), "Новая кнопка");
    laterManager->Categories()->Add(L"Файл");
    laterManager->Categories()->Add(L"По умолчанию");
    TdxBarItem* added = laterManager->AddItem(TTestBarItem::StaticClass());
    EXPECT_EQ(added->Category(), 2);
    TdxBarItem* toFirst = manager->AddItem(TTestBarItem::StaticClass());
    EXPECT_EQ(toFirst->Category(), 0);
}

TEST(BarStrings, RemovingTheProductTwiceIsHarmless) {
    FinalizedxBarStrs();
    FinalizedxBarStrs();
    EXPECT_EQ(BarProduct(), nullptr);
    EXPECT_EQ(Utf8(BarString(dxSBAR_CUSTOMIZE)), "&Настроить...");  // the string table remains
    InitializedxBarStrs();
    EXPECT_NE(BarProduct(), nullptr);
}

}  // namespace
