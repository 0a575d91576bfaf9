// Reference: the barest Qt main window, a label in it. Same size as the typing window.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Reference label"));
    auto* label = new QLabel(QStringLiteral("Reference"), &window);
    label->setTextFormat(Qt::PlainText);
    window.setCentralWidget(label);
    window.resize(928, 625);
    window.show();
    return app.exec();
}
