#include "ChmBrowser.h"

#include "ChmFile.h"
#include "Shell.h"

#include <QStringDecoder>
#include <QTextDocument>

namespace {
const QString Scheme = QStringLiteral("chm");
}

ChmBrowser::ChmBrowser(const ChmFile& file, QWidget* parent) : QTextBrowser(parent), file_(file) {
    // Qt would hand every absolute link to the desktop, "chm:" ones too: links are followed here.
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) {
        const QUrl url = link.isRelative() ? source().resolved(link) : link;
        if (url.scheme() == Scheme)
            setSource(url, QTextDocument::HtmlResource);
        else if (!url.scheme().isEmpty())
            Shell::open(url);
    });
}

QUrl ChmBrowser::urlFor(const QString& local) {
    QUrl url;
    url.setScheme(Scheme);
    url.setPath(ChmFile::topicPath(local));
    if (const qsizetype hash = local.indexOf(QLatin1Char('#')); hash >= 0)
        url.setFragment(local.mid(hash + 1));
    return url;
}

QVariant ChmBrowser::loadResource(int type, const QUrl& name) {
    QUrl url = name;
    if (url.isRelative()) {
        const QUrl base = source().scheme() == Scheme ? source() : QUrl(Scheme + ":/");
        url = base.resolved(name);
    }
    if (url.scheme() != Scheme)
        return {}; // a help page shows nothing from outside its file

    const auto bytes = file_.read(url.path());
    if (type == QTextDocument::HtmlResource) {
        if (!bytes)
            return QStringLiteral("<p>Die Seite %1 ist in der Hilfedatei nicht enthalten.</p>")
                .arg(url.path().toHtmlEscaped());
        QStringDecoder decoder = QStringDecoder::decoderForHtml(*bytes);
        if (!decoder.isValid())
            decoder = QStringDecoder(QStringDecoder::Utf8);
        return QString(decoder.decode(*bytes));
    }
    if (!bytes)
        return {};
    if (type == QTextDocument::StyleSheetResource)
        return QString::fromUtf8(*bytes);
    return *bytes;
}
