#include "playlist/randomorder.h"

#include <QRandomGenerator>

#include <chrono>
#include <iterator>
#include <memory>

RandomOrder::Pick RandomOrder::clockSeeded()
{
    // A fresh generator is seeded from the clock for every pick. The pick
    // counter goes into the seed too: picks made within one tick of a coarse
    // clock would otherwise all land on the same item.
    auto counter = std::make_shared<quint32>(0);
    return [counter](int count) {
        const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
        const quint32 seed[] = { quint32(ticks), quint32(quint64(ticks) >> 32), ++*counter };
        QRandomGenerator generator(seed, std::size(seed));
        const double u = generator.generateDouble(); // uniform in [0, 1)
        return qBound(1, int(u * count) + 1, count);
    };
}

RandomOrder::Draw RandomOrder::draw(const QStringList &texts, const Pick &pick)
{
    Draw result;
    const int count = int(texts.size());
    result.rows.reserve(count);
    result.lines.reserve(count);
    for (int k = 1; k <= count; ++k) {
        const int row = qBound(1, pick(count), count);
        result.rows.append(row);
        result.lines.append(texts.at(row - 1));
        if (k <= kPreviewLength)
            result.preview += texts.at(row - 1) + u'\r';
        // The note only when picks were really left out of the preview.
        if (k == kPreviewLength && count > kPreviewLength)
            result.preview += u'\r' + QStringLiteral(u"后面的省略…………");
    }
    return result;
}

QString RandomOrder::tooFewText(int count)
{
    return QStringLiteral(u"只有") + QString::number(count)
        + QStringLiteral(u"首歌曲，没有办法随机，至少也要5首嘛……");
}
