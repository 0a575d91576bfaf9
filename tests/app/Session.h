#pragma once

#include "StartUp.h"
#include "TestSupport.h"

#include "app/Program.h"
#include "app/frmSchreiben.h"
#include "lessons/frmLek.h"

#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <memory>

namespace TestSupport {

// One start of the program over a working copy that holds the given lessons of one type.
struct Session {
    struct Lesson {
        int id;
        QString title;
        QString text;
        QString tasten;
    };

    explicit Session(const QList<Lesson>& lessons = {{7, "Erste", "ab\r\nc d", "a|b"}}) {
        QDir().mkpath(appdata.dataFolder());
        createEmptyDb(appdata.dbPath());
        execOn(appdata.dbPath(), "INSERT INTO uebungsarten (id, bezeichnung) VALUES (1, 'Test')");
        int n = 0;
        for (const Lesson& l : lessons)
            execOn(appdata.dbPath(),
                   "INSERT INTO uebungen (id, art, ordnungszahl, title, kommentar, uebungstext, "
                   "tasten) VALUES (?, 1, ?, ?, 'Kommentar', ?, ?)",
                   {l.id, ++n, l.title, l.text, l.tasten});
    }

    bool start(bool tipsAtStart = false) {
        window = std::make_unique<frmSchreiben>(program);
        window->beep = [this] { ++beeps; };
        program.sounds.player = [this](const QString& name) { sounds << name; };
        if (!startUp(*window, tipsAtStart))
            return false;
        program.sounds.player = [this](const QString& name) { sounds << name; };
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }

    // Takes lesson number n of the first type through the real selection dialog.
    void choose(int n = 1) {
        onModal([n](QWidget* modal) {
            auto* dialog = qobject_cast<frmLek*>(modal);
            QVERIFY(dialog);
            dialog->SliderNr->setValue(n);
            dialog->CommandOk->click();
        });
        window->menulek_Click(0);
        QTRY_COMPARE(QApplication::activeWindow(), window.get());
    }

    void cancelChoice() {
        onModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
        window->menulek_Click(0);
        QTRY_COMPARE(QApplication::activeWindow(), window.get());
    }

    void type(const QString& text) { typeText(window->Text1, text); }

    int logRows() const { return queryValue(appdata.dbPath(), "SELECT count(*) FROM log").toInt(); }
    QVariant logValue(const QString& column) const {
        return queryValue(appdata.dbPath(), "SELECT " + column + " FROM log ORDER BY Id DESC");
    }

    TempAppData appdata;
    Program program{binDir()};
    std::unique_ptr<frmSchreiben> window;
    int beeps = 0;
    QStringList sounds;
};

} // namespace TestSupport
