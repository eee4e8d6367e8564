// The level file: TLevel::LoadFromFile and TLevel::SaveToFile over the platform's INI file.
//
// Reading takes the whole file in before it touches the level, so that a file the editor
// refuses (more columns, tiles or blocks than an 8 x 8 level holds) leaves the level as it was.
// Sections naming a cell outside the grid are skipped.

#include <vector>

#include "Format.h"
#include "GLMaterial.h"
#include "IniFiles.h"
#include "SysMath.h"
#include "uLevel.h"

namespace {

constexpr Integer kLevelCells = TLevel::kGridSize * TLevel::kGridSize;
const String kGeneral = L"GENERAL";

struct TLevelFileColumn {
    TGridCell cell;
    Integer count = 0;
};

// What a level file says, read and checked before the level changes.
struct TLevelFileContent {
    String blockMaterialName;
    String skyMaterialName;
    TGridCell startPos;
    Integer directionCode = 1;
    std::vector<TLevelFileColumn> columns;  // in file order, cells inside the grid only
    std::vector<TGridCell> lights;          // in file order, cells inside the grid only
};

String NumberedSection(const wchar_t* prefix, Integer n) { return prefix + IntToStr(n); }

[[noreturn]] void RefuseLevelFile(const String& fileName, const String& reason) {
    throw ELevelFileError(L"Файл уровня «" + fileName + L"» не открыт: " + reason);
}

TLevelFileContent ReadLevelFile(const String& fileName) {
    TIniFile file(fileName);
    TLevelFileContent content;
    content.blockMaterialName = file.ReadString(kGeneral, L"BlockMaterialName", L"");
    content.startPos = {file.ReadInteger(kGeneral, L"StartPosX", 2), file.ReadInteger(kGeneral, L"StartPosY", 4)};
    // A start outside the grid would stand the robot off the board: the default start instead.
    if (!TLevel::IsCellInside(content.startPos)) content.startPos = {2, 4};
    content.directionCode = file.ReadInteger(kGeneral, L"BotNumDirection", 1);
    content.skyMaterialName = file.ReadString(kGeneral, L"SkyMaterialName", L"");

    const Integer countBlocks = file.ReadInteger(kGeneral, L"CountBlocks", 0);
    if (countBlocks > kLevelCells)
        RefuseLevelFile(fileName,
                        Format(L"CountBlocks = %d, а на поле 8×8 не больше %d столбцов.", {countBlocks, kLevelCells}));
    for (Integer n = 1; n <= countBlocks; ++n) {
        const String section = NumberedSection(L"BLOCK", n);
        TLevelFileColumn column;
        column.count = file.ReadInteger(section, L"Count", 0);
        column.cell = {file.ReadInteger(section, L"X", 1), file.ReadInteger(section, L"Y", 1)};
        if (column.count > TLevel::kMaxColumnBlocks)
            RefuseLevelFile(fileName, Format(L"в %s Count = %d, а в столбце не больше %d блоков.",
                                             {section, column.count, TLevel::kMaxColumnBlocks}));
        if (column.count > 0 && TLevel::IsCellInside(column.cell)) content.columns.push_back(column);
    }

    const Integer countLights = file.ReadInteger(kGeneral, L"CountLights", 0);
    if (countLights > kLevelCells)
        RefuseLevelFile(fileName,
                        Format(L"CountLights = %d, а на поле 8×8 не больше %d плиток.", {countLights, kLevelCells}));
    for (Integer n = 1; n <= countLights; ++n) {
        const String section = NumberedSection(L"LIGHT", n);
        const TGridCell cell{file.ReadInteger(section, L"X", 1), file.ReadInteger(section, L"Y", 1)};
        if (TLevel::IsCellInside(cell)) content.lights.push_back(cell);
    }
    return content;
}

TAffineVector FacingOfCode(Integer code) {
    switch (code) {
        case 1:
            return {1, 0, 0};
        case 2:
            return {0, 0, 1};
        case 3:
            return {-1, 0, 0};
        default:
            return {0, 0, -1};
    }
}

}  // namespace

void TLevel::LoadFromFile(const String& fileName) {
    const TLevelFileContent content = ReadLevelFile(fileName);

    scene_->BeginUpdate();
    try {
        Clear();
        blockMaterialName_ = content.blockMaterialName;
        startPos_ = content.startPos;
        // Other codes keep the facing the level had.
        if (content.directionCode >= 1 && content.directionCode <= 4) direction_ = FacingOfCode(content.directionCode);
        skyMaterialName_ = content.skyMaterialName;
        if (sky_) sky_->Material()->SetLibMaterialName(skyMaterialName_);

        // Each section stacks from the ground up, so two sections naming one cell overlap.
        for (const TLevelFileColumn& column : content.columns)
            for (Integer k = 1; k <= column.count; ++k) {
                TGLCube* cube = AddBlock(column.cell.X, column.cell.Z);
                cube->Position()->SetPoint(Single(column.cell.X), Single(k) * kBlockHeight, Single(column.cell.Z));
                cube->Material()->SetLibMaterialName(blockMaterialName_);
            }
        RecountHeights();
        // A cell named twice ends with no tile.
        for (const TGridCell& cell : content.lights) ToggleLight(cell.X, cell.Z);
    } catch (...) {
        scene_->EndUpdate();
        throw;
    }
    scene_->EndUpdate();
}

void TLevel::SaveToFile(const String& fileName) {
    RecountHeights();
    TIniFile file(fileName);
    // Sections beyond the new counts stay in the file; readers go by the counts.
    file.WriteInteger(kGeneral, L"CountLights", lights_->Count());
    for (Integer i = 0; i < lights_->Count(); ++i) {
        const String section = NumberedSection(L"LIGHT", i + 1);
        const TGridCell cell = CellOf(lights_->GetChild(i));
        file.WriteInteger(section, L"X", cell.X);
        file.WriteInteger(section, L"Y", cell.Z);
    }
    Integer n = 0;
    for (Integer x = 1; x <= kGridSize; ++x)
        for (Integer z = 1; z <= kGridSize; ++z) {
            if (HeightAt(x, z) < 1) continue;
            const String section = NumberedSection(L"BLOCK", ++n);
            file.WriteInteger(section, L"X", x);
            file.WriteInteger(section, L"Y", z);
            file.WriteInteger(section, L"Count", HeightAt(x, z));
        }
    file.WriteInteger(kGeneral, L"CountBlocks", n);
    file.WriteString(kGeneral, L"BlockMaterialName", blockMaterialName_);
    file.WriteString(kGeneral, L"SkyMaterialName", skyMaterialName_);
    file.WriteInteger(kGeneral, L"BotNumDirection", DirectionCode());
}
