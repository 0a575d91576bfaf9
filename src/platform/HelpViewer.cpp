#include "HelpViewer.h"

#include "ChmBrowser.h"
#include "ChmFile.h"

#include <QDir>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabWidget>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace {

const QString Caption = QStringLiteral("QuenDal Hilfe");
constexpr int LocalRole = Qt::UserRole;

QPointer<HelpViewer>& openViewer() {
    static QPointer<HelpViewer> viewer;
    return viewer;
}

} // namespace

bool HelpViewer::showHelp(const QString& chmPath, QWidget* parent) {
    QPointer<HelpViewer>& viewer = openViewer();
    if (viewer && viewer->file().path() == chmPath) {
        viewer->showNormal();
        viewer->raise();
        viewer->activateWindow();
        return true;
    }
    auto file = std::make_unique<ChmFile>();
    if (!file->open(chmPath)) {
        QMessageBox box(QMessageBox::Warning, Caption,
                        QStringLiteral("Die Hilfedatei\n%1\nkann nicht geöffnet werden.\n\n%2")
                            .arg(QDir::toNativeSeparators(chmPath), file->errorString()),
                        QMessageBox::Ok, parent);
        box.setTextFormat(Qt::PlainText);
        box.exec();
        return false;
    }
    delete viewer.data();
    viewer = new HelpViewer(std::move(file), parent);
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return true;
}

HelpViewer* HelpViewer::current() {
    return openViewer().data();
}

HelpViewer::HelpViewer(std::unique_ptr<ChmFile> file, QWidget* parent)
    : QWidget(parent, Qt::Window), file_(std::move(file)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(Caption);
    resize(920, 640);

    contents_ = new QTreeWidget;
    contents_->setHeaderHidden(true);
    contents_->setRootIsDecorated(true);
    index_ = new QListWidget;
    tabs_ = new QTabWidget;
    tabs_->addTab(contents_, QStringLiteral("Inhalt"));
    tabs_->addTab(index_, QStringLiteral("Index"));
    browser_ = new ChmBrowser(*file_);

    auto* splitter = new QSplitter;
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 660});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter);

    addTopics(file_->contents(), nullptr);
    addKeywords(file_->index(), 0);
    contents_->expandToDepth(0);

    connect(contents_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item && !item->data(0, LocalRole).toString().isEmpty())
            showTopic(item->data(0, LocalRole).toString());
    });
    connect(index_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item && !item->data(LocalRole).toString().isEmpty())
            showTopic(item->data(LocalRole).toString());
    });
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpViewer::selectTopicOf);

    showTopic(file_->defaultTopic());
}

HelpViewer::~HelpViewer() = default;

QTextBrowser* HelpViewer::browser() const {
    return browser_;
}

void HelpViewer::showTopic(const QString& local) {
    const QUrl url = ChmBrowser::urlFor(local);
    if (!url.path().isEmpty())
        browser_->setSource(url, QTextDocument::HtmlResource);
}

void HelpViewer::addTopics(const QList<ChmTopic>& topics, QTreeWidgetItem* parent) {
    for (const ChmTopic& topic : topics) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(contents_);
        item->setText(0, topic.title);
        item->setData(0, LocalRole, topic.local);
        addTopics(topic.children, item);
    }
}

void HelpViewer::addKeywords(const QList<ChmTopic>& topics, int depth) {
    for (const ChmTopic& topic : topics) {
        auto* item = new QListWidgetItem(QString(depth * 4, QLatin1Char(' ')) + topic.title);
        item->setData(LocalRole, topic.local);
        index_->addItem(item);
        addKeywords(topic.children, depth + 1);
    }
}

// Keeps the contents tree on the page shown, also when a link inside a page led there.
void HelpViewer::selectTopicOf(const QUrl& source) {
    const QString path = source.path();
    QTreeWidgetItem* current = contents_->currentItem();
    if (current && ChmFile::topicPath(current->data(0, LocalRole).toString()) == path)
        return;
    for (QTreeWidgetItemIterator it(contents_); *it; ++it) {
        if (ChmFile::topicPath((*it)->data(0, LocalRole).toString()) == path) {
            const QSignalBlocker blocker(contents_);
            contents_->setCurrentItem(*it);
            contents_->scrollToItem(*it);
            return;
        }
    }
}
