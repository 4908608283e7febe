#include "core/web/addressprompt.h"

#include "core/program/texts.h"

namespace AddressPrompt {

QString text(const QString &serviceHost)
{
    const QString lineBreak = QStringLiteral("\r     ");
    return QStringLiteral("请输入一个网址,如:") + lineBreak + lineBreak + QStringLiteral("http://")
        + serviceHost + QStringLiteral("/xxxx.rm") + lineBreak + QStringLiteral("pnm://")
        + serviceHost + QStringLiteral("/xxxx.rm") + lineBreak + QStringLiteral("http://")
        + serviceHost + QStringLiteral("/xxx.mp3");
}

QString title()
{
    return Texts::kOpenAddress.toString();
}

QString defaultAnswer()
{
    return QStringLiteral("http://");
}

bool accepts(const QString &answer)
{
    return answer.size() > 10;
}

} // namespace AddressPrompt
