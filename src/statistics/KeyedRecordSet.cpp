#include "KeyedRecordSet.h"

#include "platform/Database.h"

#include <QSqlError>
#include <QSqlRecord>

bool KeyedRecordSet::open(const Database& db, const QString& keysSql, const QString& rowSql) {
    close();
    if (!keys_.open(db, keysSql)) {
        lastError_ = keys_.lastError();
        return false;
    }
    keyField_ = keys_.fieldNames().value(0);
    row_ = QSqlQuery(db.connection());
    row_.setForwardOnly(true);
    if (!row_.prepare(rowSql)) {
        lastError_ = row_.lastError().text();
        close();
        return false;
    }
    lastError_.clear();
    return true;
}

void KeyedRecordSet::close() {
    keys_.close();
    row_ = QSqlQuery();
    cachedKey_ = QVariant();
    names_.clear();
    values_.clear();
}

QVariant KeyedRecordSet::field(const QString& name) const {
    if (bof() || eof() || !fetch())
        return {};
    for (int i = 0; i < names_.size(); ++i) {
        if (names_.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return values_.at(i);
    }
    return {};
}

QString KeyedRecordSet::text(const QString& name) const {
    const QVariant value = field(name);
    return value.isNull() ? QStringLiteral("") : value.toString();
}

bool KeyedRecordSet::fetch() const {
    const QVariant key = keys_.field(keyField_);
    if (cachedKey_.isValid() && cachedKey_ == key)
        return true;
    cachedKey_ = QVariant();
    values_.clear();
    row_.bindValue(0, key);
    if (!row_.exec() || !row_.next()) {
        lastError_ = row_.lastError().isValid() ? row_.lastError().text()
                                                : QStringLiteral("Der Datensatz ist nicht mehr "
                                                                 "vorhanden.");
        return false;
    }
    const QSqlRecord record = row_.record();
    names_.clear();
    for (int i = 0; i < record.count(); ++i) {
        names_ << record.fieldName(i);
        // NULL stays recognisable whatever form the driver hands it in.
        values_ << (row_.isNull(i) ? QVariant() : row_.value(i));
    }
    row_.finish();
    cachedKey_ = key;
    return true;
}
