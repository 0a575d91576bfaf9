#pragma once

#include "TestSupport.h"

#include <QImage>
#include <QPixmap>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <array>

// The colours at the corners of a button's face, inside its bevel: one colour where the face is
// flat.
inline QSet<QRgb> faceColours(QWidget* button) {
    const QImage shot = button->grab().toImage();
    const int right = shot.width() - 4, bottom = shot.height() - 4;
    QSet<QRgb> colours;
    for (const QPoint at :
         {QPoint(3, 3), QPoint(right, 3), QPoint(3, bottom), QPoint(right, bottom)})
        colours << (shot.pixel(at) & 0xFFFFFF);
    return colours;
}

// A lesson database file with result rows written as the lesson end writes them.
class StatisticsDb {
public:
    struct Row {
        QString zeitpunkt; // "yyyy-MM-dd HH:mm:ss"
        QString dateiname = QStringLiteral("Lektion 1");
        qint64 zeichen = 100;
        qint64 dauer = 60;
        qint64 treffer = 100;
        qint64 fehler = 0;
        // A value a column can hold: a whole number, or a real one that a column of hostile
        // rows may hold.
        std::array<QVariant, 10> ff{0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    };

    explicit StatisticsDb(const QString& name) : path_(dir_.filePath(name + ".mdb")) {
        ok_ = dir_.isValid() && TestSupport::createEmptyDb(path_);
    }

    bool add(const Row& r) {
        QVariantList values{r.zeitpunkt, 1, r.dateiname, r.zeichen, r.dauer, r.treffer, r.fehler};
        for (const QVariant& f : r.ff)
            values << f;
        return ok_ && TestSupport::execOn(
                          path_,
                          QStringLiteral("INSERT INTO log (Zeitpunkt,Lektion,Dateiname,"
                                         "Zeichenanzahl,Dauer,Treffer,Fehler,ff1,ff2,ff3,ff4,ff5,"
                                         "ff6,ff7,ff8,ff9,ff10) VALUES "
                                         "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                          values);
    }

    // Rows one minute apart, from 2026-12-06 08:00:00 on.
    bool addSeries(int count, int fromMinute = 0) {
        for (int i = 0; i < count; ++i) {
            Row r;
            r.zeitpunkt = QStringLiteral("2026-12-06 %1:%2:00")
                              .arg(8 + (fromMinute + i) / 60, 2, 10, QLatin1Char('0'))
                              .arg((fromMinute + i) % 60, 2, 10, QLatin1Char('0'));
            r.treffer = 100 + fromMinute + i; // 60 s: the strokes per minute tell the rows apart
            if (!add(r))
                return false;
        }
        return true;
    }

    QString path() const { return path_; }
    bool ok() const { return ok_; }

private:
    QTemporaryDir dir_;
    QString path_;
    bool ok_ = false;
};
