#include "cxObjectLinks.h"

#include <algorithm>
#include <vector>

#include "Component.h"
#include "cxComponent.h"

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
