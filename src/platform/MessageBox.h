#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// A modal message box with an OK button only; the title defaults to the program's title.
namespace MessageBox {

inline const QString ProgramTitle = QStringLiteral("Quendal1_1");

void show(const QString& text, const QString& title = ProgramTitle,
          QMessageBox::Icon icon = QMessageBox::NoIcon, QWidget* parent = nullptr);

} // namespace MessageBox
