#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <memory>

class QWidget;

// An animation the X server plays by itself: each step is queued with the moment it is due
// (the Present extension), so the program need not wake for every step while nothing else
// happens. The frames show in a small window of their own above the widget, on a connection of
// their own; taking that window away drops whatever is still queued. Only on X11 servers with
// Present, for true-colour windows at one device pixel per pixel; forWidget() gives none
// elsewhere.
class ServerCycle {
public:
    static std::unique_ptr<ServerCycle> forWidget(const QWidget& widget);
    ~ServerCycle();

    // Opaque pictures of one size; takes the window away.
    void setFrames(const QList<QImage>& frames);
    // Shows the frame at once in the cycle's window at target (widget pixels), putting the
    // window there first; false when it cannot (the widget's window was made anew, or the frame
    // would not lie wholly on what the widget shows).
    bool show(int frame, const QPoint& target);
    // Whether the window can show the frames at target (widget pixels): on what the widget shows,
    // and where the window was put.
    bool fits(const QPoint& target) const;
    // Takes the window away, and with it what is queued.
    void hide();
    bool shown() const;
    // Reads what the server has said of its frame clock so far, and asks it again, for the
    // next call.
    void refresh();
    // How far ahead steps can be queued now (on the clock of now()), or 0 while the server's
    // frame clock is not known well enough. The server tells how many frames it has shown and
    // when, and the time between two readings gives the frame rate; a step is queued no further
    // beyond the latest reading than the readings lie apart, so a rate read a little wrong shifts
    // a step by a frame at most.
    qint64 reach() const;
    struct Step {
        int frame = 0;
        qint64 at = 0; // when it is due, on the clock of now(); no later than reach()
    };
    // Queues the steps to be shown when they are due; false when the window is gone or the
    // server's clock is not known.
    bool queue(const QList<Step>& steps);
    // The clock of queue(), in microseconds.
    static qint64 now();

private:
    // Microseconds a frame of the server's clock, or 0 while not known well enough.
    double interval() const;

    struct Connection;
    explicit ServerCycle(std::unique_ptr<Connection> connection);

    std::unique_ptr<Connection> x_;
};
