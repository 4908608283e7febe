#include "core/web/webaddresses.h"

#include <QUrl>

#include <utility>

namespace {

enum class Host { Service, Partner };

struct PageAddress
{
    WebAddresses::Page page;
    Host host;
    QStringView path;
};

constexpr PageAddress kPages[] = {
    { WebAddresses::Page::SongDedication, Host::Service, u"/dgxt" },
    { WebAddresses::Page::StarArchive, Host::Service, u"/dgxt/htmmain/mxxda_all.htm" },
    { WebAddresses::Page::OnlineMusic, Host::Service, u"/dgxt/zxyymain.htm" },
    { WebAddresses::Page::OnlineFilms, Host::Partner, u"/z_movie.asp" },
    { WebAddresses::Page::MusicVideos, Host::Partner, u"/z_mtv.asp" },
    { WebAddresses::Page::OnlineCartoons, Host::Partner, u"/z_cartoon.asp" },
    { WebAddresses::Page::OnlineTv, Host::Partner, u"/z_tv.asp" },
};

} // namespace

WebAddresses::WebAddresses(ServiceHosts hosts)
    : m_hosts(std::move(hosts))
{
}

QStringList WebAddresses::searchCategories()
{
    return { QStringLiteral("歌曲名称"), QStringLiteral("乐队/歌手"), QStringLiteral("专辑名称") };
}

QString WebAddresses::searchCategory(const QString &categoryText)
{
    const qsizetype index = searchCategories().indexOf(categoryText);
    return index < 0 ? QString() : QString::number(index + 1);
}

QString WebAddresses::songSearch(const QString &categoryCode, const QString &text) const
{
    return QStringLiteral("http://") + m_hosts.service + QStringLiteral("/dgxt/dg1.asp?ll=")
        + QString::fromLatin1(QUrl::toPercentEncoding(categoryCode)) + QStringLiteral("&cx=")
        + QString::fromLatin1(QUrl::toPercentEncoding(text));
}

QString WebAddresses::page(Page page) const
{
    for (const PageAddress &entry : kPages) {
        if (entry.page == page) {
            const QString &host = entry.host == Host::Service ? m_hosts.service : m_hosts.partner;
            return QStringLiteral("http://") + host + entry.path.toString();
        }
    }
    return {};
}
