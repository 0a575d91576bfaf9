#include "FakePortal.h"
#include "TestMain.h"

#include "platform/PortalColorPicker.h"

#include <QTest>
#include <optional>

Q_DECLARE_METATYPE(std::optional<QColor>)

namespace {

// The outcome of one pick: how often the callback ran and with what.
struct Outcome {
    int calls = 0;
    std::optional<QColor> color;
};

PortalColorPicker::Callback record(Outcome& outcome) {
    return [&outcome](std::optional<QColor> color) {
        ++outcome.calls;
        outcome.color = color;
    };
}

} // namespace

class TstPortalPicker : public QObject {
    Q_OBJECT

private slots:
    void available_data() {
        QTest::addColumn<int>("version"); // 0: no portal on the bus
        QTest::addColumn<bool>("expected");
        QTest::newRow("no portal") << 0 << false;
        QTest::newRow("version 1, without PickColor") << 1 << false;
        QTest::newRow("version 2") << 2 << true;
        QTest::newRow("version 4") << 4 << true;
    }

    void available() {
        QFETCH(int, version);
        QFETCH(bool, expected);
        FakePortal portal;
        QVERIFY(portal.isRunning());
        if (version > 0)
            QVERIFY(portal.serve(uint(version)));
        PortalColorPicker picker(portal.clientBus());
        QCOMPARE(picker.available(), expected);
    }

    void noBusNoPortal() {
        PortalColorPicker picker(QDBusConnection(QStringLiteral("never connected")));
        QVERIFY(!picker.available());
        Outcome outcome;
        QVERIFY(!picker.pick(QString(), record(outcome)));
        QVERIFY(!picker.busy());
    }

    void pick_data() {
        QTest::addColumn<uint>("response");
        QTest::addColumn<QVariantMap>("results");
        QTest::addColumn<bool>("ownPath");
        QTest::addColumn<std::optional<QColor>>("expected");
        const QString color = QStringLiteral("color");
        const std::optional<QColor> none;
        QTest::newRow("picked") << 0u << QVariantMap{{color, FakePortal::color(0.5, 0.25, 1.0)}}
                                << false << std::optional(QColor(0x80, 0x40, 0xFF));
        QTest::newRow("black") << 0u << QVariantMap{{color, FakePortal::color(0, 0, 0)}} << false
                               << std::optional(QColor(0, 0, 0));
        QTest::newRow("out of range")
            << 0u << QVariantMap{{color, FakePortal::color(1.5, -0.2, 1.0)}} << false
            << std::optional(QColor(0xFF, 0, 0xFF));
        QTest::newRow("request named by the portal")
            << 0u << QVariantMap{{color, FakePortal::color(0.5, 0.25, 1.0)}} << true
            << std::optional(QColor(0x80, 0x40, 0xFF));
        QTest::newRow("cancelled") << 1u << QVariantMap() << false << none;
        QTest::newRow("failed") << 2u << QVariantMap{{color, FakePortal::color(1, 1, 1)}} << false
                                << none;
        QTest::newRow("no colour") << 0u << QVariantMap() << false << none;
        QTest::newRow("colour as text")
            << 0u << QVariantMap{{color, QStringLiteral("#ff0000")}} << false << none;
    }

    void pick() {
        QFETCH(uint, response);
        QFETCH(QVariantMap, results);
        QFETCH(bool, ownPath);
        QFETCH(std::optional<QColor>, expected);
        FakePortal portal;
        QVERIFY(portal.serve(2));
        portal.setAnswer({response, results, false, ownPath});
        PortalColorPicker picker(portal.clientBus());

        Outcome outcome;
        QVERIFY(picker.pick(QString(), record(outcome)));
        QVERIFY(picker.busy());
        Outcome second;
        QVERIFY(!picker.pick(QString(), record(second))); // one pick at a time
        QTRY_COMPARE(outcome.calls, 1);
        QCOMPARE(outcome.color, expected);
        QVERIFY(!picker.busy());
        QTest::qWait(50);
        QCOMPARE(outcome.calls, 1);
        QCOMPARE(second.calls, 0);
        QCOMPARE(portal.requests().size(), 1);
        QCOMPARE(portal.requests().first().parentWindow, QString());
    }

    // Each request carries a token of its own, usable as the last element of an object path.
    void tokensDiffer() {
        FakePortal portal;
        QVERIFY(portal.serve(2));
        PortalColorPicker picker(portal.clientBus());
        portal.setAnswer({1, {}, false, false});
        for (int i = 0; i < 2; ++i) {
            Outcome outcome;
            QVERIFY(picker.pick(QStringLiteral("x11:1a2b"), record(outcome)));
            QTRY_COMPARE(outcome.calls, 1);
        }
        const auto requests = portal.requests();
        QCOMPARE(requests.size(), 2);
        QCOMPARE(requests.at(0).parentWindow, QStringLiteral("x11:1a2b"));
        const QString first =
            requests.at(0).options.value(QStringLiteral("handle_token")).toString();
        const QString second =
            requests.at(1).options.value(QStringLiteral("handle_token")).toString();
        QVERIFY(!first.isEmpty());
        QVERIFY(first != second);
        const QRegularExpression pathElement(QStringLiteral("^[A-Za-z0-9_]+$"));
        QVERIFY2(pathElement.match(first).hasMatch(), qPrintable(first));
    }

    void silentPortalTimesOut() {
        FakePortal portal;
        QVERIFY(portal.serve(2));
        portal.setAnswer({0, {}, true, false});
        PortalColorPicker picker(portal.clientBus());
        QCOMPARE(picker.timeout(), 120000);
        picker.setTimeout(300);
        Outcome outcome;
        QVERIFY(picker.pick(QString(), record(outcome)));
        QTest::qWait(100);
        QCOMPARE(outcome.calls, 0);
        QTRY_COMPARE(outcome.calls, 1);
        QCOMPARE(outcome.color, std::optional<QColor>());
        // The next pick is possible again and gets its answer.
        portal.setAnswer({0, {{QStringLiteral("color"), FakePortal::color(0.5, 0.25, 1.0)}}});
        QVERIFY(picker.pick(QString(), record(outcome)));
        QTRY_COMPARE(outcome.calls, 2);
        QCOMPARE(outcome.color, std::optional(QColor(0x80, 0x40, 0xFF)));
    }

    void pickWithoutPortalGivesNothing() {
        FakePortal portal;
        PortalColorPicker picker(portal.clientBus());
        Outcome outcome;
        QVERIFY(picker.pick(QString(), record(outcome)));
        QTRY_COMPARE(outcome.calls, 1);
        QCOMPARE(outcome.color, std::optional<QColor>());
        QVERIFY(!picker.busy());
    }

    // A picker that goes away while the portal is still open must not call back.
    void pickerGoneBeforeTheAnswer() {
        FakePortal portal;
        QVERIFY(portal.serve(2));
        portal.setAnswer({0, {{QStringLiteral("color"), FakePortal::color(1, 1, 1)}}});
        Outcome outcome;
        {
            PortalColorPicker picker(portal.clientBus());
            QVERIFY(picker.pick(QString(), record(outcome)));
        }
        QTRY_COMPARE(portal.requests().size(), 1);
        QTest::qWait(100);
        QCOMPARE(outcome.calls, 0);
    }
};

QUENDAL_TEST(TstPortalPicker)
#include "tst_portalpicker.moc"
