#include "MessageBox.h"

namespace MessageBox {

void show(const QString& text, const QString& title, QMessageBox::Icon icon, QWidget* parent) {
    // Texts keep Windows line breaks; the label wants plain ones.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(icon, title, shown, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText); // paths and titles are shown as written, never as markup
    box.exec();
}

} // namespace MessageBox
