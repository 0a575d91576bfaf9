#include "TestMain.h"
#include "TestSupport.h"

#include "keyboard/KeyTable.h"
#include "keyboard/OnScreenKeyboard.h"
#include "lessons/LessonHandOver.h"
#include "lessons/frmLek.h"
#include "platform/Database.h"
#include "platform/OleColor.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

namespace {

struct Lesson {
    int id;
    int art;
    int nr;
    QVariant title, kommentar, text, tasten; // a null QVariant stores NULL
};

const QString Grundreihe = QStringLiteral("Grundreihe");
const QString Quotes = QStringLiteral("Peter's \"Spezial\"");
const QString Einzel = QStringLiteral("Einzel");
const QString Leer = QStringLiteral("Leer");
const QString Luecke = QStringLiteral("Lücke");
const QString Nullfelder = QStringLiteral("Nullfelder");
const QString Ampersand = QStringLiteral("Zahlen & Zeichen");

// Stored in this order, which is not the alphabetical one.
const QStringList TypeNames{Grundreihe, Quotes, Einzel, Leer, Luecke, Nullfelder, Ampersand};

QVariant t(const char* text) {
    return QString::fromUtf8(text);
}

const QList<Lesson> Lessons{
    {101, 1, 1, t("Grundstellung"), t("Die Zeigefinger ruhen auf f und j."), t("fff jjj\r\nfj fj"),
     t("f|j")},
    {102, 1, 2, t("d und k"), t("Die Mittelfinger schreiben d und k."), t("ddd kkk"), t("d|k")},
    {103, 1, 3, t("s und l"), t("Die Ringfinger schreiben s und l."), t("sss lll"), t("s|l")},
    {201, 2, 1, t("Peter's \"erste\" Übung"), t("Anführungszeichen ' und \" im Kommentar"),
     t("Er sagte: \"Hallo\" und 'tschüss'."), t("a|ä")},
    {202, 2, 2, t("Zweite"), t("<b>kein HTML</b> & Co"), t("aaa"), t("a")},
    {301, 3, 1, t("Nur eine"), t("Die einzige Lektion."), t("eee"), t("e")},
    {501, 5, 1, t("Lücke eins"), t("Vor der Lücke."), t("ggg"), t("g")},
    {503, 5, 3, t("Lücke drei"), t("Nach der Lücke."), t("hhh"), t("h")},
    {601, 6, 1, QVariant(), QVariant(), t("nnn"), QVariant()},
    {701, 7, 1, t("Eins"), t("Ziffer eins."), t("111"), t("1")},
    {702, 7, 2, t("Zwei"), t("Ziffer zwei."), t("222"), t("2")},
};

QVariant sqlValue(const QVariant& v) {
    return v.isNull() ? QVariant(QMetaType::fromType<QString>()) : v;
}

} // namespace

class TstFrmLek : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString path_;
    Database db_;
    const KeyTableArray table_ = BuildKeyTable();
    std::unique_ptr<OnScreenKeyboard> keyboard_;
    std::unique_ptr<QWidget> anchor_;
    LessonHandOver handOver_;
    std::unique_ptr<frmLek> dlg_;

    // Shows the dialog modally, runs body inside it, then closes it with close (or, when close
    // leaves it open, with reject so that a failing test never hangs). Returns exec's result.
    int runModal(frmLek& dlg, const std::function<void()>& body,
                 const std::function<void()>& close = {}) {
        bool ran = false;
        TestSupport::onModal([&](QWidget* modal) {
            ran = true;
            if (modal == &dlg) {
                body();
                if (close && dlg.isVisible())
                    close();
            } else {
                qWarning("another modal widget is active");
            }
            if (dlg.isVisible())
                dlg.reject();
        });
        const int result = dlg.showModal();
        if (!ran)
            qWarning("the dialog was not shown modally");
        return result;
    }

    int runModal(const std::function<void()>& body, const std::function<void()>& close = {}) {
        return runModal(*dlg_, body, close);
    }

    // The key names of every key lit red, sorted.
    QStringList litKeys() const {
        QStringList names;
        for (int i = 0; i < KeyCount; ++i)
            if (keyboard_->keyColor(i) == OleColor::Red)
                names << table_[i].Names;
        names.sort();
        return names;
    }

    bool allKeysNeutral() const {
        for (int i = 0; i < KeyCount; ++i)
            if (keyboard_->keyColor(i) != OleColor::Neutral)
                return false;
        return true;
    }

    static QString tabName(const QTabBar* bar, int index) {
        return bar->tabText(index).replace(QStringLiteral("&&"), QStringLiteral("&"));
    }

    void selectTab(const QString& name) {
        for (int i = 0; i < dlg_->TabStrip1->count(); ++i) {
            if (tabName(dlg_->TabStrip1, i) == name) {
                // As the user does it: a click on the tab.
                QTest::mouseClick(dlg_->TabStrip1, Qt::LeftButton, {},
                                  dlg_->TabStrip1->tabRect(i).center());
                return;
            }
        }
        QFAIL(qPrintable(QStringLiteral("no tab %1").arg(name)));
    }

    static const Lesson& lesson(int id) {
        for (const Lesson& l : Lessons)
            if (l.id == id)
                return l;
        return Lessons.first();
    }

    void keyInto(QWidget* target, int key) {
        QWidget* receiver = target ? target : dlg_.get();
        QTest::keyClick(receiver, Qt::Key(key));
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("lektionen.mdb"));
        QVERIFY(TestSupport::createEmptyDb(path_));
        for (int i = 0; i < TypeNames.size(); ++i)
            QVERIFY(TestSupport::execOn(
                path_, QStringLiteral("INSERT INTO uebungsarten (id, bezeichnung) VALUES (?, ?)"),
                {i + 1, TypeNames.at(i)}));
        for (const Lesson& l : Lessons)
            QVERIFY(TestSupport::execOn(
                path_,
                QStringLiteral("INSERT INTO uebungen (id, art, ordnungszahl, title, kommentar, "
                               "uebungstext, tasten) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                {l.id, l.art, l.nr, sqlValue(l.title), sqlValue(l.kommentar), sqlValue(l.text),
                 sqlValue(l.tasten)}));
        QVERIFY(TestSupport::queryValue(path_, QStringLiteral("SELECT count(*) FROM uebungen "
                                                              "WHERE title IS NULL"))
                    .toInt() == 1);
        QVERIFY(db_.open(path_));
    }

    void init() {
        keyboard_ = std::make_unique<OnScreenKeyboard>(table_);
        anchor_ = std::make_unique<QWidget>();
        anchor_->setGeometry(0, 40, 1000, 700);
        anchor_->show();
        handOver_ = LessonHandOver{};
        dlg_ = std::make_unique<frmLek>(db_, handOver_, *keyboard_, anchor_.get());
    }

    void cleanup() {
        dlg_.reset();
        anchor_.reset();
        keyboard_.reset();
    }

    void windowAndControls() {
        frmLek& dlg = *dlg_;
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Lektionen"));
        QCOMPARE(TestSupport::shapedWidgets(&dlg), QStringList());
        QCOMPARE(dlg.size(), QSize(Twips::toPixels(7935), Twips::toPixels(4800)));
        QCOMPARE(dlg.size(), QSize(529, 320)); // 15 twips a pixel at 96 dpi
        QCOMPARE(dlg.minimumSize(), dlg.maximumSize());
        QVERIFY(!(dlg.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(dlg.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(dlg.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!dlg.parentWidget());

        const auto inDialog = [&dlg](const QWidget* w) {
            return QRect(w->mapTo(&dlg, QPoint(0, 0)), w->size());
        };
        QCOMPARE(inDialog(dlg.SliderNr), Twips::rect(2160, 600, 4875, 495));
        QCOMPARE(inDialog(dlg.lblTextNr), Twips::rect(1020, 600, 915, 495));
        QCOMPARE(inDialog(dlg.lblTextComment), Twips::rect(360, 1200, 7215, 2535));
        QCOMPARE(inDialog(dlg.CommandOk).topLeft(), Twips::rect(5580, 4140, 0, 0).topLeft());
        QCOMPARE(inDialog(dlg.CommandAbr).topLeft(), Twips::rect(6720, 4140, 0, 0).topLeft());
        QCOMPARE(inDialog(dlg.Command1).topLeft(), Twips::rect(180, 4140, 0, 0).topLeft());
        QCOMPARE(inDialog(dlg.TabStrip1).topLeft(), Twips::rect(60, 120, 0, 0).topLeft());
        QCOMPARE(dlg.TabStrip1->width(), Twips::toPixels(7815));
        for (QPushButton* button : {dlg.CommandOk, dlg.CommandAbr, dlg.Command1})
            QVERIFY(dlg.rect().contains(inDialog(button)));

        QCOMPARE(dlg.CommandOk->text(), QStringLiteral("OK"));
        QVERIFY(dlg.CommandOk->isDefault());
        QCOMPARE(dlg.CommandAbr->text(), QStringLiteral("Abbrechen"));
        QCOMPARE(dlg.Command1->text(), QStringLiteral("Eigenen Text laden"));
        QVERIFY(dlg.Command1->isEnabled());

        QCOMPARE(dlg.SliderNr->orientation(), Qt::Horizontal);
        QCOMPARE(dlg.SliderNr->minimum(), 1);
        QCOMPARE(dlg.SliderNr->singleStep(), 1);
        QCOMPARE(dlg.SliderNr->pageStep(), 1);
        QCOMPARE(dlg.SliderNr->tickInterval(), 1);
        QVERIFY(dlg.SliderNr->tickPosition() != QSlider::NoTicks);

        for (QLabel* label : {dlg.lblTextNr, dlg.lblTextComment}) {
            QCOMPARE(label->text(), QString());
            QVERIFY(label->autoFillBackground());
            QCOMPARE(label->palette().color(QPalette::Window), QColor(0xE0, 0xE0, 0xE0));
            QCOMPARE(label->frameShape(), QFrame::Box);
            QCOMPARE(label->lineWidth(), 1);
            QVERIFY(label->font().bold());
            QCOMPARE(label->font().pointSizeF(), 8.25);
            QVERIFY(label->wordWrap());
            QCOMPARE(label->textFormat(), Qt::PlainText);
        }

        // The controls that take the focus, in the order Tab visits them.
        QList<QWidget*> chain;
        QWidget* w = dlg.TabStrip1;
        do {
            // The tab bar's own scroll buttons are part of the tab strip.
            if ((w->focusPolicy() & Qt::TabFocus) && w->parentWidget() != dlg.TabStrip1)
                chain << w;
            w = w->nextInFocusChain();
        } while (w != dlg.TabStrip1);
        QCOMPARE(chain, (QList<QWidget*>{dlg.TabStrip1, dlg.SliderNr, dlg.CommandOk, dlg.CommandAbr,
                                         dlg.Command1}));
    }

    void tabsInDatabaseOrder() {
        QStringList tabs;
        int current = -2;
        QString nr, comment;
        runModal([&] {
            for (int i = 0; i < dlg_->TabStrip1->count(); ++i)
                tabs << tabName(dlg_->TabStrip1, i);
            current = dlg_->TabStrip1->currentIndex();
            nr = dlg_->lblTextNr->text();
            comment = dlg_->lblTextComment->text();
        });
        QCOMPARE(tabs, TypeNames);
        QCOMPARE(current, 0);
        QCOMPARE(nr, QStringLiteral("1"));
        QCOMPARE(comment, lesson(101).kommentar.toString());
    }

    void sliderFollowsTheLessonCount_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("nr");
        QTest::newRow("three lessons") << Grundreihe << 3 << 3 << true << QStringLiteral("1");
        QTest::newRow("two lessons, quotes in the name")
            << Quotes << 2 << 2 << true << QStringLiteral("1");
        QTest::newRow("two lessons, ampersand in the name")
            << Ampersand << 2 << 2 << true << QStringLiteral("1");
        QTest::newRow("one lesson") << Einzel << 1 << 2 << false << QStringLiteral("1");
        QTest::newRow("no lesson") << Leer << 0 << 2 << false << QString();
    }

    void sliderFollowsTheLessonCount() {
        QFETCH(QString, type);
        QFETCH(int, total);
        QFETCH(int, maximum);
        QFETCH(bool, enabled);
        QFETCH(QString, nr);
        bool checked = false;
        runModal([&] {
            // From another type, away from its lesson 1.
            selectTab(type == Grundreihe ? Ampersand : Grundreihe);
            dlg_->SliderNr->setValue(dlg_->SliderNr->maximum());
            QVERIFY(dlg_->SliderNr->value() > 1);
            selectTab(type);
            QCOMPARE(dlg_->LekTotal, total);
            QCOMPARE(dlg_->LekCount(type), total);
            QCOMPARE(dlg_->SliderNr->minimum(), 1);
            QCOMPARE(dlg_->SliderNr->maximum(), maximum);
            QCOMPARE(dlg_->SliderNr->value(), 1);
            QCOMPARE(dlg_->SliderNr->isEnabled(), enabled);
            QCOMPARE(dlg_->lblTextNr->text(), nr);
            QCOMPARE(dlg_->CommandOk->isEnabled(), total > 0);
            checked = true;
        });
        QVERIFY(checked);
    }

    void movingTheSliderShowsLessonN_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("id");
        QTest::addColumn<QStringList>("lit");
        QTest::newRow("1") << 1 << 101 << QStringList{QStringLiteral("f|F"), QStringLiteral("j|J")};
        QTest::newRow("2") << 2 << 102 << QStringList{QStringLiteral("d|D"), QStringLiteral("k|K")};
        QTest::newRow("3") << 3 << 103 << QStringList{QStringLiteral("l|L"), QStringLiteral("s|S")};
    }

    void movingTheSliderShowsLessonN() {
        QFETCH(int, n);
        QFETCH(int, id);
        QFETCH(QStringList, lit);
        bool checked = false;
        runModal([&] {
            dlg_->SliderNr->setValue(3);
            dlg_->SliderNr->setValue(n);
            QCOMPARE(dlg_->lblTextNr->text(), QString::number(n));
            QCOMPARE(dlg_->lblTextComment->text(), lesson(id).kommentar.toString());
            QCOMPARE(litKeys(), lit);
            QVERIFY(dlg_->CommandOk->isEnabled());
            checked = true;
        });
        QVERIFY(checked);
    }

    void sliderByKeyboard() {
        bool checked = false;
        runModal([&] {
            dlg_->SliderNr->setFocus();
            QTest::keyClick(dlg_->SliderNr, Qt::Key_Right);
            QCOMPARE(dlg_->SliderNr->value(), 2);
            QCOMPARE(dlg_->lblTextNr->text(), QStringLiteral("2"));
            QCOMPARE(litKeys(), (QStringList{QStringLiteral("d|D"), QStringLiteral("k|K")}));
            QTest::keyClick(dlg_->SliderNr, Qt::Key_End);
            QCOMPARE(dlg_->lblTextNr->text(), QStringLiteral("3"));
            QTest::keyClick(dlg_->SliderNr, Qt::Key_Right); // at the end already
            QCOMPARE(dlg_->SliderNr->value(), 3);
            QCOMPARE(dlg_->lblTextComment->text(), lesson(103).kommentar.toString());
            checked = true;
        });
        QVERIFY(checked);
    }

    void tabChangeShowsLessonOne_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<QList<int>>("emitted"); // slider values reported during the change
        QTest::newRow("slider at 1: looked up directly") << 1 << QList<int>{};
        QTest::newRow("slider at 2: set to 1") << 2 << QList<int>{1};
        // The maximum drops from 3 to 2 below the value: the clamped 2 is never reported.
        QTest::newRow("slider above the new maximum") << 3 << QList<int>{1};
    }

    void tabChangeShowsLessonOne() {
        QFETCH(int, from);
        QFETCH(QList<int>, emitted);
        bool checked = false;
        runModal([&] {
            dlg_->SliderNr->setValue(from);
            QCOMPARE(dlg_->lblTextNr->text(), QString::number(from));
            QSignalSpy spy(dlg_->SliderNr, &QSlider::valueChanged);
            selectTab(Quotes);
            QList<int> values;
            for (const QList<QVariant>& args : spy)
                values << args.at(0).toInt();
            QCOMPARE(values, emitted);
            QCOMPARE(dlg_->SliderNr->value(), 1);
            QCOMPARE(dlg_->lblTextNr->text(), QStringLiteral("1"));
            QCOMPARE(dlg_->lblTextComment->text(), lesson(201).kommentar.toString());
            QCOMPARE(litKeys(), (QStringList{QStringLiteral("a|A"), QStringLiteral("ä|Ä")}));
            checked = true;
        });
        QVERIFY(checked);
    }

    void typeWithoutLessonsKeepsThePreview() {
        bool checked = false;
        runModal([&] {
            selectTab(Einzel);
            QCOMPARE(litKeys(), (QStringList{QStringLiteral("e|E|€")}));
            QCOMPARE(dlg_->lblTextComment->text(), lesson(301).kommentar.toString());
            selectTab(Leer);
            QCOMPARE(dlg_->lblTextNr->text(), QString());
            QCOMPARE(dlg_->lblTextComment->text(), QString());
            QCOMPARE(litKeys(), (QStringList{QStringLiteral("e|E|€")}));
            QVERIFY(!dlg_->CommandOk->isEnabled());
            // Enter with nothing to take does not close the dialog.
            QTest::keyClick(dlg_.get(), Qt::Key_Return);
            QVERIFY(dlg_->isVisible());
            checked = true;
        });
        QVERIFY(checked);
        QCOMPARE(handOver_.LekAuswahl, 0);
    }

    void gapInTheNumbering() {
        bool checked = false;
        runModal([&] {
            selectTab(Luecke);
            QCOMPARE(dlg_->LekTotal, 2);
            QCOMPARE(dlg_->lblTextNr->text(), QStringLiteral("1"));
            QVERIFY(dlg_->CommandOk->isEnabled());
            dlg_->SliderNr->setValue(2); // there is no lesson 2, only 1 and 3
            QCOMPARE(dlg_->lblTextNr->text(), QString());
            QCOMPARE(dlg_->lblTextComment->text(), QString());
            QVERIFY(!dlg_->CommandOk->isEnabled());
            dlg_->CommandOk->click();
            QVERIFY(dlg_->isVisible());
            dlg_->SliderNr->setValue(1);
            QVERIFY(dlg_->CommandOk->isEnabled());
            checked = true;
        });
        QVERIFY(checked);
        QCOMPARE(handOver_.LekAuswahl, 0);
    }

    void nullFieldsReadAsEmptyText() {
        bool checked = false;
        const int result = runModal(
            [&] {
                QVERIFY(!litKeys().isEmpty()); // lesson 1 of the first type is previewed
                selectTab(Nullfelder);
                QCOMPARE(dlg_->lblTextNr->text(), QStringLiteral("1"));
                QCOMPARE(dlg_->lblTextComment->text(), QString());
                QVERIFY(allKeysNeutral()); // no keys listed: the preview shows none
                QVERIFY(dlg_->CommandOk->isEnabled());
                checked = true;
            },
            [&] { dlg_->CommandOk->click(); });
        QVERIFY(checked);
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(handOver_.LekAuswahl, 601);
        QCOMPARE(handOver_.LekText, QStringLiteral("nnn"));
        QCOMPARE(handOver_.LekTitle, QString());
        QVERIFY(!handOver_.LekTitle.isNull());
    }

    void okHandsOverTheLesson_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("id");
        QTest::newRow("first lesson") << Grundreihe << 1 << 101;
        QTest::newRow("last lesson") << Grundreihe << 3 << 103;
        QTest::newRow("quotes in type, title and text") << Quotes << 1 << 201;
        QTest::newRow("ampersand in the type") << Ampersand << 2 << 702;
        QTest::newRow("the only lesson") << Einzel << 1 << 301;
    }

    void okHandsOverTheLesson() {
        QFETCH(QString, type);
        QFETCH(int, n);
        QFETCH(int, id);
        bool lit = false;
        const int result = runModal(
            [&] {
                selectTab(type);
                dlg_->SliderNr->setValue(n);
                lit = !litKeys().isEmpty();
            },
            [&] { QTest::mouseClick(dlg_->CommandOk, Qt::LeftButton); });
        QVERIFY(lit);
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(handOver_.LekAuswahl, id);
        QCOMPARE(handOver_.LekText, lesson(id).text.toString());
        QCOMPARE(handOver_.LekTitle, lesson(id).title.toString());
        QVERIFY(allKeysNeutral());
    }

    void everyWayOfClosing_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("taken");
        QTest::newRow("OK") << QStringLiteral("ok") << true;
        QTest::newRow("Enter") << QStringLiteral("enter") << true;
        QTest::newRow("Abbrechen") << QStringLiteral("abbrechen") << false;
        QTest::newRow("Esc") << QStringLiteral("esc") << false;
        QTest::newRow("close box") << QStringLiteral("close") << false;
    }

    void everyWayOfClosing() {
        QFETCH(QString, way);
        QFETCH(bool, taken);
        handOver_.LekAuswahl = 0;
        handOver_.LekText = QStringLiteral("alter Text");
        handOver_.LekTitle = QStringLiteral("alter Titel");
        QStringList litBefore;
        bool closedByTheWay = false;
        const int result = runModal(
            [&] {
                dlg_->SliderNr->setValue(2);
                litBefore = litKeys();
            },
            [&] {
                QWidget* focus = QApplication::focusWidget();
                if (way == QLatin1String("ok"))
                    QTest::mouseClick(dlg_->CommandOk, Qt::LeftButton);
                else if (way == QLatin1String("enter"))
                    keyInto(focus, Qt::Key_Return);
                else if (way == QLatin1String("abbrechen"))
                    QTest::mouseClick(dlg_->CommandAbr, Qt::LeftButton);
                else if (way == QLatin1String("esc"))
                    keyInto(focus, Qt::Key_Escape);
                else
                    dlg_->close();
                closedByTheWay = !dlg_->isVisible();
            });
        QVERIFY(closedByTheWay);
        QCOMPARE(litBefore, (QStringList{QStringLiteral("d|D"), QStringLiteral("k|K")}));
        QVERIFY(allKeysNeutral());
        QCOMPARE(result, int(taken ? QDialog::Accepted : QDialog::Rejected));
        if (taken) {
            QCOMPARE(handOver_.LekAuswahl, 102);
            QCOMPARE(handOver_.LekText, lesson(102).text.toString());
            QCOMPARE(handOver_.LekTitle, lesson(102).title.toString());
        } else {
            QCOMPARE(handOver_.LekAuswahl, 0);
            QCOMPARE(handOver_.LekText, QStringLiteral("alter Text"));
            QCOMPARE(handOver_.LekTitle, QStringLiteral("alter Titel"));
        }
    }

    void reopeningShowsTheFirstTabAgain_data() {
        QTest::addColumn<bool>("takeFirst");
        QTest::newRow("after Abbrechen") << false;
        QTest::newRow("after OK") << true;
    }

    void reopeningShowsTheFirstTabAgain() {
        QFETCH(bool, takeFirst);
        runModal(
            [&] {
                selectTab(Ampersand);
                dlg_->SliderNr->setValue(2);
            },
            [&] { (takeFirst ? dlg_->CommandOk : dlg_->CommandAbr)->click(); });
        QCOMPARE(handOver_.LekAuswahl, takeFirst ? 702 : 0);

        handOver_.LekAuswahl = 0;
        int current = -1, value = -1;
        QString nr, comment;
        QStringList lit;
        bool okEnabled = false;
        const int result = runModal(
            [&] {
                current = dlg_->TabStrip1->currentIndex();
                value = dlg_->SliderNr->value();
                nr = dlg_->lblTextNr->text();
                comment = dlg_->lblTextComment->text();
                lit = litKeys();
                okEnabled = dlg_->CommandOk->isEnabled();
            },
            [&] { dlg_->CommandOk->click(); });
        QCOMPARE(current, 0);
        QCOMPARE(value, 1);
        QCOMPARE(nr, QStringLiteral("1"));
        QCOMPARE(comment, lesson(101).kommentar.toString());
        QCOMPARE(lit, (QStringList{QStringLiteral("f|F"), QStringLiteral("j|J")}));
        QVERIFY(okEnabled);
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(handOver_.LekAuswahl, 101);
    }

    void everyShowingReadsTheTypesAgain() {
        QStringList first, second;
        runModal([&] { first << tabName(dlg_->TabStrip1, dlg_->TabStrip1->count() - 1); });
        QVERIFY(TestSupport::execOn(
            path_,
            QStringLiteral("INSERT INTO uebungsarten (id, bezeichnung) VALUES (99, 'Neu')")));
        runModal([&] {
            for (int i = 0; i < dlg_->TabStrip1->count(); ++i)
                second << tabName(dlg_->TabStrip1, i);
        });
        QVERIFY(
            TestSupport::execOn(path_, QStringLiteral("DELETE FROM uebungsarten WHERE id = 99")));
        QCOMPARE(first, QStringList{Ampersand});
        QCOMPARE(second, TypeNames + QStringList{QStringLiteral("Neu")});
    }

    void withoutExerciseTypes() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("leer.mdb"));
        QVERIFY(TestSupport::createEmptyDb(path));
        Database empty;
        QVERIFY(empty.open(path));
        frmLek dlg(empty, handOver_, *keyboard_, anchor_.get());
        keyboard_->highlite(QStringLiteral("x"));

        int tabs = -1;
        bool sliderEnabled = true, okEnabled = true;
        QString nr = QStringLiteral("?"), comment = QStringLiteral("?");
        const int result = runModal(
            dlg,
            [&] {
                tabs = dlg.TabStrip1->count();
                sliderEnabled = dlg.SliderNr->isEnabled();
                okEnabled = dlg.CommandOk->isEnabled();
                nr = dlg.lblTextNr->text();
                comment = dlg.lblTextComment->text();
                QTest::keyClick(&dlg, Qt::Key_Return); // nothing to take
            },
            [&] { QTest::keyClick(&dlg, Qt::Key_Escape); });
        QCOMPARE(tabs, 0);
        QVERIFY(!sliderEnabled);
        QVERIFY(!okEnabled);
        QCOMPARE(nr, QString());
        QCOMPARE(comment, QString());
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(handOver_.LekAuswahl, 0);
        QVERIFY(allKeysNeutral());
    }

    void placedByTheAnchor_data() {
        QTest::addColumn<QRect>("anchorGeometry");
        QTest::newRow("at the left edge") << QRect(0, 40, 1000, 700);
        QTest::newRow("moved to the right") << QRect(400, 40, 1000, 700);
        QTest::newRow("lower down") << QRect(0, 150, 1000, 500);
        QTest::newRow("wide") << QRect(100, 10, 1500, 900);
    }

    void placedByTheAnchor() {
        QFETCH(QRect, anchorGeometry);
        anchor_->setGeometry(anchorGeometry);
        QTRY_COMPARE(anchor_->geometry(), anchorGeometry);
        QRect frame, anchorFrame;
        runModal([&] {
            frame = dlg_->frameGeometry();
            anchorFrame = anchor_->frameGeometry();
        });
        QCOMPARE(frame.top(), anchorFrame.top());
        // Centred on the anchor's width as if it stood at the screen's left edge.
        const double left = anchorFrame.width() / 2.0 - frame.width() / 2.0;
        QVERIFY2(qAbs(frame.left() - left) <= 1.0,
                 qPrintable(QStringLiteral("left %1, expected %2").arg(frame.left()).arg(left)));
    }
};

QUENDAL_TEST(TstFrmLek)
#include "tst_frmlek.moc"
