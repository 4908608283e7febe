#include "core/update/versionnumber.h"

#include <QtNumeric>

#include <limits>

namespace {

constexpr int kPlaces = 4;

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool allDigits(QStringView text)
{
    for (QChar c : text) {
        if (!isAsciiDigit(c))
            return false;
    }
    return true;
}

// Appends one decimal digit to the magnitude; false on overflow.
bool appendDigit(quint64 &magnitude, int digit)
{
    return !qMulOverflow(magnitude, quint64(10), &magnitude)
        && !qAddOverflow(magnitude, quint64(digit), &magnitude);
}

// Whether the digits cut off after the fourth place round the last kept
// digit up: above half always, exactly half only towards an even result.
bool roundsUp(QStringView cut, bool lastKeptIsOdd)
{
    if (cut.isEmpty() || cut.front() < u'5')
        return false;
    if (cut.front() > u'5')
        return true;
    for (QChar c : cut.mid(1)) {
        if (c != u'0')
            return true;
    }
    return lastKeptIsOdd;
}

} // namespace

std::optional<VersionNumber> VersionNumber::parse(const QString &input)
{
    QStringView text = QStringView(input).trimmed();
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    const qsizetype point = text.indexOf(u'.');
    const QStringView whole = point < 0 ? text : text.left(point);
    const QStringView fraction = point < 0 ? QStringView() : text.mid(point + 1);
    if ((whole.isEmpty() && fraction.isEmpty()) || !allDigits(whole) || !allDigits(fraction))
        return std::nullopt;

    // The magnitude is unsigned so that the most negative count fits too.
    quint64 magnitude = 0;
    for (QChar c : whole) {
        if (!appendDigit(magnitude, c.unicode() - u'0'))
            return std::nullopt;
    }
    for (int place = 0; place < kPlaces; ++place) {
        const int digit = place < fraction.size() ? fraction.at(place).unicode() - u'0' : 0;
        if (!appendDigit(magnitude, digit))
            return std::nullopt;
    }
    if (roundsUp(fraction.mid(qMin(fraction.size(), qsizetype(kPlaces))), magnitude % 2 == 1)
        && qAddOverflow(magnitude, quint64(1), &magnitude))
        return std::nullopt;

    const quint64 largest = quint64(std::numeric_limits<qint64>::max()) + (negative ? 1 : 0);
    if (magnitude > largest)
        return std::nullopt;
    // Two's complement wrap-around is well defined since C++20.
    return VersionNumber(
        negative ? static_cast<qint64>(0 - magnitude) : static_cast<qint64>(magnitude));
}

QString VersionNumber::toString() const
{
    const qint64 whole = m_count / 10000;
    const qint64 rest = m_count % 10000; // carries the sign of m_count
    QString text = m_count < 0 ? u'-' + QString::number(-whole) : QString::number(whole);
    if (rest == 0)
        return text;
    QString fraction = QStringLiteral("%1").arg(qAbs(rest), kPlaces, 10, QChar(u'0'));
    while (fraction.endsWith(u'0'))
        fraction.chop(1);
    return text + u'.' + fraction;
}
