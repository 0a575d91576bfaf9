#include "SettingsStore.h"

#include <QSettings>

SettingsStore::SettingsStore(const QString& application)
    : settings_(
          std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, application)) {
}

SettingsStore::~SettingsStore() {
    settings_->sync();
}

QString SettingsStore::read(const QString& section, const QString& key,
                            const QString& defaultText) const {
    const QVariant value = settings_->value(section + QLatin1Char('/') + key);
    if (!value.isValid())
        return defaultText;
    // A value edited by hand with an unquoted comma ("Müller, Hans") comes back as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

void SettingsStore::save(const QString& section, const QString& key, const QString& text) {
    settings_->setValue(section + QLatin1Char('/') + key, text);
}

bool SettingsStore::flush() {
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

QString SettingsStore::fileName() const {
    return settings_->fileName();
}
