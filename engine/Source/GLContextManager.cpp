#include "GLContextManager.h"

#include <algorithm>

#include "GLContext.h"

namespace {

TGLContextManager* manager = nullptr;
std::vector<TClass>* contextClasses = nullptr;

}  // namespace

TGLContext* TGLContextManager::CreateContextInstance() {
    if (!contextClasses || contextClasses->empty()) return nullptr;
    return As<TGLContext>(contextClasses->front()->Create());
}

void TGLContextManager::LockContextList() { lock_.Enter(); }
void TGLContextManager::UnlockContextList() { lock_.Leave(); }

int TGLContextManager::ContextCount() {
    LockContextList();
    int count = int(contexts_.size());
    UnlockContextList();
    return count;
}

void TGLContextManager::AddContext(TGLContext* context) {
    LockContextList();
    bool present = std::ranges::find(contexts_, context) != contexts_.end();
    if (!present) contexts_.push_back(context);
    UnlockContextList();
    if (present) throw EGLContext(L"Invalid context registration");
}

void TGLContextManager::RemoveContext(TGLContext* context) {
    LockContextList();
    bool present = std::ranges::find(contexts_, context) != contexts_.end();
    if (present) std::erase(contexts_, context);
    UnlockContextList();
    if (!present) throw EGLContext(L"Invalid context registration");
}

TGLContextManager* GLContextManager() {
    if (!manager) manager = new TGLContextManager();
    return manager;
}

TGLContextManager* ExistingGLContextManager() { return manager; }

void AddContextClass(TClass contextClass) {
    if (!contextClasses) contextClasses = new std::vector<TClass>();
    contextClasses->push_back(contextClass);
}

void RemoveContextClass(TClass contextClass) {
    if (!contextClasses) return;
    auto found = std::find(contextClasses->begin(), contextClasses->end(), contextClass);
    if (found != contextClasses->end()) contextClasses->erase(found);
}

void InitializeGLContextManager() { GLContextManager(); }

void FinalizeGLContextManager() {
    // Contexts still registered keep the manager alive; their destruction must find it.
    if (manager && manager->ContextCount() == 0) {
        delete manager;
        manager = nullptr;
    }
    delete contextClasses;
    contextClasses = nullptr;
}
