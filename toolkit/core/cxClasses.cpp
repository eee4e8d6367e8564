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

String ComposeComponentName(TComponent* owner, const String& className, const String& classPrefix,
                            int number, const String& baseName) {
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

// ---- Weak object links --------------------------------------------------------------------

namespace {

void ClearLinksToFreedComponent(TObject*, TComponent* component) { ResetObjectLinks(component); }

// The live links. A link to a component is cleared by the component's free notification, so any
// component can be linked to; a destructor that calls ResetObjectLinks clears its links earlier,
// and is the only way for an object that is not a component.
struct TcxObjectLinkController {
    TcxObjectLinkController() { watcher.OnFreeNotification = ClearLinksToFreedComponent; }
    std::vector<TcxObjectLink*> links;
    TcxFreeNotificator watcher{nullptr};
};

TcxObjectLinkController* linkController = nullptr;
int linkCount = 0;

}  // namespace

TcxObjectLink* CreateObjectLink(TObject* object) {
    if (!object) return nullptr;
    if (!linkController) linkController = new TcxObjectLinkController;
    auto* link = new TcxObjectLink;
    link->Ref = object;
    linkController->links.push_back(link);
    if (auto* component = dynamic_cast<TComponent*>(object)) linkController->watcher.WatchComponent(component);
    ++linkCount;
    return link;
}

void DestroyObjectLink(TcxObjectLink* link) {
    if (!link) return;
    if (link->Ref && linkController) {
        auto& links = linkController->links;
        auto it = std::find(links.begin(), links.end(), link);
        if (it != links.end()) links.erase(it);
        // The component stays watched: its notification then finds no link, which is harmless.
    }
    delete link;
    if (--linkCount == 0) {
        delete linkController;
        linkController = nullptr;
    }
}

void ResetObjectLinks(TObject* object) {
    if (!linkController || !object) return;
    auto& links = linkController->links;
    for (size_t i = links.size(); i-- > 0;)
        if (links[i]->Ref == object) {
            links[i]->Ref = nullptr;
            links.erase(links.begin() + std::ptrdiff_t(i));
        }
}

int ObjectLinkCount() { return linkCount; }
