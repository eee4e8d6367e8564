#include "FormDescription.h"

#include <windows.h>

#include "Filer.h"

TComponent* ReadComponentFromStream(TStream* stream, TComponent* root) {
    TReader reader(stream);
    return reader.ReadRootComponent(root);
}

TComponent* ReadComponentFromText(const AnsiString& utf8Text, TComponent* root) {
    TStringStream stream(utf8Text);
    return ReadComponentFromStream(&stream, root);
}

void WriteComponentToStream(TStream* stream, TComponent* root) {
    TWriter writer(stream);
    writer.WriteRootComponent(root);
}

AnsiString WriteComponentToText(TComponent* root) {
    TStringStream stream;
    WriteComponentToStream(&stream, root);
    return stream.DataString();
}

TComponent* ReadComponentRes(const String& resourceName, TComponent* root) {
    TResourceStream stream(GetModuleHandleW(nullptr), resourceName, MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    return ReadComponentFromStream(&stream, root);
}

bool InitInheritedComponent(TComponent* instance, TClass rootAncestor) {
    HMODULE module = GetModuleHandleW(nullptr);
    for (TClass c = instance->ClassType(); c && c != rootAncestor; c = c->ClassParent()) {
        if (!FindResourceW(module, c->ClassNameW(), MAKEINTRESOURCEW(10))) continue;
        ReadComponentRes(c->ClassName(), instance);
        return true;
    }
    return false;
}
