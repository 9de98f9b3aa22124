#pragma once

#include "settings/form_placement.h"
#include "settings/props_storage.h"

#include <utility>
#include <vector>

// The window's placement plus a list of control values, kept in the same
// section of the settings file. Each value is stored under
// "<component>_<property>" and restored through the control's own setter.
class FormStorage : public FormPlacement {
public:
    explicit FormStorage(QWidget* form);

    // Entries "Component.Property" whose component is not a child of the window
    // are dropped here, once; call it when the window's controls exist.
    void SetStoredProps(const std::vector<StoredProperty>& entries);
    // The same with each value's key given whole: the keys stay what stored
    // files hold whatever the controls are called.
    void SetStoredValues(std::vector<ResolvedProperty> values) { storedProps_ = std::move(values); }
    const std::vector<ResolvedProperty>& StoredProps() const { return storedProps_; }

protected:
    void RestoreProperties(const SectionSnapshot& values) override;
    void StoreProperties(SectionUpdate& update) override;

private:
    std::vector<ResolvedProperty> storedProps_;
};
