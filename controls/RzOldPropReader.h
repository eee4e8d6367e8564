#pragma once
// Readers for the obsolete settings of older form descriptions: each reads one stored value and
// drops it. The controls name them in DefineProperties with no writer, so the settings are read
// but never written back.

class TReader;

class TRzOldPropReader {
public:
    static void ReadOldBooleanProp(TReader* reader);
    static void ReadOldIdentProp(TReader* reader);
    static void ReadOldIntegerProp(TReader* reader);
    // A list of strings: "( 'a' 'b' )".
    static void ReadOldStringsProp(TReader* reader);
};
