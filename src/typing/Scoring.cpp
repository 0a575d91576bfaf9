#include "Scoring.h"

#include "TypingTexts.h"

#include <cmath>
#include <limits>

float errorPercent(qint32 fehler, qint32 treffer, float previous) {
    if (treffer <= 0)
        return previous;
    const double percent = double(float(fehler)) * 100.0 / double(treffer);
    return float(std::nearbyint(percent * 100.0) / 100.0); // nearest, ties to even
}

void Scoring::countGood() {
    ++counters_.Treffer;
    ShowFehlerProz();
}

void Scoring::countBad(const QString& expected) {
    ++counters_.Fehler;
    Handpruef(expected);
    ShowFehlerProz();
}

int Scoring::Handpruef(const QString& key) {
    int finger = fingerForKey(zones_, key);
    if (finger == 0)
        return 0;
    if (finger == 5 || finger == 6) {
        finger = ThumbToggle ? 5 : 6;
        ThumbToggle = !ThumbToggle;
    }
    if (counters_.ff[finger] < std::numeric_limits<qint16>::max())
        ++counters_.ff[finger];
    return finger;
}

void Scoring::ShowFehlerProz() {
    counters_.FehlerProz = errorPercent(counters_.Fehler, counters_.Treffer, counters_.FehlerProz);
}

QString Scoring::fehlerProzLabel() const {
    return counters_.FehlerProz <= 99.0f ? formatSingle(counters_.FehlerProz) : QStringLiteral("-");
}
