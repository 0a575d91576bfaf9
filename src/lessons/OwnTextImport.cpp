#include "OwnTextImport.h"

#include "LessonHandOver.h"
#include "OwnText.h"
#include "platform/MessageBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QStringList>

namespace OwnTextImport {

bool run(QWidget* dialog, LessonHandOver& handOver) {
    // The user's own texts are theirs: the search starts at home, not where the program runs.
    QFileDialog open(dialog, QString::fromUtf8("Datei öffnen"), QDir::homePath());
    open.setNameFilter(QStringLiteral("Textdateien txt (*.txt)"));
    open.setFileMode(QFileDialog::ExistingFile);
    open.setAcceptMode(QFileDialog::AcceptOpen);
    // Qt's own dialog, which speaks German; a desktop's dialog would speak the desktop's language.
    open.setOption(QFileDialog::DontUseNativeDialog);
    if (open.exec() != QDialog::Accepted || open.selectedFiles().isEmpty())
        return false;
    const QString path = open.selectedFiles().constFirst();

    // A file that cannot be read, or holds nothing to type, ends the import quietly.
    const std::optional<QString> TextIn = OwnText::readFile(path);
    if (!TextIn)
        return false;

    QCoreApplication::processEvents(); // repaint what the file dialog covered first
    if (dialog)
        dialog->setCursor(Qt::WaitCursor);
    const OwnText::Normalised result = OwnText::doit(*TextIn);
    const bool usable = OwnText::hasContent(result.TextOut);
    if (usable && (result.Changed || result.Truncated))
        MessageBox::show(QString::fromUtf8("Der Text wurde zur besseren Darstellung verändert !"),
                         QStringLiteral("Eigene Texte"), QMessageBox::Warning, dialog);
    if (dialog)
        dialog->unsetCursor();
    if (!usable)
        return false;

    handOver.LekText = result.TextOut;
    handOver.LekAuswahl = LessonHandOver::OwnText;
    handOver.LekTitle = OwnText::titleFromPath(path);
    return true;
}

} // namespace OwnTextImport
