#pragma once

#include "settings/form_placement.h"
#include "settings/props_storage.h"

#include <vector>

// The window's placement plus a list of control values, kept in the same
// section of the settings file. Each value is stored under
// "<component>_<property>" and restored through the control's own setter.
class TFormStorage : public TFormPlacement {
public:
    explicit TFormStorage(QWidget* form);

    // Entries "Component.Property" whose component is not a child of the window
    // are dropped here, once; call it when the window's controls exist.
    void SetStoredProps(const std::vector<TStoredProperty>& entries);
    const std::vector<TResolvedProperty>& StoredProps() const { return storedProps_; }

protected:
    void RestoreProperties(const SectionSnapshot& values) override;
    void StoreProperties(SectionUpdate& update) override;

private:
    std::vector<TResolvedProperty> storedProps_;
};
