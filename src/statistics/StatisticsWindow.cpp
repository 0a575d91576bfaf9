#include "StatisticsWindow.h"

#include "components/DialogLook.h"
#include "platform/MessageBox.h"
#include "platform/Twips.h"

#include <QPushButton>

StatisticsWindow::StatisticsWindow(const QString& name, const QString& caption, int widthTwips,
                                   int heightTwips, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(name);
    setWindowTitle(caption);
    setFont(DialogLook::msSansSerif(8.25));
    setFixedSize(Twips::toPixels(widthTwips), Twips::toPixels(heightTwips));
}

QPushButton* StatisticsWindow::closeButton(const QString& name, const QRect& twips,
                                           bool isDefault) {
    auto* button = new QPushButton(QString::fromUtf8("Schließen"), this);
    button->setObjectName(name);
    button->setGeometry(Twips::rect(twips.x(), twips.y(), twips.width(), twips.height()));
    button->setDefault(isDefault);
    button->setAutoDefault(isDefault);
    connect(button, &QPushButton::clicked, this, &QDialog::reject);
    return button;
}

void StatisticsWindow::showReadError(const QString& description) {
    MessageBox::show(QStringLiteral("Die Ergebnisse können nicht gelesen werden.\r\n") +
                     description);
}

int StatisticsWindow::showModal() {
    Form_Load();
    const int result = exec();
    Form_Unload();
    return result;
}
