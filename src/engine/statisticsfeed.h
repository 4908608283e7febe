#pragma once

#include "engine/statisticstext.h"

#include <QObject>
#include <QVariantMap>

class MpvClient;

// Reads the statistics properties from the player core without waiting for
// it: one round of asynchronous reads at a time, delivered as window rows.
class StatisticsFeed : public QObject
{
    Q_OBJECT
public:
    StatisticsFeed(MpvClient &client, QObject *parent = nullptr);

    // Starts a round unless the previous one has not come back yet.
    void request(const QString &source, const QString &stateText);

Q_SIGNALS:
    void rowsReady(const StatisticsText::Rows &rows);

private:
    void reply(quint64 tag, const QString &name, const QVariant &value);

    MpvClient &m_client;
    QVariantMap m_values;
    int m_outstanding = 0;
    QString m_source;
    QString m_stateText;
};
