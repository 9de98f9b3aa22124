#include "settings/props_storage.h"

#include "settings/profile_text.h"
#include "settings/section_snapshot.h"
#include "settings/section_update.h"
#include "settings/value_text.h"
#include "text/cp1252.h"

#include <QObject>

#include <utility>

StoredProperty StoredProperty::Text(QString path, std::function<QString()> get,
                                    std::function<void(const QString&)> set) {
    StoredProperty p(std::move(path), Kind::Text);
    p.getText_ = std::move(get);
    p.setText_ = std::move(set);
    return p;
}

StoredProperty StoredProperty::Integer(QString path, std::function<int()> get,
                                       std::function<void(int)> set) {
    StoredProperty p(std::move(path), Kind::Integer);
    p.getInteger_ = std::move(get);
    p.setInteger_ = std::move(set);
    return p;
}

StoredProperty StoredProperty::Boolean(QString path, std::function<bool()> get,
                                       std::function<void(bool)> set) {
    StoredProperty p(std::move(path), Kind::Boolean);
    p.getBoolean_ = std::move(get);
    p.setBoolean_ = std::move(set);
    return p;
}

std::string StoredProperty::ValueText() const {
    switch (kind_) {
    case Kind::Text:
        return vorn::Utf8ToCp1252Referenced(getText_().toUtf8().toStdString());
    case Kind::Integer:
        return std::to_string(getInteger_());
    case Kind::Boolean:
        return getBoolean_() ? "True" : "False";
    }
    return {};
}

void StoredProperty::AssignText(std::string_view text) const {
    switch (kind_) {
    case Kind::Text:
        setText_(QString::fromStdString(vorn::Cp1252ReferencedToUtf8(text)));
        return;
    case Kind::Integer:
        setInteger_(vorn::ParseDecimal(text).value_or(0));
        return;
    case Kind::Boolean:
        if (vorn::profile::SameName(text, "True"))
            setBoolean_(true);
        else if (vorn::profile::SameName(text, "False"))
            setBoolean_(false);
        return;
    }
}

std::vector<ResolvedProperty> ResolveStoredProps(const QObject& form,
                                                 const std::vector<StoredProperty>& entries) {
    std::vector<ResolvedProperty> resolved;
    const QList<QObject*> children = form.findChildren<QObject*>();
    for (const StoredProperty& entry : entries) {
        const qsizetype dot = entry.Path().indexOf(u'.');
        if (dot < 0)
            continue;
        const QString component = entry.Path().left(dot).trimmed();
        const QString property = entry.Path().mid(dot + 1).trimmed();
        if (component.isEmpty() || property.isEmpty())
            continue;
        for (const QObject* child : children) {
            if (child->objectName().compare(component, Qt::CaseInsensitive) == 0) {
                // The key carries the component's own spelling of its name.
                const QString key = child->objectName() + u'_' + property;
                resolved.push_back({vorn::Utf8ToCp1252(key.toUtf8().toStdString()), entry});
                break;
            }
        }
    }
    return resolved;
}

void PropsStorage::StoreProperties(const std::vector<ResolvedProperty>& props,
                                   SectionUpdate& update) const {
    for (const ResolvedProperty& p : props) {
        const std::string text = p.property.ValueText();
        if (text.empty() && p.property.GetKind() != StoredProperty::Kind::Text)
            continue;
        update.WriteString(p.key, vorn::TrimControl(text));
    }
}

void PropsStorage::LoadProperties(const std::vector<ResolvedProperty>& props,
                                  const SectionSnapshot& values) const {
    for (const ResolvedProperty& p : props) {
        try {
            const std::string stored = values.ReadString(p.key, p.property.ValueText());
            p.property.AssignText(vorn::TrimControl(stored));
        } catch (...) {
            // One value that cannot be restored must not keep the others from
            // coming back.
        }
    }
}
