#pragma once
// TfmMain: the editor's main window. Its stored description (forms/fmMain.zfm) builds the 3D view
// with the whole scene, the material library with the eleven built-in materials, the cadencer,
// the ribbon with the commands, the status bar and the two file dialogs; its creation handler loads the editor's own data
// (texture catalogue, robot, an empty level) and fills the material combos.
//
// Editing: the window is idle, or adding a block (Adding), which then follows the mouse over the
// grid until a left click places it or a right click removes it. A left click on a grid cell
// selects the cell (the marker SelectedPos, a red square on top of its column) and its top block
// (SelectedCube, shown blue); the commands that act on "the selected cell" use the marker's cell.
// Dragging with the right button orbits the camera around its target, the middle button moves
// the target to a cell, the wheel scales the camera's distance. The handlers never draw: every
// change reaches the scene, which repaints the view.
//
// The window keeps the system's caption and frame: the ribbon draws its tabs and groups only.

#include "Forms.h"  // first: the dialogs' header builds on it
#include "RzShellDialogs.h"
#include "dxRibbonForm.h"
#include "uLevel.h"

class TBot;
class TdxBarCombo;
class TdxBarManager;
class TdxRibbon;
class TdxRibbonPopupMenu;
class TdxRibbonStatusBar;
class TGLCadencer;
class TGLCamera;
class TGLMaterialLibrary;
class TGLSceneViewer;

class TfmMain : public TdxRibbonForm {
    Z_CLASS(TfmMain, TdxRibbonForm)
    Z_PUBLISHED {
        using C = TfmMain;
        p.Method(L"FormCreate", &C::FormCreate);
        p.Method(L"FormMouseWheel", &C::FormMouseWheel);
        p.Method(L"GLSceneViewerMouseDown", &C::GLSceneViewerMouseDown);
        p.Method(L"GLSceneViewerMouseMove", &C::GLSceneViewerMouseMove);
        p.Method(L"btnExitClick", &C::btnExitClick);
        p.Method(L"btnLoadClick", &C::btnLoadClick);
        p.Method(L"btnSaveClick", &C::btnSaveClick);
        p.Method(L"btnResetClick", &C::btnResetClick);
        p.Method(L"btnAddClick", &C::btnAddClick);
        p.Method(L"btnDeleteClick", &C::btnDeleteClick);
        p.Method(L"btnStartPosClick", &C::btnStartPosClick);
        p.Method(L"btnRotateClick", &C::btnRotateClick);
        p.Method(L"btnOnOffClick", &C::btnOnOffClick);
        p.Method(L"btnSkyMaterialChange", &C::btnSkyMaterialChange);
        p.Method(L"btnBlockMaterialChange", &C::btnBlockMaterialChange);
    }

public:
    explicit TfmMain(TComponent* AOwner);
    void BeforeDestruction() override;

    // ---- start-up ----
    void FormCreate(TObject* Sender);
    // Block combo: the library's materials 5..11; sky combo: 15 to the last. Neither is cleared.
    void FillMaterialLists();

    // ---- commands ----
    void btnExitClick(TObject* Sender);
    void btnLoadClick(TObject* Sender);
    void btnSaveClick(TObject* Sender);
    void btnResetClick(TObject* Sender);
    void btnAddClick(TObject* Sender);
    void btnDeleteClick(TObject* Sender);
    void btnStartPosClick(TObject* Sender);
    void btnRotateClick(TObject* Sender);
    void btnOnOffClick(TObject* Sender);
    void btnSkyMaterialChange(TObject* Sender);
    void btnBlockMaterialChange(TObject* Sender);

    // ---- mouse ----
    void GLSceneViewerMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void GLSceneViewerMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void FormMouseWheel(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled);

    // The grid cell under the view pixel (X, Y from the top left), where the pointer's ray meets
    // the plane; (-1, -1) when it misses. Not checked against the grid.
    TGridCell PickCell(TGLBaseSceneObject* plane, int X, int Y);
    // Forgets the selected block and shows every block in the level's material.
    void ResetBlockHighlight();

    // ---- state ----
    bool Adding() const { return adding_; }
    TBot* Bot() const { return bot_; }
    TLevel* Level() const { return level_; }
    TGLCube* SelectedCube() const { return selectedCube_; }
    int LastMouseX() const { return lastMouseX_; }
    int LastMouseY() const { return lastMouseY_; }
    // The marker's cell: its position truncated toward zero.
    TGridCell MarkerCell() const;

    // ---- the form's components ----
    TGLSceneViewer* GLSceneViewer = nullptr;
    TGLScene* MainScene = nullptr;
    TGLCamera* GLCamera = nullptr;
    TGLCadencer* GLCadencer = nullptr;
    TGLMaterialLibrary* libMaterials = nullptr;
    TGLBaseSceneObject* dcTarget = nullptr;
    TGLPlane* GLPlane = nullptr;
    TGLBaseSceneObject* dcBlocks = nullptr;
    TGLBaseSceneObject* dcLights = nullptr;
    TGLPlane* SelectedPos = nullptr;
    TdxRibbon* dxRibbon1 = nullptr;
    TdxRibbonStatusBar* dxRibbonStatusBar1 = nullptr;
    TdxBarManager* dxBarManager = nullptr;
    TdxRibbonPopupMenu* pmMenu = nullptr;
    TdxBarCombo* btnSkyMaterial = nullptr;
    TdxBarCombo* btnBlockMaterial = nullptr;
    TRzOpenDialog* od = nullptr;
    TRzSaveDialog* sd = nullptr;

protected:
    void Loaded() override;

private:
    // Opening or clearing a level frees every block: the window lets go of the selected block
    // and of one being added.
    void ForgetBlocks();
    // Puts the marker on top of the cell's column and shows it.
    void ShowMarkerOn(TGridCell cell);
    void PlaceAddedBlock(TGridCell clicked);
    void SelectCell(TGridCell cell);

    bool adding_ = false;
    TBot* bot_ = nullptr;
    TLevel* level_ = nullptr;
    TGLCube* selectedCube_ = nullptr;
    int lastMouseX_ = 0, lastMouseY_ = 0;
};

// The folder of the editor's data ("levels\", "textures\", "models\"), ending with a backslash:
// the executable's, unless SetEditorFolder named another (tests start the window on their own
// data that way; an empty name goes back to the executable's).
String EditorFolder();
void SetEditorFolder(const String& folder);

// The program's main routine: the units' start-up, the application titled "Редактор Zarnik", the
// main window from its description, the message loop until it closes. Returns the exit code.
int RunEditor();
// Starts the engine's, the controls' and the editor's units (the platform's must have started).
void InitializeEditorUnits();
