// The editor's main window: start-up, commands and mouse handling.

#include "uMain.h"

#include <cmath>

#include "Application.h"
#include "ControlsUnits.h"
#include "EngineUnits.h"
#include "GLCadencer.h"
#include "GLCamera.h"
#include "GLMaterial.h"
#include "GLWin32Viewer.h"
#include "IniFiles.h"
#include "PlatformUnits.h"
#include "SysMath.h"
#include "SysUtils.h"
#include "ToolkitBarsUnits.h"
#include "ToolkitCoreUnits.h"
#include "ToolkitRibbonUnits.h"
#include "ToolkitSkinsUnits.h"
#include "Units.h"
#include "dxBarCombo.h"
#include "dxBarManager.h"
#include "dxRibbon.h"
#include "dxRibbonPopupMenu.h"
#include "dxRibbonStatusBar.h"
#include "uBot.h"
#include "uLevelDialogs.h"
#include "uTextures.h"

namespace {

const wchar_t kErrorCaption[] = L"Ошибка";

template <class T>
T* FindPart(TComponent* form, const wchar_t* name) {
    return As<T>(form->FindComponent(name));
}

// A scene update bracket that closes however the block inside it ends.
class TSceneUpdate {
public:
    explicit TSceneUpdate(TGLScene* scene) : scene_(scene) { scene_->BeginUpdate(); }
    ~TSceneUpdate() { scene_->EndUpdate(); }
    TSceneUpdate(const TSceneUpdate&) = delete;
    TSceneUpdate& operator=(const TSceneUpdate&) = delete;

private:
    TGLScene* scene_;
};

// The marker and the light tiles rest this far above the top of a column.
Single TopOfColumn(Integer blockCount) { return TLevel::TileHeightOver(blockCount); }

}  // namespace

TfmMain::TfmMain(TComponent* AOwner) : TdxRibbonForm(AOwner) {}

void TfmMain::Loaded() {
    inherited::Loaded();
    GLSceneViewer = FindPart<TGLSceneViewer>(this, L"GLSceneViewer");
    MainScene = FindPart<TGLScene>(this, L"MainScene");
    GLCamera = FindPart<TGLCamera>(this, L"GLCamera");
    GLCadencer = FindPart<TGLCadencer>(this, L"GLCadencer");
    libMaterials = FindPart<TGLMaterialLibrary>(this, L"libMaterials");
    dcTarget = FindPart<TGLBaseSceneObject>(this, L"dcTarget");
    GLPlane = FindPart<TGLPlane>(this, L"GLPlane");
    dcBlocks = FindPart<TGLBaseSceneObject>(this, L"dcBlocks");
    dcLights = FindPart<TGLBaseSceneObject>(this, L"dcLights");
    SelectedPos = FindPart<TGLPlane>(this, L"SelectedPos");
    dxRibbon1 = FindPart<TdxRibbon>(this, L"dxRibbon1");
    dxRibbonStatusBar1 = FindPart<TdxRibbonStatusBar>(this, L"dxRibbonStatusBar1");
    dxBarManager = FindPart<TdxBarManager>(this, L"dxBarManager");
    pmMenu = FindPart<TdxRibbonPopupMenu>(this, L"pmMenu");
    btnSkyMaterial = FindPart<TdxBarCombo>(this, L"btnSkyMaterial");
    btnBlockMaterial = FindPart<TdxBarCombo>(this, L"btnBlockMaterial");
    od = FindPart<TRzOpenDialog>(this, L"od");
    sd = FindPart<TRzSaveDialog>(this, L"sd");
}

void TfmMain::BeforeDestruction() {
    // The level and the robot work on the scene: they go while it still exists.
    FreeObject(level_);
    FreeObject(bot_);
    inherited::BeforeDestruction();
}

// ---- start-up ----

namespace {

String& EditorFolderOverride() {
    static String folder;
    return folder;
}

}  // namespace

String EditorFolder() {
    const String& chosen = EditorFolderOverride();
    return chosen.empty() ? ExtractFilePath(GetModuleName(nullptr)) : chosen;
}

void SetEditorFolder(const String& folder) { EditorFolderOverride() = folder; }

void TfmMain::FormCreate(TObject*) {
    const String exeFolder = EditorFolder();
    const String levels = exeFolder + L"levels\\";
    if (!DirectoryExists(levels)) CreateDir(levels);
    for (TRzFileDialog* dialog : {static_cast<TRzFileDialog*>(od), static_cast<TRzFileDialog*>(sd)}) {
        dialog->SetInitialDir(levels);
        dialog->SetFileName(L"Level01.level");
    }

    // A picture that cannot be read costs only its own entry.
    std::vector<String> unreadable;
    if (!LoadTextures(exeFolder + L"textures\\", libMaterials, &unreadable))
        Application->MessageBox(L"Загружены не все текстуры", kErrorCaption, MB_OK | MB_ICONERROR);
    for (const String& message : unreadable) Application->ShowException(Exception(message));

    // A robot that cannot be read leaves an empty placeholder; the editor still works.
    try {
        bot_ = new TBot(MainScene, exeFolder + L"models\\Bot\\model.ini", libMaterials);
    } catch (const Exception& e) {
        Application->ShowException(e);
        bot_ = new TBot(MainScene, String(), libMaterials);
    }
    level_ = new TLevel(MainScene, libMaterials);
    adding_ = false;
    FillMaterialLists();
    // Index 11 names the first catalogue texture in the library, not in the combo's seven
    // entries: nothing is selected, and the change event leaves the blocks without a material.
    btnBlockMaterial->SetItemIndex(11);
}

void TfmMain::FillMaterialLists() {
    TGLLibMaterials* materials = libMaterials->Materials();
    for (int i = 5; i <= 11; ++i) btnBlockMaterial->Items()->Add(materials->ItemAt(i)->Name());
    for (int i = 15; i < materials->Count(); ++i) btnSkyMaterial->Items()->Add(materials->ItemAt(i)->Name());
}

// ---- picking ----

TGridCell TfmMain::PickCell(TGLBaseSceneObject* plane, int X, int Y) {
    TGLSceneBuffer* buffer = GLSceneViewer->Buffer();
    // From the point under the pointer on the near plane, away from the camera. The plane's ray
    // test takes the start as a point into its own frame, translation included.
    const TAffineVector nearPoint = buffer->ScreenToWorld(X, Y);
    const TVector4f start{nearPoint.X, nearPoint.Y, nearPoint.Z, 1};
    const TVector4f direction = buffer->ScreenToVector(X, buffer->Height() - Y);
    TVector4f hit{};
    if (!plane->IntersectRay(start, direction, &hit)) return {-1, -1};
    return {Integer(Trunc(hit.X + 0.5)), Integer(Trunc(hit.Z + 0.5))};
}

TGridCell TfmMain::MarkerCell() const { return TLevel::CellOf(SelectedPos); }

void TfmMain::ResetBlockHighlight() {
    selectedCube_ = nullptr;
    TSceneUpdate update(MainScene);
    for (Integer i = 0; i < dcBlocks->Count(); ++i)
        if (auto* block = As<TGLSceneObject>(dcBlocks->GetChild(i)))
            block->Material()->SetLibMaterialName(level_->BlockMaterialName());
}

void TfmMain::ShowMarkerOn(TGridCell cell) {
    SelectedPos->SetVisible(true);
    SelectedPos->Position()->SetPoint(Single(cell.X), TopOfColumn(level_->CountBlocksAtCell(cell)), Single(cell.Z));
}

void TfmMain::ForgetBlocks() {
    selectedCube_ = nullptr;
    adding_ = false;
}

// ---- mouse ----

void TfmMain::GLSceneViewerMouseMove(TObject*, TShiftState Shift, int X, int Y) {
    const TGridCell cell = PickCell(GLPlane, X, Y);
    if (adding_) {
        if (TLevel::IsCellInside(cell) && selectedCube_) level_->MoveBlockToCell(selectedCube_, cell);
        return;
    }
    if (Shift.Contains(ssRight)) {
        GLCamera->OrbitTarget(Single(lastMouseY_ - Y), Single(lastMouseX_ - X));
        lastMouseX_ = X;
        lastMouseY_ = Y;
    }
}

void TfmMain::GLSceneViewerMouseDown(TObject*, TMouseButton Button, TShiftState, int X, int Y) {
    lastMouseX_ = X;
    lastMouseY_ = Y;
    const TGridCell cell = PickCell(GLPlane, X, Y);
    if (Button == mbMiddle && TLevel::IsCellInside(cell))
        dcTarget->Position()->SetPoint(Single(cell.X), 0, Single(cell.Z));
    if (Button == mbLeft && adding_)
        PlaceAddedBlock(cell);
    else if (Button == mbLeft && TLevel::IsCellInside(cell))
        SelectCell(cell);
    if (Button == mbRight && adding_) {
        level_->DeleteBlock(selectedCube_);
        selectedCube_ = nullptr;
        adding_ = false;
    }
}

void TfmMain::PlaceAddedBlock(TGridCell clicked) {
    adding_ = false;
    // A second "add" or a "delete" while adding already let go of the block: nothing to place.
    if (!selectedCube_) return;
    level_->SetBlockLook(selectedCube_, L"BlockSilver", false);
    // Outside the grid the block stayed on the last column it followed: the marker goes there.
    const TGridCell cell = TLevel::IsCellInside(clicked) ? clicked : TLevel::CellOf(selectedCube_);
    selectedCube_ = nullptr;
    ShowMarkerOn(cell);
    const Single top = SelectedPos->Position()->Y();
    for (Integer i = 0; i < dcLights->Count(); ++i) {
        TGLBaseSceneObject* tile = dcLights->GetChild(i);
        if (TLevel::CellOf(tile) == cell) tile->Position()->SetPoint(Single(cell.X), top, Single(cell.Z));
    }
}

void TfmMain::SelectCell(TGridCell cell) {
    ShowMarkerOn(cell);
    ResetBlockHighlight();
    selectedCube_ = level_->TopBlockAtCell(cell);
    level_->SetBlockLook(selectedCube_, L"Area_blue", false);
}

void TfmMain::FormMouseWheel(TObject*, TShiftState, int WheelDelta, TPoint, bool& Handled) {
    GLCamera->ScaleDistanceToTarget(Single(std::pow(1.1L, (long double)WheelDelta / 120.0L)));
    // Unhandled, the system hands the same turn of the wheel on to the form once more.
    Handled = true;
}

// ---- commands ----

void TfmMain::btnExitClick(TObject*) { Close(); }

void TfmMain::btnAddClick(TObject*) {
    ResetBlockHighlight();
    SelectedPos->SetVisible(false);
    if (adding_) return;
    selectedCube_ = level_->AddBlock(1, 1);
    level_->SetBlockLook(selectedCube_, L"Area_blue", false);
    adding_ = true;
}

void TfmMain::btnDeleteClick(TObject*) {
    if (!selectedCube_) return;
    level_->DeleteBlock(selectedCube_);
    SelectedPos->Position()->SetY(SelectedPos->Position()->Y() - 0.5f);
    selectedCube_ = nullptr;
}

void TfmMain::btnResetClick(TObject*) {
    level_->Clear();
    ForgetBlocks();
    SelectedPos->SetVisible(true);
    SelectedPos->Position()->SetPoint(1, 0, 1);
}

void TfmMain::btnStartPosClick(TObject*) {
    const TGridCell cell = MarkerCell();
    bot_->PlaceAt(cell.X, cell.Z, level_->HeightAt(cell.X, cell.Z));
}

void TfmMain::btnOnOffClick(TObject*) {
    const TGridCell cell = MarkerCell();
    level_->ToggleLight(cell.X, cell.Z);
}

void TfmMain::btnRotateClick(TObject*) {
    bot_->SetDirection(bot_->TurnedDirection());
    level_->SetDirection(bot_->GetDirection());
}

void TfmMain::btnLoadClick(TObject*) {
    if (!ExecuteLevelDialog(od)) return;
    // Opening clears the level first: the blocks the window holds go with it.
    ResetBlockHighlight();
    ForgetBlocks();
    level_->LoadFromFile(od->GetFileName());
    btnSkyMaterial->SetText(level_->SkyMaterialName());
    btnBlockMaterial->SetText(level_->BlockMaterialName());
    bot_->PlaceAtCell(level_->StartPos(), level_->HeightAtCell(level_->StartPos()));
    bot_->SetDirection(level_->Direction());
}

void TfmMain::btnSaveClick(TObject*) {
    if (dcLights->Count() == 0) {
        Application->MessageBox(L"Нет ни одного блока, который надо включить", kErrorCaption, MB_OK | MB_ICONERROR);
        return;
    }
    // A relative name is looked up in the current folder, the robot's after start-up.
    const String opened = od->GetFileName();
    sd->SetFileName(FileExists(opened) ? ExtractFileName(opened) : String());
    if (!ExecuteLevelDialog(sd)) return;
    level_->SaveToFile(sd->GetFileName());
    TIniFile file(sd->GetFileName());
    const TGridCell start = bot_->GetCell();
    file.WriteInteger(L"GENERAL", L"StartPosX", start.X);
    file.WriteInteger(L"GENERAL", L"StartPosY", start.Z);
}

void TfmMain::btnSkyMaterialChange(TObject*) { level_->SetSkyMaterial(btnSkyMaterial->GetText()); }

void TfmMain::btnBlockMaterialChange(TObject*) {
    level_->SetBlockMaterialName(btnBlockMaterial->GetText());
    ResetBlockHighlight();
}

// ---- the program ----

namespace {

void InitializeuMain() { RegisterClasses({TfmMain::StaticClass()}); }

}  // namespace

void InitializeEditorUnits() {
    InitializeEngineUnits();
    InitializeControlsUnits();
    // The ribbon and its bars: the toolkit's core first, then the bars, the skins (the ribbon's
    // colour schemes) and the ribbon.
    InitializeToolkitCoreUnits();
    InitializeToolkitBarsUnits();
    InitializeToolkitSkinsUnits();
    InitializeToolkitRibbonUnits();
    InitializeUnits({{"uMain", &InitializeuMain, nullptr}});
}

int RunEditor() {
    InitializePlatformUnits();
    InitializeEditorUnits();
    Application->Initialize();
    Application->SetTitle(L"Редактор Zarnik");
    TfmMain* fmMain = nullptr;
    Application->CreateForm(fmMain);
    Application->Run();
    const int exitCode = Application->ExitCode();
    FinalizeUnits();
    return exitCode;
}
