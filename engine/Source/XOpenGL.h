#pragma once
// Texture-coordinate mapping: geometry sends texture coordinates and texture-coordinate state
// through the 15 mapped entry points below, and the material in force decides which texture
// units receive them (none, the plain calls, unit 1, units 0 and 1, or a list of units).
// Materials bracket their selection with Begin/EndTexCoordMappingUpdate so that only the last
// selection takes effect.

#include <vector>

#include "OpenGL1x.h"

enum TMapTexCoordMode { mtcmUndefined, mtcmNull, mtcmMain, mtcmDual, mtcmSecond, mtcmArbitrary };

extern void (*MappedTexCoord2f)(GLfloat s, GLfloat t);
extern void (*MappedTexCoord2fv)(const GLfloat* v);
extern void (*MappedTexCoord3f)(GLfloat s, GLfloat t, GLfloat r);
extern void (*MappedTexCoord3fv)(const GLfloat* v);
extern void (*MappedTexCoord4f)(GLfloat s, GLfloat t, GLfloat r, GLfloat q);
extern void (*MappedTexCoord4fv)(const GLfloat* v);
extern void (*MappedTexGenf)(GLenum coord, GLenum pname, GLfloat param);
extern void (*MappedTexGenfv)(GLenum coord, GLenum pname, const GLfloat* params);
extern void (*MappedTexGeni)(GLenum coord, GLenum pname, GLint param);
extern void (*MappedTexGeniv)(GLenum coord, GLenum pname, const GLint* params);
extern void (*MappedTexCoordPointer)(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer);
extern void (*MappedEnableClientState)(GLenum array);
extern void (*MappedDisableClientState)(GLenum array);
extern void (*MappedEnable)(GLenum cap);
extern void (*MappedDisable)(GLenum cap);

TMapTexCoordMode CurrentTexCoordMapping();

void SelectNullTexCoordMapping();
void SelectMainTexCoordMapping();
// Units 0 and 1; unit 0 only while unit 1 is forbidden.
void SelectDualTexCoordMapping();
// Unit 1; nothing while unit 1 is forbidden.
void SelectSecondTexCoordMapping();
// The given units (GL_TEXTURE0 + k), in order, without unit 1 while it is forbidden.
void SelectArbitraryTexCoordMapping(const std::vector<GLenum>& units);
void SelectArbitraryTexCoordMappingMask(Byte mask);
void AddArbitraryTexCoordUnits(Byte mask);
// The units of the mode in force (pending inside an update), bit k for GL_TEXTURE0 + k.
Byte TexCoordUnitsMask();

void BeginTexCoordMappingUpdate();
void EndTexCoordMappingUpdate();

void ForbidSecondTextureUnit();
void AllowSecondTextureUnit();
// Whether a second texture may use unit 1 (library materials ask before applying one).
bool SecondTextureUnitForbidden();

void InitializeXOpenGL();
void FinalizeXOpenGL();
