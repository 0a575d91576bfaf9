#include "MessageBox.h"

namespace MessageBox {

void show(const QString& text, const QString& title, QMessageBox::Icon icon, QWidget* parent) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace MessageBox
