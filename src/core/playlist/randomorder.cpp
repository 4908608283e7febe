#include "core/playlist/randomorder.h"

#include <chrono>
#include <iterator>
#include <memory>

namespace {

// One round of SplitMix64: a cheap, well-mixed generator for a fresh seed.
quint64 splitMix64(quint64 state)
{
    quint64 z = state + 0x9e3779b97f4a7c15ULL;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

// Previews show each text on one line of a message box; a megabyte-long
// item would freeze the box while it is laid out.
constexpr qsizetype kLongestPreviewText = 1000;

} // namespace

RandomOrder::Pick RandomOrder::clockSeeded()
{
    // The generator is seeded afresh from the clock for every pick. The pick
    // counter goes into the seed too: picks made within one tick of a coarse
    // clock would otherwise all land on the same item.
    auto counter = std::make_shared<quint64>(0);
    return [counter](int count) {
        const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
        const quint64 seed = quint64(ticks) ^ (++*counter * 0xd1b54a32d192ed03ULL);
        const double u = double(splitMix64(seed) >> 11) * 0x1.0p-53; // uniform in [0, 1)
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
        const QString &text = texts.at(row - 1);
        result.rows.append(row);
        result.lines.append(text);
        if (k <= kPreviewLength)
            result.preview += text.left(kLongestPreviewText) + u'\r';
        if (k == kPreviewLength)
            result.preview += u'\r' + QStringLiteral("后面的省略…………");
    }
    return result;
}

QString RandomOrder::tooFewText(int count)
{
    return QStringLiteral("只有") + QString::number(count)
        + QStringLiteral("首歌曲，没有办法随机，至少也要5首嘛……");
}
