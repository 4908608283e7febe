#include "engine/statisticsfeed.h"

#include "engine/mpvclient.h"

namespace {

const quint64 statisticsTag = 0x5354; // tells these reads from any other

} // namespace

StatisticsFeed::StatisticsFeed(MpvClient &client, QObject *parent)
    : QObject(parent)
    , m_client(client)
{
    connect(&m_client, &MpvClient::propertyReply, this, &StatisticsFeed::reply);
}

void StatisticsFeed::request(const QString &source, const QString &stateText)
{
    if (m_outstanding > 0)
        return;
    const QStringList names = StatisticsText::propertyNames();
    m_values.clear();
    m_source = source;
    m_stateText = stateText;
    m_outstanding = int(names.size());
    for (const QString &name : names)
        m_client.requestProperty(name.toUtf8(), statisticsTag);
}

void StatisticsFeed::reply(quint64 tag, const QString &name, const QVariant &value)
{
    if (tag != statisticsTag || m_outstanding == 0)
        return;
    if (value.isValid())
        m_values.insert(name, value);
    if (--m_outstanding == 0)
        Q_EMIT rowsReady(StatisticsText::rows(m_values, m_source, m_stateText));
}
