#pragma once

#include <QString>
#include <QtGlobal>

// The text form of the settings values. Reading never fails: a text that does not convert to
// the variable's type (edited by hand, out of range) gives the key's default.
namespace SettingsText {

QString fromBool(bool value); // "True" / "False"
QString fromInt(qint64 value);
QString fromSingle(float value);

bool toBool(const QString& text, bool fallback);
qint32 toInt32(const QString& text, qint32 fallback);
qint16 toInt16(const QString& text, qint16 fallback);
float toSingle(const QString& text, float fallback);

} // namespace SettingsText
