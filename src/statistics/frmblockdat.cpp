#include "frmblockdat.h"

#include "ExactSum.h"
#include "StatisticsQueries.h"
#include "StatisticsText.h"
#include "components/DialogLook.h"
#include "platform/OleColor.h"
#include "platform/Twips.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

frmblockdat::frmblockdat(const Database& db, QWidget* parent)
    : RecordBrowser(QStringLiteral("frmblockdat"), QStringLiteral("Auswertung Fehler der Finger"),
                    5610, 7170, parent) {
    const struct {
        const char* caption;
        int labelLeft;
        const char* column;
        quint32 color;
        QRect box;
    } rows[] = {
        {"Linke Hand Summe:", 720, "linke_Hand", 0xFFC0C0, {3480, 240, 1095, 420}},
        {"Kleiner Finger:", 120, "links_Klein", 0xE0E0E0, {1380, 1095, 1695, 285}},
        {"Ringfinger:", 120, "links_Ring", 0xC0FFFF, {1380, 1320, 3135, 285}},
        {"Mittelfinger:", 120, "links_Mittel", 0xC0FFC0, {1380, 1560, 3375, 285}},
        {"Zeigefinger:", 120, "links_Zeige", 0xFFC0FF, {1380, 1800, 3015, 285}},
        {"Daumen:", 120, "links_Daumen", 0xFFC0C0, {1380, 2040, 1215, 285}},
        {"Daumen:", 120, "rechts_Daumen", 0xFFC0C0, {1380, 3060, 1215, 285}},
        {"Zeigefinger:", 120, "rechts_Zeige", 0xFFC0FF, {1380, 3360, 3015, 285}},
        {"Mittelfinger:", 120, "rechts_Mittel", 0xC0FFC0, {1380, 3600, 3375, 285}},
        {"Ringfinger:", 120, "rechts_Ring", 0xC0FFFF, {1380, 3840, 3135, 285}},
        {"Kleiner Finger:", 120, "rechts_Klein", 0xE0E0E0, {1380, 4080, 1695, 285}},
        {"Rechte Hand Summe:", 750, "rechte_Hand", 0xFFC0C0, {3510, 5145, 1095, 420}},
    };
    for (int i = 0; i < 12; ++i) {
        const bool sum = i == 0 || i == 11;
        const QRect& b = rows[i].box;
        lblLabels[i] = DialogLook::label(
            this, QStringLiteral("lblLabels_%1").arg(i), QString::fromUtf8(rows[i].caption),
            QRect(rows[i].labelLeft, b.y(), b.x() - rows[i].labelLeft, b.height()),
            Qt::AlignLeft | Qt::AlignVCenter);
        lblLabels[i]->setFont(DialogLook::msSansSerif(sum ? 12 : 8.25, sum));
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("txtFields_%1").arg(i));
        box->setGeometry(Twips::rect(b.x(), b.y(), b.width(), b.height()));
        box->setReadOnly(true);
        box->setFont(DialogLook::msSansSerif(sum ? 12 : 8.25, true));
        QPalette pal = box->palette();
        pal.setColor(QPalette::Base, OleColor::toQColor(rows[i].color));
        box->setPalette(pal);
        txtFields[i] = box;
        if (sum) {
            // Added up here from the hand's five finger boxes: the database's "+" turns
            // inexact beyond 64 bits.
            QStringList fingers;
            for (int f = i == 0 ? 1 : 6, last = f + 5; f < last; ++f)
                fingers << QLatin1String(rows[f].column);
            bind(box, [fingers](const KeyedRecordSet& rs) {
                QVariantList values;
                for (const QString& column : fingers)
                    values << rs.field(column);
                ExactSum hand;
                return hand.addRow(values) ? hand.text() : QString();
            });
        } else {
            bind(box, QLatin1String(rows[i].column), &StatisticsText::number);
        }
    }
    const struct {
        QFrame** line;
        const char* name;
        int y;
    } lines[] = {{&Line1, "Line1", 840}, {&Line2, "Line2", 4920}};
    for (const auto& l : lines) {
        auto* line = new QFrame(this);
        line->setObjectName(QLatin1String(l.name));
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        line->setGeometry(Twips::rect(120, l.y - 15, 5280, 45));
        *l.line = line;
    }

    const int lefts[4] = {60, 600, 3660, 4200};
    buildNavigation(QRect(480, 5670, 4845, 600), lefts);
    // Between cmdPrevious (ending at 1125) and cmdNext (at 3660), leaving the buttons free.
    Label1 = DialogLook::label(picStatBox, QStringLiteral("Label1"), QString(),
                               QRect(1140, 60, 2505, 240), Qt::AlignHCenter | Qt::AlignVCenter);
    Label2 = DialogLook::label(picStatBox, QStringLiteral("Label2"), QString(),
                               QRect(1140, 300, 2505, 240), Qt::AlignHCenter | Qt::AlignVCenter);
    bind(Label1, QStringLiteral("Zeitpunkt"), &StatisticsText::datumZeit);
    bind(Label2, QStringLiteral("Dateiname"), &StatisticsText::plain);

    cmdClose = closeButton(QStringLiteral("cmdClose"), QRect(4260, 6540, 1095, 360), false);

    setQuery([&db](KeyedRecordSet& rs) { return StatisticsQueries(db).fingerErrors(rs); });
}
