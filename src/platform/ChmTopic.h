#pragma once

#include <QList>
#include <QString>

// One entry of a help file's contents tree or index: its title, the page it opens (a path inside
// the file, possibly with an anchor) and the entries below it.
struct ChmTopic {
    QString title;
    QString local;
    QList<ChmTopic> children;
};
