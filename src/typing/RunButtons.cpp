#include "RunButtons.h"

int runEntryForButton(int button, const QString& caption) {
    static const struct {
        int button;
        const char* caption;
        int entry;
    } table[] = {
        {0, "Start", 1}, {0, "Pause", 2}, {0, "Weiter", 3}, {1, "Auswahl", 0}, {1, "Stop", 4}};
    for (const auto& row : table)
        if (row.button == button && caption == QLatin1String(row.caption))
            return row.entry;
    return -1;
}
