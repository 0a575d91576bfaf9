#pragma once

#include <QDialog>
#include <QList>
#include <QRect>

class LinkLabel;
class QLabel;
class QPushButton;

// The about box: product name and version, the maker's links and the credits. It has no title
// bar; "OK", Enter and Esc close it.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    // The link actions: hand the address (or a mailto: link built from it) to the desktop,
    // with the busy pointer while the desktop is asked.
    void OpenURL(const QString& address);
    void SendMail(const QString& address, const QString& subject);

    // Controls, named as the box's design names them.
    QLabel* Label9 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label10 = nullptr;
    LinkLabel* Labelurl = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label12 = nullptr;
    LinkLabel* Labelemail = nullptr;
    QPushButton* cmdOK = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Form_Load();
    void Labelurl_Click();
    void Labelemail_Click();

    QList<QRect> greyFrames_; // the frame round the box and round the credits and the mail
};
