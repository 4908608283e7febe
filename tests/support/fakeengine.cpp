#include "support/fakeengine.h"

#include <QWidget>

void FakeEngine::ClipSource(const QString &value)
{
    source = value;
    calls << QStringLiteral("ClipSource:") + value;
}

void FakeEngine::SetVolumeLevel(qint16 level)
{
    volume = level;
    calls << QStringLiteral("SetVolumeLevel:%1").arg(level);
}

void FakeEngine::SetListLooping(bool value)
{
    looping = value;
    calls << QStringLiteral("SetListLooping:%1").arg(value ? u"true" : u"false");
}

void FakeEngine::ShowStatisticsView(bool show)
{
    calls << QStringLiteral("ShowStatisticsView:%1").arg(show ? u"true" : u"false");
}

QWidget *FakeEngine::createDisplay(QWidget *parent)
{
    auto *display = new QWidget(parent);
    display->setObjectName(QStringLiteral("RealAudio1"));
    return display;
}
