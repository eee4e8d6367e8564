#pragma once
// Reading and writing whole form descriptions (docs/FORM-DESCRIPTIONS.md): from and to text,
// streams, and the program's resources.
//
// A form's description is compiled into the program as an RCDATA resource named after the form's
// class (see zarnik_form_resources in cmake/ZarnikTargets.cmake); the form's constructor calls
// InitInheritedComponent(this, TForm::StaticClass()) to stream it.

#include "Component.h"
#include "Streams.h"

// Reads a description from stream's position into root, or into a new root of the class it
// names when root is null. Raises EReadError "... at line n" on any fault, leaving nothing
// created behind. Returns the root.
TComponent* ReadComponentFromStream(TStream* stream, TComponent* root);
// The same from UTF-8 text.
TComponent* ReadComponentFromText(const AnsiString& utf8Text, TComponent* root);
void WriteComponentToStream(TStream* stream, TComponent* root);
AnsiString WriteComponentToText(TComponent* root);

// Reads the program's RCDATA resource resourceName into root; raises EResNotFound when the
// program has no such resource.
TComponent* ReadComponentRes(const String& resourceName, TComponent* root);
// Reads into instance the resource named after its class or, failing that, after the nearest
// ancestor class below rootAncestor that has one. False when none has.
bool InitInheritedComponent(TComponent* instance, TClass rootAncestor);
