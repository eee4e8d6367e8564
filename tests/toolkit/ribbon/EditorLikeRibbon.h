#pragma once
// An editor-like ribbon for the group window tests: two tabs, five groups (toolbars of the bar
// manager), thirteen large buttons with 32 x 32 images and two combos 100 pixels wide.

#include <string>
#include <vector>

#include "../bars/BarTestSupport.h"
#include "Bitmap.h"
#include "Canvas.h"
#include "ExtItemsTesting.h"
#include "ImageList.h"
#include "RibbonTesting.h"
#include "dxBarCombo.h"
#include "dxBarItemLinks.h"
#include "dxRibbonGroupBarControl.h"

class EditorLikeRibbonTest : public RibbonTest {
protected:
    struct GroupSpec {
        int tab;
        const wchar_t* caption;
        std::vector<const wchar_t*> buttons;
        bool combo;
    };

    void SetUp() override {
        RibbonTest::SetUp();
        EnsureLargeButtonRegistered();
        form->SetBounds(20, 20, 1000, 400);
        manager->OnClickItem = MakeEvent(&recorder, &TEventRecorder::ItemClicked);
        images = new TImageList(form.get());
        images->SetSize(32, 32);
        for (int i = 0; i < 13; ++i) {
            TBitmap glyph;
            glyph.SetSize(32, 32);
            glyph.Canvas()->Brush()->SetColor(TColor(0x101010 * (i + 1)));
            glyph.Canvas()->FillRect(TRect{0, 0, 32, 32});
            images->Add(&glyph, nullptr);
        }
        manager->SetLargeImages(images);
        tabs[0] = NewTab(L"Уровень");
        tabs[1] = NewTab(L"Справка");
        const GroupSpec specs[] = {
            {0, L"Файл", {L"Выход", L"Открыть", L"Сохранить"}, false},
            {0, L"Блоки", {L"Добавить блок", L"Удалить блок", L"Очистить уровень"}, true},
            {0, L"Робот", {L"Включить выключить", L"Стартовая позиция", L"Повернуть"}, true},
            {1, L"Текстуры", {L"Добавить текстуру", L"Удалить текстуру"}, false},
            {1, L"Помощь", {L"Справка", L"О программе"}, false},
        };
        int image = 0;
        for (const GroupSpec& spec : specs) {
            TdxBar* bar = NewBar(L"bar" + std::to_wstring(bars.size()));
            bar->SetCaption(spec.caption);
            for (const wchar_t* caption : spec.buttons) {
                auto* button = new TdxBarLargeButton(form.get());
                button->SetName(L"btn" + std::to_wstring(buttons.size()));
                button->SetCaption(caption);
                button->SetLargeImageIndex(image++);
                button->OnClick = MakeEvent(&recorder, &TEventRecorder::Clicked);
                bar->ItemLinks()->AddItem(button);
                buttons.push_back(button);
            }
            if (spec.combo) {
                auto* combo = new TdxBarCombo(form.get());
                combo->SetName(L"cmb" + std::to_wstring(combos.size()));
                combo->SetWidth(100);
                bar->ItemLinks()->AddItem(combo);
                combos.push_back(combo);
            }
            AddGroup(tabs[spec.tab], bar);
            bar->SetVisible(true);
            bars.push_back(bar);
        }
        ribbon->SetActiveTab(tabs[0]);
        PumpUntilIdle();
    }

    TdxRibbonGroupBarControl* GroupWindow(int bar) const {
        return As<TdxRibbonGroupBarControl>(bars[size_t(bar)]->BarControl());
    }
    TdxBarItemLink* ButtonLink(int button) const {
        return buttons[size_t(button)]->GetLink(0);
    }
    // The centre of a button's control on the screen.
    TPoint ButtonCentre(int button, int bar) const {
        const TRect r = ButtonLink(button)->ItemRect();
        return GroupWindow(bar)->ClientToScreen(TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }
    // Narrows the form so that the groups area is that wide, and lets the ribbon lay it out.
    void SetGroupsAreaWidth(int width) {
        const int frame = form->Width() - form->ClientWidth();
        form->SetWidth(width + 8 + frame);
        PumpUntilIdle();
    }

    TEventRecorder recorder;
    TImageList* images = nullptr;
    TdxRibbonTab* tabs[2] = {};
    std::vector<TdxBar*> bars;
    std::vector<TdxBarLargeButton*> buttons;
    std::vector<TdxBarCombo*> combos;
};
