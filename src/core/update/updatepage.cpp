#include "core/update/updatepage.h"

#include "core/text/spaces.h"
#include "core/update/profilereader.h"

#include <QUrl>

UpdatePage::UpdatePage(const QByteArray &body)
{
    const QString text = ProfileReader::decode(body);
    const ProfileReader profile = ProfileReader::fromText(text);
    m_longEnough = trimSpaces(text).size() >= kMinimumLength;
    if (!m_longEnough)
        return; // a page this short is stored but never read
    const QString section = QStringLiteral("updatex");
    m_version = VersionNumber::parse(profile.value(section, QStringLiteral("newverson")));
    m_address = profile.value(section, QStringLiteral("newurl"));
    m_info = profile.value(section, QStringLiteral("newinfo"));
}

UpdatePage::Verdict UpdatePage::verdictFor(VersionNumber programVersion) const
{
    if (!m_longEnough)
        return Verdict::TooShort;
    if (!m_version)
        return Verdict::NoVersion;
    if (!(programVersion < *m_version))
        return Verdict::NotNewer;
    if (!isOpenableAddress(m_address))
        return Verdict::UnsafeAddress;
    return Verdict::Newer;
}

QString UpdatePage::announcement() const
{
    const QString number = m_version ? m_version->toString() : QString();
    return QStringLiteral("在服网络上找到本程序的新版本 Ver:") + number + u'\n'
        + QStringLiteral("按确定开始下载……");
}

bool UpdatePage::isOpenableAddress(const QString &address)
{
    // Tolerant, as the launcher reads it: a space in a file name is no reason
    // to withhold the download.
    const QUrl url(address, QUrl::TolerantMode);
    const QString scheme = url.scheme(); // QUrl keeps schemes in lower case
    return url.isValid() && (scheme == u"http" || scheme == u"https") && !url.host().isEmpty();
}
