#include "app/Program.h"
#include "app/frmSchreiben.h"
#include "platform/ApplicationLook.h"
#include "platform/StartUpWarmUp.h"

#include <QApplication>
#include <malloc.h>

int main(int argc, char** argv) {
    // One heap for all threads: the helper threads allocate little, and a heap of their own kept
    // the pages the start-up thread had used and freed (some 100-200 KB) for ever.
    mallopt(M_ARENA_MAX, 1);
    StartUpWarmUp warmUp;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quendal1_1"));
    QApplication::setApplicationVersion(QStringLiteral(QUENDAL_VERSION));
    const SessionBusWarmUp sessionBus;
    warmUp.installTranslation();

    Program program(QCoreApplication::applicationDirPath());
    warmUp.wait(); // the fonts of the look and of the window need the font catalogue
    ApplicationLook::apply();
    frmSchreiben window(program);
    if (!window.Form_Load())
        return 1;
    window.show();
    return app.exec();
}
