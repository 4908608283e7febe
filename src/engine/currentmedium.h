#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QVariant>

// What the player core reported of the medium that plays or played last:
// its tags, its length, whether it can seek and where it plays. Tags and
// length stay when the core stops, so that the medium is still described
// while stopped; a new file clears them.
class CurrentMedium
{
public:
    // A new file starts opening.
    void fileStarted();
    // Takes an observed property; false when it is none of this class's.
    // *described: the title, the tags, the length or seekability changed.
    bool take(const QString &name, const QVariant &value, bool *described);
    // The position was moved to position (microseconds).
    void jumpedTo(qint64 position);

    QString title() const { return m_title; }
    QString artist() const { return m_artist; }
    QString album() const { return m_album; }
    bool seekable() const { return m_seekable; }
    // Microseconds, -1 when unknown.
    qint64 duration() const { return m_duration; }
    // Microseconds; between the core's reports (once a second) the time
    // since the last one is added while advancing.
    qint64 position(bool advancing) const;

private:
    QString m_title;
    QString m_artist;
    QString m_album;
    bool m_seekable = false;
    qint64 m_duration = -1;
    qint64 m_position = 0;
    QElapsedTimer m_sincePosition;
};
