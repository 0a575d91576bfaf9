// The lessons of the generated template database: the tabs, the lesson numbers the selection
// dialog looks up, the shape of every text, the comments and the order in which keys come in.
#include "CourseText.h"
#include "KeyProgression.h"
#include "TemplateCopy.h"
#include "TestMain.h"

#include <QSet>
#include <QTest>
#include <memory>

class TstCourseLessons : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void tabsStandInLearningOrder();
    void typeNamesAreShortUniqueCaptions();
    void everyTypeHasEightToTwentyLessons_data();
    void everyTypeHasEightToTwentyLessons();
    void courseHasEnoughLessonsAndAllBelongToATab();
    void dialogFindsEveryLessonByItsNumber_data();
    void dialogFindsEveryLessonByItsNumber();
    void idsAreUsableKeys();
    void titlesAreUniqueAndShort();
    void textHasTheRightShape_data();
    void textHasTheRightShape();
    void commentSaysOneOrTwoSentences_data();
    void commentSaysOneOrTwoSentences();
    void keysComeInAtMostTwoAtATime();
    void courseCoversEveryCharacterKey();
    void firstLessonIsAShortHomeRowDrill();

private:
    std::unique_ptr<TemplateCopy> copy_;
    QList<CourseType> types_;
    QList<CourseLesson> lessons_;
};

void TstCourseLessons::initTestCase() {
    copy_ = std::make_unique<TemplateCopy>();
    QVERIFY2(copy_->isOpen(), qPrintable(copy_->error()));
    types_ = copy_->types();
    lessons_ = copy_->lessons(types_);
    QVERIFY2(copy_->error().isEmpty(), qPrintable(copy_->error()));
}

void TstCourseLessons::tabsStandInLearningOrder() {
    // The dialog adds one tab per row of its unordered statement; the course is written in
    // learning order with rising ids, so the tabs must come back in that order.
    QVERIFY(types_.size() >= 7);
    for (int i = 1; i < types_.size(); ++i)
        QVERIFY2(types_[i - 1].id < types_[i].id,
                 qPrintable(QStringLiteral("tab \"%1\" stands before \"%2\"")
                                .arg(types_[i - 1].name, types_[i].name)));
}

void TstCourseLessons::typeNamesAreShortUniqueCaptions() {
    QSet<QString> names;
    for (const CourseType& type : types_) {
        QVERIFY2(!type.name.trimmed().isEmpty() && type.name == type.name.trimmed(),
                 qPrintable(type.name));
        QVERIFY2(!type.name.contains(QLatin1Char('"')), qPrintable(type.name));
        QVERIFY2(type.name.size() <= 15, qPrintable(type.name));
        QVERIFY2(!names.contains(type.name), qPrintable(type.name));
        names.insert(type.name);
    }
}

void TstCourseLessons::everyTypeHasEightToTwentyLessons_data() {
    QTest::addColumn<QString>("name");
    for (const CourseType& type : types_)
        QTest::newRow(qPrintable(type.name)) << type.name;
}

void TstCourseLessons::everyTypeHasEightToTwentyLessons() {
    QFETCH(QString, name);
    const auto count = std::count_if(lessons_.begin(), lessons_.end(),
                                     [&](const CourseLesson& l) { return l.typeName == name; });
    QVERIFY2(count >= 8 && count <= 20, qPrintable(QString::number(count)));
}

void TstCourseLessons::courseHasEnoughLessonsAndAllBelongToATab() {
    QVERIFY(lessons_.size() >= 80);
    const QVariantList all = copy_->column(QStringLiteral("SELECT count(*) FROM uebungen"));
    QCOMPARE(all.value(0).toInt(), lessons_.size());
}

void TstCourseLessons::dialogFindsEveryLessonByItsNumber_data() {
    QTest::addColumn<QString>("name");
    for (const CourseType& type : types_)
        QTest::newRow(qPrintable(type.name)) << type.name;
}

void TstCourseLessons::dialogFindsEveryLessonByItsNumber() {
    // The slider runs from 1 to the type's lesson count and every position must find exactly
    // one lesson: ordnungszahl runs 1..N without gaps or doubles.
    QFETCH(QString, name);
    const QVariantList count = copy_->column(
        QStringLiteral("SELECT Count(uebungen.id) FROM uebungsarten INNER JOIN uebungen ON "
                       "uebungsarten.id = uebungen.art WHERE uebungsarten.bezeichnung = ?"),
        {name});
    const int total = count.value(0).toInt();
    QVERIFY(total > 0);
    for (int n = 1; n <= total + 1; ++n) {
        const QVariantList found = copy_->column(
            QStringLiteral("SELECT uebungen.id FROM uebungsarten INNER JOIN uebungen ON "
                           "uebungsarten.id = uebungen.art WHERE uebungen.ordnungszahl = ? AND "
                           "uebungsarten.bezeichnung = ?"),
            {n, name});
        QVERIFY2(found.size() == (n <= total ? 1 : 0),
                 qPrintable(QStringLiteral("number %1: %2 lessons").arg(n).arg(found.size())));
    }
}

void TstCourseLessons::idsAreUsableKeys() {
    // 0 means "no choice" to the main window and 999999 marks an own text in the results.
    QSet<qint64> ids;
    for (const CourseLesson& lesson : lessons_) {
        QVERIFY2(lesson.id > 0 && lesson.id != 999999 && lesson.id <= 0x7FFFFFFF,
                 qPrintable(lesson.where()));
        QVERIFY2(!ids.contains(lesson.id), qPrintable(lesson.where()));
        ids.insert(lesson.id);
    }
}

void TstCourseLessons::titlesAreUniqueAndShort() {
    // The statistics group results by title, and the title goes into the window caption.
    QSet<QString> titles;
    for (const CourseLesson& lesson : lessons_) {
        QVERIFY2(!lesson.title.trimmed().isEmpty(), qPrintable(lesson.where()));
        QVERIFY2(lesson.title.size() <= 30, qPrintable(lesson.where()));
        QVERIFY2(!lesson.title.contains(QLatin1Char('"')) &&
                     !lesson.title.contains(QLatin1Char('\'')),
                 qPrintable(lesson.where()));
        QVERIFY2(!titles.contains(lesson.title), qPrintable(lesson.where()));
        titles.insert(lesson.title);
    }
}

void TstCourseLessons::textHasTheRightShape_data() {
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("text");
    for (const CourseLesson& lesson : lessons_)
        QTest::newRow(qPrintable(QString::number(lesson.id))) << lesson.where() << lesson.text;
}

void TstCourseLessons::textHasTheRightShape() {
    QFETCH(QString, where);
    QFETCH(QString, text);
    const QString typeable = typeableCharacters(BuildKeyTable()) + QLatin1Char(' ');
    const QStringList faults = CourseText::lessonFaults(where, text, typeable);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

void TstCourseLessons::commentSaysOneOrTwoSentences_data() {
    QTest::addColumn<QString>("kommentar");
    for (const CourseLesson& lesson : lessons_)
        QTest::newRow(qPrintable(QString::number(lesson.id))) << lesson.kommentar;
}

void TstCourseLessons::commentSaysOneOrTwoSentences() {
    // The comment label of the selection dialog holds about five lines.
    QFETCH(QString, kommentar);
    const int sentences = CourseText::sentenceCount(kommentar);
    QVERIFY2(sentences >= 1 && sentences <= 2, qPrintable(kommentar));
    QVERIFY2(kommentar.size() <= 250, qPrintable(kommentar));
}

void TstCourseLessons::keysComeInAtMostTwoAtATime() {
    KeyProgression progression;
    QStringList faults;
    for (const CourseLesson& lesson : lessons_)
        faults << progression.admit(lesson.where(), lesson.text, lesson.tasten);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

void TstCourseLessons::courseCoversEveryCharacterKey() {
    KeyProgression progression;
    for (const CourseLesson& lesson : lessons_)
        progression.admit(lesson.where(), lesson.text, lesson.tasten);
    for (int row = 0; row < KeyCount; ++row) {
        const QStringList names = progression.keys()[row].Names.split(QLatin1Char('|'));
        const bool characterKey = std::any_of(names.begin(), names.end(),
                                              [](const QString& name) { return name.size() == 1; });
        if (characterKey)
            QVERIFY2(progression.isKnown(row), qPrintable(progression.keys()[row].Names));
    }
}

void TstCourseLessons::firstLessonIsAShortHomeRowDrill() {
    QVERIFY(!lessons_.isEmpty());
    const CourseLesson& first = lessons_.first();
    QCOMPARE(first.ordnungszahl, 1);
    QCOMPARE(first.typeName, types_.first().name);
    const QString typed = QString(first.text).remove(QStringLiteral("\r\n"));
    QVERIFY2(typed.size() <= 80, qPrintable(first.text));
    for (const QChar c : typed)
        QVERIFY2(QStringLiteral("asdfjklö ").contains(c), qPrintable(first.text));
}

#include "tst_courselessons.moc"
QUENDAL_TEST(TstCourseLessons)
