#include "app/Program.h"
#include "app/frmSchreiben.h"
#include "platform/ApplicationLook.h"
#include "platform/StartUpWarmUp.h"

#include <QApplication>

int main(int argc, char** argv) {
    StartUpWarmUp warmUp;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quendal1_1"));
    QApplication::setApplicationVersion(QStringLiteral(QUENDAL_VERSION));
    ApplicationLook::apply();
    warmUp.wait();

    Program program(QCoreApplication::applicationDirPath());
    frmSchreiben window(program);
    if (!window.Form_Load())
        return 1;
    window.show();
    return app.exec();
}
