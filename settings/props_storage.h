#pragma once

#include <QString>

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QObject;
class SectionSnapshot;
class SectionUpdate;

// One stored control value: "Component.Property" as the list names it, the
// kind of value, and the accessors. The setter must go through the control's
// normal setter, so that clamping and change notifications happen as for a
// user's edit.
class StoredProperty {
public:
    enum class Kind { Text, Integer, Boolean };

    static StoredProperty Text(QString path, std::function<QString()> get,
                               std::function<void(const QString&)> set);
    static StoredProperty Integer(QString path, std::function<int()> get,
                                  std::function<void(int)> set);
    static StoredProperty Boolean(QString path, std::function<bool()> get,
                                  std::function<void(bool)> set);

    const QString& Path() const { return path_; }
    Kind GetKind() const { return kind_; }

    // The current value as settings text (Windows-1252, characters it lacks
    // as references, see Utf8ToCp1252Referenced): the text itself, a decimal
    // integer, or "True"/"False".
    std::string ValueText() const;
    // Assigns the value a settings text stands for: a text as it is; an
    // integer read as decimal, 0 when it is not one; "true" or "false" in any
    // letter case, any other text leaving the value unchanged.
    void AssignText(std::string_view text) const;

private:
    StoredProperty(QString path, Kind kind) : path_(std::move(path)), kind_(kind) {}

    QString path_;
    Kind kind_;
    std::function<QString()> getText_;
    std::function<void(const QString&)> setText_;
    std::function<int()> getInteger_;
    std::function<void(int)> setInteger_;
    std::function<bool()> getBoolean_;
    std::function<void(bool)> setBoolean_;
};

// A stored property whose component was found on the form, with its key:
// the component's name, "_" and the property's name.
struct ResolvedProperty {
    std::string key;
    StoredProperty property;
};

// Keeps the entries whose path splits at its first "." into two non-empty
// (trimmed) halves and whose component half names a child of `form` (letter
// case aside); the others are dropped.
std::vector<ResolvedProperty> ResolveStoredProps(const QObject& form,
                                                 const std::vector<StoredProperty>& entries);

// Writes and reads the stored properties in one section of a settings file.
class PropsStorage {
public:
    // In list order, trimmed; an empty value is written for a text and
    // skipped for the other kinds.
    void StoreProperties(const std::vector<ResolvedProperty>& props, SectionUpdate& update) const;
    // In list order, each property defaulting to its current value; a value
    // that fails to restore is passed over and the next one restored.
    void LoadProperties(const std::vector<ResolvedProperty>& props,
                        const SectionSnapshot& values) const;
};
