#include "ui/desktop/mprisrootadaptor.h"

#include "ui/desktop/mprisservice.h"

MprisRootAdaptor::MprisRootAdaptor(MprisService *service)
    : QDBusAbstractAdaptor(service)
    , m_service(service)
{
}

QString MprisRootAdaptor::identity() const
{
    return QStringLiteral("Tunvia");
}

QString MprisRootAdaptor::desktopEntry() const
{
    return QLatin1String(MprisService::kDesktopId);
}

QStringList MprisRootAdaptor::supportedUriSchemes() const
{
    return { QStringLiteral("file"), QStringLiteral("http"), QStringLiteral("https"),
        QStringLiteral("rtsp"), QStringLiteral("pnm") };
}

// The types of the desktop entry: MP3 and MP2, RealMedia and RealAudio, RAM,
// m3u and pls lists, with their x-pn and vnd.rn names.
QStringList MprisRootAdaptor::supportedMimeTypes() const
{
    return { QStringLiteral("audio/mpeg"), QStringLiteral("audio/x-mp3"),
        QStringLiteral("audio/mp3"), QStringLiteral("audio/x-mpeg"), QStringLiteral("audio/mp2"),
        QStringLiteral("audio/x-mp2"), QStringLiteral("application/vnd.rn-realmedia"),
        QStringLiteral("application/vnd.rn-realmedia-vbr"),
        QStringLiteral("application/x-pn-realmedia"), QStringLiteral("audio/vnd.rn-realaudio"),
        QStringLiteral("audio/x-pn-realaudio"), QStringLiteral("audio/x-pn-realaudio-plugin"),
        QStringLiteral("audio/x-realaudio"), QStringLiteral("video/vnd.rn-realvideo"),
        QStringLiteral("application/ram"), QStringLiteral("audio/x-mpegurl"),
        QStringLiteral("audio/mpegurl"), QStringLiteral("audio/x-scpls") };
}

void MprisRootAdaptor::Raise()
{
    Q_EMIT m_service->raiseRequested();
}

void MprisRootAdaptor::Quit()
{
    Q_EMIT m_service->quitRequested();
}
