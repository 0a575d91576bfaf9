#include "app/Program.h"
#include "app/frmSchreiben.h"
#include "platform/ApplicationLook.h"

#include <QApplication>

int main(int argc, char** argv) {
    ApplicationLook::FontCatalogueLoader fonts;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quendal1_1"));
    QApplication::setApplicationVersion(QStringLiteral(QUENDAL_VERSION));
    ApplicationLook::apply();
    fonts.wait();

    Program program(QCoreApplication::applicationDirPath());
    frmSchreiben window(program);
    if (!window.Form_Load())
        return 1;
    window.show();
    return app.exec();
}
