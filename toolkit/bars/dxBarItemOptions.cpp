#include "dxBarItemOptions.h"

#include "cxClasses.h"

TdxBarOptionValue TdxBarItemOptions::GetDefault(TdxBarItemOption option) {
    switch (option) {
        case ioShowDescriptions:
            return TdxBarOptionValue::Boolean(false);
        case ioShowShortCuts:
            return TdxBarOptionValue::Boolean(true);
        case ioSize:
            return TdxBarOptionValue::Enumeration(int(misNormal));
    }
    return {};
}

TdxBarOptionValue TdxBarItemOptions::Get(TdxBarItemOption option) const {
    return assigned_[option] ? values_[option] : GetDefault(option);
}

void TdxBarItemOptions::Set(TdxBarItemOption option, const TdxBarOptionValue& value) {
    bool changed = !assigned_[option] || !(values_[option] == value);
    values_[option] = value;
    assigned_[option] = true;
    if (changed) FireNotifyEvent(this, OnChange);
}

void TdxBarItemOptions::Assign(TPersistent* source) {
    auto* options = As<TdxBarItemOptions>(source);
    if (!options) {
        TPersistent::Assign(source);
        return;
    }
    for (int i = 0; i < 3; ++i) {
        values_[i] = options->values_[i];
        assigned_[i] = options->assigned_[i];
    }
    FireNotifyEvent(this, OnChange);
}
