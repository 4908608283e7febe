#include "engine/currentmedium.h"

#include <cmath>

namespace {

constexpr qint64 kMicroseconds = 1000000;

} // namespace

void CurrentMedium::fileStarted()
{
    *this = CurrentMedium();
}

bool CurrentMedium::take(const QString &name, const QVariant &value, bool *described)
{
    // An unavailable value (the core stopped) keeps what was known.
    const bool valid = value.isValid();
    QString *text = name == u"media-title"  ? &m_title
        : name == u"metadata/by-key/artist" ? &m_artist
        : name == u"metadata/by-key/album"  ? &m_album
                                            : nullptr;
    if (text) {
        if (valid && *text != value.toString()) {
            *text = value.toString();
            *described = true;
        }
    } else if (name == u"seekable") {
        if (valid && m_seekable != value.toBool()) {
            m_seekable = value.toBool();
            *described = true;
        }
    } else if (name == u"duration") {
        const double seconds = value.toDouble();
        const qint64 duration = valid && std::isfinite(seconds) && seconds > 0
            ? std::llround(seconds * kMicroseconds)
            : -1;
        if (valid && duration != m_duration) {
            m_duration = duration;
            *described = true;
        }
    } else if (name == u"time-pos") {
        jumpedTo(valid ? value.toLongLong() * kMicroseconds : 0);
    } else {
        return false;
    }
    return true;
}

void CurrentMedium::jumpedTo(qint64 position)
{
    m_position = qMax<qint64>(0, position);
    m_sincePosition.start();
}

qint64 CurrentMedium::position(bool advancing) const
{
    qint64 position = m_position;
    if (advancing && m_sincePosition.isValid())
        position += qMin<qint64>(m_sincePosition.elapsed(), 999) * 1000;
    return m_duration > 0 ? qMin(position, m_duration) : position;
}
