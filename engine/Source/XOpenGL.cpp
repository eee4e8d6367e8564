#include "XOpenGL.h"

#include "SysExceptions.h"

namespace {

TMapTexCoordMode currentMode = mtcmUndefined;
TMapTexCoordMode pendingMode = mtcmUndefined;
int updateCount = 0;
bool secondUnitForbidden = false;
std::vector<GLenum> arbitraryUnits;
const std::vector<GLenum> secondUnit = {GL_TEXTURE1};

// ---- The families ----
// Second and Arbitrary send to each unit of their list; Dual sends the plain call first and then
// to unit 1.

enum class TFamily { Second, Dual, Arbitrary };

template <TFamily F>
const std::vector<GLenum>& Units() {
    if constexpr (F == TFamily::Arbitrary)
        return arbitraryUnits;
    else
        return secondUnit;
}

template <TFamily F, class Plain, class Multi>
void SendCoordinates(Plain plain, Multi multi) {
    if constexpr (F == TFamily::Dual) plain();
    for (GLenum unit : Units<F>()) multi(unit);
}

// A call that acts on the active texture unit, repeated on each unit.
template <TFamily F, class Body>
void OnServerUnits(Body body) {
    if constexpr (F == TFamily::Dual) body();
    for (GLenum unit : Units<F>()) {
        GL.glActiveTextureARB(unit);
        body();
    }
    GL.glActiveTextureARB(GL_TEXTURE0);
}

// A call that acts on the client's active texture unit, repeated on each unit.
template <TFamily F, class Body>
void OnClientUnits(Body body) {
    if constexpr (F == TFamily::Dual) body();
    for (GLenum unit : Units<F>()) {
        GL.glClientActiveTextureARB(unit);
        body();
    }
    GL.glClientActiveTextureARB(GL_TEXTURE0);
}

template <TFamily F>
struct TMultiFamily {
    static void TexCoord2f(GLfloat s, GLfloat t) {
        SendCoordinates<F>([&] { GL.glTexCoord2f(s, t); }, [&](GLenum u) { GL.glMultiTexCoord2fARB(u, s, t); });
    }
    static void TexCoord2fv(const GLfloat* v) {
        SendCoordinates<F>([&] { GL.glTexCoord2fv(v); }, [&](GLenum u) { GL.glMultiTexCoord2fvARB(u, v); });
    }
    static void TexCoord3f(GLfloat s, GLfloat t, GLfloat r) {
        SendCoordinates<F>([&] { GL.glTexCoord3f(s, t, r); }, [&](GLenum u) { GL.glMultiTexCoord3fARB(u, s, t, r); });
    }
    static void TexCoord3fv(const GLfloat* v) {
        SendCoordinates<F>([&] { GL.glTexCoord3fv(v); }, [&](GLenum u) { GL.glMultiTexCoord3fvARB(u, v); });
    }
    static void TexCoord4f(GLfloat s, GLfloat t, GLfloat r, GLfloat q) {
        SendCoordinates<F>([&] { GL.glTexCoord4f(s, t, r, q); },
                           [&](GLenum u) { GL.glMultiTexCoord4fARB(u, s, t, r, q); });
    }
    static void TexCoord4fv(const GLfloat* v) {
        SendCoordinates<F>([&] { GL.glTexCoord4fv(v); }, [&](GLenum u) { GL.glMultiTexCoord4fvARB(u, v); });
    }
    static void TexGenf(GLenum c, GLenum p, GLfloat v) {
        OnServerUnits<F>([&] { GL.glTexGenf(c, p, v); });
    }
    static void TexGenfv(GLenum c, GLenum p, const GLfloat* v) {
        OnServerUnits<F>([&] { GL.glTexGenfv(c, p, v); });
    }
    static void TexGeni(GLenum c, GLenum p, GLint v) {
        OnServerUnits<F>([&] { GL.glTexGeni(c, p, v); });
    }
    static void TexGeniv(GLenum c, GLenum p, const GLint* v) {
        OnServerUnits<F>([&] { GL.glTexGeniv(c, p, v); });
    }
    static void Enable(GLenum cap) {
        OnServerUnits<F>([&] { GL.glEnable(cap); });
    }
    static void Disable(GLenum cap) {
        OnServerUnits<F>([&] { GL.glDisable(cap); });
    }
    static void TexCoordPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
        OnClientUnits<F>([&] { GL.glTexCoordPointer(size, type, stride, pointer); });
    }
    static void EnableClientState(GLenum a) {
        OnClientUnits<F>([&] { GL.glEnableClientState(a); });
    }
    static void DisableClientState(GLenum a) {
        OnClientUnits<F>([&] { GL.glDisableClientState(a); });
    }
};

struct TMainFamily {
    static void TexCoord2f(GLfloat s, GLfloat t) { GL.glTexCoord2f(s, t); }
    static void TexCoord2fv(const GLfloat* v) { GL.glTexCoord2fv(v); }
    static void TexCoord3f(GLfloat s, GLfloat t, GLfloat r) { GL.glTexCoord3f(s, t, r); }
    static void TexCoord3fv(const GLfloat* v) { GL.glTexCoord3fv(v); }
    static void TexCoord4f(GLfloat s, GLfloat t, GLfloat r, GLfloat q) { GL.glTexCoord4f(s, t, r, q); }
    static void TexCoord4fv(const GLfloat* v) { GL.glTexCoord4fv(v); }
    static void TexGenf(GLenum c, GLenum p, GLfloat v) { GL.glTexGenf(c, p, v); }
    static void TexGenfv(GLenum c, GLenum p, const GLfloat* v) { GL.glTexGenfv(c, p, v); }
    static void TexGeni(GLenum c, GLenum p, GLint v) { GL.glTexGeni(c, p, v); }
    static void TexGeniv(GLenum c, GLenum p, const GLint* v) { GL.glTexGeniv(c, p, v); }
    static void Enable(GLenum cap) { GL.glEnable(cap); }
    static void Disable(GLenum cap) { GL.glDisable(cap); }
    static void TexCoordPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
        GL.glTexCoordPointer(size, type, stride, pointer);
    }
    static void EnableClientState(GLenum a) { GL.glEnableClientState(a); }
    static void DisableClientState(GLenum a) { GL.glDisableClientState(a); }
};

struct TNullFamily {
    static void TexCoord2f(GLfloat, GLfloat) {}
    static void TexCoord2fv(const GLfloat*) {}
    static void TexCoord3f(GLfloat, GLfloat, GLfloat) {}
    static void TexCoord3fv(const GLfloat*) {}
    static void TexCoord4f(GLfloat, GLfloat, GLfloat, GLfloat) {}
    static void TexCoord4fv(const GLfloat*) {}
    static void TexGenf(GLenum, GLenum, GLfloat) {}
    static void TexGenfv(GLenum, GLenum, const GLfloat*) {}
    static void TexGeni(GLenum, GLenum, GLint) {}
    static void TexGeniv(GLenum, GLenum, const GLint*) {}
    static void Enable(GLenum) {}
    static void Disable(GLenum) {}
    static void TexCoordPointer(GLint, GLenum, GLsizei, const GLvoid*) {}
    static void EnableClientState(GLenum) {}
    static void DisableClientState(GLenum) {}
};

template <class Family>
void Point() {
    MappedTexCoord2f = &Family::TexCoord2f;
    MappedTexCoord2fv = &Family::TexCoord2fv;
    MappedTexCoord3f = &Family::TexCoord3f;
    MappedTexCoord3fv = &Family::TexCoord3fv;
    MappedTexCoord4f = &Family::TexCoord4f;
    MappedTexCoord4fv = &Family::TexCoord4fv;
    MappedTexGenf = &Family::TexGenf;
    MappedTexGenfv = &Family::TexGenfv;
    MappedTexGeni = &Family::TexGeni;
    MappedTexGeniv = &Family::TexGeniv;
    MappedTexCoordPointer = &Family::TexCoordPointer;
    MappedEnableClientState = &Family::EnableClientState;
    MappedDisableClientState = &Family::DisableClientState;
    MappedEnable = &Family::Enable;
    MappedDisable = &Family::Disable;
}

void SelectMode(TMapTexCoordMode mode) {
    if (updateCount > 0) {
        pendingMode = mode;
        return;
    }
    if (mode == currentMode) return;
    if (mode == mtcmDual || mode == mtcmSecond || mode == mtcmArbitrary)
        Assert(GL.GL_ARB_multitexture, L"Texture-coordinate mapping needs GL_ARB_multitexture");
    currentMode = mode;
    switch (mode) {
        case mtcmMain:
            Point<TMainFamily>();
            break;
        case mtcmDual:
            Point<TMultiFamily<TFamily::Dual>>();
            break;
        case mtcmSecond:
            Point<TMultiFamily<TFamily::Second>>();
            break;
        case mtcmArbitrary:
            Point<TMultiFamily<TFamily::Arbitrary>>();
            break;
        default:
            Point<TNullFamily>();
            break;
    }
}

}  // namespace

void (*MappedTexCoord2f)(GLfloat, GLfloat) = &TNullFamily::TexCoord2f;
void (*MappedTexCoord2fv)(const GLfloat*) = &TNullFamily::TexCoord2fv;
void (*MappedTexCoord3f)(GLfloat, GLfloat, GLfloat) = &TNullFamily::TexCoord3f;
void (*MappedTexCoord3fv)(const GLfloat*) = &TNullFamily::TexCoord3fv;
void (*MappedTexCoord4f)(GLfloat, GLfloat, GLfloat, GLfloat) = &TNullFamily::TexCoord4f;
void (*MappedTexCoord4fv)(const GLfloat*) = &TNullFamily::TexCoord4fv;
void (*MappedTexGenf)(GLenum, GLenum, GLfloat) = &TNullFamily::TexGenf;
void (*MappedTexGenfv)(GLenum, GLenum, const GLfloat*) = &TNullFamily::TexGenfv;
void (*MappedTexGeni)(GLenum, GLenum, GLint) = &TNullFamily::TexGeni;
void (*MappedTexGeniv)(GLenum, GLenum, const GLint*) = &TNullFamily::TexGeniv;
void (*MappedTexCoordPointer)(GLint, GLenum, GLsizei, const GLvoid*) = &TNullFamily::TexCoordPointer;
void (*MappedEnableClientState)(GLenum) = &TNullFamily::EnableClientState;
void (*MappedDisableClientState)(GLenum) = &TNullFamily::DisableClientState;
void (*MappedEnable)(GLenum) = &TNullFamily::Enable;
void (*MappedDisable)(GLenum) = &TNullFamily::Disable;

TMapTexCoordMode CurrentTexCoordMapping() { return currentMode; }

void SelectNullTexCoordMapping() { SelectMode(mtcmNull); }
void SelectMainTexCoordMapping() { SelectMode(mtcmMain); }
void SelectDualTexCoordMapping() { SelectMode(secondUnitForbidden ? mtcmMain : mtcmDual); }
void SelectSecondTexCoordMapping() { SelectMode(secondUnitForbidden ? mtcmNull : mtcmSecond); }

void SelectArbitraryTexCoordMapping(const std::vector<GLenum>& units) {
    arbitraryUnits.clear();
    for (GLenum unit : units)
        if (!(secondUnitForbidden && unit == GL_TEXTURE1)) arbitraryUnits.push_back(unit);
    SelectMode(mtcmArbitrary);
}

void SelectArbitraryTexCoordMappingMask(Byte mask) {
    std::vector<GLenum> units;
    for (int k = 0; k < 8; ++k)
        if (mask & (1 << k)) units.push_back(GL_TEXTURE0 + k);
    SelectArbitraryTexCoordMapping(units);
}

void AddArbitraryTexCoordUnits(Byte mask) { SelectArbitraryTexCoordMappingMask(Byte(mask | TexCoordUnitsMask())); }

Byte TexCoordUnitsMask() {
    switch (updateCount > 0 ? pendingMode : currentMode) {
        case mtcmMain:
            return 1;
        case mtcmDual:
            return 3;
        case mtcmSecond:
            return 2;
        case mtcmArbitrary: {
            Byte mask = 0;
            for (GLenum unit : arbitraryUnits) mask |= Byte(1 << (unit - GL_TEXTURE0));
            return mask;
        }
        default:
            AssertionFailed(L"No texture units are mapped", __FILE__, __LINE__);
    }
}

void BeginTexCoordMappingUpdate() {
    if (updateCount == 0) pendingMode = currentMode;
    ++updateCount;
}

void EndTexCoordMappingUpdate() {
    Assert(updateCount > 0, L"Unbalanced texture-coordinate mapping update");
    if (--updateCount > 0 || pendingMode == currentMode) return;
    Assert(pendingMode != mtcmUndefined, L"Undefined texture-coordinate mapping");
    SelectMode(pendingMode);
}

void ForbidSecondTextureUnit() { secondUnitForbidden = true; }
void AllowSecondTextureUnit() { secondUnitForbidden = false; }
bool SecondTextureUnitForbidden() { return secondUnitForbidden; }

void InitializeXOpenGL() {
    currentMode = mtcmUndefined;
    SelectMode(mtcmNull);
}

void FinalizeXOpenGL() {
    arbitraryUnits.clear();
    arbitraryUnits.shrink_to_fit();
}
