#pragma once

#include <QWidget>
#include <memory>

class ChmBrowser;
class ChmFile;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;
struct ChmTopic;

// The help window: the contents tree and the index of a compiled help file beside the page
// they select. One help window at a time; it belongs to the window that asked for it.
class HelpViewer : public QWidget {
    Q_OBJECT
public:
    // Opens the help file in the help window and brings that window to the front (the open one
    // when it already shows this file). A file that cannot be read gives a message naming it,
    // and false.
    static bool showHelp(const QString& chmPath, QWidget* parent = nullptr);
    // The open help window, or null.
    static HelpViewer* current();

    explicit HelpViewer(std::unique_ptr<ChmFile> file, QWidget* parent = nullptr);
    ~HelpViewer() override;

    const ChmFile& file() const { return *file_; }
    QTreeWidget* contentsTree() const { return contents_; }
    QListWidget* indexList() const { return index_; }
    QTextBrowser* browser() const;

    // Shows a page named as in the contents tree ("page.html", "page.html#anchor").
    void showTopic(const QString& local);

private:
    void addTopics(const QList<ChmTopic>& topics, QTreeWidgetItem* parent);
    void addKeywords(const QList<ChmTopic>& topics, int depth);
    void selectTopicOf(const QUrl& source);

    std::unique_ptr<ChmFile> file_;
    QTabWidget* tabs_;
    QTreeWidget* contents_;
    QListWidget* index_;
    ChmBrowser* browser_;
};
