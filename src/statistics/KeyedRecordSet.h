#pragma once

#include "platform/RecordSet.h"

#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

class Database;

// A snapshot of many rows that holds only their keys: the order and the count are fixed when it
// opens, and the current row's columns are read by its key when they are asked for. It moves as
// RecordSet does. Fit for rows that never change once written, as the results in log.
class KeyedRecordSet {
public:
    // keysSql returns one key per row, in order; rowSql returns the row of the one bound key.
    bool open(const Database& db, const QString& keysSql, const QString& rowSql);
    void close();
    bool isOpen() const { return keys_.isOpen(); }

    int recordCount() const { return keys_.recordCount(); }
    bool bof() const { return keys_.bof(); }
    bool eof() const { return keys_.eof(); }
    void moveFirst() { keys_.moveFirst(); }
    void moveLast() { keys_.moveLast(); }
    void moveNext() { keys_.moveNext(); }
    void movePrevious() { keys_.movePrevious(); }
    int absolutePosition() const { return keys_.absolutePosition(); }

    // Invalid when there is no current row or no such field (names without regard to case).
    QVariant field(const QString& name) const;
    QString text(const QString& name) const;

    QString lastError() const { return lastError_; }

private:
    bool fetch() const;

    RecordSet keys_;
    QString keyField_;
    mutable QSqlQuery row_;
    mutable QVariant cachedKey_;
    mutable QStringList names_;
    mutable QVariantList values_;
    mutable QString lastError_;
};
