// Tips of the day, gymnastics texts and keypad lessons of the generated template database.
#include "CourseText.h"
#include "KeypadProgression.h"
#include "TemplateCopy.h"
#include "TestMain.h"

#include "components/DialogLook.h"
#include "keypad/frmNumBlock.h"
#include "settings/Settings.h"
#include "sound/Sounds.h"

#include <QFontMetrics>
#include <QListWidget>
#include <QSet>
#include <QStyle>
#include <QTest>
#include <memory>

class TstCourseExtras : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TemplateCopy> copy_;

private slots:
    void initTestCase() {
        copy_ = std::make_unique<TemplateCopy>();
        QVERIFY2(copy_->isOpen(), qPrintable(copy_->error()));
    }

    void tipsAreManyDistinctAndFitTheCard() {
        const QStringList tips = copy_->texts(QStringLiteral("SELECT txt FROM tips"));
        QVERIFY2(copy_->error().isEmpty(), qPrintable(copy_->error()));
        QVERIFY(tips.size() >= 20);
        QVERIFY2(QSet<QString>(tips.begin(), tips.end()).size() == tips.size(), "a tip twice");
        for (const QString& tip : tips) {
            QVERIFY2(!tip.isEmpty() && tip == tip.trimmed(), qPrintable(tip));
            QVERIFY2(CourseText::sentenceCount(tip) >= 1, qPrintable(tip));
            QVERIFY2(tip.size() <= 300, qPrintable(tip));
        }
    }

    void gymnasticsAreTwoToFiveSentences() {
        // The exercise label holds about six lines of bold text.
        const QStringList exercises = copy_->texts(QStringLiteral("SELECT txt FROM gym"));
        QVERIFY2(copy_->error().isEmpty(), qPrintable(copy_->error()));
        QVERIFY(exercises.size() >= 10);
        for (const QString& exercise : exercises) {
            QVERIFY2(exercise == exercise.trimmed(), qPrintable(exercise));
            const int sentences = CourseText::sentenceCount(exercise);
            QVERIFY2(sentences >= 2 && sentences <= 5, qPrintable(exercise));
            QVERIFY2(exercise.size() <= 300, qPrintable(exercise));
        }
    }

    void keypadListShowsTheCourseInOrder() {
        // The trainer lists the titles in the order of its unordered statement; that order
        // must be the order in which the course was written.
        const QStringList listed = copy_->texts(QStringLiteral("SELECT title FROM numuebungen"));
        const QStringList written =
            copy_->texts(QStringLiteral("SELECT title FROM numuebungen ORDER BY rowid"));
        QVERIFY2(copy_->error().isEmpty(), qPrintable(copy_->error()));
        QVERIFY(listed.size() >= 10);
        QCOMPARE(listed, written);
        QSet<QString> titles;
        for (const QString& title : listed) {
            QVERIFY2(!title.trimmed().isEmpty() && !title.contains(QLatin1Char('"')),
                     qPrintable(title));
            QVERIFY2(!titles.contains(title), qPrintable(title));
            titles.insert(title);
        }
    }

    // Each title is whole in the trainer's list (1335 twips wide, bold MS Sans Serif 8.25 pt),
    // so the lessons can be told apart.
    void keypadTitlesFitTheList() {
        Settings settings = Settings::defaults();
        Sounds sounds(settings);
        frmNumBlock form(copy_->db(), settings, sounds);
        form.Form_Load();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QListWidget* list = form.List1;
        QCOMPARE(list->width(), 1335 / 15);
        const QFont design = DialogLook::msSansSerif(8.25, true);
        QCOMPARE(list->font(), design);
        const QFontMetrics metrics(design);
        // The item's text keeps a margin to either side.
        const int margin =
            list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
        const int inner = list->viewport()->width() - 2 * margin;
        QVERIFY(list->count() >= 10);
        for (int i = 0; i < list->count(); ++i) {
            const QString title = list->item(i)->text();
            QVERIFY2(metrics.horizontalAdvance(title) <= inner, qPrintable(title));
        }
    }

    void keypadLessonsGrowFromTheHomeKeys() {
        KeypadProgression progression;
        QStringList faults;
        for (const QString& title : copy_->texts(QStringLiteral("SELECT title FROM numuebungen"))) {
            const QVariantList text = copy_->column(
                QStringLiteral("SELECT txt FROM numuebungen WHERE title = ?"), {title});
            QCOMPARE(text.size(), 1);
            const QStringList lines = CourseText::lines(text.first().toString());
            QVERIFY2(lines.size() >= 4 && lines.size() <= 20, qPrintable(title));
            for (const QString& line : lines)
                QVERIFY2(line.size() <= 20, qPrintable(title + QStringLiteral(": ") + line));
            faults << progression.admit(title, text.first().toString());
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        // By the end every key of the block has been practised, the operators too.
        QCOMPARE(progression.known().size(), int(KeypadProgression::keypadCharacters().size()));
    }
};

#include "tst_courseextras.moc"
QUENDAL_TEST(TstCourseExtras)
