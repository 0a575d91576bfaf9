#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

// An animated cursor file (RIFF "ACON"): its frames as images and the order and time in which
// they are shown. Any file that is missing, truncated, hostile or simply not understood gives a
// null cursor; reading never takes more than the limits below allow.
class AniCursor {
public:
    struct Step {
        int frame = 0;   // index into frames()
        int jiffies = 0; // how long the frame stands, in 1/60 s
    };

    static constexpr int MaxFrames = 256;
    static constexpr int MaxSteps = 1024;
    static constexpr int MaxImageSide = 256;
    static constexpr qint64 MaxFileSize = 16 * 1024 * 1024;
    static constexpr int MaxJiffies = 60 * 60 * 60; // one hour

    static AniCursor fromFile(const QString& path);
    static AniCursor fromData(const QByteArray& data);

    bool isNull() const { return frames_.isEmpty(); }
    const QList<QImage>& frames() const { return frames_; }
    const QList<Step>& steps() const { return steps_; }

    static int jiffiesToMs(int jiffies);

private:
    QList<QImage> frames_;
    QList<Step> steps_;
};
