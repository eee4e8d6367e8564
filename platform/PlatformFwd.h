#pragma once
// Forward declarations of the platform's most used classes, for headers that only name them
// (pointers, references, parameters) and need not see their declarations.

class TMetaClass;
using TClass = const TMetaClass*;

class TObject;
class TPersistent;
class TComponent;
class TCollection;
class TCollectionItem;

class TStrings;
class TStringList;
class TStream;
class TFiler;
class TReader;
class TWriter;

class TCanvas;
class TGraphic;
class TBitmap;
class TPicture;
class TFont;
class TBrush;
class TPen;

class TControl;
class TWinControl;
class TCustomControl;
class TCustomForm;
class TForm;
class TApplication;
class TMenuItem;
class TPopupMenu;
class TBasicAction;
class TTimer;
