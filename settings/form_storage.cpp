#include "settings/form_storage.h"

#include "settings/section_snapshot.h"
#include "settings/section_update.h"

FormStorage::FormStorage(QWidget* form) : FormPlacement(form) {}

void FormStorage::SetStoredProps(const std::vector<StoredProperty>& entries) {
    storedProps_.clear();
    if (Form())
        storedProps_ = ResolveStoredProps(*Form(), entries);
}

void FormStorage::RestoreProperties(const SectionSnapshot& values) {
    PropsStorage().LoadProperties(storedProps_, values);
}

void FormStorage::StoreProperties(SectionUpdate& update) {
    PropsStorage().StoreProperties(storedProps_, update);
}
