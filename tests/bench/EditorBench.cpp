// Times the editor's 3D view with a full level (8 x 8 columns of 8 blocks) at 1024 x 768 against
// a minimal direct OpenGL baseline that draws the same cubes from one display list under one
// light, in the same context and the same run. Prints the median, mean and worst frame of the
// whole scene, of its blocks alone and of the baseline, with their ratios (and, for comparison
// only, the baseline with the blocks' texture), the time from creating the main window to its
// first frame, the time from a click on a cell to the redrawn highlight, and the OpenGL display
// lists and textures alive before and after 1,000 cycles of adding, drawing and deleting a block.
// Exits with 1 when a target is missed: mean frame within 1.2 times the baseline's, worst within
// 2 times its worst, a click redrawn within 50 ms, no object left behind. With --parts it also
// prints what each of the scene's top-level objects costs drawn alone. Run by scripts/bench.sh.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <numeric>
#include <vector>

#include "Application.h"
#include "Forms.h"
#include "GLCadencer.h"
#include "GLCamera.h"
#include "GLMaterial.h"
#include "GLMaterialLibrary.h"
#include "GLTexture.h"
#include "GLWin32Viewer.h"
#include "OpenGL1x.h"
#include "PlatformUnits.h"
#include "Units.h"
#include "dxBarCombo.h"
#include "uMain.h"

namespace {

double Now() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

void PumpUntil(const std::function<bool()>& done, double timeoutMs = 10000) {
    const double end = Now() + timeoutMs;
    while (!done() && Now() < end) {
        MSG msg;
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        } else {
            Sleep(0);
        }
    }
}

struct TTimes {
    double median, mean, worst;
};

TTimes Summarize(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], std::accumulate(ms.begin(), ms.end(), 0.0) / double(ms.size()), ms.back()};
}

// Display lists and textures alive in the current context, by asking for every name in a range.
int LiveGLObjects() {
    int live = 0;
    for (GLuint name = 1; name < 20000; ++name) live += GL.glIsList(name) ? 1 : 0;
    for (GLuint name = 1; name < 4096; ++name) live += GL.glIsTexture(name) ? 1 : 0;
    return live;
}

// Whether the context's surface reaches the view's far corner: cleared to a colour, the corner
// reads back that colour.
bool SurfaceCovers(TGLSceneBuffer* buffer, int width, int height) {
    TGLContext* context = buffer->RenderingContext();
    context->Activate();
    GL.glClearColor(1, 0, 1, 1);
    GL.glClear(GL_COLOR_BUFFER_BIT);
    unsigned char pixel[4] = {0, 0, 0, 0};
    GL.glReadPixels(width - 1, height - 1, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    context->Deactivate();
    return pixel[0] == 255 && pixel[1] == 0 && pixel[2] == 255;
}

double frameStartedAt = 0;
void NoteFrameStart(TObject*) { frameStartedAt = Now(); }

int QuietMessageBox(HWND, const String& text, const String&, UINT) {
    fwprintf(stderr, L"message box: %ls\n", text.c_str());
    return IDOK;
}

// One block: 1 wide, 0.5 high, 1 deep, around the origin, as six lit quads, each with the whole
// texture when texturing is on.
void CubeQuads() {
    struct TFace {
        float normal[3];
        float corners[4][3];
    };
    const float w = 0.5f, h = 0.25f, d = 0.5f;
    const TFace faces[6] = {
        {{0, 0, 1}, {{-w, -h, d}, {w, -h, d}, {w, h, d}, {-w, h, d}}},
        {{0, 0, -1}, {{w, -h, -d}, {-w, -h, -d}, {-w, h, -d}, {w, h, -d}}},
        {{1, 0, 0}, {{w, -h, d}, {w, -h, -d}, {w, h, -d}, {w, h, d}}},
        {{-1, 0, 0}, {{-w, -h, -d}, {-w, -h, d}, {-w, h, d}, {-w, h, -d}}},
        {{0, 1, 0}, {{-w, h, d}, {w, h, d}, {w, h, -d}, {-w, h, -d}}},
        {{0, -1, 0}, {{-w, -h, -d}, {w, -h, -d}, {w, -h, d}, {-w, -h, d}}},
    };
    const float texture[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (const TFace& face : faces) {
        GL.glNormal3f(face.normal[0], face.normal[1], face.normal[2]);
        for (int i = 0; i < 4; ++i) {
            GL.glTexCoord2f(texture[i][0], texture[i][1]);
            GL.glVertex3f(face.corners[i][0], face.corners[i][1], face.corners[i][2]);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const bool showParts = argc > 1 && std::strcmp(argv[1], "--parts") == 0;
    InitializePlatformUnits();
    InitializeEditorUnits();
    Application->Initialize();
    Application->SetTitle(L"Редактор Zarnik");
    SetMessageBoxFunction(&QuietMessageBox);

    // Start-up: the window made from its description, shown, first frame drawn.
    const double created = Now();
    auto* form = static_cast<TfmMain*>(TfmMain::StaticClass()->Create(static_cast<TComponent*>(nullptr)));
    form->Show();
    TGLSceneBuffer* buffer = form->GLSceneViewer->Buffer();
    PumpUntil([&] { return buffer->FrameCount() > 0; });
    const double startUp = Now() - created;
    form->GLCadencer->SetEnabled(false);  // frames only when this program asks for them

    form->SetClientWidth(1024);
    form->SetClientHeight(768 + form->ClientHeight() - form->GLSceneViewer->Height());
    // The window system resizes the surface OpenGL draws into some messages after the window:
    // until then every frame would cover the old, smaller view.
    PumpUntil([&] { return buffer->Width() == 1024 && buffer->Height() == 768 && SurfaceCovers(buffer, 1024, 768); });
    if (!SurfaceCovers(buffer, 1024, 768)) std::printf("warning: the drawing surface is smaller than 1024 x 768\n");
    TLevel* level = form->Level();
    for (Integer x = 1; x <= 8; ++x)
        for (Integer z = 1; z <= 8; ++z)
            for (int k = 0; k < 8; ++k) level->AddBlock(x, z);
    form->btnBlockMaterial->SetItemIndex(6);
    level->ToggleLight(2, 2);

    // The editor's frames: the whole scene, then the blocks alone (everything else hidden).
    const int frames = 300;
    auto timeFrames = [&] {
        for (int i = 0; i < 10; ++i) buffer->Render();
        std::vector<double> times;
        for (int i = 0; i < frames; ++i) {
            const double t = Now();
            buffer->Render();
            buffer->RenderingContext()->Activate();
            GL.glFinish();
            buffer->RenderingContext()->Deactivate();
            times.push_back(Now() - t);
        }
        return times;
    };
    const std::vector<double> sceneFrames = timeFrames();
    std::vector<TGLBaseSceneObject*> hidden;
    TGLBaseSceneObject* root = form->MainScene->Objects();
    for (Integer i = 0; i < root->Count(); ++i)
        if (root->GetChild(i) != form->dcBlocks && root->GetChild(i)->Visible()) hidden.push_back(root->GetChild(i));
    for (TGLBaseSceneObject* object : hidden) object->SetVisible(false);
    const std::vector<double> blockFrames = timeFrames();
    for (TGLBaseSceneObject* object : hidden) object->SetVisible(true);

    // What each top-level object costs: the frame with it alone, against the frame with nothing.
    std::vector<std::pair<String, double>> parts;
    if (showParts) {
        std::vector<TGLBaseSceneObject*> shown;
        for (Integer i = 0; i < root->Count(); ++i)
            if (root->GetChild(i)->Visible()) shown.push_back(root->GetChild(i));
        for (TGLBaseSceneObject* object : shown) object->SetVisible(false);
        parts.push_back({L"nothing", Summarize(timeFrames()).median});
        for (TGLBaseSceneObject* object : shown) {
            object->SetVisible(true);
            parts.push_back({object->Name(), Summarize(timeFrames()).median});
            object->SetVisible(false);
        }
        for (TGLBaseSceneObject* object : shown) object->SetVisible(true);
    }

    // The baseline: the same 512 cubes from one display list, one light, the same matrices.
    TGLContext* context = buffer->RenderingContext();
    context->Activate();
    const TMatrix4x4 projection = buffer->ProjectionMatrix();
    const TMatrix4x4 view = buffer->ModelViewMatrix();
    const GLuint blockTexture = form->libMaterials->Materials()
                                    ->FindByName(form->Level()->BlockMaterialName())
                                    ->Material()
                                    ->Texture()
                                    ->Handle();
    const GLuint list = GL.glGenLists(1);
    GL.glNewList(list, GL_COMPILE);
    for (int x = 1; x <= 8; ++x)
        for (int z = 1; z <= 8; ++z)
            for (int k = 1; k <= 8; ++k) {
                GL.glPushMatrix();
                // Block k of a column: its centre k * 0.5 up in the container 0.25 below the ground.
                GL.glTranslatef(float(x), float(k) * 0.5f - 0.25f, float(z));
                GL.glBegin(GL_QUADS);
                CubeQuads();
                GL.glEnd();
                GL.glPopMatrix();
            }
    GL.glEndList();
    auto baselineFrame = [&](bool textured) {
        GL.glViewport(0, 0, 1024, 768);
        GL.glClearColor(0.8f, 0.8f, 0.8f, 1);
        GL.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        GL.glEnable(GL_DEPTH_TEST);
        GL.glDisable(GL_ALPHA_TEST);  // the engine's frame leaves it on
        GL.glDisable(GL_BLEND);
        GL.glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        GL.glEnable(GL_LIGHTING);
        GL.glEnable(GL_LIGHT0);
        GL.glMatrixMode(GL_PROJECTION);
        GL.glLoadMatrixf(&projection[0].X);
        GL.glMatrixMode(GL_MODELVIEW);
        GL.glLoadMatrixf(&view[0].X);
        const float sun[4] = {34.5f, 3, -20.5f, 1};
        GL.glLightfv(GL_LIGHT0, GL_POSITION, sun);
        if (textured) {
            GL.glBindTexture(GL_TEXTURE_2D, blockTexture);
            GL.glEnable(GL_TEXTURE_2D);
        }
        GL.glCallList(list);
        GL.glDisable(GL_TEXTURE_2D);
        context->SwapFrameBuffers();
        GL.glFinish();
    };
    auto timeBaseline = [&](bool textured) {
        for (int i = 0; i < 10; ++i) baselineFrame(textured);
        std::vector<double> times;
        for (int i = 0; i < frames; ++i) {
            const double t = Now();
            baselineFrame(textured);
            times.push_back(Now() - t);
        }
        return times;
    };
    const std::vector<double> baseFrames = timeBaseline(false), texturedBaseFrames = timeBaseline(true);
    GL.glDeleteLists(list, 1);
    context->Deactivate();

    // A click on a cell until the highlight is drawn.
    std::vector<double> clicks, clickWaits;
    buffer->BeforeRender = &NoteFrameStart;
    HWND viewWindow = form->GLSceneViewer->Handle();
    for (int i = 0; i < 20; ++i) {
        const Integer cellX = 1 + i % 8, cellZ = 1 + (i * 3) % 8;
        const TAffineVector p = buffer->WorldToScreen(TAffineVector{Single(cellX), 0, Single(cellZ)});
        const LPARAM at = MAKELPARAM(int(p.X), buffer->Height() - int(p.Y));
        const int before = buffer->FrameCount();
        const double t = Now();
        PostMessageW(viewWindow, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(viewWindow, WM_LBUTTONUP, 0, at);
        PumpUntil([&] { return buffer->FrameCount() > before; });
        clicks.push_back(Now() - t);
        clickWaits.push_back(frameStartedAt - t);
    }
    buffer->BeforeRender = nullptr;

    // The click's two halves: the handler, then the frame it asks for.
    std::vector<double> handlerTimes, redrawTimes;
    for (int i = 0; i < 20; ++i) {
        const Integer cellX = 1 + (i * 5) % 8, cellZ = 1 + (i * 7) % 8;
        const TAffineVector p = buffer->WorldToScreen(TAffineVector{Single(cellX), 0, Single(cellZ)});
        double t = Now();
        form->GLSceneViewerMouseDown(nullptr, mbLeft, TShiftState{}, int(p.X), buffer->Height() - int(p.Y));
        handlerTimes.push_back(Now() - t);
        t = Now();
        buffer->Render();
        redrawTimes.push_back(Now() - t);
    }

    // Which change makes the frame after a click slow: the marker's move, or one block's material.
    std::vector<double> afterMarker, afterMaterial, afterNothing;
    for (int i = 0; i < 20; ++i) {
        double t0 = Now();
        buffer->Render();
        afterNothing.push_back(Now() - t0);
        form->SelectedPos->Position()->SetX(Single(1 + i % 8));
        double t = Now();
        buffer->Render();
        afterMarker.push_back(Now() - t);
        auto* cube = As<TGLCube>(form->dcBlocks->GetChild(i * 7));
        cube->Material()->SetLibMaterialName(i % 2 ? L"Area_blue" : L"Stone");
        t = Now();
        buffer->Render();
        afterMaterial.push_back(Now() - t);
    }

    // Adding, drawing and deleting one block a thousand times leaves no OpenGL object behind.
    // One cycle first: the block's texture is made once and kept by the library.
    level->Clear();
    level->SetBlockLook(level->AddBlock(1, 1), L"BlockSilver", false);
    buffer->Render();
    level->Clear();
    buffer->Render();
    context->Activate();
    const int liveBefore = LiveGLObjects();
    context->Deactivate();
    for (int i = 0; i < 1000; ++i) {
        TGLCube* cube = level->AddBlock(1 + i % 8, 1 + (i / 8) % 8);
        level->SetBlockLook(cube, L"BlockSilver", false);
        buffer->Render();
        level->DeleteBlock(cube);
    }
    buffer->Render();
    context->Activate();
    const int liveAfter = LiveGLObjects();
    context->Deactivate();

    const TTimes scene = Summarize(sceneFrames), blocks = Summarize(blockFrames), base = Summarize(baseFrames),
                 click = Summarize(clicks);
    std::printf("start-up to first frame: %.1f ms\n", startUp);
    auto print = [&](const char* what, const TTimes& t) {
        std::printf(
            "%-26s median %6.2f ms, mean %6.2f ms, worst %6.2f ms; against the baseline: mean %.2f, worst %.2f\n", what,
            t.median, t.mean, t.worst, t.mean / base.mean, t.worst / base.worst);
    };
    print("editor, whole scene:", scene);
    print("editor, blocks alone:", blocks);
    print("baseline (display list):", base);
    print("baseline, textured:", Summarize(texturedBaseFrames));
    for (const auto& [name, median] : parts) std::printf("  %-24ls alone: median %6.2f ms\n", name.c_str(), median);
    const double meanRatio = scene.mean / base.mean, worstRatio = scene.worst / base.worst;
    std::printf("targets: mean within 1.2 and worst within 2 times the baseline's (%d frames each)\n", frames);
    std::printf("click to redrawn highlight (20): median %.1f ms, worst %.1f ms (target 50)\n", click.median,
                click.worst);
    const TTimes clickWait = Summarize(clickWaits);
    std::printf("  of which until its frame starts: median %.1f ms, worst %.1f ms\n", clickWait.median,
                clickWait.worst);
    const TTimes handler = Summarize(handlerTimes), redraw = Summarize(redrawTimes);
    std::printf(
        "  of which the handler: median %.1f ms, worst %.1f ms; the next frame: median %.1f ms, worst %.1f ms\n",
        handler.median, handler.worst, redraw.median, redraw.worst);
    std::printf(
        "  a frame after moving the marker: median %.1f ms; after one block's material: median %.1f ms;"
        " after no change: median %.1f ms\n",
        Summarize(afterMarker).median, Summarize(afterMaterial).median, Summarize(afterNothing).median);
    std::printf("OpenGL lists and textures: %d before, %d after 1000 add/draw/delete cycles\n", liveBefore, liveAfter);
    const bool met = meanRatio <= 1.2 && worstRatio <= 2 && click.worst <= 50 && liveAfter <= liveBefore;
    std::printf("%s\n", met ? "all targets met" : "a target was missed");
    FreeObject(form);
    FinalizeUnits();
    return met ? 0 : 1;
}
