#pragma once
// A recording OpenGL table for tests: while a TGLRecorder lives, every entry point of `GL` writes
// its call as text ("glEnable(3042)") into Calls() and returns a zero value, or the next value a
// test queued with Returns. Tests may still replace single entries of GL with their own functions.

#include <cstdint>
#include <deque>
#include <map>
#include <sstream>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "OpenGL1x.h"

using TGLCalls = std::vector<std::string>;

// A float array argument, written "[1,0,0,1]".
struct Floats {
    std::vector<float> values;
    Floats(std::initializer_list<float> v) : values(v) {}
};

namespace glrec {

inline void Append(std::ostringstream& out, const Floats& f) {
    out << '[';
    for (size_t i = 0; i < f.values.size(); ++i) out << (i ? "," : "") << f.values[i];
    out << ']';
}
template <class T>
void Append(std::ostringstream& out, T value) {
    if constexpr (std::is_floating_point_v<T>)
        out << double(value);
    else if constexpr (std::is_pointer_v<T>)
        out << (value ? "ptr" : "null");
    else if constexpr (std::is_signed_v<T>)
        out << std::int64_t(value);
    else
        out << std::uint64_t(value);
}

// How many floats a float-array argument of the named entry point holds (0: not read).
int FloatArrayLength(const char* name);

}  // namespace glrec

// The text a recorded call has: Call("glPolygonMode", GL_FRONT, GL_LINE).
template <class... A>
std::string Call(const char* name, A... args) {
    std::ostringstream out;
    out << name << '(';
    int i = 0;
    ((out << (i++ ? "," : ""), glrec::Append(out, args)), ...);
    out << ')';
    return out.str();
}

class TGLRecorder {
public:
    TGLRecorder();
    ~TGLRecorder();
    TGLRecorder(const TGLRecorder&) = delete;
    TGLRecorder& operator=(const TGLRecorder&) = delete;

    const TGLCalls& Calls() const { return calls_; }
    // The calls so far, leaving the record empty.
    TGLCalls Take() { return std::exchange(calls_, {}); }
    void Clear() { calls_.clear(); }
    // Queues integer results for an entry point; once they run out it returns 0 again.
    void Returns(const std::string& name, std::initializer_list<std::int64_t> values);

    static TGLRecorder* Active() { return active_; }
    void Record(std::string call) { calls_.push_back(std::move(call)); }
    std::int64_t NextResult(const char* name);

private:
    TGLEntryPoints saved_;
    TGLRecorder* previous_;
    TGLCalls calls_;
    std::map<std::string, std::deque<std::int64_t>> results_;
    static inline TGLRecorder* active_ = nullptr;
};
