#pragma once

#include <QString>
#include <memory>

class QSettings;

// The per-user settings store: text values under an application name, a section and a key, in
// an INI file in the user's configuration folder (normally ~/.config/<application>.ini).
// A file that cannot be read or written leaves the defaults and is never an error the program
// has to handle.
class SettingsStore {
public:
    explicit SettingsStore(const QString& application);
    ~SettingsStore();

    // The stored text, or defaultText when the key is missing or the file unreadable.
    QString read(const QString& section, const QString& key, const QString& defaultText) const;
    void save(const QString& section, const QString& key, const QString& text);
    // Writes pending values to the file; false when the file could not be written.
    bool flush();

    QString fileName() const;

private:
    std::unique_ptr<QSettings> settings_;
};
