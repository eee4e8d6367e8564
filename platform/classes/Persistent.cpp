#include "Persistent.h"

#include "SysExceptions.h"
#include "TypInfo.h"

void TPersistent::Assign(TPersistent* source) {
    if (source) {
        source->AssignTo(this);
        return;
    }
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest) { dest->AssignError(this); }

void TPersistent::AssignError(const TPersistent* source) const {
    String sourceName = source ? source->ClassName() : String(L"nil");
    throw EConvertError(L"Cannot assign a " + sourceName + L" to a " + ClassName());
}

String TPersistent::GetNamePath() const {
    String path = ClassName();
    if (TPersistent* owner = GetOwner()) {
        String ownerPath = owner->GetNamePath();
        if (!ownerPath.empty()) path = ownerPath + L"." + path;
    }
    return path;
}

void TPersistent::DefineProperties(TFiler*) {}

const TPublishedTable& TPersistent::StaticPublished() {
    static const TPublishedTable table(StaticClass(), nullptr, nullptr);
    return table;
}
