#include "support/fakeengine.h"

#include <QWidget>

void FakeEngine::setSource(const QString &value)
{
    source = value;
    calls << QStringLiteral("setSource:") + value;
}

void FakeEngine::setVolumeLevel(qint16 level)
{
    const bool changed = volume != level;
    volume = level;
    calls << QStringLiteral("setVolumeLevel:%1").arg(level);
    if (changed)
        Q_EMIT volumeChanged(level);
}

void FakeEngine::changeState(PlaybackState value)
{
    state = value;
    Q_EMIT playbackStateChanged(value);
}

void FakeEngine::changeEntry(const QString &newTitle, const QString &newLocation)
{
    title = newTitle;
    location = newLocation;
    Q_EMIT currentEntryChanged();
}

void FakeEngine::setListLooping(bool value)
{
    looping = value;
    calls << QStringLiteral("setListLooping:%1").arg(value ? u"true" : u"false");
}

void FakeEngine::showStatisticsView(bool show)
{
    calls << QStringLiteral("showStatisticsView:%1").arg(show ? u"true" : u"false");
}

QWidget *FakeEngine::createDisplay(QWidget *parent)
{
    auto *display = new QWidget(parent);
    display->setObjectName(QStringLiteral("RealAudio1"));
    return display;
}

void FakeEngine::seek(qint64 to)
{
    calls << QStringLiteral("seek:%1").arg(to);
    at = to;
    Q_EMIT seeked(to);
}
