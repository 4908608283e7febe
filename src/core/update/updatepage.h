#pragma once

#include "core/update/versionnumber.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The service's update page: despite its name a profile file whose section
// "updatex" announces the newest release (newverson), where to download it
// (newurl) and a free text about it (newinfo, read and never shown).
class UpdatePage
{
public:
    enum class Verdict {
        TooShort, // under 20 characters once the spaces at both ends are gone
        NoVersion, // newverson missing or not a number
        NotNewer, // the program is as new or newer
        UnsafeAddress, // newer, but newurl is no http or https address
        Newer, // newer, with an address to open
    };

    static constexpr qsizetype kMinimumLength = 20;

    explicit UpdatePage(const QByteArray &body);

    Verdict verdictFor(VersionNumber programVersion) const;

    std::optional<VersionNumber> version() const { return m_version; }
    QString downloadAddress() const { return m_address; }
    QString info() const { return m_info; }

    // The text of the box that offers the new version: the number in its
    // shortest form, then a line break and the prompt to download.
    QString announcement() const;

    // Only web addresses are handed to the desktop; a page must not make us
    // open a local file, run a handler of another scheme or a relative path.
    static bool isOpenableAddress(const QString &address);

private:
    bool m_longEnough = false;
    std::optional<VersionNumber> m_version;
    QString m_address;
    QString m_info;
};
