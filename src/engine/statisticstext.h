#pragma once

#include <QList>
#include <QPair>
#include <QStringList>
#include <QVariantMap>

// Turns the player core's statistics properties into the rows of the
// statistics window: a Chinese label and its value text.
class StatisticsText
{
public:
    using Rows = QList<QPair<QString, QString>>;

    // The properties the window needs, read once a second while it is shown.
    static QStringList propertyNames();

    // values: property name to value; a property the core could not give is
    // missing or invalid. source is the clip source as the caller gave it.
    static Rows rows(const QVariantMap &values, const QString &source, const QString &stateText);

    static QString bytes(qint64 count);
    static QString bitrate(double bitsPerSecond);

private:
    static void addFormatRows(Rows &rows, const QVariantMap &values);
    static void addNetworkRows(Rows &rows, const QVariantMap &values);
};
