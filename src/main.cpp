#include "app/Program.h"
#include "app/frmSchreiben.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quendal1_1"));
    QApplication::setApplicationVersion(QStringLiteral(QUENDAL_VERSION));

    Program program(QCoreApplication::applicationDirPath());
    frmSchreiben window(program);
    if (!window.Form_Load())
        return 1;
    window.show();
    return app.exec();
}
