#pragma once

#include <QString>

// What the lesson selection hands to the main window: the chosen lesson's key, text and title.
// LekAuswahl 0 means nothing was chosen; 999999 marks a text file of the user's own.
struct LessonHandOver {
    static constexpr qint32 OwnText = 999999;

    qint32 LekAuswahl = 0;
    QString LekText;
    QString LekTitle;
};
