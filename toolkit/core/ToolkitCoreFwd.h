#pragma once
// Forward declarations of the toolkit core's most used classes, for headers that only name them
// (pointers, references, parameters) and need not see their declarations.

class TcxCanvas;
class TcxRegion;
class TcxBitmap;
class TcxImageList;
class TdxGPImage;
class TdxPNGImage;

class TcxControl;
class TcxLookAndFeel;
class TcxCustomLookAndFeelPainter;
class TcxStyle;
class TcxCustomStyles;

class TcxTimer;
class TcxObjectLink;
