#pragma once
// The process-wide context manager (TGLContextManager): the list of live contexts and the
// registered platform context classes it makes new contexts of.

#include <vector>

#include "SysObject.h"
#include "Threads.h"

class TGLContext;

class TGLContextManager : public TObject {
    Z_CLASS(TGLContextManager, TObject)
public:
    // A new context of the first registered class; nullptr when none is registered.
    TGLContext* CreateContextInstance();
    void LockContextList();
    void UnlockContextList();
    int ContextCount();
    void AddContext(TGLContext* context);
    void RemoveContext(TGLContext* context);

private:
    TCriticalSection lock_;
    std::vector<TGLContext*> contexts_;
};

// The process-wide manager, made when the unit starts (or on first use).
TGLContextManager* GLContextManager();
// The manager if it exists, without making one: contexts destroyed after the unit ended find none.
TGLContextManager* ExistingGLContextManager();
void AddContextClass(TClass contextClass);
void RemoveContextClass(TClass contextClass);

void InitializeGLContextManager();
void FinalizeGLContextManager();
