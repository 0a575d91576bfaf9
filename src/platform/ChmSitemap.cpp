#include "ChmSitemap.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

namespace ChmSitemap {

namespace {

// Named entities that German help texts use; numeric ones are decoded in general.
const QHash<QString, QChar>& namedEntities() {
    static const QHash<QString, QChar> entities = {
        {QStringLiteral("amp"), QChar('&')},      {QStringLiteral("lt"), QChar('<')},
        {QStringLiteral("gt"), QChar('>')},       {QStringLiteral("quot"), QChar('"')},
        {QStringLiteral("apos"), QChar('\'')},    {QStringLiteral("nbsp"), QChar(0xA0)},
        {QStringLiteral("auml"), QChar(0xE4)},    {QStringLiteral("ouml"), QChar(0xF6)},
        {QStringLiteral("uuml"), QChar(0xFC)},    {QStringLiteral("Auml"), QChar(0xC4)},
        {QStringLiteral("Ouml"), QChar(0xD6)},    {QStringLiteral("Uuml"), QChar(0xDC)},
        {QStringLiteral("szlig"), QChar(0xDF)},   {QStringLiteral("euro"), QChar(0x20AC)},
        {QStringLiteral("sect"), QChar(0xA7)},    {QStringLiteral("ndash"), QChar(0x2013)},
        {QStringLiteral("bdquo"), QChar(0x201E)}, {QStringLiteral("ldquo"), QChar(0x201C)},
    };
    return entities;
}

QString attribute(const QString& attributes, const QString& name) {
    static const QRegularExpression pattern(
        QStringLiteral(R"re(([A-Za-z_:][-\w:.]*)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s"'>]+)))re"));
    for (auto it = pattern.globalMatch(attributes); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (match.captured(1).compare(name, Qt::CaseInsensitive) != 0)
            continue;
        for (int group = 2; group <= 4; ++group)
            if (match.capturedStart(group) >= 0)
                return decodeEntities(match.captured(group));
    }
    return {};
}

} // namespace

QString decodeEntities(const QString& text) {
    if (!text.contains(QLatin1Char('&')))
        return text;
    static const QRegularExpression entity(QStringLiteral("&(#[xX][0-9A-Fa-f]{1,6}|#[0-9]{1,7}|"
                                                          "[A-Za-z][A-Za-z0-9]{1,9});"));
    QString out;
    qsizetype last = 0;
    for (auto it = entity.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QString name = match.captured(1);
        QString replacement;
        if (name.startsWith(QLatin1Char('#'))) {
            bool ok = false;
            const bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
            const uint code = hex ? name.mid(2).toUInt(&ok, 16) : name.mid(1).toUInt(&ok, 10);
            if (ok && code > 0 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF)) {
                const char32_t codePoint = code;
                replacement = QString::fromUcs4(&codePoint, 1);
            }
        } else if (const auto found = namedEntities().constFind(name);
                   found != namedEntities().constEnd()) {
            replacement = *found;
        }
        if (replacement.isEmpty())
            continue; // unknown: keep as written
        out += QStringView(text).mid(last, match.capturedStart() - last);
        out += replacement;
        last = match.capturedEnd();
    }
    out += QStringView(text).mid(last);
    return out;
}

QString decodeText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    return decodeEntities(text);
}

QList<ChmTopic> parse(const QByteArray& html) {
    const QString text = [&] {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString decoded = utf8.decode(html);
        return utf8.hasError() ? QString::fromLatin1(html) : decoded;
    }();

    QList<ChmTopic> root;
    // The lists new entries go to: the root, then one more for every <UL> that follows an entry.
    // Only the innermost list is appended to, so the pointers to the outer ones stay valid.
    QList<QList<ChmTopic>*> lists{&root};
    QList<bool> nested; // per open <UL>: whether it opened a list of its own
    int entries = 0;
    bool inObject = false;
    ChmTopic current;

    static const QRegularExpression tag(QStringLiteral(R"(<\s*(/?)\s*([A-Za-z]+)([^>]*)>)"));
    for (auto it = tag.globalMatch(text); it.hasNext() && entries < MaxEntries;) {
        const QRegularExpressionMatch match = it.next();
        const bool closing = !match.capturedView(1).isEmpty();
        const QString name = match.captured(2).toLower();
        const QString attributes = match.captured(3);
        if (name == QLatin1String("ul")) {
            if (!closing) {
                // A list with no entry to hang under, or one too deep, stays flat.
                QList<ChmTopic>* inner = lists.last();
                const bool opens = lists.size() <= MaxDepth && !inner->isEmpty();
                if (opens)
                    lists.append(&inner->last().children);
                nested.append(opens);
            } else if (!nested.isEmpty() && nested.takeLast()) {
                lists.removeLast();
            }
        } else if (name == QLatin1String("object")) {
            if (!closing) {
                inObject = attribute(attributes, QStringLiteral("type"))
                               .compare(QLatin1String("text/sitemap"), Qt::CaseInsensitive) == 0;
                current = ChmTopic();
            } else if (inObject) {
                inObject = false;
                if (!current.title.isEmpty() || !current.local.isEmpty()) {
                    lists.last()->append(current);
                    ++entries;
                }
            }
        } else if (name == QLatin1String("param") && inObject) {
            const QString param = attribute(attributes, QStringLiteral("name"));
            const QString value = attribute(attributes, QStringLiteral("value"));
            // An index keyword may list several pages: the first name and page count.
            if (param.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0) {
                if (current.title.isEmpty())
                    current.title = value.trimmed();
            } else if (param.compare(QLatin1String("Local"), Qt::CaseInsensitive) == 0) {
                if (current.local.isEmpty())
                    current.local = value.trimmed();
            }
        }
    }
    return root;
}

} // namespace ChmSitemap
