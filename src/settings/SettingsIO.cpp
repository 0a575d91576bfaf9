#include "SettingsIO.h"

#include "SettingsText.h"
#include "platform/SettingsStore.h"

namespace SettingsIO {

namespace {

const QString Options = QStringLiteral("Optionen");
const QString Window = QStringLiteral("Settings");

// A default goes through its text form like a stored value.
bool readBool(const SettingsStore& store, const QString& key, bool fallback) {
    return SettingsText::toBool(store.read(Options, key, SettingsText::fromBool(fallback)),
                                fallback);
}

} // namespace

Settings loadOptions(const SettingsStore& store) {
    const Settings defaults = Settings::defaults();
    Settings s;
    s.Benutzer = store.read(Options, QStringLiteral("Benutzer"), defaults.Benutzer);
    s.CheckLoadTips = readBool(store, QStringLiteral("CheckLoadTips"), defaults.CheckLoadTips);
    s.checkDino = readBool(store, QStringLiteral("checkDino"), defaults.checkDino);
    s.CheckFehlermeldung =
        readBool(store, QStringLiteral("CheckFehlermeldung"), defaults.CheckFehlermeldung);
    s.CheckGeraeusch = readBool(store, QString::fromUtf8("CheckGeräusch"), defaults.CheckGeraeusch);
    s.Farbwert1 = SettingsText::toInt32(
        store.read(Options, QStringLiteral("Farbwert1"), SettingsText::fromInt(defaults.Farbwert1)),
        defaults.Farbwert1);
    s.Tdauer = SettingsText::toInt16(
        store.read(Options, QStringLiteral("Tdauer"), SettingsText::fromInt(defaults.Tdauer)),
        defaults.Tdauer);
    return s;
}

WindowPosition loadPosition(const SettingsStore& store) {
    WindowPosition p;
    p.left = SettingsText::toSingle(
        store.read(Window, QStringLiteral("MainLeft"), QStringLiteral("0")), 0);
    p.top = SettingsText::toSingle(
        store.read(Window, QStringLiteral("MainTop"), QStringLiteral("0")), 0);
    return p;
}

void savePosition(SettingsStore& store, WindowPosition position) {
    store.save(Window, QStringLiteral("MainLeft"), SettingsText::fromSingle(position.left));
    store.save(Window, QStringLiteral("MainTop"), SettingsText::fromSingle(position.top));
}

void saveOptions(SettingsStore& store, const Settings& s) {
    store.save(Options, QStringLiteral("CheckLoadTips"), SettingsText::fromBool(s.CheckLoadTips));
    store.save(Options, QStringLiteral("Benutzer"), s.Benutzer);
    store.save(Options, QStringLiteral("checkDino"), SettingsText::fromBool(s.checkDino));
    store.save(Options, QStringLiteral("CheckFehlermeldung"),
               SettingsText::fromBool(s.CheckFehlermeldung));
    store.save(Options, QString::fromUtf8("CheckGeräusch"),
               SettingsText::fromBool(s.CheckGeraeusch));
    store.save(Options, QStringLiteral("Farbwert1"), SettingsText::fromInt(s.Farbwert1));
    store.save(Options, QStringLiteral("Tdauer"), SettingsText::fromInt(s.Tdauer));
}

} // namespace SettingsIO
