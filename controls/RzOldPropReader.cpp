#include "RzOldPropReader.h"

#include "Filer.h"

void TRzOldPropReader::ReadOldBooleanProp(TReader* reader) { reader->ReadBoolean(); }
void TRzOldPropReader::ReadOldIdentProp(TReader* reader) { reader->ReadIdent(); }
void TRzOldPropReader::ReadOldIntegerProp(TReader* reader) { reader->ReadInteger(); }

void TRzOldPropReader::ReadOldStringsProp(TReader* reader) {
    reader->ReadListBegin();
    while (!reader->EndOfList()) reader->ReadString();
    reader->ReadListEnd();
}
