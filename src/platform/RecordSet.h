#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <vector>

class Database;

// A complete snapshot of a query's rows, as a client-side cursor gives it: the row count is
// known at once, the cursor moves freely, later changes are not seen. Fields are found by name
// without regard to case.
class RecordSet {
public:
    bool open(const Database& db, const QString& sql, const QVariantList& values = {});
    void close();
    bool isOpen() const { return open_; }

    int recordCount() const;
    // Before the first row / after the last row. Both are true for an empty snapshot.
    bool bof() const;
    bool eof() const;
    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    // 1-based position of the current row; 0 when on no row.
    int absolutePosition() const;
    void setAbsolutePosition(int position);

    QStringList fieldNames() const { return names_; }
    bool hasField(const QString& name) const;
    // Invalid QVariant when there is no current row or no such field; a NULL stays NULL.
    QVariant field(const QString& name) const;
    bool isNull(const QString& name) const;
    // The field as text; NULL and missing values read as empty text.
    QString text(const QString& name) const;

    QString lastError() const { return lastError_; }

private:
    int column(const QString& name) const;

    bool open_ = false;
    QStringList names_;
    std::vector<QVariantList> rows_;
    int current_ = 0; // 0 = BOF, 1..n a row, n+1 = EOF
    QString lastError_;
};
