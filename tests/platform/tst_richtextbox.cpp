#include "TestMain.h"
#include "TestSupport.h"

#include "platform/OleColor.h"
#include "platform/RichTextBox.h"

#include <QScrollBar>
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

    // Colour and emphasis set on overlapping ranges: each character keeps what was set last.
    void overlappingMarks_data() {
        QTest::addColumn<QString>("colors");   // per character: r red, g green, . black
        QTest::addColumn<QString>("emphasis"); // per character: u underlined, . not
        QTest::newRow("red, then the middle green")
            << QStringLiteral("rgggr...") << QStringLiteral("........");
        QTest::newRow("underline over the seam")
            << QStringLiteral("rgggr...") << QStringLiteral("...uuuu.");
        QTest::newRow("black again in the middle")
            << QStringLiteral("r...r...") << QStringLiteral("...uuuu.");
    }
    void overlappingMarks() {
        QFETCH(QString, colors);
        QFETCH(QString, emphasis);
        RichTextBox box;
        box.setText(QStringLiteral("abcdefgh"));
        box.setSelection(0, 5);
        box.setSelColor(OleColor::Red);
        box.setSelection(1, 3);
        box.setSelColor(colors.at(2) == QLatin1Char('.') ? OleColor::Black : 0x00FF00);
        const int u = int(emphasis.indexOf(QLatin1Char('u')));
        if (u >= 0) {
            box.setSelection(u, int(emphasis.count(QLatin1Char('u'))));
            box.setSelEmphasis(true);
        }
        for (int i = 0; i < colors.size(); ++i) {
            const quint32 expected = colors.at(i) == QLatin1Char('r')   ? OleColor::Red
                                     : colors.at(i) == QLatin1Char('g') ? 0x00FF00
                                                                        : OleColor::Black;
            QCOMPARE(box.colorAt(i), expected);
            QCOMPARE(box.emphasisAt(i), emphasis.at(i) == QLatin1Char('u'));
        }
    }

    // The mark is what the box shows: red pixels where the marked letter stands, none elsewhere.
    void markIsDrawn() {
        RichTextBox box;
        box.resize(300, 80);
        box.setText(QStringLiteral("xxxx\r\nxxxx"));
        box.setSelection(7, 1); // the second x of the second line
        box.setSelColor(OleColor::Red);
        box.setSelEmphasis(true);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QTextCursor at(box.document());
        at.setPosition(6);
        const QRect letter = box.cursorRect(at).united(box.cursorRect([&] {
            QTextCursor after = at;
            after.setPosition(7);
            return after;
        }()));
        const QImage image = box.viewport()->grab().toImage();
        int inside = 0, outside = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 150 && c.green() < 80 && c.blue() < 80)
                    ++(letter.adjusted(-1, -1, 1, 3).contains(x, y) ? inside : outside);
            }
        QVERIFY(inside > 0);
        QCOMPARE(outside, 0);
    }

    // Moving the mark repaints the cells of the two letters, not their lines; what the box then
    // shows is the box drawn afresh, with no trace of the mark at its old place.
    void movingTheMarkRepaintsItsCellsOnly_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::newRow("next letter") << 1 << 2;
        QTest::newRow("next line") << 3 << 6;
        QTest::newRow("accented capital") << 6 << 7;
        QTest::newRow("back to the first line") << 9 << 0;
    }
    void movingTheMarkRepaintsItsCellsOnly() {
        QFETCH(int, from);
        QFETCH(int, to);
        RichTextBox box;
        box.resize(300, 80);
        box.setText(QStringLiteral("\u00c4xyz\r\nq\u00d6gj"));
        box.setSelection(from, 1);
        box.setSelMark(OleColor::Red, true);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        TestSupport::PaintCounter counter;
        box.viewport()->installEventFilter(&counter);
        box.setSelMark(OleColor::Black, false);
        box.setSelection(to, 1);
        box.setSelMark(OleColor::Red, true);
        QTRY_VERIFY(counter.paints.value(box.viewport()) > 0);
        const QRect painted = counter.regions.value(box.viewport()).boundingRect();
        QVERIFY(painted.width() < box.viewport()->width() / 2);
        QCOMPARE(TestSupport::windowContents(&box).convertToFormat(QImage::Format_RGB32),
                 box.grab().toImage().convertToFormat(QImage::Format_RGB32));
    }

    // Marking walks a long text without touching the document: nothing is laid out again,
    // and the offsets still count CR and LF one each at the far end.
    void markingALongTextLeavesTheDocumentAlone() {
        QString text = QString(50000, QLatin1Char('f')) + QStringLiteral("\r\n");
        text += QString(50000, QLatin1Char('j'));
        RichTextBox box;
        box.setText(text);
        int changes = 0;
        connect(box.document(), &QTextDocument::contentsChange, this, [&] { ++changes; });
        for (const int offset : {0, 49999, 50002, 99999, 100001}) {
            box.setSelection(offset, 1);
            box.setSelColor(OleColor::Red);
            box.setSelEmphasis(true);
            QCOMPARE(box.colorAt(offset), OleColor::Red);
            box.setSelColor(OleColor::Black);
            box.setSelEmphasis(false);
        }
        QCOMPARE(changes, 0);
        box.setSelection(100001, 1);
        box.setSelColor(OleColor::Red);
        QCOMPARE(box.colorAt(100001), OleColor::Red);
        QCOMPARE(box.colorAt(100000), OleColor::Black);
        QCOMPARE(box.colorAt(50001), OleColor::Black); // the LF
    }

    // A selection further down scrolls into view, one back at the top scrolls back.
    void selectionScrollsIntoView() {
        RichTextBox box;
        box.resize(300, 60);
        QString text;
        for (int i = 0; i < 30; ++i)
            text += QStringLiteral("line %1\r\n").arg(i, 2, 10, QLatin1Char('0'));
        box.setText(text);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        const auto selectionShown = [&box](int offset) {
            QTextCursor at(box.document());
            at.setPosition(offset / 9 * 8 + offset % 9); // 9 raw characters, 8 in the document
            return box.viewport()->rect().contains(box.cursorRect(at));
        };
        for (const int offset : {0, 9 * 10, 9 * 25 + 3, 9 * 29, 9 * 2}) {
            box.setSelection(offset, 1);
            QVERIFY2(selectionShown(offset), qPrintable(QString::number(offset)));
        }
        QVERIFY(box.verticalScrollBar()->value() > 0); // line 2 is not the top line
        box.setSelection(0, 1);
        QVERIFY(selectionShown(0));
        QVERIFY(box.verticalScrollBar()->value() < box.fontMetrics().height()); // the top line
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
