// Reference: a Qt main window with one focused plain text box in the lesson's font, the same
// size as the typing window; it receives the same keys as the program.
#include <QApplication>
#include <QMainWindow>
#include <QPlainTextEdit>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Reference text box"));
    auto* box = new QPlainTextEdit(&window);
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setPointSizeF(18);
    font.setBold(true);
    box->setFont(font);
    box->setUndoRedoEnabled(false);
    window.setCentralWidget(box);
    window.resize(928, 625);
    window.show();
    box->setFocus();
    return app.exec();
}
