#include "CommandBarBuilder.h"

#include "ToolBarPictures.h"
#include "components/Maker.h"
#include "components/PictureButton.h"
#include "frmSchreiben.h"
#include "platform/Twips.h"

#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>

void CommandBarBuilder::addEntries(QMenu* menu, std::span<QAction*> actions,
                                   std::initializer_list<Entry> entries,
                                   void (frmSchreiben::*handler)(int)) {
    frmSchreiben* window = &window_;
    int i = 0;
    for (const Entry& entry : entries) {
        QAction* action = menu->addAction(QString::fromUtf8(entry.caption));
        action->setShortcut(entry.shortcut);
        QObject::connect(action, &QAction::triggered, window,
                         [window, handler, i] { (window->*handler)(i); });
        actions[i++] = action;
    }
}

void CommandBarBuilder::buildMenus() {
    frmSchreiben& w = window_;
    QMenuBar* bar = w.menuBar();
    const QKeySequence none;
    w.mDatei = bar->addMenu(QStringLiteral("&Datei"));
    addEntries(w.mDatei, w.menuDatei, {{"&Beenden", Qt::CTRL | Qt::Key_Q}},
               &frmSchreiben::menuDatei_Click);

    w.mLek = bar->addMenu(QStringLiteral("&Lektionen"));
    addEntries(w.mLek, w.menulek,
               {{"&Auswahl", Qt::CTRL | Qt::Key_L},
                {"&Start", none},
                {"&Pause", none},
                {"&Weiter", none},
                {"S&top", none},
                {"Beenden", none}},
               &frmSchreiben::menulek_Click);
    for (int i = 1; i < 6; ++i)
        w.menulek[i]->setEnabled(false);
    w.menulek[5]->setVisible(false); // the end of a lesson is entered by the cursor alone

    w.mGym = bar->addMenu(QStringLiteral("&Gymnastik"));
    addEntries(w.mGym, w.menuGym, {{"&Auswahl", Qt::CTRL | Qt::Key_G}},
               &frmSchreiben::menuGym_Click);

    w.mEinstellungen = bar->addMenu(QStringLiteral("&Einstellungen"));
    addEntries(w.mEinstellungen, w.menuEinstellungen,
               {{"&Audio", none},
                {"&Reminder", Qt::CTRL | Qt::Key_R},
                {"&Farbe", none},
                {"&Verschiedenes", none}},
               &frmSchreiben::menuEinstellungen_Click);

    w.mModule = bar->addMenu(QStringLiteral("&Module"));
    addEntries(w.mModule, w.menuModule, {{"&Nummernblock", Qt::CTRL | Qt::Key_N}},
               &frmSchreiben::menuModule_Click);

    w.mAuswertung = bar->addMenu(QStringLiteral("&Auswertung"));
    addEntries(w.mAuswertung, w.menuAuswertung, {{"&Statistik", Qt::CTRL | Qt::Key_X}},
               &frmSchreiben::menuAuswertung_Click);

    w.mUeber = bar->addMenu(QString::fromUtf8("&Über"));
    addEntries(w.mUeber, w.menuUeber,
               {{"&Quendal", Qt::CTRL | Qt::Key_Y},
                {"Quendal im &Web", Qt::CTRL | Qt::Key_W},
                {"&Mail", Qt::CTRL | Qt::Key_M}},
               &frmSchreiben::menuUeber_Click);

    w.mHilfe = bar->addMenu(QStringLiteral("&?"));
    addEntries(w.mHilfe, w.menuHilfe, {{"&QuenDal Hilfe", none}, {"Ti&ps und Tricks...", none}},
               &frmSchreiben::menuHilfe_Click);
    w.menWichtig = w.mHilfe->addAction(QStringLiteral("&Wichtige Informationen"));
    QObject::connect(w.menWichtig, &QAction::triggered, &w, &frmSchreiben::menWichtig_Click);
}

void CommandBarBuilder::buildToolBar() {
    frmSchreiben& w = window_;
    const struct {
        int index;
        QString tooltip;
        quint32 color;
    } buttons[] = {
        {0, QStringLiteral("Statistik / Auswertungen"), 0x80FF80},
        {1, QStringLiteral("Browser starten (") + Maker::homePage() + QStringLiteral(")"),
         0xFFFFFF},
        {2, QStringLiteral("Reminder "), 0x80FF80},
        {3, QString::fromUtf8("Lektionen - Auswahl öffnen"), 0xC0C0C0},
        {4, QStringLiteral("Nummernblock - Trainer"), 0xC0C0C0},
        {6, QStringLiteral("Optionen / Einstellungen"), 0xC0C0C0},
    };
    int slot = 0;
    for (const auto& b : buttons) {
        auto* button = new PictureButton(ToolBarPictures::forButton(b.index), b.color, w.Frame4);
        button->setObjectName(QStringLiteral("ToolButton_%1").arg(b.index));
        button->setToolTip(b.tooltip);
        button->setGeometry(Twips::rect(13140, 180 + slot++ * 576, 555, 495));
        QObject::connect(button, &QAbstractButton::clicked, &w,
                         [&w, i = b.index] { w.ToolButton_Click(i); });
        w.ToolButton[b.index] = button;
    }
}
