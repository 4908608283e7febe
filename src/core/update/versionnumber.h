#pragma once

#include <QString>
#include <QtGlobal>

#include <compare>
#include <optional>

// A version number as the update page announces it: a fixed-point decimal
// with four places, held as a signed 64-bit count of ten-thousandths (1.06 is
// 10600). Text is always read and written with "." as the decimal point,
// whatever the locale says, so "1.07" can never be taken for 107.
class VersionNumber
{
public:
    static constexpr VersionNumber fromTenThousandths(qint64 count) { return VersionNumber(count); }

    // Reads optional spaces, an optional sign, digits and an optional "."
    // with more digits; a fifth or later decimal rounds the number to four
    // places (half to even, as the currency type does). Empty text, any other
    // character (thousands separators, exponents, a "," as decimal point) and
    // numbers outside the 64-bit range give no number.
    static std::optional<VersionNumber> parse(const QString &text);

    constexpr qint64 tenThousandths() const { return m_count; }

    // The shortest decimal form: 1.1 for 1.10, 2 for 2.0000.
    QString toString() const;

    friend constexpr auto operator<=>(VersionNumber, VersionNumber) = default;

private:
    constexpr explicit VersionNumber(qint64 count)
        : m_count(count)
    {
    }

    qint64 m_count = 0;
};
