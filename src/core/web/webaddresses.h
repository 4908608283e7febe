#pragma once

#include "core/web/servicehosts.h"

#include <QString>
#include <QStringList>

// Addresses of the web service's pages that the program hands to the browser:
// the song search and the navigation pages of the service and partner hosts.
class WebAddresses
{
public:
    // The navigation pages of the menu "daohang", in its order.
    enum class Page {
        SongDedication,
        StarArchive,
        OnlineMusic,
        OnlineFilms,
        MusicVideos,
        OnlineCartoons,
        OnlineTv,
    };

    explicit WebAddresses(ServiceHosts hosts);

    // The song search's categories, as the search row offers them.
    static QStringList searchCategories();
    // "1" for the first category, "2" and "3" for the next, empty otherwise.
    static QString searchCategory(const QString &categoryText);

    // http://<service>/dgxt/dg1.asp?ll=<category>&cx=<text>. The text is taken
    // as typed, spaces included, and percent-encoded as UTF-8 so that "&", "#"
    // and Chinese text reach the server intact.
    QString songSearch(const QString &categoryCode, const QString &text) const;

    // http://, the page's host, then its path; no query.
    QString page(Page page) const;

private:
    ServiceHosts m_hosts;
};
