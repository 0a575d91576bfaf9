// The lesson end's write, alone: a copy of the template, n results stored one after the
// other as the lesson end stores them. "before" is a bare INSERT at SQLite's FULL sync, as the
// lesson end used to do it; "after" is the lesson end of today (EXTRA sync, pending file).
// Prints the median and the range of one lesson end in microseconds. Count the syncs with
//   strace -f -c -e trace=fsync,fdatasync bench_data_lesson_end after 50
#include "data/ResultLog.h"
#include "platform/Database.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool before = args.value(1) == QLatin1String("before");
    const int count = std::max(1, args.value(2, QStringLiteral("50")).toInt());

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("quendal1_1.mdb"));
    if (!QFile::copy(QStringLiteral(QUENDAL_BIN_DIR "/quendal1_1.mdb"), path)) {
        std::fprintf(stderr, "no template in %s\n", QUENDAL_BIN_DIR);
        return 1;
    }
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    Database db;
    if (!db.open(path) || (before && !db.exec(QStringLiteral("PRAGMA synchronous = FULL")))) {
        std::fprintf(stderr, "%s\n", qPrintable(db.lastError()));
        return 1;
    }
    const QString pending = ResultLog::pendingPath(path);

    std::vector<qint64> times;
    for (int i = 0; i < count; ++i) {
        ResultRow row;
        row.Zeitpunkt = QDateTime::currentDateTime();
        row.Lektion = 17;
        row.Dateiname = QStringLiteral("Lektion 1");
        row.Zeichenanzahl = 250;
        row.Dauer = 95;
        row.Treffer = 240;
        row.Fehler = 12;
        QElapsedTimer clock;
        clock.start();
        HeldResults held;
        const bool ok = before ? ResultLog::insert(db, row, nullptr)
                               : ResultLog::store(db, row, pending, held).status ==
                                     StoreOutcome::Status::Stored;
        times.push_back(clock.nsecsElapsed() / 1000);
        if (!ok) {
            std::fprintf(stderr, "lesson end %d failed\n", i + 1);
            return 1;
        }
    }
    std::sort(times.begin(), times.end());
    std::printf("%s: %d lesson ends, median %lld us, min %lld us, max %lld us\n",
                before ? "before" : "after", count, times[times.size() / 2], times.front(),
                times.back());
    return 0;
}
