#pragma once

#include <QTextBrowser>

class ChmFile;

// Shows the pages of a compiled help file. Pages, pictures and style sheets come out of the file
// through the "chm:" scheme, so relative links and anchors work as in the compiled pages; web and
// mail links go to the desktop.
class ChmBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit ChmBrowser(const ChmFile& file, QWidget* parent = nullptr);

    // "chm:/dir/page.html#anchor" for a page named as in the contents tree.
    static QUrl urlFor(const QString& local);

    QVariant loadResource(int type, const QUrl& name) override;

private:
    const ChmFile& file_;
};
