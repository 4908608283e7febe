#include "core/web/servicehosts.h"

#include <QtGlobal>

#ifndef TUNVIA_SERVICE_HOST
#define TUNVIA_SERVICE_HOST "www.tunvia.net"
#endif
#ifndef TUNVIA_PARTNER_HOST
#define TUNVIA_PARTNER_HOST "video.tunvia.net"
#endif

static QString hostFromEnvironment(const char *name, const char *builtIn)
{
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? QString::fromUtf8(builtIn) : value;
}

ServiceHosts ServiceHosts::fromBuildAndEnvironment()
{
    return { hostFromEnvironment("TUNVIA_SERVICE_HOST", TUNVIA_SERVICE_HOST),
        hostFromEnvironment("TUNVIA_PARTNER_HOST", TUNVIA_PARTNER_HOST) };
}
