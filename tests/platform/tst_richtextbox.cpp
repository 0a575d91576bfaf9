#include "TestMain.h"

#include "platform/OleColor.h"
#include "platform/RichTextBox.h"

#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

class TestRichTextBox : public QObject {
    Q_OBJECT
private slots:
    void keepsTheTextAsGiven() {
        RichTextBox box;
        const QString text = QStringLiteral("ab\r\ncd\r\n\r\nx");
        box.setText(text);
        QCOMPARE(box.text(), text);
        QCOMPARE(box.textLength(), 11);
        QCOMPARE(box.document()->blockCount(), 4);
    }

    // Offsets count CR and LF one each; colouring a raw character colours the right letter.
    void offsetsCountCrAndLfSeparately_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QChar>("shown");
        QTest::newRow("before the break") << "ab\r\ncd" << 1 << QChar('b');
        QTest::newRow("after the break") << "ab\r\ncd" << 4 << QChar('c');
        QTest::newRow("after two breaks") << "a\r\n\r\nb" << 5 << QChar('b');
        QTest::newRow("lone LF") << "a\nb" << 2 << QChar('b');
        QTest::newRow("umlaut after break") << QString::fromUtf8("x\r\nä") << 3 << QChar(0xE4);
    }
    void offsetsCountCrAndLfSeparately() {
        QFETCH(QString, text);
        QFETCH(int, offset);
        QFETCH(QChar, shown);
        RichTextBox box;
        box.setText(text);
        box.setSelection(offset, 1);
        box.setSelColor(OleColor::Red);
        box.setSelEmphasis(true);
        for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                const bool red = fragment.charFormat().foreground().color() == QColor(Qt::red);
                if (red) {
                    QCOMPARE(fragment.text(), QString(shown));
                    QVERIFY(fragment.charFormat().fontUnderline());
                }
            }
        QCOMPARE(box.colorAt(offset), OleColor::Red);
        QVERIFY(box.emphasisAt(offset));
        QCOMPARE(box.colorAt(0), OleColor::Black); // only the one character is marked
    }

    void selectionIsClampedAndOwnedByTheBox() {
        RichTextBox box;
        box.setText(QStringLiteral("abc"));
        box.setSelection(2, 10);
        QCOMPARE(box.selStart(), 2);
        QCOMPARE(box.selLength(), 1);
        box.setSelection(-5, 1);
        QCOMPARE(box.selStart(), 0);
        box.setSelection(7, 1);
        QCOMPARE(box.selStart(), 3);
        QCOMPARE(box.selLength(), 0);
        box.setSelColor(OleColor::Red); // an empty selection colours nothing
        for (int i = 0; i < 3; ++i)
            QCOMPARE(box.colorAt(i), OleColor::Black);
    }

    void newTextDropsOldMarks() {
        RichTextBox box;
        box.setText(QStringLiteral("abc"));
        box.setSelection(0, 3);
        box.setSelColor(OleColor::Red);
        box.setText(QStringLiteral("xyz"));
        QCOMPARE(box.colorAt(0), OleColor::Black);
        QCOMPARE(box.selLength(), 0);
    }
};

QUENDAL_TEST(TestRichTextBox)
#include "tst_richtextbox.moc"
