#include "GLRecorder.h"

#include <cstring>

namespace {

enum TEntryIndex : int {
#define Z_GL_CORE_ENTRY(name) k_##name,
#define Z_GLU_ENTRY(name) k_##name,
#define Z_GL_EXT_ENTRY(name) k_##name,
#define Z_WGL_EXT_ENTRY(name) k_##name,
#include "OpenGLEntryPoints.inc"
#undef Z_GL_CORE_ENTRY
#undef Z_GLU_ENTRY
#undef Z_GL_EXT_ENTRY
#undef Z_WGL_EXT_ENTRY
};

const char* const kNames[] = {
#define Z_GL_CORE_ENTRY(name) #name,
#define Z_GLU_ENTRY(name) #name,
#define Z_GL_EXT_ENTRY(name) #name,
#define Z_WGL_EXT_ENTRY(name) #name,
#include "OpenGLEntryPoints.inc"
#undef Z_GL_CORE_ENTRY
#undef Z_GLU_ENTRY
#undef Z_GL_EXT_ENTRY
#undef Z_WGL_EXT_ENTRY
};

template <class T>
void AppendArg(std::ostringstream& out, const char* name, T value) {
    if constexpr (std::is_same_v<T, const GLfloat*>) {
        int n = glrec::FloatArrayLength(name);
        if (value && n > 0) {
            out << '[';
            for (int i = 0; i < n; ++i) out << (i ? "," : "") << double(value[i]);
            out << ']';
            return;
        }
    }
    glrec::Append(out, value);
}

template <int Index, class F>
struct TRecordingEntry;

template <int Index, class R, class... A>
struct TRecordingEntry<Index, R(APIENTRY*)(A...)> {
    static R APIENTRY Call(A... args) {
        const char* name = kNames[Index];
        TGLRecorder* recorder = TGLRecorder::Active();
        std::ostringstream out;
        out << name << '(';
        int i = 0;
        ((out << (i++ ? "," : ""), AppendArg(out, name, args)), ...);
        out << ')';
        std::int64_t result = 0;
        if (recorder) {
            recorder->Record(out.str());
            result = recorder->NextResult(name);
        }
        if constexpr (std::is_void_v<R>)
            return;
        else if constexpr (std::is_pointer_v<R>)
            return reinterpret_cast<R>(static_cast<std::intptr_t>(result));
        else
            return static_cast<R>(result);
    }
};

}  // namespace

int glrec::FloatArrayLength(const char* name) {
    static const std::map<std::string, int> lengths = {
        {"glMaterialfv", 4},
        {"glLoadMatrixf", 16},
        {"glMultMatrixf", 16},
        {"glTexGenfv", 4},
        {"glColor4fv", 4},
        {"glTexCoord2fv", 2},
        {"glTexCoord3fv", 3},
        {"glTexCoord4fv", 4},
        {"glMultiTexCoord2fvARB", 2},
        {"glMultiTexCoord3fvARB", 3},
        {"glMultiTexCoord4fvARB", 4},
        {"glLightfv", 4},
        {"glFogfv", 4},
        {"glNormal3fv", 3},
        {"glVertex3fv", 3},
        {"glColor3fv", 3},
        {"glPointParameterfvARB", 3},
    };
    auto found = lengths.find(name);
    return found == lengths.end() ? 0 : found->second;
}

TGLRecorder::TGLRecorder() : saved_(GL), previous_(active_) {
    active_ = this;
    TGLEntryPoints table;
#define Z_GL_CORE_ENTRY(name) table.name = &TRecordingEntry<k_##name, decltype(table.name)>::Call;
#define Z_GLU_ENTRY(name) table.name = &TRecordingEntry<k_##name, decltype(table.name)>::Call;
#define Z_GL_EXT_ENTRY(name) table.name = &TRecordingEntry<k_##name, decltype(table.name)>::Call;
#define Z_WGL_EXT_ENTRY(name) table.name = &TRecordingEntry<k_##name, decltype(table.name)>::Call;
#include "OpenGLEntryPoints.inc"
#undef Z_GL_CORE_ENTRY
#undef Z_GLU_ENTRY
#undef Z_GL_EXT_ENTRY
#undef Z_WGL_EXT_ENTRY
    GL = table;
}

TGLRecorder::~TGLRecorder() {
    GL = saved_;
    active_ = previous_;
}

void TGLRecorder::Returns(const std::string& name, std::initializer_list<std::int64_t> values) {
    auto& queue = results_[name];
    queue.insert(queue.end(), values.begin(), values.end());
}

std::int64_t TGLRecorder::NextResult(const char* name) {
    auto found = results_.find(name);
    if (found == results_.end() || found->second.empty()) return 0;
    std::int64_t value = found->second.front();
    found->second.pop_front();
    return value;
}
