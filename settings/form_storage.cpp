#include "settings/form_storage.h"

#include "settings/profile_file.h"

TFormStorage::TFormStorage(QWidget* form) : TFormPlacement(form) {}

void TFormStorage::SetStoredProps(const std::vector<TStoredProperty>& entries) {
    storedProps_.clear();
    if (Form())
        storedProps_ = ResolveStoredProps(*Form(), entries);
}

void TFormStorage::RestoreProperties(const TProfileFile& ini, const std::string& section) {
    TPropsStorage(ini, section).LoadProperties(storedProps_);
}

void TFormStorage::StoreProperties(const TProfileFile& ini, const std::string& section) {
    TPropsStorage(ini, section).StoreProperties(storedProps_);
}
