#pragma once

#include "ChmTopic.h"

#include <QByteArray>
#include <QList>

// Reads the sitemap pages of a compiled help file (the contents tree .hhc and the index .hhk):
// nested lists of <OBJECT type="text/sitemap"> entries with "Name" and "Local" parameters.
// Tolerant of the loose HTML these files are written in; depth and entry count are capped so that
// a damaged file cannot make the reader run away.
namespace ChmSitemap {

inline constexpr int MaxDepth = 32;
inline constexpr int MaxEntries = 20000;

QList<ChmTopic> parse(const QByteArray& html);

// Text of a sitemap or #SYSTEM value: UTF-8 when valid, otherwise Latin-1 as older
// compilers wrote it; HTML entities decoded.
QString decodeText(const QByteArray& bytes);
QString decodeEntities(const QString& text);

} // namespace ChmSitemap
