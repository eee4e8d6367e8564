#pragma once
// Helpers for the basic scene objects' tests: a recording fixture that calls BuildList directly,
// and a decoder that turns the recorded immediate-mode calls back into primitives.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "GLObjects.h"
#include "GLRecorder.h"
#include "GLState.h"
#include "SceneFixtures.h"
#include "XOpenGL.h"

// One vertex as OpenGL received it: the current texture coordinate, normal and colour, then the
// position.
struct TRecordedVertex {
    float s = 0, t = 0;
    TAffineVector n = {0, 0, 1};
    TAffineVector p = {0, 0, 0};
    TVector4f c = {1, 1, 1, 1};
};

struct TRecordedPrimitive {
    GLenum mode = 0;
    std::vector<TRecordedVertex> v;
};

inline std::vector<float> CallArguments(const std::string& call) {
    std::vector<float> values;
    const char* c = call.c_str() + call.find('(') + 1;
    while (*c && *c != ')') {
        char* end;
        float value = std::strtof(c, &end);
        if (end == c) {  // brackets of an array argument
            ++c;
            continue;
        }
        values.push_back(value);
        c = end;
    }
    return values;
}

// The glBegin/glEnd batches among the calls, in order.
inline std::vector<TRecordedPrimitive> DecodePrimitives(const TGLCalls& calls) {
    std::vector<TRecordedPrimitive> result;
    TRecordedVertex current;
    for (const std::string& call : calls) {
        std::string name = call.substr(0, call.find('('));
        std::vector<float> a = CallArguments(call);
        if (name == "glBegin") {
            result.push_back({GLenum(a[0]), {}});
        } else if (name == "glTexCoord2f" || name == "glTexCoord2fv") {
            current.s = a[0];
            current.t = a[1];
        } else if (name == "glNormal3f" || name == "glNormal3fv") {
            current.n = {a[0], a[1], a[2]};
        } else if (name == "glColor3f" || name == "glColor3fv") {
            current.c = {a[0], a[1], a[2], 1};
        } else if (name == "glColor4f" || name == "glColor4fv") {
            current.c = {a[0], a[1], a[2], a[3]};
        } else if (name == "glVertex2f" || name == "glVertex3f" || name == "glVertex3fv") {
            current.p = {a[0], a[1], a.size() > 2 ? a[2] : 0};
            if (!result.empty()) result.back().v.push_back(current);
        }
    }
    return result;
}

// The calls whose name is given, in order.
inline TGLCalls CallsNamed(const TGLCalls& calls, const std::string& name) {
    TGLCalls found;
    for (const std::string& call : calls)
        if (call.compare(0, name.size() + 1, name + "(") == 0) found.push_back(call);
    return found;
}

class PrimitiveTest : public testing::Test {
protected:
    void SetUp() override {
        SelectMainTexCoordMapping();
        rci.GLStates = &states;
    }
    void TearDown() override { SelectNullTexCoordMapping(); }

    // The primitives an object emits for one BuildList.
    std::vector<TRecordedPrimitive> Build(TGLBaseSceneObject* object) {
        recorder.Clear();
        object->BuildList(rci);
        calls = recorder.Take();
        return DecodePrimitives(calls);
    }

    TSceneFixture scene;
    TGLRecorder recorder;
    TGLStateCache states;
    TRenderContextInfo rci;
    TGLCalls calls;
};
