#pragma once

#include <QHash>
#include <QImage>
#include <QKeyEvent>
#include <QRegion>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantList>
#include <functional>

class QWidget;
class Database;

namespace TestSupport {

QString binDir();     // the program folder of the build
QString templateDb(); // the generated template database

// Sets (or, with unset, removes) an environment variable for one test and puts the old value
// back afterwards.
class EnvGuard {
public:
    explicit EnvGuard(const char* name) : name_(name), had_(qEnvironmentVariableIsSet(name)) {
        old_ = qgetenv(name);
    }
    EnvGuard(const char* name, const QString& value) : EnvGuard(name) {
        qputenv(name_, value.toLocal8Bit());
    }
    ~EnvGuard() {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }
    void unset() { qunsetenv(name_); }
    EnvGuard(const EnvGuard&) = delete;
    EnvGuard& operator=(const EnvGuard&) = delete;

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

// A fresh APPDATA for one test; the previous value comes back on destruction.
class TempAppData {
public:
    TempAppData() : appdata_("APPDATA", dir_.path()) {}
    QString path() const { return dir_.path(); }
    QString dataFolder() const { return dir_.path() + QStringLiteral("/quendal1_1"); }
    QString dbPath() const { return dataFolder() + QStringLiteral("/quendal1_1.mdb"); }

private:
    QTemporaryDir dir_;
    EnvGuard appdata_;
};

// Creates an empty lesson database (all tables, no rows) at path.
bool createEmptyDb(const QString& path);
// Runs one statement with bound values on a database file; fails the calling test on error.
bool execOn(const QString& dbPath, const QString& sql, const QVariantList& values = {});
// Reads one value of a single-row query.
QVariant queryValue(const QString& dbPath, const QString& sql, const QVariantList& values = {});

// Key press and release carrying explicit text, as typing on a German keyboard delivers them.
// QTest::keyClicks cannot be used for umlauts.
void pressKey(QWidget* target, int qtKey, const QString& text,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier, quint32 nativeScanCode = 0);
void releaseKey(QWidget* target, int qtKey, const QString& text,
                Qt::KeyboardModifiers modifiers = Qt::NoModifier, quint32 nativeScanCode = 0);
void clickKey(QWidget* target, int qtKey, const QString& text,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier, quint32 nativeScanCode = 0);
// Types each character; "\r\n" (or a lone "\n") is typed as one Return.
void typeText(QWidget* target, const QString& text);

// Data rows of lesson texts stored with a lone CR, a lone LF, CR CR LF, LF CR and a TAB, in the
// columns "stored", `typable` (the text in typable form), "keys" (what the user types; "\n" is
// the Enter key) and "length" (the characters counted).
void addOddLessonTextRows(const char* typable);

// The widgets under root (root included) whose font still lets Qt shape text, by class and
// object name; the program draws every character with a glyph of its own.
QStringList shapedWidgets(const QWidget* root);

// Counts the paint events of every object it is installed on.
class PaintCounter : public QObject {
public:
    QHash<QObject*, int> paints;
    QHash<QObject*, QRegion> regions; // what the paints covered

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// What a window shows: its backing store as the last paints left it, not a fresh rendering.
QImage windowContents(QWidget* window);

// Runs action on the active modal widget as soon as one is shown (queued, polling). The test
// fails when none shows within timeoutMs; a failed check leaves no modal window open.
void onModal(std::function<void(QWidget*)> action, int timeoutMs = 5000);

} // namespace TestSupport
