#include "ui/common/desktoplauncher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

bool DesktopLauncher::openUrl(const QString &address)
{
    const QUrl url(address, QUrl::TolerantMode);
    if (!url.isValid())
        return false;
    return QDesktopServices::openUrl(url);
}

bool DesktopLauncher::startProgram(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}
