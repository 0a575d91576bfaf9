#pragma once

#include <QtGlobal>

// The training reminder: counts the minutes since it was started and tells when the set period
// is over. It fires at the first minute that has reached or passed the period, so a period
// lowered below the minutes already counted still ends the training.
class TrainingReminder {
public:
    // Starts, or restarts, the count at 0.
    void start();
    // One minute has passed. True when the period is over; the reminder is then off.
    bool tick(qint16 Tdauer);
    bool running() const { return running_; }

    qint16 ReminderMinuten = 0;

private:
    bool running_ = false;
};
