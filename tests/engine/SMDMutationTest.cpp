// Corrupted SMD files: valid models and animations with lines, fields and bytes changed must each
// be loaded or refused; whatever the actor holds afterwards (all of a file, or what was read
// before its refusal) must animate, draw, answer rays and write itself out, and what a loaded
// file writes must load again. No crash, no hang, no leak.
#include <gtest/gtest.h>

#include <memory>

#include "HiddenGLWindow.h"
#include "MutationSupport.h"
#include "SceneFixtures.h"
#include "SkeletonFixtures.h"

namespace {

// A model of three bones with turned frames, weighted corners and three materials.
AnsiString WeightedModel() {
    return SmdText({"version 1",
                    "nodes",
                    "  0 \"pelvis\" -1",
                    "  1 \"spine\" 0",
                    "  2 \"head\" 1",
                    "end",
                    "skeleton",
                    "time 0",
                    "  0 0.0 0.0 1.0 0.0 0.0 0.0",
                    "  1 0.0 0.0 1.0 0.1 0.0 0.0",
                    "  2 0.0 0.0 0.5 0.0 0.0 1.570796",
                    "time 1",
                    "  0 0.0 0.5 1.0 0.0 0.0 0.0",
                    "  2 0.0 0.0 0.5 0.0 0.3 0.0",
                    "end",
                    "triangles",
                    "null.bmp",
                    "0 -0.5 -0.5 0.0 0.0 0.0 1.0 0.0 0.0",
                    "1 0.5 -0.5 1.0 0.0 0.0 1.0 1.0 0.0 2 1 0.5 0 0.5",
                    "2 0.5 0.5 2.0 0.0 0.0 1.0 1.0 1.0 3 2 0.6 1 0.3 0 0.1",
                    "skin",
                    "0 -0.5 -0.5 0.0 0.0 0.0 1.0 0.0 0.0",
                    "2 0.5 0.5 2.0 0.0 0.0 1.0 1.0 1.0",
                    "1 -0.5 0.5 1.0 0.0 -1.0 0.0 0.0 1.0",
                    "null.bmp",
                    "2 0.0 0.0 2.5 0.0 1.0 0.0 0.5 0.5",
                    "1 -0.5 0.5 1.0 0.0 -1.0 0.0 0.0 1.0",
                    "0 -0.5 -0.5 0.0 0.0 0.0 1.0 0.0 0.0",
                    "end"});
}

AnsiString WeightedAnimation() {
    return SmdText({"version 1", "nodes", "  0 \"pelvis\" -1", "  1 \"spine\" 0", "  2 \"head\" 1", "end", "skeleton",
                    "time 0", "  0 0.0 0.0 1.0 0.0 0.0 0.0", "  1 0.0 0.0 1.0 0.0 0.0 0.0",
                    "  2 0.0 0.0 0.5 0.0 0.0 0.0", "time 1", "  0 1.0 0.0 1.0 0.0 0.0 0.5", "time 2",
                    "  1 0.0 0.0 1.0 0.0 0.2 0.0", "end"});
}

struct TSmdSample {
    AnsiString text;
    bool animation;  // added to `model` rather than loaded
    AnsiString (*model)() = nullptr;
};

std::vector<std::string> SplitLines(const AnsiString& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == AnsiString::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

AnsiString JoinLines(const std::vector<std::string>& lines) {
    AnsiString text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// A broken variant of a valid file.
AnsiString MutateSmd(const AnsiString& valid, TRuntimeRandom& random) {
    static const char* const tokens[] = {"-1",          "0",    "1",     "2",         "3",   "7",  "99", "2147483647",
                                         "-2147483648", "1e30", "-1e30", "nan",       "inf", "x",  "",   "\"",
                                         ",",           "end",  "time",  "triangles", "0.5", "40", "5"};
    static const char* const lines[] = {"end",
                                        "time 0",
                                        "triangles",
                                        "TRIANGLES",
                                        "nodes",
                                        "skeleton",
                                        "",
                                        " 0 0 0 0 0 0 0",
                                        " 9 0 0 0 0 0 0",
                                        "0 \"x\" -1",
                                        "3 \"y\" 2",
                                        "null.bmp",
                                        "1 0 0 0 0 0 1 0 0",
                                        "1 0 0 0 0 0 1 0 0 1 2 1"};
    std::vector<std::string> text = SplitLines(valid);
    auto anyLine = [&] { return random.Next(std::uint32_t(text.size())); };
    switch (random.Next(9)) {
        case 0:
            text.erase(text.begin() + anyLine());
            break;
        case 1: {
            const std::uint32_t i = anyLine();
            text.insert(text.begin() + i, text[i]);
            break;
        }
        case 2:
            std::swap(text[anyLine()], text[anyLine()]);
            break;
        case 3:
            text.insert(text.begin() + anyLine(), lines[random.Next(sizeof lines / sizeof *lines)]);
            break;
        case 4: {  // one field replaced
            std::string& line = text[anyLine()];
            std::vector<std::string> fields;
            size_t start = 0;
            while (start <= line.size()) {
                size_t end = line.find(' ', start);
                if (end == std::string::npos) end = line.size();
                fields.push_back(line.substr(start, end - start));
                start = end + 1;
            }
            fields[random.Next(std::uint32_t(fields.size()))] = tokens[random.Next(sizeof tokens / sizeof *tokens)];
            line.clear();
            for (size_t f = 0; f < fields.size(); ++f) line += (f ? " " : "") + fields[f];
            break;
        }
        case 5: {  // a line starting otherwise
            std::string& line = text[anyLine()];
            static const char starts[] = {'\t', ' ', '-', '0', 'x'};
            line.insert(line.begin(), starts[random.Next(sizeof starts)]);
            break;
        }
        case 6: {  // cut short
            AnsiString joined = JoinLines(text);
            joined.resize(random.Next(std::uint32_t(joined.size())));
            return joined;
        }
        default: {  // bytes changed
            AnsiString joined = JoinLines(text);
            const std::uint32_t changes = 1 + random.Next(3);
            for (std::uint32_t i = 0; i < changes; ++i)
                joined[random.Next(std::uint32_t(joined.size()))] = char(random.Next(256));
            return joined;
        }
    }
    return JoinLines(text);
}

class SmdMutation : public THiddenGLWindow {
protected:
    void SetUp() override {
        THiddenGLWindow::SetUp();
        actor = fixture.Add<TGLActor>(nullptr);
        actor->SetOverlaySkeleton(true);
    }

    void Run(const TSmdSample& sample, const AnsiString& text) {
        bool wasLoaded = false;
        try {
            if (sample.animation) {
                LoadSmd(actor, L"C:\\bot\\model.smd", sample.model());
                AddSmd(actor, L"C:\\bot\\walk.smd", text);
            } else {
                LoadSmd(actor, L"C:\\bot\\model.smd", text);
            }
            ++loaded;
            wasLoaded = true;
        } catch (const Exception&) {
            ++refused;
        }
        // Whatever is held now, all of a file or part of one, is used in every way.
        if (TActorAnimation* last = actor->Animations()->Last()) actor->SelectAnimation(last);
        actor->SetAnimationMode(aamLoop);
        for (int tick = 1; tick <= 3; ++tick) actor->DoProgress({0.07, 0.07 * tick});
        fixture.Root()->Render(rci_);
        actor->IntersectRay({0, 0, 5, 1}, {0, 0, -1, 0});
        actor->UnscaledDimensions();
        TStringStream written;
        actor->SaveToStream(L"copy.smd", &written);
        TStringStream again(written.DataString());
        try {
            copy->LoadFromStream(L"copy.smd", &again);
        } catch (const Exception& e) {
            // Part of a refused file may not make a file of its own (no triangles, a frame
            // without bones); all of a loaded one does.
            if (wasLoaded) ADD_FAILURE() << "the copy of a loaded file is refused: " << Utf8(e.Message());
        }
    }

    TSceneFixture fixture;
    TGLActor* actor = nullptr;
    std::unique_ptr<TGLActor> copy{new TGLActor(nullptr)};
    int loaded = 0, refused = 0;
};

}  // namespace

TEST_F(SmdMutation, CorruptedFilesAreLoadedOrRefused) {
    const std::vector<TSmdSample> corpus = {
        {TwoBoneModel(), false},
        {WeightedModel(), false},
        {TwoFrameAnimation(), true, &TwoBoneModel},
        {WeightedAnimation(), true, &WeightedModel},
    };
    for (const TSmdSample& sample : corpus) {
        Run(sample, sample.text);
        ASSERT_EQ(refused, 0) << "a valid file was refused";
    }
    TRuntimeRandom random(21);
    auto pass = [&](int n) {
        for (int i = 0; i < n; ++i) {
            const TSmdSample& sample = corpus[size_t(i) % corpus.size()];
            Run(sample, MutateSmd(sample.text, random));
        }
    };
    pass(2000);  // warms up the heap, the driver and every lazily made structure
    auto empty = [&] {
        actor->MeshObjects()->Clear();
        actor->Skeleton()->Clear();
        actor->Animations()->Clear();
        copy->MeshObjects()->Clear();
        copy->Skeleton()->Clear();
        copy->Animations()->Clear();
    };
    empty();
    const THeapUse before = HeapInUse();
    const int loadedBefore = loaded, refusedBefore = refused;
    pass(10000);
    empty();
    const THeapUse after = HeapInUse();

    EXPECT_EQ(loaded - loadedBefore + refused - refusedBefore, 10000);
    EXPECT_GT(loaded - loadedBefore, 1000);
    EXPECT_GT(refused - refusedBefore, 1000);
    EXPECT_EQ(GL.glGetError(), GLenum(GL_NO_ERROR));
    GLint depth = 0;
    GL.glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    EXPECT_LE(after.blocks, before.blocks + 16) << "objects left behind";
    EXPECT_LE(after.bytes, before.bytes + 16 * 1024) << "memory left behind";
    RecordProperty("loaded", loaded - loadedBefore);
}
