#include "RecordSet.h"

#include "Database.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

bool RecordSet::open(const Database& db, const QString& sql, const QVariantList& values) {
    close();
    QSqlQuery query(db.connection());
    // The whole result is copied at once, so a forward-only cursor is all the driver needs.
    query.setForwardOnly(true);
    if (!db.run(query, sql, values)) {
        lastError_ = db.lastError();
        return false;
    }
    const QSqlRecord record = query.record();
    const int columns = record.count();
    for (int i = 0; i < columns; ++i)
        names_ << record.fieldName(i);
    while (query.next()) {
        QVariantList row;
        row.reserve(columns);
        for (int i = 0; i < columns; ++i) {
            QVariant value = query.value(i);
            // Keep NULL recognisable whatever form the driver hands it in.
            if (query.isNull(i) && !value.isNull())
                value = QVariant(value.metaType());
            row << value;
        }
        rows_.push_back(std::move(row));
    }
    if (query.lastError().isValid()) {
        lastError_ = query.lastError().text();
        close();
        return false;
    }
    open_ = true;
    lastError_.clear();
    current_ = rows_.empty() ? 0 : 1;
    return true;
}

void RecordSet::close() {
    open_ = false;
    names_.clear();
    rows_.clear();
    current_ = 0;
}

int RecordSet::recordCount() const {
    return int(rows_.size());
}

bool RecordSet::bof() const {
    return rows_.empty() || current_ < 1;
}

bool RecordSet::eof() const {
    return rows_.empty() || current_ > recordCount();
}

void RecordSet::moveFirst() {
    if (!rows_.empty())
        current_ = 1;
}

void RecordSet::moveLast() {
    if (!rows_.empty())
        current_ = recordCount();
}

void RecordSet::moveNext() {
    if (!rows_.empty() && current_ <= recordCount())
        ++current_;
}

void RecordSet::movePrevious() {
    if (!rows_.empty() && current_ >= 1)
        --current_;
}

int RecordSet::absolutePosition() const {
    return bof() || eof() ? 0 : current_;
}

void RecordSet::setAbsolutePosition(int position) {
    if (rows_.empty())
        return;
    if (position < 1)
        current_ = 0;
    else if (position > recordCount())
        current_ = recordCount() + 1;
    else
        current_ = position;
}

bool RecordSet::hasField(const QString& name) const {
    return column(name) >= 0;
}

QVariant RecordSet::field(const QString& name) const {
    const int c = column(name);
    if (c < 0 || bof() || eof())
        return {};
    return rows_[std::size_t(current_ - 1)].at(c);
}

bool RecordSet::isNull(const QString& name) const {
    return field(name).isNull();
}

QString RecordSet::text(const QString& name) const {
    const QVariant value = field(name);
    // Empty, not null: a caller may store the text in a column that takes no NULL.
    if (value.isNull())
        return QStringLiteral("");
    const QString result = value.toString();
    return result.isNull() ? QStringLiteral("") : result;
}

int RecordSet::column(const QString& name) const {
    for (int i = 0; i < names_.size(); ++i) {
        if (names_.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}
