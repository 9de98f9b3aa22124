#include "settings/form_storage.h"

#include "settings/section_snapshot.h"
#include "settings/section_update.h"

TFormStorage::TFormStorage(QWidget* form) : TFormPlacement(form) {}

void TFormStorage::SetStoredProps(const std::vector<TStoredProperty>& entries) {
    storedProps_.clear();
    if (Form())
        storedProps_ = ResolveStoredProps(*Form(), entries);
}

void TFormStorage::RestoreProperties(const SectionSnapshot& values) {
    TPropsStorage().LoadProperties(storedProps_, values);
}

void TFormStorage::StoreProperties(SectionUpdate& update) {
    TPropsStorage().StoreProperties(storedProps_, update);
}
