#pragma once
// Forward declarations of the editor's classes, for headers that only name them (pointers,
// references, parameters) and need not see their declarations.

class TLevel;
struct TGridCell;
class TBot;
