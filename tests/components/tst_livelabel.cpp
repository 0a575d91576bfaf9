#include "TestMain.h"

#include "components/DialogLook.h"
#include "components/LiveLabel.h"

#include <QTest>

// The live label must look exactly like an ordinary label with the same settings.
class TstLiveLabel : public QObject {
    Q_OBJECT

    static QImage shot(QLabel& label, const QFont& font, const QString& text, Qt::Alignment align,
                       bool framed) {
        label.setTextFormat(Qt::PlainText);
        label.setFont(font);
        label.setAlignment(align);
        label.setText(text);
        if (framed)
            label.setFrameStyle(QFrame::Box | QFrame::Plain);
        QPalette pal = label.palette();
        pal.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0xFF));
        pal.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0x00));
        label.setPalette(pal);
        label.setAutoFillBackground(true);
        label.resize(105, 29);
        return label.grab().toImage();
    }

private slots:
    void drawsAsAnOrdinaryLabel_data() {
        QTest::addColumn<QFont>("font");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("align");
        QTest::addColumn<bool>("framed");
        const QFont panel = DialogLook::font(QStringLiteral("Arial"), 8);
        const QFont lesson = DialogLook::courierNew(18, true);
        const int right = Qt::AlignRight | Qt::AlignVCenter;
        QTest::newRow("count") << panel << QStringLiteral("1234") << right << false;
        QTest::newRow("percent") << panel << QStringLiteral("12,5 %") << right << false;
        QTest::newRow("time") << panel << QStringLiteral("01:05") << int(Qt::AlignLeft) << false;
        QTest::newRow("expected letter")
            << lesson << QStringLiteral("\u00e4") << int(Qt::AlignCenter) << false;
        QTest::newRow("expected line break")
            << lesson << QStringLiteral("RETURN") << int(Qt::AlignCenter) << false;
        QTest::newRow("wider than the label")
            << lesson << QStringLiteral("abcdefghijk") << right << false;
        QTest::newRow("bottom") << lesson << QStringLiteral("\u20ac")
                                << int(Qt::AlignBottom | Qt::AlignHCenter) << false;
        QTest::newRow("not in the font")
            << lesson << QStringLiteral("\u4e2d") << int(Qt::AlignCenter) << false;
        QTest::newRow("framed") << panel << QStringLiteral("7") << right << true;
    }
    void drawsAsAnOrdinaryLabel() {
        QFETCH(QFont, font);
        QFETCH(QString, text);
        QFETCH(int, align);
        QFETCH(bool, framed);
        QLabel ordinary;
        LiveLabel live;
        const QImage expected = shot(ordinary, font, text, Qt::Alignment(align), framed);
        const QImage actual = shot(live, font, text, Qt::Alignment(align), framed);
        QCOMPARE(actual, expected);
        QVERIFY(expected != QLabel().grab().toImage()); // something was drawn
    }
};

#include "tst_livelabel.moc"
QUENDAL_TEST(TstLiveLabel)
