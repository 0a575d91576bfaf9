#include "TrainingReminder.h"

void TrainingReminder::start() {
    ReminderMinuten = 0;
    running_ = true;
}

bool TrainingReminder::tick(qint16 Tdauer) {
    if (!running_)
        return false;
    ++ReminderMinuten; // stops at the period, which is at most 32767, so it never overflows
    if (ReminderMinuten < Tdauer)
        return false;
    running_ = false;
    return true;
}
