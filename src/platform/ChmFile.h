#pragma once

#include "ChmTopic.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

struct chmFile;

// A compiled help file (.chm) opened for reading: its title, default page, contents tree and
// index, and the bytes of any page or picture inside it. Paths inside the file are given with or
// without the leading "/" and may contain "." and "..".
//
// A help file is read only after its headers have been checked against its real size, and no
// object larger than MaxObjectSize is read, so a damaged file costs bounded time and memory.
class ChmFile {
public:
    static constexpr qint64 MaxObjectSize = 16 * 1024 * 1024;
    static constexpr int MaxObjects = 100000;

    ChmFile() = default;
    ~ChmFile();
    ChmFile(const ChmFile&) = delete;
    ChmFile& operator=(const ChmFile&) = delete;

    // Opens the file; on failure errorString() says why in a sentence for the user.
    bool open(const QString& path);
    void close();
    bool isOpen() const { return handle_ != nullptr; }
    QString path() const { return path_; }
    QString errorString() const { return error_; }

    QString title() const { return title_; }
    QString defaultTopic() const { return defaultTopic_; } // e.g. "/start.html"
    QList<ChmTopic> contents() const { return contents_; }
    QList<ChmTopic> index() const { return index_; }
    QStringList files() const { return files_; } // every page, picture and style sheet

    bool contains(const QString& path) const;
    std::optional<QByteArray> read(const QString& path) const;

    // "/dir/page.html" for "dir/./page.html"; empty for a path that leaves the file.
    static QString normalizedPath(const QString& path);
    // The same for a page named in the contents tree, without its anchor ("page.html#anchor").
    static QString topicPath(const QString& local);

private:
    bool fail(const QString& error);
    bool checkHeaders(const QString& path);
    bool readSystem();

    chmFile* handle_ = nullptr;
    QString path_;
    QString error_;
    qint64 fileSize_ = 0;
    qint64 dataOffset_ = 0; // where the uncompressed section starts
    QString title_;
    QString defaultTopic_;
    QString contentsFile_;
    QString indexFile_;
    QList<ChmTopic> contents_;
    QList<ChmTopic> index_;
    QStringList files_;
};
