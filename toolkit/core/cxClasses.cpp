#include "cxClasses.h"

#include <algorithm>

#include "SysUtils.h"
#include "cxComponent.h"

// ---- Names of components ------------------------------------------------------------------

namespace {
bool IsIdentifierChar(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_';
}
}  // namespace

String KeepIdentifierChars(const String& text) {
    String result;
    result.reserve(text.size());
    for (wchar_t c : text)
        if (IsIdentifierChar(c)) result += c;
    return result;
}

String ComposeComponentName(TComponent* owner, const String& className, const String& classPrefix, int number,
                            const String& baseName) {
    String s = KeepIdentifierChars(baseName);
    if ((s.empty() || (s[0] >= L'0' && s[0] <= L'9')) && !className.empty()) {
        if (!classPrefix.empty() && className.size() >= classPrefix.size() &&
            SameText(className.substr(0, classPrefix.size()), classPrefix)) {
            s = className.substr(classPrefix.size()) + s;
        } else {
            s = className + s;
            if (!s.empty() && s[0] == L'T') s.erase(0, 1);
        }
    }
    String result = owner ? owner->Name() + s : s;
    if (number > 0) result += IntToStr(number);
    return result;
}

String MakeUniqueComponentName(TComponent* searchOwner, TComponent* nameOwner, TComponent* component,
                               const String& baseName, const String& classPrefix) {
    String className = component ? component->ClassName() : String();
    for (int number = baseName.empty() ? 1 : 0;; ++number) {
        String candidate = ComposeComponentName(nameOwner, className, classPrefix, number, baseName);
        bool taken = false;
        if (searchOwner)
            for (int i = 0; i < searchOwner->ComponentCount() && !taken; ++i) {
                TComponent* other = searchOwner->Components(i);
                taken = other != component && SameText(other->Name(), candidate);
            }
        if (!taken) return candidate;
    }
}

// ---- Thread hooks -------------------------------------------------------------------------

void InstallThreadHook(HHOOK& handle, int hookType, HOOKPROC hookProcedure) {
    Assert(handle == nullptr, L"A thread hook is already installed in this variable");
    handle = SetWindowsHookExW(hookType, hookProcedure, nullptr, GetCurrentThreadId());
}

void RemoveThreadHook(HHOOK& handle) {
    if (!handle) return;
    UnhookWindowsHookEx(handle);
    handle = nullptr;
}
