#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Random order: n independent picks, with replacement, from n items.
class RandomOrder
{
public:
    // Returns a row between 1 and count, uniformly.
    using Pick = std::function<int(int count)>;

    static constexpr int kMinimumItems = 5;
    static constexpr int kPreviewLength = 20;

    struct Draw
    {
        QList<int> rows; // the picked rows (1-based), in pick order
        QStringList lines; // their texts, the lines of the loop list
        QString preview; // the first picks, for the question to the user
    };

    // The program's source: re-seeded from the clock before every pick.
    static Pick clockSeeded();

    // texts are the item texts in list order (row 1 first).
    static Draw draw(const QStringList &texts, const Pick &pick);

    // The message for a list too short to shuffle.
    static QString tooFewText(int count);
};
