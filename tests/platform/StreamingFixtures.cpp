#include "StreamingFixtures.h"

int TStreamingLog::live = 0;
std::vector<String> TStreamingLog::loaded;

const TIdentMap& TestColorIdents() {
    static const TIdentMap map{{0x0000FF, L"clRed"}, {0x00FF00, L"clLime"}, {int(0xFF00000F), L"clBtnFace"}};
    return map;
}

void RegisterStreamingFixtures() {
    RegisterClasses(
        {TTestWidget::StaticClass(), TTestThing::StaticClass(), TTestForm::StaticClass(), TTestFont::StaticClass()});
}
