// What the statistics windows cost over years of results: a log of 100,000 rows (or the count
// given as the first argument), each window opened as the hub opens it (built, loaded, shown and
// painted once), chart 2 at 30 results, and one step of each browser. Beside them the bare
// reference: a plain Qt SQL query that only reads the same rows, no window.
//
// Prints median, min and max in milliseconds over the runs (second argument, default 7). A
// third argument "plain" drops the indexes first, as in a working copy from before them.
#include "data/Schema.h"
#include "platform/Database.h"
#include "settings/Settings.h"
#include "statistics/BarChart.h"
#include "data/LogIndex.h"
#include "statistics/chart.h"
#include "statistics/chart1.h"
#include "statistics/frmStatistik.h"
#include "statistics/frmblockchart.h"
#include "statistics/frmblockdat.h"
#include "statistics/frmdaten.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QSlider>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

bool fill(Database& db, int rows) {
    QSqlDatabase c = db.connection();
    c.transaction();
    QSqlQuery q(c);
    q.prepare(QStringLiteral("INSERT INTO log (Zeitpunkt,Lektion,Dateiname,Zeichenanzahl,Dauer,"
                             "Treffer,Fehler,ff1,ff2,ff3,ff4,ff5,ff6,ff7,ff8,ff9,ff10) VALUES "
                             "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
    QDateTime t(QDate(2010, 1, 1), QTime(8, 0));
    for (int i = 0; i < rows; ++i) {
        t = t.addSecs(600 + (i * 7919) % 3000); // years of lessons, a few each day
        q.addBindValue(t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        q.addBindValue(1 + i % 150);
        q.addBindValue(QStringLiteral("Lektion %1").arg(1 + i % 150));
        q.addBindValue(200 + i % 300);
        q.addBindValue(i % 997 == 0 ? 0 : 60 + i % 240);
        q.addBindValue(180 + i % 300);
        q.addBindValue(i % 13);
        for (int f = 0; f < 10; ++f)
            q.addBindValue((i + f) % 3);
        if (!q.exec())
            return false;
    }
    return c.commit();
}

struct Figures {
    double median, min, max;
};

Figures measure(int runs, const std::function<void()>& run) {
    std::vector<double> ms;
    QElapsedTimer clock;
    for (int i = 0; i < runs; ++i) {
        clock.start();
        run();
        ms.push_back(clock.nsecsElapsed() / 1e6);
        QCoreApplication::processEvents();
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.front(), ms.back()};
}

void print(const char* label, const Figures& f) {
    std::printf("%-40s median %9.3f  min %9.3f  max %9.3f  (ms)\n", label, f.median, f.min, f.max);
}

// Built, loaded, shown and painted once: what the user waits for after the click.
template <typename Window> void openWindow(Window& w) {
    w.Form_Load();
    w.show();
    w.repaint();
    QCoreApplication::processEvents();
    w.hide();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 7;
    // "plain": a working copy from before the indexes, to see what they bring.
    const bool plain = argc > 3 && QByteArray(argv[3]) == "plain";

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("quendal1_1.mdb"));
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
    }
    Database db;
    QString error;
    if (!db.open(path) || !Schema::create(db, &error) || !fill(db, rows)) {
        std::fprintf(stderr, "cannot build the database: %s\n", qPrintable(db.lastError() + error));
        return 1;
    }
    if (plain) {
        db.exec(QStringLiteral("DROP INDEX log_Zeitpunkt"));
        db.exec(QStringLiteral("DROP INDEX log_Dateiname"));
    } else if (!LogIndex::ensure(db)) {
        std::fprintf(stderr, "cannot create the indexes: %s\n", qPrintable(db.lastError()));
        return 1;
    }
    std::printf("%d rows in log, %d runs each, %s\n", rows, runs,
                plain ? "without the indexes" : "with the indexes");
    Settings settings;

    print("hub frmStatistik", measure(runs, [&] {
              frmStatistik w(db, settings);
              openWindow(w);
          }));
    print("chart1 (per title)", measure(runs, [&] {
              chart1 w(db);
              openWindow(w);
          }));
    print("chart (opened, 10)", measure(runs, [&] {
              chart w(db);
              openWindow(w);
          }));
    {
        chart w(db);
        openWindow(w);
        int n = 0;
        print("chart slider to 30", measure(runs, [&] {
                  w.Slider1->setValue(n++ % 2 ? 29 : 30);
                  w.MSChart1->repaint();
              }));
    }
    print("frmblockchart (finger sums)", measure(runs, [&] {
              frmblockchart w(db);
              openWindow(w);
          }));
    print("frmdaten (result browser)", measure(runs, [&] {
              frmdaten w(db, settings);
              openWindow(w);
          }));
    print("frmblockdat (finger browser)", measure(runs, [&] {
              frmblockdat w(db);
              openWindow(w);
          }));
    {
        frmdaten w(db, settings);
        openWindow(w);
        w.beep = [] {};
        print("frmdaten step (previous)", measure(runs * 20, [&] { w.cmdPrevious_Click(); }));
        frmblockdat b(db);
        openWindow(b);
        b.beep = [] {};
        print("frmblockdat step (next)", measure(runs * 20, [&] { b.cmdNext_Click(); }));
    }
    print("reference: bare query reading the rows", measure(runs, [&] {
              QSqlQuery q(db.connection());
              q.setForwardOnly(true);
              q.exec(QStringLiteral("SELECT Zeitpunkt, Dateiname, Zeichenanzahl, Dauer, Treffer, "
                                    "Fehler FROM log ORDER BY Zeitpunkt"));
              qint64 sum = 0;
              while (q.next())
                  sum += q.value(2).toLongLong();
              if (sum < 0)
                  std::puts("");
          }));
    return 0;
}
