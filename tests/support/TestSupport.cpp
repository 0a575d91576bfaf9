#include "TestSupport.h"

#include "data/Schema.h"
#include "platform/Database.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QPaintEvent>
#include <QScreen>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <memory>

namespace TestSupport {

QString binDir() {
    return QStringLiteral(QUENDAL_BIN_DIR);
}

QString templateDb() {
    return binDir() + QStringLiteral("/quendal1_1.mdb");
}

bool createEmptyDb(const QString& path) {
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return false;
    }
    Database db;
    QString error;
    return db.open(path) && Schema::create(db, &error);
}

bool execOn(const QString& dbPath, const QString& sql, const QVariantList& values) {
    Database db;
    if (!db.open(dbPath) || !db.exec(sql, values)) {
        qWarning("statement failed: %s (%s)", qPrintable(sql), qPrintable(db.lastError()));
        return false;
    }
    return true;
}

QVariant queryValue(const QString& dbPath, const QString& sql, const QVariantList& values) {
    Database db;
    if (!db.open(dbPath))
        return {};
    QSqlQuery query(db.connection());
    if (!db.run(query, sql, values) || !query.next())
        return {};
    return query.value(0);
}

static void sendKeyEvent(QEvent::Type type, QWidget* target, int qtKey, const QString& text,
                         Qt::KeyboardModifiers modifiers, quint32 nativeScanCode) {
    QKeyEvent event(type, qtKey, modifiers, nativeScanCode, 0, 0, text);
    QApplication::sendEvent(target, &event);
}

void pressKey(QWidget* target, int qtKey, const QString& text, Qt::KeyboardModifiers modifiers,
              quint32 nativeScanCode) {
    sendKeyEvent(QEvent::KeyPress, target, qtKey, text, modifiers, nativeScanCode);
}

void releaseKey(QWidget* target, int qtKey, const QString& text, Qt::KeyboardModifiers modifiers,
                quint32 nativeScanCode) {
    sendKeyEvent(QEvent::KeyRelease, target, qtKey, text, modifiers, nativeScanCode);
}

void clickKey(QWidget* target, int qtKey, const QString& text, Qt::KeyboardModifiers modifiers,
              quint32 nativeScanCode) {
    pressKey(target, qtKey, text, modifiers, nativeScanCode);
    releaseKey(target, qtKey, text, modifiers, nativeScanCode);
}

static int qtKeyFor(QChar c) {
    if (c == QLatin1Char(' '))
        return Qt::Key_Space;
    const QChar upper = c.toUpper();
    if (upper >= QLatin1Char('A') && upper <= QLatin1Char('Z'))
        return upper.unicode();
    switch (c.unicode()) {
    case 0xE4:
    case 0xC4:
        return Qt::Key_Adiaeresis;
    case 0xF6:
    case 0xD6:
        return Qt::Key_Odiaeresis;
    case 0xFC:
    case 0xDC:
        return Qt::Key_Udiaeresis;
    case 0xDF:
        return Qt::Key_ssharp;
    default:
        return c.unicode();
    }
}

QStringList shapedWidgets(const QWidget* root) {
    QList<const QWidget*> widgets{root};
    for (const QWidget* child : root->findChildren<const QWidget*>())
        widgets.append(child);
    QStringList shaped;
    for (const QWidget* widget : widgets)
        if (!(widget->font().styleStrategy() & QFont::PreferNoShaping))
            shaped.append(QString::fromLatin1(widget->metaObject()->className()) + u' ' +
                          widget->objectName());
    return shaped;
}

bool PaintCounter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        ++paints[watched];
        regions[watched] += static_cast<QPaintEvent*>(event)->region();
    }
    return false;
}

QImage windowContents(QWidget* window) {
    return window->screen()->grabWindow(window->winId()).toImage();
}

void typeText(QWidget* target, const QString& text) {
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() &&
                text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            clickKey(target, Qt::Key_Return, QStringLiteral("\r"));
            continue;
        }
        const Qt::KeyboardModifiers modifiers = c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier;
        clickKey(target, qtKeyFor(c), QString(c), modifiers);
    }
}

namespace {

// Closes every modal window still open, innermost first. After a failed check no callback will
// close them, and exec() would wait for ever.
void closeModals() {
    for (int i = 0; i < 20; ++i) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->done(QDialog::Rejected);
        else
            modal->hide();
    }
}

// Whatever way a callback returns, a failed check in it leaves no modal window open.
struct CloseModalsOnFailure {
    ~CloseModalsOnFailure() {
        if (QTest::currentTestFailed())
            closeModals();
    }
};

// The test function and data row running now.
QByteArray currentTest() {
    return QByteArray(QTest::currentTestFunction()) + '/' + QByteArray(QTest::currentDataTag());
}

} // namespace

void onModal(std::function<void(QWidget*)> action, int timeoutMs) {
    auto timer = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(
        timer, &QTimer::timeout, [timer, clock, action, timeoutMs, test = currentTest()] {
            QWidget* modal = QApplication::activeModalWidget();
            if (test == currentTest() && !modal && clock->elapsed() <= timeoutMs)
                return;
            timer->stop();
            timer->deleteLater();
            if (test != currentTest())
                return; // the test that waited is over
            const CloseModalsOnFailure guard;
            if (QTest::currentTestFailed())
                return; // a check failed before: the test ends here, and its dialogs with it
            if (modal)
                action(modal);
            else
                QTest::qFail("no modal window appeared", __FILE__, __LINE__);
        });
    timer->start(10);
}

void addOddLessonTextRows(const char* typable) {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>(typable);
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("length");
    QTest::newRow("lone CR") << "ab\rcd"
                             << "ab\r\ncd"
                             << "ab\ncd" << 4;
    QTest::newRow("lone LF") << "ab\ncd"
                             << "ab\r\ncd"
                             << "ab\ncd" << 4;
    QTest::newRow("CR CR LF") << "ab\r\r\ncd"
                              << "ab\r\n\r\ncd"
                              << "ab\n\ncd" << 4;
    QTest::newRow("LF CR") << "ab\n\rcd"
                           << "ab\r\n\r\ncd"
                           << "ab\n\ncd" << 4;
    QTest::newRow("TAB") << "ab\tcd"
                         << "ab cd"
                         << "ab cd" << 5;
}

} // namespace TestSupport
