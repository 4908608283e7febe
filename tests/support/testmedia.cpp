#include "support/testmedia.h"

#include <QProcess>
#include <QStringList>

namespace TestMedia {

static QStringList sine(int frequency, int rate, int seconds)
{
    return { QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
        QStringLiteral("sine=frequency=%1:duration=%2:sample_rate=%3")
            .arg(frequency)
            .arg(seconds)
            .arg(rate) };
}

static QStringList argumentsFor(Kind kind, int seconds)
{
    switch (kind) {
    case Kind::Mp3:
        return sine(440, 44100, seconds)
            + QStringList { QStringLiteral("-ac"), QStringLiteral("2"), QStringLiteral("-c:a"),
                  QStringLiteral("libmp3lame"), QStringLiteral("-b:a"), QStringLiteral("128k") };
    case Kind::Mp2:
        return sine(550, 44100, seconds)
            + QStringList { QStringLiteral("-ac"), QStringLiteral("2"), QStringLiteral("-c:a"),
                  QStringLiteral("mp2"), QStringLiteral("-b:a"), QStringLiteral("192k") };
    case Kind::RealAudioAc3:
        return sine(660, 44100, seconds)
            + QStringList { QStringLiteral("-ac"), QStringLiteral("2"), QStringLiteral("-c:a"),
                  QStringLiteral("ac3"), QStringLiteral("-b:a"), QStringLiteral("96k"),
                  QStringLiteral("-f"), QStringLiteral("rm") };
    case Kind::RealAudio144:
        return sine(660, 8000, seconds)
            + QStringList { QStringLiteral("-ac"), QStringLiteral("1"), QStringLiteral("-c:a"),
                  QStringLiteral("real_144"), QStringLiteral("-f"), QStringLiteral("rm") };
    case Kind::RealVideo:
        return QStringList { QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
            QStringLiteral("testsrc=size=320x240:rate=15:duration=%1").arg(seconds) }
        + sine(770, 44100, seconds)
            + QStringList { QStringLiteral("-c:v"), QStringLiteral("rv10"), QStringLiteral("-b:v"),
                  QStringLiteral("300k"), QStringLiteral("-c:a"), QStringLiteral("ac3"),
                  QStringLiteral("-b:a"), QStringLiteral("96k"), QStringLiteral("-ac"),
                  QStringLiteral("2"), QStringLiteral("-shortest"), QStringLiteral("-f"),
                  QStringLiteral("rm") };
    }
    return {};
}

bool generate(Kind kind, const QString &path, int seconds)
{
    QStringList arguments { QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"),
        QStringLiteral("error"), QStringLiteral("-y") };
    arguments += argumentsFor(kind, seconds);
    arguments << path;
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"), arguments);
    return ffmpeg.waitForFinished(60000) && ffmpeg.exitStatus() == QProcess::NormalExit
        && ffmpeg.exitCode() == 0;
}

} // namespace TestMedia
